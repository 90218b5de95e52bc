#ifndef ZT_PLATFORM_TIMEDLOOK_H
#define ZT_PLATFORM_TIMEDLOOK_H

// A look at a drive (a stat, a listing, a read) on a thread of its own, so
// that nobody waits on a drive that does not answer longer than they chose.

#include "platform/silentfiles.h"
#include "platform/waiter.h"

#include <QDebug>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace ztplatform {

// Started when made. A look that never returns keeps its own thread and
// what it captured, nothing more: it captures copies or shared pointers,
// never references to the caller's objects.
template <typename T>
class TimedLook
{
public:
    TimedLook() = default; // no look
    explicit TimedLook(std::function<T()> look)
        : m_state(std::make_shared<State>())
    {
        try {
            std::thread([state = m_state, look = std::move(look)]() mutable {
                T result = look();
                look = nullptr; // what it captured goes before the result is seen
                std::lock_guard<std::mutex> hold(state->lock);
                state->result = std::move(result);
                state->ready.notify_all();
            }).detach();
        } catch (const std::system_error &e) {
            qWarning() << "cannot start a thread for a look at a drive:" << e.what();
            m_state.reset();
        }
    }

    // True when the look runs or has run.
    bool isStarted() const { return bool(m_state); }
    // True once the look has returned.
    bool done() const
    {
        if (!m_state)
            return false;
        std::lock_guard<std::mutex> hold(m_state->lock);
        return m_state->result.has_value();
    }
    // Waits at most `limitMs` (0: not at all) for the look: its result, or
    // nothing when it has not returned by then.
    std::optional<T> waitFor(int limitMs) const
    {
        if (!m_state)
            return std::nullopt;
        std::unique_lock<std::mutex> hold(m_state->lock);
        m_state->ready.wait_for(hold, std::chrono::milliseconds(limitMs),
                                [this] { return m_state->result.has_value(); });
        return m_state->result;
    }

private:
    struct State
    {
        std::mutex lock;
        std::condition_variable ready;
        std::optional<T> result;
    };
    std::shared_ptr<State> m_state;
};

namespace timedlook {

inline void waitUntil(const Waiter &wait, const std::function<bool(int ms)> &ended)
{
    if (wait)
        wait(ended);
    else
        while (!ended(20)) {
        }
}

// `running` waited on at most `limitMs` through `wait`.
template <typename T>
std::optional<T> waitWithin(const TimedLook<T> &running, int limitMs, const Waiter &wait)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    waitUntil(wait, [&running, end](int ms) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        return !running.isStarted() || running.waitFor(int(std::max<qint64>(0, std::min<qint64>(ms, left.count()))))
               || left.count() <= 0;
    });
    return running.waitFor(0);
}

} // namespace timedlook

// Runs `look` on a thread of its own and waits at most `limitMs` for it.
template <typename T>
std::optional<T> lookWithin(int limitMs, std::function<T()> look)
{
    return TimedLook<T>(std::move(look)).waitFor(limitMs);
}

// A look already started, waited on as lookUntilStalled waits.
template <typename T>
std::optional<T> waitUntilStalled(const TimedLook<T> &running, const std::function<bool()> &stalled, const Waiter &wait)
{
    timedlook::waitUntil(wait, [&](int ms) { return running.waitFor(qMin(ms, 20)).has_value() || stalled(); });
    return running.waitFor(0);
}

// `work` on a thread of its own, waited on through `wait` until it returns
// or `stalled` says to wait no more: then its result when it came just in
// time, else nothing. Without a thread, `work` runs here.
template <typename T>
std::optional<T> lookUntilStalled(const std::function<T()> &work, const std::function<bool()> &stalled,
                                  const Waiter &wait)
{
    const TimedLook<T> running(work);
    if (!running.isStarted())
        return work();
    return waitUntilStalled(running, stalled, wait);
}

// `look` on a thread of its own, waited on at most `limitMs` through `wait`.
template <typename T>
std::optional<T> lookWithin(int limitMs, std::function<T()> look, const Waiter &wait)
{
    return timedlook::waitWithin(TimedLook<T>(std::move(look)), limitMs, wait);
}

namespace timedlook {

// A look at the file `path` started as lookAtFileWithin starts it, waited
// on by `waitOn`, and given up on when that finds nothing.
template <typename T, typename WaitOn>
std::optional<T> lookAtFile(const std::shared_ptr<SilentFiles> &silent, const QString &path, std::function<T()> look,
                            const WaitOn &waitOn)
{
    if (isSilentFile(silent, path))
        return std::nullopt;
    const auto mark = std::make_shared<SilentLook>(silent, path);
    const TimedLook<T> running([mark, look = std::move(look)]() {
        T result = look();
        mark->returned();
        return result;
    });
    std::optional<T> result = waitOn(running);
    if (!result && running.isStarted())
        mark->givenUp();
    return result;
}

} // namespace timedlook

// The same for a look at the file `path`: nothing, and no look started,
// while an earlier one given up on still waits on its drive (in `silent`).
template <typename T>
std::optional<T> lookAtFileWithin(const std::shared_ptr<SilentFiles> &silent, const QString &path, int limitMs,
                                  std::function<T()> look, const Waiter &wait)
{
    return timedlook::lookAtFile<T>(silent, path, std::move(look), [&](const TimedLook<T> &running) {
        return timedlook::waitWithin(running, limitMs, wait);
    });
}

namespace timedlook {

// The files [begin, end) of `paths` one thread looks at in turn: the one it
// is at, and the mark of the one its caller gave up on.
class Stretch
{
public:
    Stretch(std::shared_ptr<SilentFiles> silent, const QStringList &paths, int begin, int end)
        : m_silent(std::move(silent)), m_paths(paths), m_begin(begin), m_end(end), m_at(begin)
    {
    }
    int begin() const { return m_begin; }
    int end() const { return m_end; }
    int at() const { return m_at.load(); }

    // On the looking thread: `look(i)` in turn until one returns true (its
    // index) or all have been looked at (end()).
    int run(const std::function<bool(int)> &look)
    {
        for (int i = m_begin; i < m_end; ++i) {
            const bool stop = look(i);
            std::lock_guard<std::mutex> hold(m_lock);
            if (i == m_givenUpAt)
                m_mark->returned();
            if (stop)
                return i;
            m_at.store(i + 1);
        }
        return m_end;
    }
    // On the caller: the file being looked at is given up on and stays silent
    // until its look returns. The files before it have all been looked at.
    int giveUp()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        const int at = m_at.load();
        if (m_givenUpAt < 0 && at < m_end) {
            m_givenUpAt = at;
            m_mark = std::make_unique<SilentLook>(m_silent, m_paths.at(at));
            m_mark->givenUp();
        }
        return at;
    }

private:
    const std::shared_ptr<SilentFiles> m_silent;
    const QStringList m_paths;
    const int m_begin;
    const int m_end;
    std::atomic<int> m_at;
    std::mutex m_lock;
    int m_givenUpAt = -1;
    std::unique_ptr<SilentLook> m_mark;
};

// A stretch on its own thread, waited on by the caller.
struct RunningStretch
{
    std::shared_ptr<Stretch> stretch;
    TimedLook<int> thread;
    int waitingOn = -1;
    std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();

    // True when the file it is at has not moved for `limitMs`.
    bool stalled(int limitMs)
    {
        const int now = stretch->at();
        if (now != waitingOn) {
            waitingOn = now;
            since = std::chrono::steady_clock::now();
            return false;
        }
        return std::chrono::steady_clock::now() - since >= std::chrono::milliseconds(limitMs);
    }
};

inline RunningStretch startStretch(const std::shared_ptr<SilentFiles> &silent, const QStringList &paths, int begin,
                                   int end, const std::shared_ptr<std::function<bool(int)>> &look)
{
    auto stretch = std::make_shared<Stretch>(silent, paths, begin, end);
    return {stretch, TimedLook<int>([stretch, look]() { return stretch->run(*look); })};
}

} // namespace timedlook

// What a look at several files in turn found: the file whose look said to
// stop (the count of files when none did), or the one given up on.
struct FilesInTurn
{
    int at = 0;
    bool answered = true;
    bool started = true; // false: no thread could be started, nothing was looked at
};

// `look(i)` for each of `paths` in order, on a thread of its own, until one
// returns true, waited on through `wait`. Each file that answers gives the next
// the whole `limitMs`; the one that outlasts it is given up on and stays
// silent (in `silent`) until its look returns. The caller leaves out files
// already silent.
inline FilesInTurn lookAtFilesInTurn(const std::shared_ptr<SilentFiles> &silent, const QStringList &paths, int limitMs,
                                     std::function<bool(int)> look, const Waiter &wait)
{
    if (paths.isEmpty())
        return {};
    timedlook::RunningStretch r = timedlook::startStretch(
            silent, paths, 0, int(paths.size()), std::make_shared<std::function<bool(int)>>(std::move(look)));
    if (!r.thread.isStarted())
        return {0, false, false};
    FilesInTurn out;
    timedlook::waitUntil(wait, [&](int ms) {
        if (const std::optional<int> found = r.thread.waitFor(ms)) {
            out = {*found, true};
            return true;
        }
        if (!r.stalled(limitMs))
            return false;
        out = {r.stretch->giveUp(), false};
        return true;
    });
    return out;
}

// Which of the files given to lookAtFilesAcross were looked at.
struct FilesAcross
{
    std::vector<bool> answered;
    bool allAnswered = true;
};

// `look(i)` for each of `paths`, split in order into at most `threads`
// stretches, each looked at in turn on a thread of its own as
// lookAtFilesInTurn does, waited on through `wait`. A stretch whose file
// outlasts `limitMs` is given up on there (silent in `silent`); the others go
// on. `look` runs on several threads at once.
inline FilesAcross lookAtFilesAcross(const std::shared_ptr<SilentFiles> &silent, const QStringList &paths, int threads,
                                     int limitMs, const std::function<void(int)> &look, const Waiter &wait)
{
    const int count = int(paths.size());
    FilesAcross out;
    out.answered.assign(size_t(count), false);
    const int parts = std::max(1, std::min(threads, count));
    const auto each = std::make_shared<std::function<bool(int)>>([look](int i) {
        look(i);
        return false;
    });
    std::vector<timedlook::RunningStretch> running;
    for (int k = 0; k < parts && count > 0; ++k)
        running.push_back(timedlook::startStretch(silent, paths, int(qint64(count) * k / parts),
                                                  int(qint64(count) * (k + 1) / parts), each));
    auto answer = [&out](int from, int to) {
        for (int i = from; i < to; ++i)
            out.answered[size_t(i)] = true;
    };
    timedlook::waitUntil(wait, [&](int ms) {
        if (!running.empty())
            running.front().thread.waitFor(ms);
        for (auto r = running.begin(); r != running.end();) {
            if (r->thread.waitFor(0)) {
                answer(r->stretch->begin(), r->stretch->end());
            } else if (!r->thread.isStarted() || r->stalled(limitMs)) {
                out.allAnswered = false;
                answer(r->stretch->begin(), r->thread.isStarted() ? r->stretch->giveUp() : r->stretch->begin());
            } else {
                ++r;
                continue;
            }
            r = running.erase(r);
        }
        return running.empty();
    });
    return out;
}

} // namespace ztplatform

#endif

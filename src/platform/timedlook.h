#ifndef ZT_PLATFORM_TIMEDLOOK_H
#define ZT_PLATFORM_TIMEDLOOK_H

// A look at a drive (a stat, a listing, a read) on a thread of its own, so
// that nobody waits on a drive that does not answer longer than they chose.

#include "platform/silentfiles.h"

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

// Runs `look` on a thread of its own and waits at most `limitMs` for it.
template <typename T>
std::optional<T> lookWithin(int limitMs, std::function<T()> look)
{
    return TimedLook<T>(std::move(look)).waitFor(limitMs);
}

namespace timedlook {

// `running` waited on at most `limitMs`, `turn` run every `turnMs` meanwhile.
template <typename T>
std::optional<T> waitWithin(const TimedLook<T> &running, int limitMs, const std::function<void()> &turn, int turnMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (std::optional<T> result = running.waitFor(int(std::max<qint64>(0, std::min<qint64>(turnMs, left.count())))))
            return result;
        if (left.count() <= 0 || !running.isStarted())
            return std::nullopt;
        if (turn)
            turn();
    }
}

} // namespace timedlook

// A look already started, waited on as lookUntilStalled waits.
template <typename T>
std::optional<T> waitUntilStalled(const TimedLook<T> &running, const std::function<bool()> &stalled,
                                  const std::function<void()> &turn, int turnMs = 20)
{
    for (;;) {
        if (std::optional<T> done = running.waitFor(turnMs))
            return done;
        if (stalled())
            return running.waitFor(0);
        if (turn)
            turn();
    }
}

// `work` on a thread of its own, `turn` run every `turnMs` meanwhile, until
// it returns or `stalled` (asked after each turn) says to wait no more: then
// its result when it came just in time, else nothing. Without a thread,
// `work` runs here.
template <typename T>
std::optional<T> lookUntilStalled(const std::function<T()> &work, const std::function<bool()> &stalled,
                                  const std::function<void()> &turn, int turnMs = 20)
{
    const TimedLook<T> running(work);
    if (!running.isStarted())
        return work();
    return waitUntilStalled(running, stalled, turn, turnMs);
}

// The same, `turn` run on the calling thread every `turnMs` meanwhile (it
// lets the window paint).
template <typename T>
std::optional<T> lookWithin(int limitMs, std::function<T()> look, const std::function<void()> &turn, int turnMs = 20)
{
    return timedlook::waitWithin(TimedLook<T>(std::move(look)), limitMs, turn, turnMs);
}

// The same for a look at the file `path`: nothing, and no look started,
// while an earlier one given up on still waits on its drive.
template <typename T>
std::optional<T> lookAtFileWithin(const QString &path, int limitMs, std::function<T()> look,
                                  const std::function<void()> &turn, int turnMs = 20)
{
    if (isSilentFile(path))
        return std::nullopt;
    const auto mark = std::make_shared<SilentLook>(path);
    const TimedLook<T> running([mark, look = std::move(look)]() {
        T result = look();
        mark->returned();
        return result;
    });
    std::optional<T> result = timedlook::waitWithin(running, limitMs, turn, turnMs);
    if (!result && running.isStarted())
        mark->givenUp();
    return result;
}

// What a look at several files in turn found: the file whose look said to
// stop (the count of files when none did), or the one given up on.
struct FilesInTurn
{
    int at = 0;
    bool answered = true;
    bool started = true; // false: no thread could be started, nothing was looked at
};

// `look(i)` for each of `paths` in order, on a thread of its own, until one
// returns true; `turn` run meanwhile. Each file that answers gives the next
// the whole `limitMs`; the one that outlasts it is given up on and stays
// silent (isSilentFile) until its look returns. The caller leaves out files
// already silent.
inline FilesInTurn lookAtFilesInTurn(const QStringList &paths, int limitMs, std::function<bool(int)> look,
                                     const std::function<void()> &turn, int turnMs = 20)
{
    if (paths.isEmpty())
        return {};
    auto at = std::make_shared<std::atomic<int>>(0);
    auto marks = std::make_shared<std::vector<std::unique_ptr<SilentLook>>>();
    for (const QString &path : paths)
        marks->push_back(std::make_unique<SilentLook>(path));
    const int count = int(paths.size());
    const TimedLook<int> running([count, at, marks, look = std::move(look)]() {
        for (int i = 0; i < count; ++i) {
            at->store(i);
            const bool stop = look(i);
            marks->at(size_t(i))->returned();
            if (stop)
                return i;
        }
        return count;
    });
    int waitingOn = -1;
    auto since = std::chrono::steady_clock::now();
    for (;;) {
        if (const std::optional<int> found = running.waitFor(turnMs))
            return {*found, true};
        const int now = at->load();
        if (now != waitingOn) {
            waitingOn = now;
            since = std::chrono::steady_clock::now();
        } else if (!running.isStarted() || std::chrono::steady_clock::now() - since >= std::chrono::milliseconds(limitMs)) {
            if (!running.isStarted())
                return {now, false, false};
            marks->at(size_t(now))->givenUp();
            return {now, false};
        }
        if (turn)
            turn();
    }
}

} // namespace ztplatform

#endif

#ifndef ZT_DEVICE_PADWATCH_H
#define ZT_DEVICE_PADWATCH_H

// Whether the pad still answers, asked off the GUI thread, and work on the
// pad that the GUI thread waits on no longer than a limit.

#include "platform/anchoredfolder.h"
#include "platform/removabledrives.h"
#include "platform/timedlook.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// What work on the pad tells whoever waits on it, and what it is told back.
// Copies share one state; any thread may use them.
class PadPace
{
public:
    PadPace();
    // A look at the pad returned (a file read, a folder listed, a step done).
    void beat() const;
    // Nobody waits any more: work with steps left stops at the next one.
    bool abandoned() const { return m_state->abandoned; }
    void abandon() const { m_state->abandoned = true; }
    // Set once abandoned, for work that polls a flag (lives with the pace).
    const std::atomic_bool *abandonedFlag() const { return &m_state->abandoned; }
    // Beats and tells whether the work goes on (not abandoned).
    bool goOn() const;
    // Milliseconds since the work began or last beat.
    qint64 sinceBeat() const;
    // `root` for the work: each walk below it beats, and once the work is
    // abandoned none is made, so it writes nothing more.
    ztplatform::FolderAnchor paced(ztplatform::FolderAnchor root) const;

private:
    struct State
    {
        std::atomic<qint64> lastBeat{0}; // steady clock, ms
        std::atomic_bool abandoned{false};
    };
    std::shared_ptr<State> m_state;
};

// Once a second, while it watches, the pad's root is looked at (a stat
// through the drive source it is handed, DriveSource::answers) on a thread of its own. A look that has not returned in
// ANSWER_LIMIT_MS, or work given to run() that has not, makes the pad not
// answering until a look returns again.
class PadWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int ANSWER_LIMIT_MS = ztplatform::kSilentLimitMs;
    static constexpr int LOOK_INTERVAL_MS = 1000;
    static constexpr int PACED_POLL_MS = 20; // the waiter's turns while paced work runs

    // `drives` outlives the watch; looks still running let go of it with the watch.
    explicit PadWatch(const DriveSource &drives, QObject *parent = nullptr);
    ~PadWatch() override;

    // Watches the folder from now on; an empty name stops and counts the
    // pad as answering again.
    void watch(const QString &root);
    const QString &root() const { return m_root; }
    bool answering() const { return m_answering; }

    // How the GUI thread waits on work (it lets the window paint); without
    // one it blocks.
    void useWaiter(ztplatform::Waiter wait) { m_waiter = std::move(wait); }

    // `work` on a thread of its own, waited on at most `limitMs`: its
    // result, or nothing when it has not returned by then or the watch
    // found the pad silent meanwhile (the pad then does not answer). Nothing
    // is run while the pad does not answer. On the GUI thread the wait goes
    // through the waiter (useWaiter). `work` captures copies or shared
    // pointers only: it may outlive the caller.
    template <typename T>
    std::optional<T> run(std::function<T()> work, int limitMs = ANSWER_LIMIT_MS)
    {
        if (!judgeLook())
            return std::nullopt;
        const ztplatform::TimedLook<T> running(std::move(work));
        QElapsedTimer waited;
        waited.start();
        const bool turning = beginTurns();
        ztplatform::timedlook::waitUntil(turning ? m_waiter : ztplatform::Waiter(), [&](int ms) {
            const qint64 left = limitMs - waited.elapsed();
            if (!running.isStarted() || running.waitFor(int(qBound<qint64>(0, ms, qMax<qint64>(left, 0)))) || left <= 0)
                return true;
            return turning && !judgeLook();
        });
        endTurns(turning);
        std::optional<T> result = running.waitFor(0);
        if (!result)
            stopAnswering();
        return result;
    }

    // `work` on a thread of its own, handed a pace on which it beats after
    // each look at the pad, waited on through `wait`. Waited on while each
    // look returns within `lookLimitMs` of the last (0: however long, while
    // the watched root answers): its result, or nothing, the pace abandoned
    // and the pad not answering, when one has not or the root stopped
    // answering. Nothing is run while the pad does not answer. `work`
    // captures copies or shared pointers only: it may outlive the caller.
    template <typename T>
    std::optional<T> runPaced(std::function<T(const PadPace &)> work, const ztplatform::Waiter &wait,
                              int lookLimitMs = ANSWER_LIMIT_MS)
    {
        if (!judgeLook())
            return std::nullopt;
        const PadPace pace;
        const ztplatform::TimedLook<T> running([work, pace]() { return work(pace); });
        if (!running.isStarted())
            return work(pace); // no thread to be had: run here
        bool silent = false;
        ztplatform::timedlook::waitUntil(wait, [&](int ms) {
            if (running.waitFor(qMin(ms, int(PACED_POLL_MS))))
                return true;
            silent = (lookLimitMs > 0 && pace.sinceBeat() >= lookLimitMs) || !judgeLook();
            return silent;
        });
        if (std::optional<T> result = running.waitFor(0))
            return result;
        pace.abandon();
        stopAnswering();
        return std::nullopt;
    }

signals:
    void stoppedAnswering();

private:
    // True when this wait may let the window's events run: on the GUI thread,
    // not inside another such wait (which then waits without them).
    bool beginTurns();
    void endTurns(bool turning);
    void look();
    // False, and the pad not answering, when the look under way is overdue.
    bool judgeLook();
    // Work did not return: only a look started from now on tells otherwise.
    void stopAnswering();
    void setAnswering(bool answering);

    const std::shared_ptr<DriveAsk> m_drives; // let go with the watch
    QString m_root;
    QTimer m_timer;
    ztplatform::TimedLook<bool> m_look; // the look under way, or the last one
    QElapsedTimer m_lookAge;
    bool m_answering = true;
    bool m_lookBeforeSilence = false; // m_look began before work found the pad silent
    bool m_turning = false;           // a wait on the GUI thread lets events run
    ztplatform::Waiter m_waiter;
};

#endif

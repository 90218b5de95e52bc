#include "platform/job.h"

#include <QDebug>
#include <QMetaObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace ztplatform {

// What the work's thread shares with the job: it outlives a job let go of.
struct Job::State
{
    std::mutex lock;
    std::condition_variable ended;
    Job *owner = nullptr; // null once the job is gone
    bool finished = false;
    std::atomic<int> reports{0};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic_bool progressPending{false};

    void report(int d, int t)
    {
        done = d;
        total = t;
        reports.fetch_add(1);
        // One progress on its way at a time: the latest figures go with it.
        if (progressPending.exchange(true))
            return;
        std::lock_guard<std::mutex> hold(lock);
        if (!owner)
            return;
        Job *job = owner;
        QMetaObject::invokeMethod(
                job,
                [this, job] {
                    progressPending = false;
                    emit job->progress(done.load(), total.load());
                },
                Qt::QueuedConnection);
    }

    void end()
    {
        std::lock_guard<std::mutex> hold(lock);
        finished = true;
        ended.notify_all();
        if (Job *job = owner)
            QMetaObject::invokeMethod(job, [job] { emit job->finished(); }, Qt::QueuedConnection);
    }
};

Job::Job(Work work, QObject *parent)
    : QObject(parent), m_work(std::move(work)), m_state(std::make_shared<State>())
{
    m_state->owner = this;
}

Job::~Job()
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    m_state->owner = nullptr;
}

void Job::start()
{
    if (m_started)
        return;
    m_started = true;
    const std::shared_ptr<State> state = m_state;
    Work work = std::move(m_work);
    m_work = nullptr;
    const auto run = [state](const Work &w) {
        w([state](int done, int total) { state->report(done, total); });
    };
    try {
        std::thread([state, work, run]() mutable {
            run(work);
            work = nullptr; // what it captured goes before the end is told
            state->end();
        }).detach();
    } catch (const std::system_error &e) {
        qWarning() << "cannot start a thread for a job, it runs here:" << e.what();
        run(work);
        state->end();
    }
}

bool Job::isFinished() const
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    return m_state->finished;
}

int Job::reports() const
{
    return m_state->reports.load();
}

int Job::done() const
{
    return m_state->done.load();
}

int Job::total() const
{
    return m_state->total.load();
}

bool Job::waitFor(int ms) const
{
    std::unique_lock<std::mutex> hold(m_state->lock);
    return m_state->ended.wait_for(hold, std::chrono::milliseconds(qMax(ms, 0)),
                                   [this] { return m_state->finished; });
}

} // namespace ztplatform

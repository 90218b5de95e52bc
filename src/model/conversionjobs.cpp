#include "model/conversionjobs.h"

#include "model/audioconverter.h"
#include "platform/regularfile.h"

#include <QDebug>
#include <QHash>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
}

} // namespace

struct ConversionJobs::State
{
    struct Job
    {
        QString source;
        QString target;
        qint64 lookSince = -1; // steady clock ms while the source is looked at
        std::optional<Done> done;
    };

    QString program;
    std::mutex lock;
    std::condition_variable changed;
    QVector<Job> jobs;
    QHash<QPair<QString, QString>, int> byName;
    int next = 0;       // the first job not begun
    int workers = 0;    // threads taking jobs
    int converting = 0; // conversions writing their target
    std::atomic_bool stop{false};

    // Takes jobs in order until none is left or a stop came.
    static void work(const std::shared_ptr<State> &state);
};

void ConversionJobs::State::work(const std::shared_ptr<State> &state)
{
    audioconverter converter;
    converter.setProgram(state->program);
    converter.setStopFlag(&state->stop);
    std::unique_lock<std::mutex> hold(state->lock);
    while (!state->stop && state->next < state->jobs.size()) {
        const int i = state->next++;
        const QString source = state->jobs.at(i).source;
        const QString target = state->jobs.at(i).target;
        state->jobs[i].lookSince = nowMs();
        hold.unlock();
        // ffmpeg would wait on a pipe for ever.
        const bool regular = ztplatform::isRegularFile(source);
        hold.lock();
        state->jobs[i].lookSince = -1;
        Done done;
        done.regular = regular;
        if (regular && !state->stop) {
            ++state->converting;
            hold.unlock();
            audioconverter::removeEarlierOutput(source, target);
            done.converted = converter.audioConverterRun(source, target, done.mesg);
            done.faultPath = converter.writeFaultPath();
            done.faultReason = converter.writeFaultReason();
            hold.lock();
            --state->converting;
        }
        state->jobs[i].done = done;
        state->changed.notify_all();
    }
    --state->workers;
    state->changed.notify_all();
}

ConversionJobs::ConversionJobs(const QString &program, int threads)
    : m_state(std::make_shared<State>())
    , m_threads(threads > 0 ? threads : qMax(1, QThread::idealThreadCount()))
{
    m_state->program = program;
}

ConversionJobs::~ConversionJobs()
{
    m_state->stop = true;
}

int ConversionJobs::add(const QString &source, const QString &target)
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    const int i = m_state->jobs.size();
    m_state->jobs.append(State::Job{source, target, -1, std::nullopt});
    m_state->byName.insert({source, target}, i);
    if (m_state->workers < m_threads && !m_state->stop) {
        try {
            std::thread([state = m_state]() { State::work(state); }).detach();
            ++m_state->workers;
        } catch (const std::system_error &e) {
            qWarning() << "cannot start a thread for a conversion:" << e.what();
        }
    }
    if (m_state->workers == 0) {
        // No thread to take it: it fails as a conversion that did not run.
        m_state->next = m_state->jobs.size();
        m_state->jobs.last().done = Done{};
    }
    return i;
}

int ConversionJobs::find(const QString &source, const QString &target) const
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    return m_state->byName.value({source, target}, -1);
}

std::optional<ConversionJobs::Done> ConversionJobs::waitFor(int job, int limitMs) const
{
    std::unique_lock<std::mutex> hold(m_state->lock);
    if (job < 0 || job >= m_state->jobs.size())
        return std::nullopt;
    // A job a stop kept from beginning never ends: it failed.
    const auto over = [&] { return m_state->jobs.at(job).done.has_value() || (m_state->stop && job >= m_state->next); };
    m_state->changed.wait_for(hold, std::chrono::milliseconds(limitMs), over);
    if (!m_state->jobs.at(job).done && over())
        return Done{};
    return m_state->jobs.at(job).done;
}

qint64 ConversionJobs::lookingForMs(int job) const
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    if (job < 0 || job >= m_state->jobs.size() || m_state->jobs.at(job).lookSince < 0)
        return -1;
    return nowMs() - m_state->jobs.at(job).lookSince;
}

bool ConversionJobs::settle(int limitMs, const std::function<void()> &turn)
{
    m_state->stop = true;
    const qint64 end = nowMs() + limitMs;
    std::unique_lock<std::mutex> hold(m_state->lock);
    for (;;) {
        if (m_state->converting == 0)
            return true;
        const qint64 left = end - nowMs();
        if (left <= 0)
            return false;
        m_state->changed.wait_for(hold, std::chrono::milliseconds(qMin<qint64>(20, left)),
                                  [&] { return m_state->converting == 0; });
        if (turn && m_state->converting != 0) {
            hold.unlock();
            turn();
            hold.lock();
        }
    }
}

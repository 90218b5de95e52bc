#include "model/conversionjobs.h"

#include "model/audioconverter.h"
#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/errortext.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using ztplatform::nowMs;

// Where the copy of a source read below the root goes: beside the target,
// with the source's suffix, which tells ffmpeg its form.
QString copyPath(const QString &source, const QString &target)
{
    const QString suffix = QFileInfo(source).suffix();
    return target + QStringLiteral(".in") + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

} // namespace

struct ConversionJobs::State
{
    struct Job
    {
        QString source;
        QString target;
        qint64 lookSince = -1; // steady clock ms while the source is looked at
        std::shared_ptr<ztplatform::SilentLook> look; // that look, while it lasts
        std::optional<Done> done;
    };

    QString program;
    audioconverter::Limits limits;
    std::shared_ptr<ztplatform::Leftovers> leftovers;
    std::shared_ptr<ztplatform::FolderFence> fence;
    std::shared_ptr<ztplatform::SilentFiles> silent;
    ztplatform::FolderAnchor root; // sources below it are read through it
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
    audioconverter converter(state->limits, ztplatform::diskOf(state->fence));
    converter.setProgram(state->program);
    converter.setStopFlag(&state->stop);
    converter.setLeftovers(state->leftovers);
    converter.setSilentFiles(state->silent);
    std::unique_lock<std::mutex> hold(state->lock);
    // The converter's scratch folder serves the batch; it goes before the
    // last result is told, or a stop is settled.
    const auto dropIfLast = [&]() {
        if (state->stop || state->next >= state->jobs.size()) {
            hold.unlock();
            converter.dropScratch();
            hold.lock();
        }
    };
    while (!state->stop && state->next < state->jobs.size()) {
        const int i = state->next++;
        const QString source = state->jobs.at(i).source;
        const QString target = state->jobs.at(i).target;
        const bool below = state->root.covers(source);
        const ztplatform::FolderAnchor root = state->root;
        const QString input = below ? copyPath(source, target) : source;
        Done done;
        // A source whose drive still holds an earlier look given up on is not
        // looked at again: no other thread waits on it.
        if (ztplatform::isSilentFile(state->silent, source)) {
            done.silent = true;
            done.regular = false;
            dropIfLast();
            state->jobs[i].done = done;
            state->changed.notify_all();
            continue;
        }
        const auto look = std::make_shared<ztplatform::SilentLook>(state->silent, source);
        state->jobs[i].look = look;
        state->jobs[i].lookSince = nowMs();
        hold.unlock();
        // ffmpeg would wait on a pipe for ever. A copy is looked at as long
        // as its reads go on.
        const auto moved = [&state, i]() {
            std::lock_guard<std::mutex> g(state->lock);
            state->jobs[i].lookSince = nowMs();
        };
        const bool taken = below ? copyBelow(root, source, input, state->stop, done, moved)
                                 : ztplatform::isRegularFile(state->fence, source);
        look->returned();
        hold.lock();
        state->jobs[i].lookSince = -1;
        state->jobs[i].look.reset();
        done.regular = below ? done.readType == 0 && done.readError == 0 : taken;
        if (taken && !state->stop) {
            ++state->converting;
            hold.unlock();
            audioconverter::removeEarlierOutput(input, target);
            done.converted = converter.audioConverterRun(input, target, done.mesg);
            done.silent = !converter.silentSource().isEmpty();
            done.faultPath = converter.writeFaultPath();
            done.faultReason = converter.writeFaultReason();
            hold.lock();
            dropIfLast();
            --state->converting;
        }
        if (below) {
            hold.unlock();
            if (ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(input)) != 0 && errno != ENOENT)
                qDebug() << "cannot remove" << input << ":" << std::strerror(errno);
            hold.lock();
        }
        dropIfLast();
        state->jobs[i].done = done;
        state->changed.notify_all();
    }
    --state->workers;
    state->changed.notify_all();
}

ConversionJobs::ConversionJobs(const QString &program, int threads, const audioconverter::Limits &limits,
                               std::shared_ptr<ztplatform::Leftovers> leftovers,
                               std::shared_ptr<ztplatform::FolderFence> fence,
                               std::shared_ptr<ztplatform::SilentFiles> silent)
    : m_state(std::make_shared<State>())
    , m_threads(threads > 0 ? threads : qMax(1, QThread::idealThreadCount()))
{
    m_state->program = program;
    m_state->limits = limits;
    m_state->leftovers = std::move(leftovers);
    m_state->fence = std::move(fence);
    m_state->silent = std::move(silent);
}

ConversionJobs::~ConversionJobs()
{
    m_state->stop = true;
}

bool ConversionJobs::copyBelow(const ztplatform::FolderAnchor &root, const QString &source, const QString &copy,
                               const std::atomic_bool &stop, Done &done, const std::function<void()> &moved,
                               ztplatform::FileStamp *stamp)
{
    QString name;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = root.openFolderOf(source, &name, &reach);
    const ztplatform::Descriptor in(folder.isOpen() ? folder.openEntry(name, O_RDONLY | O_NONBLOCK) : -1);
    const int openError = errno;
    struct stat st;
    if (!in.isOpen() || folder.disk().stat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (in.isOpen())
            done.readType = st.st_mode & S_IFMT;
        else if (folder.isOpen())
            done.readType = ztplatform::entryType(folder.fd(), name);
        else if (reach == ztplatform::Reach::Outside)
            done.readType = S_IFLNK; // a step of its path leads out of the pad
        done.rootRefused = !folder.isOpen() && reach != ztplatform::Reach::Outside;
        done.readError = done.readType != 0 ? 0 : (folder.isOpen() ? openError : ENOENT);
        if (done.readType == S_IFREG) {
            done.readType = 0; // there, but it did not open
            done.readError = openError ? openError : EIO;
        }
        return false;
    }
    if (stamp)
        *stamp = ztplatform::fileStamp(folder.disk(), in.get());
    // The copy is scratch, written through the editor's disk.
    ztplatform::Disk &scratch = ztplatform::sysio::disk();
    const ztplatform::Descriptor out(scratch.openAt(AT_FDCWD, QFile::encodeName(copy),
                                                    O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.isOpen()) {
        done.faultPath = copy;
        done.faultReason = ztplatform::errorText(errno);
        return false;
    }
    char buffer[65536];
    for (;;) {
        if (stop)
            return false;
        const qint64 got = folder.disk().read(in.get(), buffer, sizeof buffer);
        if (got < 0) {
            done.readError = errno;
            return false;
        }
        if (got == 0)
            return true;
        moved();
        if (!scratch.write(out.get(), buffer, got)) {
            done.faultPath = copy;
            done.faultReason = ztplatform::errorText(errno);
            return false;
        }
    }
}

void ConversionJobs::readBelow(const ztplatform::FolderAnchor &root)
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    m_state->root = root;
}

int ConversionJobs::add(const QString &source, const QString &target)
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    const int i = m_state->jobs.size();
    m_state->jobs.append(State::Job{source, target, -1, {}, std::nullopt});
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

void ConversionJobs::giveUp(int job)
{
    std::lock_guard<std::mutex> hold(m_state->lock);
    if (job >= 0 && job < m_state->jobs.size() && m_state->jobs.at(job).look)
        m_state->jobs.at(job).look->givenUp();
}

bool ConversionJobs::settle(int limitMs, const ztplatform::Waiter &wait)
{
    m_state->stop = true;
    const qint64 end = nowMs() + limitMs;
    bool settled = false;
    ztplatform::timedlook::waitUntil(wait, [&](int ms) {
        std::unique_lock<std::mutex> hold(m_state->lock);
        const qint64 left = end - nowMs();
        settled = m_state->changed.wait_for(hold, std::chrono::milliseconds(qBound<qint64>(0, ms, qMax<qint64>(left, 0))),
                                            [&] { return m_state->converting == 0; });
        return settled || left <= 0;
    });
    return settled;
}

#include "library/audioprobe.h"

#include "library/waveprobe.h"
#include "model/audioconverter.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QAtomicInt>
#include <QDebug>
#include <QFile>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

using ztplatform::kSilentLimitMs;

namespace audioprobe {
namespace {

using ztplatform::nowMs;

constexpr int kProbeTimeout = 60 * 1000; // ms for one ffmpeg run
constexpr int kWaitStep = 20;            // ms between two calls of `wait`
constexpr int kBatchMax = 16;            // files decoded by one ffmpeg run

// Silent: the file's drive did not answer; it is not taken.
enum class Look { Audio, NotAudio, Unknown, Silent };

// ffmpeg's answers about a batch of files.
struct Decoded
{
    QVector<bool> each; // empty when the run itself failed
    bool tooLong = false;
    bool stopped = false;
    bool silent = false; // a file's drive did not answer: nothing was run
};

// Frames a plain file at `rate` needs before ffmpeg's conversion to 48 kHz
// writes any: at 48 kHz every frame comes out; the resampler writes nothing
// until it holds most of its filter (32 frames, longer in proportion to a
// rate above its cutoff near 46 kHz), so a whole filter is asked for.
qint64 safeFrames(quint32 rate)
{
    constexpr qint64 kFilterFrames = 32;
    constexpr qint64 kCutoffRate = 46000;
    if (rate == 48000)
        return 1;
    return std::max(kFilterFrames, (qint64(rate) * kFilterFrames + kCutoffRate - 1) / kCutoffRate);
}

// A WAVE file of integer or float PCM whose fields agree and whose "data"
// chunk holds, within the file, enough whole frames that the conversion to
// the pad's form writes at least one: ffmpeg decodes it whatever the samples
// are, also when the file ends inside its chunk or inside a frame.
bool isPlainPcm(QFile &file)
{
    const waveprobe::Format f = waveprobe::probePlain(file);
    const bool integer = f.formatTag == 1 && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floating = f.formatTag == 3 && (f.bits == 32 || f.bits == 64);
    if (!f.hasFmt || !(integer || floating) || f.channels < 1 || f.channels > 8 || f.sampleRate < 1000
        || f.sampleRate > 768000 || f.blockAlign != f.channels * f.bits / 8)
        return false;
    quint32 length = 0;
    const qint64 at = waveprobe::findChunk(file, "data", &length);
    if (at < 0)
        return false;
    const qint64 frames = std::min<qint64>(length, file.size() - (at + 8)) / f.blockAlign;
    return frames >= safeFrames(f.sampleRate);
}

// What can be told without ffmpeg, looked at here.
Look quickLookHere(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &path)
{
    // Opened without waiting, then looked at: a pipe, a device or a folder is no sound.
    if (!ztplatform::isRegularFile(fence, path))
        return Look::NotAudio;
    ztplatform::sysio::SeamFile file(&ztplatform::diskOf(fence));
    if (!ztplatform::openRegularFile(path, file, false) || file.size() == 0)
        return Look::NotAudio;
    return isPlainPcm(file) ? Look::Audio : Look::Unknown;
}

// The same on a thread of its own, not waited on past the limit.
Look quickLook(const std::shared_ptr<ztplatform::FolderFence> &fence,
               const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &path)
{
    const std::optional<Look> look = ztplatform::lookAtFileWithin<Look>(
            silent, path, kSilentLimitMs, [fence, path]() { return quickLookHere(fence, path); }, ztplatform::Waiter());
    if (look)
        return *look;
    qWarning().noquote() << "the drive of" << path << "does not answer: it is not taken as a sound";
    return Look::Silent;
}

// Whether ffmpeg decodes each of `paths`, by one run for all; empty when the
// run itself failed.
Decoded decodes(const QStringList &paths, const std::atomic_bool *stop, const audioconverter::Limits &limits,
                const std::shared_ptr<ztplatform::SilentFiles> &silent, ztplatform::Disk &disk)
{
    audioconverter converter(limits, disk);
    converter.setSilentFiles(silent);
    converter.setTimeout(kProbeTimeout);
    converter.setStopFlag(stop);
    QString mesg;
    Decoded d;
    converter.audioProbeRun(paths, mesg, &d.each);
    d.tooLong = converter.tookTooLong();
    d.silent = !converter.silentSource().isEmpty();
    d.stopped = stop && *stop;
    if (d.each.isEmpty() && paths.size() == 1)
        qDebug() << "not audio:" << paths.first() << mesg.trimmed();
    for (int i = 0; i < d.each.size(); ++i) {
        if (!d.each.at(i))
            qDebug() << "not audio:" << paths.at(i) << "(no samples)";
    }
    return d;
}

// What ffmpeg makes of `path` alone.
Verdict decodesOne(const QString &path, const std::atomic_bool *stop, const audioconverter::Limits &limits,
                   const std::shared_ptr<ztplatform::SilentFiles> &silent, ztplatform::Disk &disk)
{
    const Decoded d = decodes({path}, stop, limits, silent, disk);
    if (!d.each.isEmpty())
        return d.each.first() ? Verdict::Audio : Verdict::NotAudio;
    return d.stopped ? Verdict::Stopped : d.silent ? Verdict::Silent : d.tooLong ? Verdict::TooLong : Verdict::NotAudio;
}

// The bytes of a file as a group row keeps them, read on a thread of its own
// while the file goes on reading; unknown when its drive stops answering.
groupentries::Identity bytesOf(const std::shared_ptr<ztplatform::FolderFence> &fence,
                               const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &path)
{
    if (ztplatform::isSilentFile(silent, path))
        return {};
    const auto lastRead = std::make_shared<std::atomic<qint64>>(nowMs());
    const auto mark = std::make_shared<ztplatform::SilentLook>(silent, path);
    const std::optional<groupentries::Identity> read = ztplatform::lookUntilStalled<groupentries::Identity>(
            [path, lastRead, mark, fence]() {
                ztplatform::FileStamp stamp;
                const QString digest =
                        groupentries::digestOfFile(path, &stamp, [lastRead]() { *lastRead = nowMs(); }, fence);
                mark->returned();
                if (digest.isEmpty())
                    return groupentries::Identity();
                return groupentries::Identity{QString(), qint64(stamp.size), digest, groupentries::stampText(stamp)};
            },
            [lastRead]() { return nowMs() - *lastRead >= kSilentLimitMs; }, ztplatform::Waiter());
    if (!read) {
        mark->givenUp();
        qWarning().noquote() << "the drive of" << path << "does not answer: its bytes are not known";
    }
    return read.value_or(groupentries::Identity());
}

} // namespace

QVector<Verdict> probeEach(const QStringList &paths, const std::function<void(int done)> &wait, int threads,
                           QVector<groupentries::Identity> *bytes, const std::atomic_bool *stop,
                           const audioconverter::Limits &limits, const std::shared_ptr<ztplatform::FolderFence> &fence,
                           std::shared_ptr<ztplatform::SilentFiles> silent)
{
    silent = ztplatform::orNewSilentFiles(std::move(silent));
    const int n = paths.size();
    QVector<Verdict> verdicts(n, Verdict::Stopped);
    Verdict *verdict = verdicts.data(); // each element written by one task only
    const auto stopped = [stop] { return stop && *stop; };
    if (bytes)
        *bytes = QVector<groupentries::Identity>(n);
    groupentries::Identity *read = bytes ? bytes->data() : nullptr;
    QAtomicInt done(0);
    QThreadPool pool;
    pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());

    // Batches of at most kBatchMax files that fill every thread in each round.
    const int workers = pool.maxThreadCount();
    const int rounds = (n + workers * kBatchMax - 1) / (workers * kBatchMax);
    const int batch = std::max(1, (n + workers * rounds - 1) / std::max(1, workers * rounds));

    auto finish = [&](int i, Verdict v) {
        verdict[i] = v;
        if (v == Verdict::Audio && read)
            read[i] = bytesOf(fence, silent, paths.at(i));
        done.fetchAndAddRelease(1);
    };
    auto single = [&](int i) {
        if (!stopped())
            finish(i, decodesOne(paths.at(i), stop, limits, silent, ztplatform::diskOf(fence)));
    };
    auto probeBatch = [&](int from, int to) {
        QVector<int> unknown;
        for (int i = from; i < to && !stopped(); ++i) {
            const Look look = quickLook(fence, silent, paths.at(i));
            if (look == Look::Unknown)
                unknown.append(i);
            else
                finish(i, look == Look::Audio    ? Verdict::Audio
                          : look == Look::Silent ? Verdict::Silent
                                                 : Verdict::NotAudio);
        }
        QStringList files;
        for (int i : qAsConst(unknown))
            files.append(paths.at(i));
        if (files.isEmpty() || stopped())
            return;
        const Decoded d = decodes(files, stop, limits, silent, ztplatform::diskOf(fence));
        if (d.stopped)
            return;
        if (d.each.isEmpty() && files.size() > 1) {
            // The run itself failed (a file ffmpeg cannot open, one that takes
            // too long): each on its own.
            for (int i : qAsConst(unknown))
                pool.start(QRunnable::create([&single, i] { single(i); }));
            return;
        }
        const Verdict failed = d.silent ? Verdict::Silent : d.tooLong ? Verdict::TooLong : Verdict::NotAudio;
        for (int j = 0; j < unknown.size(); ++j)
            finish(unknown.at(j), d.each.isEmpty() ? failed : d.each.at(j) ? Verdict::Audio : Verdict::NotAudio);
    };
    for (int from = 0; from < n; from += batch) {
        const int to = std::min(n, from + batch);
        pool.start(QRunnable::create([&probeBatch, from, to] { probeBatch(from, to); }));
    }
    while (!pool.waitForDone(kWaitStep)) {
        if (wait)
            wait(done.loadAcquire());
    }
    return verdicts;
}

} // namespace audioprobe

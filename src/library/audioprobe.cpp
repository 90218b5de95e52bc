#include "library/audioprobe.h"

#include "library/waveprobe.h"
#include "model/audioconverter.h"

#include <QAtomicInt>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

namespace audioprobe {
namespace {

constexpr int kProbeTimeout = 60 * 1000; // ms for one ffmpeg run
constexpr int kWaitStep = 20;            // ms between two calls of `wait`

// A RIFF file of integer or float PCM whose fields agree and whose "data"
// chunk holds at least one frame: ffmpeg decodes it whatever the samples are.
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
    return at >= 0 && length >= f.blockAlign && at + 8 + f.blockAlign <= file.size();
}

} // namespace

bool isAudio(const QString &path)
{
    // Pipes, devices and folders are never opened: reading them could block.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    if (isPlainPcm(file))
        return true;
    file.close();
    audioconverter converter;
    converter.setTimeout(kProbeTimeout);
    QString mesg;
    const bool ok = converter.audioProbeRun(path, mesg);
    if (!ok)
        qDebug() << "not audio:" << path << mesg.trimmed();
    return ok;
}

QVector<bool> probeAll(const QStringList &paths, const std::function<void(int done)> &wait, int threads)
{
    QVector<bool> flags(paths.size(), false);
    bool *flag = flags.data(); // one element per task, written by that task only
    QAtomicInt done(0);
    QThreadPool pool;
    pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        pool.start(QRunnable::create([path, flag, i, &done] {
            flag[i] = isAudio(path);
            done.fetchAndAddRelease(1);
        }));
    }
    while (!pool.waitForDone(kWaitStep)) {
        if (wait)
            wait(done.loadAcquire());
    }
    return flags;
}

} // namespace audioprobe

#include "device/waveprm.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "model/audioconverter.h"
#include "model/bytepack.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"
#include "platform/regularfile.h"
#include "platform/disk.h"
#include "platform/runfolders.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <functional>

namespace waveprm {

namespace {

bool conversionFailed(bool converted, qint64 wavSize)
{
    // Judged by ffmpeg's exit and the samples written, not by its warnings.
    // Shorter than the header, the record's length would wrap.
    return !converted || wavSize <= audioconverter::WAVE_HEAD_SIZE;
}

qint64 fileSize(const QString &path)
{
    const QFileInfo fi(path);
    return fi.isFile() ? fi.size() : 0;
}

void logFolderFailure(const QString &folder)
{
    qDebug().noquote() << DeviceText::tr("Failed to create the folder.") + QStringLiteral("\r\n")
                    + DeviceText::tr("Folder Location: ") + folder;
}

} // namespace

PrmRecord parseRecord(const QByteArray &bytes)
{
    QByteArray full = bytes.left(PRM_RECORD_SIZE);
    full.append(QByteArray(PRM_RECORD_SIZE - full.size(), '\0'));
    const uchar *p = reinterpret_cast<const uchar *>(full.constData());
    PrmRecord r;
    r.waveNo = bytepack::get16(p);
    r.nameField = full.mid(2, SOUND_NAME_LENGTH_1);
    r.start_cluster = bytepack::get32(p + 22);
    r.wave_length = bytepack::get32(p + 26);
    r.wave_start = bytepack::get32(p + 30);
    r.wave_end = bytepack::get32(p + 34);
    r.size = bytepack::get32(p + 38);
    r.wave_lock = p[42];
    return r;
}

quint32 waveLength(quint32 wavSize)
{
    return (wavSize >> 2) - 11u;
}

QByteArray buildRecord(quint16 waveNo, const QString &name, quint32 wavSize)
{
    uchar p[PRM_RECORD_SIZE] = {};
    bytepack::put16(p, waveNo);
    MainWindow1Records::str2CharArray(name, reinterpret_cast<char *>(p + 2), SOUND_NAME_LENGTH_1);
    const quint32 length = waveLength(wavSize);
    bytepack::put32(p + 26, length);
    bytepack::put32(p + 34, length);
    bytepack::put32(p + 38, wavSize);
    p[42] = 1;
    return QByteArray(reinterpret_cast<const char *>(p), PRM_RECORD_SIZE);
}

namespace {

// Copies the file `from` into the open `fd` through `disk`; its size goes to *size.
bool copyInto(ztplatform::Disk &disk, const QString &from, int fd, qint64 *size)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    *size = in.size();
    QByteArray buffer(audioconverter::COPY_BUFFER_SIZE, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        if (!disk.write(fd, buffer.constData(), n))
            return false;
    }
}

// One of the pad's two numbered folders of a wave, reached from the root.
struct WaveFolder {
    WaveWrite failure = WaveWrite::Written; // Written when `folder` is open
    ztplatform::OpenFolder base;
    ztplatform::OpenFolder folder;
    bool created = false; // `folder` was made now

    // Forces the folder's entries, and a new folder's own entry, to the disk.
    bool sync() const { return folder.sync() && (!created || base.sync()); }
};

WaveFolder openWaveFolder(const ztplatform::FolderAnchor &root, const QString &base, const QString &fff)
{
    WaveFolder w;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    w.base = root.openFolder(base, &reach);
    if (reach == ztplatform::Reach::Replaced) {
        qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
        w.failure = WaveWrite::Stopped;
        return w;
    }
    if (reach == ztplatform::Reach::Outside || w.base.isLink(fff)) {
        qWarning() << "the pad's wave folder leads out of the pad:" << base + QLatin1Char('/') + fff;
        w.failure = WaveWrite::Blocked;
        return w;
    }
    w.folder = w.base.makeFolder(fff, &w.created);
    if (!w.folder.isOpen()) {
        logFolderFailure(base + QLatin1Char('/') + fff);
        w.failure = WaveWrite::Stopped;
    }
    return w;
}

// Makes `hidden` in the folder, lets `write` fill the open file and forces
// it to the disk. False with errno on failure.
bool writeHidden(const ztplatform::OpenFolder &folder, const QString &hidden, const std::function<bool(int)> &write)
{
    if (hidden.isEmpty()) {
        errno = EEXIST; // no hidden name was free
        return false;
    }
    const int fd = folder.openEntry(hidden, O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0)
        return false;
    bool ok = write(fd) && folder.syncFile(fd);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    errno = error;
    return ok;
}

// The two files of one sound, each written under a hidden name beside the
// name it takes.
struct PairWrite {
    const WaveFolder &data, &prm;
    QString wavName, prmName, hiddenWav, hiddenPrm;

    // Neither file is left under either name; the folders forced to the disk.
    void drop() const
    {
        data.folder.remove(hiddenWav);
        prm.folder.remove(hiddenPrm);
        data.folder.sync();
        prm.folder.sync();
    }
    // The first file back under its hidden name, then both dropped.
    void takeBackWav() const
    {
        pairfiles::moveEntry(data.folder, wavName, data.folder, hiddenWav);
        drop();
    }
};

WaveWrite refused(int error, int *refusal)
{
    qWarning() << "the sampler pad refused a write:" << std::strerror(error);
    if (error == EEXIST)
        return WaveWrite::Blocked;
    if (refusal)
        *refusal = error;
    return WaveWrite::Stopped;
}

// Both files under hidden names and on the disk, then renamed back to back,
// then both folders forced to the disk: a stop anywhere leaves the pair whole,
// hidden, or gone.
WaveWrite placePair(const PairWrite &pair, const QString &converted, quint16 waveNo, const QString &name,
                    int *refusal)
{
    qint64 size = 0;
    const bool written =
            writeHidden(pair.data.folder, pair.hiddenWav,
                        [&](int fd) { return copyInto(pair.data.folder.disk(), converted, fd, &size); })
            && writeHidden(pair.prm.folder, pair.hiddenPrm, [&](int fd) {
                   const QByteArray record = buildRecord(waveNo, name, quint32(size));
                   return pair.prm.folder.disk().write(fd, record.constData(), record.size());
               })
            && pair.data.sync() && pair.prm.sync();
    if (!written) {
        const int error = errno;
        pair.drop();
        return refused(error, refusal);
    }
    if (!pairfiles::moveEntry(pair.data.folder, pair.hiddenWav, pair.data.folder, pair.wavName)) {
        const int error = errno;
        pair.drop();
        return refused(error, refusal);
    }
    if (!pairfiles::moveEntry(pair.prm.folder, pair.hiddenPrm, pair.prm.folder, pair.prmName)
        || !pair.data.folder.sync() || !pair.prm.folder.sync()) {
        const int error = errno;
        if (pair.prm.folder.exists(pair.prmName) && !pair.prm.folder.exists(pair.hiddenPrm))
            pairfiles::moveEntry(pair.prm.folder, pair.prmName, pair.prm.folder, pair.hiddenPrm);
        pair.takeBackWav();
        return refused(error, refusal);
    }
    return WaveWrite::Written;
}

} // namespace

WaveWrite writeDeviceWave(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                          const QString &dataPath, const QString &prmPath, const ztplatform::FolderAnchor &padRoot,
                          int *refusal)
{
    if (refusal)
        *refusal = 0;
    if (!padRoot.isValid() || !padtree::isUsableFolder(dataPath) || !padtree::isUsableFolder(prmPath)) {
        qWarning() << "not the pad's wave folders:" << dataPath << prmPath;
        return WaveWrite::Stopped;
    }
    if (waveNo < 1 || padtree::waveFolderNumber(waveNo) > WAVE_FOLDER_MAX) {
        qDebug() << "Only supports creating 100 folders" << waveNo;
        return WaveWrite::Stopped;
    }
    const QString fff = padtree::threeDigits(padtree::waveFolderNumber(waveNo));
    const QString rrr = padtree::threeDigits(padtree::waveFileNumber(waveNo));
    const QString wavName = rrr + QStringLiteral(".wav");
    const QString prmName = rrr + QStringLiteral(".prm");

    // Only a regular file is converted: ffmpeg would wait on a pipe for ever.
    if (!ztplatform::isRegularFile(source)) {
        qWarning() << "not a regular file, not converted:" << source;
        return WaveWrite::ConversionFailed;
    }
    // Converted beside the editor first; the pad's folders are reached and
    // checked only when the result is written into them.
    ztplatform::RunFolder work(QStringLiteral("zt350wave-"));
    const QString converted = work.filePath(wavName);
    QString ffmpegText;
    const bool ran = work.isValid() && conv.audioConverterRun(source, converted, ffmpegText);
    if (ffmpegText.isEmpty()) {
        qDebug().noquote() << DeviceText::tr("Missing some files for the program!");
        return WaveWrite::Stopped;
    }
    if (conversionFailed(ran, fileSize(converted))) {
        qDebug().noquote() << DeviceText::tr("Wrong data in file：") + QStringLiteral("\r\n") + ffmpegText;
        return WaveWrite::ConversionFailed;
    }

    // Both folders are reached before either file is written.
    const WaveFolder data = openWaveFolder(padRoot, dataPath, fff);
    if (data.failure != WaveWrite::Written) {
        qDebug().noquote() << QStringLiteral("创建文件夹失败");
        return data.failure;
    }
    const WaveFolder prm = openWaveFolder(padRoot, prmPath, fff);
    if (prm.failure != WaveWrite::Written)
        return prm.failure;
    // Whatever stands at a name of the pair (a pair the editor did not list,
    // a link) is never opened, replaced or removed.
    if (!pairfiles::findEntry(data.folder, wavName).isEmpty() || !pairfiles::findEntry(prm.folder, prmName).isEmpty()) {
        qWarning() << "an entry stands at the name of wave" << waveNo << ":" << dataPath + QLatin1Char('/') + fff;
        return WaveWrite::Blocked;
    }
    const PairWrite pair{data, prm, wavName, prmName, pairfiles::freeHiddenName(data.folder, wavName),
                         pairfiles::freeHiddenName(prm.folder, prmName)};
    return placePair(pair, converted, quint16(waveNo), name, refusal);
}

} // namespace waveprm

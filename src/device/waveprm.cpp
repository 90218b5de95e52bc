#include "device/waveprm.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "model/audioconverter.h"
#include "model/bytepack.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

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

// Copies the file `from` into the open `fd`; its size goes to *size.
bool copyInto(const QString &from, int fd, qint64 *size)
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
        for (qint64 done = 0; done < n;) {
            const ssize_t w = ::write(fd, buffer.constData() + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
    }
}

bool writeAll(int fd, const QByteArray &bytes)
{
    return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
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

} // namespace

WaveWrite writeDeviceWave(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                          const QString &dataPath, const QString &prmPath, const ztplatform::FolderAnchor &padRoot)
{
    if (!padtree::isUsableFolder(dataPath) || !padtree::isUsableFolder(prmPath)) {
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
    const ztplatform::FolderAnchor root =
            padRoot.isValid() ? padRoot : ztplatform::FolderAnchor::record(QFileInfo(dataPath).absolutePath());

    // Only a regular file is converted: ffmpeg would wait on a pipe for ever.
    if (!ztplatform::isRegularFile(source)) {
        qWarning() << "not a regular file, not converted:" << source;
        return WaveWrite::ConversionFailed;
    }
    // Converted beside the editor first; the pad's folders are reached and
    // checked only when the result is written into them.
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/zt350wave-XXXXXX"));
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

    const WaveFolder data = openWaveFolder(root, dataPath, fff);
    if (data.failure != WaveWrite::Written) {
        qDebug().noquote() << QStringLiteral("创建文件夹失败");
        return data.failure;
    }
    // Both files are made new: whatever stands at a name (a pair the editor
    // did not list, a link) is never opened, replaced or removed.
    qint64 size = 0;
    const int wav = data.folder.openEntry(wavName, O_WRONLY | O_CREAT | O_EXCL);
    if (wav < 0 && errno == EEXIST) {
        qWarning() << "an entry stands at the name of wave" << waveNo << ":" << dataPath + QLatin1Char('/') + fff;
        return WaveWrite::Blocked;
    }
    // The sound counts only once it is on the disk, before any record names it.
    const bool copied = wav >= 0 && copyInto(converted, wav, &size) && ztplatform::OpenFolder::syncFile(wav);
    if ((wav >= 0 && ::close(wav) != 0) || !copied || !data.sync()) {
        qWarning() << "cannot write wave" << waveNo << "to the pad";
        if (wav >= 0)
            data.folder.remove(wavName);
        return WaveWrite::ConversionFailed;
    }
    auto dropPair = [&](const ztplatform::OpenFolder *prmFolder) {
        data.folder.remove(wavName);
        if (prmFolder)
            prmFolder->remove(prmName);
    };

    const WaveFolder prm = openWaveFolder(root, prmPath, fff);
    if (prm.failure != WaveWrite::Written) {
        dropPair(nullptr);
        return prm.failure;
    }
    const int out = prm.folder.openEntry(prmName, O_WRONLY | O_CREAT | O_EXCL);
    if (out < 0) {
        const bool taken = errno == EEXIST;
        qDebug() << "Open Error" << prmPath + QLatin1Char('/') + fff + QLatin1Char('/') + prmName;
        dropPair(nullptr);
        return taken ? WaveWrite::Blocked : WaveWrite::Stopped;
    }
    const bool written =
            writeAll(out, buildRecord(quint16(waveNo), name, quint32(size))) && ztplatform::OpenFolder::syncFile(out);
    if (::close(out) != 0 || !written || !prm.sync()) {
        qDebug() << "Open Error" << prmName;
        dropPair(&prm.folder);
        return WaveWrite::Stopped;
    }
    return WaveWrite::Written;
}

} // namespace waveprm

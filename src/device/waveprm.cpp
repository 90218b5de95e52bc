#include "device/waveprm.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "model/audioconverter.h"
#include "model/bytepack.h"
#include "model/mainwindow1records.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool ensureFolder(const QString &path)
{
    if (QFileInfo(path).isSymLink()) {
        qWarning() << "a link stands where the pad's folder belongs:" << path;
        return false;
    }
    if (QFileInfo(path).isDir())
        return true;
    // The other worker may create it at the same moment.
    return QDir().mkdir(path) || QFileInfo(path).isDir();
}

WaveWrite writeDeviceWave(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                          const QString &dataPath, const QString &prmPath)
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

    const QString waveFolder = dataPath + QLatin1Char('/') + fff;
    if (!ensureFolder(waveFolder)) {
        qDebug().noquote() << QStringLiteral("创建文件夹失败");
        logFolderFailure(waveFolder);
        return WaveWrite::Stopped;
    }
    const QString wav = waveFolder + QLatin1Char('/') + rrr + QStringLiteral(".wav");
    const QString prmFolder = prmPath + QLatin1Char('/') + fff;
    const QString prm = prmFolder + QLatin1Char('/') + rrr + QStringLiteral(".prm");

    // Written through, a link would change a file outside the pad.
    if (QFileInfo(wav).isSymLink() || QFileInfo(prm).isSymLink()) {
        qWarning() << "a link stands at the names of wave" << waveNo << ":" << wav << prm;
        return WaveWrite::Blocked;
    }

    // Only a regular file is converted: ffmpeg would wait on a pipe for ever.
    if (!ztplatform::isRegularFile(source)) {
        qWarning() << "not a regular file, not converted:" << source;
        return WaveWrite::ConversionFailed;
    }
    // A stale wave under this number must not pass for the result.
    audioconverter::removeEarlierOutput(source, wav);
    QString ffmpegText;
    const bool converted = conv.audioConverterRun(source, wav, ffmpegText);
    if (ffmpegText.isEmpty()) {
        qDebug().noquote() << DeviceText::tr("Missing some files for the program!");
        QFile::remove(wav);
        return WaveWrite::Stopped;
    }
    if (conversionFailed(converted, fileSize(wav))) {
        qDebug().noquote() << DeviceText::tr("Wrong data in file：") + QStringLiteral("\r\n") + ffmpegText;
        // A pair is on the pad whole or not at all: a stale record under
        // this number would break the next load.
        QFile::remove(wav);
        if (QFileInfo(prm).isFile())
            QFile::remove(prm);
        return WaveWrite::ConversionFailed;
    }

    if (!ensureFolder(prmFolder)) {
        logFolderFailure(prmFolder);
        QFile::remove(wav);
        return WaveWrite::Stopped;
    }
    QFile out(prm);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        qDebug() << "Open Error" << prm;
        QFile::remove(wav);
        return WaveWrite::Stopped;
    }
    const QByteArray rec = buildRecord(quint16(waveNo), name, quint32(fileSize(wav)));
    const bool written = out.write(rec) == rec.size();
    out.close();
    if (!written || out.error() != QFileDevice::NoError) {
        qDebug() << "Open Error" << prm << out.errorString();
        QFile::remove(prm);
        QFile::remove(wav);
        return WaveWrite::Stopped;
    }
    return WaveWrite::Written;
}

} // namespace waveprm

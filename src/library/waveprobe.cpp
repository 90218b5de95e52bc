#include "library/waveprobe.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>

namespace waveprobe {
namespace {

quint16 le16(const QByteArray &b, int at)
{
    return quint16(uchar(b.at(at)) | (uchar(b.at(at + 1)) << 8));
}

quint32 le32(const QByteArray &b, int at)
{
    return quint32(le16(b, at)) | (quint32(le16(b, at + 2)) << 16);
}

QByteArray readAt(QIODevice &dev, qint64 offset, int size)
{
    if (!dev.seek(offset))
        return QByteArray();
    return dev.read(size);
}

} // namespace

qint64 findChunk(QIODevice &dev, const char *tag, quint32 *length)
{
    // Only a RIFF file of form "WAVE" holds wave chunks.
    const QByteArray head = readAt(dev, 0, 12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8) != "WAVE")
        return -1;
    const qint64 size = dev.size();
    qint64 at = 12;
    while (at + 8 <= size) {
        const QByteArray head = readAt(dev, at, 8);
        if (head.size() < 8)
            break;
        const quint32 len = le32(head, 4);
        if (head.startsWith(tag)) {
            *length = len;
            return at;
        }
        at += 8 + qint64(len) + (len & 1); // chunks are padded to even sizes
    }
    return -1;
}

Format probePlain(QIODevice &dev)
{
    Format f;
    f.riff = readAt(dev, 0, 4) == "RIFF";
    quint32 len = 0;
    const qint64 at = f.riff ? findChunk(dev, "fmt ", &len) : -1;
    if (at < 0)
        return f;
    const QByteArray body = readAt(dev, at + 8, 16);
    if (body.size() >= 16) {
        f.hasFmt = true;
        f.formatTag = le16(body, 0);
        f.channels = le16(body, 2);
        f.sampleRate = le32(body, 4);
        f.blockAlign = le16(body, 12);
        f.bits = le16(body, 14);
    }
    return f;
}

quint32 dataBytes(QIODevice &dev)
{
    quint32 len = 0;
    return findChunk(dev, "data", &len) < 0 ? 0 : len;
}

Format probeStored(QIODevice &dev, qint64 offset)
{
    Format f;
    const QByteArray b = readAt(dev, offset, 36);
    if (!b.startsWith("RIFF"))
        return f;
    f.riff = true;
    if (b.size() >= 36) {
        f.hasFmt = true;
        f.channels = le16(b, 22);
        f.sampleRate = le32(b, 24);
        f.bits = le16(b, 34);
    }
    return f;
}

QString infoLine(const Format &f)
{
    QString bits, rate, channels;
    if (f.hasFmt) {
        bits = QString::number(f.bits);
        rate = QString::number(f.sampleRate);
        if (f.channels == 1)
            channels = QCoreApplication::translate("MainWindow1", "Mono", "sound channels");
        else if (f.channels == 2)
            channels = QCoreApplication::translate("MainWindow1", "Stereo", "sound channels");
    }
    return bits + QStringLiteral("bit/") + rate + QStringLiteral("Hz/") + channels;
}

} // namespace waveprobe

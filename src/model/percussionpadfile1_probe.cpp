// Probes that look into a kit file at fixed offsets without loading it.
// Bytes a short file cannot supply count as zero.

#include "model/percussionpadfile1.h"
#include "model/bytepack.h"

#include <QDataStream>
#include <QFile>

#include <cstring>

namespace {

constexpr quint32 kVersionCurrent = 257;
constexpr quint32 kVersionOld = 255;
constexpr quint32 kUnknownFile = 65535;
constexpr quint16 kSkitSize = SKIT_HEADER_SIZE + KIT_RECORD_SIZE;         // 1999
constexpr quint16 kSkitSizeOld = SKIT_HEADER_SIZE + KIT_RECORD_SIZE_OLD;  // 1990

// Reads up to n bytes at offset into buf (zero-filled first); returns the
// number of bytes the file supplied.
int readAt(QFile *file, qint64 offset, uchar *buf, int n)
{
    std::memset(buf, 0, size_t(n));
    if (!file || offset < 0 || !file->seek(offset))
        return 0;
    QDataStream ds(file);
    const int got = ds.readRawData(reinterpret_cast<char *>(buf), n);
    return got < 0 ? 0 : got;
}

// Address of the SOUN chunk from the index: second entry of a single-kit
// file, third entry of a whole setup.
quint32 soundChunkAddress(QFile *file, int kitFlag)
{
    uchar buf[48];
    if (kitFlag != 0) {
        readAt(file, 0, buf, 32);
        return bytepack::get32(buf + 28);
    }
    readAt(file, 0, buf, 48);
    return bytepack::get32(buf + 44);
}

} // namespace

quint32 percussionpadfile::judgeFileType(QFile *file)
{
    uchar buf[12];
    if (readAt(file, 0, buf, 12) < 12)
        return kUnknownFile;
    const quint32 first = bytepack::get32(buf);
    if (first == str2int(QStringLiteral("INDE")) || first == str2int(QStringLiteral("GLOB")))
        return first;
    if (first == kVersionCurrent || first == kVersionOld)
        return bytepack::get32(buf + 8) == str2int(QStringLiteral("INDE")) ? first : kUnknownFile;
    return kUnknownFile;
}

qint8 percussionpadfile::readKitNum(QFile *file)
{
    uchar buf[64];
    if (readAt(file, 0, buf, 64) < 64)
        return -1;
    const quint16 skitSize = bytepack::get16(buf + 36);
    if (skitSize == kSkitSize || skitSize == kSkitSizeOld)
        return qint8(buf[57]);
    return -1;
}

bool percussionpadfile::readIndex(QFile *file, int kind)
{
    uchar buf[32];
    readAt(file, 0, buf, 32);
    int at;
    if (kind == 0)
        at = 18;
    else if (kind == 2)
        at = 10;
    else
        return false;
    return charArray2String(buf + at, 6) == QLatin1String("TORVEX");
}

quint16 percussionpadfile::judgeWaveTotalNumber(QFile *file, int kitFlag)
{
    const quint32 addr = soundChunkAddress(file, kitFlag);
    uchar buf[10];
    readAt(file, addr, buf, 10);
    return bytepack::get16(buf + 8);
}

QString percussionpadfile::judgeWaveName(QFile *file, int i, int kitFlag)
{
    if (i < 0)
        return QString();
    const quint32 addr = soundChunkAddress(file, kitFlag);
    uchar buf[SOUND_NAME_LENGTH];
    const qint64 at = qint64(addr) + SOUN_HEADER_SIZE + qint64(SOUND_ENTRY_SIZE) * i;
    readAt(file, at, buf, SOUND_NAME_LENGTH);
    return charArray2String(buf, SOUND_NAME_LENGTH);
}

QVector<QString> percussionpadfile::judgeWaveNames(QFile *file, int count, int kitFlag)
{
    QVector<QString> names;
    if (count <= 0)
        return names;
    const quint32 addr = soundChunkAddress(file, kitFlag);
    QByteArray table(count * SOUND_ENTRY_SIZE, Qt::Uninitialized);
    uchar *bytes = reinterpret_cast<uchar *>(table.data());
    readAt(file, qint64(addr) + SOUN_HEADER_SIZE, bytes, table.size());
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(charArray2String(bytes + qint64(SOUND_ENTRY_SIZE) * i, SOUND_NAME_LENGTH));
    return names;
}

#include "device/waveprm.h"

#include "model/bytepack.h"
#include "model/mainwindow1records.h"

namespace waveprm {

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
    percussionpadfile::str2CharArray(name, reinterpret_cast<char *>(p + 2), SOUND_NAME_LENGTH_1);
    const quint32 length = waveLength(wavSize);
    bytepack::put32(p + 26, length);
    bytepack::put32(p + 34, length);
    bytepack::put32(p + 38, wavSize);
    p[42] = 1;
    return QByteArray(reinterpret_cast<const char *>(p), PRM_RECORD_SIZE);
}

} // namespace waveprm

#include "device/waveprm.h"

#include "device/pairbatch.h"
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
    MainWindow1Records::str2CharArray(name, reinterpret_cast<char *>(p + 2), SOUND_NAME_LENGTH_1);
    const quint32 length = waveLength(wavSize);
    bytepack::put32(p + 26, length);
    bytepack::put32(p + 34, length);
    bytepack::put32(p + 38, wavSize);
    p[42] = 1;
    return QByteArray(reinterpret_cast<const char *>(p), PRM_RECORD_SIZE);
}

WaveWrite writeDeviceWave(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                          const PadTreePaths &tree, const ztplatform::FolderAnchor &padRoot, int *refusal)
{
    pairbatch::AddBatch batch(padRoot, tree);
    const WaveWrite staged = batch.stage(conv, waveNo, source, name, refusal);
    if (staged != WaveWrite::Written)
        return staged;
    const QVector<pairbatch::Failure> failed = batch.commit();
    if (failed.isEmpty())
        return WaveWrite::Written;
    if (refusal)
        *refusal = failed.first().error;
    return failed.first().error == 0 ? WaveWrite::Blocked : WaveWrite::Stopped;
}

} // namespace waveprm

// The pad's kit records as the pad stores them.

#include "model/mainwindow1records.h"

#include "model/bytepack.h"
#include "model/kitrecordmap.h"
#include "platform/pathcase.h"
#include "platform/disk.h"

#include <cstdio>
#include <cstring>

namespace {

// Editor wave number to the pad's 0-based number; none stays none.
quint16 deviceWave(quint16 waveNo)
{
    return waveNo == NO_WAVE ? NO_WAVE : quint16(waveNo - 1);
}

quint32 sourceSize(const QString &path)
{
    if (path.isEmpty())
        return 0;
    return quint32(qMax<qint64>(0, ztplatform::sizeAtPath(ztplatform::systemDisk(), path)));
}

// Kit `k` as the pad stores it in slot `kitNo`: the pad's wave numbers, lengths
// from the sound files (hi-hat waves from cluster 0), no layer B on the foot
// switches, the foot switch control and the base's reserved bytes zero.
MainWindow1Records::soundKit deviceKit(MainWindow1Records::soundKit k, int kitNo)
{
    k.kit_no = quint8(kitNo);
    std::memset(k.reserved, 0, sizeof k.reserved);
    MainWindow1Records::PEDAL_SETTING &h = k.pedalChunk;
    const QString files[HH_NUM_MAX] = {h.hh_wave1_file, h.hh_wave2_file, h.hh_wave3_file, h.hh_wave4_file,
                                       h.hh_wave5_file};
    kitrecord::forEachHiHatWave(h, [&files](int i, quint16 &no, quint8 &, quint32 &cluster, quint32 &length,
                                            quint32 &start, quint32 &end) {
        no = deviceWave(no);
        cluster = 0;
        start = 0;
        length = end = sourceSize(files[i]);
    });
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        MainWindow1Records::KIT_PAD_SETTING &d = k.kpadChunk[j];
        d.aWaveNo = deviceWave(d.aWaveNo);
        d.bWaveNo = j < EXTEND_INPUT_NUM ? deviceWave(d.bWaveNo) : NO_WAVE;
        d.aWaveStart = 0;
        d.aWaveLength = d.aWaveEnd = sourceSize(d.soundFile0);
        d.bWaveStart = 0;
        d.bWaveLength = d.bWaveEnd = sourceSize(d.soundFile1);
        d.pad_fs_ctrl = 0;
    }
    return k;
}

} // namespace

bool MainWindow1Records::updateKit(char *view, const QVector<soundKit> &kitAttrList, int kitNo)
{
    if (!view)
        return false;
    if (kitNo < 1 || kitNo > KIT_MAX_COUNT || kitNo > kitAttrList.size()) {
        std::fprintf(stderr, "Kit number %d has no kit record.\n", kitNo);
        return false;
    }
    const soundKit k = deviceKit(kitAttrList.at(kitNo - 1), kitNo);
    uchar rec[KIT_RECORD_SIZE];
    std::memset(rec, 0, sizeof rec); // pedal and pad reserved bytes stay zero
    percussionpadfile::str2CharArray(k.kit_name, reinterpret_cast<char *>(rec), KIT_NAME_FIELD);
    kitrecord::packKitBase(rec, k);
    kitrecord::packKitPedal(rec + KIT_BASE_SIZE, k.pedalChunk);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        kitrecord::packKitPad(rec + kitrecord::padOffset(j), k.kpadChunk[j]);
    std::memcpy(view, rec, KIT_RECORD_SIZE);
    return true;
}

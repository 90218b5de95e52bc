// The pad's kit record files and wave parameter records, rewritten in place.

#include "model/mainwindow1records.h"

#include "model/bytepack.h"
#include "platform/mappedfile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

using bytepack::put16;
using bytepack::put32;

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
    return quint32(QFileInfo(path).size());
}

// Maps the existing file, checks that it holds `needed` bytes and hands the view
// to `update`. Nothing is created, truncated or extended.
template <typename Update>
bool patchInPlace(const char *fileName, qint64 needed, Update update)
{
    if (!fileName) {
        std::fprintf(stderr, "Failed to open file.\n");
        return false;
    }
    MappedFile mf;
    if (!mf.open(QFile::decodeName(fileName))) {
        std::fprintf(stderr, "Failed to open file.%s\n", fileName);
        return false;
    }
    if (mf.size() < needed) {
        std::fprintf(stderr, "File is too short for the record (%lld of %lld bytes): %s\n",
                     static_cast<long long>(mf.size()), static_cast<long long>(needed), fileName);
        return false;
    }
    char *view = mf.map();
    if (!view) {
        std::fprintf(stderr, "Failed to map view of file.\n");
        return false;
    }
    const bool ok = update(view);
    if (ok && !mf.flush()) {
        std::fprintf(stderr, "Failed to write back the file mapping: %s\n", fileName);
        mf.close();
        return false;
    }
    mf.close();
    return ok;
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
    const soundKit &k = kitAttrList.at(kitNo - 1);
    const PEDAL_SETTING &h = k.pedalChunk;
    uchar rec[KIT_RECORD_SIZE];
    std::memset(rec, 0, sizeof rec);

    // Base part.
    uchar *p = rec;
    str2CharArray(k.kit_name, reinterpret_cast<char *>(p), KIT_NAME_FIELD);
    p[13] = quint8(kitNo);
    p[14] = k.kit_volume;
    p[15] = k.kit_tempo;
    p[16] = k.click_beat;
    p[17] = k.click_volune;
    p[18] = k.pad_link1;
    p[19] = k.pad_link2;
    p[20] = k.kit_effect1_state;
    p[21] = k.kit_effect2_state;
    p[22] = k.kit_effect3_state;
    p[23] = k.kit_effect1;
    p[24] = k.effect1_no;
    put16(p + 25, k.effect1_ctrl1);
    put16(p + 27, k.effect1_ctrl2);
    put16(p + 29, k.effect1_ctrl3);
    p[31] = k.kit_effect2;
    p[32] = k.effect2_no;
    put16(p + 33, k.effect2_ctrl1);
    put16(p + 35, k.effect2_ctrl2);
    put16(p + 37, k.effect2_ctrl3);
    p[39] = k.kit_effect3;
    p[40] = k.effect3_no;
    put16(p + 41, k.effect3_ctrl1);
    put16(p + 43, k.effect3_ctrl2);
    put16(p + 45, k.effect3_ctrl3);
    p[47] = k.bottom_color;
    p[48] = k.work_color;
    p[49] = k.pad_volume;
    // 50..53 reserved: zero

    // Hi-hat and pedal part.
    p = rec + KIT_BASE_SIZE;
    const quint16 waves[HH_NUM_MAX] = {h.hh_wave1_no, h.hh_wave2_no, h.hh_wave3_no, h.hh_wave4_no,
                                       h.hh_wave5_no};
    const QString files[HH_NUM_MAX] = {h.hh_wave1_file, h.hh_wave2_file, h.hh_wave3_file,
                                       h.hh_wave4_file, h.hh_wave5_file};
    for (int i = 0; i < HH_NUM_MAX; ++i)
        put16(p + 2 * i, deviceWave(waves[i]));
    p[10] = h.pedal_contrl;
    p[11] = h.hh_layer1;
    p[12] = h.hh_layer2;
    p[13] = h.hh_layer3;
    p[14] = h.hh_layer4;
    p[15] = h.hh_layer5;
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        const quint32 size = sourceSize(files[i]);
        uchar *blk = p + 16 + 16 * i;
        put32(blk, 0);          // start cluster
        put32(blk + 4, size);   // length
        put32(blk + 8, 0);      // start
        put32(blk + 12, size);  // end
    }
    p[96] = h.hh_midi_code;
    p[97] = h.pad_link2_1;
    p[98] = h.pad_link2_2;
    p[99] = h.pad_link3_1;
    p[100] = h.pad_link3_2;
    p[101] = h.pad_link4_1;
    p[102] = h.pad_link4_2;
    p[103] = h.pad_link5_1;
    p[104] = h.pad_link5_2;
    p[105] = h.active_fx;
    p[106] = h.active_off;
    p[107] = h.active_no;
    put16(p + 108, h.active_effectCtrl1);
    put16(p + 110, h.active_effectCtrl2);
    put16(p + 112, h.active_effectCtrl3);
    // 114..127 reserved: zero

    // Pads.
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        const KIT_PAD_SETTING &d = k.kpadChunk[j];
        p = rec + KIT_BASE_SIZE + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j;
        const quint32 aSize = sourceSize(d.soundFile0);
        const quint32 bSize = sourceSize(d.soundFile1);
        put16(p + 0, deviceWave(d.aWaveNo));
        put16(p + 2, j < EXTEND_INPUT_NUM ? deviceWave(d.bWaveNo) : NO_WAVE);
        put32(p + 4, d.aWaveStartCluster);
        put32(p + 8, aSize);
        put32(p + 12, 0);
        put32(p + 16, aSize);
        p[20] = d.aWaveVolume;
        p[21] = d.aWavePan;
        p[22] = d.aWavePitch;
        p[23] = d.aWavePitch_cent;
        p[24] = d.aWaveDecay;
        put32(p + 25, d.bWaveStartCluster);
        put32(p + 29, bSize);
        put32(p + 33, 0);
        put32(p + 37, bSize);
        p[41] = d.bWaveVolume;
        p[42] = d.bWavePan;
        p[43] = d.bWavePitch;
        p[44] = d.bWavePitch_cent;
        p[45] = d.bWaveDecay;
        p[46] = d.padNo;
        p[47] = d.midi_code;
        p[48] = d.midi_channel;
        p[49] = d.midi_gate;
        p[50] = d.ext_ctrl;
        p[51] = d.pad_output;
        p[52] = d.mute_group;
        p[53] = d.tempo_sync;
        p[54] = d.mode;
        p[55] = d.loop;
        p[56] = d.trig_mode;
        p[57] = d.velocity;
        p[58] = d.dynamic;
        p[59] = d.poly_mono;
        p[60] = d.pad_volume;
        // 61 pad_fs_ctrl and 62..94 reserved: zero
    }

    std::memcpy(view, rec, KIT_RECORD_SIZE);
    return true;
}

void MainWindow1Records::updatePrm(char *view, quint16 waveNo)
{
    if (!view)
        return;
    put16(reinterpret_cast<uchar *>(view), waveNo);
}

bool MainWindow1Records::memoryMapExample(const char *fileName, const QVector<soundKit> &kitAttrList,
                                          int kitNo)
{
    if (kitNo < 1 || kitNo > KIT_MAX_COUNT || kitNo > kitAttrList.size()) {
        std::fprintf(stderr, "Kit number %d has no kit record.\n", kitNo);
        return false;
    }
    return patchInPlace(fileName, KIT_RECORD_SIZE,
                        [&](char *view) { return updateKit(view, kitAttrList, kitNo); });
}

bool MainWindow1Records::memoryMapPrm(const char *fileName, quint16 waveNo)
{
    return patchInPlace(fileName, 2, [&](char *view) {
        updatePrm(view, waveNo);
        return true;
    });
}

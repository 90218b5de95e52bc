#ifndef KITRECORD_FIELDS_H
#define KITRECORD_FIELDS_H

// Every numeric field of the 1987-byte kit record with its offset and width,
// and helpers that give each field a distinct value derived from its offset.

#include <QByteArray>
#include <QtGlobal>

// Base part: offsets from the start of the record.
#define KR_BASE_FIELDS(X)                                                                          \
    X(kit_no, 13, 1) X(kit_volume, 14, 1) X(kit_tempo, 15, 1) X(click_beat, 16, 1)                 \
    X(click_volune, 17, 1) X(pad_link1, 18, 1) X(pad_link2, 19, 1) X(kit_effect1_state, 20, 1)      \
    X(kit_effect2_state, 21, 1) X(kit_effect3_state, 22, 1) X(kit_effect1, 23, 1)                  \
    X(effect1_no, 24, 1) X(effect1_ctrl1, 25, 2) X(effect1_ctrl2, 27, 2) X(effect1_ctrl3, 29, 2)   \
    X(kit_effect2, 31, 1) X(effect2_no, 32, 1) X(effect2_ctrl1, 33, 2) X(effect2_ctrl2, 35, 2)     \
    X(effect2_ctrl3, 37, 2) X(kit_effect3, 39, 1) X(effect3_no, 40, 1) X(effect3_ctrl1, 41, 2)     \
    X(effect3_ctrl2, 43, 2) X(effect3_ctrl3, 45, 2) X(bottom_color, 47, 1) X(work_color, 48, 1)    \
    X(pad_volume, 49, 1)

// Hi-hat/pedal part: offsets within the part (the part starts at 54).
#define KR_PEDAL_WAVES(X)                                                                          \
    X(hh_wave1_no, 0, 2) X(hh_wave2_no, 2, 2) X(hh_wave3_no, 4, 2) X(hh_wave4_no, 6, 2)            \
    X(hh_wave5_no, 8, 2)
#define KR_PEDAL_BLOCKS(X)                                                                         \
    X(hh_wave1_startCluster, 16, 4) X(hh_wave1_length, 20, 4) X(hh_wave1_start, 24, 4)             \
    X(hh_wave1_end, 28, 4) X(hh_wave2_startCluster, 32, 4) X(hh_wave2_length, 36, 4)               \
    X(hh_wave2_start, 40, 4) X(hh_wave2_end, 44, 4) X(hh_wave3_startCluster, 48, 4)                \
    X(hh_wave3_length, 52, 4) X(hh_wave3_start, 56, 4) X(hh_wave3_end, 60, 4)                      \
    X(hh_wave4_startCluster, 64, 4) X(hh_wave4_length, 68, 4) X(hh_wave4_start, 72, 4)             \
    X(hh_wave4_end, 76, 4) X(hh_wave5_startCluster, 80, 4) X(hh_wave5_length, 84, 4)               \
    X(hh_wave5_start, 88, 4) X(hh_wave5_end, 92, 4)
#define KR_PEDAL_OTHER(X)                                                                          \
    X(pedal_contrl, 10, 1) X(hh_layer1, 11, 1) X(hh_layer2, 12, 1) X(hh_layer3, 13, 1)             \
    X(hh_layer4, 14, 1) X(hh_layer5, 15, 1) X(hh_midi_code, 96, 1) X(pad_link2_1, 97, 1)           \
    X(pad_link2_2, 98, 1) X(pad_link3_1, 99, 1) X(pad_link3_2, 100, 1) X(pad_link4_1, 101, 1)      \
    X(pad_link4_2, 102, 1) X(pad_link5_1, 103, 1) X(pad_link5_2, 104, 1) X(active_fx, 105, 1)      \
    X(active_off, 106, 1) X(active_no, 107, 1) X(active_effectCtrl1, 108, 2)                       \
    X(active_effectCtrl2, 110, 2) X(active_effectCtrl3, 112, 2)
#define KR_PEDAL_FIELDS(X) KR_PEDAL_WAVES(X) KR_PEDAL_BLOCKS(X) KR_PEDAL_OTHER(X)

// Pad part: offsets within the pad (pad j starts at 182 + 95 j).
#define KR_PAD_WAVES(X) X(aWaveNo, 0, 2) X(bWaveNo, 2, 2)
#define KR_PAD_A_BLOCK(X)                                                                          \
    X(aWaveStartCluster, 4, 4) X(aWaveLength, 8, 4) X(aWaveStart, 12, 4) X(aWaveEnd, 16, 4)
#define KR_PAD_B_BLOCK(X)                                                                          \
    X(bWaveStartCluster, 25, 4) X(bWaveLength, 29, 4) X(bWaveStart, 33, 4) X(bWaveEnd, 37, 4)
#define KR_PAD_OTHER(X)                                                                            \
    X(aWaveVolume, 20, 1) X(aWavePan, 21, 1) X(aWavePitch, 22, 1) X(aWavePitch_cent, 23, 1)        \
    X(aWaveDecay, 24, 1) X(bWaveVolume, 41, 1) X(bWavePan, 42, 1) X(bWavePitch, 43, 1)             \
    X(bWavePitch_cent, 44, 1) X(bWaveDecay, 45, 1) X(padNo, 46, 1) X(midi_code, 47, 1)             \
    X(midi_channel, 48, 1) X(midi_gate, 49, 1) X(ext_ctrl, 50, 1) X(pad_output, 51, 1)             \
    X(mute_group, 52, 1) X(tempo_sync, 53, 1) X(mode, 54, 1) X(loop, 55, 1) X(trig_mode, 56, 1)    \
    X(velocity, 57, 1) X(dynamic, 58, 1) X(poly_mono, 59, 1) X(pad_volume, 60, 1)
#define KR_PAD_FIELDS(X)                                                                           \
    KR_PAD_WAVES(X) KR_PAD_A_BLOCK(X) KR_PAD_B_BLOCK(X) KR_PAD_OTHER(X) X(pad_fs_ctrl, 61, 1)

namespace kr {

constexpr int kPedalAt = 54;
constexpr int kPadAt = 182;
constexpr int kPadSize = 95;

// A value for the field at record offset `off`; no byte is zero and values of
// different offsets differ.
inline quint32 val(int off, int width, quint32 salt)
{
    const quint32 x = quint32(off) * 2654435761u + salt * 40503u + 0x9E3779B9u;
    switch (width) {
    case 1:
        return 1 + (quint32(off) * 13 + salt) % 254;
    case 2:
        return 0x0101u + (x >> 16) % 0xFDFE;
    default:
        return x | 0x01010101u;
    }
}

inline quint32 readLE(const QByteArray &b, int at, int width)
{
    quint32 v = 0;
    for (int i = 0; i < width; ++i)
        v |= quint32(uchar(b.at(at + i))) << (8 * i);
    return v;
}

// Assigns distinct values to every numeric field of a base, pedal and pad
// record (works for the file records and for the editor's twins).
template <typename Base>
void fillBase(Base &b, quint32 salt)
{
#define KR_SET(f, off, w) b.f = decltype(b.f)(val(off, w, salt));
    KR_BASE_FIELDS(KR_SET)
#undef KR_SET
}

template <typename Pedal>
void fillPedal(Pedal &p, quint32 salt)
{
#define KR_SET(f, off, w) p.f = decltype(p.f)(val(kPedalAt + off, w, salt));
    KR_PEDAL_FIELDS(KR_SET)
#undef KR_SET
}

template <typename Pad>
void fillPad(Pad &d, int j, quint32 salt)
{
#define KR_SET(f, off, w) d.f = decltype(d.f)(val(kPadAt + kPadSize * j + off, w, salt));
    KR_PAD_FIELDS(KR_SET)
#undef KR_SET
}

} // namespace kr

#endif // KITRECORD_FIELDS_H

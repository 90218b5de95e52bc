#ifndef KITRECORDMAP_H
#define KITRECORDMAP_H

// Byte map of the kit record (base, hi-hat/pedal part, PAD_NUM_MAX pads).
// The kit file model's records (percussionpadfile::P_...) and the editor's
// records (MainWindow1Records::...) use the same field names, so each map is a
// template over the record type. It is also written once for both directions:
// the `io` argument either packs (Packer) or unpacks (Unpacker) each field.
//
//   base   0..12 name (caller's), 13..49 fields, 50..53 reserved (mapped)
//   pedal  0..113 fields, 114..127 reserved (caller's)
//   pad    0..61 fields, 62..94 reserved (caller's)

#include "model/bytepack.h"
#include "model/percussionpadfile1.h"

#include <cstring>

namespace kitrecord {

constexpr int PEDAL_RESERVED = 114;  // reserved bytes of the pedal part
constexpr int PAD_RESERVED = 62;     // reserved bytes of a pad part

// Offset of pad j in a record whose base part has `baseSize` bytes.
constexpr int padOffset(int j, int baseSize = KIT_BASE_SIZE)
{
    return baseSize + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j;
}

// Writes the fields into a record.
struct Packer {
    uchar *p;
    static constexpr int CTRL_SIZE = 2; // bytes of an effect control
    void u8(int at, quint8 v) const { p[at] = v; }
    void u16(int at, quint16 v) const { bytepack::put16(p + at, v); }
    void u32(int at, quint32 v) const { bytepack::put32(p + at, v); }
    void ctrl(int at, quint16 v) const { u16(at, v); }
    void bytes(int at, const quint8 *v, int n) const { std::memcpy(p + at, v, size_t(n)); }
};

// Reads the fields from a record.
struct Unpacker {
    const uchar *p;
    static constexpr int CTRL_SIZE = 2;
    void u8(int at, quint8 &v) const { v = p[at]; }
    void u16(int at, quint16 &v) const { v = bytepack::get16(p + at); }
    void u32(int at, quint32 &v) const { v = bytepack::get32(p + at); }
    void ctrl(int at, quint16 &v) const { u16(at, v); }
    void bytes(int at, quint8 *v, int n) const { std::memcpy(v, p + at, size_t(n)); }
};

constexpr int BASE_EFFECTS = 23; // first of the three kit effects

// Base part size for an io with `ctrlSize`-byte effect controls.
constexpr int baseSize(int ctrlSize)
{
    return BASE_EFFECTS + 3 * (2 + 3 * ctrlSize) + 3 + 4;
}
static_assert(baseSize(2) == KIT_BASE_SIZE, "base part layout");
static_assert(baseSize(1) == KIT_BASE_SIZE_OLD, "older base part layout");

// One kit effect: type, number and three controls.
template <class Io, class U8, class U16>
void mapEffect(const Io &io, int at, U8 &type, U8 &no, U16 &ctrl1, U16 &ctrl2, U16 &ctrl3)
{
    io.u8(at, type);
    io.u8(at + 1, no);
    io.ctrl(at + 2, ctrl1);
    io.ctrl(at + 2 + Io::CTRL_SIZE, ctrl2);
    io.ctrl(at + 2 + 2 * Io::CTRL_SIZE, ctrl3);
}

// The base part behind the name, reserved bytes included.
template <class Io, class Base>
void mapKitBase(const Io &io, Base &b)
{
    io.u8(13, b.kit_no);
    io.u8(14, b.kit_volume);
    io.u8(15, b.kit_tempo);
    io.u8(16, b.click_beat);
    io.u8(17, b.click_volune);
    io.u8(18, b.pad_link1);
    io.u8(19, b.pad_link2);
    io.u8(20, b.kit_effect1_state);
    io.u8(21, b.kit_effect2_state);
    io.u8(22, b.kit_effect3_state);
    const int effect = 2 + 3 * Io::CTRL_SIZE;
    mapEffect(io, BASE_EFFECTS, b.kit_effect1, b.effect1_no, b.effect1_ctrl1, b.effect1_ctrl2, b.effect1_ctrl3);
    mapEffect(io, BASE_EFFECTS + effect, b.kit_effect2, b.effect2_no, b.effect2_ctrl1, b.effect2_ctrl2,
              b.effect2_ctrl3);
    mapEffect(io, BASE_EFFECTS + 2 * effect, b.kit_effect3, b.effect3_no, b.effect3_ctrl1, b.effect3_ctrl2,
              b.effect3_ctrl3);
    const int tail = BASE_EFFECTS + 3 * effect;
    io.u8(tail, b.bottom_color);
    io.u8(tail + 1, b.work_color);
    io.u8(tail + 2, b.pad_volume);
    io.bytes(tail + 3, b.reserved, 4);
}

// Calls fn(i, number, layer, startCluster, length, start, end) for hi-hat wave i.
template <class Pedal, class Fn>
void forEachHiHatWave(Pedal &h, Fn fn)
{
    fn(0, h.hh_wave1_no, h.hh_layer1, h.hh_wave1_startCluster, h.hh_wave1_length, h.hh_wave1_start, h.hh_wave1_end);
    fn(1, h.hh_wave2_no, h.hh_layer2, h.hh_wave2_startCluster, h.hh_wave2_length, h.hh_wave2_start, h.hh_wave2_end);
    fn(2, h.hh_wave3_no, h.hh_layer3, h.hh_wave3_startCluster, h.hh_wave3_length, h.hh_wave3_start, h.hh_wave3_end);
    fn(3, h.hh_wave4_no, h.hh_layer4, h.hh_wave4_startCluster, h.hh_wave4_length, h.hh_wave4_start, h.hh_wave4_end);
    fn(4, h.hh_wave5_no, h.hh_layer5, h.hh_wave5_startCluster, h.hh_wave5_length, h.hh_wave5_start, h.hh_wave5_end);
}

// The hi-hat/pedal part up to its reserved bytes.
template <class Io, class Pedal>
void mapKitPedal(const Io &io, Pedal &h)
{
    forEachHiHatWave(h, [&io](int i, auto &no, auto &layer, auto &cluster, auto &length, auto &start, auto &end) {
        io.u16(2 * i, no);
        io.u8(11 + i, layer);
        const int block = 16 + 16 * i;
        io.u32(block, cluster);
        io.u32(block + 4, length);
        io.u32(block + 8, start);
        io.u32(block + 12, end);
    });
    io.u8(10, h.pedal_contrl);
    io.u8(96, h.hh_midi_code);
    io.u8(97, h.pad_link2_1);
    io.u8(98, h.pad_link2_2);
    io.u8(99, h.pad_link3_1);
    io.u8(100, h.pad_link3_2);
    io.u8(101, h.pad_link4_1);
    io.u8(102, h.pad_link4_2);
    io.u8(103, h.pad_link5_1);
    io.u8(104, h.pad_link5_2);
    io.u8(105, h.active_fx);
    io.u8(106, h.active_off);
    io.u8(107, h.active_no);
    io.u16(108, h.active_effectCtrl1);
    io.u16(110, h.active_effectCtrl2);
    io.u16(112, h.active_effectCtrl3);
}

// One layer of a pad: where its wave lies and how it sounds (21 bytes).
template <class Io, class U32, class U8>
void mapLayer(const Io &io, int at, U32 &cluster, U32 &length, U32 &start, U32 &end, U8 &volume, U8 &pan,
              U8 &pitch, U8 &cent, U8 &decay)
{
    io.u32(at, cluster);
    io.u32(at + 4, length);
    io.u32(at + 8, start);
    io.u32(at + 12, end);
    io.u8(at + 16, volume);
    io.u8(at + 17, pan);
    io.u8(at + 18, pitch);
    io.u8(at + 19, cent);
    io.u8(at + 20, decay);
}

// A pad part up to its reserved bytes.
template <class Io, class Pad>
void mapKitPad(const Io &io, Pad &d)
{
    io.u16(0, d.aWaveNo);
    io.u16(2, d.bWaveNo);
    mapLayer(io, 4, d.aWaveStartCluster, d.aWaveLength, d.aWaveStart, d.aWaveEnd, d.aWaveVolume, d.aWavePan,
             d.aWavePitch, d.aWavePitch_cent, d.aWaveDecay);
    mapLayer(io, 25, d.bWaveStartCluster, d.bWaveLength, d.bWaveStart, d.bWaveEnd, d.bWaveVolume, d.bWavePan,
             d.bWavePitch, d.bWavePitch_cent, d.bWaveDecay);
    io.u8(46, d.padNo);
    io.u8(47, d.midi_code);
    io.u8(48, d.midi_channel);
    io.u8(49, d.midi_gate);
    io.u8(50, d.ext_ctrl);
    io.u8(51, d.pad_output);
    io.u8(52, d.mute_group);
    io.u8(53, d.tempo_sync);
    io.u8(54, d.mode);
    io.u8(55, d.loop);
    io.u8(56, d.trig_mode);
    io.u8(57, d.velocity);
    io.u8(58, d.dynamic);
    io.u8(59, d.poly_mono);
    io.u8(60, d.pad_volume);
    io.u8(61, d.pad_fs_ctrl);
}

template <class Base>
void packKitBase(uchar *p, const Base &b)
{
    mapKitBase(Packer{p}, b);
}

template <class Pedal>
void packKitPedal(uchar *p, const Pedal &h)
{
    mapKitPedal(Packer{p}, h);
}

template <class Pad>
void packKitPad(uchar *p, const Pad &d)
{
    mapKitPad(Packer{p}, d);
}

template <class Base>
void unpackKitBase(const uchar *p, Base &b)
{
    mapKitBase(Unpacker{p}, b);
}

template <class Pedal>
void unpackKitPedal(const uchar *p, Pedal &h)
{
    mapKitPedal(Unpacker{p}, h);
}

template <class Pad>
void unpackKitPad(const uchar *p, Pad &d)
{
    mapKitPad(Unpacker{p}, d);
}

// A whole record behind the name: base, pedal and the PAD_NUM_MAX pads at
// `pads`, the pedal's and the pads' reserved bytes as the records hold them.
template <class Base, class Pedal, class Pad>
void packKitRecord(uchar *p, const Base &b, const Pedal &h, const Pad *pads)
{
    packKitBase(p, b);
    packKitPedal(p + KIT_BASE_SIZE, h);
    std::memcpy(p + KIT_BASE_SIZE + PEDAL_RESERVED, h.reserved, sizeof h.reserved);
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        packKitPad(p + padOffset(j), pads[j]);
        std::memcpy(p + padOffset(j) + PAD_RESERVED, pads[j].reserved, sizeof pads[j].reserved);
    }
}

} // namespace kitrecord

#endif // KITRECORDMAP_H

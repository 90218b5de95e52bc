// Global chunk ("GLOB"): defaults, writer and the readers of both layouts.

#include "model/percussionpadfile1.h"
#include "model/bytepack.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <cstring>

namespace {

using Model = percussionpadfile;

// Current layout: 843 bytes; older layout: at most 488 bytes, of which the
// reader takes the first 484.
constexpr int kGlobalSize = GLOBAL_CHUNK_SIZE;
constexpr int kOldGlobalReadSize = 484;
constexpr quint32 kOldGlobalMaxSize = GLOBAL_CHUNK_SIZE_OLD_MAX;
constexpr int kHeaderSize = 8;

// Byte offsets inside the chunk (tag and size at 0 and 4 are the caller's).
//
//   current  8 editing effect, 9 effect off, 10 effects (7 bytes each),
//            458 click, 474 audio, 482 MIDI, 494 LCD/LED, 498 kit chain,
//            682 pad triggers (8 bytes each), 834 recording/loop, 841 reserved
//   older    8 effect, 16 click, 32 audio, 40 EQ, 52 MIDI, 64 LCD/LED,
//            68 LED types (12 bytes each), 92 kit chain (8 rows),
//            256 pad triggers (12 bytes each), 484 end of what is read
constexpr int kEffects = 10;
constexpr int kEffectSize = 7;
constexpr int kClick = kEffects + MASTER_EFFECT_COUNT * kEffectSize;
constexpr int kAudio = kClick + 16;
constexpr int kMidi = kAudio + 8;
constexpr int kLced = kMidi + 12;
constexpr int kChain = kLced + 4;
constexpr int kTriggers = kChain + KIT_CHAIN_BLOCK_SIZE;
constexpr int kTriggerSize = 8;
constexpr int kTail = kTriggers + PAD_NUM_MAX * kTriggerSize;
static_assert(kChain == KIT_CHAIN_BLOCK_OFFSET, "kit-chain block offset");
static_assert(2 + KIT_CHAIN_ROWS * STEP_MAX_COUNT + 2 == KIT_CHAIN_BLOCK_SIZE, "kit-chain block size");
static_assert(kTail + 9 == kGlobalSize, "global chunk size");

constexpr int kOldClick = 16;
constexpr int kOldAudio = 32;
constexpr int kOldEq = 40;
constexpr int kOldMidi = 52;
constexpr int kOldLced = 64;
constexpr int kOldLeds = 68;
constexpr int kOldLedSize = 12;
constexpr int kOldChain = 92;
constexpr int kOldChainRows = 8;
constexpr int kOldTriggers = kOldChain + 2 + kOldChainRows * STEP_MAX_COUNT + 2;
constexpr int kOldTriggerSize = 12;
static_assert(kOldLeds + 2 * kOldLedSize == kOldChain, "older LED types");
static_assert(kOldTriggers + PAD_NUM_MAX * kOldTriggerSize == kOldGlobalReadSize, "older global chunk size");

// The active chain number as the file stores it in both leading bytes.
quint8 activeChainByte(const Model::P_KIT_CHAIN &kc)
{
    return kc.kit_chain != 0 ? kc.kit_chain_No : quint8(0);
}

// Writes the fields into a chunk.
struct Packer
{
    uchar *p;
    void u8(int at, quint8 v) const { p[at] = v; }
    void u16(int at, quint16 v) const { bytepack::put16(p + at, v); }
    void u32(int at, quint32 v) const { bytepack::put32(p + at, v); }
    void bytes(int at, const quint8 *v, int n) const { std::memcpy(p + at, v, size_t(n)); }
    // Reserved bytes are written as the record holds them.
    void reserved(int at, const quint8 *v, int n) const { bytes(at, v, n); }
    // Both leading bytes of a kit-chain block carry the active chain number.
    void chainActive(int at, const Model::P_KIT_CHAIN &kc) const
    {
        const quint8 active = activeChainByte(kc);
        p[at] = active;
        p[at + 1] = active;
    }
};

// Reads the fields from a chunk.
struct Unpacker
{
    const uchar *p;
    void u8(int at, quint8 &v) const { v = p[at]; }
    void u16(int at, quint16 &v) const { v = bytepack::get16(p + at); }
    void u32(int at, quint32 &v) const { v = bytepack::get32(p + at); }
    void bytes(int at, quint8 *v, int n) const { std::memcpy(v, p + at, size_t(n)); }
    // Reserved bytes are not read: the record keeps what it holds.
    void reserved(int, const quint8 *, int) const {}
    // The first byte names the active chain (0: none); the second is ignored.
    void chainActive(int at, Model::P_KIT_CHAIN &kc) const
    {
        const quint8 active = p[at];
        kc.kit_chain = active != 0 ? 1 : 0;
        kc.kit_chain_No = active;
    }
};

// Click settings (16 bytes, the same in both layouts).
template <class Io, class Click>
void mapClick(const Io &io, int at, Click &c)
{
    io.u32(at, c.click_startCluster);
    io.u32(at + 4, c.click_waveLength);
    io.u8(at + 8, c.click_no);
    io.u8(at + 9, c.beat);
    io.u8(at + 10, c.pan);
    io.u8(at + 11, c.volume);
    io.u8(at + 12, c.click_output);
    io.reserved(at + 13, c.reserved, 3);
}

// MIDI settings (12 bytes, the same in both layouts).
template <class Io, class Midi>
void mapMidi(const Io &io, int at, Midi &m)
{
    io.u8(at, m.global_ch);
    io.u8(at + 1, m.ext_ctrl);
    io.u8(at + 2, m.midi_sync);
    io.u8(at + 3, m.soft_thru);
    io.u8(at + 4, m.pc_sw);
    io.u8(at + 5, m.cc_sw);
    io.u8(at + 6, m.fx_ctrl1_cc);
    io.u8(at + 7, m.fx_ctrl2_cc);
    io.reserved(at + 8, m.reserved, 4);
}

// Kit-chain block: active chain, `rows` chains of STEP_MAX_COUNT steps, 2 reserved.
template <class Io, class Chain>
void mapKitChain(const Io &io, int at, Chain &kc, int rows)
{
    io.chainActive(at, kc);
    io.bytes(at + 2, &kc.kitChain[0][0], rows * STEP_MAX_COUNT);
    io.reserved(at + 2 + rows * STEP_MAX_COUNT, kc.reserved, 2);
}

// The current layout behind the header.
template <class Io, class Global>
void mapGlobal(const Io &io, Global &g)
{
    io.u8(8, g.editing_effect);
    io.u8(9, g.effect_off);
    for (int i = 0; i < MASTER_EFFECT_COUNT; ++i) {
        auto &e = g.effect[i];
        const int at = kEffects + kEffectSize * i;
        io.u16(at, e.param1);
        io.u16(at + 2, e.param2);
        io.u16(at + 4, e.param3);
        io.u8(at + 6, e.no);
    }

    mapClick(io, kClick, g.click);

    io.u8(kAudio, g.audio.volume);
    io.u8(kAudio + 1, g.audio.bt_volume);
    io.u8(kAudio + 2, g.audio.systan_gain);
    io.u8(kAudio + 3, g.audio.output);
    io.reserved(kAudio + 4, g.audio.reserved, 4);

    mapMidi(io, kMidi, g.midi);

    io.u8(kLced, g.lced.lcd_contrast);
    io.u8(kLced + 1, g.lced.led_type);
    io.u8(kLced + 2, g.lced.led_logo);
    io.u8(kLced + 3, g.lced.tempo_indicate);

    mapKitChain(io, kChain, g.kc, KIT_CHAIN_ROWS);

    for (int i = 0; i < PAD_NUM_MAX; ++i) {
        auto &t = g.pfta[i];
        const int at = kTriggers + kTriggerSize * i;
        io.u8(at, t.type);
        io.u8(at + 1, t.sensivity);
        io.u8(at + 2, t.curve);
        io.u8(at + 3, t.mask_time);
        io.u8(at + 4, t.retrig_level);
        io.u8(at + 5, t.anti_cross);
        io.u8(at + 6, t.rim_gain);
        io.u8(at + 7, t.dynamic_range);
    }

    io.u8(kTail, g.rec_level);
    io.u8(kTail + 1, g.auto_state);
    io.u8(kTail + 2, g.loop_click);
    io.u8(kTail + 3, g.loop_qtz);
    io.u8(kTail + 4, g.loop_meas);
    io.u8(kTail + 5, g.loop_meas_index);
    io.u8(kTail + 6, g.rec_pad);
    io.reserved(kTail + 7, g.reserved, 2);
}

// The older layout behind the header (read only). Where it differs from the
// current one: a single 8-byte effect, the audio output one byte further on,
// the EQ settings, LED logo and tempo indicator swapped, two LED types, eight
// chain rows and 12-byte pad triggers.
void unpackOldGlobal(const Unpacker &io, Model::FILE_GLOBAL_CHUNK &g)
{
    io.u8(8, g.effect.effectType);
    io.u8(9, g.effect.effectCtrl1);
    io.u8(10, g.effect.effectCtrl2);
    io.u8(11, g.effect.effectCtrl3);
    io.reserved(12, g.effect.reserved, 4);

    mapClick(io, kOldClick, g.click);

    // Bytes 35 and 37..39 are not read.
    io.u8(kOldAudio, g.audio.volume);
    io.u8(kOldAudio + 1, g.audio.bt_volume);
    io.u8(kOldAudio + 2, g.audio.systan_gain);
    io.u8(kOldAudio + 4, g.audio.output);

    io.u8(kOldEq, g.eq.low_gain);
    io.u16(kOldEq + 1, g.eq.low_freq);
    io.u8(kOldEq + 3, g.eq.mid_gain);
    io.u16(kOldEq + 4, g.eq.mid_freq);
    io.u8(kOldEq + 6, g.eq.hig_gain);
    io.u16(kOldEq + 7, g.eq.hig_freq);
    io.reserved(kOldEq + 9, g.eq.reserved, 3);

    mapMidi(io, kOldMidi, g.midi);

    io.u8(kOldLced, g.lced.lcd_contrast);
    io.u8(kOldLced + 1, g.lced.led_type);
    io.u8(kOldLced + 2, g.lced.tempo_indicate);
    io.u8(kOldLced + 3, g.lced.led_logo);

    for (int i = 0; i < 2; ++i) {
        auto &led = g.led[i];
        const int at = kOldLeds + kOldLedSize * i;
        io.u8(at, led.click_led);
        io.u8(at + 1, led.click_led_mode);
        io.u8(at + 2, led.pad_hit_mode);
        io.u8(at + 3, led.pad_loop);
        io.u8(at + 4, led.pad_loop_mode);
        io.u8(at + 5, led.pad_ctrl);
        io.u8(at + 6, led.logo);
        io.u8(at + 7, led.logo_mode);
        io.reserved(at + 8, led.reserved, 4);
    }

    // Rows past the eighth keep what they hold.
    mapKitChain(io, kOldChain, g.kc, kOldChainRows);

    for (int i = 0; i < PAD_NUM_MAX; ++i) {
        auto &t = g.pfta[i];
        const int at = kOldTriggers + kOldTriggerSize * i;
        io.u8(at, t.sensibility);
        io.u8(at + 1, t.threshold);
        io.u8(at + 2, t.curve);
        io.u8(at + 3, t.mask_time);
        io.u8(at + 4, t.anti_cross);
        io.u8(at + 5, t.model);
        io.u8(at + 6, t.trig_mode);
        io.u8(at + 7, t.pad_fs_ctrl);
        io.u8(at + 8, t.open);
        io.u8(at + 9, t.close);
        io.reserved(at + 10, t.reserved, 2);
    }
}

} // namespace

void percussionpadfile::initGlobalChunk()
{
    // Fields not named here are 0.
    NEW_FILE_GLOBAL_CHUNK &g = new_globalChunk;
    g = NEW_FILE_GLOBAL_CHUNK();
    g.glob = str2int(QStringLiteral("GLOB"));
    for (auto &e : g.effect)
        e.no = 255;

    g.click.beat = 4;
    g.click.pan = 64;
    g.click.volume = 100;

    g.audio.volume = 100;
    g.audio.bt_volume = 100;

    g.midi.global_ch = 9;
    g.midi.fx_ctrl1_cc = 71;
    g.midi.fx_ctrl2_cc = 72;

    g.lced.lcd_contrast = 10;
    g.lced.led_type = 1;
    g.lced.led_logo = 1;
    g.lced.tempo_indicate = 1;

    for (int p = 0; p < PAD_NUM_MAX; ++p)
        g.pfta[p] = defaultTrigger(p);

    g.rec_level = 60;
    g.auto_state = 1;
    g.loop_click = 1;
    g.loop_qtz = 1;
    g.loop_meas = 1;
}

percussionpadfile::NEW_PAD_FS_TRIG_ATTR percussionpadfile::defaultTrigger(int p)
{
    NEW_PAD_FS_TRIG_ATTR t;
    const bool footSwitch = p >= PAD_NUM_MAX - 2;
    t.sensivity = footSwitch ? 50 : 15;
    t.mask_time = 15;
    t.retrig_level = footSwitch ? 10 : 5;
    t.anti_cross = 5;
    t.rim_gain = 15;
    t.dynamic_range = 5;
    return t;
}

void percussionpadfile::packKitChainBlock(const P_KIT_CHAIN &kc, uchar *block)
{
    mapKitChain(Packer{block}, 0, kc, KIT_CHAIN_ROWS);
}

QByteArray percussionpadfile::packGlobalChunk(const NEW_FILE_GLOBAL_CHUNK &g)
{
    // Packed into a plain buffer: fixed size, and no pointer into a QByteArray's
    // shared data for the optimizer to misjudge.
    uchar buf[kGlobalSize] = {};
    bytepack::put32(buf, g.glob);
    // The chunk written is always the current layout; a size left at 0 (or
    // taken over from an older chunk) would make readers take it for the old one.
    bytepack::put32(buf + 4, quint32(kGlobalSize));
    mapGlobal(Packer{buf}, g);
    return QByteArray(reinterpret_cast<const char *>(buf), kGlobalSize);
}

void percussionpadfile::writeGlobalChunk(QFile *file)
{
    const QByteArray buf = packGlobalChunk(new_globalChunk);
    QDataStream ds(file);
    if (ds.writeRawData(buf.constData(), kGlobalSize) != kGlobalSize)
        qWarning() << Q_FUNC_INFO << "short write of the global chunk";
}

bool percussionpadfile::readGlobalChunk(QIODevice *file)
{
    if (!file)
        return false;

    qint64 pos = 0;
    quint32 expected = str2int(QStringLiteral("GLOB"));
    if (curFlag != 1) {
        const START_ADDRESS &slot = indexChunk.chunkIndex[0];
        if (slot.address == 0)
            return false;
        pos = slot.address;
        expected = slot.id;
    }
    if (!file->seek(pos))
        return false;

    QDataStream ds(file);
    uchar buf[kGlobalSize];
    if (!bytepack::readExactly(ds, buf, kHeaderSize))
        return false;
    const quint32 tag = bytepack::get32(buf);
    const quint32 size = bytepack::get32(buf + 4);
    if (tag != expected)
        return false;

    // Sizes up to the older layout's largest are read as that layout.
    const bool current = size > kOldGlobalMaxSize;
    const int readSize = current ? kGlobalSize : kOldGlobalReadSize;
    if (!bytepack::readExactly(ds, buf + kHeaderSize, readSize - kHeaderSize)) {
        qWarning() << Q_FUNC_INFO << (current ? "global chunk cut short" : "old global chunk cut short");
        return false;
    }

    if (current) {
        NEW_FILE_GLOBAL_CHUNK g = new_globalChunk;
        g.glob = tag;
        g.size = size;
        mapGlobal(Unpacker{buf}, g);
        new_globalChunk = g;
    } else {
        FILE_GLOBAL_CHUNK g = globalChunk;
        g.glob = tag;
        g.size = size;
        unpackOldGlobal(Unpacker{buf}, g);
        globalChunk = g;
    }
    return true;
}

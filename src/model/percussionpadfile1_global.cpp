// Global chunk ("GLOB"): defaults, writer and the readers of both layouts.

#include "model/percussionpadfile1.h"
#include "model/bytepack.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <cstring>

namespace {

// Current layout: 843 bytes; older layout: at most 488 bytes, of which the
// reader takes the first 484.
constexpr int kGlobalSize = GLOBAL_CHUNK_SIZE;
constexpr int kOldGlobalReadSize = 484;
constexpr quint32 kOldGlobalMaxSize = GLOBAL_CHUNK_SIZE_OLD_MAX;
constexpr int kHeaderSize = 8;

struct Packer
{
    uchar *p;
    void u8(quint8 v) { *p++ = v; }
    void u16(quint16 v)
    {
        p[0] = uchar(v);
        p[1] = uchar(v >> 8);
        p += 2;
    }
    void u32(quint32 v)
    {
        p[0] = uchar(v);
        p[1] = uchar(v >> 8);
        p[2] = uchar(v >> 16);
        p[3] = uchar(v >> 24);
        p += 4;
    }
    void bytes(const void *src, int n)
    {
        std::memcpy(p, src, size_t(n));
        p += n;
    }
    void zeros(int n)
    {
        std::memset(p, 0, size_t(n));
        p += n;
    }
};

struct Unpacker
{
    const uchar *p;
    quint8 u8() { return *p++; }
    quint16 u16()
    {
        const quint16 v = quint16(p[0] | (p[1] << 8));
        p += 2;
        return v;
    }
    quint32 u32()
    {
        const quint32 v = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16)
                          | (quint32(p[3]) << 24);
        p += 4;
        return v;
    }
    void skip(int n) { p += n; }
};

// Reads exactly n bytes; false when the file cannot supply them.
bool readExactly(QDataStream &ds, uchar *dst, int n)
{
    return ds.readRawData(reinterpret_cast<char *>(dst), n) == n;
}

// The active chain number as the file stores it in both leading bytes.
quint8 activeChainByte(const percussionpadfile::P_KIT_CHAIN &kc)
{
    return kc.kit_chain != 0 ? kc.kit_chain_No : quint8(0);
}

} // namespace

void percussionpadfile::initGlobalChunk()
{
    NEW_FILE_GLOBAL_CHUNK &g = new_globalChunk;
    g.glob = str2int(QStringLiteral("GLOB"));
    g.size = 0;
    g.editing_effect = 0;
    g.effect_off = 0;
    for (auto &e : g.effect) {
        e.param1 = 0;
        e.param2 = 0;
        e.param3 = 0;
        e.no = 255;
    }

    g.click.click_startCluster = 0;
    g.click.click_waveLength = 0;
    g.click.click_no = 0;
    g.click.beat = 4;
    g.click.pan = 64;
    g.click.volume = 100;
    g.click.click_output = 0;
    std::memset(g.click.reserved, 0, sizeof(g.click.reserved));

    g.audio.volume = 100;
    g.audio.bt_volume = 100;
    g.audio.systan_gain = 0;
    g.audio.output = 0;
    std::memset(g.audio.reserved, 0, sizeof(g.audio.reserved));

    g.midi.global_ch = 9;
    g.midi.ext_ctrl = 0;
    g.midi.midi_sync = 0;
    g.midi.soft_thru = 0;
    g.midi.pc_sw = 0;
    g.midi.cc_sw = 0;
    g.midi.fx_ctrl1_cc = 71;
    g.midi.fx_ctrl2_cc = 72;
    std::memset(g.midi.reserved, 0, sizeof(g.midi.reserved));

    g.lced.lcd_contrast = 10;
    g.lced.led_type = 1;
    g.lced.led_logo = 1;
    g.lced.tempo_indicate = 1;

    g.kc.kit_chain = 0;
    g.kc.kit_chain_No = 0;
    std::memset(g.kc.kitChain, 0, sizeof(g.kc.kitChain));
    std::memset(g.kc.reserved, 0, sizeof(g.kc.reserved));

    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        NEW_PAD_FS_TRIG_ATTR &t = g.pfta[p];
        const bool footSwitch = p >= PAD_NUM_MAX - 2;
        t.type = 0;
        t.sensivity = footSwitch ? 50 : 15;
        t.curve = 0;
        t.mask_time = 15;
        t.retrig_level = footSwitch ? 10 : 5;
        t.anti_cross = 5;
        t.rim_gain = 15;
        t.dynamic_range = 5;
    }

    g.rec_level = 60;
    g.auto_state = 1;
    g.loop_click = 1;
    g.loop_qtz = 1;
    g.loop_meas = 1;
    g.loop_meas_index = 0;
    g.rec_pad = 0;
    std::memset(g.reserved, 0, sizeof(g.reserved));
}

void percussionpadfile::packKitChainBlock(const P_KIT_CHAIN &kc, uchar *block)
{
    Packer w{block};
    const quint8 active = activeChainByte(kc);
    w.u8(active);
    w.u8(active);
    w.bytes(kc.kitChain, int(sizeof(kc.kitChain)));
    w.bytes(kc.reserved, int(sizeof(kc.reserved)));
}

void percussionpadfile::writeGlobalChunk(QFile *file)
{
    const NEW_FILE_GLOBAL_CHUNK &g = new_globalChunk;
    uchar buf[kGlobalSize];
    Packer w{buf};

    w.u32(g.glob);
    // The chunk written is always the current layout; a size left at 0 (or
    // taken over from an older chunk) would make readers take it for the old one.
    w.u32(quint32(kGlobalSize));
    w.u8(g.editing_effect);
    w.u8(g.effect_off);
    for (const auto &e : g.effect) {
        w.u16(e.param1);
        w.u16(e.param2);
        w.u16(e.param3);
        w.u8(e.no);
    }

    w.u32(g.click.click_startCluster);
    w.u32(g.click.click_waveLength);
    w.u8(g.click.click_no);
    w.u8(g.click.beat);
    w.u8(g.click.pan);
    w.u8(g.click.volume);
    w.u8(g.click.click_output);
    w.bytes(g.click.reserved, 3);

    w.u8(g.audio.volume);
    w.u8(g.audio.bt_volume);
    w.u8(g.audio.systan_gain);
    w.u8(g.audio.output);
    w.bytes(g.audio.reserved, 4);

    w.u8(g.midi.global_ch);
    w.u8(g.midi.ext_ctrl);
    w.u8(g.midi.midi_sync);
    w.u8(g.midi.soft_thru);
    w.u8(g.midi.pc_sw);
    w.u8(g.midi.cc_sw);
    w.u8(g.midi.fx_ctrl1_cc);
    w.u8(g.midi.fx_ctrl2_cc);
    w.bytes(g.midi.reserved, 4);

    w.u8(g.lced.lcd_contrast);
    w.u8(g.lced.led_type);
    w.u8(g.lced.led_logo);
    w.u8(g.lced.tempo_indicate);

    packKitChainBlock(g.kc, w.p);
    w.p += KIT_CHAIN_BLOCK_SIZE;

    for (const auto &t : g.pfta) {
        w.u8(t.type);
        w.u8(t.sensivity);
        w.u8(t.curve);
        w.u8(t.mask_time);
        w.u8(t.retrig_level);
        w.u8(t.anti_cross);
        w.u8(t.rim_gain);
        w.u8(t.dynamic_range);
    }

    w.u8(g.rec_level);
    w.u8(g.auto_state);
    w.u8(g.loop_click);
    w.u8(g.loop_qtz);
    w.u8(g.loop_meas);
    w.u8(g.loop_meas_index);
    w.u8(g.rec_pad);
    w.bytes(g.reserved, 2);

    Q_ASSERT(w.p - buf == kGlobalSize);

    QDataStream ds(file);
    if (ds.writeRawData(reinterpret_cast<const char *>(buf), kGlobalSize) != kGlobalSize)
        qWarning() << Q_FUNC_INFO << "short write of the global chunk";
}

bool percussionpadfile::readGlobalChunk(QFile *file)
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
    uchar head[kHeaderSize];
    if (!readExactly(ds, head, kHeaderSize))
        return false;
    const quint32 tag = bytepack::get32(head);
    const quint32 size = bytepack::get32(head + 4);
    if (tag != expected)
        return false;

    if (size > kOldGlobalMaxSize) {
        uchar body[kGlobalSize - kHeaderSize];
        if (!readExactly(ds, body, int(sizeof(body)))) {
            qWarning() << Q_FUNC_INFO << "global chunk cut short";
            return false;
        }
        NEW_FILE_GLOBAL_CHUNK g = new_globalChunk;
        g.glob = tag;
        g.size = size;
        Unpacker r{body};
        g.editing_effect = r.u8();
        g.effect_off = r.u8();
        for (auto &e : g.effect) {
            e.param1 = r.u16();
            e.param2 = r.u16();
            e.param3 = r.u16();
            e.no = r.u8();
        }
        g.click.click_startCluster = r.u32();
        g.click.click_waveLength = r.u32();
        g.click.click_no = r.u8();
        g.click.beat = r.u8();
        g.click.pan = r.u8();
        g.click.volume = r.u8();
        g.click.click_output = r.u8();
        r.skip(3);
        g.audio.volume = r.u8();
        g.audio.bt_volume = r.u8();
        g.audio.systan_gain = r.u8();
        g.audio.output = r.u8();
        r.skip(4);
        g.midi.global_ch = r.u8();
        g.midi.ext_ctrl = r.u8();
        g.midi.midi_sync = r.u8();
        g.midi.soft_thru = r.u8();
        g.midi.pc_sw = r.u8();
        g.midi.cc_sw = r.u8();
        g.midi.fx_ctrl1_cc = r.u8();
        g.midi.fx_ctrl2_cc = r.u8();
        r.skip(4);
        g.lced.lcd_contrast = r.u8();
        g.lced.led_type = r.u8();
        g.lced.led_logo = r.u8();
        g.lced.tempo_indicate = r.u8();
        const quint8 active = r.u8();
        r.skip(1);
        g.kc.kit_chain = active != 0 ? 1 : 0;
        g.kc.kit_chain_No = active;
        std::memcpy(g.kc.kitChain, r.p, sizeof(g.kc.kitChain));
        r.skip(int(sizeof(g.kc.kitChain)));
        r.skip(2);
        for (auto &t : g.pfta) {
            t.type = r.u8();
            t.sensivity = r.u8();
            t.curve = r.u8();
            t.mask_time = r.u8();
            t.retrig_level = r.u8();
            t.anti_cross = r.u8();
            t.rim_gain = r.u8();
            t.dynamic_range = r.u8();
        }
        g.rec_level = r.u8();
        g.auto_state = r.u8();
        g.loop_click = r.u8();
        g.loop_qtz = r.u8();
        g.loop_meas = r.u8();
        g.loop_meas_index = r.u8();
        g.rec_pad = r.u8();
        new_globalChunk = g;
        return true;
    }

    uchar body[kOldGlobalReadSize - kHeaderSize];
    if (!readExactly(ds, body, int(sizeof(body)))) {
        qWarning() << Q_FUNC_INFO << "old global chunk cut short";
        return false;
    }
    FILE_GLOBAL_CHUNK g = globalChunk;
    g.glob = tag;
    g.size = size;
    Unpacker r{body};
    g.effect.effectType = r.u8();
    g.effect.effectCtrl1 = r.u8();
    g.effect.effectCtrl2 = r.u8();
    g.effect.effectCtrl3 = r.u8();
    r.skip(4);
    g.click.click_startCluster = r.u32();
    g.click.click_waveLength = r.u32();
    g.click.click_no = r.u8();
    g.click.beat = r.u8();
    g.click.pan = r.u8();
    g.click.volume = r.u8();
    g.click.click_output = r.u8();
    r.skip(3);
    g.audio.volume = r.u8();
    g.audio.bt_volume = r.u8();
    g.audio.systan_gain = r.u8();
    r.skip(1);
    g.audio.output = r.u8();
    r.skip(3);
    g.eq.low_gain = r.u8();
    g.eq.low_freq = r.u16();
    g.eq.mid_gain = r.u8();
    g.eq.mid_freq = r.u16();
    g.eq.hig_gain = r.u8();
    g.eq.hig_freq = r.u16();
    r.skip(3);
    g.midi.global_ch = r.u8();
    g.midi.ext_ctrl = r.u8();
    g.midi.midi_sync = r.u8();
    g.midi.soft_thru = r.u8();
    g.midi.pc_sw = r.u8();
    g.midi.cc_sw = r.u8();
    g.midi.fx_ctrl1_cc = r.u8();
    g.midi.fx_ctrl2_cc = r.u8();
    r.skip(4);
    g.lced.lcd_contrast = r.u8();
    g.lced.led_type = r.u8();
    g.lced.tempo_indicate = r.u8();
    g.lced.led_logo = r.u8();
    for (auto &led : g.led) {
        led.click_led = r.u8();
        led.click_led_mode = r.u8();
        led.pad_hit_mode = r.u8();
        led.pad_loop = r.u8();
        led.pad_loop_mode = r.u8();
        led.pad_ctrl = r.u8();
        led.logo = r.u8();
        led.logo_mode = r.u8();
        r.skip(4);
    }
    const quint8 active = r.u8();
    r.skip(1);
    g.kc.kit_chain = active != 0 ? 1 : 0;
    g.kc.kit_chain_No = active;
    constexpr int kOldChainRows = 8;
    std::memcpy(g.kc.kitChain, r.p, size_t(kOldChainRows * STEP_MAX_COUNT));
    r.skip(kOldChainRows * STEP_MAX_COUNT);
    r.skip(2);
    for (auto &t : g.pfta) {
        t.sensibility = r.u8();
        t.threshold = r.u8();
        t.curve = r.u8();
        t.mask_time = r.u8();
        t.anti_cross = r.u8();
        t.model = r.u8();
        t.trig_mode = r.u8();
        t.pad_fs_ctrl = r.u8();
        t.open = r.u8();
        t.close = r.u8();
        r.skip(2);
    }
    Q_ASSERT(r.p - body == int(sizeof(body)));
    globalChunk = g;
    return true;
}

// Kit chunk ("SKIT") and the bare 1987-byte kit record.

#include "model/percussionpadfile1.h"

#include "model/bytepack.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <cstring>

using bytepack::get16;
using bytepack::get32;
using bytepack::put16;
using bytepack::put32;

namespace {

// How a reader treats the record's numbers.
enum class RecordKind {
    AllKits,    // whole setup: numbers as stored, pedal reserved bytes kept as they were
    SingleKit,  // single-kit file: wave numbers n -> n - 1, 0/0xFFFF -> none
    Device      // bare device record: numbers as stored
};

quint16 singleKitWave(quint16 stored)
{
    return (stored == 0 || stored == NO_WAVE) ? NO_WAVE : quint16(stored - 1);
}

// A one-byte control of the older base layout; 0xFF means "not used".
quint16 oldControl(uchar b)
{
    return b == 0xFF ? 999 : b;
}

int recordSizeFor(quint8 baseSize)
{
    return baseSize >= KIT_BASE_SIZE ? KIT_RECORD_SIZE : KIT_RECORD_SIZE_OLD;
}

void packBase(const percussionpadfile::P_KIT_BASE_PARA &b, uchar *p)
{
    std::memcpy(p, b.kit_name, KIT_NAME_FIELD);
    p[13] = b.kit_no;
    p[14] = b.kit_volume;
    p[15] = b.kit_tempo;
    p[16] = b.click_beat;
    p[17] = b.click_volune;
    p[18] = b.pad_link1;
    p[19] = b.pad_link2;
    p[20] = b.kit_effect1_state;
    p[21] = b.kit_effect2_state;
    p[22] = b.kit_effect3_state;
    p[23] = b.kit_effect1;
    p[24] = b.effect1_no;
    put16(p + 25, b.effect1_ctrl1);
    put16(p + 27, b.effect1_ctrl2);
    put16(p + 29, b.effect1_ctrl3);
    p[31] = b.kit_effect2;
    p[32] = b.effect2_no;
    put16(p + 33, b.effect2_ctrl1);
    put16(p + 35, b.effect2_ctrl2);
    put16(p + 37, b.effect2_ctrl3);
    p[39] = b.kit_effect3;
    p[40] = b.effect3_no;
    put16(p + 41, b.effect3_ctrl1);
    put16(p + 43, b.effect3_ctrl2);
    put16(p + 45, b.effect3_ctrl3);
    p[47] = b.bottom_color;
    p[48] = b.work_color;
    p[49] = b.pad_volume;
    std::memcpy(p + 50, b.reserved, 4);
}

void packPedal(const percussionpadfile::P_PEDAL_SETTING &h, uchar *p)
{
    put16(p + 0, h.hh_wave1_no);
    put16(p + 2, h.hh_wave2_no);
    put16(p + 4, h.hh_wave3_no);
    put16(p + 6, h.hh_wave4_no);
    put16(p + 8, h.hh_wave5_no);
    p[10] = h.pedal_contrl;
    p[11] = h.hh_layer1;
    p[12] = h.hh_layer2;
    p[13] = h.hh_layer3;
    p[14] = h.hh_layer4;
    p[15] = h.hh_layer5;
    const quint32 blocks[20] = {
        h.hh_wave1_startCluster, h.hh_wave1_length, h.hh_wave1_start, h.hh_wave1_end,
        h.hh_wave2_startCluster, h.hh_wave2_length, h.hh_wave2_start, h.hh_wave2_end,
        h.hh_wave3_startCluster, h.hh_wave3_length, h.hh_wave3_start, h.hh_wave3_end,
        h.hh_wave4_startCluster, h.hh_wave4_length, h.hh_wave4_start, h.hh_wave4_end,
        h.hh_wave5_startCluster, h.hh_wave5_length, h.hh_wave5_start, h.hh_wave5_end};
    for (int i = 0; i < 20; ++i)
        put32(p + 16 + 4 * i, blocks[i]);
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
    std::memcpy(p + 114, h.reserved, 14);
}

void packPad(const percussionpadfile::P_KIT_PAD_SETTING &d, uchar *p)
{
    put16(p + 0, d.aWaveNo);
    put16(p + 2, d.bWaveNo);
    put32(p + 4, d.aWaveStartCluster);
    put32(p + 8, d.aWaveLength);
    put32(p + 12, d.aWaveStart);
    put32(p + 16, d.aWaveEnd);
    p[20] = d.aWaveVolume;
    p[21] = d.aWavePan;
    p[22] = d.aWavePitch;
    p[23] = d.aWavePitch_cent;
    p[24] = d.aWaveDecay;
    put32(p + 25, d.bWaveStartCluster);
    put32(p + 29, d.bWaveLength);
    put32(p + 33, d.bWaveStart);
    put32(p + 37, d.bWaveEnd);
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
    p[61] = d.pad_fs_ctrl;
    std::memcpy(p + 62, d.reserved, 33);
}

// Unpacks the base part behind the 13 name bytes; returns the bytes consumed.
int unpackBase(percussionpadfile::P_KIT_BASE_PARA &b, const uchar *p, bool current)
{
    std::memcpy(b.kit_name, p, KIT_NAME_FIELD);
    b.kit_no = p[13];
    b.kit_volume = p[14];
    b.kit_tempo = p[15];
    b.click_beat = p[16];
    b.click_volune = p[17];
    b.pad_link1 = p[18];
    b.pad_link2 = p[19];
    b.kit_effect1_state = p[20];
    b.kit_effect2_state = p[21];
    b.kit_effect3_state = p[22];
    b.kit_effect1 = p[23];
    b.effect1_no = p[24];
    if (current) {
        b.effect1_ctrl1 = get16(p + 25);
        b.effect1_ctrl2 = get16(p + 27);
        b.effect1_ctrl3 = get16(p + 29);
        b.kit_effect2 = p[31];
        b.effect2_no = p[32];
        b.effect2_ctrl1 = get16(p + 33);
        b.effect2_ctrl2 = get16(p + 35);
        b.effect2_ctrl3 = get16(p + 37);
        b.kit_effect3 = p[39];
        b.effect3_no = p[40];
        b.effect3_ctrl1 = get16(p + 41);
        b.effect3_ctrl2 = get16(p + 43);
        b.effect3_ctrl3 = get16(p + 45);
        b.bottom_color = p[47];
        b.work_color = p[48];
        b.pad_volume = p[49];
        std::memcpy(b.reserved, p + 50, 4);
        return KIT_BASE_SIZE;
    }
    b.effect1_ctrl1 = oldControl(p[25]);
    b.effect1_ctrl2 = oldControl(p[26]);
    b.effect1_ctrl3 = oldControl(p[27]);
    b.kit_effect2 = p[28];
    b.effect2_no = p[29];
    b.effect2_ctrl1 = oldControl(p[30]);
    b.effect2_ctrl2 = oldControl(p[31]);
    b.effect2_ctrl3 = oldControl(p[32]);
    b.kit_effect3 = p[33];
    b.effect3_no = p[34];
    b.effect3_ctrl1 = oldControl(p[35]);
    b.effect3_ctrl2 = oldControl(p[36]);
    b.effect3_ctrl3 = oldControl(p[37]);
    b.bottom_color = p[38];
    b.work_color = p[39];
    b.pad_volume = p[40];
    std::memcpy(b.reserved, p + 41, 4);
    return KIT_BASE_SIZE_OLD;
}

void unpackPedal(percussionpadfile::P_PEDAL_SETTING &h, const uchar *p, RecordKind kind)
{
    quint16 waves[5];
    for (int i = 0; i < 5; ++i) {
        const quint16 stored = get16(p + 2 * i);
        waves[i] = kind == RecordKind::SingleKit ? singleKitWave(stored) : stored;
    }
    h.hh_wave1_no = waves[0];
    h.hh_wave2_no = waves[1];
    h.hh_wave3_no = waves[2];
    h.hh_wave4_no = waves[3];
    h.hh_wave5_no = waves[4];
    h.pedal_contrl = p[10];
    h.hh_layer1 = p[11];
    h.hh_layer2 = p[12];
    h.hh_layer3 = p[13];
    h.hh_layer4 = p[14];
    h.hh_layer5 = p[15];
    quint32 *blocks[20] = {
        &h.hh_wave1_startCluster, &h.hh_wave1_length, &h.hh_wave1_start, &h.hh_wave1_end,
        &h.hh_wave2_startCluster, &h.hh_wave2_length, &h.hh_wave2_start, &h.hh_wave2_end,
        &h.hh_wave3_startCluster, &h.hh_wave3_length, &h.hh_wave3_start, &h.hh_wave3_end,
        &h.hh_wave4_startCluster, &h.hh_wave4_length, &h.hh_wave4_start, &h.hh_wave4_end,
        &h.hh_wave5_startCluster, &h.hh_wave5_length, &h.hh_wave5_start, &h.hh_wave5_end};
    for (int i = 0; i < 20; ++i)
        *blocks[i] = get32(p + 16 + 4 * i);
    h.hh_midi_code = p[96];
    h.pad_link2_1 = p[97];
    h.pad_link2_2 = p[98];
    h.pad_link3_1 = p[99];
    h.pad_link3_2 = p[100];
    h.pad_link4_1 = p[101];
    h.pad_link4_2 = p[102];
    h.pad_link5_1 = p[103];
    h.pad_link5_2 = p[104];
    h.active_fx = p[105];
    h.active_off = p[106];
    h.active_no = p[107];
    h.active_effectCtrl1 = get16(p + 108);
    h.active_effectCtrl2 = get16(p + 110);
    h.active_effectCtrl3 = get16(p + 112);
    if (kind != RecordKind::AllKits)
        std::memcpy(h.reserved, p + 114, 14);
}

// The pad's 33 reserved bytes are never taken from the file.
void unpackPad(percussionpadfile::P_KIT_PAD_SETTING &d, const uchar *p, RecordKind kind)
{
    const quint16 a = get16(p + 0);
    const quint16 b = get16(p + 2);
    d.aWaveNo = kind == RecordKind::SingleKit ? singleKitWave(a) : a;
    d.bWaveNo = kind == RecordKind::SingleKit ? singleKitWave(b) : b;
    d.aWaveStartCluster = get32(p + 4);
    d.aWaveLength = get32(p + 8);
    d.aWaveStart = get32(p + 12);
    d.aWaveEnd = get32(p + 16);
    d.aWaveVolume = p[20];
    d.aWavePan = p[21];
    d.aWavePitch = p[22];
    d.aWavePitch_cent = p[23];
    d.aWaveDecay = p[24];
    d.bWaveStartCluster = get32(p + 25);
    d.bWaveLength = get32(p + 29);
    d.bWaveStart = get32(p + 33);
    d.bWaveEnd = get32(p + 37);
    d.bWaveVolume = p[41];
    d.bWavePan = p[42];
    d.bWavePitch = p[43];
    d.bWavePitch_cent = p[44];
    d.bWaveDecay = p[45];
    d.padNo = p[46];
    d.midi_code = p[47];
    d.midi_channel = p[48];
    d.midi_gate = p[49];
    d.ext_ctrl = p[50];
    d.pad_output = p[51];
    d.mute_group = p[52];
    d.tempo_sync = p[53];
    d.mode = p[54];
    d.loop = p[55];
    d.trig_mode = p[56];
    d.velocity = p[57];
    d.dynamic = p[58];
    d.poly_mono = p[59];
    d.pad_volume = p[60];
    d.pad_fs_ctrl = p[61];
}

bool readExactly(QDataStream &in, uchar *buf, int len)
{
    return len <= 0 || in.readRawData(reinterpret_cast<char *>(buf), len) == len;
}

} // namespace

// ---------------------------------------------------------------------------
// Writers

void percussionpadfile::packKitRecord(int kit, uchar *out) const
{
    if (!out)
        return;
    if (kit < 0 || kit >= KIT_MAX_COUNT || !kitChunk.baseChunk || !kitChunk.pedalChunk || !kitChunk.kpadChunk) {
        std::memset(out, 0, KIT_RECORD_SIZE);
        return;
    }
    packBase(kitChunk.baseChunk[kit], out);
    packPedal(kitChunk.pedalChunk[kit], out + KIT_BASE_SIZE);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        packPad(kitChunk.kpadChunk[kit][j], out + KIT_BASE_SIZE + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j);
}

void percussionpadfile::writeSkitChunk(QFile *file)
{
    if (!file)
        return;
    uchar head[SKIT_HEADER_SIZE];
    put32(head, kitChunk.skit);
    put32(head + 4, kitChunk.size);
    head[8] = kitChunk.kit_count;
    head[9] = kitChunk.baseSize;
    head[10] = kitChunk.pedalSize;
    head[11] = kitChunk.padSize;
    QDataStream out(file);
    out.writeRawData(reinterpret_cast<const char *>(head), SKIT_HEADER_SIZE);
}

void percussionpadfile::writeSkitChunkKit(QFile *file)
{
    if (!file)
        return;
    int count = kitChunk.kit_count;
    if (count > KIT_MAX_COUNT) {
        qWarning() << "kit count" << count << "exceeds the kit storage; writing" << KIT_MAX_COUNT;
        count = KIT_MAX_COUNT;
    }
    QByteArray buf(count * KIT_RECORD_SIZE, '\0');
    uchar *p = reinterpret_cast<uchar *>(buf.data());
    for (int k = 0; k < count; ++k)
        packKitRecord(k, p + k * KIT_RECORD_SIZE);
    QDataStream out(file);
    if (count > 0)
        out.writeRawData(buf.constData(), buf.size());
    out.writeRawData(reinterpret_cast<const char *>(kitChunk.reserved), 4);
}

void percussionpadfile::writeSkitChunkPad(QFile *file, int kit)
{
    if (!file)
        return;
    if (kit < 0 || kit >= KIT_MAX_COUNT) {
        qWarning() << "kit" << kit << "is outside the kit storage";
        return;
    }
    uchar rec[KIT_RECORD_SIZE];
    packKitRecord(kit, rec);
    QDataStream out(file);
    out.writeRawData(reinterpret_cast<const char *>(rec), KIT_RECORD_SIZE);
}

// ---------------------------------------------------------------------------
// Readers

bool percussionpadfile::readSkitChunk(QFile *file)
{
    if (!file || !kitChunk.baseChunk || !kitChunk.pedalChunk || !kitChunk.kpadChunk)
        return false;
    const START_ADDRESS &slot = indexChunk.chunkIndex[SLOT_SKIT];
    if (slot.address == 0 || !file->seek(slot.address))
        return false;
    QDataStream in(file);
    uchar head[SKIT_HEADER_SIZE];
    if (!readExactly(in, head, SKIT_HEADER_SIZE) || get32(head) != slot.id)
        return false;
    const int count = head[8];
    if (count > KIT_MAX_COUNT) {
        qWarning() << "kit chunk holds" << count << "kits, at most" << KIT_MAX_COUNT << "are allowed";
        return false;
    }
    const int recSize = recordSizeFor(head[9]);
    QByteArray body(count * recSize, '\0');
    if (!readExactly(in, reinterpret_cast<uchar *>(body.data()), body.size())) {
        qWarning() << "kit chunk is cut short";
        return false;
    }

    kitChunk.skit = get32(head);
    kitChunk.size = get32(head + 4);
    kitChunk.kit_count = head[8];
    kitChunk.baseSize = head[9];
    kitChunk.pedalSize = head[10];
    kitChunk.padSize = head[11];
    const bool current = kitChunk.baseSize >= KIT_BASE_SIZE;
    const uchar *p = reinterpret_cast<const uchar *>(body.constData());
    for (int k = 0; k < count; ++k, p += recSize) {
        const int base = unpackBase(kitChunk.baseChunk[k], p, current);
        unpackPedal(kitChunk.pedalChunk[k], p + base, RecordKind::AllKits);
        for (int j = 0; j < PAD_NUM_MAX; ++j)
            unpackPad(kitChunk.kpadChunk[k][j], p + base + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j,
                      RecordKind::AllKits);
    }
    return true;
}

bool percussionpadfile::readSingleSkitChunk(QFile *file, int kit, int)
{
    if (!file || !kitChunk.baseChunk || !kitChunk.pedalChunk || !kitChunk.kpadChunk)
        return false;
    if (kit < 0 || kit >= KIT_MAX_COUNT) {
        qWarning() << "kit" << kit << "is outside the kit storage";
        return false;
    }
    QDataStream in(file);
    quint8 baseSize = kitChunk.baseSize;
    uchar head[SKIT_HEADER_SIZE];
    bool haveHead = false;
    if (curFlag == 2) {
        const START_ADDRESS &slot = indexChunk.chunkIndex[SLOT_SKIT];
        if (slot.address == 0 || !file->seek(slot.address))
            return false;
        if (!readExactly(in, head, SKIT_HEADER_SIZE) || get32(head) != slot.id)
            return false;
        baseSize = head[9];
        haveHead = true;
    } else if (curFlag == 4) {
        if (!file->seek(0))
            return false;
        baseSize = KIT_BASE_SIZE;
    }
    const int recSize = recordSizeFor(baseSize);
    uchar rec[KIT_RECORD_SIZE];
    if (!readExactly(in, rec, recSize)) {
        qWarning() << "kit record is cut short";
        return false;
    }

    if (haveHead) {
        kitChunk.skit = get32(head);
        kitChunk.size = get32(head + 4);
        kitChunk.kit_count = head[8];
        kitChunk.pedalSize = head[10];
        kitChunk.padSize = head[11];
    }
    kitChunk.baseSize = baseSize;
    P_KIT_BASE_PARA &b = kitChunk.baseChunk[kit];
    const int base = unpackBase(b, rec, baseSize >= KIT_BASE_SIZE);
    b.kit_no = quint8(kit);
    unpackPedal(kitChunk.pedalChunk[kit], rec + base, RecordKind::SingleKit);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        unpackPad(kitChunk.kpadChunk[kit][j], rec + base + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j,
                  RecordKind::SingleKit);
    return true;
}

bool percussionpadfile::readSingleOnlineSkitChunk(QFile *file, int kit, int)
{
    if (!file || !kitChunk.baseChunk || !kitChunk.pedalChunk || !kitChunk.kpadChunk)
        return false;
    if (kit < 0 || kit >= KIT_MAX_COUNT) {
        qWarning() << "kit" << kit << "is outside the kit storage";
        return false;
    }
    if (!file->seek(0))
        return false;
    QDataStream in(file);
    uchar rec[KIT_RECORD_SIZE];
    if (!readExactly(in, rec, KIT_RECORD_SIZE)) {
        qWarning() << "device kit record is cut short:" << file->fileName();
        return false;
    }
    kitChunk.baseSize = KIT_BASE_SIZE;
    P_KIT_BASE_PARA &b = kitChunk.baseChunk[kit];
    unpackBase(b, rec, true);
    b.kit_no = quint8(kit);
    unpackPedal(kitChunk.pedalChunk[kit], rec + KIT_BASE_SIZE, RecordKind::Device);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        unpackPad(kitChunk.kpadChunk[kit][j], rec + KIT_BASE_SIZE + KIT_PEDAL_SIZE + KIT_PAD_SIZE * j,
                  RecordKind::Device);
    return true;
}

// Kit chunk ("SKIT") and the bare 1987-byte kit record.

#include "model/percussionpadfile1.h"

#include "model/bytepack.h"
#include "model/kitrecordmap.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <cstring>

using bytepack::get32;
using bytepack::readExactly;

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

// Reads the older base layout: one-byte effect controls, 0xFF meaning "not used".
struct OldBaseUnpacker : kitrecord::Unpacker {
    static constexpr int CTRL_SIZE = 1;
    void ctrl(int at, quint16 &v) const { v = p[at] == 0xFF ? 999 : p[at]; }
};

int recordSizeFor(quint8 baseSize)
{
    return baseSize >= KIT_BASE_SIZE ? KIT_RECORD_SIZE : KIT_RECORD_SIZE_OLD;
}

bool hasStorage(const percussionpadfile::FILE_KIT_CHUNK &c)
{
    return c.baseChunk && c.pedalChunk && c.kpadChunk;
}

bool kitInStorage(int kit)
{
    if (kit >= 0 && kit < KIT_MAX_COUNT)
        return true;
    qWarning() << "kit" << kit << "is outside the kit storage";
    return false;
}

// Unpacks the base part, name included; returns the bytes consumed.
int unpackBase(percussionpadfile::P_KIT_BASE_PARA &b, const uchar *p, bool current)
{
    std::memcpy(b.kit_name, p, KIT_NAME_FIELD);
    if (current) {
        kitrecord::unpackKitBase(p, b);
        return KIT_BASE_SIZE;
    }
    kitrecord::mapKitBase(OldBaseUnpacker{{p}}, b);
    return KIT_BASE_SIZE_OLD;
}

// Unpacks record `kit` from `p`. The pads' reserved bytes are never taken from
// the file, the pedal's only for a single kit.
void unpackRecord(percussionpadfile::FILE_KIT_CHUNK &c, int kit, const uchar *p, bool current, RecordKind kind)
{
    const int base = unpackBase(c.baseChunk[kit], p, current);
    percussionpadfile::P_PEDAL_SETTING &h = c.pedalChunk[kit];
    kitrecord::unpackKitPedal(p + base, h);
    if (kind != RecordKind::AllKits)
        std::memcpy(h.reserved, p + base + kitrecord::PEDAL_RESERVED, sizeof h.reserved);
    if (kind == RecordKind::SingleKit)
        kitrecord::forEachHiHatWave(h, [](int, quint16 &no, auto &...) { no = singleKitWave(no); });
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        percussionpadfile::P_KIT_PAD_SETTING &d = c.kpadChunk[kit][j];
        kitrecord::unpackKitPad(p + kitrecord::padOffset(j, base), d);
        if (kind == RecordKind::SingleKit) {
            d.aWaveNo = singleKitWave(d.aWaveNo);
            d.bWaveNo = singleKitWave(d.bWaveNo);
        }
    }
}

// Reads the SKIT header at the chunk's slot; false for an empty slot or another id.
bool readSkitHeader(const percussionpadfile::START_ADDRESS &slot, QFile *file, QDataStream &in, uchar *head)
{
    return slot.address != 0 && file->seek(slot.address) && readExactly(in, head, SKIT_HEADER_SIZE)
           && get32(head) == slot.id;
}

// The SKIT header, either way.
template <class Io, class Chunk>
void mapSkitHeader(const Io &io, Chunk &c)
{
    io.u32(0, c.skit);
    io.u32(4, c.size);
    io.u8(8, c.kit_count);
    io.u8(9, c.baseSize);
    io.u8(10, c.pedalSize);
    io.u8(11, c.padSize);
}

} // namespace

// ---------------------------------------------------------------------------
// Writers

void percussionpadfile::packKitRecord(int kit, uchar *out) const
{
    if (!out)
        return;
    if (kit < 0 || kit >= KIT_MAX_COUNT || !hasStorage(kitChunk)) {
        std::memset(out, 0, KIT_RECORD_SIZE);
        return;
    }
    std::memcpy(out, kitChunk.baseChunk[kit].kit_name, KIT_NAME_FIELD);
    kitrecord::packKitRecord(out, kitChunk.baseChunk[kit], kitChunk.pedalChunk[kit], kitChunk.kpadChunk[kit]);
}

void percussionpadfile::writeSkitChunk(QFile *file)
{
    if (!file)
        return;
    uchar head[SKIT_HEADER_SIZE];
    mapSkitHeader(kitrecord::Packer{head}, kitChunk);
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
    if (!file || !kitInStorage(kit))
        return;
    uchar rec[KIT_RECORD_SIZE];
    packKitRecord(kit, rec);
    QDataStream out(file);
    out.writeRawData(reinterpret_cast<const char *>(rec), KIT_RECORD_SIZE);
}

// ---------------------------------------------------------------------------
// Readers

bool percussionpadfile::readSkitChunk(QFile *file)
{
    if (!file || !hasStorage(kitChunk))
        return false;
    QDataStream in(file);
    uchar head[SKIT_HEADER_SIZE];
    if (!readSkitHeader(indexChunk.chunkIndex[SLOT_SKIT], file, in, head))
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

    mapSkitHeader(kitrecord::Unpacker{head}, kitChunk);
    const bool current = kitChunk.baseSize >= KIT_BASE_SIZE;
    const uchar *p = reinterpret_cast<const uchar *>(body.constData());
    for (int k = 0; k < count; ++k, p += recSize)
        unpackRecord(kitChunk, k, p, current, RecordKind::AllKits);
    return true;
}

bool percussionpadfile::readSingleSkitChunk(QFile *file, int kit)
{
    if (!file || !hasStorage(kitChunk) || !kitInStorage(kit))
        return false;
    QDataStream in(file);
    quint8 baseSize = kitChunk.baseSize;
    uchar head[SKIT_HEADER_SIZE];
    bool haveHead = false;
    if (curFlag == 2) {
        if (!readSkitHeader(indexChunk.chunkIndex[SLOT_SKIT], file, in, head))
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

    if (haveHead)
        mapSkitHeader(kitrecord::Unpacker{head}, kitChunk);
    kitChunk.baseSize = baseSize;
    unpackRecord(kitChunk, kit, rec, baseSize >= KIT_BASE_SIZE, RecordKind::SingleKit);
    kitChunk.baseChunk[kit].kit_no = quint8(kit);
    return true;
}

bool percussionpadfile::readSingleOnlineSkitChunk(QIODevice *file, int kit)
{
    if (!file || !hasStorage(kitChunk) || !kitInStorage(kit))
        return false;
    if (!file->seek(0))
        return false;
    QDataStream in(file);
    uchar rec[KIT_RECORD_SIZE];
    if (!readExactly(in, rec, KIT_RECORD_SIZE)) {
        qWarning() << "device kit record is cut short";
        return false;
    }
    kitChunk.baseSize = KIT_BASE_SIZE;
    unpackRecord(kitChunk, kit, rec, true, RecordKind::Device);
    kitChunk.baseChunk[kit].kit_no = quint8(kit);
    return true;
}

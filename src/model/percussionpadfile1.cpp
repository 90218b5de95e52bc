#include "model/percussionpadfile1.h"

#include "model/bytepack.h"
#include "model/kitrecordmap.h"
#include "model/wavekitindex.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QTextCodec>

#include <cstring>
#include <utility>

namespace {

const char *const kSlotTags[INDEX_SLOT_COUNT] = {"GLOB", "SKIT", "SOUN", "WAV1", "WAV2"};

void writeRaw(QFile *file, const uchar *data, int len)
{
    if (!file || len <= 0)
        return;
    QDataStream out(file);
    out.writeRawData(reinterpret_cast<const char *>(data), len);
}

} // namespace

// ---------------------------------------------------------------------------
// Construction, copy and move

percussionpadfile::percussionpadfile()
    : sound(WAVE_MAX_COUNT1)
{
    soundChunk.soundIndex = sound.data();
    soundChunk.soundCount = 0;
    globalChunk.size = 0;
    new_globalChunk.size = 0;
}

percussionpadfile::percussionpadfile(const percussionpadfile &other)
{
    copyFrom(other);
}

percussionpadfile::percussionpadfile(percussionpadfile &&other) noexcept
    : kitFileName(std::move(other.kitFileName))
{
    copyChunks(other);
    const bool ownTable = other.soundChunk.soundIndex == other.sound.data();
    sound = std::move(other.sound);         // the buffer changes hands
    if (ownTable) {
        soundChunk.soundIndex = sound.data();
        // A moved-from model has no table of its own; it may only be assigned or destroyed.
        other.soundChunk.soundIndex = nullptr;
    }
    other.soundChunk.soundCount = 0;
}

percussionpadfile &percussionpadfile::operator=(const percussionpadfile &other)
{
    if (this != &other)
        copyFrom(other);
    return *this;
}

percussionpadfile &percussionpadfile::operator=(percussionpadfile &&other) noexcept
{
    if (this == &other)
        return *this;
    copyChunks(other);
    kitFileName = std::move(other.kitFileName);
    const bool ownTable = other.soundChunk.soundIndex == other.sound.data();
    sound.swap(other.sound);
    if (ownTable) {
        soundChunk.soundIndex = sound.data();
        // other now holds this model's former buffer.
        other.soundChunk.soundIndex = other.sound.empty() ? nullptr : other.sound.data();
    }
    other.soundChunk.soundCount = 0;
    return *this;
}

percussionpadfile::~percussionpadfile() = default;

// The kind and everything but the sound table's buffer and the file name; the kit
// references are shared as they are.
void percussionpadfile::copyChunks(const percussionpadfile &other)
{
    curFlag = other.curFlag;
    identityChunk = other.identityChunk;
    indexChunk = other.indexChunk;
    wn1Chunk = other.wn1Chunk;
    wn2Chunk = other.wn2Chunk;
    globalChunk = other.globalChunk;
    new_globalChunk = other.new_globalChunk;
    kitChunk = other.kitChunk;
    soundChunk = other.soundChunk;
}

void percussionpadfile::copyFrom(const percussionpadfile &other)
{
    copyChunks(other);
    sound = other.sound;
    if (sound.size() != size_t(WAVE_MAX_COUNT1))
        sound.resize(WAVE_MAX_COUNT1);    // copy of a moved-from model
    kitFileName = other.kitFileName;
    // Never refer to the source's own table.
    if (other.soundChunk.soundIndex == other.sound.data() || other.soundChunk.soundIndex == nullptr)
        soundChunk.soundIndex = sound.data();
}

// ---------------------------------------------------------------------------
// Tags and fixed-width names

quint32 percussionpadfile::str2int(const QString &tag)
{
    if (tag.size() != 4)
        return 0;
    quint32 v = 0;
    for (int i = 0; i < 4; ++i) {
        const ushort u = tag.at(i).unicode();
        const quint32 b = u > 0xFF ? 0u : quint32(u);
        v |= b << (8 * i);
    }
    return v;
}

void percussionpadfile::str2CharArray(QString str, char *field, quint8 n)
{
    if (!field)
        return;
    int m = str.size();
    if (m > n)
        m = n;
    for (int i = 0; i < m; ++i) {
        const ushort u = str.at(i).unicode();
        field[i] = u > 0xFF ? char(0) : char(uchar(u));
    }
    for (int i = m; i < n; ++i)
        field[i] = 0;
}

QString percussionpadfile::charArray2String(const uchar *bytes, uint n)
{
    return charArray2String(reinterpret_cast<const char *>(bytes), n);
}

QString percussionpadfile::charArray2String(const char *bytes, uint n)
{
    if (!bytes || n == 0)
        return QString();
    const uint len = qstrnlen(bytes, n);
    // Valid UTF-8 as written (a character the full field cut off is dropped),
    // else Latin-1, the field's own type.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString utf8 = QTextCodec::codecForMib(106)->toUnicode(bytes, int(len), &state);
    if (state.invalidChars == 0 && (state.remainingChars == 0 || len == n))
        return utf8;
    return QString::fromLatin1(bytes, int(len));
}

// ---------------------------------------------------------------------------
// Kinds and layout

void percussionpadfile::initFileChunk()
{
    if (curFlag == 0 || curFlag == 2) {
        indexChunk.inde = str2int(QStringLiteral("INDE"));
        indexChunk.size = 0;
        indexChunk.chunkCount = curFlag == 0 ? 5 : 2;
        std::memset(indexChunk.reserved, 0, sizeof indexChunk.reserved);
        kitChunk.kit_count = 0;
        kitChunk.baseSize = KIT_BASE_SIZE;
        kitChunk.pedalSize = KIT_PEDAL_SIZE;
        kitChunk.padSize = KIT_PAD_SIZE;
        std::memset(kitChunk.reserved, 0, sizeof kitChunk.reserved);
    }
    if (curFlag == 0) {
        identityChunk.version = 257;
        std::memset(identityChunk.reserved, 0, sizeof identityChunk.reserved);
        for (int i = 0; i < INDEX_SLOT_COUNT; ++i)
            indexChunk.chunkIndex[i] = {str2int(QLatin1String(kSlotTags[i])), 0};
    } else if (curFlag == 2) {
        for (const int i : {SLOT_SKIT, SLOT_SOUN})
            indexChunk.chunkIndex[i] = {str2int(QLatin1String(kSlotTags[i])), 0};
        kitChunk.skit = str2int(QStringLiteral("SKIT"));
        kitChunk.size = 0;
    }
    if (curFlag == 0 || curFlag == 1)
        initGlobalChunk();
    if (curFlag != 4) {
        soundChunk.soun = str2int(QStringLiteral("SOUN"));
        soundChunk.size = 8;
        soundChunk.soundCount = 0;
        soundChunk.reserved[0] = 0;
        soundChunk.reserved[1] = 0;
    }
}

void percussionpadfile::calculateGlobalChunkSize1()
{
    globalChunk.size = GLOBAL_CHUNK_SIZE;
    new_globalChunk.size = GLOBAL_CHUNK_SIZE;
}

quint32 percussionpadfile::calculateSkitChunkSize()
{
    quint32 size = SKIT_HEADER_SIZE + quint32(kitChunk.kit_count) * KIT_RECORD_SIZE;
    if (kitChunk.kit_count != 1)
        size += 4;
    kitChunk.size = size;
    return size;
}

bool percussionpadfile::calculateChunkSize()
{
    if (curFlag != 0 && curFlag != 2)
        return false;

    // Check everything in 64 bits before any field is changed.
    const int soundCount = soundChunk.soundCount;
    P_SOUND_INDEX *table = soundChunk.soundIndex;
    if (soundCount > WAVE_MAX_COUNT1 || (soundCount > 0 && !table)) {
        qWarning() << "sound table holds" << soundCount << "entries, at most" << WAVE_MAX_COUNT1;
        return false;
    }
    if (curFlag == 0 && (soundCount < 3 || soundCount - 3 > WAVE_NODE_MAX)) {
        qWarning() << "a whole setup needs 3 to" << WAVE_NODE_MAX + 3 << "sound entries, not" << soundCount;
        return false;
    }
    if (kitChunk.kit_count > KIT_MAX_COUNT) {
        qWarning() << "kit count" << kitChunk.kit_count << "exceeds" << KIT_MAX_COUNT;
        return false;
    }
    // As many entries as writeIndexChunk writes.
    const int entries = curFlag == 2 ? 2 : qMin(int(indexChunk.chunkCount), INDEX_SLOT_COUNT);
    const quint64 indexSize = INDEX_HEADER_SIZE + 8 * quint64(entries);
    const quint64 skitSize = SKIT_HEADER_SIZE + quint64(kitChunk.kit_count) * KIT_RECORD_SIZE
                             + (kitChunk.kit_count != 1 ? 4 : 0);
    const quint64 nodeSize = curFlag == 0 ? 8 + 4 * quint64(soundCount - 3) : 0;
    const quint64 sounAddress = curFlag == 0
        ? IDENTITY_CHUNK_SIZE + indexSize + GLOBAL_CHUNK_SIZE + skitSize + 2 * nodeSize
        : indexSize + skitSize;
    quint64 end = sounAddress + SOUN_HEADER_SIZE + quint64(SOUND_ENTRY_SIZE) * quint64(soundCount);
    for (int i = 0; i < soundCount; ++i)
        end += table[i].wave_length;
    if (end > quint64(RAW_DATA_LENGTH_MAX)) {
        qWarning() << "kit file would be" << end << "bytes, larger than" << RAW_DATA_LENGTH_MAX;
        return false;
    }

    indexChunk.size = quint32(indexSize);
    START_ADDRESS *slot = indexChunk.chunkIndex;
    if (curFlag == 0) {
        slot[SLOT_GLOB].address = indexChunk.size + IDENTITY_CHUNK_SIZE;
        new_globalChunk.size = GLOBAL_CHUNK_SIZE;
        slot[SLOT_SKIT].address = slot[SLOT_GLOB].address + GLOBAL_CHUNK_SIZE;
        calculateSkitChunkSize();
        slot[SLOT_WAV1].address = slot[SLOT_SKIT].address + kitChunk.size;
        wn1Chunk.size = wn2Chunk.size = quint32(nodeSize);
        slot[SLOT_WAV2].address = slot[SLOT_WAV1].address + wn1Chunk.size;
        slot[SLOT_SOUN].address = slot[SLOT_WAV2].address + wn1Chunk.size;
    } else {
        slot[SLOT_SKIT].address = indexChunk.size;
        calculateSkitChunkSize();
        slot[SLOT_SOUN].address = slot[SLOT_SKIT].address + kitChunk.size;
    }

    // Sound table: entries and wave bytes back to back behind the header.
    const int count = soundCount;
    quint32 offset = SOUN_HEADER_SIZE + SOUND_ENTRY_SIZE * quint32(count);
    for (int i = 0; i < count; ++i) {
        P_SOUND_INDEX &e = table[i];
        e.wave_start = slot[SLOT_SOUN].address + offset;
        e.wave_end = e.wave_length;
        e.start_cluster = 0;
        offset += e.wave_length;
    }
    soundChunk.size = offset;

    // Wave positions of the kits: first table entry per wave number.
    if (!kitChunk.baseChunk || !kitChunk.pedalChunk || !kitChunk.kpadChunk || count == 0)
        return true;
    WaveKitIndex index;
    index.build(table, count);
    auto startOf = [&](quint16 waveNo, quint32 &start) {
        const int e = index.firstEntry(waveNo);
        if (e >= 0)
            start = table[e].wave_start;
    };
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        for (int j = 0; j < PAD_NUM_MAX; ++j) {
            P_KIT_PAD_SETTING &pad = kitChunk.kpadChunk[k][j];
            startOf(pad.aWaveNo, pad.aWaveStart);
            startOf(pad.bWaveNo, pad.bWaveStart);
        }
        kitrecord::forEachHiHatWave(kitChunk.pedalChunk[k], [&](int, quint16 &no, quint8 &, quint32 &,
                                                                  quint32 &, quint32 &start, quint32 &) {
            startOf(no, start);
        });
    }
    return true;
}

// ---------------------------------------------------------------------------
// Identity and index

void percussionpadfile::writeIdentityChunk(QFile *file)
{
    uchar buf[IDENTITY_CHUNK_SIZE];
    bytepack::put16(buf, identityChunk.version);
    std::memcpy(buf + 2, identityChunk.reserved, 6);
    writeRaw(file, buf, sizeof buf);
}

void percussionpadfile::writeIndexChunk(QFile *file)
{
    uchar buf[INDEX_HEADER_SIZE + 8 * INDEX_SLOT_COUNT];
    bytepack::put32(buf, indexChunk.inde);
    bytepack::put32(buf + 4, indexChunk.size);
    bytepack::put16(buf + 8, indexChunk.chunkCount);
    std::memcpy(buf + 10, indexChunk.reserved, 6);
    int len = INDEX_HEADER_SIZE;
    auto putSlot = [&](int s) {
        bytepack::put32(buf + len, indexChunk.chunkIndex[s].id);
        bytepack::put32(buf + len + 4, indexChunk.chunkIndex[s].address);
        len += 8;
    };
    if (curFlag == 2) {
        putSlot(SLOT_SKIT);
        putSlot(SLOT_SOUN);
    } else {
        const int n = qMin(int(indexChunk.chunkCount), INDEX_SLOT_COUNT);
        for (int s = 0; s < n; ++s)
            putSlot(s);
    }
    writeRaw(file, buf, len);
}

bool percussionpadfile::getChunkIndex(QFile *file)
{
    if (!file)
        return false;
    if (!file->seek(curFlag == 2 ? 0 : IDENTITY_CHUNK_SIZE))
        return false;
    QDataStream in(file);
    uchar head[INDEX_HEADER_SIZE];
    if (!bytepack::readExactly(in, head, INDEX_HEADER_SIZE))
        return false;
    if (bytepack::get32(head) != str2int(QStringLiteral("INDE")))
        return false;
    const quint16 count = bytepack::get16(head + 8);
    if (count > INDEX_SLOT_COUNT) {
        qWarning() << "index lists" << count << "chunks, at most" << INDEX_SLOT_COUNT << "are known";
        return false;
    }
    uchar entries[8 * INDEX_SLOT_COUNT];
    if (!bytepack::readExactly(in, entries, 8 * count))
        return false;

    indexChunk.inde = bytepack::get32(head);
    indexChunk.size = bytepack::get32(head + 4);
    indexChunk.chunkCount = count;
    for (int s = 0; s < INDEX_SLOT_COUNT; ++s)
        indexChunk.chunkIndex[s] = {str2int(QLatin1String(kSlotTags[s])), 0};
    for (int e = 0; e < count; ++e) {
        const quint32 id = bytepack::get32(entries + 8 * e);
        const quint32 address = bytepack::get32(entries + 8 * e + 4);
        for (int s = 0; s < INDEX_SLOT_COUNT; ++s) {
            if (indexChunk.chunkIndex[s].id == id) {
                indexChunk.chunkIndex[s].address = address; // a repeated tag: the later one stands
                break;
            }
        }
    }
    return true;
}

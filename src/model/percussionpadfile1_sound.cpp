// Sound chunk ("SOUN") with the wave bytes, and the wave-node chunks
// ("WAV1", "WAV2") of a whole setup.

#include "model/percussionpadfile1.h"
#include "model/bytepack.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/sysio.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <functional>
#include <vector>

namespace {

// Block used to copy wave bytes from their source files.
constexpr qint64 kCopyBlock = qint64(4) << 20;
constexpr quint64 kMaxFileSize = quint64(RAW_DATA_LENGTH_MAX);
// Node markers of the wave-node chains.
constexpr quint16 kNodeStart = 0xFEFE;
constexpr quint16 kNodeEnd = 0xFEFC;
// The metronome sounds sit ahead of the waves; the node lists hold
// soundCount - 3 nodes.
constexpr int kNodeCountBias = 3;

// Header and table of the sound chunk, packed as the file stores them.
QByteArray packSoundTable(const percussionpadfile::FILE_SOUND_CHUNK &chunk)
{
    const int n = chunk.soundCount;
    QByteArray buf(SOUN_HEADER_SIZE + SOUND_ENTRY_SIZE * n, '\0');
    uchar *p = reinterpret_cast<uchar *>(buf.data());
    bytepack::put32(p, chunk.soun);
    bytepack::put32(p + 4, chunk.size);
    bytepack::put16(p + 8, chunk.soundCount);
    p[10] = chunk.reserved[0];
    p[11] = chunk.reserved[1];
    p += SOUN_HEADER_SIZE;
    for (int i = 0; i < n; ++i, p += SOUND_ENTRY_SIZE) {
        const percussionpadfile::P_SOUND_INDEX &e = chunk.soundIndex[i];
        // At most SOUND_NAME_LENGTH_MAX characters, zero bytes after the name.
        for (int k = 0; k < SOUND_NAME_LENGTH_MAX && e.wave_name[k] != 0; ++k)
            p[k] = uchar(e.wave_name[k]);
        bytepack::put16(p + 20, e.wave_No);
        p[22] = e.wave_lock;
        p[23] = 0;
        bytepack::put32(p + 24, e.start_cluster);
        bytepack::put32(p + 28, e.wave_length);
        bytepack::put32(p + 32, e.wave_start);
        bytepack::put32(p + 36, e.wave_end);
    }
    return buf;
}

bool writeAll(QFile *file, const char *data, qint64 n)
{
    while (n > 0) {
        const qint64 done = file->write(data, n);
        if (done <= 0)
            return false;
        data += done;
        n -= done;
    }
    return true;
}

// `length` bytes that `read` (into a block, at most as much as asked) gives,
// appended to file; `what` names the source in warnings.
bool appendRead(QFile *file, qint64 length, std::vector<char> &block, const QString &what,
                const std::function<qint64(char *, qint64)> &read)
{
    while (length > 0) {
        const qint64 got = read(block.data(), qMin(length, kCopyBlock));
        if (got <= 0) {
            qWarning() << Q_FUNC_INFO << "short read of" << what << length << "bytes missing";
            return false;
        }
        if (!writeAll(file, block.data(), got)) {
            qWarning() << Q_FUNC_INFO << "write failed:" << file->errorString();
            return false;
        }
        length -= got;
    }
    return true;
}

// The entries from `i` on whose bytes follow entry i's back to back, in the
// file written and in the same source: one past the last, and their length.
int runOf(const percussionpadfile::P_SOUND_INDEX *table, int n, int i, const QString &from, qint64 &length)
{
    const percussionpadfile::P_SOUND_INDEX &first = table[i];
    length = qint64(first.wave_length);
    int j = i + 1;
    for (; j < n; ++j) {
        const percussionpadfile::P_SOUND_INDEX &e = table[j];
        if (qint64(e.wave_start) != qint64(first.wave_start) + length)
            break;
        if (e.wave_length != 0
            && (qint64(e.fileOffset) != qint64(first.fileOffset) + length
                || percussionpadfile::soundSourceFile(e.fileName) != from))
            break;
        length += qint64(e.wave_length);
    }
    return j;
}

// Appends the wave bytes of the first n entries to file, in table order.
// Entries that lie back to back in one source file are copied as one range;
// entries from one source file in a row read it through one open; a file in
// `held` is read through its descriptor.
bool copyWaveBytes(QFile *file, const percussionpadfile::P_SOUND_INDEX *table, int n,
                   const QHash<QString, int> *held)
{
    std::vector<char> block;
    ztplatform::Disk &disk = ztplatform::systemDisk();
    ztplatform::Descriptor src;
    QString srcName;
    auto *seam = dynamic_cast<ztplatform::sysio::SeamFile *>(file);
    for (int i = 0; i < n;) {
        const percussionpadfile::P_SOUND_INDEX &e = table[i];
        if (file->pos() != qint64(e.wave_start)) {
            qWarning() << Q_FUNC_INFO << "entry" << i << "would land at" << file->pos()
                       << "instead of" << e.wave_start;
            return false;
        }
        if (e.wave_length == 0) {
            ++i;
            continue;
        }

        const QString from = percussionpadfile::soundSourceFile(e.fileName);
        qint64 length = 0;
        i = runOf(table, n, i, from, length);
        if (block.empty())
            block.resize(size_t(kCopyBlock));
        int fd = held ? held->value(from, -1) : -1;
        if (fd < 0) {
            if (!src.isOpen() || from != srcName) {
                srcName = from;
                src.reset(disk.openAt(AT_FDCWD, QFile::encodeName(from), O_RDONLY | O_CLOEXEC));
                if (!src.isOpen()) {
                    qWarning() << Q_FUNC_INFO << "cannot open" << from;
                    return false;
                }
            }
            fd = src.get();
        }
        qint64 offset = e.fileOffset;
        // Copied by the system where it can, through the file's own disk;
        // what is left is read and written here, which tells any failure.
        while (seam && &seam->disk() == &disk && length > 0) {
            const qint64 n = seam->copyFrom(fd, offset, qMin(length, kCopyBlock));
            if (n <= 0)
                break;
            offset += n;
            length -= n;
        }
        const auto readAt = [&disk, fd, &offset](char *to, qint64 max) {
            const qint64 got = disk.read(fd, to, max, offset);
            offset += qMax<qint64>(got, 0);
            return got;
        };
        if (!appendRead(file, length, block, from, readAt))
            return false;
    }
    return true;
}

} // namespace

QString percussionpadfile::soundSourceFile(const QString &fileName)
{
    // "path:Unnnnn" names sound nnnnn inside the kit file at path.
    constexpr int kSuffix = 7;
    const int n = fileName.size();
    if (n <= kSuffix || fileName.at(n - kSuffix) != QLatin1Char(':')
        || fileName.at(n - kSuffix + 1) != QLatin1Char('U'))
        return fileName;
    for (int i = n - 5; i < n; ++i) {
        const QChar c = fileName.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return fileName;
    }
    const QString path = fileName.left(n - kSuffix);
    // Older lists may carry blanks around the path; only then is the disk asked.
    const QString trimmed = path.trimmed();
    struct stat st;
    const auto exists = [&st](const QString &p) { return ztplatform::systemDisk().statAt(AT_FDCWD, QFile::encodeName(p), &st) == 0; };
    if (trimmed != path && !exists(path) && exists(trimmed))
        return trimmed;
    return path;
}

bool percussionpadfile::writeSoundChunk(QFile *file, const QHash<QString, int> *held)
{
    const int n = soundChunk.soundCount;
    if (!file || !soundChunk.soundIndex || n > WAVE_MAX_COUNT1)
        return false;
    if (curFlag == 0 && (n < kNodeCountBias || n - kNodeCountBias > WAVE_NODE_MAX)) {
        qWarning() << Q_FUNC_INFO << "a whole setup cannot hold" << n << "sound entries";
        return false;
    }

    const bool withBytes = curFlag == 0;
    if (withBytes) {
        // The header must describe what follows it: refuse a table that was
        // not laid out for this file rather than write a chunk the pad misreads.
        quint64 expected = quint64(SOUN_HEADER_SIZE) + quint64(SOUND_ENTRY_SIZE) * quint64(n);
        for (int i = 0; i < n; ++i)
            expected += soundChunk.soundIndex[i].wave_length;
        if (expected != soundChunk.size) {
            qWarning() << Q_FUNC_INFO << "sound chunk size" << soundChunk.size << "does not match"
                       << expected << "- layout not computed";
            return false;
        }
    }
    if (curFlag == 0 && file->pos() != qint64(indexChunk.chunkIndex[SLOT_SOUN].address)) {
        qWarning() << Q_FUNC_INFO << "sound chunk would land at" << file->pos() << "instead of"
                   << indexChunk.chunkIndex[SLOT_SOUN].address;
        return false;
    }

    const QByteArray table = packSoundTable(soundChunk);
    if (!writeAll(file, table.constData(), table.size()))
        return false;
    if (!withBytes)
        return true;
    return copyWaveBytes(file, soundChunk.soundIndex, n, held);
}

bool percussionpadfile::writeKitSoundChunk(QFile *file, const QHash<QString, int> *held)
{
    const int n = soundChunk.soundCount;
    if (!file || !soundChunk.soundIndex || n > WAVE_MAX_COUNT1)
        return false;

    P_SOUND_INDEX *table = soundChunk.soundIndex;
    const quint64 base = indexChunk.chunkIndex[SLOT_SOUN].address;
    const quint64 tableEnd = quint64(SOUN_HEADER_SIZE) + quint64(SOUND_ENTRY_SIZE) * quint64(n);
    // Check the whole layout before anything is changed or written.
    quint64 pos = tableEnd;
    for (int i = 0; i < n; ++i)
        pos += table[i].wave_length;
    if (base + pos > kMaxFileSize || pos > 0xFFFFFFFFu) {
        qWarning() << Q_FUNC_INFO << "kit file would exceed 4 GiB";
        return false;
    }
    pos = tableEnd;
    for (int i = 0; i < n; ++i) {
        P_SOUND_INDEX &e = table[i];
        e.fileName = soundSourceFile(e.fileName);
        e.wave_start = quint32(base + pos);
        e.wave_end = e.wave_length;
        pos += e.wave_length;
    }
    soundChunk.size = quint32(pos);

    if (file->pos() != qint64(base)) {
        qWarning() << Q_FUNC_INFO << "sound chunk would land at" << file->pos() << "instead of" << base;
        return false;
    }
    const QByteArray packed = packSoundTable(soundChunk);
    if (!writeAll(file, packed.constData(), packed.size()))
        return false;
    return copyWaveBytes(file, table, n, held);
}

bool percussionpadfile::setWaveNodeLists(const QVector<quint16> &listOrder,
                                         const QVector<quint16> &kitOrder)
{
    const int n = listOrder.size();
    if (kitOrder.size() != n || n + 2 > WAVE_NODE_MAX)
        return false;

    wn1Chunk.wave1 = str2int(QStringLiteral("WAV1"));
    wn2Chunk.wave2 = str2int(QStringLiteral("WAV2"));
    const quint16 end = quint16((n > 0 ? listOrder.last() : quint16(0xFFFF)) + 1);

    auto fill = [n, end](WAVE_NODE *nodes, const QVector<quint16> &order) {
        if (n == 0) {
            nodes[0] = {kNodeStart, 0xFFFF};
            nodes[1] = {end, kNodeEnd};
            return;
        }
        nodes[0] = {kNodeStart, order.at(0)};
        for (int i = 1; i < n; ++i)
            nodes[i] = {order.at(i - 1), order.at(i)};
        nodes[n] = {order.at(n - 1), end};
        nodes[n + 1] = {end, kNodeEnd};
    };
    fill(wn1Chunk.wn1, listOrder);
    fill(wn2Chunk.wn2, kitOrder);
    return true;
}

void percussionpadfile::writeWaveNodeChunk(QFile *file, int which)
{
    if (!file || (which != 0 && which != 1))
        return;
    const int m = int(soundChunk.soundCount) - kNodeCountBias;
    if (m < 0 || m > WAVE_NODE_MAX) {
        qWarning() << Q_FUNC_INFO << "no wave-node list for" << soundChunk.soundCount << "entries";
        return;
    }
    // The chunk is found by its index slot, which names it WAV1 / WAV2.
    const quint32 tag = str2int(which == 0 ? QStringLiteral("WAV1") : QStringLiteral("WAV2"));
    const WAVE_NODE *nodes = which == 0 ? wn1Chunk.wn1 : wn2Chunk.wn2;

    std::vector<uchar> buf(size_t(8 + 4 * m));
    uchar *p = buf.data();
    bytepack::put32(p, tag);
    bytepack::put32(p + 4, quint32(8 + 4 * m));
    p += 8;
    for (int i = 0; i < m; ++i, p += 4) {
        bytepack::put16(p, nodes[i].nextNode);
        bytepack::put16(p + 2, nodes[i].lastNode);
    }
    if (!writeAll(file, reinterpret_cast<const char *>(buf.data()), qint64(buf.size())))
        qWarning() << Q_FUNC_INFO << "short write of wave-node chunk" << which;
}

bool percussionpadfile::readSounChunk(QFile *file, bool kitNumbering)
{
    if (!file)
        return false;
    const START_ADDRESS &slot = indexChunk.chunkIndex[SLOT_SOUN];
    if (slot.address == 0 || !file->seek(slot.address))
        return false;

    QDataStream ds(file);
    uchar head[SOUN_HEADER_SIZE];
    if (ds.readRawData(reinterpret_cast<char *>(head), SOUN_HEADER_SIZE) != SOUN_HEADER_SIZE)
        return false;
    if (bytepack::get32(head) != slot.id)
        return false;
    const quint16 count = bytepack::get16(head + 8);
    if (count > WAVE_MAX_COUNT1 || int(sound.size()) < count) {
        qWarning() << Q_FUNC_INFO << "sound table of" << count << "entries refused";
        return false;
    }
    const int bytes = SOUND_ENTRY_SIZE * count;
    QByteArray entries(bytes, '\0');
    if (ds.readRawData(entries.data(), bytes) != bytes) {
        qWarning() << Q_FUNC_INFO << "sound table cut short";
        return false;
    }

    soundChunk.soundIndex = sound.data();
    soundChunk.soun = bytepack::get32(head);
    soundChunk.size = bytepack::get32(head + 4);
    soundChunk.soundCount = count;
    const uchar *p = reinterpret_cast<const uchar *>(entries.constData());
    for (int i = 0; i < count; ++i, p += SOUND_ENTRY_SIZE) {
        P_SOUND_INDEX &e = soundChunk.soundIndex[i];
        std::memcpy(e.wave_name, p, SOUND_NAME_LENGTH);
        const quint16 no = bytepack::get16(p + 20);
        e.wave_No = kitNumbering ? quint16(no - 1) : no;
        e.wave_lock = p[22];
        e.reserved = p[23];
        e.start_cluster = bytepack::get32(p + 24);
        e.wave_length = bytepack::get32(p + 28);
        e.wave_start = bytepack::get32(p + 32);
        e.wave_end = bytepack::get32(p + 36);
    }
    return true;
}

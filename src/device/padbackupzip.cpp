// The zip archive a backup is kept in: its entries stored as they are (no
// compression), each with its CRC-32, as every archive tool reads them.
#include "device/padbackup.h"

#include <QDate>
#include <QtEndian>
#include <QSet>
#include <QStringView>
#include <QTime>

#include <algorithm>
#include <climits>
#include <cstring>

namespace padbackup {

namespace {

constexpr quint32 kLocalSignature = 0x04034b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint32 kEndSignature = 0x06054b50;
constexpr int kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr quint16 kUtf8Names = 0x0800;
constexpr quint16 kEncrypted = 0x0001;
constexpr quint16 kMadeOnUnix = (3 << 8) | 20;
constexpr quint16 kNeeded = 10;

struct Entry
{
    const QString *path = nullptr;     // a file's: its name, when it is ASCII
    QByteArray name;                   // a folder's name, or a file's in UTF-8
    const QByteArray *bytes = nullptr; // null for a folder
    quint32 crc = 0;
    quint32 offset = 0;
    int nameSize = 0;
    bool ascii = true;
};

bool isAscii(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

class Out
{
public:
    explicit Out(char *p) : m_p(p) {}
    void u16(quint16 v)
    {
        m_p[0] = char(v & 0xFF);
        m_p[1] = char(v >> 8);
        m_p += 2;
    }
    void u32(quint32 v)
    {
        u16(quint16(v & 0xFFFF));
        u16(quint16(v >> 16));
    }
    void bytes(const char *data, int size)
    {
        if (size > 0)
            std::memcpy(m_p, data, size_t(size));
        m_p += size;
    }
    void name(const Entry &e)
    {
        if (!e.path || !e.name.isEmpty()) {
            bytes(e.name.constData(), e.name.size());
            return;
        }
        for (const QChar c : *e.path)
            *m_p++ = char(c.unicode());
    }

private:
    char *m_p;
};

quint16 le16(const char *p)
{
    return quint16(uchar(p[0]) | uchar(p[1]) << 8);
}

quint32 le32(const char *p)
{
    return quint32(le16(p)) | quint32(le16(p + 2)) << 16;
}

// The CRC-32 of zip (reflected, polynomial 0xEDB88320), eight bytes a step.
struct CrcTables
{
    quint32 t[8][256] = {};
};

constexpr CrcTables crcTables()
{
    CrcTables c;
    for (quint32 i = 0; i < 256; ++i) {
        quint32 r = i;
        for (int k = 0; k < 8; ++k)
            r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
        c.t[0][i] = r;
    }
    for (int i = 0; i < 256; ++i) {
        for (int s = 1; s < 8; ++s)
            c.t[s][i] = (c.t[s - 1][i] >> 8) ^ c.t[0][c.t[s - 1][i] & 0xFF];
    }
    return c;
}

constexpr CrcTables kCrc = crcTables();

quint32 crcOf(const char *data, int size)
{
    const uchar *p = reinterpret_cast<const uchar *>(data);
    quint32 crc = 0xFFFFFFFFu;
    for (; size >= 8; p += 8, size -= 8) {
        const quint32 a = qFromLittleEndian<quint32>(p) ^ crc, b = qFromLittleEndian<quint32>(p + 4);
        crc = kCrc.t[7][a & 0xFF] ^ kCrc.t[6][(a >> 8) & 0xFF] ^ kCrc.t[5][(a >> 16) & 0xFF] ^ kCrc.t[4][a >> 24]
              ^ kCrc.t[3][b & 0xFF] ^ kCrc.t[2][(b >> 8) & 0xFF] ^ kCrc.t[1][(b >> 16) & 0xFF] ^ kCrc.t[0][b >> 24];
    }
    for (; size > 0; ++p, --size)
        crc = (crc >> 8) ^ kCrc.t[0][(crc ^ *p) & 0xFF];
    return crc ^ 0xFFFFFFFFu;
}

// The fields every header shares, from "version needed" to the name's length.
void common(Out &out, const Entry &e, quint16 time, quint16 date)
{
    const quint32 size = e.bytes ? quint32(e.bytes->size()) : 0;
    out.u16(kNeeded);
    out.u16(e.ascii ? 0 : kUtf8Names);
    out.u16(0); // stored
    out.u16(time);
    out.u16(date);
    out.u32(e.crc);
    out.u32(size);
    out.u32(size);
    out.u16(quint16(e.nameSize));
    out.u16(0); // no extra field
}

// The entries of `files`, each folder once before its first file.
QVector<Entry> entriesOf(std::initializer_list<const QVector<File> *> parts, qint64 *size)
{
    QVector<Entry> entries;
    int count = 0;
    for (const QVector<File> *files : parts)
        count += files->size();
    entries.reserve(count + count / 64 + 8);
    QSet<QString> seen;
    QString last; // the folder of the file before: files of one folder mostly come together
    *size = kEndSize;
    auto add = [&entries, size](Entry e) {
        e.nameSize = e.name.isEmpty() && e.path ? e.path->size() : e.name.size();
        *size += kLocalSize + kCentralSize + 2 * e.nameSize + (e.bytes ? e.bytes->size() : 0);
        entries.append(std::move(e));
    };
    for (const QVector<File> *files : parts) {
        for (const File &f : *files) {
            const int leaf = f.path.lastIndexOf(QLatin1Char('/')) + 1;
            if (leaf > 0 && QStringView(f.path).left(leaf) != last) {
                last = f.path.left(leaf);
                for (int slash = f.path.indexOf(QLatin1Char('/')); slash >= 0 && slash < leaf;
                     slash = f.path.indexOf(QLatin1Char('/'), slash + 1)) {
                    const QString folder = f.path.left(slash + 1);
                    if (!seen.contains(folder)) {
                        seen.insert(folder);
                        Entry e;
                        e.name = folder.toUtf8();
                        e.ascii = isAscii(folder);
                        add(std::move(e));
                    }
                }
            }
            Entry e;
            e.path = &f.path;
            e.ascii = isAscii(f.path);
            if (!e.ascii)
                e.name = f.path.toUtf8();
            e.bytes = &f.bytes;
            e.crc = crcOf(f.bytes.constData(), f.bytes.size());
            add(std::move(e));
        }
    }
    return entries;
}

} // namespace

QByteArray zipOf(const QVector<File> &files, const QDateTime &when)
{
    return zipOf({&files}, when);
}

QByteArray zipOf(std::initializer_list<const QVector<File> *> parts, const QDateTime &when)
{
    qint64 size = 0;
    QVector<Entry> entries = entriesOf(parts, &size);
    // No zip64: fewer than 65,535 entries and 2 GB.
    if (entries.size() >= 0xFFFF || size >= INT_MAX)
        return QByteArray();
    const QDate d = when.date();
    const QTime t = when.time();
    const quint16 date = quint16(qBound(0, d.year() - 1980, 127) << 9 | d.month() << 5 | d.day());
    const quint16 time = quint16(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    QByteArray zip(int(size), Qt::Uninitialized);
    Out out(zip.data());
    quint32 at = 0;
    for (Entry &e : entries) {
        e.offset = at;
        out.u32(kLocalSignature);
        common(out, e, time, date);
        out.name(e);
        const int length = e.bytes ? e.bytes->size() : 0;
        if (e.bytes)
            out.bytes(e.bytes->constData(), length);
        at += quint32(kLocalSize + e.nameSize + length);
    }
    const quint32 central = at;
    for (const Entry &e : qAsConst(entries)) {
        out.u32(kCentralSignature);
        out.u16(kMadeOnUnix);
        common(out, e, time, date);
        out.u16(0); // no comment
        out.u16(0); // disk 0
        out.u16(0); // internal attributes
        out.u32(e.bytes ? 0100644u << 16 : (040755u << 16) | 0x10); // mode; a folder for DOS too
        out.u32(e.offset);
        out.name(e);
        at += quint32(kCentralSize + e.nameSize);
    }
    out.u32(kEndSignature);
    out.u16(0);
    out.u16(0);
    out.u16(quint16(entries.size()));
    out.u16(quint16(entries.size()));
    out.u32(at - central);
    out.u32(central);
    out.u16(0);
    return zip;
}

QVector<File> filesOfZip(const QByteArray &zip, bool *whole)
{
    QVector<File> out;
    *whole = false;
    const char *z = zip.constData();
    const int size = zip.size();
    // The end record, after which only its comment may come.
    int end = -1;
    for (int at = size - kEndSize; at >= 0 && at >= size - kEndSize - 0xFFFF; --at) {
        if (le32(z + at) == kEndSignature && at + kEndSize + le16(z + at + 20) == size) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return out;
    const int count = le16(z + end + 10);
    const qint64 centralSize = le32(z + end + 12), central = le32(z + end + 16);
    if (le16(z + end + 4) != 0 || le16(z + end + 8) != count || central + centralSize > end)
        return out;
    qint64 at = central;
    for (int i = 0; i < count; ++i) {
        if (at + kCentralSize > central + centralSize || le32(z + at) != kCentralSignature)
            return out;
        const char *c = z + at;
        const quint16 flags = le16(c + 8), method = le16(c + 10);
        const quint32 crc = le32(c + 16), packed = le32(c + 20), length = le32(c + 24);
        const int nameSize = le16(c + 28);
        const qint64 local = le32(c + 42);
        const qint64 next = at + kCentralSize + nameSize + le16(c + 30) + le16(c + 32);
        if (next > central + centralSize || local + kLocalSize > central || le32(z + local) != kLocalSignature)
            return out;
        const QByteArray name(c + kCentralSize, nameSize);
        const qint64 data = local + kLocalSize + le16(z + local + 26) + le16(z + local + 28);
        // Only what this editor writes: stored, not encrypted, whole.
        if (method != 0 || (flags & kEncrypted) || packed != length || data + length > central)
            return out;
        if (crcOf(z + data, int(length)) != crc)
            return out;
        if (!name.endsWith('/'))
            out.append({(flags & kUtf8Names) ? QString::fromUtf8(name) : QString::fromLatin1(name),
                        zip.mid(int(data), int(length))});
        at = next;
    }
    *whole = true;
    return out;
}

} // namespace padbackup

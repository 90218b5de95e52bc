#include "device/padjournal.h"

#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/padreasons.h"
#include "device/pairfiles.h"
#include "device/writeback.h"
#include "model/bytepack.h"
#include "model/namerules.h"
#include "platform/errortext.h"
#include "platform/inplacefile.h"
#include "platform/disk.h"
#include "platform/durablewrite.h"
#include "platform/tempnames.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QSet>

#include <algorithm>
#include <map>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace padjournal {

const QLatin1String RECORD_NAME(".zt-journal");
const QLatin1String STAGING_NAME(".zt-journal-new");
const QLatin1String UNREADABLE_NAME("unreadable-journal");

namespace {

QString notAtPlace()
{
    return DeviceText::tr("The sampler pad is not at its place; its next load tells where its sounds are.");
}

// A record whose walk was turned back: always undone from then on.
const QLatin1String UNDO_NAME(".zt-journal-undo");

const QByteArray MAGIC("ZT350JR1");
constexpr int DIGEST_SIZE = 32;
constexpr qint64 RECORD_MAX = 64LL * 1024 * 1024;
constexpr int BYTES_MAX = 1024 * 1024;
constexpr int STEPS_MAX = 200000;
constexpr qint64 SAMPLE = 64 * 1024;

QByteArray sha(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The bytes a mark digests: all of a small file, else three samples. Every
// byte of a 512 KiB sound read at each delete would cost several times the
// removal itself; the modification time a mark of a file holds makes up for
// the bytes between the samples.
template <typename Read>
Mark markOf(qint64 size, Read read)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    char head[8];
    for (int i = 0; i < 8; ++i)
        head[i] = char((quint64(size) >> (8 * i)) & 0xff);
    h.addData(head, 8);
    const bool whole = size <= 3 * SAMPLE;
    const qint64 parts[3][2] = {{0, whole ? size : SAMPLE}, {size / 2 - SAMPLE / 2, SAMPLE}, {size - SAMPLE, SAMPLE}};
    QByteArray chunk;
    for (int i = 0; i < (whole ? 1 : 3); ++i) {
        if (!read(parts[i][0], parts[i][1], &chunk) || chunk.size() != parts[i][1])
            return Mark();
        h.addData(chunk);
    }
    return Mark{size, h.result()};
}

// The entry opened for reading: a regular file only, never through a link
// or waiting on a pipe. How it stands goes to *st.
ztplatform::Descriptor openRegular(const ztplatform::OpenFolder &folder, const QString &name, struct stat *st)
{
    ztplatform::Descriptor fd(folder.openEntry(name, O_RDONLY | O_NONBLOCK));
    if (fd.isOpen() && (folder.disk().statAt(fd.get(), QByteArray(), st, AT_EMPTY_PATH) != 0 || !S_ISREG(st->st_mode)))
        fd.reset();
    return fd;
}

bool preadAll(ztplatform::Disk &disk, int fd, qint64 offset, qint64 n, QByteArray *out)
{
    out->resize(int(n));
    qint64 done = 0;
    while (done < n) {
        const qint64 r = disk.read(fd, out->data() + done, n - done, offset + done);
        if (r <= 0)
            break;
        done += r;
    }
    out->truncate(int(done));
    return done == n;
}

// n bytes at `offset` of the regular file at the entry; false when it holds fewer.
bool readRange(const ztplatform::OpenFolder &folder, const QString &name, qint64 offset, qint64 n, QByteArray *out)
{
    if (offset < 0 || n < 0 || n > BYTES_MAX)
        return false;
    struct stat st;
    const ztplatform::Descriptor fd = openRegular(folder, name, &st);
    return fd.isOpen() && offset <= st.st_size - n && preadAll(folder.disk(), fd.get(), offset, n, out);
}

// The entry as it stands, a link not followed: false when nothing does.
bool statEntry(const ztplatform::OpenFolder &folder, const QString &name, struct stat *st)
{
    return folder.isOpen() && folder.disk().statAt(folder.fd(), QFile::encodeName(name), st, AT_SYMLINK_NOFOLLOW) == 0;
}

// ---- the record's bytes -----------------------------------------------------

void get(QDataStream &s, Mark &m)
{
    qint64 size = -1, modified = 0;
    s >> size >> m.digest >> modified;
    m.size = size;
    m.modified = modified;
}

bool isEntryName(const QString &name)
{
    return !name.isEmpty() && name.size() <= 255 && name != QLatin1String(".") && name != QLatin1String("..")
            && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

// A hidden name of the editor's own pattern: no other file is ever taken for one.
bool isHiddenName(const QString &name)
{
    return isEntryName(name) && ztplatform::isTemporaryName(name);
}

// The folder field fits the area: a numbered folder in the wave areas,
// nothing elsewhere.
bool folderFits(Area area, const QString &fff)
{
    if (area == Area::Data || area == Area::Prm)
        return padtree::isThreeDigits(fff);
    return fff.isEmpty() && (area == Area::Kit || area == Area::Sys);
}

// An entry of the pad by its area, folder and name, as FAT tells names apart.
QString placeKey(Area area, const QString &fff, const QString &name)
{
    return QString::number(int(area)) + fff + QLatin1Char('/') + name.toLower();
}

bool markFits(const Mark &m)
{
    return m.size >= 0 && m.digest.size() == DIGEST_SIZE;
}

bool stepFits(const Step &s)
{
    if (!folderFits(s.area, s.folder) || s.before.size() > BYTES_MAX || s.after.size() > BYTES_MAX || s.offset < 0)
        return false;
    const bool wave = s.area == Area::Data || s.area == Area::Prm;
    if (wave ? (s.number < 1 || s.number > 9999) : (s.area == Area::Kit ? s.number < 1 || s.number > 100 : s.number))
        return false;
    switch (s.kind) {
    case Kind::MakeFolder:
        return wave;
    case Kind::Create:
        return isHiddenName(s.hidden) && isEntryName(s.to) && folderFits(s.area, s.toFolder)
                && (markFits(s.mark) || (s.mark.size == -1 && s.mark.digest.isEmpty()));
    case Kind::Move:
        return wave && isEntryName(s.from) && isHiddenName(s.hidden) && isEntryName(s.to)
                && folderFits(s.area, s.toFolder) && markFits(s.mark) && s.before.size() == s.after.size()
                && (s.after.isEmpty() || markFits(s.patched));
    case Kind::Remove:
        return isEntryName(s.from) && s.hidden.isEmpty() && markFits(s.mark);
    case Kind::Patch:
        return isEntryName(s.from) && !s.after.isEmpty() && s.before.size() == s.after.size();
    case Kind::Put:
        return isEntryName(s.from) && isHiddenName(s.hidden);
    }
    return false;
}

} // namespace

Mark markOfBytes(const QByteArray &bytes)
{
    return markOf(bytes.size(), [&bytes](qint64 at, qint64 n, QByteArray *out) {
        *out = bytes.mid(int(at), int(n));
        return true;
    });
}

namespace {

Stamp stampOf(const struct stat &st)
{
    Stamp s;
    s.device = quint64(st.st_dev);
    s.inode = quint64(st.st_ino);
    s.size = st.st_size;
    s.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

} // namespace

Mark markOfFile(ztplatform::Disk &disk, int fd, Stamp *stamp)
{
    struct stat st;
    if (fd < 0 || disk.statAt(fd, QByteArray(), &st, AT_EMPTY_PATH) != 0 || !S_ISREG(st.st_mode))
        return Mark();
    Mark m = markOf(st.st_size, [&disk, fd](qint64 at, qint64 n, QByteArray *out) {
        return preadAll(disk, fd, at, n, out);
    });
    if (!m.isValid())
        return m;
    const Stamp now = stampOf(st);
    if (st.st_size > 3 * SAMPLE)
        m.modified = now.modified;
    if (stamp)
        *stamp = now;
    return m;
}

bool isSameFile(const Mark &recorded, const Mark &now)
{
    return recorded.isValid() && recorded == now && (recorded.modified == 0 || recorded.modified == now.modified);
}

Mark markOfEntry(const ztplatform::OpenFolder &folder, const QString &name)
{
    struct stat st;
    const ztplatform::Descriptor fd = openRegular(folder, name, &st);
    return fd.isOpen() ? markOfFile(folder.disk(), fd.get()) : Mark();
}

namespace {

// The record's fields as QDataStream (Qt 5.15, big-endian) writes them, into
// one buffer: decode() reads them back through QDataStream.
class Writer
{
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
    {
    }
    void u8(quint8 v) { m_out.append(char(v)); }
    void u16(quint16 v) { bigEndian(v, 2); }
    void u32(quint32 v) { bigEndian(v, 4); }
    void i64(qint64 v) { bigEndian(quint64(v), 8); }
    void bytes(const QByteArray &b)
    {
        if (b.isNull())
            return u32(0xffffffffu);
        u32(quint32(b.size()));
        m_out.append(b);
    }
    void text(const QString &t)
    {
        if (t.isNull())
            return u32(0xffffffffu);
        u32(quint32(t.size() * 2));
        for (const QChar c : t) {
            m_out.append(char(c.unicode() >> 8));
            m_out.append(char(c.unicode() & 0xff));
        }
    }
    void mark(const Mark &m)
    {
        i64(m.size);
        bytes(m.digest);
        i64(m.modified);
    }

private:
    void bigEndian(quint64 v, int n)
    {
        for (int i = n - 1; i >= 0; --i)
            m_out.append(char((v >> (8 * i)) & 0xff));
    }
    QByteArray &m_out;
};

} // namespace

QByteArray encode(const Record &record)
{
    QByteArray bytes;
    bytes.reserve(MAGIC.size() + 64 + record.steps.size() * 160 + DIGEST_SIZE); // a removal's step takes about 130 bytes
    bytes.append(MAGIC);
    Writer w(bytes);
    w.u8(quint8(record.purpose));
    w.u32(quint32(record.steps.size()));
    for (const Step &st : record.steps) {
        w.u8(quint8(st.kind));
        w.u8(quint8(st.area));
        w.u16(st.number);
        for (const QString *t : {&st.folder, &st.from, &st.hidden, &st.toFolder, &st.to})
            w.text(*t);
        w.mark(st.mark);
        w.i64(st.offset);
        w.bytes(st.before);
        w.bytes(st.after);
        w.mark(st.patched);
    }
    return bytes.append(sha(bytes));
}

bool decode(const QByteArray &bytes, Record *record)
{
    if (bytes.size() < MAGIC.size() + DIGEST_SIZE || !bytes.startsWith(MAGIC))
        return false;
    const QByteArray signedPart = bytes.left(bytes.size() - DIGEST_SIZE);
    if (sha(signedPart) != bytes.right(DIGEST_SIZE))
        return false;
    QByteArray body = signedPart.mid(MAGIC.size());
    QDataStream s(&body, QIODevice::ReadOnly);
    s.setVersion(QDataStream::Qt_5_15);
    quint8 purpose = 0;
    quint32 count = 0;
    s >> purpose >> count;
    if (s.status() != QDataStream::Ok || purpose < 1 || purpose > 4 || count > quint32(STEPS_MAX))
        return false;
    Record r;
    r.purpose = Purpose(purpose);
    for (quint32 i = 0; i < count; ++i) {
        Step st;
        quint8 kind = 0, area = 0;
        qint64 offset = 0;
        s >> kind >> area >> st.number >> st.folder >> st.from >> st.hidden >> st.toFolder >> st.to;
        get(s, st.mark);
        s >> offset >> st.before >> st.after;
        get(s, st.patched);
        if (s.status() != QDataStream::Ok || kind < 1 || kind > 6 || area < 1 || area > 4)
            return false;
        st.kind = Kind(kind);
        st.area = Area(area);
        st.offset = offset;
        if (!stepFits(st))
            return false;
        r.steps << st;
    }
    if (!s.atEnd())
        return false;
    *record = r;
    return true;
}

// ---- what the editor writes -------------------------------------------------

namespace {

// The number of the sound whose file `name` is in the numbered folder: "NNN.wav"
// in WAV_DATA, "NNN.prm" in WAV_PRM, in any case; 0 for any other name.
int soundNumberOf(Area area, const QString &fff, const QString &name)
{
    const QLatin1String suffix(area == Area::Data ? ".wav" : ".prm");
    if ((area != Area::Data && area != Area::Prm) || name.size() != 7 || !name.endsWith(suffix, Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int file = name.left(3).toInt(&ok);
    if (!ok || file < 1 || file > 100 || name.left(3) != padtree::threeDigits(file))
        return 0;
    return padtree::waveNumberFromLocation(fff.toInt(), file);
}

bool isNamed(const QString &name, const char *wanted)
{
    return name.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
}

bool isKitRecordPatch(const Step &s)
{
    return s.area == Area::Kit && s.from.size() == 8 && s.from.startsWith(QLatin1Char('k'), Qt::CaseInsensitive)
            && s.from.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive)
            && s.from.mid(1, 3) == padtree::threeDigits(s.number) && s.offset == 0
            && s.before.size() == KIT_RECORD_SIZE;
}

bool isChainBlockPatch(const Step &s)
{
    return s.area == Area::Sys && isNamed(s.from, "global.ini") && s.offset == KIT_CHAIN_BLOCK_OFFSET
            && s.before.size() == KIT_CHAIN_BLOCK_SIZE;
}

// A renumbering's move: the .wav as it is, the .prm with its number patched.
bool isSoundMove(const Step &s)
{
    const int to = soundNumberOf(s.area, s.toFolder, s.to);
    if (!soundNumberOf(s.area, s.folder, s.from) || !to || pairfiles::hiddenTarget(s.hidden) != s.from)
        return false;
    if (s.area == Area::Data)
        return s.offset == 0 && s.after.isEmpty() && !s.patched.isValid();
    QByteArray number(2, '\0');
    bytepack::put16(reinterpret_cast<uchar *>(number.data()), quint16(to));
    return s.offset == 0 && s.after == number && s.before.size() == 2 && s.patched.isValid();
}

// A whole file a close puts: global.ini (a restore) or alter.ini.
bool isSysPut(const Step &s)
{
    const bool alter = isNamed(s.from, "alter.ini");
    const bool size = alter ? s.after.size() == writeback::ALTER_FILE_SIZE
                            : isNamed(s.from, "global.ini") && writeback::isCurrentGlobalFile(s.after)
                    && s.after.size() <= GLOBAL_FILE_MAX;
    const bool replaces = s.mark.isValid() ? markOfBytes(s.before) == s.mark : s.before.isEmpty();
    return s.area == Area::Sys && size && replaces && s.offset == 0 && pairfiles::hiddenTarget(s.hidden) == s.from;
}

// The step is one the editor writes for the record's purpose.
bool isEditorsStep(Purpose purpose, const Step &s)
{
    const bool wave = s.area == Area::Data || s.area == Area::Prm;
    const bool noBytes = s.offset == 0 && s.before.isEmpty() && s.after.isEmpty();
    switch (s.kind) {
    case Kind::MakeFolder:
        return wave && (purpose == Purpose::AddSounds || purpose == Purpose::Renumbering);
    case Kind::Create:
        return purpose == Purpose::AddSounds && wave && noBytes && s.from.isEmpty() && s.folder == s.toFolder
                && soundNumberOf(s.area, s.toFolder, s.to) == s.number && pairfiles::hiddenTarget(s.hidden) == s.to;
    case Kind::Remove:
        return purpose == Purpose::DeleteSounds && wave && noBytes && s.hidden.isEmpty()
                && soundNumberOf(s.area, s.folder, s.from) == s.number;
    case Kind::Move:
        return purpose == Purpose::Renumbering && isSoundMove(s);
    case Kind::Patch:
        return isKitRecordPatch(s) ? purpose == Purpose::WriteBack || purpose == Purpose::Renumbering
                                   : purpose == Purpose::WriteBack && isChainBlockPatch(s);
    case Kind::Put:
        return purpose == Purpose::WriteBack && isSysPut(s);
    }
    return false;
}

// No file is named by two steps: each name leaves, arrives and is hidden at
// most once, a hidden name is no other name of the record, and each sound's
// file and each folder are one step's.
bool namesEachFileOnce(const Record &r)
{
    QSet<QString> leaving, arriving, hidden, made;
    QSet<QPair<int, int>> sounds;
    auto once = [](QSet<QString> &set, const QString &key) {
        const int before = set.size();
        set.insert(key);
        return set.size() > before;
    };
    for (const Step &s : r.steps) {
        bool ok = true;
        if (s.kind == Kind::MakeFolder) {
            ok = once(made, placeKey(s.area, s.folder, QString()));
        } else {
            if (s.kind != Kind::Create)
                ok = once(leaving, placeKey(s.area, s.folder, s.from));
            if (s.kind == Kind::Create || s.kind == Kind::Move)
                ok = ok && once(arriving, placeKey(s.area, s.toFolder, s.to));
            if (!s.hidden.isEmpty())
                ok = ok && once(hidden, placeKey(s.area, s.folder, s.hidden));
            const int before = sounds.size();
            if (s.area == Area::Data || s.area == Area::Prm)
                sounds.insert(qMakePair(int(s.area), int(s.number)));
            ok = ok && (s.area == Area::Kit || s.area == Area::Sys || sounds.size() > before);
        }
        if (!ok)
            return false;
    }
    for (const QString &h : qAsConst(hidden)) {
        if (leaving.contains(h) || arriving.contains(h))
            return false;
    }
    return true;
}

} // namespace

bool isEditorsRecord(const Record &record)
{
    if (record.steps.isEmpty())
        return false;
    for (const Step &s : record.steps) {
        if (!isEditorsStep(record.purpose, s))
            return false;
    }
    return namesEachFileOnce(record);
}

// ---- the pad's folders ------------------------------------------------------

struct Pad::Impl {
    ztplatform::FolderAnchor root;
    PadTreePaths tree;
    // A folder kept open, and what it is known by.
    struct Kept {
        ztplatform::OpenFolder folder;
        ztplatform::FolderIdentity identity;
        ztplatform::FolderAnchor::Steps steps; // below the root, once worked out
    };
    std::map<std::pair<int, QString>, Kept> kept; // by area and folder; a slot once made stays

    QString path(Area area, const QString &fff) const
    {
        const QString base = area == Area::Kit ? tree.kitPath
                : area == Area::Sys           ? tree.sysPath
                : area == Area::Data          ? tree.dataPath
                                              : tree.prmPath;
        return fff.isEmpty() ? base : base + QLatin1Char('/') + fff;
    }
};

Pad::Pad(ztplatform::FolderAnchor root, const PadTreePaths &tree)
    : d(new Impl{std::move(root), tree, {}})
{
}

Pad::~Pad()
{
    delete d;
}

ztplatform::OpenFolder Pad::folder(Area area, const QString &fff) const
{
    const QString path = d->path(area, fff);
    if (path.isEmpty() || !d->root.isValid())
        return ztplatform::OpenFolder();
    return d->root.openFolder(path);
}

const ztplatform::OpenFolder &Pad::kept(Area area, const QString &fff)
{
    Impl::Kept &slot = d->kept[{int(area), fff}];
    if (!slot.folder.isOpen()) {
        slot.folder = folder(area, fff);
        slot.identity = ztplatform::identityOf(slot.folder);
    }
    return slot.folder;
}

const ztplatform::OpenFolder &Pad::forChange(Area area, const QString &fff)
{
    Impl::Kept &slot = d->kept[{int(area), fff}];
    const ztplatform::Reach reach = slot.folder.isOpen()
            ? d->root.recheck(slot.identity, slot.steps.relative.isEmpty() ? d->path(area, fff) : QString(),
                              &slot.steps)
            : ztplatform::Reach::Outside;
    if (reach == ztplatform::Reach::Inside)
        return slot.folder;
    // A root that does not pass ends a walk the same way.
    slot.folder = reach == ztplatform::Reach::Outside ? folder(area, fff) : ztplatform::OpenFolder();
    slot.identity = ztplatform::identityOf(slot.folder);
    return slot.folder;
}

void Pad::forget()
{
    d->kept.clear();
}

// ---- the walk ---------------------------------------------------------------

namespace {

// Where a step's file is.
enum class At {
    Nowhere, // no file of the step at any of its names
    Old,     // at its old name (a Patch or Put: the old bytes)
    Hidden,  // at its hidden name
    New,     // at its new name (a Patch or Put: the new bytes)
    Torn,    // a Create's hidden file cut short; a Patch's range with each sector old or new
    Other,   // its name holds other bytes than the record's (changed since): left as it stands
    OtherNew, // a Move's file gone from its old names, its new name holding other bytes: left there
};

constexpr qint64 SECTOR = 512;

// Where a Patch stands from the bytes of its range: a write cut short leaves
// each sector of it old or new, anything else was written by another hand.
At patchAt(const Step &s, const QByteArray &now)
{
    if (now == s.after)
        return At::New;
    if (now == s.before)
        return At::Old;
    const qint64 end = s.offset + now.size();
    for (qint64 at = s.offset; at < end;) {
        const qint64 next = qMin(end, (at / SECTOR + 1) * SECTOR);
        const int i = int(at - s.offset), n = int(next - at);
        const QByteArray part = QByteArray::fromRawData(now.constData() + i, n);
        if (part != QByteArray::fromRawData(s.before.constData() + i, n)
            && part != QByteArray::fromRawData(s.after.constData() + i, n))
            return At::Other;
        at = next;
    }
    return At::Torn;
}

bool removesOnly(const Record &record)
{
    return !record.steps.isEmpty()
            && std::all_of(record.steps.cbegin(), record.steps.cend(),
                           [](const Step &s) { return s.kind == Kind::Remove; });
}

// A folder of the pad by its area and numbered folder.
using FolderKey = QPair<int, QString>;
// An entry of a step's area: its numbered folder and name.
using Name = QPair<QString, QString>;

QString areaFolder(Area area)
{
    return area == Area::Data ? QStringLiteral("WAV_DATA")
            : area == Area::Prm ? QStringLiteral("WAV_PRM")
            : area == Area::Kit ? QStringLiteral("KIT")
                                : QStringLiteral("SYS");
}

FolderKey key(Area area, const QString &fff)
{
    return FolderKey(int(area), fff);
}

class Walk
{
public:
    Walk(Pad &pad, const Record &record, Outcome &out, const QVector<Stamp> &stamps = {}, bool live = false)
        : m_pad(pad)
        , m_record(record)
        , m_out(out)
        , m_seen(stamps.size() == record.steps.size() ? stamps : QVector<Stamp>())
        , m_at(record.steps.size(), At::Nowhere)
        , m_durable(record.steps.size(), At::Nowhere)
        , m_patchedNow(record.steps.size(), false)
        , m_double(record.steps.size(), false)
        , m_empty(record.steps.size())
        , m_lostEmpty(record.steps.size())
        , m_arrived(record.steps.size(), false)
        , m_removesOnly(removesOnly(record))
        , m_live(live || !m_seen.isEmpty())
    {
        m_out.purpose = record.purpose;
        QSet<quint16> seen;
        for (const Step &s : record.steps) {
            if (isSoundFile(s) && !seen.contains(s.number)) {
                seen.insert(s.number);
                m_out.sounds << s.number;
            }
            if (s.kind == Kind::Patch && s.area == Area::Kit && !m_out.kits.contains(s.number))
                m_out.kits << s.number;
        }
    }

    void locateAll()
    {
        // Each folder judged again at its first look.
        m_pad.forget();
        for (int i = 0; i < m_record.steps.size(); ++i)
            m_at[i] = locate(i);
        arrivedFiles();
        m_durable = m_at;
        // The stamps tell the files as they stood before this look only.
        m_seen.clear();
        m_looked = true;
    }

    At at(int i) const { return m_at.at(i); }

    // Every change of the record can be made from where the files are: each
    // new file whole, each file that moves there, each file that leaves gone
    // from its name (a removal goes on only once every file has left, unless
    // the record only removes files).
    bool canFinish() { return canFinish(m_at); }
    // The same from where the files were when the walk last forced them to
    // the disk, which is where a stop leaves them.
    bool canFinishDurably() { return canFinish(m_durable); }

    bool finish(const std::function<bool(const Step &, int)> &create);
    bool undo();
    // A line for each sound whose files are not all at their old or all at
    // their new names.
    QStringList whereLines();

private:
    bool canFinish(const QVector<At> &at)
    {
        for (int i = 0; i < m_record.steps.size(); ++i) {
            const Step &s = m_record.steps.at(i);
            const At a = at.at(i);
            if (s.kind == Kind::Create && a != At::Hidden && a != At::New)
                return false;
            // A file to move that is gone, or holds other bytes now, keeps the
            // change from being whole: it is taken back.
            if (s.kind == Kind::Move && (a == At::Nowhere || a == At::Other))
                return false;
            // What stands at the new name now may be the file the walk put there.
            if ((s.kind == Kind::Move || s.kind == Kind::Create) && a != At::New && a != At::OtherNew
                && m_at.at(i) != At::New && !targetFree(i, at))
                return false;
        }
        return true;
    }

    // A folder to look in, and one to change right now.
    const ztplatform::OpenFolder &dir(Area area, const QString &fff) { return m_pad.kept(area, fff); }
    const ztplatform::OpenFolder &change(Area area, const QString &fff) { return m_pad.forChange(area, fff); }

    At locate(int i);
    // The entry is a regular file holding step i's file (patched or not),
    // known by its size first, its digest only when that fits.
    bool holdsFileOf(int i, const ztplatform::OpenFolder &folder, const QString &name)
    {
        const Step &s = m_record.steps.at(i);
        const bool patchable = !s.after.isEmpty();
        struct stat st;
        if (!statEntry(folder, name, &st) || !S_ISREG(st.st_mode)
            || (st.st_size != s.mark.size && (!patchable || st.st_size != s.patched.size)))
            return false;
        const Mark m = markOfEntry(folder, name);
        if (m != s.mark && (!patchable || m != s.patched))
            return false;
        m_patchedNow[i] = patchable && m == s.patched && m != s.mark;
        return true;
    }
    // What a rename cut by a power cut left beside a step's file goes
    // first: an empty file at one of its names (it owns nothing on the
    // medium), and the copy a move left at its hidden name beside its new one.
    bool settleNames()
    {
        for (int i = 0; i < m_record.steps.size(); ++i) {
            const Step &s = m_record.steps.at(i);
            for (const Name &e : qAsConst(m_empty.at(i))) {
                if (!removeEmpty(s.area, e))
                    return false;
            }
            m_empty[i].clear();
            // A new file that never got its bytes: the add is taken back.
            if (s.kind == Kind::Create && m_at.at(i) == At::Nowhere && !m_lostEmpty.at(i).second.isEmpty()) {
                if (!removeEmpty(s.area, m_lostEmpty.at(i)))
                    return false;
                m_lostEmpty[i] = Name();
            }
            if (m_double.at(i) && m_at.at(i) == At::New && !dropCopy(i))
                return false;
            m_double[i] = false;
        }
        return syncTouched();
    }
    bool removeEmpty(Area area, const Name &name)
    {
        struct stat st;
        // Gone, or something else there now: its rename is refused later.
        if (!statEntry(change(area, name.first), name.second, &st) || !S_ISREG(st.st_mode) || st.st_size != 0)
            return true;
        return removeEntry(area, name.first, name.second);
    }
    bool dropCopy(int i);
    // Step i's file looked for at its hidden and old names only.
    At notAtItsNewName(int i)
    {
        const Step &s = m_record.steps.at(i);
        const ztplatform::OpenFolder &f = dir(s.area, s.folder);
        m_double[i] = false;
        m_patchedNow[i] = false;
        if (holdsFileOf(i, f, s.hidden))
            return At::Hidden;
        return s.kind == Kind::Move && holdsFileOf(i, f, s.from) ? At::Old : At::Nowhere;
    }
    At locateFile(int i);
    void noteEmpties(int i, At at);
    // A Move's old name holding another moved file of the record is no change of another hand.
    void arrivedFiles()
    {
        QSet<QString> arrived;
        for (int j = 0; j < m_record.steps.size(); ++j) {
            const Step &o = m_record.steps.at(j);
            if (o.kind == Kind::Move && m_at.at(j) == At::New)
                arrived << placeKey(o.area, o.toFolder, o.to);
        }
        QSet<QString> leaving;
        for (int j = 0; j < m_record.steps.size(); ++j) {
            const Step &o = m_record.steps.at(j);
            if (o.kind == Kind::Move && m_at.at(j) == At::Old)
                leaving << placeKey(o.area, o.folder, o.from);
        }
        for (int i = 0; i < m_record.steps.size(); ++i) {
            const Step &s = m_record.steps.at(i);
            if (s.kind == Kind::Move && m_at.at(i) == At::Other && arrived.contains(placeKey(s.area, s.folder, s.from)))
                m_at[i] = takenSince(s) ? At::OtherNew : At::Nowhere;
            // The new name holding a file of the record that has yet to leave it.
            if (s.kind == Kind::Move && m_at.at(i) == At::OtherNew
                && leaving.contains(placeKey(s.area, s.toFolder, s.to)))
                m_at[i] = At::Nowhere;
            // Or that file, of the same bytes: this one is where else it stands.
            if ((s.kind == Kind::Move || s.kind == Kind::Create) && m_at.at(i) == At::New
                && leaving.contains(placeKey(s.area, s.toFolder, s.to)))
                m_at[i] = notAtItsNewName(i);
        }
    }
    bool targetFree(int i, const QVector<At> &at);
    // Something stands at the step's new name.
    bool takenSince(const Step &s)
    {
        const ztplatform::OpenFolder &t = dir(s.area, s.toFolder);
        return t.exists(s.to) || t.isLink(s.to);
    }
    // Step i's file holds other bytes than the record's: left as it stands, and named.
    void keep(int i);
    bool refuse(const QString &what)
    {
        const int error = errno;
        qWarning() << "the change record's step failed:" << what << std::strerror(error);
        if (error != EEXIST && error != ENOENT)
            m_out.refused = true;
        m_out.error = m_out.error ? m_out.error : error;
        return false;
    }
    bool rename(Area area, const QString &fromFolder, const QString &from, const QString &toFolder,
                const QString &to)
    {
        m_touched << key(area, fromFolder) << key(area, toFolder);
        const ztplatform::OpenFolder &source = change(area, fromFolder);
        const bool moved = fromFolder == toFolder ? pairfiles::moveEntry(source, from, source, to)
                                                  : pairfiles::moveEntry(source, from, change(area, toFolder), to);
        if (moved) {
            m_out.changed = true;
            return true;
        }
        return refuse(from + QStringLiteral(" -> ") + to);
    }
    bool removeEntry(Area area, const QString &fff, const QString &name)
    {
        m_touched << key(area, fff);
        if (change(area, fff).remove(name)) {
            m_out.changed = true;
            return true;
        }
        return refuse(name);
    }
    bool writeAt(Area area, const QString &fff, const QString &name, qint64 offset, const QByteArray &bytes)
    {
        InPlaceFile f;
        if (f.open(change(area, fff), name) && f.writeAt(offset, bytes)) {
            m_out.changed = true;
            return true;
        }
        if (errno == 0)
            errno = EIO;
        return refuse(name);
    }
    bool put(const Step &s, const QByteArray &bytes);
    // A Put's file as before it: its old bytes, or none when nothing stood there.
    bool putBack(const Step &s)
    {
        if (s.mark.isValid()) {
            const int failedBefore = m_out.putFailed.size();
            return put(s, s.before) && m_out.putFailed.size() == failedBefore;
        }
        return removeEntry(s.area, s.folder, s.from);
    }
    static bool isAlterFile(const Step &s)
    {
        return s.from.compare(QLatin1String("alter.ini"), Qt::CaseInsensitive) == 0;
    }
    bool writeCreated(const Step &s, const std::function<bool(const Step &, int)> &create);
    // The steps of finish(), in its order.
    bool makeFolders();
    bool writeCreates(const std::function<bool(const Step &, int)> &create);
    bool hideLeaving();
    bool moveIn();
    bool patchOne(int i);
    bool writeBytes();
    bool removeLeaving();
    void noteFinished();
    // Each folder touched since the last call forced to the disk once.
    bool syncTouched()
    {
        for (const FolderKey &k : qAsConst(m_touched)) {
            const ztplatform::OpenFolder &f = change(Area(k.first), k.second);
            if (!f.isOpen() || !f.sync()) {
                if (!f.isOpen())
                    errno = ENOENT;
                return refuse(QStringLiteral("sync ") + QString::number(k.first) + QLatin1Char('/') + k.second);
            }
        }
        m_touched.clear();
        m_durable = m_at;
        return true;
    }
    static bool isSoundFile(const Step &s)
    {
        return (s.area == Area::Data || s.area == Area::Prm) && s.kind != Kind::MakeFolder;
    }
    void noteSound(const Step &s, bool done)
    {
        if (!isSoundFile(s))
            return;
        QSet<quint16> &noted = m_noted[done ? 1 : 0];
        if (noted.contains(s.number))
            return;
        noted.insert(s.number);
        (done ? m_out.soundsDone : m_out.soundsUndone) << s.number;
    }

    // The file of step i still stands as its stamp says.
    bool standsAsSeen(int i, const ztplatform::OpenFolder &folder, const QString &name) const
    {
        struct stat st;
        return i < m_seen.size() && m_seen.at(i).isValid() && statEntry(folder, name, &st) && S_ISREG(st.st_mode)
                && stampOf(st) == m_seen.at(i);
    }

    Pad &m_pad;
    const Record &m_record;
    Outcome &m_out;
    QVector<Stamp> m_seen; // of each step's file when its mark was read, till the first look
    QVector<At> m_at;
    QVector<At> m_durable; // m_at when the walk last forced its folders to the disk
    QVector<bool> m_patchedNow; // a Move's file holds its patch
    QVector<bool> m_double; // a Move's file at its new name stands at its hidden name too
    QVector<QVector<Name>> m_empty; // empty files at a step's other names, once its file is found
    QVector<Name> m_lostEmpty; // the empty file at a name of a step whose file is nowhere
    QVector<bool> m_arrived; // this walk moved the file to its new name
    bool m_looked = false; // the files were located once
    QSet<int> m_kept; // steps named as left for other bytes
    QSet<FolderKey> m_touched;
    QSet<quint16> m_noted[2]; // sounds in soundsUndone, soundsDone
    // A record that only removes files is finished by any load that finds it,
    // whatever part of it was done.
    bool m_removesOnly = false;
    // The change is being made now, not finished by a later load: a file
    // missing from its name was not removed by it.
    bool m_live = false;
};

At Walk::locate(int i)
{
    const Step &s = m_record.steps.at(i);
    const ztplatform::OpenFolder &f = dir(s.area, s.folder);
    switch (s.kind) {
    case Kind::MakeFolder: {
        struct stat st;
        return statEntry(dir(s.area, QString()), s.folder, &st) && S_ISDIR(st.st_mode) ? At::New : At::Nowhere;
    }
    case Kind::Create:
    case Kind::Move:
        return locateFile(i);
    case Kind::Remove:
        return standsAsSeen(i, f, s.from) || isSameFile(s.mark, markOfEntry(f, s.from)) ? At::Old : At::Nowhere;
    case Kind::Patch: {
        QByteArray now;
        if (!readRange(f, s.from, s.offset, s.after.size(), &now))
            return At::Nowhere;
        return patchAt(s, now);
    }
    case Kind::Put: {
        const Mark now = markOfEntry(f, s.from);
        if (now == markOfBytes(s.after))
            return At::New;
        // Old only while it holds what the record replaces, or no file stands
        // there (a link there is replaced, never followed).
        const bool none = !s.mark.isValid() && (f.isLink(s.from) || !f.exists(s.from));
        return (s.mark.isValid() && now == s.mark) || none ? At::Old : At::Other;
    }
    }
    return At::Nowhere;
}

At Walk::locateFile(int i)
{
    const Step &s = m_record.steps.at(i);
    const ztplatform::OpenFolder &f = dir(s.area, s.folder);
    auto holds = [&](const ztplatform::OpenFolder &folder, const QString &name) {
        return holdsFileOf(i, folder, name);
    };
    m_double[i] = false;
    m_empty[i].clear();
    m_lostEmpty[i] = Name();
    // A change made now finds a file to move at its old name first: a
    // copy at the new name is another file standing there.
    if (m_live && !m_looked && s.kind == Kind::Move && holds(f, s.from))
        return At::Old;
    At at = At::Nowhere;
    if (holds(dir(s.area, s.toFolder), s.to)) {
        // A rename cut by a power cut can leave the file at both names (FAT).
        const bool patched = m_patchedNow.at(i);
        m_double[i] = holds(f, s.hidden);
        m_patchedNow[i] = patched;
        at = At::New;
    } else if (holds(f, s.hidden)) {
        at = At::Hidden;
    } else if (s.kind == Kind::Move && holds(f, s.from)) {
        at = At::Old;
    }
    if (!m_live)
        noteEmpties(i, at);
    if (at != At::Nowhere || !m_lostEmpty.at(i).second.isEmpty())
        return at;
    if (s.kind == Kind::Move && (f.exists(s.from) || f.isLink(s.from)))
        return At::Other;
    // Gone from its names: its new name holds it changed since only
    // when a stop came after the move, or this walk made the move.
    if (s.kind == Kind::Move)
        return takenSince(s) && (!m_live || m_arrived.at(i)) ? At::OtherNew : At::Nowhere;
    return f.exists(s.hidden) ? At::Torn : At::Nowhere;
}

// FAT gives a rename its new name before the file: a power cut between the
// two leaves an empty file there. Beside the step's file, such a file goes;
// with the file nowhere, the sound was lost with it.
void Walk::noteEmpties(int i, At at)
{
    const Step &s = m_record.steps.at(i);
    if (s.mark.size <= 0)
        return;
    const Name names[3] = {{s.toFolder, s.to}, {s.folder, s.hidden}, {s.folder, s.from}};
    const At where[3] = {At::New, At::Hidden, At::Old};
    for (int k = 0; k < (s.kind == Kind::Move ? 3 : 1); ++k) {
        struct stat st;
        if (where[k] == at || !statEntry(dir(s.area, names[k].first), names[k].second, &st) || !S_ISREG(st.st_mode)
            || st.st_size != 0)
            continue;
        if (at != At::Nowhere)
            m_empty[i] << names[k];
        else if (m_lostEmpty.at(i).second.isEmpty())
            m_lostEmpty[i] = names[k];
    }
}

// The copy a move left at its hidden name beside its new one, removed; one
// that may share its place on the medium with the file is renamed instead,
// and named.
bool Walk::dropCopy(int i)
{
    const Step &s = m_record.steps.at(i);
    m_touched << key(s.area, s.folder);
    QString copy;
    const QString suffix = s.area == Area::Data ? QStringLiteral(".wav") : QStringLiteral(".prm");
    if (!pairfiles::dropSecondName(change(s.area, s.folder), s.hidden, change(s.area, s.toFolder), s.to,
                                   QStringLiteral(".sound-%1-copy").arg(s.number), suffix, &copy))
        return refuse(s.hidden);
    m_out.changed = true;
    if (!copy.isEmpty())
        m_out.twins << twinLine(s.number, areaFolder(s.area) + QLatin1Char('/') + s.folder + QLatin1Char('/') + copy);
    return true;
}

// The new name holds nothing, an empty file a power cut left there, or a
// file of the record that leaves it.
bool Walk::targetFree(int i, const QVector<At> &at)
{
    const Step &s = m_record.steps.at(i);
    if (!dir(s.area, s.toFolder).exists(s.to) && !dir(s.area, s.toFolder).isLink(s.to))
        return true;
    if (m_empty.at(i).contains(Name(s.toFolder, s.to)))
        return true;
    for (int j = 0; j < m_record.steps.size(); ++j) {
        const Step &o = m_record.steps.at(j);
        if (o.kind == Kind::Move && at.at(j) == At::Old && o.area == s.area
            && o.folder == s.toFolder && o.from == s.to)
            return true;
    }
    return false;
}

// The file replaced whole through its hidden name: a stop leaves it old or new.
bool Walk::put(const Step &s, const QByteArray &bytes)
{
    const ztplatform::OpenFolder &f = change(s.area, s.folder);
    // A hidden file a stop left is the editor's own.
    if (f.exists(s.hidden) && !f.remove(s.hidden))
        return refuse(s.hidden);
    ztplatform::DurableWrite file(f);
    if (file.create(s.hidden))
        m_out.changed = true;
    if (file.write(bytes) && file.commit(s.from))
        return true;
    const int error = file.error();
    errno = error;
    if (error == EROFS || error == EIO || error == ENOSPC || error == EDQUOT || error == ENODEV || error == ENXIO
        || error == EBADF || file.isRenamed())
        return refuse(s.from);
    // What stands at the name (a folder, say) keeps the file from being written: told, not retried.
    struct stat st;
    const bool other = statEntry(f, s.from, &st) && !S_ISREG(st.st_mode);
    m_out.putFailed << s.from;
    m_out.putWhy = padreason::why(other ? st.st_mode & S_IFMT : 0, error);
    return true;
}

// The new file under its hidden name, its bytes on the disk; it takes its
// name later with the others.
bool Walk::writeCreated(const Step &s, const std::function<bool(const Step &, int)> &create)
{
    if (!create) {
        errno = ENOENT;
        return refuse(s.hidden);
    }
    ztplatform::DurableWrite file(change(s.area, s.folder));
    if (file.create(s.hidden))
        m_out.changed = true;
    m_touched << key(s.area, s.folder);
    if (file.writeWith([&](int fd) { return create(s, fd); }) && file.finish() && file.keep())
        return true;
    errno = file.error();
    return refuse(s.hidden);
}

bool Walk::makeFolders()
{
    const QVector<Step> &steps = m_record.steps;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if (s.kind == Kind::MakeFolder && m_at.at(i) != At::New) {
            const ztplatform::OpenFolder &base = change(s.area, QString());
            if (!base.makeFolder(s.folder).isOpen())
                return refuse(s.folder);
            m_touched << key(s.area, QString());
            m_out.changed = true;
        }
    }
    return true;
}

bool Walk::writeCreates(const std::function<bool(const Step &, int)> &create)
{
    const QVector<Step> &steps = m_record.steps;
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i).kind == Kind::Create && m_at.at(i) == At::Nowhere) {
            if (!writeCreated(steps.at(i), create))
                return false;
            m_at[i] = At::Hidden;
        }
    }
    return true;
}

bool Walk::hideLeaving()
{
    const QVector<Step> &steps = m_record.steps;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if (s.kind == Kind::Move && m_at.at(i) == At::Old) {
            if (!rename(s.area, s.folder, s.from, s.folder, s.hidden))
                return false;
            m_at[i] = At::Hidden;
        }
    }
    return true;
}

bool Walk::moveIn()
{
    const QVector<Step> &steps = m_record.steps;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if ((s.kind == Kind::Move || s.kind == Kind::Create) && m_at.at(i) == At::Hidden) {
            if (!rename(s.area, s.folder, s.hidden, s.toFolder, s.to))
                return false;
            m_at[i] = At::New;
            m_arrived[i] = true;
        }
    }
    return true;
}

void Walk::keep(int i)
{
    if (m_kept.contains(i))
        return;
    m_kept.insert(i);
    const Step &s = m_record.steps.at(i);
    QString line;
    if (s.kind == Kind::Patch && s.area == Area::Kit) {
        m_out.kitsKept << s.number;
        line = DeviceText::tr("Kit %1 was changed on the sampler pad since; it is kept as the pad has it.")
                       .arg(s.number);
    } else if (s.kind == Kind::Patch) {
        m_out.chainsKept = true;
        line = DeviceText::tr("The kit chains in %1 were changed on the sampler pad since; they are kept as the "
                              "pad has them.")
                       .arg(s.from);
    } else if (s.kind == Kind::Put) {
        (isAlterFile(s) ? m_out.alterKept : m_out.globalKept) = true;
        line = DeviceText::tr("%1 was changed on the sampler pad since; it is kept as the pad has it.").arg(s.from);
    } else {
        const bool created = s.kind == Kind::Create || m_at.at(i) == At::OtherNew;
        line = DeviceText::tr("Sound %1: %2 was changed on the sampler pad since; it is kept as the pad has it.")
                       .arg(s.number)
                       .arg(created ? s.toFolder + QLatin1Char('/') + s.to : s.folder + QLatin1Char('/') + s.from);
    }
    m_out.kept << line;
}

bool Walk::patchOne(int i)
{
    const Step &s = m_record.steps.at(i);
    if (m_at.at(i) == At::Other) {
        keep(i);
        return true;
    }
    if (m_at.at(i) == At::Nowhere) {
        if (s.area == Area::Kit)
            m_out.kitsMissing << s.number;
        else
            m_out.chainsMissing = true;
        m_out.missing << (s.area == Area::Kit
                                  ? DeviceText::tr("Kit %1 was not written: its file is missing or short.").arg(s.number)
                                  : DeviceText::tr("The kit chains were not written: global.ini is missing "
                                                   "or short."));
        return true;
    }
    if (!writeAt(s.area, s.folder, s.from, s.offset, s.after))
        return false;
    const bool torn = m_at.at(i) == At::Torn;
    if (s.area == Area::Kit) {
        m_out.kitsWritten << s.number;
        if (torn)
            m_out.kitsRepaired << s.number;
    } else {
        m_out.chainsWritten = true;
        m_out.chainsRepaired |= torn;
    }
    m_at[i] = At::New;
    return true;
}

bool Walk::writeBytes()
{
    const QVector<Step> &steps = m_record.steps;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if (s.kind == Kind::Move && m_at.at(i) == At::OtherNew)
            keep(i);
        if (s.kind == Kind::Move && m_at.at(i) == At::New && !s.after.isEmpty() && !m_patchedNow.at(i)) {
            if (!writeAt(s.area, s.toFolder, s.to, s.offset, s.after))
                return false;
            m_patchedNow[i] = true;
        }
        if (s.kind == Kind::Patch && m_at.at(i) != At::New && !patchOne(i))
            return false;
    }
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i).kind == Kind::Put && m_at.at(i) == At::Other) {
            keep(i);
        } else if (steps.at(i).kind == Kind::Put && m_at.at(i) == At::Old) {
            const int failedBefore = m_out.putFailed.size();
            if (!put(steps.at(i), steps.at(i).after))
                return false;
            (isAlterFile(steps.at(i)) ? m_out.alterWritten : m_out.globalWritten) =
                    m_out.putFailed.size() == failedBefore;
            m_at[i] = At::New;
        }
    }
    return true;
}

void Walk::noteFinished()
{
    const QVector<Step> &steps = m_record.steps;
    QSet<quint16> kept;
    for (const Outcome::Left &l : qAsConst(m_out.left))
        kept.insert(l.number);
    for (const Step &s : steps) {
        if (!kept.contains(s.number))
            noteSound(s, true);
    }
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        // Only a file that holds its bytes at its new name took the number.
        if (s.kind == Kind::Move && s.area == Area::Data && m_at.at(i) == At::New) {
            const int n = padtree::waveNumberFromLocation(s.toFolder.toInt(), s.to.section(QLatin1Char('.'), 0, 0)
                                                                                       .toInt());
            m_out.renumbered << qMakePair(s.number, quint16(n));
        }
    }
    m_out.finished = true;
}

// Each file leaves its name where it stands, the two files of a pair one
// right after the other. A file at its name with other bytes than the
// record's stays, and is named.
bool Walk::removeLeaving()
{
    const QVector<Step> &steps = m_record.steps;
    // A sound one of whose files now holds other bytes, or went from its
    // name since this change read it, keeps the other: no pair is left half.
    QSet<quint16> held;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        const At a = m_at.at(i);
        if (a == At::Old)
            continue;
        const QString name = s.folder + QLatin1Char('/') + s.from;
        if (dir(s.area, s.folder).exists(s.from) || dir(s.area, s.folder).isLink(s.from))
            m_out.left << Outcome::Left{s.number, s.area, name};
        else if (m_live)
            m_out.left << Outcome::Left{s.number, s.area, name, true};
        else
            continue;
        held.insert(s.number);
    }
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        const At a = m_at.at(i);
        if (a == At::Old && !held.contains(s.number)) {
            if (!removeEntry(s.area, s.folder, s.from))
                return false;
            m_at[i] = At::Nowhere;
        }
    }
    return true;
}

bool Walk::finish(const std::function<bool(const Step &, int)> &create)
{
    // A record that only removes files needs no order on the disk: whatever
    // part of it reached the disk, the next load finishes it.
    if (m_removesOnly) {
        if (!removeLeaving() || !syncTouched())
            return false;
        noteFinished();
        return true;
    }
    // The folders, then the new files under their hidden names.
    if (!settleNames() || !makeFolders() || !syncTouched())
        return false;
    if (!writeCreates(create) || !syncTouched())
        return false;
    // Every file leaving a name first, so no file takes a name another still holds.
    if (!hideLeaving() || !syncTouched())
        return false;
    if (!moveIn() || !syncTouched())
        return false;
    // Bytes in place: a Move's patch, then the records and blocks, then whole files.
    if (!writeBytes() || !syncTouched())
        return false;
    noteFinished();
    return true;
}

bool Walk::undo()
{
    if (!settleNames())
        return false;
    const QVector<Step> &steps = m_record.steps;
    const QVector<At> was = m_at;
    const QVector<bool> patchedWas = m_patchedNow;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if ((s.kind == Kind::Patch || s.kind == Kind::Put || s.kind == Kind::Move)
            && (m_at.at(i) == At::Other || m_at.at(i) == At::OtherNew))
            keep(i);
        // A new file's name taken by other bytes since: left, and named.
        if (s.kind == Kind::Create && m_at.at(i) != At::New
            && (dir(s.area, s.toFolder).exists(s.to) || dir(s.area, s.toFolder).isLink(s.to)))
            keep(i);
        if (s.kind == Kind::Patch && (m_at.at(i) == At::New || m_at.at(i) == At::Torn)) {
            if (!writeAt(s.area, s.folder, s.from, s.offset, s.before))
                return false;
            m_at[i] = At::Old;
        }
        if (s.kind == Kind::Put && m_at.at(i) == At::New) {
            if (!putBack(s))
                return false;
            m_at[i] = At::Old;
        }
        if (s.kind == Kind::Move && m_patchedNow.at(i) && m_at.at(i) != At::Nowhere) {
            const bool atNew = m_at.at(i) == At::New;
            const QString &name = atNew ? s.to : m_at.at(i) == At::Hidden ? s.hidden : s.from;
            if (!writeAt(s.area, atNew ? s.toFolder : s.folder, name, s.offset, s.before))
                return false;
            m_patchedNow[i] = false;
        }
    }
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if ((s.kind == Kind::Move || s.kind == Kind::Create) && m_at.at(i) == At::New) {
            if (!rename(s.area, s.toFolder, s.to, s.folder, s.hidden))
                return false;
            m_at[i] = At::Hidden;
        }
    }
    if (!syncTouched())
        return false;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        const At a = m_at.at(i);
        if (s.kind == Kind::Move && a == At::Hidden) {
            if (!rename(s.area, s.folder, s.hidden, s.folder, s.from))
                return false;
            m_at[i] = At::Old;
        } else if (s.kind == Kind::Create && (a == At::Hidden || a == At::Torn)) {
            if (!removeEntry(s.area, s.folder, s.hidden))
                return false;
            m_at[i] = At::Nowhere;
        }
    }
    if (!syncTouched())
        return false;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        if (s.kind == Kind::MakeFolder && m_at.at(i) == At::New) {
            // Only while empty: a folder that holds anything stays.
            if (change(s.area, QString()).removeFolder(s.folder)) {
                m_touched << key(s.area, QString());
                m_out.changed = true;
            }
        }
    }
    if (!syncTouched())
        return false;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps.at(i);
        const bool lost = (s.kind == Kind::Move || s.kind == Kind::Remove) && m_at.at(i) != At::Old
                && m_at.at(i) != At::Other && m_at.at(i) != At::OtherNew;
        const Name &empty = m_lostEmpty.at(i);
        if (lost && !empty.second.isEmpty())
            m_out.missing << DeviceText::tr("Sound %1: a power cut left %2 empty; the sound's bytes are lost.")
                                     .arg(s.number)
                                     .arg(areaFolder(s.area) + QLatin1Char('/') + empty.first + QLatin1Char('/')
                                          + empty.second);
        else if (lost && s.area == Area::Data)
            m_out.missing << DeviceText::tr("Sound %1: its .wav file is missing.").arg(s.number);
        else if (lost)
            m_out.missing << DeviceText::tr("Sound %1: its .prm file is missing.").arg(s.number);
        // Only what was moved, written or patched was taken back.
        if ((was.at(i) != At::Nowhere && was.at(i) != At::Old) || patchedWas.at(i))
            noteSound(s, false);
    }
    m_out.missing.removeDuplicates();
    m_out.undone = true;
    return true;
}

QStringList Walk::whereLines()
{
    // Without the pad nothing tells where its files are.
    if (!m_pad.base(Area::Data).isOpen() || !m_pad.base(Area::Prm).isOpen())
        return {notAtPlace()};
    locateAll();
    QHash<quint16, QVector<At>> bySound;
    QHash<quint16, quint16> newNumber;
    for (int i = 0; i < m_record.steps.size(); ++i) {
        const Step &s = m_record.steps.at(i);
        if (s.kind != Kind::Move && s.kind != Kind::Create && s.kind != Kind::Remove)
            continue;
        bySound[s.number] << m_at.at(i);
        if (s.kind == Kind::Move)
            newNumber[s.number] = quint16(padtree::waveNumberFromLocation(
                    s.toFolder.toInt(), s.to.section(QLatin1Char('.'), 0, 0).toInt()));
    }
    QVector<quint16> sounds = bySound.keys().toVector();
    std::sort(sounds.begin(), sounds.end());
    QStringList lines;
    for (quint16 n : sounds) {
        const QVector<At> &at = bySound.value(n);
        const bool allOld = std::all_of(at.cbegin(), at.cend(), [](At a) { return a == At::Old; });
        const bool allNew = std::all_of(at.cbegin(), at.cend(), [](At a) { return a == At::New; });
        if (allOld)
            continue;
        if (at.contains(At::Nowhere) || at.contains(At::Torn))
            lines << DeviceText::tr("Sound %1: a file of it is missing.").arg(n);
        else if (at.contains(At::Hidden))
            lines << DeviceText::tr("Sound %1: under hidden names, out of the pad's list.").arg(n);
        else if (allNew && newNumber.contains(n))
            lines << DeviceText::tr("Sound %1: now at number %2.").arg(n).arg(newNumber.value(n));
        else if (!allNew)
            lines << DeviceText::tr("Sound %1: its files are split between the numbers %1 and %2.")
                             .arg(n)
                             .arg(newNumber.value(n));
    }
    return lines;
}

// ---- the record in SYS ------------------------------------------------------

// Every record is written under its staging name, forced to the disk and
// renamed, then SYS forced to the disk: a stop at its write leaves no record
// at the record's name. A first record never replaces anything there; one
// that replaces the record on the pad (`replace`) is renamed over it, so the
// pad holds a whole record throughout.
bool writeRecord(const Pad &pad, const QByteArray &bytes, bool replace = false)
{
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    if (!sys.isOpen()) {
        errno = ENOENT;
        return false;
    }
    if (sys.exists(STAGING_NAME) || sys.isLink(STAGING_NAME))
        sys.remove(STAGING_NAME); // a stop's leftover: nothing followed it
    ztplatform::DurableWrite record(sys);
    if (record.create(STAGING_NAME) && record.write(bytes) && record.commit(RECORD_NAME, !replace))
        return true;
    const int error = record.error() ? record.error() : EIO;
    qWarning() << "the change record was not written:" << record.errorString();
    // Not surely on the disk: no change follows it.
    if (record.isRenamed() && !replace)
        sys.remove(RECORD_NAME);
    errno = error;
    return false;
}

// The record walked (under `name`) leaves SYS, and SYS is forced to the
// disk; a record under the other name is another change's. A record removed
// whose SYS could not be forced to the disk sets out->notSynced.
bool dropRecord(const Pad &pad, const QString &name = RECORD_NAME, Outcome *out = nullptr)
{
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    if (!sys.remove(name))
        return false;
    if (sys.sync())
        return true;
    if (!out)
        return false;
    out->notSynced = true;
    out->error = out->error ? out->error : (errno ? errno : EIO);
    qWarning() << "SYS did not reach the disk after the change record left it";
    return true;
}

// From now on the record is undone, whatever later loads find.
bool turnBack(const Pad &pad)
{
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    return pairfiles::moveEntry(sys, RECORD_NAME, sys, UNDO_NAME) && sys.sync();
}

// A step refused because the pad left its place: said as such, not as a
// refusal of the pad's.
void noteAway(const Pad &pad, Outcome &out)
{
    out.away = out.refused && !pad.base(Area::Sys).isOpen();
}

// The undo of a walk that cannot go on, the record turned back first.
void takeBack(Walk &walk, const Pad &sys, bool alreadyBack, Outcome &out, bool recorded = true)
{
    if (!alreadyBack && !turnBack(sys)) {
        out.refused = true;
        out.pending = recorded && walk.canFinishDurably();
        out.missing = walk.whereLines();
        noteAway(sys, out);
        return;
    }
    walk.locateAll();
    if (walk.undo() && dropRecord(sys, UNDO_NAME, &out))
        return;
    out.refused = true;
    out.missing = walk.whereLines();
    noteAway(sys, out);
}

QString asideName(int n)
{
    return UNREADABLE_NAME + QLatin1Char('-') + QString::number(n) + QStringLiteral(".bin");
}

constexpr int ASIDE_MAX = 999;

// Anything at the record's name that cannot be read is to be kept aside
// under the first free visible name, once its load has told it: until then
// it stays, and every load names it. Nothing else is touched.
void keepAside(const ztplatform::OpenFolder &sys, const QString &name, Outcome &out)
{
    out.unreadable = true;
    out.asideFrom = name;
    for (int n = 1; n <= ASIDE_MAX; ++n) {
        const QString aside = asideName(n);
        if (!sys.exists(aside) && !sys.isLink(aside)) {
            out.keptAs = aside;
            return;
        }
    }
    qWarning() << "no name is free to keep the unreadable change record aside";
    out.refused = true;
    out.asideFull = true;
}

} // namespace

bool setAside(Pad &pad, const QString &from, const QString &as)
{
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    if (from != RECORD_NAME && from != UNDO_NAME && from != STAGING_NAME)
        return false;
    // The name told, or the next free one when another took it since.
    errno = EEXIST; // every name taken
    for (int n = 0; n <= ASIDE_MAX; ++n) {
        const QString aside = n == 0 ? as : asideName(n);
        if (aside.isEmpty() || sys.exists(aside) || sys.isLink(aside)) {
            errno = EEXIST;
            continue;
        }
        if (!pairfiles::moveEntry(sys, from, sys, aside))
            break;
        if (sys.sync())
            return true;
        const int error = errno;
        qWarning() << "SYS did not reach the disk after the change record was kept aside";
        errno = error;
        return false;
    }
    const int error = errno ? errno : EIO;
    qWarning() << "the unreadable change record could not be kept aside:" << std::strerror(error);
    errno = error;
    return false;
}

bool recordPresent(Pad &pad)
{
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    // One look at each name: a link there exists too.
    return sys.exists(RECORD_NAME) || sys.exists(UNDO_NAME);
}

bool begin(Pad &pad, const Record &record)
{
    if (writeRecord(pad, encode(record)))
        return true;
    qWarning() << "cannot write the change record:" << std::strerror(errno);
    return false;
}

Outcome abandon(Pad &pad, const Record &record)
{
    Outcome out;
    out.found = true;
    Walk walk(pad, record, out);
    takeBack(walk, pad, false, out);
    return out;
}

Outcome run(Pad &pad, const Record &record, const std::function<bool(const Step &, int fd)> &create, bool begun,
            const QVector<Stamp> &seen)
{
    Outcome out;
    out.purpose = record.purpose;
    const bool written = writeRecord(pad, encode(record), begun);
    if (!written) {
        out.refused = true;
        out.error = errno;
        qWarning() << "cannot write the change record:" << std::strerror(errno);
        if (!begun)
            return out;
    }
    out.found = true;
    Walk walk(pad, record, out, seen, true);
    walk.locateAll();
    if (written && walk.canFinish() && walk.finish(create) && dropRecord(pad))
        return out;
    if (out.finished) {
        out.refused = true; // only the record's removal failed: the next load ends it
        return out;
    }
    // What was done is taken back; the write-back has no old bytes of every file,
    // and a file removed is gone: the next load finishes those.
    if (record.purpose == Purpose::WriteBack && out.refused) {
        out.pending = written;
        return out;
    }
    if (removesOnly(record) && written && out.changed) {
        out.refused = true;
        out.pending = true;
        noteAway(pad, out);
        return out;
    }
    if (out.refused && !pad.base(Area::Sys).isOpen()) {
        out.pending = written && walk.canFinishDurably();
        out.missing = walk.whereLines();
        noteAway(pad, out);
        return out;
    }
    out.refused = false;
    takeBack(walk, pad, false, out, written);
    return out;
}

Outcome recover(Pad &pad)
{
    Outcome out;
    const ztplatform::OpenFolder sys = pad.base(Area::Sys);
    if (!sys.isOpen())
        return out;
    if (sys.exists(STAGING_NAME)) {
        // Never at the record's name: nothing was changed after it. What is
        // not a regular file there is no record of the editor's, and would
        // keep every later record from being written.
        if (pairfiles::regularSize(sys, STAGING_NAME) < 0) {
            qWarning() << "something that is no record stands at the staging name; kept aside";
            out.found = true;
            keepAside(sys, STAGING_NAME, out);
            return out;
        }
        // Beside the record it may be the record's second name (a rename cut
        // short on FAT): then it is kept under a name of its own.
        const QString record = sys.exists(UNDO_NAME) ? QString(UNDO_NAME) : QString(RECORD_NAME);
        QString copy;
        const bool gone = sys.exists(record)
                ? pairfiles::dropSecondName(sys, STAGING_NAME, sys, record, QStringLiteral(".copy-of-zt-journal"),
                                            QString(), &copy)
                : sys.remove(STAGING_NAME);
        if (gone && sys.sync())
            out.changed = true;
        if (!copy.isEmpty())
            out.twins << sysTwinLine(record, copy);
    }
    const bool back = sys.exists(UNDO_NAME) || sys.isLink(UNDO_NAME);
    const QString name = back ? QString(UNDO_NAME) : QString(RECORD_NAME);
    if (!sys.exists(name) && !sys.isLink(name))
        return out;
    out.found = true;
    Record record;
    if (!decode(pairfiles::readRegular(sys, name, RECORD_MAX), &record) || !isEditorsRecord(record)) {
        qWarning() << "the pad holds a change record that cannot be read; kept aside";
        keepAside(sys, name, out);
        return out;
    }
    out.purpose = record.purpose;
    Walk walk(pad, record, out);
    walk.locateAll();
    const bool finishes = !back && (record.purpose == Purpose::WriteBack || walk.canFinish());
    if (finishes) {
        if (!walk.finish({})) {
            out.refused = true;
            noteAway(pad, out);
            if (out.away)
                out.missing = walk.whereLines();
            return out;
        }
        out.alreadyDone = !out.changed && out.missing.isEmpty() && out.putFailed.isEmpty() && out.kept.isEmpty()
                && out.left.isEmpty();
        if (!dropRecord(pad, RECORD_NAME, &out)) {
            // Every change is on the pad: the next load finds nothing left to do.
            out.recordStays = true;
            out.error = errno ? errno : EIO;
            qWarning() << "the finished change record could not be removed:" << std::strerror(out.error);
        }
        return out;
    }
    takeBack(walk, pad, back, out);
    return out;
}

namespace {

// The numbers in order, each run of three or more as one range ("4–9").
QString numberRuns(QVector<int> list)
{
    std::sort(list.begin(), list.end());
    return namerules::rangeItems(list).join(QStringLiteral(", "));
}

// A record that failed its checks, and where it was kept.
QStringList describeUnreadable(const Outcome &o)
{
    QStringList lines;
    lines << DeviceText::tr("The sampler pad holds a change record the editor cannot read or did not write; it "
                            "was neither finished nor taken back.");
    if (!o.keptAs.isEmpty())
        lines << DeviceText::tr("It is kept aside as %1 in the SYS folder.").arg(o.keptAs);
    else if (o.asideFull)
        lines << DeviceText::tr("It could not be kept aside: the SYS folder already holds %1 to %2.")
                         .arg(asideName(1), asideName(ASIDE_MAX));
    return lines;
}

// What a close's write-back finished from its record, file by file.
QStringList describeWriteBack(const Outcome &o)
{
    QStringList lines;
    if (o.undone)
        return {DeviceText::tr("The save of an earlier close was taken back: the sampler pad holds what it held "
                               "before that close.")};
    if (o.finished)
        lines << DeviceText::tr("The save of an earlier close was finished from its record.");
    if (!o.kitsRepaired.isEmpty())
        lines << DeviceText::tr("These kits were found torn and written again: %1.").arg(numberRuns(o.kitsRepaired));
    QVector<int> plain;
    for (int k : o.kitsWritten) {
        if (!o.kitsRepaired.contains(k))
            plain << k;
    }
    if (!plain.isEmpty())
        lines << DeviceText::tr("These kits were written: %1.").arg(numberRuns(plain));
    if (o.chainsRepaired)
        lines << DeviceText::tr("The kit chains were found torn and written again.");
    else if (o.chainsWritten)
        lines << DeviceText::tr("The kit chains were written.");
    if (o.globalWritten)
        lines << DeviceText::tr("The global settings file global.ini was written.");
    if (o.alterWritten)
        lines << DeviceText::tr("The change file alter.ini was written.");
    return lines;
}

} // namespace

QStringList describe(const Outcome &o)
{
    QStringList lines;
    if (!o.found)
        return lines;
    const QString error = ztplatform::errorText(o.error ? o.error : EIO);
    if (o.finished && o.alreadyDone) {
        lines << (o.recordStays ? DeviceText::tr("The sampler pad holds the record of an earlier change whose every "
                                                 "step was already done; the record could not be removed (%1), so "
                                                 "the next load looks at it again.")
                                          .arg(error)
                                : DeviceText::tr("The sampler pad held the record of an earlier change whose every "
                                                 "step was already done; the record was removed."));
        if (o.notSynced)
            lines << notSyncedLine(QStringLiteral("SYS"), error);
        return lines;
    }
    if (o.unreadable)
        return describeUnreadable(o);
    auto numbers = [](const QVector<quint16> &list) {
        QVector<int> wide;
        for (quint16 n : list)
            wide << n;
        return numberRuns(wide);
    };
    auto kits = numberRuns;
    switch (o.purpose) {
    case Purpose::Renumbering:
        if (o.finished) {
            lines << DeviceText::tr("A renumbering cut short was finished: the kits on the sampler pad name the "
                                    "sounds' new numbers.");
            for (const auto &r : o.renumbered)
                lines << DeviceText::tr("Sound %1 is now number %2.").arg(r.first).arg(r.second);
            if (!o.kits.isEmpty())
                lines << DeviceText::tr("These kits name the sounds by their new numbers: %1.").arg(kits(o.kits));
        } else if (o.undone && o.missing.isEmpty()) {
            lines << DeviceText::tr("A renumbering cut short was undone: the sounds keep their numbers.");
            if (!o.kits.isEmpty())
                lines << DeviceText::tr("These kits name the sounds by the numbers they had: %1.").arg(kits(o.kits));
        } else if (o.undone) {
            lines << DeviceText::tr("A renumbering cut short was undone as far as the files allow; these sounds "
                                    "were left out:");
        }
        break;
    case Purpose::AddSounds:
        if (o.finished && !o.soundsDone.isEmpty())
            lines << DeviceText::tr("These sounds were completed: %1.").arg(numbers(o.soundsDone));
        if (o.undone && !o.sounds.isEmpty())
            lines << DeviceText::tr("The adding of these sounds was taken back; they are not on the sampler pad: %1.")
                             .arg(numbers(o.sounds));
        break;
    case Purpose::DeleteSounds:
        if (o.finished && !o.soundsDone.isEmpty())
            lines << DeviceText::tr("The deletion of these sounds was finished: %1.").arg(numbers(o.soundsDone));
        if (o.undone && !o.soundsUndone.isEmpty())
            lines << DeviceText::tr("These sounds were put back: %1.").arg(numbers(o.soundsUndone));
        for (const Outcome::Left &l : o.left) {
            if (!l.gone)
                lines << DeviceText::tr("Sound %1: %2 holds other bytes than the file deleted; it stays on the "
                                        "sampler pad.")
                                 .arg(l.number)
                                 .arg(l.name);
        }
        break;
    case Purpose::WriteBack:
        lines << describeWriteBack(o);
        break;
    }
    lines << o.kept << o.twins << o.missing;
    if (o.notSynced)
        lines << notSyncedLine(QStringLiteral("SYS"), error);
    if (o.recordStays)
        lines << DeviceText::tr("Its record could not be removed (%1), so the next load looks at it again and finds "
                                "nothing left to do.")
                         .arg(error);
    if (o.refused && o.away && !o.missing.contains(notAtPlace()))
        lines << notAtPlace();
    else if (o.refused && !o.away)
        lines << refusalLine(o);
    return lines;
}

QString notSyncedLine(const QString &folders, const QString &error)
{
    return DeviceText::tr("%1 could not be forced to the disk (%2); what was put in order there may not survive a "
                          "power cut.")
            .arg(folders, error);
}

QString twinLine(int number, const QString &copy)
{
    return DeviceText::tr("Sound %1: after a power cut its file stood at two names on the sampler pad, which may "
                          "share the same place on the stick; the second name is kept as %2. Check the stick with "
                          "your computer's disk check before deleting either.")
            .arg(number)
            .arg(copy);
}

QString sysTwinLine(const QString &name, const QString &copy)
{
    return DeviceText::tr("%1 in the SYS folder: after a power cut the file stood at a second name too, which may "
                          "share the same place on the stick; that name is kept as %2. Check the stick with your "
                          "computer's disk check before deleting either.")
            .arg(name, copy);
}

QString refusalLine(const Outcome &o)
{
    if (!o.refused || o.away)
        return QString();
    return DeviceText::tr("The sampler pad refused a write (%1); the change stays recorded and the next load of the "
                          "sampler pad takes it up again.")
            .arg(ztplatform::errorText(o.error ? o.error : EIO));
}

} // namespace padjournal

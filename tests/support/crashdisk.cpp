#include "crashdisk.h"

#include "platform/disk.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kSector = 512;
constexpr int kDeepest = 64;

ztplatform::Disk &system()
{
    return ztplatform::systemDisk();
}

QPair<quint64, quint64> keyOf(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

void applyWrite(QByteArray &bytes, qint64 offset, const QByteArray &data)
{
    if (bytes.size() < offset + data.size())
        bytes.append(QByteArray(int(offset + data.size() - bytes.size()), '\0'));
    bytes.replace(int(offset), data.size(), data);
}

void applyTruncate(QByteArray &bytes, qint64 size)
{
    if (bytes.size() > size)
        bytes.truncate(int(size));
    else
        bytes.append(QByteArray(int(size - bytes.size()), '\0'));
}

// Torn writes are tried at a few places: the first sector, the middle, all
// but the last (every place for a write of up to four sectors).
QVector<int> tornSectors(int sectors)
{
    QVector<int> out;
    if (sectors <= 4) {
        for (int t = 1; t < sectors; ++t)
            out << t;
        return out;
    }
    for (int t : {1, sectors / 2, sectors - 1}) {
        if (!out.contains(t))
            out << t;
    }
    return out;
}

} // namespace

struct CrashDisk::Node {
    enum Kind { File, Folder, Link } kind = File;
    QByteArray bytes;                // a file's first bytes, a link's target
    QMap<QByteArray, int> entries;   // a folder's first entries
};

struct CrashDisk::Op {
    enum Kind { Create, Mkdir, Rename, Unlink, Arrive, Write, Truncate, SyncFile, SyncFolder };
    explicit Op(Kind k)
        : kind(k)
    {
    }
    Kind kind;
    int call = 0;
    int dir = -1, toDir = -1, node = -1;
    QByteArray name, to;
    qint64 offset = 0; // where a write goes, the size a truncation leaves
    QByteArray bytes;  // what a write or an arrival brings

    bool namesChange() const { return kind <= Arrive; }
};

using Entries = QVector<QMap<QByteArray, int>>;

struct CrashDisk::Replay {
    QVector<QByteArray> data;   // by node, as the system holds it
    QVector<QByteArray> synced; // by node, as the disk holds it
    QVector<int> lastSync;      // by node, the call of its last sync
    Entries entries;            // by node, as the system holds it
};

namespace {

void applyNames(Entries &entries, const CrashDisk::Op &op)
{
    using Op = CrashDisk::Op;
    switch (op.kind) {
    case Op::Create:
    case Op::Mkdir:
    case Op::Arrive:
        entries[op.dir].insert(op.name, op.node);
        break;
    case Op::Rename: {
        const auto from = entries[op.dir].constFind(op.name);
        if (from == entries[op.dir].cend())
            return; // a name change that did not reach the disk came before
        const int node = from.value();
        entries[op.dir].remove(op.name);
        entries[op.toDir].insert(op.to, node);
        break;
    }
    case Op::Unlink:
        entries[op.dir].remove(op.name);
        break;
    default:
        break;
    }
}

} // namespace

CrashDisk::CrashDisk(const QString &root)
    : m_root(QDir(root).absolutePath())
    , m_first(new QVector<Node>)
    , m_ops(new QVector<Op>)
{
    // The folders and files as they are now, each a node, the folder itself 0.
    struct Walk {
        CrashDisk &disk;
        int add(Node::Kind kind, const struct stat &st)
        {
            const int id = disk.m_first->size();
            disk.m_first->append(Node{kind, {}, {}});
            disk.m_nodes.insert(keyOf(st), id);
            return id;
        }
        void walk(int dirFd, int id, int depth)
        {
            const QStringList names = QDir(QStringLiteral("/proc/self/fd/%1").arg(dirFd))
                                              .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                                         | QDir::System);
            for (const QString &n : names) {
                const QByteArray name = QFile::encodeName(n);
                struct stat st;
                if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                int child = -1;
                if (S_ISDIR(st.st_mode) && depth < kDeepest) {
                    const int sub = ::openat(dirFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                    if (sub < 0)
                        continue;
                    child = add(Node::Folder, st);
                    walk(sub, child, depth + 1);
                    ::close(sub);
                } else if (S_ISLNK(st.st_mode) || S_ISREG(st.st_mode)) {
                    child = add(S_ISLNK(st.st_mode) ? Node::Link : Node::File, st);
                } else {
                    continue;
                }
                (*disk.m_first)[id].entries.insert(name, child);
            }
        }
    };
    const int fd = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        qFatal("cannot watch %s", qPrintable(m_root));
    Walk walk{*this};
    walk.walk(fd, walk.add(Node::Folder, st), 0);
    ::close(fd);
    // The bytes of the files, by their paths.
    const filetree::Tree tree = filetree::read(m_root);
    for (auto e = tree.cbegin(); e != tree.cend(); ++e) {
        struct stat at;
        if (e->kind == filetree::Entry::Folder
            || ::lstat(QFile::encodeName(m_root + QLatin1Char('/') + e.key()).constData(), &at) != 0)
            continue;
        const int id = m_nodes.value(keyOf(at), -1);
        if (id >= 0)
            (*m_first)[id].bytes = e->bytes;
    }
}

CrashDisk::~CrashDisk()
{
    delete m_first;
    delete m_ops;
}

void CrashDisk::failFrom(int n)
{
    QMutexLocker hold(&m_lock);
    m_failFrom = n;
}

bool CrashDisk::refused() const
{
    QMutexLocker hold(&m_lock);
    return m_refused;
}

int CrashDisk::calls() const
{
    QMutexLocker hold(&m_lock);
    return m_calls;
}

int CrashDisk::folderSyncs() const
{
    QMutexLocker hold(&m_lock);
    return m_folderSyncs;
}

int CrashDisk::fileSyncs() const
{
    QMutexLocker hold(&m_lock);
    return m_fileSyncs;
}

void CrashDisk::setReads(Reads reads, const QByteArray &pathEnd)
{
    QMutexLocker hold(&m_lock);
    m_reads = reads;
    m_readsEnd = pathEnd;
    m_readsReleased.wakeAll();
}

void CrashDisk::releaseReads()
{
    setReads(Reads::Pass);
}

int CrashDisk::readsStopped() const
{
    QMutexLocker hold(&m_lock);
    return m_readsStopped;
}

int CrashDisk::readsHeld() const
{
    QMutexLocker hold(&m_lock);
    return m_readsHeld;
}

bool CrashDisk::lookPasses(int fd)
{
    QMutexLocker hold(&m_lock);
    const auto stops = [&] {
        if (m_reads == Reads::Pass)
            return false;
        char path[4096];
        const ssize_t n = ::readlink(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), path,
                                     sizeof path);
        return n > 0 && QByteArray(path, int(n)).endsWith(m_readsEnd);
    };
    if (stops()) {
        ++m_readsStopped;
        if (m_reads == Reads::Fail) {
            errno = EIO;
            return false;
        }
        ++m_readsHeld;
        while (m_reads == Reads::Hold)
            m_readsReleased.wait(&m_lock);
        --m_readsHeld;
    }
    return true;
}

qint64 CrashDisk::read(int fd, char *data, qint64 size, qint64 offset)
{
    return lookPasses(fd) ? Disk::read(fd, data, size, offset) : -1;
}

int CrashDisk::list(int dir, QVector<ztplatform::ListedEntry> *entries)
{
    return lookPasses(dir) ? Disk::list(dir, entries) : -1;
}

bool CrashDisk::admit()
{
    ++m_calls;
    if (m_failFrom > 0 && m_calls >= m_failFrom) {
        m_refused = true;
        errno = EIO;
        return false;
    }
    return true;
}

int CrashDisk::nodeOfFd(int fd) const
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? m_nodes.value(keyOf(st), -1) : -1;
}

int CrashDisk::folderOf(int dir, const QByteArray &name, QByteArray *leaf) const
{
    const int slash = name.lastIndexOf('/');
    *leaf = slash < 0 ? name : name.mid(slash + 1);
    struct stat st;
    if (slash < 0)
        return (dir == AT_FDCWD ? ::stat(".", &st) : ::fstat(dir, &st)) == 0 ? m_nodes.value(keyOf(st), -1) : -1;
    const QByteArray folder = slash == 0 ? QByteArray("/") : name.left(slash);
    return ::fstatat(dir, folder.constData(), &st, 0) == 0 && S_ISDIR(st.st_mode) ? m_nodes.value(keyOf(st), -1) : -1;
}

int CrashDisk::newNode(int fd, bool folder)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return -1;
    const int id = m_first->size();
    m_first->append(Node{folder ? Node::Folder : Node::File, {}, {}});
    m_nodes.insert(keyOf(st), id);
    return id;
}

void CrashDisk::record(const Op &op)
{
    Op o = op;
    o.call = m_calls;
    m_ops->append(o);
}

int CrashDisk::openAt(int dir, const QByteArray &name, int flags, mode_t mode)
{
    const bool changes = (flags & (O_CREAT | O_TRUNC)) != 0;
    if (!changes)
        return system().openAt(dir, name, flags, mode);
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    QByteArray leaf;
    const int folder = folderOf(dir, name, &leaf);
    struct stat st;
    const bool existed = ::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    const int fd = system().openAt(dir, name, flags, mode);
    if (fd < 0 || folder < 0)
        return fd;
    if (!existed) {
        Op op{Op::Create};
        op.dir = folder;
        op.name = leaf;
        op.node = newNode(fd, false);
        record(op);
    } else if (flags & O_TRUNC) {
        Op op{Op::Truncate};
        op.node = nodeOfFd(fd);
        if (op.node >= 0)
            record(op);
    }
    return fd;
}

bool CrashDisk::write(int fd, const char *data, qint64 size, qint64 offset)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return false;
    const qint64 at = offset < 0 ? ::lseek(fd, 0, SEEK_CUR) : offset;
    const bool ok = system().write(fd, data, size, offset);
    // A write that failed part-way is known where the position tells.
    const qint64 done = ok ? size : offset < 0 ? qMax<qint64>(0, ::lseek(fd, 0, SEEK_CUR) - at) : 0;
    const int node = nodeOfFd(fd);
    if (node >= 0 && done > 0) {
        Op op{Op::Write};
        op.node = node;
        op.offset = at;
        op.bytes = QByteArray(data, int(done));
        record(op);
    }
    return ok;
}

qint64 CrashDisk::writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    const qint64 at = ::lseek(fd, 0, SEEK_CUR);
    const qint64 done = perform();
    const int node = nodeOfFd(fd);
    if (node >= 0 && done > 0) {
        Op op{Op::Write};
        op.node = node;
        op.offset = at;
        op.bytes = QByteArray(data, int(qMin(done, size)));
        record(op);
    }
    return done;
}

int CrashDisk::sync(int fd, bool dataOnly)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return -1;
    // What a sync makes durable is modelled from the calls recorded: files
    // and folders are not waited on, anything else is synced as asked.
    const int r = S_ISREG(st.st_mode) || S_ISDIR(st.st_mode) ? 0 : system().sync(fd, dataOnly);
    if (r != 0)
        return r;
    const bool folder = S_ISDIR(st.st_mode);
    ++(folder ? m_folderSyncs : m_fileSyncs);
    Op op{folder ? Op::SyncFolder : Op::SyncFile};
    op.node = m_nodes.value(keyOf(st), -1);
    if (op.node >= 0)
        record(op);
    return r;
}

int CrashDisk::renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    QByteArray fromLeaf, toLeaf;
    const int source = folderOf(fromDir, from, &fromLeaf);
    const int target = folderOf(toDir, to, &toLeaf);
    const int r = system().renameAt(fromDir, from, toDir, to, noReplace);
    if (r != 0 || (source < 0 && target < 0))
        return r;
    const int error = errno;
    Op op{source < 0 ? Op::Arrive : target < 0 ? Op::Unlink : Op::Rename};
    op.dir = source < 0 ? target : source;
    op.name = source < 0 ? toLeaf : fromLeaf;
    op.toDir = target;
    op.to = toLeaf;
    if (op.kind == Op::Arrive) {
        // Brought in from outside as it stands, on the disk already.
        const int fd = ::openat(toDir, to.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        op.node = fd >= 0 ? newNode(fd, false) : -1;
        QFile in;
        if (fd >= 0 && in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            op.bytes = in.readAll();
        if (op.node < 0)
            return r;
    }
    record(op);
    errno = error;
    return r;
}

int CrashDisk::unlinkAt(int dir, const QByteArray &name, int flags)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    QByteArray leaf;
    const int folder = folderOf(dir, name, &leaf);
    const int r = system().unlinkAt(dir, name, flags);
    if (r == 0 && folder >= 0) {
        Op op{Op::Unlink};
        op.dir = folder;
        op.name = leaf;
        record(op);
    }
    return r;
}

int CrashDisk::mkdirAt(int dir, const QByteArray &name, mode_t mode)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    QByteArray leaf;
    const int folder = folderOf(dir, name, &leaf);
    const int r = system().mkdirAt(dir, name, mode);
    if (r != 0 || folder < 0)
        return r;
    const int fd = ::openat(dir, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Op op{Op::Mkdir};
    op.dir = folder;
    op.name = leaf;
    op.node = fd >= 0 ? newNode(fd, true) : -1;
    if (fd >= 0)
        ::close(fd);
    if (op.node >= 0)
        record(op);
    return r;
}

int CrashDisk::truncate(int fd, off_t size)
{
    QMutexLocker hold(&m_lock);
    if (!admit())
        return -1;
    const int r = system().truncate(fd, size);
    const int node = r == 0 ? nodeOfFd(fd) : -1;
    if (node >= 0) {
        Op op{Op::Truncate};
        op.node = node;
        op.offset = size;
        record(op);
    }
    return r;
}

int CrashDisk::chmod(int fd, mode_t mode)
{
    QMutexLocker hold(&m_lock);
    return admit() ? system().chmod(fd, mode) : -1;
}

int CrashDisk::chown(int fd, uid_t owner, gid_t group)
{
    QMutexLocker hold(&m_lock);
    return admit() ? system().chown(fd, owner, group) : -1;
}

int CrashDisk::setXattr(int fd, const char *name, const QByteArray &value)
{
    QMutexLocker hold(&m_lock);
    return admit() ? system().setXattr(fd, name, value) : -1;
}

// --- The states -------------------------------------------------------------

filetree::Tree CrashDisk::treeOf(const Replay &r) const
{
    filetree::Tree tree;
    struct Walk {
        const QVector<Node> &nodes;
        const Replay &r;
        filetree::Tree &tree;
        void walk(int folder, const QString &prefix, int depth)
        {
            const QMap<QByteArray, int> &entries = r.entries.at(folder);
            for (auto e = entries.cbegin(); e != entries.cend(); ++e) {
                const QString path = prefix + QFile::decodeName(e.key());
                const Node &n = nodes.at(e.value());
                filetree::Entry entry;
                if (n.kind == Node::Folder) {
                    entry.kind = filetree::Entry::Folder;
                    tree.insert(path, entry);
                    if (depth < kDeepest)
                        walk(e.value(), path + QLatin1Char('/'), depth + 1);
                    continue;
                }
                entry.kind = n.kind == Node::Link ? filetree::Entry::Link : filetree::Entry::File;
                entry.bytes = n.kind == Node::Link ? n.bytes : r.data.at(e.value());
                tree.insert(path, entry);
            }
        }
    };
    Walk{*m_first, r, tree}.walk(0, QString(), 0);
    return tree;
}

namespace {

// The calls played forward, one stop after the other.
class Forward
{
public:
    Forward(const QVector<CrashDisk::Node> &nodes, const QVector<CrashDisk::Op> &ops, CrashDisk::Replay &r)
        : m_nodes(nodes)
        , m_ops(ops)
        , m_r(r)
    {
        for (const CrashDisk::Node &n : nodes) {
            r.data << n.bytes;
            r.entries << n.entries;
        }
        r.synced = r.data;
        r.lastSync.fill(0, nodes.size());
        m_first = r.entries;
        // When each folder is next synced after each op.
        m_syncedBy.fill(INT_MAX, ops.size());
        QHash<int, int> next;
        for (int i = ops.size() - 1; i >= 0; --i) {
            const CrashDisk::Op &op = ops.at(i);
            if (op.kind == CrashDisk::Op::SyncFolder)
                next.insert(op.node, op.call);
            if (!op.namesChange())
                continue;
            const int a = next.value(op.dir, INT_MAX);
            const int b = op.kind == CrashDisk::Op::Rename ? next.value(op.toDir, INT_MAX) : a;
            m_syncedBy[i] = qMax(a, b);
        }
    }

    // Plays every op of a call before `call`.
    void upTo(int call)
    {
        using Op = CrashDisk::Op;
        for (; m_next < m_ops.size() && m_ops.at(m_next).call < call; ++m_next) {
            const Op &op = m_ops.at(m_next);
            switch (op.kind) {
            case Op::Write:
                applyWrite(m_r.data[op.node], op.offset, op.bytes);
                break;
            case Op::Truncate:
                applyTruncate(m_r.data[op.node], op.offset);
                break;
            case Op::SyncFile:
                m_r.synced[op.node] = m_r.data.at(op.node);
                m_r.lastSync[op.node] = op.call;
                break;
            case Op::Arrive:
                m_r.data[op.node] = op.bytes;
                m_r.synced[op.node] = op.bytes;
                applyNames(m_r.entries, op);
                break;
            case Op::SyncFolder:
                break;
            default:
                applyNames(m_r.entries, op);
            }
        }
    }

    // The name changes played so far that no folder sync before `call` holds.
    int unsyncedNames(int call) const
    {
        int n = 0;
        for (int i = 0; i < m_next; ++i)
            n += m_ops.at(i).namesChange() && m_syncedBy.at(i) >= call;
        return n;
    }

    // The entries after a power cut before `call` with `names` unsynced changes.
    Entries cutEntries(int call, int names) const
    {
        Entries e = m_first;
        for (int i = 0; i < m_next; ++i) {
            const CrashDisk::Op &op = m_ops.at(i);
            if (!op.namesChange())
                continue;
            if (m_syncedBy.at(i) >= call && names-- <= 0)
                continue;
            applyNames(e, op);
        }
        return e;
    }

    // As cutEntries(), with the next unsynced name change, when it moves a
    // file across folders, half on the disk: the new name made, the old one
    // not yet removed (as FAT leaves it). False when that change is none such.
    bool doubledEntries(int call, int names, Entries *out) const
    {
        Entries e = m_first;
        bool doubled = false;
        for (int i = 0; i < m_next; ++i) {
            const CrashDisk::Op &op = m_ops.at(i);
            if (!op.namesChange())
                continue;
            if (m_syncedBy.at(i) >= call && names-- <= 0) {
                // Only the first change the cut loses, and only a move between folders.
                if (names == -1 && op.kind == CrashDisk::Op::Rename && op.dir != op.toDir
                    && e[op.dir].contains(op.name)) {
                    e[op.toDir].insert(op.to, e[op.dir].value(op.name));
                    doubled = true;
                }
                continue;
            }
            applyNames(e, op);
        }
        *out = e;
        return doubled;
    }

    // The writes played so far that no sync of their file holds yet.
    QVector<int> unsyncedWrites() const
    {
        QVector<int> out;
        for (int i = 0; i < m_next; ++i) {
            const CrashDisk::Op &op = m_ops.at(i);
            if (op.kind == CrashDisk::Op::Write && m_r.lastSync.at(op.node) < op.call)
                out << i;
        }
        return out;
    }

    const CrashDisk::Op &op(int i) const { return m_ops.at(i); }

private:
    const QVector<CrashDisk::Node> &m_nodes;
    const QVector<CrashDisk::Op> &m_ops;
    CrashDisk::Replay &m_r;
    Entries m_first;
    QVector<int> m_syncedBy;
    int m_next = 0;
};

} // namespace

filetree::Tree CrashDisk::killedAt(int k) const
{
    QMutexLocker hold(&m_lock);
    Replay r;
    Forward f(*m_first, *m_ops, r);
    f.upTo(k);
    return treeOf(r);
}

filetree::Tree CrashDisk::powerCutAt(int k, int names) const
{
    QMutexLocker hold(&m_lock);
    Replay r;
    Forward f(*m_first, *m_ops, r);
    f.upTo(k);
    Replay cut = r;
    cut.entries = f.cutEntries(k, names);
    cut.data = r.synced;
    return treeOf(cut);
}

QString CrashDisk::State::describe() const
{
    switch (stop) {
    case Stop::Killed:
        return QStringLiteral("killed before call %1").arg(before);
    case Stop::PowerCut:
        return QStringLiteral("power cut before call %1, %2 unsynced name changes on the disk%3")
                .arg(before)
                .arg(names)
                .arg(bothNames ? QStringLiteral(", the next a move left at both its names") : QString());
    case Stop::Torn:
        return QStringLiteral("power cut before call %1, a write torn after %2 sectors").arg(before).arg(sectors);
    }
    return QString();
}

QVector<CrashDisk::State> CrashDisk::states() const
{
    QMutexLocker hold(&m_lock);
    QVector<State> out;
    QHash<QByteArray, int> seen; // digest -> state
    int unsynced = 0; // unsynced name changes at the stop
    auto add = [&](State s) {
        const QByteArray d = filetree::digest(s.tree);
        const auto at = seen.constFind(d);
        s.someNames = s.stop == Stop::PowerCut && s.names > 0 && s.names < unsynced;
        if (at != seen.cend()) {
            out[at.value()].ways |= 1 << int(s.stop);
            out[at.value()].someNames |= s.someNames;
            out[at.value()].bothNames |= s.bothNames;
            return;
        }
        s.ways = 1 << int(s.stop);
        seen.insert(d, out.size());
        out << s;
    };
    Replay r;
    Forward f(*m_first, *m_ops, r);
    for (int k = 1; k <= m_calls + 1; ++k) {
        f.upTo(k);
        unsynced = f.unsyncedNames(k);
        add(State{Stop::Killed, k, 0, 0, treeOf(r)});
        Replay cut = r;
        cut.data = r.synced;
        for (int p = 0; p <= unsynced; ++p) {
            cut.entries = f.cutEntries(k, p);
            add(State{Stop::PowerCut, k, p, 0, treeOf(cut)});
        }
        // A move between folders at both its names.
        for (int p = 0; p < unsynced; ++p) {
            Replay both = cut;
            if (f.doubledEntries(k, p, &both.entries)) {
                State s{Stop::PowerCut, k, p, 0, treeOf(both)};
                s.bothNames = true;
                add(s);
            }
        }
        cut.entries = f.cutEntries(k, unsynced);
        // cut.entries now holds every name change.
        for (int w : f.unsyncedWrites()) {
            const Op &op = f.op(w);
            const qint64 firstSector = op.offset / kSector;
            const int sectors = int((op.offset + op.bytes.size() + kSector - 1) / kSector - firstSector);
            for (int t : tornSectors(sectors)) {
                Replay torn = cut;
                const qint64 end = qMin<qint64>(op.offset + op.bytes.size(), (firstSector + t) * kSector);
                applyWrite(torn.data[op.node], op.offset, op.bytes.left(int(end - op.offset)));
                add(State{Stop::Torn, k, unsynced, t, treeOf(torn)});
            }
        }
    }
    return out;
}

namespace {

bool stopIn(SwitchDisk *through, const QString &root, int n, const std::function<void(ztplatform::Disk &)> &work,
            bool powerCut, int *calls)
{
    CrashDisk disk(root);
    disk.failFrom(n);
    {
        const std::unique_ptr<DiskInPlace> in(through ? new DiskInPlace(*through, &disk) : nullptr);
        work(disk);
    }
    if (calls)
        *calls = disk.calls();
    if (!disk.refused())
        return false;
    if (powerCut) {
        const filetree::Tree now = filetree::read(disk.root());
        filetree::write(disk.powerCutAt(n), disk.root(), &now);
    }
    return true;
}

} // namespace

bool stopBefore(const QString &root, int n, const std::function<void(ztplatform::Disk &)> &work, bool powerCut,
                int *calls)
{
    return stopIn(nullptr, root, n, work, powerCut, calls);
}

bool stopBefore(SwitchDisk &through, const QString &root, int n, const std::function<void(ztplatform::Disk &)> &work,
                bool powerCut, int *calls)
{
    return stopIn(&through, root, n, work, powerCut, calls);
}

DiskInPlace::DiskInPlace(SwitchDisk &on, ztplatform::Disk *disk)
    : m_on(&on)
    , m_was(on.use(disk))
{
}

DiskInPlace::~DiskInPlace()
{
    m_on->use(m_was);
}

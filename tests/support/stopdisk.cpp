#include "stopdisk.h"

#include "platform/disk.h"

#include <QDebug>
#include <QMutex>
#include <QVector>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace stopdisk {

namespace {

struct Key {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Key &o) const { return dev == o.dev && ino == o.ino; }
};

Key keyOf(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? Key{st.st_dev, st.st_ino} : Key{};
}

// A file changed since its last sync: what undoes the change.
struct DirtyFile {
    Key key;
    int fd = -1; // a duplicate, so the file can be reached after its close
    off_t syncedSize = 0;
    QVector<QPair<off_t, QByteArray>> before; // bytes overwritten, in order
};

// An entry change not yet synced in its folder(s).
struct EntryChange {
    enum Kind { Create, Mkdir, Rename, Unlink, Rmdir } kind;
    int dir = -1, toDir = -1; // duplicates
    Key dirKey, toDirKey;
    QByteArray name, to;
    int replaced = -1; // what stood at `to` (or at `name` for Unlink), kept open
    mode_t mode = 0;
    bool dirSynced = false, toDirSynced = false;
};

struct Stop {
    std::atomic<int> count{0};
    std::atomic<int> at{0};
    std::atomic<bool> stopped{false};
    std::atomic<bool> drop{false};
    QMutex lock; // guards the journal
    QVector<DirtyFile> dirty;
    QVector<EntryChange> entries;
    std::atomic<bool> watched{false};
    WriteWatch watch; // under `lock`
};

Stop &stop()
{
    static Stop s;
    return s;
}

void closeAll(Stop &s)
{
    for (const DirtyFile &d : qAsConst(s.dirty))
        ::close(d.fd);
    for (const EntryChange &e : qAsConst(s.entries)) {
        for (int fd : {e.dir, e.toDir, e.replaced}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    s.dirty.clear();
    s.entries.clear();
}

bool journaling()
{
    return stop().drop.load() && stop().at.load() > 0 && !stop().stopped.load();
}

QByteArray readAllOf(int fd)
{
    QByteArray out;
    char buffer[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return out;
        out.append(buffer, int(n));
        at += n;
    }
}

// open(2) relative to `dir`, retried on EINTR: every open of the editor
// comes here, counted or (for the stop's own bookkeeping) not.
int openRetrying(int dir, const char *name, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::openat(dir, name, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void rawWrite(int fd, const QByteArray &bytes, off_t offset)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), offset + done);
        if (n <= 0 && errno != EINTR)
            return;
        if (n > 0)
            done += n;
    }
}

// A file at `name` made again with the bytes and mode of the open `from`.
void recreate(int dir, const QByteArray &name, int from, mode_t mode)
{
    const int fd = openRetrying(dir, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return;
    rawWrite(fd, readAllOf(from), 0);
    ::fchmod(fd, mode);
    ::close(fd);
}

void undo(const EntryChange &e)
{
    switch (e.kind) {
    case EntryChange::Create:
        ::unlinkat(e.dir, e.name.constData(), 0);
        break;
    case EntryChange::Mkdir:
        ::unlinkat(e.dir, e.name.constData(), AT_REMOVEDIR);
        break;
    case EntryChange::Rename:
        ::renameat(e.toDir, e.to.constData(), e.dir, e.name.constData());
        if (e.replaced >= 0)
            recreate(e.toDir, e.to, e.replaced, e.mode);
        break;
    case EntryChange::Unlink:
        if (e.replaced >= 0)
            recreate(e.dir, e.name, e.replaced, e.mode);
        break;
    case EntryChange::Rmdir:
        ::mkdirat(e.dir, e.name.constData(), e.mode);
        break;
    }
}

// What the system may not hold yet is undone: entries last to first, then
// the bytes of each file.
void dropUnsynced(Stop &s)
{
    for (int i = s.entries.size() - 1; i >= 0; --i)
        undo(s.entries.at(i));
    for (const DirtyFile &d : qAsConst(s.dirty)) {
        for (int i = d.before.size() - 1; i >= 0; --i)
            rawWrite(d.fd, d.before.at(i).second, d.before.at(i).first);
        if (::ftruncate(d.fd, d.syncedSize) != 0)
            qWarning() << "the stop could not cut a file back:" << std::strerror(errno);
    }
    closeAll(s);
}

// Counts a call that changes something; false (errno EIO) once stopped.
bool admit()
{
    Stop &s = stop();
    const int n = ++s.count;
    if (s.stopped.load()) {
        errno = EIO;
        return false;
    }
    const int at = s.at.load();
    if (at > 0 && n >= at) {
        QMutexLocker hold(&s.lock);
        if (!s.stopped.exchange(true) && s.drop.load())
            dropUnsynced(s);
        errno = EIO;
        return false;
    }
    return true;
}

void noteWrite(int fd, qint64 size, off_t offset)
{
    struct stat st;
    if (!journaling() || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return;
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    const Key key{st.st_dev, st.st_ino};
    DirtyFile *d = nullptr;
    for (DirtyFile &f : s.dirty) {
        if (f.key == key)
            d = &f;
    }
    if (!d) {
        s.dirty.append(DirtyFile{key, ::fcntl(fd, F_DUPFD_CLOEXEC, 0), st.st_size, {}});
        d = &s.dirty.last();
    }
    const qint64 inside = qMin<qint64>(size, qint64(st.st_size) - offset);
    if (inside > 0) {
        QByteArray old(int(inside), '\0');
        const ssize_t n = ::pread(fd, old.data(), size_t(inside), offset);
        old.truncate(n > 0 ? int(n) : 0);
        d->before.append({offset, old});
    }
}

void noteSync(int fd)
{
    if (!journaling())
        return;
    const Key key = keyOf(fd);
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    for (int i = s.dirty.size() - 1; i >= 0; --i) {
        if (s.dirty.at(i).key == key) {
            ::close(s.dirty.at(i).fd);
            s.dirty.removeAt(i);
        }
    }
    for (int i = s.entries.size() - 1; i >= 0; --i) {
        EntryChange &e = s.entries[i];
        e.dirSynced = e.dirSynced || e.dirKey == key;
        e.toDirSynced = e.toDirSynced || e.toDirKey == key;
        if (e.dirSynced && (e.toDir < 0 || e.toDirSynced)) {
            for (int held : {e.dir, e.toDir, e.replaced}) {
                if (held >= 0)
                    ::close(held);
            }
            s.entries.removeAt(i);
        }
    }
}

// The entry as it stands, kept open when it is a regular file.
int holdEntry(int dir, const QByteArray &name, mode_t *mode)
{
    struct stat st;
    if (::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return -1;
    *mode = st.st_mode & 07777;
    return openRetrying(dir, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// The folder and entry a name given relative to `dir` stands for, with a
// descriptor of the folder the journal may keep (a duplicate).
struct Place {
    int dir = -1;
    QByteArray name;
};

Place placeOf(int dir, const QByteArray &name)
{
    Place p;
    const int slash = name.lastIndexOf('/');
    if (slash < 0) {
        p.dir = dir == AT_FDCWD ? openRetrying(AT_FDCWD, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                            : ::fcntl(dir, F_DUPFD_CLOEXEC, 0);
        p.name = name;
        return p;
    }
    const QByteArray folder = slash == 0 ? QByteArray("/") : name.left(slash);
    p.dir = openRetrying(dir, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    p.name = name.mid(slash + 1);
    return p;
}

void noteEntry(EntryChange::Kind kind, const Place &at, const Place &to = Place(), int replaced = -1,
               mode_t mode = 0)
{
    EntryChange e{kind, at.dir, to.dir, keyOf(at.dir), to.dir >= 0 ? keyOf(to.dir) : Key{}, at.name, to.name,
                  replaced, mode, false, false};
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    s.entries.append(e);
}

void release(Place &p)
{
    if (p.dir >= 0)
        ::close(p.dir);
    p.dir = -1;
}

void watch(Watched call, int fd, qint64 size)
{
    Stop &s = stop();
    if (s.watched.load()) {
        QMutexLocker hold(&s.lock);
        if (s.watch)
            s.watch(call, fd, size);
    }
}

// Counts a write of `size` bytes at `offset` of the open `fd`; false (errno
// EIO) once stopped.
bool admitWrite(int fd, qint64 size, off_t offset)
{
    if (!admit())
        return false;
    noteWrite(fd, size, offset);
    watch(Watched::Write, fd, size);
    return true;
}


// Passes each call to the system, counted and noted for the stop.
class StopDisk final : public ztplatform::Disk
{
public:
    int openAt(int dir, const QByteArray &name, int flags, mode_t mode) override
    {
        const bool changes = (flags & (O_CREAT | O_TRUNC)) != 0;
        if (changes && !admit())
            return -1;
        bool existed = true;
        if (changes && journaling()) {
            struct stat st;
            existed = ::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
            if (existed && (flags & O_TRUNC) && S_ISREG(st.st_mode)) {
                const int old = openRetrying(dir, name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
                if (old >= 0) {
                    noteWrite(old, st.st_size, 0);
                    ::close(old);
                }
            }
        }
        const int fd = system().openAt(dir, name, flags, mode);
        if (fd >= 0 && !existed && journaling())
            noteEntry(EntryChange::Create, placeOf(dir, name));
        if (fd >= 0 && changes)
            watch(Watched::Open, fd, 0);
        return fd;
    }

    bool write(int fd, const char *data, qint64 size, qint64 offset) override
    {
        if (!admitWrite(fd, size, offset < 0 ? ::lseek(fd, 0, SEEK_CUR) : off_t(offset)))
            return false;
        return system().write(fd, data, size, offset);
    }

    qint64 writeWith(int fd, const char *, qint64 size, const std::function<qint64()> &perform) override
    {
        if (!admitWrite(fd, size, ::lseek(fd, 0, SEEK_CUR)))
            return -1;
        return perform();
    }

    int sync(int fd, bool dataOnly) override
    {
        if (!admit())
            return -1;
        const int r = system().sync(fd, dataOnly);
        if (r == 0)
            noteSync(fd);
        return r;
    }

    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace) override
    {
        if (!admit())
            return -1;
        const bool journal = journaling();
        Place source, target;
        int replaced = -1;
        mode_t mode = 0;
        if (journal) {
            source = placeOf(fromDir, from);
            target = placeOf(toDir, to);
            replaced = holdEntry(target.dir, target.name, &mode);
        }
        const int r = system().renameAt(fromDir, from, toDir, to, noReplace);
        const int error = errno;
        if (r == 0 && journal) {
            noteEntry(EntryChange::Rename, source, target, replaced, mode);
        } else {
            release(source);
            release(target);
            if (replaced >= 0)
                ::close(replaced);
        }
        errno = error;
        return r;
    }

    int unlinkAt(int dir, const QByteArray &name, int flags) override
    {
        if (!admit())
            return -1;
        const bool journal = journaling();
        Place at;
        mode_t mode = 0755;
        int held = -1;
        if (journal) {
            at = placeOf(dir, name);
            if (!(flags & AT_REMOVEDIR))
                held = holdEntry(at.dir, at.name, &mode);
        }
        const int r = system().unlinkAt(dir, name, flags);
        const int error = errno;
        if (r == 0 && journal) {
            noteEntry((flags & AT_REMOVEDIR) ? EntryChange::Rmdir : EntryChange::Unlink, at, Place(), held, mode);
        } else {
            release(at);
            if (held >= 0)
                ::close(held);
        }
        errno = error;
        return r;
    }

    int mkdirAt(int dir, const QByteArray &name, mode_t mode) override
    {
        if (!admit())
            return -1;
        const int r = system().mkdirAt(dir, name, mode);
        const int error = errno;
        if (r == 0 && journaling())
            noteEntry(EntryChange::Mkdir, placeOf(dir, name), Place(), -1, mode);
        errno = error;
        return r;
    }

    int truncate(int fd, off_t size) override
    {
        if (!admit())
            return -1;
        struct stat st;
        if (::fstat(fd, &st) == 0 && st.st_size > size)
            noteWrite(fd, st.st_size - size, size);
        else
            noteWrite(fd, 0, size);
        return system().truncate(fd, size);
    }

    int chmod(int fd, mode_t mode) override { return admit() ? system().chmod(fd, mode) : -1; }
    int chown(int fd, uid_t owner, gid_t group) override { return admit() ? system().chown(fd, owner, group) : -1; }
    int setXattr(int fd, const char *name, const QByteArray &value) override
    {
        return admit() ? system().setXattr(fd, name, value) : -1;
    }

private:
    static ztplatform::Disk &system() { return ztplatform::systemDisk(); }
};

// Put in place of the editor's disk at the first use.
void install()
{
    static StopDisk disk;
    static const bool installed = (ztplatform::sysio::setDisk(&disk), true);
    Q_UNUSED(installed);
}

} // namespace

int callCount()
{
    install();
    return stop().count.load();
}

void resetCount()
{
    install();
    stop().count = 0;
}

void stopAt(int n, bool dropUnsynced)
{
    install();
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    closeAll(s);
    s.count = 0;
    s.stopped = false;
    s.drop = dropUnsynced;
    s.at = n;
}

bool stopped()
{
    return stop().stopped.load();
}

void resume()
{
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    closeAll(s);
    s.at = 0;
    s.stopped = false;
    s.drop = false;
}

void setWriteWatch(WriteWatch watch)
{
    install();
    Stop &s = stop();
    QMutexLocker hold(&s.lock);
    s.watch = std::move(watch);
    s.watched = bool(s.watch);
}

} // namespace stopdisk

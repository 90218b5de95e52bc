#ifndef ZT_PLATFORM_DISK_H
#define ZT_PLATFORM_DISK_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QVector>
#include <QtGlobal>

#include <sys/types.h>

#include <functional>

struct stat;
struct statfs;
struct statx;

namespace ztplatform {

// A change an open folder made through its disk: an entry opened for writing
// or removed, a file or a folder forced to the disk.
enum class FileEvent { OpenedForWriting, Removed, Synced };

// An entry as a folder lists it: its name and type (st_mode & S_IFMT of what
// stands at the name, a link not followed); type 0 when the listing does not
// tell it.
struct ListedEntry
{
    QByteArray name;
    unsigned type = 0;
};

// The calls by which the editor opens and changes files and folders. Writers
// are handed one; the editor's own goes straight to the system, and tests put
// one in its place that watches, refuses or records the calls. Each call keeps
// the system call's contract: -1 (false for write) with errno set on failure.
class Disk
{
public:
    virtual ~Disk();

    // openat(2). An open that may create or truncate changes the disk.
    virtual int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) = 0;
    // Every byte, at the file's position (offset < 0) or at `offset`; a short
    // write is continued. False at the first failure (ENOSPC when the system
    // takes nothing).
    virtual bool write(int fd, const char *data, qint64 size, qint64 offset = -1) = 0;
    // The same write at the file's position made by another layer (Qt's file
    // engine): `perform` makes it and gives its count, -1 on failure. The
    // system's disk just lets it happen.
    virtual qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) = 0;
    // read(2) at the file's position (offset < 0), pread(2) at `offset`: up
    // to `size` bytes, fewer at the end, 0 at the end; only a look, the
    // system's unless a disk answers itself.
    virtual qint64 read(int fd, char *data, qint64 size, qint64 offset = -1);
    // fsync(2), or fdatasync(2) with `dataOnly`: a file's bytes or a folder's
    // entries forced to the disk.
    virtual int sync(int fd, bool dataOnly = false) = 0;
    // syncfs(2): everything written to the file system that holds `fd`
    // forced to the disk at once. A disk that cannot says ENOSYS (the
    // default); the caller then syncs each file itself.
    virtual int syncFileSystem(int fd);
    // sync_file_range(2): the bytes of [offset, offset + length) started on
    // their way to the disk, and with `wait` waited for; where they lie and
    // the disk's own cache are left to a sync. A disk that cannot says ENOSYS
    // (the default); the caller then syncs the file itself.
    virtual int writeBack(int fd, qint64 offset, qint64 length, bool wait);
    // copy_file_range(2): up to `size` bytes of `from` at `fromOffset`
    // copied into `to` at `toOffset` by the system, without a trip through
    // the editor's memory; the count, fewer at the end of `from`. Neither
    // file's position moves. A disk that cannot says ENOSYS (the default);
    // the caller then reads and writes itself.
    virtual qint64 copyRange(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 size);
    // renameat(2); with `noReplace` nothing standing at `to` is replaced.
    virtual int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                         bool noReplace = false) = 0;
    virtual int unlinkAt(int dir, const QByteArray &name, int flags = 0) = 0;
    virtual int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755) = 0;
    virtual int truncate(int fd, off_t size) = 0;
    virtual int chmod(int fd, mode_t mode) = 0;
    virtual int chown(int fd, uid_t owner, gid_t group) = 0;
    virtual int setXattr(int fd, const char *name, const QByteArray &value) = 0;
    // fstatat(2): only a look, the system's unless a disk answers itself
    // (a test's drive that does not answer).
    virtual int statAt(int dir, const QByteArray &name, struct stat *st, int flags = 0);
    // fstat(2) of an open file: a look as well.
    virtual int stat(int fd, struct stat *st);
    // flock(2) of an open file: `operation` LOCK_SH, LOCK_EX or LOCK_UN, with
    // LOCK_NB not to wait. The system's unless a disk answers itself.
    virtual int lock(int fd, int operation);
    // faccessat(2): whether the editor may use `name` as `mode` asks; a look.
    virtual int accessAt(int dir, const QByteArray &name, int mode, int flags = 0);
    // statx(2) of the fields in `mask`: a look as well.
    virtual int statxAt(int dir, const QByteArray &name, int flags, unsigned mask, struct statx *sx);
    // realpath(3) into `resolved`: also only a look, the system's unless a
    // disk answers itself.
    virtual int realPath(const QByteArray &name, QByteArray *resolved);
    // readlinkat(2) into `target`: the text of the link `name`; a look as well.
    virtual int readLinkAt(int dir, const QByteArray &name, QByteArray *target);
    // symlinkat(2): a link at `name` leading to `target`. The system's
    // unless a disk answers itself.
    virtual int symlinkAt(const QByteArray &target, int dir, const QByteArray &name);
    // linkat(2), a link never followed: a second name for the file `from`.
    // The system's unless a disk answers itself.
    virtual int linkAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to);
    // Every entry of the open folder `dir` from its start, "." and ".." left
    // out, into `entries`: a look, the system's unless a disk answers itself.
    virtual int list(int dir, QVector<ListedEntry> *entries);
    // The extended attributes of the file at `path` (a link followed), each
    // name with its value, into `attributes`: a look as well; one that goes
    // while read is left out.
    virtual int attributesAt(const QByteArray &path, QVector<QPair<QByteArray, QByteArray>> *attributes);
    // fstatfs(2) of an open file: a look as well.
    virtual int statFileSystem(int fd, struct statfs *st);
    // ioctl(2) of an open file for a request that only reads into `arg`
    // (its flags, its attributes): a look as well.
    virtual int readControl(int fd, unsigned long request, void *arg);
    // Told after an open folder made a change: `fd` the folder (for a sync,
    // the file or folder synced), `name` the entry (empty for a sync).
    // Nothing by default; a test's disk watches the changes.
    virtual void changed(FileEvent event, int fd, const QByteArray &name);
    // Whether the regular files at the two entries may lie in the same place
    // on the medium, so that removing either frees the other's bytes (a FAT
    // rename cut by a power cut). True when unsure; false off FAT. A look,
    // the system's unless a disk answers itself.
    virtual bool mayShareStorage(int dirA, const QByteArray &nameA, int dirB, const QByteArray &nameB);
};

// The system itself: every call retried while it is interrupted (EINTR).
class SystemDisk final : public Disk
{
public:
    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override;
    bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override;
    qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override;
    int sync(int fd, bool dataOnly = false) override;
    int syncFileSystem(int fd) override;
    int writeBack(int fd, qint64 offset, qint64 length, bool wait) override;
    qint64 copyRange(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 size) override;
    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                 bool noReplace = false) override;
    int unlinkAt(int dir, const QByteArray &name, int flags = 0) override;
    int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755) override;
    int truncate(int fd, off_t size) override;
    int chmod(int fd, mode_t mode) override;
    int chown(int fd, uid_t owner, gid_t group) override;
    int setXattr(int fd, const char *name, const QByteArray &value) override;
};

// The one system disk.
Disk &systemDisk();

// Up to `most` bytes of the open file `fd` from its start, read through
// `disk`; fewer only at the file's end. False, with errno and nothing kept,
// when a read fails.
bool readStart(Disk &disk, int fd, qint64 most, QByteArray *bytes);

} // namespace ztplatform

#endif

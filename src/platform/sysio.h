#ifndef ZT_PLATFORM_SYSIO_H
#define ZT_PLATFORM_SYSIO_H

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/types.h>

#include <functional>

// The editor's calls that change files and folders. Every create, write,
// sync, rename, remove, mkdir, truncate and mode or owner change goes through
// here, so that tests can stop the editor at any one of them (the stop
// section below). Each call keeps the system call's own contract: -1 (or
// false) with errno set on failure; an interrupted call is retried.
namespace ztplatform::sysio {

// open(2)/openat(2) retried on EINTR. An open that may create or truncate
// counts as a write; any other open is not one.
int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0);
int open(const QString &path, int flags, mode_t mode = 0);

// Writes every byte (short writes continued); false at the first failure.
bool writeAll(int fd, const char *data, qint64 size);
bool pwriteAll(int fd, const char *data, qint64 size, qint64 offset);
// fsync(2), or fdatasync(2) with `dataOnly`.
int sync(int fd, bool dataOnly = false);
// renameat(2); with `noReplace` nothing standing at `to` is replaced
// (renameat2 RENAME_NOREPLACE, looked at first where the file system lacks it).
int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace = false);
int unlinkAt(int dir, const QByteArray &name, int flags = 0);
int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755);
int truncate(int fd, off_t size);
int chmod(int fd, mode_t mode);
int chown(int fd, uid_t owner, gid_t group);
int setXattr(int fd, const char *name, const QByteArray &value);

// A file whose writes go through writeAll, opened unbuffered so that each
// write reaches the system when it is made. error() stays Qt's own;
// failure() tells why the last write the stop below refused failed.
class SeamFile : public QFile
{
public:
    using QFile::QFile;
    bool openDescriptor(int fd, OpenMode mode, FileHandleFlags handleFlags);
    int failure() const { return m_failure; }

protected:
    qint64 writeData(const char *data, qint64 len) override;

private:
    int m_failure = 0;
};

// --- The stop, for tests ---------------------------------------------------
// Counted are the calls above that change something (the counted opens).

// Calls counted since the last resetCount() or stopAt().
int callCount();
void resetCount();
// The n-th counted call from now (1 is the next) and every one after fail
// with EIO, as if the machine had stopped there. With `dropUnsynced`, at that
// moment every change the system may not yet hold is undone too: bytes
// written since the file's last sync, and entries made, renamed or removed
// since their folder's last sync.
void stopAt(int n, bool dropUnsynced = false);
// True once the stop came.
bool stopped();
// Writes reach the system again (the editor "started again").
void resume();

// Sees, on the calling thread, each open that may create or truncate once
// it is made (size 0) and each write let through before it is made: the
// descriptor and the byte count. Empty ends the watch.
enum class Watched { Open, Write };
using WriteWatch = std::function<void(Watched call, int fd, qint64 size)>;
void setWriteWatch(WriteWatch watch);

} // namespace ztplatform::sysio

#endif

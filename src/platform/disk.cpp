#include "platform/disk.h"

#include "platform/descriptor.h"
#include "platform/pathcase.h"
#include "platform/storageextents.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ztplatform {

namespace {

// The call again while a signal interrupts it.
template<typename Call>
auto retried(Call call)
{
    decltype(call()) r;
    do {
        r = call();
    } while (r < 0 && errno == EINTR);
    return r;
}

int renameNoReplace(int fromDir, const QByteArray &from, int toDir, const QByteArray &to)
{
#ifdef RENAME_NOREPLACE
    const int r = retried([&] { return ::renameat2(fromDir, from.constData(), toDir, to.constData(), RENAME_NOREPLACE); });
    if (r == 0 || (errno != EINVAL && errno != ENOSYS))
        return r;
#endif
    // A file system without the flag: looked at, then renamed.
    struct stat st;
    if (::fstatat(toDir, to.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return retried([&] { return ::renameat(fromDir, from.constData(), toDir, to.constData()); });
}

} // namespace

Disk::~Disk() = default;

bool readStart(Disk &disk, int fd, qint64 most, QByteArray *bytes)
{
    bytes->resize(int(most));
    qint64 got = 0;
    while (got < most) {
        const qint64 n = disk.read(fd, bytes->data() + got, most - got, got);
        if (n < 0) {
            bytes->clear();
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes->truncate(int(got));
    return true;
}

qint64 Disk::read(int fd, char *data, qint64 size, qint64 offset)
{
    return retried([&] {
        return offset < 0 ? ::read(fd, data, size_t(size)) : ::pread(fd, data, size_t(size), off_t(offset));
    });
}

int Disk::statAt(int dir, const QByteArray &name, struct stat *st, int flags)
{
    return retried([&] { return ::fstatat(dir, name.constData(), st, flags); });
}

int Disk::stat(int fd, struct stat *st)
{
    return retried([&] { return ::fstat(fd, st); });
}

int Disk::lock(int fd, int operation)
{
    return retried([&] { return ::flock(fd, operation); });
}

int Disk::accessAt(int dir, const QByteArray &name, int mode, int flags)
{
    return retried([&] { return ::faccessat(dir, name.constData(), mode, flags); });
}

int Disk::statxAt(int dir, const QByteArray &name, int flags, unsigned mask, struct statx *sx)
{
    return retried([&] { return ::statx(dir, name.constData(), flags, mask, sx); });
}

int Disk::realPath(const QByteArray &name, QByteArray *resolved)
{
    char *found = ::realpath(name.constData(), nullptr);
    if (!found)
        return -1;
    *resolved = QByteArray(found);
    ::free(found);
    return 0;
}

int Disk::readLinkAt(int dir, const QByteArray &name, QByteArray *target)
{
    QByteArray text(4096, Qt::Uninitialized);
    const ssize_t n = ::readlinkat(dir, name.constData(), text.data(), size_t(text.size()));
    if (n < 0)
        return -1;
    if (n >= text.size()) {
        errno = ENAMETOOLONG;
        return -1;
    }
    text.truncate(int(n));
    *target = text;
    return 0;
}

int Disk::linkAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to)
{
    return retried([&] { return ::linkat(fromDir, from.constData(), toDir, to.constData(), 0); });
}

bool Disk::mayShareStorage(int dirA, const QByteArray &nameA, int dirB, const QByteArray &nameB)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    const Descriptor a(openAt(dirA, nameA, flags));
    const Descriptor b(openAt(dirB, nameB, flags));
    // A name that cannot be opened is not looked into: true on FAT.
    if (!a.isOpen() || !b.isOpen())
        return isOnFatVolume(*this, dirA) || isOnFatVolume(*this, dirB);
    return ztplatform::mayShareStorage(*this, a.get(), b.get());
}

int Disk::symlinkAt(const QByteArray &target, int dir, const QByteArray &name)
{
    return retried([&] { return ::symlinkat(target.constData(), dir, name.constData()); });
}

namespace {

unsigned typeOfListed(unsigned char type)
{
    switch (type) {
    case DT_REG: return S_IFREG;
    case DT_DIR: return S_IFDIR;
    case DT_LNK: return S_IFLNK;
    case DT_FIFO: return S_IFIFO;
    case DT_CHR: return S_IFCHR;
    case DT_BLK: return S_IFBLK;
    case DT_SOCK: return S_IFSOCK;
    default: return 0;
    }
}

} // namespace

int Disk::list(int dir, QVector<ListedEntry> *entries)
{
    // Read through a copy, so that the folder's own descriptor stays as it is.
    const int own = dir >= 0 ? ::fcntl(dir, F_DUPFD_CLOEXEC, 0) : -1;
    DIR *listed = own >= 0 ? ::fdopendir(own) : nullptr;
    if (!listed) {
        const int error = dir >= 0 ? errno : EBADF;
        if (own >= 0)
            ::close(own);
        errno = error;
        return -1;
    }
    ::rewinddir(listed);
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent *e = ::readdir(listed);
        if (!e) {
            error = errno;
            break;
        }
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            entries->append({QByteArray(e->d_name), typeOfListed(e->d_type)});
    }
    ::closedir(listed);
    errno = error;
    return error ? -1 : 0;
}

int Disk::attributesAt(const QByteArray &path, QVector<QPair<QByteArray, QByteArray>> *attributes)
{
    const ssize_t size = retried([&] { return ::listxattr(path.constData(), nullptr, 0); });
    if (size < 0)
        return -1;
    QByteArray list(int(size), '\0');
    const ssize_t got = size > 0 ? retried([&] { return ::listxattr(path.constData(), list.data(), size_t(size)); }) : 0;
    if (got < 0)
        return -1;
    for (const QByteArray &name : list.left(int(got)).split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t n = retried([&] { return ::getxattr(path.constData(), name.constData(), nullptr, 0); });
        QByteArray value(int(qMax<ssize_t>(n, 0)), '\0');
        if (n >= 0
            && retried([&] { return ::getxattr(path.constData(), name.constData(), value.data(), size_t(n)); }) == n)
            attributes->append({name, value});
    }
    return 0;
}

int Disk::statFileSystem(int fd, struct statfs *st)
{
    return retried([&] { return ::fstatfs(fd, st); });
}

int Disk::readControl(int fd, unsigned long request, void *arg)
{
    return retried([&] { return ::ioctl(fd, request, arg); });
}

void Disk::changed(FileEvent, int, const QByteArray &) {}

int Disk::syncFileSystem(int)
{
    errno = ENOSYS;
    return -1;
}

int Disk::writeBack(int, qint64, qint64, bool)
{
    errno = ENOSYS;
    return -1;
}

qint64 Disk::copyRange(int, qint64, int, qint64, qint64)
{
    errno = ENOSYS;
    return -1;
}

int SystemDisk::openAt(int dir, const QByteArray &name, int flags, mode_t mode)
{
    return retried([&] { return ::openat(dir, name.constData(), flags, mode); });
}

bool SystemDisk::write(int fd, const char *data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = retried([&] {
            return offset < 0 ? ::write(fd, data, size_t(size)) : ::pwrite(fd, data, size_t(size), off_t(offset));
        });
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
        if (offset >= 0)
            offset += n;
    }
    return true;
}

qint64 SystemDisk::writeWith(int, const char *, qint64, const std::function<qint64()> &perform)
{
    return perform();
}

int SystemDisk::sync(int fd, bool dataOnly)
{
    return retried([&] { return dataOnly ? ::fdatasync(fd) : ::fsync(fd); });
}

int SystemDisk::syncFileSystem(int fd)
{
    return retried([&] { return ::syncfs(fd); });
}

int SystemDisk::writeBack(int fd, qint64 offset, qint64 length, bool wait)
{
    const unsigned flags = wait ? SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER
                                : SYNC_FILE_RANGE_WRITE;
    return retried([&] { return ::sync_file_range(fd, off_t(offset), off_t(length), flags); });
}

qint64 SystemDisk::copyRange(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 size)
{
    loff_t in = fromOffset;
    loff_t out = toOffset;
    return retried([&] { return qint64(::copy_file_range(from, &in, to, &out, size_t(size), 0)); });
}

int SystemDisk::renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace)
{
    if (noReplace)
        return renameNoReplace(fromDir, from, toDir, to);
    return retried([&] { return ::renameat(fromDir, from.constData(), toDir, to.constData()); });
}

int SystemDisk::unlinkAt(int dir, const QByteArray &name, int flags)
{
    return retried([&] { return ::unlinkat(dir, name.constData(), flags); });
}

int SystemDisk::mkdirAt(int dir, const QByteArray &name, mode_t mode)
{
    return retried([&] { return ::mkdirat(dir, name.constData(), mode); });
}

int SystemDisk::truncate(int fd, off_t size)
{
    return retried([&] { return ::ftruncate(fd, size); });
}

int SystemDisk::chmod(int fd, mode_t mode)
{
    return retried([&] { return ::fchmod(fd, mode); });
}

int SystemDisk::chown(int fd, uid_t owner, gid_t group)
{
    return retried([&] { return ::fchown(fd, owner, group); });
}

int SystemDisk::setXattr(int fd, const char *name, const QByteArray &value)
{
    return retried([&] { return ::fsetxattr(fd, name, value.constData(), size_t(value.size()), 0); });
}

Disk &systemDisk()
{
    static SystemDisk disk;
    return disk;
}

} // namespace ztplatform

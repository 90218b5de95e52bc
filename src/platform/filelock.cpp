#include "platform/filelock.h"

#include "platform/errortext.h"
#include "platform/disk.h"

#include <QFile>

#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock &&other) noexcept
{
    *this = std::move(other);
}

FileLock &FileLock::operator=(FileLock &&other) noexcept
{
    if (this == &other)
        return *this;
    release();
    m_fd = std::move(other.m_fd);
    m_file = other.m_file;
    m_state = other.m_state;
    m_error = std::move(other.m_error);
    other.m_file = Entry();
    other.m_state = Free;
    other.m_error.clear();
    return *this;
}

void FileLock::release()
{
    m_fd.reset();
    m_file = Entry();
    m_state = Free;
    m_error.clear();
}

FileLock::Entry FileLock::entryAt(Disk &disk, const QString &path)
{
    struct stat there;
    if (disk.statAt(AT_FDCWD, QFile::encodeName(path), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return {quint64(there.st_dev), quint64(there.st_ino), true};
}

bool FileLock::holdsEntry(const Entry &entry) const
{
    return m_state == Held && m_fd.isOpen() && m_file.valid && entry.valid && m_file.device == entry.device
           && m_file.inode == entry.inode;
}

FileLock::State FileLock::take(Disk &disk, const QString &path)
{
    release();
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    // Made only when missing: an open that may create counts as a write.
    const QByteArray name = QFile::encodeName(path);
    Descriptor fd(disk.openAt(AT_FDCWD, name, O_RDONLY | flags));
    if (!fd.isOpen() && errno == ENOENT)
        fd.reset(disk.openAt(AT_FDCWD, name, O_RDONLY | O_CREAT | flags, 0644));
    if (!fd.isOpen()) {
        m_error = errorText(errno);
        return m_state = Unavailable;
    }
    if (disk.lock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK)
            return m_state = HeldElsewhere;
        m_error = errorText(error);
        return m_state = Unavailable;
    }
    struct stat mine;
    if (disk.stat(fd.get(), &mine) == 0)
        m_file = {quint64(mine.st_dev), quint64(mine.st_ino), true};
    m_fd = std::move(fd);
    return m_state = Held;
}

} // namespace ztplatform

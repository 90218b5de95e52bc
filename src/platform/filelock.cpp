#include "platform/filelock.h"

#include "platform/sysio.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

FileLock::~FileLock()
{
    release();
}

void FileLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd); // frees the lock
    m_fd = -1;
    m_state = Free;
    m_error.clear();
}

bool FileLock::holds(const QString &path) const
{
    struct stat mine, there;
    return m_state == Held && m_fd >= 0 && ::fstat(m_fd, &mine) == 0
           && ::lstat(QFile::encodeName(path).constData(), &there) == 0 && mine.st_dev == there.st_dev
           && mine.st_ino == there.st_ino;
}

FileLock::State FileLock::take(const QString &path)
{
    release();
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    // Made only when missing: an open that may create counts as a write.
    int fd = sysio::open(path, O_RDONLY | flags);
    if (fd < 0 && errno == ENOENT)
        fd = sysio::open(path, O_RDONLY | O_CREAT | flags, 0644);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return m_state = Unavailable;
    }
    int r;
    do {
        r = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return m_state = HeldElsewhere;
        m_error = QString::fromLocal8Bit(std::strerror(error));
        return m_state = Unavailable;
    }
    m_fd = fd;
    return m_state = Held;
}

} // namespace ztplatform

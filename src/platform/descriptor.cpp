#include "platform/descriptor.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ztplatform {

Descriptor::~Descriptor()
{
    close();
}

Descriptor &Descriptor::operator=(Descriptor &&other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

void Descriptor::reset(int fd) noexcept
{
    if (fd == m_fd)
        return;
    const int error = errno;
    close();
    errno = error;
    m_fd = fd;
}

int Descriptor::close() noexcept
{
    const int fd = release();
    // Linux frees the descriptor even when close fails (EINTR too): never retried.
    return fd >= 0 ? ::close(fd) : 0;
}

Descriptor Descriptor::duplicate(int fd) noexcept
{
    if (fd < 0) {
        errno = EBADF;
        return Descriptor();
    }
    return Descriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

bool openFile(QFile &file, Descriptor fd, QIODevice::OpenMode mode)
{
    if (!fd.isOpen() || !file.open(fd.get(), mode, QFileDevice::AutoCloseHandle))
        return false;
    fd.release();
    return true;
}

} // namespace ztplatform

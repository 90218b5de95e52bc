#include "platform/mappedfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::~MappedFile()
{
    close();
}

bool MappedFile::open(const QString &path)
{
    close();
    m_error.clear();
    const QByteArray native = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("not a regular file");
        ::flock(fd, LOCK_UN);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = st.st_size;
    return true;
}

char *MappedFile::map()
{
    if (m_fd < 0) {
        m_error = QStringLiteral("file not open");
        return nullptr;
    }
    if (m_data)
        return m_data;
    if (m_size <= 0) {
        m_error = QStringLiteral("empty file");
        return nullptr;
    }
    void *p = ::mmap(nullptr, size_t(m_size), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (p == MAP_FAILED) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    m_data = static_cast<char *>(p);
    return m_data;
}

bool MappedFile::flush()
{
    if (!m_data)
        return false;
    if (::msync(m_data, size_t(m_size), MS_SYNC) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

void MappedFile::unmap()
{
    if (!m_data)
        return;
    flush();
    ::munmap(m_data, size_t(m_size));
    m_data = nullptr;
}

void MappedFile::close()
{
    unmap();
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = 0;
}

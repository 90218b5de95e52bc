#include "platform/sysio.h"

#include "platform/errortext.h"

#include <cerrno>
#include <fcntl.h>

namespace ztplatform::sysio {

bool SeamFile::openDescriptor(int fd, OpenMode mode, FileHandleFlags handleFlags)
{
    return open(fd, mode | QIODevice::Unbuffered, handleFlags);
}

bool SeamFile::openDescriptor(Descriptor fd, OpenMode mode)
{
    return openFile(*this, std::move(fd), mode | QIODevice::Unbuffered);
}

qint64 SeamFile::copyFrom(int from, qint64 offset, qint64 size)
{
    const int fd = handle();
    if (fd < 0 || !m_copies || !flush()) {
        errno = ENOSYS;
        return -1;
    }
    if (const int refused = m_beforeWrite ? m_beforeWrite() : 0) {
        errno = refused;
        return -1;
    }
    const qint64 at = pos();
    const qint64 n = disk().copyRange(from, offset, fd, at, size);
    if (n < 0) {
        // Files on two kinds of file system, or a disk that cannot.
        if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)
            m_copies = false;
        return -1;
    }
    return n > 0 && !seek(at + n) ? -1 : n;
}

qint64 SeamFile::writeData(const char *data, qint64 len)
{
    const int fd = handle();
    if (fd < 0)
        return QFile::writeData(data, len);
    if (const int refused = m_beforeWrite ? m_beforeWrite() : 0) {
        m_failure = refused;
        setErrorString(errorText(refused));
        return -1;
    }
    const qint64 n = disk().writeWith(fd, data, len, [&] {
        // A short write is continued, so that the failure that cut it is the
        // file's error.
        qint64 done = 0;
        while (done < len) {
            const qint64 n = QFile::writeData(data + done, len - done);
            if (n <= 0)
                return done > 0 ? done : n;
            done += n;
        }
        return done;
    });
    if (n < 0 && error() == QFileDevice::NoError) {
        // Refused by the disk before it reached the system.
        m_failure = errno;
        setErrorString(errorText(m_failure));
    }
    return n;
}

qint64 SeamFile::readData(char *data, qint64 len)
{
    const int fd = handle();
    if (fd < 0 || len <= 0)
        return QFile::readData(data, len);
    if ((openMode() & QIODevice::WriteOnly) && !flush())
        return -1;
    // A short read is continued up to the end, as Qt's own.
    qint64 done = 0;
    while (done < len) {
        const qint64 n = disk().read(fd, data + done, len - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (done > 0)
                break;
            m_failure = errno;
            setErrorString(errorText(m_failure));
            return -1;
        }
        done += n;
    }
    return done;
}

qint64 SeamFile::readLineData(char *data, qint64 maxlen)
{
    // Qt's own would read past readData().
    return QIODevice::readLineData(data, maxlen);
}

} // namespace ztplatform::sysio

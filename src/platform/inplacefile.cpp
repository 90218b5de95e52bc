#include "platform/inplacefile.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablefile.h"
#include "platform/errortext.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InPlaceFile::~InPlaceFile()
{
    close();
}

bool InPlaceFile::open(ztplatform::Disk &disk, const QString &path)
{
    close();
    m_error.clear();
    m_disk = &disk;
    return take(m_disk->openAt(AT_FDCWD, QFile::encodeName(path), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
}

bool InPlaceFile::open(const ztplatform::OpenFolder &folder, const QString &name)
{
    close();
    m_error.clear();
    m_disk = &folder.disk();
    return take(folder.openEntry(name, O_RDWR));
}

bool InPlaceFile::take(int opened)
{
    ztplatform::Descriptor fd(opened);
    if (!fd.isOpen() || m_disk->lock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        m_error = ztplatform::errorText(errno);
        return false;
    }
    struct stat st;
    if (m_disk->stat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("not a regular file");
        return false; // the close frees the lock
    }
    m_fd = fd.release();
    m_size = st.st_size;
    return true;
}

QByteArray InPlaceFile::readAt(qint64 offset, qint64 n)
{
    QByteArray out;
    if (m_fd < 0 || offset < 0 || n <= 0)
        return out;
    out.resize(int(qMin(n, qMax<qint64>(0, m_size - offset))));
    qint64 done = 0;
    while (done < out.size()) {
        const qint64 r = m_disk->read(m_fd, out.data() + done, out.size() - done, offset + done);
        if (r <= 0)
            break;
        done += r;
    }
    out.truncate(int(done));
    return out;
}

bool InPlaceFile::writeAt(qint64 offset, const QByteArray &bytes)
{
    m_restoreFailed = false;
    if (m_fd < 0 || offset < 0 || offset + bytes.size() > m_size) {
        m_error = QStringLiteral("outside the file");
        return false;
    }
    const QByteArray before = readAt(offset, bytes.size());
    if (before.size() != bytes.size()) {
        m_error = ztplatform::errorText(errno);
        return false;
    }
    const bool written = m_disk->write(m_fd, bytes.constData(), bytes.size(), offset);
    if (written && ztplatform::syncDescriptor(*m_disk, m_fd, true))
        return true;
    m_error = ztplatform::errorText(errno);
    // After a failed sync the disk may hold some of the new bytes whatever a
    // later sync says: the range counts as mixed even when they are put back.
    const bool restored = m_disk->write(m_fd, before.constData(), before.size(), offset)
            && ztplatform::syncDescriptor(*m_disk, m_fd, true);
    if (!written && restored)
        return false;
    m_restoreFailed = true;
    m_error += restored ? QStringLiteral("; the old bytes were put back but may not be on the disk")
                        : QStringLiteral("; the old bytes could not be put back");
    return false;
}

void InPlaceFile::close()
{
    // The close frees the lock.
    ztplatform::Descriptor(m_fd).close();
    m_fd = -1;
    m_size = 0;
}

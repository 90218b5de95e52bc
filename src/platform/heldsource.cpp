#include "platform/heldsource.h"

#include "platform/descriptor.h"
#include "platform/disk.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

HeldSource::HeldSource(Disk &disk, const QString &path)
    : m_disk(disk)
    , m_path(path)
{
    if (path.isEmpty()) {
        m_error = ENOENT;
        return;
    }
    Descriptor fd(m_disk.openAt(AT_FDCWD, QFile::encodeName(path), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.isOpen()) {
        m_error = errno;
        return;
    }
    struct stat st;
    if (m_disk.stat(fd.get(), &st) != 0) {
        m_error = errno;
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        m_type = st.st_mode & S_IFMT;
        return;
    }
    m_fd = fd.release();
    m_size = st.st_size;
    m_device = quint64(st.st_dev);
    m_inode = quint64(st.st_ino);
}

HeldSource::~HeldSource()
{
    Descriptor(m_fd).close();
}

QString HeldSource::nameFor(const QString &folder, const QString &stem) const
{
    if (m_fd < 0 || folder.isEmpty())
        return m_path;
    const QByteArray held = "/proc/self/fd/" + QByteArray::number(m_fd);
    struct stat seen;
    // The name must reach this very file.
    Disk &disk = m_disk;
    if (disk.statAt(AT_FDCWD, held, &seen) != 0 || quint64(seen.st_dev) != m_device || quint64(seen.st_ino) != m_inode)
        return m_path;
    QString name = QFileInfo(m_path).fileName();
    if (name.isEmpty())
        name = QStringLiteral("source");
    const QString dir = QDir(folder).filePath(stem);
    const QString link = QDir(dir).filePath(name);
    if (disk.mkdirAt(AT_FDCWD, QFile::encodeName(dir), 0700) != 0
        || disk.symlinkAt(held, AT_FDCWD, QFile::encodeName(link)) != 0) {
        qDebug() << "no link to the source in" << dir << ":" << std::strerror(errno);
        return m_path;
    }
    return link;
}

void SourceProcess::hand(const HeldSource &source)
{
    if (source.isOpen())
        m_fds.append(source.descriptor());
}

void SourceProcess::setupChildProcess()
{
    // In the child, between fork and exec: only what async signals may call.
    for (int fd : qAsConst(m_fds)) {
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0)
            ::fcntl(fd, F_SETFD, flags & ~FD_CLOEXEC);
    }
}

} // namespace ztplatform

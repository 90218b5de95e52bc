#include "platform/durablefile.h"

#include "platform/sysio.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

namespace {

int systemSync(int fd, bool dataOnly)
{
    return sysio::sync(fd, dataOnly);
}

std::atomic<SyncCall> &syncCall()
{
    static std::atomic<SyncCall> call{&systemSync};
    return call;
}

} // namespace

bool syncDescriptor(int fd, bool dataOnly)
{
    if (fd < 0) {
        errno = EBADF;
        return false;
    }
    int r;
    do {
        r = syncCall().load()(fd, dataOnly);
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

SyncCall setSyncCall(SyncCall call)
{
    return syncCall().exchange(call ? call : &systemSync);
}

bool syncFile(QFile &file)
{
    if (!file.isOpen() || !file.flush())
        return false;
    if (!syncDescriptor(file.handle())) {
        qWarning() << "fsync of" << file.fileName() << "failed:" << std::strerror(errno);
        return false;
    }
    return true;
}

QString writeFailure(QFileDevice &file)
{
    if (const auto *seam = dynamic_cast<const sysio::SeamFile *>(&file); seam && seam->failure() != 0)
        return QString::fromLocal8Bit(std::strerror(seam->failure()));
    const QString own = file.errorString();
    const int fd = file.handle();
    // A device without a reason of its own gives Qt's "Unknown error".
    if ((file.error() != QFileDevice::NoError && own != QFile().errorString()) || fd < 0)
        return own;
    struct stat st;
    const char byte = 0;
    if (::fstat(fd, &st) == 0 && ::pwrite(fd, &byte, 1, st.st_size) < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return own;
}

bool syncPath(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = name.isEmpty() ? -1 : sysio::openAt(AT_FDCWD, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        qWarning() << "cannot open" << path << "to sync it:" << std::strerror(error);
        errno = error;
        return false;
    }
    const bool synced = syncDescriptor(fd);
    const int error = errno;
    if (!synced)
        qWarning() << "fsync of" << path << "failed:" << std::strerror(error);
    ::close(fd);
    errno = error;
    return synced;
}

bool makePath(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    struct stat st;
    if (clean.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    if (::stat(QFile::encodeName(clean).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    const int slash = clean.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !makePath(clean.left(slash)))
        return false;
    if (sysio::mkdirAt(AT_FDCWD, QFile::encodeName(clean), 0777) == 0)
        return true;
    // Made meanwhile by another: as good, when it is a folder.
    return errno == EEXIST && ::stat(QFile::encodeName(clean).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace ztplatform

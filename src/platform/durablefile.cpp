#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablefile.h"

#include "platform/errortext.h"
#include "platform/sysio.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

bool syncDescriptor(Disk &disk, int fd, bool dataOnly)
{
    if (fd < 0) {
        errno = EBADF;
        return false;
    }
    return disk.sync(fd, dataOnly) == 0;
}

QString writeFailure(QFileDevice &file)
{
    if (const auto *seam = dynamic_cast<const sysio::SeamFile *>(&file); seam && seam->failure() != 0)
        return errorText(seam->failure());
    return file.errorString();
}

bool syncPath(Disk &disk, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const Descriptor fd(name.isEmpty() ? -1 : disk.openAt(AT_FDCWD, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.isOpen()) {
        const int error = errno;
        qWarning() << "cannot open" << path << "to sync it:" << std::strerror(error);
        errno = error;
        return false;
    }
    const bool synced = syncDescriptor(disk, fd.get());
    if (!synced) {
        const int error = errno;
        qWarning() << "fsync of" << path << "failed:" << std::strerror(error);
        errno = error;
    }
    return synced;
}

bool makePath(Disk &disk, const QString &path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    struct stat st;
    if (clean.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    if (disk.statAt(AT_FDCWD, QFile::encodeName(clean), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    const int slash = clean.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !makePath(disk, clean.left(slash)))
        return false;
    if (disk.mkdirAt(AT_FDCWD, QFile::encodeName(clean), 0777) == 0)
        return true;
    // Made meanwhile by another: as good, when it is a folder.
    return errno == EEXIST && disk.statAt(AT_FDCWD, QFile::encodeName(clean), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace ztplatform

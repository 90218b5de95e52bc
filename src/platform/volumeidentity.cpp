#include "platform/volumeidentity.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/removabledrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U // newer kernels: an id no later mount gets
#endif

namespace ztplatform {

namespace {

constexpr qint64 kLargestTable = 64 << 20;

bool isBelow(const QString &path, const QString &mountPoint)
{
    return mountPoint == QLatin1String("/") || path == mountPoint
            || path.startsWith(mountPoint + QLatin1Char('/'));
}

// The mount that holds `path`: the longest mount point above it, the later
// of two at one point (it hides the earlier).
MountEntry mountOf(Disk &disk, const QString &path, const QString &mountTablePath)
{
    QByteArray table;
    // The system's tables tell size 0: read to their end.
    if (readRegularFileAt(disk, AT_FDCWD, mountTablePath, kLargestTable, table) != FileRead::Read)
        return MountEntry();
    MountEntry best;
    int bestLength = -1;
    for (const MountEntry &m : parseMountTable(table)) {
        if (isBelow(path, m.mountPoint) && m.mountPoint.size() >= bestLength) {
            best = m;
            bestLength = m.mountPoint.size();
        }
    }
    return best;
}

// The name of the link in byUuidPath that leads to `device`, the first by
// name ignoring case.
QString uuidOf(Disk &disk, const QString &device, const QString &byUuidPath)
{
    if (!device.startsWith(QLatin1Char('/')) || byUuidPath.isEmpty())
        return QString();
    const QString canonicalDevice = canonicalPathOf(disk, device);
    const QString wanted = canonicalDevice.isEmpty() ? device : canonicalDevice;
    const Descriptor folder(disk.openAt(AT_FDCWD, QFile::encodeName(byUuidPath), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QStringList names;
    for (const ListedEntry &e : listFolder(disk, folder.get())) {
        struct stat st;
        if (e.type == S_IFLNK
            || (e.type == 0 && disk.statAt(folder.get(), e.name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode)))
            names << QFile::decodeName(e.name);
    }
    names.sort(Qt::CaseInsensitive);
    const QDir links(byUuidPath);
    for (const QString &name : qAsConst(names)) {
        if (canonicalPathOf(disk, links.filePath(name)) == wanted)
            return name;
    }
    return QString();
}
} // namespace

VolumeIdentity readVolumeIdentity(const QString &folder, const QString &mountTablePath, const QString &byUuidPath,
                                  const QString &sysRoot)
{
    VolumeIdentity id;
    Disk &disk = systemDisk();
    const QString canonical = canonicalPathOf(disk, folder);
    struct stat st;
    if (canonical.isEmpty() || disk.statAt(AT_FDCWD, QFile::encodeName(canonical), &st) != 0)
        return id;
    id.valid = true;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    const MountEntry mount = mountOf(disk, canonical, mountTablePath);
    id.source = mount.source;
    id.uuid = uuidOf(disk, mount.source, byUuidPath);
    if (!sysRoot.isEmpty())
        id.usbSerial = usbSerialOf(mount, sysRoot);
    return id;
}

MountStamp mountStampOf(const struct statx &sx)
{
    MountStamp stamp;
    stamp.unique = (sx.stx_mask & STATX_MNT_ID_UNIQUE) != 0;
    stamp.valid = stamp.unique || (sx.stx_mask & STATX_MNT_ID) != 0;
    stamp.id = sx.stx_mnt_id;
    stamp.inode = sx.stx_ino;
    return stamp;
}

MountStamp readMountStamp(int fd)
{
    MountStamp stamp;
    struct statx sx;
    if (fd < 0
        || systemDisk().statxAt(fd, QByteArray(), AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID | STATX_MNT_ID_UNIQUE, &sx)
                   != 0)
        return stamp;
    return mountStampOf(sx);
}

MountTableWatch::MountTableWatch()
{
    m_fd = systemDisk().openAt(AT_FDCWD, "/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
}

MountTableWatch::~MountTableWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool MountTableWatch::changed()
{
    if (m_fd < 0)
        return true;
    // The table reports a change once, to the next poll after it.
    struct pollfd p = {m_fd, POLLPRI, 0};
    int n;
    do {
        n = ::poll(&p, 1, 0);
    } while (n < 0 && errno == EINTR);
    return n != 0 && (n < 0 || (p.revents & (POLLPRI | POLLERR)) != 0);
}

bool isReadOnlyVolume(Disk &disk, const QString &folder)
{
    const Descriptor fd(folder.isEmpty() ? -1 : disk.openAt(AT_FDCWD, QFile::encodeName(folder), O_PATH | O_CLOEXEC));
    struct statfs st;
    return fd.isOpen() && disk.statFileSystem(fd.get(), &st) == 0 && (st.f_flags & ST_RDONLY) != 0;
}

VolumeIdentitySource::~VolumeIdentitySource() = default;

VolumeIdentity VolumeIdentitySource::identityAt(int folderFd) const
{
    struct stat st;
    if (folderFd < 0 || systemDisk().stat(folderFd, &st) != 0)
        return VolumeIdentity();
    const QString path = QFileInfo(QStringLiteral("/proc/self/fd/") + QString::number(folderFd)).symLinkTarget();
    const VolumeIdentity id = path.isEmpty() ? VolumeIdentity() : identity(path);
    if (id.valid && (id.device != quint64(st.st_dev) || id.inode != quint64(st.st_ino)))
        return VolumeIdentity(); // its mount is gone from the place
    return id;
}

MountStamp VolumeIdentitySource::mountStamp(int folderFd) const
{
    return readMountStamp(folderFd);
}

SystemVolumeIdentitySource::SystemVolumeIdentitySource(const QString &mountTablePath, const QString &byUuidPath,
                                                       const QString &sysRoot)
    : m_mountTable(mountTablePath.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : mountTablePath)
    , m_byUuid(byUuidPath.isEmpty() ? QStringLiteral("/dev/disk/by-uuid") : byUuidPath)
    , m_sysRoot(sysRoot.isEmpty() ? QStringLiteral("/sys") : sysRoot)
{
}

VolumeIdentity SystemVolumeIdentitySource::identity(const QString &folder) const
{
    return readVolumeIdentity(folder, m_mountTable, m_byUuid, m_sysRoot);
}

const VolumeIdentitySource &systemVolumeIdentitySource()
{
    static const SystemVolumeIdentitySource source;
    return source;
}

} // namespace ztplatform

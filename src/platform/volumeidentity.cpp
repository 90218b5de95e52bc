#include "platform/volumeidentity.h"

#include "platform/removabledrives.h"
#include "platform/sysio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U // newer kernels: an id no later mount gets
#endif

namespace ztplatform {

namespace {

bool isBelow(const QString &path, const QString &mountPoint)
{
    return mountPoint == QLatin1String("/") || path == mountPoint
            || path.startsWith(mountPoint + QLatin1Char('/'));
}

// The mount that holds `path`: the longest mount point above it, the later
// of two at one point (it hides the earlier).
MountEntry mountOf(const QString &path, const QString &mountTablePath)
{
    QFile table(mountTablePath);
    if (!table.open(QIODevice::ReadOnly))
        return MountEntry();
    MountEntry best;
    int bestLength = -1;
    for (const MountEntry &m : parseMountTable(table.readAll())) {
        if (isBelow(path, m.mountPoint) && m.mountPoint.size() >= bestLength) {
            best = m;
            bestLength = m.mountPoint.size();
        }
    }
    return best;
}

// The name of the link in byUuidPath that leads to `device`.
QString uuidOf(const QString &device, const QString &byUuidPath)
{
    if (!device.startsWith(QLatin1Char('/')) || byUuidPath.isEmpty())
        return QString();
    const QString canonicalDevice = QFileInfo(device).canonicalFilePath();
    const QString wanted = canonicalDevice.isEmpty() ? device : canonicalDevice;
    const QFileInfoList links =
            QDir(byUuidPath).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == wanted)
            return link.fileName();
    }
    return QString();
}

} // namespace

VolumeIdentity readVolumeIdentity(const QString &folder, const QString &mountTablePath, const QString &byUuidPath,
                                  const QString &sysRoot)
{
    VolumeIdentity id;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    struct stat st;
    if (canonical.isEmpty() || sysio::disk().statAt(AT_FDCWD, QFile::encodeName(canonical), &st) != 0)
        return id;
    id.valid = true;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    const MountEntry mount = mountOf(canonical, mountTablePath);
    id.source = mount.source;
    id.uuid = uuidOf(mount.source, byUuidPath);
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
        || sysio::disk().statxAt(fd, QByteArray(), AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID | STATX_MNT_ID_UNIQUE, &sx)
                   != 0)
        return stamp;
    return mountStampOf(sx);
}

MountTableWatch::MountTableWatch()
{
    m_fd = sysio::open(QStringLiteral("/proc/self/mountinfo"), O_RDONLY | O_CLOEXEC);
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

bool isReadOnlyVolume(const QString &folder)
{
    struct statvfs st;
    return !folder.isEmpty() && ::statvfs(QFile::encodeName(folder).constData(), &st) == 0
            && (st.f_flag & ST_RDONLY) != 0;
}

VolumeIdentitySource::~VolumeIdentitySource() = default;

VolumeIdentity VolumeIdentitySource::identityAt(int folderFd) const
{
    struct stat st;
    if (folderFd < 0 || sysio::disk().stat(folderFd, &st) != 0)
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

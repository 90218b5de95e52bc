#include "platform/volumeidentity.h"

#include "platform/removabledrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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

VolumeIdentity readVolumeIdentity(const QString &folder, const QString &mountTablePath, const QString &byUuidPath)
{
    VolumeIdentity id;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    struct stat st;
    if (canonical.isEmpty() || ::stat(QFile::encodeName(canonical).constData(), &st) != 0)
        return id;
    id.valid = true;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    const MountEntry mount = mountOf(canonical, mountTablePath);
    id.source = mount.source;
    id.uuid = uuidOf(mount.source, byUuidPath);
    return id;
}

VolumeIdentitySource::~VolumeIdentitySource() = default;

SystemVolumeIdentitySource::SystemVolumeIdentitySource(const QString &mountTablePath, const QString &byUuidPath)
    : m_mountTable(mountTablePath.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : mountTablePath)
    , m_byUuid(byUuidPath.isEmpty() ? QStringLiteral("/dev/disk/by-uuid") : byUuidPath)
{
}

VolumeIdentity SystemVolumeIdentitySource::identity(const QString &folder) const
{
    return readVolumeIdentity(folder, m_mountTable, m_byUuid);
}

namespace {
VolumeIdentitySource *g_identitySource = nullptr;
}

VolumeIdentitySource *volumeIdentitySource()
{
    if (g_identitySource)
        return g_identitySource;
    static SystemVolumeIdentitySource systemSource;
    return &systemSource;
}

void setVolumeIdentitySource(VolumeIdentitySource *source)
{
    g_identitySource = source;
}

} // namespace ztplatform

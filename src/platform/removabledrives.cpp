#include "platform/removabledrives.h"

#include "platform/disk.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

DriveSource::~DriveSource() = default;

bool DriveSource::answers(const QString &root) const
{
    struct stat st;
    return !root.isEmpty() && ztplatform::systemDisk().statAt(AT_FDCWD, QFile::encodeName(root), &st) == 0 && S_ISDIR(st.st_mode);
}

QVector<DriveEntry> DriveAsk::drives() const
{
    const DriveSource *source = m_source;
    return source ? source->drives() : QVector<DriveEntry>();
}

bool DriveAsk::answers(const QString &root) const
{
    const DriveSource *source = m_source;
    return source && source->answers(root);
}

SystemDriveSource::SystemDriveSource(const QString &mountTablePath, const QString &sysRoot)
    : m_mountTable(mountTablePath.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : mountTablePath)
    , m_sysRoot(sysRoot.isEmpty() ? QStringLiteral("/sys") : sysRoot)
{
}

QVector<DriveEntry> SystemDriveSource::drives() const
{
    return ztplatform::drivesFromMountTable(m_mountTable, m_sysRoot);
}

namespace ztplatform {

namespace {

// Undoes the octal escapes (\040 and friends) of the mount table.
QString unescapeField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray oct = field.mid(i + 1, 3);
            bool ok = oct.size() == 3;
            int value = 0;
            for (char d : oct) {
                if (d < '0' || d > '7') {
                    ok = false;
                    break;
                }
                value = value * 8 + (d - '0');
            }
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

// Where desktops mount removable media.
bool isUnderMedia(const QString &mountPoint)
{
    return mountPoint.startsWith(QLatin1String("/media/")) || mountPoint.startsWith(QLatin1String("/run/media/"));
}

QString readFlag(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readAll()).trimmed();
}

// Directory of the block device in sysfs, or empty.
QString blockDeviceDir(const MountEntry &entry, const QString &sysRoot)
{
    QString link;
    if (!entry.majorMinor.isEmpty())
        link = sysRoot + QStringLiteral("/dev/block/") + entry.majorMinor;
    if (link.isEmpty() || !QFileInfo::exists(link)) {
        if (!entry.source.startsWith(QLatin1String("/dev/")))
            return QString();
        QString dev = QFileInfo(entry.source).canonicalFilePath();
        if (dev.isEmpty())
            dev = entry.source;
        link = sysRoot + QStringLiteral("/class/block/") + QFileInfo(dev).fileName();
    }
    const QString dir = QFileInfo(link).canonicalFilePath();
    if (dir.isEmpty())
        return QString();
    // A partition's flags live on its disk, the parent directory.
    if (QFileInfo::exists(dir + QStringLiteral("/partition")))
        return QFileInfo(dir).absolutePath();
    return dir;
}

} // namespace

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QVector<MountEntry> parseMountTable(const QByteArray &text)
{
    QVector<MountEntry> result;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &rawLine : lines) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> f = line.simplified().split(' ');
        MountEntry e;
        const int sep = f.indexOf(QByteArray("-"));
        if (sep >= 6 && f.size() >= sep + 3) {
            // mountinfo: id parent maj:min root mountpoint options [optional...] - type source superopts
            e.majorMinor = QString::fromLatin1(f.at(2));
            e.mountPoint = unescapeField(f.at(4));
            e.fsType = unescapeField(f.at(sep + 1));
            e.source = unescapeField(f.at(sep + 2));
        } else if (f.size() >= 3) {
            // /proc/mounts: source mountpoint type options dump pass
            e.source = unescapeField(f.at(0));
            e.mountPoint = unescapeField(f.at(1));
            e.fsType = unescapeField(f.at(2));
        } else {
            continue;
        }
        if (!e.mountPoint.startsWith(QLatin1Char('/')))
            continue;
        e.mountPoint = withoutTrailingSlash(e.mountPoint);
        result.append(e);
    }
    return result;
}

bool isRemovableMount(const MountEntry &entry, const QString &sysRoot)
{
    if (isUnderMedia(entry.mountPoint))
        return true;
    const QString dir = blockDeviceDir(entry, sysRoot);
    if (dir.isEmpty())
        return false;
    return readFlag(dir + QStringLiteral("/removable")) == QLatin1String("1");
}

QString usbSerialOf(const MountEntry &entry, const QString &sysRoot)
{
    const QString root = QFileInfo(sysRoot).canonicalFilePath();
    QString dir = blockDeviceDir(entry, sysRoot);
    // Up from the disk to the USB device: the folder with a vendor id.
    for (; !dir.isEmpty() && !root.isEmpty() && dir.startsWith(root + QLatin1Char('/'));
         dir = QFileInfo(dir).absolutePath()) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor")))
            return readFlag(dir + QStringLiteral("/serial"));
    }
    return QString();
}

QVector<DriveEntry> drivesFromMountTable(const QString &mountTablePath, const QString &sysRoot)
{
    QVector<DriveEntry> drives;
    QFile f(mountTablePath);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "cannot read mount table" << mountTablePath;
        return drives;
    }
    // /proc files report size 0, so read until the end.
    const QVector<MountEntry> mounts = parseMountTable(f.readAll());
    // A later mount on the same point hides the earlier one: walk from the
    // end, keep the first of each point, then restore the table order.
    QSet<QString> seen;
    for (auto it = mounts.crbegin(); it != mounts.crend(); ++it) {
        const MountEntry &m = *it;
        if (!m.source.startsWith(QLatin1String("/dev/")) && !isUnderMedia(m.mountPoint))
            continue; // pseudo file systems are no drives
        DriveEntry d;
        d.root = m.mountPoint == QLatin1String("/") ? m.mountPoint : m.mountPoint + QLatin1Char('/');
        if (seen.contains(d.root))
            continue;
        seen.insert(d.root);
        d.removable = isRemovableMount(m, sysRoot);
        drives.append(d);
    }
    std::reverse(drives.begin(), drives.end());
    return drives;
}

const DriveSource &systemDriveSource()
{
    static const SystemDriveSource source;
    return source;
}

} // namespace ztplatform

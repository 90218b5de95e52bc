#include "platform/pathcase.h"

#include "platform/sysio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>

namespace ztplatform {

QString findEntryIgnoringCase(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return QString();
    const QDir d(dir);
    const QStringList entries = d.entryList(QStringList(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                            QDir::Name | QDir::IgnoreCase);
    // The spelling stored on disk: the exact one when the listing has it.
    if (entries.contains(name))
        return d.absoluteFilePath(name);
    for (const QString &e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return d.absoluteFilePath(e);
    }
    return QString();
}

QString resolvePathCaseInsensitive(const QString &base, const QString &relative)
{
    QString current = QDir(base).absolutePath();
    if (!QFileInfo(current).isDir())
        return QString();
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            current = QFileInfo(current).absolutePath();
            continue;
        }
        const QString next = findEntryIgnoringCase(current, part);
        if (next.isEmpty())
            return QString();
        current = next;
    }
    return current;
}

QString resolvePathCaseInsensitive(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString abs = QDir::cleanPath(QDir(path).absolutePath());
    if (QFileInfo::exists(abs))
        return abs;
    // Walk up to the longest prefix that exists.
    QString prefix = abs;
    QStringList rest;
    while (!QFileInfo::exists(prefix)) {
        const QFileInfo fi(prefix);
        const QString parent = fi.absolutePath();
        if (parent == prefix)
            return QString();
        rest.prepend(fi.fileName());
        prefix = parent;
    }
    return resolvePathCaseInsensitive(prefix, rest.join(QLatin1Char('/')));
}

bool isOnFatVolume(const QString &dir)
{
    const Descriptor fd(dir.isEmpty() ? -1 : sysio::open(dir, O_PATH | O_CLOEXEC));
    return isOnFatVolume(sysio::disk(), fd.get());
}

bool hasFatHiddenOrSystemAttribute(const QString &path)
{
    const Descriptor fd(sysio::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    return hasFatHiddenOrSystemAttribute(sysio::disk(), fd.get());
}

bool isOnFatVolume(Disk &disk, int fd)
{
    struct statfs st;
    return fd >= 0 && disk.statFileSystem(fd, &st) == 0 && st.f_type == MSDOS_SUPER_MAGIC;
}

bool hasFatHiddenOrSystemAttribute(Disk &disk, int fd)
{
    __u32 attributes = 0;
    return fd >= 0 && disk.readControl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0
            && (attributes & (ATTR_HIDDEN | ATTR_SYS)) != 0;
}

} // namespace ztplatform

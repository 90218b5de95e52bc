#include "platform/pathcase.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace ztplatform {

namespace {

// What stands at `path`, a link followed.
bool statPath(Disk &disk, const QString &path, struct stat *st)
{
    const QByteArray name = QFile::encodeName(path);
    return !name.isEmpty() && disk.statAt(AT_FDCWD, name, st, 0) == 0;
}

bool existsAt(Disk &disk, const QString &path)
{
    struct stat st;
    return statPath(disk, path, &st);
}

} // namespace

QString findEntryIgnoringCase(Disk &disk, const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return QString();
    const QDir d(dir);
    const Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(d.absolutePath()), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen())
        return QString();
    QStringList entries;
    for (const ListedEntry &e : listFolder(disk, fd.get()))
        entries << QFile::decodeName(e.name);
    // The spelling stored on disk: the exact one when the listing has it.
    if (entries.contains(name))
        return d.absoluteFilePath(name);
    std::sort(entries.begin(), entries.end(), [](const QString &a, const QString &b) {
        const int byCase = a.compare(b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
    for (const QString &e : qAsConst(entries)) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return d.absoluteFilePath(e);
    }
    return QString();
}

QString resolvePathCaseInsensitive(Disk &disk, const QString &base, const QString &relative)
{
    QString current = QDir(base).absolutePath();
    struct stat st;
    if (!statPath(disk, current, &st) || !S_ISDIR(st.st_mode))
        return QString();
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            current = QFileInfo(current).absolutePath();
            continue;
        }
        const QString next = findEntryIgnoringCase(disk, current, part);
        if (next.isEmpty())
            return QString();
        current = next;
    }
    return current;
}

QString resolvePathCaseInsensitive(Disk &disk, const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString abs = QDir::cleanPath(QDir(path).absolutePath());
    if (existsAt(disk, abs))
        return abs;
    // Walk up to the longest prefix that exists.
    QString prefix = abs;
    QStringList rest;
    while (!existsAt(disk, prefix)) {
        const QFileInfo fi(prefix);
        const QString parent = fi.absolutePath();
        if (parent == prefix)
            return QString();
        rest.prepend(fi.fileName());
        prefix = parent;
    }
    return resolvePathCaseInsensitive(disk, prefix, rest.join(QLatin1Char('/')));
}

unsigned typeAtPath(Disk &disk, const QString &path, bool noFollow)
{
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    return !name.isEmpty() && disk.statAt(AT_FDCWD, name, &st, noFollow ? AT_SYMLINK_NOFOLLOW : 0) == 0
            ? unsigned(st.st_mode & S_IFMT)
            : 0;
}

qint64 sizeAtPath(Disk &disk, const QString &path)
{
    struct stat st;
    return statPath(disk, path, &st) ? qint64(st.st_size) : -1;
}

bool writeRefusedAt(Disk &disk, const QString &path)
{
    struct stat st;
    if (!statPath(disk, path, &st))
        return false;
    return !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))
           || disk.accessAt(AT_FDCWD, QFile::encodeName(path), W_OK) != 0;
}

QString linkTargetAt(Disk &disk, const QString &path)
{
    QByteArray text;
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || disk.readLinkAt(AT_FDCWD, name, &text) != 0 || text.isEmpty())
        return QString();
    const QString target = QFile::decodeName(text);
    const QFileInfo link(path);
    return QDir::cleanPath(QDir::isAbsolutePath(target) ? target : link.absoluteDir().filePath(target));
}

QVector<FolderFile> filesOfFolder(Disk &disk, const QString &dir, bool noLinks, bool hidden)
{
    QVector<FolderFile> files;
    const QString at = dir.isEmpty() ? QStringLiteral(".") : dir;
    const Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(at), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const ListedEntry &e : listFolder(disk, fd.get())) {
        struct stat st;
        if ((hidden || !e.name.startsWith('.'))
            && disk.statAt(fd.get(), e.name, &st, noLinks ? AT_SYMLINK_NOFOLLOW : 0) == 0 && S_ISREG(st.st_mode))
            files.append({QFile::decodeName(e.name), qint64(st.st_size)});
    }
    std::sort(files.begin(), files.end(), [](const FolderFile &a, const FolderFile &b) {
        const int byCase = a.name.compare(b.name, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a.name < b.name;
    });
    return files;
}

QString canonicalPathOf(Disk &disk, const QString &path)
{
    QByteArray resolved;
    const QByteArray name = QFile::encodeName(path);
    return !name.isEmpty() && disk.realPath(name, &resolved) == 0 ? QFile::decodeName(resolved) : QString();
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

#ifndef ZT_PLATFORM_PATHCASE_H
#define ZT_PLATFORM_PATHCASE_H

#include <QString>
#include <QVector>

namespace ztplatform {

class Disk;

// Each look below is made through `disk`.

// Resolves `relative` (components separated by "/") below `base`, matching
// each component ignoring letter case the way the pad's FAT storage does.
// An exact match wins over a case-insensitive one. Returns the resolved
// absolute path with the case found on disk, or an empty string when some
// component does not exist.
QString resolvePathCaseInsensitive(Disk &disk, const QString &base, const QString &relative);

// Same for an absolute or relative path as a whole: the longest existing
// prefix is taken as it is, the rest is resolved ignoring case.
QString resolvePathCaseInsensitive(Disk &disk, const QString &path);

// The entry of `dir` whose name equals `name` ignoring case (the exact
// spelling first), as an absolute path; empty when there is none.
QString findEntryIgnoringCase(Disk &disk, const QString &dir, const QString &name);

// The type bits (st_mode & S_IFMT) of what stands at `path`, a link
// followed unless `noFollow`; 0 when nothing does.
unsigned typeAtPath(Disk &disk, const QString &path, bool noFollow = false);

// The size of what stands at `path`, a link followed; -1 when nothing does.
qint64 sizeAtPath(Disk &disk, const QString &path);

// True when something stands at `path` (a link followed) that may not be
// written: by its mode, or by this user.
bool writeRefusedAt(Disk &disk, const QString &path);

// Where the symbolic link at `path` leads, made absolute against the link's
// folder and cleaned; empty when no link stands there.
QString linkTargetAt(Disk &disk, const QString &path);

// A regular file of a folder: its name and size.
struct FolderFile
{
    QString name;
    qint64 size = 0;
};
// The regular files of the folder at `dir` as `disk` lists them, by name
// ignoring case: a link to a file counts unless `noLinks`, a name starting
// with "." only with `hidden`. None when the folder cannot be read.
QVector<FolderFile> filesOfFolder(Disk &disk, const QString &dir, bool noLinks, bool hidden);

// The path of what stands at `path` with every link followed and no "." or
// ".." left; empty when nothing does.
QString canonicalPathOf(Disk &disk, const QString &path);

// True when the open folder `fd` lies on a FAT volume (vfat/msdos), whose
// entries carry the hidden and system attributes of the pad's own file system.
bool isOnFatVolume(Disk &disk, int fd);
// True when the FAT attributes of the open entry `fd` mark it hidden or
// system. False on any other file system or when they cannot be read.
bool hasFatHiddenOrSystemAttribute(Disk &disk, int fd);

} // namespace ztplatform

#endif

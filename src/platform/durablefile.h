#ifndef ZT_PLATFORM_DURABLEFILE_H
#define ZT_PLATFORM_DURABLEFILE_H

#include <QByteArray>
#include <QString>

class QFile;
class QFileDevice;

namespace ztplatform {

class Disk;

// Forces an open file's bytes (and, unless `dataOnly`, its other records) or
// a folder's entries to the disk, by `disk`: fsync, or fdatasync. False when
// that fails, errno telling why.
bool syncDescriptor(Disk &disk, int fd, bool dataOnly = false);

// Why the last write to the open `file` failed: the disk's answer for a file
// written through one, else Qt's own reason.
QString writeFailure(QFileDevice &file);

// Forces the file or folder at `path`, as it stands, to the disk (fsync): a
// file's bytes, a folder's entries. False when it cannot be opened or synced,
// errno telling why.
bool syncPath(Disk &disk, const QString &path);

// Makes the folder at `path` and each missing one above it (mkdir -p), by the
// seam's mkdir. True when `path` is a folder then; errno tells why not.
bool makePath(Disk &disk, const QString &path);

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_DURABLEFILE_H
#define ZT_PLATFORM_DURABLEFILE_H

#include <QByteArray>
#include <QString>

class QFile;
class QFileDevice;

namespace ztplatform {

// Forces an open file's bytes (and, unless `dataOnly`, its other records) or
// a folder's entries to the disk: fsync, or fdatasync. False when that fails,
// errno telling why.
bool syncDescriptor(int fd, bool dataOnly = false);

// The call syncDescriptor makes; tests put one in its place that fails.
using SyncCall = int (*)(int fd, bool dataOnly);
// Puts `call` in place (the system's when null) and gives the one before.
SyncCall setSyncCall(SyncCall call);

// Flushes the open file and forces its bytes to the disk (fsync). False when
// either fails.
bool syncFile(QFile &file);

// The system's reason why the last write to the open `file` failed. A write
// cut short leaves Qt without one; then a byte is written at the file's end
// to learn it, so ask only about a file that goes after the failure.
QString writeFailure(QFileDevice &file);

// Forces the file or folder at `path`, as it stands, to the disk (fsync): a
// file's bytes, a folder's entries. False when it cannot be opened or synced,
// errno telling why.
bool syncPath(const QString &path);

// Makes the folder at `path` and each missing one above it (mkdir -p), by the
// seam's mkdir. True when `path` is a folder then; errno tells why not.
bool makePath(const QString &path);

} // namespace ztplatform

#endif

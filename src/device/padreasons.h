#ifndef ZT_DEVICE_PADREASONS_H
#define ZT_DEVICE_PADREASONS_H

// Why a file of the pad could not be read or written, as the boxes say it.

#include <QString>

namespace padreason {

// What stands at a name, by its type bits (S_IFIFO, ...): "a named pipe".
QString kindText(unsigned type);
// One sentence: what stands there when it is no regular file (`type`), that
// nothing does (ENOENT), or the system's reason for `error`.
QString why(unsigned type, int error);
// "It is shorter than a kit record (1987 bytes)."
QString shortKitRecord();
// `lead`, the file (native separators) and `reason`, each on a line.
QString withFile(const QString &lead, const QString &path, const QString &reason);

} // namespace padreason

#endif

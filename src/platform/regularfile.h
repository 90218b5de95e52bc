#ifndef ZT_PLATFORM_REGULARFILE_H
#define ZT_PLATFORM_REGULARFILE_H

#include <QString>

namespace ztplatform {

// True when `path` names a regular file (also through a link). Named pipes,
// devices and folders are not: opening them may block or read no sound.
bool isRegularFile(const QString &path);

} // namespace ztplatform

#endif

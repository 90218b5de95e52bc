#ifndef ZT_PLATFORM_TEMPNAMES_H
#define ZT_PLATFORM_TEMPNAMES_H

#include <QString>

namespace ztplatform {

// The one naming of every temporary the editor makes beside a file it
// writes: a leading dot (hidden), the target's name cut to fit, a number,
// then a fixed ending, e.g. ".K001.INI.7.zt-part". The result fits in 255
// bytes whenever the target's name does.
QString temporaryName(const QString &target, quint32 number);
// True for a name temporaryName() makes, and for nothing else.
bool isTemporaryName(const QString &name);

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_PROCESSIO_H
#define ZT_PLATFORM_PROCESSIO_H

#include <QtGlobal>

namespace ztplatform {

// The bytes the running process `pid` (with the children it has waited for)
// has read and written so far; -1 when the system does not tell. A count
// that moves is a process at work, whatever it prints.
qint64 processIoBytes(qint64 pid);

} // namespace ztplatform

#endif

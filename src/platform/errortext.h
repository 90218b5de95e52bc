#ifndef ZT_PLATFORM_ERRORTEXT_H
#define ZT_PLATFORM_ERRORTEXT_H

#include <QString>

#include <cstring>

namespace ztplatform {

// The system's text for the error number `error`.
inline QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace ztplatform

#endif

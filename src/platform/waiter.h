#ifndef ZT_PLATFORM_WAITER_H
#define ZT_PLATFORM_WAITER_H

#include <QtGlobal>

#include <chrono>
#include <functional>

namespace ztplatform {

// Waits until `ended(ms)`, which may block up to `ms` itself, says so. The
// window hands in its own, which lets it paint meanwhile; without one the
// calling thread blocks.
using Waiter = std::function<void(const std::function<bool(int ms)> &ended)>;

// A drive silent this long is not waited on.
constexpr int kSilentLimitMs = 2000;

// A steady clock in milliseconds, for how long a drive has been silent.
inline qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
}

} // namespace ztplatform

#endif

#ifndef ZT_DEVICE_SAVEFOLDER_H
#define ZT_DEVICE_SAVEFOLDER_H

// The saved-file folder "SAVE" at a drive's root, which the import opens
// first when a drive holds one.

#include "platform/disk.h"
#include "platform/waiter.h"

#include <QString>

#include <optional>

namespace savefolder {

enum class Holds {
    Nothing,     // no such folder (a link at the name is not followed)
    OnlyFiles,   // no visible folder inside
    SomeFolders, // a visible folder (or a link to one) inside
};

// What `folder` (a drive's SAVE) holds, looked at through the disk object.
// Any thread.
Holds look(ztplatform::Disk &disk, const QString &folder);

// The same on a thread of its own, waited on at most `limitMs` through
// `wait`: nothing when the drive did not answer in time.
std::optional<Holds> lookWithin(ztplatform::Disk &disk, const QString &folder, int limitMs,
                                const ztplatform::Waiter &wait);

} // namespace savefolder

#endif

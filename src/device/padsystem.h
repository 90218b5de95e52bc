#ifndef ZT_DEVICE_PADSYSTEM_H
#define ZT_DEVICE_PADSYSTEM_H

#include "platform/dismount.h"
#include "platform/removabledrives.h"
#include "platform/volumeidentity.h"

namespace ztplatform {
class Disk;
}

// What the pad session asks of the system; each null is the system's. The
// session owns none of it: each outlives the session and every look it starts.
struct PadSystem
{
    const DriveSource *drives = nullptr;                       // the drive list, and whether a drive answers
    const ztplatform::VolumeIdentitySource *volumes = nullptr; // the pad's volume and mount
    VolumeDismounter *dismounter = nullptr;                    // the dismount at the close
    ztplatform::Disk *backupDisk = nullptr;                    // the writes of the pad's backups
    ztplatform::Disk *disk = nullptr;                          // every read and write below the pad's root
};

#endif

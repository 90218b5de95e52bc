#ifndef ZT_DEVICE_PADIDENTITY_H
#define ZT_DEVICE_PADIDENTITY_H

// What tells the pad that was loaded from another pad mounted at its place.

#include "device/devicemessage.h"
#include "platform/volumeidentity.h"

#include <QByteArray>
#include <QString>

// Where the identity of a pad is read.
struct PadPlaces {
    QString root; // the drive root
    QString clickPath; // SYS/CLICK
    QString globalFile; // SYS/global.ini
};

// The volume (device and root inode, mount source, file system UUID) and a
// fingerprint of what the editor never writes: the bytes of global.ini
// outside the kit-chain block and the times of the metronome folder. The
// editor's own writes leave both as they were read.
struct PadIdentity {
    ztplatform::VolumeIdentity volume;
    QByteArray fingerprint;

    bool isValid() const { return volume.valid; }
};

// Read now, the volume through ztplatform::volumeIdentitySource().
PadIdentity readPadIdentity(const PadPlaces &places);

// True when `now` is the pad `loaded`; never for an identity not read.
bool samePad(const PadIdentity &loaded, const PadIdentity &now);

// Another pad found at the pad's place while editing (title "Error").
DeviceMessage anotherPadMessage();

#endif

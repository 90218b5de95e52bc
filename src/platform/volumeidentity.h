#ifndef ZT_PLATFORM_VOLUMEIDENTITY_H
#define ZT_PLATFORM_VOLUMEIDENTITY_H

#include <QString>

namespace ztplatform {

// What tells the volume holding a folder from another one mounted at the
// same place. The device number and the root's inode alone do not: a FAT
// root is always inode 1 and a newly plugged drive often gets the device
// node, and the device number, of the one pulled before it.
struct VolumeIdentity
{
    bool valid = false; // false: the folder could not be looked at
    quint64 device = 0; // of the folder
    quint64 inode = 0;
    QString source; // the mount's source ("/dev/sdb1", "tmpfs")
    QString uuid;   // file system UUID or FAT serial; empty when the volume has none

    bool operator==(const VolumeIdentity &o) const
    {
        return valid && o.valid && device == o.device && inode == o.inode && source == o.source && uuid == o.uuid;
    }
    bool operator!=(const VolumeIdentity &o) const { return !(*this == o); }
};

// The identity of the volume holding `folder` now: the mount of the table
// at `mountTablePath` (mountinfo or /proc/mounts text) with the longest
// mount point above it, and the name of the link in `byUuidPath` that
// leads to that mount's source device.
VolumeIdentity readVolumeIdentity(const QString &folder, const QString &mountTablePath, const QString &byUuidPath);

// Where the program asks; tests may hand in their own.
class VolumeIdentitySource
{
public:
    virtual ~VolumeIdentitySource();
    virtual VolumeIdentity identity(const QString &folder) const = 0;
};

// The system's mount table and /dev/disk/by-uuid (empty paths take these).
class SystemVolumeIdentitySource : public VolumeIdentitySource
{
public:
    explicit SystemVolumeIdentitySource(const QString &mountTablePath = QString(),
                                        const QString &byUuidPath = QString());
    VolumeIdentity identity(const QString &folder) const override;

private:
    QString m_mountTable;
    QString m_byUuid;
};

VolumeIdentitySource *volumeIdentitySource();
// nullptr restores the system's.
void setVolumeIdentitySource(VolumeIdentitySource *source);

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_VOLUMEIDENTITY_H
#define ZT_PLATFORM_VOLUMEIDENTITY_H

#include <QString>

struct statx;

namespace ztplatform {

class Disk;

// What tells the volume holding a folder from another one mounted at the
// same place: its serial numbers. Where it is mounted (device node, device
// number, mount source, root inode) is recorded but tells nothing: a FAT root
// is always inode 1, a newly plugged drive often gets the device node of the
// one pulled before it, and the same drive plugged again may get another.
struct VolumeIdentity
{
    bool valid = false; // false: the folder could not be looked at
    quint64 device = 0; // of the folder
    quint64 inode = 0;
    QString source;    // the mount's source ("/dev/sdb1", "tmpfs")
    QString uuid;      // file system UUID or FAT serial; empty when unknown
    QString usbSerial; // serial of the USB device holding it; empty when unknown

    // Both looked at, and no serial known on both sides differs.
    bool operator==(const VolumeIdentity &o) const
    {
        auto differ = [](const QString &a, const QString &b) { return !a.isEmpty() && !b.isEmpty() && a != b; };
        return valid && o.valid && !differ(uuid, o.uuid) && !differ(usbSerial, o.usbSerial);
    }
    bool operator!=(const VolumeIdentity &o) const { return !(*this == o); }
};

// The identity of the volume holding `folder` now: the mount of the table
// at `mountTablePath` (mountinfo or /proc/mounts text) with the longest
// mount point above it, the name of the link in `byUuidPath` that leads to
// that mount's source device, and the USB serial below `sysRoot`.
VolumeIdentity readVolumeIdentity(const QString &folder, const QString &mountTablePath, const QString &byUuidPath,
                                  const QString &sysRoot = QString());

// One mount of a volume, from mounting to unmounting, and the folder's inode
// on it. A remount, the same volume back or another one is a new mount.
struct MountStamp
{
    bool valid = false;
    quint64 id = 0;
    bool unique = false; // the id is never given to a later mount; otherwise it may be
    quint64 inode = 0;

    bool operator==(const MountStamp &o) const
    {
        return valid && o.valid && id == o.id && unique == o.unique && inode == o.inode;
    }
};

// The mount of the open folder `fd` (statx's mount id).
MountStamp readMountStamp(int fd);
// The same from what statx told (asked for STATX_INO, STATX_MNT_ID and
// STATX_MNT_ID_UNIQUE).
MountStamp mountStampOf(const struct statx &sx);

// Tells whether any volume was mounted or unmounted since it last asked
// (or since it was made). Mount ids that are not unique may come back to a
// later mount; a change of the table tells when they cannot be trusted.
class MountTableWatch
{
public:
    MountTableWatch();
    ~MountTableWatch();
    MountTableWatch(const MountTableWatch &) = delete;
    MountTableWatch &operator=(const MountTableWatch &) = delete;
    // True when the table changed, or cannot be watched.
    bool changed();

private:
    int m_fd = -1;
};

// True when the volume holding `folder` is mounted read-only, as `disk` tells.
bool isReadOnlyVolume(Disk &disk, const QString &folder);

// Where the program asks; those that ask are handed one, tests their own.
class VolumeIdentitySource
{
public:
    virtual ~VolumeIdentitySource();
    virtual VolumeIdentity identity(const QString &folder) const = 0;
    // The identity of the volume holding the open folder: identity() of the
    // path it has now, not valid when that path leads to another folder.
    virtual VolumeIdentity identityAt(int folderFd) const;
    virtual MountStamp mountStamp(int folderFd) const;
};

// The system's mount table, /dev/disk/by-uuid and /sys (empty paths take these).
class SystemVolumeIdentitySource : public VolumeIdentitySource
{
public:
    explicit SystemVolumeIdentitySource(const QString &mountTablePath = QString(),
                                        const QString &byUuidPath = QString(), const QString &sysRoot = QString());
    VolumeIdentity identity(const QString &folder) const override;

private:
    QString m_mountTable;
    QString m_byUuid;
    QString m_sysRoot;
};

// The system's (SystemVolumeIdentitySource with its defaults).
const VolumeIdentitySource &systemVolumeIdentitySource();

} // namespace ztplatform

#endif

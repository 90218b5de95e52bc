#ifndef ZT_PLATFORM_DISMOUNT_H
#define ZT_PLATFORM_DISMOUNT_H

#include <QString>
#include <QStringList>

// Dismounts the volume mounted exactly at a mount point, so that the pad can
// be unplugged safely. Those that dismount are handed one: tests a fake.
class VolumeDismounter {
public:
    virtual ~VolumeDismounter();
    // True when a volume is mounted at mountPoint (a trailing "/" aside) and
    // it was dismounted.
    virtual bool dismount(const QString &mountPoint) = 0;
};

// `sync -f <mount point>`, then `udisksctl unmount -b <device>` when
// udisksctl is there and the device is mounted nowhere else, else (or when
// that fails) `umount <mount point>`; each capped at 30 s. The volume is
// found in the mount table, without a look at any mounted volume.
class SystemVolumeDismounter : public VolumeDismounter {
public:
    static constexpr int COMMAND_TIMEOUT_MS = 30000;

    bool dismount(const QString &mountPoint) override;

protected:
    struct Volume {
        QString device; // empty when no volume is mounted there
        int mountCount = 0; // mount points of that device
    };
    // The volume mounted exactly at mountPoint, from the system's volumes.
    virtual Volume findVolume(const QString &mountPoint) const;
    virtual QString findProgram(const QString &name) const;
    // Runs the command; true when it finished in time with exit code 0.
    virtual bool run(const QString &program, const QStringList &args, int timeoutMs);
};

#endif

#ifndef ZT_PLATFORM_REMOVABLEDRIVES_H
#define ZT_PLATFORM_REMOVABLEDRIVES_H

#include <QString>
#include <QVector>

#include <atomic>

// One mounted volume as the drive chooser sees it.
struct DriveEntry
{
    QString root;           // mount point with a trailing "/"
    bool removable = false; // flagged removable, or mounted by the desktop under /media
};

// Source of the system's drive list; the chooser asks it on every look.
// Those that ask are handed one: tests hand in a fake list.
class DriveSource
{
public:
    virtual ~DriveSource();
    // Read from the kernel's mount table and sysfs: never from a drive, so it
    // does not wait on one.
    virtual QVector<DriveEntry> drives() const = 0;
    // Looks at the drive's root itself (a stat), which waits as long as the
    // drive takes to answer, for ever on a dead network or FUSE mount: asked
    // off the GUI thread only. True when the root is a folder.
    virtual bool answers(const QString &root) const;
};

// A drive source as work on threads of its own reaches it: once its owner
// lets go, work that asks later is told of no drive and no answer, and the
// source (which may be gone) is not asked.
class DriveAsk : public DriveSource
{
public:
    explicit DriveAsk(const DriveSource &source)
        : m_source(&source)
    {
    }
    QVector<DriveEntry> drives() const override;
    bool answers(const QString &root) const override;
    void letGo() { m_source = nullptr; }

private:
    std::atomic<const DriveSource *> m_source;
};

// Reads the mount table and the block device flags of sysfs.
class SystemDriveSource : public DriveSource
{
public:
    // Empty paths take the defaults "/proc/self/mountinfo" and "/sys".
    explicit SystemDriveSource(const QString &mountTablePath = QString(),
                               const QString &sysRoot = QString());
    QVector<DriveEntry> drives() const override;

private:
    QString m_mountTable;
    QString m_sysRoot;
};

namespace ztplatform {

struct MountEntry
{
    QString source;     // device or source text
    QString mountPoint; // unescaped, without trailing "/" (except "/")
    QString fsType;
    QString majorMinor; // "8:17" from mountinfo, empty for /proc/mounts
};

// Parses either /proc/self/mountinfo or /proc/mounts text.
QVector<MountEntry> parseMountTable(const QByteArray &text);

// True when the block device of the entry is flagged removable (partitions
// resolved to their disk), or the mount point is under /media/ or /run/media/.
bool isRemovableMount(const MountEntry &entry, const QString &sysRoot);

// The serial number of the USB device the entry's block device sits on, as
// sysfs gives it; empty when it is no USB device or has none.
QString usbSerialOf(const MountEntry &entry, const QString &sysRoot);

// The drives of a mount table file.
QVector<DriveEntry> drivesFromMountTable(const QString &mountTablePath, const QString &sysRoot);

// The path without trailing "/" ("/" itself stays).
QString withoutTrailingSlash(QString path);

// The system's drives (SystemDriveSource with its defaults).
const DriveSource &systemDriveSource();

} // namespace ztplatform

#endif

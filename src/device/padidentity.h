#ifndef ZT_DEVICE_PADIDENTITY_H
#define ZT_DEVICE_PADIDENTITY_H

// What tells the pad that was loaded from another pad mounted at its place.

#include "device/devicemessage.h"
#include "platform/anchoredfolder.h"
#include "platform/volumeidentity.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <utility>

// Where the identity of a pad is read.
struct PadPlaces {
    QString root; // the drive root
    QString clickPath; // SYS/CLICK
    QString globalFile; // SYS/global.ini
    QVector<QString> kitFiles; // the kit file of each slot (empty where none)
    const ztplatform::VolumeIdentitySource *volumes = nullptr; // the volume is asked there; null: the system's
    ztplatform::Disk *disk = nullptr; // the files are read through it; null: the system's
};

// The volume's serial numbers, a fingerprint of what the editor never
// writes (the bytes of global.ini outside the kit-chain block and the times
// of the metronome folder) and a digest of each kit record, all read below
// one open root, with the mount that root lay on. The editor's own writes
// leave the first two as they were read; its kit writes are taken into the
// digests as they land.
struct PadIdentity {
    ztplatform::VolumeIdentity volume;
    ztplatform::MountStamp mount;
    // Tells of every mount and unmount since right before the identity was read.
    std::shared_ptr<ztplatform::MountTableWatch> table;
    bool present = false; // the volume and its global.ini could be read
    QString settingsWhy; // why global.ini is not read though something stands there
    bool settingsBehindLink = false; // a folder on the way to global.ini is a link
    QByteArray fingerprint;
    QVector<QByteArray> kits; // KIT_MAX_COUNT digests, when read

    bool isValid() const { return volume.valid; }
};

// The digest a kit record is known by.
QByteArray kitDigest(const QByteArray &record);
// The fingerprint of the pad read as `id` once its global.ini holds `global`:
// the metronome folder's times stay as read.
QByteArray fingerprintWith(const PadIdentity &id, const QByteArray &global);

// Read now below the root opened once, the volume through `places.volumes`;
// the kit records too when `withKits`.
PadIdentity readPadIdentity(const PadPlaces &places, bool withKits = false);
// The same below the open root `rootFd`, without a table watch.
PadIdentity readPadIdentityAt(int rootFd, const PadPlaces &places, bool withKits = false);

// What stands at the pad's place, against the pad loaded.
struct PadMatch {
    enum Verdict {
        Same,
        Gone, // no volume or no global.ini at the place
        OtherVolume, // a serial number differs
        OtherSettings, // global.ini or the metronome folder differ
        OtherKits, // a copy whose kit records differ
        SettingsNotAFile, // no regular file stands at global.ini
    };
    PadMatch(Verdict v = Same, QVector<int> k = {}, QString w = {})
        : verdict(v)
        , kits(std::move(k))
        , why(std::move(w))
    {
    }

    Verdict verdict;
    QVector<int> kits; // 1-based, for OtherKits
    QString why; // what stands at global.ini, for SettingsNotAFile
    QString file; // global.ini's path, for SettingsNotAFile
    // For OtherSettings: the serial both sides have (and so share), else
    // whether one side has any.
    enum Serials { NeitherHasOne, OneSideOnly, SameVolumeSerial, SameUsbSerial };
    Serials serials = NeitherHasOne;

    bool same() const { return verdict == Same; }
    bool another() const { return verdict != Same && verdict != Gone; }
};

// `now` against `loaded`; the kits only when both hold digests.
PadMatch matchPad(const PadIdentity &loaded, const PadIdentity &now);

// Decides, before each file below the pad's root is opened for writing or
// removed, whether the pad at the place is the one loaded. As long as the
// root lies on the mount the loaded identity was read on (mount id and root
// inode; where ids may be given again, also no change of the mount table),
// nothing more is read; a new mount (the pad back, maybe on another device,
// or another pad) is judged once by the whole identity, kits included, read
// below the root it then admits. Once another pad was found, every later
// check refuses. Thread-safe.
class PadGuard : public ztplatform::RootCheck
{
public:
    // `loaded` with its kit digests; the mount it was read on is the pad's.
    PadGuard(const PadPlaces &places, const PadIdentity &loaded);

    ztplatform::Reach admit(int rootFd) override;
    // The mount last admitted, with nothing that doubts it.
    bool admitsMount(const ztplatform::MountStamp &mount) override;
    // Opens the root and judges it; `settingsToo` also reads the volume's
    // serials and the fingerprint when the mount is the same.
    PadMatch check(bool settingsToo);
    // Kit `slot` (0-based) now holds `record`, written by the editor.
    void kitWritten(int slot, const QByteArray &record);
    // global.ini may hold `bytes` from now on, written by the editor: with
    // them it is still the pad loaded.
    void globalWriting(const QByteArray &bytes);
    // Another pad found by an earlier check; Same when none.
    PadMatch lost() const;
    // True when a check since the last call found no pad at the place.
    bool takeAway();

private:
    PadMatch judge(int rootFd, bool settingsToo);

    mutable QMutex m_lock;
    const PadPlaces m_places;
    PadIdentity m_loaded;
    QByteArray m_writtenFingerprint; // of the global.ini the editor writes
    ztplatform::MountStamp m_mount;
    std::shared_ptr<ztplatform::MountTableWatch> m_table;
    bool m_doubt = false; // the last check did not find the pad: judge again
    bool m_away = false; // a check found no pad at the place
    PadMatch m_lost;
};

// Another pad found at the pad's place (title "Error"): which it is, then
// `more` (what was not saved), each on a line.
DeviceMessage anotherPadMessage(const PadMatch &match, const QStringList &more = {});

#endif

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

// Where the identity of a pad is read.
struct PadPlaces {
    QString root; // the drive root
    QString clickPath; // SYS/CLICK
    QString globalFile; // SYS/global.ini
    QVector<QString> kitFiles; // the kit file of each slot (empty where none)
};

// The volume's serial numbers, a fingerprint of what the editor never
// writes (the bytes of global.ini outside the kit-chain block and the times
// of the metronome folder) and a digest of each kit record. The editor's
// own writes leave the first two as they were read; its kit writes are
// taken into the digests as they land.
struct PadIdentity {
    ztplatform::VolumeIdentity volume;
    bool present = false; // the volume and its global.ini could be read
    QByteArray fingerprint;
    QVector<QByteArray> kits; // KIT_MAX_COUNT digests, when read

    bool isValid() const { return volume.valid; }
};

// The digest a kit record is known by.
QByteArray kitDigest(const QByteArray &record);

// Read now, the volume through ztplatform::volumeIdentitySource(); the kit
// records too when `withKits`.
PadIdentity readPadIdentity(const PadPlaces &places, bool withKits = false);

// What stands at the pad's place, against the pad loaded.
struct PadMatch {
    enum Verdict {
        Same,
        Gone, // no volume or no global.ini at the place
        OtherVolume, // a serial number differs
        OtherSettings, // global.ini or the metronome folder differ
        OtherKits, // a copy whose kit records differ
    };
    Verdict verdict = Same;
    QVector<int> kits; // 1-based, for OtherKits

    bool same() const { return verdict == Same; }
    bool another() const { return verdict != Same && verdict != Gone; }
};

// `now` against `loaded`; the kits only when both hold digests.
PadMatch matchPad(const PadIdentity &loaded, const PadIdentity &now);

// Decides, before each file below the pad's root is opened for writing or
// removed, whether the pad at the place is the one loaded. As long as the
// root lies on the mount it was on (mount id and root inode), nothing more is
// read; a new mount (the pad back, maybe on another device, or another pad)
// is judged once by the whole identity, kits included. Once another pad was
// found, every later check refuses. Thread-safe.
class PadGuard : public ztplatform::RootCheck
{
public:
    // `loaded` with its kit digests; the mount of the root now is the pad's.
    PadGuard(const PadPlaces &places, const PadIdentity &loaded);

    ztplatform::Reach admit(int rootFd) override;
    // Opens the root and judges it; `settingsToo` also reads the volume's
    // serials and the fingerprint when the mount is the same.
    PadMatch check(bool settingsToo);
    // Kit `slot` (0-based) now holds `record`, written by the editor.
    void kitWritten(int slot, const QByteArray &record);
    // Another pad found by an earlier check; Same when none.
    PadMatch lost() const;

private:
    PadMatch judge(int rootFd, bool settingsToo);

    mutable QMutex m_lock;
    const PadPlaces m_places;
    PadIdentity m_loaded;
    ztplatform::MountStamp m_mount;
    ztplatform::MountTableWatch m_table;
    bool m_doubt = false; // the last check did not find the pad: judge again
    PadMatch m_lost;
};

// Another pad found at the pad's place (title "Error"): which it is, then
// `more` (what was not saved), each on a line.
DeviceMessage anotherPadMessage(const PadMatch &match, const QStringList &more = {});

#endif

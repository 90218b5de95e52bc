#ifndef ZT_DEVICE_PADKITS_H
#define ZT_DEVICE_PADKITS_H

// Reading the pad's 100 kit record files KIT/k001.ini ... k100.ini into the
// editor's kits, and its global settings file SYS/global.ini.

#include "device/devicemessage.h"
#include "device/padsounds.h"
#include "model/mainwindow1records.h"

#include <QVector>

// Where the bare kit records are read to (the window's base0, pedal0, pad0);
// null members make the reader use storage of its own.
struct KitRecordStorage {
    percussionpadfile::P_KIT_BASE_PARA *base = nullptr;
    percussionpadfile::P_PEDAL_SETTING *pedal = nullptr;
    percussionpadfile::P_KIT_PAD_SETTING (*pads)[PAD_NUM_MAX] = nullptr;
};

struct PadKits {
    bool ok = false;
    // On failure the refusal; otherwise the kit rename warning, if any.
    DeviceMessages messages;
    // KIT_MAX_COUNT entries in slot order (kit n at n - 1), wave numbers as
    // the pad stores them (the .prm number - 1, 0xFFFF none).
    QVector<MainWindow1Records::soundKit> kits;
    QVector<QString> kitFiles; // the file each kit was read from
    QVector<QByteArray> kitRecords; // the record bytes read from each file (empty where none)
    QVector<int> kitIndex; // byte 0 of each record's reserved bytes
    QVector<int> renamedKits; // 1-based numbers of kits whose names changed
    QHash<int, namerules::NameChange> renamedKitNames; // each one's name stored and taken
    QVector<quint8> nameAdjusted; // 1 where the name held differs from the stored one
    QStringList linksLeftOut; // kit files that are symbolic links, not read
    // The kit folder read was not the loaded pad's to the end (another pad,
    // a link or another folder at its path, or no pad): nothing read is kept.
    bool padChanged = false;
};

// Slot 0 ... 99 of a file named kNNN.ini (any case, NNN 001 ... 100); -1 else.
int padKitSlot(const QString &fileName);

// Reads every slot's kit record. `waveAttrList` resolves the sound names and
// files (the last sound of a number wins); `scratch` (KIT_MAX_COUNT kits or
// null) gives the fields a record does not hold, and the whole kit of a slot
// whose file is a link (never written back). Refuses the pad when a kit file
// is missing, unreadable or shorter than one record, or when every kit file
// is a link. The folder is reached below `root` (its check admits the pad)
// and read through its descriptor: no link is followed, no pipe waited on,
// and the folder must still stand at its path when the read ends.
PadKits readPadKits(const ztplatform::FolderAnchor &root, const QString &kitPath,
                    const QVector<MainWindow1Records::SOUND_INDEX> &waveAttrList,
                    const MainWindow1Records::soundKit *scratch, KitRecordStorage storage = KitRecordStorage(),
                    const EventPump &pump = EventPump());
// The same for a kit folder of the editor's own (a backup): its own root.
PadKits readPadKits(const QString &kitPath, const QVector<MainWindow1Records::SOUND_INDEX> &waveAttrList,
                    const MainWindow1Records::soundKit *scratch, KitRecordStorage storage = KitRecordStorage(),
                    const EventPump &pump = EventPump());

// What the read gives when the pad changed under it (`away`: no pad is at
// its place): nothing read, and the box the sounds' read gives.
PadKits padKitsChanged(bool away);

// The kit-name rules for kit number n (1-based); `counted` when the name
// was replaced or cut.
QString adjustPadKitName(const QString &stored, int n, bool *counted);

// The most of a global settings file kept whole.
constexpr int GLOBAL_FILE_MAX = 64 * 1024;

struct PadGlobal {
    bool ok = false; // the file could be opened
    bool currentLayout = false; // it holds a current-layout chunk
    int globalSize = GLOBAL_CHUNK_SIZE; // the size of the chunk read
    QByteArray chainBlock; // the bytes where the kit-chain block lies, as read
    QByteArray fileBytes; // the whole file as read (at most GLOBAL_FILE_MAX bytes)
    DeviceMessages messages; // the refusal when it cannot be opened
    // SYS was not the loaded pad's to the end: nothing read is kept.
    bool padChanged = false;
};

// Reads the global settings file into `model` (kind 1 while reading, kind 4
// for the kit records afterwards). A chunk that cannot be read leaves the
// model's defaults and is not taken for the current layout. The file is
// opened below `root` (its check admits the pad) as the kits are, `pump`
// runs once it is read, and its folder must still stand at its path then.
PadGlobal readPadGlobal(const ztplatform::FolderAnchor &root, const QString &usbGlobalIniFile,
                        percussionpadfile &model, const EventPump &pump = EventPump());
// The same for a file of the editor's own (a backup): its folder is the root.
PadGlobal readPadGlobal(const QString &usbGlobalIniFile, percussionpadfile &model);

#endif

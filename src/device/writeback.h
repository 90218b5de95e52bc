#ifndef ZT_DEVICE_WRITEBACK_H
#define ZT_DEVICE_WRITEBACK_H

// Writing the run's changes back to the pad when the editor closes: the kits
// that differ from the copies taken at load, the kit-chain block of
// SYS/global.ini and the change file SYS/alter.ini.

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/padidentity.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"
#include "platform/leftovers.h"
#include "platform/removabledrives.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

namespace writeback {

constexpr int ALTER_FILE_SIZE = 106;
constexpr quint16 CHANGE_MARK = 0xAA55;

// True when `drives` still lists `root` (trailing "/" aside) as a
// removable drive and the model folder above kitPath still exists, looked
// at through `disk`.
bool padDrivePresent(const DriveSource &drives, const QString &root, const QString &kitPath, ztplatform::Disk &disk);
// "The 350 device was disconnected." ... (title "Error").
DeviceMessage driveGoneMessage();
// The notice to disconnect the pad, shown before anything is written
// (an information box titled "Confirm").
DeviceMessage disconnectNotice();

// The pad could not be dismounted (title "Warning").
DeviceMessage dismountFailedMessage();

// False at the first difference of the nine chains that reaches global.ini
// (active byte, the number of an active chain and the chain's own row of
// steps); the number of a chain switched off is only its row's.
bool kitChainsEqual(const QVector<MainWindow1Records::KIT_CHAIN> &current,
                    const QVector<MainWindow1Records::KIT_CHAIN> &original);
// True when the kits differ in a field that is written back; wave positions,
// effect numbers, names of sounds and a few pad fields do not count.
bool kitDiffers(const MainWindow1Records::soundKit &current, const MainWindow1Records::soundKit &original);

// The 184 bytes of the kit-chain block at offset 498 of global.ini.
QByteArray kitChainBlock(const QVector<MainWindow1Records::KIT_CHAIN> &chains);
// The 106 bytes of alter.ini.
QByteArray alterFileBytes(bool kitsWritten, bool wavesChanged, bool globalChanged, const QVector<quint8> &kitFlags);
// kitPath + "/k001.ini" ... "/k100.ini".
QString kitFileName(const QString &kitPath, int kitNum);

using PadWrite = MainWindow1Records::PadRecordWrite;

// Why the pad takes nothing more.
enum class PadStop {
    None,
    Gone, // the drive is no longer listed, or no pad tree stands at the place
    ReadOnly, // the volume is mounted read-only
    AnotherPad, // not the pad loaded
    WasAway, // the pad was not at its place for a moment and is back
};
// The sentence that names a stop (Gone, ReadOnly, WasAway).
QString padStopText(PadStop stop);

// Writes alter.ini in sysPath (reached from padRoot without following a link)
// whole: synced temporary file, then rename; a link of that name is replaced,
// never written through. Without room for the temporary file, an existing
// alter.ini of the same size is rewritten in place. When it is not written,
// `usedPath` gets the file tried and `why` the reason, when one is known.
// The SYS folder is swept through `leftovers`.
PadWrite writeAlterFile(const ztplatform::FolderAnchor &padRoot, const QString &sysPath, const QByteArray &bytes,
                        QString *usedPath = nullptr, QString *why = nullptr,
                        const std::shared_ptr<ztplatform::Leftovers> &leftovers = nullptr);
// Why the kit file `file` below `padRoot` cannot take a kit record in place:
// what stands there when it is no regular file, that nothing does, or that it
// is shorter than a record; empty when none of these.
QString kitFileReason(const ztplatform::FolderAnchor &padRoot, const QString &file);

// The window's state the write-back reads and changes.
// The window's kit lists a write-back reads and marks.
struct KitLists {
    QVector<MainWindow1Records::soundKit> *kits = nullptr; // kitAttrList
    const QVector<MainWindow1Records::soundKit> *originalKits = nullptr; // originalKitAttrList
    const QVector<MainWindow1Records::KIT_CHAIN> *chains = nullptr; // kitChainList
    const QVector<MainWindow1Records::KIT_CHAIN> *originalChains = nullptr; // originalKitChainList
    QVector<quint8> *kitFlags = nullptr; // kitNumFlagList
    const QVector<quint8> *nameAdjusted = nullptr; // kitNumFlagList1
    int *kitChangedFlag = nullptr;
    int *globalFlag = nullptr;
    QVector<quint8> *kitMarks = nullptr; // 1: the kit was written to the pad in this run; alter.ini's marks
};

struct WriteBackJob : KitLists {
    bool wavesChanged = false; // sounds added, deleted or renumbered in this run
    QString kitPath; // for kits without a file from the load
    QVector<QString> kitFiles; // the file each kit was read from
    QVector<QByteArray> kitRecords; // the record each kit file held at load
    QString globalFile; // usbGlobalIniFile
    QByteArray chainBlock; // global.ini's kit-chain block at load
    QByteArray globalAsLoaded; // global.ini whole at load
    QByteArray restoredGlobal; // the global settings file a restore put into the editor, empty when none
    ztplatform::FolderAnchor padRoot; // the pad's root as loaded; every write stays below it
    std::shared_ptr<ztplatform::Leftovers> leftovers; // swept from the folders it replaces files in
    std::shared_ptr<PadGuard> padGuard; // when set: asked before the first write, told of each kit written
    std::function<void(const QByteArray &)> globalReplacing; // told global.ini's bytes before it is replaced whole
    QString driveRoot; // the pad's drive, to tell it gone; without one, gone is no model folder above kitPath
    std::shared_ptr<const DriveSource> drives; // where driveRoot is looked for; null: the system's
    QString sysPath;
    WaveFileIndex waves; // the total sound list by file
};

// The sound files whose rows `waves` must hold: those named by the kits the
// write-back may write (changed, marked or renamed at load), as they are and
// as loaded. A kit equal to its copy in every field and sound slot is judged
// without the list: refreshed from it or not, it equals its copy.
QSet<QString> soundFilesToLookUp(const WriteBackJob &job);

// Bytes of a global settings file that hold a current-layout chunk with room
// for the kit-chain block: the layout the pad reads.
bool isCurrentGlobalFile(const QByteArray &bytes);

// The global.ini a restore writes: the restored file with the chains as they
// stand in its kit-chain block. Empty when there is none, when it holds no
// current-layout chunk, or when it differs from the file as loaded in the
// chains alone (those are written in place as any chains).
QByteArray restoredGlobalBytes(const WriteBackJob &job);

struct WriteBackResult {
    bool chainsWritten = false;
    bool globalWritten = false; // a restored global.ini, the chains in it
    QVector<int> kitsWritten; // 1-based
    QVector<int> kitsNotSaved; // 1-based, for any reason
    bool alterWritten = false;
    bool failed = false; // anything that should have been written was not
    PadStop stop = PadStop::None; // what ended the writing early
    PadMatch another; // which pad, for AnotherPad
    DeviceMessages messages; // warnings in the order to show them
};

// Writes the changed kit chains, the changed kits (wave numbers refreshed from
// `waves` first) and alter.ini. A file is written only below the pad's root
// as loaded (the pad loaded, when a guard judges the root) and, for the kit
// records and the chain block, only while it holds the bytes read at load.
// A read-only volume, a pad gone or another pad stops it: nothing more is
// written, and one box says why, what was saved before and what was not.
// Otherwise what is not written is named in one warning.
// `progress` gets 1, 2, 4 and 5 as the steps end.
WriteBackResult writeBack(WriteBackJob &job, const std::function<void(int)> &progress = {});

} // namespace writeback

#endif

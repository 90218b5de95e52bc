#ifndef ZT_DEVICE_PADSESSION_H
#define ZT_DEVICE_PADSESSION_H

// The pad the editor works on in device mode: where its tree lies, what the
// load found there, and the batches of sounds added to and deleted from it.

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/padidentity.h"
#include "device/padtree.h"
#include "device/syncbatch.h"
#include "device/writeback.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

// The pad tree's paths (kitPath, sysPath, ...) are the session's own members.
class PadSession : public PadTreePaths
{
public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using soundKit = MainWindow1Records::soundKit;
    using KIT_CHAIN = MainWindow1Records::KIT_CHAIN;

    // ---- the pad's tree and identity ----------------------------------------
    // Sets KIT, SYS, WAV_DATA and WAV_PRM below the model folder; false, with
    // what to tell in `warning`, when one is not a folder there.
    bool getRootDirPath(const QString &modelFolder, DeviceMessage *warning);
    // Finds CLICK, global.ini and the numbered wave folders below those; false,
    // with `warning`, when the tree cannot be used.
    bool judgeFourFile(DeviceMessage *warning);
    // The pad's wave folders exist: workers may run.
    bool padFoldersReady() const;
    // The drive is still listed and the model folder above KIT still there.
    bool drivePresent() const;
    // Where the pad's identity is read.
    PadPlaces padPlaces() const;
    // The identity of what stands at the pad's place now.
    PadIdentity currentPadIdentity() const;
    // From now on the guard judges the pad before each write and read below
    // its root: `loaded` with the digests of the kit records read at load.
    void guardPad(PadIdentity loaded);
    // The pad at the pad's place judged now; Same when no pad was loaded.
    PadMatch padCheck(bool settingsToo);
    // Another pad stands at the pad's place: nothing below the pad's root is
    // read any more and the session goes offline.
    void padLost();
    // Why sounds of a batch did not reach the pad (None when nothing says so);
    // `lost` gets the other pad, for AnotherPad. WasAway: the pad was not at
    // its place when the batch began or while it ran, and is back.
    writeback::PadStop batchStop(PadMatch *lost);

    // ---- the close ----------------------------------------------------------
    // The document's lists and flags the write-back reads and changes.
    struct KitLists {
        QVector<soundKit> *kits = nullptr;                  // kitAttrList
        const QVector<soundKit> *originalKits = nullptr;    // originalKitAttrList
        const QVector<KIT_CHAIN> *chains = nullptr;         // kitChainList
        const QVector<KIT_CHAIN> *originalChains = nullptr; // originalKitChainList
        QVector<quint8> *kitFlags = nullptr;                // kitNumFlagList
        const QVector<quint8> *nameAdjusted = nullptr;      // kitNumFlagList1
        int *kitChangedFlag = nullptr;
        int *globalFlag = nullptr;
    };
    // The rows of the total sound list holding the files asked for.
    using SoundRows = std::function<WaveFileIndex(const QSet<QString> &files)>;
    // The write-back of the close: the kits of `lists` against the pad as
    // loaded, with the rows of the sound files it may need.
    writeback::WriteBackJob writeBackJob(const KitLists &lists, bool soundsReordered, const SoundRows &rows) const;

    // ---- batches ------------------------------------------------------------
    // An add batch of addUsbWaveList, whose records are the last ones of
    // `records`: the sounds with the numbers they take on the pad, and the
    // last number given. Not `ready`: every sound counts as failed.
    struct AddPlan {
        QVector<SyncBatch::Sound> sounds;
        int lastNumber = 0;
    };
    AddPlan beginAddBatch(const QVector<SOUND_INDEX> &records, bool ready);
    // One sound of an ended add batch.
    struct AddedSound {
        int number = 0;
        QString source;
        QString name;
        bool reached = false; // on the pad now
        QString device;       // its .wav on the pad, when it reached it
        quint32 length = 0;   // and that file's size
    };
    // Ends the add batch: each sound and whether it reached the pad. The
    // change file counts only those that did.
    QVector<AddedSound> finishAddBatch();

    // A delete batch of delUsbWaveList; not `ready`: no pair is removed.
    void beginDeleteBatch(bool ready);
    // A worker could not remove the pair of `path`, for `why` (UsbUpdate::NotRemoved).
    void pairNotRemoved(const QString &path, int why);
    struct DeleteOutcome {
        QSet<QString> removed;    // native .wav paths gone from the pad
        QHash<QString, int> kept; // native .wav paths that stay, and why
    };
    // Ends the delete batch: what it removed and what stays.
    DeleteOutcome finishDeleteBatch();
    // A sound that stays on the pad: its number no longer counts as deleted.
    void keepDeletedNumber(quint16 number);
    // The records of pairs that stay go back into `records` at their places;
    // those of removed pairs stay out.
    void restoreDeletedRecords(QVector<SOUND_INDEX> &records);

    // ---- mode ---------------------------------------------------------------
    bool isUDiskFlag = true; // true means working without the pad (offline); false in device mode
    bool padClosing = false; // the close in device mode is under way

    // ---- the pad's tree -----------------------------------------------------
    QString currentDirPath;             // the drive root the user chose ("/" at the end)
    ztplatform::FolderAnchor padRoot;   // the pad's root at load; the pad's files are written only below it
    std::shared_ptr<PadGuard> padGuard; // tells the pad loaded from another one at its place, before each write
    QStringList padLinksLeftOut;        // symbolic links of the pad's tree the load left out
    QStringList clickSkipped;           // entries of the metronome folder that are no file, and what they are

    // ---- as loaded ----------------------------------------------------------
    QVector<QString> padKitFiles;      // the file each kit was read from at load
    QVector<QByteArray> padKitRecords; // and the record it held then
    QByteArray padChainBlock;          // global.ini's kit-chain block at load

    // ---- sounds added and removed in this run -------------------------------
    QStringList addUsbWaveList;         // sources of the next add batch
    QStringList delUsbWaveList;         // .wav paths of the next delete batch
    QVector<quint16> addUsbWaveNumList; // numbers added to the pad, for the change file
    QVector<quint16> delUsbWaveNumList; // numbers deleted from the pad, for the change file

    // ---- the batch under way ------------------------------------------------
    SyncBatch::Kind padBatchKind = SyncBatch::Idle; // the batch whose completion is due
    QVector<int> waveNumList;      // the running add batch: numbers,
    QVector<QString> addSoundList; // source files
    QVector<QString> waveNameList; // and names
    QVector<int> failedWaveList;   // numbers of the add batch that did not reach the pad
    QVector<QString> delBatchList; // the running delete batch's .wav paths
    QVector<QPair<int, SOUND_INDEX>> delBatchRecords; // their records with their places, taken out by the delete
    QHash<QString, int> delNotRemoved; // .wav paths (native) of the batch that stay on the pad, and why
    bool padBatchRefused = false; // the running batch found no pad to write to when it began

private:
    // A batch begins: `ready` when the pad stood at its place.
    void beginBatchWatch(bool ready);
};

#endif

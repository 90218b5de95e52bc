#ifndef ZT_DEVICE_PADSESSION_H
#define ZT_DEVICE_PADSESSION_H

// The pad the editor works on in device mode: where its tree lies, what the
// load found there, and the batches of sounds added to and deleted from it.

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/padidentity.h"
#include "device/padtree.h"
#include "device/padsystem.h"
#include "device/padwatch.h"
#include "device/syncbatch.h"
#include "device/writeback.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"
#include "platform/leftovers.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

// The session changes only through its methods, each named for what
// happened; modeChanged() tells each change of mode once.
class PadSession : public QObject
{
    Q_OBJECT

public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using soundKit = MainWindow1Records::soundKit;
    using KIT_CHAIN = MainWindow1Records::KIT_CHAIN;

    // Where the editor stands with the pad; isUDiskFlag() is true when Offline or Lost.
    enum class Mode {
        Offline, // working without the pad (also after a close on the pad failed)
        Loading, // the chosen pad loads: device mode, not yet shown as such
        OnPad,   // the pad loaded: device mode
        Lost,    // another pad was found at the pad's place: offline for good
    };
    Q_ENUM(Mode)

    // Asks the system through `system`; the files it replaces sweep their
    // folders through `leftovers` (none: no sweep). A pad found not to be the
    // one loaded is fenced off in `fence` (none: one of its own). A file whose
    // look is given up on stays silent in `silent` (none: in one of its own).
    explicit PadSession(const PadSystem &system = PadSystem(),
                        std::shared_ptr<ztplatform::Leftovers> leftovers = nullptr,
                        std::shared_ptr<ztplatform::FolderFence> fence = nullptr,
                        std::shared_ptr<ztplatform::SilentFiles> silent = nullptr, QObject *parent = nullptr);
    ~PadSession() override;

    // ---- the system ---------------------------------------------------------
    // The drives as work on threads of its own asks them: let go with the session.
    std::shared_ptr<const DriveAsk> drives() const { return m_drives; }
    VolumeDismounter &dismounter();
    // The disk the pad's backups are written through; null: the system's.
    ztplatform::Disk *backupDisk() const { return m_system.backupDisk; }
    // The disk every read and write below the pad's root goes through; null: the system's.
    ztplatform::Disk *disk() const { return m_system.disk; }
    // The sweep of the editor's left-over temporaries.
    const std::shared_ptr<ztplatform::Leftovers> &leftovers() const { return m_leftovers; }
    // The pad's folder fenced or watched, for every read of a file by its name.
    const std::shared_ptr<ztplatform::FolderFence> &fence() const { return m_fence; }
    // The files whose looks were given up on, for every look at a file.
    const std::shared_ptr<ztplatform::SilentFiles> &silentFiles() const { return m_silent; }

    // ---- mode ---------------------------------------------------------------
    Mode mode() const { return m_mode; }
    // True when working without the pad (offline); false in device mode.
    bool isUDiskFlag() const { return m_mode == Mode::Offline || m_mode == Mode::Lost; }
    // The close in device mode is under way.
    bool padClosing() const { return m_padClosing; }
    // The chooser gave no pad (`choice` is its text or empty): offline.
    void chooseNoPad(const QString &choice);
    // The drive at `root` was chosen: device mode while its load runs.
    void beginLoad(const QString &root);
    // The load ended well: from now on the guard judges the pad before each
    // write and read below its root, `loaded` with the digests of the kit
    // records read at load.
    void padLoaded(PadIdentity loaded);
    // The load was refused or the close on the pad failed: offline.
    void leaveDeviceMode();
    // Another pad stands at the pad's place: nothing below the pad's root is
    // read any more and the session goes offline.
    void padLost();
    // The close in device mode begins; false when one is under way already.
    bool beginClose();
    void endClose();

    // ---- the pad's tree and identity ----------------------------------------
    const QString &currentDirPath() const { return m_currentDirPath; } // the drive root chosen ("/" at the end)
    // The pad's root at load: the pad's files are written only below it.
    const ztplatform::FolderAnchor &padRoot() const { return m_padRoot; }
    // The pad's folders and files, as getRootDirPath() and judgeFourFile() found them.
    const PadTreePaths &tree() const { return m_tree; }
    // Symbolic links of the pad's tree the load left out.
    const QStringList &padLinksLeftOut() const { return m_padLinksLeftOut; }
    // Entries of the metronome folder that are no file, and what they are.
    const QStringList &clickSkipped() const { return m_clickSkipped; }

    // Sets KIT, SYS, WAV_DATA and WAV_PRM below the model folder; false, with
    // what to tell in `warning`, when one is not a folder there.
    bool getRootDirPath(const QString &modelFolder, DeviceMessage *warning);
    // Finds CLICK, global.ini and the numbered wave folders below those (the
    // numbered ones listed anew); false, with `warning`, when the tree cannot
    // be used.
    bool judgeFourFile(DeviceMessage *warning);
    // The load left these links of the pad's tree out.
    void noteLinksLeftOut(const QStringList &links);
    // The metronome sounds of the pad's CLICK folder; links and entries that
    // are no file are left out and noted. Those the load read, once taken.
    QStringList clickFiles();
    // The load read the tree (links left out in it are noted), the root as it
    // stood, and the metronome folder.
    void takeTree(const PadTreePaths &tree);
    void anchorRoot(const ztplatform::FolderAnchor &root) { m_padRoot = root; }
    void takeClickFiles(const padtree::ClickFiles &read);
    // The size of a metronome file the load read (-1 when it read none such).
    qint64 clickFileSize(const QString &file) const { return m_clickSizes.value(file, -1); }
    // The pad's wave folders stand below its root, reached without following
    // a link: workers may run.
    bool padFoldersReady() const;
    // The drive is still listed and the model folder above KIT still there.
    bool drivePresent() const;
    // The pad answers: from its load on, its root is looked at every second
    // off the GUI thread. Every look the GUI thread makes at the pad runs on
    // a thread of its own and is waited on at most PadWatch::ANSWER_LIMIT_MS;
    // a pad that does not answer is taken for gone, without a look, until
    // it answers again.
    bool padAnswering() const { return m_watch.answering(); }
    // How the window waits on the pad's looks (it paints meanwhile).
    void useWaiter(ztplatform::Waiter wait)
    {
        m_waiter = wait;
        m_watch.useWaiter(std::move(wait));
    }
    // `work` on a thread of its own, beating its pace after each look at the
    // pad, waited on through the window's waiter (PadWatch::runPaced):
    // nothing when the pad stopped answering, which it then is told.
    template <typename T>
    std::optional<T> runOnPad(std::function<T(const PadPace &)> work, int lookLimitMs = PadWatch::ANSWER_LIMIT_MS)
    {
        return m_watch.runPaced<T>(std::move(work), m_waiter, lookLimitMs);
    }
    // Where the pad's identity is read.
    PadPlaces padPlaces() const;
    // The pad at the pad's place judged now; Same when no pad was loaded.
    PadMatch padCheck(bool settingsToo);
    // Another pad found by an earlier check; Same when none.
    PadMatch lostTo() const;
    // Why sounds of a batch did not reach the pad (None when nothing says so);
    // `lost` gets the other pad, for AnotherPad. WasAway: the pad was not at
    // its place when the batch began or while it ran, and is back.
    writeback::PadStop batchStop(PadMatch *lost);
    // A batch, or a change of the pad's files like one, begins: `ready` when
    // the pad stood at its place. batchStop() tells only what follows.
    void beginBatchWatch(bool ready);

    // ---- as loaded ----------------------------------------------------------
    const QVector<QString> &padKitFiles() const { return m_padKitFiles; }      // the file each kit was read from
    const QVector<QByteArray> &padKitRecords() const { return m_padKitRecords; } // and the record it held then
    // The load read the kits from `files`, holding `records`.
    void takeLoadedKits(const QVector<QString> &files, const QVector<QByteArray> &records);
    // The load read the kit-chain block of global.ini.
    void takeLoadedChainBlock(const QByteArray &block);
    // global.ini as the load read it whole.
    void takeLoadedGlobalFile(const QByteArray &bytes) { m_padGlobalFile = bytes; }
    const QByteArray &loadedGlobalFile() const { return m_padGlobalFile; }
    // A kit record on the pad was written anew (slot and the record it holds
    // now): later writes expect it, and the guard knows the pad by it.
    void kitRecordWritten(int slot, const QByteArray &record);

    // ---- the close ----------------------------------------------------------
    using KitLists = writeback::KitLists;
    // The rows of the total sound list holding the files asked for.
    using SoundRows = std::function<WaveFileIndex(const QSet<QString> &files)>;
    // The write-back of the close: the kits of `lists` against the pad as
    // loaded, with the rows of the sound files it may need.
    writeback::WriteBackJob writeBackJob(const KitLists &lists, bool soundsReordered, const SoundRows &rows) const;

    // ---- sounds queued in this run ------------------------------------------
    // Sources of the next add batch, .wav paths of the next delete batch.
    const QStringList &addUsbWaveList() const { return m_addUsbWaveList; }
    const QStringList &delUsbWaveList() const { return m_delUsbWaveList; }
    // Numbers added to and deleted from the pad, for the change file.
    const QVector<quint16> &addUsbWaveNumList() const { return m_addUsbWaveNumList; }
    const QVector<quint16> &delUsbWaveNumList() const { return m_delUsbWaveNumList; }
    // Sounds are about to be queued for the pad: the last batch's are not
    // queued again. The numbers stay for the change file. The delete queue
    // needs no clearing: the next delete batch takes it whole.
    void clearAddQueue();
    // The sound at `path` goes to the pad as number `number`, or leaves it.
    void queueAdd(const QString &path, quint16 number);
    void queueDelete(const QString &path, quint16 number);
    // The records a delete took out of the list, with their places, kept
    // with the paths it queued until the delete batch that takes them ends.
    void keepDeletedRecords(const QVector<QPair<int, SOUND_INDEX>> &records);

    // ---- batches ------------------------------------------------------------
    SyncBatch::Kind padBatchKind() const { return m_padBatchKind; } // the batch whose completion is due
    const QVector<int> &waveNumList() const { return m_waveNumList; }  // numbers of the running add batch
    int batchRefusal() const { return m_batchRefusal; } // errno of the first write of the add batch the pad refused
    const QVector<QString> &delBatchList() const { return m_delBatchList; } // the running delete batch's .wav paths
    const QVector<QPair<int, SOUND_INDEX>> &delBatchRecords() const { return m_delBatchRecords; }
    // Why a pair stays: UsbUpdate::NotRemoved and the errno of the refusal (0 for none).
    struct Kept {
        int why = 0;
        int error = 0;
    };
    // Native .wav paths of the delete batch that stay on the pad, and why.
    const QHash<QString, Kept> &delNotRemoved() const { return m_delNotRemoved; }

    // An add batch of addUsbWaveList, whose records are the last ones of
    // `records`: the sounds with the numbers they take on the pad, and the
    // last number given. Not `ready`: every sound counts as failed.
    struct AddPlan {
        QVector<SyncBatch::Sound> sounds;
        int lastNumber = 0;
    };
    AddPlan beginAddBatch(const QVector<SOUND_INDEX> &records, bool ready);
    // Sound `waveNo` of the add batch did not reach the pad; `refusal` is the
    // errno of a write the pad refused (0 for none).
    void soundNotWritten(int waveNo, int refusal);
    // Sound `waveNo` of the add batch reached the pad as a .wav of `bytes`.
    void soundWritten(int waveNo, qint64 bytes) { m_writtenSizes.insert(waveNo, bytes); }
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

    // The user said that what is left of these pairs (one file gone) goes
    // too: the next delete batch takes them.
    void confirmHalfPairs(const QSet<QString> &paths) { m_halfPairsConfirmed = paths; }
    // A delete batch of delUsbWaveList and the records kept with it, which
    // it takes from the queue; not `ready`: no pair is removed.
    void beginDeleteBatch(bool ready);
    // The running delete batch's .wav paths whose pair may be found half.
    const QSet<QString> &delBatchHalfPairs() const { return m_delBatchHalfPairs; }
    // A worker could not remove the pair of `path`, or (RemovedAtNextLoad)
    // left it for the next load to remove.
    void pairNotRemoved(const QString &path, int why, int error = 0);
    struct DeleteOutcome {
        QSet<QString> removed;     // native .wav paths gone from the pad, or going at its next load:
        QSet<QString> nextLoad;    // those
        QHash<QString, Kept> kept; // native .wav paths that stay, and why
    };
    // Ends the delete batch: what it removed and what stays.
    DeleteOutcome finishDeleteBatch();
    // A sound that stays on the pad: its number no longer counts as deleted.
    void keepDeletedNumber(quint16 number);
    // The records of the batch's pairs that stay go back into `records` at
    // their places, when their rows (native .wav paths) are still listed;
    // the others stay out. Records still queued keep their places among them.
    void restoreDeletedRecords(QVector<SOUND_INDEX> &records, const QSet<QString> &rowsLeft);

signals:
    // The editor entered or left device mode, or lost the pad.
    void modeChanged(PadSession::Mode mode);
    // The pad loaded stopped answering (device mode).
    void padNotAnswering();

private:
    void setMode(Mode mode);

    const PadSystem m_system;
    const std::shared_ptr<ztplatform::Leftovers> m_leftovers;
    const std::shared_ptr<ztplatform::FolderFence> m_fence;
    const std::shared_ptr<ztplatform::SilentFiles> m_silent;
    std::shared_ptr<DriveAsk> m_drives;
    SystemVolumeDismounter m_systemDismounter; // when the system hands none
    Mode m_mode = Mode::Offline;
    bool m_padClosing = false;

    // ---- the pad's tree -----------------------------------------------------
    QString m_currentDirPath;
    PadTreePaths m_tree;
    ztplatform::FolderAnchor m_padRoot;   // the pad's root at load; the pad's files are written only below it
    std::shared_ptr<PadGuard> m_padGuard; // tells the pad loaded from another one at its place, before each write
    mutable PadWatch m_watch;             // whether the pad answers; the GUI thread's looks at it
    ztplatform::Waiter m_waiter;          // how the window waits on them
    QStringList m_padLinksLeftOut;
    QStringList m_clickSkipped;
    std::optional<padtree::ClickFiles> m_clicksRead; // the load's, taken once
    QHash<QString, qint64> m_clickSizes;

    // ---- as loaded ----------------------------------------------------------
    QVector<QString> m_padKitFiles;
    QVector<QByteArray> m_padKitRecords;
    QByteArray m_padChainBlock;
    QByteArray m_padGlobalFile;

    // ---- sounds added and removed in this run -------------------------------
    QStringList m_addUsbWaveList;
    QStringList m_delUsbWaveList;
    QVector<quint16> m_addUsbWaveNumList;
    QVector<quint16> m_delUsbWaveNumList;
    // Records of the queued deletes, each at its place in the list as it was
    // before any of them.
    QVector<QPair<int, SOUND_INDEX>> m_delQueuedRecords;

    // ---- the batch under way ------------------------------------------------
    SyncBatch::Kind m_padBatchKind = SyncBatch::Idle;
    QVector<int> m_waveNumList;      // the running add batch: numbers,
    QVector<QString> m_addSoundList; // source files
    QVector<QString> m_waveNameList; // and names
    QHash<int, qint64> m_writtenSizes; // the add batch's .wav sizes as written
    QVector<int> m_failedWaveList;   // numbers of the add batch that did not reach the pad
    int m_batchRefusal = 0;
    QVector<QString> m_delBatchList;
    QVector<QPair<int, SOUND_INDEX>> m_delBatchRecords; // records of the delete batch with their places
    QHash<QString, Kept> m_delNotRemoved;
    QSet<QString> m_delNextLoad;        // pairs the next load removes
    QSet<QString> m_halfPairsConfirmed; // for the next delete batch
    QSet<QString> m_delBatchHalfPairs;  // and the running one
    bool m_padBatchRefused = false; // the running batch found no pad to write to when it began
};

#endif

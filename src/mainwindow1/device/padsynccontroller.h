#ifndef ZT_MAINWINDOW1_DEVICE_PADSYNCCONTROLLER_H
#define ZT_MAINWINDOW1_DEVICE_PADSYNCCONTROLLER_H

// The pad: choosing it, its load, the add and delete batches, renumbering and the write-back at close.

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/padbackup.h"
#include "model/editstep.h"
#include "device/padidentity.h"
#include "device/padkits.h"
#include "device/padsession.h"
#include "device/renumber.h"
#include "device/writeback.h"
#include "kitfile/fileread.h"
#include "widgets/jobdialog.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class KitDocument;
class KitHeaderController;
class KitPagesController;
class MainPadPageController;
class QWidget;
class SoundLibrary;
class SoundListsController;
class SyncBatch;
class UiPrompter;

class PadSyncController : public QObject
{
    Q_OBJECT

public:
    // The sound lists, the kit pages and the main pad page follow the pad's
    // load, batches and close; boxes and progress dialogs are children of `parent`.
    PadSyncController(KitDocument &doc, SoundLibrary &library, PadSession &pad, SoundListsController &soundLists,
                      KitPagesController &kitPages, MainPadPageController &mainPadPage,
                      KitHeaderController &kitHeader, QWidget *parent, UiPrompter &prompter);
    ~PadSyncController() override;

    // ---- choosing and loading the pad
    // The drive chosen at start-up (empty or the default entry: no pad).
    void chooseDrive(const QString &path);
    // The chosen drive could not be used: the start-up ends without the window.
    bool fileErrCloseWindow() const { return m_fileErrCloseWindow; }
    // 0 once the drive chosen at start-up was handled, loaded or not; the start-up waits while it is not.
    int loopFlag1() const { return m_loopFlag1; }
    // The window follows the pad's mode: the look of device mode once the pad
    // is loaded, the pad's dialogs hidden when it goes offline.
    void showPadMode(PadSession::Mode mode);

    // ---- the add and delete batches
    // The batch the list queued: 0 deletes, 1 adds.
    void runQueuedBatch(int flag);
    // The batch object, made and connected on first use; syncBatch() is null before.
    SyncBatch *ensureSyncBatch();
    SyncBatch *syncBatch() const { return m_syncBatch; }
    void recvAddProgress(int value);
    void batchFinished();
    // A batch is left running on a pad that stopped answering: nothing waits on it.
    bool batchAbandoned() const { return m_batchAbandoned; }
    // The rows, records and kits follow an ended batch; one box names the
    // sounds that did not reach the pad or stay on it.
    void completeAddBatch();
    void completeDeleteBatch();
    // A sound of kit `kitNo` moved to the pad's file `newPath` with its number and length.
    void changeOnlineKitPath(const QString &originalPath, const QString &newPath, quint16 newNum, quint32 newLength,
                             int kitNo);

    // ---- progress of the pad load, add batches and the write-back
    JobDialog *usbDialog() const { return m_usbDialog; }

    // ---- renumbering and the close
    // The pad's files follow a renumbered sound list (the first `count` records).
    void updateWavePrmAndData(int count, const QVector<int> &oldNumbers);
    // The pad's sounds were renumbered: the write-back rewrites the sound order.
    bool reorderSoundFlag() const { return m_reorderSoundFlag; }
    // The close in device mode; true when the window may close.
    bool closeOnPad();

    // ---- backups of the pad
    // Where this pad's backups are (empty before a pad loaded).
    const QString &backupFolder() const { return m_backupFolder; }
    // The backup taken at the load is written before anything is written to
    // the pad: waited on with the window's events served, with progress,
    // while it moves on. One that stopped moving on is told, and the user
    // goes on without it (true) or stops what was to write to the pad.
    bool waitForBackup();
    // Loads from now on take no backup (a measurement's baseline).
    void skipBackups() { m_backupsSkipped = true; }
    // "Restore the pad from a backup...": a backup chosen from this pad's
    // puts its kits, chains and global settings into the editor as one step.
    void restoreFromBackup();
    bool generateOrderFile();

signals:
    // The total list's records changed: a load, or a batch's sounds added or gone.
    void soundListChanged();
    // A backup restored: the kits shown are the backup's.
    void restoredFromBackup(const editstep::Place &place);
    // A kit's name as the pad's load read it.
    void kitNameRead(QString name, int kit);

private:
    // The load after the drive's model folder was found; ends the program
    // (fileErrCloseWindow) when the pad cannot be used.
    void loadPad(const QString &modelFolder);
    // The load's steps: each reads the pad off the GUI thread and the window
    // takes what it read; the refusal that ends the load, or nothing.
    DeviceMessages loadPadTree(const QString &modelFolder, std::optional<PadIdentity> *loaded);
    DeviceMessages loadPadSounds(const PadIdentity &loaded);
    // The metronome folder as the load reads it; nothing when the pad stops answering.
    std::optional<padtree::ClickFiles> readPadClicks(const PadIdentity &loaded);
    DeviceMessages loadPadSettings(const PadIdentity &loaded);
    DeviceMessages loadPadKits(const PadIdentity &loaded);
    std::optional<bool> putPadInOrder(PadIdentity &loaded);
    // The pad's root, admitted for the load's reads and writes only while
    // the pad there is the one whose identity was read as `loaded`; `guard`
    // gets the check that admits it.
    ztplatform::FolderAnchor loadedRoot(const PadIdentity &loaded, std::shared_ptr<PadGuard> *guard = nullptr) const;
    // The load's boxes come without its progress dialog.
    void tellDuringLoad(const DeviceMessages &messages);
    // `messages` after the box naming the links the load left out, if any.
    DeviceMessages withLinksLeftOut(DeviceMessages messages) const;
    // The drive chosen stopped answering while it was loaded.
    QString notAnsweringAtLoadText() const;
    // The pad as the load found it is kept: its `settings` as read, where
    // and when its backup goes.
    void keepPadAsLoaded(const PadIdentity &loaded, const QVector<padbackup::File> &settings);
    // The backup written from the settings kept and `prm`, on its own thread,
    // unless the load wrote it already.
    void backUpPad(const QVector<padbackup::File> &prm);
    // The load wrote the backup itself, before it put the pad in order.
    void backupTaken(const padbackup::Written &written);
    void backupEnded(bool ok, const QString &why);
    // Waits for the backup while it moves on; true once it ended (told then).
    bool waitWhileBackupMoves();
    // The folder of the pad's backups, looked up off the window's thread
    // (the data folder opened, its list of names read); nothing when the data
    // folder does not answer in time.
    std::optional<QString> lookUpBackupFolder(const PadIdentity &loaded);
    // The metronome list, filled from the pad's metronome folder.
    void importPadClicks();
    // The kits read from the pad, their records' images in `images`, become the
    // document's, with their copies.
    void takePadKits(const PadKits &kits, const setupfiles::KitTables &images);
    // The pad loaded (device mode from now on): the guard that judges the pad
    // before each write and read below its root, from `loaded` and the kit
    // records read; it warns when another pad is found at a read.
    void guardPad(const PadIdentity &loaded);
    // The pad at the pad's place judged now (the session's padLost() when it is another);
    // `settingsToo` reads its serials and fingerprint also on the same mount.
    PadMatch padCheck(bool settingsToo);
    // True while the pad at the pad's place is the one loaded; otherwise the
    // user is told, and when another pad stands there, the pad is lost.
    bool padStillLoaded();
    // One box about sounds of a batch that did not reach the pad: why (another
    // pad, read-only, gone, or the errno `refusal` of a write it refused), then
    // `lead` and the sounds.
    DeviceMessage padBatchMessage(const QString &lead, const QStringList &sounds, int refusal = 0);
    // usbDialog prepared for a long pad operation, shown at 0.
    JobDialog *showPadProgress(const QString &label, int maximum);
    // Warning boxes of the device side, in order.
    void showDeviceMessages(const DeviceMessages &messages);
    // The pad stopped answering while the user worked.
    static DeviceMessage notAnsweringMessage();
    // The close found the pad not answering, before it wrote or while it did.
    static DeviceMessage notAnsweringAtCloseMessage(bool writing);
    // The write-back on a thread of its own, under the progress dialog, for
    // as long as the pad answers; false when it stopped answering.
    bool writeBackWhileAnswering(const PadSession::KitLists &lists, writeback::WriteBackResult *result);
    // The pad's volume dismounted the same way; false when that failed or
    // the pad stopped answering first.
    bool dismountWhileAnswering();
    std::optional<RenumberResult> renumberWhileAnswering(const QVector<WaveRenumber> &changes,
                                                         const QSet<quint16> &soundsBefore);
    void addUsbWave();
    void deleteUsbWave();
    // True once no batch runs; false at once, the batch left running, when
    // the pad stopped answering while it ran.
    bool batchEnded();
    // The pad stopped answering while a batch ran: the window is given back
    // and the user told; the pad counts as away.
    void abandonBatch();
    // The batch that waited for the one before, if any.
    void runPendingBatch();
    // The pad at its place with its wave folders, looked at while the window
    // paints; a batch asked for meanwhile queues behind this one.
    bool padReadyForBatch();
    // The total list's number and name of each of `files` it holds.
    WaveFileIndex usedWaveIndex(const QSet<QString> &files) const;

    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    SoundListsController &m_soundLists;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    KitHeaderController &m_kitHeader;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog

    bool m_fileErrCloseWindow = false;
    int m_loopFlag1 = 1;
    SyncBatch *m_syncBatch = nullptr; // the pad's worker batches, made with the first
    JobDialog *m_usbDialog = nullptr;
    int m_addProgressValue = 0;
    bool m_reorderSoundFlag = false;
    bool m_batchAbandoned = false; // a batch was left running on a pad that did not answer
    QVector<int> m_pendingBatches; // batches queued behind a running one (runQueuedBatch's flags)
    bool m_batchLook = false;      // padReadyForBatch() waits on the pad
    bool m_renumbering = false;    // the pad's pairs are renumbered on their thread
    PadBackupWriter *m_backupWriter = nullptr;
    QString m_backupFolder;                  // this pad's backups; empty while the data folder did not answer
    PadIdentity m_backupIdentity;            // the pad's, as loaded: its backups' folder is named by it
    QDateTime m_backupWhen;                  // when the load began
    QVector<padbackup::File> m_backupSettings; // the pad's kit records and settings as the load found them
    bool m_backupTaken = false;              // written by the load before it put the pad in order
    bool m_backupStarted = false;            // the backup of this load runs or has run
    bool m_backupsSkipped = false;
    bool m_batchHeld = false; // the batch run now writes nothing: its backup did not end
    QHash<quint16, QByteArray> m_padSoundNames; // wave number (as kits store it) -> its .prm's name field at the load
};

#endif

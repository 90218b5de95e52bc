#ifndef ZT_MAINWINDOW1_SETUPFILES_SETUPFILESCONTROLLER_H
#define ZT_MAINWINDOW1_SETUPFILES_SETUPFILESCONTROLLER_H

// Setup files: the imports and saves of kit files and whole setups, and what the window does with their results.

#include "kitfile/wavecollect.h"
#include "model/mainwindow1records.h"
#include "setup/importkitsjob.h"
#include "setup/savekitsjob.h"
#include "setup/savesteps.h"
#include "setup/setupjob.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class DeviceDetector;
class JobDialog;
class KitChainsController;
class KitHeaderController;
class KitDocument;
class KitPagesController;
class MainPadPageController;
class PadSession;
class PreviewController;
class QProgressDialog;
class QRadioButton;
class QWidget;
class RawFiles;
class SelectKitNo;
class SoundLibrary;
class SoundListsController;
class UiPrompter;
class percussionpadfile;
namespace setupfiles {
struct LoadedKit;
struct WholeSetupSounds;
} // namespace setupfiles

// The widget of the global settings page the whole-setup save reads.
struct SetupFilesView
{
    QRadioButton *rbtBack = nullptr; // BACKUP
};

class SetupFilesController : public QObject
{
    Q_OBJECT

public:
    // Given the areas it calls, all made before it.
    SetupFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad, const SetupFilesView &view,
                         QWidget *parent, UiPrompter &prompter, PreviewController &preview,
                         RawFiles &rawFiles, SoundListsController &soundLists,
                         KitPagesController &kitPages, MainPadPageController &mainPadPage,
                         KitChainsController &kitChains, KitHeaderController &kitHeader);
    ~SetupFilesController() override; // the kit choice dialog has no parent
    const SetupFilesView &view() const { return m_view; }

    // ---- what the frame hands over ----------------------------------------
    // The drive chooser, which lists the drives an import looks on.
    void useDetector(DeviceDetector *detector) { m_myDetector = detector; }
    DeviceDetector *myDetector() const { return m_myDetector; }
    // The folder the saves gather their sounds in.
    void useTempFolder(const QString &folder) { m_TempDirName = folder; }
    // The kit choice of the Save button (the window connects it).
    void makeKitChoice();
    SelectKitNo *skn() const { return m_skn; }
    // The kit choice was confirmed with OK in this save.
    bool isSaveClose() const { return m_isSaveClose; }

    // ---- what the user does ------------------------------------------------
    // The Import button: kit files and global settings, or a whole setup
    // (always one with `projectFlag`, the File menu's Import All).
    void importFiles();
    // The Save button and the kit-chain page's Save: chosen kits into a
    // folder, or the whole setup (always with `projectFlag`, Export All).
    void save();
    void importWholeSetup();
    void exportWholeSetup();
    // The kit choice of a save closed: with OK, or without it (unlocks).
    void kitChoiceClosed(bool ok);
    void chooseKits(const QVector<int> &indexList);
    // The whole-setup save's BACKUP mark takes its switch.
    void takeBackupChoice();

    // ---- a read kit file into the editor -----------------------------------
    bool showSound1(const QString &file, percussionpadfile *pf);
    void showKit1(percussionpadfile *pf);
    bool showSound2(const QString &file, percussionpadfile *pf);
    void showKit2(percussionpadfile *pf, int kitIdx, const QString &file);
    bool judgeIsAllFile(const QString &dir);
    bool openFilePath(const QString &dir);
    void autoLoadFile(const QString &file);
    void autoLoadKit(const QStringList &files);
    void autoLoadKitFile();

    // ---- the sounds of a save ----------------------------------------------
    bool getWaveList(const QString &tempDir);
    bool getKitIniWaveList(const QString &tempDir, int kitIndex);
    void waveKitOrder();

    // ---- sounds of loaded kit files forgotten ------------------------------
    void soundFileRemoved(const QHash<QString, QString> &moved);

    // The offline close: asks "Quit?" when kits or global settings changed
    // since they were last loaded or saved; true when the window may close.
    bool confirmOfflineClose();

    // The boxes of a job's result from notice `from` on, in order; returns
    // how many it holds, where the next call starts.
    int showNotices(const setupjob::Result &result, int from = 0);
    void showNotices(const QVector<setupjob::Notice> &notices);

    // A whole-setup load starts with no sounds of an earlier one.
    void clearSetupSounds() { m_waveTempList.clear(); }

    // ---- state -------------------------------------------------------------
    bool projectFlag() const { return m_projectFlag; }
    bool backFlag() const { return m_backFlag; }
    const QVector<MainWindow1Records::SOUND_LIST_INFO> &waveList() const { return m_waveList; }
    const QVector<MainWindow1Records::SOUND_LIST_INFO> &clickWaveList() const { return m_clickWaveList; }
    const QVector<quint16> &kitOrderList() const { return m_kitOrderList; }
    int soundAddCount() const { return m_soundAddCount; }

signals:
    // A save runs: the editor page and the actions a save locks out are disabled, or enabled again.
    void saveLocked(bool locked);
    // A kit read from a file is about to be stored as kit `kit` under `name`.
    void kitNameRead(const QString &name, int kit);
    // A load ended with the editor holding what it read.
    void loadFinished();
    // The pad is asked to refresh before an import or a save.
    void padUpdateWanted(int flag, int kit);
    // The kit choice of a save gets the kits' names, then which are chosen.
    void kitChoiceNames(const QVector<QString> &names);
    void kitChoiceIndexes(const QVector<int> &indexes);

private:
    bool stopPreviewFirst(bool loopToo);
    void rebuildSoundRows();
    bool refuseBranded(const QString &path, int kind);
    ImportKitFilesJob::Redraws forgetting();
    JobDialog *openSaveProgress(const QString &label, int value);
    setupjob::JobRunner loadRunner();
    static void hideProgress(QProgressDialog *dialog);
    QString askSetupFile(bool &declined);
    bool hasFiveClicks() const;
    QString pickImport(bool &kitFiles);

    bool importKitFiles();
    bool loadWholeSetup(const QString &path);
    void newSoundLists();
    void drawSetupSounds(const setupfiles::WholeSetupSounds &sounds, const setupjob::Result &result, int &shown);
    void drawSetupKits(const setupjob::Result &result, int &shown);
    void takingKit(int kit, const setupfiles::LoadedKit &loaded);
    bool loadKitFiles(ImportKitFilesJob &job, bool reload, int &shown);
    bool finishKitLoad(ImportKitFilesJob &job, bool importing, int &shown);
    bool showLoadedKits(const ImportKitFilesJob &job, bool importing);

    void saveWholeSetup(const QString &target);
    void saveKitFiles(const QString &folder, const QVector<int> &kits);
    void reloadReplaced(const SaveKitsJob::Reload &reload);
    savejob::Hooks saveHooks();
    setupjob::Progress saveProgress();
    // Keeps the gathered waves when nothing failed; tells the user otherwise.
    bool keepGathered(const savejob::Run &run, const savejob::Gathered &got, bool gathered);

    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    SetupFilesView m_view;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    PreviewController &m_preview;
    RawFiles &m_rawFiles;
    SoundListsController &m_soundLists;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    KitChainsController &m_kitChains;
    KitHeaderController &m_kitHeader;
    DeviceDetector *m_myDetector = nullptr;
    QString m_TempDirName;
    SelectKitNo *m_skn = nullptr;
    bool m_isSaveClose = false; // the kit choice of the save was confirmed with OK

    bool m_projectFlag = false; // a File-menu import or export runs: it takes the whole setup in one .BIN
    bool m_backFlag = false;    // the whole-setup save marks its file as a BACKUP
    QVector<MainWindow1Records::SOUND_LIST_INFO> m_waveList;      // where each saved wave's bytes come from
    QVector<MainWindow1Records::SOUND_INDEX> m_waveTempList;
    QVector<MainWindow1Records::SOUND_LIST_INFO> m_clickWaveList; // the metronome sounds' bytes
    QVector<quint16> m_kitOrderList;                              // positions of waveAttrList in kit order
    int m_soundAddCount = 0;
    QStringList m_importFileList; // the picks of the last import dialog
    QString m_pickedBinFile;      // the whole setup they name, when it was picked alone
    QString m_lastSaveFolder;     // the folder the last save of this run went to
};

#endif

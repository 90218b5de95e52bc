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

class KitChainsController;
class KitDocument;
class KitPagesController;
class MainPadPageController;
class PadSession;
class PreviewController;
class QProgressDialog;
class QWidget;
class ShellController;
class SoundFilesController;
class SoundLibrary;
class SoundListsController;
class percussionpadfile;
namespace Ui {
class MainWindow1;
}
namespace setupfiles {
struct LoadedKit;
struct WholeSetupSounds;
} // namespace setupfiles

class SetupFilesController : public QObject
{
    Q_OBJECT

public:
    // Given the areas made before it; the shell, made after, comes through useShell().
    SetupFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad, Ui::MainWindow1 *ui,
                         QWidget *parent, PreviewController &preview, SoundFilesController &soundFiles,
                         SoundListsController &soundLists, KitPagesController &kitPages,
                         MainPadPageController &mainPadPage, KitChainsController &kitChains);
    void useShell(ShellController &shell) { m_shell = &shell; }

    // ---- what the user does ------------------------------------------------
    // The Import button: kit files and global settings, or a whole setup
    // (always one with `projectFlag`, the File menu's Import All).
    void importFiles();
    // The Save button and the kit-chain page's Save: chosen kits into a
    // folder, or the whole setup (always with `projectFlag`, Export All).
    void save();
    void importWholeSetup();
    void exportWholeSetup();
    // The import the pad asks for after its save, IMPORT_AFTER_SAVE_MS on;
    // the window goes on meanwhile.
    static constexpr int IMPORT_AFTER_SAVE_MS = 2000;
    void importAfterPadSave(bool wanted);
    // The kit choice of a save closed: with OK, or without it (unlocks).
    void kitChoiceClosed(bool ok);
    void chooseKits(const QVector<int> &indexList);
    // The whole-setup save's BACKUP mark, as its switch is set.
    void markBackup(bool backup) { m_backFlag = backup; }

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
    bool getWaveList(const QString &tempDir, QProgressDialog *dialog);
    bool getKitIniWaveList(const QString &tempDir, int kitIndex);
    void waveKitOrder();
    // Moves the dialog (when given) and keeps the window painting during long work.
    setupfiles::ProgressFn setupProgress(QProgressDialog *dialog);
    // savejob::refusedTarget over the document and the library.
    QString refusedTarget(const QString &target, bool kitFilesToo) const;

    // ---- sounds of loaded kit files forgotten ------------------------------
    void removeSoundFile(const QString &path);
    void soundFileRemoved(const QHash<QString, QString> &moved);
    void handOverFromChangedFiles();

    // The offline close: asks "Quit?" when kits or global settings changed
    // since they were last loaded or saved; true when the window may close.
    bool confirmOfflineClose();

    // The boxes of a job's result from notice `from` on, in order; returns
    // how many it holds, where the next call starts.
    int showNotices(const setupjob::Result &result, int from = 0);
    void showNotices(const QVector<setupjob::Notice> &notices);

    // ---- the working lists of the sound order ------------------------------
    // The keys ("name*number") and the files of the rows an order shows.
    void clearWorkingLists();
    void addWorkingRow(const QString &key, const QString &file);
    // The files the kits use, each once.
    void clearRemaining() { m_remainingList.clear(); }
    void addRemaining(const QString &file) { m_remainingList.append(file); }
    // A whole-setup load starts with no sounds of an earlier one.
    void clearSetupSounds() { m_waveTempList.clear(); }

    // ---- state -------------------------------------------------------------
    bool projectFlag() const { return m_projectFlag; }
    bool backFlag() const { return m_backFlag; }
    const QVector<MainWindow1Records::SOUND_LIST_INFO> &waveList() const { return m_waveList; }
    const QVector<MainWindow1Records::SOUND_INDEX> &waveTempList() const { return m_waveTempList; }
    const QVector<MainWindow1Records::SOUND_LIST_INFO> &clickWaveList() const { return m_clickWaveList; }
    const QVector<quint16> &kitOrderList() const { return m_kitOrderList; }
    const QStringList &totalList() const { return m_totalList; }
    const QStringList &totalFileList() const { return m_totalFileList; }
    const QStringList &remainingList() const { return m_remainingList; }
    int soundAddCount() const { return m_soundAddCount; }
    const QStringList &importFileList() const { return m_importFileList; }
    const QString &pickedBinFile() const { return m_pickedBinFile; }
    const QString &lastSaveFolder() const { return m_lastSaveFolder; }

signals:
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
    void lockForSave(bool locked);
    void rebuildSoundRows();
    void reapplySoundOrder();
    bool refuseBranded(const QString &path, int kind);
    ImportKitFilesJob::Redraws forgetting();
    QProgressDialog *openSaveProgress(const QString &label, int value);
    static void hideProgress(QProgressDialog *dialog);
    QString askSetupFile();
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
    Ui::MainWindow1 *m_ui;
    QWidget *m_parent;
    PreviewController &m_preview;
    SoundFilesController &m_soundFiles;
    SoundListsController &m_soundLists;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    KitChainsController &m_kitChains;
    ShellController *m_shell = nullptr;

    bool m_projectFlag = false; // a File-menu import or export runs: it takes the whole setup in one .BIN
    bool m_backFlag = false;    // the whole-setup save marks its file as a BACKUP
    QVector<MainWindow1Records::SOUND_LIST_INFO> m_waveList;      // where each saved wave's bytes come from
    QVector<MainWindow1Records::SOUND_INDEX> m_waveTempList;
    QVector<MainWindow1Records::SOUND_LIST_INFO> m_clickWaveList; // the metronome sounds' bytes
    QVector<quint16> m_kitOrderList;                              // positions of waveAttrList in kit order
    QStringList m_totalList, m_totalFileList, m_remainingList;
    int m_soundAddCount = 0;
    QStringList m_importFileList; // the picks of the last import dialog
    QString m_pickedBinFile;      // the whole setup they name, when it was picked alone
    QString m_lastSaveFolder;     // the folder the last save of this run went to
};

#endif

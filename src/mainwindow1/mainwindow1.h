#ifndef ZT_MAINWINDOW1_H
#define ZT_MAINWINDOW1_H

#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "document/kitdocument.h"
#include "model/mainwindow1records.h"
#include "model/percussionpadfile1.h"
#include "kitfile/setuperrors.h"
#include "kitfile/wavecollect.h"
#include "mainwindow1/windowservices.h"

#include <QHash>
#include <QMainWindow>
#include <QMediaPlayer>
#include <QModelIndex>
#include <QStringList>
#include <QVector>

#include <memory>

class QMenu;
class QProgressDialog;
struct KitChainsView;
struct KitPagesView;
struct MainPadPageView;
struct PreviewView;
struct SoundFilesView;
struct SoundListsView;
struct SetupFilesView;
struct ShellView;
class PreviewController;
class SoundFilesController;
class SoundListsController;
class KitPagesController;
class MainPadPageController;
class KitChainsController;
class SetupFilesController;
class PadSyncController;
class ShellController;
class EditHistory;
class QStandardItem;
class QStandardItemModel;
class QDropEvent;
namespace soundorder {
struct Row;
}

namespace Ui {
class MainWindow1;
}

class MainWindow1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow1(const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow1() override;

    // 0 once the drive chooser was closed without OK (recvClose); the start-up waits while it is not.
    int quitFlag() const { return m_quitFlag; }

    // The document: kits, chains, global settings and the kit file model.
    KitDocument &doc() { return m_doc; }
    const KitDocument &doc() const { return m_doc; }
    // The pad session: the pad's tree, what its load found, its batches.
    PadSession &pad() { return m_pad; }
    const PadSession &pad() const { return m_pad; }

    // The form's widgets, for the tests that click them.
    Ui::MainWindow1 *form() const { return ui; }

    // ---- the areas ---------------------------------------------------------------
    PreviewController &preview() { return *m_preview; }
    SoundFilesController &soundFiles() { return *m_soundFiles; }
    SoundListsController &soundLists() { return *m_soundLists; }
    KitPagesController &kitPages() { return *m_kitPages; }
    MainPadPageController &mainPadPage() { return *m_mainPadPage; }
    KitChainsController &kitChains() { return *m_kitChains; }
    SetupFilesController &setupFiles() { return *m_setupFiles; }
    PadSyncController &padSync() { return *m_padSync; }
    ShellController &shell() { return *m_shell; }
    const ShellController &shell() const { return *m_shell; }
    // Undo and redo of the user's edits.
    EditHistory &history() { return *m_history; }
    // The sound library the window shows and edits.
    SoundLibrary &library() { return soundLibrary; }
    const SoundLibrary &library() const { return soundLibrary; }

    // ---- flags ----------------------------------------------------------------

    // ---- kit editing --------------------------------------------------------------
    // Main pad page.
    void dispPadList(const QVector<MainWindow1Records::soundKit> &kits, quint8 kit);
    void disHHList(const MainWindow1Records::soundKit *kit, quint8 kitNo, quint8 slot);

    // Pad settings page.
    void on_savePadSetBtn_clicked(int pad);

    // Kit settings page.
    void updateKitNo(int kitNo);

    // Global settings to and from the kit file model.
    void setGlobalFileChunk();
    // The global settings page's values as a pack takes them.
    KitDocument::GlobalPage globalPage() const;
    void showVerAndGlobal1(percussionpadfile *pf);

    // ---- sound library ------------------------------------------------------------
    void initClickItemModel();
    void initHHListItemModel();
    void initTotalItemModel();
    void getRightSoundList();
    quint32 getRawFile(QString waveFileName, QString outFileName, quint8 format);
    void showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable);
    void connectSoundListSelections();

    // ---- setup files ------------------------------------------------------------------
    // A read kit file into the editor.
    bool showSound1(QString file, percussionpadfile *pf);
    void showKit1(percussionpadfile *pf);
    bool showSound2(QString file, percussionpadfile *pf, int = 0, int = 0);
    void showKit2(percussionpadfile *pf, int kitIdx, int, QString file);
    // The sounds of a save.
    bool getWaveList(QString TempDirName, QProgressDialog *dialog);
    bool getKitIniWaveList(QString TempDirName, int kitIndex, QProgressDialog *dialog);
    void waveKitOrder();
    // Moves the dialog (when given) and keeps the window painting during long work.
    setupfiles::ProgressFn setupProgress(QProgressDialog *dialog);
    // Loads and saves of setup files.
    bool judgeIsAllFile(QString dir);
    bool openFilePath(QString dir);
    // The sounds of kit file `path` leave the kits, the lists and their rows
    // (setupjob::forgetKitFile); the sound chosen for preview follows a
    // sound handed over to another loaded kit file.
    void removeSoundFile(QString path, int kit);
    // After the sounds of a kit file were forgotten: the sound chosen for
    // preview follows a sound handed over (`moved`).
    void soundFileRemoved(const QHash<QString, QString> &moved);
    // Each sound the list holds once whose loaded kit file is gone or no
    // longer as loaded is taken from another loaded kit file holding it; the
    // sound chosen for preview follows it.
    void handOverFromChangedFiles();
    void autoLoadFile(QString file);
    void autoLoadKit(QStringList files);
    void autoLoadKitFile();
    // The export of the kits the user chooses, as the Save button does it.
    // The offline close: asks "Quit?" when kits or global settings changed
    // since they were last loaded or saved; true when the window may close.
    bool confirmOfflineClose();
    // True when the desktop has said that apps use its dark theme (asked at
    // the first call, never waited on). Nothing switches the look by it.
    bool isSystemDarkMode() const;

signals:
    void themeChanged();
    void sendLoopIndex2(int index);
    void sendKitNameList(QVector<QString> names);
    void sendKitIndexList(QVector<int> indexes);
    void sendKitNameChanged(QString name, int kit);
    void sendKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains);
    void sendKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names);
    void sendModelIndex(QModelIndex index, quint8 flag);
    void sendLabelSize(int width, int height);
    void sendLoadSave(bool flag);
    void sendUpdate(int flag, int kit);
    void sendSrcKit(int kit);
    void sendInitPad(int kit, int pad);
    void sendAllNameList(QStringList names, QString folder);

public slots:
    void recvFilePath(QString path);
    void recvClose(int flag);
    void checkTheme(bool isDark);

    // Kit and pad editing.
    void on_valueChanged(int value);
    void on_mode_currentIndexChanged(int index);
    void on_kitEffect1_currentIndexChanged(int index);
    void on_kitEffect2_currentIndexChanged(int index);
    void on_kitEffect3_currentIndexChanged(int index);
    void on_activeFx_currentIndexChanged(int index);
    void on_linkGroupComboBox_currentIndexChanged(int index);
    void on_kitNumber_textEdited(const QString &text);
    void on_upPageBtn_clicked();
    void on_downPageBtn_clicked();
    void on_kitNameLineEdit_editingFinished();
    void on_btnRenameKit_clicked();
    void on_btnClear_clicked();
    void on_padNoComboBox_currentIndexChanged(int index);
    void on_kitNoSpinBox_valueChanged(int kitNo);
    void on_btnKitMove_clicked();
    void on_btnKitChain_clicked();
    void on_btnSoundKit_clicked();
    void on_padLink1ComboBox_currentIndexChanged(int index);
    void on_padLink2ComboBox_currentIndexChanged(int index);
    void on_effect1_ctrl1_valueChanged(int value);
    void on_effect1_ctrl2_valueChanged(int value);
    void on_effect1_ctrl3_valueChanged(int value);
    void on_effect2_ctrl1_valueChanged(int value);
    void on_effect2_ctrl2_valueChanged(int value);
    void on_effect2_ctrl3_valueChanged(int value);
    void on_effect3_ctrl1_valueChanged(int value);
    void on_effect3_ctrl2_valueChanged(int value);
    void on_effect3_ctrl3_valueChanged(int value);
    void on_effect4_ctrl1_valueChanged(int value);
    void on_effect4_ctrl2_valueChanged(int value);
    void on_effect4_ctrl3_valueChanged(int value);
    void on_soundListTreeView_pressed(const QModelIndex &index);
    void on_btnClearHHWave_clicked();
    void on_hhLayer1SpinBox_editingFinished();
    void on_hhLayer2SpinBox_editingFinished();
    void on_hhLayer3SpinBox_editingFinished();
    void on_btnDelClick_clicked();
    void on_clickWaveTreeView_pressed(const QModelIndex &index);
    void on_clickSoundNoSpinBox_valueChanged(int value);
    void on_btnGlobal_clicked();
    void on_globalPadComboBox_currentIndexChanged(int pad);
    void on_masterEffectComboBox_currentIndexChanged(int slot);
    void recvKitNameList(QString name, int kit);
    void updateKitNameAndNo(QString name, quint8 kit);
    void recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains);
    void recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names);
    void recvModel(QModelIndex index, quint8 flag);
    void initDisplay(int width, int mode);
    void kitChainListItemModelChanged(QStandardItem *item);
    void rightMenu(QString objName);
    void recvInteration(QString objName);
    void clearPad();
    void copyPad();
    void padMenuClosed(); // the highlight goes unless Pad Copy was chosen
    void padCopyEnded();  // the pad copy dialog closed, answered or not
    void recvDstKitClick(int kit);
    void recvDstKit(int kit);
    void on_btnCopyKit_clicked();
    void on_kitListtreeView_pressed(const QModelIndex &index);
    void on_btnSureKitChain_clicked();
    void on_btnClearStep_clicked();
    void on_kitChainNoSpinBox_valueChanged(int chain);
    void on_rBtnKitChainOn_clicked();
    void on_rBtnKitChainOff_clicked();
    void on_moveUpKit_clicked();
    void on_moveDownKit_clicked();

    // Menus.
    void on_actionGlobal_Setting_triggered();
    void on_actionBack_to_main_interface_triggered();
    void on_actionKit_Setiing_triggered();
    void on_actionAbout_Korvanta_triggered();

    // Sound library.
    void soundListItemModelChanged(QStandardItem *item);
    void selectItemChanged(const QModelIndex &index);
    void leftSelectItemChanged(const QModelIndex &index);
    void leftHHSelectItemChanged(const QModelIndex &index);
    void deleteWaveFromList();
    void deleteWaveFromList1();
    void exportWave();
    void recvSelectItem(bool flag);
    void waveLoop2(int index);
    void on_addWaveGroup_clicked();
    void on_addWaveFile_clicked();
    void on_tbtAddWave_clicked();
    void on_totalWaveTreeView_pressed(const QModelIndex &index);
    void on_waveGroupTreeView_pressed(const QModelIndex &index);
    void on_btnImportClickWave_clicked();
    void on_playBtn2_clicked();
    void on_stopBtn2_clicked();
    void on_loopBtn2_clicked();
    void on_waveHorizontalSlider2_sliderMoved(int position);
    void on_volumeHorizontalSlider2_valueChanged(int value);
    void updatePosition2(qint64 position);
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);
    void restartLoopPass();
    void on_upRbtn_clicked();
    void on_DownRbtn_clicked();
    void on_kitRbtn_clicked();
    void on_tbtDel_clicked();
    void on_delWaveGroup_clicked();
    void on_defaultRbtn_clicked();
    void on_customRbtn_clicked();
    void on_rbtBack_clicked();
    void on_btnExportRightWave_clicked();
    void on_btnImportRightWave_clicked();
    void on_actionReorder_Serial_Numbers_triggered();
    void lockSound();
    void unlockSound();

    // Setup files and device side.
    void recvIsClose(bool flag);
    void recvKitIndexState(QVector<int> indexList);
    void recvLoadSave(bool flag);
    void recvUpdate(int flag, int kit);
    void on_btnLoadFile_clicked();
    void on_btnSave_clicked();
    void on_actionImport_All_triggered();
    void on_actionExport_All_triggered();
    void on_btnKitChainSave_clicked();

private:
    Ui::MainWindow1 *ui;
    const WindowServices m_services;
    int m_quitFlag = 1;
    KitDocument m_doc;
    SoundLibrary soundLibrary;
    PadSession m_pad;
    std::unique_ptr<PreviewController> m_preview;
    std::unique_ptr<SoundFilesController> m_soundFiles;
    std::unique_ptr<SoundListsController> m_soundLists;
    std::unique_ptr<KitPagesController> m_kitPages;
    std::unique_ptr<MainPadPageController> m_mainPadPage;
    std::unique_ptr<KitChainsController> m_kitChains;
    std::unique_ptr<SetupFilesController> m_setupFiles;
    std::unique_ptr<PadSyncController> m_padSync;
    std::unique_ptr<ShellController> m_shell;
    EditHistory *m_history = nullptr; // a child of the window, gone first

    // The steps begin once the window stands: nothing of its making is one.
    // Its menu goes before `helpMenu`; the restore of a pad backup into `fileMenu`.
    void makeHistory(QMenu *helpMenu, QMenu *fileMenu);
    void releaseHistory();

    void makeControllers();
    void connectControls();
    void connectDialogs();
    // The areas go before the widgets they drive.
    void releaseControllers();
    void makePreview(const PreviewView &view);
    void makeSoundFiles(const SoundFilesView &view);
    void makeSoundLists(const SoundListsView &view);
    void makeKitPages(const KitPagesView &view);
    void makeMainPadPage(const MainPadPageView &view);
    void makeKitChains(const KitChainsView &view);
    void makeSetupFiles(const SetupFilesView &view);
    void makePadSync();
    void makeShell(const ShellView &view);
    void wirePreview();
    void wireSoundFiles();
    void wireSoundLists();
    void wireKitPages();
    void wireMainPadPage();
    void wireKitChains();
    void wireSetupFiles();
    void wirePadSync();
    void wireShell();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

#endif

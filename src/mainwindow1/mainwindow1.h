#ifndef ZT_MAINWINDOW1_H
#define ZT_MAINWINDOW1_H

#include "device/padsession.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "mainwindow1/windowservices.h"

#include <QMainWindow>
#include <QModelIndex>

#include <memory>

class QMenu;
struct WindowViews;
class RawFiles;
class PreviewController;
class SoundFilesController;
class SoundListsController;
class KitHeaderController;
class KitPagesController;
class MainPadPageController;
class KitChainsController;
class SetupFilesController;
class PadSyncController;
class ShellController;
class EditHistory;

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
    RawFiles &rawFiles() { return *m_rawFiles; }
    PreviewController &preview() { return *m_preview; }
    SoundFilesController &soundFiles() { return *m_soundFiles; }
    SoundListsController &soundLists() { return *m_soundLists; }
    KitHeaderController &kitHeader() { return *m_kitHeader; }
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

public slots:
    // 0 once the drive chooser was closed without OK.
    void recvClose(int flag);

    // ---- the slots the form connects by name ----------------------------------------
    // Kit and pad editing.
    void on_mode_currentIndexChanged(int index);
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
    void on_soundListTreeView_pressed(const QModelIndex &index);
    void on_btnClearHHWave_clicked();
    void on_btnDelClick_clicked();
    void on_clickWaveTreeView_pressed(const QModelIndex &index);
    void on_clickSoundNoSpinBox_valueChanged(int value);
    void on_btnGlobal_clicked();
    void on_globalPadComboBox_currentIndexChanged(int pad);
    void on_masterEffectComboBox_currentIndexChanged(int slot);
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
    void on_upRbtn_clicked();
    void on_DownRbtn_clicked();
    void on_kitRbtn_clicked();
    void on_tbtDel_clicked();
    void on_delWaveGroup_clicked();
    void on_defaultRbtn_clicked();
    void on_rbtBack_clicked();
    void on_btnExportRightWave_clicked();
    void on_btnImportRightWave_clicked();
    void on_actionReorder_Serial_Numbers_triggered();

    // Setup files and device side.
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
    std::unique_ptr<RawFiles> m_rawFiles;
    std::unique_ptr<PreviewController> m_preview;
    std::unique_ptr<SoundFilesController> m_soundFiles;
    std::unique_ptr<SoundListsController> m_soundLists;
    std::unique_ptr<KitHeaderController> m_kitHeader;
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

    // The controllers, each handed the ones below it, then what they tell each other.
    void makeControllers();
    void makeLibrary(const WindowViews &views);
    void makeEditing(const WindowViews &views);
    void wireAreas();
    void connectControls();
    void connectDialogs();
    void connectHandOns();
    void connectRenames();
    // The areas go before the widgets they drive.
    void releaseControllers();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

#endif

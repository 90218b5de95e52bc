// The window composes its areas: each controller is made here, given what it
// drives, and wired; the slots the form connects by name and the send/recv
// pairs forward to the area that does the work.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/windowviews.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

void MainWindow1::makeControllers()
{
    const WindowViews views = windowViews(ui);
    makePreview(views.preview);
    makeSoundFiles(views.soundFiles);
    makeSoundLists(views.soundLists);
    makeKitPages(views.kitPages);
    makeMainPadPage(views.mainPadPage);
    makeKitChains(views.kitChains);
    makeSetupFiles(views.setupFiles);
    makePadSync();
    makeShell(views.shell);
    wirePreview();
    wireSoundFiles();
    wireSoundLists();
    wireKitPages();
    wireMainPadPage();
    wireKitChains();
    wireSetupFiles();
    wirePadSync();
    wireShell();
}

void MainWindow1::releaseControllers()
{
    m_shell.reset();
    m_padSync.reset();
    m_setupFiles.reset();
    m_kitChains.reset();
    m_mainPadPage.reset();
    m_kitPages.reset();
    m_soundLists.reset();
    m_soundFiles.reset();
    m_preview.reset();
}

// ==== Preview ===============================================================


void MainWindow1::makePreview(const PreviewView &view)
{
    m_preview = std::make_unique<PreviewController>(view, this, *m_services.prompter);
    connect(m_preview.get(), &PreviewController::loopPressed, this, &MainWindow1::sendLoopIndex2);
}

// Hands the Preview controller the areas made after it.
void MainWindow1::wirePreview()
{
    m_preview->useSoundFiles(*m_soundFiles);
    m_preview->useSoundLists(*m_soundLists);
}



// ---- Preview forwards

void MainWindow1::on_playBtn2_clicked() { m_preview->play(); }
void MainWindow1::on_stopBtn2_clicked() { m_preview->stop(); }
void MainWindow1::on_loopBtn2_clicked() { m_preview->toggleLoop(); }
void MainWindow1::waveLoop2(int index) { m_preview->loopChanged(index); }
void MainWindow1::restartLoopPass() { m_preview->restartLoopPass(); }
void MainWindow1::updatePosition2(qint64 position) { m_preview->positionChanged(position); }
void MainWindow1::on_waveHorizontalSlider2_sliderMoved(int position) { m_preview->seek(position); }
void MainWindow1::on_volumeHorizontalSlider2_valueChanged(int value) { m_preview->setVolume(value); }
void MainWindow1::mediaStatusChanged(QMediaPlayer::MediaStatus status) { m_preview->logMediaStatus(status); }


// ==== SoundFiles ============================================================


void MainWindow1::makeSoundFiles(const SoundFilesView &view)
{
    m_soundFiles = std::make_unique<SoundFilesController>(m_doc, soundLibrary, m_pad, view, this, *m_services.prompter,
                                                          *m_preview);
    connect(m_soundFiles.get(), &SoundFilesController::padAddsQueued, this, [this] { emit sendUpdate(1, 0); });
    connect(m_soundFiles.get(), &SoundFilesController::exportWritten, this, &MainWindow1::sendAllNameList);
}

// Hands the SoundFiles controller the areas made after it.
void MainWindow1::wireSoundFiles()
{
    m_soundFiles->useSoundLists(*m_soundLists);
    MainPadPageController *page = m_mainPadPage.get();
    connect(m_soundFiles.get(), &SoundFilesController::listImportStarting, page,
            [page] { page->selectShownKit(); });
}



// ---- SoundFiles forwards

quint32 MainWindow1::getRawFile(QString waveFileName, QString outFileName, quint8 format)
{
    return m_soundFiles->getRawFile(waveFileName, outFileName, format);
}
void MainWindow1::on_addWaveFile_clicked() { m_soundFiles->addFilesToGroup(); }
void MainWindow1::on_tbtAddWave_clicked() { m_soundFiles->addFilesToTotalList(); }
void MainWindow1::exportWave() { m_soundFiles->exportSelectedSounds(); }


// ==== SoundLists ============================================================


void MainWindow1::makeSoundLists(const SoundListsView &view)
{
    m_soundLists = std::make_unique<SoundListsController>(m_doc, soundLibrary, m_pad, view, this, *m_services.prompter,
                                                          *m_preview, *m_soundFiles);
    SoundListsController *lists = m_soundLists.get();
    connect(lists, &SoundListsController::padDeleteQueued, this, [this] { emit sendUpdate(0, 0); });
    connect(lists, &SoundListsController::mirrorSelectionChanged, this, &MainWindow1::leftHHSelectItemChanged);
    connect(lists, &SoundListsController::groupSelectionChanged, this, &MainWindow1::leftSelectItemChanged);
}

// Hands the SoundLists controller the areas made after it.
void MainWindow1::wireSoundLists()
{
    SoundListsController *lists = m_soundLists.get();
    MainPadPageController *page = m_mainPadPage.get();
    connect(lists, &SoundListsController::selectionStarting, page, &MainPadPageController::releaseNameField);
    connect(lists, &SoundListsController::selectionTaken, page, &MainPadPageController::releaseKitFields);
    connect(lists, &SoundListsController::clickSoundsImported, m_kitPages.get(),
            &KitPagesController::showImportedClicks);
    connect(lists, &SoundListsController::soundsRenumbered, m_padSync.get(),
            &PadSyncController::updateWavePrmAndData);
}



// ---- SoundLists forwards

void MainWindow1::initClickItemModel() { m_soundLists->initClickItemModel(); }
void MainWindow1::initHHListItemModel() { m_soundLists->initHHListItemModel(); }
void MainWindow1::initTotalItemModel() { m_soundLists->initTotalItemModel(); }
void MainWindow1::getRightSoundList() { m_soundLists->getRightSoundList(); }
void MainWindow1::showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable)
{
    m_soundLists->showTotalRows(rows, itemEditable);
}
void MainWindow1::connectSoundListSelections() { m_soundLists->connectSoundListSelections(); }
void MainWindow1::on_addWaveGroup_clicked() { m_soundLists->addGroup(); }
void MainWindow1::selectItemChanged(const QModelIndex &index) { m_soundLists->totalListSelection(index, false); }
void MainWindow1::on_totalWaveTreeView_pressed(const QModelIndex &index)
{
    m_soundLists->totalListSelection(index, true);
}
void MainWindow1::recvSelectItem(bool flag)
{
    if (flag)
        on_totalWaveTreeView_pressed(ui->totalWaveTreeView->currentIndex());
}
void MainWindow1::leftSelectItemChanged(const QModelIndex &index) { m_soundLists->groupTreeSelection(index, false); }
void MainWindow1::on_waveGroupTreeView_pressed(const QModelIndex &index)
{
    m_soundLists->groupTreeSelection(index, true);
}
void MainWindow1::soundListItemModelChanged(QStandardItem *item) { m_soundLists->renameGroupRow(item); }
void MainWindow1::on_defaultRbtn_clicked() { m_soundLists->showStoredOrder(); }
void MainWindow1::on_kitRbtn_clicked() { m_soundLists->showKitUseOrder(); }
void MainWindow1::on_upRbtn_clicked() { m_soundLists->showNameOrder(true); }
void MainWindow1::on_DownRbtn_clicked() { m_soundLists->showNameOrder(false); }
void MainWindow1::on_customRbtn_clicked() {} // hidden; checked only by an order file import
void MainWindow1::on_rbtBack_clicked() { m_setupFiles->takeBackupChoice(); }
void MainWindow1::on_btnExportRightWave_clicked() { m_soundLists->exportOrder(); }
void MainWindow1::on_btnImportRightWave_clicked() { m_soundLists->importOrder(); }
void MainWindow1::lockSound() { m_soundLists->lockSelected(true); }
void MainWindow1::unlockSound() { m_soundLists->lockSelected(false); }
void MainWindow1::on_actionReorder_Serial_Numbers_triggered() { m_soundLists->reorderSerialNumbers(); }
void MainWindow1::deleteWaveFromList1() { on_tbtDel_clicked(); }
void MainWindow1::on_tbtDel_clicked() { m_soundLists->deleteSelectedSounds(); }
void MainWindow1::deleteWaveFromList() { on_delWaveGroup_clicked(); }
void MainWindow1::on_delWaveGroup_clicked() { m_soundLists->deleteFromGroups(); }
void MainWindow1::on_btnImportClickWave_clicked() { m_soundLists->importClickSounds(); }



// ==== KitPages ==============================================================


void MainWindow1::makeKitPages(const KitPagesView &view)
{
    m_kitPages = std::make_unique<KitPagesController>(m_doc, soundLibrary, view, this, *m_services.prompter, *m_preview,
                                                      *m_soundLists);
    connect(m_kitPages.get(), &KitPagesController::chainsRead, this, &MainWindow1::sendKitChainMeg);
    connect(m_kitPages.get(), &KitPagesController::chainPageLeft, this, &MainWindow1::sendKitChainInfo);
}

// Hands the KitPages controller the areas made after it.
void MainWindow1::wireKitPages()
{
    m_kitPages->useMainPadPage(*m_mainPadPage);
    m_kitPages->useKitChains(*m_kitChains);
}



// ---- KitPages forwards
void MainWindow1::disHHList(const MainWindow1Records::soundKit *kit, quint8 kitNo, quint8 slot) { m_kitPages->disHHList(kit, kitNo, slot); }
void MainWindow1::on_savePadSetBtn_clicked(int pad) { m_kitPages->savePadSet(pad); }
void MainWindow1::updateKitNo(int kitNo) { m_kitPages->updateKitNo(kitNo); }
void MainWindow1::setGlobalFileChunk() { m_kitPages->setGlobalFileChunk(); }
KitDocument::GlobalPage MainWindow1::globalPage() const { return m_kitPages->globalPage(); }
void MainWindow1::showVerAndGlobal1(percussionpadfile *pf) { m_kitPages->showVerAndGlobal1(pf); }
void MainWindow1::on_valueChanged(int value) { m_kitPages->checkControlValue(value); }
void MainWindow1::on_mode_currentIndexChanged(int index) { m_kitPages->chooseMode(index); }
void MainWindow1::on_kitEffect1_currentIndexChanged(int index) { m_kitPages->chooseEffectType(0, index); }
void MainWindow1::on_kitEffect2_currentIndexChanged(int index) { m_kitPages->chooseEffectType(1, index); }
void MainWindow1::on_kitEffect3_currentIndexChanged(int index) { m_kitPages->chooseEffectType(2, index); }
void MainWindow1::on_activeFx_currentIndexChanged(int index) { m_kitPages->chooseEffectType(3, index); }
void MainWindow1::on_linkGroupComboBox_currentIndexChanged(int index) { m_kitPages->chooseLinkGroup(index); }
void MainWindow1::on_padNoComboBox_currentIndexChanged(int index) { m_kitPages->switchPad(index); }
void MainWindow1::on_kitNoSpinBox_valueChanged(int kitNo) { m_kitPages->switchKit(kitNo); }
void MainWindow1::on_btnKitMove_clicked() { m_kitPages->showMainPadPage(); }
void MainWindow1::on_btnKitChain_clicked() { m_kitPages->showKitChainPage(); }
void MainWindow1::on_btnSoundKit_clicked() { m_kitPages->showKitSettingsPage(); }
void MainWindow1::on_padLink1ComboBox_currentIndexChanged(int index) { m_kitPages->choosePadLink(true, index); }
void MainWindow1::on_padLink2ComboBox_currentIndexChanged(int index) { m_kitPages->choosePadLink(false, index); }
void MainWindow1::on_effect1_ctrl1_valueChanged(int value) { m_kitPages->changeEffectControl(0, 0, value); }
void MainWindow1::on_effect1_ctrl2_valueChanged(int value) { m_kitPages->changeEffectControl(0, 1, value); }
void MainWindow1::on_effect1_ctrl3_valueChanged(int value) { m_kitPages->changeEffectControl(0, 2, value); }
void MainWindow1::on_effect2_ctrl1_valueChanged(int value) { m_kitPages->changeEffectControl(1, 0, value); }
void MainWindow1::on_effect2_ctrl2_valueChanged(int value) { m_kitPages->changeEffectControl(1, 1, value); }
void MainWindow1::on_effect2_ctrl3_valueChanged(int value) { m_kitPages->changeEffectControl(1, 2, value); }
void MainWindow1::on_effect3_ctrl1_valueChanged(int value) { m_kitPages->changeEffectControl(2, 0, value); }
void MainWindow1::on_effect3_ctrl2_valueChanged(int value) { m_kitPages->changeEffectControl(2, 1, value); }
void MainWindow1::on_effect3_ctrl3_valueChanged(int value) { m_kitPages->changeEffectControl(2, 2, value); }
void MainWindow1::on_effect4_ctrl1_valueChanged(int value) { m_kitPages->changeEffectControl(3, 0, value); }
void MainWindow1::on_effect4_ctrl2_valueChanged(int value) { m_kitPages->changeEffectControl(3, 1, value); }
void MainWindow1::on_effect4_ctrl3_valueChanged(int value) { m_kitPages->changeEffectControl(3, 2, value); }
void MainWindow1::on_soundListTreeView_pressed(const QModelIndex &index) { m_kitPages->pressHHSound(index); }
void MainWindow1::on_btnClearHHWave_clicked() { m_kitPages->clearHHWaves(); }
void MainWindow1::on_hhLayer1SpinBox_editingFinished() { m_kitPages->finishHHLayer(1); }
void MainWindow1::on_hhLayer2SpinBox_editingFinished() { m_kitPages->finishHHLayer(2); }
void MainWindow1::on_hhLayer3SpinBox_editingFinished() { m_kitPages->finishHHLayer(3); }
void MainWindow1::on_btnDelClick_clicked() { m_kitPages->deleteClickSound(); }
void MainWindow1::on_clickWaveTreeView_pressed(const QModelIndex &index) { m_kitPages->pressClickSound(index); }
void MainWindow1::on_clickSoundNoSpinBox_valueChanged(int value) { m_kitPages->chooseClickSound(value); }
void MainWindow1::on_btnGlobal_clicked() { m_kitPages->exportGlobalFile(); }
void MainWindow1::on_globalPadComboBox_currentIndexChanged(int pad) { m_kitPages->showGlobalPad(pad); }
void MainWindow1::on_masterEffectComboBox_currentIndexChanged(int slot) { m_kitPages->showMasterEffect(slot); }
void MainWindow1::leftHHSelectItemChanged(const QModelIndex &index) { m_kitPages->selectHHSound(index); }



// ==== MainPadPage ===========================================================


void MainWindow1::makeMainPadPage(const MainPadPageView &view)
{
    m_mainPadPage = std::make_unique<MainPadPageController>(doc(), view, this, *m_services.prompter);
    MainPadPageController *page = m_mainPadPage.get();
    connect(page, &MainPadPageController::kitNameChanged, this, &MainWindow1::sendKitNameChanged);
    connect(page, &MainPadPageController::sourceKitChosen, this, &MainWindow1::sendSrcKit);
    connect(page, &MainPadPageController::sourcePadChosen, this, &MainWindow1::sendInitPad);
}

// A copy takes the kit settings page's edits first, and shows them again after.
void MainWindow1::wireMainPadPage()
{
    KitPagesController *pages = m_kitPages.get();
    connect(m_mainPadPage.get(), &MainPadPageController::commitWanted, pages, &KitPagesController::commitShownKit);
    connect(m_mainPadPage.get(), &MainPadPageController::kitPageRedrawWanted, pages,
            &KitPagesController::redrawKitPage);
}



// ---- MainPadPage forwards
void MainWindow1::dispPadList(const QVector<MainWindow1Records::soundKit> &kits, quint8 kit) { m_mainPadPage->dispPadList(kits, kit); }
void MainWindow1::updateKitNameAndNo(QString name, quint8 kit) { m_mainPadPage->renameKit(name, kit); }
void MainWindow1::on_upPageBtn_clicked() { m_mainPadPage->pageUp(); }
void MainWindow1::on_downPageBtn_clicked() { m_mainPadPage->pageDown(); }
void MainWindow1::on_kitNumber_textEdited(const QString &text) { m_mainPadPage->typeKitNumber(text); }
void MainWindow1::on_kitNameLineEdit_editingFinished() { m_mainPadPage->finishNameField(); }
void MainWindow1::on_btnRenameKit_clicked() { m_mainPadPage->startRename(); }
void MainWindow1::on_btnClear_clicked() { m_mainPadPage->clearKit(); }
void MainWindow1::rightMenu(QString objName) { m_mainPadPage->openPadMenu(objName); }
void MainWindow1::recvInteration(QString) { m_mainPadPage->clearHighlight(); }
void MainWindow1::clearPad() { m_mainPadPage->clearPad(); }
void MainWindow1::padMenuClosed() { m_mainPadPage->padMenuClosed(); }
void MainWindow1::padCopyEnded() { m_mainPadPage->padCopyEnded(); }
void MainWindow1::copyPad() { m_mainPadPage->copyPad(); }
void MainWindow1::on_btnCopyKit_clicked() { m_mainPadPage->openKitCopy(); }
void MainWindow1::recvDstKitClick(int) { m_mainPadPage->kitCopyTargetClicked(); }
void MainWindow1::recvDstKit(int kit) { m_mainPadPage->copyKitTo(kit); }



// ==== KitChains =============================================================


void MainWindow1::makeKitChains(const KitChainsView &view)
{
    m_kitChains = std::make_unique<KitChainsController>(m_doc, *m_mainPadPage, view, this, *m_services.prompter, this);
    connect(m_kitChains.get(), &KitChainsController::chainsConfirmed, this, &MainWindow1::sendKitChainInfo);
    connect(m_kitChains.get(), &KitChainsController::kitMoved, this, &MainWindow1::sendModelIndex);
}

// The kit-chain page calls no area made after it.
void MainWindow1::wireKitChains()
{
}



// ---- KitChains forwards

void MainWindow1::on_kitChainNoSpinBox_valueChanged(int chain) { m_kitChains->showChain(chain); }
void MainWindow1::on_rBtnKitChainOn_clicked() { m_kitChains->switchOn(); }
void MainWindow1::on_rBtnKitChainOff_clicked() { m_kitChains->switchOff(); }
void MainWindow1::on_btnClearStep_clicked() { m_kitChains->clearShownChain(); }
void MainWindow1::on_btnSureKitChain_clicked() { m_kitChains->confirmChains(); }
void MainWindow1::recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names)
{
    m_kitChains->applyHandedOn(chains, names);
}
void MainWindow1::recvKitNameList(QString name, int kit) { m_kitChains->kitNamed(kit, name); }
void MainWindow1::recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains) { m_kitChains->loadChains(chains); }
void MainWindow1::kitChainListItemModelChanged(QStandardItem *item) { m_kitChains->kitListCellChanged(item); }
void MainWindow1::on_kitListtreeView_pressed(const QModelIndex &) { m_kitChains->dragPressedKit(); }
void MainWindow1::on_moveUpKit_clicked() { m_kitChains->moveKitInList(-1); }
void MainWindow1::on_moveDownKit_clicked() { m_kitChains->moveKitInList(1); }
void MainWindow1::recvModel(QModelIndex index, quint8 flag) { m_kitPages->moveKit(index, flag); }



// ==== SetupFiles ============================================================


void MainWindow1::makeSetupFiles(const SetupFilesView &view)
{
    m_setupFiles = std::make_unique<SetupFilesController>(doc(), library(), pad(), view, this, *m_services.prompter,
                                                          *m_preview, *m_soundFiles, *m_soundLists, *m_kitPages,
                                                          *m_mainPadPage, *m_kitChains);
    connect(m_setupFiles.get(), &SetupFilesController::kitNameRead, this, &MainWindow1::sendKitNameChanged);
    connect(m_setupFiles.get(), &SetupFilesController::loadFinished, this, [this] { getRightSoundList(); });
    connect(m_setupFiles.get(), &SetupFilesController::padUpdateWanted, this, &MainWindow1::sendUpdate);
    connect(m_setupFiles.get(), &SetupFilesController::kitChoiceNames, this, &MainWindow1::sendKitNameList);
    connect(m_setupFiles.get(), &SetupFilesController::kitChoiceIndexes, this, &MainWindow1::sendKitIndexList);
}

// A save locks the frame.
void MainWindow1::wireSetupFiles()
{
    connect(m_setupFiles.get(), &SetupFilesController::saveLocked, m_shell.get(), &ShellController::lockForSave);
}



// ---- SetupFiles forwards
void MainWindow1::on_btnLoadFile_clicked() { m_setupFiles->importFiles(); }
void MainWindow1::on_btnSave_clicked() { m_setupFiles->save(); }
void MainWindow1::on_actionImport_All_triggered() { m_setupFiles->importWholeSetup(); }
void MainWindow1::on_actionExport_All_triggered() { m_setupFiles->exportWholeSetup(); }
void MainWindow1::on_btnKitChainSave_clicked() { m_setupFiles->save(); }
void MainWindow1::recvIsClose(bool flag) { m_setupFiles->kitChoiceClosed(flag); }
void MainWindow1::recvKitIndexState(QVector<int> indexList) { m_setupFiles->chooseKits(indexList); }
void MainWindow1::recvLoadSave(bool flag) { m_setupFiles->importAfterPadSave(flag); }
bool MainWindow1::showSound1(QString file, percussionpadfile *pf) { return m_setupFiles->showSound1(file, pf); }
void MainWindow1::showKit1(percussionpadfile *pf) { m_setupFiles->showKit1(pf); }
bool MainWindow1::showSound2(QString file, percussionpadfile *pf, int, int)
{
    return m_setupFiles->showSound2(file, pf);
}
void MainWindow1::showKit2(percussionpadfile *pf, int kitIdx, int, QString file)
{
    m_setupFiles->showKit2(pf, kitIdx, file);
}
bool MainWindow1::getWaveList(QString TempDirName, QProgressDialog *dialog)
{
    return m_setupFiles->getWaveList(TempDirName, dialog);
}
bool MainWindow1::getKitIniWaveList(QString TempDirName, int kitIndex, QProgressDialog *)
{
    return m_setupFiles->getKitIniWaveList(TempDirName, kitIndex);
}
void MainWindow1::waveKitOrder() { m_setupFiles->waveKitOrder(); }
setupfiles::ProgressFn MainWindow1::setupProgress(QProgressDialog *dialog)
{
    return m_setupFiles->setupProgress(dialog);
}
bool MainWindow1::judgeIsAllFile(QString dir) { return m_setupFiles->judgeIsAllFile(dir); }
bool MainWindow1::openFilePath(QString dir) { return m_setupFiles->openFilePath(dir); }
void MainWindow1::removeSoundFile(QString path, int) { m_setupFiles->removeSoundFile(path); }
void MainWindow1::soundFileRemoved(const QHash<QString, QString> &moved) { m_setupFiles->soundFileRemoved(moved); }
void MainWindow1::handOverFromChangedFiles() { m_soundFiles->handOverFromChangedFiles(); }
void MainWindow1::autoLoadFile(QString file) { m_setupFiles->autoLoadFile(file); }
void MainWindow1::autoLoadKit(QStringList files) { m_setupFiles->autoLoadKit(files); }
void MainWindow1::autoLoadKitFile() { m_setupFiles->autoLoadKitFile(); }
bool MainWindow1::confirmOfflineClose() { return m_setupFiles->confirmOfflineClose(); }



// ==== PadSync ===============================================================


void MainWindow1::makePadSync()
{
    m_padSync = std::make_unique<PadSyncController>(m_doc, soundLibrary, m_pad, *m_soundLists, *m_kitPages,
                                                    *m_mainPadPage, this, *m_services.prompter);
    connect(m_padSync.get(), &PadSyncController::soundListChanged, this, &MainWindow1::getRightSoundList);
    connect(m_padSync.get(), &PadSyncController::kitNameRead, this, &MainWindow1::sendKitNameChanged);
}

// Hands the PadSync controller the areas made after it.
void MainWindow1::wirePadSync()
{
}



// ---- PadSync forwards

void MainWindow1::recvFilePath(QString path) { m_padSync->chooseDrive(path); }
void MainWindow1::recvUpdate(int flag, int) { m_padSync->runQueuedBatch(flag); }



// ==== Shell =================================================================


// The window's construction and teardown call into the areas it composes.
#include "platform/regularfile.h"
#include "resources/ztresources.h"
#include "widgets/copykitfunc.h"
#include "widgets/lineedit.h"
#include "widgets/padlabel.h"
#include "widgets/selectkitno.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStandardItemModel>

void MainWindow1::makeShell(const ShellView &view)
{
    const ShellController::Areas areas{*m_preview,     *m_soundFiles, *m_soundLists, *m_kitPages,
                                       *m_mainPadPage, *m_kitChains,  *m_setupFiles, *m_padSync};
    m_shell = std::make_unique<ShellController>(areas, view, m_doc, soundLibrary, m_pad, this, *m_services.prompter);
    connect(m_shell.get(), &ShellController::padAddsQueued, this, [this] { emit sendUpdate(1, 0); });
}

// Hands the Shell controller the areas made after it.
void MainWindow1::wireShell()
{
}


// The effect controls, the sound menus and the total list's re-press.
void MainWindow1::connectControls()
{
    QSpinBox *const controls[12] = {ui->effect1_ctrl1, ui->effect1_ctrl2, ui->effect1_ctrl3,
                                    ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3,
                                    ui->effect3_ctrl1, ui->effect3_ctrl2, ui->effect3_ctrl3,
                                    ui->effect4_ctrl1, ui->effect4_ctrl2, ui->effect4_ctrl3};
    for (QSpinBox *box : controls)
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWindow1::on_valueChanged);
    connect(WaveTreeView1::delSoundAction(), &QAction::triggered, this, &MainWindow1::deleteWaveFromList);
    connect(TotalTreeView::deleteSoundAction(), &QAction::triggered, this, &MainWindow1::deleteWaveFromList1);
    connect(TotalTreeView::exportSoundAction(), &QAction::triggered, this, &MainWindow1::exportWave);
    connect(ui->totalWaveTreeView, &TotalTreeView::sendSelectItem, this, &MainWindow1::recvSelectItem);
}

// The window's signals to its own slots, the pad menu, the kit choice and the
// copy dialogs (a rename's two receivers come last, in the constructor).
void MainWindow1::connectDialogs()
{
    for (const MainPadPageController::strPadWidgetGroup &pad : m_mainPadPage->padWidgetGroup()) {
        for (PadLabel *label : {pad.lableA, pad.lableB}) {
            if (!label)
                continue;
            connect(label, &PadLabel::clickRight, this, &MainWindow1::rightMenu);
            connect(label, &PadLabel::clickLeft, this, &MainWindow1::recvInteration);
        }
    }
    connect(m_mainPadPage->pad_clear(), &QAction::triggered, this, &MainWindow1::clearPad);
    connect(m_mainPadPage->pad_copy(), &QAction::triggered, this, &MainWindow1::copyPad);
    connect(m_mainPadPage->pad_menu(), &QMenu::aboutToHide, this, &MainWindow1::padMenuClosed);

    connect(this, &MainWindow1::sendLoopIndex2, this, &MainWindow1::waveLoop2);
    SelectKitNo *skn = m_setupFiles->skn();
    connect(this, &MainWindow1::sendKitNameList, skn, &SelectKitNo::recvKitNameList);
    connect(this, &MainWindow1::sendKitIndexList, skn, &SelectKitNo::recvKitIndexList);
    connect(skn, &SelectKitNo::sendIsClose, this, &MainWindow1::recvIsClose);
    connect(skn, &SelectKitNo::sendKitIndexState, this, &MainWindow1::recvKitIndexState);
    // The kit list model belongs to the kit-chain page; it may not exist yet.
    if (m_kitChains->kitChainListItemModel())
        connect(m_kitChains->kitChainListItemModel(), &QStandardItemModel::itemChanged, this,
                &MainWindow1::kitChainListItemModelChanged);
    connect(this, &MainWindow1::sendKitChainMeg, this, &MainWindow1::recvKitChainMeg);
    connect(this, &MainWindow1::sendKitChainInfo, this, &MainWindow1::recvKitChainInfo);
    connect(this, &MainWindow1::sendModelIndex, this, &MainWindow1::recvModel);
    connect(this, &MainWindow1::sendLabelSize, this, &MainWindow1::initDisplay);
    connect(this, &MainWindow1::sendLoadSave, this, &MainWindow1::recvLoadSave);
    connect(this, &MainWindow1::sendUpdate, this, &MainWindow1::recvUpdate);
    connect(&m_pad, &PadSession::modeChanged, this, [this](PadSession::Mode mode) { m_padSync->showPadMode(mode); });

    connect(ui->kitNameLineEdit, &LineEdit::sendClickRight, this, &MainWindow1::recvDstKitClick);
    connect(ui->kitNameLineEdit, &LineEdit::sendMainDstKit, this, &MainWindow1::recvDstKit);
    connect(m_mainPadPage->kitCopy(), &CopyKitFunc::sendDstKit, this, &MainWindow1::recvDstKit);
}

MainWindow1::MainWindow1(const WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow1)
    , m_services(services)
{
    // The form's images live in the resources of a static library.
    ztInitResources();
    ui->setupUi(this);
    makeControllers();
    qApp->setQuitOnLastWindowClosed(false);
    setWindowTitle(QStringLiteral("Korvanta-V1.04"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_shell->buildFrame();

    m_soundLists->setUpSoundViews();
    m_kitPages->setUpClickList();
    initClickItemModel();
    m_preview->initSoundPlay();
    // The pages show what the document holds from here on.
    m_kitChains->connectDocument();
    m_mainPadPage->connectDocument();
    m_kitPages->connectDocument();
    m_kitPages->initGlobalSet();
    m_kitPages->initKitSet();
    m_kitChains->initKitChainSet();
    doc().markAllSaved(globalPage()); // the start is what a close compares with

    m_shell->connectPagesAndLists();
    connectControls();
    connect(library().soundListItemModel(), &QStandardItemModel::itemChanged, this,
            &MainWindow1::soundListItemModelChanged);
    if (!m_shell->makeTempFolders())
        return;
    m_shell->finishConstruction();
    connectDialogs();
    // A rename reaches both name holders, in this order.
    connect(this, &MainWindow1::sendKitNameChanged, this,
            static_cast<void (MainWindow1::*)(QString, int)>(&MainWindow1::recvKitNameList));
    connect(this, &MainWindow1::sendKitNameChanged, this, &MainWindow1::updateKitNameAndNo);
    connect(this, &MainWindow1::sendSrcKit, ui->kitNameLineEdit, &LineEdit::recvSrcKit);
    makeHistory(ui->menuHelp, ui->menuFile);
}

MainWindow1::~MainWindow1()
{
    releaseHistory();
    ztplatform::endFolderWatch(this);
    // A name editor still open commits while the widgets go: no rename then.
    for (QStandardItemModel *model :
         {library().soundListItemModel(), library().totalListItemModel(), library().hhSoundItemModel()})
        model->disconnect(this);
    m_soundLists->settleSoundListAtExit();
    releaseControllers(); // the frame's dialogs and the progress dialogs first
    delete ui;
}


// ---- Shell forwards

bool MainWindow1::eventFilter(QObject *watched, QEvent *event)
{
    // The frame is gone first while the window is destroyed.
    return (m_shell && m_shell->filterEvent(watched, event)) || QMainWindow::eventFilter(watched, event);
}
void MainWindow1::closeEvent(QCloseEvent *event) { m_shell->closeWindow(event); }
void MainWindow1::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    m_shell->fitLeftTopBar();
}
void MainWindow1::recvClose(int flag) { m_quitFlag = flag; }
void MainWindow1::checkTheme(bool isDark) { m_shell->applyTheme(isDark); }
bool MainWindow1::isSystemDarkMode() const { return m_shell->isSystemDarkMode(); }
void MainWindow1::initDisplay(int width, int mode) { m_shell->initDisplay(width, mode); }
void MainWindow1::on_actionGlobal_Setting_triggered() { m_shell->showGlobalPage(); }
void MainWindow1::on_actionBack_to_main_interface_triggered() { m_shell->backToMainPage(); }
void MainWindow1::on_actionKit_Setiing_triggered() { m_shell->showKitPage(); }
void MainWindow1::on_actionAbout_Korvanta_triggered() { m_shell->openHtmlFile(); }

// The window composes its areas: each controller is made here, given what it
// drives and the controllers below it, and wired; the slots the form
// connects by name forward to the area that does the work.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/windowviews.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

#include "platform/regularfile.h"
#include "resources/ztresources.h"
#include "widgets/copykitfunc.h"
#include "widgets/lineedit.h"
#include "widgets/padlabel.h"
#include "widgets/selectkitno.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QSpinBox>
#include <QStandardItemModel>

void MainWindow1::makeControllers()
{
    const WindowViews views = windowViews(ui);
    makeLibrary(views);
    makeEditing(views);
    m_setupFiles = std::make_unique<SetupFilesController>(doc(), library(), pad(), views.setupFiles, this,
                                                          *m_services.prompter, *m_preview, *m_rawFiles,
                                                          *m_soundLists, *m_kitPages, *m_mainPadPage, *m_kitChains,
                                                          *m_kitHeader);
    m_padSync = std::make_unique<PadSyncController>(m_doc, soundLibrary, m_pad, *m_soundLists, *m_kitPages,
                                                    *m_mainPadPage, *m_kitHeader, this, *m_services.prompter);
    const ShellController::Areas areas{*m_preview,   *m_soundFiles, *m_soundLists, *m_kitPages, *m_mainPadPage,
                                       *m_kitChains, *m_kitHeader,  *m_setupFiles, *m_padSync};
    m_shell = std::make_unique<ShellController>(areas, views.shell, m_doc, soundLibrary, m_pad, this,
                                                *m_services.prompter);
    wireAreas();
}

// The library's areas, each given those below it: the previews and saves'
// sound files, the preview, the lists, the imports and exports.
void MainWindow1::makeLibrary(const WindowViews &views)
{
    m_rawFiles = std::make_unique<RawFiles>(m_doc, soundLibrary, m_pad, this, *m_services.prompter,
                                            m_services.conversion);
    m_preview = std::make_unique<PreviewController>(views.preview, this, *m_services.prompter, *m_rawFiles);
    m_soundLists = std::make_unique<SoundListsController>(m_doc, soundLibrary, m_pad, views.soundLists, this,
                                                          *m_services.prompter, *m_preview);
    m_soundFiles = std::make_unique<SoundFilesController>(m_doc, soundLibrary, m_pad, this, *m_services.prompter,
                                                          m_services.conversion, *m_preview, *m_soundLists);
    connect(m_rawFiles.get(), &RawFiles::soundMissing, m_soundLists.get(), &SoundListsController::pointAtSound);
}

void MainWindow1::makeEditing(const WindowViews &views)
{
    m_kitHeader = std::make_unique<KitHeaderController>(views.kitHeader);
    m_mainPadPage = std::make_unique<MainPadPageController>(doc(), *m_kitHeader, views.mainPadPage, this,
                                                            *m_services.prompter);
    m_kitChains = std::make_unique<KitChainsController>(m_doc, *m_kitHeader, *m_mainPadPage, views.kitChains, this,
                                                        *m_services.prompter, this);
    m_kitPages = std::make_unique<KitPagesController>(m_doc, soundLibrary, views.kitPages, this, *m_services.prompter,
                                                      *m_kitHeader, *m_mainPadPage, *m_kitChains, *m_preview,
                                                      *m_soundLists);
    // The effect slots' types and controls and the first three hi-hat layers, from the start.
    KitPagesController *pages = m_kitPages.get();
    for (int slot = 0; slot < 4; ++slot) {
        const EffectSlotView &effect = views.kitPages.kit.effects[size_t(slot)];
        connect(effect.type, QOverload<int>::of(&QComboBox::currentIndexChanged), pages,
                [pages, slot](int type) { pages->chooseEffectType(slot, type); });
        for (int c = 0; c < 3; ++c)
            connect(effect.controls[size_t(c)], QOverload<int>::of(&QSpinBox::valueChanged), pages,
                    [pages, slot, c](int value) { pages->changeEffectControl(slot, c, value); });
    }
    for (int layer = 1; layer <= 3; ++layer)
        connect(views.kitPages.pad.hhLayers[size_t(layer - 1)], &QSpinBox::editingFinished, pages,
                [pages, layer] { pages->checkLayer(layer); });
}

void MainWindow1::releaseControllers()
{
    m_shell.reset();
    m_padSync.reset();
    m_setupFiles.reset();
    m_kitChains.reset();
    m_mainPadPage.reset();
    m_kitPages.reset();
    m_kitHeader.reset();
    m_soundFiles.reset();
    m_soundLists.reset();
    m_preview.reset();
    m_rawFiles.reset();
}

// What the library's controllers tell the areas above them, and the pages
// one another, from the start.
void MainWindow1::wireAreas()
{
    SoundListsController *lists = m_soundLists.get();
    KitPagesController *pages = m_kitPages.get();
    connect(lists, &SoundListsController::mirrorSelectionChanged, pages,
            [pages](const QModelIndex &index) { pages->chooseHHSound(index, false); });
    connect(lists, &SoundListsController::groupSelectionChanged, lists,
            [lists](const QModelIndex &index) { lists->groupTreeSelection(index, false); });
    connect(m_soundFiles.get(), &SoundFilesController::listImportStarting, m_mainPadPage.get(),
            &MainPadPageController::selectShownKit);
    KitHeaderController *header = m_kitHeader.get();
    connect(lists, &SoundListsController::selectionStarting, header, &KitHeaderController::unframeName);
    connect(lists, &SoundListsController::selectionTaken, header, &KitHeaderController::releaseFields);
    connect(lists, &SoundListsController::clickSoundsImported, m_kitPages.get(),
            &KitPagesController::showImportedClicks);
    connect(lists, &SoundListsController::soundsRenumbered, m_padSync.get(),
            &PadSyncController::updateWavePrmAndData);
    // A copy takes the kit settings page's edits first, and shows them again after.
    connect(m_mainPadPage.get(), &MainPadPageController::commitWanted, pages, &KitPagesController::commitShownKit);
    connect(m_mainPadPage.get(), &MainPadPageController::kitPageRedrawWanted, pages,
            &KitPagesController::redrawKitPage);
    SetupFilesController *files = m_setupFiles.get();
    connect(files, &SetupFilesController::loadFinished, lists, &SoundListsController::getRightSoundList);
    // A save locks the frame.
    connect(files, &SetupFilesController::saveLocked, m_shell.get(), &ShellController::lockForSave);
    connect(m_padSync.get(), &PadSyncController::soundListChanged, lists, &SoundListsController::getRightSoundList);
}

// Once the frame stands: the preview's loop, the pad's batches, the chains
// handed between the pages.
void MainWindow1::connectHandOns()
{
    PreviewController *preview = m_preview.get();
    connect(preview, &PreviewController::loopPressed, preview, &PreviewController::loopChanged);
    PadSyncController *sync = m_padSync.get();
    connect(m_soundFiles.get(), &SoundFilesController::padAddsQueued, sync, [sync] { sync->runQueuedBatch(1); });
    connect(m_soundLists.get(), &SoundListsController::padDeleteQueued, sync, [sync] { sync->runQueuedBatch(0); });
    connect(m_setupFiles.get(), &SetupFilesController::padUpdateWanted, sync,
            [sync](int flag) { sync->runQueuedBatch(flag); });
    connect(m_shell.get(), &ShellController::padAddsQueued, sync, [sync] { sync->runQueuedBatch(1); });
    KitPagesController *pages = m_kitPages.get();
    KitChainsController *chains = m_kitChains.get();
    connect(pages, &KitPagesController::chainsRead, chains, &KitChainsController::loadChains);
    connect(pages, &KitPagesController::chainPageLeft, chains, &KitChainsController::applyHandedOn);
    connect(chains, &KitChainsController::chainsConfirmed, chains, &KitChainsController::applyHandedOn);
    connect(chains, &KitChainsController::kitMoved, pages, &KitPagesController::moveKit);
}

// The effect controls, the sound menus and the total list's re-press.
void MainWindow1::connectControls()
{
    for (const EffectSlotView &effect : m_kitPages->view().kit.effects) {
        for (QSpinBox *box : effect.controls)
            connect(box, QOverload<int>::of(&QSpinBox::valueChanged), m_kitPages.get(),
                    &KitPagesController::checkControlValue);
    }
    SoundListsController *lists = m_soundLists.get();
    connect(ui->waveGroupTreeView->delSoundAction(), &QAction::triggered, lists, &SoundListsController::deleteFromGroups);
    connect(ui->totalWaveTreeView->deleteSoundAction(), &QAction::triggered, lists,
            &SoundListsController::deleteSelectedSounds);
    connect(ui->totalWaveTreeView->exportSoundAction(), &QAction::triggered, m_soundFiles.get(),
            &SoundFilesController::exportSelectedSounds);
    connect(ui->totalWaveTreeView, &TotalTreeView::sendSelectItem, lists, &SoundListsController::pressCurrentSound);
}

// The pad menu, the kit choice and the copy dialogs (a rename's receivers
// come last, in the constructor).
void MainWindow1::connectDialogs()
{
    MainPadPageController *page = m_mainPadPage.get();
    for (const MainPadPageController::strPadWidgetGroup &pad : page->padWidgetGroup()) {
        for (PadLabel *label : {pad.lableA, pad.lableB}) {
            if (!label)
                continue;
            connect(label, &PadLabel::clickRight, page, &MainPadPageController::openPadMenu);
            connect(label, &PadLabel::clickLeft, page, &MainPadPageController::clearHighlight);
        }
    }
    connect(page->pad_clear(), &QAction::triggered, page, &MainPadPageController::clearPad);
    connect(page->pad_copy(), &QAction::triggered, page, &MainPadPageController::copyPad);
    connect(page->pad_menu(), &QMenu::aboutToHide, page, &MainPadPageController::padMenuClosed);

    SetupFilesController *files = m_setupFiles.get();
    SelectKitNo *skn = files->skn();
    connect(files, &SetupFilesController::kitChoiceNames, skn, &SelectKitNo::recvKitNameList);
    connect(files, &SetupFilesController::kitChoiceIndexes, skn, &SelectKitNo::recvKitIndexList);
    connect(skn, &SelectKitNo::sendIsClose, files, &SetupFilesController::kitChoiceClosed);
    connect(skn, &SelectKitNo::sendKitIndexState, files, &SetupFilesController::chooseKits);
    // The kit list model belongs to the kit-chain page; it may not exist yet.
    if (m_kitChains->kitChainListItemModel())
        connect(m_kitChains->kitChainListItemModel(), &QStandardItemModel::itemChanged, m_kitChains.get(),
                &KitChainsController::kitListCellChanged);
    connectHandOns();
    connect(&m_pad, &PadSession::modeChanged, m_padSync.get(), &PadSyncController::showPadMode);

    connect(ui->kitNameLineEdit, &LineEdit::sendClickRight, page, &MainPadPageController::kitCopyTargetClicked);
    connect(ui->kitNameLineEdit, &LineEdit::sendMainDstKit, page, &MainPadPageController::copyKitTo);
    connect(page->kitCopy(), &CopyKitFunc::sendDstKit, page, &MainPadPageController::copyKitTo);
}

// A kit renamed on the pads, by a load or by the pad's load reaches both
// name holders, the kit list first.
void MainWindow1::connectRenames()
{
    auto renamed = [this](const QString &name, int kit) {
        m_kitChains->kitNamed(kit, name);
        m_doc.renameKit(quint8(kit), name, true);
    };
    connect(m_mainPadPage.get(), &MainPadPageController::kitNameChanged, this, renamed);
    connect(m_setupFiles.get(), &SetupFilesController::kitNameRead, this, renamed);
    connect(m_padSync.get(), &PadSyncController::kitNameRead, this, renamed);
}

MainWindow1::MainWindow1(const WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow1)
    , m_services(services)
    , soundLibrary(services.clickFolder, services.leftovers, services.fence, services.silent)
    , m_pad(services.pad, services.leftovers, services.fence, services.silent)
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
    m_soundLists->initClickItemModel();
    m_preview->initSoundPlay();
    m_soundLists->importSoundList(QDir::current().absoluteFilePath(QStringLiteral("soundlist.xml")));
    // The pages show what the document holds from here on.
    m_kitChains->connectDocument();
    m_mainPadPage->connectDocument();
    m_kitPages->connectDocument();
    m_kitPages->initGlobalSet();
    m_kitPages->initKitSet();
    m_kitChains->initKitChainSet();
    doc().markAllSaved(m_kitPages->globalPage()); // the start is what a close compares with

    m_shell->connectPagesAndLists();
    connectControls();
    connect(library().soundListItemModel(), &QStandardItemModel::itemChanged, m_soundLists.get(),
            &SoundListsController::renameGroupRow);
    if (!m_shell->makeTempFolders())
        return;
    m_shell->finishConstruction();
    connectDialogs();
    connectRenames();
    connect(m_mainPadPage.get(), &MainPadPageController::sourceKitChosen, ui->kitNameLineEdit, &LineEdit::recvSrcKit);
    makeHistory(ui->menuHelp, ui->menuFile);
}

MainWindow1::~MainWindow1()
{
    releaseHistory();
    m_services.fence->endFolderWatch(this);
    // A name editor still open commits while the widgets go: no rename then.
    disconnect(library().soundListItemModel(), &QStandardItemModel::itemChanged, m_soundLists.get(),
               &SoundListsController::renameGroupRow);
    m_soundLists->settleSoundListAtExit();
    releaseControllers(); // the frame's dialogs and the progress dialogs first
    delete ui;
}

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

// ---- the slots the form connects by name ----------------------------------------

// The preview bar.
void MainWindow1::on_playBtn2_clicked() { m_preview->play(m_soundLists->soundRowCurrent()); }
void MainWindow1::on_stopBtn2_clicked() { m_preview->stop(m_soundLists->soundRowCurrent()); }
void MainWindow1::on_loopBtn2_clicked() { m_preview->toggleLoop(m_soundLists->soundRowCurrent()); }
void MainWindow1::on_waveHorizontalSlider2_sliderMoved(int position) { m_preview->seek(position); }
void MainWindow1::on_volumeHorizontalSlider2_valueChanged(int value) { m_preview->setVolume(value); }

// The sound lists and groups.
void MainWindow1::on_addWaveFile_clicked() { m_soundFiles->addFilesToGroup(); }
void MainWindow1::on_tbtAddWave_clicked() { m_soundFiles->addFilesToTotalList(); }
void MainWindow1::on_addWaveGroup_clicked() { m_soundLists->addGroup(); }
void MainWindow1::on_totalWaveTreeView_pressed(const QModelIndex &index) { m_soundLists->totalListSelection(index, true); }
void MainWindow1::on_waveGroupTreeView_pressed(const QModelIndex &index) { m_soundLists->groupTreeSelection(index, true); }
void MainWindow1::on_defaultRbtn_clicked() { m_soundLists->showStoredOrder(); }
void MainWindow1::on_kitRbtn_clicked() { m_soundLists->showKitUseOrder(); }
void MainWindow1::on_upRbtn_clicked() { m_soundLists->showNameOrder(true); }
void MainWindow1::on_DownRbtn_clicked() { m_soundLists->showNameOrder(false); }
void MainWindow1::on_btnExportRightWave_clicked() { m_soundLists->exportOrder(); }
void MainWindow1::on_btnImportRightWave_clicked() { m_soundLists->importOrder(); }
void MainWindow1::on_actionReorder_Serial_Numbers_triggered() { m_soundLists->reorderSerialNumbers(); }
void MainWindow1::on_tbtDel_clicked() { m_soundLists->deleteSelectedSounds(); }
void MainWindow1::on_delWaveGroup_clicked() { m_soundLists->deleteFromGroups(); }
void MainWindow1::on_btnImportClickWave_clicked() { m_soundLists->importClickSounds(); }

// The kit settings, pad settings and global settings pages.
void MainWindow1::on_mode_currentIndexChanged(int index) { m_kitPages->chooseMode(index); }
void MainWindow1::on_linkGroupComboBox_currentIndexChanged(int index) { m_kitPages->chooseLinkGroup(index); }
void MainWindow1::on_padNoComboBox_currentIndexChanged(int index) { m_kitPages->switchPad(index); }
void MainWindow1::on_kitNoSpinBox_valueChanged(int kitNo) { m_kitPages->switchKit(kitNo); }
void MainWindow1::on_btnKitMove_clicked() { m_kitPages->showMainPadPage(); }
void MainWindow1::on_btnKitChain_clicked() { m_kitPages->showKitChainPage(); }
void MainWindow1::on_btnSoundKit_clicked() { m_kitPages->showKitSettingsPage(); }
void MainWindow1::on_padLink1ComboBox_currentIndexChanged(int index) { m_kitPages->choosePadLink(true, index); }
void MainWindow1::on_padLink2ComboBox_currentIndexChanged(int index) { m_kitPages->choosePadLink(false, index); }
void MainWindow1::on_soundListTreeView_pressed(const QModelIndex &index) { m_kitPages->chooseHHSound(index, true); }
void MainWindow1::on_btnClearHHWave_clicked() { m_kitPages->clearHHWaves(); }
void MainWindow1::on_btnDelClick_clicked() { m_kitPages->deleteClickSound(); }
void MainWindow1::on_clickWaveTreeView_pressed(const QModelIndex &index) { m_kitPages->pressClickSound(index); }
void MainWindow1::on_clickSoundNoSpinBox_valueChanged(int value) { m_kitPages->chooseClickSound(value); }
void MainWindow1::on_btnGlobal_clicked() { m_kitPages->exportGlobalFile(); }
void MainWindow1::on_globalPadComboBox_currentIndexChanged(int pad) { m_kitPages->showGlobalPad(pad); }
void MainWindow1::on_masterEffectComboBox_currentIndexChanged(int slot) { m_kitPages->showMasterEffect(slot); }

// The main pad page.
void MainWindow1::on_upPageBtn_clicked() { m_mainPadPage->pageKit(-1); }
void MainWindow1::on_downPageBtn_clicked() { m_mainPadPage->pageKit(1); }
void MainWindow1::on_kitNumber_textEdited(const QString &text) { m_mainPadPage->typeKitNumber(text); }
void MainWindow1::on_kitNameLineEdit_editingFinished() { m_mainPadPage->finishNameField(); }
void MainWindow1::on_btnRenameKit_clicked() { m_kitHeader->focusName(); }
void MainWindow1::on_btnClear_clicked() { m_mainPadPage->clearKit(); }
void MainWindow1::on_btnCopyKit_clicked() { m_mainPadPage->openKitCopy(); }

// The kit-chain page.
void MainWindow1::on_kitChainNoSpinBox_valueChanged(int chain) { m_kitChains->showChain(chain); }
void MainWindow1::on_rBtnKitChainOn_clicked() { m_kitChains->switchOn(); }
void MainWindow1::on_rBtnKitChainOff_clicked() { m_kitChains->switchOff(); }
void MainWindow1::on_btnClearStep_clicked() { m_kitChains->clearShownChain(); }
void MainWindow1::on_btnSureKitChain_clicked() { m_kitChains->confirmChains(); }
void MainWindow1::on_kitListtreeView_pressed(const QModelIndex &) { m_kitChains->dragPressedKit(); }
void MainWindow1::on_moveUpKit_clicked() { m_kitChains->moveKitInList(-1); }
void MainWindow1::on_moveDownKit_clicked() { m_kitChains->moveKitInList(1); }

// Setup files.
void MainWindow1::on_btnLoadFile_clicked() { m_setupFiles->importFiles(); }
void MainWindow1::on_btnSave_clicked() { m_setupFiles->save(); }
void MainWindow1::on_actionImport_All_triggered() { m_setupFiles->importWholeSetup(); }
void MainWindow1::on_actionExport_All_triggered() { m_setupFiles->exportWholeSetup(); }
void MainWindow1::on_btnKitChainSave_clicked() { m_setupFiles->save(); }
void MainWindow1::on_rbtBack_clicked() { m_setupFiles->takeBackupChoice(); }

// The menus.
void MainWindow1::on_actionGlobal_Setting_triggered() { m_shell->showGlobalPage(); }
void MainWindow1::on_actionBack_to_main_interface_triggered() { m_shell->backToMainPage(); }
void MainWindow1::on_actionKit_Setiing_triggered() { m_shell->showKitPage(); }
void MainWindow1::on_actionAbout_Korvanta_triggered() { m_shell->openHtmlFile(); }

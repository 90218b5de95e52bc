// The window composes its areas: each controller is made here, given what it
// drives, and wired; the slots the form connects by name and the send/recv
// pairs forward to the area that does the work.
#include "mainwindow1/mainwindow1.h"
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
    makePreview();
    makeSoundFiles();
    makeSoundLists();
    makeKitPages();
    makeMainPadPage();
    makeKitChains();
    makeSetupFiles();
    makePadSync();
    makeShell();
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


void MainWindow1::makePreview()
{
    m_preview = std::make_unique<PreviewController>();
}


// ---- Preview forwards



// ==== SoundFiles ============================================================


void MainWindow1::makeSoundFiles()
{
    m_soundFiles = std::make_unique<SoundFilesController>();
}


// ---- SoundFiles forwards



// ==== SoundLists ============================================================


void MainWindow1::makeSoundLists()
{
    m_soundLists = std::make_unique<SoundListsController>();
}


// ---- SoundLists forwards



// ==== KitPages ==============================================================


void MainWindow1::makeKitPages()
{
    m_kitPages = std::make_unique<KitPagesController>();
}


// ---- KitPages forwards



// ==== MainPadPage ===========================================================


void MainWindow1::makeMainPadPage()
{
    m_mainPadPage = std::make_unique<MainPadPageController>();
}


// ---- MainPadPage forwards



// ==== KitChains =============================================================


void MainWindow1::makeKitChains()
{
    m_kitChains = std::make_unique<KitChainsController>();
}


// ---- KitChains forwards



// ==== SetupFiles ============================================================


void MainWindow1::makeSetupFiles()
{
    m_setupFiles = std::make_unique<SetupFilesController>();
}


// ---- SetupFiles forwards



// ==== PadSync ===============================================================


void MainWindow1::makePadSync()
{
    m_padSync = std::make_unique<PadSyncController>();
}


// ---- PadSync forwards



// ==== Shell =================================================================


// The window's construction and teardown call into the areas it composes.
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "platform/regularfile.h"
#include "resources/ztresources.h"

#include <QApplication>
#include <QProgressDialog>
#include <QStandardItemModel>

void MainWindow1::makeShell()
{
    m_shell = std::make_unique<ShellController>(*this, ui, m_doc, soundLibrary, m_pad, this);
}

MainWindow1::MainWindow1(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow1)
{
    // The form's images live in the resources of a static library.
    ztInitResources();
    ui->setupUi(this);
    makeControllers();
    qApp->setQuitOnLastWindowClosed(false);
    setWindowTitle(QStringLiteral("Korvanta-V1.04"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_shell->buildFrame();

    librarypane::setUpSoundViews(this);
    initClickItemModel();
    librarypane::initSoundPlay(this);
    kitpage::connectDocument(this); // the pages show what the document holds from here on
    kitpage::initGlobalSet(this);
    kitpage::initKitSet(this);
    kitchainpage::initKitChainSet(this);
    doc().markAllSaved(globalPage()); // the start is what a close compares with

    m_shell->connectPagesAndLists();
    if (!m_shell->makeTempFolders())
        return;
    m_shell->finishConstruction();
}

MainWindow1::~MainWindow1()
{
    ztplatform::endFolderWatch(this);
    // A name editor still open commits while the widgets go: no rename then.
    for (QStandardItemModel *model :
         {library().soundListItemModel(), library().totalListItemModel(), library().hhSoundItemModel()})
        model->disconnect(this);
    m_shell->settleSoundListAtExit();
    // The progress dialogs go before the window's widgets.
    delete dialog;
    delete usbDialog;
    releaseControllers(); // the frame's dialogs first
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
bool MainWindow1::confirmOfflineClose() { return m_shell->confirmOfflineClose(); }
void MainWindow1::recvClose(int flag) { quitFlag = flag; }
void MainWindow1::checkTheme(bool isDark) { m_shell->applyTheme(isDark); }
void MainWindow1::on_actionGlobal_Setting_triggered() { m_shell->showGlobalPage(); }
void MainWindow1::on_actionBack_to_main_interface_triggered() { m_shell->backToMainPage(); }
void MainWindow1::on_actionKit_Setiing_triggered() { m_shell->showKitPage(); }
void MainWindow1::on_actionAbout_Korvanta_triggered() { m_shell->openHtmlFile(); }

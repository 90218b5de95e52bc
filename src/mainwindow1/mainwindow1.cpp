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
    m_setupFiles = std::make_unique<SetupFilesController>(doc(), library(), pad(), ui, this, *this);
    connect(m_setupFiles.get(), &SetupFilesController::kitNameRead, this, &MainWindow1::sendKitNameChanged);
    connect(m_setupFiles.get(), &SetupFilesController::loadFinished, this, [this] { getRightSoundList(); });
    connect(m_setupFiles.get(), &SetupFilesController::padUpdateWanted, this, &MainWindow1::sendUpdate);
    connect(m_setupFiles.get(), &SetupFilesController::kitChoiceNames, this, &MainWindow1::sendKitNameList);
    connect(m_setupFiles.get(), &SetupFilesController::kitChoiceIndexes, this, &MainWindow1::sendKitIndexList);
}


// ---- SetupFiles forwards
void MainWindow1::on_btnLoadFile_clicked() { m_setupFiles->importFiles(); }
void MainWindow1::on_btnSave_clicked() { m_setupFiles->save(); }
void MainWindow1::on_actionImport_All_triggered() { m_setupFiles->importWholeSetup(); }
void MainWindow1::on_actionExport_All_triggered() { m_setupFiles->exportWholeSetup(); }
void MainWindow1::on_btnKitChainSave_clicked() { m_setupFiles->save(); }
void MainWindow1::on_btnExportAllFile_clicked() { m_setupFiles->save(); }
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
void MainWindow1::handOverFromChangedFiles() { m_setupFiles->handOverFromChangedFiles(); }
void MainWindow1::autoLoadFile(QString file) { m_setupFiles->autoLoadFile(file); }
void MainWindow1::autoLoadKit(QStringList files) { m_setupFiles->autoLoadKit(files); }
void MainWindow1::autoLoadKitFile() { m_setupFiles->autoLoadKitFile(); }
bool MainWindow1::confirmOfflineClose() { return m_setupFiles->confirmOfflineClose(); }



// ==== PadSync ===============================================================


void MainWindow1::makePadSync()
{
    m_padSync = std::make_unique<PadSyncController>();
}


// ---- PadSync forwards



// ==== Shell =================================================================


void MainWindow1::makeShell()
{
    m_shell = std::make_unique<ShellController>();
}


// ---- Shell forwards

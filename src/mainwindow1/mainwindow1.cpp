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
    m_padSync = std::make_unique<PadSyncController>(m_doc, soundLibrary, m_pad, ui, this, *this);
    connect(m_padSync.get(), &PadSyncController::soundListChanged, this, &MainWindow1::getRightSoundList);
    connect(m_padSync.get(), &PadSyncController::kitNameRead, this, &MainWindow1::sendKitNameChanged);
}


// ---- PadSync forwards

void MainWindow1::recvFilePath(QString path) { m_padSync->chooseDrive(path); }
void MainWindow1::recvUpdate(int flag, int) { m_padSync->runQueuedBatch(flag); }
void MainWindow1::recvAddProgress(int value) { m_padSync->addProgress(value); }
void MainWindow1::recvDelProgress(int value) { m_padSync->deleteProgress(value); }
void MainWindow1::recvWaveFailed(int waveNo, QString, int refusal) { m_padSync->waveFailed(waveNo, refusal); }
void MainWindow1::recvDeleteFailed(QString path, int why, int error) { m_padSync->deleteFailed(path, why, error); }
void MainWindow1::recvBatchFinished() { m_padSync->batchFinished(); }



// ==== Shell =================================================================


void MainWindow1::makeShell()
{
    m_shell = std::make_unique<ShellController>();
}


// ---- Shell forwards

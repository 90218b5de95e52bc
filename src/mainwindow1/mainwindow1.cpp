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
    m_preview = std::make_unique<PreviewController>(ui, this, *this);
    connect(m_preview.get(), &PreviewController::loopPressed, this, &MainWindow1::sendLoopIndex2);
}


// ---- Preview forwards

void MainWindow1::on_playBtn2_clicked() { m_preview->play(); }
void MainWindow1::on_stopBtn2_clicked() { m_preview->stop(); }
void MainWindow1::on_loopBtn2_clicked() { m_preview->toggleLoop(); }
void MainWindow1::waveLoop2(int index) { m_preview->loopChanged(index); }
void MainWindow1::restartLoopPass() { m_preview->restartLoopPass(); }
void MainWindow1::stateChanged2(QMediaPlayer::State state) { m_preview->playerStateChanged(state); }
void MainWindow1::updatePosition2(qint64 position) { m_preview->positionChanged(position); }
void MainWindow1::getduration2() { m_preview->durationChanged(); }
void MainWindow1::on_waveHorizontalSlider2_sliderMoved(int position) { m_preview->seek(position); }
void MainWindow1::on_volumeHorizontalSlider2_valueChanged(int value) { m_preview->setVolume(value); }
void MainWindow1::mediaStatusChanged(QMediaPlayer::MediaStatus status) { m_preview->logMediaStatus(status); }
void MainWindow1::showError(QMediaPlayer::Error error) { m_preview->logError(error); }


// ==== SoundFiles ============================================================


void MainWindow1::makeSoundFiles()
{
    m_soundFiles = std::make_unique<SoundFilesController>(m_doc, soundLibrary, m_pad, ui, this, *m_preview, *this);
    connect(m_soundFiles.get(), &SoundFilesController::padAddsQueued, this, [this] { emit sendUpdate(1, 0); });
}


// ---- SoundFiles forwards

quint32 MainWindow1::getRawFile(QString waveFileName, QString outFileName, quint8 format)
{
    return m_soundFiles->getRawFile(waveFileName, outFileName, format);
}
void MainWindow1::on_addWaveFile_clicked() { m_soundFiles->addFilesToGroup(); }
void MainWindow1::on_tbtAddWave_clicked() { m_soundFiles->addFilesToTotalList(); }
void MainWindow1::exportWave() { m_soundFiles->exportSelectedSounds(); }
void MainWindow1::recvOK() { m_soundFiles->exportReportClosed(); }


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


void MainWindow1::makeShell()
{
    m_shell = std::make_unique<ShellController>();
}


// ---- Shell forwards

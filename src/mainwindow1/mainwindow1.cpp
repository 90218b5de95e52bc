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
    m_kitChains = std::make_unique<KitChainsController>(m_doc, ui, this, *this);
    connect(m_kitChains.get(), &KitChainsController::chainsConfirmed, this, &MainWindow1::sendKitChainInfo);
    connect(m_kitChains.get(), &KitChainsController::kitMoved, this, &MainWindow1::sendModelIndex);
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
void MainWindow1::recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains) { m_kitChains->loadChains(chains); }
void MainWindow1::kitChainListItemModelChanged(QStandardItem *item) { m_kitChains->kitListCellChanged(item); }
void MainWindow1::on_kitListtreeView_pressed(const QModelIndex &) { m_kitChains->dragPressedKit(); }
void MainWindow1::on_moveUpKit_clicked() { m_kitChains->moveKitInList(-1); }
void MainWindow1::on_moveDownKit_clicked() { m_kitChains->moveKitInList(1); }
void MainWindow1::recvModel(QModelIndex index, quint8 flag) { m_kitChains->moveKit(index, flag); }



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

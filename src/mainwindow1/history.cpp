// The window's undo and redo: the document and the library keep their edits
// as steps of the window's history, which shows each step's kit and page.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

#include "history/edithistory.h"
#include "widgets/jobdialog.h"

#include <QMenu>
#include <QMenuBar>

void MainWindow1::makeHistory(QMenu *helpMenu, QMenu *fileMenu)
{
    // Its own menu, before the manual's: the hidden Edit menu stays hidden.
    auto *menu = new QMenu(tr("History"), menuBar());
    menu->setObjectName(QStringLiteral("menuHistory"));
    menuBar()->insertMenu(helpMenu->menuAction(), menu);
    QAction *undo = menu->addAction(tr("Undo"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    QAction *redo = menu->addAction(tr("Redo"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    m_history = new EditHistory(this, *m_services.prompter, undo, redo);
    editstep::Recorder *recorder = &m_history->recorder();
    m_doc.useRecorder(recorder);
    soundLibrary.useRecorder(recorder);
    m_doc.useSoundCheck([this](const QStringList &sources, QStringList *unanswered) {
        return soundLibrary.goneSounds(sources, unanswered);
    });
    // The window paints, its input held, while a drive is looked at.
    soundLibrary.useLookWaiter(JobDialog::waiter());
    m_history->setTakeInPages([this] { m_shell->takeInPages(); });
    m_history->setCheckWrapper([this](const std::function<void()> &check) {
        const SoundLibrary::LookOnce once(soundLibrary); // the kits' sounds and the list's share one look
        check();
    });
    m_history->setApplyWrapper([this](const std::function<void()> &run) {
        const KitDocument::Batch redraws(m_doc);
        run();
    });
    connect(m_history, &EditHistory::applied, this,
            [this](const editstep::Place &place) { m_shell->showStepPlace(place); });
    m_kitPages->watchPageEdits();

    // The pad's backups, restored from the File menu in device mode.
    QAction *restore = fileMenu->addAction(tr("Restore the pad from a backup…"));
    restore->setObjectName(QStringLiteral("actionRestore_from_backup"));
    restore->setVisible(!m_pad.isUDiskFlag());
    connect(&m_pad, &PadSession::modeChanged, restore, [this, restore] { restore->setVisible(!m_pad.isUDiskFlag()); });
    connect(restore, &QAction::triggered, this, [this] {
        m_shell->takeInPages(); // a name typed for a kit now is its own step first
        m_padSync->restoreFromBackup();
    });
    connect(m_padSync.get(), &PadSyncController::restoredFromBackup, this,
            [this](const editstep::Place &place) { m_shell->showStepPlace(place); });
    m_soundLists->noteOrderShown();
}

void MainWindow1::releaseHistory()
{
    m_doc.useRecorder(nullptr);
    soundLibrary.useRecorder(nullptr);
    delete m_history;
    m_history = nullptr;
}

// Steps the loads and saves of setup files share.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/setupfiles/flowsteps.h"

#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/loadnotices.h"
#include "widgets/dialogs/uiprompter.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

#include <QDir>
#include <QProgressDialog>

bool SetupFilesController::stopPreviewFirst(bool loopToo)
{
    if (m_preview.playingShown()) {
        if (m_preview.singleLoop())
            m_preview.stop(m_soundLists.soundRowCurrent());
        else
            m_preview.stopPlayer();
        m_preview.showIdle();
    } else if (loopToo && m_preview.singleLoop()) {
        m_preview.stop(m_soundLists.soundRowCurrent());
    } else {
        return false;
    }
    m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                       WindowTexts::tr("Please stop playing the music before importing or saving the file."),
                       QMessageBox::Ok);
    return true;
}

// The rows of the total and hi-hat sound lists from the working sound list,
// in its order (the sound library's stored order).
void SetupFilesController::rebuildSoundRows()
{
    const QVector<MainWindow1Records::SOUND_INDEX> &sounds = m_library.waveLoadKitAttrList();
    if (!sounds.isEmpty())
        m_soundLists.noteLastWaveNumber(sounds.last().wave_No);
    m_soundLists.showTotalRows(soundorder::stored(sounds), false);
}

// True, after its message, when the file carries another maker's brand mark
// (kind 0 whole setup, 2 single kit); a file that does not open passes.
bool SetupFilesController::refuseBranded(const QString &path, int kind)
{
    if (!setupjob::isBranded(m_library.fence(), path, kind))
        return false;
    setupjob::Result shown;
    shown.notices.append(setupjob::brandedNotice());
    showNotices(shown);
    return true;
}

// What a kit-file import does in the window while it runs: after it forgot
// the sounds of an earlier load, the preview follows (soundFileRemoved); it
// takes each kit's name and page values (takingKit).
ImportKitFilesJob::Redraws SetupFilesController::forgetting()
{
    ImportKitFilesJob::Redraws redraws;
    redraws.forgotten = [this](const QHash<QString, QString> &moved) { soundFileRemoved(moved); };
    redraws.kitTaking = [this](int k, const setupfiles::LoadedKit &lk) { takingKit(k, lk); };
    return redraws;
}

// A new progress box of a save, shown at `value`, that holds the window
// while it is shown; it becomes the window's dialog.
JobDialog *SetupFilesController::openSaveProgress(const QString &label, int value)
{
    // A child of the window, so that its modality holds the window (its
    // menus and its close button too) while the save lets events run.
    JobDialog *box = JobDialog::stepBox(m_parent, WindowTexts::tr("Please wait..."), label);
    box->setMaximumHeight(150);
    m_preview.holdWaitDialog(box);
    box->showAt(value);
    return box;
}

// A load's read waited on in the window's progress box.
setupjob::JobRunner SetupFilesController::loadRunner()
{
    return [this](ztplatform::Job &job, int stallMs) {
        JobDialog::Limits limits;
        limits.stallMs = stallMs;
        return JobDialog::wait(m_parent, WindowTexts::tr("The files are loading..."), job, limits);
    };
}

// Hides the dialog before a message tells why the save stopped.
void SetupFilesController::hideProgress(QProgressDialog *dialog)
{
    if (dialog)
        dialog->hide();
}

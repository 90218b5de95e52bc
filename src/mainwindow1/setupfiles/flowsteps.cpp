// Steps the loads and saves of setup files share.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/setupfiles/flowsteps.h"
#include "ui_mainwindow1.h"

#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/loadnotices.h"
#include "widgets/dialogs/uiprompter.h"
#include "library/soundlibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>

namespace {
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";
const char kIdleStyle[] = "border-image: url(:/images/play.png);";

} // namespace

bool SetupFilesController::stopPreviewFirst(bool loopToo)
{
    if (m_ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle)) {
        if (m_preview.singleLoop())
            m_preview.stop();
        else
            m_preview.stopPlayer();
        m_ui->songLabel2->setText(WindowTexts::tr("Sample"));
        m_ui->playBtn2->setStyleSheet(QLatin1String(kIdleStyle));
    } else if (loopToo && m_preview.singleLoop()) {
        m_preview.stop();
    } else {
        return false;
    }
    UiPrompter::instance()->warning(
            m_parent, WindowTexts::tr("Warning"),
            WindowTexts::tr("Please stop playing the music before importing or saving the file."), QMessageBox::Ok);
    return true;
}

// Disables the editor page and the five actions a save locks out, or
// enables them again, in that order.
void SetupFilesController::lockForSave(bool locked)
{
    m_ui->topWidget->setEnabled(!locked);
    for (QAction *a : {m_ui->actionGlobal_Setting, m_ui->actionKit_Setiing, m_ui->actionImport_All,
                       m_ui->actionExport_All, m_ui->actionBack_to_main_interface})
        a->setEnabled(!locked);
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

// Runs the ordering of the checked sort button again (none for the custom one).
void SetupFilesController::reapplySoundOrder()
{
    if (m_ui->defaultRbtn->isChecked())
        m_soundLists.showStoredOrder();
    else if (m_ui->upRbtn->isChecked())
        m_soundLists.showNameOrder(true);
    else if (m_ui->DownRbtn->isChecked())
        m_soundLists.showNameOrder(false);
    else if (!m_ui->customRbtn->isChecked())
        m_soundLists.showStoredOrder();
}

// True, after its message, when the file carries another maker's brand mark
// (kind 0 whole setup, 2 single kit); a file that does not open passes.
bool SetupFilesController::refuseBranded(const QString &path, int kind)
{
    if (!setupjob::isBranded(path, kind))
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

// A new progress dialog of a save, shown at `value`, that holds the window
// while it is shown; it becomes the window's dialog.
QProgressDialog *SetupFilesController::openSaveProgress(const QString &label, int value)
{
    // A child of the window, so that its modality holds the window (its
    // menus and its close button too) while the save lets events run.
    auto *d = new QProgressDialog(m_parent);
    m_preview.holdWaitDialog(d);
    d->setWindowModality(Qt::WindowModal);
    d->setWindowTitle(WindowTexts::tr("Please wait..."));
    d->setLabelText(label);
    d->setCancelButton(nullptr);
    d->setMinimumDuration(5);
    d->setRange(0, 100);
    d->setMaximumHeight(150);
    d->setValue(value);
    d->show();
    QCoreApplication::processEvents();
    return d;
}

// Hides the dialog before a message tells why the save stopped.
void SetupFilesController::hideProgress(QProgressDialog *dialog)
{
    if (!dialog)
        return;
    dialog->hide();
    dialog->setAutoClose(true);
    QCoreApplication::processEvents();
}

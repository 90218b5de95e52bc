// Steps the loads and saves of setup files share.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "ui_mainwindow1.h"

#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/loadnotices.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>

namespace setupflow {

namespace {
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";
const char kIdleStyle[] = "border-image: url(:/images/play.png);";

} // namespace

bool stopPreviewFirst(MainWindow1 *w, bool loopToo)
{
    Ui::MainWindow1 *ui = w->ui;
    if (ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle)) {
        if (w->singleLoop)
            w->on_stopBtn2_clicked();
        else
            w->player2->stop();
        ui->songLabel2->setText(QStringLiteral("Sample"));
        ui->playBtn2->setStyleSheet(QLatin1String(kIdleStyle));
    } else if (loopToo && w->singleLoop) {
        w->on_stopBtn2_clicked();
    } else {
        return false;
    }
    UiPrompter::instance()->warning(w, MainWindow1::tr("Warning"),
                                    MainWindow1::tr("Please stop playing the music before importing or saving the file."),
                                    QMessageBox::Ok);
    return true;
}

void lockForSave(MainWindow1 *w, bool locked)
{
    Ui::MainWindow1 *ui = w->ui;
    ui->topWidget->setEnabled(!locked);
    for (QAction *a : {ui->actionGlobal_Setting, ui->actionKit_Setiing, ui->actionImport_All, ui->actionExport_All,
                       ui->actionBack_to_main_interface})
        a->setEnabled(!locked);
}

void rebuildSoundRows(MainWindow1 *w)
{
    const QVector<MainWindow1::SOUND_INDEX> &sounds = w->library().waveLoadKitAttrList();
    if (!sounds.isEmpty())
        w->soundLists().noteLastWaveNumber(sounds.last().wave_No);
    w->showTotalRows(soundorder::stored(sounds), false);
}

void reapplySoundOrder(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->ui;
    if (ui->defaultRbtn->isChecked())
        w->on_defaultRbtn_clicked();
    else if (ui->upRbtn->isChecked())
        w->on_upRbtn_clicked();
    else if (ui->DownRbtn->isChecked())
        w->on_DownRbtn_clicked();
    else if (!ui->customRbtn->isChecked())
        w->on_defaultRbtn_clicked();
}

bool refuseBranded(MainWindow1 *w, const QString &path, int kind)
{
    if (!setupjob::isBranded(path, kind))
        return false;
    setupjob::Result shown;
    shown.notices.append(setupjob::brandedNotice());
    showNotices(w, shown);
    return true;
}

ImportKitFilesJob::Redraws forgetting(MainWindow1 *w)
{
    ImportKitFilesJob::Redraws redraws;
    redraws.forgotten = [w](const QHash<QString, QString> &moved) { w->soundFileRemoved(moved); };
    redraws.kitTaking = [w](int k, const setupfiles::LoadedKit &lk) { takingKit(w, k, lk); };
    return redraws;
}

QProgressDialog *openSaveProgress(MainWindow1 *w, const QString &label, int value)
{
    if (w->dialog)
        w->dialog->deleteLater();
    // A child of the window, so that its modality holds the window (its
    // menus and its close button too) while the save lets events run.
    auto *d = new QProgressDialog(w);
    w->dialog = d;
    d->setWindowModality(Qt::WindowModal);
    d->setWindowTitle(MainWindow1::tr("Please wait..."));
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

void hideProgress(QProgressDialog *dialog)
{
    if (!dialog)
        return;
    dialog->hide();
    dialog->setAutoClose(true);
    QCoreApplication::processEvents();
}

} // namespace setupflow

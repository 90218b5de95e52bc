// The sounds of a read whole setup or kit file into the sound lists.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "kitfile/soundsin.h"


#include <algorithm>

bool MainWindow1::showSound1(QString file, percussionpadfile *pf)
{
    soundLists().noteClickListFull(false);
    setupflow::BoxQuestions questions(this);
    ImportSetupJob job(doc(), library(), questions);
    int shown = 0;
    const bool taken = job.takeSounds(file, pf);
    if (taken)
        setupflow::drawSetupSounds(this, job.sounds(), job.result(), shown);
    setupflow::showNotices(this, job.result(), shown);
    return taken;
}

void setupflow::drawSetupSounds(MainWindow1 *w, const setupfiles::WholeSetupSounds &got,
                                const setupjob::Result &result, int &shown)
{
    w->waveTempList += got.waves;
    w->soundLists().addReadWaves(got.waves);
    w->soundLists().noteClickListFull(got.clickFlag);
    if (w->library().clickListItemModel() && !w->library().clickSetList().isEmpty())
        w->ui->clickSoundNoSpinBox->setRange(1, w->library().clickSetList().size());

    // One row per wave in the order of their numbers. Numbers with gaps
    // (sounds deleted on the pad) leave no empty rows between them.
    QVector<soundorder::Row> rows = soundorder::stored(w->library().waveLoadKitAttrList());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const soundorder::Row &a, const soundorder::Row &b) { return a.number < b.number; });
    if (!rows.isEmpty())
        w->soundLists().noteLastWaveNumber(rows.last().number - 1);
    w->showTotalRows(rows, false);

    shown = showNotices(w, result, shown);
    if (w->ui->upRbtn->isChecked())
        w->on_upRbtn_clicked();
    if (w->ui->DownRbtn->isChecked())
        w->on_DownRbtn_clicked();
}

bool MainWindow1::showSound2(QString file, percussionpadfile *pf, int, int)
{
    setupflow::BoxQuestions questions(this);
    ImportKitFilesJob job(doc(), library(), questions);
    const bool taken = job.takeKitSounds(file, pf);
    soundAddCount += job.soundsAdded();
    setupflow::showNotices(this, job.result());
    return taken;
}

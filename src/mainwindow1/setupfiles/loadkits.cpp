// The kit records of a read kit file into the editor's kits.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "kitfile/kitsin.h"


void MainWindow1::showKit1(percussionpadfile *pf)
{
    setupflow::BoxQuestions questions(this);
    ImportSetupJob job(doc(), library(), questions);
    int shown = 0;
    if (job.takeKits(pf, waveAttrList,
                     [this](int k, const setupfiles::LoadedKit &lk) { setupflow::takingKit(this, k, lk); }))
        setupflow::drawSetupKits(this, job.result(), shown);
}

void setupflow::drawSetupKits(MainWindow1 *w, const setupjob::Result &result, int &shown)
{
    shown = showNotices(w, result, shown);

    w->ui->kitNumber->setText(QStringLiteral("1"));
    w->on_kitNumber_textEdited(w->ui->kitNumber->text());
    w->kitPages().setPadNoFlag(true);
    w->updateKitNo(1);
    w->kitPages().setLoadKitNoFlag(false);
    if (w->ui->kitRbtn->isChecked())
        w->on_kitRbtn_clicked();
}

void setupflow::takingKit(MainWindow1 *w, int k, const setupfiles::LoadedKit &lk)
{
    emit w->sendKitNameChanged(lk.kit.kit_name, k);
    w->kitPages().takeLoadedKit(lk.effects, lk.links);
}

void MainWindow1::showKit2(percussionpadfile *pf, int kitIdx, int, QString file)
{
    setupflow::BoxQuestions questions(this);
    ImportKitFilesJob job(doc(), library(), questions);
    job.takeKit(pf, kitIdx, file,
                [this](int k, const setupfiles::LoadedKit &lk) { setupflow::takingKit(this, k, lk); });
}

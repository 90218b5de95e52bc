// Chosen kits saved through their job into a folder; the window reads back
// the loaded files they replaced and redraws the kits that changed.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "setup/savekitsjob.h"

namespace setupflow {

namespace {

// Reads back the loaded kit files the save replaced.
void reloadReplaced(MainWindow1 *w, const SaveKitsJob::Reload &reload)
{
    const QVector<setupfiles::MovedSlot> moves = SaveKitsJob::slotsToRepoint(w->doc(), reload);
    w->autoLoadKit(reload.files);
    w->autoLoadKitFile();
    SaveKitsJob::repointAfterReload(w->doc(), w->library(), moves); // the pages show the kits it repoints
}

} // namespace

void saveKitFiles(MainWindow1 *w, const QString &chosenFolder, const QVector<int> &kits)
{
    if (stopPreviewFirst(w, true)) {
        lockForSave(w, false);
        return;
    }
    if (!w->ui->defaultRbtn->isChecked()) {
        w->ui->defaultRbtn->setChecked(true);
        w->on_defaultRbtn_clicked();
    }
    BoxQuestions questions(w);
    SaveKitsJob job(w->doc(), w->library(), questions, saveProgress(w), saveHooks(w));
    const SaveKitsJob::Outcome out = job.run({chosenFolder, kits, w->shell().TempDirName()});
    for (const setupjob::FileResult &f : out.result.with(setupjob::FileOutcome::Written))
        w->doc().markKitSaved(f.kit);
    showNotices(w, out.result.notices.mid(0, out.shownLocked));
    lockForSave(w, false);
    showNotices(w, out.result.notices.mid(out.shownLocked));
    if (!out.reload.files.isEmpty())
        reloadReplaced(w, out.reload);
}

} // namespace setupflow

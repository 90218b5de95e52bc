// The whole setup saved through its job: the window gives it the page and
// the read-back, then marks what is saved and shows its boxes.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "kitfile/modelout.h"
#include "setup/savesetupjob.h"

namespace setupflow {

void saveWholeSetup(MainWindow1 *w, const QString &target)
{
    BoxQuestions questions(w);
    SaveSetupJob job(w->doc(), w->library(), questions, saveProgress(w), saveHooks(w));
    SaveSetupJob::Input in;
    in.target = target;
    in.tempDir = w->shell().TempDirName();
    in.version = setupfiles::versionFromLabel(w->ui->version->text());
    in.backup = w->backFlag;
    in.globalPage = [w] {
        w->ui->clickSoundNoSpinBox->setRange(1, 5);
        return w->globalPage();
    };
    in.reloadSetup = [w](const QString &file) { w->autoLoadFile(file); };
    const setupjob::Result result = job.run(in);
    if (!result.with(setupjob::FileOutcome::Written).isEmpty())
        w->doc().markAllSaved(w->globalPage());
    showNotices(w, result.notices);
    lockForSave(w, false);
}

} // namespace setupflow

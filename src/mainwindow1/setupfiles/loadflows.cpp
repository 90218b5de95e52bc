// Whole setups and kit files read into the editor, and read back after a
// save replaced them.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "ui_mainwindow1.h"

#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"



namespace setupflow {

namespace {

// Empty sound lists.
void newSoundLists(MainWindow1 *w)
{
    w->initTotalItemModel();
    w->initHHListItemModel();
    w->userFlag = false; // the metronome list stays empty until the file fills it
    w->initClickItemModel();
    w->connectSoundListSelections();
}

} // namespace

bool loadWholeSetup(MainWindow1 *w, const QString &path)
{
    BoxQuestions questions(w);
    ImportSetupJob job(w->doc(), w->library(), questions);
    int shown = 0;
    ImportSetupJob::Redraws redraws;
    redraws.cleared = [w] {
        w->waveAttrList.clear();
        w->waveTempList.clear();
        w->kitPages().setLoadKitNoFlag(true);
        newSoundLists(w);
        w->clickFlag = false;
    };
    redraws.soundsTaken = [w, &job, &shown] { drawSetupSounds(w, job.sounds(), job.result(), shown); };
    redraws.kitTaking = [w](int k, const setupfiles::LoadedKit &lk) { takingKit(w, k, lk); };
    redraws.kitsTaken = [w, &job, &shown] { drawSetupKits(w, job.result(), shown); };
    redraws.modelRead = [w](percussionpadfile &m) { w->showVerAndGlobal1(&m); };
    const bool loaded = job.run(path, redraws);
    showNotices(w, job.result(), shown);
    if (loaded)
        w->doc().markAllSaved(w->globalPage());
    return loaded;
}

bool loadKitFiles(MainWindow1 *w, ImportKitFilesJob &job, bool reload, int &shown)
{
    w->waveAttrList.clear();
    const bool complete = job.load(reload, forgetting(w));
    w->soundAddCount = job.soundsAdded();
    shown = showNotices(w, job.result(), shown);
    return (complete || job.changed()) && finishKitLoad(w, job, !reload, shown);
}

bool finishKitLoad(MainWindow1 *w, ImportKitFilesJob &job, bool importing, int &shown)
{
    rebuildSoundRows(w);
    if (importing) {
        job.noteRenamed();
        shown = showNotices(w, job.result(), shown);
    }
    return showLoadedKits(w, job, importing);
}

bool showLoadedKits(MainWindow1 *w, const ImportKitFilesJob &job, bool importing)
{
    if (job.replaced())
        reapplySoundOrder(w);
    if (job.ordered().isEmpty())
        return true;

    // The kit of the first file is shown; an import whose first file does
    // not open leaves the kit shown as it is, a reload stops there.
    const int n = job.firstKitNumber();
    if (n < 0)
        return importing;
    if (n == 0xFF)
        return false;
    if (n <= KIT_MAX_COUNT) {
        const QString text = QString::number(n);
        w->ui->kitNumber->setText(text);
        w->on_kitNumber_textEdited(text);
        w->updateKitNo(n);
    }
    return true;
}

} // namespace setupflow

void MainWindow1::autoLoadFile(QString file)
{
    library().noteSetupFile(file);
    if (setupflow::loadWholeSetup(this, file))
        getRightSoundList();
}

void MainWindow1::autoLoadKit(QStringList files)
{
    setupflow::BoxQuestions questions(this);
    ImportKitFilesJob job(doc(), library(), questions);
    job.takeSavedFiles(files, setupflow::forgetting(this));
    setupflow::showNotices(this, job.result());
}

void MainWindow1::autoLoadKitFile()
{
    setupflow::BoxQuestions questions(this);
    ImportKitFilesJob job(doc(), library(), questions);
    if (!job.checkKitFiles(false)) {
        setupflow::showNotices(this, job.result());
        return;
    }
    int shown = 0;
    if (setupflow::loadKitFiles(this, job, true, shown))
        getRightSoundList();
}

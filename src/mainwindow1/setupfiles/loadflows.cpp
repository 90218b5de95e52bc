// Whole setups and kit files read into the editor, and read back after a
// save replaced them.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

// Empty sound lists.
void SetupFilesController::newSoundLists()
{
    m_soundLists.initTotalItemModel();
    m_soundLists.initHHListItemModel();
    m_soundLists.useOwnClickSounds(false); // the metronome list stays empty until the file fills it
    m_soundLists.initClickItemModel();
    m_soundLists.connectSoundListSelections();
}

// A whole setup as the editor's state: nothing changes when it is refused.
bool SetupFilesController::loadWholeSetup(const QString &path)
{
    ImportSetupJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    job.setRunner(loadRunner());
    int shown = 0;
    ImportSetupJob::Redraws redraws;
    redraws.cleared = [this] {
        m_soundLists.clearWaveAttrList();
        m_waveTempList.clear();
        m_kitPages.setLoadKitNoFlag(true);
        newSoundLists();
        m_soundLists.noteClickListFull(false);
    };
    redraws.soundsTaken = [this, &job, &shown] { drawSetupSounds(job.sounds(), job.result(), shown); };
    redraws.kitTaking = [this](int k, const setupfiles::LoadedKit &lk) { takingKit(k, lk); };
    redraws.kitsTaken = [this, &job, &shown] { drawSetupKits(job.result(), shown); };
    redraws.modelRead = [this](percussionpadfile &m) { m_kitPages.showVerAndGlobal1(&m); };
    const bool loaded = job.run(path, redraws);
    showNotices(job.result(), shown);
    if (loaded)
        m_doc.markAllSaved(m_kitPages.globalPage());
    return loaded;
}

// The recorded kit files that are in kitFileList, read by kit number into
// their kit slots by `job` (`reload`: after a save replaced them), its boxes
// shown from `shown` on; a load that changed the editor, even one that ended
// early, is finished (finishKitLoad). True when it was finished.
bool SetupFilesController::loadKitFiles(ImportKitFilesJob &job, bool reload, int &shown)
{
    m_soundLists.clearWaveAttrList();
    const bool complete = job.load(reload, forgetting());
    m_soundAddCount = job.soundsAdded();
    shown = showNotices(job.result(), shown);
    return (complete || job.changed()) && finishKitLoad(job, !reload, shown);
}

// After a kit-file load: the sound lists, the rename boxes (`importing`), the
// sound order, the pads, and the kit of the first ordered file shown.
// False when that file is of an old layout, or does not open on a reload.
bool SetupFilesController::finishKitLoad(ImportKitFilesJob &job, bool importing, int &shown)
{
    rebuildSoundRows();
    if (importing) {
        job.noteRenamed();
        shown = showNotices(job.result(), shown);
    }
    return showLoadedKits(job, importing);
}

// The end of a kit-file load: the checked sort again when an earlier load was
// dropped, the pads, and the kit of the first ordered file shown; false as
// finishKitLoad.
bool SetupFilesController::showLoadedKits(const ImportKitFilesJob &job, bool importing)
{
    if (job.replaced())
        m_soundLists.reapplySoundOrder();
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
        m_kitHeader.setNumberText(text);
        m_mainPadPage.typeKitNumber(text);
        m_kitPages.updateKitNo(n);
    }
    return true;
}

void SetupFilesController::autoLoadFile(const QString &file)
{
    m_library.noteSetupFile(file);
    if (loadWholeSetup(file))
        emit loadFinished();
}

void SetupFilesController::autoLoadKit(const QStringList &files)
{
    ImportKitFilesJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    job.takeSavedFiles(files, forgetting());
    showNotices(job.result());
}

void SetupFilesController::autoLoadKitFile()
{
    ImportKitFilesJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    job.setRunner(loadRunner());
    if (!job.checkKitFiles(false)) {
        showNotices(job.result());
        return;
    }
    int shown = 0;
    if (loadKitFiles(job, true, shown))
        emit loadFinished();
}

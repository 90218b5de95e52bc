// Chosen kits saved through their job into a folder; the window reads back
// the loaded files they replaced and redraws the kits that changed.
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/flowsteps.h"

#include "setup/savekitsjob.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

// Reads back the loaded kit files the save replaced.
void SetupFilesController::reloadReplaced(const SaveKitsJob::Reload &reload)
{
    const QVector<setupfiles::MovedSlot> moves = SaveKitsJob::slotsToRepoint(m_doc, reload);
    autoLoadKit(reload.files);
    autoLoadKitFile();
    SaveKitsJob::repointAfterReload(m_doc, m_library, moves); // the pages show the kits it repoints
}

void SetupFilesController::saveKitFiles(const QString &chosenFolder, const QVector<int> &kits)
{
    if (stopPreviewFirst(true)) {
        emit saveLocked(false);
        return;
    }
    if (!m_soundLists.defaultOrderChecked())
        m_soundLists.checkDefaultOrder();
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    SaveKitsJob job(m_doc, m_library, questions, saveProgress(), saveHooks());
    const SaveKitsJob::Outcome out = job.run({chosenFolder, kits, m_TempDirName});
    for (const setupjob::FileResult &f : out.result.with(setupjob::FileOutcome::Written))
        m_doc.markKitSaved(f.kit);
    showNotices(out.result.notices.mid(0, out.shownLocked));
    emit saveLocked(false);
    showNotices(out.result.notices.mid(out.shownLocked));
    if (!out.reload.files.isEmpty())
        reloadReplaced(out.reload);
}

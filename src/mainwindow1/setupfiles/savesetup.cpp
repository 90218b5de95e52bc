// The whole setup saved through its job: the window gives it the page and
// the read-back, then marks what is saved and shows its boxes.
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/setupfiles/flowsteps.h"

#include "kitfile/modelout.h"
#include "setup/savesetupjob.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

void SetupFilesController::saveWholeSetup(const QString &target)
{
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    SaveSetupJob job(m_doc, m_library, questions, saveProgress(), saveHooks());
    SaveSetupJob::Input in;
    in.target = target;
    in.tempDir = m_TempDirName;
    in.version = setupfiles::versionFromLabel(m_kitPages.versionText());
    in.backup = m_backFlag;
    in.globalPage = [this] {
        m_kitPages.setClickRange(5);
        return m_kitPages.globalPage();
    };
    in.reloadSetup = [this](const QString &file) { autoLoadFile(file); };
    const setupjob::Result result = job.run(in);
    if (!result.with(setupjob::FileOutcome::Written).isEmpty())
        m_doc.markAllSaved(m_kitPages.globalPage());
    showNotices(result.notices);
    emit saveLocked(false);
}

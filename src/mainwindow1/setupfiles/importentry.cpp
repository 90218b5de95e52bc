// The Import button and the Import All action: refusals, the file choice and
// the hand-over to the whole-setup or the kit-file import.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include "setup/importkitsjob.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/driveprobe.h"
#include "device/padsession.h"
#include "device/savefolder.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

#include <QDebug>
#include <QDir>

// Global settings and kit files; true when the import reaches its common end.
bool SetupFilesController::importKitFiles()
{
    ImportKitFilesJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    job.setRunner(loadRunner());
    int shown = 0;
    ImportKitFilesJob::Redraws redraws = forgetting();
    redraws.globalRead = [this](percussionpadfile &model) {
        m_kitPages.showVerAndGlobal1(&model);
        m_doc.markGlobalSaved(m_kitPages.globalPage());
    };
    redraws.loading = [this] { m_soundLists.clearWaveAttrList(); };
    redraws.loaded = [this, &job, &shown] {
        shown = showNotices(job.result(), shown);
        rebuildSoundRows();
    };
    const bool loaded = job.run(redraws);
    m_soundAddCount = job.soundsAdded();
    if (!loaded) {
        showNotices(job.result(), shown);
        return false;
    }
    shown = showNotices(job.result(), shown);
    return showLoadedKits(job, true);
}

// The files the user picks: on the pad's SAVE folder when one is plugged in;
// `kitFiles` when kit files or global settings were picked. The whole setup
// to read, empty with kit files.
QString SetupFilesController::pickImport(bool &kitFiles)
{
    kitFiles = false;
    if (m_projectFlag)
        return m_prompter.getOpenFileName(m_parent, WindowTexts::tr("Select file."), QStringLiteral(" "),
                                          WindowTexts::tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    bool chosen = false;
    for (const QString &root : m_myDetector->getDevicePath()) {
        const QString save = QDir(root).filePath(QStringLiteral("SAVE"));
        if (judgeIsAllFile(save)) {
            while (!openFilePath(save)) {
            }
            chosen = true;
            break;
        }
    }
    while (!chosen && !openFilePath(QString())) {
    }
    kitFiles = !m_library.globalFilePath().isEmpty() || !m_library.kitFileList().isEmpty();
    return m_pickedBinFile;
}

void SetupFilesController::importFiles()
{
    if (!m_pad.isUDiskFlag()) {
        emit padUpdateWanted(3, 0);
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           WindowTexts::tr("In USB device mode, import files are not supported."), QMessageBox::Ok);
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    if (m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           WindowTexts::tr("*Note*") + crlf
                                   + WindowTexts::tr("Importing a new file will delete the corresponding loaded file.")
                                   + crlf + WindowTexts::tr("Are you sure to continue?"),
                           QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::No)
        return;
    // A kit name typed and not yet taken is the old kit's: its own step first.
    m_mainPadPage.finishKitNameEdit();
    m_kitChains.takeOverChainPage();
    // The whole import is one step: kits, chains, global settings and sounds.
    editstep::Place shown;
    shown.page = editstep::Place::Pads;
    const editstep::Recorder::Scope importing(m_doc.recorder(), WindowTexts::tr("IMPORT"), QString(), shown);
    m_kitPages.keepGlobalPage();
    if (m_soundLists.kitOrderChecked())
        m_soundLists.checkDefaultOrder();
    m_doc.clearKitRenames();
    if (stopPreviewFirst(false))
        return;

    bool kitFiles = false;
    const QString setupFile = pickImport(kitFiles);
    if (!m_projectFlag && !kitFiles && setupFile.isEmpty()) {
        qDebug() << "什么都没导入";
        return;
    }

    bool loaded;
    if (kitFiles) {
        loaded = importKitFiles();
    } else if (refuseBranded(setupFile, 0)) {
        return;
    } else if (setupFile.isEmpty()) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"), WindowTexts::tr("No file data is selected!"),
                           QMessageBox::Yes);
        return;
    } else {
        loaded = loadWholeSetup(setupFile);
    }
    if (loaded)
        emit loadFinished();
}

void SetupFilesController::importWholeSetup()
{
    m_projectFlag = true;
    importFiles();
    m_projectFlag = false;
}

void SetupFilesController::exportWholeSetup()
{
    m_projectFlag = true;
    save();
    m_projectFlag = false;
}

bool SetupFilesController::judgeIsAllFile(const QString &dir)
{
    // Looked at off the GUI thread: a drive that does not answer in time is
    // passed over, the window painting meanwhile.
    const std::optional<savefolder::Holds> holds =
            savefolder::lookWithin(ztplatform::diskOf(m_library.fence()), dir, DriveProbe::ANSWER_LIMIT_MS,
                                   JobDialog::waiter());
    if (!holds)
        qWarning().noquote() << "the drive of" << dir << "does not answer: the folder is passed over";
    if (!holds || *holds == savefolder::Holds::Nothing)
        return false;
    if (*holds == savefolder::Holds::OnlyFiles)
        return true;
    m_prompter.warning(m_parent, WindowTexts::tr("Warning"), WindowTexts::tr("The format of forder is error."),
                       QMessageBox::Ok);
    return false;
}

bool SetupFilesController::openFilePath(const QString &dir)
{
    m_importFileList = m_prompter.getOpenFileNames(
            m_parent,
            WindowTexts::tr("Select one or more files to open, please note only one binary file can be selected."), dir,
            WindowTexts::tr("Kit and global settings files") + QStringLiteral(" (*.ini *.INI);;")
                    + WindowTexts::tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    ImportKitFilesJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    const bool taken = job.takePicks(m_importFileList, forgetting());
    m_pickedBinFile = job.wholeSetup();
    showNotices(job.result());
    return taken;
}

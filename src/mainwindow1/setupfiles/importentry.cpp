// The Import button and the Import All action: refusals, the file choice and
// the hand-over to the whole-setup or the kit-file import.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "setup/importkitsjob.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

// Global settings and kit files; true when the import reaches its common end.
bool importKitFiles(MainWindow1 *w)
{
    setupflow::BoxQuestions questions(w);
    ImportKitFilesJob job(w->doc(), w->library(), questions);
    int shown = 0;
    ImportKitFilesJob::Redraws redraws = setupflow::forgetting(w);
    redraws.globalRead = [w](percussionpadfile &model) {
        w->showVerAndGlobal1(&model);
        w->doc().markGlobalSaved(w->globalPage());
    };
    redraws.loading = [w] { w->waveAttrList.clear(); };
    redraws.loaded = [w, &job, &shown] {
        shown = setupflow::showNotices(w, job.result(), shown);
        setupflow::rebuildSoundRows(w);
    };
    const bool loaded = job.run(redraws);
    w->soundAddCount = job.soundsAdded();
    if (!loaded) {
        setupflow::showNotices(w, job.result(), shown);
        return false;
    }
    shown = setupflow::showNotices(w, job.result(), shown);
    return setupflow::showLoadedKits(w, job, true);
}

} // namespace

void MainWindow1::on_btnLoadFile_clicked()
{
    UiPrompter *prompter = UiPrompter::instance();
    if (!pad().isUDiskFlag()) {
        emit sendUpdate(3, 0);
        ui->btnLoadFile->setChecked(false);
        prompter->warning(this, tr("Warning"), tr("In USB device mode, import files are not supported."),
                          QMessageBox::Ok);
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    if (prompter->warning(this, tr("Warning"),
                          tr("*Note*") + crlf + tr("Importing a new file will delete the corresponding loaded file.")
                                  + crlf + tr("Are you sure to continue?"),
                          QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::No)
        return;
    if (ui->kitRbtn->isChecked()) {
        ui->defaultRbtn->setChecked(true);
        on_defaultRbtn_clicked();
    }
    doc().clearKitRenames();
    if (setupflow::stopPreviewFirst(this, false))
        return;

    QString setupFile;
    bool kitFiles = false;
    if (projectFlag) {
        setupFile = prompter->getOpenFileName(this, tr("Select file."), QStringLiteral(" "),
                                              tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    } else {
        bool chosen = false;
        for (const QString &root : shell().myDetector()->getDevicePath()) {
            const QString save = QDir(root).filePath(QStringLiteral("SAVE"));
            if (QFileInfo(save).isDir() && judgeIsAllFile(save)) {
                while (!openFilePath(save)) {
                }
                chosen = true;
                break;
            }
        }
        while (!chosen && !openFilePath(QString())) {
        }
        kitFiles = !library().globalFilePath().isEmpty() || !library().kitFileList().isEmpty();
        if (!kitFiles && pickedBinFile.isEmpty()) {
            qDebug() << "什么都没导入";
            return;
        }
        setupFile = pickedBinFile;
    }

    bool loaded;
    if (kitFiles) {
        loaded = importKitFiles(this);
    } else if (setupflow::refuseBranded(this, setupFile, 0)) {
        return;
    } else if (setupFile.isEmpty()) {
        prompter->warning(this, tr("Warning"), tr("No file data is selected!"), QMessageBox::Yes);
        return;
    } else {
        loaded = setupflow::loadWholeSetup(this, setupFile);
    }
    if (loaded)
        getRightSoundList();
}

void MainWindow1::recvLoadSave(bool flag)
{
    if (!flag)
        return;
    QThread::msleep(2000);
    on_btnLoadFile_clicked();
}

bool MainWindow1::judgeIsAllFile(QString dir)
{
    if (QDir(dir).entryList(QDir::AllDirs | QDir::NoDotAndDotDot, QDir::NoSort).isEmpty())
        return true;
    UiPrompter::instance()->warning(this, tr("Warning"), tr("The format of forder is error."), QMessageBox::Ok);
    return false;
}

bool MainWindow1::openFilePath(QString dir)
{
    importFileList = UiPrompter::instance()->getOpenFileNames(
            this, tr("Select one or more files to open, please note only one binary file can be selected."), dir,
            tr("Kit and global settings files") + QStringLiteral(" (*.ini *.INI);;") + tr("Whole-setup files")
                    + QStringLiteral(" (*.bin *.BIN)"));
    setupflow::BoxQuestions questions(this);
    ImportKitFilesJob job(doc(), library(), questions);
    const bool taken = job.takePicks(importFileList, setupflow::forgetting(this));
    pickedBinFile = job.wholeSetup();
    setupflow::showNotices(this, job.result());
    return taken;
}

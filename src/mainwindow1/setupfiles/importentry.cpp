// The Import button and the Import All action: refusals, the file choice and
// the hand-over to the whole-setup or the kit-file import.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "platform/regularfile.h"
#include "setup/fileread.h"
#include "setup/importkitsjob.h"
#include "setup/soundsource.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardItem>
#include <QThread>

using setupfiles::LoadError;

namespace {

constexpr quint32 kKitFileTag = 0x45444E49;    // "INDE"
constexpr quint32 kGlobalFileTag = 0x424F4C47; // "GLOB"

// Global settings and kit files; true when the import reaches its common end.
bool importKitFiles(MainWindow1 *w)
{
    setupflow::BoxQuestions questions(w);
    ImportKitFilesJob job(w->doc(), w->library(), questions);
    int shown = 0;
    if (!w->library().globalFilePath.isEmpty()) {
        if (!job.readGlobalFile()) {
            setupflow::showNotices(w, job.result());
            return false;
        }
        w->showVerAndGlobal1(&job.globalModel());
        w->doc().markGlobalSaved(w->globalPage());
    }
    if (w->library().kitFileList.isEmpty())
        return false;
    if (!job.checkKitFiles(true)) {
        setupflow::showNotices(w, job.result());
        return false;
    }
    return setupflow::loadKitFiles(w, job, false, shown);
}

} // namespace

void MainWindow1::on_btnLoadFile_clicked()
{
    UiPrompter *prompter = UiPrompter::instance();
    if (!pad().isUDiskFlag) {
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
    doc().kitMaxList.clear();
    if (setupflow::stopPreviewFirst(this, false))
        return;

    QString setupFile;
    bool kitFiles = false;
    if (projectFlag) {
        setupFile = prompter->getOpenFileName(this, tr("Select file."), QStringLiteral(" "),
                                              tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    } else {
        bool chosen = false;
        for (const QString &root : myDetector->getDevicePath()) {
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
        kitFiles = !library().globalFilePath.isEmpty() || !library().kitFileList.isEmpty();
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
        doc().cf.curFlag = 0;
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
    pickedBinFile.clear();
    library().globalFilePath.clear();
    library().kitFileList.clear();
    if (importFileList.isEmpty())
        return true;

    int untaken = 0; // whole setups picked with other files
    QVector<QPair<QString, quint8>> kits; // recorded once every pick is taken
    for (const QString &pick : qAsConst(importFileList)) {
        QFile file(pick);
        // A pick that cannot be taken is named before the dialog opens again.
        auto refuse = [this, &pick](const QString &why) {
            UiPrompter::instance()->warning(this, tr("Warning"),
                                            why + QStringLiteral("\r\n") + QDir::toNativeSeparators(pick),
                                            QMessageBox::Ok);
            return false;
        };
        if (!ztplatform::isRegularFile(pick) || !file.open(QIODevice::ReadOnly)) {
            qDebug() << "Open error" << pick;
            return refuse(tr("This file cannot be imported: it cannot be opened."));
        }
        const quint32 type = percussionpadfile::judgeFileType(&file);
        file.close();
        if (type == 255 || type == 257) {
            // Taken only under a name that ends in ".bin": the sounds of a
            // file are read by that name as a whole setup's.
            if (importFileList.size() == 1 && setupfiles::isWholeSetupPath(pick)) {
                pickedBinFile = pick;
                return true;
            }
            ++untaken;
        } else if (type == kGlobalFileTag) {
            if (pick.contains(QLatin1String("Global.ini"), Qt::CaseInsensitive))
                library().globalFilePath = pick;
        } else if (type == kKitFileTag) {
            library().kitFileList.append(pick);
            const quint8 n = setupfiles::kitNumberOf(pick);
            if (n == 0xFF) {
                reportLoadError(LoadError::OldLayout, pick, false);
                return false;
            }
            kits.append({pick, n});
        } else {
            qDebug() << "未导入正确文件" << pick;
            return refuse(tr("This file cannot be imported: it is no kit file, global settings file or "
                             "whole setup."));
        }
    }
    if (untaken > 1) {
        UiPrompter::instance()->warning(this, tr("Warning"), tr("Only one binary file can be selected."),
                                        QMessageBox::Ok);
        return false;
    }
    for (const QPair<QString, quint8> &kit : qAsConst(kits))
        setupflow::recordKitFile(this, kit.first, kit.second);
    return true;
}

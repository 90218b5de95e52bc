// The Save button, the kit-chain Save and the Export All action: the lock-out,
// pending page edits, the kit choice, the output path and the guards of the
// whole-setup road.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"
#include "widgets/selectkitno.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStandardPaths>

namespace {

// The whole-setup file to write; a name typed without a suffix gets ".bin".
QString askSetupFile(MainWindow1 *w)
{
    QString path = UiPrompter::instance()->getSaveFileName(
            w, MainWindow1::tr("Output"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QDir::separator()
                    + QStringLiteral("KIT_ALL"),
            MainWindow1::tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bin");
    if (!path.isEmpty())
        w->lastSaveFolder = QFileInfo(path).absolutePath();
    return path;
}

// True when the metronome list holds the five sounds a whole setup needs.
bool hasFiveClicks(MainWindow1 *w)
{
    return w->library().clickListItemModel()->soundCount() == 5;
}

} // namespace

void MainWindow1::on_btnSave_clicked()
{
    UiPrompter *prompter = UiPrompter::instance();
    if (!pad().isUDiskFlag())
        emit sendUpdate(3, 0);
    setupflow::lockForSave(this, true);

    bool number = false;
    const int shown = ui->kitNumber->text().toInt(&number);
    if (ui->left_stackedWidget->currentIndex() == 2 && number && shown >= 1 && shown <= KIT_MAX_COUNT) {
        on_savePadSetBtn_clicked(ui->padNoComboBox->currentIndex());
        on_btnSaveOneKitSet_clicked(quint8(shown));
    }
    takeOverChainPage();

    QString path;
    QVector<int> kits;
    if (projectFlag) {
        path = askSetupFile(this);
    } else {
        QVector<QString> names;
        for (const soundKit &kit : qAsConst(doc().kitAttrList()))
            names.append(kit.kit_name);
        shell().answerKitChoice(false); // only an OK in this run confirms
        if (shell().skn()) {
            emit sendKitNameList(names);
            shell().skn()->initKitIndex();
            emit sendKitIndexList(doc().kitIndexList());
            shell().skn()->exec();
        }
        for (int i = 0; shell().isSaveClose() && i < doc().kitIndexList().size() && i < KIT_MAX_COUNT; ++i) {
            if (doc().kitIndexList().at(i) == 0)
                kits.append(i + 1);
        }
        if (kits.isEmpty()) {
            setupflow::lockForSave(this, false);
            prompter->information(this, tr("Tip"), tr("Failed to generate file."), QMessageBox::Ok);
            return;
        }
        if (kits.size() < KIT_MAX_COUNT) {
            // The folder of the last save of this run, else the user's home.
            const QString start = lastSaveFolder.isEmpty() ? QDir::homePath() : lastSaveFolder;
            path = prompter->getExistingDirectory(this, tr("Output to specified directory"), start,
                                                  QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
            if (!path.isEmpty())
                lastSaveFolder = path;
            setupflow::saveKitFiles(this, path, kits);
            return;
        }
        path = askSetupFile(this);
    }

    if (setupflow::stopPreviewFirst(this, true)) {
        setupflow::lockForSave(this, false);
        return;
    }
    if (!hasFiveClicks(this)) {
        prompter->warning(this, tr("Error"),
                          tr("Please switch to the global configuration interface and import 5 metronome sounds."),
                          QMessageBox::Ok);
        setupflow::lockForSave(this, false);
        return;
    }
    path = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        prompter->information(this, tr("Error"), tr("The output file is not set."), QMessageBox::Ok);
        setupflow::lockForSave(this, false);
        return;
    }
    setupflow::saveWholeSetup(this, path);
}

void MainWindow1::recvIsClose(bool flag)
{
    shell().answerKitChoice(flag);
    if (!flag)
        setupflow::lockForSave(this, false);
}

void MainWindow1::recvKitIndexState(QVector<int> indexList)
{
    doc().takeKitSelection(indexList);
}

// The fronts of the setup-file load and save: the refusals, the lock-out, the
// pending page edits and the kit choice. Reading and writing the kit files
// come with the setup files.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"
#include "widgets/selectkitno.h"

void MainWindow1::on_btnLoadFile_clicked()
{
    if (!isUDiskFlag) {
        ui->btnLoadFile->setChecked(false);
        UiPrompter::instance()->warning(this, tr("Warning"), tr("In USB device mode, import files are not supported."),
                                        QMessageBox::Ok);
    }
}

void MainWindow1::setSaveLockout(bool locked)
{
    ui->topWidget->setEnabled(!locked);
    ui->actionGlobal_Setting->setEnabled(!locked);
    ui->actionKit_Setiing->setEnabled(!locked);
    ui->actionImport_All->setEnabled(!locked);
    ui->actionExport_All->setEnabled(!locked);
    ui->actionBack_to_main_interface->setEnabled(!locked);
}

void MainWindow1::on_btnSave_clicked()
{
    setSaveLockout(true);
    commitShownKit(curkitNumber);
    if (!projectFlag) {
        QVector<QString> names;
        names.reserve(kitAttrList.size());
        for (const soundKit &kit : qAsConst(kitAttrList))
            names.append(kit.kit_name);
        emit sendKitNameList(names);
        skn->initKitIndex();
        emit sendKitIndexList(kitIndexList);
        skn->exec();
        if (!isSaveClose) {
            // A refused choice has already given the controls back.
            UiPrompter::instance()->information(this, tr("Tip"), tr("Failed to generate file."), QMessageBox::Ok);
            return;
        }
    }
    setSaveLockout(false);
}

// The File menu's import and export and the kit-chain page's save.
#include "mainwindow1/mainwindow1.h"

void MainWindow1::on_actionImport_All_triggered()
{
    projectFlag = true;
    on_btnLoadFile_clicked();
    projectFlag = false;
}

void MainWindow1::on_actionExport_All_triggered()
{
    projectFlag = true;
    on_btnSave_clicked();
    projectFlag = false;
}

void MainWindow1::on_btnKitChainSave_clicked()
{
    on_btnSave_clicked();
}

void MainWindow1::on_btnExportAllFile_clicked()
{
    on_btnSave_clicked();
}

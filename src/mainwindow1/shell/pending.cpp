// Slots and initialisations of the parts of the editor that are not built
// yet. They are declared and connected so that the wiring is complete; each
// body is filled in with its feature.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QModelIndex>

// ---- sound library ----------------------------------------------------------
void MainWindow1::soundListItemModelChanged(QStandardItem *) {} // renames
void MainWindow1::totalListItemModelChanged(QStandardItem *) {}
void MainWindow1::hhListItemModelChanged(QStandardItem *) {}
void MainWindow1::deleteWaveFromList() {}
void MainWindow1::deleteWaveFromList1() {}
void MainWindow1::exportWave() {}

// ---- setup files and device side ----------------------------------------------
void MainWindow1::recvIsClose(bool flag)
{
    isSaveClose = flag;
    if (flag)
        return;
    // No kits chosen: the save stops, so the controls it locked come back.
    ui->topWidget->setEnabled(true);
    ui->actionGlobal_Setting->setEnabled(true);
    ui->actionKit_Setiing->setEnabled(true);
    ui->actionImport_All->setEnabled(true);
    ui->actionExport_All->setEnabled(true);
    ui->actionBack_to_main_interface->setEnabled(true);
}
void MainWindow1::recvKitIndexState(QVector<int> indexList)
{
    kitIndexList = indexList;
}
void MainWindow1::recvLoadSave(bool) {}                   // whole-setup load
void MainWindow1::recvUpdate(int, int) {}                 // device writer
void MainWindow1::addUsbWave() {}
void MainWindow1::deleteUsbWave() {}
void MainWindow1::changeOnlineKitPath(QString, QString, quint16, quint32, int) {}
void MainWindow1::updateWavePrmAndData(int, QVector<int>) {} // renumbering on the pad
bool MainWindow1::generateOrderFile() { return true; }     // write-back at close
bool MainWindow1::safelyRemoveUSBDevice(const QString &) { return true; }

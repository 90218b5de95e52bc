// Slots and initialisations of the parts of the editor that are not built
// yet. They are declared and connected so that the wiring is complete; each
// body is filled in with its feature.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QModelIndex>

// ---- kit and pad editing --------------------------------------------------
void MainWindow1::recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN>) {}
void MainWindow1::recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN>, QVector<QString>) {}
void MainWindow1::recvModel(QModelIndex, quint8) {}
void MainWindow1::kitChainListItemModelChanged(QStandardItem *) {}
void MainWindow1::rightMenu(QString) {}                   // pad menu
void MainWindow1::recvInteration(QString) {}              // pad selection
void MainWindow1::clearPad() {}
void MainWindow1::copyPad() {}
void MainWindow1::recvDstKitClick(int) {}                 // kit copy
void MainWindow1::recvDstKit(int) {}

// ---- sound library ----------------------------------------------------------

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

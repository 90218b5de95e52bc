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

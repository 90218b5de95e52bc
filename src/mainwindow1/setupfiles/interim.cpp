// Stand-ins for operations of the global settings page, the kit pages and the
// sound library that the setup files call; each is replaced by its own area.
#include "mainwindow1/mainwindow1.h"

void MainWindow1::setGlobalFileChunk() {}
void MainWindow1::showVerAndGlobal1(percussionpadfile *) {}
void MainWindow1::disHHList(soundKit *, quint8, quint8) {}
void MainWindow1::dispPadList(QVector<soundKit>, quint8) {}
void MainWindow1::updateKitNo(int) {}
void MainWindow1::on_upRbtn_clicked() {}
void MainWindow1::on_DownRbtn_clicked() {}
void MainWindow1::on_kitRbtn_clicked() {}

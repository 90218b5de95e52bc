// Stand-ins for the sound library's orderings that the setup files call;
// they are replaced by the sound library's own.
#include "mainwindow1/mainwindow1.h"

void MainWindow1::on_upRbtn_clicked() {}
void MainWindow1::on_DownRbtn_clicked() {}
void MainWindow1::on_kitRbtn_clicked() {}

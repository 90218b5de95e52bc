#include "mainwindow1/mainwindow1.h"

#include <QCloseEvent>
#include <QCoreApplication>

void MainWindow1::closeEvent(QCloseEvent *event)
{
    if (padClosing || (!isUDiskFlag && !closeOnPad())) {
        event->ignore();
        return;
    }
    stopPreviewForClose();
    QCoreApplication::quit();
    event->accept();
}

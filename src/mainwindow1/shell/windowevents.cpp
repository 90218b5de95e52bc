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

bool MainWindow1::eventFilter(QObject *watched, QEvent *event)
{
    // Drops on pads and lists are handled with the drag-and-drop hub.
    return QMainWindow::eventFilter(watched, event);
}

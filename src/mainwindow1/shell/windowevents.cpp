#include "mainwindow1/mainwindow1.h"

#include <QCloseEvent>
#include <QCoreApplication>

void MainWindow1::closeEvent(QCloseEvent *event)
{
    if (previewPreparing) {
        // The preparation stops first; the window closes once it has.
        previewStop = true;
        closeAfterPreview = true;
        event->ignore();
        return;
    }
    if (padClosing || (!isUDiskFlag && !closeOnPad())) {
        event->ignore();
        return;
    }
    stopPreviewForClose();
    QCoreApplication::quit();
    event->accept();
}

#include "mainwindow1/mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"

#include <QCloseEvent>
#include <QCoreApplication>

void MainWindow1::closeEvent(QCloseEvent *event)
{
    if (!isUDiskFlag) {
        const QMessageBox::StandardButton answer = UiPrompter::instance()->question(
                this, tr("Confirm"), tr("Quit?"), QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        // The write-back to the pad and its dismount come with the device side.
    }
    stopPreviewForClose();
    QCoreApplication::quit();
    event->accept();
}

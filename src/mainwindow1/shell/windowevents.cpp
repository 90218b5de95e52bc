// Closing the window: on the pad through its write-back, offline with a
// question when edits were not saved; the sound groups are written while a
// box can still say that they could not be.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"

#include "widgets/dialogs/uiprompter.h"

#include <QCloseEvent>
#include <QCoreApplication>

void MainWindow1::closeEvent(QCloseEvent *event)
{
    if (previewSession.preparing()) {
        // The preparation stops first; the window closes once it has.
        previewSession.stop();
        previewSession.closeWhenDone();
        event->ignore();
        return;
    }
    if (pad().padClosing() || !kitpage::finishKitNameEdit(this) || !kitchainpage::finishKitListEdit(this)) {
        event->ignore();
        return;
    }
    kitChains().takeOverChainPage();
    // After a failed close on the pad the window is offline: its question guards the kept edits.
    if (pad().isUDiskFlag() ? !confirmOfflineClose() || !librarypane::saveSoundListAtClose(this)
                          : !padpane::closeOnPad(this)) {
        event->ignore();
        return;
    }
    soundListSettled = true; // written above, or the user quits without it
    librarypane::stopPreviewForClose(this);
    QCoreApplication::quit();
    event->accept();
}

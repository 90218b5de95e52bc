// Closing the window: on the pad through its write-back, offline with a
// question when edits were not saved; the sound groups are written while a
// box can still say that they could not be.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "mainwindow1/library/previewcontroller.h"

#include <QCloseEvent>
#include <QCoreApplication>

void ShellController::closeWindow(QCloseEvent *event)
{
    MainWindow1 *w = &m_window;
    if (m_window.preview().previewSession().preparing()) {
        // The preparation stops first; the window closes once it has.
        m_window.preview().stopPreparingThenClose();
        event->ignore();
        return;
    }
    if (m_pad.padClosing() || !kitpage::finishKitNameEdit(w) || !kitchainpage::finishKitListEdit(w)) {
        event->ignore();
        return;
    }
    m_window.kitChains().takeOverChainPage();
    // After a failed close on the pad the window is offline: its question guards the kept edits.
    if (m_pad.isUDiskFlag() ? !m_window.confirmOfflineClose() || !librarypane::saveSoundListAtClose(w)
                            : !padpane::closeOnPad(w)) {
        event->ignore();
        return;
    }
    m_soundListSettled = true; // written above, or the user quits without it
    librarypane::stopPreviewForClose(w);
    QCoreApplication::quit();
    event->accept();
}

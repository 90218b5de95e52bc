// Closing the window: on the pad through its write-back, offline with a
// question when edits were not saved; the sound groups are written while a
// box can still say that they could not be.
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "device/padsession.h"

#include <QCloseEvent>
#include <QCoreApplication>

void ShellController::closeWindow(QCloseEvent *event)
{
    if (m_preview.previewSession().preparing()) {
        // The preparation stops first; the window closes once it has.
        m_preview.stopPreparingThenClose();
        event->ignore();
        return;
    }
    if (m_pad.padClosing() || !m_mainPadPage.finishKitNameEdit() || !m_kitChains.finishKitListEdit()) {
        event->ignore();
        return;
    }
    m_kitChains.takeOverChainPage();
    // After a failed close on the pad the window is offline: its question guards the kept edits.
    if (m_pad.isUDiskFlag() ? !m_setupFiles.confirmOfflineClose() || !m_soundLists.saveSoundListAtClose()
                            : !m_padSync.closeOnPad()) {
        event->ignore();
        return;
    }
    m_soundLists.markSoundListSettled(); // written above, or the user quits without it
    m_preview.stopPreviewForClose();
    QCoreApplication::quit();
    event->accept();
}

// Closing the editor in device mode: the changed kits, the kit chains and the
// change file go to the pad, then the pad's volume is dismounted.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "ui_mainwindow1.h"

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/writeback.h"
#include "platform/dismount.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QCoreApplication>
#include <QDebug>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSet>
#include <QStandardItemModel>

bool PadSyncController::closeOnPad()
{
    if (!m_pad.beginClose())
        return false; // a close during the close
    const auto closeEnded = qScopeGuard([this]() { m_pad.endClose(); });
    const QMessageBox::StandardButton answer =
            UiPrompter::instance()->question(m_parent, WindowTexts::tr("Confirm"), WindowTexts::tr("Quit?"),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    // Sounds still being written get their rows first, so the kits see them.
    if (m_syncBatch && m_syncBatch->isRunning())
        m_syncBatch->waitForFinished();
    m_kitPages.commitShownKit(m_mainPadPage.curkitNumber());
    if (!m_soundLists.saveSoundListAtClose())
        return false; // the window stays on the pad, nothing written to it

    bool closing = false;
    if (generateOrderFile()) {
        if (!ztplatform::safelyRemoveUSBDevice(m_pad.currentDirPath()))
            showDeviceMessages({writeback::dismountFailedMessage()});
        closing = true;
    } else {
        // Nothing is lost: the window stays, offline, and its close asks while edits are unsaved.
        m_pad.leaveDeviceMode();
    }
    return closing;
}

bool PadSyncController::generateOrderFile()
{
    if (!m_pad.drivePresent()) {
        showDeviceMessages({writeback::driveGoneMessage()});
        m_pad.leaveDeviceMode();
        return false;
    }
    const DeviceMessage notice = writeback::disconnectNotice();
    UiPrompter::instance()->information(m_parent, notice.title, notice.text, QMessageBox::Ok);
    // The pad may have gone while the notice was up, or another taken its place.
    if (!m_pad.drivePresent()) {
        showDeviceMessages({writeback::driveGoneMessage()});
        m_pad.leaveDeviceMode();
        return false;
    }

    QProgressDialog *progress = showPadProgress(WindowTexts::tr("Saving file..."), 5);
    // The write-back refreshes the kits' wave numbers and sets the marks and
    // flags; the document takes them back when it ends.
    KitDocument::PadClose close = m_doc.padClose();
    PadSession::KitLists lists;
    lists.kits = &close.kits;
    lists.originalKits = &m_doc.originalKitAttrList();
    lists.chains = &m_doc.kitChainList();
    lists.originalChains = &m_doc.originalKitChainList();
    lists.kitFlags = &close.kitFlags;
    lists.nameAdjusted = &m_doc.kitNumFlagList1();
    lists.kitChangedFlag = &close.kitChangedFlag;
    lists.globalFlag = &close.globalFlag;
    writeback::WriteBackJob job = m_pad.writeBackJob(
            lists, m_reorderSoundFlag, [this](const QSet<QString> &files) { return usedWaveIndex(files); });
    const writeback::WriteBackResult result = writeback::writeBack(job, [progress](int value) {
        progress->setValue(value);
        QCoreApplication::processEvents();
    });
    m_doc.takePadClose(close);
    progress->close();
    if (result.stop == writeback::PadStop::AnotherPad)
        m_pad.padLost();
    showDeviceMessages(result.messages);
    return !result.failed;
}

WaveFileIndex PadSyncController::usedWaveIndex(const QSet<QString> &files) const
{
    // Each file is found through the list's index of rows by file, not by a
    // walk of the rows.
    WaveFileIndex waves;
    waves.reserve(files.size());
    for (const QString &file : files) {
        const int row = file.isEmpty() ? -1 : m_library.soundRowOf(file);
        const SoundListModel *total = m_library.totalListItemModel();
        const QStandardItem *number = row < 0 ? nullptr : total->soundItem(row, 0);
        if (!number)
            continue;
        const QStandardItem *name = total->soundItem(row, 1);
        waves.add(file, number->text().toInt(), name ? name->text() : QString());
    }
    return waves;
}

// Closing the editor in device mode: the changed kits, the kit chains and the
// change file go to the pad, then the pad's volume is dismounted.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "device/writeback.h"
#include "platform/dismount.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QProgressDialog>
#include <QSet>
#include <QStandardItemModel>

bool MainWindow1::closeOnPad()
{
    if (pad().padClosing)
        return false; // a close during the close
    pad().padClosing = true;
    const QMessageBox::StandardButton answer = UiPrompter::instance()->question(
            this, tr("Confirm"), tr("Quit?"), QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        pad().padClosing = false;
        return false;
    }
    // Sounds still being written get their rows first, so the kits see them.
    if (syncBatch && syncBatch->isRunning())
        syncBatch->waitForFinished();
    kitpage::commitShownKit(this, curkitNumber);
    if (!librarypane::saveSoundListAtClose(this)) {
        pad().padClosing = false; // the window stays on the pad, nothing written to it
        return false;
    }

    bool closing = false;
    if (generateOrderFile()) {
        if (!safelyRemoveUSBDevice(pad().currentDirPath))
            showDeviceMessages({writeback::dismountFailedMessage()});
        closing = true;
    } else {
        // Nothing is lost: the window stays, offline, and its close asks while edits are unsaved.
        pad().isUDiskFlag = true;
    }
    pad().padClosing = false;
    return closing;
}

bool MainWindow1::generateOrderFile()
{
    if (!pad().drivePresent()) {
        showDeviceMessages({writeback::driveGoneMessage()});
        pad().isUDiskFlag = true;
        return false;
    }
    const DeviceMessage notice = writeback::disconnectNotice();
    UiPrompter::instance()->information(this, notice.title, notice.text, QMessageBox::Ok);
    // The pad may have gone while the notice was up, or another taken its place.
    if (!pad().drivePresent()) {
        showDeviceMessages({writeback::driveGoneMessage()});
        pad().isUDiskFlag = true;
        return false;
    }

    QProgressDialog *progress = showPadProgress(tr("Saving file..."), 5);
    PadSession::KitLists lists;
    lists.kits = &doc().kitAttrList;
    lists.originalKits = &doc().originalKitAttrList;
    lists.chains = &doc().kitChainList;
    lists.originalChains = &doc().originalKitChainList;
    lists.kitFlags = &doc().kitNumFlagList;
    lists.nameAdjusted = &doc().kitNumFlagList1;
    lists.kitChangedFlag = &doc().kitChangedFlag;
    lists.globalFlag = &doc().globalFlag;
    writeback::WriteBackJob job = pad().writeBackJob(lists, reorderSoundFlag, [this](const QSet<QString> &files) {
        return usedWaveIndex(files);
    });
    const writeback::WriteBackResult result = writeback::writeBack(job, [progress](int value) {
        progress->setValue(value);
        QCoreApplication::processEvents();
    });
    progress->close();
    if (result.stop == writeback::PadStop::AnotherPad)
        padLost();
    showDeviceMessages(result.messages);
    return !result.failed;
}

WaveFileIndex MainWindow1::usedWaveIndex(const QSet<QString> &files)
{
    // Each file is found through the list's index of rows by file, not by a
    // walk of the rows.
    WaveFileIndex waves;
    waves.reserve(files.size());
    for (const QString &file : files) {
        const int row = file.isEmpty() ? -1 : library().soundRowOf(file);
        const QStandardItem *number = row < 0 ? nullptr : library().totalGroup->child(row, 0);
        if (!number)
            continue;
        const QStandardItem *name = library().totalGroup->child(row, 1);
        waves.add(file, number->text().toInt(), name ? name->text() : QString());
    }
    return waves;
}

bool MainWindow1::safelyRemoveUSBDevice(const QString &mountPoint)
{
    return ztplatform::safelyRemoveUSBDevice(mountPoint);
}

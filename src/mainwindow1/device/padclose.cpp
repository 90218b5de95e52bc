// Closing the editor in device mode: the changed kits, the kit chains and the
// change file go to the pad, then the pad's volume is dismounted.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/writeback.h"
#include "platform/dismount.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSet>
#include <QStandardItemModel>

bool padpane::closeOnPad(MainWindow1 *w)
{
    if (!w->pad().beginClose())
        return false; // a close during the close
    const auto closeEnded = qScopeGuard([w]() { w->pad().endClose(); });
    const QMessageBox::StandardButton answer =
            UiPrompter::instance()->question(w, MainWindow1::tr("Confirm"), MainWindow1::tr("Quit?"),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    // Sounds still being written get their rows first, so the kits see them.
    if (w->syncBatch && w->syncBatch->isRunning())
        w->syncBatch->waitForFinished();
    kitpage::commitShownKit(w, w->mainPadPage().curkitNumber());
    if (!librarypane::saveSoundListAtClose(w))
        return false; // the window stays on the pad, nothing written to it

    bool closing = false;
    if (padpane::generateOrderFile(w)) {
        if (!ztplatform::safelyRemoveUSBDevice(w->pad().currentDirPath()))
            padpane::showDeviceMessages(w, {writeback::dismountFailedMessage()});
        closing = true;
    } else {
        // Nothing is lost: the window stays, offline, and its close asks while edits are unsaved.
        w->pad().leaveDeviceMode();
    }
    return closing;
}

bool padpane::generateOrderFile(MainWindow1 *w)
{
    if (!w->pad().drivePresent()) {
        padpane::showDeviceMessages(w, {writeback::driveGoneMessage()});
        w->pad().leaveDeviceMode();
        return false;
    }
    const DeviceMessage notice = writeback::disconnectNotice();
    UiPrompter::instance()->information(w, notice.title, notice.text, QMessageBox::Ok);
    // The pad may have gone while the notice was up, or another taken its place.
    if (!w->pad().drivePresent()) {
        padpane::showDeviceMessages(w, {writeback::driveGoneMessage()});
        w->pad().leaveDeviceMode();
        return false;
    }

    QProgressDialog *progress = padpane::showPadProgress(w, MainWindow1::tr("Saving file..."), 5);
    // The write-back refreshes the kits' wave numbers and sets the marks and
    // flags; the document takes them back when it ends.
    KitDocument::PadClose close = w->doc().padClose();
    PadSession::KitLists lists;
    lists.kits = &close.kits;
    lists.originalKits = &w->doc().originalKitAttrList();
    lists.chains = &w->doc().kitChainList();
    lists.originalChains = &w->doc().originalKitChainList();
    lists.kitFlags = &close.kitFlags;
    lists.nameAdjusted = &w->doc().kitNumFlagList1();
    lists.kitChangedFlag = &close.kitChangedFlag;
    lists.globalFlag = &close.globalFlag;
    writeback::WriteBackJob job = w->pad().writeBackJob(
            lists, w->reorderSoundFlag, [w](const QSet<QString> &files) { return padpane::usedWaveIndex(w, files); });
    const writeback::WriteBackResult result = writeback::writeBack(job, [progress](int value) {
        progress->setValue(value);
        QCoreApplication::processEvents();
    });
    w->doc().takePadClose(close);
    progress->close();
    if (result.stop == writeback::PadStop::AnotherPad)
        w->pad().padLost();
    padpane::showDeviceMessages(w, result.messages);
    return !result.failed;
}

WaveFileIndex padpane::usedWaveIndex(MainWindow1 *w, const QSet<QString> &files)
{
    // Each file is found through the list's index of rows by file, not by a
    // walk of the rows.
    WaveFileIndex waves;
    waves.reserve(files.size());
    for (const QString &file : files) {
        const int row = file.isEmpty() ? -1 : w->library().soundRowOf(file);
        const SoundListModel *total = w->library().totalListItemModel();
        const QStandardItem *number = row < 0 ? nullptr : total->soundItem(row, 0);
        if (!number)
            continue;
        const QStandardItem *name = total->soundItem(row, 1);
        waves.add(file, number->text().toInt(), name ? name->text() : QString());
    }
    return waves;
}

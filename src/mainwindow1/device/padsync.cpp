// Sounds added to and deleted from the pad while editing: the batches of the
// worker threads, their progress, and the lists brought in line afterwards.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "device/padpaths.h"
#include "device/usbupdate.h"
#include "device/waveslots.h"
#include "device/writeback.h"
#include "model/kitediting.h"
#include "platform/volumeidentity.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProgressDialog>
#include <QSet>
#include <QStandardItemModel>

#include <algorithm>

namespace {

// The index of the first record of each file.
QHash<QString, int> firstRecordOfFile(const QVector<MainWindow1::SOUND_INDEX> &records)
{
    QHash<QString, int> index;
    index.reserve(records.size());
    for (int i = 0; i < records.size(); ++i) {
        if (!index.contains(records.at(i).file))
            index.insert(records.at(i).file, i);
    }
    return index;
}

} // namespace

SyncBatch *MainWindow1::padSync()
{
    if (!syncBatch) {
        syncBatch = new SyncBatch(this);
        syncBatch->setPadRoot(pad().padRoot);
        connect(syncBatch, &SyncBatch::progress, this, [this](int value) {
            if (pad().padBatchKind == SyncBatch::Adding)
                recvAddProgress(value);
            else if (pad().padBatchKind == SyncBatch::Deleting)
                recvDelProgress(value);
        });
        connect(syncBatch, &SyncBatch::waveFailed, this, &MainWindow1::recvWaveFailed);
        connect(syncBatch, &SyncBatch::deleteFailed, this, &MainWindow1::recvDeleteFailed);
        connect(syncBatch, &SyncBatch::finished, this, &MainWindow1::recvBatchFinished);
    }
    return syncBatch;
}

bool MainWindow1::padFoldersReady() const
{
    // Workers only ever write below the pad's own wave folders.
    return !pad().isUDiskFlag && padtree::isUsableFolder(pad().dataPath) && padtree::isUsableFolder(pad().prmPath)
            && QFileInfo(pad().dataPath).isDir() && QFileInfo(pad().prmPath).isDir();
}

void MainWindow1::recvUpdate(int flag, int)
{
    if (flag == 0)
        deleteUsbWave();
    else if (flag == 1)
        addUsbWave();
}

void MainWindow1::addUsbWave()
{
    // A batch still running ends first: its completion reads the batch lists.
    if (syncBatch && syncBatch->isRunning())
        syncBatch->waitForFinished();
    const int n = pad().addUsbWaveList.size();
    if (n == 0)
        return;
    // Nothing is written to another pad put at the pad's place.
    const bool ready = padFoldersReady() && padCheck(true).same();
    ui->right_stackedWidgetPage1->setEnabled(false);
    addProgressValue = 0;
    pad().waveNumList.clear();
    pad().addSoundList.clear();
    pad().waveNameList.clear();
    pad().failedWaveList.clear();
    // Numbers go on from the last sound before the batch (0 when there is
    // none) with the next free one: pairs the load left out keep theirs.
    const int before = waveLoadKitAttrList.size() - n;
    total_index = before > 0 ? waveLoadKitAttrList.at(before - 1).wave_No : 0;
    QSet<int> listed;
    for (int i = 0; i < before; ++i)
        listed.insert(waveLoadKitAttrList.at(i).wave_No);
    WaveSlots freeSlots(ready ? pad().dataPath : QString(), ready ? pad().prmPath : QString(), listed);
    showPadProgress(tr("Importing sound file..."), n);

    const QHash<QString, int> records = firstRecordOfFile(waveLoadKitAttrList);
    QVector<SyncBatch::Sound> sounds;
    for (const QString &path : qAsConst(pad().addUsbWaveList)) {
        const int r = records.value(path, -1);
        if (r < 0)
            continue;
        total_index = freeSlots.nextFree(total_index);
        const QString name = charArray2String(waveLoadKitAttrList.at(r).wave_name, SOUND_NAME_LENGTH_MAX);
        pad().waveNumList << total_index;
        pad().addSoundList << path;
        pad().waveNameList << name;
        sounds << SyncBatch::Sound{total_index, path, name};
    }
    pad().padBatchKind = SyncBatch::Adding;
    if (!ready) {
        for (const SyncBatch::Sound &s : qAsConst(sounds))
            pad().failedWaveList << s.waveNo;
    }
    // Nothing handed to the workers: the batch ends at once.
    if (!ready || !padSync()->startAdd(sounds, pad().dataPath, pad().prmPath))
        completeAddBatch();
}

void MainWindow1::deleteUsbWave()
{
    if (syncBatch && syncBatch->isRunning())
        syncBatch->waitForFinished();
    pad().delBatchList = pad().delUsbWaveList.toVector();
    pad().delNotRemoved.clear();
    pad().padBatchKind = SyncBatch::Deleting;
    const bool ready = !pad().delBatchList.isEmpty() && padFoldersReady() && padCheck(true).same();
    if (!ready) {
        for (const QString &path : qAsConst(pad().delBatchList))
            pad().delNotRemoved.insert(QDir::toNativeSeparators(path), UsbUpdate::PadGone);
    }
    if (!ready || !padSync()->startDelete(pad().delBatchList, pad().dataPath, pad().prmPath))
        completeDeleteBatch(); // no dialog is left up
}

void MainWindow1::recvAddProgress(int value)
{
    addProgressValue += value;
    if (usbDialog && addProgressValue < usbDialog->maximum()) {
        usbDialog->setValue(addProgressValue);
        QCoreApplication::processEvents();
    }
}

void MainWindow1::recvDelProgress(int value)
{
    delProgressValue += value;
    if (delDialog && delProgressValue < delDialog->maximum()) {
        delDialog->setValue(delProgressValue);
        QCoreApplication::processEvents();
    }
}

void MainWindow1::recvWaveFailed(int waveNo, QString)
{
    pad().failedWaveList << waveNo;
}

void MainWindow1::recvDeleteFailed(QString path, int why)
{
    pad().delNotRemoved.insert(QDir::toNativeSeparators(path), why);
}

DeviceMessage MainWindow1::padBatchMessage(const QString &lead, const QStringList &sounds)
{
    using writeback::PadStop;
    // Judged again when a worker found no pad at the place.
    const bool noPad = pad().padGuard && pad().padGuard->check(false).verdict == PadMatch::Gone;
    const PadMatch lost = pad().padGuard ? pad().padGuard->lost() : PadMatch();
    PadStop stop = PadStop::None;
    if (lost.another())
        stop = PadStop::AnotherPad;
    else if (ztplatform::isReadOnlyVolume(pad().padRoot.path()))
        stop = PadStop::ReadOnly;
    else if (noPad || !writeback::padDrivePresent(pad().currentDirPath, pad().kitPath))
        stop = PadStop::Gone;
    QStringList lines = QStringList{lead} + sounds;
    if (stop == PadStop::AnotherPad) {
        padLost();
        return anotherPadMessage(lost, lines);
    }
    if (stop != PadStop::None)
        lines.prepend(writeback::padStopText(stop));
    return DeviceMessage{tr("Warning"), lines.join(QStringLiteral("\r\n"))};
}

void MainWindow1::recvBatchFinished()
{
    if (pad().padBatchKind == SyncBatch::Adding)
        completeAddBatch();
    else if (pad().padBatchKind == SyncBatch::Deleting)
        completeDeleteBatch();
}

void MainWindow1::completeAddBatch()
{
    pad().padBatchKind = SyncBatch::Idle;
    if (usbDialog) {
        usbDialog->setValue(usbDialog->maximum());
        usbDialog->close();
    }
    addProgressValue = 0;

    const QSet<int> failed(pad().failedWaveList.cbegin(), pad().failedWaveList.cend());
    const QHash<QString, int> records = firstRecordOfFile(waveLoadKitAttrList);
    const int kitNo = ui->kitNumber->text().toInt() - 1; // the kit shown now
    QStringList failedFiles;
    QVector<int> dropped;
    bool shownKitCleared = false;
    // Sources some kit's pads use: every such kit follows the sound to the
    // pad, or it would keep a file the pad does not hold.
    QSet<QString> onPads;
    const int kits = qMin(kitAttrList.size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        for (const KIT_PAD_SETTING &pad : kitAttrList.at(k).kpadChunk)
            onPads << pad.soundFile0 << pad.soundFile1;
    }
    for (int i = 0; i < pad().waveNumList.size(); ++i) {
        const int number = pad().waveNumList.at(i);
        const QString &source = pad().addSoundList.at(i);
        const QString &name = pad().waveNameList.at(i);
        const int r = records.value(source, -1);
        if (failed.contains(number)) {
            // Not on the pad: no row, no record, no pad left pointing at it.
            failedFiles << source;
            if (r >= 0)
                dropped << r;
            if (kitNo >= 0 && kitNo < kitAttrList.size() && kitNo < KIT_MAX_COUNT)
                shownKitCleared |= kitediting::clearWave(kitAttrList[kitNo], kitPadList[kitNo], source);
            continue;
        }
        const QString device = pad().dataPath + QLatin1Char('/') + padtree::waveDataRelativePath(number);
        const quint32 length = quint32(QFileInfo(device).size());
        auto *numberCell = new QStandardItem(QIcon(), QString::number(number));
        numberCell->setEditable(false);
        auto *nameCell = new QStandardItem(name);
        nameCell->setEditable(false);
        totalGroup->appendRow({numberCell, nameCell, new QStandardItem(device)});
        if (hhGroup)
            hhGroup->appendRow({new QStandardItem(name), new QStandardItem(device)});

        const QString native = QDir::toNativeSeparators(device);
        if (r >= 0) {
            SOUND_INDEX record;
            record.file = native;
            record.wave_No = quint16(number);
            record.wave_lock = 1;
            str2CharArray(name, record.wave_name, SOUND_NAME_LENGTH_MAX);
            waveLoadKitAttrList[r] = record;
        }
        for (int k = 0; onPads.contains(source) && k < kits; ++k)
            changeOnlineKitPath(source, native, quint16(number), length, k);
    }
    std::sort(dropped.begin(), dropped.end());
    for (int i = dropped.size() - 1; i >= 0; --i)
        waveLoadKitAttrList.removeAt(dropped.at(i));
    // The change file counts only the sounds that reached the pad.
    for (int extra = pad().addUsbWaveList.size() - (pad().waveNumList.size() - failedFiles.size());
         extra > 0 && !pad().addUsbWaveNumList.isEmpty(); --extra)
        pad().addUsbWaveNumList.removeLast();
    pad().failedWaveList.clear();
    if (shownKitCleared && kitNo == currentKitNum)
        dispPadList(kitAttrList, currentKitNum);
    getRightSoundList();
    ui->right_stackedWidgetPage1->setEnabled(true);
    if (!failedFiles.isEmpty())
        showDeviceMessages({padBatchMessage(
                tr("These sounds could not be written to the sampler pad and were not added:"), failedFiles)});
}

void MainWindow1::completeDeleteBatch()
{
    pad().padBatchKind = SyncBatch::Idle;
    if (delDialog)
        delDialog->setValue(delDialog->maximum());
    // Rows go only for the pairs gone from the pad; the others stay, with
    // their records, and the change file does not count them as deleted.
    QSet<QString> removed;
    for (const QString &p : qAsConst(pad().delBatchList)) {
        if (!pad().delNotRemoved.contains(QDir::toNativeSeparators(p)))
            removed.insert(QDir::toNativeSeparators(p));
    }
    QStringList stay;
    for (int row = totalGroup && !pad().delBatchList.isEmpty() ? totalGroup->rowCount() - 1 : -1; row >= 0; --row) {
        const QStandardItem *file = totalGroup->child(row, 2);
        const QString path = file ? QDir::toNativeSeparators(file->text()) : QString();
        if (removed.contains(path)) {
            totalGroup->removeRow(row);
            updateHHsoundList(row);
        } else if (pad().delNotRemoved.contains(path)) {
            const QStandardItem *number = totalGroup->child(row, 0);
            const int i = number ? pad().delUsbWaveNumList.lastIndexOf(quint16(number->text().toInt())) : -1;
            if (i >= 0)
                pad().delUsbWaveNumList.removeAt(i);
            const QStandardItem *name = totalGroup->child(row, 1);
            const QString why = pad().delNotRemoved.value(path) == UsbUpdate::LinkedFolder
                    ? QStringLiteral(" (") + tr("its folder is a link or leads out of the sampler pad") + QLatin1Char(')')
                    : QString();
            stay.prepend((name ? name->text() : path) + why);
        }
    }
    restoreDeletedRecords();
    ui->totalWaveTreeView->update();
    if (delDialog) {
        delDialog->close();
        delDialog->hide();
    }
    delProgressValue = 0;
    pad().delNotRemoved.clear();
    if (!stay.isEmpty())
        showDeviceMessages({padBatchMessage(
                tr("These sounds were not deleted from the sampler pad and stay in the list:"), stay)});
}

void MainWindow1::restoreDeletedRecords()
{
    int gone = 0; // records before the one at hand that stay out
    for (const QPair<int, SOUND_INDEX> &taken : qAsConst(pad().delBatchRecords)) {
        if (!pad().delNotRemoved.contains(QDir::toNativeSeparators(taken.second.file))) {
            ++gone;
            continue;
        }
        const int at = qBound(0, taken.first - gone, waveLoadKitAttrList.size());
        waveLoadKitAttrList.insert(at, taken.second);
    }
    pad().delBatchRecords.clear();
}

void MainWindow1::changeOnlineKitPath(QString originalPath, QString newPath, quint16 newNum, quint32 newLength,
                                      int kitNo)
{
    if (originalPath.isEmpty() || kitNo < 0 || kitNo >= kitAttrList.size() || kitNo >= KIT_MAX_COUNT)
        return;
    soundKit &kit = kitAttrList[kitNo];
    QVector<KIT_PAD_SETTING> &pads = kitPadList[kitNo];
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        const bool a = kit.kpadChunk[p].soundFile0 == originalPath;
        const bool b = kit.kpadChunk[p].soundFile1 == originalPath;
        auto repoint = [&](KIT_PAD_SETTING &s) {
            if (a) {
                s.soundFile0 = newPath;
                s.aWaveNo = newNum;
                s.aWaveLength = s.aWaveEnd = newLength;
            }
            if (b) {
                s.soundFile1 = newPath;
                s.bWaveNo = newNum;
                s.bWaveLength = s.bWaveEnd = newLength;
            }
        };
        repoint(kit.kpadChunk[p]);
        if (p < pads.size())
            repoint(pads[p]);
    }
}

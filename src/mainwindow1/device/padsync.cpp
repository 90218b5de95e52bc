// Sounds added to and deleted from the pad while editing: the batches of the
// worker threads, their progress, and the lists brought in line afterwards.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "device/usbupdate.h"
#include "device/writeback.h"
#include "model/kitediting.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
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
    const bool ready = pad().padFoldersReady() && padCheck(true).same();
    ui->right_stackedWidgetPage1->setEnabled(false);
    addProgressValue = 0;
    showPadProgress(tr("Importing sound file..."), n);
    const PadSession::AddPlan plan = pad().beginAddBatch(library().waveLoadKitAttrList, ready);
    total_index = plan.lastNumber;
    // Nothing handed to the workers: the batch ends at once.
    if (!ready || !padSync()->startAdd(plan.sounds, pad().dataPath, pad().prmPath))
        completeAddBatch();
}

void MainWindow1::deleteUsbWave()
{
    if (syncBatch && syncBatch->isRunning())
        syncBatch->waitForFinished();
    const bool ready = !pad().delUsbWaveList.isEmpty() && pad().padFoldersReady() && padCheck(true).same();
    pad().beginDeleteBatch(ready);
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
    pad().pairNotRemoved(path, why);
}

DeviceMessage MainWindow1::padBatchMessage(const QString &lead, const QStringList &sounds)
{
    using writeback::PadStop;
    PadMatch lost;
    const PadStop stop = pad().batchStop(&lost);
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
    const QVector<PadSession::AddedSound> added = pad().finishAddBatch();
    if (usbDialog) {
        usbDialog->setValue(usbDialog->maximum());
        usbDialog->close();
    }
    addProgressValue = 0;

    const QHash<QString, int> records = firstRecordOfFile(library().waveLoadKitAttrList);
    const int kitNo = ui->kitNumber->text().toInt() - 1; // the kit shown now
    QStringList failedFiles;
    QVector<int> dropped;
    bool shownKitCleared = false;
    // Sources some kit's pads use: every such kit follows the sound to the
    // pad, or it would keep a file the pad does not hold.
    QSet<QString> onPads;
    const int kits = qMin(doc().kitAttrList.size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        for (const KIT_PAD_SETTING &setting : doc().kitAttrList.at(k).kpadChunk)
            onPads << setting.soundFile0 << setting.soundFile1;
    }
    for (const PadSession::AddedSound &sound : added) {
        const int r = records.value(sound.source, -1);
        if (!sound.reached) {
            // Not on the pad: no row, no record, no pad left pointing at it.
            failedFiles << sound.source;
            if (r >= 0)
                dropped << r;
            if (kitNo >= 0 && kitNo < doc().kitAttrList.size() && kitNo < KIT_MAX_COUNT)
                shownKitCleared |= kitediting::clearWave(doc().kitAttrList[kitNo], doc().kitPadList[kitNo], sound.source);
            continue;
        }
        auto *numberCell = new QStandardItem(QIcon(), QString::number(sound.number));
        numberCell->setEditable(false);
        auto *nameCell = new QStandardItem(sound.name);
        nameCell->setEditable(false);
        library().totalGroup->appendRow({numberCell, nameCell, new QStandardItem(sound.device)});
        if (library().hhGroup)
            library().hhGroup->appendRow({new QStandardItem(sound.name), new QStandardItem(sound.device)});

        const QString native = QDir::toNativeSeparators(sound.device);
        if (r >= 0) {
            SOUND_INDEX record;
            record.file = native;
            record.wave_No = quint16(sound.number);
            record.wave_lock = 1;
            str2CharArray(sound.name, record.wave_name, SOUND_NAME_LENGTH_MAX);
            library().waveLoadKitAttrList[r] = record;
        }
        for (int k = 0; onPads.contains(sound.source) && k < kits; ++k)
            changeOnlineKitPath(sound.source, native, quint16(sound.number), sound.length, k);
    }
    std::sort(dropped.begin(), dropped.end());
    for (int i = dropped.size() - 1; i >= 0; --i)
        library().waveLoadKitAttrList.removeAt(dropped.at(i));
    if (shownKitCleared && kitNo == currentKitNum)
        dispPadList(doc().kitAttrList, currentKitNum);
    getRightSoundList();
    ui->right_stackedWidgetPage1->setEnabled(true);
    if (!failedFiles.isEmpty())
        showDeviceMessages({padBatchMessage(
                tr("These sounds could not be written to the sampler pad and were not added:"), failedFiles)});
}

void MainWindow1::completeDeleteBatch()
{
    const PadSession::DeleteOutcome outcome = pad().finishDeleteBatch();
    if (delDialog)
        delDialog->setValue(delDialog->maximum());
    // Rows go only for the pairs gone from the pad; the others stay, with
    // their records, and the change file does not count them as deleted.
    QStringList stay;
    for (int row = library().totalGroup && !pad().delBatchList.isEmpty() ? library().totalGroup->rowCount() - 1 : -1; row >= 0; --row) {
        const QStandardItem *file = library().totalGroup->child(row, 2);
        const QString path = file ? QDir::toNativeSeparators(file->text()) : QString();
        if (outcome.removed.contains(path)) {
            library().totalGroup->removeRow(row);
            librarypane::updateHHsoundList(this, row);
        } else if (outcome.kept.contains(path)) {
            const QStandardItem *number = library().totalGroup->child(row, 0);
            if (number)
                pad().keepDeletedNumber(quint16(number->text().toInt()));
            const QStandardItem *name = library().totalGroup->child(row, 1);
            const QString why = outcome.kept.value(path) == UsbUpdate::LinkedFolder
                    ? QStringLiteral(" (") + tr("its folder is a link or leads out of the sampler pad") + QLatin1Char(')')
                    : QString();
            stay.prepend((name ? name->text() : path) + why);
        }
    }
    pad().restoreDeletedRecords(library().waveLoadKitAttrList);
    ui->totalWaveTreeView->update();
    if (delDialog) {
        delDialog->close();
        delDialog->hide();
    }
    delProgressValue = 0;
    if (!stay.isEmpty())
        showDeviceMessages({padBatchMessage(
                tr("These sounds were not deleted from the sampler pad and stay in the list:"), stay)});
}

void MainWindow1::changeOnlineKitPath(QString originalPath, QString newPath, quint16 newNum, quint32 newLength,
                                      int kitNo)
{
    if (originalPath.isEmpty() || kitNo < 0 || kitNo >= doc().kitAttrList.size() || kitNo >= KIT_MAX_COUNT)
        return;
    soundKit &kit = doc().kitAttrList[kitNo];
    QVector<KIT_PAD_SETTING> &pads = doc().kitPadList[kitNo];
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

// Sounds added to and deleted from the pad while editing: the batches of the
// worker threads, their progress, and the lists brought in line afterwards.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/syncbatch.h"
#include "device/usbupdate.h"
#include "device/writeback.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QProgressDialog>
#include <QSet>
#include <QStandardItemModel>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

// Why a pair stays on the pad, as the box tells it after the sound's name;
// a read-only pad is told once for the whole box.
QString keptReason(const PadSession::Kept &kept)
{
    if (kept.why == UsbUpdate::LinkedFolder)
        return QStringLiteral(" (") + MainWindow1::tr("its folder is a link or leads out of the sampler pad")
                + QLatin1Char(')');
    if (kept.why == UsbUpdate::NotRemovable && kept.error != 0 && kept.error != EROFS)
        return QStringLiteral(" (")
                + MainWindow1::tr("the sampler pad refused to remove its files: %1")
                          .arg(QString::fromLocal8Bit(std::strerror(kept.error)))
                + QLatin1Char(')');
    return QString();
}

} // namespace

SyncBatch *padpane::padSync(MainWindow1 *w)
{
    if (!w->syncBatch) {
        w->syncBatch = new SyncBatch(w);
        w->syncBatch->setPadRoot(w->pad().padRoot());
        QObject::connect(w->syncBatch, &SyncBatch::progress, w, [w](int value) {
            if (w->pad().padBatchKind() == SyncBatch::Adding)
                w->recvAddProgress(value);
            else if (w->pad().padBatchKind() == SyncBatch::Deleting)
                w->recvDelProgress(value);
        });
        QObject::connect(w->syncBatch, &SyncBatch::waveFailed, w, &MainWindow1::recvWaveFailed);
        QObject::connect(w->syncBatch, &SyncBatch::deleteFailed, w, &MainWindow1::recvDeleteFailed);
        QObject::connect(w->syncBatch, &SyncBatch::finished, w, &MainWindow1::recvBatchFinished);
    }
    return w->syncBatch;
}

void MainWindow1::recvUpdate(int flag, int)
{
    if (flag == 0)
        padpane::deleteUsbWave(this);
    else if (flag == 1)
        padpane::addUsbWave(this);
}

void padpane::addUsbWave(MainWindow1 *w)
{
    // A batch still running ends first: its completion reads the batch lists.
    if (w->syncBatch && w->syncBatch->isRunning())
        w->syncBatch->waitForFinished();
    const int n = w->pad().addUsbWaveList().size();
    if (n == 0)
        return;
    // Nothing is written to another pad put at the pad's place.
    const bool ready = w->pad().padFoldersReady() && padpane::padCheck(w, true).same();
    w->ui->right_stackedWidgetPage1->setEnabled(false);
    w->addProgressValue = 0;
    padpane::showPadProgress(w, MainWindow1::tr("Importing sound file..."), n);
    const PadSession::AddPlan plan = w->pad().beginAddBatch(w->library().waveLoadKitAttrList(), ready);
    w->soundLists().noteLastWaveNumber(plan.lastNumber);
    // Nothing handed to the workers: the batch ends at once.
    if (!ready || !padpane::padSync(w)->startAdd(plan.sounds, w->pad().dataPath(), w->pad().prmPath()))
        padpane::completeAddBatch(w);
}

void padpane::deleteUsbWave(MainWindow1 *w)
{
    if (w->syncBatch && w->syncBatch->isRunning())
        w->syncBatch->waitForFinished();
    const bool ready =
            !w->pad().delUsbWaveList().isEmpty() && w->pad().padFoldersReady() && padpane::padCheck(w, true).same();
    w->pad().beginDeleteBatch(ready);
    if (!ready || !padpane::padSync(w)->startDelete(w->pad().delBatchList(), w->pad().dataPath(), w->pad().prmPath()))
        padpane::completeDeleteBatch(w); // no dialog is left up
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

void MainWindow1::recvWaveFailed(int waveNo, QString, int refusal)
{
    pad().soundNotWritten(waveNo, refusal);
}

void MainWindow1::recvDeleteFailed(QString path, int why, int error)
{
    pad().pairNotRemoved(path, why, error);
}

DeviceMessage padpane::padBatchMessage(MainWindow1 *w, const QString &lead, const QStringList &sounds, int refusal)
{
    using writeback::PadStop;
    PadMatch lost;
    const PadStop stop = w->pad().batchStop(&lost);
    QStringList lines = QStringList{lead} + sounds;
    if (stop == PadStop::AnotherPad) {
        w->pad().padLost();
        return anotherPadMessage(lost, lines);
    }
    if (stop != PadStop::None)
        lines.prepend(writeback::padStopText(stop));
    else if (refusal != 0)
        lines.prepend(MainWindow1::tr("The sampler pad refused a write (%1); the sounds after it were not tried.")
                              .arg(QString::fromLocal8Bit(std::strerror(refusal))));
    return DeviceMessage{MainWindow1::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
}

void MainWindow1::recvBatchFinished()
{
    if (pad().padBatchKind() == SyncBatch::Adding)
        padpane::completeAddBatch(this);
    else if (pad().padBatchKind() == SyncBatch::Deleting)
        padpane::completeDeleteBatch(this);
}

void padpane::completeAddBatch(MainWindow1 *w)
{
    const int refusal = w->pad().batchRefusal();
    const QVector<PadSession::AddedSound> added = w->pad().finishAddBatch();
    if (w->usbDialog) {
        w->usbDialog->setValue(w->usbDialog->maximum());
        w->usbDialog->close();
    }
    w->addProgressValue = 0;

    const QHash<QString, int> records = firstRecordOfFile(w->library().waveLoadKitAttrList());
    const int kitNo = w->ui->kitNumber->text().toInt() - 1; // the kit shown now
    QStringList failedFiles;
    QVector<int> dropped;
    // Sources some kit's pads use: every such kit follows the sound to the
    // pad, or it would keep a file the pad does not hold.
    QSet<QString> onPads;
    const int kits = qMin(w->doc().kitAttrList().size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        for (const MainWindow1::KIT_PAD_SETTING &setting : w->doc().kitAttrList().at(k).kpadChunk)
            onPads << setting.soundFile0 << setting.soundFile1;
    }
    for (const PadSession::AddedSound &sound : added) {
        const int r = records.value(sound.source, -1);
        if (!sound.reached) {
            // Not on the pad: no row, no record, no pad left pointing at it.
            failedFiles << sound.source;
            if (r >= 0)
                dropped << r;
            w->doc().clearSound(kitNo, sound.source); // its record, pad list and image; the pads show it
            continue;
        }
        w->library().soundWrittenToPad(r, quint16(sound.number), sound.name, sound.device);
        const QString native = QDir::toNativeSeparators(sound.device);
        for (int k = 0; onPads.contains(sound.source) && k < kits; ++k)
            padpane::changeOnlineKitPath(w, sound.source, native, quint16(sound.number), sound.length, k);
    }
    std::sort(dropped.begin(), dropped.end());
    w->library().removeSoundRecords(dropped);
    w->getRightSoundList();
    w->ui->right_stackedWidgetPage1->setEnabled(true);
    if (!failedFiles.isEmpty())
        padpane::showDeviceMessages(
                w,
                {padpane::padBatchMessage(
                        w, MainWindow1::tr("These sounds could not be written to the sampler pad and were not added:"),
                        failedFiles, refusal)});
}

void padpane::completeDeleteBatch(MainWindow1 *w)
{
    const PadSession::DeleteOutcome outcome = w->pad().finishDeleteBatch();
    if (w->delDialog)
        w->delDialog->setValue(w->delDialog->maximum());
    // Rows go only for the pairs gone from the pad; the others stay, with
    // their records, and the change file does not count them as deleted.
    QStringList stay;
    QVector<int> goneRows;
    const SoundListModel *total = w->library().totalListItemModel();
    for (int row = !w->pad().delBatchList().isEmpty() ? total->soundCount() - 1 : -1; row >= 0; --row) {
        const QString path = QDir::toNativeSeparators(total->soundText(row, 2));
        if (outcome.removed.contains(path)) {
            goneRows.append(row);
        } else if (outcome.kept.contains(path)) {
            if (const QStandardItem *number = total->soundItem(row, 0))
                w->pad().keepDeletedNumber(quint16(number->text().toInt()));
            const QStandardItem *name = total->soundItem(row, 1);
            stay.prepend((name ? name->text() : path) + keptReason(outcome.kept.value(path)));
        }
    }
    w->library().removeSounds(goneRows, {});
    // The records of pairs the pad kept come back to their places.
    QVector<MainWindow1::SOUND_INDEX> records = w->library().waveLoadKitAttrList();
    w->pad().restoreDeletedRecords(records);
    w->library().takeSoundRecords(records);
    if (w->delDialog) {
        w->delDialog->close();
        w->delDialog->hide();
    }
    w->delProgressValue = 0;
    if (!stay.isEmpty())
        padpane::showDeviceMessages(
                w,
                {padpane::padBatchMessage(
                        w, MainWindow1::tr("These sounds were not deleted from the sampler pad and stay in the list:"),
                        stay)});
}

void padpane::changeOnlineKitPath(MainWindow1 *w, QString originalPath, QString newPath, quint16 newNum,
                                  quint32 newLength, int kitNo)
{
    w->doc().moveSoundToPad(kitNo, originalPath, newPath, newNum, newLength);
}

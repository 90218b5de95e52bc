// Sounds added to and deleted from the pad while editing: the batches of the
// worker threads, their progress, and the lists brought in line afterwards.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/syncbatch.h"
#include "device/usbupdate.h"
#include "device/writeback.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"
#include "platform/errortext.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopedValueRollback>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <cerrno>

namespace {

// The index of the first record of each file.
QHash<QString, int> firstRecordOfFile(const QVector<MainWindow1Records::SOUND_INDEX> &records)
{
    QHash<QString, int> index;
    index.reserve(records.size());
    for (int i = 0; i < records.size(); ++i) {
        if (!index.contains(records.at(i).file))
            index.insert(records.at(i).file, i);
    }
    return index;
}

// The name of the .wav at `wavPath` or of its .prm.
QString pairFileName(const QString &wavPath, bool wav)
{
    const QFileInfo file(QDir::fromNativeSeparators(wavPath));
    return wav ? file.fileName() : file.completeBaseName() + QStringLiteral(".prm");
}

// Why a pair stays on the pad, as the box tells it after the sound's name;
// a read-only pad is told once for the whole box.
QString keptReason(const PadSession::Kept &kept, const QString &wavPath)
{
    QString why;
    if (kept.why == UsbUpdate::WavNotAFile || kept.why == UsbUpdate::PrmNotAFile) {
        const QString what = kept.error == ELOOP    ? WindowTexts::tr("%1 is a link, not a file of its own")
                             : kept.error == EISDIR ? WindowTexts::tr("%1 is a folder")
                                                    : WindowTexts::tr("%1 is not a plain file");
        why = what.arg(pairFileName(wavPath, kept.why == UsbUpdate::WavNotAFile));
    } else if (kept.why == UsbUpdate::WavChanged || kept.why == UsbUpdate::PrmChanged) {
        why = WindowTexts::tr("%1 changed on the sampler pad after it was read")
                      .arg(pairFileName(wavPath, kept.why == UsbUpdate::WavChanged));
    } else if (kept.why == UsbUpdate::EarlierChange) {
        why = WindowTexts::tr("the sampler pad holds the record of an earlier change that its next load ends "
                              "first or, if it cannot, names");
    } else if (kept.why == UsbUpdate::LinkedFolder) {
        why = WindowTexts::tr("its folder is a link or leads out of the sampler pad");
    } else if (kept.why == UsbUpdate::NotRemovable && kept.error != 0 && kept.error != EROFS) {
        why = WindowTexts::tr("the sampler pad refused to remove its files: %1").arg(ztplatform::errorText(kept.error));
    }
    return why.isEmpty() ? QString() : QStringLiteral(" (") + why + QLatin1Char(')');
}

} // namespace

SyncBatch *PadSyncController::ensureSyncBatch()
{
    if (!m_syncBatch) {
        m_syncBatch = new SyncBatch(m_parent);
        m_syncBatch->setPad(m_pad.padRoot(), m_pad.tree(), m_pad.fence(), m_pad.silentFiles());
        connect(m_syncBatch, &SyncBatch::progress, this, [this](int value) {
            if (m_pad.padBatchKind() == SyncBatch::Adding)
                recvAddProgress(value);
            else if (m_pad.padBatchKind() == SyncBatch::Deleting)
                m_soundLists.recvDelProgress(value);
        });
        connect(m_syncBatch, &SyncBatch::waveFailed, this,
                [this](int waveNo, const QString &, int refusal) { m_pad.soundNotWritten(waveNo, refusal); });
        connect(m_syncBatch, &SyncBatch::waveWritten, this,
                [this](int waveNo, qint64 bytes) { m_pad.soundWritten(waveNo, bytes); });
        connect(m_syncBatch, &SyncBatch::deleteFailed, this,
                [this](const QString &path, int why, int error) { m_pad.pairNotRemoved(path, why, error); });
        connect(m_syncBatch, &SyncBatch::finished, this, &PadSyncController::batchFinished);
    }
    return m_syncBatch;
}

void PadSyncController::runQueuedBatch(int flag)
{
    // The pad as loaded is kept before it changes: when its backup stopped
    // moving on and the user did not go on without it, the batch writes nothing.
    const QScopedValueRollback<bool> held(m_batchHeld, (flag == 0 || flag == 1) && !waitForBackup());
    if (flag == 0)
        deleteUsbWave();
    else if (flag == 1)
        addUsbWave();
}

bool PadSyncController::batchEnded()
{
    // The window goes on painting; the pad's watch ends the wait when the pad
    // stops answering (abandonBatch()).
    JobDialog::waitUntil([this](int) { return !m_syncBatch || !m_syncBatch->isRunning() || m_batchAbandoned; });
    return !m_syncBatch || !m_syncBatch->isRunning();
}

void PadSyncController::abandonBatch()
{
    // Its workers may never return: nothing waits on them, they write nothing
    // more if they do, and the pad's next load ends what they began. The pad
    // counts as away from now on.
    m_batchAbandoned = true;
    if (m_syncBatch)
        m_syncBatch->abandon();
    m_soundLists.enableSoundPane(true);
    m_pad.leaveDeviceMode(); // its progress dialogs go with it
    showDeviceMessages({notAnsweringAtCloseMessage(true)});
}

void PadSyncController::runPendingBatch()
{
    if (!m_pendingBatches.isEmpty() && (!m_syncBatch || !m_syncBatch->isRunning()))
        runQueuedBatch(m_pendingBatches.takeFirst());
}

bool PadSyncController::padReadyForBatch()
{
    if (m_batchHeld)
        return false;
    const JobDialog::CloseHold looking;
    m_batchLook = true;
    const bool ready = m_pad.padFoldersReady() && padCheck(true).same();
    m_batchLook = false;
    return ready;
}

void PadSyncController::addUsbWave()
{
    // A batch still running ends first: its completion reads the batch lists.
    // One left on a pad that stopped answering is not waited on: this one
    // follows it.
    if (m_batchLook || m_renumbering || !batchEnded()) {
        m_pendingBatches.append(1);
        return;
    }
    const int n = m_pad.addUsbWaveList().size();
    if (n == 0)
        return;
    // Nothing is written to another pad put at the pad's place.
    const bool ready = padReadyForBatch();
    m_soundLists.enableSoundPane(false);
    m_addProgressValue = 0;
    showPadProgress(WindowTexts::tr("Importing sound file..."), n);
    const PadSession::AddPlan plan = m_pad.beginAddBatch(m_library.waveLoadKitAttrList(), ready);
    m_soundLists.noteLastWaveNumber(plan.lastNumber);
    // Nothing handed to the workers: the batch ends at once.
    if (!ready || !ensureSyncBatch()->startAdd(plan.sounds))
        completeAddBatch();
}

void PadSyncController::deleteUsbWave()
{
    if (m_batchLook || m_renumbering || !batchEnded()) {
        m_pendingBatches.append(0);
        return;
    }
    const bool ready = !m_pad.delUsbWaveList().isEmpty() && padReadyForBatch();
    m_pad.beginDeleteBatch(ready);
    if (!ready || !ensureSyncBatch()->startDelete(m_pad.delBatchList(), m_pad.delBatchHalfPairs()))
        completeDeleteBatch(); // no dialog is left up
}

void PadSyncController::recvAddProgress(int value)
{
    m_addProgressValue += value;
    if (m_usbDialog && m_addProgressValue < m_usbDialog->maximum())
        m_usbDialog->move(m_addProgressValue);
}

DeviceMessage PadSyncController::padBatchMessage(const QString &lead, const QStringList &sounds, int refusal)
{
    using writeback::PadStop;
    PadMatch lost;
    const PadStop stop = m_pad.batchStop(&lost);
    QStringList lines = QStringList{lead} + sounds;
    if (stop == PadStop::AnotherPad) {
        m_pad.padLost();
        return anotherPadMessage(lost, lines);
    }
    if (stop != PadStop::None)
        lines.prepend(writeback::padStopText(stop));
    else if (refusal == UsbUpdate::EARLIER_CHANGE_REFUSAL)
        lines.prepend(WindowTexts::tr("The sampler pad holds the record of an earlier change that its next load "
                                      "ends first or, if it cannot, names."));
    else if (refusal != 0)
        lines.prepend(WindowTexts::tr("The sampler pad refused a write (%1); the sounds after it were not tried.")
                              .arg(ztplatform::errorText(refusal)));
    return DeviceMessage{WindowTexts::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
}

void PadSyncController::batchFinished()
{
    m_batchAbandoned = false; // the batch left running, if any, is over
    if (m_pad.padBatchKind() == SyncBatch::Adding)
        completeAddBatch();
    else if (m_pad.padBatchKind() == SyncBatch::Deleting)
        completeDeleteBatch();
}

void PadSyncController::completeAddBatch()
{
    const int refusal = m_pad.batchRefusal();
    const QVector<PadSession::AddedSound> added = m_pad.finishAddBatch();
    if (m_usbDialog) {
        m_usbDialog->move(m_usbDialog->maximum());
        m_usbDialog->close();
    }
    m_addProgressValue = 0;

    const QHash<QString, int> records = firstRecordOfFile(m_library.waveLoadKitAttrList());
    const int kitNo = m_kitHeader.fieldNumber() - 1; // the kit shown now
    QStringList failedFiles;
    QVector<int> dropped;
    // Sources some kit's pads use: every such kit follows the sound to the
    // pad, or it would keep a file the pad does not hold.
    QSet<QString> onPads;
    const int kits = qMin(m_doc.kitAttrList().size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        for (const MainWindow1Records::KIT_PAD_SETTING &setting : m_doc.kitAttrList().at(k).kpadChunk)
            onPads << setting.soundFile0 << setting.soundFile1;
    }
    for (const PadSession::AddedSound &sound : added) {
        const int r = records.value(sound.source, -1);
        if (!sound.reached) {
            // Not on the pad: no row, no record, no pad left pointing at it.
            failedFiles << sound.source;
            if (r >= 0)
                dropped << r;
            m_doc.clearSound(kitNo, sound.source); // its record, pad list and image; the pads show it
            continue;
        }
        m_library.soundWrittenToPad(r, quint16(sound.number), sound.name, sound.device);
        const QString native = QDir::toNativeSeparators(sound.device);
        for (int k = 0; onPads.contains(sound.source) && k < kits; ++k)
            changeOnlineKitPath(sound.source, native, quint16(sound.number), sound.length, k);
    }
    std::sort(dropped.begin(), dropped.end());
    m_library.removeSoundRecords(dropped);
    emit soundListChanged();
    m_soundLists.enableSoundPane(true);
    if (!failedFiles.isEmpty())
        showDeviceMessages({padBatchMessage(
                WindowTexts::tr("These sounds could not be written to the sampler pad and were not added:"),
                failedFiles, refusal)});
    runPendingBatch();
}

void PadSyncController::completeDeleteBatch()
{
    const auto next = qScopeGuard([this]() { runPendingBatch(); });
    const PadSession::DeleteOutcome outcome = m_pad.finishDeleteBatch();
    m_soundLists.fillDeleteProgress();
    // Rows go only for the pairs gone from the pad (or going at its next
    // load); the others stay, with their records, and the change file does
    // not count them as deleted.
    QStringList stay, nextLoad, half;
    QSet<QString> halfPaths; // pairs found with one file gone: the user says whether the rest goes
    QSet<QString> keptRows;  // pairs that stay and are still listed
    QVector<int> goneRows;
    const SoundListModel *total = m_library.totalListItemModel();
    for (int row = !m_pad.delBatchList().isEmpty() ? total->soundCount() - 1 : -1; row >= 0; --row) {
        const QString path = QDir::toNativeSeparators(total->soundText(row, 2));
        const QStandardItem *name = total->soundItem(row, 1);
        const QString shown = name ? name->text() : path;
        if (outcome.removed.contains(path)) {
            goneRows.append(row);
            if (outcome.nextLoad.contains(path))
                nextLoad.prepend(shown);
        } else if (outcome.kept.contains(path)) {
            keptRows.insert(path);
            if (const QStandardItem *number = total->soundItem(row, 0))
                m_pad.keepDeletedNumber(quint16(number->text().toInt()));
            const PadSession::Kept kept = outcome.kept.value(path);
            if (kept.why == UsbUpdate::WavAlreadyGone || kept.why == UsbUpdate::PrmAlreadyGone) {
                const QString gone = pairFileName(path, kept.why == UsbUpdate::WavAlreadyGone);
                half.prepend(shown + QStringLiteral(" (") + WindowTexts::tr("%1 is gone").arg(gone)
                             + QLatin1Char(')'));
                halfPaths.insert(path);
            } else {
                stay.prepend(shown + keptReason(kept, path));
            }
        }
    }
    m_library.removeSounds(goneRows, {});
    // The records of pairs the pad kept come back to their places, unless
    // their rows went meanwhile.
    QVector<MainWindow1Records::SOUND_INDEX> records = m_library.waveLoadKitAttrList();
    m_pad.restoreDeletedRecords(records, keptRows);
    m_library.takeSoundRecords(records);
    m_soundLists.closeDeleteProgress();
    m_soundLists.resetDeleteProgress();
    const QString stayLead = WindowTexts::tr("These sounds were not deleted from the sampler pad and stay in the list:");
    const QString nextLoadLead = WindowTexts::tr("These sounds were deleted from the list; the sampler pad was cut "
                                                 "off before the deletion ended, and its next load finishes it:");
    if (!stay.isEmpty())
        showDeviceMessages({padBatchMessage(stayLead,
                                            nextLoad.isEmpty() ? stay : stay + QStringList{nextLoadLead} + nextLoad)});
    else if (!nextLoad.isEmpty())
        showDeviceMessages({padBatchMessage(nextLoadLead, nextLoad)});
    if (half.isEmpty())
        return;
    const QString text = WindowTexts::tr("One file of each of these sounds was already gone from the sampler pad "
                                         "(another program may have removed it); they stay in the list:")
            + QStringLiteral("\r\n") + half.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")
            + WindowTexts::tr("Delete what is left of them from the sampler pad?");
    if (m_prompter.question(m_parent, WindowTexts::tr("Delete"), text) != QMessageBox::Yes)
        return;
    m_pad.confirmHalfPairs(halfPaths);
    m_soundLists.deleteSoundsOfFiles(halfPaths);
}

void PadSyncController::changeOnlineKitPath(const QString &originalPath, const QString &newPath, quint16 newNum,
                                            quint32 newLength, int kitNo)
{
    m_doc.moveSoundToPad(kitNo, originalPath, newPath, newNum, newLength);
}

// The pad's files follow a renumbered sound list.
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/renumber.h"
#include "device/padsession.h"
#include "device/writeback.h"
#include "library/soundlibrary.h"

#include "mainwindow1/windowtexts.h"

#include <QScopedValueRollback>
#include <QTimer>
#include <QHash>
#include <QSet>

// The pad's pairs and kit records renumbered on a thread of their own under
// the pad's progress dialog, which holds the window while it paints; nothing
// when the pad stopped answering meanwhile, or one look at it (a file read,
// moved or synced) took longer than any look may: the work then reaches the
// pad no more, and the pad's journal ends what it began at the next load.
std::optional<RenumberResult> PadSyncController::renumberWhileAnswering(const QVector<WaveRenumber> &changes,
                                                                        const QSet<quint16> &soundsBefore)
{
    if (!m_pad.padAnswering())
        return RenumberResult(); // nothing tried: told by the pad's watch
    const PadTreePaths tree = m_pad.tree();
    const ztplatform::FolderAnchor root = m_pad.padRoot();
    const PadKitRecords kits{m_pad.padKitFiles(), m_pad.padKitRecords()};
    JobDialog *progress = showPadProgress(WindowTexts::tr("Saving file..."), 0);
    const QScopedValueRollback<bool> renumbering(m_renumbering, true);
    const std::optional<RenumberResult> ran = m_pad.runOnPad<RenumberResult>(
            [changes, tree, root, soundsBefore, kits](const PadPace &pace) {
                return renumberPadWaves(changes, tree, pace.paced(root), soundsBefore, kits);
            });
    progress->hide();
    // A batch asked for meanwhile waited for the renumbering.
    QTimer::singleShot(0, this, &PadSyncController::runPendingBatch);
    return ran;
}

void PadSyncController::updateWavePrmAndData(int count, const QVector<int> &oldNumbers)
{
    if (m_pad.isUDiskFlag())
        return;
    const int n = qMin(count, qMin(m_library.waveLoadKitAttrList().size(), oldNumbers.size()));
    if (!waitForBackup()) { // the pad as loaded is kept before it changes
        m_library.restoreSoundNumbers(oldNumbers.mid(0, n)); // nothing written: the list keeps its numbers
        return;
    }
    const QVector<WaveRenumber> changes =
            renumberedWaves(m_library.waveLoadKitAttrList().mid(0, n), oldNumbers.mid(0, n));
    if (changes.isEmpty())
        return;
    // Another pad at the pad's place is not touched; the numbers come back.
    const bool onPad = !m_pad.padFoldersReady() || padStillLoaded();
    m_pad.beginBatchWatch(onPad);
    QSet<quint16> soundsBefore;
    for (int number : oldNumbers)
        soundsBefore.insert(quint16(number));
    std::optional<RenumberResult> ran = RenumberResult();
    if (onPad) {
        ran = renumberWhileAnswering(changes, soundsBefore);
        if (!ran) {
            // Its record on the pad lets the next load end it; until then the
            // editor writes nothing there, and the list keeps its numbers.
            showDeviceMessages({notAnsweringAtCloseMessage(true)});
            m_pad.leaveDeviceMode();
            m_library.restoreSoundNumbers(oldNumbers.mid(0, n));
            return;
        }
    }
    const RenumberResult &result = *ran;
    if (!result.ok) {
        // Found before the renumbering: padStillLoaded() has told it. Found
        // part-way (pulled, swapped, write-protected): said first, before
        // what the pad holds.
        PadMatch lost;
        const writeback::PadStop stop = onPad ? m_pad.batchStop(&lost) : writeback::PadStop::None;
        if (stop == writeback::PadStop::AnotherPad) {
            m_pad.padLost();
            QStringList texts;
            for (const DeviceMessage &m : result.messages)
                texts << m.text;
            showDeviceMessages({anotherPadMessage(lost, texts)});
        } else if (!result.messages.isEmpty() && stop != writeback::PadStop::None) {
            DeviceMessage told = result.messages.first();
            told.text.prepend(writeback::padStopText(stop) + QStringLiteral("\r\n"));
            showDeviceMessages({told});
        } else {
            showDeviceMessages(result.messages);
        }
        m_library.restoreSoundNumbers(oldNumbers.mid(0, n));
        return;
    }

    // The pad's kit records name the new numbers now: the close expects them.
    for (const auto &kit : result.kitsWritten)
        m_pad.kitRecordWritten(kit.first, kit.second);

    // The rows' hidden file column follows; the list is rebuilt by the caller.
    QVector<QPair<int, QString>> moves;
    for (int i = 0; i < changes.size(); ++i)
        moves.append({changes.at(i).index, result.newFiles.at(i)});
    const QVector<QString> oldFiles = m_library.moveSoundFiles(moves);

    // Kits follow file by file. When a later sound's old file is an earlier
    // sound's new one, every file goes through a name of its own first, so
    // that no slot is moved twice.
    QHash<QString, int> changeOfOldFile;
    for (int i = 0; i < oldFiles.size(); ++i)
        changeOfOldFile.insert(oldFiles.at(i), i);
    bool chained = false;
    for (int i = 0; i < changes.size() && !chained; ++i)
        chained = changeOfOldFile.value(result.newFiles.at(i), -1) > i;
    for (int i = 0; i < changes.size(); ++i) {
        const WaveRenumber &c = changes.at(i);
        const QString target = chained ? result.newFiles.at(i) + QChar(0) : result.newFiles.at(i);
        m_kitPages.updateKitFile(c.oldNo, c.newNo, oldFiles.at(i), target);
    }
    for (int i = 0; chained && i < changes.size(); ++i) {
        const WaveRenumber &c = changes.at(i);
        m_kitPages.updateKitFile(c.newNo, c.newNo, result.newFiles.at(i) + QChar(0), result.newFiles.at(i));
    }
    // A slot that named no sound names none, as on the pad: its number may
    // now be a moved sound's.
    for (int k = 0; k < qMin(m_doc.kitAttrList().size(), int(KIT_MAX_COUNT)); ++k)
        m_doc.dropNumbersWithoutSound(k);
    m_reorderSoundFlag = true;
}

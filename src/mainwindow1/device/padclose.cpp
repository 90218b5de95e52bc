// Closing the editor in device mode: the changed kits, the kit chains and the
// change file go to the pad, then the pad's volume is dismounted.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "device/devicemessage.h"
#include "device/kitwaves.h"
#include "device/writeback.h"
#include "platform/dismount.h"
#include "platform/timedlook.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QStandardItemModel>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {
constexpr int WRITE_BACK_POLL_MS = 20;
// The backups' folder silent that long is not waited on: within the limit
// of the write-back's looks at the pad.
constexpr int DATA_FOLDER_LIMIT_MS = PadWatch::ANSWER_LIMIT_MS / 2;
}

bool PadSyncController::closeOnPad()
{
    if (!m_pad.beginClose())
        return false; // a close during the close
    const auto closeEnded = qScopeGuard([this]() { m_pad.endClose(); });
    const QMessageBox::StandardButton answer =
            m_prompter.question(m_parent, WindowTexts::tr("Confirm"), WindowTexts::tr("Quit?"),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    if (!waitForBackup()) // the pad as loaded is kept before it changes
        return false;     // the window stays on the pad, nothing written to it
    // Sounds still being written get their rows first, so the kits see them;
    // a pad that stops answering meanwhile, or a batch that makes no progress
    // for as long as any look at the pad may take, takes nothing more.
    JobDialog::waitUntil(
            [this](int) {
                return !m_syncBatch || !m_syncBatch->isRunning() || !m_pad.padAnswering()
                        || m_syncBatch->sinceProgress() >= PadWatch::ANSWER_LIMIT_MS;
            },
            false);
    if (m_syncBatch && m_syncBatch->isRunning()) {
        // The batch was writing to the pad: not "nothing saved". It writes
        // nothing more; the pad's next load ends what it began.
        m_batchAbandoned = true;
        m_syncBatch->abandon();
        showDeviceMessages({notAnsweringAtCloseMessage(true)});
        m_pad.leaveDeviceMode();
        return false;
    }
    m_kitPages.commitShownKit(m_mainPadPage.curkitNumber());
    if (!m_soundLists.saveSoundListAtClose())
        return false; // the window stays on the pad, nothing written to it

    bool closing = false;
    if (generateOrderFile()) {
        if (!dismountWhileAnswering())
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
    // Neither gone nor silent (each look waited on at most a moment).
    const auto padThere = [this]() {
        if (m_pad.drivePresent())
            return true;
        showDeviceMessages({m_pad.padAnswering() ? writeback::driveGoneMessage() : notAnsweringAtCloseMessage(false)});
        m_pad.leaveDeviceMode();
        return false;
    };
    if (!padThere())
        return false;
    const DeviceMessage notice = writeback::disconnectNotice();
    m_prompter.information(m_parent, notice.title, notice.text, QMessageBox::Ok);
    // The pad may have gone while the notice was up, or another taken its place.
    if (!padThere())
        return false;

    // The write-back refreshes the kits' wave numbers and sets the marks and
    // flags; the document takes them back when it ends.
    PadSession::KitLists lists;
    lists.originalKits = &m_doc.originalKitAttrList();
    lists.chains = &m_doc.kitChainList();
    lists.originalChains = &m_doc.originalKitChainList();
    lists.nameAdjusted = &m_doc.kitNumFlagList1();
    writeback::WriteBackResult result;
    if (!writeBackWhileAnswering(lists, &result)) {
        showDeviceMessages({notAnsweringAtCloseMessage(true)});
        m_pad.leaveDeviceMode();
        return false;
    }
    // What reached the pad is what a later close compares with, even when the
    // rest did not: a kit written and then undone is an edit again.
    for (int kit : result.kitsWritten)
        m_doc.markKitSaved(kit - 1);
    if (result.globalWritten)
        m_doc.markRestoredGlobalSaved(m_kitPages.globalPage());
    else if (result.chainsWritten)
        m_doc.markChainsSaved(m_kitPages.globalPage());
    if (result.stop == writeback::PadStop::AnotherPad)
        m_pad.padLost();
    showDeviceMessages(result.messages);
    return !result.failed;
}

bool PadSyncController::writeBackWhileAnswering(const PadSession::KitLists &lists, writeback::WriteBackResult *result)
{
    // Everything the writing thread reads or changes is its own: a pad that
    // stops answering keeps that thread, never the window's data.
    struct Writing
    {
        KitDocument::PadClose close;
        QVector<MainWindow1Records::soundKit> originalKits;
        QVector<MainWindow1Records::KIT_CHAIN> chains, originalChains;
        QVector<quint8> nameAdjusted;
        writeback::WriteBackJob job;
        std::atomic<int> progress{0};
    };
    const auto writing = std::make_shared<Writing>();
    writing->close = m_doc.padClose();
    writing->originalKits = *lists.originalKits;
    writing->chains = *lists.chains;
    writing->originalChains = *lists.originalChains;
    writing->nameAdjusted = *lists.nameAdjusted;
    PadSession::KitLists own;
    own.kits = &writing->close.kits;
    own.originalKits = &writing->originalKits;
    own.chains = &writing->chains;
    own.originalChains = &writing->originalChains;
    own.kitFlags = &writing->close.kitFlags;
    own.kitMarks = &writing->close.kitMarks;
    own.nameAdjusted = &writing->nameAdjusted;
    own.kitChangedFlag = &writing->close.kitChangedFlag;
    own.globalFlag = &writing->close.globalFlag;
    writing->job = m_pad.writeBackJob(own, m_reorderSoundFlag,
                                      [this](const QSet<QString> &files) { return usedWaveIndex(files); });
    writing->job.restoredGlobal = m_doc.restoredGlobalFile();
    // The pad's next load finds its backups under the name its new global.ini
    // gives it. Noted on a thread of its own: a data folder that does not
    // answer holds the write to the pad no longer than the limit.
    writing->job.globalReplacing = [identity = m_backupIdentity, folder = m_backupFolder,
                                    leftovers = m_pad.leftovers(), disk = &m_pad.backupDisk(),
                                    silent = m_pad.silentFiles()](const QByteArray &global) {
        if (folder.isEmpty())
            return;
        const std::optional<QString> why = ztplatform::lookAtFileWithin<QString>(
                silent, QFileInfo(folder).path(), DATA_FOLDER_LIMIT_MS,
                [identity, global, folder, leftovers, disk]() {
                    QString failed;
                    return padbackup::keepFolderFor(*disk, identity, global, folder, &failed, leftovers) ? QString()
                                                                                                        : failed;
                },
                ztplatform::Waiter());
        if (!why || !why->isEmpty())
            qWarning().noquote() << "the backups of the sampler pad may not be found at its next load:"
                                 << why.value_or(QStringLiteral("the folder does not answer"));
    };

    // Waited on while each look at the pad returns within the limit of every
    // other look; given up on, it reaches the pad no more, and the pad's
    // journal ends what it began at the next load.
    JobDialog *progress = showPadProgress(WindowTexts::tr("Saving file..."), 5);
    QTimer moving; // the bar follows the write while it is waited on
    connect(&moving, &QTimer::timeout, progress, [progress, writing] { progress->move(writing->progress); });
    moving.start(WRITE_BACK_POLL_MS);
    const std::optional<writeback::WriteBackResult> done = m_pad.runOnPad<writeback::WriteBackResult>(
            [writing](const PadPace &pace) {
                writeback::WriteBackJob &job = writing->job;
                job.padRoot = pace.paced(job.padRoot);
                if (const auto replacing = job.globalReplacing) {
                    job.globalReplacing = [replacing, pace](const QByteArray &global) {
                        pace.beat(); // the data folder is no look at the pad
                        replacing(global);
                        pace.beat();
                    };
                }
                return writeback::writeBack(job, [writing, pace](int value) {
                    pace.beat();
                    writing->progress = value;
                });
            });
    moving.stop();
    progress->close();
    if (!done)
        return false;
    m_doc.takePadClose(writing->close);
    *result = *done;
    return true;
}

bool PadSyncController::dismountWhileAnswering()
{
    // The sync and the dismount's commands run on a thread of their own under
    // the close's progress dialog; a pad that stops answering, or a dismount
    // that has not returned within the limit of any look at the pad, is not
    // waited on.
    JobDialog *progress = showPadProgress(WindowTexts::tr("Saving file..."), 5);
    progress->move(4);
    const QString mountPoint = m_pad.currentDirPath();
    VolumeDismounter *dismounter = &m_pad.dismounter();
    const ztplatform::TimedLook<bool> run([dismounter, mountPoint]() { return dismounter->dismount(mountPoint); });
    std::optional<bool> done;
    if (!run.isStarted())
        done = dismounter->dismount(mountPoint);
    QElapsedTimer waited;
    waited.start();
    JobDialog::waitUntil([&](int ms) {
        return done || (done = run.waitFor(qMin(ms, WRITE_BACK_POLL_MS))) || !m_pad.padAnswering()
                || waited.elapsed() >= PadWatch::ANSWER_LIMIT_MS;
    }, false);
    progress->close();
    if (!done)
        qWarning().noquote() << "the pad at" << mountPoint << "was not dismounted within"
                             << PadWatch::ANSWER_LIMIT_MS << "ms";
    return done.value_or(false);
}

DeviceMessage PadSyncController::notAnsweringMessage()
{
    return DeviceMessage{WindowTexts::tr("Warning"),
                         WindowTexts::tr("The sampler pad does not answer. Korvanta reads nothing from it and writes "
                                         "nothing to it until it answers again; your edits are kept.")};
}

DeviceMessage PadSyncController::notAnsweringAtCloseMessage(bool writing)
{
    const QString first = writing ? WindowTexts::tr("The sampler pad stopped answering while the changes were "
                                                    "written to it; they may have reached it only in part.")
                                  : WindowTexts::tr("The sampler pad does not answer: nothing was saved to it.");
    return DeviceMessage{WindowTexts::tr("Error"),
                         first + QStringLiteral("\r\n")
                                 + WindowTexts::tr("Korvanta stays open without the sampler pad and keeps your "
                                                   "edits.")};
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

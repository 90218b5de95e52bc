// Loading the pad at start: sounds, metronome sounds, global settings and
// kits, under a progress dialog. The load only reads the pad; what an earlier
// run left cut short is put in order first, as a write of its own.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padkits.h"
#include "device/padloadreads.h"
#include "device/padpaths.h"
#include "device/padrecovery.h"
#include "device/padsounds.h"
#include "device/padtree.h"
#include "device/padwatch.h"
#include "device/waveprm.h"
#include "platform/removabledrives.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

// True when one of `links` is a global.ini.
bool namesGlobalIni(const QStringList &links)
{
    return std::any_of(links.cbegin(), links.cend(), [](const QString &l) {
        return QFileInfo(l).fileName().compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

JobDialog *PadSyncController::showPadProgress(const QString &label, int maximum)
{
    // A child of the window, so that its modality holds the window while a
    // batch lets events run; it is kept for the whole run.
    if (!m_usbDialog)
        m_usbDialog = JobDialog::stepBox(m_parent, WindowTexts::tr("Please wait..."), label);
    m_usbDialog->setLabelText(label);
    m_usbDialog->setRange(0, maximum);
    m_usbDialog->show();
    m_usbDialog->move(0);
    return m_usbDialog;
}

// Before the pad's sounds are read: a sound added or deleted, or a
// renumbering, that an earlier run left cut short is finished or undone on
// the pad, each write judged by a guard on the pad whose identity was just
// read; one box says what was done. False when the tree no longer passes its
// check afterwards, nothing when the pad stopped answering.
ztplatform::FolderAnchor PadSyncController::loadedRoot(const PadIdentity &loaded,
                                                      std::shared_ptr<PadGuard> *guard) const
{
    // A watch of the mount table of its own: the one read with `loaded` is
    // the guard's of the session.
    PadIdentity judged = loaded;
    judged.table.reset();
    ztplatform::FolderAnchor root = m_pad.padRoot();
    const auto check = std::make_shared<PadGuard>(m_pad.padPlaces(), judged);
    root.setCheck(check);
    if (guard)
        *guard = check;
    return root;
}

std::optional<bool> PadSyncController::putPadInOrder(PadIdentity &loaded)
{
    const ztplatform::FolderAnchor root = loadedRoot(loaded);
    const PadTreePaths tree = m_pad.tree();
    // The pad as it stands is backed up before anything is put in order on it.
    struct InOrder
    {
        PadRecovery recovery;
        bool backedUp = false;
        padbackup::Written backup;
    };
    const QString backupFolder = m_backupFolder;
    const QDateTime backupWhen = m_backupWhen;
    const QVector<padbackup::File> settings = m_backupSettings;
    // Its writes are waited on for as long as the pad's root answers; given
    // up on, they stop at their next step, and the next load goes on from there.
    const std::optional<InOrder> done = m_pad.runOnPad<InOrder>(
            [tree, padRoot = root, backupFolder, backupWhen, settings](const PadPace &pace) {
                const ztplatform::FolderAnchor root = pace.paced(padRoot);
                InOrder out;
                if (findPadLeftovers(tree, root).isEmpty())
                    return out;
                pace.beat();
                if (!backupFolder.isEmpty()) { // empty: the data folder did not answer, no backup this load
                    out.backedUp = true;
                    out.backup = padbackup::write(backupFolder, backupWhen, settings,
                                                  padbackup::readPrmRecords(root, tree));
                    pace.beat();
                }
                out.recovery = recoverPad(tree, root);
                return out;
            }, 0);
    if (!done)
        return std::nullopt;
    if (done->backedUp)
        backupTaken(done->backup);
    const PadRecovery *recovery = &done->recovery;
    tellDuringLoad(recovery->messages);
    if (!recovery->asideFrom.isEmpty()) { // told: the record takes the name its box gave it
        const std::optional<DeviceMessages> aside = m_pad.runOnPad<DeviceMessages>(
                [tree, root, told = *recovery](const PadPace &pace) {
                    DeviceMessages failed;
                    setRecordAside(tree, pace.paced(root), told, &failed);
                    return failed;
                });
        tellDuringLoad(aside ? *aside : DeviceMessages{recordAsideUnanswered(*recovery)});
    }
    if (!recovery->changed)
        return true;
    // Numbered folders may have emptied or filled: listed again. A finished
    // save may have replaced global.ini: the same mount and volume with it
    // is the pad loaded.
    struct Relisted
    {
        PadTreeRead read;
        PadIdentity now;
    };
    const PadPlaces places = m_pad.padPlaces();
    const std::optional<Relisted> again = m_pad.runOnPad<Relisted>(
            [root, tree, places](const PadPace &pace) {
                return Relisted{relistPadTree(root, tree, pace), readPadIdentity(places)};
            });
    if (!again)
        return std::nullopt;
    const std::optional<PadTreeRead> relisted = again->read;
    const PadMatch match = matchPad(loaded, again->now);
    if (again->now.mount == loaded.mount && (match.same() || match.verdict == PadMatch::OtherSettings))
        loaded = again->now;
    m_pad.takeTree(relisted->tree);
    if (!relisted->ok)
        m_usbDialog->hide(); // the refusal follows
    tellDuringLoad(relisted->warnings);
    return relisted->ok;
}

// Why the pad's sounds are not taken: none are left, or they were not read.
static DeviceMessage soundsRefusal(bool cleared)
{
    if (cleared)
        return {WindowTexts::tr("Error"), WindowTexts::tr("The sounds  of the sampler pad have been cleared. Entering "
                                                          "online mode is prohibited")};
    return {WindowTexts::tr("Error"), WindowTexts::tr("Import failed.")};
}

void PadSyncController::chooseDrive(const QString &path)
{
    if (path.isEmpty() || path == WindowTexts::tr("Device Unconnect(Default)")) {
        m_pad.chooseNoPad(path);
        m_loopFlag1 = 0;
        return;
    }
    m_doc.clearKits(); // the pad's kits replace them
    m_pad.beginLoad(path);

    auto refuse = [this](const QString &why = WindowTexts::tr("The current disk is not the sampler pad.")) {
        m_prompter.warning(m_parent, WindowTexts::tr("Error"), why, QMessageBox::Ok);
        m_pad.leaveDeviceMode();
        m_fileErrCloseWindow = true;
        m_loopFlag1 = 0;
    };

    // A drive that stopped answering since the chooser looked at it is not
    // waited on, nor one that stops while it is looked at.
    const std::shared_ptr<const DriveAsk> drives = m_pad.drives();
    const std::optional<ChosenDrive> drive = m_pad.runOnPad<ChosenDrive>(
            [drives, path, disk = &m_pad.disk()](const PadPace &pace) {
                drives->answers(path); // a root that is no folder holds no model folder
                pace.beat();
                return lookAtChosenDrive(path, pace, *disk);
            });
    if (!drive) {
        refuse(notAnsweringAtLoadText());
        return;
    }
    if (drive->rootHoldsFile || drive->modelFolder.isEmpty()) {
        refuse();
        return;
    }
    m_pad.anchorRoot(drive->root);
    loadPad(drive->modelFolder);
}

// Each step of the load reads the pad on a thread of its own while the
// progress dialog paints; the window takes what it read. A pad that stops
// answering ends the load as a refusal does.
void PadSyncController::loadPad(const QString &modelFolder)
{
    // What the pad holds is the start: no step.
    const editstep::Recorder::Paused loading(m_doc.recorder());
    JobDialog *progress = showPadProgress(WindowTexts::tr("The files are loading..."), 100);
    progress->move(1);
    std::optional<PadIdentity> loaded;
    DeviceMessages refusal = loadPadTree(modelFolder, &loaded);
    if (refusal.isEmpty())
        refusal = loadPadSounds(*loaded);
    if (refusal.isEmpty())
        refusal = loadPadSettings(*loaded);
    if (refusal.isEmpty())
        refusal = loadPadKits(*loaded);
    if (!refusal.isEmpty()) {
        // The links left out are named once: before a refusal or at the end.
        progress->close();
        showDeviceMessages(withLinksLeftOut(refusal));
        m_pad.leaveDeviceMode();
        m_fileErrCloseWindow = true;
        m_loopFlag1 = 0;
        return;
    }
    m_kitHeader.setNumberText(QStringLiteral("1"));
    m_mainPadPage.typeKitNumber(QStringLiteral("1"));
    m_kitPages.updateKitNo(1);
    m_doc.markAllSaved(m_kitPages.globalPage()); // an offline close after a failed close on the pad compares with this
    guardPad(*loaded);
    progress->move(100);
    progress->close();
    m_loopFlag1 = 0;
}

DeviceMessages PadSyncController::withLinksLeftOut(DeviceMessages messages) const
{
    if (!m_pad.padLinksLeftOut().isEmpty())
        messages.prepend(padtree::linksWarning(m_pad.padLinksLeftOut()));
    return messages;
}

void PadSyncController::tellDuringLoad(const DeviceMessages &messages)
{
    if (messages.isEmpty())
        return;
    const bool shown = m_usbDialog->isVisible();
    m_usbDialog->hide();
    showDeviceMessages(messages);
    if (shown)
        m_usbDialog->show();
}

DeviceMessages PadSyncController::loadPadTree(const QString &modelFolder, std::optional<PadIdentity> *loaded)
{
    const DeviceMessages silent{{WindowTexts::tr("Error"), notAnsweringAtLoadText()}};
    const DeviceMessages notPad{{WindowTexts::tr("Error"), WindowTexts::tr("The current disk is not the sampler pad.")}};
    // Both checks run so that both report; their boxes come without the dialog.
    const std::optional<PadTreeRead> tree = m_pad.runOnPad<PadTreeRead>(
            [root = m_pad.padRoot(), modelFolder](const PadPace &pace) { return readPadTree(root, modelFolder, pace); });
    if (!tree)
        return silent;
    m_pad.takeTree(tree->tree);
    m_usbDialog->move(10);
    if (!tree->ok)
        m_usbDialog->hide(); // the refusal follows
    tellDuringLoad(tree->warnings);
    if (!tree->ok)
        return notPad;
    const PadPlaces places = m_pad.padPlaces();
    *loaded = m_pad.runOnPad<PadIdentity>([places](const PadPace &) { return readPadIdentity(places); });
    if (!*loaded)
        return silent;
    // What the backup keeps of the pad as it stands, read before anything is written to it.
    const ztplatform::FolderAnchor root = m_pad.padRoot();
    const PadTreePaths read = m_pad.tree();
    const std::optional<QVector<padbackup::File>> settings = m_pad.runOnPad<QVector<padbackup::File>>(
            [root, read](const PadPace &) { return padbackup::readSettings(root, read); });
    if (!settings)
        return silent;
    keepPadAsLoaded(**loaded, *settings);
    // Nothing has been written to the pad before this point.
    const std::optional<bool> inOrder = putPadInOrder(**loaded);
    if (!inOrder)
        return silent;
    if (!*inOrder)
        return notPad;
    return {};
}

DeviceMessages PadSyncController::loadPadSounds(const PadIdentity &loaded)
{
    m_usbDialog->move(18);
    const QVector<QString> data = m_pad.tree().waveDataList, prm = m_pad.tree().wavePrmList;
    std::shared_ptr<PadGuard> guard;
    const ztplatform::FolderAnchor root = loadedRoot(loaded, &guard);
    // Read below the root the guard admits; then the pad's settings, read
    // again, must not be another pad's (a tree swapped on the same volume).
    // A pad gone is told by the read itself.
    const std::optional<PadSounds> sounds = m_pad.runOnPad<PadSounds>(
            [root, guard, data, prm, fence = m_pad.fence(), silent = m_pad.silentFiles()](const PadPace &pace) {
                const PadSounds read = readPadSounds(root, data, prm, [pace]() { pace.beat(); }, fence, silent);
                if (read.padChanged)
                    return read;
                return guard->check(true).another() ? padChangedWhileRead(false) : read;
            });
    if (!sounds)
        return {{WindowTexts::tr("Error"), notAnsweringAtLoadText()}};
    if (sounds->padChanged)
        return sounds->messages;
    m_pad.noteLinksLeftOut(sounds->linksLeftOut);
    if (!sounds->ok)
        return DeviceMessages(sounds->messages) << soundsRefusal(sounds->waveAttrList.isEmpty());
    // Nothing was written to the pad: the backup goes on its own thread,
    // from what the load read, and the first write waits for it.
    QVector<padbackup::File> records;
    records.reserve(sounds->prmRecords.size());
    m_padSoundNames.clear();
    for (const QPair<QString, QByteArray> &record : sounds->prmRecords) {
        records.append({record.first, record.second});
        // What tells a restore the sound now at a number from the one a backup knew there.
        const waveprm::PrmRecord rec = waveprm::parseRecord(record.second);
        if (rec.waveNo > 0 && !m_padSoundNames.contains(quint16(rec.waveNo - 1)))
            m_padSoundNames.insert(quint16(rec.waveNo - 1), rec.nameField);
    }
    backUpPad(records);
    m_soundLists.takeWaveAttrList(sounds->waveAttrList);
    m_library.loadPadSounds(sounds->waveLoadKitAttrList);
    emit soundListChanged();
    tellDuringLoad(sounds->messages);

    m_usbDialog->move(40);
    const std::optional<padtree::ClickFiles> clicks = readPadClicks(loaded);
    if (!clicks)
        return {{WindowTexts::tr("Error"), notAnsweringAtLoadText()}};
    if (clicks->padChanged)
        return padChangedWhileRead(clicks->padAway).messages;
    m_pad.takeClickFiles(*clicks);
    m_usbDialog->hide(); // the import may warn; the load goes on whatever it says
    importPadClicks();
    m_usbDialog->show();
    return {};
}

std::optional<padtree::ClickFiles> PadSyncController::readPadClicks(const PadIdentity &loaded)
{
    std::shared_ptr<PadGuard> guard;
    const ztplatform::FolderAnchor root = loadedRoot(loaded, &guard);
    const QString clickPath = m_pad.tree().sys_click_path;
    // Read below the root the guard admits, then checked as the sounds are.
    return m_pad.runOnPad<padtree::ClickFiles>(
            [root, guard, clickPath](const PadPace &pace) {
                padtree::ClickFiles read = padtree::readClickFiles(root, clickPath, [pace]() { pace.beat(); });
                read.padChanged = read.padChanged || guard->check(true).another();
                return read;
            });
}

DeviceMessages PadSyncController::loadPadSettings(const PadIdentity &loaded)
{
    const DeviceMessage notPad{WindowTexts::tr("Error"), WindowTexts::tr("The current disk is not the sampler pad.")};
    if (m_pad.tree().usbGlobalIniFile.isEmpty() && namesGlobalIni(m_pad.padLinksLeftOut()))
        return {notPad};
    const auto globalModel = std::make_shared<percussionpadfile>();
    // A missing global.ini is named where it belongs.
    const QString globalFile = m_pad.tree().usbGlobalIniFile.isEmpty()
            ? m_pad.tree().sysPath + QStringLiteral("/global.ini")
            : m_pad.tree().usbGlobalIniFile;
    std::shared_ptr<PadGuard> guard;
    const ztplatform::FolderAnchor root = loadedRoot(loaded, &guard);
    // Read below the root the guard admits, then checked as the sounds are.
    const std::optional<PadGlobal> global = m_pad.runOnPad<PadGlobal>(
            [root, guard, globalFile, globalModel](const PadPace &pace) {
                const PadGlobal read = readPadGlobal(root, globalFile, *globalModel, [pace]() { pace.beat(); });
                if (read.padChanged || !guard->check(true).another())
                    return read;
                PadGlobal changed;
                changed.padChanged = true;
                changed.messages = padChangedWhileRead(false).messages;
                return changed;
            });
    if (!global)
        return {{WindowTexts::tr("Error"), notAnsweringAtLoadText()}};
    if (!global->ok)
        return global->messages;
    m_doc.takeGlobalSize(global->globalSize);
    m_pad.takeLoadedChainBlock(global->chainBlock);
    m_pad.takeLoadedGlobalFile(global->fileBytes);
    m_kitPages.showVerAndGlobal1(globalModel.get());
    // The copy the close compares the chains with, whatever layout was read.
    m_doc.markChainsLoaded();
    return {};
}

DeviceMessages PadSyncController::loadPadKits(const PadIdentity &loaded)
{
    // What the reader is handed is its own: a load given up on keeps it.
    struct Reading
    {
        setupfiles::KitTables images;
        QVector<MainWindow1Records::soundKit> scratch;
    };
    const auto reading = std::make_shared<Reading>();
    reading->scratch = QVector<MainWindow1Records::soundKit>(m_doc.curKitAttr(), m_doc.curKitAttr() + KIT_MAX_COUNT);
    const QString kitPath = m_pad.tree().kitPath;
    const QVector<MainWindow1Records::SOUND_INDEX> waves = m_soundLists.waveAttrList();
    std::shared_ptr<PadGuard> guard;
    const ztplatform::FolderAnchor root = loadedRoot(loaded, &guard);
    // Read below the root the guard admits, then checked as the sounds are.
    const std::optional<PadKits> kits = m_pad.runOnPad<PadKits>(
            [root, guard, kitPath, waves, reading](const PadPace &pace) {
                setupfiles::KitTables &images = reading->images;
                const PadKits read = readPadKits(
                        root, kitPath, waves, reading->scratch.constData(),
                        KitRecordStorage{images.base.data(), images.pedal.data(), images.pad.get()},
                        [pace]() { pace.beat(); });
                if (read.padChanged)
                    return read;
                return guard->check(true).another() ? padKitsChanged(false) : read;
            });
    if (!kits)
        return {{WindowTexts::tr("Error"), notAnsweringAtLoadText()}};
    if (kits->padChanged)
        return kits->messages;
    m_pad.noteLinksLeftOut(kits->linksLeftOut);
    if (!kits->ok)
        return kits->messages;
    takePadKits(*kits, reading->images); // the pages show the kits
    m_usbDialog->move(88);
    tellDuringLoad(withLinksLeftOut(kits->messages));
    return {};
}

void PadSyncController::importPadClicks()
{
    m_library.expectPadClickSounds();
    m_soundLists.useOwnClickSounds(false);
    m_kitPages.resetClickList();
    m_soundLists.initClickItemModel();
    m_soundLists.importClickSounds();
    if (!m_pad.clickSkipped().isEmpty())
        showDeviceMessages({DeviceMessage{WindowTexts::tr("Warning"),
                                          WindowTexts::tr("These entries of the metronome folder are not files and "
                                                          "were skipped:")
                                                  + QStringLiteral("\r\n")
                                                  + m_pad.clickSkipped().join(QStringLiteral("\r\n"))}});
}

void PadSyncController::takePadKits(const PadKits &kits, const setupfiles::KitTables &images)
{
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.kits.size(); ++k)
        emit kitNameRead(kits.kits.at(k).kit_name, k);
    KitDocument::PadKitsRead read;
    read.kits = kits.kits;
    read.kitIndex = kits.kitIndex;
    read.nameAdjusted = kits.nameAdjusted;
    read.renamedKits = kits.renamedKits;
    read.base = images.base.data();
    read.pedal = images.pedal.data();
    read.pads = images.pad.get();
    m_doc.takePadKits(read);
    m_pad.takeLoadedKits(kits.kitFiles, kits.kitRecords);
}

void PadSyncController::guardPad(const PadIdentity &loaded)
{
    // From now on each write and each read below the pad's root first asks
    // whether the pad there is the one loaded; no sound is read once another
    // pad stood there.
    m_pad.padLoaded(loaded);
    m_pad.fence()->watchFolder(
            m_pad.padRoot(), m_parent,
            [this]() {
                const PadMatch match = padCheck(false);
                if (match.another())
                    showDeviceMessages({anotherPadMessage(match)});
                return !match.another();
            },
            [this]() { return m_pad.padAnswering(); });
}

void PadSyncController::showPadMode(PadSession::Mode mode)
{
    // The group tree takes files only while the pad's storage is not in use.
    m_soundLists.acceptGroupDrops();
    if (m_pad.isUDiskFlag()) {
        // The pad's progress dialogs go with it.
        if (m_usbDialog)
            m_usbDialog->hide();
        m_soundLists.hideDeleteProgress();
    }
    if (mode != PadSession::Mode::OnPad)
        return;
    // The pad loaded: the groups stay as they are, sounds come and go only on
    // the pad, for the rest of the run.
    m_soundLists.showOnPadLook();
}

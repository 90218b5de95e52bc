// Loading the pad at start: sounds, metronome sounds, global settings and
// kits, under a progress dialog. The load only reads the pad; what an earlier
// run left cut short is put in order first, as a write of its own.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "ui_mainwindow1.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padkits.h"
#include "device/padrecovery.h"
#include "device/padsounds.h"
#include "device/padtree.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardItemModel>

#include <algorithm>
#include <memory>

namespace {

void pumpEvents()
{
    QCoreApplication::processEvents();
}

// True when one of `links` is a global.ini.
bool namesGlobalIni(const QStringList &links)
{
    return std::any_of(links.cbegin(), links.cend(), [](const QString &l) {
        return QFileInfo(l).fileName().compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

QProgressDialog *PadSyncController::showPadProgress(const QString &label, int maximum)
{
    // A child of the window, so that its modality holds the window while a
    // batch lets events run; it is kept for the whole run.
    if (!m_usbDialog)
        m_usbDialog = new QProgressDialog(m_parent);
    m_usbDialog->setWindowModality(Qt::WindowModal);
    m_usbDialog->setWindowTitle(WindowTexts::tr("Please wait..."));
    m_usbDialog->setCancelButton(nullptr);
    m_usbDialog->setMinimumDuration(5);
    m_usbDialog->setLabelText(label);
    m_usbDialog->setRange(0, maximum);
    m_usbDialog->show();
    m_usbDialog->setValue(0);
    return m_usbDialog;
}

void PadSyncController::showDeviceMessages(const DeviceMessages &messages)
{
    for (const DeviceMessage &m : messages)
        UiPrompter::instance()->detailedBox(UiPrompter::Warning, m_parent, m.title, m.text, m.details);
}

// Before the pad's sounds are read: a sound added or deleted, or a
// renumbering, that an earlier run left cut short is finished or undone on
// the pad, each write judged by a guard on the pad whose identity was just
// read; one box says what was done. False when the tree no longer passes its
// check afterwards.
bool PadSyncController::putPadInOrder(const PadIdentity &loaded)
{
    if (findPadLeftovers(m_pad.tree(), m_pad.padRoot()).isEmpty())
        return true;
    // The pad as it stands is backed up before anything is put in order on it.
    backUpPad(padbackup::readPrmRecords(m_pad.padRoot(), m_pad.tree()), true);
    // A watch of the mount table of its own: the one read with `loaded` is
    // the guard's of the session.
    PadIdentity judged = loaded;
    judged.table.reset();
    ztplatform::FolderAnchor root = m_pad.padRoot();
    root.setCheck(std::make_shared<PadGuard>(m_pad.padPlaces(), judged));
    const PadRecovery recovery = recoverPad(m_pad.tree(), root);
    showDeviceMessages(recovery.messages);
    if (!recovery.changed)
        return true;
    // Numbered folders may have emptied or filled: listed again.
    return judgeFourFile();
}

// Why the pad's sounds are not taken: none are left, or they were not read.
static DeviceMessage soundsRefusal(bool cleared)
{
    if (cleared)
        return {WindowTexts::tr("Error"), WindowTexts::tr("The sounds  of the sampler pad have been cleared. Entering "
                                                          "online mode is prohibited")};
    return {WindowTexts::tr("Error"), WindowTexts::tr("Import failed.")};
}

void PadSyncController::loadPad(const QString &modelFolder)
{
    // What the pad holds is the start: no step.
    const editstep::Recorder::Paused loading(m_doc.recorder());
    QProgressDialog *progress = showPadProgress(WindowTexts::tr("The files are loading..."), 100);
    // Messages come without the dialog; a refusal ends the program.
    auto tell = [this, progress](const DeviceMessages &messages, bool goOn) {
        if (messages.isEmpty())
            return;
        progress->hide();
        showDeviceMessages(messages);
        if (goOn)
            progress->show();
    };
    // The links left out are named once: before a refusal or at the end.
    auto withLinks = [this](DeviceMessages messages) {
        if (!m_pad.padLinksLeftOut().isEmpty())
            messages.prepend(padtree::linksWarning(m_pad.padLinksLeftOut()));
        return messages;
    };
    auto refuse = [this, progress, &tell, &withLinks](const DeviceMessages &messages) {
        progress->close();
        tell(withLinks(messages), false);
        m_pad.leaveDeviceMode();
        m_fileErrCloseWindow = true;
        m_loopFlag1 = 0;
    };
    const DeviceMessage notPad{WindowTexts::tr("Error"), WindowTexts::tr("The current disk is not the sampler pad.")};
    progress->setValue(1);
    pumpEvents();

    // Both checks run so that both report; their boxes come without the dialog.
    progress->hide();
    const bool rootOk = getRootDirPath(modelFolder);
    progress->setValue(10);
    const bool filesOk = judgeFourFile();
    if (!rootOk || !filesOk)
        return refuse({notPad});
    const PadIdentity loaded = m_pad.currentPadIdentity();
    keepPadAsLoaded(loaded);
    if (!putPadInOrder(loaded))
        return refuse({notPad});
    progress->show();

    progress->setValue(18);
    const PadSounds sounds = readPadSounds(m_pad.waveDataList(), m_pad.wavePrmList(), pumpEvents);
    m_pad.noteLinksLeftOut(sounds.linksLeftOut);
    if (!sounds.ok) {
        DeviceMessages messages = sounds.messages;
        messages << soundsRefusal(sounds.waveAttrList.isEmpty());
        return refuse(messages);
    }
    // Nothing was written to the pad: the backup goes on its own thread,
    // from what the load read, and the first write waits for it.
    QVector<padbackup::File> prm;
    prm.reserve(sounds.prmRecords.size());
    for (const QPair<QString, QByteArray> &record : sounds.prmRecords)
        prm.append({record.first, record.second});
    backUpPad(prm, false);
    m_soundLists.takeWaveAttrList(sounds.waveAttrList);
    m_library.loadPadSounds(sounds.waveLoadKitAttrList);
    emit soundListChanged();
    tell(sounds.messages, true);

    progress->setValue(40);
    progress->hide(); // the import may warn; the load goes on whatever it says
    importPadClicks();
    progress->show();

    if (m_pad.usbGlobalIniFile().isEmpty() && namesGlobalIni(m_pad.padLinksLeftOut()))
        return refuse({notPad});
    std::unique_ptr<percussionpadfile> globalModel(new percussionpadfile);
    // A missing global.ini is named where it belongs.
    const QString globalFile = m_pad.usbGlobalIniFile().isEmpty()
            ? m_pad.sysPath() + QStringLiteral("/global.ini")
            : m_pad.usbGlobalIniFile();
    const PadGlobal global = readPadGlobal(globalFile, *globalModel);
    if (!global.ok)
        return refuse(global.messages);
    m_doc.takeGlobalSize(global.globalSize);
    m_pad.takeLoadedChainBlock(global.chainBlock);
    m_kitPages.showVerAndGlobal1(globalModel.get());
    // The copy the close compares the chains with, whatever layout was read.
    m_doc.markChainsLoaded();

    setupfiles::KitTables images;
    const PadKits kits =
            readPadKits(m_pad.kitPath(), m_soundLists.waveAttrList(), m_doc.curKitAttr(),
                        KitRecordStorage{images.base.data(), images.pedal.data(), images.pad.get()}, pumpEvents);
    m_pad.noteLinksLeftOut(kits.linksLeftOut);
    if (!kits.ok)
        return refuse(kits.messages);
    takePadKits(kits, images); // the pages show the kits

    progress->setValue(88);
    tell(withLinks(kits.messages), true);

    m_ui->kitNumber->setText(QStringLiteral("1"));
    m_mainPadPage.typeKitNumber(QStringLiteral("1"));
    m_kitPages.updateKitNo(1);
    m_doc.markAllSaved(m_kitPages.globalPage()); // an offline close after a failed close on the pad compares with this
    guardPad(loaded);
    progress->setValue(100);
    progress->close();
    m_loopFlag1 = 0;
}

void PadSyncController::importPadClicks()
{
    m_library.expectPadClickSounds();
    m_soundLists.useOwnClickSounds(false);
    m_ui->clickWaveTreeView->reset();
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
    ztplatform::watchFolder(
            m_pad.padRoot().path(), m_parent,
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
    m_ui->left_stackedSoundWidget->setAcceptDrops(m_pad.isUDiskFlag());
    if (m_pad.isUDiskFlag()) {
        // The pad's progress dialogs go with it.
        for (QProgressDialog *progress : {m_usbDialog, m_delDialog}) {
            if (progress)
                progress->hide();
        }
    }
    if (mode != PadSession::Mode::OnPad)
        return;
    // The pad loaded: the groups stay as they are, sounds come and go only on
    // the pad, for the rest of the run.
    m_ui->waveGroupTreeView->setEnabled(false);
    m_ui->waveGroupTreeView->setStyleSheet(QStringLiteral("background-color:   rgb(230, 230, 230);"));
    m_ui->widget_7->setEnabled(false);
    m_ui->widget_7->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250) "));
    m_ui->waveGroup_widget->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250);"));
    m_ui->orderWidget->hide();
    m_ui->rightwaveListIO->hide();
    m_ui->tbtAddWave->hide();
    m_ui->tbtDel->hide();
}

// Loading the pad at start: sounds, metronome sounds, global settings and
// kits, under a progress dialog. The load only reads the pad; what an earlier
// run left cut short is put in order first, as a write of its own.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/device/padpane.h"
#include "ui_mainwindow1.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padkits.h"
#include "device/padrecovery.h"
#include "device/padsounds.h"
#include "device/padtree.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

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

QProgressDialog *padpane::showPadProgress(MainWindow1 *w, const QString &label, int maximum)
{
    // A child of the window, so that its modality holds the window while a
    // batch lets events run; it is kept for the whole run.
    if (!w->usbDialog)
        w->usbDialog = new QProgressDialog(w);
    w->usbDialog->setWindowModality(Qt::WindowModal);
    w->usbDialog->setWindowTitle(MainWindow1::tr("Please wait..."));
    w->usbDialog->setCancelButton(nullptr);
    w->usbDialog->setMinimumDuration(5);
    w->usbDialog->setLabelText(label);
    w->usbDialog->setRange(0, maximum);
    w->usbDialog->show();
    w->usbDialog->setValue(0);
    return w->usbDialog;
}

void padpane::showDeviceMessages(MainWindow1 *w, const DeviceMessages &messages)
{
    for (const DeviceMessage &m : messages)
        UiPrompter::instance()->warning(w, m.title, m.text, QMessageBox::Ok);
}

// Before the pad's sounds are read: a sound added or deleted, or a
// renumbering, that an earlier run left cut short is finished or undone on
// the pad, each write judged by a guard on the pad whose identity was just
// read; one box says what was done. False when the tree no longer passes its
// check afterwards.
static bool putPadInOrder(MainWindow1 *w, const PadIdentity &loaded)
{
    if (findPadLeftovers(w->pad().tree()).isEmpty())
        return true;
    // A watch of the mount table of its own: the one read with `loaded` is
    // the guard's of the session.
    PadIdentity judged = loaded;
    judged.table.reset();
    ztplatform::FolderAnchor root = w->pad().padRoot();
    root.setCheck(std::make_shared<PadGuard>(w->pad().padPlaces(), judged));
    const PadRecovery recovery = recoverPad(w->pad().tree(), root);
    padpane::showDeviceMessages(w, recovery.messages);
    if (!recovery.changed)
        return true;
    // Numbered folders may have emptied or filled: listed again.
    return padpane::judgeFourFile(w);
}

// Why the pad's sounds are not taken: none are left, or they were not read.
static DeviceMessage soundsRefusal(bool cleared)
{
    if (cleared)
        return {MainWindow1::tr("Error"), MainWindow1::tr("The sounds  of the sampler pad have been cleared. Entering "
                                                          "online mode is prohibited")};
    return {MainWindow1::tr("Error"), MainWindow1::tr("Import failed.")};
}

void padpane::loadPad(MainWindow1 *w, const QString &modelFolder)
{
    QProgressDialog *progress = padpane::showPadProgress(w, MainWindow1::tr("The files are loading..."), 100);
    // Messages come without the dialog; a refusal ends the program.
    auto tell = [progress, w](const DeviceMessages &messages, bool goOn) {
        if (messages.isEmpty())
            return;
        progress->hide();
        padpane::showDeviceMessages(w, messages);
        if (goOn)
            progress->show();
    };
    // The links left out are named once: before a refusal or at the end.
    auto withLinks = [w](DeviceMessages messages) {
        if (!w->pad().padLinksLeftOut().isEmpty())
            messages.prepend(padtree::linksWarning(w->pad().padLinksLeftOut()));
        return messages;
    };
    auto refuse = [w, progress, &tell, &withLinks](const DeviceMessages &messages) {
        progress->close();
        tell(withLinks(messages), false);
        w->pad().leaveDeviceMode();
        w->fileErrCloseWindow = true;
        loopFlag1 = 0;
    };
    const DeviceMessage notPad{MainWindow1::tr("Error"), MainWindow1::tr("The current disk is not the sampler pad.")};
    progress->setValue(1);
    pumpEvents();

    // Both checks run so that both report; their boxes come without the dialog.
    progress->hide();
    const bool rootOk = padpane::getRootDirPath(w, modelFolder);
    progress->setValue(10);
    const bool filesOk = padpane::judgeFourFile(w);
    if (!rootOk || !filesOk)
        return refuse({notPad});
    const PadIdentity loaded = w->pad().currentPadIdentity();
    if (!putPadInOrder(w, loaded))
        return refuse({notPad});
    progress->show();

    progress->setValue(18);
    const PadSounds sounds = readPadSounds(w->pad().waveDataList(), w->pad().wavePrmList(), pumpEvents);
    w->pad().noteLinksLeftOut(sounds.linksLeftOut);
    if (!sounds.ok) {
        DeviceMessages messages = sounds.messages;
        messages << soundsRefusal(sounds.waveAttrList.isEmpty());
        return refuse(messages);
    }
    w->soundLists().takeWaveAttrList(sounds.waveAttrList);
    w->library().loadPadSounds(sounds.waveLoadKitAttrList);
    w->getRightSoundList();
    tell(sounds.messages, true);

    progress->setValue(40);
    progress->hide(); // the import may warn; the load goes on whatever it says
    padpane::importPadClicks(w);
    progress->show();

    if (w->pad().usbGlobalIniFile().isEmpty() && namesGlobalIni(w->pad().padLinksLeftOut()))
        return refuse({notPad});
    std::unique_ptr<percussionpadfile> globalModel(new percussionpadfile);
    // A missing global.ini is named where it belongs.
    const QString globalFile = w->pad().usbGlobalIniFile().isEmpty()
            ? w->pad().sysPath() + QStringLiteral("/global.ini")
            : w->pad().usbGlobalIniFile();
    const PadGlobal global = readPadGlobal(globalFile, *globalModel);
    if (!global.ok)
        return refuse(global.messages);
    w->doc().takeGlobalSize(global.globalSize);
    w->pad().takeLoadedChainBlock(global.chainBlock);
    w->showVerAndGlobal1(globalModel.get());
    // The copy the close compares the chains with, whatever layout was read.
    w->doc().markChainsLoaded();

    setupfiles::KitTables images;
    const PadKits kits =
            readPadKits(w->pad().kitPath(), w->soundLists().waveAttrList(), w->doc().curKitAttr(),
                        KitRecordStorage{images.base.data(), images.pedal.data(), images.pad.get()}, pumpEvents);
    w->pad().noteLinksLeftOut(kits.linksLeftOut);
    if (!kits.ok)
        return refuse(kits.messages);
    padpane::takePadKits(w, kits, images); // the pages show the kits

    progress->setValue(88);
    tell(withLinks(kits.messages), true);

    w->ui->kitNumber->setText(QStringLiteral("1"));
    w->on_kitNumber_textEdited(QStringLiteral("1"));
    w->updateKitNo(1);
    w->doc().markAllSaved(w->globalPage()); // an offline close after a failed close on the pad compares with this
    padpane::guardPad(w, loaded);
    progress->setValue(100);
    progress->close();
    loopFlag1 = 0;
}

void padpane::importPadClicks(MainWindow1 *w)
{
    w->library().expectPadClickSounds();
    w->soundLists().useOwnClickSounds(false);
    w->ui->clickWaveTreeView->reset();
    w->initClickItemModel();
    w->on_btnImportClickWave_clicked();
    if (!w->pad().clickSkipped().isEmpty())
        padpane::showDeviceMessages(
                w, {DeviceMessage{MainWindow1::tr("Warning"),
                                  MainWindow1::tr("These entries of the metronome folder are not files and were "
                                                  "skipped:")
                                          + QStringLiteral("\r\n")
                                          + w->pad().clickSkipped().join(QStringLiteral("\r\n"))}});
}

void padpane::takePadKits(MainWindow1 *w, const PadKits &kits, const setupfiles::KitTables &images)
{
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.kits.size(); ++k)
        emit w->sendKitNameChanged(kits.kits.at(k).kit_name, k);
    KitDocument::PadKitsRead read;
    read.kits = kits.kits;
    read.kitIndex = kits.kitIndex;
    read.nameAdjusted = kits.nameAdjusted;
    read.renamedKits = kits.renamedKits;
    read.base = images.base.data();
    read.pedal = images.pedal.data();
    read.pads = images.pad.get();
    w->doc().takePadKits(read);
    w->pad().takeLoadedKits(kits.kitFiles, kits.kitRecords);
}

void padpane::guardPad(MainWindow1 *w, const PadIdentity &loaded)
{
    // From now on each write and each read below the pad's root first asks
    // whether the pad there is the one loaded; no sound is read once another
    // pad stood there.
    w->pad().padLoaded(loaded);
    ztplatform::watchFolder(w->pad().padRoot().path(), w, [w]() {
        const PadMatch match = padpane::padCheck(w, false);
        if (match.another())
            padpane::showDeviceMessages(w, {anotherPadMessage(match)});
        return !match.another();
    });
}

void padpane::showPadMode(MainWindow1 *w, PadSession::Mode mode)
{
    // The group tree takes files only while the pad's storage is not in use.
    w->ui->left_stackedSoundWidget->setAcceptDrops(w->pad().isUDiskFlag());
    if (w->pad().isUDiskFlag()) {
        // The pad's progress dialogs go with it.
        for (QProgressDialog *progress : {w->usbDialog, w->delDialog}) {
            if (progress)
                progress->hide();
        }
    }
    if (mode != PadSession::Mode::OnPad)
        return;
    // The pad loaded: the groups stay as they are, sounds come and go only on
    // the pad, for the rest of the run.
    w->ui->waveGroupTreeView->setEnabled(false);
    w->ui->waveGroupTreeView->setStyleSheet(QStringLiteral("background-color:   rgb(230, 230, 230);"));
    w->ui->widget_7->setEnabled(false);
    w->ui->widget_7->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250) "));
    w->ui->waveGroup_widget->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250);"));
    w->ui->orderWidget->hide();
    w->ui->rightwaveListIO->hide();
    w->ui->tbtAddWave->hide();
    w->ui->tbtDel->hide();
}

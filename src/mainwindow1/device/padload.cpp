// Loading the pad at start: sounds, metronome sounds, global settings and
// kits, under a progress dialog. A load only reads the pad.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "device/padkits.h"
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

// One total-list row and its hi-hat mirror per sound read from the pad.
void appendPadRows(QStandardItem *total, QStandardItem *hh, const QVector<MainWindow1::SOUND_INDEX> &sounds)
{
    const QIcon lockIcon(QStringLiteral(":/images/lock.png"));
    for (const MainWindow1::SOUND_INDEX &s : sounds) {
        const QString name = MainWindow1::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        auto *number = new QStandardItem(s.wave_lock == 0 ? lockIcon : QIcon(), QString::number(s.wave_No));
        number->setEditable(false);
        auto *nameCell = new QStandardItem(name);
        nameCell->setEditable(false);
        total->appendRow({number, nameCell, new QStandardItem(s.file)});
        if (hh)
            hh->appendRow({new QStandardItem(name), new QStandardItem(s.file)});
    }
}

// True when one of `links` is a global.ini.
bool namesGlobalIni(const QStringList &links)
{
    return std::any_of(links.cbegin(), links.cend(), [](const QString &l) {
        return QFileInfo(l).fileName().compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

QProgressDialog *MainWindow1::showPadProgress(const QString &label, int maximum)
{
    // A child of the window, so that its modality holds the window while a
    // batch lets events run; it is kept for the whole run.
    if (!usbDialog)
        usbDialog = new QProgressDialog(this);
    usbDialog->setWindowModality(Qt::WindowModal);
    usbDialog->setWindowTitle(tr("Please wait..."));
    usbDialog->setCancelButton(nullptr);
    usbDialog->setMinimumDuration(5);
    usbDialog->setLabelText(label);
    usbDialog->setRange(0, maximum);
    usbDialog->show();
    usbDialog->setValue(0);
    return usbDialog;
}

void MainWindow1::showDeviceMessages(const DeviceMessages &messages)
{
    for (const DeviceMessage &m : messages)
        UiPrompter::instance()->warning(this, m.title, m.text, QMessageBox::Ok);
}

void MainWindow1::loadPad(const QString &modelFolder)
{
    QProgressDialog *progress = showPadProgress(tr("The files are loading..."), 100);
    // Messages come without the dialog; a refusal ends the program.
    auto tell = [progress, this](const DeviceMessages &messages, bool goOn) {
        if (messages.isEmpty())
            return;
        progress->hide();
        showDeviceMessages(messages);
        if (goOn)
            progress->show();
    };
    // The links left out are named once: before a refusal or at the end.
    pad().padLinksLeftOut.clear();
    auto withLinks = [this](DeviceMessages messages) {
        if (!pad().padLinksLeftOut.isEmpty())
            messages.prepend(padtree::linksWarning(pad().padLinksLeftOut));
        return messages;
    };
    auto refuse = [this, progress, &tell, &withLinks](const DeviceMessages &messages) {
        progress->close();
        tell(withLinks(messages), false);
        pad().isUDiskFlag = true;
        fileErrCloseWindow = true;
        loopFlag1 = 0;
    };
    const DeviceMessage notPad{tr("Error"), tr("The current disk is not the sampler pad.")};
    progress->setValue(1);
    pumpEvents();

    // Both checks run so that both report; their boxes come without the dialog.
    progress->hide();
    const bool rootOk = getRootDirPath(modelFolder);
    progress->setValue(10);
    const bool filesOk = judgeFourFile();
    if (!rootOk || !filesOk)
        return refuse({notPad});
    const PadIdentity loaded = pad().currentPadIdentity();
    progress->show();

    progress->setValue(18);
    const PadSounds sounds = readPadSounds(pad().waveDataList, pad().wavePrmList, pumpEvents);
    pad().padLinksLeftOut << sounds.linksLeftOut;
    if (!sounds.ok) {
        DeviceMessages messages = sounds.messages;
        if (sounds.waveAttrList.isEmpty())
            messages << DeviceMessage{tr("Error"), tr("The sounds  of the sampler pad have been cleared. Entering "
                                                      "online mode is prohibited")};
        else
            messages << DeviceMessage{tr("Error"), tr("Import failed.")};
        return refuse(messages);
    }
    waveAttrList = sounds.waveAttrList;
    library().waveLoadKitAttrList = sounds.waveLoadKitAttrList;
    appendPadRows(library().totalGroup, library().hhGroup, library().waveLoadKitAttrList);
    getRightSoundList();
    tell(sounds.messages, true);

    progress->setValue(40);
    progress->hide(); // the import may warn; the load goes on whatever it says
    importPadClicks();
    progress->show();

    if (pad().usbGlobalIniFile.isEmpty() && namesGlobalIni(pad().padLinksLeftOut))
        return refuse({notPad});
    std::unique_ptr<percussionpadfile> globalModel(new percussionpadfile);
    const PadGlobal global = readPadGlobal(pad().usbGlobalIniFile, *globalModel);
    if (!global.ok)
        return refuse(global.messages);
    doc().globalSize = global.globalSize;
    pad().padChainBlock = global.chainBlock;
    showVerAndGlobal1(globalModel.get());
    // The copy the close compares the chains with, whatever layout was read.
    doc().originalKitChainList = doc().kitChainList;

    const PadKits kits = readPadKits(pad().kitPath, waveAttrList, doc().curKitAttr, KitRecordStorage{doc().base0, doc().pedal0, doc().pad0},
                                     pumpEvents);
    pad().padLinksLeftOut << kits.linksLeftOut;
    if (!kits.ok)
        return refuse(kits.messages);
    takePadKits(kits);

    progress->setValue(88);
    for (int k = 0; k < doc().kitAttrList.size(); ++k) {
        for (quint8 slot = 0; slot < HH_NUM_MAX; ++slot)
            disHHList(&doc().kitAttrList[k], quint8(k), slot);
        dispPadList(doc().kitAttrList, quint8(k));
    }
    tell(withLinks(kits.messages), true);

    ui->kitNumber->setText(QStringLiteral("1"));
    on_kitNumber_textEdited(QStringLiteral("1"));
    updateKitNo(1);
    doc().markAllSaved(globalPage()); // an offline close after a failed close on the pad compares with this
    guardPad(loaded);
    progress->setValue(100);
    progress->close();
    showDeviceModeLook();
    loopFlag1 = 0;
}

void MainWindow1::importPadClicks()
{
    library().clickList.clear();
    library().clickDeviceFlag = true;
    userFlag = false;
    if (library().clickListItemModel)
        library().clickListItemModel->clear();
    ui->clickWaveTreeView->reset();
    initClickItemModel();
    on_btnImportClickWave_clicked();
}

void MainWindow1::takePadKits(const PadKits &kits)
{
    doc().kitAttrList.clear();
    doc().originalKitAttrList.clear();
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.kits.size(); ++k) {
        const soundKit &kit = kits.kits.at(k);
        doc().curKitAttr[k] = kit;
        emit sendKitNameChanged(kit.kit_name, k);
        if (k < doc().kitIndexList.size())
            doc().kitIndexList[k] = kits.kitIndex.value(k);
        doc().kitPadList[k].resize(PAD_NUM_MAX);
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            doc().kitPadList[k][p] = kit.kpadChunk[p];
        storeKitMemories(kit, doc().kitEffectList1[k], doc().kitEffectList2[k], doc().kitEffectList3[k],
                         doc().kitEffectList4[k], doc().kitLinkList[k]);
        doc().kitAttrList.append(kit);
        doc().originalKitAttrList.append(kit);
        if (kits.nameAdjusted.value(k) && k < doc().kitNumFlagList1.size())
            doc().kitNumFlagList1[k] = 1;
    }
    doc().kitMaxList = kits.renamedKits;
    pad().padKitFiles = kits.kitFiles;
    pad().padKitRecords = kits.kitRecords;
}

void MainWindow1::guardPad(const PadIdentity &loaded)
{
    // From now on each write and each read below the pad's root first asks
    // whether the pad there is the one loaded; no sound is read once another
    // pad stood there.
    pad().guardPad(loaded);
    ztplatform::watchFolder(pad().padRoot.path(), this, [this]() {
        const PadMatch match = padCheck(false);
        if (match.another())
            showDeviceMessages({anotherPadMessage(match)});
        return !match.another();
    });
}

void MainWindow1::showDeviceModeLook()
{
    // Device mode: the groups stay as they are, sounds come and go only on the pad.
    ui->waveGroupTreeView->setEnabled(false);
    ui->waveGroupTreeView->setStyleSheet(QStringLiteral("background-color:   rgb(230, 230, 230);"));
    ui->widget_7->setEnabled(false);
    ui->widget_7->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250) "));
    ui->waveGroup_widget->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250);"));
    ui->orderWidget->hide();
    ui->rightwaveListIO->hide();
    ui->tbtAddWave->hide();
    ui->tbtDel->hide();
}

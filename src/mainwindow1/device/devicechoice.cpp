#include "mainwindow1/mainwindow1.h"

#include "device/padtree.h"
#include "device/writeback.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QFileInfo>
#include <QProgressDialog>

void MainWindow1::recvFilePath(QString path)
{
    currentDirPath = path;
    if (path.isEmpty() || path == tr("Device Unconnect(Default)")) {
        isUDiskFlag = true;
        loopFlag1 = 0;
        return;
    }
    kitAttrList.clear();
    kitMaxList.clear();
    isUDiskFlag = false;

    auto refuse = [this]() {
        UiPrompter::instance()->warning(this, tr("Error"), tr("The current disk is not the sampler pad."),
                                        QMessageBox::Ok);
        isUDiskFlag = true;
        fileErrCloseWindow = true;
        loopFlag1 = 0;
    };

    // The root may hold nothing but the model folder.
    const QFileInfoList rootEntries = padtree::listEntries(path, false);
    for (const QFileInfo &fi : rootEntries) {
        if (fi.isFile()) {
            refuse();
            return;
        }
    }
    // A linked model folder would lead out of the drive.
    const QString modelFolder = padtree::findModelFolder(path);
    if (modelFolder.isEmpty() || !QFileInfo(modelFolder).isDir() || QFileInfo(modelFolder).isSymLink()) {
        refuse();
        return;
    }
    padRoot = ztplatform::FolderAnchor::record(path);
    loadPad(QFileInfo(modelFolder).canonicalFilePath());
}

bool MainWindow1::getRootDirPath(QString path)
{
    PadTreePaths tree;
    DeviceMessage warning;
    const bool ok = padtree::getRootDirPath(path, tree, &warning);
    if (!ok)
        showDeviceMessages({warning});
    kitPath = tree.kitPath;
    sysPath = tree.sysPath;
    dataPath = tree.dataPath;
    prmPath = tree.prmPath;
    padLinksLeftOut << tree.linksLeftOut;
    return ok;
}

bool MainWindow1::judgeFourFile()
{
    PadTreePaths tree;
    tree.kitPath = kitPath;
    tree.sysPath = sysPath;
    tree.dataPath = dataPath;
    tree.prmPath = prmPath;
    tree.sys_click_path = sys_click_path;
    tree.usbGlobalIniFile = usbGlobalIniFile;
    tree.waveDataList = waveDataList;
    tree.wavePrmList = wavePrmList;
    DeviceMessage warning;
    const bool ok = padtree::judgeFourFile(tree, &warning);
    if (!ok)
        showDeviceMessages({warning});
    sys_click_path = tree.sys_click_path;
    usbGlobalIniFile = tree.usbGlobalIniFile;
    waveDataList = tree.waveDataList;
    wavePrmList = tree.wavePrmList;
    padLinksLeftOut << tree.linksLeftOut;
    return ok;
}

PadPlaces MainWindow1::padPlaces() const
{
    return PadPlaces{currentDirPath, sys_click_path, usbGlobalIniFile, padKitFiles};
}

void MainWindow1::padLost()
{
    qWarning() << "the pad at" << currentDirPath << "is not the one loaded";
    // Its sounds are not taken for the loaded pad's, by any later read.
    ztplatform::fenceFolder(padRoot.path());
    for (QProgressDialog *progress : {usbDialog, delDialog}) {
        if (progress)
            progress->hide();
    }
    isUDiskFlag = true;
}

PadMatch MainWindow1::padCheck(bool settingsToo)
{
    const PadMatch match = padGuard ? padGuard->check(settingsToo) : PadMatch();
    if (match.another())
        padLost();
    return match;
}

bool MainWindow1::padStillLoaded()
{
    const PadMatch match = padCheck(true);
    if (match.another())
        showDeviceMessages({anotherPadMessage(match)});
    else if (!match.same())
        showDeviceMessages({DeviceMessage{tr("Error"), writeback::padStopText(writeback::PadStop::Gone)}});
    return match.same();
}

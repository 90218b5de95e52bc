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
    pad().currentDirPath = path;
    if (path.isEmpty() || path == tr("Device Unconnect(Default)")) {
        pad().isUDiskFlag = true;
        loopFlag1 = 0;
        return;
    }
    kitAttrList.clear();
    kitMaxList.clear();
    pad().isUDiskFlag = false;

    auto refuse = [this]() {
        UiPrompter::instance()->warning(this, tr("Error"), tr("The current disk is not the sampler pad."),
                                        QMessageBox::Ok);
        pad().isUDiskFlag = true;
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
    pad().padRoot = ztplatform::FolderAnchor::record(path);
    loadPad(QFileInfo(modelFolder).canonicalFilePath());
}

bool MainWindow1::getRootDirPath(QString path)
{
    PadTreePaths tree;
    DeviceMessage warning;
    const bool ok = padtree::getRootDirPath(path, tree, &warning);
    if (!ok)
        showDeviceMessages({warning});
    pad().kitPath = tree.kitPath;
    pad().sysPath = tree.sysPath;
    pad().dataPath = tree.dataPath;
    pad().prmPath = tree.prmPath;
    pad().padLinksLeftOut << tree.linksLeftOut;
    return ok;
}

bool MainWindow1::judgeFourFile()
{
    PadTreePaths tree;
    tree.kitPath = pad().kitPath;
    tree.sysPath = pad().sysPath;
    tree.dataPath = pad().dataPath;
    tree.prmPath = pad().prmPath;
    tree.sys_click_path = pad().sys_click_path;
    tree.usbGlobalIniFile = pad().usbGlobalIniFile;
    tree.waveDataList = pad().waveDataList;
    tree.wavePrmList = pad().wavePrmList;
    DeviceMessage warning;
    const bool ok = padtree::judgeFourFile(tree, &warning);
    if (!ok)
        showDeviceMessages({warning});
    pad().sys_click_path = tree.sys_click_path;
    pad().usbGlobalIniFile = tree.usbGlobalIniFile;
    pad().waveDataList = tree.waveDataList;
    pad().wavePrmList = tree.wavePrmList;
    pad().padLinksLeftOut << tree.linksLeftOut;
    return ok;
}

PadPlaces MainWindow1::padPlaces() const
{
    return PadPlaces{pad().currentDirPath, pad().sys_click_path, pad().usbGlobalIniFile, pad().padKitFiles};
}

void MainWindow1::padLost()
{
    qWarning() << "the pad at" << pad().currentDirPath << "is not the one loaded";
    // Its sounds are not taken for the loaded pad's, by any later read.
    ztplatform::fenceFolder(pad().padRoot.path());
    for (QProgressDialog *progress : {usbDialog, delDialog}) {
        if (progress)
            progress->hide();
    }
    pad().isUDiskFlag = true;
}

PadMatch MainWindow1::padCheck(bool settingsToo)
{
    const PadMatch match = pad().padGuard ? pad().padGuard->check(settingsToo) : PadMatch();
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

#include "mainwindow1/mainwindow1.h"

#include "device/padpaths.h"
#include "device/writeback.h"
#include "widgets/dialogs/uiprompter.h"

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
    doc().kitAttrList.clear();
    doc().kitMaxList.clear();
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
    DeviceMessage warning;
    const bool ok = pad().getRootDirPath(path, &warning);
    if (!ok)
        showDeviceMessages({warning});
    return ok;
}

bool MainWindow1::judgeFourFile()
{
    DeviceMessage warning;
    const bool ok = pad().judgeFourFile(&warning);
    if (!ok)
        showDeviceMessages({warning});
    return ok;
}

void MainWindow1::padLost()
{
    pad().padLost();
    for (QProgressDialog *progress : {usbDialog, delDialog}) {
        if (progress)
            progress->hide();
    }
}

PadMatch MainWindow1::padCheck(bool settingsToo)
{
    const PadMatch match = pad().padCheck(settingsToo);
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

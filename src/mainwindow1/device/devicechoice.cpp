#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padpaths.h"
#include "device/writeback.h"
#include "widgets/dialogs/uiprompter.h"

#include <QFileInfo>
#include <QProgressDialog>

void MainWindow1::recvFilePath(QString path)
{
    if (path.isEmpty() || path == tr("Device Unconnect(Default)")) {
        pad().chooseNoPad(path);
        loopFlag1 = 0;
        return;
    }
    doc().kitAttrList.clear();
    doc().kitMaxList.clear();
    pad().beginLoad(path);

    auto refuse = [this]() {
        UiPrompter::instance()->warning(this, tr("Error"), tr("The current disk is not the sampler pad."),
                                        QMessageBox::Ok);
        pad().leaveDeviceMode();
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
    pad().anchorRoot();
    padpane::loadPad(this, QFileInfo(modelFolder).canonicalFilePath());
}

bool padpane::getRootDirPath(MainWindow1 *w, QString path)
{
    DeviceMessage warning;
    const bool ok = w->pad().getRootDirPath(path, &warning);
    if (!ok)
        padpane::showDeviceMessages(w, {warning});
    return ok;
}

bool padpane::judgeFourFile(MainWindow1 *w)
{
    DeviceMessage warning;
    const bool ok = w->pad().judgeFourFile(&warning);
    if (!ok)
        padpane::showDeviceMessages(w, {warning});
    return ok;
}

PadMatch padpane::padCheck(MainWindow1 *w, bool settingsToo)
{
    const PadMatch match = w->pad().padCheck(settingsToo);
    if (match.another())
        w->pad().padLost();
    return match;
}

bool padpane::padStillLoaded(MainWindow1 *w)
{
    const PadMatch match = padpane::padCheck(w, true);
    if (match.another())
        padpane::showDeviceMessages(w, {anotherPadMessage(match)});
    else if (!match.same())
        padpane::showDeviceMessages(
                w, {DeviceMessage{MainWindow1::tr("Error"), writeback::padStopText(writeback::PadStop::Gone)}});
    return match.same();
}

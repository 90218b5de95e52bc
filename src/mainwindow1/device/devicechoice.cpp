#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padpaths.h"
#include "device/padwatch.h"
#include "device/writeback.h"
#include "platform/removabledrives.h"
#include "platform/timedlook.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"

#include <QFileInfo>
#include <QProgressDialog>

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
        UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Error"), why, QMessageBox::Ok);
        m_pad.leaveDeviceMode();
        m_fileErrCloseWindow = true;
        m_loopFlag1 = 0;
    };

    // A drive that stopped answering since the chooser looked at it is not
    // waited on.
    if (!ztplatform::lookWithin<bool>(PadWatch::ANSWER_LIMIT_MS, [path]() { return ztplatform::driveAnswers(path); })) {
        refuse(WindowTexts::tr("The drive does not answer: %1").arg(path));
        return;
    }
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
    m_pad.anchorRoot();
    loadPad(QFileInfo(modelFolder).canonicalFilePath());
}

bool PadSyncController::getRootDirPath(const QString &path)
{
    DeviceMessage warning;
    const bool ok = m_pad.getRootDirPath(path, &warning);
    if (!ok)
        showDeviceMessages({warning});
    return ok;
}

bool PadSyncController::judgeFourFile()
{
    DeviceMessage warning;
    const bool ok = m_pad.judgeFourFile(&warning);
    if (!ok)
        showDeviceMessages({warning});
    return ok;
}

PadMatch PadSyncController::padCheck(bool settingsToo)
{
    const PadMatch match = m_pad.padCheck(settingsToo);
    if (match.another())
        m_pad.padLost();
    return match;
}

bool PadSyncController::padStillLoaded()
{
    const PadMatch match = padCheck(true);
    if (match.another())
        showDeviceMessages({anotherPadMessage(match)});
    else if (!match.same())
        showDeviceMessages({DeviceMessage{WindowTexts::tr("Error"), writeback::padStopText(writeback::PadStop::Gone)}});
    return match.same();
}

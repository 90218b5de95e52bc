#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/padloadreads.h"
#include "device/padwatch.h"
#include "device/writeback.h"
#include "platform/removabledrives.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"

#include <QCoreApplication>
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
    // waited on, nor one that stops while it is looked at.
    const std::optional<ChosenDrive> drive = m_pad.runOnPad<ChosenDrive>(
            [path](const PadPace &pace) {
                ztplatform::driveAnswers(path); // a root that is no folder holds no model folder
                pace.beat();
                return lookAtChosenDrive(path, pace);
            },
            [] { QCoreApplication::processEvents(); });
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

QString PadSyncController::notAnsweringAtLoadText() const
{
    return WindowTexts::tr("The drive does not answer: %1").arg(m_pad.currentDirPath());
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

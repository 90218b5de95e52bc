#include "mainwindow1/windowtexts.h"
#include "mainwindow1/device/padsynccontroller.h"

#include "device/devicemessage.h"
#include "device/padidentity.h"
#include "device/writeback.h"
#include "widgets/dialogs/uiprompter.h"
#include "device/padsession.h"
#include "widgets/jobdialog.h"

QString PadSyncController::notAnsweringAtLoadText() const
{
    return WindowTexts::tr("The drive does not answer: %1").arg(m_pad.currentDirPath());
}

PadMatch PadSyncController::padCheck(bool settingsToo)
{
    const JobDialog::CloseHold checking; // the window paints while the pad is read
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

void PadSyncController::showDeviceMessages(const DeviceMessages &messages)
{
    for (const DeviceMessage &m : messages)
        m_prompter.detailedBox(UiPrompter::Warning, m_parent, m.title, m.text, m.details);
}

#include "mainwindow1/device/padsynccontroller.h"

#include "device/syncbatch.h"
#include "device/padsession.h"
#include "widgets/jobdialog.h"

PadSyncController::PadSyncController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                     SoundListsController &soundLists, KitPagesController &kitPages,
                                     MainPadPageController &mainPadPage, KitHeaderController &kitHeader,
                                     QWidget *parent, UiPrompter &prompter)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_soundLists(soundLists)
    , m_kitPages(kitPages)
    , m_mainPadPage(mainPadPage)
    , m_kitHeader(kitHeader)
    , m_parent(parent)
    , m_prompter(prompter)
{
    m_pad.useWaiter(JobDialog::waiter(false));
    // The close tells it in its own box.
    connect(&m_pad, &PadSession::padNotAnswering, this, [this]() {
        if (m_pad.padClosing() || m_renumbering)
            return; // told in their own boxes
        if (m_syncBatch && m_syncBatch->isRunning())
            abandonBatch();
        else
            showDeviceMessages({notAnsweringMessage()});
    });
}

// The progress dialog goes before the window's widgets.
PadSyncController::~PadSyncController()
{
    delete m_usbDialog;
    // Workers that wait on a pad that does not answer may never return: their
    // batch is not waited for.
    if (m_syncBatch && m_syncBatch->isRunning() && m_batchAbandoned)
        m_syncBatch->setParent(nullptr);
}

#include "mainwindow1/device/padsynccontroller.h"

#include <QProgressDialog>

PadSyncController::PadSyncController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                     SoundListsController &soundLists, KitPagesController &kitPages,
                                     MainPadPageController &mainPadPage, Ui::MainWindow1 *ui, QWidget *parent)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_soundLists(soundLists)
    , m_kitPages(kitPages)
    , m_mainPadPage(mainPadPage)
    , m_ui(ui)
    , m_parent(parent)
{
}

// The progress dialog goes before the window's widgets.
PadSyncController::~PadSyncController()
{
    delete m_usbDialog;
}

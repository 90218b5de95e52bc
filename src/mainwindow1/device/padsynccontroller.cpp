#include "mainwindow1/device/padsynccontroller.h"

#include <QProgressDialog>

PadSyncController::PadSyncController(KitDocument &doc, SoundLibrary &library, PadSession &pad, Ui::MainWindow1 *ui,
                                     QWidget *parent, MainWindow1 &window)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_ui(ui)
    , m_parent(parent)
    , m_window(window)
{
}

// The progress dialog goes before the window's widgets.
PadSyncController::~PadSyncController()
{
    delete m_usbDialog;
}

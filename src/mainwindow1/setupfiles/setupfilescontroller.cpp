#include "mainwindow1/setupfiles/setupfilescontroller.h"

SetupFilesController::SetupFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           Ui::MainWindow1 *ui, QWidget *parent, MainWindow1 &window)
    : m_doc(doc), m_library(library), m_pad(pad), m_ui(ui), m_parent(parent), m_window(window)
{
}

#include "mainwindow1/library/soundfilescontroller.h"

SoundFilesController::SoundFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           Ui::MainWindow1 *ui, QWidget *parent, PreviewController &preview)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , ui(ui)
    , m_parent(parent)
    , m_preview(preview)
{
}

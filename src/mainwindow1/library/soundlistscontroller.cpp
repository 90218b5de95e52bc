#include "mainwindow1/library/soundlistscontroller.h"

SoundListsController::SoundListsController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           Ui::MainWindow1 *ui, QWidget *parent, PreviewController &preview,
                                           SoundFilesController &files)
    : QObject(nullptr)
    , m_doc(doc)
    , m_lib(library)
    , m_pad(pad)
    , m_ui(ui)
    , m_parent(parent)
    , m_preview(preview)
    , m_soundFiles(files)
{
}

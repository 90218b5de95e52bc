#include "mainwindow1/library/soundfilescontroller.h"

SoundFilesController::SoundFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad, QWidget *parent,
                                           UiPrompter &prompter, const audioconverter::Limits &conversion,
                                           PreviewController &preview, SoundListsController &lists)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_conversion(conversion)
    , m_preview(preview)
    , m_soundLists(lists)
{
}

#include "mainwindow1/library/soundlistscontroller.h"

SoundListsController::SoundListsController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           const SoundListsView &view, QWidget *parent, UiPrompter &prompter,
                                           PreviewController &preview)
    : QObject(nullptr)
    , m_doc(doc)
    , m_lib(library)
    , m_pad(pad)
    , m_view(view)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_preview(preview)
{
}

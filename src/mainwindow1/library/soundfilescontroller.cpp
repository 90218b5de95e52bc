#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"

#include "setup/kitfileforget.h"
#include "widgets/closehold.h"

SoundFilesController::SoundFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           QWidget *parent, UiPrompter &prompter,
                                           const audioconverter::Limits &conversion, PreviewController &preview)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_conversion(conversion)
    , m_preview(preview)
{
}

void SoundFilesController::handOverFromChangedFiles()
{
    // The window paints, its input held, while a kit file's drive is awaited.
    m_preview.followMovedSounds(setupjob::handOverFromChangedFiles(
            m_doc, m_library, []() { closehold::processEvents(QEventLoop::ExcludeUserInputEvents); }));
}

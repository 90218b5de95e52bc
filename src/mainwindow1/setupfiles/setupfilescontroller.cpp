#include "mainwindow1/setupfiles/setupfilescontroller.h"

SetupFilesController::SetupFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           Ui::MainWindow1 *ui, QWidget *parent, PreviewController &preview,
                                           SoundFilesController &soundFiles, SoundListsController &soundLists,
                                           KitPagesController &kitPages, MainPadPageController &mainPadPage,
                                           KitChainsController &kitChains)
    : m_doc(doc), m_library(library), m_pad(pad), m_ui(ui), m_parent(parent), m_preview(preview),
      m_soundFiles(soundFiles), m_soundLists(soundLists), m_kitPages(kitPages), m_mainPadPage(mainPadPage),
      m_kitChains(kitChains)
{
}

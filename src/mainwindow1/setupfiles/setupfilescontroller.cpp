#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"

#include "widgets/selectkitno.h"

#include <QRadioButton>

SetupFilesController::SetupFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad,
                                           const SetupFilesView &view, QWidget *parent, UiPrompter &prompter,
                                           PreviewController &preview, RawFiles &rawFiles,
                                           SoundListsController &soundLists, KitPagesController &kitPages,
                                           MainPadPageController &mainPadPage, KitChainsController &kitChains,
                                           KitHeaderController &kitHeader)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_view(view)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_preview(preview)
    , m_rawFiles(rawFiles)
    , m_soundLists(soundLists)
    , m_kitPages(kitPages)
    , m_mainPadPage(mainPadPage)
    , m_kitChains(kitChains)
    , m_kitHeader(kitHeader)
{
}

SetupFilesController::~SetupFilesController()
{
    delete m_skn;
}

void SetupFilesController::makeKitChoice()
{
    m_skn = new SelectKitNo;
}

void SetupFilesController::takeBackupChoice()
{
    m_backFlag = m_view.rbtBack->isChecked();
}

void SetupFilesController::soundFileRemoved(const QHash<QString, QString> &moved)
{
    m_preview.followMovedSounds(moved);
}

// The preview's state and what the other areas ask of it.
#include "mainwindow1/library/previewcontroller.h"

PreviewController::PreviewController(const PreviewView &view, QWidget *parent, UiPrompter &prompter,
                                     RawFiles &rawFiles)
    : m_view(view)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_rawFiles(rawFiles)
{
}

PreviewController::~PreviewController()
{
    delete m_dialog;
}

QMediaPlayer::State PreviewController::playerState() const
{
    return m_player2 ? m_player2->state() : QMediaPlayer::StoppedState;
}

void PreviewController::choosePreviewSound(const QString &source)
{
    m_playFileNameNew2 = source;
}

void PreviewController::followMovedSounds(const QHash<QString, QString> &moved)
{
    m_playFileNameNew2 = moved.value(m_playFileNameNew2, m_playFileNameNew2);
}

void PreviewController::handOverFromChangedFiles()
{
    followMovedSounds(m_rawFiles.handOverFromChangedFiles());
}

void PreviewController::stopPlayer()
{
    if (m_player2)
        m_player2->stop();
}

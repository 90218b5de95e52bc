// The sounds of one kit file taken out of the kits, the sound list and the
// total list, so that the file can be read again or forgotten.
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "mainwindow1/library/previewcontroller.h"

#include "setup/kitfileforget.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QHash>

void SetupFilesController::removeSoundFile(const QString &path)
{
    soundFileRemoved(setupjob::forgetKitFile(m_doc, m_library, path));
}

void SetupFilesController::soundFileRemoved(const QHash<QString, QString> &moved)
{
    m_preview.followMovedSounds(moved);
}

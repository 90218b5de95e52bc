// The sounds of one kit file taken out of the kits, the sound list and the
// total list, so that the file can be read again or forgotten.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/previewcontroller.h"
#include "ui_mainwindow1.h"

#include "setup/kitfileforget.h"

#include <QHash>

void MainWindow1::handOverFromChangedFiles()
{
    const QHash<QString, QString> moved = setupjob::handOverFromChangedFiles(doc(), library());
    preview().followMovedSounds(moved);
}

void MainWindow1::removeSoundFile(QString path, int)
{
    soundFileRemoved(setupjob::forgetKitFile(doc(), library(), path));
}

void MainWindow1::soundFileRemoved(const QHash<QString, QString> &moved)
{
    preview().followMovedSounds(moved);
}

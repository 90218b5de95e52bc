// The sounds of one kit file taken out of the kits, the sound list and the
// total list, so that the file can be read again or forgotten.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "setup/kitfileforget.h"

#include <QHash>

void MainWindow1::handOverFromChangedFiles()
{
    const QHash<QString, QString> moved = setupjob::handOverFromChangedFiles(doc(), library());
    playFileNameNew2 = moved.value(playFileNameNew2, playFileNameNew2);
}

void MainWindow1::removeSoundFile(QString path, int)
{
    soundFileRemoved(setupjob::forgetKitFile(doc(), library(), path));
}

void MainWindow1::soundFileRemoved(const QHash<QString, QString> &moved)
{
    playFileNameNew2 = moved.value(playFileNameNew2, playFileNameNew2);
}

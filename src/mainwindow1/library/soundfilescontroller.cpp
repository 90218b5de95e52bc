#include "mainwindow1/library/soundfilescontroller.h"

SoundFilesController::SoundFilesController(QObject *parent)
    : QObject(parent)
{
}

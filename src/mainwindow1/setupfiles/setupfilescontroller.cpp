#include "mainwindow1/setupfiles/setupfilescontroller.h"

SetupFilesController::SetupFilesController(QObject *parent)
    : QObject(parent)
{
}

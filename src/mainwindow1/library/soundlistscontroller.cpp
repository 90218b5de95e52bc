#include "mainwindow1/library/soundlistscontroller.h"

SoundListsController::SoundListsController(QObject *parent)
    : QObject(parent)
{
}

#include "mainwindow1/device/padsynccontroller.h"

PadSyncController::PadSyncController(QObject *parent)
    : QObject(parent)
{
}

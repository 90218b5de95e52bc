#include "mainwindow1/editing/kitpagescontroller.h"

KitPagesController::KitPagesController(QObject *parent)
    : QObject(parent)
{
}

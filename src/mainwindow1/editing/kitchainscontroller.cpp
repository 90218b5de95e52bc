#include "mainwindow1/editing/kitchainscontroller.h"

KitChainsController::KitChainsController(QObject *parent)
    : QObject(parent)
{
}

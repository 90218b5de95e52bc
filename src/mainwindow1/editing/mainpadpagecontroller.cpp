#include "mainwindow1/editing/mainpadpagecontroller.h"

MainPadPageController::MainPadPageController(QObject *parent)
    : QObject(parent)
{
}

#include "mainwindow1/shell/shellcontroller.h"

ShellController::ShellController(QObject *parent)
    : QObject(parent)
{
}

#include "mainwindow1/library/previewcontroller.h"

PreviewController::PreviewController(QObject *parent)
    : QObject(parent)
{
}

#include "mainwindow1/editing/kitchainscontroller.h"

KitChainsController::KitChainsController(KitDocument &doc, Ui::MainWindow1 *ui, QWidget *boxParent,
                                         MainWindow1 &window, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_ui(ui)
    , m_boxParent(boxParent)
    , m_window(window)
{
}

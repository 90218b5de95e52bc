#include "mainwindow1/editing/mainpadpagecontroller.h"

MainPadPageController::MainPadPageController(KitDocument &doc, KitPagesController &kitPages, Ui::MainWindow1 *ui,
                                             QWidget *parent)
    : m_doc(doc)
    , m_kitPages(kitPages)
    , m_ui(ui)
    , m_parent(parent)
{
}

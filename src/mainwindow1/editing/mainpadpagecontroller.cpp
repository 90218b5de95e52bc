#include "mainwindow1/editing/mainpadpagecontroller.h"

MainPadPageController::MainPadPageController(KitDocument &doc, KitPagesController &kitPages, Ui::MainWindow1 *ui,
                                             QWidget *parent, MainWindow1 &window)
    : m_doc(doc)
    , m_kitPages(kitPages)
    , m_ui(ui)
    , m_parent(parent)
    , m_window(window)
{
}

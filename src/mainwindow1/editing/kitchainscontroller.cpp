#include "mainwindow1/editing/kitchainscontroller.h"

KitChainsController::KitChainsController(KitDocument &doc, KitPagesController &kitPages,
                                         MainPadPageController &mainPadPage, Ui::MainWindow1 *ui,
                                         QWidget *boxParent, QObject *dropFilter, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_ui(ui)
    , m_boxParent(boxParent)
    , m_dropFilter(dropFilter)
    , m_kitPages(kitPages)
    , m_mainPadPage(mainPadPage)
{
}

#include "mainwindow1/editing/kitchainscontroller.h"

KitChainsController::KitChainsController(KitDocument &doc, KitHeaderController &header,
                                         MainPadPageController &mainPadPage, const KitChainsView &view,
                                         QWidget *boxParent, UiPrompter &prompter, QObject *dropFilter,
                                         QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_view(view)
    , m_boxParent(boxParent)
    , m_prompter(prompter)
    , m_dropFilter(dropFilter)
    , m_header(header)
    , m_mainPadPage(mainPadPage)
{
}

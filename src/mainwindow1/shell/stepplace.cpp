// After an undo or a redo: the pages show what the document holds, then the
// page and the kit, pad or chain the step changed.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include <QStackedWidget>

void ShellController::takeInPages()
{
    // A kit name typed and not yet taken, in its field or the kit list, is a step of its own.
    m_mainPadPage.finishKitNameEdit();
    if (m_mainPadPage.dot() == 1)
        m_kitChains.takeOverChainPage();
    if (m_mainPadPage.dot() == 2)
        m_kitPages.commitShownKit(m_mainPadPage.curkitNumber());
}

void ShellController::showStepPlace(const editstep::Place &place)
{
    using Place = editstep::Place;
    // What the pages show of the document first: nothing stale is taken back from them.
    if (m_mainPadPage.dot() == 2)
        m_kitPages.showStepKit(m_kitHeader.pageKit(), -1);
    if (m_mainPadPage.dot() == 1)
        m_kitChains.showStepChain(-1);
    m_mainPadPage.showStepKit(m_mainPadPage.currentKitNum());

    if (place.page == Place::Global) {
        showGlobalPage();
        return;
    }
    if (m_view.stackedWidget->currentIndex() != 0)
        backToMainPage();
    const int kit = place.kit;
    switch (place.page) {
    case Place::Pads:
        if (m_mainPadPage.dot() != 0)
            m_kitPages.showMainPadPage();
        if (kit >= 0)
            m_mainPadPage.showStepKit(kit);
        break;
    case Place::KitSettings:
        if (kit >= 0)
            m_mainPadPage.showStepKit(kit);
        if (m_mainPadPage.dot() != 2)
            m_kitPages.showKitSettingsPage();
        if (kit >= 0)
            m_kitPages.showStepKit(kit + 1, place.pad);
        break;
    case Place::Chains:
        if (kit >= 0)
            m_mainPadPage.showStepKit(kit);
        if (m_mainPadPage.dot() != 1)
            m_kitPages.showKitChainPage();
        m_kitChains.showStepChain(place.chain);
        break;
    default:
        break;
    }
}

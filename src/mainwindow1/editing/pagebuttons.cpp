// The three page buttons: main pad page, kit-chain page, kit settings page.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "document/kitdocument.h"

#include <QStackedWidget>
#include <QToolButton>

// The kit-chain page hands its chains and names on when it is left.
void KitPagesController::leaveChainPage()
{
    m_kitChains.takeOverChainPage();
    emit chainPageLeft(m_doc.kitChainList(), m_kitChains.kitChainNameList());
}

void KitPagesController::showKitSettingsPage()
{
    if (m_mainPadPage.dot() == 1)
        leaveChainPage();
    else if (m_mainPadPage.dot() == 2)
        commitShownKit(m_header.pageKit()); // pressed again: keep the edits
    m_kitChains.setPageShown(false);
    m_soundLists.enableSoundPane(true);

    int n = m_header.fieldNumber();
    if (n < 1 || n > KIT_MAX_COUNT)
        n = m_header.pageKit();
    m_mainPadPage.applyKitName(n - 1);
    updateKitNo(n);

    m_view.pages.rightTopStackedWidget->setCurrentIndex(0);
    m_view.pages.left_stackedWidget->setCurrentIndex(2);
    m_view.pages.midStackedWidget->setCurrentIndex(2);
    m_view.pages.right_stackedWidget->setCurrentIndex(1);
    m_view.pages.btnSoundKit->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167); color:black; border: none;"));
    m_view.pages.btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white; "));
    m_view.pages.btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_view.pages.btnClear->hide();
    m_view.pages.btnLoadFile->hide();
    m_view.pages.btnSave->show();
    m_mainPadPage.notePageShown(2);
}

void KitPagesController::showMainPadPage()
{
    m_soundLists.enableSoundPane(true);
    if (m_mainPadPage.dot() == 2) {
        const int n = m_header.pageKit();
        m_mainPadPage.selectKit(quint8(n - 1));
        m_header.setNumberText(QString::number(n));
        commitShownKit(m_mainPadPage.curkitNumber()); // still on the kit settings page
        m_mainPadPage.dispPadList(m_doc.kitAttrList(), m_mainPadPage.currentKitNum());
    }
    m_kitChains.setPageShown(false);
    m_view.pages.left_stackedWidget->setCurrentIndex(0);
    m_view.pages.midStackedWidget->setCurrentIndex(0);
    m_view.pages.rightTopStackedWidget->setCurrentIndex(0);
    m_view.pages.right_stackedWidget->setCurrentIndex(0);
    m_view.pages.btnSoundKit->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_view.pages.btnKitMove->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border:none;"));
    m_view.pages.btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_view.pages.btnClear->show();
    m_view.pages.btnLoadFile->show();
    m_view.pages.btnSave->show();
    if (m_mainPadPage.dot() == 1)
        leaveChainPage();
    m_mainPadPage.notePageShown(0);
}

void KitPagesController::showKitChainPage()
{
    if (m_mainPadPage.dot() == 2)
        commitShownKit(m_mainPadPage.curkitNumber()); // leaving the kit settings page keeps its edits
    m_kitChains.setPageShown(true);
    m_view.pages.left_stackedWidget->setCurrentIndex(1);
    m_view.pages.midStackedWidget->setCurrentIndex(1);
    m_view.pages.rightTopStackedWidget->setCurrentIndex(1);
    m_view.pages.right_stackedWidget->setCurrentIndex(0);
    m_view.pages.btnSoundKit->setStyleSheet(QStringLiteral("background-color: black;  color:white;border:1px solid white;"));
    m_view.pages.btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white"));
    m_view.pages.btnKitChain->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167);color:black; border: none; "));
    m_soundLists.enableSoundPane(false);
    m_soundLists.clearTotalSelection();
    m_kitChains.updateKitChainNameList();
    // Kit names may have come in after the chains (loads); the steps show them.
    m_kitChains.disKitStep(m_doc.kitChainList(), m_kitChains.chainShown());
    m_mainPadPage.notePageShown(1);
}

// The three page buttons: main pad page, kit-chain page, kit settings page.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "ui_mainwindow1.h"
#include "document/kitdocument.h"

#include <QItemSelectionModel>

// The kit-chain page hands its chains and names on when it is left.
void KitPagesController::leaveChainPage()
{
    m_kitChains->takeOverChainPage();
    emit chainPageLeft(m_doc.kitChainList(), m_kitChains->kitChainNameList());
}

void KitPagesController::showKitSettingsPage()
{
    if (m_mainPadPage->dot() == 1)
        leaveChainPage();
    else if (m_mainPadPage->dot() == 2)
        commitShownKit(m_ui->kitNoSpinBox->value()); // pressed again: keep the edits
    m_kitChains->setPageShown(false);
    m_ui->right_stackedWidgetPage1->setEnabled(true);

    int n = m_ui->kitNumber->text().toInt();
    if (n < 1 || n > KIT_MAX_COUNT)
        n = m_ui->kitNoSpinBox->value();
    m_mainPadPage->applyKitName(n - 1);
    updateKitNo(n);

    m_ui->rightTopStackedWidget->setCurrentIndex(0);
    m_ui->left_stackedWidget->setCurrentIndex(2);
    m_ui->midStackedWidget->setCurrentIndex(2);
    m_ui->right_stackedWidget->setCurrentIndex(1);
    m_ui->btnSoundKit->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167); color:black; border: none;"));
    m_ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white; "));
    m_ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_ui->btnClear->hide();
    m_ui->btnLoadFile->hide();
    m_ui->btnSave->show();
    m_mainPadPage->notePageShown(2);
}

void KitPagesController::showMainPadPage()
{
    m_ui->right_stackedWidgetPage1->setEnabled(true);
    if (m_mainPadPage->dot() == 2) {
        const int n = m_ui->kitNoSpinBox->value();
        m_mainPadPage->selectKit(quint8(n - 1));
        m_ui->kitNumber->setText(QString::number(n));
        commitShownKit(m_mainPadPage->curkitNumber()); // still on the kit settings page
        m_mainPadPage->dispPadList(m_doc.kitAttrList(), m_mainPadPage->currentKitNum());
    }
    m_kitChains->setPageShown(false);
    m_ui->left_stackedWidget->setCurrentIndex(0);
    m_ui->midStackedWidget->setCurrentIndex(0);
    m_ui->rightTopStackedWidget->setCurrentIndex(0);
    m_ui->right_stackedWidget->setCurrentIndex(0);
    m_ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border:none;"));
    m_ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_ui->btnClear->show();
    m_ui->btnLoadFile->show();
    m_ui->btnSave->show();
    if (m_mainPadPage->dot() == 1)
        leaveChainPage();
    m_mainPadPage->notePageShown(0);
}

void KitPagesController::showKitChainPage()
{
    if (m_mainPadPage->dot() == 2)
        commitShownKit(m_mainPadPage->curkitNumber()); // leaving the kit settings page keeps its edits
    m_kitChains->setPageShown(true);
    m_ui->left_stackedWidget->setCurrentIndex(1);
    m_ui->midStackedWidget->setCurrentIndex(1);
    m_ui->rightTopStackedWidget->setCurrentIndex(1);
    m_ui->right_stackedWidget->setCurrentIndex(0);
    m_ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color: black;  color:white;border:1px solid white;"));
    m_ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white"));
    m_ui->btnKitChain->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167);color:black; border: none; "));
    m_ui->right_stackedWidgetPage1->setEnabled(false);
    if (QItemSelectionModel *selection = m_ui->totalWaveTreeView->selectionModel())
        selection->clearSelection();
    m_kitChains->updateKitChainNameList();
    // Kit names may have come in after the chains (loads); the steps show them.
    m_kitChains->disKitStep(m_doc.kitChainList(), m_ui->kitChainNoSpinBox->value());
    m_mainPadPage->notePageShown(1);
}

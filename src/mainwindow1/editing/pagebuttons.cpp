// The three page buttons: main pad page, kit-chain page, kit settings page.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include <QItemSelectionModel>

namespace {
// The kit-chain page hands its chains and names on when it is left.
void leaveChainPage(MainWindow1 *w)
{
    w->takeOverChainPage();
    emit w->sendKitChainInfo(w->doc().kitChainList(), w->kitChainNameList);
}
} // namespace

void MainWindow1::on_btnSoundKit_clicked()
{
    if (mainPadPage().dot() == 1)
        leaveChainPage(this);
    else if (mainPadPage().dot() == 2)
        kitpage::commitShownKit(this, ui->kitNoSpinBox->value()); // pressed again: keep the edits
    kitChainUiFlag = false;
    ui->right_stackedWidgetPage1->setEnabled(true);

    int n = ui->kitNumber->text().toInt();
    if (n < 1 || n > KIT_MAX_COUNT)
        n = ui->kitNoSpinBox->value();
    kitpage::applyKitName(this, n - 1);
    updateKitNo(n);

    ui->rightTopStackedWidget->setCurrentIndex(0);
    ui->left_stackedWidget->setCurrentIndex(2);
    ui->midStackedWidget->setCurrentIndex(2);
    ui->right_stackedWidget->setCurrentIndex(1);
    ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border: none;"));
    ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white; "));
    ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    ui->btnClear->hide();
    ui->btnLoadFile->hide();
    ui->btnSave->show();
    mainPadPage().notePageShown(2);
}

void MainWindow1::on_btnKitMove_clicked()
{
    ui->right_stackedWidgetPage1->setEnabled(true);
    if (mainPadPage().dot() == 2) {
        const int n = ui->kitNoSpinBox->value();
        mainPadPage().selectKit(quint8(n - 1));
        ui->kitNumber->setText(QString::number(n));
        kitpage::commitShownKit(this, mainPadPage().curkitNumber()); // still on the kit settings page
        dispPadList(doc().kitAttrList(), mainPadPage().currentKitNum());
    }
    kitChainUiFlag = false;
    ui->left_stackedWidget->setCurrentIndex(0);
    ui->midStackedWidget->setCurrentIndex(0);
    ui->rightTopStackedWidget->setCurrentIndex(0);
    ui->right_stackedWidget->setCurrentIndex(0);
    ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border:none;"));
    ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    ui->btnClear->show();
    ui->btnLoadFile->show();
    ui->btnSave->show();
    if (mainPadPage().dot() == 1)
        leaveChainPage(this);
    mainPadPage().notePageShown(0);
}

void MainWindow1::on_btnKitChain_clicked()
{
    if (mainPadPage().dot() == 2)
        kitpage::commitShownKit(this, mainPadPage().curkitNumber()); // leaving the kit settings page keeps its edits
    kitChainUiFlag = true;
    ui->left_stackedWidget->setCurrentIndex(1);
    ui->midStackedWidget->setCurrentIndex(1);
    ui->rightTopStackedWidget->setCurrentIndex(1);
    ui->right_stackedWidget->setCurrentIndex(0);
    ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color: black;  color:white;border:1px solid white;"));
    ui->btnKitMove->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white"));
    ui->btnKitChain->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167);color:black; border: none; "));
    ui->right_stackedWidgetPage1->setEnabled(false);
    if (QItemSelectionModel *selection = ui->totalWaveTreeView->selectionModel())
        selection->clearSelection();
    kitchainpage::updateKitChainNameList(this);
    // Kit names may have come in after the chains (loads); the steps show them.
    kitchainpage::disKitStep(this, doc().kitChainList(), ui->kitChainNoSpinBox->value());
    mainPadPage().notePageShown(1);
}

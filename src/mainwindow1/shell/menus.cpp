// The Edit and Manual menu actions, the help page and the sizing of the left
// top bar on every repaint.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/shell/shellsteps.h"
#include "ui_mainwindow1.h"

#include "platform/datafiles.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void shellsteps::on_savePadSetBtn_clicked(MainWindow1 *w)
{
    w->on_savePadSetBtn_clicked(w->ui->padNoComboBox->currentIndex());
}

void MainWindow1::on_actionGlobal_Setting_triggered()
{
    ui->stackedWidget->setCurrentIndex(1);
}

void MainWindow1::on_actionBack_to_main_interface_triggered()
{
    // The kit page's edits first, into the kit it shows.
    kitpage::commitShownKit(this, mainPadPage().curkitNumber());
    const int kit = ui->kitNoSpinBox->value();
    mainPadPage().selectKit(quint8(kit - 1));
    ui->kitNumber->setText(QString::number(kit));
    dispPadList(doc().kitAttrList(), mainPadPage().currentKitNum());
    ui->stackedWidget->setCurrentIndex(0);
}

void MainWindow1::on_actionKit_Setiing_triggered()
{
    const int kit = ui->kitNumber->text().toInt();
    if (kit >= 1 && kit <= KIT_MAX_COUNT)
        updateKitNo(kit);
    // Names renamed in the kit-chain list wait for that page's OK.
    ui->stackedWidget->setCurrentIndex(1);
}

void MainWindow1::on_actionAbout_Korvanta_triggered()
{
    shellsteps::openHtmlFile(this);
}

QString shellsteps::helpPagePath()
{
    return ztplatform::dataPath(cnOrEn != 0 ? QStringLiteral("Korvanta_Ch.htm") : QStringLiteral("Korvanta_En.htm"));
}

void shellsteps::openHtmlFile(MainWindow1 *w)
{
    const QString page = shellsteps::helpPagePath();
    // A missing page is not handed to the desktop.
    if (QFileInfo(page).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                    MainWindow1::tr("The default browser failed to open it."), QMessageBox::Ok);
}

void MainWindow1::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    const Qt::ScrollBarPolicy policy = soundLists().leftFlag() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (ui->waveGroupTreeView->horizontalScrollBarPolicy() != policy)
        ui->waveGroupTreeView->setHorizontalScrollBarPolicy(policy);
    if (ui->waveGroupTreeView->width() != original_width)
        ui->left_top->setFixedSize((ui->splitter->width() / 25) * 4, ui->topSectionWidget->height());
}

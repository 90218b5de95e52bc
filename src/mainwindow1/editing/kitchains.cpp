// Kit chains: the page with its 20 step boxes, the chain number, ON/OFF, OK,
// clearing a chain, and the chains of a loaded setup.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "model/kitchain.h"
#include "widgets/mystyle.h"

#include <QDebug>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

void kitchainpage::initKitChainSet(MainWindow1 *w)
{
    w->curStepNum = 0;
    w->kitChainNameList.clear();
    kitchainpage::initKitChainStep(w);

    QTreeView *view = w->ui->kitListtreeView;
    w->kitChainListItemModel = new QStandardItemModel(view);
    view->setModel(w->kitChainListItemModel);
    w->kitChainListItemModel->setHorizontalHeaderLabels({MainWindow1::tr("Kit No."), MainWindow1::tr("Name")});
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(w->shell().myStyle());
    view->setColumnWidth(0, qMax(50, view->header()->sectionSizeHint(0))); // room for "Kit No." in each language
    w->ui->stepWidget->setAcceptDrops(true);
    w->ui->stepWidget->installEventFilter(w);

    w->kitChian = MainWindow1::KIT_CHAIN();
    w->ui->kitChainNoSpinBox->setValue(1);
    w->ui->rBtnKitChainOff->setChecked(true);

    auto *root = new QStandardItem(MainWindow1::tr("Kit List"));
    root->setEditable(false);
    w->kitChainListItemModel->appendRow(root);
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row
    for (const QString &name : w->doc().kitNameList()) {
        w->kitChainNameList.append(name);
        auto *number = new QStandardItem(QString::number(w->kitChainNameList.size()));
        number->setEditable(false);
        root->appendRow({number, new QStandardItem(name)});
    }
    view->expandAll();
    w->doc().resetChains(); // nine entries as the zeroed work record, all off
}

void kitchainpage::initKitChainStep(MainWindow1 *w)
{
    QGroupBox *const boxes[STEP_MAX_COUNT] = {
            w->ui->groupStep1,  w->ui->groupStep2,  w->ui->groupStep3,  w->ui->groupStep4,  w->ui->groupStep5,
            w->ui->groupStep6,  w->ui->groupStep7,  w->ui->groupStep8,  w->ui->groupStep9,  w->ui->groupStep10,
            w->ui->groupStep11, w->ui->groupStep12, w->ui->groupStep13, w->ui->groupStep14, w->ui->groupStep15,
            w->ui->groupStep16, w->ui->groupStep17, w->ui->groupStep18, w->ui->groupStep19, w->ui->groupStep20};
    QLabel *const labels[STEP_MAX_COUNT] = {w->ui->step1Lab,  w->ui->step2Lab,  w->ui->step3Lab,  w->ui->step4Lab,
                                            w->ui->step5Lab,  w->ui->step6Lab,  w->ui->step7Lab,  w->ui->step8Lab,
                                            w->ui->step9Lab,  w->ui->step10Lab, w->ui->step11Lab, w->ui->step12Lab,
                                            w->ui->step13Lab, w->ui->step14Lab, w->ui->step15Lab, w->ui->step16Lab,
                                            w->ui->step17Lab, w->ui->step18Lab, w->ui->step19Lab, w->ui->step20Lab};
    for (int s = 0; s < STEP_MAX_COUNT; ++s) {
        w->shell().setStepWidget(s, boxes[s], labels[s]);
    }
}

void kitchainpage::disKit(MainWindow1 *w, const MainWindow1::KIT_CHAIN *chain, int step)
{
    if (!chain || step < 0 || step >= STEP_MAX_COUNT)
        return;
    const int n = w->ui->kitChainNoSpinBox->value();
    const int kit = n == 0 ? 0 : kitchain::stepKit(*chain, n, step);
    w->shell().stepWidgetGroup()[step].labStep->setText(kit == 0 ? QString() : w->kitChainNameList.value(kit - 1));
}

void kitchainpage::disKitStep(MainWindow1 *w, const QVector<MainWindow1::KIT_CHAIN> &chains, int chain)
{
    if (chains.isEmpty() || chain < 0 || chain >= chains.size()) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "no chain" << chain;
        return;
    }
    for (int s = 0; s < STEP_MAX_COUNT; ++s)
        kitchainpage::disKit(w, &chains[chain], s);
}

void kitchainpage::showChangedChains(MainWindow1 *w)
{
    if (w->shell().stepWidgetGroup()[0].labStep)
        kitchainpage::disKitStep(w, w->doc().kitChainList(), w->ui->kitChainNoSpinBox->value());
}

void MainWindow1::on_kitChainNoSpinBox_valueChanged(int chain)
{
    kitChian.kit_chain_No = quint8(chain);
    ui->rBtnKitChainOn->setEnabled(true);
    ui->rBtnKitChainOff->setEnabled(true);
    if (chain >= 1 && chain <= kitchain::CHAIN_COUNT) {
        if (ui->rBtnKitChainOff->isChecked())
            doc().switchChainOn(0);
        else if (ui->rBtnKitChainOn->isChecked())
            doc().switchChainOn(chain);
        kitchainpage::disKitStep(this, doc().kitChainList(), chain);
    } else if (chain == 0) {
        doc().clearChain(0);
        kitchainpage::disKitStep(this, doc().kitChainList(), 0);
    }
}

void MainWindow1::on_rBtnKitChainOn_clicked()
{
    if (!ui->rBtnKitChainOn->isChecked())
        return;
    kitChian.kit_chain = 1;
    doc().switchChainOn(ui->kitChainNoSpinBox->value());
}

void MainWindow1::on_rBtnKitChainOff_clicked()
{
    if (!ui->rBtnKitChainOff->isChecked())
        return;
    kitChian.kit_chain = 0;
    doc().switchChainOn(0);
}

void MainWindow1::on_btnClearStep_clicked()
{
    doc().clearChain(ui->kitChainNoSpinBox->value()); // the page draws the emptied chain
}

void MainWindow1::takeOverChainPage()
{
    kitchainpage::finishKitListEdit(this);
    const int chain = ui->kitChainNoSpinBox->value();
    kitChian.kit_chain_No = quint8(chain);
    if (ui->rBtnKitChainOff->isChecked())
        doc().confirmChains(0);
    else if (ui->rBtnKitChainOn->isChecked())
        doc().confirmChains(chain);

    // Names renamed in the kit list become the kits' names, on the main page too.
    const int shown = ui->kitNumber->text().toInt() - 1;
    QVector<QString> names = doc().kitNameList();
    for (int k : qAsConst(kitListRenames)) {
        if (k < 0 || k >= kitChainNameList.size() || k >= names.size())
            continue;
        names[k] = kitChainNameList[k];
        if (k == shown) {
            ui->kitNameLineEdit->setText(names[k]);
            kitNameFieldKit = k;
            ui->kitNameLabel->setText(names[k]);
        }
    }
    kitListRenames.clear();
    doc().renameKits(names);
}

void MainWindow1::on_btnSureKitChain_clicked()
{
    takeOverChainPage();
    emit sendKitChainInfo(doc().kitChainList(), kitChainNameList);
}

void MainWindow1::recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names)
{
    doc().applyChains(chains);
    doc().renameKits(names);

    // The main pad page shows the kit accepted last, under its new name.
    const int kit = oldKitNumber;
    if (kit < 1 || kit > doc().kitAttrList().size())
        return;
    ui->kitNumber->setText(QString::number(kit));
    ui->kitNameLineEdit->setText(names.value(kit - 1));
    kitNameFieldKit = kit - 1;
    ui->kitNameLabel->setText(names.value(kit - 1));
    ui->kitNoSpinBox->setValue(kit);
    dispPadList(doc().kitAttrList(), quint8(kit - 1));
}

void MainWindow1::recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains)
{
    const int on = doc().loadChains(kitChian, chains);
    if (on != 0) {
        ui->kitChainNoSpinBox->setValue(on);
        ui->rBtnKitChainOn->setChecked(true);
    } else {
        ui->rBtnKitChainOff->setChecked(true); // the buttons show the loaded state
    }
    on_kitChainNoSpinBox_valueChanged(on);
    if (on == 0) // the steps of the chain the page shows, not the empty entry 0
        kitchainpage::disKitStep(this, doc().kitChainList(), ui->kitChainNoSpinBox->value());
}

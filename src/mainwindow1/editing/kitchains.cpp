// Kit chains: the page with its 20 step boxes, the chain number, ON/OFF, OK,
// clearing a chain, and the chains of a loaded setup.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "model/kitchain.h"
#include "widgets/mystyle.h"

#include <QDebug>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

void MainWindow1::initKitChainSet()
{
    curStepNum = 0;
    doc().kitChainNameList.clear();
    doc().kitChainList.clear();
    doc().originalKitChainList.clear();
    initKitChainStep();

    QTreeView *view = ui->kitListtreeView;
    kitChainListItemModel = new QStandardItemModel(view);
    view->setModel(kitChainListItemModel);
    kitChainListItemModel->setHorizontalHeaderLabels({tr("Kit No."), tr("Name")});
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(myStyle);
    view->setColumnWidth(0, qMax(50, view->header()->sectionSizeHint(0))); // room for "Kit No." in each language
    ui->stepWidget->setAcceptDrops(true);
    ui->stepWidget->installEventFilter(this);

    kitChian = KIT_CHAIN();
    ui->kitChainNoSpinBox->setValue(1);
    ui->rBtnKitChainOff->setChecked(true);

    auto *root = new QStandardItem(tr("Kit List"));
    root->setEditable(false);
    kitChainListItemModel->appendRow(root);
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row
    for (int i = 0; i < doc().kitNameList.size(); ++i) {
        doc().kitChainNameList.append(doc().kitNameList[i]);
        auto *number = new QStandardItem(QString::number(i + 1));
        number->setEditable(false);
        root->appendRow({number, new QStandardItem(doc().kitNameList[i])});
    }
    view->expandAll();
    for (int i = 0; i < KIT_CHAIN_ROWS; ++i)
        doc().kitChainList.append(kitChian);
}

void MainWindow1::initKitChainStep()
{
    QGroupBox *const boxes[STEP_MAX_COUNT] = {
            ui->groupStep1,  ui->groupStep2,  ui->groupStep3,  ui->groupStep4,  ui->groupStep5,
            ui->groupStep6,  ui->groupStep7,  ui->groupStep8,  ui->groupStep9,  ui->groupStep10,
            ui->groupStep11, ui->groupStep12, ui->groupStep13, ui->groupStep14, ui->groupStep15,
            ui->groupStep16, ui->groupStep17, ui->groupStep18, ui->groupStep19, ui->groupStep20};
    QLabel *const labels[STEP_MAX_COUNT] = {
            ui->step1Lab,  ui->step2Lab,  ui->step3Lab,  ui->step4Lab,  ui->step5Lab,  ui->step6Lab,  ui->step7Lab,
            ui->step8Lab,  ui->step9Lab,  ui->step10Lab, ui->step11Lab, ui->step12Lab, ui->step13Lab, ui->step14Lab,
            ui->step15Lab, ui->step16Lab, ui->step17Lab, ui->step18Lab, ui->step19Lab, ui->step20Lab};
    for (int s = 0; s < STEP_MAX_COUNT; ++s) {
        stepWidgetGroup[s].group = boxes[s];
        stepWidgetGroup[s].labStep = labels[s];
    }
}

void MainWindow1::disKit(KIT_CHAIN *chain, int step)
{
    if (!chain || step < 0 || step >= STEP_MAX_COUNT)
        return;
    const int n = ui->kitChainNoSpinBox->value();
    const int kit = n == 0 ? 0 : kitchain::stepKit(*chain, n, step);
    stepWidgetGroup[step].labStep->setText(kit == 0 ? QString() : doc().kitChainNameList.value(kit - 1));
}

void MainWindow1::disKitStep(QVector<KIT_CHAIN> chains, int chain)
{
    if (chains.isEmpty() || chain < 0 || chain >= chains.size()) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "no chain" << chain;
        return;
    }
    for (int s = 0; s < STEP_MAX_COUNT; ++s)
        disKit(&chains[chain], s);
}

void MainWindow1::on_kitChainNoSpinBox_valueChanged(int chain)
{
    kitChian.kit_chain_No = quint8(chain);
    ui->rBtnKitChainOn->setEnabled(true);
    ui->rBtnKitChainOff->setEnabled(true);
    if (chain >= 1 && chain <= kitchain::CHAIN_COUNT) {
        if (ui->rBtnKitChainOff->isChecked())
            kitchain::switchOn(doc().kitChainList, 0);
        else if (ui->rBtnKitChainOn->isChecked())
            kitchain::switchOn(doc().kitChainList, chain);
        disKitStep(doc().kitChainList, chain);
    } else if (chain == 0) {
        if (!doc().kitChainList.isEmpty())
            std::fill(std::begin(doc().kitChainList[0].curKitChain[0]), std::end(doc().kitChainList[0].curKitChain[0]),
                      0);
        disKitStep(doc().kitChainList, 0);
    }
}

void MainWindow1::on_rBtnKitChainOn_clicked()
{
    if (!ui->rBtnKitChainOn->isChecked())
        return;
    kitChian.kit_chain = 1;
    kitchain::switchOn(doc().kitChainList, ui->kitChainNoSpinBox->value());
}

void MainWindow1::on_rBtnKitChainOff_clicked()
{
    if (!ui->rBtnKitChainOff->isChecked())
        return;
    kitChian.kit_chain = 0;
    kitchain::switchOn(doc().kitChainList, 0);
}

void MainWindow1::on_btnClearStep_clicked()
{
    const int chain = ui->kitChainNoSpinBox->value();
    kitchain::clear(doc().kitChainList, chain);
    for (int s = 0; s < STEP_MAX_COUNT; ++s) {
        stepWidgetGroup[s].labStep->setText(QString());
        if (chain < doc().kitChainList.size())
            disKit(&doc().kitChainList[chain], s);
    }
}

void MainWindow1::takeOverChainPage()
{
    finishKitListEdit();
    const int chain = ui->kitChainNoSpinBox->value();
    kitChian.kit_chain_No = quint8(chain);
    if (ui->rBtnKitChainOff->isChecked())
        kitchain::confirm(doc().kitChainList, 0);
    else if (ui->rBtnKitChainOn->isChecked())
        kitchain::confirm(doc().kitChainList, chain);

    // Names renamed in the kit list become the kits' names, on the main page too.
    const int shown = ui->kitNumber->text().toInt() - 1;
    for (int k : qAsConst(kitListRenames)) {
        if (k < 0 || k >= doc().kitChainNameList.size() || k >= doc().kitAttrList.size())
            continue;
        const QString name = doc().kitChainNameList[k];
        doc().renameKit(k, name);
        if (k == shown) {
            ui->kitNameLineEdit->setText(name);
            kitNameFieldKit = k;
            ui->kitNameLabel->setText(name);
        }
    }
    kitListRenames.clear();
}

void MainWindow1::on_btnSureKitChain_clicked()
{
    takeOverChainPage();
    emit sendKitChainInfo(doc().kitChainList, doc().kitChainNameList);
    updateKitNameToMainInterface();
}

void MainWindow1::recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names)
{
    kitchain::apply(doc().kitChainList, chains);
    for (int i = 0; i < names.size() && i < doc().kitAttrList.size(); ++i)
        doc().renameKit(i, names[i]);

    // The main pad page shows the kit accepted last, under its new name.
    const int kit = oldKitNumber;
    if (kit < 1 || kit > doc().kitAttrList.size())
        return;
    ui->kitNumber->setText(QString::number(kit));
    ui->kitNameLineEdit->setText(names.value(kit - 1));
    kitNameFieldKit = kit - 1;
    ui->kitNameLabel->setText(names.value(kit - 1));
    ui->kitNoSpinBox->setValue(kit);
    dispPadList(doc().kitAttrList, quint8(kit - 1));
}

void MainWindow1::recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN> chains)
{
    const int on = kitchain::load(doc().kitChainList, kitChian, chains);
    if (on != 0) {
        ui->kitChainNoSpinBox->setValue(on);
        ui->rBtnKitChainOn->setChecked(true);
    } else {
        ui->rBtnKitChainOff->setChecked(true); // the buttons show the loaded state
    }
    on_kitChainNoSpinBox_valueChanged(on);
    if (on == 0) // the steps of the chain the page shows, not the empty entry 0
        disKitStep(doc().kitChainList, ui->kitChainNoSpinBox->value());
}

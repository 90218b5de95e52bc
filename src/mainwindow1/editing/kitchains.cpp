// Kit chains: the page with its 20 step boxes, the chain number, ON/OFF, OK,
// clearing a chain, and the chains of a loaded setup.
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "model/kitchain.h"
#include "widgets/mystyle.h"
#include "document/kitdocument.h"

#include <QDebug>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

void KitChainsController::initKitChainSet()
{
    m_curStepNum = 0;
    m_kitChainNameList.clear();
    initKitChainStep();

    QTreeView *view = m_ui->kitListtreeView;
    m_kitChainListItemModel = new QStandardItemModel(view);
    view->setModel(m_kitChainListItemModel);
    m_kitChainListItemModel->setHorizontalHeaderLabels({WindowTexts::tr("Kit No."), WindowTexts::tr("Name")});
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(m_shell->myStyle());
    view->setColumnWidth(0, qMax(50, view->header()->sectionSizeHint(0))); // room for "Kit No." in each language
    m_ui->stepWidget->setAcceptDrops(true);
    m_ui->stepWidget->installEventFilter(m_dropFilter); // the window's drops fill the steps

    m_kitChian = KitChain();
    m_ui->kitChainNoSpinBox->setValue(1);
    m_ui->rBtnKitChainOff->setChecked(true);

    auto *root = new QStandardItem(WindowTexts::tr("Kit List"));
    root->setEditable(false);
    m_kitChainListItemModel->appendRow(root);
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row
    for (const QString &name : m_doc.kitNameList()) {
        m_kitChainNameList.append(name);
        auto *number = new QStandardItem(QString::number(m_kitChainNameList.size()));
        number->setEditable(false);
        root->appendRow({number, new QStandardItem(name)});
    }
    view->expandAll();
    m_doc.resetChains(); // nine entries as the zeroed work record, all off
}

void KitChainsController::initKitChainStep()
{
    Ui::MainWindow1 *ui = m_ui;
    QGroupBox *const boxes[STEP_MAX_COUNT] = {
            ui->groupStep1,  ui->groupStep2,  ui->groupStep3,  ui->groupStep4,  ui->groupStep5,
            ui->groupStep6,  ui->groupStep7,  ui->groupStep8,  ui->groupStep9,  ui->groupStep10,
            ui->groupStep11, ui->groupStep12, ui->groupStep13, ui->groupStep14, ui->groupStep15,
            ui->groupStep16, ui->groupStep17, ui->groupStep18, ui->groupStep19, ui->groupStep20};
    QLabel *const labels[STEP_MAX_COUNT] = {ui->step1Lab,  ui->step2Lab,  ui->step3Lab,  ui->step4Lab,
                                            ui->step5Lab,  ui->step6Lab,  ui->step7Lab,  ui->step8Lab,
                                            ui->step9Lab,  ui->step10Lab, ui->step11Lab, ui->step12Lab,
                                            ui->step13Lab, ui->step14Lab, ui->step15Lab, ui->step16Lab,
                                            ui->step17Lab, ui->step18Lab, ui->step19Lab, ui->step20Lab};
    m_stepLabels.clear();
    for (int s = 0; s < STEP_MAX_COUNT; ++s) {
        m_stepLabels.append(labels[s]);
        m_shell->setStepWidget(s, boxes[s], labels[s]); // the window's drops find the steps there
    }
}

void KitChainsController::disKit(const KitChain *chain, int step)
{
    if (!chain || step < 0 || step >= m_stepLabels.size())
        return;
    const int n = m_ui->kitChainNoSpinBox->value();
    const int kit = n == 0 ? 0 : kitchain::stepKit(*chain, n, step);
    m_stepLabels[step]->setText(kit == 0 ? QString() : m_kitChainNameList.value(kit - 1));
}

void KitChainsController::disKitStep(const QVector<KitChain> &chains, int chain)
{
    if (chains.isEmpty() || chain < 0 || chain >= chains.size()) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "no chain" << chain;
        return;
    }
    for (int s = 0; s < STEP_MAX_COUNT; ++s)
        disKit(&chains[chain], s);
}

void KitChainsController::showChangedChains()
{
    if (!m_stepLabels.isEmpty())
        disKitStep(m_doc.kitChainList(), m_ui->kitChainNoSpinBox->value());
}

void KitChainsController::showChain(int chain)
{
    m_kitChian.kit_chain_No = quint8(chain);
    m_ui->rBtnKitChainOn->setEnabled(true);
    m_ui->rBtnKitChainOff->setEnabled(true);
    if (chain >= 1 && chain <= kitchain::CHAIN_COUNT) {
        if (m_ui->rBtnKitChainOff->isChecked())
            m_doc.switchChainOn(0);
        else if (m_ui->rBtnKitChainOn->isChecked())
            m_doc.switchChainOn(chain);
        disKitStep(m_doc.kitChainList(), chain);
    } else if (chain == 0) {
        m_doc.clearChain(0);
        disKitStep(m_doc.kitChainList(), 0);
    }
}

void KitChainsController::switchOn()
{
    if (!m_ui->rBtnKitChainOn->isChecked())
        return;
    m_kitChian.kit_chain = 1;
    m_doc.switchChainOn(m_ui->kitChainNoSpinBox->value());
}

void KitChainsController::switchOff()
{
    if (!m_ui->rBtnKitChainOff->isChecked())
        return;
    m_kitChian.kit_chain = 0;
    m_doc.switchChainOn(0);
}

void KitChainsController::clearShownChain()
{
    m_doc.clearChain(m_ui->kitChainNoSpinBox->value()); // the page draws the emptied chain
}

void KitChainsController::takeOverChainPage()
{
    finishKitListEdit();
    const int chain = m_ui->kitChainNoSpinBox->value();
    m_kitChian.kit_chain_No = quint8(chain);
    if (m_ui->rBtnKitChainOff->isChecked())
        m_doc.confirmChains(0);
    else if (m_ui->rBtnKitChainOn->isChecked())
        m_doc.confirmChains(chain);

    // Names renamed in the kit list become the kits' names, on the main page too.
    const int shown = m_ui->kitNumber->text().toInt() - 1;
    QVector<QString> names = m_doc.kitNameList();
    for (int k : qAsConst(m_kitListRenames)) {
        if (k < 0 || k >= m_kitChainNameList.size() || k >= names.size())
            continue;
        names[k] = m_kitChainNameList[k];
        if (k == shown) {
            m_ui->kitNameLineEdit->setText(names[k]);
            m_mainPadPage.noteNameFieldKit(k);
            m_ui->kitNameLabel->setText(names[k]);
        }
    }
    m_kitListRenames.clear();
    m_doc.renameKits(names);
}

void KitChainsController::confirmChains()
{
    takeOverChainPage();
    emit chainsConfirmed(m_doc.kitChainList(), m_kitChainNameList);
}

void KitChainsController::applyHandedOn(const QVector<KitChain> &chains, const QVector<QString> &names)
{
    m_doc.applyChains(chains);
    m_doc.renameKits(names);

    // The main pad page shows the kit accepted last, under its new name.
    const int kit = m_mainPadPage.oldKitNumber();
    if (kit < 1 || kit > m_doc.kitAttrList().size())
        return;
    m_ui->kitNumber->setText(QString::number(kit));
    m_ui->kitNameLineEdit->setText(names.value(kit - 1));
    m_mainPadPage.noteNameFieldKit(kit - 1);
    m_ui->kitNameLabel->setText(names.value(kit - 1));
    m_ui->kitNoSpinBox->setValue(kit);
    m_mainPadPage.dispPadList(m_doc.kitAttrList(), quint8(kit - 1));
}

void KitChainsController::loadChains(const QVector<KitChain> &chains)
{
    const int on = m_doc.loadChains(m_kitChian, chains);
    if (on != 0) {
        m_ui->kitChainNoSpinBox->setValue(on);
        m_ui->rBtnKitChainOn->setChecked(true);
    } else {
        m_ui->rBtnKitChainOff->setChecked(true); // the buttons show the loaded state
    }
    showChain(on);
    if (on == 0) // the steps of the chain the page shows, not the empty entry 0
        disKitStep(m_doc.kitChainList(), m_ui->kitChainNoSpinBox->value());
}

void KitChainsController::showStepChain(int chain)
{
    const QVector<KitChain> &chains = m_doc.kitChainList();
    int on = 0;
    for (int c = 1; c < chains.size() && c <= kitchain::CHAIN_COUNT; ++c) {
        if (chains[c].kit_chain == 1)
            on = c;
    }
    // The switch first: showing a chain switches the one shown on while ON is checked.
    (on != 0 ? m_ui->rBtnKitChainOn : m_ui->rBtnKitChainOff)->setChecked(true);
    m_kitChian.kit_chain = on != 0 ? 1 : 0;
    if (chain < 1 || chain > kitchain::CHAIN_COUNT)
        chain = on != 0 ? on : m_ui->kitChainNoSpinBox->value();
    if (on != 0)
        chain = on; // only the chain switched on can be shown with ON checked
    if (m_ui->kitChainNoSpinBox->value() != chain)
        m_ui->kitChainNoSpinBox->setValue(chain);
    updateKitChainNameList();
    disKitStep(chains, m_ui->kitChainNoSpinBox->value());
}

// Kit chains: the page with its 20 step boxes, the chain number, ON/OFF, OK,
// clearing a chain, and the chains of a loaded setup.
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"

#include "model/kitchain.h"
#include "widgets/listlook.h"
#include "widgets/themesheets.h"
#include "document/kitdocument.h"

#include <QDebug>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeView>

void KitChainsController::initKitChainSet()
{
    m_kitChainNameList.clear();
    m_stepsSetUp = true; // the window's drops find the steps from now on

    QTreeView *view = m_view.kitListtreeView;
    m_kitChainListItemModel = new QStandardItemModel(view);
    view->setModel(m_kitChainListItemModel);
    m_kitChainListItemModel->setHorizontalHeaderLabels({WindowTexts::tr("Kit No."), WindowTexts::tr("Name")});
    listlook::dragOnly(view);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(m_style);
    view->setColumnWidth(0, qMax(50, view->header()->sectionSizeHint(0))); // room for "Kit No." in each language
    m_view.stepWidget->setAcceptDrops(true);
    m_view.stepWidget->installEventFilter(m_dropFilter); // the window's drops fill the steps

    m_kitChian = KitChain();
    m_view.kitChainNoSpinBox->setValue(1);
    m_view.rBtnKitChainOff->setChecked(true);

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

void KitChainsController::disKit(const KitChain *chain, int step)
{
    if (!chain || step < 0 || step >= STEP_MAX_COUNT || !m_stepsSetUp)
        return;
    const int n = m_view.kitChainNoSpinBox->value();
    const int kit = n == 0 ? 0 : kitchain::stepKit(*chain, n, step);
    m_view.stepLabels[size_t(step)]->setText(kit == 0 ? QString() : m_kitChainNameList.value(kit - 1));
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
    if (m_stepsSetUp)
        disKitStep(m_doc.kitChainList(), m_view.kitChainNoSpinBox->value());
}

void KitChainsController::showChain(int chain)
{
    m_kitChian.kit_chain_No = quint8(chain);
    m_view.rBtnKitChainOn->setEnabled(true);
    m_view.rBtnKitChainOff->setEnabled(true);
    if (chain >= 1 && chain <= kitchain::CHAIN_COUNT) {
        if (m_view.rBtnKitChainOff->isChecked())
            m_doc.switchChainOn(0);
        else if (m_view.rBtnKitChainOn->isChecked())
            m_doc.switchChainOn(chain);
        disKitStep(m_doc.kitChainList(), chain);
    } else if (chain == 0) {
        m_doc.clearChain(0);
        disKitStep(m_doc.kitChainList(), 0);
    }
}

void KitChainsController::switchOn()
{
    if (!m_view.rBtnKitChainOn->isChecked())
        return;
    m_kitChian.kit_chain = 1;
    m_doc.switchChainOn(m_view.kitChainNoSpinBox->value());
}

void KitChainsController::switchOff()
{
    if (!m_view.rBtnKitChainOff->isChecked())
        return;
    m_kitChian.kit_chain = 0;
    m_doc.switchChainOn(0);
}

void KitChainsController::clearShownChain()
{
    m_doc.clearChain(m_view.kitChainNoSpinBox->value()); // the page draws the emptied chain
}

void KitChainsController::applyHandedOn(const QVector<KitChain> &chains, const QVector<QString> &names)
{
    m_doc.applyChains(chains);
    m_doc.renameKits(names);

    // The main pad page shows the kit accepted last, under its new name.
    const int kit = m_mainPadPage.oldKitNumber();
    if (kit < 1 || kit > m_doc.kitAttrList().size())
        return;
    m_header.setNumberText(QString::number(kit));
    m_header.showName(names.value(kit - 1), kit - 1);
    m_header.setPageName(names.value(kit - 1));
    m_header.setPageKit(kit);
    m_mainPadPage.dispPadList(m_doc.kitAttrList(), quint8(kit - 1));
}

void KitChainsController::loadChains(const QVector<KitChain> &chains)
{
    const int on = m_doc.loadChains(m_kitChian, chains);
    if (on != 0) {
        m_view.kitChainNoSpinBox->setValue(on);
        m_view.rBtnKitChainOn->setChecked(true);
    } else {
        m_view.rBtnKitChainOff->setChecked(true); // the buttons show the loaded state
    }
    showChain(on);
    if (on == 0) // the steps of the chain the page shows, not the empty entry 0
        disKitStep(m_doc.kitChainList(), m_view.kitChainNoSpinBox->value());
}

void KitChainsController::setUpTexts(const QString &fontFamily)
{
    const KitChainsView &v = m_view;
    v.logoWidget3->hide();
    v.chainFunctionTitle->setText(WindowTexts::tr("KIT CHIAN ") + QStringLiteral("\r\n") + WindowTexts::tr("FUNCTION"));
    v.kitListtreeView->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    v.kitListtreeView->setAnimated(true);

    for (QWidget *widget : {static_cast<QWidget *>(v.chainFunctionTitle), static_cast<QWidget *>(v.chainNumberTitle),
                            static_cast<QWidget *>(v.rBtnKitChainOff), static_cast<QWidget *>(v.rBtnKitChainOn),
                            static_cast<QWidget *>(v.moveUpKit), static_cast<QWidget *>(v.moveDownKit)})
        themesheets::setFamily(widget, fontFamily);
    v.btnKitChainSave->setStyleSheet(QStringLiteral("QToolTip { background-color: white; color: black;}"));
    themesheets::setFamily(v.kitListTitle, fontFamily, true);
}

void KitChainsController::applyTheme(bool isDark)
{
    using themesheets::icon;
    using themesheets::style;
    style(m_view.kitListTitle, isDark, "background-color: rgb(35, 35, 35); color:white; ",
          "background-color: rgb(236, 236, 236); color:black; ");
    style(m_view.kitListtreeView, isDark,
          " background-color: rgb(25, 25, 25); color:white; QHeadView{background-color: rgb(25, 25, 25); }",
          "background-color: rgb(236, 236, 236); color:black;");
    style(m_view.kitMoveButtons, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    icon(m_view.moveUpKit, isDark, ":/images/kitUp2.png", ":/images/kitUp1.png");
    icon(m_view.moveDownKit, isDark, ":/images/kitDown2.png", ":/images/kitDown1.png");
}

bool KitChainsController::isStepArea(const QObject *watched) const
{
    return watched == m_view.stepWidget;
}

int KitChainsController::stepAt(const QPoint &pos) const
{
    for (int s = 0; m_stepsSetUp && s < STEP_MAX_COUNT; ++s) {
        const QWidget *box = m_view.stepBoxes[size_t(s)];
        if (QRect(box->mapTo(m_view.stepWidget, QPoint(0, 0)), box->size()).contains(pos))
            return s;
    }
    return -1;
}

int KitChainsController::chainShown() const
{
    return m_view.kitChainNoSpinBox->value();
}

// The kit list of the kit-chain page: names (renaming a kit renames its
// steps), dragging a kit onto a step, and moving a kit up or down, which
// swaps the two kits everywhere.
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/dragpayload.h"
#include "model/kitchain.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"

#include <QAbstractItemDelegate>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMetaProperty>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>

namespace {
QStandardItem *kitListRoot(QStandardItemModel *model)
{
    return model ? model->item(0, 0) : nullptr;
}
} // namespace

void KitChainsController::updateKitChainNameList()
{
    QStandardItem *root = kitListRoot(m_kitChainListItemModel);
    if (!root)
        return;
    const QScopedValueRollback<bool> filling(m_kitListFilling, true);
    for (int i = 0; i < m_kitChainNameList.size(); ++i) {
        // Cells that exist keep their items; a name that is the same changes nothing.
        QStandardItem *number = root->child(i, 0);
        QStandardItem *name = root->child(i, 1);
        if (number && name) {
            number->setText(QString::number(i + 1));
            name->setText(m_kitChainNameList[i]);
            continue;
        }
        auto *numberCell = new QStandardItem(QString::number(i + 1));
        numberCell->setEditable(false);
        root->setChild(i, 0, numberCell);
        root->setChild(i, 1, new QStandardItem(m_kitChainNameList[i]));
    }
}

bool KitChainsController::replaceNameToStep(const QString &kitNumber, const QString &name)
{
    const int kit = kitNumber.trimmed().toInt();
    if (!kitchain::usesKit(m_doc.kitChainList(), kit) || kit > m_kitChainNameList.size())
        return false;
    m_kitChainNameList[kit - 1] = name.trimmed();
    return true;
}

void KitChainsController::kitListCellChanged(QStandardItem *item)
{
    if (m_kitListFilling || !item || !item->isEditable() || item->hasChildren() || item->column() == 0
        || !item->parent())
        return;
    const int row = item->row();
    if (row >= m_doc.kitAttrList().size() || row >= m_kitChainNameList.size())
        return;
    const QString name = item->text();
    const QString refusal = kitpage::kitNameRefusal(name);
    if (!refusal.isEmpty()) {
        m_prompter.information(m_boxParent, WindowTexts::tr("Error"), refusal);
        // The name the list showed, a rename not yet taken over included; runs this slot again.
        item->setText(m_kitChainNameList[row]);
        return;
    }
    const QStandardItem *number = item->parent()->child(row, 0);
    if (number && replaceNameToStep(number->text(), name))
        disKitStep(m_doc.kitChainList(), m_view.kitChainNoSpinBox->value());
    m_kitChainNameList[row] = name;
    m_kitListRenames.insert(row); // taken over by OK, a page change, a save or the close
}

bool KitChainsController::finishKitListEdit()
{
    QStandardItem *root = kitListRoot(m_kitChainListItemModel);
    QTreeView *view = m_view.kitListtreeView;
    if (!root)
        return true;
    for (int row = 0; row < root->rowCount(); ++row) {
        QStandardItem *cell = root->child(row, 1);
        QWidget *editor = cell ? view->indexWidget(cell->index()) : nullptr;
        if (!editor)
            continue;
        // As the delegate does when its editor loses the focus: the name goes
        // through the list's own checks, then the editor closes.
        const QMetaProperty text = editor->metaObject()->userProperty();
        const QString typed = text.read(editor).toString();
        QAbstractItemDelegate *delegate = view->itemDelegate(cell->index());
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
        return cell->text() == typed; // a refusal puts the old name back
    }
    return true;
}

void KitChainsController::dragPressedKit()
{
    QItemSelectionModel *selection = m_view.kitListtreeView->selectionModel();
    QModelIndexList selected = selection ? selection->selectedIndexes() : QModelIndexList();
    if (selected.size() < 2)
        return;
    std::sort(selected.begin(), selected.end(), [](const QModelIndex &a, const QModelIndex &b) {
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    const QString number = selected.at(0).data().toString().trimmed();
    const QString name = selected.at(1).data().toString().trimmed();
    if (number.isEmpty() || name.isEmpty())
        return;
    auto *mime = new QMimeData;
    mime->setData(dragpayload::MIME_FORMAT, dragpayload::record(number, name).toUtf8());
    mime->setText(name);
    auto *drag = new QDrag(m_boxParent);
    drag->setMimeData(mime);
    m_prompter.runDrag(drag, Qt::MoveAction);
    drag->deleteLater();
}

void KitChainsController::moveKitInList(int step)
{
    finishKitListEdit(); // a name still typed goes with its kit
    const QModelIndex index = m_view.kitListtreeView->currentIndex();
    QStandardItem *root = kitListRoot(m_kitChainListItemModel);
    if (!root || !index.parent().isValid())
        return;
    const int row = index.row();
    const int other = row + step;
    if (other < 0 || other >= KIT_MAX_COUNT || row >= m_kitChainNameList.size()
        || other >= m_kitChainNameList.size())
        return;

    // One step: the kits change places, and their numbers on the chains' steps.
    editstep::Place place;
    place.page = editstep::Place::Chains;
    place.kit = other;
    const editstep::Recorder::Scope moving(m_doc.recorder(), WindowTexts::tr("move of kit %1").arg(row + 1), QString(),
                                         place);
    m_doc.swapChainKits(row + 1, other + 1);
    m_kitChainNameList.swapItemsAt(row, other);
    // A rename not yet taken over moves with its kit.
    const bool rowRenamed = m_kitListRenames.remove(row);
    if (m_kitListRenames.remove(other))
        m_kitListRenames.insert(row);
    if (rowRenamed)
        m_kitListRenames.insert(other);
    {
        const QScopedValueRollback<bool> filling(m_kitListFilling, true);
        for (int r : {row, other}) {
            if (QStandardItem *name = root->child(r, 1))
                name->setText(m_kitChainNameList[r]);
        }
    }
    m_view.kitListtreeView->repaint();
    const QModelIndex moved = m_kitChainListItemModel->index(other, 0, root->index());
    m_view.kitListtreeView->selectionModel()->setCurrentIndex(
            moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    showChain(m_view.kitChainNoSpinBox->value());
    emit kitMoved(index, step < 0 ? 0 : 1);
}

void KitChainsController::takeOverChainPage()
{
    finishKitListEdit();
    const int chain = m_view.kitChainNoSpinBox->value();
    m_kitChian.kit_chain_No = quint8(chain);
    if (m_view.rBtnKitChainOff->isChecked())
        m_doc.confirmChains(0);
    else if (m_view.rBtnKitChainOn->isChecked())
        m_doc.confirmChains(chain);

    // Names renamed in the kit list become the kits' names, on the main page too.
    const int shown = m_header.fieldNumber() - 1;
    QVector<QString> names = m_doc.kitNameList();
    for (int k : qAsConst(m_kitListRenames)) {
        if (k < 0 || k >= m_kitChainNameList.size() || k >= names.size())
            continue;
        names[k] = m_kitChainNameList[k];
        if (k == shown) {
            m_header.showName(names[k], k);
            m_header.setPageName(names[k]);
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

void KitChainsController::kitNamed(int kit, const QString &name)
{
    if (kit >= 0 && kit < m_kitChainNameList.size())
        m_kitChainNameList[kit] = name;
    m_kitListRenames.remove(kit);
}

void KitChainsController::connectDocument()
{
    KitDocument *doc = &m_doc;
    connect(doc, &KitDocument::kitChanged, this, &KitChainsController::showChangedKitName);
    connect(doc, &KitDocument::kitsChanged, this, &KitChainsController::showChangedKitNames);
    connect(doc, &KitDocument::chainsChanged, this, &KitChainsController::showChangedChains);
}

void KitChainsController::showChangedKitName(int kit)
{
    // A kit's own name changed: the list follows, but for a rename waiting there for OK.
    if (kit < 0 || kit >= m_doc.kitAttrList().size())
        return;
    if (kit < m_kitChainNameList.size() && !m_kitListRenames.contains(kit))
        m_kitChainNameList[kit] = m_doc.kitAttrList().at(kit).kit_name;
}

void KitChainsController::showChangedKitNames()
{
    for (int k = 0; k < m_doc.kitAttrList().size() && k < KIT_MAX_COUNT; ++k)
        showChangedKitName(k);
    updateKitChainNameList(); // the list shown follows an import or an undo
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
    (on != 0 ? m_view.rBtnKitChainOn : m_view.rBtnKitChainOff)->setChecked(true);
    m_kitChian.kit_chain = on != 0 ? 1 : 0;
    if (chain < 1 || chain > kitchain::CHAIN_COUNT)
        chain = on != 0 ? on : m_view.kitChainNoSpinBox->value();
    if (on != 0)
        chain = on; // only the chain switched on can be shown with ON checked
    if (m_view.kitChainNoSpinBox->value() != chain)
        m_view.kitChainNoSpinBox->setValue(chain);
    updateKitChainNameList();
    disKitStep(chains, m_view.kitChainNoSpinBox->value());
}

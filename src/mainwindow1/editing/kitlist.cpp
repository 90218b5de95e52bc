// The kit list of the kit-chain page: names (renaming a kit renames its
// steps), dragging a kit onto a step, and moving a kit up or down, which
// swaps the two kits everywhere.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "model/kitchain.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAbstractItemDelegate>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMetaProperty>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QStandardItemModel>

namespace {
QStandardItem *kitListRoot(QStandardItemModel *model)
{
    return model ? model->item(0, 0) : nullptr;
}
} // namespace

void kitchainpage::updateKitChainNameList(MainWindow1 *w)
{
    QStandardItem *root = kitListRoot(w->kitChainListItemModel);
    if (!root)
        return;
    const QScopedValueRollback<bool> filling(w->kitListFilling, true);
    for (int i = 0; i < w->kitChainNameList.size(); ++i) {
        // Cells that exist keep their items; a name that is the same changes nothing.
        QStandardItem *number = root->child(i, 0);
        QStandardItem *name = root->child(i, 1);
        if (number && name) {
            number->setText(QString::number(i + 1));
            name->setText(w->kitChainNameList[i]);
            continue;
        }
        auto *numberCell = new QStandardItem(QString::number(i + 1));
        numberCell->setEditable(false);
        root->setChild(i, 0, numberCell);
        root->setChild(i, 1, new QStandardItem(w->kitChainNameList[i]));
    }
}

bool kitchainpage::replaceNameToStep(MainWindow1 *w, QString kitNumber, QString name)
{
    const int kit = kitNumber.trimmed().toInt();
    if (!kitchain::usesKit(w->doc().kitChainList(), kit) || kit > w->kitChainNameList.size())
        return false;
    w->kitChainNameList[kit - 1] = name.trimmed();
    return true;
}

void MainWindow1::kitChainListItemModelChanged(QStandardItem *item)
{
    if (kitListFilling || !item || !item->isEditable() || item->hasChildren() || item->column() == 0 || !item->parent())
        return;
    const int row = item->row();
    if (row >= doc().kitAttrList().size() || row >= kitChainNameList.size())
        return;
    const QString name = item->text();
    const QString refusal = kitpage::kitNameRefusal(name);
    if (!refusal.isEmpty()) {
        UiPrompter::instance()->information(this, tr("Error"), refusal);
        // The name the list showed, a rename not yet taken over included; runs this slot again.
        item->setText(kitChainNameList[row]);
        return;
    }
    const QStandardItem *number = item->parent()->child(row, 0);
    if (number && kitchainpage::replaceNameToStep(this, number->text(), name))
        kitchainpage::disKitStep(this, doc().kitChainList(), ui->kitChainNoSpinBox->value());
    kitChainNameList[row] = name;
    kitListRenames.insert(row); // taken over by OK, a page change, a save or the close
}

bool kitchainpage::finishKitListEdit(MainWindow1 *w)
{
    QStandardItem *root = kitListRoot(w->kitChainListItemModel);
    QTreeView *view = w->ui->kitListtreeView;
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

void MainWindow1::on_kitListtreeView_pressed(const QModelIndex &)
{
    QItemSelectionModel *selection = ui->kitListtreeView->selectionModel();
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
    mime->setData(shell().MIME_FORMAT(), dragpayload::record(number, name).toUtf8());
    mime->setText(name);
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    draghook::run(drag, Qt::MoveAction);
    drag->deleteLater();
}

void MainWindow1::on_moveUpKit_clicked()
{
    kitchainpage::moveKitInList(this, -1);
}

void MainWindow1::on_moveDownKit_clicked()
{
    kitchainpage::moveKitInList(this, 1);
}

void kitchainpage::moveKitInList(MainWindow1 *w, int step)
{
    kitchainpage::finishKitListEdit(w); // a name still typed goes with its kit
    const QModelIndex index = w->ui->kitListtreeView->currentIndex();
    QStandardItem *root = kitListRoot(w->kitChainListItemModel);
    if (!root || !index.parent().isValid())
        return;
    const int row = index.row();
    const int other = row + step;
    if (other < 0 || other >= KIT_MAX_COUNT || row >= w->kitChainNameList.size()
        || other >= w->kitChainNameList.size())
        return;

    w->doc().swapChainKits(row + 1, other + 1);
    w->kitChainNameList.swapItemsAt(row, other);
    // A rename not yet taken over moves with its kit.
    const bool rowRenamed = w->kitListRenames.remove(row);
    if (w->kitListRenames.remove(other))
        w->kitListRenames.insert(row);
    if (rowRenamed)
        w->kitListRenames.insert(other);
    {
        const QScopedValueRollback<bool> filling(w->kitListFilling, true);
        for (int r : {row, other}) {
            if (QStandardItem *name = root->child(r, 1))
                name->setText(w->kitChainNameList[r]);
        }
    }
    w->ui->kitListtreeView->repaint();
    const QModelIndex moved = w->kitChainListItemModel->index(other, 0, root->index());
    w->ui->kitListtreeView->selectionModel()->setCurrentIndex(
            moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    w->on_kitChainNoSpinBox_valueChanged(w->ui->kitChainNoSpinBox->value());
    emit w->sendModelIndex(index, step < 0 ? 0 : 1);
}

void MainWindow1::recvModel(QModelIndex index, quint8 flag)
{
    const int row = index.row();
    const int moved = flag == 0 ? row - 1 : row + 1;
    if (row < 0 || moved < 0 || row >= KIT_MAX_COUNT || moved >= KIT_MAX_COUNT)
        return;
    // The kit page's edits go into the kit it shows before the kits change places.
    kitpage::commitShownKit(this, oldKitNumber);
    doc().moveKit(row, moved);
    currentKitNum = quint8(moved);
    ui->kitNumber->setText(QString::number(moved + 1));
    dispPadList(doc().kitAttrList(), currentKitNum);

    // Show the moved kit on the kit page without committing the page again.
    kitPages().showMovedKit(moved + 1);
}

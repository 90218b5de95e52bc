// The kit list of the kit-chain page: names (renaming a kit renames its
// steps), dragging a kit onto a step, and moving a kit up or down, which
// swaps the two kits everywhere.
#include "mainwindow1/mainwindow1.h"
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

void MainWindow1::updateKitChainNameList()
{
    QStandardItem *root = kitListRoot(kitChainListItemModel);
    if (!root)
        return;
    const QScopedValueRollback<bool> filling(kitListFilling, true);
    for (int i = 0; i < doc().kitChainNameList.size(); ++i) {
        // Cells that exist keep their items; a name that is the same changes nothing.
        QStandardItem *number = root->child(i, 0);
        QStandardItem *name = root->child(i, 1);
        if (number && name) {
            number->setText(QString::number(i + 1));
            name->setText(doc().kitChainNameList[i]);
            continue;
        }
        auto *numberCell = new QStandardItem(QString::number(i + 1));
        numberCell->setEditable(false);
        root->setChild(i, 0, numberCell);
        root->setChild(i, 1, new QStandardItem(doc().kitChainNameList[i]));
    }
}

bool MainWindow1::replaceNameToStep(QString kitNumber, QString name)
{
    const int kit = kitNumber.trimmed().toInt();
    if (!kitchain::usesKit(doc().kitChainList, kit) || kit > doc().kitChainNameList.size())
        return false;
    doc().kitChainNameList[kit - 1] = name.trimmed();
    return true;
}

void MainWindow1::kitChainListItemModelChanged(QStandardItem *item)
{
    if (kitListFilling || !item || !item->isEditable() || item->hasChildren() || item->column() == 0 || !item->parent())
        return;
    const int row = item->row();
    if (row >= doc().kitAttrList.size() || row >= doc().kitChainNameList.size())
        return;
    const QString name = item->text();
    const QString refusal = kitNameRefusal(name);
    if (!refusal.isEmpty()) {
        UiPrompter::instance()->information(this, tr("Error"), refusal);
        // The name the list showed, a rename not yet taken over included; runs this slot again.
        item->setText(doc().kitChainNameList[row]);
        return;
    }
    const QStandardItem *number = item->parent()->child(row, 0);
    if (number && replaceNameToStep(number->text(), name))
        disKitStep(doc().kitChainList, ui->kitChainNoSpinBox->value());
    doc().kitChainNameList[row] = name;
    kitListRenames.insert(row); // taken over by OK, a page change, a save or the close
}

bool MainWindow1::finishKitListEdit()
{
    QStandardItem *root = kitListRoot(kitChainListItemModel);
    QTreeView *view = ui->kitListtreeView;
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
    mime->setData(MIME_FORMAT, dragpayload::record(number, name).toUtf8());
    mime->setText(name);
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    draghook::run(drag, Qt::MoveAction);
    drag->deleteLater();
}

void MainWindow1::on_moveUpKit_clicked()
{
    moveKitInList(-1);
}

void MainWindow1::on_moveDownKit_clicked()
{
    moveKitInList(1);
}

void MainWindow1::moveKitInList(int step)
{
    finishKitListEdit(); // a name still typed goes with its kit
    const QModelIndex index = ui->kitListtreeView->currentIndex();
    QStandardItem *root = kitListRoot(kitChainListItemModel);
    if (!root || !index.parent().isValid())
        return;
    const int row = index.row();
    const int other = row + step;
    if (other < 0 || other >= KIT_MAX_COUNT || row >= doc().kitChainNameList.size()
        || other >= doc().kitChainNameList.size())
        return;

    kitchain::swapKitNumbers(doc().kitChainList, row + 1, other + 1);
    doc().kitChainNameList.swapItemsAt(row, other);
    // A rename not yet taken over moves with its kit.
    const bool rowRenamed = kitListRenames.remove(row);
    if (kitListRenames.remove(other))
        kitListRenames.insert(row);
    if (rowRenamed)
        kitListRenames.insert(other);
    {
        const QScopedValueRollback<bool> filling(kitListFilling, true);
        for (int r : {row, other}) {
            if (QStandardItem *name = root->child(r, 1))
                name->setText(doc().kitChainNameList[r]);
        }
    }
    ui->kitListtreeView->repaint();
    const QModelIndex moved = kitChainListItemModel->index(other, 0, root->index());
    ui->kitListtreeView->selectionModel()->setCurrentIndex(
            moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    on_kitChainNoSpinBox_valueChanged(ui->kitChainNoSpinBox->value());
    emit sendModelIndex(index, step < 0 ? 0 : 1);
}

void MainWindow1::recvModel(QModelIndex index, quint8 flag)
{
    const int row = index.row();
    const int moved = flag == 0 ? row - 1 : row + 1;
    if (row < 0 || moved < 0 || row >= KIT_MAX_COUNT || moved >= KIT_MAX_COUNT)
        return;
    // The kit page's edits go into the kit it shows before the kits change places.
    commitShownKit(oldKitNumber);
    doc().moveKit(row, moved);
    currentKitNum = quint8(moved);
    ui->kitNumber->setText(QString::number(moved + 1));
    dispPadList(doc().kitAttrList, currentKitNum);

    // Show the moved kit on the kit page without committing the page again.
    const QScopedValueRollback<bool> noCommit(loadKitNoFlag, true);
    if (ui->kitNoSpinBox->value() != moved + 1)
        ui->kitNoSpinBox->setValue(moved + 1);
    else
        on_kitNoSpinBox_valueChanged(moved + 1);
}

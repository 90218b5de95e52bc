#include "widgets/selectkitno.h"

#include "ui_selectkitno.h"

#include <QDebug>
#include <QShowEvent>
#include <QStandardItemModel>

SelectKitNo::SelectKitNo(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SelectKitNo)
{
    ui->setupUi(this);
    setWindowTitle(tr("Save File"));

    const QStringList hint = {
            tr("Hint: The import mode of the device is overwrite mode! Please select the kits that need to be "
               "replaced!"),
            tr("1) Click the Select All button and select the checkbox for all kits."),
            tr("2) Click the Deselect All button and set all kits checkbox to deselected state"),
            tr("and Check the checkbox for the kits that need to be replaced."),
            tr("3) If no kits are selected and  click Cancel button or click Ok button to generate a file,"),
            tr("it will prompt file generation failure")};
    ui->textBrowser->setText(hint.join(QStringLiteral("\r\n")));

    isClose = false;
    kitIndexListItemModel = new QStandardItemModel(ui->kitIndexTreeView);
    ui->kitIndexTreeView->setModel(kitIndexListItemModel);
    kitIndexListItemModel->setHorizontalHeaderLabels({tr("Kit No."), tr("Name")});
    connect(kitIndexListItemModel, &QStandardItemModel::itemChanged, this, &SelectKitNo::on_kitIndexTreeViewChanged);
}

SelectKitNo::~SelectKitNo()
{
    delete ui;
}

QStandardItem *SelectKitNo::rootItem() const
{
    return kitIndexListItemModel->rowCount() > 0 ? kitIndexListItemModel->item(0) : nullptr;
}

void SelectKitNo::initKitIndex()
{
    ui->selAllRadioButton->setText(tr("Select All"));
    ui->selEmpRadioButton->setText(tr("Deselect All"));
    ui->selPartRadioButton->setText(tr("Select"));
    ui->btnSure->setText(tr("Ok"));
    ui->btnCancel->setText(tr("Cancel"));
    ui->selPartRadioButton->hide();

    QStandardItem *root = rootItem();
    if (!root) {
        root = new QStandardItem(tr("Kit List"));
        root->setEditable(false);
        kitIndexListItemModel->appendRow(root);
    }
    // Rows beyond the list's length stay as they are.
    for (int i = 0; i < kitNameList.size(); ++i) {
        auto *number = new QStandardItem(QString::number(i + 1));
        number->setCheckable(true);
        number->setEditable(false);
        root->setChild(i, 0, number);
        auto *name = new QStandardItem(kitNameList.at(i));
        name->setEditable(false);
        root->setChild(i, 1, name);
    }
}

void SelectKitNo::recvKitNameList(QVector<QString> nameList)
{
    kitNameList = nameList;
}

void SelectKitNo::recvKitIndexList(QVector<int> indexList)
{
    kitIndexList = indexList;
    // Every row of the tree needs an entry, or its tick box could not be chosen.
    if (QStandardItem *root = rootItem()) {
        if (kitIndexList.size() < root->rowCount()) {
            qDebug() << Q_FUNC_INFO << "choice of" << kitIndexList.size() << "kits for" << root->rowCount()
                     << "rows; the rest is not chosen";
            kitIndexList.resize(root->rowCount());
            for (int r = indexList.size(); r < kitIndexList.size(); ++r)
                kitIndexList[r] = 1;
        }
    }

    ui->selPartRadioButton->setChecked(true); // the three are exclusive
    on_selPartRadioButton_clicked();
}

void SelectKitNo::setAllChecks(Qt::CheckState state)
{
    QStandardItem *root = rootItem();
    if (!root)
        return;
    for (int r = 0; r < root->rowCount(); ++r) {
        if (QStandardItem *number = root->child(r, 0))
            number->setCheckState(state);
    }
}

void SelectKitNo::on_selAllRadioButton_clicked()
{
    if (ui->selAllRadioButton->isChecked())
        setAllChecks(Qt::Checked);
}

void SelectKitNo::on_selEmpRadioButton_clicked()
{
    if (ui->selEmpRadioButton->isChecked())
        setAllChecks(Qt::Unchecked);
}

void SelectKitNo::on_selPartRadioButton_clicked()
{
    if (!ui->selPartRadioButton->isChecked())
        return;
    QStandardItem *root = rootItem();
    if (!root)
        return;
    for (int r = 0; r < root->rowCount(); ++r) {
        QStandardItem *number = root->child(r, 0);
        if (!number)
            continue;
        const bool chosen = r < kitIndexList.size() && kitIndexList.at(r) == 0;
        number->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void SelectKitNo::on_kitIndexTreeViewChanged(QStandardItem *item)
{
    // Only the kit rows under the root carry a choice; the root itself is row 0 too.
    if (!item || !item->parent())
        return;
    const int r = item->row();
    if (r < 0 || r >= kitIndexList.size())
        return;
    switch (item->checkState()) {
    case Qt::Checked:
        kitIndexList[r] = 0;
        break;
    case Qt::Unchecked:
        kitIndexList[r] = 1;
        break;
    case Qt::PartiallyChecked:
        break;
    }
}

void SelectKitNo::on_btnSure_clicked()
{
    if (!kitIndexList.contains(0)) {
        on_btnCancel_clicked();
        return;
    }
    isClose = true;
    emit sendIsClose(true);
    emit sendKitIndexState(kitIndexList);
    close();
}

void SelectKitNo::on_btnCancel_clicked()
{
    isClose = false;
    emit sendIsClose(false);
    close();
}

void SelectKitNo::reject()
{
    if (!isClose)
        emit sendIsClose(false);
    QDialog::reject();
}

void SelectKitNo::showEvent(QShowEvent *event)
{
    // A confirmation only answers the run in which OK was pressed.
    if (!event->spontaneous())
        isClose = false;
    QDialog::showEvent(event);
}

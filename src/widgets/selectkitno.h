#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

class QShowEvent;
class QStandardItem;
class QStandardItemModel;

namespace Ui {
class SelectKitNo;
}

// Modal dialog in which the kits to be written by a kit save are ticked.
// kitIndexList holds one entry per kit: 0 = chosen, 1 = not chosen.
// The answer goes out through sendIsClose (and sendKitIndexState on OK).
class SelectKitNo : public QDialog
{
    Q_OBJECT
public:
    explicit SelectKitNo(QWidget *parent = nullptr);
    ~SelectKitNo() override;

    // Sets the button texts and (re)builds the kit tree from kitNameList.
    void initKitIndex();

    const QVector<int> &kitIndexes() const { return kitIndexList; }
    const QVector<QString> &kitNames() const { return kitNameList; }
    bool confirmed() const { return isClose; }
    QStandardItemModel *kitModel() const { return kitIndexListItemModel; }

public slots:
    void recvKitNameList(QVector<QString> nameList);
    void recvKitIndexList(QVector<int> indexList);
    void reject() override;

signals:
    void sendKitIndexState(QVector<int> indexList);
    void sendIsClose(bool flag);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_btnSure_clicked();
    void on_btnCancel_clicked();
    void on_selAllRadioButton_clicked();
    void on_selEmpRadioButton_clicked();
    void on_selPartRadioButton_clicked();

private:
    // Connected to the model's itemChanged in the constructor (not by name).
    void on_kitIndexTreeViewChanged(QStandardItem *item);
    QStandardItem *rootItem() const;
    void setAllChecks(Qt::CheckState state);

    Ui::SelectKitNo *ui;
    QStandardItemModel *kitIndexListItemModel = nullptr;
    QVector<int> kitIndexList;
    QVector<QString> kitNameList;
    bool isClose = false;
};

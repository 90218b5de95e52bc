#pragma once

#include <QDialog>

namespace Ui {
class ImportTip;
}

// A yes/no question with a read-only text.
class ImportTip : public QDialog
{
    Q_OBJECT
public:
    explicit ImportTip(QWidget *parent = nullptr);
    ~ImportTip() override;

signals:
    // 1 for Yes, 0 for No.
    void sendYesOrNo(int flag);

public slots:
    void recvTipMes(QString tipMes);

private slots:
    void on_btnYes_clicked();
    void on_btnNo_clicked();

private:
    Ui::ImportTip *ui;
};

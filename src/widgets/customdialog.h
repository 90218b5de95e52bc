#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class CustomDialog;
}

// Reports which sounds an export wrote and where.
class CustomDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CustomDialog(QWidget *parent = nullptr);
    ~CustomDialog() override;

signals:
    void sendOK();

public slots:
    // The names joined by ",  ", then "is successfully exported.",
    // "File location:" and the folder, each on a line of its own.
    void recvSoundExportList(QStringList list, QString path);

private slots:
    void on_btnOKSucc_clicked();

private:
    Ui::CustomDialog *ui;
};

#include "widgets/customdialog.h"

#include "ui_customdialog.h"

CustomDialog::CustomDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CustomDialog)
{
    ui->setupUi(this);
    setWindowTitle(tr("Export Sound"));
    ui->textEdit->clear();
}

CustomDialog::~CustomDialog()
{
    delete ui;
}

void CustomDialog::recvSoundExportList(QStringList list, QString path)
{
    const QString lineBreak = QStringLiteral("\r\n");
    ui->textEdit->setPlainText(list.join(tr(",  ")) + lineBreak + tr("is successfully exported.") + lineBreak
                               + tr("File location:") + lineBreak + path);
}

void CustomDialog::on_btnOKSucc_clicked()
{
    emit sendOK();
    close();
}

#include "widgets/importtip.h"

#include "ui_importtip.h"

ImportTip::ImportTip(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ImportTip)
{
    ui->setupUi(this);
    setWindowTitle(tr("Warning"));
    ui->textEdit->clear();
}

ImportTip::~ImportTip()
{
    delete ui;
}

void ImportTip::recvTipMes(QString tipMes)
{
    ui->textEdit->clear();
    ui->textEdit->setPlainText(tipMes);
}

void ImportTip::on_btnYes_clicked()
{
    emit sendYesOrNo(1);
    close();
}

void ImportTip::on_btnNo_clicked()
{
    emit sendYesOrNo(0);
    close();
}

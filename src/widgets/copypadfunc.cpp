#include "widgets/copypadfunc.h"

#include "model/namerules.h"
#include "ui_copypadfunc.h"

CopyPadFunc::CopyPadFunc(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CopyPadFunc)
{
    ui->setupUi(this);
    setWindowTitle(tr("Pad Copy"));
}

CopyPadFunc::~CopyPadFunc()
{
    delete ui;
}

void CopyPadFunc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
}

void CopyPadFunc::recvSrcPad(int kit, int pad)
{
    kit_index = kit;
    src_pad = pad;
    ui->current_kit_num->setText(namerules::defaultKitName(kit));
    ui->srcValue->setValue(pad);
}

void CopyPadFunc::on_btnYes_clicked()
{
    emit sendDstPad(kit_index, src_pad, ui->dstValue->value());
    close();
}

void CopyPadFunc::on_btnNo_clicked()
{
    emit sendDstPad(0, 0, 0);
    close();
}

void CopyPadFunc::on_dstValue_valueChanged(int value)
{
    dst_pad = value;
    if (dst_pad < 1)
        dst_pad = old_dst_pad;
    ui->dstValue->setValue(dst_pad);
    old_dst_pad = dst_pad;
}

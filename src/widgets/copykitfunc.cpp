#include "widgets/copykitfunc.h"

#include "model/namerules.h"
#include "ui_copykitfunc.h"

#include <QDebug>

CopyKitFunc::CopyKitFunc(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CopyKitFunc)
{
    ui->setupUi(this);
    setWindowTitle(tr("Kit Copy"));
    ui->labKitName->setText(namerules::defaultKitName(src_kit));
}

CopyKitFunc::~CopyKitFunc()
{
    delete ui;
}

void CopyKitFunc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
}

void CopyKitFunc::recvSrcKit1(int srcKit)
{
    src_kit = srcKit;
    ui->srcKitBox->setValue(srcKit);
    ui->labKitName->setText(namerules::defaultKitName(srcKit));
}

void CopyKitFunc::on_btnKitOk_clicked()
{
    emit sendDstKit(ui->dstKitBox->value());
    close();
}

void CopyKitFunc::on_btnKitNo_clicked()
{
    emit sendDstKit(0);
    close();
}

void CopyKitFunc::on_dstKitBox_valueChanged(int value)
{
    dst_kit = value;
    if (dst_kit < 1) {
        qDebug() << Q_FUNC_INFO << "destination kit" << dst_kit << "reverted to" << old_dst_kit;
        dst_kit = old_dst_kit;
    }
    ui->dstKitBox->setValue(dst_kit);
    old_dst_kit = dst_kit;
}

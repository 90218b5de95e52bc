#pragma once

#include <QDialog>

namespace Ui {
class CopyKitFunc;
}

// Modeless dialog that picks the kit onto which a kit is copied.
// Answers once per OK (destination 1..100) or Cancel (0).
class CopyKitFunc : public QDialog
{
    Q_OBJECT
public:
    explicit CopyKitFunc(QWidget *parent = nullptr);
    ~CopyKitFunc() override;

signals:
    void sendDstKit(int dstKit);

public slots:
    void recvSrcKit1(int srcKit);

protected:
    // Opened by a click in the window, it takes the keyboard, so that Enter
    // and Escape reach it.
    void showEvent(QShowEvent *event) override;

private slots:
    void on_btnKitOk_clicked();
    void on_btnKitNo_clicked();
    void on_dstKitBox_valueChanged(int value);

private:
    Ui::CopyKitFunc *ui;
    int src_kit = 1;
    int dst_kit = 1;
    int old_dst_kit = 1;
};

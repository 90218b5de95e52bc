#pragma once

#include <QDialog>

namespace Ui {
class CopyPadFunc;
}

// Modeless dialog that picks the pad (PAD1..PAD9) of the current kit onto
// which a pad's settings are copied. Answers once per OK or Cancel.
class CopyPadFunc : public QDialog
{
    Q_OBJECT
public:
    explicit CopyPadFunc(QWidget *parent = nullptr);
    ~CopyPadFunc() override;

signals:
    // On OK the source kit and pad with the chosen pad (1-based);
    // (0, 0, 0) on Cancel.
    void sendDstPad(int kit, int srcPad, int dstpad);

public slots:
    void recvSrcPad(int kit, int pad);

protected:
    // Opened by a click in the window, it takes the keyboard, so that Enter
    // and Escape reach it.
    void showEvent(QShowEvent *event) override;

private slots:
    void on_btnYes_clicked();
    void on_btnNo_clicked();
    void on_dstValue_valueChanged(int value);

private:
    Ui::CopyPadFunc *ui;
    int kit_index = 1;
    int src_pad = 1;
    int dst_pad = 1;
    int old_dst_pad = 1;
};

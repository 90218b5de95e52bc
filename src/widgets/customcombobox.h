#pragma once

#include <QComboBox>

// Combo box that announces when its list is about to open.
class CustomComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CustomComboBox(QWidget *parent = nullptr);

    void showPopup() override;
    void hidePopup() override;

signals:
    void sendClick();
};

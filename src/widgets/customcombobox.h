#pragma once

#include <QComboBox>

// The pad number box of the pad settings page.
class CustomComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CustomComboBox(QWidget *parent = nullptr);
};

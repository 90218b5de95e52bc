#pragma once

#include <QLabel>

// Plain label kept as its own type.
class MyLabel : public QLabel
{
    Q_OBJECT
public:
    explicit MyLabel(QWidget *parent = nullptr);
};

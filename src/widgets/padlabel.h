#pragma once

#include <QLabel>

class QMouseEvent;

// Label of one pad layer; reports left and right presses with its object name.
class PadLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PadLabel(QWidget *parent = nullptr);

signals:
    void clickRight(QString objName);
    void clickLeft(QString objName);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

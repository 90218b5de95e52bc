#pragma once

#include "widgets/elidedlabel.h"

class QMouseEvent;

// Label of one pad layer; reports left and right presses with its object name.
// Its name takes the room the pad gives it and never widens the pad: a name
// too long for it is elided in the middle, and its tool tip shows it whole.
class PadLabel : public ElidedLabel
{
    Q_OBJECT
public:
    explicit PadLabel(QWidget *parent = nullptr);

    // Not even asking for its name's width.
    QSize sizeHint() const override;

signals:
    void clickRight(QString objName);
    void clickLeft(QString objName);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

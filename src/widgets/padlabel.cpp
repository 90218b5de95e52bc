#include "widgets/padlabel.h"

#include <QMouseEvent>

PadLabel::PadLabel(QWidget *parent)
    : ElidedLabel(parent)
{
}

QSize PadLabel::sizeHint() const
{
    return minimumSizeHint();
}

void PadLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        emit clickRight(objectName());
    else if (event->button() == Qt::LeftButton)
        emit clickLeft(objectName());
    QLabel::mousePressEvent(event);
}

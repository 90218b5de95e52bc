#include "widgets/padlabel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

PadLabel::PadLabel(QWidget *parent)
    : QLabel(parent)
{
}

QSize PadLabel::sizeHint() const
{
    return minimumSizeHint();
}

QSize PadLabel::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    return QSize(m.left() + m.right() + 2 * margin(),
                 fontMetrics().height() + m.top() + m.bottom() + 2 * margin());
}

QRect PadLabel::textRoom() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

bool PadLabel::isElided() const
{
    return fontMetrics().horizontalAdvance(text()) > textRoom().width();
}

bool PadLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (isElided())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void PadLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        emit clickRight(objectName());
    else if (event->button() == Qt::LeftButton)
        emit clickLeft(objectName());
    QLabel::mousePressEvent(event);
}

void PadLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = textRoom();
    // The middle goes, so that a numbered name keeps its number.
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

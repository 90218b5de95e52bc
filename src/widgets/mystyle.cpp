#include "widgets/mystyle.h"

#include <QStyleOption>

MyStyle::MyStyle(QStyle *style)
    : QProxyStyle(style)
{
}

void MyStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                            QPainter *painter, const QWidget *widget) const
{
    if (element == QStyle::PE_FrameFocusRect && option
        && option->state.testFlag(QStyle::State_HasFocus))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

#pragma once

#include <QProxyStyle>

// Proxy style that leaves out the dotted focus frame of item views.
class MyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // With no base style the application's style is proxied; a given style
    // is owned by this one.
    explicit MyStyle(QStyle *style = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                       QPainter *painter, const QWidget *widget = nullptr) const override;
};

#ifndef ZT_MAINWINDOW1_EDITING_PAGEVALUES_H
#define ZT_MAINWINDOW1_EDITING_PAGEVALUES_H

// What a page's widgets hold, in the order given: a spin box its value, a
// combo box its current index, a label its text.

#include <QVariant>

#include <initializer_list>

class QWidget;

QVariantList widgetValues(std::initializer_list<const QWidget *> widgets);

#endif

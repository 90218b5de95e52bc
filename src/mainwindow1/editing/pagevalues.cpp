#include "mainwindow1/editing/pagevalues.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

QVariantList widgetValues(std::initializer_list<const QWidget *> widgets)
{
    QVariantList values;
    values.reserve(int(widgets.size()));
    for (const QWidget *w : widgets) {
        if (const auto *spin = qobject_cast<const QSpinBox *>(w))
            values.append(spin->value());
        else if (const auto *combo = qobject_cast<const QComboBox *>(w))
            values.append(combo->currentIndex());
        else if (const auto *label = qobject_cast<const QLabel *>(w))
            values.append(label->text());
    }
    return values;
}

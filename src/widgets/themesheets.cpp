#include "widgets/themesheets.h"

#include <QAbstractButton>
#include <QFont>
#include <QIcon>

void themesheets::style(QWidget *widget, bool isDark, const char *dark, const char *light)
{
    widget->setStyleSheet(QString::fromLatin1(isDark ? dark : light));
}

void themesheets::icon(QAbstractButton *button, bool isDark, const char *dark, const char *light)
{
    button->setIcon(QIcon(QString::fromLatin1(isDark ? dark : light)));
}

void themesheets::setFamily(QWidget *widget, const QString &family, bool bold)
{
    QFont f = widget->font();
    f.setFamily(family);
    if (bold)
        f.setBold(true);
    widget->setFont(f);
}

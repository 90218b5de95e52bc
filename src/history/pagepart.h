#ifndef ZT_HISTORY_PAGEPART_H
#define ZT_HISTORY_PAGEPART_H

// The part of a step over what a page's widgets hold where they are the
// state itself (the global settings page's labels and boxes, the order
// buttons of the sound list): a spin box its value, a combo box its item,
// a label its text, a button whether it is checked.

#include "model/editstep.h"

#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

class PagePart : public editstep::Part
{
public:
    // `key` names the page; `values` are what the widgets held before the step.
    PagePart(const QString &key, const QList<QWidget *> &widgets, const QVariantList &values);

    // What `widgets` hold now.
    static QVariantList valuesOf(const QList<QWidget *> &widgets);

    QString key() const override { return m_key; }
    void swap() override;
    bool unchanged() const override;
    qint64 size() const override;

private:
    QString m_key;
    QList<QPointer<QWidget>> m_widgets;
    QVariantList m_values;
};

#endif

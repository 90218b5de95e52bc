#include "history/pagepart.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {

QVariant valueOf(const QWidget *w)
{
    if (const auto *spin = qobject_cast<const QSpinBox *>(w))
        return spin->value();
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentIndex();
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->isChecked();
    return QVariant();
}

void setValue(QWidget *w, const QVariant &value)
{
    if (auto *spin = qobject_cast<QSpinBox *>(w))
        spin->setValue(value.toInt());
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->setCurrentIndex(value.toInt());
    else if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(value.toString());
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->setChecked(value.toBool());
}

} // namespace

PagePart::PagePart(const QString &key, const QList<QWidget *> &widgets, const QVariantList &values)
    : m_key(key)
    , m_values(values)
{
    for (QWidget *w : widgets)
        m_widgets.append(w);
}

QVariantList PagePart::valuesOf(const QList<QWidget *> &widgets)
{
    QVariantList values;
    for (const QWidget *w : widgets)
        values.append(valueOf(w));
    return values;
}

void PagePart::swap()
{
    QVariantList now;
    for (const QPointer<QWidget> &w : qAsConst(m_widgets))
        now.append(w ? valueOf(w) : QVariant());
    // Boxes first: their own slots may set labels, which then take their texts.
    for (bool boxes : {true, false}) {
        for (int i = 0; i < m_widgets.size() && i < m_values.size(); ++i) {
            QWidget *w = m_widgets.at(i);
            if (w && (qobject_cast<QLabel *>(w) == nullptr) == boxes)
                setValue(w, m_values.at(i));
        }
    }
    m_values = now;
}

bool PagePart::unchanged() const
{
    for (int i = 0; i < m_widgets.size() && i < m_values.size(); ++i) {
        if (m_widgets.at(i) && valueOf(m_widgets.at(i)) != m_values.at(i))
            return false;
    }
    return true;
}

qint64 PagePart::size() const
{
    return qint64(sizeof(PagePart)) + 32 * qint64(m_values.size());
}

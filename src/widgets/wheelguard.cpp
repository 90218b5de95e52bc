#include "widgets/wheelguard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QSlider>

namespace {

class WheelGuard : public QObject
{
public:
    using QObject::QObject;

    // Focus by click or Tab only, never by the wheel.
    static void keepFromWheelFocus(QWidget *widget)
    {
        if (wheelguard::covers(widget) && (widget->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Polish) {
            keepFromWheelFocus(widget);
        } else if (event->type() == QEvent::Wheel && wheelguard::covers(widget) && !widget->hasFocus()) {
            // Unaccepted, the event goes on to the parent.
            event->ignore();
            return true;
        }
        return false;
    }
};

} // namespace

namespace wheelguard {

bool covers(const QWidget *widget)
{
    return widget
           && (qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
               || qobject_cast<const QSlider *>(widget));
}

void install(QObject *owner)
{
    const QString name = QStringLiteral("wheelGuard");
    if (!qApp || owner->findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
        return;
    auto *guard = new WheelGuard(owner);
    guard->setObjectName(name);
    qApp->installEventFilter(guard);
    // Widgets polished before now.
    for (QWidget *widget : QApplication::allWidgets())
        WheelGuard::keepFromWheelFocus(widget);
}

} // namespace wheelguard

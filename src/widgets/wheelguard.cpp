#include "widgets/wheelguard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPointer>
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

QPointer<WheelGuard> g_guard;

} // namespace

namespace wheelguard {

bool covers(const QWidget *widget)
{
    return widget
           && (qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
               || qobject_cast<const QSlider *>(widget));
}

void install()
{
    if (g_guard || !qApp)
        return;
    g_guard = new WheelGuard(qApp);
    qApp->installEventFilter(g_guard);
    // Widgets polished before now.
    for (QWidget *widget : QApplication::allWidgets())
        WheelGuard::keepFromWheelFocus(widget);
}

} // namespace wheelguard

#include "widgets/closehold.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace closehold {

namespace {

constexpr int kRetryMs = 50;

int g_holds = 0;
QPointer<QWidget> g_window; // its close was put off
bool g_armed = false;       // a look for the moment to ask it again is due

void askAgain();

void arm(int ms)
{
    if (g_armed || !g_window)
        return;
    g_armed = true;
    QTimer::singleShot(ms, qApp, [] {
        g_armed = false;
        askAgain();
    });
}

void askAgain()
{
    if (!g_window)
        return;
    if (g_holds > 0 || QApplication::activeModalWidget()) {
        arm(kRetryMs);
        return;
    }
    QWidget *window = g_window;
    g_window = nullptr;
    window->close();
}

} // namespace

Hold::Hold()
{
    ++g_holds;
}

Hold::~Hold()
{
    if (--g_holds == 0)
        arm(0);
}

bool putOff(QWidget *window)
{
    if (g_holds == 0) {
        g_window = nullptr;
        return false;
    }
    g_window = window;
    return true;
}

void processEvents(QEventLoop::ProcessEventsFlags flags)
{
    const Hold hold;
    QCoreApplication::processEvents(flags);
}

} // namespace closehold

#ifndef ZT_WIDGETS_CLOSEHOLD_H
#define ZT_WIDGETS_CLOSEHOLD_H

// The window's close waits while an edit or a check lets events run (the
// window painting meanwhile): a close asked then is put off, and asked again
// once no hold is left and no modal dialog holds the window.

#include <QEventLoop>

class QWidget;

namespace closehold {

// While one lives, a close of the window is put off.
class Hold
{
public:
    Hold();
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;
};

// A close of `window` asked now: true when it is put off (asked again later);
// false when it may run, any close put off before being dropped.
bool putOff(QWidget *window);
// The window paints, its close held meanwhile.
void processEvents(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

} // namespace closehold

#endif

#pragma once

class QObject;
class QWidget;

// Spin boxes, combo boxes and sliders take the mouse wheel only while they
// have the keyboard focus, and the wheel never gives it to them: without the
// focus the wheel goes on to what holds them, so a page scrolls instead of a
// value changing under the pointer.
namespace wheelguard {

// Puts the rule over every widget of the application, those made later
// included (each is set up when it is first polished), while `owner` lives.
void install(QObject *owner);

// True for the widgets the rule covers (scroll bars are not among them).
bool covers(const QWidget *widget);

} // namespace wheelguard

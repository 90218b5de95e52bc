#ifndef ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H
#define ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H

// The window's frame: construction of the widget tables, theme, menus, drops and the close.

#include <QObject>

class ShellController : public QObject
{
    Q_OBJECT

public:
    explicit ShellController(QObject *parent = nullptr);
};

#endif

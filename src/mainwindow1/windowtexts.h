#ifndef ZT_MAINWINDOW1_WINDOWTEXTS_H
#define ZT_MAINWINDOW1_WINDOWTEXTS_H

// The window's texts: every area translates them in the window's context.

#include <QCoreApplication>

class WindowTexts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow1)
};

#endif

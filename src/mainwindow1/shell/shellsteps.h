#ifndef ZT_MAINWINDOW1_SHELL_SHELLSTEPS_H
#define ZT_MAINWINDOW1_SHELL_SHELLSTEPS_H

// Steps of the main window's construction and of its help menu.

#include "mainwindow1/mainwindow1.h"

namespace shellsteps {

void initValueAndList(MainWindow1 *w);
void initPadWidgetPoint(MainWindow1 *w);
void initHHWidgetPoint(MainWindow1 *w);
void initUi(MainWindow1 *w);
void initUIFont(MainWindow1 *w);
void setPadEventFilter(MainWindow1 *w);
void initPadMenu(MainWindow1 *w);
void initPadDisplayStyle(MainWindow1 *w);
// True when the system asks applications for a dark look.
bool isSystemDarkMode();
void openHtmlFile(MainWindow1 *w);
// The help page of the interface language, where the program finds it.
QString helpPagePath();
// The pad page's save of the pad shown (no form object: nothing connects it).
void on_savePadSetBtn_clicked(MainWindow1 *w);

} // namespace shellsteps

#endif

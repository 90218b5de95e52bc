#ifndef ZT_MAINWINDOW1_UI_H
#define ZT_MAINWINDOW1_UI_H

// The generated form of the main window, for code outside the editor
// library (tests, benchmarks) whose own uic step does not know the form.
#include "ui_mainwindow1.h"

#endif

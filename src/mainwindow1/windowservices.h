#ifndef ZT_MAINWINDOW1_WINDOWSERVICES_H
#define ZT_MAINWINDOW1_WINDOWSERVICES_H

class UiPrompter;

// What the window is handed at construction and hands on to the areas that
// use it. The window owns none of it; each outlives the window.
struct WindowServices
{
    UiPrompter *prompter = nullptr; // every message box and file dialog
};

#endif

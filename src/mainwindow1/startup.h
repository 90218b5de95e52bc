#ifndef ZT_MAINWINDOW1_STARTUP_H
#define ZT_MAINWINDOW1_STARTUP_H

#include "mainwindow1/windowservices.h"

#include <QLocale>
#include <QPointer>
#include <QRect>
#include <QString>

class DeviceDetector;
class MainWindow1;
class QApplication;
class QTranslator;

// The main window's opening place on a screen's available area: the size its
// pages are laid out for, or the area less a title bar where that is smaller,
// never below `minimum`; centred on the area, its top left corner kept on it.
QRect openingGeometry(const QRect &available, const QSize &minimum);

// The embedded catalogue for a language and the help language flag
// (1 Chinese, 0 English).
QString translationForLanguage(QLocale::Language language, int *chinese);

// Types carried by queued signals.
void registerQueuedTypes();

// Loads the catalogue of the system language into a translator made once
// and installs it; *cnOrEn (when given) becomes 1 for Chinese, 0 for
// English. For Chinese, Qt's own catalogue ("qtbase")
// of the locale is installed beside it from qtCatalogueDir (empty: Qt's
// translations folder); without that file Qt's texts stay English.
QTranslator *installEditorTranslator(QApplication *app, const QString &qtCatalogueDir = QString(),
                                     int *cnOrEn = nullptr);

// The start-up after the application exists: builds the main window and the
// drive chooser, waits for the choice and shows the window.
class EditorStartup
{
public:
    // Builds the window on `services`, whose help command opens the page of
    // `cnOrEn` (1 Chinese, 0 English), and shows the chooser.
    explicit EditorStartup(const WindowServices &services, int cnOrEn = 1);
    ~EditorStartup(); // ends the chooser; a window never shown goes unsaved

    // Waits until the chooser has answered; true when the window is to be shown.
    bool waitForChoice();
    // Sizes, centres and shows the main window on the primary screen.
    void showWindow();

    QPointer<MainWindow1> window;
    DeviceDetector *chooser = nullptr;

private:
    bool m_shown = false;
    bool m_broken = false; // the window could not be built completely
};

// The whole program: application, language, start-up, event loop.
int runEditor(int argc, char **argv);

#endif

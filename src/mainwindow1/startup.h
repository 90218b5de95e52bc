#ifndef ZT_MAINWINDOW1_STARTUP_H
#define ZT_MAINWINDOW1_STARTUP_H

#include "mainwindow1/windowservices.h"

#include <QLocale>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTranslator>

class DeviceDetector;
class MainWindow1;

// The main window's opening place on a screen's available area: the size its
// pages are laid out for, or the area less a title bar where that is smaller,
// never below `minimum`; centred on the area, its top left corner kept on it.
QRect openingGeometry(const QRect &available, const QSize &minimum);

// The embedded catalogue for a language and the help language flag
// (1 Chinese, 0 English).
QString translationForLanguage(QLocale::Language language, int *chinese);

// Types carried by queued signals.
void registerQueuedTypes();

// The catalogue of the system language, installed while the object lives.
// For Chinese, Qt's own catalogue ("qtbase") of the locale is installed
// beside it from qtCatalogueDir (empty: Qt's translations folder); without
// that file Qt's texts stay English.
class EditorLanguage
{
public:
    explicit EditorLanguage(const QString &qtCatalogueDir = QString());
    ~EditorLanguage();
    EditorLanguage(const EditorLanguage &) = delete;
    EditorLanguage &operator=(const EditorLanguage &) = delete;

    // 1 for Chinese, 0 for English.
    int cnOrEn() const { return m_cnOrEn; }
    const QTranslator &catalogue() const { return m_editor; }

private:
    QTranslator m_editor;
    QTranslator m_qt; // Qt's own texts: buttons, file dialogs
    int m_cnOrEn = 1;
};

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

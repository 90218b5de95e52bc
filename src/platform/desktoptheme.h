#ifndef ZT_PLATFORM_DESKTOPTHEME_H
#define ZT_PLATFORM_DESKTOPTHEME_H

#include <QString>

namespace ztplatform {

// What the desktop says about its colour scheme.
struct ThemeSources
{
    QString gtkThemeEnv;       // value of GTK_THEME
    bool gsettingsRead = false;
    QString gsettingsColorScheme; // output of "gsettings get org.gnome.desktop.interface color-scheme"
    QString kdeglobalsPath;    // path of the KDE kdeglobals file (may not exist)
};

// The "apps use the light theme" value: 1 light, 0 dark. Returns false when
// no source gives an answer (the caller then treats the desktop as light).
bool appsUseLightThemeFrom(const ThemeSources &sources, quint32 *value);

// Gathers the sources of this desktop and decides.
ThemeSources currentThemeSources();
bool queryAppsUseLightTheme(quint32 *value);

} // namespace ztplatform

#endif

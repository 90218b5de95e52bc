#ifndef ZT_PLATFORM_DESKTOPTHEME_H
#define ZT_PLATFORM_DESKTOPTHEME_H

#include <QString>

namespace ztplatform {

// The desktop's colour-scheme settings.
struct ThemeSources
{
    bool gsettingsRead = false;
    QString gsettingsColorScheme; // output of "gsettings get org.gnome.desktop.interface color-scheme"
    QString kdeglobalsPath;    // path of the KDE kdeglobals file (may not exist)
};

// The "apps use the light theme" value: 1 light, 0 dark, from the GNOME
// colour scheme ("prefer-dark"/"prefer-light"), else the KDE colour scheme,
// else GNOME's "default" (light). Returns false when no source gives an
// answer (the caller then treats the desktop as light).
bool appsUseLightThemeFrom(const ThemeSources &sources, quint32 *value);

// Gathers the sources of this desktop and decides.
ThemeSources currentThemeSources();
bool queryAppsUseLightTheme(quint32 *value);

} // namespace ztplatform

#endif

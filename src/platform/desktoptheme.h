#ifndef ZT_PLATFORM_DESKTOPTHEME_H
#define ZT_PLATFORM_DESKTOPTHEME_H

#include <QObject>
#include <QProcess>
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

// This desktop's value, asked without waiting: gsettings runs as a process
// of its own and its answer is taken when it ends (answered()). Until then,
// and where it is missing or fails, the KDE scheme alone decides. A process
// still running when the object goes is killed.
class DesktopTheme : public QObject
{
    Q_OBJECT
public:
    explicit DesktopTheme(QObject *parent = nullptr);
    ~DesktopTheme() override;
    // Starts the question once and returns at once; nothing of the desktop
    // is looked at before.
    void start();
    // True while gsettings has not answered.
    bool waiting() const;
    // As appsUseLightThemeFrom, from what is known now.
    bool appsUseLightTheme(quint32 *value) const;

signals:
    void answered();

private:
    void take(int exitCode, QProcess::ExitStatus status);

    QProcess *m_process = nullptr;
    bool m_asked = false;
    ThemeSources m_sources;
};

} // namespace ztplatform

#endif

#include "platform/desktoptheme.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace ztplatform {

bool appsUseLightThemeFrom(const ThemeSources &sources, quint32 *value)
{
    quint32 v = 1;
    bool known = false;
    bool gnomeDefault = false;
    if (sources.gsettingsRead) {
        QString scheme = sources.gsettingsColorScheme.trimmed();
        scheme.remove(QLatin1Char('\''));
        if (scheme == QLatin1String("prefer-dark")) {
            v = 0;
            known = true;
        } else if (scheme == QLatin1String("prefer-light")) {
            v = 1;
            known = true;
        } else if (scheme == QLatin1String("default")) {
            gnomeDefault = true; // no preference: a KDE scheme may still say more
        }
    }
    if (!known && !sources.kdeglobalsPath.isEmpty() && QFile::exists(sources.kdeglobalsPath)) {
        QSettings kde(sources.kdeglobalsPath, QSettings::IniFormat);
        // QSettings reads the keys of "[General]" as top-level keys.
        const QString scheme = kde.value(QStringLiteral("ColorScheme")).toString();
        if (!scheme.isEmpty()) {
            v = scheme.contains(QLatin1String("dark"), Qt::CaseInsensitive) ? 0 : 1;
            known = true;
        }
    }
    if (!known && gnomeDefault) {
        v = 1;
        known = true;
    }
    if (known && value)
        *value = v;
    return known;
}

ThemeSources currentThemeSources()
{
    ThemeSources s;
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (!gsettings.isEmpty()) {
        QProcess p;
        p.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                            QStringLiteral("color-scheme")});
        if (p.waitForFinished(1500) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) {
            s.gsettingsRead = true;
            s.gsettingsColorScheme = QString::fromLocal8Bit(p.readAllStandardOutput());
        } else if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(500);
        }
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    s.kdeglobalsPath = config + QStringLiteral("/kdeglobals");
    return s;
}

bool queryAppsUseLightTheme(quint32 *value)
{
    return appsUseLightThemeFrom(currentThemeSources(), value);
}

} // namespace ztplatform

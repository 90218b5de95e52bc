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

DesktopTheme::DesktopTheme(QObject *parent)
    : QObject(parent)
{
}

DesktopTheme::~DesktopTheme()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000); // a killed process ends at once
    }
}

void DesktopTheme::start()
{
    if (m_asked)
        return;
    m_asked = true;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    m_sources.kdeglobalsPath = config + QStringLiteral("/kdeglobals");
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty())
        return;
    m_process = new QProcess(this);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &DesktopTheme::take);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            take(-1, QProcess::CrashExit);
    });
    m_process->start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                                 QStringLiteral("color-scheme")});
}

bool DesktopTheme::waiting() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool DesktopTheme::appsUseLightTheme(quint32 *value) const
{
    return appsUseLightThemeFrom(m_sources, value);
}

void DesktopTheme::take(int exitCode, QProcess::ExitStatus status)
{
    if (!m_process)
        return;
    if (status == QProcess::NormalExit && exitCode == 0) {
        m_sources.gsettingsRead = true;
        m_sources.gsettingsColorScheme = QString::fromLocal8Bit(m_process->readAllStandardOutput());
    }
    m_process->deleteLater();
    m_process = nullptr;
    emit answered();
}

} // namespace ztplatform

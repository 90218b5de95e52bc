#include "library/soundnames.h"

#include <QDir>
#include <QFileInfo>

namespace soundnames {

bool IncomingNames::taken(const QString &name)
{
    if (m_taken.contains(name))
        return true;
    if (!m_asked) {
        m_asked = true;
        if (m_listed)
            m_listedNames = m_listed();
    }
    return m_listedNames.contains(name);
}

QString IncomingNames::take(const QString &given)
{
    const QString name = namerules::soundName(given, [this](const QString &c) { return taken(c); });
    m_taken.insert(name);
    if (name != given)
        m_changes.append({given, name});
    return name;
}

QString nameFromFile(const QString &path)
{
    QString base = path.mid(path.lastIndexOf(QDir::separator()) + 1);
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        base.truncate(dot);
    return base;
}

bool isSoundFile(const QString &path)
{
    static const QStringList suffixes = {QStringLiteral("wav"), QStringLiteral("ape"), QStringLiteral("flac"),
                                         QStringLiteral("mp3"), QStringLiteral("wma"), QStringLiteral("aac"),
                                         QStringLiteral("aa3"), QStringLiteral("ac3"), QStringLiteral("ogg")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

} // namespace soundnames

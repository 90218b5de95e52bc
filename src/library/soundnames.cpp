#include "library/soundnames.h"

#include "library/soundlibrary.h"

#include <QDir>
#include <QFileInfo>

namespace soundnames {

IncomingNames::~IncomingNames() = default;

QString IncomingNames::take(const QString &given, const QString &source)
{
    if (!m_names)
        m_names = std::make_unique<namerules::NamesInUse>(&m_library.soundNameIndex());
    bool unique = false;
    const QString name = namerules::soundName(given, source, *m_names, &unique, [&](const QString &holder) {
        if (!m_bytes)
            m_bytes = std::make_unique<setupfiles::SoundBytes>(m_library.soundBytes());
        return m_bytes->same(holder, source);
    });
    if (name != given)
        m_changes.append({given, name, unique});
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

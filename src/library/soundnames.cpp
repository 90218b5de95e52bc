#include "library/soundnames.h"

#include "library/soundlibrary.h"

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

bool isSoundFile(const QString &path)
{
    static const QStringList suffixes = {QStringLiteral("wav"), QStringLiteral("ape"), QStringLiteral("flac"),
                                         QStringLiteral("mp3"), QStringLiteral("wma"), QStringLiteral("aac"),
                                         QStringLiteral("aa3"), QStringLiteral("ac3"), QStringLiteral("ogg")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

} // namespace soundnames

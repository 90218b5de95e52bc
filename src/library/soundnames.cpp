#include "library/soundnames.h"
#include "model/namerules.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace soundnames {

QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen)
{
    QString prefix = name.left(qMax(0, maxLen - 6));
    if (!namerules::checkDisplayKitName(prefix))
        prefix = defaultPrefix;
    quint16 n = 1;
    QString candidate;
    do {
        candidate = prefix + QStringLiteral("~%1").arg(n, 5, 10, QLatin1Char('0'));
        ++n;
    } while (taken && taken(candidate) && n != 0);
    return candidate;
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

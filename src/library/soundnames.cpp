#include "library/soundnames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace soundnames {

bool isValidName(const QString &name)
{
    static const QRegularExpression longName(
            QStringLiteral("\\A[a-zA-Z0-9]+[-~a-zA-Z0-9_\\.' ]*[a-zA-Z0-9]\\z"));
    static const QRegularExpression shortName(QStringLiteral("\\A[a-zA-Z0-9]\\z"));
    const QRegularExpression &rule = name.size() >= 2 ? longName : shortName;
    return rule.match(name).hasMatch();
}

QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen)
{
    QString prefix = name.left(qMax(0, maxLen - 6));
    if (!isValidName(prefix))
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

bool isLastCharAlnum(const QString &s)
{
    if (s.isEmpty())
        return false;
    const ushort c = s.back().unicode();
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

QString detectWaveName(const QString &name, int len)
{
    QString cut = name.left(qMax(0, len));
    while (!cut.isEmpty() && !isLastCharAlnum(cut))
        cut.chop(1);
    return cut;
}

bool isSoundFile(const QString &path)
{
    static const QStringList suffixes = {QStringLiteral("wav"), QStringLiteral("ape"), QStringLiteral("flac"),
                                         QStringLiteral("mp3"), QStringLiteral("wma"), QStringLiteral("aac"),
                                         QStringLiteral("aa3"), QStringLiteral("ac3"), QStringLiteral("ogg")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

} // namespace soundnames

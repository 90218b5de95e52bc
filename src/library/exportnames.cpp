#include "library/exportnames.h"

namespace exportnames {

QString safeName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("SOUND");
    QString out = name;
    for (QChar &c : out) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    return out;
}

QString freeName(const QString &name, const std::function<bool(const QString &)> &taken)
{
    QString candidate = name + QStringLiteral(".wav");
    for (int n = 1; taken(candidate); ++n) {
        if (n > 99)
            return QString();
        candidate = name + QStringLiteral("~%1.wav").arg(n);
    }
    return candidate;
}

} // namespace exportnames

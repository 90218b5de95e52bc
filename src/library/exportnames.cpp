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
    const QString wav = QStringLiteral(".wav");
    const bool named = name.size() > wav.size() && name.endsWith(wav, Qt::CaseInsensitive);
    const QString stem = named ? name.chopped(wav.size()) : name;
    const QString suffix = named ? name.right(wav.size()) : wav;
    QString candidate = stem + suffix;
    for (int n = 1; taken(candidate); ++n) {
        if (n > 99)
            return QString();
        candidate = stem + QStringLiteral("~%1").arg(n) + suffix;
    }
    return candidate;
}

} // namespace exportnames

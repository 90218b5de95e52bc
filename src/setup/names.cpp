#include "setup/names.h"

#include "model/percussionpadfile1.h"

#include <QRegularExpression>

namespace setupfiles {

namespace {

bool isAsciiAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// Sound names longer than the limit, or not ending in a letter or digit, are cut.
QString fitToLimit(const QString &name, bool *renamed)
{
    const int len = name.size();
    const bool fits = len <= SOUND_NAME_LENGTH_MAX && isLastCharAlnum(name);
    if (renamed)
        *renamed = !fits;
    if (fits)
        return name;
    return detectWaveName(name, qMin(len, SOUND_NAME_LENGTH_MAX));
}

} // namespace

bool isLastCharAlnum(const QString &text)
{
    return !text.isEmpty() && isAsciiAlnum(text.back());
}

QString detectWaveName(const QString &name, int n)
{
    if (name.isEmpty() || n < 1)
        return QString();
    for (int len = qMin(n, name.size()); len > 0; --len) {
        if (isAsciiAlnum(name.at(len - 1)))
            return name.left(len);
    }
    return QString();
}

bool checkDisplayKitName(const QString &name)
{
    static const QRegularExpression one(QStringLiteral("^[a-zA-Z0-9]$"));
    static const QRegularExpression more(QStringLiteral("^[a-zA-Z0-9][a-zA-Z0-9\\-~_.' ]*[a-zA-Z0-9]$"));
    return (name.size() == 1 ? one : more).match(name).hasMatch();
}

QString defaultKitName(int kitNumber)
{
    return QStringLiteral("K%1").arg(kitNumber, 3, 10, QLatin1Char('0'));
}

QString fitSoundName(const QString &name, bool *renamed)
{
    return fitToLimit(name, renamed);
}

QString fitKitFileSoundName(const QString &name, bool *renamed)
{
    const int wav = name.indexOf(QLatin1String(".wav"));
    return fitToLimit(wav >= 0 ? name.left(wav) : name, renamed);
}

KitNameFit fitKitName(const QString &stored, int kitNumber)
{
    KitNameFit fit;
    QString name = stored;
    const int len = name.size();
    if (len == 0) {
        name = defaultKitName(kitNumber);
        fit.cut = true;
    } else if (len > KIT_NAME_MAX || !isLastCharAlnum(name)) {
        name = detectWaveName(name, qMin(len, KIT_NAME_MAX));
        fit.cut = true;
        if (name.isEmpty())
            name = defaultKitName(kitNumber);
    }
    if (!checkDisplayKitName(name)) {
        name = defaultKitName(kitNumber);
        fit.replaced = true;
    }
    fit.name = name;
    return fit;
}

QString numberReport(const QVector<int> &numbers, const QString &start, const QString &single,
                     const QString &plural, const QString &andTwo, const QString &andLast)
{
    const int n = numbers.size();
    if (n == 0)
        return QString();
    QString text = start;
    if (n == 1)
        return text + QString::number(numbers.first()) + QLatin1Char(' ') + single;
    if (n == 2) {
        text += QString::number(numbers.at(0)) + andTwo + QString::number(numbers.at(1)) + QLatin1Char(' ');
    } else {
        for (int i = 0; i < n - 2; ++i)
            text += QString::number(numbers.at(i)) + QLatin1String(", ");
        text += QString::number(numbers.at(n - 2)) + QLatin1Char(' ') + andLast
                + QString::number(numbers.at(n - 1)) + QLatin1Char(' ');
    }
    if (n > 4)
        text += QLatin1String("\r\n");
    return text + plural;
}

} // namespace setupfiles

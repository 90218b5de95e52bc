#include "model/namerules.h"

#include "model/percussionpadfile1.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace namerules {

namespace {
bool isAsciiAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}
} // namespace

bool isLastCharAlnum(const QString &s)
{
    return !s.isEmpty() && isAsciiAlnum(s.back());
}

QString detectWaveName(const QString &name, int n)
{
    for (int len = qMin(n, name.size()); len > 0; --len) {
        if (isAsciiAlnum(name.at(len - 1)))
            return name.left(len);
    }
    return QString();
}

bool checkDisplayKitName(const QString &name)
{
    static const QRegularExpression one(QStringLiteral("\\A[a-zA-Z0-9]\\z"));
    static const QRegularExpression longer(QStringLiteral("\\A[a-zA-Z0-9]+[-~a-zA-Z0-9_\\.' ]*[a-zA-Z0-9]\\z"));
    return (name.size() <= 1 ? one : longer).match(name).hasMatch();
}

QString defaultKitName(int n)
{
    return QStringLiteral("K%1").arg(n, 3, 10, QLatin1Char('0'));
}

QString fitSoundName(const QString &name, bool *renamed)
{
    const int len = name.size();
    const bool fits = len <= SOUND_NAME_LENGTH_MAX && isLastCharAlnum(name);
    if (renamed)
        *renamed = !fits;
    return fits ? name : detectWaveName(name, qMin(len, SOUND_NAME_LENGTH_MAX));
}

QString fitKitName(const QString &stored, int n, bool *cut, bool *replaced)
{
    bool shortened = false;
    QString name = stored;
    if (name.isEmpty()) {
        name = defaultKitName(n);
        shortened = true;
    } else if (name.size() > KIT_NAME_MAX || !isLastCharAlnum(name)) {
        name = detectWaveName(name, KIT_NAME_MAX);
        shortened = true;
        if (name.isEmpty())
            name = defaultKitName(n);
    }
    const bool other = !checkDisplayKitName(name);
    if (other)
        name = defaultKitName(n);
    if (cut)
        *cut = shortened;
    if (replaced)
        *replaced = other;
    return name;
}

QString joinNumbersMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                           const QString &plural)
{
    const int k = numbers.size();
    if (k == 0)
        return QString();
    QString text = lead;
    if (k == 1)
        return text + QString::number(numbers.first()) + QLatin1Char(' ') + singular;
    if (k == 2) {
        text += QString::number(numbers.at(0)) + QCoreApplication::translate("MainWindow1", " and ")
                + QString::number(numbers.at(1)) + QLatin1Char(' ');
    } else {
        for (int i = 0; i < k - 2; ++i)
            text += QString::number(numbers.at(i)) + QStringLiteral(", ");
        text += QString::number(numbers.at(k - 2)) + QLatin1Char(' ')
                + QCoreApplication::translate("MainWindow1", "and ") + QString::number(numbers.at(k - 1))
                + QLatin1Char(' ');
    }
    if (k > 4)
        text += QStringLiteral("\r\n");
    return text + plural;
}

} // namespace namerules

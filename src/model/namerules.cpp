#include "model/namerules.h"

#include "model/percussionpadfile1.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

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

namespace {

// lead + the items joined + " " + the sentence, as joinNumbersMessage says.
QString joinItems(const QString &lead, const QStringList &items, bool several, const QString &singular,
                  const QString &plural)
{
    const int k = items.size();
    if (k == 0)
        return QString();
    QString text = lead;
    if (k == 1)
        return text + items.first() + QLatin1Char(' ') + (several ? plural : singular);
    if (k == 2) {
        text += items.at(0) + QCoreApplication::translate("MainWindow1", " and ") + items.at(1) + QLatin1Char(' ');
    } else {
        for (int i = 0; i < k - 2; ++i)
            text += items.at(i) + QStringLiteral(", ");
        text += items.at(k - 2) + QLatin1Char(' ') + QCoreApplication::translate("MainWindow1", "and ")
                + items.at(k - 1) + QLatin1Char(' ');
    }
    if (k > 4)
        text += QStringLiteral("\r\n");
    return text + plural;
}

} // namespace

QString joinNumbersMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                           const QString &plural)
{
    QStringList items;
    for (int n : numbers)
        items << QString::number(n);
    return joinItems(lead, items, false, singular, plural);
}

QString joinRangesMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                          const QString &plural)
{
    QStringList items;
    for (int i = 0; i < numbers.size();) {
        int j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        if (j - i >= 2) {
            items << QString::number(numbers.at(i)) + QChar(0x2013) + QString::number(numbers.at(j));
        } else {
            for (int m = i; m <= j; ++m)
                items << QString::number(numbers.at(m));
        }
        i = j + 1;
    }
    return joinItems(lead, items, numbers.size() > 1, singular, plural);
}

} // namespace namerules

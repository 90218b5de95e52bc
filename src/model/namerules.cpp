#include "model/namerules.h"

#include "model/percussionpadfile1.h"

#include <QCoreApplication>
#include <QDebug>
#include <QRegularExpression>
#include <QStringList>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace namerules {

namespace {
bool isAsciiAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isPatternChar(QChar c)
{
    return isAsciiAlnum(c) || QStringLiteral("-~_.' ").contains(c);
}

bool isAscii(const QString &s)
{
    for (const QChar c : s) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

std::unique_ptr<icu::Transliterator> makeToAscii()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        qWarning() << "no ICU transliterator to ASCII:" << u_errorName(status);
        t.reset();
    }
    return t;
}

// Any script to Latin, then Latin to ASCII; the text as it is when ICU has
// no such transliterator. One per thread: a transliterator is not shared.
QString transliterated(const QString &s)
{
    thread_local const std::unique_ptr<icu::Transliterator> toAscii = makeToAscii();
    if (!toAscii)
        return s;
    icu::UnicodeString text(reinterpret_cast<const UChar *>(s.utf16()), s.size());
    toAscii->transliterate(text);
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
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

QString asciiSoundName(const QString &name)
{
    const QString ascii = isAscii(name) ? name : transliterated(name);
    QString kept;
    kept.reserve(ascii.size());
    for (const QChar c : ascii) {
        if (isPatternChar(c))
            kept.append(c);
        else if (!kept.isEmpty() && kept.back() != QLatin1Char(' '))
            kept.append(QLatin1Char(' '));
    }
    int first = 0;
    while (first < kept.size() && !isAsciiAlnum(kept.at(first)))
        ++first;
    return detectWaveName(kept.mid(first), SOUND_NAME_LENGTH_MAX);
}

QString soundName(const QString &name, const std::function<bool(const QString &)> &taken)
{
    const QString ascii = asciiSoundName(name);
    return ascii.isEmpty() ? fallbackName(QString(), taken, QStringLiteral("SOUND"), SOUND_NAME_LENGTH_MAX) : ascii;
}

QString clickSoundName(const QString &fileName)
{
    if (isAscii(fileName))
        return fileName;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot > 0 ? asciiSoundName(fileName.mid(dot + 1)) : QString();
    const QString base = soundName(dot > 0 ? fileName.left(dot) : fileName, nullptr);
    return suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix;
}

QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen)
{
    QString prefix = name.left(qMax(0, maxLen - 6));
    if (!checkDisplayKitName(prefix))
        prefix = defaultPrefix;
    quint16 n = 1;
    QString candidate;
    do {
        candidate = prefix + QStringLiteral("~%1").arg(n, 5, 10, QLatin1Char('0'));
        ++n;
    } while (taken && taken(candidate) && n != 0);
    return candidate;
}

QString nameChangesText(const QString &lead, const QVector<NameChange> &changes, int shown)
{
    QStringList lines{lead};
    for (int i = 0; i < changes.size() && i < shown; ++i)
        lines << QStringLiteral("\"%1\" \u2192 \"%2\"").arg(changes.at(i).from, changes.at(i).to);
    if (changes.size() > shown)
        lines << QCoreApplication::translate("MainWindow1", "and %1 more").arg(changes.size() - shown);
    return lines.join(QStringLiteral("\r\n"));
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

#include "model/namerules.h"

#include "model/percussionpadfile1.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QHash>
#include <QPair>
#include <QRegularExpression>
#include <QStringList>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <climits>
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

// Any script to Latin, then Latin to ASCII: one for each thread that uses
// it (a transliterator is not shared between threads).
icu::Transliterator *threadToAscii()
{
    thread_local const std::unique_ptr<icu::Transliterator> mine = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
                icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            qWarning() << "no ICU transliterator to ASCII:" << u_errorName(status);
            t.reset();
        }
        return t;
    }();
    return mine.get();
}

QString throughIcu(const QString &s)
{
    icu::Transliterator *toAscii = threadToAscii();
    if (!toAscii)
        return s;
    icu::UnicodeString text(reinterpret_cast<const UChar *>(s.utf16()), s.size());
    toAscii->transliterate(text);
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

// ICU's rules from Han to Latin as a table, in ASCII: each character's
// syllable, and the few that read otherwise before a given character (with a
// blank between or not). Read once from the rules themselves; when they take
// another shape than "[characters] > syllable;" and "{A}' '?B > syllable;"
// after the step that spaces the characters, the table stays unusable and
// every name goes through ICU.
struct HanTable
{
    QHash<char32_t, QString> syllable;
    QHash<QPair<char32_t, char32_t>, QString> before;
    bool usable = false;
};

// The characters of a rule's set: single characters and ranges "a-b".
bool parseHanSet(const QVector<uint> &set, QVector<char32_t> &out)
{
    for (int i = 0; i < set.size(); ++i) {
        const uint c = set.at(i);
        if (c < 0x80)
            return false; // syntax we do not read
        if (i + 2 < set.size() && set.at(i + 1) == '-') {
            for (uint r = c; r <= set.at(i + 2); ++r)
                out.append(r);
            i += 2;
        } else {
            out.append(c);
        }
    }
    return true;
}

HanTable readHanTable()
{
    HanTable table;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Transliterator> han(
            icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
    const std::unique_ptr<icu::Transliterator> latin(
            icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !han || !latin)
        return table;
    icu::UnicodeString source;
    han->toRules(source, false);
    const QStringList rules = QString(reinterpret_cast<const QChar *>(source.getBuffer()), source.length())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    static const QRegularExpression setRule(QStringLiteral("\\A\\[([^\\]]+)\\] > ((?:[a-z]|[^\\x{0}-\\x{7F}])*);\\z"));
    static const QRegularExpression pairRule(
            QStringLiteral("\\A\\{(.)\\}' '\\?(.) > ((?:[a-z]|[^\\x{0}-\\x{7F}])+);\\z"));
    QHash<QString, QString> ascii; // syllable -> its ASCII form
    auto asciiOf = [&](const QString &s) {
        auto it = ascii.constFind(s);
        if (it == ascii.constEnd()) {
            icu::UnicodeString text(reinterpret_cast<const UChar *>(s.utf16()), s.size());
            latin->transliterate(text);
            it = ascii.insert(s, QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length()));
        }
        return it.value();
    };
    for (int i = 0; i < rules.size(); ++i) {
        const QString &rule = rules.at(i);
        if (i == 0) {
            if (rule != QLatin1String("::Han-Spacedhan();"))
                return table;
            continue;
        }
        const QRegularExpressionMatch pair = pairRule.match(rule);
        if (pair.hasMatch()) {
            const QVector<uint> a = pair.captured(1).toUcs4();
            const QVector<uint> b = pair.captured(2).toUcs4();
            if (a.size() != 1 || b.size() != 1)
                return table;
            table.before.insert({a.first(), b.first()}, asciiOf(pair.captured(3)));
            continue;
        }
        const QRegularExpressionMatch set = setRule.match(rule);
        QVector<char32_t> chars;
        if (!set.hasMatch() || !parseHanSet(set.captured(1).toUcs4(), chars))
            return table;
        const QString syllable = asciiOf(set.captured(2));
        for (const char32_t c : qAsConst(chars)) {
            if (!table.syllable.contains(c)) // the first rule of a character holds
                table.syllable.insert(c, syllable);
        }
    }
    table.usable = !table.syllable.isEmpty();
    return table;
}

const HanTable &hanTable()
{
    static const HanTable table = readHanTable();
    return table;
}

bool isAsciiLetter(uint c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// ASCII letters, digits, blanks and - _ ~ ' with Han characters of the
// table, made ASCII as ICU does: a Han character after a letter (or another
// Han character) takes a blank before its syllable. False when the name holds
// anything else.
bool fromHanTable(const QString &s, QString &out)
{
    const HanTable &table = hanTable();
    if (!table.usable)
        return false;
    const QVector<uint> chars = s.toUcs4();
    out.clear();
    out.reserve(chars.size() * 4);
    bool letterBefore = false;
    for (int i = 0; i < chars.size(); ++i) {
        const uint c = chars.at(i);
        if (c < 0x80) {
            if (!(isAsciiLetter(c) || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_' || c == '~'
                  || c == '\''))
                return false;
            out.append(QChar(ushort(c)));
            letterBefore = isAsciiLetter(c);
            continue;
        }
        const auto syllable = table.syllable.constFind(c);
        if (syllable == table.syllable.constEnd())
            return false;
        if (letterBefore)
            out.append(QLatin1Char(' '));
        const int next = i + 1 < chars.size() && chars.at(i + 1) == ' ' ? i + 2 : i + 1;
        const auto pair = table.before.isEmpty() || next >= chars.size()
                                  ? table.before.constEnd()
                                  : table.before.constFind({c, chars.at(next)});
        out.append(pair != table.before.constEnd() ? pair.value() : syllable.value());
        letterBefore = true;
    }
    return true;
}

} // namespace

QString asciiText(const QString &s)
{
    if (isAscii(s))
        return s;
    QString out;
    return fromHanTable(s, out) ? out : throughIcu(s);
}

bool hanTableInUse()
{
    return hanTable().usable;
}

QString asciiTextThroughIcu(const QString &s)
{
    return throughIcu(s);
}

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

QString nameFromFile(const QString &path)
{
    QString base = path.mid(path.lastIndexOf(QDir::separator()) + 1);
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        base.truncate(dot);
    return base;
}

QString asciiSoundName(const QString &name)
{
    const QString ascii = asciiText(name);
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

void NamesInUse::add(const QString &name, const QString &source)
{
    if (m_adds[name][source]++ > 0)
        return;
    m_holders[name].append(source);
    m_namesOf[source].append(name);
}

void NamesInUse::remove(const QString &name, const QString &source)
{
    const auto byName = m_adds.find(name);
    if (byName == m_adds.end())
        return;
    const auto count = byName->find(source);
    if (count == byName->end() || --*count > 0)
        return;
    byName->erase(count);
    if (byName->isEmpty())
        m_adds.erase(byName);
    QStringList &sources = m_holders[name];
    sources.removeOne(source);
    if (sources.isEmpty())
        m_holders.remove(name);
    QStringList &names = m_namesOf[source];
    names.removeOne(name);
    if (names.isEmpty())
        m_namesOf.remove(source);
    m_nextFree.clear(); // a number may be free again
}

QStringList NamesInUse::holders(const QString &name) const
{
    QStringList out = m_base ? m_base->holders(name) : QStringList();
    for (const QString &source : m_holders.value(name)) {
        if (!out.contains(source))
            out.append(source);
    }
    return out;
}

QString NamesInUse::heldNumbered(const QString &prefix, const QString &source) const
{
    QVector<const NamesInUse *> layers; // the deepest first, as the names were added
    for (const NamesInUse *l = this; l; l = l->m_base)
        layers.prepend(l);
    for (const NamesInUse *layer : layers) {
        for (const QString &held : layer->m_namesOf.value(source)) {
            if (held.size() == prefix.size() + 6 && held.startsWith(prefix)
                && held.at(prefix.size()) == QLatin1Char('~')) {
                bool digits = false;
                held.rightRef(5).toInt(&digits);
                if (digits && !heldByOther(held, source))
                    return held;
            }
        }
    }
    return QString();
}

QString NamesInUse::firstFree(const QString &prefix, const QString &source) const
{
    const QString held = heldNumbered(prefix, source);
    if (!held.isEmpty())
        return held;
    auto numbered = [&prefix](int n) { return prefix + QStringLiteral("~%1").arg(n, 5, 10, QLatin1Char('0')); };
    int &n = m_nextFree[prefix];
    n = qMax(n, 1);
    while (n < 99999 && heldByOther(numbered(n), source))
        ++n;
    return numbered(n);
}

bool NamesInUse::heldByOtherHere(const QString &name, const QString &source) const
{
    const auto it = m_holders.constFind(name);
    return it != m_holders.constEnd() && (it->size() > 1 || it->constFirst() != source);
}

bool NamesInUse::heldByOther(const QString &name, const QString &source) const
{
    return heldByOtherHere(name, source) || (m_base && m_base->heldByOther(name, source));
}

QString uniqueSoundName(const QString &name, const QString &source, const NamesInUse &inUse, const SameSound &same)
{
    if (!inUse.heldByOther(name, source))
        return name;
    if (same) {
        for (const QString &holder : inUse.holders(name)) {
            if (holder != source && same(holder))
                return name;
        }
    }
    static const QRegularExpression numbered(QStringLiteral("~\\d{5}\\z"));
    QString base = name;
    base.remove(numbered);
    QString prefix = detectWaveName(base, SOUND_NAME_LENGTH_MAX - 6);
    if (prefix.isEmpty())
        prefix = QStringLiteral("SOUND");
    return inUse.firstFree(prefix, source);
}

QString soundName(const QString &name, const QString &source, NamesInUse &inUse, bool *madeUnique,
                  const SameSound &same)
{
    const QString ascii = asciiSoundName(name);
    const QString ruled = ascii.isEmpty() ? QStringLiteral("SOUND~00001") : ascii;
    const QString unique = uniqueSoundName(ruled, source, inUse, ascii.isEmpty() ? SameSound() : same);
    inUse.add(unique, source);
    if (madeUnique)
        *madeUnique = unique != ruled && !ascii.isEmpty();
    return unique;
}

QString clickSoundName(const QString &fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot > 0 ? asciiSoundName(fileName.mid(dot + 1)) : QString();
    const QString base = asciiSoundName(dot > 0 ? fileName.left(dot) : fileName);
    if (suffix.isEmpty() || suffix.size() > SOUND_NAME_LENGTH_MAX - 2)
        return base.isEmpty() ? soundName(QString(), nullptr) : base;
    // The suffix stays; the base gives way to it and keeps the rule's ends.
    const QString kept = detectWaveName(base, SOUND_NAME_LENGTH_MAX - 1 - suffix.size());
    return (kept.isEmpty() ? QStringLiteral("SOUND") : kept) + QLatin1Char('.') + suffix;
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

QString boxName(const QString &name, int longest)
{
    QString shown = name;
    if (name.size() > longest && longest > 2) {
        int head = (longest - 1) / 2;
        int tail = longest - 1 - head;
        if (name.at(head - 1).isHighSurrogate())
            --head; // a character is never split
        if (name.at(name.size() - tail).isLowSurrogate())
            --tail;
        shown = name.left(head) + QChar(0x2026) + name.right(tail);
    }
    return QChar(0x2068) + shown + QChar(0x2069);
}

QString nameChangeLine(const NameChange &change, int longest)
{
    return QStringLiteral("\"%1\" \u2192 \"%2\"").arg(boxName(change.from, longest), boxName(change.to, longest));
}

namespace {

// The lines of nameChangesText; `cut` is set when a name was shortened or a
// change left out.
QStringList changeLines(const QString &lead, const QString &uniqueLead, const QVector<NameChange> &changes,
                        int shown, int longest, bool *cut)
{
    QStringList lines;
    int listed = 0;
    for (const bool unique : {false, true}) {
        bool led = false;
        for (const NameChange &c : changes) {
            if (c.unique != unique || listed >= shown)
                continue;
            if (!led)
                lines << (unique ? uniqueLead : lead);
            led = true;
            lines << nameChangeLine(c, longest);
            if (c.from.size() > longest || c.to.size() > longest)
                *cut = true;
            ++listed;
        }
    }
    if (changes.size() > listed) {
        lines << QCoreApplication::translate("MainWindow1", "and %1 more").arg(changes.size() - listed);
        *cut = true;
    }
    return lines;
}

} // namespace

QString nameChangesText(const QString &lead, const QString &uniqueLead, const QVector<NameChange> &changes,
                        int shown, QString *details)
{
    constexpr int longest = 40;
    bool cut = false;
    const QString text = changeLines(lead, uniqueLead, changes, shown, longest, &cut).join(QStringLiteral("\r\n"));
    if (details) {
        bool whole = false;
        *details = cut ? changeLines(lead, uniqueLead, changes, changes.size(), INT_MAX, &whole)
                                 .join(QStringLiteral("\r\n"))
                       : QString();
    }
    return text;
}

QString kitNameChangesText(const QVector<int> &numbers, const QHash<int, NameChange> &names)
{
    QStringList lines;
    for (const int n : numbers) {
        const auto it = names.constFind(n);
        if (it != names.constEnd())
            lines << QCoreApplication::translate("MainWindow1", "Kit %1: %2").arg(n).arg(nameChangeLine(*it));
    }
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

QStringList rangeItems(const QVector<int> &numbers)
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
    return items;
}

QString joinRangesMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                          const QString &plural)
{
    return joinItems(lead, rangeItems(numbers), numbers.size() > 1, singular, plural);
}

} // namespace namerules

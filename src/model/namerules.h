#ifndef ZT_MODEL_NAMERULES_H
#define ZT_MODEL_NAMERULES_H

// Rules for the sound and kit names the editor takes in, and the texts of
// the boxes that tell which were changed.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace namerules {

// True when the text is not empty and ends in an ASCII letter or digit.
bool isLastCharAlnum(const QString &s);

// The longest prefix of at most n characters that ends in an ASCII letter or
// digit; empty when there is none.
QString detectWaveName(const QString &name, int n);

// Begins and ends with an ASCII letter or digit, with only letters, digits
// and - ~ _ . ' and space in between (a single letter or digit passes).
bool checkDisplayKitName(const QString &name);

// "K001" ... "K100" for kit number n (1-based).
QString defaultKitName(int n);

// The last path segment (after the native separator) without its last suffix.
QString nameFromFile(const QString &path);

// Any script made ASCII (Han as pinyin, accents dropped) as ICU's
// "Any-Latin; Latin-ASCII" does; the text as it is when ICU has none. Han
// names are read from a table made once from ICU's own rules.
QString asciiText(const QString &s);
// The same, always through ICU's transliterator.
QString asciiTextThroughIcu(const QString &s);
// Whether Han names are read from that table (ICU's rules had the shape it reads).
bool hanTableInUse();

// The name a sound takes on every way in, one the pad and a kit file hold as
// they show it: made ASCII (any script transliterated, Han as pinyin, accents
// dropped), each character the name pattern does not allow turned into a
// blank (one blank for a run of them), then cut to SOUND_NAME_LENGTH_MAX
// characters that begin and end with a letter or digit. Empty when nothing is
// left.
QString asciiSoundName(const QString &name);

// asciiSoundName, or when nothing is left the first "SOUND~nnnnn" that
// `taken` does not know.
QString soundName(const QString &name, const std::function<bool(const QString &)> &taken);

// The sound names in use, each with the sources of the sounds that hold it
// (a file, or a place in a kit file); looked up in constant time.
class NamesInUse
{
public:
    // Names added here join those of `base`, which must outlive this and
    // stay unchanged meanwhile.
    explicit NamesInUse(const NamesInUse *base = nullptr) : m_base(base) {}
    void add(const QString &name, const QString &source);
    // Undoes one add() of the pair; the pair stays while other adds hold it.
    void remove(const QString &name, const QString &source);
    // The sources of the sounds that hold `name`, each once.
    QStringList holders(const QString &name) const;
    // True when a sound other than the one at `source` holds `name`.
    bool heldByOther(const QString &name, const QString &source) const;
    bool isEmpty() const { return m_holders.isEmpty() && (!m_base || m_base->isEmpty()); }
    // The first prefix + "~nnnnn" (n from 1) that no sound other than the
    // one at `source` holds; the one that sound holds already, if any.
    // Numbers found taken are not tried again.
    QString firstFree(const QString &prefix, const QString &source) const;

private:
    bool heldByOtherHere(const QString &name, const QString &source) const;
    QString heldNumbered(const QString &prefix, const QString &source) const;

    const NamesInUse *m_base = nullptr;
    QHash<QString, QStringList> m_holders;
    QHash<QString, QStringList> m_namesOf;  // source -> the names it holds
    QHash<QString, QHash<QString, int>> m_adds; // name -> source -> adds not removed
    mutable QHash<QString, int> m_nextFree; // prefix -> the first number not known to be taken
};

// Whether the sound at a source holding a name is the incoming sound itself
// (the same bytes); unset: only the same source is.
using SameSound = std::function<bool(const QString &holder)>;

// `name` when no sound other than the one at `source` holds it, or one that
// holds it is the same sound; else the first prefix + "~nnnnn" (n from 1)
// that no other sound holds. The prefix is the name without a "~nnnnn" it
// ends in, cut to SOUND_NAME_LENGTH_MAX - 6 characters and back to its last
// letter or digit, or "SOUND" when nothing is left.
QString uniqueSoundName(const QString &name, const QString &source, const NamesInUse &inUse,
                        const SameSound &same = SameSound());

// The name a sound from `source` takes: asciiSoundName, or "SOUND~nnnnn"
// when nothing is left, made unique among `inUse`, which then holds it.
// *madeUnique tells whether another sound held the rule's name.
QString soundName(const QString &name, const QString &source, NamesInUse &inUse, bool *madeUnique = nullptr,
                  const SameSound &same = SameSound());

// A metronome sound's name, from its file's name: the base name and the
// suffix each by the sound-name rule, the base cut so that both fit in
// SOUND_NAME_LENGTH_MAX characters ("SOUND" when nothing is left of it).
QString clickSoundName(const QString &fileName);

// prefix + "~nnnnn" (n counting from 1) that `taken` does not know; the prefix
// is the first maxLen - 6 characters of name, or defaultPrefix when those do
// not form a valid name.
QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen);

// A sound name as it came in and as the rule left it; `unique` when another
// sound held the rule's name, so that it took a number.
struct NameChange
{
    QString from;
    QString to;
    bool unique = false;
    bool operator==(const NameChange &o) const { return from == o.from && to == o.to && unique == o.unique; }
};

// A name as a box shows it: isolated from the text around it (U+2068 ...
// U+2069), so that a line reads in its order whatever the name's script;
// longer than `longest` characters, cut in the middle to an ellipsis.
QString boxName(const QString &name, int longest = 40);
// One line `"from" → "to"` of a box, both names as boxName shows them.
QString nameChangeLine(const NameChange &change, int longest = 40);

// The lines of a box about renamed sounds: `lead`, then one line for each
// change the rule alone made, then `uniqueLead` and one line for each name
// made unique; at most `shown` lines of changes, then how many more there
// are. When a name was cut or a change left out, *details (if given) holds
// the same lines with every change and whole names, for the box's details;
// else it is emptied.
QString nameChangesText(const QString &lead, const QString &uniqueLead, const QVector<NameChange> &changes,
                        int shown = 25, QString *details = nullptr);

// One line for each kit of `numbers` (1-based) that `names` holds: "Kit n: "
// and its `"old" → "new"` line, joined by line breaks.
QString kitNameChangesText(const QVector<int> &numbers, const QHash<int, NameChange> &names);

// The kit-name rules for kit number n (1-based): an empty name, or one too long
// or not ending in a letter or digit, is shortened (`cut`, the default name when
// nothing is left); a name with other characters becomes the default name
// (`replaced`).
QString fitKitName(const QString &stored, int n, bool *cut, bool *replaced);

// lead + the numbers + " " + sentence: two numbers joined by " and ", more as
// "a, b, c and d"; "\r\n" before the sentence when there are more than four.
// The singular sentence for one number, the plural one otherwise; "" for none.
// " and " and "and " pass through the translator.
QString joinNumbersMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                           const QString &plural);
// The numbers as given, each run of three or more consecutive ones written
// as one range ("1–99", an en dash).
QStringList rangeItems(const QVector<int> &numbers);
// joinNumbersMessage() of rangeItems().
QString joinRangesMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                          const QString &plural);

} // namespace namerules

#endif

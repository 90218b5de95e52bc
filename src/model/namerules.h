#ifndef ZT_MODEL_NAMERULES_H
#define ZT_MODEL_NAMERULES_H

// Rules for the sound and kit names the editor reads from files and the pad,
// and the message that lists the numbers of renamed items.

#include <QString>
#include <QVector>

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

// A sound name cut to SOUND_NAME_LENGTH_MAX characters ending in a letter or
// digit (empty when it has none); `renamed` when it was changed.
QString fitSoundName(const QString &name, bool *renamed);

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
// The same with each run of three or more consecutive numbers written as one
// range ("1–99", an en dash), joined as the numbers are.
QString joinRangesMessage(const QString &lead, const QVector<int> &numbers, const QString &singular,
                          const QString &plural);

} // namespace namerules

#endif

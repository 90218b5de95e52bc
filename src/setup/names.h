#ifndef ZT_SETUP_NAMES_H
#define ZT_SETUP_NAMES_H

// Name rules of sounds and kits taken from kit files, and the reports that
// list what was renamed.

#include <QString>
#include <QVector>

namespace setupfiles {

// True when the text is not empty and ends in an ASCII letter or digit.
bool isLastCharAlnum(const QString &text);
// Longest prefix of at most n characters ending in an ASCII letter or digit;
// empty when there is none.
QString detectWaveName(const QString &name, int n);
// Letters, digits, - ~ _ . ' and blanks, beginning and ending with a letter or digit.
bool checkDisplayKitName(const QString &name);
// "K001" ... "K100".
QString defaultKitName(int kitNumber);

// A whole-setup sound name cut to 16 characters ending in a letter or digit.
QString fitSoundName(const QString &name, bool *renamed);
// A kit-file sound name: cut before ".wav", then as fitSoundName.
QString fitKitFileSoundName(const QString &name, bool *renamed);

struct KitNameFit
{
    QString name;
    bool cut = false;      // shortened or replaced for its length or last character
    bool replaced = false; // replaced for a character outside the allowed set
};
// The name a kit record's name becomes in kit kitNumber (1-based).
KitNameFit fitKitName(const QString &stored, int kitNumber);

// "<start>3, 7 and 12 <plural>" style report of renamed numbers; `andTwo`
// joins two numbers (" and "), `andLast` leads the last of three or more ("and ").
QString numberReport(const QVector<int> &numbers, const QString &start, const QString &single,
                     const QString &plural, const QString &andTwo, const QString &andLast);

} // namespace setupfiles

#endif

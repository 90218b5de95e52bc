#pragma once

#include <QString>

#include <functional>

// Rules for the names of sounds and kits, free of any window or model.
namespace soundnames {

// A name of letters and digits that may hold "-~_.' " between its first and
// last character; a single letter or digit is valid, the empty name is not.
bool isValidName(const QString &name);

// prefix + "~nnnnn" (n counting from 1) that `taken` does not know; the prefix
// is the first maxLen - 6 characters of name, or defaultPrefix when those do
// not form a valid name.
QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen);

// The last path segment (after the native separator) without its last suffix.
QString nameFromFile(const QString &path);

// True when the last character is an ASCII letter or digit.
bool isLastCharAlnum(const QString &s);

// The longest leading part of the first len characters that ends in an ASCII
// letter or digit; empty when there is none.
QString detectWaveName(const QString &name, int len);

// True for the audio suffixes the import dialogs offer (any letter case).
bool isSoundFile(const QString &path);

} // namespace soundnames

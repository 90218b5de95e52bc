#pragma once

#include <QString>

#include <functional>

// Rules for the names of sounds and kits, free of any window or model.
namespace soundnames {

// prefix + "~nnnnn" (n counting from 1) that `taken` does not know; the prefix
// is the first maxLen - 6 characters of name, or defaultPrefix when those do
// not form a valid name.
QString fallbackName(const QString &name, const std::function<bool(const QString &)> &taken,
                     const QString &defaultPrefix, int maxLen);

// The last path segment (after the native separator) without its last suffix.
QString nameFromFile(const QString &path);

// True for the audio suffixes the import dialogs offer (any letter case).
bool isSoundFile(const QString &path);

} // namespace soundnames

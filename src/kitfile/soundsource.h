#ifndef ZT_KITFILE_SOUNDSOURCE_H
#define ZT_KITFILE_SOUNDSOURCE_H

// Sound sources: a plain audio file path, or a sound stored in a kit file,
// written as the kit file's path, ":U" and the sound's five-digit number.

#include <QString>

namespace setupfiles {

// The source of sound `number` stored in kitFile (native separators).
QString storedSource(const QString &kitFile, int number);

struct StoredRef
{
    QString kitFile; // with '/' separators
    int number = -1; // -1: not a stored sound
    bool isStored() const { return number >= 0; }
};
// Reads a stored source: the text must end in ":U" and exactly five digits.
StoredRef parseStoredSource(const QString &source);

// Kit file path of a whole setup (".bin", any case).
bool isWholeSetupPath(const QString &path);

// Name of the raw wave of position p in the temporary folder ("00000" ...);
// empty without a folder.
QString rawWavePath(const QString &tempDir, int position);
// Removes the raw waves (files named by five digits) from the temporary folder.
void removeRawWaves(const QString &tempDir);

} // namespace setupfiles

#endif

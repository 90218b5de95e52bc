#pragma once

#include <QString>
#include <QtGlobal>

// Sound source paths: a plain audio file, or a sound stored inside a kit file
// written as the kit file's path, ":U" and five digits.
namespace soundsource {

enum class Form { Plain, WholeSetup, SingleKit };

struct Stored
{
    Form form = Form::Plain;
    quint16 number = 0; // the five digits, low 15 bits
    QString kitFile;    // the kit file's path with "/" separators
};

// ".bin:U" in any letter case is a whole-setup sound, else "ini:U" a
// single-kit sound; anything else is a plain file.
Stored parse(const QString &source);

// True for a converted wave in the pad's sound folder ("zt350/wav_data" in
// any letter case, with either separator).
bool isPadWave(const QString &path);

// Copies `length` bytes from `offset` of kitFile to target (created or
// truncated) in blocks of 64 KiB. Returns the bytes written; the copy is
// complete only when that equals length.
quint64 copyStoredWave(const QString &kitFile, quint32 offset, quint32 length, const QString &target);

// What ffmpeg's error output says about a conversion: 1 to 4 for the phrases
// with a detail sentence (in the order they are searched), 5 for
// "Conversion failed", 0 for none of them.
int ffmpegFailure(const QString &err);
// The detail sentence of failure 1 to 4, else an empty text.
QString ffmpegFailureSentence(int failure);

// "mm:ss" below an hour, else "hh:mm:ss"; always "mm:ss" when shortForm.
QString timeText(qint64 ms, bool shortForm = false);

} // namespace soundsource

#pragma once

#include "library/soundsource.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Writing exported sounds without harming files the export did not make.
namespace exportfile {

enum class Outcome { NotRun, Failed, Unreadable, Changed, Unwritable, Written };

// Converts `source` into the pad's WAV form under a temporary name in the
// folder of `target`, written only through the descriptor that made it,
// renamed over `target` only once complete, synced and given what the file
// it replaces has (ztplatform::ReplaceFile); the folder is left for
// the caller to sync once after its last file. `err` gets ffmpeg's text.
// Written needs ffmpeg's success and at least one frame, whatever warnings
// ffmpeg printed. NotRun when ffmpeg could not be run, Failed when it could
// not convert, Unwritable when the result could not be written or put in
// place (*why, when given, then gets the system's reason, led by the folder
// when that was another than the target's). Unless Written, `target` is as it
// was and the temporary file is gone.
// `notKept` (when given) gets what a replaced file had that the new one has not (ReplaceFile::notKept).
Outcome convert(const QString &source, const QString &target, QString &err, QString *why = nullptr,
                QString *notKept = nullptr);

// Copies the `length` bytes at `offset` of a kit file into `target` by the
// same temporary file, sync and rename as convert, the folder left alike.
// Unreadable when the kit file cannot be read whole, Changed when, as opened,
// `asLoaded` refuses it, Unwritable when the copy cannot be written (*why as
// for convert). Unless Written, `target` is as it was and the temporary file
// is gone.
Outcome copyStored(const QString &kitFile, quint32 offset, quint32 length, const QString &target,
                   const soundsource::LoadCheck &asLoaded, QString *why = nullptr);

// The files the library's sounds come from (for a stored sound, its kit
// file), to tell whether a target would replace one of them.
class SourceFiles
{
public:
    explicit SourceFiles(const QStringList &sources);
    // True when `path` names an existing file that is one of the sources.
    bool contains(const QString &path);

private:
    QStringList m_sources;
    QSet<QString> m_files; // canonical paths, made at the first existing path
    bool m_made = false;
};

} // namespace exportfile

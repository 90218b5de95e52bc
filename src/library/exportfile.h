#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Writing exported sounds without harming files the export did not make.
namespace exportfile {

enum class Outcome { NotRun, Failed, Written };

// Converts `source` into the pad's WAV form under a temporary name in the
// folder of `target`, renamed over `target` only once complete, synced and
// given the permission bits of the file it replaces; `err` gets ffmpeg's
// text. Written needs ffmpeg's success and at least one frame, whatever
// warnings ffmpeg printed. NotRun when ffmpeg could not be run. Unless
// Written, `target` is as it was and the temporary file is gone.
Outcome convert(const QString &source, const QString &target, QString &err);

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

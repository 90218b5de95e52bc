#include "library/exportfile.h"

#include "library/soundsource.h"
#include "model/audioconverter.h"
#include "platform/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace exportfile {
namespace {

// Puts the finished temporary in place: synced, given the mode of the file
// it replaces and renamed over the target.
Outcome putInPlace(ztplatform::ReplaceFile &part)
{
    return part.finish() && part.rename() ? Outcome::Written : Outcome::Unwritable;
}

} // namespace

Outcome convert(const QString &source, const QString &target, QString &err)
{
    ztplatform::ReplaceFile part(target);
    if (!part.open())
        return Outcome::Unwritable;
    audioconverter converter;
    const bool converted = converter.audioConverterRun(source, part.temporaryPath(), err);
    if (err.isEmpty())
        return Outcome::NotRun;
    return converted ? putInPlace(part) : Outcome::Failed;
}

Outcome copyStored(const QString &kitFile, quint32 offset, quint32 length, const QString &target)
{
    ztplatform::ReplaceFile part(target);
    if (!part.open())
        return Outcome::Unwritable;
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    if (soundsource::copyStoredWave(kitFile, offset, length, part.file(), nullptr, &fault) != length)
        return fault == soundsource::CopyFault::Read ? Outcome::Unreadable : Outcome::Unwritable;
    return putInPlace(part);
}

SourceFiles::SourceFiles(const QStringList &sources)
    : m_sources(sources)
{
}

bool SourceFiles::contains(const QString &path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty())
        return false; // nothing there to replace
    if (!m_made) {
        m_made = true;
        QSet<QString> seen;
        for (const QString &s : qAsConst(m_sources)) {
            const soundsource::Stored stored = soundsource::parse(s);
            const QString own = stored.form == soundsource::Form::Plain ? s : stored.kitFile;
            if (!seen.contains(own)) {
                seen.insert(own);
                const QString canonical = QFileInfo(own).canonicalFilePath();
                if (!canonical.isEmpty())
                    m_files.insert(canonical);
            }
        }
        m_sources.clear();
    }
    return m_files.contains(file);
}

} // namespace exportfile

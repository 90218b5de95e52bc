#include "library/exportfile.h"

#include "library/soundsource.h"
#include "model/audioconverter.h"
#include "platform/durablefile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace exportfile {
namespace {

// A new empty file of a free hidden name in `folder`; empty when none could
// be made.
QString newTemporary(const QString &folder)
{
    for (int tries = 0; tries < 16; ++tries) {
        const QString name = QStringLiteral(".export-%1.wav")
                                     .arg(QRandomGenerator::global()->generate64(), 0, 36);
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return f.fileName();
    }
    return QString();
}

// Makes `part` ready to be renamed over `target`: its bytes on the disk and,
// when `target` exists, the permission bits of the file it replaces.
bool settle(const QString &part, const QString &target)
{
    QFile file(part);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    struct stat old;
    if (::stat(QFile::encodeName(target).constData(), &old) == 0
        && ::fchmod(file.handle(), old.st_mode & 07777) != 0) {
        qWarning() << "cannot give" << part << "the mode of" << target << ":" << std::strerror(errno);
        return false;
    }
    return ztplatform::syncFile(file);
}

// Renames the finished `part` over `target` once settled.
bool putInPlace(const QString &part, const QString &target)
{
    return settle(part, target) && ztplatform::renameOver(part, target);
}

} // namespace

Outcome convert(const QString &source, const QString &target, QString &err)
{
    const QString part = newTemporary(QFileInfo(target).absolutePath());
    if (part.isEmpty())
        return Outcome::Unwritable;
    audioconverter converter;
    const bool converted = converter.audioConverterRun(source, part, err);
    Outcome outcome = Outcome::Failed;
    if (err.isEmpty())
        outcome = Outcome::NotRun;
    else if (converted)
        outcome = putInPlace(part, target) ? Outcome::Written : Outcome::Unwritable;
    if (outcome != Outcome::Written)
        QFile::remove(part);
    return outcome;
}

Outcome copyStored(const QString &kitFile, quint32 offset, quint32 length, const QString &target)
{
    const QString part = newTemporary(QFileInfo(target).absolutePath());
    if (part.isEmpty())
        return Outcome::Unwritable;
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    Outcome outcome = Outcome::Unwritable;
    if (soundsource::copyStoredWave(kitFile, offset, length, part, nullptr, &fault) != length)
        outcome = fault == soundsource::CopyFault::Read ? Outcome::Unreadable : Outcome::Unwritable;
    else if (putInPlace(part, target))
        outcome = Outcome::Written;
    if (outcome != Outcome::Written)
        QFile::remove(part);
    return outcome;
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

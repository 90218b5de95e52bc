#include "kitfile/storedsounds.h"

#include "platform/fileidentity.h"
#include "kitfile/soundsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace setupfiles {

struct StoredSoundLocator::Probe
{
    bool indexed = false;
    QHash<QString, int> entries; // source -> first entry
    bool checked = false;
    CollectError::Kind state = CollectError::None;
    QFile file;
    int layout = 0; // 0 whole setup, 1 single kit
};

bool matchesLoad(quint64 loadedLength, const ztplatform::FileStamp &loaded, const ztplatform::FileStamp &now)
{
    if (!now.identity.valid || now.size != loadedLength)
        return false;
    return !loaded.identity.valid || now == loaded;
}

bool matchesLoad(const Records::READ_KIT_FILE &rec, const ztplatform::FileStamp &now)
{
    return matchesLoad(rec.fileTotalLength, rec.stamp, now);
}

QStringList storedSourceFiles(const QVector<Records::SOUND_LIST_INFO> &waves)
{
    QStringList files;
    QSet<QString> seen;
    for (const Records::SOUND_LIST_INFO &wave : waves) {
        const QString &source = wave.file;
        if (!parseStoredSource(source).isStored())
            continue;
        const QString file = percussionpadfile::soundSourceFile(source);
        if (!seen.contains(file)) {
            seen.insert(file);
            files.append(file);
        }
    }
    return files;
}

QString changedSource(const QStringList &files, const QVector<Records::READ_KIT_FILE> &loaded)
{
    const StoredSoundLocator loc(loaded);
    for (const QString &file : files) {
        const int r = loc.recordOf(QDir::fromNativeSeparators(file));
        if (r < 0 || !matchesLoad(loc.record(r), ztplatform::fileStamp(file)))
            return QDir::fromNativeSeparators(file);
    }
    return QString();
}

StoredSoundLocator::StoredSoundLocator(const QVector<Records::READ_KIT_FILE> &files)
    : m_files(files)
{
    m_probes.resize(size_t(files.size()));
    for (int i = files.size() - 1; i >= 0; --i)
        m_byPath.insert(QDir::fromNativeSeparators(files.at(i).file), i);
}

StoredSoundLocator::~StoredSoundLocator() = default;

int StoredSoundLocator::recordOf(const QString &kitFile) const
{
    const auto it = m_byPath.constFind(kitFile);
    if (it != m_byPath.constEnd())
        return it.value();
    const auto other = m_byOtherPath.constFind(kitFile);
    if (other != m_byOtherPath.constEnd())
        return other.value();
    int found = -1;
    if (!kitFile.isEmpty()) {
        const ztplatform::SameFileAs same(kitFile);
        for (int i = 0; i < m_files.size() && found < 0; ++i) {
            if (same(m_files.at(i).file))
                found = i;
        }
    }
    m_byOtherPath.insert(kitFile, found);
    return found;
}

StoredSoundLocator::Probe &StoredSoundLocator::probe(int record)
{
    std::unique_ptr<Probe> &p = m_probes[size_t(record)];
    if (!p)
        p.reset(new Probe);
    return *p;
}

int StoredSoundLocator::entryOf(int record, const QString &source)
{
    Probe &p = probe(record);
    if (!p.indexed) {
        const percussionpadfile::FILE_SOUND_CHUNK &chunk = m_files.at(record).info.soundChunk;
        const int n = chunk.soundIndex ? chunk.soundCount : 0;
        p.entries.reserve(n);
        for (int e = n - 1; e >= 0; --e) {
            if (!chunk.soundIndex[e].fileName.isEmpty())
                p.entries.insert(chunk.soundIndex[e].fileName, e);
        }
        p.indexed = true;
    }
    const auto it = p.entries.constFind(source);
    if (it != p.entries.constEnd())
        return it.value();
    // The same sound named through another path to the file.
    const StoredRef ref = parseStoredSource(source);
    const QString own = QDir::fromNativeSeparators(m_files.at(record).file);
    if (!ref.isStored() || ref.kitFile == own)
        return -1;
    return p.entries.value(storedSource(own, ref.number), -1);
}

CollectError::Kind StoredSoundLocator::verify(int record, int e)
{
    const Records::READ_KIT_FILE &rec = m_files.at(record);
    Probe &p = probe(record);
    if (!p.checked) {
        p.checked = true;
        p.layout = rec.flag == 2 ? 1 : 0;
        p.file.setFileName(rec.file);
        if (!QFileInfo(rec.file).isFile())
            p.state = CollectError::Modified;
        else if (!p.file.open(QIODevice::ReadOnly))
            p.state = CollectError::OpenFailed;
        else if (!matchesLoad(rec, ztplatform::fileStamp(p.file.handle()))) // as opened: what is read
            p.state = CollectError::Modified;
        else if (percussionpadfile::judgeWaveTotalNumber(&p.file, p.layout) != rec.waveCount)
            p.state = CollectError::SoundMissing;
    }
    if (p.state != CollectError::None)
        return p.state;
    const QString stored = Records::charArray2String(entry(record, e).wave_name, SOUND_NAME_LENGTH);
    if (percussionpadfile::judgeWaveName(&p.file, e, p.layout) != stored)
        return CollectError::SoundMissing;
    return CollectError::None;
}

} // namespace setupfiles

#include "kitfile/storedsounds.h"

#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/disk.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "kitfile/soundsource.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <fcntl.h>

using ztplatform::kSilentLimitMs;

namespace setupfiles {

struct StoredSoundLocator::Probe
{
    bool indexed = false;
    QHash<QString, int> entries; // source -> first entry
    bool checked = false;
    CollectError::Kind state = CollectError::None;
    QVector<QString> names; // of the table as the file holds it now
    std::shared_ptr<const ztplatform::Descriptor> held; // as opened for the check
};

namespace {


// What a loaded kit file holds now: whether it is the one loaded, and its
// table's names.
struct TableLook
{
    CollectError::Kind state = CollectError::None;
    QVector<QString> names;
    std::shared_ptr<const ztplatform::Descriptor> held; // the file opened, when it opened
};

TableLook lookAtTable(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &file, quint64 loadedLength,
                      const ztplatform::FileStamp &loaded, quint16 waveCount, int layout, int count)
{
    TableLook look;
    if (!ztplatform::isRegularFile(fence, file)) {
        look.state = CollectError::Modified;
        return look;
    }
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    auto fd = std::make_shared<ztplatform::Descriptor>(ztplatform::openRegularFile(disk, file, O_RDONLY, false));
    ztplatform::sysio::SeamFile in(&disk);
    if (!fd->isOpen() || !in.open(fd->get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        look.state = CollectError::OpenFailed;
        return look;
    }
    look.held = fd;
    if (!matchesLoad(loadedLength, loaded, ztplatform::fileStamp(disk, fd->get()))) // as opened: what is read
        look.state = CollectError::Modified;
    else if (percussionpadfile::judgeWaveTotalNumber(&in, layout) != waveCount)
        look.state = CollectError::SoundMissing;
    else
        look.names = percussionpadfile::judgeWaveNames(&in, count, layout);
    return look;
}

QString absoluteText(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

// The first of `loaded` that is the same file as `kitFile` now; -1 when none
// is, or when a drive does not answer or still holds an earlier look. Each
// file is looked at in turn on a thread of its own (waited on through `wait`);
// given up on, the file it waits on and `kitFile` stay silent until it
// returns. A loaded file already silent is not that file.
int sameFileWithin(const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &kitFile,
                   const QVector<Records::READ_KIT_FILE> &loaded, const ztplatform::Waiter &wait,
                   ztplatform::Disk *disk)
{
    if (ztplatform::isSilentFile(silent, kitFile))
        return -1;
    QStringList paths{kitFile};
    QVector<int> records{-1};
    for (int i = 0; i < loaded.size(); ++i) {
        const QString text = QDir::fromNativeSeparators(loaded.at(i).file);
        if (!ztplatform::isSilentFile(silent, text)) {
            paths.append(text);
            records.append(i);
        }
    }
    const auto asked = std::make_shared<ztplatform::SilentLook>(silent, kitFile);
    auto target = std::make_shared<ztplatform::FileIdentity>(); // the thread's own
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            silent, paths, kSilentLimitMs,
            [paths, target, asked, disk](int i) {
                const ztplatform::FileIdentity id = ztplatform::fileIdentity(*disk, paths.at(i));
                if (i == 0)
                    *target = id;
                const bool same = i > 0
                                  && (target->valid && id.valid ? id == *target
                                                                : absoluteText(paths.at(i)) == absoluteText(paths.at(0)));
                if (same || i + 1 == paths.size())
                    asked->returned();
                return same;
            },
            wait);
    if (look.answered)
        return look.at < paths.size() ? records.at(look.at) : -1;
    if (look.started)
        asked->givenUp();
    qWarning().noquote() << "the drive of" << paths.at(look.at) << "does not answer:" << kitFile
                         << "is taken for no loaded kit file";
    return -1;
}

} // namespace

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

QString changedSource(const QStringList &files, const QVector<Records::READ_KIT_FILE> &loaded,
                      const std::shared_ptr<ztplatform::SilentFiles> &silent, const ztplatform::Waiter &wait,
                      CollectError::Kind *why, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    const StoredSoundLocator loc(loaded, silent, wait, fence);
    for (const QString &file : files) {
        const QString path = QDir::fromNativeSeparators(file);
        const int r = loc.recordOf(path);
        std::optional<ztplatform::FileStamp> now;
        if (r >= 0)
            now = ztplatform::lookAtFileWithin<ztplatform::FileStamp>(
                    silent, path, kSilentLimitMs,
                    [path, disk = &ztplatform::diskOf(fence)]() { return ztplatform::fileStamp(*disk, path); }, wait);
        if (r >= 0 && !now)
            qWarning().noquote() << "the drive of" << path << "does not answer: taken for a file that does not open";
        if (r < 0 || !now || !matchesLoad(loc.record(r), *now)) {
            if (why)
                *why = r >= 0 && !now ? CollectError::OpenFailed : CollectError::Modified;
            return path;
        }
    }
    return QString();
}

QString changedHeld(ztplatform::Disk &disk, const HeldKitFiles &held)
{
    for (auto it = held.constBegin(); it != held.constEnd(); ++it) {
        if (!it->fd || !matchesLoad(it->length, it->stamp, ztplatform::fileStamp(disk, it->fd->get())))
            return it.key();
    }
    return QString();
}

StoredSoundLocator::StoredSoundLocator(const QVector<Records::READ_KIT_FILE> &files,
                                       std::shared_ptr<ztplatform::SilentFiles> silent, ztplatform::Waiter wait,
                                       std::shared_ptr<ztplatform::FolderFence> fence)
    : m_files(files)
    , m_silent(std::move(silent))
    , m_wait(std::move(wait))
    , m_fence(std::move(fence))
{
    m_probes.resize(size_t(files.size()));
    for (int i = files.size() - 1; i >= 0; --i)
        m_byPath.insert(QDir::fromNativeSeparators(files.at(i).file), i);
    for (const Records::READ_KIT_FILE &f : files)
        m_paths.append(f.file);
}

bool StoredSoundLocator::madeFor(const QVector<Records::READ_KIT_FILE> &files) const
{
    if (&files != &m_files || files.size() != m_paths.size())
        return false;
    for (int i = 0; i < files.size(); ++i) {
        if (files.at(i).file != m_paths.at(i))
            return false;
    }
    return true;
}

std::shared_ptr<const ztplatform::Descriptor> StoredSoundLocator::held(int record) const
{
    const std::unique_ptr<Probe> &p = m_probes.at(size_t(record));
    return p ? p->held : nullptr;
}

HeldKitFiles StoredSoundLocator::heldFiles() const
{
    HeldKitFiles files;
    auto add = [this, &files](const QHash<QString, int> &byText) {
        for (auto it = byText.constBegin(); it != byText.constEnd(); ++it) {
            if (it.value() < 0)
                continue;
            const std::unique_ptr<Probe> &p = m_probes.at(size_t(it.value()));
            if (!p || !p->held || p->state != CollectError::None)
                continue;
            const Records::READ_KIT_FILE &rec = m_files.at(it.value());
            files.insert(it.key(), HeldKitFile{p->held, rec.fileTotalLength, rec.stamp});
        }
    };
    add(m_byPath);
    add(m_byOtherPath);
    return files;
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
    const int found =
            kitFile.isEmpty() ? -1 : sameFileWithin(m_silent, kitFile, m_files, m_wait, &ztplatform::diskOf(m_fence));
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
    const CollectError::Kind state = check(record);
    if (state != CollectError::None)
        return state;
    const Probe &p = probe(record);
    const QString stored = percussionpadfile::charArray2String(entry(record, e).wave_name, SOUND_NAME_LENGTH);
    if ((e >= 0 && e < p.names.size() ? p.names.at(e) : QString()) != stored)
        return CollectError::SoundMissing;
    return CollectError::None;
}

CollectError::Kind StoredSoundLocator::check(int record)
{
    const Records::READ_KIT_FILE &rec = m_files.at(record);
    Probe &p = probe(record);
    if (!p.checked) {
        p.checked = true;
        const QString file = rec.file;
        const quint64 length = rec.fileTotalLength;
        const ztplatform::FileStamp stamp = rec.stamp;
        const quint16 waveCount = rec.waveCount;
        const int layout = rec.flag == 2 ? 1 : 0;
        const int count = rec.info.soundChunk.soundIndex ? rec.info.soundChunk.soundCount : 0;
        // Read on a thread of its own, once: a drive that does not answer,
        // or still holds an earlier look given up on, is a file that does not open.
        const std::optional<TableLook> look = ztplatform::lookAtFileWithin<TableLook>(
                m_silent, file, kSilentLimitMs,
                [=, fence = m_fence]() { return lookAtTable(fence, file, length, stamp, waveCount, layout, count); },
                m_wait);
        if (!look)
            qWarning().noquote() << "the drive of" << file << "does not answer: its sounds are not read";
        p.state = look ? look->state : CollectError::OpenFailed;
        if (look) {
            p.names = look->names;
            p.held = look->held;
        }
    }
    return p.state;
}

} // namespace setupfiles

// The groups' file ("soundlist.xml"): read and taken at the start, written
// whole at the close and by the saves that move the sounds its rows name.
#include "library/soundlibrary.h"

#include "library/groupchange.h"

#include "platform/errortext.h"
#include "platform/fileidentity.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/timedlook.h"
#include "platform/sysio.h"
#include "platform/volumeidentity.h"
#include "kitfile/lostsounds.h"
#include "kitfile/storedsounds.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>
#include <fcntl.h>

using ztplatform::kSilentLimitMs;

namespace {

// The groups as the file keeps them: names trimmed, inner runs made one space.
QByteArray listBytes(QVector<soundfilexml::strSoundGroup> groups)
{
    for (soundfilexml::strSoundGroup &g : groups)
        g.name = g.name.simplified();
    return soundfilexml::toBytes(groups);
}

// The lock beside the file written: ".<name>.lock".
QString lockName(const QString &target)
{
    const QFileInfo file(target);
    return file.absolutePath() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".lock");
}

// Why nothing was read or written: the drive did not answer in time.
QString silentReason()
{
    return QCoreApplication::translate("MainWindow1", "the folder does not answer");
}

// Why a write is in doubt: the drive stopped answering as the file was put in place.
QString inDoubtReason()
{
    return QCoreApplication::translate("MainWindow1", "the folder stopped answering while the file was being put in "
                                                      "place; it is either still the old one, whole, or the new one, "
                                                      "whole");
}

// The file at `path` (a link followed) read whole, never waited on as a pipe;
// false with the system's reason when it cannot be.
bool readWhole(ztplatform::Disk &disk, const QString &path, QByteArray &bytes, QString &why)
{
    ztplatform::sysio::SeamFile file(&disk);
    if (!ztplatform::openRegularFile(disk, path, file, false)) {
        why = file.errorString().isEmpty() ? ztplatform::errorText(errno) : file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() == QFileDevice::NoError && file.failure() == 0)
        return true;
    why = file.errorString();
    return false;
}

// What the start finds at the groups' file. Looked at on a thread of its
// own: copies only, the lock taken there handed over.
struct ListRead
{
    QString target;      // the file read, and written later
    bool link = false;   // a link stands at the name
    bool linked = false; // it names a regular file: the target
    std::shared_ptr<ztplatform::FileLock> lock;
    ztplatform::FileLock::State lockState = ztplatform::FileLock::Free;
    bool held = false; // the lock is held on the file at its name
    ztplatform::FileStamp stamp;
    soundfilexml::ReadResult result;
    QVector<soundfilexml::strSoundGroup> groups;
};

ListRead readList(ztplatform::Disk &disk, const QString &fileName)
{
    ListRead read;
    read.target = fileName;
    read.link = ztplatform::typeAtPath(disk, fileName, true) == S_IFLNK;
    if (read.link) {
        // Followed only to a regular file, which the writes then replace.
        const QString far = ztplatform::canonicalPathOf(disk, fileName);
        if (!far.isEmpty() && ztplatform::typeAtPath(disk, far) == S_IFREG) {
            read.target = far;
            read.linked = true;
        }
    }
    read.lock = std::make_shared<ztplatform::FileLock>();
    const QString lock = lockName(read.target);
    read.lockState = read.lock->take(lock);
    read.held = read.lock->holds(lock);
    read.stamp = ztplatform::fileStamp(disk, read.target);
    read.result = soundfilexml::readSoundList(disk, read.target, read.groups);
    return read;
}

// What a write finds at the groups' file before it writes, looked at on a
// thread of its own.
struct ListLook
{
    bool nameIsLink = false;
    QString nameReaches;  // the file the name reaches, links followed
    QString nameLinksTo;  // the link's text
    ztplatform::FileLock::Entry lockEntry;      // what stands at the lock's name
    std::shared_ptr<ztplatform::FileLock> lock; // taken when the one held is not that
    bool readOnlyVolume = false;
    bool readOnly = false;
    ztplatform::FileStamp now;
    unsigned type = 0; // what stands at the target (S_IFMT bits; 0: nothing)
    bool read = false; // the file read whole
    QByteArray bytes;
    QString readError;
};

ListLook lookAtList(const QString &name, const QString &target, const ztplatform::FileLock::Entry &held,
                    const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    ListLook look;
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    look.nameIsLink = ztplatform::typeAtPath(disk, name, true) == S_IFLNK;
    look.nameReaches = ztplatform::canonicalPathOf(disk, name);
    if (look.nameIsLink)
        look.nameLinksTo = ztplatform::linkTargetAt(disk, name);
    const QString lock = lockName(target);
    look.lockEntry = ztplatform::FileLock::entryAt(lock);
    if (!held.valid || !look.lockEntry.valid || held.device != look.lockEntry.device
        || held.inode != look.lockEntry.inode) {
        // Tried again at each write: the editor that held it may have ended.
        look.lock = std::make_shared<ztplatform::FileLock>();
        look.lock->take(lock);
        look.lockEntry = ztplatform::FileLock::entryAt(lock);
    }
    // A read-only file system is said so: no question that cannot succeed.
    look.readOnlyVolume = ztplatform::isReadOnlyVolume(disk, QFileInfo(target).absolutePath());
    look.readOnly = ztplatform::writeRefusedAt(disk, target); // by its mode, or to this user
    look.now = ztplatform::diskFileStamp(disk, target);
    look.type = ztplatform::lookAtFile(fence, target).type;
    if (look.now.identity.valid && look.type == S_IFREG)
        look.read = readWhole(disk, target, look.bytes, look.readError);
    return look;
}

// What stands at the name instead of the groups' file, as the user is told.
QString notAFileReason(unsigned type)
{
    const char *kind = type == S_IFDIR                     ? QT_TRANSLATE_NOOP("MainWindow1", "a folder")
                       : type == S_IFIFO                   ? QT_TRANSLATE_NOOP("MainWindow1", "a named pipe")
                       : type == S_IFSOCK                  ? QT_TRANSLATE_NOOP("MainWindow1", "a socket")
                       : type == S_IFCHR || type == S_IFBLK ? QT_TRANSLATE_NOOP("MainWindow1", "a device")
                                                           : QT_TRANSLATE_NOOP("MainWindow1", "a file");
    return QCoreApplication::translate("MainWindow1", "%1 stands at its name")
            .arg(QCoreApplication::translate("MainWindow1", kind));
}

// The stages of a replace: the drive's silence stops it before the rename,
// or leaves it in doubt once the rename began.
enum ReplaceStage { Preparing, Renaming, Stopped };

// What a replace of the groups' file did, on a thread of its own.
struct Replaced
{
    bool kept = true; // another program's version, when there was one, kept beside it
    QString keptAs;
    QString why; // why it was not kept or not written
    bool written = false;
    QString notKept;
    ztplatform::FileStamp stamp; // the new file
};

Replaced replaceList(const QString &target, const QByteArray &bytes, const std::optional<QByteArray> &other,
                     const std::shared_ptr<std::atomic_int> &stage,
                     const std::shared_ptr<ztplatform::Leftovers> &leftovers, ztplatform::Disk *disk)
{
    Replaced done;
    if (other) {
        done.keptAs = soundfilexml::keepCopyBeside(target, *other, leftovers, &done.why);
        done.kept = !done.keptAs.isEmpty();
        if (!done.kept)
            return done;
    }
    ztplatform::ReplaceFile file(target, leftovers, disk);
    if (file.open() && file.write(bytes) && file.finish()) {
        int preparing = Preparing;
        if (!stage->compare_exchange_strong(preparing, Renaming)) {
            done.why = silentReason(); // given up on: the old file stays
            return done;
        }
        file.rename();
        file.syncFolder();
    }
    done.written = !file.failed();
    if (!done.written) {
        qWarning() << "cannot write" << target << file.errorString();
        done.why = file.errorString();
        return done;
    }
    done.notKept = file.notKept();
    done.stamp = ztplatform::fileStamp(*disk, target);
    return done;
}

} // namespace

SoundLibrary::SoundListStart SoundLibrary::openSoundList(const QString &fileName)
{
    const Edit edit(this, Groups);
    SoundListStart start = takeSoundList(fileName);
    if (m_soundGroupList.isEmpty()) {
        // Sounds are always added to some group.
        insertGroup(0, QStringLiteral("Default"), false);
        m_listBaselineGroups = m_soundGroupList; // a group made here is no change
        m_listBaseline.clear();
    }
    return start;
}

SoundLibrary::SoundListStart SoundLibrary::takeSoundList(const QString &fileName)
{
    SoundListStart start;
    m_soundListFileName = fileName;
    m_listTarget = fileName;
    m_listLinked = false;
    m_listBlocked.clear();
    m_listBaseline.clear();
    // Read off this thread. A read given up on is never taken for an empty
    // list: nothing is written over the file this session.
    const std::optional<ListRead> found = ztplatform::lookAtFileWithin<ListRead>(
            m_silent, fileName, kSilentLimitMs,
            [fileName, disk = &ztplatform::diskOf(m_fence)]() { return readList(*disk, fileName); }, m_lookWait);
    if (!found) {
        qWarning().noquote() << "the drive of" << fileName << "does not answer: the sound groups are not read";
        start.silent = true;
        m_listBlocked = silentReason();
        return start;
    }
    m_listTarget = found->target;
    m_listLinked = found->linked;
    m_listLock = std::move(*found->lock);
    if (found->lockState == ztplatform::FileLock::Unavailable) {
        qWarning() << "the sound groups cannot be locked beside" << m_listTarget << m_listLock.errorString();
        start.lockReason = m_listLock.errorString();
    }
    start.inUse = !found->held;
    m_listOwn = found->held;

    QVector<soundfilexml::strSoundGroup> read = found->groups;
    const soundfilexml::ReadResult &result = found->result;
    m_listStamp = found->stamp;
    m_listBytes = result.bytes;
    if (result.status == soundfilexml::ReadResult::Unreadable) {
        start.unreadable = found->link && !m_listLinked
                                   ? QCoreApplication::translate("MainWindow1", "it is a link to no regular file")
                                   : result.reason;
        if (!start.inUse) {
            start.keptAs = keepAsideWithin(m_listTarget, std::nullopt, &start.notKept);
            if (start.keptAs.isEmpty())
                m_listBlocked = start.notKept;
        }
        return start;
    }
    if (result.skipped > 0) {
        qWarning() << result.skipped << "entries skipped in" << m_listTarget;
        start.partly = result.outsideRows > 0;
        start.lacking = result.lacking > 0;
        if (!start.inUse) {
            start.keptAs = keepAsideWithin(m_listTarget, result.bytes, &start.notKept);
            if (start.keptAs.isEmpty())
                m_listBlocked = start.notKept;
        }
    }
    // What the close compares with: the rows as the file holds them, before they follow their sounds.
    m_listBaselineGroups = read; // made into bytes only when a write compares them
    // Looked at off this thread: a sound whose drive does not answer stays as read.
    groupentries::Checked checked = groupentries::checkGroupsWithin(
            read, setupfiles::keptSoundsFolder(fileName), kSilentLimitMs, m_lookWait, m_silent, nullptr, m_fence);
    start.unmatched = std::move(checked.unmatched);
    start.fromKept = std::move(checked.fromKept);
    soundListToItemModel(read);
    return start;
}

QString SoundLibrary::keepAsideWithin(const QString &target, const std::optional<QByteArray> &bytes,
                                      QString *reason) const
{
    struct Kept
    {
        QString as;
        QString why;
    };
    const std::optional<Kept> kept = ztplatform::lookAtFileWithin<Kept>(
            m_silent, target, kSilentLimitMs,
            [target, bytes, leftovers = m_leftovers]() {
                Kept k;
                k.as = bytes ? soundfilexml::keepCopyBeside(target, *bytes, leftovers, &k.why)
                             : soundfilexml::moveAside(target, &k.why);
                return k;
            },
            m_lookWait);
    if (!kept) {
        qWarning().noquote() << "the drive of" << target << "does not answer: the file is not kept beside it";
        *reason = silentReason();
        return {};
    }
    *reason = kept->why;
    return kept->as;
}

void SoundLibrary::soundListToItemModel(const QVector<soundfilexml::strSoundGroup> &groups)
{
    GroupChange change(GroupChange::Groups, -1, m_soundGroupList.size());
    for (const soundfilexml::strSoundGroup &g : groups) {
        auto *group = new QStandardItem(g.name);
        if (g.name == QLatin1String("Default"))
            group->setEditable(false);
        for (const QList<QStandardItem *> &row : groupRows(g.soundList))
            group->appendRow(row);
        change.rows.append(QList<QStandardItem *>{group});
    }
    change.groups = groups;
    changeGroups(std::move(change));
}

QString SoundLibrary::readOnlyQuestion(const QString &file)
{
    const QString crlf = QStringLiteral("\r\n");
    return QCoreApplication::translate("MainWindow1", "The sound groups are saved to \"%1\".")
                   .arg(QDir::toNativeSeparators(file))
           + crlf + QCoreApplication::translate("MainWindow1", "The file is read-only.") + crlf
           + QCoreApplication::translate("MainWindow1", "Do you confirm to overwrite it?");
}

QString SoundLibrary::otherVersionKept(const QString &keptAs)
{
    return QCoreApplication::translate("MainWindow1", "Another program changed the sound groups' file since this "
                                                      "editor read it: that version is kept as \"%1\".")
            .arg(QDir::toNativeSeparators(keptAs));
}

namespace {

SoundLibrary::SoundListSave nothingToWrite()
{
    SoundLibrary::SoundListSave save;
    save.written = true;
    return save;
}

} // namespace

SoundLibrary::SoundListSave SoundLibrary::saveSoundList(const ReadOnlyQuestion &ask, bool atClose)
{
    if (m_soundListFileName.isEmpty())
        return nothingToWrite();
    noteEntries();
    return writeGroups(listBytes(m_soundGroupList), ask, atClose);
}

SoundLibrary::SoundListSave SoundLibrary::saveSoundListAs(
        const std::function<void(QVector<soundfilexml::strSoundGroup> &)> &change, const ReadOnlyQuestion &ask)
{
    if (m_soundListFileName.isEmpty())
        return nothingToWrite();
    noteEntries();
    QVector<soundfilexml::strSoundGroup> groups = m_soundGroupList;
    change(groups);
    return writeGroups(listBytes(groups), ask, false);
}

SoundLibrary::SoundListSave SoundLibrary::writeGroups(const QByteArray &bytes, const ReadOnlyQuestion &ask,
                                                      bool atClose)
{
    SoundListSave save;
    // Unchanged groups: the close leaves the file as it is; a save, which
    // needs them on the disk before it goes on, only while the file holds them.
    if (m_listBaseline.isEmpty() && !m_listBaselineGroups.isEmpty())
        m_listBaseline = listBytes(m_listBaselineGroups);
    m_listBaselineGroups.clear();
    if (bytes == m_listBaseline && atClose) {
        save.written = true;
        return save;
    }
    if (!m_listBlocked.isEmpty()) {
        save.reason = m_listBlocked;
        return save;
    }
    // Looked at off this thread: a drive that does not answer in time writes nothing.
    const QString name = m_soundListFileName, target = m_listTarget;
    const ztplatform::FileLock::Entry held = m_listLock.heldEntry();
    const std::optional<ListLook> look = ztplatform::lookAtFileWithin<ListLook>(
            m_silent, target, kSilentLimitMs,
            [name, target, held, fence = m_fence]() { return lookAtList(name, target, held, fence); }, m_lookWait);
    if (!look) {
        qWarning().noquote() << "the drive of" << target << "does not answer: the sound groups are not written";
        save.silent = true;
        save.reason = silentReason();
        return save;
    }
    if (!m_listInDoubt.isEmpty() && look->read && look->bytes == m_listInDoubt) {
        // The write whose drive stopped answering did land.
        m_listBytes = m_listInDoubt;
        m_listStamp = look->now;
    }
    m_listInDoubt.clear();
    const bool asKnown = look->read && look->bytes == m_listBytes;
    if (bytes == m_listBaseline && look->now.identity.valid && look->now.untouchedSince(m_listStamp) && asKnown) {
        save.written = true;
        return save;
    }
    if (look->lock)
        m_listLock = std::move(*look->lock);
    const bool holding = m_listLock.holdsEntry(look->lockEntry);
    // Not this editor's to write over: another may hold the groups, or wrote them since this one read them.
    const bool othersFile = !m_listOwn && look->now.identity.valid && !asKnown;
    if (!holding || othersFile) {
        notOurs(bytes, holding, atClose, save);
        return save;
    }
    if (m_listLinked && look->nameReaches != m_listTarget) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "it is a link that no longer names the file read at the start");
        return save;
    }
    if (!m_listLinked && look->nameIsLink) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "a link to \"%1\" was put at its name since the start; neither is "
                                                  "written over")
                              .arg(QDir::toNativeSeparators(look->nameLinksTo));
        return save;
    }
    if (look->type != 0 && look->type != S_IFREG) {
        save.notAFile = true;
        save.reason = notAFileReason(look->type);
        return save;
    }
    if (look->readOnlyVolume) {
        save.reason = ztplatform::errorText(EROFS);
        return save;
    }
    if (atClose && m_soundListReadOnly == ReadOnlyAnswer::No)
        m_soundListReadOnly = ReadOnlyAnswer::Unasked;
    if (m_soundListReadOnly != ReadOnlyAnswer::Yes && look->readOnly) {
        if (m_soundListReadOnly == ReadOnlyAnswer::Unasked && ask)
            m_soundListReadOnly = ask(m_listTarget) ? ReadOnlyAnswer::Yes : ReadOnlyAnswer::No;
        if (m_soundListReadOnly != ReadOnlyAnswer::Yes) {
            save.declined = true;
            save.reason = QCoreApplication::translate("MainWindow1", "The file is read-only.");
            return save;
        }
    }
    // Changed by another program since this editor read or wrote it: its
    // version is kept beside it before the groups are written over it. The
    // bytes decide; a new mode or time alone (the user made it read-only)
    // leaves nothing to keep.
    std::optional<QByteArray> other;
    if (look->now.identity.valid && !asKnown) {
        if (!look->read) {
            save.reason = QCoreApplication::translate(
                                  "MainWindow1", "another program changed it, and its version could not be kept: %1")
                                  .arg(look->readError);
            return save;
        }
        other = look->bytes;
    }
    replaceGroups(bytes, other, save);
    return save;
}

void SoundLibrary::notOurs(const QByteArray &bytes, bool held, bool atClose, SoundListSave &save)
{
    save.inUse = true;
    save.othersFile = held;
    save.lockReason = held ? QString() : m_listLock.errorString();
    if (held)
        save.reason = QCoreApplication::translate("MainWindow1", "another editor saved them since this window read them");
    else if (save.lockReason.isEmpty())
        save.reason = QCoreApplication::translate("MainWindow1", "the sound groups are in use by another editor");
    else
        save.reason = QCoreApplication::translate("MainWindow1", "the sound groups cannot be locked: %1").arg(save.lockReason);
    if (!atClose)
        return; // the close keeps them beside the file
    QString why;
    save.besideAs = keepAsideWithin(m_listTarget, bytes, &why);
    if (save.besideAs.isEmpty())
        save.reason = QCoreApplication::translate("MainWindow1", "%1, and they could not be saved beside it: %2")
                              .arg(save.reason, why);
}

void SoundLibrary::replaceGroups(const QByteArray &bytes, const std::optional<QByteArray> &other, SoundListSave &save)
{
    const QString target = m_listTarget;
    const auto stage = std::make_shared<std::atomic_int>(Preparing);
    const std::optional<Replaced> done = ztplatform::lookAtFileWithin<Replaced>(
            m_silent, target, kSilentLimitMs,
            [target, bytes, other, stage, leftovers = m_leftovers, disk = &ztplatform::diskOf(m_fence)]() {
                return replaceList(target, bytes, other, stage, leftovers, disk);
            },
            m_lookWait);
    if (!done) {
        int preparing = Preparing;
        if (stage->compare_exchange_strong(preparing, Stopped)) {
            qWarning().noquote() << "the drive of" << target << "does not answer: the sound groups are not written";
            save.silent = true;
            save.reason = silentReason();
        } else {
            qWarning().noquote() << "the drive of" << target << "stopped answering as the sound groups were put in place";
            save.inDoubt = true;
            save.reason = inDoubtReason();
            m_listInDoubt = bytes;
        }
        return;
    }
    save.keptAs = done->keptAs;
    if (!done->kept) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "another program changed it, and its version could not be kept: %1")
                              .arg(done->why);
        return;
    }
    save.written = done->written;
    if (!save.written) {
        save.reason = done->why;
        return;
    }
    save.notKept = done->notKept;
    m_listOwn = true; // written holding the lock
    m_listStamp = done->stamp;
    m_listBytes = bytes;
    m_listBaseline = bytes;
    m_listBaselineGroups.clear();
}

void SoundLibrary::noteEntries()
{
    // The rows to read, with what a thread that may outlive this call needs:
    // copies only.
    struct Row
    {
        int group = 0;
        int row = 0;
        QString kitFile;
        quint64 loadedLength = 0;
        ztplatform::FileStamp loaded;
        quint32 start = 0;
        quint32 length = 0;
        groupentries::Identity id; // the entry's; its digest and stamp read by the thread
        bool read = false;         // the file was the one loaded: id is the row's
    };
    struct Reads
    {
        std::vector<Row> rows; // sized before the thread starts; row i written by look i only
        std::unordered_map<std::string, bool> asLoaded; // the thread's own, by kit file
        std::atomic_bool stop{false};
    };
    auto reads = std::make_shared<Reads>();
    QStringList paths;
    soundsource::StoredEntries entries = storedEntries(m_lookWait);
    for (int g = 0; g < m_soundGroupList.size(); ++g) {
        const QVector<soundfilexml::strSoundItem> &sounds = m_soundGroupList.at(g).soundList;
        for (int r = 0; r < sounds.size(); ++r) {
            const soundfilexml::strSoundItem &s = sounds.at(r);
            const groupentries::Identity row = groupentries::ofItem(s);
            if (s.lost || !row.digest.isEmpty() || !soundsource::isStored(s.file))
                continue;
            const READ_KIT_FILE *kit = nullptr;
            const int e = entries.find(s.file, &kit);
            if (e < 0)
                continue;
            const percussionpadfile::P_SOUND_INDEX &entry = kit->info.soundChunk.soundIndex[e];
            const groupentries::Identity id = groupentries::ofEntry(entry);
            if ((row.known() && row != id) || ztplatform::isSilentFile(m_silent, kit->file))
                continue; // the row names another sound, or its drive still holds a look
            reads->rows.push_back({g, r, kit->file, kit->fileTotalLength, kit->stamp, entry.wave_start,
                                   entry.wave_length, id, false});
            paths.append(QDir::fromNativeSeparators(kit->file));
        }
    }
    // Their bytes, read once for each row, from the file only while it is
    // the one loaded, off this thread: a row whose drive does not answer in
    // time, and the rows after it, stay as they are, as when it does not read.
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            m_silent, paths, kSilentLimitMs,
            [reads, fence = m_fence](int i) {
                if (reads->stop)
                    return true;
                ztplatform::Disk &disk = ztplatform::diskOf(fence);
                Row &row = reads->rows.at(size_t(i));
                const std::string key = row.kitFile.toStdString();
                auto it = reads->asLoaded.find(key);
                if (it == reads->asLoaded.end())
                    it = reads->asLoaded
                                 .emplace(key, setupfiles::matchesLoad(row.loadedLength, row.loaded,
                                                                       ztplatform::fileStamp(disk, row.kitFile)))
                                 .first;
                if (!it->second)
                    return false; // not the file loaded
                ztplatform::FileStamp opened;
                const quint64 loadedLength = row.loadedLength;
                const ztplatform::FileStamp loaded = row.loaded;
                row.id.digest = groupentries::digestAt(
                        row.kitFile, row.start, row.length,
                        [loadedLength, loaded](const ztplatform::FileStamp &now) {
                            return setupfiles::matchesLoad(loadedLength, loaded, now);
                        },
                        &opened, {}, fence);
                row.id.seen = groupentries::stampText(opened);
                row.read = true;
                return false;
            },
            m_lookWait);
    const int answered = look.answered ? int(reads->rows.size()) : look.at;
    if (!look.answered) {
        reads->stop = true;
        qWarning().noquote() << "the drive of" << paths.at(look.at)
                             << "does not answer: its group sound and those after it keep what they have";
    }
    for (int i = 0; i < answered; ++i) {
        const Row &row = reads->rows.at(size_t(i));
        if (row.read)
            groupentries::setItem(m_soundGroupList[row.group].soundList[row.row], row.id);
    }
}

// The groups' file ("soundlist.xml"): read and taken at the start, written
// whole at the close and by the saves that move the sounds its rows name.
#include "library/soundlibrary.h"

#include "platform/fileidentity.h"
#include "platform/replacefile.h"
#include "platform/timedlook.h"
#include "platform/volumeidentity.h"
#include "kitfile/lostsounds.h"
#include "kitfile/storedsounds.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kSoundLookLimitMs = 2000; // a group sound's drive silent that long is not waited on

// Read-only by its mode, or to this user, as the kit saves take it.
bool isReadOnly(const QString &path)
{
    const QFileInfo file(path);
    return file.exists()
           && (!file.isWritable()
               || !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
}

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

} // namespace

SoundLibrary::SoundListStart SoundLibrary::openSoundList(const QString &fileName)
{
    const Edit edit(this, Groups);
    SoundListStart start = takeSoundList(fileName);
    if (m_soundGroupList.isEmpty()) {
        // Sounds are always added to some group.
        m_soundGroupList.append({QStringLiteral("Default"), {}});
        auto *group = new QStandardItem(QStringLiteral("Default"));
        group->setEditable(false);
        m_groups->appendRow(group);
        m_listBaselineGroups = m_soundGroupList; // a group made here is no change
        m_listBaseline.clear();
    }
    return start;
}

bool SoundLibrary::soundListInUse() const
{
    return !m_soundListFileName.isEmpty() && !m_listLock.holds(lockName(m_listTarget));
}

SoundLibrary::SoundListStart SoundLibrary::takeSoundList(const QString &fileName)
{
    SoundListStart start;
    m_soundListFileName = fileName;
    m_listTarget = fileName;
    m_listLinked = false;
    m_listBlocked.clear();
    const QFileInfo at(fileName);
    if (at.isSymLink()) {
        // Followed only to a regular file, which the writes then replace.
        const QString far = at.canonicalFilePath();
        if (!far.isEmpty() && QFileInfo(far).isFile()) {
            m_listTarget = far;
            m_listLinked = true;
        }
    }
    if (m_listLock.take(lockName(m_listTarget)) == ztplatform::FileLock::Unavailable) {
        qWarning() << "the sound groups cannot be locked beside" << m_listTarget << m_listLock.errorString();
        start.lockReason = m_listLock.errorString();
    }
    start.inUse = soundListInUse();

    QVector<soundfilexml::strSoundGroup> read;
    m_listStamp = ztplatform::fileStamp(m_listTarget);
    const soundfilexml::ReadResult result = soundfilexml::readSoundList(m_listTarget, read);
    m_listBytes = result.bytes;
    m_listBaseline.clear();
    if (result.status == soundfilexml::ReadResult::Unreadable) {
        start.unreadable = at.isSymLink() && !m_listLinked
                                   ? QCoreApplication::translate("MainWindow1", "it is a link to no regular file")
                                   : result.reason;
        if (!start.inUse) {
            start.keptAs = soundfilexml::moveAside(m_listTarget, &start.notKept);
            if (start.keptAs.isEmpty())
                m_listBlocked = start.notKept;
        }
        return start;
    }
    if (result.skipped > 0) {
        qWarning() << result.skipped << "entries skipped in" << m_listTarget;
        start.partly = true;
        if (!start.inUse) {
            start.keptAs = soundfilexml::keepCopyBeside(m_listTarget, result.bytes, &start.notKept);
            if (start.keptAs.isEmpty())
                m_listBlocked = start.notKept;
        }
    }
    // What the close compares with: the rows as the file holds them, before they follow their sounds.
    m_listBaselineGroups = read; // made into bytes only when a write compares them
    m_listBaseline.clear();
    // Looked at off this thread: a sound whose drive does not answer stays as read.
    groupentries::Checked checked = groupentries::checkGroupsWithin(read, setupfiles::keptSoundsFolder(fileName),
                                                                    kSoundLookLimitMs, m_lookTurn);
    start.unmatched = std::move(checked.unmatched);
    start.fromKept = std::move(checked.fromKept);
    soundListToItemModel(read);
    return start;
}

void SoundLibrary::soundListToItemModel(const QVector<soundfilexml::strSoundGroup> &groups)
{
    for (const soundfilexml::strSoundGroup &g : groups) {
        auto *group = new QStandardItem(g.name);
        if (g.name == QLatin1String("Default"))
            group->setEditable(false);
        showGroupSounds(group, g.soundList);
        m_groups->appendRow(group);
    }
    m_soundGroupList += groups;
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

SoundLibrary::SoundListSave SoundLibrary::saveSoundList(const ReadOnlyQuestion &ask, bool atClose)
{
    if (m_soundListFileName.isEmpty())
        return {true, {}, false, false, {}, {}, {}}; // nothing to write
    noteEntries();
    return writeGroups(listBytes(m_soundGroupList), ask, atClose);
}

SoundLibrary::SoundListSave SoundLibrary::saveSoundListAs(
        const std::function<void(QVector<soundfilexml::strSoundGroup> &)> &change, const ReadOnlyQuestion &ask)
{
    if (m_soundListFileName.isEmpty())
        return {true, {}, false, false, {}, {}, {}};
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
    if (bytes == m_listBaseline && (atClose || listUntouched())) {
        save.written = true;
        return save;
    }
    if (soundListInUse() && m_listLock.take(lockName(m_listTarget)) != ztplatform::FileLock::Held) {
        // Tried again at each write: the editor that held it may have ended.
        save.inUse = true;
        save.lockReason = m_listLock.errorString();
        save.reason = save.lockReason.isEmpty()
                              ? QCoreApplication::translate("MainWindow1", "the sound groups are in use by another editor")
                              : QCoreApplication::translate("MainWindow1", "the sound groups cannot be locked: %1")
                                        .arg(save.lockReason);
        return save;
    }
    if (!m_listBlocked.isEmpty()) {
        save.reason = m_listBlocked;
        return save;
    }
    if (m_listLinked && QFileInfo(m_soundListFileName).canonicalFilePath() != m_listTarget) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "it is a link that no longer names the file read at the start");
        return save;
    }
    if (!m_listLinked && QFileInfo(m_soundListFileName).isSymLink()) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "a link to \"%1\" was put at its name since the start; neither is "
                                                  "written over")
                              .arg(QDir::toNativeSeparators(QFileInfo(m_soundListFileName).symLinkTarget()));
        return save;
    }
    // A read-only file system is said so: no question that cannot succeed.
    if (ztplatform::isReadOnlyVolume(QFileInfo(m_listTarget).absolutePath())) {
        save.reason = QString::fromLocal8Bit(std::strerror(EROFS));
        return save;
    }
    if (atClose && m_soundListReadOnly == ReadOnlyAnswer::No)
        m_soundListReadOnly = ReadOnlyAnswer::Unasked;
    if (m_soundListReadOnly != ReadOnlyAnswer::Yes && isReadOnly(m_listTarget)) {
        if (m_soundListReadOnly == ReadOnlyAnswer::Unasked && ask)
            m_soundListReadOnly = ask(m_listTarget) ? ReadOnlyAnswer::Yes : ReadOnlyAnswer::No;
        if (m_soundListReadOnly != ReadOnlyAnswer::Yes) {
            save.declined = true;
            save.reason = QCoreApplication::translate("MainWindow1", "The file is read-only.");
            return save;
        }
    }
    if (!keepOtherVersion(save))
        return save;
    ztplatform::ReplaceFile file(m_listTarget);
    save.written = file.open() && file.write(bytes) && file.commit();
    if (!save.written) {
        qWarning() << "cannot write" << m_listTarget << file.errorString();
        save.reason = file.errorString();
        return save;
    }
    save.notKept = file.notKept();
    m_listStamp = ztplatform::fileStamp(m_listTarget);
    m_listBytes = bytes;
    m_listBaseline = bytes;
    m_listBaselineGroups.clear();
    return save;
}

bool SoundLibrary::listUntouched() const
{
    const ztplatform::FileStamp now = ztplatform::fileStamp(m_listTarget);
    if (!now.identity.valid || !now.untouchedSince(m_listStamp))
        return false;
    QFile file(m_listTarget);
    return file.open(QIODevice::ReadOnly) && file.readAll() == m_listBytes && file.error() == QFileDevice::NoError;
}

bool SoundLibrary::keepOtherVersion(SoundListSave &save)
{
    const ztplatform::FileStamp now = ztplatform::fileStamp(m_listTarget);
    if (!now.identity.valid)
        return true;
    // Changed by another program since this editor read or wrote it: its
    // version is kept beside it before the groups are written over it. The
    // bytes decide; a new mode or time alone (the user made it read-only)
    // leaves nothing to keep.
    QFile file(m_listTarget);
    QString why;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray held = file.readAll();
        if (file.error() == QFileDevice::NoError && held == m_listBytes)
            return true;
        save.keptAs = soundfilexml::keepCopyBeside(m_listTarget, held, &why);
        if (file.error() != QFileDevice::NoError) {
            save.keptAs.clear();
            why = file.errorString();
        }
    } else {
        why = file.errorString();
    }
    if (!save.keptAs.isEmpty())
        return true;
    save.reason = QCoreApplication::translate("MainWindow1",
                                              "another program changed it, and its version could not be kept: %1")
                          .arg(why);
    return false;
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
    soundsource::StoredEntries entries = storedEntries(m_lookTurn);
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
            if ((row.known() && row != id) || ztplatform::isSilentFile(kit->file))
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
            paths, kSoundLookLimitMs,
            [reads](int i) {
                if (reads->stop)
                    return true;
                Row &row = reads->rows.at(size_t(i));
                const std::string key = row.kitFile.toStdString();
                auto it = reads->asLoaded.find(key);
                if (it == reads->asLoaded.end())
                    it = reads->asLoaded
                                 .emplace(key, setupfiles::matchesLoad(row.loadedLength, row.loaded,
                                                                       ztplatform::fileStamp(row.kitFile)))
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
                        &opened);
                row.id.seen = groupentries::stampText(opened);
                row.read = true;
                return false;
            },
            m_lookTurn);
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

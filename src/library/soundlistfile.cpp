// The groups' file ("soundlist.xml"): read and taken at the start, written
// whole at the close and by the saves that move the sounds its rows name.
#include "library/soundlibrary.h"

#include "platform/fileidentity.h"
#include "platform/volumeidentity.h"
#include "kitfile/storedsounds.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>

#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace {

// Read-only by its mode, or to this user, as the kit saves take it.
bool isReadOnly(const QString &path)
{
    const QFileInfo file(path);
    return file.exists()
           && (!file.isWritable()
               || !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
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
    const QFileInfo at(fileName);
    if (at.isSymLink()) {
        // Followed only to a regular file, which the writes then replace.
        const QString far = at.canonicalFilePath();
        if (!far.isEmpty() && QFileInfo(far).isFile()) {
            m_listTarget = far;
            m_listLinked = true;
        }
    }
    if (m_listLock.take(lockName(m_listTarget)) == ztplatform::FileLock::Unavailable)
        qWarning() << "the sound groups cannot be locked beside" << m_listTarget << m_listLock.errorString();
    start.inUse = soundListInUse();

    QVector<soundfilexml::strSoundGroup> read;
    m_listStamp = ztplatform::fileStamp(m_listTarget);
    const soundfilexml::ReadResult result = soundfilexml::readSoundList(m_listTarget, read);
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
    start.unmatched = groupentries::checkGroups(read);
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

SoundLibrary::SoundListSave SoundLibrary::saveSoundList(const ReadOnlyQuestion &ask, bool askAgain)
{
    SoundListSave save;
    if (m_soundListFileName.isEmpty()) {
        save.written = true; // nothing to write
        return save;
    }
    if (soundListInUse()) {
        save.inUse = true;
        save.reason = QCoreApplication::translate("MainWindow1", "the sound groups are in use by another editor");
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
    // A read-only file system is said so: no question that cannot succeed.
    if (ztplatform::isReadOnlyVolume(QFileInfo(m_listTarget).absolutePath())) {
        save.reason = QString::fromLocal8Bit(std::strerror(EROFS));
        return save;
    }
    if (askAgain && m_soundListReadOnly == ReadOnlyAnswer::No)
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
    noteEntries();
    QVector<soundfilexml::strSoundGroup> groups = m_soundGroupList;
    for (soundfilexml::strSoundGroup &g : groups)
        g.name = g.name.simplified(); // trimmed, inner runs made one space
    save.written = soundfilexml::writeSoundFileListXml(m_listTarget, groups, &save.reason);
    if (save.written)
        m_listStamp = ztplatform::fileStamp(m_listTarget);
    return save;
}

bool SoundLibrary::keepOtherVersion(SoundListSave &save)
{
    const ztplatform::FileStamp now = ztplatform::fileStamp(m_listTarget);
    if (!now.identity.valid || now == m_listStamp)
        return true;
    // Changed by another program since this editor read or wrote it: its
    // version is kept beside it before the groups are written over it.
    QFile file(m_listTarget);
    QString why;
    if (file.open(QIODevice::ReadOnly)) {
        save.keptAs = soundfilexml::keepCopyBeside(m_listTarget, file.readAll(), &why);
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
    soundsource::StoredEntries entries = storedEntries();
    std::unordered_map<const READ_KIT_FILE *, bool> asLoaded;
    for (soundfilexml::strSoundGroup &g : m_soundGroupList) {
        for (soundfilexml::strSoundItem &s : g.soundList) {
            if (groupentries::ofItem(s).known() || !soundsource::isStored(s.file))
                continue;
            const READ_KIT_FILE *kit = nullptr;
            const int e = entries.find(s.file, &kit);
            if (e < 0)
                continue;
            auto it = asLoaded.find(kit);
            if (it == asLoaded.end())
                it = asLoaded.emplace(kit, setupfiles::matchesLoad(*kit, ztplatform::fileStamp(kit->file))).first;
            if (it->second)
                groupentries::setItem(s, groupentries::ofEntry(kit->info.soundChunk.soundIndex[e]));
        }
    }
}

// The groups' file ("soundlist.xml"): read and taken at the start, written
// whole at the close and by the saves that move the sounds its rows name.
#include "library/soundlibrary.h"

#include "platform/fileidentity.h"
#include "kitfile/storedsounds.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>

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

SoundLibrary::SoundListStart SoundLibrary::openSoundList(const QString &fileName,
                                                         QVector<soundfilexml::strSoundGroup> &groups)
{
    SoundListStart start;
    soundListFileName = fileName;
    m_listOpened = true;
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
    groups += read;
    return start;
}

QString SoundLibrary::readOnlyQuestion(const QString &file)
{
    const QString crlf = QStringLiteral("\r\n");
    return QCoreApplication::translate("MainWindow1", "The sound groups are saved to \"%1\".")
                   .arg(QDir::toNativeSeparators(file))
           + crlf + QCoreApplication::translate("MainWindow1", "The file is read-only.") + crlf
           + QCoreApplication::translate("MainWindow1", "Do you confirm to overwrite it?");
}

SoundLibrary::SoundListSave SoundLibrary::saveSoundList(const QString &fileName, QStandardItemModel *model,
                                                        const ReadOnlyQuestion &ask)
{
    SoundListSave save;
    if (fileName.isEmpty() || !model) {
        save.written = true; // nothing to write
        return save;
    }
    const bool opened = m_listOpened && fileName == soundListFileName;
    if (opened && soundListInUse()) {
        save.inUse = true;
        save.reason = QCoreApplication::translate("MainWindow1", "the sound groups are in use by another editor");
        return save;
    }
    if (opened && !m_listBlocked.isEmpty()) {
        save.reason = m_listBlocked;
        return save;
    }
    const QString target = opened ? m_listTarget : fileName;
    if (opened && m_listLinked && QFileInfo(fileName).canonicalFilePath() != m_listTarget) {
        save.reason = QCoreApplication::translate("MainWindow1",
                                                  "it is a link that no longer names the file read at the start");
        return save;
    }
    if (soundListReadOnly != ReadOnlyAnswer::Yes && isReadOnly(target)) {
        if (soundListReadOnly == ReadOnlyAnswer::Unasked && ask)
            soundListReadOnly = ask(target) ? ReadOnlyAnswer::Yes : ReadOnlyAnswer::No;
        if (soundListReadOnly != ReadOnlyAnswer::Yes) {
            save.declined = true;
            save.reason = QCoreApplication::translate("MainWindow1", "The file is read-only.");
            return save;
        }
    }
    noteEntries(model);
    QVector<soundfilexml::strSoundGroup> groups;
    updateSoundGroupList(model, groups);
    save.written = soundfilexml::writeSoundFileListXml(target, groups, &save.reason);
    return save;
}

void SoundLibrary::noteEntries(QStandardItemModel *model)
{
    soundsource::StoredEntries entries = storedEntries();
    std::unordered_map<const READ_KIT_FILE *, bool> asLoaded;
    for (int g = 0; g < model->rowCount(); ++g) {
        const QStandardItem *group = model->item(g, 0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            QStandardItem *file = group->child(r, 1);
            if (!file || groupentries::ofCell(file).known() || !soundsource::isStored(file->text()))
                continue;
            const READ_KIT_FILE *kit = nullptr;
            const int e = entries.find(file->text(), &kit);
            if (e < 0)
                continue;
            auto it = asLoaded.find(kit);
            if (it == asLoaded.end())
                it = asLoaded.emplace(kit, setupfiles::matchesLoad(*kit, ztplatform::fileStamp(kit->file))).first;
            if (it->second)
                groupentries::setCell(file, groupentries::ofEntry(kit->info.soundChunk.soundIndex[e]));
        }
    }
}

void SoundLibrary::updateSoundGroupList(QStandardItemModel *model, QVector<soundfilexml::strSoundGroup> &groups)
{
    groups.clear();
    if (!model)
        return;
    for (int g = 0; g < model->rowCount(); ++g) {
        QStandardItem *group = model->item(g, 0);
        if (!group)
            continue;
        soundfilexml::strSoundGroup out;
        out.name = group->text().simplified(); // trimmed, inner runs made one space
        for (int r = 0; r < group->rowCount(); ++r) {
            soundfilexml::strSoundItem item;
            if (QStandardItem *name = group->child(r, 0))
                item.name = name->text();
            if (QStandardItem *file = group->child(r, 1)) {
                item.file = file->text();
                groupentries::setItem(item, groupentries::ofCell(file));
            }
            out.soundList.append(item);
        }
        groups.append(out);
    }
}

#include "platform/fileidentity.h"

#include "platform/disk.h"
#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

namespace ztplatform {

namespace {

QString absoluteText(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

bool sameWithout(const QString &a, const FileIdentity &ia, const QString &b, const FileIdentity &ib)
{
    if (ia.valid && ib.valid)
        return ia == ib;
    return absoluteText(a) == absoluteText(b);
}

FileIdentity identityBy(Disk &disk, const QString &path, bool follow)
{
    FileIdentity id;
    struct stat st;
    const QByteArray name = QFile::encodeName(QDir::fromNativeSeparators(path));
    if (name.isEmpty() || disk.statAt(AT_FDCWD, name, &st, follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return id;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    id.valid = true;
    return id;
}

// The symbolic links `path` goes through to its file, `path` first: its last
// component and the links each names in turn (a loop ends the walk).
void forEachLink(Disk &disk, const QString &path, const std::function<bool(const QString &link)> &visit)
{
    QString at = QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QString next = linkTargetAt(disk, at);
        if (next.isEmpty() || !visit(at))
            return;
        at = next;
    }
}

// The entry `path` names itself: a symbolic link as the link, not followed.
FileIdentity entryIdentity(Disk &disk, const QString &path)
{
    return identityBy(disk, path, false);
}

FileStamp stampOf(const struct stat &st)
{
    FileStamp s;
    s.identity.device = quint64(st.st_dev);
    s.identity.inode = quint64(st.st_ino);
    s.identity.valid = true;
    s.size = quint64(st.st_size);
    s.modifiedSeconds = qint64(st.st_mtim.tv_sec);
    s.modifiedNanoseconds = qint64(st.st_mtim.tv_nsec);
    s.changedSeconds = qint64(st.st_ctim.tv_sec);
    s.changedNanoseconds = qint64(st.st_ctim.tv_nsec);
    return s;
}

} // namespace

FileIdentity fileIdentity(Disk &disk, const QString &path)
{
    return identityBy(disk, path, true);
}

FileStamp fileStamp(Disk &disk, int fd)
{
    struct stat st;
    return fd >= 0 && disk.stat(fd, &st) == 0 ? stampOf(st) : FileStamp();
}

FileStamp fileStamp(Disk &disk, const QString &path)
{
    struct stat st;
    const QByteArray name = QFile::encodeName(QDir::fromNativeSeparators(path));
    return !name.isEmpty() && disk.statAt(AT_FDCWD, name, &st) == 0 ? stampOf(st) : FileStamp();
}

bool entryExists(Disk &disk, const QString &path)
{
    return identityBy(disk, path, false).valid;
}

bool sameFile(Disk &disk, const QString &a, const QString &b)
{
    return SameFileAs(disk, a)(b);
}

QString writeThroughTarget(Disk &disk, const QString &path)
{
    const QString named = QDir::fromNativeSeparators(path);
    const QString end = typeAtPath(disk, named, true) == S_IFLNK && typeAtPath(disk, named) == S_IFREG
                                ? canonicalPathOf(disk, named)
                                : QString();
    return end.isEmpty() ? path : end;
}

RenameTarget::RenameTarget(Disk &disk, const QString &target)
{
    const QFileInfo t(QDir::fromNativeSeparators(target));
    name = t.fileName();
    const QString folderPath = canonicalPathOf(disk, t.absolutePath());
    if (!folderPath.isEmpty() && !name.isEmpty()) {
        entry = QDir(folderPath).filePath(name);
        folder = fileIdentity(disk, folderPath);
        file = fileIdentity(disk, entry);
    }
    link = entryIdentity(disk, t.absoluteFilePath());
}

ReachedPath::ReachedPath(Disk &disk, const QString &loaded)
{
    if (loaded.isEmpty())
        return;
    reached = canonicalPathOf(disk, QFileInfo(QDir::fromNativeSeparators(loaded)).absoluteFilePath());
    if (!reached.isEmpty()) {
        const QFileInfo r(reached);
        name = r.fileName();
        folder = fileIdentity(disk, r.absolutePath());
        file = fileIdentity(disk, reached);
    }
    forEachLink(disk, loaded, [this, &disk](const QString &link) {
        links.append({QFileInfo(link).fileName(), entryIdentity(disk, link)});
        return true;
    });
}

bool replacesEntryOf(const RenameTarget &target, const ReachedPath &loaded)
{
    if (target.entry.isEmpty() || loaded.reached.isEmpty())
        return false;
    if (target.entry == loaded.reached)
        return true;
    // On a file system that ignores letter case: the same entry by another name.
    return loaded.name.compare(target.name, Qt::CaseInsensitive) == 0 && loaded.folder == target.folder
           && loaded.file == target.file;
}

bool replacesLinkOf(const RenameTarget &target, const ReachedPath &loaded)
{
    if (!target.link.valid)
        return false;
    // The same entry: its name (letter case aside, where the file system
    // ignores it) and the link it holds.
    return std::any_of(loaded.links.cbegin(), loaded.links.cend(), [&target](const QPair<QString, FileIdentity> &l) {
        return l.first.compare(target.name, Qt::CaseInsensitive) == 0 && l.second == target.link;
    });
}

void ReachedFiles::add(const QString &path)
{
    Disk &disk = m_disk;
    const FileIdentity file = fileStamp(disk, path).identity;
    if (file.valid)
        m_entries.insert({file.device, file.inode});
    forEachLink(disk, path, [this, &disk](const QString &link) {
        const FileIdentity id = entryIdentity(disk, link);
        if (id.valid)
            m_entries.insert({id.device, id.inode});
        return true;
    });
}

bool ReachedFiles::replacedBy(const QString &target) const
{
    const FileIdentity id = entryIdentity(m_disk, target);
    return id.valid && m_entries.contains({id.device, id.inode});
}

SameFileAs::SameFileAs(Disk &disk, const QString &target)
    : m_disk(disk)
    , m_target(QDir::fromNativeSeparators(target))
{
}

bool SameFileAs::operator()(const QString &path) const
{
    if (path.isEmpty() || m_target.isEmpty())
        return path.isEmpty() && m_target.isEmpty();
    const QString text = QDir::fromNativeSeparators(path);
    if (text == m_target)
        return true;
    const auto seen = m_seen.constFind(text);
    if (seen != m_seen.constEnd())
        return seen.value();
    if (!m_known) {
        m_identity = fileIdentity(m_disk, m_target);
        m_known = true;
    }
    const bool same = sameWithout(m_target, m_identity, text, fileIdentity(m_disk, text));
    m_seen.insert(text, same);
    return same;
}

} // namespace ztplatform

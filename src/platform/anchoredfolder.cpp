#include "platform/anchoredfolder.h"

#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablefile.h"
#include "platform/pathcase.h"
#include "platform/volumeidentity.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <utility>

#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U
#endif

namespace ztplatform {

namespace {


// One entry name: no separator, not "." or "..".
bool isEntryName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
            && !name.contains(QLatin1Char('/'));
}

// The identity of what `relative` names below the open `dir` (its last step
// not followed; empty: `dir` itself), with the mount id a newer kernel never
// gives again where it tells it; its mount to *stamp.
FolderIdentity identityAt(Disk &disk, int dir, const QByteArray &relative, MountStamp *stamp = nullptr)
{
    FolderIdentity id;
    struct statx sx;
    if (disk.statxAt(dir, relative, AT_SYMLINK_NOFOLLOW | (relative.isEmpty() ? AT_EMPTY_PATH : 0),
                     STATX_INO | STATX_MNT_ID | STATX_MNT_ID_UNIQUE, &sx)
                != 0
        || (sx.stx_mask & STATX_INO) == 0 || (sx.stx_mask & (STATX_MNT_ID | STATX_MNT_ID_UNIQUE)) == 0)
        return id;
    id.device = quint64(makedev(sx.stx_dev_major, sx.stx_dev_minor));
    id.inode = sx.stx_ino;
    id.mount = sx.stx_mnt_id;
    id.valid = true;
    if (stamp)
        *stamp = mountStampOf(sx);
    return id;
}

} // namespace

RootCheck::~RootCheck() = default;

bool RootCheck::admitsMount(const MountStamp &)
{
    return false;
}

OpenFolder::~OpenFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

OpenFolder::OpenFolder(OpenFolder &&other) noexcept
    : m_fd(other.m_fd)
    , m_disk(other.m_disk)
{
    other.m_fd = -1;
}

OpenFolder &OpenFolder::operator=(OpenFolder &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        m_disk = other.m_disk;
        other.m_fd = -1;
    }
    return *this;
}

Disk &OpenFolder::disk() const
{
    return m_disk ? *m_disk : systemDisk();
}

int OpenFolder::openEntry(const QString &name, int flags, int mode) const
{
    if (m_fd < 0 || !isEntryName(name))
        return -1;
    const QByteArray native = QFile::encodeName(name);
    const int fd = disk().openAt(m_fd, native, flags | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
    if (fd >= 0 && (flags & O_ACCMODE) != O_RDONLY)
        disk().changed(FileEvent::OpenedForWriting, m_fd, native);
    return fd;
}

OpenFolder OpenFolder::makeFolder(const QString &name, bool *created) const
{
    if (created)
        *created = false;
    if (m_fd < 0 || !isEntryName(name))
        return OpenFolder();
    const QByteArray native = QFile::encodeName(name);
    // Another thread may make it at the same moment.
    if (disk().mkdirAt(m_fd, native, 0755) == 0 && created)
        *created = true;
    OpenFolder folder(disk().openAt(m_fd, native, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC), m_disk);
    struct stat here, there;
    if (folder.isOpen()
        && (disk().stat(m_fd, &here) != 0 || disk().stat(folder.fd(), &there) != 0 || here.st_dev != there.st_dev))
        return OpenFolder();
    return folder;
}

bool OpenFolder::isLink(const QString &name) const
{
    struct stat st;
    return m_fd >= 0 && isEntryName(name)
            && disk().statAt(m_fd, QFile::encodeName(name), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
}

bool OpenFolder::exists(const QString &name) const
{
    struct stat st;
    return m_fd >= 0 && isEntryName(name)
            && disk().statAt(m_fd, QFile::encodeName(name), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool OpenFolder::remove(const QString &name) const
{
    if (m_fd < 0 || !isEntryName(name))
        return false;
    const QByteArray native = QFile::encodeName(name);
    if (disk().unlinkAt(m_fd, native) != 0)
        return errno == ENOENT;
    disk().changed(FileEvent::Removed, m_fd, native);
    return true;
}

bool OpenFolder::removeFolder(const QString &name) const
{
    return m_fd >= 0 && isEntryName(name) && disk().unlinkAt(m_fd, QFile::encodeName(name), AT_REMOVEDIR) == 0;
}

bool OpenFolder::mayShareStorage(const QString &name, const OpenFolder &other, const QString &otherName) const
{
    if (m_fd < 0 || other.m_fd < 0 || !isEntryName(name) || !isEntryName(otherName))
        return true;
    return disk().mayShareStorage(m_fd, QFile::encodeName(name), other.m_fd, QFile::encodeName(otherName));
}

bool OpenFolder::sync() const
{
    return syncFile(m_fd);
}

bool OpenFolder::syncFile(int fd) const
{
    if (!syncDescriptor(disk(), fd))
        return false;
    disk().changed(FileEvent::Synced, fd, QByteArray());
    return true;
}

OpenFolder openFolderBelow(int rootFd, const QString &relative, Reach *reach, Disk *disk)
{
    Reach ignored;
    Reach &result = reach ? *reach : ignored;
    result = Reach::Missing;
    struct stat st;
    Disk &by = disk ? *disk : systemDisk();
    if (rootFd < 0 || by.stat(rootFd, &st) != 0)
        return OpenFolder();
    result = Reach::Outside;
    OpenFolder current(Descriptor::duplicate(rootFd).release(), disk);
    const quint64 device = quint64(st.st_dev);
    const QStringList steps = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (!isEntryName(step))
            return OpenFolder();
        const QByteArray native = QFile::encodeName(step);
        OpenFolder next(by.openAt(current.fd(), native, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC), disk);
        struct stat entry;
        if (!next.isOpen()) {
            const bool link = by.statAt(current.fd(), native, &entry, AT_SYMLINK_NOFOLLOW) == 0
                    && S_ISLNK(entry.st_mode);
            result = link ? Reach::Outside : Reach::Missing;
            return OpenFolder();
        }
        if (by.stat(next.fd(), &entry) != 0 || quint64(entry.st_dev) != device)
            return OpenFolder(); // another volume mounted inside the tree
        current = std::move(next);
    }
    result = current.isOpen() ? Reach::Inside : Reach::Missing;
    return current;
}

FolderAnchor FolderAnchor::record(const QString &root, Disk *disk)
{
    FolderAnchor anchor;
    anchor.m_disk = disk;
    const QString canonical = canonicalPathOf(anchor.disk(), root);
    struct stat st;
    if (canonical.isEmpty() || anchor.disk().statAt(AT_FDCWD, QFile::encodeName(canonical), &st) != 0
        || !S_ISDIR(st.st_mode))
        return anchor;
    anchor.m_path = canonical;
    anchor.m_native = QFile::encodeName(canonical);
    anchor.m_given = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    anchor.m_device = quint64(st.st_dev);
    anchor.m_inode = quint64(st.st_ino);
    return anchor;
}

int FolderAnchor::rootLength(const QString &path) const
{
    for (const QString &root : {m_path, m_given}) {
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        if (!root.isEmpty() && (path == root || path.startsWith(prefix)))
            return root.size();
    }
    return -1;
}

Disk &FolderAnchor::disk() const
{
    return m_disk ? *m_disk : systemDisk();
}

bool FolderAnchor::covers(const QString &path) const
{
    return isValid() && rootLength(path) >= 0;
}

OpenFolder FolderAnchor::openFolder(const QString &folder, Reach *reach) const
{
    Reach ignored;
    Reach &result = reach ? *reach : ignored;
    result = Reach::Outside;
    const int rootLength = isValid() ? this->rootLength(folder) : -1;
    if (rootLength < 0)
        return OpenFolder();
    if (m_going && !m_going()) {
        result = Reach::Missing;
        return OpenFolder();
    }
    OpenFolder current(disk().openAt(AT_FDCWD, QFile::encodeName(m_path), O_RDONLY | O_DIRECTORY | O_CLOEXEC), m_disk);
    struct stat st;
    // A root check reads what it needs from the open root itself.
    if (!current.isOpen() || (!m_check && disk().stat(current.fd(), &st) != 0)) {
        result = Reach::Missing;
        if (m_check)
            m_check->admit(-1); // told that the root is not there
        return OpenFolder();
    }
    if (m_check) {
        result = m_check->admit(current.fd());
        if (result != Reach::Inside)
            return OpenFolder();
    } else if (quint64(st.st_dev) != m_device || quint64(st.st_ino) != m_inode) {
        result = Reach::Replaced;
        return OpenFolder();
    }
    const QString relative = folder.mid(rootLength);
    if (relative.count(QLatin1Char('/')) == relative.size()) {
        result = Reach::Inside; // the root itself
        return current;
    }
    return openFolderBelow(current.fd(), relative, &result, m_disk);
}

QVector<ListedEntry> listFolder(Disk &disk, int fd, int *error)
{
    QVector<ListedEntry> entries;
    const bool listed = disk.list(fd, &entries) == 0;
    if (error)
        *error = listed ? 0 : errno;
    return entries;
}

bool removeTree(Disk &disk, int dir, const QByteArray &name)
{
    if (disk.unlinkAt(dir, name) == 0 || errno == ENOENT)
        return true;
    if (errno != EISDIR && errno != EPERM)
        return false;
    bool all = true;
    {
        const Descriptor folder(disk.openAt(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!folder.isOpen())
            return false;
        for (const ListedEntry &e : listFolder(disk, folder.get()))
            all = removeTree(disk, folder.get(), e.name) && all;
    }
    return all && (disk.unlinkAt(dir, name, AT_REMOVEDIR) == 0 || errno == ENOENT);
}

FolderIdentity identityOf(const OpenFolder &folder)
{
    return folder.isOpen() ? identityAt(folder.disk(), folder.fd(), QByteArray()) : FolderIdentity();
}

Reach FolderAnchor::recheck(const FolderIdentity &kept, const QString &path, Steps *cached) const
{
    if (!isValid() || !kept.valid)
        return Reach::Outside;
    if (m_going && !m_going())
        return Reach::Missing;
    Steps worked = cached ? *cached : Steps();
    if (worked.relative.isEmpty()) {
        const int rootLength = this->rootLength(path);
        if (rootLength < 0)
            return Reach::Outside;
        const QStringList steps = path.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString &step : steps) {
            if (!isEntryName(step))
                return Reach::Outside;
        }
        worked.relative = QFile::encodeName(steps.join(QLatin1Char('/')));
        worked.native = m_native.endsWith('/') ? m_native + worked.relative : m_native + '/' + worked.relative;
        if (cached)
            *cached = worked;
    }
    const QByteArray &relative = worked.relative;
    // One look at the folder by its path: the one kept, on a mount the check
    // admits as it stands. Anything else is judged below the root opened.
    if (m_check) {
        MountStamp mount;
        if (identityAt(disk(), AT_FDCWD, worked.native, &mount) == kept && m_check->admitsMount(mount))
            return Reach::Inside;
    }
    const OpenFolder root(disk().openAt(AT_FDCWD, m_native, O_RDONLY | O_DIRECTORY | O_CLOEXEC), m_disk);
    if (!root.isOpen()) {
        if (m_check)
            m_check->admit(-1);
        return Reach::Missing;
    }
    if (m_check) {
        const Reach admitted = m_check->admit(root.fd());
        if (admitted != Reach::Inside)
            return admitted;
    } else {
        struct stat st;
        if (disk().stat(root.fd(), &st) != 0)
            return Reach::Missing;
        if (quint64(st.st_dev) != m_device || quint64(st.st_ino) != m_inode)
            return Reach::Replaced;
    }
    return identityAt(disk(), root.fd(), relative) == kept ? Reach::Inside : Reach::Outside;
}

OpenFolder FolderAnchor::openFolderOf(const QString &file, QString *name, Reach *reach) const
{
    const int slash = file.lastIndexOf(QLatin1Char('/'));
    if (name)
        *name = slash < 0 ? QString() : file.mid(slash + 1);
    if (slash < 0) {
        if (reach)
            *reach = Reach::Outside;
        return OpenFolder();
    }
    return openFolder(slash == 0 ? QStringLiteral("/") : file.left(slash), reach);
}

} // namespace ztplatform

#ifndef ZT_PLATFORM_ANCHOREDFOLDER_H
#define ZT_PLATFORM_ANCHOREDFOLDER_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ztplatform {

// Where a walk to a folder below an anchor ended.
enum class Reach {
    Inside,   // the folder is open, below the root and on its volume
    Missing,  // a step does not exist or cannot be opened (also a plain file)
    Outside,  // a step is a link or lies on another volume, or the path is not below the root
    Replaced, // the root is no longer the folder recorded (another volume at its place)
};

// An open folder, closed with the object. Names given to its operations are
// single entries of the folder; a link at such a name is never followed.
class OpenFolder
{
public:
    OpenFolder() = default;
    explicit OpenFolder(int fd)
        : m_fd(fd)
    {
    }
    ~OpenFolder();
    OpenFolder(OpenFolder &&other) noexcept;
    OpenFolder &operator=(OpenFolder &&other) noexcept;
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // open(2) of the entry with O_NOFOLLOW and O_CLOEXEC added; -1 on failure.
    int openEntry(const QString &name, int flags, int mode = 0644) const;
    // The entry as a folder of the same volume, created when missing; not
    // open when it is a link, a plain file or cannot be made.
    OpenFolder makeFolder(const QString &name, bool *created = nullptr) const;
    // True when the entry is a symbolic link.
    bool isLink(const QString &name) const;
    bool exists(const QString &name) const;
    // Removes the entry (not a folder); true when it is gone.
    bool remove(const QString &name) const;
    // Removes the entry when it is an empty folder.
    bool removeFolder(const QString &name) const;
    // Gives entry `from` the name `to` in `target` (rename(2), replacing);
    // false, and nothing changed, on failure.
    bool rename(const QString &from, const OpenFolder &target, const QString &to) const;
    // Forces the folder's entries to the disk.
    bool sync() const;

private:
    int m_fd = -1;
};

// A folder taken by its identity (device and inode) at one moment, so that
// later writes below it reach the same folder. Each access walks from the
// root one step at a time, never through a link and never onto another
// volume; what the walk opens is what is then written, so nothing can be
// swapped in between the check and the write.
class FolderAnchor
{
public:
    FolderAnchor() = default;
    // The folder at `root` as it is now; not valid when it is no folder.
    static FolderAnchor record(const QString &root);

    bool isValid() const { return !m_path.isEmpty(); }
    // The root's canonical path.
    QString path() const { return m_path; }
    // True when `path` names the root or lies below it (by text, the
    // canonical path or the one recorded).
    bool covers(const QString &path) const;

    // Opens `folder`, the root or an absolute path below it.
    OpenFolder openFolder(const QString &folder, Reach *reach = nullptr) const;
    // Opens the folder of `file` and gives the file's own name.
    OpenFolder openFolderOf(const QString &file, QString *name, Reach *reach = nullptr) const;

private:
    int rootLength(const QString &path) const;

    QString m_path;
    QString m_given;
    quint64 m_device = 0;
    quint64 m_inode = 0;
};

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_ANCHOREDFOLDER_H
#define ZT_PLATFORM_ANCHOREDFOLDER_H

#include "platform/disk.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace ztplatform {

struct MountStamp;

// Where a walk to a folder below an anchor ended.
enum class Reach {
    Inside,   // the folder is open, below the root and on its volume
    Missing,  // a step does not exist or cannot be opened (also a plain file)
    Outside,  // a step is a link or lies on another volume, or the path is not below the root
    Replaced, // the root is no longer the folder recorded (another volume at its place)
};

// Asked before each walk below an anchor, with the root as just opened (-1
// when it cannot be opened; the walk then ends as Missing): Inside lets the
// walk go on, on whatever device the root now lies (the same volume mounted
// again); anything else ends the walk with that answer.
class RootCheck
{
public:
    virtual ~RootCheck();
    virtual Reach admit(int rootFd) = 0;
    // Whether a folder below the root, found by a look at its path on the
    // mount `mount` (its inode is the folder's), may be written without the
    // root being opened: true only where admit() of the root would say
    // Inside; false leaves the decision to admit().
    virtual bool admitsMount(const MountStamp &mount);
};

// An open folder, closed with the object. Names given to its operations are
// single entries of the folder; a link at such a name is never followed. Its
// changes go through the disk it was opened with (the system's when none),
// and the folders opened from it keep that disk, which is told of each
// change (Disk::changed).
class OpenFolder
{
public:
    OpenFolder() = default;
    explicit OpenFolder(int fd, Disk *disk = nullptr)
        : m_fd(fd)
        , m_disk(disk)
    {
    }
    ~OpenFolder();
    OpenFolder(OpenFolder &&other) noexcept;
    OpenFolder &operator=(OpenFolder &&other) noexcept;
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    Disk &disk() const;

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
    // Whether entry `name` and entry `otherName` of `other` may lie in the
    // same place on the medium (Disk::mayShareStorage); true when unsure.
    bool mayShareStorage(const QString &name, const OpenFolder &other, const QString &otherName) const;
    // Forces the folder's entries to the disk.
    bool sync() const;
    // Forces the open file `fd` (an entry of this folder) to the disk.
    bool syncFile(int fd) const;

private:
    int m_fd = -1;
    Disk *m_disk = nullptr;
};

// Every entry of the open folder `fd` as `disk` lists it, hidden ones too;
// none, with the errno in *error (0 when listed), when it cannot be read.
QVector<ListedEntry> listFolder(Disk &disk, int fd, int *error = nullptr);
// Removes the entry `name` of the open folder `dir` through `disk`, a folder
// with everything below it; a link is removed, never followed. True when
// nothing stands at the name any more; what could not go is left.
bool removeTree(Disk &disk, int dir, const QByteArray &name);

// What tells an open folder from every other: its device, inode and mount.
struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    quint64 mount = 0;
    bool valid = false;
    bool operator==(const FolderIdentity &o) const
    {
        return valid && o.valid && device == o.device && inode == o.inode && mount == o.mount;
    }
};
// Not valid when the folder is not open or the system does not tell its mount.
FolderIdentity identityOf(const OpenFolder &folder);

// Opens `relative` ("a/b"; empty for the folder itself) below the open
// folder `rootFd` one step at a time, never through a link and never onto
// another volume; `reach` tells where the walk ended. The folder opened
// changes through `disk`.
OpenFolder openFolderBelow(int rootFd, const QString &relative, Reach *reach = nullptr, Disk *disk = nullptr);

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
    // Everything below it changes through `disk` (the system's when null).
    static FolderAnchor record(const QString &root, Disk *disk = nullptr);

    bool isValid() const { return !m_path.isEmpty(); }
    // The root's canonical path.
    QString path() const { return m_path; }
    // True when `path` names the root or lies below it (by text, the
    // canonical path or the one recorded).
    bool covers(const QString &path) const;
    // From now on `check` decides whether the root is still the one
    // recorded, for this anchor and its copies made later.
    void setCheck(std::shared_ptr<RootCheck> check) { m_check = std::move(check); }
    // From now on each walk below this anchor and its copies made later first
    // asks `going`: false ends it as Missing before the root is opened, so
    // work that was given up on reaches nothing more.
    void setGoing(std::function<bool()> going) { m_going = std::move(going); }
    Disk &disk() const;

    // Opens `folder`, the root or an absolute path below it.
    OpenFolder openFolder(const QString &folder, Reach *reach = nullptr) const;
    // Opens the folder of `file` and gives the file's own name.
    OpenFolder openFolderOf(const QString &file, QString *name, Reach *reach = nullptr) const;
    // Whether the folder known as `kept`, opened earlier by openFolder(path),
    // may take a change now, by one look at the path where the check admits
    // the mount found there, else by one look at the root and one at the path:
    // Inside when the root at its place passes the check and the entry at
    // `path` below it (its last step not followed) is that folder on the same
    // mount; the walk's answer when the root does not pass (Missing when it
    // cannot be opened); Outside when the folder is not, or cannot be told
    // to be, the one there: a walk by openFolder() then decides.
    // `steps`, when given, keeps what is worked out from `path` for the next
    // recheck of the same path, which may then give no path.
    struct Steps {
        QByteArray relative; // below the root
        QByteArray native;   // the whole path as the system spells it
    };
    Reach recheck(const FolderIdentity &kept, const QString &path, Steps *steps = nullptr) const;

private:
    int rootLength(const QString &path) const;

    QString m_path;
    QByteArray m_native; // m_path as the system spells it
    QString m_given;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    std::shared_ptr<RootCheck> m_check;
    std::function<bool()> m_going;
    Disk *m_disk = nullptr;
};

} // namespace ztplatform

#endif

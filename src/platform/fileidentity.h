#ifndef ZT_PLATFORM_FILEIDENTITY_H
#define ZT_PLATFORM_FILEIDENTITY_H

#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

namespace ztplatform {

class Disk;

// A file as the system knows it, whatever path reaches it (links to it or to
// a folder above it, "." and ".."): its device and inode. A file replaced by
// a rename is another file.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool valid = false; // false: nothing was there

    bool operator==(const FileIdentity &o) const
    {
        return valid && o.valid && device == o.device && inode == o.inode;
    }
    bool operator!=(const FileIdentity &o) const { return !(*this == o); }
};

// The file `path` names at this moment, links followed.
FileIdentity fileIdentity(Disk &disk, const QString &path);

// A file as it was when it was read: which file, its size and when its bytes
// last changed. The same file written again, at its old size too, stamps
// otherwise; so does another file put at its path.
struct FileStamp
{
    FileIdentity identity;
    quint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    // When anything of the file last changed (its bytes, mode, owner, links;
    // not settable by a program): not part of ==, which a new link to the file
    // or a mode change would otherwise break.
    qint64 changedSeconds = 0;
    qint64 changedNanoseconds = 0;

    bool operator==(const FileStamp &o) const
    {
        return identity == o.identity && size == o.size && modifiedSeconds == o.modifiedSeconds
               && modifiedNanoseconds == o.modifiedNanoseconds;
    }
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
    // == and the same change time: nothing of the file was touched between the two.
    bool untouchedSince(const FileStamp &o) const
    {
        return *this == o && changedSeconds == o.changedSeconds && changedNanoseconds == o.changedNanoseconds;
    }
};

// The stamp of the open file `fd`; of the file `path` names, links followed.
// Not valid (identity.valid false) when there is none.
FileStamp fileStamp(Disk &disk, int fd);
FileStamp fileStamp(Disk &disk, const QString &path);

// True when anything stands at `path`: a file, a folder, or a symbolic link,
// also one that leads nowhere.
bool entryExists(Disk &disk, const QString &path);

// True when `a` and `b` name the same file at this moment. Where either names
// nothing, true only for the same absolute path ("." and ".." taken as text).
bool sameFile(Disk &disk, const QString &a, const QString &b);

// The file a save to `path` replaces: a symbolic link to a regular file is
// written through, so this is the file the link finally names (its canonical
// path); any other path is returned as it stands. The caller resolves it once
// and renames over the result.
QString writeThroughTarget(Disk &disk, const QString &path);

// A rename's target and a path the editor loaded, each looked at once, for
// the two questions below. Answers hold while none of them is renamed over.
struct RenameTarget
{
    RenameTarget(Disk &disk, const QString &target);
    QString name;        // its last component
    QString entry;       // the canonical folder with `name`; empty without both
    FileIdentity folder; // the folder of `entry`
    FileIdentity file;   // the file `entry` names, links followed
    FileIdentity link;   // the target's entry itself, not followed
};
struct ReachedPath
{
    ReachedPath(Disk &disk, const QString &loaded);
    QString reached;     // the canonical path of its file; empty when none
    QString name;        // the last component of `reached`
    FileIdentity folder; // the folder of `reached`
    FileIdentity file;   // the file itself
    QVector<QPair<QString, FileIdentity>> links; // name and entry of each link on its way
};
// True when renaming a file over `target` (its last component taken as it
// stands, not followed) replaces the directory entry through which `loaded`
// reaches its file now, every link on that way followed. A hard link is
// another entry: a rename over it leaves `loaded` as it was. On a file system
// that ignores letter case, a name that differs only in case is the same
// entry (there, and only there, one file is found under both names).
bool replacesEntryOf(const RenameTarget &target, const ReachedPath &loaded);
// True when renaming a file over `target` replaces a symbolic link by which
// `loaded` reaches its file (`loaded` itself, or a link it names in turn), so
// that `loaded` no longer reaches that file afterwards.
bool replacesLinkOf(const RenameTarget &target, const ReachedPath &loaded);

// The files some paths reach and the symbolic links on their way (the last
// component and the links it names in turn), known by identity: whether a
// rename would take the place of one of them.
class ReachedFiles
{
public:
    // Looked at through `disk`.
    explicit ReachedFiles(Disk &disk)
        : m_disk(disk)
    {
    }
    void add(const QString &path);
    // True when a rename over `target` (not followed) replaces one of them.
    bool replacedBy(const QString &target) const;

private:
    Disk &m_disk;
    QSet<QPair<quint64, quint64>> m_entries;
};

// sameFile(target, path) for many paths: the target is looked at once, each
// other path text once. Answers hold while the files are not replaced.
class SameFileAs
{
public:
    SameFileAs(Disk &disk, const QString &target);
    bool operator()(const QString &path) const;

private:
    Disk &m_disk;
    QString m_target;
    mutable bool m_known = false;
    mutable FileIdentity m_identity;
    mutable QHash<QString, bool> m_seen;
};

} // namespace ztplatform

#endif

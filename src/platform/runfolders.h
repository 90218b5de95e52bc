#ifndef ZT_PLATFORM_RUNFOLDERS_H
#define ZT_PLATFORM_RUNFOLDERS_H

// The editor's temporary folders in the system's temporary folder. Each one
// holds a lock file, locked for as long as the run that made it lives, so a
// later start tells the folders of runs that were killed from those in use.

#include <QString>
#include <QStringList>

namespace ztplatform {

// A folder "<temporary folder>/<prefix>XXXXXX" of this run, removed with
// everything in it when the object goes.
class RunFolder
{
public:
    // `prefix` is one of runFolderPrefixes().
    explicit RunFolder(const QString &prefix);
    ~RunFolder();
    RunFolder(const RunFolder &) = delete;
    RunFolder &operator=(const RunFolder &) = delete;

    bool isValid() const { return m_lockFd >= 0; }
    QString path() const { return m_path; }
    QString filePath(const QString &name) const;
    QString errorString() const { return m_error; }
    // False keeps the folder when the object goes (it stays locked until then).
    void setAutoRemove(bool remove) { m_autoRemove = remove; }
    bool autoRemove() const { return m_autoRemove; }

private:
    QString m_path;
    QString m_error;
    int m_lockFd = -1;
    bool m_autoRemove = true;
};

// "zt350editor-" (the window's own folders), "zt350conv-", "zt350probe-",
// "zt350wave-", "zt350play-".
QStringList runFolderPrefixes();
QString editorFolderPrefix();

// The name of the lock file inside a run folder.
QString runFolderLockName();

// Removes from `tempFolder` (the system's temporary folder when empty) the
// run folders of runs that no longer live: a folder named by a prefix and
// six letters or digits, owned by this user, whose lock can be taken; one
// without a lock file (made by an older editor, which may still run) only
// when nothing changed in it for an hour; so too a scratch file an older
// editor left ("zt350editor." and six letters or digits). Nothing else is
// touched and no link is followed. Returns what was removed.
QStringList removeDeadRunFolders(const QString &tempFolder = QString());

// The same on a thread of the global pool: the start does not wait for it.
void removeDeadRunFoldersLater();

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_DURABLEWRITE_H
#define ZT_PLATFORM_DURABLEWRITE_H

#include "platform/descriptor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <sys/types.h>

#include <functional>

namespace ztplatform {

class Disk;
class OpenFolder;

// One file written so that no name leads to it before it is whole on the
// disk, in this order, each step through the folder's disk:
//  create()      a new file in the folder, made exclusively and never through
//                a link: nothing standing at its name is opened or changed;
//  write()       its bytes (writeWith(): the caller writes the descriptor);
//  readBack()    where the caller asks, a check of what the file holds;
//  keepAttributesOf()  where it replaces a file, that file's owner, group,
//                extended attributes and mode;
//  sync()        its bytes forced to the disk;
//  close()       a write the system reports only at the close fails here;
//  rename()      the file takes its final name (replacing, or only where
//                nothing stands there);
//  syncFolder()  the folder's entries forced to the disk.
// finish() is sync and close; commit() is finish, rename and syncFolder.
// The first failed step is kept (failedStep(), error() as errno,
// errorString()) and refuses every step after it, in whatever order they are
// called; a failed step leaves errno as its own. The file made and not
// renamed is removed when the object goes, unless keep() gave it up.
class DurableWrite
{
public:
    enum class Step { None, Create, Write, ReadBack, Sync, Mode, Rename, FolderSync };

    // A file in `folder` (held by the caller while this lives), watched as
    // the folder's own writes are.
    explicit DurableWrite(const OpenFolder &folder);
    // A file in the open folder `dir` (held by the caller while this lives).
    DurableWrite(Disk &disk, int dir);
    ~DurableWrite();
    DurableWrite(const DurableWrite &) = delete;
    DurableWrite &operator=(const DurableWrite &) = delete;

    // sync() and syncFolder() force nothing: the caller syncs many files at
    // once (their file system) before anything relies on them.
    void setSyncedByCaller(bool byCaller) { m_syncedByCaller = byCaller; }

    bool create(const QString &name, mode_t mode = 0666);
    // The first name of nameAt(0), nameAt(1), ... that nothing stands at
    // (a link neither), up to `tries` names.
    bool createFirstFree(const std::function<QString(quint32 n)> &nameAt, quint32 tries, mode_t mode = 0666);
    bool write(const char *data, qint64 size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // `fill` writes the open descriptor; false with errno fails the step.
    bool writeWith(const std::function<bool(int fd)> &fill);
    // `check` looks at the file by a path that reaches it through the
    // folder held; false fails the step.
    bool readBack(const std::function<bool(const QString &path)> &check);
    // The file as read through the disk holds exactly `bytes`.
    bool readBack(const QByteArray &bytes);
    // Gives the new file what the regular file at `name` in the folder has,
    // where it differs: owner and group where the editor may set them,
    // extended attributes (an ACL too) and mode. Fails only when the mode
    // cannot be set; what else could not be given is told by notKept(), a
    // line each, naming other names of the file by `folderPath` when given.
    bool keepAttributesOf(const QString &name, const QString &folderPath = QString());
    bool sync(bool dataOnly = false);
    bool close();
    bool finish() { return sync() && close(); }
    bool rename(const QString &to, bool noReplace = false);
    bool syncFolder();
    bool commit(const QString &to, bool noReplace = false)
    {
        return finish() && rename(to, noReplace) && syncFolder();
    }
    // The file stays when this object goes. True unless a step failed.
    bool keep();
    // Fails `step` for a write the caller made itself (its own file engine),
    // as if this object had made it.
    bool stop(Step step, int error);
    bool stop(Step step, int error, const QString &reason);

    int fd() const { return m_fd.get(); }
    int folderFd() const { return m_dir; }
    // The file's entry name; empty before create().
    QString name() const { return m_name; }
    bool isCreated() const { return !m_name.isEmpty(); }
    bool isRenamed() const { return m_renamed; }
    QStringList notKept() const { return m_notKept; }

    bool failed() const { return m_failed != Step::None; }
    Step failedStep() const { return m_failed; }
    int error() const { return m_error; }
    QString errorString() const { return m_reason; }

private:
    bool refuse();
    int openEntry(const QByteArray &name, int flags, mode_t mode);
    bool syncDescriptor(int fd);
    bool removeEntry();

    const OpenFolder *m_folder = nullptr;
    Disk *m_disk;
    int m_dir;
    Descriptor m_fd;
    QString m_name;
    bool m_syncedByCaller = false;
    bool m_renamed = false;
    bool m_kept = false;
    Step m_failed = Step::None;
    int m_error = 0;
    QString m_reason;
    QStringList m_notKept;
};

} // namespace ztplatform

#endif

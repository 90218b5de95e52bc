#ifndef ZT_PLATFORM_REPLACEFILE_H
#define ZT_PLATFORM_REPLACEFILE_H

#include "platform/descriptor.h"
#include "platform/durablewrite.h"
#include "platform/leftovers.h"
#include "platform/sysio.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace ztplatform {

class OpenFolder;

// A file that takes the place of the one at its target only once it is
// whole, by the durable write (durablewrite.h) under a temporary name. In
// order:
//  open()     a new temporary in the target's folder (temporaryName()),
//             created exclusively and never through a link: a name that is
//             taken, by a link too, moves on to the next number. The
//             folder is first swept of older temporaries (`leftovers`, when
//             given).
//             A target whose path or name is too long for the system fails
//             here (ENAMETOOLONG);
//  file(), write()  its bytes;
//  readBack() a check of what was written, where the caller asks;
//  finish()   its bytes forced to the disk and given what the file it
//             replaces has: owner and group where the editor may set them,
//             extended attributes (its ACL too) and mode; what could not be
//             given is told by notKept(). A new file keeps the usual mode
//             (0666 less the umask);
//  rename()   the temporary renamed over the target (a link there is
//             replaced itself, never written through);
//  syncFolder() the folder's entries forced to the disk.
// commit() runs what is left of finish, rename and syncFolder. Each step
// returns its result; the first failure is kept (failedStep, errorString) and
// stops every step after it, in whatever order they are called. A temporary
// that is not renamed is removed when the object goes, unless keep() gave it
// up.
class ReplaceFile
{
public:
    using Step = DurableWrite::Step;

    // `target` by path: its folder is opened when the temporary is made. The
    // file changes through `disk` (the editor's when null).
    ReplaceFile(const QString &target, std::shared_ptr<Leftovers> leftovers, Disk *disk = nullptr);
    // The entry `name` of an opened folder (the folder is held while this
    // lives), changed through the folder's disk.
    ReplaceFile(const OpenFolder &folder, const QString &name, std::shared_ptr<Leftovers> leftovers);
    ~ReplaceFile();
    ReplaceFile(const ReplaceFile &) = delete;
    ReplaceFile &operator=(const ReplaceFile &) = delete;

    // rename() then never replaces: it fails when something stands at the
    // target by then.
    void setCreateOnly(bool createOnly) { m_createOnly = createOnly; }
    // finish() and syncFolder() force nothing to the disk: the caller syncs
    // many files at once (their file system, Disk::syncFileSystem) before
    // anything relies on them, as for files made in a hidden folder that
    // takes its name afterwards.
    void setSyncedByCaller(bool byCaller)
    {
        m_syncedByCaller = byCaller;
        if (m_write)
            m_write->setSyncedByCaller(byCaller);
    }

    bool open();
    // For a write watched from another thread: each write through file()
    // first asks `goOn` (false fails it, ECANCELED), and the bytes go to the
    // disk on the way, never `syncEvery` bytes of them waited for at once, so
    // that finish() has little left to force and a slow drive still shows it
    // moves on. Each half of that is started before the one two halves back
    // is waited for, so the disk always has a half to write while more is
    // handed over; a disk that cannot (Disk::writeBack) is synced every
    // `syncEvery` bytes instead. Up to
    // `mostEvery`, the stretch doubles after each wait the disk ends at once
    // and halves after one that takes long.
    void watchWrites(std::function<bool()> goOn, qint64 syncEvery, qint64 mostEvery = 0);
    // The open temporary. Its descriptor stays with this object: closing the
    // QFile only flushes it.
    QFile &file() { return m_file; }
    bool write(const QByteArray &bytes);
    // What was written started on its way to the disk where the disk can,
    // nothing waited for: finish() then has less to wait on.
    bool startWriteBack();
    // Flushes what was written, then asks `check` about the file at `path`
    // (a path that reaches the temporary through the folder held).
    bool readBack(const std::function<bool(const QString &path)> &check);
    bool finish();
    bool rename();
    bool syncFolder();
    bool commit();
    // The temporary, finished, stays after this object goes, under a name
    // the user sees ("K001~1.INI" beside "K001.INI") where the folder takes
    // one, else under its own; its path.
    QString keep();
    // What the new file could not be given of the one it replaced (its
    // owner, its group, an attribute), a line each for the user; empty when
    // it has all of it.
    QString notKept() const { return m_notKept.join(QStringLiteral("\r\n")); }

    QString target() const { return m_target; }
    // The temporary's path (by the folder's descriptor for an opened folder);
    // empty before open().
    QString temporaryPath() const;
    bool isRenamed() const { return m_renamed; }
    bool failed() const { return m_failed != Step::None; }
    Step failedStep() const { return m_failed; }
    // The system's reason for the failed step.
    QString errorString() const { return m_error; }

private:
    Disk &disk() const { return m_disk ? *m_disk : sysio::disk(); }
    bool fail(Step step, int error);
    bool fail(Step step, const QString &reason);
    bool failedWith(const DurableWrite &write);
    bool forceOnTheWay(int fd, qint64 at);
    bool waitedFor(int fd);

    QString m_target;     // as given
    QString m_folderPath; // absolute; empty for an opened folder
    QString m_name;       // the target's entry name
    bool m_createOnly = false;
    bool m_syncedByCaller = false;
    Disk *m_disk = nullptr;
    std::shared_ptr<Leftovers> m_leftovers;

    Descriptor m_dir;
    Descriptor m_lock; // holds the temporary's lock until it is renamed or goes
    std::optional<DurableWrite> m_write; // the temporary, from open() on
    sysio::SeamFile m_file;
    QString m_temporary; // entry name of the temporary
    bool m_finished = false;
    bool m_renamed = false;
    Step m_failed = Step::None;
    QString m_error;
    QStringList m_notKept;
    qint64 m_synced = 0;  // bytes forced to the disk on the way (watchWrites)
    qint64 m_queued = 0;  // bytes started before the latest stretch
    qint64 m_started = 0; // bytes started on their way there
    qint64 m_stretch = 0; // bytes between two such steps
    qint64 m_leastStretch = 0;
    qint64 m_mostStretch = 0;
    bool m_writeBack = true; // the disk starts and waits for stretches (Disk::writeBack)
};

} // namespace ztplatform

#endif

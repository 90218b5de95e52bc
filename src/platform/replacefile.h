#ifndef ZT_PLATFORM_REPLACEFILE_H
#define ZT_PLATFORM_REPLACEFILE_H

#include <QByteArray>
#include <QFile>

#include "platform/sysio.h"
#include <QString>

#include <functional>

namespace ztplatform {

class OpenFolder;

// A file that takes the place of the one at its target only once it is
// whole. In order:
//  open()     a new temporary in the target's folder, created exclusively
//             and never through a link: a name that is taken, by a link too,
//             moves on to the next number;
//  file(), write()  its bytes;
//  readBack() a check of what was written, where the caller asks;
//  finish()   its bytes forced to the disk and the mode of the file it
//             replaces given (a new file keeps the usual mode: 0666 less the
//             umask);
//  rename()   the temporary renamed over the target (a link there is
//             replaced itself, never written through);
//  syncFolder() the folder's entries forced to the disk.
// commit() runs what is left of finish, rename and syncFolder. Each step
// returns its result; the first failure is kept (failedStep, errorString) and
// stops the steps after it. A temporary that is not renamed is removed when
// the object goes, unless keep() gave it up.
class ReplaceFile
{
public:
    enum class Step { None, Create, Write, ReadBack, Sync, Mode, Rename, FolderSync };

    // `target` by path: its folder is opened when the temporary is made.
    explicit ReplaceFile(const QString &target);
    // The entry `name` of an opened folder (the folder is held while this lives).
    ReplaceFile(const OpenFolder &folder, const QString &name);
    ~ReplaceFile();
    ReplaceFile(const ReplaceFile &) = delete;
    ReplaceFile &operator=(const ReplaceFile &) = delete;

    // The temporary's name: the target's base name up to its first dot, a
    // number of nine digits, then `suffix` (by default the target's own
    // suffixes, from its first dot). Each try takes *counter and raises it
    // (a counter of this file from 0 when none is given), so several files
    // of one save can share one. A name `skip` holds taken is passed over;
    // it gets the temporary's path (for an opened folder, its entry name).
    void setTemporaryNames(const QString &suffix, int *counter = nullptr,
                           std::function<bool(const QString &name)> skip = {});
    // rename() then never replaces: it fails when something stands at the
    // target by then.
    void setCreateOnly(bool createOnly) { m_createOnly = createOnly; }

    bool open();
    // The open temporary. Its descriptor stays with this object: closing the
    // QFile only flushes it.
    QFile &file() { return m_file; }
    bool write(const QByteArray &bytes);
    // Flushes what was written, then asks `check` about the file at `path`
    // (a path that reaches the temporary).
    bool readBack(const std::function<bool(const QString &path)> &check);
    bool finish();
    bool rename();
    bool syncFolder();
    bool commit();
    // The temporary, finished, stays where it is after this object goes;
    // its path.
    QString keep();

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
    bool fail(Step step, int error);
    bool fail(Step step, const QString &reason);
    QString candidate(int number) const;

    QString m_target;     // as given
    QString m_folderPath; // absolute; empty for an opened folder
    QString m_name;       // the target's entry name
    QString m_suffix;
    int m_ownCounter = 0;
    int *m_counter = &m_ownCounter;
    std::function<bool(const QString &)> m_skip;
    bool m_createOnly = false;

    int m_dir = -1;
    int m_fd = -1;
    sysio::SeamFile m_file;
    QString m_temporary; // entry name of the temporary
    bool m_finished = false;
    bool m_renamed = false;
    bool m_kept = false;
    Step m_failed = Step::None;
    QString m_error;
};

} // namespace ztplatform

#endif

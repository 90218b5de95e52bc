#ifndef ZT_PLATFORM_REGULARFILE_H
#define ZT_PLATFORM_REGULARFILE_H

#include "platform/waiter.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QObject;

namespace ztplatform {

class Disk;
class FolderAnchor;
class SilentFiles;
namespace sysio {
class SeamFile;
}

// The one folder whose files are not read any more (fenced), or are read only
// while its owner lets them (watched): the pad's, once the volume at its place
// is found not to be the one the editor loaded. Held by the window and handed
// to everything that reads files the user or the pad names; a null fence
// fences nothing. It also holds the disk those reads go through. Its state
// holds on every thread.
class FolderFence
{
public:
    // Reads go through `disk` (null: the editor's default one).
    explicit FolderFence(Disk *disk = nullptr);
    ~FolderFence();
    FolderFence(const FolderFence &) = delete;
    FolderFence &operator=(const FolderFence &) = delete;

    // Files below `folder`, reached by any path (links followed), are not read
    // any more: isRegularFile() is false for them from now on, on every thread,
    // without a look at the disk for a path below the folder as named.
    // One folder at a time: this replaces any earlier one. An empty name
    // changes nothing.
    void fenceFolder(const QString &folder);

    // Until the folder of `anchor` is fenced, `stillReadable` is asked on the GUI
    // thread each time isRegularFile() would hold for a file below it; a false
    // answer fences the folder first. It is not asked once `owner` is gone.
    // Replaces any earlier fenced or watched folder; an invalid anchor leaves
    // none. While `answering` (when given) says no, isRegularFile() on the GUI
    // thread is false for a path below the folder as named, without a look at
    // the disk. isRegularFileWithin() and regularFileSizeWithin() look at a file
    // the anchor covers below it, as the anchor opens it: no link followed, no
    // pipe waited on; `stillReadable` is also asked when the anchor's root is
    // not admitted.
    void watchFolder(const FolderAnchor &anchor, QObject *owner, std::function<bool()> stillReadable,
                     std::function<bool()> answering = {});

    // Nothing fenced or watched any more, when the folder was watched for `owner`.
    void endFolderWatch(const QObject *owner);

    Disk &disk() const;

    struct State;
    State &state() { return *m_state; }

private:
    Disk *m_disk;
    std::unique_ptr<State> m_state;
};

// The disk of `fence`, the default one when there is none.
Disk &diskOf(const std::shared_ptr<FolderFence> &fence);

// True when `path` names a regular file (also through a link) that may be
// read. Named pipes, devices and folders are not: opening them may block or
// read no sound. Nor is a file below the folder `fence` fenced (fenceFolder).
bool isRegularFile(const std::shared_ptr<FolderFence> &fence, const QString &path);
// The same, the drive looked at on a thread of its own, waited on through
// `wait`; what needs the calling thread (the watched
// folder's owner) is asked there. Nothing when the drive did not answer
// within `limitMs`, or an earlier look given up on is still out (`silent`).
std::optional<bool> isRegularFileWithin(const std::shared_ptr<FolderFence> &fence,
                                        const std::shared_ptr<SilentFiles> &silent, const QString &path, int limitMs,
                                        const Waiter &wait);
// True when `path` names a folder (also through a link). Like isRegularFile()
// it looks through the editor's disk (sysio), which tests may make hang.
bool isFolder(const QString &path);
bool isFolder(Disk &disk, const QString &path);

// The size of the regular file at `path` (isRegularFile, then opened as
// below, a link at the name followed), -1 when there is none; looked at on a
// thread of its own, waited on through `wait`. A path the
// watched folder's anchor covers is looked at below it, no link followed.
// Nothing when its drive did not answer within `limitMs`, or an earlier look
// given up on is still out (`silent`).
std::optional<qint64> regularFileSizeWithin(const std::shared_ptr<FolderFence> &fence,
                                            const std::shared_ptr<SilentFiles> &silent, const QString &path,
                                            int limitMs, const Waiter &wait);

// What stands at `path`: its type bits (0: nothing) and, for a regular
// file, its size (else -1). A path the watched folder's anchor covers is
// looked at below it (watchFolder), any other by its path, links followed;
// nothing stands below the fenced folder. For a thread of its own: no owner
// is asked.
struct FileLook
{
    unsigned type = 0;
    qint64 size = -1;
};
FileLook lookAtFile(const std::shared_ptr<FolderFence> &fence, const QString &path);

// Opens `path` for reading as it is at this moment: the open neither follows
// a link at the name nor waits on a pipe or a device (O_RDONLY, O_NONBLOCK,
// O_NOFOLLOW, O_CLOEXEC), then the descriptor itself must be a regular file
// (fstat). The fenced folder is not consulted. The descriptor or -1; the
// caller closes it.
int openRegularFile(const QString &path);
// The same with the open's own `flags` (O_WRONLY | O_CREAT makes the file,
// mode 0666 less the umask); a link at the name is followed unless `noFollow`.
int openRegularFile(const QString &path, int flags, bool noFollow);
int openRegularFile(Disk &disk, const QString &path, int flags, bool noFollow);
// The same, handed to `file` (which then closes it and reads through its own
// disk), open for reading; a link at the name is followed unless `noFollow`.
// Opened through the file's disk unless another is given.
bool openRegularFile(const QString &path, sysio::SeamFile &file, bool noFollow);
bool openRegularFile(Disk &disk, const QString &path, sysio::SeamFile &file, bool noFollow);

// Opens the file at `path` for reading into `file`, then checks what was
// opened: a link at the name is followed, but the open waits on no pipe or
// device, and only a regular file (fstat of the descriptor) that isRegularFile
// would admit (not below the fenced folder, nor below a watched one that does
// not answer) is kept. Read from `file` only, never again by the name.
// `error` (when given) gets the errno of a refused open (ENOENT: nothing at
// the name), 0 when what stands there is no file to read.
bool openToRead(const std::shared_ptr<FolderFence> &fence, const QString &path, sysio::SeamFile &file,
                int *error = nullptr);

// Whether a file at `path`, below the fenced or watched folder by its text,
// may still be read: for the watched one its owner is asked, on the GUI
// thread, as isRegularFile() asks it for a file it finds. Nothing on the
// disk is looked at. True for a path below neither.
bool askFolderOwner(const std::shared_ptr<FolderFence> &fence, const QString &path);

// What readRegularFile found at a name.
enum class FileRead {
    Read,       // a regular file, read whole
    Missing,    // nothing at the name
    NotRegular, // a link, a pipe, a device or a folder: not read, not waited on
    TooLarge,   // more than the bytes asked for
    Failed,     // the system refused the open or a read (`error` tells why)
};

// Reads the file at `path` without waiting on it: opened without following a
// link and without blocking, then looked at (fstat) and read only when it is
// a regular file of at most `maxBytes`. `bytes` holds what was read, `error`
// (when given) the errno of a failed step, else 0.
FileRead readRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes, int *error = nullptr);
FileRead readRegularFile(Disk &disk, const QString &path, qint64 maxBytes, QByteArray &bytes, int *error = nullptr);
// The same for `name` relative to the open folder `dir` (AT_FDCWD: the
// working folder).
FileRead readRegularFileAt(int dir, const QString &name, qint64 maxBytes, QByteArray &bytes, int *error = nullptr);
// The same through `disk`.
FileRead readRegularFileAt(Disk &disk, int dir, const QString &name, qint64 maxBytes, QByteArray &bytes,
                           int *error = nullptr);

// The type bits (st_mode & S_IFMT) of what stands at `name` relative to the
// open folder `dir`, a link not followed; 0 when nothing does, and `error`
// (when given) gets the errno.
unsigned entryType(int dir, const QString &name, int *error = nullptr);
unsigned entryType(Disk &disk, int dir, const QString &name, int *error = nullptr);

} // namespace ztplatform

#endif

#ifndef ZT_PLATFORM_FILELOCK_H
#define ZT_PLATFORM_FILELOCK_H

#include "platform/descriptor.h"

#include <QString>

namespace ztplatform {

class Disk;

// An advisory lock (flock) on a file kept for it, held while this object
// lives and freed by the system when the process ends. Another holder, in
// this process or another, is told apart from a file that cannot be had.
class FileLock
{
public:
    enum State {
        Free,      // nothing taken yet
        Held,      // this object holds the lock
        HeldElsewhere, // another holder has it
        Unavailable,   // the lock's file cannot be made or opened (errorString)
    };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    // The lock goes with the object: taken on a thread of its own, it is
    // handed to the one kept.
    FileLock(FileLock &&other) noexcept;
    FileLock &operator=(FileLock &&other) noexcept;

    // What stands at a path itself (a link not followed), as holdsEntry()
    // compares it.
    struct Entry
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool valid = false;
    };
    // Looks at `disk`: for a thread of its own where the drive may not answer.
    static Entry entryAt(Disk &disk, const QString &path);

    // Takes the lock on `path` without waiting; the file is made (empty)
    // when missing, never through a link, through `disk`. A lock held before
    // is freed first.
    State take(Disk &disk, const QString &path);
    void release();
    State state() const { return m_state; }
    // True while this object holds the lock and `entry` (entryAt) is the
    // file it is held on (not removed or replaced since, which would let
    // another holder take a new file there); looks at nothing.
    bool holdsEntry(const Entry &entry) const;
    // The file held (invalid when none is), as a thread of its own compares it.
    Entry heldEntry() const { return m_state == Held && m_fd.isOpen() ? m_file : Entry(); }
    QString errorString() const { return m_error; }

private:
    Descriptor m_fd; // closed, the lock is freed
    Entry m_file; // the file held, as taken
    State m_state = Free;
    QString m_error;
};

} // namespace ztplatform

#endif

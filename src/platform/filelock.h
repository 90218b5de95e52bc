#ifndef ZT_PLATFORM_FILELOCK_H
#define ZT_PLATFORM_FILELOCK_H

#include <QString>

namespace ztplatform {

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

    // Takes the lock on `path` without waiting; the file is made (empty)
    // when missing, never through a link. A lock held before is freed first.
    State take(const QString &path);
    void release();
    State state() const { return m_state; }
    // True while this object holds the lock and `path` still names the file
    // it is held on (not removed or replaced since, which would let another
    // holder take a new file there).
    bool holds(const QString &path) const;
    QString errorString() const { return m_error; }

private:
    int m_fd = -1;
    State m_state = Free;
    QString m_error;
};

} // namespace ztplatform

#endif

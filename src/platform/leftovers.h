#ifndef ZT_PLATFORM_LEFTOVERS_H
#define ZT_PLATFORM_LEFTOVERS_H

#include <QMutex>
#include <QPair>
#include <QSet>

#include <ctime>

namespace ztplatform {

class Disk;

// The temporaries (tempnames.h) an editor left in a folder before this one
// started: each folder is swept once, the first time a file is replaced in
// it. One for the editor, shared by everything that replaces files, so that
// a folder is listed once however many files go into it.
class Leftovers
{
public:
    Leftovers(); // the editor starts now
    Leftovers(const Leftovers &) = delete;
    Leftovers &operator=(const Leftovers &) = delete;

    // Removes the temporaries of the open folder `dir` that no running editor
    // holds and that were last written before the start; once a folder.
    void sweep(Disk &disk, int dir);
    // The start is now, and every folder is swept again (an editor started
    // again in the same process).
    void startAgain();

private:
    QMutex m_lock;
    struct timespec m_start;
    QSet<QPair<quint64, quint64>> m_seen; // device and inode of each folder swept
};

} // namespace ztplatform

#endif

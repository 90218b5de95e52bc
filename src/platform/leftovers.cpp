#include "platform/leftovers.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QFile>
#include <QVector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

namespace {

// A file written before this moment has a time (coarse, or fine where the
// kernel gives fine times) no later than it.
struct timespec now()
{
    struct timespec t;
    ::clock_gettime(CLOCK_REALTIME, &t);
    return t;
}

bool before(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

} // namespace

Leftovers::Leftovers()
    : m_start(now())
{
}

void Leftovers::startAgain()
{
    // Once the coarse clock files are stamped with has passed the fine start,
    // every file written from now on is later than it.
    const struct timespec is = now();
    struct timespec coarse;
    do {
        ::usleep(1000);
        ::clock_gettime(CLOCK_REALTIME_COARSE, &coarse);
    } while (!before(is, coarse));
    QMutexLocker hold(&m_lock);
    m_start = is;
    m_seen.clear();
}

void Leftovers::sweep(Disk &disk, int dir)
{
    struct stat st;
    struct timespec start;
    {
        QMutexLocker hold(&m_lock);
        if (disk.stat(dir, &st) != 0 || m_seen.contains({quint64(st.st_dev), quint64(st.st_ino)}))
            return;
        m_seen.insert({quint64(st.st_dev), quint64(st.st_ino)});
        start = m_start;
    }
    QVector<QByteArray> names;
    for (const ListedEntry &e : listFolder(disk, dir)) {
        if (isTemporaryName(QFile::decodeName(e.name)))
            names.append(e.name);
    }
    for (const QByteArray &name : qAsConst(names)) {
        const Descriptor fd(disk.openAt(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat file, entry;
        // Held by an editor at work on it: its lock tells.
        if (fd.isOpen() && disk.stat(fd.get(), &file) == 0 && S_ISREG(file.st_mode) && before(file.st_mtim, start)
            && disk.lock(fd.get(), LOCK_EX | LOCK_NB) == 0
            && disk.statAt(dir, name, &entry, AT_SYMLINK_NOFOLLOW) == 0 && entry.st_ino == file.st_ino
            && entry.st_dev == file.st_dev && disk.unlinkAt(dir, name) != 0)
            qWarning() << "cannot remove the left-over" << QFile::decodeName(name) << ":" << std::strerror(errno);
    }
}

} // namespace ztplatform

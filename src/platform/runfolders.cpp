#include "platform/runfolders.h"

#include "platform/anchoredfolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThreadPool>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

namespace {

const char kLockName[] = ".zt350-run.lock";
const char kLockNameNew[] = ".zt350-run.lock.new";
constexpr int kTreeDepthMax = 32;
constexpr time_t kLocklessAgeSeconds = 60 * 60;

int retryOpenAt(int dir, const char *name, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::openat(dir, name, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int retryFlock(int fd, int operation)
{
    int r;
    do {
        r = ::flock(fd, operation);
    } while (r != 0 && errno == EINTR);
    return r;
}

// The names of the entries of the open folder `fd`, "." and ".." left out.
QVector<QByteArray> entryNames(int fd)
{
    QVector<QByteArray> names;
    for (const ListedEntry &e : listFolder(fd))
        names << e.name;
    return names;
}

// Empties the open folder `fd`: files and links are unlinked, folders
// emptied below their own descriptor first; a link is never followed.
bool emptyTree(int fd, int depth)
{
    bool all = true;
    for (const QByteArray &name : entryNames(fd)) {
        struct stat st;
        if (::fstatat(fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone meanwhile
        if (S_ISDIR(st.st_mode)) {
            const int sub = depth < kTreeDepthMax
                    ? retryOpenAt(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                    : -1;
            if (sub >= 0) {
                all = emptyTree(sub, depth + 1) && all;
                ::close(sub);
            }
            if (::unlinkat(fd, name.constData(), AT_REMOVEDIR) != 0 && errno != ENOENT)
                all = false;
        } else if (::unlinkat(fd, name.constData(), 0) != 0 && errno != ENOENT) {
            all = false;
        }
    }
    return all;
}

// True when the run folder open at `fd` belongs to no living run.
bool isDeadRun(int fd, const struct stat &folder)
{
    const int lock = retryOpenAt(fd, kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (lock < 0)
        return errno == ENOENT && std::time(nullptr) - folder.st_mtime > kLocklessAgeSeconds;
    struct stat st;
    const bool dead = ::fstat(lock, &st) == 0 && S_ISREG(st.st_mode) && retryFlock(lock, LOCK_EX | LOCK_NB) == 0;
    ::close(lock); // frees the lock taken: nobody waits for it
    return dead;
}

// Removes the folder `name` of the open folder `parent` and what it holds.
bool removeFolderAt(int parent, const QByteArray &name)
{
    const int fd = retryOpenAt(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    const bool emptied = emptyTree(fd, 0);
    ::close(fd);
    return emptied && (::unlinkat(parent, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT);
}

const QRegularExpression &runFolderName()
{
    static const QRegularExpression re = [] {
        QStringList escaped;
        for (const QString &p : runFolderPrefixes())
            escaped << QRegularExpression::escape(p);
        return QRegularExpression(QStringLiteral("^(%1)[A-Za-z0-9]{6}$").arg(escaped.join(QLatin1Char('|'))));
    }();
    return re;
}

// The scratch file an older editor built the global settings file in.
const QRegularExpression &scratchFileName()
{
    static const QRegularExpression re(QStringLiteral("^zt350editor\\.[A-Za-z0-9]{6}$"));
    return re;
}

// Such a file of this user that nothing changed for an hour: its run is over.
bool isOldScratchFile(int dir, const QByteArray &name)
{
    struct stat st;
    return ::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && std::time(nullptr) - st.st_mtime > kLocklessAgeSeconds;
}

} // namespace

RunFolder::RunFolder(const QString &prefix)
{
    QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX"));
    if (!::mkdtemp(path.data())) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_path = QFile::decodeName(path);
    // The lock file takes its name only once it is locked: a lock file there
    // is always a run's own while that run lives.
    const int dir = retryOpenAt(AT_FDCWD, path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int lock =
            dir < 0 ? -1 : retryOpenAt(dir, kLockNameNew, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0 || retryFlock(lock, LOCK_EX) != 0 || ::renameat(dir, kLockNameNew, dir, kLockName) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        if (lock >= 0)
            ::close(lock);
        if (dir >= 0)
            ::close(dir);
        removeFolderAt(AT_FDCWD, path);
        m_path.clear();
        return;
    }
    ::close(dir);
    m_lockFd = lock;
}

RunFolder::~RunFolder()
{
    if (m_lockFd < 0)
        return;
    if (m_autoRemove && !removeFolderAt(AT_FDCWD, QFile::encodeName(m_path)))
        qWarning() << "cannot remove the temporary folder" << m_path << ":" << std::strerror(errno);
    ::close(m_lockFd);
}

QString RunFolder::filePath(const QString &name) const
{
    return m_path + QLatin1Char('/') + name;
}

QStringList runFolderPrefixes()
{
    return {editorFolderPrefix(), QStringLiteral("zt350conv-"), QStringLiteral("zt350probe-"),
            QStringLiteral("zt350wave-"), QStringLiteral("zt350play-")};
}

QString editorFolderPrefix()
{
    return QStringLiteral("zt350editor-");
}

QString runFolderLockName()
{
    return QString::fromLatin1(kLockName);
}

QStringList removeDeadRunFolders(const QString &tempFolder)
{
    QStringList removed;
    const QString folder = tempFolder.isEmpty() ? QDir::tempPath() : tempFolder;
    const int dir = retryOpenAt(AT_FDCWD, QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return removed;
    for (const QByteArray &name : entryNames(dir)) {
        if (scratchFileName().match(QFile::decodeName(name)).hasMatch()) {
            if (isOldScratchFile(dir, name) && ::unlinkat(dir, name.constData(), 0) == 0)
                removed << folder + QLatin1Char('/') + QFile::decodeName(name);
            continue;
        }
        if (!runFolderName().match(QFile::decodeName(name)).hasMatch())
            continue;
        const int fd = retryOpenAt(dir, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        const bool dead = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && isDeadRun(fd, st);
        bool emptied = false;
        if (dead)
            emptied = emptyTree(fd, 0);
        ::close(fd);
        if (!dead)
            continue;
        const QString path = folder + QLatin1Char('/') + QFile::decodeName(name);
        if (emptied && ::unlinkat(dir, name.constData(), AT_REMOVEDIR) == 0)
            removed << path;
        else
            qWarning() << "cannot remove the temporary folder of an earlier run" << path << ":"
                       << std::strerror(errno);
    }
    ::close(dir);
    if (!removed.isEmpty())
        qInfo().noquote() << "Removed what earlier runs left in the temporary folder:"
                          << removed.join(QStringLiteral(", "));
    return removed;
}

void removeDeadRunFoldersLater()
{
    const QString folder = QDir::tempPath();
    QThreadPool::globalInstance()->start([folder]() { removeDeadRunFolders(folder); });
}

} // namespace ztplatform

#include "platform/runfolders.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/errortext.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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

Disk &disk()
{
    return systemDisk();
}

Descriptor openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0)
{
    return Descriptor(disk().openAt(dir, name, flags, mode));
}

// Empties the open folder `fd`: files and links are unlinked, folders
// emptied below their own descriptor first; a link is never followed.
bool emptyTree(int fd, int depth)
{
    bool all = true;
    for (const ListedEntry &e : listFolder(disk(), fd)) {
        struct stat st;
        if (disk().statAt(fd, e.name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone meanwhile
        if (S_ISDIR(st.st_mode)) {
            if (depth < kTreeDepthMax) {
                const Descriptor sub = openAt(fd, e.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (sub.isOpen())
                    all = emptyTree(sub.get(), depth + 1) && all;
            }
            if (disk().unlinkAt(fd, e.name, AT_REMOVEDIR) != 0 && errno != ENOENT)
                all = false;
        } else if (disk().unlinkAt(fd, e.name, 0) != 0 && errno != ENOENT) {
            all = false;
        }
    }
    return all;
}

// True when the run folder open at `fd` belongs to no living run.
bool isDeadRun(int fd, const struct stat &folder)
{
    // Closed on return, which frees the lock taken: nobody waits for it.
    const Descriptor lock = openAt(fd, kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (!lock.isOpen())
        return errno == ENOENT && std::time(nullptr) - folder.st_mtime > kLocklessAgeSeconds;
    struct stat st;
    return disk().stat(lock.get(), &st) == 0 && S_ISREG(st.st_mode) && disk().lock(lock.get(), LOCK_EX | LOCK_NB) == 0;
}

// Removes the folder `name` of the open folder `parent` and what it holds.
bool removeFolderAt(int parent, const QByteArray &name)
{
    const Descriptor fd = openAt(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (!fd.isOpen())
        return errno == ENOENT;
    return emptyTree(fd.get(), 0) && (disk().unlinkAt(parent, name, AT_REMOVEDIR) == 0 || errno == ENOENT);
}

// A new folder `prefix` and six letters or digits, made only where nothing
// stands; its path, or empty with errno.
QByteArray makeRunFolder(const QString &prefix)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray start = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + prefix);
    for (int tries = 0; tries < 100; ++tries) {
        QByteArray path = start;
        for (int i = 0; i < 6; ++i)
            path += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        if (disk().mkdirAt(AT_FDCWD, path, 0700) == 0)
            return path;
        if (errno != EEXIST)
            return QByteArray();
    }
    return QByteArray();
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
    return disk().statAt(dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && std::time(nullptr) - st.st_mtime > kLocklessAgeSeconds;
}

} // namespace

RunFolder::RunFolder(const QString &prefix)
{
    const QByteArray path = makeRunFolder(prefix);
    if (path.isEmpty()) {
        m_error = errorText(errno);
        return;
    }
    m_path = QFile::decodeName(path);
    // The lock file takes its name only once it is locked: a lock file there
    // is always a run's own while that run lives.
    const Descriptor dir = openAt(AT_FDCWD, path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Descriptor lock = dir.isOpen()
            ? openAt(dir.get(), kLockNameNew, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)
            : Descriptor();
    if (!lock.isOpen() || disk().lock(lock.get(), LOCK_EX) != 0
        || disk().renameAt(dir.get(), kLockNameNew, dir.get(), kLockName) != 0) {
        m_error = errorText(errno);
        lock.reset();
        removeFolderAt(AT_FDCWD, path);
        m_path.clear();
        return;
    }
    m_lockFd = lock.release();
}

RunFolder::~RunFolder()
{
    if (m_lockFd < 0)
        return;
    if (m_autoRemove && !removeFolderAt(AT_FDCWD, QFile::encodeName(m_path)))
        qWarning() << "cannot remove the temporary folder" << m_path << ":" << std::strerror(errno);
    Descriptor(m_lockFd).close();
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
    const Descriptor dir = openAt(AT_FDCWD, QFile::encodeName(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!dir.isOpen())
        return removed;
    for (const ListedEntry &e : listFolder(disk(), dir.get())) {
        if (scratchFileName().match(QFile::decodeName(e.name)).hasMatch()) {
            if (isOldScratchFile(dir.get(), e.name) && disk().unlinkAt(dir.get(), e.name, 0) == 0)
                removed << folder + QLatin1Char('/') + QFile::decodeName(e.name);
            continue;
        }
        if (!runFolderName().match(QFile::decodeName(e.name)).hasMatch())
            continue;
        bool dead = false, emptied = false;
        {
            const Descriptor fd = openAt(dir.get(), e.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            struct stat st;
            dead = fd.isOpen() && disk().stat(fd.get(), &st) == 0 && st.st_uid == ::geteuid()
                    && isDeadRun(fd.get(), st);
            emptied = dead && emptyTree(fd.get(), 0);
        }
        if (!dead)
            continue;
        const QString path = folder + QLatin1Char('/') + QFile::decodeName(e.name);
        if (emptied && disk().unlinkAt(dir.get(), e.name, AT_REMOVEDIR) == 0)
            removed << path;
        else
            qWarning() << "cannot remove the temporary folder of an earlier run" << path << ":"
                       << std::strerror(errno);
    }
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

// A backup written as plain files: each of the pad's files under its own
// path in a hidden folder, read-only. A file whose bytes equal the same file
// of the newest backup is a second link to it, else a new copy. Everything is
// forced to the disk at once, then the folder takes its dated name: a listed
// backup is whole. When every file is the newest backup's, and that backup
// holds nothing else, no other is written: it takes the new name.
#include "device/padbackup.h"

#include "platform/disk.h"
#include "platform/sysio.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace padbackup {

namespace {

const char kTimeFormat[] = "yyyy-MM-dd_HH-mm-ss";
const QString kPartial = QStringLiteral(".zt-part"); // a backup being written
const QString kStopped = QStringLiteral("stopped");  // ended by its writer's owner
const QString kGone = QStringLiteral(".zt-gone");    // an old backup being removed
constexpr mode_t kReadOnly = 0444;

QString tr(const char *text)
{
    return QCoreApplication::translate("padbackup", text);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    // Closed now; false, with errno, when the close reports a failed write.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The folders below one open folder, each opened once and never through a
// link; made where missing when `make`.
class Folders
{
public:
    Folders(ztplatform::Disk &disk, int root, bool make) : m_disk(disk), m_root(root), m_make(make) {}
    ~Folders()
    {
        for (const int fd : qAsConst(m_fds))
            ::close(fd);
    }
    Folders(const Folders &) = delete;
    Folders &operator=(const Folders &) = delete;

    int root() const { return m_root; }
    // The open folder at `path` ("" for the root); -1, with errno, when it
    // cannot be opened (or made).
    int folder(const QString &path)
    {
        if (path.isEmpty())
            return m_root;
        const auto known = m_fds.constFind(path);
        if (known != m_fds.cend())
            return known.value();
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const int parent = folder(slash < 0 ? QString() : path.left(slash));
        if (parent < 0)
            return -1;
        const QByteArray leaf = QFile::encodeName(path.mid(slash + 1));
        if (m_make && m_disk.mkdirAt(parent, leaf, 0755) != 0 && errno != EEXIST)
            return -1;
        const int fd = m_disk.openAt(parent, leaf, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0)
            m_fds.insert(path, fd);
        return fd;
    }
    // Every folder opened, its path with it.
    const QHash<QString, int> &opened() const { return m_fds; }

private:
    ztplatform::Disk &m_disk;
    int m_root;
    bool m_make;
    QHash<QString, int> m_fds;
};

// A path a backup may hold: relative, each step a plain name.
bool plainPath(const QString &path)
{
    const QStringList steps = path.split(QLatin1Char('/'));
    return std::none_of(steps.cbegin(), steps.cend(), [](const QString &s) {
        return s.isEmpty() || s == QLatin1String(".") || s == QLatin1String("..");
    });
}

// Lays the files out in the staging folder.
class Layout
{
public:
    Layout(ztplatform::Disk &disk, int staging, int newest)
        : m_disk(disk)
        , m_staging(disk, staging, true)
    {
        if (newest >= 0)
            m_newest.reset(new Folders(disk, newest, false));
    }

    // `file` linked or copied; why not, else empty.
    QString put(const File &file)
    {
        if (!plainPath(file.path))
            return QCoreApplication::translate("padbackup", "the pad's file %1 cannot be kept under its name")
                    .arg(file.path);
        const int slash = file.path.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash < 0 ? QString() : file.path.left(slash);
        const QByteArray leaf = QFile::encodeName(file.path.mid(slash + 1));
        const int to = m_staging.folder(folder);
        if (to < 0)
            return systemError(errno);
        const int from = m_newest ? m_newest->folder(folder) : -1;
        if (from >= 0 && linked(from, to, leaf, file.bytes)) {
            ++m_linked;
            return QString();
        }
        if (!copied(to, leaf, file.bytes))
            return systemError(errno);
        m_copies.append({folder, leaf});
        return QString();
    }

    // Everything laid out forced to the disk: the file system at once where
    // the disk can, else each copy and each folder.
    QString sync()
    {
        if (m_disk.syncFileSystem(m_staging.root()) == 0)
            return QString();
        if (errno != ENOSYS)
            return systemError(errno);
        for (const QPair<QString, QByteArray> &copy : qAsConst(m_copies)) {
            const Fd fd(m_disk.openAt(m_staging.folder(copy.first), copy.second, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
            if (fd.get() < 0 || m_disk.sync(fd.get()) != 0)
                return systemError(errno);
        }
        for (auto it = m_staging.opened().cbegin(); it != m_staging.opened().cend(); ++it) {
            if (m_disk.sync(it.value()) != 0)
                return systemError(errno);
        }
        return m_disk.sync(m_staging.root()) == 0 ? QString() : systemError(errno);
    }

    int linkedCount() const { return m_linked; }
    int copiedCount() const { return m_copies.size(); }

private:
    // A second link to the newest backup's file, when it is still a
    // read-only file holding exactly `bytes` (read now, not trusted).
    bool linked(int from, int to, const QByteArray &leaf, const QByteArray &bytes)
    {
        const Fd old(::openat(from, leaf.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st = {};
        if (old.get() < 0 || ::fstat(old.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != bytes.size()
            || (st.st_mode & 0222) != 0)
            return false;
        m_read.resize(bytes.size() + 1);
        qint64 done = 0;
        for (ssize_t n = 1; n > 0 && done < m_read.size(); done += qMax<ssize_t>(n, 0)) {
            n = ::read(old.get(), m_read.data() + done, size_t(m_read.size() - done));
            if (n < 0 && errno == EINTR)
                n = 0;
        }
        if (done != bytes.size() || std::memcmp(m_read.constData(), bytes.constData(), size_t(bytes.size())) != 0)
            return false;
        // Refused (another file system, too many links): a copy instead.
        if (m_disk.linkAt(from, leaf, to, leaf) != 0)
            return false;
        // The name linked must be the file just read.
        struct stat now = {};
        if (m_disk.statAt(to, leaf, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == st.st_dev
            && now.st_ino == st.st_ino)
            return true;
        m_disk.unlinkAt(to, leaf);
        return false;
    }

    bool copied(int to, const QByteArray &leaf, const QByteArray &bytes)
    {
        Fd fd(m_disk.openAt(to, leaf, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kReadOnly));
        return fd.get() >= 0 && m_disk.write(fd.get(), bytes.constData(), bytes.size()) && fd.close();
    }

    ztplatform::Disk &m_disk;
    Folders m_staging;
    std::unique_ptr<Folders> m_newest;
    QVector<QPair<QString, QByteArray>> m_copies; // folder and name of each copy
    QByteArray m_read;
    int m_linked = 0;
};

// Whether the backup named `a` was taken after the one named `b`; taken the
// same second, the later number.
bool newer(const QString &a, const QString &b)
{
    const QString da = a.left(19), db = b.left(19);
    return da != db ? da > db : a.mid(20).toInt() > b.mid(20).toInt();
}

// Removes what stands at `path` and below it; a backup first loses its
// listed name, so that one cut short is never listed.
void removeBackup(QDir pad, const QString &name)
{
    const QString hidden = name.startsWith(QLatin1Char('.')) ? name : QLatin1Char('.') + name + kGone;
    if (hidden != name && !pad.rename(name, hidden)) {
        qWarning() << "old pad backup not removed:" << pad.filePath(name);
        return;
    }
    QDir(pad.filePath(hidden)).removeRecursively();
}

// The newest backup's folder, opened; -1 when there is none.
int openNewest(const QString &padFolder)
{
    const QVector<Backup> all = list(padFolder);
    if (all.isEmpty())
        return -1;
    return ::open(QFile::encodeName(all.first().folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Reads the files of a backup back and says whether it holds exactly the
// files given: the same names in the same folders, each a read-only regular
// file of the same bytes, and nothing else (no other file, folder or link).
class SameFiles
{
public:
    explicit SameFiles(const QVector<const QVector<File> *> &parts)
    {
        for (const QVector<File> *files : parts) {
            for (const File &f : *files) {
                const int slash = f.path.lastIndexOf(QLatin1Char('/'));
                const QString folder = slash < 0 ? QString() : f.path.left(slash);
                QHash<QByteArray, const QByteArray *> &in = m_files[folder];
                const QByteArray leaf = QFile::encodeName(f.path.mid(slash + 1));
                m_plain = m_plain && plainPath(f.path) && !in.contains(leaf);
                in.insert(leaf, &f.bytes);
                ++m_count;
                for (QString at = folder; !at.isEmpty();) {
                    const int up = at.lastIndexOf(QLatin1Char('/'));
                    m_folders[up < 0 ? QString() : at.left(up)].insert(QFile::encodeName(at.mid(up + 1)));
                    at = up < 0 ? QString() : at.left(up);
                }
            }
        }
    }

    // Whether the backup open at `root` holds them; stops early, false, once `stop` is set.
    bool heldBy(int root, const std::atomic_bool *stop)
    {
        m_stop = stop;
        m_matched = 0;
        return m_plain && folderHolds(root, QString()) && m_matched == m_count;
    }

private:
    bool folderHolds(int fd, const QString &path)
    {
        const int listed = ::dup(fd);
        DIR *dir = listed < 0 ? nullptr : ::fdopendir(listed);
        if (!dir) {
            if (listed >= 0)
                ::close(listed);
            return false;
        }
        const std::unique_ptr<DIR, int (*)(DIR *)> closing(dir, ::closedir);
        const QHash<QByteArray, const QByteArray *> files = m_files.value(path);
        const QSet<QByteArray> folders = m_folders.value(path);
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            if (m_stop && *m_stop)
                return false;
            const QString below = path.isEmpty() ? QFile::decodeName(name)
                                                 : path + QLatin1Char('/') + QFile::decodeName(name);
            if (folders.contains(name)) {
                const Fd sub(::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
                if (sub.get() < 0 || !folderHolds(sub.get(), below))
                    return false;
            } else if (!files.contains(name) || !sameFile(fd, name, *files.value(name))) {
                return false;
            }
        }
        return true;
    }

    // A read-only regular file of exactly `bytes`, read now.
    bool sameFile(int dir, const QByteArray &name, const QByteArray &bytes)
    {
        const Fd fd(::openat(dir, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st = {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != bytes.size()
            || (st.st_mode & 0222) != 0)
            return false;
        m_read.resize(bytes.size() + 1);
        qint64 done = 0;
        for (ssize_t n = 1; n > 0 && done < m_read.size(); done += qMax<ssize_t>(n, 0)) {
            n = ::read(fd.get(), m_read.data() + done, size_t(m_read.size() - done));
            if (n < 0 && errno == EINTR)
                n = 0;
        }
        if (done != bytes.size() || std::memcmp(m_read.constData(), bytes.constData(), size_t(bytes.size())) != 0)
            return false;
        ++m_matched;
        return true;
    }

    QHash<QString, QHash<QByteArray, const QByteArray *>> m_files; // folder -> name -> bytes
    QHash<QString, QSet<QByteArray>> m_folders;                    // folder -> the folders below it
    int m_count = 0;
    int m_matched = 0;
    bool m_plain = true;
    const std::atomic_bool *m_stop = nullptr;
    QByteArray m_read;
};

// The pad's files as the newest backup holds them: it stands for this
// backup too, renamed to `name` (when that is a later second than its own)
// and synced. False when it does not hold them exactly, or cannot take the name.
bool keepNewest(ztplatform::Disk &disk, int pad, const QString &padFolder, const QString &name,
                const QVector<const QVector<File> *> &parts, const std::atomic_bool *stop, Written *result)
{
    const QVector<Backup> all = list(padFolder);
    if (all.isEmpty())
        return false;
    const QString newest = QFileInfo(all.first().folder).fileName();
    const Fd fd(::openat(pad, QFile::encodeName(newest).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0 || !SameFiles(parts).heldBy(fd.get(), stop))
        return false;
    QString kept = newest;
    // Taken the same second, or on a clock set back: it keeps its own name.
    if (name.left(19) > newest.left(19)) {
        if (disk.renameAt(pad, QFile::encodeName(newest), pad, QFile::encodeName(name), true) != 0) {
            qWarning() << "pad backup not renamed, written anew:" << padFolder << newest << systemError(errno);
            return false;
        }
        kept = name;
        if (disk.sync(pad) != 0)
            result->why = systemError(errno);
    }
    result->ok = result->why.isEmpty();
    result->reused = true;
    result->folder = QDir(padFolder).filePath(kept);
    return true;
}

// The files laid out in `staging` (an entry of `pad`) and forced to the disk.
QString layOut(ztplatform::Disk &disk, int pad, const QString &staging, const QString &padFolder,
               const QVector<const QVector<File> *> &parts, const Progress &progress, const std::atomic_bool *stop,
               Written *result)
{
    if (disk.mkdirAt(pad, QFile::encodeName(staging), 0755) != 0)
        return tr("The folder %1 cannot be made").arg(QDir::toNativeSeparators(padFolder + QLatin1Char('/') + staging));
    const Fd root(disk.openAt(pad, QFile::encodeName(staging), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const Fd newest(openNewest(padFolder));
    if (root.get() < 0)
        return systemError(errno);
    Layout layout(disk, root.get(), newest.get());
    int done = 0;
    for (const QVector<File> *files : parts) {
        for (const File &f : *files) {
            if (stop && *stop)
                return kStopped;
            const QString why = layout.put(f);
            if (!why.isEmpty())
                return why;
            if (++done % 256 == 0 && progress)
                progress(done);
        }
    }
    const QString why = layout.sync();
    result->linked = layout.linkedCount();
    result->copied = layout.copiedCount();
    return why;
}

} // namespace

Written write(const QString &padFolder, const QDateTime &when, const QVector<File> &settings,
              const QVector<File> &prm, int keep, ztplatform::Disk *given, const Progress &progress,
              const std::atomic_bool *stop)
{
    // The user's data folder, not the pad: the system's own disk.
    ztplatform::Disk &disk = given ? *given : ztplatform::systemDisk();
    Written result;
    result.padFolder = padFolder;
    const QDir pad(padFolder);
    // A pad's folder the user moved elsewhere and linked back is followed.
    const Fd padFd(QDir().mkpath(padFolder)
                           ? ::open(QFile::encodeName(padFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                           : -1);
    if (padFd.get() < 0) {
        result.why = tr("The folder %1 cannot be made").arg(QDir::toNativeSeparators(padFolder));
        return result;
    }
    // Leftovers of backups cut short, or of old ones being removed, go first.
    for (const QString &stale :
         pad.entryList({QStringLiteral(".*") + kPartial, QStringLiteral(".*") + kGone}, QDir::Dirs | QDir::Hidden))
        QDir(pad.filePath(stale)).removeRecursively();
    QString name = when.toString(QLatin1String(kTimeFormat));
    if (keepNewest(disk, padFd.get(), padFolder, name, {&settings, &prm}, stop, &result)) {
        if (!result.ok)
            qWarning() << "pad backup renamed, not synced:" << padFolder << result.why;
        return result;
    }
    for (int n = 2; pad.exists(name); ++n)
        name = when.toString(QLatin1String(kTimeFormat)) + QStringLiteral("_%1").arg(n);
    const QString staging = QLatin1Char('.') + name + kPartial;
    result.why = layOut(disk, padFd.get(), staging, padFolder, {&settings, &prm}, progress, stop, &result);
    if (result.why == kStopped)
        return result; // the next backup clears what was laid out
    if (result.why.isEmpty()
        && disk.renameAt(padFd.get(), QFile::encodeName(staging), padFd.get(), QFile::encodeName(name), true) != 0)
        result.why = tr("the backup cannot take its name");
    if (result.why.isEmpty() && disk.sync(padFd.get()) != 0)
        result.why = systemError(errno);
    if (!result.why.isEmpty()) {
        QDir(pad.filePath(staging)).removeRecursively();
        qWarning() << "pad backup not written:" << padFolder << result.why;
        return result;
    }
    result.ok = true;
    result.folder = pad.filePath(name);
    const QVector<Backup> all = list(padFolder);
    for (int i = keep; i < all.size(); ++i)
        removeBackup(pad, QFileInfo(all.at(i).folder).fileName());
    return result;
}

QVector<Backup> list(const QString &padFolder)
{
    static const QRegularExpression named(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}(_\\d+)?$"));
    QVector<Backup> out;
    // Opened through the editor's disk: a data folder that stops answering holds the look, never more.
    const int fd = ztplatform::sysio::open(padFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return out;
    }
    const std::unique_ptr<DIR, int (*)(DIR *)> closing(dir, ::closedir);
    QStringList names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        struct stat st = {};
        // A folder, or a link to one, as the user may have made it.
        if (named.match(name).hasMatch() && ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode))
            names << name;
    }
    std::sort(names.begin(), names.end(), newer);
    const QDir pad(padFolder);
    for (const QString &name : qAsConst(names))
        out.append({pad.filePath(name), QDateTime::fromString(name.left(19), QLatin1String(kTimeFormat))});
    return out;
}

} // namespace padbackup

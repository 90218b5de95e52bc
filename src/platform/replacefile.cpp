#include "platform/replacefile.h"

#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/sysio.h"
#include "platform/tempnames.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ztplatform {

namespace {

// Enough for any folder a save meets; a folder that full is refused.
constexpr quint32 kMaxTries = 100000;

// The permission bits of the regular file at `name` (through a link); -1
// when there is none.
int modeOf(int dir, const QString &name)
{
    struct stat st;
    if (::fstatat(dir, QFile::encodeName(name).constData(), &st, 0) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int(st.st_mode & 0777);
}

// The editor's start, and the folders looked at for leftovers since.
struct Leftovers {
    QMutex lock;
    struct timespec start = now();
    QSet<QPair<quint64, quint64>> seen;

    // A file written before this moment has a time (coarse, or fine where the
    // kernel gives fine times) no later than it.
    static struct timespec now()
    {
        struct timespec t;
        ::clock_gettime(CLOCK_REALTIME, &t);
        return t;
    }
};

Leftovers &leftovers()
{
    static Leftovers l;
    return l;
}
// Taken as the program starts, not at the first save.
[[maybe_unused]] const bool g_startTaken = (leftovers(), true);

bool before(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// The temporaries of the folder `dir` that no running editor holds and that
// were last written before this editor started; each folder once.
void removeLeftovers(Disk &disk, int dir)
{
    struct stat st;
    struct timespec start;
    {
        Leftovers &l = leftovers();
        QMutexLocker hold(&l.lock);
        if (::fstat(dir, &st) != 0 || l.seen.contains({quint64(st.st_dev), quint64(st.st_ino)}))
            return;
        l.seen.insert({quint64(st.st_dev), quint64(st.st_ino)});
        start = l.start;
    }
    QVector<QByteArray> names;
    const int listed = disk.openAt(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR *d = listed >= 0 ? ::fdopendir(listed) : nullptr) {
        while (const struct dirent *e = ::readdir(d)) {
            if (isTemporaryName(QFile::decodeName(e->d_name)))
                names.append(QByteArray(e->d_name));
        }
        ::closedir(d);
    } else if (listed >= 0) {
        ::close(listed);
    }
    for (const QByteArray &name : qAsConst(names)) {
        const int fd = disk.openAt(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat file, entry;
        // Held by an editor at work on it: its lock tells.
        if (fd >= 0 && ::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && before(file.st_mtim, start)
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(dir, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && entry.st_ino == file.st_ino
            && entry.st_dev == file.st_dev && disk.unlinkAt(dir, name) != 0)
            qWarning() << "cannot remove the left-over" << QFile::decodeName(name) << ":" << std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
    }
}

QString userName(uid_t uid)
{
    struct passwd pw, *found = nullptr;
    char buffer[4096];
    return ::getpwuid_r(uid, &pw, buffer, sizeof buffer, &found) == 0 && found
                   ? QString::fromLocal8Bit(found->pw_name)
                   : QString::number(uid);
}

QString groupName(gid_t gid)
{
    struct group gr, *found = nullptr;
    char buffer[4096];
    return ::getgrgid_r(gid, &gr, buffer, sizeof buffer, &found) == 0 && found
                   ? QString::fromLocal8Bit(found->gr_name)
                   : QString::number(gid);
}

// The extended attributes of `path`: name -> value.
QVector<QPair<QByteArray, QByteArray>> attributesOf(const QByteArray &path)
{
    QVector<QPair<QByteArray, QByteArray>> out;
    const ssize_t size = ::listxattr(path.constData(), nullptr, 0);
    QByteArray list(int(qMax<ssize_t>(size, 0)), '\0');
    const ssize_t got = size > 0 ? ::listxattr(path.constData(), list.data(), size_t(list.size())) : 0;
    for (const QByteArray &name : list.left(int(qMax<ssize_t>(got, 0))).split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t n = ::getxattr(path.constData(), name.constData(), nullptr, 0);
        QByteArray value(int(qMax<ssize_t>(n, 0)), '\0');
        if (n >= 0 && ::getxattr(path.constData(), name.constData(), value.data(), size_t(value.size())) == n)
            out.append({name, value});
    }
    return out;
}

QByteArray attributeOf(int fd, const QByteArray &name)
{
    const ssize_t n = ::fgetxattr(fd, name.constData(), nullptr, 0);
    QByteArray value(int(qMax<ssize_t>(n, 0)), '\0');
    if (n < 0 || ::fgetxattr(fd, name.constData(), value.data(), size_t(value.size())) != n)
        return QByteArray();
    return value;
}

// The other names in the folder `dir` of the file `st` (a hard-linked one), `name` left out.
QStringList otherNamesIn(int dir, const struct stat &st, const QString &name)
{
    QStringList names;
    const int listed = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR *d = listed >= 0 ? ::fdopendir(listed) : nullptr) {
        while (const struct dirent *e = ::readdir(d)) {
            const QString found = QFile::decodeName(e->d_name);
            struct stat at;
            if (e->d_ino == st.st_ino && found != name
                && ::fstatat(dir, e->d_name, &at, AT_SYMLINK_NOFOLLOW) == 0 && at.st_ino == st.st_ino
                && at.st_dev == st.st_dev)
                names.append(found);
        }
        ::closedir(d);
    } else if (listed >= 0) {
        ::close(listed);
    }
    names.sort();
    return names;
}

// The name a kept temporary takes: "K001~1.INI" for "K001.INI".
QString keptName(const QString &name, int n)
{
    const QFileInfo info(name);
    const QString mark = QLatin1Char('~') + QString::number(n);
    return info.suffix().isEmpty() ? name + mark
                                   : info.completeBaseName() + mark + QLatin1Char('.') + info.suffix();
}

} // namespace

ReplaceFile::ReplaceFile(const QString &target, Disk *disk)
    : m_target(target)
    , m_disk(disk)
{
    const QFileInfo info(target);
    m_folderPath = QDir::fromNativeSeparators(info.absolutePath());
    m_name = info.fileName();
}

ReplaceFile::ReplaceFile(const OpenFolder &folder, const QString &name)
    : m_target(name)
    , m_name(name)
    , m_disk(&folder.disk())
{
    m_file.setDisk(m_disk);
    if (folder.isOpen())
        m_dir = ::fcntl(folder.fd(), F_DUPFD_CLOEXEC, 0);
}

ReplaceFile::~ReplaceFile()
{
    m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty() && !m_renamed && !m_kept
        && disk().unlinkAt(m_dir, QFile::encodeName(m_temporary)) != 0)
        qWarning() << "cannot remove the temporary" << temporaryPath() << ":" << std::strerror(errno);
    if (m_lock >= 0)
        ::close(m_lock);
    if (m_dir >= 0)
        ::close(m_dir);
}

void ReplaceFile::startedAgain()
{
    // Once the coarse clock files are stamped with has passed the fine start,
    // every file written from now on is later than it.
    const struct timespec is = Leftovers::now();
    struct timespec coarse;
    do {
        ::usleep(1000);
        ::clock_gettime(CLOCK_REALTIME_COARSE, &coarse);
    } while (!before(is, coarse));
    Leftovers &l = leftovers();
    QMutexLocker hold(&l.lock);
    l.start = is;
    l.seen.clear();
}

QString ReplaceFile::temporaryPath() const
{
    if (m_temporary.isEmpty())
        return QString();
    if (m_folderPath.isEmpty())
        return QStringLiteral("/proc/self/fd/%1/").arg(m_dir) + m_temporary;
    return m_folderPath == QLatin1String("/") ? m_folderPath + m_temporary
                                             : m_folderPath + QLatin1Char('/') + m_temporary;
}

bool ReplaceFile::fail(Step step, int error)
{
    return fail(step, QString::fromLocal8Bit(std::strerror(error)));
}

bool ReplaceFile::fail(Step step, const QString &reason)
{
    if (m_failed == Step::None) {
        m_failed = step;
        m_error = reason;
        qWarning() << "replacing" << m_target << "failed at step" << int(step) << ":" << reason;
    }
    return false;
}

bool ReplaceFile::open()
{
    if (failed() || !m_temporary.isEmpty())
        return false;
    if (m_name.isEmpty() || m_name == QLatin1String(".") || m_name == QLatin1String("..")
        || m_name.contains(QLatin1Char('/')))
        return fail(Step::Create, EINVAL);
    // A target the system cannot name by its path is said so before anything
    // is written: every later look at it by path would miss it.
    const QByteArray target = QFile::encodeName(m_name);
    if (!m_folderPath.isEmpty() && QFile::encodeName(m_folderPath).size() + 1 + target.size() >= PATH_MAX)
        return fail(Step::Create, ENAMETOOLONG);
    if (!m_folderPath.isEmpty())
        m_dir = disk().openAt(AT_FDCWD, QFile::encodeName(m_folderPath), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dir < 0)
        return fail(Step::Create, m_folderPath.isEmpty() ? EBADF : errno);
    const long nameMax = ::fpathconf(m_dir, _PC_NAME_MAX);
    if (target.size() > (nameMax > 0 ? nameMax : NAME_MAX))
        return fail(Step::Create, ENAMETOOLONG);
    removeLeftovers(disk(), m_dir);
    m_file.setDisk(&disk());
    // Written unseen by others when it replaces a file; given that file's mode at the end.
    const mode_t mode = modeOf(m_dir, m_name) >= 0 ? 0600 : 0666;
    for (quint32 n = 0; n < kMaxTries; ++n) {
        const QString name = temporaryName(m_name, n);
        // Exclusive: a name already taken, a link there too, is never opened.
        m_fd = disk().openAt(m_dir, QFile::encodeName(name), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporary = name;
            // Another editor's cleanup leaves it while this object holds it.
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
                m_lock = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
            if (!m_file.openDescriptor(m_fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
                return fail(Step::Create, m_file.errorString());
            return true;
        }
        if (errno != EEXIST)
            return fail(Step::Create, errno);
    }
    return fail(Step::Create, EEXIST);
}

bool ReplaceFile::write(const QByteArray &bytes)
{
    if (failed() || !m_file.isOpen())
        return fail(Step::Write, EBADF);
    if (m_file.write(bytes) != bytes.size())
        return fail(Step::Write, writeFailure(m_file));
    return true;
}

void ReplaceFile::watchWrites(std::function<bool()> goOn, qint64 syncEvery)
{
    m_file.setBeforeWrite([this, goOn = std::move(goOn), syncEvery]() {
        if (!goOn())
            return ECANCELED;
        const qint64 at = m_file.pos();
        if (syncEvery <= 0 || m_fd < 0 || at - m_synced < syncEvery)
            return 0;
        if (disk().sync(m_fd, true) != 0)
            return errno ? errno : EIO;
        m_synced = at;
        return goOn() ? 0 : ECANCELED;
    });
}

bool ReplaceFile::readBack(const std::function<bool(const QString &path)> &check)
{
    if (failed() || m_temporary.isEmpty() || m_renamed)
        return false;
    if (m_file.isOpen() && !m_file.flush())
        return fail(Step::Write, writeFailure(m_file));
    // Through the folder held: the temporary's longer name never makes the path too long.
    if (!check(QStringLiteral("/proc/self/fd/%1/").arg(m_dir) + m_temporary))
        return fail(Step::ReadBack, QStringLiteral("the written file does not read back"));
    return true;
}

bool ReplaceFile::finish()
{
    if (failed())
        return false;
    if (m_finished)
        return true;
    if (m_fd < 0)
        return false;
    if (m_file.isOpen()) {
        const bool flushed = m_file.flush() && m_file.error() == QFileDevice::NoError;
        const QString reason = flushed ? QString() : writeFailure(m_file);
        m_file.close();
        if (!flushed)
            return fail(Step::Write, reason);
    }
    keepMetadata();
    // Changed only where it differs: file systems without modes show both alike.
    const int mode = modeOf(m_dir, m_name);
    struct stat st;
    if (mode >= 0 && (::fstat(m_fd, &st) != 0 || int(st.st_mode & 0777) != mode)
        && disk().chmod(m_fd, mode_t(mode)) != 0)
        return fail(Step::Mode, errno);
    if (!m_syncedByCaller && !syncDescriptor(disk(), m_fd))
        return fail(Step::Sync, errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(Step::Write, errno);
    m_finished = true;
    return true;
}

// The owner, group and extended attributes of the file at the target given
// to the temporary where they differ; each one that cannot be given is noted.
void ReplaceFile::keepMetadata()
{
    const int old = disk().openAt(m_dir, QFile::encodeName(m_name), O_PATH | O_CLOEXEC);
    struct stat was, is;
    if (old < 0 || ::fstat(old, &was) != 0 || !S_ISREG(was.st_mode) || ::fstat(m_fd, &is) != 0) {
        if (old >= 0)
            ::close(old);
        return;
    }
    // As root both; else the group alone may be one the user is in.
    if ((was.st_uid != is.st_uid || was.st_gid != is.st_gid) && disk().chown(m_fd, was.st_uid, was.st_gid) != 0
        && was.st_gid != is.st_gid)
        disk().chown(m_fd, uid_t(-1), was.st_gid);
    ::fstat(m_fd, &is);
    if (was.st_uid != is.st_uid)
        m_notKept << QCoreApplication::translate("MainWindow1",
                                                 "The owner %1 could not be kept: the file now belongs to %2.")
                             .arg(userName(was.st_uid), userName(is.st_uid));
    if (was.st_gid != is.st_gid)
        m_notKept << QCoreApplication::translate("MainWindow1",
                                                 "The group %1 could not be kept: the file's group is now %2.")
                             .arg(groupName(was.st_gid), groupName(is.st_gid));
    // A rename replaces this name only: the file's other names keep the old bytes.
    if (was.st_nlink > 1) {
        const QStringList here = otherNamesIn(m_dir, was, m_name);
        const qint64 elsewhere = qint64(was.st_nlink) - 1 - here.size();
        QStringList names;
        for (const QString &n : here)
            names << QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(m_folderPath.isEmpty() ? n : m_folderPath + QLatin1Char('/') + n));
        if (elsewhere > 0)
            names << QCoreApplication::translate("MainWindow1", "%1 more in other folders").arg(elsewhere);
        m_notKept << QCoreApplication::translate("MainWindow1",
                                                 "The file had other names (hard links), which keep the old "
                                                 "bytes: %1.")
                             .arg(names.join(QStringLiteral(", ")));
    }
    // The ACL is one of them (system.posix_acl_access).
    for (const auto &a : attributesOf(QStringLiteral("/proc/self/fd/%1").arg(old).toLatin1())) {
        if (attributeOf(m_fd, a.first) != a.second && disk().setXattr(m_fd, a.first.constData(), a.second) != 0)
            m_notKept << QCoreApplication::translate("MainWindow1", "The attribute %1 could not be kept.")
                                 .arg(QString::fromLatin1(a.first));
    }
    ::close(old);
}

bool ReplaceFile::rename()
{
    if (failed())
        return false;
    if (m_renamed)
        return true;
    if (!finish())
        return false;
    const QByteArray from = QFile::encodeName(m_temporary);
    const QByteArray to = QFile::encodeName(m_name);
    if (disk().renameAt(m_dir, from, m_dir, to, m_createOnly) != 0)
        return fail(Step::Rename, errno);
    m_renamed = true;
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
    return true;
}

bool ReplaceFile::syncFolder()
{
    if (failed() || m_dir < 0)
        return false;
    return m_syncedByCaller || syncDescriptor(disk(), m_dir) || fail(Step::FolderSync, errno);
}

bool ReplaceFile::commit()
{
    return rename() && syncFolder();
}

QString ReplaceFile::keep()
{
    m_kept = true;
    if (m_temporary.isEmpty() || m_renamed)
        return temporaryPath();
    // Under a name the user sees, that no cleanup takes for a leftover.
    for (int n = 1; n < 100; ++n) {
        const QString name = keptName(m_name, n);
        if (disk().renameAt(m_dir, QFile::encodeName(m_temporary), m_dir, QFile::encodeName(name), true) == 0) {
            m_temporary = name;
            if (!syncDescriptor(disk(), m_dir))
                qWarning() << "the kept file's name may not be on the disk:" << temporaryPath();
            break;
        }
        if (errno != EEXIST)
            break;
    }
    return temporaryPath();
}

} // namespace ztplatform

#include "platform/durablewrite.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/errortext.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QPair>
#include <QVector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

namespace {

const char *stepName(DurableWrite::Step step)
{
    switch (step) {
    case DurableWrite::Step::None: return "none";
    case DurableWrite::Step::Create: return "create";
    case DurableWrite::Step::Write: return "write";
    case DurableWrite::Step::ReadBack: return "read back";
    case DurableWrite::Step::Sync: return "sync";
    case DurableWrite::Step::Mode: return "mode";
    case DurableWrite::Step::Rename: return "rename";
    case DurableWrite::Step::FolderSync: return "folder sync";
    }
    return "?";
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

// The extended attributes of the open file `fd`: name -> value.
QVector<QPair<QByteArray, QByteArray>> attributesOf(Disk &disk, int fd)
{
    QVector<QPair<QByteArray, QByteArray>> out;
    disk.attributesAt(QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd), &out);
    return out;
}

// The other names in the folder `dir` of the file `st` (a hard-linked one), `name` left out.
QStringList otherNamesIn(Disk &disk, int dir, const struct stat &st, const QString &name)
{
    QStringList names;
    const Descriptor listed(disk.openAt(dir, QByteArrayLiteral("."), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const ListedEntry &e : listed.isOpen() ? listFolder(disk, listed.get()) : QVector<ListedEntry>()) {
        const QString found = QFile::decodeName(e.name);
        struct stat at;
        if (found != name && disk.statAt(dir, e.name, &at, AT_SYMLINK_NOFOLLOW) == 0 && at.st_ino == st.st_ino
            && at.st_dev == st.st_dev)
            names.append(found);
    }
    names.sort();
    return names;
}

QString hardLinkNote(Disk &disk, int dir, const struct stat &was, const QString &name, const QString &folderPath)
{
    const QStringList here = otherNamesIn(disk, dir, was, name);
    const qint64 elsewhere = qint64(was.st_nlink) - 1 - here.size();
    QStringList names;
    for (const QString &n : here)
        names << QStringLiteral("\"%1\"").arg(
                QDir::toNativeSeparators(folderPath.isEmpty() ? n : folderPath + QLatin1Char('/') + n));
    if (elsewhere > 0)
        names << QCoreApplication::translate("MainWindow1", "%1 more in other folders").arg(elsewhere);
    return QCoreApplication::translate("MainWindow1",
                                       "The file had other names (hard links), which keep the old bytes: %1.")
            .arg(names.join(QStringLiteral(", ")));
}

} // namespace

DurableWrite::DurableWrite(const OpenFolder &folder)
    : m_folder(&folder)
    , m_disk(&folder.disk())
    , m_dir(folder.fd())
{
}

DurableWrite::DurableWrite(Disk &disk, int dir)
    : m_disk(&disk)
    , m_dir(dir)
{
}

DurableWrite::~DurableWrite()
{
    m_fd.close();
    if (isCreated() && !m_renamed && !m_kept && !removeEntry())
        qWarning() << "cannot remove the unfinished" << m_name << ":" << std::strerror(errno);
}

bool DurableWrite::refuse()
{
    errno = m_error ? m_error : EBADF;
    return false;
}

bool DurableWrite::stop(Step step, int error)
{
    return stop(step, error, errorText(error));
}

bool DurableWrite::stop(Step step, int error, const QString &reason)
{
    if (m_failed == Step::None) {
        m_failed = step;
        m_error = error ? error : EIO;
        m_reason = reason;
        qWarning() << "writing" << m_name << "failed at its" << stepName(step) << ":" << reason;
    }
    return refuse();
}

int DurableWrite::openEntry(const QByteArray &name, int flags, mode_t mode)
{
    // The folder's own open is watched as its writes are.
    if (m_folder)
        return m_folder->openEntry(QFile::decodeName(name), flags, int(mode));
    return m_disk->openAt(m_dir, name, flags | O_NOFOLLOW | O_CLOEXEC, mode);
}

bool DurableWrite::syncDescriptor(int fd)
{
    if (m_folder)
        return m_folder->syncFile(fd);
    return m_disk->sync(fd) == 0;
}

bool DurableWrite::removeEntry()
{
    if (m_folder)
        return m_folder->remove(m_name);
    return m_disk->unlinkAt(m_dir, QFile::encodeName(m_name)) == 0 || errno == ENOENT;
}

bool DurableWrite::create(const QString &name, mode_t mode)
{
    return createFirstFree([&name](quint32) { return name; }, 1, mode);
}

bool DurableWrite::createFirstFree(const std::function<QString(quint32 n)> &nameAt, quint32 tries, mode_t mode)
{
    if (failed())
        return refuse();
    if (isCreated())
        return stop(Step::Create, EEXIST);
    if (m_dir < 0)
        return stop(Step::Create, EBADF);
    for (quint32 n = 0; n < tries; ++n) {
        const QString name = nameAt(n);
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
            || name.contains(QLatin1Char('/')))
            return stop(Step::Create, EINVAL);
        // Exclusive: a name already taken, by a link too, is never opened.
        const int fd = openEntry(QFile::encodeName(name), O_RDWR | O_CREAT | O_EXCL, mode);
        if (fd >= 0) {
            m_fd.reset(fd);
            m_name = name;
            return true;
        }
        if (errno != EEXIST || n + 1 == tries)
            return stop(Step::Create, errno);
    }
    return stop(Step::Create, EEXIST);
}

bool DurableWrite::write(const char *data, qint64 size)
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return stop(Step::Write, EBADF);
    return m_disk->write(m_fd.get(), data, size) || stop(Step::Write, errno);
}

bool DurableWrite::writeWith(const std::function<bool(int fd)> &fill)
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return stop(Step::Write, EBADF);
    errno = 0;
    return fill(m_fd.get()) || stop(Step::Write, errno);
}

bool DurableWrite::readBack(const std::function<bool(const QString &path)> &check)
{
    if (failed())
        return refuse();
    if (!isCreated() || m_renamed)
        return stop(Step::ReadBack, EBADF);
    // Through the folder held: a long path to it never gets in the way.
    if (!check(QStringLiteral("/proc/self/fd/%1/").arg(m_dir) + m_name))
        return stop(Step::ReadBack, EIO, QStringLiteral("the written file does not read back"));
    return true;
}

bool DurableWrite::readBack(const QByteArray &bytes)
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return stop(Step::ReadBack, EBADF);
    QByteArray chunk(int(qMin<qint64>(bytes.size() + 1, 1 << 20)), '\0');
    qint64 at = 0;
    for (;;) {
        const qint64 n = m_disk->read(m_fd.get(), chunk.data(), chunk.size(), at);
        if (n < 0)
            return stop(Step::ReadBack, errno);
        if (n == 0 || at + n > bytes.size() || std::memcmp(chunk.constData(), bytes.constData() + at, size_t(n)) != 0)
            break;
        at += n;
    }
    if (at != bytes.size())
        return stop(Step::ReadBack, EIO, QStringLiteral("the written file does not read back"));
    return true;
}

bool DurableWrite::keepAttributesOf(const QString &name, const QString &folderPath)
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return stop(Step::Mode, EBADF);
    const Descriptor old(m_disk->openAt(m_dir, QFile::encodeName(name), O_PATH | O_CLOEXEC));
    struct stat was, is;
    if (!old.isOpen() || m_disk->stat(old.get(), &was) != 0 || !S_ISREG(was.st_mode)
        || m_disk->stat(m_fd.get(), &is) != 0)
        return true;
    // As root both; else the group alone may be one the user is in.
    if ((was.st_uid != is.st_uid || was.st_gid != is.st_gid) && m_disk->chown(m_fd.get(), was.st_uid, was.st_gid) != 0
        && was.st_gid != is.st_gid)
        m_disk->chown(m_fd.get(), uid_t(-1), was.st_gid);
    m_disk->stat(m_fd.get(), &is);
    if (was.st_uid != is.st_uid)
        m_notKept << QCoreApplication::translate("MainWindow1",
                                                 "The owner %1 could not be kept: the file now belongs to %2.")
                             .arg(userName(was.st_uid), userName(is.st_uid));
    if (was.st_gid != is.st_gid)
        m_notKept << QCoreApplication::translate("MainWindow1",
                                                 "The group %1 could not be kept: the file's group is now %2.")
                             .arg(groupName(was.st_gid), groupName(is.st_gid));
    // A rename replaces this name only: the file's other names keep the old bytes.
    if (was.st_nlink > 1)
        m_notKept << hardLinkNote(*m_disk, m_dir, was, name, folderPath);
    // The ACL is one of them (system.posix_acl_access).
    const QVector<QPair<QByteArray, QByteArray>> held = attributesOf(*m_disk, m_fd.get());
    const auto valueNow = [&held](const QByteArray &name) {
        for (const auto &a : held) {
            if (a.first == name)
                return a.second;
        }
        return QByteArray();
    };
    for (const auto &a : attributesOf(*m_disk, old.get())) {
        if (valueNow(a.first) != a.second && m_disk->setXattr(m_fd.get(), a.first.constData(), a.second) != 0)
            m_notKept << QCoreApplication::translate("MainWindow1", "The attribute %1 could not be kept.")
                                 .arg(QString::fromLatin1(a.first));
    }
    // Changed only where it differs: file systems without modes show both alike.
    struct stat now;
    const mode_t mode = was.st_mode & 0777;
    if ((m_disk->stat(m_fd.get(), &now) != 0 || (now.st_mode & 0777) != mode) && m_disk->chmod(m_fd.get(), mode) != 0)
        return stop(Step::Mode, errno);
    return true;
}

bool DurableWrite::sync(bool dataOnly)
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return stop(Step::Sync, EBADF);
    if (m_syncedByCaller)
        return true;
    const bool synced = dataOnly ? m_disk->sync(m_fd.get(), true) == 0 : syncDescriptor(m_fd.get());
    return synced || stop(Step::Sync, errno);
}

bool DurableWrite::close()
{
    if (failed())
        return refuse();
    if (!m_fd.isOpen())
        return isCreated() || stop(Step::Write, EBADF);
    return m_fd.close() == 0 || stop(Step::Write, errno);
}

bool DurableWrite::rename(const QString &to, bool noReplace)
{
    if (failed())
        return refuse();
    if (!isCreated() || m_renamed)
        return stop(Step::Rename, EBADF);
    if (m_disk->renameAt(m_dir, QFile::encodeName(m_name), m_dir, QFile::encodeName(to), noReplace) != 0)
        return stop(Step::Rename, errno);
    m_renamed = true;
    m_name = to;
    return true;
}

bool DurableWrite::syncFolder()
{
    if (failed())
        return refuse();
    if (m_dir < 0)
        return stop(Step::FolderSync, EBADF);
    return m_syncedByCaller || syncDescriptor(m_dir) || stop(Step::FolderSync, errno);
}

bool DurableWrite::keep()
{
    m_kept = true;
    return !failed();
}

} // namespace ztplatform

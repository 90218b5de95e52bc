#include "platform/replacefile.h"

#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/sysio.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

namespace {

// Enough for any folder a save meets; a folder that full is refused.
constexpr int kMaxTries = 100000;

int openAt(int dir, const QString &name, int flags, mode_t mode)
{
    return sysio::openAt(dir, QFile::encodeName(name), flags, mode);
}

// The permission bits of the regular file at `name` (through a link); -1
// when there is none.
int modeOf(int dir, const QString &name)
{
    struct stat st;
    if (::fstatat(dir, QFile::encodeName(name).constData(), &st, 0) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int(st.st_mode & 0777);
}

} // namespace

ReplaceFile::ReplaceFile(const QString &target)
    : m_target(target)
{
    const QFileInfo info(target);
    m_folderPath = QDir::fromNativeSeparators(info.absolutePath());
    m_name = info.fileName();
    m_suffix = info.completeSuffix().isEmpty() ? QString() : QLatin1Char('.') + info.completeSuffix();
}

ReplaceFile::ReplaceFile(const OpenFolder &folder, const QString &name)
    : m_target(name)
    , m_name(name)
{
    const QString suffix = QFileInfo(name).completeSuffix();
    m_suffix = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    if (folder.isOpen())
        m_dir = ::fcntl(folder.fd(), F_DUPFD_CLOEXEC, 0);
}

ReplaceFile::~ReplaceFile()
{
    m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty() && !m_renamed && !m_kept
        && sysio::unlinkAt(m_dir, QFile::encodeName(m_temporary)) != 0)
        qWarning() << "cannot remove the temporary" << temporaryPath() << ":" << std::strerror(errno);
    if (m_dir >= 0)
        ::close(m_dir);
}

void ReplaceFile::setTemporaryNames(const QString &suffix, int *counter, std::function<bool(const QString &)> skip)
{
    m_suffix = suffix;
    m_counter = counter ? counter : &m_ownCounter;
    m_skip = std::move(skip);
}

QString ReplaceFile::candidate(int number) const
{
    return QFileInfo(m_name).baseName() + QStringLiteral("%1").arg(number, 9, 10, QLatin1Char('0')) + m_suffix;
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
    if (!m_folderPath.isEmpty())
        m_dir = openAt(AT_FDCWD, m_folderPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (m_dir < 0)
        return fail(Step::Create, m_folderPath.isEmpty() ? EBADF : errno);
    // Written unseen by others when it replaces a file; given that file's mode at the end.
    const mode_t mode = modeOf(m_dir, m_name) >= 0 ? 0600 : 0666;
    for (int tries = 0; tries < kMaxTries; ++tries) {
        const QString name = candidate((*m_counter)++);
        if (m_skip && m_skip(m_folderPath.isEmpty() ? name : m_folderPath + QLatin1Char('/') + name))
            continue;
        // Exclusive: a name already taken, a link there too, is never opened.
        m_fd = openAt(m_dir, name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporary = name;
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

bool ReplaceFile::readBack(const std::function<bool(const QString &path)> &check)
{
    if (failed() || m_temporary.isEmpty() || m_renamed)
        return false;
    if (m_file.isOpen() && !m_file.flush())
        return fail(Step::Write, writeFailure(m_file));
    if (!check(temporaryPath()))
        return fail(Step::ReadBack, QStringLiteral("the written file does not read back"));
    return true;
}

bool ReplaceFile::finish()
{
    if (m_finished)
        return true;
    if (failed() || m_fd < 0)
        return false;
    if (m_file.isOpen()) {
        const bool flushed = m_file.flush() && m_file.error() == QFileDevice::NoError;
        const QString reason = flushed ? QString() : writeFailure(m_file);
        m_file.close();
        if (!flushed)
            return fail(Step::Write, reason);
    }
    // Changed only where it differs: file systems without modes show both alike.
    const int mode = modeOf(m_dir, m_name);
    struct stat st;
    if (mode >= 0 && (::fstat(m_fd, &st) != 0 || int(st.st_mode & 0777) != mode)
        && sysio::chmod(m_fd, mode_t(mode)) != 0)
        return fail(Step::Mode, errno);
    if (!syncDescriptor(m_fd))
        return fail(Step::Sync, errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(Step::Write, errno);
    m_finished = true;
    return true;
}

bool ReplaceFile::rename()
{
    if (m_renamed)
        return true;
    if (!finish())
        return false;
    const QByteArray from = QFile::encodeName(m_temporary);
    const QByteArray to = QFile::encodeName(m_name);
    if (sysio::renameAt(m_dir, from, m_dir, to, m_createOnly) != 0)
        return fail(Step::Rename, errno);
    m_renamed = true;
    return true;
}

bool ReplaceFile::syncFolder()
{
    if (failed() || m_dir < 0)
        return false;
    return syncDescriptor(m_dir) || fail(Step::FolderSync, errno);
}

bool ReplaceFile::commit()
{
    return rename() && syncFolder();
}

QString ReplaceFile::keep()
{
    m_kept = true;
    return temporaryPath();
}

} // namespace ztplatform

#include "platform/replacefile.h"

#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/errortext.h"
#include "platform/sysio.h"
#include "platform/tempnames.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
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

// A wait for bytes on their way to the disk that ends within the first is
// quick, beyond the second slow.
constexpr qint64 kQuickWaitMs = 50;
constexpr qint64 kSlowWaitMs = 400;

// The permission bits of the regular file at `name` (through a link); -1
// when there is none.
int modeOf(Disk &disk, int dir, const QString &name)
{
    struct stat st;
    if (disk.statAt(dir, QFile::encodeName(name), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int(st.st_mode & 0777);
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

ReplaceFile::ReplaceFile(const QString &target, std::shared_ptr<Leftovers> leftovers, Disk *disk)
    : m_target(target)
    , m_disk(disk)
    , m_leftovers(std::move(leftovers))
    , m_file(disk)
{
    const QFileInfo info(target);
    m_folderPath = QDir::fromNativeSeparators(info.absolutePath());
    m_name = info.fileName();
}

ReplaceFile::ReplaceFile(const OpenFolder &folder, const QString &name, std::shared_ptr<Leftovers> leftovers)
    : m_target(name)
    , m_name(name)
    , m_disk(&folder.disk())
    , m_leftovers(std::move(leftovers))
    , m_file(m_disk)
{
    if (folder.isOpen())
        m_dir = Descriptor::duplicate(folder.fd());
}

ReplaceFile::~ReplaceFile()
{
    m_file.close();
}

QString ReplaceFile::temporaryPath() const
{
    if (m_temporary.isEmpty())
        return QString();
    if (m_folderPath.isEmpty())
        return QStringLiteral("/proc/self/fd/%1/").arg(m_dir.get()) + m_temporary;
    return m_folderPath == QLatin1String("/") ? m_folderPath + m_temporary
                                             : m_folderPath + QLatin1Char('/') + m_temporary;
}

bool ReplaceFile::fail(Step step, int error)
{
    return fail(step, errorText(error));
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

// The step of the durable write that failed, as this file's.
bool ReplaceFile::failedWith(const DurableWrite &write)
{
    return fail(write.failedStep(), write.errorString());
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
        m_dir.reset(disk().openAt(AT_FDCWD, QFile::encodeName(m_folderPath), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!m_dir.isOpen())
        return fail(Step::Create, m_folderPath.isEmpty() ? EBADF : errno);
    const long nameMax = ::fpathconf(m_dir.get(), _PC_NAME_MAX);
    if (target.size() > (nameMax > 0 ? nameMax : NAME_MAX))
        return fail(Step::Create, ENAMETOOLONG);
    if (m_leftovers)
        m_leftovers->sweep(disk(), m_dir.get());
    m_write.emplace(disk(), m_dir.get());
    m_write->setSyncedByCaller(m_syncedByCaller);
    // Written unseen by others when it replaces a file; given that file's mode at the end.
    const mode_t mode = modeOf(disk(), m_dir.get(), m_name) >= 0 ? 0600 : 0666;
    if (!m_write->createFirstFree([this](quint32 n) { return temporaryName(m_name, n); }, kMaxTries, mode))
        return failedWith(*m_write);
    m_temporary = m_write->name();
    // Another editor's cleanup leaves it while this object holds it.
    if (disk().lock(m_write->fd(), LOCK_EX | LOCK_NB) == 0)
        m_lock = Descriptor::duplicate(m_write->fd());
    if (!m_file.openDescriptor(m_write->fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return fail(Step::Create, m_file.errorString());
    return true;
}

bool ReplaceFile::write(const QByteArray &bytes)
{
    if (failed() || !m_file.isOpen())
        return fail(Step::Write, EBADF);
    if (m_file.write(bytes) != bytes.size())
        return fail(Step::Write, writeFailure(m_file));
    return true;
}

bool ReplaceFile::startWriteBack()
{
    if (failed() || !m_write || m_write->fd() < 0)
        return false;
    if (m_file.isOpen() && !m_file.flush())
        return fail(Step::Write, writeFailure(m_file));
    disk().writeBack(m_write->fd(), 0, 0, false);
    return true;
}

void ReplaceFile::watchWrites(std::function<bool()> goOn, qint64 syncEvery, qint64 mostEvery)
{
    m_stretch = m_leastStretch = syncEvery;
    m_mostStretch = qMax(syncEvery, mostEvery);
    m_file.setBeforeWrite([this, goOn = std::move(goOn)]() {
        if (!goOn())
            return ECANCELED;
        const qint64 at = m_file.pos();
        const int fd = m_write ? m_write->fd() : -1;
        if (m_stretch <= 0 || fd < 0 || at - m_started < (m_writeBack ? m_stretch / 2 : m_stretch))
            return 0;
        if (!forceOnTheWay(fd, at))
            return errno ? errno : EIO;
        return goOn() ? 0 : ECANCELED;
    });
}

// The bytes up to `at` started on their way to the disk; of those started
// before, all but the latest stretch waited for, so that the disk always has
// a stretch to write while the next is handed over. Where the disk cannot,
// all forced once a stretch waits.
bool ReplaceFile::forceOnTheWay(int fd, qint64 at)
{
    if (m_writeBack && disk().writeBack(fd, m_started, at - m_started, false) == 0
        && (m_synced == m_queued || waitedFor(fd))) {
        m_synced = m_queued;
        m_queued = m_started;
        m_started = at;
        return true;
    }
    m_writeBack = false;
    m_stretch = m_leastStretch;
    m_started = m_queued = m_synced;
    if (at - m_synced < m_stretch)
        return true;
    if (disk().sync(fd, true) != 0)
        return false;
    m_synced = m_queued = m_started = at;
    return true;
}

// The oldest stretch on its way waited for. A disk that ends
// such a wait at once is given longer stretches, one that takes long shorter.
bool ReplaceFile::waitedFor(int fd)
{
    QElapsedTimer waited;
    waited.start();
    if (disk().writeBack(fd, m_synced, m_queued - m_synced, true) != 0)
        return false;
    const qint64 ms = waited.elapsed();
    if (ms < kQuickWaitMs)
        m_stretch = qMin(m_stretch * 2, m_mostStretch);
    else if (ms > kSlowWaitMs)
        m_stretch = qMax(m_stretch / 2, m_leastStretch);
    return true;
}

bool ReplaceFile::readBack(const std::function<bool(const QString &path)> &check)
{
    if (failed() || m_temporary.isEmpty() || m_renamed)
        return false;
    if (m_file.isOpen() && !m_file.flush())
        return fail(Step::Write, writeFailure(m_file));
    return m_write->readBack(check) || failedWith(*m_write);
}

bool ReplaceFile::finish()
{
    if (failed())
        return false;
    if (m_finished)
        return true;
    if (!m_write || m_write->fd() < 0)
        return false;
    if (m_file.isOpen()) {
        const bool flushed = m_file.flush() && m_file.error() == QFileDevice::NoError;
        const QString reason = flushed ? QString() : writeFailure(m_file);
        m_file.close();
        if (!flushed)
            return fail(Step::Write, reason);
    }
    const bool done = m_write->keepAttributesOf(m_name, m_folderPath) && m_write->finish();
    m_notKept = m_write->notKept();
    if (!done)
        return failedWith(*m_write);
    m_finished = true;
    return true;
}

bool ReplaceFile::rename()
{
    if (failed())
        return false;
    if (m_renamed)
        return true;
    if (!finish())
        return false;
    if (!m_write->rename(m_name, m_createOnly))
        return failedWith(*m_write);
    m_renamed = true;
    m_lock.close();
    return true;
}

bool ReplaceFile::syncFolder()
{
    if (failed() || !m_write)
        return false;
    return m_write->syncFolder() || failedWith(*m_write);
}

bool ReplaceFile::commit()
{
    return rename() && syncFolder();
}

QString ReplaceFile::keep()
{
    if (m_write)
        m_write->keep();
    if (m_temporary.isEmpty() || m_renamed)
        return temporaryPath();
    // Under a name the user sees, that no cleanup takes for a leftover.
    for (int n = 1; n < 100; ++n) {
        const QString name = keptName(m_name, n);
        if (disk().renameAt(m_dir.get(), QFile::encodeName(m_temporary), m_dir.get(), QFile::encodeName(name), true)
            == 0) {
            m_temporary = name;
            if (!syncDescriptor(disk(), m_dir.get()))
                qWarning() << "the kept file's name may not be on the disk:" << temporaryPath();
            break;
        }
        if (errno != EEXIST)
            break;
    }
    return temporaryPath();
}

} // namespace ztplatform

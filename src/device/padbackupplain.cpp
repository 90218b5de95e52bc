// A backup written as plain files: each of the pad's files under its own
// path in a hidden folder, read-only. A file whose bytes equal the same file
// of the newest backup is a second link to it, else a new copy. Everything is
// forced to the disk at once, then the folder takes its dated name: a listed
// backup is whole. When every file is the newest backup's, and that backup
// holds nothing else, no other is written: it takes the new name.
#include "device/padbackup.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablefile.h"
#include "platform/durablewrite.h"
#include "platform/errortext.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace padbackup {

namespace {

const char kTimeFormat[] = "yyyy-MM-dd_HH-mm-ss";
const QString kPartial = QStringLiteral(".zt-part"); // a backup being written
const QString kStopped = QStringLiteral("stopped");  // ended by its writer's owner
const QString kGone = QStringLiteral(".zt-gone");    // an old backup being removed
constexpr mode_t kReadOnly = 0444;

// The folders below one open folder, each opened once and never through a
// link; made where missing when `make`.
class Folders
{
public:
    Folders(ztplatform::Disk &disk, int root, bool make) : m_disk(disk), m_root(root), m_make(make) {}

    int root() const { return m_root; }
    // The open folder at `path` ("" for the root); -1, with errno, when it
    // cannot be opened (or made).
    int folder(const QString &path)
    {
        if (path.isEmpty())
            return m_root;
        const auto known = m_fds.find(path);
        if (known != m_fds.end())
            return known->second.get();
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const int parent = folder(slash < 0 ? QString() : path.left(slash));
        if (parent < 0)
            return -1;
        const QByteArray leaf = QFile::encodeName(path.mid(slash + 1));
        if (m_make && m_disk.mkdirAt(parent, leaf, 0755) != 0 && errno != EEXIST)
            return -1;
        ztplatform::Descriptor fd(m_disk.openAt(parent, leaf, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.isOpen())
            return -1;
        return m_fds.emplace(path, std::move(fd)).first->second.get();
    }
    // Every folder opened, by its path.
    const std::map<QString, ztplatform::Descriptor> &opened() const { return m_fds; }

private:
    ztplatform::Disk &m_disk;
    int m_root;
    bool m_make;
    std::map<QString, ztplatform::Descriptor> m_fds;
};

// Whether the open file `fd` is a read-only regular file of exactly `bytes`,
// read now through `disk`; its look goes to `st`. `buffer` is reused.
bool holdsExactly(ztplatform::Disk &disk, int fd, const QByteArray &bytes, QByteArray &buffer, struct stat *st)
{
    if (fd < 0 || disk.stat(fd, st) != 0 || !S_ISREG(st->st_mode) || st->st_size != bytes.size()
        || (st->st_mode & 0222) != 0)
        return false;
    buffer.resize(bytes.size() + 1);
    qint64 done = 0;
    for (qint64 n = 1; n > 0 && done < buffer.size(); done += qMax<qint64>(n, 0))
        n = disk.read(fd, buffer.data() + done, buffer.size() - done);
    return done == bytes.size() && std::memcmp(buffer.constData(), bytes.constData(), size_t(bytes.size())) == 0;
}

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
            return tr("the pad's file %1 cannot be kept under its name").arg(file.path);
        const int slash = file.path.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash < 0 ? QString() : file.path.left(slash);
        const QByteArray leaf = QFile::encodeName(file.path.mid(slash + 1));
        const int to = m_staging.folder(folder);
        if (to < 0)
            return ztplatform::errorText(errno);
        const int from = m_newest ? m_newest->folder(folder) : -1;
        if (from >= 0 && linked(from, to, leaf, file.bytes)) {
            ++m_linked;
            return QString();
        }
        if (!copied(to, leaf, file.bytes))
            return ztplatform::errorText(errno);
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
            return ztplatform::errorText(errno);
        for (const QPair<QString, QByteArray> &copy : qAsConst(m_copies)) {
            const ztplatform::Descriptor fd(
                    m_disk.openAt(m_staging.folder(copy.first), copy.second, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
            if (!fd.isOpen() || m_disk.sync(fd.get()) != 0)
                return ztplatform::errorText(errno);
        }
        for (const auto &folder : m_staging.opened()) {
            if (m_disk.sync(folder.second.get()) != 0)
                return ztplatform::errorText(errno);
        }
        return m_disk.sync(m_staging.root()) == 0 ? QString() : ztplatform::errorText(errno);
    }

    int linkedCount() const { return m_linked; }
    int copiedCount() const { return m_copies.size(); }

private:
    // A second link to the newest backup's file, when it is still a
    // read-only file holding exactly `bytes` (read now, not trusted).
    bool linked(int from, int to, const QByteArray &leaf, const QByteArray &bytes)
    {
        const ztplatform::Descriptor old(m_disk.openAt(from, leaf, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st = {};
        if (!holdsExactly(m_disk, old.get(), bytes, m_read, &st))
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

    // A new read-only file, synced with the rest by sync(); false with errno,
    // and nothing left, when it cannot be written.
    bool copied(int to, const QByteArray &leaf, const QByteArray &bytes)
    {
        int error = 0;
        {
            ztplatform::DurableWrite copy(m_disk, to);
            copy.setSyncedByCaller(true);
            if (copy.create(QFile::decodeName(leaf), kReadOnly) && copy.write(bytes) && copy.finish())
                return copy.keep();
            error = copy.error();
        }
        errno = error;
        return false;
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

// Removes the entry `name` of the pad's folder `pad` and all below it; a
// backup first loses its listed name, so that one cut short is never listed.
void removeBackup(ztplatform::Disk &disk, int pad, const QString &padFolder, const QString &name)
{
    const QString hidden = name.startsWith(QLatin1Char('.')) ? name : QLatin1Char('.') + name + kGone;
    if (hidden != name
        && disk.renameAt(pad, QFile::encodeName(name), pad, QFile::encodeName(hidden), true) != 0) {
        qWarning() << "old pad backup not removed:" << padFolder << name << ztplatform::errorText(errno);
        return;
    }
    if (!ztplatform::removeTree(disk, pad, QFile::encodeName(hidden)))
        qWarning() << "old pad backup not wholly removed:" << padFolder << hidden << ztplatform::errorText(errno);
}

// The newest backup's folder, opened; none when there is none.
ztplatform::Descriptor openNewest(ztplatform::Disk &disk, int pad, const QString &padFolder)
{
    const QVector<Backup> all = list(disk, padFolder);
    if (all.isEmpty())
        return ztplatform::Descriptor();
    return ztplatform::Descriptor(disk.openAt(pad, QFile::encodeName(QFileInfo(all.first().folder).fileName()),
                                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Reads the files of a backup back and says whether it holds exactly the
// files given: the same names in the same folders, each a read-only regular
// file of the same bytes, and nothing else (no other file, folder or link).
class SameFiles
{
public:
    SameFiles(ztplatform::Disk &disk, const QVector<const QVector<File> *> &parts)
        : m_disk(disk)
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
        const QHash<QByteArray, const QByteArray *> files = m_files.value(path);
        const QSet<QByteArray> folders = m_folders.value(path);
        int error = 0;
        const QVector<ztplatform::ListedEntry> entries = ztplatform::listFolder(m_disk, fd, &error);
        for (const ztplatform::ListedEntry &entry : entries) {
            const QByteArray &name = entry.name;
            if (m_stop && *m_stop)
                return false;
            const QString below = path.isEmpty() ? QFile::decodeName(name)
                                                 : path + QLatin1Char('/') + QFile::decodeName(name);
            if (folders.contains(name)) {
                const ztplatform::Descriptor sub(
                        m_disk.openAt(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
                if (!sub.isOpen() || !folderHolds(sub.get(), below))
                    return false;
            } else if (!files.contains(name) || !sameFile(fd, name, *files.value(name))) {
                return false;
            }
        }
        return error == 0;
    }

    // A read-only regular file of exactly `bytes`, read now.
    bool sameFile(int dir, const QByteArray &name, const QByteArray &bytes)
    {
        const ztplatform::Descriptor fd(m_disk.openAt(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st = {};
        if (!holdsExactly(m_disk, fd.get(), bytes, m_read, &st))
            return false;
        ++m_matched;
        return true;
    }

    ztplatform::Disk &m_disk;
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
    const QVector<Backup> all = list(disk, padFolder);
    if (all.isEmpty())
        return false;
    const QString newest = QFileInfo(all.first().folder).fileName();
    const ztplatform::Descriptor fd(
            disk.openAt(pad, QFile::encodeName(newest), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.isOpen() || !SameFiles(disk, parts).heldBy(fd.get(), stop))
        return false;
    QString kept = newest;
    // Taken the same second, or on a clock set back: it keeps its own name.
    if (name.left(19) > newest.left(19)) {
        if (disk.renameAt(pad, QFile::encodeName(newest), pad, QFile::encodeName(name), true) != 0) {
            qWarning() << "pad backup not renamed, written anew:" << padFolder << newest
                       << ztplatform::errorText(errno);
            return false;
        }
        kept = name;
        if (disk.sync(pad) != 0)
            result->why = ztplatform::errorText(errno);
    }
    result->ok = result->why.isEmpty();
    result->reused = true;
    result->folder = QDir(padFolder).filePath(kept);
    return true;
}

// Leftovers of backups cut short, or of old ones being removed, go.
void removeLeftovers(ztplatform::Disk &disk, int pad, const QString &padFolder)
{
    for (const ztplatform::ListedEntry &e : ztplatform::listFolder(disk, pad)) {
        const QString name = QFile::decodeName(e.name);
        if (name.startsWith(QLatin1Char('.')) && (name.endsWith(kPartial) || name.endsWith(kGone))
            && !ztplatform::removeTree(disk, pad, e.name))
            qWarning() << "a pad backup's leftover not removed:" << padFolder << name << ztplatform::errorText(errno);
    }
}

// The files laid out in `staging` (an entry of `pad`) and forced to the disk.
QString layOut(ztplatform::Disk &disk, int pad, const QString &staging, const QString &padFolder,
               const QVector<const QVector<File> *> &parts, const Progress &progress, const std::atomic_bool *stop,
               Written *result)
{
    if (disk.mkdirAt(pad, QFile::encodeName(staging), 0755) != 0)
        return tr("The folder %1 cannot be made").arg(QDir::toNativeSeparators(padFolder + QLatin1Char('/') + staging));
    const ztplatform::Descriptor root(
            disk.openAt(pad, QFile::encodeName(staging), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const ztplatform::Descriptor newest = openNewest(disk, pad, padFolder);
    if (!root.isOpen())
        return ztplatform::errorText(errno);
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
    const ztplatform::Descriptor padFd(ztplatform::makePath(disk, padFolder)
                                               ? disk.openAt(AT_FDCWD, QFile::encodeName(padFolder),
                                                             O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                               : -1);
    if (!padFd.isOpen()) {
        result.why = tr("The folder %1 cannot be made").arg(QDir::toNativeSeparators(padFolder));
        return result;
    }
    removeLeftovers(disk, padFd.get(), padFolder);
    QString name = when.toString(QLatin1String(kTimeFormat));
    if (keepNewest(disk, padFd.get(), padFolder, name, {&settings, &prm}, stop, &result)) {
        if (!result.ok)
            qWarning() << "pad backup renamed, not synced:" << padFolder << result.why;
        return result;
    }
    struct stat st;
    for (int n = 2; disk.statAt(padFd.get(), QFile::encodeName(name), &st, AT_SYMLINK_NOFOLLOW) == 0; ++n)
        name = when.toString(QLatin1String(kTimeFormat)) + QStringLiteral("_%1").arg(n);
    const QString staging = QLatin1Char('.') + name + kPartial;
    result.why = layOut(disk, padFd.get(), staging, padFolder, {&settings, &prm}, progress, stop, &result);
    if (result.why == kStopped)
        return result; // the next backup clears what was laid out
    if (result.why.isEmpty()
        && disk.renameAt(padFd.get(), QFile::encodeName(staging), padFd.get(), QFile::encodeName(name), true) != 0)
        result.why = tr("the backup cannot take its name");
    if (result.why.isEmpty() && disk.sync(padFd.get()) != 0)
        result.why = ztplatform::errorText(errno);
    if (!result.why.isEmpty()) {
        ztplatform::removeTree(disk, padFd.get(), QFile::encodeName(staging));
        qWarning() << "pad backup not written:" << padFolder << result.why;
        return result;
    }
    result.ok = true;
    result.folder = pad.filePath(name);
    const QVector<Backup> all = list(disk, padFolder);
    for (int i = keep; i < all.size(); ++i)
        removeBackup(disk, padFd.get(), padFolder, QFileInfo(all.at(i).folder).fileName());
    return result;
}

QVector<Backup> list(ztplatform::Disk &disk, const QString &padFolder)
{
    static const QRegularExpression named(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}(_\\d+)?$"));
    QVector<Backup> out;
    // A data folder that stops answering holds the look, never more.
    const ztplatform::Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(padFolder), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QStringList names;
    for (const ztplatform::ListedEntry &entry : ztplatform::listFolder(disk, fd.get())) {
        const QString name = QFile::decodeName(entry.name);
        struct stat st = {};
        // A folder, or a link to one, as the user may have made it.
        if (named.match(name).hasMatch() && disk.statAt(fd.get(), entry.name, &st, 0) == 0 && S_ISDIR(st.st_mode))
            names << name;
    }
    std::sort(names.begin(), names.end(), newer);
    const QDir pad(padFolder);
    for (const QString &name : qAsConst(names))
        out.append({pad.filePath(name), QDateTime::fromString(name.left(19), QLatin1String(kTimeFormat))});
    return out;
}

} // namespace padbackup

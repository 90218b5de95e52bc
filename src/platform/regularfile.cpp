#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/regularfile.h"

#include "platform/anchoredfolder.h"
#include "platform/pathcase.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QPointer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztplatform {

// The one fenced or watched folder.
struct FolderFence::State
{
    QMutex lock;
    QString root; // canonical; empty: nothing fenced or watched
    bool closed = false;
    QPointer<QObject> owner;
    std::function<bool()> stillReadable;
    bool asking = false; // stillReadable runs now
    QString named; // the watched folder as named, made absolute
    std::function<bool()> answering;
    FolderAnchor anchor; // the watched folder as loaded: files below it are looked at below it
};

FolderFence::FolderFence(Disk *disk)
    : m_disk(disk)
    , m_state(std::make_unique<State>())
{
}

FolderFence::~FolderFence() = default;

Disk &FolderFence::disk() const
{
    return m_disk ? *m_disk : sysio::disk();
}

Disk &diskOf(const std::shared_ptr<FolderFence> &fence)
{
    return fence ? fence->disk() : sysio::disk();
}

namespace {

QString folderPath(const QString &folder)
{
    const QString canonical = sysio::canonicalPath(folder);
    return QDir::cleanPath(canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath() : canonical);
}

bool below(const QString &file, const QString &root)
{
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return !file.isEmpty() && (file == root || file.startsWith(prefix));
}

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// The fenced or watched folder, empty when there is none.
QString fencedRoot(FolderFence *fence)
{
    if (!fence)
        return QString();
    FolderFence::State &f = fence->state();
    QMutexLocker hold(&f.lock);
    return f.root;
}

// True when the folder `root` is fenced, or watched and its owner, asked
// now on the GUI thread, no longer lets its files be read.
bool ownerFences(FolderFence *fence, const QString &root)
{
    if (!fence)
        return false;
    FolderFence::State &f = fence->state();
    std::function<bool()> ask;
    {
        QMutexLocker hold(&f.lock);
        if (f.root != root)
            return false; // ended meanwhile
        if (f.closed)
            return true;
        if (!onGuiThread() || f.owner.isNull() || !f.stillReadable)
            return false;
        if (f.asking)
            return true; // read while the answer is awaited: not read
        ask = f.stillReadable;
        f.asking = true;
    }
    const bool readable = ask();
    QMutexLocker hold(&f.lock);
    f.asking = false;
    if (!readable && f.root == root) {
        f.closed = true;
        f.stillReadable = nullptr;
    }
    return f.closed && f.root == root;
}

// True when the file whose canonical path is `canonical` lies below the
// fenced folder `root`, or below the watched one and its owner no longer
// lets it be read.
bool fencedAt(FolderFence *fence, const QString &canonical, const QString &root)
{
    return !root.isEmpty() && below(canonical, root) && ownerFences(fence, root);
}

// The same for the file `path`, its links followed through the editor's disk.
bool fenced(FolderFence *fence, const QString &path)
{
    const QString root = fencedRoot(fence);
    return !root.isEmpty() && fencedAt(fence, canonicalPathOf(fence->disk(), path), root);
}

// False when `path` names a file below the fenced folder, or below the
// watched one whose volume does not answer now, as the folder was named: it
// is not looked at.
bool reachable(FolderFence *fence, const QString &path)
{
    if (!fence)
        return true;
    std::function<bool()> answering;
    {
        FolderFence::State &f = fence->state();
        QMutexLocker hold(&f.lock);
        if (f.named.isEmpty() || !below(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), f.named))
            return true;
        if (f.closed)
            return false;
        if (!f.answering || f.owner.isNull() || !onGuiThread())
            return true;
        answering = f.answering;
    }
    return answering();
}

} // namespace

namespace {

// The type bits of what stands at `path`, a link followed, looked at through
// the editor's disk; 0 when nothing does.
unsigned typeAt(Disk &disk, const QString &path)
{
    struct stat st;
    return !path.isEmpty() && disk.statAt(AT_FDCWD, QFile::encodeName(path), &st, 0) == 0
            ? unsigned(st.st_mode & S_IFMT)
            : 0;
}

// The watched folder's anchor when it covers `path`; none otherwise.
FolderAnchor anchorOver(FolderFence *fence, const QString &path)
{
    if (!fence)
        return FolderAnchor();
    FolderFence::State &f = fence->state();
    QMutexLocker hold(&f.lock);
    return !f.closed && f.anchor.covers(path) ? f.anchor : FolderAnchor();
}

// What stands at `path`, reached below `root` one folder at a time and its
// entry opened without following a link or waiting on a pipe: its type
// bits (0: nothing there), its size when it is a regular file, and whether
// the root at its place was not admitted (gone, or another volume).
struct BelowLook
{
    unsigned type = 0;
    qint64 size = -1;
    bool refused = false;
};

BelowLook lookBelow(const FolderAnchor &root, const QString &path)
{
    BelowLook look;
    QString name;
    Reach reach = Reach::Missing;
    const OpenFolder folder = root.openFolderOf(path, &name, &reach);
    look.refused = !folder.isOpen() && reach != Reach::Outside;
    const Descriptor fd(folder.isOpen() ? folder.openEntry(name, O_RDONLY | O_NONBLOCK) : -1);
    struct stat st;
    if (fd.isOpen() && folder.disk().stat(fd.get(), &st) == 0) {
        look.type = unsigned(st.st_mode & S_IFMT);
        look.size = S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
    } else if (folder.isOpen()) {
        look.type = entryType(folder.disk(), folder.fd(), name);
    }
    return look;
}

} // namespace

bool isRegularFile(const std::shared_ptr<FolderFence> &held, const QString &path)
{
    FolderFence *const fence = held.get();
    return !path.isEmpty() && reachable(fence, path) && typeAt(diskOf(held), path) == S_IFREG && !fenced(fence, path);
}

bool askFolderOwner(const std::shared_ptr<FolderFence> &held, const QString &path)
{
    FolderFence *const fence = held.get();
    if (!fence)
        return true;
    QString root;
    {
        FolderFence::State &f = fence->state();
        QMutexLocker hold(&f.lock);
        const QString named = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        const bool watched = (!f.root.isEmpty() && below(named, f.root))
                             || (!f.named.isEmpty() && below(named, f.named));
        if (path.isEmpty() || !watched)
            return true;
        root = f.root;
    }
    return !ownerFences(fence, root);
}

std::optional<bool> isRegularFileWithin(const std::shared_ptr<FolderFence> &held,
                                        const std::shared_ptr<SilentFiles> &silent, const QString &path, int limitMs,
                                        const Waiter &wait)
{
    FolderFence *const fence = held.get();
    if (path.isEmpty() || !reachable(fence, path))
        return false;
    struct Look
    {
        bool regular = false;
        QString canonical;
        std::optional<BelowLook> below;
    };
    const FolderAnchor root = anchorOver(fence, path);
    Disk *const disk = &diskOf(held);
    const std::optional<Look> look = lookAtFileWithin<Look>(
            silent, path, limitMs,
            [path, root, disk]() {
                Look found;
                if (root.isValid()) {
                    found.below = lookBelow(root, path);
                    found.regular = found.below->type == S_IFREG;
                    return found;
                }
                found.regular = typeAt(*disk, path) == S_IFREG;
                if (found.regular)
                    found.canonical = canonicalPathOf(*disk, path);
                return found;
            },
            wait);
    if (!look)
        return std::nullopt;
    if (look->below && !look->regular && !look->below->refused)
        return false;
    if (look->below)
        return askFolderOwner(held, path) && look->regular;
    // The folder's owner is asked here, on the calling thread, as isRegularFile() asks it.
    return look->regular && !fencedAt(fence, look->canonical, fencedRoot(fence));
}

bool isFolder(const QString &path)
{
    return isFolder(sysio::disk(), path);
}

bool isFolder(Disk &disk, const QString &path)
{
    return typeAt(disk, path) == S_IFDIR;
}

FileLook lookAtFile(const std::shared_ptr<FolderFence> &held, const QString &path)
{
    FolderFence *const fence = held.get();
    FileLook look;
    if (fence) {
        FolderFence::State &f = fence->state();
        QMutexLocker hold(&f.lock);
        if (f.closed && !f.named.isEmpty() && below(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), f.named))
            return look; // fenced: not looked at
    }
    const FolderAnchor root = anchorOver(fence, path);
    if (root.isValid()) {
        const BelowLook below = lookBelow(root, path);
        look.type = below.type;
        look.size = below.size;
        return look;
    }
    struct stat st;
    if (!path.isEmpty() && diskOf(held).statAt(AT_FDCWD, QFile::encodeName(path), &st, 0) == 0) {
        look.type = unsigned(st.st_mode & S_IFMT);
        look.size = S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
    }
    return look;
}

std::optional<qint64> regularFileSizeWithin(const std::shared_ptr<FolderFence> &held,
                                            const std::shared_ptr<SilentFiles> &silent, const QString &path,
                                            int limitMs, const Waiter &wait)
{
    FolderFence *const fence = held.get();
    const FolderAnchor root = anchorOver(fence, path);
    const auto look = [path, root, held]() -> BelowLook {
        if (root.isValid())
            return lookBelow(root, path);
        BelowLook found;
        sysio::SeamFile file(&diskOf(held));
        found.size = isRegularFile(held, path) && openRegularFile(path, file, false) ? file.size() : -1;
        return found;
    };
    const std::optional<BelowLook> found = lookAtFileWithin<BelowLook>(silent, path, limitMs, look, wait);
    if (!found)
        return std::nullopt;
    // The folder's owner judges a root it did not admit, on the calling thread.
    if (found->refused)
        askFolderOwner(held, path);
    return found->size;
}

int openRegularFile(const QString &path)
{
    return openRegularFile(path, O_RDONLY, true);
}

int openRegularFile(const QString &path, int flags, bool noFollow)
{
    return openRegularFile(sysio::disk(), path, flags, noFollow);
}

int openRegularFile(Disk &disk, const QString &path, int flags, bool noFollow)
{
    if (path.isEmpty())
        return -1;
    Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(path),
                              flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0), 0666));
    struct stat st;
    if (fd.isOpen() && (disk.stat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)))
        return -1;
    return fd.release();
}

namespace {

// `file` reads through `fd`, named `path`; `fd` is closed when it cannot.
bool readThrough(Descriptor fd, const QString &path, sysio::SeamFile &file)
{
    file.setFileName(path);
    return openFile(file, std::move(fd), QIODevice::ReadOnly);
}

} // namespace

bool openRegularFile(const QString &path, sysio::SeamFile &file, bool noFollow)
{
    return openRegularFile(file.disk(), path, file, noFollow);
}

bool openRegularFile(Disk &disk, const QString &path, sysio::SeamFile &file, bool noFollow)
{
    return readThrough(Descriptor(openRegularFile(disk, path, O_RDONLY, noFollow)), path, file);
}

bool openToRead(const std::shared_ptr<FolderFence> &held, const QString &path, sysio::SeamFile &file, int *error)
{
    FolderFence *const fence = held.get();
    if (error)
        *error = path.isEmpty() ? ENOENT : 0;
    if (path.isEmpty() || !reachable(fence, path))
        return false;
    Disk &disk = diskOf(held);
    Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(path), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (!fd.isOpen()) {
        if (error)
            *error = errno;
        return false;
    }
    struct stat st;
    if (disk.stat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || fenced(fence, path))
        return false;
    return readThrough(std::move(fd), path, file);
}

void FolderFence::fenceFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    const QString root = folderPath(folder);
    State &f = *m_state;
    QMutexLocker hold(&f.lock);
    if (f.root != root) {
        f.owner.clear();
        f.stillReadable = nullptr;
        f.answering = nullptr;
        f.named = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    }
    f.root = root;
    f.closed = true;
    f.anchor = FolderAnchor();
}

void FolderFence::watchFolder(const FolderAnchor &anchor, QObject *owner, std::function<bool()> stillReadable,
                              std::function<bool()> answering)
{
    const QString folder = anchor.path();
    const QString root = folder.isEmpty() ? QString() : folderPath(folder);
    State &f = *m_state;
    QMutexLocker hold(&f.lock);
    f.root = root;
    f.closed = false;
    f.owner = owner;
    f.stillReadable = std::move(stillReadable);
    f.named = folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    f.answering = std::move(answering);
    f.anchor = anchor;
}

void FolderFence::endFolderWatch(const QObject *owner)
{
    State &f = *m_state;
    QMutexLocker hold(&f.lock);
    if (f.owner.data() != owner)
        return;
    f.root.clear();
    f.closed = false;
    f.owner.clear();
    f.stillReadable = nullptr;
    f.named.clear();
    f.answering = nullptr;
    f.anchor = FolderAnchor();
}

FileRead readRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes, int *error)
{
    return readRegularFileAt(AT_FDCWD, path, maxBytes, bytes, error);
}

FileRead readRegularFile(Disk &disk, const QString &path, qint64 maxBytes, QByteArray &bytes, int *error)
{
    return readRegularFileAt(disk, AT_FDCWD, path, maxBytes, bytes, error);
}

unsigned entryType(int dir, const QString &name, int *error)
{
    return entryType(sysio::disk(), dir, name, error);
}

unsigned entryType(Disk &disk, int dir, const QString &name, int *error)
{
    struct stat st;
    const QByteArray native = QFile::encodeName(name);
    const bool found = !native.isEmpty() && disk.statAt(dir, native, &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (error)
        *error = found ? 0 : native.isEmpty() ? ENOENT : errno;
    return found ? unsigned(st.st_mode & S_IFMT) : 0;
}

FileRead readRegularFileAt(int dir, const QString &path, qint64 maxBytes, QByteArray &bytes, int *error)
{
    return readRegularFileAt(sysio::disk(), dir, path, maxBytes, bytes, error);
}

FileRead readRegularFileAt(Disk &disk, int dir, const QString &path, qint64 maxBytes, QByteArray &bytes, int *error)
{
    bytes.clear();
    int failure = 0;
    const FileRead found = [&]() {
        const QByteArray name = QFile::encodeName(path);
        const Descriptor fd(name.isEmpty() ? -1
                                           : disk.openAt(dir, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.isOpen()) {
            failure = name.isEmpty() ? ENOENT : errno;
            return failure == ENOENT ? FileRead::Missing : failure == ELOOP ? FileRead::NotRegular : FileRead::Failed;
        }
        FileRead result = FileRead::Read;
        struct stat st;
        if (disk.stat(fd.get(), &st) != 0) {
            failure = errno;
            result = FileRead::Failed;
        } else if (!S_ISREG(st.st_mode)) {
            result = FileRead::NotRegular;
        } else if (st.st_size > maxBytes) {
            result = FileRead::TooLarge;
        }
        char buffer[65536];
        while (result == FileRead::Read) {
            const qint64 n = disk.read(fd.get(), buffer, sizeof buffer);
            if (n < 0) {
                failure = errno;
                result = FileRead::Failed;
            } else if (n == 0) {
                break;
            } else if (bytes.size() + n > maxBytes) {
                result = FileRead::TooLarge; // grew while read
            } else {
                bytes.append(buffer, int(n));
            }
        }
        return result;
    }();
    if (error)
        *error = failure;
    return found;
}

} // namespace ztplatform

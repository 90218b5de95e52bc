#include "device/padpaths.h"

#include "device/padreasons.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace padtree {

bool FolderEntry::isLink() const
{
    return type == S_IFLNK;
}

bool FolderEntry::isFile() const
{
    return type == S_IFREG;
}

bool FolderEntry::isDir() const
{
    return type == S_IFDIR;
}

namespace {

// On the pad's FAT volume, hidden and system are attributes, not names.
bool markedHidden(const ztplatform::OpenFolder &folder, const FolderEntry &entry)
{
    const ztplatform::Descriptor fd(folder.openEntry(entry.name, O_RDONLY | O_NONBLOCK));
    return ztplatform::hasFatHiddenOrSystemAttribute(folder.disk(), fd.get());
}

} // namespace

FolderEntries listEntriesAndLinks(const ztplatform::OpenFolder &folder, const QString &path)
{
    FolderEntries entries;
    const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    for (const ztplatform::ListedEntry &e : ztplatform::listFolder(folder.disk(), folder.fd())) {
        if (e.name.startsWith('.')) // hidden
            continue;
        FolderEntry entry;
        entry.name = QFile::decodeName(e.name);
        entry.path = prefix + entry.name;
        entry.type = e.type ? e.type : ztplatform::entryType(folder.fd(), entry.name);
        entries.append(entry);
    }
    if (ztplatform::isOnFatVolume(folder.disk(), folder.fd())) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&folder](const FolderEntry &e) { return markedHidden(folder, e); }),
                      entries.end());
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry &a, const FolderEntry &b) {
        const int byCase = a.name.compare(b.name, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a.name < b.name;
    });
    return entries;
}

FolderEntries listEntries(ztplatform::Disk &disk, const QString &dir, bool foldersOnly)
{
    if (dir.isEmpty())
        return FolderEntries();
    const ztplatform::OpenFolder folder(
            disk.openAt(AT_FDCWD, QFile::encodeName(dir), O_RDONLY | O_DIRECTORY | O_CLOEXEC), &disk);
    if (!folder.isOpen())
        return FolderEntries();
    FolderEntries entries = listEntriesAndLinks(folder, dir);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [foldersOnly](const FolderEntry &e) {
                                     return !e.isDir() && (foldersOnly || !e.isFile());
                                 }),
                  entries.end());
    return entries;
}

bool padAway(const ztplatform::FolderAnchor &root)
{
    ztplatform::Reach reach;
    return !root.openFolder(root.path(), &reach).isOpen() && reach == ztplatform::Reach::Missing;
}

namespace {

// Takes the metronome entry into `read` by what its open file is.
void readClickEntry(const ztplatform::OpenFolder &folder, const FolderEntry &entry, ClickFiles &read)
{
    const QString native = QDir::toNativeSeparators(entry.path);
    unsigned type = entry.type;
    if (type == S_IFREG) {
        const ztplatform::Descriptor fd(folder.openEntry(entry.name, O_RDONLY | O_NONBLOCK));
        struct stat st;
        type = !fd.isOpen() ? (errno == ELOOP ? S_IFLNK : 0)
                            : (folder.disk().stat(fd.get(), &st) == 0 ? st.st_mode & S_IFMT : 0);
        if (type == S_IFREG) {
            read.files << native;
            read.sizes << qint64(st.st_size);
        }
    }
    if (type == S_IFLNK)
        read.links << entry.path;
    else if (type != S_IFREG && type != 0)
        read.skipped << native + QStringLiteral(" (") + padreason::kindText(type) + QLatin1Char(')');
}

} // namespace

ClickFiles readClickFiles(const ztplatform::FolderAnchor &root, const QString &clickPath,
                          const std::function<void()> &pump)
{
    ClickFiles read;
    if (clickPath.isEmpty())
        return read;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = root.openFolder(clickPath, &reach);
    // A missing folder holds no sounds; one elsewhere is no pad's.
    if (!folder.isOpen() && reach == ztplatform::Reach::Missing && !padAway(root))
        return read;
    if (folder.isOpen()) {
        for (const FolderEntry &entry : listEntriesAndLinks(folder, clickPath)) {
            readClickEntry(folder, entry, read);
            if (pump)
                pump();
        }
        const ztplatform::OpenFolder again = root.openFolder(clickPath);
        if (again.isOpen() && ztplatform::identityOf(again) == ztplatform::identityOf(folder))
            return read;
    }
    ClickFiles changed;
    changed.padChanged = true;
    changed.padAway = padAway(root);
    return changed;
}

QString findModelFolder(ztplatform::Disk &disk, const QString &root)
{
    return ztplatform::findEntryIgnoringCase(disk, root, QStringLiteral("ZT350"));
}

QStringList modelFolderEntryNames(ztplatform::Disk &disk, const QString &root)
{
    const FolderEntries rootEntries = listEntries(disk, root, false);
    if (rootEntries.size() != 1
        || rootEntries.first().path.compare(root + QStringLiteral("zt350"), Qt::CaseInsensitive) != 0)
        return QStringList();
    QStringList names;
    for (const FolderEntry &e : listEntries(disk, rootEntries.first().path, false))
        names << QFileInfo(e.name).completeBaseName();
    return names;
}

bool isMainFolderSet(const QStringList &names)
{
    int count = 0;
    for (const QString &name : names) {
        if (name.compare(QLatin1String("kit"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("sys"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("wav_data"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("wav_prm"), Qt::CaseInsensitive) == 0)
            ++count;
        else
            return false;
    }
    return count == 4;
}

namespace {

bool isRegularDescriptor(ztplatform::Disk &disk, const ztplatform::Descriptor &fd)
{
    struct stat st;
    return fd.isOpen() && disk.stat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

QString convertPathCaseInsensitivity(const ztplatform::FolderAnchor &root, const QString &path)
{
    const auto holdsFile = [&root](const QString &p) {
        QString name;
        const ztplatform::OpenFolder folder = root.openFolderOf(p, &name);
        return folder.isOpen()
                && isRegularDescriptor(folder.disk(), ztplatform::Descriptor(folder.openEntry(name, O_RDONLY | O_NONBLOCK)));
    };
    if (path.isEmpty() || holdsFile(path))
        return path;
    const QString resolved = ztplatform::resolvePathCaseInsensitive(root.disk(), path);
    return !resolved.isEmpty() && resolved != path && holdsFile(resolved) ? resolved : path;
}

bool isUsableFolder(const QString &path)
{
    return QDir::isAbsolutePath(path);
}

QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

bool isThreeDigits(const QString &name)
{
    const int n = name.toInt();
    return n >= 1 && n <= 100 && name == threeDigits(n);
}

int waveFolderNumber(int wave)
{
    return wave / 100 + 1;
}

int waveFileNumber(int wave)
{
    const int r = wave % 100;
    return r == 0 ? 100 : r;
}

int waveNumberFromLocation(int folder, int file)
{
    if (folder == 1)
        return file;
    if (file == 100)
        return (folder - 1) * 100;
    return (folder - 1) * 100 + file;
}

QString waveDataRelativePath(int wave)
{
    return threeDigits(waveFolderNumber(wave)) + QLatin1Char('/') + threeDigits(waveFileNumber(wave))
            + QStringLiteral(".wav");
}

QString wavePrmRelativePath(int wave)
{
    return threeDigits(waveFolderNumber(wave)) + QLatin1Char('/') + threeDigits(waveFileNumber(wave))
            + QStringLiteral(".prm");
}

WavePair findWavePair(const QString &wavPath, const QString &dataPath, const QString &prmPath)
{
    WavePair pair;
    const QString base = QDir::cleanPath(QDir::fromNativeSeparators(dataPath)) + QLatin1Char('/');
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(wavPath));
    if (!isUsableFolder(dataPath) || !isUsableFolder(prmPath) || !path.startsWith(base, Qt::CaseInsensitive))
        return pair;
    const QString rel = path.mid(base.size());
    const QStringList parts = rel.split(QLatin1Char('/'));
    if (parts.size() != 2)
        return pair;
    pair.folder = parts.at(0);
    pair.stem = parts.at(1).section(QLatin1Char('.'), 0, 0).trimmed();
    if (pair.folder.isEmpty() || pair.stem.isEmpty())
        return pair;
    pair.onPad = true;
    return pair;
}

} // namespace padtree

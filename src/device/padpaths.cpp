#include "device/padpaths.h"

#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace padtree {

QFileInfoList listEntriesAndLinks(const QString &dir, bool foldersOnly, bool special)
{
    const QDir d(dir);
    if (dir.isEmpty() || !d.exists())
        return QFileInfoList();
    QDir::Filters filters = (foldersOnly ? QDir::Dirs : QDir::AllEntries) | QDir::NoDotAndDotDot;
    if (special)
        filters |= QDir::System;
    QFileInfoList entries = d.entryInfoList(filters, QDir::Name | QDir::IgnoreCase);
    // On the pad's FAT volume, hidden and system are attributes, not names
    // (the "System Volume Information" folder another computer leaves).
    if (ztplatform::isOnFatVolume(dir)) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const QFileInfo &fi) {
                                         return ztplatform::hasFatHiddenOrSystemAttribute(fi.absoluteFilePath());
                                     }),
                      entries.end());
    }
    return entries;
}

QFileInfoList listEntries(const QString &dir, bool foldersOnly, QStringList *links, bool special)
{
    QFileInfoList entries = listEntriesAndLinks(dir, foldersOnly, special);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [links](const QFileInfo &fi) {
                                     if (!fi.isSymLink())
                                         return false;
                                     if (links)
                                         links->append(fi.absoluteFilePath());
                                     return true;
                                 }),
                  entries.end());
    return entries;
}

QStringList clickFiles(const QString &clickPath, QStringList *links)
{
    QStringList files;
    if (clickPath.isEmpty())
        return files;
    // System lists links whose target is gone as well.
    const QFileInfoList entries = QDir(clickPath).entryInfoList(QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo &fi : entries) {
        if (fi.isSymLink()) {
            if (links)
                links->append(fi.absoluteFilePath());
        } else if (fi.isFile()) {
            files << QDir::toNativeSeparators(fi.absoluteFilePath());
        }
    }
    return files;
}

bool isLinkFree(const QString &path)
{
    const QFileInfo fi(path);
    return !fi.isSymLink() && !QFileInfo(fi.absolutePath()).isSymLink();
}

QString findModelFolder(const QString &root)
{
    return ztplatform::findEntryIgnoringCase(root, QStringLiteral("ZT350"));
}

QStringList modelFolderEntryNames(const QString &root)
{
    const QFileInfoList rootEntries = listEntries(root, false);
    if (rootEntries.size() != 1
        || rootEntries.first().absoluteFilePath().compare(root + QStringLiteral("zt350"), Qt::CaseInsensitive) != 0)
        return QStringList();
    QStringList names;
    for (const QFileInfo &fi : listEntries(rootEntries.first().absoluteFilePath(), false))
        names << fi.completeBaseName();
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

QString convertPathCaseInsensitivity(const QString &path)
{
    {
        QFile f(path);
        if (QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly)) {
            f.close();
            return path;
        }
    }
    const QString resolved = ztplatform::resolvePathCaseInsensitive(path);
    if (!resolved.isEmpty() && QFileInfo(resolved).isFile())
        return resolved;
    return path;
}

bool isUsableFolder(const QString &path)
{
    return QDir::isAbsolutePath(path);
}

QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
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
    // A link, or a file in a linked folder, is none of the pad's own.
    auto existing = [](const QString &p) {
        return !p.isEmpty() && QFileInfo(p).isFile() && isLinkFree(p) ? p : QString();
    };
    pair.wav = existing(QFileInfo(path).isFile() ? path : ztplatform::resolvePathCaseInsensitive(dataPath, rel));
    pair.prm = existing(ztplatform::resolvePathCaseInsensitive(
            prmPath, pair.folder + QLatin1Char('/') + pair.stem + QStringLiteral(".prm")));
    return pair;
}

} // namespace padtree

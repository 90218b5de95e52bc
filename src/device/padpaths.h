#ifndef ZT_DEVICE_PADPATHS_H
#define ZT_DEVICE_PADPATHS_H

// Listings, names and the wave number rule of the pad's storage tree.

#include "platform/anchoredfolder.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace padtree {

// An entry of a folder listed through its open descriptor: what stands at
// the name itself (a link is not followed).
struct FolderEntry
{
    QString name;
    QString path;      // the folder's path as given, "/" and the name
    unsigned type = 0; // st_mode & S_IFMT of the entry; 0 when it is gone
    bool isLink() const;
    bool isFile() const;
    bool isDir() const;
};
using FolderEntries = QVector<FolderEntry>;
// Every visible entry of the open folder as listEntriesAndLinks() lists it
// with `special` (links, pipes and devices too), read through `folder`
// alone: a folder swapped at `path` meanwhile is not the one listed.
FolderEntries listEntriesAndLinks(const ztplatform::OpenFolder &folder, const QString &path);
// The folders, and unless `foldersOnly` the regular files, of the folder at
// `dir` as `disk` lists them: visible ones by name ignoring case, no link.
FolderEntries listEntries(ztplatform::Disk &disk, const QString &dir, bool foldersOnly);

// True when no pad is found at the root's place.
bool padAway(const ztplatform::FolderAnchor &root);

// The files of the pad's metronome folder by name, with native separators
// and their sizes; symbolic links are not taken but listed in `links`, and
// other entries that are no regular file (folders, pipes, devices) in
// `skipped`, each as its path and what it is.
struct ClickFiles
{
    QStringList files;
    QVector<qint64> sizes; // one for each file
    QStringList links;
    QStringList skipped;
    // The folder read was not the loaded pad's to the end: nothing is kept.
    bool padChanged = false;
    bool padAway = false; // and no pad stands at its place
};
// The folder is reached below `root` and each file opened through it: no
// link is followed, no pipe waited on, and the folder must still stand at
// its path when the read ends. `pump` runs after each entry.
ClickFiles readClickFiles(const ztplatform::FolderAnchor &root, const QString &clickPath,
                          const std::function<void()> &pump = {});

// The model folder "zt350" (any case) below a drive root; empty when the
// root holds no entry of that name.
QString findModelFolder(ztplatform::Disk &disk, const QString &root);
// The names (without suffix) of the entries of the model folder when it is
// the drive root's only entry; `root` ends with "/". Empty otherwise.
QStringList modelFolderEntryNames(ztplatform::Disk &disk, const QString &root);
// True when there are four names and each is one of the pad's main folders
// (KIT, SYS, WAV_DATA, WAV_PRM), any case.
bool isMainFolderSet(const QStringList &names);

// The path itself when a regular file is there, else the same path with its
// letter case taken from the disk; the path unchanged when neither holds one.
// Each is probed below `root`: never through a link, never waiting on a pipe
// or a device.
QString convertPathCaseInsensitivity(const ztplatform::FolderAnchor &root, const QString &path);

// Only an absolute path is taken for one of the pad's folders: files below
// an empty or relative one would land beside the working folder or at the
// root of the file system.
bool isUsableFolder(const QString &path);

// "001" ... "100".
QString threeDigits(int n);
// `name` is one of those.
bool isThreeDigits(const QString &name);
// Folder number 1 ... 100 and file number 1 ... 100 of wave 1 ... 9999.
int waveFolderNumber(int wave);
int waveFileNumber(int wave);
// The wave number stored in folder f as file r.
int waveNumberFromLocation(int folder, int file);
// "fff/rrr.wav" and "fff/rrr.prm" relative to WAV_DATA and WAV_PRM.
QString waveDataRelativePath(int wave);
QString wavePrmRelativePath(int wave);

// Where a sound's .wav path places it below dataPath: its numbered folder
// and file stem, which its record shares below WAV_PRM. Nothing is looked
// up on the disk. Folders that are not usable place nothing.
struct WavePair
{
    bool onPad = false; // the path names dataPath/fff/name
    QString folder;     // "fff"
    QString stem;       // the file name up to its first dot
};
WavePair findWavePair(const QString &wavPath, const QString &dataPath, const QString &prmPath);

} // namespace padtree

#endif

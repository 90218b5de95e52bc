#ifndef ZT_DEVICE_PADTREE_H
#define ZT_DEVICE_PADTREE_H

#include <QFileInfoList>
#include <QString>
#include <QVector>

class QWidget;

// The folders and files of the pad's storage that the editor works with.
struct PadTreePaths
{
    QString kitPath;
    QString sysPath;
    QString dataPath;
    QString prmPath;
    QString sys_click_path;
    QString usbGlobalIniFile;
    QVector<QString> waveDataList;
    QVector<QString> wavePrmList;
};

namespace padtree {

// Visible entries of a folder without "." and "..", by name ignoring case;
// entries flagged hidden or system on a FAT volume are left out as well.
QFileInfoList listEntries(const QString &dir, bool foldersOnly);

// The model folder "zt350" (any case) below a drive root; empty when the
// root holds no entry of that name.
QString findModelFolder(const QString &root);

// Sets the four main folders below the model folder; true when all exist as
// folders, otherwise warns "The target file was not found.".
bool getRootDirPath(QWidget *parent, const QString &modelFolder, PadTreePaths &tree);

// Finds CLICK, global.ini and the numbered wave folders; true when the
// metronome folder exists and every numbered parameter folder holds only
// .prm files. Warns on failure.
bool judgeFourFile(QWidget *parent, PadTreePaths &tree);

// The path itself when a readable file is there, else the same path with
// its letter case taken from the disk; the path unchanged when neither exists.
QString convertPathCaseInsensitivity(const QString &path);

// "001" ... "100".
QString threeDigits(int n);
// Folder number 1 ... 100 and file number 1 ... 100 of wave 1 ... 9999.
int waveFolderNumber(int wave);
int waveFileNumber(int wave);
// The wave number stored in folder f as file r.
int waveNumberFromLocation(int folder, int file);
// "fff/rrr.wav" and "fff/rrr.prm" relative to WAV_DATA and WAV_PRM.
QString waveDataRelativePath(int wave);
QString wavePrmRelativePath(int wave);

} // namespace padtree

#endif

#ifndef ZT_DEVICE_PADTREE_H
#define ZT_DEVICE_PADTREE_H

#include "device/devicemessage.h"
#include "device/padpaths.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The folders and files of the pad's storage that the editor works with.
struct PadTreePaths
{
    QString kitPath;               // KIT below the model folder, spelled as on the drive
    QString sysPath;               // SYS
    QString dataPath;              // WAV_DATA
    QString prmPath;               // WAV_PRM
    QString sys_click_path;        // SYS/CLICK, the metronome sounds
    QString usbGlobalIniFile;      // SYS/global.ini
    QVector<QString> waveDataList; // the numbered folders of WAV_DATA
    QVector<QString> wavePrmList;  // and of WAV_PRM
    // Symbolic links found in the tree and left out (a numbered folder whose
    // partner is a link is left out with it).
    QStringList linksLeftOut;
};

namespace padtree {

// Sets the four main folders below the model folder; true when all exist as
// folders, otherwise `warning` gets "The target file was not found.". Each
// folder is listed through its descriptor, reached below `root` without
// following a link: a folder that cannot be reached so lists nothing.
bool getRootDirPath(const ztplatform::FolderAnchor &root, const QString &modelFolder, PadTreePaths &tree,
                    DeviceMessage *warning);

// Finds CLICK, global.ini and the numbered wave folders; true when the
// metronome folder exists and every numbered parameter folder holds only
// .prm files. On failure `warning` gets what to tell. Listed below `root`
// as getRootDirPath() lists.
bool judgeFourFile(const ztplatform::FolderAnchor &root, PadTreePaths &tree, DeviceMessage *warning);

// The one warning naming the links the load left out (the first 20).
DeviceMessage linksWarning(QStringList links);

} // namespace padtree

#endif

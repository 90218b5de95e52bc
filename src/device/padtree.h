#ifndef ZT_DEVICE_PADTREE_H
#define ZT_DEVICE_PADTREE_H

#include "device/padpaths.h"

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

// Sets the four main folders below the model folder; true when all exist as
// folders, otherwise warns "The target file was not found.".
bool getRootDirPath(QWidget *parent, const QString &modelFolder, PadTreePaths &tree);

// Finds CLICK, global.ini and the numbered wave folders; true when the
// metronome folder exists and every numbered parameter folder holds only
// .prm files. Warns on failure.
bool judgeFourFile(QWidget *parent, PadTreePaths &tree);

} // namespace padtree

#endif

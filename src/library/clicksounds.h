#pragma once

#include <QString>
#include <QStringList>

namespace ztplatform {
class Disk;
}

// Where the default metronome sounds are found, and how a folder of them is
// listed.
namespace clicksounds {

// "metronome_sound" beside the executable or in the installed data folder.
QString defaultFolder();

// The files of a folder (no folders, no hidden files), sorted by name, as native paths.
QStringList folderFiles(ztplatform::Disk &disk, const QString &folder);

} // namespace clicksounds

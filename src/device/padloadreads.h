#ifndef ZT_DEVICE_PADLOADREADS_H
#define ZT_DEVICE_PADLOADREADS_H

// The looks of the pad's load that come before anything is taken from it:
// plain functions of their arguments, made on a thread of their own
// (PadSession::runOnPad). Each beats its pace after every look at the drive.

#include "device/devicemessage.h"
#include "device/padtree.h"
#include "device/padwatch.h"
#include "platform/anchoredfolder.h"

#include <QString>

// The drive chosen, as the load first sees it.
struct ChosenDrive
{
    bool rootHoldsFile = false; // a visible plain file at the root: no pad
    QString modelFolder;        // canonical; empty when there is no model folder, or it is a link
    ztplatform::FolderAnchor root; // the root as it stands, when the model folder was found
};
// The root is anchored with `by`.
ChosenDrive lookAtChosenDrive(const QString &root, const PadPace &pace, ztplatform::Disk &by);

// The pad's tree below the model folder: the four main folders and then the
// metronome folder, global.ini and the numbered folders. Both checks run so
// that both warn; `ok` only when both pass.
struct PadTreeRead
{
    PadTreePaths tree; // its links left out: of both checks
    bool ok = false;
    DeviceMessages warnings;
};
// Every folder is listed below `root`, never through a link.
PadTreeRead readPadTree(const ztplatform::FolderAnchor &root, const QString &modelFolder, const PadPace &pace);
// The tree's numbered folders and files listed anew (they may have emptied or filled).
PadTreeRead relistPadTree(const ztplatform::FolderAnchor &root, PadTreePaths tree, const PadPace &pace);

#endif

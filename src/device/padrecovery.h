#ifndef ZT_DEVICE_PADRECOVERY_H
#define ZT_DEVICE_PADRECOVERY_H

// What a sound added to or deleted from the pad, or a renumbering, left on
// the pad when the editor stopped part-way, and putting it in order when the
// pad is loaded again.

#include "device/devicemessage.h"
#include "device/padtree.h"
#include "platform/anchoredfolder.h"

struct PadLeftovers {
    bool renumbering = false; // a renumbering's record in SYS
    bool hiddenFiles = false; // hidden pair files in the numbered wave folders
    bool isEmpty() const { return !renumbering && !hiddenFiles; }
};

// Looked for by name only: nothing is opened for writing.
PadLeftovers findPadLeftovers(const PadTreePaths &tree);

struct PadRecovery {
    bool changed = false;    // something on the pad was moved or removed
    DeviceMessages messages; // the one box saying what was done
};

// Undoes a renumbering cut short, then, in each numbered folder, gives each
// whole pair of hidden files (or a hidden file that makes a whole pair with
// its partner) its names and removes the other hidden files. A whole pair
// whose place another file holds stays hidden and is named. Every file is
// reached from `root`.
PadRecovery recoverPad(const PadTreePaths &tree, const ztplatform::FolderAnchor &root);

#endif

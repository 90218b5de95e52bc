#ifndef ZT_DEVICE_PADRECOVERY_H
#define ZT_DEVICE_PADRECOVERY_H

// What a sound added to or deleted from the pad, or a renumbering, left on
// the pad when the editor stopped part-way, and putting it in order when the
// pad is loaded again.

#include "device/devicemessage.h"
#include "device/padtree.h"
#include "platform/anchoredfolder.h"

struct PadLeftovers {
    bool record = false;      // a change record (or its staging copy) in SYS
    bool hiddenFiles = false; // the editor's hidden files in the numbered wave folders or SYS
    bool isEmpty() const { return !record && !hiddenFiles; }
};

// Looked for by name only, below `root`: nothing is opened for writing.
PadLeftovers findPadLeftovers(const PadTreePaths &tree, const ztplatform::FolderAnchor &root);

struct PadRecovery {
    bool changed = false;    // something on the pad was moved or removed
    DeviceMessages messages; // the one box saying what was done
    // A record that cannot be read, or is none of the editor's: where it
    // stands and the name the box gives it.
    QString asideFrom, asideAs;
};

// Finishes or undoes the change whose record SYS holds (with an unreadable
// one nothing is touched), then, in each numbered
// folder, gives each whole pair of hidden files (or a hidden file that makes
// a whole pair with its partner) its names and removes the editor's other
// hidden files there and in SYS. Hidden files pair only when the names they
// stand for have the same stem; a hidden name not of the editor's pattern is
// never touched. A whole pair whose place another file holds stays hidden
// and is named. Every file is reached from `root`.
PadRecovery recoverPad(const PadTreePaths &tree, const ztplatform::FolderAnchor &root);

// Once the box of `recovery` was shown: the record it names as kept aside
// takes that name. Until then every load names it again. False when it stays,
// or its new name was not forced to the disk; the box saying which goes to
// *told.
bool setRecordAside(const PadTreePaths &tree, const ztplatform::FolderAnchor &root, const PadRecovery &recovery,
                    DeviceMessages *told = nullptr);
// The box when the pad did not answer while the record was being kept aside.
DeviceMessage recordAsideUnanswered(const PadRecovery &recovery);

#endif

#ifndef ZT_KITFILE_KITFILES_H
#define ZT_KITFILE_KITFILES_H

// The single-kit files loaded into kit slots: the order they are read in,
// and taking the sounds of one of them out of the kits and the sound list.

#include "model/mainwindow1records.h"
#include "platform/fileidentity.h"

#include <QHash>
#include <QSet>

namespace setupfiles {

using Records = MainWindow1Records;

// Positions in the record of loaded kit files, in the order they are read:
// ascending kit number, record order among equal numbers; a number that k
// files carry is listed k times over.
QVector<int> kitLoadOrder(const QVector<quint8> &numbers);

// True when a source names a sound stored in the kit file (":U" and five
// digits), the file reached by any path: its own text (separators of either
// kind, letter case exact), or another text that names the same file now
// (each text looked at once).
class StoredIn
{
public:
    // The kit file looked at through `disk`.
    StoredIn(ztplatform::Disk &disk, const QString &kitFile);
    bool operator()(const QString &source) const;

private:
    ztplatform::SameFileAs m_file;
};

// The functions below take a kit file reached by any path, as StoredIn does;
// one StoredIn may serve many calls.

// Empties every hi-hat slot and pad layer of the kits whose sound is stored
// in the kit file (source, name, and wave number 0xFFFF).
void clearKitFileSlots(QVector<Records::soundKit> &kits, const StoredIn &storedIn);

// The same for the layers of a kit's pad list.
void clearKitFileLayers(QVector<Records::KIT_PAD_SETTING> &pads, const StoredIn &storedIn);

// Removes the sounds stored in kitFile from the list; how many went.
int removeKitFileSounds(QVector<Records::SOUND_INDEX> &library, const StoredIn &storedIn);

// Where the sounds stored in kitFile stand in its new file, when it was
// written again with `waves` (the new file's sounds in order): source ->
// entry of the new file. The file is looked at through `disk`.
QHash<QString, int> movedSounds(ztplatform::Disk &disk, const QVector<Records::SOUND_INDEX> &waves,
                                const QString &kitFile);

// A kit's sound slot (its place among the kit's hi-hat slots, then pad
// layers) whose sound now stands as `entry` of kitFile.
struct MovedSlot
{
    int kit = 0;
    int slot = 0;
    QString kitFile;
    int entry = 0;
};

// The slots of the kits, but those in `skip` (0-based), whose sound moved;
// `moved` by kit file ('/' separators).
QVector<MovedSlot> movedSlots(const QVector<Records::soundKit> &kits, const QHash<QString, QHash<QString, int>> &moved,
                              const QSet<int> &skip);

// After the kit files were read again: each of the slots that the read-back
// emptied takes the library's sound of its new entry, or of the source that
// entry stands for in `twins`. The kits changed.
QSet<int> repointSlots(QVector<Records::soundKit> &kits, const QVector<MovedSlot> &moves,
                       const QVector<Records::SOUND_INDEX> &library,
                       const QHash<QString, QString> &twins = QHash<QString, QString>());

} // namespace setupfiles

#endif

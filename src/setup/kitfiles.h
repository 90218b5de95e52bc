#ifndef ZT_SETUP_KITFILES_H
#define ZT_SETUP_KITFILES_H

// The single-kit files loaded into kit slots: the order they are read in,
// and taking the sounds of one of them out of the kits and the sound list.

#include "model/mainwindow1records.h"

namespace setupfiles {

using Records = MainWindow1Records;

// Positions in the record of loaded kit files, in the order they are read:
// ascending kit number, record order among equal numbers; a number that k
// files carry is listed k times over.
QVector<int> kitLoadOrder(const QVector<quint8> &numbers);

// True when source names a sound stored in kitFile (":U" and five digits;
// separators of either kind, letter case exact).
bool isStoredIn(const QString &source, const QString &kitFile);

// Empties every hi-hat slot and pad layer of the kits whose sound is stored
// in kitFile (source, name, and wave number 0xFFFF).
void clearKitFileSlots(QVector<Records::soundKit> &kits, const QString &kitFile);

// Removes the sounds stored in kitFile from the list; how many went.
int removeKitFileSounds(QVector<Records::SOUND_INDEX> &library, const QString &kitFile);

} // namespace setupfiles

#endif

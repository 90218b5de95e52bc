#ifndef ZT_KITFILE_MODELOUT_H
#define ZT_KITFILE_MODELOUT_H

// The output kit file model filled from the editor's kits and gathered sounds.

#include "model/mainwindow1records.h"


namespace setupfiles {

using Records = MainWindow1Records;

// The version label's text as the identity chunk stores it ("1.01" gives 257).
quint16 versionFromLabel(const QString &text);

// Packs the kit into element k of the model's kit tables. A whole setup keeps
// kit_no, writes effect number 4 as 10 and `selection` into the first reserved
// byte; a single-kit file writes kit_no k + 1, the kit effects' numbers as
// they are and zero reserved bytes. Both write the active effect's 4 as 10.
void packKit(percussionpadfile &m, int k, const Records::soundKit &kit, bool wholeSetup, int selection = 0);

// Identity (version, backup mark), chunk tags and the 100 kits of a whole
// setup into the model's tables; each kit's waves are brought up to date
// from `waves` first. `selection` gives each kit's first reserved byte.
void fillWholeSetupKits(percussionpadfile &m, QVector<Records::soundKit> &kits, const QVector<int> &selection,
                        const QVector<Records::SOUND_INDEX> &waves, quint16 version, bool backup);
// Tags, kit count and kit k of a single-kit file. The kit's waves are
// resolved on a copy: `kit` itself is left as it is.
void fillSingleKit(percussionpadfile &m, int k, const Records::soundKit &kit,
                   const QVector<Records::SOUND_INDEX> &waves);

// Sound table of a whole setup: the metronome sounds (numbers 10000 + i), then
// the waves; sources from clickWaves / waveList (their ":U" cut, and stored
// back into waveList); both wave-node lists (kitOrder in the second). False
// when the table or the node lists cannot hold them.
bool fillWholeSetupSounds(percussionpadfile &m, const QVector<Records::SOUND_INDEX> &clickSet,
                          const QVector<Records::SOUND_LIST_INFO> &clickWaves,
                          const QVector<Records::SOUND_INDEX> &waves, QVector<Records::SOUND_LIST_INFO> &waveList,
                          const QVector<quint16> &kitOrder);

// Sound table of a single-kit file, numbered 1..n.
bool fillKitFileSounds(percussionpadfile &m, const QVector<Records::SOUND_INDEX> &waves,
                       const QVector<Records::SOUND_LIST_INFO> &waveList);

// The size estimate of a whole setup with these sounds and kitOrderCount
// entries of the kit order, within 4 GiB (exactly 4 GiB passes).
bool wholeSetupWithinLimit(const QVector<Records::SOUND_INDEX> &waves, int kitOrderCount);

} // namespace setupfiles

#endif

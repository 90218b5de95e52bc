#ifndef ZT_KITFILE_SOUNDSIN_H
#define ZT_KITFILE_SOUNDSIN_H

// The sound table of a read kit file turned into records of the editor's
// sound lists. Nothing is taken unless every sound passes its checks.

#include "model/mainwindow1records.h"
#include "model/namerules.h"
#include "kitfile/setuperrors.h"
#include "kitfile/soundbytes.h"

#include <functional>

class QFile;

namespace setupfiles {

using Records = MainWindow1Records;

struct WholeSetupSounds
{
    QVector<Records::SOUND_INDEX> waves;         // numbers as stored
    QVector<Records::SOUND_INDEX> clicks;        // metronome sounds
    QVector<Records::SOUND_LIST_INFO> clickList; // their names and sources
    bool clickFlag = false;                      // five metronome sounds met
    QVector<namerules::NameChange> renamed;      // each sound name the rule changed, in order
};

// Sounds of a whole setup read into pf from `file`. Each entry gets its source
// (also as the entry's fileName); metronome sounds (numbers above 9,999) are
// numbered 10000 + entry, waves by entry or, after five metronome sounds, from 0.
// Refused: a wave whose bytes lie outside the file or do not begin with "RIFF",
// repeated wave numbers or sources, a wave numbered 9,999 or more. On failure
// every fileName of pf is emptied. The waves' names are made unique among
// each other and `inUse` (the groups' sounds), but a wave with the name and
// the bytes of an earlier one, or of a sound of `inUse` (as `bytes` reads
// them), keeps it. `moved` (when given) is called as the file's checks move on.
// The bytes are looked at in `opened` when it is the file open already, else
// in the file opened anew at `file`.
LoadError takeWholeSetupSounds(const QString &file, percussionpadfile &pf, WholeSetupSounds &out,
                               const namerules::NamesInUse &inUse = namerules::NamesInUse(),
                               SoundBytes *bytes = nullptr, const std::function<void()> &moved = {},
                               QFile *opened = nullptr);
// The same for a copy of pf's sound table (soundEntries), which a thread of
// its own may read while pf goes on: `sources` get each entry's source, for
// takeSources; none when a sound is refused.
QVector<percussionpadfile::P_SOUND_INDEX> soundEntries(const percussionpadfile &pf);
LoadError takeWholeSetupSounds(const QString &file, const QVector<percussionpadfile::P_SOUND_INDEX> &entries,
                               WholeSetupSounds &out, QVector<QString> &sources,
                               const namerules::NamesInUse &inUse, SoundBytes *bytes,
                               const std::function<void()> &moved);
// Each entry of pf's sound table takes its source as its fileName; all are
// emptied when `sources` is.
void takeSources(percussionpadfile &pf, const QVector<QString> &sources);

struct KitFileSounds
{
    QVector<Records::SOUND_INDEX> entries; // to append to the working sound list
    QVector<QString> stored;                // each entry's name as the file stores it
    QVector<namerules::NameChange> renamed; // each sound name the rule changed, in order
};

// `renamed` made anew once the entries' names may have changed since the
// rule gave them (`ruled`, entry by entry): each entry whose name is not its
// stored one (up to ".wav"), marked unique when it is not `ruled` either.
void noteRenamedSounds(KitFileSounds &got, const QVector<QString> &ruled);

// Sounds of a single-kit file read into pf from `file`, numbered after the last
// sound of `library` (stored number + its number). Refused: numbers above 9,999
// or equal to one in use, bytes outside the file or not "RIFF". On failure
// every fileName of pf is emptied. Bytes are looked at in `opened` as above.
LoadError takeKitFileSounds(const QString &file, percussionpadfile &pf,
                            const QVector<Records::SOUND_INDEX> &library, KitFileSounds &out,
                            QFile *opened = nullptr);

// The numbers the sounds of a single-kit file read into pf take after the
// last sound of `library` (stored number + its number); refused when one
// passes 9,999 or is in use.
LoadError kitFileNumbers(const percussionpadfile &pf, const QVector<Records::SOUND_INDEX> &library,
                         QVector<int> *numbers = nullptr);

// A kit-file sound's name: cut before ".wav", then the sound-name rule
// (namerules::asciiSoundName); `renamed` when that changed more than the ".wav".
QString fitKitFileSoundName(const QString &name, bool *renamed);

// A sound record of the editor (name as 16 Latin-1 bytes).
Records::SOUND_INDEX soundRecord(const QString &name, const QString &source, quint16 number, quint8 lock,
                                 quint32 cluster, quint32 length, quint32 start, quint32 end);
// The same from a table entry.
Records::SOUND_INDEX soundRecord(const QString &name, const QString &source,
                                 const percussionpadfile::P_SOUND_INDEX &e, quint16 number);

} // namespace setupfiles

#endif

#ifndef ZT_KITFILE_WAVECOLLECT_H
#define ZT_KITFILE_WAVECOLLECT_H

// Gathering the sounds of a save: where each wave's bytes are copied from (a
// range of a loaded kit file, or a raw wave converted into the temporary
// folder) and the wave record the new file gets for it. The results are
// handed back only when every sound was placed.

#include "model/mainwindow1records.h"
#include "kitfile/setuperrors.h"
#include "platform/waiter.h"

#include <QPair>

#include <functional>
#include <memory>

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

namespace setupfiles {

using Records = MainWindow1Records;
class StoredSoundLocator;

// Writes the device form of a plain sound to target; its size, 0 on failure
// (the failure already told to the user).
using RawWaveFn = std::function<quint32(const QString &source, const QString &target)>;
// The conversions a gathering will ask of a RawWaveFn (source, target), in
// its order, before it asks the first: they may begin at once. What it
// returns is held until the gathering ends.
using RawPlanFn = std::function<std::shared_ptr<void>(const QVector<QPair<QString, QString>> &jobs)>;
// Told as the work goes on: a new progress value.
using ProgressFn = std::function<void(int)>;

struct TotalRow
{
    QString name;
    QString path; // the sound's source
};

struct CollectedWaves
{
    QVector<Records::SOUND_LIST_INFO> waveList;
    QVector<Records::SOUND_INDEX> waveAttrList;
};

// Whole setup: one wave per row of the total list, numbered by position; every
// kit slot whose source equals a row's takes that row's position (the later
// row when two share a source); a used slot whose source is on no row stops
// the gathering (SlotMissing). Progress runs from 10 to 60 over the rows,
// then towards 100 over the waves.
CollectError collectWholeSetupWaves(const QVector<TotalRow> &rows, QVector<Records::soundKit> &kits,
                                    const QVector<Records::SOUND_INDEX> &library,
                                    const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                                    const RawWaveFn &rawWave, const ProgressFn &progress, CollectedWaves &out,
                                    const RawPlanFn &plan = {}, const ztplatform::Waiter &wait = {},
                                    StoredSoundLocator *loaded = nullptr,
                                    const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                                    const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);

// `loaded`, when given, is the locator of `files` the job already holds.
// Every file is looked at past `fence` (none: nothing fenced). A file whose
// look is given up on stays silent in `silent` (none: in a registry of the
// call's own) until that look returns.

// Single kit: the distinct sources of the kit's pad layers (A then B) and
// hi-hat slots, numbered in that order into the kit's slots, each wave
// numbered position + 1; kitIndex (0-based) names the kit in messages. The
// estimated file size is tested with each sound, again after a conversion.
CollectError collectKitWaves(Records::soundKit &kit, int kitIndex, const QVector<Records::SOUND_INDEX> &library,
                             const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                             const RawWaveFn &rawWave, CollectedWaves &out, const RawPlanFn &plan = {},
                             const ztplatform::Waiter &wait = {},
                             const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                             const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);

struct CollectedClicks
{
    QVector<Records::SOUND_LIST_INFO> clickWaveList;
    QVector<Records::SOUND_INDEX> clickSetList;
};

// The five metronome slots, one entry each (wave numbers 10000 + slot); a
// source used by an earlier slot shares that slot's bytes. Stored sounds are
// checked against their kit file like the sounds of a whole setup.
CollectError collectClickWaves(const QVector<Records::SOUND_LIST_INFO> &clickList,
                               const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                               const RawWaveFn &rawWave, CollectedClicks &out, const RawPlanFn &plan = {},
                               StoredSoundLocator *loaded = nullptr,
                               const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                               const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);

} // namespace setupfiles

#endif

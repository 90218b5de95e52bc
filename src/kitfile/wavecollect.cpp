#include "kitfile/wavecollect.h"

#include "kitfile/kitslots.h"
#include "kitfile/soundsin.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/disk.h"
#include "platform/timedlook.h"

#include <QDebug>
#include <QFileInfo>
#include <QHash>

#include <optional>

#include <sys/stat.h>

namespace setupfiles {

namespace {

// Size of a single-kit file without sounds: index 32, kit chunk 1999, sound header 12.
constexpr quint64 kKitFileFixed = 2043;

struct Place
{
    QString file;
    quint32 offset = 0;
    quint32 size = 0;
    quint32 cluster = 0;
};

void tell(const ProgressFn &progress, int value)
{
    if (progress)
        progress(value);
}

// Lock byte of the first library sound with each source.
QHash<QString, quint8> firstLocks(const QVector<Records::SOUND_INDEX> &library)
{
    QHash<QString, quint8> locks;
    locks.reserve(library.size());
    for (const Records::SOUND_INDEX &s : library) {
        if (!locks.contains(s.file))
            locks.insert(s.file, s.wave_lock);
    }
    return locks;
}

// Where a stored sound's bytes lie, after checking its kit file.
CollectError locate(StoredSoundLocator &loc, const StoredRef &ref, const QString &source, const QString &name,
                    const CollectError &notLoaded, bool kitWording, Place &out)
{
    const int r = loc.recordOf(ref.kitFile);
    if (r < 0)
        return notLoaded;
    const int e = loc.entryOf(r, source);
    if (e < 0) {
        CollectError err(CollectError::EntryMissing);
        err.path = ref.kitFile;
        return err;
    }
    const CollectError::Kind bad = loc.verify(r, e);
    if (bad != CollectError::None) {
        CollectError err(bad);
        err.path = ref.kitFile;
        err.name = name;
        err.kitWording = kitWording;
        return err;
    }
    const percussionpadfile::P_SOUND_INDEX &entry = loc.entry(r, e);
    out = {source, entry.wave_start, entry.wave_length, entry.start_cluster};
    return CollectError();
}

// A plain sound converted into the temporary folder. A file that is there
// but not converted is named with the sound (a missing one the conversion
// has named with its kits).
CollectError convert(const RawWaveFn &rawWave, const QString &source, const QString &name, const QString &target,
                     Place &out, const ztplatform::Waiter &wait, const std::shared_ptr<ztplatform::FolderFence> &fence,
                     const std::shared_ptr<ztplatform::SilentFiles> &silent)
{
    if (target.isEmpty()) {
        qWarning() << "no temporary folder to convert" << source << "into";
        return CollectError(CollectError::RawFailed);
    }
    const quint32 len = rawWave ? rawWave(source, target) : 0;
    if (len == 0) {
        // A source whose drive does not answer is named like one that did not convert.
        const std::optional<bool> file = ztplatform::lookAtFileWithin<bool>(
                silent, source, ztplatform::kSilentLimitMs,
                [source, fence]() { return ztplatform::lookAtFile(fence, source).type == S_IFREG; }, wait);
        CollectError err(!file || *file ? CollectError::ConvertFailed : CollectError::RawFailed);
        err.path = source;
        err.name = name;
        return err;
    }
    out = {target, 0, len, 0};
    return CollectError();
}

Records::SOUND_INDEX waveRecord(const QString &name, const QString &source, quint16 number, quint8 lock,
                                const Place &place)
{
    return soundRecord(name, source, number, lock, place.cluster, place.size, place.offset, place.size);
}

// The plain sounds among `sources` and their raw waves, `number`
// giving the temporary name of each, handed to `plan`; what it returns.
std::shared_ptr<void> planConversions(const RawPlanFn &plan, const QVector<QString> &sources, const QString &tempDir,
                                      const std::function<int(int)> &number)
{
    if (!plan || tempDir.isEmpty())
        return nullptr;
    QVector<QPair<QString, QString>> jobs;
    for (int i = 0; i < sources.size(); ++i) {
        if (!parseStoredSource(sources.at(i)).isStored())
            jobs.append({sources.at(i), rawWavePath(tempDir, number(i))});
    }
    return jobs.isEmpty() ? nullptr : plan(jobs);
}

QVector<QString> sourcesOf(const QVector<Records::SOUND_LIST_INFO> &waves)
{
    QVector<QString> sources;
    sources.reserve(waves.size());
    for (const Records::SOUND_LIST_INFO &w : waves)
        sources.append(w.file);
    return sources;
}

CollectError notLoaded(CollectError::Kind kind, int number)
{
    CollectError err(kind);
    err.number = number;
    return err;
}

} // namespace

CollectError collectWholeSetupWaves(const QVector<TotalRow> &rows, QVector<Records::soundKit> &kits,
                                    const QVector<Records::SOUND_INDEX> &library,
                                    const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                                    const RawWaveFn &rawWave, const ProgressFn &progress, CollectedWaves &out,
                                    const RawPlanFn &plan, const ztplatform::Waiter &wait,
                                    StoredSoundLocator *loaded, const std::shared_ptr<ztplatform::FolderFence> &fence,
                                    const std::shared_ptr<ztplatform::SilentFiles> &given)
{
    const std::shared_ptr<ztplatform::SilentFiles> silent = ztplatform::orNewSilentFiles(given);
    CollectedWaves got;
    tell(progress, 10);
    const int rowCount = rows.size();
    const float rowStep = rowCount > 0 ? 50.0f / float(rowCount) : 0.0f;
    float p = 10.0f;
    QHash<QString, int> lastRow;
    lastRow.reserve(rowCount);
    for (int i = 0; i < rowCount && i <= WAVE_MAX_COUNT; ++i) {
        p += rowStep;
        tell(progress, int(p));
        const TotalRow &row = rows.at(i);
        lastRow.insert(row.path, i);
        got.waveList.append({row.name, row.path});
    }
    // A slot whose sound is on no row would be saved empty: the save stops.
    QVector<Records::soundKit> renumbered = kits;
    CollectError missing;
    for (int k = 0; k < renumbered.size() && !missing; ++k) {
        int place = 0;
        forEachSoundSlot(renumbered[k], [&](auto slot) {
            const int i = slot.file.isEmpty() ? -1 : lastRow.value(slot.file, -1);
            if (i >= 0) {
                slot.no = quint16(i);
            } else if (!slot.file.isEmpty() && !missing) {
                missing = CollectError(CollectError::SlotMissing);
                missing.number = k + 1;
                missing.slot = place;
                missing.name = slot.name;
                missing.path = slot.file;
            }
            ++place;
        });
    }
    if (missing)
        return missing;
    tell(progress, 60);

    const QHash<QString, quint8> locks = firstLocks(library);
    std::optional<StoredSoundLocator> own;
    StoredSoundLocator &loc = loaded ? *loaded : own.emplace(files, silent, wait, fence);
    const int n = got.waveList.size();
    const std::shared_ptr<void> planned = planConversions(plan, sourcesOf(got.waveList), tempDir, [](int i) { return i; });
    const float step = n > 0 ? 40.0f / float(n) : 0.0f;
    p = 60.0f;
    for (int i = 0; i < n; ++i) {
        Records::SOUND_LIST_INFO &w = got.waveList[i];
        const QString source = w.file;
        const quint8 lock = locks.value(source, 1);
        p += step;
        tell(progress, int(p));
        Place place;
        const StoredRef ref = parseStoredSource(source);
        CollectError err;
        if (ref.isStored()) {
            const bool whole = isWholeSetupPath(ref.kitFile);
            const int kitNo = QFileInfo(ref.kitFile).completeBaseName().mid(2, 3).toInt();
            err = locate(loc, ref, source, w.name,
                         notLoaded(whole ? CollectError::NotLoadedWhole : CollectError::NotLoadedKit, kitNo), false,
                         place);
        } else {
            err = convert(rawWave, source, w.name, rawWavePath(tempDir, i), place, wait, fence, silent);
        }
        if (err)
            return err;
        w = {w.name, place.file, 0, place.offset, place.size};
        got.waveAttrList.append(waveRecord(w.name, source, quint16(i), lock, place));
    }
    kits = renumbered;
    out = got;
    return CollectError();
}

CollectError collectKitWaves(Records::soundKit &kit, int kitIndex, const QVector<Records::SOUND_INDEX> &library,
                             const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                             const RawWaveFn &rawWave, CollectedWaves &out, const RawPlanFn &plan,
                             const ztplatform::Waiter &wait, const std::shared_ptr<ztplatform::FolderFence> &fence,
                             const std::shared_ptr<ztplatform::SilentFiles> &given)
{
    const std::shared_ptr<ztplatform::SilentFiles> silent = ztplatform::orNewSilentFiles(given);
    CollectedWaves got;
    Records::soundKit numbered = kit;
    QHash<QString, int> position;
    auto gather = [&](auto slot) {
        if (slot.file.isEmpty())
            return;
        int i = position.value(slot.file, -1);
        if (i < 0) {
            i = got.waveList.size();
            position.insert(slot.file, i);
            got.waveList.append({slot.name, slot.file});
        }
        slot.no = quint16(i);
    };
    forEachPadLayer(numbered, gather);
    forEachHiHatSlot(numbered, gather);

    const QHash<QString, quint8> locks = firstLocks(library);
    StoredSoundLocator loc(files, silent, wait, fence);
    const std::shared_ptr<void> planned = planConversions(plan, sourcesOf(got.waveList), tempDir, [](int i) { return i; });
    quint64 estimate = kKitFileFixed + quint64(SOUND_ENTRY_SIZE) * quint64(got.waveList.size());
    const quint64 limit = quint64(RAW_DATA_LENGTH_MAX);
    for (int i = 0; i < got.waveList.size(); ++i) {
        Records::SOUND_LIST_INFO &w = got.waveList[i];
        const QString source = w.file;
        const quint8 lock = locks.value(source, 1);
        Place place;
        const StoredRef ref = parseStoredSource(source);
        CollectError err;
        if (ref.isStored()) {
            const std::optional<bool> there =
                    ref.kitFile.isEmpty() ? std::optional<bool>(false)
                                          : ztplatform::lookWithin<bool>(
                                                    ztplatform::kSilentLimitMs, [file = ref.kitFile, fence]() {
                                                        return ztplatform::typeAtPath(ztplatform::diskOf(fence), file) != 0;
                                                    },
                                                    wait);
            if (!there || !*there) {
                // A kit file whose drive does not answer is one that does not open.
                err = CollectError(there ? CollectError::KitFileMissing : CollectError::OpenFailed);
                err.path = ref.kitFile;
                return err;
            }
            err = locate(loc, ref, source, w.name, notLoaded(CollectError::NotLoadedKit, kitIndex + 1), true,
                         place);
            if (err)
                return err;
            estimate += place.size;
        } else {
            const std::optional<qint64> size = ztplatform::lookAtFileWithin<qint64>(
                    silent, source, ztplatform::kSilentLimitMs,
                    [source, fence]() { return qMax<qint64>(ztplatform::lookAtFile(fence, source).size, 0); }, wait);
            if (!size) {
                qWarning().noquote() << "the drive of" << source << "does not answer: the sound is not taken";
                err = CollectError(CollectError::ConvertFailed);
                err.path = source;
                err.name = w.name;
                return err;
            }
            const quint64 sourceSize = quint32(*size);
            estimate += sourceSize;
            if (estimate > limit)
                return CollectError(CollectError::TooLarge);
            err = convert(rawWave, source, w.name, rawWavePath(tempDir, i), place, wait, fence, silent);
            if (err)
                return err;
            estimate = estimate - sourceSize + place.size;
        }
        if (estimate > limit)
            return CollectError(CollectError::TooLarge);
        w = {w.name, place.file, 0, place.offset, place.size};
        got.waveAttrList.append(waveRecord(w.name, source, quint16(i + 1), lock, place));
    }
    kit = numbered;
    out = got;
    return CollectError();
}

CollectError collectClickWaves(const QVector<Records::SOUND_LIST_INFO> &clickList,
                               const QVector<Records::READ_KIT_FILE> &files, const QString &tempDir,
                               const RawWaveFn &rawWave, CollectedClicks &out, const RawPlanFn &plan,
                               StoredSoundLocator *loaded, const std::shared_ptr<ztplatform::FolderFence> &fence,
                               const std::shared_ptr<ztplatform::SilentFiles> &given)
{
    const std::shared_ptr<ztplatform::SilentFiles> silent = ztplatform::orNewSilentFiles(given);
    constexpr int kSlots = 5;
    if (clickList.size() != kSlots)
        return CollectError(CollectError::ClickCount);
    // Each source once, at the slot that first names it.
    QVector<QString> firstSources;
    QVector<int> firstSlots;
    for (int p = 0; p < kSlots; ++p) {
        const QString &source = clickList.at(p).file;
        if (source.isEmpty())
            break;
        if (!firstSources.contains(source)) {
            firstSources.append(source);
            firstSlots.append(p);
        }
    }
    const std::shared_ptr<void> planned =
            planConversions(plan, firstSources, tempDir, [&firstSlots](int i) { return 10000 + firstSlots.at(i); });
    CollectedClicks got;
    std::optional<StoredSoundLocator> own;
    StoredSoundLocator &loc = loaded ? *loaded : own.emplace(files, silent, ztplatform::Waiter(), fence);
    QHash<QString, int> firstSlot;
    for (int p = 0; p < kSlots; ++p) {
        const QString &source = clickList.at(p).file;
        const QString &name = clickList.at(p).name;
        if (source.isEmpty())
            return CollectError(CollectError::ClickCount);
        Place place;
        QString setFile = source;
        const int earlier = firstSlot.value(source, -1);
        if (earlier >= 0) {
            // The same sound again: its bytes are shared.
            const Records::SOUND_LIST_INFO &w = got.clickWaveList.at(earlier);
            place = {w.file, w.offset, w.size, 0};
            setFile = got.clickSetList.at(earlier).file;
        } else {
            firstSlot.insert(source, p);
            const StoredRef ref = parseStoredSource(source);
            CollectError err;
            if (ref.isStored()) {
                err = locate(loc, ref, source, name, CollectError(CollectError::ClickNotLoaded), false, place);
                place.file = ref.kitFile;
                setFile = ref.kitFile;
            } else {
                err = convert(rawWave, source, name, rawWavePath(tempDir, 10000 + p), place, {}, fence, silent);
            }
            if (err)
                return err;
        }
        got.clickWaveList.append({name, place.file, 0, place.offset, place.size});
        place.cluster = 0;
        Records::SOUND_INDEX s = waveRecord(name, setFile, quint16(10000 + p), 1, place);
        got.clickSetList.append(s);
    }
    out = got;
    return CollectError();
}

} // namespace setupfiles

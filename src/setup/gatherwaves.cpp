// The sounds gathered for a save, and the sounds the list holds once that
// move to another loaded kit file on the way.
#include "setup/savesteps.h"

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "setup/kitfileforget.h"
#include "kitfile/kitfiles.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "kitfile/wavecollect.h"

namespace savejob {

namespace {

// Raw waves in the pad's wave form, through the window's conversion.
setupfiles::RawWaveFn rawWaves(const Run &run)
{
    const Hooks &hooks = run.hooks;
    return [&hooks](const QString &source, const QString &target) {
        return hooks.rawFile ? hooks.rawFile(source, target) : quint32(0);
    };
}

// Keeps the gathered waves when nothing failed; notes why otherwise.
bool keepWaves(Run &run, const setupfiles::CollectError &err, const setupfiles::CollectedWaves &waves, Gathered &got)
{
    if (err) {
        noteCollectError(run, err);
        return false;
    }
    got.waveList = waves.waveList;
    got.waveAttrList = waves.waveAttrList;
    return true;
}

} // namespace

void handOver(Run &run)
{
    const QHash<QString, QString> moved = setupjob::handOverFromChangedFiles(run.doc, run.lib, run.hooks.wait);
    if (!moved.isEmpty() && run.hooks.soundsMoved)
        run.hooks.soundsMoved(moved);
}

bool gatherClicks(Run &run, const QString &tempDir, Gathered &got, setupfiles::StoredSoundLocator *loaded)
{
    setupfiles::CollectedClicks clicks;
    const setupfiles::CollectError err =
            setupfiles::collectClickWaves(run.lib.clickList(), run.lib.loadedKitFiles(), tempDir, rawWaves(run),
                                          clicks, run.hooks.rawPlan, loaded, run.lib.fence(), run.lib.silentFiles());
    if (err) {
        noteCollectError(run, err);
        return false;
    }
    got.clickWaveList = clicks.clickWaveList;
    run.lib.takeClickRecords(clicks.clickSetList);
    return true;
}

bool gatherWholeSetup(Run &run, const QString &tempDir, Gathered &got, setupfiles::StoredSoundLocator *loaded)
{
    if (loaded && !loaded->madeFor(run.lib.loadedKitFiles()))
        loaded = nullptr;
    if (!gatherClicks(run, tempDir, got, loaded))
        return false;
    handOver(run);
    if (loaded && !loaded->madeFor(run.lib.loadedKitFiles()))
        loaded = nullptr;
    setupfiles::CollectedWaves waves;
    QVector<Records::soundKit> numbered = run.doc.kitAttrList();
    const setupfiles::CollectError err = setupfiles::collectWholeSetupWaves(
            run.lib.totalRows(), numbered, run.lib.waveLoadKitAttrList(), run.lib.loadedKitFiles(), tempDir,
            rawWaves(run), [&run](int value) { run.moveProgress(value); }, waves, run.hooks.rawPlan, run.hooks.wait,
            loaded, run.lib.fence(), run.lib.silentFiles());
    if (!err)
        run.doc.takeSlotNumbers(numbered);
    return keepWaves(run, err, waves, got);
}

bool gatherKit(Run &run, const QString &tempDir, int kitIndex, Gathered &got)
{
    if (kitIndex < 0 || kitIndex >= run.doc.kitAttrList().size())
        return false;
    handOver(run);
    setupfiles::CollectedWaves waves;
    // The gathering numbers the slots of a copy: the editor's kit keeps its wave numbers.
    Records::soundKit numbered = run.doc.kitAttrList().at(kitIndex);
    const setupfiles::CollectError err = setupfiles::collectKitWaves(
            numbered, kitIndex, run.lib.waveLoadKitAttrList(), run.lib.loadedKitFiles(), tempDir, rawWaves(run),
            waves, run.hooks.rawPlan, run.hooks.wait, run.lib.fence(), run.lib.silentFiles());
    return keepWaves(run, err, waves, got);
}

} // namespace savejob

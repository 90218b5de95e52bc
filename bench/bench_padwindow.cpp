// The pad side through the window, against baselines measured in the same run:
// - the whole load at start (sounds and their rows, metronome sounds, global
//   settings, 100 kits shown) of a pad of 9,999 sounds against one of 1,000
//   (ratio <= 12);
// - the write-back at close of 10 changed kits with 9,999 sounds in the list
//   against 1,000 (ratio <= 1.2: one index of the list, work per kit);
// - the rows of 100 deleted sounds leaving a list of 9,999 against 1,000
//   (ratio <= 12: one pass over the rows).
#include "benchpad.h"
#include "benchsupport.h"
#include "editorbench.h"
#include "mainwindow1/mainwindow1.h"
#include "widgets/dialogs/uiprompter.h"

#include <QElapsedTimer>
#include <QStandardItemModel>

#include <map>
#include <memory>

namespace {

Pad &pad(int count)
{
    static std::map<int, std::unique_ptr<Pad>> pads;
    auto &p = pads[count];
    if (!p)
        p.reset(new Pad(count));
    return *p;
}

// Lists the pads of the run as removable drives while it lives.
struct PadDrives : DriveSource {
    DriveSource *previous = ztplatform::driveSource();
    PadDrives() { ztplatform::setDriveSource(this); }
    ~PadDrives() override { ztplatform::setDriveSource(previous); }
    QVector<DriveEntry> drives() const override { return {{pad(1000).root, true}, {pad(9999).root, true}}; }
};

std::unique_ptr<MainWindow1> loadedWindow(const Pad &p, qint64 *loadNs = nullptr)
{
    std::unique_ptr<MainWindow1> w(new MainWindow1);
    w->writeSoundListOnClose = false;
    QElapsedTimer t;
    t.start();
    w->recvFilePath(p.root);
    if (loadNs)
        *loadNs += t.nsecsElapsed();
    return w;
}

bool padsReady(benchmark::State &state)
{
    if (pad(1000).ok && pad(9999).ok)
        return true;
    state.SkipWithError("cannot lay out the pad trees");
    return false;
}

void BM_PadWindowLoadBySize(benchmark::State &state)
{
    if (!padsReady(state))
        return;
    ScriptedPrompter prompter;
    PadDrives drives;
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadedWindow(pad(1000), &smallNs)->isUDiskFlag);
        benchmark::DoNotOptimize(loadedWindow(pad(9999), &largeNs)->isUDiskFlag);
    }
    if (!prompter.texts().isEmpty())
        state.SkipWithError(qPrintable(prompter.texts().first()));
    reportRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}
BENCHMARK(BM_PadWindowLoadBySize)->Iterations(2)->Unit(benchmark::kMillisecond);

qint64 writeBackTen(MainWindow1 *w)
{
    for (int k = 0; k < 10; ++k)
        w->kitAttrList[k * 10].kit_volume ^= 1;
    QElapsedTimer t;
    t.start();
    benchmark::DoNotOptimize(w->generateOrderFile());
    return t.nsecsElapsed();
}

void BM_PadWindowWriteBackByLibrarySize(benchmark::State &state)
{
    if (!padsReady(state))
        return;
    ScriptedPrompter prompter;
    PadDrives drives;
    std::unique_ptr<MainWindow1> small = loadedWindow(pad(1000));
    std::unique_ptr<MainWindow1> large = loadedWindow(pad(9999));
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        smallNs += writeBackTen(small.get());
        largeNs += writeBackTen(large.get());
    }
    if (small->isUDiskFlag || large->isUDiskFlag)
        state.SkipWithError("the write-back failed");
    reportRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}
BENCHMARK(BM_PadWindowWriteBackByLibrarySize)->Iterations(10)->Unit(benchmark::kMillisecond);

// The completion of a delete batch of 100 sounds, the files already gone.
qint64 deleteRows(const Pad &p)
{
    std::unique_ptr<MainWindow1> w = loadedWindow(p);
    w->delBatchList.clear();
    for (int row = 0; row < 100; ++row)
        w->delBatchList << w->totalGroup->child(row * 9, 2)->text();
    QElapsedTimer t;
    t.start();
    w->completeDeleteBatch();
    const qint64 ns = t.nsecsElapsed();
    benchmark::DoNotOptimize(w->totalGroup->rowCount());
    return ns;
}

void BM_PadWindowDeleteRowsByLibrarySize(benchmark::State &state)
{
    if (!padsReady(state))
        return;
    ScriptedPrompter prompter;
    PadDrives drives;
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        smallNs += deleteRows(pad(1000));
        largeNs += deleteRows(pad(9999));
    }
    reportRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}
BENCHMARK(BM_PadWindowDeleteRowsByLibrarySize)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

// The pad side through the window, against baselines measured in the same run:
// - the whole load at start (sounds and their rows, metronome sounds, global
//   settings, 100 kits shown) of a pad of 9,999 sounds against one of 1,000
//   (ratio <= 12);
// - the write-back at close of 10 changed kits with 9,999 sounds in the list
//   against 1,000 (ratio <= 1.2: the list's rows looked up by file, one per
//   sound of the changed kits, work per kit);
// - the rows of 100 deleted sounds leaving a list of 9,999 against 1,000
//   (ratio <= 12: one pass over the rows).
#include "mainwindow1/library/soundlistscontroller.h"
#include "benchpad.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "benchsupport.h"
#include "document/kitreload.h"
#include "editorbench.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "widgets/dialogs/uiprompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardItemModel>

#include <map>
#include <memory>

namespace {

// Lists the pads of the run as removable drives.
struct PadDrives : DriveSource {
    QVector<DriveEntry> drives() const override { return {{pad(1000).root, true}, {pad(9999).root, true}}; }
};

std::unique_ptr<MainWindow1> loadedWindow(UiPrompter &answers, const Pad &p, qint64 *loadNs = nullptr)
{
    static const PadDrives drives;
    std::unique_ptr<MainWindow1> w(new MainWindow1(benchServices(&answers, &drives)));
    w->soundLists().setWriteSoundListOnClose(false);
    QElapsedTimer t;
    t.start();
    w->padSync().chooseDrive(p.root);
    if (loadNs)
        *loadNs += t.nsecsElapsed();
    return w;
}

// Runs `measure` (nanoseconds of one run) on the pads of 1,000 and 9,999
// sounds in turn and reports the ratio of the medians.
template <class Measure>
void bySize(benchmark::State &state, Measure measure)
{
    if (!pad(1000).ok || !pad(9999).ok) {
        state.SkipWithError("cannot lay out the pad trees");
        return;
    }
    std::vector<qint64> smallNs, largeNs;
    for (auto _ : state) {
        smallNs.push_back(measure(pad(1000)));
        largeNs.push_back(measure(pad(9999)));
    }
    reportMedianRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}

void BM_PadWindowLoadBySize(benchmark::State &state)
{
    ScriptedPrompter prompter;
    bySize(state, [&prompter](const Pad &p) {
        qint64 ns = 0;
        benchmark::DoNotOptimize(loadedWindow(prompter, p, &ns)->pad().isUDiskFlag());
        return ns;
    });
    if (!prompter.texts().isEmpty())
        state.SkipWithError(qPrintable(prompter.texts().first()));
}
BENCHMARK(BM_PadWindowLoadBySize)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_PadWindowWriteBackByLibrarySize(benchmark::State &state)
{
    ScriptedPrompter prompter;
    std::map<const Pad *, std::unique_ptr<MainWindow1>> windows;
    bySize(state, [&windows, &prompter](const Pad &p) {
        std::unique_ptr<MainWindow1> &w = windows[&p];
        if (!w)
            w = loadedWindow(prompter, p);
        for (int k = 0; k < 10; ++k)
            reloadKit(w->doc(), k * 10, [](MainWindow1Records::soundKit &kit) { kit.kit_volume ^= 1; });
        // The records as the files hold them now: an earlier run wrote some.
        QVector<QByteArray> records;
        for (int k = 0; k < w->pad().padKitFiles().size() && k < w->pad().padKitRecords().size(); ++k) {
            QFile f(w->pad().padKitFiles().at(k));
            records << (f.open(QIODevice::ReadOnly) ? f.read(KIT_RECORD_SIZE) : QByteArray());
        }
        w->pad().takeLoadedKits(w->pad().padKitFiles(), records);
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(w->padSync().generateOrderFile());
        return t.nsecsElapsed();
    });
    if (!prompter.texts().filter("Error").isEmpty() || !prompter.texts().filter("not saved").isEmpty())
        state.SkipWithError("the write-back failed");
}
BENCHMARK(BM_PadWindowWriteBackByLibrarySize)->Iterations(20)->Unit(benchmark::kMillisecond);

// The completion of a delete batch of 100 sounds, the files already gone.
void BM_PadWindowDeleteRowsByLibrarySize(benchmark::State &state)
{
    ScriptedPrompter prompter;
    bySize(state, [&prompter](const Pad &p) {
        std::unique_ptr<MainWindow1> w = loadedWindow(prompter, p);
        for (int row = 0; row < 100; ++row)
            w->pad().queueDelete(w->library().totalListItemModel()->soundText(row * 9, 2),
                                 quint16(w->library().totalListItemModel()->soundText(row * 9, 0).toInt()));
        w->pad().beginDeleteBatch(true);
        QElapsedTimer t;
        t.start();
        w->padSync().completeDeleteBatch();
        const qint64 ns = t.nsecsElapsed();
        benchmark::DoNotOptimize(w->library().totalListItemModel()->soundCount());
        return ns;
    });
}
BENCHMARK(BM_PadWindowDeleteRowsByLibrarySize)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

// Whole setups exported and imported through the window (File menu, every
// box answered), each against a baseline measured in the same run:
// - Export All of 2,000 stored sounds of 100 KiB out of a loaded file against
//   a plain copy of the same bytes into one new file, synced to the disk
//   with its folder like the export: goal 1.1 ("export_ratio"); Import All of that file against the
//   same copy: goal 1.1 ("import_ratio"). Each by the medians of its rounds,
//   so that a round slowed by other work on the machine does not decide it;
// - Import All and Export All of 9,999 small sounds against 1,000: goal about
//   12 each ("import_ratio", "export_ratio").

#include "mainwindow1/library/soundlistscontroller.h"
#include "benchsupport.h"
#include "editorbench.h"
#include "setupbench.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/durablefile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

// A window whose boxes and file dialogs are answered.
struct Window
{
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow1> w{new MainWindow1(benchServices(&prompter))};

    Window() { w->soundLists().setWriteSoundListOnClose(false); }

    // The menu action run with `path` as the file chosen; its time.
    qint64 run(QAction *action, const QString &path)
    {
        prompter.clear();
        prompter.fileAnswers.enqueue({path});
        QElapsedTimer t;
        t.start();
        action->trigger();
        return t.nsecsElapsed();
    }
    qint64 importAll(const QString &path, bool *ok)
    {
        const qint64 ns = run(w->form()->actionImport_All, path);
        *ok = *ok && w->library().loadedKitFiles().size() == 1 && w->library().binFilePath() == path;
        return ns;
    }
    qint64 exportAll(const QString &path, bool *ok)
    {
        QFile::remove(path);
        const qint64 ns = run(w->form()->actionExport_All, path);
        *ok = *ok && prompter.titles() == QStringList({QStringLiteral("successfully saved.")});
        return ns;
    }
};

// The bytes of `from` copied into one new file, synced, and its name synced
// as a durable copy's must be. The copy of the round before is removed
// first, as the export's is: freeing its blocks is no part of a copy.
qint64 plainCopy(const QString &from, const QString &to)
{
    QFile::remove(to);
    QElapsedTimer t;
    t.start();
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    std::vector<char> block(size_t(4) << 20);
    for (;;) {
        const qint64 n = in.read(block.data(), qint64(block.size()));
        if (n <= 0 || out.write(block.data(), n) != n)
            break;
    }
    out.flush();
    ztplatform::syncDescriptor(ztplatform::systemDisk(), out.handle());
    out.close();
    ztplatform::syncPath(ztplatform::systemDisk(), QFileInfo(to).absolutePath());
    return t.nsecsElapsed();
}

void BM_LargeSetupVsCopy(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString setup = dir.filePath("BIG.bin");
    if (!writeBenchSetup(setup, 2000, 100 * 1024)) {
        state.SkipWithError("cannot write the setup");
        return;
    }
    Window win;
    bool ok = true;
    win.importAll(setup, &ok);
    std::vector<qint64> exportNs, importNs, copyNs;
    for (auto _ : state) {
        exportNs.push_back(win.exportAll(dir.filePath("OUT.bin"), &ok));
        importNs.push_back(win.importAll(setup, &ok));
        copyNs.push_back(plainCopy(setup, dir.filePath("COPY.bin")));
    }
    if (!ok || QFileInfo(dir.filePath("OUT.bin")).size() < QFileInfo(setup).size()) {
        state.SkipWithError("the export or the import failed");
        return;
    }
    reportMedianRatio(state, "copy_ms", copyNs, "export_ms", exportNs);
    state.counters["export_ratio"] = state.counters["ratio"];
    reportMedianRatio(state, "copy_ms", copyNs, "import_ms", importNs);
    state.counters["import_ratio"] = state.counters["ratio"];
    state.counters.erase("ratio");
    state.counters["goal"] = 1.1;
}
BENCHMARK(BM_LargeSetupVsCopy)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_ManySoundsScaling(benchmark::State &state)
{
    QTemporaryDir dir;
    const int sizes[2] = {1000, WAVE_MAX_COUNT};
    QString setups[2];
    for (int i = 0; i < 2; ++i) {
        setups[i] = dir.filePath(QStringLiteral("SET%1.bin").arg(sizes[i]));
        if (!writeBenchSetup(setups[i], sizes[i], 256)) {
            state.SkipWithError("cannot write the setups");
            return;
        }
    }
    Window win;
    bool ok = true;
    qint64 importNs[2] = {}, exportNs[2] = {};
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            importNs[i] += win.importAll(setups[i], &ok);
            exportNs[i] += win.exportAll(dir.filePath("OUT.bin"), &ok);
        }
    }
    if (!ok) {
        state.SkipWithError("the export or the import failed");
        return;
    }
    reportRatio(state, "import_ms_1000", importNs[0], "import_ms_9999", importNs[1]);
    state.counters["import_ratio"] = state.counters["ratio"];
    reportRatio(state, "export_ms_1000", exportNs[0], "export_ms_9999", exportNs[1]);
    state.counters["export_ratio"] = state.counters["ratio"];
    state.counters.erase("ratio");
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ManySoundsScaling)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

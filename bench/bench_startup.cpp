// Cost of building and showing the editor's main window compared with the
// bare main window form alone (target ratio <= 1.5).
#include "mainwindow1/library/soundlistscontroller.h"
#include "editorbench.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"

#include <QElapsedTimer>

namespace {

qint64 showBareForm()
{
    QElapsedTimer t;
    t.start();
    auto *window = new QMainWindow;
    Ui::MainWindow1 ui;
    ui.setupUi(window);
    window->show();
    QCoreApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    delete window;
    return ns;
}

qint64 showEditorWindow()
{
    QElapsedTimer t;
    ScriptedPrompter answers;
    t.start();
    auto *window = new MainWindow1(benchServices(&answers));
    window->show();
    QCoreApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    window->soundLists().setWriteSoundListOnClose(false);
    delete window;
    return ns;
}

void BM_ShowBareForm(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(showBareForm());
}

void BM_ShowEditorWindow(benchmark::State &state)
{
    double form = 0, editor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form += double(showBareForm());
        state.ResumeTiming();
        editor += double(showEditorWindow());
    }
    state.counters["form_ms"] = form / 1e6 / double(state.iterations());
    state.counters["window_ms"] = editor / 1e6 / double(state.iterations());
    state.counters["ratio"] = form > 0 ? editor / form : 0;
}

BENCHMARK(BM_ShowBareForm)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ShowEditorWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

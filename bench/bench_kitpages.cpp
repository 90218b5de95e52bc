// Kit pages with a small and a large sound library:
// - 100 kit switches on the kit settings page, each committing the kit left,
//   with 1,000 and with 9,999 sounds (target ratio <= 1.2: a switch does not
//   touch the library);
// - re-pointing the kits to renumbered waves, 1,000 waves against 9,999
//   (target ratio <= 12, linear).
#include "mainwindow1/library/soundlistscontroller.h"
#include "document/kitreload.h"
#include "editorbench.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"

#include <QElapsedTimer>
#include <QStandardItemModel>

#include <memory>

namespace {

QString waveFile(int i)
{
    return QStringLiteral("/pad/zt350/WAV_DATA/%1/%2.wav").arg(i / 100 + 1, 3, 10, QLatin1Char('0')).arg(i + 1);
}

// A window whose sound library holds n sounds, the kits using them slot by slot.
std::unique_ptr<MainWindow1> editorWithSounds(UiPrompter &answers, int n)
{
    std::unique_ptr<MainWindow1> w(new MainWindow1(benchServices(&answers)));
    w->soundLists().setWriteSoundListOnClose(false);
    for (int i = 0; i < n; ++i)
        w->library().addSound(QStringLiteral("Sound%1").arg(i + 1), waveFile(i), quint16(i + 1), true);
    // Layer A and B of 17 pads, A of 2 foot switches and 5 hi-hat waves: 43 slots a kit.
    for (int k = 0; k < KIT_MAX_COUNT && k * 43 < n; ++k) {
        reloadKit(w->doc(), k, [k, n](MainWindow1Records::soundKit &kit) {
            for (int slot = k * 43; slot < (k + 1) * 43 && slot < n; ++slot) {
                const int s = slot % 43;
                if (s < 36) {
                    MainWindow1Records::KIT_PAD_SETTING &p = kit.kpadChunk[s / 2];
                    (s % 2 ? p.soundFile1 : p.soundFile0) = waveFile(slot);
                    (s % 2 ? p.bWaveNo : p.aWaveNo) = quint16(slot + 1);
                } else if (s == 36) {
                    kit.kpadChunk[18].soundFile0 = waveFile(slot);
                } else {
                    QString *const files[5] = {&kit.pedalChunk.hh_wave1_file, &kit.pedalChunk.hh_wave2_file,
                                               &kit.pedalChunk.hh_wave3_file, &kit.pedalChunk.hh_wave4_file,
                                               &kit.pedalChunk.hh_wave5_file};
                    if (s - 37 < 5)
                        *files[s - 37] = waveFile(slot);
                }
            }
        });
    }
    return w;
}

// 100 kit switches on the kit settings page: kit 1 up to 100, then back to 99.
qint64 switchKits(MainWindow1 *w)
{
    w->form()->btnSoundKit->click();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 99; ++i)
        w->form()->downPageBtn->click();
    w->form()->upPageBtn->click();
    return t.nsecsElapsed();
}

// Every wave of the library renumbered to the next number.
qint64 renumber(MainWindow1 *w, int waves)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < waves; ++i)
        w->kitPages().updateKitFile(quint16(i + 1), quint16(i + 2), waveFile(i), waveFile(i) + QStringLiteral(".new"));
    return t.nsecsElapsed();
}

// Runs `run` on a window with 1,000 sounds and one with 9,999; reports both and their ratio.
template <class Run>
void compareLibraries(benchmark::State &state, Run run)
{
    double small = 0, large = 0;
    ScriptedPrompter answers;
    for (auto _ : state) {
        state.PauseTiming();
        auto a = editorWithSounds(answers, 1000);
        auto b = editorWithSounds(answers, 9999);
        state.ResumeTiming();
        small += double(run(a.get(), 1000));
        large += double(run(b.get(), 9999));
    }
    state.counters["1000_ms"] = small / 1e6 / double(state.iterations());
    state.counters["9999_ms"] = large / 1e6 / double(state.iterations());
    state.counters["ratio"] = small > 0 ? large / small : 0;
}

void BM_KitSwitches(benchmark::State &state)
{
    compareLibraries(state, [](MainWindow1 *w, int) { return switchKits(w); });
}

void BM_RenumberWaves(benchmark::State &state)
{
    compareLibraries(state, renumber);
}

BENCHMARK(BM_KitSwitches)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RenumberWaves)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

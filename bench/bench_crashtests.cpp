// The suite's crash tests (each action stopped at every call, by the editor
// killed, a power cut or a torn write, then started again on what was left,
// that start stopped too) against their budget: together they may add at most
// 120 s to the suite. Each runs in its own test program, as CTest runs it; the
// programs' start-up, measured in the same run (`-functions`), is taken off.
// Reported: seconds of all crash tests, and their ratio to the budget (goal <= 1).
// Needs the tests built beside the benchmarks (the default build).

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct CrashTest {
    const char *program; // below the build folder
    const char *function;
};

const CrashTest kCrashTests[] = {
    {"tests/platform/platform_test_replacefile", "stoppedAtEveryCall"},
    {"tests/device/device_test_usbupdate", "aStopLeavesEveryPairWholeOrGone"},
    {"tests/device/device_test_usbupdate", "everyStopKeepsEachKit"},
    {"tests/device/device_test_renumber", "aStopIsFinishedOrUndoneAtTheNextLoad"},
    {"tests/device/device_test_renumber", "everyStopKeepsEachKit"},
    {"tests/device/device_test_writeback", "aStopLeavesEachFileOldOrNew"},
    {"tests/device/device_test_writeback", "everyStopKeepsEachKit"},
    {"tests/device/device_test_padjournal", "aStopAnywhereAndAStopInTheRecoveryEndAlike"},
    {"tests/setup/setup_test_savejobs", "savedKitStoppedAnywhereKeepsGroupRowsOnTheirSounds"},
    {"tests/mainwindow1/mainwindow1_test_setupexport", "exportAllStoppedAnywhere"},
    {"tests/mainwindow1/mainwindow1_test_soundexport", "stoppedAtEveryCall"},
    {"tests/mainwindow1/mainwindow1_test_soundlibrary", "closeWriteStoppedAnywhereLeavesOldOrNew"},
    {"tests/mainwindow1/mainwindow1_test_padsync", "aRenumberingCutShortIsFinishedAtTheNextLoad"},
};

constexpr double kBudgetSeconds = 120.0;

// Nanoseconds of one run of `program` with `arguments`; -1 when it is missing or fails.
qint64 timed(const QString &program, const QStringList &arguments)
{
    if (!QFileInfo(program).isExecutable())
        return -1;
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(QFileInfo(program).absolutePath());
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    run.start(program, arguments);
    if (!run.waitForFinished(600000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
        return -1;
    run.readAllStandardOutput();
    return t.nsecsElapsed();
}

void BM_CrashTestsAgainstBudget(benchmark::State &state)
{
    const QString build = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    qint64 crashNs = 0, startNs = 0;
    for (auto _ : state) {
        for (const CrashTest &c : kCrashTests) {
            const QString program = build + QLatin1Char('/') + QLatin1String(c.program);
            const qint64 start = timed(program, {QStringLiteral("-functions")});
            const qint64 crash = timed(program, {QLatin1String(c.function)});
            if (start < 0 || crash < 0) {
                state.SkipWithError(qPrintable(QStringLiteral("cannot run ") + program));
                return;
            }
            startNs += start;
            crashNs += qMax<qint64>(0, crash - start);
        }
    }
    const double iterations = double(state.iterations());
    state.counters["startup_s"] = double(startNs) / iterations / 1e9;
    state.counters["crash_s"] = double(crashNs) / iterations / 1e9;
    state.counters["budget_s"] = kBudgetSeconds;
    state.counters["ratio"] = double(crashNs) / iterations / 1e9 / kBudgetSeconds;
}
BENCHMARK(BM_CrashTestsAgainstBudget)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}

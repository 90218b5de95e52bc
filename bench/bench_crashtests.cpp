// The suite's crash tests (each action stopped at every call, by the editor
// killed, a power cut or a torn write, then started again on what was left,
// that start stopped too) against their budget: together they may add at most
// 120 s to the suite. Each runs in its own test program, as CTest runs it; the
// programs' start-up, measured in the same run (`-functions`), is taken off.
// CI runs them twice, in the test build and in the sanitizer build: each
// further build folder given as `--also=FOLDER` is measured too (a test it
// does not build is left out there) and counts against the same budget.
// Reported: seconds of all crash tests, and their ratio to the budget (goal <= 1).
// Needs the tests built beside the benchmarks (the default build).

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <vector>

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
    {"tests/device/device_test_padjournal", "aTurnedBackChangeAndALaterSaveAreBothEnded"},
    {"tests/setup/setup_test_savejobs", "savedKitStoppedAnywhereKeepsGroupRowsOnTheirSounds"},
    {"tests/mainwindow1/mainwindow1_test_setupexport", "exportAllStoppedAnywhere"},
    {"tests/mainwindow1/mainwindow1_test_setupexport", "kitSaveStoppedAnywhere"},
    {"tests/mainwindow1/mainwindow1_test_soundexport", "stoppedAtEveryCall"},
    {"tests/mainwindow1/mainwindow1_test_soundlibrary", "closeWriteStoppedAnywhereLeavesOldOrNew"},
    {"tests/mainwindow1/mainwindow1_test_padsync", "aRenumberingCutShortIsFinishedAtTheNextLoad"},
};

constexpr double kBudgetSeconds = 120.0;

// Nanoseconds of one run of `program` with `arguments`; -1 when it is missing or fails.
qint64 timed(const QString &given, const QStringList &arguments)
{
    const QString program = QFileInfo(given).absoluteFilePath(); // it runs in its own folder
    if (!QFileInfo(program).isExecutable())
        return -1;
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0")); // as CI runs them
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

QStringList g_otherBuilds; // further build folders, from --also=

// Seconds of the crash tests built in `build`, start-up taken off, into
// *crashNs and *startNs; false when a test there fails. With `all`, every
// test must be there.
bool timeBuild(const QString &build, bool all, qint64 *crashNs, qint64 *startNs, QString *why)
{
    for (const CrashTest &c : kCrashTests) {
        const QString program = build + QLatin1Char('/') + QLatin1String(c.program);
        if (!all && !QFileInfo::exists(program))
            continue;
        const qint64 start = timed(program, {QStringLiteral("-functions")});
        const qint64 crash = timed(program, {QLatin1String(c.function)});
        if (start < 0 || crash < 0) {
            *why = QStringLiteral("cannot run ") + program + QLatin1Char(' ') + QLatin1String(c.function);
            return false;
        }
        *startNs += start;
        *crashNs += qMax<qint64>(0, crash - start);
    }
    return true;
}

void BM_CrashTestsAgainstBudget(benchmark::State &state)
{
    const QString build = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    qint64 crashNs = 0, startNs = 0, otherNs = 0;
    for (auto _ : state) {
        QString why;
        if (!timeBuild(build, true, &crashNs, &startNs, &why)) {
            state.SkipWithError(qPrintable(why));
            return;
        }
        for (const QString &other : qAsConst(g_otherBuilds)) {
            if (!timeBuild(other, false, &otherNs, &startNs, &why)) {
                state.SkipWithError(qPrintable(why));
                return;
            }
        }
    }
    const double iterations = double(state.iterations());
    const double seconds = double(crashNs + otherNs) / iterations / 1e9;
    state.counters["startup_s"] = double(startNs) / iterations / 1e9;
    state.counters["this_build_s"] = double(crashNs) / iterations / 1e9;
    state.counters["other_builds_s"] = double(otherNs) / iterations / 1e9;
    state.counters["crash_s"] = seconds;
    state.counters["budget_s"] = kBudgetSeconds;
    state.counters["ratio"] = seconds / kBudgetSeconds;
}
BENCHMARK(BM_CrashTestsAgainstBudget)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--also="))
            g_otherBuilds << QFile::decodeName(arg.mid(7));
        else
            rest.push_back(argv[i]);
    }
    int count = int(rest.size());
    rest.push_back(nullptr);
    return runQtBenchmarks(count, rest.data());
}

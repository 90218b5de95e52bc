#ifndef ZT_BENCH_BENCHSUPPORT_H
#define ZT_BENCH_BENCHSUPPORT_H

#include <QCoreApplication>

#include <benchmark/benchmark.h>

// Milliseconds per iteration of a measurement and of its baseline from the
// same run, and their ratio (measurement / baseline).
inline void reportRatio(benchmark::State &state, const char *baseName, qint64 baseNs, const char *name, qint64 ns)
{
    const double iterations = double(state.iterations());
    state.counters[baseName] = double(baseNs) / iterations / 1e6;
    state.counters[name] = double(ns) / iterations / 1e6;
    state.counters["ratio"] = baseNs > 0 ? double(ns) / double(baseNs) : 0.0;
}

// Runs the registered benchmarks with a Qt application object alive.
template <class App = QCoreApplication>
int runQtBenchmarks(int argc, char **argv)
{
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#endif

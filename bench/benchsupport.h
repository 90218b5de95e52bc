#ifndef ZT_BENCH_BENCHSUPPORT_H
#define ZT_BENCH_BENCHSUPPORT_H

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

// Milliseconds per iteration of a measurement and of its baseline from the
// same run, and their ratio (measurement / baseline).
inline void reportRatio(benchmark::State &state, const char *baseName, qint64 baseNs, const char *name, qint64 ns)
{
    const double iterations = double(state.iterations());
    state.counters[baseName] = double(baseNs) / iterations / 1e6;
    state.counters[name] = double(ns) / iterations / 1e6;
    state.counters["ratio"] = baseNs > 0 ? double(ns) / double(baseNs) : 0.0;
}

// The same from the run times of each iteration, by their medians: a run slowed
// by the disk or by other work on the machine does not decide the ratio.
inline void reportMedianRatio(benchmark::State &state, const char *baseName, std::vector<qint64> baseNs,
                              const char *name, std::vector<qint64> ns)
{
    auto median = [](std::vector<qint64> &runs) {
        if (runs.empty())
            return qint64(0);
        const size_t middle = (runs.size() - 1) / 2;
        std::nth_element(runs.begin(), runs.begin() + long(middle), runs.end());
        return runs[middle];
    };
    const qint64 base = median(baseNs);
    const qint64 measured = median(ns);
    state.counters[baseName] = double(base) / 1e6;
    state.counters[name] = double(measured) / 1e6;
    state.counters["ratio"] = base > 0 ? double(measured) / double(base) : 0.0;
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

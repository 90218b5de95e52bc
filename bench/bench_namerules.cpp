// The sound-name rule on 9,999 Han names against 9,999 ASCII names, both in
// each iteration. Reported: microseconds per name of each kind, the "ratio"
// Han / ASCII, and the first Han name's milliseconds (the table read from
// ICU's rules once per run). Goal: at most 10 microseconds per Han name.

#include "benchsupport.h"
#include "model/namerules.h"

#include <QElapsedTimer>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

constexpr int kNames = 9999;

// Names of two to five common Han characters, the same in every run.
QStringList hanNames()
{
    QStringList names;
    quint32 seed = 2024;
    for (int i = 0; i < kNames; ++i) {
        QString name;
        for (int k = 2 + i % 4; k > 0; --k) {
            seed = seed * 1103515245u + 12345u;
            name += QChar(ushort(0x4E00 + (seed >> 8) % (0x9FA5 - 0x4E00)));
        }
        names << name;
    }
    return names;
}

QStringList asciiNames()
{
    QStringList names;
    for (int i = 0; i < kNames; ++i)
        names << QStringLiteral("Kick %1 soft").arg(i, 4, 10, QLatin1Char('0'));
    return names;
}

void BM_SoundNameRule(benchmark::State &state)
{
    const QStringList han = hanNames();
    const QStringList ascii = asciiNames();
    QElapsedTimer first;
    first.start();
    benchmark::DoNotOptimize(namerules::asciiSoundName(QString::fromUtf8("底鼓")));
    state.counters["first_han_ms"] = double(first.nsecsElapsed()) / 1e6;
    qint64 hanNs = 0;
    qint64 asciiNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        for (const QString &name : ascii)
            benchmark::DoNotOptimize(namerules::asciiSoundName(name));
        asciiNs += t.nsecsElapsed();
        t.restart();
        for (const QString &name : han)
            benchmark::DoNotOptimize(namerules::asciiSoundName(name));
        hanNs += t.nsecsElapsed();
    }
    const double names = double(state.iterations()) * kNames;
    state.counters["ascii_us"] = double(asciiNs) / names / 1e3;
    state.counters["han_us"] = double(hanNs) / names / 1e3;
    state.counters["ratio"] = asciiNs > 0 ? double(hanNs) / double(asciiNs) : 0.0;
}

} // namespace

BENCHMARK(BM_SoundNameRule)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}

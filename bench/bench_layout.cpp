// Layout of a whole setup (100 kits, every pad layer and hi-hat wave pointing at
// a sound) with 1,000 and with 9,999 sounds, measured in the same run. The
// "ratio" counter is time(9,999) / time(1,000); the layout grows linearly with
// the number of sounds, so it should stay near 10 (at most about 12).

#include "model/percussionpadfile1.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using Model = percussionpadfile;
using PadRow = Model::P_KIT_PAD_SETTING[PAD_NUM_MAX];

struct Setup {
    std::unique_ptr<Model> model{new Model};
    std::vector<Model::P_KIT_BASE_PARA> base = std::vector<Model::P_KIT_BASE_PARA>(KIT_MAX_COUNT);
    std::vector<Model::P_PEDAL_SETTING> pedal = std::vector<Model::P_PEDAL_SETTING>(KIT_MAX_COUNT);
    std::unique_ptr<PadRow[]> pads{new PadRow[KIT_MAX_COUNT]};

    explicit Setup(int waves)
    {
        model->curFlag = 0;
        model->initFileChunk();
        model->kitChunk.baseChunk = base.data();
        model->kitChunk.pedalChunk = pedal.data();
        model->kitChunk.kpadChunk = pads.get();
        model->kitChunk.kit_count = KIT_MAX_COUNT;
        const int n = waves + 5;
        for (int i = 0; i < n; ++i) {
            Model::P_SOUND_INDEX &e = model->soundChunk.soundIndex[i];
            e.wave_No = quint16(i < 5 ? 10000 + i : i - 4);
            e.wave_length = quint32(44 + 4 * (i % 1000));
        }
        model->soundChunk.soundCount = quint16(n);
        // Spread the kits' waves over the whole library, the last ones included.
        int w = 0;
        auto nextWave = [&]() { return quint16(1 + (w++ * 7919) % waves); };
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                pads[k][j].aWaveNo = nextWave();
                pads[k][j].bWaveNo = j < EXTEND_INPUT_NUM ? nextWave() : quint16(0xFFFF);
            }
            Model::P_PEDAL_SETTING &p = pedal[size_t(k)];
            p.hh_wave1_no = nextWave();
            p.hh_wave2_no = nextWave();
            p.hh_wave3_no = nextWave();
            p.hh_wave4_no = nextWave();
            p.hh_wave5_no = nextWave();
        }
    }

    qint64 layoutNs()
    {
        model->curFlag = 0;
        QElapsedTimer t;
        t.start();
        const bool ok = model->calculateChunkSize();
        const qint64 ns = t.nsecsElapsed();
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(model->sound[0].wave_start);
        return ns;
    }
};

void BM_LayoutSmallVsLargeLibrary(benchmark::State &state)
{
    Setup small(1000);
    Setup large(WAVE_MAX_COUNT);
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        smallNs += small.layoutNs();
        largeNs += large.layoutNs();
    }
    const double iters = double(state.iterations());
    state.counters["ns_1000"] = double(smallNs) / iters;
    state.counters["ns_9999"] = double(largeNs) / iters;
    state.counters["ratio"] = smallNs > 0 ? double(largeNs) / double(smallNs) : 0.0;
}

} // namespace

BENCHMARK(BM_LayoutSmallVsLargeLibrary)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

BENCHMARK_MAIN();

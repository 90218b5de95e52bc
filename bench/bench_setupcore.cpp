// The setup files' mapping for 9,999 sounds against the same work for 1,000,
// both measured in each iteration. A save gathers the sounds (stored ones
// probed in their kit file, plain ones "converted" by a stand-in that writes
// nothing), orders them and fills the output model; a load checks a whole
// setup, takes its sounds and turns its 100 kits into editor kits. The
// "ratio" counters are time(9,999) / time(1,000); both should stay at or
// below about 12.

#include "benchsupport.h"
#include "setupbench.h"
#include "kitfile/fileread.h"
#include "kitfile/kitsin.h"
#include "kitfile/modelout.h"
#include "kitfile/soundsin.h"
#include "kitfile/wavecollect.h"
#include "kitfile/waveorder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

using namespace setupfiles;
using Model = percussionpadfile;
constexpr int kPlain = 10; // plain sounds besides the stored ones

struct Setup
{
    QTemporaryDir dir;
    QString file;
    QVector<Records::READ_KIT_FILE> loaded;
    QVector<Records::SOUND_INDEX> library;
    QVector<Records::SOUND_LIST_INFO> clicks;
    QVector<Records::soundKit> kits = QVector<Records::soundKit>(KIT_MAX_COUNT);
    bool ok = false;

    explicit Setup(int sounds)
    {
        // The whole setup the stored sounds come from; its kits use them all.
        file = dir.filePath("SET.bin");
        if (!writeBenchSetup(file, sounds - kPlain, 100))
            return;

        ok = load(true);
        for (int i = 0; i < kPlain; ++i) {
            Records::SOUND_INDEX s;
            s.file = dir.filePath(QStringLiteral("plain%1.wav").arg(i));
            s.wave_No = quint16(library.size() + 1);
            library.append(s);
            kits[i].kpadChunk[0].soundFile0 = s.file;
        }
    }

    // The load's mapping; `keep` keeps the editor state it builds.
    bool load(bool keep)
    {
        Records::READ_KIT_FILE rec;
        KitTables tables;
        if (readWholeSetupFile(file, rec, tables) != LoadError::None)
            return false;
        WholeSetupSounds sounds;
        if (takeWholeSetupSounds(file, rec.info, sounds) != LoadError::None)
            return false;
        const QHash<quint16, int> byNumber = lastByNumber(sounds.waves);
        QVector<Records::soundKit> got(KIT_MAX_COUNT);
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            LoadedKit lk = kitFromFile(rec.info, k, k + 1, true);
            resolveByNumber(lk.kit, sounds.waves, byNumber);
            got[k] = lk.kit;
        }
        if (!keep)
            return true;
        rec.info.kitChunk.baseChunk = nullptr;
        rec.info.kitChunk.pedalChunk = nullptr;
        rec.info.kitChunk.kpadChunk = nullptr;
        kits = got;
        for (Records::SOUND_INDEX s : qAsConst(sounds.waves)) {
            ++s.wave_No;
            library.append(s);
        }
        clicks = sounds.clickList;
        loaded = {rec};
        return true;
    }

    // The save's mapping, up to the laid-out output model.
    bool save()
    {
        const RawWaveFn fakeRaw = [](const QString &, const QString &) { return quint32(4096); };
        CollectedClicks c;
        if (collectClickWaves(clicks, loaded, dir.path(), fakeRaw, c))
            return false;
        QVector<TotalRow> rows;
        rows.reserve(library.size());
        for (const Records::SOUND_INDEX &s : qAsConst(library))
            rows.append({percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX), s.file});
        QVector<Records::soundKit> editing = kits;
        CollectedWaves got;
        if (collectWholeSetupWaves(rows, editing, library, loaded, dir.path(), fakeRaw, {}, got))
            return false;
        const QVector<quint16> order = kitWaveOrder(editing, library, got.waveAttrList);
        std::unique_ptr<Model> m(new Model);
        KitTables tables;
        std::vector<Model::P_SOUND_INDEX> table(WAVE_MAX_COUNT1);
        m->curFlag = 0;
        m->initFileChunk();
        tables.attach(*m);
        m->soundChunk.soundIndex = table.data();
        fillWholeSetupKits(*m, editing, QVector<int>(KIT_MAX_COUNT, 1), got.waveAttrList, 257, false);
        return fillWholeSetupSounds(*m, c.clickSetList, c.clickWaveList, got.waveAttrList, got.waveList,
                                    order)
               && m->calculateChunkSize();
    }
};

Setup &setupOf(int sounds)
{
    static Setup small(1000);
    static Setup large(WAVE_MAX_COUNT);
    return sounds == 1000 ? small : large;
}

template <class Work>
void ratioOf(benchmark::State &state, Work work)
{
    Setup &small = setupOf(1000);
    Setup &large = setupOf(WAVE_MAX_COUNT);
    if (!small.ok || !large.ok) {
        state.SkipWithError("setup failed");
        return;
    }
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        if (!work(small)) {
            state.SkipWithError("1,000 sounds failed");
            return;
        }
        smallNs += t.nsecsElapsed();
        t.restart();
        if (!work(large)) {
            state.SkipWithError("9,999 sounds failed");
            return;
        }
        largeNs += t.nsecsElapsed();
    }
    reportRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}

void BM_SaveMapping(benchmark::State &state)
{
    ratioOf(state, [](Setup &s) { return s.save(); });
}
BENCHMARK(BM_SaveMapping)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_LoadMapping(benchmark::State &state)
{
    ratioOf(state, [](Setup &s) { return s.load(false); });
}
BENCHMARK(BM_LoadMapping)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}

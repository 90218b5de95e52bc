// Saving a whole setup of 100 kits and 2,000 sounds of 100 KiB (~200 MB)
// against a plain copy of the same source bytes into one file, both in the
// same iteration. The "ratio" counter is time(save) / time(copy); it should
// stay at or below about 1.3.
//
// BM_ReadModel reads the model of a whole setup (index, global, kits, sound
// table; no sound bytes) whose sounds are 1 KiB or 100 KiB: the two times
// should be about the same.

#include "model/percussionpadfile1.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QVector>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using Model = percussionpadfile;
using PadRow = Model::P_KIT_PAD_SETTING[PAD_NUM_MAX];

constexpr int kWaves = 2000;
constexpr int kClicks = 5;

QByteArray wav(int totalBytes, quint32 seed)
{
    QByteArray b(totalBytes, '\0');
    std::memcpy(b.data(), "RIFF", 4);
    quint32 x = seed * 2654435761u + 1;
    for (int i = 44; i < totalBytes; i += 4) {
        x = x * 1103515245u + 12345u;
        b[i] = char(x >> 24);
    }
    return b;
}

struct Library {
    QTemporaryDir dir;
    QVector<QString> files; // clicks first, then waves
    QVector<quint32> sizes;
    std::vector<Model::P_KIT_BASE_PARA> base = std::vector<Model::P_KIT_BASE_PARA>(KIT_MAX_COUNT);
    std::vector<Model::P_PEDAL_SETTING> pedal = std::vector<Model::P_PEDAL_SETTING>(KIT_MAX_COUNT);
    std::unique_ptr<PadRow[]> pads{new PadRow[KIT_MAX_COUNT]};
    int outNo = 0;

    explicit Library(int soundBytes)
    {
        for (int i = 0; i < kClicks + kWaves; ++i) {
            const QString p = dir.filePath(QStringLiteral("w%1.wav").arg(i));
            const QByteArray b = wav(soundBytes, quint32(i));
            QFile f(p);
            f.open(QIODevice::WriteOnly);
            f.write(b);
            files << p;
            sizes << quint32(b.size());
        }
        int w = 0;
        auto nextWave = [&]() { return quint16(1 + (w++ * 7919) % kWaves); };
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            Model::str2CharArray(QStringLiteral("KIT%1").arg(k), base[size_t(k)].kit_name, 13);
            base[size_t(k)].kit_no = quint8(k);
            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                pads[k][j].aWaveNo = nextWave();
                pads[k][j].bWaveNo = j < EXTEND_INPUT_NUM ? nextWave() : quint16(0xFFFF);
            }
            pedal[size_t(k)].hh_wave1_no = nextWave();
        }
    }

    QString nextOut() { return dir.filePath(QStringLiteral("out%1.BIN").arg(++outNo)); }

    bool save(Model &m, const QString &path)
    {
        m.curFlag = 0;
        m.initFileChunk();
        m.kitChunk.baseChunk = base.data();
        m.kitChunk.pedalChunk = pedal.data();
        m.kitChunk.kpadChunk = pads.get();
        m.kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
        m.kitChunk.kit_count = KIT_MAX_COUNT;
        QVector<quint16> order;
        for (int i = 0; i < files.size(); ++i) {
            Model::P_SOUND_INDEX &e = m.soundChunk.soundIndex[i];
            std::memset(e.wave_name, 0, sizeof e.wave_name);
            Model::str2CharArray(QStringLiteral("S%1").arg(i), e.wave_name, SOUND_NAME_LENGTH_MAX);
            e.wave_No = quint16(i < kClicks ? 10000 + i : i - kClicks + 1);
            e.wave_lock = 0;
            e.wave_length = sizes[i];
            e.fileName = files[i];
            e.fileOffset = 0;
            e.fileSize = sizes[i];
            if (i >= kClicks)
                order << e.wave_No;
        }
        m.soundChunk.soundCount = quint16(files.size());
        if (!m.setWaveNodeLists(order, order) || !m.calculateChunkSize())
            return false;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        m.writeIdentityChunk(&f);
        m.writeIndexChunk(&f);
        m.writeGlobalChunk(&f);
        m.writeSkitChunk(&f);
        m.writeSkitChunkKit(&f);
        m.writeWaveNodeChunk(&f, 0);
        m.writeWaveNodeChunk(&f, 1);
        return m.writeSoundChunk(&f);
    }

    // The baseline: the same source bytes appended to one file in large blocks.
    bool plainCopy(const QString &path)
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        std::vector<char> block(size_t(4) << 20);
        for (const QString &p : files) {
            QFile in(p);
            if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
                return false;
            qint64 got;
            while ((got = in.read(block.data(), qint64(block.size()))) > 0)
                if (out.write(block.data(), got) != got)
                    return false;
        }
        return true;
    }
};

Library &library(int soundBytes)
{
    static Library big(100 * 1024);
    static std::unique_ptr<Library> small;
    if (soundBytes == 100 * 1024)
        return big;
    if (!small)
        small.reset(new Library(soundBytes));
    return *small;
}

void BM_SaveVsPlainCopy(benchmark::State &state)
{
    Library &lib = library(100 * 1024);
    std::unique_ptr<Model> m(new Model);
    qint64 saveNs = 0;
    qint64 copyNs = 0;
    for (auto _ : state) {
        const QString a = lib.nextOut();
        const QString b = lib.nextOut();
        QElapsedTimer t;
        t.start();
        if (!lib.plainCopy(a)) {
            state.SkipWithError("plain copy failed");
            break;
        }
        copyNs += t.nsecsElapsed();
        t.restart();
        if (!lib.save(*m, b)) {
            state.SkipWithError("save failed");
            break;
        }
        saveNs += t.nsecsElapsed();
        QFile::remove(a);
        QFile::remove(b);
    }
    state.counters["copy_ms"] = benchmark::Counter(double(copyNs) / 1e6 / double(state.iterations()));
    state.counters["save_ms"] = benchmark::Counter(double(saveNs) / 1e6 / double(state.iterations()));
    state.counters["ratio"] = copyNs > 0 ? double(saveNs) / double(copyNs) : 0.0;
}
BENCHMARK(BM_SaveVsPlainCopy)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_ReadModel(benchmark::State &state)
{
    Library &lib = library(int(state.range(0)));
    static QString saved[2];
    QString &path = saved[state.range(0) == 100 * 1024 ? 1 : 0];
    if (path.isEmpty()) {
        std::unique_ptr<Model> m(new Model);
        path = lib.nextOut();
        if (!lib.save(*m, path)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    std::vector<Model::P_KIT_BASE_PARA> base(KIT_MAX_COUNT);
    std::vector<Model::P_PEDAL_SETTING> pedal(KIT_MAX_COUNT);
    std::unique_ptr<PadRow[]> pads(new PadRow[KIT_MAX_COUNT]);
    for (auto _ : state) {
        std::unique_ptr<Model> m(new Model);
        m->curFlag = 0;
        m->initFileChunk();
        QFile f(path);
        bool ok = f.open(QIODevice::ReadOnly) && m->getChunkIndex(&f);
        m->kitChunk.baseChunk = base.data();
        m->kitChunk.pedalChunk = pedal.data();
        m->kitChunk.kpadChunk = pads.get();
        ok = ok && m->readGlobalChunk(&f) && m->readSkitChunk(&f) && m->readSounChunk(&f);
        if (!ok || m->soundChunk.soundCount != kClicks + kWaves) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(m->sound[kWaves].wave_start);
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_ReadModel)->Arg(1024)->Arg(100 * 1024)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

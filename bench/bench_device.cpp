// The pad side against baselines measured in the same run:
// - loading a pad of 9,999 sounds against one of 1,000 (ratio <= 12);
// - writing 10 changed kits back with a library of 9,999 sounds against 1,000
//   (ratio <= 1.2: the list's rows looked up by file, one per sound of the
//   changed kits, as the window keeps them; work per kit);
// - syncing N sounds with the two workers against running the same
//   conversions one after the other (ratio <= 1.1).

#include "device/kitwaves.h"
#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/padsounds.h"
#include "device/syncbatch.h"
#include "device/waveprm.h"
#include "device/writeback.h"
#include "model/audioconverter.h"
#include "benchpad.h"
#include "benchsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <memory>

namespace {

using Records = MainWindow1Records;

void BM_LoadPadBySize(benchmark::State &state)
{
    Pad &small = pad(1000);
    Pad &large = pad(9999);
    if (!small.ok || !large.ok) {
        state.SkipWithError("cannot lay out the pad trees");
        return;
    }
    qint64 smallNs = 0, largeNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(small.load().kits.size());
        smallNs += t.nsecsElapsed();
        t.restart();
        benchmark::DoNotOptimize(large.load().kits.size());
        largeNs += t.nsecsElapsed();
    }
    reportRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}
BENCHMARK(BM_LoadPadBySize)->Iterations(3)->Unit(benchmark::kMillisecond);

// The total list's rows: file, number, name.
struct Row {
    QString file;
    int number;
    QString name;
};

// The rows by file, as the window's index of its list holds them.
QHash<QString, Row> rows(const Pad &p, int count)
{
    QHash<QString, Row> list;
    for (int n = 1; n <= count; ++n) {
        const QString file = QDir::toNativeSeparators(p.dataPath + "/" + padtree::waveDataRelativePath(n));
        list.insert(file, Row{file, n, QString("sound%1").arg(n)});
    }
    return list;
}

// Ten changed kits written back as the window does it: only the files the
// changed kits name are looked up in the list and go into the index.
qint64 writeBackTen(Pad &p, const PadKits &loaded, const QHash<QString, Row> &list)
{
    QVector<Records::soundKit> kits = loaded.kits;
    const QVector<Records::soundKit> original = loaded.kits;
    for (int k = 0; k < 10; ++k)
        kits[k * 10].kit_volume ^= 1;
    QVector<quint8> flags(KIT_MAX_COUNT, 0);
    // The records as the files hold them now: an earlier run wrote some.
    QVector<QByteArray> records;
    for (const QString &file : loaded.kitFiles) {
        QFile f(file);
        records << (f.open(QIODevice::ReadOnly) ? f.read(KIT_RECORD_SIZE) : QByteArray());
    }
    QElapsedTimer t;
    t.start();
    writeback::WriteBackJob job;
    job.kits = &kits;
    job.originalKits = &original;
    job.kitFlags = &flags;
    job.kitPath = p.kitPath;
    job.kitFiles = loaded.kitFiles;
    job.kitRecords = records;
    job.padRoot = ztplatform::FolderAnchor::record(p.root);
    job.sysPath = p.sysPath;
    const QSet<QString> used = writeback::soundFilesToLookUp(job);
    job.waves.reserve(used.size());
    for (const QString &file : used) {
        const auto r = list.constFind(file);
        if (r != list.constEnd())
            job.waves.add(r->file, r->number, r->name);
    }
    benchmark::DoNotOptimize(writeback::writeBack(job).kitsWritten.size());
    return t.nsecsElapsed();
}

void BM_WriteBackByLibrarySize(benchmark::State &state)
{
    Pad &small = pad(1000);
    Pad &large = pad(9999);
    if (!small.ok || !large.ok) {
        state.SkipWithError("cannot lay out the pad trees");
        return;
    }
    const PadKits smallKits = small.load();
    const PadKits largeKits = large.load();
    const QHash<QString, Row> smallRows = rows(small, 1000);
    const QHash<QString, Row> largeRows = rows(large, 9999);
    std::vector<qint64> smallNs, largeNs;
    for (auto _ : state) {
        smallNs.push_back(writeBackTen(small, smallKits, smallRows));
        largeNs.push_back(writeBackTen(large, largeKits, largeRows));
    }
    reportMedianRatio(state, "ms_1000", smallNs, "ms_9999", largeNs);
}
BENCHMARK(BM_WriteBackByLibrarySize)->Iterations(100)->Unit(benchmark::kMillisecond);

constexpr int kSyncSounds = 24;

QString makeTone(const QString &dir, int i)
{
    const QString out = dir + QString("/in%1.wav").arg(i);
    QProcess p;
    p.start(audioconverter::defaultProgram(),
            {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
             QString("sine=frequency=%1:sample_rate=44100:duration=0.5").arg(200 + 20 * i), "-y", out});
    return p.waitForFinished(60000) && p.exitCode() == 0 ? out : QString();
}

void BM_SyncWorkersVsDirect(benchmark::State &state)
{
    QTemporaryDir inputs;
    QVector<SyncBatch::Sound> sounds;
    for (int i = 0; i < kSyncSounds && inputs.isValid(); ++i) {
        const QString tone = makeTone(inputs.path(), i);
        if (tone.isEmpty())
            break;
        sounds << SyncBatch::Sound{i + 1, tone, QString("tone%1").arg(i)};
    }
    if (sounds.size() != kSyncSounds) {
        state.SkipWithError("cannot prepare input files with ffmpeg");
        return;
    }
    qint64 directNs = 0, syncNs = 0;
    for (auto _ : state) {
        QTemporaryDir direct, synced;
        QDir().mkpath(direct.path() + "/data");
        QDir().mkpath(direct.path() + "/prm");
        QDir().mkpath(synced.path() + "/data");
        QDir().mkpath(synced.path() + "/prm");
        QElapsedTimer t;
        t.start();
        audioconverter conv;
        for (const SyncBatch::Sound &s : qAsConst(sounds))
            waveprm::writeDeviceWave(conv, s.waveNo, s.source, s.name, direct.path() + "/data", direct.path() + "/prm",
                                     ztplatform::FolderAnchor::record(direct.path()));
        directNs += t.nsecsElapsed();
        t.restart();
        SyncBatch batch;
        batch.setPadRoot(ztplatform::FolderAnchor::record(synced.path()));
        batch.startAdd(sounds, synced.path() + "/data", synced.path() + "/prm");
        batch.waitForFinished();
        syncNs += t.nsecsElapsed();
    }
    reportRatio(state, "direct_ms", directNs, "workers_ms", syncNs);
}
BENCHMARK(BM_SyncWorkersVsDirect)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}

// The pad side against baselines measured in the same run:
// - loading a pad of 9,999 sounds against one of 1,000 (ratio <= 12);
// - writing 10 changed kits back with a library of 9,999 sounds against 1,000
//   (ratio <= 1.2: the list's rows looked up by file, one per sound of the
//   changed kits, as the window keeps them; work per kit);
// - syncing N sounds with the two workers against running the same
//   conversions one after the other (ratio <= 1.1);
// - deleting 100 sounds against a plain removal of the same 200 files and one
//   sync of each folder (ratio <= 1.3), the pad's root judged by the guard
//   the session puts on it; with .wav files of 60 bytes and of 512 KiB (a
//   drum sound of about three seconds in stereo);
// - adding 100 sounds against the same conversions on the same two threads
//   and a plain copy of the same bytes with one sync per file (ratio <= 1.1).

#include "device/kitwaves.h"
#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/padsounds.h"
#include "device/pairbatch.h"
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

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <thread>

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
        auto tree = [](const QTemporaryDir &d) {
            PadTreePaths t;
            t.sysPath = d.path() + "/sys";
            t.dataPath = d.path() + "/data";
            t.prmPath = d.path() + "/prm";
            for (const QString &folder : {t.sysPath, t.dataPath, t.prmPath})
                QDir().mkpath(folder);
            return t;
        };
        const PadTreePaths directTree = tree(direct), syncedTree = tree(synced);
        QElapsedTimer t;
        t.start();
        audioconverter conv;
        for (const SyncBatch::Sound &s : qAsConst(sounds)) {
            pairbatch::AddBatch one(ztplatform::FolderAnchor::record(direct.path()), directTree);
            if (one.stage(conv, s.waveNo, s.source, s.name) == waveprm::WaveWrite::Written)
                one.commit();
        }
        directNs += t.nsecsElapsed();
        t.restart();
        SyncBatch batch;
        batch.setPad(ztplatform::FolderAnchor::record(synced.path()), syncedTree);
        batch.startAdd(sounds);
        batch.waitForFinished();
        syncNs += t.nsecsElapsed();
    }
    reportRatio(state, "direct_ms", directNs, "workers_ms", syncNs);
}
BENCHMARK(BM_SyncWorkersVsDirect)->Iterations(3)->Unit(benchmark::kMillisecond);

constexpr int kBatchSounds = 100;

QVector<QString> wavPaths(const Pad &p, int count)
{
    QVector<QString> paths;
    for (int n = 1; n <= count; ++n)
        paths << p.dataPath + "/" + padtree::waveDataRelativePath(n);
    return paths;
}

// Forces the folder's entries to the disk.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The folders the pairs of sounds 1 ... count lie in.
QStringList pairFolders(const Pad &p, int count)
{
    QStringList folders;
    for (int n = 1; n <= count; ++n) {
        const QString fff = padtree::threeDigits(padtree::waveFolderNumber(n));
        for (const QString &base : {p.dataPath, p.prmPath}) {
            if (!folders.contains(base + "/" + fff))
                folders << base + "/" + fff;
        }
    }
    return folders;
}

// True when neither file of sounds 1 ... count is on the pad, nor a hidden
// file in their folders.
bool allGone(const Pad &p, int count)
{
    for (const QString &folder : pairFolders(p, count)) {
        if (!QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty())
            return false;
    }
    return true;
}

void BM_DeleteHundredVsPlainRemoval(benchmark::State &state)
{
    std::vector<qint64> plainNs, batchNs;
    for (auto _ : state) {
        Pad plain(kBatchSounds, int(state.range(0))), batched(kBatchSounds, int(state.range(0)));
        if (!plain.ok || !batched.ok) {
            state.SkipWithError("cannot lay out the pad trees");
            return;
        }
        const ztplatform::FolderAnchor root = batched.guardedRoot();
        ::sync(); // the lay-out is not the work measured
        QElapsedTimer t;
        t.start();
        for (int n = 1; n <= kBatchSounds; ++n) {
            ::unlink(QFile::encodeName(plain.dataPath + "/" + padtree::waveDataRelativePath(n)).constData());
            ::unlink(QFile::encodeName(plain.prmPath + "/" + padtree::wavePrmRelativePath(n)).constData());
        }
        for (const QString &folder : pairFolders(plain, kBatchSounds))
            syncFolder(folder);
        plainNs.push_back(t.nsecsElapsed());
        t.restart();
        SyncBatch batch;
        batch.setPad(root, batched.tree());
        batch.startDelete(wavPaths(batched, kBatchSounds));
        batch.waitForFinished();
        batchNs.push_back(t.nsecsElapsed());
        if (!allGone(batched, kBatchSounds) || !allGone(plain, kBatchSounds)) {
            state.SkipWithError("sounds were left on the pad");
            return;
        }
    }
    reportMedianRatio(state, "plain_ms", plainNs, "batch_ms", batchNs);
}
BENCHMARK(BM_DeleteHundredVsPlainRemoval)->Arg(60)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteHundredVsPlainRemoval)->Arg(512 * 1024)->Iterations(7)->Unit(benchmark::kMillisecond);

// Writes `bytes` to a new file at `path` and forces it to the disk.
void copyAndSync(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::fsync(fd);
    ::close(fd);
}

// The same conversions on two threads, each result and its record copied
// into the pad's folders with one sync per file.
void convertAndCopy(const Pad &p, const QVector<SyncBatch::Sound> &sounds)
{
    auto share = [&](int from, int to) {
        audioconverter conv;
        QTemporaryDir work;
        for (int i = from; i < to; ++i) {
            const SyncBatch::Sound &s = sounds.at(i);
            const QString out = work.filePath(QString::number(s.waveNo) + ".wav");
            QString text;
            conv.audioConverterRun(s.source, out, text);
            QFile f(out);
            const QByteArray wav = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            copyAndSync(p.dataPath + "/" + padtree::waveDataRelativePath(s.waveNo), wav);
            copyAndSync(p.prmPath + "/" + padtree::wavePrmRelativePath(s.waveNo),
                        waveprm::buildRecord(quint16(s.waveNo), s.name, quint32(wav.size())));
        }
    };
    const int half = sounds.size() / 2;
    std::thread first(share, 0, half), second(share, half, int(sounds.size()));
    first.join();
    second.join();
}

void BM_AddHundredVsConversionsAndCopy(benchmark::State &state)
{
    QTemporaryDir inputs;
    QVector<QString> tones;
    for (int i = 0; i < 10 && inputs.isValid(); ++i)
        tones << makeTone(inputs.path(), i);
    if (tones.contains(QString()) || tones.size() != 10) {
        state.SkipWithError("cannot prepare input files with ffmpeg");
        return;
    }
    // Sounds 2 ... 101 beside the pad's sound 1.
    QVector<SyncBatch::Sound> sounds;
    for (int n = 2; n <= kBatchSounds + 1; ++n)
        sounds << SyncBatch::Sound{n, tones.at(n % tones.size()), QString("tone%1").arg(n)};
    std::vector<qint64> plainNs, batchNs;
    for (auto _ : state) {
        Pad plain(1), batched(1);
        if (!plain.ok || !batched.ok) {
            state.SkipWithError("cannot lay out the pad trees");
            return;
        }
        const ztplatform::FolderAnchor root = batched.guardedRoot();
        ::sync();
        QElapsedTimer t;
        t.start();
        convertAndCopy(plain, sounds);
        plainNs.push_back(t.nsecsElapsed());
        t.restart();
        SyncBatch batch;
        batch.setPad(root, batched.tree());
        batch.startAdd(sounds);
        batch.waitForFinished();
        batchNs.push_back(t.nsecsElapsed());
    }
    reportMedianRatio(state, "plain_ms", plainNs, "batch_ms", batchNs);
}
BENCHMARK(BM_AddHundredVsConversionsAndCopy)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}

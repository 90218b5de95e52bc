// Whole setups exported and imported through the window (File menu, every
// box answered), each against a baseline measured in the same run:
// - Export All of 2,000 stored sounds of 100 KiB out of a loaded file against
//   a plain copy of the same bytes into one file, synced to the disk like the
//   export: goal 1.3 ("export_ratio"); Import All of that file against the
//   same copy: goal 1.3 ("import_ratio");
// - Import All and Export All of 9,999 small sounds against 1,000: goal about
//   12 each ("import_ratio", "export_ratio").

#include "benchsupport.h"
#include "editorbench.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/durablefile.h"
#include "setup/fileread.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using Model = percussionpadfile;

// A whole setup of five metronome sounds and `sounds` waves of `bytes` bytes
// each (all copied from one wave file), used all over the 100 kits.
bool writeSetup(const QString &path, int sounds, int bytes)
{
    const QString wave = path + QStringLiteral(".wav");
    QByteArray data(bytes, '\x11');
    std::memcpy(data.data(), "RIFF", 4);
    QFile w(wave);
    if (!w.open(QIODevice::WriteOnly) || w.write(data) != data.size())
        return false;
    w.close();

    auto m = std::make_unique<Model>();
    setupfiles::KitTables tables;
    curFlag = 0;
    m->initFileChunk();
    tables.attach(*m);
    m->kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
    m->kitChunk.kit_count = KIT_MAX_COUNT;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        tables.base[size_t(k)].kit_no = quint8(k);
        Model::str2CharArray(QStringLiteral("K%1").arg(k), tables.base[size_t(k)].kit_name, KIT_NAME_FIELD);
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            tables.pad[k][p].aWaveNo = quint16((k * 43 + 2 * p) * 7919 % sounds);
            tables.pad[k][p].bWaveNo = quint16((k * 43 + 2 * p + 1) * 7919 % sounds);
        }
        tables.pedal[size_t(k)].hh_wave1_no = quint16(k % sounds);
    }
    QVector<quint16> order;
    for (int i = 0; i < sounds + 5; ++i) {
        Model::P_SOUND_INDEX &e = m->soundChunk.soundIndex[i];
        Model::str2CharArray(QStringLiteral("S%1").arg(i), e.wave_name, SOUND_NAME_LENGTH_MAX);
        e.wave_No = quint16(i < 5 ? 10000 + i : i - 5);
        e.wave_lock = 1;
        e.wave_length = quint32(bytes);
        e.fileName = wave;
        if (i >= 5)
            order.append(e.wave_No);
    }
    m->soundChunk.soundCount = quint16(sounds + 5);
    QFile out(path);
    return m->setWaveNodeLists(order, order) && m->calculateChunkSize() && out.open(QIODevice::WriteOnly)
           && (m->writeIdentityChunk(&out), m->writeIndexChunk(&out), m->writeGlobalChunk(&out),
               m->writeSkitChunk(&out), m->writeSkitChunkKit(&out), m->writeWaveNodeChunk(&out, 0),
               m->writeWaveNodeChunk(&out, 1), m->writeSoundChunk(&out));
}

// A window whose boxes and file dialogs are answered.
struct Window
{
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow1> w{new MainWindow1};

    Window() { w->writeSoundListOnClose = false; }

    qint64 importAll(const QString &path, bool *ok)
    {
        prompter.clear();
        prompter.fileAnswers.enqueue({path});
        QElapsedTimer t;
        t.start();
        w->ui->actionImport_All->trigger();
        const qint64 ns = t.nsecsElapsed();
        *ok = *ok && w->loadedKitFiles.size() == 1 && w->binFilePath == path;
        return ns;
    }
    qint64 exportAll(const QString &path, bool *ok)
    {
        QFile::remove(path);
        prompter.clear();
        prompter.fileAnswers.enqueue({path});
        QElapsedTimer t;
        t.start();
        w->ui->actionExport_All->trigger();
        const qint64 ns = t.nsecsElapsed();
        *ok = *ok && prompter.titles() == QStringList({QStringLiteral("successfully saved.")});
        return ns;
    }
};

// The bytes of `from` copied into one new file and synced.
qint64 plainCopy(const QString &from, const QString &to)
{
    QElapsedTimer t;
    t.start();
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    std::vector<char> block(size_t(4) << 20);
    for (;;) {
        const qint64 n = in.read(block.data(), qint64(block.size()));
        if (n <= 0 || out.write(block.data(), n) != n)
            break;
    }
    ztplatform::syncFile(out);
    out.close();
    return t.nsecsElapsed();
}

void BM_LargeSetupVsCopy(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString setup = dir.filePath("BIG.bin");
    if (!writeSetup(setup, 2000, 100 * 1024)) {
        state.SkipWithError("cannot write the setup");
        return;
    }
    Window win;
    bool ok = true;
    win.importAll(setup, &ok);
    qint64 exportNs = 0, importNs = 0, copyNs = 0;
    for (auto _ : state) {
        exportNs += win.exportAll(dir.filePath("OUT.bin"), &ok);
        importNs += win.importAll(setup, &ok);
        copyNs += plainCopy(setup, dir.filePath("COPY.bin"));
    }
    if (!ok || QFileInfo(dir.filePath("OUT.bin")).size() < QFileInfo(setup).size()) {
        state.SkipWithError("the export or the import failed");
        return;
    }
    reportRatio(state, "copy_ms", copyNs, "export_ms", exportNs);
    state.counters["export_ratio"] = state.counters["ratio"];
    reportRatio(state, "copy_ms", copyNs, "import_ms", importNs);
    state.counters["import_ratio"] = state.counters["ratio"];
    state.counters.erase("ratio");
    state.counters["goal"] = 1.3;
}
BENCHMARK(BM_LargeSetupVsCopy)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ManySoundsScaling(benchmark::State &state)
{
    QTemporaryDir dir;
    const int sizes[2] = {1000, WAVE_MAX_COUNT};
    QString setups[2];
    for (int i = 0; i < 2; ++i) {
        setups[i] = dir.filePath(QStringLiteral("SET%1.bin").arg(sizes[i]));
        if (!writeSetup(setups[i], sizes[i], 256)) {
            state.SkipWithError("cannot write the setups");
            return;
        }
    }
    Window win;
    bool ok = true;
    qint64 importNs[2] = {}, exportNs[2] = {};
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            importNs[i] += win.importAll(setups[i], &ok);
            exportNs[i] += win.exportAll(dir.filePath("OUT.bin"), &ok);
        }
    }
    if (!ok) {
        state.SkipWithError("the export or the import failed");
        return;
    }
    reportRatio(state, "import_ms_1000", importNs[0], "import_ms_9999", importNs[1]);
    state.counters["import_ratio"] = state.counters["ratio"];
    reportRatio(state, "export_ms_1000", exportNs[0], "export_ms_9999", exportNs[1]);
    state.counters["export_ratio"] = state.counters["ratio"];
    state.counters.erase("ratio");
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ManySoundsScaling)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

// The sound library against baselines measured in the same run; each reports
// its "ratio" counter and the goal it should stay under:
// - importing 20 audio files through the add button and pressing Play on each
//   (ffmpeg converts each one) against running ffmpeg directly with the same
//   arguments on the same files: goal 1.5;
// - loading a "soundlist.xml" of 9,999 sounds against one of 1,000: goal 12;
// - importing 9,999 paths into the total list against 1,000: goal 12.

#include "benchsupport.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "model/audioconverter.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

// One window in a temporary working folder; every prompt answered.
struct Window
{
    QTemporaryDir work;
    QString oldDir = QDir::currentPath();
    NoDrives drives;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow1> w;

    Window()
    {
        ztInitResources();
        ztplatform::setDriveSource(&drives);
        QDir::setCurrent(work.path());
        w.reset(new MainWindow1);
        w->writeSoundListOnClose = false;
    }
    ~Window()
    {
        w.reset();
        QDir::setCurrent(oldDir);
        ztplatform::setDriveSource(nullptr);
    }
    // Empties the total list as a fresh setup has it.
    void clearList()
    {
        w->initTotalItemModel();
        w->initHHListItemModel();
        w->waveLoadKitAttrList.clear();
        w->soundList.clear();
    }
    void importPaths(const QStringList &paths)
    {
        prompter.fileAnswers.enqueue(paths);
        w->ui->tbtAddWave->click();
    }
};

qint64 runDirect(const QString &ffmpeg, const QString &in, const QString &out)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(ffmpeg, {"-i", in, "-ar", "48000", "-ac", "2", "-f", "wav", "-y", out});
    p.waitForFinished(-1);
    p.readAllStandardError();
    return t.nsecsElapsed();
}

void BM_ImportAndPlayVsFfmpeg(benchmark::State &state)
{
    QTemporaryDir inputs;
    const QString ffmpeg = audioconverter::defaultProgram();
    QStringList files;
    for (int i = 0; i < 20; ++i) {
        const QString out = inputs.filePath(QString("sound%1.wav").arg(i));
        QProcess p;
        p.start(ffmpeg, {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                         QString("sine=frequency=%1:sample_rate=44100:duration=1").arg(300 + 20 * i), "-ac", "1",
                         "-c:a", "pcm_s16le", "-y", out});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("cannot prepare input files with ffmpeg");
            return;
        }
        files << QDir::toNativeSeparators(out);
    }
    qint64 direct = 0, library = 0;
    QString failure;
    for (auto _ : state) {
        state.PauseTiming();
        Window win; // a fresh library each time
        MainWindow1 *w = win.w.get();
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        win.importPaths(files);
        for (int r = 0; r < files.size(); ++r) {
            // As a click does: the current row first, then the selection.
            const QModelIndex row = w->totalListItemModel->index(r, 0, w->totalGroup->index());
            QItemSelectionModel *selection = w->ui->totalWaveTreeView->selectionModel();
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
            selection->select(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            w->ui->playBtn2->click();
        }
        library += t.nsecsElapsed();
        if (w->playFileNameOld2 != files.last() || !win.prompter.texts().isEmpty())
            failure = QStringLiteral("the last sound was not prepared for playing");
        w->player2->stop();
        for (int i = 0; i < files.size(); ++i)
            direct += runDirect(ffmpeg, files.at(i), inputs.filePath("direct.wav"));
    }
    if (!failure.isEmpty())
        state.SkipWithError(qPrintable(failure));
    reportRatio(state, "ffmpeg_ms", direct, "library_ms", library);
    state.counters["goal"] = 1.5;
}
BENCHMARK(BM_ImportAndPlayVsFfmpeg)->Iterations(2)->Unit(benchmark::kMillisecond);

// A sound-list file of `sounds` sounds in 20 groups.
QString writeSoundList(const QString &folder, int sounds)
{
    QVector<soundfilexml::strSoundGroup> groups(20);
    for (int i = 0; i < sounds; ++i) {
        soundfilexml::strSoundItem s;
        s.name = QString("Sound %1").arg(i);
        s.file = QString("/library/samples/group%1/sound%2.wav").arg(i % 20).arg(i);
        groups[i % 20].name = QString("Group %1").arg(i % 20);
        groups[i % 20].soundList << s;
    }
    const QString path = QDir(folder).filePath(QString("list%1.xml").arg(sounds));
    soundfilexml::writeSoundFileListXml(path, groups);
    return path;
}

qint64 loadSoundList(MainWindow1 *w, const QString &file)
{
    w->soundListItemModel->clear();
    w->soundGroupList.clear();
    w->leftGroupList.clear();
    for (auto &names : w->leftSoundList)
        names.clear();
    QElapsedTimer t;
    t.start();
    w->importSoundList(w->soundGroupList, w->soundListItemModel, file);
    return t.nsecsElapsed();
}

void BM_LoadSoundList9999Vs1000(benchmark::State &state)
{
    Window win;
    const QString small = writeSoundList(win.work.path(), 1000);
    const QString large = writeSoundList(win.work.path(), 9999);
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        base += loadSoundList(win.w.get(), small);
        big += loadSoundList(win.w.get(), large);
    }
    state.counters["ratio"] = base > 0 ? double(big) / double(base) : 0.0;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_LoadSoundList9999Vs1000)->Iterations(3)->Unit(benchmark::kMillisecond);

qint64 importPaths(Window &win, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << QString("/library/samples/take %1.wav").arg(i);
    win.clearList();
    QElapsedTimer t;
    t.start();
    win.importPaths(paths);
    return t.nsecsElapsed();
}

void BM_ImportPaths9999Vs1000(benchmark::State &state)
{
    Window win;
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        base += importPaths(win, 1000);
        big += importPaths(win, 9999);
    }
    if (win.w->totalGroup->rowCount() != 9999)
        state.SkipWithError("the import did not list every path");
    state.counters["ratio"] = base > 0 ? double(big) / double(base) : 0.0;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ImportPaths9999Vs1000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runQtBenchmarks<QApplication>(argc, argv);
}

// The sound library against baselines measured in the same run; each reports
// its "ratio" counter and the goal it should stay under:
// - importing 20 audio files through the add button and pressing Play on each
//   (ffmpeg converts each one) against running ffmpeg directly with the same
//   arguments on the same files: goal 1.5;
// - loading a "soundlist.xml" of 9,999 sounds against one of 1,000: goal 12;
// - importing 9,999 WAV files into the total list against 1,000: goal 12;
// - importing 200 MP3 files through the add button (each probed by ffmpeg on
//   all cores) against probing them one after another: goal 0.3.

#include "benchsupport.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "library/audioprobe.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "model/audioconverter.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"
#include "support/soundlists.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>

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
        QDir::setCurrent(work.path());
        w.reset(new MainWindow1(WindowServices(&prompter, PadSystem{&drives})));
        w->soundLists().setWriteSoundListOnClose(false);
    }
    ~Window()
    {
        w.reset();
        QDir::setCurrent(oldDir);
    }
    // Empties the total list as a fresh setup has it.
    void clearList()
    {
        w->soundLists().initTotalItemModel();
        w->soundLists().initHHListItemModel();
        w->library().takeSoundRecords({});
        w->library().noteRowNames();
    }
    void importPaths(const QStringList &paths)
    {
        prompter.fileAnswers.enqueue(paths);
        w->form()->tbtAddWave->click();
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
            const QModelIndex row = w->library().totalListItemModel()->soundIndex(r);
            QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
            selection->select(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            w->form()->playBtn2->click();
        }
        library += t.nsecsElapsed();
        if (w->preview().playFileNameOld2() != files.last() || !win.prompter.texts().isEmpty())
            failure = QStringLiteral("the last sound was not prepared for playing");
        w->preview().stopPlayer();
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
    soundlists::write(path, groups);
    return path;
}

// A fresh library opens the groups' file into a group tree's view, as the start does.
qint64 loadSoundList(QTreeView *view, const QString &file)
{
    SoundLibrary lib;
    view->setModel(lib.soundListItemModel());
    QElapsedTimer t;
    t.start();
    lib.openSoundList(file);
    view->expandAll();
    const qint64 spent = t.nsecsElapsed();
    view->setModel(nullptr);
    return spent;
}

void BM_LoadSoundList9999Vs1000(benchmark::State &state)
{
    Window win;
    QTreeView view;
    const QString small = writeSoundList(win.work.path(), 1000);
    const QString large = writeSoundList(win.work.path(), 9999);
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        base += loadSoundList(&view, small);
        big += loadSoundList(&view, large);
    }
    state.counters["ratio"] = base > 0 ? double(big) / double(base) : 0.0;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_LoadSoundList9999Vs1000)->Iterations(3)->Unit(benchmark::kMillisecond);

// `count` small WAV files in `folder`, made once.
QStringList takes(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QByteArray wav = QByteArray("RIFF") + QByteArray(4, '\0') + "WAVEfmt " + QByteArray("\x10\0\0\0\1\0\1\0", 8)
                     + QByteArray("\x40\x1f\0\0\x80\x3e\0\0\2\0\x10\0", 12) + "data" + QByteArray("\x40\0\0\0", 4);
    wav += QByteArray(64, '\1');
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = QDir(folder).filePath(QString("take %1.wav").arg(i));
        QFile f(path);
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.write(wav);
        paths << QDir::toNativeSeparators(path);
    }
    return paths;
}

qint64 importPaths(Window &win, int count)
{
    const QStringList paths = takes(win.work.filePath("takes"), count);
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
    if (win.w->library().totalListItemModel()->soundCount() != 9999)
        state.SkipWithError("the import did not list every path");
    state.counters["ratio"] = base > 0 ? double(big) / double(base) : 0.0;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ImportPaths9999Vs1000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ImportProbeAllCoresVsSerial(benchmark::State &state)
{
    constexpr int kFiles = 200;
    Window win;
    const QString first = win.work.filePath("pick/tone0.mp3");
    QDir().mkpath(win.work.filePath("pick"));
    QProcess p;
    p.start(audioconverter::defaultProgram(), {"-v", "error", "-f", "lavfi", "-i", "sine=duration=2", "-y", first});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        state.SkipWithError("cannot prepare an input file with ffmpeg");
        return;
    }
    QStringList files;
    for (int i = 0; i < kFiles; ++i) {
        const QString path = win.work.filePath(QString("pick/tone%1.mp3").arg(i));
        QFile::copy(first, path);
        files << QDir::toNativeSeparators(path);
    }
    qint64 serial = 0, import = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        int audio = 0;
        for (const QString &f : qAsConst(files))
            audio += audioprobe::probeEach({f}, {}, 1).value(0) == audioprobe::Verdict::Audio ? 1 : 0;
        serial += t.nsecsElapsed();
        win.clearList();
        t.restart();
        win.importPaths(files);
        import += t.nsecsElapsed();
        if (audio != kFiles || win.w->library().totalListItemModel()->soundCount() != kFiles) {
            state.SkipWithError("not every file was taken for audio");
            return;
        }
    }
    reportRatio(state, "serial_ms", serial, "import_ms", import);
    state.counters["goal"] = 0.3;
}
BENCHMARK(BM_ImportProbeAllCoresVsSerial)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runQtBenchmarks<QApplication>(argc, argv);
}

// The total list's delete, renumbering, name order and export against
// baselines measured in the same run; each reports "ratio" and its "goal":
// - deleting 10 % of the rows (spread through the list, a real selection,
//   the delete button) and renumbering, 9,999 sounds against 1,000, with all
//   100 kits using other sounds in their 43 slots: goal 12;
// - deleting all but every hundredth row, then its undo and redo, 9,999
//   sounds against 1,000: goal 12;
// - the ascending name order, 9,999 sounds against 1,000: goal 12;
// - exporting 200 stored sounds of 256 KiB out of one kit file against a
//   plain copy of the same byte ranges, each file synced once and the folder
//   once: goal 1.1;
// - exporting 220 audio files (half a second each, converted by ffmpeg)
//   against converting them one after another: below 1 on a machine with
//   more than one core.

#include "mainwindow1/library/soundlistscontroller.h"
#include "benchsupport.h"
#include "document/kitreload.h"
#include "history/edithistory.h"
#include "editorbench.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "library/exportfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <memory>

namespace {

struct Library
{
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow1> w{new MainWindow1(benchServices(&prompter))};

    // `folder`: where the sounds' files are made (none: the paths name no file).
    explicit Library(int sounds, const QString &folder = QString())
    {
        w->soundLists().setWriteSoundListOnClose(false);
        QVector<MainWindow1Records::SOUND_INDEX> records;
        for (int i = 0; i < sounds; ++i) {
            MainWindow1Records::SOUND_INDEX s;
            percussionpadfile::str2CharArray(QString("Take %1").arg((i * 7919) % sounds), s.wave_name, 16);
            s.file = QString("%1/take%2.wav").arg(folder.isEmpty() ? QString("/library/samples") : folder).arg(i);
            if (!folder.isEmpty()) {
                QFile f(s.file);
                f.open(QIODevice::WriteOnly);
            }
            s.wave_No = quint16(i + 1);
            s.wave_lock = 1;
            records << s;
        }
        w->library().takeSoundRecords(records); // as a load gives them
        for (int k = 0; k < 100; ++k) {
            reloadKit(w->doc(), k, [k](MainWindow1Records::soundKit &kit) {
                for (int p = 0; p < 19; ++p) {
                    kit.kpadChunk[p].soundFile0 = QString("/kits/k%1/a%2.wav").arg(k).arg(p);
                    if (p < 17)
                        kit.kpadChunk[p].soundFile1 = QString("/kits/k%1/b%2.wav").arg(k).arg(p);
                }
                kit.pedalChunk.hh_wave1_file = QString("/kits/k%1/h1.wav").arg(k);
                kit.pedalChunk.hh_wave2_file = QString("/kits/k%1/h2.wav").arg(k);
                kit.pedalChunk.hh_wave3_file = QString("/kits/k%1/h3.wav").arg(k);
                kit.pedalChunk.hh_wave4_file = QString("/kits/k%1/h4.wav").arg(k);
                kit.pedalChunk.hh_wave5_file = QString("/kits/k%1/h5.wav").arg(k);
            });
        }
        w->form()->defaultRbtn->click();
    }
};

qint64 deleteAndRenumber(int sounds)
{
    Library lib(sounds);
    MainWindow1 *w = lib.w.get();
    QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
    int picked = 0;
    for (int r = 5; r < sounds; r += 10, ++picked)
        selection->select(w->library().totalListItemModel()->soundItem(r, 0)->index(),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QElapsedTimer t;
    t.start();
    w->form()->tbtDel->click();
    w->form()->actionReorder_Serial_Numbers->trigger();
    const qint64 ns = t.nsecsElapsed();
    if (w->library().totalListItemModel()->soundCount() != sounds - picked
        || w->library().waveLoadKitAttrList().last().wave_No != w->library().totalListItemModel()->soundCount())
        return -1;
    return ns;
}

void BM_DeleteAndRenumber9999Vs1000(benchmark::State &state)
{
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        const qint64 b = deleteAndRenumber(1000);
        const qint64 l = deleteAndRenumber(9999);
        if (b < 0 || l < 0) {
            state.SkipWithError("the delete or the renumbering did not complete");
            return;
        }
        base += b;
        big += l;
    }
    reportRatio(state, "1000_ms", base, "9999_ms", big);
    state.counters["goal"] = 12;
}
BENCHMARK(BM_DeleteAndRenumber9999Vs1000)->Iterations(2)->Unit(benchmark::kMillisecond);

// Deletes all but every hundredth row through the delete button, then
// undoes and redoes it.
qint64 deleteNearlyAll(int sounds)
{
    QTemporaryDir files;
    Library lib(sounds, files.path());
    MainWindow1 *w = lib.w.get();
    QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
    QItemSelection rows;
    int picked = 0;
    for (int r = 0; r < sounds; ++r) {
        if (r % 100 == 0)
            continue;
        const QModelIndex at = w->library().totalListItemModel()->soundItem(r, 0)->index();
        rows.select(at, at);
        ++picked;
    }
    selection->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QElapsedTimer t;
    t.start();
    w->form()->tbtDel->click();
    if (w->library().totalListItemModel()->soundCount() != sounds - picked)
        return -1;
    w->history().undo();
    if (w->library().totalListItemModel()->soundCount() != sounds)
        return -1;
    w->history().redo();
    const qint64 ns = t.nsecsElapsed();
    if (w->library().totalListItemModel()->soundCount() != sounds - picked)
        return -1;
    return ns;
}

void BM_DeleteNearlyAll9999Vs1000(benchmark::State &state)
{
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        const qint64 b = deleteNearlyAll(1000);
        const qint64 l = deleteNearlyAll(9999);
        if (b < 0 || l < 0) {
            state.SkipWithError("the delete did not complete");
            return;
        }
        base += b;
        big += l;
    }
    reportRatio(state, "1000_ms", base, "9999_ms", big);
    state.counters["goal"] = 12;
}
BENCHMARK(BM_DeleteNearlyAll9999Vs1000)->Iterations(2)->Unit(benchmark::kMillisecond);

qint64 ascending(int sounds)
{
    Library lib(sounds);
    QElapsedTimer t;
    t.start();
    lib.w->form()->upRbtn->click();
    return t.nsecsElapsed();
}

void BM_Ascending9999Vs1000(benchmark::State &state)
{
    qint64 base = 0, big = 0;
    for (auto _ : state) {
        base += ascending(1000);
        big += ascending(9999);
    }
    reportRatio(state, "1000_ms", base, "9999_ms", big);
    state.counters["goal"] = 12;
}
BENCHMARK(BM_Ascending9999Vs1000)->Iterations(2)->Unit(benchmark::kMillisecond);

constexpr int kStored = 200;
constexpr quint32 kWaveBytes = 256 * 1024;

// The same byte ranges copied in 64 KiB blocks into one file each, each file
// synced once and the folder once, as the export does.
qint64 plainCopy(const QString &kitFile, const QString &folder)
{
    QElapsedTimer t;
    t.start();
    QFile in(kitFile);
    in.open(QIODevice::ReadOnly);
    QByteArray buffer(65536, Qt::Uninitialized);
    for (int i = 0; i < kStored; ++i) {
        QFile out(QString("%1/S%2.wav").arg(folder).arg(i));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        in.seek(qint64(i) * kWaveBytes);
        for (qint64 left = kWaveBytes; left > 0;) {
            const qint64 got = in.read(buffer.data(), qMin<qint64>(left, buffer.size()));
            if (got <= 0)
                break;
            out.write(buffer.constData(), got);
            left -= got;
        }
        out.flush();
        ztplatform::syncDescriptor(ztplatform::systemDisk(), out.handle());
    }
    ztplatform::syncPath(ztplatform::systemDisk(), folder);
    return t.nsecsElapsed();
}

void BM_ExportStoredVsCopy(benchmark::State &state)
{
    Library lib(0);
    MainWindow1 *w = lib.w.get();
    QTemporaryDir dir;
    const QString kitFile = dir.filePath("KIT_ALL.BIN");
    {
        QFile f(kitFile);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < kStored; ++i)
            f.write(QByteArray(int(kWaveBytes), char('a' + i % 26)));
    }
    // Recorded as the load records it: the export copies only out of the file as it was loaded.
    MainWindow1Records::READ_KIT_FILE record;
    record.file = kitFile;
    record.fileTotalLength = quint64(QFileInfo(kitFile).size());
    record.stamp = ztplatform::fileStamp(ztplatform::systemDisk(), kitFile);
    record.info.kitFileName = kitFile;
    record.info.soundChunk.soundCount = kStored;
    for (int i = 0; i < kStored; ++i) {
        record.info.sound[size_t(i)].wave_start = quint32(i) * kWaveBytes;
        record.info.sound[size_t(i)].wave_length = kWaveBytes;
        w->library().addSound(QString("S%1").arg(i), QString("%1:U%2").arg(kitFile).arg(i, 5, 10, QChar('0')),
                              quint16(i + 1), true);
    }
    w->library().addLoadedKitFile(record);
    w->form()->totalWaveTreeView->selectAll();

    qint64 base = 0, measured = 0;
    int round = 0;
    for (auto _ : state) {
        const QString copies = dir.filePath(QString("copy%1").arg(round));
        const QString exports = dir.filePath(QString("export%1").arg(round++));
        QDir().mkpath(copies);
        QDir().mkpath(exports);
        base += plainCopy(kitFile, copies);
        lib.prompter.fileAnswers.enqueue({exports});
        QElapsedTimer t;
        t.start();
        lib.w->form()->totalWaveTreeView->exportSoundAction()->trigger();
        measured += t.nsecsElapsed();
        if (QDir(exports).entryList(QDir::Files).size() != kStored) {
            state.SkipWithError("the export did not write every sound");
            return;
        }
    }
    reportRatio(state, "copy_ms", base, "export_ms", measured);
    state.counters["goal"] = 1.1;
}
BENCHMARK(BM_ExportStoredVsCopy)->Iterations(3)->Unit(benchmark::kMillisecond);

constexpr int kConverted = 220;

// The same files converted one after another as the export converts each,
// the folder synced once.
qint64 oneAtATime(const QStringList &sources, const QString &folder)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < sources.size(); ++i) {
        QString err;
        exportfile::convert(sources.at(i), QString("%1/T%2.wav").arg(folder).arg(i), err);
    }
    ztplatform::syncPath(ztplatform::systemDisk(), folder);
    return t.nsecsElapsed();
}

void BM_ExportConvertedVsOneAtATime(benchmark::State &state)
{
    Library lib(0);
    MainWindow1 *w = lib.w.get();
    QTemporaryDir dir;
    const QString tone = dir.filePath("tone.wav");
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=44100:duration=0.5", "-ac", "1", "-y", tone});
    ffmpeg.waitForFinished(60000);
    QFile in(tone);
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    QStringList sources;
    QDir().mkpath(dir.filePath("src"));
    for (int i = 0; i < kConverted; ++i) {
        sources << dir.filePath(QString("src/T%1.wav").arg(i));
        QFile out(sources.last());
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        w->library().addSound(QString("T%1").arg(i), sources.last(), quint16(i + 1), true);
    }
    w->form()->totalWaveTreeView->selectAll();

    qint64 base = 0, measured = 0;
    int round = 0;
    for (auto _ : state) {
        const QString serial = dir.filePath(QString("serial%1").arg(round));
        const QString exports = dir.filePath(QString("export%1").arg(round++));
        QDir().mkpath(serial);
        QDir().mkpath(exports);
        base += oneAtATime(sources, serial);
        lib.prompter.fileAnswers.enqueue({exports});
        QElapsedTimer t;
        t.start();
        lib.w->form()->totalWaveTreeView->exportSoundAction()->trigger();
        measured += t.nsecsElapsed();
        if (QDir(exports).entryList(QDir::Files).size() != kConverted) {
            state.SkipWithError("the export did not write every sound");
            return;
        }
    }
    reportRatio(state, "one_at_a_time_ms", base, "export_ms", measured);
}
BENCHMARK(BM_ExportConvertedVsOneAtATime)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

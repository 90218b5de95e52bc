// What undo and the pad's backups cost, against baselines of the same run:
// - the history of 1,000 edits (kit, pad, chain, sound list and group edits,
//   each its own step) in a window whose list and whose group hold 9,999
//   sounds each: the heap it takes against the same edits made with no
//   history (target <= 20 MB);
// - the undo of an IMPORT of a whole setup of 100 kits and 9,999 sounds
//   into a list of 9,999 sounds, against the import itself (target
//   <= 50 ms);
// - the backup of a pad of 9,999 sounds against the window's load of that
//   pad, which does not wait for it: how much longer the load takes with its
//   backup started beside it than without (target <= 5 %); and the backup's
//   own time (its kit records and settings read from the pad, written with
//   the .prm records the load read as plain files, synced), for a first
//   backup and for a repeat of an unchanged pad (its newest backup read back
//   and renamed), each against the load. The pad and the backups are folders on the system's disk.
#include "benchpad.h"
#include "benchsupport.h"
#include "device/padbackup.h"
#include "document/kitreload.h"
#include "editorbench.h"
#include "history/edithistory.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "setupbench.h"

#include <QElapsedTimer>

#include <malloc.h>

#include <memory>

namespace {

constexpr int kSounds = 9999;

// Sound i's file, made once per run: an undo brings back only sounds whose files are there.
QString waveFile(int i)
{
    static QTemporaryDir sounds;
    static bool made = false;
    const QString folder = sounds.path() + QStringLiteral("/%1").arg(i / 100 + 1, 3, 10, QLatin1Char('0'));
    if (!made) {
        made = true;
        for (int n = 0; n < kSounds; ++n)
            writeFile(sounds.path() + QStringLiteral("/%1/%2.wav").arg(n / 100 + 1, 3, 10, QLatin1Char('0')).arg(n + 1),
                      QByteArray("RIFF"));
    }
    return folder + QStringLiteral("/%1.wav").arg(i + 1);
}

// A window whose list holds `sounds` sounds, every pad of every kit using one.
std::unique_ptr<MainWindow1> filledWindow(UiPrompter &answers, int sounds)
{
    std::unique_ptr<MainWindow1> w(new MainWindow1(benchServices(&answers)));
    w->soundLists().setWriteSoundListOnClose(false);
    for (int i = 0; i < sounds; ++i)
        w->library().addSound(QStringLiteral("Sound%1").arg(i + 1), waveFile(i), quint16(i + 1), true);
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        reloadKit(w->doc(), k, [k, sounds](MainWindow1Records::soundKit &kit) {
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                const int s = (k * PAD_NUM_MAX + p) % sounds;
                kit.kpadChunk[p].soundName0 = QStringLiteral("Sound%1").arg(s + 1);
                kit.kpadChunk[p].soundFile0 = waveFile(s);
                kit.kpadChunk[p].aWaveNo = quint16(s + 1);
            }
        });
    }
    return w;
}

qint64 heapInUse()
{
    malloc_trim(0);
    return qint64(mallinfo2().uordblks);
}

// Edit n of a session: CLEAR, Kit Copy, Pad Copy, a pad's settings, a kit's
// name, a drop, a chain step, a pad layer cleared, a sound renamed, a sound
// added to the group or one of its sounds renamed.
void edit(MainWindow1 *w, int n)
{
    KitDocument &d = w->doc();
    const int k = n % KIT_MAX_COUNT, pad = n % PAD_NUM_MAX;
    if (n % 10 == 9) {
        if (n % 20 == 9)
            w->library().addSoundsToGroup(0, {{QStringLiteral("G%1").arg(n), waveFile(n)}});
        else
            w->library().renameGroupSound(0, n % kSounds, QStringLiteral("R%1").arg(n));
        w->history().endRun();
        return;
    }
    switch (n % 9) {
    case 0: d.clearKit(k); break;
    case 1: d.copyKit((k + 1) % KIT_MAX_COUNT, k); break;
    case 2: d.copyPad(k, pad, (pad + 1) % PAD_NUM_MAX); break;
    case 3: {
        MainWindow1Records::KIT_PAD_SETTING settings = d.kit(k).kpadChunk[pad];
        settings.aWaveVolume = quint8((settings.aWaveVolume + 1) % 100);
        d.takePadPage(k, pad, settings);
        break;
    }
    case 4: d.renameKit(k, QStringLiteral("Edit %1").arg(n)); break;
    case 5: d.setPadSound(k, pad, 1, QStringLiteral("Sound%1").arg(n + 1), waveFile(n)); break;
    case 6: d.setChainStep(n % 8 + 1, n % STEP_MAX_COUNT, n % KIT_MAX_COUNT + 1); break;
    case 7: d.clearPad(k, pad, 0); break;
    default: w->library().renameSound(n % kSounds, QStringLiteral("R%1").arg(n)); break;
    }
    w->history().endRun(); // each its own step
}

// Heap taken by 1,000 edits, the history paused (the baseline) or not.
qint64 thousandEdits(bool withHistory, int *steps, qint64 *kept)
{
    ScriptedPrompter answers;
    auto w = filledWindow(answers, kSounds);
    {
        const editstep::Recorder::Paused loading(&w->history().recorder());
        QVector<SoundLibrary::GroupSound> group;
        for (int i = 0; i < kSounds; ++i)
            group.append({QStringLiteral("G%1").arg(i), waveFile(i)});
        w->library().addSoundsToGroup(0, group);
    }
    const qint64 before = heapInUse();
    {
        std::unique_ptr<editstep::Recorder::Paused> off;
        if (!withHistory)
            off.reset(new editstep::Recorder::Paused(&w->history().recorder()));
        for (int n = 0; n < 1000; ++n)
            edit(w.get(), n);
    }
    const qint64 grown = heapInUse() - before;
    *steps = w->history().stack().count();
    *kept = w->history().size();
    return grown;
}

void BM_HistoryOfThousandEdits(benchmark::State &state)
{
    qint64 base = 0, measured = 0, kept = 0;
    int steps = 0, noSteps = 0;
    for (auto _ : state) {
        qint64 unused = 0;
        base += thousandEdits(false, &noSteps, &unused);
        measured += thousandEdits(true, &steps, &kept);
    }
    const double n = double(state.iterations());
    state.counters["steps"] = steps;
    state.counters["baseline_MB"] = double(base) / n / 1e6;
    state.counters["history_MB"] = double(measured - base) / n / 1e6;
    state.counters["steps_say_MB"] = double(kept) / 1e6;
    if (steps != 1000 || noSteps != 0)
        state.SkipWithError("not one step per edit");
}
BENCHMARK(BM_HistoryOfThousandEdits)->Iterations(2)->Unit(benchmark::kMillisecond);


void BM_UndoImportOfHundredKits(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString setup = dir.filePath(QStringLiteral("KIT_ALL.BIN"));
    if (!writeBenchSetup(setup, kSounds, 64)) {
        state.SkipWithError("cannot write the setup");
        return;
    }
    std::vector<qint64> importNs, undoNs, redoNs;
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        auto w = filledWindow(prompter, kSounds);
        prompter.fileAnswers.enqueue({setup});
        QElapsedTimer t;
        t.start();
        w->form()->actionImport_All->trigger();
        importNs.push_back(t.nsecsElapsed());
        const bool imported = w->history().stack().count() == 1
                && w->library().waveLoadKitAttrList().size() == kSounds
                && w->library().waveLoadKitAttrList().first().file.startsWith(setup);
        t.restart();
        w->history().undo();
        undoNs.push_back(t.nsecsElapsed());
        const bool undone = w->history().stack().index() == 0 && w->library().waveLoadKitAttrList().size() == kSounds
                && w->library().waveLoadKitAttrList().first().file == waveFile(0);
        t.restart();
        w->history().redo();
        redoNs.push_back(t.nsecsElapsed());
        state.ResumeTiming();
        if (!imported || !undone) {
            state.SkipWithError(prompter.texts().isEmpty() ? "the import was not undone"
                                                           : qPrintable(prompter.texts().join(QLatin1Char(' '))));
            return;
        }
    }
    std::vector<qint64> redoCopy = redoNs;
    reportMedianRatio(state, "import_ms", importNs, "undo_ms", undoNs);
    std::nth_element(redoCopy.begin(), redoCopy.begin() + long((redoCopy.size() - 1) / 2), redoCopy.end());
    state.counters["redo_ms"] = double(redoCopy[(redoCopy.size() - 1) / 2]) / 1e6;
}
BENCHMARK(BM_UndoImportOfHundredKits)->Iterations(3)->Unit(benchmark::kMillisecond);

// Lists the pad of the run as a removable drive.
struct PadDrive : DriveSource
{
    QVector<DriveEntry> drives() const override { return {{pad(kSounds).root, true}}; }
};

// The window's load of the pad, its backup started beside it unless
// `withBackup` is false; the backup is waited for afterwards, untimed.
qint64 timedLoad(UiPrompter &answers, bool withBackup, bool *ok)
{
    static const PadDrive drive;
    QDir(padbackup::backupsRoot()).removeRecursively(); // the load's backup is a first one
    std::unique_ptr<MainWindow1> w(new MainWindow1(benchServices(&answers, &drive)));
    w->soundLists().setWriteSoundListOnClose(false);
    if (!withBackup)
        w->padSync().skipBackups();
    QElapsedTimer t;
    t.start();
    w->padSync().chooseDrive(pad(kSounds).root);
    const qint64 ns = t.nsecsElapsed();
    w->padSync().waitForBackup();
    *ok = !w->pad().isUDiskFlag() && (padbackup::list(w->pad().backupDisk(), w->padSync().backupFolder()).size() == (withBackup ? 1 : 0));
    return ns;
}

// The backup alone, of the pad of the run, into `folder`: its settings read
// below its root, and written with its .prm records (the load hands over
// those it read: reading them again is no part of the backup).
qint64 backUp(const QString &folder, bool *reused)
{
    const Pad &p = pad(kSounds);
    const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(p.root);
    PadTreePaths tree = p.tree();
    tree.wavePrmList = p.folders(p.prmPath);
    const QVector<padbackup::File> prm = padbackup::readPrmRecords(root, tree);
    QElapsedTimer t;
    t.start();
    const QVector<padbackup::File> settings = padbackup::readSettings(root, tree);
    const padbackup::Written written = padbackup::write(folder, QDateTime::currentDateTime(), settings, prm);
    const qint64 ns = t.nsecsElapsed();
    *reused = written.reused;
    return written.ok && settings.size() > KIT_MAX_COUNT && prm.size() == kSounds ? ns : -1;
}

double medianMs(std::vector<qint64> runs)
{
    const size_t middle = (runs.size() - 1) / 2;
    std::nth_element(runs.begin(), runs.begin() + long(middle), runs.end());
    return double(runs[middle]) / 1e6;
}

void BM_PadBackupAgainstLoad(benchmark::State &state)
{
    if (!pad(kSounds).ok) {
        state.SkipWithError("cannot lay out the pad tree");
        return;
    }
    ScriptedPrompter prompter;
    std::vector<qint64> plainNs, besideNs, firstNs, repeatNs;
    for (auto _ : state) {
        bool loadedPlain = false, loadedBeside = false;
        // Taken in turn, so that neither gains from the other's cache.
        plainNs.push_back(timedLoad(prompter, false, &loadedPlain));
        besideNs.push_back(timedLoad(prompter, true, &loadedBeside));
        QTemporaryDir backups;
        bool reusedFirst = true, reusedRepeat = false;
        firstNs.push_back(backUp(backups.filePath(QStringLiteral("pad")), &reusedFirst));
        repeatNs.push_back(backUp(backups.filePath(QStringLiteral("pad")), &reusedRepeat));
        if (!loadedPlain || !loadedBeside || firstNs.back() < 0 || repeatNs.back() < 0 || reusedFirst
            || !reusedRepeat) {
            state.SkipWithError("the pad was not loaded or backed up");
            return;
        }
    }
    const double plain = medianMs(plainNs), beside = medianMs(besideNs);
    state.counters["load_ms"] = plain;
    state.counters["load_with_backup_ms"] = beside;
    state.counters["ratio"] = (beside - plain) / plain; // the load's own slowdown (target <= 0.05)
    state.counters["first_backup_ms"] = medianMs(firstNs);
    state.counters["first_ratio"] = medianMs(firstNs) / plain;
    state.counters["repeat_backup_ms"] = medianMs(repeatNs);
    state.counters["repeat_ratio"] = medianMs(repeatNs) / plain;
}
BENCHMARK(BM_PadBackupAgainstLoad)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

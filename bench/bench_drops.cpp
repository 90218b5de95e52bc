// Drops with a small and a large sound library, each against a baseline of
// the same run:
// - a pad drop of a known sound held in the last row, 1,000 against 9,999
//   sounds (target ratio <= 1.2: one lookup by path, no scan);
// - a drop of 100 group sounds onto the setup's list on the pad, 1,000 against
//   9,899 sounds (target <= 1.2);
// - 100 sound files dropped on a group of 1,000 against 9,999 sounds, each a
//   step of the history (target <= 3);
// - group edits at 9,999 rows (100 files dropped on the group, one of them
//   renamed, the 100 deleted), each a step of the history, against the same
//   edits with the history paused (target <= 1.2: a step keeps the rows it
//   changed, never the group);
// - 10,000 drag moves over a pad against the same events on a widget whose
//   filter returns at once (target <= 2: the pads' acceptance is applied only
//   when it changes).
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "benchsupport.h"
#include "history/edithistory.h"
#include "editorbench.h"
#include "library/dragpayload.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDataStream>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardItemModel>
#include <QUrl>

#include <memory>

namespace {

// Paths in the working folder; only the sounds dropped on pads are made.
QString soundPath(int i)
{
    return QDir::current().filePath(QStringLiteral("sounds/%1/sound%2.wav").arg(i / 100).arg(i));
}

void makeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

// A sound file the drops take: PCM, 48 kHz, 16 bits, mono, 10 ms.
void makeWave(const QString &path)
{
    const quint32 data = 960;
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(48000) << quint32(96000) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << data;
    wave.append(QByteArray(int(data), '\0'));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(wave);
}

// A shown window whose setup holds n sounds and whose group tree holds `group` sounds.
std::unique_ptr<MainWindow1> editor(UiPrompter &answers, int n, int group = 0)
{
    std::unique_ptr<MainWindow1> w(new MainWindow1(benchServices(&answers)));
    w->soundLists().setWriteSoundListOnClose(false);
    // The pad's writer is not run.
    QObject::disconnect(&w->soundFiles(), &SoundFilesController::padAddsQueued, &w->padSync(), nullptr);
    QObject::disconnect(&w->soundLists(), &SoundListsController::padDeleteQueued, &w->padSync(), nullptr);
    QObject::disconnect(&w->setupFiles(), &SetupFilesController::padUpdateWanted, &w->padSync(), nullptr);
    QObject::disconnect(&w->shell(), &ShellController::padAddsQueued, &w->padSync(), nullptr);
    w->resize(1400, 900);
    w->show();
    for (int i = 0; i < n; ++i)
        w->library().addSound(QStringLiteral("Sound%1").arg(i + 1), soundPath(i), quint16(i + 1), true);
    w->library().soundRowOf(QString()); // the path and name indexes are built once, as after a load
    w->library().soundNameIndex();
    QVector<SoundLibrary::GroupSound> sounds;
    for (int i = 0; i < group; ++i)
        sounds.append({QStringLiteral("G%1").arg(i), soundPath(i)});
    w->library().addSoundsToGroup(0, sounds);
    return w;
}

// Enter, move and drop at `pos` of `target`.
void drag(QWidget *target, const QPoint &pos, const QMimeData *mime)
{
    QDragEnterEvent enter(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

QPoint labelCentre(MainWindow1 *w, int pad)
{
    const QLabel *label = w->mainPadPage().padWidgetGroup()[pad].lableA;
    return label->mapTo(w->mainPadPage().padWidgetGroup()[pad].group, label->rect().center());
}

// 200 drops of the sound in the last row onto pad 1.
qint64 padDrops(MainWindow1 *w, int n)
{
    QMimeData mime;
    mime.setData(dragpayload::MIME_FORMAT, dragpayload::record(QStringLiteral("Last"), soundPath(n - 1)).toUtf8());
    makeFile(soundPath(n - 1));
    QWidget *pad = w->mainPadPage().padWidgetGroup()[0].group;
    const QPoint at = labelCentre(w, 0);
    drag(pad, at, &mime);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 200; ++i)
        drag(pad, at, &mime);
    return t.nsecsElapsed();
}

// One drop of 100 new group sounds onto the setup's list, on the pad.
qint64 listDrop(MainWindow1 *w, int n)
{
    QString payload;
    for (int i = 0; i < 100; ++i)
        payload += dragpayload::record(QStringLiteral("New%1").arg(i), soundPath(n + i)) + QLatin1Char('#');
    QMimeData mime;
    mime.setData(dragpayload::MIME_FORMAT, payload.toUtf8());
    QWidget *page = w->form()->right_stackedWidgetPage1;
    const QPoint at = w->form()->totalWaveTreeView->mapTo(page, w->form()->totalWaveTreeView->rect().center());
    QElapsedTimer t;
    t.start();
    drag(page, at, &mime);
    const qint64 ns = t.nsecsElapsed();
    QVector<MainWindow1Records::SOUND_INDEX> records = w->library().waveLoadKitAttrList();
    records.resize(n);
    w->library().takeSoundRecords(records);
    return ns;
}

// One drop of 100 audio files onto the group tree.
qint64 fileDrop(MainWindow1 *w, const QList<QUrl> &files)
{
    QMimeData mime;
    mime.setUrls(files);
    QWidget *page = w->form()->left_stackedSoundWidget;
    const int before = w->library().soundGroupList().at(0).soundList.size();
    QElapsedTimer t;
    t.start();
    drag(page, page->rect().center(), &mime);
    const qint64 ns = t.nsecsElapsed();
    QVector<int> dropped;
    for (int r = before; r < w->library().soundGroupList().at(0).soundList.size(); ++r)
        dropped << r;
    w->library().deleteFromGroups({}, {{0, dropped}});
    return ns;
}

// The group edits of a user at the group tree: 100 files dropped on the
// group, one of them renamed, the 100 deleted.
qint64 groupEdits(MainWindow1 *w, const QList<QUrl> &files)
{
    QMimeData mime;
    mime.setUrls(files);
    QWidget *page = w->form()->left_stackedSoundWidget;
    SoundLibrary &lib = w->library();
    const int before = lib.soundGroupList().at(0).soundList.size();
    QElapsedTimer t;
    t.start();
    drag(page, page->rect().center(), &mime);
    lib.renameGroupSound(0, before, QStringLiteral("Renamed"));
    QVector<int> dropped;
    for (int r = before; r < lib.soundGroupList().at(0).soundList.size(); ++r)
        dropped << r;
    lib.deleteFromGroups({}, {{0, dropped}});
    return dropped.size() == files.size() ? t.nsecsElapsed() : -1;
}

// 10,000 drag moves over `target` after one accepted enter.
qint64 dragMoves(QWidget *target, const QPoint &at, const QMimeData *mime)
{
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    enter.accept();
    QCoreApplication::sendEvent(target, &enter);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 10000; ++i) {
        QDragMoveEvent move(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }
    const qint64 ns = t.nsecsElapsed();
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(target, &leave);
    return ns;
}

struct ReturnAtOnce : QObject
{
    bool eventFilter(QObject *, QEvent *) override { return false; }
};

// A widget that takes drags and whose filter does nothing.
struct PlainTarget : QWidget
{
    ReturnAtOnce filter;
    PlainTarget()
    {
        setAcceptDrops(true);
        installEventFilter(&filter);
        resize(100, 100);
        show();
    }
    void dragEnterEvent(QDragEnterEvent *e) override { e->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent *e) override { e->acceptProposedAction(); }
};

// Runs `run` on a small and a large window in every iteration; reports both and their ratio.
template <class Run>
void compare(benchmark::State &state, MainWindow1 *small, MainWindow1 *large, const char *smallName,
             const char *largeName, Run run)
{
    qint64 a = 0, b = 0;
    for (auto _ : state) {
        a += run(small);
        b += run(large);
    }
    reportRatio(state, smallName, a, largeName, b);
}

void BM_PadDropKnownSound(benchmark::State &state)
{
    ScriptedPrompter answers; // a box would wait for a user
    auto small = editor(answers, 1000);
    auto large = editor(answers, 9999);
    compare(state, small.get(), large.get(), "1000_ms", "9999_ms",
            [](MainWindow1 *w) { return padDrops(w, w->library().totalListItemModel()->soundCount()); });
}

void BM_DeviceListDrop(benchmark::State &state)
{
    ScriptedPrompter answers;
    auto small = editor(answers, 1000);
    auto large = editor(answers, 9899);
    small->pad().beginLoad(QString());
    large->pad().beginLoad(QString());
    compare(state, small.get(), large.get(), "1000_ms", "9899_ms",
            [](MainWindow1 *w) { return listDrop(w, w->library().totalListItemModel()->soundCount()); });
}

void BM_GroupFileDrop(benchmark::State &state)
{
    ScriptedPrompter answers;
    QTemporaryDir folder;
    QList<QUrl> files;
    for (int i = 0; i < 100; ++i) {
        const QString path = folder.filePath(QStringLiteral("drop%1.wav").arg(i));
        makeWave(path);
        files << QUrl::fromLocalFile(path);
    }
    auto small = editor(answers, 0, 1000);
    auto large = editor(answers, 0, 9999);
    compare(state, small.get(), large.get(), "1000_ms", "9999_ms",
            [&files](MainWindow1 *w) { return fileDrop(w, files); });
}

void BM_GroupEditsAgainstNoHistory(benchmark::State &state)
{
    ScriptedPrompter answers;
    QTemporaryDir folder;
    QList<QUrl> files;
    for (int i = 0; i < 100; ++i) {
        const QString path = folder.filePath(QStringLiteral("drop%1.wav").arg(i));
        makeWave(path);
        files << QUrl::fromLocalFile(path);
    }
    auto w = editor(answers, 0, 9999);
    std::vector<qint64> paused, kept;
    for (auto _ : state) {
        {
            const editstep::Recorder::Paused off(&w->history().recorder());
            paused.push_back(groupEdits(w.get(), files));
        }
        const int steps = w->history().stack().count();
        kept.push_back(groupEdits(w.get(), files));
        if (paused.back() < 0 || kept.back() < 0 || w->history().stack().count() != std::min(steps + 3, EditHistory::kKeptSteps)) {
            state.SkipWithError("the edits were not made, or not as three steps");
            return;
        }
    }
    reportMedianRatio(state, "paused_ms", paused, "history_ms", kept);
}

void BM_DragMovesOverPad(benchmark::State &state)
{
    ScriptedPrompter answers;
    auto w = editor(answers, 1000);
    PlainTarget plain;
    QMimeData mime;
    mime.setData(dragpayload::MIME_FORMAT, dragpayload::record(QStringLiteral("Kick"), soundPath(1)).toUtf8());
    QWidget *pad = w->mainPadPage().padWidgetGroup()[4].group;
    const QPoint at = labelCentre(w.get(), 4);
    qint64 base = 0, pads = 0;
    for (auto _ : state) {
        base += dragMoves(&plain, QPoint(50, 50), &mime);
        pads += dragMoves(pad, at, &mime);
    }
    reportRatio(state, "plain_ms", base, "pad_ms", pads);
}

BENCHMARK(BM_PadDropKnownSound)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DeviceListDrop)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GroupFileDrop)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GroupEditsAgainstNoHistory)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_DragMovesOverPad)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return runEditorBenchmarks(argc, argv);
}

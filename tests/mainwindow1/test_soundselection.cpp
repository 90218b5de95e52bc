// Selecting and pressing sounds in the total list and the group tree: source
// checks, the information line, action enabling and drag payloads.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "soundlib_fixture.h"
#include "hangingdisk.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "library/records_fixture.h"

#include "device/padkits.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QDrag>
#include <QMimeData>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace soundlib;

namespace {

struct Recorded
{
    QString payload;
    QString text;
    bool hasText = false;
};

// Records every drag instead of waiting for the mouse.
struct DragRecorder
{
    ScriptedPrompter &prompter;
    QVector<Recorded> drags;
    explicit DragRecorder(ScriptedPrompter &answers)
        : prompter(answers)
    {
        prompter.onDrag = [this](QDrag *drag, Qt::DropActions supported) {
            Recorded r;
            r.payload = QString::fromUtf8(drag->mimeData()->data("mimeformat"));
            r.hasText = drag->mimeData()->hasText();
            r.text = drag->mimeData()->text();
            drags << r;
            return supported == Qt::MoveAction ? Qt::MoveAction : Qt::IgnoreAction;
        };
    }
    ~DragRecorder() { prompter.onDrag = nullptr; }
};

// A right press on `index` of `view`, as the user makes it: the view's menu
// opens and is closed at once, then the view handles the press.
void rightPress(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QTimer::singleShot(0, view, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
    });
    QTest::mousePress(view->viewport(), Qt::RightButton, Qt::NoModifier, view->visualRect(index).center());
}

} // namespace

class TestSoundSelection : public QObject
{
    Q_OBJECT

private slots:
    void informationLines()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString mono = writeBytes(f.path("mono.wav"), pcmWav(1, 44100, 100));
        const QString stereo = writeBytes(f.path("stereo.wav"), pcmWav(2, 48000, 100));
        const QString six = writeBytes(f.path("six.wav"), pcmWav(6, 96000, 100));
        QByteArray bext = QByteArray("bext") + le32(602) + QByteArray(602, 'b');
        const QString broadcast = writeBytes(f.path("bext.wav"), pcmWav(2, 22050, 100, bext));
        // Only audio is imported: a real Ogg file, and a pad wave of any form.
        const QString ogg = f.path("notwave.ogg");
        QProcess enc;
        enc.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=duration=0.1", "-c:a", "libvorbis", "-y", ogg});
        QVERIFY(enc.waitForFinished(60000) && enc.exitCode() == 0);
        const QString pad = writeBytes(f.path("pad/WAV_DATA/001/0001.wav"), pcmWav(1, 8000, 800));
        f.importToList({mono, stereo, six, broadcast, ogg, pad});
        QVERIFY(f.prompter.texts().isEmpty());
        const QStringList expected = {"16bit/44100Hz/Mono", "16bit/48000Hz/Stereo", "16bit/96000Hz/",
                                      "16bit/22050Hz/Stereo", "This sound is not in wave format",
                                      "16bit/48000Hz/Stereo"};
        for (int r = 0; r < expected.size(); ++r) {
            f.selectTotalRow(r);
            QCOMPARE(w->form()->waveInfoShow->text(), expected.at(r));
            QCOMPARE(w->preview().playFileNameNew2(), f.totalRows().at(r).section('|', 2));
            QCOMPARE(w->form()->songLabel2->text(), f.totalRows().at(r).section('|', 1, 1));
            QVERIFY(w->form()->playBtn2->isEnabled());
            QVERIFY(!w->soundLists().dropToPadOrRight());
        }
        // The press handler ends the sentence with a full stop.
        DragRecorder rec(f.prompter);
        f.selectTotalRow(4);
        w->on_totalWaveTreeView_pressed(w->library().totalListItemModel()->soundIndex(4));
        QCOMPARE(w->form()->waveInfoShow->text(), QString("This sound is not in wave format."));
        QCOMPARE(rec.drags.size(), 1); // a plain file in another format is still dragged

        // The root row hides the File column and changes nothing else.
        w->form()->totalWaveTreeView->setColumnHidden(2, false);
        w->form()->totalWaveTreeView->setCurrentIndex(w->library().totalListItemModel()->rootIndex());
        QVERIFY(w->form()->totalWaveTreeView->isColumnHidden(2));
        QCOMPARE(w->form()->waveInfoShow->text(), QString("This sound is not in wave format."));
    }

    void missingFilesAndActions()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString a = writeBytes(f.path("a.wav"), pcmWav(1, 8000, 800));
        const QString b = writeBytes(f.path("b.wav"), pcmWav(1, 8000, 800));
        f.importToList({a, b});
        QAction *exportAction = w->form()->totalWaveTreeView->exportSoundAction();
        QAction *deleteAction = w->form()->totalWaveTreeView->deleteSoundAction();

        // A locked sound disables both actions.
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[1].wave_lock = 0; });
        f.selectTotalRow(1);
        QVERIFY(!exportAction->isEnabled() && !deleteAction->isEnabled());
        f.selectTotalRow(0);
        QVERIFY(exportAction->isEnabled() && deleteAction->isEnabled());
        // Two rows: both enabled without the pad, delete off in device mode.
        f.selectTotalRow(1, QItemSelectionModel::Select);
        QVERIFY(w->soundLists().dropToPadOrRight());
        QVERIFY(exportAction->isEnabled() && deleteAction->isEnabled());
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        f.selectTotalRow(0);
        QVERIFY(exportAction->isEnabled() && !deleteAction->isEnabled());
        w->pad().leaveDeviceMode();

        // A file gone after import.
        QFile::remove(b);
        f.prompter.clear();
        f.selectTotalRow(1);
        QCOMPARE(f.prompter.titles(), QStringList({"Error"}));
        QCOMPARE(f.prompter.texts(), QStringList({"Please check path:b does not exist.\r\n" + b}));
        QVERIFY(!w->form()->playBtn2->isEnabled());
        QVERIFY(!w->form()->stopBtn2->isEnabled());
        QVERIFY(w->form()->waveInfoShow->text().isEmpty());
        QCOMPARE(w->preview().playFileNameNew2(), a);

        // The group tree words its warning the other way round.
        f.prompter.fileAnswers.enqueue({a});
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        w->form()->addWaveFile->click();
        QFile::remove(a);
        f.prompter.clear();
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->item(0)->child(0, 0)->index());
        QCOMPARE(f.prompter.texts(), QStringList({"a does not exist.\r\nPlease check path:" + a}));
        QVERIFY(w->form()->totalWaveTreeView->selectionModel()->selectedIndexes().isEmpty());
    }

    void storedSounds()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        w->library().addLoadedKitFile(kit.record);
        const QString native = QDir::toNativeSeparators(kit.path);
        // Sound 1 (table entry 5) as a whole-setup loader lists it.
        auto addRow = [&](const QString &name, const QString &path) {
            const int r = w->library().totalListItemModel()->soundCount();
            w->library().addSound(name, path, quint16(r + 1), true);
            return r;
        };
        // No metronome records: entry 5 is the sound itself.
        const int good = addRow("WAVE5", native + ":U00005");
        const int outside = addRow("far", native + ":U12000");
        const int notLoaded = addRow("other", f.path("OTHER.BIN") + ":U00001");
        kf::writeFile(f.path("OTHER.BIN"), "x");
        f.selectTotalRow(good);
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->form()->waveInfoShow->text(), QString("16bit/48000Hz/Stereo"));
        QCOMPARE(w->preview().playFileNameNew2(), native + ":U00005");
        // A group row naming the sound is there while its kit file is.
        w->library().addSoundsToGroup(0, {{"WAVE5", native + ":U00005"}});
        w->form()->waveGroupTreeView->selectionModel()->setCurrentIndex(
                w->library().soundListItemModel()->item(0)->child(0, 0)->index(),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->form()->songLabel2->text(), QString("WAVE5"));
        QCOMPARE(w->preview().playFileNameNew2(), native + ":U00005");

        f.selectTotalRow(outside);
        f.selectTotalRow(notLoaded);
        QCOMPARE(f.prompter.texts(), QStringList({"File error!", "File error!"}));
        QCOMPARE(f.prompter.prompts.last().kind, UiPrompter::Critical); // titled "Error"
        QCOMPARE(w->preview().playFileNameNew2(), native + ":U00005");

        // Another name at the entry, then a changed size.
        QByteArray bytes = kf::readFile(kit.path);
        const QByteArray original = bytes;
        const int at = bytes.indexOf("WAVE5");
        bytes[at + 4] = '9';
        kf::writeFile(kit.path, bytes);
        f.prompter.clear();
        f.selectTotalRow(good);
        QCOMPARE(f.prompter.texts(), QStringList({"Please check path:WAVE5 does not exist.\r\n" + kit.record.file}));
        const QModelIndex goodIndex = w->library().totalListItemModel()->soundIndex(good);
        kf::writeFile(kit.path, original + "tail");
        w->soundLists().totalListSelection(goodIndex, false);
        QCOMPARE(f.prompter.texts().last(), QString("Please check path:The file has been modified. The target sound "
                                                    "was not found.\r\n" + kit.record.file));
        // A kit file that is gone.
        QFile::remove(kit.path);
        f.prompter.clear();
        w->soundLists().totalListSelection(goodIndex, false);
        QCOMPARE(f.prompter.texts(), QStringList({"Please check path:WAVE5 does not exist.\r\n" + native}));
    }

    // Pipes, devices and folders named like audio are refused wherever a
    // sound is opened; nothing waits on a pipe.
    void onlyRegularFilesOpened()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString good = writeBytes(f.path("good.wav"), pcmWav(1, 8000, 100));
        const QString pipe = f.path("pipe.wav"), folder = f.path("folder.wav"), kitPipe = f.path("K001.INI");
        for (const QString &p : {pipe, kitPipe})
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(ztplatform::isRegularFile(nullptr, good) && !ztplatform::isRegularFile(nullptr, pipe));
        QVERIFY(!ztplatform::isRegularFile(nullptr, folder) && !ztplatform::isRegularFile(nullptr, "/dev/null"));

        f.importToList({good, pipe, folder});
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The following files are not readable audio and were not added:\r\n" + pipe + "\r\n" + folder});
        QCOMPARE(f.totalRows().size(), 1);
        // The listed sound turns into a pipe: selection, Play and export refuse it.
        QVERIFY(QFile::remove(good) && ::mkfifo(QFile::encodeName(good).constData(), 0600) == 0);
        f.prompter.clear();
        f.selectTotalRow(0);
        QCOMPARE(f.prompter.texts(), QStringList{"Please check path:good does not exist.\r\n" + good});
        w->preview().choosePreviewSound(good);
        w->form()->playBtn2->setEnabled(true);
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts().last(), QString("Play error!"));
        f.prompter.fileAnswers.enqueue({f.path("out")});
        QDir().mkdir(f.path("out"));
        w->soundFiles().exportSelectedSounds();
        QCOMPARE(f.prompter.texts().last(), QString::fromUtf8("Wrong data in file\xEF\xBC\x9A\r\n") + good);
        // A kit file pick that is a pipe reopens the file dialog.
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue({kitPipe});
        w->form()->btnLoadFile->click();
        QCOMPARE(f.prompter.prompts.last().kind, UiPrompter::OpenFiles);
        QVERIFY(w->library().recordKitFileList().isEmpty());
        // The pad load reads no pipe.
        percussionpadfile model;
        QVERIFY(!readPadGlobal(kitPipe, model).ok);
    }

    // A pad sound whose file does not answer is not waited on: the window
    // paints meanwhile and the row is refused after the limit.
    void padSoundThatDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString wave = writeBytes(f.path("ZT350/WAV_DATA/001/005.wav"), pcmWav(2, 48000, 480));
        f.importToList({wave});
        QCOMPARE(f.totalRows().size(), 1);
        HangingOpens hanging("/001/005.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        f.selectTotalRow(0);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"Please check path:005 does not exist.\r\n" + wave});
        QVERIFY(!w->form()->playBtn2->isEnabled());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A group row whose file does not answer is not waited on either.
    void groupSoundThatDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString wave = writeBytes(f.path("slow/kick.wav"), pcmWav(1, 8000, 800));
        f.prompter.fileAnswers.enqueue({wave});
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        w->form()->addWaveFile->click();
        f.prompter.clear();
        HangingOpens hanging("slow/kick.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->item(0)->child(0, 0)->index());
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"kick does not exist.\r\nPlease check path:" + wave});
        QVERIFY(!w->form()->playBtn2->isEnabled());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A sound file that stops answering after the row's first look: its
    // format is not waited on, the row is refused as a file that does not open.
    void soundFileThatStopsAnsweringIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString wave = writeBytes(f.path("slow/kick.wav"), pcmWav(1, 8000, 800));
        f.importToList({wave});
        QCOMPARE(f.totalRows().size(), 1);
        HangingOpens hanging("slow/kick.wav", 1);
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        f.selectTotalRow(0);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"Open sound file error."});
        QVERIFY(!w->form()->playBtn2->isEnabled());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A kit file that stops answering after the row's first look: the
    // sound's entry is not waited on.
    void storedSoundWhoseKitFileStopsAnsweringIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        w->library().addLoadedKitFile(kit.record);
        const QString native = QDir::toNativeSeparators(kit.path);
        const int row = w->library().totalListItemModel()->soundCount();
        w->library().addSound("WAVE5", native + ":U00005", quint16(row + 1), true);
        HangingOpens hanging("/KIT_ALL.BIN", 1);
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        f.selectTotalRow(row);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"Please check path:WAVE5 does not exist.\r\n" + native});
        QVERIFY(w->form()->waveInfoShow->text().isEmpty());
        QVERIFY(!w->form()->playBtn2->isEnabled());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A kit file whose drive does not answer holds one look, whichever look
    // found it silent (the finder's, through another path to the file; the
    // entry's read; a group row's): asked again meanwhile, the row is refused
    // at once and the box says why; once that look returns, it is served.
    void kitFileThatDoesNotAnswerHoldsOneLook()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        w->library().addLoadedKitFile(kit.record);
        const QString native = QDir::toNativeSeparators(kit.path);
        const QString link = f.path("LINKED.BIN"); // the same file by another name
        QVERIFY(::link(QFile::encodeName(kit.path).constData(), QFile::encodeName(link).constData()) == 0);
        const int direct = w->library().totalListItemModel()->soundCount();
        w->library().addSound("WAVE5", native + ":U00005", quint16(direct + 1), true);
        w->library().addSound("WAVE6", link + ":U00006", quint16(direct + 2), true);
        w->library().addSoundsToGroup(0, {{"WAVE5", native + ":U00005"}});
        const QModelIndex grouped = w->library().soundListItemModel()->item(0)->child(0, 0)->index();
        auto selectRow = [&](int row) {
            return [&, row]() {
                w->form()->totalWaveTreeView->clearSelection();
                f.selectTotalRow(row);
            };
        };
        auto selectGrouped = [&]() {
            w->form()->waveGroupTreeView->clearSelection();
            w->form()->waveGroupTreeView->selectionModel()->setCurrentIndex(
                    grouped, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        };
        const QString silent = "The drive of this file does not answer, so the sound is not taken:\r\n";
        struct Case
        {
            std::function<void()> select;
            int answered;
            HangingOpens::Looks looks;
            QString firstBox, silentFile;
        };
        const QVector<Case> cases = {
                {selectRow(direct + 1), 0, HangingOpens::Looks::OpensAndStats, "File error!", link},
                {selectRow(direct), 1, HangingOpens::Looks::Opens,
                 "Please check path:WAVE5 does not exist.\r\n" + native, native},
                {selectGrouped, 0, HangingOpens::Looks::Opens,
                 "WAVE5 does not exist.\r\nPlease check path:" + native + ":U00005", native},
        };
        for (const Case &c : cases) {
            HangingOpens hanging("/KIT_ALL.BIN", c.answered, c.looks);
            f.prompter.clear();
            const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
            c.select();
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the look is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(f.prompter.texts(), QStringList{c.firstBox});
            QVERIFY(ztplatform::isSilentFile(w->library().silentFiles(), c.silentFile));
            for (int again = 0; again < 2; ++again) {
                f.prompter.clear();
                c.select();
                QCOMPARE(hanging.hung(), 1); // no other look
                QCOMPARE(hanging.waiting(), 1); // refused while the first still waits
                QCOMPARE(f.prompter.texts(), QStringList{silent + c.silentFile});
                QVERIFY(!w->form()->playBtn2->isEnabled());
            }
            hanging.release();
            QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), c.silentFile));
            f.prompter.clear();
            c.select();
            QVERIFY(f.prompter.texts().isEmpty());
            QVERIFY(w->form()->playBtn2->isEnabled());
            QCOMPARE(hanging.hung(), 1);
        }
    }

    // A row whose source check fails leaves no name in the player bar and
    // Play disabled, whichever check refuses it.
    void refusedRowLeavesNoSoundInBar()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        f.importToList({writeBytes(f.path("good.wav"), pcmWav(1, 8000, 100))});
        QVERIFY(QDir().mkdir(f.path("folder.wav")));
        kf::writeFile(f.path("OTHER.BIN"), "x"); // exists, but was never loaded
        for (const QString &src : {f.path("folder.wav"), f.path("OTHER.BIN") + ":U00001"})
            w->library().addSound("other", src, 2, true);
        for (int row : {1, 2}) {
            f.selectTotalRow(0);
            QCOMPARE(w->form()->songLabel2->text(), QString("good"));
            QVERIFY(w->form()->playBtn2->isEnabled());
            f.selectTotalRow(row);
            QVERIFY(w->form()->songLabel2->text().isEmpty());
            QVERIFY(!w->form()->playBtn2->isEnabled());
        }
    }

    // Only ":U" and five digits at the end make a stored sound; a whole-setup
    // sound is probed at the entry Play copies.
    void storedSourceRule()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString colon = writeBytes(f.path("Hit:Up.wav"), pcmWav(1, 22050, 100));
        const QString marker = writeBytes(f.path("Take.bin:U00001 mix.wav"), pcmWav(2, 32000, 100));
        f.importToList({colon, marker});
        f.prompter.clear();
        f.selectTotalRow(0);
        QCOMPARE(w->form()->waveInfoShow->text(), QString("16bit/22050Hz/Mono"));
        f.selectTotalRow(1);
        QCOMPARE(w->form()->waveInfoShow->text(), QString("16bit/32000Hz/Stereo"));
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->preview().playFileNameNew2(), marker);

        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        kit.record.info.sound[6].wave_start = 0; // the entry before sound 2 is no wave
        w->library().addLoadedKitFile(kit.record);
        w->library().noteSetupClicks(true);
        w->library().takeClickRecords(w->library().clickSetList().mid(0, 4)); // a metronome sound removed on the global page
        const QString stored = QDir::toNativeSeparators(kit.path) + ":U00002";
        const int r = w->library().totalListItemModel()->soundCount();
        w->library().addSound("WAVE7", stored, 3, true);
        f.selectTotalRow(r);
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->form()->waveInfoShow->text(), QString("16bit/48000Hz/Stereo"));
        QCOMPARE(w->preview().playFileNameNew2(), stored);
        const QString out = f.path("out.wav");
        QCOMPARE(quint64(w->rawFiles().getRawFile(stored, out, &w->preview())), quint64(kit.waves.at(7).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(7));
    }

    void payloadsAndDrags()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        DragRecorder rec(f.prompter);
        const QString a = writeBytes(f.path("Drums #2/kick.wav"), pcmWav(1, 8000, 800));
        const QString b = writeBytes(f.path("snare.wav"), pcmWav(1, 8000, 800));
        f.importToList({a, b});
        const QModelIndex rowA = w->library().totalListItemModel()->soundIndex(0);

        f.selectTotalRow(0);
        w->on_totalWaveTreeView_pressed(rowA);
        QCOMPARE(rec.drags.size(), 1);
        QCOMPARE(rec.drags.last().payload, "kick*" + QString(a).replace("#", "%23"));
        QCOMPARE(rec.drags.last().text, QString("kick"));
        QCOMPARE(w->soundLists().dragLeftOrRight(), 0);
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        w->on_totalWaveTreeView_pressed(rowA);
        QCOMPARE(rec.drags.last().payload, "kick*" + QString(a).replace("#", "%23") + "#");
        QCOMPARE(w->soundLists().dragLeftOrRight(), 1);
        // A right press checks and selects, but never drags.
        w->preview().choosePreviewSound(QString());
        rightPress(w->form()->totalWaveTreeView, rowA);
        QCOMPARE(rec.drags.size(), 2);
        QCOMPARE(w->preview().playFileNameNew2(), a);
        w->pad().leaveDeviceMode();

        // The group tree: one drag per sound offline, one drag of all in device mode.
        f.prompter.fileAnswers.enqueue({a, b});
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        w->form()->addWaveFile->click();
        QStandardItem *def = w->library().soundListItemModel()->item(0);
        QItemSelectionModel *sel = w->form()->waveGroupTreeView->selectionModel();
        sel->setCurrentIndex(def->child(0, 0)->index(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY(!w->soundLists().dropToPadOrRight());
        QCOMPARE(w->form()->songLabel2->text(), QString("kick"));
        sel->setCurrentIndex(def->child(1, 0)->index(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(w->form()->songLabel2->text(), QString("kick")); // unchanged for two rows
        QVERIFY(w->soundLists().dropToPadOrRight());
        rec.drags.clear();
        w->on_waveGroupTreeView_pressed(def->child(1, 0)->index());
        QCOMPARE(rec.drags.size(), 2);
        QCOMPARE(rec.drags.at(0).payload, "kick*" + QString(a).replace("#", "%23"));
        QCOMPARE(rec.drags.at(0).text, QString("kick"));
        QCOMPARE(rec.drags.at(1).payload, "snare*" + b);
        QCOMPARE(w->preview().playFileNameNew2(), b);
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        w->soundLists().dragFromPadList();
        rec.drags.clear();
        w->on_waveGroupTreeView_pressed(def->child(1, 0)->index());
        QCOMPARE(rec.drags.size(), 1);
        QCOMPARE(rec.drags.at(0).payload, "kick*" + QString(a).replace("#", "%23") + "#snare*" + b + "#");
        QVERIFY(!rec.drags.at(0).hasText);
        QCOMPARE(w->soundLists().dragLeftOrRight(), 0);
        rightPress(w->form()->waveGroupTreeView, def->child(1, 0)->index());
        QCOMPARE(rec.drags.size(), 1);
        // A group row stops at once.
        w->on_waveGroupTreeView_pressed(def->index());
        QCOMPARE(rec.drags.size(), 1);
    }
};

QTEST_MAIN(TestSoundSelection)
#include "test_soundselection.moc"

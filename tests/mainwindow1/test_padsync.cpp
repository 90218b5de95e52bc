#include "mainwindow1/library/soundlistscontroller.h"
#include "device/bindmount.h"
#include "device/padjournal.h"
#include "history/edithistory.h"
#include "library/records_fixture.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "padwindow.h"
#include "platform/anchoredfolder.h"

#include "support/crashdisk.h"
#include "support/hangingdisk.h"
#include "support/memorytemp.h"

#include <QProcess>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QtTest>

#include <condition_variable>
#include <mutex>

// Sounds added to and deleted from a loaded pad while editing: the pairs on
// the pad, the list rows, the records and the shown kit's pads.
class TestPadSync : public QObject
{
    Q_OBJECT

    using Kit = MainWindow1Records::soundKit;
    // What the user does while a delete is left running.
    enum Later { Another, TheSame, Undone };
    // What stands in the way of a delete.
    enum HalfReach { LinkedRecordFolder, ImmutableRecord, FolderAtRecord, LinkAtSound };

    // The list's delete in device mode for the rows given, selected as the
    // user selects them; the kits first let go of every sound, as the delete
    // asks.
    static void deleteRows(MainWindow1 *w, const QVector<int> &rows)
    {
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            w->doc().clearKit(k);
            w->doc().clearHiHat(k);
        }
        QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(w->library().totalListItemModel()->soundIndex(row),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        w->soundLists().deleteSelectedSounds();
    }

    static bool batchDone(MainWindow1 *w)
    {
        const SyncBatch *batch = w->padSync().syncBatch();
        return w->pad().padBatchKind() == SyncBatch::Idle && (!batch || batch->liveWorkers() == 0);
    }

    static QByteArray expectedRecord(quint16 number, const QByteArray &name, quint32 size)
    {
        QByteArray r(64, '\0');
        kf::wr16(r, 0, number);
        r.replace(2, name.size(), name);
        kf::wr32(r, 26, (size >> 2) - 11);
        kf::wr32(r, 34, (size >> 2) - 11);
        kf::wr32(r, 38, size);
        r[42] = 1;
        return r;
    }

    // The records of each file of the total list, in order.
    static QStringList recordFiles(MainWindow1 *w)
    {
        QStringList files;
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList()))
            files << QDir::fromNativeSeparators(s.file);
        return files;
    }
    static QStringList rowFiles(const PadWindow &f)
    {
        QStringList files;
        for (const QString &row : f.rows())
            files << QDir::fromNativeSeparators(row.section('|', 2));
        return files;
    }

private slots:
    void addedToneLandsAsItsPair()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"));
        QVERIFY2(!tone.isEmpty(), "ffmpeg could not make a tone");
        // Pads that use the source, as a drop leaves them: kit 1 is shown.
        for (int k : {0, 1})
            reloadKit(w->doc(), k, [&tone](Kit &kit) {
                kit.kpadChunk[5].soundFile0 = kit.kpadChunk[5].soundFile1 = tone;
            });

        f.importSounds({tone});
        QCOMPARE(w->padSync().usbDialog()->labelText(), QString("Importing sound file..."));
        QCOMPARE(w->padSync().usbDialog()->maximum(), 1);
        QVERIFY(!w->form()->right_stackedWidgetPage1->isEnabled());
        QCOMPARE(w->padSync().syncBatch()->workerCount(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);

        const QByteArray wav = kf::readFile(f.wav(4));
        QCOMPARE(wav.size(), 44 + 4 * 48000);
        QCOMPARE(kf::readFile(f.prm(4)), expectedRecord(4, "tone", quint32(wav.size())));
        QCOMPARE(f.rows().last(), "4|tone|" + f.wav(4));
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(3, 1)->text(), f.wav(4));
        const MainWindow1Records::SOUND_INDEX &record = w->library().waveLoadKitAttrList().last();
        QCOMPARE(record.file, QDir::toNativeSeparators(f.wav(4)));
        QCOMPARE(record.wave_No, quint16(4));
        QCOMPARE(record.wave_lock, quint8(1));
        QCOMPARE(w->pad().addUsbWaveNumList(), QVector<quint16>{4});
        // The pads point at the pad's copy, both layers, in the shown kit and in kit 2.
        for (const MainWindow1Records::KIT_PAD_SETTING &pad :
             {w->doc().kit(0).kpadChunk[5], w->doc().kitPadList(0)[5], w->doc().kit(1).kpadChunk[5]}) {
            QCOMPARE(pad.soundFile0, record.file);
            QCOMPARE(pad.soundFile1, record.file);
            QCOMPARE(pad.aWaveNo, quint16(4));
            QCOMPARE(pad.bWaveEnd, quint32(wav.size()));
        }
        QVERIFY(w->form()->right_stackedWidgetPage1->isEnabled() && !w->padSync().usbDialog()->isVisible());
        QCOMPARE(f.prompter.texts(), QStringList());

        // The same path as old and new: number, length and end only.
        w->padSync().changeOnlineKitPath(record.file, record.file, 77, 12, 0);
        const MainWindow1Records::KIT_PAD_SETTING &pad = w->doc().kitAttrList()[0].kpadChunk[5];
        QCOMPARE(pad.soundFile0, record.file);
        QCOMPARE(pad.aWaveNo, quint16(77));
        QCOMPARE(pad.aWaveLength, quint32(12));
        QCOMPARE(pad.aWaveStart, quint32(0));
    }

    void failedSoundsEndTheBatchWithOneWarning()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        // The import lets only audio through: the pad's converter fails on notes.wav.
        const QString notes = QDir::toNativeSeparators(makeTone(f.work.filePath("notes.wav"), 0.1));
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.1);
        QVERIFY(!tone.isEmpty() && !notes.isEmpty());
        const QString picky = f.work.filePath("picky-ffmpeg");
        touchFile(picky, "#!/bin/sh\ncase \"$2\" in *notes*) echo 'Invalid data found when processing input' >&2; "
                         "exit 1;; esac\nexec " + audioconverter::defaultProgram().toUtf8() + " \"$@\"\n");
        QFile(picky).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        w->padSync().ensureSyncBatch()->setConverterProgram(picky);
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[2].soundFile0 = notes; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave3_file = notes; });

        f.importSounds({notes, tone});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.titles(), QStringList{"Warning"});
        QCOMPARE(f.prompter.texts(),
                 QStringList{"These sounds could not be written to the sampler pad and were not added:\r\n" + notes});
        QCOMPARE(f.rows().size(), 4);
        QCOMPARE(f.rows().last(), "5|tone|" + f.wav(5));
        QVERIFY(!QFile::exists(f.wav(4)) && !QFile::exists(f.prm(4)));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 4);
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[2].soundFile0, QString());
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[2].aWaveNo, NO_WAVE);
        QCOMPARE(w->doc().kitAttrList()[0].pedalChunk.hh_wave3_no, NO_WAVE);
        QCOMPARE(w->pad().addUsbWaveNumList().size(), 1); // the change file counts the tone only

        // No ffmpeg: nothing lands, the batch still ends.
        f.prompter.clear();
        w->padSync().ensureSyncBatch()->setConverterProgram(f.work.filePath("no-ffmpeg"));
        const QString again = makeTone(f.work.filePath("again.wav"), 0.1);
        f.importSounds({again});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY(f.prompter.texts().first().endsWith(QDir::toNativeSeparators(again)));
        QCOMPARE(f.rows().size(), 4);
        QVERIFY(!QFile::exists(f.prm(6)));
        QCOMPARE(w->pad().addUsbWaveNumList().size(), 1);
        QVERIFY(w->form()->right_stackedWidgetPage1->isEnabled() && !w->padSync().usbDialog()->isVisible());

        // Wave folders that are not the pad's (relative; the working folder is
        // a temporary one): the batch ends at once and nothing is written.
        f.prompter.clear();
        w->padSync().ensureSyncBatch()->setConverterProgram(QString());
        DeviceMessage ignored;
        QVERIFY(!w->pad().getRootDirPath(".", &ignored));
        f.importSounds({again});
        QVERIFY(batchDone(w));
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY(w->form()->right_stackedWidgetPage1->isEnabled() && !w->padSync().usbDialog()->isVisible());
        QVERIFY(!QFileInfo::exists(f.work.filePath("WAV_DATA")));
    }

    void waveFoldersSwappedForLinksTakeNoSound_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("duringConversion");
        QTest::newRow("WAV_DATA") << "WAV_DATA" << false;
        QTest::newRow("WAV_PRM") << "WAV_PRM" << false;
        QTest::newRow("WAV_DATA/001 while converting") << "WAV_DATA/001" << true;
    }

    // A wave folder swapped for a link after the load, also while ffmpeg
    // runs: the sound lands nowhere, the folder linked to keeps its bytes.
    void waveFoldersSwappedForLinksTakeNoSound()
    {
        QFETCH(QString, folder);
        QFETCH(bool, duringConversion);
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.1);
        QVERIFY(!tone.isEmpty());
        QTemporaryDir outside;
        const QString inPad = f.pad.model + "/" + folder, moved = outside.filePath("moved");
        const QString swap = "mv '" + inPad + "' '" + moved + "' && ln -s '" + moved + "' '" + inPad + "'";
        if (duringConversion) {
            const QString swapping = f.work.filePath("swapping-ffmpeg");
            const QString script = "#!/bin/sh\n" + swap + "\nexec " + audioconverter::defaultProgram() + " \"$@\"\n";
            touchFile(swapping, script.toUtf8());
            QFile(swapping).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            w->padSync().ensureSyncBatch()->setConverterProgram(swapping);
        } else {
            QCOMPARE(QProcess::execute("sh", {"-c", swap}), 0);
        }
        const QStringList before = duringConversion ? QStringList() : QDir(moved + "/001").entryList(QDir::Files);

        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"These sounds could not be written to the sampler pad and were not "
                                                 "added:\r\n" + QDir::toNativeSeparators(tone)});
        QVERIFY(QFileInfo(inPad).isSymLink());
        const QStringList pairs{"001.wav", "002.wav", "003.wav"};
        QCOMPARE(QDir(moved + (duringConversion ? "" : "/001")).entryList(QDir::Files),
                 duringConversion ? pairs : before);
        QVERIFY(!QFile::exists(f.wav(4)) && !QFile::exists(f.prm(4)));
        QCOMPARE(f.rows().size(), 3);
    }

    // Pairs the load left out (a linked record) or skipped (record number
    // 0) keep their numbers: an added sound takes the next free one.
    void addedSoundsTakeNoNumberThePadHolds()
    {
        PadWindow f;
        f.layOut(3);
        f.pad.addWave(4, "leftout");
        f.pad.addWave(5, "skipped");
        QTemporaryDir outside;
        const QString moved = outside.filePath("004.prm");
        QVERIFY(QFile::rename(f.prm(4), moved) && QFile::link(moved, f.prm(4)));
        QByteArray record5 = kf::readFile(f.prm(5));
        kf::wr16(record5, 0, 0);
        QVERIFY(kf::writeFile(f.prm(5), record5));
        const QStringList before = f.pad.snapshot();
        MainWindow1 *w = f.open();
        QCOMPARE(f.rows().size(), 3);
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.1);
        QVERIFY(!tone.isEmpty());
        f.prompter.clear();

        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(f.rows().last(), "6|tone|" + f.wav(6));
        QCOMPARE(kf::rd16(kf::readFile(f.prm(6)), 0), quint16(6));
        QStringList after = f.pad.snapshot();
        after.removeOne(after.filter(QRegularExpression("WAV_DATA/001/006.wav ")).value(0));
        after.removeOne(after.filter(QRegularExpression("WAV_PRM/001/006.prm ")).value(0));
        QCOMPARE(after, before);
    }

    void windowHeldWhileAdding()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QString tone = makeTone(f.work.filePath("tone.wav"));
        QVERIFY(!tone.isEmpty());
        QWidget *button = w->form()->btnLoadFile; // warns in device mode
        QVERIFY(button->isVisible() && button->isEnabled());
        f.prompter.clear();

        f.importSounds({tone});
        QVERIFY(w->padSync().usbDialog()->isVisible() && !batchDone(w));
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          button->mapTo(w, button->rect().center()));
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QVERIFY(f.prompter.prompts.isEmpty());
        QCOMPARE(f.rows().size(), 4);
    }

    void aPadSilentAsABatchBeginsIsNotWaitedOn_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add, its wave folder's stat") << true;
        QTest::newRow("delete, its root's open") << false;
    }

    // The pad does not answer as a batch judges it (a look that never
    // returns, before the watch has seen it): the window paints meanwhile,
    // within the limit the pad is taken for away and told, and every sound
    // stays as it was. A batch asked for meanwhile waits for this one.
    void aPadSilentAsABatchBeginsIsNotWaitedOn()
    {
        QFETCH(bool, adding);
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = adding ? makeTone(f.work.filePath("tone.wav"), 0.2) : QString();
        QVERIFY(!adding || !tone.isEmpty());
        HangingOpens hanging(f.disk, adding ? QByteArray("WAV_DATA") : QFile::encodeName(f.root()), 0,
                             adding ? HangingOpens::Looks::OpensAndStats : HangingOpens::Looks::Opens);
        // The window answers while the look is held, before it is told.
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        bool asked = false;
        QTimer ask;
        QObject::connect(&ask, &QTimer::timeout, w, [&] {
            if (asked || hanging.waiting() == 0)
                return;
            asked = true;
            w->padSync().runQueuedBatch(1);
        });
        ask.start(5);
        if (adding)
            f.importSounds({tone});
        else
            deleteRows(w, {1});
        QVERIFY(asked);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is still held
        QVERIFY(held.turns() > 0);
        const QString then = adding ? "These sounds could not be written to the sampler pad and were not added:\r\n"
                        + tone
                                    : "These sounds were not deleted from the sampler pad and stay in the list:\r\nwave2";
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to "
                              "it until it answers again; your edits are kept.",
                              "The 350 device was disconnected.\r\n" + then}));
        QVERIFY(batchDone(w) && QFile::exists(f.wav(2)) && QFile::exists(f.prm(2)) && !QFile::exists(f.wav(4)));
        QCOMPARE(f.rows().size(), 3);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A close that comes while the pad is judged before a batch (the
    // window painting meanwhile) is asked once the check is over, not in it.
    void aCloseDuringTheBatchCheckWaitsForIt()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.1);
        QVERIFY(!tone.isEmpty());
        HangingOpens hanging(f.disk, "global.ini"); // the pad's settings, read by the check
        bool released = false, releasedWhenAsked = false;
        // Once the check waits on the pad: the close, then the pad's answer.
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, w, [&] {
            if (hanging.waiting() == 0)
                return;
            watch.stop();
            QCoreApplication::postEvent(w, new QCloseEvent);
            // Once the window has had the close.
            QMetaObject::invokeMethod(
                    w,
                    [&] {
                        released = true;
                        hanging.release();
                    },
                    Qt::QueuedConnection);
        });
        watch.start();
        f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &p) {
            if (p.text == "Quit?")
                releasedWhenAsked = released;
        };
        f.prompter.buttonAnswers.enqueue(QMessageBox::No);
        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QTRY_COMPARE(f.prompter.texts(), QStringList{"Quit?"});
        QVERIFY(releasedWhenAsked);
        QCOMPARE(f.rows().size(), 4); // the batch ran
        QVERIFY(!w->pad().isUDiskFlag());
    }

    // The pad stops answering while a batch writes to it (a write and its
    // root's stat never return): the window is given back and told, the pad
    // counts as away, and a batch queued behind is not waited on. The batch
    // left behind writes nothing more once the pad answers: its sound is
    // neither on the pad nor in the list, and the pad's next load ends what
    // it began.
    void aPadThatStopsAnsweringDuringABatchIsNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 0, [&tone](Kit &kit) { kit.kpadChunk[5].soundFile0 = tone; });
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::OpenedForWriting)
                return;
            held = true;
            f.drives.hang(f.root());
            resume.wait(hold, [&] { return released; });
        };
        // The window answers while the write is held, before it is told.
        const TurnsWhile heldTurns([&] {
            std::lock_guard<std::mutex> hold(lock);
            return held && !released && f.prompter.texts().isEmpty();
        });
        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(w->pad().isUDiskFlag(), 60000);
        QVERIFY(held && !batchDone(w) && heldTurns.turns() > 0);
        QCOMPARE(f.prompter.titles(), QStringList{"Error"});
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sampler pad stopped answering while the changes were written to it; they may have "
                             "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps "
                             "your edits."});
        QVERIFY(!w->padSync().usbDialog()->isVisible() && w->form()->right_stackedWidgetPage1->isEnabled());

        // A batch queued now follows the one left running: asked for while
        // that one's write is held, it is not waited on.
        w->padSync().runQueuedBatch(1);
        QVERIFY(!batchDone(w));

        {
            std::lock_guard<std::mutex> hold(lock);
            released = true;
        }
        resume.notify_all();
        f.drives.release(f.root());
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QVERIFY(!QFileInfo::exists(f.wav(4)));
        QCOMPARE(f.prompter.texts().last(),
                 "These sounds could not be written to the sampler pad and were not added:\r\n" + tone);
        QCOMPARE(f.rows().size(), 3);
        for (const MainWindow1Records::SOUND_INDEX &s : w->library().waveLoadKitAttrList())
            QVERIFY(s.file != QDir::toNativeSeparators(f.wav(4)) && s.file != tone);
        QVERIFY(w->doc().kit(0).kpadChunk[5].soundFile0 != QDir::toNativeSeparators(f.wav(4)));
        const PadFixture::Loaded again = f.pad.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!QFileInfo::exists(f.wav(4)));
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/.zt-journal"));
    }

    // The pad stops answering as the batch ends, after its bytes are on it:
    // each added sound still takes the length the batch wrote.
    void aPadSilentAtTheBatchsEndKeepsTheWrittenLength()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 0, [&tone](Kit &kit) { kit.kpadChunk[5].soundFile0 = tone; });
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::Removed)
                return;
            held = true;
            f.drives.hang(f.root());
            resume.wait(hold, [&] { return released; });
        };
        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(w->pad().isUDiskFlag(), 60000);
        QVERIFY(w->padSync().batchAbandoned());
        {
            std::lock_guard<std::mutex> hold(lock);
            QVERIFY(held);
            released = true;
        }
        resume.notify_all();
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000); // ends while the pad is still silent
        QVERIFY(!w->padSync().batchAbandoned()); // the next batch is waited on again
        QVERIFY(f.drives.waiting() > 0);
        f.drives.release(f.root());
        const QByteArray wav = kf::readFile(f.wav(4));
        QCOMPARE(wav.size(), 44 + int(0.2 * 48000) * 4);
        QCOMPARE(w->doc().kit(0).kpadChunk[5].aWaveNo, quint16(4));
        QCOMPARE(w->doc().kit(0).kpadChunk[5].aWaveLength, quint32(wav.size()));
    }

    void deletedSoundsLeaveThePad_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("workers");
        QTest::newRow("3") << 3 << 1;
        QTest::newRow("101") << 101 << 2;
    }

    void deletedSoundsLeaveThePad()
    {
        QFETCH(int, count);
        QFETCH(int, workers);
        PadWindow f;
        f.layOut(count + 2);
        MainWindow1 *w = f.open();
        QVector<int> rows;
        for (int r = 1; r <= count; ++r)
            rows << r; // sounds 2 ... count + 1
        deleteRows(w, rows);
        QCOMPARE(w->padSync().syncBatch()->workerCount(), workers);
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.rows(), (QStringList{"1|wave1|" + f.wav(1),
                                        QString("%1|wave%1|").arg(count + 2) + f.wav(count + 2)}));
        QCOMPARE(w->library().hhSoundItemModel()->soundCount(), 2);
        for (int n = 2; n <= count + 1; ++n)
            QVERIFY(!QFile::exists(f.wav(n)) && !QFile::exists(f.prm(n)));
        QVERIFY(QFile::exists(f.prm(1)) && QFile::exists(f.wav(count + 2)));
        QVERIFY(!w->soundLists().delDialog()->isVisible());
        QCOMPARE(w->soundLists().delProgressValue(), 0);
        QCOMPARE(f.prompter.texts(), QStringList());
    }

    // The pad holds the record of a change its next load has to end (another
    // session's, say): a delete and an add write nothing beside it, the rows
    // stay, and each box says why.
    void aChangeLeftOnThePadHoldsBackTheNextOne()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.1);
        QVERIFY(!tone.isEmpty());
        kf::writeFile(f.pad.sysPath + "/.zt-journal-undo", "an earlier change");
        const QStringList before = f.pad.snapshot(), rows = f.rows();
        const QString why = "The sampler pad holds the record of an earlier change that its next load ends first "
                            "or, if it cannot, names.";

        deleteRows(w, {1});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"These sounds were not deleted from the sampler pad and stay in the list:\r\nwave2 ("
                                      + why.left(why.size() - 1).replace(0, 1, "t") + ")",
                              why + "\r\nThese sounds could not be written to the sampler pad and were not added:\r\n"
                                      + tone}));
        QCOMPARE(f.rows(), rows);
        QCOMPARE(f.pad.snapshot(), before);
    }

    // Another program writes over a sound's .wav after the deletion read it:
    // neither file of the pair goes, and the box says which one changed.
    void aPairChangedDuringItsDeletionStaysWhole()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        WatchingChanges watch([&](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::OpenedForWriting && path.endsWith(padjournal::STAGING_NAME))
                kf::writeFile(f.wav(2), "another program's bytes");
        });
        const DiskInPlace inPlace(f.disk, &watch);
        const QStringList rows = f.rows();
        deleteRows(w, {1});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(),
                 QStringList{"These sounds were not deleted from the sampler pad and stay in the list:\r\nwave2 ("
                             + QFileInfo(f.wav(2)).fileName() + " changed on the sampler pad after it was read)"});
        QCOMPARE(f.rows(), rows);
        QVERIFY(QFile::exists(f.prm(2)));
        QCOMPARE(kf::readFile(f.wav(2)), QByteArray("another program's bytes"));
    }

    // Pad A pulled and pad B, with the same files, mounted in its place: the
    // volume's serial alone tells them apart. A deletion removes nothing from
    // B and the editor goes on offline.
    void anotherPadAtThePlaceLosesNoSound()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        serial.uuid = "B";
        const QStringList before = f.pad.snapshot();

        deleteRows(w, {1});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad at the drive is not the one that was loaded: nothing "
                                                 "was written to it or deleted from it. Korvanta goes on without the "
                                                 "sampler pad and keeps your edits.\r\nIt is another volume: its "
                                                 "volume serial number or its USB serial number differs.\r\nThese "
                                                 "sounds were not deleted from the sampler pad and stay in the "
                                                 "list:\r\nwave2"});
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(w->pad().isUDiskFlag() && !w->soundLists().delDialog()->isVisible());
        QVERIFY(w->form()->left_stackedSoundWidget->acceptDrops()); // offline: the group tree takes files again
    }

    // The pad not found at its place for a moment when a delete begins:
    // nothing is removed, and the box says why though the pad is back.
    void aPadAwayForAMomentIsNamed()
    {
        ReusedMountIds mounts;
        PadWindow f;
        f.layOut(3);
        f.volumes = &mounts;
        MainWindow1 *w = f.open();
        mounts.awayChecks = 1;
        deleteRows(w, {1});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad was not found at its place for a moment while this "
                                                 "ran; it is there again now.\r\nThese sounds were not deleted from "
                                                 "the sampler pad and stay in the list:\r\nwave2"});
        QVERIFY(QFile::exists(f.wav(2)) && QFile::exists(f.prm(2)));
        QVERIFY(!w->pad().isUDiskFlag());
    }

    // A new mount without SYS/global.ini at the pad's place while a delete
    // removes its files: the pairs had all left their names, so the rows go,
    // the box says the pad is gone and that its next load ends the delete,
    // and the next load does.
    void aPadGoneDuringADeleteLeavesItToTheNextLoad()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(4);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::Removed && path.contains(".prm") && serial.mounts == 0) {
                serial.mounts = 1;
                QFile::rename(f.pad.sysPath + "/global.ini", f.pad.sysPath + "/global.old");
            }
        };
        deleteRows(w, {1, 2}); // sound 3 first, then 2
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.rows(), (QStringList{"1|wave1|" + f.wav(1), "4|wave4|" + f.wav(4)}));
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The 350 device was disconnected.\r\nThese sounds were deleted from the list; the "
                             "sampler pad was cut off before the deletion ended, and its next load finishes it:"
                             "\r\nwave2\r\nwave3"});
        QVERIFY(QFile::rename(f.pad.sysPath + "/global.old", f.pad.sysPath + "/global.ini"));
        const PadFixture::Loaded again = f.pad.loadAgain();
        QVERIFY2(again.text().contains("The deletion of these sounds was finished: 2, 3."), qPrintable(again.text()));
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 2);
        QCOMPARE(again.hidden, QStringList());
    }

    // A pair whose .prm another program removed: the delete names the file
    // gone and keeps the row, with its record and its .wav, until the user
    // says Yes; then what is left goes.
    void aHalfPairGoesOnlyOnceConfirmed()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        QVERIFY(QFile::remove(f.prm(3)));
        const QStringList rows = f.rows();
        const QString question = "One file of each of these sounds was already gone from the sampler pad (another "
                                 "program may have removed it); they stay in the list:\r\nwave3 (003.prm is gone)"
                                 "\r\nDelete what is left of them from the sampler pad?";
        auto deleteThird = [&]() {
            const QModelIndex third = w->library().totalListItemModel()->soundIndex(2); // in no kit
            w->form()->totalWaveTreeView->selectionModel()->select(third, QItemSelectionModel::ClearAndSelect
                                                                               | QItemSelectionModel::Rows);
            w->soundLists().deleteSelectedSounds();
        };
        f.prompter.buttonAnswers.enqueue(QMessageBox::No);
        deleteThird();
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{question});
        QCOMPARE(f.rows(), rows);
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 3);
        QVERIFY(QFile::exists(f.wav(3)));
        QVERIFY(w->pad().delUsbWaveNumList().isEmpty());

        f.prompter.clear();
        f.prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        deleteThird();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(f.wav(3)) && batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{question});
        QCOMPARE(f.rows(), (QStringList{"1|wave1|" + f.wav(1), "2|wave2|" + f.wav(2)}));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 2);
        QCOMPARE(w->pad().delUsbWaveNumList(), QVector<quint16>{3});
        QCOMPARE(f.pad.loadAgain().sounds.waveLoadKitAttrList.size(), 2);
    }

    // A delete on a pad mounted read-only: the pair stays, so do its row and
    // its record, the change file does not count it, and one warning says why.
    void aDeleteOnAReadOnlyPadKeepsItsRow()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadWindow f;
        f.layOut(3);
        BindMount bind;
        if (!bind.mount(f.pad.root, "zt350-ro") || !bind.makeReadOnly())
            QSKIP(qPrintable("cannot mount read-only here (" + bind.error + ")"));
        MainWindow1 *w = f.openAt(bind.mountPoint);
        const QStringList rows = f.rows();
        auto records = [w]() {
            QStringList files;
            for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList()))
                files << s.file;
            return files;
        };
        const QStringList loaded = records();
        const QStringList before = f.pad.snapshot();

        const QModelIndex third = w->library().totalListItemModel()->soundIndex(2);
        w->form()->totalWaveTreeView->selectionModel()->select(third, QItemSelectionModel::ClearAndSelect
                                                                          | QItemSelectionModel::Rows);
        w->soundLists().deleteSelectedSounds(); // sound 3, in no kit
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad is read-only (write-protected).\r\nThese sounds "
                                                 "were not deleted from the sampler pad and stay in the list:\r\n"
                                                 "wave3"});
        QCOMPARE(f.prompter.titles(), QStringList{"Warning"});
        QCOMPARE(f.rows(), rows);
        QCOMPARE(records(), loaded);
        QVERIFY(w->pad().delUsbWaveNumList().isEmpty());
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!w->soundLists().delDialog()->isVisible());
    }

    // A delete that could reach only one file or none: the .prm's folder
    // became a link after the load, the .prm cannot be removed, or a folder
    // or a link stands at a file's name. Everything stays where it was, so
    // does the row, and the box says why, naming what stands there.
    void aDeleteThatReachesOneFileKeepsThePair_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("record folder become a link")
                << int(LinkedRecordFolder) << "its folder is a link or leads out of the sampler pad";
        QTest::newRow("record immutable")
                << int(ImmutableRecord) << "the sampler pad refused to remove its files: Operation not permitted";
        QTest::newRow("record replaced by a folder") << int(FolderAtRecord) << "003.prm is a folder";
        QTest::newRow("sound replaced by a link") << int(LinkAtSound) << "003.wav is a link, not a file of its own";
    }
    void aDeleteThatReachesOneFileKeepsThePair()
    {
        QFETCH(int, kind);
        QFETCH(QString, why);
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        QTemporaryDir outside;
        const QString folder = f.pad.prmPath + "/001", moved = outside.filePath("001");
        if (kind == LinkedRecordFolder)
            QCOMPARE(QProcess::execute("sh", {"-c", "mv '" + folder + "' '" + moved + "' && ln -s '" + moved + "' '"
                                                            + folder + "'"}),
                     0);
        else if (kind == FolderAtRecord)
            QVERIFY(QFile::remove(f.prm(3)) && QDir().mkdir(f.prm(3)));
        else if (kind == LinkAtSound)
            QVERIFY(QFile::remove(f.wav(3)) && QFile::link(f.wav(1), f.wav(3)));
        else if (QProcess::execute("chattr", {"+i", f.prm(3)}) != 0)
            QSKIP("chattr +i is not available here (needs root and a file system that keeps the flag)");
        const auto unlock = qScopeGuard([&] { QProcess::execute("chattr", {"-i", f.prm(3)}); });
        const QStringList rows = f.rows();
        deleteRows(w, {2});
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"These sounds were not deleted from the sampler pad and stay in the "
                                                 "list:\r\nwave3 (" + why + ")"});
        QCOMPARE(f.rows(), rows);
        QVERIFY(QFile::exists(f.wav(3)) && QFile::exists(f.prm(3)));
        QCOMPARE(QFileInfo(f.prm(3)).isDir(), kind == FolderAtRecord);
        QCOMPARE(QFileInfo(f.wav(3)).isSymLink(), kind == LinkAtSound);
        QCOMPARE(QDir(f.pad.dataPath + "/001").entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void aRefusedDeleteLeftRunningGetsItsRecordsBack_data()
    {
        QTest::addColumn<int>("later");
        QTest::newRow("another sound deleted") << int(Another);
        QTest::newRow("the same sound deleted") << int(TheSame);
        QTest::newRow("another sound deleted, then undone") << int(Undone);
    }

    // A delete left running on a pad that fell silent, then a delete offline
    // while it runs: when the pad at last refuses the first, its row keeps or
    // gets back its own record, and no record is left without its row.
    void aRefusedDeleteLeftRunningGetsItsRecordsBack()
    {
        QFETCH(int, later);
        PadWindow f;
        f.layOut(4);
        MainWindow1 *w = f.open();
        HangingOpens hanging(f.disk, QFile::encodeName(QFileInfo(QFileInfo(f.wav(2)).path()).fileName()));
        deleteRows(w, {1}); // wave2: its worker waits on its folder
        QTRY_COMPARE(hanging.waiting(), 1);
        f.drives.hang(f.root());
        QTRY_VERIFY_WITH_TIMEOUT(w->pad().isUDiskFlag(), 60000);
        QVERIFY(!batchDone(w));

        deleteRows(w, {later == TheSame ? 1 : 3}); // offline
        QCOMPARE(recordFiles(w), later == TheSame ? (QStringList{f.wav(1), f.wav(3), f.wav(4)})
                                                  : (QStringList{f.wav(1), f.wav(3)}));

        // The pad answers again, holding a change its next load has to end.
        kf::writeFile(f.pad.sysPath + "/.zt-journal-undo", "an earlier change");
        f.drives.release(f.root());
        hanging.release();
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QVERIFY(QFile::exists(f.wav(2)) && QFile::exists(f.prm(2)));
        const QStringList left = later == TheSame ? QStringList{f.wav(1), f.wav(3), f.wav(4)}
                                                  : QStringList{f.wav(1), f.wav(2), f.wav(3)};
        QCOMPARE(rowFiles(f), left);
        QCOMPARE(recordFiles(w), left);
        if (later == Undone) {
            // The pad's batch changed the list under the step.
            w->history().undo();
            QCOMPARE(f.prompter.texts().last(), QString("\"DEL of sound wave4\" cannot be undone:\r\nThe sound list "
                                                        "changed since (a save or the pad): this step can no longer "
                                                        "be undone."));
            QCOMPARE(rowFiles(f), left);
            QCOMPARE(recordFiles(w), left);
        }
    }

    // A batch the pad refuses at its first file stops there: the sounds
    // after it are not converted, and one box names them all, with the cause.
    void aRefusedWriteStopsTheBatch()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString folder = f.pad.dataPath + "/001";
        if (QProcess::execute("chattr", {"+i", folder}) != 0)
            QSKIP("chattr +i is not available here (needs root and a file system that keeps the flag)");
        const auto unlock = qScopeGuard([&] { QProcess::execute("chattr", {"-i", folder}); });
        const QString log = f.work.filePath("conversions");
        const QString counting = f.work.filePath("counting-ffmpeg");
        const QString script =
                "#!/bin/sh\necho x >> '" + log + "'\nexec " + audioconverter::defaultProgram() + " \"$@\"\n";
        touchFile(counting, script.toUtf8());
        QFile(counting).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        w->padSync().ensureSyncBatch()->setConverterProgram(counting);
        QStringList tones;
        for (int i = 0; i < 4; ++i)
            tones << QDir::toNativeSeparators(makeTone(f.work.filePath(QString("t%1.wav").arg(i)), 0.05));
        f.importSounds(tones);
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 60000);
        QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad refused a write (Operation not permitted); the "
                                                 "sounds after it were not tried.\r\nThese sounds could not be "
                                                 "written to the sampler pad and were not added:\r\n"
                                                 + tones.join("\r\n")});
        QCOMPARE(kf::readFile(log), QByteArray("x\nx\n")); // one per worker
        QCOMPARE(f.rows().size(), 3);
    }

    // A renumbering killed at a middle rename: the box says where the sounds
    // are; the next load finishes it, sounds and kits together, and says so.
    void aRenumberingCutShortIsFinishedAtTheNextLoad()
    {
        const TempInMemory inMemory;
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8});
        const QByteArray kit1 = kf::readFile(f.pad.kitPath + "/k001.ini");
        MainWindow1 *w = f.open();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        // The record (staged and renamed), then the fourth rename to a hidden name.
        stopBefore(f.disk, f.pad.root, 9, [&](ztplatform::Disk &) { w->padSync().updateWavePrmAndData(3, {2, 5, 9}); },
                   false);
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sounds on the sampler pad could not be renumbered, and the change could not be "
                             "taken back; the next load of the sampler pad finishes it or takes it back, kits and "
                             "sounds together.\r\n"
                             "Sound 2: under hidden names, out of the pad's list.\r\n"
                             "Sound 5: under hidden names, out of the pad's list.\r\n"
                             "The sampler pad refused a write (Input/output error); the change stays recorded and "
                             "the next load of the sampler pad takes it up again."});
        QCOMPARE(w->library().waveLoadKitAttrList()[1].wave_No, quint16(5));
        delete f.w.data();
        f.prompter.clear();
        f.open();
        QCOMPARE(f.prompter.texts(), QStringList{"A change of the sounds on the sampler pad was cut short; it is now put in order.\r\nA renumbering cut "
                                                 "short was finished: the kits on the sampler pad name the sounds' "
                                                 "new numbers.\r\nSound 2 is now number 1.\r\nSound 5 is now "
                                                 "number 2.\r\nSound 9 is now number 3.\r\nThese kits name the "
                                                 "sounds by their new numbers: 1\u2013100."});
        QCOMPARE(f.rows(), (QStringList{"1|wave2|" + f.wav(1), "2|wave5|" + f.wav(2), "3|wave9|" + f.wav(3)}));
        // Kit 1 names the sounds it named before by their new numbers.
        QVERIFY(kf::readFile(f.pad.kitPath + "/k001.ini") != kit1);
        QCOMPARE(f.pad.loadAgain().hidden, QStringList());
    }

    // In Chinese the same stop's box names the refused write too.
    void aRenumberingCutShortTellsTheRefusalInChinese()
    {
        QTranslator cn;
        QVERIFY(cn.load(QStringLiteral(":/cn.qm")));
        QCoreApplication::installTranslator(&cn);
        const auto untranslate = qScopeGuard([&] { QCoreApplication::removeTranslator(&cn); });
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8});
        MainWindow1 *w = f.open();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        stopBefore(f.disk, f.pad.root, 9, [&](ztplatform::Disk &) { w->padSync().updateWavePrmAndData(3, {2, 5, 9}); },
                   false);
        const QStringList lines = f.prompter.texts().value(0).split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.last(), QString::fromUtf8("采样打击垫拒绝了一次写入（Input/output error）；更改记录保留，"
                                                 "下次载入采样打击垫时将继续处理。"));
    }

    void twoHundredSoundsFillNewFolders()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("t.wav"), 0.02);
        QVERIFY(!tone.isEmpty());
        QStringList files;
        for (int i = 0; i < 200; ++i) {
            files << QDir::toNativeSeparators(f.work.filePath(QString("s%1.wav").arg(i)));
            QVERIFY(QFile::copy(tone, files.last()));
        }
        f.importSounds(files);
        QTRY_VERIFY_WITH_TIMEOUT(batchDone(w), 120000);
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 203);
        for (int n = 4; n <= 203; ++n) {
            QVERIFY2(QFileInfo(f.wav(n)).size() > 44, qPrintable(f.wav(n)));
            QCOMPARE(kf::rd16(kf::readFile(f.prm(n)), 0), quint16(n));
        }
        QCOMPARE(w->library().totalListItemModel()->soundItem(202, 0)->text(), QString("203"));
        QCOMPARE(w->padSync().syncBatch()->liveWorkers(), 0);
    }

    // A renumbering that finds another pad at the pad's place says so once.
    void anotherPadAtARenumberingIsToldOnce()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        serial.uuid = "B";
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            std::swap(r[0], r[2]);
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        w->padSync().updateWavePrmAndData(3, {3, 2, 1});
        QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad at the drive is not the one that was loaded: nothing "
                                                 "was written to it or deleted from it. Korvanta goes on without the "
                                                 "sampler pad and keeps your edits.\r\nIt is another volume: its "
                                                 "volume serial number or its USB serial number differs."});
    }

    // A renumbering whose pad is swapped for another, or pulled, once every
    // file took its hidden name: the box says what is at the drive and
    // claims no sound missing; the pad's next load ends the change, kits and
    // sounds together.
    void aRenumberingCutByASwapOrAPullSaysWhatIsThere_data()
    {
        QTest::addColumn<bool>("swapped");
        QTest::newRow("another pad") << true;
        QTest::newRow("pulled") << false;
    }
    void aRenumberingCutByASwapOrAPullSaysWhatIsThere()
    {
        QFETCH(bool, swapped);
        FakeVolumeSerial serial;
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8});
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        bool cut = false;
        {
            FileEvents events(f.disk);
            events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
                if (e != ztplatform::FileEvent::Synced || !path.contains("/WAV_DATA/") || cut)
                    return;
                cut = true;
                if (swapped) {
                    serial.uuid = "B";
                } else {
                    serial.mounts = 1;
                    QFile::rename(f.pad.sysPath + "/global.ini", f.pad.sysPath + "/global.old");
                }
            };
            w->padSync().updateWavePrmAndData(3, {2, 5, 9});
        }
        QVERIFY(cut);
        const QString text = f.prompter.texts().join("\n");
        QVERIFY2(text.startsWith(swapped ? "The sampler pad at the drive is not the one that was loaded"
                                         : "The 350 device was disconnected.\r\n"),
                 qPrintable(text));
        QVERIFY2(text.endsWith("The sounds on the sampler pad could not be renumbered, and the change could not be "
                               "taken back; the next load of the sampler pad finishes it or takes it back, kits and "
                               "sounds together.\r\nThe sampler pad is not at its place; its next load tells where "
                               "its sounds are."),
                 qPrintable(text));
        QCOMPARE(f.prompter.texts().size(), 1);
        QCOMPARE(w->library().waveLoadKitAttrList()[1].wave_No, quint16(5));
        serial.uuid = "A";
        QFile::rename(f.pad.sysPath + "/global.old", f.pad.sysPath + "/global.ini");
        delete f.w.data();
        f.prompter.clear();
        f.open();
        QVERIFY2(f.prompter.texts().value(0).contains("A renumbering cut short was"),
                 qPrintable(f.prompter.texts().join("\n")));
        QCOMPARE(f.pad.loadAgain().hidden, QStringList());
        const QStringList rows = f.rows();
        QCOMPARE(rows.size(), 3);
        QVERIFY2(rows == (QStringList{"1|wave2|" + f.wav(1), "2|wave5|" + f.wav(2), "3|wave9|" + f.wav(3)})
                         || rows == (QStringList{"2|wave2|" + f.wav(2), "5|wave5|" + f.wav(5), "9|wave9|" + f.wav(9)}),
                 qPrintable(rows.join(", ")));
    }

    // A renumbering's pad work runs off the GUI thread under the pad's
    // progress: with slow syncs the window's timers run meanwhile and the
    // result is the same. A pad that stops answering during it is told once
    // and left as away, the list keeping its numbers; the work left running
    // writes nothing more once the pad answers, and the pad's next load ends
    // the change.
    void aRenumberingDoesNotHoldTheWindow()
    {
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8});
        MainWindow1 *w = f.open();
        const QByteArray prm9 = kf::readFile(f.prm(9));
        auto renumber = [w](const QVector<int> &old) {
            editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
                for (int i = 0; i < 3; ++i)
                    r[i].wave_No = quint16(i + 1);
            });
            w->padSync().updateWavePrmAndData(3, old);
        };
        std::mutex lock;
        std::condition_variable resume;
        bool hang = false, held = false, released = false, dialogShown = false, answered = false, unanswered = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &) {
            std::unique_lock<std::mutex> hold(lock);
            if (e != ztplatform::FileEvent::Synced)
                return;
            if (!hang) {
                // The first sync waits until the window has answered (a minute at most).
                if (!unanswered && !resume.wait_for(hold, std::chrono::minutes(1), [&] { return answered; }))
                    unanswered = true;
                return;
            }
            if (held)
                return;
            held = true;
            f.drives.hang(f.root());
            resume.wait(hold, [&] { return released; });
        };
        int turns = 0;
        QTimer turn;
        QObject::connect(&turn, &QTimer::timeout, [&] {
            if (++turns == 2)
                w->padSync().runQueuedBatch(0); // a delete asked for meanwhile waits its turn
            dialogShown = dialogShown || (w->padSync().usbDialog() && w->padSync().usbDialog()->isVisible());
            if (turns >= 2 && dialogShown) {
                std::lock_guard<std::mutex> hold(lock);
                answered = true;
                resume.notify_all();
            }
        });
        turn.start(20);
        renumber({2, 5, 9});
        QVERIFY(turns >= 2 && dialogShown);
        QVERIFY(answered); // while the renumbering was held at its first sync
        QVERIFY(!w->padSync().usbDialog()->isVisible());
        QCOMPARE(f.prompter.texts(), QStringList());
        QVERIFY(!QFile::exists(f.wav(9)) && !QFile::exists(f.prm(5)));
        QCOMPARE(kf::readFile(f.prm(3)), QByteArray(prm9).replace(0, 2, QByteArray("\x03\x00", 2)));
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].soundFile0, QDir::toNativeSeparators(f.wav(2)));
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].aWaveNo, quint16(2));

        // Sounds 1 and 3 swap, and the pad falls silent at the first sync.
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { std::swap(r[0], r[2]); });
        {
            std::lock_guard<std::mutex> hold(lock);
            hang = true;
        }
        const TurnsWhile heldTurns([&] {
            std::lock_guard<std::mutex> hold(lock);
            return held && f.prompter.texts().isEmpty();
        });
        renumber({3, 2, 1});
        // Given up on while the sync is held, the window answering meanwhile.
        QVERIFY(held && heldTurns.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sampler pad stopped answering while the changes were written to it; they may have "
                             "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps "
                             "your edits."});
        QVERIFY(w->pad().isUDiskFlag());
        QCOMPARE(w->library().waveLoadKitAttrList()[0].wave_No, quint16(3));
        // Every file but the change's record, as the pad holds them now.
        const auto soundsAndKits = [&f] {
            QStringList files = f.pad.snapshot();
            for (auto i = files.begin(); i != files.end();)
                i = i->startsWith(f.pad.sysPath + "/") ? files.erase(i) : i + 1;
            return files;
        };
        const QStringList filesHeld = soundsAndKits();
        {
            std::lock_guard<std::mutex> hold(lock);
            released = true;
        }
        resume.notify_all();
        f.drives.release(f.root());
        QTest::qWait(500);
        QCOMPARE(soundsAndKits(), filesHeld);
        QVERIFY(!QDir(f.pad.sysPath).entryList(QDir::Hidden | QDir::Files).filter(".zt-journal").isEmpty());
        // Finished or undone, the pad holds whole pairs under their numbers.
        QCOMPARE(f.pad.loadAgain().hidden, QStringList());
        QVERIFY(QDir(f.pad.sysPath).entryList(QDir::Hidden | QDir::Files).filter(".zt-journal").isEmpty());
        for (int n : {1, 2, 3})
            QCOMPARE(kf::rd16(kf::readFile(f.prm(n)), 0), quint16(n));
    }

    // A renumbering whose sync of a wave folder does not return while the
    // pad's root answers is given up on within the limit of any look: told
    // while the sync is held, the list keeps its numbers, and once the sync
    // returns no sound or kit changes more; the pad's next load ends it.
    void aRenumberingHeldWhileThePadAnswersIsGivenUp()
    {
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8});
        MainWindow1 *w = f.open();
        const QString dataPath = f.pad.dataPath;
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::Synced || !path.startsWith(dataPath))
                return;
            held = true; // the root still answers
            resume.wait(hold, [&] { return released; });
        };
        auto release = [&] {
            {
                std::lock_guard<std::mutex> hold(lock);
                released = true;
            }
            resume.notify_all();
        };
        const auto releasedAtEnd = qScopeGuard(release);
        const TurnsWhile heldTurns([&] {
            std::lock_guard<std::mutex> hold(lock);
            return held && f.prompter.texts().isEmpty();
        });
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        w->padSync().updateWavePrmAndData(3, {2, 5, 9});
        {
            std::lock_guard<std::mutex> hold(lock);
            QVERIFY(held && !released); // told while the sync is still held
        }
        QVERIFY(heldTurns.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sampler pad stopped answering while the changes were written to it; they may have "
                             "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps "
                             "your edits."});
        QVERIFY(w->pad().isUDiskFlag());
        QCOMPARE(w->library().waveLoadKitAttrList()[0].wave_No, quint16(2));
        // Every file but the change's record, as the pad holds them now.
        const QRegularExpression notSys("^(?!" + QRegularExpression::escape(f.pad.sysPath) + "/)");
        const QStringList filesHeld = f.pad.snapshot().filter(notSys);
        release();
        QTest::qWait(500);
        QCOMPARE(f.pad.snapshot().filter(notSys), filesHeld);
        // Finished or undone, the pad holds whole pairs under their numbers.
        QCOMPARE(f.pad.loadAgain().hidden, QStringList());
        QVERIFY(QDir(f.pad.sysPath).entryList(QDir::Hidden | QDir::Files).filter(".zt-journal").isEmpty());
        int pairs = 0;
        for (int n : {1, 2, 3, 5, 9}) {
            QCOMPARE(QFileInfo(f.wav(n)).isFile(), QFileInfo(f.prm(n)).isFile());
            if (QFileInfo(f.prm(n)).isFile() && ++pairs)
                QCOMPARE(kf::rd16(kf::readFile(f.prm(n)), 0), quint16(n));
        }
        QCOMPARE(pairs, 3);
    }

    void renumberedSoundsMoveTheirPairs()
    {
        PadWindow f;
        for (int n : {2, 5, 9})
            f.pad.addWave(n);
        f.pad.writeKits({4, 8}); // pads use sounds 5 and 9
        MainWindow1 *w = f.open();
        const QString old5 = QDir::toNativeSeparators(f.wav(5));
        const QByteArray prm9 = kf::readFile(f.prm(9));
        int kitsUsing5 = 0;
        for (const Kit &kit : qAsConst(w->doc().kitAttrList()))
            kitsUsing5 += kit.kpadChunk[0].soundFile0 == old5;
        QVERIFY(kitsUsing5 > 0);

        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        w->padSync().updateWavePrmAndData(3, {2, 5, 9});
        QVERIFY(!QFile::exists(f.wav(9)) && !QFile::exists(f.prm(5)));
        QCOMPARE(kf::readFile(f.prm(3)), QByteArray(prm9).replace(0, 2, QByteArray("\x03\x00", 2)));
        QCOMPARE(w->library().waveLoadKitAttrList()[1].file, QDir::toNativeSeparators(f.wav(2)));
        QCOMPARE(f.rows()[2], "9|wave9|" + f.wav(3)); // the number column is the caller's to rebuild
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].soundFile0, QDir::toNativeSeparators(f.wav(2)));
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].aWaveNo, quint16(2));
        QCOMPARE(w->doc().kitNumFlagList()[0], quint8(1));
        QVERIFY(w->padSync().reorderSoundFlag());

        // A later sound taking an earlier one's old file: no slot moves twice.
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { std::swap(r[0], r[2]); }); // files 003, 002, 001
        reloadKit(w->doc(), 5, [&](MainWindow1Records::soundKit &kit) {
            kit.kpadChunk[1].soundFile0 = QDir::toNativeSeparators(f.wav(3));
            kit.kpadChunk[2].soundFile0 = QDir::toNativeSeparators(f.wav(1));
        });
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < 3; ++i)
                r[i].wave_No = quint16(i + 1);
        });
        w->padSync().updateWavePrmAndData(3, {3, 2, 1});
        QCOMPARE(w->doc().kitAttrList()[5].kpadChunk[1].soundFile0, QDir::toNativeSeparators(f.wav(1)));
        QCOMPARE(w->doc().kitAttrList()[5].kpadChunk[2].soundFile0, QDir::toNativeSeparators(f.wav(3)));
        QCOMPARE(kf::rd16(kf::readFile(f.prm(1)), 0), quint16(1));

        // A pair that cannot move: everything stays, the numbers come back.
        QVERIFY(QFile::remove(f.prm(2)));
        const QStringList before = f.pad.snapshot();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[1].wave_No = 7; });
        w->padSync().updateWavePrmAndData(3, {1, 2, 3});
        QCOMPARE(f.prompter.titles(), QStringList{"Warning"});
        QCOMPARE(w->library().waveLoadKitAttrList()[1].wave_No, quint16(2));
        QCOMPARE(f.pad.snapshot(), before);
    }
};

QTEST_MAIN(TestPadSync)
#include "test_padsync.moc"

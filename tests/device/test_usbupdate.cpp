#include "device/padjournal.h"
#include "device/syncbatch.h"
#include "device/usbupdate.h"
#include "model/audioconverter.h"
#include "fatimage.h"
#include "padfixture.h"
#include "padstops.h"
#include "support/crashdisk.h"
#include "support/memorytemp.h"
#include "support/passdisk.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

// Sounds written to and deleted from the pad by the workers on their own
// threads, with the real ffmpeg.
class TestUsbUpdate : public QObject {
    Q_OBJECT

    const TempInMemory m_inMemory; // the pad trees below lie in memory, made before any of them
    QTemporaryDir m_inputs;
    QString m_tone; // one second at 48 kHz
    QString m_click; // 20 ms

    static int threadCount() { return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); }
    // An ended thread leaves the system a moment after it was waited for.
    static int settledThreadCount()
    {
        int last = -1, now = threadCount();
        for (int i = 0; i < 100 && now != last; ++i) {
            QThread::msleep(20);
            last = now;
            now = threadCount();
        }
        return now;
    }

    QString makeTone(const QString &name, double seconds)
    {
        const QString out = m_inputs.filePath(name);
        QProcess p;
        p.start(audioconverter::defaultProgram(),
                {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                 QString("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds), "-y", out});
        return p.waitForFinished(60000) && p.exitCode() == 0 ? out : QString();
    }

    // Runs the batch to its end; false when it did not end in time.
    static bool finish(SyncBatch &batch)
    {
        QSignalSpy done(&batch, &SyncBatch::finished);
        return done.count() > 0 || done.wait(120000);
    }

    static QVector<SyncBatch::Sound> sounds(int first, int count, const QString &source)
    {
        QVector<SyncBatch::Sound> list;
        for (int n = first; n < first + count; ++n)
            list << SyncBatch::Sound{n, source, QString("tone%1").arg(n)};
        return list;
    }

    static ztplatform::FolderAnchor root(const PadFixture &pad) { return pad.anchor(); }

    // The workers' pad root: `walks` walks let in, then another pad found.
    struct AnotherPadAfter : ztplatform::RootCheck {
        int walks = 0;
        QAtomicInt asked;
        ztplatform::Reach admit(int) override
        {
            return asked.fetchAndAddRelaxed(1) < walks ? ztplatform::Reach::Inside : ztplatform::Reach::Replaced;
        }
    };
    static std::shared_ptr<AnotherPadAfter> checkedRoot(SyncBatch &batch, const PadFixture &pad, int walks)
    {
        auto check = std::make_shared<AnotherPadAfter>();
        check->walks = walks;
        ztplatform::FolderAnchor root = pad.anchor();
        root.setCheck(check);
        batch.setPad(root, pad.tree());
        return check;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_inputs.isValid());
        m_tone = makeTone("tone.wav", 1.0);
        m_click = makeTone("click.wav", 0.02);
        if (m_tone.isEmpty() || m_click.isEmpty())
            QFAIL("ffmpeg cannot make the test tones; it is needed beside the tests or on PATH");
    }

    void oneToneBecomesAPair()
    {
        PadFixture pad;
        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy steps(&batch, &SyncBatch::progress);
        QSignalSpy failures(&batch, &SyncBatch::waveFailed);
        QVERIFY(batch.startAdd({SyncBatch::Sound{100, m_tone, QString::fromUtf8("Tön€ with a long name!")}}));
        QCOMPARE(batch.workerCount(), 2);
        QVERIFY(finish(batch));
        QCOMPARE(steps.count(), 1); // the first worker's share is empty
        QCOMPARE(failures.count(), 0);

        const QByteArray wav = kf::readFile(pad.dataPath + "/002/100.wav");
        QCOMPARE(wav.size(), 44 + 192000);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QByteArray expected(64, '\0');
        kf::wr16(expected, 0, 100);
        const QByteArray name = QByteArray("T\xF6n") + '\0' + QByteArray(" with a long name!").left(16);
        expected.replace(2, name.size(), name);
        kf::wr32(expected, 26, 48000);
        kf::wr32(expected, 34, 48000);
        kf::wr32(expected, 38, 192044);
        expected[42] = 1;
        QCOMPARE(kf::readFile(pad.prmPath + "/002/100.prm"), expected);
        QCOMPARE(batch.liveWorkers(), 0);
    }

    void failedConversionsLeaveNothingBehind()
    {
        PadFixture pad;
        const QString text = m_inputs.filePath("notes.txt");
        touchFile(text, "not a sound at all\n");
        touchFile(pad.prmPath + "/001/002.prm", QByteArray(64, '\x07')); // a record the batch did not write
        const QString pipe = m_inputs.filePath("pipe.wav"); // ffmpeg would wait on it for ever
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy steps(&batch, &SyncBatch::progress);
        QSignalSpy failures(&batch, &SyncBatch::waveFailed);
        QVERIFY(batch.startAdd({{1, m_click, "a"}, {2, text, "b"}, {3, m_click, "c"}, {4, pipe, "d"}}));
        QVERIFY(finish(batch));
        QCOMPARE(steps.count(), 4);
        QCOMPARE(failures.count(), 2);
        QVERIFY(failures.contains(QVariantList{2, text, 0}) && failures.contains(QVariantList{4, pipe, 0}));
        QVERIFY(!QFileInfo::exists(pad.dataPath + "/001/002.wav"));
        QCOMPARE(kf::readFile(pad.prmPath + "/001/002.prm"), QByteArray(64, '\x07')); // left as it was
        QVERIFY(QFileInfo::exists(pad.prmPath + "/001/003.prm"));

        // Without ffmpeg every sound is reported, none is written, and the batch ends.
        SyncBatch noConverter;
        noConverter.setPad(root(pad), pad.tree());
        noConverter.setConverterProgram(m_inputs.filePath("no-such-ffmpeg"));
        QSignalSpy noSteps(&noConverter, &SyncBatch::progress);
        QSignalSpy noFailures(&noConverter, &SyncBatch::waveFailed);
        QVERIFY(noConverter.startAdd(sounds(150, 5, m_click)));
        QVERIFY(finish(noConverter));
        QCOMPARE(noSteps.count(), 5);
        QCOMPARE(noFailures.count(), 5);
        QVERIFY(!QFileInfo::exists(pad.dataPath + "/002/050.wav"));
        QVERIFY(!QFileInfo::exists(pad.prmPath + "/002"));
    }

    // Another pad found at the pad's place: each worker stops there; the
    // sounds left are reported, neither converted nor offered to the pad.
    void anotherPadStopsTheBatch()
    {
        PadFixture pad;
        SyncBatch batch;
        const auto check = checkedRoot(batch, pad, 0);
        QSignalSpy failures(&batch, &SyncBatch::waveFailed);
        QVERIFY(batch.startAdd(sounds(1, 6, m_click)));
        QVERIFY(finish(batch));
        QCOMPARE(failures.count(), 6);
        QCOMPARE(check->asked.loadRelaxed(), 1); // once, before anything is written
    }

    void manySoundsFillNewFoldersAndNoThreadIsLeft()
    {
        PadFixture pad;
        const int threadsBefore = settledThreadCount();
        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy steps(&batch, &SyncBatch::progress);
        QVERIFY(batch.startAdd(sounds(150, 200, m_click))); // folders 002 ... 004
        batch.waitForFinished();
        QVERIFY(!batch.isRunning());
        QCOMPARE(steps.count(), 200);
        QCOMPARE(batch.liveWorkers(), 0);
        // Threads of earlier tests may end meanwhile; none of the batch's stays.
        const int threadsAfter = settledThreadCount();
        QVERIFY2(threadsAfter <= threadsBefore, qPrintable(QString("%1 threads, %2 before").arg(threadsAfter).arg(threadsBefore)));
        for (int n = 150; n < 350; ++n) {
            const QString rel = padtree::wavePrmRelativePath(n);
            QCOMPARE(kf::rd16(kf::readFile(pad.prmPath + "/" + rel), 0), quint16(n));
            QVERIFY(QFileInfo(pad.dataPath + "/" + padtree::waveDataRelativePath(n)).size() > 44);
        }
    }

    // Only absolute folders are the pad's. Relative ones are tried from a
    // temporary working folder, so that nothing could land elsewhere.
    void padFoldersMustBeAbsolute()
    {
        QVERIFY(!padtree::isUsableFolder(QString()));
        QVERIFY(!padtree::isUsableFolder("WAV_DATA"));
        QVERIFY(padtree::isUsableFolder(m_inputs.path()));
        QTemporaryDir work;
        const auto back = qScopeGuard([old = QDir::currentPath()] { QDir::setCurrent(old); });
        QVERIFY(QDir::setCurrent(work.path()));
        touchFile("WAV_DATA/001/001.wav", kf::wavBytes(400, 1));
        touchFile("WAV_PRM/001/001.prm", QByteArray(64, '\0'));
        const QStringList before = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        PadTreePaths relative;
        relative.sysPath = "SYS";
        relative.dataPath = "WAV_DATA";
        relative.prmPath = "WAV_PRM";
        const ztplatform::FolderAnchor here = ztplatform::FolderAnchor::record(work.path());
        SyncBatch adding;
        adding.setPad(here, relative);
        QSignalSpy failures(&adding, &SyncBatch::waveFailed);
        QVERIFY(adding.startAdd(sounds(2, 2, m_click)));
        QVERIFY(finish(adding));
        QCOMPARE(failures.count(), 2);
        SyncBatch deleting;
        deleting.setPad(here, relative);
        QVERIFY(deleting.startDelete({"WAV_DATA/001/001.wav"}));
        QVERIFY(finish(deleting));
        const QStringList data = QDir("WAV_DATA/001").entryList(QDir::Files);
        const QStringList prm = QDir("WAV_PRM/001").entryList(QDir::Files);
        const QStringList after = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(data + prm, QStringList({"001.wav", "001.prm"}));
        QCOMPARE(after, before);
    }

    // Another pad found once the .wav's folder was reached: neither file goes
    // (the next load would refuse a half pair) and the path is reported.
    void aPairLeavesWholeOrStaysWhole()
    {
        PadFixture pad;
        pad.addWave(7);
        SyncBatch batch;
        checkedRoot(batch, pad, 1);
        QSignalSpy failures(&batch, &SyncBatch::deleteFailed);
        QVERIFY(batch.startDelete({pad.dataPath + "/001/007.wav"}));
        QVERIFY(finish(batch));
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.at(0).at(1).toInt(), int(UsbUpdate::RefusedPad));
        QVERIFY(QFileInfo::exists(pad.dataPath + "/001/007.wav") && QFileInfo::exists(pad.prmPath + "/001/007.prm"));
    }

    // A deletion left on the pad for its next load: a second delete and an add write nothing while its
    // record is there, and the next load still finishes it.
    void aChangeLeftOnThePadIsNeverWrittenOver()
    {
        namespace pj = padjournal;
        PadFixture pad;
        pad.addWave(7);
        pad.addWave(8);
        pj::Record first;
        first.purpose = pj::Purpose::DeleteSounds;
        for (const QString &base : {pad.dataPath, pad.prmPath}) {
            pj::Step s;
            s.kind = pj::Kind::Remove;
            s.area = base == pad.dataPath ? pj::Area::Data : pj::Area::Prm;
            s.number = 7;
            s.folder = "001";
            s.from = base == pad.dataPath ? "007.wav" : "007.prm";
            s.mark = pj::markOfBytes(kf::readFile(base + "/001/" + s.from));
            first.steps << s;
        }
        const QString record = pad.sysPath + "/" + pj::RECORD_NAME;
        kf::writeFile(record, pj::encode(first));
        const QStringList before = pad.snapshot();

        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy kept(&batch, &SyncBatch::deleteFailed), notAdded(&batch, &SyncBatch::waveFailed);
        QVERIFY(batch.startDelete({pad.dataPath + "/001/008.wav"}));
        QVERIFY(finish(batch));
        QVERIFY(batch.startAdd(sounds(9, 1, m_click)));
        QVERIFY(finish(batch));
        QCOMPARE(kept.count(), 1);
        QCOMPARE(kept.at(0).at(1).toInt(), int(UsbUpdate::EarlierChange));
        QCOMPARE(notAdded.count(), 1);
        QCOMPARE(notAdded.at(0).at(2).toInt(), UsbUpdate::EARLIER_CHANGE_REFUSAL);
        QCOMPARE(pad.snapshot(), before);
        QCOMPARE(kf::readFile(record), pj::encode(first));

        const PadFixture::Loaded again = pad.loadAgain();
        QVERIFY2(again.text().contains("The deletion of these sounds was finished: 7."), qPrintable(again.text()));
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 1);
        QCOMPARE(again.hidden, QStringList());
    }

    // An add or a delete stopped at every write, what was not synced dropped:
    // the pad loaded again lists sound 2 whole or not at all, as the batch
    // reported it, with nothing hidden left, and says when it completed it.
    void aStopLeavesEveryPairWholeOrGone_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add") << true;
        QTest::newRow("delete") << false;
    }
    void aStopLeavesEveryPairWholeOrGone()
    {
        QFETCH(bool, adding);
        audioconverter conv;
        bool done = false;
        auto run = [&](const PadFixture &pad, ztplatform::Disk &disk) {
            const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(pad.root, &disk);
            if (adding) {
                done = writeOneSound(conv, 2, m_click, "c", pad.tree(), root)
                        == waveprm::WaveWrite::Written;
                return;
            }
            UsbUpdate worker;
            worker.setPad(root, pad.tree());
            QSignalSpy kept(&worker, &UsbUpdate::sendDeleteFailed);
            worker.singleDelWaveFile({pad.dataPath + "/001/002.wav"}, pad.dataPath, pad.prmPath, 1);
            // Left to the next load counts as gone.
            done = kept.isEmpty() || kept.first().at(1).toInt() == int(UsbUpdate::RemovedAtNextLoad);
        };
        int calls = 0;
        for (int n = 0; n == 0 || n <= calls; ++n) {
            PadFixture pad;
            pad.addWave(1);
            if (!adding)
                pad.addWave(2);
            stopBefore(pad.disk, pad.root, n, [&](ztplatform::Disk &disk) { run(pad, disk); }, true, n == 0 ? &calls : nullptr);
            const PadFixture::Loaded again = pad.loadAgain();
            const int count = again.sounds.waveLoadKitAttrList.size();
            QVERIFY2(again.sounds.ok && pad.pairsWhole(again.sounds) && again.sounds.leftOut.isEmpty(),
                     qPrintable(QString::number(n)));
            QCOMPARE(again.hidden, QStringList());
            QVERIFY(count == 1 || count == 2);
            QVERIFY2(done == (adding ? count == 2 : count == 1), qPrintable(QString::number(n)));
            // A stopped add is listed only once the load completed it.
            // Stopped before only its record was removed, it was complete already.
            const bool completed = again.text().contains("These sounds were completed: 2.")
                    || (adding && again.text().contains("whose every step was already done"));
            QVERIFY(!completed || count == 2);
            if (adding && n > 0)
                QCOMPARE(completed, count == 2);
        }
        QVERIFY(calls >= 8);
    }

    // A pair added, a pair deleted and a batch of each, stopped at every call
    // by every stop, on a pad whose kits use the sounds (each kit one sound
    // of a batch beside one the batch leaves alone): once loaded (that load
    // stopped too and the pad loaded a third time) each kit plays what it
    // played before or what it plays after.
    void everyStopKeepsEachKit_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("add") << "add";
        QTest::newRow("delete") << "delete";
        QTest::newRow("batch add") << "batch add";
        QTest::newRow("batch delete") << "batch delete";
    }
    void everyStopKeepsEachKit()
    {
        QFETCH(QString, change);
        const bool adding = change.endsWith("add");
        const QVector<int> sounds = change.startsWith("batch") ? QVector<int>{2, 3, 101} : QVector<int>{2};
        PadFixture pad;
        pad.addWave(1);
        QMap<int, QVector<quint16>> use;
        for (int i = 0; i < sounds.size(); ++i) {
            use.insert(i + 1, {0, quint16(sounds.at(i) - 1)});
            if (!adding)
                pad.addWave(sounds.at(i));
        }
        padstops::kitsUsing(pad, use);
        auto work = [&](ztplatform::Disk &disk) {
            const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(pad.root, &disk);
            QVector<SyncBatch::Sound> list;
            QVector<QString> paths;
            for (int n : sounds) {
                list << SyncBatch::Sound{n, m_click, QString("c%1").arg(n)};
                paths << pad.dataPath + "/" + padtree::waveDataRelativePath(n);
            }
            SyncBatch batch;
            batch.setPad(root, pad.tree());
            QVERIFY(adding ? batch.startAdd(list)
                           : batch.startDelete(paths));
            batch.waitForFinished();
        };
        padstops::Count count;
        const QString fault = padstops::everyStopKeepsTheKits(pad, work, &count);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(count.everyKind(adding), qPrintable(count.describe())); // a delete writes no sound's bytes
        // A batch delete removes its files where they stand: fewer calls, fewer states.
        const int least = sounds.size() == 1 ? 4 : adding ? 15 : 12;
        QVERIFY2(count.states >= least, qPrintable(count.describe()));
    }

    // A batch of 100 sounds syncs each file it writes once and each folder
    // once per phase, as few times for 100 sounds as for 10.
    void aBatchSyncsEachFolderOncePerPhase()
    {
        struct Syncs {
            int files = 0, folders = 0, failures = 0, dataFolders = 0, calls = 0;
        };
        auto syncs = [&](bool adding, int n) {
            PadFixture pad;
            QVector<SyncBatch::Sound> list;
            QVector<QString> paths;
            for (int w = 1; w <= n; ++w) {
                list << SyncBatch::Sound{w, m_click, QString("c%1").arg(w)};
                paths << pad.dataPath + "/" + padtree::waveDataRelativePath(w);
                if (!adding)
                    pad.addWave(w);
            }
            CrashDisk disk(pad.root);
            SyncBatch batch;
            batch.setPad(ztplatform::FolderAnchor::record(pad.root, &disk), pad.tree());
            QSignalSpy added(&batch, &SyncBatch::waveFailed), deleted(&batch, &SyncBatch::deleteFailed);
            if (adding)
                batch.startAdd(list);
            else
                batch.startDelete(paths);
            batch.waitForFinished();
            return Syncs{disk.fileSyncs(), disk.folderSyncs(), int(added.count() + deleted.count()),
                         pad.dataFolders().size(), disk.calls()};
        };
        // Sounds 1 ... 100 lie in the folders 001 and 002 of WAV_DATA and
        // WAV_PRM: each synced before and after the renames, WAV_DATA and
        // WAV_PRM once for the folders made in them, and SYS for the record
        // written, written again with its files' marks, and removed.
        const Syncs hundred = syncs(true, 100);
        QCOMPARE(hundred.failures, 0);
        QCOMPARE(hundred.dataFolders, 2);
        QCOMPARE(hundred.files, 200 + 2);
        QVERIFY2(hundred.folders <= 2 * 4 + 2 + 3, qPrintable(QString::number(hundred.folders)));
        const Syncs ten = syncs(true, 10);
        QCOMPARE(ten.files, 20 + 2);
        QCOMPARE(ten.folders, 2 * 2 + 2 + 3);
        // The record once: written and removed; each folder once, after the
        // files left it.
        const Syncs deleted = syncs(false, 100);
        QCOMPARE(deleted.failures, 0);
        QCOMPARE(deleted.dataFolders, 2); // emptied, not removed
        QCOMPARE(deleted.files, 1);
        QCOMPARE(deleted.folders, 4 + 2);
        // The record made under its staging name (made, written, synced) and
        // renamed, each file removed where it stands, the syncs, the record
        // removed.
        QCOMPARE(deleted.calls, 4 + 200 + 4 + 2 + 1);
    }

    // A batch stopped while its pairs take their names, copied into a FAT
    // image and read back: every name, the hidden ones too, and every byte
    // comes back, and the pad loads from it as from the tree itself.
    void aStoppedBatchComesBackFromFat()
    {
        PadFixture pad;
        pad.addWave(1);
        pad.writeKits({0, 1, 2, 3});
        CrashDisk disk(pad.root);
        SyncBatch batch;
        batch.setPad(ztplatform::FolderAnchor::record(pad.root, &disk), pad.tree());
        QVERIFY(batch.startAdd(sounds(2, 3, m_click)));
        batch.waitForFinished();
        // The first stop at which a new pair has its names and others are hidden.
        filetree::Tree stopped;
        for (int k = 1; k <= disk.calls() && stopped.isEmpty(); ++k) {
            const filetree::Tree t = disk.killedAt(k);
            bool hidden = false;
            for (const QString &path : t.keys())
                hidden = hidden || ztplatform::isTemporaryName(QFileInfo(path).fileName());
            if (hidden && t.contains("ZT350/WAV_PRM/001/002.prm"))
                stopped = t;
        }
        QVERIFY(!stopped.isEmpty());
        QVERIFY(stopped.contains("ZT350/SYS/" + padjournal::RECORD_NAME)); // its name comes back too
        PadFixture direct;
        filetree::write(stopped, direct.root);
        QString why;
        const QVector<QByteArray> plays = padstops::kitsPlay(direct, &why);
        QVERIFY2(!plays.isEmpty(), qPrintable(why));

        PadFixture onFat;
        filetree::write(stopped, onFat.root);
        QTemporaryDir back;
        const QString error = fatimage::roundTrip(onFat.model, back.path());
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const filetree::Tree read = filetree::read(back.path());
        QCOMPARE(filetree::firstDifference(read, stopped), QString());
        PadFixture again;
        filetree::write(read, again.root);
        QCOMPARE(padstops::kitsPlay(again, &why), plays);
    }

    // A .wav another program wrote over or removed after the delete read it:
    // its .prm stays, and its row with it, named as changed or as half gone.
    void aFileChangedSinceItWasReadStays_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::newRow("written over") << false;
        QTest::newRow("removed") << true;
    }
    void aFileChangedSinceItWasReadStays()
    {
        QFETCH(bool, removed);
        PadFixture pad;
        pad.addWave(4);
        const QString wav = pad.dataPath + "/001/004.wav";
        WatchingChanges watch([&](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::OpenedForWriting && path.endsWith(padjournal::STAGING_NAME))
                removed ? QFile::remove(wav) : kf::writeFile(wav, "another program's bytes");
        });
        const DiskInPlace inPlace(pad.disk, &watch);
        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy kept(&batch, &SyncBatch::deleteFailed);
        QVERIFY(batch.startDelete({wav}));
        QVERIFY(finish(batch));
        QCOMPARE(kept.count(), 1);
        QCOMPARE(kept.at(0).at(1).toInt(), int(removed ? UsbUpdate::WavAlreadyGone : UsbUpdate::WavChanged));
        QCOMPARE(kf::readFile(wav), removed ? QByteArray() : QByteArray("another program's bytes"));
        QVERIFY(QFileInfo::exists(pad.prmPath + "/001/004.prm"));
        QVERIFY(!QFileInfo::exists(pad.sysPath + "/" + padjournal::RECORD_NAME));
    }

    void deletingRemovesBothFilesOfEachPair_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("workers");
        QTest::newRow("3") << 3 << 1;
        QTest::newRow("101") << 101 << 2;
    }
    void deletingRemovesBothFilesOfEachPair()
    {
        QFETCH(int, count);
        QFETCH(int, workers);
        PadFixture pad;
        QVector<QString> paths;
        for (int n = 95; n < 95 + count + 1; ++n) {
            pad.addWave(n);
            paths << QDir::toNativeSeparators(pad.dataPath + "/" + padtree::waveDataRelativePath(n));
        }
        const QString kept = paths.takeLast();
        // A record spelled in another case is found all the same.
        QVERIFY(QFile::rename(pad.prmPath + "/001/095.prm", pad.prmPath + "/001/095.PRM"));
        paths << paths.first(); // twice: the second finds nothing
        // A hidden name another file holds is passed over, that file kept.
        const QString taken = pad.dataPath + "/001/.095.wav.0.zt-part";
        kf::writeFile(taken, "another's");

        SyncBatch batch;
        batch.setPad(root(pad), pad.tree());
        QSignalSpy steps(&batch, &SyncBatch::progress);
        QVERIFY(batch.startDelete(paths));
        QCOMPARE(batch.workerCount(), workers);
        QVERIFY(finish(batch));
        int handled = 0;
        for (const QList<QVariant> &step : qAsConst(steps))
            handled += step.at(0).toInt();
        QCOMPARE(handled, paths.size());
        if (count > 3)
            QVERIFY(steps.count() < paths.size()); // paths staged together go out together
        QCOMPARE(pad.dataFolders().size() + pad.prmFolders().size(), count > 5 ? 4 : 2);
        for (const QString &p : pad.dataFolders() + pad.prmFolders()) {
            const QStringList left = QDir(p).entryList(QDir::Files);
            QCOMPARE(left.size(),
                     QFileInfo(p).fileName() == QFileInfo(QFileInfo(kept).absolutePath()).fileName() ? 1 : 0);
        }
        QVERIFY(QFileInfo::exists(kept));
        QCOMPARE(kf::readFile(taken), QByteArray("another's"));
    }
};

QTEST_GUILESS_MAIN(TestUsbUpdate)
#include "test_usbupdate.moc"

#include "device/padkits.h"
#include "device/padsession.h"
#include "device/padsounds.h"
#include "device/usbupdate.h"
#include "padfixture.h"

#include <QtTest>

using Records = MainWindow1Records;

// The pad session alone over a pad folder: the tree it finds, the write-back
// job it assembles and what its batches decide.
class TestPadSession : public QObject {
    Q_OBJECT

    static void open(PadSession &s, const PadFixture &pad)
    {
        DeviceMessage warning;
        s.beginLoad(pad.root + "/");
        QVERIFY(s.getRootDirPath(pad.model, &warning) && s.judgeFourFile(&warning));
        s.anchorRoot(ztplatform::FolderAnchor::record(pad.root + "/"));
    }
    static Records::SOUND_INDEX record(const QString &file, int number)
    {
        Records::SOUND_INDEX r;
        r.file = file;
        r.wave_No = quint16(number);
        return r;
    }

private slots:
    void writeBackJobOfTheLoad()
    {
        FakeDriveSource drives;
        PadFixture pad;
        drives.list = {{pad.root + "/", true}};
        pad.addWave(10, "Kick");
        pad.writeKits({9, 0xFFFF});
        PadSession s(PadSystem{&drives});
        open(s, pad);
        QVERIFY(s.padFoldersReady() && s.drivePresent());
        const PadSounds sounds =
                readPadSounds(ztplatform::FolderAnchor::record(pad.root), s.tree().waveDataList, s.tree().wavePrmList);
        const PadKits read = readPadKits(s.tree().kitPath, sounds.waveAttrList, nullptr);
        s.takeLoadedKits(read.kitFiles, read.kitRecords);
        s.takeLoadedChainBlock(kf::readFile(s.tree().usbGlobalIniFile).mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE));

        QVector<Records::soundKit> kits = read.kits, original = read.kits;
        QVector<Records::KIT_CHAIN> chains(KIT_CHAIN_ROWS);
        QVector<quint8> flags(KIT_MAX_COUNT, 0), adjusted(KIT_MAX_COUNT, 0);
        int kitChanged = 0, global = 0;
        const PadSession::KitLists lists{&kits, &original, &chains, &chains, &flags, &adjusted, &kitChanged, &global};
        kits[6].kit_volume ^= 0x55;
        const QString kick = QDir::toNativeSeparators(pad.dataPath + "/001/010.wav");
        QSet<QString> asked;
        writeback::WriteBackJob job = s.writeBackJob(lists, false, [&](const QSet<QString> &files) {
            asked = files;
            WaveFileIndex rows;
            rows.add(kick, 10, "Kick");
            return rows;
        });
        QCOMPARE(job.globalFile, pad.sysPath + "/global.ini");
        QCOMPARE(job.driveRoot, pad.root + "/");
        QVERIFY(!job.wavesChanged);
        QVERIFY(asked.contains(kick)); // kit 7 names it
        // The loaded records and places are the job's: kit 7 and the change file land.
        QCOMPARE(writeback::writeBack(job).kitsWritten, QVector<int>{7});
        QCOMPARE(kf::readFile(pad.sysPath + "/alter.ini").size(), writeback::ALTER_FILE_SIZE);

        s.queueDelete(pad.dataPath + "/001/004.wav", 4);
        QVERIFY(s.writeBackJob(lists, false, {}).wavesChanged);
    }

    // The drive root named through a link, the tree by its canonical paths:
    // the identity is read below the root all the same.
    void identityIsReadBelowTheRootAsNamed()
    {
        PadFixture pad;
        pad.writeKits();
        QTemporaryDir links;
        const QString root = links.filePath("pad");
        QVERIFY(QFile::link(pad.root, root));
        PadSession s;
        s.beginLoad(root + "/");
        DeviceMessage warning;
        QVERIFY(s.getRootDirPath(QFileInfo(root + "/ZT350").canonicalFilePath(), &warning) && s.judgeFourFile(&warning));
        QVector<QString> files;
        for (int k = 1; k <= KIT_MAX_COUNT; ++k)
            files << s.tree().kitPath + QString("/k%1.ini").arg(k, 3, 10, QChar('0'));
        s.takeLoadedKits(files, {});
        const PadIdentity id = readPadIdentity(s.padPlaces(), true);
        QVERIFY(id.present && id.mount.valid && id.table);
        QCOMPARE(id.kits.at(99), kitDigest(kf::readFile(pad.kitPath + "/k100.ini")));
    }

    // The wave folders are looked at below the pad's root: a model folder
    // that became a link, even to another pad's, or a file at a wave
    // folder's name is not ready for workers; the metronome folder read again
    // after the load's is read the same way.
    void padFoldersAreLookedAtBelowTheRoot()
    {
        QTemporaryDir place;
        PadFixture pad(place.path() + "/pad");
        PadFixture other(place.path() + "/other");
        PadSession s;
        open(s, pad);
        QVERIFY(s.padFoldersReady());
        QCOMPARE(s.clickFiles().size(), 5);
        QVERIFY(QDir().rename(pad.model, place.path() + "/model") && QFile::link(other.model, pad.model));
        QVERIFY(!s.padFoldersReady());
        QVERIFY(s.clickFiles().isEmpty());
        QVERIFY(QFile::remove(pad.model) && QDir().rename(place.path() + "/model", pad.model));
        QVERIFY(s.padFoldersReady());
        QVERIFY(QDir(pad.prmPath).removeRecursively());
        touchFile(pad.prmPath, "x");
        QVERIFY(!s.padFoldersReady());
    }

    // A global.ini the editor itself writes leaves the pad the one loaded,
    // judged again with its settings on the same mount.
    void theGlobalWrittenByTheEditorIsStillThePad()
    {
        PadFixture pad;
        const PadPlaces places{pad.root, pad.sysPath + "/CLICK", pad.sysPath + "/global.ini", {}};
        PadGuard guard(places, readPadIdentity(places, true));
        QVERIFY(guard.check(true).same());
        QByteArray global = kf::readFile(places.globalFile);
        global[40] = char(global.at(40) ^ 0x5a);
        guard.globalWriting(global);
        QVERIFY(kf::writeFile(places.globalFile, global));
        QCOMPARE(guard.check(true).verdict, PadMatch::Same);
        global[41] = char(global.at(41) ^ 0x5a); // then another program's
        QVERIFY(kf::writeFile(places.globalFile, global));
        QCOMPARE(guard.check(true).verdict, PadMatch::OtherSettings);
    }

    // Each change of mode is told once; a lost pad stays lost.
    // Another pad's settings: the box claims the same serial number only when
    // both volumes have one.
    void theSerialIsClaimedEqualOnlyWhenBothHaveOne()
    {
        PadIdentity loaded, now;
        loaded.volume.valid = now.volume.valid = loaded.present = now.present = true;
        loaded.fingerprint = "a";
        now.fingerprint = "b";
        const PadMatch none = matchPad(loaded, now);
        QCOMPARE(none.verdict, PadMatch::OtherSettings);
        QVERIFY(!anotherPadMessage(none).text.contains("serial number of the loaded pad"));
        QVERIFY(anotherPadMessage(none).text.contains("neither volume has a serial number to compare"));
        // One side with a serial: neither equal nor missing on both.
        loaded.volume.uuid = "1234-ABCD";
        const QString oneSide = anotherPadMessage(matchPad(loaded, now)).text;
        QVERIFY(!oneSide.contains("serial number of the loaded pad") && !oneSide.contains("neither volume"));
        QVERIFY(oneSide.contains("only one of the two volumes has a serial number, so none could be compared"));
        // Only the USB serials on both sides: that is the one claimed equal.
        loaded.volume.uuid.clear();
        loaded.volume.usbSerial = now.volume.usbSerial = "AA01";
        QVERIFY(anotherPadMessage(matchPad(loaded, now)).text.contains("It has the USB serial number of the loaded "
                                                                       "pad"));
        now.volume.uuid = loaded.volume.uuid = "1234-ABCD";
        QVERIFY(anotherPadMessage(matchPad(loaded, now)).text.contains("It has the volume serial number of the loaded pad"));
    }

    void modeChangesAreToldOnce()
    {
        PadFixture pad;
        pad.writeKits();
        PadSession s;
        qRegisterMetaType<PadSession::Mode>();
        QSignalSpy modes(&s, &PadSession::modeChanged);
        s.chooseNoPad("Device Unconnect(Default)");
        open(s, pad);
        QVERIFY(!s.isUDiskFlag());
        s.leaveDeviceMode();
        open(s, pad);
        s.padLoaded(readPadIdentity(s.padPlaces()));
        s.padLost();
        s.leaveDeviceMode();
        s.padLost();
        using M = PadSession::Mode;
        QVector<M> told;
        for (const QList<QVariant> &signal : qAsConst(modes))
            told << signal.at(0).value<M>();
        QCOMPARE(told, (QVector<M>{M::Loading, M::Offline, M::Loading, M::OnPad, M::Lost}));
        QVERIFY(s.isUDiskFlag());
    }

    void batchesKeepWhatStaysOnThePad()
    {
        PadFixture pad;
        for (int n : {1, 2, 3}) // 3 is on the pad but left out of the list
            pad.addWave(n);
        PadSession s;
        open(s, pad);
        const QVector<Records::SOUND_INDEX> records{record(pad.dataPath + "/001/001.wav", 1),
                                                    record(pad.dataPath + "/001/002.wav", 2), record("/in/a.wav", 3),
                                                    record("/in/b.wav", 4)};
        s.queueAdd("/in/a.wav", 3);
        s.queueAdd("/in/b.wav", 4);
        const PadSession::AddPlan plan = s.beginAddBatch(records, true);
        QCOMPARE(s.waveNumList(), (QVector<int>{4, 5})); // 3 is taken on the pad
        QCOMPARE(plan.lastNumber, 5);
        s.soundNotWritten(5, 0);
        const QVector<PadSession::AddedSound> added = s.finishAddBatch();
        QVERIFY(added.at(0).reached && !added.at(1).reached);
        QCOMPARE(added.at(0).device, pad.dataPath + "/001/004.wav");
        QCOMPARE(s.addUsbWaveNumList(), QVector<quint16>{3}); // the change file counts one added sound
        QVERIFY(s.padBatchKind() == SyncBatch::Idle);

        // Pair 2 stays on the pad: its record comes back to its place and its number is not deleted.
        QVector<Records::SOUND_INDEX> left{records.at(2)};
        s.queueDelete(records.at(0).file, 1);
        s.queueDelete(records.at(1).file, 2);
        s.keepDeletedRecords({{0, records.at(0)}, {1, records.at(1)}});
        s.beginDeleteBatch(true);
        s.pairNotRemoved(records.at(1).file, UsbUpdate::LinkedFolder);
        const PadSession::DeleteOutcome outcome = s.finishDeleteBatch();
        QCOMPARE(outcome.removed, QSet<QString>{records.at(0).file});
        QCOMPARE(outcome.kept.keys(), QList<QString>{records.at(1).file});
        QCOMPARE(outcome.kept.value(records.at(1).file).why, int(UsbUpdate::LinkedFolder));
        s.keepDeletedNumber(2);
        s.restoreDeletedRecords(left, {records.at(1).file});
        QCOMPARE(s.delUsbWaveNumList(), QVector<quint16>{1});
        QCOMPARE(left.size(), 2);
        QCOMPARE(left.at(0).file, records.at(1).file);
        QCOMPARE(left.at(1).file, records.at(2).file);
        QVERIFY(s.delBatchRecords().isEmpty() && s.delNotRemoved().isEmpty());

        // Not ready: nothing counts as removed.
        s.queueDelete(records.at(0).file, 1);
        s.beginDeleteBatch(false);
        QVERIFY(s.finishDeleteBatch().removed.isEmpty());
        QCOMPARE(s.delNotRemoved().value(records.at(0).file).why, int(UsbUpdate::PadGone));
        s.restoreDeletedRecords(left, {});

        // Two deletes queued behind a running one: each batch keeps its own
        // records, every kept one comes back to its place, in list order.
        const QVector<Records::SOUND_INDEX> list{record("a", 1), record("b", 2), record("c", 3), record("d", 4),
                                                 record("e", 5), record("f", 6)};
        auto files = [](const QVector<Records::SOUND_INDEX> &now) {
            QStringList out;
            for (const Records::SOUND_INDEX &r : now)
                out << r.file;
            return out;
        };
        s.queueDelete("b", 2);
        s.keepDeletedRecords({{1, list.at(1)}}); // a c d e f
        s.beginDeleteBatch(true);
        s.queueDelete("d", 4);
        s.queueDelete("f", 6);
        s.keepDeletedRecords({{2, list.at(3)}, {4, list.at(5)}}); // a c e
        s.queueDelete("c", 3);
        s.queueDelete("e", 5);
        s.keepDeletedRecords({{1, list.at(2)}, {2, list.at(4)}}); // a
        QVector<Records::SOUND_INDEX> now{list.at(0)};
        s.pairNotRemoved("b", UsbUpdate::LinkedFolder);
        s.finishDeleteBatch();
        s.restoreDeletedRecords(now, {"b"});
        QCOMPARE(files(now), (QStringList{"a", "b"}));
        s.beginDeleteBatch(true);
        QCOMPARE(s.delBatchList(), (QVector<QString>{"d", "f", "c", "e"}));
        QVERIFY(s.delUsbWaveList().isEmpty());
        for (const char *kept : {"c", "e", "f"})
            s.pairNotRemoved(kept, UsbUpdate::LinkedFolder);
        s.finishDeleteBatch();
        s.restoreDeletedRecords(now, {"c", "e", "f"});
        QCOMPARE(files(now), (QStringList{"a", "b", "c", "e", "f"}));
    }
};

QTEST_GUILESS_MAIN(TestPadSession)
#include "test_padsession.moc"

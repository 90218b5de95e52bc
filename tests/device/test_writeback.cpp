#include "bindmount.h"
#include "device/kitwaves.h"
#include "device/padjournal.h"
#include "device/padkits.h"
#include "device/writeback.h"
#include "model/audioconverter.h"
#include "fatimage.h"
#include "padfixture.h"
#include "padstops.h"
#include "support/crashdisk.h"
#include "support/memorytemp.h"
#include "support/passdisk.h"

#include <QtTest>

#include <fcntl.h>

using Records = MainWindow1Records;
using namespace writeback;

// The write-back at close against a pad folder: which kits are written, the
// bytes that land, and what is reported when something cannot be written.
class TestWriteBack : public QObject {
    Q_OBJECT

    const TempInMemory m_inMemory; // the pad trees below lie in memory, made before any of them

    struct Run {
        PadFixture pad;
        QVector<Records::soundKit> kits, original;
        QVector<Records::KIT_CHAIN> chains = QVector<Records::KIT_CHAIN>(KIT_CHAIN_ROWS);
        QVector<Records::KIT_CHAIN> originalChains = QVector<Records::KIT_CHAIN>(KIT_CHAIN_ROWS);
        QVector<quint8> flags = QVector<quint8>(KIT_MAX_COUNT, 0);
        QVector<quint8> marks = QVector<quint8>(KIT_MAX_COUNT, 0);
        QVector<quint8> adjusted = QVector<quint8>(KIT_MAX_COUNT, 0);
        int kitChanged = 0, global = 0;
        PadKits read;
        QByteArray chainBlock =
                kf::readFile(pad.sysPath + "/global.ini").mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE);
        QByteArray globalAsLoaded = kf::readFile(pad.sysPath + "/global.ini");
        QByteArray restoredGlobal; // a restore's global.ini, none by default

        explicit Run(const QString &at = QString())
            : pad(at)
        {
            pad.addWave(10, "Kick");
            pad.writeKits({9, 0xFFFF});
            read = readPadKits(pad.kitPath, pad.readSounds().waveAttrList, nullptr);
            kits = original = read.kits;
        }

        WriteBackResult writeBack(bool wavesChanged = false)
        {
            WriteBackJob job;
            job.kits = &kits;
            job.originalKits = &original;
            job.chains = &chains;
            job.originalChains = &originalChains;
            job.kitFlags = &flags;
            job.kitMarks = &marks;
            job.nameAdjusted = &adjusted;
            job.kitChangedFlag = &kitChanged;
            job.globalFlag = &global;
            job.wavesChanged = wavesChanged;
            job.kitPath = pad.kitPath;
            job.kitFiles = read.kitFiles;
            job.kitRecords = read.kitRecords;
            job.padRoot = pad.anchor();
            job.globalFile = pad.sysPath + "/global.ini";
            job.chainBlock = chainBlock;
            job.globalAsLoaded = globalAsLoaded;
            job.restoredGlobal = restoredGlobal;
            job.sysPath = pad.sysPath;
            job.waves.add(QDir::toNativeSeparators(pad.dataPath + "/001/010.wav"), 10, "Kick");
            return writeback::writeBack(job);
        }
        QByteArray alter() const { return kf::readFile(pad.sysPath + "/alter.ini"); }
    };

private slots:
    void noEditWritesOnlyAZeroChangeFile()
    {
        Run run;
        run.kits[3].effect1_no = 4; // not compared
        run.kits[4].kpadChunk[2].midi_gate = 9; // not compared
        run.kits[5].kpadChunk[1].aWaveLength = 1234; // wave positions are not compared
        const QStringList before = run.pad.snapshot();
        const WriteBackResult r = run.writeBack();
        QVERIFY(!r.failed);
        QVERIFY(r.messages.isEmpty());
        QVERIFY(r.kitsWritten.isEmpty());
        QCOMPARE(run.alter(), QByteArray(ALTER_FILE_SIZE, '\0'));
        const QStringList after = run.pad.snapshot().filter(QRegularExpression("^(?!.*/alter\\.ini )"));
        QCOMPARE(after, before);
    }

    void changedKitsAndChainsAreWrittenInPlace()
    {
        Run run;
        run.kits[6].kit_volume ^= 0x55;
        run.kits[41].effect2_ctrl3 = 266;
        run.adjusted[99] = 1; // renamed while loading: written without an edit
        run.chains[3].kit_chain = 1;
        run.chains[3].kit_chain_No = 3;
        run.chains[3].curKitChain[3][0] = 12;
        run.chains[3].curKitChain[3][19] = 100;
        const QByteArray global = kf::readFile(run.pad.sysPath + "/global.ini");
        const QByteArray kit8 = kf::readFile(run.pad.kitPath + "/k008.ini");

        const WriteBackResult r = run.writeBack(true);
        QVERIFY(!r.failed);
        QCOMPARE(r.kitsWritten, (QVector<int>{7, 42, 100}));
        QByteArray expected(KIT_RECORD_SIZE, '\0');
        QVERIFY(Records::updateKit(expected.data(), run.kits, 7));
        QCOMPARE(kf::readFile(run.pad.kitPath + "/k007.ini"), expected);
        QCOMPARE(kf::readFile(run.pad.kitPath + "/k008.ini"), kit8);
        // Pad 0, layer A names Kick: refreshed to the list's number 10, stored as 9.
        QCOMPARE(run.kits[6].kpadChunk[0].aWaveNo, quint16(10));
        QCOMPARE(kf::rd16(expected, 182), quint16(9));

        QByteArray block(KIT_CHAIN_BLOCK_SIZE, '\0');
        block[0] = block[1] = 3;
        block[2 + 3 * 20] = 12;
        block[2 + 3 * 20 + 19] = char(100);
        QCOMPARE(kitChainBlock(run.chains), block);
        QCOMPARE(kf::readFile(run.pad.sysPath + "/global.ini"),
                 QByteArray(global).replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, block));
        QVERIFY(global.mid(KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE) != QByteArray(843 - 682, '\0'));

        QByteArray alter(ALTER_FILE_SIZE, '\0');
        for (int at : {0, 2, 4})
            kf::wr16(alter, at, CHANGE_MARK);
        alter[6 + 6] = alter[6 + 41] = alter[6 + 99] = 1;
        QCOMPARE(run.alter(), alter);
    }

    void failuresAreReportedAndNothingIsLost()
    {
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.kits[8].kit_tempo ^= 1;
        run.chains[0].curKitChain[0][0] = 5;
        QVERIFY(QFile::resize(run.pad.kitPath + "/k007.ini", KIT_RECORD_SIZE - 1));
        const QByteArray short7 = kf::readFile(run.pad.kitPath + "/k007.ini");
        // An old-layout global chunk takes no kit-chain block.
        QByteArray old = kf::readFile(run.pad.sysPath + "/global.ini");
        kf::wr32(old, 4, 488);
        kf::writeFile(run.pad.sysPath + "/global.ini", old);
        QVERIFY(QDir().mkpath(run.pad.sysPath + "/alter.ini")); // not writable as a file

        const WriteBackResult r = run.writeBack();
        QVERIFY(r.failed);
        QCOMPARE(r.kitsWritten, QVector<int>{9});
        QCOMPARE(r.kitsNotSaved, QVector<int>{7});
        QCOMPARE(run.flags.at(6), quint8(0));
        QCOMPARE(run.flags.at(8), quint8(1));
        QCOMPARE(kf::readFile(run.pad.kitPath + "/k007.ini"), short7);
        QCOMPARE(kf::readFile(run.pad.sysPath + "/global.ini"), old);
        QStringList shown;
        for (const DeviceMessage &m : r.messages)
            shown << m.title + ": " + m.text;
        QCOMPARE(shown,
                 (QStringList{"Open Error: File location:" + run.pad.sysPath
                                      + "/global.ini\r\nIt holds the global settings in an older layout, which has "
                                        "no place for the kit chains.",
                              "Warning: Kit 7 was not saved to the sampler pad:\r\n" + run.pad.kitPath
                                      + "/k007.ini\r\nIt is shorter than a kit record (1987 bytes).",
                              "Error: Open error.\r\n" + run.pad.sysPath + "/alter.ini\r\nIt is a folder, not a file."}));
    }

    // A kit file that goes missing after the save read it and before its
    // record is run: the rest is saved, that kit is not counted as saved, its
    // mark stays off, and the box names it.
    void aKitWhoseFileWentMissingIsNotSaved()
    {
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.kits[8].kit_tempo ^= 1;
        const QString k7 = run.pad.kitPath + "/k007.ini";
        struct RemovesAtRecord : PassDisk {
            QString file;
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                if (name == QByteArray(padjournal::STAGING_NAME.data()))
                    QFile::remove(file);
                return PassDisk::openAt(dir, name, flags, mode);
            }
        } disk;
        disk.file = k7;
        WriteBackResult r;
        {
            const DiskInPlace inPlace(run.pad.disk, &disk);
            r = run.writeBack();
        }
        QVERIFY(r.failed);
        QCOMPARE(r.kitsWritten, QVector<int>{9});
        QCOMPARE(r.kitsNotSaved, QVector<int>{7});
        QCOMPARE(run.flags.at(6), quint8(0));
        QCOMPARE(run.marks.at(6), quint8(0));
        QVERIFY(!QFileInfo::exists(k7));
        QStringList shown;
        for (const DeviceMessage &m : r.messages)
            shown << m.title + ": " + m.text;
        QVERIFY2(shown.join("\n").contains("Kit 7 was not saved to the sampler pad:\r\n" + k7),
                 qPrintable(shown.join("\n")));
        QVERIFY(!QFileInfo::exists(run.pad.sysPath + "/" + padjournal::RECORD_NAME));
    }

    // alter.ini marks only what reached the pad: chains refused for an
    // old-layout global.ini and a kit refused for its short file leave their
    // marks off on the pad's record of the change, and so again at a second
    // close after the pad was loaded anew.
    void refusedWritesLeaveTheirMarksOff()
    {
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.kits[8].kit_tempo ^= 1;
        run.chains[0].curKitChain[0][0] = 5;
        QVERIFY(QFile::resize(run.pad.kitPath + "/k009.ini", KIT_RECORD_SIZE - 1));
        QByteArray old = kf::readFile(run.pad.sysPath + "/global.ini");
        kf::wr32(old, 4, 488);
        QVERIFY(kf::writeFile(run.pad.sysPath + "/global.ini", old));
        QByteArray expected(ALTER_FILE_SIZE, '\0');
        kf::wr16(expected, 0, CHANGE_MARK);
        expected[6 + 6] = 1;

        for (int close = 1; close <= 2; ++close) {
            const WriteBackResult r = run.writeBack();
            QVERIFY(r.failed && r.alterWritten && !r.chainsWritten);
            QCOMPARE(r.kitsWritten, QVector<int>{7});
            QCOMPARE(r.kitsNotSaved, QVector<int>{9});
            QCOMPARE(r.messages.first().text, "File location:" + run.pad.sysPath
                                                      + "/global.ini\r\nIt holds the global settings in an older "
                                                        "layout, which has no place for the kit chains.");
            QCOMPARE(kf::readFile(run.pad.sysPath + "/global.ini"), old);
            QCOMPARE(run.alter(), expected);
            QCOMPARE(run.global, 0);
            QVERIFY(!QFileInfo::exists(run.pad.sysPath + "/" + padjournal::RECORD_NAME));
            // Loaded anew: kit 7 as written; the chains and kit 9 still differ.
            const PadKits again = readPadKits(run.pad.kitPath, run.pad.readSounds().waveAttrList, nullptr);
            run.read.kitRecords[6] = again.kitRecords.at(6);
            run.original[6] = again.kits.at(6);
        }
    }

    // A pad with no room for the save's record takes nothing: no file is
    // written, and the box names the room the save needs.
    void aPadWithoutRoomForTheRecordTakesNothingAndSaysTheRoom()
    {
        struct NoRoomForRecord : PassDisk {
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                if (name == QByteArray(padjournal::STAGING_NAME.data())) {
                    errno = ENOSPC;
                    return -1;
                }
                return PassDisk::openAt(dir, name, flags, mode);
            }
        } noRoom;
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.chains[0].curKitChain[0][0] = 5;
        const QStringList before = run.pad.snapshot();
        WriteBackResult r;
        {
            const DiskInPlace disk(run.pad.disk, &noRoom);
            r = run.writeBack();
        }
        QVERIFY(r.failed && !r.alterWritten && !r.chainsWritten);
        QVERIFY(r.kitsWritten.isEmpty());
        QCOMPARE(r.kitsNotSaved, QVector<int>{7});
        QCOMPARE(run.pad.snapshot(), before);
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.first().title, "Warning");
        const QRegularExpression box("^Nothing was saved to the sampler pad: the save needs ([0-9]+) KB free on it "
                                     "for its record and files, and it has less\\.\r\n"
                                     "The kit chains were not saved to the sampler pad\\.\r\n"
                                     "Kit 7 was not saved to the sampler pad\\.\r\n"
                                     "The change file alter\\.ini was not saved\\.\r\n"
                                     "Korvanta stays open without the sampler pad and keeps your edits\\.$");
        const QRegularExpressionMatch shown = box.match(r.messages.first().text);
        QVERIFY2(shown.hasMatch(), qPrintable(r.messages.first().text));
        // The record of one kit, the chains and alter.ini, and alter.ini put whole.
        QVERIFY(shown.captured(1).toInt() >= 8);
        QCOMPARE(run.global, 0);
        QCOMPARE(run.kitChanged, 0);
    }

    // A kit written at one close and refused at the next keeps its mark: the
    // pad holds the first close's record of it and has not read alter.ini since.
    void aKitWrittenEarlierKeepsItsMarkWhenRefusedLater()
    {
        Run run;
        const auto writeBack = [&]() { return run.writeBack(); };
        QByteArray expected(ALTER_FILE_SIZE, '\0');
        kf::wr16(expected, 0, CHANGE_MARK);
        expected[6 + 6] = 1;

        run.kits[6].kit_tempo ^= 1;
        const WriteBackResult first = writeBack();
        QVERIFY(!first.failed && first.alterWritten);
        QCOMPARE(first.kitsWritten, QVector<int>{7});
        QCOMPARE(run.alter(), expected);
        const QByteArray written = kf::readFile(run.pad.kitPath + "/k007.ini");
        // Loaded anew, kit 7 edited again; its file is now too short to take it.
        const PadKits again = readPadKits(run.pad.kitPath, run.pad.readSounds().waveAttrList, nullptr);
        run.read.kitRecords[6] = again.kitRecords.at(6);
        run.original[6] = again.kits.at(6);
        run.kits[6].kit_tempo ^= 2;
        QVERIFY(QFile::resize(run.pad.kitPath + "/k007.ini", KIT_RECORD_SIZE - 1));

        const WriteBackResult second = writeBack();
        QVERIFY(second.failed && second.alterWritten);
        QVERIFY(second.kitsWritten.isEmpty());
        QCOMPARE(second.kitsNotSaved, QVector<int>{7});
        QCOMPARE(kf::readFile(run.pad.kitPath + "/k007.ini"), written.left(KIT_RECORD_SIZE - 1));
        QCOMPARE(run.alter(), expected);
        QVERIFY(!QFileInfo::exists(run.pad.sysPath + "/" + padjournal::RECORD_NAME));
    }

    // A restored global.ini the pad's record cannot put at its name (its
    // folder refuses the entry) is not marked in alter.ini, which that record
    // wrote after it.
    void aGlobalFileNotPutTakesItsMarkBack()
    {
        struct GlobalRefused : PassDisk {
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                if (name == "global.ini" && (flags & O_ACCMODE) != O_RDONLY) {
                    errno = EACCES;
                    return -1;
                }
                return PassDisk::openAt(dir, name, flags, mode);
            }
            int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                         bool noReplace = false) override
            {
                if (to == "global.ini") {
                    errno = EACCES;
                    return -1;
                }
                return PassDisk::renameAt(fromDir, from, toDir, to, noReplace);
            }
        } refused;
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.restoredGlobal = run.globalAsLoaded;
        run.restoredGlobal[100] = char(run.restoredGlobal.at(100) ^ 0x5a);
        WriteBackResult r;
        {
            const DiskInPlace disk(run.pad.disk, &refused);
            r = run.writeBack();
        }
        QVERIFY(r.failed && r.alterWritten && !r.globalWritten);
        QCOMPARE(r.messages.first().text, "File location:" + run.pad.sysPath + "/global.ini\r\nPermission denied.");
        QCOMPARE(r.kitsWritten, QVector<int>{7});
        QCOMPARE(kf::readFile(run.pad.sysPath + "/global.ini"), run.globalAsLoaded);
        QByteArray expected(ALTER_FILE_SIZE, '\0');
        kf::wr16(expected, 0, CHANGE_MARK);
        expected[6 + 6] = 1;
        QCOMPARE(run.alter(), expected);
        QCOMPARE(run.global, 0);
        QCOMPARE(QDir(run.pad.sysPath).entryList(QDir::Files | QDir::Hidden), QStringList({"alter.ini", "global.ini"}));
    }

    // The change file's spelling is looked up in the admitted pad's SYS, not
    // in whatever folder its path names by the time of the close.
    void theChangeFileIsSpelledAsTheAdmittedPadHasIt()
    {
        QTemporaryDir t;
        for (const char *pad : {"a/SYS", "b/SYS"})
            QVERIFY(QDir().mkpath(t.filePath(pad)));
        QVERIFY(kf::writeFile(t.filePath("a/SYS/alter.ini"), QByteArray(ALTER_FILE_SIZE, '\1')));
        QVERIFY(kf::writeFile(t.filePath("b/SYS/ALTER.INI"), QByteArray(ALTER_FILE_SIZE, '\2')));
        const QString given = t.filePath("pad");
        QVERIFY(QFile::link(t.filePath("a"), given));
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(given);
        QVERIFY(QFile::remove(given) && QFile::link(t.filePath("b"), given)); // another pad at the path

        const QByteArray bytes(ALTER_FILE_SIZE, '\3');
        QString used;
        QCOMPARE(writeAlterFile(root, given + "/SYS", bytes, &used), PadWrite::Written);
        QCOMPARE(used, given + "/SYS/alter.ini");
        QCOMPARE(QDir(t.filePath("a/SYS")).entryList(QDir::Files | QDir::Hidden), QStringList{"alter.ini"});
        QCOMPARE(kf::readFile(t.filePath("a/SYS/alter.ini")), bytes);
        QCOMPARE(kf::readFile(t.filePath("b/SYS/ALTER.INI")), QByteArray(ALTER_FILE_SIZE, '\2'));
    }

    // On a volume that is really full, the write-back writes nothing and
    // names the room it needs, and a sound's .wav/.prm pair is whole or absent.
    void aFullVolumeLeavesEveryFileWholeOrAsItWas()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root; run the tests as root to cover a full volume");
        TmpfsMount volume;
        if (!volume.mount("1m"))
            QSKIP(qPrintable("cannot mount a tmpfs here (" + volume.error + ")"));
        Run run(volume.point.path());
        const QString alter = run.pad.sysPath + "/alter.ini", kit7 = run.pad.kitPath + "/k007.ini";
        const QByteArray oldAlter(ALTER_FILE_SIZE, '\1');
        QVERIFY(kf::writeFile(alter, oldAlter));
        QVERIFY(QFile::resize(kit7, 0) && QFile::resize(kit7, KIT_RECORD_SIZE)); // a hole: writing needs room
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath("snare.wav");
        QVERIFY(kf::writeFile(source, kf::wavBytes(40000, 3)));
        QFile filler(volume.point.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        run.kits[6].kit_tempo ^= 1;
        run.kits[8].kit_tempo ^= 1;
        run.chains[0].curKitChain[0][0] = 5;
        QByteArray global = kf::readFile(run.pad.sysPath + "/global.ini");

        const QByteArray kit9 = kf::readFile(run.pad.kitPath + "/k009.ini");

        const WriteBackResult r = run.writeBack();
        QVERIFY(r.failed && !r.chainsWritten && !r.alterWritten && r.kitsWritten.isEmpty());
        QVERIFY2(r.messages.first().text.contains(
                         QRegularExpression("^Nothing was saved to the sampler pad: the save needs [0-9]+ KB free")),
                 qPrintable(r.messages.first().text));
        QCOMPARE(kf::readFile(alter), oldAlter);
        QCOMPARE(run.flags.count(1), 0);
        QCOMPARE(QDir(run.pad.sysPath).entryList(QDir::Files | QDir::Hidden), QStringList({"alter.ini", "global.ini"}));
        QCOMPARE(r.kitsNotSaved, (QVector<int>{7, 9}));
        QCOMPARE(kf::readFile(kit7), QByteArray(KIT_RECORD_SIZE, '\0'));
        QCOMPARE(kf::readFile(run.pad.kitPath + "/k009.ini"), kit9);
        QCOMPARE(kf::readFile(run.pad.sysPath + "/global.ini"), global);
        audioconverter conv;
        int refusal = 0;
        // A full pad stops the batch: the sounds after it are not tried.
        QCOMPARE(writeOneSound(conv, 11, source, "Snare", run.pad.tree(), run.pad.anchor(), &refusal),
                 waveprm::WaveWrite::Stopped);
        QCOMPARE(refusal, ENOSPC);
        QVERIFY(!QFileInfo::exists(run.pad.dataPath + "/001/011.wav"));
        QVERIFY(!QFileInfo::exists(run.pad.prmPath + "/001/011.prm"));
    }

    // Stopped at every write, what was not synced dropped: each file the
    // write-back touches holds its old bytes or its new ones, and the pad
    // loads again with its sound whole and nothing hidden left. A restored
    // global.ini replaces the pad's whole, the chains in it.
    void aStopLeavesEachFileOldOrNew_data()
    {
        QTest::addColumn<bool>("restored");
        QTest::newRow("chains in place") << false;
        QTest::newRow("restored global settings") << true;
    }
    void aStopLeavesEachFileOldOrNew()
    {
        QFETCH(bool, restored);
        const QStringList files{"KIT/k007.ini", "KIT/k042.ini", "SYS/global.ini", "SYS/alter.ini"};
        auto edit = [restored](Run &run) {
            run.kits[6].kit_tempo ^= 1;
            run.kits[41].effect2_ctrl3 = 266;
            run.chains[3].curKitChain[3][0] = 12;
            if (restored) {
                run.restoredGlobal = run.globalAsLoaded;
                run.restoredGlobal[100] = char(run.restoredGlobal.at(100) ^ 0x5a);
            }
            WriteBackResult result = run.writeBack(true);
            QByteArray expected = run.restoredGlobal;
            expected.replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, kitChainBlock(run.chains));
            // Written whole: the restored bytes with the chains as they stand.
            if (restored && !result.failed)
                result.failed = !result.globalWritten || kf::readFile(run.pad.sysPath + "/global.ini") != expected;
            return result;
        };
        QMap<QString, QByteArray> old, written;
        int calls = 0;
        {
            Run run;
            for (const QString &f : files)
                old[f] = kf::readFile(run.pad.model + "/" + f);
            bool failed = true;
            stopBefore(run.pad.disk, run.pad.root, 0, [&](ztplatform::Disk &) { failed = edit(run).failed; }, false, &calls);
            QVERIFY(!failed);
            for (const QString &f : files)
                written[f] = kf::readFile(run.pad.model + "/" + f);
        }
        for (int n = 1; n <= calls; ++n) {
            Run run;
            stopBefore(run.pad.disk, run.pad.root, n, [&](ztplatform::Disk &) { edit(run); });
            for (const QString &f : files) {
                const QByteArray now = kf::readFile(run.pad.model + "/" + f);
                QVERIFY2(now == old[f] || now == written[f], qPrintable(QString("%1 at %2").arg(f).arg(n)));
            }
            // The next load finishes the save from its record, or finds none:
            // all four files old, or all new.
            const PadFixture::Loaded again = run.pad.loadAgain();
            QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 1);
            QVERIFY(again.hidden.isEmpty());
            QMap<QString, QByteArray> now;
            for (const QString &f : files)
                now[f] = kf::readFile(run.pad.model + "/" + f);
            QVERIFY2(now == old || now == written, qPrintable(QString::number(n)));
            QVERIFY(again.recovery.messages.isEmpty()
                    || again.text().contains("The save of an earlier close was finished from its record.")
                    || again.text().contains("whose every step was already done; the record was removed."));
        }
        QVERIFY(calls >= 8);
    }

    // The write-back stopped at every call by every stop (the editor killed, a
    // power cut with any part of the unsynced names on the disk, a kit record
    // or the chain block torn at a sector), the next load stopped at every
    // call of its repairs too and the pad loaded a third time: every kit
    // plays the record and the bytes it played before or after.
    void everyStopKeepsEachKit()
    {
        Run run;
        auto work = [&](ztplatform::Disk &disk) {
            run.kits[6].kit_tempo ^= 1;
            run.kits[41].effect2_ctrl3 = 266;
            run.kits[41].kpadChunk[3].aWaveNo = 0xFFFF;
            run.chains[3].curKitChain[3][0] = 12;
            DiskInPlace in(run.pad.disk, &disk);
            QVERIFY(!run.writeBack(true).failed);
        };
        padstops::Count count;
        const QString fault = padstops::everyStopKeepsTheKits(run.pad, work, &count);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(count.everyKind(), qPrintable(count.describe()));
        QVERIFY(count.states >= 10 && count.repairStops >= 5);
    }

    // The pad's own file system is FAT: a pad written back, copied into a FAT
    // image and read back, keeps every name and byte and loads as before.
    void aWrittenBackPadComesBackFromFat()
    {
        Run run;
        run.kits[6].kit_tempo ^= 1;
        run.kits[41].effect2_ctrl3 = 266;
        run.chains[3].curKitChain[3][0] = 12;
        QVERIFY(!run.writeBack(true).failed);
        const filetree::Tree written = filetree::read(run.pad.root);
        QString why;
        const QVector<QByteArray> plays = padstops::kitsPlay(run.pad, &why);
        QVERIFY2(!plays.isEmpty(), qPrintable(why));
        QTemporaryDir back;
        const QString error = fatimage::roundTrip(run.pad.model, back.path());
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const filetree::Tree read = filetree::read(back.path());
        QCOMPARE(filetree::firstDifference(read, written), QString());
        PadFixture again;
        filetree::write(read, again.root);
        QCOMPARE(padstops::kitsPlay(again, &why), plays);
    }

    // A deletion left on the pad for its next load, its record under either
    // of its names: the close's save writes nothing beside it and says so,
    // and the next load still ends the deletion as its record says.
    void aChangeLeftOnThePadKeepsItsRecordThroughTheSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("soundsAfter");
        QTest::newRow("to be finished") << QString(".zt-journal") << 0;
        QTest::newRow("turned back") << QString(".zt-journal-undo") << 1;
    }
    void aChangeLeftOnThePadKeepsItsRecordThroughTheSave()
    {
        QFETCH(QString, name);
        QFETCH(int, soundsAfter);
        Run run;
        namespace pj = padjournal;
        pj::Record r;
        r.purpose = pj::Purpose::DeleteSounds;
        for (const QString &file : {QString("010.wav"), QString("010.prm")}) {
            pj::Step s;
            s.kind = pj::Kind::Remove;
            s.area = file.endsWith(".wav") ? pj::Area::Data : pj::Area::Prm;
            s.number = 10;
            s.folder = "001";
            s.from = file;
            const QString &base = s.area == pj::Area::Data ? run.pad.dataPath : run.pad.prmPath;
            s.mark = pj::markOfBytes(kf::readFile(base + "/001/" + file));
            r.steps << s;
        }
        const QString record = run.pad.sysPath + "/" + name;
        kf::writeFile(record, pj::encode(r));
        run.kits[6].kit_tempo ^= 1;
        run.chains[3].curKitChain[3][0] = 12;
        const QStringList before = run.pad.snapshot();

        const WriteBackResult w = run.writeBack(true);
        QVERIFY(w.failed && w.kitsWritten.isEmpty() && !w.chainsWritten && !w.alterWritten);
        QCOMPARE(run.global, 0); // a later close's alter.ini does not claim the chains
        QCOMPARE(w.kitsNotSaved, QVector<int>{7});
        QCOMPARE(w.messages.size(), 1);
        QCOMPARE(w.messages.first().text,
                 QString("Nothing was saved to the sampler pad: it holds the record of an earlier change that its "
                         "next load ends first or, if it cannot, names.\r\nKit 7 was not saved to the sampler pad."));
        QCOMPARE(run.pad.snapshot(), before);
        const PadFixture::Loaded again = run.pad.loadAgain();
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), soundsAfter);
        QVERIFY2(soundsAfter || again.text().contains("The deletion of these sounds was finished: 10."),
                 qPrintable(again.text()));
        QVERIFY(!QFileInfo::exists(record));
    }

    void padDriveTest()
    {
        PadFixture pad;
        FakeDriveSource drives;
        const QString root = pad.root + "/";
        drives.list = {DriveEntry{"/", false}, DriveEntry{root, true}};
        ztplatform::Disk &disk = ztplatform::systemDisk();
        QVERIFY(padDrivePresent(drives, pad.root, pad.kitPath, disk));
        QVERIFY(padDrivePresent(drives, root, pad.kitPath, disk));
        drives.list[1].removable = false;
        QVERIFY(!padDrivePresent(drives, root, pad.kitPath, disk));
        drives.list[1].removable = true;
        // The model folder is looked at through the pad's disk: one whose looks fail finds no pad.
        struct LooksFail : PassDisk
        {
            int statAt(int, const QByteArray &, struct stat *, int) override
            {
                errno = EIO;
                return -1;
            }
        } failing;
        QVERIFY(!padDrivePresent(drives, root, pad.kitPath, failing));
        QVERIFY(QDir(pad.model).removeRecursively());
        QVERIFY(!padDrivePresent(drives, root, pad.kitPath, disk));
        QCOMPARE(driveGoneMessage().text,
                 QString("The 350 device was disconnected.\r\nFailed to save file.\r\nKorvanta stays open without the "
                         "350 device and keeps your edits."));
    }

    void kitWavesFollowTheListByFile()
    {
        Records::soundKit kit;
        kit.kpadChunk[3].soundFile1 = "/pad/a.wav";
        kit.kpadChunk[3].bWaveNo = 4;
        kit.kpadChunk[18].soundFile1 = "/pad/a.wav"; // layer B of a foot switch is tested too
        kit.kpadChunk[5].soundFile0 = "/pad/A.wav"; // another spelling does not match
        kit.kpadChunk[5].aWaveNo = 8;
        kit.pedalChunk.hh_wave2_file = "/pad/a.wav";
        kit.kpadChunk[6].aWaveNo = 0xFFFF; // an empty slot stays empty
        WaveFileIndex index;
        index.add("/pad/a.wav", 12, "first");
        index.add("/pad/a.wav", 40, "second");
        index.add("", 1, "none");
        QCOMPARE(refreshKitWaves(kit, index), 3);
        QCOMPARE(kit.kpadChunk[3].bWaveNo, quint16(40));
        QCOMPARE(kit.kpadChunk[3].soundName1, QString("second"));
        QCOMPARE(kit.kpadChunk[18].bWaveNo, quint16(40));
        QCOMPARE(kit.pedalChunk.hh_wave2_no, quint16(40));
        QCOMPARE(kit.kpadChunk[5].aWaveNo, quint16(8));
        QCOMPARE(kit.kpadChunk[6].aWaveNo, quint16(0xFFFF));
        QVERIFY(kit.kpadChunk[6].soundName0.isEmpty());

        // Against the kit as read from the pad (numbers one lower): a slot whose
        // file is in no row keeps the pad's number while it is as loaded.
        Records::soundKit atLoad;
        atLoad.kpadChunk[1].aWaveNo = 6; // no file: a number the pad has no sound for
        atLoad.kpadChunk[2].soundFile0 = "/pad/gone.wav";
        atLoad.kpadChunk[2].aWaveNo = 2;
        atLoad.kpadChunk[2].bWaveNo = NO_WAVE;
        atLoad.pedalChunk.hh_wave1_no = 4;
        atLoad.kpadChunk[4].aWaveNo = 0;
        Records::soundKit edited = atLoad;
        edited.kpadChunk[2].soundFile1 = "/elsewhere/new.wav"; // a file the pad lacks
        edited.kpadChunk[2].bWaveNo = 3;
        edited.pedalChunk.hh_wave1_no = 5; // another number, no file
        edited.kpadChunk[4].soundFile0 = "/pad/a.wav";
        QCOMPARE(refreshKitWaves(edited, index, &atLoad), 1);
        QCOMPARE(edited.kpadChunk[1].aWaveNo, quint16(7));
        QCOMPARE(edited.kpadChunk[2].aWaveNo, quint16(3));
        QCOMPARE(edited.kpadChunk[2].bWaveNo, NO_WAVE);
        QCOMPARE(edited.pedalChunk.hh_wave1_no, NO_WAVE);
        QCOMPARE(edited.kpadChunk[4].aWaveNo, quint16(40));
        QCOMPARE(edited.kpadChunk[3].bWaveNo, quint16(1)); // 0 as loaded, written back as 0
    }
};

QTEST_GUILESS_MAIN(TestWriteBack)
#include "test_writeback.moc"

#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/padsounds.h"
#include "padfixture.h"
#include "platform/regularfile.h"
#include "support/crashdisk.h"
#include "support/pipewaits.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using Records = MainWindow1Records;

namespace {
QString nameOf(const Records::SOUND_INDEX &s)
{
    return percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
}
} // namespace

class TestPadRead : public QObject {
    Q_OBJECT

private slots:
    void soundsComeFromTheRecords()
    {
        PadFixture pad;
        // Found in the order 12, 3, 7: the numbers are the records', not the files'.
        pad.writePair("001", "001", 12, "kick_01.wav");
        pad.writePair("001", "002", 3, "/snare");
        pad.writePair("001", "003", 7, "hat#", true, 0);
        pad.writePair("002", "100", 100, "");
        QByteArray rec = kf::readFile(pad.prmPath + "/002/100.prm");
        kf::wr32(rec, 22, 256); // start cluster bytes 00 01 00 00
        kf::writeFile(pad.prmPath + "/002/100.prm", rec);
        pad.writePair("002", "001", 101, "Crash-Ride-Hit--");
        const QStringList before = pad.snapshot();

        const PadSounds r = pad.readSounds();
        QVERIFY(r.ok);
        QCOMPARE(pad.snapshot(), before);
        QVector<int> read, sorted;
        for (const auto &s : r.waveAttrList)
            read << s.wave_No;
        for (const auto &s : r.waveLoadKitAttrList)
            sorted << s.wave_No;
        QCOMPARE(read, (QVector<int>{11, 2, 6, 100, 99}));
        QCOMPARE(sorted, (QVector<int>{3, 7, 12, 100, 101}));
        const Records::SOUND_INDEX &three = r.waveLoadKitAttrList.at(0);
        QCOMPARE(three.file, QDir::toNativeSeparators(pad.dataPath + "/001/002.wav"));
        QCOMPARE(nameOf(three), QString("snare"));
        QCOMPARE(nameOf(r.waveLoadKitAttrList.at(1)), QString("hat"));
        QCOMPARE(r.waveLoadKitAttrList.at(1).wave_lock, quint8(0));
        QCOMPARE(nameOf(r.waveLoadKitAttrList.at(2)), QString("kick_01"));
        QCOMPARE(nameOf(r.waveLoadKitAttrList.at(3)), QString("SOUND~00100")); // nothing left of the name
        QCOMPARE(nameOf(r.waveLoadKitAttrList.at(4)), QString("Crash-Ride-Hit"));
        QCOMPARE(r.waveAttrList.at(4).start_cluster, quint32(256));
        QCOMPARE(r.waveAttrList.at(4).wave_length, waveprm::waveLength(444));
        QCOMPARE(r.waveLoadKitAttrList.at(3).start_cluster, quint32(0));
        QCOMPARE(r.renamedNumbers, (QVector<int>{7, 101, 100}));
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.at(0).title, QString("Warning"));
        QCOMPARE(r.messages.at(0).text,
                 QString("The 7, 101 and 100 item are automatically renamed, as they exceed 16 characters or end "
                         "with special symbol."));
    }

    // Sounds the rule names alike: the lowest number keeps the name, another
    // sound takes a number, a sound of the same bytes keeps it; one box says so.
    void soundsOfOneNameAreToldApart()
    {
        PadFixture pad;
        // Names stored as UTF-8 bytes.
        pad.writePair("001", "001", 50, QString::fromLatin1(QString::fromUtf8("底鼓").toUtf8()));
        pad.writePair("001", "002", 20, QString::fromLatin1(QString::fromUtf8("低鼓").toUtf8()));
        pad.writePair("001", "003", 30, "di gu");
        kf::writeFile(pad.dataPath + "/001/003.wav", kf::readFile(pad.dataPath + "/001/002.wav"));

        const PadSounds r = pad.readSounds();
        QStringList names, read;
        for (const auto &s : r.waveLoadKitAttrList)
            names << QString::number(s.wave_No) + ' ' + nameOf(s);
        for (const auto &s : r.waveAttrList)
            read << nameOf(s);
        QCOMPARE(names, QStringList({"20 di gu", "30 di gu", "50 di gu~00001"}));
        QCOMPARE(read, QStringList({"di gu~00001", "di gu", "di gu"}));
        QCOMPARE(r.madeUnique, QVector<namerules::NameChange>({{"di gu", "di gu~00001", true}}));
        QCOMPARE(r.messages.size(), 2);
        QCOMPARE(r.messages.at(1).text,
                 QString::fromUtf8("These sounds of the sampler pad had the name of another of its sounds and were "
                                   "given a number:\r\n\"\u2068di gu\u2069\" → \"\u2068di gu~00001\u2069\""));
    }

    // A file without its partner, or a partner that is no file, is named
    // and left out; the other sounds load.
    void halfPairsAreNamedAndLeftOut_data()
    {
        QTest::addColumn<QStringList>("prm");
        QTest::addColumn<QStringList>("wav");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QString>("lines");
        QTest::newRow("audio without record") << QStringList{"001", "003"} << QStringList{"001", "002", "003"} << "001"
                                              << 3 << "Sound 2 (D/001/002.wav): it has no .prm file.";
        QTest::newRow("record without audio") << QStringList{"100", "001", "002"} << QStringList{"100", "001"} << "002"
                                              << 3 << "Sound 102 (P/002/002.prm): it has no .wav file.";
        QTest::newRow("lone parameter folder") << QStringList{"001", "100"} << QStringList{} << "003" << 1
                                               << "Sound 201 (P/003/001.prm): it has no .wav file.\r\n"
                                                  "Sound 200 (P/003/100.prm): it has no .wav file.";
        QTest::newRow("equal numbers") << QStringList{"001"} << QStringList{"1", "001"} << "001" << 2
                                       << "Sound 1 (D/001/1.wav): it has no .prm file.";
        QTest::newRow("folder at a sound's name") << QStringList{"007"} << QStringList{"007/"} << "001" << 1
                                                  << "Sound 7 (D/001/007.wav): a folder stands at its name.";
        QTest::newRow("pipe at a sound's name") << QStringList{"007"} << QStringList{"007|"} << "001" << 1
                                                << "Sound 7 (D/001/007.wav): it is not a regular file.";
        QTest::newRow("not a sound's name") << QStringList{} << QStringList{"notes"} << "002" << 1
                                            << "D/002/notes.wav: not named as a sound.";
    }
    void halfPairsAreNamedAndLeftOut()
    {
        QFETCH(QStringList, prm);
        QFETCH(QStringList, wav);
        QFETCH(QString, folder);
        QFETCH(int, loaded);
        QFETCH(QString, lines);
        PadFixture pad;
        pad.addWave(5); // a good pair beside them
        for (const QString &p : prm)
            pad.writePair(folder, p, quint16(padtree::waveNumberFromLocation(folder.toInt(), p.toInt())), "x", false);
        QDir().mkpath(pad.dataPath + "/" + folder);
        for (const QString &w : wav) {
            const QString path = pad.dataPath + "/" + folder + "/" + w.left(3) + ".wav";
            if (w.endsWith('/'))
                QVERIFY(QDir().mkdir(path));
            else if (w.endsWith('|'))
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else
                touchFile(pad.dataPath + "/" + folder + "/" + w + ".wav", kf::wavBytes(8, 1));
        }
        // A link at a sound's name, its target gone, is left out with its partner as a link.
        QVERIFY(QFile::link(pad.root + "/gone.wav", pad.dataPath + "/001/010.wav"));
        pad.writePair("001", "010", 10, "linked", false);
        const PadSounds r = pad.readSounds();
        QVERIFY(r.ok);
        QCOMPARE(r.waveLoadKitAttrList.size(), loaded);
        QCOMPARE(r.linksLeftOut, QStringList{pad.dataPath + "/001/010.wav"});
        QCOMPARE(r.messages.at(0).title, QString("Warning"));
        // Both folders at once: a folder name ending in D or P is not taken for a placeholder.
        lines.replace(QRegularExpression("(^|\\(|\\s)([DP])/"), "\\1\\2#/");
        lines.replace("D#/", pad.dataPath + "/").replace("P#/", pad.prmPath + "/");
        QCOMPARE(r.messages.at(0).text,
                 "These sounds of the sampler pad were left out; the other sounds were loaded:\r\n" + lines);
    }

    void hostileRecords()
    {
        PadFixture pad;
        pad.writePair("001", "001", 0, "zero"); // no number: skipped
        pad.writePair("001", "002", 9, "first"); // two records of wave 9
        pad.writePair("001", "009", 9, "second");
        pad.writePair("001", "004", 4, "alone", false);
        touchFile(pad.dataPath + "/001/005.wav", kf::wavBytes(8, 1)); // 004.prm and 005.wav: no pair
        touchFile(pad.prmPath + "/001/006.prm",
                  QByteArray("\x06\x00"
                             "ab",
                             4)); // short record
        touchFile(pad.dataPath + "/001/006.wav", kf::wavBytes(8, 1));
        PadSounds r = pad.readSounds();
        QVERIFY(r.ok);
        QCOMPARE(r.waveLoadKitAttrList.size(), 3);
        QCOMPARE(r.waveLoadKitAttrList.at(0).wave_No, quint16(6));
        QCOMPARE(nameOf(r.waveLoadKitAttrList.at(0)), QString("ab"));
        QCOMPARE(r.waveLoadKitAttrList.at(1).file, QDir::toNativeSeparators(pad.dataPath + "/001/002.wav"));
        QCOMPARE(r.waveLoadKitAttrList.at(2).file, QDir::toNativeSeparators(pad.dataPath + "/001/009.wav"));
        QCOMPARE(r.waveLoadKitAttrList.at(2).wave_No, quint16(9));
        QCOMPARE(r.duplicateNumbers, QVector<int>{9});
        QCOMPARE(r.messages.size(), 2);
        QCOMPARE(r.leftOut, (QStringList{"Sound 4 (" + pad.prmPath + "/001/004.prm): it has no .wav file.",
                                         "Sound 5 (" + pad.dataPath + "/001/005.wav): it has no .prm file."}));
        QCOMPARE(r.messages.at(1).text, QString("The sound of number 9 is stored more than once on the sampler pad."));

        pad.writePair("002", "001", 10000, "big");
        r = pad.readSounds();
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.at(0).text, QString("The number of sound can not exceed 9999."));
        QCOMPARE(r.waveAttrList.size(), 3); // what was read before the refusal

        const PadSounds empty = readPadSounds(ztplatform::FolderAnchor(), {}, {});
        QVERIFY(!empty.ok);
        QVERIFY(empty.messages.isEmpty());
    }

    // A record whose read fails refuses the sounds: nothing cut short is taken.
    void aRecordWhoseReadFailsRefusesTheSounds()
    {
        PadFixture pad;
        pad.writePair("001", "001", 1, "kick");
        pad.writePair("001", "002", 2, "snare");
        CrashDisk disk(pad.root);
        disk.setReads(CrashDisk::Reads::Fail, "/001/002.prm");
        const PadSounds r =
                readPadSounds(ztplatform::FolderAnchor::record(pad.root, &disk), pad.dataFolders(), pad.prmFolders());
        QCOMPARE(disk.readsStopped(), 1);
        QVERIFY(!r.ok);
        QVERIFY(r.waveLoadKitAttrList.isEmpty());
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.at(0).text, QString("Read wave prm file failed, import failed."));
    }

    void kitsAreReadIntoTheirSlots()
    {
        PadFixture pad;
        pad.addWave(10, "Kick");
        pad.addWave(20, "Old");
        pad.writePair("001", "021", 20, "New"); // wave 20 twice: the later record names the slots
        pad.kits.fill({9, 19, 0xFFFF}, 3);
        auto &b = pad.kits.base;
        const char *names[] = {"", "TwelveChars1", "Rock ", "A#B", "OK-Name_10", "x", ""};
        for (int i = 0; i < 7; ++i)
            percussionpadfile::str2CharArray(QString::fromLatin1(names[i]), b[size_t(i)].kit_name, KIT_NAME_FIELD);
        b[0].effect2_no = 10;
        b[0].effect3_no = 9;
        b[0].reserved[0] = 1;
        b[0].kit_effect1 = 30; // a type without a memory
        b[0].kit_effect2 = 4;
        b[0].effect2_ctrl1 = 266;
        pad.kits.pedal[0].active_no = 0xFF;
        pad.kits.pads[0][0].pad_fs_ctrl = 9;
        pad.kits.pads[0][1].aWaveNo = 77; // a number no sound carries
        pad.saveKits();
        // Any case; names outside k001 ... k100 are not kits.
        QVERIFY(QFile::rename(pad.kitPath + "/k001.ini", pad.kitPath + "/K001.INI"));
        for (const char *stray : {"k000.ini", "k101.ini", "kabc.ini", "k01.ini"})
            touchFile(pad.kitPath + "/" + stray, QByteArray(KIT_RECORD_SIZE, '\x11'));
        const QStringList before = pad.snapshot();

        const PadSounds sounds = pad.readSounds();
        QVERIFY(sounds.ok);
        QVector<Records::soundKit> scratch(KIT_MAX_COUNT);
        scratch[0].reserved[1] = 42;
        scratch[0].kpadChunk[0].pad_fs_ctrl = 5;
        scratch[0].kpadChunk[1].soundFile0 = "kept";
        kf::KitStorage storage;
        const PadKits r = readPadKits(pad.kitPath, sounds.waveAttrList, scratch.constData(),
                                      KitRecordStorage{storage.base.data(), storage.pedal.data(), storage.pads.get()});
        QVERIFY(r.ok);
        QCOMPARE(pad.snapshot(), before);
        QCOMPARE(r.kits.size(), KIT_MAX_COUNT);
        QCOMPARE(r.kitFiles.first(), pad.kitPath + "/K001.INI");
        QCOMPARE(r.kitFiles.last(), pad.kitPath + "/k100.ini");
        QCOMPARE(storage.base[99].kit_no, quint8(99)); // the caller's record storage is filled

        QStringList got;
        for (int i = 0; i < 7; ++i)
            got << r.kits.at(i).kit_name;
        QCOMPARE(got, (QStringList{"K001", "TwelveChar", "Rock", "K004", "OK-Name_10", "x", "K007"}));
        QCOMPARE(r.renamedKits, (QVector<int>{1, 2, 3, 4, 7}));
        QCOMPARE(r.nameAdjusted.mid(0, 8), (QVector<quint8>{1, 1, 1, 1, 0, 0, 1, 0}));
        QCOMPARE(r.messages.size(), 1);
        auto line = [](int n, const QString &from, const QString &to) {
            return QString::fromUtf8("\r\nKit %1: \"\u2068%2\u2069\" → \"\u2068%3\u2069\"").arg(n).arg(from, to);
        };
        QCOMPARE(r.messages.at(0).text,
                 QString("Kit 1, 2, 3, 4 and 7 \r\nare automatically renamed, as they "
                         "exceed 10 characters or contain special symbol.")
                         + line(1, "", "K001") + line(2, "TwelveChars1", "TwelveChar") + line(3, "Rock ", "Rock")
                         + line(4, "A#B", "K004") + line(7, "", "K007"));

        const Records::soundKit &k = r.kits.at(0);
        QCOMPARE(k.kit_no, quint8(0));
        QCOMPARE(k.kit_volume, b[0].kit_volume);
        QCOMPARE(k.effect1_ctrl2, b[0].effect1_ctrl2);
        QCOMPARE(int(k.effect2_no), 0);
        QCOMPARE(int(k.effect3_no), 9);
        QCOMPARE(int(k.pedalChunk.active_no), 0);
        QCOMPARE(k.pedalChunk.hh_midi_code, pad.kits.pedal[0].hh_midi_code);
        QCOMPARE(r.kitIndex.at(0), 1);
        QCOMPARE(int(k.reserved[1]), 42);
        QCOMPARE(int(k.kpadChunk[0].pad_fs_ctrl), 5);
        QCOMPARE(k.kpadChunk[0].aWaveLength, pad.kits.pads[0][0].aWaveLength);
        // Numbers stay as the pad stores them; names and files come from the sounds.
        QCOMPARE(k.kpadChunk[0].aWaveNo, quint16(9));
        QCOMPARE(k.kpadChunk[0].soundName0, QString("Kick"));
        QCOMPARE(k.kpadChunk[0].soundFile0, QDir::toNativeSeparators(pad.dataPath + "/001/010.wav"));
        QCOMPARE(k.kpadChunk[0].soundName1, QString("New"));
        QCOMPARE(k.kpadChunk[0].soundFile1, QDir::toNativeSeparators(pad.dataPath + "/001/021.wav"));
        QCOMPARE(k.kpadChunk[1].soundFile0, QString("kept"));
        QCOMPARE(k.kpadChunk[2].bWaveNo, quint16(0xFFFF));
        QVERIFY(k.kpadChunk[2].soundFile1.isEmpty());
    }

    void missingOrShortKitRefusesThePad_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("missing") << true;
        QTest::newRow("short") << false;
    }
    void missingOrShortKitRefusesThePad()
    {
        QFETCH(bool, remove);
        PadFixture pad;
        pad.writeKits();
        const QString k50 = pad.kitPath + "/k050.ini";
        if (remove)
            QVERIFY(QFile::remove(k50));
        else
            QVERIFY(QFile::resize(k50, KIT_RECORD_SIZE - 1));
        const PadKits r = readPadKits(pad.kitPath, {}, nullptr);
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.at(0).title, QString("Warning"));
        QCOMPARE(r.messages.at(0).text, "Fail to read kit file, import failed.\r\n" + k50 + "\r\n"
                                                 + (remove ? "It does not exist."
                                                           : "It is shorter than a kit record (1987 bytes)."));
    }

    // A pipe put at the name of a file the load reads, or a link: the open
    // returns at once and takes neither.
    void pipesAndLinksAreRefusedAtOnce()
    {
        PadFixture pad;
        const QString file = pad.sysPath + "/global.ini";
        const QString aside = pad.sysPath + "/global.bak";
        QVERIFY(QFile::rename(file, aside));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        const PipeWaits pipes({file});
        QCOMPARE(ztplatform::openRegularFile(ztplatform::systemDisk(), file, O_RDONLY, true), -1);
        percussionpadfile model;
        const PadGlobal g = readPadGlobal(file, model);
        QVERIFY(!pipes.any());
        QVERIFY(!g.ok);
        QCOMPARE(g.messages.at(0).text,
                 "Fail to read file, import failed.\r\n" + file + "\r\nIt is a named pipe, not a file.");
        QVERIFY(QFile::remove(file) && QFile::link(aside, file));
        QCOMPARE(ztplatform::openRegularFile(ztplatform::systemDisk(), file, O_RDONLY, true), -1);
        QVERIFY(readPadGlobal(file, model).messages.at(0).text.endsWith("\r\nIt is a symbolic link, which the editor "
                                                                         "does not follow."));
        const int fd = ztplatform::openRegularFile(ztplatform::systemDisk(), aside, O_RDONLY, true);
        QVERIFY(fd >= 0);
        ::close(fd);
    }

    // Links in a wave folder that lead out of the pad, there when it is
    // listed or put at a name between the listing and the read: the load
    // takes nothing through them.
    void linksOutOfThePadAreNotFollowed()
    {
        PadFixture pad;
        QTemporaryDir outside;
        touchFile(outside.path() + "/050.prm", waveprm::buildRecord(50, "outside", 44 + 400));
        touchFile(outside.path() + "/050.wav", kf::wavBytes(400, 50));
        pad.addWave(1);
        pad.addWave(2);
        pad.writePair("001", "003", 3, "three", false);
        QVERIFY(QFile::link(outside.path() + "/050.wav", pad.dataPath + "/001/003.wav"));
        touchFile(pad.dataPath + "/001/004.wav", kf::wavBytes(400, 4));
        QVERIFY(QFile::link(outside.path() + "/050.prm", pad.prmPath + "/001/004.prm"));
        // Record 2 becomes a link once the folder is listed (the second beat).
        const QString two = pad.prmPath + "/001/002.prm";
        bool swapped = false;
        int beat = 0;
        const PadSounds r = pad.readSounds([&] {
            if (++beat == 2)
                swapped = QFile::remove(two) && QFile::link(outside.path() + "/050.prm", two);
        });
        QVERIFY(swapped && r.ok);
        QCOMPARE(r.waveLoadKitAttrList.size(), 1);
        QCOMPARE(r.waveLoadKitAttrList.at(0).wave_No, quint16(1));
        QCOMPARE(r.linksLeftOut, (QStringList{pad.prmPath + "/001/004.prm", pad.dataPath + "/001/003.wav"}));
        QCOMPARE(r.leftOut, QStringList{"Sound 2 (" + two + "): its .prm file is not a regular file."});
        QCOMPARE(r.prmRecords.size(), 1);
    }

    // A pipe at a record's name, there when the folder is listed or put
    // there before the record is read, is left out at once.
    void pipesAtRecordNamesDoNotHoldTheLoad()
    {
        PadFixture pad;
        for (int n = 1; n <= 3; ++n)
            pad.addWave(n);
        const QString one = pad.prmPath + "/001/001.prm", three = pad.prmPath + "/001/003.prm";
        QVERIFY(QFile::remove(one));
        QCOMPARE(::mkfifo(QFile::encodeName(one).constData(), 0600), 0);
        bool swapped = false;
        int beat = 0;
        const PipeWaits pipes({one, three});
        const PadSounds r = pad.readSounds([&] {
            if (++beat == 2)
                swapped = QFile::remove(three) && ::mkfifo(QFile::encodeName(three).constData(), 0600) == 0;
        });
        QVERIFY(!pipes.any());
        QVERIFY(swapped && r.ok);
        QCOMPARE(r.waveLoadKitAttrList.size(), 1);
        QCOMPARE(r.waveLoadKitAttrList.at(0).wave_No, quint16(2));
        QCOMPARE(r.leftOut, (QStringList{"Sound 1 (" + one + "): its .prm file is not a regular file.",
                                         "Sound 3 (" + three + "): its .prm file is not a regular file."}));
    }

    // The pad's tree, or its root, replaced at its path while the sounds are
    // read (once the first folder is listed, or after the last record), or the pad
    // gone: nothing read is taken for the loaded pad's, and the box says so.
    void aTreeReplacedWhileReadIsNotTaken_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("atTheEnd");
        for (const bool end : {false, true}) {
            const QByteArray when = end ? " after the last record" : " after the first listing";
            QTest::newRow("model folder" + when) << "model" << end;
            QTest::newRow("root" + when) << "root" << end;
            QTest::newRow("pad gone" + when) << "gone" << end;
        }
    }
    void aTreeReplacedWhileReadIsNotTaken()
    {
        QFETCH(QString, what);
        QFETCH(bool, atTheEnd);
        QTemporaryDir place;
        const QString root = place.path() + "/pad";
        PadFixture pad(root);
        for (int n = 1; n <= 3; ++n)
            pad.addWave(n, QString("old%1").arg(n));
        // Another pad laid out with sounds at the same places.
        PadFixture other(place.path() + "/other");
        for (int n = 1; n <= 3; ++n)
            other.addWave(n, QString("new%1").arg(n));
        int calls = 0;
        pad.readSounds([&calls] { ++calls; });
        QVERIFY(calls > 1);
        const int swapAt = atTheEnd ? calls : 2;
        int call = 0;
        bool swapped = false;
        const PadSounds r = pad.readSounds([&] {
            if (++call != swapAt)
                return;
            if (what == "model")
                swapped = QDir().rename(pad.model, place.path() + "/old") && QDir().rename(other.model, pad.model);
            else if (what == "root")
                swapped = QDir().rename(root, place.path() + "/old") && QDir().rename(other.root, root);
            else
                swapped = QDir().rename(root, place.path() + "/old");
        });
        QVERIFY(swapped);
        QVERIFY(!r.ok && r.padChanged);
        QVERIFY(r.waveAttrList.isEmpty() && r.waveLoadKitAttrList.isEmpty() && r.prmRecords.isEmpty());
        QVERIFY(r.linksLeftOut.isEmpty() && r.leftOut.isEmpty());
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.at(0).title, QString("Error"));
        QCOMPARE(r.messages.at(0).text,
                 what == "gone" ? QString("The 350 device was disconnected.")
                                : QString("The sampler pad at the drive changed while it was read: another "
                                          "pad or other folders stand at its place. Nothing was taken from it."));
    }

    // Kit files are read below the pad's root: a pipe or a link put at a
    // kit's name once the folder is listed is refused at once, never
    // followed; a kit folder swapped while read is not taken.
    void kitsAreReadBelowTheRoot_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link") << "link";
        QTest::newRow("folder swapped") << "swap";
        QTest::newRow("pad gone") << "gone";
    }
    void kitsAreReadBelowTheRoot()
    {
        QFETCH(QString, what);
        QTemporaryDir place;
        PadFixture pad(place.path() + "/pad");
        pad.writeKits();
        PadFixture other(place.path() + "/other");
        other.writeKits();
        QTemporaryDir outside;
        touchFile(outside.path() + "/k003.ini", QByteArray(KIT_RECORD_SIZE, '\x11'));
        const QString k3 = pad.kitPath + "/k003.ini";
        int beat = 0;
        bool done = false;
        const PipeWaits pipes({k3});
        const PadKits r = readPadKits(ztplatform::FolderAnchor::record(pad.root), pad.kitPath, {}, nullptr,
                                      KitRecordStorage(), [&] {
                                          if (++beat != (what == "swap" || what == "gone" ? 50 : 1))
                                              return;
                                          if (what == "pipe")
                                              done = QFile::remove(k3) && ::mkfifo(QFile::encodeName(k3), 0600) == 0;
                                          else if (what == "link")
                                              done = QFile::remove(k3) && QFile::link(outside.path() + "/k003.ini", k3);
                                          else if (what == "swap")
                                              done = QDir().rename(pad.kitPath, place.path() + "/oldkit")
                                                      && QDir().rename(other.kitPath, pad.kitPath);
                                          else
                                              done = QDir().rename(pad.root, place.path() + "/gone");
                                      });
        QVERIFY(done);
        QVERIFY(!pipes.any());
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.size(), 1);
        if (what == "pipe" || what == "link") {
            QVERIFY(!r.padChanged);
            QCOMPARE(r.messages.at(0).text,
                     "Fail to read kit file, import failed.\r\n" + k3 + "\r\n"
                             + (what == "pipe" ? "It is a named pipe, not a file."
                                               : "It is a symbolic link, which the editor does not follow."));
            return;
        }
        QVERIFY(r.padChanged && r.kits.isEmpty());
        QCOMPARE(r.messages.at(0).title, QString("Error"));
        QCOMPARE(r.messages.at(0).text,
                 what == "gone" ? QString("The 350 device was disconnected.")
                                : QString("The sampler pad at the drive changed while it was read: another "
                                          "pad or other folders stand at its place. Nothing was taken from it."));
    }

    // global.ini is read below the pad's root: a pipe or a link at its name
    // is refused at once, never followed; SYS swapped while it is read, or
    // the pad gone, is not taken.
    void settingsAreReadBelowTheRoot_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link") << "link";
        QTest::newRow("folder swapped") << "swap";
        QTest::newRow("folder a link") << "sys link";
        QTest::newRow("pad gone") << "gone";
    }
    void settingsAreReadBelowTheRoot()
    {
        QFETCH(QString, what);
        QTemporaryDir place;
        PadFixture pad(place.path() + "/pad");
        PadFixture other(place.path() + "/other");
        const QString file = pad.sysPath + "/global.ini";
        if (what == "pipe")
            QVERIFY(QFile::remove(file) && ::mkfifo(QFile::encodeName(file), 0600) == 0);
        else if (what == "link")
            QVERIFY(QFile::remove(file) && QFile::link(other.sysPath + "/global.ini", file));
        else if (what == "sys link")
            QVERIFY(QDir(pad.sysPath).removeRecursively() && QFile::link(other.sysPath, pad.sysPath));
        bool done = what != "swap" && what != "gone";
        const PipeWaits pipes({file});
        percussionpadfile model;
        const PadGlobal g = readPadGlobal(ztplatform::FolderAnchor::record(pad.root), file, model, [&] {
            if (what == "swap")
                done = QDir().rename(pad.sysPath, place.path() + "/oldsys") && QDir().rename(other.sysPath, pad.sysPath);
            else if (what == "gone")
                done = QDir().rename(pad.root, place.path() + "/gone");
        });
        QVERIFY(done);
        QVERIFY(!pipes.any());
        QVERIFY(!g.ok || g.padChanged);
        QCOMPARE(g.messages.size(), 1);
        if (what == "pipe" || what == "link") {
            QVERIFY(!g.padChanged && g.chainBlock.isEmpty());
            QCOMPARE(g.messages.at(0).text,
                     "Fail to read file, import failed.\r\n" + file + "\r\n"
                             + (what == "pipe" ? "It is a named pipe, not a file."
                                               : "It is a symbolic link, which the editor does not follow."));
            return;
        }
        QVERIFY(g.padChanged && g.chainBlock.isEmpty());
        QCOMPARE(g.messages.at(0).title, QString("Error"));
        QCOMPARE(g.messages.at(0).text,
                 what == "gone" ? QString("The 350 device was disconnected.")
                                : QString("The sampler pad at the drive changed while it was read: another "
                                          "pad or other folders stand at its place. Nothing was taken from it."));
    }

    // The metronome folder is read below the pad's root: a link out of the
    // pad is named, never followed, a pipe or a folder skipped at once, also
    // when put at a sound's name once the folder is listed; a folder swapped
    // while read, or the pad gone, gives nothing.
    void clickFilesAreReadBelowTheRoot_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("entries") << "entries";
        QTest::newRow("folder swapped") << "swap";
        QTest::newRow("folder a link") << "click link";
        QTest::newRow("pad gone") << "gone";
    }
    void clickFilesAreReadBelowTheRoot()
    {
        QFETCH(QString, what);
        QTemporaryDir place, outside;
        PadFixture pad(place.path() + "/pad");
        PadFixture other(place.path() + "/other");
        const QString click = pad.sysPath + "/CLICK";
        touchFile(outside.path() + "/out.wav", kf::wavBytes(4000, 9));
        QVERIFY(QFile::link(outside.path() + "/out.wav", click + "/click6.wav"));
        QCOMPARE(::mkfifo(QFile::encodeName(click + "/click7.wav"), 0600), 0);
        QVERIFY(QDir().mkdir(click + "/more"));
        if (what == "click link")
            QVERIFY(QDir(click).removeRecursively() && QFile::link(other.sysPath + "/CLICK", click));
        int beat = 0;
        bool done = what == "click link";
        const PipeWaits pipes({click + "/click4.wav", click + "/click7.wav"});
        const padtree::ClickFiles r = padtree::readClickFiles(ztplatform::FolderAnchor::record(pad.root), click, [&] {
            if (++beat != 1)
                return;
            if (what == "entries")
                done = QFile::remove(click + "/click3.wav") && QFile::link(outside.path() + "/out.wav", click + "/click3.wav")
                        && QFile::remove(click + "/click4.wav") && ::mkfifo(QFile::encodeName(click + "/click4.wav"), 0600) == 0;
            else if (what == "swap")
                done = QDir().rename(click, place.path() + "/oldclick") && QDir().rename(other.sysPath + "/CLICK", click);
            else if (what == "gone")
                done = QDir().rename(pad.root, place.path() + "/gone");
        });
        QVERIFY(done);
        QVERIFY(!pipes.any());
        if (what != "entries") {
            QVERIFY(r.padChanged && r.files.isEmpty() && r.links.isEmpty() && r.skipped.isEmpty());
            QCOMPARE(r.padAway, what == "gone");
            return;
        }
        QVERIFY(!r.padChanged);
        QCOMPARE(r.files, (QStringList{click + "/click1.wav", click + "/click2.wav", click + "/click5.wav"}));
        QCOMPARE(r.sizes, (QVector<qint64>(3, 444)));
        QCOMPARE(r.links, (QStringList{click + "/click3.wav", click + "/click6.wav"}));
        QCOMPARE(r.skipped, (QStringList{click + "/click4.wav (a named pipe)", click + "/click7.wav (a named pipe)",
                                         click + "/more (a folder)"}));
    }

    void globalSettingsFile()
    {
        PadFixture pad;
        const QString file = pad.sysPath + "/global.ini";
        percussionpadfile model;
        PadGlobal g = readPadGlobal(file, model);
        QVERIFY(g.ok && g.currentLayout);
        QCOMPARE(g.globalSize, GLOBAL_CHUNK_SIZE);
        QCOMPARE(model.curFlag, 4);

        QByteArray old = kf::readFile(file);
        kf::wr32(old, 4, 488);
        kf::writeFile(file, old);
        g = readPadGlobal(file, model);
        QVERIFY(g.ok && !g.currentLayout);
        QCOMPARE(g.globalSize, 488);

        g = readPadGlobal(QString(), model);
        QVERIFY(!g.ok);
        QCOMPARE(g.messages.at(0).text, QString("Fail to read file, import failed.\r\n\r\nIt does not exist."));
    }
};

QTEST_GUILESS_MAIN(TestPadRead)
#include "test_padread.moc"

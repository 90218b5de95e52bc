// Kit files into the editor's records: scratch reading with its checks, sounds, kits, names.
#include "kitfile/setup_fixture.h"
#include "kitfile/sharedsounds.h"
#include "platform/silentfiles.h"
#include "support/hangingdisk.h"
#include "support/switchdisk.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace sf;
using kf::TestSound;

namespace {

// A whole setup whose sound table is `sounds`; kits use the waves 0..2.
bool writeSetup(const QString &path, const QVector<TestSound> &sounds)
{
    percussionpadfile m;
    kf::KitStorage kits;
    kits.fill({0, 1, 2}, 5);
    QVector<quint16> order;
    for (int i = 0; i + 3 < sounds.size(); ++i)
        order.append(quint16(i));
    while (order.size() + 3 < sounds.size())
        order.append(0);
    return kf::writeWholeSetup(m, kits, sounds, order, order, path);
}

QString sourceOf(const Records::SOUND_INDEX &s) { return s.file; }

} // namespace

class TestSetupLoad : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_whole, m_kit;
    QVector<TestSound> m_clicks, m_waves;
    SwitchDisk m_disk; // every file the matches read

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A copy of `from` with the bytes at `at` replaced.
    QString patched(const QString &from, const QString &name, int at, const QByteArray &bytes)
    {
        QByteArray b = kf::readFile(from);
        if (at < 0)
            b.truncate(-at);
        else
            b.replace(at, bytes.size(), bytes);
        kf::writeFile(path(name), b);
        return path(name);
    }
    static QByteArray le(quint32 v, int n)
    {
        QByteArray b(n, '\0');
        for (int i = 0; i < n; ++i)
            b[i] = char(v >> (8 * i));
        return b;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QVector<TestSound> sounds = writeSounds(m_dir.path(), {"Kick", "Snare_", "ABCDEFGHIJKLMNOPQ"}, 1);
        QCOMPARE(sounds.size(), 8);
        m_clicks = sounds.mid(0, 5);
        m_waves = sounds.mid(5);
        m_whole = path("SET.bin");
        QVERIFY(writeSetup(m_whole, m_clicks + m_waves));

        percussionpadfile m;
        kf::KitStorage kits;
        kits.fill({1, 2, 5}, 9);
        QVector<TestSound> kitSounds = sf::kitSounds(sounds);
        kitSounds[2].waveNo = 5;
        kitSounds[0].name = "Kick.wav";
        m_kit = path("K037.INI");
        QVERIFY(kf::writeSingleKit(m, kits, 36, kitSounds, m_kit));
        // The third sound's name fills all 20 bytes of its field.
        QByteArray b = kf::readFile(m_kit);
        b.replace(int(kf::rd32(b, 28)) + 12 + 80 + 16, 4, "QRST");
        QVERIFY(kf::writeFile(m_kit, b));
    }

    void wholeSetupReadsIntoScratch()
    {
        Records::READ_KIT_FILE rec;
        KitTables tables;
        int globalSize = 0;
        bool clicks = false;
        QCOMPARE(readWholeSetupFile(m_whole, rec, tables, &globalSize, &clicks), LoadError::None);
        QCOMPARE(rec.file, m_whole);
        QCOMPARE(int(rec.flag), 0);
        QCOMPARE(int(rec.waveCount), 8);
        QCOMPARE(rec.fileTotalLength, quint64(QFileInfo(m_whole).size()));
        QCOMPARE(globalSize, GLOBAL_CHUNK_SIZE);
        QVERIFY(clicks);
        QCOMPARE(percussionpadfile::charArray2String(tables.base[3].kit_name, 13), QString("KIT3"));
        // Metronome sounds 10000 + entry, the waves after them counted from 0.
        QCOMPARE(rec.info.soundChunk.soundIndex[4].fileName, m_whole + ":U10004");
        QCOMPARE(rec.info.soundChunk.soundIndex[5].fileName, m_whole + ":U00000");
        QCOMPARE(rec.info.soundChunk.soundIndex[7].fileName, m_whole + ":U00002");
    }

    void refusedWholeSetups_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("error");
        const QByteArray b = kf::readFile(m_whole);
        const int soun = int(kf::rd32(b, 44));
        const int skit = int(kf::rd32(b, 36));
        const int entry0 = soun + 12;
        const int wave0 = entry0 + 5 * 40;
        auto row = [this](const char *tag, const QString &f, LoadError e) {
            QTest::newRow(tag) << f << int(e);
        };
        row("missing", path("none.bin"), LoadError::CannotOpen);
        row("foreign", patched(m_whole, "foreign.bin", 0, QByteArray(64, 'x')), LoadError::DataError);
        row("broken index", patched(m_whole, "index.bin", 8, "INDX"), LoadError::DataError);
        row("99 kits", patched(m_whole, "kits.bin", skit + 8, le(99, 1)), LoadError::DataError);
        row("cut in the kits", patched(m_whole, "cut1.bin", -(skit + 5000), {}), LoadError::DataError);
        row("count 65535", patched(m_whole, "count.bin", soun + 8, le(65535, 2)), LoadError::DataError);
        row("cut in the table", patched(m_whole, "cut2.bin", -(entry0 + 100), {}), LoadError::DataError);
        row("cut in the waves", patched(m_whole, "cut3.bin", -(b.size() - 10), {}), LoadError::SoundFormat);
        row("past the end", patched(m_whole, "past.bin", wave0 + 32, le(quint32(b.size()) - 20, 4)),
            LoadError::SoundFormat);
        row("not RIFF", patched(m_whole, "riff.bin", int(kf::rd32(b, wave0 + 32)), "RIFX"), LoadError::SoundFormat);
        row("clicks not RIFF are range-checked only",
            patched(m_whole, "clickriff.bin", int(kf::rd32(b, entry0 + 32)), "XXXX"), LoadError::None);
        row("repeated wave", patched(m_whole, "twice.bin", wave0 + 40 + 20, le(0, 2)), LoadError::DataError);
        row("wave 9999", patched(m_whole, "big.bin", wave0 + 20, le(9999, 2)), LoadError::TooManySounds);
        row("no sound chunk", patched(m_whole, "nosoun.bin", soun, "NONE"), LoadError::DataError);
    }

    void refusedWholeSetups()
    {
        QFETCH(QString, file);
        QFETCH(int, error);
        Records::READ_KIT_FILE rec;
        rec.file = "untouched";
        KitTables tables;
        int globalSize = -1;
        QCOMPARE(int(readWholeSetupFile(file, rec, tables, &globalSize)), error);
        if (error != int(LoadError::None)) {
            QCOMPARE(rec.file, QString("untouched"));
            QCOMPARE(globalSize, -1);
        }
    }

    void kitFileReadsIntoItsSlot()
    {
        Records::READ_KIT_FILE rec;
        KitTables tables;
        QCOMPARE(readKitFile(m_kit, rec, tables), LoadError::None);
        QCOMPARE(int(rec.kitIndex), 37);
        QCOMPARE(int(rec.flag), 2);
        QCOMPARE(int(rec.waveCount), 3);
        QCOMPARE(int(tables.base[36].kit_no), 36);
        QCOMPARE(percussionpadfile::charArray2String(tables.base[36].kit_name, 13), QString("KIT36"));
        QFile kit(m_kit);
        QVERIFY(kit.open(QIODevice::ReadOnly));
        QCOMPARE(kitNumberOf(kit), quint8(37));
    }

    void refusedKitFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("error");
        const QByteArray b = kf::readFile(m_kit);
        const int soun = int(kf::rd32(b, 28));
        const int entry0 = soun + 12;
        QTest::newRow("kit 150") << patched(m_kit, "k150.ini", 57, le(150, 1)) << int(LoadError::DataError);
        QTest::newRow("kit 0 is kit 1") << patched(m_kit, "k0.ini", 57, le(0, 1)) << int(LoadError::None);
        QTest::newRow("old layout") << patched(m_kit, "old.ini", 36, le(2000, 2)) << int(LoadError::OldLayout);
        QTest::newRow("count 65535") << patched(m_kit, "c.ini", soun + 8, le(65535, 2)) << int(LoadError::DataError);
        QTest::newRow("past the end") << patched(m_kit, "p.ini", entry0 + 40 + 28, le(1 << 20, 4))
                                      << int(LoadError::SoundFormat);
        QTest::newRow("not RIFF") << patched(m_kit, "r.ini", int(kf::rd32(b, entry0 + 80 + 32)), "RIFX")
                                  << int(LoadError::SoundFormat);
        QTest::newRow("number 0") << patched(m_kit, "n0.ini", entry0 + 20, le(0, 2)) << int(LoadError::TooManySounds);
        QTest::newRow("repeated number") << patched(m_kit, "rep.ini", entry0 + 60, le(1, 2))
                                         << int(LoadError::DataError);
        QTest::newRow("no sound chunk") << patched(m_kit, "ns.ini", soun, "NONE") << int(LoadError::DataError);
    }

    void refusedKitFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, error);
        Records::READ_KIT_FILE rec;
        rec.file = "untouched";
        KitTables tables;
        QCOMPARE(int(readKitFile(file, rec, tables)), error);
        QCOMPARE(rec.file, error == int(LoadError::None) ? file : QString("untouched"));
    }

    // Numbering of whole-setup sounds by the table's layout, and the name rule.
    void wholeSetupSounds()
    {
        QVector<TestSound> few = m_clicks.mid(0, 2) + m_waves;
        few[1].waveNo = 0xFFFF;
        QVERIFY(writeSetup(path("few.bin"), few));
        QVERIFY(writeSetup(path("none.bin"), m_waves));
        struct Case { QString file; QStringList sources; int clicks; bool flag; } cases[] = {
            {m_whole, {":U00000", ":U00001", ":U00002"}, 5, true},
            {path("few.bin"), {":U00002", ":U00003", ":U00004"}, 2, false},
            {path("none.bin"), {":U00000", ":U00001", ":U00002"}, 0, false},
        };
        for (const Case &c : cases) {
            Records::READ_KIT_FILE rec;
            KitTables tables;
            QCOMPARE(readWholeSetupFile(c.file, rec, tables), LoadError::None);
            WholeSetupSounds got;
            QCOMPARE(takeWholeSetupSounds(c.file, rec.info, got), LoadError::None);
            QStringList sources;
            for (const Records::SOUND_INDEX &s : got.waves)
                sources.append(sourceOf(s).mid(c.file.size()));
            QCOMPARE(sources, c.sources);
            QCOMPARE(got.clicks.size(), c.clicks);
            QCOMPARE(got.clickFlag, c.flag);
        }
        Records::READ_KIT_FILE rec;
        KitTables tables;
        QCOMPARE(readWholeSetupFile(m_whole, rec, tables), LoadError::None);
        WholeSetupSounds got;
        QCOMPARE(takeWholeSetupSounds(m_whole, rec.info, got), LoadError::None);
        QCOMPARE(got.clickList.at(2).file, m_whole + ":U10002");
        QCOMPARE(percussionpadfile::charArray2String(got.waves.at(1).wave_name, 16), QString("Snare"));
        QCOMPARE(percussionpadfile::charArray2String(got.waves.at(2).wave_name, 16), QString("ABCDEFGHIJKLMNOP"));
        QCOMPARE(got.renamed, QVector<namerules::NameChange>({{"Snare_", "Snare"}}));
        QCOMPARE(int(got.waves.at(1).wave_lock), 0);
    }

    // Kit-file sounds are numbered after the last sound of the library.
    void kitFileSounds()
    {
        Records::READ_KIT_FILE rec;
        KitTables tables;
        QCOMPARE(readKitFile(m_kit, rec, tables), LoadError::None);
        QVector<Records::SOUND_INDEX> library = {plainSound("a", "/a.wav", 7), plainSound("b", "/b.wav", 40)};
        KitFileSounds got;
        QCOMPARE(takeKitFileSounds(m_kit, rec.info, library, got), LoadError::None);
        QCOMPARE(got.entries.size(), 3);
        QCOMPARE(int(got.entries.at(0).wave_No), 41);
        QCOMPARE(int(got.entries.at(2).wave_No), 45);
        QCOMPARE(got.entries.at(2).file, m_kit + ":U00002");
        QCOMPARE(rec.info.soundChunk.soundIndex[2].fileName, m_kit + ":U00002");
        QCOMPARE(percussionpadfile::charArray2String(got.entries.at(0).wave_name, 16), QString("Kick"));
        QCOMPARE(percussionpadfile::charArray2String(got.entries.at(2).wave_name, 16), QString("ABCDEFGHIJKLMNOP"));
        QCOMPARE(got.renamed,
                 QVector<namerules::NameChange>({{"Snare_", "Snare"}, {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP"}}));
        QVERIFY(takeKitFileSounds(m_kit, rec.info, {}, got) == LoadError::None);
        QCOMPARE(int(got.entries.at(2).wave_No), 5);

        library.last().wave_No = 9995;
        QCOMPARE(takeKitFileSounds(m_kit, rec.info, library, got), LoadError::TooManySounds);
        QVERIFY(rec.info.soundChunk.soundIndex[0].fileName.isEmpty());
        library = {plainSound("a", "/a.wav", 42), plainSound("b", "/b.wav", 40)};
        QCOMPARE(takeKitFileSounds(m_kit, rec.info, library, got), LoadError::DataError);
    }

    // A sound of the list whose kit file's drive stops answering is not
    // waited on: it matches nothing, and the loop runs meanwhile.
    void sharedSoundsNotWaitedOn()
    {
        const QString copy = path("SHARED.bin");
        QFile::remove(copy);
        QVERIFY(QFile::copy(m_whole, copy));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        Records::READ_KIT_FILE rec;
        KitTables tables;
        QCOMPARE(readKitFile(m_kit, rec, tables), LoadError::None);
        KitFileSounds got;
        QCOMPARE(takeKitFileSounds(m_kit, rec.info, e.library, got), LoadError::None);
        const auto silent = std::make_shared<ztplatform::SilentFiles>();
        QVERIFY(!SharedSounds().match(m_kit, got.entries, e.library, e.loaded, silent).isEmpty());

        HangingOpens hanging(m_disk, "/SHARED.bin", 1); // the check opens it, the read waits
        QElapsedTimer clock;
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        clock.start();
        SharedSounds shared;
        QVERIFY(shared.match(m_kit, got.entries, e.library, e.loaded, silent, eventsWhileWaiting(), fenceOn(m_disk))
                        .isEmpty());
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);

        // The file being imported, its drive silent once it was read: its
        // sounds are added as its own, not waited on.
        const QString kit = path("K038.INI");
        QFile::remove(kit);
        QVERIFY(QFile::copy(m_kit, kit));
        for (Records::SOUND_INDEX &s : got.entries)
            s.file.replace("K037.INI", "K038.INI");
        QVERIFY(!SharedSounds().match(kit, got.entries, e.library, e.loaded, silent).isEmpty());
        HangingOpens imported(m_disk, "/K038.INI");
        const TurnsWhile importedTurns([&] { return imported.waiting() > 0; });
        clock.restart();
        QVERIFY(shared.match(kit, got.entries, e.library, e.loaded, silent, eventsWhileWaiting(), fenceOn(m_disk))
                        .isEmpty());
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(importedTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(imported.hung(), 1);
        imported.release();
        QTRY_COMPARE(imported.waiting(), 0);
    }

    void kitFileSoundNames()
    {
        bool renamed = true;
        QCOMPARE(fitKitFileSoundName("Kick.wav", &renamed), QString("Kick"));
        QVERIFY(!renamed);
        QCOMPARE(fitKitFileSoundName("Kick.WAV", &renamed), QString("Kick.WAV"));
        QVERIFY(!renamed);
        QCOMPARE(fitKitFileSoundName("Hat_.wav.wav", &renamed), QString("Hat"));
        QVERIFY(renamed);
    }

    // Kit records into editor kits: effects, links, selection and sound resolution.
    void kitsFromRecords()
    {
        percussionpadfile m;
        KitTables tables;
        tables.attach(m);
        percussionpadfile::P_KIT_BASE_PARA &b = tables.base[4];
        b.effect1_no = 10;
        b.effect2_no = 0xFF;
        b.effect3_no = 4;
        b.kit_effect2 = 30;
        b.reserved[0] = 1;
        b.pad_link1 = 3;
        tables.pedal[4].active_no = 10;
        tables.pedal[4].pad_link5_2 = 9;
        tables.pedal[4].hh_wave2_no = 7;
        tables.pad[4][0].aWaveNo = 7;
        tables.pad[4][0].bWaveNo = 8; // no such sound
        tables.pad[4][1].aWaveNo = NO_WAVE;
        // Effect numbers: 10 is how the files store 4, 0xFF reads as 0; a
        // single-kit file stores 4 as 10 for the active effect only.
        const LoadedKit single = kitFromFile(m, 4, 5, false);
        QCOMPARE(int(single.kit.effect1_no), 0);
        QCOMPARE(int(single.kit.effect3_no), 4);
        QCOMPARE(int(single.kit.pedalChunk.active_no), 4);
        LoadedKit lk = kitFromFile(m, 4, 5, true);
        QCOMPARE(lk.kit.kit_name, QString("K005"));
        QVERIFY(lk.name.cut);
        QCOMPARE(int(lk.kit.effect1_no), 4);
        QCOMPARE(int(lk.kit.effect2_no), 0);
        QCOMPARE(int(lk.kit.effect3_no), 4);
        QCOMPARE(int(lk.kit.pedalChunk.active_no), 4);
        QCOMPARE(int(lk.effectTypes[1]), 30);
        QCOMPARE(int(lk.kit.kit_effect2), 30);
        QCOMPARE(lk.kitIndexByte, 1);
        QCOMPARE(int(lk.links[0].link_pad1), 3);
        QCOMPARE(int(lk.links[4].link_pad2), 9);

        QVector<Records::SOUND_INDEX> waves = {plainSound("Old", "/x:U00007", 7), plainSound("Tom", "/t:U00000", 7)};
        Kit byNumber = lk.kit;
        resolveByNumber(byNumber, waves, lastByNumber(waves));
        QCOMPARE(byNumber.kpadChunk[0].soundName0, QString("Tom"));
        QCOMPARE(byNumber.pedalChunk.hh_wave2_file, QString("/t:U00000"));
        QVERIFY(byNumber.kpadChunk[0].soundFile1.isEmpty());
        QCOMPARE(byNumber.kpadChunk[0].bWaveNo, NO_WAVE);

        QVector<Records::SOUND_INDEX> library = {plainSound("Hat", "/k.ini:U00007", 51)};
        Kit byPath = lk.kit;
        resolveByPath(byPath, "/k.ini", library, lastByFile(library));
        QCOMPARE(int(byPath.kpadChunk[0].aWaveNo), 51);
        QCOMPARE(byPath.kpadChunk[0].soundFile0, QString("/k.ini:U00007"));
        QCOMPARE(byPath.pedalChunk.hh_wave2_name, QString("Hat"));
        QVERIFY(byPath.kpadChunk[0].soundFile1.isEmpty());
        QVERIFY(byPath.kpadChunk[1].soundFile0.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSetupLoad)
#include "test_setupload.moc"

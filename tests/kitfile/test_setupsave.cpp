// Saving setups: gathering the sounds, ordering them, filling the model; round
// trips through the writers and readers; refusals when a source changed.
#include "kitfile/setup_fixture.h"
#include "platform/disk.h"
#include "kitfile/storedsounds.h"
#include "platform/silentfiles.h"
#include "platform/timedlook.h"
#include "support/hangingdisk.h"
#include "support/switchdisk.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sf;
using kf::TestSound;

class TestSetupSave : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_temp, m_src, m_kitFile;
    QStringList m_plain;
    Editor m_editor; // a whole setup and a kit file loaded, plain sounds added
    SwitchDisk m_disk; // every file the locators and collections read

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The editor's sounds and kits as the tests see them.
    void compareSetups(Editor &a, Editor &b)
    {
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            QVERIFY2(sameSettings(a.kits[k], b.kits[k]), qPrintable(QString::number(k)));
            QStringList names, otherNames;
            forEachSoundSlot(a.kits[k], [&names](auto s) { names.append(s.name); });
            forEachSoundSlot(b.kits[k], [&otherNames](auto s) { otherNames.append(s.name); });
            QCOMPARE(otherNames, names);
            const QStringList files = slotFiles(a.kits[k]), otherFiles = slotFiles(b.kits[k]);
            for (int i = 0; i < files.size(); ++i) {
                QCOMPARE(otherFiles.at(i).isEmpty(), files.at(i).isEmpty());
                if (files.at(i).isEmpty())
                    continue;
                const QByteArray bytes = soundBytes(a, files.at(i));
                QVERIFY(bytes.startsWith("RIFF"));
                QCOMPARE(soundBytes(b, otherFiles.at(i)), bytes);
            }
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_temp = path("tmp");
        QVERIFY(QDir().mkpath(m_temp));
        const QVector<TestSound> sounds = writeSounds(m_dir.path(), {"Wave5", "Wave6", "Wave7"}, 1);
        QCOMPARE(sounds.size(), 8);
        for (int i = 0; i < 3; ++i) {
            m_plain.append(path(QStringLiteral("plain%1.wav").arg(i)));
            QVERIFY(kf::writeFile(m_plain.last(), kf::wavBytes(300 + 4 * i, quint32(40 + i))));
        }
        percussionpadfile m;
        kf::KitStorage kits;
        kits.fill({0, 1, 2}, 3);
        m_src = path("SRC.bin");
        QVERIFY(kf::writeWholeSetup(m, kits, sounds, {0, 1, 2}, {2, 0, 1}, m_src));
        kits.fill({1, 2, 3}, 4);
        m_kitFile = path("K007.INI");
        QVERIFY(kf::writeSingleKit(m, kits, 6, kitSounds(sounds), m_kitFile));

        Editor &e = m_editor;
        QCOMPARE(loadWholeSetup(e, m_src), LoadError::None);
        QCOMPARE(loadKitFile(e, m_kitFile), LoadError::None);
        for (int i = 0; i < 3; ++i)
            e.library.append(plainSound(QStringLiteral("Plain%1").arg(i), m_plain.at(i), quint16(20 + i), 0));
        Kit &k0 = e.kits[0];
        k0.kpadChunk[2].soundFile0 = m_plain.at(0);
        k0.kpadChunk[2].soundName0 = "Plain0";
        k0.kit_name = "Renamed";
        k0.effect2_no = 4;
        e.kits[1].pedalChunk.hh_wave3_file = m_plain.at(1);
        e.kits[1].pedalChunk.hh_wave3_name = "Plain1";
        e.kits[50].kpadChunk[17].soundFile1 = e.library.at(4).file; // from the kit file
        e.kits[50].kpadChunk[17].soundName1 = "Wave6";
        e.selection[3] = 0;
        e.clickList[3].file = m_plain.at(2);
        e.clickList[4].file = e.clickList.at(0).file;
    }

    void wholeSetupRoundTrip()
    {
        Editor e = m_editor;
        QVERIFY(!saveWholeSetup(e, path("OUT.bin"), m_temp));
        Editor f;
        QCOMPARE(loadWholeSetup(f, path("OUT.bin")), LoadError::None);
        e.loaded.append(f.loaded); // so that the old sources can be read
        compareSetups(e, f);
        QCOMPARE(f.selection, e.selection);
        QCOMPARE(f.library.size(), e.library.size());
        for (int i = 0; i < e.library.size(); ++i) {
            QCOMPARE(percussionpadfile::charArray2String(f.library.at(i).wave_name, 16),
                     percussionpadfile::charArray2String(e.library.at(i).wave_name, 16));
            QCOMPARE(f.library.at(i).wave_lock, e.library.at(i).wave_lock);
            QCOMPARE(int(f.library.at(i).wave_No), i + 1);
            QVERIFY(soundBytes(e, e.library.at(i).file).startsWith("RIFF"));
            QCOMPARE(soundBytes(f, f.library.at(i).file), soundBytes(e, e.library.at(i).file));
        }
        QCOMPARE(f.clickList.size(), 5);
        for (int c = 0; c < 5; ++c) {
            QVERIFY(soundBytes(e, e.clickList.at(c).file).startsWith("RIFF"));
            QCOMPARE(soundBytes(f, f.clickList.at(c).file), soundBytes(e, e.clickList.at(c).file));
        }

        // Saved, loaded and saved again: the same file, byte for byte.
        QVERIFY(!saveWholeSetup(f, path("OUT2.bin"), m_temp));
        Editor g;
        QCOMPARE(loadWholeSetup(g, path("OUT2.bin")), LoadError::None);
        QVERIFY(!saveWholeSetup(g, path("OUT3.bin"), m_temp));
        QCOMPARE(kf::readFile(path("OUT3.bin")), kf::readFile(path("OUT2.bin")));
        QCOMPARE(kf::readFile(path("OUT2.bin")), kf::readFile(path("OUT.bin")));
    }

    // A setup or a kit file whose sounds carry start clusters (as a file the
    // pad made may): the saved kits give each wave the cluster its table gives
    // it, so the saved file loads and saves again byte for byte.
    void clustersRoundTrip()
    {
        QByteArray b = kf::readFile(m_src);
        const int wave0 = int(kf::rd32(b, 44)) + 12 + 5 * 40;
        for (int i = 0; i < 3; ++i)
            kf::wr32(b, wave0 + 40 * i + 24, 0x4B0000u + quint32(i));
        QVERIFY(kf::writeFile(path("CLUSTERS.bin"), b));
        Editor e;
        QCOMPARE(loadWholeSetup(e, path("CLUSTERS.bin")), LoadError::None);
        QVERIFY(!saveWholeSetup(e, path("CL1.bin"), m_temp));
        percussionpadfile m;
        kf::KitStorage kits;
        QVERIFY(kf::readWholeSetup(m, kits, path("CL1.bin")));
        int used = 0;
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                const percussionpadfile::P_KIT_PAD_SETTING &pad = kits.pads[k][p];
                if (pad.aWaveNo != NO_WAVE) {
                    QCOMPARE(pad.aWaveStartCluster, quint32(0));
                    ++used;
                }
                if (pad.bWaveNo != NO_WAVE)
                    QCOMPARE(pad.bWaveStartCluster, quint32(0));
            }
            if (kits.pedal[size_t(k)].hh_wave1_no != NO_WAVE)
                QCOMPARE(kits.pedal[size_t(k)].hh_wave1_startCluster, quint32(0));
        }
        QVERIFY(used > 0);
        Editor f;
        QCOMPARE(loadWholeSetup(f, path("CL1.bin")), LoadError::None);
        QVERIFY(!saveWholeSetup(f, path("CL2.bin"), m_temp));
        QCOMPARE(kf::readFile(path("CL2.bin")), kf::readFile(path("CL1.bin")));

        // A kit file the same way.
        b = kf::readFile(m_kitFile);
        const int entry0 = int(kf::rd32(b, 28)) + 12;
        for (int i = 0; i < 3; ++i)
            kf::wr32(b, entry0 + 40 * i + 24, 0x6D0000u + quint32(i));
        QVERIFY(kf::writeFile(path("K007c.INI"), b));
        Editor g;
        QCOMPARE(loadKitFile(g, path("K007c.INI")), LoadError::None);
        QVERIFY(!saveKit(g, 6, path("CL1.INI"), m_temp));
        Editor h;
        QCOMPARE(loadKitFile(h, path("CL1.INI")), LoadError::None);
        quint32 clusters = 0;
        forEachSoundSlot(h.kits[6], [&clusters](auto s) { clusters |= s.cluster; });
        QCOMPARE(clusters, quint32(0));
        QVERIFY(!saveKit(h, 6, path("CL2.INI"), m_temp));
        QCOMPARE(kf::readFile(path("CL2.INI")), kf::readFile(path("CL1.INI")));
    }

    void kitFileRoundTrip()
    {
        Editor e = m_editor;
        e.kits[0].pedalChunk.active_no = 4; // stored as 10
        QVERIFY(!saveKit(e, 0, path("KIT1.INI"), m_temp));
        Editor f = m_editor;
        f.kits[0] = Kit();
        QCOMPARE(loadKitFile(f, path("KIT1.INI")), LoadError::None);
        QVERIFY(sameSettings(e.kits[0], f.kits[0]));
        const QStringList before = slotFiles(e.kits[0]), after = slotFiles(f.kits[0]);
        for (int i = 0; i < before.size(); ++i) {
            if (!before.at(i).isEmpty()) {
                QVERIFY(soundBytes(e, before.at(i)).startsWith("RIFF"));
                QCOMPARE(soundBytes(f, after.at(i)), soundBytes(e, before.at(i)));
            }
        }
        QVERIFY(!saveKit(f, 0, path("KIT1b.INI"), m_temp));
        QCOMPARE(kf::readFile(path("KIT1b.INI")), kf::readFile(path("KIT1.INI")));
    }

    void packingRules()
    {
        Output out;
        percussionpadfile &m = out.reset(0);
        QVector<Kit> kits(KIT_MAX_COUNT);
        kits[2] = makeKit(2);
        kits[2].effect2_no = 4;
        kits[2].effect3_no = 10;
        kits[2].pedalChunk.active_no = 4;
        kits[2].kpadChunk[0].aWaveStart = 77;
        kits[2].kpadChunk[1].soundFile0 = "/not/saved.wav"; // saved empty, not with a stale number
        kits[2].kpadChunk[1].aWaveNo = 1;
        fillWholeSetupKits(m, kits, QVector<int>(KIT_MAX_COUNT, 0x101), {}, versionFromLabel("1.01"), true);
        QCOMPARE(int(m.identityChunk.version), 257);
        QCOMPARE(int(versionFromLabel("1")), 257);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(m.identityChunk.reserved) + 2, 4), QByteArray("BACK"));
        QCOMPARE(int(out.tables.base[2].effect2_no), 10);
        QCOMPARE(int(out.tables.base[2].effect3_no), 10);
        QCOMPARE(int(out.tables.pedal[2].active_no), 10);
        QCOMPARE(int(out.tables.base[2].kit_no), 2);
        QCOMPARE(int(out.tables.base[2].reserved[0]), 1);
        QCOMPARE(out.tables.pad[2][0].aWaveNo, NO_WAVE);
        QCOMPARE(out.tables.pad[2][1].aWaveNo, NO_WAVE);
        QCOMPARE(int(kits[2].kpadChunk[0].aWaveStart), 0);
        QCOMPARE(percussionpadfile::charArray2String(out.tables.base[2].kit_name, 13), QString("Kit 3"));

        // No sounds: the five metronome entries and the short node lists.
        QVector<Records::SOUND_INDEX> clicks(5);
        QVector<Records::SOUND_LIST_INFO> none;
        QVERIFY(fillWholeSetupSounds(m, clicks, none, {}, none, {}));
        QCOMPARE(int(m.soundChunk.soundCount), 5);
        QCOMPARE(int(m.soundChunk.soundIndex[4].wave_No), 10004);
        QCOMPARE(int(m.wn2Chunk.wn2[0].lastNode), 0xFFFF);
        QCOMPARE(int(m.wn2Chunk.wn2[1].lastNode), 0xFEFC);
        // Node lists of sounds 3, 7, 9 in kit order 9, 3, 7.
        QVector<Records::SOUND_INDEX> waves(3);
        waves[0].wave_No = 3;
        waves[1].wave_No = 7;
        waves[2].wave_No = 9;
        QVERIFY(fillWholeSetupSounds(m, clicks, none, waves, none, {9, 3, 7}));
        const quint16 first[] = {0xFEFE, 3, 3, 7, 7, 9, 9, 10, 10, 0xFEFC};
        const quint16 second[] = {0xFEFE, 9, 9, 3, 3, 7, 7, 10, 10, 0xFEFC};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(m.wn1Chunk.wn1[i].nextNode, first[2 * i]);
            QCOMPARE(m.wn1Chunk.wn1[i].lastNode, first[2 * i + 1]);
            QCOMPARE(m.wn2Chunk.wn2[i].nextNode, second[2 * i]);
            QCOMPARE(m.wn2Chunk.wn2[i].lastNode, second[2 * i + 1]);
        }

        percussionpadfile &single = out.reset(2);
        fillSingleKit(single, 2, kits[2], {});
        QCOMPARE(int(out.tables.base[2].kit_no), 3);
        QCOMPARE(int(out.tables.base[2].effect2_no), 4);
        QCOMPARE(int(out.tables.pedal[2].active_no), 10);
        QCOMPARE(int(out.tables.base[2].reserved[0]), 0);
        kits[2].kpadChunk[1].soundFile0.clear();
        kits[2].kpadChunk[1].aWaveStart = 55;
        fillSingleKit(single, 2, kits[2], {});
        QCOMPARE(int(out.tables.pad[2][1].aWaveNo), 0);
        QCOMPARE(int(out.tables.pad[2][1].aWaveStart), 55);

        QVector<Records::SOUND_INDEX> one(1);
        one[0].wave_length = quint32(RAW_DATA_LENGTH_MAX - 181715);
        QVERIFY(wholeSetupWithinLimit(one, 1));
        one[0].wave_length += 1;
        QVERIFY(!wholeSetupWithinLimit(one, 1));
    }

    // A source that is not what was loaded stops the gathering and changes nothing.
    void changedSources_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("kind");
        QTest::newRow("grew") << 0 << int(CollectError::Modified);
        QTest::newRow("other name") << 1 << int(CollectError::SoundMissing);
        QTest::newRow("other count") << 2 << int(CollectError::SoundMissing);
        QTest::newRow("deleted") << 3 << int(CollectError::Modified);
    }

    void changedSources()
    {
        QFETCH(int, change);
        QFETCH(int, kind);
        const QString copy = path(QStringLiteral("CHG%1.bin").arg(change));
        QFile::remove(copy);
        QVERIFY(QFile::copy(m_src, copy));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        QByteArray b = kf::readFile(copy);
        const int soun = int(kf::rd32(b, 44));
        if (change == 0)
            b.append('x');
        else if (change == 1)
            b.replace(soun + 12 + 6 * 40, 1, "X");
        else if (change == 2)
            b.replace(soun + 8, 2, QByteArray("\x07\x00", 2));
        struct stat loaded;
        QVERIFY(::stat(QFile::encodeName(copy).constData(), &loaded) == 0);
        if (change == 3)
            QVERIFY(QFile::remove(copy));
        else
            QVERIFY(kf::writeFile(copy, b));
        // Written again in place at its old time: its sounds are still compared.
        const timespec times[2] = {loaded.st_atim, loaded.st_mtim};
        QVERIFY(change == 3 || ::utimensat(AT_FDCWD, QFile::encodeName(copy).constData(), times, 0) == 0);
        const Editor before = e;
        const CollectError err = saveWholeSetup(e, path("never.bin"), m_temp);
        QCOMPARE(int(err.kind), kind);
        QCOMPARE(err.path, copy);
        QVERIFY(!QFileInfo::exists(path("never.bin")));
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QCOMPARE(slotFiles(e.kits[k]), slotFiles(const_cast<Kit &>(before.kits[k])));
        QCOMPARE(e.kits[0].kpadChunk[0].aWaveNo, before.kits[0].kpadChunk[0].aWaveNo);
        CollectedWaves got;
        QVector<TotalRow> rows;
        for (const Records::SOUND_INDEX &sound : qAsConst(e.library))
            rows.append({"row", sound.file});
        QCOMPARE(int(collectWholeSetupWaves(rows, e.kits, e.library, e.loaded, m_temp, copyRaw, {}, got).kind), kind);
        const CollectError kitErr = collectKitWaves(e.kits[0], 0, e.library, e.loaded, m_temp, copyRaw, got);
        QCOMPARE(int(kitErr.kind), kind == int(CollectError::Modified) && change == 3
                                           ? int(CollectError::KitFileMissing) : kind);
        QVERIFY(kitErr.kind != CollectError::Modified || kitErr.kitWording);
    }

    // A loaded kit file whose drive stops answering is not waited on: after
    // the limit it is a file that does not open, and another path to it
    // names no loaded file.
    void silentDriveNotWaitedOn()
    {
        const QString copy = path("SILENT.bin");
        const QString link = path("silent-link.bin");
        QFile::remove(copy);
        QFile::remove(link);
        QVERIFY(QFile::copy(m_src, copy));
        QVERIFY(QFile::link(copy, link));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        const auto silent = std::make_shared<ztplatform::SilentFiles>();
        {
            StoredSoundLocator answering(e.loaded, silent);
            QCOMPARE(answering.recordOf(link), 0);
            QCOMPARE(answering.verify(0, 1), CollectError::None);
        }
        StoredSoundLocator loc(e.loaded, silent, {}, fenceOn(m_disk));
        HangingOpens hanging(m_disk, "/SILENT.bin", 0, HangingOpens::Looks::OpensAndStats);
        QCOMPARE(loc.recordOf(link), -1);
        QVERIFY(silent->isSilent(copy) && silent->isSilent(link));
        // The file that held the look is not looked at again while it waits.
        QCOMPARE(loc.verify(0, 1), CollectError::OpenFailed);
        QCOMPARE(loc.verify(0, 2), CollectError::OpenFailed);
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(loc.recordOf(QDir::fromNativeSeparators(copy)), 0); // its own path needs no look
        // The next save does not look again while that look waits.
        StoredSoundLocator again(e.loaded, silent, {}, fenceOn(m_disk));
        QCOMPARE(again.verify(0, 1), CollectError::OpenFailed);
        QCOMPARE(hanging.hung(), 1);
        hanging.release();
        QTRY_VERIFY(!silent->isSilent(copy) && !silent->isSilent(link));
        StoredSoundLocator answered(e.loaded, silent);
        QCOMPARE(answered.verify(0, 1), CollectError::None);
    }

    // What a look captured is gone once its result is seen: a save's file
    // it held is not left for its thread to remove later.
    void lookLetsGoOfWhatItCapturedFirst()
    {
        for (int i = 0; i < 200; ++i) {
            auto held = std::make_shared<int>(i);
            const std::weak_ptr<int> seen = held;
            const std::optional<int> got =
                    ztplatform::lookWithin<int>(2000, [held = std::move(held)]() { return *held; });
            QCOMPARE(got, std::optional<int>(i));
            QVERIFY(seen.expired());
        }
    }

    // While a silent drive is awaited, the locator's caller paints: the
    // checks of a loaded kit file and the kit save's size look at a source.
    void silentDriveLooksLetTheLoopRun()
    {
        const QString copy = path("QUIET.bin");
        const QString wav = path("QUIET.wav");
        QFile::remove(copy);
        QVERIFY(QFile::copy(m_src, copy));
        QVERIFY(kf::writeFile(wav, kf::wavBytes(300, 9)));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        const ztplatform::Waiter turn = eventsWhileWaiting();
        HangingOpens quiet(m_disk, "/QUIET.bin");
        const TurnsWhile quietTurns([&] { return quiet.waiting() > 0; });
        StoredSoundLocator loc(e.loaded, std::make_shared<ztplatform::SilentFiles>(), turn, fenceOn(m_disk));
        QCOMPARE(loc.verify(0, 1), CollectError::OpenFailed);
        QCOMPARE(quiet.hung(), 1);
        QVERIFY(quiet.waiting() > 0); // told while the look is held
        QVERIFY(quietTurns.turns() > 0); // the loop ran while the look was held

        Kit kit = makeKit(3);
        kit.kpadChunk[0].soundFile0 = wav;
        kit.kpadChunk[0].soundName0 = "Quiet";
        int converted = 0;
        auto raw = [&converted](const QString &source, const QString &target) {
            ++converted;
            return copyRaw(source, target);
        };
        HangingOpens hanging(m_disk, "/QUIET.wav", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        CollectedWaves got;
        const CollectError err =
                collectKitWaves(kit, 3, e.library, e.loaded, m_temp, raw, got, {}, turn, fenceOn(m_disk));
        QCOMPARE(err.kind, CollectError::ConvertFailed);
        QCOMPARE(err.path, wav);
        QCOMPARE(err.name, QString("Quiet"));
        QCOMPARE(converted, 0);
        QCOMPARE(hanging.hung(), 1);
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        hanging.release();
        quiet.release();
        QTRY_COMPARE(hanging.waiting() + quiet.waiting(), 0);
    }

    // The look after the copy at a source's stamp waits on no silent drive:
    // such a source is told as a file that does not open, never as changed.
    void changedSourceStampNotWaitedOn()
    {
        const QString copy = path("STILL.bin");
        QFile::remove(copy);
        QVERIFY(QFile::copy(m_src, copy));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        CollectError::Kind why = CollectError::None;
        const auto silent = std::make_shared<ztplatform::SilentFiles>();
        QCOMPARE(changedSource({copy}, e.loaded, silent, {}, &why), QString());
        HangingOpens hanging(m_disk, "/STILL.bin", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(changedSource({copy}, e.loaded, silent, eventsWhileWaiting(), &why, fenceOn(m_disk)), copy);
        QCOMPARE(why, CollectError::OpenFailed);
        QCOMPARE(hanging.hung(), 1);
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(changedSource({copy}, e.loaded, silent, {}, &why), QString());
    }

    // A loaded file is opened and checked once and held as checked: another
    // file renamed over its name later is not what is read, and a write into
    // the held file itself is told after the copy.
    void loadedFileHeldAsChecked()
    {
        const QString copy = path("HELD.bin");
        QFile::remove(copy);
        QVERIFY(QFile::copy(m_src, copy));
        Editor e;
        QCOMPARE(loadWholeSetup(e, copy), LoadError::None);
        const QByteArray loaded = kf::readFile(copy);
        StoredSoundLocator loc(e.loaded, std::make_shared<ztplatform::SilentFiles>());
        QCOMPARE(int(loc.check(0)), int(CollectError::None));
        const HeldKitFiles held = loc.heldFiles();
        QCOMPARE(QStringList(held.keys()), QStringList({copy}));
        QVERIFY(kf::writeFile(path("OTHER.bin"), QByteArray(loaded.size(), 'o')));
        QVERIFY(::rename(QFile::encodeName(path("OTHER.bin")).constData(), QFile::encodeName(copy).constData()) == 0);
        QCOMPARE(changedHeld(ztplatform::systemDisk(), held), QString());
        QByteArray read(64, Qt::Uninitialized);
        QCOMPARE(::pread(held[copy].fd->get(), read.data(), 64, 0), ssize_t(64));
        QCOMPARE(read, loaded.left(64));
        QCOMPARE(int(loc.check(0)), int(CollectError::None)); // not looked at again
        QFile grown(QStringLiteral("/proc/self/fd/%1").arg(held[copy].fd->get()));
        QVERIFY(grown.open(QIODevice::WriteOnly | QIODevice::Append) && grown.write("x") == 1);
        grown.close();
        QCOMPARE(changedHeld(ztplatform::systemDisk(), held), copy);
    }

    void unknownSources()
    {
        Editor e = m_editor;
        QVector<Kit> empty(KIT_MAX_COUNT); // kits whose sounds are on no row stop the gathering first
        CollectedWaves got;
        auto rowsWith = [](const QString &source) { return QVector<TotalRow>{{"x", source}}; };
        CollectError err = collectWholeSetupWaves(rowsWith(path("K012.INI:U00000")), empty, {}, e.loaded, m_temp,
                                                  copyRaw, {}, got);
        QCOMPARE(err.kind, CollectError::NotLoadedKit);
        QCOMPARE(err.number, 12);
        err = collectWholeSetupWaves(rowsWith(path("KIT_ALL.BIN:U00001")), empty, {}, e.loaded, m_temp, copyRaw,
                                     {}, got);
        QCOMPARE(err.kind, CollectError::NotLoadedWhole);
        QCOMPARE(err.number, 0);
        err = collectWholeSetupWaves(rowsWith(m_src + ":U00099"), empty, {}, e.loaded, m_temp, copyRaw, {}, got);
        QCOMPARE(err.kind, CollectError::EntryMissing);

        Kit kit = makeKit(4);
        kit.kpadChunk[0].soundFile0 = path("gone.ini:U00000");
        QCOMPARE(collectKitWaves(kit, 4, {}, e.loaded, m_temp, copyRaw, got).kind, CollectError::KitFileMissing);
        // The kit file is looked for through the disk: one whose drive holds the look does not open.
        QVERIFY(kf::writeFile(path("held.ini"), "a kit file"));
        kit.kpadChunk[0].soundFile0 = path("held.ini:U00000");
        {
            auto &disk = *new SwitchDisk; // never freed: a look given up on may still call it
            HangingOpens hanging(disk, "/held.ini", 0, HangingOpens::Looks::OpensAndStats);
            err = collectKitWaves(kit, 4, {}, e.loaded, m_temp, copyRaw, got, {}, {}, fenceOn(disk));
            QCOMPARE(err.kind, CollectError::OpenFailed);
            QCOMPARE(err.path, path("held.ini"));
            QVERIFY(hanging.waiting() > 0); // given up on while the look is held
        }
        kit.kpadChunk[0].soundFile0 = m_plain.at(0) + ":U00000"; // exists, never loaded
        QVERIFY(QFile::copy(m_plain.at(0), m_plain.at(0) + ":U00000"));
        err = collectKitWaves(kit, 4, {}, e.loaded, m_temp, copyRaw, got);
        QCOMPARE(err.kind, CollectError::NotLoadedKit);
        QCOMPARE(err.number, 5);
    }

    // Whole setup: progress, raw wave names, renumbering by the later of two equal rows.
    void wholeSetupGathering()
    {
        QVector<TotalRow> rows;
        for (int i = 0; i < 7; ++i)
            rows.append({QStringLiteral("r%1").arg(i), m_plain.at(i % 2)});
        QVector<Kit> kits(KIT_MAX_COUNT);
        kits[9].kpadChunk[4].soundFile1 = m_plain.at(1);
        QVector<int> values;
        CollectedWaves got;
        QVERIFY(!collectWholeSetupWaves(rows, kits, {plainSound("r1", m_plain.at(1), 2, 0)}, {}, m_temp, copyRaw,
                                        [&values](int v) { if (v >= 0) values.append(v); }, got));
        QCOMPARE(values.mid(0, 9), QVector<int>({10, 17, 24, 31, 38, 45, 52, 59, 60}));
        QCOMPARE(int(kits[9].kpadChunk[4].bWaveNo), 5);
        QCOMPARE(got.waveList.at(6).file, rawWavePath(m_temp, 6));
        QCOMPARE(got.waveAttrList.at(6).file, m_plain.at(0));
        QCOMPARE(int(got.waveAttrList.at(1).wave_lock), 0);
        QCOMPARE(int(got.waveAttrList.at(2).wave_lock), 1);
        QCOMPARE(got.waveAttrList.at(3).wave_length, quint32(QFileInfo(m_plain.at(1)).size()));

        // After the export the raw waves go; nothing else in the folder does.
        QVERIFY(kf::writeFile(m_temp + "/keep.wav", "x"));
        removeRawWaves(m_temp);
        QVERIFY(!QFileInfo::exists(rawWavePath(m_temp, 6)));
        QVERIFY(QFileInfo::exists(m_temp + "/keep.wav"));
    }

    // Single kit: one wave per distinct source, numbered in gathering order; the 4 GiB estimate.
    void kitGathering()
    {
        Editor e = m_editor;
        Kit kit = makeKit(3);
        const QString stored = e.library.at(1).file;
        kit.kpadChunk[3].soundFile1 = stored;
        kit.kpadChunk[3].soundName1 = "First";
        kit.kpadChunk[0].soundFile0 = m_plain.at(0);
        kit.pedalChunk.hh_wave2_file = stored;
        kit.pedalChunk.hh_wave2_name = "Later";
        CollectedWaves got;
        QVERIFY(!collectKitWaves(kit, 3, e.library, e.loaded, m_temp, copyRaw, got));
        QCOMPARE(got.waveList.size(), 2);
        QCOMPARE(got.waveList.at(1).name, QString("First"));
        QCOMPARE(int(kit.kpadChunk[3].bWaveNo), 1);
        QCOMPARE(int(kit.pedalChunk.hh_wave2_no), 1);
        QCOMPARE(int(got.waveAttrList.at(1).wave_No), 2);
        QCOMPARE(got.waveList.at(1).file, stored);

        // Exactly 4 GiB passes, one byte more does not.
        kit.kpadChunk[0].soundFile0.clear();
        percussionpadfile::P_SOUND_INDEX &entry = e.loaded[0].info.soundChunk.soundIndex[6];
        entry.wave_length = quint32(RAW_DATA_LENGTH_MAX - 2043 - 40);
        QVERIFY(!collectKitWaves(kit, 3, e.library, e.loaded, m_temp, copyRaw, got));
        entry.wave_length += 1;
        QCOMPARE(collectKitWaves(kit, 3, e.library, e.loaded, m_temp, copyRaw, got).kind,
                 CollectError::TooLarge);
    }

    // Five metronome entries, a shared source converted once.
    void clickGathering()
    {
        const Editor &e = m_editor;
        int conversions = 0;
        auto counting = [&conversions](const QString &s, const QString &t) { ++conversions; return copyRaw(s, t); };
        QVector<Records::SOUND_LIST_INFO> clicks = e.clickList;
        clicks[1].file = m_plain.at(2);
        CollectedClicks got;
        QVERIFY(!collectClickWaves(clicks, e.loaded, m_temp, counting, got));
        QCOMPARE(conversions, 1);
        QCOMPARE(got.clickSetList.size(), 5);
        QCOMPARE(int(got.clickSetList.at(3).wave_No), 10003);
        QCOMPARE(got.clickWaveList.at(3).file, got.clickWaveList.at(1).file);
        QCOMPARE(got.clickWaveList.at(1).file, rawWavePath(m_temp, 10001));
        QCOMPARE(got.clickWaveList.at(4).offset, got.clickWaveList.at(0).offset);
        QCOMPARE(got.clickWaveList.at(0).file, m_src);
        QCOMPARE(got.clickWaveList.at(2).size, e.loaded[0].info.soundChunk.soundIndex[2].wave_length);

        // Without a temporary folder nothing is converted (no raw wave lands
        // beside the root of the file system).
        conversions = 0;
        QCOMPARE(collectClickWaves(clicks, e.loaded, QString(), counting, got).kind, CollectError::RawFailed);
        Kit kit;
        kit.kpadChunk[0].soundFile0 = m_plain.at(0);
        CollectedWaves waves;
        QCOMPARE(collectKitWaves(kit, 0, {}, e.loaded, QString(), counting, waves).kind, CollectError::RawFailed);
        QVector<Kit> kits(KIT_MAX_COUNT);
        QCOMPARE(collectWholeSetupWaves({{"r", m_plain.at(0)}}, kits, {}, e.loaded, QString(), counting, {}, waves).kind,
                 CollectError::RawFailed);
        QCOMPARE(conversions, 0);

        QCOMPARE(collectClickWaves(clicks.mid(0, 4), e.loaded, m_temp, counting, got).kind, CollectError::ClickCount);
        clicks[2].file.clear();
        QCOMPARE(collectClickWaves(clicks, e.loaded, m_temp, counting, got).kind, CollectError::ClickCount);
        clicks[2].file = path("other.bin:U10002");
        QCOMPARE(collectClickWaves(clicks, e.loaded, m_temp, counting, got).kind, CollectError::ClickNotLoaded);
    }

    void kitFilesAndOrder()
    {
        QVector<Kit> kits(KIT_MAX_COUNT);
        kits[0].pedalChunk.hh_wave1_file = "/h.bin:U00001";
        kits[5].kpadChunk[18].soundFile1 = "/fs.bin:U00001";  // a foot switch has no layer B
        kits[7].kpadChunk[2].soundFile0 = "/a.ini:U00003";
        kits[8].kpadChunk[1].soundFile1 = "/a.ini:U00004";
        kits[9].kpadChunk[0].soundFile0 = "/A.ini:U00004";
        kits[9].kpadChunk[0].soundFile1 = "/plain.wav";
        QCOMPARE(kitSourceFiles(kits), QStringList({"/a.ini", "/A.ini", "/h.bin"}));

        QVector<Records::SOUND_INDEX> library = {plainSound("u", "/u.wav", 1), plainSound("k", "/dir/k.wav", 2),
                                                 plainSound("h", "/h.wav", 3), plainSound("s", "/k.wav", 4)};
        QVector<Kit> used(3);
        used[1].kpadChunk[0].soundFile0 = "/dir/k.wav";
        used[1].kpadChunk[1].soundFile0 = "/k.wav"; // contained in "/dir/k.wav": not listed
        used[0].pedalChunk.hh_wave4_file = "/h.wav";
        QCOMPARE(kitWaveOrder(used, library, library), QVector<quint16>({2, 1, 0, 3}));
        QCOMPARE(kitWaveOrder(QVector<Kit>(2), library, library), QVector<quint16>({0, 1, 2, 3}));
        // Unused sounds of one label (number and name) go together, at the first one's place.
        QVector<Records::SOUND_INDEX> twice = library;
        twice.append(plainSound("u", "/u2.wav", 1));
        QCOMPARE(kitWaveOrder(used, twice, twice), QVector<quint16>({2, 1, 0, 4, 3}));
        // Sounds of the file that the library lacks keep a place: the order stays a permutation.
        QVector<Records::SOUND_INDEX> file = library;
        file.prepend(plainSound("x", "/x.wav", 9));
        QCOMPARE(kitWaveOrder(used, library, file), QVector<quint16>({3, 2, 1, 4, 0}));
    }
};

QTEST_GUILESS_MAIN(TestSetupSave)
#include "test_setupsave.moc"

#include "bindmount.h"
#include "device/renumber.h"
#include "padfixture.h"
#include "padstops.h"
#include "support/crashdisk.h"
#include "support/passdisk.h"
#include "support/memorytemp.h"
#include "support/passdisk.h"
#include "model/kitrecordmap.h"

#include <QtTest>

using Records = MainWindow1Records;

class TestRenumber : public QObject {
    Q_OBJECT

    const TempInMemory m_inMemory; // the pad trees below lie in memory, made before any of them

    static ztplatform::FolderAnchor root(const PadFixture &pad) { return pad.anchor(); }

    static QString wav(const PadFixture &pad, int n)
    {
        return QDir::toNativeSeparators(pad.dataPath + "/" + padtree::waveDataRelativePath(n));
    }

    // The working list after renumbering: `numbers` are the old ones in list order.
    static QVector<Records::SOUND_INDEX> list(const PadFixture &pad, const QVector<int> &numbers)
    {
        QVector<Records::SOUND_INDEX> sounds;
        for (int i = 0; i < numbers.size(); ++i) {
            Records::SOUND_INDEX s;
            s.file = wav(pad, numbers.at(i));
            s.wave_No = quint16(i + 1);
            sounds << s;
        }
        return sounds;
    }

    static PadTreePaths tree(const PadFixture &pad)
    {
        PadTreePaths t;
        t.kitPath = pad.kitPath;
        t.sysPath = pad.sysPath;
        t.dataPath = pad.dataPath;
        t.prmPath = pad.prmPath;
        return t;
    }

    // The kit records on the pad now.
    static PadKitRecords kitsOf(const PadFixture &pad)
    {
        PadKitRecords kits;
        for (int k = 1; k <= KIT_MAX_COUNT; ++k) {
            const QString file = pad.kitPath + QString("/k%1.ini").arg(k, 3, 10, QChar('0'));
            kits.files << (QFileInfo::exists(file) ? file : QString());
            kits.records << (QFileInfo::exists(file) ? kf::readFile(file).left(KIT_RECORD_SIZE) : QByteArray());
        }
        return kits;
    }

    static QSet<quint16> numbers(const QVector<int> &old)
    {
        QSet<quint16> set;
        for (int n : old)
            set << quint16(n);
        return set;
    }

    // The pad's pairs follow the list renumbered from `old` to 1, 2, ...
    static RenumberResult renumber(const PadFixture &pad, const QVector<int> &old)
    {
        const QVector<WaveRenumber> changes = renumberedWaves(list(pad, old), old);
        return renumberPadWaves(changes, tree(pad), root(pad), numbers(old), kitsOf(pad));
    }

    // The sound bytes kit `kit` plays on each of its slots, as the pad holds it.
    static QStringList playedBy(const PadFixture &pad, int kit)
    {
        const QByteArray rec = kf::readFile(pad.kitPath + QString("/k%1.ini").arg(kit, 3, 10, QChar('0')));
        QStringList out;
        MainWindow1Records::soundKit k;
        for (int j = 0; j < PAD_NUM_MAX; ++j) {
            MainWindow1Records::KIT_PAD_SETTING d;
            kitrecord::unpackKitPad(reinterpret_cast<const uchar *>(rec.constData()) + kitrecord::padOffset(j), d);
            for (quint16 no : {d.aWaveNo, d.bWaveNo}) {
                const QString wav = no == NO_WAVE ? QString()
                                                  : pad.dataPath + "/" + padtree::waveDataRelativePath(no + 1);
                out << (QFileInfo::exists(wav) ? QString(QCryptographicHash::hash(kf::readFile(wav),
                                                                                  QCryptographicHash::Sha1)
                                                                 .toHex())
                                               : QString("none"));
            }
        }
        return out;
    }

private slots:
    void pairsFollowTheirNewNumbers()
    {
        PadFixture pad;
        for (int n : {3, 1, 100})
            pad.addWave(n, QString("s%1").arg(n));
        const QByteArray audio3 = kf::readFile(wav(pad, 3));
        const QByteArray record3 = kf::readFile(pad.prmPath + "/001/003.prm");

        // Old numbers 3, 1, 100 become 1, 2, 3: wave 3 takes the place wave 1 leaves.
        const QVector<int> old{3, 1, 100};
        const QVector<WaveRenumber> changes = renumberedWaves(list(pad, old), old);
        QCOMPARE(changes.size(), 3);
        const RenumberResult r = renumberPadWaves(changes, tree(pad), root(pad), numbers(old), kitsOf(pad));
        QVERIFY(r.ok);
        QCOMPARE(r.newFiles, (QVector<QString>{wav(pad, 1), wav(pad, 2), wav(pad, 3)}));
        QCOMPARE(kf::readFile(wav(pad, 1)), audio3);
        QByteArray patched = record3;
        kf::wr16(patched, 0, 1);
        QCOMPARE(kf::readFile(pad.prmPath + "/001/001.prm"), patched);
        QCOMPARE(kf::rd16(kf::readFile(pad.prmPath + "/001/003.prm"), 0), quint16(3)); // wave 100's record
        QVERIFY(!QFileInfo::exists(pad.dataPath + "/002/100.wav"));
        QCOMPARE(QDir(pad.prmPath + "/001").entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // The folders that lost or took a name are on the disk before the kit
    // records written later name the new numbers.
    void movedPairsAreOnTheDiskWhenDone()
    {
        PadFixture pad;
        pad.addWave(3);
        pad.addWave(150);
        QStringList synced;
        WatchingChanges watch([&synced](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::Synced)
                synced << path;
        });
        const DiskInPlace inPlace(pad.disk, &watch);
        const QVector<int> old{3, 150}; // 3 becomes 1 in 001, 150 becomes 2 and leaves 002
        QVERIFY(renumber(pad, old).ok);
        for (const QString &folder : {pad.dataPath + "/001", pad.dataPath + "/002", pad.prmPath + "/002"})
            QVERIFY2(synced.contains(QFileInfo(folder).canonicalFilePath()), qPrintable(folder));
    }

    void aFailurePutsEverythingBack_data()
    {
        QTest::addColumn<QVector<int>>("old");
        QTest::addColumn<QString>("spoiler");
        QTest::addColumn<QByteArray>("bytes");
        // A stray file where wave 5 would move to.
        QTest::newRow("target taken") << QVector<int>{150, 151, 5} << "WAV_DATA/001/003.wav" << QByteArray("stray");
        // A record too short to take its number, after new folders were made.
        QTest::newRow("short record") << QVector<int>{150, 151} << "WAV_PRM/002/051.prm" << QByteArray("x");
    }
    void aFailurePutsEverythingBack()
    {
        QFETCH(QVector<int>, old);
        QFETCH(QString, spoiler);
        QFETCH(QByteArray, bytes);
        PadFixture pad;
        for (int n : old)
            pad.addWave(n);
        touchFile(pad.model + "/" + spoiler, bytes);
        const QStringList before = pad.snapshot();
        const RenumberResult r = renumber(pad, old);
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(r.messages.at(0).text,
                 QString("The sounds on the sampler pad could not be renumbered; they keep their numbers."));
        QCOMPARE(pad.snapshot(), before);
    }

    // Stopped at every call, what was not synced dropped, on a pad whose kits
    // use the sounds (and a slot naming a number of no sound): the next load
    // finishes or undoes it, so that every kit plays the bytes it played
    // before, and a slot that named no sound names none.
    void aStopIsFinishedOrUndoneAtTheNextLoad()
    {
        const QVector<int> old{3, 1, 100}; // wave 3 takes the place wave 1 leaves
        int calls = 0;
        QStringList before, after;
        for (int n = 0; n == 0 || n <= calls; ++n) {
            PadFixture pad;
            for (int w : old)
                pad.addWave(w);
            // Kit 1 names waves 3, 1, 100 and 2 (no sound) as the pad stores them;
            // the other kits' files are not the renumbering's.
            pad.writeKits({2, 0, 99, 1});
            for (int k = 2; k <= KIT_MAX_COUNT; ++k)
                QFile::remove(pad.kitPath + QString("/k%1.ini").arg(k, 3, 10, QChar('0')));
            const QStringList played = playedBy(pad, 1);
            QVERIFY(played.contains("none"));
            if (n == 0)
                before = pad.snapshot().replaceInStrings(pad.root, "");
            RenumberResult r;
            stopBefore(pad.disk, pad.root, n, [&](ztplatform::Disk &) { r = renumber(pad, old); }, true,
                       n == 0 ? &calls : nullptr);
            if (n == 0) {
                QVERIFY(r.ok);
                QCOMPARE(r.kitsWritten.size(), 1);
                after = pad.snapshot().replaceInStrings(pad.root, "");
                QCOMPARE(playedBy(pad, 1), played);
                continue;
            }
            const PadFixture::Loaded again = pad.loadAgain();
            QVERIFY2(again.sounds.leftOut.isEmpty() && again.hidden.isEmpty(), qPrintable(QString::number(n)));
            const QStringList now = pad.snapshot().replaceInStrings(pad.root, "");
            QVERIFY2(now == before || now == after, qPrintable(QString::number(n)));
            QCOMPARE(playedBy(pad, 1), played);
            if (again.recovery.changed)
                QVERIFY2(again.text().contains(now == after ? "was finished" : "was undone")
                                 && again.text().contains(now == after
                                                                  ? "These kits name the sounds by their new numbers: 1."
                                                                  : "These kits name the sounds by the numbers they "
                                                                    "had: 1."),
                         qPrintable(again.text()));
        }
        QVERIFY(calls > 12);
    }

    // A renumbering stopped at every call by every stop (the editor killed,
    // a power cut with any part of the unsynced names on the disk, a torn
    // write), the next load stopped at every call of its repairs too and the
    // pad loaded a third time: every kit plays the bytes it played before or
    // after, and a slot that named no sound names none.
    void everyStopKeepsEachKit()
    {
        PadFixture pad;
        const QVector<int> old{3, 1, 100}; // wave 3 takes the place wave 1 leaves
        for (int w : old)
            pad.addWave(w);
        padstops::kitsUsing(pad, {{1, {2, 0, 99, 1}}, {2, {2, 0, 99, 1}}}); // 1: no sound
        auto work = [&](ztplatform::Disk &disk) {
            const QVector<WaveRenumber> changes = renumberedWaves(list(pad, old), old);
            const RenumberResult r = renumberPadWaves(changes, tree(pad),
                                                      ztplatform::FolderAnchor::record(pad.root, &disk), numbers(old),
                                                      kitsOf(pad));
            QVERIFY(r.ok);
            QCOMPARE(r.kitsWritten.size(), 2);
        };
        padstops::Count count;
        const QString fault = padstops::everyStopKeepsTheKits(pad, work, &count);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(count.everyKind(), qPrintable(count.describe()));
        QVERIFY(count.states >= 20 && count.repairStops >= 10);
        // Wave 100 moves from folder 002 to 001: a power cut can leave it at both names.
        QVERIFY2(count.bothNames > 0 && count.outside > 0, qPrintable(count.describe()));
    }

    // A sound deleted from its old name while another file took its new one,
    // as the change is being made, is not counted as moved: the change is
    // taken back and the other file stays.
    void aSoundGoneWhileAnotherTookItsPlaceIsNotCountedMoved()
    {
        PadFixture pad;
        pad.addWave(5);
        const QString oldWav = pad.dataPath + "/001/005.wav", newWav = pad.dataPath + "/001/001.wav";
        const QByteArray record5 = kf::readFile(pad.prmPath + "/001/005.prm");
        struct Meddle : PassDisk {
            std::function<void()> act;
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                if (name == ".zt-journal-new" && act)
                    std::exchange(act, {})();
                return PassDisk::openAt(dir, name, flags, mode);
            }
        } disk;
        disk.act = [&] {
            QFile::remove(oldWav);
            touchFile(newWav, "another file");
        };
        DiskInPlace in(pad.disk, &disk);
        const RenumberResult r = renumber(pad, {5});
        QVERIFY(!r.ok);
        QVERIFY(r.newFiles.isEmpty());
        QVERIFY2(r.messages.value(0).text.contains("Sound 5: its .wav file is missing."),
                 qPrintable(r.messages.value(0).text));
        QCOMPARE(kf::readFile(newWav), QByteArray("another file"));
        QCOMPARE(kf::readFile(pad.prmPath + "/001/005.prm"), record5);
        QVERIFY(!QFileInfo::exists(pad.prmPath + "/001/001.prm"));
        QVERIFY(!QFileInfo::exists(pad.sysPath + "/.zt-journal"));
    }

    // A pad turned read-only part-way: the box says where the sounds are, the
    // record stays, and the load once the pad takes writes again undoes it.
    void aPadTurnedReadOnlyIsUndoneLater()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadFixture source;
        for (int w : {2, 4})
            source.addWave(w);
        BindMount bind;
        if (!bind.mount(source.root, "zt350-renumber"))
            QSKIP(qPrintable("cannot bind-mount here (" + bind.error + ")"));
        PadFixture pad(bind.mountPoint); // the same tree, seen through the mount
        const QStringList before = pad.snapshot();
        bool readOnly = false;
        WatchingChanges watch([&](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::Synced && path.contains("/WAV_DATA/") && !readOnly)
                readOnly = bind.makeReadOnly();
        });
        const DiskInPlace inPlace(pad.disk, &watch);
        const QVector<int> old{2, 4};
        const RenumberResult r = renumber(pad, old);
        QVERIFY(readOnly && !r.ok);
        const QString text = r.messages.value(0).text;
        QVERIFY2(text.contains("could not be taken back; the next load of the sampler pad finishes it or takes it "
                               "back")
                         && text.contains("Sound 2: under hidden names, out of the pad's list.\r\n"
                                          "Sound 4: under hidden names, out of the pad's list."),
                 qPrintable(text));
        // A load while the pad is still read-only claims nothing put in order.
        const QStringList stuck = pad.snapshot();
        const QString refused = pad.loadAgain().text();
        QVERIFY2(refused.startsWith("A change of the files on the sampler pad was cut short.\r\n")
                         && refused.contains("refused a write") && !refused.contains("put in order"),
                 qPrintable(refused));
        QCOMPARE(pad.snapshot(), stuck);
        QVERIFY(BindMount::run("mount", {"-o", "remount,bind,rw", bind.mountPoint}));
        const PadFixture::Loaded again = pad.loadAgain();
        QVERIFY2(again.text().contains("A renumbering cut short was finished"), qPrintable(again.text()));
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 2);
        QVERIFY(pad.snapshot() != before);
        QVERIFY(again.hidden.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRenumber)
#include "test_renumber.moc"

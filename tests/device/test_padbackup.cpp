// Backups of a pad: its kit records, global.ini, alter.ini and .prm records
// copied byte for byte into a folder named by the date and time below the
// pad's own folder; only whole backups are listed, the last 20 are kept; a
// backup that cannot be written leaves nothing behind and says why; a
// backup read back names the sounds its kits used, and slots whose sound is
// no longer on the pad are emptied and named.
#include "device/padbackup.h"
#include "padfixture.h"

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

PadTreePaths treeOf(const PadFixture &pad)
{
    PadTreePaths tree;
    tree.kitPath = pad.kitPath;
    tree.sysPath = pad.sysPath;
    tree.dataPath = pad.dataPath;
    tree.prmPath = pad.prmPath;
    tree.waveDataList = pad.dataFolders();
    tree.wavePrmList = pad.prmFolders();
    return tree;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

} // namespace

class TestPadBackup : public QObject
{
    Q_OBJECT

private slots:
    void copiesByteForByte()
    {
        PadFixture pad;
        for (int n : {1, 2, 150})
            pad.addWave(n, QString("Snd%1").arg(n));
        pad.writeKits({0, 1, 149});
        kf::writeFile(pad.sysPath + "/alter.ini", "ALTER");
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(pad.root);
        const QVector<padbackup::File> settings = padbackup::readSettings(root, treeOf(pad));
        const QVector<padbackup::File> prm = padbackup::readPrmRecords(root, treeOf(pad));
        QCOMPARE(settings.size(), KIT_MAX_COUNT + 2);
        QCOMPARE(prm.size(), 3);
        QCOMPARE(prm.last().path, QString("WAV_PRM/002/050.prm"));

        QTemporaryDir data;
        const QDateTime when(QDate(2024, 5, 1), QTime(14, 3, 22));
        const padbackup::Written w = padbackup::write(data.filePath("A1B2"), when, settings, prm);
        QVERIFY2(w.ok, qPrintable(w.why));
        QCOMPARE(w.folder, data.filePath("A1B2/2024-05-01_14-03-22"));
        QCOMPARE(fileBytes(w.folder + "/KIT/k007.ini"), fileBytes(pad.kitPath + "/k007.ini"));
        QCOMPARE(fileBytes(w.folder + "/SYS/global.ini"), fileBytes(pad.sysPath + "/global.ini"));
        QCOMPARE(fileBytes(w.folder + "/SYS/alter.ini"), QByteArray("ALTER"));
        const QVector<padbackup::File> archived = padbackup::filesOfTar(fileBytes(w.folder + "/WAV_PRM.tar"));
        QCOMPARE(archived.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(archived.at(i).path, prm.at(i).path);
            QCOMPARE(archived.at(i).bytes, fileBytes(pad.model + "/" + prm.at(i).path));
        }
        // The system's tar reads it as the pad's folder.
        QProcess tar;
        tar.setWorkingDirectory(w.folder);
        tar.start("tar", {"-xf", "WAV_PRM.tar"});
        QVERIFY(tar.waitForFinished() && tar.exitCode() == 0);
        QCOMPARE(fileBytes(w.folder + "/WAV_PRM/002/050.prm"), fileBytes(pad.model + "/WAV_PRM/002/050.prm"));
        // The same second again: another folder.
        const padbackup::Written again = padbackup::write(data.filePath("A1B2"), when, settings, prm);
        QCOMPARE(again.folder, data.filePath("A1B2/2024-05-01_14-03-22_2"));
        QCOMPARE(padbackup::list(data.filePath("A1B2")).first().folder, again.folder);

        const padbackup::Contents c = padbackup::read(w.folder);
        QVERIFY(c.ok);
        QCOMPARE(c.kitRecords.at(99), fileBytes(pad.kitPath + "/k100.ini"));
        QCOMPARE(c.soundNames.value(150), QString("Snd150"));
        QCOMPARE(c.globalFile, w.folder + "/SYS/global.ini");
    }

    void lastTwentyKeptAndOnlyWholeOnesListed()
    {
        QTemporaryDir data;
        const QString pad = data.filePath("pad");
        const QDateTime start(QDate(2024, 1, 1), QTime(9, 0));
        for (int i = 0; i < 23; ++i)
            QVERIFY(padbackup::write(pad, start.addSecs(i * 61), {{"KIT/k001.ini", "k"}}, {}).ok);
        QVERIFY(QDir().mkpath(pad + "/.2025-01-01_00-00-00.zt-part/KIT")); // one cut short
        QVERIFY(QDir().mkpath(pad + "/notes"));
        const QVector<padbackup::Backup> all = padbackup::list(pad);
        QCOMPARE(all.size(), padbackup::KEEP);
        QCOMPARE(all.first().when, start.addSecs(22 * 61));
        QCOMPARE(all.last().when, start.addSecs(3 * 61));
        QVERIFY(padbackup::write(pad, start.addSecs(3600), {}, {}).ok);
        QVERIFY(!QFileInfo::exists(pad + "/.2025-01-01_00-00-00.zt-part"));
        QVERIFY(QFileInfo::exists(pad + "/notes")); // what is not a backup stays
    }

    void unwritableFolderLeavesNothing()
    {
        QTemporaryDir data;
        // A file where the pad's folder goes: nothing can be made there.
        const QString pad = data.filePath("pad");
        QVERIFY(kf::writeFile(pad, "not a folder"));
        padbackup::Written w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", "k"}}, {});
        QVERIFY(!w.ok);
        QVERIFY(w.why.contains(QDir::toNativeSeparators(pad)));
        // A file where the backup's KIT folder goes, as a full disk would stop it halfway.
        QVERIFY(QFile::remove(pad));
        w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", "k"}, {"KIT/k001.ini/y", "z"}}, {});
        QVERIFY(!w.ok);
        QCOMPARE(QDir(pad).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        if (::geteuid() != 0) {
            QVERIFY(::chmod(QFile::encodeName(pad).constData(), 0555) == 0);
            w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", "k"}}, {});
            ::chmod(QFile::encodeName(pad).constData(), 0755);
            QVERIFY(!w.ok && !w.why.isEmpty());
        }
    }

    void padFolderNamedByIdentity()
    {
        PadIdentity id;
        id.volume.uuid = "1A2B-3C4D";
        QCOMPARE(padbackup::padFolderName(id), QString("1A2B-3C4D"));
        id.volume.uuid.clear();
        id.volume.usbSerial = "ZT/350 #9";
        QCOMPARE(padbackup::padFolderName(id), QString("usb-ZT_350__9"));
        id.volume.usbSerial.clear();
        id.fingerprint = "settings";
        QVERIFY(padbackup::padFolderName(id).startsWith("pad-"));
        QCOMPARE(padbackup::padFolderName(id).size(), 20);
    }

    void missingSoundsEmptied()
    {
        QVector<MainWindow1Records::soundKit> kits(2);
        kits[1].kpadChunk[3].aWaveNo = 4; // sound 5: gone
        kits[1].kpadChunk[3].soundName0 = "Old";
        kits[1].kpadChunk[3].bWaveNo = 1; // sound 2: on the pad
        kits[0].pedalChunk.hh_wave2_no = 8;
        for (auto &k : kits) {
            for (auto &p : k.kpadChunk) {
                if (p.aWaveNo == 0)
                    p.aWaveNo = NO_WAVE;
                if (p.bWaveNo == 0)
                    p.bWaveNo = NO_WAVE;
            }
            for (quint16 *no : {&k.pedalChunk.hh_wave1_no, &k.pedalChunk.hh_wave3_no, &k.pedalChunk.hh_wave4_no,
                                &k.pedalChunk.hh_wave5_no})
                *no = NO_WAVE;
            if (k.pedalChunk.hh_wave2_no == 0)
                k.pedalChunk.hh_wave2_no = NO_WAVE;
        }
        const QVector<padbackup::Missing> missing =
                padbackup::emptyMissingSlots(kits, {1}, {{5, "Kick"}, {9, "HiHat"}});
        QCOMPARE(missing.size(), 2);
        QCOMPARE(missing.at(0).kit, 1);
        QCOMPARE(missing.at(0).pad, 0);
        QCOMPARE(missing.at(0).slot, 2);
        QCOMPARE(missing.at(0).name, QString("HiHat"));
        QCOMPARE(missing.at(1).kit * 100 + missing.at(1).pad * 10 + missing.at(1).slot, 240);
        QCOMPARE(missing.at(1).wave, 5);
        QCOMPARE(kits[1].kpadChunk[3].aWaveNo, quint16(NO_WAVE));
        QVERIFY(kits[1].kpadChunk[3].soundName0.isEmpty());
        QCOMPARE(kits[1].kpadChunk[3].bWaveNo, quint16(1));
        QCOMPARE(kits[0].pedalChunk.hh_wave2_no, quint16(NO_WAVE));
    }
};

QTEST_GUILESS_MAIN(TestPadBackup)
#include "test_padbackup.moc"

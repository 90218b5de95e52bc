#include "device/padtree.h"
#include "fakedrives.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestPadTree : public QObject
{
    Q_OBJECT

    static void addNumbered(const QString &dir, const QStringList &names)
    {
        for (const QString &n : names)
            QDir(dir).mkpath(n);
    }

private slots:
    void mixedCaseTreePasses()
    {
        QTemporaryDir dir;
        makePadTree(dir.path(), {"kit", "Sys", "wav_data", "WAV_PRM"}, "zt350");
        const QString model = padtree::findModelFolder(ztplatform::systemDisk(), dir.path() + "/");
        QCOMPARE(model, dir.path() + "/zt350");
        addNumbered(model + "/wav_data", {"001", "002"});
        addNumbered(model + "/WAV_PRM", {"001"});
        touchFile(model + "/WAV_PRM/001/001.prm", QByteArray(64, '\0'));

        DeviceMessage warning;
        PadTreePaths tree;
        QVERIFY(padtree::getRootDirPath(model, tree, &warning));
        QCOMPARE(tree.kitPath, model + "/kit");
        QCOMPARE(tree.sysPath, model + "/Sys");
        QCOMPARE(tree.dataPath, model + "/wav_data");
        QCOMPARE(tree.prmPath, model + "/WAV_PRM");
        QVERIFY(padtree::judgeFourFile(tree, &warning));
        QCOMPARE(tree.sys_click_path, model + "/Sys/CLICK");
        QCOMPARE(tree.usbGlobalIniFile, model + "/Sys/global.ini");
        QCOMPARE(tree.waveDataList, (QVector<QString>{model + "/wav_data/001", model + "/wav_data/002"}));
        QCOMPARE(tree.wavePrmList, QVector<QString>{model + "/WAV_PRM/001"});
        QVERIFY(warning.title.isEmpty() && warning.text.isEmpty());
    }

    void missingFolderWarns()
    {
        QTemporaryDir dir;
        makePadTree(dir.path());
        const QString model = dir.path() + "/ZT350";
        QDir(model).rmdir("KIT");
        touchFile(model + "/KIT"); // a plain file in place of the folder

        DeviceMessage warning;
        PadTreePaths tree;
        QVERIFY(!padtree::getRootDirPath(model, tree, &warning));
        QCOMPARE(warning.title, QString("Warning"));
        QCOMPARE(warning.text, QString("The target file was not found."));
    }

    void numberedFolders()
    {
        QTemporaryDir dir;
        makePadTree(dir.path());
        const QString model = dir.path() + "/ZT350";
        addNumbered(model + "/WAV_DATA", {"001", "002", "004"});
        addNumbered(model + "/WAV_PRM", {"000", "002", "003"});
        PadTreePaths tree;
        QVERIFY(padtree::getRootDirPath(model, tree, nullptr));
        QVERIFY(padtree::judgeFourFile(tree, nullptr));
        // 004 sits at position 3; "000" is skipped but uses up position 1.
        QCOMPARE(tree.waveDataList, (QVector<QString>{model + "/WAV_DATA/001", model + "/WAV_DATA/002"}));
        QCOMPARE(tree.wavePrmList, (QVector<QString>{model + "/WAV_PRM/002", model + "/WAV_PRM/003"}));
    }

    void parameterFolderContents_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("ok");
        QTest::newRow("prm") << "005.prm" << true;
        QTest::newRow("upper") << "005.PRM" << false;
        QTest::newRow("bak") << "005.prm.bak" << false;
        QTest::newRow("folder") << "sub/" << false;
        QTest::newRow("hidden") << ".hidden" << true;
    }

    void parameterFolderContents()
    {
        QFETCH(QString, entry);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        makePadTree(dir.path());
        const QString model = dir.path() + "/ZT350";
        addNumbered(model + "/WAV_PRM", {"001"});
        touchFile(model + "/WAV_PRM/001/001.prm");
        if (entry.endsWith('/'))
            QDir(model + "/WAV_PRM/001").mkpath(entry);
        else
            touchFile(model + "/WAV_PRM/001/" + entry);
        DeviceMessage warning;
        PadTreePaths tree;
        QVERIFY(padtree::getRootDirPath(model, tree, &warning));
        QCOMPARE(padtree::judgeFourFile(tree, &warning), ok);
        QCOMPARE(warning.text, ok ? QString() : QString("Wave prm file is error."));
    }

    // The tree is listed below the pad's root: folders swapped for links to
    // another pad's once their paths are known list nothing through them.
    void theTreeIsListedBelowTheRoot()
    {
        QTemporaryDir dir, other;
        makePadTree(dir.path());
        makePadTree(other.path());
        const QString model = dir.path() + "/ZT350";
        addNumbered(model + "/WAV_DATA", {"001"});
        addNumbered(model + "/WAV_PRM", {"001"});
        addNumbered(other.path() + "/ZT350/WAV_DATA", {"001", "002"});
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(dir.path());
        PadTreePaths tree;
        QVERIFY(padtree::getRootDirPath(root, model, tree, nullptr));
        QVERIFY(QDir(tree.dataPath).removeRecursively() && QFile::link(other.path() + "/ZT350/WAV_DATA", tree.dataPath));
        PadTreePaths swapped = tree;
        QVERIFY(padtree::judgeFourFile(root, swapped, nullptr));
        QVERIFY(swapped.waveDataList.isEmpty());
        QCOMPARE(swapped.wavePrmList, QVector<QString>{model + "/WAV_PRM/001"});

        QVERIFY(QDir(tree.sysPath).removeRecursively() && QFile::link(other.path() + "/ZT350/SYS", tree.sysPath));
        swapped = tree;
        DeviceMessage warning;
        QVERIFY(!padtree::judgeFourFile(root, swapped, &warning));
        QVERIFY(swapped.sys_click_path.isEmpty() && swapped.usbGlobalIniFile.isEmpty());
        QCOMPARE(warning.text, QString("Metronome sounds were not found."));
    }

    // A sound's place is told from its path alone: nothing on the disk is
    // looked at, so no link is followed and no pipe waited on.
    void aPairIsPlacedByItsPathAlone()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + "/ZT350/WAV_DATA", prm = dir.path() + "/ZT350/WAV_PRM";
        const padtree::WavePair pair = padtree::findWavePair(data + "/002/017.wav", data, prm);
        QVERIFY(pair.onPad);
        QCOMPARE(pair.folder, QString("002"));
        QCOMPARE(pair.stem, QString("017"));
        QVERIFY(!padtree::findWavePair(data + "/017.wav", data, prm).onPad);
        QVERIFY(!padtree::findWavePair(prm + "/002/017.wav", data, prm).onPad);
        QVERIFY(!padtree::findWavePair("WAV_DATA/002/017.wav", "WAV_DATA", "WAV_PRM").onPad);
    }

    void sysFolderRules()
    {
        QTemporaryDir dir;
        makePadTree(dir.path());
        const QString model = dir.path() + "/ZT350";
        QVERIFY(QDir(model + "/SYS").removeRecursively());
        QDir(model).mkpath("SYS");
        touchFile(model + "/SYS/global.ini");
        DeviceMessage warning;
        PadTreePaths tree;
        QVERIFY(padtree::getRootDirPath(model, tree, &warning));
        QVERIFY(!padtree::judgeFourFile(tree, &warning));
        QCOMPARE(warning.title, QString("Warning"));
        QCOMPARE(warning.text, QString("Metronome sounds were not found."));

        // No global.ini passes; the load finds it missing later.
        warning = DeviceMessage();
        QFile::remove(model + "/SYS/global.ini");
        QDir(model).mkpath("SYS/click");
        PadTreePaths tree2;
        QVERIFY(padtree::getRootDirPath(model, tree2, &warning));
        QVERIFY(padtree::judgeFourFile(tree2, &warning));
        QVERIFY(warning.text.isEmpty());
        QVERIFY(tree2.usbGlobalIniFile.isEmpty());
        QCOMPARE(tree2.sys_click_path, model + "/SYS/click");

        // An exact global.ini is preferred over a copy that sorts after it.
        touchFile(model + "/SYS/GLOBAL.INI");
        touchFile(model + "/SYS/global.ini.bak");
        PadTreePaths tree3;
        QVERIFY(padtree::getRootDirPath(model, tree3, nullptr));
        QVERIFY(padtree::judgeFourFile(tree3, nullptr));
        QCOMPARE(tree3.usbGlobalIniFile, model + "/SYS/GLOBAL.INI");
    }

    void waveNumberRule_data()
    {
        QTest::addColumn<int>("wave");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("prm");
        QTest::newRow("1") << 1 << "001/001.wav" << "001/001.prm";
        QTest::newRow("99") << 99 << "001/099.wav" << "001/099.prm";
        QTest::newRow("100") << 100 << "002/100.wav" << "002/100.prm";
        QTest::newRow("101") << 101 << "002/001.wav" << "002/001.prm";
        QTest::newRow("200") << 200 << "003/100.wav" << "003/100.prm";
        QTest::newRow("9900") << 9900 << "100/100.wav" << "100/100.prm";
        QTest::newRow("9999") << 9999 << "100/099.wav" << "100/099.prm";
    }

    void waveNumberRule()
    {
        QFETCH(int, wave);
        QFETCH(QString, data);
        QFETCH(QString, prm);
        QCOMPARE(padtree::waveDataRelativePath(wave), data);
        QCOMPARE(padtree::wavePrmRelativePath(wave), prm);
        QCOMPARE(padtree::waveNumberFromLocation(padtree::waveFolderNumber(wave), padtree::waveFileNumber(wave)), wave);
    }

    void caseInsensitiveFileLookup()
    {
        QTemporaryDir dir;
        touchFile(dir.path() + "/zt350/wav_prm/001/001.prm");
        const QString exact = dir.path() + "/zt350/wav_prm/001/001.prm";
        const auto root = ztplatform::FolderAnchor::record(dir.path());
        QCOMPARE(padtree::convertPathCaseInsensitivity(root, exact), exact);
        QCOMPARE(padtree::convertPathCaseInsensitivity(root, dir.path() + "/ZT350/WAV_PRM/001/001.prm"), exact);
        const QString missing = dir.path() + "/ZT350/WAV_PRM/001/002.prm";
        QCOMPARE(padtree::convertPathCaseInsensitivity(root, missing), missing);

        // A pipe at the name is not taken or waited on.
        const QString pipe = dir.path() + "/zt350/wav_prm/001/002.prm";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(padtree::convertPathCaseInsensitivity(root, missing), missing);
    }
};

QTEST_GUILESS_MAIN(TestPadTree)
#include "test_padtree.moc"

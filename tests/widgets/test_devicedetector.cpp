#include "device/fakedrives.h"
#include "device/driveprobe.h"
#include "device/padpaths.h"
#include "widgets/devicedetector.h"

#include <QComboBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

class TestDeviceDetector : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString root(const QString &name)
    {
        const QString r = m_dir.path() + "/" + name + "/";
        QDir().mkpath(r);
        return r;
    }
    static QComboBox *combo(DeviceDetector &d) { return d.findChild<QComboBox *>("comboBox"); }
    static QStringList items(DeviceDetector &d)
    {
        QStringList out;
        for (int i = 0; i < combo(d)->count(); ++i)
            out << combo(d)->itemText(i);
        return out;
    }
    static bool enabled(DeviceDetector &d, int i)
    {
        return qobject_cast<QStandardItemModel *>(combo(d)->model())->item(i)->isEnabled();
    }
    static void repaint(DeviceDetector &d)
    {
        QPaintEvent ev(QRect(0, 0, 10, 10));
        QCoreApplication::sendEvent(&d, &ev);
    }

private slots:
    void noRemovableDrive()
    {
        FakeDriveSource src;
        src.list = {{root("fixed"), false}};
        DeviceDetector d(src);
        QCOMPARE(d.windowTitle(), QString("Select Disk"));
        QVERIFY(d.closeFlag);
        QCOMPARE(d.oldDeviceCount, 1);
        QVERIFY(d.getDevicePath().isEmpty());
        QCOMPARE(items(d), QStringList{"Device Unconnect(Default)"});

        QStringList events;
        connect(&d, &DeviceDetector::sendClose, this, [&](int f) { events << QString("close %1").arg(f); });
        connect(&d, &DeviceDetector::sendCurFilePath, this, [&](QString p) { events << "path " + p; });
        d.show();
        d.findChild<QPushButton *>("btnOk")->click();
        QCOMPARE(events, (QStringList{"close 1", "path Device Unconnect(Default)"}));
        QVERIFY(!d.closeFlag);
        QVERIFY(!d.isVisible());
    }

    void preselectsTheLastPad()
    {
        FakeDriveSource src;
        const QString a = root("padA"), b = root("padB"), plain = root("stick"), fixed = root("disk");
        makePadTree(a);
        makePadTree(b, {"kit", "Sys", "wav_data", "WAV_PRM"}, "zt350");
        src.list = {{fixed, false}, {a, true}, {plain, true}, {b, true}};
        DeviceDetector d(src);
        d.getDevicePath(); // the drives answer off the GUI thread
        QTRY_COMPARE(items(d), (QStringList{"Device Unconnect(Default)", a, plain, b}));
        QCOMPARE(combo(d)->currentText(), b);
        const QVector<QString> roots = d.getDevicePath();
        QCOMPARE(roots, (QVector<QString>{a, plain, b}));
        QCOMPARE(d.dirDetectorList, roots);

        // A second call (the hidden chooser serves the import) lists each drive once.
        QCOMPARE(combo(d)->count(), 4);
    }

    void rootAndModelFolderRules()
    {
        FakeDriveSource src;
        const QString extra = root("extra"), hidden = root("hidden"), fileKit = root("filekit"),
                      five = root("five");
        makePadTree(extra);
        touchFile(extra + "SONG.WAV");   // a second visible entry: not preselected
        makePadTree(hidden);
        touchFile(hidden + ".Trash-0/x"); // hidden entries do not count
        makePadTree(fileKit, {"KITX", "SYS", "WAV_DATA", "WAV_PRM"});
        QDir(fileKit + "ZT350").rmdir("KITX");
        touchFile(fileKit + "ZT350/kit.txt"); // base name "kit" counts
        makePadTree(five);
        QDir(five).mkpath("ZT350/MORE"); // five entries: no change

        src.list = {{extra, true}};
        {
            DeviceDetector d(src);
            d.getDevicePath();
            QTRY_COMPARE(combo(d)->count(), 2);
            QCOMPARE(combo(d)->currentIndex(), 0);
        }
        src.list = {{hidden, true}};
        {
            DeviceDetector d(src);
            d.getDevicePath();
            QTRY_COMPARE(combo(d)->currentText(), hidden);
        }
        src.list = {{fileKit, true}, {five, true}};
        {
            DeviceDetector d(src);
            d.getDevicePath();
            QTRY_COMPARE(combo(d)->count(), 3);
            QCOMPARE(combo(d)->currentText(), fileKit);
        }
    }

    void foreignNameResetsTheChoice()
    {
        FakeDriveSource src;
        const QString good = root("good"), bad = root("bad");
        makePadTree(good);
        makePadTree(bad, {"KIT", "SYS", "WAV_DATA", "MUSIC"});
        src.list = {{good, true}, {bad, true}};
        DeviceDetector d(src);
        d.getDevicePath();
        QTRY_COMPARE(combo(d)->count(), 3);
        QCOMPARE(combo(d)->currentIndex(), 0);
    }

    void mainFolderSet()
    {
        QVERIFY(padtree::isMainFolderSet({"KIT", "Sys", "wav_data", "WAV_PRM"}));
        QVERIFY(padtree::isMainFolderSet({"kit", "kit", "kit", "kit"})); // four known names
        QVERIFY(!padtree::isMainFolderSet({"KIT", "SYS", "WAV_DATA"}));
        QVERIFY(!padtree::isMainFolderSet({"KIT", "SYS", "WAV_DATA", "WAV_PRM", "SYS"}));
        QVERIFY(!padtree::isMainFolderSet({"list1", "KIT", "SYS", "WAV_DATA"}));
    }

    void refreshWhileOpen()
    {
        FakeDriveSource src;
        const QString a = root("r1"), b = root("r2"), fixed = root("r3");
        src.list = {{fixed, false}, {a, true}};
        DeviceDetector d(src);
        d.getDevicePath();
        QTRY_COMPARE(items(d), (QStringList{"Device Unconnect(Default)", a}));

        repaint(d); // same count: nothing changes
        QCOMPARE(items(d), (QStringList{"Device Unconnect(Default)", a}));

        src.list = {{fixed, false}, {a, true}, {b, true}};
        repaint(d);
        QTRY_COMPARE(items(d), (QStringList{"Device Unconnect(Default)", a, b}));
        QCOMPARE(d.newDeviceCount, 3);
        QCOMPARE(d.oldDeviceCount, 3);

        combo(d)->setCurrentIndex(1);
        src.list = {{fixed, false}, {b, true}};
        repaint(d);
        QCOMPARE(items(d), (QStringList{"Device Unconnect(Default)", b}));

        src.list = {{fixed, false}};
        repaint(d);
        QCOMPARE(items(d), QStringList{"Device Unconnect(Default)"});
    }

    // A drive whose root does not answer (a dead network or FUSE mount) holds
    // nothing up: the others are listed at once, it is greyed as not answering
    // after two seconds and cannot be chosen, and added once it answers.
    void driveThatDoesNotAnswer()
    {
        FakeDriveSource src;
        const QString dead = root("dead"), pad = root("padH"), late = root("late");
        makePadTree(pad);
        src.list = {{dead, true}, {pad, true}, {late, true}};
        src.hang(dead);
        src.hang(late);
        QElapsedTimer clock;
        clock.start();
        DeviceDetector d(src);
        d.getDevicePath();
        d.show();
        // Shown before either held drive was given up on.
        QCOMPARE(items(d).filter("not answering"), QStringList());
        QVERIFY(d.isVisible());
        QTRY_COMPARE(items(d), (QStringList{"Device Unconnect(Default)", pad}));
        QCOMPARE(combo(d)->currentText(), pad);
        QCOMPARE(d.getDevicePath(), QVector<QString>{pad});

        QTRY_COMPARE_WITH_TIMEOUT(items(d),
                                  (QStringList{"Device Unconnect(Default)", dead + " (not answering)", pad,
                                               late + " (not answering)"}),
                                  60000);
        QVERIFY(clock.elapsed() >= DriveProbe::ANSWER_LIMIT_MS);
        QVERIFY(!enabled(d, 1) && enabled(d, 2) && !enabled(d, 3));
        QCOMPARE(combo(d)->currentText(), pad); // the choice stays
        QCOMPARE(d.getDevicePath(), QVector<QString>{pad});

        // Not to be chosen: OK leaves the chooser open and sends nothing.
        QStringList events;
        connect(&d, &DeviceDetector::sendCurFilePath, this, [&](QString p) { events << p; });
        combo(d)->setCurrentIndex(1);
        d.findChild<QPushButton *>("btnOk")->click();
        QVERIFY(events.isEmpty());
        QVERIFY(d.isVisible());
        QVERIFY(d.closeFlag);

        // The late one answers: it is added, as any drive.
        src.release(late);
        QTRY_COMPARE(items(d), (QStringList{"Device Unconnect(Default)", dead + " (not answering)", pad, late}));
        QVERIFY(enabled(d, 3));
        QCOMPARE(d.getDevicePath(), (QVector<QString>{pad, late}));
        QCOMPARE(src.waiting(), 1);
        src.release(dead);
        QTRY_COMPARE(src.waiting(), 0);
    }

    void cancelAndTitleBarClose()
    {
        FakeDriveSource src;
        {
            DeviceDetector d(src);
            QStringList events;
            connect(&d, &DeviceDetector::sendClose, this, [&](int f) { events << QString("close %1").arg(f); });
            connect(&d, &DeviceDetector::sendCurFilePath, this, [&](QString p) { events << "path " + p; });
            d.show();
            d.findChild<QPushButton *>("btnCancel")->click();
            QCOMPARE(events, (QStringList{"close 0", "path "}));
            QVERIFY(d.closeFlag);
        }
        {
            DeviceDetector d(src);
            QStringList events;
            connect(&d, &DeviceDetector::sendClose, this, [&](int f) { events << QString("close %1").arg(f); });
            connect(&d, &DeviceDetector::sendCurFilePath, this, [&](QString p) { events << "path " + p; });
            d.show();
            d.close();
            QCOMPARE(events, QStringList{"close 0"});
            QVERIFY(d.closeFlag);
        }
    }
};

QTEST_MAIN(TestDeviceDetector)
#include "test_devicedetector.moc"

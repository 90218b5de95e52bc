// Drives looked at off the caller's thread: a drive that does not answer
// holds nobody up, is told after the limit, and is taken when it answers.
#include "device/driveprobe.h"
#include "device/savefolder.h"
#include "fakedrives.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

using Answer = DriveProbe::Answer;

class TestDriveProbe : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString root(const QString &name)
    {
        const QString r = m_dir.path() + "/" + name + "/";
        QDir().mkpath(r);
        return r;
    }
    static QStringList states(const DriveProbe &probe)
    {
        QStringList out;
        for (const DriveProbe::Drive &d : probe.removableDrives())
            out << QFileInfo(d.root.chopped(1)).fileName() + "="
                            + (d.answer == Answer::Answered ? "answered"
                               : d.answer == Answer::Waiting ? "waiting" : "not answering");
        return out;
    }

private slots:
    // A look the caller gave up on keeps only what it captured.
    void lookBeyondItsLimit()
    {
        auto gate = std::make_shared<std::atomic<bool>>(false);
        QElapsedTimer clock;
        clock.start();
        ztplatform::TimedLook<int> look([gate]() {
            while (!*gate)
                QThread::msleep(5);
            return 7;
        });
        QVERIFY(!look.waitFor(100).has_value());
        QVERIFY(clock.elapsed() >= 100);
        QVERIFY(!look.done()); // given up while the look is held
        *gate = true;
        QCOMPARE(look.waitFor(5000).value_or(0), 7);
        QVERIFY(look.done());
        QCOMPARE(ztplatform::lookWithin<int>(1000, [] { return 3; }).value_or(0), 3);
    }

    void deadDriveAmongOthers()
    {
        FakeDriveSource src;
        const QString pad = root("pad"), dead = root("dead"), fixed = root("fixed");
        makePadTree(pad);
        src.list = {{fixed, false}, {dead, true}, {pad, true}};
        src.hang(dead);
        DriveProbe probe(src);
        QSignalSpy changed(&probe, &DriveProbe::changed);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(probe.refresh().size(), 3); // the whole list, at once
        QCOMPARE(states(probe).filter("not answering"), QStringList()); // before any limit passed
        QTRY_COMPARE(states(probe), (QStringList{"dead=waiting", "pad=answered"}));
        QCOMPARE(probe.removableDrives().at(1).modelFolderNames,
                 (QStringList{"KIT", "SYS", "WAV_DATA", "WAV_PRM"}));

        QTRY_COMPARE_WITH_TIMEOUT(states(probe), (QStringList{"dead=not answering", "pad=answered"}), 60000);
        QVERIFY(clock.elapsed() >= DriveProbe::ANSWER_LIMIT_MS);
        // Looked at once: a refresh does not start a second look at it.
        probe.refresh();
        QTRY_COMPARE(src.waiting(), 1);

        src.release(dead);
        QTRY_COMPARE(states(probe), (QStringList{"dead=answered", "pad=answered"}));
        QVERIFY(probe.removableDrives().at(0).modelFolderNames.isEmpty());

        // A drive gone is dropped; one that comes is looked at.
        const int before = changed.count();
        src.list = {{pad, true}};
        probe.refresh();
        QCOMPARE(states(probe), QStringList{"pad=answered"});
        QVERIFY(changed.count() > before);
        src.list = {{pad, true}, {fixed, true}};
        probe.refresh();
        QTRY_COMPARE(states(probe), (QStringList{"pad=answered", "fixed=answered"}));
    }

    // What a drive's SAVE folder holds: a link at its name is not followed,
    // hidden folders do not count, a link to a folder does. A look waited on
    // beyond its limit gives nothing, the caller's turns running meanwhile.
    void saveFolderLooks()
    {
        const QString r = root("save");
        const QString save = r + "SAVE";
        QCOMPARE(savefolder::look(ztplatform::systemDisk(), save), savefolder::Holds::Nothing);
        QVERIFY(QDir().mkpath(r + "elsewhere/inner"));
        QVERIFY(QFile::link(r + "elsewhere", save));
        QCOMPARE(savefolder::look(ztplatform::systemDisk(), save), savefolder::Holds::Nothing);
        QVERIFY(QFile::remove(save) && QDir().mkpath(save + "/.hidden"));
        QVERIFY(QFile(save + "/K001.INI").open(QIODevice::WriteOnly));
        QCOMPARE(savefolder::look(ztplatform::systemDisk(), save), savefolder::Holds::OnlyFiles);
        QVERIFY(QFile::link(r + "elsewhere", save + "/linked"));
        QCOMPARE(savefolder::look(ztplatform::systemDisk(), save), savefolder::Holds::SomeFolders);
        QVERIFY(QFile::remove(save + "/linked") && QDir().mkpath(save + "/sub"));
        QCOMPARE(savefolder::lookWithin(ztplatform::systemDisk(), save, 1000, {}).value_or(savefolder::Holds::Nothing), savefolder::Holds::SomeFolders);

        int turns = 0;
        const ztplatform::Waiter counting = [&turns](const std::function<bool(int)> &ended) {
            while (!ended(20))
                ++turns;
        };
        QCOMPARE(ztplatform::lookWithin<int>(1000, [] { return 3; }, counting).value_or(0), 3);
        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto returned = std::make_shared<std::atomic<bool>>(false);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ztplatform::lookWithin<int>(
                         300,
                         [gate, returned] {
                             while (!*gate)
                                 QThread::msleep(5);
                             *returned = true;
                             return 4;
                         },
                         counting)
                         .has_value());
        QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(turns > 0);
        QVERIFY(!*returned); // given up while the look is held
        *gate = true;
        QTRY_VERIFY(*returned);
    }
};

QTEST_GUILESS_MAIN(TestDriveProbe)
#include "test_driveprobe.moc"

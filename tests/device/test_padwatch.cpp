// Whether the pad answers, told without waiting on it; work on the pad is
// waited on no longer than the limit.
#include "device/padwatch.h"
#include "fakedrives.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

class TestPadWatch : public QObject
{
    Q_OBJECT

private slots:
    void rootThatStopsAnswering()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        FakeDriveSource drives;
        PadWatch watch(drives);
        QSignalSpy stopped(&watch, &PadWatch::stoppedAnswering);
        watch.watch(root);
        QCOMPARE(watch.run<int>([] { return 1; }).value_or(0), 1);
        QTest::qWait(PadWatch::LOOK_INTERVAL_MS + 200);
        QVERIFY(watch.answering());

        drives.hang(root);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 1, 60000);
        QVERIFY(clock.elapsed() >= PadWatch::ANSWER_LIMIT_MS - PadWatch::LOOK_INTERVAL_MS);
        QVERIFY(!watch.answering());
        // Nothing more is run, and nobody waits: no other look at the root begins.
        std::atomic<bool> ran{false};
        const int looking = drives.waiting();
        QVERIFY(!watch.run<bool>([&ran] { return ran = true; }).has_value());
        QCOMPARE(drives.waiting(), looking);
        QVERIFY(!ran);

        drives.release(root);
        QTRY_VERIFY_WITH_TIMEOUT(watch.answering(), 60000);
        QCOMPARE(stopped.count(), 1);
        QCOMPARE(watch.run<int>([] { return 2; }).value_or(0), 2);
    }

    // Work that does not return in time makes the pad not answering, though
    // its root still answers a stat; the next look that returns undoes it.
    void workBeyondTheLimit()
    {
        QTemporaryDir dir;
        PadWatch watch(ztplatform::systemDriveSource());
        QSignalSpy stopped(&watch, &PadWatch::stoppedAnswering);
        watch.watch(dir.path());
        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto returned = std::make_shared<std::atomic<bool>>(false);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!watch.run<int>(
                             [gate, returned] {
                                 while (!*gate)
                                     QThread::msleep(5);
                                 *returned = true;
                                 return 3;
                             },
                             300)
                         .has_value());
        QVERIFY(clock.elapsed() >= 300);
        QVERIFY(!*returned); // given up while the work is held
        QCOMPARE(stopped.count(), 1);
        QVERIFY(!watch.answering());
        *gate = true;
        QTRY_VERIFY_WITH_TIMEOUT(watch.answering(), 60000);
        watch.watch(QString());
        QVERIFY(watch.answering());
    }

    // Paced work is waited on for as long as its looks keep returning, the
    // waiter's own turns running meanwhile; one look beyond the limit ends
    // the wait, tells the work it is given up on and the pad not answering.
    void pacedWorkWaitsPerLook()
    {
        QTemporaryDir dir;
        PadWatch watch(ztplatform::systemDriveSource());
        watch.watch(dir.path());
        int turns = 0;
        QElapsedTimer clock;
        clock.start();
        const std::optional<int> done = watch.runPaced<int>(
                [](const PadPace &pace) {
                    for (int look = 0; look < 10; ++look) {
                        QThread::msleep(100);
                        pace.beat();
                    }
                    return 4;
                },
                [&turns](const std::function<bool(int)> &ended) {
                    while (!ended(20))
                        ++turns;
                },
                300);
        QCOMPARE(done.value_or(0), 4);
        QVERIFY(clock.elapsed() >= 1000);
        QVERIFY(turns > 0);
        QVERIFY(watch.answering());

        QSignalSpy stopped(&watch, &PadWatch::stoppedAnswering);
        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto givenUp = std::make_shared<std::atomic<bool>>(false);
        auto returned = std::make_shared<std::atomic<bool>>(false);
        clock.restart();
        QVERIFY(!watch.runPaced<int>(
                              [gate, givenUp, returned](const PadPace &pace) {
                                  pace.beat();
                                  while (!*gate)
                                      QThread::msleep(5);
                                  *givenUp = pace.abandoned();
                                  *returned = true;
                                  return 5;
                              },
                              {}, 300)
                         .has_value());
        QVERIFY(clock.elapsed() >= 300);
        QVERIFY(!*returned); // given up while the work is held
        QCOMPARE(stopped.count(), 1);
        QVERIFY(!watch.answering());
        *gate = true;
        QTRY_VERIFY(*givenUp);
        watch.watch(QString());
    }

    // Work on a paced root beats at each walk below it, and reaches nothing
    // once its pace is abandoned; the root it was made from still does.
    void pacedRootStopsWhenAbandoned()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("SYS"));
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(dir.path());
        const PadPace pace;
        const ztplatform::FolderAnchor paced = pace.paced(root);
        ztplatform::Reach reach = ztplatform::Reach::Outside;
        QVERIFY(paced.openFolder(dir.path() + "/SYS", &reach).isOpen());
        QCOMPARE(reach, ztplatform::Reach::Inside);
        const ztplatform::FolderIdentity sys = ztplatform::identityOf(root.openFolder(dir.path() + "/SYS"));
        QCOMPARE(paced.recheck(sys, dir.path() + "/SYS"), ztplatform::Reach::Inside);

        pace.abandon();
        QVERIFY(!paced.openFolder(dir.path() + "/SYS", &reach).isOpen());
        QCOMPARE(reach, ztplatform::Reach::Missing);
        QCOMPARE(paced.recheck(sys, dir.path() + "/SYS"), ztplatform::Reach::Missing);
        const ztplatform::FolderAnchor copy = paced; // copies keep the pace
        QVERIFY(!copy.openFolder(dir.path() + "/SYS").isOpen());
        QVERIFY(root.openFolder(dir.path() + "/SYS", &reach).isOpen());
        QCOMPARE(reach, ztplatform::Reach::Inside);
    }
};

QTEST_GUILESS_MAIN(TestPadWatch)
#include "test_padwatch.moc"

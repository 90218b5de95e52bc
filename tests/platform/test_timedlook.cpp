#include "platform/timedlook.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace ztplatform;

class TestTimedLook : public QObject
{
    Q_OBJECT

private slots:
    // Waited on while it moves, given up once it stalls; the turns run
    // meanwhile, and a look given up on returns later without harm.
    void lookUntilStalled()
    {
        int turns = 0;
        int asked = 0;
        QCOMPARE(ztplatform::lookUntilStalled<int>(
                         [] { QThread::msleep(100); return 3; }, [&asked] { ++asked; return false; },
                         [&turns] { ++turns; })
                         .value_or(0),
                 3);
        QVERIFY(turns >= 1 && asked == turns);

        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto returned = std::make_shared<std::atomic<bool>>(false);
        QElapsedTimer clock;
        clock.start();
        turns = 0;
        const std::optional<int> stalled = ztplatform::lookUntilStalled<int>(
                [gate, returned] {
                    while (!*gate)
                        QThread::msleep(5);
                    *returned = true;
                    return 4;
                },
                [&clock] { return clock.elapsed() >= 200; }, [&turns] { ++turns; }, 10);
        QVERIFY(!stalled.has_value());
        QVERIFY2(clock.elapsed() >= 200 && clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(turns >= 200 / 10 / 2);
        *gate = true;
        QTRY_VERIFY(*returned);

        // A result that came by the time the stall is seen is taken.
        QCOMPARE(ztplatform::lookUntilStalled<int>(
                         [] { QThread::msleep(60); return 5; },
                         [] { QThread::msleep(200); return true; }, {}, 10)
                         .value_or(0),
                 5);
    }
};

QTEST_GUILESS_MAIN(TestTimedLook)
#include "test_timedlook.moc"

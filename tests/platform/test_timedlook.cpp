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
        int stepMs = 20;
        const ztplatform::Waiter counting = [&turns, &stepMs](const std::function<bool(int)> &ended) {
            while (!ended(stepMs))
                ++turns;
        };
        QCOMPARE(ztplatform::lookUntilStalled<int>(
                         [] { QThread::msleep(100); return 3; }, [&asked] { ++asked; return false; }, counting)
                         .value_or(0),
                 3);
        QVERIFY(turns >= 1 && asked == turns);

        // Stalled once asked after the tenth turn: waited on until then, and
        // given up while the look is still held.
        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto returned = std::make_shared<std::atomic<bool>>(false);
        turns = 0;
        stepMs = 10;
        const std::optional<int> stalled = ztplatform::lookUntilStalled<int>(
                [gate, returned] {
                    while (!*gate)
                        QThread::msleep(5);
                    *returned = true;
                    return 4;
                },
                [&turns] { return turns >= 10; }, counting);
        QVERIFY(!stalled.has_value());
        QCOMPARE(turns, 10);
        QVERIFY(!*returned);
        *gate = true;
        QTRY_VERIFY(*returned);

        // A result that came by the time the stall is seen is taken.
        QCOMPARE(ztplatform::lookUntilStalled<int>(
                         [] { QThread::msleep(60); return 5; },
                         [] { QThread::msleep(200); return true; }, {})
                         .value_or(0),
                 5);
    }

    // Files split across threads: a stretch whose file does not answer is
    // given up on there, the file silent until its look returns; the files
    // before it and the other stretches are answered; turns run meanwhile.
    void filesAcrossThreads()
    {
        const QStringList paths = {QStringLiteral("/a/0"), QStringLiteral("/a/1"), QStringLiteral("/b/2"),
                                   QStringLiteral("/b/3"), QStringLiteral("/c/4"), QStringLiteral("/c/5")};
        auto gate = std::make_shared<std::atomic<bool>>(false);
        auto looks = std::make_shared<std::atomic<int>>(0);
        int turns = 0;
        const auto silent = std::make_shared<SilentFiles>();
        QElapsedTimer clock;
        clock.start();
        const FilesAcross found = lookAtFilesAcross(
                silent, paths, 3, 200,
                [gate, looks](int i) {
                    while (i == 3 && !*gate)
                        QThread::msleep(5);
                    ++*looks;
                },
                [&turns](const std::function<bool(int)> &ended) {
                    while (!ended(10))
                        ++turns;
                });
        QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(turns >= 1);
        QCOMPARE(looks->load(), 5); // given up while the fourth file's look is held
        QVERIFY(!found.allAnswered);
        QCOMPARE(found.answered, (std::vector<bool>{true, true, true, false, true, true}));
        QVERIFY(silent->isSilent(paths.at(3)));
        QCOMPARE(silent->silent(paths), (std::vector<bool>{false, false, false, true, false, false}));
        *gate = true;
        QTRY_VERIFY(!silent->isSilent(paths.at(3)));
        QCOMPARE(looks->load(), 6);
        QCOMPARE(silent->silent(paths), std::vector<bool>(6, false));

        // All answer: each looked at once, whatever the threads.
        for (int threads : {1, 4, 64}) {
            auto seen = std::make_shared<std::vector<std::atomic<int>>>(paths.size());
            const FilesAcross all = lookAtFilesAcross(silent, paths, threads, 1000, [seen](int i) { ++(*seen)[size_t(i)]; }, {});
            QVERIFY(all.allAnswered);
            QCOMPARE(all.answered, std::vector<bool>(6, true));
            for (const std::atomic<int> &n : *seen)
                QCOMPARE(n.load(), 1);
        }
        QVERIFY(lookAtFilesAcross(silent, {}, 4, 1000, [](int) {}, {}).answered.empty());

        // In turn: the look that says stop is where it ends.
        const FilesInTurn stop = lookAtFilesInTurn(silent, paths, 1000, [](int i) { return i == 4; }, {});
        QVERIFY(stop.answered);
        QCOMPARE(stop.at, 4);
    }
};

QTEST_GUILESS_MAIN(TestTimedLook)
#include "test_timedlook.moc"

// A job tells its progress then its end on the thread that made it; the
// window waiting on one paints meanwhile, and once the box shows the box
// holds it; a job that stops reporting is given up on and let go of.
#include "widgets/jobdialog.h"

#include "platform/timedlook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <memory>

using ztplatform::Job;

class TestJobDialog : public QObject
{
    Q_OBJECT

private slots:
    void aJobTellsItsProgressThenItsEnd()
    {
        QStringList told;
        QThread *workThread = nullptr;
        Job job([&workThread](const Job::Report &report) {
            workThread = QThread::currentThread();
            for (int i = 1; i <= 3; ++i)
                report(i, 3);
        });
        QObject::connect(&job, &Job::progress, [&](int done, int total) {
            QCOMPARE(QThread::currentThread(), qApp->thread());
            told << QString("%1/%2").arg(done).arg(total);
        });
        QObject::connect(&job, &Job::finished, [&] { told << "finished"; });
        QSignalSpy ended(&job, &Job::finished);
        QVERIFY(JobDialog::wait(nullptr, QString(), job));
        QVERIFY(workThread != qApp->thread());
        QVERIFY(ended.count() == 1 || ended.wait());
        QVERIFY(told.size() >= 2);
        QCOMPARE(told.mid(told.size() - 2), QStringList({"3/3", "finished"}));
        QCOMPARE(job.reports(), 3);
        QCOMPARE(job.done(), 3);
    }

    void theWindowPaintsWhileAJobIsHeldThenItsBoxHoldsTheWindow()
    {
        QWidget window;
        window.show();
        QSemaphore go;
        Job job([&go](const Job::Report &report) {
            report(1, 4);
            go.acquire();
            report(4, 4);
        });
        int turns = 0;
        QPointer<QProgressDialog> box;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            ++turns;
            for (QProgressDialog *d : window.findChildren<QProgressDialog *>()) {
                if (d->isVisible() && !box) {
                    box = d;
                    QCOMPARE(d->labelText(), QString("Working…"));
                    QCOMPARE(QApplication::activeModalWidget(), d);
                    QCOMPARE(d->value(), 1);
                    QCOMPARE(d->maximum(), 4);
                    go.release(); // only once the box holds the window
                }
            }
        });
        poll.start(10);
        QVERIFY(JobDialog::wait(&window, "Working…", job));
        QVERIFY(turns > 0);
        QVERIFY(job.isFinished());
        QVERIFY(box.isNull()); // the box goes with its job
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The box follows each report inside the report's own delivery: no
    // event of the window is served until that delivery has returned.
    void aJobsBoxMovesWithoutServingEventsItself()
    {
        QWidget window;
        window.show();
        QSemaphore go;
        Job job([&go](const Job::Report &report) {
            report(1, 4);
            go.acquire();
            for (int i = 2; i <= 4; ++i) {
                report(i, 4);
                go.acquire();
            }
        });
        bool delivering = false;
        bool servedInside = false;
        int moves = 0;
        QPointer<QProgressDialog> box;
        // Connected before the box's own connection, then one after it: they
        // bracket the box's move.
        QObject::connect(&job, &Job::progress, [&] { delivering = true; });
        QTimer served;
        QObject::connect(&served, &QTimer::timeout, [&] {
            if (box) {
                servedInside = servedInside || delivering;
                return;
            }
            for (QProgressDialog *d : window.findChildren<QProgressDialog *>()) {
                if (!d->isVisible())
                    continue;
                box = d;
                delivering = false;
                QObject::connect(&job, &Job::progress, [&](int done, int) {
                    QCOMPARE(box->value(), done);
                    delivering = false;
                    ++moves;
                    go.release();
                });
                go.release();
            }
        });
        served.start(0);
        QVERIFY(JobDialog::wait(&window, "Working…", job));
        QCOMPARE(moves, 3);
        QVERIFY(!servedInside);
    }

    void aJobThatStopsReportingIsGivenUpAndLetGoOf()
    {
        auto go = std::make_shared<QSemaphore>();
        auto ended = std::make_shared<std::atomic_bool>(false);
        auto *job = new Job([go, ended](const Job::Report &report) {
            report(0, 0);
            go->acquire();
            *ended = true;
        });
        int turns = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] { ++turns; });
        poll.start(10);
        JobDialog::Limits limits;
        limits.stallMs = 200;
        QVERIFY(!JobDialog::wait(nullptr, QString(), *job, limits));
        QVERIFY(turns > 0);
        QVERIFY(!job->isFinished());
        delete job; // its work goes on with what it captured
        go->release();
        QTRY_VERIFY(ended->load());
    }

    void aLookGivenUpOnIsNotStartedAgainWhileItWaits()
    {
        auto go = std::make_shared<QSemaphore>();
        const QString path = QDir::tempPath() + "/look-held";
        int turns = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] { ++turns; });
        poll.start(10);
        const ztplatform::Waiter wait = JobDialog::waiter();
        const auto silent = std::make_shared<ztplatform::SilentFiles>();
        QVERIFY(!ztplatform::lookAtFileWithin<int>(silent, path, 200, [go] {
                     go->acquire();
                     return 1;
                 }, wait));
        QVERIFY(turns > 0); // the window answered meanwhile
        QVERIFY(silent->isSilent(path));
        QVERIFY(!ztplatform::lookAtFileWithin<int>(silent, path, 200, [] { return 2; }, wait));
        go->release();
        QTRY_VERIFY(!silent->isSilent(path));
        QCOMPARE(ztplatform::lookAtFileWithin<int>(silent, path, 5000, [] { return 3; }, wait), std::optional<int>(3));
    }

    // A close of the main window asked while a wait holds it is put off, and
    // asked again once the outermost hold is gone: only then does it close.
    void aCloseAskedDuringAHoldComesOnceTheHoldsAreGone()
    {
        QMainWindow window;
        window.show();
        QStringList told;
        {
            const JobDialog::CloseHold outer;
            {
                const JobDialog::CloseHold inner;
                QVERIFY(!window.close());
                told << "asked";
            }
            QCoreApplication::processEvents();
            QVERIFY(window.isVisible()); // handed to the outer hold
            told << "inner gone";
        }
        QTRY_VERIFY(!window.isVisible());
        told << "closed";
        QCOMPARE(told, QStringList({"asked", "inner gone", "closed"}));

        // A step box shows and moves without serving events: a close asked
        // meanwhile waits for the next wait, which puts it off until it ends.
        window.show();
        JobDialog *box = JobDialog::stepBox(&window, "Please wait...", "Working…");
        box->showAt(1);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QString("Please wait..."));
        QCOMPARE(QApplication::activeModalWidget(), box);
        QCoreApplication::postEvent(&window, new QCloseEvent);
        box->move(3, 10);
        QCOMPARE(box->maximum(), 10);
        QCOMPARE(box->value(), 3);
        QVERIFY(window.isVisible());
        box->hide();
        QVERIFY(!box->isVisible());
        int asked = 0;
        JobDialog::waitUntil([&asked](int) { return ++asked > 2; }); // the next wait serves it, put off
        QTRY_VERIFY(!window.isVisible());
        box->show(); // unlike a job's box, a step box closes when asked
        QVERIFY(box->close());
        QVERIFY(!box->isVisible());
        delete box;
    }

    // A step box moves without serving the window's events: one posted
    // before runs only once the window serves them again.
    void aStepBoxMovesWithoutServingEvents()
    {
        QMainWindow window;
        window.show();
        std::unique_ptr<JobDialog> box(JobDialog::stepBox(&window, "Please wait...", "Working…"));
        box->showAt(2);
        QTest::qWait(30); // what the box does by itself once shown is over
        QStringList told;
        QTimer::singleShot(0, &window, [&told] { told << "served"; });
        for (int v = 3; v <= 40; ++v)
            box->move(v, 100);
        box->move(99);
        told << "moved";
        QCOMPARE(box->value(), 99);
        QVERIFY(box->isVisible());
        QTRY_COMPARE(told, QStringList({"moved", "served"}));
    }

    // A bar moved in quick steps takes every value as it comes, but paints
    // only now and then: the last value it holds, and its end at once.
    void aStepBoxMovedInQuickStepsPaintsItsLastValue()
    {
        QMainWindow window;
        window.show();
        std::unique_ptr<JobDialog> box(JobDialog::stepBox(&window, "Please wait...", "Working…"));
        box->showAt(0);
        auto *bar = box->findChild<QProgressBar *>();
        QVERIFY(bar);
        QVector<int> taken, painted;
        connect(bar, &QProgressBar::valueChanged, [&](int v) { taken.append(v); });
        struct Paints : QObject
        {
            QVector<int> *painted = nullptr;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    painted->append(static_cast<QProgressBar *>(o)->value());
                return false;
            }
        } paints;
        paints.painted = &painted;
        bar->installEventFilter(&paints);
        QVector<int> moves;
        for (int v = 1; v <= 40; ++v) {
            box->move(v, 100);
            moves.append(v);
        }
        QCOMPARE(taken, moves);
        QCOMPARE(box->value(), 40);
        QTRY_VERIFY(!painted.isEmpty() && painted.last() == 40);
        QVERIFY(std::is_sorted(painted.begin(), painted.end()));
        box->move(99);
        box->move(100);
        QCOMPARE(painted.last(), 100); // the end is painted before the box goes
        QVERIFY(!box->isVisible());
    }
};

QTEST_MAIN(TestJobDialog)
#include "test_jobdialog.moc"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/selectkitno.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};
} // namespace

// The main window's kit selection dialog: made once, and wired both ways.
class TestSelectKitWiring : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;
    NoDrives m_drives;
    MainWindow1 *w = nullptr;

    // Runs the dialog the way the kit save does, answering with the given button clicks.
    void runSave(const QStringList &clicks)
    {
        emit w->sendKitNameList(w->doc().kitNameList());
        w->shell().skn()->initKitIndex();
        emit w->sendKitIndexList(w->doc().kitIndexList());
        SelectKitNo *dialog = w->shell().skn();
        QTimer::singleShot(0, dialog, [dialog, clicks]() {
            for (const QString &name : clicks)
                QTest::mouseClick(dialog->findChild<QAbstractButton *>(name), Qt::LeftButton);
        });
        dialog->exec();
    }

private slots:
    void initTestCase()
    {
        ztInitResources();
        ztplatform::setDriveSource(&m_drives);
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
        w = new MainWindow1;
        w->shell().skipSoundListOnClose();
    }

    void cleanupTestCase()
    {
        delete w;
        QDir::setCurrent(m_oldDir);
        ztplatform::setDriveSource(nullptr);
    }

    void dialogIsMadeWithoutParent()
    {
        QVERIFY(w->shell().skn());
        QVERIFY(!w->shell().skn()->parent());
        QVERIFY(!w->shell().skn()->isVisible());
        QCOMPARE(w->shell().skn()->windowTitle(), QString("Save File"));
    }

    void windowFeedsTheDialog()
    {
        QVector<QString> names = {"One", "Two", "Three"};
        emit w->sendKitNameList(names);
        QCOMPARE(w->shell().skn()->kitNames(), names);
        w->shell().skn()->initKitIndex();
        emit w->sendKitIndexList(QVector<int>{1, 0, 1});
        QCOMPARE(w->shell().skn()->kitIndexes().mid(0, 3), QVector<int>({1, 0, 1}));
    }

    void okSendsTheChoiceBack()
    {
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 1));
        w->shell().answerKitChoice(false);
        runSave({"selAllRadioButton", "btnSure"});
        QVERIFY(w->shell().isSaveClose());
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 0));
    }

    void cancelAnswersFalseAndKeepsTheChoice()
    {
        QVector<int> marks(100, 1);
        marks[41] = 0;
        w->doc().takeKitSelection(marks);
        w->shell().answerKitChoice(true);
        runSave({"selEmpRadioButton", "btnCancel"});
        QVERIFY(!w->shell().isSaveClose());
        QCOMPARE(w->doc().kitIndexList().count(0), 1);
        QCOMPARE(w->doc().kitIndexList()[41], 0);
    }

    void okWithNothingChosenAnswersFalse()
    {
        w->shell().answerKitChoice(true);
        runSave({"selEmpRadioButton", "btnSure"});
        QVERIFY(!w->shell().isSaveClose());
        QCOMPARE(w->doc().kitIndexList()[41], 0);
    }
};

QTEST_MAIN(TestSelectKitWiring)
#include "test_selectkitwiring.moc"

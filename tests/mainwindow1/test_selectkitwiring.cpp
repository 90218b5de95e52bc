#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"
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
    ScriptedPrompter m_prompter;
    MainWindow1 *w = nullptr;

    // Runs the dialog the way the kit save does, answering with the given button clicks.
    void runSave(const QStringList &clicks)
    {
        emit w->setupFiles().kitChoiceNames(w->doc().kitNameList());
        w->setupFiles().skn()->initKitIndex();
        emit w->setupFiles().kitChoiceIndexes(w->doc().kitIndexList());
        SelectKitNo *dialog = w->setupFiles().skn();
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
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
        w = new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}});
        w->soundLists().setWriteSoundListOnClose(false);
    }

    void cleanupTestCase()
    {
        delete w;
        QDir::setCurrent(m_oldDir);
    }

    void dialogIsMadeWithoutParent()
    {
        QVERIFY(w->setupFiles().skn());
        QVERIFY(!w->setupFiles().skn()->parent());
        QVERIFY(!w->setupFiles().skn()->isVisible());
        QCOMPARE(w->setupFiles().skn()->windowTitle(), QString("Save File"));
    }

    void windowFeedsTheDialog()
    {
        QVector<QString> names = {"One", "Two", "Three"};
        emit w->setupFiles().kitChoiceNames(names);
        QCOMPARE(w->setupFiles().skn()->kitNames(), names);
        w->setupFiles().skn()->initKitIndex();
        emit w->setupFiles().kitChoiceIndexes(QVector<int>{1, 0, 1});
        QCOMPARE(w->setupFiles().skn()->kitIndexes().mid(0, 3), QVector<int>({1, 0, 1}));
    }

    void okSendsTheChoiceBack()
    {
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 1));
        w->setupFiles().kitChoiceClosed(false); // as a kit choice answered before
        runSave({"selAllRadioButton", "btnSure"});
        QVERIFY(w->setupFiles().isSaveClose());
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 0));
    }

    void cancelAnswersFalseAndKeepsTheChoice()
    {
        QVector<int> marks(100, 1);
        marks[41] = 0;
        w->doc().takeKitSelection(marks);
        w->setupFiles().kitChoiceClosed(true); // as a kit choice answered before
        runSave({"selEmpRadioButton", "btnCancel"});
        QVERIFY(!w->setupFiles().isSaveClose());
        QCOMPARE(w->doc().kitIndexList().count(0), 1);
        QCOMPARE(w->doc().kitIndexList()[41], 0);
    }

    void okWithNothingChosenAnswersFalse()
    {
        w->setupFiles().kitChoiceClosed(true); // as a kit choice answered before
        runSave({"selEmpRadioButton", "btnSure"});
        QVERIFY(!w->setupFiles().isSaveClose());
        QCOMPARE(w->doc().kitIndexList()[41], 0);
    }
};

QTEST_MAIN(TestSelectKitWiring)
#include "test_selectkitwiring.moc"

#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

class TestCopyDialogs : public QObject
{
    Q_OBJECT

private:
    template <typename T>
    static T *child(QWidget *dialog, const char *name)
    {
        T *w = dialog->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("missing child %s", name);
        return w;
    }

private slots:
    void kitLabels_data();
    void kitLabels();
    void kitDialogForm();
    void kitDialogOkAndCancel();
    void kitDialogTitleBarCloseSendsNothing();
    void padDialogForm();
    void padDialogOk();
    void padDialogCancel();
    void padDialogRejectsPadAboveNine();
    void padDialogKeepsLastValues();
};

void TestCopyDialogs::kitLabels_data()
{
    QTest::addColumn<int>("kit");
    QTest::addColumn<QString>("label");
    QTest::newRow("1") << 1 << "K001";
    QTest::newRow("7") << 7 << "K007";
    QTest::newRow("9") << 9 << "K009";
    QTest::newRow("10") << 10 << "K010";
    QTest::newRow("42") << 42 << "K042";
    QTest::newRow("99") << 99 << "K099";
    QTest::newRow("100") << 100 << "K100";
}

void TestCopyDialogs::kitLabels()
{
    QFETCH(int, kit);
    QFETCH(QString, label);
    CopyKitFunc dialog;
    dialog.recvSrcKit1(kit);
    QCOMPARE(child<QLabel>(&dialog, "labKitName")->text(), label);
    QCOMPARE(child<QSpinBox>(&dialog, "srcKitBox")->value(), kit);

    CopyPadFunc padDialog;
    padDialog.recvSrcPad(kit, 2);
    QCOMPARE(child<QLabel>(&padDialog, "current_kit_num")->text(), label);
}

void TestCopyDialogs::kitDialogForm()
{
    CopyKitFunc dialog;
    QCOMPARE(dialog.windowTitle(), QString("Kit Copy"));
    QCOMPARE(dialog.size(), QSize(296, 114));
    QVERIFY(!dialog.isModal());
    QCOMPARE(child<QLabel>(&dialog, "labKitName")->text(), QString("K001"));
    QCOMPARE(child<QLabel>(&dialog, "label")->text(), QString("Kit"));
    QCOMPARE(child<QLabel>(&dialog, "label_3")->text(), QString("to Kit"));
    QCOMPARE(child<QPushButton>(&dialog, "btnKitOk")->text(), QString("OK"));
    QCOMPARE(child<QPushButton>(&dialog, "btnKitNo")->text(), QString("Cancel"));
    for (const char *name : {"srcKitBox", "dstKitBox"}) {
        QSpinBox *box = child<QSpinBox>(&dialog, name);
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), 100);
        QCOMPARE(box->value(), 1);
        QVERIFY(box->minimumWidth() >= 80 && box->minimumHeight() >= 28);
    }
    QVERIFY(!child<QSpinBox>(&dialog, "srcKitBox")->isEnabled());
    QVERIFY(child<QSpinBox>(&dialog, "dstKitBox")->isEnabled());
    QCOMPARE(child<QLabel>(&dialog, "labKitName")->font().pointSize(), 13);
    QVERIFY(child<QLabel>(&dialog, "labKitName")->font().bold());
    QCOMPARE(child<QPushButton>(&dialog, "btnKitOk")->font().family(), QString("Microsoft YaHei"));
}

void TestCopyDialogs::kitDialogOkAndCancel()
{
    CopyKitFunc dialog;
    QSignalSpy spy(&dialog, &CopyKitFunc::sendDstKit);
    bool shownWhileAnswering = false;
    connect(&dialog, &CopyKitFunc::sendDstKit, this, [&] { shownWhileAnswering = dialog.isVisible(); });

    dialog.recvSrcKit1(12);
    dialog.show();
    child<QSpinBox>(&dialog, "dstKitBox")->setValue(57);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnKitOk"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 57);
    QVERIFY(shownWhileAnswering);
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QCOMPARE(child<QSpinBox>(&dialog, "dstKitBox")->value(), 57);
    QCOMPARE(child<QLabel>(&dialog, "labKitName")->text(), QString("K012"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnKitNo"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 0);
    QVERIFY(!dialog.isVisible());
}

void TestCopyDialogs::kitDialogTitleBarCloseSendsNothing()
{
    CopyKitFunc kitDialog;
    QSignalSpy kitSpy(&kitDialog, &CopyKitFunc::sendDstKit);
    kitDialog.show();
    QVERIFY(kitDialog.close());
    kitDialog.show();
    QTest::keyClick(&kitDialog, Qt::Key_Escape);
    QVERIFY(!kitDialog.isVisible());
    QCOMPARE(kitSpy.count(), 0);

    CopyPadFunc padDialog;
    QSignalSpy padSpy(&padDialog, &CopyPadFunc::sendDstPad);
    padDialog.show();
    QVERIFY(padDialog.close());
    QCOMPARE(padSpy.count(), 0);
}

void TestCopyDialogs::padDialogForm()
{
    CopyPadFunc dialog;
    QCOMPARE(dialog.windowTitle(), QString("Pad Copy"));
    QCOMPARE(dialog.size(), QSize(296, 106));
    QVERIFY(child<QLabel>(&dialog, "current_kit_num")->text().isEmpty());
    QCOMPARE(child<QLabel>(&dialog, "current_kit_num")->font().pointSize(), 14);
    QCOMPARE(child<QLabel>(&dialog, "label")->text(), QString("Pad"));
    QCOMPARE(child<QLabel>(&dialog, "label_3")->text(), QString("to Pad"));
    QCOMPARE(child<QPushButton>(&dialog, "btnYes")->text(), QString("OK"));
    QCOMPARE(child<QPushButton>(&dialog, "btnNo")->text(), QString("Cancel"));
    for (const char *name : {"srcValue", "dstValue"}) {
        QSpinBox *box = child<QSpinBox>(&dialog, name);
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), 9);
        QCOMPARE(box->value(), 1);
    }
    QVERIFY(!child<QSpinBox>(&dialog, "srcValue")->isEnabled());
}

void TestCopyDialogs::padDialogOk()
{
    CopyPadFunc dialog;
    QSignalSpy spy(&dialog, &CopyPadFunc::sendDstPad);
    dialog.recvSrcPad(3, 5);
    QCOMPARE(child<QSpinBox>(&dialog, "srcValue")->value(), 5);
    QCOMPARE(child<QLabel>(&dialog, "current_kit_num")->text(), QString("K003"));
    dialog.show();
    child<QSpinBox>(&dialog, "dstValue")->setValue(4);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnYes"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QList<QVariant>{3, 5, 4}));
    QVERIFY(!dialog.isVisible());
}

void TestCopyDialogs::padDialogCancel()
{
    CopyPadFunc dialog;
    QSignalSpy spy(&dialog, &CopyPadFunc::sendDstPad);
    dialog.recvSrcPad(8, 2);
    dialog.show();
    child<QSpinBox>(&dialog, "dstValue")->setValue(6);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnNo"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QList<QVariant>{0, 0, 0}));
    QVERIFY(!dialog.isVisible());
}

void TestCopyDialogs::padDialogRejectsPadAboveNine()
{
    CopyPadFunc dialog;
    dialog.show();
    QSpinBox *box = child<QSpinBox>(&dialog, "dstValue");
    box->setValue(12);
    QCOMPARE(box->value(), 9);

    box->setValue(4);
    QLineEdit *edit = box->findChild<QLineEdit *>();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    QVERIFY(box->value() <= 9);
    QVERIFY(edit->text() != "12");
}

void TestCopyDialogs::padDialogKeepsLastValues()
{
    CopyPadFunc dialog;
    QSignalSpy spy(&dialog, &CopyPadFunc::sendDstPad);
    dialog.recvSrcPad(42, 7);
    dialog.show();
    child<QSpinBox>(&dialog, "dstValue")->setValue(2);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnYes"), Qt::LeftButton);

    // Reopened without a new source: same source, last destination.
    dialog.show();
    QCOMPARE(child<QSpinBox>(&dialog, "dstValue")->value(), 2);
    QCOMPARE(child<QLabel>(&dialog, "current_kit_num")->text(), QString("K042"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnYes"), Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1), (QList<QVariant>{42, 7, 2}));
}

QTEST_MAIN(TestCopyDialogs)
#include "test_copydialogs.moc"

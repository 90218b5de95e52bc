// The export report and the import tip dialogs.
#include "widgets/customdialog.h"
#include "widgets/importtip.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class TestReportDialogs : public QObject
{
    Q_OBJECT

private slots:
    void exportReport()
    {
        CustomDialog d;
        auto *text = d.findChild<QTextEdit *>("textEdit");
        QCOMPARE(d.windowTitle(), QString("Export Sound"));
        QCOMPARE(d.size(), QSize(421, 250));
        QVERIFY(text->isReadOnly() && text->toPlainText().isEmpty());
        d.recvSoundExportList({"a.wav"}, "/x/out");
        QCOMPARE(text->toPlainText(), QString("a.wav\nis successfully exported.\nFile location:\n/x/out"));
        d.recvSoundExportList({}, "/x/out");
        QCOMPARE(text->toPlainText(), QString("\nis successfully exported.\nFile location:\n/x/out"));

        QSignalSpy ok(&d, &CustomDialog::sendOK);
        d.show();
        d.close(); // the title bar's close says nothing
        QCOMPARE(ok.size(), 0);
        d.show();
        d.findChild<QPushButton *>("btnOKSucc")->click();
        QCOMPARE(ok.size(), 1);
        QVERIFY(!d.isVisible());
    }

    void importTip()
    {
        ImportTip tip;
        QCOMPARE(tip.windowTitle(), QString("Warning"));
        auto *text = tip.findChild<QTextEdit *>("textEdit");
        QVERIFY(text->isReadOnly() && text->toPlainText().isEmpty());
        tip.recvTipMes("first");
        tip.recvTipMes("Replace the sounds?");
        QCOMPARE(text->toPlainText(), QString("Replace the sounds?"));
        QSignalSpy answers(&tip, &ImportTip::sendYesOrNo);
        tip.show();
        tip.findChild<QPushButton *>("btnYes")->click();
        QVERIFY(!tip.isVisible());
        tip.show();
        tip.findChild<QPushButton *>("btnNo")->click();
        QCOMPARE(answers.size(), 2);
        QCOMPARE(answers.at(0).first().toInt(), 1);
        QCOMPARE(answers.at(1).first().toInt(), 0);
    }
};

QTEST_MAIN(TestReportDialogs)
#include "test_reportdialogs.moc"

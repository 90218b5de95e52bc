// The export report dialog.
#include "widgets/customdialog.h"

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
};

QTEST_MAIN(TestReportDialogs)
#include "test_reportdialogs.moc"

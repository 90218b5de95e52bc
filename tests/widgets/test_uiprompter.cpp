#include "widgets/dialogs/uiprompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestUiPrompter : public QObject
{
    Q_OBJECT

private slots:
    void scriptedAnswersAndRecords()
    {
        QVERIFY(dynamic_cast<QtUiPrompter *>(UiPrompter::instance()));
        {
            ScriptedPrompter p;
            QCOMPARE(UiPrompter::instance(), &p);
            // Default answers: the default button, else Ok, else Yes.
            QCOMPARE(UiPrompter::instance()->warning(nullptr, "Warning", "w"), QMessageBox::Ok);
            QCOMPARE(UiPrompter::instance()->question(nullptr, "Confirm", "Quit?", QMessageBox::Yes | QMessageBox::No,
                                                      QMessageBox::No),
                     QMessageBox::No);
            QCOMPARE(UiPrompter::instance()->question(nullptr, "Confirm", "q"), QMessageBox::Yes);
            p.buttonAnswers.enqueue(QMessageBox::Cancel);
            QCOMPARE(UiPrompter::instance()->critical(nullptr, "Error", "c"), QMessageBox::Cancel);
            QCOMPARE(UiPrompter::instance()->information(nullptr, "Information", "i"), QMessageBox::Ok);
            p.fileAnswers.enqueue({"/x/a.wav", "/x/b.wav"});
            QCOMPARE(UiPrompter::instance()->getOpenFileNames(nullptr, "Import", "/x", "*.wav"),
                     (QStringList{"/x/a.wav", "/x/b.wav"}));
            QCOMPARE(UiPrompter::instance()->getSaveFileName(nullptr, "Output", "/docs/Global", "ini files(*.ini)"),
                     QString());
            QCOMPARE(p.titles(), (QStringList{"Warning", "Confirm", "Confirm", "Error", "Information"}));
            QCOMPARE(p.texts(), (QStringList{"w", "Quit?", "q", "c", "i"}));
            QCOMPARE(p.prompts.size(), 7);
            QCOMPARE(p.prompts[1].defaultButton, QMessageBox::No);
            QCOMPARE(p.prompts[6].kind, ScriptedPrompter::SaveFile);
            QCOMPARE(p.prompts[6].title, QString("Output"));
            QCOMPARE(p.prompts[6].filter, QString("ini files(*.ini)"));
            {
                ScriptedPrompter inner; // nests and restores
                QCOMPARE(UiPrompter::instance(), &inner);
            }
            QCOMPARE(UiPrompter::instance(), &p);
        }
        QVERIFY(dynamic_cast<QtUiPrompter *>(UiPrompter::instance()));
    }

    void realMessageBox()
    {
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QAbstractButton *defaultButton = nullptr;
        QMessageBox::StandardButton defaultKind = QMessageBox::NoButton;
        QTimer::singleShot(50, [&]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            defaultButton = box->defaultButton();
            defaultKind = box->standardButton(defaultButton);
            box->button(QMessageBox::Yes)->click();
        });
        const QMessageBox::StandardButton answer = UiPrompter::instance()->question(
                nullptr, "Confirm", "Quit?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        QCOMPARE(answer, QMessageBox::Yes);
        QCOMPARE(title, QString("Confirm"));
        QCOMPARE(text, QString("Quit?"));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(defaultKind, QMessageBox::No);
    }

    void realFileDialog()
    {
        QTemporaryDir dir;
        QString caption;
        QTimer::singleShot(50, [&]() {
            auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            caption = dlg->windowTitle();
            dlg->reject();
        });
        const QString answer = UiPrompter::instance()->getSaveFileName(
                nullptr, "Output", dir.path() + "/Global", "ini files(*.ini)", nullptr,
                QFileDialog::DontUseNativeDialog);
        QVERIFY(answer.isEmpty());
        QCOMPARE(caption, QString("Output"));
    }
};

QTEST_MAIN(TestUiPrompter)
#include "test_uiprompter.moc"

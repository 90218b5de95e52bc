#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"

#include <QApplication>
#include <QDrag>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

class TestUiPrompter : public QObject
{
    Q_OBJECT

private slots:
    void scriptedAnswersAndRecords()
    {
        {
            ScriptedPrompter p;
            // Default answers: the default button, else Ok, else Yes.
            QCOMPARE(p.warning(nullptr, "Warning", "w"), QMessageBox::Ok);
            QCOMPARE(p.question(nullptr, "Confirm", "Quit?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
                     QMessageBox::No);
            QCOMPARE(p.question(nullptr, "Confirm", "q"), QMessageBox::Yes);
            p.buttonAnswers.enqueue(QMessageBox::Cancel);
            QCOMPARE(p.warning(nullptr, "Error", "c"), QMessageBox::Cancel);
            QCOMPARE(p.information(nullptr, "Information", "i"), QMessageBox::Ok);
            p.fileAnswers.enqueue({"/x/a.wav", "/x/b.wav"});
            QCOMPARE(p.getOpenFileNames(nullptr, "Import", "/x", "*.wav"), (QStringList {"/x/a.wav", "/x/b.wav"}));
            QCOMPARE(p.getSaveFileName(nullptr, "Output", "/docs/Global", "ini files(*.ini)"), QString());
            QCOMPARE(p.titles(), (QStringList{"Warning", "Confirm", "Confirm", "Error", "Information"}));
            QCOMPARE(p.texts(), (QStringList{"w", "Quit?", "q", "c", "i"}));
            QCOMPARE(p.prompts.size(), 7);
            QCOMPARE(p.prompts[1].defaultButton, QMessageBox::No);
            QCOMPARE(p.prompts[6].kind, ScriptedPrompter::SaveFile);
            QCOMPARE(p.prompts[6].title, QString("Output"));
            QCOMPARE(p.prompts[6].filter, QString("ini files(*.ini)"));
            // A reset forgets what was shown and what was queued.
            p.buttonAnswers.enqueue(QMessageBox::Cancel);
            p.textAnswers.enqueue({"typed", true});
            p.reset();
            QVERIFY(p.prompts.isEmpty() && p.buttonAnswers.isEmpty() && p.textAnswers.isEmpty());
            QCOMPARE(p.warning(nullptr, "Error", "c"), QMessageBox::Ok);
            bool ok = true;
            QCOMPARE(p.getText(nullptr, "Name", "label", "start", &ok), QString());
            QVERIFY(!ok);
            // A drag is answered by onDrag, never by the mouse; without it nothing is dropped.
            QWidget source;
            QDrag drag(&source);
            QCOMPARE(p.runDrag(&drag, Qt::MoveAction), Qt::IgnoreAction);
            int dragged = 0;
            p.onDrag = [&dragged](QDrag *, Qt::DropActions supported) {
                ++dragged;
                return supported == Qt::MoveAction ? Qt::MoveAction : Qt::IgnoreAction;
            };
            QCOMPARE(p.runDrag(&drag, Qt::MoveAction), Qt::MoveAction);
            p.reset();
            QCOMPARE(p.runDrag(&drag, Qt::MoveAction), Qt::IgnoreAction);
            QCOMPARE(dragged, 1);
        }
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
        QtUiPrompter real;
        const QMessageBox::StandardButton answer =
                real.question(nullptr, "Confirm", "Quit?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        QCOMPARE(answer, QMessageBox::Yes);
        QCOMPARE(title, QString("Confirm"));
        QCOMPARE(text, QString("Quit?"));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(defaultKind, QMessageBox::No);
    }

    // A box's icon follows its title; a detailed box keeps the whole text
    // behind its details button, and a prompter without details shows the box.
    void iconsAndDetails()
    {
        {
            ScriptedPrompter p;
            p.information(nullptr, "Error", "refused");
            p.information(nullptr, "Warning", "w");
            p.warning(nullptr, "Tip", "t");
            p.warning(nullptr, "successfully saved.", "s");
            p.question(nullptr, "Error", "q?");
            p.detailedBox(UiPrompter::Warning, nullptr, "Warning", "cut", "whole");
            QVector<UiPrompter::Kind> kinds;
            for (const ScriptedPrompter::Prompt &prompt : qAsConst(p.prompts))
                kinds << prompt.kind;
            QCOMPARE(kinds, QVector<UiPrompter::Kind>({UiPrompter::Critical, UiPrompter::Warning,
                                                       UiPrompter::Information, UiPrompter::Warning,
                                                       UiPrompter::Question, UiPrompter::Warning}));
            QCOMPARE(p.prompts.last().details, QString("whole"));
            QCOMPARE(p.prompts.first().details, QString());
        }
        QString details;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(50, [&]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            details = box->detailedText();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        QtUiPrompter real;
        QCOMPARE(real.detailedBox(UiPrompter::Information, nullptr, "Error", "cut", "whole"), QMessageBox::Ok);
        QCOMPARE(details, QString("whole"));
        QCOMPARE(icon, QMessageBox::Critical);
    }

    // A renamed-name line reads "from" -> "to" from the left whatever the
    // names' script; the same line without isolates would read backwards.
    void renamedNamesReadInOrder()
    {
        const QString hebrew = QString::fromUtf8("תוף");
        auto xOf = [](const QString &line, const QString &part) {
            QTextLayout layout(line, QApplication::font());
            QTextOption option;
            option.setTextDirection(Qt::LayoutDirectionAuto);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine l = layout.createLine();
            layout.endLayout();
            const int at = line.indexOf(part);
            // the left edge of the part, whichever way it runs
            return qMin(l.cursorToX(at), l.cursorToX(at + part.size()));
        };
        const QString isolated = namerules::nameChangeLine({hebrew, "twp"});
        QVERIFY(xOf(isolated, hebrew) < xOf(isolated, "twp"));
        const QString plain = "\"" + hebrew + QString::fromUtf8("\" → \"twp\"");
        QVERIFY(xOf(plain, hebrew) > xOf(plain, "twp"));

        // A long name is cut in the middle; the box's details hold it whole.
        const QString longName = QString(100, 'a') + QString(100, 'b');
        QString details;
        const QString text = namerules::nameChangesText("Lead:", "Unique:", {{longName, "aaaa"}}, 25, &details);
        QVERIFY(!text.contains(longName) && text.contains(QString(19, 'a') + QChar(0x2026) + QString(20, 'b')));
        QVERIFY(details.contains(QChar(0x2068) + longName + QChar(0x2069)));
        namerules::nameChangesText("Lead:", "Unique:", {{"short", "s"}}, 25, &details);
        QVERIFY(details.isEmpty());
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
        QtUiPrompter real;
        const QString answer = real.getSaveFileName(nullptr, "Output", dir.path() + "/Global", "ini files(*.ini)",
                                                    nullptr, QFileDialog::DontUseNativeDialog);
        QVERIFY(answer.isEmpty());
        QCOMPARE(caption, QString("Output"));
    }
};

QTEST_MAIN(TestUiPrompter)
#include "test_uiprompter.moc"

// The menu actions, the save's kit choice, "Back to Main Interface", the help
// page and the left top bar's size on repaint.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "widgets/selectkitno.h"
#include "windowfixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QSplitter>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// A help page beside the test program for as long as it lives.
struct PageBeside
{
    QString path;
    explicit PageBeside(const QString &name)
        : path(QCoreApplication::applicationDirPath() + '/' + name)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("<html></html>");
    }
    ~PageBeside() { QFile::remove(path); }
};
} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    // Two of the actions are hidden, and so disabled, from the start.
    const QString kUnlocked = "101110";

    // "1" for each of the six controls of the save's lock-out that is enabled, in order.
    QString lockout()
    {
        Ui::MainWindow1 *ui = f->ui;
        QString out;
        for (bool on : {ui->topWidget->isEnabled(), ui->actionGlobal_Setting->isEnabled(),
                        ui->actionKit_Setiing->isEnabled(), ui->actionImport_All->isEnabled(),
                        ui->actionExport_All->isEnabled(), ui->actionBack_to_main_interface->isEnabled()})
            out += on ? '1' : '0';
        return out;
    }
    // Answers the kit dialog with the given buttons once it runs; records the lock-out then.
    void answerKitDialog(const QStringList &clicks, QString *seen)
    {
        SelectKitNo *dialog = f->w->setupFiles().skn();
        QTimer::singleShot(0, dialog, [this, dialog, clicks, seen]() {
            *seen = lockout();
            for (const QString &name : clicks)
                QTest::mouseClick(dialog->findChild<QAbstractButton *>(name), Qt::LeftButton);
        });
    }

private slots:
    void init()
    {
        f.reset(new WindowFixture);
        QCOMPARE(lockout(), kUnlocked);
    }
    void cleanup() { f.reset(); }

    void fileMenuSetsProjectFlagAround()
    {
        MainWindow1 *w = f->w;
        // The window's projectFlag whenever a box is shown: "1" or "0" per box.
        ScriptedPrompter &prompter = f->prompter;
        prompter.reset();
        QString flags;
        prompter.onPrompt = [&](const ScriptedPrompter::Prompt &) {
            flags += w->setupFiles().projectFlag() ? '1' : '0';
        };
        const auto unhook = qScopeGuard([&prompter] { prompter.onPrompt = nullptr; });
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        f->ui->actionImport_All->trigger();
        QCOMPARE(prompter.texts(), QStringList({"In USB device mode, import files are not supported."}));
        QCOMPARE(flags, QString("1"));
        QVERIFY(!w->setupFiles().projectFlag());
        f->ui->btnLoadFile->click();
        QCOMPARE(flags, QString("10"));

        // Export All writes the whole setup: no kit choice.
        QSignalSpy names(&w->setupFiles(), &SetupFilesController::kitChoiceNames);
        f->ui->actionExport_All->trigger();
        QCOMPARE(names.count(), 0);
        QVERIFY(!w->setupFiles().projectFlag());
        QCOMPARE(lockout(), kUnlocked);
    }

    void saveKitChainAsksForKits()
    {
        MainWindow1 *w = f->w;
        f->ui->btnKitChain->click();
        QString seen;
        answerKitDialog({"btnCancel"}, &seen);
        f->ui->btnKitChainSave->click();
        QCOMPARE(seen, QString("000000"));
        QCOMPARE(f->prompter.titles() + f->prompter.texts(), QStringList({"Tip", "Failed to generate file."}));
        QCOMPARE(lockout(), kUnlocked);

        f->prompter.clear();
        w->doc().takeKitSelection(QVector<int>(100, 1));
        answerKitDialog({"selAllRadioButton", "btnSure"}, &seen);
        f->ui->btnKitChainSave->click(); // then asks for the file, here answered with none
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 0));
        QVERIFY(w->setupFiles().isSaveClose());
        QCOMPARE(lockout(), kUnlocked);
        QVERIFY(!w->setupFiles().projectFlag());
    }

    void saveTakesThePageEditsFirst()
    {
        f->openKitPage(6);
        f->ui->kitVolumeSpinBox->setValue(31);
        QString seen;
        answerKitDialog({"btnCancel"}, &seen);
        f->ui->btnSave->click();
        QCOMPARE(f->kit(6).kit_volume, quint8(31));
        QCOMPARE(f->prompter.texts(), QStringList({"Failed to generate file."}));
    }

    void backToMainInterfaceCommitsFirst()
    {
        MainWindow1 *w = f->w;
        f->openKitPage(100);
        f->ui->kitVolumeSpinBox->setValue(42);
        f->editKit(100, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Last"; });
        f->ui->actionGlobal_Setting->trigger();
        QCOMPARE(f->ui->stackedWidget->currentIndex(), 1);
        f->ui->actionBack_to_main_interface->trigger();
        QCOMPARE(f->kit(100).kit_volume, quint8(42));
        QCOMPARE(f->ui->kitNumber->text(), QString("100"));
        QCOMPARE(int(w->mainPadPage().currentKitNum()), 99);
        QCOMPARE(f->ui->labPad01a->text(), QString("Last"));
        QCOMPARE(f->ui->stackedWidget->currentIndex(), 0);

        // The hidden "Sound Kit Interface" action and the pad commit nothing connects.
        f->typeKitNumber("6");
        f->ui->actionKit_Setiing->trigger();
        QCOMPARE(f->ui->kitNoSpinBox->value(), 6);
        QCOMPARE(f->ui->stackedWidget->currentIndex(), 1);
        f->ui->padNoComboBox->setCurrentIndex(2);
        f->ui->midiCodeSpinBox->setValue(77);
        w->kitPages().savePadSet(w->kitPages().padOnPage());
        QCOMPARE(int(f->kit(6).kpadChunk[2].midi_code), 77);
    }

    void helpPageOfTheLanguage()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        QCOMPARE(f->w->shell().cnOrEn(), 1); // a window the start-up did not make
        f->w->shell().setCnOrEn(0);
        f->ui->actionAbout_Korvanta->trigger(); // no page beside the program
        QVERIFY(recorder.urls.isEmpty());
        QCOMPARE(f->prompter.titles() + f->prompter.texts(), QStringList({"Error", "The default browser failed to open it."}));
        {
            PageBeside en("Korvanta_En.htm");
            PageBeside ch("Korvanta_Ch.htm");
            f->ui->actionAbout_Korvanta->trigger();
            f->w->shell().setCnOrEn(1);
            f->ui->actionAbout_Korvanta->trigger();
            QCOMPARE(recorder.urls, QList<QUrl>({QUrl::fromLocalFile(en.path), QUrl::fromLocalFile(ch.path)}));
        }
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(f->prompter.prompts.size(), 1);
    }

    void repaintSizesTheLeftTopBar()
    {
        MainWindow1 *w = f->w;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->shell().initDisplay(f->ui->waveGroupTreeView->width(), 1); // the panes laid out for the tree's width
        f->ui->left_top->setFixedSize(33, 10);
        w->repaint();
        QCOMPARE(f->ui->left_top->size(), QSize(33, 10));
        QCOMPARE(f->ui->waveGroupTreeView->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        w->shell().initDisplay(-1, 1); // laid out for another width than the tree's
        w->repaint();
        // Its share of the splitter, never narrower than its buttons' texts.
        const int share = (f->ui->splitter->width() / 25) * 4;
        QCOMPARE(f->ui->left_top->size(), QSize(qMax(share, f->ui->left_top->minimumSizeHint().width()),
                                                f->ui->topSectionWidget->height()));
    }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"

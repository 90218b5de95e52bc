// The main pad page and the kit settings page driven through the window:
// paging, kit numbers, renames, Clear, the page buttons, the kit commit into
// the records and file images, and re-pointing a renumbered wave.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "windowfixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/mainwindow1.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString kPattern = "The kit name must begin and end with an alphanumeric character and can be interspersed "
                         "with an alphanumeric character, a space, and the following symbols:\r\n- _ . ~";

QStringList buttonStyles(Ui::MainWindow1 *ui)
{
    return {ui->btnSoundKit->styleSheet(), ui->btnKitMove->styleSheet(), ui->btnKitChain->styleSheet()};
}
} // namespace

class TestKitPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup() { f.reset(); }

    void pagingAndKitNumbers()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->editKit(2, [](MainWindow1Records::soundKit &k) { k.kpadChunk[4].soundName1 = "Snare"; });
        ui->upPageBtn->click(); // no wrap below kit 1
        ui->downPageBtn->click();
        QCOMPARE(ui->kitNumber->text(), QString("2"));
        QCOMPARE(ui->labPad05b->text() + "|" + ui->labPad05a->text(), QString("Snare|"));
        f->editKit(100, [](MainWindow1Records::soundKit &k) { k.kit_name = "Last"; });
        f->typeKitNumber("100");
        ui->downPageBtn->click(); // nor above kit 100
        QCOMPARE(ui->kitNumber->text(), QString("100"));
        QCOMPARE(ui->kitNameLineEdit->text(), QString("Last"));
        QCOMPARE(int(f->w->mainPadPage().currentKitNum()), 99);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QCOMPARE(f->w->mainPadPage().oldKitNumber(), 10);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace); // an emptied field falls back
        QCOMPARE(ui->kitNumber->text(), QString("1"));
        ui->kitNumber->clear();
        ui->upPageBtn->click();
        ui->downPageBtn->click();
        QCOMPARE(f->prompter.texts(), QStringList({"The range of kit number is 1~100.", "The kit number can not be blank.",
                                                   "The kit number can not be blank."}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning", "Warning"}));
    }

    // A refused number falls back to the kit paged to; the edits land there.
    void refusedNumberKeepsThePagedKit()
    {
        Ui::MainWindow1 *ui = f->ui;
        for (int kit : {1, 5})
            f->editKit(kit, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Kick"; });
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(ui->downPageBtn, Qt::LeftButton);
        QTest::mouseClick(ui->kitNumber, Qt::LeftButton);
        QTest::keyClick(ui->kitNumber, Qt::Key_End);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QCOMPARE(f->prompter.texts(), QStringList({"The range of kit number is 1~100."}));
        QCOMPARE(ui->kitNumber->text(), QString("5"));
        ui->kitNameLineEdit->setText("Five");
        emit ui->kitNameLineEdit->editingFinished();
        QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        QCOMPARE(f->kit(5).kit_name + "|" + f->kit(1).kit_name, QString("Five|New Kit"));
        QCOMPARE(f->kit(5).kpadChunk[0].soundName0 + "|" + f->kit(1).kpadChunk[0].soundName0, QString("|Kick"));
    }

    // A name typed without Enter is taken by the close (the title bar takes no focus).
    void nameTypedWithoutEnterIsKept()
    {
        QTest::mouseClick(f->ui->kitNameLineEdit, Qt::LeftButton);
        f->ui->kitNameLineEdit->selectAll();
        QTest::keyClicks(f->ui->kitNameLineEdit, "One");
        QVERIFY(!f->w->close()); // "Quit?" answered No
        QCOMPARE(f->kit(1).kit_name + "|" + f->prompter.texts().join('|'), QString("One|Quit?"));
    }

    void renameRefusalsInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "" << int(UiPrompter::Critical) << "Kit name can't be blank!";
        QTest::newRow("bad start, long") << "-abcdefghijkl" << int(UiPrompter::Critical) << kPattern;
        QTest::newRow("bad end") << "Rock " << int(UiPrompter::Critical) << kPattern;
        QTest::newRow("eleven") << "abcdefghijk" << int(UiPrompter::Critical)
                                << "The maximum number of kit name's character can't exceed 10!";
    }

    void renameRefusalsInOrder()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QSignalSpy renamed(&f->w->mainPadPage(), &MainPadPageController::kitNameChanged);
        f->ui->kitNameLineEdit->setText(name);
        emit f->ui->kitNameLineEdit->editingFinished();
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(int(f->prompter.prompts[0].kind), kind);
        QCOMPARE(f->prompter.prompts[0].title + f->prompter.prompts[0].text, "Error" + text);
        QCOMPARE(f->ui->kitNameLineEdit->text(), QString("New Kit"));
        QCOMPARE(f->ui->kitNameLineEdit->styleSheet(), QString("border:0px;"));
        QCOMPARE(renamed.count(), 0);
    }

    void acceptedRenameReachesAllThreeNames()
    {
        f->typeKitNumber("5");
        QSignalSpy renamed(&f->w->mainPadPage(), &MainPadPageController::kitNameChanged);
        f->ui->btnRenameKit->click();
        f->ui->kitNameLineEdit->setText("Rock_1 a.b");
        emit f->ui->kitNameLineEdit->editingFinished();
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed[0], QVariantList({"Rock_1 a.b", 4}));
        QCOMPARE(QStringList({f->kit(5).kit_name, f->w->doc().kitNameList()[4],
                              f->w->kitChains().kitChainNameList()[4]}),
                 QStringList({"Rock_1 a.b", "Rock_1 a.b", "Rock_1 a.b"}));
        QCOMPARE(f->w->doc().kitNameList()[3], QString("New Kit"));
    }

    // A job changes a kit through the document alone: the pages show it, and a
    // name the kit-name signal carries reaches the record, kitNameList and the image.
    void kitChangedByTheDocumentIsShown()
    {
        MainWindow1 *w = f->w;
        f->openKitPage(4);
        setupfiles::LoadedKit lk = kitreload::asLoaded(w->doc(), 3); // as an import reads kit 4 again
        lk.kit.kit_name = lk.name.name = "Loaded";
        lk.kit.kpadChunk[2].soundName0 = "Kick";
        lk.kit.pedalChunk.hh_wave2_name = "Hat";
        w->doc().takeLoadedKit(3, lk);
        QCOMPARE(QStringList({f->ui->kitNameLineEdit->text(), f->ui->labPad03a->text(), f->ui->hh_wave2_name->text()}),
                 QStringList({"Loaded", "Kick", "Hat"}));
        emit w->setupFiles().kitNameRead("Signalled", 3);
        QCOMPARE(QStringList({f->kit(4).kit_name, w->doc().kitNameList()[3], f->w->kitChains().kitChainNameList()[3],
                              QString::fromLatin1(w->doc().base0(3).kit_name), f->ui->kitNameLineEdit->text()}),
                 QStringList({"Signalled", "Signalled", "Signalled", "Signalled", "Signalled"}));
    }

    void clearEmptiesPadsAndMirrorOnly()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("3");
        f->editKit(3, [](MainWindow1Records::soundKit &k) {
            for (MainWindow1Records::KIT_PAD_SETTING *s : {&k.kpadChunk[16], &k.kpadChunk[18]}) {
                s->soundName0 = s->soundName1 = "Kick";
                s->soundFile0 = s->soundFile1 = s->soundIndex0 = s->soundIndex1 = "/s/kick.wav";
                s->aWaveNo = s->bWaveNo = 12;
                s->aWaveVolume = 55;
            }
            k.pedalChunk.hh_wave2_name = "Hat";
        });
        f->editKit(4, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Other"; });
        w->mainPadPage().dispPadList(w->doc().kitAttrList(), 2);
        QCOMPARE(f->ui->labPad17b->text(), QString("Kick"));
        f->ui->btnClear->click();
        for (const MainWindow1Records::KIT_PAD_SETTING *s :
             {&f->kit(3).kpadChunk[16], &w->doc().kitPadList(2)[16], &f->kit(3).kpadChunk[18]}) {
            QCOMPARE(s->soundName0 + s->soundName1 + s->soundFile0 + s->soundFile1 + s->soundIndex0 + s->soundIndex1, QString());
            QCOMPARE(QVector<int>({s->aWaveNo, s->bWaveNo, s->aWaveVolume}), QVector<int>({0xFFFF, 0xFFFF, 55}));
        }
        QCOMPARE(f->kit(3).pedalChunk.hh_wave2_name + f->kit(4).kpadChunk[0].soundName0, QString("HatOther"));
        for (const MainPadPageController::strPadWidgetGroup &pad : w->mainPadPage().padWidgetGroup())
            QVERIFY(pad.lableA->text().isEmpty() && (!pad.lableB || pad.lableB->text().isEmpty()));
        f->openKitPage(3); // a later kit commit does not bring the sounds back
        f->ui->btnKitMove->click();
        QCOMPARE(int(w->doc().pad0(2, 16).bWaveNo), 0xFFFF);
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    void pageButtons()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QString off = "background-color: black; color:white; border:1px solid white;";
        QSignalSpy chains(&f->w->kitPages(), &KitPagesController::chainPageLeft);
        ui->btnSoundKit->click();
        QCOMPARE(f->w->mainPadPage().dot(), 2);
        QCOMPARE(QVector<int>({ui->left_stackedWidget->currentIndex(), ui->midStackedWidget->currentIndex(),
                               ui->rightTopStackedWidget->currentIndex(), ui->right_stackedWidget->currentIndex()}),
                 QVector<int>({2, 2, 0, 1}));
        QCOMPARE(buttonStyles(ui), QStringList({"background-color: rgb(167, 167, 167); color:black; border: none;",
                                                off + " ", off}));
        QVERIFY(ui->btnClear->isHidden() && ui->btnLoadFile->isHidden() && !ui->btnSave->isHidden());
        ui->btnKitChain->click();
        QCOMPARE(f->w->mainPadPage().dot(), 1);
        QCOMPARE(QVector<int>({ui->left_stackedWidget->currentIndex(), ui->midStackedWidget->currentIndex(),
                               ui->rightTopStackedWidget->currentIndex(), ui->right_stackedWidget->currentIndex()}),
                 QVector<int>({1, 1, 1, 0}));
        QCOMPARE(buttonStyles(ui), QStringList({"background-color: black;  color:white;border:1px solid white;",
                                                "background-color: black; color:white; border:1px solid white",
                                                "background-color: rgb(167, 167, 167);color:black; border: none; "}));
        QVERIFY(f->w->kitChains().kitChainUiFlag() && !ui->right_stackedWidgetPage1->isEnabled());
        f->w->kitChains().kitNamed(6, "Chained");
        ui->btnKitMove->click(); // leaving the chain page hands its lists on
        QCOMPARE(chains.count(), 1);
        QCOMPARE(f->w->doc().kitNameList()[6], QString("Chained"));
        QCOMPARE(f->w->mainPadPage().dot(), 0);
        QCOMPARE(ui->left_stackedWidget->currentIndex() + ui->right_stackedWidget->currentIndex(), 0);
        QCOMPARE(buttonStyles(ui), QStringList({off, "background-color: rgb(167, 167, 167); color:black; border:none;", off}));
        QVERIFY(!ui->btnClear->isHidden() && !ui->btnLoadFile->isHidden() && ui->right_stackedWidgetPage1->isEnabled());
        ui->btnKitChain->click();
        ui->btnSoundKit->click(); // so does going on to the kit settings page
        QCOMPARE(chains.count(), 2);
    }

    // The kit left goes into its record and file images as the commit maps it.
    void switchCommitsRecordAndImages()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        // A loaded kit whose image holds a hi-hat number and a foot-switch control of its own.
        f->editKit(
                5,
                [](MainWindow1Records::soundKit &k) {
                    k.kit_name = QString::fromUtf8("Größe€Fünfzehn"); // a loaded name may be longer
                    k.click_beat = 3;
                    k.pad_volume = 90;
                    k.pedalChunk.hh_wave3_no = 33;
                    k.pedalChunk.hh_wave3_start = 400;
                    k.pedalChunk.reserved[3] = 9;
                    k.kpadChunk[2].pad_fs_ctrl = 7;
                },
                [](setupfiles::LoadedKit &lk) {
                    lk.imaged = true;
                    lk.pads[2].pad_fs_ctrl = 9;
                    lk.pedal.hh_wave3_no = 4321;
                });
        MainWindow1Records::KIT_PAD_SETTING pad3 = f->kit(5).kpadChunk[3];
        pad3.aWaveStart = 1234; // as the pad page took it
        w->doc().takePadPage(4, 3, pad3);
        w->doc().setKitLink(4, 3, {4, 5});
        const MainWindow1Records::soundKit &k = f->kit(5);
        f->openKitPage(5);
        ui->kitVolumeSpinBox->setValue(77);
        ui->kitEffect2->setCurrentIndex(4); // "PING PONG": 380, 230
        ui->effect2_ctrl1->setValue(300);
        ui->effect2_no->setCurrentIndex(3);
        ui->activeFx->setCurrentIndex(3); // "PITCH SHIFT": 127
        ui->bottomColorComboBox->setCurrentIndex(12);
        ui->pedalType->setCurrentIndex(14);
        ui->hhLayer1SpinBox->setValue(110);
        ui->linkGroupComboBox->setCurrentIndex(1);
        ui->padLink2ComboBox->setCurrentIndex(11);
        ui->downPageBtn->click();
        QCOMPARE(ui->kitNoSpinBox->value() * 100 + w->mainPadPage().oldKitNumber(), 606);

        const MainWindow1Records::PEDAL_SETTING &h = k.pedalChunk;
        QCOMPARE(QVector<int>({k.kit_volume, k.kit_effect2, k.effect2_ctrl1, k.effect2_ctrl2, k.effect2_ctrl3,
                               k.effect2_no, h.active_fx, h.active_effectCtrl1, h.active_effectCtrl2, k.bottom_color,
                               h.pedal_contrl, h.hh_layer1, h.hh_wave3_no, int(h.hh_wave3_start), h.reserved[3],
                               k.reserved[0], h.pad_link2_2, h.pad_link4_1, h.pad_link4_2, k.kpadChunk[2].pad_fs_ctrl,
                               int(k.kpadChunk[3].aWaveStart), k.kit_no}),
                 QVector<int>({77, 4, 300, 230, 999, 3, 3, 127, 999, 12, 14, 110, 33, 0, 0, 0, 11, 4, 5, 7, 1234, 4}));
        const percussionpadfile::P_KIT_BASE_PARA &b = w->doc().base0(4);
        const percussionpadfile::P_PEDAL_SETTING &p = w->doc().pedal0(4);
        QCOMPARE(QByteArray(b.kit_name, 13), QByteArray("Gr\xf6\xdf" "e\0F\xfcnfzeh", 13));
        QCOMPARE(QVector<int>({b.kit_no, b.kit_volume, b.click_beat, b.effect2_ctrl1, b.effect2_ctrl3, b.pad_volume,
                               b.bottom_color, b.reserved[0], p.hh_wave3_no, int(p.hh_wave3_start), p.hh_layer1,
                               p.pad_link2_2, p.pad_link4_1, p.active_effectCtrl1, w->doc().pad0(4, 2).pad_fs_ctrl,
                               int(w->doc().pad0(4, 3).aWaveStart), w->doc().pad0(4, 18).midi_code}),
                 QVector<int>({4, 77, 3, 300, 999, 90, 12, 0, 4321, 0, 110, 11, 4, 127, 9, 1234, 35}));
        ui->kitVolumeSpinBox->setValue(66);
        QCOMPARE(int(w->doc().base0(5).kit_volume), 100); // the kit shown waits until it is left
    }

    // The hidden kit number box pages on while the name field still shows the
    // kit first shown: every kit it leaves keeps its own name.
    void kitSwitchKeepsTheNamesOfKitsLeft()
    {
        f->editKit(5, [](MainWindow1Records::soundKit &k) { k.kit_name = "Five"; });
        f->openKitPage(5);
        f->ui->kitNoSpinBox->setValue(6);
        f->ui->kitNoSpinBox->setValue(7);
        f->ui->btnKitMove->click();
        QCOMPARE(QStringList({f->kit(5).kit_name, f->kit(6).kit_name, f->kit(7).kit_name,
                              f->w->doc().kitNameList()[6]}),
                 QStringList({"Five", "New Kit", "New Kit", "New Kit"}));
        QCOMPARE(f->ui->kitNameLineEdit->text() + '|' + f->prompter.texts().join('|'), QString("New Kit|"));
    }

    void nothingCommittedDuringALoad()
    {
        f->openKitPage(8);
        f->ui->kitVolumeSpinBox->setValue(12);
        f->w->kitPages().setLoadKitNoFlag(true);
        f->ui->upPageBtn->click();
        f->w->kitPages().setLoadKitNoFlag(false);
        QCOMPARE(f->ui->kitNoSpinBox->value(), 7);
        QCOMPARE(int(f->kit(8).kit_volume) * 1000 + int(f->w->doc().base0(7).kit_volume), 100100);
    }

    void editsSurviveLeaving_data()
    {
        QTest::addColumn<QString>("way");
        for (const char *way : {"page up", "page down", "typed number", "main pad page", "kit-chain page", "kit settings again"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }

    void editsSurviveLeaving()
    {
        QFETCH(QString, way);
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(40);
        ui->padNoComboBox->setCurrentIndex(6);
        ui->kitTempoSpinBox->setValue(99);
        ui->waveBVolumeSpinBox->setValue(31);
        ui->kitNameLineEdit->setText("Edited"); // typed, the field still focused
        if (way == "page up")
            ui->upPageBtn->click();
        else if (way == "page down")
            ui->downPageBtn->click();
        else if (way == "typed number")
            f->typeKitNumber("9");
        else if (way == "main pad page")
            ui->btnKitMove->click();
        else if (way == "kit-chain page")
            ui->btnKitChain->click();
        else
            ui->btnSoundKit->click();
        QCOMPARE(QVector<int>({f->kit(40).kit_tempo, f->kit(40).kpadChunk[6].bWaveVolume,
                               f->w->doc().kitPadList(39)[6].bWaveVolume, f->w->doc().pad0(39, 6).bWaveVolume}),
                 QVector<int>({99, 31, 31, 31}));
        QCOMPARE(f->kit(40).kit_name + f->w->doc().kitNameList()[39], QString("EditedEdited"));
        if (way == "kit settings again")
            QCOMPARE(ui->kitTempoSpinBox->value() + ui->waveBVolumeSpinBox->value(), 130);
    }

    void updateKitFileRepointsAndMarks()
    {
        MainWindow1 *w = f->w;
        const QString oldFile = "/pad/WAV_DATA/001/0005.wav", newFile = "/pad/WAV_DATA/001/0042.wav";
        f->editKit(7, [&](MainWindow1Records::soundKit &k) { k.kpadChunk[3].soundFile1 = oldFile; });
        f->editKit(9, [&](MainWindow1Records::soundKit &k) { k.pedalChunk.hh_wave2_file = oldFile; });
        f->editKit(10, [&](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundFile0 = oldFile.toUpper(); }); // case counts
        w->kitPages().updateKitFile(5, 42, oldFile, newFile);
        w->kitPages().updateKitFile(5, 42, QString(), newFile); // empty slots match nothing
        QCOMPARE(QStringList({f->kit(7).kpadChunk[3].soundFile1, w->doc().kitPadList(6)[3].soundFile1,
                              f->kit(9).pedalChunk.hh_wave2_file, f->kit(10).kpadChunk[0].soundFile0}),
                 QStringList({newFile, newFile, newFile, oldFile.toUpper()}));
        QCOMPARE(QVector<int>({f->kit(7).kpadChunk[3].bWaveNo, w->doc().kitPadList(6)[3].bWaveNo,
                               f->kit(9).pedalChunk.hh_wave2_no}),
                 QVector<int>({42, 42, 42}));
        QVector<quint8> marks(100, 0);
        marks[6] = marks[8] = 1;
        QCOMPARE(w->doc().kitNumFlagList(), marks);
        f->openKitPage(7);
        f->ui->btnKitMove->click(); // a later commit keeps the new number
        QCOMPARE(int(f->kit(7).kpadChunk[3].bWaveNo) + int(w->doc().pad0(6, 3).bWaveNo), 84);
        QCOMPARE(w->doc().kitNumFlagList(), marks);
    }
};

QTEST_MAIN(TestKitPages)
#include "test_kitpages.moc"

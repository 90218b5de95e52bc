// The main pad page and the kit settings page driven through the window:
// paging, kit numbers, renames, Clear, the page buttons, the kit commit into
// the records and file images, and re-pointing a renumbered wave.
#include "windowfixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString kPattern = "The kit name must begin and end with an alphanumeric character and can be interspersed "
                         "with an alphanumeric character, a space, and the following symbols:\r\n- _ . ~";
} // namespace

class TestKitPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup() { f.reset(); }

    void pagingStopsAtBothEnds()
    {
        Ui::MainWindow1 *ui = f->ui;
        ui->upPageBtn->click();
        QCOMPARE(ui->kitNumber->text(), QString("1"));
        f->kit(2).kpadChunk[4].soundName1 = "Snare";
        ui->downPageBtn->click();
        QCOMPARE(ui->kitNumber->text(), QString("2"));
        QCOMPARE(int(f->w->currentKitNum), 1);
        QCOMPARE(ui->labPad05b->text(), QString("Snare"));
        QVERIFY(ui->labPad05a->text().isEmpty());

        f->typeKitNumber("100");
        ui->downPageBtn->click();
        QCOMPARE(ui->kitNumber->text(), QString("100"));
        ui->upPageBtn->click();
        QCOMPARE(ui->kitNumber->text(), QString("99"));
        QVERIFY(f->prompter.prompts.isEmpty());

        ui->kitNumber->clear();
        ui->upPageBtn->click();
        ui->downPageBtn->click();
        QCOMPARE(f->prompter.texts(), QStringList({"The kit number can not be blank.", "The kit number can not be blank."}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning"}));
        QVERIFY(ui->kitNumber->text().isEmpty());
    }

    void typedKitNumbers()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->kit(37).kit_name = "Jazz";
        f->typeKitNumber("37");
        QCOMPARE(int(f->w->currentKitNum), 36);
        QCOMPARE(f->w->oldKitNumber, 37);
        QCOMPARE(ui->kitNameLineEdit->text(), QString("Jazz"));

        // Deleting the last digit leaves a field that names no kit.
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QCOMPARE(f->prompter.texts().last(), QString("The range of kit number is 1~100."));
        QCOMPARE(ui->kitNumber->text(), QString("3"));
        QCOMPARE(f->prompter.prompts.size(), 1);
        QTest::keyClick(ui->kitNumber, Qt::Key_Backspace);
        QCOMPARE(ui->kitNumber->text(), QString("3"));
        QCOMPARE(f->prompter.prompts.size(), 2);
    }

    void renameRefusalsInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "" << int(UiPrompter::Warning) << "Kit name can't be blank!";
        QTest::newRow("bad start and long") << "-abcdefghijkl" << int(UiPrompter::Information) << kPattern;
        QTest::newRow("bad end") << "Rock " << int(UiPrompter::Information) << kPattern;
        QTest::newRow("one symbol") << "~" << int(UiPrompter::Information) << kPattern;
        QTest::newRow("eleven") << "abcdefghijk" << int(UiPrompter::Information)
                                << "The maximum number of kit name's character can't exceed 10!";
    }

    void renameRefusalsInOrder()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, text);
        Ui::MainWindow1 *ui = f->ui;
        QSignalSpy renamed(f->w, &MainWindow1::sendKitNameChanged);
        ui->kitNameLineEdit->setText(name);
        emit ui->kitNameLineEdit->editingFinished();
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(int(f->prompter.prompts[0].kind), kind);
        QCOMPARE(f->prompter.prompts[0].title, QString("Error"));
        QCOMPARE(f->prompter.prompts[0].text, text);
        QCOMPARE(ui->kitNameLineEdit->text(), QString("New Kit"));
        QCOMPARE(ui->kitNameLineEdit->styleSheet(), QString("border:0px;"));
        QCOMPARE(renamed.count(), 0);
        QCOMPARE(f->kit(1).kit_name, QString("New Kit"));
    }

    void acceptedRenameReachesAllThreeNames()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->typeKitNumber("5");
        QSignalSpy renamed(f->w, &MainWindow1::sendKitNameChanged);
        ui->btnRenameKit->click();
        ui->kitNameLineEdit->setText("R&B-1 ~x'y"); // '&' is refused
        emit ui->kitNameLineEdit->editingFinished();
        QCOMPARE(renamed.count(), 0);
        ui->kitNameLineEdit->setText("Rock_1 a.b");
        emit ui->kitNameLineEdit->editingFinished();
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed[0][0].toString(), QString("Rock_1 a.b"));
        QCOMPARE(renamed[0][1].toInt(), 4);
        QCOMPARE(f->kit(5).kit_name, QString("Rock_1 a.b"));
        QCOMPARE(f->w->kitNameList[4], QString("Rock_1 a.b"));
        QCOMPARE(f->w->kitChainNameList[4], QString("Rock_1 a.b"));
        QCOMPARE(f->kit(5).kit_no, quint8(4));
        QCOMPARE(f->w->kitNameList[3], QString("New Kit"));
    }

    void clearEmptiesPadsAndMirrorOnly()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->typeKitNumber("3");
        for (int p : {0, 16, 18}) {
            for (MainWindow1::KIT_PAD_SETTING *s : {&f->kit(3).kpadChunk[p], &f->w->kitPadList[2][p]}) {
                s->soundName0 = s->soundName1 = "Kick";
                s->soundFile0 = s->soundFile1 = s->soundIndex0 = s->soundIndex1 = "/s/kick.wav";
                s->aWaveNo = s->bWaveNo = 12;
                s->aWaveVolume = 55;
                s->mode = 3;
            }
        }
        f->kit(3).pedalChunk.hh_wave2_name = "Hat";
        f->kit(3).pedalChunk.hh_wave2_no = 7;
        f->kit(4).kpadChunk[0].soundName0 = "Other";
        f->w->dispPadList(f->w->kitAttrList, 2);
        QCOMPARE(ui->labPad17b->text(), QString("Kick"));

        ui->btnClear->click();
        for (int p : {0, 16, 18}) {
            for (const MainWindow1::KIT_PAD_SETTING *s : {&f->kit(3).kpadChunk[p], &f->w->kitPadList[2][p]}) {
                QVERIFY(s->soundName0.isEmpty() && s->soundName1.isEmpty() && s->soundFile0.isEmpty());
                QVERIFY(s->soundFile1.isEmpty() && s->soundIndex0.isEmpty() && s->soundIndex1.isEmpty());
                QCOMPARE(int(s->aWaveNo), 0xFFFF);
                QCOMPARE(int(s->bWaveNo), 0xFFFF);
                QCOMPARE(int(s->aWaveVolume), 55);
                QCOMPARE(int(s->mode), 3);
            }
        }
        QCOMPARE(f->kit(3).pedalChunk.hh_wave2_name, QString("Hat"));
        QCOMPARE(int(f->kit(3).pedalChunk.hh_wave2_no), 7);
        QCOMPARE(f->kit(4).kpadChunk[0].soundName0, QString("Other"));
        for (const MainWindow1::strPadWidgetGroup &pad : f->w->padWidgetGroup) {
            QVERIFY(pad.lableA->text().isEmpty());
            QVERIFY(!pad.lableB || pad.lableB->text().isEmpty());
        }
        QVERIFY(f->prompter.prompts.isEmpty());

        // A later kit commit does not bring the sounds back.
        f->openKitPage(3);
        ui->btnKitMove->click();
        QCOMPARE(int(f->kit(3).kpadChunk[16].bWaveNo), 0xFFFF);
        QCOMPARE(int(f->w->pad0[2][16].bWaveNo), 0xFFFF);
    }

    void pageButtons()
    {
        Ui::MainWindow1 *ui = f->ui;
        ui->btnSoundKit->click();
        QCOMPARE(f->w->dot, 2);
        QCOMPARE(ui->left_stackedWidget->currentIndex(), 2);
        QCOMPARE(ui->midStackedWidget->currentIndex(), 2);
        QCOMPARE(ui->rightTopStackedWidget->currentIndex(), 0);
        QCOMPARE(ui->right_stackedWidget->currentIndex(), 1);
        QCOMPARE(ui->btnSoundKit->styleSheet(), QString("background-color: rgb(167, 167, 167); color:black; border: none;"));
        QCOMPARE(ui->btnKitMove->styleSheet(), QString("background-color: black; color:white; border:1px solid white; "));
        QCOMPARE(ui->btnKitChain->styleSheet(), QString("background-color: black; color:white; border:1px solid white;"));
        QVERIFY(ui->btnClear->isHidden() && ui->btnLoadFile->isHidden() && !ui->btnSave->isHidden());

        QSignalSpy chains(f->w, &MainWindow1::sendKitChainInfo);
        ui->btnKitChain->click();
        QCOMPARE(f->w->dot, 1);
        QVERIFY(f->w->kitChainUiFlag);
        for (QStackedWidget *s : {ui->left_stackedWidget, ui->midStackedWidget, ui->rightTopStackedWidget})
            QCOMPARE(s->currentIndex(), 1);
        QCOMPARE(ui->right_stackedWidget->currentIndex(), 0);
        QVERIFY(!ui->right_stackedWidgetPage1->isEnabled());
        QCOMPARE(ui->btnSoundKit->styleSheet(), QString("background-color: black;  color:white;border:1px solid white;"));
        QCOMPARE(ui->btnKitMove->styleSheet(), QString("background-color: black; color:white; border:1px solid white"));
        QCOMPARE(ui->btnKitChain->styleSheet(), QString("background-color: rgb(167, 167, 167);color:black; border: none; "));

        f->w->kitChainNameList[6] = "Chained";
        ui->btnKitMove->click();
        QCOMPARE(chains.count(), 1);
        QCOMPARE(f->w->kitNameList[6], QString("Chained"));
        QCOMPARE(f->w->dot, 0);
        QVERIFY(!f->w->kitChainUiFlag);
        for (QStackedWidget *s : {ui->left_stackedWidget, ui->midStackedWidget, ui->rightTopStackedWidget,
                                  ui->right_stackedWidget})
            QCOMPARE(s->currentIndex(), 0);
        QVERIFY(ui->right_stackedWidgetPage1->isEnabled());
        QCOMPARE(ui->btnSoundKit->styleSheet(), QString("background-color: black; color:white; border:1px solid white;"));
        QCOMPARE(ui->btnKitMove->styleSheet(), QString("background-color: rgb(167, 167, 167); color:black; border:none;"));
        QVERIFY(!ui->btnClear->isHidden() && !ui->btnLoadFile->isHidden() && !ui->btnSave->isHidden());

        // From the chain page straight to the kit settings page: the chain page is applied too.
        ui->btnKitChain->click();
        ui->btnSoundKit->click();
        QCOMPARE(chains.count(), 2);
        QCOMPARE(f->w->dot, 2);
    }

    // The commit writes the kit left into the record and the file images.
    void switchCommitsRecordAndImages()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        MainWindow1::soundKit &k5 = f->kit(5);
        k5.kit_name = QString::fromUtf8("Größe€Fünfzehn"); // loaded names may be longer
        k5.click_beat = 3;
        k5.kit_effect2_state = 1;
        k5.pad_volume = 90;
        k5.pedalChunk.hh_wave3_file = "/s/hat.wav";
        k5.pedalChunk.hh_wave3_no = 33;
        k5.pedalChunk.hh_wave3_start = 400;
        k5.pedalChunk.hh_wave3_length = 500;
        k5.pedalChunk.hh_midi_code = 50;
        k5.pedalChunk.active_off = 1;
        k5.pedalChunk.reserved[3] = 9;
        k5.kpadChunk[2].pad_fs_ctrl = 7;
        k5.kpadChunk[2].soundName0 = "Tom";
        w->pad0[4][2].pad_fs_ctrl = 9;
        w->pedal0[4].hh_wave3_no = 4321;
        w->pedal0[4].reserved[0] = 5;
        w->kitPadList[4][3].aWaveStart = 1234;
        w->kitPadList[4][3].bWaveNo = 77;
        w->kitPadList[4][3].reserved[1] = 3;
        w->kitLinkList[4][3] = {4, 5};

        f->openKitPage(5);
        QCOMPARE(w->curkitNumber, 5);
        ui->kitVolumeSpinBox->setValue(77);
        ui->kitTempoSpinBox->setValue(150);
        ui->kitEffect2->setCurrentIndex(4); // "PING PONG": 380, 230
        ui->effect2_ctrl1->setValue(300);
        ui->effect2_no->setCurrentIndex(3);
        ui->activeFx->setCurrentIndex(3);
        ui->effect4_no->setCurrentIndex(2);
        ui->bottomColorComboBox->setCurrentIndex(12);
        ui->workColorComboBox->setCurrentIndex(0);
        ui->pedalType->setCurrentIndex(14);
        ui->hhLayer1SpinBox->setValue(110);
        ui->hhLayer5SpinBox->setValue(9);
        ui->linkGroupComboBox->setCurrentIndex(1);
        ui->padLink1ComboBox->setCurrentIndex(2);
        ui->padLink2ComboBox->setCurrentIndex(11);

        ui->downPageBtn->click();
        QCOMPARE(ui->kitNoSpinBox->value(), 6);
        QCOMPARE(w->oldKitNumber, 6);

        QCOMPARE(int(k5.kit_volume), 77);
        QCOMPARE(int(k5.kit_tempo), 150);
        QCOMPARE(int(k5.kit_effect2), 4);
        QCOMPARE(int(k5.effect2_ctrl1), 300);
        QCOMPARE(int(k5.effect2_ctrl2), 230);
        QCOMPARE(int(k5.effect2_ctrl3), 999);
        QCOMPARE(int(k5.effect2_no), 3);
        QCOMPARE(int(k5.pedalChunk.active_fx), 3);
        QCOMPARE(int(k5.pedalChunk.active_effectCtrl1), 127);
        QCOMPARE(int(k5.pedalChunk.active_effectCtrl2), 999);
        QCOMPARE(int(k5.pedalChunk.active_no), 2);
        QCOMPARE(int(k5.bottom_color), 12);
        QCOMPARE(int(k5.work_color), 0);
        QCOMPARE(int(k5.pedalChunk.pedal_contrl), 14);
        QCOMPARE(int(k5.pedalChunk.hh_layer1), 110);
        QCOMPARE(int(k5.pedalChunk.hh_layer5), 9);
        QCOMPARE(int(k5.pedalChunk.hh_wave3_no), 33);
        QCOMPARE(k5.pedalChunk.hh_wave3_file, QString("/s/hat.wav"));
        QCOMPARE(k5.pedalChunk.hh_wave3_start + k5.pedalChunk.hh_wave3_length, 0u);
        QCOMPARE(int(k5.pedalChunk.reserved[3]), 0);
        for (quint8 r : k5.reserved)
            QCOMPARE(int(r), 0);
        QCOMPARE(k5.kit_name, QString::fromUtf8("Größe€Fünfzehn"));
        QCOMPARE(int(k5.kit_no), 4);
        QCOMPARE(int(k5.pad_link1), 0);
        QCOMPARE(int(k5.pedalChunk.pad_link2_1), 2);
        QCOMPARE(int(k5.pedalChunk.pad_link2_2), 11);
        QCOMPARE(int(k5.pedalChunk.pad_link4_1), 4);
        QCOMPARE(int(k5.pedalChunk.pad_link4_2), 5);
        QCOMPARE(int(w->linkGroup[1].link_pad2), 11);
        QCOMPARE(int(w->kitLinkList[4][1].link_pad1), 2);
        QCOMPARE(int(k5.kpadChunk[2].pad_fs_ctrl), 7);
        QCOMPARE(k5.kpadChunk[2].soundName0, QString("Tom"));
        QCOMPARE(k5.kpadChunk[3].aWaveStart, 1234u);
        QCOMPARE(int(k5.kpadChunk[3].bWaveNo), 77);
        QCOMPARE(int(k5.kpadChunk[3].reserved[1]), 0);

        const percussionpadfile::P_KIT_BASE_PARA &b = w->base0[4];
        QCOMPARE(QByteArray(b.kit_name, 13), QByteArray("Gr\xf6\xdf" "e\0F\xfcnfzeh", 13));
        QCOMPARE(int(b.kit_no), 4);
        QCOMPARE(int(b.kit_volume), 77);
        QCOMPARE(int(b.click_beat), 3);
        QCOMPARE(int(b.kit_effect2_state), 1);
        QCOMPARE(int(b.kit_effect2), 4);
        QCOMPARE(int(b.effect2_ctrl1), 300);
        QCOMPARE(int(b.effect2_ctrl3), 999);
        QCOMPARE(int(b.pad_volume), 90);
        QCOMPARE(int(b.bottom_color), 12);
        QCOMPARE(int(b.pad_link2), 0);
        const percussionpadfile::P_PEDAL_SETTING &p = w->pedal0[4];
        QCOMPARE(int(p.hh_wave3_no), 4321); // numbers stay as the image holds them
        QCOMPARE(p.hh_wave3_start, 0u);
        QCOMPARE(int(p.hh_layer1), 110);
        QCOMPARE(int(p.hh_midi_code), 50);
        QCOMPARE(int(p.pad_link2_2), 11);
        QCOMPARE(int(p.pad_link4_1), 4);
        QCOMPARE(int(p.active_off), 1);
        QCOMPARE(int(p.active_effectCtrl1), 127);
        QCOMPARE(int(p.reserved[0]), 5);
        QCOMPARE(int(w->pad0[4][2].pad_fs_ctrl), 9);
        QCOMPARE(w->pad0[4][3].aWaveStart, 1234u);
        QCOMPARE(int(w->pad0[4][3].bWaveNo), 77);
        QCOMPARE(int(w->pad0[4][18].padNo), 18);
        QCOMPARE(int(w->pad0[4][18].midi_code), 35);
        // The kit shown now is untouched until it is left.
        QCOMPARE(int(w->base0[5].kit_volume), 0);
        QCOMPARE(ui->kitVolumeSpinBox->value(), 100);
    }

    void nothingCommittedDuringALoad()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(8);
        ui->kitVolumeSpinBox->setValue(12);
        f->w->loadKitNoFlag = true;
        ui->upPageBtn->click();
        f->w->loadKitNoFlag = false;
        QCOMPARE(ui->kitNoSpinBox->value(), 7);
        QCOMPARE(int(f->kit(8).kit_volume), 100);
        QCOMPARE(int(f->w->base0[7].kit_volume), 0);
    }

    // Kit and pad edits survive every way of leaving the kit settings page.
    void editsSurviveLeaving_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("page up") << 0;
        QTest::newRow("page down") << 1;
        QTest::newRow("typed number") << 2;
        QTest::newRow("main pad page") << 3;
        QTest::newRow("kit-chain page") << 4;
        QTest::newRow("kit settings again") << 5;
    }

    void editsSurviveLeaving()
    {
        QFETCH(int, way);
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(40);
        ui->padNoComboBox->setCurrentIndex(6);
        ui->kitTempoSpinBox->setValue(99);
        ui->waveBVolumeSpinBox->setValue(31);
        ui->kitNameLineEdit->setText("Edited"); // typed, the field still focused
        switch (way) {
        case 0: ui->upPageBtn->click(); break;
        case 1: ui->downPageBtn->click(); break;
        case 2: f->typeKitNumber("9"); break;
        case 3: ui->btnKitMove->click(); break;
        case 4: ui->btnKitChain->click(); break;
        case 5: ui->btnSoundKit->click(); break;
        }
        QCOMPARE(int(f->kit(40).kit_tempo), 99);
        QCOMPARE(int(f->kit(40).kpadChunk[6].bWaveVolume), 31);
        QCOMPARE(int(f->w->kitPadList[39][6].bWaveVolume), 31);
        QCOMPARE(int(f->w->pad0[39][6].bWaveVolume), 31);
        QCOMPARE(f->kit(40).kit_name, QString("Edited"));
        QCOMPARE(f->w->kitNameList[39], QString("Edited"));
        if (way == 5) {
            QCOMPARE(ui->kitTempoSpinBox->value(), 99);
            QCOMPARE(ui->waveBVolumeSpinBox->value(), 31);
        }
    }

    // Renumbered waves re-point pads and hi-hat slots and mark only their kits.
    void updateKitFileRepointsAndMarks()
    {
        MainWindow1 *w = f->w;
        const QString oldFile = "/pad/WAV_DATA/001/0005.wav";
        const QString newFile = "/pad/WAV_DATA/001/0042.wav";
        f->kit(7).kpadChunk[3].soundFile1 = oldFile;
        w->kitPadList[6][3].soundFile1 = oldFile;
        f->kit(7).kpadChunk[3].bWaveNo = 5;
        f->kit(9).pedalChunk.hh_wave2_file = oldFile;
        f->kit(9).pedalChunk.hh_wave2_no = 5;
        f->kit(10).kpadChunk[0].soundFile0 = oldFile.toUpper();

        w->updateKitFile(5, 42, oldFile, newFile);
        QCOMPARE(f->kit(7).kpadChunk[3].soundFile1, newFile);
        QCOMPARE(int(f->kit(7).kpadChunk[3].bWaveNo), 42);
        QCOMPARE(w->kitPadList[6][3].soundFile1, newFile);
        QCOMPARE(int(w->kitPadList[6][3].bWaveNo), 42);
        QCOMPARE(f->kit(9).pedalChunk.hh_wave2_file, newFile);
        QCOMPARE(int(f->kit(9).pedalChunk.hh_wave2_no), 42);
        QCOMPARE(f->kit(10).kpadChunk[0].soundFile0, oldFile.toUpper());
        QVector<quint8> marks(100, 0);
        marks[6] = marks[8] = 1;
        QCOMPARE(w->kitNumFlagList, marks);
        w->updateKitFile(5, 42, QString(), newFile); // empty slots match nothing
        QCOMPARE(w->kitNumFlagList, marks);

        f->openKitPage(7);
        f->ui->btnKitMove->click();
        QCOMPARE(int(f->kit(7).kpadChunk[3].bWaveNo), 42);
        QCOMPARE(int(w->pad0[6][3].bWaveNo), 42);
        QCOMPARE(w->kitNumFlagList, marks);
    }
};

QTEST_MAIN(TestKitPages)
#include "test_kitpages.moc"

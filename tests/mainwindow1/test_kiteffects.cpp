// Pad links, effect control boxes and effect slots of the kit settings page.
#include "windowfixture.h"

#include <QtTest>

#include <memory>

namespace {
const QString kRange = "Value must be between 0 and 511.";
const QString kLink1 = "Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.";
const QString kLink2 = "Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.";
} // namespace

class TestKitEffects : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup() { f.reset(); }

    void controlRange()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(1);
        ui->kitEffect1->setCurrentIndex(1); // "ECHO": 102, 211, 102
        QSpinBox *box = ui->effect1_ctrl1;
        QCOMPARE(box->value(), 102);
        box->setValue(600);
        QCOMPARE(box->value(), 102);
        QCOMPARE(f->w->oldEffect1Ctrl1, quint16(102));
        QCOMPARE(f->prompter.titles(), QStringList{"Invalid Value"});
        QCOMPARE(f->prompter.texts(), QStringList{kRange});
        box->setValue(999);
        box->setValue(511);
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(f->w->oldEffect1Ctrl1, quint16(511));
        box->stepUp();
        QCOMPARE(box->value(), 511);
        QCOMPARE(f->prompter.texts(), QStringList({kRange, kRange}));
        box->setValue(0);
        QCOMPARE(f->w->oldEffect1Ctrl1, quint16(0));
    }

    void duplicateLinksRefused()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(2);
        const QVector<MainWindow1::LINK_GROUP> &links = f->w->kitLinkList[1];
        ui->padLink2ComboBox->setCurrentIndex(4);
        ui->padLink1ComboBox->setCurrentIndex(4);
        QCOMPARE(f->prompter.texts(), QStringList{kLink1});
        QCOMPARE(ui->padLink1ComboBox->currentIndex(), 0);
        QCOMPARE(int(links[0].link_pad1), 0);
        QCOMPARE(int(links[0].link_pad2), 4);
        ui->padLink1ComboBox->setCurrentIndex(3);
        ui->padLink2ComboBox->setCurrentIndex(3);
        QCOMPARE(f->prompter.texts(), QStringList({kLink1, kLink2}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning"}));
        QCOMPARE(ui->padLink2ComboBox->currentIndex(), 0);
        QCOMPARE(int(links[0].link_pad1), 3);
        QCOMPARE(int(links[0].link_pad2), 0);
        ui->padLink1ComboBox->setCurrentIndex(0);
        QCOMPARE(f->prompter.prompts.size(), 2); // both "OFF" is fine
    }

    void linkGroupsAcrossSwitches()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        w->kitLinkList[2][1] = {5, 3}; // kit 3, group 2
        f->openKitPage(2);
        ui->linkGroupComboBox->setCurrentIndex(1);
        ui->padLink1ComboBox->setCurrentIndex(3);
        ui->padLink2ComboBox->setCurrentIndex(5);
        ui->linkGroupComboBox->setCurrentIndex(2);
        ui->padLink1ComboBox->setCurrentIndex(9);
        QCOMPARE(ui->padLink2ComboBox->currentIndex(), 0);
        ui->linkGroupComboBox->setCurrentIndex(1);
        QCOMPARE(ui->padLink1ComboBox->currentIndex(), 3);
        QCOMPARE(ui->padLink2ComboBox->currentIndex(), 5);
        QCOMPARE(int(w->kitLinkList[1][1].link_pad1), 3);
        QCOMPARE(int(w->kitLinkList[1][1].link_pad2), 5);
        QCOMPARE(int(w->kitLinkList[1][2].link_pad1), 9);

        // A kit switch only shows the new kit's pair of the same group.
        ui->downPageBtn->click();
        QCOMPARE(ui->linkGroupComboBox->currentIndex(), 1);
        QCOMPARE(ui->padLink1ComboBox->currentIndex(), 5);
        QCOMPARE(ui->padLink2ComboBox->currentIndex(), 3);
        QVERIFY(f->prompter.prompts.isEmpty());
        QCOMPARE(int(w->kitLinkList[2][1].link_pad1), 5);
        QCOMPARE(int(f->kit(2).pedalChunk.pad_link2_1), 3);
        QCOMPARE(int(f->kit(2).pedalChunk.pad_link3_1), 9);
    }

    void typeChangesAndLayout()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        w->kitEffectList2[4][1] = {10, 20, 30}; // kit 5's memory of "ECHO"
        MainWindow1::soundKit &k5 = f->kit(5);
        f->openKitPage(5);
        ui->kitEffect2->setCurrentIndex(1);
        QCOMPARE(ui->effect2_ctrl1->value(), 10);
        QCOMPARE(ui->effect2_ctrl2->value(), 20);
        QCOMPARE(ui->effect2_ctrl3->value(), 30);
        QCOMPARE(ui->lab_effect2_ctrl1->text(), QString("Repeat:"));
        QCOMPARE(ui->lab_effect2_ctrl3->text(), QString("Damping:"));
        QVERIFY(!ui->effect2_ctrl3->isHidden() && ui->effect2_ctrl3->isEnabled());

        ui->effect2_ctrl2->setValue(444); // typed values never reach the memory
        k5.effect2_ctrl2 = k5.effect2_ctrl3 = 55;
        ui->kitEffect2->setCurrentIndex(3); // "PITCH SHIFT"
        QCOMPARE(ui->effect2_ctrl1->value(), 127);
        QCOMPARE(ui->lab_effect2_ctrl1->text(), QString("Pitch Shift:"));
        for (QSpinBox *box : {ui->effect2_ctrl2, ui->effect2_ctrl3}) {
            QVERIFY(box->isHidden());
            QVERIFY(!box->isEnabled());
            QCOMPARE(box->value(), 999);
        }
        QVERIFY(ui->lab_effect2_ctrl2->isHidden());
        QCOMPARE(ui->lab_effect2_ctrl3->text(), QString("Effect2 Ctrl3:"));
        QCOMPARE(int(k5.effect2_ctrl2), 999);
        QCOMPARE(int(k5.effect2_ctrl3), 999);
        QCOMPARE(int(k5.kit_effect2), 0); // the type waits for the commit

        ui->kitEffect2->setCurrentIndex(1);
        QCOMPARE(ui->effect2_ctrl2->value(), 20);
        k5.effect2_ctrl1 = 1;
        ui->kitEffect2->setCurrentIndex(22); // "RMS SOFT KNEE": no controls, like "THRU"
        QCOMPARE(int(k5.effect2_ctrl1), 999);
        QVERIFY(ui->effect2_ctrl1->isHidden() && ui->lab_effect2_ctrl1->isHidden());
        QCOMPARE(ui->lab_effect2_ctrl1->text(), QString("Effect2 Ctrl1:"));
        ui->kitEffect2->setCurrentIndex(4);
        ui->btnKitMove->click();
        QCOMPARE(int(k5.kit_effect2), 4);
        QCOMPARE(int(k5.effect2_ctrl1), 380);
        QCOMPARE(int(k5.effect2_ctrl3), 999);
        QCOMPARE(int(w->base0[4].effect2_ctrl3), 999);
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    // A kit switch shows the stored controls, not the memory.
    void switchShowsTheRecord()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        MainWindow1::PEDAL_SETTING &h = f->kit(6).pedalChunk;
        h.active_fx = 4;
        h.active_effectCtrl1 = 300;
        h.active_effectCtrl2 = 200;
        h.active_effectCtrl3 = 999;
        w->kitEffectList4[5][4] = {1, 2, 3};
        f->kit(6).effect1_no = 10;
        f->openKitPage(5);
        ui->downPageBtn->click();
        QCOMPARE(ui->activeFx->currentIndex(), 4);
        QCOMPARE(ui->effect4_ctrl1->value(), 300);
        QCOMPARE(ui->effect4_ctrl2->value(), 200);
        QCOMPARE(ui->lab_effect4_ctrl1->text(), QString("Delay:"));
        QCOMPARE(ui->lab_effect4_ctrl2->text(), QString("Feedback:"));
        QVERIFY(ui->effect4_ctrl3->isHidden());
        QCOMPARE(ui->effect1_no->currentIndex(), 0);
        ui->upPageBtn->click();
        QCOMPARE(int(f->kit(6).effect1_no), 0);
    }

    void outOfRangeTypesChangeNothing()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1::soundKit &k7 = f->kit(7);
        k7.kit_effect3 = 30;
        k7.effect3_ctrl1 = 5;
        k7.effect3_ctrl2 = 6;
        k7.effect3_ctrl3 = 7;
        k7.effect3_no = 7;
        k7.pedalChunk.pedal_contrl = 40;
        k7.work_color = 16;
        f->w->kitLinkList[6][0] = {30, 2};
        f->openKitPage(7);
        QCOMPARE(ui->kitEffect3->currentIndex(), -1);
        QCOMPARE(ui->effect3_ctrl2->value(), 6);
        QCOMPARE(int(k7.effect3_ctrl3), 7);
        QCOMPARE(ui->pedalType->currentIndex(), -1);
        QCOMPARE(ui->workColorComboBox->currentIndex(), -1);
        QCOMPARE(ui->padLink1ComboBox->currentIndex(), -1);
        ui->kitEffect3->setCurrentIndex(-1);
        ui->downPageBtn->click();
        QCOMPARE(int(k7.kit_effect3), 30);
        QCOMPARE(int(k7.effect3_ctrl1), 5);
        QCOMPARE(int(k7.effect3_ctrl3), 7);
        QCOMPARE(int(k7.effect3_no), 7);
        QCOMPARE(int(k7.pedalChunk.pedal_contrl), 40);
        QCOMPARE(int(k7.work_color), 16);
        QCOMPARE(int(k7.pad_link1), 30);
        QCOMPARE(int(k7.pad_link2), 2);
        QCOMPARE(int(f->w->base0[6].kit_effect3), 30);
    }
};

QTEST_MAIN(TestKitEffects)
#include "test_kiteffects.moc"

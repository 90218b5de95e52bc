// Pad links, effect control boxes and effect slots of the kit settings page.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "setupflow_fixture.h"

#include <QtTest>

#include <memory>

namespace {
const QString kRange = "Value must be between 0 and 511.";
const QString kLink1 = "Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.";
const QString kLink2 = "Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.";

QVector<int> boxes(std::initializer_list<QSpinBox *> list)
{
    QVector<int> out;
    for (QSpinBox *b : list)
        out << (b->isHidden() ? -b->value() : b->value());
    return out;
}
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
        f->openKitPage(1);
        f->ui->kitEffect1->setCurrentIndex(1); // "ECHO": 102, 211, 102
        QSpinBox *box = f->ui->effect1_ctrl1;
        box->setValue(600);
        QCOMPARE(box->value() * 1000 + f->w->kitPages().oldControl(0, 0), 102102);
        box->setValue(999);
        box->setValue(511);
        box->stepUp();
        QCOMPARE(box->value() * 1000 + f->w->kitPages().oldControl(0, 0), 511511);
        QCOMPARE(f->prompter.titles(), QStringList({"Invalid Value", "Invalid Value"}));
        QCOMPARE(f->prompter.texts(), QStringList({kRange, kRange}));
    }

    void linkGroups()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QVector<MainWindow1Records::LINK_GROUP> &links = f->w->doc().kitLinkList(1);
        f->w->doc().setKitLink(2, 1, {5, 3}); // kit 3, group 2
        f->openKitPage(2);
        ui->padLink2ComboBox->setCurrentIndex(4);
        ui->padLink1ComboBox->setCurrentIndex(4); // refused: the same pad twice
        ui->padLink1ComboBox->setCurrentIndex(3);
        ui->padLink2ComboBox->setCurrentIndex(3); // refused
        ui->padLink1ComboBox->setCurrentIndex(0);
        QCOMPARE(f->prompter.texts(), QStringList({kLink1, kLink2}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning"}));
        QCOMPARE(links[0].link_pad1 * 100 + links[0].link_pad2, 0); // both "OFF" is fine

        ui->linkGroupComboBox->setCurrentIndex(1);
        ui->padLink1ComboBox->setCurrentIndex(3);
        ui->padLink2ComboBox->setCurrentIndex(5);
        ui->linkGroupComboBox->setCurrentIndex(2);
        ui->padLink1ComboBox->setCurrentIndex(9);
        ui->linkGroupComboBox->setCurrentIndex(1);
        QCOMPARE(ui->padLink1ComboBox->currentIndex() * 100 + ui->padLink2ComboBox->currentIndex(), 305);
        QCOMPARE(QVector<int>({links[1].link_pad1, links[1].link_pad2, links[2].link_pad1}), QVector<int>({3, 5, 9}));
        ui->downPageBtn->click(); // shows kit 3's pair of the same group, silently
        QCOMPARE(ui->padLink1ComboBox->currentIndex() * 100 + ui->padLink2ComboBox->currentIndex(), 503);
        QCOMPARE(f->prompter.prompts.size(), 2);
        QCOMPARE(f->kit(2).pedalChunk.pad_link2_1 * 100 + f->kit(2).pedalChunk.pad_link3_1, 309);
    }

    void typeChangesAndLayout()
    {
        Ui::MainWindow1 *ui = f->ui;
        loadEffectMemory(f->w->doc(), 4, 1, 1, {10, 20, 30}); // kit 5's memory of "ECHO"
        const MainWindow1Records::soundKit &k = f->kit(5);
        f->openKitPage(5);
        ui->kitEffect2->setCurrentIndex(1);
        QCOMPARE(boxes({ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3}), QVector<int>({10, 20, 30}));
        QCOMPARE(ui->lab_effect2_ctrl1->text() + ui->lab_effect2_ctrl3->text(), QString("Repeat:Damping:"));
        ui->effect2_ctrl2->setValue(444); // typed values never reach the memory
        f->editKit(5, [](MainWindow1Records::soundKit &kit) { kit.effect2_ctrl2 = kit.effect2_ctrl3 = 55; });
        ui->kitEffect2->setCurrentIndex(3); // "PITCH SHIFT": one control
        QCOMPARE(boxes({ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3}), QVector<int>({127, -999, -999}));
        QVERIFY(!ui->effect2_ctrl3->isEnabled() && ui->lab_effect2_ctrl2->isHidden());
        QCOMPARE(ui->lab_effect2_ctrl1->text() + ui->lab_effect2_ctrl3->text(), QString("Pitch Shift:Effect2 Ctrl3:"));
        QCOMPARE(QVector<int>({k.effect2_ctrl2, k.effect2_ctrl3, k.kit_effect2}), QVector<int>({999, 999, 0}));
        ui->kitEffect2->setCurrentIndex(1);
        QCOMPARE(ui->effect2_ctrl2->value(), 20);
        ui->kitEffect2->setCurrentIndex(22); // "RMS SOFT KNEE": no controls, like "THRU"
        QCOMPARE(boxes({ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3}), QVector<int>({-999, -999, -999}));
        QCOMPARE(int(k.effect2_ctrl1), 999);
        ui->kitEffect2->setCurrentIndex(4);
        ui->btnKitMove->click();
        QCOMPARE(QVector<int>({k.kit_effect2, k.effect2_ctrl1, k.effect2_ctrl3, f->w->doc().base0(4).effect2_ctrl3}),
                 QVector<int>({4, 380, 999, 999}));
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    // A kit switch shows the stored controls, not the memory.
    void switchShowsTheRecord()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->editKit(6, [](MainWindow1Records::soundKit &kit) {
            MainWindow1Records::PEDAL_SETTING &h = kit.pedalChunk;
            h.active_fx = 4;
            h.active_effectCtrl1 = 300;
            h.active_effectCtrl2 = 200;
            h.active_effectCtrl3 = 999;
            kit.effect1_no = 10;
        });
        loadEffectMemory(f->w->doc(), 5, 3, 4, {1, 2, 3});
        f->openKitPage(5);
        ui->downPageBtn->click();
        QCOMPARE(boxes({ui->effect4_ctrl1, ui->effect4_ctrl2, ui->effect4_ctrl3}), QVector<int>({300, 200, -999}));
        QCOMPARE(ui->lab_effect4_ctrl1->text() + ui->lab_effect4_ctrl2->text(), QString("Delay:Feedback:"));
        QCOMPARE(ui->effect1_no->currentIndex(), 0);
        ui->kitTempoSpinBox->setValue(ui->kitTempoSpinBox->value() + 1); // an edit: the commit maps the page
        ui->upPageBtn->click();
        QCOMPARE(int(f->kit(6).effect1_no), 0);
    }

    void valuesWithoutAnItemAreKept()
    {
        Ui::MainWindow1 *ui = f->ui;
        f->w->doc().setKitLink(6, 0, {30, 2}); // as a load leaves them: the list and the record alike
        f->editKit(7, [](MainWindow1Records::soundKit &k) {
            k.kit_effect3 = 30;
            k.effect3_ctrl1 = 5;
            k.effect3_ctrl3 = 7;
            k.effect3_no = 7;
            k.pedalChunk.pedal_contrl = 40;
            k.work_color = 16;
            k.pad_link1 = 30;
            k.pad_link2 = 2;
        });
        const MainWindow1Records::soundKit &k = f->kit(7);
        f->openKitPage(7);
        QCOMPARE(QVector<int>({ui->kitEffect3->currentIndex(), ui->pedalType->currentIndex(),
                               ui->workColorComboBox->currentIndex(), ui->padLink1ComboBox->currentIndex()}),
                 QVector<int>({-1, -1, -1, -1}));
        QCOMPARE(int(k.effect3_ctrl3), 7); // no layout for an unknown type
        ui->downPageBtn->click();
        QCOMPARE(QVector<int>({k.kit_effect3, k.effect3_ctrl1, k.effect3_ctrl3, k.effect3_no, k.pedalChunk.pedal_contrl,
                               k.work_color, k.pad_link1, k.pad_link2, f->w->doc().base0(6).kit_effect3}),
                 QVector<int>({30, 5, 7, 7, 40, 16, 30, 2, 30}));
    }

    // Choosing another link group is no edit, also for loaded pads the boxes
    // cannot show: the kit stays byte for byte and the close asks nothing.
    // (Last: a close that quits ends every later modal run.)
    void choosingALinkGroupIsNoEdit()
    {
        f.reset();
        setupflow_test::Fixture s;
        const QString setup = s.file("KIT_ALL.bin");
        QVERIFY(setupflow_test::makeSetup(setup));
        s.importAll(setup);
        const MainWindow1Records::soundKit &k = s.kit(5);
        QVERIFY(qMax(k.pad_link1, k.pad_link2) > 17 && k.kit_volume > 100);
        const QByteArray loaded = setupflow_test::kitSnapshot(k);
        s.openKitPage(5);
        s.ui->linkGroupComboBox->setCurrentIndex(1);
        s.ui->btnKitMove->click();
        QCOMPARE(setupflow_test::kitSnapshot(k), loaded);
        s.prompter.clear();
        QVERIFY(s.w->close());
        QVERIFY(s.prompter.prompts.isEmpty());
    }
};

QTEST_MAIN(TestKitEffects)
#include "test_kiteffects.moc"

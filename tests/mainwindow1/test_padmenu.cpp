// The pad menu of the pad labels, clearing a layer, pad copy and kit copy
// through their dialogs.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "windowfixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/lineedit.h"
#include "widgets/selectkitno.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <memory>

namespace {
// Every field of a pad record but its sound strings, as numbers.
QVector<int> padFields(const MainWindow1Records::KIT_PAD_SETTING &p)
{
    return {p.aWaveNo, p.bWaveNo, int(p.aWaveLength), int(p.bWaveEnd), p.aWaveVolume, p.bWavePan, p.aWavePitch,
            p.bWaveDecay, p.padNo, p.midi_code, p.midi_channel, p.midi_gate, p.mode, p.loop, p.trig_mode,
            p.velocity, p.dynamic, p.poly_mono, p.pad_volume, p.mute_group, p.pad_fs_ctrl};
}
} // namespace

class TestPadMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    void rightClick(QLabel *label)
    {
        QTest::mouseClick(label, Qt::RightButton);
        f->w->mainPadPage().pad_menu()->hide();
    }
    const MainWindow1Records::KIT_PAD_SETTING &pad(int kit, int p) { return f->kit(kit).kpadChunk[p]; }

private slots:
    void init()
    {
        f.reset(new WindowFixture);
        f->w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->w));
    }
    void cleanup() { f.reset(); }

    void menuEntriesFollowPadAndSound()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("2");
        f->editKit(2, [](MainWindow1Records::soundKit &k) {
            k.kpadChunk[2].soundName1 = "Snare";
            k.kpadChunk[11].soundName0 = "Tom";
        });
        struct Case
        {
            QLabel *label;
            bool copy, clear;
        };
        const Case cases[] = {{f->ui->labPad03a, true, false}, {f->ui->labPad03b, true, true},
                              {f->ui->labPad12a, false, true}, {f->ui->labPad12b, false, false},
                              {f->ui->labPad19a, false, false}};
        for (const Case &c : cases) {
            rightClick(c.label);
            QCOMPARE(w->mainPadPage().pad_copy()->isEnabled(), c.copy);
            QCOMPARE(w->mainPadPage().pad_clear()->isEnabled(), c.clear);
        }
        QCOMPARE(w->mainPadPage().curPadIndex() * 10 + w->mainPadPage().curLayer(), 180); // layer of the last sound clicked: A of pad 12
        QTest::mouseClick(f->ui->labPad12a, Qt::RightButton);
        QVERIFY(f->ui->labPad12a->styleSheet().startsWith("PadLabel:hover{background-color: rgba(119,201,255, 50%);}"));
        QTest::mouseClick(f->ui->labPad05b, Qt::LeftButton); // a left click removes the highlight
        QCOMPARE(f->ui->labPad12a->styleSheet(), QString("PadLabel{background-color: rgba(255,255,255, 0%);}"));
        QCOMPARE(w->mainPadPage().pad_copy()->text() + w->mainPadPage().pad_clear()->text(), QString("Pad Copy Clear Assignments"));
    }

    void menuStaysOnScreen()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCursor::setPos(area.bottomRight() - QPoint(5, 5));
        QTest::mouseClick(f->ui->labPad01a, Qt::RightButton);
        QVERIFY(f->w->mainPadPage().pad_menu()->isVisible());
        QVERIFY(area.contains(f->w->mainPadPage().pad_menu()->geometry()));
        f->w->mainPadPage().pad_menu()->hide();
        QCursor::setPos(area.center());
        QTest::mouseClick(f->ui->labPad01a, Qt::RightButton);
        QCOMPARE(f->w->mainPadPage().pad_menu()->pos(), area.center());
        f->w->mainPadPage().pad_menu()->hide();
    }

    void clearAssignments()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("4");
        f->editKit(4, [](MainWindow1Records::soundKit &k) {
            for (MainWindow1Records::KIT_PAD_SETTING *s : {&k.kpadChunk[6], &k.kpadChunk[17]}) {
                s->soundName0 = s->soundName1 = "Kick";
                s->soundFile0 = s->soundFile1 = "/s/kick.wav";
                s->aWaveNo = s->bWaveNo = 12;
            }
        });
        w->mainPadPage().dispPadList(w->doc().kitAttrList(), 3);
        rightClick(f->ui->labPad07b);
        w->mainPadPage().pad_clear()->trigger();
        for (const MainWindow1Records::KIT_PAD_SETTING *s : {&pad(4, 6), &w->doc().kitPadList(3)[6]}) {
            QCOMPARE(s->soundName0 + '|' + s->soundFile0 + '|' + s->soundName1 + s->soundFile1, QString("Kick|/s/kick.wav|"));
            QCOMPARE(int(s->aWaveNo) * 100000 + s->bWaveNo, 12 * 100000 + 0xFFFF);
        }
        QCOMPARE(f->ui->labPad07b->text() + '|' + f->ui->labPad07a->text(), QString("|Kick"));
        rightClick(f->ui->labPad18a); // a foot switch: its one layer
        w->mainPadPage().pad_clear()->trigger();
        QCOMPARE(pad(4, 17).soundName0 + w->doc().kitPadList(3)[17].soundFile0, QString());
        QCOMPARE(int(w->doc().kitPadList(3)[17].aWaveNo), 0xFFFF);
        // A kit commit afterwards does not bring the sound back.
        f->openKitPage(4);
        f->ui->btnKitMove->click();
        QCOMPARE(int(pad(4, 6).bWaveNo), 0xFFFF);
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    void padCopy()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("3");
        f->editKit(3, [](MainWindow1Records::soundKit &k) {
            MainWindow1Records::KIT_PAD_SETTING &src = k.kpadChunk[4];
            src.soundName0 = "Kick";
            src.soundFile0 = "/s/kick.wav";
            src.aWaveNo = 7;
            src.aWaveLength = 1234;
            src.midi_code = 99;
            src.mode = 3;
            src.pad_fs_ctrl = 2;
        });
        const MainWindow1Records::KIT_PAD_SETTING &src = pad(3, 4);
        const int dstPadNo = pad(3, 3).padNo;
        rightClick(f->ui->labPad05a);
        QSignalSpy answer(w->mainPadPage().copy_pad(), &CopyPadFunc::sendDstPad);
        w->mainPadPage().pad_copy()->trigger();
        QVERIFY(w->mainPadPage().copy_pad()->isVisible());
        w->mainPadPage().copy_pad()->findChild<QSpinBox *>("dstValue")->setValue(4);
        w->mainPadPage().copy_pad()->findChild<QAbstractButton *>("btnYes")->click();
        QCOMPARE(answer.count(), 1);
        QCOMPARE(answer[0], QVariantList({3, 5, 4}));
        QVector<int> expected = padFields(src);
        expected[8] = dstPadNo; // the destination keeps its pad number
        QCOMPARE(padFields(pad(3, 3)), expected);
        QCOMPARE(padFields(w->doc().kitPadList(2)[3]), expected);
        QCOMPARE(pad(3, 3).soundName0 + pad(3, 3).soundFile0, QString("Kick/s/kick.wav"));
        QCOMPARE(f->ui->labPad04a->text(), QString("Kick"));
        QCOMPARE(f->prompter.titles() + f->prompter.texts(), QStringList({"Complete", "Copy completed."}));

        // Cancel changes nothing.
        const QVector<int> before = padFields(pad(3, 5));
        w->mainPadPage().pad_copy()->trigger();
        w->mainPadPage().copy_pad()->findChild<QAbstractButton *>("btnNo")->click();
        QCOMPARE(padFields(pad(3, 5)), before);
        QCOMPARE(f->prompter.prompts.size(), 1);

        // Answered after paging on: the copy stays in its kit, the pads show the kit in the field.
        w->mainPadPage().pad_copy()->trigger();
        f->ui->downPageBtn->click();
        w->mainPadPage().copy_pad()->findChild<QSpinBox *>("dstValue")->setValue(2);
        w->mainPadPage().copy_pad()->findChild<QAbstractButton *>("btnYes")->click();
        QCOMPARE(pad(3, 1).soundName0, QString("Kick"));
        QCOMPARE(f->ui->kitNumber->text() + f->ui->labPad02a->text() + f->ui->labPad04a->text(), QString("4"));
        w->mainPadPage().copy_pad()->hide();
    }

    // The right-click highlight lasts while its menu or the Pad Copy it
    // opened is open: it goes with OK, Cancel, or a menu left without an action.
    void highlightEndsWithItsMenu()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("3");
        f->editKit(3, [](MainWindow1Records::soundKit &k) { k.kpadChunk[4].soundName0 = "Kick"; });
        QLabel *label = f->ui->labPad05a;
        auto highlighted = [label]() { return label->styleSheet().startsWith("PadLabel:hover"); };
        for (const char *answer : {"btnYes", "btnNo", ""}) {
            QTest::mouseClick(label, Qt::RightButton);
            QVERIFY(highlighted());
            if (*answer) {
                QTest::mouseClick(w->mainPadPage().pad_menu(), Qt::LeftButton, {}, w->mainPadPage().pad_menu()->actionGeometry(w->mainPadPage().pad_copy()).center());
                QTRY_VERIFY(w->mainPadPage().copy_pad()->isVisible());
                QTest::qWait(20);
                QVERIFY(highlighted());
                QTest::mouseClick(w->mainPadPage().copy_pad()->findChild<QAbstractButton *>(answer), Qt::LeftButton);
            } else {
                QTest::keyClick(w->mainPadPage().pad_menu(), Qt::Key_Escape);
            }
            QTRY_VERIFY(!highlighted());
        }
        QCOMPARE(f->prompter.texts(), QStringList({"Copy completed."}));
    }

    void kitCopyFromButtonAndNameField()
    {
        MainWindow1 *w = f->w;
        f->typeKitNumber("5");
        f->editKit(5, [](MainWindow1Records::soundKit &src) {
            src.kit_name = "Five";
            src.kit_volume = 66;
            src.kit_effect3 = 7;
            src.pedalChunk.hh_wave4_name = "Hat";
            src.kpadChunk[9].soundName1 = "Tom";
            src.kpadChunk[9].midi_code = 50;
        });
        f->ui->kitNameLineEdit->setText("Five");
        w->doc().setKitLink(4, 1, {2, 3});
        loadEffectMemory(w->doc(), 4, 2, 7, {10, 20, 30});
        QSignalSpy renamed(&w->mainPadPage(), &MainPadPageController::kitNameChanged);

        f->ui->btnCopyKit->click();
        QVERIFY(w->mainPadPage().kitCopy()->isVisible());
        QCOMPARE(w->mainPadPage().kitCopy()->findChild<QLabel *>("labKitName")->text(), QString("K005"));
        w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(8);
        w->mainPadPage().kitCopy()->findChild<QAbstractButton *>("btnKitOk")->click();
        const MainWindow1Records::soundKit &dst = f->kit(8);
        QCOMPARE(dst.kit_name + dst.pedalChunk.hh_wave4_name + dst.kpadChunk[9].soundName1, QString("FiveHatTom"));
        QCOMPARE(QVector<int>({dst.kit_no, dst.kit_volume, dst.kit_effect3, dst.kpadChunk[9].midi_code,
                               w->doc().kitPadList(7)[9].midi_code, w->doc().kitLinkList(7)[1].link_pad2,
                               w->doc().kitEffectList(2, 7)[7].parm2}),
                 QVector<int>({7, 66, 7, 50, 50, 3, 20}));
        QCOMPARE(w->doc().kitNameList()[7] + w->kitChains().kitChainNameList()[7], QString("FiveFive"));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(f->prompter.texts(), QStringList({"Copy completed."}));
        w->mainPadPage().kitCopy()->hide();

        // The kit the dialog names is copied, also when the user paged on while it was open.
        f->ui->btnCopyKit->click();
        f->ui->downPageBtn->click();
        w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(9);
        w->mainPadPage().kitCopy()->findChild<QAbstractButton *>("btnKitOk")->click();
        QCOMPARE(f->kit(9).kit_name + w->doc().kitNameList()[8] + w->kitChains().kitChainNameList()[8],
                 QString("FiveFiveFive"));
        QCOMPARE(int(f->kit(9).kit_volume) * 100 + f->kit(9).kit_no, 6608);
        QCOMPARE(f->ui->kitNumber->text(), QString("6"));
        f->typeKitNumber("5");

        // The kit name field's own menu entry and dialog.
        auto *field = static_cast<LineEdit *>(f->ui->kitNameLineEdit);
        field->kitCopyAction()->trigger();
        CopyKitFunc *own = field->copyKitDialog();
        QCOMPARE(own->findChild<QLabel *>("labKitName")->text(), QString("K005"));
        own->findChild<QSpinBox *>("dstKitBox")->setValue(12);
        own->findChild<QAbstractButton *>("btnKitOk")->click();
        QCOMPARE(f->kit(12).kit_volume, quint8(66));
        QCOMPARE(int(f->kit(12).kit_no), 11);
        own->findChild<QAbstractButton *>("btnKitNo")->click(); // cancelled: nothing
        QCOMPARE(f->prompter.prompts.size(), 3);
    }

    // A copy into the kit the kit settings page shows is what the next commit keeps.
    void copyIntoTheShownKitIsKept()
    {
        MainWindow1 *w = f->w;
        f->editKit(5, [](MainWindow1Records::soundKit &k) {
            k.kit_name = "Five";
            k.kit_volume = 55;
        });
        f->openKitPage(5);
        f->ui->btnCopyKit->click();
        f->ui->downPageBtn->click();
        w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(6);
        w->mainPadPage().kitCopy()->findChild<QAbstractButton *>("btnKitOk")->click();
        QCOMPARE(f->ui->kitVolumeSpinBox->value(), 55);
        f->ui->downPageBtn->click();
        QCOMPARE(f->kit(6).kit_name + QString::number(f->kit(6).kit_volume), QString("Five55"));
        QCOMPARE(QByteArray(w->doc().base0(5).kit_name) + QByteArray::number(w->doc().base0(5).kit_volume),
                 QByteArray("Five55"));
        w->mainPadPage().kitCopy()->hide();
        // A pad copied onto the pad the page shows is kept as well.
        f->editKit(7, [](MainWindow1Records::soundKit &k) { k.kpadChunk[1].midi_code = 77; });
        w->mainPadPage().openPadMenu(w->mainPadPage().padWidgetGroup()[1].lableA->objectName()); // the pad menu on pad 2
        w->mainPadPage().pad_menu()->hide();
        w->mainPadPage().copyPad();
        w->mainPadPage().copy_pad()->findChild<QSpinBox *>("dstValue")->setValue(int(w->kitPages().curPadNumber()) + 1);
        w->mainPadPage().copy_pad()->findChild<QAbstractButton *>("btnYes")->click();
        const int shown = w->kitPages().curPadNumber();
        f->ui->downPageBtn->click();
        QCOMPARE(int(pad(7, shown).midi_code) * 100 + shown, 7700);
        w->mainPadPage().copy_pad()->hide();
    }

    // The dialogs made without a parent go with the window, shown or not.
    void dialogsGoWithTheWindow()
    {
        const QPointer<QDialog> dialogs[] = {f->w->mainPadPage().copy_pad(), f->w->mainPadPage().kitCopy(), f->w->setupFiles().skn()};
        f->ui->btnCopyKit->click();
        delete f->w;
        f->w = nullptr;
        for (const QPointer<QDialog> &d : dialogs)
            QVERIFY(d.isNull());
    }
};

QTEST_MAIN(TestPadMenu)
#include "test_padmenu.moc"

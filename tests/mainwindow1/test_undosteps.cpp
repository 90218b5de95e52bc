// Each edit the window offers, made with its own widgets, is one step of the
// history named in the History menu; Ctrl+Z, pressed with another kit and
// page shown, puts the kits, chains, global settings and sound library back
// as they were and shows the kit and page the step changed; Ctrl+Shift+Z
// makes the edit again. The menu reads Chinese in Chinese.
#include "dropfixture.h"
#include "history/edithistory.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "setupflow_fixture.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"

#include <QAction>
#include <QMenuBar>
#include <QSpinBox>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QString groupsText(const SoundLibrary &lib)
{
    QStringList out;
    for (const soundfilexml::strSoundGroup &g : lib.soundGroupList()) {
        QStringList sounds;
        for (const soundfilexml::strSoundItem &s : g.soundList)
            sounds << s.name + '=' + s.file;
        out << g.name + ':' + sounds.join(',');
    }
    return out.join(';');
}

} // namespace

class TestUndoSteps : public QObject
{
    Q_OBJECT

    std::unique_ptr<DropFixture> f;
    QString kick, snare;

    // Everything an edit may change: the kits, chains and global settings,
    // the sound list's rows and records, and the groups.
    QByteArray state()
    {
        QByteArray out;
        for (const MainWindow1Records::soundKit &k : f->w->doc().kitAttrList())
            out += setupflow_test::kitSnapshot(k);
        // The chains' steps and switches (which number a row shows is the page's).
        for (const MainWindow1Records::KIT_CHAIN &c : f->w->doc().kitChainList())
            out += char(c.kit_chain) + QByteArray(reinterpret_cast<const char *>(c.curKitChain), int(sizeof c.curKitChain));
        out += f->w->doc().globalSettingsBytes(f->w->kitPages().globalPage());
        out += f->totalRows().join('\n').toUtf8() + f->mirrorRows().join('\n').toUtf8();
        for (const MainWindow1Records::SOUND_INDEX &s : f->w->library().waveLoadKitAttrList())
            out += QByteArray(s.wave_name, 16) + s.file.toUtf8() + QByteArray::number(s.wave_No);
        return out + groupsText(f->w->library()).toUtf8();
    }
    QString firstDifference(const QByteArray &a, const QByteArray &b)
    {
        int i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i])
            ++i;
        return QString("at %1 of %2/%3").arg(i).arg(a.size()).arg(b.size());
    }
    QAction *action(const char *name) { return f->w->findChild<QAction *>(QString::fromLatin1(name)); }
    // The keys where the focus is (a copy dialog left open too); in a text
    // field they would act on its text: then on the window's CLEAR button.
    void keys(Qt::Key key, Qt::KeyboardModifiers mods)
    {
        QWidget *at = QApplication::focusWidget();
        if (!at || qobject_cast<QLineEdit *>(at) || qobject_cast<QAbstractSpinBox *>(at)) {
            QApplication::setActiveWindow(f->w);
            at = f->ui->btnClear;
            at->setFocus();
        }
        QTest::keyClick(at, key, mods);
        QCoreApplication::processEvents();
    }
    // Somewhere else: the main pad page on kit 50.
    void lookAway()
    {
        if (f->ui->stackedWidget->currentIndex() != 0)
            f->ui->btnSoundKit->click();
        if (f->w->mainPadPage().dot() != 0)
            f->ui->btnKitMove->click();
        if (f->w->mainPadPage().dot() == 1)
            f->ui->btnKitMove->click();
        f->typeKitNumber("50");
    }
    // `edit` is one step named `name`; undone by the keys it shows `shown`.
    void oneStep(const QString &name, const std::function<void()> &edit, const std::function<bool()> &shown)
    {
        const QByteArray before = state();
        const int steps = f->w->history().stack().count();
        edit();
        QCoreApplication::processEvents();
        const QByteArray after = state();
        QVERIFY2(after != before, qPrintable(name + ": nothing changed"));
        QCOMPARE(f->w->history().stack().count(), steps + 1);
        QCOMPARE(action("actionUndo")->text(), "Undo " + name);
        f->w->history().endRun();
        lookAway();
        QVERIFY2(state() == after, qPrintable(name + ": looking changed " + firstDifference(state(), after))); // looking changes nothing
        keys(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(state() == before, qPrintable(name + ": not undone " + firstDifference(state(), before)));
        QVERIFY2(shown(), qPrintable(name + ": not shown: page " + QString::number(f->w->mainPadPage().dot()) + " kit "
                                     + f->ui->kitNumber->text() + " spin " + QString::number(f->ui->kitNoSpinBox->value())
                                     + " stack " + QString::number(f->ui->stackedWidget->currentIndex())));
        QCOMPARE(action("actionRedo")->text(), "Redo " + name);
        keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(state() == after, qPrintable(name + ": not redone"));
        lookAway();
    }
    bool padsOf(int kit) { return f->w->mainPadPage().dot() == 0 && f->ui->kitNumber->text() == QString::number(kit); }
    bool settingsOf(int kit)
    {
        return f->w->mainPadPage().dot() == 2 && f->ui->kitNoSpinBox->value() == kit;
    }
    bool chainPage() { return f->w->mainPadPage().dot() == 1; }
    void showChains()
    {
        f->ui->btnSoundKit->click();
        if (f->w->mainPadPage().dot() != 1)
            f->ui->btnKitChain->click();
    }
    // `name` typed over kit `kit`'s name (1-based) in the Kit Chain list.
    void typeInKitList(int kit, const QString &name)
    {
        showChains();
        QTreeView *view = f->ui->kitListtreeView;
        view->expandAll();
        const QModelIndex cell = f->w->kitChains().kitChainListItemModel()->item(0)->child(kit - 1, 1)->index();
        view->scrollTo(cell);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        typeInEditor(name);
    }
    // `name` typed over the text of the cell editor that has the focus, then Return.
    void typeInEditor(const QString &name)
    {
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void init()
    {
        f.reset(new DropFixture);
        QApplication::setActiveWindow(f->w);
        QVERIFY(QTest::qWaitForWindowActive(f->w));
        kick = f->sound("Kick.wav", "RIFF");
        snare = f->sound("Snare.wav", "RIFF");
        f->addListed("Kick", kick, 1);
        f->addListed("Snare", snare, 2);
        f->editKit(3, [this](MainWindow1Records::soundKit &k) {
            for (int p = 0; p < 4; ++p) {
                k.kpadChunk[p].soundName0 = "Kick";
                k.kpadChunk[p].soundFile0 = kick;
            }
        });
        f->typeKitNumber("3");
        QCOMPARE(f->w->history().stack().count(), 0);
    }
    void cleanup() { f.reset(); }

    void kitPageEdits()
    {
        Ui::MainWindow1 *ui = f->ui;
        if (QTest::currentTestFailed()) return;
        oneStep("name of kit 3", [&] {
            f->typeKitNumber("3");
            QTest::mouseClick(ui->kitNameLineEdit, Qt::LeftButton);
            ui->kitNameLineEdit->selectAll();
            QTest::keyClicks(ui->kitNameLineEdit, "Three");
            QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Return);
        }, [&] { return padsOf(3) && ui->kitNameLineEdit->text() == "New Kit"; });
        if (QTest::currentTestFailed()) return;
        oneStep("Kit Copy of kit 3 to kit 8", [&] {
            f->typeKitNumber("3");
            QTest::mouseClick(ui->btnCopyKit, Qt::LeftButton);
            f->w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(8);
            QTest::mouseClick(f->w->mainPadPage().kitCopy()->findChild<QAbstractButton *>("btnKitOk"), Qt::LeftButton);
        }, [&] { return padsOf(8) && ui->labPad01a->text().isEmpty(); });
        if (QTest::currentTestFailed()) return;
        oneStep("Pad Copy of pad 1 to pad 6 of kit 3", [&] {
            f->typeKitNumber("3");
            QTest::mouseClick(ui->labPad01a, Qt::RightButton);
            f->w->mainPadPage().pad_menu()->hide();
            f->w->mainPadPage().pad_copy()->trigger();
            f->w->mainPadPage().copy_pad()->findChild<QSpinBox *>("dstValue")->setValue(6);
            QTest::mouseClick(f->w->mainPadPage().copy_pad()->findChild<QAbstractButton *>("btnYes"), Qt::LeftButton);
        }, [&] { return padsOf(3) && ui->labPad06a->text().isEmpty(); });
        if (QTest::currentTestFailed()) return;
        oneStep("Clear of pad 2 of kit 3", [&] {
            f->typeKitNumber("3");
            QTest::mouseClick(ui->labPad02a, Qt::RightButton);
            f->w->mainPadPage().pad_menu()->hide();
            f->w->mainPadPage().pad_clear()->trigger();
        }, [&] { return padsOf(3) && ui->labPad02a->text() == "Kick"; });
        if (QTest::currentTestFailed()) return;
        oneStep("sound on pad 7 of kit 3", [&] {
            f->typeKitNumber("3");
            f->dropOnPad(6, 1, dragpayload::record("Snare", snare));
        }, [&] { return padsOf(3) && ui->labPad07b->text().isEmpty(); });
        if (QTest::currentTestFailed()) return;
        oneStep("CLEAR of kit 3", [&] {
            f->typeKitNumber("3");
            QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        }, [&] { return padsOf(3) && ui->labPad01a->text() == "Kick"; });
        QCOMPARE(f->prompter.texts(), QStringList({"Copy completed.", "Copy completed."}));
    }

    void settingsPagesEdits()
    {
        Ui::MainWindow1 *ui = f->ui;
        int volume = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("settings of kit 3", [&] {
            f->openKitPage(3);
            volume = ui->kitVolumeSpinBox->value();
            QTest::mouseClick(ui->kitVolumeSpinBox, Qt::LeftButton);
            for (int i = 0; i < 3; ++i) // held down: one step
                QTest::keyClick(ui->kitVolumeSpinBox, Qt::Key_Down);
        }, [&] { return settingsOf(3) && ui->kitVolumeSpinBox->value() == volume; });
        if (QTest::currentTestFailed()) return;
        oneStep("hi-hat sound 2 of kit 3", [&] {
            f->openKitPage(3);
            f->drag(ui->pedalWidget, DropFixture::centreIn(ui->hh_wave2_groupBox, ui->pedalWidget),
                    dragpayload::record("Snare", snare));
        }, [&] { return settingsOf(3) && ui->hh_wave2_name->text() != "Snare"; });
        int volume2 = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("settings of pad 1 of kit 3", [&] {
            f->openKitPage(3);
            ui->padNoComboBox->setCurrentIndex(0);
            volume2 = ui->waveAVolumeSpinBox->value();
            QTest::mouseClick(ui->waveAVolumeSpinBox, Qt::LeftButton);
            QTest::keyClick(ui->waveAVolumeSpinBox, Qt::Key_Down);
            QTest::keyClick(ui->waveAVolumeSpinBox, Qt::Key_Down);
        }, [&] { return settingsOf(3) && ui->waveAVolumeSpinBox->value() == volume2; });
        int layer = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("settings of kit 3", [&] {
            f->openKitPage(3);
            layer = ui->hhLayer3SpinBox->value();
            QTest::mouseClick(ui->hhLayer3SpinBox, Qt::LeftButton);
            QTest::keyClick(ui->hhLayer3SpinBox, Qt::Key_Down);
            QTest::keyClick(ui->hhLayer3SpinBox, Qt::Key_Down);
            QTest::keyClick(ui->hhLayer3SpinBox, Qt::Key_Return);
        }, [&] { return settingsOf(3) && ui->hhLayer3SpinBox->value() == layer; });
        int effect = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("settings of kit 3", [&] {
            f->openKitPage(3);
            effect = ui->kitEffect1->currentIndex();
            ui->kitEffect1->setFocus();
            QTest::keyClick(ui->kitEffect1, effect == 0 ? Qt::Key_Down : Qt::Key_Up);
        }, [&] { return settingsOf(3) && ui->kitEffect1->currentIndex() == effect; });
        int control = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("settings of kit 3", [&] {
            f->openKitPage(3);
            if (ui->kitEffect1->currentIndex() == 0) {
                ui->kitEffect1->setFocus();
                QTest::keyClick(ui->kitEffect1, Qt::Key_Down); // its controls show
            }
            control = ui->effect1_ctrl1->value();
            QTest::mouseClick(ui->effect1_ctrl1, Qt::LeftButton);
            QTest::keyClick(ui->effect1_ctrl1, control == 0 ? Qt::Key_Up : Qt::Key_Down);
        }, [&] { return settingsOf(3) && ui->effect1_ctrl1->value() == control; });
        int link = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("pad links of kit 3", [&] {
            f->openKitPage(3);
            link = ui->padLink1ComboBox->currentIndex();
            ui->padLink1ComboBox->setFocus();
            QTest::keyClick(ui->padLink1ComboBox, Qt::Key_Down);
        }, [&] { return settingsOf(3) && ui->padLink1ComboBox->currentIndex() == link; });
        int led = 0;
        if (QTest::currentTestFailed()) return;
        oneStep("global settings", [&] {
            ui->actionGlobal_Setting->trigger();
            led = ui->ledTypeComboBox->currentIndex();
            ui->ledTypeComboBox->setFocus();
            QTest::keyClick(ui->ledTypeComboBox, led == 0 ? Qt::Key_Down : Qt::Key_Up);
        }, [&] { return ui->stackedWidget->currentIndex() != 0 && ui->ledTypeComboBox->currentIndex() == led; });
    }

    void chainEdits()
    {
        Ui::MainWindow1 *ui = f->ui;
        if (QTest::currentTestFailed()) return;
        oneStep("step 3 of kit chain 1", [&] {
            showChains();
            f->drag(ui->stepWidget, DropFixture::centreIn(ui->groupStep3, ui->stepWidget),
                    dragpayload::record("7", "New Kit"));
        }, [&] { return chainPage() && ui->step3Lab->text().isEmpty(); });
        if (QTest::currentTestFailed()) return;
        oneStep("kit chain 1 ON", [&] {
            showChains();
            QTest::mouseClick(ui->rBtnKitChainOn, Qt::LeftButton);
        }, [&] { return chainPage() && ui->rBtnKitChainOff->isChecked(); });
        if (QTest::currentTestFailed()) return;
        oneStep("name of kit 5", [&] {
            typeInKitList(5, "Five");
            QTest::mouseClick(ui->btnKitMove, Qt::LeftButton); // the page left takes it over
        }, [&] { return chainPage() && f->kit(5).kit_name == "New Kit"; });
        if (QTest::currentTestFailed()) return;
        f->editKit(10, [](MainWindow1Records::soundKit &k) { k.kit_volume = 10; });
        oneStep("move of kit 10", [&] {
            showChains();
            ui->kitListtreeView->setCurrentIndex(
                    f->w->kitChains().kitChainListItemModel()->item(0)->child(9, 1)->index());
            QTest::mouseClick(ui->moveUpKit, Qt::LeftButton);
        }, [&] { return chainPage() && f->kit(10).kit_volume == 10; });
    }

    void libraryEdits()
    {
        Ui::MainWindow1 *ui = f->ui;
        auto groupShown = [&] { return !f->w->library().leftGroupList().contains("Loops"); };
        if (QTest::currentTestFailed()) return;
        oneStep("new group Loops", [&] {
            f->prompter.textAnswers.enqueue({"Loops", true});
            QTest::mouseClick(ui->addWaveGroup, Qt::LeftButton);
        }, groupShown);
        f->prompter.textAnswers.enqueue({"Loops", true});
        QTest::mouseClick(ui->addWaveGroup, Qt::LeftButton);
        if (QTest::currentTestFailed()) return;
        oneStep("name of group Beats", [&] {
            f->w->library().soundListItemModel()->item(0)->setText("Beats");
        }, [&] { return f->w->library().soundListItemModel()->item(0)->text() == "Loops"; });
        const SoundListModel *total = f->w->library().totalListItemModel();
        if (QTest::currentTestFailed()) return;
        oneStep("name of sound Kicker", [&] {
            total->itemFromIndex(total->soundIndex(0, 1))->setText("Kicker");
        }, [&] { return total->soundText(0, 1) == "Kick"; });
        // Typed in the hi-hat list: that row alone, shown on the hi-hat page.
        const SoundListModel *mirror = f->w->library().hhSoundItemModel();
        if (QTest::currentTestFailed()) return;
        oneStep("name of sound Hat", [&] {
            f->openKitPage(3);
            QTreeView *view = ui->soundListTreeView;
            view->expandAll();
            const QModelIndex cell = mirror->soundIndex(1, 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
            QTest::keyClick(view, Qt::Key_F2);
            typeInEditor("Hat");
        }, [&] { return f->w->mainPadPage().dot() == 2 && mirror->soundText(1, 0) == "Snare"; });
        QCOMPARE(mirror->soundText(1, 0), QString("Hat"));
        QCOMPARE(total->soundText(1, 1), QString("Snare")); // the list keeps its name
        const QString first = total->soundText(0, 1);
        if (QTest::currentTestFailed()) return;
        oneStep("order of the sound list", [&] {
            QTest::mouseClick(ui->DownRbtn, Qt::LeftButton);
        }, [&] { return total->soundText(0, 1) == first; });
        if (QTest::currentTestFailed()) return;
        oneStep("DEL of sound Snare", [&] {
            QItemSelectionModel *selection = ui->totalWaveTreeView->selectionModel();
            selection->clearSelection();
            for (int r = 0; r < total->soundCount(); ++r) {
                if (total->soundText(r, 1) == "Snare")
                    selection->select(total->soundIndex(r), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
            QTest::mouseClick(ui->tbtDel, Qt::LeftButton);
        }, [&] { return total->soundCount() == 2; });
        const QString group = f->w->library().soundListItemModel()->item(0)->text();
        if (QTest::currentTestFailed()) return;
        oneStep("DEL in the sound groups", [&] {
            QTreeView *view = ui->waveGroupTreeView;
            const QModelIndex row = f->w->library().soundListItemModel()->index(0, 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
            f->prompter.buttonAnswers.enqueue(QMessageBox::Yes);
            QTest::mouseClick(ui->delWaveGroup, Qt::LeftButton);
        }, [&] { return f->w->library().soundListItemModel()->item(0)->text() == group; });
    }

    // Sound files dropped on a group are one step, a name typed for one of
    // them another.
    void soundsOfAGroup()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QString wav = f->sound("Clap.wav", kf::wavBytes(4000, 7));
        f->prompter.textAnswers.enqueue({"Loops", true});
        QTest::mouseClick(ui->addWaveGroup, Qt::LeftButton);
        f->w->history().endRun();
        oneStep("sounds added to group Loops", [&] {
            f->drag(ui->left_stackedSoundWidget, ui->left_stackedSoundWidget->rect().center(), QString(), {wav});
        }, [&] { return f->w->library().soundGroupList().value(0).soundList.isEmpty(); });
        f->w->history().endRun();
        const SoundListModel *groups = f->w->library().soundListItemModel();
        if (QTest::currentTestFailed()) return;
        oneStep("name of sound Snap", [&] {
            QTreeView *view = ui->waveGroupTreeView;
            view->expandAll();
            const QModelIndex cell = groups->index(0, 0, groups->index(0, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
            QTest::keyClick(view, Qt::Key_F2);
            typeInEditor("Snap");
        }, [&] { return groups->index(0, 0, groups->index(0, 0)).data().toString() == "Clap"; });
    }

    // The metronome sound's number held down, a chain's steps cleared, a
    // kit renamed in the list and taken by OK: one step each.
    void moreEdits()
    {
        Ui::MainWindow1 *ui = f->ui;
        int click = 0;
        oneStep("global settings", [&] {
            ui->actionGlobal_Setting->trigger();
            click = ui->clickSoundNoSpinBox->value();
            QTest::mouseClick(ui->clickSoundNoSpinBox, Qt::LeftButton);
            QTest::keyClick(ui->clickSoundNoSpinBox, click < 3 ? Qt::Key_Up : Qt::Key_Down);
            QTest::keyClick(ui->clickSoundNoSpinBox, click < 3 ? Qt::Key_Up : Qt::Key_Down);
        }, [&] { return ui->stackedWidget->currentIndex() != 0 && ui->clickSoundNoSpinBox->value() == click; });
        f->w->history().endRun();
        showChains();
        f->drag(ui->stepWidget, DropFixture::centreIn(ui->groupStep3, ui->stepWidget), dragpayload::record("7", "New Kit"));
        f->w->history().endRun();
        if (QTest::currentTestFailed()) return;
        oneStep("steps of kit chain 1 cleared", [&] {
            showChains();
            QTest::mouseClick(ui->btnClearStep, Qt::LeftButton);
        }, [&] { return chainPage() && ui->step1Lab->text() == "New Kit"; });
        if (QTest::currentTestFailed()) return;
        oneStep("name of kit 6", [&] {
            typeInKitList(6, "Six");
            QTest::mouseClick(ui->btnSureKitChain, Qt::LeftButton);
        }, [&] { return chainPage() && f->kit(6).kit_name == "New Kit"; });
    }

    // A kit name typed in the kit list and not yet taken by OK, or typed in
    // the name field when the menu's Undo is chosen, becomes a step of its
    // own before the undo: the undo takes that name back, the step before
    // stays, and the redo brings the name again.
    void aNameNotYetTakenIsAStep()
    {
        Ui::MainWindow1 *ui = f->ui;
        QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        f->w->history().endRun();
        typeInKitList(5, "Five");
        QCOMPARE(f->kit(5).kit_name, QString("New Kit")); // waits for OK
        keys(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->kit(5).kit_name, QString("New Kit"));
        QCOMPARE(f->w->doc().kitNameList().value(4), QString("New Kit"));
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(action("actionUndo")->text(), QString("Undo CLEAR of kit 3"));
        keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f->kit(5).kit_name, QString("Five"));

        lookAway();
        f->typeKitNumber("3");
        QTest::mouseClick(ui->kitNameLineEdit, Qt::LeftButton);
        ui->kitNameLineEdit->selectAll();
        QTest::keyClicks(ui->kitNameLineEdit, "Typed");
        action("actionUndo")->trigger();
        QCOMPARE(f->kit(3).kit_name, QString("New Kit"));
        QCOMPARE(action("actionRedo")->text(), QString("Redo name of kit 3"));
        action("actionRedo")->trigger();
        QCOMPARE(f->kit(3).kit_name, QString("Typed"));
        QCOMPARE(f->w->history().stack().count(), 3);
    }

    // A name typed in the kit list for a kit the IMPORT then replaces is the
    // old kit's: its own step before the IMPORT, never the imported kit's.
    void aNameTypedBeforeAnImportStaysWithTheOldKit()
    {
        const QString setup = f->work.filePath("KIT_ALL.bin");
        QVERIFY(setupflow_test::makeSetup(setup));
        typeInKitList(5, "Five");
        f->prompter.fileAnswers.enqueue({setup});
        f->ui->actionImport_All->trigger();
        QCOMPARE(f->kit(5).kit_name, QString("KIT4"));
        f->ui->btnKitMove->click(); // the page left
        QCOMPARE(f->kit(5).kit_name, QString("KIT4"));
        QCOMPARE(action("actionUndo")->text(), QString("Undo IMPORT"));
        keys(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->kit(5).kit_name, QString("Five"));
        QCOMPARE(action("actionUndo")->text(), QString("Undo name of kit 5"));
    }

    // The kit list shown on the chain page follows an IMPORT and its undo.
    void theKitListShownFollowsAnImport()
    {
        const QString setup = f->work.filePath("KIT_ALL.bin");
        QVERIFY(setupflow_test::makeSetup(setup));
        showChains();
        QStandardItem *six = f->w->kitChains().kitChainListItemModel()->item(0)->child(5, 1);
        QCOMPARE(six->text(), QString("New Kit"));
        f->prompter.fileAnswers.enqueue({setup});
        f->ui->actionImport_All->trigger();
        QCOMPARE(f->w->mainPadPage().dot(), 1);
        QCOMPARE(six->text(), QString("KIT5"));
        f->w->history().undo();
        showChains();
        QCOMPARE(six->text(), QString("New Kit"));
    }

    // Going from kit to kit, pad to pad, page to page and chain to chain
    // makes no step.
    void lookingMakesNoStep()
    {
        Ui::MainWindow1 *ui = f->ui;
        auto count = [&] { return f->w->history().stack().count(); };
        f->typeKitNumber("7");
        QCOMPARE(count(), 0);
        f->openKitPage(3);
        QCOMPARE(count(), 0);
        ui->padNoComboBox->setFocus();
        QTest::keyClick(ui->padNoComboBox, Qt::Key_Down);
        QTest::keyClick(ui->padNoComboBox, Qt::Key_Down);
        QCOMPARE(count(), 0);
        QTest::mouseClick(ui->kitNoSpinBox, Qt::LeftButton);
        QTest::keyClick(ui->kitNoSpinBox, Qt::Key_Up);
        QTest::keyClick(ui->kitNoSpinBox, Qt::Key_Up);
        QCOMPARE(count(), 0);
        ui->btnKitMove->click();
        QCOMPARE(count(), 0);
        ui->btnKitChain->click();
        QTest::mouseClick(ui->kitChainNoSpinBox, Qt::LeftButton);
        QTest::keyClick(ui->kitChainNoSpinBox, Qt::Key_Up);
        QCOMPARE(count(), 0);
        ui->actionGlobal_Setting->trigger();
        ui->globalPadComboBox->setFocus();
        QTest::keyClick(ui->globalPadComboBox, Qt::Key_Down);
        QCOMPARE(count(), 0);
        ui->actionBack_to_main_interface->trigger();
        QCOMPARE(count(), 0);
    }

    // Every step name shows in Chinese, in a menu of its own.
    void menuInChinese()
    {
        QTranslator cn;
        QVERIFY(cn.load(QStringLiteral(":/cn.qm")));
        QCoreApplication::installTranslator(&cn);
        f.reset(new DropFixture);
        QCOMPARE(f->w->findChild<QMenu *>("menuHistory")->title(), QString::fromUtf8("历史"));
        f->editKit(3, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Kick"; });
        f->typeKitNumber("3");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        const QString undo = action("actionUndo")->text();
        action("actionUndo")->trigger();
        const QString redo = action("actionRedo")->text();
        QCoreApplication::removeTranslator(&cn);
        QCOMPARE(undo, QString::fromUtf8("撤销 清除套鼓 3"));
        QCOMPARE(redo, QString::fromUtf8("重做 清除套鼓 3"));
    }
};

QTEST_MAIN(TestUndoSteps)
#include "test_undosteps.moc"

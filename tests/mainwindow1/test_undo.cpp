// Undo and redo in the real window, by its keys and its History menu: CLEAR
// undone brings every pad back and redone empties them again; a run of
// changes on one control is one step, another control another; a text field
// typed in keeps the keys for its text; an IMPORT undone leaves the kits and
// the sound list as they were, after an "export all" too; undoing back to
// what was saved leaves the close nothing to ask; a step whose sound file is
// gone is refused whole; a kit put back after a save over the loaded setup
// names its sounds as the new file holds them.
#include "history/edithistory.h"
#include "hangingdisk.h"
#include "platform/silentfiles.h"
#include "setupflow_fixture.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "widgets/copykitfunc.h"

#include <QMenuBar>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace setupflow_test;

namespace {

QString padLabels(Ui::MainWindow1 *ui)
{
    return ui->labPad01a->text() + "|" + ui->labPad01b->text() + "|" + ui->labPad09a->text() + "|"
           + ui->labPad17a->text();
}

QAction *action(MainWindow1 *w, const char *name)
{
    return w->findChild<QAction *>(QString::fromLatin1(name));
}

// The metronome list's sources.
QVector<QString> clickFiles(MainWindow1 *w)
{
    QVector<QString> out;
    for (const MainWindow1Records::SOUND_LIST_INFO &c : w->library().clickList())
        out.append(c.file);
    return out;
}

// Kit images packed as a record (the name field with them).
QByteArray packed(const KitDocument::BaseImage &base, const KitDocument::PedalImage &pedal,
                  const KitDocument::PadImage *pads)
{
    QByteArray out(KIT_RECORD_SIZE, '\0');
    uchar *p = reinterpret_cast<uchar *>(out.data());
    std::memcpy(p, base.kit_name, KIT_NAME_FIELD);
    kitrecord::packKitBase(p, base);
    kitrecord::packKitPedal(p + KIT_BASE_SIZE, pedal);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        kitrecord::packKitPad(p + kitrecord::padOffset(j), pads[j]);
    return out;
}

// Every kit's record, name list entry and file image.
QByteArray kitsImage(const KitDocument &d)
{
    QByteArray out;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        KitDocument::PadImage pads[PAD_NUM_MAX];
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            pads[p] = d.pad0(k, p);
        out += kitSnapshot(d.kitAttrList().at(k)) + d.kitNameList().value(k).toUtf8()
               + packed(d.base0(k), d.pedal0(k), pads);
    }
    return out;
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

    std::unique_ptr<Fixture> f;

    // The window shown and active, so that its keys reach it.
    void showWindow()
    {
        f->w->show();
        QApplication::setActiveWindow(f->w);
        QVERIFY(QTest::qWaitForWindowActive(f->w));
    }
    // The keys where the focus is: on `at`.
    void press(QWidget *at, Qt::Key key, Qt::KeyboardModifiers mods)
    {
        at->setFocus();
        QTest::keyClick(at, key, mods);
        QCoreApplication::processEvents();
    }

private slots:
    void init() { f.reset(new Fixture); }
    void cleanup() { f.reset(); }

    void clearUndoneAndRedoneByKeys()
    {
        const QString file = f->file("a.wav");
        QVERIFY(kf::writeFile(file, "RIFF"));
        f->editKit(3, [&file](MainWindow1Records::soundKit &k) {
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                k.kpadChunk[p].soundName0 = QString("A%1").arg(p + 1);
                k.kpadChunk[p].soundFile0 = file;
                k.kpadChunk[p].soundName1 = QString("B%1").arg(p + 1);
            }
        });
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->typeKitNumber("3");
        const QByteArray before = kitSnapshot(f->kit(3));
        QCOMPARE(padLabels(ui), QString("A1|B1|A9|A17"));
        QMenu *menu = f->w->menuBar()->findChild<QMenu *>("menuHistory");
        QVERIFY(menu && menu->menuAction()->isVisible());
        QVERIFY(!ui->menuEdit->menuAction()->isVisible()); // the hidden menu stays hidden
        QVERIFY(!action(f->w, "actionUndo")->isEnabled());

        QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        QCOMPARE(padLabels(ui), QString("|||"));
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo CLEAR of kit 3"));
        f->typeKitNumber("7"); // another kit shown: the undo shows kit 3 again
        press(ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->w->history().stack().index(), 0);
        QCOMPARE(ui->kitNumber->text(), QString("3"));
        QCOMPARE(padLabels(ui), QString("A1|B1|A9|A17"));
        QCOMPARE(kitSnapshot(f->kit(3)), before);
        QCOMPARE(action(f->w, "actionRedo")->text(), QString("Redo CLEAR of kit 3"));

        press(ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(padLabels(ui), QString("|||"));
        press(ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(padLabels(ui), QString("A1|B1|A9|A17"));
        press(ui->btnClear, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(padLabels(ui), QString("|||"));
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            QVERIFY(f->kit(3).kpadChunk[p].soundName0.isEmpty() && f->kit(3).kpadChunk[p].soundFile0.isEmpty());
        // The menu's own action does the same.
        action(f->w, "actionUndo")->trigger();
        QCOMPARE(kitSnapshot(f->kit(3)), before);
        QCOMPARE(f->texts(), QStringList());
    }

    // A field typed in undoes its text; a field not typed in leaves the
    // keys to the window.
    void textFieldKeepsItsKeys()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        QTest::mouseClick(ui->btnClear, Qt::LeftButton); // a step, kit 1 has no sounds: nothing
        f->editKit(1, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Kick"; });
        QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        QCOMPARE(f->w->history().stack().count(), 1);
        ui->kitNameLineEdit->setFocus();
        ui->kitNameLineEdit->selectAll();
        QTest::keyClicks(ui->kitNameLineEdit, "Bo");
        press(ui->kitNameLineEdit, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(ui->kitNameLineEdit->text() != "Bo"); // the text's own undo
        QCOMPARE(f->w->history().stack().index(), 1);  // the window's steps untouched
        QCOMPARE(ui->labPad01a->text(), QString());
        ui->kitNumber->setFocus();
        press(ui->kitNumber, Qt::Key_Z, Qt::ControlModifier); // nothing typed there
        QCOMPARE(f->w->history().stack().index(), 0);
        QCOMPARE(ui->labPad01a->text(), QString("Kick"));
    }

    // In a name being typed, Ctrl+Shift+Z and Ctrl+Y act on its text: with
    // nothing there to bring again they do nothing, and the window's steps,
    // the one to redo among them, stay as they were.
    void redoKeysInATypedNameKeepTheSteps()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->editKit(1, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Kick"; });
        QTest::mouseClick(ui->btnClear, Qt::LeftButton);
        action(f->w, "actionUndo")->trigger();
        QCOMPARE(action(f->w, "actionRedo")->text(), QString("Redo CLEAR of kit 1"));
        const QString name = f->kit(1).kit_name;
        QTest::mouseClick(ui->kitNameLineEdit, Qt::LeftButton);
        ui->kitNameLineEdit->selectAll();
        QTest::keyClicks(ui->kitNameLineEdit, "Bo");
        for (const Qt::KeyboardModifiers mods : {Qt::ControlModifier | Qt::ShiftModifier, Qt::KeyboardModifiers(Qt::ControlModifier)}) {
            QTest::keyClick(ui->kitNameLineEdit, mods & Qt::ShiftModifier ? Qt::Key_Z : Qt::Key_Y, mods);
            QCoreApplication::processEvents();
            QCOMPARE(ui->kitNameLineEdit->text(), QString("Bo"));
            QCOMPARE(f->w->history().stack().count(), 1);
            QCOMPARE(f->w->history().stack().index(), 0);
            QCOMPARE(action(f->w, "actionRedo")->text(), QString("Redo CLEAR of kit 1"));
            QCOMPARE(f->kit(1).kit_name, name);
            QCOMPARE(ui->labPad01a->text(), QString("Kick"));
        }
        // Taken back, the text comes again by either redo key.
        QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui->kitNameLineEdit->text(), name);
        QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ui->kitNameLineEdit->text(), QString("Bo"));
        QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ui->kitNameLineEdit->text(), QString("Bo"));
        QCOMPARE(f->w->history().stack().count(), 1);
        QCOMPARE(action(f->w, "actionRedo")->text(), QString("Redo CLEAR of kit 1"));
    }

    // Held down or typed, one control's run is one step; the next control
    // (the focus moved to it) begins another. Undo shows the kit settings
    // page of the kit and pad it changed.
    void aRunOnOneControlIsOneStep()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(2);
        ui->padNoComboBox->setCurrentIndex(4);
        const int volume = f->kit(2).kpadChunk[4].aWaveVolume;
        ui->waveAVolumeSpinBox->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(ui->waveAVolumeSpinBox, Qt::Key_Down);
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume - 5); // in the kit at once
        ui->kitTempoSpinBox->setFocus();
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Up);
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Up);
        const int tempo = f->kit(2).kit_tempo;
        QCOMPARE(f->w->history().stack().count(), 2);
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo settings of kit 2"));

        f->typeKitNumber("9");
        ui->btnKitMove->click(); // the main pad page, kit 9
        press(ui->btnKitMove, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->w->mainPadPage().dot(), 2);
        QCOMPARE(ui->kitNoSpinBox->value(), 2);
        QCOMPARE(int(f->kit(2).kit_tempo), tempo - 2);
        QCOMPARE(ui->kitTempoSpinBox->value(), tempo - 2);
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume - 5);
        press(ui->btnKitMove, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui->padNoComboBox->currentIndex(), 4);
        QCOMPARE(ui->waveAVolumeSpinBox->value(), volume);
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume);
        // Leaving the page takes it as it shows: the kit stays undone.
        ui->btnKitMove->click();
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume);
        press(ui->btnKitMove, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume - 5);
        QCOMPARE(ui->waveAVolumeSpinBox->value(), volume - 5);
        // A run that ends where it began leaves no step, and the value put
        // back by hand is the kit's.
        const int steps = f->w->history().stack().index();
        QTest::mouseClick(ui->waveAVolumeSpinBox, Qt::LeftButton);
        QTest::keyClick(ui->waveAVolumeSpinBox, Qt::Key_Up);
        QTest::keyClick(ui->waveAVolumeSpinBox, Qt::Key_Down);
        QCOMPARE(int(f->kit(2).kpadChunk[4].aWaveVolume), volume - 5);
        QCOMPARE(f->w->history().stack().index(), steps);
        QCOMPARE(f->w->history().stack().count(), steps);
    }

    // A value typed into a box and taken back with the box's own Ctrl+Z
    // leaves no step, and the kit as it was to the byte (the first change of
    // a kit tidies bytes its page does not show).
    void typedThenUndoneLeavesNoStep()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(2);
        const QByteArray before = kitSnapshot(f->kit(2));
        const int tempo = ui->kitTempoSpinBox->value();
        QTest::mouseClick(ui->kitTempoSpinBox, Qt::LeftButton);
        ui->kitTempoSpinBox->selectAll();
        QTest::keyClicks(ui->kitTempoSpinBox, "150");
        QCOMPARE(int(f->kit(2).kit_tempo), 150);
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo settings of kit 2"));
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui->kitTempoSpinBox->value(), tempo);
        QCOMPARE(f->w->history().stack().count(), 0);
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo"));
        QVERIFY(!action(f->w, "actionUndo")->isEnabled());
        QCOMPARE(kitSnapshot(f->kit(2)), before);
        // Typed again, the run is a step again.
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Up);
        QCOMPARE(f->w->history().stack().count(), 1);
        QCOMPARE(int(f->kit(2).kit_tempo), tempo + 1);
    }

    // A value changed and turned back by hand on the kit and pad settings
    // pages is the kit's again, as the page shows it.
    void aValueTurnedBackIsTaken()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(4);
        const int tempo = ui->kitTempoSpinBox->value();
        QTest::mouseClick(ui->kitTempoSpinBox, Qt::LeftButton);
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Up);
        QCOMPARE(int(f->kit(4).kit_tempo), tempo + 1);
        QTest::keyClick(ui->kitTempoSpinBox, Qt::Key_Down);
        QCOMPARE(int(f->kit(4).kit_tempo), tempo);
        const int volume = ui->waveBVolumeSpinBox->value();
        QTest::mouseClick(ui->waveBVolumeSpinBox, Qt::LeftButton);
        QTest::keyClick(ui->waveBVolumeSpinBox, Qt::Key_Down);
        QTest::keyClick(ui->waveBVolumeSpinBox, Qt::Key_Up);
        QCOMPARE(int(f->kit(4).kpadChunk[ui->padNoComboBox->currentIndex()].bWaveVolume), volume);
        ui->btnKitMove->click(); // leaving the page takes it as it shows
        QCOMPARE(int(f->kit(4).kit_tempo), tempo);
    }

    // Every box of the pad, kit, hi-hat and global settings pages changed by
    // an arrow key is a step at once, while the box keeps the focus, and
    // Ctrl+Z there takes it back.
    void aBoxChangedByKeysIsAStepAtOnce()
    {
        f->editKit(2, [](MainWindow1Records::soundKit &k) {
            k.kit_effect1 = 5; // an effect with three controls
            k.effect1_ctrl1 = k.effect1_ctrl2 = k.effect1_ctrl3 = 20;
        });
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(2);
        QStringList tried, noStep, notUndone;
        auto tryBoxes = [&](QWidget *page) {
            const QList<QWidget *> boxes = page->findChildren<QWidget *>();
            for (QWidget *box : boxes) {
                auto *spin = qobject_cast<QSpinBox *>(box);
                auto *combo = qobject_cast<QComboBox *>(box);
                if ((!spin && !combo) || !box->isVisible() || !box->isEnabled())
                    continue;
                // Which pad, link group or effect the page shows is no setting.
                if (box == ui->padNoComboBox || box == ui->linkGroupComboBox || box == ui->globalPadComboBox
                    || box == ui->masterEffectComboBox)
                    continue;
                auto value = [spin, combo] { return spin ? spin->value() : combo->currentIndex(); };
                // Reached as by Tab: a click would open a list's popup.
                if (combo)
                    box->setFocus(Qt::TabFocusReason);
                else
                    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(4, box->height() / 2));
                const int before = value();
                const int steps = f->w->history().stack().index();
                QTest::keyClick(box, Qt::Key_Down);
                if (value() == before)
                    QTest::keyClick(box, Qt::Key_Up);
                if (value() == before)
                    continue;
                tried << box->objectName();
                if (f->w->history().stack().index() != steps + 1)
                    noStep << box->objectName();
                QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
                if (value() != before || f->w->history().stack().index() != steps)
                    notUndone << box->objectName();
            }
        };
        tryBoxes(ui->stackedWidget->widget(0));
        for (const char *name : {"hhLayer1SpinBox", "hhLayer2SpinBox", "hhLayer3SpinBox", "kitTempoSpinBox",
                                 "effect1_ctrl3", "pedalType", "mode", "waveBPitch", "workColorComboBox"})
            QVERIFY2(tried.contains(name), name);
        ui->actionGlobal_Setting->trigger();
        tryBoxes(ui->stackedWidget->currentWidget());
        for (const char *name : {"clickSoundNoSpinBox", "ledTypeComboBox", "ledLogoComboBox"})
            QVERIFY2(tried.contains(name), name);
        QCOMPARE(noStep.join(","), QString());
        QCOMPARE(notUndone.join(","), QString());
        QCOMPARE(f->texts(), QStringList());
    }

    // A hi-hat velocity layer stepped past its rule stays where the rule
    // holds, and the kit with it; a value typed goes into the kit at once and
    // meets the rule when its edit ends: a refused one leaves no step.
    void hiHatLayerKeepsItsRuleByKeys()
    {
        showWindow();
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(3);
        QTest::mouseClick(ui->hhLayer2SpinBox, Qt::LeftButton);
        const int top = ui->hhLayer1SpinBox->value();
        for (int i = ui->hhLayer2SpinBox->value(); i < top + 3; ++i)
            QTest::keyClick(ui->hhLayer2SpinBox, Qt::Key_Up);
        QCOMPARE(ui->hhLayer2SpinBox->value(), top - 2);
        QCOMPARE(int(f->kit(3).pedalChunk.hh_layer2), top - 2);
        QCOMPARE(f->w->history().stack().count(), 1);
        QTest::keyClick(ui->hhLayer2SpinBox, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->w->history().stack().index(), 0);
        QCOMPARE(int(f->kit(3).pedalChunk.hh_layer2), ui->hhLayer2SpinBox->value());

        // Typed: the rule waits for Enter, which puts a refused value back.
        const int low = ui->hhLayer3SpinBox->value();
        QTest::mouseClick(ui->hhLayer3SpinBox, Qt::LeftButton);
        ui->hhLayer3SpinBox->selectAll();
        QTest::keyClicks(ui->hhLayer3SpinBox, "99"); // at or above layer 2
        QCOMPARE(ui->hhLayer3SpinBox->value(), 99);
        QCOMPARE(int(f->kit(3).pedalChunk.hh_layer3), 99);
        QTest::keyClick(ui->hhLayer3SpinBox, Qt::Key_Return);
        QCOMPARE(ui->hhLayer3SpinBox->value(), low);
        QCOMPARE(int(f->kit(3).pedalChunk.hh_layer3), low);
        QCOMPARE(f->w->history().stack().count(), 0);
        ui->hhLayer3SpinBox->selectAll();
        QTest::keyClicks(ui->hhLayer3SpinBox, "5");
        QTest::keyClick(ui->hhLayer3SpinBox, Qt::Key_Return);
        QCOMPARE(int(f->kit(3).pedalChunk.hh_layer3), 5);
        QCOMPARE(f->w->history().stack().count(), 1);
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo settings of kit 3"));
    }

    // An IMPORT undone leaves the kits, the sound list and the loaded files
    // as before; redone, as the import left them.
    void importUndoneAsOneStep()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        f->editKit(4, [](MainWindow1Records::soundKit &k) { k.kit_name = "Mine"; });
        const QByteArray before = f->snapshot();
        const int steps = f->w->history().stack().count();
        f->importAll(setup);
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 3);
        const QByteArray after = f->snapshot();
        QVERIFY(after != before);
        QCOMPARE(f->w->history().stack().count(), steps + 1);
        QCOMPARE(action(f->w, "actionUndo")->text(), QString("Undo IMPORT"));
        f->w->history().undo();
        QCOMPARE(f->snapshot(), before);
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 0);
        QCOMPARE(f->kit(4).kit_name, QString("Mine"));
        f->w->history().redo();
        QCOMPARE(f->snapshot(), after);
        QCOMPARE(f->kit(6).kit_name, QString("KIT5"));
    }

    // An IMPORT then "export all": Ctrl+Z takes the IMPORT back (kits, their
    // images, the sound and metronome lists) and Ctrl+Shift+Z brings it again.
    void importUndoneAfterExportAll()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        showWindow();
        f->editKit(4, [](MainWindow1Records::soundKit &k) { k.kit_name = "Mine"; });
        const QByteArray before = f->snapshot();
        const QVector<QString> clicksBefore = clickFiles(f->w);
        const QByteArray kitsBefore = kitsImage(f->w->doc());
        f->importAll(setup);
        QVERIFY(f->snapshot() != before);
        f->exportAll(f->file("OUT.bin"));
        QVERIFY(QFileInfo::exists(f->file("OUT.bin")));
        const QByteArray after = f->snapshot();
        const QVector<QString> clicksAfter = clickFiles(f->w);
        const QByteArray kitsAfter = kitsImage(f->w->doc());
        f->prompter.clear();
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->w->history().stack().index(), 0);
        QCOMPARE(f->snapshot(), before);
        QCOMPARE(clickFiles(f->w), clicksBefore);
        QCOMPARE(f->kit(4).kit_name, QString("Mine"));
        QVERIFY(kitsImage(f->w->doc()) == kitsBefore);
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->snapshot(), after);
        QCOMPARE(clickFiles(f->w), clicksAfter);
        QCOMPARE(f->kit(6).kit_name, QString("KIT5"));
        QVERIFY(kitsImage(f->w->doc()) == kitsAfter);
        // A change of which metronome sounds are listed, made outside the
        // steps, still refuses the undo.
        f->w->library().dropClickSounds();
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(f->texts().size(), 1);
        QVERIFY(f->texts().first().contains("The metronome sounds changed since"));
    }

    // A whole setup, then a kit file whose sounds the setup holds too, then
    // "export all" into a new file (its look at the loaded files hands no
    // sound over): Ctrl+Z takes the kit file's IMPORT back with no box, and
    // Ctrl+Shift+Z brings it again.
    void kitImportUndoneAfterExportAllIntoNewFile()
    {
        const QString setup = f->file("KIT_ALL.bin"), kit = f->file("kits/K002.INI");
        QVERIFY(QDir().mkpath(f->file("kits")));
        QVERIFY(makeSetup(setup));
        QVERIFY(makeKitFile(kit, 2, 12, true));
        showWindow();
        // The sound list, the loaded files and kit 2: what the IMPORT changes.
        auto imported = [this] {
            QByteArray out = kitSnapshot(f->kit(2));
            for (const MainWindow1Records::SOUND_INDEX &s : f->w->library().waveLoadKitAttrList())
                out += QByteArray(s.wave_name, 16) + s.file.toUtf8() + QByteArray::number(s.wave_No);
            for (const MainWindow1Records::READ_KIT_FILE &l : f->w->library().loadedKitFiles())
                out += l.file.toUtf8() + QByteArray::number(l.fileTotalLength);
            return out + f->w->library().sharedSounds().twins().keys().join('|').toUtf8();
        };
        f->importAll(setup);
        const QByteArray afterSetup = imported();
        f->importPicks({kit});
        QVERIFY(!f->w->library().sharedSounds().twins().isEmpty());
        const QByteArray afterKit = imported();
        QVERIFY(afterKit != afterSetup);
        QCOMPARE(f->w->history().stack().count(), 2);
        f->exportAll(f->file("NEW.bin"));
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        const QByteArray exported = imported(); // kit 2 as the export numbered its sounds
        f->prompter.clear();
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(imported(), afterSetup);
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->w->history().stack().index(), 2);
        QCOMPARE(imported(), exported);
    }

    // A save over the loaded setup numbers its sounds anew (the list was
    // reordered); CLEAR undone then names each sound by its new source.
    void clearUndoneAfterSaveOverLoaded()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        showWindow();
        f->importAll(setup);
        f->ui->DownRbtn->click(); // the list Tom, Snare, Kick
        f->typeKitNumber("6");
        const QByteArray kit6 = kitSnapshot(f->kit(6));
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        f->prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        f->exportAll(setup);
        QCOMPARE(f->w->library().waveLoadKitAttrList().first().file, setup + ":U00000");
        QCOMPARE(QString::fromLatin1(f->w->library().waveLoadKitAttrList().first().wave_name), QString("Tom"));
        f->prompter.clear();
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->texts(), QStringList());
        QVERIFY(kitSnapshot(f->kit(6)) != kit6);
        QHash<QString, QString> listed; // source -> name
        for (const MainWindow1Records::SOUND_INDEX &s : f->w->library().waveLoadKitAttrList())
            listed.insert(s.file, QString::fromLatin1(s.wave_name));
        int named = 0;
        sf::forEachSoundSlot(f->kit(6), [&](auto slot) {
            if (slot.file.isEmpty())
                return;
            ++named;
            QCOMPARE(listed.value(slot.file), slot.name);
            QCOMPARE(int(slot.no), int(f->w->library().waveLoadKitAttrList().at(int(slot.file.right(5).toInt())).wave_No) - 1);
        });
        QVERIFY(named > 0);
        QCOMPARE(f->ui->labPad01a->text() + f->ui->labPad02a->text(), f->kit(6).kpadChunk[0].soundName0 + f->kit(6).kpadChunk[1].soundName0);
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(padLabels(f->ui), QString("|||"));
    }

    // A kit saved over the loaded kit file whose sound another kit uses:
    // CLEAR of that kit undone after it names the same sound by the entry
    // that holds it now, and the kit saves byte for byte as before the CLEAR.
    void clearUndoneAfterKitSaveOverLoaded()
    {
        const QString k2 = f->file("K002.INI"), kick = k2 + ":U00000";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        sf::Editor e;
        e.loaded = f->w->library().loadedKitFiles();
        const QByteArray kickBytes = sf::soundBytes(e, kick);
        f->editKit(40, [&](MainWindow1Records::soundKit &kit) {
            kit.kpadChunk[0].soundName0 = "Kick";
            kit.kpadChunk[0].soundFile0 = kick;
        });
        showWindow();
        const QString before = f->file("before"), after = f->file("after");
        QVERIFY(QDir().mkpath(before) && QDir().mkpath(after));
        f->ui->DownRbtn->click(); // the list Tom, Snare, Kick
        f->saveKits({40}, before);
        f->typeKitNumber("40");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        e.loaded = f->w->library().loadedKitFiles();
        QCOMPARE(sf::soundBytes(e, f->kit(40).kpadChunk[0].soundFile0), kickBytes);
        f->saveKits({40}, after);
        const QStringList names = QDir(before).entryList(QDir::Files);
        QCOMPARE(names, QDir(after).entryList(QDir::Files));
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QVERIFY2(kf::readFile(before + "/" + name) == kf::readFile(after + "/" + name), qPrintable(name));
    }

    // CLEAR undone and redone around an "export all" over the loaded setup
    // (it numbers the sounds anew and moves them to the new file): each state
    // saves byte for byte as it saved before, and the close asks only away
    // from what was saved last.
    void clearUndoneAndRedoneAroundExportAll()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        showWindow();
        f->importAll(setup);
        f->ui->DownRbtn->click(); // the list Tom, Snare, Kick
        f->exportAll(f->file("A.bin"));
        f->typeKitNumber("6");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        f->exportAll(f->file("C.bin"));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        f->prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        f->exportAll(setup);
        QVERIFY(!f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        f->exportAll(f->file("B.bin"));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        f->exportAll(f->file("D.bin"));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        f->exportAll(f->file("E.bin"));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        QCOMPARE(f->prompter.titles().count("successfully saved."), 6);
        const QByteArray a = kf::readFile(f->file("A.bin")), c = kf::readFile(f->file("C.bin"));
        QVERIFY(!a.isEmpty() && a != c);
        QVERIFY(kf::readFile(f->file("B.bin")) == a);
        QVERIFY(kf::readFile(f->file("E.bin")) == a);
        QVERIFY(kf::readFile(f->file("D.bin")) == c);
    }

    // The history keeps its last steps: the oldest goes, every other one
    // still undoes.
    void theHistoryKeepsItsLastSteps()
    {
        const int kept = EditHistory::kKeptSteps;
        const QString second = f->kit(2).kit_name;
        for (int n = 0; n <= kept; ++n) {
            f->w->doc().renameKit(n % KIT_MAX_COUNT, QString("N%1").arg(n));
            f->w->history().endRun();
        }
        const QUndoStack &stack = f->w->history().stack();
        QCOMPARE(stack.count(), kept);
        QCOMPARE(f->kit(1).kit_name, QString("N%1").arg(kept));
        for (int n = 0; n < kept; ++n)
            f->w->history().undo();
        QVERIFY(!stack.canUndo());
        QCOMPARE(f->kit(1).kit_name, QString("N0")); // the first rename stays
        QCOMPARE(f->kit(2).kit_name, second);
        QCOMPARE(f->texts(), QStringList());
    }

    // Undone back to what was last saved, the close asks nothing.
    void undoneBackNothingToAsk()
    {
        f->editKit(5, [](MainWindow1Records::soundKit &k) { k.kpadChunk[2].soundName0 = "Tom"; });
        f->w->doc().markAllSaved(f->w->kitPages().globalPage());
        f->typeKitNumber("5");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        QVERIFY(f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        f->w->history().undo();
        QVERIFY(!f->w->doc().differsFromSaved(f->w->kitPages().globalPage()));
        QVERIFY(f->w->close());
        QCOMPARE(f->texts(), QStringList());
        f->w = nullptr;
    }

    // A step that would put back a sound whose file is gone is refused with
    // a box; the history stays as it was.
    void goneSoundRefused()
    {
        const QString sound = f->file("gone.wav");
        QVERIFY(sf::writeSounds(f->work.path(), {"Gone"}, 0).size() > 0);
        QFile(sf::writeSounds(f->work.path(), {"Gone"}, 0).last().file).copy(sound);
        f->editKit(1, [&sound](MainWindow1Records::soundKit &k) {
            k.kpadChunk[0].soundName0 = "Gone";
            k.kpadChunk[0].soundFile0 = sound;
        });
        f->typeKitNumber("1");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        QVERIFY(QFile::remove(sound));
        f->w->history().undo();
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(f->kit(1).kpadChunk[0].soundFile0, QString());
        QCOMPARE(f->texts().size(), 1);
        QVERIFY(f->texts().first().contains("\"CLEAR of kit 1\" cannot be undone"));
        QVERIFY(f->texts().first().contains(sound));
    }

    // The look for a sound's file runs off the window's thread: a drive that
    // does not answer refuses the undo with the same box, the kit and the
    // steps as they were; answering again, the undo goes through.
    void silentSoundDriveRefuses()
    {
        const QString sound = f->file("silent.wav");
        QFile(sf::writeSounds(f->work.path(), {"Silent"}, 0).last().file).copy(sound);
        f->editKit(1, [&sound](MainWindow1Records::soundKit &k) {
            k.kpadChunk[0].soundName0 = "Silent";
            k.kpadChunk[0].soundFile0 = sound;
        });
        showWindow();
        f->typeKitNumber("1");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        const QByteArray cleared = kitSnapshot(f->kit(1));
        {
            HangingOpens hanging("silent.wav", 0, HangingOpens::Looks::OpensAndStats);
            const TurnsWhile held([&] { return hanging.waiting() > 0 && f->prompter.texts().isEmpty(); });
            press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // refused while the look is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(f->w->history().stack().index(), 1);
            QCOMPARE(kitSnapshot(f->kit(1)), cleared);
            QCOMPARE(f->texts().size(), 1);
            QCOMPARE(f->texts().first(), QString("\"CLEAR of kit 1\" cannot be undone:\r\nThe drive of the sound %1 "
                                                 "does not answer.").arg(sound));
            // While that look waits, the file is not looked at again.
            press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(f->texts().size(), 2);
            QCOMPARE(f->w->history().stack().index(), 1);
        }
        QTRY_VERIFY(!ztplatform::isSilentFile(f->w->library().silentFiles(), sound));
        f->prompter.clear();
        press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->w->history().stack().index(), 0);
        QCOMPARE(f->kit(1).kpadChunk[0].soundFile0, sound);
    }

    // An edit made while a redo's files are looked at (a timer's, the window
    // turning meanwhile) does not enter the stack under the look: it waits,
    // becomes the newest step after it, and the redo is not done.
    void editDuringTheLookWaitsForIt()
    {
        const QString sound = f->file("slow.wav");
        QFile(sf::writeSounds(f->work.path(), {"Slow"}, 0).last().file).copy(sound);
        f->editKit(3, [&sound](MainWindow1Records::soundKit &k) {
            k.kpadChunk[0].soundName0 = "Slow";
            k.kpadChunk[0].soundFile0 = sound;
        });
        showWindow();
        f->typeKitNumber("3");
        QTest::mouseClick(f->ui->btnCopyKit, Qt::LeftButton);
        f->w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(8);
        QTest::mouseClick(f->w->mainPadPage().kitCopy()->findChild<QAbstractButton *>("btnKitOk"), Qt::LeftButton);
        QCOMPARE(f->w->history().stack().count(), 1);
        f->w->history().undo();
        QCOMPARE(f->w->history().stack().index(), 0);
        const QByteArray kit3 = kitSnapshot(f->kit(3)), kit8 = kitSnapshot(f->kit(8));
        f->prompter.clear();
        QString firstDuringLook;
        {
            HangingOpens hanging("slow.wav", 0, HangingOpens::Looks::OpensAndStats);
            // A CLEAR while the look waits.
            bool cleared = false;
            QTimer during;
            QObject::connect(&during, &QTimer::timeout, f->w, [&] {
                if (cleared || hanging.waiting() == 0)
                    return;
                cleared = true;
                f->typeKitNumber("3");
                QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
                firstDuringLook = f->w->history().stack().text(0);
            });
            during.start(5);
            press(f->ui->btnClear, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(hanging.hung(), 1);
        }
        QCOMPARE(firstDuringLook, QString("Kit Copy of kit 3 to kit 8")); // the CLEAR held
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(f->w->history().stack().count(), 1);
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(f->w->history().stack().text(0), QString("CLEAR of kit 3"));
        QCOMPARE(kitSnapshot(f->kit(8)), kit8);
        QVERIFY(kitSnapshot(f->kit(3)) != kit3);
        QTRY_VERIFY(!ztplatform::isSilentFile(f->w->library().silentFiles(), sound));
        f->w->history().undo();
        QCOMPARE(kitSnapshot(f->kit(3)), kit3);
    }

    // A refusal naming many gone sounds shows 25 of them and how many more;
    // its details name them all.
    void manyGoneSoundsFitTheBox()
    {
        QStringList sounds;
        for (int i = 0; i < 2 * PAD_NUM_MAX; ++i) {
            sounds << f->file(QString("s%1.wav").arg(i, 2, 10, QChar('0')));
            QVERIFY(kf::writeFile(sounds.last(), "RIFF"));
        }
        f->editKit(2, [&sounds](MainWindow1Records::soundKit &k) {
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                k.kpadChunk[p].soundName0 = QString("A%1").arg(p);
                k.kpadChunk[p].soundFile0 = sounds.at(2 * p);
                k.kpadChunk[p].soundName1 = QString("B%1").arg(p);
                k.kpadChunk[p].soundFile1 = sounds.at(2 * p + 1);
            }
        });
        f->typeKitNumber("2");
        QTest::mouseClick(f->ui->btnClear, Qt::LeftButton);
        for (const QString &sound : qAsConst(sounds))
            QVERIFY(QFile::remove(sound));
        f->w->history().undo();
        QCOMPARE(f->w->history().stack().index(), 1);
        QCOMPARE(f->texts().size(), 1);
        const QStringList lines = f->texts().first().split("\r\n");
        QCOMPARE(lines.size(), 1 + 25 + 1);
        QCOMPARE(lines.first(), QString("\"CLEAR of kit 2\" cannot be undone:"));
        QCOMPARE(lines.at(1), QString("The sound %1 is gone.").arg(sounds.first()));
        QCOMPARE(lines.last(), QString("and %1 more").arg(sounds.size() - 25));
        const QString details = f->prompter.prompts.first().details;
        for (const QString &sound : qAsConst(sounds))
            QVERIFY(details.contains(QString("The sound %1 is gone.").arg(sound)));
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"

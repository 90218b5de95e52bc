// Renaming sounds in the total list, the groups and the hi-hat mirror, and
// groups in the group tree, through the real window.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "soundlib_fixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "support/soundlists.h"

#include <QLineEdit>
#include <QtTest>

using namespace soundlib;

namespace {

const QString kPattern = "The sound name must begin and end with an alphanumeric character and can be "
                         "interspersed with an alphanumeric character, a space, and the following symbols:";

// Three sounds in the total list and one group "Drums" holding the first two.
struct Library
{
    Fixture f;
    MainWindow1 *w = nullptr;
    QStringList files;

    Library()
    {
        for (const char *n : {"kick", "snare", "hat"})
            files << writeBytes(f.path(QString("src/%1.wav").arg(n)), pcmWav(2, 48000, 10));
        QVector<soundfilexml::strSoundGroup> groups(2);
        groups[0].name = "Drums";
        groups[1].name = "Default";
        for (int i = 0; i < 2; ++i) {
            soundfilexml::strSoundItem s;
            s.name = QFileInfo(files.at(i)).baseName();
            s.file = files.at(i);
            groups[0].soundList << s;
        }
        soundlists::write(f.work.filePath("soundlist.xml"), groups);
        w = f.open();
        f.importToList(files);
        f.prompter.clear();
    }
    // A cell as the list's editor changes it.
    QStandardItem *total(int row, int column) const
    {
        const SoundListModel *m = w->library().totalListItemModel();
        return m->itemFromIndex(m->soundIndex(row, column));
    }
    QStandardItem *mirror(int row) const
    {
        const SoundListModel *m = w->library().hhSoundItemModel();
        return m->itemFromIndex(m->soundIndex(row));
    }
    QStandardItem *groupSound(int row) const { return w->library().soundListItemModel()->item(0)->child(row, 0); }
    QString lastText() const { return f.prompter.prompts.isEmpty() ? QString() : f.prompter.prompts.last().text; }
    QString recordName(int i) const
    {
        return percussionpadfile::charArray2String(w->library().waveLoadKitAttrList().at(i).wave_name, 16);
    }
};

} // namespace

class TestSoundRename : public QObject
{
    Q_OBJECT

private slots:
    void checksAndRestoreNames()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        // The checks in their order, each putting back the snapshot's name.
        const QVector<QPair<QString, QString>> refused = {
                {"", "Sound name can't be blank!"},
                {"   ", kPattern + "\r\n- _ .' ~"},
                {"a!b", kPattern + "\r\n- _ .' ~"},
                {"x!!!!!!!!!!!!!!!!!", kPattern + "\r\n- _ .' ~"},
                {"Abcdefghijklmnopq", "The maximum number of sound name's character can't exceed 16!"}};
        for (const auto &c : refused) {
            lib.f.prompter.clear();
            lib.total(1, 1)->setText(c.first);
            QCOMPARE(lib.f.prompter.texts(), QStringList{c.second});
            QCOMPARE(lib.f.prompter.titles(), QStringList{"Error"});
            QCOMPARE(lib.f.prompter.prompts.first().kind, UiPrompter::Critical); // as its title says
            QCOMPARE(lib.total(1, 1)->text(), QString("snare"));
        }
        // Sixteen characters pass and fill the field without a terminator.
        lib.f.prompter.clear();
        lib.total(1, 1)->setText("Abcdefghijklmnop");
        QVERIFY(lib.f.prompter.texts().isEmpty());
        QCOMPARE(QByteArray(w->library().waveLoadKitAttrList().at(1).wave_name, 16), QByteArray("Abcdefghijklmnop"));
        // A later refusal puts back the name just accepted, kits included.
        reloadKit(w->doc(), 4, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[2].soundFile0 = lib.files.at(1); });
        lib.total(1, 1)->setText("");
        QCOMPARE(lib.total(1, 1)->text(), QString("Abcdefghijklmnop"));
        QCOMPARE(w->doc().kitAttrList()[4].kpadChunk[2].soundName0, QString("Abcdefghijklmnop"));
        // The names the rows hold are kept in step with the rows: a refused
        // name of the last row comes back too.
        const QString third = lib.total(2, 1)->text();
        lib.total(2, 1)->setText("bad*name");
        QCOMPARE(lib.total(2, 1)->text(), third);
        QCOMPARE(lib.recordName(2), third);

        // The mirror: its own symbol list, always a generated name.
        lib.f.prompter.clear();
        lib.mirror(0)->setText("no good!");
        QCOMPARE(lib.lastText(), kPattern + "\r\n- _ . '~");
        QCOMPARE(lib.mirror(0)->text(), QString("SOUND~00001"));
        lib.mirror(1)->setText("no good!");
        QCOMPARE(lib.mirror(1)->text(), QString("SOUND~00002")); // row 0 took ~00001
        lib.mirror(0)->setText("Fine name");
        QCOMPARE(lib.recordName(0), QString("kick")); // the mirror's names stay its own
        QCOMPARE(lib.total(0, 1)->text(), QString("kick"));

        // The groups: the name the groups hold comes back.
        lib.f.prompter.clear();
        lib.groupSound(1)->setText("");
        QCOMPARE(lib.lastText(), QString("Sound name can't be blank!"));
        QCOMPARE(lib.groupSound(1)->text(), QString("snare"));
        lib.groupSound(1)->setText("x?");
        QCOMPARE(lib.groupSound(1)->text(), QString("snare"));
    }

    void propagationToKitsAndLists()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        const QString kick = lib.files.at(0);
        w->mainPadPage().selectKit(0);
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = kick; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[3].soundFile1 = kick; });
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[18].soundFile0 = kick; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave2_file = kick; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave4_file = kick; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave4_name = "old"; });
        reloadKit(w->doc(), 9, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave5_file = kick; });
        w->mainPadPage().dispPadList(w->doc().kitAttrList(), 0);

        // Through the real editor: double click, type, Enter.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTreeView *view = w->form()->totalWaveTreeView;
        view->edit(lib.total(0, 1)->index());
        auto *editor = view->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText("Big Kick");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(lib.total(0, 1)->text(), QString("Big Kick"));
        const MainWindow1Records::soundKit &k1 = w->doc().kitAttrList().at(0);
        QCOMPARE(k1.kpadChunk[0].soundName0, QString("Big Kick"));
        QCOMPARE(k1.kpadChunk[3].soundName1, QString("Big Kick"));
        QCOMPARE(w->doc().kitAttrList().at(6).kpadChunk[18].soundName0, QString("Big Kick"));
        QCOMPARE(k1.pedalChunk.hh_wave2_name, QString("Big Kick"));
        QCOMPARE(k1.pedalChunk.hh_wave4_name, QString("old")); // the first slot only
        QCOMPARE(w->doc().kitAttrList().at(9).pedalChunk.hh_wave5_name, QString("Big Kick"));
        QCOMPARE(w->mainPadPage().padWidgetGroup()[0].lableA->text(), QString("Big Kick"));
        QCOMPARE(w->mainPadPage().padWidgetGroup()[3].lableB->text(), QString("Big Kick"));
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(0, 0)->text(), QString("Big Kick"));
        QCOMPARE(lib.recordName(0), QString("Big Kick"));
        QCOMPARE(w->library().soundList().first(), QString("Big Kick"));
        QCOMPARE(lib.groupSound(0)->text(), QString("kick")); // never the groups
        // The pages' pad list agrees with the record.
        QVERIFY(w->doc().kitPadList(0).isEmpty() || w->doc().kitPadList(0).first().soundName0 == "Big Kick");

        // From the groups: kits, total list, mirror, record, one redraw.
        lib.groupSound(1)->setText("Crack");
        QCOMPARE(lib.total(1, 1)->text(), QString("Crack"));
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(1, 0)->text(), QString("Crack"));
        QCOMPARE(lib.recordName(1), QString("Crack"));
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[5].soundFile0 = lib.files.at(1); });
        lib.groupSound(1)->setText("Crack 2");
        QCOMPARE(w->mainPadPage().padWidgetGroup()[5].lableA->text(), QString("Crack 2"));
        QCOMPARE(w->doc().kitAttrList().at(0).kpadChunk[5].soundName0, QString("Crack 2"));
        // An editor left open when the window goes renames nothing.
        view->edit(lib.total(2, 1)->index());
        QVERIFY(view->findChild<QLineEdit *>());
        view->findChild<QLineEdit *>()->setText("Late");
    }

    // The kit settings page shows the new hi-hat name and keeps it when it
    // commits the kit on leaving.
    void hiHatNameOnTheKitPage()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave2_file = lib.files.at(1); });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave2_name = "snare"; });
        w->form()->kitNumber->clear();
        QTest::keyClicks(w->form()->kitNumber, "1");
        w->form()->btnSoundKit->click();
        QCOMPARE(w->kitPages().view().pad.hhNames[1]->text(), QString("snare"));
        lib.total(1, 1)->setText("Crack");
        QCOMPARE(w->kitPages().view().pad.hhNames[1]->text(), QString("Crack"));
        w->form()->downPageBtn->click(); // on to kit 2: kit 1 is committed
        QCOMPARE(w->form()->kitNoSpinBox->value(), 2);
        QCOMPARE(w->doc().kitAttrList().at(0).pedalChunk.hh_wave2_name, QString("Crack"));
    }

    void groupRows()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        QStandardItem *drums = w->library().soundListItemModel()->item(0);
        const QVector<QPair<QString, QString>> refused = {
                {"  ", "Group name can't be blank!"},
                {" Default ", "Creating duplicate group name is not supported."}};
        for (const auto &c : refused) {
            lib.f.prompter.clear();
            drums->setText(c.first);
            QCOMPARE(lib.f.prompter.titles(), QStringList{"Warning"});
            QCOMPARE(lib.f.prompter.texts(), QStringList{c.second});
            QCOMPARE(lib.f.prompter.prompts.first().kind, UiPrompter::Question);
            QCOMPARE(drums->text(), QString("Drums"));
        }
        lib.f.prompter.clear();
        drums->setText("  My   Kit  ");
        QCOMPARE(drums->text(), QString("My Kit"));
        drums->setText("default");
        QCOMPARE(drums->text(), QString("default"));
        QVERIFY(lib.f.prompter.texts().isEmpty());
        QCOMPARE(w->library().leftGroupList().last(), QString("default")); // the records follow the rename
    }

    // A refused edit restores the group's accepted name, never an older one
    // that another group took meanwhile.
    void refusedGroupEditAfterRename()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        lib.f.prompter.textAnswers.enqueue({"A", true});
        w->form()->addWaveGroup->click();
        w->library().soundListItemModel()->item(0)->setText("B");
        lib.f.prompter.textAnswers.enqueue({"A", true});
        w->form()->addWaveGroup->click();
        w->library().soundListItemModel()->item(1)->setText("");
        QCOMPARE(lib.f.prompter.texts(), QStringList{"Group name can't be blank!"});
        w->soundLists().setWriteSoundListOnClose(true);
        lib.f.w.reset();
        QVector<soundfilexml::strSoundGroup> back;
        QVERIFY(soundlists::read(lib.f.work.filePath("soundlist.xml"), back));
        QStringList names;
        for (const auto &g : back)
            names << g.name;
        QCOMPARE(names, QStringList({"A", "B", "Drums", "Default"}));
    }

    void deviceModeReadOnly()
    {
        Library lib;
        MainWindow1 *w = lib.w;
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        lib.total(2, 1)->setText("Ride");
        QVERIFY(!lib.total(2, 1)->isEditable());
        QCOMPARE(lib.recordName(2), QString("Ride"));
        QTreeView *view = w->form()->totalWaveTreeView;
        view->edit(lib.total(2, 1)->index());
        QVERIFY(!view->findChild<QLineEdit *>() || !view->findChild<QLineEdit *>()->isVisible());
        // A cell a group rename replaces is read-only at once.
        QVERIFY(lib.total(0, 1)->isEditable());
        lib.groupSound(0)->setText("Boom");
        QCOMPARE(lib.total(0, 1)->text(), QString("Boom"));
        QVERIFY(!lib.total(0, 1)->isEditable());
    }
};

QTEST_MAIN(TestSoundRename)
#include "test_soundrename.moc"

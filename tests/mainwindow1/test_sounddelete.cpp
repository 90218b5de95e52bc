// Deleting sounds from the total list and groups or sounds from the group
// tree, through the real window.
#include "padwriter.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "soundlib_fixture.h"
#include "library/records_fixture.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "support/soundlists.h"

#include <QProgressDialog>
#include <QSignalSpy>
#include <QtTest>

using namespace soundlib;

namespace {

const QString kInUse = "Deleting the sound is not supported.\r\nPlease clear the sound on the pad.";

// Six sounds a..f in the total list.
struct List
{
    Fixture f;
    MainWindow1 *w = nullptr;
    QStringList files;

    explicit List(int count = 6)
    {
        w = f.open();
        for (int i = 0; i < count; ++i)
            files << writeBytes(f.path(QString("src/%1.wav").arg(QChar('a' + i))), pcmWav(2, 48000, 10));
        f.importToList(files);
        f.prompter.clear();
    }
    void select(const QVector<int> &rows)
    {
        w->form()->totalWaveTreeView->selectionModel()->clearSelection();
        for (int r : rows) {
            const QModelIndex idx = r < 0
                    ? w->library().totalListItemModel()->rootIndex()
                    : w->library().totalListItemModel()->soundIndex(r);
            w->form()->totalWaveTreeView->selectionModel()->select(idx, QItemSelectionModel::Select
                                                                            | QItemSelectionModel::Rows);
        }
    }
    QStringList recordFiles() const
    {
        QStringList out;
        for (const auto &s : w->library().waveLoadKitAttrList())
            out << s.file;
        return out;
    }
};

// A group tree read from a file: the groups in row order, each with its sounds.
struct Groups
{
    Fixture f;
    MainWindow1 *w = nullptr;

    explicit Groups(const QVector<QPair<QString, QStringList>> &groups)
    {
        QVector<soundfilexml::strSoundGroup> list;
        for (const auto &g : groups) {
            soundfilexml::strSoundGroup group;
            group.name = g.first;
            for (const QString &n : g.second) {
                soundfilexml::strSoundItem s;
                s.name = n;
                s.file = n.startsWith("stored") ? f.path("KIT.BIN") + ":U00001" : f.path(n + ".wav");
                group.soundList << s;
            }
            list << group;
        }
        soundlists::write(f.work.filePath("soundlist.xml"), list);
        w = f.open(true);
    }
    QModelIndex row(int group, int sound = -1) const
    {
        const QModelIndex g = w->library().soundListItemModel()->index(group, 0);
        return sound < 0 ? g : w->library().soundListItemModel()->index(sound, 0, g);
    }
    void select(const QVector<QModelIndex> &rows)
    {
        QItemSelectionModel *sel = w->form()->waveGroupTreeView->selectionModel();
        sel->clearSelection();
        for (const QModelIndex &r : rows)
            sel->select(r, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList tree() const
    {
        QStringList out;
        for (int g = 0; g < w->library().soundListItemModel()->rowCount(); ++g) {
            QStandardItem *group = w->library().soundListItemModel()->item(g);
            QStringList sounds;
            for (int r = 0; r < group->rowCount(); ++r)
                sounds << group->child(r, 0)->text();
            out << group->text() + ":" + sounds.join(',');
        }
        return out;
    }
};

} // namespace

class TestSoundDelete : public QObject
{
    Q_OBJECT

private slots:
    void listRefusals()
    {
        List l;
        MainWindow1 *w = l.w;
        w->form()->tbtDel->click(); // nothing selected
        QVERIFY(l.f.prompter.prompts.isEmpty());

        // A locked sound anywhere: its warning alone, also on the pad.
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[4].wave_lock = 0; });
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        l.select({1, 4, 2});
        w->form()->tbtDel->click();
        QCOMPARE(l.f.prompter.texts(), QStringList{"Deleting locked sound is not supported!"});
        QCOMPARE(l.f.prompter.titles(), QStringList{"Warning"});
        QVERIFY(!w->soundLists().delDialog());
        w->pad().leaveDeviceMode();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[4].wave_lock = 1; });

        // In use: pads first, then hi-hat slots, each kit once.
        const QString c = l.files.at(2);
        reloadKit(w->doc(), 2, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[4].soundFile1 = c; });
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = c; });
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[9].soundFile0 = c; });
        reloadKit(w->doc(), 4, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave2_file = c; });
        reloadKit(w->doc(), 2, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave1_file = c; });
        reloadKit(w->doc(), 8, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave5_file = l.files.at(3); });
        // Kits holding the sound only in hi-hat slots are named as such.
        const QString clearHiHat = "\r\nPlease clear the sound in the hi-hat slots on the Pad Settings page.";
        const QString inUseC = QString::fromUtf8("c exists in Kit 3\xE3\x80\x81" "7, and in the hi-hat slots of Kit 5\r\n")
                               + kInUse + clearHiHat;
        l.f.prompter.clear();
        l.select({2});
        w->form()->tbtDel->click();
        QCOMPARE(l.f.prompter.texts(), QStringList{inUseC});
        l.f.prompter.clear();
        l.select({3});
        w->form()->tbtDel->click();
        QCOMPARE(l.f.prompter.texts(), QStringList{"d exists in the hi-hat slots of Kit 9\r\nDeleting the sound is not "
                                                   "supported." + clearHiHat});

        // The root row: alone, or with sounds; with a sound in use the later
        // selected row is reported.
        for (const QVector<int> &rows : {QVector<int>{-1}, QVector<int>{0, -1, 1}, QVector<int>{2, -1}}) {
            l.f.prompter.clear();
            l.select(rows);
            w->form()->tbtDel->click();
            QCOMPARE(l.f.prompter.texts(), QStringList{"Deleting sound group is not supported!"});
            QCOMPARE(l.f.prompter.titles(), QStringList{"Tip"});
        }
        l.f.prompter.clear();
        l.select({-1, 2});
        w->form()->tbtDel->click();
        QCOMPARE(l.f.prompter.texts(), QStringList{inUseC});
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 6);
        QCOMPARE(l.f.totalRows().size(), 6);

        // On the pad the dialog is gone before the message.
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        l.f.prompter.clear();
        l.select({2});
        w->form()->tbtDel->click();
        QVERIFY(w->soundLists().delDialog() && !w->soundLists().delDialog()->isVisible());
        QCOMPARE(l.f.prompter.texts(), QStringList{inUseC});
    }

    void offlineRemoval()
    {
        List l;
        MainWindow1 *w = l.w;
        w->form()->DownRbtn->click(); // f e d c b a
        QCOMPARE(l.f.totalRows().first().section('|', 1, 1), QString("f"));
        l.select({1, 4}); // e and b
        w->form()->tbtDel->click();
        QVERIFY(l.f.prompter.prompts.isEmpty());
        QCOMPARE(l.f.totalRows(),
                 QStringList({"6|f|" + l.files[5], "4|d|" + l.files[3], "3|c|" + l.files[2], "1|a|" + l.files[0]}));
        QCOMPARE(l.f.mirrorRows(),
                 QStringList({"f|" + l.files[5], "d|" + l.files[3], "c|" + l.files[2], "a|" + l.files[0]}));
        QCOMPARE(w->library().soundList(), QStringList({"f", "d", "c", "a"}));
        QCOMPARE(l.recordFiles(), QStringList({l.files[0], l.files[2], l.files[3], l.files[5]}));
        QVERIFY(QFileInfo::exists(l.files[1]) && QFileInfo::exists(l.files[4]));
        QItemSelectionModel *sel = w->form()->totalWaveTreeView->selectionModel();
        QCOMPARE(sel->currentIndex(), w->library().totalListItemModel()->soundItem(3, 0)->index());
        QCOMPARE(sel->selectedRows().size(), 1);
        QVERIFY(sel->isRowSelected(3, w->library().totalListItemModel()->rootIndex()));

        // Everything: the root row becomes current.
        l.select({0, 1, 2, 3});
        w->soundLists().deleteSelectedSounds();
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 0);
        QCOMPARE(w->library().hhSoundItemModel()->soundCount(), 0);
        QVERIFY(w->library().waveLoadKitAttrList().isEmpty() && w->library().soundList().isEmpty());
        QCOMPARE(sel->currentIndex(), w->library().totalListItemModel()->rootIndex());
    }

    void lastRowWithoutNumberCell()
    {
        List l(3);
        MainWindow1 *w = l.w;
        const SoundListModel *total = w->library().totalListItemModel();
        delete total->itemFromIndex(total->rootIndex())->takeChild(1, 0);
        l.select({2});
        w->form()->tbtDel->click();
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 2);
        QCOMPARE(w->form()->totalWaveTreeView->selectionModel()->currentIndex(),
                 w->library().totalListItemModel()->soundIndex(1));
    }

    void deviceQueue()
    {
        List l;
        MainWindow1 *w = l.w;
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        QVERIFY(holdPadWriter(w));
        QSignalSpy updates(&w->soundLists(), &SoundListsController::padDeleteQueued); // a delete batch
        w->pad().queueDelete("Earlier.wav", 77); // deleted earlier in the run
        w->pad().beginDeleteBatch(false);
        w->pad().finishDeleteBatch();
        l.select({4, 1});
        w->form()->tbtDel->click();
        QCOMPARE(updates.size(), 1);
        QCOMPARE(w->pad().delUsbWaveList(), QStringList({l.files[4], l.files[1]}));
        QCOMPARE(w->pad().delUsbWaveNumList(), (QVector<quint16>{77, 5, 2}));
        QCOMPARE(l.recordFiles(), QStringList({l.files[0], l.files[2], l.files[3], l.files[5]}));
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 6); // the pad side removes the rows
        QVERIFY(w->soundLists().delDialog()->isVisible());
        QCOMPARE(w->soundLists().delDialog()->labelText(), QString("Deleting sound file......"));
        QCOMPARE(w->soundLists().delDialog()->maximum(), 4);
        QCOMPARE(w->soundLists().delDialog()->value(), 2);
        QCOMPARE(w->soundLists().delProgressValue(), 2);
        QCOMPARE(w->soundLists().delDialog()->windowModality(), Qt::WindowModal);

        // Rows without records queue nothing: the dialog closes, no signal.
        w->soundLists().delDialog()->close();
        l.select({1});
        w->form()->tbtDel->click();
        QCOMPARE(updates.size(), 1);
        QVERIFY(!w->soundLists().delDialog()->isVisible());
        QCOMPARE(w->pad().delUsbWaveList(), QStringList({l.files[4], l.files[1]})); // still for their batch
    }

    void groupSelections()
    {
        const QVector<QPair<QString, QStringList>> layout = {
                {"Default", {"d1", "d2"}}, {"A", {"a1", "a2", "a3"}}, {"B", {"b1", "b2"}}, {"C", {"c1", "stored1"}}};
        {
            Groups g(layout);
            g.w->form()->delWaveGroup->click();
            QVERIFY(g.f.prompter.prompts.isEmpty());
            // "Default" alone: its warning, no question.
            g.select({g.row(0)});
            g.w->form()->delWaveGroup->click();
            QCOMPARE(g.f.prompter.texts(), QStringList{"Deleting the 'Default' group is not supported."});
            // A stored sound: only the kit-file message, after "Default"'s.
            g.f.prompter.clear();
            g.select({g.row(0), g.row(3, 0), g.row(3, 1), g.row(1)});
            g.w->soundLists().deleteFromGroups();
            QCOMPARE(g.f.prompter.texts(), QStringList({"Deleting the 'Default' group is not supported.",
                                                        "Deleting pkit file is not supported!"}));
            QCOMPARE(g.f.prompter.titles(), QStringList({"Warning", "Tip"}));
            // No keeps everything.
            const QVector<QString> kept = g.w->library().leftSoundList()[2];
            g.f.prompter.clear();
            g.f.prompter.buttonAnswers.enqueue(QMessageBox::No);
            g.select({g.row(1)});
            g.w->form()->delWaveGroup->click();
            QCOMPARE(g.f.prompter.prompts.last().title, QString("Delete"));
            QCOMPARE(g.f.prompter.prompts.last().text, QString("Are you sure to delete it?"));
            QCOMPARE(g.f.prompter.prompts.last().buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(g.tree().size(), 4);
            QCOMPARE(g.w->library().leftSoundList()[2], kept);

            // "Default" and A's row with two of its sounds, one of B.
            g.f.prompter.clear();
            g.select({g.row(0), g.row(1), g.row(1, 0), g.row(1, 2), g.row(2, 1)});
            g.w->form()->delWaveGroup->click();
            QCOMPARE(g.f.prompter.texts(),
                     QStringList({"Deleting the 'Default' group is not supported.", "Are you sure to delete it?"}));
            QCOMPARE(g.tree(), QStringList({"Default:d1,d2", "B:b1", "C:c1,stored1"}));
            QCOMPARE(g.w->library().leftGroupList(), QVector<QString>({"C", "B", "Default"}));
            QCOMPARE(g.w->library().leftSoundList()[0], QVector<QString>({"c1", "stored1"}));
            QCOMPARE(g.w->library().leftSoundList()[1], QVector<QString>({"b1"}));
            QCOMPARE(g.w->library().leftSoundList()[2], QVector<QString>({"d1", "d2"}));
            QVERIFY(g.w->library().leftSoundList()[3].isEmpty());
            // All of "Default"'s sounds and B's last: B goes, "Default" stays.
            g.f.prompter.clear();
            g.select({g.row(0, 1), g.row(0, 0), g.row(1, 0)});
            g.w->form()->delWaveGroup->click();
            QCOMPARE(g.f.prompter.texts(), QStringList{"Are you sure to delete it?"});
            QCOMPARE(g.tree(), QStringList({"Default:", "C:c1,stored1"}));
            QCOMPARE(g.w->library().soundGroupList().size(), 2);
            QCOMPARE(g.w->library().soundGroupList().at(1).soundList.size(), 2);
        }
    }

    // Only sounds stored in kit files are kept; colons elsewhere are names.
    void groupSoundsWithColons()
    {
        Groups g({{"Default", {}}, {"Live", {"intro", "hit"}}});
        g.w->library().repointGroupSounds(
                {{g.f.path("intro.wav"), g.f.path("Live:Intro.wav")}, {g.f.path("hit.wav"), g.f.path("Hit:Up.wav")}});
        g.select({g.row(1, 0)});
        g.w->form()->delWaveGroup->click();
        QCOMPARE(g.f.prompter.texts(), QStringList{"Are you sure to delete it?"});
        QCOMPARE(g.tree(), QStringList({"Default:", "Live:hit"}));
        g.select({g.row(1, 0)});
        g.w->form()->delWaveGroup->click();
        QCOMPARE(g.tree(), QStringList({"Default:"}));
    }

    void groupFileAtExitAndManyGroups()
    {
        QVector<QPair<QString, QStringList>> layout;
        for (int i = 0; i < 105; ++i)
            layout.append({QString("G%1").arg(i), {QString("s%1").arg(i)}});
        Groups g(layout);
        QCOMPARE(g.w->library().leftSoundList()[99], QVector<QString>({"s5"}));
        g.select({g.row(104), g.row(0), g.row(50, 0)}); // slots 0, 104 and 54
        g.w->form()->delWaveGroup->click();
        QCOMPARE(g.w->library().soundListItemModel()->rowCount(), 102);
        QCOMPARE(g.w->library().leftGroupList().size(), 102);
        QCOMPARE(g.w->library().leftSoundList()[0], QVector<QString>({"s103"}));
        QCOMPARE(g.w->library().leftSoundList()[52], QVector<QString>({"s51"}));
        QCOMPARE(g.w->library().leftSoundList()[53], QVector<QString>({"s49"}));
        QCOMPARE(g.w->library().leftSoundList()[98] + g.w->library().leftSoundList()[101], QVector<QString>({"s4", "s1"}));
        QCOMPARE(g.w->library().leftSoundList().size(), 102); // one name list per group
        const QString file = g.f.work.filePath("soundlist.xml");
        g.f.w.reset();
        QVector<soundfilexml::strSoundGroup> back;
        QVERIFY(soundlists::read(file, back));
        QCOMPARE(back.size(), 102);
        QCOMPARE(back.first().name, QString("G1"));
        QCOMPARE(back.at(48).name, QString("G49"));
        QCOMPARE(back.at(49).name, QString("G51"));
        QCOMPARE(back.at(49).soundList.size(), 1);
    }
};

QTEST_MAIN(TestSoundDelete)
#include "test_sounddelete.moc"

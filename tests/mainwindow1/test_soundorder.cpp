// The orders of the total list, the order file, locks, renumbering and the
// kit order list, through the real window.
#include "soundlib_fixture.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "library/records_fixture.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "support/crashdisk.h"
#include "support/passdisk.h"

#include <QSignalSpy>
#include <QtTest>

#include <cerrno>

using namespace soundlib;

namespace {

// Seven sounds with names that sort in interesting ways.
struct Sounds
{
    Fixture f;
    MainWindow1 *w = nullptr;
    QStringList files;

    Sounds()
    {
        w = f.open();
        const QVector<QPair<QString, quint16>> sounds = {{"Snare", 12}, {"Kick", 5},  {"Kick-2", 8}, {"kick", 120},
                                                         {"Kick 2", 7}, {"Snare", 3}, {"Tom", 40}};
        for (int i = 0; i < sounds.size(); ++i) {
            const QString file = writeBytes(f.path(QString("src/s%1.wav").arg(i)), pcmWav(2, 48000, 10));
            files << file;
            const MainWindow1Records::SOUND_INDEX s = soundRecord(sounds[i].first, file, sounds[i].second, i == 1 ? 0 : 1);
            editRecords(w->library(), [&s](QVector<MainWindow1Records::SOUND_INDEX> &r) { r << s; });
        }
        w->form()->defaultRbtn->click();
    }
    // number|name of each row
    QStringList rows() const
    {
        QStringList out;
        for (const QString &r : f.totalRows())
            out << r.section('|', 0, 1);
        return out;
    }
    void checkFollowers() const
    {
        QStringList names;
        for (int r = 0; r < w->library().totalListItemModel()->soundCount(); ++r) {
            names << w->library().totalListItemModel()->soundItem(r, 1)->text();
            QCOMPARE(w->library().hhSoundItemModel()->soundItem(r, 0)->text(), names.last());
            QCOMPARE(w->library().hhSoundItemModel()->soundText(r, 1), w->library().totalListItemModel()->soundText(r, 2));
        }
        QCOMPARE(w->library().hhSoundItemModel()->soundCount(), w->library().totalListItemModel()->soundCount());
        QCOMPARE(w->library().soundList(), names);
    }
    bool lockShown(int row) const { return !w->library().totalListItemModel()->soundItem(row, 0)->icon().isNull(); }
};

const QStringList kAscending = {"7|Kick 2", "120|kick", "5|Kick", "8|Kick-2", "12|Snare", "3|Snare", "40|Tom"};

} // namespace

class TestSoundOrder : public QObject
{
    Q_OBJECT

private slots:
    void orders()
    {
        Sounds s;
        MainWindow1 *w = s.w;
        QCOMPARE(s.rows(), QStringList({"12|Snare", "5|Kick", "8|Kick-2", "120|kick", "7|Kick 2", "3|Snare", "40|Tom"}));
        QVERIFY(w->library().totalListItemModel()->soundItem(0, 0)->isEditable());
        QVERIFY(s.lockShown(1) && !s.lockShown(0));
        s.checkFollowers();

        w->form()->upRbtn->click();
        QCOMPARE(s.rows(), kAscending);
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->isEditable());
        QVERIFY(s.lockShown(2));
        s.checkFollowers();
        w->form()->DownRbtn->click();
        QStringList descending = kAscending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(s.rows(), descending);
        s.checkFollowers();

        // Kit use: kit by kit, pads (A then B) before the hi-hat; the rest by number.
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[1].soundFile0 = s.files[1]; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile1 = s.files[5]; });
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave1_file = s.files[6]; });
        reloadKit(w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = s.files[5]; });
        reloadKit(w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[2].soundFile0 = s.files[2]; });
        // "Kick 2" shares Kick-2's file.
        editRecords(w->library(), [&s](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[4].file = s.files[2]; });
        w->form()->kitRbtn->click();
        QCOMPARE(s.rows(), QStringList({"3|Snare", "5|Kick", "40|Tom", "8|Kick-2", "7|Kick 2", "12|Snare", "120|kick"}));
        QCOMPARE(w->library().totalListItemModel()->soundItem(4, 2)->text(), s.files[2]);
        s.checkFollowers();

        // The rows' order is what the selection handlers see afterwards.
        s.f.selectTotalRow(3);
        QCOMPARE(w->preview().playFileNameNew2(), s.files[2]);

        // The backup flag follows its button after each click.
        QVERIFY(!w->setupFiles().backFlag());
        w->form()->rbtBack->click();
        QVERIFY(w->setupFiles().backFlag());
        w->form()->rbtBack->click();
        QCOMPARE(w->setupFiles().backFlag(), w->form()->rbtBack->isChecked());
    }

    void orderFile()
    {
        Sounds s;
        MainWindow1 *w = s.w;
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        const QString file = home.filePath("Desktop/wave_sort.txt");

        w->form()->upRbtn->click();
        w->form()->btnExportRightWave->click();
        QCOMPARE(kf::readFile(file), QByteArray("Kick 2\nkick\nKick\nKick-2\nSnare\nSnare\nTom\n"));
        QCOMPARE(s.f.prompter.titles(), QStringList{"successfully exported."});
        QCOMPARE(s.f.prompter.texts(), QStringList{"File Location:\r\n" + file});

        // Back in stored order, the file's order returns.
        w->form()->defaultRbtn->click();
        s.f.prompter.fileAnswers.enqueue({file});
        w->form()->btnImportRightWave->click();
        QCOMPARE(s.f.prompter.prompts.last().title, QString("Select the wave sort txt file."));
        QCOMPARE(s.f.prompter.prompts.last().text, QString(" "));
        QCOMPARE(s.f.prompter.prompts.last().filter, QString("txt(*.txt)"));
        QCOMPARE(s.rows(), kAscending);
        QVERIFY(w->form()->customRbtn->isChecked() && w->form()->customRbtn->isHidden());
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->isEditable());
        s.checkFollowers();

        // CR LF, blank lines, no last line feed; equal names by stored order.
        kf::writeFile(file, "\r\nTom\r\nSnare\r\n\r\nKick\nkick\nSnare\nKick-2\r\n\nKick 2");
        s.f.prompter.fileAnswers.enqueue({file});
        w->form()->btnImportRightWave->click();
        QCOMPARE(s.rows(), QStringList({"40|Tom", "12|Snare", "5|Kick", "120|kick", "3|Snare", "8|Kick-2", "7|Kick 2"}));

        // Failures leave the rows.
        const QStringList before = s.rows();
        const QVector<QPair<QByteArray, QString>> bad = {
                {"Kick\nSnare\n", "The number of waves in the imported file is not equal to sound list. Import failed!"},
                {"Kick\rSnare\rSnare\rTom\rkick\rKick 2\rKick-2\r", "The number of waves in the imported file is not "
                                                                    "equal to sound list. Import failed!"},
                {"KICK\nSnare\nSnare\nTom\nkick\nKick 2\nKick-2\n",
                 "Unable to find sound information in the sound list. Import failed!"},
                {"Kick\nSnare\nSnare\nSnare\nkick\nKick 2\nKick-2\n",
                 "Unable to find sound information in the sound list. Import failed!"}};
        for (const auto &b : bad) {
            kf::writeFile(file, b.first);
            s.f.prompter.clear();
            s.f.prompter.fileAnswers.enqueue({file});
            w->form()->btnImportRightWave->click();
            QCOMPARE(s.f.prompter.texts(), QStringList{b.second});
            QCOMPARE(s.f.prompter.titles(), QStringList{"Error"});
        }
        s.f.prompter.clear();
        w->form()->btnImportRightWave->click(); // cancelled
        QCOMPARE(s.f.prompter.texts(), QStringList{"Open file error."});
        QCOMPARE(s.rows(), before);

        // The file is opened through the editor's disk: one that fails the open is the same error.
        {
            struct OpenFails : PassDisk
            {
                int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
                {
                    if (name.endsWith(".txt")) {
                        errno = EIO;
                        return -1;
                    }
                    return PassDisk::openAt(dir, name, flags, mode);
                }
            } failing;
            const DiskInPlace inPlace(s.f.disk, &failing);
            s.f.prompter.clear();
            s.f.prompter.fileAnswers.enqueue({file});
            w->form()->btnImportRightWave->click();
            QCOMPARE(s.f.prompter.texts(), QStringList{"Open file error."});
            QCOMPARE(s.rows(), before);
        }

        // A desktop that cannot take the file.
        QDir(home.filePath("Desktop")).removeRecursively();
        kf::writeFile(home.filePath("Desktop"), "not a folder");
        s.f.prompter.clear();
        w->form()->btnExportRightWave->click();
        QCOMPARE(s.f.prompter.texts(), QStringList{"Open file error."});

        // An empty list refuses both.
        w->library().takeSoundRecords({});
        w->form()->defaultRbtn->click();
        s.f.prompter.clear();
        w->form()->btnExportRightWave->click();
        w->form()->btnImportRightWave->click();
        QCOMPARE(s.f.prompter.texts(),
                 QStringList({"Sound list can not be blank while performing an export operation.",
                              "MY SOUND LIST can not be blank while performing an import operation."}));
        QCOMPARE(s.f.prompter.prompts.size(), 2); // no file dialog
        qputenv("HOME", oldHome);
    }

    void locksAndRenumbering()
    {
        Sounds s;
        MainWindow1 *w = s.w;
        w->form()->upRbtn->click();
        // Lock rows 0 and 3 (Kick 2 and Kick-2), unlock Kick.
        QItemSelectionModel *sel = w->form()->totalWaveTreeView->selectionModel();
        s.f.selectTotalRow(0);
        s.f.selectTotalRow(3, QItemSelectionModel::Select);
        w->soundLists().lockSelected(true);
        QCOMPARE(w->library().waveLoadKitAttrList()[4].wave_lock, quint8(0));
        QCOMPARE(w->library().waveLoadKitAttrList()[2].wave_lock, quint8(0));
        QVERIFY(s.lockShown(0) && s.lockShown(3));
        s.f.selectTotalRow(2);
        w->soundLists().lockSelected(false);
        QCOMPARE(w->library().waveLoadKitAttrList()[1].wave_lock, quint8(1));
        QVERIFY(!s.lockShown(2));
        // A number no record has changes nothing.
        SoundListModel *total = w->library().totalListItemModel();
        total->setData(total->soundIndex(6, 0), "999");
        s.f.selectTotalRow(6);
        w->soundLists().lockSelected(true);
        QVERIFY(!s.lockShown(6));
        QCOMPARE(w->library().waveLoadKitAttrList()[6].wave_lock, quint8(1));

        // Renumbering: stored order, numbers 1 to n, locks kept, no selection.
        w->form()->actionReorder_Serial_Numbers->trigger();
        QCOMPARE(s.rows(), QStringList({"1|Snare", "2|Kick", "3|Kick-2", "4|kick", "5|Kick 2", "6|Snare", "7|Tom"}));
        QVERIFY(w->form()->defaultRbtn->isChecked());
        QVERIFY(s.lockShown(2) && s.lockShown(4) && !s.lockShown(1));
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->isEditable());
        QCOMPARE(w->library().waveLoadKitAttrList().at(6).wave_No, quint16(7));
        s.checkFollowers();
        sel = w->form()->totalWaveTreeView->selectionModel();
        QVERIFY(!sel->hasSelection());
        s.f.selectTotalRow(5);
        QCOMPARE(w->preview().playFileNameNew2(), s.files[5]); // the new selection model is adapted
        QVERIFY(!w->form()->actionReorder_Serial_Numbers->isVisible());

        // On the pad: locks refused, renumbered names read-only; numbers the
        // pad cannot take (no pad folders here) come back as they were.
        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        s.f.prompter.clear();
        w->soundLists().lockSelected(true);
        w->soundLists().lockSelected(false);
        QCOMPARE(s.f.prompter.texts(), QStringList({"In USB device mode, the sound lock function is not supported",
                                                    "In USB device mode, the sound unlock function is not supported"}));
        w->form()->actionReorder_Serial_Numbers->trigger();
        QCOMPARE(w->library().waveLoadKitAttrList().at(6).wave_No, quint16(7));
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 1)->isEditable());
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r[0].wave_No = 30; });
        w->form()->actionReorder_Serial_Numbers->trigger();
        QCOMPARE(w->library().waveLoadKitAttrList().at(0).wave_No, quint16(30));
        QCOMPARE(w->library().waveLoadKitAttrList().at(1).wave_No, quint16(2));
        QCOMPARE(s.rows().first(), QString("30|Snare"));
    }

};

QTEST_MAIN(TestSoundOrder)
#include "test_soundorder.moc"

// Sounds dropped on the pads of the shown kit, offline and on the pad: the
// layer hit, registration of new sounds, the refusals and their messages.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "dropfixture.h"
#include "hangingdisk.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "library/records_fixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString kLimit = "The number of sound can not exceed 9999.";
QString rec(const QString &name, const QString &path)
{
    return dragpayload::record(name, path);
}
} // namespace

class TestPadDrops : public QObject
{
    Q_OBJECT

    std::unique_ptr<DropFixture> f;

    const MainWindow1Records::KIT_PAD_SETTING &pad(int kit, int p) { return f->kit(kit).kpadChunk[p]; }
    QString layers(int kit, int p)
    {
        const MainWindow1Records::KIT_PAD_SETTING &s = pad(kit, p);
        return s.soundName0 + '|' + s.soundFile0 + '|' + s.soundName1 + '|' + s.soundFile1;
    }

private slots:
    void init()
    {
        f.reset(new DropFixture);
        QVERIFY(f->exposed && f->writerOff);
    }
    void cleanup() { f.reset(); }

    void newAndKnownSoundsOffline()
    {
        MainWindow1 *w = f->w;
        const QString kick = f->sound("Kick.wav");
        f->typeKitNumber("3");
        f->dropOnPad(0, 0, rec("Kick", kick));
        QCOMPARE(layers(3, 0) + f->ui->labPad01a->text(), "Kick|" + kick + "||Kick");
        QCOMPARE(f->totalRows() + f->mirrorRows(), QStringList({"1|Kick|" + kick, "Kick|" + kick}));
        QCOMPARE(w->library().soundList(), QStringList({"Kick"}));
        const MainWindow1Records::SOUND_INDEX &s = w->library().waveLoadKitAttrList().at(0);
        QCOMPARE(QByteArray(s.wave_name, 16), QByteArray("Kick").leftJustified(16, '\0'));
        QCOMPARE(s.file + QString::number(s.wave_No) + QString::number(s.wave_lock), kick + "11");
        QCOMPARE(w->doc().kitPadList(2)[0].soundFile0, kick);

        // Known: only the layer. New numbers follow the last entry, not the highest.
        editRecords(w->library(), [&s](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            r.prepend(s);
            r[0].wave_No = 40;
        });
        f->dropOnPad(16, 1, rec("Kick", kick));
        QCOMPARE(layers(3, 16), "||Kick|" + kick);
        const QString snare = f->sound("Snare.wav");
        f->dropOnPad(18, 0, rec("Snare", snare)); // a foot switch, layer A only
        QCOMPARE(layers(3, 18) + f->ui->labPad19a->text(), "Snare|" + snare + "||Snare");
        QCOMPARE(f->totalRows().size() * 100 + w->library().waveLoadKitAttrList().last().wave_No, 202);

        // Outside both labels: no layer changes, but a new sound is registered.
        const QString tom = f->sound("Tom.wav");
        const MainPadPageController::strPadWidgetGroup &g = w->mainPadPage().padWidgetGroup()[4];
        QRegion labels(QRect(g.lableA->mapTo(g.group, QPoint()), g.lableA->size()));
        labels += QRect(g.lableB->mapTo(g.group, QPoint()), g.lableB->size());
        QPoint spot(0, 0);
        while (labels.contains(spot) && spot.y() < g.group->height())
            spot += QPoint(0, 1);
        QVERIFY(!labels.contains(spot));
        f->drag(g.group, spot, rec("Tom", tom));
        QCOMPARE(layers(3, 4), QString("|||"));
        QCOMPARE(f->totalRows().last(), "3|Tom|" + tom);
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    // A name longer than a kit file keeps shows as it will be saved.
    void longNamesShowTheirSavedPart()
    {
        f->dropOnPad(2, 1, rec("Twentycharactersxyz1", f->sound("long.wav")));
        QCOMPARE(pad(1, 2).soundName1 + "|" + f->w->doc().kitPadList(0)[2].soundName1 + "|" + f->ui->labPad03b->text(),
                 QString("Twentycharacters|Twentycharacters|Twentycharacters"));
    }

    void refusalsChangeNothing()
    {
        f->editKit(1, [](MainWindow1Records::soundKit &k) { k.kpadChunk[2].soundName0 = "Old"; });
        const QString gone = f->work.filePath("Gone.wav");
        f->dropOnPad(2, 0, rec("Gone", gone));
        f->dropOnPad(18, 0, rec("Gone", gone)); // foot switches check too
        const QString missing = "Gone does not exist.\r\nPlease check path:" + gone;
        QCOMPARE(f->prompter.texts(), QStringList({missing, missing}));
        QCOMPARE(f->prompter.titles(), QStringList({"Error", "Error"}));
        const QString folder = f->work.filePath("Dir.wav"); // there, but no sound
        QVERIFY(QDir().mkpath(folder));
        f->dropOnPad(2, 0, rec("Dir", folder));
        QCOMPARE(f->prompter.texts().last(), "Dir does not exist.\r\nPlease check path:" + folder);

        // A sound inside a kit file passes while the kit file exists.
        const QString setup = f->sound("Setup.BIN");
        f->dropOnPad(2, 1, rec("Stored", setup + ":U00003"));
        QCOMPARE(pad(1, 2).soundFile1, setup + ":U00003");
        f->dropOnPad(2, 1, rec("Stored", f->work.filePath("None.BIN") + ":U00003"));
        QCOMPARE(f->prompter.texts().last(), "Stored does not exist.\r\nPlease check path:" + f->work.filePath("None.BIN"));

        // No kit shown, or an empty payload: swallowed without a message.
        const QString stored = layers(1, 2);
        f->prompter.clear();
        f->ui->kitNumber->clear();
        f->dropOnPad(2, 0, rec("Hat", f->sound("Hat.wav")));
        QCOMPARE(f->w->mainPadPage().currentKitNum(), quint8(255));
        f->typeKitNumber("1");
        f->dropOnPad(2, 0, QString());
        QCOMPARE(layers(1, 2), stored);
        QCOMPARE(f->totalRows().size() + f->prompter.prompts.size(), 1);
    }

    // Both limits refuse new sounds only, and leave the layer as it was.
    void limitsRefuseNewSoundsOnly()
    {
        MainWindow1 *w = f->w;
        const QString known = f->sound("Known.wav");
        const QString fresh = f->sound("Fresh.wav");
        f->addListed("Known", known, 1);
        // Rows of the list's limit; the last number stays 1.
        for (int i = 1; i < WAVE_MAX_COUNT; ++i)
            w->library().addSound(QString(), "/x/" + QString::number(i), 1, true);
        f->editKit(1, [](MainWindow1Records::soundKit &k) { k.kpadChunk[0].soundName0 = "Old"; });
        f->dropOnPad(0, 0, rec("Fresh", fresh));
        QCOMPARE(pad(1, 0).soundName0, QString("Old"));
        f->dropOnPad(0, 0, rec("Known", known));
        QCOMPARE(pad(1, 0).soundName0, QString("Known"));
        f->dropOnPad(17, 0, rec("Fresh", fresh)); // the foot switches too
        QCOMPARE(pad(1, 17).soundName0, QString());
        QCOMPARE(f->prompter.texts(), QStringList({kLimit, kLimit}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning"}));

        QVector<int> extraRows;
        QVector<bool> extraRecords(WAVE_MAX_COUNT, true);
        extraRecords[0] = false;
        for (int r = WAVE_MAX_COUNT - 1; r >= 1; --r)
            extraRows << r;
        w->library().removeSounds(extraRows, extraRecords);
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.last().wave_No = WAVE_MAX_COUNT; });
        f->dropOnPad(0, 1, rec("Fresh", fresh));
        QCOMPARE(pad(1, 0).soundName1, QString());
        f->dropOnPad(0, 1, rec("Known", known));
        QCOMPARE(pad(1, 0).soundName1, QString("Known"));
        QCOMPARE(f->prompter.texts().size() * 100 + f->totalRows().size() * 10
                         + w->library().waveLoadKitAttrList().size(),
                 311);
    }

    // A sound is the same sound only by its whole path, letter case included.
    void exactPaths()
    {
        const QString kick = f->sound("Kick.wav");
        f->addListed("Longer", kick + "2", 1);
        f->addListed("Upper", kick.toUpper(), 2);
        f->dropOnPad(1, 0, rec("Kick", kick));
        QCOMPARE(f->totalRows().last(), "3|Kick|" + kick);
        SoundListModel *total = f->w->library().totalListItemModel();
        total->setData(total->soundIndex(2, 2), "/elsewhere.wav"); // the index follows edits
        f->dropOnPad(1, 1, rec("Kick", kick));
        QCOMPARE(f->totalRows().last(), "4|Kick|" + kick);
    }

    void severalSoundsBlockThePads()
    {
        MainWindow1 *w = f->w;
        QEvent enter(QEvent::Enter); // any event the window filters applies the flag
        w->soundLists().dragSeveralSounds(true);
        QApplication::sendEvent(f->ui->left_stackedSoundWidget, &enter);
        for (const MainPadPageController::strPadWidgetGroup &g : w->mainPadPage().padWidgetGroup())
            QVERIFY(!g.group->acceptDrops());
        w->soundLists().dragSeveralSounds(false);
        QApplication::sendEvent(f->ui->right_stackedWidgetPage1, &enter);
        for (const MainPadPageController::strPadWidgetGroup &g : w->mainPadPage().padWidgetGroup())
            QVERIFY(g.group->acceptDrops());
    }

    void deviceModeQueuesNewSounds()
    {
        MainWindow1 *w = f->w;
        f->deviceMode();
        QSignalSpy update(&w->shell(), &ShellController::padAddsQueued); // an add batch
        const QString a = f->sound("A.wav"), b = f->sound("B.wav"), known = f->sound("Known.wav");
        f->addListed("Known", known, 7);
        w->pad().queueAdd("Earlier.wav", 3); // added earlier in the run
        // The last record closed by "#" is the sound; rows come once it is on the pad.
        f->dropOnPad(5, 0, rec("A", a) + "#" + rec("B", b) + "#");
        QCOMPARE(pad(1, 5).soundName0 + pad(1, 5).soundFile0, "B" + b);
        QCOMPARE(w->pad().addUsbWaveList(), QStringList({b}));
        QCOMPARE(w->pad().addUsbWaveNumList(), QVector<quint16>({3, 8}));
        QCOMPARE(w->library().waveLoadKitAttrList().last().file + QString::number(w->library().waveLoadKitAttrList().last().wave_No), b + "8");
        QCOMPARE(f->totalRows().size(), 1);
        QCOMPARE(update.count(), 1);

        f->dropOnPad(5, 1, rec("Known", known) + "#");
        QCOMPARE(pad(1, 5).soundFile1 + w->pad().addUsbWaveList().join(""), known);
        QCOMPARE(update.count(), 1);

        // From the pad's own list: nothing is queued; the layer takes the number of
        // the working-list entry with that file, and none is invented without one.
        w->soundLists().dragFromPadList();
        const QString c = f->sound("C.wav"), d = f->sound("D.wav");
        editRecords(w->library(), [&c](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.last().file = c; });
        const int noWave = pad(1, 6).bWaveNo;
        f->dropOnPad(6, 0, rec("C", c) + "#");
        f->dropOnPad(6, 1, rec("D", d) + "#");
        QCOMPARE(pad(1, 6).soundFile0 + pad(1, 6).soundFile1, c + d);
        QCOMPARE(int(pad(1, 6).aWaveNo) * 100000 + int(w->doc().kitPadList(0)[6].aWaveNo),
                 800008); // the entry's number
        QCOMPARE(int(pad(1, 6).bWaveNo), noWave);
        QCOMPARE(w->library().waveLoadKitAttrList().size() * 10 + update.count(), 21);

        // Without "#" there is no record: an empty name and path.
        w->soundLists().dragFromGroups();
        f->dropOnPad(7, 0, rec("Hat", c));
        QCOMPARE(f->prompter.texts(), QStringList({" does not exist.\r\nPlease check path:"}));
        QCOMPARE(pad(1, 7).soundName0, QString());
    }

    // A sound of the pad's own list whose file does not answer is not waited
    // on: the window paints meanwhile and the drop is refused after the
    // limit; once the file answers, the layer takes its size.
    void padSoundThatDoesNotAnswerIsNotWaitedOn()
    {
        MainWindow1 *w = f->w;
        f->deviceMode();
        QDir().mkpath(f->work.filePath("pad/ZT350/WAV_DATA/001"));
        const QString wave = f->sound("pad/ZT350/WAV_DATA/001/002.wav", QByteArray(4400, 'w'));
        editRecords(w->library(), [&wave](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            MainWindow1Records::SOUND_INDEX s;
            s.file = wave;
            s.wave_No = 2;
            r.append(s);
        });
        w->soundLists().dragFromPadList();
        HangingOpens hanging(f->disk, "/001/002.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f->prompter.texts().isEmpty(); });
        f->dropOnPad(6, 0, rec("Wave", wave) + "#");
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f->prompter.texts(), QStringList({"Wave does not exist.\r\nPlease check path:" + wave}));
        QCOMPARE(pad(1, 6).soundFile0, QString());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);

        f->dropOnPad(6, 0, rec("Wave", wave) + "#");
        QCOMPARE(pad(1, 6).soundFile0 + QString::number(pad(1, 6).aWaveNo) + '/' + QString::number(pad(1, 6).aWaveLength),
                 wave + "2/4400");
    }
};

QTEST_MAIN(TestPadDrops)
#include "test_paddrops.moc"

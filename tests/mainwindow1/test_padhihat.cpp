// The pad settings page (mode lists and rules, widget <-> field conversions,
// stored values the widgets cannot show) and the hi-hat block (layer rules,
// clearing, the hi-hat sound list) driven through the window.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "windowfixture.h"
#include "hangingdisk.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

#include "model/audioconverter.h"

#include <QMediaPlayer>
#include <QProcess>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

namespace {
using Pad = MainWindow1Records::KIT_PAD_SETTING;

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The pad fields the page shows, in the order of `shown()`.
QVector<quint8 *> fields(Pad &s)
{
    return {&s.aWavePan,   &s.bWavePan,   &s.aWaveDecay, &s.bWaveDecay, &s.midi_gate,  &s.aWavePitch, &s.bWavePitch,
            &s.midi_channel, &s.midi_code, &s.ext_ctrl,  &s.pad_output, &s.mute_group, &s.tempo_sync, &s.mode,
            &s.loop,       &s.trig_mode,  &s.velocity,   &s.dynamic,    &s.poly_mono,  &s.aWaveVolume, &s.bWaveVolume};
}

QVector<int> values(Pad s)
{
    QVector<int> out;
    for (quint8 *f : fields(s))
        out << *f;
    return out;
}

QStringList shown(Ui::MainWindow1 *ui)
{
    return {ui->waveACenter->currentText(), ui->waveBPan->currentText(), ui->waveADecay->currentText(),
            ui->waveBDecay->currentText(), ui->midiGate->text(), ui->waveAPitch->text(), ui->waveBPitch->text(),
            ui->midiChannelComboBox->currentText(), ui->midiCodeSpinBox->text(), ui->extCtrl->text(),
            ui->padOutput->text(), ui->muteGroup->currentText(), ui->tempoSync->text(), ui->mode->currentText(),
            ui->loop->currentText(), ui->trigType->currentText(), ui->velocity->text(), ui->dynamic->currentText(),
            ui->polyMono->currentText(), ui->waveAVolumeSpinBox->text(), ui->waveBVolumeSpinBox->text()};
}

// Both copies of a pad hold the stored values.
void store(WindowFixture &f, int kit, int pad, const QVector<int> &stored)
{
    f.editKit(kit, [&](MainWindow1Records::soundKit &k) {
        Pad *s = &k.kpadChunk[pad];
        const QVector<quint8 *> fs = fields(*s);
        for (int i = 0; i < fs.size(); ++i)
            *fs[i] = quint8(stored[i]);
        s->aWavePitch_cent = 20;
        s->aWaveStartCluster = s->bWaveLength = 900;
    });
}
} // namespace

class TestPadHiHat : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup() { f.reset(); }

    void modeLists()
    {
        const QStringList pads = {"Wave A Only", "Wave B Only", "Simultaneously", "Switch", "Round Robin", "Mix", "Fade"};
        f->openKitPage(1);
        QCOMPARE(items(f->ui->mode), pads);
        f->ui->padNoComboBox->setCurrentIndex(17);
        f->ui->padNoComboBox->setCurrentIndex(18);
        QCOMPARE(items(f->ui->mode), QStringList({"Wave A Only", "HH Pedal"}));
        QVERIFY(f->w->kitPages().modeFlag());
        f->ui->padNoComboBox->setCurrentIndex(2);
        QCOMPARE(items(f->ui->mode), pads);
        QVERIFY(!f->w->kitPages().modeFlag());
    }

    void modeRules_data()
    {
        QTest::addColumn<int>("pad");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("expected"); // velocity on, loop, loop on, trigger, trigger on
        QTest::newRow("Wave A Only") << 2 << 0 << "0 *4 1 Shot 0";
        QTest::newRow("Wave B Only") << 2 << 1 << "0 *4 1 Shot 0";
        QTest::newRow("Simultaneously") << 2 << 2 << "0 OFF 0 Alt 1";
        QTest::newRow("Switch") << 2 << 3 << "1 OFF 0 Alt 0";
        QTest::newRow("Round Robin") << 2 << 4 << "0 OFF 0 Shot 0";
        QTest::newRow("Mix") << 2 << 5 << "1 OFF 0 Alt 0";
        QTest::newRow("Fade") << 2 << 6 << "1 OFF 0 Alt 0";
        QTest::newRow("FS Wave A Only") << 17 << 0 << "0 *4 1 Shot 0";
        QTest::newRow("FS HH Pedal") << 18 << 1 << "0 OFF 0 Shot 0";
    }

    void modeRules()
    {
        QFETCH(int, pad);
        QFETCH(int, item);
        QFETCH(QString, expected);
        Ui::MainWindow1 *ui = f->ui;
        f->editKit(1, [pad](MainWindow1Records::soundKit &k) { k.kpadChunk[pad].trig_mode = 1; }); // the record's trigger type
        f->openKitPage(1);
        ui->padNoComboBox->setCurrentIndex(pad);
        ui->loop->setCurrentIndex(2);
        ui->velocity->setRange(0, 255);
        ui->velocity->setValue(200);
        f->w->on_mode_currentIndexChanged(item);
        QCOMPARE(ui->mode->currentIndex(), item);
        QCOMPARE(QStringList({QString::number(ui->velocity->isEnabled()), ui->loop->currentText(),
                              QString::number(ui->loop->isEnabled()), ui->trigType->currentText(),
                              QString::number(ui->trigType->isEnabled())}).join(' '), expected);
        QCOMPARE(ui->velocity->maximum() * 1000 + ui->velocity->value(), 127127);
        for (QWidget *w : QList<QWidget *>{ui->loop, ui->trigType, ui->velocity})
            QCOMPARE(w->styleSheet(), QString("background-color: rgb(%1);").arg(w->isEnabled() ? "250, 250, 250" : "200, 200, 200"));
        ui->velocity->setValue(64); // an item the list lacks changes nothing
        f->w->on_mode_currentIndexChanged(pad >= 17 ? 3 : -1);
        QCOMPARE(ui->velocity->value(), 64);
    }

    void conversionsBothWays_data()
    {
        QTest::addColumn<QVector<int>>("stored");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("edges") << QVector<int>{0, 127, 60, 255, 81, 0, 24, 0, 127, 1, 3, 9, 240, 7, 4, 1, 100, 0, 0, 0, 100}
                               << QStringList{"L16", "R16", "4", "OFF", "8.0", "-12", "12", "1", "127", "ON", "3",
                                              "9", "240", "Fade", "Infinite", "Alt", "100", "OFF", "Mono", "0", "100"};
        QTest::newRow("middles") << QVector<int>{64, 124, 188, 88, 1, 12, 13, 16, 0, 0, 1, 0, 0, 6, 0, 0, 127, 1, 1, 50, 7}
                                 << QStringList{"Center", "R15", "1", "3", "ALT", "0", "1", "Global CH", "0", "OFF",
                                                "1", "OFF", "OFF", "Mix", "OFF", "Shot", "127", "ON", "Poly", "50", "7"};
        QTest::newRow("steps") << QVector<int>{4, 68, 128, 255, 2, 1, 23, 15, 60, 0, 2, 1, 20, 2, 3, 1, 127, 1, 1, 1, 2}
                               << QStringList{"L15", "R1", "2", "OFF", "0.1", "-11", "11", "16", "60", "OFF", "2", "1",
                                              "20", "Simultaneously", "*8", "Alt", "127", "ON", "Poly", "1", "2"};
    }

    void conversionsBothWays()
    {
        QFETCH(QVector<int>, stored);
        QFETCH(QStringList, texts);
        store(*f, 2, 4, stored);
        f->openKitPage(2);
        f->ui->padNoComboBox->setCurrentIndex(4);
        QCOMPARE(shown(f->ui), texts);
        QVector<int> committed = stored;
        committed[20] = stored[20] == 100 ? 99 : stored[20] + 1;
        f->ui->waveBVolumeSpinBox->setValue(committed[20]); // an edit: the commit maps every widget
        f->ui->padNoComboBox->setCurrentIndex(0); // commits pad 4
        for (const Pad &s : {f->kit(2).kpadChunk[4], f->w->doc().kitPadList(1)[4]}) {
            QCOMPARE(values(s), committed);
            QCOMPARE(QVector<int>({s.padNo, s.aWavePitch_cent, s.bWavePitch_cent, int(s.aWaveStartCluster + s.bWaveLength)}),
                     QVector<int>({4, 50, 50, 0}));
        }
    }

    // Values a widget cannot show appear blank and stay until the user picks an item.
    void unknownStoredValuesKept()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QVector<int> odd = {62, 64, 255, 99, 0, 12, 12, 20, 60, 2, 1, 12, 5, 5, 7, 3, 127, 4, 9, 100, 100};
        store(*f, 3, 5, odd);
        f->editKit(3, [](MainWindow1Records::soundKit &k) { k.kpadChunk[17].mode = 1; }); // no item on a foot switch
        f->openKitPage(3);
        ui->padNoComboBox->setCurrentIndex(5);
        for (QComboBox *box : {ui->waveACenter, ui->waveBDecay, ui->loop, ui->mode, ui->midiChannelComboBox, ui->trigType,
                               ui->dynamic, ui->polyMono, ui->muteGroup})
            QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(ui->extCtrl->text() + ui->tempoSync->text(), QString("25"));
        ui->padNoComboBox->setCurrentIndex(17);
        QCOMPARE(ui->mode->currentIndex(), -1);
        ui->padNoComboBox->setCurrentIndex(5);
        QCOMPARE(values(f->kit(3).kpadChunk[5]), odd);
        QCOMPARE(int(f->kit(3).kpadChunk[17].mode), 1);
        ui->waveACenter->setCurrentIndex(15); // "L1", picked by the user
        ui->padNoComboBox->setCurrentIndex(0);
        QVector<int> picked = odd;
        picked[0] = 60;
        QCOMPARE(values(f->w->doc().kitPadList(2)[5]), picked);
    }

    void layerRules_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<QVector<int>>("kit"); // layers 1..3 of the kit shown
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("label");
        const QVector<int> start = {100, 80, 40};
        QTest::newRow("L1 82 over 80") << 1 << start << 82 << 82 << "81";
        QTest::newRow("L1 81 over 80") << 1 << start << 81 << 100 << "99";
        QTest::newRow("L1 126") << 1 << start << 126 << 126 << "125";
        QTest::newRow("L2 42") << 2 << start << 42 << 42 << "41";
        QTest::newRow("L2 98") << 2 << start << 98 << 98 << "97";
        QTest::newRow("L2 41") << 2 << start << 41 << 80 << "79";
        QTest::newRow("L2 99") << 2 << start << 99 << 80 << "79";
        QTest::newRow("L3 78") << 3 << start << 78 << 78 << "77";
        QTest::newRow("L3 79") << 3 << start << 79 << 40 << "39";
        // A refusal restores the kit's own value, not one accepted in another kit.
        QTest::newRow("kit's own L1") << 1 << QVector<int>{110, 60, 20} << 10 << 110 << "109";
    }

    void layerRules()
    {
        QFETCH(int, layer);
        QFETCH(QVector<int>, kit);
        QFETCH(int, typed);
        QFETCH(int, result);
        QFETCH(QString, label);
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(9);
        ui->hhLayer1SpinBox->setValue(90); // accepted in kit 9
        emit ui->hhLayer1SpinBox->editingFinished();
        f->editKit(10, [&kit](MainWindow1Records::soundKit &k) {
            k.pedalChunk.hh_layer1 = quint8(kit[0]);
            k.pedalChunk.hh_layer2 = quint8(kit[1]);
            k.pedalChunk.hh_layer3 = quint8(kit[2]);
        });
        ui->downPageBtn->click();
        QSpinBox *box = QList<QSpinBox *>{ui->hhLayer1SpinBox, ui->hhLayer2SpinBox, ui->hhLayer3SpinBox}[layer - 1];
        box->setValue(typed);
        emit box->editingFinished();
        QCOMPARE(box->value(), result);
        QCOMPARE(QList<QLabel *>({ui->labLayer2, ui->labLayer3, ui->labLayer4})[layer - 1]->text(), label);
        QCOMPARE(ui->labLayer1->text(), QString("127"));
    }

    // A layer typed without Enter meets its rule at the commit: a button that
    // takes no focus does not let it through.
    void unfinishedLayerEditMeetsItsRule()
    {
        Ui::MainWindow1 *ui = f->ui;
        const MainWindow1Records::PEDAL_SETTING &h = f->kit(5).pedalChunk; // layers 100, 80, 40
        f->openKitPage(5);
        ui->hhLayer2SpinBox->selectAll();
        QTest::keyClicks(ui->hhLayer2SpinBox, "110");
        QCOMPARE(ui->hhLayer2SpinBox->value(), 110);
        QTest::mouseClick(ui->btnKitMove, Qt::LeftButton);
        QCOMPARE(QVector<int>({h.hh_layer1, h.hh_layer2, f->w->doc().pedal0(4).hh_layer2}),
                 QVector<int>({100, 80, 80}));
    }

    void clearHiHatWavesOfOneKit()
    {
        for (int k : {4, 5, 6}) {
            f->editKit(k, [](MainWindow1Records::soundKit &kit) {
                MainWindow1Records::PEDAL_SETTING &h = kit.pedalChunk;
                h.hh_wave1_name = h.hh_wave5_name = "Hat";
                h.hh_wave5_file = "/s/hat.wav";
                h.hh_wave1_no = h.hh_wave5_no = 3;
                h.hh_layer2 = 70;
            });
        }
        f->openKitPage(5);
        QCOMPARE(f->ui->hh_wave5_name->text(), QString("Hat"));
        f->ui->btnClearHHWave->click();
        const MainWindow1Records::PEDAL_SETTING &h = f->kit(5).pedalChunk;
        QCOMPARE(h.hh_wave1_name + h.hh_wave5_name + h.hh_wave5_file, QString());
        QCOMPARE(QVector<int>({h.hh_wave1_no, h.hh_wave5_no, h.hh_layer2}), QVector<int>({0xFFFF, 0xFFFF, 70}));
        QCOMPARE(f->kit(4).pedalChunk.hh_wave5_name + f->kit(6).pedalChunk.hh_wave1_name, QString("HatHat"));
        for (QLabel *name : f->w->kitPages().view().pad.hhNames)
            QVERIFY(name->text().isEmpty());
    }

    void hiHatSoundList()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QString wav = f->work.filePath("tone.wav"), missing = f->work.filePath("gone.wav");
        const QString inKit = wav + ":U00003";
        QProcess ffmpeg;
        ffmpeg.start(audioconverter::defaultProgram(),
                     {"-v", "quiet", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.2", "-ar", "48000", "-ac", "2", wav});
        QVERIFY(ffmpeg.waitForFinished(60000) && QFileInfo(wav).size() > 44);
        const SoundListModel *mirror = f->w->library().hhSoundItemModel();
        QStandardItem *group = mirror->itemFromIndex(mirror->rootIndex()); // rows of no sound of the list
        for (const QStringList &row : {QStringList{"Tone", wav}, QStringList{"Gone", missing}, QStringList{"InKit", inKit}})
            group->appendRow({new QStandardItem(row[0]), new QStandardItem(row[1])});
        f->openKitPage(1);
        QTreeView *view = ui->soundListTreeView;

        view->setCurrentIndex(group->child(0)->index());
        QCOMPARE(ui->songLabel2->text() + "|" + f->w->preview().playFileNameNew2(), "Tone|" + wav);
        QVERIFY(ui->playBtn2->isEnabled());
        QCOMPARE(ui->playBtn2->styleSheet(), QString("border-image:url(:/images/play.png)"));
        QCOMPARE(qobject_cast<const QMediaPlayer *>(f->w->preview().player2())->state(), QMediaPlayer::StoppedState);
        QVERIFY(f->prompter.prompts.isEmpty());

        view->setCurrentIndex(group->child(1)->index());
        QCOMPARE(f->prompter.titles(), QStringList{"Error"});
        QCOMPARE(f->prompter.texts(), QStringList{"Gone does not exist.\r\nPlease check path:" + missing});
        QVERIFY(!ui->playBtn2->isEnabled() && !ui->stopBtn2->isEnabled());
        QCOMPARE(f->w->preview().playFileNameNew2(), wav);

        view->setCurrentIndex(group->child(2)->index()); // looked for as the kit file, kept whole
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(ui->songLabel2->text() + "|" + f->w->preview().playFileNameNew2(), "InKit|" + inKit);

        view->setColumnHidden(1, false);
        view->setCurrentIndex(group->index());
        QVERIFY(view->isColumnHidden(1));
    }

    // A sound whose file does not answer is not waited on: the window paints
    // meanwhile and the row is refused after the limit.
    void soundThatDoesNotAnswerIsNotWaitedOn()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QString wav = f->work.filePath("ZT350/WAV_DATA/001/004.wav");
        QVERIFY(QDir().mkpath(QFileInfo(wav).path()));
        QFile file(wav);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(400, 'w')) == 400);
        file.close();
        const SoundListModel *mirror = f->w->library().hhSoundItemModel();
        QStandardItem *group = mirror->itemFromIndex(mirror->rootIndex());
        group->appendRow({new QStandardItem("Slow"), new QStandardItem(wav)});
        f->openKitPage(1);
        HangingOpens hanging(f->disk, "/001/004.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f->prompter.texts().isEmpty(); });
        ui->soundListTreeView->setCurrentIndex(group->child(0)->index());
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f->prompter.texts(), QStringList{"Slow does not exist.\r\nPlease check path:" + wav});
        QVERIFY(!ui->playBtn2->isEnabled());
        QVERIFY(f->w->preview().playFileNameNew2().isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }
};

QTEST_MAIN(TestPadHiHat)
#include "test_padhihat.moc"

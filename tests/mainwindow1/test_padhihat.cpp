// The pad settings page (mode lists and rules, widget <-> field conversions,
// stored values the widgets cannot show) and the hi-hat block (layer rules,
// clearing, the hi-hat sound list) driven through the window.
#include "windowfixture.h"

#include "model/audioconverter.h"

#include <QMediaPlayer>
#include <QProcess>
#include <QStandardItemModel>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
using Pad = MainWindow1::KIT_PAD_SETTING;

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Stored pad settings both copies of the pad hold.
void store(WindowFixture &f, int kit, int pad, const std::function<void(Pad &)> &set)
{
    set(f.kit(kit).kpadChunk[pad]);
    set(f.w->kitPadList[kit - 1][pad]);
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
        Ui::MainWindow1 *ui = f->ui;
        const QStringList pads = {"Wave A Only", "Wave B Only", "Simultaneously", "Switch", "Round Robin", "Mix",
                                  "Fade"};
        f->openKitPage(1);
        QCOMPARE(items(ui->mode), pads);
        ui->padNoComboBox->setCurrentIndex(17);
        QCOMPARE(items(ui->mode), QStringList({"Wave A Only", "HH Pedal"}));
        QVERIFY(f->w->modeFlag);
        ui->padNoComboBox->setCurrentIndex(18);
        QCOMPARE(items(ui->mode), QStringList({"Wave A Only", "HH Pedal"}));
        ui->padNoComboBox->setCurrentIndex(2);
        QCOMPARE(items(ui->mode), pads);
        QVERIFY(!f->w->modeFlag);
        QCOMPARE(f->w->curPadNumber, 2);
    }

    void modeRules_data()
    {
        QTest::addColumn<int>("pad");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("velocityOn");
        QTest::addColumn<QString>("loop");
        QTest::addColumn<bool>("loopOn");
        QTest::addColumn<QString>("trig");
        QTest::addColumn<bool>("trigOn");
        QTest::newRow("Wave A Only") << 2 << 0 << false << "*4" << true << "Shot" << false;
        QTest::newRow("Wave B Only") << 2 << 1 << false << "*4" << true << "Shot" << false;
        QTest::newRow("Simultaneously") << 2 << 2 << false << "OFF" << false << "Alt" << true;
        QTest::newRow("Switch") << 2 << 3 << true << "OFF" << false << "Alt" << false;
        QTest::newRow("Round Robin") << 2 << 4 << false << "OFF" << false << "Shot" << false;
        QTest::newRow("Mix") << 2 << 5 << true << "OFF" << false << "Alt" << false;
        QTest::newRow("Fade") << 2 << 6 << true << "OFF" << false << "Alt" << false;
        QTest::newRow("FS Wave A Only") << 17 << 0 << false << "*4" << true << "Shot" << false;
        QTest::newRow("FS HH Pedal") << 18 << 1 << false << "OFF" << false << "Shot" << false;
    }

    void modeRules()
    {
        QFETCH(int, pad);
        QFETCH(int, item);
        QFETCH(bool, velocityOn);
        QFETCH(QString, loop);
        QFETCH(bool, loopOn);
        QFETCH(QString, trig);
        QFETCH(bool, trigOn);
        Ui::MainWindow1 *ui = f->ui;
        f->kit(1).kpadChunk[pad].trig_mode = 1; // the record's trigger type
        f->openKitPage(1);
        ui->padNoComboBox->setCurrentIndex(pad);
        ui->loop->setCurrentIndex(2);
        ui->velocity->setRange(0, 255);
        ui->velocity->setValue(200);
        f->w->on_mode_currentIndexChanged(item);
        QCOMPARE(ui->mode->currentIndex(), item);
        QCOMPARE(ui->velocity->maximum(), 127);
        QCOMPARE(ui->velocity->value(), 127);
        QCOMPARE(ui->velocity->isEnabled(), velocityOn);
        QCOMPARE(ui->loop->currentText(), loop);
        QCOMPARE(ui->loop->isEnabled(), loopOn);
        QCOMPARE(ui->trigType->currentText(), trig);
        QCOMPARE(ui->trigType->isEnabled(), trigOn);
        for (QWidget *w : {static_cast<QWidget *>(ui->loop), static_cast<QWidget *>(ui->trigType),
                           static_cast<QWidget *>(ui->velocity)})
            QCOMPARE(w->styleSheet(), w->isEnabled() ? QString("background-color: rgb(250, 250, 250);")
                                                     : QString("background-color: rgb(200, 200, 200);"));

        // An item the list does not have changes nothing.
        ui->loop->setCurrentIndex(3);
        ui->velocity->setValue(64);
        f->w->on_mode_currentIndexChanged(pad >= 17 ? 3 : -1);
        QCOMPARE(ui->loop->currentIndex(), 3);
        QCOMPARE(ui->velocity->value(), 64);
    }

    void conversionsBothWays_data()
    {
        QTest::addColumn<QVector<int>>("stored");
        QTest::addColumn<QStringList>("shown");
        // pan A, pan B, decay A, decay B, gate, pitch A, pitch B, channel, code, ext, output, mute, tempo,
        // mode, loop, trig, velocity, dynamic, poly, volume A, volume B
        QTest::newRow("edges") << QVector<int>{0, 127, 60, 255, 81, 0, 24, 0, 127, 1, 3, 9, 240, 7, 4, 1, 100, 0, 0, 0, 100}
                               << QStringList{"L16", "R16", "4", "OFF", "8.0", "-12", "12", "1", "127", "ON", "3",
                                              "9", "240", "Fade", "Infinite", "Alt", "100", "OFF", "Mono", "0", "100"};
        QTest::newRow("middles") << QVector<int>{64, 124, 188, 88, 1, 12, 13, 16, 0, 0, 1, 0, 0, 6, 0, 0, 127, 1, 1, 50, 7}
                                 << QStringList{"Center", "R15", "1", "3", "ALT", "0", "1", "Global CH", "0", "OFF",
                                                "1", "OFF", "OFF", "Mix", "OFF", "Shot", "127", "ON", "Poly", "50", "7"};
        QTest::newRow("gate steps") << QVector<int>{4, 68, 128, 255, 2, 1, 23, 15, 60, 0, 2, 1, 20, 2, 0, 1, 127, 1, 1, 1, 2}
                                    << QStringList{"L15", "R1", "2", "OFF", "0.1", "-11", "11", "16", "60", "OFF",
                                                   "2", "1", "20", "Simultaneously", "OFF", "Alt", "127", "ON", "Poly",
                                                   "1", "2"};
    }

    void conversionsBothWays()
    {
        QFETCH(QVector<int>, stored);
        QFETCH(QStringList, shown);
        Ui::MainWindow1 *ui = f->ui;
        auto set = [&stored](Pad &s) {
            quint8 *const fields[21] = {&s.aWavePan,  &s.bWavePan,    &s.aWaveDecay,   &s.bWaveDecay, &s.midi_gate,
                                        &s.aWavePitch, &s.bWavePitch, &s.midi_channel, &s.midi_code,  &s.ext_ctrl,
                                        &s.pad_output, &s.mute_group, &s.tempo_sync,   &s.mode,       &s.loop,
                                        &s.trig_mode,  &s.velocity,   &s.dynamic,      &s.poly_mono,  &s.aWaveVolume,
                                        &s.bWaveVolume};
            for (int i = 0; i < 21; ++i)
                *fields[i] = quint8(stored[i]);
            s.aWavePitch_cent = 20;
            s.aWaveStartCluster = s.bWaveLength = 900;
            s.aWaveStart = 333;
        };
        store(*f, 2, 4, set);
        f->openKitPage(2);
        ui->padNoComboBox->setCurrentIndex(4);
        const QStringList got = {ui->waveACenter->currentText(), ui->waveBPan->currentText(),
                                 ui->waveADecay->currentText(), ui->waveBDecay->currentText(), ui->midiGate->text(),
                                 ui->waveAPitch->text(), ui->waveBPitch->text(), ui->midiChannelComboBox->currentText(),
                                 ui->midiCodeSpinBox->text(), ui->extCtrl->text(), ui->padOutput->text(),
                                 ui->muteGroup->currentText(), ui->tempoSync->text(), ui->mode->currentText(),
                                 ui->loop->currentText(), ui->trigType->currentText(), ui->velocity->text(),
                                 ui->dynamic->currentText(), ui->polyMono->currentText(),
                                 ui->waveAVolumeSpinBox->text(), ui->waveBVolumeSpinBox->text()};
        QCOMPARE(got, shown);

        ui->padNoComboBox->setCurrentIndex(0); // commits pad 4
        const Pad &s = f->kit(2).kpadChunk[4];
        for (const Pad *p : {&s, static_cast<const Pad *>(&f->w->kitPadList[1][4])}) {
            QCOMPARE(int(p->aWavePan), stored[0]);
            QCOMPARE(int(p->bWavePan), stored[1]);
            QCOMPARE(int(p->aWaveDecay), stored[2]);
            QCOMPARE(int(p->bWaveDecay), stored[3]);
            QCOMPARE(int(p->midi_gate), stored[4]);
            QCOMPARE(int(p->aWavePitch), stored[5]);
            QCOMPARE(int(p->bWavePitch), stored[6]);
            QCOMPARE(int(p->midi_channel), stored[7]);
            QCOMPARE(int(p->mode), stored[13]);
            QCOMPARE(int(p->loop), stored[14]);
            QCOMPARE(int(p->trig_mode), stored[15]);
            QCOMPARE(int(p->tempo_sync), stored[12]);
            QCOMPARE(int(p->padNo), 4);
            QCOMPARE(int(p->aWavePitch_cent), 50);
            QCOMPARE(int(p->bWavePitch_cent), 50);
            QCOMPARE(p->aWaveStartCluster + p->bWaveLength, 0u);
            QCOMPARE(p->aWaveStart, 333u);
        }
    }

    // Values a widget has no item for are shown blank and committed unchanged,
    // until the user picks an item.
    void unknownStoredValuesKept()
    {
        Ui::MainWindow1 *ui = f->ui;
        store(*f, 3, 5, [](Pad &s) {
            s.aWavePan = 62;
            s.bWaveDecay = 99;
            s.loop = 7;
            s.mode = 5; // "HH Pedal" on a pad
            s.midi_channel = 20;
            s.ext_ctrl = 2;
            s.tempo_sync = 5;
            s.trig_mode = 3;
            s.dynamic = 4;
            s.poly_mono = 9;
            s.mute_group = 12;
        });
        store(*f, 3, 17, [](Pad &s) { s.mode = 1; });
        f->openKitPage(3);
        ui->padNoComboBox->setCurrentIndex(5);
        for (QComboBox *box : {ui->waveACenter, ui->waveBDecay, ui->loop, ui->mode, ui->midiChannelComboBox,
                               ui->trigType, ui->dynamic, ui->polyMono, ui->muteGroup})
            QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(ui->extCtrl->text(), QString("2"));
        QCOMPARE(ui->tempoSync->text(), QString("5"));

        auto check = [this](quint8 pan) {
            for (const Pad *p : {static_cast<const Pad *>(&f->kit(3).kpadChunk[5]), static_cast<const Pad *>(&f->w->kitPadList[2][5])}) {
                QCOMPARE(int(p->aWavePan), int(pan));
                QCOMPARE(int(p->bWaveDecay), 99);
                QCOMPARE(int(p->loop), 7);
                QCOMPARE(int(p->mode), 5);
                QCOMPARE(int(p->midi_channel), 20);
                QCOMPARE(int(p->ext_ctrl), 2);
                QCOMPARE(int(p->tempo_sync), 5);
                QCOMPARE(int(p->trig_mode), 3);
                QCOMPARE(int(p->dynamic), 4);
                QCOMPARE(int(p->poly_mono), 9);
                QCOMPARE(int(p->mute_group), 12);
            }
        };
        ui->padNoComboBox->setCurrentIndex(17); // commits pad 5
        check(62);
        QCOMPARE(ui->mode->currentIndex(), -1); // a foot switch with mode 1
        ui->padNoComboBox->setCurrentIndex(5);
        QCOMPARE(int(f->kit(3).kpadChunk[17].mode), 1);
        ui->waveACenter->setCurrentIndex(15); // "L1", picked by the user
        ui->padNoComboBox->setCurrentIndex(0);
        check(60);
    }

    void layerRules_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<QVector<int>>("start"); // L1, L2, L3 accepted before
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("label");
        QTest::newRow("L1 82 over 80") << 1 << QVector<int>{100, 80, 40} << 82 << 82 << "81";
        QTest::newRow("L1 81 over 80") << 1 << QVector<int>{100, 80, 40} << 81 << 100 << "99";
        QTest::newRow("L1 126") << 1 << QVector<int>{100, 80, 40} << 126 << 126 << "125";
        QTest::newRow("L2 42") << 2 << QVector<int>{100, 80, 40} << 42 << 42 << "41";
        QTest::newRow("L2 98") << 2 << QVector<int>{100, 80, 40} << 98 << 98 << "97";
        QTest::newRow("L2 41") << 2 << QVector<int>{100, 80, 40} << 41 << 80 << "79";
        QTest::newRow("L2 99") << 2 << QVector<int>{100, 80, 40} << 99 << 80 << "79";
        QTest::newRow("L3 78") << 3 << QVector<int>{100, 80, 40} << 78 << 78 << "77";
        QTest::newRow("L3 79") << 3 << QVector<int>{100, 80, 40} << 79 << 40 << "39";
        QTest::newRow("L3 2") << 3 << QVector<int>{100, 80, 40} << 2 << 2 << "1";
        // A refusal restores the value of the kit shown, not a value from before.
        QTest::newRow("kit's own L1") << 1 << QVector<int>{110, 60, 20} << 10 << 110 << "109";
    }

    void layerRules()
    {
        QFETCH(int, layer);
        QFETCH(QVector<int>, start);
        QFETCH(int, typed);
        QFETCH(int, result);
        QFETCH(QString, label);
        Ui::MainWindow1 *ui = f->ui;
        f->openKitPage(9);
        ui->hhLayer1SpinBox->setValue(90); // accepted in kit 9
        emit ui->hhLayer1SpinBox->editingFinished();
        MainWindow1::PEDAL_SETTING &h = f->kit(10).pedalChunk;
        h.hh_layer1 = quint8(start[0]);
        h.hh_layer2 = quint8(start[1]);
        h.hh_layer3 = quint8(start[2]);
        ui->downPageBtn->click();

        QSpinBox *const boxes[3] = {ui->hhLayer1SpinBox, ui->hhLayer2SpinBox, ui->hhLayer3SpinBox};
        QLabel *const labels[3] = {ui->labLayer2, ui->labLayer3, ui->labLayer4};
        boxes[layer - 1]->setValue(typed);
        emit boxes[layer - 1]->editingFinished();
        QCOMPARE(boxes[layer - 1]->value(), result);
        QCOMPARE(labels[layer - 1]->text(), label);
        QCOMPARE(ui->labLayer1->text(), QString("127"));
    }

    void clearHiHatWavesOfOneKit()
    {
        Ui::MainWindow1 *ui = f->ui;
        for (int k : {4, 5, 6}) {
            MainWindow1::PEDAL_SETTING &h = f->kit(k).pedalChunk;
            h.hh_wave1_name = h.hh_wave5_name = "Hat";
            h.hh_wave1_file = h.hh_wave5_file = "/s/hat.wav";
            h.hh_wave1_no = h.hh_wave5_no = 3;
            h.hh_layer2 = 70;
        }
        f->openKitPage(5);
        QCOMPARE(ui->hh_wave5_name->text(), QString("Hat"));
        ui->btnClearHHWave->click();
        const MainWindow1::PEDAL_SETTING &h = f->kit(5).pedalChunk;
        QVERIFY(h.hh_wave1_name.isEmpty() && h.hh_wave5_name.isEmpty() && h.hh_wave5_file.isEmpty());
        QCOMPARE(int(h.hh_wave1_no), 0xFFFF);
        QCOMPARE(int(h.hh_wave5_no), 0xFFFF);
        QCOMPARE(int(h.hh_layer2), 70);
        for (int k : {4, 6}) {
            QCOMPARE(f->kit(k).pedalChunk.hh_wave5_name, QString("Hat"));
            QCOMPARE(int(f->kit(k).pedalChunk.hh_wave1_no), 3);
        }
        for (const MainWindow1::strHHWidgetGroup &slot : f->w->hhWidgetGroup)
            QVERIFY(slot.lableA->text().isEmpty());
        QVERIFY(f->prompter.prompts.isEmpty());
    }

    void hiHatSoundList()
    {
        Ui::MainWindow1 *ui = f->ui;
        const QString wav = f->work.filePath("tone.wav");
        QProcess ffmpeg;
        ffmpeg.start(audioconverter::defaultProgram(), {"-v", "quiet", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.2",
                                                        "-ar", "48000", "-ac", "2", wav});
        QVERIFY(ffmpeg.waitForFinished(60000));
        QVERIFY(QFileInfo(wav).size() > 44);

        QStandardItem *group = f->w->hhGroup;
        const QString missing = f->work.filePath("gone.wav");
        const QString inKit = wav + ":U00003";
        for (const QStringList &row : {QStringList{"Tone", wav}, QStringList{"Gone", missing},
                                       QStringList{"InKit", inKit}})
            group->appendRow({new QStandardItem(row[0]), new QStandardItem(" " + row[1] + " ")});
        f->openKitPage(1);
        QTreeView *view = ui->soundListTreeView;
        QVERIFY(qobject_cast<QMediaPlayer *>(f->w->player2));

        view->setCurrentIndex(group->child(0)->index());
        QVERIFY(f->prompter.prompts.isEmpty());
        QCOMPARE(ui->songLabel2->text(), QString("Tone"));
        QCOMPARE(f->w->playFileNameNew2, wav);
        QVERIFY(ui->playBtn2->isEnabled());
        QCOMPARE(ui->playBtn2->styleSheet(), QString("border-image:url(:/images/play.png)"));
        QCOMPARE(f->w->player2->state(), QMediaPlayer::StoppedState);

        view->setCurrentIndex(group->child(1)->index());
        QCOMPARE(f->prompter.titles(), QStringList{"Error"});
        QCOMPARE(f->prompter.texts(), QStringList{"Gone does not exist.\r\nPlease check path:" + missing});
        QVERIFY(!ui->playBtn2->isEnabled());
        QVERIFY(!ui->stopBtn2->isEnabled());
        QCOMPARE(f->w->playFileNameNew2, wav);

        // A sound inside a kit file is looked for as the kit file; the source stays whole.
        view->setCurrentIndex(group->child(2)->index());
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(f->w->playFileNameNew2, inKit);
        QCOMPARE(ui->songLabel2->text(), QString("InKit"));

        view->setColumnHidden(1, false);
        view->setCurrentIndex(group->index());
        QVERIFY(view->isColumnHidden(1));
    }
};

QTEST_MAIN(TestPadHiHat)
#include "test_padhihat.moc"

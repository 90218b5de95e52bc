#include "document/kitreload.h"
#include "mainwindow1/editing/kittables.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};
} // namespace

using Records = MainWindow1Records;

class TestKitDefaults : public QObject
{
    Q_OBJECT

    MainWindow1Tables t;

private slots:
    void initTestCase() { t.initValueMaps(); }

    void kitOneAndHundred_data()
    {
        QTest::addColumn<int>("k");
        QTest::newRow("kit 1") << 0;
        QTest::newRow("kit 100") << 99;
    }

    void kitOneAndHundred()
    {
        QFETCH(int, k);
        const Records::soundKit kit = MainWindow1Tables::defaultKit(k);
        QCOMPARE(int(kit.kit_no), k);
        QCOMPARE(kit.kit_name, QString("New Kit"));
        QCOMPARE(int(kit.kit_volume), 100);
        QCOMPARE(int(kit.kit_tempo), 120);
        QCOMPARE(int(kit.click_beat), 1);
        QCOMPARE(int(kit.click_volune), 64);
        QCOMPARE(int(kit.pad_link1), 0);
        QCOMPARE(int(kit.pad_link2), 0);
        for (quint8 v : {kit.kit_effect1_state, kit.kit_effect2_state, kit.kit_effect3_state, kit.kit_effect1,
                         kit.kit_effect2, kit.kit_effect3, kit.effect1_no, kit.effect2_no, kit.effect3_no})
            QCOMPARE(int(v), 0);
        for (quint16 v : {kit.effect1_ctrl1, kit.effect1_ctrl2, kit.effect1_ctrl3, kit.effect2_ctrl1,
                          kit.effect2_ctrl2, kit.effect2_ctrl3, kit.effect3_ctrl1, kit.effect3_ctrl2,
                          kit.effect3_ctrl3})
            QCOMPARE(int(v), 999);
        QCOMPARE(int(kit.pad_volume), 100);
        QCOMPARE(int(kit.bottom_color), 4);
        QCOMPARE(int(kit.work_color), 1);
        for (quint8 r : kit.reserved)
            QCOMPARE(int(r), 1);

        const Records::PEDAL_SETTING &p = kit.pedalChunk;
        QCOMPARE(int(p.pedal_contrl), 8);
        for (const QString &s : {p.hh_wave1_name, p.hh_wave2_name, p.hh_wave3_name, p.hh_wave4_name, p.hh_wave5_name,
                                 p.hh_wave1_file, p.hh_wave2_file, p.hh_wave3_file, p.hh_wave4_file, p.hh_wave5_file})
            QVERIFY(s.isEmpty());
        for (quint16 no : {p.hh_wave1_no, p.hh_wave2_no, p.hh_wave3_no, p.hh_wave4_no, p.hh_wave5_no})
            QCOMPARE(int(no), 0xFFFF);
        for (quint32 pos : {p.hh_wave1_startCluster, p.hh_wave1_length, p.hh_wave1_start, p.hh_wave1_end,
                            p.hh_wave5_startCluster, p.hh_wave5_length, p.hh_wave5_start, p.hh_wave5_end})
            QCOMPARE(pos, 0u);
        QCOMPARE(int(p.hh_layer1), 100);
        QCOMPARE(int(p.hh_layer2), 80);
        QCOMPARE(int(p.hh_layer3), 40);
        QCOMPARE(int(p.hh_layer4), 0);
        QCOMPARE(int(p.hh_layer5), 0);
        QCOMPARE(int(p.hh_midi_code), 46);
        for (quint8 l : {p.pad_link2_1, p.pad_link2_2, p.pad_link3_1, p.pad_link3_2, p.pad_link4_1, p.pad_link4_2,
                         p.pad_link5_1, p.pad_link5_2, p.active_fx, p.active_off, p.active_no})
            QCOMPARE(int(l), 0);
        for (quint16 c : {p.active_effectCtrl1, p.active_effectCtrl2, p.active_effectCtrl3})
            QCOMPARE(int(c), 999);

        const int notes[19] = {49, 47, 51, 48, 45, 43, 36, 38, 42, 60, 61, 62, 63, 64, 65, 66, 67, 44, 35};
        for (int i = 0; i < PAD_NUM_MAX; ++i) {
            const Records::KIT_PAD_SETTING &s = kit.kpadChunk[i];
            QVERIFY(s.soundName0.isEmpty() && s.soundFile0.isEmpty() && s.soundIndex0.isEmpty());
            QVERIFY(s.soundName1.isEmpty() && s.soundFile1.isEmpty() && s.soundIndex1.isEmpty());
            QCOMPARE(int(s.padNo), i);
            QCOMPARE(int(s.midi_code), notes[i]);
            QCOMPARE(int(s.midi_channel), 16);
            QCOMPARE(int(s.midi_gate), 0);
            QCOMPARE(int(s.ext_ctrl), 0);
            QCOMPARE(int(s.pad_output), 1);
            QCOMPARE(int(s.aWaveNo), 0xFFFF);
            QCOMPARE(int(s.bWaveNo), 0xFFFF);
            for (quint32 pos : {s.aWaveStartCluster, s.aWaveLength, s.aWaveStart, s.aWaveEnd, s.bWaveStartCluster,
                                s.bWaveLength, s.bWaveStart, s.bWaveEnd})
                QCOMPARE(pos, 0u);
            QCOMPARE(int(s.aWaveVolume), 100);
            QCOMPARE(int(s.bWaveVolume), 100);
            QCOMPARE(int(s.aWavePan), 64);
            QCOMPARE(int(s.bWavePan), 64);
            QCOMPARE(int(s.aWavePitch), 12);
            QCOMPARE(int(s.bWavePitch), 12);
            QCOMPARE(int(s.aWavePitch_cent), 50);
            QCOMPARE(int(s.bWavePitch_cent), 50);
            QCOMPARE(int(s.aWaveDecay), 255);
            QCOMPARE(int(s.bWaveDecay), 255);
            QCOMPARE(int(s.mute_group), 0);
            QCOMPARE(int(s.tempo_sync), 0);
            QCOMPARE(int(s.velocity), 127);
            QCOMPARE(int(s.dynamic), 1);
            QCOMPARE(int(s.loop), 0);
            QCOMPARE(int(s.trig_mode), 0);
            QCOMPARE(int(s.mode), 0);
            QCOMPARE(int(s.poly_mono), 1);
            QCOMPARE(int(s.pad_volume), 100);
            QCOMPARE(int(s.pad_fs_ctrl), 0);
            for (quint8 r : s.reserved)
                QCOMPARE(int(r), 0);
        }
    }

    void effectControls()
    {
        const Records::KIT_EFFECT revKey = MainWindow1Tables::defaultEffectControls(18);
        QCOMPARE(int(revKey.parm1), 127);
        QCOMPARE(int(revKey.parm2), 0x77);
        QCOMPARE(int(revKey.parm3), 173);
        for (int type : {0, 22, 23}) {
            const Records::KIT_EFFECT e = MainWindow1Tables::defaultEffectControls(type);
            QCOMPARE(int(e.parm1), 999);
            QCOMPARE(int(e.parm2), 999);
            QCOMPARE(int(e.parm3), 999);
        }
        const Records::KIT_EFFECT pitch = MainWindow1Tables::defaultEffectControls(3);
        QCOMPARE(int(pitch.parm1), 127);
        QCOMPARE(int(pitch.parm2), 999);
        const Records::KIT_EFFECT fla = MainWindow1Tables::defaultEffectControls(21);
        QCOMPARE(int(fla.parm1), 195);
        QCOMPARE(int(fla.parm2), 263);
        QCOMPARE(int(fla.parm3), 106);
    }

    void midiGateTable()
    {
        QCOMPARE(t.searchMidiGate(0), QString("OFF"));
        QCOMPARE(t.searchMidiGate(1), QString("ALT"));
        for (int v = 2; v <= 81; ++v) {
            const QString label = t.searchMidiGate(quint8(v));
            QCOMPARE(label, QString::number((v - 1) / 10.0, 'f', 1));
            // And back through the map of the value's slot.
            QCOMPARE(t.mapKitMidiGate[v % 8].value(label, -1), v);
        }
        QCOMPARE(t.searchMidiGate(81), QString("8.0"));
        QCOMPARE(t.searchMidiGate(82), QString());
        QCOMPARE(t.searchMidiGate(255), QString());
        for (int m = 8; m < 11; ++m)
            QVERIFY(t.mapKitMidiGate[m].isEmpty());
    }

    void decayAndPitchTables()
    {
        QCOMPARE(t.mapKitDecay.value("OFF"), 255);
        QCOMPARE(t.mapKitDecay.value("1"), 188);
        QCOMPARE(t.mapKitDecay.value("2"), 128);
        QCOMPARE(t.mapKitDecay.value("3"), 88);
        QCOMPARE(t.mapKitDecay.value("4"), 60);
        QCOMPARE(t.mapKitDecay.value("5", 0), 0);

        for (int p = -12; p <= 12; ++p) {
            const qint8 b = t.searchWavePitch(qint8(p));
            QCOMPARE(int(b), p + 12);
            QCOMPARE(int(t.searchWavePitchKey(quint8(b))), p);
        }
        QCOMPARE(int(t.searchWavePitch(-12)), 0);
        QCOMPARE(int(t.searchWavePitch(12)), 24);
        QCOMPARE(int(t.searchWavePitchKey(12)), 0);
        QCOMPARE(int(t.searchWavePitchKey(25)), 0);
        QCOMPARE(int(t.searchWavePitchKey(200)), 0);
        QCOMPARE(int(t.searchWavePitch(40)), 12);
    }

    void colourAndNotes()
    {
        for (int i = 0; i <= 16; ++i)
            QCOMPARE(int(MainWindow1Tables::searchColorIndex(i)), i);
        QCOMPARE(int(MainWindow1Tables::searchColorIndex(17)), 0);

        QCOMPARE(int(MainWindow1Tables::searchDefaultMidiCode(17)), 44);
        QCOMPARE(int(MainWindow1Tables::searchDefaultMidiCode(18)), 35);
        QCOMPARE(int(MainWindow1Tables::searchDefaultMidiCode(9)), 60);
        QCOMPARE(int(MainWindow1Tables::searchDefaultMidiCode(16)), 67);
    }
};

QTEST_MAIN(TestKitDefaults)
#include "test_kitdefaults.moc"

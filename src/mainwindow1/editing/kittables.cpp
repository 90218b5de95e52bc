#include "mainwindow1/editing/kittables.h"


void MainWindow1Tables::initValueMaps()
{
    for (auto &m : mapKitMidiGate)
        m.clear();
    mapKitDecay.clear();
    for (auto &m : mapWavePitch)
        m.clear();

    // MIDI gate: "OFF", "ALT", then 0.1 ... 8.0 for the values 2 ... 81.
    float gate = 0.0f;
    for (int v = 0; v < 104; ++v) {
        QString label;
        if (v == 0) {
            label = QStringLiteral("OFF");
        } else if (v == 1) {
            label = QStringLiteral("ALT");
        } else if (v <= 81) {
            gate += 0.1f;
            label = QString::number(double(gate), 'f', 1);
        } else {
            continue;
        }
        mapKitMidiGate[v % 8].insert(label, v);
    }

    mapKitDecay.insert(QStringLiteral("OFF"), 255);
    mapKitDecay.insert(QStringLiteral("1"), 188);
    mapKitDecay.insert(QStringLiteral("2"), 128);
    mapKitDecay.insert(QStringLiteral("3"), 88);
    mapKitDecay.insert(QStringLiteral("4"), 60);

    for (int b = 0; b <= 24; ++b)
        mapWavePitch[b / 8].insert(b - 12, b);
}

quint8 MainWindow1Tables::searchDefaultMidiCode(quint8 pad)
{
    static const quint8 notes[9] = {49, 47, 51, 48, 45, 43, 36, 38, 42};
    if (pad < 9)
        return notes[pad];
    if (pad <= 16)
        return quint8(60 + pad - 9);
    if (pad == 17)
        return 44;
    if (pad == 18)
        return 35;
    return 0; // no such pad
}

quint8 MainWindow1Tables::searchColorIndex(int index)
{
    // The combo index is the stored colour; anything else is "OFF".
    if (index >= 0 && index <= 16)
        return quint8(index);
    return 0;
}

qint8 MainWindow1Tables::searchWavePitch(qint8 pitch) const
{
    // The lowest byte b stored for the pitch in its own map b / 8.
    for (int i = 0; i < 4; ++i) {
        const QMap<int, int> &m = mapWavePitch[i];
        auto it = m.constFind(pitch);
        if (it != m.constEnd() && it.value() / 8 == i && it.value() >= 0)
            return qint8(it.value());
    }
    return 12; // outside -12 ... 12: no transposition
}

qint8 MainWindow1Tables::searchWavePitchKey(quint8 byte) const
{
    if (byte >= 32)
        return 0;
    const QMap<int, int> &m = mapWavePitch[byte / 8];
    for (auto it = m.constBegin(); it != m.constEnd(); ++it) {
        if (it.value() == byte)
            return qint8(it.key());
    }
    return 0;
}

QString MainWindow1Tables::searchMidiGate(quint8 value) const
{
    const QMap<QString, int> &m = mapKitMidiGate[value % 8];
    for (auto it = m.constBegin(); it != m.constEnd(); ++it) {
        if (it.value() == value)
            return it.key();
    }
    return QString();
}

MainWindow1Records::KIT_EFFECT MainWindow1Tables::defaultEffectControls(int type)
{
    static const quint16 rows[22][3] = {
        {999, 999, 999}, {102, 211, 102}, {454, 484, 442}, {127, 999, 999}, {380, 230, 999},
        {386, 176, 217}, {341, 215, 187}, {100, 149, 113}, {336, 113, 229}, {215, 121, 90},
        {191, 90, 390},  {133, 5, 186},   {132, 70, 134},  {144, 165, 150}, {144, 71, 70},
        {481, 480, 464}, {466, 196, 444}, {349, 123, 374}, {127, 0x77, 173}, {83, 70, 61},
        {108, 234, 194}, {195, 263, 106}};
    MainWindow1Records::KIT_EFFECT e;
    const int row = (type <= 0 || type > 21) ? 0 : type;
    e.parm1 = rows[row][0];
    e.parm2 = rows[row][1];
    e.parm3 = rows[row][2];
    return e;
}

MainWindow1Records::soundKit MainWindow1Tables::defaultKit(int k)
{
    MainWindow1Records::soundKit kit;
    kit.kit_no = quint8(k);
    kit.kit_name = QStringLiteral("New Kit");
    kit.kit_volume = 100;
    kit.kit_tempo = 120;
    kit.click_beat = 1;
    kit.click_volune = 64;
    kit.pad_link1 = kit.pad_link2 = 0;
    kit.kit_effect1_state = kit.kit_effect2_state = kit.kit_effect3_state = 0;
    kit.kit_effect1 = kit.kit_effect2 = kit.kit_effect3 = 0;
    kit.effect1_no = kit.effect2_no = kit.effect3_no = 0;
    kit.effect1_ctrl1 = kit.effect1_ctrl2 = kit.effect1_ctrl3 = 999;
    kit.effect2_ctrl1 = kit.effect2_ctrl2 = kit.effect2_ctrl3 = 999;
    kit.effect3_ctrl1 = kit.effect3_ctrl2 = kit.effect3_ctrl3 = 999;
    kit.pad_volume = 100;
    kit.bottom_color = 4;
    kit.work_color = 1;
    for (quint8 &r : kit.reserved)
        r = 1;

    MainWindow1Records::PEDAL_SETTING &p = kit.pedalChunk;
    p.pedal_contrl = 8;
    p.hh_wave1_no = p.hh_wave2_no = p.hh_wave3_no = p.hh_wave4_no = p.hh_wave5_no = NO_WAVE;
    p.hh_layer1 = 100;
    p.hh_layer2 = 80;
    p.hh_layer3 = 40;
    p.hh_layer4 = 0;
    p.hh_layer5 = 0;
    p.hh_midi_code = 46;
    p.active_fx = p.active_off = p.active_no = 0;
    p.active_effectCtrl1 = p.active_effectCtrl2 = p.active_effectCtrl3 = 999;

    for (int pad = 0; pad < PAD_NUM_MAX; ++pad) {
        MainWindow1Records::KIT_PAD_SETTING &s = kit.kpadChunk[pad];
        s.padNo = quint8(pad);
        s.midi_code = searchDefaultMidiCode(quint8(pad));
        s.midi_channel = 16;
        s.midi_gate = 0;
        s.ext_ctrl = 0;
        s.pad_output = 1;
        s.aWaveNo = s.bWaveNo = NO_WAVE;
        s.aWaveVolume = s.bWaveVolume = 100;
        s.aWavePan = s.bWavePan = 64;
        s.aWavePitch = s.bWavePitch = 12;
        s.aWavePitch_cent = s.bWavePitch_cent = 50;
        s.aWaveDecay = s.bWaveDecay = 255;
        s.mute_group = 0;
        s.tempo_sync = 0;
        s.velocity = 127;
        s.dynamic = 1;
        s.loop = 0;
        s.trig_mode = 0;
        s.mode = 0;
        s.poly_mono = 1;
        s.pad_volume = 100;
        s.pad_fs_ctrl = 0;
    }
    return kit;
}

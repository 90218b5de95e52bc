#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

namespace {
QString numberOrSlash(int value, int none)
{
    return value == none ? QStringLiteral("/") : QString::number(value);
}
} // namespace

void MainWindow1::initGlobalSet()
{
    ui->version->setText(QStringLiteral("1.01"));
    doc().curEditEffect = 0;
    doc().curEffectOFF = 0;
    ui->labEditEffect->setText(QStringLiteral("0"));
    ui->labEffectOFF->setText(QStringLiteral("0"));
    for (M_NEW_MASTER_EFFECT &m : doc().meffChunk1) {
        m.param1 = m.param2 = m.param3 = 0;
        m.no = 255;
    }
    doc().curRecLevel = 60;
    doc().curAutoState = 1;
    doc().curLoopClick = 1;
    doc().curLoopQtz = 1;
    doc().curLoopMeas = 1;
    doc().curLoopMeasIndex = 0;
    doc().curRecPad = 0;
    ui->labRecLevel->setText(QString::number(doc().curRecLevel));
    ui->labAutoState->setText(QStringLiteral("ON"));
    ui->labLoopClick->setText(QString::number(doc().curLoopClick));
    ui->labLoopQtz->setText(QString::number(doc().curLoopQtz));
    ui->labLoopMeas->setText(QString::number(doc().curLoopMeas));
    ui->labLoopMeasIndex->setText(QString::number(doc().curLoopMeasIndex));
    ui->labRecPad->setText(QString::number(doc().curRecPad));

    vecEffect.clear();
    // "DANCD-FLA-L" is the name the global page has always shown.
    for (const char *name : {"THRU", "ECHO", "ECHO-PITCH", "PITCH SHIFT", "PING PONG", "REV1", "REV2", "REV3",
                             "LARGE PLATE", "SMALL PLATE", "TIGHT PLATE", "GATED", "PA VOCAL", "CHORUS", "FLANGER",
                             "REV-TREMOLO", "REV-FLANGE", "REV-CHORUS", "REV-KEY", "DANCE-P-L", "DANCE-H-L",
                             "DANCD-FLA-L", "RMS SOFT KNEE", "ACT XOVER"})
        vecEffect.append(QString::fromLatin1(name));

    ui->clickSoundNoSpinBox->setRange(1, 5);
    ui->clickSoundNoSpinBox->setValue(1);
    if (!library().clickList.isEmpty())
        ui->clickNameLab->setText(library().clickList.first().name);
    ui->clickInterval->setText(QStringLiteral("4"));
    ui->clickPan->setText(QStringLiteral("Center"));
    ui->clickOutput->setText(QStringLiteral("Master&Phone"));
    ui->clickVolume->setText(QStringLiteral("100"));
    mapClickPan.clear();
    mapClickPan.insert(QStringLiteral("Center"), 64);
    ui->audioVolume->setText(QStringLiteral("100"));
    ui->btAudioVolume->setText(QStringLiteral("100"));
    ui->systanGain->setText(QStringLiteral("0"));
    ui->audioOutput->setText(QStringLiteral("Phone"));
    ui->globalCH->setText(QStringLiteral("10"));
    for (QLabel *l : {ui->midiExtCtrl, ui->midiSync, ui->softThru, ui->pcSwLabel, ui->ccSwLabel})
        l->setText(QStringLiteral("OFF"));
    ui->fxCtrl1CCLabel->setText(QStringLiteral("71"));
    ui->fxCtrl2CCLabel->setText(QStringLiteral("72"));
    ui->lcdContrast->setText(QStringLiteral("10"));
    ui->ledTypeComboBox->setCurrentIndex(1);
    ui->ledLogoComboBox->setCurrentText(tr("ColorFul"));
    ui->ledLogoComboBox->setCurrentIndex(1);
    ui->tempoIndicateLabel->setText(QStringLiteral("ON"));

    getPadAttr();
    on_globalPadComboBox_currentIndexChanged(0);
}

MainWindow1::M_PAD_FS_TRIG_ATTR MainWindow1::defaultPadTrigger(int p)
{
    M_PAD_FS_TRIG_ATTR t;
    const bool foot = p >= 17;
    t.type = 0;
    t.sensivity = foot ? 50 : 15;
    t.curve = 0;
    t.mask_time = 15;
    t.retrig_level = foot ? 10 : 5;
    t.anti_cross = 5;
    t.rim_gain = 15;
    t.dynamic_range = 5;
    return t;
}

void MainWindow1::getPadAttr()
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        if (doc().currentGlobalLayout()) {
            doc().curPad1[p] = defaultPadTrigger(p);
            doc().padTrigList1.append(doc().curPad1[p]);
        } else {
            PAD_FS_TRIG_ATTR &t = doc().curPad[p];
            t = PAD_FS_TRIG_ATTR();
            if (p == 9 || p == 10) {
                t.sensibility = t.threshold = t.curve = t.mask_time = t.anti_cross = 255;
                t.model = t.trig_mode = 255;
                t.open = 50;
                t.close = 10;
            } else {
                t.sensibility = 15;
                t.threshold = 15;
                t.curve = 0;
                t.mask_time = 15;
                t.anti_cross = 5;
                t.model = 255;
                t.trig_mode = p <= 8 ? 255 : 1;
                t.open = 255;
                t.close = 255;
            }
            t.pad_fs_ctrl = 0;
            doc().padTrigList.append(t);
        }
    }
}

void MainWindow1::on_globalPadComboBox_currentIndexChanged(int pad)
{
    static const char *curves[4] = {"Linear", "Log", "Exp", "Max"};
    auto setCurve = [this](int curve) {
        if (curve >= 0 && curve < 4)
            ui->curveLabel->setText(QString::fromLatin1(curves[curve]));
    };
    if (doc().currentGlobalLayout()) {
        if (pad < 0 || pad >= doc().padTrigList1.size())
            return;
        const M_PAD_FS_TRIG_ATTR &t = doc().padTrigList1[pad];
        ui->labType->setText(numberOrSlash(t.type, 255));
        ui->labSensivity->setText(numberOrSlash(t.sensivity, 255));
        setCurve(t.curve);
        ui->maskTimeLabel->setText(numberOrSlash(t.mask_time, 255));
        ui->labRetrigLevel->setText(numberOrSlash(t.retrig_level, 255));
        ui->antiCrossLabel->setText(numberOrSlash(t.anti_cross, 255));
        ui->thresholdLabel->setText(numberOrSlash(t.rim_gain, 255));
        ui->labDynamicRange->setText(numberOrSlash(t.dynamic_range, 255));
        return;
    }
    if (pad < 0 || pad >= doc().padTrigList.size())
        return;
    const PAD_FS_TRIG_ATTR &t = doc().padTrigList[pad];
    switch (t.model) {
    case 0: ui->labType->setText(QStringLiteral("Custom")); break;
    case 1: ui->labType->setText(QStringLiteral("QR4470")); break;
    case 2: ui->labType->setText(QStringLiteral("QR37")); break;
    case 255: ui->labType->setText(QStringLiteral("/")); break;
    default: break;
    }
    ui->labSensivity->setText(numberOrSlash(t.sensibility, 255));
    setCurve(t.curve);
    ui->maskTimeLabel->setText(numberOrSlash(t.mask_time, 255));
    switch (t.trig_mode) {
    case 0: ui->labRetrigLevel->setText(QStringLiteral("Single")); break;
    case 1: ui->labRetrigLevel->setText(QStringLiteral("Dual")); break;
    case 255: ui->labRetrigLevel->setText(QStringLiteral("/")); break;
    default: break;
    }
    ui->antiCrossLabel->setText(numberOrSlash(t.anti_cross, 255));
    ui->thresholdLabel->setText(numberOrSlash(t.threshold, 255));
}

void MainWindow1::on_masterEffectComboBox_currentIndexChanged(int slot)
{
    if (slot < 0 || slot >= MASTER_EFFECT_COUNT)
        return;
    const M_NEW_MASTER_EFFECT &m = doc().meffChunk1[slot];
    ui->effectCtrl1->setText(numberOrSlash(m.param1, 999));
    ui->effectCtrl2->setText(numberOrSlash(m.param2, 999));
    ui->effectCtrl3->setText(numberOrSlash(m.param3, 999));
    ui->effectType->setText((m.no == 255 || m.no == 10) ? QStringLiteral("/") : QString::number(m.no));
}

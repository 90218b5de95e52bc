#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

namespace {
QString numberOrSlash(int value, int none)
{
    return value == none ? QStringLiteral("/") : QString::number(value);
}
} // namespace

void kitpage::initGlobalSet(MainWindow1 *w)
{
    w->ui->version->setText(QStringLiteral("1.01"));
    w->doc().resetGlobalSettings(); // the page shows them

    w->vecEffect.clear();
    // "DANCD-FLA-L" is the name the global page has always shown.
    for (const char *name : {"THRU", "ECHO", "ECHO-PITCH", "PITCH SHIFT", "PING PONG", "REV1", "REV2", "REV3",
                             "LARGE PLATE", "SMALL PLATE", "TIGHT PLATE", "GATED", "PA VOCAL", "CHORUS", "FLANGER",
                             "REV-TREMOLO", "REV-FLANGE", "REV-CHORUS", "REV-KEY", "DANCE-P-L", "DANCE-H-L",
                             "DANCD-FLA-L", "RMS SOFT KNEE", "ACT XOVER"})
        w->vecEffect.append(QString::fromLatin1(name));

    w->ui->clickSoundNoSpinBox->setRange(1, 5);
    w->ui->clickSoundNoSpinBox->setValue(1);
    if (!w->library().clickList().isEmpty())
        w->ui->clickNameLab->setText(w->library().clickList().first().name);
    w->ui->clickInterval->setText(QStringLiteral("4"));
    w->ui->clickPan->setText(QStringLiteral("Center"));
    w->ui->clickOutput->setText(QStringLiteral("Master&Phone"));
    w->ui->clickVolume->setText(QStringLiteral("100"));
    w->mapClickPan.clear();
    w->mapClickPan.insert(QStringLiteral("Center"), 64);
    w->ui->audioVolume->setText(QStringLiteral("100"));
    w->ui->btAudioVolume->setText(QStringLiteral("100"));
    w->ui->systanGain->setText(QStringLiteral("0"));
    w->ui->audioOutput->setText(QStringLiteral("Phone"));
    w->ui->globalCH->setText(QStringLiteral("10"));
    for (QLabel *l : {w->ui->midiExtCtrl, w->ui->midiSync, w->ui->softThru, w->ui->pcSwLabel, w->ui->ccSwLabel})
        l->setText(QStringLiteral("OFF"));
    w->ui->fxCtrl1CCLabel->setText(QStringLiteral("71"));
    w->ui->fxCtrl2CCLabel->setText(QStringLiteral("72"));
    w->ui->lcdContrast->setText(QStringLiteral("10"));
    w->ui->ledTypeComboBox->setCurrentIndex(1);
    w->ui->ledLogoComboBox->setCurrentText(MainWindow1::tr("ColorFul"));
    w->ui->ledLogoComboBox->setCurrentIndex(1);
    w->ui->tempoIndicateLabel->setText(QStringLiteral("ON"));

    kitpage::getPadAttr(w);
    w->on_globalPadComboBox_currentIndexChanged(0);
}

void kitpage::getPadAttr(MainWindow1 *w)
{
    w->doc().startPadTriggers();
}

void kitpage::showGlobalSettings(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->ui;
    const KitDocument &d = w->doc();
    ui->labEditEffect->setText(QString::number(d.curEditEffect()));
    ui->labEffectOFF->setText(QString::number(d.curEffectOFF()));
    ui->labRecLevel->setText(QString::number(d.curRecLevel()));
    const quint8 autoState = d.curAutoState();
    ui->labAutoState->setText(autoState == 0   ? QStringLiteral("OFF")
                              : autoState == 1 ? QStringLiteral("ON")
                                               : QString());
    ui->labLoopClick->setText(QString::number(d.curLoopClick()));
    ui->labLoopQtz->setText(QString::number(d.curLoopQtz()));
    ui->labLoopMeas->setText(QString::number(d.curLoopMeas()));
    ui->labLoopMeasIndex->setText(QString::number(d.curLoopMeasIndex()));
    ui->labRecPad->setText(QString::number(d.curRecPad()));
    w->on_globalPadComboBox_currentIndexChanged(ui->globalPadComboBox->currentIndex());
}

void MainWindow1::on_globalPadComboBox_currentIndexChanged(int pad)
{
    static const char *curves[4] = {"Linear", "Log", "Exp", "Max"};
    auto setCurve = [this](int curve) {
        if (curve >= 0 && curve < 4)
            ui->curveLabel->setText(QString::fromLatin1(curves[curve]));
    };
    if (doc().currentGlobalLayout()) {
        if (pad < 0 || pad >= doc().padTrigList1().size())
            return;
        const M_PAD_FS_TRIG_ATTR &t = doc().padTrigList1()[pad];
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
    if (pad < 0 || pad >= doc().padTrigList().size())
        return;
    const PAD_FS_TRIG_ATTR &t = doc().padTrigList()[pad];
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
    const M_NEW_MASTER_EFFECT &m = doc().meffChunk1(slot);
    ui->effectCtrl1->setText(numberOrSlash(m.param1, 999));
    ui->effectCtrl2->setText(numberOrSlash(m.param2, 999));
    ui->effectCtrl3->setText(numberOrSlash(m.param3, 999));
    ui->effectType->setText((m.no == 255 || m.no == 10) ? QStringLiteral("/") : QString::number(m.no));
}

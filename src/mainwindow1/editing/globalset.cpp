#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {
QString numberOrSlash(int value, int none)
{
    return value == none ? QStringLiteral("/") : QString::number(value);
}
} // namespace

void KitPagesController::initGlobalSet()
{
    m_view.global.version->setText(QStringLiteral("1.01"));
    m_doc.resetGlobalSettings(); // the page shows them

    m_vecEffect.clear();
    // "DANCD-FLA-L" is the name the global page has always shown.
    for (const char *name : {"THRU", "ECHO", "ECHO-PITCH", "PITCH SHIFT", "PING PONG", "REV1", "REV2", "REV3",
                             "LARGE PLATE", "SMALL PLATE", "TIGHT PLATE", "GATED", "PA VOCAL", "CHORUS", "FLANGER",
                             "REV-TREMOLO", "REV-FLANGE", "REV-CHORUS", "REV-KEY", "DANCE-P-L", "DANCE-H-L",
                             "DANCD-FLA-L", "RMS SOFT KNEE", "ACT XOVER"})
        m_vecEffect.append(QString::fromLatin1(name));

    m_view.global.clickSoundNoSpinBox->setRange(1, 5);
    m_view.global.clickSoundNoSpinBox->setValue(1);
    if (!m_library.clickList().isEmpty())
        m_view.global.clickNameLab->setText(m_library.clickList().first().name);
    m_view.global.clickInterval->setText(QStringLiteral("4"));
    m_view.global.clickPan->setText(QStringLiteral("Center"));
    m_view.global.clickOutput->setText(QStringLiteral("Master&Phone"));
    m_view.global.clickVolume->setText(QStringLiteral("100"));
    m_mapClickPan.clear();
    m_mapClickPan.insert(QStringLiteral("Center"), 64);
    m_view.global.audioVolume->setText(QStringLiteral("100"));
    m_view.global.btAudioVolume->setText(QStringLiteral("100"));
    m_view.global.systanGain->setText(QStringLiteral("0"));
    m_view.global.audioOutput->setText(QStringLiteral("Phone"));
    m_view.global.globalCH->setText(QStringLiteral("10"));
    for (QLabel *l : {m_view.global.midiExtCtrl, m_view.global.midiSync, m_view.global.softThru, m_view.global.pcSwLabel, m_view.global.ccSwLabel})
        l->setText(QStringLiteral("OFF"));
    m_view.global.fxCtrl1CCLabel->setText(QStringLiteral("71"));
    m_view.global.fxCtrl2CCLabel->setText(QStringLiteral("72"));
    m_view.global.lcdContrast->setText(QStringLiteral("10"));
    m_view.global.ledTypeComboBox->setCurrentIndex(1);
    m_view.global.ledLogoComboBox->setCurrentText(WindowTexts::tr("ColorFul"));
    m_view.global.ledLogoComboBox->setCurrentIndex(1);
    m_view.global.tempoIndicateLabel->setText(QStringLiteral("ON"));

    m_doc.startPadTriggers();
    showGlobalPad(0);
}

void KitPagesController::showGlobalSettings()
{
    const KitDocument &d = m_doc;
    m_view.global.labEditEffect->setText(QString::number(d.curEditEffect()));
    m_view.global.labEffectOFF->setText(QString::number(d.curEffectOFF()));
    m_view.global.labRecLevel->setText(QString::number(d.curRecLevel()));
    const quint8 autoState = d.curAutoState();
    m_view.global.labAutoState->setText(autoState == 0   ? QStringLiteral("OFF")
                                : autoState == 1 ? QStringLiteral("ON")
                                                 : QString());
    m_view.global.labLoopClick->setText(QString::number(d.curLoopClick()));
    m_view.global.labLoopQtz->setText(QString::number(d.curLoopQtz()));
    m_view.global.labLoopMeas->setText(QString::number(d.curLoopMeas()));
    m_view.global.labLoopMeasIndex->setText(QString::number(d.curLoopMeasIndex()));
    m_view.global.labRecPad->setText(QString::number(d.curRecPad()));
    showGlobalPad(m_view.global.globalPadComboBox->currentIndex());
}

void KitPagesController::showGlobalPad(int pad)
{
    static const char *curves[4] = {"Linear", "Log", "Exp", "Max"};
    auto setCurve = [this](int curve) {
        if (curve >= 0 && curve < 4)
            m_view.global.curveLabel->setText(QString::fromLatin1(curves[curve]));
    };
    if (m_doc.currentGlobalLayout()) {
        if (pad < 0 || pad >= m_doc.padTrigList1().size())
            return;
        const MainWindow1Records::M_PAD_FS_TRIG_ATTR &t = m_doc.padTrigList1()[pad];
        m_view.global.labType->setText(numberOrSlash(t.type, 255));
        m_view.global.labSensivity->setText(numberOrSlash(t.sensivity, 255));
        setCurve(t.curve);
        m_view.global.maskTimeLabel->setText(numberOrSlash(t.mask_time, 255));
        m_view.global.labRetrigLevel->setText(numberOrSlash(t.retrig_level, 255));
        m_view.global.antiCrossLabel->setText(numberOrSlash(t.anti_cross, 255));
        m_view.global.thresholdLabel->setText(numberOrSlash(t.rim_gain, 255));
        m_view.global.labDynamicRange->setText(numberOrSlash(t.dynamic_range, 255));
        return;
    }
    if (pad < 0 || pad >= m_doc.padTrigList().size())
        return;
    const MainWindow1Records::PAD_FS_TRIG_ATTR &t = m_doc.padTrigList()[pad];
    switch (t.model) {
    case 0: m_view.global.labType->setText(QStringLiteral("Custom")); break;
    case 1: m_view.global.labType->setText(QStringLiteral("QR4470")); break;
    case 2: m_view.global.labType->setText(QStringLiteral("QR37")); break;
    case 255: m_view.global.labType->setText(QStringLiteral("/")); break;
    default: break;
    }
    m_view.global.labSensivity->setText(numberOrSlash(t.sensibility, 255));
    setCurve(t.curve);
    m_view.global.maskTimeLabel->setText(numberOrSlash(t.mask_time, 255));
    switch (t.trig_mode) {
    case 0: m_view.global.labRetrigLevel->setText(QStringLiteral("Single")); break;
    case 1: m_view.global.labRetrigLevel->setText(QStringLiteral("Dual")); break;
    case 255: m_view.global.labRetrigLevel->setText(QStringLiteral("/")); break;
    default: break;
    }
    m_view.global.antiCrossLabel->setText(numberOrSlash(t.anti_cross, 255));
    m_view.global.thresholdLabel->setText(numberOrSlash(t.threshold, 255));
}

void KitPagesController::showMasterEffect(int slot)
{
    if (slot < 0 || slot >= MASTER_EFFECT_COUNT)
        return;
    const MainWindow1Records::M_NEW_MASTER_EFFECT &m = m_doc.meffChunk1(slot);
    m_view.global.effectCtrl1->setText(numberOrSlash(m.param1, 999));
    m_view.global.effectCtrl2->setText(numberOrSlash(m.param2, 999));
    m_view.global.effectCtrl3->setText(numberOrSlash(m.param3, 999));
    m_view.global.effectType->setText((m.no == 255 || m.no == 10) ? QStringLiteral("/") : QString::number(m.no));
}

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "ui_mainwindow1.h"
#include "document/kitdocument.h"

// Kit 1, pad 1 of a default kit on the kit and pad pages. The reset leaves
// the effect number boxes, the link group box and the layer labels alone and
// takes the layers as literals.
void KitPagesController::showDefaultKitOne(bool reset)
{
    m_ui->kitNoSpinBox->setValue(1);
    m_ui->kitNameLabel->setText(QStringLiteral("New Kit"));
    m_ui->kitNameLineEdit->setText(QStringLiteral("New Kit"));
    m_mainPadPage->noteNameFieldKit(0);
    m_ui->kitVolumeSpinBox->setValue(100);
    m_ui->kitTempoSpinBox->setValue(120);
    if (!reset) {
        m_ui->effect1_no->setCurrentIndex(0);
        m_ui->effect2_no->setCurrentIndex(0);
        m_ui->effect3_no->setCurrentIndex(0);
        m_ui->effect4_no->setCurrentIndex(0);
    }
    m_ui->bottomColorComboBox->setCurrentText(WindowTexts::tr("Orange"));
    m_ui->workColorComboBox->setCurrentText(WindowTexts::tr("Red"));
    m_ui->pedalType->setCurrentIndex(8);
    for (QLabel *l :
         {m_ui->hh_wave1_name, m_ui->hh_wave2_name, m_ui->hh_wave3_name, m_ui->hh_wave4_name, m_ui->hh_wave5_name})
        l->setText(QString());
    m_ui->hhLayer1SpinBox->setValue(reset ? 100 : m_original_layer1);
    m_ui->hhLayer2SpinBox->setValue(reset ? 80 : m_original_layer2);
    m_ui->hhLayer3SpinBox->setValue(reset ? 40 : m_original_layer3);
    m_ui->hhLayer4SpinBox->setValue(0);
    m_ui->hhLayer5SpinBox->setValue(0);
    if (!reset) {
        m_ui->labLayer1->setText(QStringLiteral("127"));
        m_ui->labLayer2->setText(QString::number(m_original_layer1 - 1));
        m_ui->labLayer3->setText(QString::number(m_original_layer2 - 1));
        m_ui->labLayer4->setText(QString::number(m_original_layer3 - 1));
        m_ui->linkGroupComboBox->setCurrentIndex(0);
    }
    m_ui->padLink1ComboBox->setCurrentIndex(0);
    m_ui->padLink2ComboBox->setCurrentIndex(0);
    m_ui->padNoComboBox->setCurrentIndex(0);
    chooseMode(0);
    m_ui->midiCodeSpinBox->setValue(49);
    m_ui->midiChannelComboBox->setCurrentIndex(16);
    m_ui->midiGate->setText(QStringLiteral("OFF"));
    m_ui->extCtrl->setText(QStringLiteral("OFF"));
    m_ui->padOutput->setText(QStringLiteral("1"));
    m_ui->waveAVolumeSpinBox->setValue(100);
    m_ui->waveBVolumeSpinBox->setValue(100);
    m_ui->waveACenter->setCurrentIndex(16);
    m_ui->waveBPan->setCurrentIndex(16);
    m_ui->waveAPitch->setValue(0);
    m_ui->waveBPitch->setValue(0);
    m_ui->waveADecay->setCurrentIndex(0);
    m_ui->waveBDecay->setCurrentIndex(0);
    m_ui->muteGroup->setCurrentText(QStringLiteral("OFF"));
    m_ui->tempoSync->setText(QStringLiteral("OFF"));
    m_ui->mode->setCurrentText(QStringLiteral("Wave A Only"));
    m_ui->loop->setCurrentText(QStringLiteral("OFF"));
    m_ui->trigType->setCurrentText(QStringLiteral("Shot"));
    m_ui->velocity->setValue(127);
    m_ui->dynamic->setCurrentText(QStringLiteral("ON"));
    m_ui->polyMono->setCurrentText(QStringLiteral("Poly"));
    m_ui->trigType->setEnabled(false);
    m_ui->velocity->setEnabled(false);
}

void KitPagesController::initKitSet()
{
    showDefaultKitOne(false);

    m_tables.initValueMaps();

    // The same 24 defaults for every kit and slot; the lists share one copy.
    QVector<MainWindow1Records::KIT_EFFECT> effects;
    for (int t = 0; t < 24; ++t)
        effects.append(m_tables.defaultEffectControls(t));
    for (MainWindow1Records::KIT_EFFECT &e : m_k_effect)
        e = effects.last();
    for (MainWindow1Records::LINK_GROUP &g : m_linkGroup)
        g = MainWindow1Records::LINK_GROUP();
    QVector<MainWindow1Records::soundKit> kits;
    for (int k = 0; k < KIT_MAX_COUNT; ++k)
        kits.append(m_tables.defaultKit(k));
    m_doc.startKits(kits, effects);

    chooseEffectType(0, 0);
    chooseEffectType(1, 0);
    chooseEffectType(2, 0);
    chooseEffectType(3, 0);
    chooseLinkGroup(0);
}

void KitPagesController::initKitSet1()
{
    showDefaultKitOne(true);

    m_tables.initValueMaps();
    QVector<MainWindow1Records::soundKit> kits;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        const MainWindow1Records::PEDAL_SETTING active = m_doc.curKitAttr(k).pedalChunk;
        MainWindow1Records::soundKit kit = m_tables.defaultKit(k);
        kit.effect1_no = kit.effect2_no = kit.effect3_no = 10;
        // The active effect of the hi-hat block is left as it was.
        kit.pedalChunk.active_fx = active.active_fx;
        kit.pedalChunk.active_off = active.active_off;
        kit.pedalChunk.active_no = active.active_no;
        kit.pedalChunk.active_effectCtrl1 = active.active_effectCtrl1;
        kit.pedalChunk.active_effectCtrl2 = active.active_effectCtrl2;
        kit.pedalChunk.active_effectCtrl3 = active.active_effectCtrl3;
        kits.append(kit);
    }
    m_doc.startKits(kits, {});
}

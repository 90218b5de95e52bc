#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

namespace {
// Kit 1, pad 1 of a default kit on the kit and pad pages. The reset leaves
// the effect number boxes, the link group box and the layer labels alone and
// takes the layers as literals.
void showDefaultKitOne(MainWindow1 *w, bool reset)
{
    Ui::MainWindow1 *ui = w->ui;
    ui->kitNoSpinBox->setValue(1);
    ui->kitNameLabel->setText(QStringLiteral("New Kit"));
    ui->kitNameLineEdit->setText(QStringLiteral("New Kit"));
    w->mainPadPage().noteNameFieldKit(0);
    ui->kitVolumeSpinBox->setValue(100);
    ui->kitTempoSpinBox->setValue(120);
    if (!reset) {
        ui->effect1_no->setCurrentIndex(0);
        ui->effect2_no->setCurrentIndex(0);
        ui->effect3_no->setCurrentIndex(0);
        ui->effect4_no->setCurrentIndex(0);
    }
    ui->bottomColorComboBox->setCurrentText(MainWindow1::tr("Orange"));
    ui->workColorComboBox->setCurrentText(MainWindow1::tr("Red"));
    ui->pedalType->setCurrentIndex(8);
    for (QLabel *l : {ui->hh_wave1_name, ui->hh_wave2_name, ui->hh_wave3_name, ui->hh_wave4_name, ui->hh_wave5_name})
        l->setText(QString());
    ui->hhLayer1SpinBox->setValue(reset ? 100 : w->original_layer1);
    ui->hhLayer2SpinBox->setValue(reset ? 80 : w->original_layer2);
    ui->hhLayer3SpinBox->setValue(reset ? 40 : w->original_layer3);
    ui->hhLayer4SpinBox->setValue(0);
    ui->hhLayer5SpinBox->setValue(0);
    if (!reset) {
        ui->labLayer1->setText(QStringLiteral("127"));
        ui->labLayer2->setText(QString::number(w->original_layer1 - 1));
        ui->labLayer3->setText(QString::number(w->original_layer2 - 1));
        ui->labLayer4->setText(QString::number(w->original_layer3 - 1));
        ui->linkGroupComboBox->setCurrentIndex(0);
    }
    ui->padLink1ComboBox->setCurrentIndex(0);
    ui->padLink2ComboBox->setCurrentIndex(0);
    ui->padNoComboBox->setCurrentIndex(0);
    w->on_mode_currentIndexChanged(0);
    ui->midiCodeSpinBox->setValue(49);
    ui->midiChannelComboBox->setCurrentIndex(16);
    ui->midiGate->setText(QStringLiteral("OFF"));
    ui->extCtrl->setText(QStringLiteral("OFF"));
    ui->padOutput->setText(QStringLiteral("1"));
    ui->waveAVolumeSpinBox->setValue(100);
    ui->waveBVolumeSpinBox->setValue(100);
    ui->waveACenter->setCurrentIndex(16);
    ui->waveBPan->setCurrentIndex(16);
    ui->waveAPitch->setValue(0);
    ui->waveBPitch->setValue(0);
    ui->waveADecay->setCurrentIndex(0);
    ui->waveBDecay->setCurrentIndex(0);
    ui->muteGroup->setCurrentText(QStringLiteral("OFF"));
    ui->tempoSync->setText(QStringLiteral("OFF"));
    ui->mode->setCurrentText(QStringLiteral("Wave A Only"));
    ui->loop->setCurrentText(QStringLiteral("OFF"));
    ui->trigType->setCurrentText(QStringLiteral("Shot"));
    ui->velocity->setValue(127);
    ui->dynamic->setCurrentText(QStringLiteral("ON"));
    ui->polyMono->setCurrentText(QStringLiteral("Poly"));
    ui->trigType->setEnabled(false);
    ui->velocity->setEnabled(false);
}

} // namespace

void kitpage::initKitSet(MainWindow1 *w)
{
    showDefaultKitOne(w, false);

    w->initValueMaps();

    // The same 24 defaults for every kit and slot; the lists share one copy.
    QVector<MainWindow1::KIT_EFFECT> effects;
    for (int t = 0; t < 24; ++t)
        effects.append(w->defaultEffectControls(t));
    for (MainWindow1::KIT_EFFECT &e : w->k_effect)
        e = effects.last();
    for (MainWindow1::LINK_GROUP &g : w->linkGroup)
        g = MainWindow1::LINK_GROUP();
    QVector<MainWindow1::soundKit> kits;
    for (int k = 0; k < KIT_MAX_COUNT; ++k)
        kits.append(w->defaultKit(k));
    w->doc().startKits(kits, effects);

    w->on_kitEffect1_currentIndexChanged(0);
    w->on_kitEffect2_currentIndexChanged(0);
    w->on_kitEffect3_currentIndexChanged(0);
    w->on_activeFx_currentIndexChanged(0);
    w->on_linkGroupComboBox_currentIndexChanged(0);
}

void kitpage::initKitSet1(MainWindow1 *w)
{
    // A reset to the default kits that keeps each kit's effect memories and
    // active effect: the editor's start makes its kits with initKitSet.
    showDefaultKitOne(w, true);

    w->initValueMaps();
    QVector<MainWindow1::soundKit> kits;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        const MainWindow1::PEDAL_SETTING active = w->doc().curKitAttr(k).pedalChunk;
        MainWindow1::soundKit kit = w->defaultKit(k);
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
    w->doc().startKits(kits, {});
}

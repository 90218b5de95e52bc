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
    w->kitNameFieldKit = 0;
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

// Kit k as it stands in curKitAttr, appended to the kit lists.
void appendKitLists(MainWindow1 *w, int k)
{
    const MainWindow1::soundKit &kit = w->doc().curKitAttr[k];
    w->doc().kitNameList.append(kit.kit_name);
    w->doc().kitIndexList.append(kit.reserved[0]);
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        w->doc().kitPadList[k].append(kit.kpadChunk[p]);
    w->doc().kitAttrList.append(kit);
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
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        w->doc().kitEffectList1[k] += effects;
        w->doc().kitEffectList2[k] += effects;
        w->doc().kitEffectList3[k] += effects;
        w->doc().kitEffectList4[k] += effects;
    }

    for (MainWindow1::LINK_GROUP &g : w->linkGroup)
        g = MainWindow1::LINK_GROUP();
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        for (const MainWindow1::LINK_GROUP &g : w->linkGroup)
            w->doc().kitLinkList[k].append(g);
    }

    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        w->doc().curKitAttr[k] = w->defaultKit(k);
        appendKitLists(w, k);
    }

    w->on_kitEffect1_currentIndexChanged(0);
    w->on_kitEffect2_currentIndexChanged(0);
    w->on_kitEffect3_currentIndexChanged(0);
    w->on_activeFx_currentIndexChanged(0);
    w->on_linkGroupComboBox_currentIndexChanged(0);
}

void kitpage::initKitSet1(MainWindow1 *w)
{
    // A reset to the default kits; nothing calls it.
    showDefaultKitOne(w, true);

    w->initValueMaps();
    w->doc().kitAttrList.clear();
    w->doc().kitNameList.clear();
    w->doc().kitIndexList.clear();
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        w->doc().kitPadList[k].clear();
        w->doc().kitLinkList[k].clear();
        for (int g = 0; g < 5; ++g)
            w->doc().kitLinkList[k].append(MainWindow1::LINK_GROUP());
        const MainWindow1::PEDAL_SETTING active = w->doc().curKitAttr[k].pedalChunk;
        w->doc().curKitAttr[k] = w->defaultKit(k);
        w->doc().curKitAttr[k].effect1_no = w->doc().curKitAttr[k].effect2_no = w->doc().curKitAttr[k].effect3_no = 10;
        // The active effect of the hi-hat block is left as it was.
        w->doc().curKitAttr[k].pedalChunk.active_fx = active.active_fx;
        w->doc().curKitAttr[k].pedalChunk.active_off = active.active_off;
        w->doc().curKitAttr[k].pedalChunk.active_no = active.active_no;
        w->doc().curKitAttr[k].pedalChunk.active_effectCtrl1 = active.active_effectCtrl1;
        w->doc().curKitAttr[k].pedalChunk.active_effectCtrl2 = active.active_effectCtrl2;
        w->doc().curKitAttr[k].pedalChunk.active_effectCtrl3 = active.active_effectCtrl3;
        appendKitLists(w, k);
    }
}

// The global settings between the global settings page and the kit file
// model's global chunk, in both directions.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include <QStandardItemModel>

namespace {
const QString kOff = QStringLiteral("OFF");
const QString kOn = QStringLiteral("ON");
const QString kCenter = QStringLiteral("Center");
const QString kPhone = QStringLiteral("Phone");
const QString kMasterPhone = QStringLiteral("Master&Phone");

// A label's text as a byte; 0 when it holds no number.
quint8 labelByte(const QLabel *label)
{
    return quint8(label->text().toInt());
}

void setNumber(QLabel *label, int value)
{
    label->setText(QString::number(value));
}

// Outputs: 1 "Phone", 0 "Master&Phone"; other values leave the label.
void showOutput(QLabel *label, quint8 value)
{
    if (value == 1)
        label->setText(kPhone);
    else if (value == 0)
        label->setText(kMasterPhone);
}

// The other texts are -1: they keep the value packed before.
int outputOf(const QLabel *label)
{
    return label->text() == kPhone ? 1 : label->text() == kMasterPhone ? 0 : -1;
}

void showSwitch(QLabel *label, quint8 value)
{
    label->setText(value == 0 ? kOff : kOn);
}

quint8 switchByte(const QLabel *label)
{
    return label->text() == kOff ? 0 : 1;
}

// The blocks both global chunk layouts share.
template <class Chunk>
void showSharedBlocks(MainWindow1 *w, const Chunk &g)
{
    Ui::MainWindow1 *ui = w->ui;
    ui->clickSoundNoSpinBox->setValue(g.click.click_no + 1);
    setNumber(ui->clickInterval, g.click.beat);
    if (g.click.pan == 64)
        ui->clickPan->setText(kCenter);
    else
        setNumber(ui->clickPan, g.click.pan);
    setNumber(ui->clickVolume, g.click.volume);
    showOutput(ui->clickOutput, g.click.click_output);

    setNumber(ui->audioVolume, g.audio.volume);
    setNumber(ui->btAudioVolume, g.audio.bt_volume);
    setNumber(ui->systanGain, g.audio.systan_gain);
    showOutput(ui->audioOutput, g.audio.output);

    setNumber(ui->globalCH, g.midi.global_ch + 1);
    showSwitch(ui->midiExtCtrl, g.midi.ext_ctrl);
    if (g.midi.midi_sync <= 2) {
        static const char *const sync[3] = {"OFF", "ON", "Reserved"};
        ui->midiSync->setText(QString::fromLatin1(sync[g.midi.midi_sync]));
    }
    showSwitch(ui->softThru, g.midi.soft_thru);
    showSwitch(ui->pcSwLabel, g.midi.pc_sw);
    showSwitch(ui->ccSwLabel, g.midi.cc_sw);
    setNumber(ui->fxCtrl1CCLabel, g.midi.fx_ctrl1_cc);
    setNumber(ui->fxCtrl2CCLabel, g.midi.fx_ctrl2_cc);

    setNumber(ui->lcdContrast, g.lced.lcd_contrast);
    if (g.lced.led_type <= 2)
        ui->ledTypeComboBox->setCurrentIndex(g.lced.led_type); // "OFF", "Type1", "Type2"
    ui->ledLogoComboBox->setCurrentIndex(g.lced.led_logo);
    if (g.lced.tempo_indicate <= 1)
        showSwitch(ui->tempoIndicateLabel, g.lced.tempo_indicate);
}

// Chains 0..rows-1 of a chunk's kit-chain block into kitChainList.
void showChains(MainWindow1 *w, const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool keepOriginal)
{
    w->doc().takeChainBlock(kc, rows, keepOriginal);
    emit w->sendKitChainMeg(w->doc().kitChainList());
}
} // namespace

void MainWindow1::setGlobalFileChunk()
{
    ui->clickSoundNoSpinBox->setRange(1, 5);
    doc().setGlobalFileChunk(globalPage());
}

KitDocument::GlobalPage MainWindow1::globalPage() const
{
    KitDocument::GlobalPage page;
    if (m_soundLists->clickFlag()) {
        const int sound = ui->clickSoundNoSpinBox->value() - 1;
        page.clickNo = quint8(sound);
        if (sound >= 0 && sound < library().clickSetList().size()) {
            page.clickCluster = library().clickSetList()[sound].start_cluster;
            page.clickLength = library().clickSetList()[sound].wave_length;
        }
    }
    page.clickBeat = labelByte(ui->clickInterval);
    page.clickPan = ui->clickPan->text() == kCenter ? quint8(mapClickPan.value(kCenter, 64)) : labelByte(ui->clickPan);
    page.clickVolume = labelByte(ui->clickVolume);
    page.clickOutput = outputOf(ui->clickOutput);

    page.audioVolume = labelByte(ui->audioVolume);
    page.btVolume = labelByte(ui->btAudioVolume);
    page.systanGain = labelByte(ui->systanGain);
    page.audioOutput = outputOf(ui->audioOutput);

    KitDocument::MIDI_SETTING &midi = page.midi;
    midi.global_ch = quint8(ui->globalCH->text().toInt() - 1);
    midi.ext_ctrl = switchByte(ui->midiExtCtrl);
    const QString sync = ui->midiSync->text();
    midi.midi_sync = sync == kOff ? 0 : sync == kOn ? 1 : 2;
    midi.soft_thru = switchByte(ui->softThru);
    midi.pc_sw = switchByte(ui->pcSwLabel);
    midi.cc_sw = switchByte(ui->ccSwLabel);
    midi.fx_ctrl1_cc = labelByte(ui->fxCtrl1CCLabel);
    midi.fx_ctrl2_cc = labelByte(ui->fxCtrl2CCLabel);

    page.lcdContrast = labelByte(ui->lcdContrast);
    const int ledType = ui->ledTypeComboBox->currentIndex();
    page.ledType = ledType >= 0 && ledType <= 2 ? ledType : -1;
    const int logo = ui->ledLogoComboBox->currentIndex();
    page.ledLogo = logo < 0 ? 1 : quint8(logo);
    const QString tempo = ui->tempoIndicateLabel->text();
    page.tempoIndicate = tempo == kOn ? 1 : tempo == kOff ? 0 : -1;
    return page;
}

void MainWindow1::showVerAndGlobal1(percussionpadfile *pf)
{
    if (!pf)
        return;
    if (pf->curFlag == 0) {
        const quint16 v = pf->identityChunk.version;
        ui->version->setText(QStringLiteral("%1.0%2").arg(v >> 8).arg(v & 0xFF));
    }

    if (!doc().currentGlobalLayout()) {
        const percussionpadfile::FILE_GLOBAL_CHUNK &g = pf->globalChunk;
        if (g.effect.effectType < vecEffect.size())
            ui->effectType->setText(vecEffect[g.effect.effectType]);
        QLabel *const controls[3] = {ui->effectCtrl1, ui->effectCtrl2, ui->effectCtrl3};
        const quint8 values[3] = {g.effect.effectCtrl1, g.effect.effectCtrl2, g.effect.effectCtrl3};
        for (int c = 0; c < 3; ++c) {
            QString label;
            if (values[c] < 100) {
                const QMap<QString, int> &m = mapMasterEffect[values[c] / 8];
                for (auto it = m.constBegin(); it != m.constEnd() && label.isEmpty(); ++it) {
                    if (it.value() == values[c])
                        label = it.key();
                }
            }
            controls[c]->setText(label);
        }
        // The metronome name stays: the old layout has no sound list of its own.
        const QString clickName = ui->clickNameLab->text();
        showSharedBlocks(this, g);
        ui->clickNameLab->setText(clickName);
        showChains(this, g.kc, 8, false);
        // The page shows the old records; the current ones, which a file
        // written from the page carries, take what both layouts share and
        // the defaults for the rest.
        doc().takeOldTriggers(g.pfta);
        on_globalPadComboBox_currentIndexChanged(0);
        return;
    }

    const percussionpadfile::NEW_FILE_GLOBAL_CHUNK &g = pf->new_globalChunk;
    doc().takeGlobalSettings(g); // the page shows the settings kept in the document
    ui->masterEffectComboBox->setCurrentIndex(0);
    on_masterEffectComboBox_currentIndexChanged(0);

    showSharedBlocks(this, g);
    QStandardItem *group = library().clickListItemModel() ? library().clickListItemModel()->item(0) : nullptr;
    const int click = g.click.click_no;
    QStandardItem *name = group && click < group->rowCount() ? group->child(click, 1) : nullptr;
    ui->clickNameLab->setText(name ? name->text() : QString());

    showChains(this, g.kc, KIT_CHAIN_ROWS, true);

    ui->globalPadComboBox->setCurrentIndex(0);
    on_globalPadComboBox_currentIndexChanged(0);
}

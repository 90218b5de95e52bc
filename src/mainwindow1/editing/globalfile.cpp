// The global settings between the global settings page and the kit file
// model's global chunk, in both directions.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

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
} // namespace

template <class Chunk>
void KitPagesController::showSharedBlocks(const Chunk &g)
{
    m_view.global.clickSoundNoSpinBox->setValue(g.click.click_no + 1);
    setNumber(m_view.global.clickInterval, g.click.beat);
    if (g.click.pan == 64)
        m_view.global.clickPan->setText(kCenter);
    else
        setNumber(m_view.global.clickPan, g.click.pan);
    setNumber(m_view.global.clickVolume, g.click.volume);
    showOutput(m_view.global.clickOutput, g.click.click_output);

    setNumber(m_view.global.audioVolume, g.audio.volume);
    setNumber(m_view.global.btAudioVolume, g.audio.bt_volume);
    setNumber(m_view.global.systanGain, g.audio.systan_gain);
    showOutput(m_view.global.audioOutput, g.audio.output);

    setNumber(m_view.global.globalCH, g.midi.global_ch + 1);
    showSwitch(m_view.global.midiExtCtrl, g.midi.ext_ctrl);
    if (g.midi.midi_sync <= 2) {
        static const char *const sync[3] = {"OFF", "ON", "Reserved"};
        m_view.global.midiSync->setText(QString::fromLatin1(sync[g.midi.midi_sync]));
    }
    showSwitch(m_view.global.softThru, g.midi.soft_thru);
    showSwitch(m_view.global.pcSwLabel, g.midi.pc_sw);
    showSwitch(m_view.global.ccSwLabel, g.midi.cc_sw);
    setNumber(m_view.global.fxCtrl1CCLabel, g.midi.fx_ctrl1_cc);
    setNumber(m_view.global.fxCtrl2CCLabel, g.midi.fx_ctrl2_cc);

    setNumber(m_view.global.lcdContrast, g.lced.lcd_contrast);
    if (g.lced.led_type <= 2)
        m_view.global.ledTypeComboBox->setCurrentIndex(g.lced.led_type); // "OFF", "Type1", "Type2"
    m_view.global.ledLogoComboBox->setCurrentIndex(g.lced.led_logo);
    if (g.lced.tempo_indicate <= 1)
        showSwitch(m_view.global.tempoIndicateLabel, g.lced.tempo_indicate);
}

// Chains 0..rows-1 of a chunk's kit-chain block into kitChainList.
void KitPagesController::showChains(const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool keepOriginal)
{
    m_doc.takeChainBlock(kc, rows, keepOriginal);
    emit chainsRead(m_doc.kitChainList());
}

void KitPagesController::setGlobalFileChunk()
{
    m_view.global.clickSoundNoSpinBox->setRange(1, 5);
    m_doc.setGlobalFileChunk(globalPage());
}

KitDocument::GlobalPage KitPagesController::globalPage() const
{
    KitDocument::GlobalPage page;
    if (m_soundLists.clickFlag()) {
        const int sound = m_view.global.clickSoundNoSpinBox->value() - 1;
        page.clickNo = quint8(sound);
        page.clickListed = sound >= 0;
        if (sound >= 0 && sound < m_library.clickSetList().size()) {
            page.clickCluster = m_library.clickSetList()[sound].start_cluster;
            page.clickLength = m_library.clickSetList()[sound].wave_length;
        }
    }
    page.clickBeat = labelByte(m_view.global.clickInterval);
    page.clickPan = m_view.global.clickPan->text() == kCenter ? quint8(m_mapClickPan.value(kCenter, 64))
                                                       : labelByte(m_view.global.clickPan);
    page.clickVolume = labelByte(m_view.global.clickVolume);
    page.clickOutput = outputOf(m_view.global.clickOutput);

    page.audioVolume = labelByte(m_view.global.audioVolume);
    page.btVolume = labelByte(m_view.global.btAudioVolume);
    page.systanGain = labelByte(m_view.global.systanGain);
    page.audioOutput = outputOf(m_view.global.audioOutput);

    KitDocument::MIDI_SETTING &midi = page.midi;
    midi.global_ch = quint8(m_view.global.globalCH->text().toInt() - 1);
    midi.ext_ctrl = switchByte(m_view.global.midiExtCtrl);
    const QString sync = m_view.global.midiSync->text();
    midi.midi_sync = sync == kOff ? 0 : sync == kOn ? 1 : 2;
    midi.soft_thru = switchByte(m_view.global.softThru);
    midi.pc_sw = switchByte(m_view.global.pcSwLabel);
    midi.cc_sw = switchByte(m_view.global.ccSwLabel);
    midi.fx_ctrl1_cc = labelByte(m_view.global.fxCtrl1CCLabel);
    midi.fx_ctrl2_cc = labelByte(m_view.global.fxCtrl2CCLabel);

    page.lcdContrast = labelByte(m_view.global.lcdContrast);
    const int ledType = m_view.global.ledTypeComboBox->currentIndex();
    page.ledType = ledType >= 0 && ledType <= 2 ? ledType : -1;
    const int logo = m_view.global.ledLogoComboBox->currentIndex();
    page.ledLogo = logo < 0 ? 1 : quint8(logo);
    const QString tempo = m_view.global.tempoIndicateLabel->text();
    page.tempoIndicate = tempo == kOn ? 1 : tempo == kOff ? 0 : -1;
    return page;
}

void KitPagesController::showVerAndGlobal1(percussionpadfile *pf, bool asLoaded)
{
    if (!pf)
        return;
    if (pf->curFlag == 0) {
        const quint16 v = pf->identityChunk.version;
        m_view.global.version->setText(QStringLiteral("%1.0%2").arg(v >> 8).arg(v & 0xFF));
    }

    if (!m_doc.currentGlobalLayout()) {
        const percussionpadfile::FILE_GLOBAL_CHUNK &g = pf->globalChunk;
        if (g.effect.effectType < m_vecEffect.size())
            m_view.global.effectType->setText(m_vecEffect[g.effect.effectType]);
        // The old layout's controls have no labels.
        for (QLabel *control : {m_view.global.effectCtrl1, m_view.global.effectCtrl2, m_view.global.effectCtrl3})
            control->setText(QString());
        // The metronome name stays: the old layout has no sound list of its own.
        const QString clickName = m_view.global.clickNameLab->text();
        showSharedBlocks(g);
        m_view.global.clickNameLab->setText(clickName);
        showChains(g.kc, 8, false);
        // The page shows the old records; the current ones, which a file
        // written from the page carries, take what both layouts share and
        // the defaults for the rest.
        m_doc.takeOldTriggers(g.pfta);
        showGlobalPad(0);
        return;
    }

    const percussionpadfile::NEW_FILE_GLOBAL_CHUNK &g = pf->new_globalChunk;
    m_doc.takeGlobalSettings(g); // the page shows the settings kept in the document
    m_view.global.masterEffectComboBox->setCurrentIndex(0);
    showMasterEffect(0);

    showSharedBlocks(g);
    QStandardItem *group = m_library.clickListItemModel() ? m_library.clickListItemModel()->item(0) : nullptr;
    const int click = g.click.click_no;
    QStandardItem *name = group && click < group->rowCount() ? group->child(click, 1) : nullptr;
    m_view.global.clickNameLab->setText(name ? name->text() : QString());

    showChains(g.kc, KIT_CHAIN_ROWS, asLoaded);

    m_view.global.globalPadComboBox->setCurrentIndex(0);
    showGlobalPad(0);
}

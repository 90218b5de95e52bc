// The pad settings page: one pad of the kit in kitNoSpinBox, its mode rules,
// and the commit of the page into the pad's record and the kit's pad list
// (none when nothing was edited since the pad was shown).
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/editing/pagevalues.h"
#include "model/kitediting.h"

namespace {
const QString kOff = QStringLiteral("OFF");
const QString kOn = QStringLiteral("ON");
const QString kDisabled = QStringLiteral("background-color: rgb(200, 200, 200);");
const QString kEnabled = QStringLiteral("background-color: rgb(250, 250, 250);");

// Labels of the decay boxes, item order.
const QStringList &decayLabels()
{
    static const QStringList labels = {QStringLiteral("OFF"), QStringLiteral("1"), QStringLiteral("2"),
                                       QStringLiteral("3"), QStringLiteral("4")};
    return labels;
}

// Index of `value` in a list of `count` items that maps index to value; -1 if none.
int itemOf(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

// A combo box value that the commit takes; -1 (no item) leaves the field.
template <class T>
void takeItem(T &field, int item)
{
    if (item >= 0)
        field = T(item);
}

// Every widget of the pad settings page that a commit reads.
QVariantList padPageValues(Ui::MainWindow1 *ui)
{
    return widgetValues({ui->midiCodeSpinBox, ui->midiChannelComboBox, ui->midiGate, ui->extCtrl, ui->padOutput,
                         ui->waveAVolumeSpinBox, ui->waveACenter, ui->waveAPitch, ui->waveADecay,
                         ui->waveBVolumeSpinBox, ui->waveBPan, ui->waveBPitch, ui->waveBDecay, ui->muteGroup,
                         ui->tempoSync, ui->mode, ui->loop, ui->trigType, ui->velocity, ui->dynamic, ui->polyMono});
}
} // namespace

void MainWindow1::on_mode_currentIndexChanged(int index)
{
    const int k = ui->kitNoSpinBox->value() - 1;
    const int p = ui->padNoComboBox->currentIndex();
    ui->mode->setCurrentIndex(index);

    const kitediting::ModeRule rule = kitediting::padModeRule(modeFlag, index);
    if (!rule.applies)
        return;
    ui->velocity->setRange(0, 127);
    ui->velocity->setValue(127);
    ui->velocity->setEnabled(rule.velocityEnabled);
    if (rule.loopOff)
        ui->loop->setCurrentIndex(0);
    ui->loop->setEnabled(rule.loopEnabled);
    if (!rule.trigStored)
        ui->trigType->setCurrentIndex(0);
    else if (k >= 0 && k < doc().kitAttrList().size() && p >= 0 && p < PAD_NUM_MAX)
        ui->trigType->setCurrentIndex(itemOf(doc().kitAttrList()[k].kpadChunk[p].trig_mode, 2));
    ui->trigType->setEnabled(rule.trigEnabled);

    for (QWidget *w : {static_cast<QWidget *>(ui->loop), static_cast<QWidget *>(ui->trigType),
                       static_cast<QWidget *>(ui->velocity)})
        w->setStyleSheet(w->isEnabled() ? kEnabled : kDisabled);
}

void MainWindow1::on_padNoComboBox_currentIndexChanged(int pad)
{
    if (pad < 0 || pad >= PAD_NUM_MAX)
        return;
    if (!padNoFlag)
        on_savePadSetBtn_clicked(curPadNumber);

    modeFlag = false;
    const int k = ui->kitNoSpinBox->value() - 1;
    const bool kitShown = k >= 0 && k < doc().kitAttrList().size() && pad < doc().kitPadList(k).size();
    const int m = kitShown ? doc().kitPadList(k)[pad].mode : 0;

    // The foot switches offer "Wave A Only" and "HH Pedal", the other pads seven modes.
    QComboBox *mode = ui->mode;
    const bool foot = pad >= EXTEND_INPUT_NUM;
    if (foot) {
        for (int i = 6; i >= 1; --i) {
            if (i < mode->count())
                mode->removeItem(i);
        }
        mode->insertItem(1, tr("HH Pedal"));
    } else if (mode->count() == 5) {
        mode->insertItem(5, tr("Mix"));
        mode->insertItem(6, tr("Fade"));
    } else if (mode->count() == 2) {
        mode->removeItem(1);
        mode->insertItems(1, {tr("Wave B Only"), tr("Simultaneously"), tr("Switch"), tr("Round Robin"), tr("Mix"),
                              tr("Fade")});
    }
    modeFlag = foot;
    on_mode_currentIndexChanged(m);

    if (kitShown) {
        const KIT_PAD_SETTING &s = doc().kitPadList(k)[pad];
        const KIT_PAD_SETTING &named = doc().kitAttrList()[k].kpadChunk[pad];
        ui->padNoComboBox->setCurrentIndex(pad);
        ui->waveAName->setText(named.soundName0);
        ui->waveBName->setText(named.soundName1);
        ui->midiChannelComboBox->setCurrentIndex(itemOf(s.midi_channel, 17));
        // A value a label has no word for is shown as its number and kept.
        ui->extCtrl->setText(s.ext_ctrl == 0 ? kOff : s.ext_ctrl == 1 ? kOn : QString::number(s.ext_ctrl));
        ui->midiGate->setText(searchMidiGate(s.midi_gate));
        ui->padOutput->setText(QString::number(s.pad_output));
        ui->waveACenter->setCurrentIndex(kitediting::panItem(s.aWavePan));
        ui->waveADecay->setCurrentIndex(decayLabels().indexOf(mapKitDecay.key(s.aWaveDecay)));
        ui->waveBPan->setCurrentIndex(kitediting::panItem(s.bWavePan));
        ui->waveBDecay->setCurrentIndex(decayLabels().indexOf(mapKitDecay.key(s.bWaveDecay)));
        ui->muteGroup->setCurrentIndex(itemOf(s.mute_group, 10));
        ui->tempoSync->setText(s.tempo_sync == 0 ? kOff : QString::number(s.tempo_sync));
        if (m == 3)
            ui->velocity->setEnabled(true);
        // By position: the items are translated. A mode the list lacks shows no item.
        ui->mode->setCurrentIndex(kitediting::padModeItem(foot, s.mode));
        ui->velocity->setValue(s.velocity);
        ui->dynamic->setCurrentIndex(itemOf(s.dynamic, 2));
        ui->waveAVolumeSpinBox->setValue(s.aWaveVolume);
        ui->waveBVolumeSpinBox->setValue(s.bWaveVolume);
        ui->waveAPitch->setValue(searchWavePitchKey(s.aWavePitch));
        ui->waveBPitch->setValue(searchWavePitchKey(s.bWavePitch));
        ui->midiCodeSpinBox->setValue(s.midi_code);
        ui->loop->setCurrentIndex(itemOf(s.loop, 5));
        ui->trigType->setCurrentIndex(itemOf(s.trig_mode, 2));
        ui->polyMono->setCurrentIndex(itemOf(s.poly_mono, 2));
    }
    curPadNumber = ui->padNoComboBox->currentIndex();
    if (kitShown)
        padPageShown.remember(k, curPadNumber, padPageValues(ui));
    else
        padPageShown.forget();
}

void MainWindow1::on_savePadSetBtn_clicked(int pad)
{
    kitpage::commitPadPage(this, ui->kitNoSpinBox->value() - 1, pad);
}

void kitpage::commitPadPage(MainWindow1 *w, int k, int pad)
{
    if (k < 0 || k >= w->doc().kitAttrList().size() || pad < 0 || pad >= PAD_NUM_MAX)
        return;
    if (w->padPageShown.unchanged(k, pad, padPageValues(w->ui)))
        return; // nothing edited since the pad was shown: its record stays byte for byte
    MainWindow1::KIT_PAD_SETTING s = w->doc().kitAttrList()[k].kpadChunk[pad];

    s.padNo = quint8(pad);
    s.midi_code = quint8(w->ui->midiCodeSpinBox->value());
    takeItem(s.midi_channel, w->ui->midiChannelComboBox->currentIndex());
    const QString gate = w->ui->midiGate->text();
    for (int v = 0; v <= 81; ++v) {
        if (w->mapKitMidiGate[v % 8].value(gate, -1) == v) {
            s.midi_gate = quint8(v);
            break;
        }
    }
    const QString ext = w->ui->extCtrl->text();
    if (ext == kOff || ext == kOn)
        s.ext_ctrl = ext == kOn ? 1 : 0;
    s.pad_output = quint8(w->ui->padOutput->text().toInt());

    struct Layer
    {
        QSpinBox *volume;
        QComboBox *pan;
        QSpinBox *pitch;
        QComboBox *decay;
        quint8 &volumeField, &panField, &pitchField, &decayField;
    };
    const Layer layers[2] = {{w->ui->waveAVolumeSpinBox, w->ui->waveACenter, w->ui->waveAPitch, w->ui->waveADecay,
                              s.aWaveVolume, s.aWavePan, s.aWavePitch, s.aWaveDecay},
                             {w->ui->waveBVolumeSpinBox, w->ui->waveBPan, w->ui->waveBPitch, w->ui->waveBDecay,
                              s.bWaveVolume, s.bWavePan, s.bWavePitch, s.bWaveDecay}};
    for (const Layer &l : layers) {
        l.volumeField = quint8(l.volume->value());
        if (l.pan->currentIndex() >= 0)
            l.panField = kitediting::panValue(l.pan->currentIndex());
        l.pitchField = quint8(w->searchWavePitch(qint8(l.pitch->value())));
        const int decay = l.decay->currentIndex();
        if (decay >= 0)
            l.decayField = quint8(w->mapKitDecay.value(decayLabels().value(decay), 0));
    }
    s.aWavePitch_cent = 50;
    s.bWavePitch_cent = 50;
    s.aWaveStartCluster = 0;
    s.bWaveStartCluster = 0;
    s.aWaveLength = 0;
    s.bWaveLength = 0;

    takeItem(s.mute_group, w->ui->muteGroup->currentIndex());
    const QString tempo = w->ui->tempoSync->text();
    s.tempo_sync = tempo == kOff ? 0 : quint8(tempo.toUInt());
    const int mode = kitediting::padModeValue(w->ui->mode->count() == 2, w->ui->mode->currentIndex());
    if (mode >= 0)
        s.mode = quint8(mode);
    takeItem(s.loop, w->ui->loop->currentIndex());
    takeItem(s.trig_mode, w->ui->trigType->currentIndex());
    s.velocity = quint8(w->ui->velocity->value());
    takeItem(s.dynamic, w->ui->dynamic->currentIndex());
    takeItem(s.poly_mono, w->ui->polyMono->currentIndex());

    w->doc().takePadPage(k, pad, s);
}

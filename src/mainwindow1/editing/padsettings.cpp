// The pad settings page: one pad of the kit the page holds, its mode rules,
// and the commit of the page into the pad's record and the kit's pad list
// (none when nothing was edited since the pad was shown).
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"

#include "history/pagepart.h"
#include "model/kitediting.h"
#include "document/kitdocument.h"
#include "widgets/customcombobox.h"
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <QScopedValueRollback>

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
QVariantList padPageValues(const KitPagesView &v)
{
    QList<QWidget *> widgets = {v.pad.midiCodeSpinBox, v.pad.midiChannelComboBox, v.pad.midiGate, v.pad.extCtrl,
                                v.pad.padOutput};
    for (const PadWaveView &wave : v.pad.waves)
        widgets << wave.volume << wave.pan << wave.pitch << wave.decay;
    widgets << v.pad.muteGroup << v.pad.tempoSync << v.pad.mode << v.pad.loop << v.pad.trigType << v.pad.velocity
            << v.pad.dynamic << v.pad.polyMono;
    return PagePart::valuesOf(widgets);
}
} // namespace

void KitPagesController::chooseMode(int index)
{
    const int k = m_header.pageKit() - 1;
    const int p = m_view.pad.padNoComboBox->currentIndex();
    m_view.pad.mode->setCurrentIndex(index);

    const kitediting::ModeRule rule = kitediting::padModeRule(m_modeFlag, index);
    if (!rule.applies)
        return;
    m_view.pad.velocity->setRange(0, 127);
    m_view.pad.velocity->setValue(127);
    m_view.pad.velocity->setEnabled(rule.velocityEnabled);
    if (rule.loopOff)
        m_view.pad.loop->setCurrentIndex(0);
    m_view.pad.loop->setEnabled(rule.loopEnabled);
    if (!rule.trigStored)
        m_view.pad.trigType->setCurrentIndex(0);
    else if (k >= 0 && k < m_doc.kitAttrList().size() && p >= 0 && p < PAD_NUM_MAX)
        m_view.pad.trigType->setCurrentIndex(itemOf(m_doc.kitAttrList()[k].kpadChunk[p].trig_mode, 2));
    m_view.pad.trigType->setEnabled(rule.trigEnabled);

    for (QWidget *box : {static_cast<QWidget *>(m_view.pad.loop), static_cast<QWidget *>(m_view.pad.trigType),
                         static_cast<QWidget *>(m_view.pad.velocity)})
        box->setStyleSheet(box->isEnabled() ? kEnabled : kDisabled);
}

void KitPagesController::switchPad(int pad)
{
    if (pad < 0 || pad >= PAD_NUM_MAX)
        return;
    if (!m_padNoFlag)
        savePadSet(m_curPadNumber);
    const QScopedValueRollback<bool> filling(m_padPageFilling, true);

    m_modeFlag = false;
    const int k = m_header.pageKit() - 1;
    const bool kitShown = k >= 0 && k < m_doc.kitAttrList().size() && pad < m_doc.kitPadList(k).size();
    const int m = kitShown ? m_doc.kitPadList(k)[pad].mode : 0;

    // The foot switches offer "Wave A Only" and "HH Pedal", the other pads seven modes.
    QComboBox *mode = m_view.pad.mode;
    const bool foot = pad >= EXTEND_INPUT_NUM;
    if (foot) {
        for (int i = 6; i >= 1; --i) {
            if (i < mode->count())
                mode->removeItem(i);
        }
        mode->insertItem(1, WindowTexts::tr("HH Pedal"));
    } else if (mode->count() == 5) {
        mode->insertItem(5, WindowTexts::tr("Mix"));
        mode->insertItem(6, WindowTexts::tr("Fade"));
    } else if (mode->count() == 2) {
        mode->removeItem(1);
        mode->insertItems(1, {WindowTexts::tr("Wave B Only"), WindowTexts::tr("Simultaneously"),
                              WindowTexts::tr("Switch"), WindowTexts::tr("Round Robin"), WindowTexts::tr("Mix"),
                              WindowTexts::tr("Fade")});
    }
    m_modeFlag = foot;
    chooseMode(m);

    if (kitShown) {
        const MainWindow1Records::KIT_PAD_SETTING &s = m_doc.kitPadList(k)[pad];
        const MainWindow1Records::KIT_PAD_SETTING &named = m_doc.kitAttrList()[k].kpadChunk[pad];
        m_view.pad.padNoComboBox->setCurrentIndex(pad);
        m_view.pad.waves[0].name->setText(named.soundName0);
        m_view.pad.waves[1].name->setText(named.soundName1);
        m_view.pad.midiChannelComboBox->setCurrentIndex(itemOf(s.midi_channel, 17));
        // A value a label has no word for is shown as its number and kept.
        m_view.pad.extCtrl->setText(s.ext_ctrl == 0 ? kOff : s.ext_ctrl == 1 ? kOn : QString::number(s.ext_ctrl));
        m_view.pad.midiGate->setText(m_tables.searchMidiGate(s.midi_gate));
        m_view.pad.padOutput->setText(QString::number(s.pad_output));
        const quint8 pans[2] = {s.aWavePan, s.bWavePan}, decays[2] = {s.aWaveDecay, s.bWaveDecay};
        for (size_t w = 0; w < 2; ++w) {
            m_view.pad.waves[w].pan->setCurrentIndex(kitediting::panItem(pans[w]));
            m_view.pad.waves[w].decay->setCurrentIndex(decayLabels().indexOf(m_tables.mapKitDecay.key(decays[w])));
        }
        m_view.pad.muteGroup->setCurrentIndex(itemOf(s.mute_group, 10));
        m_view.pad.tempoSync->setText(s.tempo_sync == 0 ? kOff : QString::number(s.tempo_sync));
        if (m == 3)
            m_view.pad.velocity->setEnabled(true);
        // By position: the items are translated. A mode the list lacks shows no item.
        m_view.pad.mode->setCurrentIndex(kitediting::padModeItem(foot, s.mode));
        m_view.pad.velocity->setValue(s.velocity);
        m_view.pad.dynamic->setCurrentIndex(itemOf(s.dynamic, 2));
        m_view.pad.waves[0].volume->setValue(s.aWaveVolume);
        m_view.pad.waves[1].volume->setValue(s.bWaveVolume);
        m_view.pad.waves[0].pitch->setValue(m_tables.searchWavePitchKey(s.aWavePitch));
        m_view.pad.waves[1].pitch->setValue(m_tables.searchWavePitchKey(s.bWavePitch));
        m_view.pad.midiCodeSpinBox->setValue(s.midi_code);
        m_view.pad.loop->setCurrentIndex(itemOf(s.loop, 5));
        m_view.pad.trigType->setCurrentIndex(itemOf(s.trig_mode, 2));
        m_view.pad.polyMono->setCurrentIndex(itemOf(s.poly_mono, 2));
    }
    m_curPadNumber = m_view.pad.padNoComboBox->currentIndex();
    if (kitShown)
        m_padPageShown.remember(k, m_curPadNumber, padPageValues(m_view));
    else
        m_padPageShown.forget();
}

void KitPagesController::savePadSet(int pad)
{
    commitPadPage(m_header.pageKit() - 1, pad);
}

bool KitPagesController::showsAgain(int k, const PageShownAs<kitediting::KitPageShown> &kit,
                                    const PageShown &pad) const
{
    return kit.unchanged(k, -1, shownKitPage(k)) && pad.unchanged(k, m_curPadNumber, padPageValues(m_view));
}

void KitPagesController::commitPadPage(int k, int pad)
{
    if (k < 0 || k >= m_doc.kitAttrList().size() || pad < 0 || pad >= PAD_NUM_MAX)
        return;
    const auto values = padPageValues(m_view);
    if (m_padPageShown.unchanged(k, pad, values))
        return; // nothing edited since the pad was shown or taken: its record stays byte for byte
    MainWindow1Records::KIT_PAD_SETTING s = m_doc.kitAttrList()[k].kpadChunk[pad];

    s.padNo = quint8(pad);
    s.midi_code = quint8(m_view.pad.midiCodeSpinBox->value());
    takeItem(s.midi_channel, m_view.pad.midiChannelComboBox->currentIndex());
    const QString gate = m_view.pad.midiGate->text();
    for (int v = 0; v <= 81; ++v) {
        if (m_tables.mapKitMidiGate[v % 8].value(gate, -1) == v) {
            s.midi_gate = quint8(v);
            break;
        }
    }
    const QString ext = m_view.pad.extCtrl->text();
    if (ext == kOff || ext == kOn)
        s.ext_ctrl = ext == kOn ? 1 : 0;
    s.pad_output = quint8(m_view.pad.padOutput->text().toInt());

    quint8 *const fields[2][4] = {{&s.aWaveVolume, &s.aWavePan, &s.aWavePitch, &s.aWaveDecay},
                                  {&s.bWaveVolume, &s.bWavePan, &s.bWavePitch, &s.bWaveDecay}};
    for (size_t w = 0; w < 2; ++w) {
        const PadWaveView &l = m_view.pad.waves[w];
        *fields[w][0] = quint8(l.volume->value());
        if (l.pan->currentIndex() >= 0)
            *fields[w][1] = kitediting::panValue(l.pan->currentIndex());
        *fields[w][2] = quint8(m_tables.searchWavePitch(qint8(l.pitch->value())));
        const int decay = l.decay->currentIndex();
        if (decay >= 0)
            *fields[w][3] = quint8(m_tables.mapKitDecay.value(decayLabels().value(decay), 0));
    }
    s.aWavePitch_cent = 50;
    s.bWavePitch_cent = 50;
    s.aWaveStartCluster = 0;
    s.bWaveStartCluster = 0;
    s.aWaveLength = 0;
    s.bWaveLength = 0;

    takeItem(s.mute_group, m_view.pad.muteGroup->currentIndex());
    const QString tempo = m_view.pad.tempoSync->text();
    s.tempo_sync = tempo == kOff ? 0 : quint8(tempo.toUInt());
    const int mode = kitediting::padModeValue(m_view.pad.mode->count() == 2, m_view.pad.mode->currentIndex());
    if (mode >= 0)
        s.mode = quint8(mode);
    takeItem(s.loop, m_view.pad.loop->currentIndex());
    takeItem(s.trig_mode, m_view.pad.trigType->currentIndex());
    s.velocity = quint8(m_view.pad.velocity->value());
    takeItem(s.dynamic, m_view.pad.dynamic->currentIndex());
    takeItem(s.poly_mono, m_view.pad.polyMono->currentIndex());

    m_doc.takePadPage(k, pad, s);
    m_padPageShown.remember(k, pad, values); // a value put back by hand is taken too
}

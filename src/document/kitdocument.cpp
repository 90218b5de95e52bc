// The document's global settings, kit chains, kit file model and edit
// baseline, its readers and its signals.
#include "document/kitdocument.h"

#include "kitfile/filewrite.h"
#include "kitfile/modelout.h"
#include "model/kitchain.h"

#include <algorithm>
#include <iterator>

namespace {

// Calls fn(member, chunk field) for the record and loop settings.
template <class Chunk, class Fn>
void forRecordAndLoop(const std::array<quint8 *, 7> &members, Chunk &g, Fn fn)
{
    decltype(&g.rec_level) const fields[7] = {&g.rec_level, &g.auto_state, &g.loop_click, &g.loop_qtz,
                                              &g.loop_meas, &g.loop_meas_index, &g.rec_pad};
    for (int i = 0; i < 7; ++i)
        fn(*members[i], *fields[i]);
}

// A page value that is -1 keeps the field.
void takeKnown(quint8 &field, int value)
{
    if (value >= 0)
        field = quint8(value);
}

// The blocks the page fills; `kept` holds the outputs, the MIDI block and the LED settings packed last.
struct Kept
{
    KitDocument::CLICK_SETTING &click;
    KitDocument::AUDIO_SETTING &audio;
    KitDocument::MIDI_SETTING &midi;
    KitDocument::LCD_LED_CHUNK &lced;
};

void packPageBlocks(const KitDocument::GlobalPage &page, const Kept &d, KitDocument::GlobalChunk &g)
{
    g.click.click_no = page.clickNo;
    g.click.click_startCluster = page.clickCluster;
    g.click.click_waveLength = page.clickLength;
    g.click.beat = page.clickBeat;
    g.click.pan = page.clickPan;
    g.click.volume = page.clickVolume;
    takeKnown(d.click.output, page.clickOutput);
    g.click.click_output = d.click.output;

    g.audio.volume = page.audioVolume;
    g.audio.bt_volume = page.btVolume;
    g.audio.systan_gain = page.systanGain;
    takeKnown(d.audio.output, page.audioOutput);
    g.audio.output = d.audio.output;

    d.midi = page.midi;
    KitDocument::MIDI_SETTING midi = page.midi; // the chunk's reserved bytes stay
    std::copy(std::begin(g.midi.reserved), std::end(g.midi.reserved), midi.reserved);
    g.midi = midi;

    g.lced.lcd_contrast = page.lcdContrast;
    takeKnown(d.lced.led_type, page.ledType);
    g.lced.led_type = d.lced.led_type;
    g.lced.led_logo = page.ledLogo;
    takeKnown(d.lced.tempo_indicate, page.tempoIndicate);
    g.lced.tempo_indicate = d.lced.tempo_indicate;
}

editstep::Place chainPlace(int chain)
{
    return {editstep::Place::Chains, -1, -1, chain};
}

using Scope = editstep::Recorder::Scope;

} // namespace

KitDocument::KitDocument(QObject *parent) : QObject(parent)
{
    m_cf.curFlag = 0;
    m_cf.initFileChunk();
}

// ---- readers ------------------------------------------------------------------------

namespace {
template <class T>
const T &empty()
{
    static const T none{};
    return none;
}
} // namespace

const KitDocument::soundKit &KitDocument::kit(int k) const
{
    return k >= 0 && k < m_kitAttrList.size() ? m_kitAttrList.at(k) : empty<soundKit>();
}

const QVector<KitDocument::KIT_PAD_SETTING> &KitDocument::kitPadList(int k) const
{
    return k >= 0 && k < KIT_MAX_COUNT ? m_kitPadList[k] : empty<QVector<KIT_PAD_SETTING>>();
}

const QVector<KitDocument::KIT_EFFECT> &KitDocument::kitEffectList(int slot, int k) const
{
    return slot >= 0 && slot < 4 && k >= 0 && k < KIT_MAX_COUNT ? m_kitEffectList[slot][k]
                                                                 : empty<QVector<KIT_EFFECT>>();
}

const QVector<KitDocument::LINK_GROUP> &KitDocument::kitLinkList(int k) const
{
    return k >= 0 && k < KIT_MAX_COUNT ? m_kitLinkList[k] : empty<QVector<LINK_GROUP>>();
}

const KitDocument::BaseImage &KitDocument::base0(int k) const
{
    return k >= 0 && k < KIT_MAX_COUNT ? m_base0[k] : empty<BaseImage>();
}

const KitDocument::PedalImage &KitDocument::pedal0(int k) const
{
    return k >= 0 && k < KIT_MAX_COUNT ? m_pedal0[k] : empty<PedalImage>();
}

const KitDocument::PadImage &KitDocument::pad0(int k, int pad) const
{
    return k >= 0 && k < KIT_MAX_COUNT && pad >= 0 && pad < PAD_NUM_MAX ? m_pad0[k][pad] : empty<PadImage>();
}

const KitDocument::M_NEW_MASTER_EFFECT &KitDocument::meffChunk1(int i) const
{
    return i >= 0 && i < MASTER_EFFECT_COUNT ? m_meffChunk1[i] : empty<M_NEW_MASTER_EFFECT>();
}

// ---- signals ---------------------------------------------------------------------------

void KitDocument::changed(int kit)
{
    if (m_batch > 0)
        m_batchChanged = true;
    else
        emit kitChanged(kit);
}

void KitDocument::allChanged()
{
    if (m_batch > 0)
        m_batchChanged = true;
    else
        emit kitsChanged();
}

void KitDocument::endBatch()
{
    if (--m_batch > 0 || !m_batchChanged)
        return;
    m_batchChanged = false;
    emit kitsChanged();
}

// ---- kit chains -------------------------------------------------------------------------

void KitDocument::resetChains()
{
    touchChains();
    m_kitChainList = QVector<KIT_CHAIN>(KIT_CHAIN_ROWS);
    m_originalKitChainList.clear();
    emit chainsChanged();
}

void KitDocument::switchChainOn(int on)
{
    const Scope step(m_recorder, on > 0 ? tr("kit chain %1 ON").arg(on) : tr("kit chains OFF"), QString(),
                     chainPlace(on));
    touchChains();
    kitchain::switchOn(m_kitChainList, on);
    emit chainsChanged();
}

void KitDocument::confirmChains(int on)
{
    // The rows' numbers come with every page left: no edit of the user's, no step of their own.
    for (int i = 0; i < m_kitChainList.size(); ++i)
        m_kitChainList[i].kit_chain_No = quint8(i);
    const Scope step(m_recorder, tr("kit chains"), QString(), chainPlace(on));
    touchChains();
    kitchain::confirm(m_kitChainList, on);
    emit chainsChanged();
}

void KitDocument::clearChain(int c)
{
    const Scope step(m_recorder, tr("steps of kit chain %1 cleared").arg(c), QString(), chainPlace(c));
    touchChains();
    if (c == 0 && !m_kitChainList.isEmpty())
        std::fill(std::begin(m_kitChainList[0].curKitChain[0]), std::end(m_kitChainList[0].curKitChain[0]), 0);
    else
        kitchain::clear(m_kitChainList, c);
    emit chainsChanged();
}

void KitDocument::setChainStep(int c, int step, int kit)
{
    const Scope edit(m_recorder, tr("step %1 of kit chain %2").arg(step + 1).arg(c), QString(), chainPlace(c));
    touchChains();
    if (kitchain::setStep(m_kitChainList, c, step, kit))
        emit chainsChanged();
}

void KitDocument::swapChainKits(int a, int b)
{
    touchChains();
    kitchain::swapKitNumbers(m_kitChainList, a, b);
    emit chainsChanged();
}

void KitDocument::applyChains(const QVector<KIT_CHAIN> &chains)
{
    const Scope step(m_recorder, tr("kit chains"), QString(), chainPlace(-1));
    touchChains();
    kitchain::apply(m_kitChainList, chains);
    emit chainsChanged();
}

int KitDocument::loadChains(KIT_CHAIN &staging, const QVector<KIT_CHAIN> &chains)
{
    touchChains();
    const int on = kitchain::load(m_kitChainList, staging, chains);
    emit chainsChanged();
    return on;
}

void KitDocument::takeChainBlock(const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool asLoaded)
{
    touchChains();
    for (int i = 0; i < rows; ++i) {
        KIT_CHAIN chain;
        chain.kit_chain = i == kc.kit_chain_No ? kc.kit_chain : 0;
        chain.kit_chain_No = quint8(i);
        for (int s = 0; s < STEP_MAX_COUNT; ++s)
            chain.curKitChain[i][s] = kc.kitChain[i][s] == 0xFF ? 0 : kc.kitChain[i][s];
        if (i < m_kitChainList.size())
            m_kitChainList[i] = chain;
        else
            m_kitChainList.append(chain);
        if (asLoaded)
            m_originalKitChainList.append(chain);
    }
    emit chainsChanged();
}

void KitDocument::markChainsLoaded()
{
    touchChains();
    m_originalKitChainList = m_kitChainList;
}

// ---- global settings ---------------------------------------------------------------------

namespace {
// Pad p's trigger settings in a new setup of the old layout.
KitDocument::PAD_FS_TRIG_ATTR oldDefaultTrigger(int p)
{
    KitDocument::PAD_FS_TRIG_ATTR t;
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
    return t;
}
} // namespace

void KitDocument::resetGlobalSettings()
{
    touchGlobal();
    m_curEditEffect = 0;
    m_curEffectOFF = 0;
    for (M_NEW_MASTER_EFFECT &m : m_meffChunk1) {
        m.param1 = m.param2 = m.param3 = 0;
        m.no = 255;
    }
    m_curRecLevel = 60;
    m_curAutoState = 1;
    m_curLoopClick = 1;
    m_curLoopQtz = 1;
    m_curLoopMeas = 1;
    m_curLoopMeasIndex = 0;
    m_curRecPad = 0;
    emit globalChanged();
}

void KitDocument::startPadTriggers()
{
    touchGlobal();
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        if (currentGlobalLayout())
            m_padTrigList1.append(percussionpadfile::defaultTrigger(p));
        else
            m_padTrigList.append(oldDefaultTrigger(p));
    }
    emit globalChanged();
}

void KitDocument::takeGlobalSize(int size)
{
    touchGlobal();
    m_globalSize = size;
    m_restoredGlobalFile.clear();
    emit globalChanged();
}

void KitDocument::takeRestoredGlobalFile(const QByteArray &bytes)
{
    touchGlobal();
    m_restoredGlobalFile = bytes;
    emit globalChanged();
}

std::array<quint8 *, 7> KitDocument::recordAndLoop()
{
    return {&m_curRecLevel, &m_curAutoState,     &m_curLoopClick, &m_curLoopQtz,
            &m_curLoopMeas, &m_curLoopMeasIndex, &m_curRecPad};
}

void KitDocument::setGlobalFileChunk(const GlobalPage &page)
{
    packGlobalSettings(page, m_cf.new_globalChunk);
}

QByteArray KitDocument::globalSettingsBytes(const GlobalPage &page)
{
    GlobalChunk g;
    packGlobalSettings(page, g);
    return percussionpadfile::packGlobalChunk(g);
}

void KitDocument::packGlobalSettings(const GlobalPage &page, GlobalChunk &g)
{
    touchGlobal();
    g.editing_effect = m_curEditEffect;
    g.effect_off = m_curEffectOFF;
    std::copy(m_meffChunk1, m_meffChunk1 + MASTER_EFFECT_COUNT, g.effect);
    packPageBlocks(page, {m_clckChunk, m_audoChunk, m_midiChunk, m_lcedChunk}, g);

    // Kit chains: the last chain switched on names the active one.
    g.kc.kit_chain = 0;
    g.kc.kit_chain_No = 0;
    for (int i = 0; i < m_kitChainList.size() && i < KIT_CHAIN_ROWS; ++i) {
        const KIT_CHAIN &chain = m_kitChainList[i];
        for (int s = 0; s < STEP_MAX_COUNT; ++s)
            g.kc.kitChain[i][s] = chain.curKitChain[i][s];
        if (chain.kit_chain == 1)
            g.kc.kit_chain = g.kc.kit_chain_No = chain.kit_chain_No;
    }

    for (int i = 0; i < m_padTrigList1.size() && i < PAD_NUM_MAX; ++i)
        g.pfta[i] = m_padTrigList1[i];

    forRecordAndLoop(recordAndLoop(), g, [](quint8 &member, quint8 &field) { field = member; });
}

void KitDocument::takeGlobalSettings(const GlobalChunk &g)
{
    touchGlobal();
    m_curEditEffect = g.editing_effect;
    m_curEffectOFF = g.effect_off;
    std::copy(g.effect, g.effect + MASTER_EFFECT_COUNT, m_meffChunk1);
    for (int i = 0; i < PAD_NUM_MAX && i < m_padTrigList1.size(); ++i)
        m_padTrigList1[i] = g.pfta[i];
    forRecordAndLoop(recordAndLoop(), g, [](quint8 &member, const quint8 &field) { member = field; });
    emit globalChanged();
}

void KitDocument::takeOldTriggers(const percussionpadfile::P_PAD_FS_TRIG_ATTR (&pfta)[PAD_NUM_MAX])
{
    touchGlobal();
    m_padTrigList = QVector<PAD_FS_TRIG_ATTR>(pfta, pfta + PAD_NUM_MAX);
    m_padTrigList1.resize(PAD_NUM_MAX);
    for (int i = 0; i < PAD_NUM_MAX; ++i) {
        const PAD_FS_TRIG_ATTR &f = pfta[i];
        M_PAD_FS_TRIG_ATTR &n = m_padTrigList1[i];
        n = percussionpadfile::defaultTrigger(i);
        n.sensivity = f.sensibility;
        n.curve = f.curve;
        n.mask_time = f.mask_time;
        n.anti_cross = f.anti_cross;
        n.rim_gain = f.threshold;
    }
    emit globalChanged();
}

// ---- the kit file model ----------------------------------------------------------------------

void KitDocument::beginFile(int kind)
{
    m_cf.curFlag = kind;
    m_cf.initFileChunk();
}

void KitDocument::useImages()
{
    m_cf.kitChunk.baseChunk = m_base0;
    m_cf.kitChunk.pedalChunk = m_pedal0;
    m_cf.kitChunk.kpadChunk = m_pad0;
    m_cf.soundChunk.soundIndex = m_sound0.data();
}

std::shared_ptr<setupfiles::OwnedModel> KitDocument::wholeSetupImage()
{
    useImages();
    return std::make_shared<setupfiles::OwnedModel>(m_cf);
}

bool KitDocument::setAllFileChunk(const SaveSounds &sounds, quint16 version, bool backup)
{
    useImages();
    // The save packs each record into its image and numbers its slots.
    setupfiles::fillWholeSetupKits(m_cf, m_kitAttrList, m_kitIndexList, sounds.waves, version, backup);
    return setupfiles::fillWholeSetupSounds(m_cf, sounds.clicks, sounds.clickWaves, sounds.waves, sounds.waveList,
                                            sounds.kitOrder);
}

void KitDocument::setKitIniFileChunk(int kit, const QVector<SOUND_INDEX> &waves,
                                     const QVector<SOUND_LIST_INFO> &waveList)
{
    if (!hasKit(kit))
        return;
    useImages();
    setupfiles::fillSingleKit(m_cf, kit, m_kitAttrList.at(kit), waves);
    setupfiles::fillKitFileSounds(m_cf, waves, waveList);
}

bool KitDocument::layOutFile()
{
    return m_cf.calculateChunkSize();
}

bool KitDocument::writeFile(QFile &file, int kit, QString *unwritten)
{
    return setupfiles::writeKitFile(m_cf, file, kit, unwritten);
}

void KitDocument::writeGlobalFile(QFile *file, const GlobalPage &page)
{
    beginFile(1);
    setGlobalFileChunk(page);
    m_cf.calculateGlobalChunkSize1();
    m_cf.writeGlobalChunk(file);
}

// ---- edit baseline -----------------------------------------------------------------------------

void KitDocument::markAllSaved(const GlobalPage &page)
{
    m_savedState.setKits(m_kitAttrList);
    markGlobalSaved(page);
}

void KitDocument::markKitSaved(int kit)
{
    if (kit >= 0 && kit < m_kitAttrList.size())
        m_savedState.setKit(kit, m_kitAttrList.at(kit));
}

void KitDocument::markGlobalSaved(const GlobalPage &page)
{
    m_savedState.setGlobal(globalSettingsBytes(page));
}

void KitDocument::markChainsSaved(const GlobalPage &page)
{
    m_savedState.setGlobalChains(globalSettingsBytes(page));
}

void KitDocument::markRestoredGlobalSaved(const GlobalPage &page)
{
    if (m_restoredGlobalFile.isEmpty())
        return;
    m_savedState.setGlobal(m_restoredGlobalFile);
    m_savedState.setGlobalChains(globalSettingsBytes(page));
}

bool KitDocument::differsFromSaved(const GlobalPage &page)
{
    return m_savedState.differs(m_kitAttrList, globalSettingsBytes(page));
}

kitcopy::KitStore KitDocument::kitStore()
{
    kitcopy::KitStore s;
    s.kits = &m_kitAttrList;
    s.padLists = m_kitPadList;
    s.links = m_kitLinkList;
    for (int e = 0; e < 4; ++e)
        s.effects[e] = m_kitEffectList[e];
    s.base = m_base0;
    s.pedal = m_pedal0;
    s.pads = m_pad0;
    return s;
}

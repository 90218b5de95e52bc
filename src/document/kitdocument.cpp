// The document's global settings, its kit file model and its edit baseline.
#include "document/kitdocument.h"

#include "kitfile/modelout.h"

namespace {

// Field by field between the document's records and the chunk's, either way.
template <class From, class To>
void copyEffect(const From &f, To &t)
{
    t.param1 = f.param1;
    t.param2 = f.param2;
    t.param3 = f.param3;
    t.no = f.no;
}

template <class From, class To>
void copyTrigger(const From &f, To &t)
{
    t.type = f.type;
    t.sensivity = f.sensivity;
    t.curve = f.curve;
    t.mask_time = f.mask_time;
    t.retrig_level = f.retrig_level;
    t.anti_cross = f.anti_cross;
    t.rim_gain = f.rim_gain;
    t.dynamic_range = f.dynamic_range;
}

// Calls fn(member, chunk field) for the record and loop settings.
template <class Doc, class Chunk, class Fn>
void forRecordAndLoop(Doc &d, Chunk &g, Fn fn)
{
    fn(d.curRecLevel, g.rec_level);
    fn(d.curAutoState, g.auto_state);
    fn(d.curLoopClick, g.loop_click);
    fn(d.curLoopQtz, g.loop_qtz);
    fn(d.curLoopMeas, g.loop_meas);
    fn(d.curLoopMeasIndex, g.loop_meas_index);
    fn(d.curRecPad, g.rec_pad);
}

// A page value that is -1 keeps the field.
void takeKnown(quint8 &field, int value)
{
    if (value >= 0)
        field = quint8(value);
}

void packPageBlocks(const KitDocument::GlobalPage &page, KitDocument &d, KitDocument::GlobalChunk &g)
{
    g.click.click_no = page.clickNo;
    g.click.click_startCluster = page.clickCluster;
    g.click.click_waveLength = page.clickLength;
    g.click.beat = page.clickBeat;
    g.click.pan = page.clickPan;
    g.click.volume = page.clickVolume;
    takeKnown(d.clckChunk.output, page.clickOutput);
    g.click.click_output = d.clckChunk.output;

    g.audio.volume = page.audioVolume;
    g.audio.bt_volume = page.btVolume;
    g.audio.systan_gain = page.systanGain;
    takeKnown(d.audoChunk.output, page.audioOutput);
    g.audio.output = d.audoChunk.output;

    g.midi.global_ch = page.midi.global_ch;
    g.midi.ext_ctrl = page.midi.ext_ctrl;
    g.midi.midi_sync = page.midi.midi_sync;
    g.midi.soft_thru = page.midi.soft_thru;
    g.midi.pc_sw = page.midi.pc_sw;
    g.midi.cc_sw = page.midi.cc_sw;
    g.midi.fx_ctrl1_cc = page.midi.fx_ctrl1_cc;
    g.midi.fx_ctrl2_cc = page.midi.fx_ctrl2_cc;

    g.lced.lcd_contrast = page.lcdContrast;
    takeKnown(d.lcedChunk.led_type, page.ledType);
    g.lced.led_type = d.lcedChunk.led_type;
    g.lced.led_logo = page.ledLogo;
    takeKnown(d.lcedChunk.tempo_indicate, page.tempoIndicate);
    g.lced.tempo_indicate = d.lcedChunk.tempo_indicate;
}

} // namespace

KitDocument::M_PAD_FS_TRIG_ATTR KitDocument::defaultPadTrigger(int p)
{
    M_PAD_FS_TRIG_ATTR t;
    const bool foot = p >= 17;
    t.type = 0;
    t.sensivity = foot ? 50 : 15;
    t.curve = 0;
    t.mask_time = 15;
    t.retrig_level = foot ? 10 : 5;
    t.anti_cross = 5;
    t.rim_gain = 15;
    t.dynamic_range = 5;
    return t;
}

void KitDocument::setGlobalFileChunk(const GlobalPage &page)
{
    packGlobalSettings(page, cf.new_globalChunk);
}

QByteArray KitDocument::globalSettingsBytes(const GlobalPage &page)
{
    GlobalChunk g;
    packGlobalSettings(page, g);
    return percussionpadfile::packGlobalChunk(g);
}

void KitDocument::packGlobalSettings(const GlobalPage &page, GlobalChunk &g)
{
    g.editing_effect = curEditEffect;
    g.effect_off = curEffectOFF;
    for (int i = 0; i < MASTER_EFFECT_COUNT; ++i)
        copyEffect(meffChunk1[i], g.effect[i]);
    packPageBlocks(page, *this, g);

    // Kit chains: the last chain switched on names the active one.
    g.kc.kit_chain = 0;
    g.kc.kit_chain_No = 0;
    for (int i = 0; i < kitChainList.size() && i < KIT_CHAIN_ROWS; ++i) {
        const KIT_CHAIN &chain = kitChainList[i];
        for (int s = 0; s < STEP_MAX_COUNT; ++s)
            g.kc.kitChain[i][s] = chain.curKitChain[i][s];
        if (chain.kit_chain == 1)
            g.kc.kit_chain = g.kc.kit_chain_No = chain.kit_chain_No;
    }

    for (int i = 0; i < padTrigList1.size() && i < PAD_NUM_MAX; ++i)
        copyTrigger(padTrigList1[i], g.pfta[i]);

    forRecordAndLoop(*this, g, [](quint8 &member, quint8 &field) { field = member; });
}

void KitDocument::takeGlobalSettings(const GlobalChunk &g)
{
    curEditEffect = g.editing_effect;
    curEffectOFF = g.effect_off;
    for (int i = 0; i < MASTER_EFFECT_COUNT; ++i)
        copyEffect(g.effect[i], meffChunk1[i]);
    for (int i = 0; i < PAD_NUM_MAX && i < padTrigList1.size(); ++i) {
        copyTrigger(g.pfta[i], curPad1[i]);
        padTrigList1[i] = curPad1[i];
    }
    forRecordAndLoop(*this, g, [](quint8 &member, const quint8 &field) { member = field; });
}

bool KitDocument::setAllFileChunk(const SaveSounds &sounds, quint16 version, bool backup)
{
    cf.kitChunk.baseChunk = base0;
    cf.kitChunk.pedalChunk = pedal0;
    cf.kitChunk.kpadChunk = pad0;
    cf.soundChunk.soundIndex = sound0.data();
    setupfiles::fillWholeSetupKits(cf, kitAttrList, kitIndexList, sounds.waves, version, backup);
    return setupfiles::fillWholeSetupSounds(cf, sounds.clicks, sounds.clickWaves, sounds.waves, sounds.waveList,
                                            sounds.kitOrder);
}

void KitDocument::setKitIniFileChunk(int kit, const QVector<SOUND_INDEX> &waves,
                                     const QVector<SOUND_LIST_INFO> &waveList)
{
    if (kit < 0 || kit >= KIT_MAX_COUNT || kit >= kitAttrList.size())
        return;
    cf.kitChunk.baseChunk = base0;
    cf.kitChunk.pedalChunk = pedal0;
    cf.kitChunk.kpadChunk = pad0;
    cf.soundChunk.soundIndex = sound0.data();
    setupfiles::fillSingleKit(cf, kit, kitAttrList.at(kit), waves);
    setupfiles::fillKitFileSounds(cf, waves, waveList);
}

void KitDocument::markAllSaved(const GlobalPage &page)
{
    savedState.setKits(kitAttrList);
    markGlobalSaved(page);
}

void KitDocument::markKitSaved(int kit)
{
    if (kit >= 0 && kit < kitAttrList.size())
        savedState.setKit(kit, kitAttrList.at(kit));
}

void KitDocument::markGlobalSaved(const GlobalPage &page)
{
    savedState.setGlobal(globalSettingsBytes(page));
}

bool KitDocument::differsFromSaved(const GlobalPage &page)
{
    return savedState.differs(kitAttrList, globalSettingsBytes(page));
}

kitcopy::KitStore KitDocument::kitStore()
{
    kitcopy::KitStore s;
    s.kits = &kitAttrList;
    s.padLists = kitPadList;
    s.links = kitLinkList;
    s.effects[0] = kitEffectList1;
    s.effects[1] = kitEffectList2;
    s.effects[2] = kitEffectList3;
    s.effects[3] = kitEffectList4;
    s.base = base0;
    s.pedal = pedal0;
    s.pads = pad0;
    return s;
}

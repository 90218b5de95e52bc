#include "kitfile/kitsin.h"

#include "model/kitrecordmap.h"
#include "model/namerules.h"
#include "kitfile/kitslots.h"
#include "kitfile/soundsource.h"

#include <algorithm>
#include <cstring>

namespace setupfiles {

namespace {

// The writers store effect number 4 as 10 (a single-kit file only for the
// active effect); reading turns such a 10 back into 4, so that a kit saved
// and loaded again is saved with the same bytes. 0xFF and any other 10 read as 0.
quint8 effectNumber(quint8 stored, bool storedAs10)
{
    if (stored == 10)
        return storedAs10 ? quint8(4) : quint8(0);
    return stored == 0xFF ? quint8(0) : stored;
}

template <class Found>
void resolveSlots(Records::soundKit &kit, Found found)
{
    forEachSoundSlot(kit, [&found](auto slot) {
        const Records::SOUND_INDEX *s = slot.no == NO_WAVE ? nullptr : found(slot.no);
        if (!s) {
            slot.no = NO_WAVE;
            slot.file.clear();
            slot.name.clear();
            return;
        }
        slot.no = s->wave_No;
        slot.name = percussionpadfile::charArray2String(s->wave_name, SOUND_NAME_LENGTH_MAX);
        slot.file = s->file;
    });
}

} // namespace

LoadedKit kitFromFile(const percussionpadfile &pf, int k, int kitNumber, bool wholeSetup)
{
    LoadedKit out;
    Records::soundKit &kit = out.kit;
    const percussionpadfile::P_KIT_BASE_PARA &b = pf.kitChunk.baseChunk[k];
    const percussionpadfile::P_PEDAL_SETTING &h = pf.kitChunk.pedalChunk[k];

    // The field map of the record carries every field across unchanged.
    uchar rec[KIT_RECORD_SIZE] = {};
    kitrecord::packKitBase(rec, b);
    kitrecord::unpackKitBase(rec, kit);
    std::memset(kit.reserved, 0, sizeof kit.reserved);
    kitrecord::packKitPedal(rec + KIT_BASE_SIZE, h);
    kitrecord::unpackKitPedal(rec + KIT_BASE_SIZE, kit.pedalChunk);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        uchar *at = rec + kitrecord::padOffset(p);
        kitrecord::packKitPad(at, pf.kitChunk.kpadChunk[k][p]);
        kitrecord::unpackKitPad(at, kit.kpadChunk[p]);
    }

    kit.effect1_no = effectNumber(kit.effect1_no, wholeSetup);
    kit.effect2_no = effectNumber(kit.effect2_no, wholeSetup);
    kit.effect3_no = effectNumber(kit.effect3_no, wholeSetup);
    kit.pedalChunk.active_no = effectNumber(kit.pedalChunk.active_no, true);

    out.name.stored = percussionpadfile::charArray2String(b.kit_name, KIT_NAME_FIELD);
    out.name.name = namerules::fitKitName(out.name.stored, kitNumber,
                                          &out.name.cut, &out.name.replaced);
    kit.kit_name = out.name.name;
    out.kitIndexByte = b.reserved[0];

    out.effects[0] = {kit.effect1_ctrl1, kit.effect1_ctrl2, kit.effect1_ctrl3};
    out.effects[1] = {kit.effect2_ctrl1, kit.effect2_ctrl2, kit.effect2_ctrl3};
    out.effects[2] = {kit.effect3_ctrl1, kit.effect3_ctrl2, kit.effect3_ctrl3};
    const Records::PEDAL_SETTING &ph = kit.pedalChunk;
    out.effects[3] = {ph.active_effectCtrl1, ph.active_effectCtrl2, ph.active_effectCtrl3};
    out.effectTypes[0] = kit.kit_effect1;
    out.effectTypes[1] = kit.kit_effect2;
    out.effectTypes[2] = kit.kit_effect3;
    out.effectTypes[3] = ph.active_fx;

    out.links[0] = {kit.pad_link1, kit.pad_link2};
    out.links[1] = {ph.pad_link2_1, ph.pad_link2_2};
    out.links[2] = {ph.pad_link3_1, ph.pad_link3_2};
    out.links[3] = {ph.pad_link4_1, ph.pad_link4_2};
    out.links[4] = {ph.pad_link5_1, ph.pad_link5_2};

    out.imaged = true;
    out.base = b;
    out.pedal = h;
    std::copy(pf.kitChunk.kpadChunk[k], pf.kitChunk.kpadChunk[k] + PAD_NUM_MAX, out.pads);
    return out;
}

QHash<quint16, int> lastByNumber(const QVector<Records::SOUND_INDEX> &sounds)
{
    QHash<quint16, int> h;
    h.reserve(sounds.size());
    for (int i = 0; i < sounds.size(); ++i)
        h.insert(sounds.at(i).wave_No, i);
    return h;
}

QHash<QString, int> lastByFile(const QVector<Records::SOUND_INDEX> &sounds)
{
    QHash<QString, int> h;
    h.reserve(sounds.size());
    for (int i = 0; i < sounds.size(); ++i)
        h.insert(sounds.at(i).file, i);
    return h;
}

void resolveByNumber(Records::soundKit &kit, const QVector<Records::SOUND_INDEX> &waves,
                     const QHash<quint16, int> &byNumber)
{
    resolveSlots(kit, [&](quint16 no) -> const Records::SOUND_INDEX * {
        const int i = byNumber.value(no, -1);
        return i < 0 ? nullptr : &waves.at(i);
    });
}

void resolveByPath(Records::soundKit &kit, const QString &file, const QVector<Records::SOUND_INDEX> &library,
                   const QHash<QString, int> &byFile)
{
    resolveSlots(kit, [&](quint16 no) -> const Records::SOUND_INDEX * {
        const int i = byFile.value(storedSource(file, no), -1);
        return i < 0 ? nullptr : &library.at(i);
    });
}

} // namespace setupfiles

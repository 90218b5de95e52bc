#include "model/kitcopy.h"

#include <utility>

namespace kitcopy {
namespace {
bool valid(const KitStore &s, int kit)
{
    return s.kits && kit >= 0 && kit < s.kits->size() && kit < KIT_MAX_COUNT;
}

void padListFromRecord(const KitStore &s, int kit)
{
    QVector<Records::KIT_PAD_SETTING> &list = s.padLists[kit];
    list.resize(PAD_NUM_MAX);
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        list[p] = (*s.kits)[kit].kpadChunk[p];
}

// op(part of kit a, the same part of kit b) for everything kept per kit but the pad lists.
template <class Op>
void forEachPart(const KitStore &s, int a, int b, Op op)
{
    op((*s.kits)[a], (*s.kits)[b]);
    if (s.links)
        op(s.links[a], s.links[b]);
    for (QVector<Records::KIT_EFFECT> *memory : s.effects) {
        if (memory)
            op(memory[a], memory[b]);
    }
    if (s.base)
        op(s.base[a], s.base[b]);
    if (s.pedal)
        op(s.pedal[a], s.pedal[b]);
    for (int p = 0; s.pads && p < PAD_NUM_MAX; ++p)
        op(s.pads[a][p], s.pads[b][p]);
}

// Kit `kit` takes its own kit number, and its pad list from its record.
void renumber(const KitStore &s, int kit)
{
    (*s.kits)[kit].kit_no = quint8(kit);
    if (s.base)
        s.base[kit].kit_no = quint8(kit);
    padListFromRecord(s, kit);
}
} // namespace

PadMenu padMenu(int pad, bool layerHasSound)
{
    PadMenu m;
    m.copy = pad >= 0 && pad < NORMAL_PAD_NUM;
    m.clear = pad >= 0 && pad < PAD_NUM_MAX && layerHasSound;
    return m;
}

void clearLayer(Records::KIT_PAD_SETTING &pad, int layer)
{
    if (layer == 0) {
        pad.soundFile0.clear();
        pad.soundName0.clear();
        pad.aWaveNo = NO_WAVE;
    } else if (layer == 1) {
        pad.soundFile1.clear();
        pad.soundName1.clear();
        pad.bWaveNo = NO_WAVE;
    }
}

void copyPad(Records::soundKit &kit, QVector<Records::KIT_PAD_SETTING> &padList, int src, int dst)
{
    if (src < 0 || src >= PAD_NUM_MAX || dst < 0 || dst >= PAD_NUM_MAX)
        return;
    const quint8 padNo = kit.kpadChunk[dst].padNo;
    kit.kpadChunk[dst] = kit.kpadChunk[src];
    kit.kpadChunk[dst].padNo = padNo;
    if (padList.size() < PAD_NUM_MAX)
        padList.resize(PAD_NUM_MAX);
    padList[dst] = kit.kpadChunk[dst];
}

void copyKit(const KitStore &s, int src, int dst)
{
    if (!valid(s, src) || !valid(s, dst) || src == dst)
        return;
    forEachPart(s, src, dst, [](auto &from, auto &to) { to = from; });
    renumber(s, dst);
}

void swapKits(const KitStore &s, int a, int b)
{
    if (!valid(s, a) || !valid(s, b) || a == b)
        return;
    forEachPart(s, a, b, [](auto &x, auto &y) { std::swap(x, y); });
    renumber(s, a);
    renumber(s, b);
}

} // namespace kitcopy

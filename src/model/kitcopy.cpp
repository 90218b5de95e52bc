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
    (*s.kits)[dst] = (*s.kits)[src];
    (*s.kits)[dst].kit_no = quint8(dst);
    padListFromRecord(s, dst);
    if (s.links)
        s.links[dst] = s.links[src];
    for (QVector<Records::KIT_EFFECT> *memory : s.effects) {
        if (memory)
            memory[dst] = memory[src];
    }
    if (s.base) {
        s.base[dst] = s.base[src];
        s.base[dst].kit_no = quint8(dst);
    }
    if (s.pedal)
        s.pedal[dst] = s.pedal[src];
    if (s.pads) {
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            s.pads[dst][p] = s.pads[src][p];
    }
}

void swapKits(const KitStore &s, int a, int b)
{
    if (!valid(s, a) || !valid(s, b) || a == b)
        return;
    std::swap((*s.kits)[a], (*s.kits)[b]);
    (*s.kits)[a].kit_no = quint8(a);
    (*s.kits)[b].kit_no = quint8(b);
    padListFromRecord(s, a);
    padListFromRecord(s, b);
    if (s.links)
        std::swap(s.links[a], s.links[b]);
    for (QVector<Records::KIT_EFFECT> *memory : s.effects) {
        if (memory)
            std::swap(memory[a], memory[b]);
    }
    if (s.base) {
        std::swap(s.base[a], s.base[b]);
        s.base[a].kit_no = quint8(a);
        s.base[b].kit_no = quint8(b);
    }
    if (s.pedal)
        std::swap(s.pedal[a], s.pedal[b]);
    if (s.pads) {
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            std::swap(s.pads[a][p], s.pads[b][p]);
    }
}

} // namespace kitcopy

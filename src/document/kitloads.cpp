// Kits read from a kit file or a whole setup into the document.
#include "document/kitdocument.h"

void KitDocument::takeLoadedKit(int k, const setupfiles::LoadedKit &lk)
{
    if (k < 0 || k >= KIT_MAX_COUNT)
        return;
    curKitAttr[k] = lk.kit;
    QVector<KIT_EFFECT> *memories[4] = {&kitEffectList1[k], &kitEffectList2[k], &kitEffectList3[k],
                                        &kitEffectList4[k]};
    for (int e = 0; e < 4; ++e) {
        // A type beyond the memories keeps its byte in the kit and has no entry.
        if (lk.effectTypes[e] < memories[e]->size())
            (*memories[e])[lk.effectTypes[e]] = lk.effects[e];
    }
    QVector<LINK_GROUP> &links = kitLinkList[k];
    if (links.size() < 5)
        links.resize(5);
    for (int g = 0; g < 5; ++g)
        links[g] = lk.links[g];
    auto put = [k](auto &list, const auto &value) {
        if (k < list.size())
            list[k] = value;
        else
            list.append(value);
    };
    put(kitIndexList, lk.kitIndexByte);
    kitPadList[k] = QVector<KIT_PAD_SETTING>(lk.kit.kpadChunk, lk.kit.kpadChunk + PAD_NUM_MAX);
    put(kitAttrList, lk.kit);
    if (k < kitNameList.size())
        kitNameList[k] = lk.kit.kit_name;
    if (k < kitChainNameList.size())
        kitChainNameList[k] = lk.kit.kit_name;

    const int n = k + 1;
    if (lk.name.cut)
        kitMaxList.append(n);
    if (lk.name.replaced && !kitMaxList.contains(n))
        kitMaxList.append(n);
}

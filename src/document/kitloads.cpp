// The kits a start makes and a load reads into the document, and what the
// close on the pad takes back.
#include "document/kitdocument.h"

#include <algorithm>

namespace {

// Element k of `list` takes `value`; a list that ends before k gets it appended.
template <class List, class T>
void setOrAppend(List &list, int k, const T &value)
{
    if (k < list.size())
        list[k] = value;
    else
        list.append(value);
}

} // namespace

void KitDocument::rememberKit(int k, const soundKit &kit)
{
    auto remember = [](QVector<KIT_EFFECT> &list, quint8 type, quint16 c1, quint16 c2, quint16 c3) {
        // A type beyond the memories is kept in the kit only.
        if (type < list.size())
            list[type] = KIT_EFFECT{c1, c2, c3};
    };
    const PEDAL_SETTING &h = kit.pedalChunk;
    remember(m_kitEffectList[0][k], kit.kit_effect1, kit.effect1_ctrl1, kit.effect1_ctrl2, kit.effect1_ctrl3);
    remember(m_kitEffectList[1][k], kit.kit_effect2, kit.effect2_ctrl1, kit.effect2_ctrl2, kit.effect2_ctrl3);
    remember(m_kitEffectList[2][k], kit.kit_effect3, kit.effect3_ctrl1, kit.effect3_ctrl2, kit.effect3_ctrl3);
    remember(m_kitEffectList[3][k], h.active_fx, h.active_effectCtrl1, h.active_effectCtrl2, h.active_effectCtrl3);
    m_kitLinkList[k] = {LINK_GROUP{kit.pad_link1, kit.pad_link2}, LINK_GROUP{h.pad_link2_1, h.pad_link2_2},
                        LINK_GROUP{h.pad_link3_1, h.pad_link3_2}, LINK_GROUP{h.pad_link4_1, h.pad_link4_2},
                        LINK_GROUP{h.pad_link5_1, h.pad_link5_2}};
}

void KitDocument::startKits(const QVector<soundKit> &kits, const QVector<KIT_EFFECT> &effects)
{
    touchAllKits();
    m_kitAttrList.clear();
    m_kitNameList.clear();
    m_kitIndexList.clear();
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.size(); ++k) {
        const soundKit &kit = kits.at(k);
        m_curKitAttr[k] = kit;
        if (!effects.isEmpty()) {
            for (QVector<KIT_EFFECT> *memory :
                 {&m_kitEffectList[0][k], &m_kitEffectList[1][k], &m_kitEffectList[2][k], &m_kitEffectList[3][k]})
                *memory = effects;
        }
        m_kitLinkList[k] = QVector<LINK_GROUP>(5);
        m_kitNameList.append(kit.kit_name);
        m_kitIndexList.append(kit.reserved[0]);
        m_kitPadList[k] = QVector<KIT_PAD_SETTING>(kit.kpadChunk, kit.kpadChunk + PAD_NUM_MAX);
        m_kitAttrList.append(kit);
        writeImages(k);
    }
    allChanged();
}

void KitDocument::clearKits()
{
    touchAllKits();
    m_kitAttrList.clear();
    m_kitIndexList.clear();
    m_kitMaxList.clear();
    for (QVector<KIT_PAD_SETTING> &pads : m_kitPadList)
        pads.clear();
    allChanged();
}

void KitDocument::clearKitRenames()
{
    m_kitMaxList.clear();
}

void KitDocument::takeLoadedKit(int k, const setupfiles::LoadedKit &lk)
{
    if (k < 0 || k >= KIT_MAX_COUNT)
        return;
    touchKit(k);
    m_curKitAttr[k] = lk.kit;
    for (int e = 0; e < 4; ++e) {
        // A type beyond the memories keeps its byte in the kit and has no entry.
        if (lk.effectTypes[e] < m_kitEffectList[e][k].size())
            m_kitEffectList[e][k][lk.effectTypes[e]] = lk.effects[e];
    }
    QVector<LINK_GROUP> &links = m_kitLinkList[k];
    if (links.size() < 5)
        links.resize(5);
    for (int g = 0; g < 5; ++g)
        links[g] = lk.links[g];
    setOrAppend(m_kitIndexList, k, lk.kitIndexByte);
    m_kitPadList[k] = QVector<KIT_PAD_SETTING>(lk.kit.kpadChunk, lk.kit.kpadChunk + PAD_NUM_MAX);
    setOrAppend(m_kitAttrList, k, lk.kit);
    if (k < m_kitNameList.size())
        m_kitNameList[k] = lk.kit.kit_name;

    if (k < m_kitAttrList.size()) {
        if (lk.imaged) {
            // The image as read, under the name the kit took.
            m_base0[k] = lk.base;
            m_pedal0[k] = lk.pedal;
            std::copy(lk.pads, lk.pads + PAD_NUM_MAX, m_pad0[k]);
            writeImageName(k);
        } else {
            writeImages(k);
        }
    }

    const int n = k + 1;
    if (lk.name.cut)
        m_kitMaxList.append(n);
    if (lk.name.replaced && !m_kitMaxList.contains(n))
        m_kitMaxList.append(n);
    changed(k);
}

void KitDocument::takePadKits(const PadKitsRead &read)
{
    touchAllKits();
    m_kitAttrList.clear();
    m_originalKitAttrList.clear();
    for (int k = 0; k < KIT_MAX_COUNT && k < read.kits.size(); ++k) {
        const soundKit &kit = read.kits.at(k);
        m_curKitAttr[k] = kit;
        setOrAppend(m_kitIndexList, k, read.kitIndex.value(k));
        setOrAppend(m_kitNameList, k, kit.kit_name);
        m_kitPadList[k] = QVector<KIT_PAD_SETTING>(kit.kpadChunk, kit.kpadChunk + PAD_NUM_MAX);
        rememberKit(k, kit);
        m_kitAttrList.append(kit);
        m_originalKitAttrList.append(kit);
        if (read.nameAdjusted.value(k) && k < m_kitNumFlagList1.size())
            m_kitNumFlagList1[k] = 1;
        if (read.base && read.pedal && read.pads) {
            m_base0[k] = read.base[k];
            m_pedal0[k] = read.pedal[k];
            std::copy(read.pads[k], read.pads[k] + PAD_NUM_MAX, m_pad0[k]);
            writeImageName(k);
        } else {
            writeImages(k);
        }
    }
    m_kitMaxList = read.renamedKits;
    allChanged();
}

void KitDocument::restorePadKits(const QVector<soundKit> &kits, const QVector<int> &kitIndex)
{
    touchAllKits();
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.size() && k < m_kitAttrList.size(); ++k) {
        const soundKit &kit = kits.at(k);
        m_kitAttrList[k] = kit;
        m_kitPadList[k] = QVector<KIT_PAD_SETTING>(kit.kpadChunk, kit.kpadChunk + PAD_NUM_MAX);
        if (k < m_kitNameList.size())
            m_kitNameList[k] = kit.kit_name;
        if (k < m_kitIndexList.size() && k < kitIndex.size())
            m_kitIndexList[k] = kitIndex.at(k);
        rememberKit(k, kit);
        writeImages(k);
    }
    allChanged();
}

KitDocument::PadClose KitDocument::padClose() const
{
    return PadClose{m_kitAttrList, m_kitNumFlagList, m_kitMarkList, m_kitChangedFlag, m_globalFlag};
}

void KitDocument::takePadClose(const PadClose &close)
{
    touchAllKits();
    const QVector<QByteArray> before = snapshots();
    for (int k = 0; k < close.kits.size() && k < m_kitAttrList.size(); ++k)
        m_kitAttrList[k] = close.kits.at(k);
    m_kitNumFlagList = close.kitFlags;
    m_kitMarkList = close.kitMarks;
    m_kitChangedFlag = close.kitChangedFlag;
    m_globalFlag = close.globalFlag;
    kitsEdited(before);
}

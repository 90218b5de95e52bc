// The edits a user makes to the kits, each ending with the kit's file images
// made again from its record and pad list.
#include "document/kitdocument.h"

#include "model/kitrecordmap.h"

namespace {

bool hasPad(int pad)
{
    return pad >= 0 && pad < PAD_NUM_MAX;
}

// The pad list holds every pad, so that it can mirror the record.
void fullPadList(QVector<KitDocument::KIT_PAD_SETTING> &pads)
{
    if (pads.size() < PAD_NUM_MAX)
        pads.resize(PAD_NUM_MAX);
}

} // namespace

void KitDocument::writeImages(int kit)
{
    kitediting::writeKitImages(kit, kitAttrList[kit], kitPadList[kit], {&base0[kit], &pedal0[kit], pad0[kit]});
}

void KitDocument::renameKit(int kit, const QString &name)
{
    if (!hasKit(kit))
        return;
    kitAttrList[kit].kit_name = name;
    if (kit < kitNameList.size())
        kitNameList[kit] = name;
    if (kit < kitChainNameList.size())
        kitChainNameList[kit] = name;
    writeImages(kit);
}

void KitDocument::setPadSound(int kit, int pad, int layer, const QString &name, const QString &file)
{
    if (!hasKit(kit) || !hasPad(pad) || (layer != 0 && layer != 1))
        return;
    KIT_PAD_SETTING &r = kitAttrList[kit].kpadChunk[pad];
    (layer == 0 ? r.soundName0 : r.soundName1) = name;
    (layer == 0 ? r.soundFile0 : r.soundFile1) = file;
    fullPadList(kitPadList[kit]);
    kitPadList[kit][pad] = r;
    writeImages(kit);
}

void KitDocument::setHiHatSound(int kit, int slot, const QString &name, const QString &file, int number)
{
    if (!hasKit(kit) || slot < 0 || slot >= HH_NUM_MAX)
        return;
    PEDAL_SETTING &h = kitAttrList[kit].pedalChunk;
    QString *const names[HH_NUM_MAX] = {&h.hh_wave1_name, &h.hh_wave2_name, &h.hh_wave3_name, &h.hh_wave4_name,
                                        &h.hh_wave5_name};
    QString *const files[HH_NUM_MAX] = {&h.hh_wave1_file, &h.hh_wave2_file, &h.hh_wave3_file, &h.hh_wave4_file,
                                        &h.hh_wave5_file};
    *names[slot] = name;
    *files[slot] = file;
    if (number >= 0) {
        kitrecord::forEachHiHatWave(h, [slot, number](int i, auto &no, auto &...) {
            if (i == slot)
                no = quint16(number);
        });
    }
    writeImages(kit);
}

void KitDocument::clearKit(int kit)
{
    if (!hasKit(kit))
        return;
    auto clear = [](KIT_PAD_SETTING &s) {
        s.soundIndex0.clear();
        s.soundName0.clear();
        s.soundFile0.clear();
        s.soundIndex1.clear();
        s.soundName1.clear();
        s.soundFile1.clear();
        s.aWaveNo = NO_WAVE;
        s.bWaveNo = NO_WAVE;
    };
    for (KIT_PAD_SETTING &s : kitAttrList[kit].kpadChunk)
        clear(s);
    for (KIT_PAD_SETTING &s : kitPadList[kit])
        clear(s);
    writeImages(kit);
}

void KitDocument::clearPad(int kit, int pad, int layer)
{
    if (!hasKit(kit) || !hasPad(pad))
        return;
    kitcopy::clearLayer(kitAttrList[kit].kpadChunk[pad], layer);
    if (pad < kitPadList[kit].size())
        kitcopy::clearLayer(kitPadList[kit][pad], layer);
    writeImages(kit);
}

void KitDocument::clearHiHat(int kit)
{
    if (!hasKit(kit))
        return;
    for (int slot = 0; slot < HH_NUM_MAX; ++slot)
        setHiHatSound(kit, slot, QString(), QString(), NO_WAVE);
}

void KitDocument::copyKit(int src, int dst)
{
    if (!hasKit(src) || !hasKit(dst) || src == dst)
        return;
    kitcopy::copyKit(kitStore(), src, dst);
    const QString &name = kitAttrList[dst].kit_name;
    if (dst < kitNameList.size())
        kitNameList[dst] = name;
    if (dst < kitChainNameList.size())
        kitChainNameList[dst] = name;
    writeImages(dst);
}

void KitDocument::copyPad(int kit, int src, int dst)
{
    if (!hasKit(kit))
        return;
    kitcopy::copyPad(kitAttrList[kit], kitPadList[kit], src, dst);
    writeImages(kit);
}

void KitDocument::moveKit(int a, int b)
{
    if (!hasKit(a) || !hasKit(b) || a == b)
        return;
    kitcopy::swapKits(kitStore(), a, b);
    // The names the saves use go with their kits.
    if (a < kitNameList.size() && b < kitNameList.size())
        kitNameList.swapItemsAt(a, b);
    writeImages(a);
    writeImages(b);
}

void KitDocument::takeKitPage(int kit, const kitediting::KitPage &page, LINK_GROUP *linkScratch)
{
    if (!hasKit(kit))
        return;
    kitediting::commitKit(kit, page, kitAttrList[kit], kitPadList[kit], kitLinkList[kit], linkScratch,
                          {&base0[kit], &pedal0[kit], pad0[kit]});
}

void KitDocument::refreshKitImages(int kit)
{
    if (hasKit(kit))
        writeImages(kit);
}

void KitDocument::takePadPage(int kit, int pad, const KIT_PAD_SETTING &settings)
{
    if (!hasKit(kit) || !hasPad(pad))
        return;
    kitAttrList[kit].kpadChunk[pad] = settings;
    if (pad < kitPadList[kit].size())
        kitPadList[kit][pad] = settings;
    writeImages(kit);
}

bool KitDocument::renumberSound(int kit, const QString &oldFile, const QString &newFile, quint16 number)
{
    if (!hasKit(kit) || !kitediting::repointWave(kitAttrList[kit], kitPadList[kit], oldFile, newFile, number))
        return false;
    writeImages(kit);
    return true;
}

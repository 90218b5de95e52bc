#ifndef TESTS_DOCUMENT_KITRELOAD_H
#define TESTS_DOCUMENT_KITRELOAD_H

// How a test gives a kit any record, or the global settings any values: kit k (0-based) of a document is read in
// again as a load reads a kit file, after `edit` changed its record. The kit
// keeps its selection mark, link pairs and effect memories; its pad list
// follows the record, and so does its image unless `editImage` gives the
// file's own (it starts as the image the document holds; lk.imaged = true).

#include "document/kitdocument.h"

namespace kitreload {

inline setupfiles::LoadedKit asLoaded(const KitDocument &doc, int k)
{
    setupfiles::LoadedKit lk;
    lk.kit = doc.kit(k);
    lk.kitIndexByte = doc.kitIndexList().value(k);
    for (quint8 &type : lk.effectTypes)
        type = 0xFF; // no memory entry
    const QVector<KitDocument::LINK_GROUP> &links = doc.kitLinkList(k);
    for (int g = 0; g < 5 && g < links.size(); ++g)
        lk.links[g] = links.at(g);
    lk.base = doc.base0(k);
    lk.pedal = doc.pedal0(k);
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        lk.pads[p] = doc.pad0(k, p);
    return lk;
}

} // namespace kitreload

template <class Edit, class EditImage>
void reloadKit(KitDocument &doc, int k, Edit edit, EditImage editImage)
{
    setupfiles::LoadedKit lk = kitreload::asLoaded(doc, k);
    edit(lk.kit);
    lk.name.name = lk.kit.kit_name;
    editImage(lk);
    doc.takeLoadedKit(k, lk);
}

template <class Edit>
void reloadKit(KitDocument &doc, int k, Edit edit)
{
    reloadKit(doc, k, edit, [](setupfiles::LoadedKit &) {});
}

// Kit k's memory of effect `type` for effect `slot` (0..3) holds `controls`,
// as a load of a kit with that effect leaves it; the record stays.
inline void loadEffectMemory(KitDocument &doc, int k, int slot, quint8 type, const KitDocument::KIT_EFFECT &controls)
{
    reloadKit(doc, k, [](KitDocument::soundKit &) {}, [&](setupfiles::LoadedKit &lk) {
        lk.effectTypes[slot] = type;
        lk.effects[slot] = controls;
    });
}

// The global settings read in again as a read global chunk gives them, after
// `edit` changed that chunk (packed with the page's values `page`).
template <class Edit>
void reloadGlobalSettings(KitDocument &doc, const KitDocument::GlobalPage &page, Edit edit)
{
    KitDocument::GlobalChunk g;
    doc.packGlobalSettings(page, g);
    edit(g);
    doc.takeGlobalSettings(g);
}

#endif

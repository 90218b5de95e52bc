#ifndef ZT_MODEL_KITCOPY_H
#define ZT_MODEL_KITCOPY_H

// Pad and kit copies, clearing a layer and moving a kit, without widgets.

#include "model/mainwindow1records.h"

#include <QVector>

namespace kitcopy {

using Records = MainWindow1Records;

// Everything the editor keeps per kit (arrays of KIT_MAX_COUNT), so that a
// copy or a move takes all of it along.
struct KitStore
{
    QVector<Records::soundKit> *kits = nullptr;
    QVector<Records::KIT_PAD_SETTING> *padLists = nullptr;
    QVector<Records::LINK_GROUP> *links = nullptr;
    QVector<Records::KIT_EFFECT> *effects[4] = {};
    percussionpadfile::P_KIT_BASE_PARA *base = nullptr;
    percussionpadfile::P_PEDAL_SETTING *pedal = nullptr;
    percussionpadfile::P_KIT_PAD_SETTING (*pads)[PAD_NUM_MAX] = nullptr;
};

// Entries of the pad menu for a layer of pad `pad` (0..18).
struct PadMenu
{
    bool copy = false;  // pads are copied among pads 1..9
    bool clear = false; // only a layer that holds a sound is cleared
};
PadMenu padMenu(int pad, bool layerHasSound);

// Layer 0 (A) or 1 (B) of a pad loses its sound: name, file and wave number.
void clearLayer(Records::KIT_PAD_SETTING &pad, int layer);

// Pad `dst` of a kit becomes a copy of pad `src` (0..18) but keeps its own
// pad number; the kit's pad list takes the same copy.
void copyPad(Records::soundKit &kit, QVector<Records::KIT_PAD_SETTING> &padList, int src, int dst);

// Kit `dst` becomes a copy of kit `src` (0-based) with its own kit number.
void copyKit(const KitStore &store, int src, int dst);

// Kits a and b (0-based) change places; kit numbers follow the positions and
// the pad lists are taken from the records.
void swapKits(const KitStore &store, int a, int b);

} // namespace kitcopy

#endif

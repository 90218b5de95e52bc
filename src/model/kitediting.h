#ifndef ZT_MODEL_KITEDITING_H
#define ZT_MODEL_KITEDITING_H

// Rules of the kit and pad pages that need no widget: the pad mode rules, the
// hi-hat layer limits, the effect control layouts, the kit commit into the
// kit record and its file images, and the re-pointing of a renumbered wave.

#include "model/mainwindow1records.h"

#include <QString>
#include <QVector>

namespace kitediting {

using Records = MainWindow1Records;

// ---- pad mode ------------------------------------------------------------

// What choosing mode item `item` does to the velocity, loop and trigger type
// widgets. The pads' list has 7 items, the foot switches' list 2.
struct ModeRule
{
    bool applies = false;        // false: the item changes nothing
    bool velocityEnabled = false; // the velocity is always reset to 127 (range 0..127)
    bool loopOff = false;        // loop set to "OFF"; otherwise it keeps its value
    bool loopEnabled = false;
    bool trigStored = false;     // trigger type from the pad record; otherwise "Shot"
    bool trigEnabled = false;
};
ModeRule padModeRule(bool footSwitchList, int item);

// Stored mode of item `item` of the shown list, and the item of a stored mode;
// -1 when the list has no such item.
int padModeValue(bool footSwitchList, int item);
int padModeItem(bool footSwitchList, int value);

// ---- pan -------------------------------------------------------------------

// Item of the 33-item pan list ("L16" ... "Center" ... "R16") for a stored pan,
// -1 for a value the list does not hold; and the stored pan of an item.
int panItem(int value);
quint8 panValue(int item);

// ---- hi-hat layers -----------------------------------------------------------

// True when layer `layer` (1..3) may take its value, l1..l3 being the three
// lower velocity bounds as they stand.
bool hhLayerAccepted(int layer, int l1, int l2, int l3);

// ---- effect controls ---------------------------------------------------------

constexpr int EFFECT_TYPE_COUNT = 24;
constexpr quint16 UNUSED_CONTROL = 999;

// Controls used by effect type `type` (0..3); -1 outside 0..23.
int effectControlCount(int type);
// Caption of control `control` (0..2) of a type; empty when the type does not use it.
QString effectControlLabel(int type, int control);
// A control box value that is kept: 0..511, or 999 for an unused control.
bool effectControlAccepted(int value);
// Control `control` (0..2) of an effect of type `type` as the kit page shows
// a stored value: 999 for a control the type does not use, else as stored.
quint16 shownControl(int type, int control, quint16 stored);

// ---- kit commit ----------------------------------------------------------------

// The kit settings page as the commit reads it. Combo box values are their
// current index; -1 (no item) keeps what the record holds.
struct KitPage
{
    QString name;
    quint8 volume = 0;
    quint8 tempo = 0;
    int effectType[4] = {-1, -1, -1, -1}; // kit effects 1..3, active effect
    int effectNo[4] = {-1, -1, -1, -1};
    quint16 control[4][3] = {};
    int bottomColor = -1;
    int workColor = -1;
    int pedalType = -1;
    QString hhName[HH_NUM_MAX];
    quint8 hhLayer[HH_NUM_MAX] = {};
    int linkGroup = -1; // group shown, 0..4
    int link1 = -1;
    int link2 = -1;
};

// The kit page as shown, to tell an edit since the show: the page as the
// commit reads it and the kit's link pairs as the link boxes show them (the
// group shown from its two boxes, a pad they have no item for as -1). Equal
// when a commit takes the same: the name (it goes into the record when it is
// accepted) and the group chosen are left out, so choosing another group
// alone changes nothing.
struct KitPageShown
{
    KitPage page;
    QVector<int> links; // pad 1 and pad 2 of each group of the kit
};
bool operator==(const KitPageShown &a, const KitPageShown &b);

// File images of one kit.
struct KitImages
{
    percussionpadfile::P_KIT_BASE_PARA *base = nullptr;
    percussionpadfile::P_PEDAL_SETTING *pedal = nullptr;
    percussionpadfile::P_KIT_PAD_SETTING *pads = nullptr; // PAD_NUM_MAX entries
};

// Commits the page into kit `kit` (0-based): the record, its link list, the
// scratch pairs `linkScratch` (5) and the file images. Pad settings come from
// `pads` (the kit's pad list).
void commitKit(int kit, const KitPage &page, Records::soundKit &record, const QVector<Records::KIT_PAD_SETTING> &pads,
               QVector<Records::LINK_GROUP> &links, Records::LINK_GROUP *linkScratch, const KitImages &images);
// The file images of kit `kit` as the commit leaves them: base and pedal parts
// from the record (the images' hi-hat wave numbers stay), pads from `pads`
// (the images' foot-switch control stays).
void writeKitImages(int kit, const Records::soundKit &record, const QVector<Records::KIT_PAD_SETTING> &pads,
                    const KitImages &images);

// ---- renumbered waves ------------------------------------------------------------

// Points every pad layer and hi-hat slot of a kit whose file is `oldFile` to
// `newFile` and `newNo`, in the record and its pad list. True when any changed.
bool repointWave(Records::soundKit &record, QVector<Records::KIT_PAD_SETTING> &pads, const QString &oldFile,
                 const QString &newFile, quint16 newNo);

// Empties every pad layer (file, name, index, number) and hi-hat slot (file,
// name, number) of a kit whose file is `file`, in the record and its pad list.
// True when any was.
bool clearWave(Records::soundKit &record, QVector<Records::KIT_PAD_SETTING> &pads, const QString &file);

} // namespace kitediting

#endif

#include "model/kitediting.h"
#include "model/kitrecordmap.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace kitediting {

namespace {

// Stored mode of each item of the pads' list ("Wave A Only" ... "Round Robin",
// "Mix", "Fade") and of the foot switches' list ("Wave A Only", "HH Pedal").
constexpr int kPadModes[7] = {0, 1, 2, 3, 4, 6, 7};
constexpr int kFootModes[2] = {0, 5};

template <class T>
void setIfValid(T &field, int value, int limit)
{
    if (value >= 0 && value < limit)
        field = T(value);
}

// The stored pad settings of `pad` into `to`; its foot-switch control stays
// and its reserved bytes are cleared.
template <class Pad>
void padSettingsFrom(const Records::KIT_PAD_SETTING &pad, Pad &to)
{
    uchar buf[KIT_PAD_SIZE];
    const quint8 fsCtrl = to.pad_fs_ctrl;
    kitrecord::packKitPad(buf, pad);
    kitrecord::unpackKitPad(buf, to);
    to.pad_fs_ctrl = fsCtrl;
    std::memset(to.reserved, 0, sizeof to.reserved);
}

} // namespace

ModeRule padModeRule(bool footSwitchList, int item)
{
    ModeRule r;
    if (footSwitchList) {
        if (item != 0 && item != 1)
            return r;
        r.applies = true;
        r.loopOff = item == 1;
        r.loopEnabled = item == 0;
        return r;
    }
    switch (item) {
    case 0:
    case 1: // "Wave A Only", "Wave B Only"
        r.loopEnabled = true;
        break;
    case 2: // "Simultaneously"
        r.loopOff = true;
        r.trigStored = true;
        r.trigEnabled = true;
        break;
    case 3:
    case 5:
    case 6: // "Switch", "Mix", "Fade"
        r.velocityEnabled = true;
        r.loopOff = true;
        r.trigStored = true;
        break;
    case 4: // "Round Robin"
        r.loopOff = true;
        break;
    default:
        return r;
    }
    r.applies = true;
    return r;
}

int padModeValue(bool footSwitchList, int item)
{
    if (footSwitchList)
        return item >= 0 && item < 2 ? kFootModes[item] : -1;
    return item >= 0 && item < 7 ? kPadModes[item] : -1;
}

int padModeItem(bool footSwitchList, int value)
{
    const int *modes = footSwitchList ? kFootModes : kPadModes;
    const int count = footSwitchList ? 2 : 7;
    for (int i = 0; i < count; ++i) {
        if (modes[i] == value)
            return i;
    }
    return -1;
}

int panItem(int value)
{
    if (value == 127)
        return 32;
    if (value >= 0 && value <= 124 && value % 4 == 0)
        return value / 4;
    return -1;
}

quint8 panValue(int item)
{
    if (item == 32)
        return 127; // the last step is 124 -> 127
    if (item >= 0 && item < 32)
        return quint8(item * 4);
    return 64;
}

bool hhLayerAccepted(int layer, int l1, int l2, int l3)
{
    switch (layer) {
    case 1: return l2 + 1 < l1 && l1 <= 126;
    case 2: return l3 + 1 < l2 && l2 < l1 - 1;
    case 3: return 1 < l3 && l3 < l2 - 1;
    default: return false;
    }
}

int effectControlCount(int type)
{
    if (type < 0 || type >= EFFECT_TYPE_COUNT)
        return -1;
    if (type == 0 || type > 21)
        return 0;
    if (type == 3)
        return 1;
    if (type == 4)
        return 2;
    return 3;
}

QString effectControlLabel(int type, int control)
{
    // Each effect type's control labels (translated as they are shown).
    static const char *const labels[22][3] = {
        {nullptr, nullptr, nullptr},
        {QT_TRANSLATE_NOOP("MainWindow1", "Repeat:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Damping:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Pitch Shift:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Echo Delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Echo Mix:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Pitch Shift:"),
         nullptr,
         nullptr},
        {QT_TRANSLATE_NOOP("MainWindow1", "Delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Feedback:"),
         nullptr},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HF Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LF Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HF Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LF Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Diffusion:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HF Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LF Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HF Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LF Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HF Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LF Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Decay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Pre-delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Damping:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Decay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Pre-delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Damping:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Depth:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Width:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Rate:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Width:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Rate:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Mix:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Tremolo Rate:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Tremolo Mix:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Mix:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Flange Rate:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Flange Mix:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Mix:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Chorus Rate:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Chorus Mix:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Pitch Shift:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Reverb Mix:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Reverb Time:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Size:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Pitch Shift:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LP Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Size:"),
         QT_TRANSLATE_NOOP("MainWindow1", "HP Filter:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LP Filter:")},
        {QT_TRANSLATE_NOOP("MainWindow1", "Reverb Size:"),
         QT_TRANSLATE_NOOP("MainWindow1", "Flange Delay:"),
         QT_TRANSLATE_NOOP("MainWindow1", "LP Filter:")}};
    if (type < 0 || type > 21 || control < 0 || control > 2 || !labels[type][control])
        return QString();
    return QCoreApplication::translate("MainWindow1", labels[type][control]);
}

bool effectControlAccepted(int value)
{
    return (value >= 0 && value <= 511) || value == UNUSED_CONTROL;
}

quint16 shownControl(int type, int control, quint16 stored)
{
    const int count = effectControlCount(type);
    return count >= 0 && control >= count ? UNUSED_CONTROL : stored;
}

bool operator==(const KitPageShown &a, const KitPageShown &b)
{
    const KitPage &x = a.page;
    const KitPage &y = b.page;
    if (x.volume != y.volume || x.tempo != y.tempo || x.bottomColor != y.bottomColor || x.workColor != y.workColor
        || x.pedalType != y.pedalType || a.links != b.links)
        return false;
    for (int e = 0; e < 4; ++e) {
        if (x.effectType[e] != y.effectType[e] || x.effectNo[e] != y.effectNo[e]
            || !std::equal(x.control[e], x.control[e] + 3, y.control[e]))
            return false;
    }
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        if (x.hhName[i] != y.hhName[i] || x.hhLayer[i] != y.hhLayer[i])
            return false;
    }
    return true;
}

void commitKit(int kit, const KitPage &page, Records::soundKit &r, const QVector<Records::KIT_PAD_SETTING> &pads,
               QVector<Records::LINK_GROUP> &links, Records::LINK_GROUP *linkScratch, const KitImages &images)
{
    // Base part.
    r.kit_name = page.name;
    r.kit_volume = page.volume;
    r.kit_tempo = page.tempo;
    setIfValid(r.kit_effect1, page.effectType[0], EFFECT_TYPE_COUNT);
    setIfValid(r.kit_effect2, page.effectType[1], EFFECT_TYPE_COUNT);
    setIfValid(r.kit_effect3, page.effectType[2], EFFECT_TYPE_COUNT);
    setIfValid(r.effect1_no, page.effectNo[0], 256);
    setIfValid(r.effect2_no, page.effectNo[1], 256);
    setIfValid(r.effect3_no, page.effectNo[2], 256);
    quint16 *const controls[3][3] = {{&r.effect1_ctrl1, &r.effect1_ctrl2, &r.effect1_ctrl3},
                                     {&r.effect2_ctrl1, &r.effect2_ctrl2, &r.effect2_ctrl3},
                                     {&r.effect3_ctrl1, &r.effect3_ctrl2, &r.effect3_ctrl3}};
    for (int e = 0; e < 3; ++e) {
        for (int c = 0; c < 3; ++c)
            *controls[e][c] = page.control[e][c];
    }
    setIfValid(r.bottom_color, page.bottomColor, 256);
    setIfValid(r.work_color, page.workColor, 256);
    std::memset(r.reserved, 0, sizeof r.reserved);

    // Hi-hat and pedal part; the wave files and numbers stay.
    Records::PEDAL_SETTING &h = r.pedalChunk;
    setIfValid(h.pedal_contrl, page.pedalType, 256);
    QString *const names[HH_NUM_MAX] = {&h.hh_wave1_name, &h.hh_wave2_name, &h.hh_wave3_name, &h.hh_wave4_name,
                                        &h.hh_wave5_name};
    for (int i = 0; i < HH_NUM_MAX; ++i)
        *names[i] = page.hhName[i];
    kitrecord::forEachHiHatWave(h, [&page](int i, auto &, auto &layer, auto &cluster, auto &length, auto &start,
                                           auto &end) {
        layer = page.hhLayer[i];
        cluster = length = start = end = 0;
    });
    setIfValid(h.active_fx, page.effectType[3], EFFECT_TYPE_COUNT);
    setIfValid(h.active_no, page.effectNo[3], 256);
    h.active_effectCtrl1 = page.control[3][0];
    h.active_effectCtrl2 = page.control[3][1];
    h.active_effectCtrl3 = page.control[3][2];
    std::memset(h.reserved, 0, sizeof h.reserved);

    // Link groups: the list, then the group shown from its two boxes.
    quint8 *const pairs[5][2] = {{&r.pad_link1, &r.pad_link2},
                                 {&h.pad_link2_1, &h.pad_link2_2},
                                 {&h.pad_link3_1, &h.pad_link3_2},
                                 {&h.pad_link4_1, &h.pad_link4_2},
                                 {&h.pad_link5_1, &h.pad_link5_2}};
    for (int g = 0; g < 5 && g < links.size(); ++g) {
        *pairs[g][0] = links[g].link_pad1;
        *pairs[g][1] = links[g].link_pad2;
    }
    const int g = page.linkGroup;
    if (g >= 0 && g < 5) {
        setIfValid(*pairs[g][0], page.link1, 256);
        setIfValid(*pairs[g][1], page.link2, 256);
        Records::LINK_GROUP pair;
        pair.link_pad1 = *pairs[g][0];
        pair.link_pad2 = *pairs[g][1];
        if (linkScratch)
            linkScratch[g] = pair;
        if (g < links.size())
            links[g] = pair;
    }

    // Pads from the pad list; the names, files and foot-switch control stay.
    for (int p = 0; p < PAD_NUM_MAX && p < pads.size(); ++p)
        padSettingsFrom(pads[p], r.kpadChunk[p]);
    writeKitImages(kit, r, pads, images);
}

void writeKitImages(int kit, const Records::soundKit &r, const QVector<Records::KIT_PAD_SETTING> &pads,
                    const KitImages &images)
{
    for (int p = 0; images.pads && p < PAD_NUM_MAX && p < pads.size(); ++p)
        padSettingsFrom(pads[p], images.pads[p]);
    if (images.base) {
        uchar base[KIT_BASE_SIZE];
        kitrecord::packKitBase(base, r);
        kitrecord::unpackKitBase(base, *images.base);
        images.base->kit_no = quint8(kit);
        percussionpadfile::str2CharArray(r.kit_name, images.base->kit_name, KIT_NAME_FIELD);
    }
    if (images.pedal) {
        percussionpadfile::P_PEDAL_SETTING &img = *images.pedal;
        quint16 numbers[HH_NUM_MAX];
        kitrecord::forEachHiHatWave(img, [&numbers](int i, auto &no, auto &...) { numbers[i] = no; });
        uchar pedal[KIT_PEDAL_SIZE];
        kitrecord::packKitPedal(pedal, r.pedalChunk);
        kitrecord::unpackKitPedal(pedal, img);
        kitrecord::forEachHiHatWave(img, [&numbers](int i, auto &no, auto &...) { no = numbers[i]; });
    }
}

bool repointWave(Records::soundKit &record, QVector<Records::KIT_PAD_SETTING> &pads, const QString &oldFile,
                 const QString &newFile, quint16 newNo)
{
    if (oldFile.isEmpty())
        return false;
    bool changed = false;
    auto repoint = [&](QString &file, quint16 &no, QString *mirrorFile, quint16 *mirrorNo) {
        if (file != oldFile)
            return;
        file = newFile;
        no = newNo;
        if (mirrorFile) {
            *mirrorFile = newFile;
            *mirrorNo = newNo;
        }
        changed = true;
    };
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        Records::KIT_PAD_SETTING &d = record.kpadChunk[p];
        Records::KIT_PAD_SETTING *m = p < pads.size() ? &pads[p] : nullptr;
        repoint(d.soundFile0, d.aWaveNo, m ? &m->soundFile0 : nullptr, m ? &m->aWaveNo : nullptr);
        repoint(d.soundFile1, d.bWaveNo, m ? &m->soundFile1 : nullptr, m ? &m->bWaveNo : nullptr);
    }
    Records::PEDAL_SETTING &h = record.pedalChunk;
    QString *const files[HH_NUM_MAX] = {&h.hh_wave1_file, &h.hh_wave2_file, &h.hh_wave3_file, &h.hh_wave4_file,
                                        &h.hh_wave5_file};
    kitrecord::forEachHiHatWave(h, [&](int i, auto &no, auto &...) { repoint(*files[i], no, nullptr, nullptr); });
    return changed;
}

bool clearWave(Records::soundKit &record, QVector<Records::KIT_PAD_SETTING> &pads, const QString &file)
{
    if (file.isEmpty())
        return false;
    bool cleared = false;
    auto clearA = [](Records::KIT_PAD_SETTING &s) {
        s.soundIndex0.clear();
        s.soundName0.clear();
        s.soundFile0.clear();
        s.aWaveNo = NO_WAVE;
    };
    auto clearB = [](Records::KIT_PAD_SETTING &s) {
        s.soundIndex1.clear();
        s.soundName1.clear();
        s.soundFile1.clear();
        s.bWaveNo = NO_WAVE;
    };
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        Records::KIT_PAD_SETTING &d = record.kpadChunk[p];
        Records::KIT_PAD_SETTING *m = p < pads.size() ? &pads[p] : nullptr;
        const bool a = d.soundFile0 == file;
        const bool b = d.soundFile1 == file;
        for (Records::KIT_PAD_SETTING *s : {&d, m}) {
            if (s && a)
                clearA(*s);
            if (s && b)
                clearB(*s);
        }
        cleared = cleared || a || b;
    }
    Records::PEDAL_SETTING &h = record.pedalChunk;
    QString *const files[HH_NUM_MAX] = {&h.hh_wave1_file, &h.hh_wave2_file, &h.hh_wave3_file, &h.hh_wave4_file,
                                        &h.hh_wave5_file};
    QString *const names[HH_NUM_MAX] = {&h.hh_wave1_name, &h.hh_wave2_name, &h.hh_wave3_name, &h.hh_wave4_name,
                                        &h.hh_wave5_name};
    kitrecord::forEachHiHatWave(h, [&](int i, auto &no, auto &...) {
        if (*files[i] != file)
            return;
        files[i]->clear();
        names[i]->clear();
        no = NO_WAVE;
        cleared = true;
    });
    return cleared;
}

} // namespace kitediting

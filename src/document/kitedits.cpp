// The edits a user makes to the kits, and the sounds changing under them;
// each ends with the kit's file images made again from its record and pad
// list, and one signal.
#include "document/kitdocument.h"

#include "kitfile/kitslots.h"
#include "kitfile/lostsounds.h"
#include "kitfile/sharedsounds.h"

namespace {

bool hasPad(int pad)
{
    return pad >= 0 && pad < PAD_NUM_MAX;
}

using Place = editstep::Place;
using Scope = editstep::Recorder::Scope;

// The pad list holds every pad, so that it can mirror the record.
void fullPadList(QVector<KitDocument::KIT_PAD_SETTING> &pads)
{
    if (pads.size() < PAD_NUM_MAX)
        pads.resize(PAD_NUM_MAX);
}

} // namespace

QString KitDocument::settingsRun(int kit)
{
    return QStringLiteral("settings:%1").arg(kit);
}

void KitDocument::writeImages(int kit)
{
    kitediting::writeKitImages(kit, m_kitAttrList[kit], m_kitPadList[kit],
                               {&m_base0[kit], &m_pedal0[kit], m_pad0[kit]});
}

void KitDocument::rewritten(int kit)
{
    writeImages(kit);
    changed(kit);
}

void KitDocument::writeImageName(int kit)
{
    percussionpadfile::str2CharArray(m_kitAttrList[kit].kit_name, m_base0[kit].kit_name, KIT_NAME_FIELD);
}

void KitDocument::renameKit(int kit, const QString &name, bool renumber)
{
    if (!hasKit(kit))
        return;
    soundKit &record = m_kitAttrList[kit];
    const bool listed = kit < m_kitNameList.size();
    if (record.kit_name == name && (!renumber || record.kit_no == kit) && (!listed || m_kitNameList[kit] == name))
        return; // the same name again changes nothing
    const Scope step(m_recorder, tr("name of kit %1").arg(kit + 1), QString(), Place(Place::Pads, kit));
    touchKit(kit);
    record.kit_name = name;
    if (renumber)
        record.kit_no = quint8(kit);
    if (listed)
        m_kitNameList[kit] = name;
    rewritten(kit);
}

void KitDocument::renameKits(const QVector<QString> &names)
{
    QVector<int> renamed;
    for (int k = 0; k < names.size() && hasKit(k); ++k) {
        const bool listed = k < m_kitNameList.size();
        if (m_kitAttrList[k].kit_name != names[k] || (listed && m_kitNameList[k] != names[k]))
            renamed.append(k);
    }
    // One kit renamed: the step names it.
    const Scope step(m_recorder,
                     renamed.size() == 1 ? tr("name of kit %1").arg(renamed.first() + 1) : tr("kit names"), QString(),
                     Place(Place::Chains, renamed.size() == 1 ? renamed.first() : -1));
    bool any = false;
    for (int k : qAsConst(renamed)) {
        const bool listed = k < m_kitNameList.size();
        touchKit(k);
        m_kitAttrList[k].kit_name = names[k];
        if (listed)
            m_kitNameList[k] = names[k];
        writeImages(k);
        any = true;
    }
    if (any)
        allChanged();
}

void KitDocument::setPadSound(int kit, int pad, int layer, const QString &name, const QString &file)
{
    if (!hasKit(kit) || !hasPad(pad) || (layer != 0 && layer != 1))
        return;
    const Scope step(m_recorder, tr("sound on pad %1 of kit %2").arg(pad + 1).arg(kit + 1), QString(),
                     Place(Place::Pads, kit, pad));
    touchKit(kit);
    KIT_PAD_SETTING &r = m_kitAttrList[kit].kpadChunk[pad];
    (layer == 0 ? r.soundName0 : r.soundName1) = name;
    (layer == 0 ? r.soundFile0 : r.soundFile1) = file;
    fullPadList(m_kitPadList[kit]);
    m_kitPadList[kit][pad] = r;
    rewritten(kit);
}

void KitDocument::setHiHat(int kit, int slot, const QString &name, const QString &file, int number)
{
    int i = 0;
    setupfiles::forEachHiHatSlot(m_kitAttrList[kit], [&](auto s) {
        if (i++ != slot)
            return;
        s.name = name;
        s.file = file;
        if (number >= 0)
            s.no = quint16(number);
    });
}

void KitDocument::setHiHatSound(int kit, int slot, const QString &name, const QString &file, int number)
{
    if (!hasKit(kit) || slot < 0 || slot >= HH_NUM_MAX)
        return;
    const Scope step(m_recorder, tr("hi-hat sound %1 of kit %2").arg(slot + 1).arg(kit + 1), QString(),
                     Place(Place::KitSettings, kit));
    touchKit(kit);
    setHiHat(kit, slot, name, file, number);
    rewritten(kit);
}

void KitDocument::clearKit(int kit)
{
    if (!hasKit(kit))
        return;
    const Scope step(m_recorder, tr("CLEAR of kit %1").arg(kit + 1), QString(), Place(Place::Pads, kit));
    touchKit(kit);
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
    for (KIT_PAD_SETTING &s : m_kitAttrList[kit].kpadChunk)
        clear(s);
    for (KIT_PAD_SETTING &s : m_kitPadList[kit])
        clear(s);
    rewritten(kit);
}

void KitDocument::clearPad(int kit, int pad, int layer)
{
    if (!hasKit(kit) || !hasPad(pad))
        return;
    const Scope step(m_recorder, tr("Clear of pad %1 of kit %2").arg(pad + 1).arg(kit + 1), QString(),
                     Place(Place::Pads, kit, pad));
    touchKit(kit);
    kitcopy::clearLayer(m_kitAttrList[kit].kpadChunk[pad], layer);
    if (pad < m_kitPadList[kit].size())
        kitcopy::clearLayer(m_kitPadList[kit][pad], layer);
    rewritten(kit);
}

void KitDocument::clearHiHat(int kit)
{
    if (!hasKit(kit))
        return;
    const Scope step(m_recorder, tr("hi-hat sounds of kit %1 cleared").arg(kit + 1), QString(),
                     Place(Place::KitSettings, kit));
    touchKit(kit);
    for (int slot = 0; slot < HH_NUM_MAX; ++slot)
        setHiHat(kit, slot, QString(), QString(), NO_WAVE);
    rewritten(kit);
}

void KitDocument::copyKit(int src, int dst)
{
    if (!hasKit(src) || !hasKit(dst) || src == dst)
        return;
    const Scope step(m_recorder, tr("Kit Copy of kit %1 to kit %2").arg(src + 1).arg(dst + 1), QString(),
                     Place(Place::Pads, dst));
    touchKit(dst);
    kitcopy::copyKit(kitStore(), src, dst);
    if (dst < m_kitNameList.size())
        m_kitNameList[dst] = m_kitAttrList[dst].kit_name;
    rewritten(dst);
}

void KitDocument::copyPad(int kit, int src, int dst)
{
    if (!hasKit(kit))
        return;
    const Scope step(m_recorder, tr("Pad Copy of pad %1 to pad %2 of kit %3").arg(src + 1).arg(dst + 1).arg(kit + 1),
                     QString(), Place(Place::Pads, kit, dst));
    touchKit(kit);
    kitcopy::copyPad(m_kitAttrList[kit], m_kitPadList[kit], src, dst);
    rewritten(kit);
}

void KitDocument::moveKit(int a, int b)
{
    if (!hasKit(a) || !hasKit(b) || a == b)
        return;
    const Scope step(m_recorder, tr("move of kit %1 to kit %2").arg(a + 1).arg(b + 1), QString(),
                     Place(Place::Chains, b));
    touchKit(a);
    touchKit(b);
    kitcopy::swapKits(kitStore(), a, b);
    // The names the saves use go with their kits.
    if (a < m_kitNameList.size() && b < m_kitNameList.size())
        m_kitNameList.swapItemsAt(a, b);
    writeImages(a);
    writeImages(b);
    changed(a);
    changed(b);
}

void KitDocument::takeKitPage(int kit, const kitediting::KitPage &page, LINK_GROUP *linkScratch)
{
    if (!hasKit(kit))
        return;
    const Scope step(m_recorder, tr("settings of kit %1").arg(kit + 1), settingsRun(kit),
                     Place(Place::KitSettings, kit));
    touchKit(kit);
    kitediting::commitKit(kit, page, m_kitAttrList[kit], m_kitPadList[kit], m_kitLinkList[kit], linkScratch,
                          {&m_base0[kit], &m_pedal0[kit], m_pad0[kit]});
    if (kit < m_kitNameList.size())
        m_kitNameList[kit] = m_kitAttrList[kit].kit_name;
    changed(kit);
}

void KitDocument::refreshKitImages(int kit)
{
    if (!hasKit(kit))
        return;
    touchKit(kit);
    rewritten(kit);
}

void KitDocument::takePadPage(int kit, int pad, const KIT_PAD_SETTING &settings)
{
    if (!hasKit(kit) || !hasPad(pad))
        return;
    const Scope step(m_recorder, tr("settings of pad %1 of kit %2").arg(pad + 1).arg(kit + 1), settingsRun(kit),
                     Place(Place::KitSettings, kit, pad));
    touchKit(kit);
    m_kitAttrList[kit].kpadChunk[pad] = settings;
    if (pad < m_kitPadList[kit].size())
        m_kitPadList[kit][pad] = settings;
    rewritten(kit);
}

void KitDocument::setKitLink(int kit, int group, const LINK_GROUP &pair)
{
    if (kit < 0 || kit >= KIT_MAX_COUNT || group < 0 || group >= m_kitLinkList[kit].size())
        return;
    const Scope step(m_recorder, tr("pad links of kit %1").arg(kit + 1), settingsRun(kit),
                     Place(Place::KitSettings, kit));
    touchKit(kit);
    m_kitLinkList[kit][group] = pair;
    if (!hasKit(kit))
        return;
    rewritten(kit);
}

void KitDocument::markUnusedControls(int kit, int slot, int used)
{
    if (!hasKit(kit) || slot < 0 || slot >= 4)
        return;
    const Scope step(m_recorder, tr("effect of kit %1").arg(kit + 1), settingsRun(kit), Place(Place::KitSettings, kit));
    touchKit(kit);
    soundKit &k = m_kitAttrList[kit];
    quint16 *const fields[4][3] = {
            {&k.effect1_ctrl1, &k.effect1_ctrl2, &k.effect1_ctrl3},
            {&k.effect2_ctrl1, &k.effect2_ctrl2, &k.effect2_ctrl3},
            {&k.effect3_ctrl1, &k.effect3_ctrl2, &k.effect3_ctrl3},
            {&k.pedalChunk.active_effectCtrl1, &k.pedalChunk.active_effectCtrl2, &k.pedalChunk.active_effectCtrl3}};
    for (int c = qMax(used, 0); c < 3; ++c)
        *fields[slot][c] = kitediting::UNUSED_CONTROL;
    rewritten(kit);
}

void KitDocument::takeKitSelection(const QVector<int> &marks)
{
    touchAllKits();
    m_kitIndexList = marks;
    allChanged();
}

// ---- sounds changing under the kits ----------------------------------------------------

QVector<QByteArray> KitDocument::snapshots() const
{
    QVector<QByteArray> out;
    out.reserve(m_kitAttrList.size());
    for (const soundKit &k : m_kitAttrList)
        out.append(EditBaseline::kitSnapshot(k));
    return out;
}

bool KitDocument::kitsEdited(const QVector<QByteArray> &before)
{
    bool any = false;
    for (int k = 0; k < m_kitAttrList.size() && k < KIT_MAX_COUNT; ++k) {
        if (k < before.size() && before.at(k) == EditBaseline::kitSnapshot(m_kitAttrList.at(k)))
            continue;
        writeImages(k);
        any = true;
    }
    if (any)
        allChanged();
    return any;
}

bool KitDocument::renameSound(const QString &file, const QString &name)
{
    const Scope step(m_recorder, tr("name of sound %1").arg(name), QString(), Place(Place::Pads, -1));
    bool any = false;
    for (int k = 0; k < m_kitAttrList.size() && k < KIT_MAX_COUNT; ++k) {
        if (!nameSound(m_kitAttrList[k], file, name, true))
            continue;
        touchKit(k);
        nameSound(m_kitAttrList[k], file, name, false);
        // The pages take the pads from the pad list: it names the sound alike.
        for (KIT_PAD_SETTING &pad : m_kitPadList[k]) {
            setupfiles::forEachLayer(pad, [&](auto s) {
                if (s.file == file)
                    s.name = name;
            });
        }
        rewritten(k);
        any = true;
    }
    return any;
}

bool KitDocument::nameSound(soundKit &kit, const QString &file, const QString &name, bool onlyLook)
{
    bool named = false;
    setupfiles::forEachPadLayer(kit, [&](auto s) {
        if (s.file != file)
            return;
        if (!onlyLook)
            s.name = name;
        named = true;
    });
    // The first hi-hat slot with the sound takes the name.
    bool hiHatNamed = false;
    setupfiles::forEachHiHatSlot(kit, [&](auto s) {
        if (hiHatNamed || s.file != file)
            return;
        if (!onlyLook)
            s.name = name;
        named = hiHatNamed = true;
    });
    return named;
}

bool KitDocument::renumberSound(int kit, const QString &oldFile, const QString &newFile, quint16 number)
{
    if (!hasKit(kit))
        return false;
    // The kits the steps keep first: a step made now keeps the kit as it is.
    moveHeld([&](int k, soundKit &record, QVector<KIT_PAD_SETTING> &pads) {
        if (k == kit)
            kitediting::repointWave(record, pads, oldFile, newFile, number);
    });
    touchKit(kit);
    if (!kitediting::repointWave(m_kitAttrList[kit], m_kitPadList[kit], oldFile, newFile, number))
        return false;
    if (kit < m_kitNumFlagList.size())
        m_kitNumFlagList[kit] = 1;
    rewritten(kit);
    return true;
}

namespace {

// Every slot that names a number but no sound file names no sound.
bool dropUnnamedNumbers(MainWindow1Records::soundKit &record, QVector<MainWindow1Records::KIT_PAD_SETTING> &pads)
{
    bool any = false;
    auto drop = [&any](auto s) {
        if (s.file.isEmpty() && s.no != NO_WAVE) {
            s.no = NO_WAVE;
            any = true;
        }
    };
    setupfiles::forEachSoundSlot(record, drop);
    for (MainWindow1Records::KIT_PAD_SETTING &pad : pads)
        setupfiles::forEachLayer(pad, drop, true);
    return any;
}

} // namespace

bool KitDocument::dropNumbersWithoutSound(int kit)
{
    if (!hasKit(kit))
        return false;
    // As on the pad: the kits the steps keep follow too.
    moveHeld([&](int k, soundKit &record, QVector<KIT_PAD_SETTING> &pads) {
        if (k == kit)
            dropUnnamedNumbers(record, pads);
    });
    touchKit(kit);
    if (!dropUnnamedNumbers(m_kitAttrList[kit], m_kitPadList[kit]))
        return false;
    if (kit < m_kitNumFlagList.size())
        m_kitNumFlagList[kit] = 1;
    rewritten(kit);
    return true;
}

bool KitDocument::moveLayersToPad(soundKit &record, QVector<KIT_PAD_SETTING> &pads, const QString &oldFile,
                                  const QString &newFile, quint16 number, quint32 length)
{
    bool moved = false;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        const bool a = record.kpadChunk[p].soundFile0 == oldFile;
        const bool b = record.kpadChunk[p].soundFile1 == oldFile;
        auto repoint = [&](KIT_PAD_SETTING &s) {
            if (a) {
                s.soundFile0 = newFile;
                s.aWaveNo = number;
                s.aWaveLength = s.aWaveEnd = length;
            }
            if (b) {
                s.soundFile1 = newFile;
                s.bWaveNo = number;
                s.bWaveLength = s.bWaveEnd = length;
            }
        };
        repoint(record.kpadChunk[p]);
        if (p < pads.size())
            repoint(pads[p]);
        moved = moved || a || b;
    }
    return moved;
}

void KitDocument::moveSoundToPad(int kit, const QString &oldFile, const QString &newFile, quint16 number,
                                 quint32 length)
{
    if (oldFile.isEmpty() || !hasKit(kit))
        return;
    moveHeld([&](int k, soundKit &record, QVector<KIT_PAD_SETTING> &pads) {
        if (k == kit)
            moveLayersToPad(record, pads, oldFile, newFile, number, length);
    });
    touchKit(kit);
    if (!moveLayersToPad(m_kitAttrList[kit], m_kitPadList[kit], oldFile, newFile, number, length))
        return;
    rewritten(kit);
}

void KitDocument::clearSound(int kit, const QString &file)
{
    if (!hasKit(kit))
        return;
    touchKit(kit);
    if (!kitediting::clearWave(m_kitAttrList[kit], m_kitPadList[kit], file))
        return;
    rewritten(kit);
}

void KitDocument::takeSlotNumbers(const QVector<soundKit> &numbered)
{
    touchAllKits();
    const QVector<QByteArray> before = snapshots();
    for (int k = 0; k < numbered.size() && k < m_kitAttrList.size(); ++k) {
        QVector<quint16> numbers;
        setupfiles::forEachSoundSlot(numbered.at(k), [&numbers](auto slot) { numbers.append(slot.no); });
        int i = 0;
        setupfiles::forEachSoundSlot(m_kitAttrList[k], [&numbers, &i](auto slot) { slot.no = numbers.value(i++, slot.no); });
    }
    kitsEdited(before);
}

void KitDocument::moveSharedSounds(const QHash<QString, QString> &moved)
{
    if (!moved.isEmpty())
        moveToCopies(moved, {});
}

void KitDocument::moveToCopies(const QHash<QString, QString> &to, const QHash<QString, quint16> &numbers)
{
    heldKitsFollow(to, numbers);
    touchAllKits();
    const QVector<QByteArray> before = snapshots();
    setupfiles::repointSources(m_kitAttrList, to, numbers);
    for (QVector<KIT_PAD_SETTING> &pads : m_kitPadList)
        setupfiles::repointSources(pads, to, numbers);
    kitsEdited(before);
}

void KitDocument::heldKitsFollow(const QHash<QString, QString> &to, const QHash<QString, quint16> &numbers)
{
    if (to.isEmpty())
        return;
    moveHeld([&](int, soundKit &record, QVector<KIT_PAD_SETTING> &pads) {
        QVector<soundKit> one{record};
        setupfiles::repointSources(one, to, numbers);
        record = one.constFirst();
        setupfiles::repointSources(pads, to, numbers);
    });
}

void KitDocument::forgetKitFileSounds(const setupfiles::StoredIn &storedIn)
{
    touchAllKits();
    const QVector<QByteArray> before = snapshots();
    setupfiles::clearKitFileSlots(m_kitAttrList, storedIn);
    // The pad lists alike, so that no later commit brings the numbers back.
    for (QVector<KIT_PAD_SETTING> &pads : m_kitPadList)
        setupfiles::clearKitFileLayers(pads, storedIn);
    kitsEdited(before);
}

bool KitDocument::repointReloaded(const QVector<setupfiles::MovedSlot> &moves, const QVector<SOUND_INDEX> &library,
                                  const QHash<QString, QString> &twins)
{
    touchAllKits();
    const QSet<int> kits = setupfiles::repointSlots(m_kitAttrList, moves, library, twins);
    for (int k : kits) {
        if (!hasKit(k))
            continue;
        // The pad list alike, so that no later commit takes the old numbers back.
        QVector<KIT_PAD_SETTING> &pads = m_kitPadList[k];
        for (int p = 0; p < pads.size() && p < PAD_NUM_MAX; ++p) {
            const KIT_PAD_SETTING &d = m_kitAttrList.at(k).kpadChunk[p];
            KIT_PAD_SETTING &m = pads[p];
            m.soundFile0 = d.soundFile0;
            m.soundName0 = d.soundName0;
            m.aWaveNo = d.aWaveNo;
            m.soundFile1 = d.soundFile1;
            m.soundName1 = d.soundName1;
            m.bWaveNo = d.bWaveNo;
        }
        writeImages(k);
    }
    if (kits.isEmpty())
        return false;
    allChanged();
    return true;
}

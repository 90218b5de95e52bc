#include "kitfile/modelout.h"

#include "model/kitrecordmap.h"
#include "kitfile/kitsin.h"
#include "kitfile/kitslots.h"

#include <QDebug>

#include <cstring>

namespace setupfiles {

namespace {

using Entry = percussionpadfile::P_SOUND_INDEX;

quint8 savedEffectNumber(quint8 no)
{
    return no == 4 ? quint8(10) : no;
}

// A table entry for sound `s`, numbered `no`, whose `size` bytes are copied
// from `offset` of `file`.
void fillEntry(Entry &e, const Records::SOUND_INDEX &s, quint16 no, const QString &file, quint32 offset,
               quint32 size)
{
    std::memset(e.wave_name, 0, sizeof e.wave_name);
    std::memcpy(e.wave_name, s.wave_name, SOUND_NAME_LENGTH_MAX);
    e.wave_No = no;
    e.wave_lock = s.wave_lock;
    e.reserved = 0;
    e.start_cluster = s.start_cluster;
    e.wave_start = s.wave_start;
    e.wave_end = s.wave_end;
    e.fileName = file;
    e.fileOffset = offset;
    e.wave_length = size;
    e.fileSize = size;
}

void setTags(percussionpadfile &m)
{
    m.kitChunk.skit = percussionpadfile::str2int(QStringLiteral("SKIT"));
    m.soundChunk.soun = percussionpadfile::str2int(QStringLiteral("SOUN"));
}

// Brings a kit's wave numbers and positions up to date from the sounds of the
// file: a slot takes them from the last sound with its source. An empty slot
// gets 0xFFFF and zero positions in a whole setup, 0 and its old positions in
// a single-kit file; so does a slot whose source is not among the sounds.
void resolveSavedWaves(Records::soundKit &kit, const QVector<Records::SOUND_INDEX> &waves,
                       const QHash<QString, int> &byFile, bool wholeSetup)
{
    forEachSoundSlot(kit, [&](auto slot) {
        const int i = slot.file.isEmpty() ? -1 : byFile.value(slot.file, -1);
        if (i < 0) {
            // No sound, or one the file does not carry: the slot is saved empty
            // rather than with a number that names another sound.
            if (!slot.file.isEmpty())
                qWarning() << "the sound" << slot.file << "of kit" << kit.kit_no + 1 << "is not saved";
            if (wholeSetup) {
                slot.no = NO_WAVE;
                slot.cluster = slot.length = slot.start = slot.end = 0;
            } else {
                slot.no = 0;
            }
            return;
        }
        const Records::SOUND_INDEX &s = waves.at(i);
        slot.no = s.wave_No;
        // The saved table gives every wave cluster 0: its kits say the same.
        slot.cluster = 0;
        slot.length = s.wave_length;
        slot.start = s.wave_start;
        slot.end = s.wave_end;
    });
}

} // namespace

quint16 versionFromLabel(const QString &text)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    const QString major = dot < 0 ? text : text.left(dot);
    const QString minor = dot < 0 ? text : text.mid(dot + 1).trimmed();
    return quint16(major.toInt() * 256 + minor.toInt());
}

void packKit(percussionpadfile &m, int k, const Records::soundKit &kit, bool wholeSetup, int selection)
{
    if (k < 0 || k >= KIT_MAX_COUNT || !m.kitChunk.baseChunk || !m.kitChunk.pedalChunk || !m.kitChunk.kpadChunk)
        return;
    percussionpadfile::P_KIT_BASE_PARA &b = m.kitChunk.baseChunk[k];
    percussionpadfile::P_PEDAL_SETTING &h = m.kitChunk.pedalChunk[k];

    // Every field goes across through the record's field map.
    uchar rec[KIT_RECORD_SIZE] = {};
    kitrecord::packKitBase(rec, kit);
    kitrecord::unpackKitBase(rec, b);
    kitrecord::packKitPedal(rec + KIT_BASE_SIZE, kit.pedalChunk);
    kitrecord::unpackKitPedal(rec + KIT_BASE_SIZE, h);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        uchar *at = rec + kitrecord::padOffset(p);
        kitrecord::packKitPad(at, kit.kpadChunk[p]);
        percussionpadfile::P_KIT_PAD_SETTING &d = m.kitChunk.kpadChunk[k][p];
        kitrecord::unpackKitPad(at, d);
        std::memset(d.reserved, 0, sizeof d.reserved);
    }
    std::memset(h.reserved, 0, sizeof h.reserved);
    std::memset(b.reserved, 0, sizeof b.reserved);
    percussionpadfile::str2CharArray(kit.kit_name, b.kit_name, KIT_NAME_FIELD);

    h.active_no = savedEffectNumber(h.active_no);
    if (wholeSetup) {
        b.effect1_no = savedEffectNumber(b.effect1_no);
        b.effect2_no = savedEffectNumber(b.effect2_no);
        b.effect3_no = savedEffectNumber(b.effect3_no);
        b.reserved[0] = quint8(selection);
    } else {
        b.kit_no = quint8(k + 1);
    }
}

void fillWholeSetupKits(percussionpadfile &m, QVector<Records::soundKit> &kits, const QVector<int> &selection,
                        const QVector<Records::SOUND_INDEX> &waves, quint16 version, bool backup)
{
    m.identityChunk.version = version;
    if (backup)
        std::memcpy(m.identityChunk.reserved + 2, "BACK", 4);
    setTags(m);
    m.wn1Chunk.wave1 = percussionpadfile::str2int(QStringLiteral("WAV1"));
    m.wn2Chunk.wave2 = percussionpadfile::str2int(QStringLiteral("WAV2"));
    m.kitChunk.kit_count = KIT_MAX_COUNT;
    std::memset(m.kitChunk.reserved, 0, sizeof m.kitChunk.reserved);
    const QHash<QString, int> byFile = lastByFile(waves);
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.size(); ++k) {
        resolveSavedWaves(kits[k], waves, byFile, true);
        packKit(m, k, kits.at(k), true, k < selection.size() ? selection.at(k) : 0);
    }
}

void fillSingleKit(percussionpadfile &m, int k, const Records::soundKit &kit,
                   const QVector<Records::SOUND_INDEX> &waves)
{
    setTags(m);
    m.kitChunk.kit_count = 1;
    Records::soundKit saved = kit;
    resolveSavedWaves(saved, waves, lastByFile(waves), false);
    packKit(m, k, saved, false);
}

bool fillWholeSetupSounds(percussionpadfile &m, const QVector<Records::SOUND_INDEX> &clickSet,
                          const QVector<Records::SOUND_LIST_INFO> &clickWaves,
                          const QVector<Records::SOUND_INDEX> &waves, QVector<Records::SOUND_LIST_INFO> &waveList,
                          const QVector<quint16> &kitOrder)
{
    const int c = clickSet.size();
    const int n = waves.size();
    Entry *table = m.soundChunk.soundIndex;
    if (!table || c + n > WAVE_MAX_COUNT1) {
        qWarning() << "a sound table cannot hold" << c << "metronome sounds and" << n << "sounds";
        return false;
    }
    QVector<quint16> listOrder;
    listOrder.reserve(n);
    for (const Records::SOUND_INDEX &s : waves)
        listOrder.append(s.wave_No);
    if (!m.setWaveNodeLists(listOrder, kitOrder)) {
        qWarning() << "no wave-node lists for" << n << "sounds in a kit order of" << kitOrder.size();
        return false;
    }

    for (int i = 0; i < c; ++i) {
        const Records::SOUND_INDEX &s = clickSet.at(i);
        if (i < clickWaves.size()) {
            const Records::SOUND_LIST_INFO &w = clickWaves.at(i);
            fillEntry(table[i], s, quint16(10000 + i), w.file, w.offset, w.size);
        } else {
            fillEntry(table[i], s, quint16(10000 + i), s.file, s.offset, s.size);
        }
    }
    for (int i = 0; i < n; ++i) {
        const Records::SOUND_INDEX &s = waves.at(i);
        if (i < waveList.size()) {
            Records::SOUND_LIST_INFO &w = waveList[i];
            w.file = percussionpadfile::soundSourceFile(w.file);
            fillEntry(table[c + i], s, s.wave_No, w.file, w.offset, w.size);
        } else {
            fillEntry(table[c + i], s, s.wave_No, s.file, s.offset, s.size);
        }
    }
    m.soundChunk.soundCount = quint16(c + n);
    return true;
}

bool fillKitFileSounds(percussionpadfile &m, const QVector<Records::SOUND_INDEX> &waves,
                       const QVector<Records::SOUND_LIST_INFO> &waveList)
{
    const int n = waves.size();
    Entry *table = m.soundChunk.soundIndex;
    if (!table || n > WAVE_MAX_COUNT1)
        return false;
    for (int i = 0; i < n; ++i) {
        const Records::SOUND_INDEX &s = waves.at(i);
        const bool listed = i < waveList.size();
        fillEntry(table[i], s, quint16(i + 1), listed ? waveList.at(i).file : s.file,
                  listed ? waveList.at(i).offset : s.offset, s.wave_length);
        if (listed) {
            std::memset(table[i].wave_name, 0, sizeof table[i].wave_name);
            percussionpadfile::str2CharArray(waveList.at(i).name, table[i].wave_name, SOUND_NAME_LENGTH_MAX);
        }
    }
    m.soundChunk.soundCount = quint16(n);
    return true;
}

bool wholeSetupWithinLimit(const QVector<Records::SOUND_INDEX> &waves, int kitOrderCount)
{
    const quint64 a = quint16(waves.size() + 2);
    const quint64 b = quint16(kitOrderCount + 2);
    quint64 e = 4 * (a + 2) + 4 * (b + 2) + 181423 + 40 * (quint64(waves.size()) + 5) + 12;
    for (const Records::SOUND_INDEX &s : waves) {
        e += s.wave_length;
        if (e > quint64(RAW_DATA_LENGTH_MAX))
            return false;
    }
    return true;
}

} // namespace setupfiles

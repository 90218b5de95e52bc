#ifndef SETUP_FIXTURE_H
#define SETUP_FIXTURE_H

// Editor state without a window, saved and loaded through the setup files'
// steps in the order the save and load flows take them.

#include "model/kitfile_fixture.h"
#include "model/kitrecordmap.h"
#include "kitfile/fileread.h"
#include "kitfile/kitsin.h"
#include "kitfile/kitslots.h"
#include "kitfile/modelout.h"
#include "kitfile/soundsin.h"
#include "kitfile/soundsource.h"
#include "kitfile/wavecollect.h"
#include "kitfile/waveorder.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <memory>

namespace sf {

using namespace setupfiles;
using Records = MainWindow1Records;
using Kit = Records::soundKit;

struct Editor
{
    QVector<Kit> kits = QVector<Kit>(KIT_MAX_COUNT);
    QVector<int> selection = QVector<int>(KIT_MAX_COUNT, 1);
    QVector<Records::SOUND_INDEX> library;    // the working sound list
    QVector<Records::SOUND_LIST_INFO> clickList;
    QVector<Records::READ_KIT_FILE> loaded;
    QVector<Records::SOUND_INDEX> waves;      // the last save's sounds
    QVector<quint16> kitOrder;
};

// Five metronome sounds ("Click0".."Click4", numbers 10000..) and one wave per
// name (numbers 0..), written as WAV files into dir; wave `locked` is locked.
inline QVector<kf::TestSound> writeSounds(const QString &dir, const QStringList &waves, int locked)
{
    QVector<kf::TestSound> sounds;
    for (int i = 0; i < 5 + waves.size(); ++i) {
        const QString f = dir + QStringLiteral("/w%1.wav").arg(i);
        const QByteArray bytes = kf::wavBytes(64 + 8 * i, quint32(i + 1));
        if (!kf::writeFile(f, bytes))
            return {};
        const bool click = i < 5;
        sounds.append({click ? QStringLiteral("Click%1").arg(i) : waves.at(i - 5), quint16(click ? 10000 + i : i - 5),
                       f, 0, quint32(bytes.size()), quint8(i - 5 == locked ? 0 : 1)});
    }
    return sounds;
}

// The waves of a whole setup's sounds as a single kit's, numbered 1..n.
inline QVector<kf::TestSound> kitSounds(const QVector<kf::TestSound> &sounds)
{
    QVector<kf::TestSound> waves = sounds.mid(5);
    for (int i = 0; i < waves.size(); ++i)
        waves[i].waveNo = quint16(i + 1);
    return waves;
}

// Plain sounds in these tests are device waves already: the "conversion" copies them.
inline quint32 copyRaw(const QString &source, const QString &target)
{
    QFile::remove(target);
    return QFile::copy(source, target) ? quint32(QFileInfo(target).size()) : 0;
}

// A library sound with a plain source.
inline Records::SOUND_INDEX plainSound(const QString &name, const QString &file, quint16 number, quint8 lock = 1)
{
    Records::SOUND_INDEX s;
    percussionpadfile::str2CharArray(name, s.wave_name, SOUND_NAME_LENGTH_MAX);
    s.file = file;
    s.wave_No = number;
    s.wave_lock = lock;
    return s;
}

// Kit k with distinct settings; slots are set by the caller.
inline Kit makeKit(int k)
{
    Kit kit;
    quint32 x = quint32(k) * 2654435761u + 7;
    auto next = [&x]() { x = x * 1103515245u + 12345u; return quint8(x >> 24); };
    kit.kit_no = quint8(k);
    kit.kit_name = QStringLiteral("Kit %1").arg(k + 1);
    kit.kit_volume = next();
    kit.kit_tempo = next();
    kit.pad_link1 = next();
    kit.kit_effect1 = next() % 24;
    kit.effect1_no = 1;
    kit.effect1_ctrl1 = 300 + k;
    kit.effect3_ctrl3 = 999;
    kit.work_color = next();
    kit.pedalChunk.pedal_contrl = next();
    kit.pedalChunk.hh_layer3 = next();
    kit.pedalChunk.pad_link4_2 = next();
    kit.pedalChunk.active_fx = 5;
    kit.pedalChunk.active_effectCtrl2 = 511;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        Records::KIT_PAD_SETTING &d = kit.kpadChunk[p];
        d.padNo = quint8(p);
        d.midi_code = next();
        d.aWavePan = next();
        d.bWaveDecay = next();
        d.pad_fs_ctrl = next();
        d.aWaveNo = d.bWaveNo = NO_WAVE;
    }
    forEachHiHatSlot(kit, [](auto s) { s.no = NO_WAVE; });
    return kit;
}

// The setting fields of two kits, names and sources of the slots left out.
inline bool sameSettings(const Kit &a, const Kit &b)
{
    uchar ra[KIT_RECORD_SIZE] = {}, rb[KIT_RECORD_SIZE] = {};
    Kit ca = a, cb = b;
    for (Kit *k : {&ca, &cb}) {
        forEachSoundSlot(*k, [](auto s) { s.no = 0; s.cluster = s.length = s.start = s.end = 0; });
        std::memset(k->reserved, 0, 4);
    }
    kitrecord::packKitBase(ra, ca);
    kitrecord::packKitBase(rb, cb);
    kitrecord::packKitPedal(ra + KIT_BASE_SIZE, ca.pedalChunk);
    kitrecord::packKitPedal(rb + KIT_BASE_SIZE, cb.pedalChunk);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        kitrecord::packKitPad(ra + kitrecord::padOffset(p), ca.kpadChunk[p]);
        kitrecord::packKitPad(rb + kitrecord::padOffset(p), cb.kpadChunk[p]);
    }
    return a.kit_name == b.kit_name && std::memcmp(ra, rb, KIT_RECORD_SIZE) == 0;
}

// The bytes a source names: a range of a loaded kit file, or a whole plain file.
inline QByteArray soundBytes(const Editor &e, const QString &source)
{
    const StoredRef ref = parseStoredSource(source);
    if (!ref.isStored())
        return kf::readFile(source);
    for (const Records::READ_KIT_FILE &r : e.loaded) {
        if (r.file != ref.kitFile)
            continue;
        for (int i = 0; i < r.info.soundChunk.soundCount; ++i) {
            const percussionpadfile::P_SOUND_INDEX &x = r.info.soundChunk.soundIndex[i];
            if (x.fileName == source)
                return kf::readFile(r.file).mid(int(x.wave_start), int(x.wave_length));
        }
    }
    return QByteArray();
}

struct Output
{
    std::unique_ptr<percussionpadfile> model{new percussionpadfile};
    KitTables tables;
    std::vector<percussionpadfile::P_SOUND_INDEX> sounds = std::vector<percussionpadfile::P_SOUND_INDEX>(WAVE_MAX_COUNT1);

    percussionpadfile &reset(int kind)
    {
        model->curFlag = kind;
        model->initFileChunk();
        tables.attach(*model);
        model->soundChunk.soundIndex = sounds.data();
        return *model;
    }
};

// The whole-setup save: gather, order, fill, lay out, write.
inline CollectError saveWholeSetup(Editor &e, const QString &path, const QString &tempDir)
{
    CollectedClicks clicks;
    CollectError err = collectClickWaves(e.clickList, e.loaded, tempDir, copyRaw, clicks);
    if (err)
        return err;
    QVector<TotalRow> rows;
    for (const Records::SOUND_INDEX &s : qAsConst(e.library))
        rows.append({percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX), s.file});
    CollectedWaves got;
    err = collectWholeSetupWaves(rows, e.kits, e.library, e.loaded, tempDir, copyRaw, {}, got);
    if (err)
        return err;
    e.waves = got.waveAttrList;
    e.kitOrder = kitWaveOrder(e.kits, e.library, got.waveAttrList);
    Output out;
    percussionpadfile &m = out.reset(0);
    fillWholeSetupKits(m, e.kits, e.selection, got.waveAttrList, versionFromLabel(QStringLiteral("1.01")), false);
    if (!fillWholeSetupSounds(m, clicks.clickSetList, clicks.clickWaveList, got.waveAttrList, got.waveList,
                              e.kitOrder) || !m.calculateChunkSize())
        return CollectError(CollectError::TooLarge);
    return kf::writeLaidOut(m, path) ? CollectError() : CollectError(CollectError::OpenFailed);
}

// The single-kit save of kit k.
inline CollectError saveKit(Editor &e, int k, const QString &path, const QString &tempDir)
{
    CollectedWaves got;
    const CollectError err = collectKitWaves(e.kits[k], k, e.library, e.loaded, tempDir, copyRaw, got);
    if (err)
        return err;
    Output out;
    percussionpadfile &m = out.reset(2);
    fillSingleKit(m, k, e.kits[k], got.waveAttrList);
    if (!fillKitFileSounds(m, got.waveAttrList, got.waveList) || !m.calculateChunkSize())
        return CollectError(CollectError::TooLarge);
    return kf::writeLaidOut(m, path, k) ? CollectError() : CollectError(CollectError::OpenFailed);
}

inline void forgetTables(Records::READ_KIT_FILE &rec)
{
    rec.info.kitChunk.baseChunk = nullptr;
    rec.info.kitChunk.pedalChunk = nullptr;
    rec.info.kitChunk.kpadChunk = nullptr;
}

// The whole-setup load into a fresh editor state.
inline LoadError loadWholeSetup(Editor &e, const QString &path)
{
    Records::READ_KIT_FILE rec;
    KitTables tables;
    LoadError err = readWholeSetupFile(path, rec, tables);
    if (err != LoadError::None)
        return err;
    WholeSetupSounds sounds;
    err = takeWholeSetupSounds(path, rec.info, sounds);
    if (err != LoadError::None)
        return err;
    e = Editor();
    const QHash<quint16, int> byNumber = lastByNumber(sounds.waves);
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        LoadedKit lk = kitFromFile(rec.info, k, k + 1, true);
        resolveByNumber(lk.kit, sounds.waves, byNumber);
        e.kits[k] = lk.kit;
        e.selection[k] = lk.kitIndexByte;
    }
    for (Records::SOUND_INDEX s : qAsConst(sounds.waves)) {
        ++s.wave_No;
        e.library.append(s);
    }
    e.clickList = sounds.clickList;
    forgetTables(rec);
    e.loaded.append(rec);
    return LoadError::None;
}

// A kit file into its kit slot; the sounds join the library.
inline LoadError loadKitFile(Editor &e, const QString &path)
{
    Records::READ_KIT_FILE rec;
    KitTables tables;
    LoadError err = readKitFile(path, rec, tables);
    if (err != LoadError::None)
        return err;
    KitFileSounds sounds;
    err = takeKitFileSounds(path, rec.info, e.library, sounds);
    if (err != LoadError::None)
        return err;
    e.library += sounds.entries;
    const int k = rec.kitIndex - 1;
    LoadedKit lk = kitFromFile(rec.info, k, k + 1, false);
    lk.kit.kit_no = quint8(k);
    resolveByPath(lk.kit, path, e.library, lastByFile(e.library));
    e.kits[k] = lk.kit;
    forgetTables(rec);
    e.loaded.append(rec);
    return LoadError::None;
}

// The source of each sound slot of a kit, in slot order.
inline QStringList slotFiles(Kit &k)
{
    QStringList files;
    forEachSoundSlot(k, [&files](auto s) { files.append(s.file); });
    return files;
}

} // namespace sf

#endif

#ifndef KITFILE_FIXTURE_H
#define KITFILE_FIXTURE_H

// Helpers shared by the kit file tests: kit storage, WAV files and whole
// setups / single kits written through the model in the order callers use.

#include "model/percussionpadfile1.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVector>

#include <cstring>
#include <memory>
#include <vector>

namespace kf {

using Model = percussionpadfile;
using PadRow = percussionpadfile::P_KIT_PAD_SETTING[PAD_NUM_MAX];

inline quint16 rd16(const QByteArray &b, qint64 at)
{
    return quint16(uchar(b.at(int(at))) | (uchar(b.at(int(at + 1))) << 8));
}

inline quint32 rd32(const QByteArray &b, qint64 at)
{
    return quint32(uchar(b.at(int(at)))) | (quint32(uchar(b.at(int(at + 1)))) << 8)
           | (quint32(uchar(b.at(int(at + 2)))) << 16) | (quint32(uchar(b.at(int(at + 3)))) << 24);
}

inline void wr16(QByteArray &b, int at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

inline void wr32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

// A complete 48 kHz 16-bit stereo WAV file with `dataBytes` bytes of samples.
inline QByteArray wavBytes(int dataBytes, quint32 seed)
{
    QByteArray b(44 + dataBytes, '\0');
    std::memcpy(b.data(), "RIFF", 4);
    wr32(b, 4, quint32(36 + dataBytes));
    std::memcpy(b.data() + 8, "WAVEfmt ", 8);
    wr32(b, 16, 16);
    wr16(b, 20, 1);
    wr16(b, 22, 2);
    wr32(b, 24, 48000);
    wr32(b, 28, 48000 * 4);
    wr16(b, 32, 4);
    wr16(b, 34, 16);
    std::memcpy(b.data() + 36, "data", 4);
    wr32(b, 40, quint32(dataBytes));
    quint32 x = seed * 2654435761u + 1;
    for (int i = 0; i < dataBytes; ++i) {
        x = x * 1103515245u + 12345u;
        b[44 + i] = char(x >> 24);
    }
    return b;
}

// Kit storage for 100 kits, as the editor owns it.
struct KitStorage
{
    std::vector<Model::P_KIT_BASE_PARA> base = std::vector<Model::P_KIT_BASE_PARA>(KIT_MAX_COUNT);
    std::vector<Model::P_PEDAL_SETTING> pedal = std::vector<Model::P_PEDAL_SETTING>(KIT_MAX_COUNT);
    std::unique_ptr<PadRow[]> pads{new PadRow[KIT_MAX_COUNT]};

    void attach(Model &m)
    {
        m.kitChunk.baseChunk = base.data();
        m.kitChunk.pedalChunk = pedal.data();
        m.kitChunk.kpadChunk = pads.get();
    }

    // Every kit gets distinct settings; the waves in `waves` are spread over
    // pad layers and hi-hat slots, the rest is "no wave".
    void fill(const QVector<quint16> &waves, quint32 seed)
    {
        quint32 x = seed | 1u;
        auto next = [&x]() {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            return x;
        };
        auto waveAt = [&](int slot) -> quint16 {
            if (waves.isEmpty() || slot % 3 == 2)
                return 0xFFFF;
            return waves.at(slot % waves.size());
        };
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            Model::P_KIT_BASE_PARA &b = base[size_t(k)];
            Model::str2CharArray(QStringLiteral("KIT%1").arg(k), b.kit_name, KIT_NAME_FIELD);
            b.kit_no = quint8(k);
            b.kit_volume = quint8(next());
            b.kit_tempo = quint8(next());
            b.click_beat = quint8(next());
            b.click_volune = quint8(next());
            b.pad_link1 = quint8(next());
            b.pad_link2 = quint8(next());
            b.kit_effect1_state = quint8(next());
            b.kit_effect2_state = quint8(next());
            b.kit_effect3_state = quint8(next());
            b.kit_effect1 = quint8(next());
            b.effect1_no = quint8(next());
            b.effect1_ctrl1 = quint16(next());
            b.effect1_ctrl2 = quint16(next());
            b.effect1_ctrl3 = 999;
            b.kit_effect2 = quint8(next());
            b.effect2_no = quint8(next());
            b.effect2_ctrl1 = quint16(next());
            b.effect2_ctrl2 = quint16(next());
            b.effect2_ctrl3 = quint16(next());
            b.kit_effect3 = quint8(next());
            b.effect3_no = quint8(next());
            b.effect3_ctrl1 = quint16(next());
            b.effect3_ctrl2 = quint16(next());
            b.effect3_ctrl3 = quint16(next());
            b.bottom_color = quint8(next());
            b.work_color = quint8(next());
            b.pad_volume = quint8(next());
            std::memset(b.reserved, 0, sizeof b.reserved);

            Model::P_PEDAL_SETTING &p = pedal[size_t(k)];
            p = Model::P_PEDAL_SETTING();
            p.hh_wave1_no = waveAt(k * 43 + 38);
            p.hh_wave2_no = waveAt(k * 43 + 39);
            p.hh_wave3_no = waveAt(k * 43 + 40);
            p.hh_wave4_no = waveAt(k * 43 + 41);
            p.hh_wave5_no = waveAt(k * 43 + 42);
            p.pedal_contrl = quint8(next());
            p.hh_layer1 = quint8(next());
            p.hh_layer5 = quint8(next());
            p.hh_wave2_length = next();
            p.hh_midi_code = quint8(next());
            p.pad_link3_2 = quint8(next());
            p.active_fx = quint8(next());
            p.active_effectCtrl2 = quint16(next());

            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                Model::P_KIT_PAD_SETTING &pad = pads[k][j];
                pad = Model::P_KIT_PAD_SETTING();
                pad.aWaveNo = waveAt(k * 43 + 2 * j);
                pad.bWaveNo = j >= EXTEND_INPUT_NUM ? quint16(0xFFFF) : waveAt(k * 43 + 2 * j + 1);
                pad.aWaveLength = next();
                pad.aWaveVolume = quint8(next());
                pad.aWavePan = quint8(next());
                pad.bWaveDecay = quint8(next());
                pad.padNo = quint8(j);
                pad.midi_code = quint8(next());
                pad.mode = quint8(next());
                pad.pad_fs_ctrl = quint8(next());
            }
        }
    }
};

// One sound placed into a kit file.
struct TestSound
{
    QString name;
    quint16 waveNo = 0;
    QString file;          // source path (may be "kitfile:Unnnnn")
    quint32 offset = 0;    // where the bytes start in the source
    quint32 length = 0;    // wave_length
    quint8 lock = 0;
};

inline void fillEntry(Model::P_SOUND_INDEX &e, const TestSound &s)
{
    std::memset(e.wave_name, 0, sizeof e.wave_name);
    Model::str2CharArray(s.name, e.wave_name, SOUND_NAME_LENGTH_MAX);
    e.wave_No = s.waveNo;
    e.wave_lock = s.lock;
    e.reserved = 0;
    e.wave_length = s.length;
    e.fileName = s.file;
    e.fileOffset = s.offset;
    e.fileSize = s.length;
}

// Writes a laid-out model to path in the save's order: a whole setup, or
// element `kit` as a single kit when its curFlag is 2.
inline bool writeLaidOut(Model &m, const QString &path, int kit = 0)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (m.curFlag == 2) {
        m.writeIndexChunk(&f);
        m.writeSkitChunk(&f);
        m.writeSkitChunkPad(&f, kit);
        return m.writeKitSoundChunk(&f);
    }
    m.writeIdentityChunk(&f);
    m.writeIndexChunk(&f);
    m.writeGlobalChunk(&f);
    m.writeSkitChunk(&f);
    m.writeSkitChunkKit(&f);
    m.writeWaveNodeChunk(&f, 0);
    m.writeWaveNodeChunk(&f, 1);
    return m.writeSoundChunk(&f);
}

// Writes a whole setup the way the save does. `table` may be the model's own
// table or an external one of WAVE_MAX_COUNT1 entries.
inline bool writeWholeSetup(Model &m, KitStorage &kits, const QVector<TestSound> &sounds,
                            const QVector<quint16> &listOrder, const QVector<quint16> &kitOrder,
                            const QString &path, bool back = false,
                            Model::P_SOUND_INDEX *table = nullptr)
{
    m.curFlag = 0;
    m.initFileChunk();
    kits.attach(m);
    if (table)
        m.soundChunk.soundIndex = table;
    if (back)
        std::memcpy(m.identityChunk.reserved + 2, "BACK", 4);
    m.kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
    m.soundChunk.soun = Model::str2int(QStringLiteral("SOUN"));
    m.kitChunk.kit_count = KIT_MAX_COUNT;
    for (int i = 0; i < sounds.size(); ++i)
        fillEntry(m.soundChunk.soundIndex[i], sounds.at(i));
    m.soundChunk.soundCount = quint16(sounds.size());
    if (!m.setWaveNodeLists(listOrder, kitOrder))
        return false;
    return m.calculateChunkSize() && writeLaidOut(m, path);
}

// Writes element `kit` of the storage as a single-kit file with `sounds`
// (numbered 1..n by the caller's kit record).
inline bool writeSingleKit(Model &m, KitStorage &kits, int kit, const QVector<TestSound> &sounds,
                           const QString &path)
{
    m.curFlag = 2;
    m.initFileChunk();
    kits.attach(m);
    kits.base[size_t(kit)].kit_no = quint8(kit + 1);
    m.kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
    m.soundChunk.soun = Model::str2int(QStringLiteral("SOUN"));
    m.kitChunk.kit_count = 1;
    for (int i = 0; i < sounds.size(); ++i)
        fillEntry(m.soundChunk.soundIndex[i], sounds.at(i));
    m.soundChunk.soundCount = quint16(sounds.size());
    return m.calculateChunkSize() && writeLaidOut(m, path, kit);
}

// Reads a whole setup in the loader's order into m and kits.
inline bool readWholeSetup(Model &m, KitStorage &kits, const QString &path)
{
    m.curFlag = 0;
    m.initFileChunk();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    if (!m.getChunkIndex(&f))
        return false;
    kits.attach(m);
    if (!m.readGlobalChunk(&f) || !m.readSkitChunk(&f) || !m.readSounChunk(&f))
        return false;
    m.kitFileName = path;
    return true;
}

} // namespace kf

#endif // KITFILE_FIXTURE_H

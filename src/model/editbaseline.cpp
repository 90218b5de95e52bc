#include "model/editbaseline.h"

#include "model/kitrecordmap.h"

#include <QDataStream>

#include <algorithm>
#include <iterator>

QByteArray EditBaseline::kitSnapshot(const Kit &kit)
{
    Kit k = kit;
    k.kit_no = 0;
    std::fill(std::begin(k.reserved), std::end(k.reserved), 0);
    kitrecord::forEachHiHatWave(k.pedalChunk, [](int, auto &, auto &, auto &cluster, auto &length, auto &start,
                                                 auto &end) { cluster = length = start = end = 0; });
    uchar record[KIT_BASE_SIZE + KIT_PEDAL_SIZE] = {};
    kitrecord::packKitBase(record, k);
    kitrecord::packKitPedal(record + KIT_BASE_SIZE, k.pedalChunk);
    QByteArray out(reinterpret_cast<const char *>(record), KIT_BASE_SIZE + KIT_PEDAL_SIZE);
    QDataStream ds(&out, QIODevice::Append);
    for (MainWindow1Records::KIT_PAD_SETTING &pad : k.kpadChunk) {
        pad.aWaveStartCluster = pad.aWaveLength = pad.aWaveStart = pad.aWaveEnd = 0;
        pad.bWaveStartCluster = pad.bWaveLength = pad.bWaveStart = pad.bWaveEnd = 0;
        uchar packed[KIT_PAD_SIZE] = {};
        kitrecord::packKitPad(packed, pad);
        ds.writeRawData(reinterpret_cast<const char *>(packed), KIT_PAD_SIZE);
        ds << pad.soundName0 << pad.soundFile0 << pad.soundName1 << pad.soundFile1;
    }
    const MainWindow1Records::PEDAL_SETTING &h = k.pedalChunk;
    ds << k.kit_name << h.hh_wave1_name << h.hh_wave1_file << h.hh_wave2_name << h.hh_wave2_file << h.hh_wave3_name
       << h.hh_wave3_file << h.hh_wave4_name << h.hh_wave4_file << h.hh_wave5_name << h.hh_wave5_file;
    return out;
}

void EditBaseline::setKits(const QVector<Kit> &kits)
{
    m_kits.clear();
    for (const Kit &k : kits)
        m_kits.append(kitSnapshot(k));
}

void EditBaseline::setKit(int kit, const Kit &record)
{
    if (kit < 0)
        return;
    if (kit >= m_kits.size())
        m_kits.resize(kit + 1);
    m_kits[kit] = kitSnapshot(record);
}

void EditBaseline::setGlobal(const QByteArray &chunk)
{
    m_global = chunk;
}

void EditBaseline::setGlobalChains(const QByteArray &chunk)
{
    constexpr int end = KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE;
    if (chunk.size() < end || m_global.size() < end)
        return; // no block to take, or none kept to replace
    m_global.replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE,
                     chunk.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE));
}

bool EditBaseline::differs(const QVector<Kit> &kits, const QByteArray &globalChunk) const
{
    if (globalChunk != m_global || kits.size() != m_kits.size())
        return true;
    for (int k = 0; k < kits.size(); ++k) {
        if (kitSnapshot(kits.at(k)) != m_kits.at(k))
            return true;
    }
    return false;
}

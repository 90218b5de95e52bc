#include "device/kitwaves.h"

void WaveFileIndex::add(const QString &file, int number, const QString &name)
{
    m_byFile.insert(file, Entry{quint16(number), name});
}

bool WaveFileIndex::find(const QString &file, quint16 *number, QString *name) const
{
    const auto it = m_byFile.constFind(file);
    if (it == m_byFile.constEnd())
        return false;
    *number = it->number;
    *name = it->name;
    return true;
}

namespace {
bool refreshSlot(const WaveFileIndex &index, const QString &file, quint16 &number, QString &name)
{
    return !file.isEmpty() && index.find(file, &number, &name);
}
} // namespace

int refreshKitWaves(MainWindow1Records::soundKit &kit, const WaveFileIndex &index)
{
    int matched = 0;
    for (MainWindow1Records::KIT_PAD_SETTING &pad : kit.kpadChunk) {
        matched += refreshSlot(index, pad.soundFile0, pad.aWaveNo, pad.soundName0);
        matched += refreshSlot(index, pad.soundFile1, pad.bWaveNo, pad.soundName1);
    }
    MainWindow1Records::PEDAL_SETTING &h = kit.pedalChunk;
    matched += refreshSlot(index, h.hh_wave1_file, h.hh_wave1_no, h.hh_wave1_name);
    matched += refreshSlot(index, h.hh_wave2_file, h.hh_wave2_no, h.hh_wave2_name);
    matched += refreshSlot(index, h.hh_wave3_file, h.hh_wave3_no, h.hh_wave3_name);
    matched += refreshSlot(index, h.hh_wave4_file, h.hh_wave4_no, h.hh_wave4_name);
    matched += refreshSlot(index, h.hh_wave5_file, h.hh_wave5_no, h.hh_wave5_name);
    return matched;
}

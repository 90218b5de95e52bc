#include "model/wavekitindex.h"

void WaveKitIndex::add(quint16 waveNo, int entry)
{
    if (!m_first.contains(waveNo))
        m_first.insert(waveNo, entry);
}

void WaveKitIndex::clear()
{
    m_first.clear();
}

int WaveKitIndex::count() const
{
    return m_first.size();
}

int WaveKitIndex::firstEntry(quint16 waveNo) const
{
    return m_first.value(waveNo, -1);
}

bool WaveKitIndex::contains(quint16 waveNo) const
{
    return m_first.contains(waveNo);
}

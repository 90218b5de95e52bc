#ifndef WAVEKITINDEX_H
#define WAVEKITINDEX_H

#include <QtGlobal>
#include <QHash>

// Maps a wave number to the position of the first entry of a sound table that
// carries it, so kits can find their waves without scanning the table per pad.
class WaveKitIndex
{
public:
    // Indexes the first `count` entries of `table`; T must have a quint16 wave_No.
    template <typename T>
    void build(const T *table, int count)
    {
        m_first.clear();
        if (!table || count <= 0)
            return;
        for (int i = 0; i < count; ++i) {
            if (!m_first.contains(table[i].wave_No))
                m_first.insert(table[i].wave_No, i);
        }
    }

    // Position of the first entry with waveNo, or -1.
    int firstEntry(quint16 waveNo) const { return m_first.value(waveNo, -1); }

private:
    QHash<quint16, int> m_first;
};

#endif // WAVEKITINDEX_H

#ifndef WAVEKITINDEX_H
#define WAVEKITINDEX_H

#include <QtGlobal>
#include <QHash>

// Maps a wave number to the position of the first entry of a sound table that
// carries it, so kits can find their waves without scanning the table per pad.
class WaveKitIndex
{
public:
    WaveKitIndex() = default;

    // Indexes the first `count` entries of `table`; T must have a quint16 wave_No.
    template <typename T>
    void build(const T *table, int count)
    {
        clear();
        if (!table || count <= 0)
            return;
        m_first.reserve(count);
        for (int i = 0; i < count; ++i)
            add(table[i].wave_No, i);
    }

    // Records position `entry` for waveNo unless an earlier one is known.
    void add(quint16 waveNo, int entry);
    void clear();
    int count() const;

    // Position of the first entry with waveNo, or -1.
    int firstEntry(quint16 waveNo) const;
    bool contains(quint16 waveNo) const;

private:
    QHash<quint16, int> m_first;
};

#endif // WAVEKITINDEX_H

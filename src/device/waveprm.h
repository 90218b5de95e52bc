#ifndef ZT_DEVICE_WAVEPRM_H
#define ZT_DEVICE_WAVEPRM_H

// The pad's wave parameter record (.prm, 64 bytes) and how the writing of
// an added sound's .wav/.prm pair ends.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace waveprm {

constexpr int PRM_RECORD_SIZE = 64;
constexpr int SOUND_NAME_LENGTH_1 = 20; // name field of the record
constexpr int WAVE_FOLDER_MAX = 100;

// The fields of a record; missing bytes of a short file read as 0.
struct PrmRecord {
    quint16 waveNo = 0;
    QByteArray nameField; // the 20 bytes of the name
    quint32 start_cluster = 0;
    quint32 wave_length = 0;
    quint32 wave_start = 0;
    quint32 wave_end = 0;
    quint32 size = 0;
    quint8 wave_lock = 0;
};
PrmRecord parseRecord(const QByteArray &bytes);

// Sample frames after the header of a .wav of `wavSize` bytes: (S >> 2) - 11.
quint32 waveLength(quint32 wavSize);
// The 64 bytes of wave waveNo with `name` (Latin-1, 20 bytes) for a .wav of
// wavSize bytes: cluster and start 0, length and end from the size, lock 1.
QByteArray buildRecord(quint16 waveNo, const QString &name, quint32 wavSize);

enum class WaveWrite {
    Written, // both files are on the pad
    ConversionFailed, // nothing of this sound is left on the pad; go on
    Blocked, // an entry stands at a name of the sound, or a folder is a link: nothing written; go on
    Stopped // the pad cannot take more (folder, ffmpeg, a write the pad refused, another pad at its place)
};

} // namespace waveprm

#endif

#ifndef ZT_DEVICE_WAVEPRM_H
#define ZT_DEVICE_WAVEPRM_H

// The pad's wave parameter record (.prm, 64 bytes) and the writing of one
// added sound as its .wav/.prm pair.

#include "device/padtree.h"
#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class audioconverter;

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

// Converts `source` into WAV_DATA/fff/rrr.wav and writes WAV_PRM/fff/rrr.prm
// of `tree` for wave waveNo: a batch of one sound (see pairbatch::AddBatch). Both
// folders are reached from padRoot one folder at a time before either file is
// written: a folder that is a link or lies on another volume blocks the
// sound. A stop at any point leaves the pair whole, under hidden names, or
// gone; a sound that fails leaves nothing of its own under the number.
// Without a valid padRoot, or with folders that are not absolute, nothing is
// written. A write the pad refuses stops the sound, its errno in *refusal.
WaveWrite writeDeviceWave(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                          const PadTreePaths &tree, const ztplatform::FolderAnchor &padRoot, int *refusal = nullptr);

} // namespace waveprm

#endif

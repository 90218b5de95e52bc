#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// Reading the format of a WAV file for the sound information line.
namespace waveprobe {

struct Format
{
    bool riff = false;   // "RIFF" at the start
    bool hasFmt = false; // the format fields were found
    quint16 formatTag = 0; // 1 integer PCM, 3 float (plain files only)
    quint16 blockAlign = 0; // bytes per frame (plain files only)
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bits = 0;
};

// A plain file: walks the chunks of a WAVE file from offset 12 to "fmt " and
// reads its fields; only bytes that exist are read.
Format probePlain(QIODevice &dev);
// A stored sound at `offset`: the fields at their fixed places in a canonical
// header (+22 channels, +24 rate, +34 bits), as far as the bytes exist.
Format probeStored(QIODevice &dev, qint64 offset);

// "16bit/48000Hz/Stereo"; the parts of a format without fields stay empty,
// and a channel count other than 1 or 2 leaves the last part empty.
QString infoLine(const Format &f);

} // namespace waveprobe

namespace waveprobe {
// Offset of the first chunk `tag` after the RIFF header, its declared size
// in *length; -1 when the file is not RIFF of form "WAVE" or the chunk is
// not there.
qint64 findChunk(QIODevice &dev, const char *tag, quint32 *length);
// The declared size of the "data" chunk of a WAVE file, found by walking its
// chunks; 0 when the file is not one or has no such chunk.
quint32 dataBytes(QIODevice &dev);
} // namespace waveprobe

#pragma once

#include "library/groupentries.h"
#include "model/audioconverter.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

// Telling sound files from other files before they enter the library.
namespace audioprobe {

// What probeEach found of one file.
enum class Verdict {
    Audio,
    NotAudio,
    TooLong, // ffmpeg was killed: its run took too long
    Silent,  // its drive did not answer within 2 s: not taken
    Stopped, // not judged: the stop came first
};

// For every path on `threads` worker threads (0: one per core), one verdict
// per path: Audio for a regular file holding sound whose conversion to the
// pad's form writes at least one sample (a plain PCM WAV long enough to vouch
// for is read, any other file is converted for a moment by ffmpeg). Nothing
// below the folder `fence` fenced is read. The calling thread waits in `wait`, called about every
// 20 ms with the number of paths done, until all are done. With `bytes`, each
// file that is audio is read whole on its worker too, for what tells its
// bytes apart (their length, SHA-256 and the stamp of the file as read; not
// known when it could not be read whole), one per path. Once *stop (when
// given) is true, no file is begun any more and running ffmpeg runs are
// killed; the files not judged by then are Stopped. Each ffmpeg run keeps
// `limits`. A file given up on stays silent in `silent` (none: in a registry
// of this call's own) until its look returns.
QVector<Verdict> probeEach(const QStringList &paths, const std::function<void(int done)> &wait, int threads = 0,
                           QVector<groupentries::Identity> *bytes = nullptr, const std::atomic_bool *stop = nullptr,
                           const audioconverter::Limits &limits = audioconverter::Limits(),
                           const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                           std::shared_ptr<ztplatform::SilentFiles> silent = nullptr);

} // namespace audioprobe

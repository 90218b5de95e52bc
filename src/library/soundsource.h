#pragma once

#include "model/mainwindow1records.h"
#include "kitfile/storedsounds.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

class QIODevice;
namespace ztplatform {
class FolderFence;
}

// Sound source paths: a plain audio file, or a sound stored inside a kit file
// written as the kit file's path, ":U" and five digits.
namespace soundsource {

using Records = MainWindow1Records;

enum class Form { Plain, WholeSetup, SingleKit };

struct Stored
{
    Form form = Form::Plain;
    quint16 number = 0; // the five digits, low 15 bits
    QString kitFile;    // the kit file's path with "/" separators
};

// A stored sound ends in ":U" and exactly five digits, as the setup files
// read it; anything else is a plain file. A kit file ending in ".bin" (any
// letter case) is a whole setup, any other a single kit.
Stored parse(const QString &source);
inline bool isStored(const QString &source)
{
    return parse(source).form != Form::Plain;
}

// The sound table entry of a stored sound. Whole-setup numbers 10000 to 10004
// are the metronome sounds (entries 0 to 4); lower ones stand after them when
// clicksFirst. -1 for a plain source or a number that names no entry.
int tableEntry(const Stored &s, bool clicksFirst);

// True when `entry` lies within the kit file's sound table.
bool inTable(const Records::READ_KIT_FILE &kit, int entry);

// Finds stored sounds in the loaded kit files (the first loaded by the
// sound's path, else the first that is the same file now): the table entry
// whose source is the sound's, else (no entry carries it) the entry
// tableEntry gives. Each kit file's sources are hashed at their first use.
class StoredEntries
{
public:
    // `wait` (when given) waits on a look at a drive (the window paints
    // meanwhile); a look given up on stays silent in `silent`.
    StoredEntries(const QVector<Records::READ_KIT_FILE> &loaded, bool clicksFirst,
                  std::shared_ptr<ztplatform::SilentFiles> silent, ztplatform::Waiter wait = {});
    // The entry of `source` in its loaded kit file *kit; -1 when the file is
    // not loaded (*kit null) or the entry lies outside its table.
    int find(const QString &source, const Records::READ_KIT_FILE **kit);

private:
    setupfiles::StoredSoundLocator m_locator;
    bool m_clicksFirst;
    QHash<int, QHash<QString, int>> m_sources; // loaded file -> source -> first entry
};

// True for a converted wave in the pad's sound folder ("zt350/wav_data" in
// any letter case, with either separator).
bool isPadWave(const QString &path);

// Which side ended a stored wave's copy short: the kit file (it could not be
// opened, is no regular file or ends early; Changed: it is not the file the
// load read) or the target.
enum class CopyFault { None, Read, Write, Changed };

// Asked about the kit file as the copy opened it (its stamp): true when it is
// still the file the load read (setupfiles::matchesLoad).
using LoadCheck = std::function<bool(const ztplatform::FileStamp &opened)>;

// Copies `length` bytes from `offset` of kitFile to target (created or
// truncated; opened without waiting and never through a link, and only a
// regular file is written) in blocks of 64 KiB, until *stop (when
// given) turns true. Returns the bytes written; the copy is complete only
// when that equals length. A kit file that cannot be opened leaves the
// target untouched and gives 0, and so does one `asLoaded` (when given)
// refuses, or one opened after *stop turned true. *fault (when given) says
// which side failed. `moved` (when given) runs once the kit file is open and
// after each block. A kit file below the folder `fence` fenced is not read.
quint64 copyStoredWave(const QString &kitFile, quint32 offset, quint32 length, const QString &target,
                       const std::atomic_bool *stop = nullptr, CopyFault *fault = nullptr,
                       const LoadCheck &asLoaded = {}, const std::function<void()> &moved = {},
                       const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);
// The same into an open device, from its position.
quint64 copyStoredWave(const QString &kitFile, quint32 offset, quint32 length, QIODevice &out,
                       const std::atomic_bool *stop = nullptr, CopyFault *fault = nullptr,
                       const LoadCheck &asLoaded = {}, const std::function<void()> &moved = {},
                       const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// The detail sentence of ffmpeg's failure 1 to 4 (audioconverter::failureKind),
// else an empty text.
QString ffmpegFailureSentence(int failure);
// The last `lines` lines of a tool's text (progress lines included), each
// trimmed, at most 400 characters: what a box shows of a log.
QString logTail(const QString &log, int lines = 3);

// "mm:ss" below an hour, else "hh:mm:ss"; always "mm:ss" when shortForm.
QString timeText(qint64 ms, bool shortForm = false);

} // namespace soundsource

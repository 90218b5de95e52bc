#pragma once

#include "library/soundsource.h"
#include "model/audioconverter.h"
#include "platform/leftovers.h"
#include "platform/timedlook.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <QDebug>

namespace ztplatform {
class ReplaceFile;
}

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Writing exported sounds without harming files the export did not make.
namespace exportfile {

enum class Outcome { NotRun, Failed, Unreadable, Changed, Unwritable, Written };

// One write under way on a thread of its own, as the thread that waits for
// it sees it: the step it is at, when it last moved on, and the end of
// waiting, after which nothing is put in place any more.
class Watch
{
public:
    // Program: ffmpeg runs, bounded by the converter's own limit. Source: the
    // kit file is opened and read from. Target: the temporary is made or
    // written.
    enum class Step { Target, Source, Program, Place };

    Watch();
    void moved();
    void moved(Step step);
    qint64 sinceMovedMs() const;
    Step step() const { return m_step; }
    // The waiting thread gives up: ffmpeg is stopped and nothing is put in
    // place. False when the file was already being put in place.
    bool giveUp();
    // The writer's last check before the rename: false once given up.
    bool mayPlace();
    // True once the rename began: given up on then, the file may yet be put
    // in place, or not.
    bool placing() const { return m_state == Placing; }
    const std::atomic_bool *stopFlag() const { return &m_stop; }

private:
    enum State { Running, Placing, GivenUp };
    std::atomic_bool m_stop{false};
    std::atomic<qint64> m_lastMove{0};
    std::atomic<Step> m_step{Step::Target};
    std::atomic_int m_state{Running};
};

// The work `running` on its thread waited on, `paint` called meanwhile.
// Nothing when `watch` has not moved on for `stallMs` (ffmpeg's step aside,
// bounded by its own limit): it is given up then, and puts nothing in place
// unless its rename had begun (watch.placing()), whose end is taken when it
// came.
template <typename T>
std::optional<T> waitWatched(Watch &watch, qint64 stallMs, const ztplatform::TimedLook<T> &running,
                             const ztplatform::Waiter &wait)
{
    bool givenUp = false;
    std::optional<T> done = ztplatform::waitUntilStalled<T>(
            running,
            [&]() {
                if (watch.step() == Watch::Step::Program || watch.sinceMovedMs() < stallMs)
                    return false;
                givenUp = watch.giveUp();
                if (!givenUp)
                    qWarning() << "a file was being put in place when its folder stopped answering";
                return true;
            },
            wait);
    if (givenUp)
        return std::nullopt;
    return done;
}

// The same for `work`, started here; run on the calling thread when no
// thread can be started.
template <typename T>
std::optional<T> waitWatched(Watch &watch, qint64 stallMs, const std::function<T()> &work,
                             const ztplatform::Waiter &wait)
{
    const ztplatform::TimedLook<T> running(work);
    if (!running.isStarted())
        return work();
    return waitWatched<T>(watch, stallMs, running, wait);
}

// Converts `source` into the pad's WAV form under a temporary name in the
// folder of `target`, written only through the descriptor that made it,
// renamed over `target` only once complete, synced and given what the file
// it replaces has (ztplatform::ReplaceFile); the folder is left for
// the caller to sync once after its last file. `err` gets ffmpeg's text.
// Written needs ffmpeg's success and at least one frame, whatever warnings
// ffmpeg printed. NotRun when ffmpeg could not be run, Failed when it could
// not convert, Unwritable when the result could not be written or put in
// place (*why, when given, then gets the system's reason, led by the folder
// when that was another than the target's). Unless Written, `target` is as it
// was and the temporary file is gone.
// `notKept` (when given) gets what a replaced file had that the new one has not (ReplaceFile::notKept).
// `watch` (when given) is told each step; once it gave up, the result is
// Unwritable and `target` is as it was. With `createOnly` nothing that
// stands at `target` by the rename is replaced: Unwritable (EEXIST). ffmpeg's
// run keeps `limits`. The target's folder is swept through `leftovers`. A
// source whose open is given up on stays silent in `silent`.
Outcome convert(const QString &source, const QString &target, QString &err, QString *why = nullptr,
                QString *notKept = nullptr, Watch *watch = nullptr, bool createOnly = false,
                const audioconverter::Limits &limits = audioconverter::Limits(),
                const std::shared_ptr<ztplatform::Leftovers> &leftovers = nullptr,
                const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);

// Copies the `length` bytes at `offset` of a kit file into `target` by the
// same temporary file, sync and rename as convert, the folder left alike.
// Unreadable when the kit file cannot be read whole, Changed when, as opened,
// `asLoaded` refuses it, Unwritable when the copy cannot be written (*why as
// for convert). Unless Written, `target` is as it was and the temporary file
// is gone. `watch` and `createOnly` as for convert, the watch told after
// each block too.
Outcome copyStored(const QString &kitFile, quint32 offset, quint32 length, const QString &target,
                   const soundsource::LoadCheck &asLoaded, QString *why = nullptr, Watch *watch = nullptr,
                   bool createOnly = false, const std::shared_ptr<ztplatform::Leftovers> &leftovers = nullptr,
                   const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// copyStored in two steps, so that the copy of one sound can be on its way
// to the disk while another is put in place: write() makes the temporary,
// copies into it and starts its bytes towards the disk (Written when whole);
// place() syncs it, gives it the mode of what it replaces and renames it
// over the target. The temporary goes with the object unless placed.
class StoredCopy
{
public:
    StoredCopy(const QString &target, bool createOnly, const std::shared_ptr<ztplatform::Leftovers> &leftovers);
    ~StoredCopy();
    StoredCopy(const StoredCopy &) = delete;
    StoredCopy &operator=(const StoredCopy &) = delete;

    Outcome write(const QString &kitFile, quint32 offset, quint32 length, const soundsource::LoadCheck &asLoaded,
                  QString *why, Watch *watch, const std::shared_ptr<ztplatform::FolderFence> &fence);
    Outcome place(QString *why, Watch *watch);

private:
    std::unique_ptr<ztplatform::ReplaceFile> m_part;
};

// The files the library's sounds come from (for a stored sound, its kit
// file), to tell whether a target would replace one of them.
class SourceFiles
{
public:
    explicit SourceFiles(const QStringList &sources);
    // True when `path` names an existing file that is one of the sources.
    bool contains(const QString &path);

private:
    QStringList m_sources;
    QSet<QString> m_files; // canonical paths, made at the first existing path
    bool m_made = false;
};

} // namespace exportfile

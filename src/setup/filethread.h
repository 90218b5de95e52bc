#ifndef ZT_SETUP_FILETHREAD_H
#define ZT_SETUP_FILETHREAD_H

// A save's file written, read back, synced and put in place on a thread of
// its own, the window painting meanwhile: a file whose folder has not moved
// on for the limit is given up.

#include "kitfile/filewrite.h"
#include "kitfile/storedsounds.h"
#include "library/exportfile.h"
#include "platform/job.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "setup/savesteps.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace savejob {

constexpr int kStallLimitMs = 5000; // a file's write that has not moved on that long is given up

// The file a save writes, held by the thread that writes it: a thread given
// up on keeps it, and the copy of the model it writes from, until it
// returns; the temporary goes with it unless renamed.
struct FileWrite
{
    // A single-kit file of `kit` (0..99), its model taken once laid out; its
    // folder swept through `leftovers`; written through the disk of `readPast`.
    FileWrite(const QString &dest, int kit, std::shared_ptr<ztplatform::Leftovers> leftovers,
              std::shared_ptr<ztplatform::FolderFence> readPast)
        : out(dest, std::move(leftovers), &ztplatform::diskOf(readPast))
        , kit(kit)
        , fence(std::move(readPast))
    {
    }
    // The whole setup, its image laid out later, before writeFile.
    FileWrite(const QString &dest, std::shared_ptr<ztplatform::Leftovers> leftovers,
              std::shared_ptr<ztplatform::FolderFence> readPast)
        : out(dest, std::move(leftovers), &ztplatform::diskOf(readPast))
        , kit(-1)
        , fence(std::move(readPast))
    {
    }
    // The whole setup, laid out in `laidOut`.
    FileWrite(const QString &dest, const percussionpadfile &laidOut, std::shared_ptr<ztplatform::Leftovers> leftovers,
              std::shared_ptr<ztplatform::FolderFence> readPast)
        : out(dest, std::move(leftovers), &ztplatform::diskOf(readPast))
        , kit(-1)
        , fence(std::move(readPast))
    {
        image.emplace(laidOut);
    }
    ztplatform::ReplaceFile out;
    std::optional<setupfiles::OwnedModel> image; // what is written
    setupfiles::HeldKitFiles held; // loaded kit files its sounds are read from, as checked
    const int kit;
    const std::shared_ptr<ztplatform::FolderFence> fence; // past which it is read back
    exportfile::Watch writing; // open, write, read back, sync
    exportfile::Watch placing; // rename (or keep), folder sync
    std::atomic_bool opened{false}; // its open was tried
    std::atomic_bool renamed{false};
};

// What the writing thread came to.
struct Written
{
    bool opened = false;
    bool modelWritten = false;
    QString unwritten; // why the model's write failed, when the system said
    ztplatform::ReplaceFile::Step failed = ztplatform::ReplaceFile::Step::None;
    QString error;
    QString notKept;
    QString changed; // a held kit file that changed while its sounds were read
};

// Opened beside the target.
Written openFile(FileWrite &w);
// Opened unless it was, written from its image, read back and synced.
Written writeFile(FileWrite &w);

// What the placing thread came to.
struct Placed
{
    bool renamed = false;
    bool synced = false;
    ztplatform::ReplaceFile::Step failed = ztplatform::ReplaceFile::Step::None;
    QString error;
    QString kept; // not renamed: where the new file is kept
};

// Renamed over the target and, with `sync`, the folder synced; or, without
// `rename`, kept.
Placed placeFile(FileWrite &w, bool rename, bool sync = true);

// The system's words for a drive that did not answer in time.
QString timedOut();

// `work` on a thread of its own, the window painting meanwhile; nothing when
// given up (exportfile::waitWatched).
template <typename T>
std::optional<T> offThread(const Run &run, exportfile::Watch &watch, const std::function<T()> &work)
{
    return exportfile::waitWatched<T>(watch, kStallLimitMs, work, run.hooks.wait);
}

// A save's job started and waited on through the run's hooks (runJob, else
// wait, else blocking) until it ends or `giveUp` says so: true once it ended.
bool waitForJob(const Run &run, ztplatform::Job &job, const std::function<bool()> &giveUp);

} // namespace savejob

#endif

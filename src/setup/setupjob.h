#ifndef ZT_SETUP_SETUPJOB_H
#define ZT_SETUP_SETUPJOB_H

// What the save and import jobs share: the seams they are given and the
// result they return, file by file.

#include "platform/job.h"
#include "platform/waiter.h"

#include <QElapsedTimer>
#include <QString>
#include <QVector>

#include <functional>

namespace setupjob {

// What became of a file a job reached: one result for each.
enum class FileOutcome {
    Written,  // the file holds what the job wrote, also when its folder did not sync (told)
    KeptAs,   // a sound (path: its stored source) of a file a save replaces, kept as the file keptAs
    Declined, // the user answered No to replacing it
    Refused,  // the job did not write it (reason)
    Read,     // an import took it in
    NotRead,  // an import passed it over (reason)
};

struct FileResult
{
    QString path;
    FileOutcome outcome = FileOutcome::Refused;
    QString keptAs; // KeptAs: the kept copy; Refused: the new file, when it could not take its target's place
    QString reason; // Refused, NotRead: why, as the user is told
    int kit = -1;   // the kit (0-based) the file is for, -1 for a whole setup
};

// A box the window shows for the job, in the order the job met it.
struct Notice
{
    enum Kind { Information, Warning };
    Kind kind = Warning;
    QString title;
    QString text;
    bool yesButton = false; // the box's one button is Yes, not OK
    QString details = QString(); // the whole of what the text shows cut, for the box's details
};

struct Result
{
    QVector<FileResult> files;
    QVector<Notice> notices;

    void note(Notice::Kind kind, const QString &title, const QString &text)
    {
        notices.append(Notice{kind, title, text});
    }
    // The files with `outcome`, in the order the job reached them.
    QVector<FileResult> with(FileOutcome outcome) const
    {
        QVector<FileResult> out;
        for (const FileResult &f : files) {
            if (f.outcome == outcome)
                out.append(f);
        }
        return out;
    }
};

// The questions a job asks while it runs; the window answers them with its
// boxes, tests with a script.
class Questions
{
public:
    virtual ~Questions() = default;
    // A Yes/No box; true for Yes.
    virtual bool ask(const QString &title, const QString &text) = 0;
};

// Moves the job's progress to `value` of `maximum`; never stops the job.
using Progress = std::function<void(int value, int maximum)>;

// Starts `job` and waits for its end: false once it has not reported for
// `stallMs` (> 0), and then it is let go of. The window shows it in its progress
// box; without a runner it is waited on through a waiter (runWith).
using JobRunner = std::function<bool(ztplatform::Job &job, int stallMs)>;
// The same through `wait` (the calling thread blocks without one).
inline bool runWith(ztplatform::Job &job, int stallMs, const ztplatform::Waiter &wait)
{
    job.start();
    bool stalled = false;
    int seen = job.reports();
    QElapsedTimer moved;
    moved.start();
    const auto ended = [&](int ms) {
        if (job.waitFor(ms))
            return true;
        if (job.reports() != seen) {
            seen = job.reports();
            moved.restart();
        }
        stalled = stallMs > 0 && moved.elapsed() >= stallMs;
        return stalled;
    };
    if (wait)
        wait(ended);
    else
        while (!ended(stallMs > 0 ? qMin(stallMs, 50) : 50)) {
        }
    return !stalled;
}

} // namespace setupjob

#endif

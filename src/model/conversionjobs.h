#ifndef ZT_MODEL_CONVERSIONJOBS_H
#define ZT_MODEL_CONVERSIONJOBS_H

// Sound files converted into the pad's WAV form as audioconverter::
// audioConverterRun converts them, several at once, each on a thread of its
// own, so that the caller only looks at the results.

#include "model/audioconverter.h"
#include "platform/anchoredfolder.h"
#include "platform/waiter.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace ztplatform {
struct FileStamp;
class FolderFence;
class Leftovers;
class SilentFiles;
}

class ConversionJobs
{
public:
    // What one conversion came to.
    struct Done
    {
        bool regular = true;    // the source was a regular file; nothing ran otherwise
        bool converted = false; // audioConverterRun's answer
        QString mesg;           // what ffmpeg printed
        QString faultPath;      // where the output could not be written, and why
        QString faultReason;
        // A source below the root of readBelow() that could not be read: what
        // stands at its name (0 when nothing does or it is unknown) and errno.
        unsigned readType = 0;
        int readError = 0;
        bool rootRefused = false; // its folder was not reached: the root is gone, or another
        bool silent = false;      // an earlier look at the source still waits on its drive, or its open did not answer
    };

    // `program` is the ffmpeg every conversion runs, keeping `limits`; at
    // most `threads` run at once (0: as many as the machine has cores). A
    // target replaced sweeps its folder through `leftovers`; a source is
    // read past `fence`, and not while an earlier look given up on waits on
    // it (`silent`).
    explicit ConversionJobs(const QString &program, int threads = 0,
                            const audioconverter::Limits &limits = audioconverter::Limits(),
                            std::shared_ptr<ztplatform::Leftovers> leftovers = nullptr,
                            std::shared_ptr<ztplatform::FolderFence> fence = nullptr,
                            std::shared_ptr<ztplatform::SilentFiles> silent = nullptr);
    // Stops what runs and what waits; does not wait for it (see settle()).
    ~ConversionJobs();
    ConversionJobs(const ConversionJobs &) = delete;
    ConversionJobs &operator=(const ConversionJobs &) = delete;

    // From now on the sources below `root` are opened below it, one folder at
    // a time: no link is followed, no pipe waited on, only a regular file
    // taken; its bytes are copied beside the target and the copy converted.
    void readBelow(const ztplatform::FolderAnchor &root);
    // Copies `source`, opened below `root` as readBelow() opens it, into
    // `copy`; `moved` runs as its bytes come. False with `done` telling why:
    // what stands at the name, or the failed read or write. `stamp`, when
    // given, gets the stamp of the source as opened.
    static bool copyBelow(const ztplatform::FolderAnchor &root, const QString &source, const QString &copy,
                          const std::atomic_bool &stop, Done &done, const std::function<void()> &moved,
                          ztplatform::FileStamp *stamp = nullptr);
    // `source` converted into `target`, an earlier target removed first; the
    // earlier jobs are begun first. Its number.
    int add(const QString &source, const QString &target);
    // The number of the job from `source` into `target`; -1 when none.
    int find(const QString &source, const QString &target) const;
    // Waits at most `limitMs` for job `job`: its result, or nothing yet.
    std::optional<Done> waitFor(int job, int limitMs) const;
    // How long job `job` has been looking at its source without an answer
    // (a drive that stopped answering); -1 when it is not looking.
    qint64 lookingForMs(int job) const;
    // The caller stops waiting on job `job`'s look: until that look returns,
    // no job looks at its source again (`silent`).
    void giveUp(int job);
    // No job begins any more and running ones are killed. Waits at most
    // `limitMs`, through `wait`, until no conversion writes
    // its target any more; true once none does. A look at a source that
    // never returns is not waited on: it converts nothing afterwards.
    bool settle(int limitMs, const ztplatform::Waiter &wait = {});

private:
    struct State;
    std::shared_ptr<State> m_state;
    int m_threads = 1;
};

#endif

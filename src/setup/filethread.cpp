#include "setup/filethread.h"

#include "kitfile/fileread.h"
#include "platform/errortext.h"

#include <cerrno>

namespace savejob {

namespace {

constexpr qint64 kSyncEvery = qint64(8) << 20;  // bytes forced to the disk on the way
constexpr qint64 kMostEvery = qint64(32) << 20; // on a disk that takes them at once

} // namespace

QString timedOut()
{
    return ztplatform::errorText(ETIMEDOUT);
}

Written openFile(FileWrite &w)
{
    Written done;
    done.opened = w.out.open();
    w.opened = true;
    done.failed = w.out.failedStep();
    done.error = w.out.errorString();
    return done;
}

Written writeFile(FileWrite &w)
{
    Written done = w.opened ? Written() : openFile(w);
    done.opened = !w.out.failed();
    exportfile::Watch &watch = w.writing;
    if (done.opened && w.image) {
        watch.moved();
        w.out.watchWrites(
                [&watch]() {
                    if (*watch.stopFlag())
                        return false;
                    watch.moved();
                    return true;
                },
                kSyncEvery, kMostEvery);
        const bool whole = w.kit < 0;
        QHash<QString, int> held;
        for (auto it = w.held.constBegin(); it != w.held.constEnd(); ++it)
            held.insert(it.key(), it->fd->get());
        done.modelWritten =
                setupfiles::writeKitFile(w.image->model(), w.out.file(), whole ? 0 : w.kit, &done.unwritten, &held);
        if (done.modelWritten)
            done.changed = setupfiles::changedHeld(w.held);
        watch.moved();
        // The disk writes the last bytes while the file is read back.
        if (done.modelWritten && w.out.startWriteBack()
            && w.out.readBack(
                    [whole, &w](const QString &path) { return setupfiles::readsBack(path, whole, w.fence); })) {
            watch.moved();
            w.out.finish();
        }
    }
    done.failed = w.out.failedStep();
    done.error = w.out.errorString();
    done.notKept = w.out.notKept();
    return done;
}

Placed placeFile(FileWrite &w, bool rename, bool sync)
{
    Placed done;
    w.placing.moved(exportfile::Watch::Step::Place);
    if (!w.placing.mayPlace())
        return done;
    if (rename && w.out.rename()) {
        done.renamed = w.renamed = true;
        w.placing.moved();
        done.synced = sync && w.out.syncFolder();
    } else {
        done.kept = w.out.keep();
    }
    done.failed = w.out.failedStep();
    done.error = w.out.errorString();
    return done;
}

bool waitForJob(const Run &run, ztplatform::Job &job, const std::function<bool()> &giveUp)
{
    if (run.hooks.runJob)
        return run.hooks.runJob(job, giveUp);
    job.start();
    const auto over = [&job, &giveUp](int ms) { return job.waitFor(ms) || giveUp(); };
    if (run.hooks.wait)
        run.hooks.wait(over);
    else
        while (!over(20)) {
        }
    return job.isFinished();
}

} // namespace savejob

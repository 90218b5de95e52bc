#ifndef ZT_DEVICE_SYNCBATCH_H
#define ZT_DEVICE_SYNCBATCH_H

#include "device/padtree.h"
#include "device/padwatch.h"
#include "platform/anchoredfolder.h"
#include "platform/regularfile.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVector>

#include <memory>

class QSemaphore;
class QThread;
class UsbUpdate;
namespace pairbatch {
struct Shared;
}

// One batch of pad writes on worker threads: two workers for added sounds,
// one for up to 100 deletions and two above, each staging its share of one
// batch (pairbatch) that the last of them commits. Lives on the GUI thread, which
// receives the workers' reports through it. An adding worker ends its own
// thread when its call has returned; the batch waits for that thread and the
// worker deletes itself with it. A deleting worker runs on a thread of the
// application's pool, so that no thread is started and ended per deletion;
// the batch deletes it once its call has returned.
class SyncBatch : public QObject {
    Q_OBJECT

public:
    enum Kind { Idle, Adding, Deleting };
    static constexpr int DELETE_ONE_WORKER_MAX = 100;

    struct Sound {
        int waveNo = 0;
        QString source; // the file to convert
        QString name; // the name for the record
    };

    explicit SyncBatch(QObject *parent = nullptr);
    ~SyncBatch() override; // waits for running workers

    // The first n / 2 sounds go to worker 1, the rest to worker 2. False, and
    // nothing started, when there is nothing to add or a batch is running.
    bool startAdd(const QVector<Sound> &sounds);
    // Deletes the pairs of the .wav paths; of those in `halfPairs` also what
    // is left when one file of the pair is gone. False when there is nothing
    // to delete or a batch is running.
    bool startDelete(const QVector<QString> &paths, const QSet<QString> &halfPairs = {});

    Kind kind() const { return m_kind; }
    bool isRunning() const { return m_kind != Idle; }
    // Workers of the latest batch (1 or 2).
    int workerCount() const { return m_workerCount; }
    // Workers not yet deleted.
    int liveWorkers() const { return !m_slots[0].worker.isNull() + !m_slots[1].worker.isNull(); }
    // Blocks until the running workers have returned, then delivers their
    // remaining reports, so progress, failures and finished() have all been
    // emitted when it returns.
    void waitForFinished();

    // The ffmpeg the adding workers run; the converter's default when empty.
    void setConverterProgram(const QString &program) { m_program = program; }
    // The pad's root as loaded and its tree: the workers write and remove
    // only below the root, in the tree's folders, and nothing without a root.
    // A sound's source is read past `fence` (none: nothing fenced), and not
    // while an earlier look given up on waits on it (`silent`).
    void setPad(const ztplatform::FolderAnchor &root, const PadTreePaths &tree,
                std::shared_ptr<ztplatform::FolderFence> fence = nullptr,
                std::shared_ptr<ztplatform::SilentFiles> silent = nullptr)
    {
        m_padRoot = root;
        m_tree = tree;
        m_fence = std::move(fence);
        m_silent = std::move(silent);
    }
    // Nobody waits for the running batch any more: its workers reach the pad
    // no more, and what they wrote is left to the pad's journal.
    void abandon() const { m_pace.abandon(); }
    // Milliseconds since the running batch last made progress: a sound
    // converted on, a byte reached the pad, a look at it returned, a step ended.
    qint64 sinceProgress() const { return m_pace.sinceBeat(); }

signals:
    // The sounds or paths handled since the last one: one a sound added,
    // several paths of a deletion together.
    void progress(int value);
    // An added sound that is not on the pad (failed conversion or a stop),
    // with the errno of a write the pad refused (0 for none); comes before
    // finished().
    void waveFailed(int waveNo, QString source, int refusal);
    // An added sound now on the pad and the size of the .wav written for
    // it; comes before finished().
    void waveWritten(int waveNo, qint64 bytes);
    // A path of a deletion whose pair stays on the pad, why
    // (UsbUpdate::NotRemoved) and the errno of the refusal (0 for none); comes
    // before finished().
    void deleteFailed(QString path, int why, int error);
    // Every worker of the batch has returned and its thread has ended.
    void finished();

private slots:
    void workerFinished(int threadId, bool completed);

private:
    struct Slot {
        QPointer<UsbUpdate> worker;
        QThread *thread = nullptr;
        std::shared_ptr<QSemaphore> returned; // a pooled worker's: released as its call returns
        bool running = false;
    };

    UsbUpdate *startWorker(int slot);
    void connectWorker(UsbUpdate *worker);
    void runPooled(int slot, const std::shared_ptr<pairbatch::Shared> &shared, const QVector<QString> &paths);
    void releaseWorker(int slot);
    void beginPace();

    Slot m_slots[2];
    Kind m_kind = Idle;
    int m_workerCount = 0;
    QString m_program;
    ztplatform::FolderAnchor m_padRoot;
    std::shared_ptr<ztplatform::FolderFence> m_fence;
    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    PadPace m_pace;                      // the running batch's
    ztplatform::FolderAnchor m_batchRoot; // m_padRoot on m_pace
    PadTreePaths m_tree;
};

#endif

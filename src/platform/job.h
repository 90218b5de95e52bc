#ifndef ZT_PLATFORM_JOB_H
#define ZT_PLATFORM_JOB_H

// Long work on a thread of its own, told by signals on the thread that made
// the job: how far it is, and that it ended. A job let go of while its work
// runs keeps its thread and what the work captured (copies or shared
// pointers), nothing of its owner.

#include <QObject>

#include <functional>
#include <memory>

namespace ztplatform {

class Job : public QObject
{
    Q_OBJECT

public:
    // How far the work is: `done` of `total` (0 of 0 when it cannot count).
    using Report = std::function<void(int done, int total)>;
    using Work = std::function<void(const Report &report)>;

    explicit Job(Work work, QObject *parent = nullptr);
    ~Job() override;
    Job(const Job &) = delete;
    Job &operator=(const Job &) = delete;

    // Starts the work once; without a thread to be had it runs here.
    void start();
    bool isStarted() const { return m_started; }
    bool isFinished() const;
    // Reports so far: moves while the work moves on.
    int reports() const;
    // The figures of the latest report.
    int done() const;
    int total() const;
    // Blocks at most `ms` for the end of the work: true once it has ended.
    // For owners that must not outlive it; the window waits through JobDialog.
    bool waitFor(int ms) const;

signals:
    void progress(int done, int total);
    void finished();

private:
    struct State;

    Work m_work;
    bool m_started = false;
    std::shared_ptr<State> m_state;
};

} // namespace ztplatform

#endif

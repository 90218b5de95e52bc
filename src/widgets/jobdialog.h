#ifndef ZT_WIDGETS_JOBDIALOG_H
#define ZT_WIDGETS_JOBDIALOG_H

// The window's one progress box: it shows a job the window waits on. Until
// the box shows, after a moment, the window paints but takes no input; the
// box then holds the window and moves with the job's progress. A close of
// the window is put off meanwhile.

#include "platform/job.h"
#include "platform/waiter.h"

#include <QProgressDialog>

#include <functional>

// A wait also ends once the job has not reported for `stallMs`, after
// `limitMs` (0: no such limit), or once `giveUp` (asked as time passes)
// says so. With a `cancelText` the box has that button, which calls
// `cancel` (the box stays until the job ends).
struct JobLimits
{
    int limitMs = 0;
    int stallMs = 0;
    int showAfterMs = 300;
    std::function<bool()> giveUp;
    QString cancelText;
    std::function<void()> cancel;
};

class JobDialog : public QProgressDialog
{
    Q_OBJECT

public:
    using Limits = JobLimits;

    // Starts `job` unless it was started and waits for it: true once it
    // ended. With no `label` no box shows.
    static bool wait(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits = {});

    // Serves the window's events until `ended(ms)` says so: its input waits
    // unless a modal dialog holds the window, and a close of the window
    // meanwhile is put off unless not `closeWaits`. No box shows.
    static void waitUntil(const std::function<bool(int ms)> &ended, bool closeWaits = true);
    // The same, for what waits below the window.
    static ztplatform::Waiter waiter(bool closeWaits = true);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    JobDialog(QWidget *parent, const QString &label, const QString &cancelText);
    static JobDialog *showBox(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits);
};

#endif

#ifndef ZT_WIDGETS_JOBDIALOG_H
#define ZT_WIDGETS_JOBDIALOG_H

// The window's one progress box: it shows a job the window waits on. Until
// the box shows, after a moment, the window paints but takes no input; the
// box then holds the window and moves with the job's progress. A close of
// the window is put off meanwhile. Its bar moves without the events a modal
// QProgressDialog::setValue serves: only the wait serves them.

#include "platform/job.h"
#include "platform/waiter.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

class QProgressBar;

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

    // While one lives, a close of the main window is put off: asked again
    // once it is gone and no modal dialog holds the window. Made and let go
    // of on the window's thread; nested ones hand the close outwards.
    class CloseHold : public QObject
    {
    public:
        CloseHold();
        ~CloseHold() override;

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        const bool m_installed; // made on the window's thread
        QPointer<QWidget> m_asked;
    };

    // Starts `job` unless it was started and waits for it: true once it
    // ended. With no `label` no box shows.
    static bool wait(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits = {});

    // Serves the window's events until `ended(ms)` says so: its input waits
    // unless a modal dialog holds the window, and a close of the window
    // meanwhile is put off unless not `closeWaits`. No box shows.
    static void waitUntil(const std::function<bool(int ms)> &ended, bool closeWaits = true);
    // The same, for what waits below the window.
    static ztplatform::Waiter waiter(bool closeWaits = true);

    // A box for work the window runs step by step: window-modal, titled
    // `title`, with `cancelText`'s button if any, over 0 to 100; it hides
    // once it reaches its end, or when closed. Not shown yet.
    static JobDialog *stepBox(QWidget *parent, const QString &title, const QString &label,
                              const QString &cancelText = QString());
    // Shows it at `value` and serves no event: it paints at the next wait.
    void showAt(int value);
    // Moves the bar (its range too, with a `maximum` > 0) and serves no
    // event: the bar paints at most every 50 ms, and at its end, where a box
    // that resets does. The window's own events wait for its next wait.
    void move(int value, int maximum = 0);
    // From now on its bar follows `job`'s progress (its range too, when the
    // job counts), painted as a wait serves the window's events.
    void follow(ztplatform::Job &job);
    // A shown modal QProgressDialog serves events as it moves: a step box
    // moves through move() only.
    void setValue(int) = delete;

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    JobDialog(QWidget *parent, const QString &label, const QString &cancelText);
    // The bar at `value`; at its end a box that resets does.
    void moveBar(int value);
    void holdBarPaint(int value);
    void paintBar();

    QProgressBar *m_bar = nullptr;
    QElapsedTimer m_barPainted;
    QTimer m_barLater; // paints a value the bar holds but has not shown
    bool m_heldByJob = false; // stays until its job ends
    static JobDialog *showBox(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits);
};

#endif

#include "widgets/jobdialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include <optional>

namespace {

constexpr int kTickMs = 20;
constexpr int kRetryMs = 50;
constexpr int kPaintMs = 50; // a moving bar paints at least this often

// Closes `window` after `ms`, once no modal dialog holds it; a hold alive
// then puts it off again.
void askCloseAgain(const QPointer<QWidget> &window, int ms)
{
    if (!window)
        return;
    QTimer::singleShot(ms, window, [window] {
        if (QApplication::activeModalWidget())
            askCloseAgain(window, kRetryMs);
        else
            window->close();
    });
}

} // namespace

JobDialog::CloseHold::CloseHold()
    : m_installed(QThread::currentThread() == qApp->thread())
{
    if (m_installed)
        qApp->installEventFilter(this);
}

JobDialog::CloseHold::~CloseHold()
{
    if (!m_installed)
        return;
    qApp->removeEventFilter(this);
    askCloseAgain(m_asked, 0);
}

bool JobDialog::CloseHold::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Close || !qobject_cast<QMainWindow *>(watched))
        return false;
    m_asked = static_cast<QWidget *>(watched);
    event->ignore();
    return true;
}

JobDialog::JobDialog(QWidget *parent, const QString &label, const QString &cancelText)
    : QProgressDialog(label, cancelText, 0, 0, parent)
{
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(0);
    m_bar = findChild<QProgressBar *>();
    m_barLater.setSingleShot(true);
    connect(&m_barLater, &QTimer::timeout, this, &JobDialog::paintBar);
}

void JobDialog::moveBar(int value)
{
    // As QProgressDialog::setValue moves it: a reset bar does not jump to its
    // end; a busy bar (no range) has none.
    const bool busy = maximum() == minimum();
    if (m_bar->value() == value || (m_bar->value() == -1 && value == maximum() && !busy))
        return;
    holdBarPaint(value);
    m_bar->setValue(value);
    if (value == maximum() && autoReset() && !busy)
        reset();
}

// A job's box goes with its job, not before.
void JobDialog::reject()
{
    if (!m_heldByJob)
        QProgressDialog::reject();
}

void JobDialog::closeEvent(QCloseEvent *event)
{
    if (m_heldByJob)
        event->ignore();
    else
        QProgressDialog::closeEvent(event);
}

// Events are served by hand, not by a QEventLoop of its own: that would not
// run once the application was asked to quit.
bool JobDialog::wait(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits)
{
    job.start();
    if (job.isFinished())
        return true;
    const CloseHold holding;
    bool over = false;
    QObject guard;
    QObject::connect(&job, &ztplatform::Job::finished, &guard, [&over] { over = true; });
    int seen = job.reports();
    QElapsedTimer since, moved;
    since.start();
    moved.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &guard, [&] {
        if (job.reports() != seen) {
            seen = job.reports();
            moved.restart();
        }
        if ((limits.limitMs > 0 && since.elapsed() >= limits.limitMs)
            || (limits.stallMs > 0 && moved.elapsed() >= limits.stallMs) || (limits.giveUp && limits.giveUp()))
            over = true;
    });
    tick.start(kTickMs);
    // Until the box holds the window, its input waits.
    const qint64 showAt = label.isEmpty() ? -1 : qMax(limits.showAfterMs, 0);
    QPointer<JobDialog> box;
    while (!over && !job.isFinished()) {
        if (!box && showAt >= 0 && since.elapsed() >= showAt)
            box = showBox(parent, label, job, limits);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents
                                        | (box ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    }
    delete box;
    return job.isFinished();
}

void JobDialog::waitUntil(const std::function<bool(int ms)> &ended, bool closeWaits)
{
    QElapsedTimer asked;
    asked.start();
    if (ended(kTickMs))
        return;
    std::optional<CloseHold> holding;
    if (closeWaits)
        holding.emplace();
    QTimer tick; // asks again at least this often
    tick.start(kTickMs);
    // Events are served between waits on the work itself, so that its end is
    // seen as it comes; an `ended` that does not wait waits for events instead.
    for (;;) {
        const bool waited = asked.elapsed() >= kTickMs / 2;
        QCoreApplication::processEvents((waited ? QEventLoop::AllEvents : QEventLoop::WaitForMoreEvents)
                                        | (QApplication::activeModalWidget() ? QEventLoop::AllEvents
                                                                             : QEventLoop::ExcludeUserInputEvents));
        asked.restart();
        if (ended(kTickMs))
            return;
    }
}

ztplatform::Waiter JobDialog::waiter(bool closeWaits)
{
    return [closeWaits](const std::function<bool(int ms)> &ended) { waitUntil(ended, closeWaits); };
}

JobDialog *JobDialog::showBox(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits)
{
    auto *box = new JobDialog(parent, label, limits.cancelText);
    box->m_heldByJob = true;
    if (!limits.cancelText.isEmpty()) {
        // Cancel asks the job to stop; the box holds the window until it has.
        QObject::disconnect(box, &QProgressDialog::canceled, box, &QProgressDialog::cancel);
        QObject::connect(box, &QProgressDialog::canceled, box, [&limits] {
            if (limits.cancel)
                limits.cancel();
        });
    }
    const auto moveTo = [box](int done, int total) {
        box->setRange(0, qMax(total, 0));
        box->moveBar(qBound(0, done, qMax(total, 0)));
    };
    moveTo(job.done(), job.total());
    QObject::connect(&job, &ztplatform::Job::progress, box, moveTo);
    box->show();
    return box;
}

JobDialog *JobDialog::stepBox(QWidget *parent, const QString &title, const QString &label,
                              const QString &cancelText)
{
    auto *box = new JobDialog(parent, label, cancelText);
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(title);
    if (cancelText.isEmpty())
        box->setCancelButton(nullptr);
    box->setAutoReset(true);
    box->setAutoClose(true);
    box->setMinimumDuration(5);
    box->setRange(0, 100);
    return box;
}

void JobDialog::showAt(int value)
{
    paintBar();
    QProgressDialog::setValue(value); // not shown yet: no event is served
    show();
}

void JobDialog::move(int value, int maximum)
{
    if (value < 0)
        return;
    if (maximum > 0 && this->maximum() != maximum)
        setRange(0, maximum);
    if (this->value() != value)
        moveBar(value);
}

void JobDialog::follow(ztplatform::Job &job)
{
    connect(&job, &ztplatform::Job::progress, this, [this](int done, int total) {
        if (total > 0 && maximum() != total)
            setRange(0, total);
        moveBar(qBound(0, done, maximum()));
    });
}

// The bar takes `value` next: it paints it now when it last painted long
// enough ago or `value` is its end, else once the interval is over.
void JobDialog::holdBarPaint(int value)
{
    if (value < maximum() && m_barPainted.isValid() && m_barPainted.elapsed() < kPaintMs) {
        if (!m_barLater.isActive())
            m_barLater.start(int(qMax<qint64>(0, kPaintMs - m_barPainted.elapsed())));
        m_bar->setUpdatesEnabled(false);
        return;
    }
    m_barLater.stop();
    m_barPainted.restart();
    if (!m_bar->updatesEnabled())
        m_bar->setUpdatesEnabled(true);
}

void JobDialog::paintBar()
{
    m_barLater.stop();
    m_barPainted.restart();
    if (!m_bar->updatesEnabled())
        m_bar->setUpdatesEnabled(true); // schedules its paint
}

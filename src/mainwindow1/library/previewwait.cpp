// The wait of the long operations: the "Please wait..." dialog, and the
// preview's work on a worker thread while the window paints.
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/windowtexts.h"
#include "widgets/jobdialog.h"

#include <QApplication>
#include <QToolButton>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <memory>

namespace {

constexpr int kWaitDialogDelay = 500; // ms of work before the wait dialog shows

// While it lives, the widget that has the focus, whichever it is, takes no
// input-method text and its input method is off; a widget the focus leaves
// and, at the end, the last one get both back as they were. The focus stays
// where it is, so no edit ends on its account.
class TypingHold : public QObject
{
public:
    TypingHold()
    {
        hold(QApplication::focusWidget());
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { hold(now); });
    }
    ~TypingHold() override { release(); }
    TypingHold(const TypingHold &) = delete;
    TypingHold &operator=(const TypingHold &) = delete;

protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::InputMethod; }

private:
    void hold(QWidget *widget)
    {
        release();
        m_widget = widget;
        if (!widget)
            return;
        // First: turning the input method off commits what it was composing.
        widget->installEventFilter(this);
        m_inputMethod = widget->testAttribute(Qt::WA_InputMethodEnabled);
        widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    void release()
    {
        if (!m_widget)
            return;
        m_widget->setAttribute(Qt::WA_InputMethodEnabled, m_inputMethod);
        m_widget->removeEventFilter(this);
        m_widget = nullptr;
    }

    QPointer<QWidget> m_widget;
    bool m_inputMethod = false;
};

} // namespace

void PreviewController::holdWaitDialog(JobDialog *d)
{
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = d;
}

void PreviewController::showWaitDialog(const QString &label, int maximum, const QString &cancelText)
{
    // A child of the window, so that its modality holds the window while
    // the work lets events run.
    holdWaitDialog(JobDialog::stepBox(m_parent, WindowTexts::tr("Please wait..."), label, cancelText));
    m_dialog->setRange(0, maximum);
    m_dialog->show();
}

// The preview's wait dialog: window-modal, its Cancel is Stop.
void PreviewController::openWaitDialog()
{
    // Window-modal: while it shows, nothing of the window and none of its
    // dialogs takes input, and its Cancel (or Escape) is the player bar's Stop.
    showWaitDialog(WindowTexts::tr("Loading..."), 100, WindowTexts::tr("Cancel"));
    // Cancel does not hide it: it holds the window until the work has ended.
    QObject::disconnect(m_dialog, &QProgressDialog::canceled, m_dialog, &QProgressDialog::cancel);
    connect(m_dialog, &QProgressDialog::canceled, this, [this]() { stop(m_soundChosen); });
    m_dialog->activateWindow(); // typing, an input method's too, then goes to the dialog
    m_dialog->move(5);
}

void PreviewController::stopPreparingThenClose()
{
    m_previewSession.stop();
    m_previewSession.closeWhenDone();
}

bool PreviewController::runPreviewWork(const std::function<void()> &work, int lastStep)
{
    m_previewSession.begin();
    // Window-system input waits below; what an input method sends, here.
    auto typing = std::make_unique<TypingHold>();
    m_view.stopBtn2->setEnabled(true);
    QPointer<JobDialog> wait;
    QTimer show, step;
    show.setSingleShot(true);
    connect(&show, &QTimer::timeout, this, [&]() {
        openWaitDialog();
        wait = m_dialog;
        step.start(10);
    });
    connect(&step, &QTimer::timeout, this, [&]() {
        if (wait && wait->isVisible() && wait->value() < lastStep)
            wait->move(wait->value() + 1);
    });
    ztplatform::Job job([work](const ztplatform::Job::Report &) { work(); });
    show.start(kWaitDialogDelay);
    job.start();
    // Input waits while the wait dialog does not hold the window.
    JobDialog::waitUntil([&job](int ms) { return job.waitFor(ms); }, false);
    typing.reset();
    show.stop();
    step.stop();
    const bool stopped = m_previewSession.end();
    // Hidden, not set to its end: a modal progress dialog's last value would
    // take input before the press has finished.
    if (wait)
        wait->hide();
    m_view.stopBtn2->setEnabled(m_player2->state() != QMediaPlayer::StoppedState);
    if (m_previewSession.takeClose())
        QMetaObject::invokeMethod(m_parent, &QWidget::close, Qt::QueuedConnection);
    return !stopped;
}

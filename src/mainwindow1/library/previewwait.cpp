// The wait of the long operations: the "Please wait..." dialog, and the
// preview's work on a worker thread while the window paints.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
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

void librarypane::showWaitDialog(MainWindow1 *w, const QString &label, int maximum, const QString &cancelText)
{
    if (w->dialog)
        w->dialog->deleteLater();
    // A child of the window, so that its modality holds the window while
    // the work lets events run.
    w->dialog = new QProgressDialog(w);
    w->dialog->setWindowModality(Qt::WindowModal);
    w->dialog->setWindowTitle(MainWindow1::tr("Please wait..."));
    w->dialog->setLabelText(label);
    if (cancelText.isEmpty())
        w->dialog->setCancelButton(nullptr);
    else
        w->dialog->setCancelButtonText(cancelText);
    w->dialog->setMinimumDuration(5);
    w->dialog->setRange(0, maximum);
    w->dialog->show();
}

void librarypane::openWaitDialog(MainWindow1 *w)
{
    // Window-modal: while it shows, nothing of the window and none of its
    // dialogs takes input, and its Cancel (or Escape) is the player bar's Stop.
    librarypane::showWaitDialog(w, MainWindow1::tr("Loading..."), 100, MainWindow1::tr("Cancel"));
    // Cancel does not hide it: it holds the window until the work has ended.
    QObject::disconnect(w->dialog, SIGNAL(canceled()), w->dialog, SLOT(cancel()));
    QObject::connect(w->dialog, &QProgressDialog::canceled, w, &MainWindow1::on_stopBtn2_clicked);
    w->dialog->activateWindow(); // typing, an input method's too, then goes to the dialog
    w->dialog->setValue(5);
}

bool librarypane::runPreviewWork(MainWindow1 *w, const std::function<void()> &work, int lastStep)
{
    w->previewSession.begin();
    // Window-system input waits below; what an input method sends, here.
    auto typing = std::make_unique<TypingHold>();
    w->ui->stopBtn2->setEnabled(true);
    QPointer<QProgressDialog> wait;
    QTimer show, step;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, w, [&]() {
        librarypane::openWaitDialog(w);
        wait = w->dialog;
        step.start(10);
    });
    QObject::connect(&step, &QTimer::timeout, w, [&]() {
        if (wait && wait->isVisible() && wait->value() < lastStep)
            wait->setValue(wait->value() + 1);
    });
    bool done = false;
    std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, thread.get(), [&done]() { done = true; });
    show.start(kWaitDialogDelay);
    thread->start();
    // Input waits while the wait dialog does not hold the window.
    while (!done) {
        const bool held = wait && wait->isVisible();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents
                                        | (held ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    }
    thread->wait();
    typing.reset();
    show.stop();
    step.stop();
    const bool stopped = w->previewSession.end();
    // Hidden, not set to its end: a modal progress dialog's last value would
    // take input before the press has finished.
    if (wait)
        wait->hide();
    w->ui->stopBtn2->setEnabled(w->player2->state() != QMediaPlayer::StoppedState);
    if (w->previewSession.takeClose())
        QMetaObject::invokeMethod(w, &QWidget::close, Qt::QueuedConnection);
    return !stopped;
}

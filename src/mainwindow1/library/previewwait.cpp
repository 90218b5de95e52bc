// The wait of the long operations: the "Please wait..." dialog, and the
// preview's work on a worker thread while the window handles events.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

constexpr int kWaitDialogDelay = 500; // ms of work before the wait dialog shows

// While a preview is prepared the window takes no input but its Stop: a save,
// load, delete or kit change would otherwise run inside the wait. Other
// windows (a message box) take theirs.
class StopOnlyInput : public QObject
{
public:
    StopOnlyInput(QWidget *window, QWidget *stop)
        : m_window(window), m_stop(stop)
    {
        qApp->installEventFilter(this);
    }
    ~StopOnlyInput() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            break;
        default:
            return false;
        }
        const QWidget *w = qobject_cast<QWidget *>(watched);
        if (!w)
            return event->type() == QEvent::Shortcut; // the window's actions
        return w != m_stop && w->window() == m_window;
    }

private:
    QWidget *m_window;
    QWidget *m_stop;
};

} // namespace

void MainWindow1::showWaitDialog(const QString &label, int maximum, Qt::WindowModality modality)
{
    if (dialog)
        dialog->deleteLater();
    // A child of the window, so that its modality holds the window while
    // the work lets events run.
    dialog = new QProgressDialog(this);
    dialog->setWindowModality(modality);
    dialog->setWindowTitle(tr("Please wait..."));
    dialog->setLabelText(label);
    dialog->setCancelButton(nullptr);
    dialog->setMinimumDuration(5);
    dialog->setRange(0, maximum);
    dialog->show();
}

void MainWindow1::openWaitDialog()
{
    // Not modal: the player bar's Stop ends the wait.
    showWaitDialog(tr("Loading..."), 100, Qt::NonModal);
    dialog->setValue(5);
}

bool MainWindow1::runPreviewWork(const std::function<void()> &work, int lastStep)
{
    previewStop = false;
    previewPreparing = true;
    ui->stopBtn2->setEnabled(true);
    QPointer<QProgressDialog> wait;
    QTimer show, step;
    show.setSingleShot(true);
    connect(&show, &QTimer::timeout, this, [&]() {
        openWaitDialog();
        wait = dialog;
        step.start(10);
    });
    connect(&step, &QTimer::timeout, this, [&]() {
        if (wait && wait->value() < lastStep)
            wait->setValue(wait->value() + 1);
    });
    bool done = false;
    const StopOnlyInput gate(this, ui->stopBtn2);
    std::unique_ptr<QThread> thread(QThread::create(work));
    connect(thread.get(), &QThread::finished, thread.get(), [&done]() { done = true; });
    show.start(kWaitDialogDelay);
    thread->start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    thread->wait();
    show.stop();
    step.stop();
    previewPreparing = false;
    const bool stopped = previewStop;
    if (wait) {
        if (stopped)
            wait->hide();
        wait->setAutoClose(true);
        wait->setValue(100); // closes it
    }
    ui->stopBtn2->setEnabled(player2->state() != QMediaPlayer::StoppedState);
    if (closeAfterPreview) {
        closeAfterPreview = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    return !stopped;
}

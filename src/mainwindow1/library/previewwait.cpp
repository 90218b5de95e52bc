// The wait of the long operations: the "Please wait..." dialog, and the
// preview's work on a worker thread while the window handles events.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

constexpr int kWaitDialogDelay = 500; // ms of work before the wait dialog shows

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
        bigSizeWave = true;
        openWaitDialog();
        wait = dialog;
        step.start(10);
    });
    connect(&step, &QTimer::timeout, this, [&]() {
        if (wait && wait->value() < lastStep)
            wait->setValue(wait->value() + 1);
    });
    bool done = false;
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

// Preview playback on the second media player.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QUrl>

namespace {

const char kInitialStyle[] = "border-image:url(:/images/play.png);";
const char kPlayStyle[] = "border-image:url(:/images/play.png)";
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";
const char kResumeStyle[] = "border-image:url(:/images/suspend.png)";

// The file a preview of `source` is made from, as it is now: a stored
// sound's kit file, else the file itself.
ztplatform::FileStamp previewSourceStamp(const QString &source)
{
    const soundsource::Stored stored = soundsource::parse(source);
    return ztplatform::fileStamp(stored.form == soundsource::Form::Plain ? source : stored.kitFile);
}

} // namespace

void librarypane::initSoundPlay(MainWindow1 *w)
{
    w->player2 = new QMediaPlayer(w);
    w->ui->volumeHorizontalSlider2->setRange(0, 100);
    w->ui->volumeHorizontalSlider2->setValue(50);
    w->player2->setVolume(w->ui->volumeHorizontalSlider2->value());
    QObject::connect(w->player2, &QMediaPlayer::positionChanged, w, &MainWindow1::updatePosition2);
    QObject::connect(w->player2, &QMediaPlayer::stateChanged, w, &MainWindow1::stateChanged2);
    QObject::connect(w->player2, &QMediaPlayer::mediaStatusChanged, w, &MainWindow1::mediaStatusChanged);
    QObject::connect(w->player2, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), w, &MainWindow1::showError);
    QObject::connect(w->player2, &QMediaPlayer::durationChanged, w, [w]() { w->getduration2(); });
    w->player2->setNotifyInterval(10);
    w->ui->waveHorizontalSlider2->setRange(0, 100000);
    w->ui->playBtn2->setStyleSheet(QString::fromLatin1(kInitialStyle));
    w->ui->playBtn2->setFixedSize(26, 26);

    librarypane::importSoundList(w, QDir::current().absoluteFilePath(QStringLiteral("soundlist.xml")));

    w->playFileNameOld2.clear();
    w->playFileNameNew2.clear();
    w->ui->playBtn2->setEnabled(false);
    w->ui->stopBtn2->setEnabled(false);
    w->ui->playBtn2->repaint();
    w->ui->stopBtn2->repaint();
}

QString librarypane::previewFileName(const MainWindow1 *w)
{
    return QDir::toNativeSeparators(w->shell().TempPlayDirName2() + QDir::separator() + QStringLiteral("play.wav"));
}

void MainWindow1::on_playBtn2_clicked()
{
    if (previewSession.preparing())
        return; // one preparation at a time
    // The preview held is made again when its file changed since (a save
    // read back, another program): a stopped or paused player plays the
    // sound as it is now.
    const bool stale = playFileNameOld2 == playFileNameNew2 && player2->state() != QMediaPlayer::PlayingState
                       && playFileStamp2 != previewSourceStamp(playFileNameNew2);
    if (playFileNameOld2 != playFileNameNew2 || stale) {
        player2->stop();
        player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play2.wav")));
        handOverFromChangedFiles();
        const QString source = playFileNameNew2;
        const ztplatform::FileStamp stamp = previewSourceStamp(source);
        const QString preview = librarypane::previewFileName(this);
        const bool stored = soundsource::isStored(source);
        const bool padWave = !stored && soundsource::isPadWave(source);
        previewSession.clearStop();
        quint64 length;
        if (padWave)
            // a broken header plays nothing; a pipe is never opened
            length = ztplatform::isRegularFile(source) ? quint64(waveprobe::playableSize(source)) : 0;
        else
            length = getRawFile(source, preview, 1);
        if (previewSession.stopped() || playFileNameNew2 != source)
            return; // Stop, or another sound chosen meanwhile, ends the press
        if (length == 0) {
            UiPrompter::instance()->information(this, tr("Error"), tr("Play error!"), QMessageBox::Ok);
            return;
        }
        player2->setMedia(QUrl::fromLocalFile(padWave ? source : preview));
        playFileNameOld2 = playFileNameNew2;
        playFileStamp2 = stamp;
    }

    playerStrate2 = quint8(player2->state());
    if (previewSession.loopRun && playerStrate2 != previewSession.loopRunState)
        previewSession.loopRun = 0; // the running loop ends with the recorded state
    const bool loopMode = index2 % 2;
    switch (playerStrate2) {
    case QMediaPlayer::PlayingState:
        player2->pause();
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        break;
    case QMediaPlayer::PausedState:
        if (loopMode) {
            librarypane::startLoopRun(this, 2);
        } else {
            player2->play();
            ui->playBtn2->setStyleSheet(QString::fromLatin1(kResumeStyle));
        }
        break;
    default:
        if (loopMode)
            librarypane::startLoopRun(this, 1);
        else
            player2->play();
        break;
    }
}

void librarypane::startLoopRun(MainWindow1 *w, int run)
{
    w->previewSession.loopRun = run;
    w->previewSession.loopRunState = w->playerStrate2;
    w->player2->play();
}

// Loop mode went off while a run lasts: each run ends in its own way.
void librarypane::endLoopRunWhenLoopOff(MainWindow1 *w)
{
    const int run = w->previewSession.loopRun;
    w->previewSession.loopRun = 0;
    if (run == 1 || run == 2)
        w->player2->stop();
    if (run == 2)
        w->ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
}

void MainWindow1::restartLoopPass()
{
    if (!previewSession.loopRun)
        return;
    if (playerStrate2 != previewSession.loopRunState) {
        previewSession.loopRun = 0;
        return;
    }
    if (index2 % 2 == 0) {
        librarypane::endLoopRunWhenLoopOff(this);
        return;
    }
    if (player2->state() == QMediaPlayer::StoppedState)
        player2->play();
}

void MainWindow1::on_stopBtn2_clicked()
{
    if (previewSession.preparing())
        previewSession.stop();
    if (index2 % 2)
        on_loopBtn2_clicked();
    previewSession.loopRun = 0; // Stop always stops, also a loop no tree could switch off
    player2->stop();
}

void MainWindow1::on_loopBtn2_clicked()
{
    if (previewSession.preparing() && !(previewSession.stopped() && index2 % 2))
        return; // during a preparation only its Stop turns loop mode off
    const bool soundRow = ui->waveGroupTreeView->currentIndex().parent().isValid()
                          || ui->totalWaveTreeView->currentIndex().parent().isValid()
                          || ui->soundListTreeView->currentIndex().parent().isValid();
    if (!soundRow)
        return;
    ++index2;
    singleLoop = index2 % 2;
    ui->loopBtn2->setIcon(QIcon(singleLoop ? QStringLiteral(":/images/blue_loop.png")
                                           : QStringLiteral(":/images/loop.png")));
    emit sendLoopIndex2(index2);
}

void MainWindow1::waveLoop2(int index)
{
    if (index % 2) {
        player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play1.wav")));
        const QString preview = librarypane::previewFileName(this);
        handOverFromChangedFiles();
        const QString source = playFileNameNew2;
        const ztplatform::FileStamp stamp = previewSourceStamp(source);
        previewSession.clearStop();
        const quint32 length = getRawFile(source, preview, 1);
        if (previewSession.stopped() || playFileNameNew2 != source)
            return;
        if (length == 0) {
            UiPrompter::instance()->information(this, tr("Error"), tr("Play error!"), QMessageBox::Ok);
            return;
        }
        player2->setMedia(QUrl::fromLocalFile(preview));
        playFileNameOld2 = playFileNameNew2;
        playFileStamp2 = stamp;
    }
    playerStrate2 = quint8(player2->state());
    if (previewSession.loopRun) {
        if (playerStrate2 != previewSession.loopRunState)
            previewSession.loopRun = 0;
        else if (index % 2 == 0)
            librarypane::endLoopRunWhenLoopOff(this);
    }
    const QString style = ui->playBtn2->styleSheet();
    const bool resumeStyle = style == QLatin1String(kResumeStyle);
    if (!(resumeStyle || style == QLatin1String(kPlayStyle)) || playerStrate2 != QMediaPlayer::StoppedState)
        return;
    if (index % 2) {
        librarypane::startLoopRun(this, 3);
        return;
    }
    // Loop mode off with the player stopped: one pass that leaves it stopped.
    player2->play();
    if (!resumeStyle)
        on_playBtn2_clicked();
    player2->stop();
}

void MainWindow1::stateChanged2(QMediaPlayer::State state)
{
    switch (state) {
    case QMediaPlayer::StoppedState:
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        ui->playBtn2->repaint();
        ui->stopBtn2->setEnabled(false);
        ui->stopBtn2->repaint();
        player2->setPosition(0);
        ui->waveHorizontalSlider2->setValue(0);
        ui->waveHorizontalSlider2->repaint();
        if (previewSession.loopRun) // the next pass starts once this change is handled
            QMetaObject::invokeMethod(this, &MainWindow1::restartLoopPass, Qt::QueuedConnection);
        break;
    case QMediaPlayer::PlayingState:
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayingStyle));
        ui->playBtn2->setEnabled(true);
        ui->playBtn2->repaint();
        ui->stopBtn2->setEnabled(true);
        ui->stopBtn2->repaint();
        break;
    case QMediaPlayer::PausedState:
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        ui->playBtn2->repaint();
        ui->stopBtn2->setEnabled(true);
        ui->stopBtn2->repaint();
        break;
    }
}

void MainWindow1::updatePosition2(qint64 position)
{
    ui->waveHorizontalSlider2->setValue(int(position));
    moved_2 = position;
    ui->volumeProgTime_2->setText(soundsource::timeText(position));
}

void MainWindow1::getduration2()
{
    const qint64 duration = player2->duration();
    ui->waveHorizontalSlider2->setMaximum(int(duration));
    ui->volumeTotalTime_2->setText(soundsource::timeText(duration));
}

void MainWindow1::on_waveHorizontalSlider2_sliderMoved(int position)
{
    player2->setPosition(position);
    moved_2 = position;
    ui->volumeProgTime_2->setText(soundsource::timeText(position, true));
}

void MainWindow1::on_volumeHorizontalSlider2_valueChanged(int value)
{
    if (player2)
        player2->setVolume(value);
}

// The preview reacts to states only; statuses and errors go to the log.
void MainWindow1::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    qDebug() << "preview media status" << status;
}

void MainWindow1::showError(QMediaPlayer::Error error)
{
    qWarning() << "preview player error" << error << (player2 ? player2->errorString() : QString());
}

void librarypane::stopPreviewForClose(MainWindow1 *w)
{
    w->previewSession.loopRun = 0;
    if (w->player2)
        w->player2->stop();
}

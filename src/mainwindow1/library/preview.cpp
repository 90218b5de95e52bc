// Preview playback on the second media player.
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
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

void PreviewController::initSoundPlay()
{
    m_player2 = new QMediaPlayer(m_parent);
    ui->volumeHorizontalSlider2->setRange(0, 100);
    ui->volumeHorizontalSlider2->setValue(50);
    m_player2->setVolume(ui->volumeHorizontalSlider2->value());
    connect(m_player2, &QMediaPlayer::positionChanged, this, &PreviewController::positionChanged);
    connect(m_player2, &QMediaPlayer::stateChanged, this, &PreviewController::playerStateChanged);
    connect(m_player2, &QMediaPlayer::mediaStatusChanged, this, &PreviewController::logMediaStatus);
    connect(m_player2, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this, &PreviewController::logError);
    connect(m_player2, &QMediaPlayer::durationChanged, this, [this]() { durationChanged(); });
    m_player2->setNotifyInterval(10);
    ui->waveHorizontalSlider2->setRange(0, 100000);
    ui->playBtn2->setStyleSheet(QString::fromLatin1(kInitialStyle));
    ui->playBtn2->setFixedSize(26, 26);

    m_soundLists->importSoundList(QDir::current().absoluteFilePath(QStringLiteral("soundlist.xml")));

    m_playFileNameOld2.clear();
    m_playFileNameNew2.clear();
    ui->playBtn2->setEnabled(false);
    ui->stopBtn2->setEnabled(false);
    ui->playBtn2->repaint();
    ui->stopBtn2->repaint();
}

QString PreviewController::previewFileName() const
{
    return QDir::toNativeSeparators(m_shell->TempPlayDirName2() + QDir::separator() + QStringLiteral("play.wav"));
}

void PreviewController::play()
{
    if (m_previewSession.preparing())
        return; // one preparation at a time
    // The preview held is made again when its file changed since (a save
    // read back, another program): a stopped or paused player plays the
    // sound as it is now.
    const bool stale = m_playFileNameOld2 == m_playFileNameNew2 && m_player2->state() != QMediaPlayer::PlayingState
                       && m_playFileStamp2 != previewSourceStamp(m_playFileNameNew2);
    if (m_playFileNameOld2 != m_playFileNameNew2 || stale) {
        m_player2->stop();
        m_player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play2.wav")));
        m_setupFiles->handOverFromChangedFiles();
        const QString source = m_playFileNameNew2;
        const ztplatform::FileStamp stamp = previewSourceStamp(source);
        const QString preview = previewFileName();
        const bool stored = soundsource::isStored(source);
        const bool padWave = !stored && soundsource::isPadWave(source);
        m_previewSession.clearStop();
        quint64 length;
        if (padWave)
            // a broken header plays nothing; a pipe is never opened
            length = ztplatform::isRegularFile(source) ? quint64(waveprobe::playableSize(source)) : 0;
        else
            length = m_soundFiles->getRawFile(source, preview, 1);
        if (m_previewSession.stopped() || m_playFileNameNew2 != source)
            return; // Stop, or another sound chosen meanwhile, ends the press
        if (length == 0) {
            UiPrompter::instance()->information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("Play error!"),
                                                QMessageBox::Ok);
            return;
        }
        m_player2->setMedia(QUrl::fromLocalFile(padWave ? source : preview));
        m_playFileNameOld2 = m_playFileNameNew2;
        m_playFileStamp2 = stamp;
    }

    m_playerStrate2 = quint8(m_player2->state());
    if (m_previewSession.loopRun && m_playerStrate2 != m_previewSession.loopRunState)
        m_previewSession.loopRun = 0; // the running loop ends with the recorded state
    const bool loopMode = m_index2 % 2;
    switch (m_playerStrate2) {
    case QMediaPlayer::PlayingState:
        m_player2->pause();
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        break;
    case QMediaPlayer::PausedState:
        if (loopMode) {
            startLoopRun(2);
        } else {
            m_player2->play();
            ui->playBtn2->setStyleSheet(QString::fromLatin1(kResumeStyle));
        }
        break;
    default:
        if (loopMode)
            startLoopRun(1);
        else
            m_player2->play();
        break;
    }
}

void PreviewController::startLoopRun(int run)
{
    m_previewSession.loopRun = run;
    m_previewSession.loopRunState = m_playerStrate2;
    m_player2->play();
}

// Loop mode went off while a run lasts: each run ends in its own way.
void PreviewController::endLoopRunWhenLoopOff()
{
    const int run = m_previewSession.loopRun;
    m_previewSession.loopRun = 0;
    if (run == 1 || run == 2)
        m_player2->stop();
    if (run == 2)
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
}

void PreviewController::restartLoopPass()
{
    if (!m_previewSession.loopRun)
        return;
    if (m_playerStrate2 != m_previewSession.loopRunState) {
        m_previewSession.loopRun = 0;
        return;
    }
    if (m_index2 % 2 == 0) {
        endLoopRunWhenLoopOff();
        return;
    }
    if (m_player2->state() == QMediaPlayer::StoppedState)
        m_player2->play();
}

void PreviewController::stop()
{
    if (m_previewSession.preparing())
        m_previewSession.stop();
    if (m_index2 % 2)
        toggleLoop();
    m_previewSession.loopRun = 0; // Stop always stops, also a loop no tree could switch off
    m_player2->stop();
}

void PreviewController::toggleLoop()
{
    if (m_previewSession.preparing() && !(m_previewSession.stopped() && m_index2 % 2))
        return; // during a preparation only its Stop turns loop mode off
    const bool soundRow = ui->waveGroupTreeView->currentIndex().parent().isValid()
                          || ui->totalWaveTreeView->currentIndex().parent().isValid()
                          || ui->soundListTreeView->currentIndex().parent().isValid();
    if (!soundRow)
        return;
    ++m_index2;
    m_singleLoop = m_index2 % 2;
    ui->loopBtn2->setIcon(QIcon(m_singleLoop ? QStringLiteral(":/images/blue_loop.png")
                                             : QStringLiteral(":/images/loop.png")));
    emit loopPressed(m_index2);
}

void PreviewController::loopChanged(int index)
{
    if (index % 2) {
        m_player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play1.wav")));
        const QString preview = previewFileName();
        m_setupFiles->handOverFromChangedFiles();
        const QString source = m_playFileNameNew2;
        const ztplatform::FileStamp stamp = previewSourceStamp(source);
        m_previewSession.clearStop();
        const quint32 length = m_soundFiles->getRawFile(source, preview, 1);
        if (m_previewSession.stopped() || m_playFileNameNew2 != source)
            return;
        if (length == 0) {
            UiPrompter::instance()->information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("Play error!"),
                                                QMessageBox::Ok);
            return;
        }
        m_player2->setMedia(QUrl::fromLocalFile(preview));
        m_playFileNameOld2 = m_playFileNameNew2;
        m_playFileStamp2 = stamp;
    }
    m_playerStrate2 = quint8(m_player2->state());
    if (m_previewSession.loopRun) {
        if (m_playerStrate2 != m_previewSession.loopRunState)
            m_previewSession.loopRun = 0;
        else if (index % 2 == 0)
            endLoopRunWhenLoopOff();
    }
    const QString style = ui->playBtn2->styleSheet();
    const bool resumeStyle = style == QLatin1String(kResumeStyle);
    if (!(resumeStyle || style == QLatin1String(kPlayStyle)) || m_playerStrate2 != QMediaPlayer::StoppedState)
        return;
    if (index % 2) {
        startLoopRun(3);
        return;
    }
    // Loop mode off with the player stopped: one pass that leaves it stopped.
    m_player2->play();
    if (!resumeStyle)
        play();
    m_player2->stop();
}

void PreviewController::playerStateChanged(QMediaPlayer::State state)
{
    switch (state) {
    case QMediaPlayer::StoppedState:
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        ui->playBtn2->repaint();
        ui->stopBtn2->setEnabled(false);
        ui->stopBtn2->repaint();
        m_player2->setPosition(0);
        ui->waveHorizontalSlider2->setValue(0);
        ui->waveHorizontalSlider2->repaint();
        if (m_previewSession.loopRun) // the next pass starts once this change is handled
            QMetaObject::invokeMethod(this, &PreviewController::restartLoopPass, Qt::QueuedConnection);
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

void PreviewController::positionChanged(qint64 position)
{
    ui->waveHorizontalSlider2->setValue(int(position));
    m_moved_2 = position;
    ui->volumeProgTime_2->setText(soundsource::timeText(position));
}

void PreviewController::durationChanged()
{
    const qint64 duration = m_player2->duration();
    ui->waveHorizontalSlider2->setMaximum(int(duration));
    ui->volumeTotalTime_2->setText(soundsource::timeText(duration));
}

void PreviewController::seek(int position)
{
    m_player2->setPosition(position);
    m_moved_2 = position;
    ui->volumeProgTime_2->setText(soundsource::timeText(position, true));
}

void PreviewController::setVolume(int value)
{
    if (m_player2)
        m_player2->setVolume(value);
}

// The preview reacts to states only; statuses and errors go to the log.
void PreviewController::logMediaStatus(QMediaPlayer::MediaStatus status)
{
    qDebug() << "preview media status" << status;
}

void PreviewController::logError(QMediaPlayer::Error error)
{
    qWarning() << "preview player error" << error << (m_player2 ? m_player2->errorString() : QString());
}

void PreviewController::stopPreviewForClose()
{
    m_previewSession.loopRun = 0;
    if (m_player2)
        m_player2->stop();
}

// Preview playback on the second media player.
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/soundsource.h"
#include "model/conversionjobs.h"
#include "library/waveprobe.h"
#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"

#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QDebug>
#include <QDir>
#include <QUrl>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

using ztplatform::kSilentLimitMs;

namespace {

const char kInitialStyle[] = "border-image:url(:/images/play.png);";
const char kIdleStyle[] = "border-image: url(:/images/play.png);";
const char kPlayStyle[] = "border-image:url(:/images/play.png)";
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";
const char kResumeStyle[] = "border-image:url(:/images/suspend.png)";

// The file a preview of `source` is made from: a stored sound's kit file,
// else the file itself.
QString previewSourceFile(const QString &source)
{
    const soundsource::Stored stored = soundsource::parse(source);
    return stored.form == soundsource::Form::Plain ? source : stored.kitFile;
}

// That file as it is now.
ztplatform::FileStamp previewSourceStamp(ztplatform::Disk &disk, const QString &source)
{
    return ztplatform::diskFileStamp(disk, previewSourceFile(source));
}

// `look` at the file of `source` on a thread of its own, the window
// painting (its input held) meanwhile; nothing when the drive did not answer
// in time, or has not returned an earlier look.
template <typename T>
std::optional<T> lookAtSound(const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &source,
                             std::function<T()> look)
{
    return ztplatform::lookAtFileWithin<T>(silent, previewSourceFile(source), kSilentLimitMs, std::move(look),
                                           JobDialog::waiter());
}

// A pad's .wav as the player takes it: what it plays (0: nothing, for a
// broken header; a pipe is never opened) and its stamp.
struct PadWaveLook
{
    ztplatform::FileStamp stamp;
    quint64 playable = 0;
    bool rootRefused = false; // the pad's root at its place is gone, or another
};

// The length a pad's .wav plays for, 0 for a broken header.
quint64 playableLength(QFile &file)
{
    const waveprobe::Format format = waveprobe::probePlain(file);
    return format.hasFmt && waveprobe::dataBytes(file) != 0 ? quint64(file.size()) : 0;
}

PadWaveLook lookAtPadWave(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &source)
{
    PadWaveLook look;
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    look.stamp = ztplatform::fileStamp(disk, source);
    ztplatform::sysio::SeamFile file(&disk);
    if (ztplatform::isRegularFile(fence, source) && ztplatform::openRegularFile(disk, source, file, false))
        look.playable = playableLength(file);
    return look;
}

// The same for a sound of the loaded pad, read below its root (no link
// followed, no pipe waited on) into `copy`, which is then played.
PadWaveLook copyPadWave(const ztplatform::FolderAnchor &root, const QString &source, const QString &copy)
{
    PadWaveLook look;
    ConversionJobs::Done done;
    const std::atomic_bool stop{false};
    if (!ConversionJobs::copyBelow(root, source, copy, stop, done, []() {}, &look.stamp)) {
        look.rootRefused = done.rootRefused;
        look.stamp = ztplatform::FileStamp();
        return look;
    }
    ztplatform::sysio::SeamFile file;
    if (ztplatform::openRegularFile(copy, file, true))
        look.playable = playableLength(file);
    return look;
}

// The stamp of a sound of the loaded pad, opened below its root.
ztplatform::FileStamp padWaveStamp(const ztplatform::FolderAnchor &root, const QString &source)
{
    QString name;
    const ztplatform::OpenFolder folder = root.openFolderOf(source, &name);
    const ztplatform::Descriptor fd(folder.isOpen() ? folder.openEntry(name, O_RDONLY | O_NONBLOCK) : -1);
    return ztplatform::fileStamp(fd.get());
}

// A name of its own in `folder` for the copy numbered `copy` of a pad sound:
// a copy whose read was given up may still be written.
QString padCopyName(const QString &folder, int copy)
{
    return QDir(folder).filePath(QStringLiteral("pad%1.wav").arg(copy));
}

// Removes the scratch file at `path`, through the editor's disk.
void removeScratch(const QString &path)
{
    if (ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(path)) != 0 && errno != ENOENT)
        qWarning() << "cannot remove" << path << ":" << std::strerror(errno);
}

// The copy of a pad sound made the preview; the copy goes either way.
bool takePadCopy(const QString &copy, const QString &preview)
{
    if (ztplatform::sysio::renameAt(AT_FDCWD, QFile::encodeName(copy), AT_FDCWD, QFile::encodeName(preview)) == 0)
        return true;
    qWarning() << "cannot make" << copy << "the preview:" << preview << std::strerror(errno);
    removeScratch(copy);
    return false;
}

} // namespace

std::optional<qint64> PreviewController::soundFileSize(const std::shared_ptr<ztplatform::FolderFence> &fence,
                                                      const std::shared_ptr<ztplatform::SilentFiles> &silent,
                                                      const QString &path)
{
    const std::optional<qint64> size =
            ztplatform::regularFileSizeWithin(fence, silent, path, kSilentLimitMs, JobDialog::waiter());
    if (!size)
        qWarning().noquote() << "the drive of" << path << "does not answer: the sound is not taken";
    return size;
}

// The preview of `source` made at `preview`, `stamp` taken of its file first:
// its length, 0 when it failed or its drive did not answer in time (then
// `silent` names the file that did not).
quint64 PreviewController::stampThenRawFile(const QString &source, const QString &preview, ztplatform::FileStamp &stamp,
                                            QString &silent)
{
    const std::optional<ztplatform::FileStamp> now =
            lookAtSound<ztplatform::FileStamp>(m_rawFiles.silentFiles(), source, [source, fence = m_rawFiles.fence()]() {
                return previewSourceStamp(ztplatform::diskOf(fence), source);
            });
    if (!now) {
        qWarning().noquote() << "the drive of" << source << "does not answer: the sound is not played";
        silent = previewSourceFile(source);
        return 0;
    }
    stamp = *now;
    const quint64 length = m_rawFiles.getRawFile(source, preview, this);
    silent = m_rawFiles.silentFile();
    return length;
}

void PreviewController::setUpTexts(const QString &fontFamily)
{
    QFont f = m_view.songLabel2->font();
    f.setFamily(fontFamily); // only the family: the form's point size stays
    m_view.songLabel2->setFont(f);
    const QString slider = QStringLiteral(
            "QSlider::groove:horizontal{height:2px; left:0px; right:0px; border:0px; border-radius:1px; "
            "background:rgb(255,255,255);}    "
            "QSlider::handle:horizontal{width:12px; background:rgb(222,233,244); border-radius:6px; "
            "margin:-5px 0px;}    "
            "QSlider::sub-page:horizontal{background:#4C85FB; border:0px; border-radius:1px;}");
    m_view.waveHorizontalSlider2->setStyleSheet(slider);
    m_view.volumeHorizontalSlider2->setStyleSheet(slider);
}

void PreviewController::initSoundPlay()
{
    m_player2 = new QMediaPlayer(m_parent);
    m_view.volumeHorizontalSlider2->setRange(0, 100);
    m_view.volumeHorizontalSlider2->setValue(50);
    m_player2->setVolume(m_view.volumeHorizontalSlider2->value());
    connect(m_player2, &QMediaPlayer::positionChanged, this, &PreviewController::positionChanged);
    connect(m_player2, &QMediaPlayer::stateChanged, this, &PreviewController::stateChanged2);
    connect(m_player2, &QMediaPlayer::mediaStatusChanged, this, &PreviewController::logMediaStatus);
    connect(m_player2, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this, &PreviewController::showError);
    connect(m_player2, &QMediaPlayer::durationChanged, this, [this]() { getduration2(); });
    m_player2->setNotifyInterval(10);
    m_view.waveHorizontalSlider2->setRange(0, 100000);
    m_view.playBtn2->setStyleSheet(QString::fromLatin1(kInitialStyle));
    m_view.playBtn2->setFixedSize(26, 26);

    m_playFileNameOld2.clear();
    m_playFileNameNew2.clear();
    m_view.playBtn2->setEnabled(false);
    m_view.stopBtn2->setEnabled(false);
    m_view.playBtn2->repaint();
    m_view.stopBtn2->repaint();
}

QString PreviewController::previewFileName() const
{
    return QDir::toNativeSeparators(m_TempPlayDirName2 + QDir::separator() + QStringLiteral("play.wav"));
}

// "Play error!", naming the file whose drive did not answer, if one did:
// pressing again does not help until it answers.
void PreviewController::tellPlayError(const QString &silent)
{
    QString text = WindowTexts::tr("Play error!");
    if (!silent.isEmpty())
        text += QStringLiteral("\r\n") + RawFiles::silentText(silent);
    m_prompter.information(m_parent, WindowTexts::tr("Error"), text, QMessageBox::Ok);
}

void PreviewController::play(bool soundChosen)
{
    if (m_previewSession.preparing())
        return; // one preparation at a time
    m_soundChosen = soundChosen;
    // The preview held is made again when its file changed since (a save
    // read back, another program): a stopped or paused player plays the
    // sound as it is now.
    bool stale = false;
    if (m_playFileNameOld2 == m_playFileNameNew2 && m_player2->state() != QMediaPlayer::PlayingState) {
        const QString held = m_playFileNameNew2;
        const ztplatform::FolderAnchor root = m_rawFiles.padRoot();
        const bool onPad = soundsource::isPadWave(held) && root.covers(held);
        const std::optional<ztplatform::FileStamp> now = lookAtSound<ztplatform::FileStamp>(
                m_rawFiles.silentFiles(), held, [held, root, onPad, fence = m_rawFiles.fence()]() {
                    return onPad ? padWaveStamp(root, held) : previewSourceStamp(ztplatform::diskOf(fence), held);
                });
        stale = !now || m_playFileStamp2 != *now;
    }
    if (m_playFileNameOld2 != m_playFileNameNew2 || stale) {
        m_player2->stop();
        m_player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play2.wav")));
        handOverFromChangedFiles();
        const QString source = m_playFileNameNew2;
        const QString preview = previewFileName();
        const bool stored = soundsource::isStored(source);
        const bool padWave = !stored && soundsource::isPadWave(source);
        m_previewSession.clearStop();
        ztplatform::FileStamp stamp;
        quint64 length = 0;
        QString silent;
        const ztplatform::FolderAnchor root = m_rawFiles.padRoot();
        const bool onPad = padWave && root.covers(source);
        if (padWave) {
            const QString copy = onPad ? padCopyName(m_TempPlayDirName2, ++m_padCopies) : QString();
            const std::optional<PadWaveLook> look =
                    lookAtSound<PadWaveLook>(m_rawFiles.silentFiles(), source,
                                             [source, root, copy, onPad, fence = m_rawFiles.fence()]() {
                                                 return onPad ? copyPadWave(root, source, copy)
                                                              : lookAtPadWave(fence, source);
                                             });
            if (look) {
                stamp = look->stamp;
                length = look->playable;
                // The pad's owner judges the pad at the place, as for every read below it.
                if (look->rootRefused)
                    ztplatform::askFolderOwner(m_rawFiles.fence(), source);
                if (onPad && length == 0)
                    removeScratch(copy);
                else if (onPad && !takePadCopy(copy, preview))
                    length = 0;
            } else {
                qWarning().noquote() << "the drive of" << source << "does not answer: the sound is not played";
                silent = source;
            }
        } else {
            length = stampThenRawFile(source, preview, stamp, silent);
        }
        if (m_previewSession.stopped() || m_playFileNameNew2 != source)
            return; // Stop, or another sound chosen meanwhile, ends the press
        if (length == 0) {
            tellPlayError(silent);
            return;
        }
        m_player2->setMedia(QUrl::fromLocalFile(padWave && !onPad ? source : preview));
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
        m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        break;
    case QMediaPlayer::PausedState:
        if (loopMode) {
            startLoopRun(2);
        } else {
            m_player2->play();
            m_view.playBtn2->setStyleSheet(QString::fromLatin1(kResumeStyle));
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
        m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
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

void PreviewController::stop(bool soundChosen)
{
    if (m_previewSession.preparing())
        m_previewSession.stop();
    if (m_index2 % 2)
        toggleLoop(soundChosen);
    m_previewSession.loopRun = 0; // Stop always stops, also a loop no tree could switch off
    m_player2->stop();
}

void PreviewController::toggleLoop(bool soundChosen)
{
    if (m_previewSession.preparing() && !(m_previewSession.stopped() && m_index2 % 2))
        return; // during a preparation only its Stop turns loop mode off
    m_soundChosen = soundChosen;
    if (!soundChosen)
        return;
    ++m_index2;
    m_singleLoop = m_index2 % 2;
    m_view.loopBtn2->setIcon(QIcon(m_singleLoop ? QStringLiteral(":/images/blue_loop.png")
                                             : QStringLiteral(":/images/loop.png")));
    emit loopPressed(m_index2);
}

void PreviewController::loopChanged(int index)
{
    if (index % 2) {
        m_player2->setMedia(QUrl::fromLocalFile(QStringLiteral("play1.wav")));
        const QString preview = previewFileName();
        handOverFromChangedFiles();
        const QString source = m_playFileNameNew2;
        ztplatform::FileStamp stamp;
        m_previewSession.clearStop();
        QString silent;
        const quint64 length = stampThenRawFile(source, preview, stamp, silent);
        if (m_previewSession.stopped() || m_playFileNameNew2 != source)
            return;
        if (length == 0) {
            tellPlayError(silent);
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
    const QString style = m_view.playBtn2->styleSheet();
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
        play(m_soundChosen);
    m_player2->stop();
}

void PreviewController::stateChanged2(QMediaPlayer::State state)
{
    switch (state) {
    case QMediaPlayer::StoppedState:
        m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        m_view.playBtn2->repaint();
        m_view.stopBtn2->setEnabled(false);
        m_view.stopBtn2->repaint();
        m_player2->setPosition(0);
        m_view.waveHorizontalSlider2->setValue(0);
        m_view.waveHorizontalSlider2->repaint();
        if (m_previewSession.loopRun) // the next pass starts once this change is handled
            QMetaObject::invokeMethod(this, &PreviewController::restartLoopPass, Qt::QueuedConnection);
        break;
    case QMediaPlayer::PlayingState:
        m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayingStyle));
        m_view.playBtn2->setEnabled(true);
        m_view.playBtn2->repaint();
        m_view.stopBtn2->setEnabled(true);
        m_view.stopBtn2->repaint();
        break;
    case QMediaPlayer::PausedState:
        m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        m_view.playBtn2->repaint();
        m_view.stopBtn2->setEnabled(true);
        m_view.stopBtn2->repaint();
        break;
    }
}

void PreviewController::positionChanged(qint64 position)
{
    m_view.waveHorizontalSlider2->setValue(int(position));
    m_moved_2 = position;
    m_view.playedTime->setText(soundsource::timeText(position));
}

void PreviewController::getduration2()
{
    const qint64 duration = m_player2->duration();
    m_view.waveHorizontalSlider2->setMaximum(int(duration));
    m_view.totalTime->setText(soundsource::timeText(duration));
}

void PreviewController::seek(int position)
{
    m_player2->setPosition(position);
    m_moved_2 = position;
    m_view.playedTime->setText(soundsource::timeText(position, true));
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

void PreviewController::showError(QMediaPlayer::Error error)
{
    qWarning() << "preview player error" << error << (m_player2 ? m_player2->errorString() : QString());
}

bool PreviewController::playingShown() const
{
    return m_view.playBtn2->styleSheet() == QLatin1String(kPlayingStyle);
}

void PreviewController::disablePreview(bool soundChosen)
{
    m_view.songLabel2->clear();
    stop(soundChosen);
    m_view.playBtn2->setEnabled(false);
    m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
    m_view.stopBtn2->setEnabled(false);
    m_view.playBtn2->repaint();
}

void PreviewController::readyToPlay(bool soundChosen)
{
    m_view.playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
    if (playerState() == QMediaPlayer::StoppedState) {
        m_view.playBtn2->setEnabled(true);
        m_view.playBtn2->repaint();
    } else {
        stop(soundChosen);
    }
}

void PreviewController::showSoundName(const QString &name)
{
    m_view.songLabel2->setText(name);
}

void PreviewController::showIdle()
{
    m_view.songLabel2->setText(WindowTexts::tr("Sample"));
    m_view.playBtn2->setStyleSheet(QString::fromLatin1(kIdleStyle));
}

void PreviewController::stopPreviewForClose()
{
    m_previewSession.loopRun = 0;
    if (m_player2)
        m_player2->stop();
}

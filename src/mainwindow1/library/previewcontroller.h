#ifndef ZT_MAINWINDOW1_LIBRARY_PREVIEWCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_PREVIEWCONTROLLER_H

// The preview bar: the player, the sound chosen, loop and the wait of a long preparation.

#include "mainwindow1/library/previewsession.h"
#include "mainwindow1/library/rawfile.h"
#include "platform/fileidentity.h"
#include "widgets/jobdialog.h"

#include <QHash>
#include <QMediaPlayer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QSlider;
class QToolButton;
class QWidget;
class UiPrompter;

// The widgets of the preview bar.
struct PreviewView
{
    QToolButton *playBtn2 = nullptr;
    QToolButton *stopBtn2 = nullptr;
    QToolButton *loopBtn2 = nullptr;
    QLabel *songLabel2 = nullptr;
    QLabel *totalTime = nullptr;
    QSlider *waveHorizontalSlider2 = nullptr;
    QLabel *playedTime = nullptr;
    QSlider *volumeHorizontalSlider2 = nullptr;
};

class PreviewController : public QObject, public PreviewWork
{
    Q_OBJECT

public:
    // `parent` holds the player and the wait dialog and owns the boxes;
    // `rawFiles` makes the previews.
    PreviewController(const PreviewView &view, QWidget *parent, UiPrompter &prompter, RawFiles &rawFiles);
    // The wait dialog goes with the preview, before the window's widgets.
    ~PreviewController() override;
    PreviewController(const PreviewController &) = delete;
    PreviewController &operator=(const PreviewController &) = delete;

    const PreviewView &view() const { return m_view; }

    // The size of the regular file at `path` (a pipe, device or folder is no
    // sound), -1 when there is none; nothing when its drive did not answer in
    // time. The window paints, its input held, while it is looked at.
    // Not looked at while an earlier look given up on waits (`silent`).
    static std::optional<qint64> soundFileSize(const std::shared_ptr<ztplatform::FolderFence> &fence,
                                               const std::shared_ptr<ztplatform::SilentFiles> &silent,
                                               const QString &path);

    // The folder the previews are converted into.
    void usePlayFolder(const QString &folder) { m_TempPlayDirName2 = folder; }

    // ---- what the preview holds -------------------------------------------------
    const QMediaPlayer *player2() const { return m_player2; }
    // The player's state; stopped while there is no player.
    QMediaPlayer::State playerState() const;
    const QString &playFileNameNew2() const { return m_playFileNameNew2; }
    const QString &playFileNameOld2() const { return m_playFileNameOld2; }
    int index2() const { return m_index2; }
    bool singleLoop() const { return m_singleLoop; }
    qint64 moved_2() const { return m_moved_2; }
    const PreviewSession &previewSession() const { return m_previewSession; }
    // The wait dialog of the long operations (the last one shown), if any.
    JobDialog *dialog() const { return m_dialog; }
    // The file a preview is converted into.
    QString previewFileName() const;

    // ---- the bar --------------------------------------------------------------------
    // Play shows that the preview plays.
    bool playingShown() const;
    // No sound to preview: the player stops, its buttons are disabled and the
    // bar names no sound. `soundChosen`: a sound row is current in the lists.
    void disablePreview(bool soundChosen);
    // Ready to play: the Play button shows the play image and is enabled when
    // the player is stopped; a player in another state is stopped.
    void readyToPlay(bool soundChosen);
    void showSoundName(const QString &name);
    // The bar as before any preview: "Sample", the idle Play image.
    void showIdle();

    // ---- what the user and the other areas do --------------------------------------
    // The bar's fonts and sliders, in `fontFamily`.
    void setUpTexts(const QString &fontFamily);
    // The player and its bar.
    void initSoundPlay();
    // A sound row was chosen: the next Play previews `source`.
    void choosePreviewSound(const QString &source);
    // The sound chosen follows a sound that moved to another source.
    void followMovedSounds(const QHash<QString, QString> &moved);
    // Sounds of loaded kit files gone or changed are taken from others that
    // hold them; the sound chosen follows.
    void handOverFromChangedFiles();
    // Stops the player only; a loop run goes on from its stop.
    void stopPlayer();
    // `d` becomes the wait dialog; the earlier one goes.
    void holdWaitDialog(JobDialog *d);
    // A close while preparing: the preparation stops, the window closes after.
    void stopPreparingThenClose();
    void stopPreviewForClose();

    void play(bool soundChosen);
    // Stop; loop mode goes off only while `soundChosen` (a sound row is current).
    void stop(bool soundChosen);
    // Loop mode on or off, only while `soundChosen`.
    void toggleLoop(bool soundChosen);
    // Loop mode changed to `index` (odd: on).
    void loopChanged(int index);
    void restartLoopPass();
    void stateChanged2(QMediaPlayer::State state);
    void positionChanged(qint64 position);
    void getduration2();
    void seek(int position);
    void setVolume(int value);
    void logMediaStatus(QMediaPlayer::MediaStatus status);
    void showError(QMediaPlayer::Error error);

    // ---- the wait ----------------------------------------------------------------
    // A new window-modal "Please wait..." dialog, with a cancel button only
    // when cancelText is given; it holds the window while it is shown.
    void showWaitDialog(const QString &label, int maximum, const QString &cancelText = QString());
    // Runs a preview's work off the GUI thread while the window keeps
    // painting; input waits until the wait dialog, shown once the work lasts
    // over half a second, holds the window. It steps up to lastStep. False
    // when Stop ended the work.
    bool runPreviewWork(const std::function<void()> &work, int lastStep) override;
    const std::atomic_bool *previewStopFlag() const override { return m_previewSession.stopFlag(); }
    bool previewStopped() const override { return m_previewSession.stopped(); }

signals:
    // Loop was pressed: its press count, odd while loop mode is on.
    void loopPressed(int index);

private:
    PreviewView m_view;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    RawFiles &m_rawFiles;
    QString m_TempPlayDirName2;
    int m_padCopies = 0; // copies of pad sounds made into it

    QMediaPlayer *m_player2 = nullptr;
    QString m_playFileNameNew2; // the sound chosen for preview
    QString m_playFileNameOld2; // the sound whose preview the player holds
    ztplatform::FileStamp m_playFileStamp2; // the file that preview was made from, as it was then
    int m_index2 = 0;           // loop presses; odd while loop mode is on
    quint8 m_playerStrate2 = 0; // player state recorded at a Play press or loop change
    bool m_singleLoop = false;  // loop playback of the preview is on
    bool m_soundChosen = false; // a sound row was current at the last press: the lists wait while it prepares
    qint64 m_moved_2 = 0;       // last position in ms
    PreviewSession m_previewSession; // the preparation, its Stop and the loop run
    QPointer<JobDialog> m_dialog; // wait dialog of the long operations

    void openWaitDialog();
    quint64 stampThenRawFile(const QString &source, const QString &preview, ztplatform::FileStamp &stamp,
                             QString &silent);
    void tellPlayError(const QString &silent);
    void startLoopRun(int run);
    void endLoopRunWhenLoopOff();
};

#endif

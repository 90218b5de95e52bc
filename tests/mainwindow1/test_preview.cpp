// Preview playback with the real player and ffmpeg, and the raw waves of
// every kind of sound source.
#include "fakeprogram.h"
#include "hangingdisk.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "setupflow_fixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "soundlib_fixture.h"

#include "device/padsession.h"
#include "library/soundorder.h"
#include "library/waveprobe.h"
#include "platform/anchoredfolder.h"
#include "platform/fileidentity.h"
#include "platform/silentfiles.h"
#include "widgets/copykitfunc.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace soundlib;

namespace {

QMediaPlayer::State state(MainWindow1 *w) { return w->preview().player2()->state(); }

waveprobe::Format formatOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return waveprobe::probePlain(f);
}

// A whole-setup file (loaded when `whole`) and a copy of it as the
// single kit file it gives the name of.
QString loadKitFiles(Fixture &f, MainWindow1 *w, KitFile &kit, bool whole)
{
    if (!kit.make(f.work.path(), "KIT_ALL.BIN"))
        return QString();
    const QString ini = f.work.filePath("KIT_007.INI");
    QFile::copy(kit.path, ini);
    MainWindow1Records::READ_KIT_FILE single = kit.record;
    single.file = ini;
    if (whole)
        w->library().addLoadedKitFile(kit.record);
    w->library().addLoadedKitFile(single);
    return ini;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

    // Skips a case when the system has no working media backend.
    bool playerMissing(MainWindow1 *w)
    {
        return w->preview().player2()->availability() != QMultimedia::Available || !w->preview().player2()->isAvailable();
    }

    // The box's words for a file whose drive does not answer.
    static QString silentText(const QString &file)
    {
        return "The drive of this file does not answer, so the sound is not taken:\r\n" + QDir::toNativeSeparators(file);
    }

    // A press of Play (format 1) or a save's conversion (format 0) of
    // `source` while `hanging` holds its drive: each ends as a failure after
    // the limit, the window painting meanwhile; then the drive answers.
    // `looked` is the file that does not answer: it is looked at again
    // only once the look given up on has returned.
    void endsUnanswered(Fixture &f, MainWindow1 *w, const QString &source, const QString &looked, quint8 format,
                        HangingOpens &hanging)
    {
        // The window paints while the file is held, before it is told.
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        if (format == 1) {
            w->preview().choosePreviewSound(source);
            w->form()->playBtn2->setEnabled(true); // as a selection leaves it
            w->form()->playBtn2->click();
            QCOMPARE(f.prompter.texts(), QStringList{"Play error!\r\n" + silentText(looked)});
            QCOMPARE(state(w), QMediaPlayer::StoppedState);
            QVERIFY(w->preview().playFileNameOld2().isEmpty());
        } else {
            QCOMPARE(w->rawFiles().getRawFile(source, f.path("out.wav"), nullptr), quint32(0));
            QCOMPARE(f.prompter.texts(), QStringList{silentText(looked)});
        }
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QVERIFY(held.turns() > 0);
        f.prompter.clear();
        hanging.release();
        QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), looked));
        QCOMPARE(hanging.waiting(), 0);
    }

private slots:
    void startValuesAndTimes()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        QCOMPARE(w->form()->volumeHorizontalSlider2->value(), 50);
        QCOMPARE(w->preview().player2()->volume(), 50);
        QCOMPARE(w->form()->waveHorizontalSlider2->maximum(), 100000);
        QCOMPARE(w->form()->playBtn2->styleSheet(), QString("border-image:url(:/images/play.png);"));
        QCOMPARE(w->form()->playBtn2->size(), QSize(26, 26));
        QVERIFY(!w->form()->playBtn2->isEnabled() && !w->form()->stopBtn2->isEnabled());
        QVERIFY(w->preview().playFileNameNew2().isEmpty() && w->preview().playFileNameOld2().isEmpty());
        QCOMPARE(w->preview().index2(), 0);
        QCOMPARE(w->library().soundListFileName(), QDir(f.work.path()).absoluteFilePath("soundlist.xml"));
        w->preview().positionChanged(3599999);
        QCOMPARE(w->form()->previewPlayedTime->text(), QString("59:59"));
        QCOMPARE(w->preview().moved_2(), qint64(3599999));
        w->preview().positionChanged(3600000);
        QCOMPARE(w->form()->previewPlayedTime->text(), QString("01:00:00"));
        w->on_waveHorizontalSlider2_sliderMoved(65000);
        QCOMPARE(w->form()->previewPlayedTime->text(), QString("01:05"));
        QCOMPARE(w->preview().moved_2(), qint64(65000));
        w->form()->volumeHorizontalSlider2->setValue(0);
        QCOMPARE(w->preview().player2()->volume(), 0);
        // Loop without a sound row current anywhere changes nothing.
        w->form()->loopBtn2->click();
        QCOMPARE(w->preview().index2(), 0);
        QVERIFY(!w->preview().singleLoop());
    }

    void playPauseResume()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        const QString src = writeBytes(f.path("mono 44k.wav"), pcmWav(1, 44100, 44100 * 3));
        f.importToList({src});
        f.selectTotalRow(0);
        QVERIFY(w->form()->playBtn2->isEnabled());
        w->form()->playBtn2->click();
        QVERIFY(f.prompter.texts().isEmpty());
        const QString preview = w->preview().previewFileName();
        QCOMPARE(preview, QDir::toNativeSeparators(w->shell().TempPlayDirName2() + "/play.wav"));
        const waveprobe::Format fmt = formatOf(preview);
        QVERIFY(fmt.riff && fmt.hasFmt);
        QCOMPARE(fmt.sampleRate, quint32(48000));
        QCOMPARE(fmt.channels, quint16(2));
        QCOMPARE(w->preview().player2()->media().request().url(), QUrl::fromLocalFile(preview));
        QCOMPARE(w->preview().playFileNameOld2(), src);
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        QCOMPARE(w->form()->playBtn2->styleSheet(), QString("border-image: url(:/images/suspend.png);"));
        QVERIFY(w->form()->stopBtn2->isEnabled());

        // A second press pauses without writing the preview again.
        QFile::remove(preview);
        w->form()->playBtn2->click();
        QCOMPARE(state(w), QMediaPlayer::PausedState);
        QCOMPARE(w->form()->playBtn2->styleSheet(), QString("border-image:url(:/images/play.png)"));
        QVERIFY(!QFile::exists(preview));
        w->form()->playBtn2->click();
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        QCOMPARE(w->form()->playBtn2->styleSheet(), QString("border-image:url(:/images/suspend.png)"));
        QTRY_VERIFY(w->preview().player2()->duration() > 0);
        QCOMPARE(w->form()->previewTotalTime->text(), QString("00:03"));
        QCOMPARE(w->form()->waveHorizontalSlider2->maximum(), int(w->preview().player2()->duration()));

        // Stop resets the bar.
        w->form()->stopBtn2->click();
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QCOMPARE(w->form()->waveHorizontalSlider2->value(), 0);
        QVERIFY(!w->form()->stopBtn2->isEnabled());
    }

    void padWavesAndStoredSounds()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        const QString pad = writeBytes(f.work.filePath("ZT350/Wav_Data/001/0001.wav"), pcmWav(2, 48000, 4800));
        w->preview().choosePreviewSound(pad);
        w->form()->playBtn2->setEnabled(true); // as a selection leaves it
        w->form()->playBtn2->click();
        QCOMPARE(w->preview().player2()->media().request().url(), QUrl::fromLocalFile(pad));
        QVERIFY(!QFile::exists(w->preview().previewFileName()));
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        // Off the pad a link there plays the file it leads to; a link to a pipe is no sound.
        const QString far = writeBytes(f.work.filePath("elsewhere/hit.wav"), pcmWav(2, 48000, 2400));
        const QString linked = QDir::toNativeSeparators(f.work.filePath("ZT350/Wav_Data/001/0002.wav"));
        const QString piped = QDir::toNativeSeparators(f.work.filePath("ZT350/Wav_Data/001/0003.wav"));
        QVERIFY(::mkfifo(QFile::encodeName(f.work.filePath("elsewhere/pipe.wav")).constData(), 0600) == 0);
        QVERIFY(QFile::link(far, linked) && QFile::link(f.work.filePath("elsewhere/pipe.wav"), piped));
        const auto press = [&](const QString &source) {
            w->form()->stopBtn2->click();
            w->preview().choosePreviewSound(source);
            w->form()->playBtn2->setEnabled(true);
            w->form()->playBtn2->click();
            return f.prompter.texts();
        };
        QCOMPARE(press(linked), QStringList());
        QCOMPARE(w->preview().player2()->media().request().url(), QUrl::fromLocalFile(linked));
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        QCOMPARE(press(piped), QStringList{"Play error!"});
        QCOMPARE(w->preview().playFileNameOld2(), linked);
        f.prompter.clear();

        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        w->library().addLoadedKitFile(kit.record);
        w->library().noteSetupClicks(true);
        const QString native = QDir::toNativeSeparators(kit.path);
        w->preview().choosePreviewSound(native + ":U00002"); // sound 2 stands after the five clicks
        w->form()->playBtn2->click();
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(kf::readFile(w->preview().previewFileName()), kit.waves.at(7));
        QCOMPARE(w->preview().player2()->media().request().url(), QUrl::fromLocalFile(w->preview().previewFileName()));

        // A kit file that was not loaded: "File error!", then "Play error!".
        w->preview().choosePreviewSound(f.path("NOT_LOADED.BIN:U00001"));
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts(), QStringList({"File error!", "Play error!"}));
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QCOMPARE(w->preview().playFileNameOld2(), native + ":U00002");
        // A stored sound cut short by a changed kit file is not played.
        f.prompter.clear();
        kf::writeFile(kit.path, kf::readFile(kit.path).left(int(kit.record.info.sound[6].wave_start) + 100));
        w->preview().choosePreviewSound(native + ":U00001");
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts(),
                 QStringList({"Please check path:The file has been modified. The target sound was not found.\r\n"
                                      + native,
                              "Play error!"}));
    }

    // The preview held is made again when its file changed: a kit file
    // replaced as a save does and read back plays its new sound; one written
    // again by another program is named and not played.
    void previewFollowsItsFile()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        KitFile kit;
        QVERIFY(kit.make(f.work.path(), "KIT_ALL.BIN"));
        kit.record.stamp = ztplatform::fileStamp(ztplatform::systemDisk(), kit.path); // as the load records it
        w->library().addLoadedKitFile(kit.record);
        w->library().noteSetupClicks(true);
        const QString native = QDir::toNativeSeparators(kit.path);
        w->preview().choosePreviewSound(native + ":U00002");
        w->form()->playBtn2->setEnabled(true); // as a selection leaves it
        w->form()->playBtn2->click();
        QCOMPARE(kf::readFile(w->preview().previewFileName()), kit.waves.at(7));

        const int start = int(kit.record.info.sound[7].wave_start);
        QByteArray bytes = kf::readFile(kit.path);
        bytes[start + 60] = char(bytes.at(start + 60) ^ 0x55);
        QVERIFY(kf::writeFile(f.path("new.BIN"), bytes) && QFile::remove(kit.path)
                && QFile::rename(f.path("new.BIN"), kit.path));
        MainWindow1Records::READ_KIT_FILE readBack = w->library().loadedKitFiles().at(0);
        readBack.stamp = ztplatform::fileStamp(ztplatform::systemDisk(), kit.path);
        w->library().forgetLoadedKitFile(0);
        w->library().addLoadedKitFile(readBack);
        w->form()->stopBtn2->click();
        w->form()->playBtn2->click();
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(kf::readFile(w->preview().previewFileName()), bytes.mid(start, kit.waves.at(7).size()));

        QFile file(kit.path); // written again in place, a second later
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(bytes.left(start)) == start);
        QVERIFY(file.setFileTime(QFileInfo(kit.path).lastModified().addSecs(1), QFileDevice::FileModificationTime));
        file.close();
        w->form()->stopBtn2->click();
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts(),
                 QStringList({"Please check path:The file has been modified. The target sound was not found.\r\n"
                                      + native,
                              "Play error!"}));
    }

    // A shared sound plays from another kit file once the one the list took it from is deleted.
    void sharedSoundOfADeletedFilePlays()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        const QStringList kits = {f.path("K001.INI"), f.path("K002.INI")};
        for (int k = 0; k < 2; ++k)
            QVERIFY(setupflow_test::makeKitFile(kits.at(k), k + 1, 12, true));
        f.prompter.fileAnswers.enqueue(kits);
        w->form()->btnLoadFile->click();
        QVERIFY(w->library().totalListItemModel()->soundCount() == 3 && QFile::remove(kits.at(0)));
        f.prompter.clear();
        f.selectTotalRow(0);
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(kf::readFile(w->preview().previewFileName()), kf::readFile(f.path("w5.wav")));
    }

    // A pad sound with a broken header says so, as other failures do.
    void brokenPadWaveIsAPlayError()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString pad = writeBytes(f.work.filePath("ZT350/WAV_DATA/001/002.wav"),
                                       pcmWav(2, 48000, 4800).replace(0, 4, "JUNK"));
        w->preview().choosePreviewSound(pad);
        w->form()->playBtn2->setEnabled(true); // as a selection leaves it
        w->form()->playBtn2->click();
        QCOMPARE(f.prompter.texts(), QStringList{"Play error!"});
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QVERIFY(w->preview().playFileNameOld2().isEmpty());
    }

    // A pad sound whose file does not answer is not waited on: the window
    // paints meanwhile and the press ends in a play error after the limit.
    void padWaveThatDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString pad = writeBytes(f.work.filePath("ZT350/WAV_DATA/001/003.wav"), pcmWav(2, 48000, 4800));
        HangingOpens hanging(f.disk, "/001/003.wav");
        w->preview().choosePreviewSound(pad);
        w->form()->playBtn2->setEnabled(true); // as a selection leaves it
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        w->form()->playBtn2->click();
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"Play error!\r\n" + silentText(pad)});
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QVERIFY(w->preview().playFileNameOld2().isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // In device mode a pad sound is read below the pad's root as loaded and
    // its copy played: a link or a pipe at its name, or another pad at the
    // root's place, plays nothing, nothing followed or waited on.
    void padWaveIsReadBelowThePadsRoot()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        const QString root = f.path("pad");
        const QString waves = root + "/ZT350/WAV_DATA/001/";
        const QByteArray bytes = pcmWav(2, 48000, 4800);
        writeBytes(waves + "0001.wav", bytes);
        w->pad().beginLoad(QString());
        w->pad().anchorRoot(ztplatform::FolderAnchor::record(root));
        const auto press = [&](const QString &name) {
            f.prompter.clear();
            w->form()->stopBtn2->click();
            w->preview().choosePreviewSound(waves + name);
            w->form()->playBtn2->setEnabled(true); // as a selection leaves it
            w->form()->playBtn2->click();
            return f.prompter.texts();
        };
        QCOMPARE(press("0001.wav"), QStringList());
        const QString preview = w->preview().previewFileName();
        QCOMPARE(w->preview().player2()->media().request().url(), QUrl::fromLocalFile(preview));
        QCOMPARE(kf::readFile(preview), bytes);
        QCOMPARE(state(w), QMediaPlayer::PlayingState);

        const QString outside = writeBytes(f.path("outside.wav"), bytes);
        QVERIFY(QFile::link(outside, waves + "0002.wav"));
        QCOMPARE(press("0002.wav"), QStringList{"Play error!"});
        QVERIFY(::mkfifo(QFile::encodeName(waves + "0003.wav").constData(), 0644) == 0);
        QCOMPARE(press("0003.wav"), QStringList{"Play error!"});
        // Another pad at the loaded one's place.
        QVERIFY(QDir().rename(root, f.path("gone")));
        writeBytes(waves + "0004.wav", bytes);
        QCOMPARE(press("0004.wav"), QStringList{"Play error!"});
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QCOMPARE(w->preview().playFileNameOld2(), waves + "0001.wav");
        QCOMPARE(QDir(QFileInfo(preview).path()).entryList({"pad*"}, QDir::Files), QStringList());
    }

    // A sound file whose drive stops answering is not waited on when loop
    // mode starts its preview either: a play error after the limit.
    void loopOfASoundThatDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString src = writeBytes(f.path("slow/loop.wav"), pcmWav(1, 8000, 800));
        f.importToList({src});
        f.selectTotalRow(0);
        QCOMPARE(w->preview().playFileNameNew2(), src);
        HangingOpens hanging(f.disk, "slow/loop.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        w->form()->loopBtn2->click();
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"Play error!\r\n" + silentText(src)});
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QVERIFY(w->preview().playFileNameOld2().isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // Audio files in a folder named like a kit file, or with ".ini" in their
    // names, are converted like any other.
    // A WAV cut inside a frame passes the import and previews what it holds,
    // whatever ffmpeg warns about its end.
    void cutWavePreviews()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString cut = writeBytes(f.path("cut.wav"), pcmWav(2, 48000, 4800).chopped(3));
        f.importToList({cut});
        f.selectTotalRow(0);
        w->form()->playBtn2->click();
        QVERIFY(f.prompter.texts().isEmpty());
        QFile preview(w->preview().previewFileName());
        QVERIFY(preview.open(QIODevice::ReadOnly));
        QCOMPARE(waveprobe::dataBytes(preview), 4799u * 4);
        QCOMPARE(w->preview().playFileNameOld2(), cut);
    }

    void plainFilesNamedLikeKitFiles()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QStringList sources = {writeBytes(f.path("old.bin/kick.wav"), pcmWav(1, 8000, 800)),
                                     writeBytes(f.path("snare.initial.wav"), pcmWav(1, 8000, 800))};
        for (const QString &src : sources) {
            QFile::remove(w->preview().previewFileName());
            w->preview().choosePreviewSound(src);
            w->form()->playBtn2->setEnabled(true); // as a selection leaves it
            w->form()->playBtn2->click();
            QVERIFY(f.prompter.texts().isEmpty());
            QCOMPARE(formatOf(w->preview().previewFileName()).sampleRate, quint32(48000));
            QCOMPARE(w->preview().playFileNameOld2(), src);
            w->preview().stopPlayer();
        }
    }

    void loopPlayback()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        if (playerMissing(w))
            QSKIP("no media player backend on this system");
        const QString src = writeBytes(f.path("loop.wav"), pcmWav(1, 44100, 44100 * 5));
        f.importToList({src});
        f.selectTotalRow(0);
        QCOMPARE(w->preview().playFileNameNew2(), src);

        // Loop on with the player stopped: the preview is written and plays.
        w->form()->loopBtn2->click();
        QCOMPARE(w->preview().index2(), 1);
        QVERIFY(w->preview().singleLoop());
        QVERIFY(QFile::exists(w->preview().previewFileName()));
        QCOMPARE(w->preview().playFileNameOld2(), src);
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        // Each end of the sound starts it again.
        for (int pass = 0; pass < 2; ++pass) {
            w->preview().stopPlayer();
            QCOMPARE(w->form()->waveHorizontalSlider2->value(), 0);
            QTRY_COMPARE(state(w), QMediaPlayer::PlayingState);
        }
        // Loop off: the pass plays to its end and the player stays stopped.
        w->form()->loopBtn2->click();
        QCOMPARE(w->preview().index2(), 2);
        QVERIFY(!w->preview().singleLoop());
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        w->preview().stopPlayer();
        QTest::qWait(50);
        QCOMPARE(state(w), QMediaPlayer::StoppedState);

        // Play with loop mode on, then Stop: loop off, player stopped.
        w->form()->loopBtn2->click();
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        w->form()->playBtn2->click();
        QCOMPARE(state(w), QMediaPlayer::PausedState);
        w->form()->playBtn2->click(); // resumes as a loop
        QCOMPARE(state(w), QMediaPlayer::PlayingState);
        w->preview().stopPlayer();
        QTRY_COMPARE(state(w), QMediaPlayer::PlayingState);
        w->form()->stopBtn2->click();
        QCOMPARE(w->preview().index2() % 2, 0);
        QVERIFY(!w->preview().singleLoop());
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QVERIFY(!w->form()->stopBtn2->isEnabled());
        QCOMPARE(w->form()->waveHorizontalSlider2->value(), 0);
        QTest::qWait(50);
        QCOMPARE(state(w), QMediaPlayer::StoppedState);

        // A failed preview keeps loop mode on but plays nothing.
        QFile::remove(src);
        w->form()->loopBtn2->click();
        QVERIFY(w->preview().singleLoop());
        QCOMPARE(f.prompter.texts().last(), QString("Play error!"));
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        // Closing the window ends playback and still writes the changed sound list.
        w->soundLists().setWriteSoundListOnClose(true);
        w->library().addGroup("Loops");
        w->close();
        f.w.release(); // deleted on close
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QFile::exists(f.work.filePath("soundlist.xml")));
    }

    // A long conversion runs off the GUI thread: events are handled, the wait
    // dialog shows after half a second, and Stop kills it with no playback.
    void longPreviewStopped()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString src = writeBytes(f.path("long.wav"), pcmWav(1, 8000, 800));
        f.importToList({src});
        f.selectTotalRow(0);
        const QString bin = f.path("bin"), pidFile = f.path("ffmpeg.pid"), ended = f.path("ended");
        QDir().mkpath(bin);
        kf::writeFile(bin + "/ffmpeg", "#!/bin/sh\n" + reportsUntilKilled(ended, "echo $$ > \"$ZT_PID\"\n"));
        QFile::setPermissions(bin + "/ffmpeg", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit());
        qputenv("ZT_PID", pidFile.toLocal8Bit());
        bool shown = false;
        w->show();
        f.prompter.clear();
        // Once the wait shows, with ffmpeg still running.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            if (shown || !w->preview().dialog() || !w->preview().dialog()->isVisible())
                return;
            shown = w->preview().dialog()->windowTitle() == "Please wait..." && w->form()->btnLoadFile->isVisible();
            // Clicks as the window system brings them: only the wait's Cancel, its Stop, is taken.
            QWidget *load = w->form()->btnLoadFile;
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, load->mapTo(w, load->rect().center()));
            QWidget *cancel = w->preview().dialog()->findChild<QPushButton *>();
            QTest::mouseClick(w->preview().dialog()->windowHandle(), Qt::LeftButton, {},
                              cancel->mapTo(w->preview().dialog(), cancel->rect().center()));
        });
        poll.start(20);
        QTest::mouseClick(w->form()->playBtn2, Qt::LeftButton);
        poll.stop();
        qputenv("PATH", path);
        QVERIFY(shown);
        QVERIFY(!QFileInfo::exists(ended)); // killed by Stop, not waited on
        QVERIFY(!w->preview().dialog()->isVisible());
        QVERIFY(::kill(kf::readFile(pidFile).trimmed().toInt(), 0) != 0); // ffmpeg is gone
        QVERIFY(f.prompter.prompts.isEmpty());
        QVERIFY(!w->form()->stopBtn2->isEnabled());
        QTest::qWait(100);
        QCOMPARE(state(w), QMediaPlayer::StoppedState);
        QVERIFY(w->preview().playFileNameOld2().isEmpty());
    }

    // The wait holds the window and its dialogs: a kit copy dialog left open
    // and input-method typing, before the wait shows too, change no kit; the
    // wait's Cancel is Stop.
    void preparingPreviewTakesNoInput()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString src = writeBytes(f.path("long.wav"), pcmWav(1, 8000, 800));
        f.importToList({src});
        f.selectTotalRow(0);
        const QString bin = f.path("bin");
        QDir().mkpath(bin);
        kf::writeFile(bin + "/ffmpeg", "#!/bin/sh\nexec /bin/sleep 30\n");
        QFile::setPermissions(bin + "/ffmpeg", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_volume = 66; });
        const QByteArray kit2 = EditBaseline::kitSnapshot(w->doc().kitAttrList()[1]);
        w->show();
        w->form()->btnCopyKit->click(); // kit 1 onto kit 2, answered during the wait
        w->mainPadPage().kitCopy()->findChild<QSpinBox *>("dstKitBox")->setValue(2);
        QCoreApplication::processEvents(); // the dialog's activation, before the window's
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w);
        w->form()->kitNameLineEdit->setFocus();
        const QString name = w->form()->kitNameLineEdit->text();
        bool held = false, waitShown = true;
        QString early;
        // At the wait's first turn, before it shows.
        QTimer::singleShot(0, [&]() {
            waitShown = w->preview().dialog() && w->preview().dialog()->isVisible();
            QInputMethodEvent typing;
            typing.setCommitString("Early");
            QCoreApplication::sendEvent(QGuiApplication::focusObject(), &typing);
            early = w->form()->kitNameLineEdit->text();
        });
        // Once it shows.
        QTimer shown;
        QObject::connect(&shown, &QTimer::timeout, [&]() {
            if (!w->preview().dialog() || !w->preview().dialog()->isVisible())
                return;
            shown.stop();
            held = QApplication::activeModalWidget() == w->preview().dialog();
            QInputMethodEvent typing;
            typing.setCommitString("Typed");
            if (QObject *focus = QGuiApplication::focusObject())
                QCoreApplication::sendEvent(focus, &typing);
            QWidget *ok = w->mainPadPage().kitCopy()->findChild<QWidget *>("btnKitOk");
            QTest::mouseClick(w->mainPadPage().kitCopy()->windowHandle(), Qt::LeftButton, {},
                              ok->mapTo(w->mainPadPage().kitCopy(), ok->rect().center()));
            auto *cancel = w->preview().dialog() ? w->preview().dialog()->findChild<QPushButton *>() : nullptr;
            if (cancel)
                QTest::mouseClick(w->preview().dialog()->windowHandle(), Qt::LeftButton, {},
                                  cancel->mapTo(w->preview().dialog(), cancel->rect().center()));
            else
                w->on_stopBtn2_clicked();
        });
        shown.start(20);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit());
        w->form()->playBtn2->click();
        qputenv("PATH", path);
        QVERIFY(held && !waitShown);
        QCOMPARE(early, name);
        QCOMPARE(EditBaseline::kitSnapshot(w->doc().kitAttrList()[1]), kit2);
        QCOMPARE(w->form()->kitNameLineEdit->text(), name);
        QVERIFY(w->form()->kitNameLineEdit->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(f.prompter.texts().isEmpty());
        QVERIFY(w->preview().playFileNameOld2().isEmpty() && !w->preview().dialog()->isVisible());
    }

    // A stored sound whose kit file does not answer (its stat never returns)
    // is not waited on, for a preview or a save: the window paints meanwhile
    // and each ends as a copy that failed, after the limit.
    void storedSoundWhoseKitFileDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        const QString ini = loadKitFiles(f, w, kit, false);
        QVERIFY(QFileInfo::exists(ini));
        const QString stored = QDir::toNativeSeparators(ini) + ":U00004";
        const QString out = f.path("out.wav");
        for (const quint8 format : {quint8(1), quint8(0)}) {
            // The preview's stamp of the kit file answers: the copy is what waits.
            HangingOpens hanging(f.disk, "/KIT_007.INI", format == 1 ? 1 : 0, HangingOpens::Looks::OpensAndStats);
            endsUnanswered(f, w, stored, ini, format, hanging);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(!QFileInfo::exists(out));
        // Answering again, it is copied.
        QCOMPARE(w->rawFiles().getRawFile(stored, out, nullptr), quint32(kit.waves.at(4).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(4));
    }

    // A kit file that does not answer holds one look: pressed again, or
    // saved, while that look waits, it fails at once without another.
    void kitFileThatDoesNotAnswerIsLookedAtOnce()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        const QString ini = loadKitFiles(f, w, kit, false);
        const QString stored = QDir::toNativeSeparators(ini) + ":U00004";
        const QString out = f.path("out.wav");
        HangingOpens hanging(f.disk, "/KIT_007.INI", 1, HangingOpens::Looks::OpensAndStats);
        w->preview().choosePreviewSound(stored);
        for (int press = 0; press < 2; ++press) {
            w->form()->playBtn2->setEnabled(true);
            w->form()->playBtn2->click();
            QCOMPARE(f.prompter.texts(), QStringList{"Play error!\r\n" + silentText(ini)});
            f.prompter.clear();
            QCOMPARE(hanging.hung(), 1);
            QVERIFY(ztplatform::isSilentFile(w->library().silentFiles(), ini));
        }
        QCOMPARE(w->rawFiles().getRawFile(stored, out, nullptr), quint32(0));
        QCOMPARE(hanging.hung(), 1); // no other look
        QCOMPARE(hanging.waiting(), 1); // failed while the first look still waits
        QVERIFY(!QFileInfo::exists(out));
        // Once that look returns, the kit file is looked at again.
        hanging.release();
        QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), ini));
        QCOMPARE(w->rawFiles().getRawFile(stored, out, nullptr), quint32(kit.waves.at(4).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(4));
        QCOMPARE(hanging.hung(), 1);
    }

    // An audio file whose drive does not answer (its open, its stat, or the
    // resolution of its links never returns) is not waited on, for a
    // preview or a save: the window paints meanwhile and each ends as a
    // conversion that failed, after the limit. Answering again, it converts.
    void audioFileWhoseDriveDoesNotAnswerIsNotWaitedOn()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString wave = writeBytes(f.path("slow/kick.wav"), pcmWav(1, 8000, 800));
        const QString out = f.path("out.wav");
        struct Hang
        {
            HangingOpens::Looks looks;
            int previewAnswered; // looks that go through before the one that hangs
            int saveAnswered;
        };
        // The open; the stamp's or the type's stat; the links' resolution.
        const QVector<Hang> hangs{{HangingOpens::Looks::Opens, 0, 0},
                                  {HangingOpens::Looks::OpensAndStats, 0, 0},
                                  {HangingOpens::Looks::OpensAndStats, 2, 1}};
        for (const Hang &hang : hangs) {
            for (const quint8 format : {quint8(1), quint8(0)}) {
                HangingOpens hanging(f.disk, "slow/kick.wav", format == 1 ? hang.previewAnswered : hang.saveAnswered,
                                     hang.looks);
                endsUnanswered(f, w, wave, wave, format, hanging);
                if (QTest::currentTestFailed())
                    return;
            }
        }
        QVERIFY(!QFileInfo::exists(out));
        // The converter's own open, once the looks before it answered: the
        // output holds nothing, as after any conversion that failed.
        for (const quint8 format : {quint8(1), quint8(0)}) {
            HangingOpens hanging(f.disk, "slow/kick.wav", 1);
            endsUnanswered(f, w, wave, wave, format, hanging);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(QFileInfo(out).size(), 0);
        QVERIFY(w->rawFiles().getRawFile(wave, out, nullptr) > 0);
        QCOMPARE(formatOf(out).sampleRate, 48000u);
        w->preview().choosePreviewSound(wave);
        w->form()->playBtn2->setEnabled(true);
        w->form()->playBtn2->click();
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->preview().playFileNameOld2(), wave);
    }

    void rawWavesOfEverySource()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        KitFile kit;
        const QString ini = loadKitFiles(f, w, kit, true);
        QVERIFY(QFileInfo::exists(ini));
        const QString out = f.path("out.wav");
        const QString whole = QDir::toNativeSeparators(kit.path);

        // Whole setup: the metronome numbers, then the offset of five.
        w->library().noteSetupClicks(true);
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U10003", out, nullptr), quint32(kit.waves.at(3).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(3));
        QCOMPARE(w->rawFiles().getRawFile(whole.left(whole.size() - 3) + "bin:U00001", out, &w->preview()), quint32(0)); // path case differs
        QCOMPARE(f.prompter.texts(), QStringList({"File error!"}));
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U00001", out, &w->preview()), quint32(kit.waves.at(6).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(6));
        w->soundLists().noteClickListFull(true);
        w->library().expectPadClickSounds();
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U00001", out, nullptr), quint32(kit.waves.at(1).size()));
        w->library().padClickFolderRead();
        w->library().noteSetupClicks(false);
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U00001", out, nullptr), quint32(kit.waves.at(1).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(1));
        // ":U" in capitals only, as the setup files read it; ":u" ends a plain path.
        QCOMPARE(w->rawFiles().getRawFile(whole + ":u00001", out, nullptr), quint32(0));
        QVERIFY(f.prompter.texts().last().endsWith("File not found:" + whole + ":u00001"));
        f.prompter.clear();
        // Single kit: the entry itself, the suffix in any case.
        QCOMPARE(w->rawFiles().getRawFile(QDir::toNativeSeparators(ini) + ":U00004", out, nullptr), quint32(kit.waves.at(4).size()));
        QCOMPARE(kf::readFile(out), kit.waves.at(4));
        QVERIFY(f.prompter.texts().isEmpty());
        // Outside the table, not loaded, target not writable, kit file short.
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U10005", out, nullptr), quint32(0));
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U00008", out, nullptr), quint32(0));
        QCOMPARE(w->rawFiles().getRawFile(f.path("GONE.INI") + ":U00001", out, nullptr), quint32(0));
        QCOMPARE(f.prompter.texts(), QStringList({"File error!", "File error!", "File error!"}));
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U10000", f.path("no/dir/out.wav"), nullptr), quint32(0));
        kf::writeFile(kit.path, kf::readFile(kit.path).left(int(kit.record.info.sound[2].wave_start) + 10));
        QCOMPARE(w->rawFiles().getRawFile(whole + ":U00002", out, nullptr), quint32(0));
        QVERIFY(!QFileInfo::exists(out)); // a short copy leaves no file
        QCOMPARE(f.prompter.texts().size(), 4);
        QCOMPARE(f.prompter.texts().last(),
                 "Please check path:The file has been modified. The target sound was not found.\r\n" + whole);

        // A plain file converted into the pad's form.
        const QString src = writeBytes(f.path("mono.wav"), pcmWav(1, 44100, 4410));
        const quint32 size = w->rawFiles().getRawFile(src, out, nullptr);
        QCOMPARE(qint64(size), QFileInfo(out).size());
        const QByteArray head = kf::readFile(out).left(44);
        QCOMPARE(head.left(4), QByteArray("RIFF"));
        QCOMPARE(kf::rd32(head, 24), 48000u);
        QCOMPARE(kf::rd16(head, 22), quint16(2));
        QCOMPARE(kf::rd32(head, 40), size - 44);

        // A missing plain file names the kits that use it and makes its row current.
        const QString gone = f.path("gone.wav");
        reloadKit(w->doc(), 2, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[4].soundFile1 = gone; });
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = gone; });
        reloadKit(w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave3_file = gone; });
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.pedalChunk.hh_wave1_file = gone; });
        w->library().showSounds({{1, "x", "other", false}, {2, "gone", gone, false}}, false, true);
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(gone, out, nullptr), quint32(0));
        QCOMPARE(f.prompter.texts(),
                 QStringList({QString::fromUtf8("gone.wavsound exists in Kit 3\xE3\x80\x81" "7\xE3\x80\x81" "2\r\n")
                              + "If you want to delete a sound, please find it in the right list and press 'OK' to "
                                "confirm.\r\nFile not found:" + gone}));
        QCOMPARE(w->form()->totalWaveTreeView->currentIndex(), w->library().totalListItemModel()->soundIndex(1, 2));
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(f.path("unused.wav"), out, nullptr), quint32(0));
        QVERIFY(f.prompter.texts().first().startsWith("unused.wavsound exists in Kit \r\n"));
        QVERIFY(!w->form()->totalWaveTreeView->currentIndex().isValid());

        // ffmpeg's complaints, and no ffmpeg at all.
        const QString text = writeBytes(f.path("text.wav"), QByteArray("just some text, not audio"));
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(text, out, &w->preview()), quint32(0));
        QCOMPARE(f.prompter.texts(), QStringList({QString::fromUtf8("Wrong data in file\xEF\xBC\x9A\r\nFile Location: ")
                                                  + text + "\r\nInvalid data found when processing input."}));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "");
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(src, out, nullptr), quint32(0));
        qputenv("PATH", path);
        QCOMPARE(f.prompter.texts(), QStringList({"Missing some files for the program!"}));

        // A stand-in ffmpeg: the first phrase in the search order decides;
        // without one the target must hold samples.
        const QString bin = f.path("bin");
        QDir().mkpath(bin);
        kf::writeFile(bin + "/ffmpeg", "#!/bin/sh\nprintf '%s' \"$ZT_ERR\" >&2\nfor a; do last=$a; done\n"
                                       "printf '%s' \"$ZT_OUT\" > \"$last\"\n");
        QFile::setPermissions(bin + "/ffmpeg", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", bin.toLocal8Bit());
        const QString wrong = QString::fromUtf8("Wrong data in file\xEF\xBC\x9A\r\n");
        const QVector<QPair<QByteArray, QString>> outputs = {
                {"x: Invalid argument\nOption not found\n", "File Location: " + src + "\r\nOption not found."},
                {"Invalid argument; Error splitting the argument list", "File Location: " + src
                                                                        + "\r\nError splitting the argument list."},
                {"Conversion failed!", "File Location: " + src + "\r\nConversion failed!"},
                {"all fine", "File Location: " + src + "\r\nall fine"}};
        for (const auto &o : outputs) {
            qputenv("ZT_ERR", o.first);
            f.prompter.clear();
            QCOMPARE(w->rawFiles().getRawFile(src, out, nullptr), quint32(0));
            QCOMPARE(f.prompter.texts(), QStringList{wrong + o.second});
        }
        qputenv("ZT_OUT", "0123456789abcdef");
        f.prompter.clear();
        QCOMPARE(w->rawFiles().getRawFile(src, out, nullptr), quint32(44 + 16));
        QVERIFY(f.prompter.texts().isEmpty());
        qputenv("PATH", path);
    }

    // A source that does not open for reading is named with the system's
    // reason before any conversion.
    void unreadableSourceNamed()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString src = writeBytes(f.path("locked.wav"), pcmWav(1, 8000, 800));
        QVERIFY(QFile::setPermissions(src, QFileDevice::Permissions()));
        // Root reads any file: then the editor looks as another user.
        const bool root = ::geteuid() == 0;
        QVERIFY(QFile::setPermissions(f.work.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                             | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                             | QFileDevice::ExeOther));
        QVERIFY(!root || ::seteuid(65534) == 0);
        const quint32 got = w->rawFiles().getRawFile(src, f.path("out.wav"), &w->preview());
        QVERIFY(!root || ::seteuid(0) == 0);
        QCOMPARE(got, quint32(0));
        QCOMPARE(f.prompter.texts(),
                 QStringList({"The file cannot be read:\r\n" + src + "\r\n" + std::strerror(EACCES)}));
    }
};

int main(int argc, char **argv)
{
    // Headless playback: audio goes to a sink that plays nothing.
    qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    QApplication app(argc, argv);
    TestPreview test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_preview.moc"

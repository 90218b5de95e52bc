// The import probe's batches: one ffmpeg run gives a verdict per file; only a
// run that itself failed is repeated file by file.
#include "library/audioprobe.h"
#include "platform/timedlook.h"
#include "support/hangingdisk.h"
#include "support/switchdisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestAudioProbe : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    SwitchDisk m_disk; // every file the probe reads
    QString m_ffmpeg; // the real one
    QByteArray m_path;

    QString path(const QString &name) const { return m_root.filePath(name); }

    bool generate(const QString &out)
    {
        QProcess p;
        p.setProgram(m_ffmpeg);
        p.setArguments({"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                        "sine=frequency=440:sample_rate=44100:duration=1", "-ac", "1", "-y", out});
        p.start();
        return p.waitForFinished(60000) && p.exitCode() == 0 && QFileInfo(out).size() > 0;
    }

    int runs() const
    {
        QFile f(path("runs"));
        return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        QVERIFY2(!m_ffmpeg.isEmpty(), "ffmpeg not found on PATH");
        QVERIFY(generate(path("a.mp3")) && generate(path("b.mp3")) && generate(path("sine.wav")));

        // 8 frames at 44.1 kHz: ffmpeg decodes them but resamples into none.
        QFile whole(path("sine.wav"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        QFile silent(path("silent.wav"));
        QVERIFY(silent.open(QIODevice::WriteOnly) && silent.write(bytes.left(bytes.indexOf("data") + 8 + 16)) > 0);
        silent.close();
        QFile text(path("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a sound\n") > 0);
        text.close();

        // A counting stand-in first on PATH runs the real ffmpeg.
        QVERIFY(QDir().mkpath(path("bin")));
        QFile counter(path("bin/ffmpeg"));
        QVERIFY(counter.open(QIODevice::WriteOnly));
        counter.write("#!/bin/sh\necho run >> '" + QFile::encodeName(path("runs")) + "'\nexec '"
                      + QFile::encodeName(m_ffmpeg) + "' \"$@\"\n");
        counter.close();
        QVERIFY(counter.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(path("bin")) + ':' + m_path);
    }

    void cleanupTestCase() { qputenv("PATH", m_path); }

    void init() { QFile::remove(path("runs")); }

    void silentFileInABatchTakesNoSecondRun()
    {
        using V = audioprobe::Verdict;
        const QVector<V> verdicts =
                audioprobe::probeEach({path("a.mp3"), path("silent.wav"), path("b.mp3")}, nullptr, 1);
        QVERIFY(verdicts == QVector<V>({V::Audio, V::NotAudio, V::Audio}));
        QCOMPARE(runs(), 1);
    }

    // A file whose drive does not answer is not waited on past the limit:
    // it is not taken and no ffmpeg run waits on it; the others are taken
    // with their bytes.
    void silentDriveIsNotWaitedOn()
    {
        HangingOpens silent(m_disk, "/b.mp3");
        QVector<groupentries::Identity> bytes;
        const QVector<audioprobe::Verdict> verdicts =
                audioprobe::probeEach({path("a.mp3"), path("b.mp3")}, nullptr, 2, &bytes, nullptr,
                                      audioconverter::Limits(), fenceOn(m_disk));
        QCOMPARE(silent.hung(), 1);
        QCOMPARE(silent.waiting(), 1); // told while the file is held
        QVERIFY(verdicts.size() == 2 && verdicts.at(0) == audioprobe::Verdict::Audio
                && verdicts.at(1) == audioprobe::Verdict::Silent);
        QVERIFY(bytes.at(0).known() && !bytes.at(1).known());
        QCOMPARE(runs(), 1);
        silent.release();
        QTRY_COMPARE(silent.waiting(), 0);

        // Silent only once it is decoded: its bytes are not waited on either.
        HangingOpens later(m_disk, "/a.mp3", 2); // the look and ffmpeg's run answer
        const QVector<audioprobe::Verdict> again = audioprobe::probeEach({path("a.mp3")}, nullptr, 1, &bytes, nullptr,
                                                                              audioconverter::Limits(), fenceOn(m_disk));
        QCOMPARE(later.hung(), 1);
        QCOMPARE(later.waiting(), 1); // taken while its bytes are held
        QVERIFY(again.size() == 1 && again.at(0) == audioprobe::Verdict::Audio);
        QVERIFY(!bytes.at(0).known());
        later.release();
        QTRY_COMPARE(later.waiting(), 0);
    }

    // A drive that answers the quick look and then goes silent is not
    // waited on when ffmpeg's run opens the file: it is not taken, the others
    // are.
    void driveSilentAfterTheQuickLookIsNotWaitedOn()
    {
        HangingOpens silent(m_disk, "/b.mp3", 1); // the quick look answers
        const QStringList files{path("a.mp3"), path("b.mp3")};
        const ztplatform::TimedLook<QVector<audioprobe::Verdict>> probing(
                [files, fence = fenceOn(m_disk)]() {
                    return audioprobe::probeEach(files, nullptr, 1, nullptr, nullptr, audioconverter::Limits(), fence);
                });
        const std::optional<QVector<audioprobe::Verdict>> verdicts = probing.waitFor(2000 + 6000);
        silent.release();
        QVERIFY2(verdicts, "the probe waits on a silent drive");
        QCOMPARE(silent.hung(), 1);
        QVERIFY(verdicts->size() == 2 && verdicts->at(0) == audioprobe::Verdict::Audio
                && verdicts->at(1) == audioprobe::Verdict::Silent);
        QTRY_COMPARE(silent.waiting(), 0);
    }

    void failedRunIsRepeatedFileByFile()
    {
        using V = audioprobe::Verdict;
        const QVector<V> verdicts = audioprobe::probeEach({path("a.mp3"), path("notes.txt")}, nullptr, 1);
        QVERIFY(verdicts == QVector<V>({V::Audio, V::NotAudio}));
        QCOMPARE(runs(), 3);
    }
};

QTEST_GUILESS_MAIN(TestAudioProbe)
#include "test_audioprobe.moc"

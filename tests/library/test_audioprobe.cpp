// The import probe's batches: one ffmpeg run gives a verdict per file; only a
// run that itself failed is repeated file by file.
#include "library/audioprobe.h"

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
        const QVector<bool> flags =
                audioprobe::probeAll({path("a.mp3"), path("silent.wav"), path("b.mp3")}, nullptr, 1);
        QCOMPARE(flags, QVector<bool>({true, false, true}));
        QCOMPARE(runs(), 1);
    }

    void failedRunIsRepeatedFileByFile()
    {
        const QVector<bool> flags = audioprobe::probeAll({path("a.mp3"), path("notes.txt")}, nullptr, 1);
        QCOMPARE(flags, QVector<bool>({true, false}));
        QCOMPARE(runs(), 3);
    }
};

QTEST_GUILESS_MAIN(TestAudioProbe)
#include "test_audioprobe.moc"

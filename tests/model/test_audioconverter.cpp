#include "model/audioconverter.h"
#include "model/conversionjobs.h"
#include "platform/silentfiles.h"
#include "support/fakeprogram.h"
#include "support/hangingdisk.h"
#include "support/pipewaits.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

const char *const kErrorPhrases[] = {
    "Invalid data found when processing input", "Error splitting the argument list",
    "Option not found", "Invalid argument", "Conversion failed",
};

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

// The pad's 44-byte header for len bytes of 48 kHz 16-bit stereo samples.
QByteArray expectedHeader(quint32 len)
{
    return QByteArray("RIFF") + le32(len + 36) + QByteArray("WAVEfmt ")
           + QByteArray("\x10\x00\x00\x00" "\x01\x00" "\x02\x00", 8)
           + QByteArray("\x80\xBB\x00\x00" "\x00\xEE\x02\x00" "\x04\x00" "\x10\x00", 12)
           + QByteArray("data") + le32(len);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool hasErrorPhrase(const QString &mesg)
{
    for (const char *p : kErrorPhrases)
        if (mesg.contains(QLatin1String(p)))
            return true;
    return false;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList dirEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

class TestAudioConverter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_tmp;     // TMPDIR for the converter's private folders
    QString m_ffmpeg;  // the real one, from PATH
    QString m_wav, m_mp3, m_text;
    QStringList m_appDirBefore;

    QString path(const QString &name) const { return m_root.filePath(name); }

    bool generate(const QString &out, const QStringList &extra)
    {
        QProcess p;
        p.setProgram(m_ffmpeg);
        p.setArguments(QStringList{"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                                   "sine=frequency=440:sample_rate=44100:duration=1", "-ac", "1"}
                       + extra + QStringList{"-y", out});
        p.start();
        return p.waitForFinished(60000) && p.exitCode() == 0 && QFileInfo(out).size() > 0;
    }

    // A stand-in ffmpeg: a shell script; "$last" is its last argument.
    QString makeFake(const QString &name, const QByteArray &body)
    {
        const QString dir = path("fakes/" + name);
        QDir().mkpath(dir);
        const QString exe = dir + "/ffmpeg";
        QFile f(exe);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write("#!/bin/sh\nfor last; do :; done\n" + body + "\n");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return exe;
    }

    void verifyNoTemporaryLeft()
    {
        QVERIFY2(dirEntries(m_tmp).isEmpty(), qPrintable(dirEntries(m_tmp).join(' ')));
        QCOMPARE(dirEntries(QCoreApplication::applicationDirPath()), m_appDirBefore);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_tmp = path("tmp");
        QVERIFY(QDir().mkpath(m_tmp));
        qputenv("TMPDIR", QFile::encodeName(m_tmp));
        QCOMPARE(QDir::tempPath(), QDir(m_tmp).canonicalPath());

        m_ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        QVERIFY2(!m_ffmpeg.isEmpty(), "ffmpeg not found on PATH");

        m_wav = path("sine.wav");
        m_mp3 = path("sine.mp3");
        m_text = path("notes.txt");
        QVERIFY(generate(m_wav, {"-c:a", "pcm_s16le"}));
        QVERIFY(generate(m_mp3, {}));
        QFile t(m_text);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("This is not a sound.\nJust some words.\n");
        t.close();
        m_appDirBefore = dirEntries(QCoreApplication::applicationDirPath());
    }

    void cleanup()
    {
        verifyNoTemporaryLeft();
    }

    void convertsRealFiles_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("wav 44.1k mono") << m_wav;
        QTest::newRow("mp3 44.1k mono") << m_mp3;
    }

    void convertsRealFiles()
    {
        QFETCH(QString, input);
        const QString out = path("out.wav");
        QString mesg = "stale";
        audioconverter conv;
        conv.audioConverterRun(input, out, mesg);

        QVERIFY(!mesg.isEmpty());
        QVERIFY(!mesg.contains("stale"));
        QVERIFY2(!hasErrorPhrase(mesg), qPrintable(mesg));

        const QByteArray bytes = readAll(out);
        QVERIFY(bytes.size() > 44);
        const quint32 len = quint32(bytes.size() - 44);
        QCOMPARE(bytes.left(44), expectedHeader(len));
        QCOMPARE(len % 4, 0u);
        QVERIFY2(len > 184000 && len < 200000, qPrintable(QString::number(len)));

        // Mono source: both channels equal, and not silent.
        const auto *s = reinterpret_cast<const qint16 *>(bytes.constData() + 44);
        int loud = 0;
        for (quint32 i = 0; i < len / 4; ++i) {
            QCOMPARE(s[2 * i], s[2 * i + 1]);
            if (qAbs(int(s[2 * i])) > 1000)
                ++loud;
        }
        QVERIFY(loud > 10000);
    }

    void textInputFails()
    {
        const QString out = path("text.wav");
        QFile::remove(out);
        QString mesg;
        audioconverter conv;
        conv.audioConverterRun(m_text, out, mesg);
        QVERIFY2(mesg.contains("Invalid data found when processing input"), qPrintable(mesg));
        QVERIFY(QFileInfo::exists(out));
        QCOMPARE(QFileInfo(out).size(), 0);
    }

    void missingFfmpeg()
    {
        const QString out = path("missing.wav");
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old content");
        f.close();

        QString mesg = "previous text";
        audioconverter conv;
        conv.setProgram(path("nowhere/ffmpeg"));
        conv.audioConverterRun(m_wav, out, mesg);
        QVERIFY(mesg.isEmpty());
        QCOMPARE(readAll(out), QByteArray("old content")); // an earlier file is kept

        mesg = "previous text";
        conv.audioConverterWaveRun(m_wav, path("missing-preview.wav"), mesg);
        QVERIFY(mesg.isEmpty());
    }

    void argumentsAndTemporaryName()
    {
        audioconverter conv;
        conv.setProgram(makeFake("args", "for a in \"$@\"; do printf '%s\\n' \"$a\" >&2; done\n"
                                         "readlink \"$2\" > '" + QFile::encodeName(path("link")) + "'\n"
                                         "printf 'ABCDEFGH' > \"$last\""));
        const QString out = path("args.wav");
        QString mesg;
        conv.audioConverterRun(m_wav, out, mesg);

        QStringList args = mesg.split('\n');
        QCOMPARE(args.takeLast(), QString());
        QCOMPARE(args.size(), 12);
        QCOMPARE(args.mid(0, 11),
                 (QStringList{"-i", m_wav, "-map", "0:a:0", "-ar", "48000", "-ac", "2", "-f", "s16le", "-y"}));
        // ffmpeg read the file as opened and checked, by a link of the same
        // name; its messages name the file itself.
        QCOMPARE(readAll(path("link")).left(14), QByteArray("/proc/self/fd/"));
        const QFileInfo tmp(args[11]);
        QVERIFY(QRegularExpression("^[A-Za-z0-9]{7}$").match(tmp.fileName()).hasMatch());
        QVERIFY2(tmp.absolutePath().startsWith(QDir(m_tmp).canonicalPath() + '/'), qPrintable(args[11]));
        QVERIFY(!tmp.absolutePath().startsWith(QCoreApplication::applicationDirPath()));

        QCOMPARE(readAll(out), expectedHeader(8) + "ABCDEFGH");
    }

    void pathsAreNeverOptions()
    {
        const QString fake = makeFake("args2", "for a in \"$@\"; do printf '%s\\n' \"$a\" >&2; done");
        const QString oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_root.path()));
        QFile source("-x.wav");
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.close();
        audioconverter conv;
        conv.setProgram(fake);
        QString mesg;
        conv.audioConverterWaveRun("-x.wav", "-y.wav", mesg);
        QDir::setCurrent(oldCwd);
        const QStringList args = mesg.split('\n');
        QCOMPARE(args.size(), 13);
        QCOMPARE(args[1], QDir(m_root.path()).absoluteFilePath("-x.wav"));
        QCOMPARE(args[11], QDir(m_root.path()).absoluteFilePath("-y.wav"));
    }

    void emptyAndMissingSamples()
    {
        audioconverter conv;
        QString mesg;
        const QString out = path("empty.wav");

        conv.setProgram(makeFake("empty", "echo converted >&2\n: > \"$last\""));
        conv.audioConverterRun(m_wav, out, mesg);
        QCOMPARE(mesg, QString("converted\n"));
        QCOMPARE(readAll(out), expectedHeader(0));

        // ffmpeg succeeded but wrote no file: a new outFile exists, empty.
        conv.setProgram(makeFake("nofile", "echo second run >&2"));
        conv.audioConverterRun(m_wav, path("nofile.wav"), mesg);
        QCOMPARE(mesg, QString("second run\n")); // replaced, not appended
        QVERIFY(QFileInfo::exists(path("nofile.wav")));
        QCOMPARE(QFileInfo(path("nofile.wav")).size(), 0);
    }

    // Judged by the exit and the samples, not by ffmpeg's warnings: a WAV cut
    // inside a frame converts with what it holds and passes the probe; a run
    // without samples is no conversion and fails the probe.
    void judgedByExitAndSamples()
    {
        const QByteArray whole = readAll(m_wav);
        const QString cut = path("cut.wav"), none = path("none.wav");
        QFile f(cut);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(whole.left(whole.size() / 2 | 1)) > 0);
        f.close();
        audioconverter conv;
        QString mesg;
        QVERIFY(conv.audioConverterRun(cut, path("cut-out.wav"), mesg));
        QVERIFY2(mesg.contains("Invalid data found when processing input"), qPrintable(mesg));
        const QByteArray bytes = readAll(path("cut-out.wav"));
        QVERIFY2(bytes.size() > 44 + 90000, qPrintable(QString::number(bytes.size())));
        QCOMPARE(bytes.left(44), expectedHeader(quint32(bytes.size() - 44)));
        QVERIFY(conv.audioProbeRun({m_mp3, cut}, mesg));

        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(expectedHeader(0)) == 44);
        f.close();
        QVERIFY(!conv.audioProbeRun({cut}, mesg));
        QVERIFY(!conv.audioConverterRun(cut, none, mesg));
        QCOMPARE(readAll(none), expectedHeader(0));

        // A few 44.1 kHz frames decode but resample into none: the probe says so too.
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(whole.left(whole.indexOf("data") + 8 + 2 * 8)) > 0);
        f.close();
        QVERIFY(!conv.audioProbeRun({m_mp3, cut}, mesg));
        QVERIFY(!conv.audioConverterRun(cut, none, mesg));
        QCOMPARE(readAll(none), expectedHeader(0));
        QVector<bool> each;
        QVERIFY(!conv.audioProbeRun({m_mp3, cut}, mesg, &each));
        QCOMPARE(each, QVector<bool>({true, false})); // the run succeeded: a verdict per file
    }

    void failingRunsLeaveEmptyOutput_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("mesg");
        QTest::newRow("non-zero exit") << QByteArray("printf 'ABCDEFGH' > \"$last\"\necho 'Conversion failed!' >&2\nexit 1")
                                       << "Conversion failed!\n";
        QTest::newRow("crash") << QByteArray("printf 'ABCDEFGH' > \"$last\"\necho partial >&2\nkill -SEGV $$")
                               << "partial\n";
    }

    void failingRunsLeaveEmptyOutput()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, mesg);
        const QString out = path("fail.wav");
        QString got;
        audioconverter conv;
        conv.setProgram(makeFake("fail", script));
        conv.audioConverterRun(m_wav, out, got);
        QCOMPARE(got, mesg);
        QVERIFY(QFileInfo::exists(out));
        QCOMPARE(QFileInfo(out).size(), 0);

        // Preview: an earlier file at outFile does not pass for a result.
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF....");
        f.close();
        conv.audioConverterWaveRun(m_wav, out, got);
        QCOMPARE(QFileInfo(out).size(), 0);
    }

    // An export into the source's own folder names the source as outFile.
    void overItsOwnSource()
    {
        const QString src = path("own/source.mp3");
        QVERIFY(QDir().mkpath(path("own")));
        QVERIFY(QFile::copy(m_mp3, src));
        const QByteArray original = readAll(src);
        audioconverter conv;
        QString mesg;

        // Failing, missing or killed ffmpeg: the source keeps its bytes.
        conv.setProgram(makeFake("own-fail", "echo 'Conversion failed!' >&2\nexit 1"));
        conv.audioConverterRun(src, src, mesg);
        QCOMPARE(mesg, QString("Conversion failed!\n"));
        QCOMPARE(readAll(src), original);
        conv.audioConverterWaveRun(src, src, mesg);
        QCOMPARE(readAll(src), original);
        // Reached through another name (a link) it is still the source.
        const QString link = path("own/link.mp3");
        QVERIFY(QFile::link(src, link));
        conv.audioConverterRun(src, link, mesg);
        QCOMPARE(readAll(src), original);

        conv.setProgram(path("nowhere/ffmpeg"));
        conv.audioConverterRun(src, src, mesg);
        QVERIFY(mesg.isEmpty());
        QCOMPARE(readAll(src), original);

        // The real ffmpeg: the source is replaced by the complete conversion.
        conv.setProgram(m_ffmpeg);
        conv.audioConverterRun(src, src, mesg);
        QVERIFY2(!hasErrorPhrase(mesg), qPrintable(mesg));
        const QByteArray bytes = readAll(src);
        QVERIFY(bytes.size() > 44 + 180000);
        QCOMPARE(bytes.left(44), expectedHeader(quint32(bytes.size() - 44)));
        QCOMPARE(dirEntries(path("own")), (QStringList{"link.mp3", "source.mp3"}));
    }

    void debugMessages()
    {
        audioconverter conv;
        QString mesg;
        conv.setProgram(makeFake("msg", "printf 'ABCD' > \"$last\""));
        QTest::ignoreMessage(QtDebugMsg, "以只写模式打开失败");
        conv.audioConverterRun(m_wav, path("no-such-folder/out.wav"), mesg);
        QVERIFY(!QFileInfo::exists(path("no-such-folder/out.wav")));

        conv.setProgram(makeFake("msg-nofile", "echo done >&2"));
        QTest::ignoreMessage(QtDebugMsg, "以只读模式打开失败sine");
        conv.audioConverterRun(m_wav, path("msg.wav"), mesg);
        QCOMPARE(QFileInfo(path("msg.wav")).size(), 0);
    }

    void runIsBoundedAndStdinClosed()
    {
        audioconverter conv;
        QString mesg;
        const QString out = path("bounded.wav");

        // Its input closed, the fake's cat ends and it writes its output: a
        // run killed instead would leave none.
        conv.setTimeout(20000);
        conv.setProgram(makeFake("stdin", "cat > /dev/null\n: > \"$last\""));
        conv.audioConverterRun(m_wav, out, mesg);
        QVERIFY(!conv.tookTooLong());
        QCOMPARE(readAll(out), expectedHeader(0));

        // Killed at its own bound, not by the stall limit nor at its end.
        conv.setTimeout(300);
        conv.setProgram(makeFake("slow", "printf 'ABCD' > \"$last\"\nexec sleep 30"));
        conv.audioConverterRun(m_wav, path("bounded2.wav"), mesg);
        QVERIFY(conv.tookTooLong());
        QVERIFY(mesg.endsWith(audioconverter::tooLongText() + "\n"));
        QCOMPARE(QFileInfo(path("bounded2.wav")).size(), 0);

        // Without a caller's bound, the source's size sets it: far beyond
        // what a 10-minute WAV takes.
        QCOMPARE(audioconverter::timeLimitFor(0), 120000);
        QCOMPARE(audioconverter::timeLimitFor(115200000), 229000); // 10 min, 48 kHz, 16 bits, stereo
        QVERIFY(audioconverter::timeLimitFor(3686400000LL) > 3600000); // 10 min, 192 kHz, 32 bits, 8 channels
        // A run that reports for ever is killed at the bound it was handed,
        // before its caller's own and before it would end on its own, and
        // says so.
        audioconverter::Limits bounded;
        bounded.timeMs = 800;
        audioconverter endless(bounded);
        endless.setTimeout(60000);
        const QString ended = path("endless.ended");
        endless.setProgram(makeFake("endless", reportsUntilKilled(ended)));
        QElapsedTimer t;
        t.start();
        QVERIFY(!endless.audioConverterRun(m_wav, path("bounded3.wav"), mesg));
        QVERIFY2(t.elapsed() >= 800, qPrintable(QString::number(t.elapsed())));
        QVERIFY(!QFileInfo::exists(ended));
        QVERIFY(endless.tookTooLong());
        QVERIFY(mesg.endsWith(audioconverter::tooLongText() + "\n"));
        QCOMPARE(QFileInfo(path("bounded3.wav")).size(), 0);
        QVERIFY(!endless.audioConverterWaveRun(m_wav, path("bounded4.wav"), mesg));
        QVERIFY(endless.tookTooLong());
    }

    // A pipe, a device or a folder at the source's name never reaches ffmpeg:
    // it would wait on a pipe for ever.
    void nonRegularSourcesNeverReachFfmpeg()
    {
        const QString marker = path("ran");
        audioconverter conv;
        conv.setProgram(makeFake("marks", "echo ran > '" + marker.toUtf8() + "'"));
        const QString fifo = path("pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString folder = path("folder.wav");
        QVERIFY(QDir().mkpath(folder));
        for (const QString &source : {fifo, folder, QString("/dev/zero")}) {
            QString mesg;
            const PipeWaits pipes({fifo});
            QVERIFY(!conv.audioConverterRun(source, path("fromodd.wav"), mesg));
            QCOMPARE(mesg, audioconverter::notRegularText() + "\n");
            QVERIFY(!conv.audioConverterWaveRun(source, path("fromodd2.wav"), mesg));
            QCOMPARE(mesg, audioconverter::notRegularText() + "\n");
            QVector<bool> each;
            QVERIFY(!conv.audioProbeRun({m_wav, source}, mesg, &each));
            QVERIFY(each.isEmpty());
            QVERIFY(!pipes.any());
            QVERIFY2(!QFileInfo::exists(marker), qPrintable(source));
        }
        QFile::remove(fifo);
        QDir(folder).removeRecursively();
    }

    // A run that neither ends nor makes progress is killed after the stall
    // limit and fails, saying so; one that is slow but reports or reads is
    // never cut short.
    void stallEndsOnlyStuckRuns_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("converts");
        QTest::newRow("silent") << QByteArray("printf 'ABCD' > \"$last\"\nexec sleep 30") << false;
        QTest::newRow("reports") << QByteArray("for i in 1 2 3 4 5 6 7 8 9 10; do echo \"size= ${i}kB\" >&2; sleep 0.3; done\n"
                                               "printf 'ABCD' > \"$last\"")
                                 << true;
        QTest::newRow("reads") << QByteArray("for i in 1 2 3 4 5 6 7 8 9 10; do head -c 100 \"$2\"; sleep 0.3; done > /dev/null\n"
                                             "printf 'ABCD' > \"$last\"")
                               << true;
    }

    void stallEndsOnlyStuckRuns()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, converts);
        audioconverter::Limits quick;
        quick.stallMs = 1000;
        audioconverter conv(quick);
        conv.setProgram(makeFake("stall", script));
        const QString out = path("stall.wav");
        QFile::remove(out);
        QString mesg;
        QElapsedTimer t;
        t.start();
        QCOMPARE(conv.audioConverterRun(m_wav, out, mesg), converts);
        if (converts) {
            QVERIFY(t.elapsed() >= 3000);
            QCOMPARE(readAll(out), expectedHeader(4) + "ABCD");
            QVERIFY(!mesg.contains(audioconverter::stallText()));
        } else {
            QVERIFY2(t.elapsed() >= 1000, qPrintable(QString::number(t.elapsed()))); // its stall, not its bound
            QCOMPARE(mesg, audioconverter::stallText() + "\n");
            QCOMPARE(QFileInfo(out).size(), 0);
        }
    }

    void refusesSizesBeyondWavFields()
    {
        // Sparse raw file one byte past what len + 36 can hold in 32 bits.
        audioconverter conv;
        conv.setProgram(makeFake("huge", "truncate -s 4294967260 \"$last\""));
        const QString out = path("huge.wav");
        QString mesg;
        conv.audioConverterRun(m_wav, out, mesg);
        QVERIFY(QFileInfo::exists(out));
        QCOMPARE(QFileInfo(out).size(), 0);
    }

    void waveRunLetsFfmpegWrite()
    {
        const QString out = path("preview.wav");
        QString mesg;
        audioconverter conv;
        conv.audioConverterWaveRun(m_mp3, out, mesg);
        QVERIFY2(!hasErrorPhrase(mesg), qPrintable(mesg));
        const QByteArray bytes = readAll(out);
        QVERIFY(bytes.size() > 190000);
        QVERIFY(bytes.startsWith("RIFF"));
        QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
    }

    // A file whose first audio stream is 1 s mono and whose second is 5 s in
    // six channels: both conversions take the first, as the import probe does.
    void firstAudioStreamConverted()
    {
        const QString two = path("two-streams.ogg");
        QVERIFY(generate(two, {"-f", "lavfi", "-i", "sine=frequency=220:sample_rate=44100:duration=5", "-map", "0:a",
                               "-map", "1:a", "-ac:a:1", "6", "-c:a", "libvorbis"}));
        const QString out = path("first.wav");
        QString mesg;
        audioconverter conv;
        conv.audioConverterRun(two, out, mesg);
        QVERIFY2(qAbs(QFileInfo(out).size() - 44 - 192000) < 4000, qPrintable(mesg));
        conv.audioConverterWaveRun(two, out, mesg);
        QVERIFY2(QFileInfo(out).size() < 300000, qPrintable(mesg));
    }

    void findsFfmpegBesideExecutable()
    {
        const QString besideDir = path("appdir");
        QVERIFY(QDir().mkpath(besideDir));
        QCOMPARE(audioconverter::findProgram(besideDir), m_ffmpeg);

        QFile plain(besideDir + "/ffmpeg");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        plain.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(audioconverter::findProgram(besideDir), m_ffmpeg); // not executable

        plain.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(audioconverter::findProgram(besideDir), QFileInfo(besideDir + "/ffmpeg").absoluteFilePath());
        QVERIFY(!audioconverter::defaultProgram().isEmpty());
    }

    // The look for ffmpeg waits on no silent folder: the loop runs, and the
    // program is one whose start fails, as when there is no ffmpeg; a second
    // look meanwhile does not wait at all.
    void silentFolderFindsNoFfmpeg()
    {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("ffmpeg");
        QVERIFY(!QFileInfo::exists(beside));
        QCOMPARE(audioconverter::defaultProgram(), m_ffmpeg);
        SwitchDisk disk;
        HangingOpens hanging(disk, "/ffmpeg", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile held([&] { return hanging.waiting() > 0; });
        const auto silent = std::make_shared<ztplatform::SilentFiles>();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(audioconverter::defaultProgram(eventsWhileWaiting(), &disk, silent), beside);
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(held.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(audioconverter::defaultProgram({}, nullptr, silent), beside);
        QCOMPARE(hanging.hung(), 1); // no other look
        QCOMPARE(hanging.waiting(), 1); // answered while the first look still waits
        QString mesg;
        audioconverter conv;
        conv.setProgram(beside);
        QVERIFY(!conv.audioConverterRun(m_wav, path("never.wav"), mesg));
        QVERIFY(mesg.isEmpty()); // as without ffmpeg
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(audioconverter::defaultProgram({}, nullptr, silent), m_ffmpeg);
    }

    void waveHeadAndHelpers()
    {
        char head[44];
        audioconverter::WAVE_PARA para{1, 48000, 2, 16};
        audioconverter::getWaveHead(head, para, 0x01020304u);
        QCOMPARE(QByteArray(head, 44), expectedHeader(0x01020304u));
        // Size fields are 32-bit.
        audioconverter::getWaveHead(head, para, 0xFFFFFFDBu);
        QCOMPARE(QByteArray(head + 4, 4), le32(0xFFFFFFFFu));

        audioconverter conv;
        const QString name = conv.randomQString(7);
        QVERIFY(QRegularExpression("^[A-Za-z0-9]{7}$").match(name).hasMatch());
        QVERIFY(conv.randomQString(0).isEmpty());
        QVERIFY(conv.randomQString(-3).isEmpty());
        const QString many = conv.randomQString(5000);
        QVERIFY(QRegularExpression("^[A-Za-z0-9]{5000}$").match(many).hasMatch());
        QCOMPARE(QSet<QChar>(many.begin(), many.end()).size(), 62);
    }

    // The runs of one converter share one scratch folder, which keeps only its
    // lock between runs and goes with the converter.
    void runsShareOneScratchFolder()
    {
        {
            audioconverter conv;
            QString mesg;
            QVERIFY(conv.audioConverterRun(m_wav, path("share0.wav"), mesg));
            const QStringList folders = dirEntries(m_tmp);
            QCOMPARE(folders.size(), 1);
            QVERIFY(folders.first().startsWith("zt350conv-"));
            QVERIFY(conv.audioConverterRun(m_mp3, path("share1.wav"), mesg));
            QVERIFY(conv.audioConverterRun(m_wav, path("share1.wav"), mesg));
            QCOMPARE(dirEntries(m_tmp), folders);
            QCOMPARE(dirEntries(m_tmp + "/" + folders.first()), QStringList({".zt350-run.lock"}));
            QCOMPARE(readAll(path("share1.wav")), readAll(path("share0.wav")));
        }
        QVERIFY(dirEntries(m_tmp).isEmpty());
    }

    // Jobs run on threads of their own, several at once, each as a run of its
    // own would; a source that is no regular file runs nothing; a stop kills
    // what runs and begins nothing more.
    void jobsConvertAtOnceAndStop()
    {
        {
            audioconverter conv;
            QString mesg;
            QVERIFY(conv.audioConverterRun(m_mp3, path("direct.wav"), mesg));
        }
        const QString fifo = path("jobs.fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        {
            ConversionJobs jobs(m_ffmpeg, 2);
            QVERIFY(writeBytes(path("job0.wav"), "earlier bytes"));
            const int a = jobs.add(m_mp3, path("job0.wav"));
            const int b = jobs.add(m_text, path("job1.wav"));
            const int c = jobs.add(fifo, path("job2.wav"));
            QCOMPARE(jobs.find(m_text, path("job1.wav")), b);
            QCOMPARE(jobs.find(m_text, path("job0.wav")), -1);
            std::optional<ConversionJobs::Done> done[3];
            for (int i : {a, b, c}) {
                done[i] = jobs.waitFor(i, 60000);
                QVERIFY(done[i]);
            }
            QVERIFY(done[a]->converted && done[a]->regular);
            QCOMPARE(readAll(path("job0.wav")), readAll(path("direct.wav")));
            QVERIFY(!done[b]->converted && hasErrorPhrase(done[b]->mesg));
            QVERIFY(!done[c]->regular && !done[c]->converted && !QFile::exists(path("job2.wav")));
            QVERIFY(jobs.settle(0));
        }
        QVERIFY(QFile::remove(fifo));

        const QString ended = path("hangs.ended");
        ConversionJobs hanging(makeFake("hangs", "printf 'ABCD' > \"$last\"\n" + reportsUntilKilled(ended)), 2);
        for (int i = 0; i < 3; ++i)
            hanging.add(m_wav, path(QString("hang%1.wav").arg(i)));
        QTRY_COMPARE(dirEntries(m_tmp).size(), 2); // two run, each in a folder of its own
        QVERIFY(hanging.settle(120000));
        QVERIFY(!QFileInfo::exists(ended)); // stopped, not waited on to end
        QVERIFY(dirEntries(m_tmp).isEmpty());
        QCOMPARE(QFileInfo(path("hang0.wav")).size(), 0);
        QCOMPARE(QFileInfo(path("hang1.wav")).size(), 0);
        QVERIFY(!QFile::exists(path("hang2.wav")));
        QVERIFY(hanging.waitFor(2, 0) && !hanging.waitFor(2, 0)->converted);
    }

    void worksOnWorkerThreads()
    {
        const int n = 4;
        std::vector<QString> mesgs(n);
        std::vector<std::unique_ptr<QThread>> threads;
        for (int i = 0; i < n; ++i) {
            const QString out = path(QString("thread%1.wav").arg(i));
            const QString in = (i % 2) ? m_mp3 : m_wav;
            QString *mesg = &mesgs[size_t(i)];
            threads.emplace_back(QThread::create([in, out, mesg] {
                audioconverter conv;
                conv.audioConverterRun(in, out, *mesg);
            }));
            threads.back()->start();
        }
        for (auto &t : threads)
            QVERIFY(t->wait(120000));
        for (int i = 0; i < n; ++i) {
            QVERIFY2(!hasErrorPhrase(mesgs[size_t(i)]), qPrintable(mesgs[size_t(i)]));
            const QByteArray bytes = readAll(path(QString("thread%1.wav").arg(i)));
            QVERIFY(bytes.size() > 44);
            QCOMPARE(bytes.left(44), expectedHeader(quint32(bytes.size() - 44)));
        }
    }
};

QTEST_GUILESS_MAIN(TestAudioConverter)
#include "test_audioconverter.moc"

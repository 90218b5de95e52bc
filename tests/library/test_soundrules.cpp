// Name rules, drag payloads, WAV probes and sound source paths.
#include "library/dragpayload.h"
#include "library/soundnames.h"
#include "model/namerules.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "model/audioconverter.h"

#include <QBuffer>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray le16(quint16 v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); }
QByteArray le32(quint32 v) { return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16)); }

QByteArray chunk(const char *tag, const QByteArray &body)
{
    QByteArray c = QByteArray(tag, 4) + le32(quint32(body.size())) + body;
    if (body.size() & 1)
        c += '\0';
    return c;
}

// A PCM WAV with `extra` chunks before "fmt ".
QByteArray wav(quint16 channels, quint32 rate, quint16 bits, const QByteArray &extra = QByteArray())
{
    const QByteArray fmt = le16(1) + le16(channels) + le32(rate) + le32(rate * channels * bits / 8)
                           + le16(quint16(channels * bits / 8)) + le16(bits);
    const QByteArray body = "WAVE" + extra + chunk("fmt ", fmt) + chunk("data", QByteArray(64, '\x11'));
    return "RIFF" + le32(quint32(body.size())) + body;
}

QString lineOf(const QByteArray &bytes)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    return waveprobe::infoLine(waveprobe::probePlain(b));
}

} // namespace

class TestSoundRules : public QObject
{
    Q_OBJECT

private slots:
    void namePattern()
    {
        for (const char *ok : {"A", "7", "a b", "a  b", "Kick~00001", "It's.a-b_c 9", "ab"})
            QVERIFY2(namerules::checkDisplayKitName(QString::fromUtf8(ok)), ok);
        for (const char *bad : {"", "-", "A-", "-A", "\xC3\x84" "1", "a*b", "a#b", "a\nb", "a!", " a", "a "})
            QVERIFY2(!namerules::checkDisplayKitName(QString::fromUtf8(bad)), bad);
    }

    void fallbackNames()
    {
        QSet<QString> taken;
        auto isTaken = [&](const QString &c) { return taken.contains(c); };
        QCOMPARE(namerules::fallbackName("Crash Ride Hit 1", isTaken, "SOUND", 16), QString("Crash Ride~00001"));
        QCOMPARE(namerules::fallbackName("My Sound!!", isTaken, "SOUND", 16), QString("SOUND~00001"));
        taken = {"Kick~00001", "Kick~00002"};
        QCOMPARE(namerules::fallbackName("Kick", isTaken, "SOUND", 16), QString("Kick~00003"));
        const QString longName = namerules::fallbackName("ABCDEFGHIJKLMNOP", isTaken, "SOUND", 16);
        QCOMPARE(longName, QString("ABCDEFGHIJ~00001"));
        QCOMPARE(longName.size(), 16);
        QVERIFY(namerules::checkDisplayKitName(longName));
        QCOMPARE(namerules::fallbackName("", isTaken, "SOUND", 16), QString("SOUND~00001"));
    }

    void namesFromFilesAndCuts()
    {
        QCOMPARE(namerules::nameFromFile("/samples/kick.01.wav"), QString("kick.01"));
        QCOMPARE(namerules::nameFromFile("snare"), QString("snare"));
        QCOMPARE(namerules::nameFromFile("/a.b/snare"), QString("snare"));
        QVERIFY(!namerules::isLastCharAlnum(""));
        QVERIFY(namerules::isLastCharAlnum("a9"));
        QVERIFY(!namerules::isLastCharAlnum(QString::fromUtf8("a\xC3\xA4")));
        QCOMPARE(namerules::detectWaveName("Snare__", 16), QString("Snare"));
        QCOMPARE(namerules::detectWaveName("__", 16), QString());
        QCOMPARE(namerules::detectWaveName("", 0), QString());
        QCOMPARE(namerules::detectWaveName("ABCDEFGHIJK-", 10), QString("ABCDEFGHIJ"));
        QCOMPARE(namerules::detectWaveName("Kit 1", -3), QString());
    }

    void soundFileSuffixes()
    {
        for (const char *yes : {"/x/a.WAV", "b.Flac", "c.mp3", "d.ac3", "e.ogg", "f.aa3", "g.wma", "h.ape", "i.aac"})
            QVERIFY2(soundnames::isSoundFile(yes), yes);
        for (const char *no : {"a.mp4", "a.wav.bak", "wav", "/x.wav/readme"})
            QVERIFY2(!soundnames::isSoundFile(no), no);
    }

    void payloads()
    {
        QCOMPARE(dragpayload::encode({{"Kick", "/s/kick.wav"}}, false), QString("Kick*/s/kick.wav"));
        QCOMPARE(dragpayload::encode({{"a", "/p1"}, {"b", "/p2"}}, true), QString("a*/p1#b*/p2#"));
        // Special characters survive a round trip in both modes.
        const QVector<dragpayload::Record> odd = {{"50% *mix*", "/Drums #2/kick%20.wav"}, {"b", "/p2"}};
        for (bool device : {false, true}) {
            const QVector<dragpayload::Record> back = dragpayload::decode(dragpayload::encode(odd.mid(0, device ? 2 : 1), device));
            QCOMPARE(back.size(), device ? 2 : 1);
            QCOMPARE(back.at(0).name, odd.at(0).name);
            QCOMPARE(back.at(0).path, odd.at(0).path);
        }
        // Readers trim names, keep paths as they stand (a file name may end in
        // a blank), ignore text after the last "#", and take a name without path.
        const auto r = dragpayload::decode(" a * /p1 #b*/p2#tail");
        QCOMPARE(r.size(), 2);
        QCOMPARE(r.at(0).name, QString("a"));
        QCOMPARE(r.at(0).path, QString(" /p1 "));
        QCOMPARE(dragpayload::parseRecord("lonely").path, QString());
        QCOMPARE(dragpayload::unescape("100%"), QString("100%"));
    }

    void waveInfoLines()
    {
        QCOMPARE(lineOf(wav(1, 44100, 16)), QString("16bit/44100Hz/Mono"));
        QCOMPARE(lineOf(wav(2, 48000, 24)), QString("24bit/48000Hz/Stereo"));
        QCOMPARE(lineOf(wav(6, 96000, 32)), QString("32bit/96000Hz/"));
        // Chunks before "fmt " (an odd-sized one padded) are walked over.
        const QByteArray extra = chunk("bext", QByteArray(603, 'b')) + chunk("LIST", QByteArray(26, 'l'));
        QCOMPARE(lineOf(wav(2, 22050, 8, extra)), QString("8bit/22050Hz/Stereo"));
        // Without "fmt ", or cut inside it, the fields stay empty.
        QByteArray noFmt = wav(2, 48000, 16);
        noFmt.replace(12, 4, "junk");
        QCOMPARE(lineOf(noFmt), QString("bit/Hz/"));
        QCOMPARE(lineOf(wav(2, 48000, 16).left(30)), QString("bit/Hz/"));
        QBuffer notRiff;
        notRiff.setData("OggS and more bytes than a header");
        notRiff.open(QIODevice::ReadOnly);
        QVERIFY(!waveprobe::probePlain(notRiff).riff);

        // A stored sound reads the fixed places behind its offset.
        QBuffer stored;
        stored.setData(QByteArray(100, 'x') + wav(1, 32000, 16));
        stored.open(QIODevice::ReadOnly);
        QCOMPARE(waveprobe::infoLine(waveprobe::probeStored(stored, 100)), QString("16bit/32000Hz/Mono"));
        QVERIFY(!waveprobe::probeStored(stored, 0).riff);
        QCOMPARE(waveprobe::dataBytes(stored), quint32(0));
        QBuffer plain;
        plain.setData(wav(2, 48000, 16));
        plain.open(QIODevice::ReadOnly);
        QCOMPARE(waveprobe::dataBytes(plain), quint32(64));
    }

    void sourcePaths()
    {
        soundsource::Stored s = soundsource::parse("/kits/ALL.BIN:U00012");
        QCOMPARE(int(s.form), int(soundsource::Form::WholeSetup));
        QCOMPARE(s.number, quint16(12));
        QCOMPARE(s.kitFile, QString("/kits/ALL.BIN"));
        s = soundsource::parse("/kits/k1.INI:U40003");
        QCOMPARE(int(s.form), int(soundsource::Form::SingleKit));
        QCOMPARE(s.number, quint16(40003 & 0x7FFF));
        QCOMPARE(int(soundsource::parse("/s/kick.wav").form), int(soundsource::Form::Plain));
        // Only ":U" and exactly five digits at the end mark a stored sound.
        for (const char *plain : {"/s/Hit:Up.wav", "/s/A.BIN:U00001 b.wav", "/s/A.BIN:u00001", "/s/A.BIN:U0001",
                                  "/s/A.BIN:U0000x", ":U00001"})
            QVERIFY2(!soundsource::isStored(plain), plain);
        s = soundsource::parse("/kits/k1.kit:U00003");
        QCOMPARE(int(s.form), int(soundsource::Form::SingleKit));
        QCOMPARE(s.kitFile, QString("/kits/k1.kit"));
        // Table entries: metronome numbers, then the sounds after them.
        s = soundsource::parse("/kits/ALL.bin:U10004");
        QCOMPARE(soundsource::tableEntry(s, false), 4);
        QCOMPARE(soundsource::tableEntry(soundsource::parse("/kits/ALL.bin:U10005"), true), -1);
        QCOMPARE(soundsource::tableEntry(soundsource::parse("/kits/ALL.bin:U00002"), true), 7);
        QCOMPARE(soundsource::tableEntry(soundsource::parse("/kits/ALL.bin:U00002"), false), 2);
        QCOMPARE(soundsource::tableEntry(soundsource::parse("/kits/k1.ini:U00002"), true), 2);
        QCOMPARE(soundsource::tableEntry(soundsource::parse("/s/kick.wav"), true), -1);
        QVERIFY(soundsource::isPadWave("/media/x/ZT350/WAV_DATA/001/0001.wav"));
        QVERIFY(soundsource::isPadWave("/media/x/zt350/Wav_Data/1.wav"));
        QVERIFY(!soundsource::isPadWave("/media/x/zt350/wav/1.wav"));
    }

    void ffmpegOutput()
    {
        QCOMPARE(audioconverter::failureKind("Option not found\nInvalid argument"), 3);
        QCOMPARE(audioconverter::failureKind("x: Invalid data found when processing input"), 1);
        QCOMPARE(audioconverter::failureKind("Conversion failed!"), 5);
        QCOMPARE(audioconverter::failureKind("size=  10kB time=00:00:01"), 0);
        QCOMPARE(soundsource::ffmpegFailureSentence(3), QString("Option not found."));
        QCOMPARE(soundsource::ffmpegFailureSentence(5), QString());
    }

    void timeTexts()
    {
        QCOMPARE(soundsource::timeText(3599999), QString("59:59"));
        QCOMPARE(soundsource::timeText(3600000), QString("01:00:00"));
        QCOMPARE(soundsource::timeText(65000, true), QString("01:05"));
        QCOMPARE(soundsource::timeText(3725000, true), QString("02:05"));
        QCOMPARE(soundsource::timeText(999), QString("00:00"));
    }

    void storedCopies()
    {
        QTemporaryDir dir;
        const QString kit = dir.filePath("k.bin");
        QByteArray bytes(200000, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        QFile f(kit);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString out = dir.filePath("out.wav");
        QCOMPARE(soundsource::copyStoredWave(kit, 1000, 150000, out), quint64(150000));
        QFile o(out);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QCOMPARE(o.readAll(), bytes.mid(1000, 150000));
        o.close();
        // Past the end of the kit file the copy is short.
        QCOMPARE(soundsource::copyStoredWave(kit, 100000, 150000, out), quint64(100000));
        QCOMPARE(soundsource::copyStoredWave(dir.filePath("missing"), 0, 10, out), quint64(0));
        QCOMPARE(soundsource::copyStoredWave(kit, 0, 10, dir.filePath("no/such/dir/x.wav")), quint64(0));
        // A pipe at the target is not waited on, nor written.
        const QString pipe = dir.filePath("pipe.wav");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        soundsource::CopyFault fault = soundsource::CopyFault::None;
        QCOMPARE(soundsource::copyStoredWave(kit, 0, 10, pipe, nullptr, &fault), quint64(0));
        QCOMPARE(fault, soundsource::CopyFault::Write);
    }
};

QTEST_GUILESS_MAIN(TestSoundRules)
#include "test_soundrules.moc"

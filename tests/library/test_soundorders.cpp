// The widget-free rules behind the list orders, the order file, kit use and
// export file names.
#include "library/exportnames.h"
#include "library/kitusage.h"
#include "library/soundorder.h"

#include <QtTest>

using Records = MainWindow1Records;

namespace {

Records::SOUND_INDEX sound(const QString &name, quint16 number, const QString &file)
{
    Records::SOUND_INDEX s;
    percussionpadfile::str2CharArray(name, s.wave_name, 16);
    s.wave_No = number;
    s.file = file;
    s.wave_lock = 1;
    return s;
}

QStringList keys(const QVector<soundorder::Row> &rows)
{
    QStringList out;
    for (const auto &r : rows)
        out << r.name + '*' + QString::number(r.number);
    return out;
}

} // namespace

class TestSoundOrders : public QObject
{
    Q_OBJECT

private slots:
    void nameAndKitOrders()
    {
        const QVector<Records::SOUND_INDEX> sounds = {sound("Snare", 3, "/s"),  sound("Snare", 12, "/s12"),
                                                      sound("Kick_", 9, "/k_"), sound("Kicka", 10, "/ka"),
                                                      sound(" Pad ", 2, "/p"),  sound("Kick", 1, "/a/kick.wav")};
        QCOMPARE(keys(soundorder::byName(sounds, true)),
                 QStringList({" Pad *2", "Kick*1", "Kick_*9", "Kicka*10", "Snare*12", "Snare*3"}));
        QCOMPARE(keys(soundorder::byName(sounds, false)),
                 QStringList({"Snare*3", "Snare*12", "Kicka*10", "Kick_*9", "Kick*1", " Pad *2"}));

        // A path inside a longer one collected first is a use of its own.
        QVector<Records::soundKit> kits(100);
        kits[0].kpadChunk[0].soundFile0 = "/x/a/kick.wav";
        kits[0].kpadChunk[1].soundFile0 = "/a/kick.wav";
        kits[3].pedalChunk.hh_wave3_file = "/p";
        QCOMPARE(keys(soundorder::byKitUse(sounds, kits)),
                 QStringList({"Kick*1", "Pad*2", "Snare*3", "Kick_*9", "Kicka*10", "Snare*12"}));
    }

    void orderFileText()
    {
        QCOMPARE(soundorder::orderFile({"Kick", "Snare 2", QString::fromUtf8("Caf\xC3\xA9")}),
                 QByteArray("Kick\nSnare 2\nCaf\xC3\xA9\n"));
        QCOMPARE(soundorder::orderNames("\n\r\nA\r\n \nB\rjunk\nC"), QStringList({"A", " ", "B", "C"}));
        QCOMPARE(soundorder::orderNames(soundorder::orderFile({QString::fromUtf8("Caf\xC3\xA9")})),
                 QStringList{QString::fromUtf8("Caf\xC3\xA9")});
        const QVector<Records::SOUND_INDEX> sounds = {sound("A", 4, "/a"), sound("B", 5, "/b"), sound("A", 6, "/a2")};
        QVector<soundorder::Row> rows;
        QCOMPARE(soundorder::matchNames({"A", "B", "A"}, sounds, 3, &rows), soundorder::Match::Ok);
        QCOMPARE(keys(rows), QStringList({"A*4", "B*5", "A*6"}));
        QCOMPARE(soundorder::matchNames({"B", "A"}, sounds, 2, &rows), soundorder::Match::Ok);
        QCOMPARE(soundorder::matchNames({"B", "A"}, sounds, 1, &rows), soundorder::Match::CountDiffers);
        QCOMPARE(soundorder::matchNames({"B", "B", "A"}, sounds, 3, &rows), soundorder::Match::NameMissing);
    }

    void kitUseAndExportNames()
    {
        QVector<Records::soundKit> kits(100);
        kits[6].kpadChunk[2].soundFile1 = "/s";
        kits[1].pedalChunk.hh_wave4_file = "/s";
        kits[6].pedalChunk.hh_wave1_file = "/s";
        kits[0].pedalChunk.hh_wave1_file = "/s";
        kits[0].kpadChunk[16].soundFile0 = "/s";
        QCOMPARE(kitusage::kitsUsing(kits, "/s"), (QVector<int>{1, 7, 2}));
        QCOMPARE(kitusage::kitsUsing(kits, "/t"), QVector<int>());
        const QVector<Records::SOUND_INDEX> sounds = {sound("h", 1, "/h"), sound("s", 2, "/s"), sound("u", 3, "/u")};
        kits[5].pedalChunk.hh_wave2_file = "/h";
        QCOMPARE(kitusage::usedSoundFiles(sounds, kits), QVector<QString>({"/s", "/h"}));

        QCOMPARE(exportnames::safeName("Kick 1"), QString("Kick 1"));
        QCOMPARE(exportnames::safeName("../a\\b\tc"), QString(".._a_b_c"));
        QCOMPARE(exportnames::safeName(".."), QString("SOUND"));
        QCOMPARE(exportnames::safeName(""), QString("SOUND"));
        QSet<QString> taken = {"k.wav", "k~1.wav"};
        auto isTaken = [&](const QString &n) { return taken.contains(n); };
        QCOMPARE(exportnames::freeName("k", isTaken), QString("k~2.wav"));
        for (int n = 2; n < 100; ++n)
            taken.insert(QString("k~%1.wav").arg(n));
        QCOMPARE(exportnames::freeName("k", isTaken), QString());
    }
};

QTEST_GUILESS_MAIN(TestSoundOrders)
#include "test_soundorders.moc"

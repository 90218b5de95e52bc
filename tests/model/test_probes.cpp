#include "kitfile_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kf::Model;
using kf::TestSound;

class TestProbes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QByteArray whole;  // whole setup, "BACK", 5 metronome sounds + 3 waves
    QByteArray single; // single kit 7 with 2 sounds
    QByteArray global; // global settings file
    int fileNo = 0;

    QString path(const QString &name) const { return dir.filePath(name); }

    // Writes bytes to a new file and opens it for the probe.
    std::unique_ptr<QFile> open(const QByteArray &bytes)
    {
        const QString p = path(QStringLiteral("probe%1").arg(++fileNo));
        kf::writeFile(p, bytes);
        std::unique_ptr<QFile> f(new QFile(p));
        f->open(QIODevice::ReadOnly);
        return f;
    }

    quint32 fileType(const QByteArray &b) { return Model::judgeFileType(open(b).get()); }
    qint8 kitNum(const QByteArray &b) { return Model::readKitNum(open(b).get()); }
    bool brand(const QByteArray &b, int kind) { return Model::readIndex(open(b).get(), kind); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVector<TestSound> sounds;
        for (int i = 0; i < 8; ++i) {
            const QByteArray w = kf::wavBytes(100 + i, quint32(i));
            const QString p = path(QStringLiteral("s%1.wav").arg(i));
            kf::writeFile(p, w);
            const quint16 no = i < 5 ? quint16(10000 + i) : quint16(i);
            const QString name = i == 7 ? QStringLiteral("SIXTEEN_CHARS_XY") : QStringLiteral("S%1").arg(i);
            sounds << TestSound{name, no, p, 0, quint32(w.size()), 0};
        }
        kf::KitStorage kits;
        kits.fill({5, 6, 7}, 3);
        std::unique_ptr<Model> m(new Model);
        QVERIFY(kf::writeWholeSetup(*m, kits, sounds, {5, 6, 7}, {7, 6, 5}, path("KIT_ALL.BIN"), true));
        whole = kf::readFile(path("KIT_ALL.BIN"));
        QVERIFY(kf::writeSingleKit(*m, kits, 6, sounds.mid(5, 2), path("kit7.INI")));
        single = kf::readFile(path("kit7.INI"));

        m->curFlag = 1;
        m->initFileChunk();
        m->calculateGlobalChunkSize1();
        {
            QFile g(path("Global.ini"));
            QVERIFY(g.open(QIODevice::WriteOnly));
            m->writeGlobalChunk(&g);
        }
        global = kf::readFile(path("Global.ini"));
        QCOMPARE(global.size(), 843);
    }

    void fileTypes()
    {
        QCOMPARE(whole.mid(4, 4), QByteArray("BACK"));
        QCOMPARE(fileType(whole), 257u);
        QCOMPARE(fileType(single), 0x45444E49u);
        QCOMPARE(fileType(global), 0x424F4C47u);

        QByteArray v = whole;
        kf::wr16(v, 0, 255);
        QCOMPARE(fileType(v), 255u);
        kf::wr16(v, 0, 256);
        QCOMPARE(fileType(v), 65535u);
        v = whole;
        v[2] = 1; // reserved bytes 0 and 1 belong to the test
        QCOMPARE(fileType(v), 65535u);
        v = whole;
        v[8] = 'X'; // no index behind the identity
        QCOMPARE(fileType(v), 65535u);

        QCOMPARE(fileType(global.left(12)), 0x424F4C47u);
        QCOMPARE(fileType(global.left(11)), 65535u);
        QCOMPARE(fileType(QByteArray()), 65535u);
        QCOMPARE(fileType(QByteArray(40, 'z')), 65535u);
    }

    void kitNumbers()
    {
        QCOMPARE(int(kitNum(single)), 7);
        QByteArray b = single;
        kf::wr32(b, 36, 2000);
        QCOMPARE(int(kitNum(b)), -1);
        kf::wr32(b, 36, 1990); // older base part
        QCOMPARE(int(kitNum(b)), 7);
        kf::wr32(b, 36, 0x000107CF); // only the low 16 bits count: 1999
        QCOMPARE(int(kitNum(b)), 7);
        b[57] = 0;
        QCOMPARE(int(kitNum(b)), 0);
        QCOMPARE(int(kitNum(single.left(63))), -1);
        QCOMPARE(int(kitNum(single.left(64))), 7);
        QCOMPARE(int(kitNum(whole)), -1);
        QCOMPARE(int(kitNum(global)), -1);
    }

    void brandMark()
    {
        QVERIFY(!brand(whole, 0));
        QVERIFY(!brand(single, 2));
        QByteArray k = single;
        k.replace(10, 6, "TORVEX");
        QVERIFY(brand(k, 2));
        QVERIFY(!brand(k, 0));
        QVERIFY(!brand(k, 1));
        k.replace(10, 6, "torvex");
        QVERIFY(!brand(k, 2));
        k.replace(10, 6, QByteArray("TORVE\0", 6));
        QVERIFY(!brand(k, 2));
        QByteArray w = whole;
        w.replace(18, 6, "TORVEX");
        QVERIFY(brand(w, 0));
        QVERIFY(!brand(w, 2));
        QVERIFY(!brand(w.left(23), 0));
    }

    void soundCountsAndNames()
    {
        auto w = open(whole);
        QCOMPARE(int(Model::judgeWaveTotalNumber(w.get(), 0)), 8);
        QCOMPARE(Model::judgeWaveName(w.get(), 0, 0), QString("S0"));
        QCOMPARE(Model::judgeWaveName(w.get(), 7, 0), QString("SIXTEEN_CHARS_XY"));
        auto s = open(single);
        QCOMPARE(int(Model::judgeWaveTotalNumber(s.get(), 1)), 2);
        QCOMPARE(Model::judgeWaveName(s.get(), 1, 1), QString("S6"));

        // A 20-byte name with no zero byte gives all 20 characters.
        QByteArray b = single;
        b.replace(2031 + 12, 20, "ABCDEFGHIJKLMNOPQRST");
        QCOMPARE(Model::judgeWaveName(open(b).get(), 0, 1), QString("ABCDEFGHIJKLMNOPQRST"));

        // A SOUN address beyond the end: count 0 and empty names.
        b = single;
        kf::wr32(b, 28, 0x7FFFFFF0u);
        auto far = open(b);
        QCOMPARE(int(Model::judgeWaveTotalNumber(far.get(), 1)), 0);
        QCOMPARE(Model::judgeWaveName(far.get(), 0, 1), QString());
        QCOMPARE(Model::judgeWaveName(open(single).get(), -1, 1), QString());
        QCOMPARE(int(Model::judgeWaveTotalNumber(open(QByteArray("INDE")).get(), 0)), 0);
    }
};

QTEST_GUILESS_MAIN(TestProbes)
#include "test_probes.moc"

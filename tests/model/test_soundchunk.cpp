#include "kitfile_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kf::Model;
using kf::rd16;
using kf::rd32;
using kf::TestSound;

class TestSoundChunk : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    // A WAV file on disk; returns its bytes.
    QByteArray makeWav(const QString &name, int dataBytes, quint32 seed)
    {
        const QByteArray b = kf::wavBytes(dataBytes, seed);
        kf::writeFile(path(name), b);
        return b;
    }

    static QVector<quint16> nodes(const QByteArray &b, qint64 at)
    {
        QVector<quint16> out;
        const quint32 size = rd32(b, at + 4);
        for (quint32 i = 8; i < size; i += 2)
            out << rd16(b, at + i);
        return out;
    }

private slots:
    void sourcePathOfKitSounds_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("plain") << "/a/b.wav" << "/a/b.wav";
        QTest::newRow("kit") << "/a/KIT_ALL.BIN:U00012" << "/a/KIT_ALL.BIN";
        QTest::newRow("four digits") << "/a/x:U0012" << "/a/x:U0012";
        QTest::newRow("six digits") << "/a/x:U000123" << "/a/x:U000123";
        QTest::newRow("trailing") << "/a/x:U00012 " << "/a/x:U00012 ";
        QTest::newRow("letter") << "/a/x:U0001a" << "/a/x:U0001a";
        QTest::newRow(":U in dir") << "/m:Ux/k.INI:U00003" << "/m:Ux/k.INI";
        QTest::newRow("last one") << "/a/b.BIN:U12345:U00001" << "/a/b.BIN:U12345";
        QTest::newRow("nothing before") << ":U00001" << ":U00001";
    }

    void sourcePathOfKitSounds()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(Model::soundSourceFile(in), out);
    }

    void waveNodeLists()
    {
        std::unique_ptr<Model> m(new Model);
        m->curFlag = 0;
        m->initFileChunk();
        QVERIFY(m->setWaveNodeLists({3, 7, 9}, {9, 3, 7}));
        m->soundChunk.soundCount = 8; // 5 metronome sounds + 3 waves
        QFile f(path("nodes.bin"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeWaveNodeChunk(&f, 0);
        m->writeWaveNodeChunk(&f, 1);
        m->writeWaveNodeChunk(&f, 2); // writes nothing
        f.close();
        const QByteArray b = kf::readFile(path("nodes.bin"));
        QCOMPARE(b.size(), 2 * (8 + 4 * 5));
        QCOMPARE(b.left(4), QByteArray("WAV1"));
        QCOMPARE(b.mid(28, 4), QByteArray("WAV2"));
        QCOMPARE(rd32(b, 4), 28u);
        QCOMPARE(nodes(b, 0), (QVector<quint16>{0xFEFE, 3, 3, 7, 7, 9, 9, 10, 10, 0xFEFC}));
        QCOMPARE(nodes(b, 28), (QVector<quint16>{0xFEFE, 9, 9, 3, 3, 7, 7, 10, 10, 0xFEFC}));

        // The tags follow the index slots even when the record lost them.
        m->wn1Chunk.wave1 = 0;
        m->wn2Chunk.wave2 = Model::str2int(QStringLiteral("WAV1"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeWaveNodeChunk(&f, 0);
        m->writeWaveNodeChunk(&f, 1);
        f.close();
        QCOMPARE(kf::readFile(path("nodes.bin")), b);

        // No waves: two nodes each.
        QVERIFY(m->setWaveNodeLists({}, {}));
        m->soundChunk.soundCount = 5;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeWaveNodeChunk(&f, 0);
        m->writeWaveNodeChunk(&f, 1);
        f.close();
        const QByteArray e = kf::readFile(path("nodes.bin"));
        QCOMPARE(e.size(), 32);
        QCOMPARE(nodes(e, 0), (QVector<quint16>{0xFEFE, 0xFFFF, 0, 0xFEFC}));
        QCOMPARE(nodes(e, 16), (QVector<quint16>{0xFEFE, 0xFFFF, 0, 0xFEFC}));

        // Fewer than 3 entries: no list, nothing written.
        m->soundChunk.soundCount = 2;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeWaveNodeChunk(&f, 0);
        QCOMPARE(f.size(), 0);
        f.close();

        // The largest library fits; one more wave does not; orders must match.
        QVector<quint16> all;
        for (int w = 1; w <= WAVE_MAX_COUNT; ++w)
            all << quint16(w);
        QVERIFY(m->setWaveNodeLists(all, all));
        QCOMPARE(m->wn1Chunk.wn1[WAVE_MAX_COUNT + 1].nextNode, quint16(10000));
        QCOMPARE(m->wn1Chunk.wn1[WAVE_MAX_COUNT + 1].lastNode, quint16(0xFEFC));
        QVERIFY(!m->setWaveNodeLists(all + QVector<quint16>{1}, all + QVector<quint16>{1}));
        QVERIFY(!m->setWaveNodeLists({1, 2}, {1}));
    }

    void emptyKitSoundChunk()
    {
        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({}, 5);
        QVERIFY(kf::writeSingleKit(*m, kits, 0, {}, path("empty.INI")));
        const QByteArray b = kf::readFile(path("empty.INI"));
        QCOMPARE(b.size(), 2043);
        QCOMPARE(b.mid(2031), QByteArray("SOUN\x0c\0\0\0\0\0\0\0", 12));
    }

    void singleKitWithOwnAndForeignSounds()
    {
        // A kit file holding sound number 12 at some offset, as a loaded kit
        // file would; the kit being saved takes that sound over.
        const QByteArray foreignWav = kf::wavBytes(3000, 99);
        QByteArray host(5000, 'x');
        host.append(foreignWav);
        host.append(QByteArray(100, 'y'));
        QVERIFY(kf::writeFile(path("other kit.INI"), host));

        const QByteArray w1 = makeWav("snare.wav", 1000, 1);
        const QByteArray w2 = makeWav("kick.wav", 2500, 2);
        const QVector<TestSound> sounds = {
            {"SNARE", 1, path("snare.wav"), 0, quint32(w1.size()), 1},
            {"FOREIGN_16_CHARS", 2, path("other kit.INI") + ":U00012", 5000,
             quint32(foreignWav.size()), 0},
            {"KICK", 3, path("kick.wav"), 0, quint32(w2.size()), 0},
        };

        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({1, 2, 3}, 7);
        kits.pads[4][0].aWaveNo = 0; // stored 0: no wave
        QVERIFY(kf::writeSingleKit(*m, kits, 4, sounds, path("kit5.INI")));
        QCOMPARE(m->soundChunk.soundIndex[1].fileName, path("other kit.INI"));

        const QByteArray b = kf::readFile(path("kit5.INI"));
        const int soun = 2031;
        const quint32 total = quint32(w1.size() + foreignWav.size() + w2.size());
        QCOMPARE(b.size(), int(2043 + 40 * 3 + total));
        QCOMPARE(b.mid(soun, 4), QByteArray("SOUN"));
        QCOMPARE(rd32(b, soun + 4), quint32(b.size() - soun));
        QCOMPARE(rd16(b, soun + 8), quint16(3));
        const QByteArray *bytes[3] = {&w1, &foreignWav, &w2};
        quint32 expectStart = quint32(soun + 12 + 40 * 3);
        for (int i = 0; i < 3; ++i) {
            const int e = soun + 12 + 40 * i;
            QCOMPARE(rd16(b, e + 20), quint16(i + 1));
            QCOMPARE(rd32(b, e + 24), 0u);
            QCOMPARE(rd32(b, e + 28), quint32(bytes[i]->size()));
            QCOMPARE(rd32(b, e + 32), expectStart);
            QCOMPARE(rd32(b, e + 36), quint32(bytes[i]->size()));
            QCOMPARE(b.mid(rd32(b, e + 32), bytes[i]->size()), *bytes[i]);
            expectStart += quint32(bytes[i]->size());
        }
        QCOMPARE(int(uchar(b[soun + 12 + 22])), 1); // lock flag
        // 16-character name: no terminator inside the 16, zeros to byte 19.
        QCOMPARE(b.mid(soun + 52, 20), QByteArray("FOREIGN_16_CHARS\0\0\0\0", 20));
        QCOMPARE(b.mid(soun + 12, 20), QByteArray("SNARE\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));

        // Read back: numbers become 0-based positions.
        std::unique_ptr<Model> r(new Model);
        r->curFlag = 2;
        r->initFileChunk();
        QFile f(path("kit5.INI"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(r->getChunkIndex(&f));
        QVERIFY(r->readSounChunk(&f, true));
        QCOMPARE(r->soundChunk.soundCount, quint16(3));
        QCOMPARE(r->soundChunk.soundIndex, r->sound.data());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(r->sound[size_t(i)].wave_No, quint16(i));
            QCOMPARE(r->sound[size_t(i)].wave_length, quint32(bytes[i]->size()));
        }
        QCOMPARE(Model::charArray2String(r->sound[1].wave_name, 20), QString("FOREIGN_16_CHARS"));
        QCOMPARE(r->sound[0].wave_lock, quint8(1));

        // A stored 0 reads back as "no wave".
        QByteArray zero = b;
        kf::wr16(zero, int(soun + 12 + 20), 0);
        QVERIFY(kf::writeFile(path("zero.INI"), zero));
        QFile z(path("zero.INI"));
        QVERIFY(z.open(QIODevice::ReadOnly));
        QVERIFY(r->getChunkIndex(&z));
        QVERIFY(r->readSounChunk(&z, true));
        QCOMPARE(r->sound[0].wave_No, quint16(0xFFFF));
    }

    // Sounds that lie back to back in one kit file are written as they lie,
    // and so is one that comes again, a loose file between them, and one
    // that follows at another place of the same file.
    void soundsBackToBackInOneFile()
    {
        const QByteArray a = kf::wavBytes(3000, 5), b = kf::wavBytes(2000, 6), c = kf::wavBytes(1500, 7);
        const QByteArray host = QByteArray(5000, 'x') + a + b + c;
        QVERIFY(kf::writeFile(path("host.INI"), host));
        const QByteArray loose = makeWav("loose.wav", 700, 8);
        const QString in = path("host.INI") + ":U000%1";
        const quint32 atA = 5000, atB = atA + quint32(a.size()), atC = atB + quint32(b.size());
        const QVector<TestSound> sounds = {
            {"A", 1, in.arg(10), atA, quint32(a.size()), 0},
            {"B", 2, in.arg(11), atB, quint32(b.size()), 0},
            {"LOOSE", 3, path("loose.wav"), 0, quint32(loose.size()), 0},
            {"C", 4, in.arg(12), atC, quint32(c.size()), 0},
            {"A AGAIN", 5, in.arg(13), atA, quint32(a.size()), 0},
            {"B AGAIN", 6, in.arg(14), atB, quint32(b.size()), 0},
        };
        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({1, 2, 3, 4, 5, 6}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 4, sounds, path("kit5.INI")));
        const QByteArray out = kf::readFile(path("kit5.INI"));
        const QByteArray *bytes[6] = {&a, &b, &loose, &c, &a, &b};
        const int soun = 2031;
        for (int i = 0; i < 6; ++i) {
            const int e = soun + 12 + 40 * i;
            QCOMPARE(out.mid(int(rd32(out, e + 32)), bytes[i]->size()), *bytes[i]);
        }
        QCOMPARE(out.size(), int(rd32(out, soun + 12 + 40 * 5 + 32)) + b.size());
    }

    void writerFailures()
    {
        const QByteArray w1 = makeWav("a.wav", 800, 3);
        const QByteArray w2 = makeWav("b.wav", 800, 4);
        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({1, 2, 3}, 9);

        // Missing source: the table and the earlier sounds are in the file.
        QVector<TestSound> sounds = {
            {"A", 1, path("a.wav"), 0, quint32(w1.size()), 0},
            {"GONE", 2, path("missing.wav"), 0, 800, 0},
            {"B", 3, path("b.wav"), 0, quint32(w2.size()), 0},
        };
        QVERIFY(!kf::writeSingleKit(*m, kits, 0, sounds, path("fail.INI")));
        QByteArray b = kf::readFile(path("fail.INI"));
        QCOMPARE(b.size(), 2043 + 120 + w1.size());
        QCOMPARE(b.right(w1.size()), w1);

        // A source shorter than its wave_length.
        sounds[1] = {"SHORT", 2, path("b.wav"), 100, quint32(w2.size()), 0};
        QVERIFY(!kf::writeSingleKit(*m, kits, 0, sounds, path("short.INI")));

        // A seek beyond the end of the source yields no bytes.
        sounds[1] = {"FAR", 2, path("b.wav"), 1u << 30, 10, 0};
        QVERIFY(!kf::writeSingleKit(*m, kits, 0, sounds, path("far.INI")));

        // Written anywhere but at the SOUN address of the index: nothing.
        QVERIFY(kf::writeSingleKit(*m, kits, 0, {sounds[0]}, path("ok.INI")));
        {
            QFile g(path("misplaced.INI"));
            QVERIFY(g.open(QIODevice::WriteOnly | QIODevice::Truncate));
            m->writeIndexChunk(&g);
            QVERIFY(!m->writeKitSoundChunk(&g));
            QCOMPARE(g.size(), 32);
        }

        // Over 4 GiB: refused before anything of the sound chunk is written.
        sounds = {{"A", 1, path("a.wav"), 0, 0xF0000000u, 0},
                  {"B", 2, path("b.wav"), 0, 0x20000000u, 0}};
        m->curFlag = 2;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = 1;
        for (int i = 0; i < sounds.size(); ++i)
            kf::fillEntry(m->soundChunk.soundIndex[i], sounds.at(i));
        m->soundChunk.soundCount = 2;
        m->indexChunk.chunkIndex[Model::SLOT_SOUN].address = 2031;
        m->soundChunk.soundIndex[0].wave_start = 123;
        QFile f(path("big.INI"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(!m->writeKitSoundChunk(&f));
        QCOMPARE(f.size(), 0);
        QCOMPARE(m->soundChunk.soundIndex[0].wave_start, 123u);
        // Exactly 4 GiB is still allowed.
        m->soundChunk.soundIndex[1].wave_length = 0x100000000ull - 2031 - 12 - 80 - 0xF0000000u;
        QVERIFY(!m->writeKitSoundChunk(&f)); // laid out, then stops: not at the SOUN address
        QCOMPARE(m->soundChunk.soundIndex[1].wave_start, 2031u + 12 + 80 + 0xF0000000u);
        QCOMPARE(m->soundChunk.size, quint32(0x100000000ull - 2031));
        QCOMPARE(f.size(), 0);
        f.close();
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.close();

        // A whole setup needs at least the 3 entries its node lists count on.
        m->curFlag = 0;
        m->initFileChunk();
        m->soundChunk.soundCount = 2;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(!m->writeSoundChunk(&f));
        QCOMPARE(f.size(), 0);
        f.close();

        // Entries whose positions were not laid out for this file are refused.
        m->initFileChunk();
        sounds = {{"A", 10000, path("a.wav"), 0, quint32(w1.size()), 0},
                  {"A", 10001, path("a.wav"), 0, quint32(w1.size()), 0},
                  {"A", 10002, path("a.wav"), 0, quint32(w1.size()), 0}};
        for (int i = 0; i < 3; ++i) {
            kf::fillEntry(m->soundChunk.soundIndex[i], sounds.at(i));
            m->soundChunk.soundIndex[i].wave_start = 0;
        }
        m->soundChunk.soundCount = 3;
        // Header size left from the reset: nothing is written.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(!m->writeSoundChunk(&f));
        QCOMPARE(f.size(), 0);
        f.close();
        // Size right, but the chunk would not start at its index address.
        m->soundChunk.size = quint32(12 + 3 * 40 + 3 * w1.size());
        m->indexChunk.chunkIndex[Model::SLOT_SOUN].address = 100;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(!m->writeSoundChunk(&f));
        QCOMPARE(f.size(), 0);
        f.close();
        // Header consistent, entry positions stale: the table only.
        m->indexChunk.chunkIndex[Model::SLOT_SOUN].address = 0;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(!m->writeSoundChunk(&f));
        QCOMPARE(f.size(), 12 + 3 * 40);
        f.close();
    }

    void entryNameBytes()
    {
        // Whatever the 20-byte field holds, the file gets at most 16
        // characters and zero bytes after the name.
        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({1, 2}, 3);
        const QByteArray w = makeWav("n.wav", 64, 8);
        QVector<TestSound> sounds = {{"X", 1, path("n.wav"), 0, quint32(w.size()), 0},
                                     {"Y", 2, path("n.wav"), 0, quint32(w.size()), 0}};
        m->curFlag = 2;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
        m->kitChunk.kit_count = 1;
        for (int i = 0; i < 2; ++i)
            kf::fillEntry(m->soundChunk.soundIndex[i], sounds.at(i));
        std::memcpy(m->soundChunk.soundIndex[0].wave_name, "ABCDEFGHIJKLMNOPQRST", 20);
        std::memcpy(m->soundChunk.soundIndex[1].wave_name, "AB\0junk\0\0\0\0\0\0\0\0tail", 20);
        m->soundChunk.soundCount = 2;
        QVERIFY(m->calculateChunkSize());
        QFile f(path("names.INI"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeIndexChunk(&f);
        m->writeSkitChunk(&f);
        m->writeSkitChunkPad(&f, 0);
        QVERIFY(m->writeKitSoundChunk(&f));
        f.close();
        const QByteArray b = kf::readFile(path("names.INI"));
        QCOMPARE(b.mid(2031 + 12, 20), QByteArray("ABCDEFGHIJKLMNOP\0\0\0\0", 20));
        QCOMPARE(b.mid(2031 + 52, 20), QByteArray(QByteArray("AB") + QByteArray(18, '\0')));
    }

    void readerRefusals()
    {
        const QByteArray w1 = makeWav("r.wav", 500, 5);
        std::unique_ptr<Model> m(new Model);
        kf::KitStorage kits;
        kits.fill({1}, 11);
        QVERIFY(kf::writeSingleKit(*m, kits, 0, {{"R", 1, path("r.wav"), 0, quint32(w1.size()), 0}},
                                   path("r.INI")));
        const QByteArray good = kf::readFile(path("r.INI"));

        auto tryRead = [&](const QByteArray &bytes, std::unique_ptr<Model> &r) {
            kf::writeFile(path("probe.INI"), bytes);
            r.reset(new Model);
            r->curFlag = 2;
            r->initFileChunk();
            QFile f(path("probe.INI"));
            if (!f.open(QIODevice::ReadOnly) || !r->getChunkIndex(&f))
                return false;
            r->soundChunk.soundCount = 77;
            return r->readSounChunk(&f, true);
        };
        std::unique_ptr<Model> r;
        QVERIFY(tryRead(good, r));
        QCOMPARE(r->soundChunk.soundCount, quint16(1));

        QByteArray bad = good;
        kf::wr16(bad, 2031 + 8, 10241);
        QVERIFY(!tryRead(bad, r));
        QCOMPARE(r->soundChunk.soundCount, quint16(77));

        bad = good;
        kf::wr16(bad, 2031 + 8, 10240); // fits the table, but the file is short
        QVERIFY(!tryRead(bad, r));
        QCOMPARE(r->soundChunk.soundCount, quint16(77));

        bad = good;
        bad[2031] = 'X';
        QVERIFY(!tryRead(bad, r));

        for (int cut : {2031, 2035, 2042, 2043, 2082})
            QVERIFY2(!tryRead(good.left(cut), r), qPrintable(QString::number(cut)));
        QVERIFY(tryRead(good.left(2083), r)); // table complete, sound bytes not read

        bad = good;
        kf::wr32(bad, 28, 0); // SOUN address 0: chunk absent
        QVERIFY(!tryRead(bad, r));
    }
};

QTEST_GUILESS_MAIN(TestSoundChunk)
#include "test_soundchunk.moc"

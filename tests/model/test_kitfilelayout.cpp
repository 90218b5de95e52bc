#include "kitfile_fixture.h"

#include "model/mainwindow1records.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

using kf::KitStorage;
using kf::Model;
using kf::rd16;
using kf::rd32;

namespace {

quint32 tag(const char *t)
{
    return Model::str2int(QLatin1String(t));
}

// Fills the first n entries of m's table: wave numbers from `waveNo`, lengths
// 100 + 7 i.
quint64 fillTable(Model &m, int n, std::function<quint16(int)> waveNo)
{
    quint64 total = 0;
    for (int i = 0; i < n; ++i) {
        Model::P_SOUND_INDEX &e = m.soundChunk.soundIndex[i];
        e.wave_No = waveNo(i);
        e.wave_length = quint32(100 + 7 * i);
        total += e.wave_length;
    }
    m.soundChunk.soundCount = quint16(n);
    return total;
}

} // namespace

class TestKitFileLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void tagsAndNames()
    {
        QCOMPARE(Model::str2int(QStringLiteral("INDE")), 0x45444E49u);
        QCOMPARE(Model::str2int(QStringLiteral("GLOB")), 0x424F4C47u);
        QCOMPARE(Model::str2int(QStringLiteral("IND")), 0u);
        QCOMPARE(Model::str2int(QStringLiteral("INDEX")), 0u);
        QCOMPARE(Model::str2int(QString::fromUtf8("A\u4e2dCD")), quint32('A') | (quint32('C') << 16) | (quint32('D') << 24));

        char f16[16];
        std::memset(f16, 0x7F, sizeof f16);
        Model::str2CharArray(QStringLiteral("Kick5"), f16, 16);
        QCOMPARE(QByteArray(f16, 16), QByteArray("Kick5") + QByteArray(11, '\0'));
        Model::str2CharArray(QStringLiteral("ABCDEFGHIJKLMNOP"), f16, 16);
        QCOMPARE(QByteArray(f16, 16), QByteArray("ABCDEFGHIJKLMNOP"));
        QCOMPARE(Model::charArray2String(f16, 16), QStringLiteral("ABCDEFGHIJKLMNOP"));
        Model::str2CharArray(QStringLiteral("ABCDEFGHIJKLMNOPQRST"), f16, 16);
        QCOMPARE(Model::charArray2String(f16, 16), QStringLiteral("ABCDEFGHIJKLMNOP"));
        Model::str2CharArray(QString(), f16, 16);
        QCOMPARE(QByteArray(f16, 16), QByteArray(16, '\0'));
        QCOMPARE(Model::charArray2String(f16, 16), QString());
        Model::str2CharArray(QString::fromUtf8("ab\u4e2dcd"), f16, 16);
        QCOMPARE(Model::charArray2String(f16, 16), QStringLiteral("ab"));

        char f6[6];
        Model::str2CharArray(QStringLiteral("ABCD"), f6, 6);
        QCOMPARE(QByteArray(f6, 6), QByteArray("ABCD\0\0", 6));
        const uchar mixed[6] = {'a', 'b', 0, 'c', 'd', 'e'};
        QCOMPARE(Model::charArray2String(mixed, 6), QStringLiteral("ab"));
        char f20[20];
        Model::str2CharArray(QStringLiteral("0123456789abcdefghij"), f20, 20);
        QCOMPARE(Model::charArray2String(f20, 20), QStringLiteral("0123456789abcdefghij"));
    }

    void recordsStartAtZero()
    {
        MainWindow1Records::soundKit k;
        QCOMPARE(k.kit_no, quint8(0));
        QCOMPARE(k.effect3_ctrl3, quint16(0));
        QVERIFY(k.kit_name.isEmpty());
        QCOMPARE(k.pedalChunk.hh_wave5_end, 0u);
        QCOMPARE(k.pedalChunk.reserved[13], quint8(0));
        QCOMPARE(k.kpadChunk[18].reserved[32], quint8(0));
        QCOMPARE(k.kpadChunk[18].bWaveNo, quint16(0));
        MainWindow1Records::SOUND_INDEX s;
        QCOMPARE(QByteArray(s.wave_name, 16), QByteArray(16, '\0'));
        QCOMPARE(s.size, 0u);
        MainWindow1Records::strSoundGroup g;
        QVERIFY(g.itemList == nullptr);
        MainWindow1Records::KIT_CHAIN c;
        QCOMPARE(c.curKitChain[8][19], quint8(0));
        std::unique_ptr<Model> m(new Model);
        QCOMPARE(m->soundChunk.soundCount, quint16(0));
        QVERIFY(m->soundChunk.soundIndex == m->sound.data());
        QCOMPARE(int(m->sound.size()), WAVE_MAX_COUNT1);
        QCOMPARE(m->sound[WAVE_MAX_COUNT1 - 1].wave_end, 0u);
    }

    // Whole-setup layout for several sound counts.
    void wholeSetupLayout_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("5 metronome sounds") << 5;
        QTest::newRow("8") << 8;
        QTest::newRow("300") << 300;
        QTest::newRow("largest library") << WAVE_NODE_MAX + 3;
    }

    void wholeSetupLayout()
    {
        QFETCH(int, n);
        std::unique_ptr<Model> m(new Model);
        KitStorage kits;
        m->curFlag = 0;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = KIT_MAX_COUNT;
        const quint64 L = fillTable(*m, n, [](int i) { return quint16(i < 5 ? 10000 + i : i - 4); });
        QVERIFY(m->calculateChunkSize());

        const Model::START_ADDRESS *s = m->indexChunk.chunkIndex;
        QCOMPARE(m->indexChunk.size, 56u);
        QCOMPARE(s[Model::SLOT_GLOB].address, 64u);
        QCOMPARE(s[Model::SLOT_SKIT].address, 907u);
        QCOMPARE(s[Model::SLOT_WAV1].address, 199623u);
        QCOMPARE(s[Model::SLOT_WAV2].address, quint32(199631 + 4 * (n - 3)));
        QCOMPARE(s[Model::SLOT_SOUN].address, quint32(199615 + 8 * n));
        QCOMPARE(m->new_globalChunk.size, 843u);
        QCOMPARE(m->kitChunk.size, 198716u);
        QCOMPARE(m->wn1Chunk.size, quint32(8 + 4 * (n - 3)));
        QCOMPARE(m->wn2Chunk.size, m->wn1Chunk.size);
        QCOMPARE(quint64(m->soundChunk.size), 12 + 40 * quint64(n) + L);
        // File length 199,627 + 48N + L.
        QCOMPARE(quint64(s[Model::SLOT_SOUN].address) + m->soundChunk.size, 199627 + 48 * quint64(n) + L);
        quint32 expect = s[Model::SLOT_SOUN].address + 12 + 40 * quint32(n);
        for (int i = 0; i < n; ++i) {
            const Model::P_SOUND_INDEX &e = m->sound[size_t(i)];
            QCOMPARE(e.wave_start, expect);
            QCOMPARE(e.wave_end, e.wave_length);
            QCOMPARE(e.start_cluster, 0u);
            expect += e.wave_length;
        }
        if (n == 5) {
            QCOMPARE(s[Model::SLOT_WAV2].address, 199639u);
            QCOMPARE(s[Model::SLOT_SOUN].address, 199655u);
        }
    }

    void wholeSetupIndexBytes()
    {
        std::unique_ptr<Model> m(new Model);
        KitStorage kits;
        m->curFlag = 0;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = KIT_MAX_COUNT;
        fillTable(*m, 8, [](int i) { return quint16(i + 1); });
        QVERIFY(m->calculateChunkSize());
        std::memcpy(m->identityChunk.reserved + 2, "BACK", 4);
        QFile f(path("whole.idx"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeIdentityChunk(&f);
        m->writeIndexChunk(&f);
        f.close();
        const QByteArray b = kf::readFile(path("whole.idx"));
        QCOMPARE(b.size(), 64);
        QCOMPARE(b.left(8), QByteArray("\x01\x01\0\0BACK", 8));
        QCOMPARE(b.mid(8, 4), QByteArray("INDE"));
        QCOMPARE(rd32(b, 12), 56u);
        QCOMPARE(rd16(b, 16), quint16(5));
        QCOMPARE(b.mid(18, 6), QByteArray(6, '\0'));
        const char *tags[5] = {"GLOB", "SKIT", "SOUN", "WAV1", "WAV2"};
        const quint32 addr[5] = {64, 907, 199615 + 64, 199623, 199631 + 20};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(b.mid(24 + 8 * i, 4), QByteArray(tags[i]));
            QCOMPARE(rd32(b, 28 + 8 * i), addr[i]);
        }
    }

    void singleKitLayout_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("no sound") << 0;
        QTest::newRow("1") << 1;
        QTest::newRow("38") << 38;
    }

    void singleKitLayout()
    {
        QFETCH(int, n);
        std::unique_ptr<Model> m(new Model);
        KitStorage kits;
        m->curFlag = 2;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = 1;
        const quint64 L = fillTable(*m, n, [](int i) { return quint16(i + 1); });
        QVERIFY(m->calculateChunkSize());
        QCOMPARE(m->indexChunk.size, 32u);
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_SKIT].address, 32u);
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_SOUN].address, 2031u);
        QCOMPARE(m->kitChunk.size, 1999u);
        QCOMPARE(quint64(m->soundChunk.size), 12 + 40 * quint64(n) + L);
        if (n > 0)
            QCOMPARE(m->sound[0].wave_start, quint32(2043 + 40 * n));

        QFile f(path("single.idx"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m->writeIndexChunk(&f);
        f.close();
        QByteArray expect("INDE", 4);
        expect += QByteArray("\x20\0\0\0\x02\0\0\0\0\0\0\0", 12);
        expect += QByteArray("SKIT\x20\0\0\0SOUN\xEF\x07\0\0", 16);
        QCOMPARE(kf::readFile(path("single.idx")), expect);
    }

    // Wave positions: first match in table order, only within soundCount,
    // unmatched layers keep their start.
    void wavePositions()
    {
        std::unique_ptr<Model> m(new Model);
        KitStorage kits;
        m->curFlag = 0;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = KIT_MAX_COUNT;
        fillTable(*m, 10, [](int i) { return quint16(i < 5 ? 10000 + i : (i == 7 ? 21 : 20 + i)); });
        // entries: 5 -> 25, 6 -> 26, 7 -> 21, 8 -> 28, 9 -> 29; a stale entry past the count:
        m->sound[10].wave_No = 555;
        m->sound[10].wave_start = 0xDEAD;
        m->sound[9].wave_No = 26; // duplicate of entry 6
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            kits.pedal[size_t(k)].hh_wave1_no = 21;
            kits.pedal[size_t(k)].hh_wave5_no = 10004;
            kits.pedal[size_t(k)].hh_wave3_no = 555;
            kits.pedal[size_t(k)].hh_wave3_start = 7;
            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                kits.pads[k][j].aWaveNo = 26;
                kits.pads[k][j].bWaveNo = 0xFFFF;
                kits.pads[k][j].bWaveStart = 11;
            }
        }
        kits.pads[99][18].aWaveNo = 555;
        kits.pads[99][18].aWaveStart = 3;
        QVERIFY(m->calculateChunkSize());
        for (int k : {0, 99}) {
            QCOMPARE(kits.pedal[size_t(k)].hh_wave1_start, m->sound[7].wave_start);
            QCOMPARE(kits.pedal[size_t(k)].hh_wave5_start, m->sound[4].wave_start);
            QCOMPARE(kits.pedal[size_t(k)].hh_wave3_start, 7u);
            QCOMPARE(kits.pads[k][0].aWaveStart, m->sound[6].wave_start);
            QCOMPARE(kits.pads[k][5].bWaveStart, 11u);
        }
        QCOMPARE(kits.pads[99][18].aWaveStart, 3u);
        QCOMPARE(m->sound[10].wave_start, 0xDEADu); // stale entry untouched
    }

    // Layouts that cannot be written are refused and leave the model as it was.
    void refusedLayouts()
    {
        std::unique_ptr<Model> m(new Model);
        KitStorage kits;
        m->curFlag = 0;
        m->initFileChunk();
        kits.attach(*m);
        m->kitChunk.kit_count = KIT_MAX_COUNT;
        auto unchanged = [&]() {
            return m->indexChunk.size == 0 && m->indexChunk.chunkIndex[Model::SLOT_SOUN].address == 0
                   && m->soundChunk.size == 8 && m->sound[0].wave_start == 0 && m->kitChunk.size == 0;
        };
        fillTable(*m, 2, [](int i) { return quint16(10000 + i); });
        QVERIFY(!m->calculateChunkSize());
        QVERIFY(unchanged());
        fillTable(*m, 5, [](int i) { return quint16(10000 + i); });
        m->kitChunk.kit_count = KIT_MAX_COUNT + 1;
        QVERIFY(!m->calculateChunkSize());
        QVERIFY(unchanged());
        m->kitChunk.kit_count = KIT_MAX_COUNT;
        fillTable(*m, WAVE_NODE_MAX + 4, [](int i) { return quint16(i); });
        QVERIFY(!m->calculateChunkSize());
        QVERIFY(unchanged());
        m->soundChunk.soundCount = quint16(WAVE_MAX_COUNT1 + 1);
        QVERIFY(!m->calculateChunkSize());
        QVERIFY(unchanged());
        // Over 4 GiB.
        fillTable(*m, 5, [](int i) { return quint16(10000 + i); });
        m->sound[3].wave_length = 0xFFFFFF00u;
        m->sound[4].wave_length = 0x10000000u;
        QVERIFY(!m->calculateChunkSize());
        QVERIFY(unchanged());
        // Exactly 4 GiB is accepted.
        m->sound[4].wave_length = 0;
        m->sound[3].wave_length = 0;
        const quint64 head = 199627 + 48 * 5 + 100 + 107 + 114;
        m->sound[3].wave_length = quint32(Q_UINT64_C(4294967296) - head);
        QVERIFY(m->calculateChunkSize());
        QCOMPARE(quint64(m->indexChunk.chunkIndex[Model::SLOT_SOUN].address) + m->soundChunk.size,
                 Q_UINT64_C(4294967296));
        // Kinds without a layout.
        m->curFlag = 1;
        QVERIFY(!m->calculateChunkSize());
        m->curFlag = 4;
        QVERIFY(!m->calculateChunkSize());
    }

    // The index reader: entries by tag, any order, duplicates, unknown tags,
    // counts above the five slots and cut files.
    void chunkIndexReader()
    {
        auto index = [](quint16 count, const QVector<QPair<QByteArray, quint32>> &entries) {
            QByteArray b("INDE", 4);
            b += QByteArray(12, '\0');
            kf::wr32(b, 4, 16 + 8 * count);
            kf::wr16(b, 8, count);
            for (const auto &e : entries) {
                QByteArray x = e.first;
                x += QByteArray(4, '\0');
                kf::wr32(x, 4, e.second);
                b += x;
            }
            return b;
        };
        auto read = [&](Model &m, const QByteArray &bytes, int flag) {
            m.curFlag = flag;
            kf::writeFile(path("idx.bin"), (flag == 2 ? QByteArray() : QByteArray(8, '\x01')) + bytes);
            QFile f(path("idx.bin"));
            f.open(QIODevice::ReadOnly);
            return m.getChunkIndex(&f);
        };
        std::unique_ptr<Model> m(new Model);
        m->curFlag = 2;
        m->initFileChunk();
        QVERIFY(read(*m, index(4, {{"SOUN", 500}, {"XXXX", 9}, {"SKIT", 32}, {"SOUN", 700}}), 2));
        QCOMPARE(m->indexChunk.chunkCount, quint16(4));
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_SKIT].address, 32u);
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_SOUN].address, 700u);
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_GLOB].address, 0u);
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_WAV2].id, tag("WAV2"));

        // Only SOUN listed: the kit chunk counts as absent.
        KitStorage kits;
        kits.attach(*m);
        QVERIFY(read(*m, index(1, {{"SOUN", 40}}), 2));
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_SKIT].address, 0u);
        {
            QFile f(path("idx.bin"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(!m->readSingleSkitChunk(&f, 0));
        }

        // Whole setup: index behind the identity chunk.
        QVERIFY(read(*m, index(5, {{"WAV2", 5}, {"WAV1", 4}, {"SOUN", 3}, {"SKIT", 2}, {"GLOB", 1}}), 0));
        for (int s = 0; s < 5; ++s)
            QCOMPARE(m->indexChunk.chunkIndex[s].address, quint32(s + 1));

        // Refusals leave the model unchanged.
        const Model::FILE_INDEX_CHUNK before = m->indexChunk;
        auto same = [&]() {
            return std::memcmp(&before.chunkIndex, &m->indexChunk.chunkIndex, sizeof before.chunkIndex) == 0
                   && before.chunkCount == m->indexChunk.chunkCount && before.size == m->indexChunk.size;
        };
        QVERIFY(!read(*m, index(6, {{"GLOB", 9}, {"SKIT", 9}, {"SOUN", 9}, {"WAV1", 9}, {"WAV2", 9}, {"GLOB", 9}}), 0));
        QVERIFY(same());
        QVERIFY(!read(*m, index(0xFFFF, {{"GLOB", 9}}), 0));
        QVERIFY(same());
        QByteArray bad = index(2, {{"SKIT", 9}, {"SOUN", 9}});
        bad[0] = 'i';
        QVERIFY(!read(*m, bad, 0));
        QVERIFY(same());
        const QByteArray good = index(5, {{"GLOB", 9}, {"SKIT", 9}, {"SOUN", 9}, {"WAV1", 9}, {"WAV2", 9}});
        for (int cut = 0; cut < good.size(); ++cut) {
            QVERIFY2(!read(*m, good.left(cut), 0), qPrintable(QString::number(cut)));
            QVERIFY(same());
        }
        QVERIFY(read(*m, good, 0));
        QCOMPARE(m->indexChunk.chunkIndex[Model::SLOT_WAV2].address, 9u);
    }

    // Copies never share the source's own sound table; external tables stay shared.
    void copyAndMove()
    {
        std::unique_ptr<Model> a(new Model);
        a->soundChunk.soundCount = 3;
        Model::str2CharArray(QStringLiteral("Snare"), a->sound[2].wave_name, 20);
        a->sound[2].fileName = QStringLiteral("x.wav");
        a->kitFileName = QStringLiteral("KIT_ALL.BIN");
        KitStorage kits;
        kits.attach(*a);

        std::unique_ptr<Model> b(new Model(*a));
        QVERIFY(b->soundChunk.soundIndex == b->sound.data());
        QVERIFY(b->kitChunk.baseChunk == kits.base.data());
        a.reset();
        QCOMPARE(Model::charArray2String(b->soundChunk.soundIndex[2].wave_name, 20), QStringLiteral("Snare"));
        QCOMPARE(b->sound[2].fileName, QStringLiteral("x.wav"));
        QCOMPARE(b->kitFileName, QStringLiteral("KIT_ALL.BIN"));

        std::unique_ptr<Model> c(new Model(std::move(*b)));
        QVERIFY(c->soundChunk.soundIndex == c->sound.data());
        QCOMPARE(c->sound[2].fileName, QStringLiteral("x.wav"));
        *b = *c; // a moved-from model can be assigned again
        QVERIFY(b->soundChunk.soundIndex == b->sound.data());
        QCOMPARE(int(b->sound.size()), WAVE_MAX_COUNT1);
        QCOMPARE(b->sound[2].fileName, QStringLiteral("x.wav"));

        std::vector<Model::P_SOUND_INDEX> external(WAVE_MAX_COUNT1);
        c->soundChunk.soundIndex = external.data();
        Model d(*c);
        QVERIFY(d.soundChunk.soundIndex == external.data());
        Model e;
        e = std::move(d);
        QVERIFY(e.soundChunk.soundIndex == external.data());
        *b = std::move(*c);
        QVERIFY(b->soundChunk.soundIndex == external.data());

        QVector<MainWindow1Records::READ_KIT_FILE> loaded;
        MainWindow1Records::READ_KIT_FILE r;
        r.info.sound[1].wave_No = 42;
        loaded.append(r);
        loaded.append(r);
        QVERIFY(loaded[1].info.soundChunk.soundIndex == loaded[1].info.sound.data());
        QCOMPARE(loaded[1].info.soundChunk.soundIndex[1].wave_No, quint16(42));
    }
};

QTEST_GUILESS_MAIN(TestKitFileLayout)
#include "test_kitfilelayout.moc"

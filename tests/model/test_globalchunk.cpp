#include "kitfile_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kf::Model;
using kf::rd16;
using kf::rd32;

class TestGlobalChunk : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    // Writes m's current global chunk as a global settings file.
    QByteArray writeGlobal(Model &m, const QString &name)
    {
        m.curFlag = 1;
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QByteArray();
        m.writeGlobalChunk(&f);
        f.close();
        return kf::readFile(path(name));
    }

    bool readGlobal(Model &m, const QString &name)
    {
        m.curFlag = 1;
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        return m.readGlobalChunk(&f);
    }

    static std::unique_ptr<Model> freshGlobalModel()
    {
        std::unique_ptr<Model> m(new Model);
        m->curFlag = 1;
        m->initFileChunk();
        m->calculateGlobalChunkSize1();
        return m;
    }

    // An older-layout chunk with distinct values at the offsets that matter.
    static QByteArray oldChunk(quint32 size)
    {
        QByteArray b(488, '\0');
        std::memcpy(b.data(), "GLOB", 4);
        kf::wr32(b, 4, size);
        b[8] = 7;   // effectType
        b[9] = 8;
        b[10] = 9;
        b[11] = 10;
        kf::wr32(b, 16, 0x11223344);
        kf::wr32(b, 20, 0x55667788);
        b[24] = 3;  // click_no
        b[25] = 6;  // beat
        b[26] = 40; // pan
        b[27] = 90; // volume
        b[28] = 1;  // output
        b[32] = 81; // audio volume
        b[33] = 82;
        b[34] = 83;
        b[35] = 99; // not the output
        b[36] = 1;  // output
        b[40] = 21; // low_gain
        kf::wr16(b, 41, 0x0102);
        b[43] = 22;
        kf::wr16(b, 44, 0x0304);
        b[46] = 23;
        kf::wr16(b, 47, 0x0506);
        for (int i = 0; i < 8; ++i)
            b[52 + i] = char(30 + i);
        b[64] = 11; // lcd_contrast
        b[65] = 2;  // led_type
        b[66] = 0;  // tempo_indicate
        b[67] = 5;  // led_logo
        for (int i = 0; i < 8; ++i) {
            b[68 + i] = char(100 + i);
            b[80 + i] = char(110 + i);
        }
        b[92] = 4;
        b[93] = 77;
        for (int c = 0; c < 8; ++c)
            for (int s = 0; s < STEP_MAX_COUNT; ++s)
                b[94 + 20 * c + s] = char(c * 20 + s + 1);
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            for (int i = 0; i < 10; ++i)
                b[256 + 12 * p + i] = char(p + i * 19);
        return b;
    }

private slots:
    void freshGlobalFileHoldsDefaults()
    {
        auto m = freshGlobalModel();
        const QByteArray b = writeGlobal(*m, "fresh.ini");
        QCOMPARE(b.size(), 843);
        QCOMPARE(b.left(4), QByteArray("GLOB"));
        QCOMPARE(rd32(b, 4), 843u);
        QCOMPARE(int(uchar(b[8])), 0);
        QCOMPARE(int(uchar(b[9])), 0);
        for (int i = 0; i < 64; ++i) {
            for (int k = 0; k < 6; ++k)
                QCOMPARE(int(uchar(b[10 + 7 * i + k])), 0);
            QCOMPARE(int(uchar(b[10 + 7 * i + 6])), 0xFF);
        }
        const QVector<QPair<int, int>> expected = {
            {458, 0}, {462, 0}, {466, 0}, {467, 4}, {468, 64}, {469, 100}, {470, 0}, {471, 0},
            {474, 100}, {475, 100}, {476, 0}, {477, 0}, {478, 0}, {482, 9}, {483, 0}, {487, 0},
            {488, 71}, {489, 72}, {490, 0}, {494, 10}, {495, 1}, {496, 1}, {497, 1}, {498, 0},
            {499, 0}, {834, 60}, {835, 1}, {836, 1}, {837, 1}, {838, 1}, {839, 0}, {840, 0},
            {841, 0}, {842, 0}};
        for (const auto &e : expected)
            QVERIFY2(uchar(b[e.first]) == e.second, qPrintable(QString::number(e.first)));
        for (int i = 498; i < 682; ++i)
            QCOMPARE(int(uchar(b[i])), 0);
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            const bool fs = p >= 17;
            const int at = 682 + 8 * p;
            const int want[8] = {0, fs ? 50 : 15, 0, 15, fs ? 10 : 5, 5, 15, 5};
            for (int k = 0; k < 8; ++k)
                QCOMPARE(int(uchar(b[at + k])), want[k]);
        }
    }

    void sizeFieldAlwaysCurrent()
    {
        // A record whose size was never laid out (0) or came from another
        // chunk still goes out as an 843-byte chunk that says 843.
        for (quint32 held : {0u, 488u, 1000u}) {
            std::unique_ptr<Model> m(new Model);
            m->curFlag = 1;
            m->initFileChunk();
            m->new_globalChunk.size = held;
            const QByteArray b = writeGlobal(*m, "unsized.ini");
            QCOMPARE(b.size(), 843);
            QCOMPARE(rd32(b, 4), 843u);
            std::unique_ptr<Model> r(new Model);
            QVERIFY(readGlobal(*r, "unsized.ini"));
            QCOMPARE(r->new_globalChunk.size, 843u);
            QCOMPARE(r->globalChunk.size, 0u);
        }
    }

    void currentLayoutRoundTrip()
    {
        auto m = freshGlobalModel();
        Model::NEW_FILE_GLOBAL_CHUNK &g = m->new_globalChunk;
        g.editing_effect = 12;
        g.effect_off = 1;
        for (int i = 0; i < 64; ++i)
            g.effect[i] = {quint16(i * 3), quint16(999), quint16(0xABCD + i), quint8(i % 24)};
        g.click = {0x01020304, 0x0A0B0C0D, 2, 7, 33, 44, 1, {0, 0, 0}};
        g.audio.volume = 1;
        g.audio.bt_volume = 2;
        g.audio.systan_gain = 3;
        g.audio.output = 1;
        g.midi.global_ch = 15;
        g.midi.cc_sw = 1;
        g.midi.fx_ctrl2_cc = 99;
        g.lced = {3, 2, 16, 0};
        g.kc.kit_chain = 5;
        g.kc.kit_chain_No = 5;
        for (int c = 0; c < 9; ++c)
            for (int s = 0; s < STEP_MAX_COUNT; ++s)
                g.kc.kitChain[c][s] = quint8((c * 7 + s) % 101);
        for (int p = 0; p < PAD_NUM_MAX; ++p)
            g.pfta[p] = {quint8(p), quint8(p + 1), 3, quint8(p + 2), 4, 6, 7, quint8(255 - p)};
        g.rec_level = 9;
        g.auto_state = 0;
        g.loop_click = 2;
        g.loop_qtz = 3;
        g.loop_meas = 4;
        g.loop_meas_index = 5;
        g.rec_pad = 18;

        const QByteArray first = writeGlobal(*m, "full.ini");
        QCOMPARE(first.size(), 843);
        // A few fields at their offsets.
        QCOMPARE(rd16(first, 10 + 7 * 5 + 2), quint16(999));
        QCOMPARE(rd16(first, 10 + 7 * 5 + 4), quint16(0xABCD + 5));
        QCOMPARE(int(uchar(first[10 + 7 * 5 + 6])), 5);
        QCOMPARE(rd32(first, 458), 0x01020304u);
        QCOMPARE(int(uchar(first[496])), 16); // led_logo before tempo_indicate
        QCOMPARE(int(uchar(first[497])), 0);
        QCOMPARE(int(uchar(first[500 + 20 * 8 + 19])), (8 * 7 + 19) % 101);
        QCOMPARE(int(uchar(first[682 + 8 * 18 + 7])), 255 - 18);
        QCOMPARE(int(uchar(first[840])), 18);

        std::unique_ptr<Model> back(new Model);
        QVERIFY(readGlobal(*back, "full.ini"));
        QCOMPARE(back->new_globalChunk.size, 843u);
        QCOMPARE(back->new_globalChunk.kc.kit_chain, quint8(1));
        QCOMPARE(back->new_globalChunk.kc.kit_chain_No, quint8(5));
        QCOMPARE(back->new_globalChunk.effect[63].param3, quint16(0xABCD + 63));
        QCOMPARE(back->new_globalChunk.pfta[3].sensivity, quint8(4));
        QCOMPARE(back->new_globalChunk.rec_pad, quint8(18));
        QCOMPARE(writeGlobal(*back, "again.ini"), first);
    }

    void kitChainRule()
    {
        auto m = freshGlobalModel();
        m->new_globalChunk.kc.kit_chain = 3;
        m->new_globalChunk.kc.kit_chain_No = 3;
        m->new_globalChunk.kc.kitChain[3][0] = 12;
        m->new_globalChunk.kc.kitChain[3][19] = 100;
        QByteArray b = writeGlobal(*m, "chain.ini");
        QCOMPARE(int(uchar(b[498])), 3);
        QCOMPARE(int(uchar(b[499])), 3);
        QCOMPARE(int(uchar(b[500 + 60])), 12);
        QCOMPARE(int(uchar(b[500 + 79])), 100);

        // The block packer gives the same 184 bytes.
        uchar block[KIT_CHAIN_BLOCK_SIZE];
        Model::packKitChainBlock(m->new_globalChunk.kc, block);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(block), KIT_CHAIN_BLOCK_SIZE),
                 b.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE));

        std::unique_ptr<Model> r(new Model);
        QVERIFY(readGlobal(*r, "chain.ini"));
        QCOMPARE(r->new_globalChunk.kc.kit_chain, quint8(1));
        QCOMPARE(r->new_globalChunk.kc.kit_chain_No, quint8(3));
        QCOMPARE(r->new_globalChunk.kc.kitChain[3][19], quint8(100));
        // The record as read writes the same chain bytes again.
        QCOMPARE(writeGlobal(*r, "chain2.ini"), b);

        // Switched off: both bytes 0, read back as 0, 0.
        m->new_globalChunk.kc.kit_chain = 0;
        m->new_globalChunk.kc.kit_chain_No = 3;
        b = writeGlobal(*m, "off.ini");
        QCOMPARE(int(uchar(b[498])), 0);
        QCOMPARE(int(uchar(b[499])), 0);
        QVERIFY(readGlobal(*r, "off.ini"));
        QCOMPARE(r->new_globalChunk.kc.kit_chain, quint8(0));
        QCOMPARE(r->new_globalChunk.kc.kit_chain_No, quint8(0));
    }

    void oldLayoutFillsOldRecordOnly()
    {
        auto m = freshGlobalModel();
        const QByteArray before = writeGlobal(*m, "before.ini");
        QVERIFY(kf::writeFile(path("old.ini"), oldChunk(488)));
        QVERIFY(readGlobal(*m, "old.ini"));
        const Model::FILE_GLOBAL_CHUNK &g = m->globalChunk;
        QCOMPARE(g.size, 488u);
        QCOMPARE(g.effect.effectType, quint8(7));
        QCOMPARE(g.effect.effectCtrl3, quint8(10));
        QCOMPARE(g.click.click_startCluster, 0x11223344u);
        QCOMPARE(g.click.click_waveLength, 0x55667788u);
        QCOMPARE(g.click.click_no, quint8(3));
        QCOMPARE(g.click.click_output, quint8(1));
        QCOMPARE(g.audio.volume, quint8(81));
        QCOMPARE(g.audio.systan_gain, quint8(83));
        QCOMPARE(g.audio.output, quint8(1));
        QCOMPARE(g.eq.low_gain, quint8(21));
        QCOMPARE(g.eq.low_freq, quint16(0x0102));
        QCOMPARE(g.eq.mid_freq, quint16(0x0304));
        QCOMPARE(g.eq.hig_gain, quint8(23));
        QCOMPARE(g.eq.hig_freq, quint16(0x0506));
        QCOMPARE(g.midi.global_ch, quint8(30));
        QCOMPARE(g.midi.fx_ctrl2_cc, quint8(37));
        QCOMPARE(g.lced.lcd_contrast, quint8(11));
        QCOMPARE(g.lced.tempo_indicate, quint8(0));
        QCOMPARE(g.lced.led_logo, quint8(5));
        QCOMPARE(g.led[0].click_led, quint8(100));
        QCOMPARE(g.led[1].logo_mode, quint8(117));
        QCOMPARE(g.kc.kit_chain, quint8(1));
        QCOMPARE(g.kc.kit_chain_No, quint8(4));
        QCOMPARE(g.kc.kitChain[7][19], quint8(7 * 20 + 19 + 1));
        QCOMPARE(g.pfta[18].sensibility, quint8(18));
        QCOMPARE(g.pfta[18].close, quint8(18 + 9 * 19));
        // The current record is untouched.
        QCOMPARE(writeGlobal(*m, "after.ini"), before);
    }

    void sizeSelectsLayout_data()
    {
        QTest::addColumn<quint32>("size");
        QTest::addColumn<bool>("current");
        QTest::newRow("488") << 488u << false;
        QTest::newRow("1") << 1u << false;
        QTest::newRow("489") << 489u << true;
        QTest::newRow("842") << 842u << true;
        QTest::newRow("843") << 843u << true;
        QTest::newRow("huge") << 0xFFFFFFFFu << true;
    }

    void sizeSelectsLayout()
    {
        QFETCH(quint32, size);
        QFETCH(bool, current);
        auto src = freshGlobalModel();
        src->new_globalChunk.rec_level = 77;
        QByteArray b = writeGlobal(*src, "src.ini");
        kf::wr32(b, 4, size);
        QVERIFY(kf::writeFile(path("sized.ini"), b));
        auto m = freshGlobalModel();
        m->globalChunk.size = 1234;
        QVERIFY(readGlobal(*m, "sized.ini"));
        if (current) {
            QCOMPARE(m->new_globalChunk.size, size);
            QCOMPARE(m->new_globalChunk.rec_level, quint8(77));
            QCOMPARE(m->globalChunk.size, 1234u);
        } else {
            QCOMPARE(m->globalChunk.size, size);
            QCOMPARE(m->new_globalChunk.rec_level, quint8(60));
        }
    }

    void refusesBadOrShortChunks()
    {
        auto src = freshGlobalModel();
        const QByteArray good = writeGlobal(*src, "good.ini");

        auto m = freshGlobalModel();
        m->new_globalChunk.rec_level = 42;
        m->globalChunk.size = 5;

        QByteArray wrongTag = good;
        wrongTag[0] = 'g';
        QVERIFY(kf::writeFile(path("bad.ini"), wrongTag));
        QVERIFY(!readGlobal(*m, "bad.ini"));

        for (int cut : {0, 3, 7, 8, 100, 482, 842}) {
            QVERIFY(kf::writeFile(path("cut.ini"), good.left(cut)));
            QVERIFY2(!readGlobal(*m, "cut.ini"), qPrintable(QString::number(cut)));
        }
        for (int cut : {0, 8, 300, 483}) {
            QVERIFY(kf::writeFile(path("cutold.ini"), oldChunk(488).left(cut)));
            QVERIFY2(!readGlobal(*m, "cutold.ini"), qPrintable(QString::number(cut)));
        }
        // 484 bytes are all the older reader needs.
        QVERIFY(kf::writeFile(path("old484.ini"), oldChunk(400).left(484)));
        QVERIFY(readGlobal(*m, "old484.ini"));
        QCOMPARE(m->globalChunk.size, 400u);
        QCOMPARE(m->new_globalChunk.rec_level, quint8(42));

        // Whole-setup kind with no GLOB address in the index.
        m->curFlag = 0;
        m->indexChunk.chunkIndex[Model::SLOT_GLOB].address = 0;
        QFile f(path("good.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!m->readGlobalChunk(&f));
        QCOMPARE(m->new_globalChunk.rec_level, quint8(42));
    }
};

QTEST_GUILESS_MAIN(TestGlobalChunk)
#include "test_globalchunk.moc"

#include "kitfile_fixture.h"
#include "kitrecord_fields.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kf::KitStorage;
using kf::Model;

namespace {

// Fills kit k of the storage with distinct values in every field; the pedal and
// pad reserved bytes get `reservedByte`.
void fillKit(KitStorage &s, int k, quint32 salt, uchar reservedByte = 0)
{
    Model::P_KIT_BASE_PARA &b = s.base[size_t(k)];
    kr::fillBase(b, salt);
    Model::str2CharArray(QStringLiteral("K%1-ABCDEFGHIJ").arg(k), b.kit_name, KIT_NAME_FIELD);
    for (int i = 0; i < 4; ++i)
        b.reserved[i] = uchar(0x50 + i + salt);
    Model::P_PEDAL_SETTING &p = s.pedal[size_t(k)];
    kr::fillPedal(p, salt);
    std::memset(p.reserved, reservedByte, sizeof p.reserved);
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        Model::P_KIT_PAD_SETTING &d = s.pads[k][j];
        kr::fillPad(d, j, salt);
        std::memset(d.reserved, reservedByte, sizeof d.reserved);
    }
}

QByteArray packed(const Model &m, int kit)
{
    QByteArray rec(KIT_RECORD_SIZE, '\0');
    m.packKitRecord(kit, reinterpret_cast<uchar *>(rec.data()));
    return rec;
}

// A model whose SKIT slot points at `address`.
void pointSkitSlot(Model &m, quint32 address)
{
    m.indexChunk.chunkIndex[Model::SLOT_SKIT].id = Model::str2int(QStringLiteral("SKIT"));
    m.indexChunk.chunkIndex[Model::SLOT_SKIT].address = address;
}

QByteArray skitHeader(quint32 size, quint8 count, quint8 baseSize)
{
    QByteArray h(SKIT_HEADER_SIZE, '\0');
    std::memcpy(h.data(), "SKIT", 4);
    kf::wr32(h, 4, size);
    h[8] = char(count);
    h[9] = char(baseSize);
    h[10] = char(KIT_PEDAL_SIZE);
    h[11] = char(KIT_PAD_SIZE);
    return h;
}

} // namespace

class TestKitChunk : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

    // Writes the SKIT chunk of `count` kits (100: whole-setup form) to a file.
    QByteArray writeChunk(Model &m, int count, const QString &name, int kit = 0)
    {
        m.kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
        m.kitChunk.kit_count = quint8(count);
        m.kitChunk.baseSize = KIT_BASE_SIZE;
        m.kitChunk.pedalSize = KIT_PEDAL_SIZE;
        m.kitChunk.padSize = KIT_PAD_SIZE;
        m.calculateSkitChunkSize();
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QByteArray();
        m.writeSkitChunk(&f);
        if (count == 1)
            m.writeSkitChunkPad(&f, kit);
        else
            m.writeSkitChunkKit(&f);
        f.close();
        return kf::readFile(path(name));
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void chunkSizes()
    {
        std::unique_ptr<Model> m(new Model);
        KitStorage s;
        s.attach(*m);
        // Default-valued kits.
        const QByteArray all = writeChunk(*m, KIT_MAX_COUNT, "all.skit");
        QCOMPARE(all.size(), 198716);
        QCOMPARE(m->kitChunk.size, 198716u);
        QCOMPARE(kf::rd32(all, 4), 198716u);
        QCOMPARE(QByteArray(all.constData(), 4), QByteArray("SKIT"));
        QCOMPARE(uchar(all.at(8)), uchar(100));
        QCOMPARE(uchar(all.at(9)), uchar(54));
        QCOMPARE(uchar(all.at(10)), uchar(128));
        QCOMPARE(uchar(all.at(11)), uchar(95));
        QCOMPARE(all.right(4), QByteArray(4, '\0'));

        const QByteArray one = writeChunk(*m, 1, "one.skit", 42);
        QCOMPARE(one.size(), 1999);
        QCOMPARE(kf::rd32(one, 4), 1999u);
        QCOMPARE(uchar(one.at(8)), uchar(1));
    }

    // Every field lands at its offset, in every kit and pad of a whole chunk.
    void recordByteMap()
    {
        std::unique_ptr<Model> m(new Model);
        KitStorage s;
        s.attach(*m);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            fillKit(s, k, quint32(k), uchar(0x77));
        const QByteArray all = writeChunk(*m, KIT_MAX_COUNT, "map.skit");
        QCOMPARE(all.size(), 198716);

        for (int k : {0, 1, 57, 99}) {
            const QByteArray rec = all.mid(SKIT_HEADER_SIZE + k * KIT_RECORD_SIZE, KIT_RECORD_SIZE);
            const quint32 salt = quint32(k);
            QCOMPARE(rec.left(KIT_NAME_FIELD), QStringLiteral("K%1-ABCDEFGHIJ").arg(k).left(13).toLatin1());
#define KR_CHECK(f, off, w) QCOMPARE(kr::readLE(rec, off, w), kr::val(off, w, salt));
            KR_BASE_FIELDS(KR_CHECK)
#undef KR_CHECK
            for (int i = 0; i < 4; ++i)
                QCOMPARE(uchar(rec.at(50 + i)), uchar(0x50 + i + salt));
#define KR_CHECK(f, off, w)                                                                        \
    QCOMPARE(kr::readLE(rec, kr::kPedalAt + off, w), kr::val(kr::kPedalAt + off, w, salt));
            KR_PEDAL_FIELDS(KR_CHECK)
#undef KR_CHECK
            QCOMPARE(rec.mid(168, 14), QByteArray(14, char(0x77)));
            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                const int at = kr::kPadAt + kr::kPadSize * j;
#define KR_CHECK(f, off, w) QCOMPARE(kr::readLE(rec, at + off, w), kr::val(at + off, w, salt));
                KR_PAD_FIELDS(KR_CHECK)
#undef KR_CHECK
                QCOMPARE(rec.mid(at + 62, 33), QByteArray(33, char(0x77)));
            }
        }

        // A 13-character name fills the field; a short one is zero-padded.
        Model::str2CharArray(QStringLiteral("ABCDEFGHIJKLMNOP"), s.base[3].kit_name, KIT_NAME_FIELD);
        Model::str2CharArray(QStringLiteral("Snare"), s.base[4].kit_name, KIT_NAME_FIELD);
        QCOMPARE(packed(*m, 3).left(13), QByteArray("ABCDEFGHIJKLM"));
        QCOMPARE(packed(*m, 4).left(13), QByteArray("Snare\0\0\0\0\0\0\0\0", 13));
    }

    // Whole-setup read: every field back, kit_no included; reserved bytes of the
    // pedal and pads keep what the storage held.
    void allKitsRoundTrip()
    {
        std::unique_ptr<Model> w(new Model);
        KitStorage src;
        src.attach(*w);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            fillKit(src, k, quint32(3 * k + 1), uchar(0));
        QByteArray chunk = writeChunk(*w, KIT_MAX_COUNT, "rt.skit");
        QByteArray file(100, '\x5A');
        file += chunk;
        QVERIFY(kf::writeFile(path("rt.bin"), file));

        std::unique_ptr<Model> r(new Model);
        KitStorage dst;
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            fillKit(dst, k, 999, uchar(0xEE));
        dst.attach(*r);
        pointSkitSlot(*r, 100);
        QFile f(path("rt.bin"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(r->readSkitChunk(&f));
        QCOMPARE(r->kitChunk.kit_count, quint8(100));
        QCOMPARE(r->kitChunk.size, 198716u);
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            QByteArray a = packed(*w, k);
            QByteArray b = packed(*r, k);
            // Reserved bytes are not read: the reader's storage keeps 0xEE there.
            QCOMPARE(b.mid(168, 14), QByteArray(14, char(0xEE)));
            for (int j = 0; j < PAD_NUM_MAX; ++j)
                QCOMPARE(b.mid(kr::kPadAt + kr::kPadSize * j + 62, 33), QByteArray(33, char(0xEE)));
            a.replace(168, 14, QByteArray(14, char(0xEE)));
            for (int j = 0; j < PAD_NUM_MAX; ++j)
                a.replace(kr::kPadAt + kr::kPadSize * j + 62, 33, QByteArray(33, char(0xEE)));
            QCOMPARE(b, a);
            QCOMPARE(r->kitChunk.baseChunk[k].kit_no, src.base[size_t(k)].kit_no);
        }
    }

    // Single-kit file: wave numbers n -> n - 1, 0 and 0xFFFF -> none, kit_no :=
    // element index, pedal reserved bytes read, pad reserved bytes not.
    void singleKitConversions_data()
    {
        QTest::addColumn<int>("kit");
        QTest::newRow("kit 1") << 0;
        QTest::newRow("kit 8") << 7;
        QTest::newRow("kit 100") << 99;
    }

    void singleKitConversions()
    {
        QFETCH(int, kit);
        std::unique_ptr<Model> w(new Model);
        KitStorage src;
        fillKit(src, kit, 5, uchar(0x33));
        src.base[size_t(kit)].kit_no = quint8(kit + 1);
        Model::P_PEDAL_SETTING &p = src.pedal[size_t(kit)];
        p.hh_wave1_no = 0;
        p.hh_wave2_no = 0xFFFF;
        p.hh_wave3_no = 1;
        p.hh_wave4_no = 9999;
        p.hh_wave5_no = 2;
        auto &pads = src.pads[kit];
        pads[0].aWaveNo = 0;
        pads[0].bWaveNo = 0xFFFF;
        pads[1].aWaveNo = 1;
        pads[1].bWaveNo = 9999;
        pads[18].aWaveNo = 3;
        pads[18].bWaveNo = 0xFFFF;
        src.attach(*w);
        QVERIFY(kf::writeSingleKit(*w, src, kit, {}, path("single.INI")));
        const QByteArray file = kf::readFile(path("single.INI"));
        QCOMPARE(file.size(), 2043);
        QCOMPARE(uchar(file.at(32 + 12 + 13)), uchar(kit + 1)); // stored 1-based kit number
        QCOMPARE(kf::rd16(file, 32 + 12 + 54 + 6), quint16(9999));

        std::unique_ptr<Model> r(new Model);
        r->curFlag = 2;
        r->initFileChunk();
        KitStorage dst;
        fillKit(dst, kit, 77, uchar(0xEE));
        dst.attach(*r);
        QFile f(path("single.INI"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(r->getChunkIndex(&f));
        QVERIFY(r->readSingleSkitChunk(&f, kit));
        const Model::P_PEDAL_SETTING &q = dst.pedal[size_t(kit)];
        QCOMPARE(q.hh_wave1_no, quint16(0xFFFF));
        QCOMPARE(q.hh_wave2_no, quint16(0xFFFF));
        QCOMPARE(q.hh_wave3_no, quint16(0));
        QCOMPARE(q.hh_wave4_no, quint16(9998));
        QCOMPARE(q.hh_wave5_no, quint16(1));
        QCOMPARE(q.reserved[0], uchar(0x33));
        QCOMPARE(q.hh_midi_code, p.hh_midi_code);
        QCOMPARE(q.active_effectCtrl3, p.active_effectCtrl3);
        QCOMPARE(q.hh_wave5_end, p.hh_wave5_end);
        const auto &rp = dst.pads[kit];
        QCOMPARE(rp[0].aWaveNo, quint16(0xFFFF));
        QCOMPARE(rp[0].bWaveNo, quint16(0xFFFF));
        QCOMPARE(rp[1].aWaveNo, quint16(0));
        QCOMPARE(rp[1].bWaveNo, quint16(9998));
        QCOMPARE(rp[18].aWaveNo, quint16(2));
        QCOMPARE(rp[18].pad_fs_ctrl, pads[18].pad_fs_ctrl);
        QCOMPARE(rp[5].bWaveEnd, pads[5].bWaveEnd);
        QCOMPARE(rp[5].reserved[0], uchar(0xEE));
        QCOMPARE(dst.base[size_t(kit)].kit_no, quint8(kit));
        QCOMPARE(dst.base[size_t(kit)].effect3_ctrl3, src.base[size_t(kit)].effect3_ctrl3);
        QCOMPARE(QByteArray(dst.base[size_t(kit)].kit_name, 13), QByteArray(src.base[size_t(kit)].kit_name, 13));
    }

    // Bare device record: numbers as stored, kit_no := element index.
    void deviceRecordRead()
    {
        std::unique_ptr<Model> w(new Model);
        KitStorage src;
        fillKit(src, 0, 9, uchar(0x44));
        src.pedal[0].hh_wave1_no = 0;
        src.pedal[0].hh_wave2_no = 0xFFFF;
        src.pads[0][3].aWaveNo = 0;
        src.pads[0][3].bWaveNo = 9998;
        src.attach(*w);
        QByteArray rec = packed(*w, 0);
        rec[13] = char(55);
        QVERIFY(kf::writeFile(path("k008.ini"), rec + QByteArray(10, '\x11')));

        std::unique_ptr<Model> r(new Model);
        KitStorage dst;
        dst.attach(*r);
        r->curFlag = 4;
        r->initFileChunk();
        QFile f(path("k008.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.seek(500));
        QVERIFY(r->readSingleOnlineSkitChunk(&f, 7));
        QCOMPARE(dst.base[7].kit_no, quint8(7));
        QCOMPARE(dst.pedal[7].hh_wave1_no, quint16(0));
        QCOMPARE(dst.pedal[7].hh_wave2_no, quint16(0xFFFF));
        QCOMPARE(dst.pedal[7].reserved[13], uchar(0x44));
        QCOMPARE(dst.pads[7][3].aWaveNo, quint16(0));
        QCOMPARE(dst.pads[7][3].bWaveNo, quint16(9998));
        QCOMPARE(dst.pads[7][3].reserved[0], uchar(0));
        QCOMPARE(r->kitChunk.baseSize, quint8(54));
        QByteArray back = packed(*r, 7);
        back[13] = char(55);
        for (int j = 0; j < PAD_NUM_MAX; ++j) // pad reserved bytes are not read
            back.replace(kr::kPadAt + kr::kPadSize * j + 62, 33, QByteArray(33, '\x44'));
        QCOMPARE(back, rec);

        // The same record through readSingleSkitChunk (kind 4) subtracts 1.
        QVERIFY(r->readSingleSkitChunk(&f, 9));
        QCOMPARE(dst.pads[9][3].bWaveNo, quint16(9997));
        QCOMPARE(dst.pads[9][3].aWaveNo, quint16(0xFFFF));
        QCOMPARE(dst.base[9].kit_no, quint8(9));
    }

    // Older 45-byte base part: one-byte controls widened, 0xFF read as 999.
    void olderLayout()
    {
        QByteArray rec(KIT_RECORD_SIZE_OLD, '\0');
        std::memcpy(rec.data(), "OLDKIT", 6);
        for (int i = 13; i <= 24; ++i)
            rec[i] = char(i);                 // kit_no .. effect1_no
        rec[25] = char(0xFF);                 // effect1_ctrl1: not used
        rec[26] = char(200);
        rec[27] = char(7);
        rec[28] = char(5);                    // kit_effect2
        rec[29] = char(2);                    // effect2_no
        rec[30] = char(30);
        rec[31] = char(0xFF);
        rec[32] = char(32);
        rec[33] = char(23);                   // kit_effect3
        rec[34] = char(4);
        rec[35] = char(35);
        rec[36] = char(36);
        rec[37] = char(0xFF);
        rec[38] = char(11);                   // bottom_color
        rec[39] = char(12);                   // work_color
        rec[40] = char(90);                   // pad_volume
        kf::wr16(rec, 45 + 0, 17);            // hh_wave1_no (pedal part follows at 45)
        rec[45 + 96] = char(46);              // hh_midi_code
        kf::wr16(rec, 45 + 128 + 95 * 2, 12); // pad 2 aWaveNo
        rec[45 + 128 + 95 * 2 + 47] = char(38);

        auto check = [&](const Model::P_KIT_BASE_PARA &b, const Model::P_PEDAL_SETTING &p,
                         const Model::P_KIT_PAD_SETTING *pads, bool single) {
            QCOMPARE(QByteArray(b.kit_name, 6), QByteArray("OLDKIT"));
            QCOMPARE(b.kit_volume, quint8(14));
            QCOMPARE(b.effect1_no, quint8(24));
            QCOMPARE(b.effect1_ctrl1, quint16(999));
            QCOMPARE(b.effect1_ctrl2, quint16(200));
            QCOMPARE(b.effect1_ctrl3, quint16(7));
            QCOMPARE(b.kit_effect2, quint8(5));
            QCOMPARE(b.effect2_no, quint8(2));
            QCOMPARE(b.effect2_ctrl1, quint16(30));
            QCOMPARE(b.effect2_ctrl2, quint16(999));
            QCOMPARE(b.effect2_ctrl3, quint16(32));
            QCOMPARE(b.kit_effect3, quint8(23));
            QCOMPARE(b.effect3_ctrl3, quint16(999));
            QCOMPARE(b.bottom_color, quint8(11));
            QCOMPARE(b.work_color, quint8(12));
            QCOMPARE(b.pad_volume, quint8(90));
            QCOMPARE(p.hh_wave1_no, quint16(single ? 16 : 17));
            QCOMPARE(p.hh_midi_code, quint8(46));
            QCOMPARE(pads[2].aWaveNo, quint16(single ? 11 : 12));
            QCOMPARE(pads[2].midi_code, quint8(38));
        };

        // Single-kit file: SKIT size 1990.
        QByteArray single(32, '\0');
        std::memcpy(single.data(), "INDE", 4);
        kf::wr32(single, 4, 32);
        kf::wr16(single, 8, 2);
        std::memcpy(single.data() + 16, "SKIT", 4);
        kf::wr32(single, 20, 32);
        std::memcpy(single.data() + 24, "SOUN", 4);
        kf::wr32(single, 28, 32 + 1990);
        single += skitHeader(1990, 1, 45) + rec;
        QVERIFY(kf::writeFile(path("old.INI"), single));
        {
            std::unique_ptr<Model> r(new Model);
            r->curFlag = 2;
            r->initFileChunk();
            KitStorage dst;
            dst.attach(*r);
            QFile f(path("old.INI"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(r->getChunkIndex(&f));
            QVERIFY(r->readSingleSkitChunk(&f, 4));
            QCOMPARE(r->kitChunk.baseSize, quint8(45));
            QCOMPARE(dst.base[4].kit_no, quint8(4));
            check(dst.base[4], dst.pedal[4], dst.pads[4], true);
        }
        // Whole setup: two old records.
        QByteArray whole = skitHeader(12 + 2 * KIT_RECORD_SIZE_OLD + 4, 2, 45) + rec + rec + QByteArray(4, '\0');
        QVERIFY(kf::writeFile(path("old.skit"), whole));
        {
            std::unique_ptr<Model> r(new Model);
            KitStorage dst;
            dst.attach(*r);
            pointSkitSlot(*r, 0);
            r->indexChunk.chunkIndex[Model::SLOT_SKIT].address = 0;
            QFile f(path("old.skit"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(!r->readSkitChunk(&f)); // address 0: no kit chunk
            // Put the chunk behind 8 bytes so its address is not 0.
            f.close();
            QVERIFY(kf::writeFile(path("old.skit"), QByteArray(8, '\0') + whole));
            QVERIFY(f.open(QIODevice::ReadOnly));
            pointSkitSlot(*r, 8);
            QVERIFY(r->readSkitChunk(&f));
            QCOMPARE(dst.base[1].kit_no, quint8(13));
            check(dst.base[0], dst.pedal[0], dst.pads[0], false);
            check(dst.base[1], dst.pedal[1], dst.pads[1], false);
        }
    }

    // Counts at their maxima and files cut anywhere are refused without a crash
    // and without touching the storage.
    void hostileInput()
    {
        std::unique_ptr<Model> w(new Model);
        KitStorage src;
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            fillKit(src, k, quint32(k));
        src.attach(*w);
        const QByteArray chunk = writeChunk(*w, KIT_MAX_COUNT, "h.skit");

        std::unique_ptr<Model> r(new Model);
        KitStorage dst;
        dst.attach(*r);
        const QByteArray before = packed(*r, 99);
        auto readAt = [&](const QByteArray &bytes) -> bool {
            if (!kf::writeFile(path("h.bin"), QByteArray(4, '\0') + bytes))
                return false;
            QFile f(path("h.bin"));
            if (!f.open(QIODevice::ReadOnly))
                return false;
            pointSkitSlot(*r, 4);
            return r->readSkitChunk(&f);
        };

        // kit_count 255 and 101: refused, storage unchanged.
        for (int count : {255, 101}) {
            QByteArray big = chunk + QByteArray(200 * KIT_RECORD_SIZE, '\x01');
            big[8] = char(count);
            QVERIFY(!readAt(big));
            QCOMPARE(packed(*r, 99), before);
            QCOMPARE(r->kitChunk.kit_count, quint8(0));
        }
        // Wrong tag.
        QByteArray bad = chunk;
        bad[0] = 'X';
        QVERIFY(!readAt(bad));

        // Cut at many offsets: every cut before the last record's end is refused.
        for (int cut = 0; cut < chunk.size() - 4; cut += 997) {
            QVERIFY2(!readAt(chunk.left(cut)), qPrintable(QString::number(cut)));
            QCOMPARE(packed(*r, 99), before);
        }
        QVERIFY(readAt(chunk.left(chunk.size() - 4))); // trailing reserved bytes are not read
        QCOMPARE(packed(*r, 99), packed(*w, 99));

        // Single-kit files and device records cut short.
        QVERIFY(kf::writeSingleKit(*w, src, 3, {}, path("s.INI")));
        const QByteArray single = kf::readFile(path("s.INI"));
        std::unique_ptr<Model> r2(new Model);
        KitStorage dst2;
        dst2.attach(*r2);
        const QByteArray before2 = packed(*r2, 3);
        for (int cut = 0; cut < 2031; cut += 13) {
            QVERIFY(kf::writeFile(path("cut.INI"), single.left(cut)));
            r2->curFlag = 2;
            r2->initFileChunk();
            QFile f(path("cut.INI"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const bool indexed = r2->getChunkIndex(&f);
            QVERIFY(cut >= 32 || !indexed);
            if (indexed)
                QVERIFY2(!r2->readSingleSkitChunk(&f, 3), qPrintable(QString::number(cut)));
            QCOMPARE(packed(*r2, 3), before2);

            r2->curFlag = 4;
            QFile g(path("cut.INI"));
            QVERIFY(g.open(QIODevice::ReadOnly));
            if (cut < KIT_RECORD_SIZE) {
                QVERIFY(!r2->readSingleOnlineSkitChunk(&g, 3));
                QVERIFY(!r2->readSingleSkitChunk(&g, 3));
            }
            QCOMPARE(packed(*r2, 3), before2);
        }
        // Kit element outside the storage.
        r2->curFlag = 4;
        QFile g(path("s.INI"));
        QVERIFY(g.open(QIODevice::ReadOnly));
        QVERIFY(!r2->readSingleOnlineSkitChunk(&g, 100));
        QVERIFY(!r2->readSingleSkitChunk(&g, -1));
        // No kit storage attached.
        std::unique_ptr<Model> bare(new Model);
        QVERIFY(!bare->readSingleOnlineSkitChunk(&g, 0));
    }
};

QTEST_GUILESS_MAIN(TestKitChunk)
#include "test_kitchunk.moc"

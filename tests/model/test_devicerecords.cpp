#include "kitrecord_fields.h"

#include "model/mainwindow1records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

using R = MainWindow1Records;

bool writeAll(const QString &path, const QByteArray &b)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

QVector<R::soundKit> kitsWithValues()
{
    QVector<R::soundKit> kits(KIT_MAX_COUNT);
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        R::soundKit &kit = kits[k];
        kr::fillBase(kit, quint32(k));
        kit.kit_no = 200; // the record takes the kit number from the argument
        kit.kit_name = QStringLiteral("Kit%1").arg(k + 1);
        for (int i = 0; i < 4; ++i)
            kit.reserved[i] = 9;
        kr::fillPedal(kit.pedalChunk, quint32(k));
        std::memset(kit.pedalChunk.reserved, 0x5A, sizeof kit.pedalChunk.reserved);
        for (int j = 0; j < PAD_NUM_MAX; ++j) {
            kr::fillPad(kit.kpadChunk[j], j, quint32(k));
            std::memset(kit.kpadChunk[j].reserved, 0x5A, sizeof kit.kpadChunk[j].reserved);
        }
    }
    return kits;
}

QByteArray packKit(const QVector<R::soundKit> &kits, int kitNo)
{
    QByteArray rec(KIT_RECORD_SIZE, '\x7E');
    if (!R::updateKit(rec.data(), kits, kitNo))
        return QByteArray();
    return rec;
}

} // namespace

class TestDeviceRecords : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // The packed record: fields copied or derived as the pad expects.
    void packedRecord()
    {
        QVector<R::soundKit> kits = kitsWithValues();
        QVERIFY(writeAll(path("hh3.wav"), QByteArray(1234, 'h')));
        QVERIFY(writeAll(path("a.wav"), QByteArray(70000, 'a')));
        QVERIFY(writeAll(path("b.wav"), QByteArray(44, 'b')));
        for (int k : {0, 99}) {
            R::soundKit &kit = kits[k];
            kit.pedalChunk.hh_wave1_no = 1;
            kit.pedalChunk.hh_wave2_no = 9999;
            kit.pedalChunk.hh_wave3_no = 0;
            kit.pedalChunk.hh_wave4_no = 0xFFFF;
            kit.pedalChunk.hh_wave3_file = path("hh3.wav");
            kit.pedalChunk.hh_wave5_file = path("missing.wav");
            kit.kpadChunk[0].aWaveNo = 1;
            kit.kpadChunk[0].bWaveNo = 9999;
            kit.kpadChunk[1].aWaveNo = 0;
            kit.kpadChunk[1].bWaveNo = 0xFFFF;
            kit.kpadChunk[2].soundFile0 = path("a.wav");
            kit.kpadChunk[2].soundFile1 = path("b.wav");
            kit.kpadChunk[17].bWaveNo = 5;
            kit.kpadChunk[18].bWaveNo = 6;
        }

        for (int kitNo : {1, 100}) {
            const int k = kitNo - 1;
            const QByteArray rec = packKit(kits, kitNo);
            QCOMPARE(rec.size(), KIT_RECORD_SIZE);
            QCOMPARE(rec.left(13), QStringLiteral("Kit%1").arg(kitNo).toLatin1().leftJustified(13, '\0'));
            QCOMPARE(uchar(rec.at(13)), uchar(kitNo));
            // Base fields 14..49 copied, reserved zero.
#define KR_CHECK(f, off, w)                                                                        \
    if (off != 13)                                                                                 \
        QCOMPARE(kr::readLE(rec, off, w), kr::val(off, w, quint32(k)));
            KR_BASE_FIELDS(KR_CHECK)
#undef KR_CHECK
            QCOMPARE(rec.mid(50, 4), QByteArray(4, '\0'));

            // Hi-hat: numbers minus one, positions from the files.
            const int h = kr::kPedalAt;
            QCOMPARE(kr::readLE(rec, h + 0, 2), 0u);
            QCOMPARE(kr::readLE(rec, h + 2, 2), 9998u);
            QCOMPARE(kr::readLE(rec, h + 4, 2), 0xFFFFu);
            QCOMPARE(kr::readLE(rec, h + 6, 2), 0xFFFFu);
            for (int i = 0; i < 5; ++i) {
                const quint32 size = i == 2 ? 1234 : 0;
                QCOMPARE(kr::readLE(rec, h + 16 + 16 * i, 4), 0u);
                QCOMPARE(kr::readLE(rec, h + 20 + 16 * i, 4), size);
                QCOMPARE(kr::readLE(rec, h + 24 + 16 * i, 4), 0u);
                QCOMPARE(kr::readLE(rec, h + 28 + 16 * i, 4), size);
            }
#define KR_CHECK(f, off, w) QCOMPARE(kr::readLE(rec, h + off, w), kr::val(h + off, w, quint32(k)));
            KR_PEDAL_OTHER(KR_CHECK)
#undef KR_CHECK
            QCOMPARE(rec.mid(h + 114, 14), QByteArray(14, '\0'));

            // Pads.
            for (int j = 0; j < PAD_NUM_MAX; ++j) {
                const int at = kr::kPadAt + kr::kPadSize * j;
                const R::KIT_PAD_SETTING &d = kits[k].kpadChunk[j];
                auto dev = [](quint16 n) { return n == 0xFFFF ? 0xFFFFu : quint32(quint16(n - 1)); };
                QCOMPARE(kr::readLE(rec, at, 2), dev(d.aWaveNo));
                QCOMPARE(kr::readLE(rec, at + 2, 2), j >= 17 ? 0xFFFFu : dev(d.bWaveNo));
                const quint32 aSize = j == 2 ? 70000 : 0;
                const quint32 bSize = j == 2 ? 44 : 0;
                QCOMPARE(kr::readLE(rec, at + 4, 4), d.aWaveStartCluster);
                QCOMPARE(kr::readLE(rec, at + 8, 4), aSize);
                QCOMPARE(kr::readLE(rec, at + 12, 4), 0u);
                QCOMPARE(kr::readLE(rec, at + 16, 4), aSize);
                QCOMPARE(kr::readLE(rec, at + 25, 4), d.bWaveStartCluster);
                QCOMPARE(kr::readLE(rec, at + 29, 4), bSize);
                QCOMPARE(kr::readLE(rec, at + 33, 4), 0u);
                QCOMPARE(kr::readLE(rec, at + 37, 4), bSize);
#define KR_CHECK(f, off, w) QCOMPARE(kr::readLE(rec, at + off, w), kr::val(at + off, w, quint32(k)));
                KR_PAD_OTHER(KR_CHECK)
#undef KR_CHECK
                QCOMPARE(uchar(rec.at(at + 61)), uchar(0));            // pad_fs_ctrl
                QCOMPARE(rec.mid(at + 62, 33), QByteArray(33, '\0'));   // reserved
            }
            QCOMPARE(kr::readLE(rec, kr::kPadAt, 2), 0u);
            QCOMPARE(kr::readLE(rec, kr::kPadAt + 2, 2), 9998u);
            QCOMPARE(kr::readLE(rec, kr::kPadAt + 95, 2), 0xFFFFu);
            QCOMPARE(kr::readLE(rec, kr::kPadAt + 95 + 2, 2), 0xFFFFu);
        }

        // Kit numbers outside 1..100 or beyond the list are refused.
        QByteArray view(KIT_RECORD_SIZE, '\x11');
        QVERIFY(!R::updateKit(view.data(), kits, 0));
        QVERIFY(!R::updateKit(view.data(), kits, 101));
        QVERIFY(!R::updateKit(view.data(), kits.mid(0, 10), 11));
        QCOMPARE(view, QByteArray(KIT_RECORD_SIZE, '\x11'));

        // A long name is cut at 13 bytes.
        kits[4].kit_name = QStringLiteral("ABCDEFGHIJKLMNOPQ");
        QCOMPARE(packKit(kits, 5).left(14), QByteArray("ABCDEFGHIJKLM\x05"));
    }
};

QTEST_GUILESS_MAIN(TestDeviceRecords)
#include "test_devicerecords.moc"

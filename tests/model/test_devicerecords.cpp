#include "kitrecord_fields.h"

#include "model/mainwindow1records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

using R = MainWindow1Records;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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

// Runs `fn` with the standard error stream sent to `file`; returns what was written.
template <typename Fn>
QByteArray captureStderr(const QString &file, Fn fn)
{
    std::fflush(stderr);
    const int saved = ::dup(2);
    FILE *out = std::fopen(QFile::encodeName(file).constData(), "w");
    if (saved < 0 || !out)
        return QByteArray("capture failed");
    ::dup2(::fileno(out), 2);
    fn();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::fclose(out);
    return readAll(file);
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

    // Only the record bytes of an existing file change.
    void kitRecordInPlace()
    {
        const QVector<R::soundKit> kits = kitsWithValues();
        const QByteArray tail(300, '\xA5');
        const QString file = path("k007.ini");
        QVERIFY(writeAll(file, QByteArray(KIT_RECORD_SIZE, '\xCC') + tail));
        QVERIFY(R::writeKitRecordInPlace(QFile::encodeName(file).constData(), kits, 7));
        const QByteArray after = readAll(file);
        QCOMPARE(after.size(), KIT_RECORD_SIZE + tail.size());
        QCOMPARE(after.left(KIT_RECORD_SIZE), packKit(kits, 7));
        QCOMPARE(after.mid(KIT_RECORD_SIZE), tail);

        // Exactly 1987 bytes: written, not extended.
        const QString exact = path("k100.ini");
        QVERIFY(writeAll(exact, QByteArray(KIT_RECORD_SIZE, '\0')));
        QVERIFY(R::writeKitRecordInPlace(QFile::encodeName(exact).constData(), kits, 100));
        QCOMPARE(readAll(exact), packKit(kits, 100));

        // A short file is refused and left alone.
        const QString shortFile = path("k001.ini");
        const QByteArray shortBytes(KIT_RECORD_SIZE - 1, '\x42');
        QVERIFY(writeAll(shortFile, shortBytes));
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(shortFile).constData(), kits, 1));
        QCOMPARE(readAll(shortFile), shortBytes);
        const QString empty = path("k002.ini");
        QVERIFY(writeAll(empty, QByteArray()));
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(empty).constData(), kits, 2));
        QCOMPARE(QFileInfo(empty).size(), qint64(0));

        // A missing file is not created.
        const QString missing = path("KIT/k003.ini");
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(missing).constData(), kits, 3));
        QVERIFY(!QFile::exists(missing));
        const QString missing2 = path("k004.ini");
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(missing2).constData(), kits, 4));
        QVERIFY(!QFile::exists(missing2));

        // A bad kit number touches nothing.
        QVERIFY(writeAll(file, QByteArray(KIT_RECORD_SIZE, '\xCC')));
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(file).constData(), kits, 0));
        QVERIFY(!R::writeKitRecordInPlace(QFile::encodeName(file).constData(), kits, 101));
        QCOMPARE(readAll(file), QByteArray(KIT_RECORD_SIZE, '\xCC'));
        QVERIFY(!R::writeKitRecordInPlace(nullptr, kits, 1));
    }

    // Failures leave their diagnostic on the standard error stream.
    void diagnostics()
    {
        const QVector<R::soundKit> kits = kitsWithValues();
        const QByteArray missing = QFile::encodeName(path("k050.ini"));
        const QByteArray err = captureStderr(path("err1.txt"), [&]() {
            QVERIFY(!R::writeKitRecordInPlace(missing.constData(), kits, 50));
        });
        QCOMPARE(err, QByteArray("Failed to open file.") + missing + '\n');

        const QString prm = path("short.prm");
        QVERIFY(writeAll(prm, QByteArray("\x01", 1)));
        const QByteArray err2 = captureStderr(path("err2.txt"), [&]() {
            QVERIFY(!R::writePrmWaveInPlace(QFile::encodeName(prm).constData(), 7));
        });
        QVERIFY2(err2.endsWith(QFile::encodeName(prm) + '\n'), err2.constData());
        QCOMPARE(readAll(prm), QByteArray("\x01", 1));
    }

    void prmInPlace()
    {
        QByteArray prm(64, '\0');
        for (int i = 0; i < 64; ++i)
            prm[i] = char(0x80 + i);
        const QString file = path("00001.prm");
        QVERIFY(writeAll(file, prm));
        QVERIFY(R::writePrmWaveInPlace(QFile::encodeName(file).constData(), 258));
        QByteArray expect = prm;
        expect[0] = 0x02;
        expect[1] = 0x01;
        QCOMPARE(readAll(file), expect);

        QByteArray view("\xAA\xBB\xCC", 3);
        R::updatePrm(view.data(), 0xFFFF);
        QCOMPARE(view, QByteArray("\xFF\xFF\xCC", 3));

        const QString two = path("two.prm");
        QVERIFY(writeAll(two, QByteArray("\0\0", 2)));
        QVERIFY(R::writePrmWaveInPlace(QFile::encodeName(two).constData(), 9998));
        QCOMPARE(readAll(two), QByteArray("\x0E\x27", 2));

        const QString one = path("one.prm");
        QVERIFY(writeAll(one, QByteArray("\x33", 1)));
        QVERIFY(!R::writePrmWaveInPlace(QFile::encodeName(one).constData(), 1));
        QCOMPARE(readAll(one), QByteArray("\x33", 1));

        const QString missing = path("99999.prm");
        QVERIFY(!R::writePrmWaveInPlace(QFile::encodeName(missing).constData(), 1));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestDeviceRecords)
#include "test_devicerecords.moc"

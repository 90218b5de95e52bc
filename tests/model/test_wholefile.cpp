#include "kitfile_fixture.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kf::Model;
using kf::rd16;
using kf::rd32;
using kf::TestSound;

namespace {

QByteArray packedKit(Model &m, int k)
{
    QByteArray b(KIT_RECORD_SIZE, '\0');
    m.packKitRecord(k, reinterpret_cast<uchar *>(b.data()));
    return b;
}

} // namespace

class TestWholeFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QVector<TestSound> sounds;      // metronome sounds first, then waves 3, 7, 9
    QVector<QByteArray> soundBytes; // bytes each entry must carry in the file
    QString wholePath;
    QString kitPath;

    QString path(const QString &name) const { return dir.filePath(name); }

    // Runs every reader and probe on `bytes`; nothing may crash, and a reader
    // that says true must leave values inside the model's capacities.
    void sweep(const QByteArray &bytes)
    {
        // A fresh name each time: rewriting one file in place is slow on ext4.
        const QString p = path(QStringLiteral("hostile%1.bin").arg(++sweeps));
        QVERIFY(kf::writeFile(p, bytes));
        QFile f(p);
        QVERIFY(f.open(QIODevice::ReadOnly));
        struct Remove {
            QFile &file;
            ~Remove() { file.remove(); }
        } remove{f};

        Model::judgeFileType(&f);
        Model::readKitNum(&f);
        Model::readIndex(&f, 0);
        Model::readIndex(&f, 2);
        Model::judgeWaveTotalNumber(&f, 0);
        Model::judgeWaveTotalNumber(&f, 1);
        Model::judgeWaveName(&f, 0, 0);
        Model::judgeWaveName(&f, 7, 1);
        Model::judgeWaveName(&f, 0x7FFFFFFF, 0);

        for (int kind : {0, 2}) {
            m->curFlag = kind;
            m->initFileChunk();
            storage.attach(*m);
            if (m->getChunkIndex(&f)) {
                m->readGlobalChunk(&f);
                if (kind == 0)
                    m->readSkitChunk(&f);
                else
                    m->readSingleSkitChunk(&f, 3);
                const bool ok = m->readSounChunk(&f, kind != 0);
                if (ok) {
                    QVERIFY(m->soundChunk.soundCount <= WAVE_MAX_COUNT1);
                    QVERIFY(qint64(bytes.size()) >= qint64(m->indexChunk.chunkIndex[2].address) + 12
                                                        + 40 * m->soundChunk.soundCount);
                }
                QVERIFY(m->kitChunk.kit_count <= KIT_MAX_COUNT || kind == 2);
            }
        }
        m->curFlag = 1;
        m->readGlobalChunk(&f);
    }

    std::unique_ptr<Model> m{new Model};
    kf::KitStorage storage;
    int sweeps = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Five metronome sounds: two in plain files, three inside one file.
        QByteArray clickHost("HEADER-BYTES");
        for (int i = 0; i < 5; ++i) {
            const QByteArray w = kf::wavBytes(200 + 37 * i, 100 + i);
            if (i < 2) {
                kf::writeFile(path(QStringLiteral("click%1.wav").arg(i)), w);
                sounds << TestSound{QStringLiteral("CLICK%1").arg(i), quint16(10000 + i),
                                    path(QStringLiteral("click%1.wav").arg(i)), 0, quint32(w.size()), 1};
            } else {
                sounds << TestSound{QStringLiteral("CLICK%1").arg(i), quint16(10000 + i),
                                    path("clicks.BIN") + QStringLiteral(":U%1").arg(10000 + i),
                                    quint32(clickHost.size()), quint32(w.size()), 1};
                clickHost.append(w);
            }
            soundBytes << w;
        }
        kf::writeFile(path("clicks.BIN"), clickHost);
        const quint16 waves[3] = {3, 7, 9};
        for (int i = 0; i < 3; ++i) {
            const QByteArray w = kf::wavBytes(1000 + 500 * i, quint32(waves[i]));
            const QString name = path(QStringLiteral("wave%1.wav").arg(waves[i]));
            kf::writeFile(name, w);
            sounds << TestSound{QStringLiteral("WAVE_%1").arg(waves[i]), waves[i], name, 0,
                                quint32(w.size()), quint8(i == 1)};
            soundBytes << w;
        }
        wholePath = path("KIT_ALL.BIN");
        kitPath = path("KIT_007.INI");
    }

    void wholeSetupLayoutAndRoundTrip()
    {
        // The save fills an external table, as the editor does with its own.
        std::vector<Model::P_SOUND_INDEX> table(WAVE_MAX_COUNT1);
        std::unique_ptr<Model> save(new Model);
        kf::KitStorage kits;
        kits.fill({3, 7, 9}, 1234);
        save->curFlag = 0;
        save->initFileChunk();
        save->new_globalChunk.click.beat = 3;
        save->new_globalChunk.kc.kit_chain = 2;
        save->new_globalChunk.kc.kit_chain_No = 2;
        save->new_globalChunk.kc.kitChain[2][0] = 55;
        save->new_globalChunk.pfta[17].rim_gain = 1;
        // writeWholeSetup re-initialises; apply the settings through a copy.
        const Model::NEW_FILE_GLOBAL_CHUNK global = save->new_globalChunk;

        save->curFlag = 0;
        save->initFileChunk();
        kits.attach(*save);
        save->soundChunk.soundIndex = table.data();
        save->identityChunk.reserved[2] = 'B';
        save->identityChunk.reserved[3] = 'A';
        save->identityChunk.reserved[4] = 'C';
        save->identityChunk.reserved[5] = 'K';
        save->new_globalChunk = global;
        save->kitChunk.skit = Model::str2int("SKIT");
        save->kitChunk.kit_count = KIT_MAX_COUNT;
        for (int i = 0; i < sounds.size(); ++i)
            kf::fillEntry(table[size_t(i)], sounds.at(i));
        save->soundChunk.soundCount = quint16(sounds.size());
        QVERIFY(save->setWaveNodeLists({3, 7, 9}, {9, 3, 7}));
        QVERIFY(save->calculateChunkSize());
        {
            QFile f(wholePath);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            save->writeIdentityChunk(&f);
            save->writeIndexChunk(&f);
            save->writeGlobalChunk(&f);
            save->writeSkitChunk(&f);
            save->writeSkitChunkKit(&f);
            save->writeWaveNodeChunk(&f, 0);
            save->writeWaveNodeChunk(&f, 1);
            QVERIFY(save->writeSoundChunk(&f));
        }
        // The model's own table was not used.
        QCOMPARE(save->sound[0].wave_length, 0u);

        const QByteArray b = kf::readFile(wholePath);
        const int n = sounds.size();
        qint64 total = 0;
        for (const QByteArray &w : soundBytes)
            total += w.size();
        QCOMPARE(qint64(b.size()), 199627 + 48 * n + total);
        QCOMPARE(b.mid(4, 4), QByteArray("BACK"));

        const quint32 soun = 199615 + 8 * n;
        QCOMPARE(rd32(b, 24 + 16 + 4), soun);
        QCOMPARE(rd32(b, 24 + 24 + 4), 199623u);
        QCOMPARE(rd32(b, 24 + 32 + 4), 199631u + 4 * (n - 3));

        // Wave-node chunks.
        QCOMPARE(b.mid(199623, 4), QByteArray("WAV1"));
        QCOMPARE(rd32(b, 199627), quint32(8 + 4 * (n - 3)));
        const QVector<quint16> wav1 = {0xFEFE, 3, 3, 7, 7, 9, 9, 10, 10, 0xFEFC};
        const QVector<quint16> wav2 = {0xFEFE, 9, 9, 3, 3, 7, 7, 10, 10, 0xFEFC};
        for (int i = 0; i < wav1.size(); ++i) {
            QCOMPARE(rd16(b, 199631 + 2 * i), wav1[i]);
            QCOMPARE(rd16(b, 199631 + 4 * (n - 3) + 8 + 2 * i), wav2[i]);
        }
        QCOMPARE(b.mid(199631 + 4 * (n - 3), 4), QByteArray("WAV2"));

        // Sound chunk: size to end of file, every wave_start at its RIFF bytes.
        QCOMPARE(b.mid(soun, 4), QByteArray("SOUN"));
        QCOMPARE(qint64(rd32(b, soun + 4)), qint64(b.size()) - soun);
        QCOMPARE(rd16(b, soun + 8), quint16(n));
        for (int i = 0; i < n; ++i) {
            const int e = int(soun) + 12 + 40 * i;
            QCOMPARE(rd16(b, e + 20), sounds[i].waveNo);
            const quint32 start = rd32(b, e + 32);
            QCOMPARE(b.mid(start, 4), QByteArray("RIFF"));
            QCOMPARE(b.mid(start, soundBytes[i].size()), soundBytes[i]);
            QCOMPARE(rd32(b, e + 36), rd32(b, e + 28));
        }
        // Kits point at the positions of their waves.
        QCOMPARE(b.mid(kits.pads[0][0].aWaveStart, 4), QByteArray("RIFF"));

        // Read back in the loader's order.
        std::unique_ptr<Model> load(new Model);
        kf::KitStorage back;
        QVERIFY(kf::readWholeSetup(*load, back, wholePath));
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QCOMPARE(packedKit(*load, k), packedKit(*save, k));
        QCOMPARE(load->new_globalChunk.size, 843u);
        QCOMPARE(load->new_globalChunk.click.beat, quint8(3));
        QCOMPARE(load->new_globalChunk.kc.kit_chain_No, quint8(2));
        QCOMPARE(load->new_globalChunk.kc.kitChain[2][0], quint8(55));
        QCOMPARE(load->new_globalChunk.pfta[17].rim_gain, quint8(1));
        {
            load->curFlag = 1;
            QFile g(path("global-back.ini"));
            QVERIFY(g.open(QIODevice::WriteOnly | QIODevice::Truncate));
            load->writeGlobalChunk(&g);
        }
        QCOMPARE(kf::readFile(path("global-back.ini")), b.mid(64, 843));
        QCOMPARE(int(load->soundChunk.soundCount), n);
        for (int i = 0; i < n; ++i) {
            const Model::P_SOUND_INDEX &a = table[size_t(i)];
            const Model::P_SOUND_INDEX &r = load->sound[size_t(i)];
            QCOMPARE(QByteArray(r.wave_name, 20), QByteArray(a.wave_name, 20));
            QCOMPARE(r.wave_No, a.wave_No);
            QCOMPARE(r.wave_lock, a.wave_lock);
            QCOMPARE(r.start_cluster, 0u);
            QCOMPARE(r.wave_length, a.wave_length);
            QCOMPARE(r.wave_start, a.wave_start);
            QCOMPARE(r.wave_end, a.wave_end);
        }
        QCOMPARE(load->kitFileName, wholePath);

        // Saving again from the loaded file's sounds ("path:Unnnnn") gives the
        // same bytes.
        QVector<TestSound> resave = sounds;
        for (int i = 0; i < n; ++i) {
            resave[i].file = wholePath + QStringLiteral(":U%1").arg(resave[i].waveNo, 5, 10, QChar('0'));
            resave[i].offset = load->sound[size_t(i)].wave_start;
        }
        std::unique_ptr<Model> again(new Model);
        const QString copyPath = path("KIT_ALL_COPY.BIN");
        QVERIFY(kf::writeWholeSetup(*again, back, resave, {3, 7, 9}, {9, 3, 7}, copyPath, true));
        const QByteArray c = kf::readFile(copyPath);
        QCOMPARE(c.size(), b.size());
        QCOMPARE(c.mid(soun), b.mid(soun));
    }

    void wholeSetupNeedsThreeEntries()
    {
        std::unique_ptr<Model> save(new Model);
        kf::KitStorage kits;
        kits.fill({}, 1);
        QVERIFY(!kf::writeWholeSetup(*save, kits, sounds.mid(0, 2), {}, {}, path("two.BIN")));
        // Only the metronome sounds: nodes of an empty chain.
        QVERIFY(kf::writeWholeSetup(*save, kits, sounds.mid(0, 5), {}, {}, path("five.BIN")));
        const QByteArray b = kf::readFile(path("five.BIN"));
        QCOMPARE(rd32(b, 199627), 16u);
        QCOMPARE(rd16(b, 199631), quint16(0xFEFE));
        QCOMPARE(rd16(b, 199633), quint16(0xFFFF));
        QCOMPARE(rd16(b, 199635), quint16(0));
        QCOMPARE(rd16(b, 199637), quint16(0xFEFC));
        QCOMPARE(b.mid(199655, 4), QByteArray("SOUN"));
    }

    void hostileInput()
    {
        // Files made by the earlier cases plus a single kit of its own.
        kf::KitStorage kits;
        kits.fill({1, 2}, 77);
        std::unique_ptr<Model> save(new Model);
        const QVector<TestSound> two = {sounds[5], sounds[6]};
        QVERIFY(kf::writeSingleKit(*save, kits, 6, two, kitPath));
        QVERIFY(kf::writeWholeSetup(*save, kits, sounds, {3, 7, 9}, {9, 3, 7}, wholePath));

        for (const QString &p : {wholePath, kitPath}) {
            const QByteArray good = kf::readFile(p);
            QVERIFY(!good.isEmpty());
            // Truncated at many offsets.
            for (int cut = 0; cut < good.size(); cut += (cut < 1200 ? 1 : 251))
                sweep(good.left(cut));

            const bool whole = p == wholePath;
            const int soun = int(rd32(good, whole ? 44 : 28));
            const int skit = int(rd32(good, whole ? 36 : 20));
            QVERIFY(skit > 0 && skit + 12 < good.size() && soun > 0 && soun + 12 < good.size());
            QVector<QByteArray> bad;
            for (quint16 count : {quint16(0xFFFF), quint16(10241), quint16(10240), quint16(9)}) {
                QByteArray b = good;
                kf::wr16(b, soun + 8, count);
                bad << b;
            }
            for (int kc : {0, 1, 101, 255}) {
                QByteArray b = good;
                b[skit + 8] = char(kc);
                bad << b;
                b[skit + 9] = char(45); // older base part
                bad << b;
            }
            for (quint16 cc : {quint16(0), quint16(4), quint16(6), quint16(0xFFFF)}) {
                QByteArray b = good;
                kf::wr16(b, whole ? 16 : 8, cc);
                bad << b;
            }
            for (quint32 addr : {0u, 1u, quint32(good.size() - 4), quint32(good.size()), 0xFFFFFFF0u}) {
                for (int slot = 0; slot < (whole ? 5 : 2); ++slot) {
                    QByteArray b = good;
                    kf::wr32(b, (whole ? 24 : 16) + 8 * slot + 4, addr);
                    bad << b;
                }
            }
            if (whole) {
                for (quint32 size : {0u, 488u, 489u, 0xFFFFFFFFu}) {
                    QByteArray b = good;
                    kf::wr32(b, 64 + 4, size);
                    bad << b;
                    bad << b.left(64 + 500);
                }
            }
            QRandomGenerator rng(42);
            for (int i = 0; i < 200; ++i) {
                QByteArray b = good;
                for (int k = 0; k < 8; ++k) {
                    const int at = i % 2 ? int(rng.bounded(qMin(good.size(), 1200)))
                                         : soun + int(rng.bounded(12 + 40 * 8));
                    if (at < b.size())
                        b[at] = char(rng.bounded(256));
                }
                bad << b;
            }
            for (const QByteArray &b : bad)
                sweep(b);
        }
    }
};

QTEST_GUILESS_MAIN(TestWholeFile)
#include "test_wholefile.moc"

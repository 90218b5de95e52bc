// Kit files written whole or not at all, the targets of a kit save, the order
// kit files are read in, and which sounds are one kit file's.
#include "kitfile/fileread.h"
#include "platform/disk.h"
#include "kitfile/filewrite.h"
#include "kitfile/kitfiles.h"
#include "kitfile/setup_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace sf;
using kf::TestSound;

class TestSetupWrite : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QVector<TestSound> m_sounds;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A laid-out model of the kind in `kind`, as the writers of the fixture
    // leave it, and the bytes they wrote.
    QByteArray layOut(percussionpadfile &m, kf::KitStorage &kits, int kind)
    {
        const QString ref = path(QStringLiteral("ref%1").arg(kind));
        const bool ok = kind == 0 ? kf::writeWholeSetup(m, kits, m_sounds, {0, 1, 2}, {2, 0, 1}, ref)
                                  : kf::writeSingleKit(m, kits, 4, kitSounds(m_sounds), ref);
        return ok ? kf::readFile(ref) : QByteArray();
    }

private slots:
    void initTestCase()
    {
        m_sounds = writeSounds(m_dir.path(), {"Kick", "Snare", "Tom"}, 0);
        QCOMPARE(m_sounds.size(), 8);
    }

    void checkedWriteGivesTheLaidOutBytes()
    {
        for (int kind : {0, 2}) {
            auto m = std::make_unique<percussionpadfile>();
            kf::KitStorage kits;
            kits.fill({1, 2, 3}, 5);
            const QByteArray expected = layOut(*m, kits, kind);
            QVERIFY(expected.size() > 1000);
            QCOMPARE(setupfiles::laidOutSize(*m), quint64(expected.size()));
            QFile out(path("out"));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(setupfiles::writeKitFile(*m, out, 4));
            QVERIFY(!out.isOpen());
            QCOMPARE(kf::readFile(out.fileName()), expected);
            // It reads back as its import reads it; as the other kind, or with
            // its waves' tags broken, it does not.
            QVERIFY(setupfiles::readsBack(out.fileName(), kind == 0));
            QVERIFY(!setupfiles::readsBack(out.fileName(), kind != 0));
            QVERIFY(kf::writeFile(out.fileName(), QByteArray(expected).replace("RIFF", "RIFX")));
            QVERIFY(!setupfiles::readsBack(out.fileName(), kind == 0));
            QCOMPARE(m->curFlag, kind);

            // A source cut short after the layout fails the write.
            const QString src = m_sounds.at(6).file;
            const QByteArray whole = kf::readFile(src);
            QVERIFY(kf::writeFile(src, whole.left(whole.size() - 1)));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(!setupfiles::writeKitFile(*m, out, 4));
            QVERIFY(kf::writeFile(src, whole));
            // So does a file that is not open, or not empty.
            QVERIFY(!setupfiles::writeKitFile(*m, out, 4));
            QVERIFY(out.open(QIODevice::Append));
            out.write("x");
            QVERIFY(!setupfiles::writeKitFile(*m, out, 4));
        }
    }

    void kitSaveTargets()
    {
        const QString folder = path("kits");
        QDir(m_dir.path()).mkpath("kits/A");
        QVERIFY(kf::writeFile(folder + "/K001.INI", "old"));
        QVERIFY(kf::writeFile(folder + "/A.B.INI", "old"));
        QVERIFY(kf::writeFile(folder + "/A/B.INI", "old"));
        QVector<QString> names(KIT_MAX_COUNT);
        names[0] = "K001";
        names[2] = "A.B";
        names[3] = "New";
        names[4] = "New";
        names[5] = "A/B";
        names[6] = "..";
        names[7] = "K001";
        QStringList asked;
        QVector<setupfiles::KitTarget> plan = setupfiles::kitTargets(folder, {1, 3, 4, 5, 6, 7, 8}, names);
        const QVector<setupfiles::TargetLook> looks = setupfiles::lookAtTargets(plan, {});
        setupfiles::askOverwrites(plan, looks, [&](const QString &t, const setupfiles::TargetLook &) {
            asked.append(t);
            return true;
        });
        QCOMPARE(plan.size(), 7);
        // A name an earlier kit of the save took is not asked about: it gets "~n".
        QCOMPARE(asked, QStringList({folder + "/K001.INI", folder + "/A.B.INI"}));
        auto check = [&](int i, int kit, const QString &target, bool usable, bool doWrite, bool temporary) {
            const setupfiles::KitTarget &t = plan.at(i);
            QCOMPARE(t.kit, kit);
            QCOMPARE(t.target, target);
            QCOMPARE(t.replaces, target);
            QCOMPARE(t.usable, usable);
            QCOMPARE(t.write, doWrite);
            QCOMPARE(t.temporary, temporary);
        };
        check(0, 1, folder + "/K001.INI", true, true, true);
        check(1, 3, folder + "/A.B.INI", true, true, true);
        check(2, 4, folder + "/New.INI", true, true, false);
        check(3, 5, folder + "/New~1.INI", true, true, false);
        check(4, 6, folder + "/A/B.INI", false, true, false);
        check(5, 7, folder + "/...INI", false, true, false);
        check(6, 8, folder + "/K001~1.INI", true, true, false);
    }

    void kitFilesReadByKitNumber()
    {
        QCOMPARE(setupfiles::kitLoadOrder({7, 2, 50}), QVector<int>({1, 0, 2}));
        QCOMPARE(setupfiles::kitLoadOrder({100, 42, 7}), QVector<int>({2, 1, 0}));
        // Two files of kit 5 are read twice each, in record order.
        QCOMPARE(setupfiles::kitLoadOrder({5, 3, 5}), QVector<int>({1, 0, 2, 0, 2}));
        QCOMPARE(setupfiles::kitLoadOrder({}), QVector<int>());
    }

    void soundsOfOneKitFileDropped()
    {
        const QString kitFile = "/k/K005.INI";
        QVERIFY(setupfiles::StoredIn(ztplatform::systemDisk(), kitFile)("/k/K005.INI:U00003"));
        QVERIFY(setupfiles::StoredIn(ztplatform::systemDisk(), "/k/K005.INI")("/k/K005.INI:U00003"));
        QVERIFY(!setupfiles::StoredIn(ztplatform::systemDisk(), kitFile)("/k/k005.INI:U00003"));   // letter case counts
        QVERIFY(!setupfiles::StoredIn(ztplatform::systemDisk(), kitFile)("/k/K005.INI:U0003"));    // four digits name no sound
        QVERIFY(!setupfiles::StoredIn(ztplatform::systemDisk(), "/k/K005.I")("/k/K005.INI.a.wav")); // a plain file never matches
        QVERIFY(!setupfiles::StoredIn(ztplatform::systemDisk(), kitFile)("/k/K005.INI:U00003x"));

        QVector<Records::SOUND_INDEX> library = {plainSound("A", kitFile + ":U00000", 1),
                                                 plainSound("B", "/k/a.wav", 2),
                                                 plainSound("C", kitFile + ":U00001", 3)};
        QCOMPARE(setupfiles::removeKitFileSounds(library, setupfiles::StoredIn(ztplatform::systemDisk(), kitFile)), 2);
        QCOMPARE(library.size(), 1);
        QCOMPARE(library.at(0).file, QString("/k/a.wav"));
    }
};

QTEST_GUILESS_MAIN(TestSetupWrite)
#include "test_setupwrite.moc"

#include "platform/anchoredfolder.h"
#include "platform/disk.h"
#include "support/passdisk.h"
#include "platform/durablefile.h"
#include "platform/inplacefile.h"

#include <QDir>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

namespace {
int g_syncs = 0;
// The first sync fails, the ones after it succeed.
int failFirstSync(int, bool)
{
    if (g_syncs++ > 0)
        return 0;
    errno = EIO;
    return -1;
}
} // namespace

class TestInPlaceFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString make(const QString &name, const QByteArray &bytes)
    {
        const QString p = dir.filePath(name);
        QFile f(p);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        return p;
    }

    static QByteArray contents(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void changesBytesInPlace()
    {
        const QString p = make("rec.bin", QByteArray(4096 + 17, 'x'));
        InPlaceFile mf;
        QVERIFY(mf.open(ztplatform::systemDisk(), p));
        QVERIFY(mf.isOpen());
        QCOMPARE(mf.size(), qint64(4096 + 17));
        QVERIFY(mf.writeAt(0, "A"));
        QVERIFY(mf.writeAt(4096 + 16, "Z"));
        QCOMPARE(mf.readAt(4096 + 15, 8), QByteArray("xZ")); // reads end with the file
        QVERIFY(!mf.writeAt(4096 + 16, "ZZ")); // never extended
        mf.close();
        QVERIFY(!mf.isOpen());
        QByteArray expect(4096 + 17, 'x');
        expect[0] = 'A';
        expect[4096 + 16] = 'Z';
        QCOMPARE(contents(p), expect);
    }

    // A sync that failed once leaves the range unknown, even when the old
    // bytes are written back and a later sync succeeds.
    void failedSyncMayDamage()
    {
        const QString p = make("s.bin", QByteArray(8, 'o'));
        InPlaceFile mf;
        AnsweringSyncs disk(&failFirstSync);
        QVERIFY(mf.open(disk, p));
        g_syncs = 0;
        QVERIFY(!mf.writeAt(2, "NN"));
        QCOMPARE(g_syncs, 2);
        QVERIFY(mf.restoreFailed());
        QCOMPARE(contents(p), QByteArray(8, 'o'));
    }

    void closesOnDestruction()
    {
        const QString p = make("d.bin", QByteArray(10, '0'));
        {
            InPlaceFile mf;
            QVERIFY(mf.open(ztplatform::systemDisk(), p));
            QVERIFY(mf.writeAt(9, "9"));
        }
        QCOMPARE(contents(p), QByteArray("0000000009"));
        InPlaceFile again;
        QVERIFY(again.open(ztplatform::systemDisk(), p)); // the lock went with the first object
    }

    void missingFileIsNotCreated()
    {
        const QString p = dir.filePath("nope.bin");
        InPlaceFile mf;
        QVERIFY(!mf.open(ztplatform::systemDisk(), p));
        QVERIFY(!mf.errorString().isEmpty());
        QVERIFY(!QFile::exists(p));
        QVERIFY(!mf.writeAt(0, "x"));
        QVERIFY(mf.readAt(0, 1).isEmpty());
    }

    void refusesEmptyFilesAndDirectories()
    {
        const QString p = make("empty.bin", QByteArray());
        InPlaceFile mf;
        QVERIFY(mf.open(ztplatform::systemDisk(), p));
        QVERIFY(!mf.writeAt(0, "x"));
        mf.close();
        QCOMPARE(QFileInfo(p).size(), qint64(0));
        QVERIFY(!mf.open(ztplatform::systemDisk(), dir.path()));
    }

    void lockIsExclusive()
    {
        const QString p = make("locked.bin", QByteArray(8, 'l'));
        InPlaceFile first;
        QVERIFY(first.open(ztplatform::systemDisk(), p));
        InPlaceFile second;
        QVERIFY(!second.open(ztplatform::systemDisk(), p));
        first.close();
        QVERIFY(second.open(ztplatform::systemDisk(), p));
    }

    // Reached from a recorded root, a file opens only while every folder on
    // its way is the tree's own: not through a link, not at another root.
    void opensBelowItsRootOnly()
    {
        const QString root = dir.filePath("pad"), file = root + "/ZT350/KIT/k001.ini";
        QVERIFY(QDir().mkpath(root + "/ZT350/KIT"));
        make("pad/ZT350/KIT/k001.ini", QByteArray(8, 'k'));
        const ztplatform::FolderAnchor anchor = ztplatform::FolderAnchor::record(root);
        auto opens = [&anchor, &file](ztplatform::Reach expected) {
            QString name;
            ztplatform::Reach reach = ztplatform::Reach::Inside;
            const ztplatform::OpenFolder folder = anchor.openFolderOf(file, &name, &reach);
            InPlaceFile mf;
            return reach == expected && (reach == ztplatform::Reach::Inside) == mf.open(folder, name);
        };
        QVERIFY(opens(ztplatform::Reach::Inside));
        QVERIFY(QDir().rename(root + "/ZT350/KIT", dir.filePath("KIT")));
        QVERIFY(QFile::link(dir.filePath("KIT"), root + "/ZT350/KIT"));
        QVERIFY(opens(ztplatform::Reach::Outside));
        QVERIFY(QDir().rename(root, dir.filePath("first")) && QDir().mkpath(root + "/ZT350/KIT"));
        make("pad/ZT350/KIT/k001.ini", QByteArray(8, 'k'));
        QVERIFY(opens(ztplatform::Reach::Replaced));
    }
};

QTEST_GUILESS_MAIN(TestInPlaceFile)
#include "test_inplacefile.moc"

// Files synced to the disk and renamed over their targets in one step.
#include "platform/durablefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDurableFile : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }

private slots:
    void syncAndReplace()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("SET.bin"), fresh = dir.filePath("SET000000000.bin");
        write(target, "old");
        QFile f(fresh);
        QVERIFY(!ztplatform::syncFile(f)); // not open
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("new bytes");
        QVERIFY(ztplatform::syncFile(f));
        f.close();
        QCOMPARE(read(fresh), QByteArray("new bytes"));

        QVERIFY(ztplatform::renameOver(fresh, target));
        QCOMPARE(read(target), QByteArray("new bytes"));
        QVERIFY(!QFile::exists(fresh));

        // A rename that cannot happen leaves the target as it was.
        QVERIFY(!ztplatform::renameOver(fresh, target));
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        write(fresh, "other");
        QVERIFY(!ztplatform::renameOver(fresh, dir.filePath("folder")));
        QVERIFY(!ztplatform::renameOver(fresh, dir.filePath("missing/SET.bin")));
        QCOMPARE(read(target), QByteArray("new bytes"));
        QCOMPARE(read(fresh), QByteArray("other"));

        // A file and its folder synced by path; nothing there is no sync.
        QVERIFY(ztplatform::syncPath(target));
        QVERIFY(ztplatform::syncPath(dir.path()));
        QVERIFY(!ztplatform::syncPath(dir.filePath("missing")));
        QVERIFY(!ztplatform::syncPath(QString()));
        QCOMPARE(read(target), QByteArray("new bytes"));
    }
};

QTEST_GUILESS_MAIN(TestDurableFile)
#include "test_durablefile.moc"

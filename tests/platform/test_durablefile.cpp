// Files synced to the disk and renamed over their targets in one step.
#include "platform/durablefile.h"
#include "platform/replacefile.h"

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
    // `bytes` written to replace `target`; true when they took its place.
    static bool replace(const QString &target, const QByteArray &bytes)
    {
        ztplatform::ReplaceFile f(target);
        return f.open() && f.write(bytes) && f.commit();
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
        QVERIFY(QFile::remove(fresh));

        QVERIFY(replace(target, "new bytes"));
        QCOMPARE(read(target), QByteArray("new bytes"));
        QVERIFY(!QFile::exists(fresh));

        // A rename that cannot happen leaves the target as it was.
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QVERIFY(!replace(dir.filePath("folder"), "other"));
        QVERIFY(!replace(dir.filePath("missing/SET.bin"), "other"));
        QCOMPARE(read(target), QByteArray("new bytes"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"SET.bin"}));

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

#include "platform/mappedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestMappedFile : public QObject
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
        MappedFile mf;
        QVERIFY(mf.open(p));
        QVERIFY(mf.isOpen());
        QCOMPARE(mf.size(), qint64(4096 + 17));
        char *v = mf.map();
        QVERIFY(v);
        QCOMPARE(mf.map(), v); // mapping twice gives the same view
        v[0] = 'A';
        v[4096 + 16] = 'Z';
        QVERIFY(mf.flush());
        mf.close();
        QVERIFY(!mf.isOpen());
        QByteArray expect(4096 + 17, 'x');
        expect[0] = 'A';
        expect[4096 + 16] = 'Z';
        QCOMPARE(contents(p), expect);
    }

    void closesOnDestruction()
    {
        const QString p = make("d.bin", QByteArray(10, '0'));
        {
            MappedFile mf;
            QVERIFY(mf.open(p));
            mf.map()[9] = '9';
        }
        QCOMPARE(contents(p), QByteArray("0000000009"));
        MappedFile again;
        QVERIFY(again.open(p)); // the lock went with the first object
    }

    void missingFileIsNotCreated()
    {
        const QString p = dir.filePath("nope.bin");
        MappedFile mf;
        QVERIFY(!mf.open(p));
        QVERIFY(!mf.errorString().isEmpty());
        QVERIFY(!QFile::exists(p));
        QVERIFY(!mf.map());
        QVERIFY(!mf.flush());
    }

    void refusesEmptyFilesAndDirectories()
    {
        const QString p = make("empty.bin", QByteArray());
        MappedFile mf;
        QVERIFY(mf.open(p));
        QVERIFY(!mf.map());
        mf.close();
        QCOMPARE(QFileInfo(p).size(), qint64(0));
        QVERIFY(!mf.open(dir.path()));
    }

    void lockIsExclusive()
    {
        const QString p = make("locked.bin", QByteArray(8, 'l'));
        MappedFile first;
        QVERIFY(first.open(p));
        MappedFile second;
        QVERIFY(!second.open(p));
        first.close();
        QVERIFY(second.open(p));
    }
};

QTEST_GUILESS_MAIN(TestMappedFile)
#include "test_mappedfile.moc"

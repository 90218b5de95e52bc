#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/fileidentity.h"
#include "platform/pathcase.h"
#include "support/passdisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace ztplatform;

namespace {

bool replacesEntryOf(const QString &target, const QString &loaded)
{
    return ztplatform::replacesEntryOf(RenameTarget(ztplatform::systemDisk(), target), ReachedPath(ztplatform::systemDisk(), loaded));
}

bool replacesLinkOf(const QString &target, const QString &loaded)
{
    return ztplatform::replacesLinkOf(RenameTarget(ztplatform::systemDisk(), target), ReachedPath(ztplatform::systemDisk(), loaded));
}

// What stands at `path` opened as the editor looks at it; closed when it goes.
Descriptor opened(const QString &path, int flags)
{
    return Descriptor(path.isEmpty() ? -1 : systemDisk().openAt(AT_FDCWD, QFile::encodeName(path), flags | O_CLOEXEC));
}

} // namespace

class TestPathCase : public QObject
{
    Q_OBJECT

private slots:
    void resolvesIgnoringCase()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("zt350/Wav_Prm/001"));
        QFile f(dir.path() + "/zt350/Wav_Prm/001/001.prm");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        const QString expected = dir.path() + "/zt350/Wav_Prm/001/001.prm";
        QCOMPARE(resolvePathCaseInsensitive(systemDisk(), dir.path(), "ZT350/WAV_PRM/001/001.PRM"), expected);
        QCOMPARE(resolvePathCaseInsensitive(systemDisk(), dir.path(), "zt350/Wav_Prm/001/001.prm"), expected);
        QCOMPARE(resolvePathCaseInsensitive(systemDisk(), dir.path() + "/ZT350/WAV_PRM/001/001.prm"), expected);
        QCOMPARE(resolvePathCaseInsensitive(systemDisk(), dir.path(), "./ZT350//wav_prm/"), dir.path() + "/zt350/Wav_Prm");
        QVERIFY(resolvePathCaseInsensitive(systemDisk(), dir.path(), "ZT350/WAV_DATA").isEmpty());
        QVERIFY(resolvePathCaseInsensitive(systemDisk(), dir.path() + "/nope", "x").isEmpty());
        QVERIFY(resolvePathCaseInsensitive(systemDisk(), QString()).isEmpty());
        QCOMPARE(findEntryIgnoringCase(systemDisk(), dir.path(), "Zt350"), dir.path() + "/zt350");
        QVERIFY(findEntryIgnoringCase(systemDisk(), dir.path(), QString()).isEmpty());
    }

    void exactSpellingWins()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("KIT"));
        QVERIFY(QDir(dir.path()).mkpath("kit"));
        QCOMPARE(findEntryIgnoringCase(systemDisk(), dir.path(), "kit"), dir.path() + "/kit");
        QCOMPARE(findEntryIgnoringCase(systemDisk(), dir.path(), "KIT"), dir.path() + "/KIT");
    }

    // One file by any path: a link to its folder, "." and ".."; a file put
    // in its place by a rename is another; paths to nothing compare as text.
    void sameFileByAnyPath()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath("real"), file = real + "/K002.INI";
        QVERIFY(QDir().mkpath(real) && QFile::link(real, dir.filePath("link")));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString byLink = dir.filePath("link/K002.INI"), byDots = real + "/./../real/K002.INI";
        QVERIFY(fileIdentity(ztplatform::systemDisk(), file).valid);
        QVERIFY(fileIdentity(ztplatform::systemDisk(), file) == fileIdentity(ztplatform::systemDisk(), byLink));
        QVERIFY(sameFile(ztplatform::systemDisk(), file, byLink) && sameFile(ztplatform::systemDisk(), byDots, file));
        QVERIFY(!sameFile(ztplatform::systemDisk(), file, real) && !sameFile(ztplatform::systemDisk(), file, QString()));
        QVERIFY(sameFile(ztplatform::systemDisk(), real + "/gone", dir.filePath("real/../real/gone")));
        QVERIFY(!sameFile(ztplatform::systemDisk(), real + "/gone", dir.filePath("link/gone")));
        const SameFileAs same(ztplatform::systemDisk(), byLink);
        QVERIFY(same(file) && same(byDots) && !same(real) && !same(dir.filePath("link/gone")));

        const FileIdentity before = fileIdentity(ztplatform::systemDisk(), file);
        QVERIFY(QFile::copy(file, real + "/new") && QFile::remove(file) && QFile::rename(real + "/new", file));
        QVERIFY(fileIdentity(ztplatform::systemDisk(), file) != before);
        QVERIFY(sameFile(ztplatform::systemDisk(), file, byLink));
    }

    // An entry stands at a file, a folder and a link that leads nowhere.
    void entryExistsForAnyEntry()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("file"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(dir.path()).mkdir("folder") && QFile::link(dir.filePath("gone"), dir.filePath("dangling")));
        QVERIFY(entryExists(ztplatform::systemDisk(), f.fileName()) && entryExists(ztplatform::systemDisk(), dir.filePath("folder")));
        QVERIFY(entryExists(ztplatform::systemDisk(), dir.filePath("dangling")));
        QVERIFY(!entryExists(ztplatform::systemDisk(), dir.filePath("gone")) && !entryExists(ztplatform::systemDisk(), QString()));
    }

    // A rename over a symbolic link replaces the link, over a hard link that
    // other name: neither replaces the entry the file was loaded by. A save
    // writes through a link to a file, and so replaces that file's entry.
    void replacedEntryByLinks()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("K002.INI");
        const QString soft = dir.filePath("SOFT.INI"), hard = dir.filePath("HARD.INI");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QFile::link(file, soft) && ::link(QFile::encodeName(file), QFile::encodeName(hard)) == 0);
        QVERIFY(replacesEntryOf(dir.filePath("./K002.INI"), soft) && !replacesEntryOf(soft, file));
        QVERIFY(!replacesEntryOf(hard, file) && !replacesEntryOf(file, hard));
        QCOMPARE(writeThroughTarget(ztplatform::systemDisk(), soft), QFileInfo(file).canonicalFilePath());
        QCOMPARE(writeThroughTarget(ztplatform::systemDisk(), hard), hard);
        QVERIFY(replacesEntryOf(writeThroughTarget(ztplatform::systemDisk(), soft), file));
        // A rename over the link itself cuts the path loaded by it off its file.
        QVERIFY(replacesLinkOf(soft, soft) && !replacesLinkOf(file, soft) && !replacesLinkOf(hard, file));
    }

    // Sizes, write permission and links are looked at through the disk: one
    // whose looks fail finds nothing, one that refuses the user a write finds
    // the file read-only, and a link it cannot read leads nowhere.
    void looksGoThroughTheDisk()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("K002.INI"), link = dir.filePath("LINK.INI");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("12345") == 5);
        f.close();
        QVERIFY(::symlink("K002.INI", QFile::encodeName(link).constData()) == 0);
        Disk &disk = systemDisk();
        QCOMPARE(sizeAtPath(disk, link), qint64(5));
        QCOMPARE(sizeAtPath(disk, dir.filePath("missing")), qint64(-1));
        QCOMPARE(linkTargetAt(disk, link), QFileInfo(file).absoluteFilePath());
        QVERIFY(linkTargetAt(disk, file).isEmpty());
        QVERIFY(!writeRefusedAt(disk, file) && !writeRefusedAt(disk, dir.filePath("missing")));
        QVERIFY(f.setPermissions(QFile::ReadOwner));
        QVERIFY(writeRefusedAt(disk, link));
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner));

        struct Refusing : PassDisk
        {
            int statAt(int, const QByteArray &, struct stat *, int) override { return fail(); }
            int readLinkAt(int, const QByteArray &, QByteArray *) override { return fail(); }
            int accessAt(int, const QByteArray &, int, int) override { return fail(); }
            static int fail()
            {
                errno = EIO;
                return -1;
            }
        } refusing;
        QCOMPARE(sizeAtPath(refusing, file), qint64(-1));
        QVERIFY(linkTargetAt(refusing, link).isEmpty());
        QVERIFY(!writeRefusedAt(refusing, file));
        struct AccessRefused : PassDisk
        {
            int accessAt(int, const QByteArray &, int, int) override
            {
                errno = EACCES;
                return -1;
            }
        } accessRefused;
        QVERIFY(writeRefusedAt(accessRefused, file));

        // The link walk of a save's target reads the links through the editor's disk.
        QVERIFY(replacesLinkOf(link, link));
        struct LinksUnread : PassDisk
        {
            int readLinkAt(int, const QByteArray &, QByteArray *) override { return Refusing::fail(); }
        } linksUnread;
        QVERIFY(!ztplatform::replacesLinkOf(RenameTarget(linksUnread, link), ReachedPath(linksUnread, link)));
    }

    void fatAttributesOnlyOnFat()
    {
        // A temporary folder is not on FAT: nothing is taken for hidden.
        QTemporaryDir dir;
        QFile f(dir.path() + "/System Volume Information");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!isOnFatVolume(systemDisk(), opened(dir.path(), O_PATH).get()));
        QVERIFY(!isOnFatVolume(systemDisk(), opened(QString(), O_PATH).get()));
        const int look = O_RDONLY | O_NONBLOCK | O_NOFOLLOW;
        QVERIFY(!hasFatHiddenOrSystemAttribute(systemDisk(), opened(f.fileName(), look).get()));
        QVERIFY(!hasFatHiddenOrSystemAttribute(systemDisk(), opened(dir.path() + "/missing", look).get()));
    }
};

QTEST_GUILESS_MAIN(TestPathCase)
#include "test_pathcase.moc"

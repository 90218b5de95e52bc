// Files that take their target's place only once whole: the temporary made
// without following links, removed unless renamed, the mode kept, and every
// failed sync reported.
#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

using ztplatform::ReplaceFile;

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

int modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

int failFolders(int fd, bool)
{
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EIO;
        return -1;
    }
    return 0;
}

int failAll(int, bool)
{
    errno = EIO;
    return -1;
}

} // namespace

class TestReplaceFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void cleanup()
    {
        ztplatform::setSyncCall(nullptr);
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    void replacesWholeKeepingTheMode()
    {
        QVERIFY(write(path("s.bin"), "old"));
        QVERIFY(QFile::setPermissions(path("s.bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(modeOf(path("s.bin")), 0640);
        {
            ReplaceFile f(path("s.bin"));
            QVERIFY(f.open());
            QCOMPARE(f.temporaryPath(), path("s000000000.bin"));
            QVERIFY(f.write("new ") && f.file().write("bytes") == 5);
            QVERIFY(f.readBack([](const QString &p) { return read(p) == "new bytes"; }));
            QCOMPARE(read(path("s.bin")), QByteArray("old"));
            QVERIFY(f.commit() && f.isRenamed() && !f.failed());
        }
        QCOMPARE(read(path("s.bin")), QByteArray("new bytes"));
        QCOMPARE(modeOf(path("s.bin")), 0640);
        QCOMPARE(entries(), QStringList({"s.bin"}));

        // A new file gets the mode any new file gets.
        QVERIFY(write(path("plain"), ""));
        ReplaceFile fresh(path("fresh.txt"));
        QVERIFY(fresh.open() && fresh.write("x") && fresh.commit());
        QCOMPARE(modeOf(path("fresh.txt")), modeOf(path("plain")));
    }

    // A link at a temporary's name is a taken name, also when it leads
    // nowhere: the next number is tried, the link's far end never made.
    // A link at the target is replaced itself.
    void linksAreNeverWrittenThrough()
    {
        QVERIFY(write(path("s.bin"), "old"));
        QVERIFY(QFile::link(path("far.bin"), path("s000000000.bin")));
        QVERIFY(write(path("other.bin"), "other"));
        QVERIFY(QFile::link(path("other.bin"), path("t.bin")));
        {
            ReplaceFile s(path("s.bin")), t(path("t.bin"));
            QVERIFY(s.open() && t.open());
            QCOMPARE(s.temporaryPath(), path("s000000001.bin"));
            QVERIFY(s.write("new s") && t.write("new t") && s.commit() && t.commit());
        }
        QVERIFY(!QFile::exists(path("far.bin")));
        QVERIFY(QFileInfo(path("s000000000.bin")).isSymLink());
        QVERIFY(!QFileInfo(path("s.bin")).isSymLink());
        QCOMPARE(read(path("s.bin")), QByteArray("new s"));
        QVERIFY(!QFileInfo(path("t.bin")).isSymLink());
        QCOMPARE(read(path("t.bin")), QByteArray("new t"));
        QCOMPARE(read(path("other.bin")), QByteArray("other"));
    }

    // Several files of one save share one counter and pass over the names it
    // holds; what is not renamed goes with the object unless kept.
    void uncommittedTemporariesGo()
    {
        QVERIFY(write(path("K001.INI"), "old"));
        QVERIFY(write(path("K001000000000.ini"), "left over"));
        int counter = 0;
        auto skip = [this](const QString &p) { return p == path("K001000000001.ini"); };
        QString kept;
        {
            ReplaceFile a(path("K001.INI")), b(path("K001.INI")), c(path("K001.INI"));
            a.setTemporaryNames(".ini", &counter, skip);
            b.setTemporaryNames(".ini", &counter, skip);
            QVERIFY(a.open() && b.open() && a.write("a") && b.write("b"));
            QCOMPARE(a.temporaryPath(), path("K001000000002.ini"));
            QCOMPARE(b.temporaryPath(), path("K001000000003.ini"));
            QCOMPARE(counter, 4);
            QVERIFY(b.finish());
            kept = b.keep();
            QVERIFY(c.open());
            QVERIFY(!c.readBack([](const QString &) { return false; }));
            QCOMPARE(c.failedStep(), ReplaceFile::Step::ReadBack);
            QVERIFY(!c.commit() && !c.isRenamed());
        }
        QCOMPARE(kept, path("K001000000003.ini"));
        QCOMPARE(read(kept), QByteArray("b"));
        QCOMPARE(read(path("K001.INI")), QByteArray("old"));
        QCOMPARE(entries(), QStringList({"K001.INI", "K001000000000.ini", "K001000000003.ini"}));

        // A new file that finds something at its name by the rename leaves it.
        ReplaceFile d(path("new.ini"));
        d.setCreateOnly(true);
        QVERIFY(d.open() && d.write("d"));
        QVERIFY(write(path("new.ini"), "theirs"));
        QVERIFY(!d.commit() && d.failedStep() == ReplaceFile::Step::Rename);
        QCOMPARE(read(path("new.ini")), QByteArray("theirs"));
    }

    void failedSyncsAreReported()
    {
        QVERIFY(write(path("a.ini"), "old"));
        ztplatform::setSyncCall(&failAll);
        {
            ReplaceFile f(path("a.ini"));
            QVERIFY(f.open() && f.write("new"));
            QVERIFY(!f.commit());
            QCOMPARE(f.failedStep(), ReplaceFile::Step::Sync);
            QVERIFY(!f.isRenamed());
            QVERIFY(!f.errorString().isEmpty());
        }
        QCOMPARE(read(path("a.ini")), QByteArray("old"));
        QCOMPARE(entries(), QStringList({"a.ini"}));

        // The folder's entry that did not reach the disk: renamed, not committed.
        ztplatform::setSyncCall(&failFolders);
        ReplaceFile f(path("a.ini"));
        QVERIFY(f.open() && f.write("new"));
        QVERIFY(!f.commit());
        QCOMPARE(f.failedStep(), ReplaceFile::Step::FolderSync);
        QVERIFY(f.isRenamed());
        QCOMPARE(read(path("a.ini")), QByteArray("new"));
    }

    // From an opened folder: its entries only, reached by its descriptor.
    void fromAnOpenedFolder()
    {
        QVERIFY(QDir().mkpath(path("pad/SYS")));
        QVERIFY(write(path("pad/SYS/alter.ini"), "old"));
        const ztplatform::FolderAnchor anchor = ztplatform::FolderAnchor::record(path("pad"));
        const ztplatform::OpenFolder sys = anchor.openFolder(path("pad/SYS"));
        QVERIFY(sys.isOpen());
        ReplaceFile f(sys, "alter.ini");
        QVERIFY(f.open() && f.write("new"));
        QVERIFY(f.readBack([](const QString &p) { return read(p) == "new"; }));
        QVERIFY(f.commit());
        QCOMPARE(read(path("pad/SYS/alter.ini")), QByteArray("new"));
        QCOMPARE(QDir(path("pad/SYS")).entryList(QDir::Files), QStringList({"alter.ini"}));
        ReplaceFile bad(sys, "../alter.ini");
        QVERIFY(!bad.open());
    }

    // The stop seam: a replacement stopped at any call, with what was not
    // synced dropped, leaves the old bytes or the new, never a mix; a write
    // renamed without a sync loses its bytes under the same stop.
    void stoppedAtEveryCall()
    {
        namespace io = ztplatform::sysio;
        QTemporaryDir dir;
        const QString target = dir.filePath("kit.ini");
        auto replace = [&] {
            ReplaceFile file(target);
            file.open() && file.write("new bytes") && file.commit();
        };
        QVERIFY(write(target, "old"));
        io::resetCount();
        replace();
        const int calls = io::callCount();
        QVERIFY(calls >= 5); // create, write, sync, rename, folder sync
        for (int n = 1; n <= calls + 1; ++n) {
            QVERIFY(write(target, "old"));
            io::stopAt(n, true);
            replace();
            QCOMPARE(io::stopped(), n <= calls);
            io::resume();
            const QByteArray now = read(target);
            QVERIFY2(now == "old" || now == "new bytes", qPrintable(QString("%1: %2").arg(n).arg(now.constData())));
        }
        const QString bare = dir.filePath("bare.ini");
        io::stopAt(4, true); // create, write, rename; the file's sync stops
        const int fd = io::open(bare + ".tmp", O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(io::writeAll(fd, "lost", 4));
        QCOMPARE(io::renameAt(AT_FDCWD, QFile::encodeName(bare + ".tmp"), AT_FDCWD, QFile::encodeName(bare)), 0);
        QVERIFY(io::sync(fd) != 0 && errno == EIO);
        ::close(fd);
        QVERIFY(!QDir(dir.path()).exists("bare.ini") && !QDir(dir.path()).exists("bare.ini.tmp"));
        io::resume();
    }
};

QTEST_GUILESS_MAIN(TestReplaceFile)
#include "test_replacefile.moc"

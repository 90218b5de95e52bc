// Temporary folders of runs: kept while their run lives, removed by a later
// start once it is gone, nothing else touched.
#include "platform/runfolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using ztplatform::RunFolder;

namespace {

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The folders of `dir` whose names start with `prefix`.
QStringList foldersOf(const QString &dir, const QString &prefix)
{
    return QDir(dir).entryList({prefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Everything below `dir`, as relative paths, links not followed.
QStringList tree(const QString &dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

// True when no process holds the lock file at `path`.
bool lockIsFree(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0)
        ::close(fd);
    return free;
}

// TMPDIR points at `dir` while it lives.
struct TempFolderAt {
    QByteArray old = qgetenv("TMPDIR");
    explicit TempFolderAt(const QString &dir) { qputenv("TMPDIR", QFile::encodeName(dir)); }
    ~TempFolderAt()
    {
        if (old.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", old);
    }
};

} // namespace

class TestRunFolders : public QObject
{
    Q_OBJECT

private slots:
    void liveFolderStaysAndGoesWithItsRun()
    {
        QTemporaryDir tmp;
        TempFolderAt at(tmp.path());
        QString path;
        {
            RunFolder folder(QStringLiteral("zt350conv-"));
            QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
            path = folder.path();
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(tmp.path()).absoluteFilePath());
            QVERIFY(QFileInfo(path).fileName().contains(QRegularExpression("^zt350conv-[A-Za-z0-9]{6}$")));
            QVERIFY(QFileInfo(folder.filePath(ztplatform::runFolderLockName())).isFile());
            touch(folder.filePath("0"));
            QDir(path).mkpath("sub/deeper");
            touch(path + "/sub/deeper/1");
            // Its run lives: a start leaves it.
            QVERIFY(ztplatform::removeDeadRunFolders(tmp.path()).isEmpty());
            QVERIFY(QFileInfo(path).isDir());
        }
        QVERIFY(!QFileInfo::exists(path));
    }

    void killedConversionIsRemovedAtTheNextStart()
    {
        QTemporaryDir tmp, work, outside;
        TempFolderAt at(tmp.path());
        // A run that lives (this test), others' entries and names that only look alike.
        RunFolder live(QStringLiteral("zt350probe-"));
        QVERIFY(live.isValid());
        touch(live.filePath("0"));
        touch(tmp.path() + "/zt350conv-notes");
        QDir(tmp.path()).mkpath("zt350conv-ABCDE");     // five letters
        QDir(tmp.path()).mkpath("zt350convX-ABCDEF");
        QDir(tmp.path()).mkpath("other/zt350conv-ABCDEF");
        QDir(tmp.path()).mkpath("zt350wave-Fresh1");    // no lock, just made
        touch(outside.path() + "/kept");
        QVERIFY(QFile::link(outside.path(), tmp.path() + "/zt350play-Linked"));
        QDir(tmp.path()).mkpath("zt350play-Holder");    // a dead run's folder holding a link out
        touch(tmp.path() + "/zt350play-Holder/" + ztplatform::runFolderLockName());
        QVERIFY(QFile::link(outside.path(), tmp.path() + "/zt350play-Holder/out"));

        // A conversion whose ffmpeg runs on until the test ends it.
        const QString in = work.filePath("in.wav");
        touch(in);
        QVERIFY(QDir(work.path()).mkpath("bin"));
        QFile fake(work.filePath("bin/ffmpeg"));
        QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("#!/bin/sh\necho $$ > '" + QFile::encodeName(work.filePath("ffmpeg.pid"))
                                                         + "'\nexec sleep 20\n")
                        > 0);
        fake.close();
        QVERIFY(fake.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", work.filePath("bin") + ":" + env.value("PATH"));
        child.setProcessEnvironment(env);
        child.setProgram(QCoreApplication::applicationDirPath() + "/platform_convertchild");
        child.setArguments({in, work.filePath("out.wav")});
        child.start();
        QVERIFY(child.waitForStarted());
        QStringList conv;
        QTRY_VERIFY_WITH_TIMEOUT(
                (conv = foldersOf(tmp.path(), "zt350conv-").filter(QRegularExpression("-[A-Za-z0-9]{6}$"))).size()
                                == 1
                        && QFileInfo(tmp.path() + "/" + conv.first() + "/" + ztplatform::runFolderLockName()).isFile(),
                60000);
        const QString killed = tmp.path() + "/" + conv.first();
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QVERIFY(QFileInfo(killed).isDir()); // the kill left it
        // An ffmpeg forked as the kill came holds the lock until its exec
        // closes it; the ffmpeg that runs on never does.
        QTRY_VERIFY(lockIsFree(killed + "/" + ztplatform::runFolderLockName()));

        // A folder of an older editor, untouched for two hours, and its scratch
        // files: one as old, one just written, and one that only looks alike.
        const QString old = tmp.path() + "/zt350conv-Old123";
        QDir().mkpath(old + "/inside");
        touch(old + "/inside/0");
        const struct utimbuf twoHoursAgo = {::time(nullptr) - 7200, ::time(nullptr) - 7200};
        QCOMPARE(::utime(QFile::encodeName(old).constData(), &twoHoursAgo), 0);
        const QString oldScratch = tmp.path() + "/zt350editor.Glob12";
        touch(oldScratch);
        touch(tmp.path() + "/zt350editor.Fresh1");
        touch(tmp.path() + "/zt350editor.Glob1");
        for (const QString &file : {oldScratch, tmp.path() + "/zt350editor.Glob1"})
            QCOMPARE(::utime(QFile::encodeName(file).constData(), &twoHoursAgo), 0);

        const QStringList before = tree(tmp.path());
        QStringList removed = ztplatform::removeDeadRunFolders(tmp.path());
        QStringList gone{killed, old, tmp.path() + "/zt350play-Holder", oldScratch};
        removed.sort();
        gone.sort();
        QCOMPARE(removed, gone);
        QStringList expected;
        for (const QString &entry : before) {
            if (!entry.startsWith(QFileInfo(killed).fileName()) && !entry.startsWith("zt350conv-Old123")
                && !entry.startsWith("zt350play-Holder") && entry != "zt350editor.Glob12")
                expected << entry;
        }
        QCOMPARE(tree(tmp.path()), expected);
        QVERIFY(QFileInfo(live.filePath("0")).isFile());
        QCOMPARE(tree(outside.path()), QStringList{"kept"});

        // The orphaned ffmpeg ends.
        QFile pid(work.filePath("ffmpeg.pid"));
        if (pid.open(QIODevice::ReadOnly))
            ::kill(pid_t(pid.readAll().trimmed().toInt()), SIGKILL);
    }

    void anotherUsersFolderStays()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to give a folder away");
        QTemporaryDir tmp;
        const QString theirs = tmp.path() + "/zt350conv-Theirs";
        QDir().mkpath(theirs);
        QCOMPARE(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
        touch(theirs + "/" + ztplatform::runFolderLockName());
        QVERIFY(ztplatform::removeDeadRunFolders(tmp.path()).isEmpty());
        QVERIFY(QFileInfo(theirs).isDir());
    }
};

QTEST_GUILESS_MAIN(TestRunFolders)
#include "test_runfolders.moc"

// Files synced to the disk and renamed over their targets in one step.
#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/durablewrite.h"
#include "platform/replacefile.h"
#include "support/passdisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Step = ztplatform::DurableWrite::Step;

// A disk that refuses one kind of call (EIO), or reads back other bytes
// than were written.
class RefusingDisk : public PassDisk
{
public:
    explicit RefusingDisk(Step refused)
        : m_refused(refused)
    {
    }
    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
    {
        return m_refused == Step::Create && (flags & O_CREAT) ? refuse() : PassDisk::openAt(dir, name, flags, mode);
    }
    bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override
    {
        return m_refused == Step::Write ? refuse() == 0 : PassDisk::write(fd, data, size, offset);
    }
    qint64 read(int fd, char *data, qint64 size, qint64 offset = -1) override
    {
        const qint64 n = PassDisk::read(fd, data, size, offset);
        if (m_refused == Step::ReadBack && n > 0)
            data[0] ^= 1;
        return n;
    }
    int chmod(int fd, mode_t mode) override
    {
        return m_refused == Step::Mode ? refuse() : PassDisk::chmod(fd, mode);
    }
    int sync(int fd, bool dataOnly = false) override
    {
        struct stat st;
        const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
        if (m_refused == (folder ? Step::FolderSync : Step::Sync))
            return refuse();
        return PassDisk::sync(fd, dataOnly);
    }
    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace = false) override
    {
        return m_refused == Step::Rename ? refuse() : PassDisk::renameAt(fromDir, from, toDir, to, noReplace);
    }

private:
    static int refuse()
    {
        errno = EIO;
        return -1;
    }
    Step m_refused;
};

} // namespace

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
        ztplatform::ReplaceFile f(target, nullptr);
        return f.open() && f.write(bytes) && f.commit();
    }

private slots:
    // Each step of a durable write that fails stops it there, says which and
    // why, refuses every later one, and leaves the target and the folder as
    // they were.
    void durableWriteStopsAtTheFailedStep()
    {
        for (const Step refused : {Step::Create, Step::Write, Step::ReadBack, Step::Mode, Step::Sync, Step::Rename,
                                   Step::FolderSync, Step::None}) {
            QTemporaryDir dir;
            write(dir.filePath("K001.INI"), "old");
            QVERIFY(QFile::setPermissions(dir.filePath("K001.INI"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            RefusingDisk disk(refused);
            const ztplatform::OpenFolder folder(::open(QFile::encodeName(dir.path()).constData(),
                                                       O_RDONLY | O_DIRECTORY | O_CLOEXEC),
                                                &disk);
            bool done = false;
            {
                ztplatform::DurableWrite w(folder);
                done = w.create(".K001.INI.part") && w.write(QByteArray("new bytes")) && w.readBack(QByteArray("new bytes"))
                        && w.keepAttributesOf("K001.INI") && w.commit("K001.INI");
                QCOMPARE(w.failedStep(), refused);
                QCOMPARE(done, refused == Step::None);
                if (!done) {
                    QCOMPARE(errno, EIO);
                    QCOMPARE(w.error(), EIO);
                    QCOMPARE(w.errorString().isEmpty(), false);
                    // Every later step is refused with the first failure.
                    QVERIFY(!w.syncFolder());
                    QCOMPARE(w.failedStep(), refused);
                }
            }
            const bool renamed = done || refused == Step::FolderSync;
            QCOMPARE(read(dir.filePath("K001.INI")), QByteArray(renamed ? "new bytes" : "old"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"K001.INI"}));
            struct stat st;
            QCOMPARE(::stat(QFile::encodeName(dir.filePath("K001.INI")).constData(), &st), 0);
            if (refused != Step::Mode)
                QCOMPARE(int(st.st_mode & 0777), 0600);
        }
    }

    // The create is exclusive and never follows a link; a kept file stays
    // under its name, and a rename that may not replace leaves what stands
    // at the target.
    void durableWriteCreatesOnlyWhatIsNew()
    {
        QTemporaryDir dir;
        write(dir.filePath("taken"), "theirs");
        QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("link")));
        const ztplatform::OpenFolder folder(
                ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (const char *name : {"taken", "link"}) {
            ztplatform::DurableWrite w(folder);
            QVERIFY(!w.create(name));
            QCOMPARE(w.failedStep(), Step::Create);
            QCOMPARE(w.error(), EEXIST);
        }
        QCOMPARE(read(dir.filePath("taken")), QByteArray("theirs"));
        QVERIFY(!QFile::exists(dir.filePath("elsewhere")));
        {
            ztplatform::DurableWrite w(folder);
            QVERIFY(w.createFirstFree([](quint32 n) { return n == 0 ? QString("taken") : QString("free%1").arg(n); }, 3));
            QCOMPARE(w.name(), QString("free1"));
            QVERIFY(w.writeWith([](int fd) { return ::write(fd, "mine", 4) == 4; }) && w.finish() && w.keep());
        }
        QCOMPARE(read(dir.filePath("free1")), QByteArray("mine"));
        {
            ztplatform::DurableWrite w(folder);
            QVERIFY(w.create("staged") && w.write(QByteArray("new")));
            QVERIFY(!w.commit("taken", true));
            QCOMPARE(w.failedStep(), Step::Rename);
            QCOMPARE(w.error(), EEXIST);
        }
        QCOMPARE(read(dir.filePath("taken")), QByteArray("theirs"));
        QVERIFY(!QFile::exists(dir.filePath("staged")));
    }

    void syncAndReplace()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("SET.bin"), fresh = dir.filePath("SET000000000.bin");
        write(target, "old");
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
        QVERIFY(ztplatform::syncPath(ztplatform::systemDisk(), target));
        QVERIFY(ztplatform::syncPath(ztplatform::systemDisk(), dir.path()));
        QVERIFY(!ztplatform::syncPath(ztplatform::systemDisk(), dir.filePath("missing")));
        QVERIFY(!ztplatform::syncPath(ztplatform::systemDisk(), QString()));
        QCOMPARE(read(target), QByteArray("new bytes"));
    }
};

QTEST_GUILESS_MAIN(TestDurableFile)
#include "test_durablefile.moc"

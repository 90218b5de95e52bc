// Files that take their target's place only once whole: the temporary made
// without following links, removed unless renamed, the mode kept, and every
// failed sync reported.
#include "device/bindmount.h"
#include "platform/anchoredfolder.h"
#include "platform/durablefile.h"
#include "platform/filenamebytes.h"
#include "platform/replacefile.h"
#include "support/crashdisk.h"
#include "support/memorytemp.h"
#include "support/passdisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <unistd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>

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
    const std::shared_ptr<ztplatform::Leftovers> m_leftovers = std::make_shared<ztplatform::Leftovers>();

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void cleanup()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    void replacesWholeKeepingTheMode()
    {
        QVERIFY(write(path("s.bin"), "old"));
        QVERIFY(QFile::setPermissions(path("s.bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(modeOf(path("s.bin")), 0640);
        {
            ReplaceFile f(path("s.bin"), m_leftovers);
            QVERIFY(f.open());
            QCOMPARE(f.temporaryPath(), path(".s.bin.0.zt-part"));
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
        ReplaceFile fresh(path("fresh.txt"), m_leftovers);
        QVERIFY(fresh.open() && fresh.write("x") && fresh.commit());
        QCOMPARE(modeOf(path("fresh.txt")), modeOf(path("plain")));
    }

    // A hard-linked target: the rename replaces its one name, and notKept()
    // names the others, which keep the old bytes.
    void otherNamesOfTheReplacedFileAreTold()
    {
        QVERIFY(write(path("s.bin"), "old"));
        QVERIFY(QDir().mkpath(path("sub")));
        QCOMPARE(::link(QFile::encodeName(path("s.bin")).constData(), QFile::encodeName(path("b.bin")).constData()), 0);
        QCOMPARE(::link(QFile::encodeName(path("s.bin")).constData(), QFile::encodeName(path("sub/c.bin")).constData()),
                 0);
        ReplaceFile f(path("s.bin"), m_leftovers);
        QVERIFY(f.open() && f.write("new") && f.commit());
        QCOMPARE(read(path("s.bin")), QByteArray("new"));
        QCOMPARE(read(path("b.bin")), QByteArray("old"));
        QCOMPARE(f.notKept(), QString("The file had other names (hard links), which keep the old bytes: \"%1\", "
                                      "1 more in other folders.")
                                      .arg(QDir::toNativeSeparators(QFileInfo(path("b.bin")).absoluteFilePath())));
        ReplaceFile plain(path("b.bin"), m_leftovers); // its last other name is in another folder
        QVERIFY(plain.open() && plain.write("x") && plain.commit());
        QCOMPARE(plain.notKept(), QString("The file had other names (hard links), which keep the old bytes: "
                                          "1 more in other folders."));
    }

    // A link at a temporary's name is a taken name, also when it leads
    // nowhere: the next number is tried, the link's far end never made.
    // A link at the target is replaced itself.
    void linksAreNeverWrittenThrough()
    {
        QVERIFY(write(path("s.bin"), "old"));
        QVERIFY(QFile::link(path("far.bin"), path(".s.bin.0.zt-part")));
        QVERIFY(write(path("other.bin"), "other"));
        QVERIFY(QFile::link(path("other.bin"), path("t.bin")));
        {
            ReplaceFile s(path("s.bin"), m_leftovers), t(path("t.bin"), m_leftovers);
            QVERIFY(s.open() && t.open());
            QCOMPARE(s.temporaryPath(), path(".s.bin.1.zt-part"));
            QVERIFY(s.write("new s") && t.write("new t") && s.commit() && t.commit());
        }
        QVERIFY(!QFile::exists(path("far.bin")));
        QVERIFY(QFileInfo(path(".s.bin.0.zt-part")).isSymLink());
        QVERIFY(!QFileInfo(path("s.bin")).isSymLink());
        QCOMPARE(read(path("s.bin")), QByteArray("new s"));
        QVERIFY(!QFileInfo(path("t.bin")).isSymLink());
        QCOMPARE(read(path("t.bin")), QByteArray("new t"));
        QCOMPARE(read(path("other.bin")), QByteArray("other"));
    }

    // What is not renamed goes with the object unless kept, then under a
    // name the user sees. A failed step stops the rename whatever the order
    // of the calls.
    // A target whose path or name is too long for the system is said so
    // before anything is written; one that just fits is written whole,
    // although its temporary's path is longer than the system takes.
    void tooLongForTheSystemIsSaidSo()
    {
        QString folder = m_dir.path();
        const int fits = PATH_MAX - 1 - int(QStringLiteral("/K001.INI").size());
        while (folder.size() < fits) {
            folder += "/" + QString(qMin(200, fits - int(folder.size()) - 1), 'd');
            QVERIFY(QDir().mkdir(folder));
        }
        QCOMPARE(folder.size() + 9, PATH_MAX - 1);
        const QString tooLong = QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
        for (const QString &target : {folder + "/K001.INI0", path(QString(NAME_MAX + 1, 'n'))}) {
            ReplaceFile f(target, m_leftovers);
            QVERIFY(!f.open());
            QCOMPARE(int(f.failedStep()), int(ReplaceFile::Step::Create));
            QCOMPARE(f.errorString(), tooLong);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());

        ReplaceFile f(folder + "/K001.INI", m_leftovers);
        QVERIFY(f.open() && f.write("kit"));
        QVERIFY(f.temporaryPath().size() >= PATH_MAX);
        QVERIFY(f.readBack([](const QString &p) { return read(p) == "kit"; }));
        QVERIFY(f.commit());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"K001.INI"}));
    }

    // A folder whose name is not UTF-8 is reached by the bytes it was listed
    // as: the name read from the folder goes back to the system unchanged.
    void nonUtf8FolderKeepsItsBytes()
    {
        ztplatform::keepFileNameBytes();
        const QByteArray raw("Kits \xff\xe4\xb8-\xc0\x80\xed\xa0\x80\xf5\xe4\xb8\xad");
        const QByteArray at = QFile::encodeName(m_dir.path()) + '/' + raw;
        QCOMPARE(::mkdir(at.constData(), 0755), 0);
        const QStringList listed = QDir(m_dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(listed.size(), 1);
        QCOMPARE(QFile::encodeName(listed.first()), raw);
        QVERIFY(listed.first().endsWith(QString::fromUtf8("\xe4\xb8\xad"))); // 中 reads as itself
        ReplaceFile f(QDir(path(listed.first())).filePath("K001.INI"), m_leftovers);
        QVERIFY(f.open() && f.write("kit") && f.commit());
        struct stat st;
        QCOMPARE(::stat((at + "/K001.INI").constData(), &st), 0);

        // Every byte comes back, also from a decoder fed piece by piece.
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        all += QByteArray("\xf0\x9f\x8e\xb5\xe4\xb8");
        QCOMPARE(QFile::encodeName(QFile::decodeName(all)), all);
        const std::unique_ptr<QTextDecoder> pieces(QTextCodec::codecForLocale()->makeDecoder());
        QString text;
        for (int i = 0; i < all.size(); i += 3)
            text += pieces->toUnicode(all.mid(i, 3));
        QCOMPARE(QFile::encodeName(text), all.left(all.size() - 2)); // the cut character waits
        QCOMPARE(text, QFile::decodeName(all.left(all.size() - 2)));
    }

    void uncommittedTemporariesGo()
    {
        QVERIFY(write(path("K001.INI"), "old"));
        QVERIFY(write(path("K001~1.INI"), "the user's"));
        QString kept;
        {
            ReplaceFile a(path("K001.INI"), m_leftovers), b(path("K001.INI"), m_leftovers),
                    c(path("K001.INI"), m_leftovers);
            QVERIFY(a.open() && b.open() && a.write("a") && b.write("b"));
            QCOMPARE(b.temporaryPath(), path(".K001.INI.1.zt-part"));
            QVERIFY(b.finish());
            kept = b.keep();
            QVERIFY(c.open() && c.write("rejected") && c.finish());
            QVERIFY(!c.readBack([](const QString &) { return false; }));
            QCOMPARE(c.failedStep(), ReplaceFile::Step::ReadBack);
            QVERIFY(!c.finish() && !c.rename() && !c.commit() && !c.isRenamed());
        }
        QCOMPARE(kept, path("K001~2.INI"));
        QCOMPARE(read(kept), QByteArray("b"));
        QCOMPARE(read(path("K001.INI")), QByteArray("old"));
        QCOMPARE(entries(), QStringList({"K001.INI", "K001~1.INI", "K001~2.INI"}));

        // A new file that finds something at its name by the rename leaves it.
        ReplaceFile d(path("new.ini"), m_leftovers);
        d.setCreateOnly(true);
        QVERIFY(d.open() && d.write("d"));
        QVERIFY(write(path("new.ini"), "theirs"));
        QVERIFY(!d.commit() && d.failedStep() == ReplaceFile::Step::Rename);
        QCOMPARE(read(path("new.ini")), QByteArray("theirs"));

        // A name of 250 bytes, which the file system takes, is replaced too.
        const QString longName = QString(246, QChar('k')) + ".INI";
        QVERIFY(write(path(longName), "old"));
        ReplaceFile e(path(longName), m_leftovers);
        QVERIFY(e.open() && e.write("new") && e.commit());
        QCOMPARE(read(path(longName)), QByteArray("new"));
    }

    // The first write in a folder removes the editor's temporaries left from
    // before its start; one written since, one another editor holds, and
    // names of other patterns stay.
    void leftoversOlderThanTheEditorGo()
    {
        m_leftovers->startAgain(); // this folder's name was written in before
        const QString stale = path(".K001.INI.0.zt-part"), fresh = path(".K002.INI.0.zt-part"),
                      held = path(".K003.INI.4.zt-part"), other = path(".K001.INI.zt-part");
        for (const QString &p : {stale, fresh, held, other, path("K001.INI")})
            QVERIFY(write(p, "x"));
        const struct timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        for (const QString &p : {stale, held, other})
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(p).constData(), hourAgo, 0), 0);
        const int holder = ::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(holder >= 0 && ::flock(holder, LOCK_EX) == 0);
        ReplaceFile f(path("K001.INI"), m_leftovers);
        QVERIFY(f.open() && f.write("new") && f.commit());
        ::close(holder);
        QCOMPARE(entries(), QStringList({".K001.INI.zt-part", ".K002.INI.0.zt-part", ".K003.INI.4.zt-part",
                                         "K001.INI"}));
        // Once the editor starts again, the one written since is a leftover too.
        m_leftovers->startAgain();
        ReplaceFile g(path("K001.INI"), m_leftovers);
        QVERIFY(g.open() && g.write("newer") && g.commit());
        QCOMPARE(entries(), QStringList({".K001.INI.zt-part", "K001.INI"}));
    }

    // Over another user's file, as root: its owner, group, attributes and
    // ACL stay.
    void replacedFileKeepsOwnerAndAttributes()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to own files as others");
        // A file system with user attributes: a small ext4 where this one has none.
        LoopImage ext4;
        QString shared = path("shared");
        QVERIFY(QDir().mkpath(shared) && write(shared + "/K001.INI", "old"));
        if (::setxattr(QFile::encodeName(shared + "/K001.INI").constData(), "user.zt", "kept", 4, 0) != 0) {
            QVERIFY(ext4.make(m_dir.path() + "/shared") && ext4.mountOnNewDevice());
            shared = ext4.point;
        }
        const QString target = shared + "/K001.INI";
        const QByteArray name = QFile::encodeName(target);
        QVERIFY(write(target, "old"));
        QCOMPARE(::chown(name.constData(), 4242, 4343), 0);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        QCOMPARE(::setxattr(name.constData(), "user.zt", "kept", 4, 0), 0);
        // user::rw- user:5000:r-- group::r-- mask::r-- other::---
        auto entry = [](quint16 tag, quint16 perm, quint32 id) {
            auto bytes = [](const auto &v) { return QByteArray(reinterpret_cast<const char *>(&v), sizeof v); };
            return bytes(tag) + bytes(perm) + bytes(id);
        };
        const QByteArray acl = QByteArray("\x02\0\0\0", 4) + entry(0x01, 6, ~0u) + entry(0x02, 4, 5000)
                               + entry(0x04, 4, ~0u) + entry(0x10, 4, ~0u) + entry(0x20, 0, ~0u);
        QCOMPARE(::setxattr(name.constData(), "system.posix_acl_access", acl.constData(), size_t(acl.size()), 0), 0);
        {
            ReplaceFile f(target, m_leftovers);
            QVERIFY(f.open() && f.write("new") && f.commit());
            QCOMPARE(f.notKept(), QString());
        }
        struct stat st;
        QVERIFY(::stat(name.constData(), &st) == 0);
        QCOMPARE(st.st_uid, uid_t(4242));
        QCOMPARE(st.st_gid, gid_t(4343));
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        char value[64];
        QCOMPARE(::getxattr(name.constData(), "user.zt", value, sizeof value), ssize_t(4));
        QCOMPARE(QByteArray(value, 4), QByteArray("kept"));
        QByteArray now(acl.size(), '\0');
        QCOMPARE(::getxattr(name.constData(), "system.posix_acl_access", now.data(), size_t(now.size())),
                 ssize_t(acl.size()));
        QCOMPARE(now, acl);
    }

    void failedSyncsAreReported()
    {
        QVERIFY(write(path("a.ini"), "old"));
        AnsweringSyncs none(&failAll);
        {
            ReplaceFile f(path("a.ini"), m_leftovers, &none);
            QVERIFY(f.open() && f.write("new"));
            QVERIFY(!f.commit());
            QCOMPARE(f.failedStep(), ReplaceFile::Step::Sync);
            QVERIFY(!f.isRenamed());
            QVERIFY(!f.errorString().isEmpty());
        }
        QCOMPARE(read(path("a.ini")), QByteArray("old"));
        QCOMPARE(entries(), QStringList({"a.ini"}));

        // The folder's entry that did not reach the disk: renamed, not committed.
        AnsweringSyncs filesOnly(&failFolders);
        ReplaceFile f(path("a.ini"), m_leftovers, &filesOnly);
        QVERIFY(f.open() && f.write("new"));
        QVERIFY(!f.commit());
        QCOMPARE(f.failedStep(), ReplaceFile::Step::FolderSync);
        QVERIFY(f.isRenamed());
        QCOMPARE(read(path("a.ini")), QByteArray("new"));
    }

    // A watched write sends its bytes to the disk on the way: each half of
    // the stretch is started before the half two back is waited for, the
    // rest forced before the rename; a disk that cannot is synced once a
    // whole stretch waits. The file is whole.
    void watchedWritesReachTheDiskOnTheWay()
    {
        struct Recording : PassDisk
        {
            bool writesBack = true;
            QStringList calls;
            int writeBack(int fd, qint64 offset, qint64 length, bool wait) override
            {
                if (!writesBack)
                    return ztplatform::Disk::writeBack(fd, offset, length, wait);
                calls << QString("%1 %2+%3").arg(wait ? "wait" : "start").arg(offset >> 20).arg(length >> 20);
                return system().writeBack(fd, offset, length, wait);
            }
            int sync(int fd, bool dataOnly = false) override
            {
                calls << (dataOnly ? "data sync" : "sync");
                return PassDisk::sync(fd, dataOnly);
            }
        };
        const QByteArray block(1 << 20, 'x');
        for (const bool writesBack : {true, false}) {
            Recording disk;
            disk.writesBack = writesBack;
            ReplaceFile f(path("big.bin"), m_leftovers, &disk);
            QVERIFY(f.open());
            f.watchWrites([]() { return true; }, 4 << 20);
            for (int i = 0; i < 10; ++i)
                QVERIFY(f.write(block));
            const QStringList onTheWay = disk.calls;
            QVERIFY(f.commit());
            QCOMPARE(onTheWay, writesBack ? QStringList({"start 0+2", "start 2+2", "start 4+2", "wait 0+2", "start 6+2",
                                                         "wait 2+2"})
                                          : QStringList({"data sync", "data sync"}));
            // The file's bytes left on the way forced, then its folder.
            QCOMPARE(disk.calls.mid(onTheWay.size()), QStringList({"sync", "sync"}));
            QCOMPARE(read(path("big.bin")), block.repeated(10));
        }
    }

    // On a disk that ends each wait at once the stretches grow, never past
    // the most given; the file is whole.
    void watchedWritesOnAQuickDiskTakeLongerStretches()
    {
        struct Quick : PassDisk
        {
            QVector<qint64> started;
            int writeBack(int fd, qint64 offset, qint64 length, bool wait) override
            {
                if (!wait)
                    started << (length >> 20);
                return system().writeBack(fd, offset, length, false);
            }
        };
        const QByteArray block(1 << 20, 'x');
        Quick disk;
        ReplaceFile f(path("big.bin"), m_leftovers, &disk);
        QVERIFY(f.open());
        f.watchWrites([]() { return true; }, 4 << 20, 16 << 20);
        for (int i = 0; i < 64; ++i)
            QVERIFY(f.write(block));
        QVERIFY(f.commit());
        QVERIFY(disk.started.size() > 2);
        QCOMPARE(disk.started.first(), qint64(2));
        QCOMPARE(*std::max_element(disk.started.cbegin(), disk.started.cend()), qint64(8));
        QCOMPARE(*std::min_element(disk.started.cbegin(), disk.started.cend()), qint64(2));
        QCOMPARE(read(path("big.bin")), block.repeated(64));
    }

    // From an opened folder: its entries only, reached by its descriptor.
    void fromAnOpenedFolder()
    {
        QVERIFY(QDir().mkpath(path("pad/SYS")));
        QVERIFY(write(path("pad/SYS/alter.ini"), "old"));
        const ztplatform::FolderAnchor anchor = ztplatform::FolderAnchor::record(path("pad"));
        const ztplatform::OpenFolder sys = anchor.openFolder(path("pad/SYS"));
        QVERIFY(sys.isOpen());
        ReplaceFile f(sys, "alter.ini", m_leftovers);
        QVERIFY(f.open() && f.write("new"));
        QVERIFY(f.readBack([](const QString &p) { return read(p) == "new"; }));
        QVERIFY(f.commit());
        QCOMPARE(read(path("pad/SYS/alter.ini")), QByteArray("new"));
        QCOMPARE(QDir(path("pad/SYS")).entryList(QDir::Files | QDir::Hidden), QStringList({"alter.ini"}));
        ReplaceFile bad(sys, "../alter.ini", m_leftovers);
        QVERIFY(!bad.open());
    }

    // A replacement stopped at any call, by the editor killed, a power cut
    // (with any part of the unsynced names on the disk) or a torn write,
    // leaves the old bytes or the new, never a mix; stopped at a call that is
    // refused, nothing after it reaches the disk. A write renamed without a
    // sync loses its bytes under a power cut.
    void stoppedAtEveryCall()
    {
        const TempInMemory inMemory;
        QTemporaryDir dir;
        const QString target = dir.filePath("kit.ini");
        auto replace = [&](ztplatform::Disk &disk) {
            ReplaceFile file(target, m_leftovers, &disk);
            file.open() && file.write("new bytes") && file.commit();
        };
        QVERIFY(write(target, "old"));
        CrashDisk disk(dir.path());
        replace(disk);
        const int calls = disk.calls();
        QVERIFY(calls >= 5); // create, write, sync, rename, folder sync
        const QVector<CrashDisk::State> states = disk.states();
        QCOMPARE(states.size(), 4); // old; a temporary empty, then whole; new
        for (const CrashDisk::State &s : states) {
            const QByteArray now = s.tree.value("kit.ini").bytes;
            QVERIFY2(now == "old" || now == "new bytes", qPrintable(s.describe() + ": " + now));
        }
        for (int n = 1; n <= calls + 1; ++n) {
            for (const QString &left : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
                QVERIFY(QFile::remove(dir.filePath(left)));
            QVERIFY(write(target, "old"));
            SwitchDisk through;
            QCOMPARE(stopBefore(through, dir.path(), n, replace, false), n <= calls);
            const QByteArray now = read(target);
            QVERIFY2(now == (n <= calls - 1 ? "old" : "new bytes"), qPrintable(QString("%1: %2").arg(n).arg(now.constData())));
        }
        CrashDisk bare(dir.path());
        const QByteArray name = QFile::encodeName(dir.filePath("bare.ini"));
        const int fd = bare.openAt(AT_FDCWD, name + ".tmp", O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(bare.write(fd, "lost", 4));
        QCOMPARE(bare.renameAt(AT_FDCWD, name + ".tmp", AT_FDCWD, name), 0);
        ::close(fd);
        QCOMPARE(bare.killedAt(4).value("bare.ini").bytes, QByteArray("lost"));
        for (int names = 0; names <= 2; ++names)
            QVERIFY(bare.powerCutAt(4, names).value("bare.ini").bytes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReplaceFile)
#include "test_replacefile.moc"

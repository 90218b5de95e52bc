// Backups of a pad: its kit records, global.ini, alter.ini and .prm records
// copied byte for byte as plain read-only files in a folder named by the date
// and time below the pad's own folder, those unchanged since the newest
// backup linked to it, a pad wholly unchanged giving that backup the new
// time instead; only whole backups are listed, the last 20 are kept; a
// backup that cannot be written leaves nothing behind and says why; a backup
// read back names the sounds its kits used, one without kits is refused;
// slots whose sound is no longer on the pad are emptied and named.
#include "device/padbackup.h"
#include "platform/disk.h"
#include "padfixture.h"
#include "support/passdisk.h"
#include "support/pipewaits.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

PadTreePaths treeOf(const PadFixture &pad)
{
    PadTreePaths tree;
    tree.kitPath = pad.kitPath;
    tree.sysPath = pad.sysPath;
    tree.dataPath = pad.dataPath;
    tree.prmPath = pad.prmPath;
    tree.waveDataList = pad.dataFolders();
    tree.wavePrmList = pad.prmFolders();
    return tree;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

unsigned modeOf(const QString &path)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_mode & 07777 : 0;
}

} // namespace

class TestPadBackup : public QObject
{
    Q_OBJECT

private slots:
    void copiesByteForByte()
    {
        PadFixture pad;
        for (int n : {1, 2, 150})
            pad.addWave(n, QString("Snd%1").arg(n));
        pad.writeKits({0, 1, 149});
        kf::writeFile(pad.sysPath + "/alter.ini", "ALTER");
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(pad.root);
        const QVector<padbackup::File> settings = padbackup::readSettings(root, treeOf(pad));
        const QVector<padbackup::File> prm = padbackup::readPrmRecords(root, treeOf(pad));
        QCOMPARE(settings.size(), KIT_MAX_COUNT + 2);
        QCOMPARE(prm.size(), 3);
        QCOMPARE(prm.last().path, QString("WAV_PRM/002/050.prm"));

        QTemporaryDir data;
        const QDateTime when(QDate(2024, 5, 1), QTime(14, 3, 22));
        const padbackup::Written w = padbackup::write(data.filePath("A1B2"), when, settings, prm);
        QVERIFY2(w.ok, qPrintable(w.why));
        QCOMPARE(w.folder, data.filePath("A1B2/2024-05-01_14-03-22"));
        QCOMPARE(w.copied, KIT_MAX_COUNT + 2 + 3);
        QCOMPARE(QDir(w.folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"KIT", "SYS", "WAV_PRM"}));
        // Plain files a user opens, laid out as the pad's model folder, read-only.
        for (const padbackup::File &f : settings + prm) {
            QCOMPARE(fileBytes(w.folder + "/" + f.path), fileBytes(pad.model + "/" + f.path));
            QCOMPARE(modeOf(w.folder + "/" + f.path), 0444u);
        }
        QCOMPARE(fileBytes(w.folder + "/SYS/alter.ini"), QByteArray("ALTER"));
        QCOMPARE(QDir(w.folder + "/WAV_PRM/002").entryList(QDir::Files), QStringList{"050.prm"});
        // The same files the same second again: the backup stands for it, named as it was.
        const padbackup::Written again = padbackup::write(data.filePath("A1B2"), when, settings, prm);
        QVERIFY(again.ok && again.reused);
        QCOMPARE(again.folder, w.folder);
        QCOMPARE(again.copied + again.linked, 0);
        QCOMPARE(padbackup::list(ztplatform::systemDisk(), data.filePath("A1B2")).size(), 1);

        const padbackup::Contents c = padbackup::read(ztplatform::systemDisk(), w.folder);
        QVERIFY2(c.ok, qPrintable(c.why));
        QCOMPARE(c.kitRecords.at(99), fileBytes(pad.kitPath + "/k100.ini"));
        QCOMPARE(c.kitFolder, w.folder + "/KIT");
        QCOMPARE(c.soundNames.value(150), QString("Snd150"));
        QCOMPARE(c.soundNames.size(), 3);
        QCOMPARE(padbackup::read(ztplatform::systemDisk(), w.folder, false).soundNames.size(), 0);
        QCOMPARE(fileBytes(c.globalFile), fileBytes(pad.sysPath + "/global.ini"));

        // A folder without kits is no backup.
        QVERIFY(QDir().mkpath(data.filePath("A1B2/2024-03-01_10-00-00/SYS")));
        const padbackup::Contents none = padbackup::read(ztplatform::systemDisk(), data.filePath("A1B2/2024-03-01_10-00-00"));
        QVERIFY(!none.ok);
        QCOMPARE(none.why, QString("The backup holds no kits."));
    }

    // A repeat backup links each file equal to the newest backup's and copies
    // the rest: a changed file, and one damaged or made writable in the
    // newest backup (its bytes read, not trusted).
    void aRepeatLinksOnlyWhatIsEqual()
    {
        QTemporaryDir data;
        const QString padFolder = data.filePath("pad");
        QVector<padbackup::File> settings = {{"KIT/k001.ini", QByteArray(KIT_RECORD_SIZE, 'a')},
                                             {"KIT/k002.ini", QByteArray(KIT_RECORD_SIZE, 'b')},
                                             {"SYS/global.ini", "G1"}};
        QVector<padbackup::File> prm;
        for (int n = 1; n <= 6; ++n)
            prm.append({QString("WAV_PRM/001/%1.prm").arg(n, 3, 10, QChar('0')), QByteArray(64, char('0' + n))});
        const QDateTime start(QDate(2024, 6, 1), QTime(8, 0));
        const padbackup::Written first = padbackup::write(padFolder, start, settings, prm);
        QVERIFY2(first.ok, qPrintable(first.why));
        const QString was = first.folder;
        // Damaged in the newest backup, its size kept; another made writable.
        QVERIFY(QFile::setPermissions(was + "/WAV_PRM/001/003.prm", QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(kf::writeFile(was + "/WAV_PRM/001/003.prm", QByteArray(64, 'X')));
        QVERIFY(QFile::setPermissions(was + "/WAV_PRM/001/003.prm", QFile::ReadOwner | QFile::ReadUser));
        QVERIFY(QFile::setPermissions(was + "/WAV_PRM/001/004.prm", QFile::ReadOwner | QFile::WriteOwner));
        settings[1].bytes[5] = 'c'; // a kit changed on the pad
        const padbackup::Written second = padbackup::write(padFolder, start.addSecs(60), settings, prm);
        QVERIFY2(second.ok, qPrintable(second.why));
        QCOMPARE(second.copied, 3);
        QCOMPARE(second.linked, 9 - 3);
        auto inode = [](const QString &path) {
            struct stat st = {};
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
        };
        for (const padbackup::File &f : settings + prm) {
            QCOMPARE(fileBytes(second.folder + "/" + f.path), f.bytes);
            const bool copied = f.path.endsWith("k002.ini") || f.path.endsWith("003.prm") || f.path.endsWith("004.prm");
            QCOMPARE(inode(second.folder + "/" + f.path) == inode(was + "/" + f.path), !copied);
        }
        QCOMPARE(fileBytes(was + "/KIT/k002.ini"), QByteArray(KIT_RECORD_SIZE, 'b')); // the older one as it was
    }

    // A pad loaded again and again unchanged keeps the backups from before:
    // its newest backup, read back whole and equal, takes each new time; a
    // changed .prm record gives a new one; a newest backup changed, cut
    // short or added to by hand is never taken for the pad.
    void anUnchangedPadKeepsItsEarlierBackups()
    {
        PadFixture pad;
        for (int n : {1, 2, 3})
            pad.addWave(n, QString("Snd%1").arg(n));
        pad.writeKits({0, 1});
        const ztplatform::FolderAnchor root = ztplatform::FolderAnchor::record(pad.root);
        QTemporaryDir data;
        const QString folder = data.filePath("pad");
        const QDateTime start(QDate(2024, 8, 1), QTime(20, 0));
        auto backUp = [&](const QDateTime &when) {
            return padbackup::write(folder, when, padbackup::readSettings(root, treeOf(pad)),
                                    padbackup::readPrmRecords(root, treeOf(pad)));
        };
        auto inode = [](const QString &path) {
            struct stat st = {};
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
        };
        const QString kit1 = pad.kitPath + "/k001.ini";
        QVERIFY(backUp(start).ok);
        QByteArray kit = fileBytes(kit1);
        kit[10] = char(kit[10] ^ 1);
        QVERIFY(kf::writeFile(kit1, kit));
        const padbackup::Written changed = backUp(start.addSecs(3600));
        QVERIFY(changed.ok && !changed.reused);
        const ino_t changedFolder = inode(changed.folder);
        for (int day = 1; day <= 25; ++day) {
            const padbackup::Written w = backUp(start.addDays(day));
            QVERIFY2(w.ok && w.reused, qPrintable(w.why));
            QCOMPARE(w.folder, folder + "/" + start.addDays(day).toString("yyyy-MM-dd_HH-mm-ss"));
        }
        QVector<padbackup::Backup> all = padbackup::list(ztplatform::systemDisk(), folder);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.first().when, start.addDays(25));
        QCOMPARE(inode(all.first().folder), changedFolder);
        QCOMPARE(fileBytes(all.first().folder + "/KIT/k001.ini"), kit);
        QCOMPARE(all.last().when, start);
        QVERIFY(fileBytes(all.last().folder + "/KIT/k001.ini") != kit);
        // Taken on a clock set back: the newest stands, under its own name.
        QCOMPARE(backUp(start.addDays(2)).folder, all.first().folder);

        // One .prm record changed on the pad: a new backup, the rest linked.
        const QString prm2 = pad.model + "/" + padbackup::readPrmRecords(root, treeOf(pad)).at(1).path;
        QByteArray record = fileBytes(prm2);
        record[0] = char(record[0] ^ 1);
        QVERIFY(kf::writeFile(prm2, record));
        const padbackup::Written prmChanged = backUp(start.addDays(26));
        QVERIFY(prmChanged.ok && !prmChanged.reused);
        QCOMPARE(prmChanged.copied, 1);
        QCOMPARE(padbackup::list(ztplatform::systemDisk(), folder).size(), 3);

        // The newest backup changed by hand: a whole new backup each time.
        const QVector<std::function<bool(const QString &)>> handChanges = {
            [](const QString &b) { // a byte, the size and mode kept
                const QString f = b + "/KIT/k002.ini";
                QByteArray bytes = fileBytes(f);
                bytes[20] = char(bytes[20] ^ 1);
                return QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner) && kf::writeFile(f, bytes)
                       && QFile::setPermissions(f, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            },
            [](const QString &b) { return QFile::remove(b + "/SYS/global.ini"); }, // cut short
            [](const QString &b) { return kf::writeFile(b + "/KIT/notes.txt", "mine"); },
            [](const QString &b) { return QDir().mkpath(b + "/WAV_PRM/009"); },
            [](const QString &b) { return QFile::setPermissions(b + "/KIT/k001.ini", QFile::ReadOwner | QFile::WriteOwner); },
            [](const QString &b) { // a link to a file of the same bytes
                const QString f = b + "/KIT/k001.ini", away = b + "/../k001.ini";
                return QFile::copy(f, away) && QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner)
                       && QFile::remove(f) && QFile::link(away, f);
            },
        };
        for (int i = 0; i < handChanges.size(); ++i) {
            const QString newest = padbackup::list(ztplatform::systemDisk(), folder).first().folder;
            QVERIFY(handChanges.at(i)(newest));
            const padbackup::Written w = backUp(start.addDays(30 + i));
            QVERIFY2(w.ok && !w.reused, qPrintable(QString::number(i)));
            QCOMPARE(fileBytes(w.folder + "/KIT/k002.ini"), fileBytes(pad.kitPath + "/k002.ini"));
            QCOMPARE(fileBytes(w.folder + "/SYS/global.ini"), fileBytes(pad.sysPath + "/global.ini"));
            QCOMPARE(padbackup::list(ztplatform::systemDisk(), folder).size(), 4 + i);
            QCOMPARE(padbackup::list(ztplatform::systemDisk(), folder).at(1).folder, newest); // left as the user made it
        }
    }

    // Links refused (another file system) give copies; a disk that cannot
    // sync its file system at once has each copy and folder synced.
    void linksRefusedAreCopies()
    {
        struct NoLinks : PassDisk
        {
            int syncs = 0;
            int linkAt(int, const QByteArray &, int, const QByteArray &) override
            {
                errno = EXDEV;
                return -1;
            }
            int sync(int fd, bool dataOnly) override
            {
                ++syncs;
                return PassDisk::sync(fd, dataOnly);
            }
        } disk;
        QTemporaryDir data;
        const QVector<padbackup::File> files = {{"KIT/k001.ini", "k"}, {"WAV_PRM/001/001.prm", "p"}};
        QVERIFY(padbackup::write(data.filePath("pad"), QDateTime::currentDateTime(), files, {}).ok);
        const padbackup::Written w =
                padbackup::write(data.filePath("pad"), QDateTime::currentDateTime().addSecs(5),
                                 {{"KIT/k001.ini", "k2"}, files.last()}, {}, padbackup::KEEP, &disk);
        QVERIFY2(w.ok, qPrintable(w.why));
        QCOMPARE(w.copied, 2);
        QCOMPARE(disk.syncs, 2 + 4 + 1); // the copies, the backup's folders, the pad's folder
        QCOMPARE(fileBytes(w.folder + "/WAV_PRM/001/001.prm"), QByteArray("p"));
    }

    // A stop before the backup takes its name leaves none listed; the next
    // backup clears what it left.
    void aStopBeforeTheNameLeavesNoBackup()
    {
        QTemporaryDir data;
        const QString padFolder = data.filePath("pad");
        const QVector<padbackup::File> files = {{"KIT/k001.ini", "k"}, {"SYS/global.ini", "g"}};
        const pid_t child = ::fork();
        if (child == 0) {
            struct StopAtName : PassDisk
            {
                int renameAt(int, const QByteArray &, int, const QByteArray &, bool) override { ::_exit(7); }
            } disk;
            padbackup::write(padFolder, QDateTime(QDate(2024, 1, 1), QTime(1, 0)), files, {}, padbackup::KEEP, &disk);
            ::_exit(0);
        }
        int status = 0;
        QVERIFY(child > 0 && ::waitpid(child, &status, 0) == child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 7);
        QCOMPARE(QDir(padFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{".2024-01-01_01-00-00.zt-part"});
        QVERIFY(padbackup::list(ztplatform::systemDisk(), padFolder).isEmpty());
        const padbackup::Written w = padbackup::write(padFolder, QDateTime(QDate(2024, 1, 1), QTime(2, 0)), files, {});
        QVERIFY(w.ok);
        QCOMPARE(QDir(padFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"2024-01-01_02-00-00"});
    }

    // A writer let go mid-backup (the window closing without writing to
    // the pad) stops between two files, tells nothing and names no backup;
    // the next backup clears what it laid out.
    void aWriterLetGoStopsWithoutABackup()
    {
        QTemporaryDir data;
        const QString padFolder = data.filePath("pad");
        QVector<padbackup::File> prm;
        for (int i = 1; i <= 50; ++i)
            prm.append({QString("WAV_PRM/001/%1.prm").arg(i, 3, 10, QChar('0')), QByteArray(40, char(i))});
        struct HeldAtSecondFile : PassDisk
        {
            QAtomicInt files{0};
            QSemaphore reached, go;
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode) override
            {
                if ((flags & O_CREAT) && files.fetchAndAddOrdered(1) == 1) {
                    reached.release();
                    go.tryAcquire(1, 5000);
                }
                return PassDisk::openAt(dir, name, flags, mode);
            }
        } disk;
        auto *writer = new PadBackupWriter(&disk);
        int told = 0;
        QObject::connect(writer, &PadBackupWriter::finished, [&told] { ++told; });
        writer->start(padFolder, QDateTime(QDate(2024, 1, 1), QTime(1, 0)), {{"KIT/k001.ini", "k"}}, prm);
        QVERIFY(disk.reached.tryAcquire(1, 5000));
        std::thread release([&disk] {
            QThread::msleep(50);
            disk.go.release();
        });
        delete writer;
        release.join();
        QCOMPARE(told, 0);
        QVERIFY(disk.files.loadAcquire() < 1 + prm.size());
        QVERIFY(padbackup::list(ztplatform::systemDisk(), padFolder).isEmpty());
        QVERIFY(padbackup::write(padFolder, QDateTime(QDate(2024, 1, 1), QTime(2, 0)), {{"KIT/k001.ini", "k"}}, prm).ok);
        QCOMPARE(QDir(padFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"2024-01-01_02-00-00"});
    }

    void lastTwentyKeptAndOnlyWholeOnesListed()
    {
        QTemporaryDir data;
        const QString pad = data.filePath("pad");
        const QDateTime start(QDate(2024, 1, 1), QTime(9, 0));
        for (int i = 0; i < 23; ++i)
            QVERIFY(padbackup::write(pad, start.addSecs(i * 61), {{"KIT/k001.ini", QByteArray::number(i)}}, {}).ok);
        QVERIFY(QDir().mkpath(pad + "/.2025-01-01_00-00-00.zt-part/KIT")); // one cut short
        QVERIFY(QDir().mkpath(pad + "/.2023-01-01_00-00-00.zt-gone/KIT")); // one cut short while removed
        QVERIFY(QDir().mkpath(pad + "/notes"));
        const QVector<padbackup::Backup> all = padbackup::list(ztplatform::systemDisk(), pad);
        QCOMPARE(all.size(), padbackup::KEEP);
        QCOMPARE(all.first().when, start.addSecs(22 * 61));
        QCOMPARE(all.last().when, start.addSecs(3 * 61));
        QVERIFY(padbackup::write(pad, start.addSecs(3600), {}, {}).ok);
        QVERIFY(!QFileInfo::exists(pad + "/.2025-01-01_00-00-00.zt-part"));
        QVERIFY(!QFileInfo::exists(pad + "/.2023-01-01_00-00-00.zt-gone"));
        QCOMPARE(padbackup::list(ztplatform::systemDisk(), pad).size(), padbackup::KEEP);
        QCOMPARE(QDir(pad).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), padbackup::KEEP + 1);
        QVERIFY(QFileInfo::exists(pad + "/notes")); // what is not a backup stays
    }

    void unwritableFolderLeavesNothing()
    {
        QTemporaryDir data;
        // A file where the pad's folder goes: nothing can be made there.
        const QString pad = data.filePath("pad");
        QVERIFY(kf::writeFile(pad, "not a folder"));
        padbackup::Written w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", "k"}}, {});
        QVERIFY(!w.ok);
        QVERIFY(w.why.contains(QDir::toNativeSeparators(pad)));
        // A disk that fills halfway through the archive (files larger than 4 KB refused).
        QVERIFY(QFile::remove(pad));
        struct rlimit was = {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &was) == 0);
        const auto previous = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = was;
        small.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", QByteArray(8192, 'k')}}, {});
        ::setrlimit(RLIMIT_FSIZE, &was);
        ::signal(SIGXFSZ, previous);
        QVERIFY(!w.ok);
        QVERIFY2(w.why.contains("too large"), qPrintable(w.why));
        QCOMPARE(QDir(pad).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        if (::geteuid() != 0) {
            QVERIFY(::chmod(QFile::encodeName(pad).constData(), 0555) == 0);
            w = padbackup::write(pad, QDateTime::currentDateTime(), {{"KIT/k001.ini", "k"}}, {});
            ::chmod(QFile::encodeName(pad).constData(), 0755);
            QVERIFY(!w.ok && !w.why.isEmpty());
        }
    }

    // A pad's folder moved to another place and linked back: backups go
    // there, and the next one links to the one before.
    void aPadFolderLinkedElsewhereIsUsed()
    {
        QTemporaryDir data;
        QVERIFY(QDir().mkpath(data.filePath("elsewhere")));
        QVERIFY(QFile::link(data.filePath("elsewhere"), data.filePath("pad")));
        const QVector<padbackup::File> files = {{"KIT/k001.ini", "k"}};
        const QDateTime when(QDate(2024, 2, 1), QTime(9, 0));
        QVERIFY(padbackup::write(data.filePath("pad"), when, files, {}).ok);
        const padbackup::Written w =
                padbackup::write(data.filePath("pad"), when.addSecs(60), files + QVector<padbackup::File>{{"SYS/alter.ini", "a"}}, {});
        QVERIFY2(w.ok, qPrintable(w.why));
        QCOMPARE(w.linked, 1);
        QCOMPARE(fileBytes(data.filePath("elsewhere/2024-02-01_09-01-00/KIT/k001.ini")), QByteArray("k"));
    }

    void padFolderNamedByIdentity()
    {
        PadIdentity id;
        id.volume.uuid = "1A2B-3C4D";
        QCOMPARE(padbackup::padFolderName(id), QString("1A2B-3C4D"));
        id.volume.uuid.clear();
        id.volume.usbSerial = "ZT/350 #9";
        QCOMPARE(padbackup::padFolderName(id), QString("usb-ZT_350__9"));
        id.volume.usbSerial.clear();
        id.fingerprint = "settings";
        QVERIFY(padbackup::padFolderName(id).startsWith("pad-"));
        QCOMPARE(padbackup::padFolderName(id).size(), 20);
    }

    // A pad named by its settings keeps its folder when the editor writes
    // its global.ini; another pad, one with a serial, and a damaged list of
    // names do not change where backups go.
    void padFolderFollowsTheGlobalTheEditorWrote()
    {
        QTemporaryDir data;
        const QString root = data.filePath("pad-backups");
        PadIdentity pad;
        pad.fingerprint = QByteArray(20, 'a') + "click-times";
        const QString folder = padbackup::padFolder(ztplatform::systemDisk(), pad, root);
        QCOMPARE(folder, root + "/" + padbackup::padFolderName(pad));
        QString why;
        QVERIFY2(padbackup::keepFolderFor(ztplatform::systemDisk(), pad, "new global", folder, &why), qPrintable(why));
        PadIdentity after = pad;
        after.fingerprint = fingerprintWith(pad, "new global");
        QVERIFY(padbackup::padFolderName(after) != padbackup::padFolderName(pad));
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), folder);
        // Written again from there, then back: still the one folder.
        QVERIFY(padbackup::keepFolderFor(ztplatform::systemDisk(), after, "third", folder));
        PadIdentity third = pad;
        third.fingerprint = fingerprintWith(pad, "third");
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), third, root), folder);
        QVERIFY(padbackup::keepFolderFor(ztplatform::systemDisk(), third, "new global", folder));
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), folder);
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), pad, root), folder);
        // Another pad with that global.ini has other metronome times.
        PadIdentity other;
        other.fingerprint = fingerprintWith(pad, "new global").left(20) + "other times";
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), other, root), root + "/" + padbackup::padFolderName(other));
        // A pad with a serial is named by it alone.
        PadIdentity serial = pad;
        serial.volume.uuid = "1A2B-3C4D";
        QVERIFY(padbackup::keepFolderFor(ztplatform::systemDisk(), serial, "x", root + "/1A2B-3C4D"));
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), serial, root), root + "/1A2B-3C4D");
        // Lines that are not two digest names are passed over.
        QFile list(root + "/.same-pads");
        QVERIFY(list.open(QIODevice::Append));
        list.write("pad-0123456789abcdef ../elsewhere\n" + padbackup::padFolderName(other).toLatin1() + "\n");
        list.close();
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), other, root), root + "/" + padbackup::padFolderName(other));
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), folder);
    }

    // A new sound of the same length and range at a number: only the name its
    // .prm record holds tells it from the one the backup knew; its slots are
    // emptied and named. A sound whose name is not known is judged by length.
    void aNewSoundOfTheSameLengthIsNotTheOld()
    {
        const QByteArray snare = waveprm::buildRecord(3, "Snare", 44 + 400);
        const quint32 length = waveprm::waveLength(44 + 400);
        const QByteArray clapName = waveprm::parseRecord(waveprm::buildRecord(3, "Clap", 44 + 400)).nameField;
        QVERIFY(padbackup::sameSound(snare, {length, 0, length, waveprm::parseRecord(snare).nameField}));
        QVERIFY(!padbackup::sameSound(snare, {length, 0, length, clapName}));
        QVERIFY(padbackup::sameSound(snare, {length, 0, length, QByteArray()}));
        QVector<MainWindow1Records::soundKit> kits(1);
        for (auto &p : kits[0].kpadChunk)
            p.aWaveNo = p.bWaveNo = NO_WAVE;
        MainWindow1Records::PEDAL_SETTING &h = kits[0].pedalChunk;
        h.hh_wave1_no = h.hh_wave2_no = h.hh_wave3_no = h.hh_wave4_no = h.hh_wave5_no = NO_WAVE;
        kits[0].kpadChunk[4].bWaveNo = 2;
        const QVector<padbackup::Missing> missing = padbackup::emptyMissingSlots(
                kits, {{2, {length, 0, length, clapName}}}, {{3, "Snare"}}, {{3, snare}});
        QCOMPARE(missing.size(), 1);
        QCOMPARE(missing.at(0).pad * 10 + missing.at(0).slot, 51);
        QCOMPARE(missing.at(0).name, QString("Snare"));
        QCOMPARE(kits[0].kpadChunk[4].bWaveNo, quint16(NO_WAVE));
    }

    // The list of names is read, never trusted: a last line cut short, a list
    // larger than the editor writes, a link or a pipe at its name and lines
    // with other names (reaching out with "..", not UTF-8) are passed over,
    // each at once; the next write replaces what stood there, a link itself.
    void aDamagedListOfNamesIsNotTrusted()
    {
        QTemporaryDir data;
        const QString root = data.filePath("pad-backups"), list = root + "/.same-pads";
        PadIdentity pad;
        pad.fingerprint = QByteArray(20, 'b') + "click-times";
        const QString own = root + "/" + padbackup::padFolderName(pad);
        QVERIFY(padbackup::keepFolderFor(ztplatform::systemDisk(), pad, "new global", own));
        PadIdentity after = pad;
        after.fingerprint = fingerprintWith(pad, "new global");
        const QString afterOwn = root + "/" + padbackup::padFolderName(after);
        const QByteArray whole = kf::readFile(list);
        QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), own);
        const QByteArray line = whole.trimmed();
        const QVector<QPair<const char *, std::function<bool()>>> damaged = {
            {"cut short", [&] { return QFile::remove(list) && kf::writeFile(list, line); }},
            {"too large", [&] { return QFile::remove(list) && kf::writeFile(list, whole.repeated(2000)); }},
            {"a link", [&] {
                 return kf::writeFile(data.filePath("far"), whole) && QFile::remove(list)
                        && QFile::link(data.filePath("far"), list);
             }},
            {"a pipe", [&] { return QFile::remove(list) && ::mkfifo(QFile::encodeName(list).constData(), 0644) == 0; }},
            {"other names", [&] {
                 QByteArray other = line;
                 other.replace(other.indexOf(" pad-") + 1, 4, "../x");
                 QByteArray bytes = line;
                 bytes.replace(bytes.indexOf(" pad-") + 6, 2, "\xc3\x28");
                 return QFile::remove(list) && kf::writeFile(list, other + "\n" + bytes + "\n");
             }},
        };
        for (const auto &d : damaged) {
            QVERIFY2(d.second(), d.first);
            const PipeWaits pipes({list});
            QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), afterOwn);
            QVERIFY2(!pipes.any(), d.first);
            QVERIFY2(padbackup::keepFolderFor(ztplatform::systemDisk(), pad, "new global", own), d.first);
            QCOMPARE(QFileInfo(list).isSymLink(), false);
            QCOMPARE(kf::readFile(list), whole);
            QCOMPARE(padbackup::padFolder(ztplatform::systemDisk(), after, root), own);
        }
        QCOMPARE(kf::readFile(data.filePath("far")), whole); // the link's far file as it was
    }

    void missingSoundsEmptied()
    {
        QVector<MainWindow1Records::soundKit> kits(2);
        kits[1].kpadChunk[3].aWaveNo = 4; // sound 5: gone
        kits[1].kpadChunk[3].soundName0 = "Old";
        kits[1].kpadChunk[3].bWaveNo = 1; // sound 2: on the pad
        kits[0].pedalChunk.hh_wave2_no = 8;
        for (auto &k : kits) {
            for (auto &p : k.kpadChunk) {
                if (p.aWaveNo == 0)
                    p.aWaveNo = NO_WAVE;
                if (p.bWaveNo == 0)
                    p.bWaveNo = NO_WAVE;
            }
            for (quint16 *no : {&k.pedalChunk.hh_wave1_no, &k.pedalChunk.hh_wave3_no, &k.pedalChunk.hh_wave4_no,
                                &k.pedalChunk.hh_wave5_no})
                *no = NO_WAVE;
            if (k.pedalChunk.hh_wave2_no == 0)
                k.pedalChunk.hh_wave2_no = NO_WAVE;
        }
        const QVector<padbackup::Missing> missing =
                padbackup::emptyMissingSlots(kits, {{1, padbackup::Held()}}, {{5, "Kick"}, {9, "HiHat"}});
        QCOMPARE(missing.size(), 2);
        QCOMPARE(missing.at(0).kit, 1);
        QCOMPARE(missing.at(0).pad, 0);
        QCOMPARE(missing.at(0).slot, 2);
        QCOMPARE(missing.at(0).name, QString("HiHat"));
        QCOMPARE(missing.at(1).kit * 100 + missing.at(1).pad * 10 + missing.at(1).slot, 240);
        QCOMPARE(missing.at(1).wave, 5);
        QCOMPARE(kits[1].kpadChunk[3].aWaveNo, quint16(NO_WAVE));
        QVERIFY(kits[1].kpadChunk[3].soundName0.isEmpty());
        QCOMPARE(kits[1].kpadChunk[3].bWaveNo, quint16(1));
        QCOMPARE(kits[0].pedalChunk.hh_wave2_no, quint16(NO_WAVE));
    }

    // A number given to a new sound since the backup holds another sound:
    // its slots are emptied and named as gone; a renamed sound is kept.
    void numberTakenByAnotherSoundEmptied()
    {
        QVector<MainWindow1Records::soundKit> kits(1);
        for (auto &p : kits[0].kpadChunk)
            p.aWaveNo = p.bWaveNo = NO_WAVE;
        MainWindow1Records::PEDAL_SETTING &h = kits[0].pedalChunk;
        h.hh_wave2_no = h.hh_wave3_no = h.hh_wave4_no = h.hh_wave5_no = NO_WAVE;
        kits[0].kpadChunk[0].aWaveNo = 2; // sound 3: deleted, its number given to a new one
        kits[0].kpadChunk[1].bWaveNo = 1; // sound 2: renamed since
        h.hh_wave1_no = 2;
        const QByteArray old3 = waveprm::buildRecord(3, "Snare", 44 + 400),
                         old2 = waveprm::buildRecord(2, "Kick", 44 + 800);
        const quint32 len400 = waveprm::waveLength(44 + 400), len800 = waveprm::waveLength(44 + 800),
                      len900 = waveprm::waveLength(44 + 900);
        const QHash<quint16, padbackup::Held> present = {{1, {len800, 0, len800, {}}}, {2, {len900, 0, len900, {}}}};
        QVERIFY(padbackup::sameSound(old3, {len400, 0, len400, {}}));
        QVERIFY(!padbackup::sameSound(old3, present.value(2)));
        const QVector<padbackup::Missing> missing =
                padbackup::emptyMissingSlots(kits, present, {{3, "Snare"}, {2, "Kick"}}, {{3, old3}, {2, old2}});
        QCOMPARE(missing.size(), 2);
        QCOMPARE(missing.at(0).pad * 10 + missing.at(0).slot, 10);
        QCOMPARE(missing.at(0).wave, 3);
        QCOMPARE(missing.at(0).name, QString("Snare"));
        QCOMPARE(missing.at(1).pad * 10 + missing.at(1).slot, 1);
        QCOMPARE(kits[0].kpadChunk[0].aWaveNo, quint16(NO_WAVE));
        QCOMPARE(h.hh_wave1_no, quint16(NO_WAVE));
        QCOMPARE(kits[0].kpadChunk[1].bWaveNo, quint16(1));

        kits[0].kpadChunk[1].aWaveNo = 0; // a number the backup held no sound under
        const QHash<quint16, padbackup::Held> both = {{0, {len400, 0, len400, {}}}, {1, {len800, 0, len800, {}}}};
        const QVector<padbackup::Missing> unknown = padbackup::emptyMissingSlots(kits, both, {}, {{2, old2}});
        QCOMPARE(unknown.size(), 1);
        QCOMPARE(unknown.at(0).wave, 1);
        QCOMPARE(kits[0].kpadChunk[1].aWaveNo, quint16(NO_WAVE));
        QCOMPARE(kits[0].kpadChunk[1].bWaveNo, quint16(1));
    }
};

QTEST_GUILESS_MAIN(TestPadBackup)
#include "test_padbackup.moc"

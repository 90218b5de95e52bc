#include "platform/dismount.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// The system dismounter with the volume table and the commands faked.
struct RecordingDismounter : SystemVolumeDismounter {
    Volume volume;
    QStringList programs{"sync", "udisksctl", "umount"};
    QStringList failing;
    QStringList commands;

    Volume findVolume(const QString &) const override { return volume; }
    QString findProgram(const QString &name) const override { return programs.contains(name) ? name : QString(); }
    bool run(const QString &program, const QStringList &args, int timeoutMs) override
    {
        if (timeoutMs != COMMAND_TIMEOUT_MS)
            return false;
        commands << (QStringList{program} + args).join(' ');
        return !failing.contains(program);
    }
};

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestDismount : public QObject {
    Q_OBJECT

private slots:
    void commandsChosen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("mounts");
        QTest::addColumn<QStringList>("programs");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("result");
        const QStringList all{"sync", "udisksctl", "umount"};
        QTest::newRow("udisks") << "/dev/sdz1" << 1 << all << QStringList{}
                                << QStringList{"sync -f /media/pad", "udisksctl unmount -b /dev/sdz1"} << true;
        QTest::newRow("udisks refuses") << "/dev/sdz1" << 1 << all << QStringList{"udisksctl"}
                                        << QStringList{"sync -f /media/pad", "udisksctl unmount -b /dev/sdz1",
                                                       "umount /media/pad"}
                                        << true;
        QTest::newRow("bound folder") << "/dev/sda1" << 2 << all << QStringList{}
                                      << QStringList{"sync -f /media/pad", "umount /media/pad"} << true;
        QTest::newRow("no udisksctl") << "/dev/sdz1" << 1 << QStringList{"sync", "umount"} << QStringList{"umount"}
                                      << QStringList{"sync -f /media/pad", "umount /media/pad"} << false;
        QTest::newRow("not mounted") << "" << 0 << all << QStringList{} << QStringList{} << false;
    }
    void commandsChosen()
    {
        QFETCH(QString, device);
        QFETCH(int, mounts);
        QFETCH(QStringList, programs);
        QFETCH(QStringList, failing);
        QFETCH(QStringList, commands);
        QFETCH(bool, result);
        RecordingDismounter d;
        d.volume.device = device;
        d.volume.mountCount = mounts;
        d.programs = programs;
        d.failing = failing;
        QCOMPARE(d.dismount("/media/pad/"), result);
        QCOMPARE(d.commands, commands);
    }

    // A folder bound under /media is really dismounted; dismounting it again fails.
    void realDismount()
    {
        if (geteuid() != 0)
            QSKIP("bind-mounting under /media needs root; run the tests as root to cover the real dismount");
        if (QStandardPaths::findExecutable("mount").isEmpty())
            QSKIP("mount not available");
        QTemporaryDir pad;
        const bool createdMedia = !QFileInfo::exists("/media") && QDir().mkdir("/media");
        QTemporaryDir mountPoint("/media/zt350-dismount-XXXXXX");
        QVERIFY(pad.isValid() && mountPoint.isValid());
        if (!run("mount", {"--bind", pad.path(), mountPoint.path()}))
            QSKIP("cannot bind-mount here; skipping the real dismount");
        SystemVolumeDismounter system;
        const bool dismounted = system.dismount(mountPoint.path() + "/");
        bool stillMounted = false;
        for (const QStorageInfo &v : QStorageInfo::mountedVolumes())
            stillMounted |= v.rootPath() == mountPoint.path();
        if (stillMounted)
            run("umount", {"-l", mountPoint.path()});
        QVERIFY(dismounted);
        QVERIFY(!stillMounted);
        QVERIFY(!system.dismount(mountPoint.path()));
        if (createdMedia)
            QDir().rmdir("/media");
    }
};

QTEST_GUILESS_MAIN(TestDismount)
#include "test_dismount.moc"

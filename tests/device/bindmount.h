#ifndef TESTS_DEVICE_BINDMOUNT_H
#define TESTS_DEVICE_BINDMOUNT_H

// A folder bind-mounted under /media, where the drive layer takes it for a
// removable drive. Needs root; the tests that use it skip without.

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <unistd.h>

struct BindMount {
    QString mountPoint;
    bool mounted = false;
    bool createdMedia = false;
    QString error;

    static bool run(const QString &program, const QStringList &args, QString *err = nullptr)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(1000);
            return false;
        }
        if (err)
            *err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // Why the mount cannot be tried here; empty when it can.
    static QString unavailable()
    {
        if (geteuid() != 0)
            return "bind-mounting a pad folder under /media needs root; run the tests as root to cover it";
        if (QStandardPaths::findExecutable("mount").isEmpty() || QStandardPaths::findExecutable("umount").isEmpty())
            return "mount/umount not available";
        return QString();
    }

    // Mounts `source` at a new folder below /media; false (with `error`) when
    // the system refuses.
    bool mount(const QString &source, const QString &name = "zt350-test")
    {
        if (!QFileInfo::exists("/media")) {
            createdMedia = QDir().mkdir("/media"); // another test may have made it meanwhile
            if (!QFileInfo("/media").isDir())
                return false;
        }
        QTemporaryDir point("/media/" + name + "-XXXXXX");
        if (!point.isValid())
            return false;
        point.setAutoRemove(false); // removed after the unmount
        mountPoint = point.path();
        mounted = run("mount", {"--bind", source, mountPoint}, &error);
        return mounted;
    }

    QString root() const { return mountPoint + "/"; }

    // The mount takes no more writes.
    bool makeReadOnly() { return mounted && run("mount", {"-o", "remount,bind,ro", mountPoint}, &error); }

    // True while a volume is mounted at the mount point.
    bool isMounted() const
    {
        for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
            if (v.rootPath() == mountPoint)
                return true;
        }
        return false;
    }

    ~BindMount()
    {
        if (isMounted() && !run("umount", {mountPoint}))
            run("umount", {"-l", mountPoint});
        if (!mountPoint.isEmpty())
            QDir().rmdir(mountPoint);
        if (createdMedia)
            QDir().rmdir("/media");
    }
};

// A small tmpfs on a new folder, unmounted when the guard goes, whatever the
// test's outcome. Needs root.
struct TmpfsMount {
    QTemporaryDir point; // removed after the unmount
    bool mounted = false;
    QString error;

    bool mount(const QString &size)
    {
        mounted = point.isValid()
                && BindMount::run("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", point.path()}, &error);
        return mounted;
    }
    ~TmpfsMount()
    {
        if (mounted && !BindMount::run("umount", {point.path()}))
            BindMount::run("umount", {"-l", point.path()});
    }
};

// An ext4 image of a folder, mounted at one folder in turn from new loop
// devices (each attached while the ones before stay attached, so each mount
// has a device node of its own). Needs root.
struct LoopImage {
    QTemporaryDir dir; // the image and the mount point
    QString image = dir.filePath("pad.img");
    QString point = dir.filePath("pad");
    QStringList devices;
    bool mounted = false;
    QString error;

    bool make(const QString &folder)
    {
        return QDir().mkpath(point)
                && BindMount::run("mkfs.ext4", {"-q", "-F", "-d", folder, image, "32M"}, &error);
    }
    bool mountOnNewDevice()
    {
        QProcess p;
        p.start("losetup", {"--find", "--show", image});
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            return false;
        devices << QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        mounted = BindMount::run("mount", {devices.last(), point}, &error);
        return mounted;
    }
    bool unmount()
    {
        mounted = mounted && !BindMount::run("umount", {point}, &error);
        return !mounted;
    }
    ~LoopImage()
    {
        if (mounted && !BindMount::run("umount", {point}))
            BindMount::run("umount", {"-l", point});
        for (const QString &device : qAsConst(devices))
            BindMount::run("losetup", {"-d", device});
    }
};

#endif

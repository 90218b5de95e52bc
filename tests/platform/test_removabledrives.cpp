#include "platform/removabledrives.h"
#include "platform/volumeidentity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ztplatform;

class TestRemovableDrives : public QObject
{
    Q_OBJECT

    static void writeFile(const QString &path, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    // A sysfs tree: sda (fixed disk, partition sda1), sdb (removable, sdb1),
    // sdc (USB disk that calls itself fixed, sdc1).
    static QString makeSys(const QTemporaryDir &dir)
    {
        const QString sys = dir.path() + "/sys";
        const QString pci = sys + "/devices/pci0000:00/0000:00:1f.2/ata1/host0/block";
        const QString usb = sys + "/devices/pci0000:00/0000:00:14.0/usb2/2-1/host6/block";
        writeFile(pci + "/sda/removable", "0\n");
        writeFile(pci + "/sda/sda1/partition", "1\n");
        writeFile(usb + "/sdb/removable", "1\n");
        writeFile(usb + "/sdb/sdb1/partition", "1\n");
        writeFile(usb + "/sdc/removable", "0\n");
        writeFile(usb + "/sdc/sdc1/partition", "1\n");
        QDir().mkpath(sys + "/dev/block");
        QDir().mkpath(sys + "/class/block");
        QFile::link(pci + "/sda/sda1", sys + "/dev/block/8:1");
        QFile::link(usb + "/sdb/sdb1", sys + "/dev/block/8:17");
        QFile::link(usb + "/sdc/sdc1", sys + "/dev/block/8:33");
        QFile::link(usb + "/sdb", sys + "/dev/block/8:16");
        QFile::link(pci + "/sda/sda1", sys + "/class/block/sda1");
        QFile::link(usb + "/sdb/sdb1", sys + "/class/block/sdb1");
        return sys;
    }

private slots:
    void parsesMountinfoWithEscapes()
    {
        const QByteArray text =
                "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                "90 27 8:17 / /media/user/MY\\040PAD rw,nosuid shared:50 - vfat /dev/sdb1 rw,uid=1000\n";
        const QVector<MountEntry> m = parseMountTable(text);
        QCOMPARE(m.size(), 3);
        QCOMPARE(m[1].mountPoint, QString("/"));
        QCOMPARE(m[1].source, QString("/dev/vda"));
        QCOMPARE(m[2].mountPoint, QString("/media/user/MY PAD"));
        QCOMPARE(m[2].fsType, QString("vfat"));
        QCOMPARE(m[2].source, QString("/dev/sdb1"));
        QCOMPARE(m[2].majorMinor, QString("8:17"));
    }

    void parsesProcMounts()
    {
        const QByteArray text = "/dev/sdb1 /mnt/usb\\040stick vfat rw 0 0\nproc /proc proc rw 0 0\n\n";
        const QVector<MountEntry> m = parseMountTable(text);
        QCOMPARE(m.size(), 2);
        QCOMPARE(m[0].mountPoint, QString("/mnt/usb stick"));
        QCOMPARE(m[0].source, QString("/dev/sdb1"));
        QVERIFY(m[0].majorMinor.isEmpty());
    }

    void removableFlagsFromSysfs()
    {
        QTemporaryDir dir;
        const QString sys = makeSys(dir);
        MountEntry fixed{"/dev/sda1", "/home", "ext4", "8:1"};
        MountEntry stick{"/dev/sdb1", "/mnt/stick", "vfat", "8:17"};
        MountEntry usbDisk{"/dev/sdc1", "/mnt/disk", "vfat", "8:33"};
        MountEntry wholeDisk{"/dev/sdb", "/mnt/whole", "vfat", "8:16"};
        MountEntry media{"/dev/sda1", "/media/user/X", "ext4", "8:1"};
        MountEntry runMedia{"overlay", "/run/media/user/Y", "overlay", "0:55"};
        QVERIFY(!isRemovableMount(fixed, sys));
        QVERIFY(isRemovableMount(stick, sys));    // partition resolved to its disk
        // A USB disk that calls itself fixed is not offered unless the desktop
        // mounted it under /media.
        QVERIFY(!isRemovableMount(usbDisk, sys));
        QVERIFY(isRemovableMount(wholeDisk, sys));
        QVERIFY(isRemovableMount(media, sys));    // mounted by the desktop
        QVERIFY(isRemovableMount(runMedia, sys));
        // Without major:minor (/proc/mounts) the device name is used.
        MountEntry byName{"/dev/sdb1", "/mnt/stick", "vfat", QString()};
        QVERIFY(isRemovableMount(byName, sys));
        MountEntry unknown{"/dev/nothing", "/mnt/n", "vfat", QString()};
        QVERIFY(!isRemovableMount(unknown, sys));
    }

    void drivesOfAMountTable()
    {
        QTemporaryDir dir;
        const QString sys = makeSys(dir);
        const QString table = dir.path() + "/mountinfo";
        writeFile(table,
                  "22 27 0:21 / /proc rw - proc proc rw\n"
                  "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                  "30 27 8:17 / /mnt/stick rw - vfat /dev/sdb1 rw\n"
                  "31 27 0:40 / /media/zt350-test-1 rw - ext4 /dev/sda1 rw\n"
                  "32 27 0:41 / /tmp rw - tmpfs tmpfs rw\n"
                  "33 27 8:33 / /mnt/stick rw - vfat /dev/sdc1 rw\n");
        const QVector<DriveEntry> drives = drivesFromMountTable(table, sys);
        QCOMPARE(drives.size(), 3);
        QCOMPARE(drives[0].root, QString("/"));
        QVERIFY(!drives[0].removable);
        QCOMPARE(drives[1].root, QString("/media/zt350-test-1/"));
        QVERIFY(drives[1].removable);
        // The later mount on /mnt/stick hides the earlier one and comes last;
        // its disk is not flagged removable.
        QCOMPARE(drives[2].root, QString("/mnt/stick/"));
        QVERIFY(!drives[2].removable);

        SystemDriveSource source(table, sys);
        QCOMPARE(source.drives().size(), 3);
        QVERIFY(drivesFromMountTable(dir.path() + "/missing", sys).isEmpty());
    }

    // Two pads mounted in turn at one folder from one device node: the
    // serial behind the source's by-uuid link tells them apart.
    void volumeIdentityFromTheMountTableAndByUuid()
    {
        QTemporaryDir dir;
        const QString base = QFileInfo(dir.path()).canonicalFilePath();
        const QString point = base + "/media/PAD", byUuid = base + "/by-uuid";
        QVERIFY(QDir().mkpath(point + "/inner") && QDir().mkpath(byUuid));
        writeFile(base + "/dev/sdb1", "");
        writeFile(base + "/dev/sdc1", "");
        QVERIFY(QFile::link("../dev/sdb1", byUuid + "/ABCD-1234"));
        QVERIFY(QFile::link("../dev/gone", byUuid + "/DEAD-0000"));
        const QString table = base + "/mountinfo";
        auto mount = [&](const QString &source) {
            writeFile(table, "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
                             "90 27 8:17 / " + point.toUtf8() + " rw - vfat /dev/sdc1 rw\n"
                             "91 27 8:17 / " + point.toUtf8() + " rw - vfat " + source.toUtf8() + " rw\n"
                             "92 90 0:44 / " + point.toUtf8() + "/inner rw - tmpfs tmpfs rw\n");
            return readVolumeIdentity(point + "/", table, byUuid);
        };
        const VolumeIdentity a = mount(base + "/dev/sdb1");
        QVERIFY(a.valid);
        QCOMPARE(a.source, base + "/dev/sdb1"); // the later mount at the point
        QCOMPARE(a.uuid, QString("ABCD-1234"));
        QVERIFY(QFile::link("../dev/sdb1", byUuid + "/EF01-5678") && QFile::remove(byUuid + "/ABCD-1234"));
        const VolumeIdentity b = mount(base + "/dev/sdb1");
        QCOMPARE(b.uuid, QString("EF01-5678"));
        QCOMPARE(QPair(a.device, a.inode), QPair(b.device, b.inode));
        QVERIFY(a != b);
        QCOMPARE(mount(base + "/dev/sdb1"), b);
        // The USB device's own serial tells byte copies on two sticks apart;
        // none read is no difference.
        QTemporaryDir sysDir;
        const QString sys = makeSys(sysDir);
        writeFile(sys + "/devices/pci0000:00/0000:00:14.0/usb2/2-1/idVendor", "0781\n");
        writeFile(sys + "/devices/pci0000:00/0000:00:14.0/usb2/2-1/serial", "PAD-0001\n");
        const VolumeIdentity stick = readVolumeIdentity(point + "/", table, byUuid, sys);
        QCOMPARE(stick.usbSerial, QString("PAD-0001"));
        QCOMPARE(stick, b);
        VolumeIdentity otherStick = stick;
        otherStick.usbSerial = "PAD-0002";
        QVERIFY(otherStick != stick);
        // No UUID for a source that is no device; the nested mount is not the folder's.
        const VolumeIdentity t = readVolumeIdentity(point + "/inner", table, byUuid);
        QCOMPARE(t.source, QString("tmpfs"));
        QVERIFY(t.uuid.isEmpty());
        QVERIFY(!readVolumeIdentity(base + "/missing", table, byUuid).valid);
        QVERIFY(!(VolumeIdentity() == VolumeIdentity()));
    }
};

QTEST_GUILESS_MAIN(TestRemovableDrives)
#include "test_removabledrives.moc"

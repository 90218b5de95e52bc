#include "device/devicedetector.h"
#include "fakedrives.h"
#include "platform/removabledrives.h"

#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// A folder laid out as the pad, bind-mounted under /media, must reach the
// chooser through the real mount table.
class TestPadMount : public QObject
{
    Q_OBJECT

    QString m_mountPoint;
    bool m_mounted = false;
    bool m_createdMedia = false;

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

private slots:
    void cleanup()
    {
        if (m_mounted && run("umount", {m_mountPoint}))
            m_mounted = false;
        if (m_mounted)
            run("umount", {"-l", m_mountPoint});
        m_mounted = false;
        if (!m_mountPoint.isEmpty())
            QDir().rmdir(m_mountPoint);
        m_mountPoint.clear();
        if (m_createdMedia)
            QDir().rmdir("/media");
        m_createdMedia = false;
    }

    void boundPadAppearsInTheChooser()
    {
        if (geteuid() != 0)
            QSKIP("bind-mounting a pad folder under /media needs root; run the tests as root to cover it");
        if (QStandardPaths::findExecutable("mount").isEmpty() || QStandardPaths::findExecutable("umount").isEmpty())
            QSKIP("mount/umount not available");

        QTemporaryDir pad;
        QVERIFY(pad.isValid());
        makePadTree(pad.path());

        if (!QFileInfo::exists("/media")) {
            QVERIFY(QDir().mkdir("/media"));
            m_createdMedia = true;
        }
        QTemporaryDir mountPoint("/media/zt350-test-XXXXXX");
        QVERIFY(mountPoint.isValid());
        mountPoint.setAutoRemove(false); // removed by cleanup() after the unmount
        m_mountPoint = mountPoint.path();

        QString err;
        if (!run("mount", {"--bind", pad.path(), m_mountPoint}, &err))
            QSKIP(qPrintable("cannot bind-mount here (" + err + "); skipping the real drive test"));
        m_mounted = true;

        ztplatform::setDriveSource(nullptr); // the real mount table
        const QString root = m_mountPoint + "/";
        bool listed = false;
        for (const DriveEntry &d : ztplatform::driveSource()->drives()) {
            if (d.root == root) {
                listed = true;
                QVERIFY(d.removable);
            }
        }
        QVERIFY(listed);

        DeviceDetector chooser(nullptr);
        const QVector<QString> roots = chooser.getDevicePath();
        QVERIFY(roots.contains(root));
        auto *combo = chooser.findChild<QComboBox *>("comboBox");
        QVERIFY(combo->findText(root) > 0);
        // The pad is the last drive that looks like one, so it is preselected.
        QCOMPARE(combo->currentText(), root);
    }
};

QTEST_MAIN(TestPadMount)
#include "test_padmount.moc"

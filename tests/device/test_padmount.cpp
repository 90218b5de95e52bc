#include "bindmount.h"
#include "fakedrives.h"
#include "platform/removabledrives.h"
#include "widgets/devicedetector.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

// A folder laid out as the pad, bind-mounted under /media, must reach the
// chooser through the real mount table.
class TestPadMount : public QObject
{
    Q_OBJECT

private slots:
    void boundPadAppearsInTheChooser()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));

        QTemporaryDir pad;
        QVERIFY(pad.isValid());
        makePadTree(pad.path());
        BindMount bind;
        if (!bind.mount(pad.path()))
            QSKIP(qPrintable("cannot bind-mount here (" + bind.error + "); skipping the real drive test"));

        const DriveSource &system = ztplatform::systemDriveSource(); // the real mount table
        const QString root = bind.root();
        bool listed = false;
        for (const DriveEntry &d : system.drives()) {
            if (d.root == root) {
                listed = true;
                QVERIFY(d.removable);
            }
        }
        QVERIFY(listed);

        DeviceDetector chooser(system);
        chooser.getDevicePath();
        // Listed once its root answered, off the GUI thread.
        QTRY_VERIFY(chooser.getDevicePath().contains(root));
        auto *combo = chooser.findChild<QComboBox *>("comboBox");
        QVERIFY(combo->findText(root) > 0);
        // The pad is the last drive that looks like one, so it is preselected.
        QCOMPARE(combo->currentText(), root);
    }
};

QTEST_MAIN(TestPadMount)
#include "test_padmount.moc"

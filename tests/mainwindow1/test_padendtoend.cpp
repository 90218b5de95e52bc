#include "device/bindmount.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "device/writeback.h"
#include "mainwindow1/editing/kittables.h"
#include "mainwindow1/startup.h"
#include "padwindow.h"
#include "widgets/devicedetector.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include <cstring>
#include <memory>

// The whole road on a real mount: a pad folder bind-mounted under /media is
// picked in the chooser, a sound is added, a kit edited, the window closed
// with Yes; then the pad's files are compared and the volume is gone.
class TestPadEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;

    // A pad with sounds 1 ... 3 and kit 1 as the kit page holds it.
    static void layOut(PadFixture &pad)
    {
        writeClicks(pad);
        for (int n = 1; n <= 3; ++n)
            pad.addWave(n);
        writeCleanKits(pad, {0, 2});
        QVector<MainWindow1Records::soundKit> defaults(1, MainWindow1Tables::defaultKit(0));
        QByteArray record(KIT_RECORD_SIZE, '\0');
        MainWindow1Records::updateKit(record.data(), defaults, 1);
        kf::writeFile(writeback::kitFileName(pad.kitPath, 1), record);
    }

    // The chooser answered with the mounted pad; the window is up in device mode.
    static bool choosePad(EditorStartup &startup, const QString &root)
    {
        auto *combo = startup.chooser->findChild<QComboBox *>("comboBox");
        // Listed once its root answered, off the GUI thread.
        if (!QTest::qWaitFor([&] { return combo->findText(root) >= 0; }, 5000))
            return false;
        combo->setCurrentIndex(combo->findText(root));
        startup.chooser->findChild<QPushButton *>("btnOk")->click();
        if (!startup.waitForChoice())
            return false;
        startup.showWindow();
        return !startup.window->pad().isUDiskFlag();
    }

private slots:
    void initTestCase()
    {
        ztInitResources();
        registerQueuedTypes();
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_work.path()); // the sound list is written here
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldDir); }

    void soundAndKitReachTheMountedPad()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadFixture pad;
        layOut(pad);
        const QString tone = makeTone(m_work.filePath("snare.wav"), 1.0, 200);
        QVERIFY(!tone.isEmpty());
        const QStringList before = pad.snapshot();
        const QByteArray kit1 = kf::readFile(writeback::kitFileName(pad.kitPath, 1));
        BindMount bind;
        if (!bind.mount(pad.root, "zt350-e2e"))
            QSKIP(qPrintable("cannot bind-mount here (" + bind.error + ")"));
        ScriptedPrompter prompts; // the real mount table and dismount

        EditorStartup startup(WindowServices{&prompts});
        QVERIFY(choosePad(startup, bind.root()));
        MainWindow1 *w = startup.window;
        QVector<MainWindow1Records::strSoundItem> items(1);
        items[0].file = tone;
        MainWindow1Records::strSoundGroup group;
        group.name = w->library().currentOldGroupName();
        group.itemList = &items;
        w->soundFiles().addFileToGroupList(&group, w->library().totalListItemModel(), 4);
        QTRY_VERIFY_WITH_TIMEOUT(w->pad().padBatchKind() == SyncBatch::Idle, 60000);
        w->form()->kitNumber->clear();
        QTest::keyClicks(w->form()->kitNumber, "1");
        w->form()->btnSoundKit->click();
        w->form()->kitVolumeSpinBox->setValue(w->form()->kitVolumeSpinBox->value() - 1);

        prompts.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(w->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(startup.window.isNull());
        QCOMPARE(prompts.texts().size(), 2); // "Quit?" and the notice, nothing failed
        QVERIFY(!bind.isMounted());

        // The files as they now lie in the pad's folder.
        const QByteArray wav = kf::readFile(pad.dataPath + "/001/004.wav");
        QCOMPARE(wav.size(), 44 + 4 * 48000);
        QByteArray prm(64, '\0');
        kf::wr16(prm, 0, 4);
        prm.replace(2, 5, "snare");
        kf::wr32(prm, 26, 48000);
        kf::wr32(prm, 34, 48000);
        kf::wr32(prm, 38, quint32(wav.size()));
        prm[42] = 1;
        QCOMPARE(kf::readFile(pad.prmPath + "/001/004.prm"), prm);
        const QByteArray written = kf::readFile(writeback::kitFileName(pad.kitPath, 1));
        QCOMPARE(written, QByteArray(kit1).replace(14, 1, QByteArray(1, char(kit1.at(14) - 1))));
        QByteArray alter(writeback::ALTER_FILE_SIZE, '\0');
        kf::wr16(alter, 0, 0xAA55);
        kf::wr16(alter, 2, 0xAA55);
        alter[6] = 1;
        QCOMPARE(kf::readFile(pad.sysPath + "/alter.ini"), alter);
        QStringList added = pad.snapshot();
        for (const QString &line : before)
            added.removeOne(line);
        QCOMPARE(added.size(), 4); // k001.ini, alter.ini and the new pair
    }

    // The pad pulled after the load and plugged in again, on another device
    // node, before the close: it is the pad loaded, and it is written.
    void thePadBackOnAnotherDeviceIsWritten()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadWindow f;
        layOut(f.pad);
        LoopImage volume;
        if (!volume.make(f.pad.root) || !volume.mountOnNewDevice())
            QSKIP(qPrintable("cannot mount an ext4 image here (" + volume.error + ")"));
        const QString kitFile = writeback::kitFileName(volume.point + "/ZT350/KIT", 1);
        const QByteArray kit1 = kf::readFile(kitFile);
        MainWindow1 *w = f.openAt(volume.point);
        QVERIFY(!w->pad().isUDiskFlag());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_volume ^= 1; });
        QVERIFY(volume.unmount());
        QVERIFY(volume.mountOnNewDevice());
        QCOMPARE(volume.devices.size(), 2);
        QVERIFY(volume.devices.at(0) != volume.devices.at(1));

        QVERIFY(f.closeWithYes());
        QCOMPARE(f.prompter.texts().size(), 2); // "Quit?" and the notice, nothing failed
        QCOMPARE(kf::readFile(kitFile), QByteArray(kit1).replace(14, 1, QByteArray(1, char(kit1.at(14) ^ 1))));
        QByteArray alter(writeback::ALTER_FILE_SIZE, '\0');
        kf::wr16(alter, 0, 0xAA55);
        alter[6] = 1;
        QCOMPARE(kf::readFile(volume.point + "/ZT350/SYS/alter.ini"), alter);
    }

    void aRemountWithAnotherKitIsNotWritten_data()
    {
        QTest::addColumn<bool>("duringLoad");
        QTest::newRow("a mount id given again, after the load") << false;
        QTest::newRow("during the load") << true;
    }

    // The pad's volume unmounted and mounted again at its place with kit 5
    // changed: the new mount is judged by the whole identity, kits included,
    // also where the kernel gives the old mount id and root inode again, and
    // also when it happens while the pad loads.
    void aRemountWithAnotherKitIsNotWritten()
    {
        QFETCH(bool, duringLoad);
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        std::unique_ptr<ReusedMountIds> ids(duringLoad ? nullptr : new ReusedMountIds);
        PadWindow f;
        f.volumes = ids.get();
        layOut(f.pad);
        std::memset(f.pad.kits.base[1].kit_name, 0, KIT_NAME_FIELD); // a box while the pad loads
        f.pad.saveKits();
        BindMount bind;
        if (!bind.mount(f.pad.root, "zt350-remount"))
            QSKIP(qPrintable("cannot bind-mount here (" + bind.error + ")"));
        auto remount = [&]() {
            QVERIFY(BindMount::run("umount", {bind.mountPoint}));
            QByteArray kit5 = kf::readFile(writeback::kitFileName(f.pad.kitPath, 5));
            kit5[14] = char(kit5.at(14) ^ 1);
            QVERIFY(kf::writeFile(writeback::kitFileName(f.pad.kitPath, 5), kit5));
            QVERIFY(BindMount::run("mount", {"--bind", f.pad.root, bind.mountPoint}));
        };
        if (duringLoad)
            f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &) {
                f.prompter.onPrompt = nullptr;
                remount();
            };
        MainWindow1 *w = f.openAt(bind.mountPoint);
        QVERIFY(!w->pad().isUDiskFlag());
        if (!duringLoad)
            remount();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_volume ^= 1; });
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QVERIFY(f.prompter.texts().last().contains(
                "\r\nIt is a copy of the loaded pad with other kits: Kit 5 differs.\r\nKit 1 and 2 were not saved"));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(w->pad().isUDiskFlag());
    }

    void aFailedDismountIsReported()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadFixture pad;
        layOut(pad);
        BindMount bind;
        if (!bind.mount(pad.root, "zt350-e2e"))
            QSKIP(qPrintable("cannot bind-mount here (" + bind.error + ")"));
        ScriptedPrompter prompts;

        EditorStartup startup(WindowServices{&prompts});
        QVERIFY(choosePad(startup, bind.root()));
        QFile busy(bind.root() + "ZT350/SYS/global.ini"); // keeps the volume busy
        QVERIFY(busy.open(QIODevice::ReadOnly));
        prompts.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(startup.window->close());
        QCOMPARE(prompts.titles().last(), QString("Warning"));
        QCOMPARE(prompts.texts().last(),
                 QString("The sampler pad could not be ejected. Eject it in the system before you unplug it."));
        QVERIFY(bind.isMounted());
        busy.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestPadEndToEnd)
#include "test_padendtoend.moc"

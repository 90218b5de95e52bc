// The pad's backups through the window: each load keeps the pad's kits,
// settings and .prm records as they were, as plain files, before anything is
// written to it; a backup that cannot be written is told once and the pad is
// used all the same; a backup restored from the File menu shows its kits at once, is one step of the history, and
// the close writes it to the pad as any edit; its sounds no longer on the pad
// are named and their slots left empty.
#include "device/padbackup.h"
#include "platform/disk.h"
#include "device/waveprm.h"
#include "device/writeback.h"
#include "history/edithistory.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "padwindow.h"
#include "support/hangingdisk.h"
#include "support/passdisk.h"
#include "support/switchdisk.h"
#include "platform/silentfiles.h"

#include <QAction>
#include <QDirIterator>
#include <QProgressDialog>
#include <QSemaphore>
#include <QTreeView>
#include <QtTest>

#include <sys/mount.h>

namespace {

QString kitFile(PadWindow &f, int kit)
{
    return f.pad.kitPath + QString("/k%1.ini").arg(kit, 3, 10, QChar('0'));
}

QAction *restoreAction(MainWindow1 *w)
{
    return w->findChild<QAction *>("actionRestore_from_backup");
}

// The plain files of a backup below `folder` ("KIT/"), by path, read as a user would.
QVector<padbackup::File> backedUp(const QString &backup, const QString &folder)
{
    QVector<padbackup::File> files;
    QDirIterator it(backup + "/" + folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append({path.mid(backup.size() + 1), kf::readFile(path)});
    }
    std::sort(files.begin(), files.end(),
              [](const padbackup::File &a, const padbackup::File &b) { return a.path < b.path; });
    return files;
}

// The system's identity of a volume without either serial: its backups are
// named by its settings.
struct NoVolumeSerial : ztplatform::VolumeIdentitySource {
    ztplatform::VolumeIdentity identity(const QString &folder) const override
    {
        ztplatform::VolumeIdentity id = ztplatform::SystemVolumeIdentitySource().identity(folder);
        id.uuid.clear();
        id.usbSerial.clear();
        return id;
    }
    ztplatform::MountStamp mountStamp(int folderFd) const override { return ztplatform::readMountStamp(folderFd); }
};

// A global.ini whose audio volume is `volume`.
QByteArray globalWithVolume(quint8 volume)
{
    percussionpadfile m;
    m.curFlag = 1;
    m.initFileChunk();
    m.new_globalChunk.audio.volume = volume;
    return percussionpadfile::packGlobalChunk(m.new_globalChunk);
}

void layOut(PadWindow &f)
{
    for (int n = 1; n <= 3; ++n)
        f.pad.addWave(n);
    writeCleanKits(f.pad, {0, 2});
    // Controls the kit page takes without a box.
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        percussionpadfile::P_KIT_BASE_PARA &b = f.pad.kits.base[size_t(k)];
        for (quint16 *c : {&b.effect1_ctrl1, &b.effect1_ctrl2, &b.effect1_ctrl3, &b.effect2_ctrl1, &b.effect2_ctrl2,
                           &b.effect2_ctrl3, &b.effect3_ctrl1, &b.effect3_ctrl2, &b.effect3_ctrl3})
            *c %= 512;
        percussionpadfile::P_PEDAL_SETTING &h = f.pad.kits.pedal[size_t(k)];
        for (quint16 *c : {&h.active_effectCtrl1, &h.active_effectCtrl2, &h.active_effectCtrl3})
            *c %= 512;
    }
    f.pad.saveKits();
}

} // namespace

class TestPadBackups : public QObject
{
    Q_OBJECT

private slots:
    void eachLoadIsBackedUp()
    {
        PadWindow f;
        layOut(f);
        kf::writeFile(f.pad.sysPath + "/alter.ini", QByteArray(16, '\1'));
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        QVERIFY(restoreAction(w)->isVisible());
        w->padSync().waitForBackup();
        const QString folder = w->padSync().backupFolder();
        QVERIFY(folder.startsWith(f.work.path() + "/data/zt350editor/pad-backups/"));
        const QVector<padbackup::Backup> backups = padbackup::list(ztplatform::systemDisk(), folder);
        QCOMPARE(backups.size(), 1);
        const QString b = backups.first().folder;
        const QVector<padbackup::File> kits = backedUp(b, "KIT"), sys = backedUp(b, "SYS");
        QCOMPARE(kits.size(), KIT_MAX_COUNT);
        for (int k : {1, 50, 100})
            QCOMPARE(kits.at(k - 1).bytes, kf::readFile(kitFile(f, k)));
        QCOMPARE(sys.size(), 2);
        for (const padbackup::File &file : sys)
            QCOMPARE(file.bytes, file.path == "SYS/alter.ini" ? QByteArray(16, '\1')
                                                              : kf::readFile(f.pad.sysPath + "/global.ini"));
        const QVector<padbackup::File> prm = backedUp(b, "WAV_PRM");
        QCOMPARE(prm.size(), 3);
        QCOMPARE(prm.at(1).bytes, kf::readFile(f.pad.prmPath + "/001/002.prm"));
        QCOMPARE(f.prompter.texts().join("|"), QString());

        // The pad loaded again in the same window, a kit changed on it meanwhile: a backup of its own.
        QByteArray kit = kf::readFile(kitFile(f, 50));
        kit[kit.size() - 1] = char(kit.at(kit.size() - 1) ^ 1);
        QVERIFY(kf::writeFile(kitFile(f, 50), kit));
        QTest::qWait(1100); // the next backup's folder is named by another second
        w->padSync().chooseDrive(f.pad.root);
        QVERIFY(!w->pad().isUDiskFlag());
        w->padSync().waitForBackup();
        const QVector<padbackup::Backup> again = padbackup::list(ztplatform::systemDisk(), folder);
        QCOMPARE(again.size(), 2);
        QCOMPARE(backedUp(again.first().folder, "KIT").at(49).bytes, kit); // newest first
        QCOMPARE(f.prompter.texts().join("|"), QString());
    }

    // A pad the load puts in order first is backed up before that, once.
    void aPadPutInOrderIsBackedUpFirst()
    {
        PadWindow f;
        layOut(f);
        kf::writeFile(f.pad.dataPath + "/001/.006.wav.3.zt-part", "cut");
        kf::writeFile(f.pad.prmPath + "/001/.006.prm.3.zt-part", "cut");
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        w->padSync().waitForBackup();
        QVERIFY(!QFile::exists(f.pad.dataPath + "/001/.006.wav.3.zt-part"));
        const QVector<padbackup::Backup> backups = padbackup::list(ztplatform::systemDisk(), w->padSync().backupFolder());
        QCOMPARE(backups.size(), 1);
        QCOMPARE(kf::readFile(backups.first().folder + "/KIT/k001.ini"), kf::readFile(kitFile(f, 1)));
        QCOMPARE(backedUp(backups.first().folder, "WAV_PRM").size(), 3);
        for (const QString &t : f.prompter.texts())
            QVERIFY2(!t.contains("backed up"), qPrintable(t));
    }

    // A backup that cannot be written (no folder, a full disk) is told in
    // one box; the pad is used all the same and nothing half-written stays.
    void aBackupNotWrittenIsToldOnce_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("no folder") << false;
        QTest::newRow("full disk") << true;
    }
    void aBackupNotWrittenIsToldOnce()
    {
        QFETCH(bool, fullDisk);
        PadWindow f;
        layOut(f);
        const QString backups = f.work.path() + "/data/zt350editor/pad-backups";
        if (fullDisk) {
            // A file system of its own that holds few files, as root can mount one.
            QVERIFY(QDir().mkpath(backups));
            if (::mount("tmpfs", QFile::encodeName(backups).constData(), "tmpfs", 0, "size=1m,nr_inodes=40") != 0)
                QSKIP("a small file system cannot be mounted here");
        } else {
            QVERIFY(QDir().mkpath(f.work.path() + "/data"));
            QVERIFY(kf::writeFile(f.work.path() + "/data/zt350editor", "a file, not a folder"));
        }
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        QCoreApplication::processEvents();
        const QStringList leftInside =
                QDir(w->padSync().backupFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (fullDisk)
            ::umount2(QFile::encodeName(backups).constData(), MNT_DETACH);
        QVERIFY(!w->pad().isUDiskFlag()); // the pad is used all the same
        QVERIFY(!w->form()->labPad01a->text().isEmpty());
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY(f.prompter.texts().first().startsWith("The sampler pad could not be backed up into"));
        if (fullDisk) {
            QVERIFY2(f.prompter.texts().first().contains("No space left on device"), qPrintable(f.prompter.texts().first()));
            QCOMPARE(leftInside, QStringList());
        }
    }

    // The load does not wait for its backup; a write to the pad does, with
    // the window's events served and its progress shown, and the backup
    // keeps the pad as it was loaded.
    void aWriteWaitsForTheBackupWithProgress()
    {
        struct HeldDisk : PassDisk
        {
            QSemaphore go;
            QAtomicInt held;
            int mkdirAt(int dir, const QByteArray &name, mode_t mode) override
            {
                if (held.fetchAndStoreOrdered(1) == 0)
                    go.tryAcquire(1, 60000); // not for ever: a window that blocks then fails below
                return PassDisk::mkdirAt(dir, name, mode);
            }
        } disk;
        PadWindow f;
        layOut(f);
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        f.backupDisk = &disk;
        MainWindow1 *w = f.open();
        QTRY_COMPARE(disk.held.loadAcquire(), 1); // the load ended, its backup held
        const QString folder = w->padSync().backupFolder();
        QVERIFY(padbackup::list(ztplatform::systemDisk(), folder).isEmpty());
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        // The backup is let go once the window shows its progress.
        QStringList shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, w, [&] {
            for (QProgressDialog *d : w->findChildren<QProgressDialog *>()) {
                if (d->isVisible())
                    shown << d->labelText();
            }
            if (!shown.isEmpty()) {
                poll.stop();
                disk.go.release();
            }
        });
        poll.start(20);
        const bool closed = f.closeWithYes();
        QVERIFY(closed);
        QCOMPARE(shown, QStringList{"Keeping a backup of the sampler pad…"});
        const QVector<padbackup::Backup> backups = padbackup::list(ztplatform::systemDisk(), folder);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(kf::readFile(backups.first().folder + "/KIT/k001.ini"), kit1);
        QVERIFY(kf::readFile(kitFile(f, 1)) != kit1);
    }

    // A backup that stops moving on holds a write to the pad no longer than
    // the limit: the box asks; No leaves the pad as it is and the window on
    // it, Yes writes without the backup, which is then neither told nor kept.
    void aBackupThatStopsMovingOnIsAskedAbout()
    {
        struct HeldDisk : PassDisk
        {
            QSemaphore go;
            QAtomicInt held;
            int mkdirAt(int dir, const QByteArray &name, mode_t mode) override
            {
                if (held.fetchAndStoreOrdered(1) == 0)
                    go.tryAcquire(1, 60000);
                return PassDisk::mkdirAt(dir, name, mode);
            }
        };
        auto *disk = new HeldDisk; // never freed: the backup left behind may still call it
        PadWindow f;
        layOut(f);
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        f.backupDisk = disk;
        MainWindow1 *w = f.open();
        QTRY_COMPARE(disk->held.loadAcquire(), 1); // the load ended, its backup held
        const QString folder = w->padSync().backupFolder();
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        const QString asked = "The backup of the sampler pad into " + folder
                              + " has not moved on for 10 seconds: the folder may not answer.\r\nGo on without the "
                                "backup? With No, nothing is written to the sampler pad now.";
        f.prompter.clear();
        // The window paints while the backup is held, before it asks.
        const TurnsWhile held([&] { return f.prompter.texts().size() == 1; });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!f.closeWithYes()); // the backup's question takes its default, No
        QVERIFY2(clock.elapsed() >= 10000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList({"Quit?", asked}));
        QCOMPARE(kf::readFile(kitFile(f, 1)), kit1);
        QVERIFY(!w->pad().isUDiskFlag()); // still on the pad

        f.prompter.clear();
        f.prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(f.closeWithYes());
        QCOMPARE(f.prompter.texts().mid(0, 2), QStringList({"Quit?", asked}));
        QVERIFY(kf::readFile(kitFile(f, 1)) != kit1);
        disk->go.release();
        QTest::qWait(200);
        QCoreApplication::processEvents();
        for (const QString &t : f.prompter.texts())
            QVERIFY2(!t.contains("could not be backed up"), qPrintable(t));
        QVERIFY(padbackup::list(ztplatform::systemDisk(), folder).isEmpty());
    }

    // A data folder that does not answer holds neither the load nor the
    // restore's list for longer than their limits: the load takes no backup
    // and says so once, the pad is used; the restore says the backups cannot
    // be read, and lists them once the folder answers again.
    void aDataFolderNotAnsweringHoldsNeitherLoadNorRestore()
    {
        auto &backups = *new SwitchDisk; // never freed: a look given up on may still call it
        PadWindow f;
        f.backupDisk = &backups;
        layOut(f);
        const QString root = f.work.path() + "/data/zt350editor/pad-backups";
        const QString silent = "The backups of the sampler pad cannot be read: " + root + " does not answer.";
        QVERIFY(QDir().mkpath(root));
        MainWindow1 *w = nullptr;
        {
            HangingOpens hang(backups, "/pad-backups");
            w = f.open();
            QVERIFY(!w->pad().isUDiskFlag()); // the pad is used all the same
            QVERIFY(!w->form()->labPad01a->text().isEmpty());
            QCOMPARE(hang.hung(), 1);
            QCOMPARE(hang.waiting(), 1); // loaded while the folder is held
            QCOMPARE(f.prompter.texts(), QStringList{"The sampler pad could not be backed up into " + root
                                                     + ": the folder does not answer.\r\nThe pad is used all the same."});
            QVERIFY(w->padSync().backupFolder().isEmpty());
            f.prompter.clear();
            restoreAction(w)->trigger(); // the look given up on still waits: none started
            QCOMPARE(f.prompter.texts(), QStringList{silent});
            QCOMPARE(hang.hung(), 1);
        }
        QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), root));
        f.prompter.clear();
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY2(f.prompter.texts().first().startsWith("There is no backup of this sampler pad in " + root + "/"),
                 qPrintable(f.prompter.texts().first()));
        QVERIFY(f.closeWithYes());

        // Its backups listed while the pad's own folder stops answering.
        f.prompter.clear();
        w = f.open();
        w->padSync().waitForBackup();
        const QString folder = w->padSync().backupFolder();
        QCOMPARE(padbackup::list(ztplatform::systemDisk(), folder).size(), 1);
        {
            HangingOpens hang(backups, QFile::encodeName("/" + QFileInfo(folder).fileName()));
            // The window paints while the folder is held, before it is told.
            const TurnsWhile held([&] { return hang.waiting() > 0 && f.prompter.texts().isEmpty(); });
            restoreAction(w)->trigger();
            QCOMPARE(hang.hung(), 1);
            QCOMPARE(hang.waiting(), 1); // told while the folder is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(f.prompter.texts(), QStringList{silent});
            QVERIFY(f.prompter.itemLists.isEmpty());
        }
        QVERIFY(f.closeWithYes());
    }

    // A kit cleared and written back; the next load restores the backup
    // taken before: the kit is shown at once, one step, written at the close.
    void aBackupRestoredIsWrittenAtTheClose()
    {
        PadWindow f;
        layOut(f);
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        MainWindow1 *w = f.open();
        const QString cleared = w->form()->labPad01a->text();
        QVERIFY(!cleared.isEmpty());
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        QVERIFY(f.closeWithYes());
        QVERIFY(kf::readFile(kitFile(f, 1)) != kit1);

        f.prompter.clear();
        w = f.open();
        QCOMPARE(w->form()->labPad01a->text(), QString());
        w->padSync().waitForBackup();
        const QVector<padbackup::Backup> backups = padbackup::list(ztplatform::systemDisk(), w->padSync().backupFolder());
        QCOMPARE(backups.size(), 2);
        f.prompter.itemAnswers.enqueue(1); // the older one
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.itemLists.size(), 1);
        const QStringList offered = f.prompter.itemLists.first();
        QCOMPARE(offered.size(), 2);
        QVERIFY2(offered.at(0).endsWith(": kits differing from now: 0"), qPrintable(offered.at(0)));
        QVERIFY2(offered.at(1).endsWith(": kits differing from now: 1"), qPrintable(offered.at(1)));
        QCOMPARE(w->form()->kitNumber->text(), QString("1"));
        QCOMPARE(w->form()->labPad01a->text(), cleared);
        QCOMPARE(w->history().stack().count(), 1);
        QVERIFY(w->findChild<QAction *>("actionUndo")->text().startsWith("Undo restore of the pad from the backup of"));
        QCOMPARE(f.prompter.texts().join("|"), QString());
        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(kitFile(f, 1)), kit1);
    }

    // Undone, the restore leaves the kits as the pad holds them: nothing is written.
    void aRestoreUndoneWritesNothing()
    {
        PadWindow f;
        layOut(f);
        MainWindow1 *w = f.open();
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        QVERIFY(f.closeWithYes());
        const QStringList pad = f.pad.snapshot();
        w = f.open();
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        w->history().undo();
        QCOMPARE(w->form()->labPad01a->text(), QString());
        QVERIFY(f.closeWithYes());
        QStringList now = f.pad.snapshot();
        QStringList was = pad;
        for (QStringList *list : {&now, &was}) // the change file says nothing changed
            list->erase(std::remove_if(list->begin(), list->end(),
                                       [](const QString &l) { return l.contains("alter.ini"); }),
                        list->end());
        QCOMPARE(now, was);
    }

    // A backup whose global settings differ from the pad's: restored, the
    // close writes its global.ini to the pad byte for byte; undone, the
    // pad's file stays as it is.
    void restoredGlobalSettingsReachThePad_data()
    {
        QTest::addColumn<bool>("undone");
        QTest::newRow("kept") << false;
        QTest::newRow("undone") << true;
    }
    void restoredGlobalSettingsReachThePad()
    {
        QFETCH(bool, undone);
        FakeVolumeSerial serial; // the pad's backups stay one pad's when its settings change
        PadWindow f;
        f.volumes = &serial;
        layOut(f);
        const QString global = f.pad.sysPath + "/global.ini";
        const QByteArray backedUpGlobal = kf::readFile(global);
        MainWindow1 *w = f.open();
        const QString volume = w->form()->audioVolume->text();
        w->padSync().waitForBackup();
        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(global), backedUpGlobal);
        // The pad's own settings change on the pad.
        percussionpadfile m;
        m.curFlag = 1;
        m.initFileChunk();
        m.new_globalChunk.audio.volume = 77;
        QFile file(global);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m.writeGlobalChunk(&file);
        file.close();
        const QByteArray padGlobal = kf::readFile(global);
        QVERIFY(padGlobal != backedUpGlobal && volume != "77");

        w = f.open();
        QCOMPARE(w->form()->audioVolume->text(), QString("77"));
        f.prompter.itemAnswers.enqueue(1); // the older one
        restoreAction(w)->trigger();
        QCOMPARE(w->form()->audioVolume->text(), volume);
        if (undone) {
            w->history().undo();
            QCOMPARE(w->form()->audioVolume->text(), QString("77"));
        }
        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(global), undone ? padGlobal : backedUpGlobal);
        const QByteArray alter = kf::readFile(f.pad.sysPath + "/alter.ini");
        QCOMPARE(alter.size(), writeback::ALTER_FILE_SIZE);
        QCOMPARE(alter.mid(4, 2), undone ? QByteArray(2, '\0') : QByteArray("\x55\xaa", 2));
    }


    // The close wrote the restored global.ini and then failed on a kit: the
    // pad holds the restored settings, so the restore undone is an edit the
    // offline close asks about.
    void restoredGlobalSettingsWrittenByAFailedCloseAreThePads()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.volumes = &serial;
        layOut(f);
        const QString global = f.pad.sysPath + "/global.ini";
        const QByteArray backedUpGlobal = kf::readFile(global);
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        QVERIFY(f.closeWithYes());
        percussionpadfile m;
        m.curFlag = 1;
        m.initFileChunk();
        m.new_globalChunk.audio.volume = 77;
        QFile file(global);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m.writeGlobalChunk(&file);
        file.close();

        w = f.open();
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        reloadKit(w->doc(), 8, [](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        QVERIFY(QFile::resize(kitFile(f, 9), KIT_RECORD_SIZE - 1)); // kit 9 cannot be written
        QVERIFY(!f.closeWithYes());
        QCOMPARE(kf::readFile(global), backedUpGlobal);
        reloadKit(w->doc(), 8, [w](MainWindow1Records::soundKit &kit) { kit = w->doc().originalKitAttrList().at(8); });
        w->history().undo(); // the pad's settings of the load again
        QCOMPARE(w->form()->audioVolume->text(), QString("77"));
        f.prompter.clear();
        QVERIFY(!w->close());
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
    }

    // A backup whose global.ini is in the older layout: its global settings
    // and chains are neither shown nor written; the restore's box says so,
    // and the close leaves the pad's global.ini as it is.
    void anOlderLayoutGlobalIsToldNotRestored()
    {
        PadWindow f;
        layOut(f);
        const QString global = f.pad.sysPath + "/global.ini";
        percussionpadfile m;
        m.curFlag = 1;
        m.initFileChunk();
        m.new_globalChunk.audio.volume = 66;
        m.new_globalChunk.kc.kitChain[0][0] = 5;
        QFile file(global);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        m.writeGlobalChunk(&file);
        file.close();
        const QByteArray padGlobal = kf::readFile(global);
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        const QString backup = padbackup::list(ztplatform::systemDisk(), w->padSync().backupFolder()).first().folder;
        const QVector<MainWindow1Records::KIT_CHAIN> chains = w->doc().kitChainList();
        QVERIFY(f.closeWithYes());
        QByteArray old(488, '\0');
        std::memcpy(old.data(), "GLOB", 4);
        kf::wr32(old, 4, 488);
        old[32] = 81; // its audio volume
        QVERIFY(QFile::remove(backup + "/SYS/global.ini"));
        QVERIFY(kf::writeFile(backup + "/SYS/global.ini", old));

        f.prompter.clear();
        w = f.open();
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY2(f.prompter.texts().first().startsWith(
                         "The global settings and kit chains of this backup cannot be put back"),
                 qPrintable(f.prompter.texts().first()));
        QCOMPARE(w->form()->audioVolume->text(), QString("66"));
        QVERIFY(writeback::kitChainsEqual(w->doc().kitChainList(), chains));
        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(global), padGlobal);
    }

    // A pad whose own global.ini is in the older layout (an older file taken
    // in on the pad) and a backup taken before, in the pad's layout: the
    // restore puts back its kits, and its box names the pad's file as why the
    // global settings stay, not the backup's.
    void aPadWithAnOlderGlobalIsToldNotTheBackup()
    {
        const FakeVolumeSerial serial; // its backups stay in one folder whatever its global.ini holds
        PadWindow f;
        f.volumes = &serial;
        layOut(f);
        MainWindow1 *w = f.open();
        const QString cleared = w->form()->labPad01a->text();
        QVERIFY(!cleared.isEmpty());
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        QVERIFY(f.closeWithYes());
        const QString global = f.pad.sysPath + "/global.ini";
        QByteArray old(488, '\0');
        std::memcpy(old.data(), "GLOB", 4);
        kf::wr32(old, 4, 488);
        old[32] = 81; // its audio volume
        QVERIFY(QFile::remove(global));
        QVERIFY(kf::writeFile(global, old));

        f.prompter.clear();
        w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        QCOMPARE(w->form()->labPad01a->text(), QString());
        w->padSync().waitForBackup();
        const QVector<padbackup::Backup> backups = padbackup::list(ztplatform::systemDisk(), w->padSync().backupFolder());
        QCOMPARE(backups.size(), 2);
        QVERIFY(writeback::isCurrentGlobalFile(kf::readFile(backups.last().folder + "/SYS/global.ini")));
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The global settings and kit chains of this backup cannot be put back: the sampler pad's "
                             "own global.ini is not in the layout Korvanta writes (it is an older file's), so Korvanta "
                             "does not write over it; the backup's global.ini is fine. They stay as they are now."});
        QCOMPARE(w->form()->labPad01a->text(), cleared);
        QCOMPARE(w->history().stack().count(), 1);
        QCOMPARE(w->form()->audioVolume->text(), QString("81")); // the pad's global settings stay
    }

    // A pad without serials is named by its settings: after the close wrote
    // a restored global.ini, the next load still lists its earlier backups
    // and keeps the new one beside them.
    void aPadWithoutSerialsKeepsItsBackupsWhenItsGlobalIsWritten()
    {
        NoVolumeSerial noSerial;
        PadWindow f;
        f.volumes = &noSerial;
        layOut(f);
        const QString global = f.pad.sysPath + "/global.ini";
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        const QString folder = w->padSync().backupFolder();
        QVERIFY2(QFileInfo(folder).fileName().startsWith("pad-"), qPrintable(folder));
        // An earlier backup of this pad, with other global settings.
        const QString first = padbackup::list(ztplatform::systemDisk(), folder).first().folder;
        QVector<padbackup::File> settings = backedUp(first, "KIT") + backedUp(first, "SYS");
        for (padbackup::File &file : settings) {
            if (file.path == "SYS/global.ini")
                file.bytes = globalWithVolume(77);
        }
        QVERIFY(padbackup::write(folder, QDateTime::currentDateTime().addDays(-1), settings,
                                 backedUp(first, "WAV_PRM")).ok);
        QVERIFY(f.closeWithYes());

        w = f.open();
        f.prompter.itemAnswers.enqueue(2); // the earlier one
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.itemLists.last().size(), 3);
        QCOMPARE(w->form()->audioVolume->text(), QString("77"));
        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(global).left(100), globalWithVolume(77).left(100));

        f.prompter.clear();
        w = f.open();
        w->padSync().waitForBackup();
        QCOMPARE(w->padSync().backupFolder(), folder);
        f.prompter.itemAnswers.enqueue(-1);
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.itemLists.size(), 2);
        QCOMPARE(f.prompter.itemLists.last().size(), 4);
        QCOMPARE(f.prompter.texts().join("|"), QString());
    }

    // The close that writes a restored global.ini notes the pad's new name
    // beside its backups; a data folder that does not answer then holds
    // neither the write nor the close past the limit.
    void aDataFolderNotAnsweringHoldsNotTheCloseThatWritesTheGlobal()
    {
        NoVolumeSerial noSerial;
        auto &backups = *new SwitchDisk; // never freed: a look given up on may still call it
        PadWindow f;
        f.volumes = &noSerial;
        f.backupDisk = &backups;
        layOut(f);
        const QString global = f.pad.sysPath + "/global.ini";
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        const QString folder = w->padSync().backupFolder();
        const QString first = padbackup::list(ztplatform::systemDisk(), folder).first().folder;
        QVector<padbackup::File> settings = backedUp(first, "KIT") + backedUp(first, "SYS");
        for (padbackup::File &file : settings) {
            if (file.path == "SYS/global.ini")
                file.bytes = globalWithVolume(77);
        }
        QVERIFY(padbackup::write(folder, QDateTime::currentDateTime().addDays(-1), settings,
                                 backedUp(first, "WAV_PRM")).ok);
        f.prompter.itemAnswers.enqueue(1); // the earlier one
        restoreAction(w)->trigger();
        QCOMPARE(w->form()->audioVolume->text(), QString("77"));
        HangingOpens hang(backups, "/pad-backups");
        QTimer bound; // a close that waits for the folder fails below
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, [&hang] { hang.release(); });
        bound.start(120000);
        QVERIFY(f.closeWithYes());
        QCOMPARE(hang.hung(), 1);
        QCOMPARE(hang.waiting(), 1); // closed while the folder is held
        QCOMPARE(kf::readFile(global).left(100), globalWithVolume(77).left(100));
        hang.release();
        QTRY_COMPARE(hang.waiting(), 0);
    }

    // On the pad, a kit whose edits are all undone by the keys is not
    // written at the close; a kit edited and kept is.
    void aKitUndoneIsNotWritten()
    {
        PadWindow f;
        layOut(f);
        const QByteArray kit1 = kf::readFile(kitFile(f, 1)), kit2 = kf::readFile(kitFile(f, 2));
        MainWindow1 *w = f.open();
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        w->form()->kitNumber->setText("2");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);
        w->form()->btnClear->setFocus();
        QTest::keyClick(w->form()->btnClear, Qt::Key_Z, Qt::ControlModifier); // kit 2 back
        QTest::keyClick(w->form()->btnClear, Qt::Key_Z, Qt::ControlModifier); // kit 1 back
        QTest::keyClick(w->form()->btnClear, Qt::Key_Y, Qt::ControlModifier); // kit 1 cleared again
        QCOMPARE(w->history().stack().index(), 1);
        QVERIFY(f.closeWithYes());
        QVERIFY(kf::readFile(kitFile(f, 1)) != kit1);
        QCOMPARE(kf::readFile(kitFile(f, 2)), kit2);
    }

    // A name typed in the kit list before a restore is the kit's of then:
    // its own step first; the restored kit keeps the backup's name.
    void aNameTypedBeforeARestoreDoesNotRenameTheRestoredKit()
    {
        PadWindow f;
        layOut(f);
        MainWindow1 *w = f.open();
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        Ui::MainWindow1 *ui = w->form();
        const QString backedUp = w->doc().kit(4).kit_name;
        ui->btnKitChain->click();
        QTreeView *view = ui->kitListtreeView;
        view->expandAll();
        const QModelIndex cell = w->kitChains().kitChainListItemModel()->item(0)->child(4, 1)->index();
        view->scrollTo(cell);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Five");
        QTest::keyClick(editor, Qt::Key_Return);
        f.prompter.itemAnswers.enqueue(0);
        restoreAction(w)->trigger();
        ui->btnKitMove->click();
        QCOMPARE(w->doc().kit(4).kit_name, backedUp);
        QCOMPARE(w->history().stack().count(), 2);
        w->history().undo();
        QCOMPARE(w->doc().kit(4).kit_name, QString("Five"));
        QVERIFY(f.closeWithYes());
    }

    // A sound of the backup no longer on the pad: its slots named and left empty.
    void soundsGoneAreNamed()
    {
        PadWindow f;
        layOut(f);
        int naming = 0; // slots naming sound 3
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            const percussionpadfile::P_PEDAL_SETTING &h = f.pad.kits.pedal[size_t(k)];
            for (quint16 no : {h.hh_wave1_no, h.hh_wave2_no, h.hh_wave3_no, h.hh_wave4_no, h.hh_wave5_no})
                naming += int(no == 2);
            for (int j = 0; j < PAD_NUM_MAX; ++j)
                naming += int(f.pad.kits.pads[k][j].aWaveNo == 2) + int(f.pad.kits.pads[k][j].bWaveNo == 2);
        }
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        QVERIFY(f.closeWithYes());
        QVERIFY(QFile::remove(f.pad.prmPath + "/001/003.prm"));
        QVERIFY(QFile::remove(f.wav(3)));
        w = f.open();
        f.prompter.clear();
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY2(f.prompter.texts().first().startsWith(
                         "These sounds of the backup are no longer on the sampler pad; their slots are left empty:"),
                 qPrintable(f.prompter.texts().first()));
        QVERIFY(f.prompter.texts().first().contains("wave3 (sound 3)"));
        for (const MainWindow1Records::soundKit &k : w->doc().kitAttrList()) {
            for (const MainWindow1Records::KIT_PAD_SETTING &p : k.kpadChunk)
                QVERIFY(p.aWaveNo != 2 && p.bWaveNo != 2);
        }
        // The sound is used all over: the box holds 25 of its slots and how
        // many more; its details name every one.
        const QStringList lines = f.prompter.texts().first().split("\r\n");
        QVERIFY(naming > 25);
        QCOMPARE(lines.size(), 1 + 25 + 1);
        QCOMPARE(lines.last(), QString("and %1 more").arg(naming - 25));
        QCOMPARE(f.prompter.prompts.last().details.count("wave3 (sound 3)"), naming);
        // Restored, neither backup would change a kit: their slots of sound 3 are empty now too.
        f.prompter.itemAnswers.enqueue(-1);
        restoreAction(w)->trigger();
        const QStringList offered = f.prompter.itemLists.last();
        QCOMPARE(offered.size(), 2);
        for (const QString &item : offered)
            QVERIFY2(item.endsWith(": kits differing from now: 0"), qPrintable(item));
    }

    // The list gives each backup's time to the second, in the locale's
    // short form: backups taken within one minute are told apart.
    void backupsAreListedToTheSecond()
    {
        const QLocale was;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PadWindow f;
        layOut(f);
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        const QString folder = w->padSync().backupFolder();
        const QString newest = padbackup::list(ztplatform::systemDisk(), folder).first().folder;
        QVector<padbackup::File> settings = backedUp(newest, "KIT") + backedUp(newest, "SYS");
        const QDate day(2024, 5, 1);
        for (const QTime &at : {QTime(14, 3, 22), QTime(14, 3, 41)}) {
            settings[0].bytes[0] = char(at.second()); // a backup of its own
            QVERIFY(padbackup::write(folder, QDateTime(day, at), settings, backedUp(newest, "WAV_PRM")).ok);
        }
        f.prompter.itemAnswers.enqueue(-1);
        restoreAction(w)->trigger();
        QLocale::setDefault(was);
        const QStringList offered = f.prompter.itemLists.last();
        QCOMPARE(offered.size(), 3);
        QCOMPARE(offered.at(1), QString("5/1/24 2:03:41 PM: kits differing from now: 1"));
        QCOMPARE(offered.at(2), QString("5/1/24 2:03:22 PM: kits differing from now: 1"));
        QVERIFY(f.closeWithYes());
    }

    // A sound deleted and its number given to a new sound: the backup's
    // slots are not filled with the new one; they are named, left empty and
    // counted among the kits that differ.
    void aNumberGivenToAnotherSoundIsNotRestored_data()
    {
        QTest::addColumn<int>("samples");
        QTest::newRow("another length") << 900;
        QTest::newRow("the same length and range") << 400; // only its name tells it from the old one
    }
    void aNumberGivenToAnotherSoundIsNotRestored()
    {
        QFETCH(int, samples);
        PadWindow f;
        layOut(f);
        MainWindow1 *w = f.open();
        w->padSync().waitForBackup();
        QVERIFY(f.closeWithYes());
        const waveprm::PrmRecord was = waveprm::parseRecord(kf::readFile(f.prm(3)));
        QVERIFY(kf::writeFile(f.prm(3), waveprm::buildRecord(3, "Cowbell", quint32(44 + samples))));
        QVERIFY(kf::writeFile(f.wav(3), kf::wavBytes(samples, 77)));
        const waveprm::PrmRecord now = waveprm::parseRecord(kf::readFile(f.prm(3)));
        QCOMPARE(was.wave_length == now.wave_length && was.wave_start == now.wave_start && was.wave_end == now.wave_end,
                 samples == 400);
        w = f.open();
        int naming3 = 0;
        for (const MainWindow1Records::soundKit &k : w->doc().kitAttrList()) {
            bool names = k.pedalChunk.hh_wave1_no == 2 || k.pedalChunk.hh_wave2_no == 2
                         || k.pedalChunk.hh_wave3_no == 2 || k.pedalChunk.hh_wave4_no == 2
                         || k.pedalChunk.hh_wave5_no == 2;
            for (const MainWindow1Records::KIT_PAD_SETTING &p : k.kpadChunk)
                names = names || p.aWaveNo == 2 || p.bWaveNo == 2;
            naming3 += names ? 1 : 0;
        }
        QVERIFY(naming3 > 0);
        f.prompter.clear();
        f.prompter.itemAnswers.enqueue(1);
        restoreAction(w)->trigger();
        QCOMPARE(f.prompter.itemLists.size(), 1);
        const QString older = f.prompter.itemLists.first().at(1);
        QVERIFY2(older.endsWith(QString(": kits differing from now: %1").arg(naming3)), qPrintable(older));
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY2(f.prompter.texts().first().startsWith(
                         "These sounds of the backup are no longer on the sampler pad; their slots are left empty:"),
                 qPrintable(f.prompter.texts().first()));
        QVERIFY(f.prompter.texts().first().contains("wave3 (sound 3)"));
        QVERIFY(!f.prompter.texts().first().contains("wave1"));
        for (const MainWindow1Records::soundKit &k : w->doc().kitAttrList()) {
            for (const MainWindow1Records::KIT_PAD_SETTING &p : k.kpadChunk)
                QVERIFY(p.aWaveNo != 2 && p.bWaveNo != 2);
            QVERIFY(k.pedalChunk.hh_wave1_no != 2 && k.pedalChunk.hh_wave2_no != 2);
        }
    }
};

QTEST_MAIN(TestPadBackups)
#include "test_padbackups.moc"

#include "device/bindmount.h"
#include "device/padkits.h"
#include "device/writeback.h"
#include "model/kitrecordmap.h"
#include "platform/regularfile.h"
#include "padwindow.h"
#include "support/hangingdisk.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kittables.h"

#include <QProgressDialog>
#include <QScopeGuard>
#include <QtTest>

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>

// Closing the editor on the pad: what is written back, in which order with
// the dismount, and what the user keeps when something cannot be written.
class TestPadClose : public QObject
{
    Q_OBJECT

    static QString kitFile(const PadWindow &f, int n) { return writeback::kitFileName(f.pad.kitPath, n); }
    static QByteArray alter(const PadWindow &f) { return kf::readFile(f.pad.sysPath + "/alter.ini"); }
    const QString notice = "Disconnect the 350 device.\r\nWhen using the online mode of Korvanta again,\r\nreconnect "
                           "the USB cable.";
    const QString anotherPad = "The sampler pad at the drive is not the one that was loaded: nothing was written to it "
                               "or deleted from it. Korvanta goes on without the sampler pad and keeps your edits.";
    const QString otherVolume = "\r\nIt is another volume: its volume serial number or its USB serial number differs.";
    // Neither volume of these tests has a serial: none is claimed equal.
    const QString otherSettings = "\r\nIts global.ini or its metronome folder differs from the loaded pad's; neither "
                                  "volume has a serial number to compare.";
    static QString notSaved(int kit, bool chains = false)
    {
        return QString(chains ? "\r\nThe kit chains were not saved to the sampler pad." : "")
                + QString("\r\nKit %1 was not saved to the sampler pad.\r\nThe change file alter.ini was not "
                          "saved.").arg(kit);
    }
    static QStringList withoutAlter(const QStringList &snapshot)
    {
        return snapshot.filter(QRegularExpression("^(?!.*/alter\\.ini )"));
    }
    static QByteArray alterBytes(bool kits, bool waves, bool global, const QVector<int> &flagged)
    {
        QByteArray a(writeback::ALTER_FILE_SIZE, '\0');
        kf::wr16(a, 0, kits ? 0xAA55 : 0);
        kf::wr16(a, 2, waves ? 0xAA55 : 0);
        kf::wr16(a, 4, global ? 0xAA55 : 0);
        for (int kit : flagged)
            a[5 + kit] = 1;
        return a;
    }
    static void openKitPage(MainWindow1 *w, int kit)
    {
        w->form()->kitNumber->clear();
        QTest::keyClicks(w->form()->kitNumber, QString::number(kit));
        w->form()->btnSoundKit->click();
    }

private slots:
    void noEditWritesAZeroChangeFileThenDismounts()
    {
        PadWindow f;
        f.layOut(3);
        f.open();
        const QStringList before = f.pad.snapshot();
        QString savingLabel;
        int savingMaximum = 0;
        f.dismounter.onDismount = [&]() {
            savingLabel = f.w->padSync().usbDialog()->labelText();
            savingMaximum = f.w->padSync().usbDialog()->maximum();
        };
        QVERIFY(f.closeWithYes());
        QVERIFY(f.w.isNull());
        QCOMPARE(f.prompter.titles(), (QStringList{"Confirm", "Confirm"}));
        QCOMPARE(f.prompter.texts(), (QStringList{"Quit?", "Disconnect the 350 device.\r\nWhen using the online mode "
                                                           "of Korvanta again,\r\nreconnect the USB cable."}));
        QCOMPARE(f.prompter.prompts[0].kind, UiPrompter::Question);
        QCOMPARE(f.prompter.prompts[0].defaultButton, QMessageBox::No);
        QCOMPARE(f.prompter.prompts[1].kind, UiPrompter::Information);
        QCOMPARE(withoutAlter(f.pad.snapshot()), before);
        QCOMPARE(alter(f), alterBytes(false, false, false, {}));
        // Written back first, dismounted once, at the pad's root.
        QCOMPARE(f.dismounter.mountPoints, QStringList{f.root()});
        QCOMPARE(f.dismounter.alterAtCall, QVector<QByteArray>{alter(f)});
        QCOMPARE(savingLabel, QString("Saving file..."));
        QCOMPARE(savingMaximum, 5);
    }

    // Kits only looked at, on the kit-chain page and the pad settings page, keep
    // values those pages cannot show: their records and their files stay.
    void viewedKitsStayAsLoaded()
    {
        PadWindow f;
        for (int n = 1; n <= 3; ++n)
            f.pad.addWave(n);
        writeCleanKits(f.pad, {0, 2});
        percussionpadfile::P_KIT_BASE_PARA &b = f.pad.kits.base[2];
        b.kit_effect1 = 0; // "THRU" with controls 0/0/0
        b.effect1_ctrl1 = b.effect1_ctrl2 = b.effect1_ctrl3 = 0;
        percussionpadfile::P_PEDAL_SETTING &h = f.pad.kits.pedal[2];
        h.active_fx = 3; // "PITCH SHIFT": one control of 40/50/60
        h.active_effectCtrl1 = 40;
        h.active_effectCtrl2 = 50;
        h.active_effectCtrl3 = 60;
        f.pad.kits.pads[2][0].velocity = 200; // shown as 127
        f.pad.saveKits();
        MainWindow1 *w = f.open();
        auto records = [w]() {
            QByteArray all;
            for (const MainWindow1Records::soundKit &k : qAsConst(w->doc().kitAttrList())) {
                uchar r[KIT_RECORD_SIZE] = {};
                kitrecord::packKitBase(r, k);
                kitrecord::packKitPedal(r + KIT_BASE_SIZE, k.pedalChunk);
                for (int p = 0; p < PAD_NUM_MAX; ++p)
                    kitrecord::packKitPad(r + kitrecord::padOffset(p), k.kpadChunk[p]);
                all.append(reinterpret_cast<const char *>(r), KIT_RECORD_SIZE);
            }
            return all;
        };
        const QByteArray loaded = records();
        const QStringList before = f.pad.snapshot();

        w->form()->btnKitChain->click();
        w->form()->btnKitMove->click();
        openKitPage(w, 3);
        w->form()->padNoComboBox->setCurrentIndex(1);
        w->form()->padNoComboBox->setCurrentIndex(2);
        w->form()->downPageBtn->click();
        w->form()->upPageBtn->click();
        w->form()->btnKitChain->click();
        w->form()->btnSoundKit->click();
        QCOMPARE(w->form()->effect4_ctrl1->value() * 10000 + w->form()->effect4_ctrl2->value(), 400999);
        QCOMPARE(records(), loaded);

        QVERIFY(f.closeWithYes());
        QCOMPARE(withoutAlter(f.pad.snapshot()), withoutAlter(before));
        QCOMPARE(alter(f), alterBytes(false, false, false, {}));
    }

    void editsAreWrittenInPlace()
    {
        PadWindow f;
        for (int n = 1; n <= 3; ++n)
            f.pad.addWave(n);
        writeCleanKits(f.pad, {0, 2});
        f.pad.kits.base[9].kit_name[4] = ' '; // "KIT9 ": renamed while loading
        f.pad.saveKits();
        // Kit 7 as the kit page holds it: the default kit 7 in the pad's record.
        QVector<MainWindow1Records::soundKit> defaults(7);
        defaults[6] = MainWindow1Tables::defaultKit(6);
        QByteArray record(KIT_RECORD_SIZE, '\0');
        QVERIFY(MainWindow1Records::updateKit(record.data(), defaults, 7));
        QVERIFY(kf::writeFile(kitFile(f, 7), record));
        MainWindow1 *w = f.open();
        const QByteArray kit7 = kf::readFile(kitFile(f, 7));
        const QByteArray global = kf::readFile(f.pad.sysPath + "/global.ini");
        const QStringList before = f.pad.snapshot();

        openKitPage(w, 7);
        const int volume = w->form()->kitVolumeSpinBox->value() == 50 ? 51 : 50;
        w->form()->kitVolumeSpinBox->setValue(volume);
        // Fields the pad's record takes differently count for nothing.
        reloadKit(w->doc(), 3, [](MainWindow1Records::soundKit &kit) { kit.effect1_no = quint8(kit.effect1_no + 1); });
        reloadKit(w->doc(), 4, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[2].midi_gate ^= 1; });
        reloadKit(w->doc(), 5, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[3].aWaveLength ^= 1; });
        // Chain 2 on (as the kit-chain page shows it) with a new first step.
        w->form()->kitChainNoSpinBox->setValue(2);
        w->form()->rBtnKitChainOn->click();
        w->doc().setChainStep(2, 0, 12);

        QVERIFY(f.closeWithYes());
        QCOMPARE(kf::readFile(kitFile(f, 7)), QByteArray(kit7).replace(14, 1, QByteArray(1, char(volume))));
        QCOMPARE(kf::rd16(kf::readFile(kitFile(f, 10)), 0), quint16('K' | 'I' << 8));
        QCOMPARE(kf::readFile(kitFile(f, 10)).mid(3, 10), QByteArray("9\0\0\0\0\0\0\0\0\0", 10));
        QByteArray block = global.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE);
        block.replace(char(0xFF), char(0));
        block[0] = block[1] = 2;
        block[2 + 40] = 12;
        QCOMPARE(kf::readFile(f.pad.sysPath + "/global.ini"),
                 QByteArray(global).replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, block));
        QCOMPARE(alter(f), alterBytes(true, false, true, {7, 10}));
        QStringList changed = withoutAlter(f.pad.snapshot());
        for (const QString &line : before)
            changed.removeOne(line);
        QCOMPARE(changed.size(), 3); // k007, k010 and global.ini
    }

    void writtenKitsNameTheirSounds_data()
    {
        QTest::addColumn<bool>("exported");
        QTest::newRow("edited") << false;
        QTest::newRow("edited and exported") << true;
    }

    // Every slot written back names the sound it names in the editor: a sound
    // added for a kit not shown when it landed, a hi-hat slot given a sound of
    // the pad, a number the pad holds no sound for; with or without an export
    // (which numbers the kits' sounds for its file) before the close.
    void writtenKitsNameTheirSounds()
    {
        QFETCH(bool, exported);
        PadWindow f;
        for (int n = 1; n <= 3; ++n)
            f.pad.addWave(n);
        writeCleanKits(f.pad, {0, 1});
        percussionpadfile::P_KIT_PAD_SETTING &dangling = f.pad.kits.pads[3][4];
        dangling.aWaveNo = 6; // kit 4 names sound 7, which the pad lacks
        dangling.aWaveLength = dangling.aWaveEnd = 0;
        f.pad.saveKits();
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("tone.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 1, [&tone](MainWindow1Records::soundKit &kit) {
            MainWindow1Records::KIT_PAD_SETTING &pad = kit.kpadChunk[5];
            pad.soundName0 = pad.soundName1 = "tone";
            pad.soundFile0 = pad.soundFile1 = tone;
        });
        reloadKit(w->doc(), 2, [w](MainWindow1Records::soundKit &kit) {
            MainWindow1Records::PEDAL_SETTING &hh = kit.pedalChunk;
            hh.hh_wave1_name = w->library().hhSoundItemModel()->soundItem(1, 0)->text();
            hh.hh_wave1_file = w->library().hhSoundItemModel()->soundItem(1, 1)->text(); // sound 2, number left as it was
        });
        reloadKit(w->doc(), 3, [&](MainWindow1Records::soundKit &kit) { kit.kit_volume ^= 1; });
        f.importSounds({tone});
        QTRY_VERIFY_WITH_TIMEOUT(w->pad().padBatchKind() == SyncBatch::Idle, 60000);
        if (exported) {
            const QString setup = f.work.filePath("SETUP.BIN");
            f.prompter.fileAnswers.enqueue({setup});
            w->form()->actionExport_All->trigger();
            QVERIFY(QFileInfo(setup).size() > 0);
        }
        const QByteArray kit3 = kf::readFile(kitFile(f, 3));
        const QByteArray kit4 = kf::readFile(kitFile(f, 4));
        const QStringList before = f.pad.snapshot();

        QVERIFY(f.closeWithYes());
        const PadSounds sounds = f.pad.readSounds();
        const PadKits back = readPadKits(f.pad.kitPath, sounds.waveAttrList, nullptr);
        QVERIFY(back.ok);
        const MainWindow1Records::KIT_PAD_SETTING &added = back.kits[1].kpadChunk[5];
        const QString wave4 = QDir::toNativeSeparators(f.wav(4));
        QCOMPARE(QStringList({added.soundFile0, added.soundFile1}), QStringList({wave4, wave4}));
        QCOMPARE(added.aWaveLength, quint32(QFileInfo(wave4).size()));
        QCOMPARE(back.kits[2].pedalChunk.hh_wave1_file, QDir::toNativeSeparators(f.wav(2)));
        const quint32 size2 = quint32(QFileInfo(f.wav(2)).size());
        QByteArray hhWritten = kit3;
        kf::wr16(hhWritten, 54, 1);
        kf::wr32(hhWritten, 74, size2);
        kf::wr32(hhWritten, 82, size2);
        QCOMPARE(kf::readFile(kitFile(f, 3)), hhWritten);
        // The export gave the slot without a file no sound, as in its file.
        QCOMPARE(back.kits[3].kpadChunk[4].aWaveNo, exported ? NO_WAVE : quint16(6));
        QByteArray volumeWritten = QByteArray(kit4).replace(14, 1, QByteArray(1, char(kit4[14] ^ 1)));
        if (exported)
            kf::wr16(volumeWritten, 182 + 95 * 4, NO_WAVE);
        QCOMPARE(kf::readFile(kitFile(f, 4)), volumeWritten);
        // Only those three kits were written.
        QCOMPARE(alter(f), alterBytes(true, true, false, {2, 3, 4}));
        QStringList changed = withoutAlter(f.pad.snapshot());
        for (const QString &line : before)
            changed.removeOne(line);
        QCOMPARE(changed.size(), 3);
    }

    void failuresKeepTheWindowOpenOffline_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QStringList>("texts");
        const QString quit = "Quit?";
        const QString notice = "Disconnect the 350 device.\r\nWhen using the online mode of Korvanta again,\r\n"
                               "reconnect the USB cable.";
        const QString gone = "The 350 device was disconnected.\r\nFailed to save file.\r\nKorvanta stays open "
                             "without the 350 device and keeps your edits.";
        QTest::newRow("drive gone") << 0 << QStringList{quit, gone};
        QTest::newRow("drive gone under the notice") << 1 << QStringList{quit, notice, gone};
        QTest::newRow("short kit file") << 2 << QStringList{quit, notice, "Kit 7 was not saved to the sampler pad:\r\n"
                                                                          "%1/ZT350/KIT/k007.ini\r\nIt is shorter than "
                                                                          "a kit record (1987 bytes)."};
        QTest::newRow("change file not writable")
                << 3 << QStringList{quit, notice, "Open error.\r\n%1/ZT350/SYS/alter.ini\r\nIt is a folder, not a file."};
        QTest::newRow("SYS takes no record")
                << 4 << QStringList{quit, notice, "The sampler pad refused a write (Operation not permitted); nothing "
                                                  "was saved to it.\r\nKit 7 and 9 were not saved to the sampler "
                                                  "pad.\r\nThe change file alter.ini was not saved."};
    }

    void failuresKeepTheWindowOpenOffline()
    {
        QFETCH(int, failure);
        QFETCH(QStringList, texts);
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        reloadKit(w->doc(), 8, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        if (failure == 0)
            f.drives.list.clear();
        if (failure == 1)
            f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &p) {
                if (p.kind == UiPrompter::Information)
                    f.drives.list.clear();
            };
        if (failure == 2)
            QVERIFY(QFile::resize(kitFile(f, 7), KIT_RECORD_SIZE - 1));
        if (failure == 3)
            QVERIFY(QDir().mkpath(f.pad.sysPath + "/alter.ini"));
        if (failure == 4 && QProcess::execute("chattr", {"+i", f.pad.sysPath}) != 0)
            QSKIP("chattr +i is not available here (needs root and a file system that keeps the flag)");
        const auto unlock = qScopeGuard([&] {
            if (failure == 4)
                QProcess::execute("chattr", {"-i", f.pad.sysPath});
        });
        const QByteArray kit7 = kf::readFile(kitFile(f, 7));
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts(), texts.replaceInStrings("%1", f.pad.root));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        QVERIFY(!w->padSync().usbDialog() || !w->padSync().usbDialog()->isVisible());
        QCOMPARE(w->doc().kitAttrList()[6].kit_tempo, quint8(w->doc().originalKitAttrList()[6].kit_tempo ^ 1));
        if (failure < 3)
            QCOMPARE(kf::readFile(kitFile(f, 7)), kit7);
        if (failure < 2 || failure == 4)
            QCOMPARE(f.pad.snapshot(), before);
        if (failure == 2)
            QCOMPARE(alter(f), alterBytes(true, false, false, {9}));
        // Offline now, the edits kept: the next close asks while one is not on
        // the pad. When only the change file failed, both kits are.
        const bool kit9Written = failure == 2 || failure == 3;
        const bool kit7Written = failure == 3;
        const MainWindow1Records::soundKit kit9 = w->doc().kitAttrList()[8]; // as written, its sounds renumbered
        f.prompter.clear();
        QCOMPARE(w->close(), kit7Written);
        QCOMPARE(f.prompter.texts(), kit7Written ? QStringList{} : QStringList{"Quit?"});
        if (kit7Written)
            return;
        // As loaded: the pad holds kit 9 edited when it was written, so that asks.
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            reloadKit(w->doc(), k, [w, k](MainWindow1Records::soundKit &kit) { kit = w->doc().originalKitAttrList().at(k); });
        f.prompter.clear();
        QCOMPARE(w->close(), !kit9Written);
        QCOMPARE(f.prompter.texts(), kit9Written ? QStringList{"Quit?"} : QStringList{});
        if (!kit9Written)
            return;
        // Kit 9 as written, kit 7 as loaded: as the pad holds them.
        reloadKit(w->doc(), 8, [&](MainWindow1Records::soundKit &kit) { kit = kit9; });
        f.prompter.clear();
        QVERIFY(w->close());
        QVERIFY(f.prompter.texts().isEmpty());
    }

    // What a failed close wrote is what the pad holds: an undo that takes a
    // written kit or the written chains back to how they were loaded leaves
    // an edit the pad does not have, and the offline close asks.
    void undoneAfterAFailedCloseDiffersFromThePad()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        QAction *undo = w->findChild<QAction *>("actionUndo");
        QAction *redo = w->findChild<QAction *>("actionRedo");
        QVERIFY(undo && redo);
        const QByteArray global = kf::readFile(f.pad.sysPath + "/global.ini");
        const QByteArray kit7 = kf::readFile(kitFile(f, 7));
        w->doc().setChainStep(1, 0, 12);
        openKitPage(w, 7);
        QTest::mouseClick(w->form()->kitTempoSpinBox, Qt::LeftButton);
        QTest::keyClick(w->form()->kitTempoSpinBox, Qt::Key_Up);
        reloadKit(w->doc(), 8, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        QVERIFY(QFile::resize(kitFile(f, 9), KIT_RECORD_SIZE - 1)); // kit 9 cannot be written

        QVERIFY(!f.closeWithYes());
        QVERIFY(kf::readFile(kitFile(f, 7)) != kit7);
        QVERIFY(kf::readFile(f.pad.sysPath + "/global.ini") != global);
        f.prompter.clear();
        QVERIFY(!w->close()); // kit 9 is not on the pad
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
        reloadKit(w->doc(), 8, [w](MainWindow1Records::soundKit &kit) { kit = w->doc().originalKitAttrList().at(8); });

        undo->trigger(); // kit 7 as loaded
        f.prompter.clear();
        QVERIFY(!w->close());
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
        undo->trigger(); // the chains as loaded too
        f.prompter.clear();
        QVERIFY(!w->close());
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
        redo->trigger();
        f.prompter.clear();
        QVERIFY(!w->close());
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
        redo->trigger(); // as the pad holds them
        f.prompter.clear();
        QVERIFY(w->close());
        QVERIFY(f.prompter.texts().isEmpty());
    }

    // Links of the pad's tree that lead out of it are left out at the load and
    // never written through: the files they name keep every byte.
    void linksOutOfTheTreeAreNeverTouched()
    {
        PadWindow f;
        f.layOut(3);
        QTemporaryDir outside;
        const QStringList targets = {outside.filePath("notes.txt"), outside.filePath("kit.bin"),
                                     outside.filePath("record.prm"), outside.filePath("click.wav")};
        const QStringList links = {f.pad.sysPath + "/alter.ini", f.prm(3), f.pad.sysPath + "/CLICK/click6.wav",
                                   kitFile(f, 5)};
        for (int i = 0; i < 4; ++i) {
            const QByteArray content = i == 0 ? QByteArray("a user's notes") : kf::readFile(links[i]);
            QVERIFY(kf::writeFile(targets[i], i == 3 ? kf::wavBytes(8000, 6) : content));
            QFile::remove(links[i]);
            QVERIFY(QFile::link(targets[i], links[i]));
        }
        auto bytes = [&targets]() { return QVector<QByteArray>{kf::readFile(targets[0]), kf::readFile(targets[1]),
                                                               kf::readFile(targets[2]), kf::readFile(targets[3])}; };
        const QVector<QByteArray> before = bytes();
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        // Each entry named as what happens to it: the metronome link is not read
        // either, and the change file takes alter.ini's place at the close.
        QStringList named = links;
        named[0] += " (the change file replaces this link when the pad is written at close)";
        QCOMPARE(f.prompter.texts(), QStringList{"These entries of the sampler pad are links and were left out; the "
                                                 "editor reads nothing and writes nothing through them:\r\n"
                                                 + named.join("\r\n")});
        QCOMPARE(w->library().clickList().size(), 5);
        QVERIFY(std::none_of(w->library().clickList().cbegin(), w->library().clickList().cend(),
                             [](const MainWindow1Records::SOUND_LIST_INFO &c) { return c.file.contains("click6"); }));
        QCOMPARE(f.rows().size(), 2); // sound 3 left out with its record
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        reloadKit(w->doc(), 4, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        QCOMPARE(bytes(), before);

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts().last(), "Kit 5 was not saved to the sampler pad:\r\n" + kitFile(f, 5)
                                                    + "\r\nIt is a symbolic link, which the editor does not follow.");
        QCOMPARE(bytes(), before);
        QVERIFY(!QFileInfo(links[0]).isSymLink());
        QCOMPARE(alter(f), alterBytes(true, false, false, {1}));
    }

    void anotherPadAtThePlaceIsNotWritten_data()
    {
        QTest::addColumn<bool>("newVolume");
        QTest::newRow("another volume at the pad's place") << true;
        QTest::newRow("another pad's files in the pad's folders") << false;
    }

    // Pad A pulled and pad B mounted at the same place before the close:
    // nothing edited on A lands on B, and the window keeps the edits.
    void anotherPadAtThePlaceIsNotWritten()
    {
        QFETCH(bool, newVolume);
        FakeVolumeSerial noSerial;
        noSerial.uuid.clear();
        PadWindow f;
        f.volumes = &noSerial;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        w->doc().setChainStep(1, 0, 12);
        QTemporaryDir other;
        PadFixture b(other.filePath("B"));
        b.addWave(1);
        b.writeKits({0}, 99);
        QByteArray global = kf::readFile(b.sysPath + "/global.ini");
        global[KIT_CHAIN_BLOCK_OFFSET + 2] = 9;
        QVERIFY(kf::writeFile(b.sysPath + "/global.ini", global));
        const QString aside = other.filePath("A");
        if (newVolume) {
            QVERIFY(QDir().rename(f.pad.root, aside) && QDir().rename(b.root, f.pad.root));
        } else {
            for (int n = 1; n <= KIT_MAX_COUNT; ++n)
                QVERIFY(kf::writeFile(kitFile(f, n), kf::readFile(writeback::kitFileName(b.kitPath, n))));
            QVERIFY(kf::writeFile(f.pad.sysPath + "/global.ini", global));
        }
        const QStringList before = withoutAlter(f.pad.snapshot());

        QVERIFY(!f.closeWithYes());
        // Another volume is named as another pad; files changed on the same volume as changed.
        const QString box = newVolume ? anotherPad + otherSettings + notSaved(7, true)
                                      : "Kit 7 was not saved to the sampler pad: it changed on the pad since it was "
                                        "loaded.\r\nThe kit chains were not saved to the sampler pad: they changed "
                                        "on the pad since it was loaded.";
        QCOMPARE(f.prompter.texts().last(), box);
        QCOMPARE(withoutAlter(f.pad.snapshot()), before);
        QCOMPARE(QFileInfo::exists(f.pad.sysPath + "/alter.ini"), !newVolume);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[6].kit_tempo, quint8(w->doc().originalKitAttrList()[6].kit_tempo ^ 1));
        f.prompter.clear();
        QVERIFY(!w->close());
        QCOMPARE(f.prompter.texts(), QStringList{"Quit?"});
    }

    void foldersSwappedForLinksAreNotWrittenThrough_data()
    {
        QTest::addColumn<bool>("inside");
        QTest::newRow("links out of the pad") << false;
        QTest::newRow("links to folders of the pad") << true;
    }

    // Pad A pulled and pad B, whose kit 7 and global.ini hold what A's held
    // at load, mounted at the same place on a volume that looks the same
    // (a FAT root is always inode 1): nothing edited on A lands on B.
    void anotherPadWithTheSameKitsIsNotWritten()
    {
        FakeVolumeSerial noSerial;
        noSerial.uuid.clear();
        PadWindow f;
        f.volumes = &noSerial;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        QTemporaryDir other;
        PadFixture b(other.filePath("B"));
        writeClicks(b);
        for (int n = 1; n <= 5; ++n)
            b.addWave(n, QString("b%1").arg(n));
        for (int n = 1; n <= KIT_MAX_COUNT; ++n)
            QVERIFY(kf::writeFile(writeback::kitFileName(b.kitPath, n), kf::readFile(kitFile(f, n))));
        QCOMPARE(kf::readFile(b.sysPath + "/global.ini"), kf::readFile(f.pad.sysPath + "/global.ini"));
        // The root folder stays: the same device and inode.
        QVERIFY(QDir().rename(f.pad.model, other.filePath("A")) && QDir().rename(b.model, f.pad.model));
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts().last(), anotherPad + otherSettings + notSaved(7));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/alter.ini"));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[6].kit_tempo, quint8(w->doc().originalKitAttrList()[6].kit_tempo ^ 1));
    }

    // Pad B under another volume serial at pad A's place, its kit files as
    // A's: the close names the other pad, not a kit changed on the pad.
    void anotherVolumeIsNamedAtTheClose()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        serial.uuid = "B";
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts(), (QStringList{"Quit?", notice, anotherPad + otherVolume + notSaved(1)}));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
    }

    void aCopyDifferingInKitsIsNotWritten_data()
    {
        QTest::addColumn<QVector<int>>("differ");
        QTest::addColumn<int>("edited");
        QTest::addColumn<QString>("box");
        QTest::newRow("one kit") << QVector<int>{5} << 1
                                 << "\r\nIt is a copy of the loaded pad with other kits: Kit 5 differs." + notSaved(1);
        QVector<int> most;
        for (int k = 2; k <= 99; ++k)
            most << k;
        most.removeOne(50);
        QTest::newRow("most kits") << most << 60
                                   << QString("\r\nIt is a copy of the loaded pad with other kits: Kit 2–49 and 51–99 "
                                              "differ.\r\nKit 1–60 were not saved to the sampler pad.\r\nThe "
                                              "change file alter.ini was not saved.");
    }

    // A byte copy of the loaded pad (one volume serial) whose kits were
    // edited, mounted at the pad's place: the kits edited in the window do
    // not land on it, and the box names the kits it differs in as ranges.
    void aCopyDifferingInKitsIsNotWritten()
    {
        QFETCH(QVector<int>, differ);
        QFETCH(int, edited);
        QFETCH(QString, box);
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        for (int k = 0; k < edited; ++k)
            reloadKit(w->doc(), k, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        for (int n : differ) {
            QByteArray kit = kf::readFile(kitFile(f, n));
            kit[14] = char(kit.at(14) ^ 1);
            QVERIFY(kf::writeFile(kitFile(f, n), kit));
        }
        serial.mounts = 1;
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts(), (QStringList{"Quit?", notice, anotherPad + box}));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
    }

    // global.ini replaced by a pipe while the pad stays: the close says what
    // stands there, writes nothing and does not wait on the pipe.
    void aPipeAtGlobalIniIsNamed()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        const QString global = f.pad.sysPath + "/global.ini";
        QVERIFY(QFile::remove(global));
        QCOMPARE(::mkfifo(QFile::encodeName(global).constData(), 0600), 0);
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts().last(), anotherPad + "\r\nIts global.ini is no longer the file that was loaded:\r\n"
                                                    + global + "\r\nIt is a named pipe, not a file." + notSaved(1));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
    }

    void aPadGoneOrPutInPlaceAfterTheChainStepGetsNoMore_data()
    {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("pulled") << false;
        QTest::newRow("another pad put in its place") << true;
    }

    // Right after the kit chains were written the pad is pulled, or another
    // pad stands in its place: nothing more is written to either, and the box
    // tells which happened, what was saved and what was not.
    void aPadGoneOrPutInPlaceAfterTheChainStepGetsNoMore()
    {
        QFETCH(bool, replaced);
        FakeVolumeSerial noSerial;
        noSerial.uuid.clear();
        PadWindow f;
        f.volumes = &noSerial;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        reloadKit(w->doc(), 8, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        w->doc().setChainStep(1, 0, 12);
        const QByteArray kit7 = kf::readFile(kitFile(f, 7));
        QTemporaryDir other;
        PadFixture b(other.filePath("B"));
        writeClicks(b);
        b.addWave(1);
        b.writeKits({0}, 99);
        QStringList bBefore = b.snapshot();
        bBefore.replaceInStrings(b.root, f.pad.root);
        const QString aside = other.filePath("A");
        FileEvents events(f.disk);
        bool moved = false;
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            if (moved || e != ztplatform::FileEvent::OpenedForWriting || !path.endsWith("/global.ini"))
                return;
            moved = QDir().rename(f.pad.root, aside) && (!replaced || QDir().rename(b.root, f.pad.root));
            if (!replaced)
                f.drives.list.clear();
        };

        QVERIFY(!f.closeWithYes());
        QVERIFY(moved);
        const QString what = "\r\nThe kit chains were saved before that.\r\nKit 7 and 9 were not saved to the sampler "
                             "pad.\r\nThe change file alter.ini was not saved.\r\nThe next load of the sampler pad "
                             "finishes this save from its record.";
        QCOMPARE(f.prompter.texts().last(),
                 replaced ? anotherPad + otherSettings + what
                          : "The 350 device was disconnected." + what
                                  + "\r\nKorvanta stays open without the sampler pad and keeps your edits.");
        QCOMPARE(f.prompter.titles().last(), QString("Error"));
        QCOMPARE(kf::readFile(aside + "/ZT350/SYS/global.ini").at(KIT_CHAIN_BLOCK_OFFSET + 2 + 20), char(12));
        QCOMPARE(kf::readFile(aside + "/ZT350/KIT/k007.ini"), kit7);
        QVERIFY(!QFileInfo::exists(aside + "/ZT350/SYS/alter.ini"));
        QVERIFY(QFileInfo::exists(aside + "/ZT350/SYS/.zt-journal")); // the loaded pad's next load ends the save
        if (replaced)
            QCOMPARE(f.pad.snapshot(), bBefore);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[6].kit_tempo, quint8(w->doc().originalKitAttrList()[6].kit_tempo ^ 1));
    }

    // After kit 1 was written a new mount without SYS/global.ini stands at the
    // place: the close writes nothing more and tells the pad gone.
    void noPadTreeAtThePlaceMidCloseIsToldAsGone()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        for (int k : {0, 1, 2})
            reloadKit(w->doc(), k, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            if (e == ztplatform::FileEvent::OpenedForWriting && path.endsWith("/k001.ini") && serial.mounts == 0) {
                serial.mounts = 1;
                QFile::rename(f.pad.sysPath + "/global.ini", f.pad.sysPath + "/global.old");
            }
        };
        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", notice,
                              "The 350 device was disconnected.\r\nKit 1 was saved before that.\r\nKit 2 and 3 were "
                              "not saved to the sampler pad.\r\nThe change file alter.ini was not saved.\r\nThe next "
                              "load of the sampler pad finishes this save from its record.\r\nKorvanta "
                              "stays open without the sampler pad and keeps your edits."}));
    }

    // A pad mounted read-only: one warning says so and names what was not
    // saved; the window stays with the edits.
    void aReadOnlyPadIsNamedAtTheClose()
    {
        if (!BindMount::unavailable().isEmpty())
            QSKIP(qPrintable(BindMount::unavailable()));
        PadWindow f;
        f.layOut(3);
        BindMount bind;
        if (!bind.mount(f.pad.root, "zt350-ro") || !bind.makeReadOnly())
            QSKIP(qPrintable("cannot mount read-only here (" + bind.error + ")"));
        MainWindow1 *w = f.openAt(bind.mountPoint);
        QVERIFY(!w->pad().isUDiskFlag());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        w->doc().setChainStep(1, 0, 12);
        const QStringList before = f.pad.snapshot();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", notice,
                              "The sampler pad is read-only (write-protected).\r\nThe kit chains were not saved to "
                              "the sampler pad.\r\nKit 1 was not saved to the sampler pad.\r\nThe change file "
                              "alter.ini was not saved.\r\nKorvanta stays open without the sampler pad and keeps your "
                              "edits."}));
        QCOMPARE(f.prompter.titles().last(), QString("Warning"));
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
    }

    // An added sound's .wav and .prm and their folders are on the disk before
    // the close writes any record that names it.
    void addedSoundsAreOnTheDiskBeforeAnyRecord()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("late.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[3].soundFile0 = tone; });
        FileEvents events(f.disk);
        f.importSounds({tone});
        QVERIFY(f.closeWithYes());
        const QStringList log = events.lines();
        const QRegularExpression journal("^write .*/SYS/\\.zt-journal(-new)?$");
        // The add's journal record comes before its files; the close's is the
        // first write after them, before the kit it names or anything else.
        const int addRecord = log.indexOf(journal);
        const int kitWrite = log.indexOf(QRegularExpression("^write .*/KIT/k001.ini$"));
        const int firstRecord = log.lastIndexOf(journal, kitWrite);
        QVERIFY(addRecord >= 0 && firstRecord > addRecord && kitWrite > firstRecord);
        QCOMPARE(log.indexOf(QRegularExpression("^write .*/(KIT|SYS)/(?!\\.zt-journal).*")), kitWrite);
        auto canonical = [](const QString &path) { return QFileInfo(path).canonicalFilePath(); };
        // Each file forced to the disk under its hidden name, then their folders.
        int filesSynced = -1;
        for (const QString &file : {f.wav(4), f.prm(4)}) {
            const QString hidden = canonical(QFileInfo(file).path()) + "/." + QFileInfo(file).fileName() + ".0.zt-part";
            filesSynced = qMax(filesSynced, log.indexOf("sync " + hidden));
            QVERIFY2(log.contains("sync " + hidden), qPrintable(hidden));
            QVERIFY(log.indexOf("write " + hidden) > addRecord);
        }
        for (const QString &folder : {f.pad.dataPath + "/001", f.pad.prmPath + "/001"}) {
            const int at = log.lastIndexOf("sync " + canonical(folder), firstRecord);
            QVERIFY2(at > filesSynced && at < firstRecord, qPrintable(folder));
        }
    }

    void anotherPadsSoundsAreNotTaken_data()
    {
        QTest::addColumn<bool>("atClose");
        QTest::newRow("found at the close") << true;
        QTest::newRow("found at the first read") << false;
    }

    // Pad B, other audio under the same numbers, at pad A's place: Export All
    // takes none of it for A's sounds; they count as missing.
    void anotherPadsSoundsAreNotTaken()
    {
        QFETCH(bool, atClose);
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        serial.uuid = "B";
        for (int n = 1; n <= 3; ++n)
            touchFile(f.wav(n), kf::wavBytes(400, quint32(100 + n)));
        if (atClose)
            QVERIFY(!f.closeWithYes());
        f.prompter.clear();

        const QString out = f.work.filePath("SETUP.BIN");
        f.prompter.fileAnswers.enqueue({out});
        w->form()->actionExport_All->trigger();
        const QString click1 = f.pad.sysPath + "/CLICK/click1.wav";
        QStringList texts{"click1.wavsound exists in Kit \r\nIf you want to delete a sound, please find it in the right "
                          "list and press 'OK' to confirm.\r\nFile not found:" + click1,
                          "Error in obtaining sound, the saving is failed."};
        if (!atClose)
            texts.prepend(anotherPad + otherVolume);
        QCOMPARE(f.prompter.texts(), texts);
        QVERIFY(!QFileInfo::exists(out)); // no file, so no byte of B's audio
        QVERIFY(w->pad().isUDiskFlag());
        // Nor is a sound of B offered for a preview.
        const QModelIndex first = w->library().totalListItemModel()->soundIndex(0);
        QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
        selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        selection->select(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(f.prompter.texts().last(), "Please check path:wave1 does not exist.\r\n" + f.wav(1));
        QVERIFY(!w->form()->playBtn2->isEnabled());
    }

    // A look at a pad sound's kind or size goes below the pad's root as
    // loaded: a link or a pipe at its name is no file, and another pad at the
    // root's place is named as every read of the pad names it.
    void looksAtPadSoundsGoBelowTheRoot()
    {
        FakeVolumeSerial serial;
        PadWindow f;
        f.layOut(3);
        f.volumes = &serial;
        MainWindow1 *w = f.open();
        const ztplatform::Waiter turn;
        const auto isFile = [&turn, w](const QString &path) {
            return ztplatform::isRegularFileWithin(w->pad().fence(), w->pad().silentFiles(), path, 2000, turn);
        };
        const auto size = [&turn, w](const QString &path) {
            return ztplatform::regularFileSizeWithin(w->pad().fence(), w->pad().silentFiles(), path, 2000, turn);
        };
        QCOMPARE(isFile(f.wav(1)), std::optional<bool>(true));
        QCOMPARE(size(f.wav(1)), std::optional<qint64>(QFileInfo(f.wav(1)).size()));

        QTemporaryDir outside;
        const QString elsewhere = outside.filePath("elsewhere.wav");
        QVERIFY(QFile::copy(f.wav(1), elsewhere));
        QVERIFY(QFile::remove(f.wav(1)) && QFile::link(elsewhere, f.wav(1)));
        QCOMPARE(isFile(f.wav(1)), std::optional<bool>(false));
        QCOMPARE(size(f.wav(1)), std::optional<qint64>(-1));
        QVERIFY(QFile::remove(f.wav(2)) && ::mkfifo(QFile::encodeName(f.wav(2)).constData(), 0600) == 0);
        QCOMPARE(isFile(f.wav(2)), std::optional<bool>(false));
        QCOMPARE(size(f.wav(2)), std::optional<qint64>(-1));
        QVERIFY(f.prompter.texts().isEmpty() && !w->pad().isUDiskFlag());

        serial.uuid = "B";
        QCOMPARE(size(f.wav(3)), std::optional<qint64>(-1));
        QCOMPARE(f.prompter.texts(), QStringList{anotherPad + otherVolume});
        QVERIFY(w->pad().isUDiskFlag());
        QCOMPARE(isFile(f.wav(3)), std::optional<bool>(false));
    }

    // The save's own looks at a pad sound go below the pad's root too: a link
    // at its name is told as the link it is, not named again as a sound that
    // does not convert.
    void aSavesLooksAtAPadSoundDoNotFollowALink()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        QTemporaryDir outside;
        const QString elsewhere = outside.filePath("elsewhere.wav");
        QVERIFY(QFile::copy(f.wav(1), elsewhere));
        QVERIFY(QFile::remove(f.wav(1)) && QFile::link(elsewhere, f.wav(1)));
        f.prompter.clear();
        const QString out = f.work.filePath("SETUP.BIN");
        f.prompter.fileAnswers.enqueue({out});
        w->form()->actionExport_All->trigger();
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"The file cannot be read:\r\n" + f.wav(1)
                                      + "\r\nIt is a symbolic link, which the editor does not follow.",
                              "Error in obtaining sound, the saving is failed."}));
        QVERIFY(!w->pad().isUDiskFlag());
    }

    // KIT and SYS swapped for links after the load, out of the pad or to
    // folders inside it: the folders they lead to keep every byte and the box
    // names what was not saved.
    void foldersSwappedForLinksAreNotWrittenThrough()
    {
        QFETCH(bool, inside);
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        w->doc().setChainStep(1, 0, 12);
        QTemporaryDir outside;
        const QString target = inside ? f.pad.model + "/MOVED" : outside.path();
        QVERIFY(QDir().mkpath(target));
        for (const QString &folder : {f.pad.kitPath, f.pad.sysPath}) {
            const QString moved = target + "/" + QFileInfo(folder).fileName();
            QVERIFY(QDir().rename(folder, moved) && QFile::link(moved, folder));
        }
        auto files = [&target]() {
            QMap<QString, QByteArray> all;
            QDirIterator it(target, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                all.insert(it.next(), kf::readFile(it.filePath()));
            return all;
        };
        const QMap<QString, QByteArray> before = files();

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.texts().last(),
                 QString("Kit 7 was not saved to the sampler pad: its folder is a link or leads out of the sampler "
                         "pad.\r\nThe kit chains were not saved to the sampler pad: the folder of global.ini is a link "
                         "or leads out of the sampler pad.\r\nThe change file alter.ini was not saved: its folder is a "
                         "link or leads out of the sampler pad."));
        QCOMPARE(files(), before);
        QVERIFY(!QFileInfo::exists(target + "/SYS/alter.ini"));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
    }

    // A pad that takes no byte past 1000 of a file refuses the record's
    // write: nothing is saved, the kit keeps its bytes, and the box tells the
    // refusal as it is, not as missing room.
    void aRefusedRecordSavesNothingAndSaysWhy()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QByteArray kitBefore = kf::readFile(kitFile(f, 7));
        reloadKit(w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        f.prompter.onPrompt = [&old](const ScriptedPrompter::Prompt &p) {
            rlimit small = old;
            small.rlim_cur = 1000;
            if (p.kind == UiPrompter::Information)
                ::setrlimit(RLIMIT_FSIZE, &small);
        };
        const bool closed = f.closeWithYes();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!closed);
        QVERIFY(f.prompter.texts().last().startsWith(
                "The sampler pad refused a write (File too large); nothing was saved to it.\r\nKit 7 was not saved "
                "to the sampler pad.\r\n"));
        QCOMPARE(kf::readFile(kitFile(f, 7)), kitBefore);
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
    }

    void secondCloseIsIgnoredAndAFailedDismountIsReported()
    {
        PadWindow f;
        f.layOut(3);
        f.open();
        bool innerAccepted = true;
        f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &p) {
            if (p.kind != UiPrompter::Information)
                return;
            QCloseEvent again;
            QCoreApplication::sendEvent(f.w, &again);
            innerAccepted = again.isAccepted();
        };
        f.dismounter.answer = false;
        QVERIFY(f.closeWithYes());
        QVERIFY(!innerAccepted);
        QCOMPARE(f.prompter.texts().size(), 3);
        QCOMPARE(f.prompter.titles().last(), QString("Warning"));
        QCOMPARE(f.prompter.texts().last(),
                 QString("The sampler pad could not be ejected. Eject it in the system before you unplug it."));
        QCOMPARE(f.dismounter.mountPoints.size(), 1);
    }

    // A dismount that does not return (the pad's sync hangs, and its root
    // with it) is not waited on: the window paints meanwhile, closes once the
    // pad does not answer and says the pad was not ejected.
    void aDismountThatDoesNotReturnIsNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        f.open();
        std::mutex lock;
        std::condition_variable resume;
        bool entered = false, released = false, returned = false;
        f.dismounter.onDismount = [&]() {
            f.drives.hang(f.root());
            std::unique_lock<std::mutex> hold(lock);
            entered = true;
            resume.wait(hold, [&] { return released; });
            returned = true;
        };
        // The window answers while the dismount is held, before it is told.
        const TurnsWhile held([&] {
            std::lock_guard<std::mutex> hold(lock);
            return entered && !returned && f.prompter.texts().filter("could not be ejected").isEmpty();
        });
        QVERIFY(f.closeWithYes());
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts().last(),
                 QString("The sampler pad could not be ejected. Eject it in the system before you unplug it."));
        QCOMPARE(f.prompter.titles().last(), QString("Warning"));
        QCOMPARE(f.dismounter.mountPoints, QStringList{f.root()});
        {
            std::lock_guard<std::mutex> hold(lock);
            QVERIFY(!returned);
            released = true;
        }
        resume.notify_all();
        f.drives.release(f.root());
        QTRY_COMPARE(f.dismounter.left.load(), 1); // nothing of the test is touched after
        std::lock_guard<std::mutex> hold(lock);
        QVERIFY(returned);
    }

    void aRunningBatchEndsBeforeTheWriteBack()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("late.wav"), 0.5);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[3].soundFile0 = tone; });
        f.importSounds({tone});
        QVERIFY(w->padSync().syncBatch()->isRunning());
        QVERIFY(f.closeWithYes());
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        QCOMPARE(kf::rd16(kit1, 182 + 95 * 3), quint16(3)); // wave 4, stored as 3
        QCOMPARE(kf::rd32(kit1, 182 + 95 * 3 + 8), quint32(QFileInfo(f.wav(4)).size()));
        QCOMPARE(alter(f), alterBytes(true, true, false, {1}));
    }

    // A pad that stops answering while the user works (its root's stat never
    // returns) is taken for away and told at once: none of its files is
    // looked at, the close writes nothing and the window stays with the edits.
    void aPadThatStopsAnsweringIsToldAndNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag() && w->pad().padAnswering());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        const QStringList before = f.pad.snapshot();
        f.drives.hang(f.root());
        QTRY_VERIFY_WITH_TIMEOUT(!w->pad().padAnswering(), 60000);
        QCOMPARE(f.prompter.titles(), QStringList{"Warning"});
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to "
                             "it until it answers again; your edits are kept."});
        QVERIFY(!ztplatform::isRegularFile(w->pad().fence(), f.wav(1)));

        const int looking = f.drives.waiting();
        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.drives.waiting(), looking); // the close started no look at the silent pad
        QCOMPARE(f.prompter.texts().mid(1),
                 (QStringList{"Quit?", "The sampler pad does not answer: nothing was saved to it.\r\nKorvanta stays "
                                       "open without the sampler pad and keeps your edits."}));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        // Offline now, its files are still not looked at while it does not answer.
        QVERIFY(!w->pad().padAnswering() && !ztplatform::isRegularFile(w->pad().fence(), f.wav(1)));
        QCOMPARE(f.pad.snapshot(), before);
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        f.drives.release(f.root());
    }

    // The pad's folder does not answer as the close looks for it (its stat
    // never returns, the watch has not seen it yet): the window paints
    // meanwhile, stays open within the limit and says nothing was saved.
    void aPadSilentAsTheCloseLooksIsNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        const QStringList before = f.pad.snapshot();
        HangingOpens hanging(QFile::encodeName(QFileInfo(w->pad().tree().kitPath).absolutePath()), 0,
                             HangingOpens::Looks::OpensAndStats);
        // The window answers while the look is held, before it is told ("Quit?" comes first).
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().size() == 1; });
        QVERIFY(!f.closeWithYes());
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the look is still held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", "The sampler pad does not answer: nothing was saved to it.\r\nKorvanta stays "
                                       "open without the sampler pad and keeps your edits."}));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(f.pad.snapshot(), before);
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // The pad stops answering while the close waits for a batch that writes
    // sounds to it: the box does not say that nothing was saved, and the
    // batch, given up on, writes nothing more once the pad answers: its
    // sound is neither on the pad nor in the list, and the pad's next load
    // ends what it began.
    void aBatchLeftOnASilentPadAtTheCloseIsNotToldAsNothingSaved()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("late.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        const QString root = f.root();
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::OpenedForWriting || !path.startsWith(root))
                return;
            held = true; // the batch's first write on the pad waits, and the pad's root with it
            f.drives.hang(root);
            resume.wait(hold, [&] { return released; });
        };
        auto release = [&] {
            {
                std::lock_guard<std::mutex> hold(lock);
                released = true;
            }
            resume.notify_all();
            f.drives.release(root);
        };
        const auto releasedAtEnd = qScopeGuard(release); // a failed check leaves no write waiting
        f.importSounds({tone});
        QVERIFY(w->padSync().syncBatch()->isRunning());
        QVERIFY(!f.closeWithYes());
        QVERIFY(held);
        QCOMPARE(f.prompter.texts().last(),
                 QString("The sampler pad stopped answering while the changes were written to it; they may have "
                         "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps your "
                         "edits."));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        const QString wavFolder = QFileInfo(f.wav(4)).absolutePath();
        const QStringList wavesBefore = QDir(wavFolder).entryList(QDir::Files | QDir::Hidden);
        release();
        QTRY_VERIFY_WITH_TIMEOUT(!w->padSync().syncBatch() || w->padSync().syncBatch()->liveWorkers() == 0, 60000);
        QTRY_VERIFY(!w->padSync().syncBatch()->isRunning());
        QCOMPARE(QDir(wavFolder).entryList(QDir::Files | QDir::Hidden), wavesBefore);
        QVERIFY(!ztplatform::isRegularFile(w->pad().fence(), f.wav(4)));
        for (const MainWindow1Records::SOUND_INDEX &s : w->library().waveLoadKitAttrList())
            QVERIFY(QDir::fromNativeSeparators(s.file) != tone);
        const PadFixture::Loaded again = f.pad.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!ztplatform::isRegularFile(w->pad().fence(), f.wav(4)));
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/.zt-journal"));
    }

    // The pad stops answering while the close writes to it: the window does
    // not wait for the write, says so and stays open without the pad.
    void aPadThatStopsAnsweringDuringTheWriteBackIsNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/alter.ini"));
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::OpenedForWriting)
                return;
            held = true; // the first write waits, and the pad's root with it
            f.drives.hang(f.root());
            resume.wait(hold, [&] { return released; });
        };
        QVERIFY(!f.closeWithYes());
        QVERIFY(held);
        QCOMPARE(f.prompter.texts().last(),
                 QString("The sampler pad stopped answering while the changes were written to it; they may have "
                         "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps your "
                         "edits."));
        QCOMPARE(f.prompter.titles().last(), QString("Error"));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        // The write left behind ends the call under way once the pad answers,
        // and writes nothing more: no kit, no alter.ini.
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        {
            std::lock_guard<std::mutex> hold(lock);
            released = true;
        }
        resume.notify_all();
        f.drives.release(f.root());
        QTest::qWait(500);
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/alter.ini"));
        QCOMPARE(kf::readFile(kitFile(f, 1)), kit1);
        // The pad's next load ends what it began: wholly saved or wholly as before.
        const PadFixture::Loaded again = f.pad.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/.zt-journal"));
        QCOMPARE(QFileInfo::exists(f.pad.sysPath + "/alter.ini"), kf::readFile(kitFile(f, 1)) != kit1);
    }

    // One kit file does not answer while the pad's root does: the close waits
    // on it no longer than on any look at the pad, says so and stays open with
    // the edits; the file answering late gets nothing more.
    void aSilentKitFileHoldsTheCloseNoLongerThanAnyLook()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        const QStringList before = f.pad.snapshot();
        HangingOpens hanging(f.disk, "k001.ini");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().size() == 2; });
        QVERIFY(!f.closeWithYes());
        QCOMPARE(hanging.waiting(), 1); // told while the file is still held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", notice,
                              "The sampler pad stopped answering while the changes were written to it; they may have "
                              "reached it only in part.\r\nKorvanta stays open without the sampler pad and keeps "
                              "your edits."}));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTest::qWait(500);
        QCOMPARE(f.pad.snapshot(), before);
    }

    // A batch whose write into a wave folder does not return while the pad's
    // root answers holds the close no longer than any look at the pad: the
    // box comes while the write is held, the window stays with the edits, and
    // once the write returns the batch writes nothing more; the pad's next
    // load takes back what it began.
    void aBatchHeldWhileThePadAnswersHoldsTheCloseNoLongerThanAnyLook()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        const QString tone = makeTone(f.work.filePath("late.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        const QString dataPath = f.pad.dataPath;
        std::mutex lock;
        std::condition_variable resume;
        bool held = false, released = false;
        FileEvents events(f.disk);
        events.onEvent = [&](ztplatform::FileEvent e, const QString &path) {
            std::unique_lock<std::mutex> hold(lock);
            if (held || e != ztplatform::FileEvent::OpenedForWriting || !path.startsWith(dataPath))
                return;
            held = true; // the sound's first write waits; the pad's root still answers
            resume.wait(hold, [&] { return released; });
        };
        auto release = [&] {
            {
                std::lock_guard<std::mutex> hold(lock);
                released = true;
            }
            resume.notify_all();
        };
        const auto releasedAtEnd = qScopeGuard(release);
        f.importSounds({tone});
        QVERIFY(w->padSync().syncBatch()->isRunning());
        const TurnsWhile turns([&] {
            std::lock_guard<std::mutex> hold(lock);
            return held && f.prompter.texts().size() == 1;
        });
        QVERIFY(!f.closeWithYes());
        {
            std::lock_guard<std::mutex> hold(lock);
            QVERIFY(held && !released); // told while the write is still held
        }
        QVERIFY(turns.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", "The sampler pad stopped answering while the changes were written to it; they "
                                       "may have reached it only in part.\r\nKorvanta stays open without the "
                                       "sampler pad and keeps your edits."}));
        QCOMPARE(f.prompter.titles().last(), QString("Error"));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().kitAttrList()[0].kit_tempo, quint8(w->doc().originalKitAttrList()[0].kit_tempo ^ 1));
        QVERIFY(f.dismounter.mountPoints.isEmpty());
        const QStringList before = f.pad.snapshot();
        release();
        QTRY_VERIFY_WITH_TIMEOUT(!w->padSync().syncBatch()->isRunning(), 60000);
        // Once the write returns nothing more is written; the file it held
        // open goes, with none of the sound's bytes in it.
        QStringList after = f.pad.snapshot(), gone;
        for (const QString &line : before) {
            if (!after.removeOne(line))
                gone << line;
        }
        QCOMPARE(after, QStringList());
        QCOMPARE(gone.size(), 1);
        QVERIFY2(gone[0].contains("/.004.wav.") && gone[0].endsWith(" da39a3ee5e6b4b0d3255bfef95601890afd80709"),
                 qPrintable(gone[0]));
        QVERIFY(!ztplatform::isRegularFile(w->pad().fence(), f.wav(4)));
        const PadFixture::Loaded again = f.pad.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!ztplatform::isRegularFile(w->pad().fence(), f.wav(4))
                && !ztplatform::isRegularFile(w->pad().fence(), f.prm(4)));
        QVERIFY(!QFileInfo::exists(f.pad.sysPath + "/.zt-journal"));
    }

    // A conversion that goes on for longer than any look at the pad may take,
    // making progress all along, is waited for: the close writes its sound
    // and the kits after it.
    void aSlowConversionThatProgressesIsWaitedForAtTheClose()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        const QString tone = makeTone(f.work.filePath("slow.wav"), 0.2);
        QVERIFY(!tone.isEmpty());
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[3].soundFile0 = tone; });
        const QString go = f.work.filePath("go");
        const QString slow = f.work.filePath("slow-ffmpeg");
        touchFile(slow, "#!/bin/sh\nwhile [ ! -e '" + go.toUtf8() + "' ]; do echo converting >&2; sleep 0.1; done\n"
                        "exec " + audioconverter::defaultProgram().toUtf8() + " \"$@\"\n");
        QFile(slow).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        w->padSync().ensureSyncBatch()->setConverterProgram(slow);
        f.importSounds({tone});
        QVERIFY(w->padSync().syncBatch()->isRunning());
        // The conversion goes on three limits after the answer, the close
        // still waiting and nothing told.
        QElapsedTimer asked;
        bool toldMeanwhile = false, goneOn = false;
        QTimer turn;
        QObject::connect(&turn, &QTimer::timeout, [&] {
            if (!asked.isValid() && f.prompter.texts().size() == 1)
                asked.start();
            if (goneOn || !asked.isValid() || asked.elapsed() < 3 * PadWatch::ANSWER_LIMIT_MS)
                return;
            toldMeanwhile = f.prompter.texts().size() != 1 || !w->padSync().syncBatch()->isRunning();
            goneOn = true;
            touchFile(go, "");
        });
        turn.start(20);
        QVERIFY(f.closeWithYes());
        turn.stop();
        QVERIFY(goneOn && !toldMeanwhile);
        QCOMPARE(f.prompter.texts(), (QStringList{"Quit?", notice}));
        QVERIFY(ztplatform::isRegularFile(nullptr, f.wav(4)));
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        QCOMPARE(kf::rd16(kit1, 182 + 95 * 3), quint16(3)); // wave 4, stored as 3
        QCOMPARE(alter(f), alterBytes(true, true, false, {1}));
    }

    // A dismount that does not return while the pad's root answers is given
    // up on within the limit of any look: the window paints meanwhile, says
    // the pad was not ejected while the dismount is still held, and closes,
    // its edits on the pad.
    void aDismountHeldWhileThePadAnswersIsNotWaitedOn()
    {
        PadWindow f;
        f.layOut(3);
        MainWindow1 *w = f.open();
        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) { kit.kit_tempo ^= 1; });
        std::mutex lock;
        std::condition_variable resume;
        bool entered = false, released = false, returned = false;
        f.dismounter.onDismount = [&]() {
            std::unique_lock<std::mutex> hold(lock);
            entered = true;
            resume.wait(hold, [&] { return released; });
            returned = true;
        };
        const TurnsWhile held([&] {
            std::lock_guard<std::mutex> hold(lock);
            return entered && !returned && f.prompter.texts().filter("could not be ejected").isEmpty();
        });
        QVERIFY(f.closeWithYes());
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", notice,
                              "The sampler pad could not be ejected. Eject it in the system before you unplug it."}));
        QCOMPARE(f.prompter.titles().last(), QString("Warning"));
        QCOMPARE(alter(f), alterBytes(true, false, false, {1}));
        {
            std::lock_guard<std::mutex> hold(lock);
            QVERIFY(entered && !returned); // told while the dismount is still held
            released = true;
        }
        resume.notify_all();
        QTRY_COMPARE(f.dismounter.left.load(), 1);
    }

    // A pad whose global.ini is in the older layout holds eight kit chains:
    // its chains left as loaded are not written, the cleared kit is, and the
    // editor closes and ejects the pad with no error.
    // Chains edited on a pad whose global.ini is in the older layout: the box
    // says why they were not written, and alter.ini does not mark them.
    void chainsOnAPadWithAnOlderGlobalAreToldWhy()
    {
        PadWindow f;
        f.layOut(3);
        const QString global = f.pad.sysPath + "/global.ini";
        QByteArray old(488, '\0');
        std::memcpy(old.data(), "GLOB", 4);
        kf::wr32(old, 4, 488);
        QVERIFY(QFile::remove(global));
        QVERIFY(kf::writeFile(global, old));
        MainWindow1 *w = f.open();
        w->doc().setChainStep(1, 0, 12);

        QVERIFY(!f.closeWithYes());
        QCOMPARE(f.prompter.titles().last(), QString("Open Error"));
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"Quit?", notice,
                              "File location:" + global
                                      + "\r\nIt holds the global settings in an older layout, which has no place "
                                        "for the kit chains."}));
        QCOMPARE(kf::readFile(global), old);
        QCOMPARE(alter(f), alterBytes(false, false, false, {}));
        QVERIFY(!f.w.isNull() && w->pad().isUDiskFlag());
        QCOMPARE(w->doc().globalFlag(), 0);
    }

    void aPadWithAnOlderGlobalClosesWithItsKitsWritten()
    {
        PadWindow f;
        f.layOut(3);
        const QString global = f.pad.sysPath + "/global.ini";
        QByteArray old(488, '\0');
        std::memcpy(old.data(), "GLOB", 4);
        kf::wr32(old, 4, 488);
        old[32] = 81; // its audio volume
        QVERIFY(QFile::remove(global));
        QVERIFY(kf::writeFile(global, old));
        MainWindow1 *w = f.open();
        QCOMPARE(w->form()->audioVolume->text(), QString("81"));
        const QByteArray kit1 = kf::readFile(kitFile(f, 1));
        w->form()->kitNumber->setText("1");
        QTest::mouseClick(w->form()->btnClear, Qt::LeftButton);

        QVERIFY(f.closeWithYes());
        QCOMPARE(f.prompter.texts(), (QStringList{"Quit?", notice}));
        QVERIFY(f.w.isNull());
        QCOMPARE(kf::readFile(global), old);
        QVERIFY(kf::readFile(kitFile(f, 1)) != kit1);
        QCOMPARE(alter(f), alterBytes(true, false, false, {1}));
        QCOMPARE(f.dismounter.mountPoints, QStringList{f.root()});
    }
};

QTEST_MAIN(TestPadClose)
#include "test_padclose.moc"

#include "hangingdisk.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "padwindow.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/device/padsynccontroller.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QtTest>

#include <sys/stat.h>

// The pad's disk `disk` while it lives: before the `occurrence`-th open of an
// entry named `name` passes, `act` runs once.
class ActOnOpen : public PassDisk
{
public:
    ActOnOpen(SwitchDisk &disk, const QByteArray &name, int occurrence, std::function<void()> act)
        : m_name(name)
        , m_left(occurrence)
        , m_act(std::move(act))
        , m_disk(disk)
        , m_before(disk.use(this))
    {
    }
    ~ActOnOpen() override { m_disk.use(m_before); }
    ActOnOpen(const ActOnOpen &) = delete;
    ActOnOpen &operator=(const ActOnOpen &) = delete;

    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
    {
        if (name == m_name && m_left.fetchAndSubOrdered(1) == 1)
            m_act();
        return PassDisk::openAt(dir, name, flags, mode);
    }

private:
    const QByteArray m_name;
    QAtomicInt m_left;
    const std::function<void()> m_act;
    SwitchDisk &m_disk;
    ztplatform::Disk *m_before;
};

// The pad chosen at start: what the window shows after a good load, and what
// the user is told when the pad cannot be used. No road writes to the pad.
class TestPadLoad : public QObject
{
    Q_OBJECT

private slots:
    void goodPadReachesDeviceMode()
    {
        PadWindow f;
        f.pad.addWave(1, "Kick", 0); // locked
        f.pad.addWave(12, "Snare");
        f.pad.addWave(3, "Hat");
        f.pad.writeKits({0, 11});
        const QStringList before = f.pad.snapshot();
        // The window is not shown yet; its dialog is while the load waits on
        // the pad (a sound's record held until the window has looked).
        HangingOpens held(f.disk, "003.prm");
        bool shownWhileLoading = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (held.waiting() == 0)
                return;
            const QProgressDialog *d = f.w ? f.w->padSync().usbDialog() : nullptr;
            shownWhileLoading |= d && d->isVisible() && !f.w->isVisible();
            held.release();
        });
        watch.start(0);
        MainWindow1 *w = f.open();
        watch.stop();
        QVERIFY(shownWhileLoading);

        QCOMPARE(f.prompter.texts(), QStringList());
        QVERIFY(!w->pad().isUDiskFlag() && !w->padSync().fileErrCloseWindow());
        QCOMPARE(w->padSync().loopFlag1(), 0);
        const QString wav1 = QDir::toNativeSeparators(f.wav(1));
        QCOMPARE(f.rows(), (QStringList{"1|Kick|" + wav1, "3|Hat|" + f.wav(3), "12|Snare|" + f.wav(12)}));
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->icon().isNull());
        QVERIFY(w->library().totalListItemModel()->soundItem(1, 0)->icon().isNull());
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->isEditable()
                && !w->library().totalListItemModel()->soundItem(0, 1)->isEditable());
        QCOMPARE(w->library().hhSoundItemModel()->soundCount(), 3);
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(2, 0)->text(), QString("Snare"));
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(2, 1)->text(), f.wav(12));
        QCOMPARE(w->soundLists().waveAttrList().size(), 3);
        QCOMPARE(w->soundLists().waveAttrList()[2].wave_No, quint16(11)); // reading order, pad numbering
        QCOMPARE(w->library().soundList(), (QStringList{"Kick", "Hat", "Snare"}));

        // Metronome sounds from the pad, global settings, 100 kits, kit 1 shown.
        QCOMPARE(w->library().clickList().size(), 5);
        QCOMPARE(w->library().clickList()[0].name, QString("click1.wav"));
        QCOMPARE(w->doc().kitAttrList().size(), 100);
        QCOMPARE(w->doc().originalKitAttrList().size(), 100);
        QCOMPARE(w->doc().originalKitChainList().size(), w->doc().kitChainList().size());
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].soundFile0, wav1);
        QCOMPARE(w->doc().kitAttrList()[0].kpadChunk[0].aWaveNo, quint16(0));
        QCOMPARE(w->doc().kitPadList(0)[0].soundName0, QString("Kick"));
        QCOMPARE(w->doc().kitNameList()[41], QString("KIT41"));
        QCOMPARE(w->pad().padKitFiles().value(99), f.pad.kitPath + "/k100.ini");
        QVERIFY(w->doc().kitMaxList().isEmpty());
        QCOMPARE(w->doc().kitNumFlagList1(), QVector<quint8>(100, 0));
        QCOMPARE(w->form()->kitNumber->text(), QString("1"));
        QCOMPARE(w->form()->kitNameLineEdit->text(), QString("KIT0"));
        QCOMPARE(w->mainPadPage().currentKitNum(), quint8(0));

        // The form's device-mode look.
        QVERIFY(!w->form()->waveGroupTreeView->isEnabled());
        QCOMPARE(w->form()->waveGroupTreeView->styleSheet(), QString("background-color:   rgb(230, 230, 230);"));
        QVERIFY(!w->form()->groupButtons->isEnabled());
        QCOMPARE(w->form()->groupButtons->styleSheet(), QString("background-color: rgb(250, 250, 250) "));
        QCOMPARE(w->form()->waveGroup_widget->styleSheet(), QString("background-color: rgb(250, 250, 250);"));
        for (QWidget *hidden : {static_cast<QWidget *>(w->form()->orderWidget), static_cast<QWidget *>(w->form()->rightwaveListIO),
                                static_cast<QWidget *>(w->form()->tbtAddWave), static_cast<QWidget *>(w->form()->tbtDel)})
            QVERIFY(hidden->isHidden());

        // The load's dialog, closed at its end.
        QProgressDialog *d = w->padSync().usbDialog();
        QVERIFY(d && !d->isVisible() && d->parent() == w);
        QCOMPARE(d->windowTitle(), QString("Please wait..."));
        QCOMPARE(d->labelText(), QString("The files are loading..."));
        QCOMPARE(d->maximum(), 100);
        QCOMPARE(d->minimumDuration(), 5);
        QCOMPARE(d->windowModality(), Qt::WindowModal);

        QCOMPARE(f.pad.snapshot(), before);
    }

    void refusedPadsEndTheEditor_data()
    {
        QTest::addColumn<int>("tree");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("titles");
        const QString notPad = "The current disk is not the sampler pad.";
        QTest::newRow("file at the root") << 0 << QStringList{notPad} << QStringList{"Error"};
        QTest::newRow("no model folder") << 1 << QStringList{notPad} << QStringList{"Error"};
        QTest::newRow("no metronome folder") << 2 << QStringList{"Metronome sounds were not found.", notPad}
                                             << QStringList{"Warning", "Error"};
        QTest::newRow("no sounds")
                << 3 << QStringList{"The sounds  of the sampler pad have been cleared. Entering online mode is prohibited"}
                << QStringList{"Error"};
        const QString global = "Fail to read file, import failed.\r\n%1/ZT350/SYS/global.ini\r\n";
        const QString kit = "Fail to read kit file, import failed.\r\n%1/ZT350/KIT/";
        QTest::newRow("no global.ini") << 5 << QStringList{global + "It does not exist."} << QStringList{"Warning"};
        QTest::newRow("kit file missing") << 6 << QStringList{kit + "k050.ini\r\nIt does not exist."}
                                          << QStringList{"Warning"};
        QTest::newRow("kit file short") << 7
                                        << QStringList{kit + "k007.ini\r\nIt is shorter than a kit record (1987 bytes)."}
                                        << QStringList{"Warning"};
        QTest::newRow("global.ini a pipe") << 8 << QStringList{global + "It is a named pipe, not a file."}
                                           << QStringList{"Warning"};
        QTest::newRow("kit file a folder") << 9 << QStringList{kit + "k100.ini\r\nIt is a folder, not a file."}
                                           << QStringList{"Warning"};
    }

    void refusedPadsEndTheEditor()
    {
        QFETCH(int, tree);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, titles);
        PadWindow f;
        f.layOut(tree == 3 ? 0 : 3);
        switch (tree) {
        case 0:
            touchFile(f.pad.root + "/STRAY.WAV", "x");
            break;
        case 1:
            QVERIFY(QDir(f.pad.root).rename("ZT350", "ZT351"));
            break;
        case 2:
            QVERIFY(QDir(f.pad.sysPath + "/CLICK").removeRecursively());
            break;
        case 5:
            QVERIFY(QFile::remove(f.pad.sysPath + "/global.ini"));
            break;
        case 6:
            QVERIFY(QFile::remove(f.pad.kitPath + "/k050.ini"));
            break;
        case 7:
            QVERIFY(QFile::resize(f.pad.kitPath + "/k007.ini", KIT_RECORD_SIZE - 1));
            break;
        case 8:
            QVERIFY(QFile::remove(f.pad.sysPath + "/global.ini"));
            QCOMPARE(::mkfifo(QFile::encodeName(f.pad.sysPath + "/global.ini").constData(), 0600), 0);
            break;
        case 9:
            QVERIFY(QFile::remove(f.pad.kitPath + "/k100.ini") && QDir().mkdir(f.pad.kitPath + "/k100.ini"));
            break;
        }
        const QStringList before = f.pad.snapshot();
        MainWindow1 *w = f.open();
        QCOMPARE(f.prompter.texts(), texts.replaceInStrings("%1", f.pad.root));
        QCOMPARE(f.prompter.titles(), titles);
        QVERIFY(w->padSync().fileErrCloseWindow() && w->pad().isUDiskFlag());
        QCOMPARE(w->padSync().loopFlag1(), 0);
        QVERIFY(!w->padSync().usbDialog() || !w->padSync().usbDialog()->isVisible());
        QCOMPARE(f.pad.snapshot(), before);
    }

    void aPadThatStopsAnsweringWhileLoadedIsNotWaitedOn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("answered");
        QTest::addColumn<bool>("listing");
        QTest::newRow("a sound's record") << QByteArray("002.prm") << 0 << false;
        // Opened by name below its folder, after the four looks of the pad's identity.
        QTest::newRow("the settings") << QByteArray("global.ini") << 4 << false;
        QTest::newRow("a kit") << QByteArray("k050.ini") << 0 << false; // opened by name below its folder
        QTest::newRow("a sound folder's listing") << QByteArray("WAV_PRM/001") << 0 << true;
    }

    // A file of the pad that is never read (its open, or its folder's
    // listing, does not return): the window goes on painting, is told after
    // the limit, and the editor ends as with a pad it cannot use. The read
    // left behind ends on its own.
    void aPadThatStopsAnsweringWhileLoadedIsNotWaitedOn()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, answered);
        QFETCH(bool, listing);
        PadWindow f;
        f.layOut(3);
        const QStringList before = f.pad.snapshot();
        HangingOpens hanging(f.disk, file, answered, listing ? HangingOpens::Looks::Lists : HangingOpens::Looks::Opens);
        // The window answers while the file is held, before it gives up on it.
        const TurnsWhile held([&] { return hanging.waiting() > 0 && f.prompter.texts().isEmpty(); });
        QElapsedTimer clock;
        clock.start();
        MainWindow1 *w = f.open();
        QVERIFY(clock.elapsed() >= PadWatch::ANSWER_LIMIT_MS);
        QCOMPARE(hanging.hung(), 1); // one look waited, none after it
        QCOMPARE(hanging.waiting(), 1);
        QVERIFY(held.turns() > 0);
        QCOMPARE(f.prompter.texts(), QStringList{"The drive does not answer: " + f.root()});
        QCOMPARE(f.prompter.titles(), QStringList{"Error"});
        QVERIFY(w->padSync().fileErrCloseWindow() && w->pad().isUDiskFlag());
        QCOMPARE(w->padSync().loopFlag1(), 0);
        QVERIFY(!w->padSync().usbDialog()->isVisible());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QCOMPARE(f.pad.snapshot(), before);
    }

    // What an earlier run left cut short is put in order and said in one box;
    // a half pair, a folder at a sound's name and a link are named and left
    // out, and the other sounds load.
    void leftoversAreSettledAndHalfPairsNamed()
    {
        PadWindow f;
        f.layOut(3);
        f.pad.addWave(5, "late"); // an add stopped with both files still hidden
        for (const QString &file : {f.wav(5), f.prm(5)})
            QVERIFY(QFile::rename(file, QFileInfo(file).path() + "/." + QFileInfo(file).fileName() + ".0.zt-part"));
        touchFile(f.pad.dataPath + "/001/.006.wav.3.zt-part", "cut"); // a .wav stopped while written
        touchFile(f.wav(4), kf::wavBytes(400, 4));
        f.pad.writePair("001", "007", 7, "dir", false);
        QVERIFY(QDir().mkdir(f.wav(7)));
        f.pad.writePair("001", "010", 10, "linked", false);
        QVERIFY(QFile::link(f.pad.root + "/gone.wav", f.wav(10)));
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        QCOMPARE(f.prompter.titles(), (QStringList{"Information", "Warning", "Warning"}));
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"A change of the sounds on the sampler pad was cut short; it is now put in order.\r\nThese sounds were completed: 5.\r\nThe unfinished files "
                              "of these sounds were removed: 6.",
                              "These sounds of the sampler pad were left out; the other sounds were loaded:\r\n"
                              "Sound 7 (" + f.wav(7) + "): a folder stands at its name.\r\nSound 4 (" + f.wav(4)
                                      + "): it has no .prm file.",
                              "These entries of the sampler pad are links and were left out; the editor reads "
                              "nothing and writes nothing through them:\r\n" + f.wav(10)}));
        QCOMPARE(f.rows().last(), "5|late|" + f.wav(5));
        QCOMPARE(f.rows().size(), 4);
        QCOMPARE(QDir(f.pad.dataPath + "/001").entryList(QDir::Hidden | QDir::Files).filter(".zt-part"), QStringList());
    }

    // A change record the editor cannot read is named in the load's box while
    // it still stands at its name, and goes aside under the name the box
    // gives once the box was shown.
    void anUnreadableRecordGoesAsideOnceItsBoxIsShown()
    {
        PadWindow f;
        f.layOut(3);
        const QString record = f.pad.sysPath + "/.zt-journal", aside = f.pad.sysPath + "/unreadable-journal-1.bin";
        touchFile(record, QByteArray(300, 'q'));
        bool atItsName = false;
        f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &p) {
            if (p.text.contains("unreadable-journal-1.bin"))
                atItsName = QFileInfo::exists(record) && !QFileInfo::exists(aside);
        };
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        QVERIFY(f.prompter.texts().first().contains("It is kept aside as unreadable-journal-1.bin in the SYS folder."));
        QVERIFY(atItsName);
        QCOMPARE(kf::readFile(aside), QByteArray(300, 'q'));
        QVERIFY(!QFileInfo::exists(record));
    }

    // A set-aside the pad refuses is told: the record stays at its name, and
    // the next load names it again.
    void anUnreadableRecordThatCannotGoAsideIsTold()
    {
        PadWindow f;
        f.layOut(3);
        const QString record = f.pad.sysPath + "/.zt-journal", aside = f.pad.sysPath + "/unreadable-journal-1.bin";
        touchFile(record, QByteArray(300, 'q'));
        struct RefuseAside : PassDisk {
            SwitchDisk &disk;
            ztplatform::Disk *before = disk.use(this);
            explicit RefuseAside(SwitchDisk &on) : disk(on) {}
            ~RefuseAside() override { disk.use(before); }
            int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                         bool noReplace = false) override
            {
                if (to.startsWith("unreadable-journal")) {
                    errno = EIO;
                    return -1;
                }
                return PassDisk::renameAt(fromDir, from, toDir, to, noReplace);
            }
        } refuse(f.disk);
        MainWindow1 *w = f.open();
        QVERIFY(!w->pad().isUDiskFlag());
        const QStringList texts = f.prompter.texts();
        QVERIFY2(texts.size() >= 2 && texts.at(0).contains("It is kept aside as unreadable-journal-1.bin"),
                 qPrintable(texts.join("\n")));
        QCOMPARE(texts.at(1), QString("The change record could not be kept aside as unreadable-journal-1.bin (%1); "
                                      "it stays at its name in the SYS folder, and the next load of the sampler pad "
                                      "names it again.")
                                      .arg(QString::fromLocal8Bit(std::strerror(EIO))));
        QCOMPARE(kf::readFile(record), QByteArray(300, 'q'));
        QVERIFY(!QFileInfo::exists(aside));
    }

    // A leftover that is no file is not claimed removed: a folder stays whole
    // and its sound is named; a pipe or a link goes itself, never its target.
    void leftoversThatAreNoFileAreNotClaimedRemoved_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("atWav");
        QTest::newRow("folder at the .wav") << "folder" << true;
        QTest::newRow("folder at the .prm") << "folder" << false;
        QTest::newRow("pipe") << "pipe" << true;
        QTest::newRow("link") << "link" << true;
    }

    void leftoversThatAreNoFileAreNotClaimedRemoved()
    {
        QFETCH(QString, kind);
        QFETCH(bool, atWav);
        PadWindow f;
        f.layOut(3);
        const QString wavDir = f.pad.dataPath + "/001", prmDir = f.pad.prmPath + "/001";
        const QString odd = (atWav ? wavDir + "/.005.wav" : prmDir + "/.005.prm") + ".0.zt-part";
        touchFile(atWav ? prmDir + "/.005.prm.0.zt-part" : wavDir + "/.005.wav.0.zt-part", "cut");
        QTemporaryDir outside;
        const QString target = outside.path() + "/kept.wav";
        touchFile(target, "mine");
        const QString sysOdd = f.pad.sysPath + "/.alter.ini.4.zt-part";
        for (const QString &at : {odd, sysOdd}) {
            if (kind == "folder") {
                QVERIFY(QDir().mkdir(at));
                touchFile(at + "/inside", "mine");
            } else if (kind == "pipe") {
                QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
            } else {
                QVERIFY(QFile::link(target, at));
            }
        }
        f.open();
        const QString head = "A change of the sounds on the sampler pad was cut short; it is now put in order.\r\n";
        if (kind == "folder") {
            QCOMPARE(f.prompter.texts(), QStringList{head + "Sound 5: its unfinished files could not all be removed."});
            QCOMPARE(f.prompter.titles(), QStringList{"Warning"});
            QVERIFY(QFileInfo(odd + "/inside").isFile() && QFileInfo(sysOdd + "/inside").isFile());
        } else {
            // The one in SYS is named and its entry alone removed, so no later load looks at it again.
            const QString why = kind == "pipe" ? "It is a named pipe, not a file."
                                               : "It is a symbolic link, which the editor does not follow.";
            QCOMPARE(f.prompter.texts(),
                     QStringList{head + "The unfinished files of these sounds were removed: 5.\r\n"
                                 + ".alter.ini.4.zt-part in the SYS folder: " + why
                                 + " It was removed, and nothing was read through it."});
            QVERIFY(!QFileInfo(odd).exists() && !QFileInfo(odd).isSymLink());
            QVERIFY(!QFileInfo(sysOdd).exists() && !QFileInfo(sysOdd).isSymLink());
        }
        QVERIFY(!QFileInfo::exists(atWav ? prmDir + "/.005.prm.0.zt-part" : wavDir + "/.005.wav.0.zt-part"));
        QCOMPARE(kf::readFile(target), QByteArray("mine"));
        QVERIFY(kind != "folder" || QFileInfo(sysOdd).isDir());
        QCOMPARE(f.prompter.texts().size(), 1);
    }

    // Entries of the metronome folder that are no file are named as skipped;
    // the load goes on with the five sounds.
    void oddMetronomeEntriesAreNamed()
    {
        PadWindow f;
        f.layOut(3);
        const QString pipe = f.pad.sysPath + "/CLICK/click6.wav";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QDir().mkdir(f.pad.sysPath + "/CLICK/more"));
        MainWindow1 *w = f.open();
        QCOMPARE(f.prompter.texts(), QStringList{"These entries of the metronome folder are not files and were "
                                                 "skipped:\r\n" + pipe + " (a named pipe)\r\n" + f.pad.sysPath
                                                 + "/CLICK/more (a folder)"});
        QVERIFY(!w->pad().isUDiskFlag() && !w->padSync().fileErrCloseWindow());
        QCOMPARE(w->library().clickList().size(), 5);
    }

    void aTreeReplacedWhileItsSoundsAreReadIsNotLoaded_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("occurrence");
        // Judged by the folders the read holds, and by the pad's settings
        // read again when the read began on the new tree.
        QTest::newRow("as the first record is read") << QByteArray("001.prm") << 1;
        // The tree's listing opens it first, through its numbered folder too.
        QTest::newRow("as the read opens the records' folder") << QByteArray("WAV_PRM") << 4;
    }

    // Another pad's tree put at the pad's model folder while the load reads
    // its sounds: the load stops with a box that says so, takes no sound of
    // either tree, and writes to neither.
    void aTreeReplacedWhileItsSoundsAreReadIsNotLoaded()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, occurrence);
        PadWindow f;
        f.layOut(3);
        QTemporaryDir place;
        PadFixture other(place.path() + "/other");
        for (int n = 1; n <= 3; ++n)
            other.addWave(n, QString("other%1").arg(n));
        other.writeKits({0, 1});
        const QString aside = place.path() + "/loaded";
        const QStringList before = f.pad.snapshot(), otherBefore = other.snapshot();
        bool swapped = false;
        MainWindow1 *w = nullptr;
        {
            ActOnOpen swap(f.disk, name, occurrence, [&] {
                swapped = QDir().rename(f.pad.model, aside) && QDir().rename(other.model, f.pad.model);
            });
            w = f.open();
        }
        QVERIFY(swapped);
        QCOMPARE(f.prompter.texts(),
                 QStringList{"The sampler pad at the drive changed while it was read: another pad or other "
                             "folders stand at its place. Nothing was taken from it."});
        QCOMPARE(f.prompter.titles(), QStringList{"Error"});
        QVERIFY(w->padSync().fileErrCloseWindow() && w->pad().isUDiskFlag());
        QVERIFY(f.rows().isEmpty());
        QVERIFY(w->soundLists().waveAttrList().isEmpty());
        // Neither tree was written.
        QVERIFY(QDir().rename(f.pad.model, other.model) && QDir().rename(aside, f.pad.model));
        QCOMPARE(f.pad.snapshot(), before);
        QCOMPARE(other.snapshot(), otherBefore);
    }

    void adjustedNamesAreReportedAndTheLoadGoesOn()
    {
        PadWindow f;
        f.pad.addWave(1);
        f.pad.addWave(2, "hat#");
        f.pad.writePair("001", "003", 2, "twin"); // a second record of number 2
        f.pad.kits.fill({0, 1}, 7);
        for (int k : {0, 1, 2, 3, 4})
            std::memset(f.pad.kits.base[size_t(k)].kit_name, 0, KIT_NAME_FIELD);
        percussionpadfile::str2CharArray("Rock ", f.pad.kits.base[9].kit_name, KIT_NAME_FIELD);
        f.pad.saveKits();
        QFile::remove(f.pad.sysPath + "/CLICK/click5.wav");
        // The dialog is out of the way of every box.
        QVector<bool> dialogShown;
        f.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &) {
            dialogShown << (f.w->padSync().usbDialog() && f.w->padSync().usbDialog()->isVisible());
        };
        MainWindow1 *w = f.open();
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"The 2 item is automatically renamed, as it exceeds 16 characters or ends with special "
                              "symbol.",
                              "The sound of number 2 is stored more than once on the sampler pad.",
                              "The list capacity is 5. Please import metronome sounds  up to the maximum capacity "
                              "based on the list's limit.",
                              "Kit 1, 2, 3, 4, 5 and 10 \r\nare automatically renamed, as they exceed 10 characters "
                              "or contain special symbol."
                                      + QString::fromUtf8("\r\nKit 1: \"\u2068\u2069\" → \"\u2068K001\u2069\"\r\n"
                                                          "Kit 2: \"\u2068\u2069\" → \"\u2068K002\u2069\"\r\n"
                                                          "Kit 3: \"\u2068\u2069\" → \"\u2068K003\u2069\"\r\n"
                                                          "Kit 4: \"\u2068\u2069\" → \"\u2068K004\u2069\"\r\n"
                                                          "Kit 5: \"\u2068\u2069\" → \"\u2068K005\u2069\"\r\n"
                                                          "Kit 10: \"\u2068Rock \u2069\" → \"\u2068Rock\u2069\"")}));
        QCOMPARE(dialogShown, QVector<bool>(4, false));
        QVERIFY(!w->pad().isUDiskFlag() && !w->padSync().fileErrCloseWindow());
        QCOMPARE(f.rows().mid(1), (QStringList{"2|hat|" + f.wav(2), "2|twin|" + f.pad.dataPath + "/001/003.wav"}));
        QCOMPARE(w->doc().kitMaxList(), (QVector<int>{1, 2, 3, 4, 5, 10}));
        QCOMPARE(w->doc().kitAttrList()[9].kit_name, QString("Rock"));
        QCOMPARE(w->doc().kitAttrList()[4].kit_name, QString("K005"));
        QCOMPARE(w->doc().kitNumFlagList1()[9], quint8(1));
        QCOMPARE(w->doc().kitNumFlagList1()[8], quint8(0));
    }
};

QTEST_MAIN(TestPadLoad)
#include "test_padload.moc"

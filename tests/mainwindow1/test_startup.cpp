#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "widgets/devicedetector.h"
#include "crashdisk.h"
#include "hangingdisk.h"
#include "padwindow.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/startup.h"
#include "model/soundfilexml.h"
#include "platform/removabledrives.h"
#include "platform/runfolders.h"
#include "resources/ztresources.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "widgets/dialogs/uiprompter.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "support/soundlists.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <ctime>
#include <utime.h>

namespace {

struct FakeDrives : DriveSource
{
    QVector<DriveEntry> list;
    QVector<DriveEntry> drives() const override { return list; }
};

// What the start is handed: the test's prompter and drives, and its dismount when given.
WindowServices servicesOn(ScriptedPrompter &prompts, const DriveSource &drives, VolumeDismounter *dismounter = nullptr)
{
    WindowServices services(&prompts);
    services.pad.drives = &drives;
    services.pad.dismounter = dismounter;
    return services;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void touch(const QString &path, const QByteArray &data = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
}

// Answers the chooser once it is up: picks `choice` (empty: keep) once its
// drive has answered and presses the button, or closes it by the title bar.
bool g_escapeIgnored = false;

void answerChooser(const QString &button, const QString &choice = QString(), int tries = 200)
{
    QTimer::singleShot(30, [button, choice, tries]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *d = qobject_cast<DeviceDetector *>(w);
            if (!d || !d->isVisible())
                continue;
            if (!choice.isEmpty()) {
                auto *combo = d->findChild<QComboBox *>("comboBox");
                if (combo->findText(choice) < 0 && tries > 0)
                    return answerChooser(button, choice, tries - 1);
                combo->setCurrentIndex(combo->findText(choice));
            }
            if (button == "close")
                d->close();
            else if (button == "escape") {
                QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape);
                // A chooser Escape left open is cancelled, so the wait ends.
                if ((g_escapeIgnored = d->isVisible()))
                    d->findChild<QPushButton *>("btnCancel")->click();
            } else
                d->findChild<QPushButton *>(button)->click();
            return;
        }
    });
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;
    QByteArray m_library;

    QString soundList() const { return m_work.path() + "/soundlist.xml"; }

private slots:
    void initTestCase()
    {
        ztInitResources();
        registerQueuedTypes();
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
    }

    void init()
    {
        // A library of one group with one sound.
        QVector<soundfilexml::strSoundGroup> groups(1);
        groups[0].name = "Drums";
        soundfilexml::strSoundItem item;
        item.name = "kick";
        item.file = m_work.path() + "/kick.wav";
        groups[0].soundList.append(item);
        QFile::remove(soundList());
        soundlists::write(soundList(), groups);
        m_library = readAll(soundList());
        QVERIFY(!m_library.isEmpty());
    }

    void cleanupTestCase() { QDir::setCurrent(m_oldDir); }

    void offlineRoad()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        EditorStartup startup(servicesOn(prompts, drives));
        QVERIFY(startup.chooser->isVisible());
        QCOMPARE(startup.chooser->windowModality(), Qt::ApplicationModal);
        QCOMPARE(startup.window->setupFiles().myDetector(), startup.chooser);
        QVERIFY(!startup.window->isVisible());

        answerChooser("btnOk");
        QVERIFY(startup.waitForChoice());
        QCOMPARE(startup.window->padSync().loopFlag1(), 0);
        QCOMPARE(startup.window->quitFlag(), 1);
        startup.showWindow();
        MainWindow1 *w = startup.window;
        QVERIFY(w->isVisible());
        QVERIFY(!startup.chooser->isVisible());
        QVERIFY(w->pad().isUDiskFlag());
        QCOMPARE(w->pad().currentDirPath(), QString("Device Unconnect(Default)"));
        QCOMPARE(w->windowTitle(), QString("Korvanta-V1.04"));
        QCOMPARE(w->form()->kitNumber->text(), QString("1"));
        QCOMPARE(w->form()->kitNameLineEdit->text(), QString("New Kit"));
        QCOMPARE(w->doc().kitAttrList().size(), 100);
        QVERIFY(prompts.prompts.isEmpty());

        // The form's layout may not fit the small test screen; it then keeps its minimum.
        QCOMPARE(w->geometry().size(), openingGeometry(QGuiApplication::primaryScreen()->availableGeometry(),
                                                w->minimumSizeHint().expandedTo(w->minimumSize())).size());

        // The group tree holds the library read at start.
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 1);
        QCOMPARE(w->library().soundListItemModel()->item(0)->text(), QString("Drums"));

        // Closing offline quits the event loop at once; the window is gone
        // when it returns and has written the changed library.
        w->library().addGroup("Loops");
        QTimer::singleShot(0, w, [w]() { w->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(startup.window.isNull());
        QVector<soundfilexml::strSoundGroup> groups;
        QVERIFY(soundlists::read(soundList(), groups));
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[1].name, QString("Drums"));
        QCOMPARE(groups[1].soundList.size(), 1);
        QCOMPARE(groups[1].soundList[0].name, QString("kick"));
    }

    void cancelAndTitleBarClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("cancel") << "btnCancel";
        QTest::newRow("title bar") << "close";
        QTest::newRow("escape") << "escape";
    }

    void cancelAndTitleBarClose()
    {
        QFETCH(QString, button);
        FakeDrives drives;
        ScriptedPrompter prompts;
        const QDateTime before = QFileInfo(soundList()).lastModified();
        {
            EditorStartup startup(servicesOn(prompts, drives));
            answerChooser(button);
            QVERIFY(!startup.waitForChoice());
            QVERIFY(!g_escapeIgnored);
            QCOMPARE(startup.window->quitFlag(), 0);
            QVERIFY(startup.chooser->closeFlag);
            QVERIFY(!startup.window->isVisible());
            // Cancel and Escape send the empty path (offline); the title bar sends none.
            QCOMPARE(startup.window->padSync().loopFlag1(), button == "close" ? 1 : 0);
        }
        QCOMPARE(readAll(soundList()), m_library);
        QCOMPARE(QFileInfo(soundList()).lastModified(), before);
        QVERIFY(prompts.prompts.isEmpty());
    }

    void refusedDrive()
    {
        FakeDrives drives;
        QTemporaryDir stick;
        const QString root = stick.path() + "/";
        touch(root + "SONG.WAV");
        QDir(root).mkpath("ZT350");
        drives.list = {{root, true}};
        ScriptedPrompter prompts;
        {
            EditorStartup startup(servicesOn(prompts, drives));
            answerChooser("btnOk", root);
            QVERIFY(!startup.waitForChoice());
            QVERIFY(!startup.chooser->closeFlag);
            QVERIFY(startup.window->padSync().fileErrCloseWindow());
            QVERIFY(!startup.window->isVisible());
        }
        QCOMPARE(prompts.titles(), QStringList{"Error"});
        QCOMPARE(prompts.texts(), QStringList{"The current disk is not the sampler pad."});
        QCOMPARE(readAll(soundList()), m_library);
    }

    void brokenTreeReportsBoth()
    {
        FakeDrives drives;
        QTemporaryDir stick;
        const QString root = stick.path() + "/";
        for (const char *d : {"zt350/Sys", "zt350/wav_data", "zt350/wav_prm"})
            QDir(root).mkpath(d);
        drives.list = {{root, true}};
        ScriptedPrompter prompts;
        EditorStartup startup(servicesOn(prompts, drives));
        answerChooser("btnOk", root);
        QVERIFY(!startup.waitForChoice());
        QCOMPARE(prompts.texts(), (QStringList{"The target file was not found.", "Metronome sounds were not found.",
                                               "The current disk is not the sampler pad."}));
        QCOMPARE(prompts.titles(), (QStringList{"Warning", "Warning", "Error"}));
    }

    void validPadOpensTheWindow()
    {
        FakeDrives drives;
        PadFixture pad;
        writeClicks(pad);
        pad.addWave(1);
        pad.writeKits({0});
        const QString root = pad.root + "/";
        drives.list = {{root, true}};
        ScriptedPrompter prompts;
        RecordingDismounter dismounter;
        EditorStartup startup(servicesOn(prompts, drives, &dismounter));
        QTRY_COMPARE(startup.chooser->findChild<QComboBox *>("comboBox")->currentText(), root);
        answerChooser("btnOk");
        QVERIFY(startup.waitForChoice());
        QCOMPARE(prompts.texts(), QStringList());
        QVERIFY(!startup.window->pad().isUDiskFlag());
        QCOMPARE(startup.window->pad().currentDirPath(), root);
        QCOMPARE(startup.window->pad().tree().kitPath, root + "ZT350/KIT");
        QCOMPARE(startup.window->pad().tree().usbGlobalIniFile, root + "ZT350/SYS/global.ini");
        startup.showWindow();
        QVERIFY(startup.window->isVisible());
        // Closing on the pad asks, writes back and dismounts it.
        prompts.buttonAnswers.enqueue(QMessageBox::Yes);
        startup.window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(startup.window.isNull());
        QCOMPARE(prompts.texts().first(), QString("Quit?"));
        QCOMPARE(dismounter.mountPoints, QStringList{root});
    }

    // A file that does not read whole is kept aside at the start, and the box says where.
    void unreadableLibraryIsKept()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        const QByteArray broken = "<groups><group name=\"x\">";
        touch(soundList(), broken);
        QFile::remove(soundList() + ".bak");
        {
            EditorStartup startup(servicesOn(prompts, drives));
            QCOMPARE(prompts.texts(), QStringList({"The sound groups file \"" + soundList() + "\" could not be read "
                                                   "whole: it is cut off or not in the sound list's form.\r\n\r\nThe "
                                                   "file as it was is kept as \"" + soundList() + ".bak\"."}));
            QVERIFY(!QFile::exists(soundList()));
            answerChooser("btnOk");
            QVERIFY(startup.waitForChoice());
            startup.showWindow();
            startup.window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(readAll(soundList() + ".bak"), broken);
        QVERIFY(!QFile::exists(soundList())); // the group "Default" made at the start is no change to write
        QFile::remove(soundList() + ".bak");
    }

    void temporaryFolderFailure()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        const QByteArray oldTmp = qgetenv("TMPDIR");
        // A plain file as the temporary location: no folder can be made there.
        const QString notADir = m_work.path() + "/not-a-dir";
        touch(notADir);
        qputenv("TMPDIR", QFile::encodeName(notADir));
        {
            EditorStartup startup(servicesOn(prompts, drives));
            qputenv("TMPDIR", oldTmp);
            QCOMPARE(prompts.titles(), QStringList{"Error"});
            QCOMPARE(prompts.texts(), QStringList{"Failed to create temporary directory!"});
            QCOMPARE(prompts.prompts[0].kind, ScriptedPrompter::Critical); // titled "Error"
            QCOMPARE(prompts.prompts[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(prompts.prompts[0].parent, static_cast<QWidget *>(startup.window.data()));
            // The construction stopped: no pad menu, no long-lived dialogs.
            QVERIFY(!startup.window->shell().constructionComplete());
            QVERIFY(!startup.window->mainPadPage().pad_menu());
            QVERIFY(!startup.window->setupFiles().skn() && !startup.window->mainPadPage().kitCopy());
            // The half-built editor is not offered: no chooser, no window.
            QVERIFY(!startup.chooser->isVisible());
            QVERIFY(!startup.waitForChoice());
            QVERIFY(!startup.window->isVisible());
        }
        QCOMPARE(readAll(soundList()), m_library);
        QFile::remove(notADir);
    }

    // One mount that never answers (its stat never returns) holds nothing up:
    // the chooser shows at once, greys it after two seconds, and "Device
    // Unconnect" opens the window.
    void deadMountHoldsNothingUp()
    {
        FakeDriveSource drives;
        ScriptedPrompter prompts;
        QTemporaryDir dead;
        const QString root = dead.path() + "/";
        drives.list = {{root, true}};
        drives.hang(root);
        EditorStartup startup(servicesOn(prompts, drives));
        // Shown before the drive was given up on: it is not listed yet.
        QVERIFY(startup.chooser->isVisible());
        auto *combo = startup.chooser->findChild<QComboBox *>("comboBox");
        QCOMPARE(combo->count(), 1);
        // The chooser answers while the look at the drive waits, before it greys it.
        const TurnsWhile held([&] { return drives.waiting() == 1 && combo->count() == 1; });
        QTRY_COMPARE(drives.waiting(), 1); // the look at the drive waits
        QTRY_VERIFY(held.turns() > 0);
        QVERIFY(startup.chooser->isVisible());
        QTRY_COMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), root + " (not answering)");
        QCOMPARE(combo->currentIndex(), 0);

        answerChooser("btnOk", "Device Unconnect(Default)");
        QVERIFY(startup.waitForChoice());
        startup.showWindow();
        MainWindow1 *w = startup.window;
        QVERIFY(w->isVisible());
        QVERIFY(w->pad().isUDiskFlag());
        QVERIFY(prompts.prompts.isEmpty());
        w->soundLists().setWriteSoundListOnClose(false);
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        drives.release(root);
        QTRY_COMPARE(drives.waiting(), 0);
    }

    // A drive that answered the chooser but no longer answers when it is
    // chosen is not waited on: the editor says so and ends.
    void driveThatStopsAnsweringWhenChosen()
    {
        FakeDriveSource drives;
        PadFixture pad;
        writeClicks(pad);
        const QString root = pad.root + "/";
        drives.list = {{root, true}};
        ScriptedPrompter prompts;
        EditorStartup startup(servicesOn(prompts, drives));
        auto *combo = startup.chooser->findChild<QComboBox *>("comboBox");
        QTRY_COMPARE(combo->currentText(), root);
        drives.hang(root);
        const TurnsWhile held([&] { return drives.waiting() > 0 && prompts.texts().isEmpty(); });
        answerChooser("btnOk");
        QVERIFY(!startup.waitForChoice());
        // Given up on while the drive is still held, the window answering meanwhile.
        QVERIFY(drives.waiting() > 0);
        QVERIFY(held.turns() > 0);
        QVERIFY(startup.window->padSync().fileErrCloseWindow());
        QCOMPARE(prompts.texts(), QStringList{"The drive does not answer: " + root});
        QCOMPARE(prompts.titles(), QStringList{"Error"});
        drives.release(root);
    }

    // The start removes what killed runs left in the temporary folder, and
    // only that.
    void startRemovesFoldersOfKilledRuns()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        QTemporaryDir tmp;
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString killed = tmp.path() + "/zt350conv-Killed";
        touch(killed + "/" + ztplatform::runFolderLockName());
        touch(killed + "/0", "samples");
        touch(tmp.path() + "/zt350conv-notes");
        // A killed editor's own folder, and one an older editor left untouched for two hours.
        const QString killedEditor = tmp.path() + "/zt350editor-Kill01";
        touch(killedEditor + "/" + ztplatform::runFolderLockName());
        touch(killedEditor + "/play/0", "samples");
        const QString olderEditor = tmp.path() + "/zt350editor-Old123";
        touch(olderEditor + "/PLAY/0", "samples");
        const struct utimbuf twoHoursAgo = {::time(nullptr) - 7200, ::time(nullptr) - 7200};
        QCOMPARE(::utime(QFile::encodeName(olderEditor).constData(), &twoHoursAgo), 0);
        {
            ztplatform::RunFolder live(QStringLiteral("zt350probe-"));
            // Another editor that still runs.
            MainWindow1 other(servicesOn(prompts, drives));
            QVERIFY(other.shell().TempDirName().startsWith(tmp.path() + "/zt350editor-"));
            EditorStartup startup(servicesOn(prompts, drives));
            qputenv("TMPDIR", oldTmp);
            QTRY_VERIFY(!QFileInfo::exists(killed));
            QTRY_VERIFY(!QFileInfo::exists(killedEditor));
            QTRY_VERIFY(!QFileInfo::exists(olderEditor));
            QVERIFY(QFileInfo(live.path()).isDir());
            QVERIFY(QFileInfo(tmp.path() + "/zt350conv-notes").isFile());
            QVERIFY(QFileInfo(other.shell().TempPlayDirName()).isDir());
            QVERIFY(QFileInfo(other.shell().TempPlayDirName2()).isDir());
            QVERIFY(QFileInfo(startup.window->shell().TempPlayDirName()).isDir());
        }
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"zt350conv-notes"});
    }

    void windowGeometry_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("expected");
        // The design size, centred with a title bar above it.
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 768) << QSize(900, 500) << QRect(154, 39, 1058, 720);
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QSize(900, 500) << QRect(431, 195, 1058, 720);
        // A panel's offsets count.
        QTest::newRow("panel") << QRect(70, 27, 1850, 1053) << QSize(900, 500) << QRect(466, 208, 1058, 720);
        // 1920x1080 at scale 1.5: the height the screen has.
        QTest::newRow("scaled") << QRect(0, 0, 1280, 720) << QSize(900, 500) << QRect(111, 30, 1058, 690);
        QTest::newRow("narrow") << QRect(0, 0, 1000, 600) << QSize(900, 500) << QRect(0, 30, 1000, 570);
        // Never below the minimum, kept on the screen.
        QTest::newRow("below minimum") << QRect(0, 0, 800, 600) << QSize(900, 620) << QRect(0, 30, 900, 620);
    }

    void windowGeometry()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, minimum);
        QFETCH(QRect, expected);
        QCOMPARE(openingGeometry(available, minimum), expected);
    }

    void localeChoosesCatalogue()
    {
        int cn = -1;
        QCOMPARE(translationForLanguage(QLocale::Chinese, &cn), QString(":/cn.qm"));
        QCOMPARE(cn, 1);
        QCOMPARE(translationForLanguage(QLocale::English, &cn), QString(":/en.qm"));
        QCOMPARE(cn, 0);
        QCOMPARE(translationForLanguage(QLocale::German, &cn), QString(":/en.qm"));
        QCOMPARE(cn, 0);

        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        {
            const EditorLanguage chinese;
            QCOMPARE(chinese.cnOrEn(), 1);
            QCOMPARE(chinese.catalogue().filePath(), QString(":/cn.qm"));
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        {
            const EditorLanguage english;
            QCOMPARE(english.cnOrEn(), 0);
            QCOMPARE(english.catalogue().filePath(), QString(":/en.qm"));
        }
        QLocale::setDefault(old);
    }

    // Under Chinese, Qt's own texts (buttons, the file dialog) read Chinese
    // too; without Qt's catalogue they stay English.
    void chineseLocaleTranslatesQtTexts()
    {
        auto texts = []() {
            QMessageBox box(QMessageBox::Warning, "t", "x", QMessageBox::Yes | QMessageBox::No);
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            return QStringList{box.button(QMessageBox::Yes)->text(),
                               dialog.findChild<QLabel *>("lookInLabel")->text()};
        };
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        {
            const EditorLanguage chinese;
            QCOMPARE(texts(), QStringList({QString::fromUtf8("是(&Y)"), QString::fromUtf8("查找范围：")}));
        }
        {
            QTemporaryDir noCatalogue;
            const EditorLanguage chinese(noCatalogue.path());
            QCOMPARE(texts(), QStringList({"&Yes", "Look in:"}));
        }
        QLocale::setDefault(old);
    }

    // Installed into a prefix and started in another folder, in Chinese, the
    // editor finds its catalogue, help page, metronome sounds and ffmpeg; its
    // desktop entry passes the freedesktop checks.
    void installedEditorFindsItsFiles()
    {
        QTemporaryDir prefix, far;
        QProcess run;
        run.start(ZT_CMAKE, {"--install", ZT_BUILD_DIR, "--prefix", prefix.path()});
        QVERIFY(run.waitForFinished(60000) && run.exitCode() == 0);
        const QString entry = prefix.filePath("share/applications/zt350editor.desktop");
        run.start("desktop-file-validate", {entry});
        QVERIFY2(run.waitForFinished(30000) && run.exitCode() == 0, run.readAll().constData());
        QVERIFY(readAll(entry).contains("\nName=Korvanta\n"));
        QVERIFY(QFileInfo(prefix.filePath("share/icons/hicolor/256x256/apps/zt350editor.png")).isFile());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", "zh_CN.UTF-8");
        env.insert("LC_ALL", "zh_CN.UTF-8");
        run.setProcessEnvironment(env);
        run.setWorkingDirectory(far.path());
        run.start(prefix.filePath("bin/zt350editor"), QStringList());
        QByteArray log;
        for (int i = 0; i < 300 && !log.contains("ffmpeg"); ++i) {
            run.waitForReadyRead(100);
            log += run.readAllStandardError();
        }
        run.kill(); // it waits at the drive chooser
        run.waitForFinished();
        const QString data = prefix.filePath("share/zt350editor/");
        QVERIFY2(log.contains(("Catalogue :/cn.qm | help page " + data + "Korvanta_Ch.htm | metronome sounds " + data
                               + "metronome_sound | ffmpeg /").toUtf8()),
                 log.constData());
        QVERIFY(QFileInfo(data + "Korvanta_Ch.htm").isFile() && QFileInfo(data + "metronome_sound/click5.wav").isFile());
        QCOMPARE(QDir(far.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    // A read of the groups' file that fails is told in the start's box, and
    // the file is kept aside as it was.
    void libraryWhoseReadFailsIsTold()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        QFile::remove(soundList() + ".bak");
        CrashDisk disk(m_work.path());
        disk.setReads(CrashDisk::Reads::Fail, "/soundlist.xml");
        {
            DiskInPlace in(&disk);
            EditorStartup startup(WindowServices{&prompts});
            QVERIFY(disk.readsStopped() > 0);
            QCOMPARE(prompts.texts(), QStringList({"The sound groups file \"" + soundList() + "\" could not be read "
                                                   "whole: Input/output error.\r\n\r\nThe file as it was is kept as \""
                                                   + soundList() + ".bak\"."}));
            answerChooser("btnOk");
            QVERIFY(startup.waitForChoice());
            startup.showWindow();
            startup.window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(readAll(soundList() + ".bak"), m_library);
        QFile::remove(soundList() + ".bak");
    }

    // A read of the groups' file that never returns is not waited on: the
    // start goes on and says so while the read is still held, and nothing is
    // written over the file.
    void libraryWhoseReadNeverReturnsIsNotWaitedOn()
    {
        FakeDrives drives;
        ScriptedPrompter prompts;
        auto *disk = new CrashDisk(m_work.path()); // a read given up on still calls it: it is never freed
        disk->setReads(CrashDisk::Reads::Hold, "/soundlist.xml");
        {
            DiskInPlace in(disk);
            EditorStartup startup(WindowServices{&prompts});
            QCOMPARE(disk->readsHeld(), 1); // the start went on while the read is held
            QCOMPARE(prompts.texts(), QStringList({"The drive of the sound groups file \"" + soundList()
                                                   + "\" does not answer: its groups are not read, and nothing is "
                                                     "saved over it in this session."}));
            disk->releaseReads();
            QTRY_COMPARE(disk->readsHeld(), 0);
            answerChooser("btnOk");
            QVERIFY(startup.waitForChoice());
            startup.showWindow();
            startup.window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(readAll(soundList()), m_library);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"

// The window's setup-file operations: kit files into the editor with their
// messages, and the editor saved and read back through the real window.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "document/kitreload.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "library/records_fixture.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/removabledrives.h"
#include "setup/loadnotices.h"
#include "setup/savesteps.h"
#include "resources/ztresources.h"
#include "kitfile/setup_fixture.h"
#include "library/soundorder.h"
#include "widgets/dialogs/uiprompter.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

using namespace sf;
using kf::TestSound;

namespace {

struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

// Fresh sound lists, as a whole-setup load makes them.
void newLists(MainWindow1 *w)
{
    w->soundLists().initTotalItemModel();
    w->soundLists().initHHListItemModel();
    w->soundLists().useOwnClickSounds(false);
    w->soundLists().initClickItemModel();
}

// A whole setup into the window: checked in scratch, then shown.
bool loadSetup(MainWindow1 *w, const QString &file)
{
    Records::READ_KIT_FILE rec;
    KitTables tables;
    int globalSize = 0;
    bool clicksFirst = false;
    if (readWholeSetupFile(file, rec, tables, &globalSize, &clicksFirst) != LoadError::None)
        return false;
    w->doc().takeGlobalSize(globalSize);
    w->soundLists().clearWaveAttrList();
    w->setupFiles().clearSetupSounds();
    w->library().beginSetupLoad();
    w->library().noteSetupClicks(clicksFirst);
    w->doc().clearKits();
    newLists(w);
    if (!w->setupFiles().showSound1(file, &rec.info))
        return false;
    w->setupFiles().showKit1(&rec.info); // the kits of the tables the model reads
    forgetTables(rec);
    w->library().addLoadedKitFile(rec);
    return true;
}

// The total list's rows from the working sound list, as after an import.
void rebuildRows(MainWindow1 *w)
{
    w->library().showSounds(soundorder::stored(w->library().waveLoadKitAttrList()), false, true);
}

// A kit file into its slot of the window.
bool loadKit(MainWindow1 *w, const QString &file)
{
    Records::READ_KIT_FILE rec;
    KitTables tables;
    if (readKitFile(file, rec, tables) != LoadError::None)
        return false;
    const int slot = rec.kitIndex - 1;
    if (!w->setupFiles().showSound2(file, &rec.info))
        return false;
    w->setupFiles().showKit2(&rec.info, slot, file); // the kit of the tables the model reads
    forgetTables(rec);
    w->library().addLoadedKitFile(rec);
    return true;
}

bool writeModel(MainWindow1 *w, const QString &out, int kit = 0)
{
    QFile f(out);
    return w->doc().layOutFile() && f.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && w->doc().writeFile(f, kit, nullptr);
}

} // namespace

class TestSetupFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir, m_setup, m_kitFile, m_plain;
    NoDrives m_drives;
    ScriptedPrompter m_prompter;
    QVector<MainWindow1 *> m_windows;

    QString path(const QString &name) const { return m_work.filePath(name); }
    MainWindow1 *window()
    {
        // Each in a working folder of its own: one editor holds a folder's groups.
        const QString own = path(QString("w%1").arg(m_windows.size()));
        QDir().mkpath(own);
        QDir::setCurrent(own);
        auto *w = new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}});
        QDir::setCurrent(m_work.path());
        w->soundLists().setWriteSoundListOnClose(false);
        m_windows.append(w);
        return w;
    }
    // The windows' prompter, as a new one.
    ScriptedPrompter &freshPrompter()
    {
        m_prompter.reset();
        return m_prompter;
    }

private slots:
    void initTestCase()
    {
        ztInitResources();
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
        const QVector<TestSound> sounds = writeSounds(m_work.path(), {"Kick", "Snare_", "Tom"}, 0);
        QCOMPARE(sounds.size(), 8);
        percussionpadfile m;
        kf::KitStorage kits;
        kits.fill({0, 1, 2}, 11);
        // Effect controls the kit page accepts (0..511, 999 unused).
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            percussionpadfile::P_KIT_BASE_PARA &b = kits.base[size_t(k)];
            for (quint16 *c : {&b.effect1_ctrl1, &b.effect1_ctrl2, &b.effect2_ctrl1, &b.effect2_ctrl2,
                               &b.effect2_ctrl3, &b.effect3_ctrl1, &b.effect3_ctrl2, &b.effect3_ctrl3,
                               &kits.pedal[size_t(k)].active_effectCtrl2})
                *c %= 512;
        }
        kits.base[0].kit_name[0] = 0;
        percussionpadfile::str2CharArray("Rock,Pop", kits.base[1].kit_name, KIT_NAME_FIELD);
        kits.base[2].kit_effect1 = 7;
        kits.base[2].effect1_ctrl2 = 123;
        m_setup = path("KIT_ALL.bin");
        QVERIFY(kf::writeWholeSetup(m, kits, sounds, {0, 1, 2}, {0, 1, 2}, m_setup));
        // The kit file holds other takes of the sounds (a byte differs).
        for (const TestSound &s : sounds.mid(5)) {
            QByteArray take = kf::readFile(s.file);
            take[60] = char(take.at(60) ^ 1);
            QVERIFY(kf::writeFile(s.file, take));
        }
        kits.fill({1, 2, 3}, 12);
        m_kitFile = path("K009.INI");
        QVERIFY(kf::writeSingleKit(m, kits, 8, kitSounds(sounds), m_kitFile));
        m_plain = path("plain.wav");
        QVERIFY(kf::writeFile(m_plain, kf::wavBytes(4800, 99)));
    }

    void cleanupTestCase()
    {
        qDeleteAll(m_windows);
        QDir::setCurrent(m_oldDir);
    }

    void wholeSetupIntoTheWindow()
    {
        MainWindow1 *w = window();
        ScriptedPrompter &prompter = freshPrompter();
        QSignalSpy names(&w->setupFiles(), &SetupFilesController::kitNameRead);
        QVERIFY(loadSetup(w, m_setup));
        QCOMPARE(prompter.titles(), QStringList({"Warning", "Warning"}));
        QCOMPARE(prompter.texts().at(0), QString("These sound names stored in the kit file ") + QChar(0x2068) + m_setup + QChar(0x2069)
                                                 + QString::fromUtf8(" were changed to names the sampler pad can "
                                                                     "hold:\r\n\"\u2068Snare_\u2069\" → \"\u2068Snare\u2069\""));
        // The box gives each kit's name as stored and as taken.
        QCOMPARE(prompter.texts().at(1), QString("Kit 1 and 2 are automatically renamed, as they exceed 10 "
                                                 "characters or contain special symbol.")
                                                 + QString::fromUtf8("\r\nKit 1: \"\u2068\u2069\" → \"\u2068K001\u2069\"\r\n"
                                                                     "Kit 2: \"\u2068Rock,Pop\u2069\" → \"\u2068K002\u2069\""));
        QCOMPARE(names.count(), KIT_MAX_COUNT);
        QCOMPARE(names.at(1), QVariantList({QString("K002"), 1}));

        QCOMPARE(w->library().totalListItemModel()->soundCount(), 3);
        QCOMPARE(w->library().totalListItemModel()->soundItem(1, 0)->text(), QString("2"));
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->icon().isNull());
        QVERIFY(w->library().totalListItemModel()->soundItem(1, 0)->icon().isNull());
        QVERIFY(!(w->library().totalListItemModel()->soundItem(1, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(w->library().totalListItemModel()->soundItem(1, 1)->text(), QString("Snare"));
        QCOMPARE(w->library().totalListItemModel()->soundItem(2, 2)->text(), m_setup + ":U00002");
        QCOMPARE(w->library().hhSoundItemModel()->soundItem(2, 0)->text(), QString("Tom"));
        QCOMPARE(w->library().clickListItemModel()->item(0)->rowCount(), 5);
        QCOMPARE(w->library().clickListItemModel()->item(0)->child(4, 2)->text(), m_setup + ":U10004");
        QVERIFY(w->soundLists().clickFlag() && w->library().loadClickFlag());
        QCOMPARE(w->soundLists().total_index(), 2);
        QCOMPARE(int(w->library().waveLoadKitAttrList().at(2).wave_No), 3);

        QCOMPARE(w->doc().kitAttrList().size(), KIT_MAX_COUNT);
        QCOMPARE(w->doc().kitPadList(99).size(), PAD_NUM_MAX);
        QCOMPARE(w->doc().kitMaxList(), QVector<int>({1, 2}));
        QCOMPARE(w->doc().kitAttrList().at(2).kit_name, QString("KIT2"));
        QCOMPARE(w->doc().kitNameList().at(1), QString("K002"));
        QCOMPARE(int(w->doc().kitEffectList(0, 2).at(7).parm2), 123);
        const Records::soundKit &k0 = w->doc().kitAttrList().at(0);
        QCOMPARE(k0.kpadChunk[0].soundName0, QString("Kick"));
        QCOMPARE(k0.kpadChunk[0].soundFile0, m_setup + ":U00000");
        QCOMPARE(w->findChild<QLineEdit *>("kitNumber")->text(), QString("1"));
    }

    void kitFilesIntoTheWindow()
    {
        MainWindow1 *w = window();
        freshPrompter(); // the load's reports are not looked at
        QVERIFY(loadSetup(w, m_setup));
        const QVector<Records::SOUND_INDEX> before = w->library().waveLoadKitAttrList();
        const QByteArray good = kf::readFile(m_kitFile);
        const int soun = int(kf::rd32(good, 28));
        struct Bad { QByteArray bytes; int at; QString title, text; } bad[] = {
            {"RIFX", int(kf::rd32(good, soun + 12 + 40 + 32)), "Error",
             "Sound data format error, import failed.\r\nFile location: " + m_kitFile},
            {QByteArray("\x10\x27", 2), soun + 12 + 20, "Warning", "The number of sound can not exceed 9999."},
        };
        for (const Bad &b : bad) {
            QByteArray bytes = good;
            bytes.replace(b.at, b.bytes.size(), b.bytes);
            QVERIFY(kf::writeFile(m_kitFile, bytes));
            Records::READ_KIT_FILE rec;
            KitTables tables;
            QVERIFY(readKitFile(m_kitFile, rec, tables) != LoadError::None);
            rec.info.curFlag = 2;
            rec.info.initFileChunk();
            QFile f(m_kitFile);
            QVERIFY(f.open(QIODevice::ReadOnly) && rec.info.getChunkIndex(&f));
            rec.info.readSounChunk(&f, true);
            ScriptedPrompter &prompter = freshPrompter();
            QVERIFY(!w->setupFiles().showSound2(m_kitFile, &rec.info));
            QCOMPARE(prompter.titles(), QStringList({b.title}));
            QCOMPARE(prompter.texts(), QStringList({b.text}));
            QCOMPARE(w->library().waveLoadKitAttrList().size(), before.size());
        }
        QVERIFY(kf::writeFile(m_kitFile, good));
        QSignalSpy names(&w->setupFiles(), &SetupFilesController::kitNameRead);
        ScriptedPrompter &prompter = freshPrompter();
        QVERIFY(loadKit(w, m_kitFile));
        QVERIFY(prompter.prompts.isEmpty());
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 6);
        QCOMPARE(int(w->library().waveLoadKitAttrList().at(3).wave_No), 4);
        // The file's Snare is another sound than the setup's: it takes a name of its own.
        QCOMPARE(percussionpadfile::charArray2String(w->library().waveLoadKitAttrList().at(4).wave_name, 16),
                 QString("Snare~00001"));
        QCOMPARE(w->setupFiles().soundAddCount(), 3);
        QCOMPARE(names.count(), 1);
        QCOMPARE(names.at(0).at(1).toInt(), 8);
        const Records::soundKit &k = w->doc().kitAttrList().at(8);
        QCOMPARE(int(k.kit_no), 8);
        QCOMPARE(k.kit_name, QString("KIT8"));
        QCOMPARE(int(k.kpadChunk[0].bWaveNo), 4); // the file's first sound, numbered after the setup's three
        QCOMPARE(k.kpadChunk[0].soundFile1, m_kitFile + ":U00000");
        QCOMPARE(w->doc().kitPadList(8).at(0).soundFile1, k.kpadChunk[0].soundFile1);
    }

    // The editor saved through the window and read back into a fresh one.
    void roundTripThroughTheWindow()
    {
        MainWindow1 *w = window();
        ScriptedPrompter &prompter = freshPrompter();
        QVERIFY(loadSetup(w, m_setup));
        prompter.clear(); // the rename reports
        QVERIFY(loadKit(w, m_kitFile));
        editRecords(w->library(), [this](QVector<Records::SOUND_INDEX> &r) { r.append(plainSound("Plain", m_plain, 9, 0)); });
        rebuildRows(w);
        reloadKit(w->doc(), 1, [&](MainWindow1Records::soundKit &kit) {
            kit.kpadChunk[0].soundFile0 = m_plain;
            kit.kpadChunk[0].soundName0 = "Plain";
            kit.kit_name = "Changed";
            kit.effect3_no = 2;
        });
        reloadKit(w->doc(), 3, [&](MainWindow1Records::soundKit &kit) {
            kit.pedalChunk.hh_wave2_file = w->library().waveLoadKitAttrList().at(4).file;
            kit.pedalChunk.hh_wave2_name = "Snare";
        });

        w->doc().beginFile(0);
        QVERIFY(w->setupFiles().getWaveList(w->shell().TempDirName()));
        w->setupFiles().waveKitOrder();
        w->kitPages().setGlobalFileChunk();
        SetupFilesController &files = w->setupFiles();
        QVector<Records::SOUND_LIST_INFO> waveList = files.waveList();
        const KitDocument::SaveSounds sounds{w->soundLists().waveAttrList(), waveList, w->library().clickSetList(),
                                             files.clickWaveList(), files.kitOrderList()};
        QVERIFY(w->doc().setAllFileChunk(sounds, versionFromLabel(w->form()->version->text()), files.backFlag()));
        QVERIFY(writeModel(w, path("OUT.bin")));
        QCOMPARE(w->setupFiles().kitOrderList().size(), w->soundLists().waveAttrList().size());

        const Editor saved = [w]() {
            Editor e;
            e.kits = w->doc().kitAttrList();
            e.loaded = w->library().loadedKitFiles();
            return e;
        }();
        MainWindow1 *v = window();
        QVERIFY(loadSetup(v, path("OUT.bin")));
        Editor loaded;
        loaded.loaded = v->library().loadedKitFiles();
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            const Kit before = saved.kits.at(k), after = v->doc().kitAttrList().at(k);
            QVERIFY2(sameSettings(before, after), qPrintable(QString::number(k)));
            QStringList a, b;
            forEachSoundSlot(before, [&a](auto s) { a.append(s.file); });
            forEachSoundSlot(after, [&b](auto s) { b.append(s.file); });
            for (int i = 0; i < a.size(); ++i) {
                if (!a.at(i).isEmpty())
                    QCOMPARE(soundBytes(loaded, b.at(i)), soundBytes(saved, a.at(i)));
            }
        }
        // The plain sound went through ffmpeg into the same samples.
        QCOMPARE(soundBytes(loaded, v->doc().kitAttrList().at(1).kpadChunk[0].soundFile0), kf::readFile(m_plain));
        QCOMPARE(v->library().waveLoadKitAttrList().size(), 7);

        // Kit 2 alone, read back into its slot of the fresh window.
        QVERIFY(w->setupFiles().getKitIniWaveList(w->shell().TempDirName(), 1));
        w->doc().beginFile(2);
        w->doc().setKitIniFileChunk(1, w->soundLists().waveAttrList(), w->setupFiles().waveList());
        QVERIFY(writeModel(w, path("KIT2.INI"), 1));
        QVERIFY(loadKit(v, path("KIT2.INI")));
        Kit before = w->doc().kitAttrList().at(1), after = v->doc().kitAttrList().at(1);
        if (before.pedalChunk.active_no == 4)
            before.pedalChunk.active_no = 0;
        QVERIFY(sameSettings(before, after));
        // The list holds that sound already (same name, same bytes): the kit takes it.
        QVERIFY(after.kpadChunk[0].soundFile0.startsWith(path("OUT.bin") + ":U"));
        loaded.loaded = v->library().loadedKitFiles();
        QCOMPARE(soundBytes(loaded, after.kpadChunk[0].soundFile0), kf::readFile(m_plain));
        QVERIFY(prompter.prompts.isEmpty());
    }

    void messages()
    {
        MainWindow1 *w = window();
        ScriptedPrompter &prompter = freshPrompter();
        CollectError modified(CollectError::Modified);
        modified.path = "/k/a.bin";
        CollectError kitModified = modified;
        kitModified.kitWording = true;
        CollectError missing(CollectError::SoundMissing);
        missing.path = "/k/a.bin";
        missing.name = "Kick";
        CollectError notLoaded(CollectError::NotLoadedWhole);
        notLoaded.number = 12;
        const CollectError errors[] = {modified, kitModified, missing, notLoaded,
                                       CollectError(CollectError::EntryMissing),
                                       CollectError(CollectError::ClickCount),
                                       CollectError(CollectError::RawFailed)};
        setupjob::Result result; // the boxes the jobs note, shown by the window
        for (const CollectError &e : errors) {
            setupjob::Notice notice;
            if (savejob::collectErrorNotice(e, w->doc().kitAttrList(), savejob::Hooks(), notice))
                result.notices.append(notice);
        }
        result.notices.append(setupjob::loadErrorNotice(LoadError::DataError, "/k/b.ini", false));
        result.notices.append(setupjob::loadErrorNotice(LoadError::CannotOpen, "/k/c.bin", true));
        QCOMPARE(w->setupFiles().showNotices(result), 8);
        QCOMPARE(prompter.texts(),
                 QStringList({"Please check path:The file has been modified. Export failed.\r\n/k/a.bin",
                              "The file has been modified. Export failed.\r\nPlease check path:/k/a.bin",
                              "Please check path:Kick does not exist.\r\n/k/a.bin",
                              "There is an error with the sound file path for Kit. 12", "File error!\r\nError:0012",
                              "The number of Click sound must be 5.", "/k/b.ini:File data error!",
                              "Fail to read file, import failed."}));
        QCOMPARE(prompter.titles(), QStringList({"Error", "Error", "Error", "Error", "Error", "Warning", "Error",
                                                 "Warning"}));
        QCOMPARE(prompter.prompts.at(4).kind, UiPrompter::Critical); // titled "Error"
        QCOMPARE(prompter.prompts.at(6).buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    }
};

QTEST_MAIN(TestSetupFiles)
#include "test_setupfiles.moc"

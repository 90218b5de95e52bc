// The sound library's lists, groups, import and metronome sounds, driven
// through the real main window.
#include "padwriter.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "soundlib_fixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "library/records_fixture.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "library/modeltexts.h"
#include "library/soundnames.h"
#include "model/namerules.h"
#include "platform/silentfiles.h"
#include "support/soundlists.h"

#include "device/bindmount.h"
#include "support/crashdisk.h"
#include "support/hangingdisk.h"
#include "mainwindow1/startup.h"
#include "model/audioconverter.h"
#include "support/fakeprogram.h"
#include "widgets/selectkitno.h"

#include <QCryptographicHash>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <memory>

using namespace soundlib;

namespace {
struct SignalPeek : QObject
{
    static int count(const QObject *o, const char *signal)
    {
        return static_cast<const SignalPeek *>(o)->receivers(signal);
    }
};

QStringList headers(QStandardItemModel *m)
{
    QStringList out;
    for (int c = 0; c < m->columnCount(); ++c)
        out << m->headerData(c, Qt::Horizontal).toString();
    return out;
}

// Closes the window by its title bar; true when it went.
bool closeWindow(Fixture &f)
{
    if (!f.w->close())
        return false;
    f.w.release(); // deleted on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

QStringList groupNames(const QString &file)
{
    QVector<soundfilexml::strSoundGroup> groups;
    soundlists::read(file, groups);
    QStringList names;
    for (const soundfilexml::strSoundGroup &g : groups)
        names << g.name + '/' + QString::number(g.soundList.size());
    return names;
}

const QByteArray kDrums = "<groups>\n    <group name=\"Drums\">\n        <sound>\n            <name>kick</name>\n"
                          "            <file>/s/kick.wav</file>\n        </sound>\n    </group>\n</groups>\n";
} // namespace

class TestSoundLibrary : public QObject
{
    Q_OBJECT

private slots:
    void modelsAndMirror()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        QCOMPARE(headers(w->library().totalListItemModel()), QStringList({"Item", "Name", "File"}));
        QCOMPARE(w->library().currentOldGroupName(), QString("waveList"));
        QVERIFY(!(w->library().totalListItemModel()->rootIndex().flags() & Qt::ItemIsEditable));
        QVERIFY(w->form()->totalWaveTreeView->isColumnHidden(2));
        QCOMPARE(headers(w->library().hhSoundItemModel()), QStringList({"Name", "File"}));
        QCOMPARE(w->library().hhSoundItemModel()->rootIndex().data().toString(), QString("waveList"));
        QVERIFY(w->form()->soundListTreeView->isColumnHidden(1));
        QCOMPARE(headers(w->library().clickListItemModel()), QStringList({"Index", "Name", "File"}));
        QVERIFY(w->form()->clickWaveTreeView->isColumnHidden(2));
        QVERIFY(w->form()->right_stackedWidgetPage1->acceptDrops());
        QVERIFY(w->form()->pedalWidget->acceptDrops());
        QCOMPARE(w->library().currentOldGroupName(), QString("waveList"));
        w->soundLists().getRightSoundList();
        QVERIFY(w->library().soundList().isEmpty());

        const QString a = writeBytes(f.path("a one.wav"), pcmWav(1, 8000, 800));
        const QString b = writeBytes(f.path("b two.wav"), pcmWav(1, 8000, 800));
        const QString c = writeBytes(f.path("c three.wav"), pcmWav(1, 8000, 800));
        f.importToList({a, b, c});
        QCOMPARE(f.totalRows(), QStringList({"1|a one|" + a, "2|b two|" + b, "3|c three|" + c}));
        QCOMPARE(f.mirrorRows(), QStringList({"a one|" + a, "b two|" + b, "c three|" + c}));
        QVERIFY(!w->library().totalListItemModel()->soundItem(0, 0)->isEditable());
        QCOMPARE(w->library().soundList(), QStringList({"a one", "b two", "c three"}));

        // Rebuilds keep the library's models, with one change connection each.
        QStandardItemModel *oldTotal = w->library().totalListItemModel();
        QCOMPARE(SignalPeek::count(w->library().hhSoundItemModel(), SIGNAL(itemChanged(QStandardItem *))), 1);
        w->soundLists().initTotalItemModel();
        QCOMPARE(w->library().totalListItemModel(), oldTotal);
        QVERIFY(w->form()->totalWaveTreeView->isColumnHidden(2));
        QCOMPARE(SignalPeek::count(w->library().totalListItemModel(), SIGNAL(itemChanged(QStandardItem *))), 1);
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 0);
        w->on_defaultRbtn_clicked(); // the total list again
        QCOMPARE(w->form()->totalWaveTreeView->model(), oldTotal);
        QVERIFY(w->form()->totalWaveTreeView->isColumnHidden(2));
    }

    // The root rows of the sound lists, the kit chain list and the save
    // dialog's kit list read in the interface's language.
    void rootRowsInBothLanguages()
    {
        const QLocale old;
        for (const auto &lang : {qMakePair(QLocale::English, QStringList({"waveList", "Kit List", "Kit List"})),
                                 qMakePair(QLocale::Chinese, QStringList({"音色列表", "套鼓列表", "套鼓列表"}))}) {
            QLocale::setDefault(QLocale(lang.first));
            const EditorLanguage language;
            Fixture f;
            MainWindow1 *w = f.open();
            w->setupFiles().skn()->initKitIndex();
            auto *kits = w->setupFiles().skn()->findChild<QTreeView *>("kitIndexTreeView");
            QCOMPARE(QStringList({w->library().currentOldGroupName(),
                                  w->kitChains().kitChainListItemModel()->item(0)->text(),
                                  kits->model()->index(0, 0).data().toString()}),
                     lang.second);
            QCOMPARE(w->library().hhSoundItemModel()->rootIndex().data().toString(), w->library().currentOldGroupName());
        }
        QLocale::setDefault(old);
    }

    // The file dialog filters of the sound import, the metronome import and
    // IMPORT are named in Chinese, each name once.
    void filtersInChinese()
    {
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Chinese));
        auto language = std::make_unique<EditorLanguage>();
        Fixture f;
        MainWindow1 *w = f.open();
        f.prompter.clear();
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        w->form()->addWaveFile->click();
        w->form()->tbtAddWave->click();
        w->library().dropClickSounds();
        w->form()->btnImportClickWave->click();
        w->form()->btnLoadFile->click();
        w->form()->actionExport_All->trigger();
        w->form()->btnGlobal->click();
        language.reset();
        QLocale::setDefault(old);
        QStringList filters, save;
        for (const ScriptedPrompter::Prompt &p : qAsConst(f.prompter.prompts))
            (p.kind == UiPrompter::SaveFile ? save : filters) << p.filter;
        const QString sounds = "无损音频文件 (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;压缩音频文件 (*.mp3 *.MP3 *.wma *.WMA *.aac "
                               "*.AAC *.aa3 *.AA3 *";
        const QString imported = sounds + ".ac3 *.AC3 *.ogg *.OGG);;所有文件 (*)";
        QCOMPARE(filters.filter(";;"), QStringList({imported, imported, sounds + ".ogg *.OGG)",
                                                    "套鼓与全局设置文件 (*.ini *.INI);;整套设置文件 (*.bin *.BIN)"}));
        QCOMPARE(save, QStringList({"整套设置文件 (*.bin *.BIN)", "INI 文件(*.ini *.INI)"}));
        // Each setup-file filter, as the dialog reads it, shows its files in
        // either case to a dialog that matches case-sensitively, and never the
        // editor's temporaries, hidden files shown too.
        QTemporaryDir dir;
        for (const char *name : {"k.ini", "K.INI", "s.bin", "S.BIN", "w.wav", "W.WAV", "m.ogg", "M.OGG",
                                 ".k.ini.0.zt-part", ".S.BIN.1.zt-part", ".w.wav.2.zt-part", ".M.OGG.3.zt-part"})
            QVERIFY(kf::writeFile(dir.filePath(name), "x"));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        for (const QString &filter : filters.filter(";;").join(";;").split(";;") + save) {
            dialog.setNameFilter(filter);
            const QStringList patterns = dialog.findChild<QFileSystemModel *>()->nameFilters();
            if (filter == imported.section(";;", -1)) { // the sound dialogs' last: any file at all
                QVERIFY(kf::writeFile(dir.filePath("take.mkv"), "x") && kf::writeFile(dir.filePath("kick"), "x"));
                QCOMPARE(QDir(dir.path()).entryList(patterns, QDir::Files).size(), 10);
                QVERIFY(QFile::remove(dir.filePath("take.mkv")) && QFile::remove(dir.filePath("kick")));
                continue;
            }
            const QString file = filter.contains("ini") ? "k.ini"
                               : filter.contains("bin") ? "s.bin" : filter.contains("wav") ? "w.wav" : "m.ogg";
            QCOMPARE(QDir(dir.path()).entryList(patterns, QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::Name),
                     QStringList({file.toUpper(), file}));
        }
    }

    void namesThroughTheWindow()
    {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(namerules::checkDisplayKitName("a b") && !namerules::checkDisplayKitName("A-")
                && namerules::checkDisplayKitName("7"));
        // The names taken are the trimmed cells of the second-level rows.
        auto *group = new QStandardItem("Kick");
        group->appendRow({new QStandardItem(" Kick "), new QStandardItem("/k.wav")});
        group->appendRow({new QStandardItem("Kick~00001"), new QStandardItem("/k1.wav")});
        QStandardItemModel model;
        model.appendRow(group);
        QCOMPARE(getDisplayName("Kick", &model, "SOUND", 16), QString("Kick~00002"));
        QCOMPARE(getDisplayName2("Kick", &model, "SOUND", 16), QString("Kick~00001"));
        QCOMPARE(namerules::nameFromFile("/a/b.c.wav"), QString("b.c"));
        QCOMPARE(namerules::detectWaveName("Snare__", 16), QString("Snare"));
    }

    void groupsFromFileAndNewGroups()
    {
        Fixture f;
        QVector<soundfilexml::strSoundGroup> groups(2);
        groups[0].name = "Drums";
        groups[1].name = "FX";
        soundfilexml::strSoundItem s;
        s.name = "kick";
        s.file = "/s/kick.wav";
        groups[0].soundList << s;
        s.name = "boom";
        s.file = "/s/boom.wav";
        groups[1].soundList << s;
        soundlists::write(f.work.filePath("soundlist.xml"), groups);

        MainWindow1 *w = f.open(true);
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 2);
        QCOMPARE(w->library().soundListItemModel()->item(0)->text(), QString("Drums"));
        QCOMPARE(w->library().leftGroupList(), QVector<QString>({"FX", "Drums"}));
        QCOMPARE(w->library().leftSoundList()[0], QVector<QString>({"boom"}));
        QCOMPARE(w->library().leftSoundList()[1], QVector<QString>({"kick"}));
        QCOMPARE(w->library().soundGroupList().size(), 2);

        // Blank, cancelled and duplicate names.
        f.prompter.textAnswers.enqueue({"   ", true});
        w->form()->addWaveGroup->click();
        f.prompter.textAnswers.enqueue({"Loops", false});
        w->form()->addWaveGroup->click();
        f.prompter.textAnswers.enqueue({" Drums ", true});
        w->form()->addWaveGroup->click();
        QCOMPARE(f.prompter.titles(), QStringList({"Error", "Error", "Tip"}));
        QCOMPARE(f.prompter.texts(), QStringList({"New category name can't be blank.", "New category name can't be blank.",
                                                  "The category already exists, please recreate a new category."}));
        const ScriptedPrompter::Prompt ask = f.prompter.prompts.first();
        QCOMPARE(ask.kind, UiPrompter::TextInput);
        QCOMPARE(ask.title, QString("Create a new category"));
        QCOMPARE(ask.text, QString("Please enter name for the category."));
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 2);

        // A new group lands at the top, simplified; case matters for duplicates.
        f.prompter.textAnswers.enqueue({"  Loops   Two ", true});
        w->form()->addWaveGroup->click();
        f.prompter.textAnswers.enqueue({"drums", true});
        w->form()->addWaveGroup->click();
        QCOMPARE(w->library().soundListItemModel()->item(0)->text(), QString("drums"));
        QCOMPARE(w->library().soundListItemModel()->item(1)->text(), QString("Loops Two"));
        QCOMPARE(w->form()->waveGroupTreeView->currentIndex().row(), 0);
        QCOMPARE(w->library().leftGroupList(), QVector<QString>({"FX", "Drums", "Loops Two", "drums"}));
        QCOMPARE(w->library().soundGroupList().size(), 4);

        // A group import with no current row and one group selected goes to
        // "Default", appended at the bottom: it takes name slot 0.
        const QString file = writeBytes(f.path("hit.wav"), pcmWav(1, 8000, 800));
        w->form()->waveGroupTreeView->selectionModel()->clear();
        w->form()->waveGroupTreeView->selectionModel()->select(w->library().soundListItemModel()->index(2, 0),
                                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(!w->form()->waveGroupTreeView->currentIndex().isValid());
        f.prompter.fileAnswers.enqueue({file});
        w->form()->addWaveFile->click();
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 5);
        QStandardItem *def = w->library().soundListItemModel()->item(4);
        QCOMPARE(def->text(), QString("Default"));
        QVERIFY(def->isEditable());
        QCOMPARE(def->child(0, 0)->text(), QString("hit"));
        QCOMPARE(w->library().leftGroupList().first(), QString("Default"));
        QCOMPARE(w->library().leftSoundList()[0], QVector<QString>({"hit"}));
        QCOMPARE(w->library().leftSoundList()[1], QVector<QString>({"boom"}));
        QCOMPARE(w->library().leftSoundList()[2], QVector<QString>({"kick"}));
        // Editing the appended group's name reaches its own record only.
        def->setText("Renamed");
        QCOMPARE(w->library().leftGroupList().first(), QString("Renamed"));

        // The groups are written at exit, the newest first.
        f.w.reset();
        QVector<soundfilexml::strSoundGroup> back;
        QVERIFY(soundlists::read(f.work.filePath("soundlist.xml"), back));
        QCOMPARE(back.size(), 5);
        QCOMPARE(back.first().name, QString("drums"));
        QCOMPARE(back.at(1).name, QString("Loops Two"));
        QCOMPARE(back.last().name, QString("Renamed"));
        QCOMPARE(back.last().soundList.first().file, file);
    }

    void groupImportCommand()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        // Nothing selected.
        w->form()->addWaveFile->click();
        QCOMPARE(f.prompter.titles(), QStringList({"The selected sound category is not valid."}));
        QCOMPARE(f.prompter.texts(), QStringList({"Choose a category to add sounds."}));
        f.prompter.clear();

        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        w->form()->addWaveFile->click(); // the dialog is cancelled
        QCOMPARE(f.prompter.prompts.at(0).kind, UiPrompter::OpenFiles);
        QCOMPARE(f.prompter.prompts.at(0).title, QString("Select file to add"));
        QCOMPARE(f.prompter.prompts.at(0).filter,
                 QString("Lossless sound files (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;Compressed sound files "
                         "(*.mp3 *.MP3 *.wma *.WMA *.aac *.AAC *.aa3 *.AA3 *.ac3 *.AC3 *.ogg *.OGG);;All files (*)"));
        QCOMPARE(f.prompter.prompts.at(1).text, QString("Choose no file!"));
        QCOMPARE(f.prompter.prompts.at(1).buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        f.prompter.clear();

        // Names meet the sound-name rule, told in one box; "pkit" files are left out silently.
        const QString longName = writeBytes(f.path("A very long sample name #1*.wav"), pcmWav(1, 8000, 800));
        const QString pkit = writeBytes(f.path("kit.pkit"), QByteArray("x"));
        f.prompter.fileAnswers.enqueue({longName, pkit, writeBytes(f.path("upper.PKIT"), pcmWav(1, 8000, 800))});
        w->form()->addWaveFile->click();
        QStandardItem *def = w->library().soundListItemModel()->item(0);
        QCOMPARE(def->rowCount(), 2);
        QCOMPARE(def->child(0, 0)->text(), QString("A very long samp"));
        QCOMPARE(def->child(1, 1)->text(), f.path("upper.PKIT"));
        QVERIFY(!def->child(0, 1)->isEditable());
        QCOMPARE(f.prompter.texts(), QStringList({QString::fromUtf8(
                "These sound names were changed to names the sampler pad can hold:\r\n"
                "\"\u2068A very long sample name #1*\u2069\" → \"\u2068A very long samp\u2069\"")}));

        // Files already in a group: No leaves them out, Ok adds them again.
        w->form()->waveGroupTreeView->setCurrentIndex(def->child(0, 0)->index());
        f.prompter.fileAnswers.enqueue({longName});
        w->form()->addWaveFile->click();
        QCOMPARE(f.prompter.prompts.last().text, QString("Some files already exist. Do you want to add duplicate files?"));
        QCOMPARE(f.prompter.prompts.last().defaultButton, QMessageBox::No);
        QCOMPARE(def->rowCount(), 2);
        f.prompter.fileAnswers.enqueue({longName});
        f.prompter.buttonAnswers.enqueue(QMessageBox::Ok);
        w->form()->addWaveFile->click();
        QCOMPARE(def->rowCount(), 3);
        QCOMPARE(w->library().soundGroupList().first().soundList.size(), 3);
    }

    void listImportMessagesAndNumbers()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        MainWindow1Records::SOUND_INDEX last;
        last.wave_No = 40;
        last.file = "/elsewhere/old.wav";
        editRecords(w->library(), [&last](QVector<MainWindow1Records::SOUND_INDEX> &r) { r << last; });

        const QString ok = writeBytes(f.path("Kick 01 A.wav"), pcmWav(1, 8000, 800));
        const QString tooLong = writeBytes(f.path("ABCDEFGHIJKLMNOPQ.wav"), pcmWav(1, 8000, 800));
        const QString bad1 = writeBytes(f.path("Crash Ride Hit!1.wav"), pcmWav(1, 8000, 800));
        const QString bad2 = writeBytes(f.path("Crash Ride Hit!2.wav"), pcmWav(1, 8000, 800));
        const QString blank = writeBytes(f.path("sub/.wav"), pcmWav(1, 8000, 800));
        const QString hostile = writeBytes(f.path(QString::fromUtf8("Dr\xC3\xBCms *#\xE9\xBC\x93.wav")), pcmWav(1, 8000, 800));
        w->form()->kitNumber->setText("7");
        f.importToList({ok, tooLong, bad1, bad2, blank, hostile});
        QCOMPARE(w->mainPadPage().currentKitNum(), quint8(6));
        QCOMPARE(f.prompter.texts(),
                 QStringList({QString::fromUtf8("These sound names were changed to names the sampler pad can hold:\r\n"
                                                "\"\u2068ABCDEFGHIJKLMNOPQ\u2069\" → \"\u2068ABCDEFGHIJKLMNOP\u2069\"\r\n"
                                                "\"\u2068Crash Ride Hit!1\u2069\" → \"\u2068Crash Ride Hit 1\u2069\"\r\n"
                                                "\"\u2068Crash Ride Hit!2\u2069\" → \"\u2068Crash Ride Hit 2\u2069\"\r\n"
                                                "\"\u2068\u2069\" → \"\u2068SOUND~00001\u2069\"\r\n"
                                                "\"\u2068Dr\xC3\xBCms *#\xE9\xBC\x93\u2069\" → \"\u2068Drums gu\u2069\"")}));
        QCOMPARE(f.totalRows(),
                 QStringList({"41|Kick 01 A|" + ok, "42|ABCDEFGHIJKLMNOP|" + tooLong, "43|Crash Ride Hit 1|" + bad1,
                              "44|Crash Ride Hit 2|" + bad2, "45|SOUND~00001|" + blank, "46|Drums gu|" + hostile}));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 7);
        const MainWindow1Records::SOUND_INDEX &rec = w->library().waveLoadKitAttrList().at(2);
        QCOMPARE(QByteArray(rec.wave_name, 16), QByteArray("ABCDEFGHIJKLMNOP"));
        QCOMPARE(rec.wave_No, quint16(42));
        QCOMPARE(rec.wave_lock, quint8(1));
        QCOMPARE(rec.file, tooLong);
        QCOMPARE(f.mirrorRows().size(), 6);

        // Paths already listed are dropped after one question; a path that is
        // part of a listed one is still new.
        f.prompter.clear();
        const QString part = writeBytes(f.path("Kick 01 A.wa"), pcmWav(1, 8000, 800));
        f.importToList({ok, part});
        QCOMPARE(f.prompter.texts(), QStringList({"Some files already exist. Don't support to add duplicate files!"}));
        QCOMPARE(f.prompter.prompts.last().kind, UiPrompter::Question);
        QCOMPARE(f.totalRows().last(), "47|Kick 01 A|" + part);
        f.prompter.clear();
        f.importToList({ok});
        QCOMPARE(f.totalRows().size(), 7);
        // A cancelled dialog says nothing.
        f.prompter.clear();
        w->form()->tbtAddWave->click();
        QCOMPARE(f.prompter.texts(), QStringList());
    }

    // Different sounds the rule names alike take numbers, also past a
    // fallback name a group holds; a copy of a listed sound keeps its name.
    void importedNamesTellSoundsApart()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        f.prompter.fileAnswers.enqueue({writeBytes(f.path("g/!!!.wav"), pcmWav(1, 8000, 700))});
        w->form()->addWaveFile->click();
        QCOMPARE(w->library().soundGroupList().first().soundList.first().name, QString("SOUND~00001"));
        f.prompter.clear();

        int frames = 800;
        auto sound = [&](const char *name) { return writeBytes(f.path(QString::fromUtf8(name)), pcmWav(1, 8000, ++frames)); };
        const QStringList files = {sound("底鼓.wav"),      sound("低鼓.wav"),          sound("drop-!!!###.wav"),
                                   sound("drop-🥁.wav"),   sound("ABCDEFGHIJKLMNOP.wav"), sound("ABCDEFGHIJKLMNOPQ.wav"),
                                   sound("###.wav")};
        const QString copy = writeBytes(f.path(QString::fromUtf8("copy/底鼓.wav")), kf::readFile(files.first()));
        f.importToList(files + QStringList{copy});
        QStringList names;
        for (const QString &row : f.totalRows())
            names << row.section('|', 1, 1);
        QCOMPARE(names, QStringList({"di gu", "di gu~00001", "drop", "drop~00001", "ABCDEFGHIJKLMNOP",
                                     "ABCDEFGHIJ~00001", "SOUND~00002", "di gu"}));
        QCOMPARE(f.prompter.texts(),
                 QStringList({QString::fromUtf8("These sound names were changed to names the sampler pad can hold:\r\n"
                                                "\"\u2068底鼓\u2069\" → \"\u2068di gu\u2069\"\r\n"
                                                "\"\u2068drop-!!!###\u2069\" → \"\u2068drop\u2069\"\r\n"
                                                "\"\u2068###\u2069\" → \"\u2068SOUND~00002\u2069\"\r\n"
                                                "\"\u2068底鼓\u2069\" → \"\u2068di gu\u2069\"\r\n"
                                                "These names were held by other sounds and were given a number:\r\n"
                                                "\"\u2068低鼓\u2069\" → \"\u2068di gu~00001\u2069\"\r\n"
                                                "\"\u2068drop-🥁\u2069\" → \"\u2068drop~00001\u2069\"\r\n"
                                                "\"\u2068ABCDEFGHIJKLMNOPQ\u2069\" → \"\u2068ABCDEFGHIJ~00001\u2069\"")}));

        // Into a group: a name of the list held by another sound takes a number too.
        f.prompter.clear();
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        f.prompter.fileAnswers.enqueue({sound("g/drop.wav"), files.at(2)});
        w->form()->addWaveFile->click();
        const auto &group = w->library().soundGroupList().first().soundList;
        QCOMPARE(group.size(), 3);
        QCOMPARE(group.at(1).name, QString("drop~00002"));
        QCOMPARE(group.at(2).name, QString("drop"));
        QCOMPARE(f.prompter.texts(),
                 QStringList({QString::fromUtf8("These sound names were changed to names the sampler pad can hold:\r\n"
                                                "\"\u2068drop-!!!###\u2069\" → \"\u2068drop\u2069\"\r\n"
                                                "These names were held by other sounds and were given a number:\r\n"
                                                "\"\u2068drop\u2069\" → \"\u2068drop~00002\u2069\"")}));
    }

    // The listed sound that holds a name stands on a drive that does not
    // answer: its bytes are not waited on past the limit, and the new sound
    // takes a number as one that is not the same; asked again meanwhile, no
    // other look waits on it. Once it answers, a copy keeps the name.
    void nameHeldOnASilentDriveTakesANumber()
    {
        Fixture f;
        f.open();
        const QByteArray bytes = pcmWav(1, 8000, 800);
        const QString kick = writeBytes(f.path("stick/kick.wav"), bytes);
        f.importToList({kick});
        f.prompter.clear();
        {
            HangingOpens silent(f.disk, "stick/kick.wav");
            f.importToList({writeBytes(f.path("copy/kick.wav"), bytes)});
            QCOMPARE(silent.hung(), 1);
            QCOMPARE(silent.waiting(), 1); // imported while the file is held
            QCOMPARE(f.prompter.texts(), QStringList({QString::fromUtf8(
                                                 "These names were held by other sounds and were given a number:\r\n"
                                                 "\"\u2068kick\u2069\" → \"\u2068kick~00001\u2069\"")}));
            f.importToList({writeBytes(f.path("copy2/kick.wav"), bytes)});
            QCOMPARE(silent.hung(), 1); // no other look waits on it
            QCOMPARE(f.totalRows().last().section('|', 1, 1), QString("kick~00002"));
            silent.release();
            QTRY_COMPARE(silent.waiting(), 0);
        }
        f.prompter.clear();
        f.importToList({writeBytes(f.path("copy3/kick.wav"), bytes)});
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(f.totalRows().last().section('|', 1, 1), QString("kick"));
    }

    void listImportLimits()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString a = writeBytes(f.path("a.wav"), pcmWav(1, 8000, 800));
        const QString b = writeBytes(f.path("b.wav"), pcmWav(1, 8000, 800));
        const QString c = writeBytes(f.path("c.wav"), pcmWav(1, 8000, 800));
        MainWindow1Records::SOUND_INDEX rec;
        rec.wave_No = 9998;
        editRecords(w->library(), [&rec](QVector<MainWindow1Records::SOUND_INDEX> &r) { r << rec; });
        f.importToList({a, b, c});
        QCOMPARE(f.prompter.texts(), QStringList({"The number of sound can not exceed 9999."}));
        QCOMPARE(f.totalRows(), QStringList({"9999|a|" + a}));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 2);

        // A full list refuses before the dialog.
        f.prompter.clear();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.resize(9999); });
        w->form()->tbtAddWave->click();
        QCOMPARE(f.prompter.prompts.size(), 1);
        QCOMPARE(f.prompter.prompts.first().kind, UiPrompter::Warning);
        QCOMPARE(f.prompter.prompts.first().text, QString("The number of sound can not exceed 9999."));
    }

    void deviceModeImport()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        w->pad().beginLoad(f.work.path() + "/");
        // The producer alone: no pad is loaded for the workers.
        holdPadWriter(w);
        const QString onPad = writeBytes(f.work.filePath("Zt350/WAV_Data/001/bad name!.wav"), pcmWav(1, 8000, 800));
        const QString one = writeBytes(f.path("one.wav"), pcmWav(1, 8000, 800));
        const QString two = writeBytes(f.path("two.wav"), pcmWav(1, 8000, 800));
        QSignalSpy update(&w->soundFiles(), &SoundFilesController::padAddsQueued); // an add batch
        f.importToList({one, onPad, two});
        QCOMPARE(f.prompter.texts(),
                 QStringList({"Adding the sound of a sampler pad is not supported. File location: \r\n" + onPad}));
        QCOMPARE(f.prompter.titles().last(), QString("Error"));
        QCOMPARE(f.prompter.prompts.last().kind, UiPrompter::Critical);
        QCOMPARE(w->pad().addUsbWaveList(), QStringList({one, two}));
        QCOMPARE(w->pad().addUsbWaveNumList(), QVector<quint16>({1, 2}));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 2);
        QCOMPARE(w->library().waveLoadKitAttrList().last().file, two);
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 0);
        QCOMPARE(update.size(), 1);

        // A batch that queues nothing emits nothing and leaves the list usable.
        f.importToList({onPad});
        QCOMPARE(update.size(), 1);
        QVERIFY(w->pad().addUsbWaveList().isEmpty());
        QVERIFY(w->form()->right_stackedWidgetPage1->isEnabled());
    }

    // Files ffmpeg cannot decode are named in one warning and never listed or queued.
    void nonAudioRefused()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString good = writeBytes(f.path("good.wav"), pcmWav(1, 8000, 800));
        const QString text = writeBytes(f.path("notes.wav"), "just words, no sound");
        const QString empty = writeBytes(f.path("empty.wav"), QByteArray());
        f.importToList({text, good, empty});
        const QString refused = "The following files are not readable audio and were not added:\r\n";
        QCOMPARE(f.prompter.texts(), QStringList({refused + text + "\r\n" + empty}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good}));

        w->pad().beginLoad(QString()); // device mode, as while the pad loads
        holdPadWriter(w);
        const QString other = writeBytes(f.path("other.wav"), pcmWav(1, 8000, 800));
        f.importToList({empty, other});
        QCOMPARE(w->pad().addUsbWaveList(), QStringList({other}));
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue({text});
        w->form()->addWaveFile->click();
        QCOMPARE(f.prompter.texts(), QStringList({refused + text}));
        QCOMPARE(w->library().soundListItemModel()->item(0)->rowCount(), 0);
    }

    // A file whose drive does not answer the check is told as such, not as a
    // file that is not audio, after the limit; the others are imported.
    void silentDriveToldAsSuch()
    {
        Fixture f;
        f.open();
        const QString good = writeBytes(f.path("good.wav"), pcmWav(1, 8000, 800));
        const QString quiet = writeBytes(f.path("quiet.wav"), pcmWav(1, 8000, 800));
        HangingOpens hanging(f.disk, "/quiet.wav");
        f.importToList({good, quiet});
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QCOMPARE(f.prompter.texts(),
                 QStringList({"The drive of this file does not answer, so the sound is not taken:\r\n" + quiet}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good}));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A WAV whose data chunk holds no samples and a RIFF file of another form
    // than WAVE are refused like any file that does not decode.
    void noSamplesNoWaveRefused()
    {
        Fixture f;
        f.open();
        QByteArray riff = pcmWav(2, 48000, 480);
        riff.replace(8, 4, "ZZZZ");
        const QString empty = writeBytes(f.path("empty.wav"), pcmWav(2, 48000, 0));
        const QString other = writeBytes(f.path("other.wav"), riff);
        const QString good = writeBytes(f.path("good.wav"), pcmWav(2, 48000, 480));
        f.importToList({empty, other, good});
        QCOMPARE(f.prompter.texts(), QStringList({"The following files are not readable audio and were not added:\r\n"
                                                  + empty + "\r\n" + other}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good}));
    }

    // Too few frames to come out of the resampling to 48 kHz, whole or cut.
    void tooShortToConvertRefused()
    {
        Fixture f;
        f.open();
        const QString shortWav = writeBytes(f.path("short.wav"), pcmWav(2, 44100, 8));
        const QString cut = writeBytes(f.path("cut.wav"), pcmWav(1, 22050, 2205).left(44 + 2 * 6 + 1));
        const QString good = writeBytes(f.path("good.wav"), pcmWav(2, 44100, 441));
        f.importToList({shortWav, cut, good});
        QCOMPARE(f.prompter.texts(), QStringList({"The following files are not readable audio and were not added:\r\n"
                                                  + shortWav + "\r\n" + cut}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good}));
    }

    // A check whose ffmpeg runs past its bound is killed and told as taking
    // too long; the other files are imported. A pipe or a folder named like a
    // sound never reaches ffmpeg.
    void slowAndOddFilesOfAnImport()
    {
        Fixture f;
        f.services.conversion.timeMs = 1000;
        f.open();
        const QString ended = f.path("ended");
        FakeProgram sleeper("ffmpeg", reportsUntilKilled(ended));
        QVERIFY(sleeper.ready());
        const QString good = writeBytes(f.path("good.wav"), pcmWav(2, 48000, 480));
        const QString slow = writeBytes(f.path("slow.mp3"), "no header ffmpeg knows at once");
        const QString pipe = f.path("pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString folder = f.path("folder.wav");
        QVERIFY(QDir().mkpath(folder));
        const QString after = writeBytes(f.path("after.wav"), pcmWav(2, 48000, 480));
        f.importToList({good, slow, pipe, folder, after});
        QVERIFY(!QFileInfo::exists(ended)); // killed at its bound, before it ended on its own
        QCOMPARE(f.prompter.texts(),
                 QStringList({"The following files are not readable audio and were not added:\r\n" + pipe + "\r\n"
                                      + folder,
                              "The conversion of the following files took too long and was stopped; they were not "
                              "added:\r\n"
                                      + slow}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good, "2|after|" + after}));
    }

    // Cancel in the check's progress kills the running ffmpeg and leaves
    // nothing of it; the files found to be sounds before are imported, and the
    // box says how many.
    void cancelStopsTheImport()
    {
        Fixture f;
        f.services.conversion.timeMs = 24 * 3600 * 1000; // no bound but the cancel ends it before its own end
        MainWindow1 *w = f.open();
        const QString pidFile = f.path("ffmpeg.pid");
        const QString ended = f.path("ended");
        FakeProgram hanging("ffmpeg", reportsUntilKilled(ended, "echo $$ > '" + QFile::encodeName(pidFile) + "'\n"));
        QVERIFY(hanging.ready());
        QTemporaryDir tmp;
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString good = writeBytes(f.path("good.wav"), pcmWav(2, 48000, 480));
        const QString hangs = writeBytes(f.path("hangs.ogg"), "no header ffmpeg knows at once");
        const QString after = writeBytes(f.path("after.wav"), pcmWav(2, 48000, 480));
        bool clicked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            QProgressDialog *d = nullptr;
            for (QProgressDialog *shown : w->findChildren<QProgressDialog *>()) {
                if (shown->isVisible())
                    d = shown;
            }
            if (clicked || !d || !d->isVisible() || !QFileInfo::exists(pidFile))
                return;
            QCOMPARE(d->labelText(), QString("Checking the sound files..."));
            QPushButton *cancel = d->findChild<QPushButton *>();
            QVERIFY(cancel && cancel->isVisible());
            clicked = true;
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        poll.start(50);
        f.importToList({good, hangs, after});
        poll.stop();
        qputenv("TMPDIR", oldTmp);
        QVERIFY(clicked);
        QVERIFY(!QFileInfo::exists(ended)); // killed, not waited on
        QCOMPARE(f.prompter.texts(),
                 QStringList({"The import was canceled: 2 sounds were imported; the other files were not."}));
        QCOMPARE(f.totalRows(), QStringList({"1|good|" + good, "2|after|" + after}));
        QCOMPARE(w->library().waveLoadKitAttrList().size(), 2);
        QFile pid(pidFile);
        QVERIFY(pid.open(QIODevice::ReadOnly));
        QVERIFY(::kill(pid.readAll().trimmed().toInt(), 0) != 0); // the running ffmpeg is gone
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).join(" "), QString());
        QVERIFY(!w->preview().dialog() || !w->preview().dialog()->isVisible());
    }

    void soundFileTest()
    {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(soundnames::isSoundFile("/x/A.WAV") && soundnames::isSoundFile("b.Flac"));
        QVERIFY(!soundnames::isSoundFile("a.mp4") && !soundnames::isSoundFile("a.wav.bak")
                && !soundnames::isSoundFile("noext"));
    }

    // A pipe at the sound-list file is not waited on; the start moves it aside and says so.
    void pipeAtTheSoundListIsNotWaitedOn()
    {
        Fixture f;
        const QByteArray list = QFile::encodeName(f.work.filePath("soundlist.xml"));
        QCOMPARE(::mkfifo(list.constData(), 0644), 0);
        std::atomic<bool> started{false};
        std::atomic<bool> rescued{false};
        std::thread writer([&]() { // ends a wait on the pipe, should there be one
            for (int i = 0; i < 60 && !started; ++i)
                QThread::msleep(50);
            const int fd = started ? -1 : ::open(list.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                rescued = true; // someone held the pipe open for reading
                ::close(fd);
            }
        });
        MainWindow1 *w = f.open(true);
        started = true;
        writer.join();
        QVERIFY(!rescued); // the start did not need a writer to go on
        QCOMPARE(w->library().soundListItemModel()->item(0)->text(), QString("Default"));
        QVERIFY(closeWindow(f));
        struct stat aside;
        QVERIFY(::lstat((list + ".bak").constData(), &aside) == 0 && S_ISFIFO(aside.st_mode));
        QVERIFY(!QFileInfo::exists(list)); // the group made at the start is no change to write
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups file \"" + list + "\" could not be read whole: it "
                                                  "is not a regular file.\r\n\r\nThe file as it was is kept as \""
                                                  + list + ".bak\"."}));
    }

    // An entry the reader skips is kept: the file as read goes beside it at the start, once said.
    void skippedEntryKeepsTheFileAsRead()
    {
        Fixture f;
        QByteArray held = kDrums;
        held.replace("</groups>", "    <Group name=\"FX\"/>\n</groups>");
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), held);
        MainWindow1 *w = f.open(true);
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 1);
        QVERIFY(closeWindow(f));
        QCOMPARE(kf::readFile(list + ".bak"), held);
        QCOMPARE(groupNames(list), QStringList({"Drums/1"}));
        QCOMPARE(f.prompter.texts(), QStringList({"Some entries of \"" + list + "\" could not be read and are not in "
                                                  "the sound groups.\r\n\r\nThe file as it was is kept as \""
                                                  + list + ".bak\"."}));
    }

    // A row whose entry digest or file bytes are not hex is kept without
    // them: the start says so, not that an entry is left out; the file as
    // read goes beside it.
    void rowWithABadAttributeIsToldAsKept_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("digest") << QByteArray("</file>") << QByteArray("</file><entry length=\"7\" digest=\"xyz\">K</entry>");
        QTest::newRow("bytes") << QByteArray("<file>") << QByteArray("<file bytes=\"zz\">");
    }
    void rowWithABadAttributeIsToldAsKept()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        Fixture f;
        QByteArray held = kDrums;
        held.replace(from, to);
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), held);
        MainWindow1 *w = f.open(true);
        QStandardItem *drums = w->library().soundListItemModel()->item(0);
        QCOMPARE(drums->rowCount(), 1);
        QCOMPARE(drums->child(0, 1)->text(), QString("/s/kick.wav"));
        QCOMPARE(f.prompter.texts(), QStringList({"Some sounds of \"" + list + "\" had a part that could not be read; "
                                                  "they are kept in the sound groups without it.\r\n\r\nThe file "
                                                  "as it was is kept as \"" + list + ".bak\"."}));
        QCOMPARE(kf::readFile(list + ".bak"), held);
    }

    // A full working folder at the close: the old file stays whole, the user is
    // told why and keeps the window; with room made, the next close writes.
    void fullFolderAtTheCloseKeepsTheOldFile()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root; run the tests as root to cover a full folder");
        TmpfsMount volume;
        if (!volume.mount("64k"))
            QSKIP(qPrintable("cannot mount a tmpfs here (" + volume.error + ")"));
        Fixture f;
        QVERIFY(QDir::setCurrent(volume.point.path()));
        const QString list = writeBytes(volume.point.filePath("soundlist.xml"), kDrums);
        MainWindow1 *w = f.open(true);
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        QFile filler(volume.point.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'f')) > 0) {
        }
        QVERIFY(!w->close()); // "Quit anyway?" answered No
        QCOMPARE(kf::readFile(list), kDrums);
        QCOMPARE(QDir(volume.point.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({".soundlist.xml.lock", "filler", "soundlist.xml"})); // no temporary left
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups could not be saved to \"" + list + "\": No space "
                                                  "left on device.\n\nQuit anyway? Choose No to keep the window "
                                                  "open, free some space or make the file writable, and close the "
                                                  "window again to save them."}));
        QVERIFY(filler.remove());
        QVERIFY(closeWindow(f));
        QCOMPARE(groupNames(list), QStringList({"Loops/0", "Drums/1"}));
    }

    // Two editors on one folder: the second is told at its start what its
    // close will do. It never writes over the groups the first one saved
    // since it read them, nor while the first holds them: its close keeps
    // its own beside them and says so; the first one's stay in the file.
    // Once the first has ended leaving the file as read, the second writes it.
    void secondEditorNeverWritesOverTheFirstOnesGroups_data()
    {
        QTest::addColumn<int>("first"); // 0 closes after a change, 1 stays open, 2 closes unchanged
        QTest::newRow("the first saved since") << 0;
        QTest::newRow("the first still holds them") << 1;
        QTest::newRow("the first ended without a change") << 2;
    }
    void secondEditorNeverWritesOverTheFirstOnesGroups()
    {
        QFETCH(int, first);
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *a = f.open(true);
        auto *b = new MainWindow1(WindowServices{&f.prompter});
        const QString inUse = "The sound groups in \"" + list + "\" are in use by another editor.";
        QCOMPARE(f.prompter.texts(), QStringList({inUse + " Changes to the groups in this window are saved into it "
                                                          "only if that editor has ended by this window's close and "
                                                          "left the file as this window read it; otherwise the close "
                                                          "saves them beside it, under a name it gives."}));
        QCOMPARE(b->library().soundListItemModel()->rowCount(), 1); // read all the same
        if (first == 0) {
            f.prompter.textAnswers.enqueue({"A", true});
            a->form()->addWaveGroup->click();
        }
        if (first != 1)
            QVERIFY(closeWindow(f));
        f.prompter.textAnswers.enqueue({"B", true});
        b->form()->addWaveGroup->click();
        f.prompter.clear();
        QVERIFY(b->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (first == 2) {
            QCOMPARE(f.prompter.texts(), QStringList());
            QCOMPARE(groupNames(list), QStringList({"B/0", "Drums/1"}));
            QVERIFY(!QFileInfo::exists(list + ".bak"));
            return;
        }
        const QString beside = first == 0 ? "Another editor saved the sound groups in \"" + list + "\" since this "
                                            "window read them: they stay as they are, and the groups of this window "
                                            "are saved beside them as \"" + list + ".bak\"."
                                          : inUse.chopped(1) + ": the groups of this window are saved beside it as \""
                                                    + list + ".bak\".";
        QCOMPARE(f.prompter.texts(), QStringList({beside}));
        QCOMPARE(groupNames(list + ".bak"), QStringList({"B/0", "Drums/1"}));
        if (first == 1) {
            QCOMPARE(kf::readFile(list), kDrums);
            f.prompter.textAnswers.enqueue({"A", true});
            a->form()->addWaveGroup->click();
            f.prompter.clear();
            QVERIFY(closeWindow(f)); // the first holds them still: it writes as ever
            QVERIFY(f.prompter.texts().isEmpty());
        }
        QCOMPARE(groupNames(list), QStringList({"A/0", "Drums/1"}));
    }

    // A lock that cannot be taken (a link at its name) is told at the start
    // like one held elsewhere, and at the close while it still cannot be had;
    // once it can, the close writes.
    void lockThatCannotBeTakenIsTold()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        const QString lock = f.work.filePath(".soundlist.xml.lock");
        QVERIFY(QFile::link(f.work.filePath("elsewhere"), lock));
        MainWindow1 *w = f.open(true);
        const QString loop = QString::fromLocal8Bit(std::strerror(ELOOP));
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups in \"" + list + "\" cannot be locked for this "
                                                  "editor (" + loop + "). Changes to the groups in this window are "
                                                  "saved into it only if this editor can lock it by its close and "
                                                  "finds it as it read it; otherwise the close saves them beside it, "
                                                  "under a name it gives."}));
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        f.prompter.clear();
        QVERIFY(w->soundLists().saveSoundListAtClose());
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups in \"" + list + "\" cannot be locked for this "
                                                  "editor (" + loop + "): the groups of this window are saved beside "
                                                  "it as \"" + list + ".bak\"."}));
        QCOMPARE(kf::readFile(list), kDrums);
        QCOMPARE(groupNames(list + ".bak"), QStringList({"Loops/0", "Drums/1"}));
        QVERIFY(QFile::remove(lock));
        f.prompter.clear();
        QVERIFY(closeWindow(f));
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(groupNames(list), QStringList({"Loops/0", "Drums/1"}));
    }

    // A lock file removed while the editor runs lets a second editor take a
    // new one: the first no longer counts itself the holder at its write.
    void removedLockIsNotHeldAnyMore()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *a = f.open(true);
        QVERIFY(QFile::remove(f.work.filePath(".soundlist.xml.lock")));
        SoundLibrary b;
        const SoundLibrary::SoundListStart start = b.openSoundList(list);
        QVERIFY(!start.inUse);
        f.prompter.textAnswers.enqueue({"A", true});
        a->form()->addWaveGroup->click();
        f.prompter.clear();
        QVERIFY(a->soundLists().saveSoundListAtClose());
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups in \"" + list + "\" are in use by another editor: "
                                                  "the groups of this window are saved beside it as \"" + list
                                                  + ".bak\"."}));
        QCOMPARE(kf::readFile(list), kDrums);
    }

    // The close's write of the groups tells what the replaced file lost: its
    // other (hard-linked) names keep the old groups; as a user who may not
    // give it back its owner, that too.
    void closeWriteTellsWhatTheReplacedFileLost()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums), other = f.work.filePath("old.xml");
        QCOMPARE(::link(QFile::encodeName(list).constData(), QFile::encodeName(other).constData()), 0);
        f.open(true);
        f.prompter.textAnswers.enqueue({"Loops", true});
        f.w->form()->addWaveGroup->click();
        QVERIFY(closeWindow(f));
        const QString lacks = "The sound groups are saved to \"" + list + "\", but the new file lacks what the old one "
                              "had:\r\nThe file had other names (hard links), which keep the old bytes: \"" + other + "\".";
        QCOMPARE(f.prompter.texts(), QStringList({lacks}));
        QCOMPARE(groupNames(list), QStringList({"Loops/0", "Drums/1"}));
        QCOMPARE(kf::readFile(other), kDrums);

        if (::geteuid() != 0)
            return;
        QCOMPARE(::chmod(QFile::encodeName(f.work.path()).constData(), 0777), 0);
        QCOMPARE(::chown(QFile::encodeName(list).constData(), 4242, 0), 0);
        QCOMPARE(::chmod(QFile::encodeName(list).constData(), 0666), 0);
        f.prompter.clear();
        QCOMPARE(::seteuid(65534), 0);
        f.open(true);
        f.prompter.textAnswers.enqueue({"Hats", true});
        f.w->form()->addWaveGroup->click();
        const bool closed = closeWindow(f);
        QCOMPARE(::seteuid(0), 0);
        QVERIFY(closed);
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups are saved to \"" + list + "\", but the new file "
                                                  "lacks what the old one had:\r\nThe owner 4242 could not be kept: "
                                                  "the file now belongs to nobody."}));
        QCOMPARE(groupNames(list), QStringList({"Hats/0", "Loops/0", "Drums/1"}));
    }

    // Another program's change made in place, of the same size and with its
    // time put back, is seen at the close: that version is kept beside the
    // groups written, and said.
    void changeInPlaceWithItsTimePutBackIsKept()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        f.open(true);
        f.prompter.textAnswers.enqueue({"Loops", true});
        f.w->form()->addWaveGroup->click();
        struct stat was;
        QCOMPARE(::stat(QFile::encodeName(list).constData(), &was), 0);
        QByteArray theirs = kDrums;
        theirs.replace("Drums", "Drumz");
        {
            QFile file(list);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(theirs) == theirs.size());
        }
        const struct timespec times[2] = {was.st_atim, was.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(list).constData(), times, 0), 0);
        QVERIFY(closeWindow(f));
        QCOMPARE(f.prompter.texts(), QStringList({"Another program changed the sound groups' file since this editor "
                                                  "read it: that version is kept as \"" + list + ".bak\"."}));
        QCOMPARE(kf::readFile(list + ".bak"), theirs);
        QCOMPARE(groupNames(list), QStringList({"Loops/0", "Drums/1"}));
    }

    // A link put at the groups' file during the session is named, and neither
    // it nor its far end is written over; an unchanged list writes nothing.
    void linkPutAtTheFileDuringTheSessionIsNamed()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *w = f.open(true);
        const QString far = writeBytes(f.work.filePath("far.xml"), kDrums);
        QVERIFY(QFile::remove(list) && QFile::link(far, list));
        QVERIFY(w->soundLists().saveSoundListAtClose()); // no change: nothing to write
        QVERIFY(f.prompter.texts().isEmpty());
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        f.prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!w->soundLists().saveSoundListAtClose());
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups could not be saved to \"" + list + "\": a link to "
                                                  "\"" + far + "\" was put at its name since the start; neither is "
                                                  "written over.\n\nQuit anyway? Choose No to keep the window open, "
                                                  "free some space or make the file writable, and close the window "
                                                  "again to save them."}));
        QVERIFY(QFileInfo(list).isSymLink());
        QCOMPARE(kf::readFile(far), kDrums);
    }

    // A folder or a named pipe put at the groups' file's name during the
    // session is named at the close, with no advice about room; nothing is
    // written over it or kept beside it.
    void folderOrPipePutAtTheFileDuringTheSessionIsNamed_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("pipe") << true;
    }
    void folderOrPipePutAtTheFileDuringTheSessionIsNamed()
    {
        QFETCH(bool, pipe);
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *w = f.open(true);
        QVERIFY(QFile::remove(list));
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(list).constData(), 0644) == 0 : QDir().mkdir(list));
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        f.prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!w->soundLists().saveSoundListAtClose());
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups could not be saved to \"" + list + "\": "
                                                  + (pipe ? "a named pipe" : "a folder") + " stands at its name."
                                                  "\n\nQuit anyway? Choose No to keep the window open, move it "
                                                  "away, and close the window again to save them."}));
        QCOMPARE(QFileInfo(list).isDir(), !pipe);
        QVERIFY(!QFileInfo::exists(list + ".bak"));
    }

    // A link at the name is read through and written through: the file it
    // names keeps its groups and takes the new one; a link to nothing is
    // kept aside and named.
    void linkedSoundListWrittenThrough()
    {
        Fixture f;
        const QString far = writeBytes(f.work.filePath("far/groups.xml"), kDrums);
        const QString list = f.work.filePath("soundlist.xml");
        QVERIFY(QFile::link(far, list));
        MainWindow1 *w = f.open(true);
        QCOMPARE(w->library().soundListItemModel()->item(0)->text(), QString("Drums"));
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        QVERIFY(closeWindow(f));
        QCOMPARE(QFileInfo(list).symLinkTarget(), far);
        QCOMPARE(groupNames(far), QStringList({"Loops/0", "Drums/1"}));
        QVERIFY(QFileInfo::exists(f.work.filePath("far/.groups.xml.lock")));
        QVERIFY(f.prompter.texts().isEmpty());

        QVERIFY(QFile::remove(far));
        f.open(true);
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups file \"" + list + "\" could not be read whole: it "
                                                  "is a link to no regular file.\r\n\r\nThe file as it was is kept "
                                                  "as \"" + list + ".bak\"."}));
        QCOMPARE(QFileInfo(list + ".bak").symLinkTarget(), far);
        QVERIFY(closeWindow(f));
        QVERIFY(!QFileInfo(list).isSymLink() && !QFileInfo::exists(far));
    }

    // A read-only file is replaced only after a Yes, and stays read-only.
    void readOnlySoundListAskedBeforeItIsReplaced()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        QVERIFY(QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            MainWindow1 *w = f.open(true);
            f.prompter.textAnswers.enqueue({"Loops", true});
            w->form()->addWaveGroup->click();
            f.prompter.clear();
            f.prompter.buttonAnswers.enqueue(answer);
            QVERIFY(closeWindow(f));
            QCOMPARE(f.prompter.titles(), QStringList({"Warning"}));
            QCOMPARE(f.prompter.texts(), QStringList({"The sound groups are saved to \"" + list + "\".\r\nThe file is "
                                                      "read-only.\r\nDo you confirm to overwrite it?"}));
            QCOMPARE(groupNames(list).size(), answer == QMessageBox::Yes ? 2 : 1);
        }
        QCOMPARE(QFileInfo(list).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }

    // Rows that carry their sound's digest, over a kit file written anew with
    // another "Kick" of the same length at the row's place: a row whose bytes
    // moved in the file names them there now, one whose bytes are a kept copy
    // takes the copy (said once), and one whose bytes are nowhere is named,
    // never taken for another sound, and neither previewed nor dragged.
    void groupRowsFollowTheirBytes()
    {
        Fixture f;
        const QString kit = f.work.filePath("K002.INI");
        auto sound = [&f](const QString &name, quint32 seed) {
            const QString wav = writeBytes(f.work.filePath(name + QString::number(seed) + ".wav"), kf::wavBytes(64, seed));
            return kf::TestSound{name, 1, wav, 0, quint32(kf::readFile(wav).size()), 1};
        };
        auto writeKit = [&kit](QVector<kf::TestSound> sounds) {
            for (int i = 0; i < sounds.size(); ++i)
                sounds[i].waveNo = quint16(i + 1);
            auto model = std::make_unique<percussionpadfile>();
            kf::KitStorage kits;
            kits.fill({1, 2}, 5);
            return kf::writeSingleKit(*model, kits, 1, sounds, kit);
        };
        const kf::TestSound snare = sound("Snare", 3), kick = sound("Kick", 4), otherKick = sound("Kick", 5),
                            tom = sound("Tom", 6);
        QVERIFY(writeKit({snare, kick}));
        auto digest = [](const kf::TestSound &t) {
            return QString(QCryptographicHash::hash(kf::readFile(t.file), QCryptographicHash::Sha256).toHex());
        };
        QVector<soundfilexml::strSoundGroup> list(1);
        list[0].name = "Drums";
        const QString length = QString::number(kick.length);
        list[0].soundList = {{{}, "Kick", kit + ":U00001", {}, {}, {}, {}, {}, "Kick", length, digest(kick), {}},
                             {{}, "Snare", kit + ":U00000", {}, {}, {}, {}, {}, "Snare", length, digest(snare), {}},
                             {{}, "Tom", kit + ":U00000", {}, {}, {}, {}, {}, "Tom", length, digest(tom), {}},
                             {{}, "Kick 2", kit + ":U00000", {}, {}, {}, {}, {}, "Kick", length, digest(kick), {}}};
        QVERIFY(soundlists::write(f.work.filePath("soundlist.xml"), list));
        QVERIFY(writeKit({otherKick, snare})); // written anew since
        const QString copy = writeBytes(f.work.filePath("Kept sounds/Kick.wav"), kf::readFile(kick.file));

        MainWindow1 *w = f.open(true);
        QCOMPARE(f.prompter.texts(), QStringList({"These sounds of the sound groups are no longer in the files they "
                                                  "name, which were written anew since, nor in \"Kept sounds\"; they "
                                                  "are not taken for other sounds and cannot be previewed, dragged or "
                                                  "saved:\r\nDrums: Tom (" + kit + ":U00000)\r\n\r\nThese sounds of "
                                                  "the sound groups are now taken from \"Kept sounds\":\r\nDrums: "
                                                  "Kick (" + copy + ")\r\nDrums: Kick 2 (" + copy + ")"}));
        QStandardItem *drums = w->library().soundListItemModel()->item(0);
        QCOMPARE(QStringList({drums->child(0, 1)->text(), drums->child(1, 1)->text(), drums->child(2, 1)->text(),
                              drums->child(3, 1)->text()}),
                 QStringList({copy, kit + ":U00001", kit + ":U00000", copy}));

        // The lost row says why and plays nothing; the others play.
        QTreeView *tree = w->form()->waveGroupTreeView;
        tree->expandAll();
        f.prompter.clear();
        const QModelIndex lost = w->library().soundListItemModel()->index(2, 0, drums->index());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(lost).center());
        QCOMPARE(f.prompter.texts(), QStringList({"Tom\r\nThe bytes of this sound were found neither in the file it "
                                                  "names nor in \"Kept sounds\" when the editor started: it would be "
                                                  "another sound, so it cannot be previewed, dragged or saved."}));
        f.prompter.clear();
        const QModelIndex moved = w->library().soundListItemModel()->index(1, 0, drums->index());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(moved).center());
        QVERIFY(f.prompter.texts().isEmpty());

        QVERIFY(closeWindow(f));
        QVector<soundfilexml::strSoundGroup> back;
        QVERIFY(soundlists::read(f.work.filePath("soundlist.xml"), back));
        QCOMPARE(back[0].soundList[2].file, kit + ":U00000"); // kept as named
        QCOMPARE(back[0].soundList[2].entryDigest, digest(tom));
        QCOMPARE(back[0].soundList[1].entryDigest, digest(snare));
        QVERIFY(!back[0].soundList[1].entrySeen.isEmpty());
        QCOMPARE(back[0].soundList[0].entryDigest, digest(kick));
    }

    // A row of the user's own file knows its bytes from the import on: the
    // same bytes written again stay its sound without a word, other bytes at
    // its path are named at the start and never taken for it, and a file
    // that is gone leaves the row as it is.
    void plainFileRowsKnowTheirBytes()
    {
        Fixture f;
        const QByteArray kickBytes = pcmWav(1, 8000, 800), snareBytes = pcmWav(1, 8000, 900);
        const QString kick = writeBytes(f.path("own/kick.wav"), kickBytes),
                      snare = writeBytes(f.path("own/snare.wav"), snareBytes),
                      hat = writeBytes(f.path("own/hat.wav"), pcmWav(2, 8000, 700));
        MainWindow1 *w = f.open(true);
        w->form()->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        f.prompter.fileAnswers.enqueue({kick, snare, hat});
        w->form()->addWaveFile->click();
        auto sha = [](const QByteArray &b) {
            return QString(QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex());
        };
        const soundfilexml::strSoundItem added = w->library().soundGroupList().at(0).soundList.at(0);
        QCOMPARE(added.entryDigest, sha(kickBytes));
        QCOMPARE(added.entryLength, QString::number(kickBytes.size()));
        QVERIFY(!added.entrySeen.isEmpty());
        QVERIFY(closeWindow(f));
        QVector<soundfilexml::strSoundGroup> written;
        QVERIFY(soundlists::read(f.work.filePath("soundlist.xml"), written));
        QCOMPARE(written.at(0).soundList.at(1).entryDigest, sha(snareBytes));

        QVERIFY(QFile::remove(kick) && kf::writeFile(kick, kickBytes)); // the same bytes, another file
        QVERIFY(kf::writeFile(snare, pcmWav(1, 8000, 901)));            // other bytes at its path
        QVERIFY(QFile::remove(hat));
        f.prompter.clear();
        w = f.open(true);
        QCOMPARE(f.prompter.texts(), QStringList({"These sounds of the sound groups are no longer in the files they "
                                                  "name, which were written anew since, nor in \"Kept sounds\"; they "
                                                  "are not taken for other sounds and cannot be previewed, dragged or "
                                                  "saved:\r\nDefault: snare (" + snare + ")"}));
        QStandardItem *group = w->library().soundListItemModel()->item(0);
        QCOMPARE(QStringList({group->child(0, 1)->text(), group->child(1, 1)->text(), group->child(2, 1)->text()}),
                 QStringList({kick, snare, hat}));
        QTreeView *tree = w->form()->waveGroupTreeView;
        tree->expandAll();
        f.prompter.clear();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(group->child(1, 0)->index()).center());
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY(f.prompter.texts().first().startsWith("snare\r\nThe bytes of this sound were found neither"));
        f.prompter.clear();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(group->child(0, 0)->index()).center());
        QCOMPARE(f.prompter.texts(), QStringList());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(group->child(2, 0)->index()).center());
        QCOMPARE(f.prompter.texts().value(0), "hat does not exist.\r\nPlease check path:" + hat);
    }

    // A sound kept as a link to a file elsewhere is read as that file: it
    // imports, previews, keeps its name beside a copy of its bytes, and a
    // whole setup holding it saves, loads through a link and saves again the same.
    void linkedSoundReadsAsItsFile()
    {
        Fixture f;
        MainWindow1 *w = f.open();
        const QString far = writeBytes(f.path("disk/kick.wav"), pcmWav(1, 8000, 800));
        QVERIFY(QDir().mkpath(f.path("project")));
        const QString link = f.path("project/kick.wav");
        QVERIFY(QFile::link(far, link));
        f.importToList({link});
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(f.totalRows().size(), 1);
        QCOMPARE(f.totalRows().first().section('|', 1), "kick|" + link);
        QVERIFY(w->rawFiles().getRawFile(far, f.path("device.wav"), nullptr) > 44);
        const QByteArray device = kf::readFile(f.path("device.wav"));
        QVERIFY(w->rawFiles().getRawFile(far, f.path("preview.wav"), &w->preview()) > 44);
        const QByteArray preview = kf::readFile(f.path("preview.wav"));

        QTreeView *total = w->form()->totalWaveTreeView;
        const QModelIndex row = w->library().totalListItemModel()->soundIndex(0, 1);
        QTest::mouseClick(total->viewport(), Qt::LeftButton, {}, total->visualRect(row).center());
        QCOMPARE(f.prompter.texts(), QStringList());
        QVERIFY(w->form()->playBtn2->isEnabled());
        QTest::mouseClick(w->form()->playBtn2, Qt::LeftButton);
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(kf::readFile(w->preview().previewFileName()), preview);
        QTest::mouseClick(w->form()->stopBtn2, Qt::LeftButton);

        // The file itself is the same sound: it keeps the name.
        f.importToList({far});
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(f.totalRows().last().section('|', 1), "kick|" + far);

        reloadKit(w->doc(), 0, [&](MainWindow1Records::soundKit &kit) {
            kit.kpadChunk[0].soundFile0 = link;
            kit.kpadChunk[0].soundName0 = "kick";
        });
        const QString setup = f.path("disk/SET.bin"), again = f.path("disk/AGAIN.bin");
        f.prompter.fileAnswers.enqueue({setup});
        w->form()->actionExport_All->trigger();
        QCOMPARE(f.prompter.titles(), QStringList({"successfully saved."}));
        const QByteArray saved = kf::readFile(setup);
        QVERIFY(saved.contains(device.mid(44)));

        // Loaded through a link, its sound is the one saved, and saved again the file comes out the same.
        const QString linkedSetup = f.path("project/SET.bin");
        QVERIFY(QFile::link(setup, linkedSetup));
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue({linkedSetup});
        w->form()->actionImport_All->trigger();
        QCOMPARE(w->library().loadedKitFiles().size(), 1);
        const QString stored = w->doc().kit(0).kpadChunk[0].soundFile0;
        QVERIFY2(stored.contains(":U"), qPrintable(stored));
        QCOMPARE(w->rawFiles().getRawFile(stored, f.path("back.wav"), nullptr), quint32(device.size()));
        QCOMPARE(kf::readFile(f.path("back.wav")), device);
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue({again});
        w->form()->actionExport_All->trigger();
        QCOMPARE(f.prompter.titles(), QStringList({"successfully saved."}));
        QCOMPARE(kf::readFile(again), saved);

        // A link to a pipe, a folder or nothing is still no sound, and is not waited on.
        const QString pipe = f.path("disk/pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::link(pipe, f.path("project/pipe.wav")) && QFile::link(f.path("disk"), f.path("project/dir.wav"))
                && QFile::link(f.path("disk/gone.wav"), f.path("project/gone.wav")));
        QCOMPARE(PreviewController::soundFileSize(nullptr, nullptr, link), std::optional<qint64>(QFileInfo(far).size()));
        for (const char *name : {"project/pipe.wav", "project/dir.wav", "project/gone.wav"})
            QCOMPARE(PreviewController::soundFileSize(nullptr, nullptr, f.path(name)), std::optional<qint64>(-1));
    }

    // A group sound whose drive does not answer at the start is left as read:
    // the start goes on after the limit, the row is not taken for lost, and
    // the close leaves the groups' file as it was. Once the drive answers,
    // the next start checks it as always.
    void groupSoundOnASilentDriveIsLeftAsRead()
    {
        Fixture f;
        const QString snare = writeBytes(f.path("stick/snare.wav"), pcmWav(1, 8000, 901)); // other bytes since
        QVector<soundfilexml::strSoundGroup> list(1);
        list[0].name = "Drums";
        const QByteArray had = pcmWav(1, 8000, 900);
        list[0].soundList = {{{}, "snare", snare, {}, {}, {}, {}, {}, {}, QString::number(had.size()),
                              QString(QCryptographicHash::hash(had, QCryptographicHash::Sha256).toHex()), {}}};
        const QString file = f.work.filePath("soundlist.xml");
        QVERIFY(soundlists::write(file, list));
        const QByteArray before = kf::readFile(file);

        {
            HangingOpens silent(f.disk, "/snare.wav");
            MainWindow1 *w = f.open(true);
            // The start went on while the file is held, after one look.
            QCOMPARE(silent.hung(), 1);
            QCOMPARE(silent.waiting(), 1);
            QCOMPARE(f.prompter.texts(), QStringList());
            const soundfilexml::strSoundItem row = w->library().soundGroupList().at(0).soundList.at(0);
            QVERIFY(!row.lost);
            QCOMPARE(row.file, snare);
            QVERIFY(closeWindow(f));
            QCOMPARE(kf::readFile(file), before);
            silent.release();
            QTRY_COMPARE(silent.waiting(), 0);
        }

        f.open(true);
        QCOMPARE(f.prompter.texts(), QStringList({"These sounds of the sound groups are no longer in the files they "
                                                  "name, which were written anew since, nor in \"Kept sounds\"; they "
                                                  "are not taken for other sounds and cannot be previewed, dragged or "
                                                  "saved:\r\nDrums: snare (" + snare + ")"}));
    }

    // A groups' file whose drive does not answer at the start is not waited
    // on past the limit, nor taken for an empty list: the box says so, and
    // no close writes over it, also once the drive answers again.
    void soundListOnASilentDriveIsNotTakenForEmpty()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        HangingOpens silent(f.disk, "/soundlist.xml");
        MainWindow1 *w = f.open(true);
        QCOMPARE(silent.hung(), 1);
        QCOMPARE(silent.waiting(), 1); // told while the file is held
        QCOMPARE(f.prompter.texts(), QStringList({"The drive of the sound groups file \"" + list + "\" does not "
                                                  "answer: its groups are not read, and nothing is saved over it in "
                                                  "this session."}));
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        silent.release();
        QTRY_COMPARE(silent.waiting(), 0);
        f.prompter.clear();
        QVERIFY(!w->close()); // "Quit anyway?" answered No
        QCOMPARE(f.prompter.texts(), QStringList({"The sound groups could not be saved to \"" + list + "\": the folder "
                                                  "does not answer.\n\nQuit anyway? Choose No to keep the window "
                                                  "open, free some space or make the file writable, and close the "
                                                  "window again to save them."}));
        QCOMPARE(kf::readFile(list), kDrums);
        QCOMPARE(QDir(f.work.path()).entryList(QDir::Files), QStringList({"soundlist.xml"}));
    }

    // The close's write of the groups whose drive does not answer returns
    // after the limit: nothing written, and the box says so. Stopped as the
    // new file is put in place, the box says the file is the old or the new
    // one; the new one that landed is taken for this editor's own.
    void closeWriteOnASilentDriveIsNotWaitedOn()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *w = f.open(true);
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        f.prompter.clear();
        {
            HangingOpens silent(f.disk, "/soundlist.xml", 0, HangingOpens::Looks::OpensAndStats);
            const TurnsWhile held([&] { return silent.waiting() > 0 && f.prompter.texts().isEmpty(); });
            QVERIFY(!w->close()); // "Quit anyway?" answered No
            QCOMPARE(silent.hung(), 1);
            QCOMPARE(silent.waiting(), 1);
            QVERIFY(held.turns() > 0);
            QCOMPARE(f.prompter.texts(), QStringList({"The sound groups could not be saved to \"" + list + "\": the "
                                                      "folder does not answer.\n\nQuit anyway? Choose No to keep the "
                                                      "window open, free some space or make the file writable, and "
                                                      "close the window again to save them."}));
            silent.release();
            QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), list));
            QCOMPARE(kf::readFile(list), kDrums);
        }
        f.prompter.clear();
        {
            HangingOpens silent(f.disk, "soundlist.xml", 0, HangingOpens::Looks::Renames);
            const TurnsWhile held([&] { return silent.waiting() > 0 && f.prompter.texts().isEmpty(); });
            QVERIFY(!w->close());
            QCOMPARE(silent.hung(), 1);
            QCOMPARE(silent.waiting(), 1);
            QVERIFY(held.turns() > 0);
            QCOMPARE(f.prompter.texts(), QStringList({"The folder of \"" + list + "\" stopped answering while the "
                                                      "sound groups were being saved to it: the file is either still "
                                                      "the old one, whole, or the new one, whole.\n\nQuit anyway? "
                                                      "Choose No to keep the window open, and close the window again "
                                                      "once the drive answers to save them."}));
            QCOMPARE(kf::readFile(list), kDrums);
            silent.release();
            QTRY_VERIFY(!ztplatform::isSilentFile(w->library().silentFiles(), list));
            QCOMPARE(groupNames(list), QStringList({"Loops/0", "Drums/1"}));
        }
        f.prompter.clear();
        QVERIFY(closeWindow(f));
        QCOMPARE(f.prompter.texts(), QStringList());
        QCOMPARE(QDir(f.work.path()).entryList(QDir::Files), QStringList({"soundlist.xml"}));
    }

    // The groups written at the close, stopped at every call: the old file or the new one, whole.
    void closeWriteStoppedAnywhereLeavesOldOrNew()
    {
        Fixture f;
        const QString list = writeBytes(f.work.filePath("soundlist.xml"), kDrums);
        MainWindow1 *w = f.open(true);
        f.prompter.textAnswers.enqueue({"Loops", true});
        w->form()->addWaveGroup->click();
        int calls = 0;
        bool saved = false;
        stopBefore(f.disk, f.work.path(), 0, [&](ztplatform::Disk &) { saved = w->soundLists().saveSoundListAtClose(); },
                   false, &calls);
        QVERIFY(saved);
        const QByteArray written = kf::readFile(list);
        QVERIFY(calls >= 5 && written != kDrums);
        for (int n = 1; n <= calls; ++n) {
            QVERIFY(kf::writeFile(list, kDrums));
            w->library().renameGroup(0, "Loops" + QString::number(n)); // a change to write
            // "Quit anyway?" answered No
            stopBefore(f.disk, f.work.path(), n, [&](ztplatform::Disk &) { w->soundLists().saveSoundListAtClose(); });
            const QByteArray now = kf::readFile(list);
            QVERIFY2(now == kDrums || groupNames(list) == QStringList({"Loops" + QString::number(n) + "/0", "Drums/1"}),
                     qPrintable(QString::number(n)));
        }
    }

    void metronomeAtStart()
    {
        {
            Fixture f;
            MainWindow1 *w = f.open();
            QVERIFY(f.prompter.prompts.isEmpty());
            QCOMPARE(w->library().clickList().size(), 5);
            QVERIFY(w->soundLists().clickFlag());
            QVERIFY(!w->soundLists().userFlag());
            QCOMPARE(w->library().clickListItemModel()->rowCount(), 1);
            QStandardItem *group = w->library().clickListItemModel()->item(0);
            QCOMPARE(group->text(), QString("Metronome Sound Group"));
            QCOMPARE(group->rowCount(), 5);
            QCOMPARE(group->child(0, 0)->text(), QString("1"));
            QCOMPARE(group->child(0, 1)->text(), QString("click1.wav"));
            QCOMPARE(group->child(4, 1)->text(), QString("click5.wav"));
            QCOMPARE(w->library().clickList().at(1).offset, w->library().clickList().at(0).size);
            QCOMPARE(w->form()->clickSoundNoSpinBox->maximum(), 5);
            // The list is full now.
            w->form()->btnImportClickWave->click();
            QCOMPARE(f.prompter.texts(),
                     QStringList({"The list is full. Please delete some metronome sounds before importing more."}));
        }
        QTemporaryDir four;
        for (int i = 0; i < 4; ++i)
            writeBytes(four.filePath(QString("c%1.wav").arg(i)), QByteArray(5000, 'x'));
        QDir(four.path()).mkdir("a folder");
        Fixture f;
        f.services.clickFolder = four.path();
        MainWindow1 *w = f.open();
        const QString capacity = "The list capacity is 5. Please import metronome sounds  up to the maximum "
                                 "capacity based on the list's limit.";
        QCOMPARE(f.prompter.texts(), QStringList({capacity}));
        QVERIFY(w->library().clickList().isEmpty());
        QVERIFY(!w->soundLists().clickFlag());
        QCOMPARE(w->library().clickListItemModel()->rowCount(), 0);

        // The button asks for files now.
        QStringList six;
        for (int i = 0; i < 6; ++i)
            six << writeBytes(f.path(QString("m%1.wav").arg(i)), QByteArray(4097 - (i == 2 ? 1 : 0), 'x'));
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue(six);
        w->form()->btnImportClickWave->click();
        QCOMPARE(f.prompter.prompts.first().title, QString("Obtain click sound files"));
        QCOMPARE(f.prompter.prompts.first().filter,
                 QString("Lossless sound files (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;Compressed sound files "
                         "(*.mp3 *.MP3 *.wma *.WMA *.aac *.AAC *.aa3 *.AA3 *.ogg *.OGG)"));
        QCOMPARE(f.prompter.titles(), QStringList({"Waring"}));
        QCOMPARE(f.prompter.texts(), QStringList({"Only supports importing up to 5 metronome sounds."}));
        // One file of exactly 4096 bytes: its message, nothing added.
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue(six.mid(0, 5));
        w->form()->btnImportClickWave->click();
        QCOMPARE(f.prompter.texts(), QStringList({"m2.wavThe sound length is less than 4KB and does not support import."}));
        QVERIFY(w->library().clickList().isEmpty());
        // Five of 4097 bytes are taken.
        QStringList five = six.mid(0, 2) + six.mid(3, 3);
        f.prompter.clear();
        f.prompter.fileAnswers.enqueue(five);
        w->form()->btnImportClickWave->click();
        QVERIFY(f.prompter.texts().isEmpty());
        QCOMPARE(w->library().clickList().size(), 5);
        QCOMPARE(w->library().clickList().at(4).offset, quint32(4 * 4097));
        QVERIFY(w->soundLists().clickFlag());
        QCOMPARE(w->form()->clickSoundNoSpinBox->minimum(), 1);
        QCOMPARE(w->form()->clickSoundNoSpinBox->maximum(), 5);
        // The group row is made once.
        w->library().dropClickSounds();
        f.prompter.fileAnswers.enqueue(five);
        w->form()->btnImportClickWave->click();
        QCOMPARE(w->library().clickListItemModel()->rowCount(), 1);
        QCOMPARE(w->library().clickListItemModel()->item(0)->rowCount(), 5);
    }
};

QTEST_MAIN(TestSoundLibrary)
#include "test_soundlibrary.moc"

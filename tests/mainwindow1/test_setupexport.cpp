// Save, the kit-chain Save and Export All through the window: the lock-out,
// the kit choice and its guards, whole setups and kit files written beside
// their targets first and read back when they replaced loaded files, a full
// disk, and the pad's tree left alone in device mode.
#include "setupflow_fixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "library/records_fixture.h"
#include "kitfile/soundsource.h"
#include "soundlib_fixture.h"
#include "support/soundlists.h"

#include "device/bindmount.h"
#include "platform/durablefile.h"
#include "platform/silentfiles.h"
#include "support/crashdisk.h"
#include "support/hangingdisk.h"
#include "support/passdisk.h"
#include "widgets/totaltreeview.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace setupflow_test;
using P = UiPrompter;

namespace {

const char kFullDisk[] = "--full-disk";

QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The stored bytes of every sound source of the editor.
QMap<QString, QByteArray> storedBytes(MainWindow1 *w)
{
    sf::Editor e;
    e.loaded = w->library().loadedKitFiles();
    QMap<QString, QByteArray> out;
    for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList()))
        out.insert(percussionpadfile::charArray2String(s.wave_name, 16), sf::soundBytes(e, s.file));
    return out;
}

// In a child process whose files may not grow past 1 KiB: a whole setup and
// a kit exported over files in `dir`; the boxes go to standard output.
int fullDiskChild(const QString &dir)
{
    Fixture f;
    f.importAll(QDir(dir).filePath("KIT_ALL.bin"));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1024;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    f.prompter.clear();
    f.exportAll(QDir(dir).filePath("OUT.bin"));
    f.saveKits({1}, dir);
    QTextStream out(stdout);
    for (const ScriptedPrompter::Prompt &p : qAsConst(f.prompter.prompts)) {
        if (p.kind < P::OpenFile)
            out << p.title << '|' << QString(p.text).replace("\r\n", "/") << '\n';
    }
    return f.unlocked() ? 0 : 3;
}

// A small tmpfs filled to its last byte; empty when it cannot be mounted (not root).
QString filledTmpfs(TmpfsMount &disk)
{
    if (!BindMount::unavailable().isEmpty() || !disk.mount("64k"))
        return QString();
    QFile filler(disk.point.filePath("filler"));
    if (filler.open(QIODevice::WriteOnly))
        filler.write(QByteArray(128 * 1024, 'x'));
    return disk.point.path();
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every sync of a folder fails.
int failFolderSyncs(int fd, bool)
{
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EIO;
        return -1;
    }
    return 0;
}

} // namespace

// `save` run with the writes of its temporary files held: the window's
// timer fires while one is held, and only then is it released.
static QStringList orderWhileAWriteIsHeld(SwitchDisk &disk, const std::function<void()> &save)
{
    HangingOpens hanging(disk, ".zt-part", 0, HangingOpens::Looks::Writes);
    QStringList order;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (hanging.waiting() > 0 && ++ticks == 3) {
            order << "answered while held";
            hanging.release();
        }
    });
    tick.start(10);
    save();
    tick.stop();
    order << QStringLiteral("saved, %1 held").arg(hanging.hung());
    return order;
}

class TestSetupExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<Fixture> f;

    const ScriptedPrompter::Prompt &prompt(int i) const { return f->prompter.prompts.at(i); }

    void loadSetupAndKits(QString *setup, QString *k2 = nullptr, QString *k7 = nullptr)
    {
        *setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(*setup));
        f->importAll(*setup);
        if (k2) {
            *k2 = f->file("K002.INI");
            *k7 = f->file("K007.INI");
            QVERIFY(makeKitFile(*k2, 2, 3) && makeKitFile(*k7, 7, 4));
            f->importPicks({*k2, *k7});
        }
        f->prompter.clear();
    }

    // The loaded setup's Kick left only to the first row of group 0, its Tom
    // on the row after it: the group.
    QStandardItem *kickOnlyInAGroup(const QString &setup)
    {
        const QString kick = setup + ":U00000";
        auto clear = [&kick](auto s) { if (s.file == kick) s.file.clear(); };
        for (int k = 1; k <= KIT_MAX_COUNT; ++k)
            f->editKit(k, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
        f->w->library().removeSounds({0}, {true});
        SoundLibrary &lib = f->w->library();
        QVector<int> rows;
        for (int r = 0; r < lib.soundGroupList().at(0).soundList.size(); ++r)
            rows << r;
        lib.deleteFromGroups({}, {{0, rows}});
        lib.addSoundsToGroup(0, {{"Kick", kick}, {"Kick", setup + ":U00002"}});
        return lib.soundListItemModel()->item(0);
    }

    // The loaded file `target`'s Kick left only to the first row of group 0,
    // its Snare_ (shown as "Snare") and Tom on the rows after it: what those
    // rows play.
    QVector<QByteArray> rowsOnItsSounds(const QString &target)
    {
        const QString kick = target + ":U00000";
        const QMap<QString, QByteArray> bytes = storedBytes(f->w);
        if (!bytes.contains("Kick") || !bytes.contains("Snare") || !bytes.contains("Tom"))
            return {};
        for (int k = 1; k <= KIT_MAX_COUNT; ++k)
            f->editKit(k, [&kick](Kit &kit) {
                sf::forEachSoundSlot(kit, [&kick](auto s) {
                    if (s.file == kick)
                        s.file.clear();
                });
            });
        SoundLibrary &lib = f->w->library();
        for (int i = 0; i < lib.waveLoadKitAttrList().size(); ++i)
            if (lib.waveLoadKitAttrList().at(i).file == kick)
                lib.removeSounds({i}, {true});
        QVector<int> had;
        for (int r = 0; r < lib.soundGroupList().at(0).soundList.size(); ++r)
            had << r;
        lib.deleteFromGroups({}, {{0, had}});
        lib.addSoundsToGroup(0, {{"Kick", kick}, {"Snare", target + ":U00001"}, {"Tom", target + ":U00002"}});
        return {bytes.value("Kick"), bytes.value("Snare"), bytes.value("Tom")};
    }

    // What each row of the first group plays in window `g`, each clicked as
    // the user does: a stored sound's preview, a file's own bytes, or
    // "<named>" for a row that says why it cannot be played.
    QVector<QByteArray> rowsPlayIn(MainWindow1 *g)
    {
        QTreeView *tree = g->form()->waveGroupTreeView;
        tree->expandAll();
        QVector<QByteArray> out;
        const QStandardItem *group = g->library().soundListItemModel()->item(0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            int told = f->prompter.prompts.size();
            const QRect cell = tree->visualRect(group->child(r, 0)->index());
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
            if (f->prompter.prompts.size() > told) {
                out << (f->prompter.texts().last().contains("cannot be previewed") ? QByteArray("<named>")
                                                                                   : f->prompter.texts().last().toUtf8());
                continue;
            }
            const QString source = g->preview().playFileNameNew2();
            if (!soundsource::isStored(source)) {
                out << kf::readFile(source);
                continue;
            }
            told = f->prompter.prompts.size();
            g->form()->playBtn2->click();
            out << (f->prompter.prompts.size() > told ? f->prompter.texts().last().toUtf8()
                                                      : kf::readFile(g->preview().previewFileName()));
            g->form()->stopBtn2->click();
        }
        return out;
    }

    // The save `save` of the loaded file `target`, whose Kick only a group
    // keeps, run once on a disk that records its calls. Each state a stop
    // before any of them leaves (the editor killed, the power cut with what
    // was not synced lost, a write torn) is laid out and a new window is
    // started on it, which imports `target` again: the file is whole, old or
    // new, each sound with its own bytes, the new one only beside a whole kept
    // Kick, and each row of the group (Kick, Snare_ that the name rule makes
    // "Snare", Tom) plays its own sound or is named, never another one.
    void stoppedAnywhereRowsPlayTheirSounds(const QString &target, const std::function<void()> &save,
                                            const std::function<void(MainWindow1 *)> &reimport)
    {
        const QString kept = f->file("Kept sounds");
        const QByteArray oldBytes = kf::readFile(target);
        const QMap<QString, QByteArray> bytes = storedBytes(f->w);
        const QVector<QByteArray> rows = rowsOnItsSounds(target);
        QCOMPARE(rows.size(), 3);
        SoundLibrary &lib = f->w->library();
        QVERIFY(lib.saveSoundList().written); // as an earlier close left them
        QVector<soundfilexml::strSoundGroup> before;
        QVERIFY(soundlists::read(f->file("soundlist.xml"), before));
        QCOMPARE(before.value(0).soundList.value(1).entryName, QString("Snare_"));

        const QString root = f->work.path();
        CrashDisk disk(root);
        {
            DiskInPlace in(f->disk, &disk);
            save();
        }
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        const QByteArray newBytes = kf::readFile(target);
        QVERIFY(disk.calls() > 5 && newBytes != oldBytes && QFileInfo::exists(kept + "/Kick.wav"));
        QVector<soundfilexml::strSoundGroup> written; // the Snare row names the entry as the new file stores it
        QVERIFY(soundlists::read(f->file("soundlist.xml"), written));
        QCOMPARE(written.value(0).soundList.value(1).entryName, QString("Snare"));
        QCOMPARE(written.value(0).soundList.value(1).file, target + ":U00000");
        delete f->w; // its lock goes with it: each new start holds the groups alone
        f->w = nullptr;
        f->ui = nullptr;
        int states = 0;
        for (const CrashDisk::State &s : disk.states()) {
            ++states;
            const QByteArray at = s.describe().toUtf8();
            filetree::write(s.tree, root);
            const QByteArray now = kf::readFile(target);
            QVERIFY2(now == oldBytes || now == newBytes, at);
            QVERIFY2(now == oldBytes || kf::readFile(kept + "/Kick.wav") == bytes.value("Kick"), at);
            const std::unique_ptr<MainWindow1> g(new MainWindow1(WindowServices{&f->prompter}));
            g->soundLists().setWriteSoundListOnClose(false);
            reimport(g.get());
            // The old file plays each of its sounds; the new one some of them, never the Kick.
            QMap<QString, QByteArray> played;
            const QMap<QString, QByteArray> read = storedBytes(g.get());
            for (auto it = read.cbegin(); it != read.cend(); ++it) // a kept Kick's name may carry a number
                played.insert(QString(it.key()).remove(QRegularExpression("~\\d{5}$")), it.value());
            for (auto it = played.cbegin(); it != played.cend(); ++it)
                QVERIFY2(bytes.value(it.key()) == it.value(), at + " " + it.key().toUtf8());
            QVERIFY2(now == newBytes ? !played.contains("Kick") : played == bytes, at);
            const QVector<QByteArray> rowPlays = rowsPlayIn(g.get());
            QVERIFY2(rowPlays.size() == rows.size(), at);
            for (int r = 0; r < rows.size(); ++r)
                QVERIFY2(rowPlays.at(r) == rows.at(r) || rowPlays.at(r) == "<named>",
                         at + " row " + QByteArray::number(r) + " plays "
                                 + (rows.contains(rowPlays.at(r)) ? bytes.key(rowPlays.at(r)).toUtf8()
                                                                  : rowPlays.at(r).left(200)));
            if (s.before > disk.calls())
                QVERIFY2(rowPlays == rows, at); // the save done: every row plays
        }
        qInfo("%d calls, %d states", disk.calls(), states);
    }

private slots:
    void init() { f.reset(new Fixture); }
    void cleanup() { f.reset(); }

    void choiceAndGuards()
    {
        Ui::MainWindow1 *ui = f->ui;
        // Pending edits of the kit page reach the kit, also when the save stops.
        f->openKitPage(3);
        ui->kitVolumeSpinBox->setValue(77);
        ui->midiCodeSpinBox->setValue(61);
        const int pad = ui->padNoComboBox->currentIndex();
        bool locked = false;
        f->answerKitChoice({}, "btnCancel", &locked);
        ui->btnSave->click();
        QVERIFY(locked);
        QVERIFY(f->unlocked());
        QCOMPARE(int(f->kit(3).kit_volume), 77);
        QCOMPARE(int(f->kit(3).kpadChunk[pad].midi_code), 61);
        QCOMPARE(prompt(0).kind, P::Information);
        QCOMPARE(prompt(0).title, QString("Tip"));
        QCOMPARE(prompt(0).text, QString("Failed to generate file."));
        QCOMPARE(f->prompter.prompts.size(), 1);

        // Ok with nothing ticked, from the kit-chain page's button.
        f->prompter.clear();
        f->answerKitChoice({});
        ui->btnKitChainSave->click();
        QCOMPARE(f->texts(), QStringList({"Failed to generate file."}));

        // All 100 kits: one whole setup, asked for as a file; no file given.
        f->prompter.clear();
        QVector<int> all;
        for (int k = 1; k <= KIT_MAX_COUNT; ++k)
            all.append(k);
        f->saveKits(all, QString());
        QCOMPARE(prompt(0).kind, P::SaveFile);
        QCOMPARE(prompt(0).title, QString("Output"));
        QCOMPARE(prompt(0).text, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/KIT_ALL");
        QCOMPARE(prompt(0).filter, QString("Whole-setup files (*.bin *.BIN)"));
        QCOMPARE(f->texts(), QStringList({"The output file is not set."}));
        QCOMPARE(prompt(1).kind, P::Critical); // titled "Error"
        QVERIFY(f->unlocked());

        // Export All asks no kits and keeps the choice; a preview is stopped first.
        const QVector<int> choice = f->w->doc().kitIndexList();
        QSignalSpy answers(f->w->setupFiles().skn(), &SelectKitNo::sendIsClose);
        f->prompter.clear();
        ui->playBtn2->setStyleSheet("border-image: url(:/images/suspend.png);");
        f->exportAll(QString());
        QCOMPARE(answers.count(), 0);
        QCOMPARE(f->w->doc().kitIndexList(), choice);
        QCOMPARE(prompt(0).kind, P::SaveFile);
        QCOMPARE(f->texts(), QStringList({"Please stop playing the music before importing or saving the file."}));
        QCOMPARE(ui->songLabel2->text(), QString("Sample"));
        QVERIFY(f->unlocked() && !f->w->setupFiles().projectFlag());

        // Four metronome sounds stop a whole setup, not a kit save.
        f->w->library().removeClickSound(f->w->library().clickListItemModel()->soundIndex(4));
        f->prompter.clear();
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"Error"}));
        QCOMPARE(f->texts(), QStringList({"Please switch to the global configuration interface and import 5 "
                                          "metronome sounds."}));
        QVERIFY(f->unlocked());
        QVERIFY(!QFile::exists(f->file("SET.bin")));
        f->prompter.clear();
        f->saveKits({5}, f->work.path());
        QCOMPARE(f->texts().last(), "The file has been generated:\r\nFile location:\r\n" + f->work.path());
        QVERIFY(QFile::exists(f->file("New Kit.INI")));
    }

    void wholeSetupSaved()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        QCOMPARE(sounds.size(), 3);

        // A new file, its name typed without a suffix.
        ProgressLog progress;
        f->exportAll(f->file("NEW"));
        const QString made = f->file("NEW.bin");
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + made}));
        QCOMPARE(progress.values.mid(0, 2), QVector<int>({1, 5}));
        QCOMPARE(progress.values.last(), 100);
        QVERIFY(std::is_sorted(progress.values.begin(), progress.values.end()));
        QCOMPARE(f->w->library().binFilePath(), setup);
        QVERIFY(f->unlocked());

        // Over the loaded file: written beside it, then put in its place and read back.
        QVERIFY(kf::writeFile(f->file("KIT_ALL000000000.bin"), "not ours"));
        const QStringList before = folderEntries(f->work.path());
        f->prompter.clear();
        QSignalSpy names(&f->w->setupFiles(), &SetupFilesController::kitNameRead);
        f->exportAll(setup);
        QCOMPARE(f->texts().last(), "The file has been generated:\r\nFile location:\r\n" + setup);
        QCOMPARE(folderEntries(f->work.path()), before);
        QCOMPARE(kf::readFile(setup), kf::readFile(made));
        QCOMPARE(names.count(), KIT_MAX_COUNT); // the reload
        QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
        QCOMPARE(f->w->library().loadedKitFiles().at(0).fileTotalLength, quint64(QFileInfo(setup).size()));
        QCOMPARE(storedBytes(f->w), sounds);

        // A source changed since it was loaded stops the save; the target stays.
        QVERIFY(kf::writeFile(setup, kf::readFile(setup) + "x"));
        const QByteArray old = kf::readFile(made);
        f->prompter.clear();
        f->exportAll(made);
        QCOMPARE(f->texts(), QStringList({"Please check path:The file has been modified. Export failed.\r\n" + setup,
                                          "Error in obtaining sound, the saving is failed."}));
        QCOMPARE(kf::readFile(made), old);
        QCOMPARE(folderEntries(f->work.path()), before);
        // So does a source that is gone.
        QVERIFY(QFile::remove(setup));
        f->prompter.clear();
        f->exportAll(made);
        QCOMPARE(f->texts(), QStringList({setup + ":Fail to open file!"}));
        QCOMPARE(prompt(1).buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(kf::readFile(made), old);
        QVERIFY(f->unlocked());
    }

    // A loaded setup whose reads fail when a save takes its sounds is told as
    // a file that cannot be read; nothing is written.
    void sourceWhoseReadsFailIsTold()
    {
        const QString setup = f->file("KIT_ALL.bin"), made = f->file("MADE.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        f->prompter.clear();
        CrashDisk disk(f->work.path());
        const DiskInPlace in(f->disk, &disk);
        disk.setReads(CrashDisk::Reads::Fail, "/KIT_ALL.bin");
        f->exportAll(made);
        QVERIFY(disk.readsStopped() > 0);
        QCOMPARE(f->texts(), QStringList({setup + ":Fail to open file!"}));
        QVERIFY(!QFile::exists(made));
        QVERIFY(f->unlocked());
    }

    // A loaded setup whose sound another program rewrote in place, at the
    // same size, is not taken as it was loaded.
    void sameSizeRewriteNoticed()
    {
        QString setup;
        loadSetupAndKits(&setup);
        QByteArray bytes = kf::readFile(setup);
        bytes[bytes.size() - 1] = char(bytes.at(bytes.size() - 1) ^ 0x55);
        const QDateTime loaded = QFileInfo(setup).lastModified();
        QFile file(setup);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size());
        QVERIFY(file.setFileTime(loaded.addSecs(1), QFileDevice::FileModificationTime));
        file.close();
        f->exportAll(f->file("NEW.bin"));
        QCOMPARE(f->texts(), QStringList({"Please check path:The file has been modified. Export failed.\r\n" + setup,
                                          "Error in obtaining sound, the saving is failed."}));
        QVERIFY(!QFileInfo::exists(f->file("NEW.bin")));
    }

    // Nor is one another program writes while the save converts a later
    // sound, after its own sounds were checked: the file is checked again
    // once the new file is written, before it takes its name.
    void rewriteDuringSaveNoticed()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QString wav = f->file("plain.wav"), bin = f->file("bin");
        QVERIFY(kf::writeFile(wav, kf::wavBytes(4000, 7)) && QDir().mkpath(bin));
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Plain", wav, 9)); });
        f->w->on_defaultRbtn_clicked();
        // An ffmpeg that writes one byte of the loaded setup first.
        QVERIFY(kf::writeFile(bin + "/ffmpeg", QString("#!/bin/sh\nprintf X | dd of='%1' bs=1 seek=%2 conv=notrunc "
                                                       "2>/dev/null\nexec '%3' \"$@\"\n")
                                                       .arg(setup).arg(QFileInfo(setup).size() - 10)
                                                       .arg(QStandardPaths::findExecutable("ffmpeg"))
                                                       .toUtf8()));
        QVERIFY(QFile::setPermissions(bin + "/ffmpeg", QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ":" + path);
        const QStringList before = folderEntries(f->work.path());
        f->exportAll(f->file("NEW.bin"));
        qputenv("PATH", path);
        QCOMPARE(f->texts(), QStringList({"Please check path:The file has been modified. Export failed.\r\n" + setup,
                                          "Error in obtaining sound, the saving is failed."}));
        QCOMPARE(folderEntries(f->work.path()), before);
    }

    void kitFilesSaved()
    {
        QString setup, k2, k7;
        loadSetupAndKits(&setup, &k2, &k7);
        const QString out = f->file("out");
        QVERIFY(QDir().mkpath(out));

        // Three kits into an empty folder, named after the kits.
        ProgressLog progress;
        f->saveKits({7, 3, 2}, out);
        QCOMPARE(progress.values, QVector<int>({0, 33, 66, 99, 100}));
        QCOMPARE(folderEntries(out), QStringList({"KIT1.INI", "KIT2.INI", "KIT6.INI"}));
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + out}));
        QCOMPARE(prompt(0).kind, P::ExistingDirectory);
        QCOMPARE(prompt(0).title, QString("Output to specified directory"));
        QCOMPARE(prompt(0).text, QDir::homePath()); // before any save of the run
        QVERIFY(f->unlocked());

        // Over the loaded kit files: asked, written beside them, put in place, read back.
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        reloadKit(f->w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K007"; });
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        // Sounds of both files on kit 40 too, as a drop puts them there.
        auto stored = [this](int kit, const QString &file) {
            QString found;
            sf::forEachSoundSlot(f->w->doc().kitAttrList()[kit], [&](auto slot) {
                if (found.isEmpty() && slot.file.startsWith(file + ":U"))
                    found = slot.file;
            });
            return found;
        };
        auto bytesOf = [this](const QString &source) {
            sf::Editor e;
            e.loaded = f->w->library().loadedKitFiles();
            return sf::soundBytes(e, source);
        };
        const QString from2 = stored(1, k2), from7 = stored(6, k7);
        QVERIFY(!from2.isEmpty() && !from7.isEmpty());
        const QByteArray bytes2 = bytesOf(from2), bytes7 = bytesOf(from7);
        QVERIFY(bytes2.startsWith("RIFF") && bytes7.startsWith("RIFF"));
        f->editKit(40, [&](Kit &k40) {
            k40.kpadChunk[3].soundFile0 = from2;
            k40.pedalChunk.hh_wave2_file = from7;
        });
        f->prompter.clear();
        progress.values.clear();
        f->saveKits({2, 7}, f->work.path());
        QCOMPARE(prompt(0).text, out); // where the last save went
        // Then each file's sound that only the library still lists is kept.
        QCOMPARE(progress.values, QVector<int>({0, 50, 100, 0, 1, 0, 1}));
        const QString ask = "The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n";
        QCOMPARE(f->texts(), QStringList({ask + k2, ask + k7,
                                          "The file has been generated:\r\nFile location:\r\n" + f->work.path()}));
        QCOMPARE(prompt(1).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(folderEntries(f->work.path()).filter("0000"), QStringList());
        QCOMPARE(f->w->library().loadedKitFiles().size(), 3);
        QCOMPARE(f->w->library().loadedKitFiles().at(2).file, k7);
        QCOMPARE(f->w->library().loadedKitFiles().at(2).fileTotalLength, quint64(QFileInfo(k7).size()));
        QCOMPARE(storedBytes(f->w), sounds);
        QCOMPARE(f->ui->kitNumber->text(), QString("2"));
        // Kit 40 keeps them: its slots point at the same sounds in the new files.
        const Kit &again = f->w->doc().kitAttrList().at(39);
        QVERIFY(again.kpadChunk[3].soundFile0.startsWith(k2 + ":U"));
        QCOMPARE(bytesOf(again.kpadChunk[3].soundFile0), bytes2);
        QCOMPARE(bytesOf(again.pedalChunk.hh_wave2_file), bytes7);
        QVERIFY(!again.kpadChunk[3].soundName0.isEmpty());
        QCOMPARE(f->w->doc().kitPadList(39).at(3).soundFile0, again.kpadChunk[3].soundFile0);
        bool listed = false;
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(f->w->library().waveLoadKitAttrList()))
            listed = listed || (s.file == again.pedalChunk.hh_wave2_file && s.wave_No == again.pedalChunk.hh_wave2_no);
        QVERIFY(listed);

        // Declining every question writes nothing, and says so.
        const QByteArray before = kf::readFile(k2);
        f->prompter.clear();
        f->prompter.buttonAnswers << QMessageBox::No << QMessageBox::No;
        progress.values.clear();
        f->saveKits({2, 7}, f->work.path());
        QCOMPARE(progress.values, QVector<int>({0, 100}));
        QCOMPARE(f->prompter.titles().last(), QString("Tip"));
        QCOMPARE(f->texts().last(), QString("No file was saved: the existing files stay as they were."));
        QCOMPARE(kf::readFile(k2), before);

        // A kit name that names no file in the folder ends the save there.
        f->w->doc().renameKit(3, "a/b");
        f->prompter.clear();
        f->saveKits({4, 5}, out);
        QCOMPARE(f->texts(), QStringList({out + "/a/b.INI open error.\r\nThese kits are not saved:\r\nKit 4 a/b\r\n"
                                          "Kit 5 " + f->w->doc().kitNameList()[4]}));
        QVERIFY(!QFile::exists(out + "/K005.INI"));
        QVERIFY(f->unlocked());
    }

    // Ticked kits that share a name, letter case ignored, are all saved: a
    // later one under the first "~n" no earlier kit of the save took; only a
    // file that was there before the save is asked about.
    void sameNamedKitsAllSaved()
    {
        const QString out = f->file("same");
        QVERIFY(QDir().mkpath(out));
        QVERIFY(kf::writeFile(out + "/New Kit.INI", "old"));
        reloadKit(f->w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "NEW KIT"; });
        f->saveKits({2, 5, 7}, out);
        const QString ask = "The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n" + out;
        const QString done = "The file has been generated:\r\nFile location:\r\n" + out;
        QCOMPARE(f->texts(), QStringList({ask + "/New Kit.INI", done}));
        const QStringList names = {"New Kit.INI", "New Kit~1.INI", "NEW KIT~2.INI"};
        QStringList all = names;
        all.sort();
        QCOMPARE(folderEntries(out), all);
        for (int i = 0; i < names.size(); ++i) {
            MainWindow1Records::READ_KIT_FILE rec;
            setupfiles::KitTables tables;
            QCOMPARE(setupfiles::readKitFile(out + "/" + names.at(i), rec, tables), setupfiles::LoadError::None);
            QCOMPARE(int(rec.kitIndex), QVector<int>({2, 5, 7}).at(i));
        }
        // Saved again, the kits meet their own files and ask about each.
        f->prompter.clear();
        f->saveKits({2, 5}, out);
        QCOMPARE(f->texts(), QStringList({ask + "/New Kit.INI", ask + "/New Kit~1.INI", done}));
        QCOMPARE(folderEntries(out), all);
    }

    // A kit moved in the kit-chain list and saved from that page before OK:
    // its file takes the name of the kit it holds.
    void movedKitSavedUnderItsName()
    {
        KitDocument &doc = f->w->doc();
        doc.renameKit(8, "Nine");
        doc.renameKit(9, "Ten");
        f->ui->btnKitChain->click();
        QStandardItem *root = f->w->kitChains().kitChainListItemModel()->item(0);
        f->ui->kitListtreeView->setCurrentIndex(root->child(9, 1)->index());
        f->ui->moveUpKit->click();
        const QString out = f->file("moved");
        QVERIFY(QDir().mkpath(out));
        f->answerKitChoice({9});
        f->prompter.fileAnswers.enqueue({out});
        f->ui->btnKitChainSave->click();
        QCOMPARE(folderEntries(out), QStringList({"Ten.INI"}));
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QCOMPARE(setupfiles::readKitFile(out + "/Ten.INI", rec, tables), setupfiles::LoadError::None);
        QCOMPARE(int(rec.kitIndex), 9);
        QCOMPARE(QByteArray(tables.base[8].kit_name), QByteArray("Ten"));
    }

    // A kit file in a folder named like a whole setup is a kit file: Export
    // All takes its sounds.
    void kitFileInBinNamedFolderSaved()
    {
        const QString k2 = f->file("drums.bin.d/K002.INI");
        QVERIFY(QDir().mkpath(f->file("drums.bin.d")) && makeKitFile(k2, 2));
        f->importPicks({k2});
        f->prompter.clear();
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        QVERIFY(setupfiles::readsBack(f->file("SET.bin"), true));
    }

    // A link at the name a new file is written under first, dangling too, is
    // a taken name: the save writes under the next one, never at the far end.
    void linkAtTemporaryNamePassedOver()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QString out = f->file("out");
        QVERIFY(QDir().mkpath(out));
        QVERIFY(kf::writeFile(out + "/s.bin", "old") && kf::writeFile(out + "/KIT4.INI", "old"));
        QVERIFY(QFile::link(out + "/far.bin", out + "/.s.bin.0.zt-part"));
        QVERIFY(QFile::link(out + "/far.ini", out + "/.KIT4.INI.0.zt-part"));
        f->exportAll(out + "/s.bin");
        f->saveKits({5}, out);
        QCOMPARE(f->prompter.titles().first(), QString("successfully saved."));
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        QVERIFY(!QFileInfo::exists(out + "/far.bin") && !QFileInfo::exists(out + "/far.ini"));
        QVERIFY(!QFileInfo(out + "/s.bin").isSymLink() && !QFileInfo(out + "/KIT4.INI").isSymLink());
        QVERIFY(setupfiles::readsBack(out + "/s.bin", true));
        QVERIFY(setupfiles::readsBack(out + "/KIT4.INI", false));
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({".KIT4.INI.0.zt-part", ".s.bin.0.zt-part", "KIT4.INI", "s.bin"}));
    }

    // A replaced file keeps its mode: one only its owner may read stays so.
    void replacedFileKeepsItsMode()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QString out = f->file("out");
        QVERIFY(QDir().mkpath(out));
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        for (const char *name : {"/s.bin", "/KIT4.INI"})
            QVERIFY(kf::writeFile(out + name, "old") && QFile::setPermissions(out + name, owner));
        f->exportAll(out + "/s.bin");
        f->saveKits({5}, out);
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        for (const char *name : {"/s.bin", "/KIT4.INI"}) {
            struct stat st;
            QVERIFY(::stat(QFile::encodeName(out + name).constData(), &st) == 0);
            QCOMPARE(st.st_mode & 07777, mode_t(0600));
            QVERIFY(QFileInfo(out + name).size() > 1000);
        }
    }

    // A new name the disk did not confirm is not called saved, but said; what
    // the file holds counts as saved at the close.
    void folderSyncFailureReported()
    {
        QString setup;
        loadSetupAndKits(&setup);
        AnsweringSyncs disk(&failFolderSyncs);
        auto in = std::make_unique<DiskInPlace>(f->disk, &disk);
        f->editKit(50, [](Kit &kit) { kit.kit_volume ^= 1; });
        f->exportAll(f->file("OUT.bin"));
        f->editKit(5, [](Kit &kit) { kit.kit_volume ^= 1; });
        f->saveKits({5}, f->work.path());
        reloadGlobalSettings(f->w->doc(), f->w->kitPages().globalPage(), [](KitDocument::GlobalChunk &g) { g.rec_level ^= 1; });
        f->prompter.fileAnswers.enqueue({f->file("Global.ini")});
        f->ui->btnGlobal->click();
        in.reset();
        const QString unsynced = "The file was written, but the disk did not confirm that it is stored:\r\n";
        QCOMPARE(f->texts(), QStringList({unsynced + f->file("OUT.bin") + "\r\nInput/output error",
                                          unsynced + f->file("KIT4.INI") + "\r\nInput/output error",
                                          unsynced + f->file("Global.ini") + "\r\nInput/output error"}));
        QVERIFY(setupfiles::readsBack(f->file("OUT.bin"), true));
        QVERIFY(f->unlocked());
        QVERIFY(f->w->setupFiles().confirmOfflineClose());
        QCOMPARE(f->texts().size(), 3);

        // Four kits into one folder: each file it leaves unconfirmed is named.
        const QString four = f->file("four");
        QVERIFY(QDir().mkpath(four));
        f->prompter.clear();
        in = std::make_unique<DiskInPlace>(f->disk, &disk);
        f->saveKits({5, 6, 7, 8}, four);
        in.reset();
        QStringList files;
        for (int k : {5, 6, 7, 8})
            files << four + "/" + f->w->doc().kitNameList()[k - 1] + ".INI";
        QCOMPARE(f->texts(), QStringList({"The files were written, but the disk did not confirm that they are "
                                          "stored:\r\n" + files.join("\r\n") + "\r\nInput/output error"}));
        QVERIFY(f->unlocked());
    }

    // Export All that fails leaves what the close compares as it was.
    void failedExportAllKeepsWhatIsSaved()
    {
        f->exportAll(f->file("gone/SET.bin"));
        f->exportAll(f->file(QString(252, 'n') + ".bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"Error", "Error"}));
        QCOMPARE(f->texts().last(), f->file(QString(252, 'n') + ".bin") + ":Fail to open file!\r\n"
                                            + reason(ENAMETOOLONG));
        QVERIFY(f->w->setupFiles().confirmOfflineClose());
        f->editKit(50, [](Kit &kit) { kit.kit_volume ^= 1; });
        f->exportAll(f->file("gone/SET.bin"));
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!f->w->setupFiles().confirmOfflineClose());
        QCOMPARE(f->texts().last(), QString("Quit?"));
    }

    // A kit file with an empty sound is refused at import (its save would not
    // read back), and a pipe as the target of a save is refused before it is
    // opened: the window does not wait for a reader.
    void onlyWhatReadsBackIntoRegularFiles()
    {
        QVector<kf::TestSound> waves = sf::kitSounds(sf::writeSounds(f->work.path(), {"Empty", "Snare", "Tom"}, 0));
        waves[0].length = 0;
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        const QString k3 = f->file("K003.INI");
        QVERIFY(kf::writeSingleKit(*m, kits, 2, waves, k3));
        f->importPicks({k3});
        QCOMPARE(f->texts().last(), "Sound data format error, import failed.\r\nFile location: " + k3);
        QVERIFY(f->w->library().loadedKitFiles().isEmpty());

        const QString pipe = f->file("KIT_ALL.bin"), kitPipe = f->file("New Kit.INI");
        QVERIFY(::mkfifo(QFile::encodeName(pipe), 0600) == 0 && ::mkfifo(QFile::encodeName(kitPipe), 0600) == 0);
        // A dangling link would create its far end.
        const QString link = f->file("LINK.bin"), far = f->file("far/away.bin");
        QVERIFY(QFile::link(far, link));
        const QStringList before = folderEntries(f->work.path());
        f->prompter.clear();
        f->exportAll(pipe);
        f->saveKits({1, 2}, f->work.path());
        f->exportAll(link);
        const QString refused = "The target is not a regular file (a folder, pipe or device), so nothing is saved:\r\n";
        QCOMPARE(f->texts(), QStringList({refused + pipe, refused + kitPipe, refused + link}));
        QVERIFY(!QFileInfo::exists(far));
        QCOMPARE(folderEntries(f->work.path()), before);
        QVERIFY(f->unlocked());
    }

    // A loaded kit file that another file of its kit number took the record
    // from is read back all the same when a save replaces it: its sounds then
    // stand at their places in the new file.
    void unrecordedKitFileReplaced()
    {
        QString setup, k2, k7;
        loadSetupAndKits(&setup, &k2, &k7);
        const QString other = f->file("OTHER2.INI");
        QVERIFY(makeKitFile(other, 2, 5));
        f->importPicks({other});
        QCOMPARE(f->w->library().recordKitFileList(), QStringList({other, k7}));
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        // Kit 2 holds the other file's sounds now; one of K002's goes on it.
        QString fromK2;
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(f->w->library().waveLoadKitAttrList()))
            if (fromK2.isEmpty() && s.file.startsWith(k2 + ":U"))
                fromK2 = s.file;
        QVERIFY(!fromK2.isEmpty());
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[6].soundFile0 = fromK2; });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[6].soundName0 = "FromK2"; });
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        // No sound of the editor points into K002.INI as it was.
        for (const MainWindow1Records::READ_KIT_FILE &r : qAsConst(f->w->library().loadedKitFiles()))
            QCOMPARE(r.fileTotalLength, quint64(QFileInfo(r.file).size()));
        const QMap<QString, QByteArray> now = storedBytes(f->w);
        for (auto it = now.begin(); it != now.end(); ++it)
            QVERIFY2(it.value().startsWith("RIFF"), qPrintable(it.key()));
        // So the next save of the kit reads its sounds without a word.
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved."}));
    }

    // A save over a loaded kit file keeps, with its bytes, a sound the new
    // file will not hold but the library and another kit still use.
    void savedOverLoadedKitFileKeepsLostSounds()
    {
        const QString k2 = f->file("K002.INI"), snare = k2 + ":U00001";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        sf::Editor e;
        e.loaded = f->w->library().loadedKitFiles();
        const QByteArray bytes = sf::soundBytes(e, snare);
        f->editKit(40, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = snare; });
        auto clear = [&snare](auto s) { if (s.file == snare) s.file.clear(); };
        f->editKit(2, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        const QString kept = f->file("Kept sounds/Snare.wav");
        QCOMPARE(f->kit(40).kpadChunk[0].soundFile0, kept);
        QCOMPARE(kf::readFile(kept), bytes);

        // The library holds it there, and exports its bytes.
        const QStandardItemModel *rows = f->w->library().totalListItemModel();
        QStandardItem *row = rows->findItems(kept, Qt::MatchExactly | Qt::MatchRecursive, 2).value(0);
        QVERIFY(row);
        f->ui->totalWaveTreeView->selectionModel()->setCurrentIndex(
                row->index(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        const QString out = f->file("out");
        QVERIFY(QDir().mkpath(out));
        f->prompter.fileAnswers.enqueue({out});
        f->ui->totalWaveTreeView->exportSoundAction()->trigger();
        QCOMPARE(kf::readFile(out + "/Snare.wav"), bytes);
    }

    // A loaded kit file or setup is known by its file, whatever path reaches
    // it: saved over through a link to its folder or a path with "..", the
    // sounds still used are kept and the new file is read back.
    void savedOverLoadedFilesByAnotherPath()
    {
        const QString real = f->file("real"), link = f->file("link");
        QVERIFY(QDir().mkpath(real) && QFile::link(real, link));
        const QString k2 = real + "/K002.INI";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        // Kit 40 takes a sound of kit 2 that kit 2 then drops, twice over.
        auto moveToKit40 = [this, &k2](int pad, const QString &source) {
            sf::Editor e;
            e.loaded = f->w->library().loadedKitFiles();
            const QByteArray bytes = sf::soundBytes(e, source);
            f->editKit(40, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[pad].soundFile0 = source; });
            auto clear = [&source](auto s) { if (s.file == source) s.file.clear(); };
            f->editKit(2, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
            return bytes;
        };
        for (const QString &folder : {link, real + "/../real"}) {
            QString source;
            sf::forEachSoundSlot(f->kit(2), [&](auto s) { if (source.isEmpty()) source = s.file; });
            QVERIFY(source.startsWith(k2 + ":U"));
            const int pad = folder == link ? 0 : 1;
            const QByteArray bytes = moveToKit40(pad, source);
            f->prompter.clear();
            f->saveKits({2}, folder);
            QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
            QVERIFY(f->kit(40).kpadChunk[pad].soundFile0.startsWith(f->file("Kept sounds/")));
            QCOMPARE(kf::readFile(f->kit(40).kpadChunk[pad].soundFile0), bytes);
            QCOMPARE(f->w->library().loadedKitFiles().last().file, k2);
            QCOMPARE(f->w->library().loadedKitFiles().last().fileTotalLength, quint64(QFileInfo(k2).size()));
        }
        // Every sound of the new file plays without a word.
        f->prompter.clear();
        for (int r = 0; r < f->w->library().totalListItemModel()->soundCount(); ++r)
            f->ui->totalWaveTreeView->selectionModel()->setCurrentIndex(f->w->library().totalListItemModel()->soundIndex(r),
                                                                        QItemSelectionModel::ClearAndSelect
                                                                                | QItemSelectionModel::Rows);
        QCOMPARE(f->texts(), QStringList());

        // Export All over the loaded setup through the link reads it back.
        const QString setup = real + "/KIT_ALL.bin";
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        f->prompter.clear();
        f->exportAll(link + "/KIT_ALL.bin");
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
        QCOMPARE(f->w->library().loadedKitFiles().at(0).fileTotalLength, quint64(QFileInfo(setup).size()));
        QCOMPARE(storedBytes(f->w), sounds);
        f->prompter.clear();
        f->exportAll(f->file("NEXT.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
    }

    // A save onto a link to the loaded file: a symbolic link is written
    // through, so the loaded file takes the edits, the link stays and the
    // file is read back; a hard link is another name, which alone takes the
    // new file while the loaded file, and the editor, stay as they were.
    void savedOverLinksToLoadedFiles_data()
    {
        QTest::addColumn<bool>("hard");
        QTest::newRow("hard link") << true;
        QTest::newRow("symbolic link") << false;
    }
    void savedOverLinksToLoadedFiles()
    {
        QFETCH(bool, hard);
        auto linkTo = [hard](const QString &file, const QString &name) {
            return hard ? ::link(QFile::encodeName(file), QFile::encodeName(name)) == 0 : QFile::link(file, name);
        };
        auto volume = [](const QString &file, int kit) {
            MainWindow1Records::READ_KIT_FILE rec;
            setupfiles::KitTables tables;
            const bool read = (file.endsWith(".bin") ? setupfiles::readWholeSetupFile(file, rec, tables)
                                                     : setupfiles::readKitFile(file, rec, tables))
                              == setupfiles::LoadError::None;
            return read ? int(tables.base[size_t(kit - 1)].kit_volume) : -1;
        };
        auto consistent = [this] {
            for (const MainWindow1Records::READ_KIT_FILE &r : qAsConst(f->w->library().loadedKitFiles()))
                QCOMPARE(r.fileTotalLength, quint64(QFileInfo(r.file).size()));
        };
        const QString k2 = f->file("K002.INI"), alias = f->file("ALIAS.INI"), tom = k2 + ":U00002";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        QVERIFY(linkTo(k2, alias));
        const QByteArray old = kf::readFile(k2), tomBytes = storedBytes(f->w).value("Tom");
        const int before = f->kit(2).kit_volume;
        // Kit 40 plays Tom, which kit 2 puts in place of its Kick: Tom moves in the new file.
        f->editKit(40, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = tom; });
        auto kickToTom = [&k2, &tom](auto s) { if (s.file == k2 + ":U00000") s.file = tom; };
        f->editKit(2, [&kickToTom](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, kickToTom); });
        f->openKitPage(2);
        f->ui->kitVolumeSpinBox->setValue(33);
        f->ui->kitNameLineEdit->setText("ALIAS");
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "ALIAS"; });
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved."}));
        QCOMPARE(QFileInfo(alias).isSymLink(), !hard);
        QCOMPARE(volume(alias, 2), 33);
        QCOMPARE(volume(k2, 2), hard ? before : 33);
        if (hard)
            QCOMPARE(kf::readFile(k2), old);
        QCOMPARE(int(f->kit(2).kit_volume), 33);
        QCOMPARE(f->kit(2).kit_name, QString("ALIAS"));
        sf::Editor e;
        e.loaded = f->w->library().loadedKitFiles();
        QCOMPARE(sf::soundBytes(e, f->kit(40).kpadChunk[0].soundFile0), tomBytes);
        consistent();

        // Export All onto a link to the loaded setup.
        const QString setup = f->file("KIT_ALL.bin"), link = f->file("ALIAS.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        QVERIFY(linkTo(setup, link));
        const QByteArray oldSetup = kf::readFile(setup);
        f->openKitPage(5);
        f->ui->kitVolumeSpinBox->setValue(33);
        f->prompter.clear();
        f->exportAll(link);
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        QCOMPARE(QFileInfo(link).isSymLink(), !hard);
        QCOMPARE(volume(link, 5), 33);
        if (hard)
            QCOMPARE(kf::readFile(setup), oldSetup);
        else
            QCOMPARE(volume(setup, 5), 33);
        QCOMPARE(int(f->kit(5).kit_volume), 33);
        consistent();
        f->prompter.clear();
        f->exportAll(f->file("NEXT.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
    }

    // A group's sound named through a hard link of a loaded kit file is kept
    // when a save replaces that name: the loaded name stays as it was, the
    // group's name takes the new file.
    void groupSoundByHardLinkKept()
    {
        const QString x = f->file("X"), a = x + "/K002.INI", h = x + "/H.INI", snare = a + ":U00001";
        QVERIFY(QDir().mkpath(x) && makeKitFile(a, 2));
        f->importPicks({a});
        QVERIFY(::link(QFile::encodeName(a).constData(), QFile::encodeName(h).constData()) == 0);
        auto clear = [&snare](auto s) { if (s.file == snare) s.file.clear(); };
        f->editKit(2, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "H"; });
        QStandardItem *group = f->w->library().soundListItemModel()->item(0);
        f->w->library().addSoundsToGroup(0, {{"GS", h + ":U00001"}});
        const QByteArray bytes = storedBytes(f->w).value("Snare");
        f->saveKits({2}, x);
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        QCOMPARE(group->child(group->rowCount() - 1, 1)->text(), f->file("Kept sounds/GS.wav"));
        QCOMPARE(kf::readFile(f->file("Kept sounds/GS.wav")), bytes);
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(1, 2)->text(), snare); // the loaded file is left alone
    }

    // A save goes through a link only to a loaded file: a link to a sound of
    // the library is replaced itself. No save replaces the file a sound of
    // the library comes from, by whatever name it is reached.
    void savesLeaveSoundFilesAlone()
    {
        const QString kick = soundlib::writeBytes(f->file("kick.wav"), soundlib::pcmWav(1, 44100, 2205));
        const QByteArray bytes = kf::readFile(kick);
        f->prompter.fileAnswers.enqueue({kick});
        f->ui->tbtAddWave->click();
        const QString out = f->file("out"), kitLink = out + "/New Kit.INI", setupLink = out + "/x.bin";
        QVERIFY(QDir().mkpath(out) && QFile::link(kick, kitLink) && QFile::link(kick, setupLink));
        f->prompter.clear();
        f->saveKits({1}, out);
        f->exportAll(setupLink);
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved.", "successfully saved."}));
        QCOMPARE(kf::readFile(kick), bytes);
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QVERIFY(!QFileInfo(kitLink).isSymLink() && !QFileInfo(setupLink).isSymLink());
        QCOMPARE(setupfiles::readKitFile(kitLink, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(setupfiles::readWholeSetupFile(setupLink, rec, tables), setupfiles::LoadError::None);

        // The sound's own file, by its name or a hard link, is refused.
        const QString hard = f->file("hard"), hardKit = hard + "/New Kit.INI";
        QVERIFY(QDir().mkpath(hard) && ::link(QFile::encodeName(kick), QFile::encodeName(hardKit)) == 0);
        f->prompter.clear();
        f->saveKits({1}, hard);
        f->exportAll(kick);
        const QString refused =
                "A sound of the library, a group or the metronome comes from this file, so nothing is saved:\r\n";
        QCOMPARE(f->texts().mid(1), QStringList({refused + hardKit, refused + kick}));
        QCOMPARE(folderEntries(hard), QStringList({"New Kit.INI"}));
        QCOMPARE(kf::readFile(kick), bytes);
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(0, 2)->text(), kick);
        QVERIFY(f->unlocked());
    }

    // A kit file loaded through a link that another kit's file then replaces
    // is no longer reached by its path: every sound of it in use is kept, so
    // the kit keeps its sounds, and the next save writes them.
    void loadedByReplacedLinkKeepsSounds()
    {
        const QString a = f->file("A.INI"), b = f->file("B.INI");
        QVERIFY(makeKitFile(a, 2) && QFile::link(a, b));
        f->importPicks({b});
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        QStringList names;
        sf::forEachSoundSlot(f->kit(2), [&names](auto s) { names << s.name; });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "A"; });
        reloadKit(f->w->doc(), 4, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "B"; });
        f->prompter.clear();
        f->saveKits({2, 5}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning", "successfully saved."}));
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QVERIFY(!QFileInfo(b).isSymLink());
        QCOMPARE(setupfiles::readKitFile(b, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(int(rec.kitIndex), 5);
        QCOMPARE(setupfiles::readKitFile(a, rec, tables), setupfiles::LoadError::None);
        const int count = rec.waveCount;
        QVERIFY(count > 0);
        QCOMPARE(storedBytes(f->w), sounds);
        QStringList now;
        sf::forEachSoundSlot(f->kit(2), [&now, &b](auto s) {
            now << s.name;
            QVERIFY(!s.file.startsWith(b));
        });
        QCOMPARE(now, names);
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved."}));
        QCOMPARE(setupfiles::readKitFile(a, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(int(rec.kitIndex), 2);
        QCOMPARE(int(rec.waveCount), count);
    }

    // Keeping the sounds of a replaced setup shows its progress while the
    // window, still held, lets events run as it waits on the copies: the
    // first two copies' renames are held a moment each.
    void keptSoundsShowProgress()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        QVERIFY(QFile::link(setup, f->file(f->kit(3).kit_name + ".INI")));
        QVector<int> values;
        bool held = true;
        HangingOpens renames(f->disk, ".wav", 0, HangingOpens::Looks::Renames);
        int let = 0, heldTicks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] {
            const QProgressDialog *d = f->w->preview().dialog();
            if (d && d->isVisible() && d->labelText() == "Keeping the sounds still in use...") {
                values.append(d->value());
                held = held && !f->ui->topWidget->isEnabled() && d->isModal();
            }
            if (renames.waiting() > 0 && renames.hung() > let && ++heldTicks >= 3) {
                heldTicks = 0;
                if (++let == 2)
                    renames.release();
                else
                    renames.releaseOne();
            }
        });
        tick.start(0);
        f->prompter.clear();
        f->saveKits({3}, f->work.path());
        tick.stop();
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved."}));
        QVERIFY(values.size() > 2 && values.last() > values.first());
        QVERIFY(held);
        QVERIFY(f->unlocked());
    }

    // Export All onto a loaded kit file keeps every sound of it still in use:
    // the file is not read back as a setup, so its sounds are kept as files
    // and it is forgotten; nothing points into its old layout. The same for a
    // kit saved through a link onto the loaded setup, metronome sounds too.
    void setupSavedOverLoadedKitFileKeepsItsSounds()
    {
        const QString k2 = f->file("K002.INI"), snare = k2 + ":U00001";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        const QByteArray bytes = storedBytes(f->w).value("Snare");
        auto clear = [&snare](auto s) { if (s.file == snare) s.file.clear(); };
        f->editKit(2, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
        f->prompter.clear();
        f->exportAll(k2);
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QCOMPARE(setupfiles::readWholeSetupFile(k2, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(kf::readFile(f->file("Kept sounds/Snare.wav")), bytes);
        QCOMPARE(storedBytes(f->w).value("Snare"), bytes);
        QVERIFY(f->w->library().loadedKitFiles().isEmpty() && f->w->library().recordKitFileList().isEmpty());
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(f->w->library().waveLoadKitAttrList()))
            QVERIFY2(s.file.startsWith(f->file("Kept sounds/")), qPrintable(s.file));
        sf::forEachSoundSlot(f->kit(2), [&k2](auto s) { QVERIFY(!s.file.startsWith(k2)); });
        // Every sound plays, and the next saves find them all.
        f->prompter.clear();
        for (int r = 0; r < f->w->library().totalListItemModel()->soundCount(); ++r)
            f->ui->totalWaveTreeView->selectionModel()->setCurrentIndex(f->w->library().totalListItemModel()->soundIndex(r),
                                                                        QItemSelectionModel::ClearAndSelect
                                                                                | QItemSelectionModel::Rows);
        QCOMPARE(f->texts(), QStringList());
        f->exportAll(f->file("NEXT.bin"));
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved.", "successfully saved."}));

        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        QVERIFY(QFile::link(setup, f->file(f->kit(3).kit_name + ".INI")));
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        f->prompter.clear();
        f->saveKits({3}, f->work.path());
        f->exportAll(f->file("NEXT.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved.", "successfully saved."}));
        QCOMPARE(setupfiles::readKitFile(setup, rec, tables), setupfiles::LoadError::None);
        QVERIFY(f->w->library().loadedKitFiles().isEmpty() && f->w->library().binFilePath().isEmpty());
        QCOMPARE(storedBytes(f->w), sounds);
        QVERIFY(f->w->library().clickList().value(4).file.startsWith(f->file("Kept sounds/")));
    }

    // The metronome sounds of a setup a kit save replaces are kept under
    // their own names, which end in ".wav" already.
    void keptClicksKeepTheirNames()
    {
        const QString setup = f->file("S.bin");
        f->exportAll(setup);
        f->importAll(setup);
        QVERIFY(QFile::link(setup, f->file(f->kit(1).kit_name + ".INI")));
        f->prompter.clear();
        f->saveKits({1}, f->work.path());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved."}));
        const QStringList clicks = {"click1.wav", "click2.wav", "click3.wav", "click4.wav", "click5.wav"};
        QCOMPARE(folderEntries(f->file("Kept sounds")), clicks);
        QCOMPARE(f->w->library().clickList().value(4).file, f->file("Kept sounds/click5.wav"));
    }

    // Each cycle of putting a kept sound on a pad, saving, clearing the pad
    // and saving again finds its bytes kept already: one copy, one row.
    void keptSoundsKeptOnce()
    {
        const QString k2 = f->file("K002.INI");
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        f->w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->w));
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        f->typeKitNumber("2");
        // A dangling link under the sound's name is passed by, not written through.
        const QString far = f->file("far.wav");
        QVERIFY(QDir().mkpath(f->file("Kept sounds")) && QFile::link(far, f->file("Kept sounds/Tom.wav")));
        auto toms = [this] {
            QStringList out;
            for (int r = 0; r < f->w->library().totalListItemModel()->soundCount(); ++r)
                if (f->w->library().totalListItemModel()->soundItem(r, 1)->text() == "Tom")
                    out << f->w->library().totalListItemModel()->soundItem(r, 2)->text();
            return out;
        };
        for (int cycle = 0; cycle < 3; ++cycle) {
            const MainWindow1Records::SOUND_INDEX *tom = nullptr;
            for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(f->w->library().waveLoadKitAttrList()))
                if (!tom && percussionpadfile::charArray2String(s.wave_name, 16) == "Tom")
                    tom = &s;
            QVERIFY(tom);
            f->editKit(2, [tom](Kit &kit) {
                kit.kpadChunk[0].soundFile0 = tom->file;
                kit.kpadChunk[0].soundName0 = "Tom";
                kit.kpadChunk[0].aWaveNo = tom->wave_No;
            });
            f->saveKits({2}, f->work.path());
            QTest::mouseClick(f->ui->labPad01a, Qt::RightButton);
            f->w->mainPadPage().pad_menu()->hide();
            f->w->mainPadPage().pad_clear()->trigger();
            f->prompter.clear();
            f->saveKits({2}, f->work.path());
            QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
            QCOMPARE(folderEntries(f->file("Kept sounds")), QStringList({"Tom~1.wav"}));
            QCOMPARE(toms(), QStringList({f->file("Kept sounds/Tom~1.wav")}));
            QVERIFY(!QFileInfo::exists(far));
            QCOMPARE(f->w->library().waveLoadKitAttrList().size(), f->w->library().totalListItemModel()->soundCount());
        }
    }

    // Export All over the loaded setup, stopped anywhere.
    void exportAllStoppedAnywhere()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        f->prompter.clear();
        stoppedAnywhereRowsPlayTheirSounds(
                setup, [&] { f->exportAll(setup); },
                [&](MainWindow1 *g) {
                    f->prompter.fileAnswers.enqueue({setup});
                    g->form()->actionImport_All->trigger();
                });
    }

    // A kit save over the loaded kit file, stopped anywhere.
    void kitSaveStoppedAnywhere()
    {
        const QString k2 = f->file("K002.INI");
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        reloadKit(f->w->doc(), 1, [](Kit &kit) { kit.kit_name = "K002"; });
        f->prompter.clear();
        stoppedAnywhereRowsPlayTheirSounds(
                k2, [&] { f->saveKits({2}, f->work.path()); },
                [&](MainWindow1 *g) {
                    f->prompter.fileAnswers.enqueue({k2});
                    g->form()->btnLoadFile->click();
                });
    }

    // A kit save over the loaded kit file whose groups' file is read-only and
    // kept so: the Kick only a group names is kept all the same, the box
    // names each row the save moved and where its sound is now, the groups'
    // file stays as it was, and a new window finds each row playing its own
    // sound.
    void kitSaveWithTheGroupsKeptNamesTheRowsMoved()
    {
        const QString k2 = f->file("K002.INI"), list = f->file("soundlist.xml");
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        reloadKit(f->w->doc(), 1, [](Kit &kit) { kit.kit_name = "K002"; });
        const QVector<QByteArray> rows = rowsOnItsSounds(k2);
        QCOMPARE(rows.size(), 3);
        QVERIFY(f->w->library().saveSoundList().written);
        const QByteArray listBytes = kf::readFile(list);
        QVERIFY(QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        f->prompter.clear();
        f->prompter.buttonAnswers << QMessageBox::Yes << QMessageBox::No; // overwrite K002.INI, not the groups
        f->saveKits({2}, f->work.path());
        const QString copy = f->file("Kept sounds/Kick.wav");
        QCOMPARE(kf::readFile(copy), rows.at(0));
        const QString group = f->w->library().soundGroupList().at(0).name;
        QString box;
        for (const QString &text : f->prompter.texts())
            if (text.contains("still names their old places"))
                box = text;
        QVERIFY2(box.contains("(The file is read-only.)") && box.contains("\r\n" + group + ": Kick -> " + copy)
                         && box.contains("\r\n" + group + ": Snare -> " + k2 + ":U00000")
                         && box.contains("\r\n" + group + ": Tom -> " + f->file("Kept sounds/Tom.wav")),
                 qPrintable(f->prompter.texts().join("\r\n\r\n")));
        QVERIFY(!f->prompter.texts().join("").contains("Another program"));
        QCOMPARE(kf::readFile(list), listBytes);

        delete f->w;
        f->w = nullptr;
        f->ui = nullptr;
        f->prompter.clear();
        const std::unique_ptr<MainWindow1> g(new MainWindow1(WindowServices{&f->prompter}));
        g->soundLists().setWriteSoundListOnClose(false);
        const QString tom = f->file("Kept sounds/Tom.wav"); // kit 2 does not use it
        QCOMPARE(f->prompter.texts(), QStringList({"These sounds of the sound groups are now taken from \"Kept "
                                                   "sounds\":\r\n" + group + ": Kick (" + copy + ")\r\n" + group
                                                   + ": Tom (" + tom + ")"}));
        f->prompter.fileAnswers.enqueue({k2});
        g->form()->btnLoadFile->click();
        QCOMPARE(rowsPlayIn(g.get()), rows);
    }

    // A whole setup saved over the loaded one without its first sound: a
    // group's sound of the old file keeps its bytes, another its own sound.
    void savedOverLoadedSetupKeepsGroupSounds()
    {
        QString setup;
        loadSetupAndKits(&setup);
        sf::Editor e;
        e.loaded = f->w->library().loadedKitFiles();
        const QString kick = setup + ":U00000", tom = setup + ":U00002";
        const QByteArray kickBytes = sf::soundBytes(e, kick), tomBytes = sf::soundBytes(e, tom);
        QStandardItem *group = kickOnlyInAGroup(setup);
        f->exportAll(setup);
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
        e.loaded = f->w->library().loadedKitFiles();
        QCOMPARE(group->child(0, 1)->text(), f->file("Kept sounds/Kick.wav"));
        QCOMPARE(kf::readFile(group->child(0, 1)->text()), kickBytes);
        QCOMPARE(sf::soundBytes(e, group->child(1, 1)->text()), tomBytes);
        QCOMPARE(f->w->library().soundGroupList().at(0).soundList.last().file, group->child(1, 1)->text());
        // The groups' file says so as soon as the new file is in place, the entry named with it.
        QVector<soundfilexml::strSoundGroup> written;
        QVERIFY(soundlists::read(f->file("soundlist.xml"), written));
        const soundfilexml::strSoundItem &last = written.at(0).soundList.last();
        QCOMPARE(last.file, group->child(1, 1)->text());
        QCOMPARE(last.entryLength, QString::number(tomBytes.size()));
    }

    // A group's sounds stored in kit files that were not loaded this session
    // (the groups outlive it) are kept with their bytes when a kit save or
    // Export All replaces those files.
    void groupSoundsOfUnloadedFilesKept()
    {
        const QString x = f->file("X"), ini = x + "/" + f->kit(1).kit_name + ".INI", bin = x + "/S.bin";
        QVERIFY(QDir().mkpath(x) && makeKitFile(ini, 1) && makeSetup(bin));
        auto stored = [](const QString &file, int entry) {
            MainWindow1Records::READ_KIT_FILE rec;
            setupfiles::KitTables tables;
            const bool whole = file.endsWith(".bin");
            if ((whole ? setupfiles::readWholeSetupFile(file, rec, tables) : setupfiles::readKitFile(file, rec, tables))
                != setupfiles::LoadError::None)
                return QByteArray();
            const percussionpadfile::P_SOUND_INDEX &s = rec.info.soundChunk.soundIndex[entry];
            return kf::readFile(file).mid(int(s.wave_start), int(s.wave_length));
        };
        const QVector<QByteArray> bytes = {stored(ini, 0), stored(ini, 1), stored(bin, 5), stored(bin, 0)};
        QStandardItem *group = f->w->library().soundListItemModel()->item(0);
        const int row = group->rowCount();
        const QStringList sources = {ini + ":U00000", ini + ":U00001", bin + ":U00000", bin + ":U10000"};
        for (int i = 0; i < sources.size(); ++i)
            f->w->library().addSoundsToGroup(0, {{QString("G%1").arg(i), sources.at(i)}});
        f->saveKits({1}, x);
        f->exportAll(bin);
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved.", "successfully saved."}));
        QVERIFY(setupfiles::readsBack(ini, false) && setupfiles::readsBack(bin, true));
        for (int i = 0; i < sources.size(); ++i) {
            const QString kept = f->file(QString("Kept sounds/G%1.wav").arg(i));
            QCOMPARE(group->child(row + i, 1)->text(), kept);
            QVERIFY(bytes.at(i).startsWith("RIFF"));
            QCOMPARE(kf::readFile(kept), bytes.at(i));
            QCOMPARE(f->w->library().soundGroupList().at(0).soundList.at(row + i).file, kept);
        }
    }

    // A group's sound that the replaced file no longer holds (the file was
    // written anew since the group named it) has nothing to lose: the saves
    // over that file, not loaded or loaded, go on and keep the group's other
    // sound, and leave no new file behind.
    void groupSoundNoLongerInFileStopsNoSave()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QString x = f->file("X"), ini = x + "/" + f->kit(1).kit_name + ".INI";
        QVERIFY(QDir().mkpath(x) && makeKitFile(ini, 1));
        QStandardItem *group = f->w->library().soundListItemModel()->item(0);
        for (const QString &source : {ini + ":U00000", ini + ":U00009", setup + ":U00099"})
            f->w->library().addSoundsToGroup(0, {{"G", source}});
        f->saveKits({1}, x);
        f->exportAll(setup);
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "successfully saved.", "successfully saved."}));
        QCOMPARE(folderEntries(x).filter(".INI", Qt::CaseInsensitive), QStringList({QFileInfo(ini).fileName()}));
        QCOMPARE(folderEntries(f->work.path()).filter(".bin"), QStringList({"KIT_ALL.bin"}));
        QCOMPARE(folderEntries(f->file("Kept sounds")), QStringList({"G.wav"}));
        QCOMPARE(group->child(group->rowCount() - 3, 1)->text(), f->file("Kept sounds/G.wav"));
    }

    // Kit files sharing sounds: once the file the list takes them from is deleted, another stands in.
    void sharedSoundsOfADeletedFileTakenFromAnother()
    {
        const QStringList kits = {f->file("K001.INI"), f->file("K002.INI")};
        QVERIFY(makeKitFile(kits.at(0), 1, 12, true) && makeKitFile(kits.at(1), 2, 12, true));
        f->importPicks(kits);
        const QMap<QString, QByteArray> sounds = storedBytes(f->w);
        QVERIFY(QFile::remove(kits.at(0)) && QDir().mkpath(f->file("out")));
        f->prompter.clear();
        f->saveKits({2}, f->file("out"));
        f->exportAll(f->file("ALL.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved.", "successfully saved."}));
        f->importAll(f->file("ALL.bin"));
        QCOMPARE(storedBytes(f->w), sounds);
    }

    // Kit files sharing sounds: the file the list takes them from stops
    // answering as a row is selected; the window paints while it is awaited,
    // and once given up on, another file stands in, without a box.
    void sharedSoundsOfASilentFileTakenFromAnother()
    {
        const QStringList kits = {f->file("K001.INI"), f->file("K002.INI")};
        QVERIFY(makeKitFile(kits.at(0), 1, 12, true) && makeKitFile(kits.at(1), 2, 12, true));
        f->importPicks(kits);
        QVERIFY(!f->w->library().sharedSounds().twins().isEmpty());
        const SoundListModel *total = f->w->library().totalListItemModel();
        int row = 0;
        while (row < total->soundCount() && !total->soundText(row, 2).startsWith(kits.at(0) + ":U"))
            ++row;
        QVERIFY(row < total->soundCount());
        f->prompter.clear();
        HangingOpens hanging(f->disk, "/K001.INI");
        // The window paints while the file is held, before another stands in.
        const TurnsWhile held([&] { return hanging.waiting() > 0 && total->soundText(row, 2).startsWith(kits.at(0)); });
        const QModelIndex idx = total->soundIndex(row);
        QItemSelectionModel *selection = f->ui->totalWaveTreeView->selectionModel();
        selection->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        selection->select(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // given up on while the file is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(f->texts(), QStringList());
        const QString now = total->soundText(row, 2);
        QVERIFY2(now.startsWith(kits.at(1) + ":U"), qPrintable(now));
        QCOMPARE(f->w->preview().playFileNameNew2(), now);
        // Selected again meanwhile: no other look waits on the silent file.
        selection->clearSelection();
        selection->select(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(f->texts(), QStringList());
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(f->w->preview().playFileNameNew2(), now);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A group sound of a loaded kit file has its bytes read before the
    // groups are written: its drive silent, the write goes on after the
    // limit with the row as it was, and a second write waits on no look.
    // Once the drive answers, the next write takes the row's bytes.
    void groupsWrittenPastASilentKitFile()
    {
        const QString kit = f->file("K002.INI");
        QVERIFY(makeKitFile(kit, 2, 3));
        f->importPicks({kit});
        SoundLibrary &lib = f->w->library();
        lib.addSoundsToGroup(0, {{"Kick", kit + ":U00000"}}); // its entry not known yet
        const QString list = f->file("soundlist.xml");
        auto row = [&list]() {
            QVector<soundfilexml::strSoundGroup> groups;
            soundlists::read(list, groups);
            return groups.value(0).soundList.value(0);
        };
        QByteArray written;
        {
            HangingOpens silent(f->disk, "/K002.INI");
            QVERIFY(lib.saveSoundList().written);
            QCOMPARE(silent.hung(), 1);
            QCOMPARE(silent.waiting(), 1); // written while the file is held
            QCOMPARE(row().file, kit + ":U00000");
            QVERIFY(row().entryLength.isEmpty() && row().entryDigest.isEmpty());
            written = kf::readFile(list);
            QVERIFY(lib.saveSoundList({}, true).written);
            QCOMPARE(silent.hung(), 1); // no other look
            QCOMPARE(kf::readFile(list), written);
            silent.release();
            QTRY_COMPARE(silent.waiting(), 0);
        }
        // the look's thread has let go of it
        QTRY_VERIFY(!ztplatform::isSilentFile(f->w->library().silentFiles(), kit));
        QVERIFY(lib.saveSoundList().written);
        QCOMPARE(row().file, kit + ":U00000");
        QCOMPARE(row().entryName, QString("Kick"));
        QCOMPARE(row().entryDigest.size(), 64);
    }

    // A pick whose later file is refused still rebuilds the lists; a save
    // stops, naming the kit and pad, rather than write a used slot empty.
    void refusedPickFinishesAndNoSlotIsSavedEmpty()
    {
        const QString k2 = f->file("K002.INI"), k9 = f->file("K009.INI"), k150 = f->file("K150.INI");
        QVERIFY(makeKitFile(k2, 2) && makeKitFile(k9, 9));
        QVERIFY(kf::writeFile(k150, patched(k9, 57, "\x96")));
        f->importPicks({k2});
        f->importPicks({k9, k150});
        QVERIFY(f->texts().contains(k150 + ":File data error!"));
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 6);
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(5, 2)->text(), k9 + ":U00002");

        f->editKit(9, [this](Kit &kit9) {
            kit9.kpadChunk[0].soundFile0 = f->file("gone.wav");
            kit9.kpadChunk[0].soundName0 = "Gone";
        });
        f->prompter.clear();
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->texts().first(), QString("A pad's sound is not in the sound list, so the file is not saved:\r\n"
                                             "Kit 9 PAD1 A: Gone"));
        QVERIFY(!f->prompter.titles().contains("successfully saved."));
        QVERIFY(!QFile::exists(f->file("SET.bin")));
    }

    // A sound that cannot be converted is named with the kits that use it.
    void unconvertibleSoundNamed()
    {
        const QString text = f->file("text.wav");
        QVERIFY(kf::writeFile(text, "not a sound"));
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Text", text, 1)); });
        f->w->on_defaultRbtn_clicked();
        for (int k : {5, 3}) {
            f->editKit(k, [&text](Kit &kit) {
                kit.kpadChunk[1].soundFile0 = text;
                kit.kpadChunk[1].soundName0 = "Text";
            });
        }
        f->exportAll(f->file("SET.bin"));
        QVERIFY(f->texts().contains("A sound cannot be converted, so the file is not saved:\r\nText\r\n" + text
                                    + "\r\nUsed by Kit 3、5"));
        QVERIFY(!QFile::exists(f->file("SET.bin")));
    }

    // A sound whose drive does not answer fails the save with a box that
    // says so, not as a sound that cannot be converted; saved again while
    // that look still waits, the same box at once, no other look begun, by
    // the window or by the save's conversions.
    void silentSoundFailsTheSaveSayingWhy()
    {
        QVERIFY(QDir().mkpath(f->file("slow")));
        const QString kick = soundlib::writeBytes(f->file("slow/kick.wav"), soundlib::pcmWav(1, 44100, 2205));
        editRecords(f->w->library(),
                    [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Kick", kick, 1)); });
        f->w->on_defaultRbtn_clicked();
        f->editKit(3, [&kick](Kit &kit) {
            kit.kpadChunk[1].soundFile0 = kick;
            kit.kpadChunk[1].soundName0 = "Kick";
        });
        HangingOpens hanging(f->disk, "slow/kick.wav", 0, HangingOpens::Looks::OpensAndStats);
        const QStringList told{"The drive of this file does not answer, so the sound is not taken:\r\n" + kick,
                               "Error in obtaining sound, the saving is failed."};
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->texts(), told);
        const int looks = hanging.hung();
        f->prompter.clear();
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->texts(), told);
        QCOMPARE(hanging.waiting(), looks); // told while the first looks still wait
        QTest::qWait(300); // a conversion's thread that looked again would hang by now
        QCOMPARE(hanging.hung(), looks);
        QVERIFY(!QFile::exists(f->file("SET.bin")));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A kit save that fails at one kit leaves no file of it, and names every
    // kit it did not save: over existing files, and into an empty folder.
    void failedKitSaveLeavesNoFile()
    {
        const QString text = f->file("text.wav"), out = f->file("out"), empty = f->file("empty");
        QVERIFY(kf::writeFile(text, "not a sound") && QDir().mkpath(out) && QDir().mkpath(empty));
        QVERIFY(kf::writeFile(out + "/AAA.INI", "old A") && kf::writeFile(out + "/BBB.INI", "old B"));
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Text", text, 1)); });
        f->w->on_defaultRbtn_clicked();
        f->editKit(7, [&text](Kit &kit) {
            kit.kpadChunk[1].soundFile0 = text;
            kit.kpadChunk[1].soundName0 = "Text";
        });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "AAA"; });
        reloadKit(f->w->doc(), 6, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "BBB"; });
        const QMap<QString, QByteArray> before = tree(out);
        f->saveKits({2, 7}, out);
        QCOMPARE(tree(out), before);
        f->saveKits({2, 7}, empty);
        QCOMPARE(folderEntries(empty), QStringList());
        const QString notSaved = "Obtain sound file error.\r\nThese kits are not saved:\r\nKit 2 AAA\r\nKit 7 BBB";
        QCOMPARE(f->texts().filter(notSaved), QStringList({notSaved, notSaved}));
        QVERIFY(!f->prompter.titles().contains("successfully saved."));
        QVERIFY(f->unlocked());
    }

    // A sound cut inside a frame is saved with the samples it holds.
    void cutSoundSaved()
    {
        const QString cut = f->file("cut.wav");
        QVERIFY(kf::writeFile(cut, kf::wavBytes(4 * 4800, 1).chopped(3)));
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Cut", cut, 1)); });
        f->w->on_defaultRbtn_clicked();
        f->editKit(1, [&cut](Kit &kit) {
            kit.kpadChunk[0].soundFile0 = cut;
            kit.kpadChunk[0].soundName0 = "Cut";
        });
        f->exportAll(f->file("SET.bin"));
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        QVERIFY(kf::readWholeSetup(*m, kits, f->file("SET.bin")));
        const QByteArray saved = kf::readFile(f->file("SET.bin"));
        QStringList lengths;
        for (int i = 0; i < m->soundChunk.soundCount; ++i) {
            const percussionpadfile::P_SOUND_INDEX &s = m->sound[size_t(i)];
            if (percussionpadfile::charArray2String(s.wave_name, 16) == "Cut")
                lengths << QString::number(s.wave_length) + '/' + QString::number(kf::rd32(saved, s.wave_start + 40));
        }
        QCOMPARE(lengths, QStringList{QString("%1/%2").arg(44 + 4799 * 4).arg(4799 * 4)});
    }

    // The save's conversions run off the GUI thread, several at once: with an
    // ffmpeg that takes a second, the window's timers run meanwhile, and the
    // file and the boxes are those of a plain ffmpeg. A sound that does not
    // convert is told once, the others stopped.
    void slowConversionsLeaveTheWindowRunning()
    {
        QStringList wavs;
        for (int i = 0; i < 4; ++i) {
            wavs << f->file(QString("s%1.wav").arg(i));
            QVERIFY(kf::writeFile(wavs.last(), kf::wavBytes(4000 + 400 * i, i + 1)));
        }
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) {
            for (int i = 0; i < wavs.size(); ++i)
                r.append(sf::plainSound(QString("S%1").arg(i), wavs.at(i), quint16(i + 1)));
        });
        f->w->on_defaultRbtn_clicked();
        f->editKit(2, [&wavs](Kit &kit) {
            kit.kpadChunk[0].soundFile0 = wavs.at(3);
            kit.kpadChunk[0].soundName0 = "S3";
        });
        const QString bin = f->file("bin"), log = f->file("runs.log"), pids = f->file("runs.pid"),
                      seen = f->file("seen");
        QVERIFY(QDir().mkpath(bin));
        // Each run waits (a minute at most) until the window has turned while
        // as many runs as may go at once wait with it.
        QVERIFY(kf::writeFile(bin + "/ffmpeg", QString("#!/bin/sh\necho \"+$(readlink -f \"$2\")\" >> '%1'\n"
                                                       "echo $$ >> '%3'\ni=0\n"
                                                       "while [ ! -e '%4' ] && [ $i -lt 1200 ]; do sleep 0.05; "
                                                       "i=$((i+1)); done\necho - >> '%1'\nexec '%2' \"$@\"\n")
                                                       .arg(log, QStandardPaths::findExecutable("ffmpeg"), pids, seen)
                                                       .toUtf8()));
        QVERIFY(QFile::setPermissions(bin + "/ffmpeg", QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        const int together = QThread::idealThreadCount() > 1 ? 2 : 1;
        int ticks = 0; // turns of the window while runs were held
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (QFile::exists(seen))
                return;
            int held = 0;
            for (const QByteArray &line : kf::readFile(log).split('\n'))
                held += line.startsWith('+') ? 1 : line == "-" ? -1 : 0;
            if (held >= together) {
                ++ticks;
                kf::writeFile(seen, "");
            }
        });
        auto saveSlowly = [&](const QString &target) {
            qputenv("PATH", bin.toLocal8Bit() + ":" + path);
            ticks = 0;
            QFile::remove(seen);
            tick.start(20);
            f->exportAll(target);
            tick.stop();
            qputenv("PATH", path);
        };

        f->exportAll(f->file("PLAIN.bin"));
        const QStringList plainTexts = f->texts();
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        f->prompter.clear();
        saveSlowly(f->file("SLOW.bin"));
        QVERIFY(ticks > 0);
        QCOMPARE(kf::readFile(f->file("SLOW.bin")), kf::readFile(f->file("PLAIN.bin")));
        QCOMPARE(f->texts(), QStringList({QString(plainTexts.first()).replace("PLAIN.bin", "SLOW.bin")}));
        // Each sound converted once, and more than one at a time where the machine has the cores.
        const QStringList runs = QString::fromUtf8(kf::readFile(log)).split('\n', Qt::SkipEmptyParts);
        const QStringList started = runs.filter(QRegularExpression("^\\+"));
        for (const QString &wav : wavs)
            QCOMPARE(started.count("+" + wav), 1);
        QCOMPARE(QSet<QString>(started.begin(), started.end()).size(), started.size());
        if (QThread::idealThreadCount() > 1)
            QVERIFY(runs.at(1).startsWith('+'));

        // The first sound does not convert: the same boxes, each once, and nothing left running.
        QVERIFY(kf::writeFile(wavs.at(0), "not a sound"));
        f->prompter.clear();
        f->exportAll(f->file("PLAIN2.bin"));
        const QStringList failed = f->texts();
        QCOMPARE(failed.filter("A sound cannot be converted").size(), 1);
        f->prompter.clear();
        QVERIFY(QFile::remove(log) && QFile::remove(pids));
        saveSlowly(f->file("SLOW2.bin"));
        QCOMPARE(f->texts(), failed);
        QVERIFY(ticks > 0);
        QVERIFY(!QFile::exists(f->file("SLOW2.bin")) && !QFile::exists(f->file("PLAIN2.bin")));
        // The stopped ones run no further: none is left running.
        const QList<QByteArray> ran = kf::readFile(pids).split('\n');
        QVERIFY(ran.size() > 1);
        for (const QByteArray &pid : ran)
            QVERIFY2(pid.isEmpty() || ::kill(pid.toInt(), 0) != 0, pid.constData());
    }

    // The progress dialog holds the window while the save lets events run: a
    // click on the menu bar, made while the save reads its source, reaches
    // nothing.
    void windowHeldWhileSaving()
    {
        QString setup;
        loadSetupAndKits(&setup);
        MainWindow1 *w = f->w;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QMenuBar *bar = w->form()->menubar;
        const QPoint help = bar->actionGeometry(w->form()->menuHelp->menuAction()).center();
        HangingOpens hanging(f->disk, "/" + QFile::encodeName(QFileInfo(setup).fileName()));
        bool clicked = false, opened = false;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (clicked || hanging.waiting() == 0 || !w->preview().dialog() || !w->preview().dialog()->isVisible())
                return;
            clicked = true;
            QTest::mouseClick(bar->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, bar->mapTo(w, help));
            opened = w->form()->menuHelp->isVisible();
            w->form()->menuHelp->hide();
            hanging.release();
        });
        tick.start(10);
        f->exportAll(f->file("HELD.bin"));
        tick.stop();
        QVERIFY(clicked);
        QVERIFY(!opened);
        QCOMPARE(f->prompter.titles().last(), QString("successfully saved."));
    }

    // A save's job waits on a write that does not move; it completes once
    // the write moves, each file as a save that was not held writes it: a
    // whole setup, then kit files.
    void windowAnswersWhileAWriteIsHeld()
    {
        QString setup;
        loadSetupAndKits(&setup);
        f->exportAll(f->file("FREE.bin"));
        f->prompter.clear();
        const QStringList held = {"answered while held", "saved, 1 held"};
        QCOMPARE(orderWhileAWriteIsHeld(f->disk, [&] { f->exportAll(f->file("HELD.bin")); }), held);
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved."}));
        QCOMPARE(kf::readFile(f->file("HELD.bin")), kf::readFile(f->file("FREE.bin")));

        const QString free = f->file("free"), heldKits = f->file("held");
        QVERIFY(QDir().mkpath(free) && QDir().mkpath(heldKits));
        f->saveKits({1, 2}, free);
        f->prompter.clear();
        QCOMPARE(orderWhileAWriteIsHeld(f->disk, [&] { f->saveKits({1, 2}, heldKits); }), held);
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + heldKits}));
        const QStringList names = folderEntries(free);
        QCOMPARE(names.size(), 2);
        QCOMPARE(folderEntries(heldKits), names);
        for (const QString &name : names)
            QCOMPARE(kf::readFile(heldKits + "/" + name), kf::readFile(free + "/" + name));
    }

    void fullDisk()
    {
        QString setup;
        loadSetupAndKits(&setup);
        const QByteArray old = "the old whole setup";
        QVERIFY(kf::writeFile(f->file("OUT.bin"), old));
        QVERIFY(kf::writeFile(f->file("KIT0.INI"), "the old kit"));
        const QStringList before = folderEntries(f->work.path());
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {kFullDisk, f->work.path()});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList boxes = QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(boxes, QStringList({"Error|The file could not be written:/" + f->file("OUT.bin") + "/File too large",
                                     "Warning|The file already exists. Do you confirm to overwrite it?/File "
                                     "location: /" + f->file("KIT0.INI"),
                                     "Error|The file could not be written:/" + f->file("KIT0.INI") +
                                             "/File too large/These kits are not saved:/Kit 1 KIT0"}));
        QCOMPARE(kf::readFile(f->file("OUT.bin")), old);
        QCOMPARE(kf::readFile(f->file("KIT0.INI")), QByteArray("the old kit"));
        QCOMPARE(folderEntries(f->work.path()), before);
    }

    // A full disk or temp folder is named with the system's reason, never
    // blamed on a sound.
    void fullDiskNamed()
    {
        TmpfsMount disk;
        const QString full = filledTmpfs(disk);
        if (full.isEmpty())
            QSKIP("a full file system needs root to mount a small tmpfs");
        // The metronome sounds are converted through the temp folder.
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(full));
        f->exportAll(f->file("SET.bin"));
        qputenv("TMPDIR", tmp);
        QCOMPARE(f->texts(), QStringList({"The converted sound could not be written:\r\n" + full + "\r\n" + reason(ENOSPC),
                                          "Error in obtaining sound, the saving is failed."}));
        f->prompter.clear();
        f->saveKits({1}, full);
        QCOMPARE(f->texts(), QStringList({"The file could not be written:\r\n" + full + "/" + f->w->doc().kitNameList()[0]
                                          + ".INI\r\n" + reason(ENOSPC) + "\r\nThese kits are not saved:\r\nKit 1 "
                                          + f->w->doc().kitNameList()[0]}));
        QCOMPARE(folderEntries(full), QStringList({"filler"}));
    }

    // A folder whose name is not UTF-8, picked as the folder dialog lists it,
    // is saved into: the path goes to the system as the bytes it was read as.
    void nonUtf8FolderSavedInto()
    {
        const QByteArray raw("Kits \xff\xfe");
        const QByteArray at = QFile::encodeName(f->work.path()) + '/' + raw;
        QVERIFY(::mkdir(at.constData(), 0755) == 0);
        QString folder;
        for (const QFileInfo &listed : QDir(f->work.path()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
            folder = listed.absoluteFilePath();
        const QString name = f->w->doc().kitNameList()[0];
        f->saveKits({1}, folder);
        f->exportAll(folder + "/SET.bin");
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + folder,
                                          "The file has been generated:\r\nFile location:\r\n" + folder
                                                  + "/SET.bin"}));
        QVERIFY(setupfiles::readsBack(folder + "/" + name + ".INI", false));
        struct stat st;
        QCOMPARE(::stat((at + "/" + QFile::encodeName(name) + ".INI").constData(), &st), 0);
        QCOMPARE(::stat((at + "/SET.bin").constData(), &st), 0);
    }

    // A path too long for the system is said so, not blamed on what was written.
    void pathTooLongSaidSo()
    {
        const QString name = f->w->doc().kitNameList()[0];
        QString folder = f->work.path();
        while (folder.size() + 1 + name.size() + 4 < PATH_MAX)
            QVERIFY(QDir().mkdir(folder += "/" + QString(qMin(200, PATH_MAX - int(folder.size()) - 2), 'd')));
        f->saveKits({1}, folder);
        QCOMPARE(f->texts(), QStringList({folder + "/" + name + ".INI open error.\r\n" + reason(ENAMETOOLONG)
                                          + "\r\nThese kits are not saved:\r\nKit 1 " + name}));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(f->unlocked());
    }

    // A save into a folder it cannot write names the file the user chose.
    void unwritableFolderNamesTheChosenFile()
    {
        TmpfsMount disk;
        if (!BindMount::unavailable().isEmpty() || !disk.mount("64k"))
            QSKIP("a read-only file system needs root to mount a small tmpfs");
        const QString ro = disk.point.path(), kit = ro + "/" + f->w->doc().kitNameList()[0] + ".INI";
        const QString groups = ro + "/soundlist.xml";
        QVERIFY(kf::writeFile(kit, "the old kit") && kf::writeFile(groups, "<soundlist/>"));
        QVERIFY(QFile::setPermissions(groups, QFile::ReadOwner | QFile::ReadGroup));
        f->w->library().openSoundList(groups);
        f->w->library().addGroup("Loops");
        QVERIFY(BindMount::run("mount", {"-o", "remount,ro", ro}));
        // Said read-only, never asked whether to overwrite.
        f->saveKits({1, 2}, ro);
        QCOMPARE(f->texts(), QStringList({kit + " open error.\r\n" + reason(EROFS) + "\r\nThese kits are not "
                                          "saved:\r\nKit 1 " + f->w->doc().kitNameList()[0] + "\r\nKit 2 "
                                          + f->w->doc().kitNameList()[1]}));
        f->prompter.clear();
        f->exportAll(ro + "/SET.bin");
        QCOMPARE(f->texts(), QStringList({ro + "/SET.bin:Fail to open file!\r\n" + reason(EROFS)}));
        // The close's write of the groups too.
        f->prompter.clear();
        f->w->soundLists().setWriteSoundListOnClose(true);
        f->prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(f->w->soundLists().saveSoundListAtClose());
        f->w->soundLists().setWriteSoundListOnClose(false);
        QCOMPARE(f->texts().size(), 1);
        QVERIFY(f->texts().first().startsWith("The sound groups could not be saved to \"" + groups + "\": "
                                              + reason(EROFS) + "."));
    }

    // The overwrite question says when the file is read-only.
    void overwriteQuestionSaysReadOnly()
    {
        const QString kit = f->file(f->w->doc().kitNameList()[0] + ".INI");
        QVERIFY(kf::writeFile(kit, "the old kit") && QFile::setPermissions(kit, QFile::ReadOwner | QFile::ReadGroup));
        f->prompter.buttonAnswers << QMessageBox::No;
        f->saveKits({1}, f->work.path());
        QCOMPARE(f->texts().first(), "The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n"
                                             + kit + "\r\nThe file is read-only.");
        QCOMPARE(kf::readFile(kit), QByteArray("the old kit"));
    }

    // A kit file its disk refuses this user a write to is said read-only too.
    void overwriteQuestionSaysReadOnlyWhenRefused()
    {
        const QString kit = f->file(f->w->doc().kitNameList()[0] + ".INI");
        QVERIFY(kf::writeFile(kit, "the old kit"));
        struct WriteRefused : PassDisk
        {
            int accessAt(int dir, const QByteArray &name, int mode, int flags) override
            {
                if ((mode & W_OK) && name.endsWith(".INI")) {
                    errno = EACCES;
                    return -1;
                }
                return PassDisk::accessAt(dir, name, mode, flags);
            }
        } refusing;
        const DiskInPlace inPlace(f->disk, &refusing);
        f->prompter.buttonAnswers << QMessageBox::No;
        f->saveKits({1}, f->work.path());
        QCOMPARE(f->texts().first(), "The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n"
                                             + kit + "\r\nThe file is read-only.");
        QCOMPARE(kf::readFile(kit), QByteArray("the old kit"));
    }

    // A name typed without a suffix was asked about by the file dialog as
    // typed: a file at the name with ".bin" is asked about before it is replaced.
    void fileAtTheCompletedNameAskedAbout()
    {
        const QString old = f->file("KIT_ALL.bin");
        QVERIFY(kf::writeFile(old, "the user's older setup"));
        f->prompter.buttonAnswers << QMessageBox::No;
        f->exportAll(f->file("KIT_ALL"));
        QCOMPARE(f->texts(), QStringList({"The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n"
                                                  + old,
                                          "No file was saved: the existing files stay as they were."}));
        QCOMPARE(kf::readFile(old), QByteArray("the user's older setup"));
        QVERIFY(f->unlocked());
        f->prompter.clear();
        f->prompter.buttonAnswers << QMessageBox::Yes;
        f->exportAll(f->file("KIT_ALL"));
        QCOMPARE(f->texts().last(), "The file has been generated:\r\nFile location:\r\n" + old);
        QVERIFY(setupfiles::readsBack(old, true));
    }

    // Sounds still in use that "Kept sounds" cannot take: the box names that
    // folder and why, and the empty folder the failed fill made goes.
    void keptSoundsFolderFullNamed()
    {
        TmpfsMount disk;
        const QString full = filledTmpfs(disk);
        if (full.isEmpty())
            QSKIP("a full file system needs root to mount a small tmpfs");
        f->w->library().openSoundList(full + "/soundlist.xml");
        const QString k2 = f->file("K002.INI"), snare = k2 + ":U00001";
        QVERIFY(makeKitFile(k2, 2));
        f->importPicks({k2});
        f->editKit(40, [&](MainWindow1Records::soundKit &kit) { kit.kpadChunk[0].soundFile0 = snare; });
        auto clear = [&snare](auto s) { if (s.file == snare) s.file.clear(); };
        f->editKit(2, [&clear](MainWindow1Records::soundKit &kit) { sf::forEachSoundSlot(kit, clear); });
        reloadKit(f->w->doc(), 1, [&](MainWindow1Records::soundKit &kit) { kit.kit_name = "K002"; });
        const QByteArray old = kf::readFile(k2);
        f->prompter.clear();
        f->saveKits({2}, f->work.path());
        QCOMPARE(f->texts().value(1), "The sounds still in use could not be kept in this folder:\r\n" + full
                                              + "/Kept sounds\r\n" + reason(ENOSPC));
        // Only the groups' lock, taken when the groups were opened there.
        QCOMPARE(folderEntries(full), QStringList({".soundlist.xml.lock", "filler"}));
        QVERIFY(!QFileInfo::exists(full + "/Kept sounds"));
        QCOMPARE(kf::readFile(k2), old);
        QCOMPARE(f->kit(40).kpadChunk[0].soundFile0, snare);
    }

    void deviceModeLeavesThePadAlone()
    {
        // A pad's wave in a kit; working on the pad.
        const QString pad = f->file("pad");
        makePadTree(pad, {"KIT", "SYS", "WAV_DATA", "WAV_PRM"}, "zt350");
        const QString wave = pad + "/zt350/WAV_DATA/001/0001.wav";
        touchFile(wave, kf::wavBytes(4800, 7));
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Pad1", wave, 1)); });
        f->w->on_defaultRbtn_clicked();
        f->editKit(4, [&wave](Kit &kit) {
            kit.kpadChunk[2].soundFile0 = wave;
            kit.kpadChunk[2].soundName0 = "Pad1";
        });
        f->w->pad().beginLoad(QString()); // device mode, as while the pad loads
        const QMap<QString, QByteArray> padFiles = tree(pad);
        QSignalSpy updates(&f->w->setupFiles(), &SetupFilesController::padUpdateWanted);

        const QString target = f->file("SET.bin");
        f->exportAll(target);
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + target}));
        QCOMPARE(updates.count(), 1);
        QCOMPARE(updates.at(0), QVariantList({3, 0}));
        QCOMPARE(tree(pad), padFiles);
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QCOMPARE(setupfiles::readWholeSetupFile(target, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(int(rec.waveCount), 6);
    }

    // On the pad, a sound's file is read below the pad's root as loaded: a
    // link or a pipe at its name, or another pad at its place, fails the
    // save, nothing followed or waited on, and no file is written.
    void deviceModeReadsThePadBelowItsRoot()
    {
        const QString pad = f->file("pad");
        makePadTree(pad, {"KIT", "SYS", "WAV_DATA", "WAV_PRM"}, "zt350");
        const QString wave = pad + "/zt350/WAV_DATA/001/0001.wav";
        const QByteArray bytes = kf::wavBytes(4800, 7);
        touchFile(wave, bytes);
        editRecords(f->w->library(), [&](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Pad1", wave, 1)); });
        f->w->on_defaultRbtn_clicked();
        f->editKit(4, [&wave](Kit &kit) {
            kit.kpadChunk[2].soundFile0 = wave;
            kit.kpadChunk[2].soundName0 = "Pad1";
        });
        f->w->pad().beginLoad(QString());
        f->w->pad().anchorRoot(ztplatform::FolderAnchor::record(pad));
        const QString target = f->file("SET.bin");
        f->exportAll(target);
        QCOMPARE(f->texts(), QStringList({"The file has been generated:\r\nFile location:\r\n" + target}));
        QVERIFY(QFile::remove(target));

        // The save stops with the boxes of a sound that cannot be read.
        const auto refused = [&](const QString &why) {
            f->prompter.clear();
            f->exportAll(target);
            const QStringList texts = f->texts();
            return !QFileInfo::exists(target) && texts.value(0) == why
                   && texts.last() == "Error in obtaining sound, the saving is failed.";
        };
        const QString elsewhere = f->file("elsewhere.wav");
        touchFile(elsewhere, bytes);
        QVERIFY(QFile::remove(wave) && QFile::link(elsewhere, wave));
        QVERIFY(refused("The file cannot be read:\r\n" + wave
                        + "\r\nIt is a symbolic link, which the editor does not follow."));
        QVERIFY(QFile::remove(wave) && ::mkfifo(QFile::encodeName(wave).constData(), 0644) == 0);
        QVERIFY(refused("The file cannot be read:\r\n" + wave + "\r\nIt is a named pipe, not a file."));
        // Another pad at the loaded one's place.
        QVERIFY(QFile::remove(wave));
        touchFile(wave, bytes);
        QVERIFY(QDir().rename(pad, f->file("gone")));
        makePadTree(pad, {"KIT", "SYS", "WAV_DATA", "WAV_PRM"}, "zt350");
        touchFile(wave, bytes);
        QVERIFY(refused("0001.wavsound exists in Kit 4\r\nIf you want to delete a sound, please find it in the right "
                        "list and press 'OK' to confirm.\r\nFile not found:" + wave));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kFullDisk) == 0)
        return fullDiskChild(QString::fromLocal8Bit(argv[2]));
    TestSetupExport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_setupexport.moc"

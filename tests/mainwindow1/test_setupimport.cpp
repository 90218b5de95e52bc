// Import and Import All through the window: refusals, the file choice, whole
// setups and kit files into the editor, kit files read again, and files
// that are refused leaving the editor as it was.
#include "crashdisk.h"
#include "hangingdisk.h"
#include "setupflow_fixture.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "library/records_fixture.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"

#include "history/edithistory.h"
#include "device/driveprobe.h"
#include "widgets/devicedetector.h"
#include "widgets/totaltreeview.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace setupflow_test;
using P = UiPrompter;

namespace {
// The question asked before an import replaces what is loaded.
QString replacingNote()
{
    return "*Note*\r\nImporting a new file will delete the corresponding loaded file.\r\nAre you sure to continue?";
}

// The box naming each kit file whose stored sound name "Snare_" became "Snare".
QString snareRenamedIn(const QStringList &files)
{
    QStringList parts;
    for (const QString &file : files)
        parts << QString("These sound names stored in the kit file ") + QChar(0x2068) + QDir::toNativeSeparators(file) + QChar(0x2069)
                         + QString::fromUtf8(" were changed to names the sampler pad can hold:\r\n\"\u2068Snare_\u2069\" → \"\u2068Snare\u2069\"");
    return parts.join("\r\n\r\n");
}

// The box of kit files whose sounds (Kick, Snare_, Tom) are other sounds of
// the names the list holds: each file's take a number, one up for each file.
QString madeUniqueIn(const QStringList &files)
{
    QStringList parts;
    for (int i = 0; i < files.size(); ++i) {
        const QString n = QString("~%1").arg(i + 1, 5, 10, QChar('0'));
        parts << QString("These sounds of the kit file ") + QChar(0x2068) + QDir::toNativeSeparators(files.at(i)) + QChar(0x2069)
                         + " bore names other sounds hold and were given a number:"
                         + QString::fromUtf8("\r\n\"\u2068Kick\u2069\" → \"\u2068Kick%1\u2069\"\r\n\"\u2068Snare_\u2069\" → \"\u2068Snare%1\u2069\"\r\n\"\u2068Tom\u2069\" → \"\u2068Tom%1\u2069\"")
                                   .arg(n);
    }
    return parts.join("\r\n\r\n");
}
} // namespace

class TestSetupImport : public QObject
{
    Q_OBJECT

    std::unique_ptr<Fixture> f;

    const ScriptedPrompter::Prompt &prompt(int i) const { return f->prompter.prompts.at(i); }

private slots:
    void init() { f.reset(new Fixture); }
    void cleanup() { f.reset(); }

    void refusedBeforeAnyFileIsChosen()
    {
        QSignalSpy updates(&f->w->setupFiles(), &SetupFilesController::padUpdateWanted);
        const QByteArray before = f->snapshot();
        f->w->pad().beginLoad(QString()); // device mode, as while the pad loads
        f->ui->btnLoadFile->setCheckable(true);
        f->ui->btnLoadFile->setChecked(true);
        f->ui->btnLoadFile->click();
        QVERIFY(!f->ui->btnLoadFile->isChecked());
        QCOMPARE(updates.count(), 1);
        QCOMPARE(updates.at(0), QVariantList({3, 0}));
        QCOMPARE(f->texts(), QStringList({"In USB device mode, import files are not supported."}));
        QCOMPARE(f->prompter.titles(), QStringList({"Warning"}));
        f->w->pad().leaveDeviceMode();

        // No at the question.
        f->prompter.clear();
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        f->importPicks({f->file("none.bin")});
        QCOMPARE(f->prompter.prompts.size(), 1);
        QCOMPARE(prompt(0).text, QString("*Note*\r\nImporting a new file will delete the corresponding loaded "
                                         "file.\r\nAre you sure to continue?"));
        QCOMPARE(prompt(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(prompt(0).defaultButton, QMessageBox::NoButton);

        // A preview playing: stopped, the sound list back in stored order, nothing chosen.
        f->prompter.clear();
        f->prompter.fileAnswers.clear();
        f->ui->kitRbtn->setChecked(true);
        f->ui->playBtn2->setStyleSheet("border-image: url(:/images/suspend.png);");
        f->ui->songLabel2->setText("Kick");
        // A load renamed kit 3.
        f->editKit(3, [](MainWindow1Records::soundKit &) {}, [](setupfiles::LoadedKit &lk) { lk.name.cut = true; });
        QCOMPARE(f->w->doc().kitMaxList(), QVector<int>({3}));
        f->ui->btnLoadFile->click();
        QCOMPARE(f->texts().last(), QString("Please stop playing the music before importing or saving the file."));
        QCOMPARE(f->prompter.prompts.size(), 2);
        QVERIFY(f->ui->defaultRbtn->isChecked());
        QVERIFY(f->w->doc().kitMaxList().isEmpty());
        QCOMPARE(f->ui->songLabel2->text(), QString("Sample"));
        QCOMPARE(f->ui->playBtn2->styleSheet(), QString("border-image: url(:/images/play.png);"));
        QCOMPARE(f->snapshot(), before);
    }

    void wholeSetupImported()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        QSignalSpy names(&f->w->setupFiles(), &SetupFilesController::kitNameRead);

        // Import All, cancelled: the whole-setup import is told there is no file.
        const QByteArray before = f->snapshot();
        f->importAll(QString());
        QCOMPARE(prompt(1).kind, P::OpenFile);
        QCOMPARE(prompt(1).title, QString("Select file."));
        QCOMPARE(prompt(1).text, QString(" "));
        QCOMPARE(prompt(1).filter, QString("Whole-setup files (*.bin *.BIN)"));
        QCOMPARE(f->texts().last(), QString("No file data is selected!"));
        QCOMPARE(prompt(2).buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(f->snapshot(), before);

        f->prompter.clear();
        f->importAll(setup);
        QVERIFY(!f->w->setupFiles().projectFlag());
        QCOMPARE(f->prompter.titles(), QStringList({"Warning", "Warning"}));
        QCOMPARE(f->texts().at(1), snareRenamedIn({setup}));
        QCOMPARE(names.count(), KIT_MAX_COUNT);
        QCOMPARE(f->w->library().binFilePath(), setup);
        QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 3);
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(2, 2)->text(), setup + ":U00002");
        QCOMPARE(f->w->library().clickListItemModel()->item(0)->rowCount(), 5);
        QVERIFY(f->w->library().loadClickFlag());
        QCOMPARE(f->w->library().soundList(), QStringList({"Kick", "Snare", "Tom"}));
        QCOMPARE(f->w->doc().kitAttrList().at(5).kit_name, QString("KIT5"));
        QCOMPARE(f->ui->kitNumber->text(), QString("1"));

        // Every sound plays the bytes the file stores for it.
        sf::Editor stored;
        stored.loaded = f->w->library().loadedKitFiles();
        QStringList sources;
        for (int r = 0; r < f->w->library().totalListItemModel()->soundCount(); ++r)
            sources << f->w->library().totalListItemModel()->soundItem(r, 2)->text();
        for (const MainWindow1Records::SOUND_LIST_INFO &c : qAsConst(f->w->library().clickList()))
            sources << c.file;
        QCOMPARE(sources.size(), 8);
        for (const QString &source : qAsConst(sources)) {
            const QString out = f->file("played.wav");
            QVERIFY(f->w->rawFiles().getRawFile(source, out, &f->w->preview()) > 0);
            QCOMPARE(kf::readFile(out), sf::soundBytes(stored, source));
        }

        // The lists' selections are handled on their new models.
        const QModelIndex row = f->w->library().totalListItemModel()->soundIndex(1);
        f->ui->totalWaveTreeView->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect
                                                                              | QItemSelectionModel::Rows);
        QCOMPARE(f->w->preview().playFileNameNew2(), setup + ":U00001");

        // The same file through Import, picked alone; a brand mark refuses it.
        const QString branded = f->file("BRAND.BIN");
        QVERIFY(kf::writeFile(branded, patched(setup, 18, "TORVEX")));
        f->prompter.clear();
        const QByteArray loaded = f->snapshot();
        f->importPicks({branded});
        QCOMPARE(prompt(1).kind, P::OpenFiles);
        QCOMPARE(prompt(1).text, QString());
        QCOMPARE(prompt(1).filter,
                 QString("Kit and global settings files (*.ini *.INI);;Whole-setup files (*.bin *.BIN)"));
        QCOMPARE(f->texts().last(), QString("Please import file which is generated by Korvanta."));
        QCOMPARE(f->snapshot(), loaded);
    }

    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("at");      // where the bytes go; -1 cuts the file there
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // %1: the file's path
        const QString format = "Sound data format error, import failed.\r\nFile location: %1";
        QTest::newRow("truncated") << "KIT_ALL.bin" << -1 << QByteArray() << "%1:File data error!";
        QTest::newRow("foreign") << "KIT_ALL.bin" << 0 << QByteArray(64, 'x') << "%1:File data error!";
        QTest::newRow("broken index") << "KIT_ALL.bin" << 8 << QByteArray("INDX") << "%1:File data error!";
        QTest::newRow("kit count") << "KIT_ALL.bin" << 0 << QByteArray("SKIT") << "%1:File data error!";
        QTest::newRow("sound count") << "KIT_ALL.bin" << 0 << QByteArray("SOUN") << "%1:File data error!";
        QTest::newRow("past the end") << "KIT_ALL.bin" << 1 << QByteArray("SOUN") << format;
        QTest::newRow("not RIFF") << "KIT_ALL.bin" << 2 << QByteArray("SOUN") << format;
        QTest::newRow("kit 150") << "K007.INI" << 57 << QByteArray("\x96") << "%1:File data error!";
        QTest::newRow("kit sound count") << "K007.INI" << 0 << QByteArray("SOUN") << "%1:File data error!";
        QTest::newRow("kit not RIFF") << "K007.INI" << 2 << QByteArray("SOUN") << format;
        // The index points the sound table at 0, past the end, or at the kits.
        const QString data = "%1:File data error!";
        QTest::newRow("sound table at 0") << "KIT_ALL.bin" << 44 << QByteArray(4, '\0') << data;
        QTest::newRow("sound table past the end") << "K007.INI" << 28 << QByteArray("\0\0\0\x40", 4) << data;
        QTest::newRow("sound table untagged") << "KIT_ALL.bin" << 44 << QByteArray("\x8b\x03\0\0", 4) << data;
        QTest::newRow("kit sound table untagged") << "K007.INI" << 28 << QByteArray("\x20\0\0\0", 4) << data;
    }

    void refusedFilesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString setup = f->file("KIT_ALL.bin"), kit = f->file("K007.INI");
        QVERIFY(makeSetup(setup) && makeKitFile(kit, 7));
        f->importAll(setup);
        f->importPicks({kit});
        f->prompter.clear();

        const QString path = f->file(name);
        QByteArray b = kf::readFile(path);
        const bool whole = name.endsWith(".bin");
        const int soun = int(kf::rd32(b, whole ? 44 : 28)), firstWave = soun + 12 + 40 * (whole ? 5 : 0);
        if (at < 0) {
            b.truncate(b.size() / 2);
        } else if (bytes == "SKIT") {
            b[int(kf::rd32(b, 36)) + 8] = char(99);
        } else if (bytes == "SOUN" && at == 0) {
            kf::wr16(b, soun + 8, 0xFFFF);
        } else if (bytes == "SOUN" && at == 1) {
            kf::wr32(b, firstWave + 32, quint32(b.size() - 10));
        } else if (bytes == "SOUN") {
            b.replace(int(kf::rd32(b, firstWave + 32)), 4, "RIFX");
        } else {
            b.replace(at, bytes.size(), bytes);
        }
        QVERIFY(kf::writeFile(path, b));
        const QByteArray before = f->snapshot();
        if (whole)
            f->importAll(path);
        else
            f->importPicks({path});
        QCOMPARE(f->prompter.titles().last(), QString("Error"));
        QCOMPARE(f->texts().last(), text.arg(path));
        QCOMPARE(f->snapshot(), before);
    }

    // A setup whose sounds do not read the second time (its drive silent
    // then) leaves the editor with the setup loaded before: its kits, sounds
    // and loaded file, and Export All writes its bytes. Through Import All
    // and Import, twice, and right after an undo.
    void setupUnreadAtItsSoundsKeepsTheLoad()
    {
        const QString a = f->file("KIT_ALL.bin"), c = f->file("c/KIT_ALL.bin"), b = f->file("b/KIT_ALL.bin");
        QVERIFY(QDir(f->file(".")).mkpath("b") && QDir(f->file(".")).mkpath("c"));
        QVERIFY(makeSetup(a) && makeSetup(b, 29) && makeSetup(c, 37));
        f->importAll(a);
        f->exportAll(f->file("A1.bin"));
        const QByteArray exported = kf::readFile(f->file("A1.bin"));
        QVERIFY(exported.size() > 1000);
        QAction *undo = f->w->findChild<QAction *>("actionUndo");
        QVERIFY(undo);
        // B's file opens for its looks (its kind when picked, its brand mark)
        // and its first read; the second read of its sounds finds the drive
        // silent.
        int exports = 0;
        auto failB = [&](bool all) {
            const QByteArray before = f->snapshot();
            const QStringList sounds = f->w->library().soundList();
            const QString kit5 = f->w->doc().kitAttrList().at(5).kit_name;
            const QString bin = f->w->library().binFilePath();
            f->prompter.clear();
            {
                HangingOpens silent(f->disk, "/b/KIT_ALL.bin", all ? 2 : 3);
                if (all)
                    f->importAll(b);
                else
                    f->importPicks({b});
                QCOMPARE(silent.hung(), 1);
            }
            QCOMPARE(f->texts().last(), QString("Fail to read file, import failed."));
            QCOMPARE(f->snapshot(), before);
            QCOMPARE(f->w->library().soundList(), sounds);
            QCOMPARE(f->w->doc().kitAttrList().at(5).kit_name, kit5);
            QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
            QCOMPARE(f->w->library().binFilePath(), bin);
            const QString out = f->file(QString("again%1.bin").arg(++exports));
            f->exportAll(out);
            QCOMPARE(kf::readFile(out), exported);
        };
        failB(true);
        failB(true);
        failB(false);
        // C loaded, then undone: B's failure keeps what the undo restored.
        f->importAll(c);
        QVERIFY(f->w->library().binFilePath() == c);
        undo->trigger();
        failB(true);
    }

    // A setup or a kit file whose reads fail is told as a file that cannot be
    // read, and the editor keeps what it had.
    void filesWhoseReadsFailAreTold()
    {
        const QString setup = f->file("KIT_ALL.bin"), kit = f->file("K007.INI");
        QVERIFY(makeSetup(setup) && makeKitFile(kit, 7));
        const QByteArray before = f->snapshot();
        const QString replacing = replacingNote();
        CrashDisk disk(f->work.path());
        const DiskInPlace in(f->disk, &disk);
        disk.setReads(CrashDisk::Reads::Fail, "/KIT_ALL.bin");
        f->importAll(setup);
        QVERIFY(disk.readsStopped() > 0);
        QCOMPARE(f->texts(), QStringList({replacing, "Fail to read file, import failed."}));
        QCOMPARE(f->snapshot(), before);
        f->prompter.clear();
        disk.setReads(CrashDisk::Reads::Fail, "/K007.INI");
        f->importPicks({kit});
        QCOMPARE(f->texts(), QStringList({replacing, "This file cannot be imported: it cannot be opened.\r\n" + kit}));
        QCOMPARE(f->snapshot(), before);
    }

    // A setup whose read never returns is not waited on: the window answers
    // while it is held and says the file is not read; once the read returns,
    // the setup imports.
    void setupWhoseReadIsHeldIsNotWaitedOn()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        const QByteArray before = f->snapshot();
        const QString replacing = replacingNote();
        {
            HangingOpens hanging(f->disk, "/KIT_ALL.bin", 1, HangingOpens::Looks::Reads); // the brand's look answers
            const TurnsWhile held([&] { return hanging.waiting() > 0 && f->texts() == QStringList{replacing}; });
            f->importAll(setup);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the read is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(f->texts(), QStringList({replacing, "Fail to read file, import failed."}));
            QCOMPARE(f->snapshot(), before);
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
        }
        f->prompter.clear();
        f->importAll(setup);
        QCOMPARE(f->w->library().binFilePath(), setup);
        QVERIFY(f->snapshot() != before);
    }

    // A whole setup whose wave numbers have gaps (0, 1, 5): one row per
    // sound, by number, with no empty rows between them.
    void numbersWithGaps()
    {
        const QString setup = f->file("GAPS.bin");
        QVector<kf::TestSound> sounds = sf::writeSounds(f->work.path(), {"Kick", "Snare", "Tom"}, -1);
        sounds[7].waveNo = 5;
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({0, 1}, 3);
        QVERIFY(kf::writeWholeSetup(*m, kits, sounds, {0, 1, 5}, {0, 1, 5}, setup));
        f->importAll(setup);
        MainWindow1 *w = f->w;
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 3);
        QCOMPARE(w->library().hhSoundItemModel()->soundCount(), 3);
        QStringList numbers, names;
        for (int r = 0; r < 3; ++r) {
            numbers << w->library().totalListItemModel()->soundItem(r, 0)->text();
            names << w->library().hhSoundItemModel()->soundItem(r, 0)->text();
        }
        QCOMPARE(numbers, QStringList({"1", "2", "6"}));
        QCOMPARE(names, QStringList({"Kick", "Snare", "Tom"}));
        QCOMPARE(w->library().totalListItemModel()->soundItem(2, 2)->text(), setup + ":U00002");

        // The last sound deleted: the row above it becomes the current one.
        const QModelIndex last = w->library().totalListItemModel()->soundIndex(2);
        w->form()->totalWaveTreeView->selectionModel()->select(last, QItemSelectionModel::Select
                                                                     | QItemSelectionModel::Rows);
        w->form()->tbtDel->click();
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 2);
        QCOMPARE(w->form()->totalWaveTreeView->currentIndex().row(), 1);
    }

    // A sixth metronome entry, or an empty one, before the waves: Play and
    // the export still read each sound's own bytes.
    void storedSoundsFoundBySource_data()
    {
        QTest::addColumn<quint16>("extra");
        QTest::newRow("six metronome sounds") << quint16(10005);
        QTest::newRow("an empty entry") << quint16(0xFFFF);
    }

    void storedSoundsFoundBySource()
    {
        QFETCH(quint16, extra);
        const QString setup = f->file("EXTRA.bin");
        QVector<kf::TestSound> sounds = sf::writeSounds(f->work.path(), {"Kick", "Snare", "Tom"}, -1);
        const QByteArray extraBytes = kf::wavBytes(200, 99);
        QVERIFY(kf::writeFile(f->file("extra.wav"), extraBytes));
        sounds.insert(5, {"Extra", extra, f->file("extra.wav"), 0, quint32(extraBytes.size()), 1});
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({0, 1}, 3);
        QVERIFY(kf::writeWholeSetup(*m, kits, sounds, {0, 1, 2}, {0, 1, 2}, setup));
        f->importAll(setup);
        MainWindow1 *w = f->w;
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 3);
        f->prompter.clear();

        const QString out = f->file("out");
        QVERIFY(QDir().mkpath(out));
        QItemSelectionModel *sel = w->form()->totalWaveTreeView->selectionModel();
        for (int r = 0; r < 3; ++r) {
            const QByteArray wave = kf::readFile(sounds.at(6 + r).file);
            const QModelIndex row = w->library().totalListItemModel()->soundIndex(r);
            sel->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            w->form()->playBtn2->click();
            QCOMPARE(kf::readFile(w->preview().previewFileName()), wave);
            f->prompter.fileAnswers.enqueue({out});
            w->form()->totalWaveTreeView->exportSoundAction()->trigger();
            QCOMPARE(kf::readFile(QDir(out).filePath(sounds.at(6 + r).name + ".wav")), wave);
        }
        QCOMPARE(f->texts(), QStringList());
    }

    void kitFilesReadByKitNumber()
    {
        const QString setup = f->file("KIT_ALL.bin");
        QVERIFY(makeSetup(setup));
        f->importAll(setup);
        const QString k7 = f->file("K007.INI"), k2 = f->file("K002.INI"), k50 = f->file("K050.INI");
        const QString k1 = f->file("ZERO.INI");
        QVERIFY(makeKitFile(k7, 7, 1) && makeKitFile(k2, 2, 2) && makeKitFile(k50, 50, 3) && makeKitFile(k1, 1, 4));
        QVERIFY(kf::writeFile(k1, patched(k1, 57, QByteArray(1, '\0')))); // kit number 0 counts as kit 1

        f->prompter.clear();
        QSignalSpy names(&f->w->setupFiles(), &SetupFilesController::kitNameRead);
        f->importPicks({k7, k2, k50});
        QCOMPARE(names.count(), 3);
        QCOMPARE(names.at(0).at(1).toInt(), 1);
        QCOMPARE(names.at(1).at(1).toInt(), 6);
        QCOMPARE(names.at(2).at(1).toInt(), 49);
        QStringList order;
        for (const MainWindow1Records::READ_KIT_FILE &r : qAsConst(f->w->library().loadedKitFiles()))
            order << QFileInfo(r.file).fileName() + "/" + QString::number(r.kitIndex);
        QCOMPARE(order, QStringList({"KIT_ALL.bin/0", "K002.INI/2", "K007.INI/7", "K050.INI/50"}));
        QCOMPARE(f->w->library().recordKitFileList(), QStringList({k7, k2, k50}));
        QCOMPARE(f->w->library().recordKitIndexList(), QVector<int>({7, 2, 50}));
        // The file's sounds numbered after the list's last, renames reported
        // in one box: the files' takes are other sounds than the setup's.
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 12);
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(3, 0)->text(), QString("4"));
        QCOMPARE(f->w->library().totalListItemModel()->soundItem(11, 2)->text(), k50 + ":U00002");
        QCOMPARE(f->w->library().hhSoundItemModel()->soundCount(), 12);
        QCOMPARE(f->texts(), QStringList({"*Note*\r\nImporting a new file will delete the corresponding loaded "
                                          "file.\r\nAre you sure to continue?",
                                          madeUniqueIn({k2, k7, k50})}));
        QCOMPARE(f->ui->kitNumber->text(), QString("2"));
        QCOMPARE(f->w->doc().kitAttrList().at(1).kpadChunk[0].soundFile0, k2 + ":U00001");
        QCOMPARE(f->w->library().soundList().size(), 12);

        // K007 again, its sounds also on kit 40: they go everywhere, then
        // come back at the end of the list; kit 1's file is recorded beside.
        reloadKit(f->w->doc(), 39, [&](MainWindow1Records::soundKit &kit) {
            kit.kpadChunk[3].soundFile0 = k7 + ":U00001";
            kit.kpadChunk[3].aWaveNo = 17;
            kit.pedalChunk.hh_wave2_file = k7 + ":U00002";
        });
        f->prompter.clear();
        f->importPicks({k7, k1});
        QVERIFY(f->w->doc().kitAttrList().at(39).kpadChunk[3].soundFile0.isEmpty());
        QVERIFY(f->w->doc().kitPadList(39).at(3).soundFile0.isEmpty()); // no commit brings it back
        QCOMPARE(f->w->doc().kitPadList(39).at(3).aWaveNo, NO_WAVE);
        QCOMPARE(int(f->w->doc().kitAttrList().at(39).pedalChunk.hh_wave2_no), int(NO_WAVE));
        order.clear();
        for (const MainWindow1Records::READ_KIT_FILE &r : qAsConst(f->w->library().loadedKitFiles()))
            order << QFileInfo(r.file).fileName();
        QCOMPARE(order, QStringList({"KIT_ALL.bin", "K002.INI", "K050.INI", "ZERO.INI", "K007.INI"}));
        QCOMPARE(f->w->library().recordKitIndexList(), QVector<int>({7, 2, 50, 1}));
        QStringList sources;
        for (int r = 0; r < f->w->library().totalListItemModel()->soundCount(); ++r)
            sources << f->w->library().totalListItemModel()->soundItem(r, 0)->text() + " "
                            + QFileInfo(f->w->library().totalListItemModel()->soundItem(r, 2)->text()).fileName();
        QCOMPARE(sources.mid(3), QStringList({"4 K002.INI:U00000", "5 K002.INI:U00001", "6 K002.INI:U00002",
                                              "10 K050.INI:U00000", "11 K050.INI:U00001", "12 K050.INI:U00002",
                                              "13 ZERO.INI:U00000", "14 ZERO.INI:U00001", "15 ZERO.INI:U00002",
                                              "16 K007.INI:U00000", "17 K007.INI:U00001", "18 K007.INI:U00002"}));
        QCOMPARE(f->ui->kitNumber->text(), QString("1"));
        QCOMPARE(f->w->doc().kitAttrList().at(6).kpadChunk[0].soundFile1, k7 + ":U00001");

        // K002 again, when its sounds would be numbered past 9,999: refused
        // before its earlier load goes, so kit 2 keeps its sounds.
        MainWindow1Records::SOUND_INDEX high = f->w->library().waveLoadKitAttrList().last();
        high.file = f->file("high.wav");
        high.wave_No = 9997;
        editRecords(f->w->library(), [&high](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(high); });
        f->w->on_defaultRbtn_clicked();
        const QByteArray kept = f->snapshot();
        f->prompter.clear();
        f->importPicks({k2});
        QCOMPARE(f->texts().last(), QString("The number of sound can not exceed 9999."));
        QCOMPARE(f->snapshot(), kept);
        QVERIFY(f->w->library().waveLoadKitAttrList().last().file == high.file);
        editRecords(f->w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.removeLast(); });
        f->w->on_defaultRbtn_clicked();

        // A recorded file gone from the disk is forgotten at the next choice.
        QVERIFY(QFile::remove(k50));
        f->importPicks({k2});
        QCOMPARE(f->w->library().recordKitFileList(), QStringList({k7, k2, k1}));
        QCOMPARE(f->w->library().totalListItemModel()->soundCount(), 12);
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(f->w->library().waveLoadKitAttrList()))
            QVERIFY(!s.file.contains("K050"));
    }

    // A recorded kit file cut on disk is named once and forgotten; the pick goes on.
    void recordedKitFileGoneBad()
    {
        const QString k7 = f->file("K007.INI"), k8 = f->file("K008.INI");
        QVERIFY(makeKitFile(k7, 7) && makeKitFile(k8, 8));
        f->importPicks({k7});
        QVERIFY(kf::writeFile(k7, kf::readFile(k7).left(40)));
        f->prompter.clear();
        f->importPicks({k8});
        f->importPicks({k8});
        const QString tip = "The imported kit file version is outdated. Please import new version file.\r\n";
        QCOMPARE(f->texts().filter("outdated"), QStringList({tip + "File location: " + k7}));
        QCOMPARE(f->w->library().recordKitFileList(), QStringList({k8}));
        QCOMPARE(f->w->library().loadedKitFiles().last().file, k8);
    }

    // Kit files sharing a sound (same name, same bytes) bring it in once, and
    // their kits play it; a sound of its name with other bytes is its own row
    // under a name of its own.
    // Reading a sharing file again, Export All and a reload keep every kit's sound.
    void kitFilesShareSounds()
    {
        QStringList kits;
        for (int k = 1; k <= 3; ++k) {
            kits << f->file(QString("K00%1.INI").arg(k));
            QVERIFY(makeKitFile(kits.last(), k, 12, true));
        }
        const QHash<QString, QByteArray> bytes = {{"Kick", kf::readFile(f->file("w5.wav"))},
                                                  {"Snare", kf::readFile(f->file("w6.wav"))},
                                                  {"Tom", kf::readFile(f->file("w7.wav"))}};
        QByteArray otherKick = bytes.value("Kick"), third = kf::readFile(kits.at(2));
        otherKick.data()[60] ^= 1;
        QVERIFY(kf::writeFile(kits.at(2), third.replace(bytes.value("Kick"), otherKick)));
        // Per kit: how many slots hold a sound, and those not playing their bytes.
        auto played = [&]() {
            sf::Editor stored;
            stored.loaded = f->w->library().loadedKitFiles();
            QStringList out;
            for (int k = 0; k < 3; ++k) {
                int n = 0;
                QStringList wrong;
                sf::forEachSoundSlot(f->w->doc().kitAttrList().at(k), [&](auto s) {
                    const QByteArray want = s.name == "Kick~00001" ? otherKick : bytes.value(s.name);
                    n += !s.file.isEmpty();
                    if (!s.file.isEmpty() && sf::soundBytes(stored, s.file) != want)
                        wrong << s.name;
                });
                out << QString::number(n) + ' ' + wrong.join(' ');
            }
            return out;
        };
        f->importPicks(kits);
        QCOMPARE(f->w->library().soundList(), QStringList({"Kick", "Snare", "Tom", "Kick~00001"}));
        const QStringList first = played();
        QVERIFY(!first.filter(QRegularExpression("^[1-9]\\d* $")).isEmpty());
        QCOMPARE(first.filter(QRegularExpression("^[1-9]\\d* $")), first);
        f->importPicks(kits.mid(0, 1)); // read again: the other kits keep the sounds
        QCOMPARE(played(), first);
        f->exportAll(f->file("KIT_ALL.bin"));
        f->importAll(f->file("KIT_ALL.bin"));
        QCOMPARE(f->w->library().soundList().size(), 4);
        QCOMPARE(played(), first);
    }

    // A kit file rewritten since its load (same size, another Kick of the same
    // name) shares no sound: the kit file imported next plays its own Kick.
    void changedKitFileSharesNothing()
    {
        const QString k1 = f->file("K001.INI"), k2 = f->file("K002.INI");
        QVERIFY(makeKitFile(k1, 1, 12, true) && makeKitFile(k2, 2, 12, true));
        const QByteArray kick = kf::readFile(f->file("w5.wav"));
        QByteArray otherKick = kick, rewritten = kf::readFile(k1);
        otherKick.data()[60] ^= 1;
        f->importPicks({k1});
        QVERIFY(kf::writeFile(k1, rewritten.replace(kick, otherKick)));
        QFile(k1).setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        f->importPicks({k2});
        sf::Editor stored;
        stored.loaded = f->w->library().loadedKitFiles();
        QList<QByteArray> played;
        sf::forEachSoundSlot(f->w->doc().kitAttrList().at(1), [&](auto s) {
            if (s.name.startsWith("Kick"))
                played << sf::soundBytes(stored, s.file);
        });
        QVERIFY(!played.isEmpty());
        QCOMPARE(played.count(kick), played.size());
    }

    // The global settings file comes with its kit files: when every one of
    // them is refused, nothing of it is taken and the box says so.
    void globalFileOnlyWithAKitFile()
    {
        const QString global = f->file("Global.ini"), bad = f->file("K007.INI"), good = f->file("K002.INI");
        QVERIFY(makeKitFile(bad, 7) && kf::writeFile(bad, patched(bad, 57, "\x96")) && makeKitFile(good, 2));
        const quint8 level = f->w->doc().curRecLevel();
        auto recLevel = [this](quint8 value) {
            reloadGlobalSettings(f->w->doc(), f->w->kitPages().globalPage(),
                                 [value](KitDocument::GlobalChunk &g) { g.rec_level = value; });
        };
        recLevel(quint8(level + 3));
        f->prompter.fileAnswers.enqueue({global});
        f->ui->btnGlobal->click();
        recLevel(level);
        f->w->doc().markGlobalSaved(f->w->kitPages().globalPage()); // as if the file came from elsewhere
        f->prompter.clear();
        f->importPicks({global, bad});
        QCOMPARE(f->texts().mid(1), QStringList({bad + ":File data error!",
                                                 "The global settings file was not applied, as no kit file was "
                                                 "imported:\r\n" + global}));
        QCOMPARE(f->w->doc().curRecLevel(), level);
        QVERIFY(f->w->setupFiles().confirmOfflineClose());
        f->importPicks({global, good});
        QCOMPARE(f->w->doc().curRecLevel(), quint8(level + 3));
        QVERIFY(f->w->setupFiles().confirmOfflineClose());

        // Known by its content, whatever its name: a second download's name too.
        const QString second = f->file("Global (1).ini");
        QVERIFY(QFile::copy(global, second));
        recLevel(level);
        f->w->doc().markGlobalSaved(f->w->kitPages().globalPage());
        f->importPicks({second, good});
        QCOMPARE(f->w->doc().curRecLevel(), quint8(level + 3));

        // Two of them: the user picks again.
        recLevel(level);
        f->w->doc().markGlobalSaved(f->w->kitPages().globalPage());
        f->prompter.clear();
        f->importPicks({global, good, second});
        QCOMPARE(f->texts().mid(1), QStringList({"Only one global settings file can be selected.\r\n" + global
                                                 + "\r\n" + second}));
        QCOMPARE(f->w->doc().curRecLevel(), level);

        // A damaged one is named as not applied; the kit file picked with it is read.
        const QString damaged = f->file("cut/Global.ini"), k5 = f->file("K005.INI");
        QVERIFY(QDir().mkpath(f->file("cut")) && makeKitFile(k5, 5));
        QVERIFY(kf::writeFile(damaged, kf::readFile(global).left(40)));
        f->prompter.clear();
        f->importPicks({damaged, k5});
        QCOMPARE(f->texts().value(1), damaged + ":File data error!\r\nThe global settings file is not applied.");
        QCOMPARE(f->w->doc().curRecLevel(), level);
        QCOMPARE(f->w->library().loadedKitFiles().last().file, k5);
        QCOMPARE(int(f->w->library().loadedKitFiles().last().kitIndex), 5);
    }

    // A pick that cannot be taken is named, with why, before the dialog opens again.
    void strayPickNamed()
    {
        const QString kit = f->file("K004.INI"), junk = f->file("junk.INI"), gone = f->file("gone.INI");
        QVERIFY(makeKitFile(kit, 4) && kf::writeFile(junk, "not a kit file"));
        f->prompter.fileAnswers << QStringList({kit, junk}) << QStringList({gone, kit});
        f->importPicks({kit});
        QCOMPARE(f->texts().mid(1, 2),
                 QStringList({"This file cannot be imported: it is no kit file, global settings file or whole "
                              "setup.\r\n" + junk,
                              "This file cannot be imported: it cannot be opened.\r\n" + gone}));
        int dialogs = 0;
        for (const ScriptedPrompter::Prompt &p : qAsConst(f->prompter.prompts))
            dialogs += p.kind == P::OpenFiles;
        QCOMPARE(dialogs, 3);
        QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
    }

    // Picks refused together leave no record: the kit file picked next is the one shown.
    void refusedPicksLeaveNoRecord()
    {
        const QString k1 = f->file("K001.INI"), k5 = f->file("K005.INI"), junk = f->file("junk.INI");
        QVERIFY(makeKitFile(k1, 1) && makeKitFile(k5, 5) && kf::writeFile(junk, "not a kit file"));
        f->prompter.fileAnswers << QStringList({k1, junk}) << QStringList({k5});
        f->ui->btnLoadFile->click();
        QCOMPARE(f->w->library().recordKitFileList(), QStringList({k5}));
        QCOMPARE(f->ui->kitNumber->text(), QString("5"));
    }

    void fileChoice()
    {
        const QString setup = f->file("KIT_ALL.bin"), other = f->file("OTHER.bin"), kit = f->file("K009.INI");
        QVERIFY(makeSetup(setup) && makeSetup(other) && makeKitFile(kit, 9));
        const QString old = f->file("OLD.INI");
        QVERIFY(makeKitFile(old, 3));
        QVERIFY(kf::writeFile(old, patched(old, 36, QByteArray("\x10\x10", 2)))); // an old layout

        // Saved-file folders of the drives: one holding a folder is passed over.
        for (const QString d : {"d1/SAVE/sub", "d2/SAVE"})
            QVERIFY(QDir(f->work.path()).mkpath(d));
        f->drives.list = {{f->file("d1/"), true}, {f->file("d2/"), true}};
        // The drives answer off the GUI thread; the user clicks once they are plugged in.
        QTRY_COMPARE(f->w->setupFiles().myDetector()->getDevicePath().size(), 2);
        // Two whole setups, then an outdated kit file: each opens the dialog again.
        f->prompter.fileAnswers << QStringList({setup, other}) << QStringList({old}) << QStringList({setup, kit});
        f->ui->btnLoadFile->click();
        QStringList seen;
        for (const ScriptedPrompter::Prompt &p : qAsConst(f->prompter.prompts))
            seen << (p.kind == P::OpenFiles ? "dialog " + QDir(f->work.path()).relativeFilePath(p.text) : p.text);
        QCOMPARE(seen.mid(1), QStringList({"The format of forder is error.", "dialog d2/SAVE",
                                           "Only one binary file can be selected.", "dialog d2/SAVE",
                                           "The imported kit file version is outdated. Please import new version "
                                           "file.",
                                           "dialog d2/SAVE",
                                           "A whole setup is imported alone, not with other files: it is left out of "
                                           "this import.\r\n" + setup,
                                           snareRenamedIn({kit})}));
        // The whole setup picked beside a kit file is left out, and named.
        QCOMPARE(f->w->library().loadedKitFiles().size(), 1);
        QCOMPARE(f->w->library().loadedKitFiles().at(0).file, kit);
        QVERIFY(f->w->library().binFilePath().isEmpty());

        // A drive whose SAVE folder does not answer is passed over after the
        // limit, the window painting meanwhile.
        QVERIFY(QDir(f->work.path()).mkpath("d0/SAVE"));
        f->drives.list = {{f->file("d0/"), true}, {f->file("d2/"), true}};
        QTRY_COMPARE(f->w->setupFiles().myDetector()->getDevicePath(), (QVector<QString>{f->file("d0/"), f->file("d2/")}));
        {
            HangingOpens hanging(f->disk, "d0/SAVE");
            f->prompter.clear();
            f->prompter.fileAnswers << QStringList({kit});
            // The window turns while the drive is held, before the dialog opens.
            const TurnsWhile held([&] { return hanging.waiting() > 0 && f->prompter.prompts.size() < 2; });
            QElapsedTimer clock;
            clock.start();
            f->ui->btnLoadFile->click();
            QCOMPARE(hanging.hung(), 1);
            QVERIFY(clock.elapsed() >= DriveProbe::ANSWER_LIMIT_MS);
            QVERIFY(held.turns() > 0);
            QCOMPARE(f->prompter.prompts.at(1).kind, P::OpenFiles);
            QCOMPARE(QDir(f->work.path()).relativeFilePath(f->prompter.prompts.at(1).text), QString("d2/SAVE"));
        }

        // A whole setup whose name does not end in ".bin" is not taken (its
        // sounds would be read as a kit file's): it is named, the dialog
        // opens again, and nothing is imported.
        for (const char *name : {"SET.dat", "SET.BIN.INI"}) {
            const QString dat = f->file(name);
            QVERIFY(QFile::copy(setup, dat));
            f->drives.list.clear();
            f->prompter.clear();
            const QByteArray before = f->snapshot();
            f->importPicks({dat});
            QCOMPARE(f->prompter.prompts.size(), 4);
            QCOMPARE(prompt(2).text, "This whole setup cannot be imported under this name: the name of a whole setup "
                                     "must end in \".bin\".\r\n" + dat);
            QCOMPARE(prompt(3).kind, P::OpenFiles);
            QCOMPARE(f->snapshot(), before);
        }
    }
};

QTEST_MAIN(TestSetupImport)
#include "test_setupimport.moc"

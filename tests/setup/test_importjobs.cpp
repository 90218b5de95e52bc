// The import jobs without the window: a whole setup and a set of kit files
// read into a fresh document and sound library, and refused files that leave
// them as they were.
#include "kitfile/setup_fixture.h"

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "support/hangingdisk.h"
#include "support/passdisk.h"
#include "support/switchdisk.h"

#include <QDir>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sf;
using kf::TestSound;
using setupjob::FileOutcome;

namespace {

// The library and document as the fixture's editor state.
Editor editorOf(const KitDocument &doc, const SoundLibrary &library)
{
    Editor e;
    for (int k = 0; k < KIT_MAX_COUNT && k < doc.kitAttrList().size(); ++k)
        e.kits[k] = doc.kitAttrList().at(k);
    e.selection = doc.kitIndexList();
    e.library = library.waveLoadKitAttrList();
    e.clickList = library.clickList();
    e.loaded = library.loadedKitFiles();
    for (Records::READ_KIT_FILE &r : e.loaded)
        forgetTables(r);
    return e;
}

// The disk put in `on` while it lives: a look at a name that ends as told
// sees `seen`, the file that stood there before something else took its place.
class StaleLooks : public PassDisk
{
public:
    StaleLooks(SwitchDisk &on, const QByteArray &nameEnd, const QString &seen)
        : m_nameEnd(nameEnd), m_seen(QFile::encodeName(seen)), m_on(on), m_before(on.use(this))
    {
    }
    ~StaleLooks() override { m_on.use(m_before); }
    int statAt(int dir, const QByteArray &name, struct stat *st, int flags = 0) override
    {
        return system().statAt(dir, name.endsWith(m_nameEnd) ? m_seen : name, st, flags);
    }

private:
    const QByteArray m_nameEnd;
    const QByteArray m_seen;
    SwitchDisk &m_on;
    ztplatform::Disk *const m_before;
};

// While it lives, a reader waiting in the open of the pipe at `path` gets a
// writer that closes at once, so that such a read ends (with nothing read).
class PipeReleaser
{
public:
    explicit PipeReleaser(const QString &path)
        : m_thread([this, name = QFile::encodeName(path)]() {
              while (!m_stop) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0)
                      ::close(fd);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~PipeReleaser()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

class TestImportJobs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_temp;
    Editor m_editor; // a whole setup loaded, kits and sounds changed
    SwitchDisk m_disk; // every file the libraries and the jobs reach

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Kit k's settings, slot names and slot bytes.
    void compareKit(Editor &a, Editor &b, int k)
    {
        QVERIFY2(sameSettings(a.kits[k], b.kits[k]), qPrintable(QString::number(k)));
        QStringList names, otherNames;
        forEachSoundSlot(a.kits[k], [&names](auto s) { names.append(s.name); });
        forEachSoundSlot(b.kits[k], [&otherNames](auto s) { otherNames.append(s.name); });
        QCOMPARE(otherNames, names);
        const QStringList files = slotFiles(a.kits[k]), otherFiles = slotFiles(b.kits[k]);
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE(otherFiles.at(i).isEmpty(), files.at(i).isEmpty());
            if (!files.at(i).isEmpty())
                QCOMPARE(soundBytes(b, otherFiles.at(i)), soundBytes(a, files.at(i)));
        }
    }

    // Every kit, and the sound lists.
    void compareEditors(Editor &a, Editor &b)
    {
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            compareKit(a, b, k);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(b.library.size(), a.library.size());
        for (int i = 0; i < a.library.size(); ++i) {
            QCOMPARE(percussionpadfile::charArray2String(b.library.at(i).wave_name, 16),
                     percussionpadfile::charArray2String(a.library.at(i).wave_name, 16));
            QCOMPARE(b.library.at(i).wave_lock, a.library.at(i).wave_lock);
            QVERIFY(soundBytes(a, a.library.at(i).file).startsWith("RIFF"));
            QCOMPARE(soundBytes(b, b.library.at(i).file), soundBytes(a, a.library.at(i).file));
        }
        QCOMPARE(b.clickList.size(), a.clickList.size());
        for (int c = 0; c < a.clickList.size(); ++c)
            QCOMPARE(soundBytes(b, b.clickList.at(c).file), soundBytes(a, a.clickList.at(c).file));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_temp = path("tmp");
        QVERIFY(QDir().mkpath(m_temp));
        const QVector<TestSound> sounds = writeSounds(m_dir.path(), {"Snare", "Kick", "Tom"}, 2);
        QCOMPARE(sounds.size(), 8);
        percussionpadfile m;
        kf::KitStorage kits;
        kits.fill({0, 1, 2}, 5);
        QVERIFY(kf::writeWholeSetup(m, kits, sounds, {0, 1, 2}, {1, 2, 0}, path("SRC.bin")));
        Editor &e = m_editor;
        QCOMPARE(loadWholeSetup(e, path("SRC.bin")), LoadError::None);
        const QString plain = path("plain.wav");
        QVERIFY(kf::writeFile(plain, kf::wavBytes(200, 77)));
        e.library.append(plainSound(QStringLiteral("Ride"), plain, 4, 0));
        e.kits[0].kit_name = "Live";
        e.kits[0].kpadChunk[3].soundFile0 = plain;
        e.kits[0].kpadChunk[3].soundName0 = "Ride";
        e.kits[99].pedalChunk.hh_wave2_file = e.library.at(1).file;
        e.kits[99].pedalChunk.hh_wave2_name = "Kick";
        e.selection[7] = 0;
    }

    // A whole setup written by the save's steps comes back record for record.
    void wholeSetupImported()
    {
        Editor e = m_editor;
        QVERIFY(!saveWholeSetup(e, path("OUT.bin"), m_temp));
        KitDocument doc;
        SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
        QVector<int> steps;
        ImportSetupJob job(doc, library, [&steps](int value, int) { steps.append(value); });
        // The file and its sounds are read in one job, before anything is taken.
        QStringList jobs;
        job.setRunner([&](ztplatform::Job &read, int stallMs) {
            jobs << QStringLiteral("%1 %2").arg(steps.size()).arg(library.loadedKitFiles().size());
            return setupjob::runWith(read, stallMs, {});
        });
        QVERIFY(job.run(path("OUT.bin")));
        QCOMPARE(jobs, QStringList({"0 0"}));

        QCOMPARE(job.result().files.size(), 1);
        QCOMPARE(job.result().files.first().outcome, FileOutcome::Read);
        QCOMPARE(job.result().files.first().path, path("OUT.bin"));
        QVERIFY(job.result().notices.isEmpty());
        QCOMPARE(steps.last(), 4);
        QCOMPARE(library.binFilePath(), path("OUT.bin"));
        QCOMPARE(library.loadedKitFiles().size(), 1);
        QCOMPARE(doc.kitAttrList().size(), KIT_MAX_COUNT);

        Editor f = editorOf(doc, library);
        e.loaded.append(f.loaded); // the saved sources read from the new file
        compareEditors(e, f);
        QCOMPARE(f.selection, e.selection);
        for (int i = 0; i < f.library.size(); ++i)
            QCOMPARE(int(f.library.at(i).wave_No), i + 1);
        QCOMPARE(library.clickSetList().size(), 5);
        // Each kit's pad list and file image agree with its record.
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            QCOMPARE(doc.kitPadList(k).size(), PAD_NUM_MAX);
            QCOMPARE(int(doc.kitPadList(k).at(5).midi_code), int(doc.kitAttrList().at(k).kpadChunk[5].midi_code));
            QCOMPARE(int(doc.pad0(k, 5).midi_code), int(doc.kitAttrList().at(k).kpadChunk[5].midi_code));
            QCOMPARE(int(doc.base0(k).kit_volume), int(doc.kitAttrList().at(k).kit_volume));
        }
    }

    // A truncated or foreign file is passed over with its reason; what was
    // loaded stays as it was.
    void refusedSetupChangesNothing()
    {
        Editor e = m_editor;
        QVERIFY(!saveWholeSetup(e, path("KEEP.bin"), m_temp));
        KitDocument doc;
        SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
        QVERIFY(ImportSetupJob(doc, library).run(path("KEEP.bin")));
        const Editor before = editorOf(doc, library);

        const QByteArray good = kf::readFile(path("KEEP.bin"));
        QVERIFY(kf::writeFile(path("CUT.bin"), good.left(good.size() / 2)));
        QVERIFY(kf::writeFile(path("END.bin"), good.left(good.size() - 10))); // the last sound cut
        // Each file with the reason it is refused for, as the user is told.
        const QVector<QPair<QString, QString>> refused = {
                {path("CUT.bin"), path("CUT.bin") + QStringLiteral(":File data error!")},
                {path("END.bin"),
                 QStringLiteral("Sound data format error, import failed.\r\nFile location: ") + path("END.bin")}};
        for (const auto &file : refused) {
            ImportSetupJob job(doc, library);
            QVERIFY(!job.run(file.first));
            QCOMPARE(job.result().files.size(), 1);
            const setupjob::FileResult &f = job.result().files.first();
            QCOMPARE(f.outcome, FileOutcome::NotRead);
            QCOMPARE(f.path, file.first);
            QCOMPARE(job.result().notices.size(), 1);
            QCOMPARE(job.result().notices.first().title, QStringLiteral("Error"));
            QCOMPARE(f.reason, file.second);
            QCOMPARE(job.result().notices.first().text, f.reason);

            Editor after = editorOf(doc, library);
            Editor was = before;
            compareEditors(was, after);
            QCOMPARE(after.selection, before.selection);
            QCOMPARE(library.loadedKitFiles().size(), 1);
            QCOMPARE(library.binFilePath(), path("KEEP.bin"));
        }

        // A file whose drive does not answer is not waited on: the loop runs,
        // and it is told as a file that does not open.
        QVERIFY(kf::writeFile(path("HUSH.bin"), good));
        HangingOpens hanging(m_disk, "/HUSH.bin", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        QElapsedTimer clock;
        clock.start();
        ImportSetupJob job(doc, library);
        job.setWaiter(eventsWhileWaiting());
        QVERIFY(!job.run(path("HUSH.bin")));
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(job.result().files.size(), 1);
        QCOMPARE(job.result().files.first().outcome, FileOutcome::NotRead);
        QCOMPARE(job.result().notices.size(), 1);
        QCOMPARE(job.result().notices.first().title, QStringLiteral("Warning"));
        QCOMPARE(job.result().notices.first().text, QStringLiteral("Fail to read file, import failed."));
        Editor after = editorOf(doc, library);
        Editor was = before;
        compareEditors(was, after);
        QCOMPARE(library.binFilePath(), path("KEEP.bin"));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);

        // Its sounds are read again as they join the list: a drive silent
        // then is told alike, the loop running meanwhile, and no sound joins.
        ImportSetupJob second(doc, library);
        second.setWaiter(eventsWhileWaiting());
        QVERIFY(second.read(path("KEEP.bin")));
        second.clear();
        second.takeTables();
        HangingOpens silent(m_disk, "/KEEP.bin");
        const TurnsWhile silentTurns([&] { return silent.waiting() > 0; });
        clock.restart();
        QVERIFY(!second.takeSounds(path("KEEP.bin"), &second.model()));
        QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(silentTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(silent.hung(), 1);
        QCOMPARE(second.result().files.size(), 1);
        QCOMPARE(second.result().files.first().outcome, FileOutcome::NotRead);
        QCOMPARE(second.result().notices.size(), 1);
        QCOMPARE(second.result().notices.first().title, QStringLiteral("Warning"));
        QCOMPARE(second.result().notices.first().text, QStringLiteral("Fail to read file, import failed."));
        QVERIFY(library.waveLoadKitAttrList().isEmpty() && second.sounds().waves.isEmpty());
        QVERIFY(second.model().soundChunk.soundIndex[0].fileName.isEmpty());
        silent.release();
        QTRY_COMPARE(silent.waiting(), 0);
    }

    // Kit files picked together: recorded by kit number, read into their kit
    // slots with their sounds; a cut file among them is passed over with its
    // reason and its kit slot keeps what it held.
    void kitFilesImported()
    {
        Editor e = m_editor;
        QVERIFY(!saveKit(e, 2, path("KIT3.INI"), m_temp));
        QVERIFY(!saveKit(e, 6, path("KIT7.INI"), m_temp));
        QVERIFY(!saveKit(e, 8, path("KIT9.INI"), m_temp));
        const QByteArray whole = kf::readFile(path("KIT9.INI"));
        QVERIFY(kf::writeFile(path("KIT9.INI"), whole.left(whole.size() * 2 / 3)));

        KitDocument doc;
        doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
        SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
        ImportKitFilesJob job(doc, library);
        const QStringList picks = {path("KIT9.INI"), path("KIT7.INI"), path("KIT3.INI")};
        QVERIFY(job.takePicks(picks));
        QVERIFY(job.wholeSetup().isEmpty());
        QCOMPARE(library.kitFileList(), picks);
        QCOMPARE(library.recordKitIndexList(), QVector<int>({9, 7, 3}));
        // The kit files are read in one job, before the first is taken.
        QVector<int> jobs;
        job.setRunner([&](ztplatform::Job &read, int stallMs) {
            jobs << library.loadedKitFiles().size();
            return setupjob::runWith(read, stallMs, {});
        });
        QVERIFY(job.run({})); // the cut file ends the load, after two files changed the editor
        QCOMPARE(jobs, QVector<int>({0}));
        QVERIFY(job.changed());
        QCOMPARE(job.ordered(), QStringList({path("KIT3.INI"), path("KIT7.INI"), path("KIT9.INI")}));

        const QVector<setupjob::FileResult> &files = job.result().files;
        QCOMPARE(files.size(), 3);
        QCOMPARE(files.at(0).outcome, FileOutcome::Read);
        QCOMPARE(files.at(0).kit, 2);
        QCOMPARE(files.at(1).outcome, FileOutcome::Read);
        QCOMPARE(files.at(1).kit, 6);
        QCOMPARE(files.at(2).outcome, FileOutcome::NotRead);
        QCOMPARE(files.at(2).path, path("KIT9.INI"));
        QCOMPARE(files.at(2).reason, path("KIT9.INI") + QStringLiteral(":File data error!"));
        QCOMPARE(job.result().notices.size(), 1);
        QCOMPARE(job.result().notices.first().text, files.at(2).reason);

        Editor f = editorOf(doc, library);
        for (int k : {2, 6}) {
            compareKit(e, f, k);
            QCOMPARE(doc.kitPadList(k).size(), PAD_NUM_MAX);
        }
        QCOMPARE(f.kits[8].kit_name, Kit().kit_name);
        QCOMPARE(library.loadedKitFiles().size(), 2);
        QVERIFY(!library.waveLoadKitAttrList().isEmpty());
        for (int i = 0; i < library.waveLoadKitAttrList().size(); ++i) {
            QCOMPARE(int(library.waveLoadKitAttrList().at(i).wave_No), i + 1);
            QVERIFY(soundBytes(f, library.waveLoadKitAttrList().at(i).file).startsWith("RIFF"));
        }

        // The same file again takes the place of its earlier load.
        const int sounds = library.waveLoadKitAttrList().size();
        ImportKitFilesJob again(doc, library);
        QVERIFY(again.takePicks({path("KIT3.INI")}));
        QVERIFY(again.run({}));
        QVERIFY(again.replaced());
        QCOMPARE(again.result().with(FileOutcome::Read).size(), 1);
        QCOMPARE(library.loadedKitFiles().size(), 2);
        QCOMPARE(library.waveLoadKitAttrList().size(), sounds);
        Editor g = editorOf(doc, library);
        compareKit(e, g, 2);
        compareKit(e, g, 6);
        QVERIFY(again.result().notices.isEmpty());
    }

    // A global settings file is known by its content, whatever its name, and
    // gets its result; a damaged one is not applied, and the kit file picked
    // with it is read.
    void globalFileTakenByContent()
    {
        Editor e = m_editor;
        QVERIFY(!saveKit(e, 3, path("GK4.INI"), m_temp));
        KitDocument doc;
        doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
        QFile global(path("Global (1).ini"));
        QVERIFY(global.open(QIODevice::WriteOnly));
        doc.writeGlobalFile(&global, {});
        global.close();
        QVERIFY(kf::writeFile(path("Global.ini"), kf::readFile(global.fileName()).left(40)));

        auto results = [](const ImportKitFilesJob &job) {
            QStringList out;
            for (const setupjob::FileResult &f : job.result().files)
                out << QFileInfo(f.path).fileName() + (f.outcome == FileOutcome::Read ? " read" : " " + f.reason);
            return out;
        };
        const QString damaged = path("Global.ini") + ":File data error!\r\nThe global settings file is not applied.";
        const QVector<QPair<QString, QStringList>> cases = {
                {"Global (1).ini", {"GK4.INI read", "Global (1).ini read"}},
                {"Global.ini", {"Global.ini " + damaged, "GK4.INI read"}}};
        for (const auto &c : cases) {
            SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
            ImportKitFilesJob job(doc, library);
            QVERIFY(job.takePicks({path(c.first), path("GK4.INI")}));
            QCOMPARE(library.globalFilePath(), path(c.first));
            QVERIFY(job.run({}));
            QCOMPARE(results(job), c.second);
            QCOMPARE(library.loadedKitFiles().size(), 1);
        }
    }

    // Every picked file gets one result: the file that would overflow the
    // sound list and those after it NotRead with its box's reason, a picked
    // file gone before the read with its own box.
    void everyPickHasItsResult()
    {
        Editor e = m_editor;
        for (int k : {2, 6, 8, 40})
            QVERIFY(!saveKit(e, k, path(QString("FULL%1.INI").arg(k + 1)), m_temp));
        Records::READ_KIT_FILE first; // the list has room for its sounds only
        KitTables tables;
        QCOMPARE(readKitFile(path("FULL3.INI"), first, tables), LoadError::None);
        KitDocument doc;
        doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
        SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
        library.showSounds(QVector<soundorder::Row>(WAVE_MAX_COUNT - first.waveCount), false, true);
        ImportKitFilesJob job(doc, library);
        QVERIFY(job.takePicks({path("FULL9.INI"), path("FULL7.INI"), path("FULL3.INI"), path("FULL41.INI")}));
        QVERIFY(QFile::remove(path("FULL41.INI")));
        QVERIFY(job.run({}));
        QStringList results;
        for (const setupjob::FileResult &f : job.result().files)
            results << QFileInfo(f.path).fileName() + (f.outcome == FileOutcome::Read ? " read" : " " + f.reason);
        const QString full = "The number of sound can not exceed 9999.";
        QCOMPARE(results, QStringList({"FULL41.INI Fail to read file, import failed.", "FULL3.INI read",
                                       "FULL7.INI " + full, "FULL9.INI " + full}));
    }

    // A picked kit file that a pipe or a folder took the place of, after the
    // editor looked at its name, is not waited on: it gets the box of a file
    // that does not open, and the files picked with it are read; a link to a
    // kit file is read through.
    void whatIsOpenedIsChecked()
    {
        Editor e = m_editor;
        for (int k : {2, 6, 8})
            QVERIFY(!saveKit(e, k, path(QString("SWAP%1.INI").arg(k + 1)), m_temp));
        QVERIFY(QFile::link(path("SWAP9.INI"), path("LINK9.INI")));
        const QByteArray fifo = QFile::encodeName(path("fifo"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(QDir().mkpath(path("folder")));
        for (const QString &other : {QStringLiteral("fifo"), QStringLiteral("folder")}) {
            KitDocument doc;
            doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
            SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
            ImportKitFilesJob job(doc, library);
            QFile::remove(path("SWAP5.old"));
            QVERIFY(!saveKit(e, 4, path("SWAP5.INI"), m_temp));
            QVERIFY(job.takePicks({path("SWAP3.INI"), path("SWAP5.INI"), path("SWAP7.INI"), path("LINK9.INI")}));
            QVERIFY(QFile::rename(path("SWAP5.INI"), path("SWAP5.old")));
            QVERIFY(QFile::rename(path(other), path("SWAP5.INI")));
            {
                const StaleLooks looks(m_disk, "/SWAP5.INI", path("SWAP5.old"));
                const PipeReleaser release(path("SWAP5.INI"));
                QVERIFY(job.run({}));
            }
            QVERIFY(QFile::rename(path("SWAP5.INI"), path(other)));
            QStringList results;
            for (const setupjob::FileResult &f : job.result().files)
                results << QFileInfo(f.path).fileName() + (f.outcome == FileOutcome::Read ? " read" : " " + f.reason);
            QCOMPARE(results, QStringList({"SWAP5.INI Fail to read file, import failed.", "SWAP3.INI read",
                                           "SWAP7.INI read", "LINK9.INI read"}));
            QCOMPARE(job.result().notices.size(), 1);
            QCOMPARE(job.result().notices.first().title, QStringLiteral("Error"));
            QCOMPARE(library.loadedKitFiles().size(), 3);
        }

        // One whose drive stops answering while the picked files are read is
        // not waited on, nor read again: it gets the box of a file that does
        // not open, and the others are read.
        KitDocument doc;
        doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
        SoundLibrary library(QString(), nullptr, fenceOn(m_disk));
        ImportKitFilesJob job(doc, library);
        job.setWaiter(eventsWhileWaiting());
        QVERIFY(job.takePicks({path("SWAP3.INI"), path("SWAP7.INI")}));
        HangingOpens hanging(m_disk, "/SWAP7.INI", 2);
        QVERIFY(job.run({}));
        QCOMPARE(hanging.hung(), 1);
        QStringList results;
        for (const setupjob::FileResult &f : job.result().files)
            results << QFileInfo(f.path).fileName() + (f.outcome == FileOutcome::Read ? " read" : " " + f.reason);
        QCOMPARE(results, QStringList({"SWAP3.INI read", "SWAP7.INI Fail to read file, import failed."}));
        QCOMPARE(library.loadedKitFiles().size(), 1);
        hanging.release();
    }

    // Nor is a drive that stops answering as the kit numbers of the picked
    // files are read: the window answers while the look is held, and the
    // import ends before the drive answers again, the file told as one that
    // does not open and the files after it not read.
    void silentAsKitNumbersAreRead()
    {
        Editor e = m_editor;
        for (int k : {2, 6})
            QVERIFY(!saveKit(e, k, path(QString("HUSH%1.INI").arg(k + 1)), m_temp));
        KitDocument doc;
        doc.startKits(QVector<MainWindow1Records::soundKit>(KIT_MAX_COUNT), {});
        SoundLibrary library;
        ImportKitFilesJob job(doc, library);
        job.setWaiter(eventsWhileWaiting());
        QVERIFY(job.takePicks({path("HUSH3.INI"), path("HUSH7.INI")}));
        HangingOpens hanging("/HUSH7.INI", 1); // the check before the load still answers
        const TurnsWhile held([&] { return hanging.waiting() > 0; });
        // Let go of after a minute, should the window wait on the drive.
        std::mutex lock;
        std::condition_variable over;
        bool returned = false;
        std::thread unstick([&] {
            std::unique_lock<std::mutex> hold(lock);
            if (!over.wait_for(hold, std::chrono::seconds(60), [&] { return returned; }))
                hanging.release();
        });
        const bool ran = job.run({});
        {
            std::lock_guard<std::mutex> hold(lock);
            returned = true;
        }
        over.notify_one();
        unstick.join();
        QVERIFY(ran);
        QCOMPARE(hanging.waiting(), 1); // ended while the look is still held
        QVERIFY(held.turns() > 0);
        QStringList results;
        for (const setupjob::FileResult &f : job.result().files)
            results << QFileInfo(f.path).fileName() + (f.outcome == FileOutcome::Read ? " read" : " " + f.reason);
        QCOMPARE(results, QStringList({"HUSH7.INI Fail to read file, import failed.",
                                       "HUSH3.INI Fail to read file, import failed."}));
        QVERIFY(library.loadedKitFiles().isEmpty());
        hanging.release();
    }
};

QTEST_GUILESS_MAIN(TestImportJobs)
#include "test_importjobs.moc"

// The save jobs without a window: a document, a sound library, scripted
// answers and real files. Ticked kits become kit files, the whole setup one
// file, each read back by the readers; a declined overwrite leaves the file.
#include "kitfile/setup_fixture.h"
#include "support/soundlists.h"

#include "document/kitdocument.h"
#include "document/kitreload.h"
#include "library/groupentries.h"
#include "library/soundlibrary.h"
#include "platform/durablefile.h"
#include "support/crashdisk.h"
#include "support/memorytemp.h"
#include "support/hangingdisk.h"
#include "support/passdisk.h"
#include "support/switchdisk.h"
#include "setup/importkitsjob.h"
#include "setup/savekitsjob.h"
#include "setup/savesetupjob.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace sf;
using setupjob::FileOutcome;

namespace {

// Answers the jobs' questions from a list and keeps what they asked.
struct ScriptedQuestions : setupjob::Questions
{
    QList<bool> answers;
    QStringList asked; // title, then text
    bool ask(const QString &title, const QString &text) override
    {
        asked << title << text;
        return !answers.isEmpty() && answers.takeFirst();
    }
};

QStringList titles(const setupjob::Result &r)
{
    QStringList out;
    for (const setupjob::Notice &n : r.notices)
        out << n.title;
    return out;
}

} // namespace

class TestSaveJobs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_temp;
    QVector<kf::TestSound> m_sounds; // five metronome sounds, then Kick and Snare
    std::unique_ptr<KitDocument> m_doc;
    SwitchDisk m_disk; // every file the library and the jobs reach
    SoundLibrary m_lib{QString(), nullptr, fenceOn(m_disk)};

    QString path(const QString &name) const { return m_dir.filePath(name); }
    const kf::TestSound &kick() const { return m_sounds.at(5); }
    const kf::TestSound &snare() const { return m_sounds.at(6); }

    savejob::Hooks hooks() const
    {
        savejob::Hooks h;
        h.rawFile = copyRaw;
        return h;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_temp = path("tmp");
        QVERIFY(QDir().mkpath(m_temp));
        m_sounds = writeSounds(m_dir.path(), {"Kick", "Snare"}, -1);
        QCOMPARE(m_sounds.size(), 7);

        m_doc = std::make_unique<KitDocument>();
        QVector<Kit> kits;
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            kits.append(makeKit(k));
        m_doc->startKits(kits, {});
        m_doc->takeKitSelection(QVector<int>(KIT_MAX_COUNT, 1));
        reloadKit(*m_doc, 0, [this](Kit &k1) {
            k1.kpadChunk[2].soundFile0 = kick().file;
            k1.kpadChunk[2].soundName0 = kick().name;
        });
        reloadKit(*m_doc, 4, [this](Kit &k5) {
            k5.pedalChunk.hh_wave2_file = snare().file;
            k5.pedalChunk.hh_wave2_name = snare().name;
            k5.kpadChunk[7].soundFile1 = kick().file;
            k5.kpadChunk[7].soundName1 = kick().name;
        });

        m_lib.addSound(kick().name, kick().file, 1, true);
        m_lib.addSound(snare().name, snare().file, 2, true);
        QVector<SoundLibrary::SOUND_LIST_INFO> clicks;
        for (int c = 0; c < 5; ++c)
            clicks.append({m_sounds.at(c).name, m_sounds.at(c).file});
        m_lib.takeClickSounds(clicks, {});
    }

    // Kits 1 and 5 ticked: a kit file each in the folder, its kit and its
    // sounds as they stand in the editor, read back by the kit-file reader.
    void tickedKitsBecomeKitFiles()
    {
        const QString out = path("kits");
        QVERIFY(QDir().mkpath(out));
        ScriptedQuestions questions;
        QVector<int> moved;
        SaveKitsJob job(*m_doc, m_lib, questions, [&moved](int value, int) {
            if (value >= 0)
                moved.append(value);
        }, hooks());
        const SaveKitsJob::Outcome done = job.run({out, {1, 5}, m_temp});

        QCOMPARE(done.result.files.size(), 2);
        for (const setupjob::FileResult &f : done.result.files)
            QCOMPARE(int(f.outcome), int(FileOutcome::Written));
        QCOMPARE(done.result.files.at(0).path, QDir(out).filePath("Kit 1.INI"));
        QCOMPARE(done.result.files.at(1).kit, 4);
        QCOMPARE(titles(done.result), QStringList({"successfully saved."}));
        QCOMPARE(done.result.notices.at(0).text, "The file has been generated:\r\nFile location:\r\n" + out);
        QCOMPARE(done.shownLocked, 0);
        QVERIFY(done.reload.files.isEmpty());
        QVERIFY(questions.asked.isEmpty());
        QCOMPARE(moved, QVector<int>({50, 100}));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 1.INI", "Kit 5.INI"}));
        QCOMPARE(QDir(m_temp).entryList(QDir::Files), QStringList()); // the raw waves go

        Editor read;
        for (int k : {0, 4}) {
            QCOMPARE(loadKitFile(read, done.result.files.at(k ? 1 : 0).path), LoadError::None);
            QVERIFY(sameSettings(m_doc->kit(k), read.kits.at(k)));
        }
        QCOMPARE(soundBytes(read, read.kits[0].kpadChunk[2].soundFile0), kf::readFile(kick().file));
        QCOMPARE(soundBytes(read, read.kits[4].pedalChunk.hh_wave2_file), kf::readFile(snare().file));
        QCOMPARE(soundBytes(read, read.kits[4].kpadChunk[7].soundFile1), kf::readFile(kick().file));
    }

    // The whole setup to one file: every kit, the metronome and the sounds,
    // read back by the whole-setup reader.
    void wholeSetupBecomesOneFile()
    {
        const QString target = path("KIT_ALL.bin");
        ScriptedQuestions questions;
        SaveSetupJob job(*m_doc, m_lib, questions, {}, hooks());
        SaveSetupJob::Input in;
        in.target = target;
        in.tempDir = m_temp;
        in.version = setupfiles::versionFromLabel(QStringLiteral("1.01"));
        const setupjob::Result done = job.run(in);

        QCOMPARE(done.files.size(), 1);
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Written));
        QCOMPARE(done.files.at(0).path, target);
        QCOMPARE(titles(done), QStringList({"successfully saved."}));
        QCOMPARE(done.notices.at(0).text, "The file has been generated:\r\nFile location:\r\n" + target);
        QVERIFY(questions.asked.isEmpty());

        Editor read;
        QCOMPARE(loadWholeSetup(read, target), LoadError::None);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QVERIFY2(sameSettings(m_doc->kit(k), read.kits.at(k)), qPrintable(QString::number(k)));
        QCOMPARE(read.library.size(), 2);
        QCOMPARE(soundBytes(read, read.kits[0].kpadChunk[2].soundFile0), kf::readFile(kick().file));
        QCOMPARE(soundBytes(read, read.kits[4].pedalChunk.hh_wave2_file), kf::readFile(snare().file));
        QCOMPARE(read.clickList.size(), 5);
        for (int c = 0; c < 5; ++c)
            QCOMPARE(soundBytes(read, read.clickList.at(c).file), kf::readFile(m_sounds.at(c).file));
    }

    // The setup's file is written and put in place off the job's thread: the
    // loop runs meanwhile, and a folder that stops answering for 5 s is told
    // with the save's own box, never as not written once its rename began.
    void silentFolderNotWaitedOn()
    {
        const QString out = path("silent");
        QVERIFY(QDir().mkpath(out));
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        auto save = [&](const QString &target) {
            ScriptedQuestions questions;
            SaveSetupJob::Input in;
            in.target = target;
            in.tempDir = m_temp;
            in.version = setupfiles::versionFromLabel(QStringLiteral("1.01"));
            return SaveSetupJob(*m_doc, m_lib, questions, {}, painting).run(in);
        };
        const QString plain = out + "/PLAIN.bin";
        QCOMPARE(titles(save(plain)), QStringList({"successfully saved."}));
        const QByteArray bytes = kf::readFile(plain);

        const QString target = out + "/KIT_ALL.bin";
        QVERIFY(kf::writeFile(target, "the old one"));
        QElapsedTimer clock;
        HangingOpens opens(m_disk, ".zt-part");
        const TurnsWhile opensTurns([&] { return opens.waiting() > 0; });
        clock.start();
        setupjob::Result done = save(target);
        QCOMPARE(opens.hung(), 1);
        QVERIFY(clock.elapsed() >= 5000);
        QVERIFY(opensTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(done.notices.size(), 1);
        QCOMPARE(done.notices.at(0).text, target + ":Fail to open file!\r\n" + QString(std::strerror(ETIMEDOUT)));
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
        QCOMPARE(kf::readFile(target), QByteArray("the old one"));
        opens.release();
        QTRY_COMPARE(opens.waiting(), 0);
        QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"KIT_ALL.bin", "PLAIN.bin"}));

        HangingOpens renames(m_disk, "KIT_ALL.bin", 0, HangingOpens::Looks::Renames);
        const TurnsWhile renamesTurns([&] { return renames.waiting() > 0; });
        clock.restart();
        done = save(target);
        QVERIFY(clock.elapsed() >= 5000);
        QVERIFY(renamesTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(renames.hung(), 1);
        QCOMPARE(titles(done), QStringList({"Warning"}));
        QCOMPARE(done.notices.at(0).text,
                 "The folder stopped answering while this file was being put in place under its name:\r\n" + target
                         + "\r\nIt may or may not be there now. A file that had this name before is either still the "
                           "old one, whole, or the new one, whole. Please look in the folder.");
        QCOMPARE(kf::readFile(target), QByteArray("the old one"));
        renames.release();
        QTRY_COMPARE(kf::readFile(target), bytes); // the same bytes as a save that was not held up
        QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"KIT_ALL.bin", "PLAIN.bin"}));
        QTest::qWait(200); // the folder's sync after the rename, through the disk that goes next
    }

    // The save's checks of its target wait on no silent drive: the loop runs,
    // and the box is the one of a file that does not open; nothing is written.
    void silentTargetNotWaitedOn()
    {
        const QString out = path("silenttarget");
        QVERIFY(QDir().mkpath(out));
        const QString target = out + "/HELD.bin";
        QVERIFY(kf::writeFile(target, "the old one"));
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        auto save = [&]() {
            ScriptedQuestions questions;
            SaveSetupJob::Input in;
            in.target = target;
            in.tempDir = m_temp;
            in.version = setupfiles::versionFromLabel(QStringLiteral("1.01"));
            return SaveSetupJob(*m_doc, m_lib, questions, {}, painting).run(in);
        };
        HangingOpens stats(m_disk, "/HELD.bin", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile statsTurns([&] { return stats.waiting() > 0; });
        QElapsedTimer clock;
        clock.start();
        const setupjob::Result done = save();
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(statsTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(stats.hung(), 1);
        QCOMPARE(titles(done), QStringList({"Error"}));
        QCOMPARE(done.notices.at(0).text, target + ":Fail to open file!\r\n" + QString(std::strerror(ETIMEDOUT)));
        QCOMPARE(done.files.size(), 1);
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
        stats.release();
        QTRY_COMPARE(stats.waiting(), 0);
        QCOMPARE(kf::readFile(target), QByteArray("the old one"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"HELD.bin"}));
        QTRY_COMPARE(titles(save()), QStringList({"successfully saved."}));
    }

    // A kit's file is opened and written off the job's thread: the loop runs
    // meanwhile, and a folder that stops answering for 5 s gives the save's
    // own box for a file that does not open or is not written; the old file
    // keeps its bytes and no temporary stays.
    void silentFolderKeepsKitFile()
    {
        const QString out = path("silentkit");
        QVERIFY(QDir().mkpath(out));
        const QString existing = QDir(out).filePath("Kit 5.INI");
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        auto save = [&]() {
            ScriptedQuestions questions;
            questions.answers = {true};
            return SaveKitsJob(*m_doc, m_lib, questions, {}, painting).run({out, {5}, m_temp}).result;
        };
        QCOMPARE(titles(save()), QStringList({"successfully saved."}));
        const QByteArray bytes = kf::readFile(existing);
        QVERIFY(kf::writeFile(existing, "the old one"));
        const QString notSaved = "\r\nThese kits are not saved:\r\nKit 5 Kit 5";
        const QString timedOut = QString(std::strerror(ETIMEDOUT));
        QElapsedTimer clock;
        for (const HangingOpens::Looks looks : {HangingOpens::Looks::Opens, HangingOpens::Looks::Writes}) {
            HangingOpens hanging(m_disk, ".zt-part", 0, looks);
            const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
            clock.restart();
            const setupjob::Result done = save();
            QVERIFY(clock.elapsed() >= 5000);
            QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(titles(done), QStringList({"Error"}));
            QCOMPARE(done.notices.at(0).text,
                     looks == HangingOpens::Looks::Opens
                             ? existing + " open error.\r\n" + timedOut + notSaved
                             : "The file could not be written:\r\n" + existing + "\r\n" + timedOut + notSaved);
            QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
            QCOMPARE(kf::readFile(existing), QByteArray("the old one"));
            QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI"}));
        }
        QCOMPARE(titles(save()), QStringList({"successfully saved."}));
        QCOMPARE(kf::readFile(existing), bytes); // the same bytes as before the folder stopped answering

        // The folder stops answering after the first kit's file: its
        // temporary is let go without waiting on the folder either.
        const QString fresh = path("silentkits");
        QVERIFY(QDir().mkpath(fresh));
        HangingOpens hanging(m_disk, ".zt-part", 2, HangingOpens::Looks::OpensAndRemoves); // its open and read-back answer
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        clock.restart();
        ScriptedQuestions questions;
        const setupjob::Result done =
                SaveKitsJob(*m_doc, m_lib, questions, {}, painting).run({fresh, {1, 5}, m_temp}).result;
        QVERIFY(clock.elapsed() >= 2 * 5000);
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 2);
        QCOMPARE(titles(done), QStringList({"Error"}));
        QCOMPARE(done.notices.at(0).text, fresh + "/Kit 5.INI open error.\r\n" + timedOut
                                                  + "\r\nThese kits are not saved:\r\nKit 1 Kit 1\r\nKit 5 Kit 5");
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(QDir(fresh).entryList(QDir::Files | QDir::Hidden), QStringList());

        // A folder silent from the start: nothing is asked nor written.
        HangingOpens stats(m_disk, "/Kit 5.INI", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile statsTurns([&] { return stats.waiting() > 0; });
        clock.restart();
        const setupjob::Result none = save();
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(statsTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(stats.hung(), 1);
        QCOMPARE(titles(none), QStringList({"Error"}));
        QCOMPARE(none.notices.at(0).text, existing + " open error.\r\n" + timedOut + notSaved);
        QCOMPARE(int(none.files.at(0).outcome), int(FileOutcome::Refused));
        stats.release();
        QTRY_COMPARE(stats.waiting(), 0);
        QCOMPARE(kf::readFile(existing), bytes);
    }

    // After its folder answered, the save's looks at its targets, the rename
    // over the old file and the folder's sync run off the job's thread: the
    // loop runs meanwhile, and a folder that stops answering is told without
    // claiming what is in doubt.
    void silentFolderWhilePlacingKitFile()
    {
        const QString out = path("quietkit");
        QVERIFY(QDir().mkpath(out));
        const QString existing = QDir(out).filePath("Kit 5.INI");
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        int asked = 0;
        auto save = [&]() {
            ScriptedQuestions questions;
            questions.answers = {true};
            const setupjob::Result done =
                    SaveKitsJob(*m_doc, m_lib, questions, {}, painting).run({out, {5}, m_temp}).result;
            asked = questions.asked.size();
            return done;
        };
        QCOMPARE(titles(save()), QStringList({"successfully saved."}));
        const QByteArray bytes = kf::readFile(existing);
        const QString timedOut = QString(std::strerror(ETIMEDOUT));
        QElapsedTimer clock;
        struct Case
        {
            HangingOpens::Looks looks;
            QByteArray hangs;
            int answered;
            int limitMs;
        };
        for (const Case &c : {Case{HangingOpens::Looks::OpensAndStats, "/Kit 5.INI", 1, 2000},
                              Case{HangingOpens::Looks::Renames, "Kit 5.INI", 0, 5000},
                              Case{HangingOpens::Looks::Syncs, "/quietkit", 0, 5000}}) {
            QVERIFY(kf::writeFile(existing, "the old one"));
            HangingOpens hanging(m_disk, c.hangs, c.answered, c.looks);
            const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
            clock.restart();
            const setupjob::Result done = save();
            QVERIFY2(clock.elapsed() >= c.limitMs - 100,
                     qPrintable(QString::number(clock.elapsed())));
            QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
            QCOMPARE(hanging.hung(), 1);
            if (c.looks == HangingOpens::Looks::OpensAndStats) {
                // Before anything is asked: nothing is written.
                QCOMPARE(asked, 0);
                QCOMPARE(titles(done), QStringList({"Error"}));
                QCOMPARE(done.notices.at(0).text, existing + " open error.\r\n" + timedOut
                                                          + "\r\nThese kits are not saved:\r\nKit 5 Kit 5");
                QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
            } else if (c.looks == HangingOpens::Looks::Renames) {
                // The rename may yet take: neither saved nor not saved is claimed.
                QCOMPARE(titles(done), QStringList({"Warning"}));
                QCOMPARE(done.notices.at(0).text,
                         "The folder stopped answering while this file was being put in place under its name:\r\n"
                                 + existing
                                 + "\r\nIt may or may not be there now. A file that had this name before is either "
                                   "still the old one, whole, or the new one, whole. Please look in the folder.");
                QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
                QCOMPARE(kf::readFile(existing), QByteArray("the old one"));
            } else {
                QCOMPARE(titles(done), QStringList({"Error"}));
                QCOMPARE(done.notices.at(0).text,
                         "The file was written, but the disk did not confirm that it is stored:\r\n" + existing
                                 + "\r\n" + timedOut);
                QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Written));
            }
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
            QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI"}));
            QCOMPARE(kf::readFile(existing),
                     c.looks == HangingOpens::Looks::OpensAndStats ? QByteArray("the old one") : bytes);
        }
    }

    // A folder that stops answering while one kit's file takes its name is
    // waited on once: the kits after it are told as not saved, their old
    // files stay as they were, and no temporary is left once it answers.
    void silentFolderStopsTheKitsLeft()
    {
        const QString out = path("quietkits");
        QVERIFY(QDir().mkpath(out));
        const QString kit5 = QDir(out).filePath("Kit 5.INI"), kit6 = QDir(out).filePath("Kit 6.INI");
        QVERIFY(kf::writeFile(kit6, "the old six"));
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        ScriptedQuestions questions;
        questions.answers = {true};
        HangingOpens hanging(m_disk, ".INI", 0, HangingOpens::Looks::Renames);
        const SaveKitsJob::Outcome done =
                SaveKitsJob(*m_doc, m_lib, questions, {}, painting).run({out, {5, 6}, m_temp});
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(titles(done.result), QStringList({"Warning", "Error"}));
        QVERIFY(done.result.notices.at(0).text.startsWith(
                "The folder stopped answering while this file was being put in place under its name:\r\n" + kit5));
        QCOMPARE(done.result.notices.at(1).text, QString("These kits are not saved:\r\nKit 6 Kit 6"));
        QCOMPARE(done.result.files.size(), 2);
        QCOMPARE(int(done.result.files.at(1).outcome), int(FileOutcome::Refused));
        QCOMPARE(done.result.files.at(1).reason,
                 "The file could not be written:\r\n" + kit6 + "\r\n" + QString(std::strerror(ETIMEDOUT)));
        QCOMPARE(kf::readFile(kit6), QByteArray("the old six"));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI", "Kit 6.INI"}));
        QCOMPARE(kf::readFile(kit6), QByteArray("the old six"));
    }

    // The check that a save over a file replaces no sound of the library
    // looks at the sounds off the job's thread: a sound's drive that does
    // not answer stops the save within 2 s, before anything is written, and
    // the box names the sound.
    void silentSoundDriveStopsKitSave()
    {
        const QString out = path("quietsound");
        QVERIFY(QDir().mkpath(out));
        const QString existing = QDir(out).filePath("Kit 5.INI");
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        int asked = 0;
        auto save = [&]() {
            ScriptedQuestions questions;
            questions.answers = {true};
            const setupjob::Result done =
                    SaveKitsJob(*m_doc, m_lib, questions, {}, painting).run({out, {5}, m_temp}).result;
            asked = questions.asked.size();
            return done;
        };
        QCOMPARE(titles(save()), QStringList({"successfully saved."}));
        const QByteArray bytes = kf::readFile(existing);
        const QByteArray sound = kf::readFile(snare().file);
        HangingOpens hanging(m_disk, QFileInfo(snare().file).fileName().prepend('/').toUtf8(), 0,
                             HangingOpens::Looks::OpensAndStats);
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        QElapsedTimer clock;
        clock.start();
        const setupjob::Result done = save();
        QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(asked, 2); // the overwrite, answered before the look
        QCOMPARE(titles(done), QStringList({"Error"}));
        QCOMPARE(done.notices.at(0).text, "The drive of the sound " + snare().file
                                                  + " does not answer.\r\nThese kits are not saved:\r\nKit 5 Kit 5");
        QCOMPARE(done.files.size(), 1);
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
        QCOMPARE(kf::readFile(existing), bytes);
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI"}));

        // Asked again while that look still waits: told at once, not waited on.
        QCOMPARE(titles(save()), QStringList({"Error"}));
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QCOMPARE(hanging.hung(), 1);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(titles(save()), QStringList({"successfully saved."}));
        QCOMPARE(kf::readFile(existing), bytes);
        QCOMPARE(kf::readFile(snare().file), sound);
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI"}));
    }

    // What the renames do to the loaded kit files is looked at off the job's
    // thread before anything is written: a loaded file's drive that does not
    // answer stops the save within 2 s, the box names that file, and the
    // files on the disk keep their bytes.
    void silentLoadedFileStopsKitSave()
    {
        QTemporaryDir dir;
        const QString held = dir.filePath("quietloaded"), out = dir.filePath("quietout");
        QVERIFY(QDir().mkpath(held) && QDir().mkpath(out));
        const QString k2 = held + "/K002.INI", existing = out + "/K002.INI";
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 1, kitSounds(m_sounds), k2));
        const QByteArray loadedBytes = kf::readFile(k2);
        QVERIFY(kf::writeFile(existing, "the old one"));
        Editor e;
        QCOMPARE(loadKitFile(e, k2), LoadError::None);
        KitDocument doc;
        doc.startKits(e.kits, {});
        reloadKit(doc, 1, [](Kit &kit) { kit.kit_name = "K002"; });
        SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
        lib.takeSoundRecords(e.library);
        for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
            lib.addLoadedKitFile(loaded);
        lib.recordKitFile(k2, 2);
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        int asked = 0;
        auto save = [&]() {
            ScriptedQuestions questions;
            questions.answers = {true};
            const setupjob::Result done =
                    SaveKitsJob(doc, lib, questions, {}, painting).run({out, {2}, m_temp}).result;
            asked = questions.asked.size();
            return done;
        };
        HangingOpens hanging(m_disk, "quietloaded/K002.INI", 0, HangingOpens::Looks::OpensAndStats);
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        QElapsedTimer clock;
        clock.start();
        const setupjob::Result done = save();
        QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(asked, 2); // the overwrite, answered before the look
        QCOMPARE(titles(done), QStringList({"Error"}));
        QCOMPARE(done.notices.at(0).text,
                 "The drive does not answer: " + k2 + "\r\nThese kits are not saved:\r\nKit 2 K002");
        QCOMPARE(done.files.size(), 1);
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::Refused));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QCOMPARE(kf::readFile(existing), QByteArray("the old one"));
        QCOMPARE(kf::readFile(k2), loadedBytes);
        QTRY_COMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"K002.INI"}));
        QCOMPARE(QDir(held).entryList(QDir::Files | QDir::Hidden), QStringList({"K002.INI"}));
        // Answering again, the same save goes through.
        QTRY_COMPARE(titles(save()), QStringList({"successfully saved."}));
        QVERIFY(kf::readFile(existing) != QByteArray("the old one"));
    }

    // A save over the loaded kit file keeps the sounds it would lose off the
    // job's thread: a drive that stops answering while they are copied keeps
    // none of them within 5 s, the box names the folder, the loaded file is
    // not replaced and the library still takes the sound from it.
    void silentDriveWhileKeepingSoundsReplacesNothing()
    {
        QTemporaryDir dir;
        const QString k2 = dir.filePath("K002.INI");
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 1, kitSounds(m_sounds), k2));
        const QByteArray loadedBytes = kf::readFile(k2);
        Editor e;
        QCOMPARE(loadKitFile(e, k2), LoadError::None);
        KitDocument doc;
        doc.startKits(e.kits, {});
        reloadKit(doc, 1, [&k2](Kit &kit) {
            kit.kit_name = "K002";
            sf::forEachSoundSlot(kit, [&k2](auto s) {
                if (s.file == k2 + ":U00000")
                    s.file.clear();
            });
        });
        SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
        lib.takeSoundRecords(e.library);
        for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
            lib.addLoadedKitFile(loaded);
        lib.recordKitFile(k2, 2);
        lib.openSoundList(dir.filePath("soundlist.xml"));
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        ScriptedQuestions questions;
        questions.answers = {true};
        HangingOpens hanging(m_disk, ".zt-part", 2, HangingOpens::Looks::Opens); // the kit's own file and its read-back answer
        QElapsedTimer clock;
        const TurnsWhile hangingTurns([&] { return hanging.waiting() > 0; });
        clock.start();
        const setupjob::Result done = SaveKitsJob(doc, lib, questions, {}, painting).run({dir.path(), {2}, m_temp}).result;
        QVERIFY2(clock.elapsed() >= 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(hangingTurns.turns() > 0); // the loop ran while the look was held
        QCOMPARE(hanging.hung(), 1);
        QVERIFY(titles(done).size() >= 1);
        QCOMPARE(done.notices.at(0).text, "The sounds still in use could not be kept in this folder:\r\n"
                                                  + dir.filePath("Kept sounds") + "\r\n"
                                                  + QString(std::strerror(ETIMEDOUT)));
        for (const setupjob::FileResult &r : done.files)
            QVERIFY(r.outcome != FileOutcome::KeptAs && r.outcome != FileOutcome::Written);
        QCOMPARE(kf::readFile(k2), loadedBytes);
        QCOMPARE(lib.waveLoadKitAttrList().at(0).file, k2 + ":U00000");
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_VERIFY(!QFileInfo::exists(dir.filePath("Kept sounds")));
        QCOMPARE(kf::readFile(k2), loadedBytes);
    }

    // A save over the loaded kit file whose new file does not answer as the
    // groups read it, right before it would take the old one's place: the
    // save returns after the limit, the box says the drive does not answer,
    // the loaded file stays in place and the groups' file as it was.
    void silentNewFileBeforeGroupsReplacesNothing()
    {
        QTemporaryDir dir;
        const QString k2 = dir.filePath("K002.INI"), list = dir.filePath("soundlist.xml");
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 1, kitSounds(m_sounds), k2));
        const QByteArray loadedBytes = kf::readFile(k2);
        QVector<soundfilexml::strSoundGroup> groups(1);
        groups[0].name = "G";
        groups[0].soundList.append({{}, "Snare", k2 + ":U00001", {}, {}, {}, {}, {}, {}, {}, {}, {}});
        QVERIFY(soundlists::write(list, groups));
        const QByteArray listBytes = kf::readFile(list);
        Editor e;
        QCOMPARE(loadKitFile(e, k2), LoadError::None);
        KitDocument doc;
        doc.startKits(e.kits, {});
        reloadKit(doc, 1, [](Kit &kit) { kit.kit_name = "K002"; });
        SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
        lib.takeSoundRecords(e.library);
        for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
            lib.addLoadedKitFile(loaded);
        lib.recordKitFile(k2, 2);
        lib.openSoundList(list);
        ScriptedQuestions questions;
        questions.answers = {true};
        HangingOpens hanging(m_disk, ".zt-part", 2); // the kit's own file and its read-back answer
        const setupjob::Result done = SaveKitsJob(doc, lib, questions, {}, hooks()).run({dir.path(), {2}, m_temp}).result;
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QCOMPARE(hanging.hung(), 1);
        QVERIFY(!done.notices.isEmpty());
        QCOMPARE(done.notices.at(0).text, "The drive does not answer: " + k2);
        for (const setupjob::FileResult &r : done.files)
            QVERIFY(r.outcome != FileOutcome::Written);
        QCOMPARE(kf::readFile(k2), loadedBytes);
        QCOMPARE(kf::readFile(list), listBytes);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QCOMPARE(kf::readFile(k2), loadedBytes);
        QCOMPARE(lib.soundGroupList().at(0).soundList.at(0).file, k2 + ":U00001");
    }

    // The new file kept beside the loaded one when the sounds it would lose
    // cannot be kept: a folder that stops answering while it takes its "~1"
    // name is not told as a file not written, as that copy may yet appear.
    void silentFolderWhileKeepingTheNewFileBeside()
    {
        QTemporaryDir dir;
        const QString k2 = dir.filePath("K002.INI");
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 1, kitSounds(m_sounds), k2));
        const QByteArray loadedBytes = kf::readFile(k2);
        Editor e;
        QCOMPARE(loadKitFile(e, k2), LoadError::None);
        KitDocument doc;
        doc.startKits(e.kits, {});
        reloadKit(doc, 1, [&k2](Kit &kit) {
            kit.kit_name = "K002";
            sf::forEachSoundSlot(kit, [&k2](auto s) {
                if (s.file == k2 + ":U00000")
                    s.file.clear();
            });
        });
        SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
        lib.takeSoundRecords(e.library);
        for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
            lib.addLoadedKitFile(loaded);
        lib.recordKitFile(k2, 2);
        lib.openSoundList(dir.filePath("soundlist.xml"));
        QVERIFY(kf::writeFile(dir.filePath("Kept sounds"), "a file, not a folder")); // no sound can be kept
        savejob::Hooks painting = hooks();
        painting.wait = eventsWhileWaiting();
        ScriptedQuestions questions;
        questions.answers = {true};
        HangingOpens hanging(m_disk, "~1.INI", 0, HangingOpens::Looks::Renames);
        const setupjob::Result done = SaveKitsJob(doc, lib, questions, {}, painting).run({dir.path(), {2}, m_temp}).result;
        QVERIFY(hanging.waiting() > 0); // told while the look is held
        QCOMPARE(hanging.hung(), 1);
        QStringList texts;
        for (const setupjob::Notice &n : done.notices)
            texts << n.text;
        QVERIFY2(texts.contains("The folder stopped answering while the new file was being kept beside this file:\r\n"
                                + k2
                                + "\r\nThe new file may or may not be there now, under this file's name with \"~\" "
                                  "and a number. This file is as it was. Please look in the folder."),
                 qPrintable(texts.join("|")));
        for (const QString &t : qAsConst(texts))
            QVERIFY2(!t.startsWith("The file could not be written:"), qPrintable(t));
        QCOMPARE(kf::readFile(k2), loadedBytes);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_VERIFY(QFileInfo::exists(dir.filePath("K002~1.INI")));
        QCOMPARE(kf::readFile(k2), loadedBytes);
    }

    // No to the one overwrite asked: nothing is written, the file keeps its
    // bytes and the notice says that nothing was saved.
    void declinedOverwriteSavesNothing()
    {
        const QString out = path("declined");
        QVERIFY(QDir().mkpath(out));
        const QString existing = QDir(out).filePath("Kit 5.INI");
        QVERIFY(kf::writeFile(existing, "kept as it was"));
        ScriptedQuestions questions;
        questions.answers = {false};
        SaveKitsJob job(*m_doc, m_lib, questions, {}, hooks());
        const SaveKitsJob::Outcome done = job.run({out, {5}, m_temp});

        QCOMPARE(questions.asked, QStringList({"Warning", "The file already exists. Do you confirm to overwrite "
                                                          "it?\r\nFile location: \r\n" + existing}));
        QCOMPARE(done.result.files.size(), 1);
        QCOMPARE(int(done.result.files.at(0).outcome), int(FileOutcome::Declined));
        QCOMPARE(done.result.files.at(0).path, existing);
        QCOMPARE(titles(done.result), QStringList({"Tip"}));
        QCOMPARE(done.result.notices.at(0).text, QString("No file was saved: the existing files stay as they were."));
        QCOMPARE(int(done.result.notices.at(0).kind), int(setupjob::Notice::Information));
        QCOMPARE(kf::readFile(existing), QByteArray("kept as it was"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"Kit 5.INI"}));

        // Declined for one kit of two: the box names the kit not saved.
        questions.answers = {false};
        const SaveKitsJob::Outcome part = SaveKitsJob(*m_doc, m_lib, questions, {}, hooks()).run({out, {1, 5}, m_temp});
        QCOMPARE(titles(part.result), QStringList({"successfully saved."}));
        QCOMPARE(part.result.notices.at(0).text, "The file has been generated:\r\nFile location:\r\n" + out
                                                         + "\r\nThese kits are not saved, as their existing files "
                                                           "were kept:\r\nKit 5 Kit 5");
        QCOMPARE(int(part.result.files.at(1).outcome), int(FileOutcome::Declined));
        QCOMPARE(kf::readFile(existing), QByteArray("kept as it was"));
    }

    // A file made at the target while the save wrote its own is kept: the
    // box says why the new file did not take the name, and where it is.
    void nameTakenMeanwhileTellsWhy()
    {
        const QString out = path("race"), target = out + "/Kit 2.INI";
        QVERIFY(QDir().mkpath(out));
        // Another program makes the file once the save's own is made.
        struct Racing : PassDisk {
            QString out, target;
            bool made = false;
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode) override
            {
                const int fd = PassDisk::openAt(dir, name, flags, mode);
                if (fd >= 0 && (flags & O_CREAT) && !made && !QDir(out).entryList(QDir::Files | QDir::Hidden).isEmpty())
                    made = kf::writeFile(target, "theirs");
                return fd;
            }
        } racing;
        racing.out = out;
        racing.target = target;
        ScriptedQuestions questions;
        SaveKitsJob::Outcome done;
        {
            DiskInPlace in(m_disk, &racing);
            done = SaveKitsJob(*m_doc, m_lib, questions, {}, hooks()).run({out, {2}, m_temp});
        }
        QVERIFY(racing.made);
        QCOMPARE(done.result.notices.size(), 2);
        QCOMPARE(done.result.notices.at(0).text, "The old file could not be replaced:\r\n" + target + "\r\n"
                                                         + QString::fromLocal8Bit(std::strerror(EEXIST))
                                                         + "\r\nThe new file is kept as:\r\n" + out + "/Kit 2~1.INI");
        QCOMPARE(done.result.notices.at(1).text, QString("These kits are not saved:\r\nKit 2 Kit 2"));
        QCOMPARE(kf::readFile(target), QByteArray("theirs"));
    }

    // Saved over another user's file by one who may not give it back its
    // owner and group: the box says what changed.
    void ownerNotKeptIsTold()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to own files as others");
        const QString out = path("theirs"), target = QDir(out).filePath("Kit 2.INI");
        QVERIFY(QDir().mkpath(out) && kf::writeFile(target, "theirs"));
        QCOMPARE(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(out).constData(), 0777), 0);
        QCOMPARE(::chown(QFile::encodeName(target).constData(), 4242, 4343), 0);
        ScriptedQuestions questions;
        questions.answers = {true};
        SaveKitsJob job(*m_doc, m_lib, questions, {}, hooks());
        QCOMPARE(::seteuid(65534), 0);
        const SaveKitsJob::Outcome done = job.run({out, {2}, m_temp});
        QCOMPARE(::seteuid(0), 0);
        QCOMPARE(titles(done.result), QStringList({"successfully saved."}));
        const QString lost = "The owner 4242 could not be kept: the file now belongs to nobody.\r\nThe group 4343 "
                             "could not be kept: the file's group is now root.";
        QCOMPARE(done.result.notices.at(0).text,
                 "The file has been generated:\r\nFile location:\r\n" + out + "\r\n" + target + "\r\n" + lost);

        // The same when the folder then does not confirm the new name.
        QCOMPARE(::chown(QFile::encodeName(target).constData(), 4242, 4343), 0);
        AnsweringSyncs disk([](int fd, bool) {
            struct stat st;
            if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
                errno = EIO;
                return -1;
            }
            return 0;
        });
        auto in = std::make_unique<DiskInPlace>(m_disk, &disk);
        questions.answers = {true};
        QCOMPARE(::seteuid(65534), 0);
        const SaveKitsJob::Outcome again = SaveKitsJob(*m_doc, m_lib, questions, {}, hooks()).run({out, {2}, m_temp});
        QCOMPARE(::seteuid(0), 0);
        in.reset();
        QCOMPARE(again.result.notices.size(), 1);
        QVERIFY(again.result.notices.at(0).text.endsWith(target + "\r\n" + QString::fromLocal8Bit(std::strerror(EIO))
                                                         + "\r\n" + lost));
    }

    // A kit file saved over its loaded self without a sound the list still
    // holds: the sound is KeptAs its copy, before the file is Written.
    void keptSoundHasItsResult()
    {
        const QString out = path("over"), file = out + "/Kit 1.INI", copy = path("Kept sounds/Kick.wav");
        QVERIFY(QDir().mkpath(out));
        m_lib.openSoundList(path("soundlist.xml"));
        ScriptedQuestions questions;
        SaveKitsJob(*m_doc, m_lib, questions, {}, hooks()).run({out, {1}, m_temp});
        ImportKitFilesJob import(*m_doc, m_lib);
        QVERIFY(import.takePicks({file}) && import.run({}));
        m_doc->clearPad(0, 2, 0); // the file's Kick stays in the list only
        questions.answers = {true};
        const setupjob::Result done = SaveKitsJob(*m_doc, m_lib, questions, {}, hooks()).run({out, {1}, m_temp}).result;
        QCOMPARE(done.files.size(), 2);
        QCOMPARE(int(done.files.at(0).outcome), int(FileOutcome::KeptAs));
        QCOMPARE(done.files.at(0).path + " " + done.files.at(0).keptAs, file + ":U00000 " + copy);
        QCOMPARE(int(done.files.at(1).outcome), int(FileOutcome::Written));
        QCOMPARE(kf::readFile(copy), kf::readFile(kick().file));
    }

    // A kit save over the loaded kit file whose groups' file is read-only and
    // kept so: the Kick only a group names is still kept, the box names the
    // row and its copy, and the next start finds the row there by its bytes.
    void savedKitWhoseGroupsCannotBeWrittenNamesTheRows()
    {
        QTemporaryDir dir;
        const QString k2 = dir.filePath("K002.INI"), list = dir.filePath("soundlist.xml");
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVERIFY(kf::writeSingleKit(*m, kits, 1, kitSounds(m_sounds), k2));
        const QByteArray kickBytes = kf::readFile(kick().file);
        QVector<soundfilexml::strSoundGroup> groups(1);
        groups[0].name = "G";
        groups[0].soundList.append({{}, "Kick", k2 + ":U00000", {}, {}, {}, {}, {}, "Kick",
                                    QString::number(kickBytes.size()),
                                    QCryptographicHash::hash(kickBytes, QCryptographicHash::Sha256).toHex(), {}});
        QVERIFY(soundlists::write(list, groups));
        QVERIFY(QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        Editor e;
        QCOMPARE(loadKitFile(e, k2), LoadError::None);
        KitDocument doc;
        doc.startKits(e.kits, {});
        reloadKit(doc, 1, [&k2](Kit &kit) {
            kit.kit_name = "K002";
            sf::forEachSoundSlot(kit, [&k2](auto s) {
                if (s.file == k2 + ":U00000")
                    s.file.clear();
            });
        });
        SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
        lib.takeSoundRecords(e.library);
        for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
            lib.addLoadedKitFile(loaded);
        lib.recordKitFile(k2, 2);
        QVERIFY(lib.openSoundList(list).unmatched.isEmpty());
        lib.removeSounds({0}, {true}); // the Kick stays in the group only
        ScriptedQuestions questions;
        questions.answers = {true, false}; // overwrite K002.INI; keep the groups' file read-only
        const setupjob::Result done = SaveKitsJob(doc, lib, questions, {}, hooks()).run({dir.path(), {2}, m_temp}).result;
        const QString copy = dir.filePath("Kept sounds/Kick.wav");
        QCOMPARE(kf::readFile(copy), kickBytes);
        QVERIFY(titles(done).contains("Warning"));
        QVERIFY2(done.notices.at(titles(done).indexOf("Warning")).text.endsWith(
                         "(The file is read-only.). These sounds of the groups now stand elsewhere; the groups' file "
                         "still names their old places, and the next start finds them by their bytes:\r\nG: Kick -> "
                         + copy),
                 qPrintable(done.notices.at(titles(done).indexOf("Warning")).text));
        QCOMPARE(kf::readFile(list), soundfilexml::toBytes(groups)); // not written
        SoundLibrary again(QString(), nullptr, fenceOn(m_disk));
        const SoundLibrary::SoundListStart start = again.openSoundList(list);
        QCOMPARE(start.fromKept.size(), 1);
        QCOMPARE(again.soundGroupList().at(0).soundList.at(0).file, copy);
    }

    // A kit save over the loaded kit file that leaves out its first sound, so
    // that the other moves up, over a group list of an older editor (its rows
    // carry no entries), stopped at every call: a new start finds every group
    // row at the sound it named, or names the row; never at another sound.
    void savedKitStoppedAnywhereKeepsGroupRowsOnTheirSounds()
    {
        const TempInMemory inMemory;
        QTemporaryDir dir;
        auto m = std::make_unique<percussionpadfile>();
        kf::KitStorage kits;
        kits.fill({1, 2}, 7);
        QVector<kf::TestSound> waves = kitSounds(m_sounds);
        waves[1].name = "Snare_"; // the new file stores it as the name rule leaves it: "Snare"
        QVERIFY(kf::writeSingleKit(*m, kits, 1, waves, dir.filePath("K002.INI")));
        const QByteArray original = kf::readFile(dir.filePath("K002.INI"));
        Editor first;
        QCOMPARE(loadKitFile(first, dir.filePath("K002.INI")), LoadError::None);
        const QStringList names = {"Kick", "Snare_"};
        QVector<QByteArray> sounds; // the sounds the rows name
        for (int i = 0; i < names.size(); ++i)
            sounds.append(soundBytes(first, dir.filePath(QString("K002.INI:U0000%1").arg(i))));

        // Each run in a folder of its own: what a stop leaves stays there.
        int calls = 0;
        auto save = [&](int stopAt) {
            const QString folder = dir.filePath(QString::number(stopAt)), k2 = folder + "/K002.INI";
            QVERIFY(QDir().mkpath(folder) && kf::writeFile(k2, original));
            QVector<soundfilexml::strSoundGroup> older(1); // its rows carry no entries
            for (int i = 0; i < names.size(); ++i) {
                const QString source = k2 + QString(":U0000%1").arg(i);
                older[0].soundList.append({{}, names.at(i), source, {}, {}, {}, {}, {}, {}, {}, {}, {}});
            }
            QVERIFY(soundlists::write(folder + "/soundlist.xml", older));
            Editor e;
            QCOMPARE(loadKitFile(e, k2), LoadError::None);
            KitDocument doc;
            doc.startKits(e.kits, {});
            reloadKit(doc, 1, [&k2](Kit &kit) {
                kit.kit_name = "K002";
                sf::forEachSoundSlot(kit, [&k2](auto s) {
                    if (s.file == k2 + ":U00000")
                        s.file.clear();
                });
            });
            SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
            lib.takeSoundRecords(e.library);
            for (const SoundLibrary::READ_KIT_FILE &loaded : qAsConst(e.loaded))
                lib.addLoadedKitFile(loaded);
            lib.recordKitFile(k2, 2);
            lib.openSoundList(folder + "/soundlist.xml");
            ScriptedQuestions questions;
            questions.answers = {true};
            SaveKitsJob job(doc, lib, questions, {}, hooks());
            stopBefore(m_disk, folder, stopAt, [&](ztplatform::Disk &) { job.run({folder, {2}, m_temp}); }, true,
                       stopAt == 0 ? &calls : nullptr);
        };
        QStringList wrong; // stop: row at another sound
        auto startAgain = [&](int n) {
            SoundLibrary lib(QString(), nullptr, fenceOn(m_disk));
            const SoundLibrary::SoundListStart start =
                    lib.openSoundList(dir.filePath(QString::number(n) + "/soundlist.xml"));
            const QVector<soundfilexml::strSoundGroup> groups = lib.soundGroupList();
            QStringList told, sources;
            for (const groupentries::Unmatched &u : start.unmatched)
                told << u.name;
            for (const soundfilexml::strSoundItem &s : groups.value(0).soundList) {
                sources << QFileInfo(s.file).fileName();
                const StoredRef ref = parseStoredSource(s.file);
                Editor now;
                now.loaded.resize(1);
                const bool read = !ref.isStored() || groupentries::readStoredSounds(ref.kitFile, now.loaded[0]);
                if (told.contains(s.name) || !read)
                    continue;
                if (soundBytes(now, s.file) != sounds.value(names.indexOf(s.name)))
                    wrong << QString("%1: %2").arg(n).arg(s.name);
            }
            return sources;
        };
        save(0);
        QCOMPARE(startAgain(0), QStringList({"Kick.wav", "K002.INI:U00000"}));
        for (int n = 1; n <= calls; ++n) {
            save(n);
            startAgain(n);
        }
        QCOMPARE(wrong, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSaveJobs)
#include "test_savejobs.moc"

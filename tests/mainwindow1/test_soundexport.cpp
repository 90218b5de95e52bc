// Exporting sounds of the total list with the real ffmpeg, and the report.
#include "mainwindow1/library/soundfilescontroller.h"
#include "soundlib_fixture.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

#include "device/bindmount.h"
#include "model/audioconverter.h"

#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/replacefile.h"
#include "platform/silentfiles.h"
#include "support/crashdisk.h"
#include "support/fakeprogram.h"
#include "support/hangingdisk.h"
#include "support/passdisk.h"
#include "platform/tempnames.h"
#include "widgets/customdialog.h"
#include "widgets/totaltreeview.h"
#include "support/memorytemp.h"

#include <QAction>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTextEdit>
#include <QThread>
#include <QMutex>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace soundlib;

namespace {

struct Export
{
    Fixture f;
    MainWindow1 *w = nullptr;
    QString out;

    explicit Export(const audioconverter::Limits &conversion = audioconverter::Limits())
    {
        f.services.conversion = conversion;
        w = f.open();
        out = f.path("out");
        QDir().mkpath(out);
    }
    // Appends a row and its record as a load does.
    void add(const QString &name, const QString &path, quint16 number, quint8 lock = 1)
    {
        const int row = w->library().totalListItemModel()->soundCount();
        w->library().addSound(name, path, number, true);
        if (lock == 0)
            w->library().lockSounds({row}, true);
    }
    void select(const QVector<int> &rows)
    {
        QItemSelectionModel *sel = w->form()->totalWaveTreeView->selectionModel();
        sel->clearSelection();
        const SoundListModel *total = w->library().totalListItemModel();
        for (int r : rows)
            sel->select(r < 0 ? total->rootIndex() : total->soundIndex(r),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Runs "Export Sound" into `folder` (none: the dialog is cancelled).
    void run(const QString &folder)
    {
        f.prompter.fileAnswers.enqueue(folder.isEmpty() ? QStringList() : QStringList{folder});
        w->form()->totalWaveTreeView->exportSoundAction()->trigger();
    }
    QByteArray file(const QString &name) const { return kf::readFile(QDir(out).filePath(name)); }
    QString report() const
    {
        return w->soundFiles().custom() ? w->soundFiles().custom()->findChild<QTextEdit *>("textEdit")->toPlainText() : QString();
    }
};

// A short tone encoded by ffmpeg into `path` (its suffix picks the format).
QString encoded(const QString &path, const QStringList &extra = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess p;
    p.start("ffmpeg", QStringList{"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                                  "sine=frequency=440:sample_rate=22050:duration=0.3", "-ac", "1"}
                              + extra + QStringList{"-y", path});
    p.waitForFinished(60000);
    return QDir::toNativeSeparators(path);
}

// The box that asks before files already in `folder` are replaced.
QString replaceQuestion(const QStringList &lines, const QString &folder)
{
    return "These files are already in the folder and will be replaced:\r\n" + lines.join("\r\n")
           + "\r\nFile location:\r\n" + folder + "\r\nDo you confirm to overwrite them?";
}

// Conversions sync their outputs on threads of their own, at once.
std::atomic<int> g_fileSyncs{0}, g_folderSyncs{0};
bool g_folderFails = false;
// Syncs as the system does, counting files and folders; a folder fails with
// EIO when g_folderFails.
int countedSync(int fd, bool dataOnly)
{
    struct stat st;
    if (::fstat(fd, &st) == 0)
        ++(S_ISDIR(st.st_mode) ? g_folderSyncs : g_fileSyncs);
    if (g_folderFails && S_ISDIR(st.st_mode)) {
        errno = EIO;
        return -1;
    }
    return dataOnly ? ::fdatasync(fd) : ::fsync(fd);
}

} // namespace

class TestSoundExport : public QObject
{
    Q_OBJECT

private slots:

    // A file whose name ends in a blank is a file of its own: it is listed
    // beside the one without the blank, and exported as itself.
    void fileNameEndingInABlankIsItsOwnSound()
    {
        Export e;
        const QString spaced = writeBytes(e.f.path("src/kick.wav "), pcmWav(1, 44100, 4410));
        const QString plain = writeBytes(e.f.path("src/kick.wav"), pcmWav(2, 8000, 8000));
        e.f.importToList({spaced});
        e.f.importToList({plain});
        QVERIFY(e.f.prompter.texts().filter("already exist").isEmpty());
        const QStringList rows = e.f.totalRows();
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows.at(0).endsWith('|' + spaced));
        QVERIFY(rows.at(1).endsWith('|' + plain));
        e.select({0});
        e.run(e.out);
        const QByteArray wav = e.file("kick.wav");
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QVERIFY2(wav.size() < 50000, QByteArray::number(wav.size())); // a tenth of a second, not a whole one
    }

    void conversionsAndReport()
    {
        Export e;
        MainWindow1 *w = e.w;
        e.add("mono", writeBytes(e.f.path("src/mono.wav"), pcmWav(1, 44100, 4410)), 1);
        e.add("tone", encoded(e.f.work.filePath("src/tone.mp3")), 2);
        e.add("../up", writeBytes(e.f.path("src/up.wav"), pcmWav(2, 48000, 480)), 3);
        e.add("mono", writeBytes(e.f.path("other/mono.wav"), pcmWav(2, 8000, 800)), 4);
        kf::writeFile(QDir(e.out).filePath("tone.wav"), "older file");
        QSignalSpy names(&w->soundFiles(), &SoundFilesController::exportWritten);
        e.select({0, 1, 2, 3});
        e.run(e.out);
        QCOMPARE(e.f.prompter.prompts.first().kind, UiPrompter::ExistingDirectory);
        QCOMPARE(e.f.prompter.prompts.first().title, QString("Output"));
        // The file already at one sound's name is replaced once agreed to.
        QCOMPARE(e.f.prompter.texts(), QStringList{replaceQuestion({"tone.wav"}, e.out)});
        const QStringList written = {"mono.wav", "tone.wav", ".._up.wav", "mono~1.wav"};
        QCOMPARE(names.size(), 1);
        QCOMPARE(names.first().at(0).toStringList(), written);
        QCOMPARE(names.first().at(1).toString(), e.out);
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({".._up.wav", "mono.wav", "mono~1.wav", "tone.wav"}));
        for (const QString &name : written) {
            const QByteArray wav = e.file(name);
            QCOMPARE(wav.left(4), QByteArray("RIFF"));
            QCOMPARE(kf::rd16(wav, 22), quint16(2));
            QCOMPARE(kf::rd32(wav, 24), 48000u);
            QCOMPARE(kf::rd16(wav, 34), quint16(16));
            QCOMPARE(kf::rd32(wav, 40), quint32(wav.size() - 44));
            QVERIFY(wav.size() > 44);
        }
        QCOMPARE(kf::rd32(e.file("mono.wav"), 40), 4410u * 48000 / 44100 * 4);

        // The report: its own list, one OK, then it goes.
        QPointer<CustomDialog> report = w->soundFiles().custom();
        QVERIFY(report && report->isVisible() && !report->isModal());
        QCOMPARE(report->windowTitle(), QString("Export Sound"));
        QCOMPARE(e.report(), "mono.wav,  tone.wav,  .._up.wav,  mono~1.wav\nis successfully exported.\n"
                             "File location:\n" + e.out);
        QSignalSpy ok(report.data(), &CustomDialog::sendOK);
        report->findChild<QPushButton *>("btnOKSucc")->click();
        QCOMPARE(ok.size(), 1);
        QVERIFY(!w->soundFiles().custom());
        QTRY_VERIFY(!report);

        // A second export: a fresh report; closed from its title bar it says nothing.
        e.f.prompter.clear();
        e.select({1});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{replaceQuestion({"tone.wav"}, e.out)});
        report = w->soundFiles().custom();
        QVERIFY(report);
        QCOMPARE(e.report(), "tone.wav\nis successfully exported.\nFile location:\n" + e.out);
        QSignalSpy silent(report.data(), &CustomDialog::sendOK);
        report->close();
        QTRY_VERIFY(!report);
        QCOMPARE(silent.size(), 0);
        QVERIFY(!w->soundFiles().custom());
    }

    // Files already at the sounds' names are asked about once, before
    // anything is written: No writes none of the sounds, Yes replaces them.
    void existingFilesAskedAboutFirst()
    {
        Export e;
        MainWindow1 *w = e.w;
        e.add("kick", writeBytes(e.f.path("src/kick.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("hat", writeBytes(e.f.path("src/hat.wav"), pcmWav(1, 8000, 800)), 2);
        const QString kick = writeBytes(QDir(e.out).filePath("kick.wav"), "the drummer's own kick");
        e.select({0, 1});
        e.f.prompter.buttonAnswers << QMessageBox::No;
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList({replaceQuestion({"kick.wav"}, e.out),
                                                    "No file was saved: the existing files stay as they were."}));
        const ScriptedPrompter::Prompt &asked = e.f.prompter.prompts.at(1);
        QCOMPARE(asked.title, QString("Warning"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(asked.details.isEmpty());
        QCOMPARE(kf::readFile(kick), QByteArray("the drummer's own kick"));
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"kick.wav"});
        QVERIFY(!w->soundFiles().custom());
        QVERIFY(!w->preview().dialog()->isVisible());

        e.f.prompter.clear();
        e.f.prompter.buttonAnswers << QMessageBox::Yes;
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{replaceQuestion({"kick.wav"}, e.out)});
        QCOMPARE(kf::rd32(e.file("kick.wav"), 24), 48000u);
        QCOMPARE(e.report(), "kick.wav,  hat.wav\nis successfully exported.\nFile location:\n" + e.out);

        // A long list: 25 lines, then how many more; every name in the details.
        QStringList names;
        QVector<int> rows;
        for (int n = 0; n < 30; ++n) {
            names << QString("s%1.wav").arg(n, 2, 10, QChar('0'));
            e.add(names.last().chopped(4), writeBytes(e.f.path("src/" + names.last()), pcmWav(1, 8000, 80)),
                  quint16(3 + n));
            writeBytes(QDir(e.out).filePath(names.last()), "older");
            rows << 2 + n;
        }
        e.select(rows);
        e.f.prompter.clear();
        e.f.prompter.buttonAnswers << QMessageBox::No;
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts().first(), replaceQuestion(names.mid(0, 25) + QStringList{"and 5 more"}, e.out));
        QCOMPARE(e.f.prompter.prompts.at(1).details, replaceQuestion(names, e.out));
        QCOMPARE(e.f.prompter.texts().size(), 2);
        for (const QString &name : qAsConst(names))
            QCOMPARE(e.file(name), QByteArray("older"));
    }

    // One step sideways: a link at the name is replaced itself, never written
    // through; a read-only file is named so and keeps its mode; a folder gone
    // since the question, or a file made since at a name that was free, is
    // told as not written, nothing made in its place.
    void replacingOneStepSideways()
    {
        Export e;
        e.add("kick", writeBytes(e.f.path("src/kick.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("snare", writeBytes(e.f.path("src/snare.wav"), pcmWav(1, 8000, 800)), 2);
        e.add("hat", writeBytes(e.f.path("src/hat.wav"), pcmWav(1, 8000, 800)), 3);
        const QString far = writeBytes(e.f.path("elsewhere/user.wav"), "the file the link leads to");
        QVERIFY(QFile::link(far, QDir(e.out).filePath("kick.wav")));
        const QString snare = writeBytes(QDir(e.out).filePath("snare.wav"), "read-only snare");
        QVERIFY(QFile::setPermissions(snare, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        e.select({0, 1, 2});
        e.f.prompter.buttonAnswers << QMessageBox::Yes;
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{replaceQuestion({"kick.wav", "snare.wav (read-only)"}, e.out)});
        QCOMPARE(kf::readFile(far), QByteArray("the file the link leads to"));
        QVERIFY(!QFileInfo(QDir(e.out).filePath("kick.wav")).isSymLink());
        QCOMPARE(kf::rd32(e.file("kick.wav"), 24), 48000u);
        QCOMPARE(kf::rd32(e.file("snare.wav"), 24), 48000u);
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(snare).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0444));

        // The folder changes while the question is shown.
        ScriptedPrompter &acting = e.f.prompter;
        acting.reset();
        const auto unhook = qScopeGuard([&acting] { acting.onPrompt = nullptr; });
        const QString gone = e.f.path("gone");
        const QString made = e.f.path("made");
        for (const QString &folder : {gone, made}) {
            QVERIFY(QDir().mkpath(folder));
            writeBytes(QDir(folder).filePath("kick.wav"), "older kick");
            acting.onPrompt = [&](const ScriptedPrompter::Prompt &p) {
                if (!p.text.startsWith("These files are already in the folder"))
                    return;
                if (folder == gone)
                    QVERIFY(QDir(gone).removeRecursively());
                else
                    writeBytes(QDir(made).filePath("hat.wav"), "made since the question");
            };
            acting.clear();
            acting.buttonAnswers << QMessageBox::Yes;
            acting.fileAnswers.enqueue({folder});
            e.w->form()->totalWaveTreeView->exportSoundAction()->trigger();
            const QStringList texts = acting.texts();
            QCOMPARE(texts.size(), 2);
            QCOMPARE(texts.first(), replaceQuestion({"kick.wav"}, folder));
            if (folder == gone) {
                QCOMPARE(texts.last(), "These files could not be written:\r\nkick.wav,  snare.wav,  hat.wav\r\n"
                                       "File location:\r\n" + gone + "\r\n" + std::strerror(ENOENT));
                QVERIFY(!QFileInfo::exists(gone));
            } else {
                QCOMPARE(texts.last(), "These files could not be written:\r\nhat.wav\r\nFile location:\r\n" + made
                                               + "\r\n" + std::strerror(EEXIST));
                QCOMPARE(kf::readFile(QDir(made).filePath("hat.wav")), QByteArray("made since the question"));
                QCOMPARE(QDir(made).entryList(QDir::Files | QDir::Hidden | QDir::System),
                         QStringList({"hat.wav", "kick.wav", "snare.wav"}));
            }
        }
    }

    // Conversions run side by side and end in any order; the report lists
    // the sounds in the order they were selected.
    void reportKeepsTheRowsOrder()
    {
        Export e;
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        QVERIFY(!ffmpeg.isEmpty());
        const QString log = e.f.path("ends.log");
        // Side by side, the slow one waits (a minute at most) until the three others have ended.
        const QByteArray logName = QFile::encodeName(log);
        const QByteArray wait = "case \"$*\" in *slow*) i=0; while [ \"$(grep -c quick '" + logName
                                + "' 2>/dev/null)\" != 3 ] && [ $i -lt 1200 ]; do sleep 0.05; i=$((i+1)); done;; esac\n";
        const FakeProgram slow("ffmpeg", (QThread::idealThreadCount() > 1 ? wait : QByteArray()) + "'"
                                                 + QFile::encodeName(ffmpeg)
                                                 + "' \"$@\"\nstatus=$?\n"
                                                   "case \"$*\" in *slow*) echo slow;; *) echo quick;; esac >> '"
                                                 + logName + "'\nexit $status\n");
        QVERIFY(slow.ready());
        e.add("slow", writeBytes(e.f.path("src/slow.wav"), pcmWav(1, 8000, 800)), 1);
        for (const char *name : {"a", "b", "c"})
            e.add(name, writeBytes(e.f.path(QString("src/%1.wav").arg(name)), pcmWav(1, 8000, 800)), 2);
        e.select({0, 1, 2, 3});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(e.report(), "slow.wav,  a.wav,  b.wav,  c.wav\nis successfully exported.\nFile location:\n" + e.out);
        const QList<QByteArray> ends = kf::readFile(log).trimmed().split('\n');
        QCOMPARE(ends.size(), 4);
        if (QThread::idealThreadCount() > 1)
            QCOMPARE(ends.last(), QByteArray("slow"));
        QVERIFY(!e.w->preview().dialog()->isVisible());
    }

    void refusalsAndFailures()
    {
        Export e;
        MainWindow1 *w = e.w;
        const QString good = writeBytes(e.f.path("src/good.wav"), pcmWav(2, 48000, 480));
        e.add("good", good, 1);
        const QString noise = writeBytes(e.f.path("src/noise.wav"), QByteArray(3000, 'x'));
        e.add("noise", noise, 2);
        e.add("safe", writeBytes(e.f.path("src/safe.wav"), pcmWav(2, 48000, 480)), 3, 0);
        w->form()->totalWaveTreeView->exportSoundAction()->trigger(); // nothing selected
        QVERIFY(e.f.prompter.prompts.isEmpty());
        e.select({0, 2});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{"Exporting locked sound is not supported!"});
        QCOMPARE(e.f.prompter.prompts.size(), 1); // no folder dialog
        e.f.prompter.clear();
        e.f.prompter.fileAnswers.clear();
        e.select({0});
        e.run(QString());
        QCOMPARE(e.f.prompter.texts(), QStringList{"The output file path is not set."});

        // The list's root and a bad file: both reported, the others written.
        e.f.prompter.clear();
        e.select({-1, 1, 0});
        e.run(e.out);
        const QStringList texts = e.f.prompter.texts();
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.at(0), QString("The export of sound group name is not supported, \r\n"
                                      "but this will not affect the sound export."));
        QVERIFY(texts.at(1).startsWith(QString::fromUtf8("Wrong data in file\xEF\xBC\x9A\r\nFile Location: ") + noise
                                       + "\r\n"));
        QVERIFY(texts.at(1).contains("Invalid data found when processing input"));
        QVERIFY(texts.at(1).count("\r\n") <= 4); // the last lines of ffmpeg's text, not all of it
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList{"good.wav"});
        QCOMPARE(e.report(), "good.wav\nis successfully exported.\nFile location:\n" + e.out);
        QVERIFY(!w->preview().dialog()->isVisible());

        // No ffmpeg: the export ends at the first conversion.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", e.f.work.path().toLocal8Bit());
        e.f.prompter.clear();
        QPointer<CustomDialog> before = w->soundFiles().custom();
        QDir(e.out).removeRecursively();
        QDir().mkpath(e.out);
        e.select({0});
        e.run(e.out);
        qputenv("PATH", path);
        QCOMPARE(e.f.prompter.texts(), QStringList{"Missing some files for the program!"});
        QVERIFY(QDir(e.out).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(w->soundFiles().custom(), before.data());
    }

    // Only what this run made is written over: a failed sound leaves the
    // target as it was, and a library sound's source is never a target.
    void exportKeepsWhatItDidNotMake()
    {
        Export e;
        const QString lib = e.f.path("lib");
        const QString a = encoded(lib + "/kick.wav", {"-ar", "96000", "-c:a", "pcm_s24le"});
        const QByteArray original = kf::readFile(a);
        e.add("kick", writeBytes(e.f.path("bad/kick.mp3"), "no sound here"), 1);
        e.add("kick", encoded(e.f.path("other/kick.flac")), 2);
        e.add("kick", a, 3);
        e.add("snare", writeBytes(e.f.path("bad/snare.wav"), QByteArray(64, 'x')), 4);
        kf::writeFile(lib + "/snare.wav", "an older snare");
        e.select({0, 1, 2, 3});
        e.run(lib);
        QCOMPARE(kf::readFile(a), original);
        QCOMPARE(kf::readFile(lib + "/snare.wav"), QByteArray("an older snare"));
        // Each name is chosen before the conversions run: the failed one's stays free.
        QCOMPARE(QDir(lib).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"kick.wav", "kick~2.wav", "kick~3.wav", "snare.wav"}));
        QCOMPARE(kf::rd32(kf::readFile(lib + "/kick~3.wav"), 24), 48000u);
        QCOMPARE(e.report(), "kick~2.wav,  kick~3.wav\nis successfully exported.\nFile location:\n" + lib);
        QCOMPARE(e.f.prompter.texts().first(), replaceQuestion({"snare.wav"}, lib));
    }

    // A folder or a pipe at a sound's name is left as it is: the sound takes the next name.
    void folderAtTheNameIsPassedBy()
    {
        Export e;
        e.add("snare", writeBytes(e.f.path("src/snare.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("kick", writeBytes(e.f.path("src/kick.wav"), pcmWav(1, 8000, 800)), 2);
        const QString inner = writeBytes(QDir(e.out).filePath("snare.wav/inner.txt"), "the user's");
        const QByteArray pipe = QFile::encodeName(QDir(e.out).filePath("kick.wav"));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        e.select({0, 1});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(kf::readFile(inner), QByteArray("the user's"));
        QVERIFY(QFileInfo(QString::fromLocal8Bit(pipe)).exists() && !QFileInfo(QString::fromLocal8Bit(pipe)).isFile());
        QCOMPARE(kf::rd32(e.file("snare~1.wav"), 24), 48000u);
        QCOMPARE(kf::rd32(e.file("kick~1.wav"), 24), 48000u);
        QCOMPARE(e.report(), "snare~1.wav,  kick~1.wav\nis successfully exported.\nFile location:\n" + e.out);
    }

    // Paths that hold ":U" or ".bin:U" before their end are plain files.
    void plainFilesWithMarkers()
    {
        Export e;
        e.add("colon", writeBytes(e.f.path("src/Hit:Up.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("marker", writeBytes(e.f.path("src/Take.bin:U00001 mix.wav"), pcmWav(1, 8000, 800)), 2);
        e.select({0, 1});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"colon.wav", "marker.wav"}));
    }

    // A sound kept as a link exports as the file it leads to; the link and that file stay as they were.
    void linkedSoundExports()
    {
        Export e;
        const QByteArray bytes = pcmWav(1, 8000, 800);
        const QString far = writeBytes(e.f.path("disk/kick.wav"), bytes);
        const QString link = e.f.path("src/kick.wav");
        QVERIFY(QDir().mkpath(e.f.path("src")) && QFile::link(far, link));
        e.add("kick", link, 1);
        e.select({0});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        const QFileInfo made(QDir(e.out).filePath("kick.wav"));
        QVERIFY(made.isFile() && !made.isSymLink());
        QVERIFY(e.file("kick.wav").startsWith("RIFF") && made.size() > 44);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(kf::readFile(far), bytes);
    }

    // The progress dialog holds the window: a click on it while the export
    // runs reaches nothing.
    void windowHeldWhileExporting()
    {
        Export e;
        MainWindow1 *w = e.w;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("b", writeBytes(e.f.path("src/b.wav"), pcmWav(1, 8000, 800)), 2);
        e.select({0, 1});
        QWidget *del = w->form()->tbtDel;
        QVERIFY(del->isVisible());
        bool clickedWhileExporting = false;
        QTimer::singleShot(0, w, [&] {
            clickedWhileExporting = w->preview().dialog() && w->preview().dialog()->isVisible();
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, Qt::NoModifier, del->mapTo(w, del->rect().center()));
        });
        e.run(e.out);
        QVERIFY(clickedWhileExporting);
        QCOMPARE(e.f.totalRows().size(), 2);
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({"a.wav", "b.wav"}));
    }

    // A slow converter runs off the GUI thread: the window's loop turns all
    // the while, and the files, the boxes and the report are those of a
    // quick run.
    void slowConverterLeavesTheLoopRunning()
    {
        Export e;
        MainWindow1 *w = e.w;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        w->library().addLoadedKitFile(kit.record);
        e.add("mono", writeBytes(e.f.path("src/mono.wav"), pcmWav(1, 44100, 4410)), 1);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 2);
        e.add("noise", writeBytes(e.f.path("src/noise.wav"), QByteArray(3000, 'x')), 3);
        e.add("tone", encoded(e.f.work.filePath("src/tone.mp3")), 4);
        struct Run
        {
            QStringList texts, files;
            QVector<QByteArray> bytes;
            QString report;
        };
        auto exportInto = [&e](const QString &folder) {
            QDir().mkpath(folder);
            e.f.prompter.clear();
            e.select({0, 1, 2, 3});
            e.run(folder);
            Run run;
            run.texts = e.f.prompter.texts();
            run.files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
            for (const QString &name : qAsConst(run.files))
                run.bytes << kf::readFile(QDir(folder).filePath(name));
            run.report = e.report().replace(folder, "FOLDER");
            return run;
        };
        const Run quick = exportInto(e.f.path("quick"));
        QCOMPARE(quick.files, QStringList({"mono.wav", "one.wav", "tone.wav"}));
        QCOMPARE(quick.texts.size(), 1);

        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        QVERIFY(!ffmpeg.isEmpty());
        // Each run waits (a minute at most) until the window has turned while it runs.
        const QByteArray seen = QFile::encodeName(e.f.path("seen")), running = QFile::encodeName(e.f.path("running"));
        const FakeProgram slow("ffmpeg", ": > '" + running + "'\ni=0\nwhile [ ! -e '" + seen
                                                 + "' ] && [ $i -lt 1200 ]; do sleep 0.05; i=$((i+1)); done\nexec '"
                                                 + QFile::encodeName(ffmpeg) + "' \"$@\"\n");
        QVERIFY(slow.ready());
        int turns = 0; // turns while a run was held
        QTimer turn;
        QObject::connect(&turn, &QTimer::timeout, [&] {
            if (QFile::exists(running) && !QFile::exists(seen)) {
                ++turns;
                kf::writeFile(seen, "");
            }
        });
        turn.start(20);
        const Run late = exportInto(e.f.path("slow"));
        turn.stop();
        QVERIFY(turns > 0);
        QCOMPARE(late.texts, quick.texts);
        QCOMPARE(late.files, quick.files);
        QCOMPARE(late.bytes, quick.bytes);
        QCOMPARE(late.report, quick.report);
        QCOMPARE(late.report, QString("mono.wav,  one.wav,  tone.wav\nis successfully exported.\nFile location:\nFOLDER"));
        QVERIFY(!w->preview().dialog()->isVisible());
    }

    // No more conversions run at once than the machine has cores, also while
    // the export waits on the first of them.
    void conversionsAtOnceKeepToTheCores()
    {
        Export e;
        const int cores = qMax(1, QThread::idealThreadCount());
        QStringList written;
        for (int i = 0; i < cores + 3; ++i) {
            const QString name = QString("s%1").arg(i, 2, 10, QChar('0'));
            e.add(name, writeBytes(e.f.path("src/" + name + ".wav"), pcmWav(1, 8000, 800)), quint16(i + 1));
            written << name + ".wav";
        }
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        QVERIFY(!ffmpeg.isEmpty());
        const QByteArray runs = QFile::encodeName(e.f.path("runs"));
        QVERIFY(QDir().mkpath(e.f.path("runs")));
        // Each run notes how many run with it, then converts.
        const FakeProgram counting("ffmpeg", "touch '" + runs + "'/$$\nls '" + runs + "' | wc -l >> '" + runs
                                                     + ".log'\nsleep 0.4\nrm '" + runs + "'/$$\nexec '"
                                                     + QFile::encodeName(ffmpeg) + "' \"$@\"\n");
        QVERIFY(counting.ready());
        QVector<int> rows;
        for (int i = 0; i < cores + 3; ++i)
            rows << i;
        e.select(rows);
        e.run(e.out);
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden, QDir::Name), written);
        const QList<QByteArray> counts = kf::readFile(e.f.path("runs.log")).trimmed().split('\n');
        QCOMPARE(counts.size(), cores + 3);
        int most = 0;
        for (const QByteArray &c : counts)
            most = qMax(most, c.trimmed().toInt());
        QVERIFY2(most <= cores, qPrintable(QString("%1 at once, %2 cores").arg(most).arg(cores)));
    }

    // A kit file whose drive stops answering during the copy is not waited
    // on: after the limit it is told as unreadable, the other sounds go and
    // nothing of the copy is left once the drive answers again.
    void kitFileThatDoesNotAnswerIsNotWaitedOn()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        e.add("one", whole + ":U00001", 1);
        e.add("two", whole + ":U00002", 2);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 3);
        e.select({0, 1, 2});
        HangingOpens hanging(e.f.disk, "/KIT_ALL.BIN");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts(), QStringList{"Failed to read the file.\r\n" + whole});
        QCOMPARE(e.report(), "a.wav\nis successfully exported.\nFile location:\n" + e.out);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList{"a.wav"});
    }

    // A stored sound whose kit file's reads fail is told as a file that cannot
    // be read. One whose read never returns is not waited on: the window
    // answers while it is held and tells the file as unread; once the read
    // returns, the sound exports.
    void kitFileWhoseReadsFailOrHold()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        e.add("one", whole + ":U00001", 1);
        e.select({0});
        {
            CrashDisk failing(e.f.work.path());
            const DiskInPlace in(e.f.disk, &failing);
            failing.setReads(CrashDisk::Reads::Fail, "/KIT_ALL.BIN");
            e.run(e.out);
            QVERIFY(failing.readsStopped() > 0);
        }
        QCOMPARE(e.f.prompter.texts(), QStringList{"Failed to read the file.\r\n" + whole});
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList());
        e.f.prompter.clear();
        {
            HangingOpens hanging(e.f.disk, "/KIT_ALL.BIN", 0, HangingOpens::Looks::Reads);
            const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
            e.run(e.out);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the read is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(e.f.prompter.texts(), QStringList{"Failed to read the file.\r\n" + whole});
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
        }
        QTRY_VERIFY(!ztplatform::isSilentFile(e.w->library().silentFiles(), whole));
        e.f.prompter.clear();
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QVERIFY(QFileInfo(QDir(e.out).filePath("one.wav")).size() > 44);
    }

    // A kit file or folder whose drive does not answer holds one look,
    // whichever look found it silent (the finder's, through another name of
    // the file; the copy's read; the name look in the folder): exported again
    // meanwhile, it is refused at once and the box says why; once that look
    // returns, the export goes.
    void fileThatDoesNotAnswerHoldsOneLook()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        const QString link = e.f.path("LINKED.BIN"); // the same file by another name
        QVERIFY(::link(QFile::encodeName(kit.path).constData(), QFile::encodeName(link).constData()) == 0);
        e.add("one", link + ":U00001", 1);
        e.add("two", whole + ":U00002", 2);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 3);
        const QString silent = "The drive of this file does not answer, so the sound is not taken:\r\n";
        const QString folder = e.f.path("silent");
        QDir().mkpath(folder);
        const QString unwritten = "These files could not be written:\r\na.wav\r\nFile location:\r\n" + folder + "\r\n";
        struct Case
        {
            int row;
            QByteArray hangs;
            HangingOpens::Looks looks;
            int limitMs;
            QString into, firstBox, againBox, silentFile, written;
        };
        const QVector<Case> cases = {
                {0, "/KIT_ALL.BIN", HangingOpens::Looks::OpensAndStats, 2000, e.out,
                 "Failed to read the file.\r\n" + link, silent + link, link, "one.wav"},
                {1, "/KIT_ALL.BIN", HangingOpens::Looks::Opens, 5000, e.out,
                 "Failed to read the file.\r\n" + whole, silent + whole, whole, "two.wav"},
                {2, "/silent", HangingOpens::Looks::Opens, 2000, folder, unwritten + std::strerror(ETIMEDOUT),
                 unwritten + "The drive does not answer: " + folder, folder, "a.wav"},
        };
        for (const Case &c : cases) {
            e.select({c.row});
            HangingOpens hanging(e.f.disk, c.hangs, 0, c.looks);
            e.f.prompter.clear();
            const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
            e.run(c.into);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the look is held
            QVERIFY(held.turns() > 0);
            QCOMPARE(e.f.prompter.texts(), QStringList{c.firstBox});
            QVERIFY(ztplatform::isSilentFile(e.w->library().silentFiles(), c.silentFile));
            for (int again = 0; again < 2; ++again) {
                e.f.prompter.clear();
                e.run(c.into);
                QCOMPARE(hanging.hung(), 1); // no other look
                QCOMPARE(hanging.waiting(), 1); // refused while the first still waits
                QCOMPARE(e.f.prompter.texts(), QStringList{c.againBox});
            }
            hanging.release();
            QTRY_VERIFY(!ztplatform::isSilentFile(e.w->library().silentFiles(), c.silentFile));
            e.f.prompter.clear();
            e.run(c.into);
            QVERIFY(e.f.prompter.texts().isEmpty());
            QVERIFY(QFileInfo(QDir(c.into).filePath(c.written)).size() > 44);
            QCOMPARE(hanging.hung(), 1);
            delete e.w->soundFiles().custom(); // its report
        }
    }

    // A stored sound whose write into the folder stops moving on is told as
    // not written, not as a kit file that cannot be read; nothing of it is
    // left once the write ends.
    void storedCopyWhoseWriteDoesNotAnswerIsNotWritten()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 1);
        e.select({0});
        HangingOpens hanging(e.f.disk, ".zt-part", 0, HangingOpens::Looks::Writes);
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the write is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts(), QStringList({"These files could not be written:\r\none.wav\r\nFile location:\r\n"
                                                    + e.out + "\r\n" + std::strerror(ETIMEDOUT)}));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_VERIFY(QDir(e.out).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
    }

    // Stored sounds in a row, the second's write stopping: the first is
    // written, the second and every one after it is told as not written, and
    // nothing of them is left once the write ends.
    void storedRowsStopAtTheWriteThatDoesNotAnswer()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        e.add("one", whole + ":U00001", 1);
        e.add("two", whole + ":U00002", 2);
        e.add("three", whole + ":U00003", 3);
        e.w->library().noteSetupClicks(false);
        e.select({0, 1, 2});
        HangingOpens hanging(e.f.disk, ".two.wav.0.zt-part", 0, HangingOpens::Looks::Writes);
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the write is held
        QVERIFY(held.turns() > 0);
        // The folder held, the written one's name is not confirmed either.
        QCOMPARE(e.f.prompter.texts(),
                 QStringList({"These files could not be written:\r\ntwo.wav,  three.wav\r\nFile location:\r\n" + e.out
                                      + "\r\n" + std::strerror(ETIMEDOUT),
                              "The file was written, but the disk did not confirm that it is stored:\r\n"
                                      + QDir(e.out).filePath("one.wav") + "\r\n" + std::strerror(ETIMEDOUT)}));
        QCOMPARE(e.file("one.wav"), kit.waves.at(1));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"one.wav"});
    }

    // Stored sounds in a row, copied while others are put in place: each is
    // synced before it takes its name, the names come in the rows' order and
    // the folder is synced once, after the last.
    void storedRowsTakeTheirNamesInOrderEachSyncedFirst()
    {
        struct Recording : PassDisk
        {
            QMutex lock;
            QStringList calls;
            void note(const QString &call)
            {
                QMutexLocker hold(&lock);
                calls << call;
            }
            int sync(int fd, bool dataOnly = false) override
            {
                note("sync " + QFileInfo(QFileInfo(QString("/proc/self/fd/%1").arg(fd)).symLinkTarget()).fileName());
                return PassDisk::sync(fd, dataOnly);
            }
            int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                         bool noReplace = false) override
            {
                const int done = PassDisk::renameAt(fromDir, from, toDir, to, noReplace);
                note("rename " + QFile::decodeName(from) + " " + QFile::decodeName(to));
                return done;
            }
        };
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        const QStringList names = {"one", "two", "three"};
        for (int i = 0; i < names.size(); ++i)
            e.add(names.at(i), whole + QString(":U%1").arg(i + 1, 5, 10, QChar('0')), quint16(i + 1));
        e.w->library().noteSetupClicks(false);
        e.select({0, 1, 2});
        Recording disk;
        {
            DiskInPlace in(e.f.disk, &disk);
            e.run(e.out);
        }
        QStringList expected;
        for (const QString &name : names)
            expected << "sync ." + name + ".wav.0.zt-part"
                     << "rename ." + name + ".wav.0.zt-part " + name + ".wav";
        expected << "sync out";
        QCOMPARE(disk.calls, expected);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(e.file(names.at(i) + ".wav"), kit.waves.at(i + 1));
    }

    // A converter that neither ends nor makes progress is stopped after the
    // stall limit: the sound's failure box, nothing at its name, the window
    // painting all the while.
    void stuckConverterFailsTheSound()
    {
        audioconverter::Limits quick;
        quick.stallMs = 1000;
        Export e(quick);
        const QString mono = writeBytes(e.f.path("src/mono.wav"), pcmWav(1, 44100, 4410));
        e.add("mono", mono, 1);
        const QString started = e.f.path("started");
        const FakeProgram stuck("ffmpeg", ": > '" + QFile::encodeName(started) + "'\nexec sleep 60\n");
        QVERIFY(stuck.ready());
        e.select({0});
        // The window paints while the converter is stuck, before it is told.
        const TurnsWhile held([&] { return QFileInfo::exists(started) && e.f.prompter.texts().isEmpty(); });
        QElapsedTimer clock;
        clock.start();
        e.run(e.out);
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts(),
                 QStringList{QString::fromUtf8("Wrong data in file\xEF\xBC\x9A\r\nFile Location: ") + mono
                             + "\r\nffmpeg made no progress for too long and was stopped."});
        QCOMPARE(QDir(e.out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList());
        QVERIFY(!e.w->preview().dialog()->isVisible());
    }

    // A WAV cut inside a frame exports the samples it holds.
    void cutWaveExports()
    {
        Export e;
        e.add("cut", writeBytes(e.f.path("src/cut.wav"), pcmWav(2, 48000, 4800).chopped(3)), 1);
        e.select({0});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(e.file("cut.wav").size(), 44 + 4799 * 4);
        QCOMPARE(kf::rd32(e.file("cut.wav"), 40), 4799u * 4);
    }

    // A pad sound whose file does not answer is not waited on: the window
    // paints meanwhile, the sound is refused after the limit as a drive that
    // does not answer, the others go.
    void padSoundThatDoesNotAnswerIsNotWaitedOn()
    {
        Export e;
        const QString slow = writeBytes(e.f.path("ZT350/WAV_DATA/001/006.wav"), pcmWav(2, 48000, 480));
        e.add("slow", slow, 1);
        e.add("fine", writeBytes(e.f.path("src/fine.wav"), pcmWav(2, 48000, 480)), 2);
        e.select({0, 1});
        HangingOpens hanging(e.f.disk, "/001/006.wav");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the file is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts().first(),
                 "The drive of this file does not answer, so the sound is not taken:\r\n" + slow);
        QVERIFY(!QFileInfo::exists(e.out + "/slow.wav"));
        QCOMPARE(e.file("fine.wav").size(), 44 + 480 * 4);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // An output folder that does not answer is not waited on: the window
    // paints meanwhile, and after the limit the export ends with one box for
    // every sound it did not write.
    void folderThatDoesNotAnswerIsNotWaitedOn()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 1);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 2);
        e.select({0, 1});
        HangingOpens hanging(e.f.disk, "/out");
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the folder is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts(), QStringList({"These files could not be written:\r\none.wav,  a.wav\r\n"
                                                    "File location:\r\n" + e.out + "\r\n" + std::strerror(ETIMEDOUT)}));
        QVERIFY(!e.w->soundFiles().custom());
        QVERIFY(QDir(e.out).isEmpty());
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A folder that stops answering before its sync: the window paints
    // meanwhile, and after the limit the box says the file is not confirmed.
    void folderSyncThatDoesNotAnswerIsNotWaitedOn()
    {
        Export e;
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 1);
        e.select({0});
        HangingOpens hanging(e.f.disk, "/out", 2); // the name look and the write answer
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().isEmpty(); });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the folder is held
        QVERIFY(held.turns() > 0);
        QCOMPARE(e.f.prompter.texts(),
                 QStringList({"The file was written, but the disk did not confirm that it is stored:\r\n"
                              + QDir(e.out).filePath("a.wav") + "\r\n" + std::strerror(ETIMEDOUT)}));
        QVERIFY(e.file("a.wav").size() > 44);
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
    }

    // A folder that stops answering during a file's rename: the box says the
    // file may or may not be in place, the rest is told as not written, and
    // once the rename ends the file is whole at its name, nothing beside it.
    void renameThatDoesNotAnswerIsToldAsInDoubt()
    {
        Export e;
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("b", writeBytes(e.f.path("src/b.wav"), pcmWav(1, 8000, 800)), 2);
        const QString plain = e.f.path("plain");
        QDir().mkpath(plain);
        e.select({0});
        e.run(plain);
        const QByteArray expected = kf::readFile(plain + "/a.wav");
        QVERIFY(expected.size() > 44);
        delete e.w->soundFiles().custom(); // its report
        e.f.prompter.clear();

        kf::writeFile(QDir(e.out).filePath("a.wav"), "older file");
        e.select({0, 1});
        HangingOpens hanging(e.f.disk, "a.wav", 0, HangingOpens::Looks::Renames);
        const TurnsWhile held([&] { return hanging.waiting() > 0 && e.f.prompter.texts().size() < 2; });
        e.run(e.out);
        QCOMPARE(hanging.hung(), 1);
        QCOMPARE(hanging.waiting(), 1); // told while the rename is held
        QVERIFY(held.turns() > 0);
        // b converts beside a: it was in place before a's rename stopped,
        // and the folder's sync that follows is not waited on.
        const bool beside = QThread::idealThreadCount() > 1;
        const QString b = QDir(e.out).filePath("b.wav");
        QCOMPARE(e.f.prompter.texts(),
                 QStringList({replaceQuestion({"a.wav"}, e.out),
                              "The folder stopped answering while this file was being put in place under its name:\r\n"
                                      + QDir(e.out).filePath("a.wav")
                                      + "\r\nIt may or may not be there now. A file that had this name before is "
                                        "either still the old one, whole, or the new one, whole. Please look in the "
                                        "folder.",
                              beside ? "The file was written, but the disk did not confirm that it is stored:\r\n" + b
                                               + "\r\n" + std::strerror(ETIMEDOUT)
                                     : "These files could not be written:\r\nb.wav\r\nFile location:\r\n" + e.out
                                               + "\r\n" + std::strerror(ETIMEDOUT)}));
        QCOMPARE(e.f.prompter.titles().at(1), QString("Warning"));
        QVERIFY(!e.w->soundFiles().custom());
        QCOMPARE(e.file("a.wav"), QByteArray("older file"));
        hanging.release();
        QTRY_COMPARE(hanging.waiting(), 0);
        QTRY_COMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden | QDir::System),
                     beside ? QStringList({"a.wav", "b.wav"}) : QStringList{"a.wav"});
        QCOMPARE(e.file("a.wav"), expected);
    }

    // A file exported over keeps its permissions.
    void replacedFileKeepsItsMode()
    {
        Export e;
        e.add("tone", writeBytes(e.f.path("src/tone.wav"), pcmWav(1, 8000, 800)), 1);
        const QString target = QDir(e.out).filePath("tone.wav");
        kf::writeFile(target, "older file");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        e.select({0});
        e.run(e.out);
        QCOMPARE(kf::rd32(e.file("tone.wav"), 24), 48000u);
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));

        // Replaced by one who may not give it back its owner: the box says so.
        if (::geteuid() != 0)
            return;
        for (const QString &folder : {e.f.path(""), e.f.path("src"), e.out})
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), folder == e.out ? 0777 : 0755), 0);
        QCOMPARE(::chown(QFile::encodeName(target).constData(), 4242, 0), 0);
        e.f.prompter.clear();
        QCOMPARE(::seteuid(65534), 0);
        e.run(e.out);
        QCOMPARE(::seteuid(0), 0);
        QCOMPARE(e.f.prompter.texts(),
                 QStringList({replaceQuestion({"tone.wav (read-only)"}, e.out),
                              "These files were replaced, but not all that they had was kept:\r\n" + target
                             + "\r\nThe owner 4242 could not be kept: the file now belongs to nobody."}));
    }

    // The converted bytes reach the file only through the descriptor the
    // export made it with: one open, every byte counted there.
    void writesOnlyThroughItsDescriptor()
    {
        Export e;
        e.add("tone", writeBytes(e.f.path("src/tone.wav"), pcmWav(1, 8000, 800)), 1);
        kf::writeFile(QDir(e.out).filePath("tone.wav"), "older file");
        // Per file: the opens that may create or truncate it, the bytes written.
        struct Watch : PassDisk {
            QMutex lock;
            QHash<QPair<dev_t, ino_t>, QPair<int, qint64>> seen;
            void note(int fd, int opens, qint64 bytes)
            {
                struct stat st;
                QMutexLocker hold(&lock);
                if (::fstat(fd, &st) == 0) {
                    seen[{st.st_dev, st.st_ino}].first += opens;
                    seen[{st.st_dev, st.st_ino}].second += bytes;
                }
            }
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode) override
            {
                const int fd = PassDisk::openAt(dir, name, flags, mode);
                if (fd >= 0 && (flags & (O_CREAT | O_TRUNC)))
                    note(fd, 1, 0);
                return fd;
            }
            bool write(int fd, const char *data, qint64 size, qint64 offset) override
            {
                note(fd, 0, size);
                return PassDisk::write(fd, data, size, offset);
            }
            qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override
            {
                note(fd, 0, size);
                return PassDisk::writeWith(fd, data, size, perform);
            }
        } disk;
        e.select({0});
        {
            DiskInPlace in(e.f.disk, &disk);
            e.run(e.out);
        }
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(QDir(e.out).filePath("tone.wav")).constData(), &st) == 0);
        QVERIFY(st.st_size > 44);
        QCOMPARE(disk.seen.value({st.st_dev, st.st_ino}), qMakePair(1, qint64(st.st_size)));
    }

    // Stopped at every call that changes a file, what was not synced
    // dropped: each target holds its old bytes or the whole new sound, and
    // the next write there, by the editor started again, leaves no temporary.
    void stoppedAtEveryCall()
    {
        const TempInMemory inMemory;
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 1);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 2);
        const QByteArray old = "an older a";
        auto reset = [&] {
            QDir(e.out).removeRecursively();
            QDir().mkpath(e.out);
            kf::writeFile(QDir(e.out).filePath("a.wav"), old);
        };
        reset();
        e.select({0, 1});
        int calls = 0;
        stopBefore(e.f.disk, e.out, 0, [&](ztplatform::Disk &) { e.run(e.out); }, false, &calls);
        const QByteArray a = e.file("a.wav");
        QVERIFY(a.size() > 44 && calls >= 8);
        QCOMPARE(e.file("one.wav"), kit.waves.at(1));
        for (int n = 1; n <= calls; ++n) {
            reset();
            stopBefore(e.f.disk, e.out, n, [&](ztplatform::Disk &) { e.run(e.out); });
            const QString at = QString::number(n);
            QVERIFY2(e.file("a.wav") == old || e.file("a.wav") == a, qPrintable(at));
            QVERIFY2(!QFileInfo::exists(QDir(e.out).filePath("one.wav")) || e.file("one.wav") == kit.waves.at(1),
                     qPrintable(at));
            const std::shared_ptr<ztplatform::Leftovers> &leftovers = e.w->library().leftovers();
            leftovers->startAgain();
            QVERIFY(ztplatform::ReplaceFile(QDir(e.out).filePath("next.wav"), leftovers).open());
            for (const QString &name : QDir(e.out).entryList(QDir::Files | QDir::Hidden | QDir::System))
                QVERIFY2(!ztplatform::isTemporaryName(name), qPrintable(at + ": " + name));
        }
    }

    // Each file is synced once, the folder once for the whole export.
    void eachFileAndTheFolderSyncedOnce()
    {
        Export e;
        for (int i = 0; i < 3; ++i)
            e.add(QString("s%1").arg(i), writeBytes(e.f.path(QString("src/s%1.wav").arg(i)), pcmWav(1, 8000, 80)),
                  quint16(i + 1));
        e.select({0, 1, 2});
        g_fileSyncs = g_folderSyncs = 0;
        AnsweringSyncs disk(&countedSync);
        {
            DiskInPlace in(e.f.disk, &disk);
            e.run(e.out);
        }
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList({"s0.wav", "s1.wav", "s2.wav"}));
        QCOMPARE(g_fileSyncs.load(), 3);
        QCOMPARE(g_folderSyncs.load(), 1);

        // A folder that does not confirm: the box names every file written.
        const QString again = e.f.path("again");
        QVERIFY(QDir().mkpath(again));
        e.f.prompter.clear();
        g_folderFails = true;
        {
            DiskInPlace in(e.f.disk, &disk);
            e.run(again);
        }
        g_folderFails = false;
        QCOMPARE(e.f.prompter.texts(),
                 QStringList({"The files were written, but the disk did not confirm that they are stored:\r\n"
                              + again + "/s0.wav\r\n" + again + "/s1.wav\r\n" + again + "/s2.wav\r\n"
                              + QString::fromLocal8Bit(std::strerror(EIO))}));
    }

    void storedSounds()
    {
        Export e;
        MainWindow1 *w = e.w;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        const QString ini = e.f.work.filePath("KIT_007.INI");
        QVERIFY(QFile::copy(kit.path, ini));
        MainWindow1Records::READ_KIT_FILE single = kit.record;
        single.file = ini;
        single.info.kitFileName = ini;
        w->library().addLoadedKitFile(kit.record);
        w->library().addLoadedKitFile(single);
        const QString whole = QDir::toNativeSeparators(kit.path);
        e.add("one", whole + ":U00001", 1);
        e.add("iniFour", QDir::toNativeSeparators(ini) + ":U00004", 2);
        w->library().noteSetupClicks(true);

        // Byte for byte: the metronome offset for the whole setup only.
        e.select({0, 1, 0});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(e.file("one.wav"), kit.waves.at(6));
        QCOMPARE(e.file("iniFour.wav"), kit.waves.at(4));
        w->library().noteSetupClicks(false);
        e.select({0});
        e.run(e.out);
        QCOMPARE(e.file("one~1.wav"), kit.waves.at(1));
        e.run(e.out);
        QCOMPARE(e.file("one~2.wav"), kit.waves.at(1));

        // A hundred names taken: that sound is left out.
        for (int n = 3; n < 100; ++n)
            kf::writeFile(QDir(e.out).filePath(QString("one~%1.wav").arg(n)), "x");
        e.f.prompter.clear();
        QPointer<CustomDialog> before = w->soundFiles().custom();
        e.select({0, 1});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(),
                 QStringList{"It is detected that the number of files with the same name has exceeded 100, and the "
                             "exceeding part will not be exported."});
        QCOMPARE(e.file("iniFour~1.wav"), kit.waves.at(4));
        QCOMPARE(e.report(), "iniFour~1.wav\nis successfully exported.\nFile location:\n" + e.out);
        QVERIFY(w->soundFiles().custom() != before);

        // Beyond the table, a kit file not loaded, a kit file cut short.
        QDir(e.out).removeRecursively();
        QDir().mkpath(e.out);
        e.add("far", whole + ":U00009", 3);
        e.add("gone", QDir::toNativeSeparators(e.f.work.filePath("GONE.BIN")) + ":U00001", 4);
        e.f.prompter.clear();
        e.select({1, 2, 0});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{"File error!\r\nError:0012"});
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList{"iniFour.wav"});
        e.f.prompter.clear();
        e.select({0, 3, 1});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"iniFour.wav", "one.wav"}));
        kf::writeFile(kit.path, kf::readFile(kit.path).left(int(kit.record.info.sound[1].wave_start) + 10));
        e.f.prompter.clear();
        e.select({0});
        e.run(e.out);
        QVERIFY(!QFileInfo::exists(QDir(e.out).filePath("one~1.wav")));
        QCOMPARE(e.f.prompter.texts(),
                 QStringList{"Please check path:The file has been modified. Export failed.\r\n" + whole});
    }

    // A loaded kit file written again by another program, at its old size,
    // is not copied from: one box names it, none of its sounds is exported,
    // the other sounds are.
    void changedKitFileNamed()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        kit.record.stamp = ztplatform::fileStamp(ztplatform::systemDisk(), kit.path); // as the load records it
        e.w->library().addLoadedKitFile(kit.record);
        const QString whole = QDir::toNativeSeparators(kit.path);
        e.add("one", whole + ":U00001", 1);
        e.add("two", whole + ":U00002", 2);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 3);
        QByteArray bytes = kf::readFile(kit.path);
        const int at = int(kit.record.info.sound[1].wave_start) + 60;
        bytes[at] = char(bytes.at(at) ^ 0x55);
        const QDateTime loaded = QFileInfo(kit.path).lastModified();
        QFile file(kit.path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size());
        QVERIFY(file.setFileTime(loaded.addSecs(1), QFileDevice::FileModificationTime));
        file.close();
        e.select({0, 2, 1});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(),
                 QStringList{"Please check path:The file has been modified. Export failed.\r\n" + whole});
        QCOMPARE(QDir(e.out).entryList(QDir::Files | QDir::Hidden), QStringList{"a.wav"});
        QCOMPARE(e.report(), "a.wav\nis successfully exported.\nFile location:\n" + e.out);
        // One that is gone is named once too.
        QVERIFY(QFile::remove(kit.path));
        e.f.prompter.clear();
        e.select({0, 1});
        e.run(e.out);
        QCOMPARE(e.f.prompter.texts(), QStringList{"Failed to read the file.\r\n" + whole});
    }

    // Sounds that cannot be written give one box: the files and their folder,
    // with the system's reason.
    void unwritableFolderOneBox()
    {
        TmpfsMount disk;
        if (!BindMount::unavailable().isEmpty() || !disk.mount("64k"))
            QSKIP("a read-only file system needs root to mount a small tmpfs");
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 1);
        e.add("a", writeBytes(e.f.path("src/a.wav"), pcmWav(1, 8000, 800)), 2);
        e.add("b", writeBytes(e.f.path("src/b.wav"), pcmWav(1, 8000, 800)), 3);
        // A stored sound of a kit file not loaded ends the export: still told.
        e.add("gone", QDir::toNativeSeparators(e.f.work.filePath("GONE.BIN")) + ":U00001", 4);
        const QString ro = disk.point.path();
        QVERIFY(BindMount::run("mount", {"-o", "remount,ro", ro}));
        e.select({0, 1, 2, 3});
        e.run(ro);
        QCOMPARE(e.f.prompter.texts(), QStringList({"These files could not be written:\r\none.wav,  a.wav,  b.wav\r\n"
                                                    "File location:\r\n" + ro + "\r\n" + std::strerror(EROFS)}));
        QVERIFY(!e.w->soundFiles().custom());
    }

    // A link at a stored sound's name, even one leading nowhere, keeps the
    // name: nothing is written through it.
    void storedSoundPassesALinkBy()
    {
        Export e;
        KitFile kit;
        QVERIFY(kit.make(e.f.work.path(), "KIT_ALL.BIN"));
        e.w->library().addLoadedKitFile(kit.record);
        e.add("one", QDir::toNativeSeparators(kit.path) + ":U00001", 1);
        const QString far = e.f.path("elsewhere/made-by-export.wav");
        QDir().mkpath(QFileInfo(far).absolutePath());
        QVERIFY(QFile::link(far, QDir(e.out).filePath("one.wav")));
        e.select({0});
        e.run(e.out);
        QVERIFY(e.f.prompter.texts().isEmpty());
        QVERIFY(!QFileInfo::exists(far));
        QCOMPARE(QFileInfo(QDir(e.out).filePath("one.wav")).symLinkTarget(), far);
        QCOMPARE(e.file("one~1.wav"), kit.waves.at(1));
        QCOMPARE(QDir(e.out).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({"one.wav", "one~1.wav"}));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestSoundExport test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_soundexport.moc"

// Exporting the selected sounds of the total list as WAV files, and the
// report of what was written.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/exportfile.h"
#include "library/soundlibrary.h"
#include "library/exportnames.h"
#include "library/rowselection.h"
#include "library/soundsource.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "kitfile/storedsounds.h"
#include "widgets/customdialog.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "widgets/closehold.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFolderLookLimitMs = 2000; // a folder silent that long is not waited on
constexpr int kFolderSyncLimitMs = 5000; // nor one whose sync takes longer
constexpr int kFileStallLimitMs = 5000;  // nor a file's write that has not moved on that long

// Lets the window paint, its input held, while a look at the folder runs.
void paintMeanwhile()
{
    closehold::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Each file of an export was synced as it was put in place; their names
// once, here, on a thread of its own. A folder that cannot be synced, or not
// within the limit, is told with every file written.
void syncExportFolder(QWidget *parent, const QString &folder, const QStringList &written)
{
    const std::optional<int> error = ztplatform::lookAtFileWithin<int>(
            folder, kFolderSyncLimitMs, [folder]() { return ztplatform::syncPath(folder) ? 0 : errno; },
            paintMeanwhile);
    if (error && *error == 0)
        return;
    const QString reason = QString::fromLocal8Bit(std::strerror(error ? *error : ETIMEDOUT));
    const QString crlf = QStringLiteral("\r\n");
    QStringList files;
    for (const QString &name : written)
        files << QDir::toNativeSeparators(QDir(folder).filePath(name));
    UiPrompter::instance()->warning(
            parent, WindowTexts::tr("Error"),
            (files.size() == 1
                     ? WindowTexts::tr("The file was written, but the disk did not confirm that it is stored:")
                     : WindowTexts::tr("The files were written, but the disk did not confirm that they are stored:"))
                    + crlf + files.join(crlf) + crlf + reason,
            QMessageBox::Ok);
}

} // namespace

namespace {

struct Pick
{
    bool sound;
    QString name;
    QString path;
};

// One export under way: where it writes, what it wrote and what it could not.
struct ExportRun
{
    QWidget *parent; // of the boxes
    const PreviewController &preview; // holds the progress
    QDir dir;
    soundsource::StoredEntries entries;
    std::shared_ptr<exportfile::SourceFiles> sources; // read by the name looks
    QStringList written;
    QSet<QString> writtenNow; // file names written by this run
    QStringList unwritten;    // file names whose target could not be written
    QStringList reasons;      // the system's reasons, each once
    QSet<QString> refused;    // kit files found changed since their load or unreadable, each told once
    QStringList notKept;      // each replaced file whose owner or attributes the new one lacks, and what
    QString inDoubt;          // the file whose rename the folder stopped answering in, if any
    bool silent = false;      // the folder did not answer: the export ends
    QString silentWhy;        // and why, for each file not written then

    void wrote(const QString &fileName)
    {
        written.append(fileName);
        writtenNow.insert(fileName);
    }
    void notWritten(const QString &fileName, const QString &reason)
    {
        unwritten.append(fileName);
        if (!reasons.contains(reason))
            reasons.append(reason);
    }
};

void closeProgress(const PreviewController &preview)
{
    preview.dialog()->close();
    preview.dialog()->hide();
}

// Why nothing more is written into a folder that did not answer: it timed
// out now, or it still holds a look given up on before (`held`).
QString silentReason(const QString &folder = QString(), bool held = false)
{
    if (held)
        return WindowTexts::tr("The drive does not answer: %1").arg(QDir::toNativeSeparators(folder));
    return QString::fromLocal8Bit(std::strerror(ETIMEDOUT));
}

// The file name a sound would get in an empty folder.
QString firstName(const QString &name)
{
    return exportnames::freeName(name, [](const QString &) { return false; });
}

// The first free name for `name` in the run's folder (exportnames::freeName),
// looked for with the folder open on a thread of its own, the window painting
// meanwhile; nothing when the folder did not answer in time. A stored sound
// passes by whatever stands at a name, a link too. A converted one passes by
// a name written by this run, a name a library sound comes from, and a
// folder, pipe or device (not a link to one): only a file or a link is
// replaced.
std::optional<QString> freeNameWithin(const ExportRun &run, const QString &name, bool stored)
{
    const QString folder = run.dir.path();
    const QSet<QString> writtenNow = run.writtenNow;
    const std::shared_ptr<exportfile::SourceFiles> sources = run.sources;
    auto look = [folder, writtenNow, sources, name, stored]() {
        const int fd = ztplatform::sysio::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
        const QDir dir(folder);
        const QString found = exportnames::freeName(name, [&](const QString &candidate) {
            const unsigned type = fd >= 0 ? ztplatform::entryType(fd, candidate)
                                          : ztplatform::entryType(AT_FDCWD, dir.filePath(candidate));
            if (stored)
                return type != 0;
            return writtenNow.contains(candidate) || (type != 0 && type != S_IFLNK && type != S_IFREG)
                   || sources->contains(dir.filePath(candidate));
        });
        if (fd >= 0)
            ::close(fd);
        return found;
    };
    return ztplatform::lookAtFileWithin<QString>(folder, kFolderLookLimitMs, look, paintMeanwhile);
}

// The folder did not answer, now or (`held`) on an earlier look still
// waiting: `name` is not written, nor is what follows.
bool folderSilent(ExportRun &run, const QString &name, bool held)
{
    qWarning().noquote() << "the folder" << run.dir.path() << "does not answer: the export ends";
    closeProgress(run.preview);
    run.silent = true;
    run.silentWhy = silentReason(run.dir.path(), held);
    run.notWritten(firstName(name), run.silentWhy);
    return false;
}

// The first free name for `name`, or the end of the export when the folder
// does not answer.
std::optional<QString> freeNameOrEnd(ExportRun &run, const QString &name, bool stored)
{
    const bool held = ztplatform::isSilentFile(run.dir.path());
    const std::optional<QString> free = freeNameWithin(run, name, stored);
    if (!free)
        folderSilent(run, name, held);
    return free;
}

void tooManyNames(QWidget *parent)
{
    UiPrompter::instance()->warning(parent, WindowTexts::tr("Error"),
                                    WindowTexts::tr("It is detected that the number of files with the same name has "
                                                    "exceeded 100, and the exceeding part will not be exported."),
                                    QMessageBox::Ok);
}

// `work` on a thread of its own, the window painting meanwhile (the progress
// dialog holds its input); nothing when given up (exportfile::waitWatched).
// Given up while it read `source` (when given) or wrote into `folder`, that
// one is silent until the work returns: no other look at it starts meanwhile.
template <typename T>
std::optional<T> offGuiThread(const std::shared_ptr<exportfile::Watch> &watch, const QString &source,
                              const QString &folder, const std::function<T()> &work)
{
    const auto read = std::make_shared<ztplatform::SilentLook>(source);
    const auto written = std::make_shared<ztplatform::SilentLook>(folder);
    const std::optional<T> done = exportfile::waitWatched<T>(
            *watch, kFileStallLimitMs,
            [work, read, written]() {
                T result = work();
                read->returned();
                written->returned();
                return result;
            },
            []() { paintMeanwhile(); });
    if (!done && watch->step() != exportfile::Watch::Step::Source)
        written->givenUp();
    else if (!done && !source.isEmpty())
        read->givenUp();
    return done;
}

// The write of `fileName` did not move on in time: it is not written, or it
// may be when its rename had begun; what follows is not written.
bool writeStalled(ExportRun &run, const QString &fileName, const exportfile::Watch &watch)
{
    qWarning().noquote() << "writing" << fileName << "into" << run.dir.path() << "does not move on: the export ends";
    closeProgress(run.preview);
    run.silent = true;
    run.silentWhy = silentReason();
    if (watch.placing())
        run.inDoubt = fileName;
    else
        run.notWritten(fileName, run.silentWhy);
    return false;
}

struct Copied
{
    exportfile::Outcome outcome = exportfile::Outcome::Unreadable;
    QString why;
    bool held = false; // the kit file holds an earlier look given up on: not read
};

// Where a stored sound lies, taken from its loaded kit file before events run.
struct StoredPlace
{
    QString kitFile;   // as loaded
    QString readFrom;  // the path the copy opens
    quint32 start = 0;
    quint32 length = 0;
    quint64 loadedLength = 0;
    ztplatform::FileStamp loadedStamp;
    bool inTable = false;
};

StoredPlace storedPlace(const MainWindow1Records::READ_KIT_FILE &kit, quint16 index)
{
    StoredPlace place;
    place.kitFile = kit.file;
    place.readFrom = kit.info.kitFileName;
    place.loadedLength = kit.fileTotalLength;
    place.loadedStamp = kit.stamp;
    place.inTable = size_t(index) < kit.info.sound.size();
    if (place.inTable) {
        place.start = kit.info.sound[index].wave_start;
        place.length = kit.info.sound[index].wave_length;
    }
    return place;
}

// Writes a stored sound to `target` off the GUI thread, only while its kit
// file is the one loaded (Changed otherwise); nothing is shown. A target
// that cannot be written gives Unwritable, its reason in `why`. A copy that
// stopped moving on is Unreadable when it was reading the kit file; nothing
// when it was at the target. A kit file that still holds a look given up on
// is not read (held).
std::optional<Copied> getDataFromKitFile(const StoredPlace &place, const QString &target,
                                         const std::shared_ptr<exportfile::Watch> &watch)
{
    if (!place.inTable)
        return Copied{};
    // Checked on the file as opened for the copy: what is read is what was loaded.
    const quint64 loadedLength = place.loadedLength;
    const ztplatform::FileStamp loadedStamp = place.loadedStamp;
    auto asLoaded = [loadedLength, loadedStamp](const ztplatform::FileStamp &opened) {
        return setupfiles::matchesLoad(loadedLength, loadedStamp, opened);
    };
    if (ztplatform::isSilentFile(place.readFrom) || ztplatform::isSilentFile(place.kitFile)) {
        Copied held;
        held.held = true;
        return held;
    }
    const QString folder = QFileInfo(QDir::fromNativeSeparators(target)).path();
    const auto copy = [place, target, asLoaded, watch]() {
        Copied done;
        done.outcome = exportfile::copyStored(place.readFrom, place.start, place.length, target, asLoaded, &done.why,
                                              watch.get());
        return done;
    };
    const std::optional<Copied> copied = offGuiThread<Copied>(watch, place.readFrom, folder, copy);
    if (!copied && watch->step() == exportfile::Watch::Step::Source) {
        qWarning().noquote() << "the kit file" << place.readFrom << "does not answer: its sounds are not exported";
        return Copied{};
    }
    return copied;
}

struct Converted
{
    exportfile::Outcome outcome = exportfile::Outcome::NotRun;
    QString err, why, lost;
};

// exportfile::convert off the GUI thread; nothing when it stopped moving on.
std::optional<Converted> convertOffGui(const QString &path, const QString &target,
                                       const std::shared_ptr<exportfile::Watch> &watch)
{
    const QString folder = QFileInfo(QDir::fromNativeSeparators(target)).path();
    return offGuiThread<Converted>(watch, QString(), folder, [=]() {
        Converted done;
        done.outcome = exportfile::convert(path, target, done.err, &done.why, &done.lost, watch.get());
        return done;
    });
}

// A kit file whose drive does not answer: none of its sounds is exported,
// the box says so once. It did not answer now (told as a file that cannot be
// read), or still holds an earlier look (`held`: told why).
void kitFileSilent(ExportRun &run, const QString &kitFile, bool held)
{
    if (run.refused.contains(kitFile))
        return;
    run.refused.insert(kitFile);
    const QString text = held ? SoundFilesController::silentText(kitFile)
                              : WindowTexts::tr("Failed to read the file.") + QStringLiteral("\r\n")
                                        + QDir::toNativeSeparators(kitFile);
    UiPrompter::instance()->warning(run.parent, WindowTexts::tr("Error"), text, QMessageBox::Ok);
}

// A stored sound copied out of its kit file. False when the export ends.
bool exportStored(ExportRun &run, const QString &name, const QString &path)
{
    const MainWindow1Records::READ_KIT_FILE *kit = nullptr;
    const QString named = soundsource::parse(path).kitFile;
    const bool held = ztplatform::isSilentFile(named);
    const int entry = held ? -1 : run.entries.find(path, &kit);
    if (!kit && (held || ztplatform::isSilentFile(named))) {
        kitFileSilent(run, named, held);
        return true;
    }
    if (!kit) {
        closeProgress(run.preview);
        return false;
    }
    if (entry < 0) {
        closeProgress(run.preview);
        UiPrompter::instance()->information(run.parent, WindowTexts::tr("Error"),
                                            WindowTexts::tr("File error!") + QStringLiteral("\r\n")
                                                    + WindowTexts::tr("Error:0012"),
                                            QMessageBox::Ok);
        return false;
    }
    // The record is not looked at again once events have run.
    const StoredPlace place = storedPlace(*kit, quint16(entry));
    const std::optional<QString> free = freeNameOrEnd(run, name, true);
    if (!free)
        return false;
    const QString &fileName = *free;
    if (fileName.isEmpty()) {
        tooManyNames(run.parent);
        return true;
    }
    if (run.refused.contains(place.kitFile))
        return true; // its box named the file
    const QString crlf = QStringLiteral("\r\n");
    const QString shown = crlf + QDir::toNativeSeparators(place.kitFile);
    UiPrompter *prompter = UiPrompter::instance();
    const auto watch = std::make_shared<exportfile::Watch>();
    const std::optional<Copied> copied =
            getDataFromKitFile(place, QDir::toNativeSeparators(run.dir.filePath(fileName)), watch);
    if (!copied)
        return writeStalled(run, fileName, *watch);
    if (copied->held) {
        kitFileSilent(run, place.kitFile, true);
        return true;
    }
    switch (copied->outcome) {
    case exportfile::Outcome::Written:
        run.wrote(fileName);
        break;
    case exportfile::Outcome::Changed:
        // Its bytes may lie elsewhere now: none of its sounds is exported.
        run.refused.insert(place.kitFile);
        prompter->warning(run.parent, WindowTexts::tr("Error"),
                          WindowTexts::tr("Please check path:")
                                  + WindowTexts::tr("The file has been modified. Export failed.") + shown,
                          QMessageBox::Ok);
        break;
    case exportfile::Outcome::Unreadable:
        run.refused.insert(place.kitFile);
        prompter->warning(run.parent, WindowTexts::tr("Error"), WindowTexts::tr("Failed to read the file.") + shown,
                          QMessageBox::Ok);
        break;
    default:
        run.notWritten(fileName, copied->why);
        break;
    }
    return true;
}

// An audio file converted into the pad's form. False when the export ends.
bool exportPlain(ExportRun &run, const QString &name, const QString &path)
{
    UiPrompter *prompter = UiPrompter::instance();
    const QString crlf = QStringLiteral("\r\n");
    const std::optional<QString> free = freeNameOrEnd(run, name, false);
    if (!free)
        return false;
    const QString &fileName = *free;
    if (fileName.isEmpty()) {
        tooManyNames(run.parent);
        return true;
    }
    const QString wrong = WindowTexts::tr("Wrong data in file：") + crlf;
    // A pipe would hold ffmpeg for ever, and so would a file on a pad that
    // stopped answering; one that still holds such a look is not looked at.
    if (ztplatform::isSilentFile(path)) {
        prompter->information(run.parent, WindowTexts::tr("Error"), SoundFilesController::silentText(path),
                              QMessageBox::Ok);
        return true;
    }
    const std::optional<qint64> size = PreviewController::soundFileSize(path);
    if (!size || *size < 0) {
        prompter->information(run.parent, WindowTexts::tr("Error"), wrong + path, QMessageBox::Ok);
        return true;
    }
    const QString target = QDir::toNativeSeparators(run.dir.filePath(fileName));
    const auto watch = std::make_shared<exportfile::Watch>();
    const std::optional<Converted> converted = convertOffGui(path, target, watch);
    if (!converted)
        return writeStalled(run, fileName, *watch);
    switch (converted->outcome) {
    case exportfile::Outcome::NotRun:
        closeProgress(run.preview);
        prompter->information(run.parent, WindowTexts::tr("Error"),
                              WindowTexts::tr("Missing some files for the program!"), QMessageBox::Ok);
        return false;
    case exportfile::Outcome::Unwritable:
        run.notWritten(fileName, converted->why);
        return true;
    case exportfile::Outcome::Written:
        run.wrote(fileName);
        if (!converted->lost.isEmpty())
            run.notKept << target + crlf + converted->lost;
        return true;
    default: // what ffmpeg said last, never its whole log
        prompter->information(run.parent, WindowTexts::tr("Error"),
                              wrong + WindowTexts::tr("File Location: ") + path + crlf
                                      + soundsource::logTail(converted->err),
                              QMessageBox::Ok);
        return true;
    }
}

// One box for every file of the export that could not be written.
void reportUnwritten(const ExportRun &run, const QString &folder)
{
    if (run.unwritten.isEmpty())
        return;
    const QString crlf = QStringLiteral("\r\n");
    UiPrompter::instance()->warning(run.parent, WindowTexts::tr("Error"),
                                    WindowTexts::tr("These files could not be written:") + crlf
                                            + run.unwritten.join(QStringLiteral(",  ")) + crlf
                                            + WindowTexts::tr("File location:") + crlf + folder + crlf
                                            + run.reasons.join(crlf),
                                    QMessageBox::Ok);
}

// The box for the file whose rename the folder stopped answering in: it may
// be in place or not, and an older file at its name is whole either way.
void reportInDoubt(const ExportRun &run)
{
    if (run.inDoubt.isEmpty())
        return;
    const QString crlf = QStringLiteral("\r\n");
    UiPrompter::instance()->warning(
            run.parent, WindowTexts::tr("Warning"),
            WindowTexts::tr("The folder stopped answering while this file was being put in place under its name:")
                    + crlf + QDir::toNativeSeparators(run.dir.filePath(run.inDoubt)) + crlf
                    + WindowTexts::tr("It may or may not be there now. A file that had this name before is either "
                                      "still the old one, whole, or the new one, whole. Please look in the folder."),
            QMessageBox::Ok);
}

// One box for the replaced files whose owner or attributes could not be kept.
void reportNotKept(const ExportRun &run)
{
    if (run.notKept.isEmpty())
        return;
    const QString crlf = QStringLiteral("\r\n");
    UiPrompter::instance()->warning(run.parent, WindowTexts::tr("Warning"),
                                    WindowTexts::tr("These files were replaced, but not all that they had was kept:")
                                            + crlf + run.notKept.join(crlf),
                                    QMessageBox::Ok);
}

} // namespace

// The written files in a report of their own, not modal.
void SoundFilesController::showExportReport(const QStringList &written, const QString &folder)
{
    auto *report = new CustomDialog;
    report->setAttribute(Qt::WA_DeleteOnClose);
    m_custom = report;
    QObject::connect(report, &CustomDialog::sendOK, this, &SoundFilesController::recvOK);
    // Only the report shown is forgotten.
    QObject::connect(report, &QObject::destroyed, this, [this, report]() {
        if (m_custom == report)
            m_custom = nullptr;
    });
    // Each report shows its own export only.
    const QMetaObject::Connection once =
            QObject::connect(this, &SoundFilesController::exportWritten, report, &CustomDialog::recvSoundExportList);
    emit exportWritten(written, folder);
    QObject::disconnect(once);
    report->show();
}

void SoundFilesController::exportSelectedSounds()
{
    UiPrompter *prompter = UiPrompter::instance();
    // One row per three indexes, in the order the selection gives them.
    // Read before the progress dialog lets events run.
    QVector<Pick> rows;
    for (const QModelIndex &row : selectedRowStarts(m_view.totalWaveTreeView->selectionModel())) {
        auto cell = [&row](int column) { return row.sibling(row.row(), column).data().toString(); };
        // The path as it stands: a file name may end in a blank.
        rows.append({row.parent().isValid(), cell(1).trimmed(), cell(2)});
    }
    if (rows.isEmpty())
        return;

    QSet<QString> locked;
    for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(m_library.waveLoadKitAttrList())) {
        if (s.wave_lock == 0)
            locked.insert(s.file);
    }
    for (const Pick &row : qAsConst(rows)) {
        if (row.sound && locked.contains(row.path)) {
            prompter->warning(m_parent, WindowTexts::tr("Warning"),
                              WindowTexts::tr("Exporting locked sound is not supported!"), QMessageBox::Ok);
            return;
        }
    }

    const QString folder = QDir::toNativeSeparators(prompter->getExistingDirectory(
            m_parent, WindowTexts::tr("Output"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
    if (folder.isEmpty()) {
        prompter->information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("The output file path is not set."),
                              QMessageBox::Ok);
        return;
    }

    m_preview.showWaitDialog(WindowTexts::tr("The file is being exported..."), rows.size());
    ExportRun run{m_parent, m_preview, QDir(folder), m_library.storedEntries(paintMeanwhile),
                  std::make_shared<exportfile::SourceFiles>(m_library.librarySources()),
                  {}, {}, {}, {}, {}, {}, {}, false, {}};
    QElapsedTimer sinceStep;
    sinceStep.start();
    for (int r = 0; r < rows.size(); ++r) {
        const Pick &row = rows.at(r);
        if (!row.sound) {
            closeProgress(m_preview);
            prompter->warning(m_parent, WindowTexts::tr("Warning"),
                              WindowTexts::tr("The export of sound group name is not supported, ")
                                      + QStringLiteral("\r\n")
                                      + WindowTexts::tr("but this will not affect the sound export."),
                              QMessageBox::Ok);
            continue;
        }
        const QString name = exportnames::safeName(row.name);
        if (!(soundsource::isStored(row.path) ? exportStored(run, name, row.path) : exportPlain(run, name, row.path))) {
            // Ended early: no report, but what could not be written is told
            // and what was written reaches the disk.
            for (int rest = r + 1; run.silent && rest < rows.size(); ++rest) {
                if (rows.at(rest).sound)
                    run.notWritten(firstName(exportnames::safeName(rows.at(rest).name)), run.silentWhy);
            }
            reportInDoubt(run);
            reportUnwritten(run, folder);
            reportNotKept(run);
            if (!run.written.isEmpty())
                syncExportFolder(m_parent, folder, run.written);
            return;
        }
        // The dialog repaints on each new value; a few times a second is enough.
        if (sinceStep.elapsed() >= 40 || r + 1 == rows.size()) {
            m_preview.dialog()->setValue(r + 1);
            sinceStep.restart();
        }
    }
    closeProgress(m_preview);
    reportUnwritten(run, folder);
    reportNotKept(run);
    if (run.written.isEmpty())
        return;
    syncExportFolder(m_parent, folder, run.written);
    showExportReport(run.written, folder);
}

void SoundFilesController::recvOK()
{
    m_custom = nullptr;
}

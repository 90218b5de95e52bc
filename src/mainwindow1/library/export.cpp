// Exporting the selected sounds of the total list as WAV files, and the
// report of what was written.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/exportfile.h"
#include "library/soundlibrary.h"
#include "library/exportnames.h"
#include "library/soundsource.h"
#include "platform/errortext.h"
#include "platform/descriptor.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/disk.h"
#include "platform/timedlook.h"
#include "kitfile/storedsounds.h"
#include "widgets/customdialog.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

using ztplatform::kSilentLimitMs;

namespace {

constexpr int kFolderSyncLimitMs = 5000; // nor one whose sync takes longer
constexpr int kFileStallLimitMs = 5000;  // nor a file's write that has not moved on that long

// Each file of an export was synced as it was put in place; their names
// once, here, on a thread of its own. A folder that cannot be synced, or not
// within the limit, is told with every file written.
void syncExportFolder(UiPrompter &prompter, QWidget *parent, const std::shared_ptr<ztplatform::SilentFiles> &silent,
                      const QString &folder, const QStringList &written, ztplatform::Disk *disk)
{
    const std::optional<int> error = ztplatform::lookAtFileWithin<int>(
            silent, folder, kFolderSyncLimitMs,
            [folder, disk]() { return ztplatform::syncPath(*disk, folder) ? 0 : errno; },
            JobDialog::waiter());
    if (error && *error == 0)
        return;
    const QString reason = ztplatform::errorText(error ? *error : ETIMEDOUT);
    const QString crlf = QStringLiteral("\r\n");
    QStringList files;
    for (const QString &name : written)
        files << QDir::toNativeSeparators(QDir(folder).filePath(name));
    prompter.warning(
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

// Where a sound of the export goes, chosen before anything is written.
struct Target
{
    QString name;          // empty: its hundred names are taken
    bool replaces = false; // a file or a link stands there: asked about first
    bool readOnly = false; // that file is read-only, by its mode or to this user
};

// A stored sound's kit file as found before anything is written.
struct StoredFound
{
    const MainWindow1Records::READ_KIT_FILE *kit = nullptr;
    int entry = -1;
    QString kitFile;  // as named by the sound
    bool held = false;   // it held an earlier look given up on: not looked at
    bool silent = false; // held, or the look for it found it silent
};

// One export under way: where it writes, what it wrote and what it could not.
struct ExportRun
{
    ExportRun(QWidget *boxes, UiPrompter &answers, const PreviewController &progress, const QString &folder,
              const std::function<soundsource::StoredEntries()> &stored)
        : parent(boxes)
        , prompter(answers)
        , preview(progress)
        , dir(folder)
        , entries(stored())
    {
    }

    QWidget *parent; // of the boxes
    UiPrompter &prompter;
    audioconverter::Limits conversion; // of each ffmpeg run
    std::shared_ptr<ztplatform::Leftovers> leftovers; // swept from each folder written
    std::shared_ptr<ztplatform::FolderFence> fence;   // past which each sound is read
    std::shared_ptr<ztplatform::SilentFiles> silentFiles; // the files whose looks were given up on
    const PreviewController &preview; // holds the progress
    QDir dir;
    soundsource::StoredEntries entries;
    QStringList written;
    QStringList unwritten;    // file names whose target could not be written
    QStringList reasons;      // the system's reasons, each once
    QSet<QString> refused;    // kit files found changed since their load or unreadable, each told once
    QStringList notKept;      // each replaced file whose owner or attributes the new one lacks, and what
    QStringList inDoubt;      // the files whose rename the folder stopped answering in
    bool silent = false;      // the folder did not answer: the export ends
    QString silentWhy;        // and why, for each file not written then

    void wrote(const QString &fileName) { written.append(fileName); }
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
    return ztplatform::errorText(ETIMEDOUT);
}

// The file name a sound would get in an empty folder.
QString firstName(const QString &name)
{
    return exportnames::freeName(name, [](const QString &) { return false; });
}

// True when the regular file `name` of the folder `fd` (or at `path` when
// the folder could not be opened) may not be written: by its mode, or by
// this user.
bool readOnlyAt(ztplatform::Disk &disk, int fd, const QString &name, const QString &path)
{
    const QByteArray at = QFile::encodeName(fd >= 0 ? name : path);
    const int dir = fd >= 0 ? fd : AT_FDCWD;
    struct stat st;
    if (disk.statAt(dir, at, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return false;
    return !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) || disk.accessAt(dir, at, W_OK, AT_EACCESS) != 0;
}

// The name each sound of the first `end` rows takes in `folder`
// (exportnames::freeName), found with the folder open on a thread of its
// own, the window painting meanwhile; nothing when the folder did not
// answer in time. No two sounds take one name. A stored sound passes by
// whatever stands at a name, a link too. A converted one passes by a name a
// library sound comes from and a folder, pipe or device (not a link to one):
// a file or a link there is replaced, once the user agreed.
std::optional<QVector<Target>> planTargets(const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &folder,
                                           const QVector<Pick> &rows, int end,
                                           const std::shared_ptr<exportfile::SourceFiles> &sources,
                                           ztplatform::Disk *disk)
{
    QVector<QPair<QString, bool>> wanted; // safe name, stored; empty for a group
    for (int r = 0; r < end; ++r) {
        const Pick &row = rows.at(r);
        wanted.append({row.sound ? exportnames::safeName(row.name) : QString(), soundsource::isStored(row.path)});
    }
    auto look = [folder, wanted, sources, disk]() {
        QVector<Target> targets(wanted.size());
        const ztplatform::Descriptor opened(
                disk->openAt(AT_FDCWD, QFile::encodeName(folder), O_PATH | O_DIRECTORY | O_CLOEXEC));
        const int fd = opened.get();
        const QDir dir(folder);
        auto typeOf = [&](const QString &name) {
            return fd >= 0 ? ztplatform::entryType(*disk, fd, name)
                           : ztplatform::entryType(*disk, AT_FDCWD, dir.filePath(name));
        };
        QSet<QString> taken;
        for (int r = 0; r < wanted.size(); ++r) {
            const bool stored = wanted.at(r).second;
            if (wanted.at(r).first.isEmpty())
                continue;
            Target &t = targets[r];
            t.name = exportnames::freeName(wanted.at(r).first, [&](const QString &candidate) {
                if (taken.contains(candidate))
                    return true;
                const unsigned type = typeOf(candidate);
                if (stored)
                    return type != 0;
                return (type != 0 && type != S_IFLNK && type != S_IFREG) || sources->contains(dir.filePath(candidate));
            });
            if (t.name.isEmpty())
                continue;
            taken.insert(t.name);
            t.replaces = !stored && typeOf(t.name) != 0;
            t.readOnly = t.replaces && readOnlyAt(*disk, fd, t.name, dir.filePath(t.name));
        }
        return targets;
    };
    return ztplatform::lookAtFileWithin<QVector<Target>>(silent, folder, kSilentLimitMs, look, JobDialog::waiter());
}

constexpr int kShownNames = 25; // lines of names a box shows; the rest in its details

// Asks once before the files at the targets' names are replaced: true to go
// on. On No the box after it says that nothing was written.
bool replaceAgreed(UiPrompter &prompter, QWidget *parent, const QString &folder, const QVector<Target> &targets)
{
    QStringList names;
    for (const Target &t : targets) {
        if (t.replaces)
            names << (t.readOnly ? WindowTexts::tr("%1 (read-only)").arg(t.name) : t.name);
    }
    if (names.isEmpty())
        return true;
    const QString crlf = QStringLiteral("\r\n");
    const QString lead = WindowTexts::tr("These files are already in the folder and will be replaced:");
    const QString tail = crlf + WindowTexts::tr("File location:") + crlf + folder + crlf
                         + WindowTexts::tr("Do you confirm to overwrite them?");
    QStringList shown = names.mid(0, kShownNames);
    if (names.size() > shown.size())
        shown << WindowTexts::tr("and %1 more").arg(names.size() - shown.size());
    if (prompter.detailedBox(UiPrompter::Warning, parent, WindowTexts::tr("Warning"),
                             lead + crlf + shown.join(crlf) + tail,
                             names.size() > kShownNames ? lead + crlf + names.join(crlf) + tail : QString(),
                             QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        return true;
    prompter.information(parent, WindowTexts::tr("Tip"),
                         WindowTexts::tr("No file was saved: the existing files stay as they were."), QMessageBox::Ok);
    return false;
}

void tooManyNames(UiPrompter &prompter, QWidget *parent)
{
    prompter.warning(parent, WindowTexts::tr("Error"),
                     WindowTexts::tr("It is detected that the number of files with the same name has "
                                     "exceeded 100, and the exceeding part will not be exported."),
                     QMessageBox::Ok);
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
        run.inDoubt << fileName;
    else
        run.notWritten(fileName, run.silentWhy);
    return false;
}

struct Copied
{
    exportfile::Outcome outcome = exportfile::Outcome::Unreadable;
    QString why;
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

// Stored sounds copied one after another on one thread, each only while its
// kit file is the one loaded (Changed otherwise), into a target where nothing
// stands, and put in place in their order on a second thread, so that one
// file's bytes go to the disk while the next is copied; the copies stop at
// the first that is not written. The waiting side gives up on the one that
// stops moving on, and on all after it.
class StoredCopies
{
public:
    struct Item
    {
        StoredPlace place;
        QString target;
        std::shared_ptr<exportfile::Watch> watch = std::make_shared<exportfile::Watch>();
        std::shared_ptr<ztplatform::SilentLook> read, written;
        std::shared_ptr<ztplatform::Leftovers> leftovers;
        std::shared_ptr<ztplatform::FolderFence> fence;
        std::shared_ptr<ztplatform::SilentFiles> silent;
    };

    // The items waited on, the window painting and `moved` told where they
    // are meanwhile. Their ends in order: fewer
    // than the items when one was not written, or when one stopped moving
    // on (*stalled then gets its index).
    static QVector<Copied> run(QVector<Item> items, const std::function<void(int at)> &moved, int *stalled);

private:
    static constexpr int kAhead = 32; // copies written and not yet put in place, at most

    // A copy written (or not) and waiting to be put in place.
    struct Ready
    {
        int index = 0;
        Copied copied;
        std::shared_ptr<exportfile::StoredCopy> copy;
    };
    struct Shared
    {
        QVector<Item> items;
        std::mutex lock;
        std::condition_variable changed;
        std::deque<Ready> ready;
        bool writing = true; // more may come to `ready`
        bool stopped = false; // one was not put in place: no more is written
        QVector<Copied> done;
        std::atomic_int at{0}; // the first item without its end
    };
    static int work(const std::shared_ptr<Shared> &shared);
    static Ready write(Shared &shared, int i);
    static void place(Shared &shared);
};

StoredCopies::Ready StoredCopies::write(Shared &shared, int i)
{
    const Item &item = shared.items.at(i);
    const StoredPlace &place = item.place;
    // Checked on the file as opened for the copy: what is read is what was loaded.
    auto asLoaded = [&place](const ztplatform::FileStamp &opened) {
        return setupfiles::matchesLoad(place.loadedLength, place.loadedStamp, opened);
    };
    Ready next;
    next.index = i;
    if (!*item.watch->stopFlag()) {
        next.copy = std::make_shared<exportfile::StoredCopy>(item.target, true, item.leftovers,
                                                             &ztplatform::diskOf(item.fence));
        next.copied.outcome = next.copy->write(place.readFrom, place.start, place.length, asLoaded, &next.copied.why,
                                               item.watch.get(), item.fence);
    }
    item.read->returned();
    return next;
}

int StoredCopies::work(const std::shared_ptr<Shared> &shared)
{
    const ztplatform::TimedLook<int> placing([shared]() {
        place(*shared);
        return 0;
    });
    for (int i = 0; i < shared->items.size(); ++i) {
        Ready next = write(*shared, i);
        const bool goOn = next.copied.outcome == exportfile::Outcome::Written;
        std::unique_lock<std::mutex> hold(shared->lock);
        shared->changed.wait(hold, [&]() {
            return shared->stopped || int(shared->ready.size()) < kAhead || !placing.isStarted();
        });
        if (shared->stopped) {
            shared->items.at(i).written->returned();
            break;
        }
        shared->ready.push_back(std::move(next));
        hold.unlock();
        shared->changed.notify_all();
        if (!goOn)
            break;
    }
    {
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->writing = false;
    }
    shared->changed.notify_all();
    if (!placing.isStarted())
        place(*shared);
    while (placing.isStarted() && !placing.waitFor(1000)) {
    }
    // Copies not put in place go with their temporaries.
    for (const Ready &left : shared->ready)
        shared->items.at(left.index).written->returned();
    shared->ready.clear();
    return shared->done.size();
}

void StoredCopies::place(Shared &shared)
{
    for (;;) {
        std::unique_lock<std::mutex> hold(shared.lock);
        shared.changed.wait(hold, [&]() { return !shared.ready.empty() || !shared.writing; });
        if (shared.ready.empty())
            return;
        Ready next = std::move(shared.ready.front());
        shared.ready.pop_front();
        hold.unlock();
        shared.changed.notify_all();
        const Item &item = shared.items.at(next.index);
        if (next.copied.outcome == exportfile::Outcome::Written)
            next.copied.outcome = next.copy->place(&next.copied.why, item.watch.get());
        next.copy.reset();
        item.written->returned();
        hold.lock();
        shared.done.append(next.copied);
        // The next one is waited on from now, however long ago it was copied.
        const int after = qMin(next.index + 1, int(shared.items.size()) - 1);
        shared.items.at(after).watch->moved();
        shared.at = after;
        if (next.copied.outcome != exportfile::Outcome::Written) {
            shared.stopped = true;
            hold.unlock();
            shared.changed.notify_all();
            return;
        }
    }
}

QVector<Copied> StoredCopies::run(QVector<Item> items, const std::function<void(int at)> &moved, int *stalled)
{
    for (Item &item : items) {
        item.read = std::make_shared<ztplatform::SilentLook>(item.silent, item.place.readFrom);
        item.written = std::make_shared<ztplatform::SilentLook>(
                item.silent, QFileInfo(QDir::fromNativeSeparators(item.target)).path());
    }
    const auto shared = std::make_shared<Shared>();
    shared->items = items;
    const ztplatform::TimedLook<int> running([shared]() { return work(shared); });
    if (!running.isStarted())
        work(shared);
    int givenUpAt = -1;
    bool givenUp = false;
    if (running.isStarted())
        ztplatform::waitUntilStalled<int>(
                running,
                [&]() {
                    const int at = shared->at;
                    const exportfile::Watch &watch = *items.at(at).watch;
                    if (watch.sinceMovedMs() < kFileStallLimitMs)
                        return false;
                    givenUpAt = at;
                    givenUp = items.at(at).watch->giveUp();
                    if (!givenUp)
                        qWarning() << "a file was being put in place when its folder stopped answering";
                    // None after it starts any more.
                    for (int i = at + 1; i < items.size(); ++i)
                        items.at(i).watch->giveUp();
                    return true;
                },
                [&](const std::function<bool(int ms)> &ended) {
                    JobDialog::waitUntil([&](int ms) {
                        moved(shared->at);
                        return ended(ms);
                    });
                });
    std::lock_guard<std::mutex> hold(shared->lock);
    QVector<Copied> done = shared->done;
    if (givenUpAt < 0)
        return done;
    // Given up while it ran, it is not written, whatever it came to; its end
    // is taken when it came while its file was being put in place.
    done.resize(qMin(done.size(), givenUp ? givenUpAt : givenUpAt + 1));
    if (done.size() == givenUpAt) {
        const Item &item = items.at(givenUpAt);
        if (item.watch->step() != exportfile::Watch::Step::Source)
            item.written->givenUp();
        else
            item.read->givenUp();
        *stalled = givenUpAt;
    }
    return done;
}

struct Converted
{
    exportfile::Outcome outcome = exportfile::Outcome::NotRun;
    QString err, why, lost;
};

// The conversions of the export's audio files, begun ahead of the row the
// export is at, as many at once as the machine has cores. Each is taken in
// the rows' order, so that boxes and the report come as they would from one
// conversion at a time.
class Conversions
{
public:
    // What a row's conversion came to: refused before it ran (`box` to
    // show), its end, or nothing when it stopped moving on (`watch` says where).
    struct Turn
    {
        QString box;
        std::optional<Converted> done;
        std::shared_ptr<exportfile::Watch> watch;
    };

    Conversions(const ExportRun &run, const QVector<Pick> &rows, const QVector<Target> &targets)
        : m_folder(run.dir.path())
        , m_conversion(run.conversion)
        , m_leftovers(run.leftovers)
        , m_fence(run.fence)
        , m_silent(run.silentFiles)
        , m_rows(rows)
        , m_targets(targets)
        , m_jobs(size_t(targets.size()))
        , m_limit(qMax(1, QThread::idealThreadCount()))
    {
    }
    ~Conversions()
    {
        for (int r = m_next - 1; r >= 0; --r)
            abandon(r);
    }
    Conversions(const Conversions &) = delete;
    Conversions &operator=(const Conversions &) = delete;

    // Begins the next conversions while fewer than the limit run.
    void topUp();
    // The window's waiter, the conversions topped up meanwhile.
    ztplatform::Waiter waiter()
    {
        return [this](const std::function<bool(int ms)> &ended) {
            JobDialog::waitUntil([this, &ended](int ms) {
                topUp();
                return ended(ms);
            });
        };
    }
    // Row `row`'s conversion, begun now unless it was; the window paints meanwhile.
    Turn take(int row);
    // Row `row`'s conversion after the export ended before it: stopped
    // unless its file was being put in place; what it came to when it ended
    // (`inDoubt` when its rename did not end in time).
    std::optional<Converted> abandon(int row, bool *inDoubt = nullptr);

private:
    struct Job
    {
        bool begun = false;
        QString box;
        std::shared_ptr<exportfile::Watch> watch;
        std::shared_ptr<ztplatform::SilentLook> written;
        std::function<Converted()> work;
        ztplatform::TimedLook<Converted> running;
        bool taken = false;
    };

    bool converts(int row) const
    {
        const Pick &pick = m_rows.at(row);
        return pick.sound && !soundsource::isStored(pick.path) && !m_targets.at(row).name.isEmpty();
    }
    int running() const;
    void begin(int row);

    QString m_folder;
    audioconverter::Limits m_conversion;
    std::shared_ptr<ztplatform::Leftovers> m_leftovers;
    std::shared_ptr<ztplatform::FolderFence> m_fence;
    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    QVector<Pick> m_rows;
    QVector<Target> m_targets;
    std::vector<Job> m_jobs;
    int m_limit;
    int m_next = 0;        // the first row not yet looked at for a conversion
    bool m_beginning = false;
};

int Conversions::running() const
{
    int n = 0;
    for (int r = 0; r < m_next; ++r) {
        const Job &job = m_jobs[size_t(r)];
        n += job.begun && !job.taken && job.running.isStarted() && !job.running.done();
    }
    return n;
}

void Conversions::topUp()
{
    if (m_beginning)
        return;
    m_beginning = true;
    while (m_next < int(m_jobs.size()) && running() < m_limit) {
        if (converts(m_next))
            begin(m_next);
        ++m_next;
    }
    m_beginning = false;
}

// A pipe would hold ffmpeg for ever, and so would a file on a pad that
// stopped answering; one that still holds such a look is not looked at.
void Conversions::begin(int row)
{
    Job &job = m_jobs[size_t(row)];
    job.begun = true;
    const QString path = m_rows.at(row).path;
    if (ztplatform::isSilentFile(m_silent, path)) {
        job.box = RawFiles::silentText(path);
        return;
    }
    const std::optional<qint64> size = PreviewController::soundFileSize(m_fence, m_silent, path);
    if (!size) {
        job.box = RawFiles::silentText(path);
        return;
    }
    if (*size < 0) {
        job.box = WindowTexts::tr("Wrong data in file：") + QStringLiteral("\r\n") + path;
        return;
    }
    const QString target = QDir::toNativeSeparators(QDir(m_folder).filePath(m_targets.at(row).name));
    // Only what the user agreed to replace is replaced.
    const bool createOnly = !m_targets.at(row).replaces;
    const auto watch = std::make_shared<exportfile::Watch>();
    const auto written = std::make_shared<ztplatform::SilentLook>(m_silent, m_folder);
    job.watch = watch;
    job.written = written;
    job.work = [path, target, createOnly, watch, written, limits = m_conversion, leftovers = m_leftovers,
                disk = &ztplatform::diskOf(m_fence), silent = m_silent]() {
        Converted done;
        done.outcome = exportfile::convert(path, target, done.err, &done.why, &done.lost, watch.get(), createOnly,
                                           limits, leftovers, silent, disk);
        written->returned();
        return done;
    };
    job.running = ztplatform::TimedLook<Converted>(job.work);
}

Conversions::Turn Conversions::take(int row)
{
    while (m_next <= row)
        topUp();
    Job &job = m_jobs[size_t(row)];
    Turn turn;
    turn.box = job.box;
    turn.watch = job.watch;
    if (!turn.box.isEmpty() || !job.running.isStarted()) {
        job.taken = true;
        if (turn.box.isEmpty())
            turn.done = job.work();
        return turn;
    }
    // Counted as running while it is waited on: the top-ups meanwhile keep to the limit.
    turn.done = exportfile::waitWatched<Converted>(*job.watch, kFileStallLimitMs, job.running, waiter());
    job.taken = true;
    if (!turn.done)
        job.written->givenUp();
    return turn;
}

std::optional<Converted> Conversions::abandon(int row, bool *inDoubt)
{
    if (row >= m_next)
        return std::nullopt;
    Job &job = m_jobs[size_t(row)];
    if (!job.begun || job.taken || !job.running.isStarted())
        return std::nullopt;
    job.taken = true;
    if (job.running.done())
        return job.running.waitFor(0);
    if (job.watch->giveUp()) {
        // Stopped; one that waits on the folder holds it silent until it returns.
        if (job.watch->step() != exportfile::Watch::Step::Program)
            job.written->givenUp();
        return std::nullopt;
    }
    const std::optional<Converted> done =
            ztplatform::timedlook::waitWithin(job.running, kFileStallLimitMs, JobDialog::waiter());
    if (!done && inDoubt)
        *inDoubt = true;
    return done;
}

// A kit file whose drive does not answer: none of its sounds is exported,
// the box says so once. It did not answer now (told as a file that cannot be
// read), or still holds an earlier look (`held`: told why).
void kitFileSilent(ExportRun &run, const QString &kitFile, bool held)
{
    if (run.refused.contains(kitFile))
        return;
    run.refused.insert(kitFile);
    const QString text = held ? RawFiles::silentText(kitFile)
                              : WindowTexts::tr("Failed to read the file.") + QStringLiteral("\r\n")
                                        + QDir::toNativeSeparators(kitFile);
    run.prompter.warning(run.parent, WindowTexts::tr("Error"), text, QMessageBox::Ok);
}

// Each stored sound's kit file, looked for before anything is written.
QVector<StoredFound> findStored(ExportRun &run, const QVector<Pick> &rows)
{
    QVector<StoredFound> found(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const Pick &row = rows.at(r);
        if (!row.sound || !soundsource::isStored(row.path))
            continue;
        StoredFound &f = found[r];
        f.kitFile = soundsource::parse(row.path).kitFile;
        f.held = ztplatform::isSilentFile(run.silentFiles, f.kitFile);
        f.entry = f.held ? -1 : run.entries.find(row.path, &f.kit);
        f.silent = !f.kit && (f.held || ztplatform::isSilentFile(run.silentFiles, f.kitFile));
    }
    return found;
}

// The first row whose sound ends the export: a stored sound whose kit file
// is not loaded, or not found in its table; all rows when none.
int endingRow(const QVector<StoredFound> &found)
{
    for (int r = 0; r < found.size(); ++r) {
        const StoredFound &f = found.at(r);
        if (!f.kitFile.isEmpty() && !f.silent && (!f.kit || f.entry < 0))
            return r;
    }
    return found.size();
}

// What a stored sound's copy came to, told as the export tells it.
void storedCopied(ExportRun &run, const QString &kitFile, const QString &fileName, const Copied &copied)
{
    const QString shown = QStringLiteral("\r\n") + QDir::toNativeSeparators(kitFile);
    switch (copied.outcome) {
    case exportfile::Outcome::Written:
        run.wrote(fileName);
        break;
    case exportfile::Outcome::Changed:
        // Its bytes may lie elsewhere now: none of its sounds is exported.
        run.refused.insert(kitFile);
        run.prompter.warning(run.parent, WindowTexts::tr("Error"),
                             WindowTexts::tr("Please check path:")
                                     + WindowTexts::tr("The file has been modified. Export failed.") + shown,
                             QMessageBox::Ok);
        break;
    case exportfile::Outcome::Unreadable:
        run.refused.insert(kitFile);
        run.prompter.warning(run.parent, WindowTexts::tr("Error"), WindowTexts::tr("Failed to read the file.") + shown,
                             QMessageBox::Ok);
        break;
    default:
        run.notWritten(fileName, copied.why);
        break;
    }
}

// A stored sound copied out of its kit file into `fileName`. False when the export ends.
bool exportStored(ExportRun &run, const StoredFound &found, const QString &fileName)
{
    if (found.silent) {
        kitFileSilent(run, found.kitFile, found.held);
        return true;
    }
    if (!found.kit) {
        closeProgress(run.preview);
        return false;
    }
    if (found.entry < 0) {
        closeProgress(run.preview);
        run.prompter.information(run.parent, WindowTexts::tr("Error"),
                                 WindowTexts::tr("File error!") + QStringLiteral("\r\n")
                                         + WindowTexts::tr("Error:0012"),
                                 QMessageBox::Ok);
        return false;
    }
    // The record was not looked at again once events had run.
    const StoredPlace place = storedPlace(*found.kit, quint16(found.entry));
    if (fileName.isEmpty()) {
        tooManyNames(run.prompter, run.parent);
        return true;
    }
    if (run.refused.contains(place.kitFile))
        return true; // its box named the file
    if (place.inTable)
        kitFileSilent(run, place.kitFile, true); // its file holds a look given up on
    else
        storedCopied(run, place.kitFile, fileName, Copied{});
    return true;
}

// Where a stored sound is copied from, when nothing is to be told before its
// copy: its kit file loaded, its entry in the table, its name chosen, and
// neither refused nor holding a look given up on.
std::optional<StoredPlace> readyPlace(const ExportRun &run, const StoredFound &found, const QString &fileName)
{
    if (found.silent || !found.kit || found.entry < 0 || fileName.isEmpty())
        return std::nullopt;
    const StoredPlace place = storedPlace(*found.kit, quint16(found.entry));
    if (!place.inTable || run.refused.contains(place.kitFile)
        || ztplatform::isSilentFile(run.silentFiles, place.readFrom)
        || ztplatform::isSilentFile(run.silentFiles, place.kitFile))
        return std::nullopt;
    return place;
}

// The stored sounds of rows [begin, end), each ready (readyPlace), copied on
// one thread. *next gets the first row not told yet. False when the export
// ends, at *next - 1.
bool exportStoredRun(ExportRun &run, const QVector<Target> &targets, const QVector<StoredFound> &found, int begin,
                     int end, const std::function<void(int row)> &paint, int *next)
{
    QVector<StoredCopies::Item> items;
    for (int r = begin; r < end; ++r) {
        StoredCopies::Item item;
        item.place = *readyPlace(run, found.at(r), targets.at(r).name);
        item.target = QDir::toNativeSeparators(run.dir.filePath(targets.at(r).name));
        item.leftovers = run.leftovers;
        item.fence = run.fence;
        item.silent = run.silentFiles;
        items.append(item);
    }
    int stalled = -1;
    const QVector<Copied> done = StoredCopies::run(items, [&](int at) { paint(begin + at); }, &stalled);
    for (int i = 0; i < done.size(); ++i)
        storedCopied(run, items.at(i).place.kitFile, targets.at(begin + i).name, done.at(i));
    *next = begin + done.size();
    if (stalled < 0)
        return true;
    *next = begin + stalled + 1;
    const StoredCopies::Item &item = items.at(stalled);
    if (item.watch->step() != exportfile::Watch::Step::Source)
        return writeStalled(run, targets.at(begin + stalled).name, *item.watch);
    qWarning().noquote() << "the kit file" << item.place.readFrom << "does not answer: its sounds are not exported";
    storedCopied(run, item.place.kitFile, targets.at(begin + stalled).name, Copied{});
    return true;
}

// An audio file converted into the pad's form as `fileName`. False when the export ends.
bool exportPlain(ExportRun &run, Conversions &conversions, int row, const QString &path, const QString &fileName)
{
    const QString crlf = QStringLiteral("\r\n");
    if (fileName.isEmpty()) {
        tooManyNames(run.prompter, run.parent);
        return true;
    }
    const Conversions::Turn turn = conversions.take(row);
    if (!turn.box.isEmpty()) {
        run.prompter.information(run.parent, WindowTexts::tr("Error"), turn.box, QMessageBox::Ok);
        return true;
    }
    if (!turn.done)
        return writeStalled(run, fileName, *turn.watch);
    const Converted &converted = *turn.done;
    switch (converted.outcome) {
    case exportfile::Outcome::NotRun:
        closeProgress(run.preview);
        run.prompter.information(run.parent, WindowTexts::tr("Error"),
                                 WindowTexts::tr("Missing some files for the program!"), QMessageBox::Ok);
        return false;
    case exportfile::Outcome::Unwritable:
        run.notWritten(fileName, converted.why);
        return true;
    case exportfile::Outcome::Written:
        run.wrote(fileName);
        if (!converted.lost.isEmpty())
            run.notKept << QDir::toNativeSeparators(run.dir.filePath(fileName)) + crlf + converted.lost;
        return true;
    default: // what ffmpeg said last, never its whole log
        run.prompter.information(run.parent, WindowTexts::tr("Error"),
                                 WindowTexts::tr("Wrong data in file：") + crlf + WindowTexts::tr("File Location: ")
                                         + path + crlf + soundsource::logTail(converted.err),
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
    run.prompter.warning(run.parent, WindowTexts::tr("Error"),
                         WindowTexts::tr("These files could not be written:") + crlf
                                 + run.unwritten.join(QStringLiteral(",  ")) + crlf + WindowTexts::tr("File location:")
                                 + crlf + folder + crlf + run.reasons.join(crlf),
                         QMessageBox::Ok);
}

// The box for each file whose rename the folder stopped answering in: it may
// be in place or not, and an older file at its name is whole either way.
void reportInDoubt(const ExportRun &run)
{
    const QString crlf = QStringLiteral("\r\n");
    for (const QString &name : run.inDoubt) {
        run.prompter.warning(
                run.parent, WindowTexts::tr("Warning"),
                WindowTexts::tr("The folder stopped answering while this file was being put in place under its name:")
                        + crlf + QDir::toNativeSeparators(run.dir.filePath(name)) + crlf
                        + WindowTexts::tr("It may or may not be there now. A file that had this name before is "
                                          "either still the old one, whole, or the new one, whole. Please look in "
                                          "the folder."),
                QMessageBox::Ok);
    }
}

// One box for the replaced files whose owner or attributes could not be kept.
void reportNotKept(const ExportRun &run)
{
    if (run.notKept.isEmpty())
        return;
    const QString crlf = QStringLiteral("\r\n");
    run.prompter.warning(run.parent, WindowTexts::tr("Warning"),
                         WindowTexts::tr("These files were replaced, but not all that they had was kept:") + crlf
                                 + run.notKept.join(crlf),
                         QMessageBox::Ok);
}

// The export ended at `row`: the conversions begun ahead are stopped, or
// taken as written when their files were already in place; when the folder
// went silent, every other sound after `row` is told as not written.
void endAfter(ExportRun &run, Conversions &conversions, const QVector<Pick> &rows, const QVector<Target> &targets,
              int row)
{
    const QString crlf = QStringLiteral("\r\n");
    for (int rest = row + 1; rest < rows.size(); ++rest) {
        if (!rows.at(rest).sound)
            continue;
        const QString name = rest < targets.size() ? targets.at(rest).name : QString();
        bool inDoubt = false;
        const std::optional<Converted> done = conversions.abandon(rest, &inDoubt);
        if (done && done->outcome == exportfile::Outcome::Written) {
            run.wrote(name);
            if (!done->lost.isEmpty())
                run.notKept << QDir::toNativeSeparators(run.dir.filePath(name)) + crlf + done->lost;
        } else if (inDoubt) {
            run.inDoubt << name;
        } else if (run.silent && rest < targets.size()) {
            run.notWritten(name.isEmpty() ? firstName(exportnames::safeName(rows.at(rest).name)) : name,
                           run.silentWhy);
        }
    }
}

// The rows exported in order into their targets; false when the export
// ended early.
bool exportRows(ExportRun &run, const QVector<Pick> &rows, const QVector<Target> &targets,
                const QVector<StoredFound> &found)
{
    Conversions conversions(run, rows, targets);
    QElapsedTimer sinceStep;
    sinceStep.start();
    // The dialog repaints on each new value; a few times a second is enough.
    auto progress = [&](int done) {
        if (sinceStep.elapsed() >= 40 || done == rows.size()) {
            run.preview.dialog()->move(done);
            sinceStep.restart();
        }
    };
    // Stored sounds ready to copy, in a row from `r`, go on one thread.
    auto readyEnd = [&](int r) {
        while (r < targets.size() && rows.at(r).sound && soundsource::isStored(rows.at(r).path)
               && readyPlace(run, found.at(r), targets.at(r).name))
            ++r;
        return r;
    };
    for (int r = 0; r < rows.size(); ++r) {
        conversions.topUp();
        const Pick &row = rows.at(r);
        if (!row.sound) {
            closeProgress(run.preview);
            run.prompter.warning(run.parent, WindowTexts::tr("Warning"),
                                 WindowTexts::tr("The export of sound group name is not supported, ")
                                         + QStringLiteral("\r\n")
                                         + WindowTexts::tr("but this will not affect the sound export."),
                                 QMessageBox::Ok);
            continue;
        }
        const QString &fileName = targets.at(r).name;
        const int readyTo = soundsource::isStored(row.path) ? readyEnd(r) : r;
        if (readyTo > r) {
            int next = r;
            const bool goOn = exportStoredRun(run, targets, found, r, readyTo,
                                              [&](int at) {
                                                  conversions.topUp();
                                                  progress(at);
                                              },
                                              &next);
            r = next - 1;
            if (!goOn) {
                endAfter(run, conversions, rows, targets, r);
                return false;
            }
        } else if (!(soundsource::isStored(row.path) ? exportStored(run, found.at(r), fileName)
                                                     : exportPlain(run, conversions, r, row.path, fileName))) {
            endAfter(run, conversions, rows, targets, r);
            return false;
        }
        progress(r + 1);
    }
    return true;
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
    // One row per three indexes, in the order the selection gives them.
    // Read before the progress dialog lets events run.
    QVector<Pick> rows;
    for (const QModelIndex &row : m_soundLists.selectedSoundRows()) {
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
            m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                               WindowTexts::tr("Exporting locked sound is not supported!"), QMessageBox::Ok);
            return;
        }
    }

    const QString folder = QDir::toNativeSeparators(m_prompter.getExistingDirectory(
            m_parent, WindowTexts::tr("Output"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
    if (folder.isEmpty()) {
        m_prompter.information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("The output file path is not set."),
                               QMessageBox::Ok);
        return;
    }

    m_preview.showWaitDialog(WindowTexts::tr("The file is being exported..."), rows.size());
    ExportRun run(m_parent, m_prompter, m_preview, folder,
                  [this]() { return m_library.storedEntries(JobDialog::waiter()); });
    run.conversion = m_conversion;
    run.leftovers = m_library.leftovers();
    run.fence = m_library.fence();
    run.silentFiles = m_library.silentFiles();
    const QVector<StoredFound> found = findStored(run, rows);
    // Every name is chosen, and a file at one asked about, before anything is written.
    const bool held = ztplatform::isSilentFile(run.silentFiles, run.dir.path());
    const int ending = endingRow(found);
    const std::optional<QVector<Target>> targets =
            planTargets(run.silentFiles, run.dir.path(), rows, ending < rows.size() ? ending + 1 : ending,
                        std::make_shared<exportfile::SourceFiles>(m_library.librarySources(),
                                                                  &ztplatform::diskOf(run.fence)),
                        &ztplatform::diskOf(run.fence));
    if (!targets) {
        qWarning().noquote() << "the folder" << run.dir.path() << "does not answer: nothing is exported";
        closeProgress(m_preview);
        run.silentWhy = silentReason(run.dir.path(), held);
        for (const Pick &row : qAsConst(rows)) {
            if (row.sound)
                run.notWritten(firstName(exportnames::safeName(row.name)), run.silentWhy);
        }
        reportUnwritten(run, folder);
        return;
    }
    if (std::any_of(targets->cbegin(), targets->cend(), [](const Target &t) { return t.replaces; })) {
        closeProgress(m_preview);
        if (!replaceAgreed(m_prompter, m_parent, folder, *targets))
            return;
        m_preview.showWaitDialog(WindowTexts::tr("The file is being exported..."), rows.size());
    }
    if (!exportRows(run, rows, *targets, found)) {
        // Ended early: no report, but what could not be written is told
        // and what was written reaches the disk.
        reportInDoubt(run);
        reportUnwritten(run, folder);
        reportNotKept(run);
        if (!run.written.isEmpty())
            syncExportFolder(m_prompter, m_parent, run.silentFiles, folder, run.written,
                             &ztplatform::diskOf(run.fence));
        return;
    }
    closeProgress(m_preview);
    reportUnwritten(run, folder);
    reportNotKept(run);
    if (run.written.isEmpty())
        return;
    syncExportFolder(m_prompter, m_parent, run.silentFiles, folder, run.written, &ztplatform::diskOf(run.fence));
    showExportReport(run.written, folder);
}

void SoundFilesController::recvOK()
{
    m_custom = nullptr;
}

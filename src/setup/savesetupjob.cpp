// The whole setup written as one kit file, beside the target first when a
// file is there, and read back when it replaced the loaded setup.
#include "setup/savesetupjob.h"

#include "setup/filethread.h"

#include "library/soundlibrary.h"
#include "platform/descriptor.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"
#include "kitfile/fileread.h"
#include "kitfile/filewrite.h"
#include "kitfile/kitfiles.h"
#include "kitfile/modelout.h"
#include "kitfile/soundsource.h"
#include "kitfile/waveorder.h"

#include <QCoreApplication>

#include <algorithm>
#include <QDir>
#include <QFile>

#include <atomic>
#include <memory>
#include <optional>

namespace {

using savejob::FileWrite;
using savejob::Placed;
using savejob::Written;
using savejob::offThread;
using savejob::timedOut;
using Step = ztplatform::ReplaceFile::Step;

bool samePaths(const QVector<MainWindow1Records::READ_KIT_FILE> &a, const QVector<MainWindow1Records::READ_KIT_FILE> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto &x, const auto &y) { return x.file == y.file; });
}

QString errorTitle()
{
    return QCoreApplication::translate("MainWindow1", "Error");
}

// Why the whole setup open at `held` is refused as a save's source (the
// untranslated text), or null when it opens and holds its index, sound, kit
// and global chunks; read through `disk`.
const char *sourceFileFault(ztplatform::Disk &disk, const ztplatform::Descriptor &held)
{
    ztplatform::sysio::SeamFile file(&disk);
    if (!file.open(held.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || !file.seek(0))
        return QT_TRANSLATE_NOOP("MainWindow1", "Fail to open file!");
    std::unique_ptr<percussionpadfile> m(new percussionpadfile);
    m->curFlag = 0;
    m->initFileChunk();
    setupfiles::KitTables tables;
    tables.attach(*m);
    // A file whose reads fail is one that cannot be read, whatever its data.
    const char *unread = QT_TRANSLATE_NOOP("MainWindow1", "Fail to open file!");
    if (!m->getChunkIndex(&file))
        return file.failure() ? unread : QT_TRANSLATE_NOOP("MainWindow1", "File data error!");
    const bool sounds = m->readSounChunk(&file);
    const bool kits = m->readSkitChunk(&file);
    const bool global = m->readGlobalChunk(&file);
    if (!sounds || !kits || !global)
        return file.failure() ? unread : QT_TRANSLATE_NOOP("MainWindow1", "Invalid data file!");
    return nullptr;
}

} // namespace

SaveSetupJob::SaveSetupJob(KitDocument &doc, SoundLibrary &lib, setupjob::Questions &questions,
                           setupjob::Progress progress, savejob::Hooks hooks)
    : m_run{doc, lib, questions, std::move(progress), std::move(hooks), {}}
{
}

// What a save's job reads: the loaded files as they were when the save
// began, and their locator, which holds each file it checked.
struct SaveSetupJob::Loaded
{
    Loaded(const QVector<MainWindow1Records::READ_KIT_FILE> &kitFiles,
           std::shared_ptr<ztplatform::SilentFiles> silent, ztplatform::Waiter wait,
           std::shared_ptr<ztplatform::FolderFence> fence)
        : files(kitFiles)
        , locator(files, std::move(silent), std::move(wait), std::move(fence))
    {
    }
    const QVector<MainWindow1Records::READ_KIT_FILE> files;
    setupfiles::StoredSoundLocator locator;
};

// What a save's job is handed, all of it copied, and what it gives back; it
// keeps it until it returns, also when it was given up on.
struct SaveSetupJob::Work
{
    using Records = MainWindow1Records;
    bool clicks = false; // the metronome's sounds are gathered
    bool waves = false;  // every other sound, then the file laid out and written
    QVector<Records::SOUND_LIST_INFO> clickList;
    QVector<Records::READ_KIT_FILE> files;
    std::shared_ptr<Loaded> loaded;
    bool locate = false; // stored sounds are located through `loaded`
    QVector<setupfiles::TotalRow> rows;
    QVector<Records::soundKit> kits; // their slots numbered once gathered
    QVector<int> selection;
    QVector<Records::SOUND_INDEX> library;
    QString tempDir;
    quint16 version = 0;
    bool backup = false;
    setupfiles::RawWaveFn rawFile;
    setupfiles::RawPlanFn plan;
    std::shared_ptr<ztplatform::FolderFence> fence;
    std::shared_ptr<ztplatform::SilentFiles> silent;
    std::shared_ptr<setupfiles::OwnedModel> image; // the document's file, to lay out
    KitDocument::GlobalPage page;                   // its global settings
    std::shared_ptr<FileWrite> out;

    setupfiles::CollectError clickError;
    setupfiles::CollectError waveError;
    setupfiles::CollectedClicks gotClicks;
    setupfiles::CollectedWaves gotWaves;
    QVector<quint16> order; // the gathered waves in the kits' order
    std::atomic_bool writing{false}; // what is gathered stays as it is from then on
    Written written;
};

setupjob::Result SaveSetupJob::run(const Input &in)
{
    m_in = in;
    m_run.result = {};
    m_heldChanged.clear();
    // The gathering gives the metronome's records the new file's places; a
    // save that writes no file leaves them as they were.
    const QVector<SoundLibrary::SOUND_INDEX> clicks = m_run.lib.clickSetList();
    QString dest;
    QStringList sources;
    std::shared_ptr<FileWrite> out;
    if (checkTarget(dest) && checkSources() && gatherAndWrite(dest, out, sources))
        place(out, sources);
    setupfiles::removeRawWaves(m_in.tempDir);
    m_loaded.reset();
    if (m_run.result.with(setupjob::FileOutcome::Written).isEmpty())
        m_run.lib.takeClickRecords(clicks);
    return m_run.result;
}

bool SaveSetupJob::gatherAndWrite(const QString &dest, std::shared_ptr<FileWrite> &out, QStringList &sources)
{
    m_run.doc.beginFile(0);
    const savejob::Hooks &hooks = m_run.hooks;
    const savejob::JobConversion conversion = hooks.jobConversion
                                                      ? hooks.jobConversion()
                                                      : savejob::JobConversion{hooks.rawFile, hooks.rawPlan, {},
                                                                               hooks.rawFailureTold};
    m_run.hooks.rawFailureTold = conversion.failureTold; // a failed gathering's box asks the job's conversion
    // Shared sounds of changed files move after the metronome's are gathered.
    const bool handOver = !m_run.lib.sharedSounds().twins().isEmpty();
    if (handOver) {
        const std::shared_ptr<Work> clicks = workFor(dest, true, false, conversion);
        runWork(clicks, conversion);
        if (!takeClicks(*clicks))
            return false;
        savejob::handOver(m_run);
    }
    const std::shared_ptr<Work> w = workFor(dest, !handOver, true, conversion);
    const bool ended = runWork(w, conversion);
    if ((!handOver && !takeClicks(*w)) || !takeWaves(*w, sources))
        return false;
    out = w->out;
    return takeWritten(*w, ended);
}

std::shared_ptr<SaveSetupJob::Work> SaveSetupJob::workFor(const QString &dest, bool clicks, bool waves,
                                                          const savejob::JobConversion &conversion)
{
    const auto w = std::make_shared<Work>();
    w->clicks = clicks;
    w->waves = waves;
    w->clickList = m_run.lib.clickList();
    w->files = m_run.lib.loadedKitFiles();
    w->loaded = m_loaded;
    // The files checked as the save began serve while the library holds the
    // same ones: each is opened, checked and read once.
    w->locate = m_loaded && m_loaded->locator.madeFor(m_loaded->files) && samePaths(m_loaded->files, w->files);
    if (m_loaded)
        m_loaded->locator.setWaiter({}); // the job's thread waits itself
    w->tempDir = m_in.tempDir;
    w->rawFile = conversion.rawFile;
    w->plan = conversion.plan;
    w->fence = m_run.lib.fence();
    w->silent = m_run.lib.silentFiles();
    if (!clicks) {
        w->gotClicks.clickSetList = m_run.lib.clickSetList();
        w->gotClicks.clickWaveList = m_got.clickWaveList;
    }
    if (!waves)
        return w;
    KitDocument &doc = m_run.doc;
    w->rows = m_run.lib.totalRows();
    w->kits = doc.kitAttrList();
    w->selection = doc.kitIndexList();
    w->library = m_run.lib.waveLoadKitAttrList();
    w->version = m_in.version;
    w->backup = m_in.backup;
    w->page = m_in.globalPage ? m_in.globalPage() : KitDocument::GlobalPage();
    doc.setGlobalFileChunk(w->page);
    w->image = doc.wholeSetupImage();
    w->out = std::make_shared<FileWrite>(dest, m_run.lib.leftovers(), m_run.lib.fence());
    w->out->out.setCreateOnly(!m_replace);
    return w;
}

// On the job's thread: the metronome's sounds, the others, the file laid
// out as the document lays it out, then written beside the target, read
// back and synced. A failure ends it; the window tells it from what it gave back.
void SaveSetupJob::work(Work &w, const ztplatform::Job::Report &report)
{
    setupfiles::StoredSoundLocator *loc = w.locate ? &w.loaded->locator : nullptr;
    if (w.clicks) {
        w.clickError = setupfiles::collectClickWaves(w.clickList, w.files, w.tempDir, w.rawFile, w.gotClicks, w.plan,
                                                     loc, w.fence, w.silent);
        if (w.clickError)
            return;
    }
    if (!w.waves)
        return;
    w.waveError = setupfiles::collectWholeSetupWaves(
            w.rows, w.kits, w.library, w.files, w.tempDir, w.rawFile, [&report](int value) { report(value, 100); },
            w.gotWaves, w.plan, {}, loc, w.fence, w.silent);
    if (w.waveError)
        return;
    w.order = setupfiles::kitWaveOrder(w.kits, w.library, w.gotWaves.waveAttrList);
    const QVector<quint16> &order = w.order;
    if (!setupfiles::wholeSetupWithinLimit(w.gotWaves.waveAttrList, order.size()))
        return;
    percussionpadfile &m = w.image->model();
    // The metronome sound chosen lies where its gathering placed it.
    const QVector<MainWindow1Records::SOUND_INDEX> &clickSet = w.gotClicks.clickSetList;
    if (w.page.clickListed && w.page.clickNo < clickSet.size()) {
        m.new_globalChunk.click.click_startCluster = clickSet.at(w.page.clickNo).start_cluster;
        m.new_globalChunk.click.click_waveLength = clickSet.at(w.page.clickNo).wave_length;
    }
    QVector<MainWindow1Records::soundKit> kits = w.kits;
    QVector<MainWindow1Records::SOUND_LIST_INFO> waveList = w.gotWaves.waveList;
    setupfiles::fillWholeSetupKits(m, kits, w.selection, w.gotWaves.waveAttrList, w.version, w.backup);
    if (!setupfiles::fillWholeSetupSounds(m, w.gotClicks.clickSetList, w.gotClicks.clickWaveList,
                                          w.gotWaves.waveAttrList, waveList, order)
        || !m.calculateChunkSize())
        return;
    w.out->held = w.loaded ? w.loaded->locator.heldFiles() : setupfiles::HeldKitFiles();
    w.out->image.emplace(m);
    w.out->writing.moved();
    w.writing = true;
    w.written = savejob::writeFile(*w.out);
}

// The job waited on; a write whose folder has not moved on for the limit is
// given up (the gathering's waits are bounded by their own). True once it
// ended. The boxes of failed conversions are shown then.
bool SaveSetupJob::runWork(const std::shared_ptr<Work> &w, const savejob::JobConversion &conversion)
{
    ztplatform::Job job([w](const ztplatform::Job::Report &report) { work(*w, report); });
    const auto giveUp = [w]() {
        if (!w->writing)
            return false;
        exportfile::Watch &watch = w->out->writing;
        if (watch.step() == exportfile::Watch::Step::Program || watch.sinceMovedMs() < savejob::kStallLimitMs)
            return false;
        if (!watch.giveUp())
            qWarning() << "a file was being put in place when its folder stopped answering";
        return true;
    };
    const bool ended = savejob::waitForJob(m_run, job, giveUp);
    if (conversion.tell)
        conversion.tell();
    return ended;
}

bool SaveSetupJob::takeClicks(const Work &w)
{
    if (w.clickError) {
        savejob::noteCollectError(m_run, w.clickError);
        return stop(QCoreApplication::translate("MainWindow1", "Error in obtaining sound, the saving is failed."),
                    errorTitle());
    }
    m_got.clickWaveList = w.gotClicks.clickWaveList;
    m_run.lib.takeClickRecords(w.gotClicks.clickSetList);
    return true;
}

// The gathered sounds taken and cf laid out as the whole setup; `sources`
// get the kit files its stored sounds are copied from, checked again once the
// file is written: none may change after its sounds were checked.
bool SaveSetupJob::takeWaves(const Work &w, QStringList &sources)
{
    if (w.waveError) {
        savejob::noteCollectError(m_run, w.waveError);
        return stop(QCoreApplication::translate("MainWindow1", "Error in obtaining sound, the saving is failed."),
                    errorTitle());
    }
    KitDocument &doc = m_run.doc;
    doc.takeSlotNumbers(w.kits);
    m_got.waveList = w.gotWaves.waveList;
    m_got.waveAttrList = w.gotWaves.waveAttrList;
    sources = setupfiles::storedSourceFiles(m_got.clickWaveList + m_got.waveList);
    // Ordered by the job from the same kits and library.
    m_kitOrder = w.order;
    const QString tooLarge = QCoreApplication::translate("MainWindow1", "The file size exceeds 4GB, save failed.");
    if (!setupfiles::wholeSetupWithinLimit(m_got.waveAttrList, m_kitOrder.size()))
        return stop(tooLarge);
    doc.setGlobalFileChunk(m_in.globalPage ? m_in.globalPage() : KitDocument::GlobalPage());
    const KitDocument::SaveSounds sounds{m_got.waveAttrList, m_got.waveList, m_run.lib.clickSetList(),
                                         m_got.clickWaveList, m_kitOrder};
    if (!doc.setAllFileChunk(sounds, m_in.version, m_in.backup) || !doc.layOutFile())
        return stop(tooLarge);
    return true;
}

// Written beside the target; a new file never takes the place of one made meanwhile.
void SaveSetupJob::place(const std::shared_ptr<FileWrite> &out, const QStringList &sources)
{
    if (!savejob::copiedAsLoaded(m_run, sources, false, out->held, m_heldChanged)) {
        stop(QCoreApplication::translate("MainWindow1", "Error in obtaining sound, the saving is failed."),
             errorTitle());
        return;
    }
    m_run.moveProgress(100);
    m_run.hideProgress();
    bool synced = false;
    const bool placed = putInPlace(out, synced);
    savejob::tellGroupsNotWritten(m_run);
    if (!placed)
        return;
    m_run.result.files.append({m_in.target, setupjob::FileOutcome::Written, {}, {}, -1});
    if (!synced) {
        // In place, but the disk did not confirm its name.
        savejob::noteNotSynced(m_run, m_in.target, m_placeError, m_notKept);
        return;
    }
    m_run.inform(QCoreApplication::translate("MainWindow1", "successfully saved."),
                 QCoreApplication::translate("MainWindow1", "The file has been generated:") + savejob::crlf()
                         + QCoreApplication::translate("MainWindow1", "File location:") + savejob::crlf()
                         + QDir::toNativeSeparators(m_in.target)
                         + (m_notKept.isEmpty() ? QString() : savejob::crlf() + m_notKept));
}

void SaveSetupJob::refuse(const QString &reason, const QString &keptAs)
{
    m_run.result.files.append({m_in.target, setupjob::FileOutcome::Refused, keptAs, reason, -1});
}

bool SaveSetupJob::stop(const QString &text, const QString &title)
{
    m_run.hideProgress();
    m_run.warn(title.isEmpty() ? errorTitle() : title, text);
    refuse(text);
    return false;
}

// No other thing than a file at the target, nor a file a sound comes from;
// a link to a loaded file is written through: that file is replaced. A
// target whose drive does not answer is told as a file that does not open.
bool SaveSetupJob::checkTarget(QString &dest)
{
    const std::optional<savejob::TargetCheck> check =
            savejob::lookAtTarget(m_run.doc, m_run.lib, m_in.target, false, m_run.hooks.wait);
    if (!check) {
        const QString text = QDir::toNativeSeparators(m_in.target) + QLatin1Char(':')
                             + QCoreApplication::translate("MainWindow1", "Fail to open file!") + savejob::crlf()
                             + timedOut();
        m_run.warn(errorTitle(), text, true);
        refuse(text);
        return false;
    }
    if (!check->refused.isEmpty()) {
        m_run.warn(errorTitle(), check->refused);
        refuse(check->refused);
        return false;
    }
    m_replace = check->isFile;
    dest = check->dest;
    m_run.openProgress(QCoreApplication::translate("MainWindow1", "The file is being generated..."), 1);
    return true;
}

// Each whole setup a kit's sound comes from, read again as the save starts.
bool SaveSetupJob::checkSources()
{
    m_loaded = std::make_shared<Loaded>(m_run.lib.loadedKitFiles(), m_run.lib.silentFiles(), m_run.hooks.wait,
                                        m_run.lib.fence());
    for (const QString &source : setupfiles::kitSourceFiles(m_run.doc.kitAttrList())) {
        const QString listed = QDir::fromNativeSeparators(source);
        if (setupfiles::isWholeSetupPath(listed) && !checkSourceFile(m_loaded->locator, listed))
            return false;
    }
    m_run.moveProgress(5);
    return true;
}

// A source whole setup must still open and hold its index, sound, kit and
// global chunks: the file as loaded holds those the load read, another is
// read again. What was loaded from it is kept: the sounds are checked
// against it while they are gathered.
bool SaveSetupJob::checkSourceFile(setupfiles::StoredSoundLocator &loadedFiles, const QString &listed)
{
    const int record = loadedFiles.recordOf(listed);
    const bool loaded = record >= 0;
    const QString path = loaded ? loadedFiles.record(record).file : listed;
    auto refused = [this, &path](const char *text) {
        m_run.hideProgress();
        const QString shown = path + QLatin1Char(':') + QCoreApplication::translate("MainWindow1", text);
        m_run.warn(errorTitle(), shown, true);
        refuse(shown);
        return false;
    };
    if (loaded && loadedFiles.check(record) == setupfiles::CollectError::None)
        return true;
    const std::shared_ptr<const ztplatform::Descriptor> held = loaded ? loadedFiles.held(record) : nullptr;
    if (!held)
        return refused(QT_TRANSLATE_NOOP("MainWindow1", "Fail to open file!"));
    // Read on a thread of its own, which keeps the descriptor until it
    // returns; a drive that does not answer is told as a file that does not open.
    const auto why = std::make_shared<const char *>(nullptr);
    ztplatform::Disk *disk = &ztplatform::diskOf(m_run.lib.fence());
    ztplatform::Job job([held, why, disk](const ztplatform::Job::Report &) { *why = sourceFileFault(*disk, *held); });
    if (!setupjob::runWith(job, savejob::kStallLimitMs, m_run.hooks.wait))
        return refused(QT_TRANSLATE_NOOP("MainWindow1", "Fail to open file!"));
    return *why ? refused(*why) : true;
}

// What the job's write came to (`ended`: it was not given up); a drive that
// stopped answering is told as a file that does not open or is not written.
bool SaveSetupJob::takeWritten(const Work &w, bool ended)
{
    // A file that cannot be written is named as the user chose it, with the
    // system's reason; a sound whose data cannot be read gives none.
    auto writeFailed = [this](const QString &reason) {
        m_run.hideProgress();
        const QString text = reason.isEmpty()
                                     ? QCoreApplication::translate("MainWindow1", "Failed to write sound data!")
                                     : savejob::notWrittenText(m_in.target, reason);
        m_run.inform(errorTitle(), text);
        refuse(text);
        return false;
    };
    const std::optional<Written> done = ended ? std::optional<Written>(w.written) : std::nullopt;
    if (!done)
        qWarning().noquote() << "the folder of" << m_in.target << "does not answer: the setup is not saved";
    if (done ? !done->opened : !w.out->opened) {
        m_run.hideProgress();
        const QString text = QDir::toNativeSeparators(m_in.target) + QLatin1Char(':')
                             + QCoreApplication::translate("MainWindow1", "Fail to open file!") + savejob::crlf()
                             + (done ? done->error : timedOut());
        m_run.warn(errorTitle(), text, true);
        refuse(text);
        return false;
    }
    if (!done)
        return writeFailed(timedOut());
    if (!done->modelWritten)
        return writeFailed(done->unwritten);
    if (done->failed == Step::ReadBack)
        return stop(savejob::notReadBackText() + savejob::crlf() + QDir::toNativeSeparators(m_in.target));
    if (done->failed != Step::None)
        return writeFailed(done->error);
    m_notKept = done->notKept;
    m_heldChanged = done->changed;
    return true;
}

// The new file renamed over the target (or, without `rename`, kept) and its
// folder synced, on a thread of its own. True once it took the target's
// name; `synced` then tells whether the folder was synced. Else the box says
// why, and whether it may yet take the name.
bool SaveSetupJob::placeOffThread(const std::shared_ptr<FileWrite> &out, bool rename, bool &synced)
{
    const std::optional<Placed> done =
            offThread<Placed>(m_run, out->placing, [out, rename]() { return placeFile(*out, rename); });
    if (done ? done->renamed : bool(out->renamed)) {
        synced = done && done->synced;
        m_placeError = done ? done->error : timedOut();
        return true;
    }
    if (done) {
        savejob::noteNotReplaced(m_run, m_in.target, done->kept, done->failed == Step::Rename ? done->error : QString());
        refuse(m_run.result.notices.last().text, done->kept);
        return false;
    }
    qWarning().noquote() << "the folder of" << m_in.target << "does not answer: the setup may not be in place";
    // Once placing began, the new file may yet take the name, or its copy beside it.
    const bool inDoubt = out->placing.placing();
    const QString text = !inDoubt ? savejob::notWrittenText(m_in.target, timedOut())
                         : rename ? savejob::placeInDoubtText(m_in.target)
                                  : savejob::keepInDoubtText(m_in.target);
    m_run.warn(inDoubt ? QCoreApplication::translate("MainWindow1", "Warning") : errorTitle(), text);
    refuse(text);
    return false;
}

// The written setup takes the place of `out`'s target. Over the loaded
// setup, sounds that only the groups use are kept first; the read-back
// numbers the others anew. Over a loaded kit file, which is not read back as
// a setup, every sound of it in use is kept and the file forgotten.
bool SaveSetupJob::putInPlace(const std::shared_ptr<FileWrite> &out, bool &synced)
{
    if (!m_replace)
        return placeOffThread(out, true, synced);
    // The replaced files are asked for before the rename, while the entry
    // still reaches the old file, off the window's thread: a drive that does
    // not answer leaves the old file in place and keeps the new one beside it.
    const savejob::LoadedLook look =
            savejob::lookAtLoadedFiles(m_run.lib, {out->out.target()}, m_run.hooks.wait);
    if (!look.silent.isEmpty()) {
        m_run.warn(errorTitle(), QCoreApplication::translate("MainWindow1", "The drive does not answer: %1")
                                         .arg(QDir::toNativeSeparators(look.silent)));
        return placeOffThread(out, false, synced);
    }
    const QStringList files = look.replaced.value(0);
    const QString loaded = files.value(0);
    const bool reload = !loaded.isEmpty() && savejob::isLoadedSetup(m_run.lib, loaded);
    const savejob::WrittenSounds written = savejob::writtenSounds(m_run.lib, m_got.waveAttrList);
    const bool kept = (loaded.isEmpty()
                       || savejob::keepLostSounds(m_run, loaded,
                                                  reload ? setupfiles::movedSounds(ztplatform::diskOf(m_run.lib.fence()), m_got.waveAttrList, loaded)
                                                         : QHash<QString, int>(),
                                                  !reload))
                      && savejob::keepNamedSounds(m_run, out->out.target());
    if (!placeOffThread(out, kept, synced))
        return false;
    if (reload) {
        if (m_in.reloadSetup)
            m_in.reloadSetup(loaded);
        savejob::heldKitsFollow(m_run, written);
        savejob::groupsFollow(m_run, loaded, written);
    } else {
        savejob::forgetFiles(m_run.lib, files);
    }
    return true;
}

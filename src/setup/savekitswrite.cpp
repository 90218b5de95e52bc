// The kit files of a kit save written beside their targets in one job: each
// opened, its sounds gathered and converted, laid out, written, read back and
// synced in turn; the window then takes what the job came to, kit by kit.
#include "setup/savekitsjob.h"

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "kitfile/modelout.h"
#include "kitfile/soundsource.h"
#include "kitfile/wavecollect.h"
#include "setup/filethread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

#include <algorithm>
#include <mutex>

namespace {

using savejob::FileWrite;
using savejob::Written;
using savejob::timedOut;
using Step = ztplatform::ReplaceFile::Step;
using Records = MainWindow1Records;

} // namespace

// What the job is handed, all of it copied, and what it gives back, kit by
// kit; it keeps it until it returns, also when it was given up on.
struct SaveKitsJob::Work
{
    struct Kit
    {
        int entry = -1; // in the plan
        int kit = 0;    // 1..100
        bool usable = false;
        bool known = false; // the document has the kit
        Records::soundKit record;
        std::shared_ptr<FileWrite> file;

        Written opened;
        setupfiles::CollectError gatherError;
        setupfiles::CollectedWaves got;
        bool laidOut = false;
        Written written;
    };
    std::vector<Kit> kits; // the plan's entries to write, in order
    QVector<Records::SOUND_INDEX> library;
    QVector<Records::READ_KIT_FILE> files;
    QString tempDir;
    setupfiles::RawWaveFn rawFile;
    setupfiles::RawPlanFn plan;
    std::shared_ptr<ztplatform::FolderFence> fence;
    std::shared_ptr<ztplatform::SilentFiles> silent;
    std::shared_ptr<setupfiles::OwnedModel> image; // a kit file begun, with the kit tables
    int step = 0;                                  // the bar's move for each kit

    // Which kit's file is opened or written now (-1: none), and the one given
    // up on, with its step: the kits before it are the job's, whole.
    std::mutex lock;
    int at = -1;
    bool atWrite = false;
    int givenUpAt = -1;
    bool givenUpWriting = false;
};

// Kit `n`'s file opened or written through `step`, watched meanwhile; false
// once the wait gave up on it: the job goes no further.
bool SaveKitsJob::fileStep(Work &w, int n, bool write, const std::function<void()> &step)
{
    w.kits[size_t(n)].file->writing.moved();
    {
        const std::lock_guard<std::mutex> hold(w.lock);
        w.at = n;
        w.atWrite = write;
    }
    step();
    const std::lock_guard<std::mutex> hold(w.lock);
    w.at = -1;
    return w.givenUpAt < 0;
}

// On the job's thread, kit after kit: the file opened beside its target, the
// kit's sounds gathered, the file laid out, written, read back and synced.
// The first failure ends it; the window tells it from what it gave back.
void SaveKitsJob::workOn(Work &w, const ztplatform::Job::Report &report)
{
    int value = 0;
    for (int n = 0; n < int(w.kits.size()); ++n) {
        const bool written = workOnKit(w, n);
        w.kits[size_t(n)].file.reset(); // the save holds it from now on, its temporary too
        if (!written)
            return;
        value += w.step;
        report(value, 100);
    }
}

bool SaveKitsJob::workOnKit(Work &w, int n)
{
    Work::Kit &k = w.kits[size_t(n)];
    if (!k.usable || !fileStep(w, n, false, [&k] { k.opened = savejob::openFile(*k.file); }) || !k.opened.opened
        || !k.known)
        return false;
    // The gathering numbers the slots of a copy: the record is laid out as it stands.
    Records::soundKit numbered = k.record;
    k.gatherError = setupfiles::collectKitWaves(numbered, k.kit - 1, w.library, w.files, w.tempDir, w.rawFile, k.got,
                                                w.plan, {}, w.fence, w.silent);
    if (k.gatherError)
        return false;
    k.file->image.emplace(w.image->model());
    percussionpadfile &m = k.file->image->model();
    setupfiles::fillSingleKit(m, k.kit - 1, k.record, k.got.waveAttrList);
    setupfiles::fillKitFileSounds(m, k.got.waveAttrList, k.got.waveList);
    k.laidOut = m.calculateChunkSize();
    return k.laidOut && fileStep(w, n, true, [&k] { k.written = savejob::writeFile(*k.file); })
           && k.written.modelWritten && k.written.failed == Step::None;
}

// The kits to write and what the job needs of them, copied; the shared
// sounds of changed files move first, as before a gathering.
std::shared_ptr<SaveKitsJob::Work> SaveKitsJob::workFor(const savejob::JobConversion &conversion)
{
    const auto w = std::make_shared<Work>();
    KitDocument &doc = m_run.doc;
    for (int i = 0; i < m_plan.size(); ++i) {
        const setupfiles::KitTarget &t = m_plan.at(i);
        if (!t.write)
            continue;
        Work::Kit k;
        k.entry = i;
        k.kit = t.kit;
        k.usable = t.usable;
        k.known = t.kit - 1 >= 0 && t.kit - 1 < doc.kitAttrList().size();
        if (k.usable) {
            k.file = std::make_shared<FileWrite>(t.temporary ? t.replaces : t.target, t.kit - 1,
                                                 m_run.lib.leftovers(), m_run.lib.fence());
            k.file->out.setCreateOnly(!t.temporary);
            m_files[size_t(i)] = k.file;
        }
        w->kits.push_back(std::move(k));
    }
    if (w->kits.empty())
        return w;
    if (w->kits.front().usable && w->kits.front().known)
        savejob::handOver(m_run);
    for (Work::Kit &k : w->kits) {
        if (k.known)
            k.record = doc.kitAttrList().at(k.kit - 1);
    }
    w->library = m_run.lib.waveLoadKitAttrList();
    w->files = m_run.lib.loadedKitFiles();
    w->tempDir = m_in.tempDir;
    const setupfiles::RawWaveFn rawFile = conversion.rawFile;
    w->rawFile = [rawFile](const QString &source, const QString &target) {
        return rawFile ? rawFile(source, target) : quint32(0);
    };
    w->plan = conversion.plan;
    w->fence = m_run.lib.fence();
    w->silent = m_run.lib.silentFiles();
    doc.beginFile(2);
    w->image = doc.wholeSetupImage();
    w->step = int(100.0f / float(m_in.kits.size()));
    return w;
}

// The job waited on; a file whose folder has not moved on for the limit is
// given up. The boxes of failed conversions are shown then.
void SaveKitsJob::runWork(const std::shared_ptr<Work> &w, const savejob::JobConversion &conversion)
{
    ztplatform::Job job([w](const ztplatform::Job::Report &report) { workOn(*w, report); });
    // The bar takes each kit's step, also when the job's reports came together.
    QObject::connect(&job, &ztplatform::Job::progress, &job, [this, w](int done, int) {
        while (w->step > 0 && m_shown + w->step <= done)
            m_run.moveProgress(m_shown += w->step);
    });
    const auto giveUp = [w]() {
        const std::lock_guard<std::mutex> hold(w->lock);
        if (w->at < 0)
            return false;
        exportfile::Watch &watch = w->kits[size_t(w->at)].file->writing;
        if (watch.step() == exportfile::Watch::Step::Program || watch.sinceMovedMs() < savejob::kStallLimitMs)
            return false;
        if (!watch.giveUp())
            qWarning() << "a file was being put in place when its folder stopped answering";
        w->givenUpAt = w->at;
        w->givenUpWriting = w->atWrite;
        return true;
    };
    savejob::waitForJob(m_run, job, giveUp);
    if (conversion.tell)
        conversion.tell();
}

// What the job came to for its kit `n`, taken as the document's layout; a
// drive that stopped answering is told as a file that does not open or is
// not written. False, with its box, when the save may not go on.
bool SaveKitsJob::takeKit(Work &w, int n, QStringList &sources)
{
    const Work::Kit &k = w.kits[size_t(n)];
    const setupfiles::KitTarget &t = m_plan.at(k.entry);
    // A file that cannot be written is named as the user chose it, with the system's reason.
    const QString openError = QDir::toNativeSeparators(t.target)
                              + QCoreApplication::translate("MainWindow1", " open error.");
    if (!t.usable)
        return fail(openError);
    int givenUpAt = -1;
    bool givenUpWriting = false;
    {
        const std::lock_guard<std::mutex> hold(w.lock);
        givenUpAt = w.givenUpAt;
        givenUpWriting = w.givenUpWriting;
    }
    const bool givenUp = givenUpAt == n;
    if ((givenUp && !givenUpWriting) || !k.opened.opened) {
        if (givenUp)
            qWarning().noquote() << "the folder of" << t.target << "does not answer: the kit is not saved";
        return fail(openError + savejob::crlf() + (givenUp ? timedOut() : k.opened.error));
    }
    const QString obtainError = QCoreApplication::translate("MainWindow1", "Obtain sound file error.");
    KitDocument &doc = m_run.doc;
    doc.beginFile(2);
    if (!k.known)
        return fail(obtainError);
    if (k.gatherError) {
        savejob::noteCollectError(m_run, k.gatherError);
        return fail(obtainError);
    }
    m_got.waveList = k.got.waveList;
    m_got.waveAttrList = k.got.waveAttrList;
    sources = setupfiles::storedSourceFiles(m_got.waveList);
    doc.setKitIniFileChunk(k.kit - 1, m_got.waveAttrList, m_got.waveList);
    if (!doc.layOutFile())
        return fail(obtainError);
    if (givenUp) {
        qWarning().noquote() << "the folder of" << t.target << "does not answer: the kit is not saved";
        return fail(savejob::notWrittenText(t.target, timedOut()));
    }
    const Written &done = k.written;
    if (!done.modelWritten)
        return fail(done.unwritten.isEmpty() ? obtainError : savejob::notWrittenText(t.target, done.unwritten));
    if (!savejob::copiedAsLoaded(m_run, sources, true))
        return fail(obtainError);
    if (done.failed == Step::ReadBack)
        return fail(savejob::notReadBackText() + savejob::crlf() + t.target);
    if (done.failed != Step::None)
        return fail(savejob::notWrittenText(t.target, done.error));
    return true;
}

// Each kit of the plan written beside its target, read back and synced.
bool SaveKitsJob::writeBeside()
{
    m_run.openProgress(QCoreApplication::translate("MainWindow1", "File is being generated..."), 0);
    m_files.resize(size_t(m_plan.size()));
    const savejob::Hooks &hooks = m_run.hooks;
    const savejob::JobConversion conversion =
            hooks.jobConversion ? hooks.jobConversion()
                                : savejob::JobConversion{hooks.rawFile, hooks.rawPlan, {}, hooks.rawFailureTold};
    m_run.hooks.rawFailureTold = conversion.failureTold; // a failed gathering's box asks the job's conversion
    const std::shared_ptr<Work> w = workFor(conversion);
    m_shown = 0;
    if (!w->kits.empty())
        runWork(w, conversion);
    int value = 0;
    for (int n = 0; n < int(w->kits.size()); ++n) {
        QStringList sources;
        if (!takeKit(*w, n, sources))
            return false;
        const setupfiles::KitTarget &t = m_plan.at(w->kits[size_t(n)].entry);
        // Looked at before the writes; a file the gathering let go of since is not replaced.
        const QStringList loaded = savejob::LoadedFiles::pathsOf(m_run.lib);
        QStringList replaced = m_replacedBy.value(w->kits[size_t(n)].entry);
        replaced.erase(std::remove_if(replaced.begin(), replaced.end(),
                                      [&loaded](const QString &file) { return !loaded.contains(file); }),
                       replaced.end());
        if (!replaced.isEmpty()) {
            m_replacing.insert(t.target, replaced);
            // Under each of its paths: they all reach the one file.
            const QHash<QString, int> sounds = setupfiles::movedSounds(ztplatform::diskOf(m_run.lib.fence()), m_got.waveAttrList,
                                                                              replaced.first());
            for (const QString &path : replaced)
                m_reload.moved.insert(path, sounds);
        }
        value += w->step;
        if (value > m_shown)
            m_run.moveProgress(value);
    }
    setupfiles::removeRawWaves(m_in.tempDir);
    if (value <= 99) {
        m_run.moveProgress(100);
        m_run.hideProgress();
    }
    return true;
}

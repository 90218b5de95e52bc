#include "setup/importsetupjob.h"

#include "library/exportfile.h"
#include "kitfile/soundsin.h"
#include "setup/loadnotices.h"

#include <QDebug>

#include <atomic>
#include <memory>
#include <optional>

using setupfiles::LoadError;

namespace {

constexpr int kSteps = 4;

} // namespace

ImportSetupJob::ImportSetupJob(KitDocument &doc, SoundLibrary &library, setupjob::Progress progress)
    : m_doc(doc), m_library(library), m_progress(std::move(progress))
{
}

bool ImportSetupJob::run(const QString &path, const Redraws &redraws)
{
    if (!read(path))
        return false;
    clear();
    if (redraws.cleared)
        redraws.cleared();
    takeTables();
    takeReadSounds(path);
    if (redraws.soundsTaken)
        redraws.soundsTaken();
    if (takeKits(&m_rec.info, m_sounds.waves, redraws.kitTaking) && redraws.kitsTaken)
        redraws.kitsTaken();
    if (redraws.modelRead)
        redraws.modelRead(m_rec.info);
    finish();
    return true;
}

void ImportSetupJob::step(int done)
{
    if (m_progress)
        m_progress(done, kSteps);
}

bool ImportSetupJob::read(const QString &path)
{
    m_path = path;
    // What the job reads into, kept by it until it returns. Its sounds are
    // compared as they would be after the earlier load is cleared (no loaded
    // file); their names must not repeat the groups'.
    struct Read
    {
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        int globalSize = 0;
        bool clicks = false;
        LoadError err = LoadError::CannotOpen;
        std::atomic_bool fileRead{false};
        namerules::NamesInUse inUse;
        setupfiles::WholeSetupSounds got;
        QVector<QString> sources;
    };
    const auto r = std::make_shared<Read>();
    r->inUse = m_library.soundNamesInUse(false);
    ztplatform::Job job([r, path, fence = m_library.fence(),
                         silent = m_library.silentFiles()](const ztplatform::Job::Report &report) {
        int moves = 0;
        const auto moved = [&report, &moves]() { report(++moves, 0); };
        r->err = setupfiles::readWholeSetupFile(path, r->rec, r->tables, &r->globalSize, &r->clicks, moved, fence);
        if (r->err != LoadError::None)
            return;
        r->fileRead = true;
        setupfiles::SoundBytes bytes(silent, setupfiles::SoundBytes::Locate(), {}, fence);
        r->err = setupfiles::takeWholeSetupSounds(path, setupfiles::soundEntries(r->rec.info), r->got, r->sources,
                                                  r->inUse, &bytes, moved);
    });
    // A drive that reads nothing for the limit is told as a file that does not open.
    const int limit = ztplatform::kSilentLimitMs;
    const bool ended = m_runner ? m_runner(job, limit) : setupjob::runWith(job, limit, m_wait);
    if (!ended)
        qWarning().noquote() << "the drive of" << path << "does not answer:"
                             << (r->fileRead ? "its sounds are not read" : "the setup is not read");
    const LoadError err = ended ? r->err : LoadError::CannotOpen;
    if (!r->fileRead) {
        setupjob::noteNotRead(m_result, err, path, true);
        return false;
    }
    m_rec = std::move(r->rec);
    m_tables = std::move(r->tables);
    m_globalSize = r->globalSize;
    m_clicks = r->clicks;
    step(1);
    setupfiles::takeSources(m_rec.info, err == LoadError::None ? r->sources : QVector<QString>());
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, path, true);
        return false;
    }
    m_read = std::move(r->got);
    return true;
}

void ImportSetupJob::clear()
{
    m_library.beginSetupLoad();
    m_doc.clearKits();
}

void ImportSetupJob::takeTables()
{
    m_tables.attach(m_rec.info);
    m_doc.takeGlobalSize(m_globalSize);
    m_library.noteSetupClicks(m_clicks);
}

bool ImportSetupJob::takeSounds(const QString &file, percussionpadfile *pf)
{
    m_sounds = setupfiles::WholeSetupSounds();
    if (!pf || !readSounds(file, pf, m_library.soundBytes(true))) {
        m_library.dropClickSounds();
        return false;
    }
    takeReadSounds(file);
    return true;
}

bool ImportSetupJob::readSounds(const QString &file, percussionpadfile *pf, const setupfiles::SoundBytes &bytes)
{
    m_read = setupfiles::WholeSetupSounds();
    if (!pf)
        return false;
    // The file read again on a thread of its own, which keeps what it reads
    // into until it returns; a drive that reads nothing for the limit is told
    // as a file that does not read. The setup's sounds replace the list's;
    // their names must not repeat the groups'.
    struct Take
    {
        QVector<percussionpadfile::P_SOUND_INDEX> entries;
        namerules::NamesInUse inUse;
        setupfiles::SoundBytes bytes{nullptr}; // the caller's, set below
        setupfiles::WholeSetupSounds got;
        QVector<QString> sources;
        exportfile::Watch watch;
    };
    const auto t = std::make_shared<Take>();
    t->entries = setupfiles::soundEntries(*pf);
    t->inUse = m_library.soundNamesInUse(false);
    t->bytes = bytes;
    const std::optional<LoadError> done = exportfile::waitWatched<LoadError>(
            t->watch, ztplatform::kSilentLimitMs,
            [t, file]() {
                return setupfiles::takeWholeSetupSounds(file, t->entries, t->got, t->sources, t->inUse, &t->bytes,
                                                        [t]() { t->watch.moved(); });
            },
            m_wait);
    if (!done)
        qWarning().noquote() << "the drive of" << file << "does not answer: its sounds are not read";
    const LoadError err = done.value_or(LoadError::CannotOpen);
    setupfiles::takeSources(*pf, err == LoadError::None ? t->sources : QVector<QString>());
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, file, true);
        return false;
    }
    m_read = std::move(t->got);
    return true;
}

void ImportSetupJob::takeReadSounds(const QString &file)
{
    m_library.dropClickSounds();
    setupfiles::WholeSetupSounds got = std::move(m_read);
    m_read = setupfiles::WholeSetupSounds();
    m_library.takeSetupSounds(got.waves, got.clicks, got.clickList);
    setupjob::noteRenamedSounds(m_result, {{file, got.renamed}});
    m_sounds = std::move(got);
    step(2);
}

bool ImportSetupJob::takeKits(percussionpadfile *pf, const QVector<SOUND_INDEX> &waves, const KitTaking &kitTaking)
{
    m_doc.clearKitRenames();
    if (!setupfiles::hasKitTables(pf))
        return false;
    const KitDocument::Batch load(m_doc); // one redraw of the kits when they are taken
    const int count = qMin(int(pf->kitChunk.kit_count), KIT_MAX_COUNT);
    const QHash<quint16, int> byNumber = setupfiles::lastByNumber(waves);
    QHash<int, namerules::NameChange> renamed;
    for (int k = 0; k < count; ++k) {
        setupfiles::LoadedKit lk = setupfiles::kitFromFile(*pf, k, pf->kitChunk.baseChunk[k].kit_no + 1, true);
        if (lk.name.cut || lk.name.replaced)
            renamed.insert(k + 1, {lk.name.stored, lk.name.name});
        setupfiles::resolveByNumber(lk.kit, waves, byNumber);
        if (kitTaking)
            kitTaking(k, lk);
        m_doc.takeLoadedKit(k, lk);
    }
    setupjob::noteRenamedKits(m_result, m_doc.kitMaxList(), renamed);
    step(3);
    return true;
}

void ImportSetupJob::finish()
{
    m_rec.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the kits are the document's now
    m_library.takeLoadedSetup(std::move(m_rec), m_path);
    setupjob::FileResult f;
    f.path = m_path;
    f.outcome = setupjob::FileOutcome::Read;
    m_result.files.append(f);
    step(kSteps);
}

#include "setup/importkitsjob.h"

#include "platform/errortext.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "kitfile/fileread.h"
#include "setup/kitfileforget.h"
#include "kitfile/kitfiles.h"
#include "setup/loadnotices.h"
#include "kitfile/soundsin.h"
#include "kitfile/soundsource.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>

#include <atomic>
#include <cerrno>

using ztplatform::kSilentLimitMs;

using setupfiles::LoadError;

namespace {

constexpr quint32 kKitFileTag = 0x45444E49;    // "INDE"
constexpr quint32 kGlobalFileTag = 0x424F4C47; // "GLOB"

void noteRead(setupjob::Result &result, const QString &path, int kit)
{
    setupjob::FileResult f;
    f.path = path;
    f.outcome = setupjob::FileOutcome::Read;
    f.kit = kit;
    result.files.append(f);
}

} // namespace

ImportKitFilesJob::ImportKitFilesJob(KitDocument &doc, SoundLibrary &library, setupjob::Progress progress)
    : m_doc(doc), m_library(library), m_progress(std::move(progress)), m_global(new percussionpadfile)
{
}

// A pick that cannot be taken is named before the dialog opens again.
bool ImportKitFilesJob::refusePick(const QString &pick, const QString &why)
{
    m_result.files.append({pick, setupjob::FileOutcome::NotRead, QString(), why, -1});
    m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                  why + QStringLiteral("\r\n") + QDir::toNativeSeparators(pick));
    return false;
}

bool ImportKitFilesJob::takePicks(const QStringList &picks, const Redraws &redraws)
{
    m_wholeSetup.clear();
    m_library.clearImportPicks();
    int untaken = 0;                      // whole setups picked with other files
    QStringList setups;                   // the same, named when kit files are taken without them
    QStringList globals;                  // global settings files, known by their content
    QVector<QPair<QString, quint8>> kits; // recorded once every pick is taken
    for (const QString &pick : picks) {
        ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_library.fence()));
        const bool opened = ztplatform::openToRead(m_library.fence(), pick, file);
        const quint32 type = opened ? percussionpadfile::judgeFileType(&file) : 0;
        if (!opened || file.failure() != 0) { // a file whose reads fail opens for nothing
            qDebug() << "Open error" << pick;
            return refusePick(pick, QCoreApplication::translate(
                                            "MainWindow1", "This file cannot be imported: it cannot be opened."));
        }
        if (type == 255 || type == 257) {
            // Taken only under a name that ends in ".bin": the sounds of a
            // file are read by that name as a whole setup's.
            if (picks.size() == 1 && setupfiles::isWholeSetupPath(pick)) {
                m_wholeSetup = pick;
                return true;
            }
            if (picks.size() == 1)
                return refusePick(pick, QCoreApplication::translate(
                                                "MainWindow1", "This whole setup cannot be imported under this name: "
                                                               "the name of a whole setup must end in \".bin\"."));
            ++untaken;
            setups.append(pick);
        } else if (type == kGlobalFileTag) {
            // Whatever its name: a second download is "Global (1).ini".
            globals.append(pick);
            m_library.pickGlobalFile(pick);
        } else if (type == kKitFileTag) {
            m_library.pickKitFile(pick);
            const quint8 n = setupfiles::kitNumberOf(file);
            if (n == 0xFF) {
                setupjob::noteNotRead(m_result, LoadError::OldLayout, pick, false);
                return false;
            }
            kits.append({pick, n});
        } else {
            qDebug() << "未导入正确文件" << pick;
            return refusePick(pick, QCoreApplication::translate("MainWindow1",
                                                                "This file cannot be imported: it is no kit file, "
                                                                "global settings file or whole setup."));
        }
    }
    if (untaken > 1) {
        m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                      QCoreApplication::translate("MainWindow1", "Only one binary file can be selected."));
        return false;
    }
    if (globals.size() > 1) {
        // Which of them is meant is the user's choice: the dialog opens again.
        const QString why =
                QCoreApplication::translate("MainWindow1", "Only one global settings file can be selected.");
        for (const QString &g : qAsConst(globals))
            m_result.files.append({g, setupjob::FileOutcome::NotRead, QString(), why, -1});
        QStringList shown;
        for (const QString &g : qAsConst(globals))
            shown << QDir::toNativeSeparators(g);
        m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                      why + QStringLiteral("\r\n") + shown.join(QStringLiteral("\r\n")));
        return false;
    }
    if (untaken == 1) {
        const QString why = QCoreApplication::translate(
                "MainWindow1", "A whole setup is imported alone, not with other files: it is left out of this import.");
        m_result.files.append({setups.first(), setupjob::FileOutcome::NotRead, QString(), why, -1});
        m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                      why + QStringLiteral("\r\n") + QDir::toNativeSeparators(setups.first()));
    }
    for (const QPair<QString, quint8> &kit : qAsConst(kits))
        recordKitFile(kit.first, kit.second, redraws);
    return true;
}

bool ImportKitFilesJob::takeSavedFiles(const QStringList &files, const Redraws &redraws)
{
    m_library.clearKitFilePicks();
    for (const QString &path : files) {
        ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_library.fence()));
        if (!ztplatform::openToRead(m_library.fence(), path, file)) {
            qDebug() << "Open error" << path;
            return false;
        }
        m_library.pickKitFile(path);
        const quint8 n = setupfiles::kitNumberOf(file);
        file.close();
        if (n == 0xFF) {
            m_result.notices.append(setupjob::loadErrorNotice(LoadError::OldLayout, path, false));
            return false;
        }
        recordKitFile(path, n, redraws);
    }
    return true;
}

void ImportKitFilesJob::recordKitFile(const QString &path, int n, const Redraws &redraws)
{
    const QStringList &files = m_library.recordKitFileList();
    auto drop = [this](int j) { m_library.dropRecordedKitFile(j); };
    for (int j = files.size() - 1; j >= 0; --j) {
        const QString recorded = files.at(j);
        ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_library.fence()));
        int error = 0;
        if (!ztplatform::openToRead(m_library.fence(), recorded, file, &error)) {
            qDebug() << "以只读模式打开文件失败" << recorded;
            if (error == ENOENT || error == ENOTDIR) { // nothing at the name
                forget(recorded, redraws);
                drop(j);
            }
            continue;
        }
        const quint8 m = setupfiles::kitNumberOf(file);
        file.close();
        if (m == 0xFF) {
            // Changed or cut since it was loaded: named once, then forgotten.
            m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Tip"),
                          QCoreApplication::translate(
                                  "MainWindow1",
                                  "The imported kit file version is outdated. Please import new version file.")
                                  + QStringLiteral("\r\n")
                                  + QCoreApplication::translate("MainWindow1", "File location: ") + recorded);
            drop(j);
            continue;
        }
        if (m == n) {
            m_library.replaceRecordedKitFile(j, path, n);
            return;
        }
    }
    m_library.recordKitFile(path, n);
}

void ImportKitFilesJob::forget(const QString &file, const Redraws &redraws)
{
    const QHash<QString, QString> moved = setupjob::removeSoundFile(m_doc, m_library, file);
    if (redraws.forgotten)
        redraws.forgotten(moved);
}

bool ImportKitFilesJob::run(const Redraws &redraws)
{
    // The global settings come with the kit files: taken when one of them is
    // read, or when none was picked. A global settings file that cannot be
    // read is named as not applied; the kit files picked with it are read.
    bool global = !m_library.globalFilePath().isEmpty();
    if (global && !readGlobalFile()) {
        m_library.globalFileTaken();
        global = false;
    }
    if (m_library.kitFileList().isEmpty()) {
        if (global)
            takeGlobal(redraws);
        return false;
    }
    bool loaded = checkKitFiles(true);
    if (loaded) {
        if (redraws.loading)
            redraws.loading();
        loaded = load(false, redraws) || m_changed;
    }
    if (global && m_result.with(setupjob::FileOutcome::Read).isEmpty())
        leaveGlobal();
    else if (global)
        takeGlobal(redraws);
    if (!loaded)
        return false;
    if (redraws.loaded)
        redraws.loaded();
    noteRenamed();
    return true;
}

bool ImportKitFilesJob::readGlobalFile()
{
    const QString path = m_library.globalFilePath();
    const QString crlf = QStringLiteral("\r\n");
    const QString notApplied =
            crlf + QCoreApplication::translate("MainWindow1", "The global settings file is not applied.");
    ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_library.fence()));
    int error = 0;
    if (!ztplatform::openToRead(m_library.fence(), path, file, &error)) {
        const QString why = error != 0 ? ztplatform::errorText(error)
                                       : QCoreApplication::translate("MainWindow1", "It is not a regular file.");
        const setupjob::Notice n{setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Error"),
                                 QCoreApplication::translate("MainWindow1", "Open file error.") + crlf
                                         + QDir::toNativeSeparators(path) + crlf + why + notApplied};
        m_result.files.append({path, setupjob::FileOutcome::NotRead, QString(), n.text, -1});
        m_result.notices.append(n);
        return false;
    }
    percussionpadfile &m = *m_global;
    m.curFlag = 1;
    if (!m.readGlobalChunk(&file)) {
        setupjob::noteNotRead(m_result, LoadError::DataError, path, false);
        m_result.files.last().reason += notApplied;
        m_result.notices.last().text += notApplied;
        return false;
    }
    return true;
}

void ImportKitFilesJob::takeGlobal(const Redraws &redraws)
{
    // The layout the editor's global settings now follow.
    const percussionpadfile &m = *m_global;
    m_doc.takeGlobalSize(int(m.globalChunk.size == 0 || m.new_globalChunk.size == GLOBAL_CHUNK_SIZE
                                     ? m.new_globalChunk.size
                                     : m.globalChunk.size));
    noteRead(m_result, m_library.globalFilePath(), -1);
    m_library.globalFileTaken();
    if (redraws.globalRead)
        redraws.globalRead(*m_global);
}

void ImportKitFilesJob::leaveGlobal()
{
    const QString path = m_library.globalFilePath();
    const QString text =
            QCoreApplication::translate("MainWindow1",
                                        "The global settings file was not applied, as no kit file was imported:")
            + QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
    m_result.files.append({path, setupjob::FileOutcome::NotRead, QString(), text, -1});
    m_result.note(setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"), text);
}

void ImportKitFilesJob::noteUnreached(const QString &why)
{
    QSet<QString> told;
    for (const setupjob::FileResult &f : qAsConst(m_result.files))
        told.insert(f.path);
    for (const QString &path : qAsConst(m_library.kitFileList())) {
        if (!told.contains(path))
            m_result.files.append({path, setupjob::FileOutcome::NotRead, QString(), why, -1});
        told.insert(path);
    }
}

bool ImportKitFilesJob::checkKitFiles(bool brandedToo)
{
    auto refused = [this] {
        noteUnreached(m_result.notices.last().text);
        return false;
    };
    if (m_library.totalListItemModel()->soundCount() > WAVE_MAX_COUNT - 1) {
        m_result.notices.append(setupjob::loadErrorNotice(LoadError::TooManySounds, QString(), false));
        return refused();
    }
    for (const QString &path : qAsConst(m_library.kitFileList())) {
        // One that does not open is named when it is read.
        ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_library.fence()));
        if (!ztplatform::openToRead(m_library.fence(), path, file))
            continue;
        if (file.size() > RAW_DATA_LENGTH_MAX) {
            setupjob::noteNotRead(m_result, LoadError::TooLarge, path, false);
            return refused();
        }
        if (brandedToo && percussionpadfile::readIndex(&file, 2)) {
            const setupjob::Notice n = setupjob::brandedNotice();
            m_result.files.append({path, setupjob::FileOutcome::NotRead, QString(), n.text, -1});
            m_result.notices.append(n);
            return refused();
        }
    }
    return true;
}

// A recorded kit file as its job looked at it: its kit number and, when it
// is picked, what it holds. The job keeps it until it returns.
struct ImportKitFilesJob::ReadKit
{
    QString path;
    bool picked = false;
    bool opens = false;
    quint8 number = 0xFF;
    std::atomic_bool looked{false}; // `opens` and `number` hold
    MainWindow1Records::READ_KIT_FILE rec;
    setupfiles::KitTables tables;
    LoadError err = LoadError::CannotOpen;
    std::atomic_bool done{false};
};

ImportKitFilesJob::ReadKits ImportKitFilesJob::picksInKitOrder(const ReadKits &files, const QVector<quint8> &numbers)
{
    ReadKits reads;
    QSet<QString> seen;
    for (int i : setupfiles::kitLoadOrder(numbers)) {
        const std::shared_ptr<ReadKit> &f = files.at(i);
        if (numbers.at(i) == 0xFF || !f->picked || seen.contains(f->path))
            continue;
        seen.insert(f->path);
        reads.append(f);
    }
    return reads;
}

void ImportKitFilesJob::readRecorded()
{
    m_reads.clear();
    m_ordered.clear();
    const QSet<QString> picked(m_library.kitFileList().cbegin(), m_library.kitFileList().cend());
    ReadKits files;
    for (const QString &path : qAsConst(m_library.recordKitFileList())) {
        files.append(std::make_shared<ReadKit>());
        files.last()->path = path;
        files.last()->picked = picked.contains(path);
    }
    if (files.isEmpty())
        return;
    // The kit numbers first, then the picked files by kit number.
    ztplatform::Job job([files, fence = m_library.fence()](const ztplatform::Job::Report &report) {
        QVector<quint8> numbers;
        for (const std::shared_ptr<ReadKit> &f : files) {
            ztplatform::sysio::SeamFile opened(&ztplatform::diskOf(fence));
            f->opens = ztplatform::openToRead(fence, f->path, opened);
            f->number = f->opens ? setupfiles::kitNumberOf(opened) : quint8(0xFF);
            f->looked = true;
            numbers.append(f->number);
            report(0, 0);
        }
        const ReadKits reads = picksInKitOrder(files, numbers);
        for (int i = 0; i < reads.size(); ++i) {
            ReadKit &r = *reads.at(i);
            const auto moved = [&report, i, total = reads.size()]() { report(i, total); };
            r.err = setupfiles::readKitFile(r.path, r.rec, r.tables, fence, moved);
            r.done = true;
            report(i + 1, reads.size());
        }
    });
    // A file not looked at or read when its drive went silent is told as one that does not open.
    if (!(m_runner ? m_runner(job, kSilentLimitMs) : setupjob::runWith(job, kSilentLimitMs, m_wait)))
        qWarning() << "a kit file's drive does not answer: the files not read yet are not imported";
    orderRecorded(files);
}

void ImportKitFilesJob::orderRecorded(const ReadKits &files)
{
    // A recorded file that does not open, or reads as an old layout, is
    // passed over, not read; when it is picked, with its box.
    QVector<quint8> numbers;
    for (const std::shared_ptr<ReadKit> &f : files) {
        const bool looked = f->looked;
        numbers.append(looked ? f->number : quint8(0xFF));
        if (numbers.last() != 0xFF)
            continue;
        qDebug() << "no kit number in" << f->path;
        if (f->picked)
            setupjob::noteNotRead(m_result, looked && f->opens ? LoadError::OldLayout : LoadError::CannotOpen,
                                  f->path, false);
    }
    for (int i : setupfiles::kitLoadOrder(numbers)) {
        if (numbers.at(i) != 0xFF)
            m_ordered.append(files.at(i)->path);
    }
    for (const std::shared_ptr<ReadKit> &f : picksInKitOrder(files, numbers))
        m_reads.insert(f->path, f);
}

bool ImportKitFilesJob::load(bool reload, const Redraws &redraws)
{
    if (!reload) {
        m_renamedSounds.clear();
        m_renamedKits.clear();
    }
    const KitDocument::Batch load(m_doc); // one redraw of the kits when the load ends
    readRecorded();
    m_soundsAdded = 0;
    int count = m_library.totalListItemModel()->soundCount();
    for (int i = 0; i < m_ordered.size(); ++i) {
        const QString &path = m_ordered.at(i);
        for (int j = 0; j < m_library.kitFileList().size(); ++j) {
            if (m_library.kitFileList().at(j) != path)
                continue;
            const Read read = loadFile(path, reload, count, redraws);
            m_changed = m_changed || m_replaced || read == Read::Loaded;
            if (read == Read::Ended) {
                noteUnreached(m_result.notices.last().text);
                return false;
            }
        }
        if (m_progress)
            m_progress(i + 1, m_ordered.size());
    }
    // What is left was picked with a file for the same kit, recorded after it.
    noteUnreached(QCoreApplication::translate("MainWindow1",
                                              "Another file picked for the same kit was imported in its place."));
    m_reads.clear();
    return true;
}

// One kit file into its kit slot, replacing an earlier load of the same file
// (by whatever path it was loaded). `count` is the running number of sounds;
// a reload counts the file's earlier sounds out first.
ImportKitFilesJob::Read ImportKitFilesJob::loadFile(const QString &path, bool reload, int &count,
                                                     const Redraws &redraws)
{
    MainWindow1Records::READ_KIT_FILE rec;
    setupfiles::KitTables tables;
    LoadError err = LoadError::None;
    const std::shared_ptr<ReadKit> read = m_reads.take(path);
    if (read && read->done) {
        err = read->err;
        rec = std::move(read->rec);
        tables = std::move(read->tables);
    } else if (read) {
        err = LoadError::CannotOpen; // its drive did not answer the job
    } else {
        err = setupfiles::readKitFile(path, rec, tables, m_library.fence());
    }
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, path, false);
        const bool skip = err == LoadError::CannotOpen || err == LoadError::SoundOpen || err == LoadError::SoundFormat;
        return skip ? Read::Skipped : Read::Ended;
    }
    const QVector<MainWindow1Records::READ_KIT_FILE> &loaded = m_library.loadedKitFiles();
    bool again = false;
    int earlier = 0;
    const ztplatform::SameFileAs same(ztplatform::diskOf(m_library.fence()), path);
    for (const MainWindow1Records::READ_KIT_FILE &r : qAsConst(loaded)) {
        if (same(r.file)) {
            again = true;
            earlier += r.waveCount;
        }
    }
    count += rec.waveCount - (reload ? earlier : 0);
    if (count > WAVE_MAX_COUNT) {
        setupjob::noteNotRead(m_result, LoadError::TooManySounds, path, false);
        return Read::Ended;
    }
    // The file's sounds must be able to take their numbers in the list as it
    // will be without its earlier load, before that load goes.
    if (again) {
        QVector<MainWindow1Records::SOUND_INDEX> remaining = m_library.waveLoadKitAttrList();
        setupfiles::removeKitFileSounds(remaining, setupfiles::StoredIn(ztplatform::diskOf(m_library.fence()), path));
        const LoadError numbered = setupfiles::kitFileNumbers(rec.info, remaining);
        if (numbered != LoadError::None) {
            setupjob::noteNotRead(m_result, numbered, path, false);
            return Read::Skipped;
        }
    }
    for (int i = loaded.size() - 1; i >= 0; --i) {
        if (same(loaded.at(i).file)) {
            forget(loaded.at(i).file, redraws);
            m_library.forgetLoadedKitFile(i);
            m_replaced = true;
        }
    }
    if (!takeKitSounds(path, &rec.info))
        return Read::Skipped;
    const int slot = rec.kitIndex - 1;
    tables.attach(rec.info);
    takeKit(&rec.info, slot, path, redraws.kitTaking);
    rec.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the kit is the document's now
    m_library.addLoadedKitFile(std::move(rec));
    noteRead(m_result, path, slot);
    return Read::Loaded;
}

bool ImportKitFilesJob::takeKitSounds(const QString &file, percussionpadfile *pf)
{
    if (!pf)
        return false;
    setupfiles::KitFileSounds got;
    const LoadError err = setupfiles::takeKitFileSounds(file, *pf, m_library.waveLoadKitAttrList(), got);
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, file, false);
        return false;
    }
    // A sound the list holds already (same name, same stored bytes) is not
    // added again; the file's kit takes the list's sound. The others' names
    // are made unique among the list's and the groups'.
    QVector<QString> ruled;
    ruled.reserve(got.entries.size());
    for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(got.entries))
        ruled.append(percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX));
    m_library.takeKitFileSounds(file, got.entries, m_wait);
    setupfiles::noteRenamedSounds(got, ruled);
    if (!got.renamed.isEmpty())
        m_renamedSounds.append({file, got.renamed});
    m_soundsAdded += pf->soundChunk.soundCount;
    return true;
}

void ImportKitFilesJob::takeKit(const percussionpadfile *pf, int kit, const QString &path, const KitTaking &kitTaking)
{
    const QString file = QDir::toNativeSeparators(path);
    if (!setupfiles::hasKitTables(pf) || kit < 0 || kit >= KIT_MAX_COUNT || kit >= m_doc.kitAttrList().size()) {
        qWarning() << "no kit slot" << kit << "for" << file;
        return;
    }
    setupfiles::LoadedKit lk = setupfiles::kitFromFile(*pf, kit, kit + 1, false);
    lk.kit.kit_no = quint8(kit);
    if (lk.name.cut || lk.name.replaced)
        m_renamedKits.insert(kit + 1, {lk.name.stored, lk.name.name});
    // A sound of the file that the list holds once stands for its twin there.
    const QVector<MainWindow1Records::SOUND_INDEX> &list = m_library.waveLoadKitAttrList();
    QHash<QString, int> byFile = setupfiles::lastByFile(list);
    for (int e = 0; pf->soundChunk.soundIndex && e < pf->soundChunk.soundCount; ++e) {
        const QString &source = pf->soundChunk.soundIndex[e].fileName;
        const int i = byFile.value(m_library.sharedSounds().listSource(source), -1);
        if (i >= 0 && !source.isEmpty())
            byFile.insert(source, i);
    }
    setupfiles::resolveByPath(lk.kit, file, list, byFile);
    if (kitTaking)
        kitTaking(kit, lk);
    m_doc.takeLoadedKit(kit, lk);
    m_doc.markKitSaved(kit);
}

void ImportKitFilesJob::noteRenamed()
{
    setupjob::noteRenamedSounds(m_result, m_renamedSounds);
    setupjob::noteRenamedKits(m_result, m_doc.kitMaxList(), m_renamedKits);
}

int ImportKitFilesJob::firstKitNumber() const
{
    if (m_ordered.isEmpty())
        return -1;
    ztplatform::sysio::SeamFile first(&ztplatform::diskOf(m_library.fence()));
    if (!ztplatform::openToRead(m_library.fence(), m_ordered.first(), first)) {
        qDebug() << "以只读模式打开文件失败" << m_ordered.first();
        return -1;
    }
    return setupfiles::kitNumberOf(first);
}

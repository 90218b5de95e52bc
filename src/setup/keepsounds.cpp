// Sounds of a loaded kit file that a save over it would lose, written out
// with their exact bytes beside the sound list before the file is replaced,
// and the sounds of the new file that the sound groups name.
#include "setup/savesteps.h"

#include "document/kitdocument.h"
#include "library/exportnames.h"
#include "library/groupentries.h"
#include "library/soundlibrary.h"
#include "library/soundsource.h"
#include "library/exportfile.h"
#include "platform/errortext.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/pathcase.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "kitfile/fileread.h"
#include "kitfile/kitslots.h"
#include "kitfile/lostsounds.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "setup/filethread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace savejob {

namespace {

// A kit file read as it is now (groupentries::readStoredSounds).
struct KitRead
{
    bool read = false;
    Records::READ_KIT_FILE rec;
};

// The kit file at `path` read off this thread, the window painting
// meanwhile; nothing when its drive did not answer in time.
std::optional<KitRead> readKitWithin(const Run &run, const QString &path)
{
    return ztplatform::lookAtFileWithin<KitRead>(
            run.lib.silentFiles(), path, ztplatform::kSilentLimitMs,
            [path, fence = run.lib.fence()]() {
                KitRead k;
                k.read = groupentries::readStoredSounds(path, k.rec, fence);
                return k;
            },
            run.hooks.wait);
}

// The group rows `moved` names (old source -> entry of kitFile): their new
// sources, their entries in `record` of `loc` and, when read, in `chunk`.
struct Moves
{
    QHash<QString, QString> to;
    QHash<QString, groupentries::Identity> was, now;
};
Moves movesOf(setupfiles::StoredSoundLocator &loc, int record, const QString &kitFile, const QHash<QString, int> &moved,
              const percussionpadfile::FILE_SOUND_CHUNK *chunk)
{
    Moves m;
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it) {
        const QString source = setupfiles::storedSource(kitFile, it.value());
        m.to.insert(it.key(), source);
        const int e = record >= 0 ? loc.entryOf(record, it.key()) : -1;
        if (e >= 0)
            m.was.insert(it.key(), groupentries::ofEntry(loc.entry(record, e)));
        if (chunk && it.value() < chunk->soundCount)
            m.now.insert(source, groupentries::ofEntry(chunk->soundIndex[it.value()]));
    }
    return m;
}

// `look(i)` for each of `paths` in turn off this thread, the window painting
// meanwhile (ztplatform::lookAtFilesInTurn); the path whose drive did not
// answer in time, or one still silent from before, else empty.
QString lookInTurn(const Run &run, const QStringList &paths, const std::function<void(int)> &look)
{
    for (const QString &path : paths) {
        if (ztplatform::isSilentFile(run.lib.silentFiles(), path))
            return path;
    }
    const ztplatform::FilesInTurn done = ztplatform::lookAtFilesInTurn(
            run.lib.silentFiles(), paths, ztplatform::kSilentLimitMs,
            [look](int i) {
                look(i);
                return false;
            },
            run.hooks.wait);
    return done.answered ? QString() : paths.value(done.at);
}

// The box for a file whose drive does not answer.
void noteSilent(Run &run, const QString &path)
{
    qWarning().noquote() << "the drive of" << path << "does not answer";
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1", "The drive does not answer: %1")
                     .arg(QDir::toNativeSeparators(path)));
}

// Whether a group row that names `source` and carries `entry` still names
// the sound stored there.
using RowFits = std::function<bool(const QString &source, const groupentries::Identity &entry)>;

// The sounds of the groups: name and source of each; with `fits`, only the
// sounds it takes.
QVector<setupfiles::LostSound> groupSounds(const QVector<soundfilexml::strSoundGroup> &groups,
                                           const RowFits &fits = RowFits())
{
    QVector<setupfiles::LostSound> sounds;
    for (const soundfilexml::strSoundGroup &g : groups) {
        for (const soundfilexml::strSoundItem &s : g.soundList) {
            if (!s.lost && (!fits || fits(s.file, groupentries::ofItem(s))))
                sounds.append({s.file, s.name});
        }
    }
    return sounds;
}

// The metronome sounds: name and source of each.
QVector<setupfiles::LostSound> clickSounds(const QVector<Records::SOUND_LIST_INFO> &clicks)
{
    QVector<setupfiles::LostSound> sounds;
    for (const Records::SOUND_LIST_INFO &c : clicks)
        sounds.append({c.file, c.name});
    return sounds;
}

// The stored wave of `entry` of the kit file `kit` as the new file `copy`,
// synced, read from that file only while it is the one read before; the
// folder is left to the caller. False, with nothing left at `copy`, when it
// fails: `why` gets the system's reason when the copy could not be written.
bool keepCopy(const Records::READ_KIT_FILE &kit, const percussionpadfile::P_SOUND_INDEX &entry,
              const QString &copy, const std::shared_ptr<ztplatform::Leftovers> &leftovers,
              const std::shared_ptr<ztplatform::FolderFence> &fence, QString &why)
{
    ztplatform::ReplaceFile file(copy, leftovers, &ztplatform::diskOf(fence));
    file.setCreateOnly(true);
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    auto asLoaded = [&kit](const ztplatform::FileStamp &opened) { return setupfiles::matchesLoad(kit, opened); };
    if (file.open()
        && (soundsource::copyStoredWave(kit.file, entry.wave_start, entry.wave_length, file.file(), nullptr, &fault,
                                        asLoaded, {}, fence)
                    != entry.wave_length
            || fault != soundsource::CopyFault::None)) {
        if (fault == soundsource::CopyFault::Write)
            why = ztplatform::writeFailure(file.file());
        return false;
    }
    if (file.finish() && file.rename())
        return true;
    why = file.errorString();
    return false;
}

// A copy kept before, synced again; `why` gets the system's reason when that fails.
bool syncKept(ztplatform::Disk &disk, const QString &copy, QString &why)
{
    if (ztplatform::syncPath(disk, copy))
        return true;
    why = ztplatform::errorText(errno);
    return false;
}

// Every use of the kept sounds moves to their copies (source -> copy); a
// sound the library lists already at its copy keeps one entry and row. The
// group sounds move as SoundLibrary::repointGroupSounds moves them (`was`:
// the entry each source reached); true when one did.
bool useCopies(Run &run, const QHash<QString, QString> &to, const QHash<QString, groupentries::Identity> &was,
               bool clicksToo)
{
    SoundLibrary &lib = run.lib;
    const QHash<QString, quint16> merged = lib.mergeSources(to);
    run.doc.moveToCopies(to, merged);
    lib.moveSounds(to);
    const bool groupsMoved = repointGroups(run, to, was);
    if (clicksToo)
        lib.repointClickSounds(to);
    if (run.hooks.soundsMoved)
        run.hooks.soundsMoved(to);
    return groupsMoved;
}

// The folder the sounds could not be kept in, and the system's reason.
void noteNotKept(Run &run, const QString &folder, const QString &reason)
{
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1", "The sounds still in use could not be kept in this folder:")
                     + crlf() + QDir::toNativeSeparators(folder) + crlf() + reason);
}

// The name in `folder` for a kept copy of `entry` of kitFile: the sound's
// name with ".wav", or the next free one. A copy kept before with these very
// bytes is taken as it is; a link is never a free name, nor a kept copy.
// Empty when all names are taken.
QString keptName(const QDir &folder, const QString &name, const QString &kitFile,
                 const percussionpadfile::P_SOUND_INDEX &entry, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    return exportnames::freeName(exportnames::safeName(name), [&](const QString &candidate) {
        ztplatform::Disk &disk = ztplatform::diskOf(fence);
        if (ztplatform::typeAtPath(disk, folder.filePath(candidate), true) == S_IFLNK)
            return true;
        return ztplatform::typeAtPath(disk, folder.filePath(candidate)) != 0
               && !setupfiles::holdsStoredWave(folder.filePath(candidate), kitFile, entry.wave_start,
                                               entry.wave_length, fence);
    });
}

// The sounds of kitFile that a replace loses (see keepLostSounds); with
// `through`, only those whose sources name the file by that path text: the
// other paths still reach it after the rename.
QVector<setupfiles::LostSound> soundsToKeep(const Run &run, const QString &kitFile, const QHash<QString, int> &held,
                                            bool clicksToo, const QString &through, const RowFits &fits)
{
    QVector<setupfiles::LostSound> others = groupSounds(run.lib.soundGroupList(), fits);
    if (clicksToo)
        others += clickSounds(run.lib.clickList());
    QVector<setupfiles::LostSound> lost =
            setupfiles::lostSounds(kitFile, held, run.lib.waveLoadKitAttrList(), run.doc.kitAttrList(), others);
    if (!through.isEmpty()) {
        lost.erase(std::remove_if(lost.begin(), lost.end(),
                                  [&through](const setupfiles::LostSound &s) {
                                      return setupfiles::parseStoredSource(s.source).kitFile != through;
                                  }),
                   lost.end());
    }
    return lost;
}

// One sound keepFrom keeps: its source, the name its copy takes and its entry.
struct KeepItem
{
    QString source;
    QString name;
    percussionpadfile::P_SOUND_INDEX entry;
};

// What the copies came to: all kept (the folder synced), or none and why.
struct Copies
{
    bool kept = false;
    QString why;                             // the system's reason when not kept
    QHash<QString, QString> to;              // stored source -> its copy
    QVector<QPair<QString, QString>> keptAs; // the copies, in the order kept
};

// The copies of `items` of the kit file `kit` made in `folderPath` and
// synced, on the thread that calls it; `watch` moves after each. Once the
// watch gave up, what was made goes again and nothing is kept.
Copies makeCopies(const Records::READ_KIT_FILE &kit, const QString &folderPath, const QVector<KeepItem> &items,
                  const std::shared_ptr<ztplatform::Leftovers> &leftovers,
                  const std::shared_ptr<ztplatform::FolderFence> &fence, exportfile::Watch &watch,
                  std::atomic_int &done)
{
    const QString kitFile = QDir::fromNativeSeparators(kit.file);
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    const QDir folder(folderPath);
    const bool newFolder = ztplatform::typeAtPath(disk, folderPath) != S_IFDIR;
    Copies out;
    QStringList made; // the copies made here
    auto undo = [&made, &folder, newFolder, &disk](const QString &reason) {
        for (const QString &copy : qAsConst(made))
            disk.unlinkAt(AT_FDCWD, QFile::encodeName(copy));
        if (newFolder)
            disk.unlinkAt(AT_FDCWD, QFile::encodeName(folder.path()), AT_REMOVEDIR);
        Copies none;
        none.why = reason;
        return none;
    };
    if (!ztplatform::makePath(disk, folder.path())) {
        qWarning() << "cannot make" << folder.path() << "to keep the sounds of" << kitFile;
        return undo(ztplatform::errorText(errno));
    }
    for (const KeepItem &k : items) {
        if (*watch.stopFlag())
            return undo(timedOut());
        const QString file = keptName(folder, k.name, kitFile, k.entry, fence);
        const QString copy = QDir::toNativeSeparators(folder.filePath(file));
        const bool keptBefore =
                !file.isEmpty() && ztplatform::typeAtPath(disk, folder.filePath(file)) != 0;
        QString why;
        const bool kept = !file.isEmpty() && (keptBefore ? syncKept(disk, copy, why) : keepCopy(kit, k.entry, copy, leftovers, fence, why));
        if (!kept) {
            qWarning() << "cannot keep the sound" << k.source << "as" << copy;
            return undo(why);
        }
        if (!keptBefore)
            made.append(copy);
        if (!out.to.contains(k.source))
            out.keptAs.append({k.source, copy});
        out.to.insert(k.source, copy);
        done = int(out.to.size());
        watch.moved();
    }
    // The copies are synced one by one above, their names in the folder here,
    // all before the caller renames the new kit file over the only other copy
    // of these sounds: a folder that cannot be synced keeps nothing.
    if (!ztplatform::syncPath(disk, folder.path())
        || (newFolder && !ztplatform::syncPath(disk, QFileInfo(folder.path()).absolutePath()))) {
        qWarning() << "cannot sync the folder of the sounds kept from" << kitFile;
        return undo(ztplatform::errorText(errno));
    }
    if (*watch.stopFlag())
        return undo(timedOut());
    out.kept = true;
    return out;
}

// The sounds of `lost` stored in the kit file of `record`, each checked to
// be the one loaded; nothing, with the box, when one is not.
std::optional<QVector<KeepItem>> itemsToKeep(Run &run, setupfiles::StoredSoundLocator &loc, int record,
                                             const QString &target, const QVector<setupfiles::LostSound> &lost)
{
    QVector<KeepItem> items;
    for (const setupfiles::LostSound &s : lost) {
        const int e = loc.entryOf(record, s.source);
        if (e < 0) {
            // Named by a group from an older file of that name: the replace loses nothing of it.
            qWarning() << "the sound" << s.source << "is not stored in" << target << "- nothing to keep";
            continue;
        }
        const percussionpadfile::P_SOUND_INDEX &entry = loc.entry(record, e);
        const QString name = s.name.isEmpty() ? percussionpadfile::charArray2String(entry.wave_name, SOUND_NAME_LENGTH)
                                              : s.name;
        const setupfiles::CollectError::Kind bad = loc.verify(record, e);
        if (bad != setupfiles::CollectError::None) {
            setupfiles::CollectError err(bad);
            err.path = QDir::toNativeSeparators(QDir::fromNativeSeparators(loc.record(record).file));
            err.name = name;
            noteCollectError(run, err); // the file is not the one loaded: why nothing is kept
            return std::nullopt;
        }
        items.append({s.source, name, entry});
    }
    return items;
}

// keepLostSounds for the kit file of `record`, found through `loc`; with
// `through` as soundsToKeep has it. A group row whose entry is not the one
// stored at its source is neither kept from the file nor moved. *groupsMoved
// (when given) is set when group rows moved to copies. The copies are made
// on a thread of its own: a drive that stops answering keeps nothing, and
// the box names the folder.
bool keepFrom(Run &run, setupfiles::StoredSoundLocator &loc, int record, const QString &target,
              const QHash<QString, int> &held, bool clicksToo, const QString &through = QString(),
              bool *groupsMoved = nullptr)
{
    // Sources name the file by the path it was loaded by, or another to it.
    const QString kitFile = QDir::fromNativeSeparators(loc.record(record).file);
    auto fits = [&loc, record](const QString &source, const groupentries::Identity &row) {
        const int e = row.known() ? loc.entryOf(record, source) : -1;
        return e < 0 || groupentries::fits(row, groupentries::ofEntry(loc.entry(record, e)));
    };
    const QVector<setupfiles::LostSound> lost = soundsToKeep(run, kitFile, held, clicksToo, through, fits);
    if (lost.isEmpty())
        return true;

    // Many sounds take a while: the window repaints, held by the dialog.
    run.openProgress(QCoreApplication::translate("MainWindow1", "Keeping the sounds still in use..."), 0);
    run.moveProgress(0, lost.size());
    const auto hide = qScopeGuard([&run] { run.hideProgress(); });

    const std::optional<QVector<KeepItem>> items = itemsToKeep(run, loc, record, target, lost);
    if (!items)
        return false;
    if (items->isEmpty()) // none was stored there
        return true;
    QHash<QString, groupentries::Identity> was; // stored source -> its entry
    for (const KeepItem &k : *items)
        was.insert(k.source, groupentries::ofEntry(k.entry));
    const QString folder = setupfiles::keptSoundsFolder(run.lib.soundListFileName());
    const Records::READ_KIT_FILE kit = loc.record(record);
    const QVector<KeepItem> keep = *items;
    const auto watch = std::make_shared<exportfile::Watch>();
    const auto done = std::make_shared<std::atomic_int>(0);
    int shown = 0; // the copies the bar shows
    auto show = [&run, &shown, &lost](int kept) {
        while (shown < kept)
            run.moveProgress(++shown, lost.size()); // repaints only when the bar moves
    };
    const std::optional<Copies> copies = exportfile::waitWatched<Copies>(
            *watch, kStallLimitMs,
            [kit, folder, keep, watch, done, leftovers = run.lib.leftovers(), fence = run.lib.fence()]() {
                return makeCopies(kit, folder, keep, leftovers, fence, *watch, *done);
            },
            [&run, done, &show](const std::function<bool(int ms)> &ended) {
                ztplatform::timedlook::waitUntil(run.hooks.wait, [&](int ms) {
                    show(*done);
                    return ended(ms);
                });
            });
    if (copies && copies->kept)
        show(int(copies->to.size()));
    if (!copies || !copies->kept) {
        if (!copies)
            qWarning() << "the drive does not answer: the sounds of" << target << "are not kept";
        noteNotKept(run, folder, copies ? copies->why : timedOut());
        return false;
    }
    const bool moved = useCopies(run, copies->to, was, clicksToo);
    if (groupsMoved)
        *groupsMoved = *groupsMoved || moved;
    for (const QPair<QString, QString> &k : qAsConst(copies->keptAs))
        run.result.files.append({k.first, setupjob::FileOutcome::KeptAs, k.second, {}, -1});
    return true;
}

// True when a sound of the groups names a sound stored in kitFile by that path.
bool namesKitFile(const QVector<soundfilexml::strSoundGroup> &groups, const QString &kitFile)
{
    for (const soundfilexml::strSoundGroup &g : groups) {
        for (const soundfilexml::strSoundItem &s : g.soundList) {
            if (setupfiles::parseStoredSource(s.file).kitFile == kitFile)
                return true;
        }
    }
    return false;
}

// The groups written once the file put in place at kitFile has its name on
// the disk (its folder synced), so that no row names an entry of it first.
void writeAfter(Run &run, const QString &kitFile)
{
    // Synced off this thread: a folder that does not answer in time gets no
    // groups naming the file's entries, and the box says so.
    const std::optional<int> synced = ztplatform::lookAtFileWithin<int>(
            run.lib.silentFiles(), kitFile, ztplatform::kSilentLimitMs,
            [kitFile, fence = run.lib.fence()]() {
                ztplatform::Disk &disk = ztplatform::diskOf(fence);
                const QString file = ztplatform::canonicalPathOf(disk, kitFile);
                return ztplatform::syncPath(disk, QFileInfo(file.isEmpty() ? kitFile : file).absolutePath()) ? 0 : errno;
            },
            run.hooks.wait);
    if (!synced) {
        noteSilent(run, kitFile);
        run.groupsNotWritten = timedOut();
        return;
    }
    if (*synced != 0)
        qWarning() << "cannot sync the folder of" << kitFile << std::strerror(*synced);
    writeGroupList(run, true);
}

// A kit file the sounds name that a rename over the save's target cuts off:
// the rename replaces the entry it is reached by (else a link on its way),
// its loaded record, whether that is the loaded file's own entry, and a file
// not loaded read now.
struct CutOff
{
    QString kitFile;
    bool replaced = false;
    int record = -1;
    bool own = false;
    KitRead read;
};

// The kit files of storedKitFiles that a rename over `target` cuts off,
// looked at off this thread; nothing, with the box, when a drive does not
// answer in time.
std::optional<QVector<CutOff>> cutOffFiles(Run &run, setupfiles::StoredSoundLocator &loaded, const QString &target)
{
    struct Looks // the thread's own while it looks; file i written by look i only
    {
        std::optional<ztplatform::RenameTarget> renamed;
        std::vector<CutOff> files;
        std::vector<char> cut;
    };
    const auto looks = std::make_shared<Looks>();
    const QStringList kitFiles = storedKitFiles(run.doc, run.lib);
    for (const QString &kitFile : kitFiles)
        looks->files.push_back({kitFile, false, -1, false, {}});
    looks->cut.assign(looks->files.size(), 0);
    const QStringList paths = QStringList(target) + kitFiles;
    QString silent = lookInTurn(run, paths, [looks, paths, fence = run.lib.fence()](int i) {
        ztplatform::Disk &disk = ztplatform::diskOf(fence);
        if (i == 0) {
            looks->renamed.emplace(disk, paths.at(0));
            return;
        }
        CutOff &f = looks->files[size_t(i - 1)];
        const ztplatform::ReachedPath reached(disk, f.kitFile);
        f.replaced = ztplatform::replacesEntryOf(*looks->renamed, reached);
        looks->cut[size_t(i - 1)] = f.replaced || ztplatform::replacesLinkOf(*looks->renamed, reached);
    });
    if (!silent.isEmpty()) {
        noteSilent(run, silent);
        return std::nullopt;
    }
    // A loaded file's own entry, or a file not loaded, looked at next.
    QStringList next;
    std::vector<size_t> of;
    for (size_t i = 0; i < looks->files.size(); ++i) {
        CutOff &f = looks->files[i];
        if (!looks->cut[i])
            continue;
        f.record = loaded.recordOf(f.kitFile);
        if (f.record >= 0 && !f.replaced)
            continue;
        next.append(f.record >= 0 ? QDir::fromNativeSeparators(loaded.record(f.record).file) : f.kitFile);
        of.push_back(i);
    }
    silent = lookInTurn(run, next, [looks, next, of, fence = run.lib.fence()](int j) {
        CutOff &f = looks->files[of.at(size_t(j))];
        if (f.record >= 0)
            f.own = ztplatform::replacesEntryOf(*looks->renamed,
                                                ztplatform::ReachedPath(ztplatform::diskOf(fence), next.at(j)));
        else
            f.read.read = groupentries::readStoredSounds(f.kitFile, f.read.rec, fence);
    });
    if (!silent.isEmpty()) {
        noteSilent(run, silent);
        return std::nullopt;
    }
    QVector<CutOff> cut;
    for (size_t i = 0; i < looks->files.size(); ++i) {
        if (looks->cut[i])
            cut.append(looks->files[i]);
    }
    return cut;
}

} // namespace

QStringList storedKitFiles(const KitDocument &doc, const SoundLibrary &lib)
{
    QStringList files;
    QSet<QString> seen;
    auto take = [&files, &seen](const QString &source) {
        const setupfiles::StoredRef ref = setupfiles::parseStoredSource(source);
        if (ref.isStored() && !seen.contains(ref.kitFile)) {
            seen.insert(ref.kitFile);
            files.append(ref.kitFile);
        }
    };
    for (const Records::SOUND_INDEX &s : lib.waveLoadKitAttrList())
        take(s.file);
    for (const Records::soundKit &kit : doc.kitAttrList())
        setupfiles::forEachSoundSlot(kit, [&take](auto slot) { take(slot.file); });
    for (const setupfiles::LostSound &s : groupSounds(lib.soundGroupList()) + clickSounds(lib.clickList()))
        take(s.source);
    return files;
}

bool keepLostSounds(Run &run, const QString &target, const QHash<QString, int> &held, bool clicksToo,
                    bool writeGroups)
{
    setupfiles::StoredSoundLocator loc(run.lib.loadedKitFiles(), run.lib.silentFiles(), run.hooks.wait,
                                       run.lib.fence());
    const int record = loc.recordOf(QDir::fromNativeSeparators(target));
    if (record < 0)
        return true;
    bool groupsMoved = false;
    if (!keepFrom(run, loc, record, target, held, clicksToo, QString(), &groupsMoved))
        return false;
    // The rows keep their entries on the disk before the file changes under them.
    if (writeGroups
        && (groupsMoved || namesKitFile(run.lib.soundGroupList(), QDir::fromNativeSeparators(loc.record(record).file))))
        writeGroupList(run, false);
    return true;
}

bool keepNamedSounds(Run &run, const QString &target)
{
    setupfiles::StoredSoundLocator loaded(run.lib.loadedKitFiles(), run.lib.silentFiles(), run.hooks.wait,
                                          run.lib.fence());
    const std::optional<QVector<CutOff>> cut = cutOffFiles(run, loaded, target);
    if (!cut)
        return false;
    bool groupsMoved = false;
    // Rows moved to kept copies name them on the disk before the file changes.
    const auto armed = qScopeGuard([&run, &groupsMoved] {
        if (groupsMoved)
            writeGroupList(run, false);
    });
    for (const CutOff &f : *cut) {
        if (f.record >= 0 && f.replaced && f.own)
            continue; // the loaded file's own entry: keepLostSounds keeps from it
        if (f.record >= 0) {
            // Another entry of it (a hard link), or a link to it, that the rename cuts off.
            if (!keepFrom(run, loaded, f.record, f.kitFile, {}, true, f.kitFile, &groupsMoved))
                return false;
            continue;
        }
        if (!f.read.read) {
            qWarning() << f.kitFile << "does not read as a kit file: none of its sounds can be kept";
            continue;
        }
        const QVector<Records::READ_KIT_FILE> read(1, f.read.rec);
        setupfiles::StoredSoundLocator loc(read, run.lib.silentFiles(), run.hooks.wait, run.lib.fence());
        if (!keepFrom(run, loc, 0, f.kitFile, {}, true, f.kitFile, &groupsMoved))
            return false;
    }
    return true;
}

// What a write of the groups did, told as writeGroupList tells it.
static bool groupsWritten(Run &run, const SoundLibrary::SoundListSave &save, bool tell);

static SoundLibrary::ReadOnlyQuestion readOnlyAsked(Run &run)
{
    return [&run](const QString &file) {
        return run.questions.ask(QCoreApplication::translate("MainWindow1", "Warning"),
                                 SoundLibrary::readOnlyQuestion(file));
    };
}

bool repointGroups(Run &run, const QHash<QString, QString> &to, const QHash<QString, groupentries::Identity> &was,
                   const QHash<QString, groupentries::Identity> &now)
{
    const QVector<soundfilexml::strSoundGroup> before = run.lib.soundGroupList();
    if (!run.lib.repointGroupSounds(to, was, now))
        return false;
    const QVector<soundfilexml::strSoundGroup> &after = run.lib.soundGroupList();
    for (int g = 0; g < after.size() && g < before.size(); ++g) {
        for (int r = 0; r < after.at(g).soundList.size() && r < before.at(g).soundList.size(); ++r) {
            const soundfilexml::strSoundItem &s = after.at(g).soundList.at(r);
            if (s.file != before.at(g).soundList.at(r).file)
                run.repointed.insert({g, r}, {after.at(g).name, s.name, s.file});
        }
    }
    return true;
}

bool groupsBefore(Run &run, const QString &kitFile, const QHash<QString, int> &moved, const QString &written)
{
    SoundLibrary &lib = run.lib;
    setupfiles::StoredSoundLocator loc(lib.loadedKitFiles(), lib.silentFiles(), run.hooks.wait, lib.fence());
    const int record = loc.recordOf(QDir::fromNativeSeparators(kitFile));
    const std::optional<KitRead> read = readKitWithin(run, written);
    if (!read) {
        noteSilent(run, kitFile);
        return false;
    }
    const Moves m = read->read ? movesOf(loc, record, kitFile, moved, &read->rec.info.soundChunk) : Moves();
    const SoundLibrary::SoundListSave save = lib.saveSoundListAs(
            [&](QVector<soundfilexml::strSoundGroup> &groups) { groupentries::repoint(groups, m.to, m.was, m.now); },
            readOnlyAsked(run));
    groupsWritten(run, save, false);
    return true;
}

void tellGroupsNotWritten(Run &run)
{
    if (run.groupsNotWritten.isEmpty() || run.repointed.isEmpty())
        return;
    QString rows;
    for (const groupentries::Unmatched &u : qAsConst(run.repointed))
        rows += crlf() + u.group + QStringLiteral(": ") + u.name + QStringLiteral(" -> ") + u.source;
    run.warn(QCoreApplication::translate("MainWindow1", "Warning"),
             QCoreApplication::translate("MainWindow1", "The sound groups could not be saved to \"%1\" (%2). These "
                                                        "sounds of the groups now stand elsewhere; the groups' file "
                                                        "still names their old places, and the next start finds them "
                                                        "by their bytes:")
                             .arg(QDir::toNativeSeparators(run.lib.soundListFileName()), run.groupsNotWritten)
                     + rows);
}

bool writeGroupList(Run &run, bool tell)
{
    return groupsWritten(run, run.lib.saveSoundList(readOnlyAsked(run)), tell);
}

static bool groupsWritten(Run &run, const SoundLibrary::SoundListSave &save, bool tell)
{
    SoundLibrary &lib = run.lib;
    if (save.inDoubt) {
        // Either file stands whole; the rows' old places may be gone from it.
        qWarning() << "the sound groups' folder stopped answering as they were written";
        run.warn(QCoreApplication::translate("MainWindow1", "Warning"), placeInDoubtText(lib.soundListFileName()));
        return false;
    }
    run.groupsNotWritten = save.written ? QString() : save.reason;
    if (!save.keptAs.isEmpty())
        run.warn(QCoreApplication::translate("MainWindow1", "Information"), SoundLibrary::otherVersionKept(save.keptAs));
    if (!save.notKept.isEmpty())
        run.warn(QCoreApplication::translate("MainWindow1", "Information"),
                 QCoreApplication::translate("MainWindow1", "The sound groups are saved to \"%1\", but the new file "
                                                            "lacks what the old one had:")
                                 .arg(QDir::toNativeSeparators(lib.soundListFileName()))
                         + savejob::crlf() + save.notKept);
    if (save.written || save.inUse || save.declined)
        return save.written;
    qWarning() << "the sound groups are not written:" << save.reason;
    if (tell && run.repointed.isEmpty()) // else tellGroupsNotWritten names the rows too
        run.warn(QCoreApplication::translate("MainWindow1", "Error"),
                 QCoreApplication::translate("MainWindow1", "The sound groups could not be saved to \"%1\": %2.")
                         .arg(QDir::toNativeSeparators(lib.soundListFileName()), save.reason));
    return false;
}

void groupsFollow(Run &run, const QString &kitFile, const QHash<QString, int> &moved)
{
    // The entries the rows reached: the loaded file's, before its read-back.
    SoundLibrary &lib = run.lib;
    setupfiles::StoredSoundLocator loc(lib.loadedKitFiles(), lib.silentFiles(), run.hooks.wait, lib.fence());
    const int record = loc.recordOf(QDir::fromNativeSeparators(kitFile));
    // Read off this thread: one whose drive does not answer moves the rows
    // as one that does not read, and writeAfter tells that none is written.
    const std::optional<KitRead> read = readKitWithin(run, kitFile);
    if (!read)
        qWarning().noquote() << "the drive of" << kitFile << "does not answer: the rows take no entries of it";
    const Moves m = movesOf(loc, record, kitFile, moved, read && read->read ? &read->rec.info.soundChunk : nullptr);
    if (repointGroups(run, m.to, m.was, m.now) || namesKitFile(lib.soundGroupList(), QDir::fromNativeSeparators(kitFile)))
        writeAfter(run, kitFile);
}

WrittenSounds writtenSounds(const SoundLibrary &lib, const QVector<Records::SOUND_INDEX> &waves)
{
    WrittenSounds written;
    soundsource::StoredEntries entries = lib.storedEntries();
    for (const Records::SOUND_INDEX &s : waves) {
        written.sources.append(s.file);
        const Records::READ_KIT_FILE *kit = nullptr;
        const int e = soundsource::isStored(s.file) ? entries.find(s.file, &kit) : -1;
        if (e >= 0)
            written.entries.insert(s.file, groupentries::ofEntry(kit->info.soundChunk.soundIndex[e]));
    }
    return written;
}

void heldKitsFollow(Run &run, const WrittenSounds &written)
{
    // The read-back lists the file's sounds in the order they were written.
    const QVector<Records::SOUND_INDEX> &now = run.lib.waveLoadKitAttrList();
    if (written.sources.size() != now.size()) {
        qWarning() << "the read-back holds" << now.size() << "sounds," << written.sources.size()
                   << "were written; the undo steps keep their sources";
        return;
    }
    QHash<QString, QString> to;
    QHash<QString, quint16> numbers; // a slot numbers its sound by the file's entry
    for (int i = 0; i < now.size(); ++i) {
        const QString &was = written.sources.at(i);
        if (was.isEmpty() || to.contains(was))
            continue;
        to.insert(was, now.at(i).file);
        if (now.at(i).wave_No > 0)
            numbers.insert(was, quint16(now.at(i).wave_No - 1));
    }
    run.doc.heldKitsFollow(to, numbers);
}

void groupsFollow(Run &run, const QString &kitFile, const WrittenSounds &written)
{
    // The read-back lists the file's sounds in the order they were written.
    SoundLibrary &lib = run.lib;
    if (written.sources.size() != lib.waveLoadKitAttrList().size()) {
        qWarning() << "the read-back holds" << lib.waveLoadKitAttrList().size() << "sounds," << written.sources.size()
                   << "were written; the groups keep their sources";
        return;
    }
    soundsource::StoredEntries entries = lib.storedEntries();
    QHash<QString, QString> to;
    QHash<QString, groupentries::Identity> now;
    for (int i = 0; i < written.sources.size(); ++i) {
        if (!soundsource::isStored(written.sources.at(i)))
            continue;
        const QString &source = lib.waveLoadKitAttrList().at(i).file;
        to.insert(written.sources.at(i), source);
        const Records::READ_KIT_FILE *kit = nullptr;
        const int e = entries.find(source, &kit);
        if (e >= 0)
            now.insert(source, groupentries::ofEntry(kit->info.soundChunk.soundIndex[e]));
    }
    if (repointGroups(run, to, written.entries, now)
        || namesKitFile(lib.soundGroupList(), QDir::fromNativeSeparators(kitFile)))
        writeAfter(run, kitFile);
}

} // namespace savejob

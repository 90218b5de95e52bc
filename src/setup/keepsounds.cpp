// Sounds of a loaded kit file that a save over it would lose, written out
// with their exact bytes beside the sound list before the file is replaced,
// and the sounds of the new file that the sound groups name.
#include "setup/savesteps.h"

#include "document/kitdocument.h"
#include "library/exportnames.h"
#include "library/soundlibrary.h"
#include "library/soundsource.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"
#include "setup/fileread.h"
#include "setup/kitslots.h"
#include "setup/lostsounds.h"
#include "setup/soundsource.h"
#include "setup/storedsounds.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QStandardItem>
#include <QStandardItemModel>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace savejob {

namespace {

// The cells of `column` under `parent` whose text `to` names take the new text.
void repointCells(QStandardItem *parent, int column, const QHash<QString, QString> &to)
{
    for (int r = 0; parent && r < parent->rowCount(); ++r) {
        QStandardItem *cell = parent->child(r, column);
        const auto it = cell ? to.constFind(cell->text()) : to.constEnd();
        if (it != to.constEnd())
            cell->setText(it.value());
    }
}

// The rows under `parent` whose `column` text `gone` names are removed.
void removeRows(QStandardItem *parent, int column, const QHash<QString, quint16> &gone)
{
    for (int r = parent && !gone.isEmpty() ? parent->rowCount() - 1 : -1; r >= 0; --r) {
        const QStandardItem *cell = parent->child(r, column);
        if (cell && gone.contains(cell->text()))
            parent->removeRow(r);
    }
}

// The sounds of the groups: name and source of each.
QVector<setupfiles::LostSound> groupSounds(const QStandardItemModel *groups)
{
    QVector<setupfiles::LostSound> sounds;
    for (int g = 0; groups && g < groups->rowCount(); ++g) {
        const QStandardItem *group = groups->item(g, 0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            const QStandardItem *name = group->child(r, 0);
            const QStandardItem *file = group->child(r, 1);
            if (file)
                sounds.append({file->text(), name ? name->text() : QString()});
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

// The metronome sounds, their records and their rows.
void repointClicks(SoundLibrary &lib, const QHash<QString, QString> &to)
{
    for (Records::SOUND_LIST_INFO &c : lib.clickList)
        c.file = to.value(c.file, c.file);
    setupfiles::repointSources(lib.clickSetList, to);
    QStandardItemModel *rows = lib.clickListItemModel;
    for (int g = 0; rows && g < rows->rowCount(); ++g)
        repointCells(rows->item(g, 0), 2, to);
}

// The groups' sounds and their working copy (read by the sound export).
void repointGroups(SoundLibrary &lib, const QHash<QString, QString> &to)
{
    QStandardItemModel *groups = lib.soundListItemModel;
    for (int g = 0; groups && g < groups->rowCount(); ++g)
        repointCells(groups->item(g, 0), 1, to);
    lib.updateSoundGroupList(groups, lib.soundGroupList);
}

// The stored wave of `entry` of the kit file `kit` as the new file `copy`,
// synced, read from that file only while it is the one read before; the
// folder is left to the caller. False, with nothing left at `copy`, when it
// fails: `why` gets the system's reason when the copy could not be written.
bool keepCopy(const Records::READ_KIT_FILE &kit, const percussionpadfile::P_SOUND_INDEX &entry,
              const QString &copy, QString &why)
{
    ztplatform::ReplaceFile file(copy);
    file.setCreateOnly(true);
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    auto asLoaded = [&kit](const ztplatform::FileStamp &opened) { return setupfiles::matchesLoad(kit, opened); };
    if (file.open()
        && (soundsource::copyStoredWave(kit.file, entry.wave_start, entry.wave_length, file.file(), nullptr, &fault,
                                        asLoaded)
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
bool syncKept(const QString &copy, QString &why)
{
    if (ztplatform::syncPath(copy))
        return true;
    why = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

// Every use of the kept sounds moves to their copies (source -> copy); a
// sound the library lists already at its copy keeps one entry and row.
void useCopies(Run &run, const QHash<QString, QString> &to, bool clicksToo)
{
    SoundLibrary &lib = run.lib;
    const QHash<QString, quint16> merged = setupfiles::mergedSources(lib.waveLoadKitAttrList, to);
    setupfiles::removeSources(lib.waveLoadKitAttrList, merged);
    removeRows(lib.totalGroup, 2, merged);
    removeRows(lib.hhGroup, 1, merged);
    setupfiles::repointSources(run.doc.kitAttrList, to, merged);
    for (QVector<Records::KIT_PAD_SETTING> &pads : run.doc.kitPadList)
        setupfiles::repointSources(pads, to, merged);
    setupfiles::repointSources(lib.waveLoadKitAttrList, to);
    repointCells(lib.totalGroup, 2, to);
    repointCells(lib.hhGroup, 1, to);
    repointGroups(lib, to);
    if (clicksToo)
        repointClicks(lib, to);
    if (run.hooks.soundsMoved)
        run.hooks.soundsMoved(to);
}

// The folder the sounds could not be kept in, and the system's reason.
void noteNotKept(Run &run, const QString &folder, const QString &reason)
{
    const QString crlf = QStringLiteral("\r\n");
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1", "The sounds still in use could not be kept in this folder:")
                     + crlf + QDir::toNativeSeparators(folder) + crlf + reason);
}

// The name in `folder` for a kept copy of `entry` of kitFile: the sound's
// name with ".wav", or the next free one. A copy kept before with these very
// bytes is taken as it is; a link is never a free name, nor a kept copy.
// Empty when all names are taken.
QString keptName(const QDir &folder, const QString &name, const QString &kitFile,
                 const percussionpadfile::P_SOUND_INDEX &entry)
{
    return exportnames::freeName(exportnames::safeName(name), [&](const QString &candidate) {
        if (QFileInfo(folder.filePath(candidate)).isSymLink())
            return true;
        return folder.exists(candidate)
               && !setupfiles::holdsStoredWave(folder.filePath(candidate), kitFile, entry.wave_start,
                                               entry.wave_length);
    });
}

// The sounds of kitFile that a replace loses (see keepLostSounds); with
// `through`, only those whose sources name the file by that path text: the
// other paths still reach it after the rename.
QVector<setupfiles::LostSound> soundsToKeep(const Run &run, const QString &kitFile, const QHash<QString, int> &held,
                                            bool clicksToo, const QString &through)
{
    QVector<setupfiles::LostSound> others = groupSounds(run.lib.soundListItemModel);
    if (clicksToo)
        others += clickSounds(run.lib.clickList);
    QVector<setupfiles::LostSound> lost =
            setupfiles::lostSounds(kitFile, held, run.lib.waveLoadKitAttrList, run.doc.kitAttrList, others);
    if (!through.isEmpty()) {
        lost.erase(std::remove_if(lost.begin(), lost.end(),
                                  [&through](const setupfiles::LostSound &s) {
                                      return setupfiles::parseStoredSource(s.source).kitFile != through;
                                  }),
                   lost.end());
    }
    return lost;
}

// keepLostSounds for the kit file of `record`, found through `loc`; with
// `through` as soundsToKeep has it.
bool keepFrom(Run &run, setupfiles::StoredSoundLocator &loc, int record, const QString &target,
              const QHash<QString, int> &held, bool clicksToo, const QString &through = QString())
{
    // Sources name the file by the path it was loaded by, or another to it.
    const QString kitFile = QDir::fromNativeSeparators(loc.record(record).file);
    const QVector<setupfiles::LostSound> lost = soundsToKeep(run, kitFile, held, clicksToo, through);
    if (lost.isEmpty())
        return true;

    // Many sounds take a while: the window repaints, held by the dialog.
    run.openProgress(QCoreApplication::translate("MainWindow1", "Keeping the sounds still in use..."), 0);
    run.moveProgress(0, lost.size());
    const auto hide = qScopeGuard([&run] { run.hideProgress(); });

    const QDir folder(setupfiles::keptSoundsFolder(run.lib.soundListFileName));
    const bool newFolder = !folder.exists();
    QHash<QString, QString> to;              // stored source -> its copy
    QVector<QPair<QString, QString>> keptAs; // the same, in the order kept
    QStringList made;                        // the copies made here
    // What this call made goes again; a folder that cannot take the sounds is named.
    auto undo = [&made, &folder, newFolder, &run](const QString &reason = QString()) {
        for (const QString &copy : qAsConst(made))
            ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(copy));
        if (newFolder)
            ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(folder.path()), AT_REMOVEDIR);
        if (!reason.isEmpty())
            noteNotKept(run, folder.path(), reason);
        return false;
    };
    if (!ztplatform::makePath(folder.path())) {
        qWarning() << "cannot make" << folder.path() << "to keep the sounds of" << target;
        return undo(QString::fromLocal8Bit(std::strerror(errno)));
    }
    for (const setupfiles::LostSound &s : lost) {
        const int e = loc.entryOf(record, s.source);
        if (e < 0) {
            // Named by a group from an older file of that name: the replace loses nothing of it.
            qWarning() << "the sound" << s.source << "is not stored in" << target << "- nothing to keep";
            continue;
        }
        const percussionpadfile::P_SOUND_INDEX &entry = loc.entry(record, e);
        const QString name = s.name.isEmpty() ? Records::charArray2String(entry.wave_name, SOUND_NAME_LENGTH)
                                              : s.name;
        const setupfiles::CollectError::Kind bad = loc.verify(record, e);
        if (bad != setupfiles::CollectError::None) {
            setupfiles::CollectError err(bad);
            err.path = QDir::toNativeSeparators(kitFile);
            err.name = name;
            noteCollectError(run, err); // the file is not the one loaded: why nothing is kept
            return undo();
        }
        const QString file = keptName(folder, name, kitFile, entry);
        const QString copy = QDir::toNativeSeparators(folder.filePath(file));
        const bool keptBefore = !file.isEmpty() && folder.exists(file);
        QString why;
        const bool kept = !file.isEmpty()
                          && (keptBefore ? syncKept(copy, why) : keepCopy(loc.record(record), entry, copy, why));
        if (!kept) {
            qWarning() << "cannot keep the sound" << s.source << "as" << copy;
            return undo(why);
        }
        if (!keptBefore)
            made.append(copy);
        if (!to.contains(s.source))
            keptAs.append({s.source, copy});
        to.insert(s.source, copy);
        run.moveProgress(to.size(), lost.size()); // repaints only when the bar moves
    }
    if (to.isEmpty()) { // none was stored there
        if (newFolder)
            ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(folder.path()), AT_REMOVEDIR);
        return true;
    }
    // The copies are synced one by one above, their names in the folder here,
    // all before the caller renames the new kit file over the only other copy
    // of these sounds: a folder that cannot be synced keeps nothing.
    if (!ztplatform::syncPath(folder.path())
        || (newFolder && !ztplatform::syncPath(QFileInfo(folder.path()).absolutePath()))) {
        qWarning() << "cannot sync the folder of the sounds kept from" << target;
        return undo(QString::fromLocal8Bit(std::strerror(errno)));
    }

    useCopies(run, to, clicksToo);
    for (const QPair<QString, QString> &k : qAsConst(keptAs))
        run.result.files.append({k.first, setupjob::FileOutcome::KeptAs, k.second, {}, -1});
    return true;
}

// The kit file at kitFile read as it is now, its sounds with the sources a
// load gives them; false when it does not read as a kit file.
bool readStoredSounds(const QString &kitFile, Records::READ_KIT_FILE &rec)
{
    setupfiles::KitTables tables;
    const bool whole = setupfiles::isWholeSetupPath(kitFile);
    const setupfiles::LoadError err = whole ? setupfiles::readWholeSetupFile(kitFile, rec, tables)
                                            : setupfiles::readKitFile(kitFile, rec, tables);
    if (err != setupfiles::LoadError::None)
        return false;
    rec.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the tables go here
    for (int i = 0; !whole && i < rec.info.soundChunk.soundCount; ++i)
        rec.info.soundChunk.soundIndex[i].fileName = setupfiles::storedSource(kitFile, i);
    return true;
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
    for (const Records::SOUND_INDEX &s : lib.waveLoadKitAttrList)
        take(s.file);
    for (const Records::soundKit &kit : doc.kitAttrList)
        setupfiles::forEachSoundSlot(kit, [&take](auto slot) { take(slot.file); });
    for (const setupfiles::LostSound &s : groupSounds(lib.soundListItemModel) + clickSounds(lib.clickList))
        take(s.source);
    return files;
}

bool keepLostSounds(Run &run, const QString &target, const QHash<QString, int> &held, bool clicksToo)
{
    setupfiles::StoredSoundLocator loc(run.lib.loadedKitFiles);
    const int record = loc.recordOf(QDir::fromNativeSeparators(target));
    return record < 0 || keepFrom(run, loc, record, target, held, clicksToo);
}

bool keepNamedSounds(Run &run, const QString &target)
{
    const ztplatform::RenameTarget renamed(target);
    setupfiles::StoredSoundLocator loaded(run.lib.loadedKitFiles);
    for (const QString &kitFile : storedKitFiles(run.doc, run.lib)) {
        const ztplatform::ReachedPath reached(kitFile);
        const bool replaced = ztplatform::replacesEntryOf(renamed, reached);
        if (!replaced && !ztplatform::replacesLinkOf(renamed, reached))
            continue;
        const int record = loaded.recordOf(kitFile);
        if (record >= 0 && replaced
            && ztplatform::replacesEntryOf(renamed, ztplatform::ReachedPath(loaded.record(record).file)))
            continue; // the loaded file's own entry: keepLostSounds keeps from it
        if (record >= 0) {
            // Another entry of it (a hard link), or a link to it, that the rename cuts off.
            if (!keepFrom(run, loaded, record, kitFile, {}, true, kitFile))
                return false;
            continue;
        }
        QVector<Records::READ_KIT_FILE> read(1);
        if (!readStoredSounds(kitFile, read[0])) {
            qWarning() << kitFile << "does not read as a kit file: none of its sounds can be kept";
            continue;
        }
        setupfiles::StoredSoundLocator loc(read);
        if (!keepFrom(run, loc, 0, kitFile, {}, true, kitFile))
            return false;
    }
    return true;
}

void repointGroupSounds(SoundLibrary &lib, const QString &kitFile, const QHash<QString, int> &moved)
{
    QHash<QString, QString> to;
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
        to.insert(it.key(), setupfiles::storedSource(kitFile, it.value()));
    repointGroups(lib, to);
}

void repointGroupSounds(SoundLibrary &lib, const QVector<QString> &written)
{
    // The read-back lists the file's sounds in the order they were written.
    if (written.size() != lib.waveLoadKitAttrList.size()) {
        qWarning() << "the read-back holds" << lib.waveLoadKitAttrList.size() << "sounds," << written.size()
                   << "were written; the groups keep their sources";
        return;
    }
    QHash<QString, QString> to;
    for (int i = 0; i < written.size(); ++i) {
        if (soundsource::isStored(written.at(i)))
            to.insert(written.at(i), lib.waveLoadKitAttrList.at(i).file);
    }
    repointGroups(lib, to);
}

} // namespace savejob

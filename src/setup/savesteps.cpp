// The run of a save, the texts its boxes show and the files it may not
// replace or replaces.
#include "setup/savesteps.h"

#include "document/kitdocument.h"
#include "library/kitusage.h"
#include "library/soundlibrary.h"
#include "library/soundsource.h"
#include "kitfile/filewrite.h"
#include "kitfile/kitfiles.h"
#include "kitfile/storedsounds.h"
#include "platform/pathcase.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QSet>

#include <memory>
#include <sys/stat.h>

namespace savejob {

void Run::openProgress(const QString &label, int value) const
{
    if (hooks.openProgress)
        hooks.openProgress(label, value);
}

void Run::hideProgress() const
{
    if (hooks.hideProgress)
        hooks.hideProgress();
}

void Run::moveProgress(int value, int maximum) const
{
    if (progress)
        progress(value, maximum);
}

void Run::warn(const QString &title, const QString &text, bool yesButton)
{
    result.note(setupjob::Notice::Warning, title, text);
    result.notices.last().yesButton = yesButton;
}

void Run::inform(const QString &title, const QString &text)
{
    result.note(setupjob::Notice::Information, title, text);
}

// ---- texts ---------------------------------------------------------------

QString notAFileText()
{
    return QCoreApplication::translate(
            "MainWindow1", "The target is not a regular file (a folder, pipe or device), so nothing is saved:");
}

QString notWrittenText(const QString &file, const QString &reason)
{
    return QCoreApplication::translate("MainWindow1", "The file could not be written:") + crlf()
           + QDir::toNativeSeparators(file) + crlf() + reason;
}

QString placeInDoubtText(const QString &target)
{
    return QCoreApplication::translate("MainWindow1",
                                       "The folder stopped answering while this file was being put in place under its name:")
           + crlf() + QDir::toNativeSeparators(target) + crlf()
           + QCoreApplication::translate("MainWindow1",
                                         "It may or may not be there now. A file that had this name before is either "
                                         "still the old one, whole, or the new one, whole. Please look in the folder.");
}

QString keepInDoubtText(const QString &target)
{
    return QCoreApplication::translate("MainWindow1",
                                       "The folder stopped answering while the new file was being kept beside this file:")
           + crlf() + QDir::toNativeSeparators(target) + crlf()
           + QCoreApplication::translate("MainWindow1",
                                         "The new file may or may not be there now, under this file's name with \"~\" "
                                         "and a number. This file is as it was. Please look in the folder.");
}

QString notReadBackText()
{
    return QCoreApplication::translate("MainWindow1",
                                       "The written file does not read back as a kit file, so it is not saved:");
}

QString soundFileText()
{
    return QCoreApplication::translate("MainWindow1", "A sound of the library, a group or the metronome comes from "
                                                      "this file, so nothing is saved:");
}

void noteNotReplaced(Run &run, const QString &target, const QString &kept, const QString &reason)
{
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1", "The old file could not be replaced:") + crlf()
                     + QDir::toNativeSeparators(target) + crlf() + (reason.isEmpty() ? QString() : reason + crlf())
                     + QCoreApplication::translate("MainWindow1", "The new file is kept as:") + crlf()
                     + QDir::toNativeSeparators(kept));
}

void noteNotSynced(Run &run, const QString &target, const QString &reason, const QString &notKept)
{
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1",
                                         "The file was written, but the disk did not confirm that it is stored:")
                     + crlf() + QDir::toNativeSeparators(target) + crlf() + reason
                     + (notKept.isEmpty() ? QString() : crlf() + notKept));
}

void noteNotSynced(Run &run, const QVector<QPair<QString, QString>> &files, const QString &reason)
{
    if (files.size() == 1) {
        noteNotSynced(run, files.first().first, reason, files.first().second);
        return;
    }
    QStringList names, lost;
    for (const QPair<QString, QString> &f : files) {
        names << QDir::toNativeSeparators(f.first);
        if (!f.second.isEmpty())
            lost << QDir::toNativeSeparators(f.first) + crlf() + f.second;
    }
    run.warn(QCoreApplication::translate("MainWindow1", "Error"),
             QCoreApplication::translate("MainWindow1",
                                         "The files were written, but the disk did not confirm that they are stored:")
                     + crlf() + names.join(crlf()) + crlf() + reason
                     + (lost.isEmpty() ? QString() : crlf() + lost.join(crlf())));
}

namespace {

// The text of a gathering error that has one; empty otherwise.
QString collectErrorText(const setupfiles::CollectError &error, const QVector<Records::soundKit> &kits,
                         const Hooks &hooks)
{
    using setupfiles::CollectError;
    switch (error.kind) {
    case CollectError::NotLoadedWhole:
        return QCoreApplication::translate("MainWindow1", "There is an error with the sound file path for Kit. ")
               + QString::number(error.number);
    case CollectError::NotLoadedKit:
        return QCoreApplication::translate("MainWindow1", "There is an error with the sound file path for Kit ")
               + QString::number(error.number);
    case CollectError::Modified:
        return error.kitWording
                       ? QCoreApplication::translate("MainWindow1", "The file has been modified. Export failed.")
                                 + crlf() + QCoreApplication::translate("MainWindow1", "Please check path:")
                                 + error.path
                       : QCoreApplication::translate("MainWindow1", "Please check path:")
                                 + QCoreApplication::translate("MainWindow1",
                                                               "The file has been modified. Export failed.")
                                 + crlf() + error.path;
    case CollectError::OpenFailed:
        return QCoreApplication::translate("MainWindow1", "Open file error.");
    case CollectError::SoundMissing:
        return QCoreApplication::translate("MainWindow1", "Please check path:") + error.name
               + QCoreApplication::translate("MainWindow1", " does not exist.") + crlf() + error.path;
    case CollectError::KitFileMissing:
        return QCoreApplication::translate("MainWindow1", "File error:") + error.path;
    case CollectError::TooLarge:
        return QCoreApplication::translate("MainWindow1", "The file size exceeds 4GB, save failed.");
    case CollectError::SlotMissing:
        return QCoreApplication::translate("MainWindow1",
                                           "A pad's sound is not in the sound list, so the file is not saved:")
               + crlf()
               + QCoreApplication::translate("MainWindow1", "Kit %1 %2: ")
                         .arg(error.number)
                         .arg(hooks.slotName ? hooks.slotName(error.slot) : QString())
               + (error.name.isEmpty() ? error.path : error.name);
    case CollectError::ConvertFailed: {
        if (hooks.rawFailureTold && hooks.rawFailureTold()) // the conversion named a cause that is not the sound's
            return QString();
        QStringList used;
        for (int kit : kitusage::kitsUsing(kits, error.path))
            used.append(QString::number(kit));
        QString text = QCoreApplication::translate("MainWindow1",
                                                   "A sound cannot be converted, so the file is not saved:")
                       + crlf() + error.name + crlf() + error.path;
        if (!used.isEmpty())
            text += crlf() + QCoreApplication::translate("MainWindow1", "Used by Kit ")
                    + used.join(QStringLiteral("、"));
        return text;
    }
    default:
        return QString();
    }
}

} // namespace

bool collectErrorNotice(const setupfiles::CollectError &error, const QVector<Records::soundKit> &kits,
                        const Hooks &hooks, setupjob::Notice &notice)
{
    using setupfiles::CollectError;
    const QString errorTitle = QCoreApplication::translate("MainWindow1", "Error");
    switch (error.kind) {
    case CollectError::None:
    case CollectError::RawFailed: // the conversion has told the user
        return false;
    case CollectError::ClickCount:
        notice = {setupjob::Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                  QCoreApplication::translate("MainWindow1", "The number of Click sound must be 5.")};
        return true;
    case CollectError::ClickNotLoaded:
        notice = {setupjob::Notice::Information, errorTitle,
                  QCoreApplication::translate("MainWindow1", "File error!") + QStringLiteral("\r\n")
                          + QCoreApplication::translate("MainWindow1", "Error:0011")};
        return true;
    case CollectError::EntryMissing:
        notice = {setupjob::Notice::Information, errorTitle,
                  QCoreApplication::translate("MainWindow1", "File error!") + QStringLiteral("\r\n")
                          + QCoreApplication::translate("MainWindow1", "Error:0012")};
        return true;
    default:
        break;
    }
    const QString text = collectErrorText(error, kits, hooks);
    if (text.isEmpty())
        return false;
    notice = {setupjob::Notice::Warning, errorTitle, text};
    return true;
}

void noteCollectError(Run &run, const setupfiles::CollectError &error)
{
    setupjob::Notice notice;
    if (collectErrorNotice(error, run.doc.kitAttrList(), run.hooks, notice))
        run.result.notices.append(notice);
}

// ---- files a save replaces -------------------------------------------------

QStringList LoadedFiles::pathsOf(const SoundLibrary &lib)
{
    QStringList paths;
    QSet<QString> seen;
    auto take = [&paths, &seen](const QString &path) {
        const QString p = QDir::fromNativeSeparators(path);
        if (!seen.contains(p)) {
            seen.insert(p);
            paths.append(p);
        }
    };
    for (const Records::READ_KIT_FILE &r : lib.loadedKitFiles())
        take(r.file);
    for (const QString &recorded : lib.recordKitFileList())
        take(recorded);
    return paths;
}

void LoadedFiles::add(const QString &path)
{
    m_paths.append(path);
    m_reached.append(ztplatform::ReachedPath(*m_disk, path));
}

QStringList LoadedFiles::replacedBy(const ztplatform::RenameTarget &target) const
{
    QStringList files;
    for (int i = 0; i < m_paths.size(); ++i) {
        if (ztplatform::replacesEntryOf(target, m_reached.at(i)))
            files.append(m_paths.at(i));
    }
    return files;
}

QVector<LoadedFiles::CutOff> LoadedFiles::cutOffBy(const QStringList &targets,
                                                   const QVector<ztplatform::RenameTarget> &renamed) const
{
    QVector<CutOff> cut;
    for (int i = 0; i < m_paths.size(); ++i) {
        CutOff c{m_paths.at(i), {}};
        for (int k = 0; k < targets.size() && k < renamed.size(); ++k) {
            if (ztplatform::replacesLinkOf(renamed.at(k), m_reached.at(i)))
                c.by.append(targets.at(k));
        }
        if (!c.by.isEmpty())
            cut.append(c);
    }
    return cut;
}

namespace {


// The loaded kit files, then the recorded ones, by their paths.
QStringList loadedAndRecorded(const SoundLibrary &lib)
{
    QStringList files;
    for (const Records::READ_KIT_FILE &r : lib.loadedKitFiles())
        files.append(r.file);
    return files + lib.recordKitFileList();
}

QStringList soundSources(const SoundLibrary &lib)
{
    QStringList files;
    QSet<QString> seen;
    for (const QString &source : lib.librarySources()) {
        if (!source.isEmpty() && !soundsource::isStored(source) && !seen.contains(source)) {
            seen.insert(source);
            files.append(source);
        }
    }
    return files;
}

ztplatform::ReachedFiles reachedFiles(ztplatform::Disk &disk, const QStringList &paths)
{
    ztplatform::ReachedFiles files(&disk);
    for (const QString &path : paths)
        files.add(path);
    return files;
}

// writeTargetFor's answer among `loaded` (loadedAndRecorded).
QString writeTargetAmong(const QStringList &loaded, const QString &target)
{
    const QString through = ztplatform::writeThroughTarget(target);
    if (through == target)
        return target;
    const ztplatform::SameFileAs same(through);
    for (const QString &file : loaded) {
        if (same(file))
            return through;
    }
    return target;
}

// What a save's target is checked against, copied for a look on another thread.
struct TargetFiles
{
    QStringList loaded;   // loadedAndRecorded
    QStringList sounds;   // soundSources
    QStringList kitFiles; // with kitFilesToo: loaded, recorded and stored kit files; else none
    std::shared_ptr<ztplatform::FolderFence> fence; // the library's
};

TargetFiles targetFiles(const KitDocument &doc, const SoundLibrary &lib, bool kitFilesToo)
{
    TargetFiles files{loadedAndRecorded(lib), soundSources(lib), {}, lib.fence()};
    if (kitFilesToo)
        files.kitFiles = files.loaded + storedKitFiles(doc, lib);
    return files;
}

TargetCheck checkTargetAmong(const TargetFiles &files, const QString &target)
{
    TargetCheck check;
    check.dest = target;
    const QString shown = QStringLiteral("\r\n") + QDir::toNativeSeparators(target);
    if (setupfiles::occupiedByNonFile(target, files.fence)) {
        check.refused = notAFileText() + shown;
        return check;
    }
    ztplatform::Disk &disk = ztplatform::diskOf(files.fence);
    check.isFile = ztplatform::typeAtPath(disk, target) == S_IFREG;
    if (!check.isFile)
        return check;
    check.dest = writeTargetAmong(files.loaded, target);
    const bool named = reachedFiles(disk, files.sounds).replacedBy(check.dest)
                       || (!files.kitFiles.isEmpty() && reachedFiles(disk, files.kitFiles).replacedBy(check.dest));
    if (named)
        check.refused = soundFileText() + shown;
    return check;
}

} // namespace

std::function<QString(const QString &target)> writeTargetFor(const SoundLibrary &lib)
{
    const QStringList loaded = loadedAndRecorded(lib);
    return [loaded](const QString &target) { return writeTargetAmong(loaded, target); };
}

LoadedLook lookAtLoadedFiles(const SoundLibrary &lib, const QStringList &targets, const ztplatform::Waiter &wait)
{
    LoadedLook found;
    const QStringList loaded = LoadedFiles::pathsOf(lib);
    const QStringList paths = loaded + targets;
    const int count = int(loaded.size());
    for (const QString &path : paths) {
        if (ztplatform::isSilentFile(lib.silentFiles(), path)) {
            found.silent = path;
            return found;
        }
    }
    struct Looks // the thread's own
    {
        LoadedFiles files;
        QVector<ztplatform::RenameTarget> renamed;
    };
    ztplatform::Disk *const disk = &ztplatform::diskOf(lib.fence());
    const auto looks = std::make_shared<Looks>(Looks{LoadedFiles(*disk), {}});
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            lib.silentFiles(), paths, ztplatform::kSilentLimitMs,
            [paths, count, looks, disk](int i) {
                if (i < count)
                    looks->files.add(paths.at(i));
                else
                    looks->renamed.append(ztplatform::RenameTarget(*disk, paths.at(i)));
                return false;
            },
            wait);
    if (!look.answered) {
        found.silent = paths.value(look.at);
        qWarning().noquote() << "the drive of" << found.silent << "does not answer: no file is put in place";
        return found;
    }
    for (const ztplatform::RenameTarget &t : qAsConst(looks->renamed))
        found.replaced.append(looks->files.replacedBy(t));
    found.cut = looks->files.cutOffBy(targets, looks->renamed);
    return found;
}

SoundFilesLook lookAtSoundFiles(const SoundLibrary &lib, const QStringList &targets,
                                const ztplatform::Waiter &wait)
{
    SoundFilesLook found;
    const QStringList sources = soundSources(lib);
    const QStringList paths = sources + targets;
    const int count = int(sources.size());
    for (int i = 0; i < paths.size(); ++i) {
        if (!ztplatform::isSilentFile(lib.silentFiles(), paths.at(i)))
            continue;
        if (i < count)
            found.silentSound = paths.at(i);
        else
            found.silentTarget = i - count;
        return found;
    }
    // the thread's own
    const auto reached = std::make_shared<ztplatform::ReachedFiles>(&ztplatform::diskOf(lib.fence()));
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            lib.silentFiles(), paths, ztplatform::kSilentLimitMs,
            [paths, count, reached](int i) {
                if (i < count) {
                    reached->add(paths.at(i));
                    return false;
                }
                return reached->replacedBy(paths.at(i));
            },
            wait);
    if (look.answered) {
        if (look.at >= count && look.at < paths.size())
            found.replaced = look.at - count;
        return found;
    }
    qWarning().noquote() << "the drive of" << paths.value(look.at) << "does not answer: no kit is saved";
    if (look.at < count)
        found.silentSound = paths.at(look.at);
    else
        found.silentTarget = look.at - count;
    return found;
}

std::optional<TargetCheck> lookAtTarget(const KitDocument &doc, const SoundLibrary &lib, const QString &target,
                                        bool kitFilesToo, const ztplatform::Waiter &wait)
{
    const TargetFiles files = targetFiles(doc, lib, kitFilesToo);
    const std::optional<TargetCheck> check = ztplatform::lookAtFileWithin<TargetCheck>(
            lib.silentFiles(), target, ztplatform::kSilentLimitMs,
            [files, target]() { return checkTargetAmong(files, target); }, wait);
    if (!check)
        qWarning().noquote() << "the drive of" << target << "does not answer: nothing is saved there";
    return check;
}

bool copiedAsLoaded(Run &run, const QStringList &sources, bool kitWording, const setupfiles::HeldKitFiles &held,
                    const QString &heldChanged)
{
    setupfiles::CollectError::Kind why = setupfiles::CollectError::Modified;
    QString changed = heldChanged;
    QStringList others;
    for (const QString &source : sources) {
        if (!held.contains(QDir::fromNativeSeparators(source)))
            others.append(source);
    }
    if (changed.isEmpty() && !others.isEmpty())
        changed = setupfiles::changedSource(others, run.lib.loadedKitFiles(), run.lib.silentFiles(), run.hooks.wait,
                                            &why, run.lib.fence());
    if (changed.isEmpty())
        return true;
    run.hideProgress();
    setupfiles::CollectError err(why);
    err.path = changed;
    err.kitWording = kitWording;
    noteCollectError(run, err);
    return false;
}

bool isLoadedSetup(const SoundLibrary &lib, const QString &path)
{
    for (const Records::READ_KIT_FILE &r : lib.loadedKitFiles()) {
        if (r.flag == 0 && QDir::fromNativeSeparators(r.file) == path)
            return true;
    }
    return false;
}

void forgetFiles(SoundLibrary &lib, const QStringList &files)
{
    lib.forgetKitFiles(files);
}

} // namespace savejob

// Chosen kits written as single-kit files into a folder; files that replace
// loaded ones are read back.
#include "setup/savekitsjob.h"

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "kitfile/fileread.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "platform/errortext.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "platform/volumeidentity.h"
#include "library/exportfile.h"
#include "setup/filethread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// The files the plan's kits replace, with the plan entries that replace them.
QStringList replacedFiles(const QVector<setupfiles::KitTarget> &plan, QVector<int> *entries)
{
    QStringList replacing;
    for (int i = 0; i < plan.size(); ++i) {
        const setupfiles::KitTarget &t = plan.at(i);
        if (t.write && t.temporary) {
            replacing.append(t.replaces);
            entries->append(i);
        }
    }
    return replacing;
}

using savejob::FileWrite;
using savejob::Placed;
using savejob::Written;
using savejob::offThread;
using savejob::timedOut;
using Step = ztplatform::ReplaceFile::Step;


} // namespace

SaveKitsJob::SaveKitsJob(KitDocument &doc, SoundLibrary &lib, setupjob::Questions &questions,
                         setupjob::Progress progress, savejob::Hooks hooks)
    : m_run{doc, lib, questions, std::move(progress), std::move(hooks), {}}
{
}

SaveKitsJob::Outcome SaveKitsJob::run(const Input &in)
{
    m_in = in;
    m_run.result = {};
    m_names.clear();
    m_plan.clear();
    m_files.clear();
    m_replacing.clear();
    m_replacedBy.clear();
    m_cut.clear();
    m_refused.clear();
    m_keptAs.clear();
    m_givenUp.clear();
    m_inDoubt.clear();
    m_reload = {};
    Outcome out;
    if (plan() && writeBeside()) {
        const bool replacedAll = putInPlace();
        savejob::tellGroupsNotWritten(m_run);
        out.shownLocked = m_run.result.notices.size();
        report(replacedAll);
        out.reload = m_reload;
    } else {
        out.shownLocked = m_run.result.notices.size();
    }
    results();
    dropFiles();
    out.result = m_run.result;
    return out;
}

// The files of the save let go off the window's thread: a temporary not put
// in place is removed, but a folder that stopped answering is not waited on.
void SaveKitsJob::dropFiles()
{
    const auto files = std::make_shared<std::vector<std::shared_ptr<FileWrite>>>(std::move(m_files));
    m_files.clear();
    const std::optional<bool> dropped = ztplatform::lookWithin<bool>(
            savejob::kStallLimitMs,
            [files]() {
                files->clear();
                return true;
            },
            m_run.hooks.wait);
    if (!dropped)
        qWarning().noquote() << "the folder of" << m_in.folder << "does not answer: a temporary file may stay";
}

// The targets of the kits, each asked about when a file is there; false,
// with its box, when the save may not go on.
bool SaveKitsJob::plan()
{
    const QString folder = QDir::toNativeSeparators(m_in.folder);
    if (folder.isEmpty()) {
        m_run.inform(QCoreApplication::translate("MainWindow1", "Error"),
                     QCoreApplication::translate("MainWindow1", "The output file is not set."));
        return false;
    }
    m_names = m_run.doc.kitNameList();
    for (int k = m_names.size(); k < m_run.doc.kitAttrList().size(); ++k)
        m_names.append(m_run.doc.kitAttrList().at(k).kit_name);
    m_plan = setupfiles::kitTargets(folder, m_in.kits, m_names);
    if (!targetsAnswer())
        return false;
    const std::optional<QVector<setupfiles::TargetLook>> looks = lookAtTargets();
    if (!looks)
        return false;
    const QString notAFile = setupfiles::nonFileTarget(m_plan, *looks);
    if (!notAFile.isEmpty())
        return refuseAll(savejob::notAFileText() + savejob::crlf() + notAFile);
    // A read-only file system takes no file: nothing is asked that cannot be done.
    for (int i = 0; i < m_plan.size(); ++i) {
        const setupfiles::KitTarget &t = m_plan.at(i);
        if (t.usable && looks->at(i).readOnlyVolume)
            return refuseAll(t.target + QCoreApplication::translate("MainWindow1", " open error.") + savejob::crlf()
                             + ztplatform::errorText(EROFS) + savejob::crlf() + kitsNotSaved());
    }
    setupfiles::askOverwrites(
            m_plan, *looks,
            [this](const QString &target, const setupfiles::TargetLook &look) {
                const bool readOnly = look.readOnly;
                return m_run.questions.ask(
                        QCoreApplication::translate("MainWindow1", "Warning"),
                        QCoreApplication::translate("MainWindow1",
                                                    "The file already exists. Do you confirm to overwrite it?")
                                + savejob::crlf() + QCoreApplication::translate("MainWindow1", "File location: ") + savejob::crlf()
                                + target
                                + (readOnly ? savejob::crlf() + QCoreApplication::translate("MainWindow1",
                                                                                  "The file is read-only.")
                                            : QString()));
            });
    return noSoundFileReplaced() && loadedFilesAnswer();
}

// What the renames will do to the loaded and recorded files, looked at now
// off the window's thread (nothing is renamed before putInPlace): a drive
// that does not answer stops the save before anything is written. False,
// with its box, then.
bool SaveKitsJob::loadedFilesAnswer()
{
    QVector<int> entries; // plan entries, by replaced file
    const QStringList replacing = replacedFiles(m_plan, &entries);
    if (replacing.isEmpty())
        return true;
    const savejob::LoadedLook look = savejob::lookAtLoadedFiles(m_run.lib, replacing, m_run.hooks.wait);
    if (!look.silent.isEmpty())
        return refuseAll(QCoreApplication::translate("MainWindow1", "The drive does not answer: %1")
                                 .arg(QDir::toNativeSeparators(look.silent))
                         + savejob::crlf() + kitsNotSaved());
    for (int k = 0; k < entries.size() && k < look.replaced.size(); ++k)
        m_replacedBy.insert(entries.at(k), look.replaced.at(k));
    m_cut = look.cut;
    return true;
}

// No file that a plain sound of the library, a group or the metronome comes
// from is replaced, by whatever name it is reached; looked at off the
// window's thread: a drive that does not answer stops the save before
// anything is written. False, with its box, when the save may not go on.
bool SaveKitsJob::noSoundFileReplaced()
{
    QVector<int> entries; // plan entries, by replaced file
    const QStringList replacing = replacedFiles(m_plan, &entries);
    if (replacing.isEmpty())
        return true;
    const savejob::SoundFilesLook look =
            savejob::lookAtSoundFiles(m_run.lib, replacing, m_run.hooks.wait);
    if (!look.silentSound.isEmpty())
        return refuseAll(QCoreApplication::translate("MainWindow1", "The drive of the sound %1 does not answer.")
                                 .arg(QDir::toNativeSeparators(look.silentSound))
                         + savejob::crlf() + kitsNotSaved());
    if (look.silentTarget >= 0)
        return refuseAll(QDir::toNativeSeparators(m_plan.at(entries.at(look.silentTarget)).target)
                         + QCoreApplication::translate("MainWindow1", " open error.") + savejob::crlf() + timedOut()
                         + savejob::crlf() + kitsNotSaved());
    if (look.replaced >= 0)
        return refuseAll(savejob::soundFileText() + savejob::crlf() + m_plan.at(entries.at(look.replaced)).target);
    return true;
}

// The folder and the targets looked at first on a thread of their own: a
// drive that does not answer within 2 s stops the save before anything is
// asked or written, with the box of a file that does not open.
bool SaveKitsJob::targetsAnswer()
{
    QStringList targets;
    for (const setupfiles::KitTarget &t : qAsConst(m_plan)) {
        if (t.usable)
            targets.append(t.target);
    }
    if (targets.isEmpty())
        return true;
    const QString folder = m_in.folder;
    const std::optional<bool> answered = ztplatform::lookAtFileWithin<bool>(
            m_run.lib.silentFiles(), folder, ztplatform::kSilentLimitMs,
            [folder, targets, fence = m_run.lib.fence()]() {
                struct stat st;
                ztplatform::diskOf(fence).statAt(AT_FDCWD, QFile::encodeName(folder), &st, 0);
                for (const QString &target : targets)
                    ztplatform::isRegularFile(fence, target);
                return true;
            },
            m_run.hooks.wait);
    if (answered)
        return true;
    qWarning().noquote() << "the folder" << folder << "does not answer: no kit is saved";
    return refuseAll(QDir::toNativeSeparators(targets.first())
                     + QCoreApplication::translate("MainWindow1", " open error.") + savejob::crlf() + timedOut()
                     + savejob::crlf() + kitsNotSaved());
}

// What the plan needs of each target (setupfiles::lookAtTargets), looked at
// on a thread of its own: a target that does not answer within 2 s stops the
// save before anything is asked or written, with the box of a file that does
// not open. Nothing, with that box, then.
std::optional<QVector<setupfiles::TargetLook>> SaveKitsJob::lookAtTargets()
{
    const auto watch = std::make_shared<exportfile::Watch>();
    const auto at = std::make_shared<std::atomic_int>(0);
    const QVector<setupfiles::KitTarget> plan = m_plan;
    const std::function<QString(const QString &)> through = savejob::writeTargetFor(m_run.lib);
    const std::optional<QVector<setupfiles::TargetLook>> looks =
            exportfile::waitWatched<QVector<setupfiles::TargetLook>>(
                    *watch, ztplatform::kSilentLimitMs,
                    [watch, at, plan, through, fence = m_run.lib.fence()]() {
                        return setupfiles::lookAtTargets(
                                plan, through,
                                [watch, at]() {
                                    ++*at;
                                    watch->moved();
                                },
                                fence);
                    },
                    m_run.hooks.wait);
    if (looks)
        return looks;
    const QString target = m_plan.value(std::min(int(*at), int(m_plan.size()) - 1)).target;
    qWarning().noquote() << "the folder of" << target << "does not answer: no kit is saved";
    refuseAll(QDir::toNativeSeparators(target) + QCoreApplication::translate("MainWindow1", " open error.")
              + savejob::crlf() + timedOut() + savejob::crlf() + kitsNotSaved());
    return std::nullopt;
}

// The kits of the save that were to be written but whose files did not take
// their names, one a line after a heading, then those whose files the user
// kept (kitsKept); empty when there is none.
QString SaveKitsJob::kitsNotSaved() const
{
    QStringList kits;
    for (int i = 0; i < m_plan.size(); ++i) {
        const setupfiles::KitTarget &t = m_plan.at(i);
        const ztplatform::ReplaceFile *file = fileOf(i);
        if (t.write && !m_inDoubt.contains(i) && !(file && file->isRenamed()))
            kits << QCoreApplication::translate("MainWindow1", "Kit %1 %2").arg(t.kit).arg(m_names.value(t.kit - 1));
    }
    const QString kept = kitsKept();
    if (kits.isEmpty())
        return kept;
    return QCoreApplication::translate("MainWindow1", "These kits are not saved:") + savejob::crlf()
           + kits.join(savejob::crlf()) + (kept.isEmpty() ? QString() : savejob::crlf() + kept);
}

// The kits whose existing files the user kept, one a line after a heading;
// empty when there is none.
QString SaveKitsJob::kitsKept() const
{
    QStringList kits;
    for (const setupfiles::KitTarget &t : qAsConst(m_plan)) {
        if (!t.write)
            kits << QCoreApplication::translate("MainWindow1", "Kit %1 %2").arg(t.kit).arg(m_names.value(t.kit - 1));
    }
    if (kits.isEmpty())
        return QString();
    return QCoreApplication::translate("MainWindow1", "These kits are not saved, as their existing files were kept:")
           + savejob::crlf() + kits.join(savejob::crlf());
}

ztplatform::ReplaceFile *SaveKitsJob::fileOf(int i) const
{
    return size_t(i) < m_files.size() && m_files[size_t(i)] && !m_givenUp.contains(i) ? &m_files[size_t(i)]->out
                                                                                       : nullptr;
}

// The save stops before any file is written: `text` is why.
bool SaveKitsJob::refuseAll(const QString &text)
{
    m_run.warn(QCoreApplication::translate("MainWindow1", "Error"), text);
    for (int i = 0; i < m_plan.size(); ++i)
        m_refused.insert(i, text);
    return false;
}

// A kit that failed: its message with the kits not saved. No file of the
// save is left: what is not put in place goes with m_files.
bool SaveKitsJob::fail(const QString &text)
{
    m_run.hideProgress();
    m_run.warn(QCoreApplication::translate("MainWindow1", "Error"), text + savejob::crlf() + kitsNotSaved());
    setupfiles::removeRawWaves(m_in.tempDir);
    for (int i = 0; i < m_plan.size(); ++i)
        m_refused.insert(i, text);
    return false;
}

// The new files take their targets' names, before the user is told. A loaded
// file whose link another kit's file replaces is no longer reached by its
// path: every sound of it in use is kept and it is forgotten. Where that
// fails, no file of the save touches it. True when every file is in place
// and its name on the disk; m_reload gets the loaded files to read back and
// their kit slots.
bool SaveKitsJob::putInPlace()
{
    const QStringList loaded = savejob::LoadedFiles::pathsOf(m_run.lib);
    QVector<savejob::LoadedFiles::CutOff> cut = m_cut;
    cut.erase(std::remove_if(cut.begin(), cut.end(),
                             [&loaded](const savejob::LoadedFiles::CutOff &c) { return !loaded.contains(c.file); }),
              cut.end());
    QSet<QString> blocked; // targets left as they are
    for (const savejob::LoadedFiles::CutOff &c : cut) {
        if (savejob::keepLostSounds(m_run, c.file, {}, savejob::isLoadedSetup(m_run.lib, c.file))) {
            savejob::forgetFiles(m_run.lib, {c.file});
            continue;
        }
        for (const setupfiles::KitTarget &t : qAsConst(m_plan)) {
            if (c.by.contains(t.replaces) || m_replacing.value(t.target).contains(c.file))
                blocked.insert(t.target);
        }
    }
    bool replacedAll = true;
    for (int i = 0; i < m_plan.size(); ++i) {
        const setupfiles::KitTarget &t = m_plan.at(i);
        if (!t.write)
            continue;
        // Once a folder stopped answering, no other file is put in place nor
        // waited on: the kits left are not saved, their old files as they were.
        if (!m_givenUp.isEmpty()) {
            m_refused.insert(i, savejob::notWrittenText(t.target, timedOut()));
            replacedAll = false;
            continue;
        }
        const ztplatform::ReplaceFile &file = m_files[size_t(i)]->out;
        // Sounds still in use that only the old file holds are kept, on the
        // disk, before the new file takes its place. The loaded setup is not
        // read back from a kit file: all its sounds in use are kept.
        QStringList files = m_replacing.value(t.target);
        for (const savejob::LoadedFiles::CutOff &c : cut)
            files.removeAll(c.file);
        const QString path = files.value(0);
        const bool setup = !path.isEmpty() && savejob::isLoadedSetup(m_run.lib, path);
        const bool kept = (path.isEmpty()
                           || savejob::keepLostSounds(m_run, path,
                                                      setup ? QHash<QString, int>() : m_reload.moved.value(path), setup,
                                                      setup))
                          && (!t.temporary || savejob::keepNamedSounds(m_run, t.replaces));
        // The rows name the sounds as the new file stores them before it takes its place.
        const bool before = !kept || path.isEmpty() || setup || blocked.contains(t.target)
                            || savejob::groupsBefore(m_run, path, m_reload.moved.value(path), file.temporaryPath());
        if (!placeKit(i, kept && before && !blocked.contains(t.target))) {
            replacedAll = false;
            continue;
        }
        if (setup) {
            savejob::forgetFiles(m_run.lib, files);
            continue;
        }
        // A loaded file is read back also when another file of its kit number
        // took its record: its sounds would point at the old bytes otherwise.
        if (!path.isEmpty()) {
            m_reload.files.append(path);
            m_reload.reread.insert(t.kit - 1);
            savejob::groupsFollow(m_run, path, m_reload.moved.value(path));
        }
    }
    syncFolders(replacedAll);
    return replacedAll;
}

// The new file of plan entry i renamed over its target or, without
// `rename`, kept beside it, on a thread of its own; true once renamed. Else
// the box says why; a folder that stops answering once the rename began
// leaves the target in doubt, and the box says so.
bool SaveKitsJob::placeKit(int i, bool rename)
{
    const setupfiles::KitTarget &t = m_plan.at(i);
    const std::shared_ptr<FileWrite> w = m_files[size_t(i)];
    const std::optional<Placed> done =
            offThread<Placed>(m_run, w->placing, [w, rename]() { return placeFile(*w, rename, false); });
    if (done && done->renamed)
        return true;
    if (done) {
        savejob::noteNotReplaced(m_run, t.target, done->kept, done->failed == Step::Rename ? done->error : QString());
        m_keptAs.insert(i, done->kept);
    } else {
        qWarning().noquote() << "the folder of" << t.target << "does not answer: the kit may not be in place";
        m_givenUp.insert(i); // its thread keeps the file: it is not looked at here again
        if (rename && w->placing.placing()) {
            m_inDoubt.insert(i);
            m_run.warn(QCoreApplication::translate("MainWindow1", "Warning"), savejob::placeInDoubtText(t.target));
        } else if (w->placing.placing()) {
            // Its copy beside the target may yet take its name.
            m_run.warn(QCoreApplication::translate("MainWindow1", "Warning"), savejob::keepInDoubtText(t.target));
        } else {
            m_run.warn(QCoreApplication::translate("MainWindow1", "Error"),
                       savejob::notWrittenText(t.target, timedOut()));
        }
    }
    m_refused.insert(i, m_run.result.notices.last().text);
    return false;
}

// The folder of each file in place synced, once, on a thread of its own; a
// folder that does not confirm, or not within the limit, names every file of
// it the save put in place. A folder a placing thread still waits on is not
// synced: its files are named at once.
void SaveKitsJob::syncFolders(bool &replacedAll)
{
    QStringList folders;
    QHash<QString, QVector<int>> inFolder; // plan entries
    QSet<QString> silent; // folders a placing thread still waits on: not waited on again
    for (int i : qAsConst(m_givenUp))
        silent.insert(QFileInfo(m_files[size_t(i)]->out.target()).absolutePath());
    for (int i = 0; i < int(m_files.size()); ++i) {
        const ztplatform::ReplaceFile *file = fileOf(i);
        if (!file || !file->isRenamed())
            continue;
        const QString folder = QFileInfo(file->target()).absolutePath();
        if (!inFolder.contains(folder))
            folders.append(folder);
        inFolder[folder].append(i);
    }
    struct Synced
    {
        bool synced = false;
        QString error;
    };
    for (const QString &folder : qAsConst(folders)) {
        const QVector<int> entries = inFolder.value(folder);
        const std::shared_ptr<FileWrite> first = m_files[size_t(entries.first())];
        exportfile::Watch watch;
        const std::optional<Synced> done =
                silent.contains(folder) ? std::nullopt : offThread<Synced>(m_run, watch, [first]() {
                    Synced s;
                    s.synced = first->out.syncFolder();
                    s.error = first->out.errorString();
                    return s;
                });
        if (done && done->synced)
            continue;
        if (!done)
            qWarning().noquote() << "the folder" << folder << "does not answer: its new files may not be stored";
        QVector<QPair<QString, QString>> unconfirmed;
        for (int i : entries)
            unconfirmed.append({fileOf(i)->target(), fileOf(i)->notKept()});
        savejob::noteNotSynced(m_run, unconfirmed, done ? done->error : timedOut());
        replacedAll = false;
    }
}

// The box after the files are in place: none written, all saved, or which
// files are saved and which kits are not.
void SaveKitsJob::report(bool replacedAll)
{
    const bool wrote =
            std::any_of(m_plan.cbegin(), m_plan.cend(), [](const setupfiles::KitTarget &t) { return t.write; });
    if (!wrote) {
        m_run.inform(QCoreApplication::translate("MainWindow1", "Tip"),
                     QCoreApplication::translate("MainWindow1",
                                                 "No file was saved: the existing files stay as they were."));
        return;
    }
    if (replacedAll) {
        QString notKept; // what a replaced file had and its new one has not
        for (int i = 0; i < int(m_files.size()); ++i) {
            const ztplatform::ReplaceFile *file = fileOf(i);
            if (file && !file->notKept().isEmpty())
                notKept += savejob::crlf() + QDir::toNativeSeparators(file->target()) + savejob::crlf()
                           + file->notKept();
        }
        const QString kept = kitsKept();
        m_run.inform(QCoreApplication::translate("MainWindow1", "successfully saved."),
                     QCoreApplication::translate("MainWindow1", "The file has been generated:") + savejob::crlf()
                             + QCoreApplication::translate("MainWindow1", "File location:") + savejob::crlf()
                             + QDir::toNativeSeparators(m_in.folder) + notKept
                             + (kept.isEmpty() ? QString() : savejob::crlf() + kept));
        return;
    }
    const QString notSaved = kitsNotSaved();
    if (notSaved.isEmpty())
        return; // every file took its name: each failure was told on its own
    QString text;
    for (int i = 0; i < int(m_files.size()); ++i) {
        const ztplatform::ReplaceFile *file = fileOf(i);
        if (file && file->isRenamed())
            text += QDir::toNativeSeparators(file->target()) + savejob::crlf()
                    + (file->notKept().isEmpty() ? QString() : file->notKept() + savejob::crlf());
    }
    if (!text.isEmpty())
        text = QCoreApplication::translate("MainWindow1", "These files are saved:") + savejob::crlf() + text;
    m_run.warn(QCoreApplication::translate("MainWindow1", "Error"), text + notSaved);
}

// What became of each kit's file.
void SaveKitsJob::results()
{
    for (int i = 0; i < m_plan.size(); ++i) {
        const setupfiles::KitTarget &t = m_plan.at(i);
        const ztplatform::ReplaceFile *file = fileOf(i);
        setupjob::FileResult r{t.target, setupjob::FileOutcome::Refused, {}, m_refused.value(i), t.kit - 1};
        if (!t.write)
            r.outcome = setupjob::FileOutcome::Declined;
        else if (file && file->isRenamed())
            r.outcome = setupjob::FileOutcome::Written;
        else
            r.keptAs = m_keptAs.value(i);
        m_run.result.files.append(r);
    }
}

QVector<setupfiles::MovedSlot> SaveKitsJob::slotsToRepoint(const KitDocument &doc, const Reload &reload)
{
    QHash<QString, QHash<QString, int>> replaced;
    for (const QString &path : reload.files)
        replaced.insert(path, reload.moved.value(path));
    return setupfiles::movedSlots(doc.kitAttrList(), replaced, reload.reread);
}

bool SaveKitsJob::repointAfterReload(KitDocument &doc, SoundLibrary &lib, const QVector<setupfiles::MovedSlot> &moves)
{
    // A sound of a replaced file that other kits use is dropped by the
    // read-back; when the new file still holds it, those kits take it from
    // there again.
    return doc.repointReloaded(moves, lib.waveLoadKitAttrList(), lib.sharedSounds().twins());
}

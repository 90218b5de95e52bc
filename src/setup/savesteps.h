#ifndef ZT_SETUP_SAVESTEPS_H
#define ZT_SETUP_SAVESTEPS_H

// Steps the save jobs share: the run they are part of, the files a save may
// not replace or replaces, keeping the sounds a replace would lose, the
// gathering of the sounds and the texts of the boxes they compose.

#include "library/groupentries.h"
#include "model/mainwindow1records.h"
#include "platform/fileidentity.h"
#include "kitfile/setuperrors.h"
#include "kitfile/storedsounds.h"
#include "setup/setupjob.h"
#include "kitfile/waveorder.h"
#include "kitfile/wavecollect.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

class KitDocument;
class SoundLibrary;

namespace savejob {

using Records = MainWindow1Records;

// A save job's own conversion of plain sounds, safe on the job's thread:
// rawFile and rawPlan as the hooks' below, without a box. `tell`, on the
// window's thread once the job is over, shows the boxes of what failed;
// failureTold then answers as the hooks' rawFailureTold.
struct JobConversion
{
    setupfiles::RawWaveFn rawFile;
    setupfiles::RawPlanFn plan;
    std::function<void()> tell;
    std::function<bool()> failureTold;
};

// What a save needs of the window it runs for. Each may be left empty.
struct Hooks
{
    // The sound `source` as the pad's raw wave at `target`, its size; 0 when
    // it failed (the conversion has told the user).
    std::function<quint32(const QString &source, const QString &target)> rawFile;
    // The conversions rawFile will be asked for next, in order: they may begin at once.
    setupfiles::RawPlanFn rawPlan;
    // True when the last failed conversion named a cause that is not the sound's.
    std::function<bool()> rawFailureTold;
    // The conversion a save's job runs on its own thread.
    std::function<JobConversion()> jobConversion;
    // A kit slot as the pages name it: the hi-hat slots, then pad layers A, B.
    std::function<QString(int slot)> slotName;
    // A new progress dialog at `value` of 100 that holds the window while it
    // is shown, and its hiding before a box tells why the save stopped.
    std::function<void(const QString &label, int value)> openProgress;
    std::function<void()> hideProgress;
    // Sounds that took new sources (old -> new): the sound chosen for preview follows.
    std::function<void(const QHash<QString, QString> &moved)> soundsMoved;
    // How a drive, a file or a copy is awaited: the window's waiter, which
    // lets it paint; without one the save blocks.
    ztplatform::Waiter wait;
    // How a save's job is waited on, the progress dialog following it, until
    // it ends or `giveUp` says so: true once it ended. Without one the
    // calling thread blocks.
    std::function<bool(ztplatform::Job &job, const std::function<bool()> &giveUp)> runJob;
};

// One save under way: what it reads and changes and what it reports.
struct Run
{
    KitDocument &doc;
    SoundLibrary &lib;
    setupjob::Questions &questions;
    setupjob::Progress progress;
    Hooks hooks;
    setupjob::Result result;
    // Group rows this save moved (group and row -> group name, row name, new
    // source), and why the groups' file does not hold them yet (empty once
    // a write of the groups took).
    QMap<QPair<int, int>, groupentries::Unmatched> repointed = {};
    QString groupsNotWritten = {};

    void openProgress(const QString &label, int value) const;
    void hideProgress() const;
    void moveProgress(int value, int maximum = 100) const;
    // A box after the job, with its one button.
    void warn(const QString &title, const QString &text, bool yesButton = false);
    void inform(const QString &title, const QString &text);
};

// ---- texts ---------------------------------------------------------------
// The errors of a save whose target is no regular file, and of a written file
// that does not read back; the path follows on a line of its own.
// The line break of the boxes' texts.
inline QString crlf()
{
    return QStringLiteral("\r\n");
}
QString notAFileText();
QString notReadBackText();
// The error of a file that could not be written: the file and the system's reason.
QString notWrittenText(const QString &file, const QString &reason);
// The warning when the folder stopped answering while a new file was being
// renamed over `target`: it may or may not be in place.
QString placeInDoubtText(const QString &target);
// The warning when the folder stopped answering while a new file was being
// kept beside `target` ("~1"): it may or may not be there, the target is as it was.
QString keepInDoubtText(const QString &target);
// The error of a save that would replace a file a sound of the library, a
// group or the metronome comes from.
QString soundFileText();
// The error when a new file could not take the place of the old one, with
// the system's reason when there is one.
void noteNotReplaced(Run &run, const QString &target, const QString &kept, const QString &reason = QString());
// The error when a new file took its target's name but the folder could not
// be synced: `reason` is the system's, `notKept` what the replaced file had that the new one lacks.
void noteNotSynced(Run &run, const QString &target, const QString &reason, const QString &notKept = QString());
// The same for several files of one folder: each (target, notKept) is named.
void noteNotSynced(Run &run, const QVector<QPair<QString, QString>> &files, const QString &reason);
// The box a failed gathering shows, none when the error told the user
// already (or there is none). `kits` name the kits using a sound that does
// not convert.
bool collectErrorNotice(const setupfiles::CollectError &error, const QVector<Records::soundKit> &kits,
                        const Hooks &hooks, setupjob::Notice &notice);
void noteCollectError(Run &run, const setupfiles::CollectError &error);

// ---- files a save replaces -------------------------------------------------
// The loaded and recorded files ('/' separators, as the editor holds them,
// each once, the loaded ones first), each looked at once. The answers hold
// while only new names are written: none of the files is renamed over.
class LoadedFiles
{
public:
    // The paths of the library's loaded and recorded files, each once;
    // nothing is looked at.
    static QStringList pathsOf(const SoundLibrary &lib);
    // Looked at through `disk`.
    explicit LoadedFiles(ztplatform::Disk &disk)
        : m_disk(&disk)
    {
    }
    // One of those paths looked at.
    void add(const QString &path);
    // Those whose directory entry a file renamed over `target` replaces.
    QStringList replacedBy(const ztplatform::RenameTarget &target) const;
    // Those reached through a symbolic link that a rename over one of
    // `targets` (`renamed` their looks) replaces, each with those targets:
    // after it their paths reach another file, so they are not read back but
    // kept from (keepLostSounds) and forgotten.
    struct CutOff
    {
        QString file;
        QStringList by;
    };
    QVector<CutOff> cutOffBy(const QStringList &targets, const QVector<ztplatform::RenameTarget> &renamed) const;

private:
    ztplatform::Disk *m_disk;
    QStringList m_paths;
    QVector<ztplatform::ReachedPath> m_reached;
};
// What renames over `targets` do to the loaded and recorded files: each of
// those files, then each target, looked at in turn on a thread of its own,
// waited on through `wait`. A file whose drive does not answer within 2 s (or
// still holds an earlier look) ends the look, and nothing is known then.
struct LoadedLook
{
    QVector<QStringList> replaced;    // by target: LoadedFiles::replacedBy
    QVector<LoadedFiles::CutOff> cut; // LoadedFiles::cutOffBy of all the targets
    QString silent;                   // the file whose drive did not answer; empty when all did
};
LoadedLook lookAtLoadedFiles(const SoundLibrary &lib, const QStringList &targets, const ztplatform::Waiter &wait);
// The file a save onto a target replaces: a symbolic link to a loaded kit
// file or setup (by whatever path it was loaded) is written through to it;
// any other target, another link too, is replaced itself. Taken over the
// loaded and recorded files as they are now, for a thread of its own.
std::function<QString(const QString &target)> writeTargetFor(const SoundLibrary &lib);
// Whether a rename over one of `targets` (the files a kit save replaces)
// takes the place of a file, or a link to one, that a plain sound of the
// library, a group or the metronome comes from: each sound, then each
// target, looked at in turn on a thread of its own, waited on through `wait`. A
// file whose drive does not answer within 2 s (or still holds an earlier
// look) ends the look.
struct SoundFilesLook
{
    int replaced = -1;     // the first of `targets` that replaces one; -1 when none does
    QString silentSound;   // the sound whose drive did not answer
    int silentTarget = -1; // else the target whose drive did not answer
    bool answered() const { return silentSound.isEmpty() && silentTarget < 0; }
};
SoundFilesLook lookAtSoundFiles(const SoundLibrary &lib, const QStringList &targets,
                                const ztplatform::Waiter &wait);
// The kit files that the stored sounds of the library, the kits, the groups
// and the metronome name ('/' separators), each path text once.
QStringList storedKitFiles(const KitDocument &doc, const SoundLibrary &lib);
// Why a save of one file onto `target` may not go on (`refused`, its message
// with the path on a line of its own: something other than a regular file
// stands there, or the file it replaces (writeTargetFor) is one a plain sound of
// the library, a group or the metronome comes from; with `kitFilesToo` also a
// loaded or recorded kit file, or one a stored sound names; empty when it
// may), whether a file stands at the target and the file a save replaces
// (writeTargetFor; else the target), looked at on a thread of their own, waited
// on through `wait`; nothing when they did not end within 2 s.
struct TargetCheck
{
    QString refused;
    bool isFile = false;
    QString dest;
};
std::optional<TargetCheck> lookAtTarget(const KitDocument &doc, const SoundLibrary &lib, const QString &target,
                                        bool kitFilesToo, const ztplatform::Waiter &wait);
// After a save wrote its file: true when each of `sources` (the kit files its
// stored sounds were copied from, setupfiles::storedSourceFiles of the waves
// it gathered) is still the file that was loaded; else false, the first changed
// one named as a changed source (`kitWording`: the kit save's words).
// Sources in `held` were read through their descriptors: `heldChanged`
// names the first of them that changed meanwhile (empty when none did), and
// only the others are looked at again.
bool copiedAsLoaded(Run &run, const QStringList &sources, bool kitWording, const setupfiles::HeldKitFiles &held = {},
                    const QString &heldChanged = QString());
// True when `path` is the loaded whole setup.
bool isLoadedSetup(const SoundLibrary &lib, const QString &path);
// A file replaced by one of the other kind (a whole setup by a kit file, or
// the reverse) is not read back: once keepLostSounds(…, {}, true) moved every
// use of its sounds away, its loads and records are forgotten here.
void forgetFiles(SoundLibrary &lib, const QStringList &files);
// ---- the groups' file -----------------------------------------------------
// The groups written to their file now (a read-only file is asked about
// through the questions); true when they were. A failure is told when `tell`
// (unless another editor holds them, or the user kept the file read-only).
bool writeGroupList(Run &run, bool tell);
// The group rows `to` names move there in the library (SoundLibrary::
// repointGroupSounds), each noted in the run; true when one moved.
bool repointGroups(Run &run, const QHash<QString, QString> &to, const QHash<QString, groupentries::Identity> &was,
                   const QHash<QString, groupentries::Identity> &now = {});
// Right before a kit save puts the file written at `written` in place over
// the loaded kit file kitFile: the groups are written with the rows `moved`
// names as that file stores them (source, name after the name rule, length),
// so that a stop right after the rename finds each row at its sound. The
// library's rows stay until groupsFollow moves them. The new file is read
// off the window's thread: false, with the box, when its drive does not
// answer in time (the file is then not put in place).
bool groupsBefore(Run &run, const QString &kitFile, const QHash<QString, int> &moved, const QString &written);
// At the end of a save: when rows moved but the groups' file could not take
// them (read-only and declined, another editor, no lock, a failed write), one
// box names each row and where its sound is now; the next start finds them
// there by their bytes.
void tellGroupsNotWritten(Run &run);
// Right after a kit save put its file in place over the loaded kit file
// kitFile: the groups' sounds of it that `moved` names (old source -> entry of
// the new file) take their entries in the new file, and the groups are
// written. A row whose entry was not the one stored at its source stays.
void groupsFollow(Run &run, const QString &kitFile, const QHash<QString, int> &moved);
// The sounds a whole setup writes, in order, and the entry each stored one
// reached in the loaded files; taken before the file is replaced.
struct WrittenSounds
{
    QVector<QString> sources;
    QHash<QString, groupentries::Identity> entries;
};
WrittenSounds writtenSounds(const SoundLibrary &lib, const QVector<Records::SOUND_INDEX> &waves);
// After the read-back of a whole setup saved over the loaded one at kitFile:
// the groups' stored sounds among `written` take their sources in the new
// file, as above, and the groups are written.
void groupsFollow(Run &run, const QString &kitFile, const WrittenSounds &written);
// After that read-back: the kits the undo steps keep name the written sounds
// by their sources in the new file.
void heldKitsFollow(Run &run, const WrittenSounds &written);

// ---- sounds a replace would lose ---------------------------------------------
// Before a save replaces the loaded kit file `target` (the loaded file by
// whatever path): its sounds that the library, a kit, a group (or, with
// `clicksToo`, the metronome) uses and that `held` (old source -> entry of
// the new file) does not name are copied with their exact bytes into the
// kept sounds folder and synced, and every use of them moves to the copy (a
// group row whose entry is not the one stored at its source is left out). A
// copy kept before under the sound's name with the same bytes is taken
// instead, and the library lists it once. False, with nothing changed, when
// one cannot be kept. The copies advance a new progress dialog, which holds
// the window while events run between them. The groups are written when rows
// moved or name the file, so that on the disk they carry their entries
// before it changes.
bool keepLostSounds(Run &run, const QString &target, const QHash<QString, int> &held, bool clicksToo = false,
                    bool writeGroups = true);
// Before a save renames a file over `target`: the sounds stored in a kit
// file that is not loaded but that a rename over `target` takes from the
// paths the library, a kit, a group or the metronome names it by (the file
// itself, or a link on the way to it) are kept as keepLostSounds keeps them,
// read from the file as it is now. A file that does not read as a kit file
// has nothing to keep. False, with nothing changed for the sounds of the
// file that failed, when one cannot be kept.
bool keepNamedSounds(Run &run, const QString &target);

// ---- the sounds of a save -----------------------------------------------------

// The sounds gathered for a save: where each wave's bytes come from and its record.
struct Gathered
{
    QVector<Records::SOUND_LIST_INFO> waveList;      // where each saved wave's bytes come from
    QVector<Records::SOUND_INDEX> waveAttrList;      // the file's sounds
    QVector<Records::SOUND_LIST_INFO> clickWaveList; // the metronome sounds' bytes
};
// Before a gathering: the shared sounds of changed files move, the preview too.
void handOver(Run &run);
// The metronome's sounds (the library's clickSetList takes their records).
bool gatherClicks(Run &run, const QString &tempDir, Gathered &got,
                  setupfiles::StoredSoundLocator *loaded = nullptr);
// Every sound of a whole setup, the metronome's first; the bar moves.
// `loaded`, when given, locates the stored sounds in the loaded files while
// those stay the files it was made for.
bool gatherWholeSetup(Run &run, const QString &tempDir, Gathered &got,
                      setupfiles::StoredSoundLocator *loaded = nullptr);
// The sounds of kit `kitIndex` (0-based); the kit keeps its wave numbers.
bool gatherKit(Run &run, const QString &tempDir, int kitIndex, Gathered &got);

} // namespace savejob

#endif

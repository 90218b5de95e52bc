#ifndef ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H
#define ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H

// Steps that the window's loads and saves of setup files share.

#include "platform/fileidentity.h"
#include "setup/importkitsjob.h"
#include "setup/setupjob.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class MainWindow1;
class QProgressDialog;
namespace setupfiles {
struct LoadedKit;
struct WholeSetupSounds;
} // namespace setupfiles

namespace setupflow {

// Stops a playing preview and tells the user to import or save again; with
// `loopToo` also a loop playback that is switched on. True when one ran.
bool stopPreviewFirst(MainWindow1 *w, bool loopToo);

// Disables the editor page and the five actions a save locks out, or
// enables them again, in that order.
void lockForSave(MainWindow1 *w, bool locked);

// The rows of the total and hi-hat sound lists from the working sound list,
// in its order (the sound library's stored order).
void rebuildSoundRows(MainWindow1 *w);

// Runs the ordering of the checked sort button again (none for the custom one).
void reapplySoundOrder(MainWindow1 *w);

// Redraws the hi-hat labels and pads of the 100 kits.
void redrawKits(MainWindow1 *w);

// The error when a new file could not take the place of the old one.
void reportNotReplaced(MainWindow1 *w, const QString &target, const QString &kept);
// The error when a new file took its target's name but the folder could not
// be synced: `reason` is the system's.
void reportNotSynced(MainWindow1 *w, const QString &target, const QString &reason);
// The errors of a save whose target is no regular file, and of a written file
// that does not read back; the path follows on a line of its own.
QString notAFileText();
QString notReadBackText();
// The error of a file that could not be written: the file and the system's reason.
QString notWrittenText(const QString &file, const QString &reason);
// The error of a save that would replace a file a sound of the library, a
// group or the metronome comes from.
QString soundFileText();
// True, after its message, when the file carries another maker's brand mark
// (kind 0 whole setup, 2 single kit); a file that does not open passes.
bool refuseBranded(MainWindow1 *w, const QString &path, int kind);
// Records a chosen kit file with its kit number n (1..255), replacing the
// record of a file whose kit number is n; recorded files that no longer
// exist, or no longer read as kit files (named in a message), are forgotten
// on the way.
void recordKitFile(MainWindow1 *w, const QString &path, int n);
// What a kit-file import does in the window while it runs: after it forgot
// the sounds of an earlier load, the rows and the preview follow
// (soundFileRemoved); it takes each kit's name and page values (takingKit).
ImportKitFilesJob::Redraws forgetting(MainWindow1 *w);

// A new progress dialog of a save, shown at `value`, that holds the window
// while it is shown; it becomes w->dialog.
QProgressDialog *openSaveProgress(MainWindow1 *w, const QString &label, int value);
// Hides the dialog before a message tells why the save stopped.
void hideProgress(QProgressDialog *dialog);

// ---- loads --------------------------------------------------------------
// Shows the boxes of `result` from notice `from` on, in order; returns how
// many it holds, where the next call starts.
int showNotices(MainWindow1 *w, const setupjob::Result &result, int from = 0);
// The questions of a job asked in Yes/No boxes of the window.
class BoxQuestions : public setupjob::Questions
{
public:
    explicit BoxQuestions(MainWindow1 *w) : m_w(w) {}
    bool ask(const QString &title, const QString &text) override;

private:
    MainWindow1 *m_w;
};
// A whole setup as the editor's state: nothing changes when it is refused.
bool loadWholeSetup(MainWindow1 *w, const QString &path);
// After a whole setup's sounds joined the library: the window's lists of
// them, the metronome choice, the total list's rows in number order, the
// boxes of `result` from `shown` on (advanced) and the checked sort again.
void drawSetupSounds(MainWindow1 *w, const setupfiles::WholeSetupSounds &sounds, const setupjob::Result &result,
                     int &shown);
// After a whole setup's kits became the document's: the pads, the boxes of
// `result` from `shown` on (advanced) and kit 1 shown.
void drawSetupKits(MainWindow1 *w, const setupjob::Result &result, int &shown);
// Before a kit read from a file is stored as kit `kit`: its name to the
// window's lists and its effects and links to the page's scratch values.
void takingKit(MainWindow1 *w, int kit, const setupfiles::LoadedKit &loaded);

// The recorded kit files that are in kitFileList, read by kit number into
// their kit slots by `job` (`reload`: after a save replaced them), its boxes
// shown from `shown` on; a load that changed the editor, even one that ended
// early, is finished (finishKitLoad). True when it was finished.
bool loadKitFiles(MainWindow1 *w, ImportKitFilesJob &job, bool reload, int &shown);

// After a kit-file load: the sound lists, the rename boxes (`importing`), the
// sound order, the pads, and the kit of the first ordered file shown.
// False when that file is of an old layout, or does not open on a reload.
bool finishKitLoad(MainWindow1 *w, ImportKitFilesJob &job, bool importing, int &shown);

// ---- saves --------------------------------------------------------------
void saveWholeSetup(MainWindow1 *w, const QString &target);
void saveKitFiles(MainWindow1 *w, const QString &folder, const QVector<int> &kits);

// Before a save replaces the loaded kit file `target` (the loaded file by
// whatever path): its sounds that the library, a kit, a group (or, with
// `clicksToo`, the metronome) uses and that `held` (old source -> entry of
// the new file) does not name are copied with their exact bytes into the
// kept sounds folder and synced, and every use of them moves to the copy. A
// copy kept before under the sound's name with the same bytes is taken
// instead, and the library lists it once. False, with nothing changed, when
// one cannot be kept. The copies advance a new save progress dialog, which
// holds the window while events run between them.
bool keepLostSounds(MainWindow1 *w, const QString &target, const QHash<QString, int> &held, bool clicksToo = false);

// Before a save renames a file over `target`: the sounds stored in a kit
// file that is not loaded but that a rename over `target` takes from the
// paths the library, a kit, a group or the metronome names it by (the file
// itself, or a link on the way to it) are kept as keepLostSounds keeps them,
// read from the file as it is now. A file that does not read as a kit file
// has nothing to keep. False, with nothing changed for the sounds of the
// file that failed, when one cannot be kept.
bool keepNamedSounds(MainWindow1 *w, const QString &target);

// The loaded and recorded files ('/' separators, as the editor holds them,
// each once, the loaded ones first), each looked at once. The answers hold
// while only new names are written: none of the files is renamed over.
class LoadedFiles
{
public:
    explicit LoadedFiles(MainWindow1 *w);
    // Those whose directory entry a file renamed over `target` replaces.
    QStringList replacedBy(const QString &target) const;
    // Those reached through a symbolic link that a rename over one of
    // `targets` replaces, each with those targets: after it their paths reach
    // another file, so they are not read back but kept from (keepLostSounds)
    // and forgotten.
    struct CutOff
    {
        QString file;
        QStringList by;
    };
    QVector<CutOff> cutOffBy(const QStringList &targets) const;

private:
    QStringList m_paths;
    QVector<ztplatform::ReachedPath> m_reached;
};
// The file a save onto `target` replaces: a symbolic link to a loaded kit
// file or setup (by whatever path it was loaded) is written through to it;
// any other target, another link too, is replaced itself.
QString writeTarget(MainWindow1 *w, const QString &target);
// The files, and the links to them, by which the plain sounds of the
// library, the groups and the metronome are reached: a save must replace
// none of them.
ztplatform::ReachedFiles soundFiles(MainWindow1 *w);
// The kit files that the stored sounds of the library, the kits, the groups
// and the metronome name ('/' separators), each path text once.
QStringList storedKitFiles(MainWindow1 *w);
// Why a save of one file onto `target` may not go on, its message with the
// path on a line of its own: something other than a regular file stands
// there, or the file it replaces (writeTarget) is one a plain sound of the
// library, a group or the metronome comes from; with `kitFilesToo` also a
// loaded or recorded kit file, or one a stored sound names. Empty when it may.
QString refusedTarget(MainWindow1 *w, const QString &target, bool kitFilesToo);
// After a save wrote its file: true when each of `sources` (the kit files its
// stored sounds were copied from, setupfiles::storedSourceFiles of the waves
// it gathered) is still the file that was loaded; else false, the first changed
// one named as a changed source (`kitWording`: the kit save's words).
bool copiedAsLoaded(MainWindow1 *w, const QStringList &sources, bool kitWording);
// True when `path` is the loaded whole setup.
bool isLoadedSetup(MainWindow1 *w, const QString &path);
// A file replaced by one of the other kind (a whole setup by a kit file, or
// the reverse) is not read back: once keepLostSounds(…, {}, true) moved every
// use of its sounds away, its loads and records are forgotten here.
void forgetFiles(MainWindow1 *w, const QStringList &files);
// After the read-back: the groups' sounds of kitFile that `moved` names take
// their sources in the new file.
void repointGroupSounds(MainWindow1 *w, const QString &kitFile, const QHash<QString, int> &moved);
// After the read-back of a whole setup saved over the loaded one: the groups'
// stored sounds among `written` (the sources of the file's sounds, in order)
// take their sources in the new file.
void repointGroupSounds(MainWindow1 *w, const QVector<QString> &written);

} // namespace setupflow

#endif

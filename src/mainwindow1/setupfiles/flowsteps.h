#ifndef ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H
#define ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H

// Steps that the window's loads and saves of setup files share.

#include "setup/savesteps.h"
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

// True, after its message, when the file carries another maker's brand mark
// (kind 0 whole setup, 2 single kit); a file that does not open passes.
bool refuseBranded(MainWindow1 *w, const QString &path, int kind);
// What a kit-file import does in the window while it runs: after it forgot
// the sounds of an earlier load, the rows and the preview follow
// (soundFileRemoved); it takes each kit's name and page values (takingKit).
ImportKitFilesJob::Redraws forgetting(MainWindow1 *w);

// A new progress dialog of a save, shown at `value`, that holds the window
// while it is shown; it becomes the wait dialog.
QProgressDialog *openSaveProgress(MainWindow1 *w, const QString &label, int value);
// Hides the dialog before a message tells why the save stopped.
void hideProgress(QProgressDialog *dialog);

// ---- the jobs' seams ----------------------------------------------------
// Shows the boxes of `result` from notice `from` on, in order; returns how
// many it holds, where the next call starts.
int showNotices(MainWindow1 *w, const setupjob::Result &result, int from = 0);
// The boxes of a job's notices, in order.
void showNotices(MainWindow1 *w, const QVector<setupjob::Notice> &notices);
// The questions of a job asked in warning boxes of the window with Yes and No.
class BoxQuestions : public setupjob::Questions
{
public:
    explicit BoxQuestions(MainWindow1 *w) : m_w(w) {}
    bool ask(const QString &title, const QString &text) override;

private:
    MainWindow1 *m_w;
};

// ---- loads --------------------------------------------------------------
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
// The end of a kit-file load: the checked sort again when an earlier load was
// dropped, the pads, and the kit of the first ordered file shown; false as
// finishKitLoad.
bool showLoadedKits(MainWindow1 *w, const ImportKitFilesJob &job, bool importing);

// ---- saves --------------------------------------------------------------
void saveWholeSetup(MainWindow1 *w, const QString &target);
void saveKitFiles(MainWindow1 *w, const QString &folder, const QVector<int> &kits);

// What the save jobs need of the window: the conversion, the save progress
// dialog (openSaveProgress) and the names of the pages' slots.
savejob::Hooks saveHooks(MainWindow1 *w);
// Moves the wait dialog (its range too) and lets the window paint: each time the
// bar moves, else at most every 50 ms.
setupjob::Progress saveProgress(MainWindow1 *w);
// savejob::refusedTarget over the window's document and library.
QString refusedTarget(MainWindow1 *w, const QString &target, bool kitFilesToo);

} // namespace setupflow

#endif

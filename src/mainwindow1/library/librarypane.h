#ifndef ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H
#define ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H

// The sound lists: their models, groups, imports, selection, preview, renames
// and orders.

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "model/namerules.h"

namespace librarypane {

inline void setUpSoundViews(MainWindow1 *w) { w->soundLists().setUpSoundViews(); }
void initSoundPlay(MainWindow1 *w);
// groups and the sound-list file
inline void importSoundList(MainWindow1 *w, const QString &fileName) { w->soundLists().importSoundList(fileName); }
inline bool saveSoundListAtClose(MainWindow1 *w) { return w->soundLists().saveSoundListAtClose(); }
// import
void addFileToGroupList(MainWindow1 *w, quint8, MainWindow1::strSoundGroup *group, QStandardItemModel *model,
                        quint8 mode);
// One box listing each sound name the sound-name rule changed in one import
// or drop, and what it became; nothing when none changed.
void tellRenamedSounds(MainWindow1 *w, const QVector<namerules::NameChange> &changes);
// The paths that hold decodable audio, in order; the others are named in
// one warning. Probes on all cores while the window stays responsive.
QStringList audioFilesOf(MainWindow1 *w, const QStringList &paths);
// selection and preview
QString previewFileName(const MainWindow1 *w);
// The preview's wait dialog: window-modal, its Cancel is Stop.
void openWaitDialog(MainWindow1 *w);
// A new window-modal "Please wait..." dialog in `dialog`, with a cancel
// button only when cancelText is given; it holds the window while it is
// shown.
void showWaitDialog(MainWindow1 *w, const QString &label, int maximum, const QString &cancelText = QString());
// Runs a preview's work off the GUI thread while the window keeps
// painting; input waits until the wait dialog, shown once the work lasts
// over half a second, holds the window. It steps up to lastStep. False
// when Stop ended the work.
bool runPreviewWork(MainWindow1 *w, const std::function<void()> &work, int lastStep);
void startLoopRun(MainWindow1 *w, int run);
void endLoopRunWhenLoopOff(MainWindow1 *w);
void stopPreviewForClose(MainWindow1 *w);
// rename, delete, export, orders, locks

} // namespace librarypane

#endif

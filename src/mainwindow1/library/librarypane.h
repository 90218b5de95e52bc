#ifndef ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H
#define ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H

// The sound lists: their models, groups, imports, selection, preview, renames
// and orders.

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "model/namerules.h"

namespace librarypane {

// The views are given the library's models, once; rows made anew are shown
// with the views' column settings again.
void setUpSoundViews(MainWindow1 *w);
void initKitTotalItemModel(MainWindow1 *w);
inline void initSoundPlay(MainWindow1 *w) { w->preview().initSoundPlay(); }
void updateHHsoundList(MainWindow1 *w, int row);
void updateHHsoundList1(MainWindow1 *w);
// groups and the sound-list file
// The groups of the file, with a box for what the start found there.
void importSoundList(MainWindow1 *w, const QString &fileName);
// The write at the close, with its boxes; false when it failed and the
// user keeps the window open.
bool saveSoundListAtClose(MainWindow1 *w);
// import
inline void tellRenamedSounds(MainWindow1 *w, const QVector<namerules::NameChange> &changes)
{
    w->soundFiles().tellRenamedSounds(changes);
}
inline QStringList audioFilesOf(MainWindow1 *w, const QStringList &paths)
{
    return w->soundFiles().audioFilesOf(paths);
}
// selection and preview
void totalListSelection(MainWindow1 *w, const QModelIndex &index, bool press);
void groupTreeSelection(MainWindow1 *w, const QModelIndex &index, bool press);
inline void stopPreviewForClose(MainWindow1 *w) { w->preview().stopPreviewForClose(); }
// rename, delete, export, orders, locks
// Shows why a sound name is refused (blank, pattern, length; `symbols`
// ends the pattern message); false when the name passes.
bool refuseSoundName(MainWindow1 *w, const QString &name, const QString &symbols);
bool replaceNameToPadSetting(MainWindow1 *w, quint8 mode, QString file, QString name);
void generateKitOrder(MainWindow1 *w);

} // namespace librarypane

#endif

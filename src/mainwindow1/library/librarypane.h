#ifndef ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H
#define ZT_MAINWINDOW1_LIBRARY_LIBRARYPANE_H

// The sound lists: their models, groups, imports, selection, preview, renames
// and orders.

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "model/namerules.h"

namespace librarypane {

inline void setUpSoundViews(MainWindow1 *w) { w->soundLists().setUpSoundViews(); }
inline void initSoundPlay(MainWindow1 *w) { w->preview().initSoundPlay(); }
// groups and the sound-list file
inline bool saveSoundListAtClose(MainWindow1 *w) { return w->soundLists().saveSoundListAtClose(); }
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
inline void stopPreviewForClose(MainWindow1 *w) { w->preview().stopPreviewForClose(); }
// rename, delete, export, orders, locks

} // namespace librarypane

#endif

#ifndef ZT_MAINWINDOW1_EDITING_KITPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITPAGE_H

// The pad page, the kit settings page and the global settings page: filling
// them from the kit records and taking their values back.

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/mainwindow1.h"

namespace kitpage {

void disPad(MainWindow1 *w, const MainWindow1::soundKit *kit, quint8 pad);
// With `show`, kit `kit` (0-based) becomes the kit shown and the main pad page shows it.
void dispKitinList(MainWindow1 *w, bool show, quint8 kit);
// The window's redraws of what the document tells changed: the pages show a
// changed kit again (display only: nothing goes back into the kit), the
// kit-chain page its chain, the global page its settings.
void connectDocument(MainWindow1 *w);
void showChangedKit(MainWindow1 *w, int kit);
void showChangedKits(MainWindow1 *w);
// Takes the name field as the name of kit `kit` (0-based) when the field
// shows that kit and the name passes the name rules; a refused name is put
// back. False when refused.
bool applyKitName(MainWindow1 *w, int kit);
// Ends a name edit still under way in the name field (the title bar's close
// takes no focus from it); false when the name was refused.
bool finishKitNameEdit(MainWindow1 *w);
// Why a kit name is refused (blank, pattern, length), empty when it is not.
QString kitNameRefusal(const QString &name);
// Fills the kit settings page again when it shows kit `kit` (1-based), after
// a copy replaced its record.
void redrawCopiedKit(MainWindow1 *w, int kit);

// The kit pages' work lives in KitPagesController; these forward to it.
inline void initKitSet(MainWindow1 *w) { w->kitPages().initKitSet(); }
inline void initGlobalSet(MainWindow1 *w) { w->kitPages().initGlobalSet(); }
inline void showGlobalSettings(MainWindow1 *w) { w->kitPages().showGlobalSettings(); }
inline void commitShownKit(MainWindow1 *w, int kitNo) { w->kitPages().commitShownKit(kitNo); }
inline void updateKitFile(MainWindow1 *w, quint16 oldNo, quint16 newNo, QString oldFile, QString newFile)
{
    w->kitPages().updateKitFile(oldNo, newNo, oldFile, newFile);
}

} // namespace kitpage

#endif

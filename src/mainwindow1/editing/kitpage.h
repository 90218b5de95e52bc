#ifndef ZT_MAINWINDOW1_EDITING_KITPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITPAGE_H

// The pad page, the kit settings page and the global settings page: filling
// them from the kit records and taking their values back.

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

namespace kitpage {

void initKitSet(MainWindow1 *w);
void initKitSet1(MainWindow1 *w);
void initGlobalSet(MainWindow1 *w);
void getPadAttr(MainWindow1 *w);
// The window's redraws of what the document tells changed: the pages show a
// changed kit again (display only: nothing goes back into the kit), the
// kit-chain page its chain, the global page its settings.
inline void connectDocument(MainWindow1 *w) { w->mainPadPage().connectDocument(); }
void showGlobalSettings(MainWindow1 *w);
inline bool applyKitName(MainWindow1 *w, int kit) { return w->mainPadPage().applyKitName(kit); }
inline bool finishKitNameEdit(MainWindow1 *w) { return w->mainPadPage().finishKitNameEdit(); }
// Why a kit name is refused (blank, pattern, length), empty when it is not.
QString kitNameRefusal(const QString &name);
void commitPadPage(MainWindow1 *w, int kit, int pad); // kit 0-based
// Fills the kit settings page from kit kitNo (1-based); pad -1 shows pad
// 1 at a kit switch, else the pad shown.
void showKitPage(MainWindow1 *w, int kitNo, bool kitSwitch, int pad = -1);
// Runs the hi-hat layer rules on a layer whose edit has not finished.
void settleHHLayers(MainWindow1 *w);
// The commit of everything the kit settings page holds, pad shown first,
// into kit kitNo (1-based); nothing unless that page is shown, and
// nothing into a record whose page was not edited since it was shown.
void commitShownKit(MainWindow1 *w, int kitNo);
void updateKitFile(MainWindow1 *w, quint16 oldNo, quint16 newNo, QString oldFile, QString newFile);
void on_kitEffect1_currKitIndex(MainWindow1 *w, int type, int kitIndex);
void on_kitEffect2_currKitIndex(MainWindow1 *w, int type, int kitIndex);
void on_kitEffect3_currKitIndex(MainWindow1 *w, int type, int kitIndex);
void on_activeFx_currKitIndex(MainWindow1 *w, int type, int kitIndex);

} // namespace kitpage

#endif

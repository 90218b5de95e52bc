#ifndef ZT_MAINWINDOW1_EDITING_KITPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITPAGE_H

// The pad page, the kit settings page and the global settings page: filling
// them from the kit records and taking their values back.

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/mainwindow1.h"

namespace kitpage {

// The window's redraws of what the document tells changed: the pages show a
// changed kit again (display only: nothing goes back into the kit), the
// kit-chain page its chain, the global page its settings.
inline void connectDocument(MainWindow1 *w) { w->mainPadPage().connectDocument(); }
inline bool finishKitNameEdit(MainWindow1 *w) { return w->mainPadPage().finishKitNameEdit(); }
// Why a kit name is refused (blank, pattern, length), empty when it is not.
QString kitNameRefusal(const QString &name);

// The kit pages' work lives in KitPagesController; these forward to it.
inline void initKitSet(MainWindow1 *w) { w->kitPages().initKitSet(); }
inline void initGlobalSet(MainWindow1 *w) { w->kitPages().initGlobalSet(); }
inline void commitShownKit(MainWindow1 *w, int kitNo) { w->kitPages().commitShownKit(kitNo); }

} // namespace kitpage

#endif

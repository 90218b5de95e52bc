#ifndef ZT_MAINWINDOW1_EDITING_KITCHAINPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITCHAINPAGE_H

// The kit-chain page as the other areas still reach it; the work is the kit-chain controller's.

#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/mainwindow1.h"

namespace kitchainpage {

inline void initKitChainSet(MainWindow1 *w) { w->kitChains().initKitChainSet(); }
inline void disKit(MainWindow1 *w, const MainWindow1::KIT_CHAIN *chain, int step)
{
    w->kitChains().disKit(chain, step);
}
inline bool finishKitListEdit(MainWindow1 *w) { return w->kitChains().finishKitListEdit(); }

} // namespace kitchainpage

#endif

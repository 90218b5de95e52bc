#ifndef ZT_MAINWINDOW1_EDITING_KITCHAINPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITCHAINPAGE_H

// The kit-chain page and its kit list: steps, chain names, renames and moves.

#include "mainwindow1/mainwindow1.h"

namespace kitchainpage {

void initKitChainSet(MainWindow1 *w);
void initKitChainStep(MainWindow1 *w);
void disKit(MainWindow1 *w, const MainWindow1::KIT_CHAIN *chain, int step);
void disKitStep(MainWindow1 *w, const QVector<MainWindow1::KIT_CHAIN> &chains, int chain);
// The chain the page shows, drawn again from the document.
void showChangedChains(MainWindow1 *w);
void updateKitChainNameList(MainWindow1 *w);
// Ends a name edit still open in the kit list (the title bar's close and a
// save take no focus from it); false when the name was refused.
bool finishKitListEdit(MainWindow1 *w);
bool replaceNameToStep(MainWindow1 *w, QString kitNumber, QString name);
// Moves the current kit of the kit list one row up (-1) or down (1).
void moveKitInList(MainWindow1 *w, int step);

} // namespace kitchainpage

#endif

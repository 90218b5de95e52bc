#ifndef ZT_MAINWINDOW1_SHELL_DROPSTEPS_H
#define ZT_MAINWINDOW1_SHELL_DROPSTEPS_H

// Drops on the pads, the sound lists, the kit-chain steps and the hi-hat
// slots, as the window's event filter hands them over.

#include "mainwindow1/mainwindow1.h"

namespace dropsteps {

bool isOurDrag(MainWindow1 *w, QDropEvent *event);
void applyPadDropState(MainWindow1 *w);
bool dropOnPad(MainWindow1 *w, int pad, QDropEvent *event);
bool dropFilesOnGroups(MainWindow1 *w, QDropEvent *event);
bool dropOnTotalList(MainWindow1 *w, QDropEvent *event);
bool dropOnStep(MainWindow1 *w, QDropEvent *event);
bool dropOnHiHat(MainWindow1 *w, QDropEvent *event);

} // namespace dropsteps

#endif

#ifndef TESTS_MAINWINDOW1_PADWRITER_H
#define TESTS_MAINWINDOW1_PADWRITER_H

// The pad's writer held: every area's call for a batch is cut, so that a
// test sees what was queued. True when each call was wired.

#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

inline bool holdPadWriter(MainWindow1 *w)
{
    PadSyncController *sync = &w->padSync();
    bool cut = QObject::disconnect(&w->soundFiles(), &SoundFilesController::padAddsQueued, sync, nullptr);
    cut = QObject::disconnect(&w->soundLists(), &SoundListsController::padDeleteQueued, sync, nullptr) && cut;
    cut = QObject::disconnect(&w->setupFiles(), &SetupFilesController::padUpdateWanted, sync, nullptr) && cut;
    cut = QObject::disconnect(&w->shell(), &ShellController::padAddsQueued, sync, nullptr) && cut;
    return cut;
}

#endif

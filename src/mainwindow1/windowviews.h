#ifndef ZT_MAINWINDOW1_WINDOWVIEWS_H
#define ZT_MAINWINDOW1_WINDOWVIEWS_H

// Each area's widgets, taken from the window's form: the only place besides
// the window that knows the whole form.

#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

namespace Ui {
class MainWindow1;
}

struct WindowViews
{
    PreviewView preview;
    SoundListsView soundLists;
    KitHeaderView kitHeader;
    KitPagesView kitPages;
    MainPadPageView mainPadPage;
    KitChainsView kitChains;
    SetupFilesView setupFiles;
    ShellView shell;
};

WindowViews windowViews(Ui::MainWindow1 *ui);

#endif

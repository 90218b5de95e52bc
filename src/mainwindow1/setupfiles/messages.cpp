// What the user is told when a kit file is refused or a save's sounds cannot
// be gathered.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/kitusage.h"
#include "setup/loadnotices.h"
#include "widgets/dialogs/uiprompter.h"

using setupfiles::CollectError;
using setupfiles::LoadError;

void MainWindow1::reportLoadError(LoadError error, const QString &path, bool wholeSetup)
{
    if (error == LoadError::None)
        return;
    setupjob::Result shown;
    shown.notices.append(setupjob::loadErrorNotice(error, path, wholeSetup));
    setupflow::showNotices(this, shown);
}

void MainWindow1::reportCollectError(const CollectError &error)
{
    setupjob::Notice notice;
    if (savejob::collectErrorNotice(error, doc().kitAttrList(), setupflow::saveHooks(this), notice))
        setupflow::showNotices(this, {notice});
}

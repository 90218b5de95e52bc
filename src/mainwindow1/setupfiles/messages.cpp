// What the user is told when a kit file is refused or a save's sounds cannot
// be gathered.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"

using setupfiles::CollectError;
using setupfiles::LoadError;

void MainWindow1::reportLoadError(LoadError error, const QString &path, bool wholeSetup)
{
    UiPrompter *p = UiPrompter::instance();
    switch (error) {
    case LoadError::None:
        return;
    case LoadError::TooLarge:
        p->warning(this, tr("Error"),
                   wholeSetup ? tr("The file size exceeds 4GB, import failed.")
                              : tr("The file size exceeds 4GB, import failed. "),
                   QMessageBox::Ok);
        return;
    case LoadError::CannotOpen:
        p->warning(this, wholeSetup ? tr("Warning") : tr("Error"), tr("Fail to read file, import failed."),
                   QMessageBox::Ok);
        return;
    case LoadError::DataError:
        p->warning(this, tr("Error"), path + QLatin1Char(':') + tr("File data error!"), QMessageBox::Yes);
        return;
    case LoadError::OldLayout:
        p->warning(this, tr("Tip"), tr("The imported kit file version is outdated. Please import new version file."),
                   QMessageBox::Ok);
        return;
    case LoadError::SoundOpen:
        p->warning(this, tr("Error"), tr("Open sound file error."), QMessageBox::Ok);
        return;
    case LoadError::SoundFormat:
        p->warning(this, tr("Error"),
                   tr("Sound data format error, import failed.") + QLatin1String("\r\n") + tr("File location: ")
                           + path,
                   QMessageBox::Ok);
        return;
    case LoadError::TooManySounds:
        p->warning(this, tr("Warning"), tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
        return;
    }
}

void MainWindow1::reportCollectError(const CollectError &error)
{
    setupjob::Notice notice;
    if (savejob::collectErrorNotice(error, doc().kitAttrList, setupflow::saveHooks(this), notice))
        setupflow::showNotices(this, {notice});
}

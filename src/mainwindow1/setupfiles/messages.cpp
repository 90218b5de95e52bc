// What the user is told when a kit file is refused, a save's sounds cannot be
// gathered or its file cannot be written.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/kitusage.h"
#include "setup/loadnotices.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QGroupBox>

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
    UiPrompter *p = UiPrompter::instance();
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    switch (error.kind) {
    case CollectError::None:
    case CollectError::RawFailed: // the conversion has told the user
        return;
    case CollectError::ClickCount:
        p->warning(this, tr("Warning"), tr("The number of Click sound must be 5."), QMessageBox::Ok);
        return;
    case CollectError::ClickNotLoaded:
        p->information(this, tr("Error"), tr("File error!") + QStringLiteral("\r\nError:0011"), QMessageBox::Ok);
        return;
    case CollectError::EntryMissing:
        p->information(this, tr("Error"), tr("File error!") + QStringLiteral("\r\nError:0012"), QMessageBox::Ok);
        return;
    case CollectError::NotLoadedWhole:
        text = tr("There is an error with the sound file path for Kit. ") + QString::number(error.number);
        break;
    case CollectError::NotLoadedKit:
        text = tr("There is an error with the sound file path for Kit ") + QString::number(error.number);
        break;
    case CollectError::Modified:
        text = error.kitWording
                       ? tr("The file has been modified. Export failed.") + crlf + tr("Please check path:") + error.path
                       : tr("Please check path:") + tr("The file has been modified. Export failed.") + crlf
                                 + error.path;
        break;
    case CollectError::OpenFailed:
        text = tr("Open file error.");
        break;
    case CollectError::SoundMissing:
        text = tr("Please check path:") + error.name + tr(" does not exist.") + crlf + error.path;
        break;
    case CollectError::KitFileMissing:
        text = tr("File error:") + error.path;
        break;
    case CollectError::TooLarge:
        text = tr("The file size exceeds 4GB, save failed.");
        break;
    case CollectError::SlotMissing: {
        // The slot as the pages name it: a pad and its layer, or a hi-hat slot.
        const int layer = error.slot - HH_NUM_MAX;
        const QString slot = layer < 0 ? hhWidgetGroup[qMax(error.slot, 0)].group->title().trimmed()
                                       : ui->padNoComboBox->itemText(layer / 2)
                                                 + QLatin1String(layer % 2 ? " B" : " A");
        text = tr("A pad's sound is not in the sound list, so the file is not saved:") + crlf
               + QStringLiteral("Kit %1 %2: ").arg(error.number).arg(slot)
               + (error.name.isEmpty() ? error.path : error.name);
        break;
    }
    case CollectError::ConvertFailed: {
        if (rawFailureTold) // the conversion named a cause that is not the sound's
            return;
        QStringList kits;
        for (int kit : kitusage::kitsUsing(doc().kitAttrList, error.path))
            kits.append(QString::number(kit));
        text = tr("A sound cannot be converted, so the file is not saved:") + crlf + error.name + crlf + error.path;
        if (!kits.isEmpty())
            text += crlf + tr("Used by Kit ") + kits.join(QStringLiteral("、"));
        break;
    }
    }
    p->warning(this, tr("Error"), text, QMessageBox::Ok);
}

namespace setupflow {

QString notAFileText()
{
    return MainWindow1::tr("The target is not a regular file (a folder, pipe or device), so nothing is saved:");
}

QString notWrittenText(const QString &file, const QString &reason)
{
    const QString crlf = QStringLiteral("\r\n");
    return MainWindow1::tr("The file could not be written:") + crlf + QDir::toNativeSeparators(file) + crlf + reason;
}

QString notReadBackText()
{
    return MainWindow1::tr("The written file does not read back as a kit file, so it is not saved:");
}

QString soundFileText()
{
    return MainWindow1::tr("A sound of the library, a group or the metronome comes from this file, so nothing is "
                           "saved:");
}

} // namespace setupflow

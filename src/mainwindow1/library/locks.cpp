// Locking and unlocking sounds, and renumbering the working sound list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"
#include "ui_mainwindow1.h"

#include "library/rowselection.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "widgets/dialogs/uiprompter.h"

#include <QItemSelectionModel>
#include <QStandardItemModel>

namespace {

// Sets the lock of the sounds whose numbers the selected rows show.
void setLocks(MainWindow1 *w, bool lock)
{
    const QModelIndexList rows = selectedRowStarts(w->ui->totalWaveTreeView->selectionModel());
    if (rows.isEmpty())
        return;
    if (!w->pad().isUDiskFlag()) {
        UiPrompter::instance()->warning(
                w, MainWindow1::tr("Warning"),
                lock ? MainWindow1::tr("In USB device mode, the sound lock function is not supported")
                     : MainWindow1::tr("In USB device mode, the sound unlock function is not supported"),
                QMessageBox::Ok);
        return;
    }
    // Sound rows only: the root's text is no number.
    const QModelIndex root = w->library().totalListItemModel()->rootIndex();
    QVector<int> rowNumbers;
    for (const QModelIndex &cell : rows) {
        if (cell.parent() == root)
            rowNumbers.append(cell.row());
    }
    w->library().lockSounds(rowNumbers, lock);
}

} // namespace

void MainWindow1::lockSound()
{
    setLocks(this, true);
}

void MainWindow1::unlockSound()
{
    setLocks(this, false);
}

void MainWindow1::on_actionReorder_Serial_Numbers_triggered()
{
    ui->defaultRbtn->setChecked(true);
    on_defaultRbtn_clicked();
    const int count = library().waveLoadKitAttrList().size();
    if (count == 0)
        return;
    const QVector<int> oldNumbers = library().renumberSounds();
    if (!pad().isUDiskFlag())
        padpane::updateWavePrmAndData(this, count, oldNumbers);
    showTotalRows(soundorder::stored(library().waveLoadKitAttrList()), false);
}

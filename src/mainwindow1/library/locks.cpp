// Locking and unlocking sounds, and renumbering the working sound list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padpane.h"
#include "ui_mainwindow1.h"

#include "library/rowselection.h"
#include "library/soundorder.h"
#include "widgets/dialogs/uiprompter.h"

#include <QHash>
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
    QHash<quint16, int> byNumber;
    for (int i = w->library().waveLoadKitAttrList.size() - 1; i >= 0; --i)
        byNumber.insert(w->library().waveLoadKitAttrList.at(i).wave_No, i);
    for (const QModelIndex &cell : rows) {
        bool ok = false;
        const int number = cell.data().toString().toInt(&ok);
        const int record = ok && number >= 0 && number <= 0xFFFF ? byNumber.value(quint16(number), -1) : -1;
        if (record < 0)
            continue;
        if (QStandardItem *item = w->library().totalListItemModel->itemFromIndex(cell))
            item->setIcon(lock ? QIcon(QStringLiteral(":/images/lock.png")) : QIcon(QString()));
        w->library().waveLoadKitAttrList[record].wave_lock = lock ? 0 : 1;
    }
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
    const int count = library().waveLoadKitAttrList.size();
    if (count == 0)
        return;
    QVector<int> oldNumbers;
    if (!pad().isUDiskFlag()) {
        oldNumbers.reserve(count);
        for (const SOUND_INDEX &s : qAsConst(library().waveLoadKitAttrList))
            oldNumbers.append(s.wave_No);
    }
    for (int i = 0; i < count; ++i)
        library().waveLoadKitAttrList[i].wave_No = quint16(i + 1);
    if (!pad().isUDiskFlag())
        padpane::updateWavePrmAndData(this, count, oldNumbers);
    showTotalRows(soundorder::stored(library().waveLoadKitAttrList), false);
}

// Locking and unlocking sounds, and renumbering the working sound list.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/rowselection.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"

#include <QRadioButton>
#include "device/padsession.h"
#include "library/soundlibrary.h"

// Sets the lock of the sounds whose numbers the selected rows show.
void SoundListsController::lockSelected(bool lock)
{
    const QModelIndexList rows = selectedRowStarts(m_view.totalWaveTreeView->selectionModel());
    if (rows.isEmpty())
        return;
    if (!m_pad.isUDiskFlag()) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           lock ? WindowTexts::tr("In USB device mode, the sound lock function is not supported")
                                : WindowTexts::tr("In USB device mode, the sound unlock function is not supported"),
                           QMessageBox::Ok);
        return;
    }
    // Sound rows only: the root's text is no number.
    const QModelIndex root = m_lib.totalListItemModel()->rootIndex();
    QVector<int> rowNumbers;
    for (const QModelIndex &cell : rows) {
        if (cell.parent() == root)
            rowNumbers.append(cell.row());
    }
    m_lib.lockSounds(rowNumbers, lock);
}

void SoundListsController::reorderSerialNumbers()
{
    m_view.defaultRbtn->setChecked(true);
    showStoredOrder();
    const int count = m_lib.waveLoadKitAttrList().size();
    if (count == 0)
        return;
    const QVector<int> oldNumbers = m_lib.renumberSounds();
    if (!m_pad.isUDiskFlag())
        emit soundsRenumbered(count, oldNumbers);
    showTotalRows(soundorder::stored(m_lib.waveLoadKitAttrList()), false);
}

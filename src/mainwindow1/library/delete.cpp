// Deleting sounds from the total list (offline at once, on the pad through
// the device queue) and groups or sounds from the group tree.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/kitusage.h"
#include "library/rowselection.h"
#include "library/soundlistmodel.h"
#include "library/soundsource.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDebug>
#include <QDir>
#include <QHash>
#include <QItemSelectionModel>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// A deletion's box serves no events as it moves in its first seconds, as
// progress boxes do by default.
constexpr int kQuietMs = 4000;

bool byRowDescending(const QModelIndex &a, const QModelIndex &b)
{
    return a.row() > b.row();
}

// Why a sound in use cannot go: the kits holding it on pads, then those
// holding it only in hi-hat slots, and where to clear it.
QString inUseText(const QString &name, const QVector<int> &kits, int onPads)
{
    auto joined = [&kits](int from, int to) {
        QStringList numbers;
        for (int i = from; i < to; ++i)
            numbers.append(QString::number(kits.at(i)));
        return numbers.join(QStringLiteral("、"));
    };
    const QString crlf = QStringLiteral("\r\n");
    QString text = name;
    if (onPads > 0)
        text += WindowTexts::tr(" exists in Kit ") + joined(0, onPads);
    if (onPads < kits.size()) {
        text += onPads > 0 ? WindowTexts::tr(", and in the hi-hat slots of Kit ")
                           : WindowTexts::tr(" exists in the hi-hat slots of Kit ");
        text += joined(onPads, kits.size());
    }
    text += crlf + WindowTexts::tr("Deleting the sound is not supported.");
    if (onPads > 0)
        text += crlf + WindowTexts::tr("Please clear the sound on the pad.");
    if (onPads < kits.size())
        text += crlf + WindowTexts::tr("Please clear the sound in the hi-hat slots on the Pad Settings page.");
    return text;
}

QString pathOf(const QModelIndex &row)
{
    return QDir::toNativeSeparators(row.sibling(row.row(), 2).data().toString());
}

// The window-modal progress of a deletion on the pad, without a cancel button.
JobDialog *newDeleteProgress(QWidget *parent, int units)
{
    JobDialog *dialog = JobDialog::stepBox(parent, QString(), WindowTexts::tr("Deleting sound file......"));
    dialog->setMinimumDuration(kQuietMs);
    dialog->setRange(0, units);
    dialog->show();
    return dialog;
}

// The last sound row, or the root when none is left, as the only selected
// and current row; also when that row has no item in its first cell.
void selectLastRow(QItemSelectionModel *selection, const SoundListModel *total)
{
    const int left = total->soundCount();
    const QModelIndex current = left > 0 ? total->soundIndex(left - 1) : total->rootIndex();
    selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A row to delete: its place, its sound's path and number.
struct Pick
{
    int row;
    QString path;
    quint16 number;
};

// True when a row's sound is locked.
bool anyLocked(const QModelIndexList &rows, const QVector<MainWindow1Records::SOUND_INDEX> &records)
{
    QSet<QString> locked;
    for (const MainWindow1Records::SOUND_INDEX &s : records) {
        if (s.wave_lock == 0)
            locked.insert(s.file);
    }
    for (const QModelIndex &row : rows) {
        if (locked.contains(pathOf(row)))
            return true;
    }
    return false;
}

// Why the selection cannot go, from the last row selected: the root row, or
// a sound that a kit uses. No text when every row may go.
struct Refusal
{
    bool root = false;
    QString text;
};
Refusal refusalOf(const QModelIndexList &rows, const QSet<QString> &used, const QVector<MainWindow1Records::soundKit> &kits)
{
    for (int k = rows.size() - 1; k >= 0; --k) {
        const QModelIndex &row = rows.at(k);
        if (!row.parent().isValid())
            return {true, WindowTexts::tr("Deleting sound group is not supported!")};
        const QString path = pathOf(row);
        if (used.contains(path)) {
            qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "=====存在打击垫=====";
            int onPads = 0;
            const QVector<int> using_ = kitusage::kitsUsing(kits, path, &onPads);
            return {false, inUseText(row.sibling(row.row(), 1).data().toString(), using_, onPads)};
        }
    }
    return {};
}

} // namespace

void SoundListsController::deleteSelectedSounds()
{
    QWidget *const w = m_parent;
    QModelIndexList rows = selectedRowStarts(m_view.totalWaveTreeView->selectionModel());
    if (rows.isEmpty())
        return;
    const bool deviceMode = !m_pad.isUDiskFlag();

    if (anyLocked(rows, m_lib.waveLoadKitAttrList())) {
        m_prompter.warning(w, WindowTexts::tr("Warning"), WindowTexts::tr("Deleting locked sound is not supported!"),
                           QMessageBox::Ok);
        return;
    }

    // Sounds deleted on the pad are gone from it: no step brings them back.
    const editstep::Recorder::Paused onThePad(deviceMode ? m_lib.recorder() : nullptr);
    m_delProgressValue = 0;
    if (deviceMode) {
        // The new dialog replaces the one of an earlier deletion.
        if (m_delDialog)
            m_delDialog->deleteLater();
        m_delDialog = newDeleteProgress(w, 2 * rows.size());
    }
    auto closeDialog = [this]() { closeDeleteProgress(); };

    // One set of the paths the kits use for the whole selection.
    const QVector<QString> usedFiles = m_lib.getSoundFileList(m_doc.kitAttrList());
    const Refusal refused = refusalOf(rows, QSet<QString>(usedFiles.cbegin(), usedFiles.cend()), m_doc.kitAttrList());
    if (!refused.text.isEmpty()) {
        if (deviceMode)
            closeDialog();
        if (refused.root)
            m_prompter.information(w, WindowTexts::tr("Tip"), refused.text, QMessageBox::Ok);
        else
            m_prompter.warning(w, WindowTexts::tr("Warning"), refused.text, QMessageBox::Ok);
        return;
    }

    // Each row takes the first record of its path not taken yet; the records
    // then go in one pass.
    QHash<QString, QVector<int>> recordsOf;
    for (int i = 0; i < m_lib.waveLoadKitAttrList().size(); ++i)
        recordsOf[m_lib.waveLoadKitAttrList().at(i).file].append(i);
    QHash<QString, int> taken;
    QVector<bool> removeRecord(m_lib.waveLoadKitAttrList().size(), false);
    std::sort(rows.begin(), rows.end(), byRowDescending);
    // What the rows hold, read before any event runs.
    QVector<Pick> picks;
    for (const QModelIndex &row : qAsConst(rows))
        picks.append({row.row(), pathOf(row), quint16(row.sibling(row.row(), 0).data().toString().toInt())});
    QItemSelectionModel *selection = m_view.totalWaveTreeView->selectionModel();
    if (!deviceMode) {
        // The rows go one by one; the selection is set anew at the end.
        const QSignalBlocker quiet(selection);
        selection->clearSelection();
    }
    QVector<int> goneRows;
    QVector<Pick> forThePad; // queued with their records, after the events below
    for (const Pick &pick : qAsConst(picks)) {
        const auto records = recordsOf.constFind(pick.path);
        int &next = taken[pick.path];
        if (records != recordsOf.constEnd() && next < records->size()) {
            removeRecord[records->at(next++)] = true;
            if (deviceMode)
                forThePad.append(pick);
        }
        if (deviceMode) {
            ++m_delProgressValue;
            if (m_delDialog)
                m_delDialog->move(m_delProgressValue);
        } else {
            goneRows.append(pick.row);
            m_total_index = 0;
        }
    }
    // On the pad, a record whose pair stays there comes back (completeDeleteBatch).
    const QVector<QPair<int, MainWindow1Records::SOUND_INDEX>> takenRecords = m_lib.removeSounds(goneRows, removeRecord);
    // Offline the records go for good; a batch still running keeps its own.
    if (deviceMode) {
        for (const Pick &pick : qAsConst(forThePad))
            m_pad.queueDelete(pick.path, pick.number);
        m_pad.keepDeletedRecords(takenRecords);
        if (forThePad.isEmpty()) {
            // Nothing for the pad: no worker would ever close the dialog.
            closeDialog();
            return;
        }
        emit padDeleteQueued();
        return;
    }
    selectLastRow(selection, m_lib.totalListItemModel());
}

void SoundListsController::deleteSoundsOfFiles(const QSet<QString> &paths)
{
    QItemSelectionModel *selection = m_view.totalWaveTreeView->selectionModel();
    const SoundListModel *total = m_lib.totalListItemModel();
    QItemSelection rows;
    for (int row = 0; row < total->soundCount(); ++row) {
        if (paths.contains(QDir::toNativeSeparators(total->soundText(row, 2))))
            rows.select(total->soundIndex(row), total->soundIndex(row));
    }
    if (rows.isEmpty())
        return;
    selection->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    deleteSelectedSounds();
}

void SoundListsController::deleteFromGroups()
{
    QWidget *const w = m_parent;
    const QModelIndexList rows = selectedRowStarts(m_view.waveGroupTreeView->selectionModel());
    if (rows.isEmpty())
        return;
    const QString defaultGroup = QStringLiteral("Default");

    QVector<int> groupRows;                 // group rows to delete
    QVector<QPair<int, QVector<int>>> sounds; // group row, its selected sound rows
    for (const QModelIndex &row : rows) {
        if (row.parent().isValid()) {
            const QString file = row.sibling(row.row(), 1).data().toString();
            if (soundsource::isStored(file)) {
                m_prompter.information(w, WindowTexts::tr("Tip"),
                                       WindowTexts::tr("Deleting pkit file is not supported!"), QMessageBox::Ok);
                return;
            }
            const int g = row.parent().row();
            auto it = std::find_if(sounds.begin(), sounds.end(), [g](const auto &s) { return s.first == g; });
            if (it == sounds.end())
                sounds.append({g, {row.row()}});
            else
                it->second.append(row.row());
        } else if (row.data().toString() == defaultGroup) {
            m_prompter.warning(w, WindowTexts::tr("Warning"),
                               WindowTexts::tr("Deleting the 'Default' group is not supported."), QMessageBox::Ok);
            if (rows.size() == 1)
                return;
        } else {
            groupRows.append(row.row());
        }
    }
    if (m_prompter.warning(w, WindowTexts::tr("Delete"), WindowTexts::tr("Are you sure to delete it?"),
                           QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;

    m_lib.deleteFromGroups(groupRows, sounds);
}

void SoundListsController::recvDelProgress(int value)
{
    m_delProgressValue += value;
    if (m_delDialog && m_delProgressValue < m_delDialog->maximum())
        m_delDialog->move(m_delProgressValue);
}

void SoundListsController::fillDeleteProgress()
{
    if (m_delDialog)
        m_delDialog->move(m_delDialog->maximum());
}

void SoundListsController::closeDeleteProgress()
{
    if (m_delDialog) {
        m_delDialog->close();
        m_delDialog->hide();
    }
}

void SoundListsController::hideDeleteProgress()
{
    if (m_delDialog)
        m_delDialog->hide();
}

// The orders of the total list, the order file, the backup flag and the
// kit-by-kit list of sound uses.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "ui_mainwindow1.h"

#include "library/kitusage.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "platform/durablefile.h"
#include "platform/replacefile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QItemSelectionModel>
#include <QSet>
#include <QStandardItemModel>
#include <QStandardPaths>

namespace {

// Keeps the working lists of an order: the keys and the files of its rows.
void keepWorkingLists(MainWindow1 *w, const QVector<soundorder::Row> &rows)
{
    w->setupFiles().clearWorkingLists();
    for (const soundorder::Row &row : rows)
        w->setupFiles().addWorkingRow(row.name + QLatin1Char('*') + QString::number(row.number), row.file);
}

} // namespace

void MainWindow1::showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable)
{
    // On the pad a name is set once: its cell is read-only from the start.
    library().showSounds(rows, itemEditable, pad().isUDiskFlag());
    connectSoundListSelections();
}

void MainWindow1::connectSoundListSelections()
{
    // A new model brings a new selection model; each is adapted once.
    const char adapted[] = "ztSelectionAdapted";
    QItemSelectionModel *total = ui->totalWaveTreeView->selectionModel();
    if (total && !total->property(adapted).toBool()) {
        total->setProperty(adapted, true);
        connect(total, &QItemSelectionModel::selectionChanged, this,
                [this]() { selectItemChanged(ui->totalWaveTreeView->currentIndex()); });
    }
    QItemSelectionModel *mirror = ui->soundListTreeView->selectionModel();
    if (mirror && !mirror->property(adapted).toBool()) {
        mirror->setProperty(adapted, true);
        connect(mirror, &QItemSelectionModel::selectionChanged, this,
                [this]() { leftHHSelectItemChanged(ui->soundListTreeView->currentIndex()); });
    }
}

void MainWindow1::on_defaultRbtn_clicked()
{
    showTotalRows(soundorder::stored(library().waveLoadKitAttrList()), true);
}

void MainWindow1::on_kitRbtn_clicked()
{
    const QVector<soundorder::Row> rows = soundorder::byKitUse(library().waveLoadKitAttrList(), doc().kitAttrList());
    keepWorkingLists(this, rows);
    showTotalRows(rows, false);
}

void MainWindow1::on_upRbtn_clicked()
{
    const QVector<soundorder::Row> rows = soundorder::byName(library().waveLoadKitAttrList(), true);
    keepWorkingLists(this, rows);
    showTotalRows(rows, false);
}

void MainWindow1::on_DownRbtn_clicked()
{
    const QVector<soundorder::Row> rows = soundorder::byName(library().waveLoadKitAttrList(), false);
    keepWorkingLists(this, rows);
    showTotalRows(rows, false);
}

void MainWindow1::on_customRbtn_clicked()
{
    // Hidden; checked only by an order file import.
}

void MainWindow1::on_rbtBack_clicked()
{
    setupFiles().markBackup(ui->rbtBack->isChecked());
}

void MainWindow1::on_btnExportRightWave_clicked()
{
    UiPrompter *prompter = UiPrompter::instance();
    const SoundListModel *total = library().totalListItemModel();
    if (total->soundCount() == 0) {
        prompter->warning(this, tr("Warning"), tr("Sound list can not be blank while performing an export operation."),
                          QMessageBox::Ok);
        return;
    }
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString path = desktop + QStringLiteral("/wave_sort.txt");
    QStringList names;
    for (int r = 0; r < total->soundCount(); ++r)
        names.append(total->soundText(r, 1));
    const QByteArray bytes = soundorder::orderFile(names);
    // An earlier list is replaced whole, or stays as it was.
    ztplatform::ReplaceFile file(path);
    if (!ztplatform::makePath(desktop) || !file.open() || !file.write(bytes) || !file.commit()) {
        prompter->warning(this, tr("Warning"), tr("Open file error."), QMessageBox::Ok);
        return;
    }
    prompter->information(this, tr("successfully exported."), tr("File Location:") + QStringLiteral("\r\n") + path,
                          QMessageBox::Ok);
}

void MainWindow1::on_btnImportRightWave_clicked()
{
    UiPrompter *prompter = UiPrompter::instance();
    const int rowCount = library().totalListItemModel()->soundCount();
    if (rowCount == 0) {
        prompter->warning(this, tr("Warning"),
                          tr("MY SOUND LIST can not be blank while performing an import operation."), QMessageBox::Ok);
        return;
    }
    setupFiles().clearWorkingLists();
    const QString path = prompter->getOpenFileName(this, tr("Select the wave sort txt file."), QStringLiteral(" "),
                                                   QStringLiteral("txt(*.txt)"));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        prompter->warning(this, tr("Warning"), tr("Open file error."), QMessageBox::Ok);
        return;
    }
    const QStringList names = soundorder::orderNames(file.readAll());
    file.close();
    QVector<soundorder::Row> rows;
    switch (soundorder::matchNames(names, library().waveLoadKitAttrList(), rowCount, &rows)) {
    case soundorder::Match::CountDiffers:
        prompter->warning(this, tr("Error"),
                          tr("The number of waves in the imported file is not equal to sound list. Import failed!"),
                          QMessageBox::Ok);
        return;
    case soundorder::Match::NameMissing:
        prompter->warning(this, tr("Error"), tr("Unable to find sound information in the sound list. Import failed!"),
                          QMessageBox::Ok);
        return;
    case soundorder::Match::Ok:
        break;
    }
    keepWorkingLists(this, rows);
    showTotalRows(rows, false);
    ui->customRbtn->setChecked(true);
}

void librarypane::generateKitOrder(MainWindow1 *w)
{
    const QVector<MainWindow1::SOUND_INDEX> &sounds = w->library().waveLoadKitAttrList();
    QHash<QString, int> firstRecord;
    for (int i = sounds.size() - 1; i >= 0; --i)
        firstRecord.insert(sounds.at(i).file, i);
    w->setupFiles().clearRemaining();
    QSet<QString> remaining;
    QVector<SoundLibrary::KitOrderGroup> groups;
    const int kits = qMin(w->doc().kitAttrList().size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        w->setupFiles().clearWorkingLists();
        const QVector<kitusage::Use> uses = kitusage::kitUses(w->doc().kitAttrList().at(k));
        for (const kitusage::Use &use : uses) {
            if (!remaining.contains(use.file)) {
                remaining.insert(use.file);
                w->setupFiles().addRemaining(use.file);
            }
            w->setupFiles().addWorkingRow(use.name, use.label + use.file);
        }
        if (uses.isEmpty())
            continue;
        SoundLibrary::KitOrderGroup group{w->doc().kitAttrList().at(k).kit_name, {}};
        for (int i = 0; i < w->setupFiles().totalFileList().size(); ++i) {
            const QString path = w->setupFiles().totalFileList().at(i).mid(3);
            const int record = firstRecord.value(path, -1);
            const MainWindow1::SOUND_INDEX *s = record >= 0 ? &sounds.at(record) : nullptr;
            group.rows.append({w->setupFiles().totalFileList().at(i).left(3),
                               s ? QString::number(s->wave_No) : QString(), w->setupFiles().totalList().at(i), path,
                               s && s->wave_lock == 0});
        }
        groups.append(group);
    }
    if (sounds.size() != w->setupFiles().remainingList().size()) {
        SoundLibrary::KitOrderGroup unassigned{MainWindow1::tr("Unassign"), {}};
        for (const MainWindow1::SOUND_INDEX &s : sounds) {
            if (!remaining.contains(s.file))
                unassigned.rows.append(
                        {QString(), QString::number(s.wave_No), soundorder::soundName(s), s.file, s.wave_lock == 0});
        }
        groups.append(unassigned);
    }
    w->library().appendKitOrder(groups);
}

// The orders of the total list, the order file and the kit-by-kit list of
// sound uses.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "history/pagepart.h"
#include "library/kitusage.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "platform/durablefile.h"
#include "platform/replacefile.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QSet>
#include <QStandardItemModel>
#include <QStandardPaths>

// Keeps the working lists of an order: the keys and the files of its rows.
void SoundListsController::keepWorkingLists(const QVector<soundorder::Row> &rows)
{
    m_totalList.clear();
    m_totalFileList.clear();
    for (const soundorder::Row &row : rows) {
        m_totalList.append(row.name + QLatin1Char('*') + QString::number(row.number));
        m_totalFileList.append(row.file);
    }
}

void SoundListsController::keepOrderLists(const QStringList &totalList, const QStringList &totalFileList,
                                          const QStringList &remainingList)
{
    m_totalList = totalList;
    m_totalFileList = totalFileList;
    m_remainingList = remainingList;
}

void SoundListsController::showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable)
{
    // On the pad a name is set once: its cell is read-only from the start.
    m_lib.showSounds(rows, itemEditable, m_pad.isUDiskFlag());
    connectSoundListSelections();
}

void SoundListsController::connectSoundListSelections()
{
    // A new model brings a new selection model; each is adapted once.
    const char adapted[] = "ztSelectionAdapted";
    QItemSelectionModel *total = m_view.totalWaveTreeView->selectionModel();
    if (total && !total->property(adapted).toBool()) {
        total->setProperty(adapted, true);
        connect(total, &QItemSelectionModel::selectionChanged, this,
                [this]() { totalListSelection(m_view.totalWaveTreeView->currentIndex(), false); });
    }
    QItemSelectionModel *mirror = m_view.soundListTreeView->selectionModel();
    if (mirror && !mirror->property(adapted).toBool()) {
        mirror->setProperty(adapted, true);
        connect(mirror, &QItemSelectionModel::selectionChanged, this,
                [this]() { emit mirrorSelectionChanged(m_view.soundListTreeView->currentIndex()); });
    }
}

namespace {

QList<QWidget *> orderButtons(const SoundListsView &v)
{
    return {v.defaultRbtn, v.upRbtn, v.DownRbtn, v.kitRbtn, v.customRbtn};
}

editstep::Place soundsPlace()
{
    editstep::Place place;
    place.page = editstep::Place::Sounds;
    return place;
}

} // namespace

void SoundListsController::noteOrderShown()
{
    m_orderShown = PagePart::valuesOf(orderButtons(m_view));
}

void SoundListsController::keepOrderButtons()
{
    if (editstep::Recorder *recorder = m_lib.recorder()) {
        const QString key = QStringLiteral("order buttons");
        recorder->touch(key, [&] { return std::make_unique<PagePart>(key, orderButtons(m_view), m_orderShown); });
    }
}

void SoundListsController::showStoredOrder()
{
    const editstep::Recorder::Scope step(m_lib.recorder(), WindowTexts::tr("order of the sound list"), QString(),
                                         soundsPlace());
    keepOrderButtons();
    showTotalRows(soundorder::stored(m_lib.waveLoadKitAttrList()), true);
    noteOrderShown();
}

void SoundListsController::showKitUseOrder()
{
    const editstep::Recorder::Scope step(m_lib.recorder(), WindowTexts::tr("order of the sound list"), QString(),
                                         soundsPlace());
    keepOrderButtons();
    const QVector<soundorder::Row> rows = soundorder::byKitUse(m_lib.waveLoadKitAttrList(), m_doc.kitAttrList());
    keepWorkingLists(rows);
    showTotalRows(rows, false);
    noteOrderShown();
}

void SoundListsController::showNameOrder(bool ascending)
{
    const editstep::Recorder::Scope step(m_lib.recorder(), WindowTexts::tr("order of the sound list"), QString(),
                                         soundsPlace());
    keepOrderButtons();
    const QVector<soundorder::Row> rows = soundorder::byName(m_lib.waveLoadKitAttrList(), ascending);
    keepWorkingLists(rows);
    showTotalRows(rows, false);
    noteOrderShown();
}

void SoundListsController::reapplySoundOrder()
{
    if (m_view.defaultRbtn->isChecked())
        showStoredOrder();
    else if (m_view.upRbtn->isChecked())
        showNameOrder(true);
    else if (m_view.DownRbtn->isChecked())
        showNameOrder(false);
    else if (!m_view.customRbtn->isChecked())
        showStoredOrder();
}

bool SoundListsController::defaultOrderChecked() const
{
    return m_view.defaultRbtn->isChecked();
}

bool SoundListsController::kitOrderChecked() const
{
    return m_view.kitRbtn->isChecked();
}

void SoundListsController::checkDefaultOrder()
{
    m_view.defaultRbtn->setChecked(true);
    showStoredOrder();
}

void SoundListsController::showCheckedNameOrder()
{
    if (m_view.upRbtn->isChecked())
        showNameOrder(true);
    if (m_view.DownRbtn->isChecked())
        showNameOrder(false);
}

void SoundListsController::exportOrder()
{
    QWidget *const w = m_parent;
    const SoundListModel *total = m_lib.totalListItemModel();
    if (total->soundCount() == 0) {
        m_prompter.warning(w, WindowTexts::tr("Warning"),
                           WindowTexts::tr("Sound list can not be blank while performing an export operation."),
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
        m_prompter.warning(w, WindowTexts::tr("Warning"), WindowTexts::tr("Open file error."), QMessageBox::Ok);
        return;
    }
    m_prompter.information(w, WindowTexts::tr("successfully exported."),
                           WindowTexts::tr("File Location:") + QStringLiteral("\r\n") + path, QMessageBox::Ok);
}

void SoundListsController::importOrder()
{
    QWidget *const w = m_parent;
    const int rowCount = m_lib.totalListItemModel()->soundCount();
    if (rowCount == 0) {
        m_prompter.warning(w, WindowTexts::tr("Warning"),
                           WindowTexts::tr("MY SOUND LIST can not be blank while performing an import operation."),
                           QMessageBox::Ok);
        return;
    }
    m_totalList.clear();
    m_totalFileList.clear();
    const QString path = m_prompter.getOpenFileName(w, WindowTexts::tr("Select the wave sort txt file."),
                                                    QStringLiteral(" "), QStringLiteral("txt(*.txt)"));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_prompter.warning(w, WindowTexts::tr("Warning"), WindowTexts::tr("Open file error."), QMessageBox::Ok);
        return;
    }
    const QStringList names = soundorder::orderNames(file.readAll());
    file.close();
    QVector<soundorder::Row> rows;
    switch (soundorder::matchNames(names, m_lib.waveLoadKitAttrList(), rowCount, &rows)) {
    case soundorder::Match::CountDiffers:
        m_prompter.warning(
                w, WindowTexts::tr("Error"),
                WindowTexts::tr("The number of waves in the imported file is not equal to sound list. Import failed!"),
                QMessageBox::Ok);
        return;
    case soundorder::Match::NameMissing:
        m_prompter.warning(w, WindowTexts::tr("Error"),
                           WindowTexts::tr("Unable to find sound information in the sound list. Import failed!"),
                           QMessageBox::Ok);
        return;
    case soundorder::Match::Ok:
        break;
    }
    keepWorkingLists(rows);
    showTotalRows(rows, false);
    m_view.customRbtn->setChecked(true);
}

void SoundListsController::generateKitOrder()
{
    const QVector<MainWindow1Records::SOUND_INDEX> &sounds = m_lib.waveLoadKitAttrList();
    QHash<QString, int> firstRecord;
    for (int i = sounds.size() - 1; i >= 0; --i)
        firstRecord.insert(sounds.at(i).file, i);
    m_remainingList.clear();
    QSet<QString> remaining;
    QVector<SoundLibrary::KitOrderGroup> groups;
    const int kits = qMin(m_doc.kitAttrList().size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kits; ++k) {
        const QVector<kitusage::Use> uses = kitusage::kitUses(m_doc.kitAttrList().at(k));
        if (uses.isEmpty())
            continue;
        SoundLibrary::KitOrderGroup group{m_doc.kitAttrList().at(k).kit_name, {}};
        for (const kitusage::Use &use : uses) {
            if (!remaining.contains(use.file)) {
                remaining.insert(use.file);
                m_remainingList.append(use.file);
            }
            const QString entry = use.label + use.file;
            const QString path = entry.mid(3);
            const int record = firstRecord.value(path, -1);
            const MainWindow1Records::SOUND_INDEX *s = record >= 0 ? &sounds.at(record) : nullptr;
            group.rows.append({entry.left(3), s ? QString::number(s->wave_No) : QString(), use.name, path,
                               s && s->wave_lock == 0});
        }
        groups.append(group);
    }
    if (sounds.size() != remaining.size()) {
        SoundLibrary::KitOrderGroup unassigned{WindowTexts::tr("Unassign"), {}};
        for (const MainWindow1Records::SOUND_INDEX &s : sounds) {
            if (!remaining.contains(s.file))
                unassigned.rows.append(
                        {QString(), QString::number(s.wave_No), soundorder::soundName(s), s.file, s.wave_lock == 0});
        }
        groups.append(unassigned);
    }
    m_lib.appendKitOrder(groups);
}

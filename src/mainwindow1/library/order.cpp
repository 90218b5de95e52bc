// The orders of the total list and the order file.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "history/pagepart.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "platform/durablefile.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QStandardPaths>

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
    showTotalRows(rows, false);
    noteOrderShown();
}

void SoundListsController::showNameOrder(bool ascending)
{
    const editstep::Recorder::Scope step(m_lib.recorder(), WindowTexts::tr("order of the sound list"), QString(),
                                         soundsPlace());
    keepOrderButtons();
    const QVector<soundorder::Row> rows = soundorder::byName(m_lib.waveLoadKitAttrList(), ascending);
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
    ztplatform::ReplaceFile file(path, m_lib.leftovers());
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
    const QString path = m_prompter.getOpenFileName(w, WindowTexts::tr("Select the wave sort txt file."),
                                                    QStringLiteral(" "), QStringLiteral("txt(*.txt)"));
    ztplatform::sysio::SeamFile file(&ztplatform::diskOf(m_lib.fence()));
    if (path.isEmpty() || !ztplatform::openRegularFile(path, file, false)) {
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
    showTotalRows(rows, false);
    m_view.customRbtn->setChecked(true);
}

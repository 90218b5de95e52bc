// The sound library's item models: total list, hi-hat mirror, metronome list.
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "ui_mainwindow1.h"

#include "library/soundlistmodel.h"
#include "widgets/mystyle.h"
#include "library/soundlibrary.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>

namespace {

const char kVerticalBar[] = "QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}";
const char kHorizontalBar[] = "QScrollBar::horizontal{height:10px; border:2px; border-radius:2px;}";

void dragOnly(QTreeView *view)
{
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void styleBars(QTreeView *view)
{
    view->verticalScrollBar()->setStyleSheet(QString::fromLatin1(kVerticalBar));
    view->horizontalScrollBar()->setStyleSheet(QString::fromLatin1(kHorizontalBar));
}

// The settings the total list and the hi-hat mirror share.
void soundListView(QTreeView *view, Qt::ScrollBarPolicy horizontal, QStyle *style)
{
    dragOnly(view);
    view->setHorizontalScrollBarPolicy(horizontal);
    styleBars(view);
    view->setAnimated(true);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    if (view->style() != style)
        view->setStyle(style);
}

} // namespace

// The total list's view, each time its rows were made anew (and when it
// showed the kit-by-kit list, back on the total list).
void SoundListsController::showTotalList()
{
    QTreeView *view = m_ui->totalWaveTreeView;
    SoundListModel *model = m_lib.totalListItemModel();
    if (view->model() != model) {
        view->setModel(model);
        connectSoundListSelections();
    }
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row
    view->setColumnHidden(2, true);
    view->setColumnWidth(0, 78);
    view->setColumnWidth(1, 180);
    view->header()->setStretchLastSection(true);
    soundListView(view, Qt::ScrollBarAsNeeded, m_shell->myStyle());
    // The root only: expanding every row would keep an index for each.
    view->expand(model->rootIndex());
    view->repaint();
}

void SoundListsController::showMirrorList()
{
    QTreeView *view = m_ui->soundListTreeView;
    view->setColumnHidden(1, true);
    view->setColumnWidth(0, 165);
    view->header()->setStretchLastSection(false);
    soundListView(view, Qt::ScrollBarAlwaysOn, m_shell->myStyle());
    view->expand(m_lib.hhSoundItemModel()->rootIndex());
    view->repaint();
}

void SoundListsController::showClickList()
{
    QTreeView *view = m_ui->clickWaveTreeView;
    view->setColumnHidden(2, true);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    dragOnly(view);
}

void SoundListsController::setUpSoundViews()
{
    SoundLibrary &lib = m_lib;
    Ui::MainWindow1 *ui = m_ui;
    ui->totalWaveTreeView->setModel(lib.totalListItemModel());
    ui->soundListTreeView->setModel(lib.hhSoundItemModel());
    ui->clickWaveTreeView->setModel(lib.clickListItemModel());
    // The main window handles drops on the lists' areas.
    const QList<QWidget *> dropAreas = {ui->right_stackedWidgetPage1, ui->pedalWidget};
    for (QWidget *area : dropAreas) {
        area->setAcceptDrops(true);
        area->installEventFilter(m_parent);
    }
    // Rows made anew, by the window, a load or a save, are shown the same way.
    connect(lib.totalListItemModel(), &SoundListModel::rebuilt, this, [this] { showTotalList(); });
    connect(lib.hhSoundItemModel(), &SoundListModel::rebuilt, this, [this] { showMirrorList(); });
    connect(lib.clickListItemModel(), &SoundListModel::rebuilt, this, [this] { showClickList(); });
    // Changes the views' own models do not show (the look of rows made anew
    // in place) are drawn when the library tells them.
    connect(&lib, &SoundLibrary::soundsChanged, this, [ui] {
        ui->totalWaveTreeView->viewport()->update();
        ui->soundListTreeView->viewport()->update();
    });
    connect(&lib, &SoundLibrary::groupsChanged, this, [ui] { ui->waveGroupTreeView->viewport()->update(); });
    connect(&lib, &SoundLibrary::clickSoundsChanged, this, [ui] { ui->clickWaveTreeView->viewport()->update(); });
    connect(lib.totalListItemModel(), &QStandardItemModel::itemChanged, this,
            &SoundListsController::renameTotalListSound);
    connect(lib.hhSoundItemModel(), &QStandardItemModel::itemChanged, this, &SoundListsController::renameMirrorSound);
    showTotalList();
    showMirrorList();
    showClickList();
}

void SoundListsController::initTotalItemModel()
{
    m_lib.clearSoundRows();
}

void SoundListsController::initHHListItemModel()
{
    m_lib.clearMirrorRows();
}

void SoundListsController::initClickItemModel()
{
    m_lib.clearClickRows();
    if (m_userFlag)
        importClickSounds();
}

void SoundListsController::initKitTotalItemModel()
{
    QTreeView *view = m_ui->totalWaveTreeView;
    view->setColumnWidth(0, 20);
    view->setColumnWidth(1, 25);
    view->setModel(m_lib.kitOrderItemModel());
    m_lib.clearKitOrder();
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setFocusPolicy(Qt::NoFocus);
    view->header()->setStretchLastSection(false);
    styleBars(view);
    view->setAnimated(true);
    view->setColumnHidden(3, true);
}

void SoundListsController::updateHHsoundList(int row)
{
    m_lib.removeMirrorRow(row);
}

void SoundListsController::updateHHsoundList1()
{
    m_ui->soundListTreeView->reset();
    m_lib.mirrorSoundRows();
}

void SoundListsController::getRightSoundList()
{
    m_lib.noteRowNames();
}

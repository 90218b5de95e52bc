// The views of the sound library's item models: the total list and its hi-hat mirror.
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/soundlistmodel.h"
#include "library/soundlibrary.h"
#include "widgets/listlook.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>

namespace {

const char kVerticalBar[] = "QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}";
const char kHorizontalBar[] = "QScrollBar::horizontal{height:10px; border:2px; border-radius:2px;}";

void styleBars(QTreeView *view)
{
    // Set again, a sheet polishes the bar anew.
    if (view->verticalScrollBar()->styleSheet() != QLatin1String(kVerticalBar))
        view->verticalScrollBar()->setStyleSheet(QString::fromLatin1(kVerticalBar));
    if (view->horizontalScrollBar()->styleSheet() != QLatin1String(kHorizontalBar))
        view->horizontalScrollBar()->setStyleSheet(QString::fromLatin1(kHorizontalBar));
}

// The settings the total list and the hi-hat mirror share.
void soundListView(QTreeView *view, Qt::ScrollBarPolicy horizontal, QStyle *style)
{
    listlook::dragOnly(view);
    view->setHorizontalScrollBarPolicy(horizontal);
    styleBars(view);
    view->setAnimated(true);
    view->setItemsExpandable(true);
    view->setFocusPolicy(Qt::StrongFocus);
    if (view->style() != style)
        view->setStyle(style);
}

// The root opened again once its rows were made anew: at once, as it was
// open before (an animation would first draw the whole list to a picture).
void reopenRoot(QTreeView *view, const QModelIndex &root)
{
    const bool animated = view->isAnimated();
    view->setAnimated(false);
    view->expand(root);
    view->setAnimated(animated);
}

} // namespace

// The total list's view, each time its rows were made anew (and when it
// showed the kit-by-kit list, back on the total list).
void SoundListsController::showTotalList()
{
    QTreeView *view = m_view.totalWaveTreeView;
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
    soundListView(view, Qt::ScrollBarAsNeeded, m_style);
    // The root only: expanding every row would keep an index for each.
    reopenRoot(view, model->rootIndex());
    view->repaint();
}

void SoundListsController::showMirrorList()
{
    QTreeView *view = m_view.soundListTreeView;
    view->setColumnHidden(1, true);
    view->setColumnWidth(0, 165);
    view->header()->setStretchLastSection(false);
    soundListView(view, Qt::ScrollBarAlwaysOn, m_style);
    reopenRoot(view, m_lib.hhSoundItemModel()->rootIndex());
    view->repaint();
}

void SoundListsController::setUpSoundViews()
{
    SoundLibrary &lib = m_lib;
    const SoundListsView &v = m_view;
    v.totalWaveTreeView->setModel(lib.totalListItemModel());
    v.soundListTreeView->setModel(lib.hhSoundItemModel());
    // The main window handles drops on the pane of the setup's sounds.
    v.right_stackedWidgetPage1->setAcceptDrops(true);
    v.right_stackedWidgetPage1->installEventFilter(m_parent);
    // Rows made anew, by the window, a load or a save, are shown the same way.
    connect(lib.totalListItemModel(), &SoundListModel::rebuilt, this, [this] { showTotalList(); });
    connect(lib.hhSoundItemModel(), &SoundListModel::rebuilt, this, [this] { showMirrorList(); });
    // Changes the views' own models do not show (the look of rows made anew
    // in place) are drawn when the library tells them.
    connect(&lib, &SoundLibrary::soundsChanged, this, [v] {
        v.totalWaveTreeView->viewport()->update();
        v.soundListTreeView->viewport()->update();
    });
    connect(&lib, &SoundLibrary::groupsChanged, this, [v] { v.waveGroupTreeView->viewport()->update(); });
    connect(lib.totalListItemModel(), &QStandardItemModel::itemChanged, this,
            &SoundListsController::totalListItemModelChanged);
    connect(lib.hhSoundItemModel(), &QStandardItemModel::itemChanged, this, &SoundListsController::hhListItemModelChanged);
    showTotalList();
    showMirrorList();
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

void SoundListsController::getRightSoundList()
{
    m_lib.noteRowNames();
}

// The sound library's item models: total list, hi-hat mirror, metronome list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "library/soundlistmodel.h"
#include "widgets/mystyle.h"

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

// The total list's view, each time its rows were made anew (and when it
// showed the kit-by-kit list, back on the total list).
void showTotalList(MainWindow1 *w)
{
    QTreeView *view = w->ui->totalWaveTreeView;
    SoundListModel *model = w->library().totalListItemModel();
    if (view->model() != model) {
        view->setModel(model);
        w->connectSoundListSelections();
    }
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row
    view->setColumnHidden(2, true);
    view->setColumnWidth(0, 78);
    view->setColumnWidth(1, 180);
    view->header()->setStretchLastSection(true);
    soundListView(view, Qt::ScrollBarAsNeeded, w->shell().myStyle());
    // The root only: expanding every row would keep an index for each.
    view->expand(model->rootIndex());
    view->repaint();
}

void showMirrorList(MainWindow1 *w)
{
    QTreeView *view = w->ui->soundListTreeView;
    view->setColumnHidden(1, true);
    view->setColumnWidth(0, 165);
    view->header()->setStretchLastSection(false);
    soundListView(view, Qt::ScrollBarAlwaysOn, w->shell().myStyle());
    view->expand(w->library().hhSoundItemModel()->rootIndex());
    view->repaint();
}

void showClickList(MainWindow1 *w)
{
    QTreeView *view = w->ui->clickWaveTreeView;
    view->setColumnHidden(2, true);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    dragOnly(view);
}

} // namespace

void librarypane::setUpSoundViews(MainWindow1 *w)
{
    SoundLibrary &lib = w->library();
    Ui::MainWindow1 *ui = w->ui;
    ui->totalWaveTreeView->setModel(lib.totalListItemModel());
    ui->soundListTreeView->setModel(lib.hhSoundItemModel());
    ui->clickWaveTreeView->setModel(lib.clickListItemModel());
    // The main window handles drops on the lists' areas.
    const QList<QWidget *> dropAreas = {ui->right_stackedWidgetPage1, ui->pedalWidget};
    for (QWidget *area : dropAreas) {
        area->setAcceptDrops(true);
        area->installEventFilter(w);
    }
    // Rows made anew, by the window, a load or a save, are shown the same way.
    QObject::connect(lib.totalListItemModel(), &SoundListModel::rebuilt, w, [w] { showTotalList(w); });
    QObject::connect(lib.hhSoundItemModel(), &SoundListModel::rebuilt, w, [w] { showMirrorList(w); });
    QObject::connect(lib.clickListItemModel(), &SoundListModel::rebuilt, w, [w] { showClickList(w); });
    // Changes the views' own models do not show (the look of rows made anew
    // in place) are drawn when the library tells them.
    QObject::connect(&lib, &SoundLibrary::soundsChanged, w, [ui] {
        ui->totalWaveTreeView->viewport()->update();
        ui->soundListTreeView->viewport()->update();
    });
    QObject::connect(&lib, &SoundLibrary::groupsChanged, w, [ui] { ui->waveGroupTreeView->viewport()->update(); });
    QObject::connect(&lib, &SoundLibrary::clickSoundsChanged, w, [ui] { ui->clickWaveTreeView->viewport()->update(); });
    QObject::connect(lib.totalListItemModel(), &QStandardItemModel::itemChanged, w,
                     &MainWindow1::totalListItemModelChanged);
    QObject::connect(lib.hhSoundItemModel(), &QStandardItemModel::itemChanged, w,
                     &MainWindow1::hhListItemModelChanged);
    showTotalList(w);
    showMirrorList(w);
    showClickList(w);
}

void MainWindow1::initTotalItemModel()
{
    library().clearSoundRows();
}

void MainWindow1::initHHListItemModel()
{
    library().clearMirrorRows();
}

void MainWindow1::initClickItemModel()
{
    library().clearClickRows();
    if (userFlag)
        on_btnImportClickWave_clicked();
}

void librarypane::initKitTotalItemModel(MainWindow1 *w)
{
    QTreeView *view = w->ui->totalWaveTreeView;
    view->setColumnWidth(0, 20);
    view->setColumnWidth(1, 25);
    view->setModel(w->library().kitOrderItemModel());
    w->library().clearKitOrder();
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setFocusPolicy(Qt::NoFocus);
    view->header()->setStretchLastSection(false);
    styleBars(view);
    view->setAnimated(true);
    view->setColumnHidden(3, true);
}

void librarypane::updateHHsoundList(MainWindow1 *w, int row)
{
    w->library().removeMirrorRow(row);
}

void librarypane::updateHHsoundList1(MainWindow1 *w)
{
    w->ui->soundListTreeView->reset();
    w->library().mirrorSoundRows();
}

void MainWindow1::getRightSoundList()
{
    library().noteRowNames();
}

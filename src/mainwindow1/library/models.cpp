// The sound library's item models: total list, hi-hat mirror, metronome list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "widgets/mystyle.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStandardItemModel>

namespace {

const char kVerticalBar[] = "QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}";
const char kHorizontalBar[] = "QScrollBar::horizontal{height:10px; border:2px; border-radius:2px;}";

// Gives the view a new model as its child; the replaced model and selection
// model go once control returns to the event loop.
QStandardItemModel *replaceModel(QTreeView *view)
{
    QAbstractItemModel *oldModel = view->model();
    QItemSelectionModel *oldSelection = view->selectionModel();
    auto *model = new QStandardItemModel(view);
    view->setModel(model);
    if (oldSelection)
        oldSelection->deleteLater();
    if (oldModel && oldModel->parent() == view)
        oldModel->deleteLater();
    return model;
}

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

// The settings the total list and the hi-hat mirror share; the main window
// handles drops on `dropArea`.
void soundListView(QTreeView *view, Qt::ScrollBarPolicy horizontal, QStyle *style, QWidget *dropArea,
                   QObject *filter)
{
    dragOnly(view);
    view->setHorizontalScrollBarPolicy(horizontal);
    styleBars(view);
    view->setAnimated(true);
    view->setItemsExpandable(true);
    view->expandAll();
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(style);
    dropArea->setAcceptDrops(true);
    dropArea->installEventFilter(filter);
}

} // namespace

void MainWindow1::initTotalItemModel()
{
    QTreeView *view = ui->totalWaveTreeView;
    library().totalListItemModel = replaceModel(view);
    library().totalListItemModel->setHorizontalHeaderLabels({tr("Item"), tr("Name"), tr("File")});
    library().totalGroup = new QStandardItem(tr("waveList"));
    library().totalGroup->setEditable(false);
    library().totalListItemModel->appendRow(library().totalGroup);
    view->setFirstColumnSpanned(0, QModelIndex(), true); // the root's text has the whole row

    view->setColumnHidden(2, true);
    view->setColumnWidth(0, 78);
    view->setColumnWidth(1, 180);
    view->header()->setStretchLastSection(true);
    soundListView(view, Qt::ScrollBarAsNeeded, myStyle, ui->right_stackedWidgetPage1, this);
    library().currentOldGroupName = library().totalGroup->text();
    connect(library().totalListItemModel, &QStandardItemModel::itemChanged, this,
            &MainWindow1::totalListItemModelChanged);
}

void MainWindow1::initHHListItemModel()
{
    QTreeView *view = ui->soundListTreeView;
    library().hhSoundItemModel = replaceModel(view);
    library().hhSoundItemModel->setHorizontalHeaderLabels({tr("Name"), tr("File")});
    library().hhGroup = new QStandardItem(tr("waveList"));
    library().hhSoundItemModel->appendRow(library().hhGroup);

    view->setColumnHidden(1, true);
    view->setColumnWidth(0, 165);
    view->header()->setStretchLastSection(false);
    soundListView(view, Qt::ScrollBarAlwaysOn, myStyle, ui->pedalWidget, this);
    connect(library().hhSoundItemModel, &QStandardItemModel::itemChanged, this, &MainWindow1::hhListItemModelChanged);
}

void MainWindow1::initClickItemModel()
{
    QTreeView *view = ui->clickWaveTreeView;
    library().clickListItemModel = replaceModel(view);
    library().clickListItemModel->setHorizontalHeaderLabels({tr("Index"), tr("Name"), tr("File")});
    view->setColumnHidden(2, true);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    dragOnly(view);
    if (userFlag)
        on_btnImportClickWave_clicked();
}

void librarypane::initKitTotalItemModel(MainWindow1 *w)
{
    QTreeView *view = w->ui->totalWaveTreeView;
    view->setColumnWidth(0, 20);
    view->setColumnWidth(1, 25);
    w->library().totalListItemModel = replaceModel(view);
    w->library().totalGroup = nullptr; // this layout has no root row
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    w->library().totalListItemModel->setHorizontalHeaderLabels(
            {MainWindow1::tr("Layer"), MainWindow1::tr("Index"), MainWindow1::tr("Name"), MainWindow1::tr("File")});
    view->setFocusPolicy(Qt::NoFocus);
    view->header()->setStretchLastSection(false);
    styleBars(view);
    view->setAnimated(true);
    view->setColumnHidden(3, true);
}

void librarypane::updateHHsoundList(MainWindow1 *w, int row)
{
    if (w->library().hhGroup && row >= 0 && row < w->library().hhGroup->rowCount())
        w->library().hhGroup->removeRow(row);
    w->ui->soundListTreeView->repaint();
}

void librarypane::updateHHsoundList1(MainWindow1 *w)
{
    w->ui->soundListTreeView->reset();
    w->initHHListItemModel();
    if (w->library().totalGroup) {
        const int rows = w->library().totalGroup->rowCount();
        for (int i = 0; i < rows; ++i) {
            const QStandardItem *name = w->library().totalGroup->child(i, 1);
            const QStandardItem *file = w->library().totalGroup->child(i, 2);
            w->library().hhGroup->appendRow({new QStandardItem(name ? name->text() : QString()),
                                             new QStandardItem(file ? file->text() : QString())});
        }
    }
    // The root only: expanding every row would keep an index for each.
    w->ui->soundListTreeView->expand(w->library().hhGroup->index());
    w->ui->soundListTreeView->repaint();
}

void MainWindow1::getRightSoundList()
{
    library().soundList.clear();
    if (!library().totalGroup)
        return;
    library().currentOldGroupName = library().totalGroup->text();
    const int rows = library().totalGroup->rowCount();
    library().soundList.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const QStandardItem *name = library().totalGroup->child(i, 1);
        library().soundList.append(name ? name->text() : QString());
    }
}

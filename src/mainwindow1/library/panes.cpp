// The panes of the sound lists: their construction, texts, fonts and theme,
// the look of device mode, and what the window's drops ask of them.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/windowtexts.h"

#include "device/padsession.h"
#include "library/rowselection.h"
#include "library/soundlibrary.h"
#include "widgets/listlook.h"
#include "widgets/themesheets.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

using themesheets::icon;
using themesheets::style;

void SoundListsController::setUpGroupTree()
{
    QTreeView *groups = m_view.waveGroupTreeView;
    groups->setModel(m_lib.soundListItemModel());
    listlook::dragOnly(groups);
    groups->setAnimated(true);
    groups->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    groups->setColumnHidden(1, true);
    groups->setColumnWidth(0, 240);
    groups->header()->setStretchLastSection(false);
    groups->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    groups->horizontalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::horizontal{height:10px; border:2px;border-radius:2px;}"));
    groups->setItemsExpandable(true);
    groups->expandAll();
    groups->setFocusPolicy(Qt::StrongFocus);
    groups->setStyle(m_style);
    // The window takes the files dropped on the groups' pane.
    m_view.left_stackedSoundWidget->setAcceptDrops(true);
    m_view.left_stackedSoundWidget->installEventFilter(m_parent);
}

void SoundListsController::connectGroupSelection()
{
    QTreeView *groups = m_view.waveGroupTreeView;
    if (QItemSelectionModel *sel = groups->selectionModel())
        connect(sel, &QItemSelectionModel::selectionChanged, this,
                [this, groups]() { emit groupSelectionChanged(groups->currentIndex()); });
}

void SoundListsController::addSelectAll()
{
    QTreeView *groups = m_view.waveGroupTreeView;
    auto *selectAll = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_A), groups);
    selectAll->setContext(Qt::WindowShortcut);
    connect(selectAll, &QShortcut::activated, groups, [groups]() { groups->selectAll(); });
}

void SoundListsController::setUpTexts(const QString &fontFamily)
{
    const SoundListsView &v = m_view;
    v.logoWidget1->hide();
    v.defaultRbtn->setChecked(true);
    v.rightwaveListIO->hide();
    v.customRbtn->hide();
    v.right_waveList_label->setText(WindowTexts::tr("MY SOUND LIST"));
    v.upRbtn->setText(WindowTexts::tr("ASC"));
    v.DownRbtn->setText(WindowTexts::tr("DESC"));
    v.upRbtn->setToolTip(WindowTexts::tr("Ascending Order"));
    v.DownRbtn->setToolTip(WindowTexts::tr("Descending Order"));
    v.kitRbtn->setText(WindowTexts::tr("KIT"));
    v.defaultRbtn->setText(WindowTexts::tr("DEFAULT"));

    for (QWidget *widget : {static_cast<QWidget *>(v.addWaveGroup), static_cast<QWidget *>(v.addWaveFile),
                            static_cast<QWidget *>(v.delWaveGroup), static_cast<QWidget *>(v.defaultRbtn),
                            static_cast<QWidget *>(v.kitRbtn), static_cast<QWidget *>(v.upRbtn),
                            static_cast<QWidget *>(v.DownRbtn), static_cast<QWidget *>(v.waveInfoShow),
                            static_cast<QWidget *>(v.tbtAddWave), static_cast<QWidget *>(v.tbtDel),
                            static_cast<QWidget *>(v.btnImportRightWave),
                            static_cast<QWidget *>(v.btnExportRightWave)})
        themesheets::setFamily(widget, fontFamily);
    for (QWidget *widget : {v.left_waveList_label, v.right_waveList_label})
        themesheets::setFamily(widget, fontFamily, true);
}

void SoundListsController::applyTheme(bool isDark)
{
    const SoundListsView &v = m_view;
    style(v.waveGroup_widget, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    style(v.waveGroupTreeView, isDark, "background-color: rgb(25, 25, 25); color:white;",
          "background-color: rgb(236, 236, 236);color:black;");
    style(v.groupButtons, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236);color:black;");
    style(v.addWaveGroup, isDark, "border:none; color:white; QToolTip{background-color: white; color: black;}",
          "border:none; QToolTip{ background-color: rgb(236, 236, 236); color: black;}");
    style(v.addWaveFile, isDark, "border:none; color:white; QToolTip{ background-color: white; color: black;}",
          "border:none; QToolTip{background-color: rgb(236, 236, 236); color: black;}");
    style(v.delWaveGroup, isDark, "border:none; color:white; QToolTip{ background-color: white; color: black;}",
          "border:none; QToolTip{ background-color: rgb(236, 236, 236); color: black;}");
    style(v.soundListTreeView, isDark,
          "QTreeView::item:selected { background-color: skyblue;  }; QTreeView{color:white;border-right:1px solid grey; };",
          "QTreeView::item:selected { background-color: skyblue;  }; QTreeView{color:black;border-right:1px solid grey; };");
    style(v.rightWaveWidget, isDark,
          "background-color:rgb(35, 35, 35); color:white;border:none;border-left: 1px solid grey;border-bottom: 1px solid grey;",
          "background-color: rgb(236, 236, 236); color:black;border:none;border-left: 1px solid grey;border-bottom: 1px solid grey;");
    style(v.orderWidget, isDark, "background-color:rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;  border:none; border-left: 1px solid grey;");
    style(v.totalWaveTreeView, isDark,
          "TotalTreeView::item:selected{background-color: skyblue;}; TotalTreeView{background-color:rgb(25, 25, 25);color:white;border:1px solid black;outline:none;} ",
          "TotalTreeView::item:selected{background-color: skyblue;}; TotalTreeView{background-color: rgb(236, 236, 236); color:black;border:1px solid black;outline:none;} ");
    style(v.totalWaveTreeView->header(), isDark, "background-color: rgb(25, 25, 25); color:white;",
          "::section{background-color: #f0f0f0;color:black;}");
    style(v.rightWaveAdd, isDark, "background-color:rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    style(v.rightwaveListIO, isDark,
          "background-color:rgb(35, 35, 35); color:white; font: 13pt 'PingFang SC'; border:none; border-left: 1px solid grey; border-top:1px solid grey;",
          "background-color: rgb(236, 236, 236); color:black; font: 13pt 'PingFang SC'; border:none; border-left: 1px solid grey; border-top:1px solid grey;");
    icon(v.addWaveGroup, isDark, ":/images/createSound2.png", ":/images/createSound1.png");
    icon(v.addWaveFile, isDark, ":/images/waveImport2.png", ":/images/waveImport1.png");
    icon(v.tbtAddWave, isDark, ":/images/waveImport2.png", ":/images/waveImport1.png");
    icon(v.delWaveGroup, isDark, ":/images/del2.png", ":/images/del.png");
    icon(v.tbtDel, isDark, ":/images/del2.png", ":/images/del.png");
    icon(v.btnExportRightWave, isDark, ":/images/export_wave2.png", ":/images/export_wave.png");
    icon(v.btnImportRightWave, isDark, ":/images/import_wave2.png", ":/images/import_wave.png");
    m_lib.useDarkIcons(isDark);
}

void SoundListsController::acceptGroupDrops()
{
    m_view.left_stackedSoundWidget->setAcceptDrops(m_pad.isUDiskFlag());
}

void SoundListsController::showOnPadLook()
{
    const SoundListsView &v = m_view;
    v.waveGroupTreeView->setEnabled(false);
    v.waveGroupTreeView->setStyleSheet(QStringLiteral("background-color:   rgb(230, 230, 230);"));
    v.groupButtons->setEnabled(false);
    v.groupButtons->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250) "));
    v.waveGroup_widget->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 250);"));
    v.orderWidget->hide();
    v.rightwaveListIO->hide();
    v.tbtAddWave->hide();
    v.tbtDel->hide();
}

void SoundListsController::enableSoundPane(bool enabled)
{
    m_view.right_stackedWidgetPage1->setEnabled(enabled);
}

void SoundListsController::fitGroupTree()
{
    if (m_view.waveGroupTreeView->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        m_view.waveGroupTreeView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int SoundListsController::groupTreeWidth() const
{
    return m_view.waveGroupTreeView->width();
}

void SoundListsController::setGroupPaneWidth(int width)
{
    m_view.left_stackedSoundWidget->setFixedWidth(width);
}

void SoundListsController::clearTotalSelection()
{
    if (QItemSelectionModel *selection = m_view.totalWaveTreeView->selectionModel())
        selection->clearSelection();
}

bool SoundListsController::soundRowCurrent() const
{
    return m_view.waveGroupTreeView->currentIndex().parent().isValid()
           || m_view.totalWaveTreeView->currentIndex().parent().isValid()
           || m_view.soundListTreeView->currentIndex().parent().isValid();
}

std::optional<QString> SoundListsController::groupToFill() const
{
    const QTreeView *view = m_view.waveGroupTreeView;
    const QModelIndex current = view->currentIndex();
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    if (selected.size() < 2)
        return std::nullopt;
    if (selected.size() == 2 && !current.isValid())
        return QStringLiteral("Default");
    if (current.parent().isValid() && !current.parent().data().toString().isEmpty())
        return current.parent().data().toString();
    return current.sibling(current.row(), 0).data().toString();
}

void SoundListsController::expandGroup(const QModelIndex &group)
{
    m_view.waveGroupTreeView->expand(group);
}

QModelIndexList SoundListsController::selectedSoundRows() const
{
    return selectedRowStarts(m_view.totalWaveTreeView->selectionModel());
}

void SoundListsController::pointAtSound(const QString &file)
{
    QModelIndex row;
    const SoundListModel *total = m_lib.totalListItemModel();
    for (int r = 0; r < total->soundCount() && !row.isValid(); ++r) {
        if (total->soundText(r, 2) == file)
            row = total->soundIndex(r, 2);
    }
    if (QItemSelectionModel *selection = m_view.totalWaveTreeView->selectionModel())
        selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
}

QModelIndexList SoundListsController::mirrorSelection() const
{
    QItemSelectionModel *selection = m_view.soundListTreeView->selectionModel();
    return selection ? selection->selectedIndexes() : QModelIndexList();
}

void SoundListsController::hideMirrorSources()
{
    m_view.soundListTreeView->setColumnHidden(1, true);
}

bool SoundListsController::isGroupPane(const QObject *watched) const
{
    return watched == m_view.left_stackedSoundWidget;
}

bool SoundListsController::isSoundPane(const QObject *watched) const
{
    return watched == m_view.right_stackedWidgetPage1;
}

bool SoundListsController::soundListHit(const QPoint &pos) const
{
    const QWidget *list = m_view.totalWaveTreeView;
    return QRect(list->mapTo(m_view.right_stackedWidgetPage1, QPoint(0, 0)), list->size()).contains(pos);
}

int SoundListsController::dropGroupRow(int groups) const
{
    int groupRow = groups - 1;
    const QModelIndex current = m_view.waveGroupTreeView->currentIndex();
    if (m_view.waveGroupTreeView->selectionModel()->hasSelection() && current.isValid())
        groupRow = current.parent().isValid() ? current.parent().row() : current.row();
    return groupRow;
}

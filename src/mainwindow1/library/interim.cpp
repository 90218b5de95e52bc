// The parts of the sound library that the kit pages use: the metronome and
// hi-hat list models, the preview player's stop and the name test.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "widgets/mystyle.h"

#include <QHeaderView>
#include <QMediaPlayer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardItemModel>

void MainWindow1::initClickItemModel()
{
    QTreeView *view = ui->clickWaveTreeView;
    clickListItemModel = new QStandardItemModel(view);
    view->setModel(clickListItemModel);
    clickListItemModel->setHorizontalHeaderLabels({tr("Index"), tr("Name"), tr("File")});
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    view->setColumnHidden(2, true);
}

void MainWindow1::initHHListItemModel()
{
    if (!player2)
        player2 = new QMediaPlayer(this);

    QTreeView *view = ui->soundListTreeView;
    hhSoundItemModel = new QStandardItemModel(view);
    view->setModel(hhSoundItemModel);
    hhSoundItemModel->setHorizontalHeaderLabels({tr("Name"), tr("File")});
    hhGroup = new QStandardItem(QStringLiteral("waveList"));
    hhSoundItemModel->appendRow(hhGroup);
    view->setColumnWidth(0, 165);
    view->header()->setStretchLastSection(false);
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    view->horizontalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::horizontal{height:10px; border:2px; border-radius:2px;}"));
    view->setAnimated(true);
    view->setItemsExpandable(true);
    view->expandAll();
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyle(myStyle);
    view->setColumnHidden(1, true);
    ui->pedalWidget->setAcceptDrops(true);
    ui->pedalWidget->installEventFilter(this);
}

void MainWindow1::on_stopBtn2_clicked()
{
    if (index2 % 2) {
        // Loop mode goes off while a sound row is current in one of the lists.
        const bool soundRow = ui->waveGroupTreeView->currentIndex().parent().isValid()
                              || ui->totalWaveTreeView->currentIndex().parent().isValid()
                              || ui->soundListTreeView->currentIndex().parent().isValid();
        if (soundRow) {
            ++index2;
            ui->loopBtn2->setIcon(QIcon(QStringLiteral(":/images/loop.png")));
            singleLoop = false;
            emit sendLoopIndex2(index2);
        }
    }
    if (player2)
        player2->stop();
}

bool MainWindow1::checkDisplayName(QString name)
{
    static const QRegularExpression one(QRegularExpression::anchoredPattern(QStringLiteral("[a-zA-Z0-9]")));
    static const QRegularExpression many(QRegularExpression::anchoredPattern(
            QStringLiteral("[a-zA-Z0-9]+[-~a-zA-Z0-9_\\.' ]*[a-zA-Z0-9]")));
    return (name.size() <= 1 ? one : many).match(name).hasMatch();
}

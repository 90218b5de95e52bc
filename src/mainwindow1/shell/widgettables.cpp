#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QScrollBar>

void MainWindow1::initPadWidgetPoint()
{
    QWidget *const groups[PAD_NUM_MAX] = {
        ui->groupPad1,  ui->groupPad2,  ui->groupPad3,  ui->groupPad4,  ui->groupPad5,  ui->groupPad6,  ui->groupPad7,
        ui->groupPad8,  ui->groupPad9,  ui->groupPad10, ui->groupPad11, ui->groupPad12, ui->groupPad13, ui->groupPad14,
        ui->groupPad15, ui->groupPad16, ui->groupPad17, ui->groupPad18, ui->groupPad19};
    QLabel *const labelsA[PAD_NUM_MAX] = {
        ui->labPad01a, ui->labPad02a, ui->labPad03a, ui->labPad04a, ui->labPad05a, ui->labPad06a, ui->labPad07a,
        ui->labPad08a, ui->labPad09a, ui->labPad10a, ui->labPad11a, ui->labPad12a, ui->labPad13a, ui->labPad14a,
        ui->labPad15a, ui->labPad16a, ui->labPad17a, ui->labPad18a, ui->labPad19a};
    QLabel *const labelsB[EXTEND_INPUT_NUM] = {
        ui->labPad01b, ui->labPad02b, ui->labPad03b, ui->labPad04b, ui->labPad05b, ui->labPad06b,
        ui->labPad07b, ui->labPad08b, ui->labPad09b, ui->labPad10b, ui->labPad11b, ui->labPad12b,
        ui->labPad13b, ui->labPad14b, ui->labPad15b, ui->labPad16b, ui->labPad17b};
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        padWidgetGroup[p].group = groups[p];
        padWidgetGroup[p].lableA = labelsA[p];
        padWidgetGroup[p].lableB = p < EXTEND_INPUT_NUM ? labelsB[p] : nullptr;
    }
}

void MainWindow1::initHHWidgetPoint()
{
    QGroupBox *const boxes[HH_NUM_MAX] = {ui->hh_wave1_groupBox, ui->hh_wave2_groupBox, ui->hh_wave3_groupBox,
                                         ui->hh_wave4_groupBox, ui->hh_wave5_groupBox};
    QLabel *const names[HH_NUM_MAX] = {ui->hh_wave1_name, ui->hh_wave2_name, ui->hh_wave3_name,
                                       ui->hh_wave4_name, ui->hh_wave5_name};
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        hhWidgetGroup[i].group = boxes[i];
        hhWidgetGroup[i].lableA = names[i];
    }
}

void MainWindow1::initUi()
{
    ui->right_waveList_label->setText(tr("MY SOUND LIST"));
    ui->upRbtn->setText(tr("ASC"));
    ui->DownRbtn->setText(tr("DESC"));
    ui->upRbtn->setToolTip(tr("Ascending Order"));
    ui->DownRbtn->setToolTip(tr("Descending Order"));
    ui->kitRbtn->setText(tr("KIT"));
    ui->defaultRbtn->setText(tr("DEFAULT"));
    ui->label_33->setText(tr("KIT CHIAN ") + QStringLiteral("\r\n") + tr("FUNCTION"));
    ui->groupBox_5->setTitle(tr("Sound Kit Setting"));
    ui->groupBox_7->setTitle(tr("HH Setting"));
    ui->padGroupBox->setTitle(tr("Pad Setting"));
    // Each section's title gets a line of its own above the first row, and
    // the rows keep their height.
    for (QGroupBox *box : {ui->groupBox_5, ui->groupBox_7, ui->padGroupBox}) {
        QMargins m = box->layout()->contentsMargins();
        const int grown = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).height() + 4 - m.top();
        if (grown <= 0)
            continue;
        m.setTop(m.top() + grown);
        box->layout()->setContentsMargins(m);
        if (box->minimumHeight() > 0)
            box->setMinimumHeight(qMin(box->minimumHeight() + grown, box->maximumHeight()));
    }
    ui->label_3->setText(tr("MY SOUND LIST"));
    ui->label_27->setText(tr("Version"));
    ui->label_156->setText(tr("Metronome Setting:"));
    ui->label_155->setText(tr("Metronome Sound List:"));
    ui->btnImportClickWave->setToolTip(tr("Import click sound"));
    ui->btnDelClick->setToolTip(tr("Delete click sound"));
    ui->btnGlobal->setText(tr("Export Global"));
    ui->btnCopyKit->setToolTip(tr("Kit Copy"));
    ui->btnKitMove->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167); color:black; border-none; "));
    ui->btnKitChain->setStyleSheet(
            QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    ui->btnSoundKit->setStyleSheet(
            QStringLiteral("background-color:black; color:white; border:1px solid white;"));
    ui->kitListtreeView->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    ui->kitListtreeView->setAnimated(true);
    ui->masterEffectComboBox->setMaxVisibleItems(10);
    const QString slider = QStringLiteral(
            "QSlider::groove:horizontal{height:2px; left:0px; right:0px; border:0px; border-radius:1px; "
            "background:rgb(255,255,255);}    "
            "QSlider::handle:horizontal{width:12px; background:rgb(222,233,244); border-radius:6px; "
            "margin:-5px 0px;}    "
            "QSlider::sub-page:horizontal{background:#4C85FB; border:0px; border-radius:1px;}");
    ui->waveHorizontalSlider2->setStyleSheet(slider);
    ui->volumeHorizontalSlider2->setStyleSheet(slider);
}

void MainWindow1::initUIFont()
{
    const QString t1 = QStringLiteral("QToolTip { background-color: white; color: black;}");
    const QString t2 = QStringLiteral("QToolTip{background-color:white; color:black;}");

    // Only the family changes; the form's point size stays.
    auto setFamily = [this](QWidget *w, bool bold = false) {
        QFont f = w->font();
        f.setFamily(FontFamily);
        if (bold)
            f.setBold(true);
        w->setFont(f);
    };
    for (QWidget *w : {static_cast<QWidget *>(ui->btnKitMove), static_cast<QWidget *>(ui->btnSoundKit),
                       static_cast<QWidget *>(ui->btnKitChain)})
        setFamily(w);
    for (QWidget *w : {static_cast<QWidget *>(ui->btnClear), static_cast<QWidget *>(ui->btnLoadFile),
                       static_cast<QWidget *>(ui->btnSave)}) {
        setFamily(w);
        w->setStyleSheet(t1);
    }
    ui->btnKitChainSave->setStyleSheet(t1);
    for (QWidget *w : {static_cast<QWidget *>(ui->kitNumberLabel_2), static_cast<QWidget *>(ui->label_33),
                       static_cast<QWidget *>(ui->label_34), static_cast<QWidget *>(ui->rBtnKitChainOff),
                       static_cast<QWidget *>(ui->rBtnKitChainOn)})
        setFamily(w);
    ui->btnRenameKit->setStyleSheet(t1);
    for (QWidget *w : {static_cast<QWidget *>(ui->btnCopyKit), static_cast<QWidget *>(ui->upPageBtn),
                       static_cast<QWidget *>(ui->downPageBtn)})
        w->setStyleSheet(t2);
    const QList<QWidget *> plain = {ui->songLabel2,   ui->addWaveGroup, ui->addWaveFile,        ui->delWaveGroup,
                                    ui->moveUpKit,    ui->moveDownKit,  ui->defaultRbtn,        ui->kitRbtn,
                                    ui->upRbtn,       ui->DownRbtn,     ui->waveInfoShow,       ui->tbtAddWave,
                                    ui->tbtDel,       ui->btnImportRightWave, ui->btnExportRightWave};
    for (QWidget *w : plain)
        setFamily(w);
    for (QWidget *w : {static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->left_waveList_label),
                       static_cast<QWidget *>(ui->right_waveList_label), static_cast<QWidget *>(ui->label_3)})
        setFamily(w, true);
}

void MainWindow1::setPadEventFilter()
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QWidget *g = padWidgetGroup[p].group;
        if (!g)
            continue;
        g->setAcceptDrops(true);
        // Installing again moves the filter to the front; it is never doubled.
        g->installEventFilter(this);
    }
}

void MainWindow1::initPadMenu()
{
    pad_menu = new QMenu(this);
    pad_copy = new QAction(tr("Pad Copy "), this);
    pad_clear = new QAction(tr("Clear Assignments"), this);
    pad_menu->addAction(pad_copy);
    pad_menu->addSeparator();
    pad_menu->addAction(pad_clear);
    pad_menu->setFixedSize(150, 60);

    QVector<QLabel *> labels;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        labels << padWidgetGroup[p].lableA;
        if (padWidgetGroup[p].lableB)
            labels << padWidgetGroup[p].lableB;
    }
    for (QLabel *l : qAsConst(labels))
        connect(l, SIGNAL(clickRight(QString)), this, SLOT(rightMenu(QString)));
    for (QLabel *l : qAsConst(labels))
        connect(l, SIGNAL(clickLeft(QString)), this, SLOT(recvInteration(QString)));
    connect(pad_clear, SIGNAL(triggered()), this, SLOT(clearPad()));
    connect(pad_copy, SIGNAL(triggered()), this, SLOT(copyPad()));
    connect(pad_menu, &QMenu::aboutToHide, this, &MainWindow1::padMenuClosed);
}

void MainWindow1::initPadDisplayStyle()
{
    QPalette palette;
    palette.setColor(QPalette::WindowText, Qt::white);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QFont font(FontFamilyTxt);
        font.setPointSize(p <= 8 ? 14 : 11);
        for (QLabel *l : {padWidgetGroup[p].lableA, padWidgetGroup[p].lableB}) {
            if (!l)
                continue;
            l->setFont(font);
            l->setPalette(palette);
            l->setAttribute(Qt::WA_TranslucentBackground);
        }
    }
}

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellsteps.h"
#include "ui_mainwindow1.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QScrollBar>

void shellsteps::initPadWidgetPoint(MainWindow1 *w)
{
    QWidget *const groups[PAD_NUM_MAX] = {w->ui->groupPad1,  w->ui->groupPad2,  w->ui->groupPad3,  w->ui->groupPad4,
                                          w->ui->groupPad5,  w->ui->groupPad6,  w->ui->groupPad7,  w->ui->groupPad8,
                                          w->ui->groupPad9,  w->ui->groupPad10, w->ui->groupPad11, w->ui->groupPad12,
                                          w->ui->groupPad13, w->ui->groupPad14, w->ui->groupPad15, w->ui->groupPad16,
                                          w->ui->groupPad17, w->ui->groupPad18, w->ui->groupPad19};
    QLabel *const labelsA[PAD_NUM_MAX] = {w->ui->labPad01a, w->ui->labPad02a, w->ui->labPad03a, w->ui->labPad04a,
                                          w->ui->labPad05a, w->ui->labPad06a, w->ui->labPad07a, w->ui->labPad08a,
                                          w->ui->labPad09a, w->ui->labPad10a, w->ui->labPad11a, w->ui->labPad12a,
                                          w->ui->labPad13a, w->ui->labPad14a, w->ui->labPad15a, w->ui->labPad16a,
                                          w->ui->labPad17a, w->ui->labPad18a, w->ui->labPad19a};
    QLabel *const labelsB[EXTEND_INPUT_NUM] = {
            w->ui->labPad01b, w->ui->labPad02b, w->ui->labPad03b, w->ui->labPad04b, w->ui->labPad05b, w->ui->labPad06b,
            w->ui->labPad07b, w->ui->labPad08b, w->ui->labPad09b, w->ui->labPad10b, w->ui->labPad11b, w->ui->labPad12b,
            w->ui->labPad13b, w->ui->labPad14b, w->ui->labPad15b, w->ui->labPad16b, w->ui->labPad17b};
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        w->padWidgetGroup[p].group = groups[p];
        w->padWidgetGroup[p].lableA = labelsA[p];
        w->padWidgetGroup[p].lableB = p < EXTEND_INPUT_NUM ? labelsB[p] : nullptr;
    }
}

void shellsteps::initHHWidgetPoint(MainWindow1 *w)
{
    QGroupBox *const boxes[HH_NUM_MAX] = {w->ui->hh_wave1_groupBox, w->ui->hh_wave2_groupBox, w->ui->hh_wave3_groupBox,
                                          w->ui->hh_wave4_groupBox, w->ui->hh_wave5_groupBox};
    QLabel *const names[HH_NUM_MAX] = {w->ui->hh_wave1_name, w->ui->hh_wave2_name, w->ui->hh_wave3_name,
                                       w->ui->hh_wave4_name, w->ui->hh_wave5_name};
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        w->hhWidgetGroup[i].group = boxes[i];
        w->hhWidgetGroup[i].lableA = names[i];
    }
}

void shellsteps::initUi(MainWindow1 *w)
{
    w->ui->right_waveList_label->setText(MainWindow1::tr("MY SOUND LIST"));
    w->ui->upRbtn->setText(MainWindow1::tr("ASC"));
    w->ui->DownRbtn->setText(MainWindow1::tr("DESC"));
    w->ui->upRbtn->setToolTip(MainWindow1::tr("Ascending Order"));
    w->ui->DownRbtn->setToolTip(MainWindow1::tr("Descending Order"));
    w->ui->kitRbtn->setText(MainWindow1::tr("KIT"));
    w->ui->defaultRbtn->setText(MainWindow1::tr("DEFAULT"));
    w->ui->label_33->setText(MainWindow1::tr("KIT CHIAN ") + QStringLiteral("\r\n") + MainWindow1::tr("FUNCTION"));
    w->ui->groupBox_5->setTitle(MainWindow1::tr("Sound Kit Setting"));
    w->ui->groupBox_7->setTitle(MainWindow1::tr("HH Setting"));
    w->ui->padGroupBox->setTitle(MainWindow1::tr("Pad Setting"));
    // Each section's title gets a line of its own above the first row, and
    // the rows keep their height.
    for (QGroupBox *box : {w->ui->groupBox_5, w->ui->groupBox_7, w->ui->padGroupBox}) {
        QMargins m = box->layout()->contentsMargins();
        const int grown = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).height() + 4 - m.top();
        if (grown <= 0)
            continue;
        m.setTop(m.top() + grown);
        box->layout()->setContentsMargins(m);
        if (box->minimumHeight() > 0)
            box->setMinimumHeight(qMin(box->minimumHeight() + grown, box->maximumHeight()));
    }
    w->ui->label_3->setText(MainWindow1::tr("MY SOUND LIST"));
    w->ui->label_27->setText(MainWindow1::tr("Version"));
    w->ui->label_156->setText(MainWindow1::tr("Metronome Setting:"));
    w->ui->label_155->setText(MainWindow1::tr("Metronome Sound List:"));
    w->ui->btnImportClickWave->setToolTip(MainWindow1::tr("Import click sound"));
    w->ui->btnDelClick->setToolTip(MainWindow1::tr("Delete click sound"));
    w->ui->btnGlobal->setText(MainWindow1::tr("Export Global"));
    w->ui->btnCopyKit->setToolTip(MainWindow1::tr("Kit Copy"));
    w->ui->btnKitMove->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167); color:black; border-none; "));
    w->ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    w->ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color:black; color:white; border:1px solid white;"));
    w->ui->kitListtreeView->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    w->ui->kitListtreeView->setAnimated(true);
    w->ui->masterEffectComboBox->setMaxVisibleItems(10);
    const QString slider = QStringLiteral(
            "QSlider::groove:horizontal{height:2px; left:0px; right:0px; border:0px; border-radius:1px; "
            "background:rgb(255,255,255);}    "
            "QSlider::handle:horizontal{width:12px; background:rgb(222,233,244); border-radius:6px; "
            "margin:-5px 0px;}    "
            "QSlider::sub-page:horizontal{background:#4C85FB; border:0px; border-radius:1px;}");
    w->ui->waveHorizontalSlider2->setStyleSheet(slider);
    w->ui->volumeHorizontalSlider2->setStyleSheet(slider);
}

void shellsteps::initUIFont(MainWindow1 *w)
{
    const QString t1 = QStringLiteral("QToolTip { background-color: white; color: black;}");
    const QString t2 = QStringLiteral("QToolTip{background-color:white; color:black;}");

    // Only the family changes; the form's point size stays.
    auto setFamily = [w](QWidget *widget, bool bold = false) {
        QFont f = widget->font();
        f.setFamily(w->FontFamily);
        if (bold)
            f.setBold(true);
        widget->setFont(f);
    };
    for (QWidget *widget : {static_cast<QWidget *>(w->ui->btnKitMove), static_cast<QWidget *>(w->ui->btnSoundKit),
                            static_cast<QWidget *>(w->ui->btnKitChain)})
        setFamily(widget);
    for (QWidget *widget : {static_cast<QWidget *>(w->ui->btnClear), static_cast<QWidget *>(w->ui->btnLoadFile),
                            static_cast<QWidget *>(w->ui->btnSave)}) {
        setFamily(widget);
        widget->setStyleSheet(t1);
    }
    w->ui->btnKitChainSave->setStyleSheet(t1);
    for (QWidget *widget : {static_cast<QWidget *>(w->ui->kitNumberLabel_2), static_cast<QWidget *>(w->ui->label_33),
                            static_cast<QWidget *>(w->ui->label_34), static_cast<QWidget *>(w->ui->rBtnKitChainOff),
                            static_cast<QWidget *>(w->ui->rBtnKitChainOn)})
        setFamily(widget);
    w->ui->btnRenameKit->setStyleSheet(t1);
    for (QWidget *widget : {static_cast<QWidget *>(w->ui->btnCopyKit), static_cast<QWidget *>(w->ui->upPageBtn),
                            static_cast<QWidget *>(w->ui->downPageBtn)})
        widget->setStyleSheet(t2);
    const QList<QWidget *> plain = {
            w->ui->songLabel2, w->ui->addWaveGroup,       w->ui->addWaveFile,       w->ui->delWaveGroup,
            w->ui->moveUpKit,  w->ui->moveDownKit,        w->ui->defaultRbtn,       w->ui->kitRbtn,
            w->ui->upRbtn,     w->ui->DownRbtn,           w->ui->waveInfoShow,      w->ui->tbtAddWave,
            w->ui->tbtDel,     w->ui->btnImportRightWave, w->ui->btnExportRightWave};
    for (QWidget *widget : plain)
        setFamily(widget);
    for (QWidget *widget :
         {static_cast<QWidget *>(w->ui->label), static_cast<QWidget *>(w->ui->left_waveList_label),
          static_cast<QWidget *>(w->ui->right_waveList_label), static_cast<QWidget *>(w->ui->label_3)})
        setFamily(widget, true);
}

void shellsteps::setPadEventFilter(MainWindow1 *w)
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QWidget *g = w->padWidgetGroup[p].group;
        if (!g)
            continue;
        g->setAcceptDrops(true);
        // Installing again moves the filter to the front; it is never doubled.
        g->installEventFilter(w);
    }
}

void shellsteps::initPadMenu(MainWindow1 *w)
{
    w->pad_menu = new QMenu(w);
    w->pad_copy = new QAction(MainWindow1::tr("Pad Copy "), w);
    w->pad_clear = new QAction(MainWindow1::tr("Clear Assignments"), w);
    w->pad_menu->addAction(w->pad_copy);
    w->pad_menu->addSeparator();
    w->pad_menu->addAction(w->pad_clear);
    w->pad_menu->setFixedSize(150, 60);

    QVector<QLabel *> labels;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        labels << w->padWidgetGroup[p].lableA;
        if (w->padWidgetGroup[p].lableB)
            labels << w->padWidgetGroup[p].lableB;
    }
    for (QLabel *l : qAsConst(labels))
        QObject::connect(l, SIGNAL(clickRight(QString)), w, SLOT(rightMenu(QString)));
    for (QLabel *l : qAsConst(labels))
        QObject::connect(l, SIGNAL(clickLeft(QString)), w, SLOT(recvInteration(QString)));
    QObject::connect(w->pad_clear, SIGNAL(triggered()), w, SLOT(clearPad()));
    QObject::connect(w->pad_copy, SIGNAL(triggered()), w, SLOT(copyPad()));
    QObject::connect(w->pad_menu, &QMenu::aboutToHide, w, &MainWindow1::padMenuClosed);
}

void shellsteps::initPadDisplayStyle(MainWindow1 *w)
{
    QPalette palette;
    palette.setColor(QPalette::WindowText, Qt::white);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QFont font(w->FontFamilyTxt);
        font.setPointSize(p <= 8 ? 14 : 11);
        for (QLabel *l : {w->padWidgetGroup[p].lableA, w->padWidgetGroup[p].lableB}) {
            if (!l)
                continue;
            l->setFont(font);
            l->setPalette(palette);
            l->setAttribute(Qt::WA_TranslucentBackground);
        }
    }
}

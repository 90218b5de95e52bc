#include "mainwindow1/windowtexts.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QScrollBar>

void ShellController::setStepWidget(int step, QGroupBox *group, QLabel *label)
{
    m_stepWidgetGroup[size_t(step)] = {group, label};
}

void ShellController::initPadWidgetPoint()
{
    QWidget *const groups[PAD_NUM_MAX] = {m_ui->groupPad1,  m_ui->groupPad2,  m_ui->groupPad3,  m_ui->groupPad4,
                                          m_ui->groupPad5,  m_ui->groupPad6,  m_ui->groupPad7,  m_ui->groupPad8,
                                          m_ui->groupPad9,  m_ui->groupPad10, m_ui->groupPad11, m_ui->groupPad12,
                                          m_ui->groupPad13, m_ui->groupPad14, m_ui->groupPad15, m_ui->groupPad16,
                                          m_ui->groupPad17, m_ui->groupPad18, m_ui->groupPad19};
    QLabel *const labelsA[PAD_NUM_MAX] = {m_ui->labPad01a, m_ui->labPad02a, m_ui->labPad03a, m_ui->labPad04a,
                                          m_ui->labPad05a, m_ui->labPad06a, m_ui->labPad07a, m_ui->labPad08a,
                                          m_ui->labPad09a, m_ui->labPad10a, m_ui->labPad11a, m_ui->labPad12a,
                                          m_ui->labPad13a, m_ui->labPad14a, m_ui->labPad15a, m_ui->labPad16a,
                                          m_ui->labPad17a, m_ui->labPad18a, m_ui->labPad19a};
    QLabel *const labelsB[EXTEND_INPUT_NUM] = {
            m_ui->labPad01b, m_ui->labPad02b, m_ui->labPad03b, m_ui->labPad04b, m_ui->labPad05b, m_ui->labPad06b,
            m_ui->labPad07b, m_ui->labPad08b, m_ui->labPad09b, m_ui->labPad10b, m_ui->labPad11b, m_ui->labPad12b,
            m_ui->labPad13b, m_ui->labPad14b, m_ui->labPad15b, m_ui->labPad16b, m_ui->labPad17b};
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        m_padWidgetGroup[p].group = groups[p];
        m_padWidgetGroup[p].lableA = labelsA[p];
        m_padWidgetGroup[p].lableB = p < EXTEND_INPUT_NUM ? labelsB[p] : nullptr;
    }
}

void ShellController::initHHWidgetPoint()
{
    QGroupBox *const boxes[HH_NUM_MAX] = {m_ui->hh_wave1_groupBox, m_ui->hh_wave2_groupBox, m_ui->hh_wave3_groupBox,
                                          m_ui->hh_wave4_groupBox, m_ui->hh_wave5_groupBox};
    QLabel *const names[HH_NUM_MAX] = {m_ui->hh_wave1_name, m_ui->hh_wave2_name, m_ui->hh_wave3_name,
                                       m_ui->hh_wave4_name, m_ui->hh_wave5_name};
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        m_hhWidgetGroup[i].group = boxes[i];
        m_hhWidgetGroup[i].lableA = names[i];
    }
}

void ShellController::initUi()
{
    m_ui->right_waveList_label->setText(WindowTexts::tr("MY SOUND LIST"));
    m_ui->upRbtn->setText(WindowTexts::tr("ASC"));
    m_ui->DownRbtn->setText(WindowTexts::tr("DESC"));
    m_ui->upRbtn->setToolTip(WindowTexts::tr("Ascending Order"));
    m_ui->DownRbtn->setToolTip(WindowTexts::tr("Descending Order"));
    m_ui->kitRbtn->setText(WindowTexts::tr("KIT"));
    m_ui->defaultRbtn->setText(WindowTexts::tr("DEFAULT"));
    m_ui->label_33->setText(WindowTexts::tr("KIT CHIAN ") + QStringLiteral("\r\n") + WindowTexts::tr("FUNCTION"));
    m_ui->groupBox_5->setTitle(WindowTexts::tr("Sound Kit Setting"));
    m_ui->groupBox_7->setTitle(WindowTexts::tr("HH Setting"));
    m_ui->padGroupBox->setTitle(WindowTexts::tr("Pad Setting"));
    // Each section's title gets a line of its own above the first row, and
    // the rows keep their height.
    for (QGroupBox *box : {m_ui->groupBox_5, m_ui->groupBox_7, m_ui->padGroupBox}) {
        QMargins m = box->layout()->contentsMargins();
        const int grown = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).height() + 4 - m.top();
        if (grown <= 0)
            continue;
        m.setTop(m.top() + grown);
        box->layout()->setContentsMargins(m);
        if (box->minimumHeight() > 0)
            box->setMinimumHeight(qMin(box->minimumHeight() + grown, box->maximumHeight()));
    }
    m_ui->label_3->setText(WindowTexts::tr("MY SOUND LIST"));
    m_ui->label_27->setText(WindowTexts::tr("Version"));
    m_ui->label_156->setText(WindowTexts::tr("Metronome Setting:"));
    m_ui->label_155->setText(WindowTexts::tr("Metronome Sound List:"));
    m_ui->btnImportClickWave->setToolTip(WindowTexts::tr("Import click sound"));
    m_ui->btnDelClick->setToolTip(WindowTexts::tr("Delete click sound"));
    m_ui->btnGlobal->setText(WindowTexts::tr("Export Global"));
    m_ui->btnCopyKit->setToolTip(WindowTexts::tr("Kit Copy"));
    m_ui->btnKitMove->setStyleSheet(
            QStringLiteral("background-color: rgb(167, 167, 167); color:black; border-none; "));
    m_ui->btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    m_ui->btnSoundKit->setStyleSheet(QStringLiteral("background-color:black; color:white; border:1px solid white;"));
    m_ui->kitListtreeView->verticalScrollBar()->setStyleSheet(
            QStringLiteral("QScrollBar::vertical{width:10px; border:2px; border-radius:2px;}"));
    m_ui->kitListtreeView->setAnimated(true);
    m_ui->masterEffectComboBox->setMaxVisibleItems(10);
    const QString slider = QStringLiteral(
            "QSlider::groove:horizontal{height:2px; left:0px; right:0px; border:0px; border-radius:1px; "
            "background:rgb(255,255,255);}    "
            "QSlider::handle:horizontal{width:12px; background:rgb(222,233,244); border-radius:6px; "
            "margin:-5px 0px;}    "
            "QSlider::sub-page:horizontal{background:#4C85FB; border:0px; border-radius:1px;}");
    m_ui->waveHorizontalSlider2->setStyleSheet(slider);
    m_ui->volumeHorizontalSlider2->setStyleSheet(slider);
}

void ShellController::initUIFont()
{
    const QString t1 = QStringLiteral("QToolTip { background-color: white; color: black;}");
    const QString t2 = QStringLiteral("QToolTip{background-color:white; color:black;}");

    // Only the family changes; the form's point size stays.
    auto setFamily = [this](QWidget *widget, bool bold = false) {
        QFont f = widget->font();
        f.setFamily(m_FontFamily);
        if (bold)
            f.setBold(true);
        widget->setFont(f);
    };
    for (QWidget *widget : {static_cast<QWidget *>(m_ui->btnKitMove), static_cast<QWidget *>(m_ui->btnSoundKit),
                            static_cast<QWidget *>(m_ui->btnKitChain)})
        setFamily(widget);
    for (QWidget *widget : {static_cast<QWidget *>(m_ui->btnClear), static_cast<QWidget *>(m_ui->btnLoadFile),
                            static_cast<QWidget *>(m_ui->btnSave)}) {
        setFamily(widget);
        widget->setStyleSheet(t1);
    }
    m_ui->btnKitChainSave->setStyleSheet(t1);
    for (QWidget *widget : {static_cast<QWidget *>(m_ui->kitNumberLabel_2), static_cast<QWidget *>(m_ui->label_33),
                            static_cast<QWidget *>(m_ui->label_34), static_cast<QWidget *>(m_ui->rBtnKitChainOff),
                            static_cast<QWidget *>(m_ui->rBtnKitChainOn)})
        setFamily(widget);
    m_ui->btnRenameKit->setStyleSheet(t1);
    for (QWidget *widget : {static_cast<QWidget *>(m_ui->btnCopyKit), static_cast<QWidget *>(m_ui->upPageBtn),
                            static_cast<QWidget *>(m_ui->downPageBtn)})
        widget->setStyleSheet(t2);
    const QList<QWidget *> plain = {
            m_ui->songLabel2, m_ui->addWaveGroup,       m_ui->addWaveFile,       m_ui->delWaveGroup,
            m_ui->moveUpKit,  m_ui->moveDownKit,        m_ui->defaultRbtn,       m_ui->kitRbtn,
            m_ui->upRbtn,     m_ui->DownRbtn,           m_ui->waveInfoShow,      m_ui->tbtAddWave,
            m_ui->tbtDel,     m_ui->btnImportRightWave, m_ui->btnExportRightWave};
    for (QWidget *widget : plain)
        setFamily(widget);
    for (QWidget *widget :
         {static_cast<QWidget *>(m_ui->label), static_cast<QWidget *>(m_ui->left_waveList_label),
          static_cast<QWidget *>(m_ui->right_waveList_label), static_cast<QWidget *>(m_ui->label_3)})
        setFamily(widget, true);
}

void ShellController::setPadEventFilter()
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QWidget *g = m_padWidgetGroup[p].group;
        if (!g)
            continue;
        g->setAcceptDrops(true);
        // Installing again moves the filter to the front; it is never doubled.
        g->installEventFilter(m_boxParent);
    }
}

void ShellController::initPadMenu()
{
    QWidget *w = m_boxParent;
    m_pad_menu = new QMenu(w);
    m_pad_copy = new QAction(WindowTexts::tr("Pad Copy "), w);
    m_pad_clear = new QAction(WindowTexts::tr("Clear Assignments"), w);
    m_pad_menu->addAction(m_pad_copy);
    m_pad_menu->addSeparator();
    m_pad_menu->addAction(m_pad_clear);
    m_pad_menu->setFixedSize(150, 60);
}

void ShellController::initPadDisplayStyle()
{
    QPalette palette;
    palette.setColor(QPalette::WindowText, Qt::white);
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QFont font(m_FontFamilyTxt);
        font.setPointSize(p <= 8 ? 14 : 11);
        for (QLabel *l : {m_padWidgetGroup[p].lableA, m_padWidgetGroup[p].lableB}) {
            if (!l)
                continue;
            l->setFont(font);
            l->setPalette(palette);
            l->setAttribute(Qt::WA_TranslucentBackground);
        }
    }
}

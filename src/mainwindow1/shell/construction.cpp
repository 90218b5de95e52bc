#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "mainwindow1/shell/shellsteps.h"
#include "ui_mainwindow1.h"
#include "resources/ztresources.h"

#include "platform/durablefile.h"
#include "platform/regularfile.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/lineedit.h"
#include "widgets/mystyle.h"
#include "widgets/selectkitno.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QProgressDialog>
#include <QRegExpValidator>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardItemModel>

namespace {

// Menus, hidden logos and the splitter's shares, from the sound groups' width.
void setUpFrame(Ui::MainWindow1 *ui, int width)
{
    ui->logoWidget1->hide();
    ui->logoWidget2->hide();
    ui->logoWidget3->hide();
    ui->menuEdit->menuAction()->setVisible(false);
    ui->menuFile->setTitle(MainWindow1::tr("File"));
    ui->menuHelp->setTitle(MainWindow1::tr("Manual"));
    ui->actionAbout_Korvanta->setText(MainWindow1::tr("About Korvanta"));
    ui->defaultRbtn->setChecked(true);
    ui->rightwaveListIO->hide();

    ui->splitter->setChildrenCollapsible(false);
    ui->splitter->setStretchFactor(0, 4);
    ui->splitter->setStretchFactor(1, 15);
    ui->splitter->setStretchFactor(2, 7);
    ui->splitter->setSizes({width, (width / 4) * 15, (width / 4) * 7});
}

// The first page shown, the widgets never shown, the kit number and name fields.
void setUpKitFields(Ui::MainWindow1 *ui, const QString &fontFamily)
{
    ui->stackedWidget->setCurrentIndex(0);
    const QList<QWidget *> hidden = {ui->label_147, ui->hhLayer5SpinBox, ui->label_95, ui->label_32,
                                     ui->kitNoSpinBox, ui->kitNameLabel, ui->label_189, ui->tempoSync,
                                     ui->customRbtn, ui->label_19, ui->label_23, ui->label_24,
                                     ui->label_25, ui->effect1_no, ui->effect2_no, ui->effect3_no,
                                     ui->effect4_no};
    for (QWidget *wdg : hidden)
        wdg->hide();

    ui->kitNumber->setValidator(new QRegExpValidator(
            QRegExp(QStringLiteral("^([1-9][0-9]{0,1}|100)$"), Qt::CaseSensitive, QRegExp::RegExp), ui->kitNumber));
    ui->kitNumber->setText(QStringLiteral("1"));
    ui->kitNumber->setStyleSheet(QStringLiteral("QToolTip{background-color:white; color:black;}"));

    QFont nameFont(fontFamily);
    nameFont.setUnderline(true);
    nameFont.setBold(true);
    nameFont.setPointSize(15);
    ui->kitNameLineEdit->setFont(nameFont);
}

// The sound-group tree on the library's model.
void setUpGroupTree(QTreeView *groups, QStandardItemModel *model, QStyle *style)
{
    groups->setModel(model);
    groups->setDefaultDropAction(Qt::CopyAction);
    groups->setDragEnabled(true);
    groups->setDragDropMode(QAbstractItemView::DragOnly);
    groups->setToolTipDuration(500);
    groups->setAnimated(true);
    groups->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
    groups->setStyle(style);
}

// The effect controls, the sound lists' edits and selections, the sound menus.
void connectPagesAndLists(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->ui;
    QSpinBox *const controls[12] = {ui->effect1_ctrl1, ui->effect1_ctrl2, ui->effect1_ctrl3,
                                    ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3,
                                    ui->effect3_ctrl1, ui->effect3_ctrl2, ui->effect3_ctrl3,
                                    ui->effect4_ctrl1, ui->effect4_ctrl2, ui->effect4_ctrl3};
    for (QSpinBox *box : controls)
        QObject::connect(box, SIGNAL(valueChanged(int)), w, SLOT(on_valueChanged(int)));
    QObject::connect(w->library().soundListItemModel(), &QStandardItemModel::itemChanged, w,
                     &MainWindow1::soundListItemModelChanged);
    w->connectSoundListSelections();
    if (QItemSelectionModel *sel = ui->waveGroupTreeView->selectionModel())
        QObject::connect(sel, &QItemSelectionModel::selectionChanged, w,
                         [w]() { w->leftSelectItemChanged(w->ui->waveGroupTreeView->currentIndex()); });
    QObject::connect(WaveTreeView1::delSoundAction(), SIGNAL(triggered()), w, SLOT(deleteWaveFromList()));
    QObject::connect(TotalTreeView::deleteSoundAction(), SIGNAL(triggered()), w, SLOT(deleteWaveFromList1()));
    QObject::connect(TotalTreeView::exportSoundAction(), SIGNAL(triggered()), w, SLOT(exportWave()));
    QObject::connect(ui->totalWaveTreeView, SIGNAL(sendSelectItem(bool)), w, SLOT(recvSelectItem(bool)));
}

// A temporary folder and its play folder; false when it could not be made.
bool makeTempFolder(const QTemporaryDir &dir, QString &name, QString &play, const QString &sub)
{
    if (!dir.isValid())
        return false;
    name = dir.path();
    play = name + QDir::separator() + sub;
    return ztplatform::makePath(play);
}

// The window's signals to its own slots and to the kit choice dialog.
void connectWindowSignals(MainWindow1 *w)
{
    QObject::connect(w, SIGNAL(sendLoopIndex2(int)), w, SLOT(waveLoop2(int)));
    SelectKitNo *skn = w->skn;
    QObject::connect(w, SIGNAL(sendKitNameList(QVector<QString>)), skn, SLOT(recvKitNameList(QVector<QString>)));
    QObject::connect(w, SIGNAL(sendKitIndexList(QVector<int>)), skn, SLOT(recvKitIndexList(QVector<int>)));
    QObject::connect(skn, SIGNAL(sendIsClose(bool)), w, SLOT(recvIsClose(bool)));
    QObject::connect(skn, SIGNAL(sendKitIndexState(QVector<int>)), w, SLOT(recvKitIndexState(QVector<int>)));
    // The kit list model belongs to the kit-chain page; it may not exist yet.
    if (w->kitChains().kitChainListItemModel())
        QObject::connect(w->kitChains().kitChainListItemModel(), &QStandardItemModel::itemChanged, w,
                         &MainWindow1::kitChainListItemModelChanged);
    QObject::connect(w, &MainWindow1::sendKitNameChanged, w,
                     static_cast<void (MainWindow1::*)(QString, int)>(&MainWindow1::recvKitNameList));
    QObject::connect(w, &MainWindow1::sendKitNameChanged, w, &MainWindow1::updateKitNameAndNo);
    QObject::connect(w, SIGNAL(sendKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN>)), w,
                     SLOT(recvKitChainMeg(QVector<MainWindow1Records::KIT_CHAIN>)));
    QObject::connect(w, SIGNAL(sendKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN>, QVector<QString>)), w,
                     SLOT(recvKitChainInfo(QVector<MainWindow1Records::KIT_CHAIN>, QVector<QString>)));
    QObject::connect(w, SIGNAL(sendModelIndex(QModelIndex, quint8)), w, SLOT(recvModel(QModelIndex, quint8)));
    QObject::connect(w, SIGNAL(sendLabelSize(int, int)), w, SLOT(initDisplay(int, int)));
    QObject::connect(w, SIGNAL(sendLoadSave(bool)), w, SLOT(recvLoadSave(bool)));
    QObject::connect(w, SIGNAL(sendUpdate(int, int)), w, SLOT(recvUpdate(int, int)));
    QObject::connect(&w->pad(), &PadSession::modeChanged, w,
                     [w](PadSession::Mode mode) { padpane::showPadMode(w, mode); });
}

// The copy dialogs' wiring to the kit name field and the window.
void connectCopyDialogs(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->ui;
    QObject::connect(ui->kitNameLineEdit, SIGNAL(sendClickRight(int)), w, SLOT(recvDstKitClick(int)));
    QObject::connect(w, &MainWindow1::sendSrcKit, ui->kitNameLineEdit, &LineEdit::recvSrcKit);
    QObject::connect(ui->kitNameLineEdit, SIGNAL(sendMainDstKit(int)), w, SLOT(recvDstKit(int)));
    QObject::connect(w->kitCopy, SIGNAL(sendDstKit(int)), w, SLOT(recvDstKit(int)));
}

} // namespace

MainWindow1::MainWindow1(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow1)
{
    // The form's images live in the resources of a static library.
    ztInitResources();
    ui->setupUi(this);
    makeControllers();
    qApp->setQuitOnLastWindowClosed(false);
    setWindowTitle(QStringLiteral("Korvanta-V1.04"));
    setAttribute(Qt::WA_DeleteOnClose);

    myStyle = new MyStyle;
    original_width = ui->waveGroupTreeView->width();
    setUpFrame(ui, original_width);

    const bool chinese = QLocale().language() == QLocale::Chinese;
    FontFamily = chinese ? QStringLiteral("Microsoft YaHei") : QStringLiteral("Tahoma");
    FontFamilyTxt = QStringLiteral("Arial");
    shellsteps::initUIFont(this);
    fontSize_9 = 9;
    fontSize_16 = 16;

    shellsteps::initValueAndList(this);
    setUpKitFields(ui, FontFamily);
    shellsteps::initPadWidgetPoint(this);
    shellsteps::initHHWidgetPoint(this);
    shellsteps::initUi(this);

    setUpGroupTree(ui->waveGroupTreeView, library().soundListItemModel(), myStyle);
    ui->left_stackedSoundWidget->setAcceptDrops(true);
    ui->left_stackedSoundWidget->installEventFilter(this);
    shellsteps::setPadEventFilter(this);

    librarypane::setUpSoundViews(this);
    initClickItemModel();

    librarypane::initSoundPlay(this);
    kitpage::connectDocument(this); // the pages show what the document holds from here on
    kitpage::initGlobalSet(this);
    kitpage::initKitSet(this);
    kitchainpage::initKitChainSet(this);
    doc().markAllSaved(globalPage()); // the start is what a close compares with

    connectPagesAndLists(this);

    // Temporary folders, each with its play folder.
    if (!makeTempFolder(tmpDir, TempDirName, TempPlayDirName, QStringLiteral("play"))
        || !makeTempFolder(tmpDir2, TempDirName2, TempPlayDirName2, QStringLiteral("PLAY"))) {
        UiPrompter::instance()->information(this, tr("Error"), tr("Failed to create temporary directory!"),
                                            QMessageBox::Ok);
        return;
    }
    tmpDir.setAutoRemove(true);
    tmpDir2.setAutoRemove(true);

    shellsteps::initPadMenu(this);

    skn = new SelectKitNo;
    connectWindowSignals(this);

    // Dialogs of the window, so that what holds the window (a window-modal
    // wait) holds them too.
    copy_pad = new CopyPadFunc(this);
    kitCopy = new CopyKitFunc(this);
    connectCopyDialogs(this);

    auto *selectAll = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_A), ui->waveGroupTreeView);
    selectAll->setContext(Qt::WindowShortcut);
    connect(selectAll, &QShortcut::activated, this, [this]() { ui->waveGroupTreeView->selectAll(); });

    constructionComplete = true;
}

MainWindow1::~MainWindow1()
{
    ztplatform::endFolderWatch(this);
    // A name editor still open commits while the widgets go: no rename then.
    for (QStandardItemModel *model :
         {library().soundListItemModel(), library().totalListItemModel(), library().hhSoundItemModel()})
        model->disconnect(this);
    // A window gone without its close writes the groups without a word.
    if (writeSoundListOnClose && !soundListSettled)
        library().saveSoundList();
    // The copy dialogs go before the widgets they act on; the kit choice
    // dialog has no parent.
    delete copy_pad;
    delete kitCopy;
    delete skn;
    releaseControllers();
    delete ui;
}

void shellsteps::initValueAndList(MainWindow1 *w)
{
    w->myDetector = new DeviceDetector(nullptr);

    w->soundLists().clearWaveAttrList();


    w->soundLists().noteLastWaveNumber(0);
    w->dragLeftOrRight = 0;

    w->soundLists().useOwnClickSounds(true);
    w->ui->actionReorder_Serial_Numbers->setVisible(false);
    if (w->soundLists().userFlag()) {
        w->ui->actionGlobal_Setting->setVisible(false);
        w->ui->actionBack_to_main_interface->setVisible(false);
    }

    w->posFlagA = w->posFlagB = false;
    w->dragFlag = false;
    w->dropToPadOrRight = false;
}

void MainWindow1::recvClose(int flag)
{
    quitFlag = flag;
}

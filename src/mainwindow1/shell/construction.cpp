// The frame's construction: the widget tables, the frame and fonts, the
// temporary folders, the dialogs and the window's own wiring.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "ui_mainwindow1.h"

#include "library/soundlibrary.h"
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
#include "widgets/wheelguard.h"
#include "document/kitdocument.h"
#include "device/padsession.h"

#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
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
    ui->menuFile->setTitle(WindowTexts::tr("File"));
    ui->menuHelp->setTitle(WindowTexts::tr("Manual"));
    ui->actionAbout_Korvanta->setText(WindowTexts::tr("About Korvanta"));
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

// A temporary folder and its play folder; false when it could not be made.
bool makeTempFolder(const ztplatform::RunFolder &dir, QString &name, QString &play, const QString &sub)
{
    if (!dir.isValid())
        return false;
    name = dir.path();
    play = name + QDir::separator() + sub;
    return ztplatform::makePath(play);
}

} // namespace

ShellController::ShellController(const Areas &areas, Ui::MainWindow1 *ui, KitDocument &doc, SoundLibrary &library,
                                 PadSession &pad, QWidget *window)
    : QObject(nullptr)
    , m_preview(areas.preview)
    , m_soundFiles(areas.soundFiles)
    , m_soundLists(areas.soundLists)
    , m_kitPages(areas.kitPages)
    , m_mainPadPage(areas.mainPadPage)
    , m_kitChains(areas.kitChains)
    , m_setupFiles(areas.setupFiles)
    , m_padSync(areas.padSync)
    , m_ui(ui)
    , m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_boxParent(window)
{
    initPadWidgetPoint();
    initHHWidgetPoint();
}

ShellController::~ShellController()
{
    // The copy dialogs go before the widgets they act on; the kit choice
    // dialog has no parent.
    delete m_copy_pad;
    delete m_kitCopy;
    delete m_skn;
}

void ShellController::buildFrame()
{
    m_myStyle = new MyStyle;
    // No field of the window or its dialogs changes under a wheel it did not ask for.
    wheelguard::install();
    m_original_width = m_ui->waveGroupTreeView->width();
    setUpFrame(m_ui, m_original_width);

    const bool chinese = QLocale().language() == QLocale::Chinese;
    m_FontFamily = chinese ? QStringLiteral("Microsoft YaHei") : QStringLiteral("Tahoma");
    m_FontFamilyTxt = QStringLiteral("Arial");
    initUIFont();
    m_fontSize_9 = 9;
    m_fontSize_16 = 16;

    m_myDetector = new DeviceDetector(nullptr);
    m_ui->actionReorder_Serial_Numbers->setVisible(false);
    if (m_soundLists.userFlag()) {
        m_ui->actionGlobal_Setting->setVisible(false);
        m_ui->actionBack_to_main_interface->setVisible(false);
    }
    setUpKitFields(m_ui, m_FontFamily);
    initUi();

    setUpGroupTree(m_ui->waveGroupTreeView, m_library.soundListItemModel(), m_myStyle);
    m_ui->left_stackedSoundWidget->setAcceptDrops(true);
    m_ui->left_stackedSoundWidget->installEventFilter(m_boxParent);
    setPadEventFilter();
}

void ShellController::connectPagesAndLists()
{
    QObject *w = m_boxParent;
    m_soundLists.connectSoundListSelections();
    if (QItemSelectionModel *sel = m_ui->waveGroupTreeView->selectionModel()) {
        SoundListsController *lists = &m_soundLists;
        QTreeView *groups = m_ui->waveGroupTreeView;
        QObject::connect(sel, &QItemSelectionModel::selectionChanged, w,
                         [lists, groups]() { lists->groupTreeSelection(groups->currentIndex(), false); });
    }
}

bool ShellController::makeTempFolders()
{
    if (!makeTempFolder(m_tmpDir, m_TempDirName, m_TempPlayDirName, QStringLiteral("play"))
        || !makeTempFolder(m_tmpDir2, m_TempDirName2, m_TempPlayDirName2, QStringLiteral("PLAY"))) {
        UiPrompter::instance()->information(m_boxParent, WindowTexts::tr("Error"),
                                            WindowTexts::tr("Failed to create temporary directory!"),
                                            QMessageBox::Ok);
        return false;
    }
    m_tmpDir.setAutoRemove(true);
    m_tmpDir2.setAutoRemove(true);
    return true;
}

void ShellController::finishConstruction()
{
    initPadMenu();

    m_skn = new SelectKitNo;

    // Dialogs of the window, so that what holds the window (a window-modal
    // wait) holds them too.
    m_copy_pad = new CopyPadFunc(m_boxParent);
    m_kitCopy = new CopyKitFunc(m_boxParent);

    auto *selectAll = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_A), m_ui->waveGroupTreeView);
    selectAll->setContext(Qt::WindowShortcut);
    QTreeView *groups = m_ui->waveGroupTreeView;
    connect(selectAll, &QShortcut::activated, groups, [groups]() { groups->selectAll(); });

    m_constructionComplete = true;
}

void ShellController::exportReportClosed(CustomDialog *report)
{
    if (m_custom == report)
        m_custom = nullptr;
}

void ShellController::settleSoundListAtExit()
{
    if (m_writeSoundListOnClose && !m_soundListSettled)
        m_library.saveSoundList({}, true);
}

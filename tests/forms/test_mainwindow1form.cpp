// Main window form: frame, menus, top bar, playback bar, left pane, pad area
// and kit-chain steps.

#include <QAbstractItemView>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QTreeView>

#include "formharness.h"
#include "resources/ztresources.h"
#include "widgets/lineedit.h"
#include "widgets/padlabel.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

namespace {

const int kNoLimit = 16777215;

// Where a widget or layout sits in the layouts of its parent widget.
struct Place
{
    QLayout *layout = nullptr;
    int index = -1;
};

Place findIn(QLayout *layout, QLayoutItem *wanted, QWidget *w, QLayout *l)
{
    if (!layout)
        return {};
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if ((w && item->widget() == w) || (l && item->layout() == l) || (wanted && item == wanted))
            return {layout, i};
        if (QLayout *sub = item->layout()) {
            Place p = findIn(sub, wanted, w, l);
            if (p.layout)
                return p;
        }
    }
    return {};
}

Place placeOf(QWidget *w)
{
    return w->parentWidget() ? findIn(w->parentWidget()->layout(), nullptr, w, nullptr) : Place{};
}

int stretchAt(const Place &p)
{
    auto *box = qobject_cast<QBoxLayout *>(p.layout);
    return box ? box->stretch(p.index) : -1;
}

QMargins margins(QLayout *l)
{
    int a, b, c, d;
    l->getContentsMargins(&a, &b, &c, &d);
    return QMargins(a, b, c, d);
}

QStringList stretches(QBoxLayout *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << QString::number(box->stretch(i));
    return out;
}

QString familyOf(QWidget *w)
{
    return w->font().resolve() & QFont::FamilyResolved ? w->font().family() : QString();
}

bool ownFamily(QWidget *w, const QString &family)
{
    return (w->font().resolve() & QFont::FamilyResolved) && w->font().family() == family;
}

int ownPointSize(QWidget *w)
{
    return (w->font().resolve() & QFont::SizeResolved) ? w->font().pointSize() : -1;
}

bool sameImage(const QIcon &icon, const QString &path)
{
    const QPixmap want(path);
    if (want.isNull() || icon.isNull())
        return !icon.isNull();  // image not there: at least an icon is set
    const QImage a = icon.pixmap(want.size()).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = want.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return a == b;
}

const QString kYaHei = QStringLiteral("Microsoft YaHei");

// Records every source text passed through the translator.
class RecordingTranslator : public QTranslator
{
public:
    QStringList sources;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        // key names and the like come from Qt's own contexts
        if (qstrcmp(context, "MainWindow1") == 0)
            const_cast<RecordingTranslator *>(this)->sources << QString::fromUtf8(sourceText);
        return QString();
    }
};

} // namespace

#define CHECK_NAMED(member) QCOMPARE(f.ui.member->objectName(), QStringLiteral(#member))

class TestMainWindow1Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void windowNameSizeAndTitle();
    void keepsExistingObjectName();
    void frameAndPages();
    void skeletonOfMainPage();
    void splitterAndPanes();
    void menusAndActions();

    void topBarModeButtons();
    void kitBar();
    void kitChainBar();
    void playbackBar();
    void leftPanePages();
    void ledColourLists();
    void sheetsFontsAndPolicies();

    void padArea();
    void padLabels();
    void kitChainSteps();

    void slotsConnectByName();
    void signalsReachSlots();
    void textPassOrder();
    void rendersPadsAndTopBar();
};

void TestMainWindow1Form::initTestCase()
{
    ztInitResources();
    formharness::installMessageHandler();
}

void TestMainWindow1Form::windowNameSizeAndTitle()
{
    FormFixture f;
    QCOMPARE(f.window.objectName(), QStringLiteral("MainWindow1"));
    QCOMPARE(f.window.size(), QSize(1058, 720));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("MainWindow"));
    QCOMPARE(f.ui.menubar->geometry(), QRect(0, 0, 1058, 20));
    QCOMPARE(f.window.menuBar(), f.ui.menubar);
    QCOMPARE(f.window.statusBar(), f.ui.statusbar);
    QVERIFY(f.ui.statusbar->currentMessage().isEmpty());
    // the window as a whole has no font of its own
    QCOMPARE(int(f.window.font().resolve()), 0);
}

void TestMainWindow1Form::keepsExistingObjectName()
{
    FormHarnessWindow w;
    w.setObjectName(QStringLiteral("shell"));
    Ui_MainWindow1 ui;
    ui.setupUi(&w);
    QCOMPARE(w.objectName(), QStringLiteral("shell"));
}

void TestMainWindow1Form::frameAndPages()
{
    FormFixture f;
    CHECK_NAMED(centralwidget);
    QCOMPARE(f.window.centralWidget(), f.ui.centralwidget);
    QCOMPARE(f.ui.centralwidget->layout(), f.ui.horizontalLayout_58);
    QCOMPARE(f.ui.horizontalLayout_58->spacing(), 0);
    QCOMPARE(margins(f.ui.horizontalLayout_58), QMargins(0, 0, 0, 0));
    QCOMPARE(f.ui.horizontalLayout_58->count(), 1);
    QCOMPARE(f.ui.horizontalLayout_58->itemAt(0)->widget(), f.ui.stackedWidget);

    CHECK_NAMED(stackedWidget);
    QCOMPARE(f.ui.stackedWidget->count(), 2);
    QCOMPARE(f.ui.stackedWidget->widget(0), f.ui.main_ui);
    QCOMPARE(f.ui.stackedWidget->widget(1), f.ui.global_ui);
    QCOMPARE(f.ui.stackedWidget->currentIndex(), 0);
    CHECK_NAMED(main_ui);
    CHECK_NAMED(global_ui);
    QCOMPARE(f.ui.main_ui->styleSheet(), QStringLiteral("color: black;"));
    QCOMPARE(f.ui.main_ui->layout(), f.ui.horizontalLayout_103);
    QCOMPARE(f.ui.horizontalLayout_103->spacing(), 0);
    QCOMPARE(margins(f.ui.horizontalLayout_103), QMargins(0, 0, 0, 0));
    QVERIFY(ownFamily(f.ui.global_ui, kYaHei));
    QCOMPARE(f.ui.global_ui->styleSheet(), QStringLiteral("QWidget#global_ui{\n\tborder-radius: 40px;\n}"));
}

void TestMainWindow1Form::skeletonOfMainPage()
{
    FormFixture f;
    auto &ui = f.ui;
    CHECK_NAMED(mainUiWidget);
    QCOMPARE(ui.mainUiWidget->parentWidget(), ui.main_ui);
    QCOMPARE(ui.mainUiWidget->styleSheet(), QStringLiteral("color: white"));
    QCOMPARE(placeOf(ui.mainUiWidget).layout, ui.horizontalLayout_103);
    QCOMPARE(ui.mainUiWidget->layout(), ui.verticalLayout_35);
    QCOMPARE(ui.verticalLayout_35->spacing(), 0);
    QCOMPARE(margins(ui.verticalLayout_35), QMargins());

    QCOMPARE(ui.topWidget->parentWidget(), ui.mainUiWidget);
    QCOMPARE(ui.verticalLayout_35->count(), 1);
    QCOMPARE(ui.topWidget->layout(), ui.verticalLayout_34);
    QCOMPARE(ui.verticalLayout_34->spacing(), 0);
    QCOMPARE(margins(ui.verticalLayout_34), QMargins());
    QCOMPARE(stretches(ui.verticalLayout_34), QStringList({"1", "15", "1"}));
    QCOMPARE(ui.verticalLayout_34->itemAt(0)->widget(), ui.topSectionWidget);
    QCOMPARE(ui.verticalLayout_34->itemAt(1)->widget(), ui.midWidgetSection);
    QCOMPARE(ui.verticalLayout_34->itemAt(2)->widget(), ui.bottomWaveWidget);
    for (QWidget *w : {ui.topWidget, ui.topSectionWidget, ui.midWidgetSection, ui.bottomWaveWidget}) {
        QCOMPARE(w->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
        QCOMPARE(w->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
        QCOMPARE(w->maximumSize(), QSize(kNoLimit, kNoLimit));
    }
    QCOMPARE(ui.topSectionWidget->parentWidget(), ui.topWidget);
    QCOMPARE(ui.midWidgetSection->parentWidget(), ui.topWidget);
    QCOMPARE(ui.bottomWaveWidget->parentWidget(), ui.topWidget);
    QCOMPARE(ui.topSectionWidget->minimumSize(), QSize(0, 0));
    // No pane is held at a fixed height: the window fits low screens.
    QCOMPARE(ui.midWidgetSection->minimumSize(), QSize(0, 0));
    QCOMPARE(ui.midWidgetSection->layout(), ui.horizontalLayout_60);
    QCOMPARE(ui.horizontalLayout_60->spacing(), 0);
    QCOMPARE(margins(ui.horizontalLayout_60), QMargins());
    QCOMPARE(ui.horizontalLayout_60->count(), 1);
    QCOMPARE(ui.horizontalLayout_60->itemAt(0)->widget(), ui.splitter);
}

void TestMainWindow1Form::splitterAndPanes()
{
    FormFixture f;
    auto &ui = f.ui;
    QSplitter *s = ui.splitter;
    QCOMPARE(s->parentWidget(), ui.midWidgetSection);
    QCOMPARE(s->orientation(), Qt::Horizontal);
    QVERIFY(!s->opaqueResize());
    QVERIFY(!s->childrenCollapsible());
    QCOMPARE(s->styleSheet(), QStringLiteral("border: 1px solid grey;"));
    QCOMPARE(s->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(s->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(s->count(), 3);
    QCOMPARE(s->widget(0), ui.leftWaveKitSec);
    QCOMPARE(s->widget(1), ui.midWaveWidget);
    QCOMPARE(s->widget(2), ui.rightWidget);

    // left pane
    QCOMPARE(ui.leftWaveKitSec->minimumSize(), QSize(0, 0)); // as wide as its texts
    QCOMPARE(ui.leftWaveKitSec->maximumSize(), QSize(kNoLimit, kNoLimit));
    QCOMPARE(ui.leftWaveKitSec->styleSheet(), QStringLiteral("border:none;\n\n"));
    QCOMPARE(ui.leftWaveKitSec->layout(), ui.verticalLayout_57);
    QCOMPARE(ui.left_stackedWidget->parentWidget(), ui.leftWaveKitSec);
    QCOMPARE(ui.left_stackedWidget->styleSheet(), QStringLiteral("border-right: 1px solid grey;"));
    QCOMPARE(ui.left_stackedWidget->count(), 3);
    QCOMPARE(ui.left_stackedWidget->widget(0), ui.left_stackedSoundWidget);
    QCOMPARE(ui.left_stackedWidget->widget(1), ui.left_stackedKitWidget);
    QCOMPARE(ui.left_stackedWidget->widget(2), ui.left_soundHHSet);
    QCOMPARE(ui.left_stackedWidget->currentIndex(), 0);

    // middle pane
    QCOMPARE(ui.midWaveWidget->styleSheet(), QStringLiteral("border:none;\n"));
    QCOMPARE(ui.midWaveWidget->layout(), ui.verticalLayout_46);
    QCOMPARE(ui.midStackedWidget->parentWidget(), ui.midWaveWidget);
    QCOMPARE(ui.midStackedWidget->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(ui.midStackedWidget->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(ui.midStackedWidget->minimumSize(), QSize(560, 0));
    QCOMPARE(ui.midStackedWidget->styleSheet(), QString());
    QCOMPARE(ui.midStackedWidget->count(), 3);
    QCOMPARE(ui.midStackedWidget->widget(0), ui.midStackedWidgetPage1);
    QCOMPARE(ui.midStackedWidget->widget(1), ui.midStackedKitChainStep);
    QCOMPARE(ui.midStackedWidget->widget(2), ui.midStackedWidgetPad3);
    QCOMPARE(ui.midStackedWidget->currentIndex(), 0);

    // right pane
    QCOMPARE(ui.rightWidget->styleSheet(), QStringLiteral("border:none;\n"));
    QCOMPARE(ui.rightWidget->layout(), ui.verticalLayout_47);
    QCOMPARE(ui.right_stackedWidget->parentWidget(), ui.rightWidget);
    QCOMPARE(ui.right_stackedWidget->minimumSize(), QSize(0, 0));
    QCOMPARE(ui.right_stackedWidget->focusPolicy(), Qt::ClickFocus);
    QVERIFY(ui.right_stackedWidget->acceptDrops());
    QCOMPARE(ui.right_stackedWidget->styleSheet(), QStringLiteral("border-left: 1px solid grey;\n"));
    QCOMPARE(ui.right_stackedWidget->count(), 2);
    QCOMPARE(ui.right_stackedWidget->widget(0), ui.right_stackedWidgetPage1);
    QCOMPARE(ui.right_stackedWidget->widget(1), ui.rightHHSoundWidget);
    QCOMPARE(ui.right_stackedWidget->currentIndex(), 0);

    for (QLayout *l : {static_cast<QLayout *>(ui.verticalLayout_57), static_cast<QLayout *>(ui.verticalLayout_46),
                       static_cast<QLayout *>(ui.verticalLayout_47)}) {
        QCOMPARE(l->spacing(), 0);
        QCOMPARE(margins(l), QMargins());
        QCOMPARE(l->count(), 1);
    }
}

void TestMainWindow1Form::menusAndActions()
{
    FormFixture f;
    auto &ui = f.ui;
    QList<QAction *> bar = ui.menubar->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar.at(0), ui.menuFile->menuAction());
    QCOMPARE(bar.at(1), ui.menuEdit->menuAction());
    QCOMPARE(bar.at(2), ui.menuHelp->menuAction());
    QCOMPARE(ui.menuFile->title(), QStringLiteral("File"));
    QCOMPARE(ui.menuEdit->title(), QStringLiteral("Edit"));
    QCOMPARE(ui.menuHelp->title(), QStringLiteral("Manual"));
    for (QMenu *m : {ui.menuFile, ui.menuEdit, ui.menuHelp})
        QCOMPARE(m->parentWidget(), ui.menubar);
    QVERIFY(!ui.menuEdit->isTearOffEnabled());
    QVERIFY(!ui.menuEdit->toolTipsVisible());

    QCOMPARE(ui.menuFile->actions(), QList<QAction *>({ui.actionExport_All, ui.actionImport_All}));
    QCOMPARE(ui.menuEdit->actions(),
             QList<QAction *>({ui.actionGlobal_Setting, ui.actionBack_to_main_interface,
                               ui.actionReorder_Serial_Numbers}));
    QCOMPARE(ui.menuHelp->actions(), QList<QAction *>({ui.actionAbout_Korvanta}));
    QVERIFY(ui.actionKit_Setiing->associatedWidgets().isEmpty());

    const QList<QPair<QAction *, QString>> actions = {
        {ui.actionKit_Setiing, "Sound Kit Interface"},
        {ui.actionBack_to_main_interface, "Back to Main Interface"},
        {ui.actionAbout_Korvanta, "About Korvanta"},
        {ui.actionExport_All, "Export sound library"},
        {ui.actionImport_All, "Import sound library"},
        {ui.actionGlobal_Setting, "Global Setting Interface"},
        {ui.actionReorder_Serial_Numbers, "Renumber"},
    };
    const QStringList names = {"actionKit_Setiing", "actionBack_to_main_interface", "actionAbout_Korvanta",
                               "actionExport_All", "actionImport_All", "actionGlobal_Setting",
                               "actionReorder_Serial_Numbers"};
    // the actions are the window's first children, in this order
    QList<QAction *> own = f.window.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    QStringList ownNames;
    for (QAction *a : own) {
        if (!a->objectName().isEmpty())
            ownNames << a->objectName();
    }
    QCOMPARE(ownNames, names);
    for (int i = 0; i < actions.size(); ++i) {
        QAction *a = actions.at(i).first;
        QCOMPARE(a->objectName(), names.at(i));
        QCOMPARE(a->parent(), &f.window);
        QCOMPARE(a->text(), actions.at(i).second);
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(a->icon().isNull());
        QCOMPARE(a->toolTip(), a->text());  // no tool tip of its own
    }
}

void TestMainWindow1Form::topBarModeButtons()
{
    FormFixture f;
    auto &ui = f.ui;
    QCOMPARE(ui.topSectionWidget->layout(), ui.horizontalLayout_161);
    QCOMPARE(ui.horizontalLayout_161->spacing(), 0);
    QCOMPARE(margins(ui.horizontalLayout_161), QMargins());
    QCOMPARE(stretches(ui.horizontalLayout_161), QStringList({"4", "16"}));
    QCOMPARE(ui.horizontalLayout_161->itemAt(0)->widget(), ui.left_top);
    QCOMPARE(ui.horizontalLayout_161->itemAt(1)->widget(), ui.rightTopStackedWidget);
    QCOMPARE(ui.left_top->styleSheet(), QStringLiteral("background-color: rgb(0, 0, 0);"));
    QCOMPARE(ui.rightTopStackedWidget->styleSheet(), QStringLiteral("background-color:black;\ncolor:white;"));
    QCOMPARE(ui.rightTopStackedWidget->count(), 2);
    QCOMPARE(ui.rightTopStackedWidget->widget(0), ui.rightTopStackedWidgetPage1);
    QCOMPARE(ui.rightTopStackedWidget->widget(1), ui.kitChainWidget);
    QCOMPARE(ui.rightTopStackedWidget->currentIndex(), 0);

    QCOMPARE(ui.left_top->layout(), ui.horizontalLayout_149);
    QCOMPARE(ui.horizontalLayout_149->spacing(), 2);
    QCOMPARE(margins(ui.horizontalLayout_149), QMargins(2, 2, 2, 2));
    QCOMPARE(stretches(ui.horizontalLayout_149), QStringList({"1", "1", "1"}));
    const QList<QPair<QToolButton *, QString>> modes = {
        {ui.btnKitMove, "Preset \n Sounds"}, {ui.btnSoundKit, "Pad \n Settings "}, {ui.btnKitChain, "Kit \n Chain"}};
    for (int i = 0; i < modes.size(); ++i) {
        QToolButton *b = modes.at(i).first;
        QCOMPARE(b->parentWidget(), ui.left_top);
        QCOMPARE(ui.horizontalLayout_149->itemAt(i)->widget(), b);
        QCOMPARE(b->text(), modes.at(i).second);
        QCOMPARE(b->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
        QCOMPARE(b->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
        QVERIFY(ownFamily(b, kYaHei));
        QCOMPARE(ownPointSize(b), -1);
        QVERIFY(b->icon().isNull());
    }
}

void TestMainWindow1Form::kitBar()
{
    FormFixture f;
    auto &ui = f.ui;
    QWidget *page = ui.rightTopStackedWidgetPage1;
    QCOMPARE(page->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(page->layout(), ui.horizontalLayout_41);
    QCOMPARE(ui.horizontalLayout_41->spacing(), 4);
    QCOMPARE(margins(ui.horizontalLayout_41), QMargins(10, 4, 0, 4));
    QCOMPARE(stretches(ui.horizontalLayout_41), QStringList({"1", "4", "1", "1", "3", "2", "3"}));
    QCOMPARE(ui.horizontalLayout_41->itemAt(0)->widget(), ui.kitNameLabel_2);
    QCOMPARE(ui.horizontalLayout_41->itemAt(1)->widget(), ui.kitNameLineEdit);
    QCOMPARE(ui.horizontalLayout_41->itemAt(2)->widget(), ui.btnRenameKit);
    QCOMPARE(ui.horizontalLayout_41->itemAt(3)->widget(), ui.btnCopyKit);
    QCOMPARE(ui.horizontalLayout_41->itemAt(4)->widget(), ui.kitNameWidget);
    QCOMPARE(ui.horizontalLayout_41->itemAt(5)->spacerItem(), ui.horizontalSpacer_7);
    QCOMPARE(ui.horizontalLayout_41->itemAt(6)->widget(), ui.rightRightTop);
    QCOMPARE(ui.horizontalSpacer_7->sizeHint(), QSize(164, 20));
    QCOMPARE(ui.horizontalSpacer_7->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(ui.horizontalSpacer_7->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);

    QVERIFY(ui.kitNameLabel_2->text().isEmpty());
    QCOMPARE(ui.kitNameLabel_2->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.kitNameLabel_2->margin(), 0);

    QVERIFY(qobject_cast<LineEdit *>(ui.kitNameLineEdit));
    QCOMPARE(ui.kitNameLineEdit->parentWidget(), page);
    QCOMPARE(ui.kitNameLineEdit->focusPolicy(), Qt::ClickFocus);
    QVERIFY(!ui.kitNameLineEdit->hasMouseTracking());
    QCOMPARE(ui.kitNameLineEdit->styleSheet(), QStringLiteral("border:none;"));
    QCOMPARE(ui.kitNameLineEdit->alignment(), Qt::AlignCenter);
    QVERIFY(!ui.kitNameLineEdit->isClearButtonEnabled());
    QVERIFY(ui.kitNameLineEdit->text().isEmpty());

    QCOMPARE(ui.btnRenameKit->toolTip(), QStringLiteral("Rename"));
    QVERIFY(ui.btnRenameKit->text().isEmpty());
    QCOMPARE(ui.btnRenameKit->iconSize(), QSize(27, 27));
    QVERIFY(sameImage(ui.btnRenameKit->icon(), ":/images/rename1.png"));
    QCOMPARE(ui.btnCopyKit->toolTip(), QStringLiteral("Kit Copy"));
    QCOMPARE(ui.btnCopyKit->minimumSize(), QSize(39, 33));
    QCOMPARE(ui.btnCopyKit->iconSize(), QSize(27, 27));
    QVERIFY(sameImage(ui.btnCopyKit->icon(), ":/images/copy.png"));

    // kit number group
    QCOMPARE(ui.kitNameWidget->layout(), ui.verticalLayout_26);
    QCOMPARE(ui.verticalLayout_26->spacing(), 0);
    QCOMPARE(margins(ui.verticalLayout_26), QMargins(30, 2, 0, 0));
    QCOMPARE(stretches(ui.verticalLayout_26), QStringList({"2", "3"}));
    QCOMPARE(ui.verticalLayout_26->itemAt(0)->widget(), ui.kitNumberTitle);
    QCOMPARE(ui.verticalLayout_26->itemAt(1)->layout(), ui.horizontalLayout_152);
    QCOMPARE(ui.kitNumberTitle->text(), QStringLiteral("KIT NUMBER NO."));
    QCOMPARE(ui.horizontalLayout_152->spacing(), 5);
    QCOMPARE(margins(ui.horizontalLayout_152).bottom(), 0);
    QCOMPARE(stretches(ui.horizontalLayout_152), QStringList({"1", "4", "1"}));
    QCOMPARE(ui.horizontalLayout_152->itemAt(0)->widget(), ui.upPageBtn);
    QCOMPARE(ui.horizontalLayout_152->itemAt(1)->widget(), ui.kitNumber);
    QCOMPARE(ui.horizontalLayout_152->itemAt(2)->widget(), ui.downPageBtn);
    for (QWidget *w : {static_cast<QWidget *>(ui.upPageBtn), static_cast<QWidget *>(ui.kitNumber),
                       static_cast<QWidget *>(ui.downPageBtn), static_cast<QWidget *>(ui.kitNumberTitle)})
        QCOMPARE(w->parentWidget(), ui.kitNameWidget);
    QCOMPARE(ui.upPageBtn->toolTip(),
             QStringLiteral("Switch kit Number to the previous kit\nand save the current kit settings"));
    QCOMPARE(ui.downPageBtn->toolTip(),
             QStringLiteral("Switch kit Number to the next kit\nand save the current kit settings"));
    QCOMPARE(ui.kitNumber->toolTip(),
             QStringLiteral("Switch kit Number to the specified kit\nand save the current kit settings"));
    QCOMPARE(ui.upPageBtn->text(), QStringLiteral("..."));
    QCOMPARE(ui.downPageBtn->text(), QStringLiteral("..."));
    QCOMPARE(ui.upPageBtn->focusPolicy(), Qt::TabFocus);
    QCOMPARE(ui.downPageBtn->focusPolicy(), Qt::TabFocus);
    QVERIFY(sameImage(ui.upPageBtn->icon(), ":/images/last.png"));
    QVERIFY(sameImage(ui.downPageBtn->icon(), ":/images/next.png"));
    QCOMPARE(ui.kitNumber->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.kitNumber->minimumSize(), QSize(150, 27));
    QCOMPARE(ui.kitNumber->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(ui.kitNumber->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.kitNumber->styleSheet(), QStringLiteral("border:none;"));

    // file buttons
    QCOMPARE(ui.rightRightTop->layout(), ui.horizontalLayout_151);
    QCOMPARE(ui.horizontalLayout_151->spacing(), 5);
    QCOMPARE(margins(ui.horizontalLayout_151), QMargins(9, 0, 30, 0));
    QCOMPARE(stretches(ui.horizontalLayout_151), QStringList({"1", "1", "1"}));
    struct FileButton
    {
        QToolButton *button;
        const char *text;
        const char *tip;
        const char *icon;
        int iconSize;
        Qt::FocusPolicy focus;
    };
    const FileButton buttons[] = {
        {ui.btnClear, "CLEAR", "Clear All", ":/images/clear2.png", 30, Qt::TabFocus},
        {ui.btnLoadFile, "IMPORT", "Please import one or more INI files, or one BIN file.",
         ":/images/importFile.png", 28, Qt::NoFocus},
        {ui.btnSave, "SAVE", "Save as one or more INI files, or one BIN file.", ":/images/save1.png", 28,
         Qt::TabFocus},
    };
    for (int i = 0; i < 3; ++i) {
        const FileButton &b = buttons[i];
        QCOMPARE(ui.horizontalLayout_151->itemAt(i)->widget(), b.button);
        QCOMPARE(b.button->text(), QString::fromLatin1(b.text));
        QCOMPARE(b.button->toolTip(), QString::fromLatin1(b.tip));
        QCOMPARE(b.button->iconSize(), QSize(b.iconSize, b.iconSize));
        QVERIFY(sameImage(b.button->icon(), b.icon));
        QCOMPARE(b.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(b.button->focusPolicy(), b.focus);
    }
}

void TestMainWindow1Form::kitChainBar()
{
    FormFixture f;
    auto &ui = f.ui;
    QCOMPARE(ui.kitChainWidget->layout(), ui.horizontalLayout_59);
    QCOMPARE(ui.horizontalLayout_59->spacing(), 10);
    QCOMPARE(margins(ui.horizontalLayout_59), QMargins(30, 0, 0, 0));
    QCOMPARE(ui.horizontalLayout_59->count(), 1);
    QCOMPARE(ui.horizontalLayout_59->itemAt(0)->layout(), ui.horizontalLayout_57);
    QCOMPARE(ui.horizontalLayout_59->stretch(0), 3);
    QCOMPARE(stretches(ui.horizontalLayout_57), QStringList({"1", "1", "1", "2", "1", "1", "1", "1"}));
    QCOMPARE(ui.horizontalLayout_57->itemAt(0)->widget(), ui.chainFunctionTitle);
    QCOMPARE(ui.horizontalLayout_57->itemAt(1)->widget(), ui.rBtnKitChainOn);
    QCOMPARE(ui.horizontalLayout_57->itemAt(2)->widget(), ui.rBtnKitChainOff);
    QCOMPARE(ui.horizontalLayout_57->itemAt(3)->widget(), ui.kitChainNoWidget1);
    QCOMPARE(ui.horizontalLayout_57->itemAt(4)->widget(), ui.btnSureKitChain);
    QCOMPARE(ui.horizontalLayout_57->itemAt(5)->widget(), ui.btnClearStep);
    QCOMPARE(ui.horizontalLayout_57->itemAt(6)->widget(), ui.btnKitChainSave);
    QCOMPARE(ui.horizontalLayout_57->itemAt(7)->spacerItem(), ui.horizontalSpacer);
    QCOMPARE(ui.horizontalSpacer->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(ui.horizontalSpacer->sizeHint(), QSize(40, 20));

    QCOMPARE(ui.chainFunctionTitle->text(), QStringLiteral("<html><head/><body><p>KIT CHAIN</p><p>FUNCTION</p></body></html>"));
    QCOMPARE(ui.rBtnKitChainOn->text(), QStringLiteral("ON"));
    QCOMPARE(ui.rBtnKitChainOff->text(), QStringLiteral("OFF"));
    QCOMPARE(ui.rBtnKitChainOn->styleSheet(), ui.rBtnKitChainOff->styleSheet());
    QVERIFY(ui.rBtnKitChainOn->styleSheet().startsWith("QRadioButton::indicator\n{\n\twidth: 12px;"));
    QVERIFY(!ui.rBtnKitChainOn->isChecked());
    QVERIFY(!ui.rBtnKitChainOff->isChecked());
    QVERIFY(ui.rBtnKitChainOn->autoExclusive());
    QCOMPARE(ui.rBtnKitChainOn->parentWidget(), ui.kitChainWidget);
    QCOMPARE(ui.rBtnKitChainOff->parentWidget(), ui.kitChainWidget);
    ui.rBtnKitChainOn->setChecked(true);
    ui.rBtnKitChainOff->setChecked(true);
    QVERIFY(!ui.rBtnKitChainOn->isChecked());

    QCOMPARE(ui.kitChainNoWidget1->minimumSize(), QSize(162, 0));
    QCOMPARE(ui.kitChainNoWidget1->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    QCOMPARE(ui.kitChainNoWidget1->layout(), ui.verticalLayout_38);
    QCOMPARE(margins(ui.verticalLayout_38).left(), 9);
    QCOMPARE(margins(ui.verticalLayout_38).top(), 9);
    QCOMPARE(margins(ui.verticalLayout_38).bottom(), 6);
    QCOMPARE(stretches(ui.verticalLayout_38), QStringList({"2", "3"}));
    QCOMPARE(ui.chainNumberTitle->text(), QStringLiteral("KIT CHAIN"));
    QSpinBox *chain = ui.kitChainNoSpinBox;
    QCOMPARE(chain->parentWidget(), ui.kitChainNoWidget1);
    QCOMPARE(chain->minimum(), 1);
    QCOMPARE(chain->maximum(), 8);
    QCOMPARE(chain->value(), 1);
    QCOMPARE(chain->minimumSize(), QSize(160, 0));
    QCOMPARE(chain->alignment(), Qt::AlignCenter);
    QCOMPARE(chain->displayIntegerBase(), 10);
    QVERIFY(chain->suffix().isEmpty());
    chain->setValue(9);
    QCOMPARE(chain->value(), 8);
    chain->setValue(0);
    QCOMPARE(chain->value(), 1);

    QCOMPARE(ui.btnSureKitChain->toolTip(), QStringLiteral("Save KIT CHAIN"));
    QCOMPARE(ui.btnClearStep->toolTip(), QStringLiteral("Clear All"));
    QCOMPARE(ui.btnKitChainSave->toolTip(), QStringLiteral("Save as one or more INI files, or one BIN file."));
    QCOMPARE(ui.btnKitChainSave->text(), QStringLiteral("SAVE"));
    QCOMPARE(ui.btnKitChainSave->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(ui.btnKitChainSave->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.btnKitChainSave->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    for (QToolButton *b : {ui.btnSureKitChain, ui.btnClearStep, ui.btnKitChainSave})
        QCOMPARE(b->iconSize(), QSize(28, 28));
    QVERIFY(sameImage(ui.btnSureKitChain->icon(), ":/images/sure1.png"));
    QVERIFY(sameImage(ui.btnClearStep->icon(), ":/images/clear2.png"));
    QVERIFY(sameImage(ui.btnKitChainSave->icon(), ":/images/save1.png"));
}

void TestMainWindow1Form::playbackBar()
{
    FormFixture f;
    auto &ui = f.ui;
    QCOMPARE(ui.bottomWaveWidget->styleSheet(), QStringLiteral("background-color: black;\ncolor:white;"));
    QCOMPARE(ui.bottomWaveWidget->layout(), ui.horizontalLayout_163);
    QCOMPARE(ui.horizontalLayout_163->spacing(), 17);
    QCOMPARE(margins(ui.horizontalLayout_163), QMargins());
    QCOMPARE(stretches(ui.horizontalLayout_163), QStringList({"2", "6", "2"}));
    QCOMPARE(ui.horizontalLayout_163->itemAt(0)->layout(), ui.horizontalLayout_93);
    QCOMPARE(ui.horizontalLayout_163->itemAt(1)->widget(), ui.waveSliderWidget);
    QCOMPARE(ui.horizontalLayout_163->itemAt(2)->widget(), ui.wavePlayWidget2);

    QCOMPARE(margins(ui.horizontalLayout_93), QMargins(20, 3, 10, 3));
    QCOMPARE(stretches(ui.horizontalLayout_93), QStringList({"1", "1", "1"}));
    QCOMPARE(ui.horizontalLayout_93->itemAt(0)->widget(), ui.playBtn2);
    QCOMPARE(ui.horizontalLayout_93->itemAt(1)->widget(), ui.stopBtn2);
    QCOMPARE(ui.horizontalLayout_93->itemAt(2)->widget(), ui.loopBtn2);
    for (QToolButton *b : {ui.playBtn2, ui.stopBtn2, ui.loopBtn2}) {
        QCOMPARE(b->parentWidget(), ui.bottomWaveWidget);
        QVERIFY(b->toolTip().isEmpty());
    }
    QCOMPARE(ui.playBtn2->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(ui.playBtn2->shortcut(), QKeySequence(Qt::Key_Space));
    QCOMPARE(ui.playBtn2->popupMode(), QToolButton::DelayedPopup);
    QCOMPARE(ui.playBtn2->iconSize(), QSize(26, 26));
    QVERIFY(ui.playBtn2->icon().isNull());
    QVERIFY(ui.playBtn2->text().isEmpty());
    QCOMPARE(ui.stopBtn2->text(), QString::fromUtf8("\xe5\x81\x9c\xe6\xad\xa2"));
    QCOMPARE(ui.stopBtn2->iconSize(), QSize(26, 26));
    QVERIFY(sameImage(ui.stopBtn2->icon(), ":/images/stop.png"));
    QCOMPARE(ui.loopBtn2->iconSize(), QSize(28, 28));
    QVERIFY(sameImage(ui.loopBtn2->icon(), ":/images/loop.png"));

    QCOMPARE(ui.waveSliderWidget->layout(), ui.verticalLayout_27);
    QCOMPARE(ui.verticalLayout_27->spacing(), 0);
    QCOMPARE(margins(ui.verticalLayout_27).top(), 9);
    QCOMPARE(margins(ui.verticalLayout_27).bottom(), 1);
    QCOMPARE(ui.verticalLayout_27->itemAt(0)->widget(), ui.songLabel2);
    QCOMPARE(ui.verticalLayout_27->itemAt(1)->layout(), ui.horizontalLayout_99);
    QCOMPARE(ui.songLabel2->text(), QStringLiteral("SAMPLE"));
    QCOMPARE(ownPointSize(ui.songLabel2), 12);
    QCOMPARE(ui.songLabel2->alignment(), Qt::AlignHCenter | Qt::AlignBottom);
    QCOMPARE(margins(ui.horizontalLayout_99), QMargins(9, 9, 9, 9));
    QCOMPARE(stretches(ui.horizontalLayout_99), QStringList({"1", "4", "1"}));
    QCOMPARE(ui.horizontalLayout_99->itemAt(0)->widget(), ui.previewTotalTime);
    QCOMPARE(ui.horizontalLayout_99->itemAt(1)->widget(), ui.waveHorizontalSlider2);
    QCOMPARE(ui.horizontalLayout_99->itemAt(2)->widget(), ui.previewPlayedTime);
    QCOMPARE(ui.previewTotalTime->text(), QStringLiteral("00:00"));
    QCOMPARE(ui.previewPlayedTime->text(), QStringLiteral("00:00"));
    QCOMPARE(ui.waveHorizontalSlider2->orientation(), Qt::Horizontal);
    QCOMPARE(ui.waveHorizontalSlider2->minimum(), 0);
    QCOMPARE(ui.waveHorizontalSlider2->maximum(), 99);

    QCOMPARE(ui.wavePlayWidget2->layout(), ui.horizontalLayout_100);
    QCOMPARE(ui.horizontalLayout_100->spacing(), 9);
    QCOMPARE(margins(ui.horizontalLayout_100).left(), 15);
    QCOMPARE(margins(ui.horizontalLayout_100).top(), 5);
    QCOMPARE(margins(ui.horizontalLayout_100).right(), 5);
    QCOMPARE(ui.horizontalLayout_100->itemAt(0)->widget(), ui.volumeImg2);
    QCOMPARE(ui.horizontalLayout_100->itemAt(1)->widget(), ui.volumeHorizontalSlider2);
    QCOMPARE(ui.volumeImg2->minimumSize(), QSize(18, 18));
    QCOMPARE(ui.volumeImg2->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.volumeImg2->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.volumeImg2->styleSheet(), QStringLiteral("\nborder-image: url(:/images/volume1.png)"));
    QCOMPARE(ui.volumeHorizontalSlider2->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.volumeHorizontalSlider2->orientation(), Qt::Horizontal);
}

void TestMainWindow1Form::leftPanePages()
{
    FormFixture f;
    auto &ui = f.ui;
    struct Page
    {
        QWidget *page;
        QWidget *logo;
        QLabel *logoLabel;
        QWidget *title;
        QLabel *titleLabel;
        const char *text;
        QTreeView *tree;
        QStringList stretch;
    };
    const Page pages[] = {
        {ui.left_stackedSoundWidget, ui.logoWidget1, ui.labLogo1, ui.waveGroup_widget, ui.left_waveList_label,
         "LOCAL SOUND CATEGORY", ui.waveGroupTreeView, {"2", "1", "15", "1"}},
        {ui.left_stackedKitWidget, ui.logoWidget3, ui.labLogo3, ui.widget_2, ui.kitListTitle, "MY KITS",
         ui.kitListtreeView, {"2", "1", "15", "1"}},
        {ui.left_soundHHSet, ui.logoWidget2, ui.labLogo2, ui.widget_13, ui.soundListTitle, "MY SOUND LIST",
         ui.soundListTreeView, {"2", "1", "14", "1", "1"}},
    };
    for (const Page &p : pages) {
        auto *box = qobject_cast<QVBoxLayout *>(p.page->layout());
        QVERIFY(box);
        QCOMPARE(box->spacing(), 0);
        QCOMPARE(margins(box), QMargins());
        QCOMPARE(stretches(box), p.stretch);
        QCOMPARE(box->itemAt(0)->widget(), p.logo);
        QCOMPARE(box->itemAt(1)->widget(), p.title);
        QCOMPARE(box->itemAt(2)->widget(), static_cast<QWidget *>(p.tree));
        QCOMPARE(p.logoLabel->parentWidget(), p.logo);
        QVERIFY(p.logoLabel->hasScaledContents());
        QVERIFY(p.logoLabel->text().isEmpty());
        QCOMPARE(p.logoLabel->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
        QVERIFY(!p.logoLabel->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(margins(p.title->layout()), QMargins(9, 0, 4, 0));
        QCOMPARE(p.titleLabel->text(), QString::fromLatin1(p.text));
        QVERIFY(p.titleLabel->font().bold());
        QVERIFY(ownFamily(p.titleLabel, kYaHei));
        QCOMPARE(p.tree->parentWidget(), p.page);
        QCOMPARE(p.tree->focusPolicy(), Qt::NoFocus);
        QCOMPARE(p.tree->indentation(), 12);
        QVERIFY(ownFamily(p.tree, kYaHei));
    }
    QVERIFY(qobject_cast<WaveTreeView1 *>(ui.waveGroupTreeView));
    QCOMPARE(ui.waveGroupTreeView->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(ui.waveGroupTreeView->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QVERIFY(ui.waveGroupTreeView->header()->isHidden());
    QCOMPARE(ownPointSize(ui.waveGroupTreeView), 10);
    QCOMPARE(ownPointSize(ui.kitListtreeView), 10);
    QCOMPARE(ownPointSize(ui.soundListTreeView), -1);
    QVERIFY(!ui.kitListtreeView->header()->isHidden());
    QVERIFY(!ui.soundListTreeView->header()->isHidden());
    QCOMPARE(ui.kitListtreeView->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(ui.soundListTreeView->editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::EditKeyPressed));

    // control strips
    QCOMPARE(ui.verticalLayout_57->itemAt(0)->widget(), ui.left_stackedWidget);
    QCOMPARE(placeOf(ui.groupButtons).index, 3);
    QCOMPARE(placeOf(ui.kitMoveButtons).index, 3);
    QCOMPARE(ui.groupButtons->layout()->spacing(), 5);
    QCOMPARE(ui.kitMoveButtons->layout()->spacing(), 2);
    QCOMPARE(margins(ui.groupButtons->layout()), QMargins(5, 0, 5, 0));
    QCOMPARE(margins(ui.kitMoveButtons->layout()), QMargins(5, 0, 5, 0));
    struct Tool
    {
        QToolButton *b;
        const char *text;
        const char *tip;
        const char *icon;
    };
    const Tool tools[] = {
        {ui.addWaveGroup, "NEW", "Create A New Category", ":/images/createSound1.png"},
        {ui.addWaveFile, "ADD", "Add Sound Files", ":/images/waveImport1.png"},
        {ui.delWaveGroup, "DEL ", "Delete Sound", ":/images/del.png"},
        {ui.moveUpKit, "Up", "", ":/images/kitUp1.png"},
        {ui.moveDownKit, "Down", "", ":/images/kitDown1.png"},
    };
    for (const Tool &t : tools) {
        QCOMPARE(t.b->text(), QString::fromLatin1(t.text));
        QCOMPARE(t.b->toolTip(), QString::fromLatin1(t.tip));
        QCOMPARE(t.b->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QCOMPARE(t.b->styleSheet(), QStringLiteral("border:none;"));
        QVERIFY(sameImage(t.b->icon(), t.icon));
        QCOMPARE(stretchAt(placeOf(t.b)), 1);
    }
    QCOMPARE(ui.addWaveGroup->parentWidget(), ui.groupButtons);
    QCOMPARE(ui.moveUpKit->parentWidget(), ui.kitMoveButtons);
    QVERIFY(ui.addWaveGroup->hasMouseTracking());
    QCOMPARE(ui.moveUpKit->iconSize(), QSize(18, 18));
    QCOMPARE(ui.moveDownKit->iconSize(), QSize(18, 18));

    // logos are in the layout (stretch 2) and shown by the form itself
    QCOMPARE(stretchAt(placeOf(ui.logoWidget1)), 2);
    QVERIFY(!ui.logoWidget1->isHidden());
}

void TestMainWindow1Form::ledColourLists()
{
    FormFixture f;
    auto &ui = f.ui;
    const QStringList colours = {"OFF",      "Red",      "Green",   "Blue",   "Orange",  "LuOrange",
                                 "Yellow",   "GreBlue",  "MayGreen", "LigGreen", "LigBlue", "Cyan",
                                 "Purple",   "AntPink",  "HtViolet", "PrlViolet"};
    const QList<QPair<QWidget *, QComboBox *>> strips = {{ui.ledColorWidget, ui.bottomColorComboBox},
                                                         {ui.ledHitColorWidget, ui.workColorComboBox}};
    for (const auto &s : strips) {
        QComboBox *c = s.second;
        QCOMPARE(c->parentWidget(), s.first);
        QCOMPARE(c->count(), 16);
        QStringList texts;
        for (int i = 0; i < c->count(); ++i)
            texts << c->itemText(i);
        QCOMPARE(texts, colours);
        QCOMPARE(c->currentIndex(), 0);
        QCOMPARE(c->styleSheet(), QStringLiteral("border:1px solid rgb(198, 198, 198);"));
        auto *box = qobject_cast<QHBoxLayout *>(s.first->layout());
        QVERIFY(box);
        QCOMPARE(box->spacing(), 3);
        QCOMPARE(margins(box), QMargins(3, 3, 4, 3));
        QCOMPARE(stretches(box), QStringList({"1", "2"}));
        QCOMPARE(box->itemAt(1)->widget(), static_cast<QWidget *>(c));
    }
    QCOMPARE(ui.ledColorTitle->text(), QStringLiteral("LED Color:"));
    QCOMPARE(ui.ledHitColorTitle->text(), QStringLiteral("LED Hit Color:"));
    QCOMPARE(placeOf(ui.ledColorWidget).index, 3);
    QCOMPARE(placeOf(ui.ledHitColorWidget).index, 4);
}

void TestMainWindow1Form::sheetsFontsAndPolicies()
{
    FormFixture f;
    auto &ui = f.ui;
    auto policy = [](QWidget *w) {
        return qMakePair(w->sizePolicy().horizontalPolicy(), w->sizePolicy().verticalPolicy());
    };
    const auto prefPref = qMakePair(QSizePolicy::Preferred, QSizePolicy::Preferred);

    // top bar
    for (QToolButton *b : {ui.btnKitMove, ui.btnSoundKit, ui.btnKitChain, ui.upPageBtn, ui.btnClear})
        QCOMPARE(b->styleSheet(), QString());
    for (QToolButton *b : {ui.btnLoadFile, ui.btnSave, ui.btnKitChainSave})
        QCOMPARE(b->styleSheet(), QStringLiteral("color:white;"));
    for (QToolButton *b : {ui.btnSureKitChain, ui.btnClearStep})
        QCOMPARE(b->styleSheet(), QStringLiteral("color: black;"));
    for (QToolButton *b : {ui.btnClear, ui.btnLoadFile, ui.btnSave}) {
        QCOMPARE(policy(b), prefPref);
        QVERIFY(ownFamily(b, kYaHei));
    }
    for (QWidget *w : {static_cast<QWidget *>(ui.upPageBtn), static_cast<QWidget *>(ui.downPageBtn),
                       static_cast<QWidget *>(ui.btnRenameKit), static_cast<QWidget *>(ui.btnCopyKit),
                       static_cast<QWidget *>(ui.kitNameLabel_2)})
        QCOMPARE(int(w->font().resolve()), 0);
    QCOMPARE(policy(ui.kitNameLineEdit), prefPref);
    QVERIFY(ownFamily(ui.kitNameLineEdit, kYaHei));
    QCOMPARE(ui.kitNumber->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QVERIFY(!ui.kitNumber->hasMouseTracking());
    QVERIFY(ownFamily(ui.kitNumber, kYaHei));
    QCOMPARE(ui.kitNumberTitle->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.kitNameLabel_2->textFormat(), Qt::AutoText);
    QCOMPARE(ui.rightRightTop->layoutDirection(), Qt::LeftToRight);
    QVERIFY(ui.rightRightTop->testAttribute(Qt::WA_SetLayoutDirection));
    QVERIFY(ownFamily(ui.kitChainWidget, kYaHei));
    QCOMPARE(ui.kitChainWidget->styleSheet(), QString());
    // Both states show on the dark bar: a white ring, filled when checked.
    const QString indicator = QStringLiteral(
        "QRadioButton::indicator\n{\n\twidth: 12px;\n\theight: 12px;\n\tborder: 1px solid white;\n\tborder-radius: "
        "7px;\n}\nQRadioButton::indicator:checked\n{\n\tbackground-color: qradialgradient(spread:pad, cx:0.5, "
        "cy:0.5, radius:0.5, fx:0.5, fy:0.5, stop:0 rgba(4, 156, 232 ,255), stop:0.7 rgba(4, 156, 232 ,255),stop:0.78 "
        "rgba(255, 255, 255, 255), stop:0.8 rgba(255, 255, 255, 255));\n}\n");
    QCOMPARE(ui.rBtnKitChainOn->styleSheet(), indicator);
    QCOMPARE(ui.rBtnKitChainOff->styleSheet(), indicator);
    QCOMPARE(ui.chainFunctionTitle->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.chainNumberTitle->alignment(), Qt::AlignCenter);
    QSpinBox *chain = ui.kitChainNoSpinBox;
    QCOMPARE(policy(chain), qMakePair(QSizePolicy::Minimum, QSizePolicy::Preferred));
    QCOMPARE(chain->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
    QCOMPARE(chain->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(chain->stepType(), QAbstractSpinBox::DefaultStepType);
    QCOMPARE(chain->styleSheet(), QString());
    // the chain number group keeps the style's spacing
    QCOMPARE(ui.verticalLayout_38->spacing(),
             ui.kitChainNoWidget1->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, ui.kitChainNoWidget1));

    // playback bar
    QCOMPARE(ui.waveSliderWidget->styleSheet(), QString());
    QCOMPARE(int(ui.waveSliderWidget->font().resolve()), 0);
    QVERIFY(ownFamily(ui.wavePlayWidget2, kYaHei));
    QCOMPARE(ui.wavePlayWidget2->styleSheet(), QString());
    QVERIFY(ownFamily(ui.songLabel2, kYaHei));
    QCOMPARE(ui.songLabel2->layoutDirection(), Qt::LeftToRight);
    for (QToolButton *b : {ui.playBtn2, ui.stopBtn2, ui.loopBtn2})
        QVERIFY(ownFamily(b, kYaHei));
    QCOMPARE(ui.volumeImg2->alignment(), Qt::AlignCenter);
    QVERIFY(ui.volumeImg2->text().isEmpty());

    // left pane
    QCOMPARE(ui.left_stackedSoundWidget->styleSheet(), QStringLiteral("color: black;"));
    QCOMPARE(ui.left_soundHHSet->styleSheet(), QStringLiteral("color:black;"));
    QVERIFY(ui.left_stackedKitWidget->styleSheet().contains(QLatin1String("color: black;")));
    QVERIFY(ui.left_stackedKitWidget->styleSheet().contains(QLatin1String("border-right: 1px solid grey;")));
    QCOMPARE(ui.logoWidget1->styleSheet(), QStringLiteral("border:none;"));
    for (QWidget *w : {ui.logoWidget2, ui.logoWidget3, static_cast<QWidget *>(ui.labLogo1),
                       static_cast<QWidget *>(ui.labLogo2), static_cast<QWidget *>(ui.labLogo3),
                       ui.waveGroup_widget, ui.widget_2}) {
        QVERIFY2(w->styleSheet().contains(QLatin1String("border:none;")), qPrintable(w->objectName()));
        QVERIFY2(w->styleSheet().contains(QLatin1String("border-bottom: 1px solid grey;")),
                 qPrintable(w->objectName()));
    }
    QCOMPARE(ui.widget_13->styleSheet(), QStringLiteral("border-bottom: 1px solid grey;"));
    for (QLabel *l : {ui.labLogo1, ui.labLogo2, ui.labLogo3}) {
        QCOMPARE(policy(l), prefPref);
        QCOMPARE(l->minimumSize(), QSize(0, 0));
        QVERIFY(ownFamily(l, kYaHei));
    }
    QVERIFY(ownFamily(ui.widget_2, kYaHei));
    QCOMPARE(ui.left_waveList_label->styleSheet(), QStringLiteral("border:none;"));
    QCOMPARE(ui.soundListTitle->styleSheet(), QStringLiteral("border:none;"));
    QVERIFY(ui.kitListTitle->styleSheet().contains(QLatin1String("color: black;")));
    QVERIFY(ui.kitListTitle->styleSheet().contains(QLatin1String("border:none;")));
    QVERIFY(ui.waveGroupTreeView->styleSheet().startsWith(QLatin1String("WaveTreeView1{")));
    QVERIFY(ui.waveGroupTreeView->styleSheet().contains(QLatin1String("color: black;")));
    QVERIFY(ui.kitListtreeView->styleSheet().startsWith(QLatin1String("QTreeView{")));
    QVERIFY(ui.kitListtreeView->styleSheet().contains(QLatin1String("color: black;")));
    QVERIFY(ui.soundListTreeView->styleSheet().startsWith(QLatin1String("QTreeView{")));
    QVERIFY(ui.soundListTreeView->styleSheet().contains(QLatin1String("border-right: 1px solid grey;")));
    QCOMPARE(policy(ui.waveGroupTreeView), prefPref);
    QCOMPARE(ui.soundListTreeView->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QVERIFY(ui.groupButtons->styleSheet().contains(QLatin1String("border-top: 1px solid grey;")));
    QCOMPARE(policy(ui.kitMoveButtons), prefPref);
    QVERIFY(ownFamily(ui.kitMoveButtons, kYaHei));
    for (const char *part : {"color: black;", "border:none;", "border-right: 1px solid grey;",
                             "border-top: 1px solid grey;"})
        QVERIFY2(ui.kitMoveButtons->styleSheet().contains(QLatin1String(part)), part);
    for (QToolButton *b : {ui.addWaveGroup, ui.addWaveFile, ui.delWaveGroup}) {
        QCOMPARE(policy(b), prefPref);
        QVERIFY(ownFamily(b, kYaHei));
    }
    QVERIFY(!ui.addWaveFile->hasMouseTracking());
    for (QToolButton *b : {ui.moveUpKit, ui.moveDownKit})
        QVERIFY(ownFamily(b, kYaHei));
    for (QWidget *w : {ui.ledColorWidget, ui.ledHitColorWidget})
        QCOMPARE(w->styleSheet(), QString());
    for (QLabel *l : {ui.ledColorTitle, ui.ledHitColorTitle}) {
        QCOMPARE(l->styleSheet(), QStringLiteral("border:none;"));
        QVERIFY(ownFamily(l, kYaHei));
    }
    for (QComboBox *c : {ui.bottomColorComboBox, ui.workColorComboBox}) {
        QCOMPARE(policy(c), prefPref);
        QVERIFY(ownFamily(c, kYaHei));
    }
    QCOMPARE(ui.bottomColorComboBox->minimumSize(), QSize(0, 0));
}

void TestMainWindow1Form::padArea()
{
    FormFixture f;
    auto &ui = f.ui;
    QWidget *page = ui.midStackedWidgetPage1;
    auto *pageBox = qobject_cast<QVBoxLayout *>(page->layout());
    QVERIFY(pageBox);
    QCOMPARE(pageBox->spacing(), 2);
    QCOMPARE(margins(pageBox), QMargins());
    QCOMPARE(stretches(pageBox), QStringList({"3", "2"}));
    QCOMPARE(pageBox->itemAt(0)->widget(), ui.mid_top_widget);
    QCOMPARE(pageBox->itemAt(1)->widget(), ui.mid_mid_widget);
    QCOMPARE(page->minimumSize(), QSize(0, 0));
    QCOMPARE(page->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);

    QCOMPARE(ui.mid_top_widget->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(ui.mid_top_widget->styleSheet(), QStringLiteral("color:black;"));
    auto *top = qobject_cast<QGridLayout *>(ui.mid_top_widget->layout());
    QVERIFY(top);
    QCOMPARE(top->spacing(), 5);
    QCOMPARE(margins(top), QMargins(5, 5, 5, 5));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(top->rowStretch(i), 1);
        QCOMPARE(top->columnStretch(i), 1);
    }
    QCOMPARE(ui.mid_mid_widget->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(ui.mid_mid_widget->styleSheet(), QStringLiteral("color:white;"));
    QCOMPARE(ownPointSize(ui.mid_mid_widget), 6);
    QCOMPARE(familyOf(ui.mid_mid_widget), QString());
    auto *mid = qobject_cast<QGridLayout *>(ui.mid_mid_widget->layout());
    QVERIFY(mid);
    QCOMPARE(mid->spacing(), 0);
    QCOMPARE(margins(mid), QMargins());
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(mid->columnStretch(c), 1);
        QCOMPARE(mid->columnMinimumWidth(c), 1);
    }

    QWidget *pads[19] = {ui.groupPad1,  ui.groupPad2,  ui.groupPad3,  ui.groupPad4,  ui.groupPad5,
                         ui.groupPad6,  ui.groupPad7,  ui.groupPad8,  ui.groupPad9,  ui.groupPad10,
                         ui.groupPad11, ui.groupPad12, ui.groupPad13, ui.groupPad14, ui.groupPad15,
                         ui.groupPad16, ui.groupPad17, ui.groupPad18, ui.groupPad19};
    const QPoint midCells[10] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {0, 4}, {1, 4}};
    const QStringList images = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "T1",
                                "T2", "T3", "T4", "T5", "T6", "T7", "T8", "fs1", "FS2"};
    for (int i = 0; i < 19; ++i) {
        QWidget *pad = pads[i];
        const int n = i + 1;
        QCOMPARE(pad->objectName(), QStringLiteral("groupPad%1").arg(n));
        QCOMPARE(QString::fromLatin1(pad->metaObject()->className()), QStringLiteral("QWidget"));
        QGridLayout *grid = n <= 9 ? top : mid;
        QCOMPARE(pad->parentWidget(), n <= 9 ? ui.mid_top_widget : ui.mid_mid_widget);
        int idx = grid->indexOf(pad);
        QVERIFY(idx >= 0);
        int row, col, rs, cs;
        grid->getItemPosition(idx, &row, &col, &rs, &cs);
        const QPoint want = n <= 9 ? QPoint((n - 1) / 3, (n - 1) % 3) : midCells[n - 10];
        QCOMPARE(QPoint(row, col), want);
        QCOMPARE(rs, 1);
        QCOMPARE(cs, 1);
        const QString sheet = pad->styleSheet();
        QVERIFY2(sheet.startsWith(QStringLiteral("QWidget#groupPad%1{").arg(n)), qPrintable(sheet));
        QVERIFY2(sheet.contains(QStringLiteral("border-image: url(:/images/%1.png)").arg(images.at(i))),
                 qPrintable(sheet));
        QCOMPARE(pad->acceptDrops(), n == 1);
        QCOMPARE(pad->toolTip(), QString());
        QVERIFY(!pad->isHidden());
        QVERIFY(pad->isEnabled());
    }
    // the order in which the lower pads were built
    QStringList built;
    for (QObject *o : ui.mid_mid_widget->children()) {
        if (o->objectName().startsWith("groupPad"))
            built << o->objectName().mid(8);
    }
    QCOMPARE(built, QStringList({"18", "19", "14", "17", "13", "16", "12", "15", "10", "11"}));

    // pad layouts
    for (int i = 0; i < 19; ++i) {
        const int n = i + 1;
        auto *box = qobject_cast<QVBoxLayout *>(pads[i]->layout());
        QVERIFY(box);
        const QMargins m = margins(box);
        if (n <= 6) {
            QCOMPARE(m.left(), 25);
            QCOMPARE(m.right(), 15);
        } else if (n <= 9) {
            QCOMPARE(m, QMargins(25, 9, 15, 9));
            QCOMPARE(box->spacing(), 6);
        } else if (n <= 17) {
            QCOMPARE(m, QMargins(22, 12, 10, 10));
            QCOMPARE(box->spacing(), 5);
        } else {
            QCOMPARE(m, QMargins(15, 15, 15, 15));
            QCOMPARE(box->spacing(), 5);
        }
        QCOMPARE(box->count(), n <= 17 ? 2 : 1);
        if (n == 10 || n == 11)
            QCOMPARE(stretches(box), QStringList({"1", "1"}));
        else
            QCOMPARE(box->stretch(0), 0);
        for (int r = 0; r < box->count(); ++r) {
            QLayout *row = box->itemAt(r)->layout();
            QVERIFY(qobject_cast<QHBoxLayout *>(row));
            QCOMPARE(row->count(), 1);
            QCOMPARE(margins(row), QMargins());
        }
    }
    QCOMPARE(ownPointSize(ui.groupPad10), 10);
    QCOMPARE(familyOf(ui.groupPad10), QString());
    QVERIFY(ownFamily(ui.groupPad13, kYaHei));
    for (QWidget *fs : {ui.groupPad18, ui.groupPad19}) {
        QCOMPARE(fs->minimumSize(), QSize(75, 0));
        QVERIFY(ownFamily(fs, kYaHei));
    }
}

void TestMainWindow1Form::padLabels()
{
    FormFixture f;
    auto &ui = f.ui;
    QWidget *pads[19] = {ui.groupPad1,  ui.groupPad2,  ui.groupPad3,  ui.groupPad4,  ui.groupPad5,
                         ui.groupPad6,  ui.groupPad7,  ui.groupPad8,  ui.groupPad9,  ui.groupPad10,
                         ui.groupPad11, ui.groupPad12, ui.groupPad13, ui.groupPad14, ui.groupPad15,
                         ui.groupPad16, ui.groupPad17, ui.groupPad18, ui.groupPad19};
    const QList<PadLabel *> all = f.window.findChildren<PadLabel *>();
    QCOMPARE(all.size(), 36);
    QSet<QString> names;
    for (PadLabel *l : all)
        names.insert(l->objectName());
    QCOMPARE(names.size(), 36);

    for (int i = 0; i < 19; ++i) {
        const int n = i + 1;
        for (const char layer : {'a', 'b'}) {
            const QString name = QStringLiteral("labPad%1%2").arg(n, 2, 10, QLatin1Char('0')).arg(QLatin1Char(layer));
            PadLabel *lab = f.window.findChild<PadLabel *>(name);
            if (layer == 'b' && n >= 18) {
                QVERIFY2(!lab, qPrintable(name));  // foot switches have layer A only
                QVERIFY(!f.window.findChild<QObject *>(name));
                continue;
            }
            QVERIFY2(lab, qPrintable(name));
            QCOMPARE(lab->parentWidget(), pads[i]);
            auto *box = qobject_cast<QBoxLayout *>(pads[i]->layout());
            QCOMPARE(box->itemAt(layer == 'a' ? 0 : 1)->layout()->itemAt(0)->widget(), static_cast<QWidget *>(lab));
            QCOMPARE(lab->alignment(), Qt::AlignCenter);
            QVERIFY(lab->text().isEmpty());
            QVERIFY(ownFamily(lab, kYaHei));
            // pads 1-9 set 10 pt, labPad11b and labPad12b 9 pt; the other
            // labels set only the family
            if (n <= 9)
                QCOMPARE(lab->font().pointSize(), 10);
            else if (name == "labPad11b" || name == "labPad12b")
                QCOMPARE(lab->font().pointSize(), 9);
            const bool marginB = layer == 'b' && n >= 10 && n <= 17;
            QCOMPARE(lab->styleSheet(), marginB ? QStringLiteral("margin-bottom: 8px;") : QString());
            QCOMPARE(lab->hasScaledContents(), n == 10);
            QCOMPARE(lab->indent(), name == "labPad11b" ? 20 : -1);
            if (n >= 18)
                QCOMPARE(lab->minimumSize(), QSize(75, 18));
        }
    }
    QCOMPARE(ui.labPad01a->objectName(), QStringLiteral("labPad01a"));
    QCOMPARE(ui.labPad19a->objectName(), QStringLiteral("labPad19a"));

    // a press reports the label's own name
    QSignalSpy left(ui.labPad07b, &PadLabel::clickLeft);
    QSignalSpy right(ui.labPad18a, &PadLabel::clickRight);
    QTest::mouseClick(ui.labPad07b, Qt::LeftButton);
    QTest::mouseClick(ui.labPad18a, Qt::RightButton);
    QCOMPARE(left.count(), 1);
    QCOMPARE(left.at(0).at(0).toString(), QStringLiteral("labPad07b"));
    QCOMPARE(right.count(), 1);
    QCOMPARE(right.at(0).at(0).toString(), QStringLiteral("labPad18a"));
}

void TestMainWindow1Form::kitChainSteps()
{
    FormFixture f;
    auto &ui = f.ui;
    QWidget *page = ui.midStackedKitChainStep;
    QCOMPARE(page->styleSheet(), QStringLiteral("color: black;"));
    QCOMPARE(page->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(page->minimumSize(), QSize(0, 0));
    auto *outer = qobject_cast<QGridLayout *>(page->layout());
    QVERIFY(outer);
    QCOMPARE(outer->spacing(), 5);
    QCOMPARE(margins(outer).top(), 0);
    QCOMPARE(margins(outer).bottom(), 0);
    QCOMPARE(outer->count(), 1);
    QCOMPARE(outer->itemAtPosition(0, 0)->widget(), ui.stepWidget);
    QCOMPARE(ui.stepWidget->styleSheet(), QStringLiteral("color:black;"));
    QVERIFY(ownFamily(ui.stepWidget, kYaHei));
    auto *grid = qobject_cast<QGridLayout *>(ui.stepWidget->layout());
    QVERIFY(grid);
    QCOMPARE(grid->spacing(), 5);
    QCOMPARE(margins(grid), QMargins(5, 5, 5, 5));
    QCOMPARE(grid->count(), 20);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->columnCount(), 4);
    for (int n = 1; n <= 20; ++n) {
        auto *step = qobject_cast<QGroupBox *>(grid->itemAtPosition((n - 1) / 4, (n - 1) % 4)->widget());
        QVERIFY(step);
        QCOMPARE(step->objectName(), QStringLiteral("groupStep%1").arg(n));
        QCOMPARE(step->parentWidget(), ui.stepWidget);
        QVERIFY(step->title().isEmpty());
        const int image = n <= 19 ? n + 1 : 1;
        const QString sheet = step->styleSheet();
        QVERIFY2(sheet.startsWith(QStringLiteral("QGroupBox#groupStep%1{").arg(n)), qPrintable(sheet));
        QVERIFY2(sheet.contains(QStringLiteral(":/images/step (%1).png").arg(image)), qPrintable(sheet));
        QCOMPARE(sheet.contains(QStringLiteral("color:black;")), n == 1);
        auto *box = qobject_cast<QHBoxLayout *>(step->layout());
        QVERIFY(box);
        QCOMPARE(box->count(), 1);
        auto *lab = qobject_cast<QLabel *>(box->itemAt(0)->widget());
        QVERIFY(lab);
        QCOMPARE(lab->objectName(), QStringLiteral("step%1Lab").arg(n));
        QCOMPARE(lab->alignment(), Qt::AlignCenter);
        QVERIFY(lab->text().isEmpty());
        QVERIFY(ownFamily(lab, kYaHei));
        QCOMPARE(lab->styleSheet(), n == 1 ? QStringLiteral("color:black;") : QString());
    }
    QCOMPARE(ui.groupStep20->styleSheet().contains("step (1).png"), true);
    QCOMPARE(ui.step20Lab->parentWidget(), ui.groupStep20);
}

void TestMainWindow1Form::slotsConnectByName()
{
    FormFixture f;
    const QStringList bad = formharness::slotWarnings(f.setupMessages);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join('\n')));
    // the initial indexes are set before the connection: nothing was called
    QVERIFY2(f.window.calls.isEmpty(), qPrintable(f.window.calls.join(", ")));

    // the main window has 82 slots named after form objects; each found its signal
    const QMetaObject *mo = &FormHarnessWindow::staticMetaObject;
    int named = 0;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        if (mo->method(i).name().startsWith("on_"))
            ++named;
    }
    QCOMPARE(named, 82);

    // slots without their objects are reported, so the check above has teeth
    FormHarnessWindow bare;
    formharness::takeMessages();
    formharness::quiet() = true;
    QMetaObject::connectSlotsByName(&bare);
    formharness::quiet() = false;
    QVERIFY(!formharness::slotWarnings(formharness::takeMessages()).isEmpty());
}

void TestMainWindow1Form::signalsReachSlots()
{
    FormFixture f;
    auto &ui = f.ui;
    QStringList &calls = f.window.calls;

    const QList<QAbstractButton *> buttons = {
        ui.btnKitMove,   ui.btnSoundKit,     ui.btnKitChain,     ui.btnRenameKit,   ui.btnCopyKit,
        ui.upPageBtn,    ui.downPageBtn,     ui.btnClear,        ui.btnLoadFile,    ui.btnSave,
        ui.rBtnKitChainOn, ui.rBtnKitChainOff, ui.btnSureKitChain, ui.btnClearStep, ui.btnKitChainSave,
        ui.playBtn2,     ui.stopBtn2,        ui.loopBtn2,        ui.addWaveGroup,   ui.addWaveFile,
        ui.delWaveGroup, ui.moveUpKit,       ui.moveDownKit};
    for (QAbstractButton *b : buttons) {
        calls.clear();
        b->click();
        QCOMPARE(calls, QStringList({QStringLiteral("on_%1_clicked").arg(b->objectName())}));
    }

    const QList<QAction *> actions = {ui.actionKit_Setiing,   ui.actionBack_to_main_interface,
                                      ui.actionAbout_Korvanta, ui.actionExport_All,
                                      ui.actionImport_All,     ui.actionGlobal_Setting,
                                      ui.actionReorder_Serial_Numbers};
    for (QAction *a : actions) {
        calls.clear();
        a->trigger();
        QCOMPARE(calls, QStringList({QStringLiteral("on_%1_triggered").arg(a->objectName())}));
    }

    calls.clear();
    ui.kitChainNoSpinBox->setValue(5);
    QCOMPARE(calls, QStringList({"on_kitChainNoSpinBox_valueChanged(5)"}));

    calls.clear();
    ui.volumeHorizontalSlider2->setValue(42);
    QCOMPARE(calls, QStringList({"on_volumeHorizontalSlider2_valueChanged(42)"}));

    calls.clear();
    emit ui.waveHorizontalSlider2->sliderMoved(7);
    ui.waveHorizontalSlider2->setValue(9);  // a programmatic change is no slider move
    QCOMPARE(calls, QStringList({"on_waveHorizontalSlider2_sliderMoved(7)"}));

    // typing reaches textEdited; setText does not
    calls.clear();
    ui.kitNumber->setText("3");
    QVERIFY(calls.isEmpty());
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    ui.kitNumber->setFocus();
    ui.kitNumber->selectAll();
    QTest::keyClicks(ui.kitNumber, "12");
    QCOMPARE(calls, QStringList({"on_kitNumber_textEdited(1)", "on_kitNumber_textEdited(12)"}));

    calls.clear();
    ui.kitNameLineEdit->setFocus();
    QTest::keyClicks(ui.kitNameLineEdit, "Rock");
    QTest::keyClick(ui.kitNameLineEdit, Qt::Key_Return);
    QCOMPARE(calls, QStringList({"on_kitNameLineEdit_editingFinished"}));

    // the space bar presses the play button
    ui.stackedWidget->setFocus();
    calls.clear();
    QTest::keyClick(&f.window, Qt::Key_Space);
    QTRY_COMPARE(calls, QStringList({"on_playBtn2_clicked"}));  // an animated click

    // pressed(QModelIndex) of the three trees
    QStandardItemModel model;
    for (int i = 0; i < 3; ++i)
        model.appendRow(new QStandardItem(QStringLiteral("row %1").arg(i)));
    ui.left_stackedWidget->setCurrentIndex(0);
    const QList<QPair<QTreeView *, int>> trees = {
        {ui.waveGroupTreeView, 0}, {ui.kitListtreeView, 1}, {ui.soundListTreeView, 2}};
    for (const auto &t : trees) {
        QTreeView *tree = t.first;
        ui.left_stackedWidget->setCurrentIndex(t.second);
        tree->setModel(&model);
        QApplication::processEvents();
        calls.clear();
        const QRect r = tree->visualRect(model.index(1, 0));
        QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QCOMPARE(calls, QStringList({QStringLiteral("on_%1_pressed(1)").arg(tree->objectName())}));
        tree->setModel(nullptr);
    }
}

void TestMainWindow1Form::textPassOrder()
{
    FormFixture f;
    RecordingTranslator tr;
    QCoreApplication::installTranslator(&tr);
    f.ui.retranslateUi(&f.window);
    QCoreApplication::removeTranslator(&tr);

    QVERIFY(!tr.sources.isEmpty());

    const QStringList colours = {"OFF",      "Red",      "Green",   "Blue",   "Orange",  "LuOrange",
                                 "Yellow",   "GreBlue",  "MayGreen", "LigGreen", "LigBlue", "Cyan",
                                 "Purple",   "AntPink",  "HtViolet", "PrlViolet"};
    // window title, actions, top bar, then the left pane
    QStringList head = {
        "MainWindow", "Sound Kit Interface", "Back to Main Interface", "About Korvanta", "Export sound library",
        "Import sound library", "Global Setting Interface", "Renumber",
        // top bar
        "Preset \n Sounds", "Pad \n Settings ", "Kit \n Chain", "Rename", "Kit Copy", "KIT NUMBER NO.",
        "Switch kit Number to the previous kit\nand save the current kit settings", "...",
        "Switch kit Number to the specified kit\nand save the current kit settings",
        "Switch kit Number to the next kit\nand save the current kit settings", "...", "Clear All", "CLEAR",
        "Please import one or more INI files, or one BIN file.", "IMPORT",
        "Save as one or more INI files, or one BIN file.", "SAVE",
        "<html><head/><body><p>KIT CHAIN</p><p>FUNCTION</p></body></html>", "ON", "OFF", "KIT CHAIN",
        "Save KIT CHAIN", "Clear All", "Save as one or more INI files, or one BIN file.", "SAVE",
        // left pane
        "LOCAL SOUND CATEGORY", "Create A New Category", "NEW", "Add Sound Files", "ADD", "Delete Sound", "DEL ",
        "MY KITS", "Up", "Down", "MY SOUND LIST", "LED Color:"};
    head << colours << "LED Hit Color:" << colours;
    QCOMPARE(tr.sources.mid(0, head.size()), head);

    // the pad area and step page add no translatable text; the playback bar
    // comes after the right pane and before the global page
    const QStringList playback = {"Space", QString::fromUtf8("\xe5\x81\x9c\xe6\xad\xa2"), "SAMPLE", "00:00",
                                  "00:00"};
    const int at = tr.sources.indexOf("Space");
    QVERIFY(at > head.size());
    QCOMPARE(tr.sources.mid(at, playback.size()), playback);

    // menu titles last
    QCOMPARE(tr.sources.mid(tr.sources.size() - 3), QStringList({"File", "Edit", "Manual"}));
}

void TestMainWindow1Form::rendersPadsAndTopBar()
{
    FormFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QApplication::processEvents();
    auto &ui = f.ui;
    QVERIFY(ui.main_ui->isVisible());
    QVERIFY(!ui.global_ui->isVisible());
    QVERIFY(ui.rightTopStackedWidgetPage1->isVisible());
    QVERIFY(!ui.kitChainWidget->isVisible());
    QVERIFY(ui.left_stackedSoundWidget->isVisible());
    QVERIFY(ui.midStackedWidgetPage1->isVisible());
    QVERIFY(ui.bottomWaveWidget->isVisible());

    // all 19 pads are on screen, inside the middle pane, without overlap
    const QList<QWidget *> pads = ui.midStackedWidgetPage1->findChildren<QWidget *>(QRegularExpression("^groupPad\\d+$"));
    QCOMPARE(pads.size(), 19);
    QList<QRect> rects;
    const QRect area(QPoint(0, 0), ui.midStackedWidgetPage1->size());
    for (QWidget *p : pads) {
        QVERIFY2(p->isVisible(), qPrintable(p->objectName()));
        const QRect r(p->mapTo(ui.midStackedWidgetPage1, QPoint(0, 0)), p->size());
        QVERIFY2(r.width() > 20 && r.height() > 20, qPrintable(p->objectName()));
        QVERIFY2(area.contains(r), qPrintable(p->objectName()));
        for (const QRect &o : rects)
            QVERIFY2(!o.intersects(r), qPrintable(p->objectName()));
        rects << r;
    }
    // the panes keep their minimum widths
    QVERIFY(ui.leftWaveKitSec->width() >= ui.leftWaveKitSec->minimumSizeHint().width());
    QVERIFY(ui.midStackedWidget->width() >= 560);
    QVERIFY(ui.right_stackedWidget->width() >= ui.right_stackedWidget->minimumSizeHint().width());

    const QImage shot = f.window.grab().toImage();
    QCOMPARE(shot.size(), f.window.size() * f.window.devicePixelRatioF());
    // the top bar is drawn black
    const QPoint inTop = ui.left_top->mapTo(&f.window, QPoint(1, 1)) * f.window.devicePixelRatioF();
    QCOMPARE(QColor(shot.pixel(inTop)).name(), QStringLiteral("#000000"));
}

QTEST_MAIN(TestMainWindow1Form)
#include "test_mainwindow1form.moc"

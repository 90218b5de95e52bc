// The window on a desktop's screen: a real X display (an Xvfb started here)
// of 1366x768, or of 1920x1080 when QT_SCALE_FACTOR is 1.5, with the fonts
// the desktop gives. In both languages, built as the start builds it, the
// window opens at a size that fits the screen and shows every text of every
// page and dialog whole; long pad names change no pad, long group names have
// their tooltip; the wheel edits no field it is not asked to, the chain
// switches show their state and the copy dialogs take the keyboard.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "device/fakedrives.h"
#include "document/kitreload.h"
#include "mainwindow1/mainwindow1.h"
#include "model/editbaseline.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/startup.h"
#include "resources/ztresources.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/customdialog.h"
#include "widgets/devicedetector.h"
#include "widgets/elidedlabel.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/padlabel.h"
#include "widgets/selectkitno.h"
#include "widgets/wavetreeview1.h"
#include "widgets/wheelguard.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QSpontaneKeyEvent>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <memory>

namespace {

bool scaled()
{
    return qgetenv("QT_SCALE_FACTOR") == "1.5";
}

// An Xvfb of its own, its number read through -displayfd once it is ready;
// it ends with the test (also one that dies) and holds none of its output.
struct Xvfb
{
    pid_t pid = -1;
    QByteArray display;
    explicit Xvfb(const char *screen)
    {
        int fds[2];
        if (pipe(fds) != 0 || (pid = fork()) < 0)
            return;
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(open("/dev/null", O_WRONLY), 1);
            dup2(1, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", QByteArray::number(fds[1]).constData(), "-screen", "0", screen,
                   "-dpi", "100", "-nolisten", "tcp", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        for (char c; read(fds[0], &c, 1) == 1 && c != '\n';)
            display.append(c);
        close(fds[0]);
    }
    ~Xvfb()
    {
        if (pid > 0 && kill(pid, SIGTERM) == 0)
            waitpid(pid, nullptr, 0);
    }
};

// Every control shown (all take focus) lies in the window, or in the page of
// a scroll area.
void checkReachable(MainWindow1 *w)
{
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if (!c->isVisibleTo(w) || c->window() != w || c->focusPolicy() == Qt::NoFocus)
            continue;
        QWidget *area = w;
        for (QWidget *p = c->parentWidget(); p != w && area == w; p = p->parentWidget()) {
            if (auto *scroll = qobject_cast<QScrollArea *>(p); scroll && scroll->widget()->isAncestorOf(c))
                area = scroll->widget();
        }
        const QRect r(c->mapTo(area, QPoint(0, 0)), c->size());
        QVERIFY2(!r.isEmpty() && area->rect().contains(r), qPrintable(c->objectName()));
    }
}

// Each label of Pad Settings gets its text's size, each box its own minimum
// height, each hi-hat slot's caption its text's size above the slot's frame.
void checkPadSettingsTexts(MainWindow1 *w)
{
    QWidget *page = w->form()->midStackedWidgetPad3;
    for (QLabel *l : page->findChildren<QLabel *>()) {
        const QSize text = l->fontMetrics().size(0, l->text());
        QVERIFY2(!l->isVisibleTo(w) || l->text().isEmpty()
                         || (l->contentsRect().width() >= text.width() && l->contentsRect().height() >= text.height()),
                 qPrintable(l->objectName()));
    }
    for (QWidget *box : page->findChildren<QWidget *>()) {
        if ((qobject_cast<QAbstractSpinBox *>(box) || qobject_cast<QComboBox *>(box)) && box->isVisibleTo(w))
            QVERIFY2(box->height() >= box->minimumSizeHint().height(), qPrintable(box->objectName()));
    }
    for (QGroupBox *group : w->kitPages().view().pad.hhBoxes) {
        QStyleOptionGroupBox opt;
        opt.initFrom(group);
        opt.text = group->title();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        QStyle *style = group->style();
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, group);
        const QRect frame = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, group);
        // The caption is drawn from the label's corner.
        const QRect text(label.topLeft(), group->fontMetrics().size(Qt::TextShowMnemonic, opt.text));
        QVERIFY2(group->rect().contains(text) && text.bottom() < frame.top(), qPrintable(group->objectName()));
    }
}


// The window built and shown as the start does, in a language (kept while
// it lives); `atChooser` runs while the drive chooser is shown.
struct StartedWindow
{
    FakeDriveSource drives;
    ScriptedPrompter prompts;
    const QLocale oldLocale;
    std::unique_ptr<EditorLanguage> language;
    EditorStartup *startup = nullptr;
    QScopedPointer<MainWindow1> w;
    bool shown = false;

    explicit StartedWindow(QLocale::Language interfaceLanguage, const std::function<void(QWidget *)> &atChooser = {})
    {
        QLocale::setDefault(QLocale(interfaceLanguage));
        language = std::make_unique<EditorLanguage>();
        startup = new EditorStartup(WindowServices{&prompts, PadSystem{&drives}});
        DeviceDetector *chooser = startup->chooser;
        QTimer::singleShot(30, chooser, [chooser, atChooser]() {
            if (atChooser)
                atChooser(chooser);
            chooser->findChild<QPushButton *>("btnOk")->click();
        });
        if (startup->waitForChoice()) {
            startup->showWindow();
            w.reset(startup->window.data()); // shown, so never deleted by the start
            w->soundLists().setWriteSoundListOnClose(false);
            // Active, as the window a user works in.
            w->activateWindow();
            shown = QTest::qWaitForWindowExposed(w.data()) && QTest::qWaitForWindowActive(w.data());
            QTest::qWait(50);
        }
    }
    ~StartedWindow()
    {
        w.reset();
        delete startup;
        language.reset();
        QLocale::setDefault(oldLocale);
    }
    StartedWindow(const StartedWindow &) = delete;
    StartedWindow &operator=(const StartedWindow &) = delete;
};

// The pages of the window as its buttons show them, each with its name.
QVector<QPair<QString, std::function<void()>>> pages(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->form();
    auto mainPage = [ui]() { ui->stackedWidget->setCurrentIndex(0); };
    return {{"pads", [=]() { mainPage(); QTest::mouseClick(ui->btnKitMove, Qt::LeftButton); }},
            {"kit chain", [=]() { mainPage(); QTest::mouseClick(ui->btnKitChain, Qt::LeftButton); }},
            {"pad settings", [=]() { mainPage(); QTest::mouseClick(ui->btnSoundKit, Qt::LeftButton); }},
            {"global settings", [ui]() { ui->stackedWidget->setCurrentIndex(1); }}};
}

// A turn of the wheel at `pos` of `window`, delivered as the pointer's: to
// the widget under it, giving focus where the focus policy asks for it and
// going on to the parents while unaccepted.
void turnWheel(QWidget *window, const QPoint &pos, int delta)
{
    QWidget *target = window->childAt(pos);
    if (!target)
        target = window;
    QWheelEvent event(QPointF(target->mapFrom(window, pos)), QPointF(window->mapToGlobal(pos)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

// The value each shown field of `window` holds.
QStringList fieldValues(QWidget *window)
{
    QStringList values;
    for (QWidget *field : window->findChildren<QWidget *>()) {
        if (!wheelguard::covers(field) || field->window() != window)
            continue;
        QString value;
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
            value = spin->text();
        else if (auto *combo = qobject_cast<QComboBox *>(field))
            value = QString::number(combo->currentIndex()) + combo->currentText();
        else if (auto *slider = qobject_cast<QSlider *>(field))
            value = QString::number(slider->value());
        values << field->objectName() + '=' + value;
    }
    return values;
}

// The records the window edits: every kit as a save keeps it, and each
// chain's switch and steps.
QByteArray records(const MainWindow1 *w)
{
    QByteArray bytes;
    for (const MainWindow1Records::soundKit &kit : w->doc().kitAttrList())
        bytes += EditBaseline::kitSnapshot(kit);
    const QVector<MainWindow1Records::KIT_CHAIN> &chains = w->doc().kitChainList();
    for (int c = 0; c < chains.size(); ++c) {
        bytes += char(chains[c].kit_chain);
        bytes += QByteArray(reinterpret_cast<const char *>(chains[c].curKitChain[c]), sizeof chains[c].curKitChain[c]);
    }
    return bytes;
}

// The vertical scroll bar of the scroll area that holds `widget`, if any.
QScrollBar *scrollBarOver(QWidget *widget, QScrollArea **area)
{
    for (QWidget *p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(p); scroll && scroll->widget()->isAncestorOf(widget)) {
            *area = scroll;
            return scroll->verticalScrollBar();
        }
    }
    return nullptr;
}

// The wheel over each shown field of `window` that lacks the focus changes
// no field, takes no focus, and scrolls the page under it where it can.
void checkWheelOverFields(QWidget *window)
{
    for (QWidget *field : window->findChildren<QWidget *>()) {
        if (!wheelguard::covers(field) || !field->isVisibleTo(window) || field->window() != window)
            continue;
        QVERIFY2(!(field->focusPolicy() & Qt::WheelFocus & ~Qt::StrongFocus), qPrintable(field->objectName()));
        QScrollArea *area = nullptr;
        QScrollBar *bar = scrollBarOver(field, &area);
        if (area) {
            area->ensureWidgetVisible(field, 0, 0);
            QCoreApplication::processEvents();
        }
        if (field->hasFocus())
            field->clearFocus();
        const QStringList before = fieldValues(window);
        const int scrolled = bar ? bar->value() : 0;
        const bool down = bar && scrolled < bar->maximum();
        turnWheel(window, field->mapTo(window, field->rect().center()), down ? -120 : 120);
        QCOMPARE(fieldValues(window), before);
        QVERIFY2(!field->hasFocus(), qPrintable(field->objectName()));
        if (bar && bar->maximum() > bar->minimum())
            QVERIFY2(down ? bar->value() > scrolled : bar->value() < scrolled, qPrintable(field->objectName()));
    }
}

// The radio's indicator as the window shows it: how many of its pixels are
// light, and how many blue.
QPair<int, int> indicatorInk(QWidget *window, QRadioButton *radio)
{
    QStyleOptionButton opt;
    opt.initFrom(radio);
    const QRect r = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, radio);
    const QImage image = window->grab(QRect(radio->mapTo(window, r.topLeft()), r.size())).toImage();
    int light = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            light += c.lightness() > 128;
            blue += c.blue() > 160 && c.red() < 100;
        }
    }
    return {light, blue};
}

// The centre of the radio's indicator, where a user clicks it.
QPoint indicatorCentre(QRadioButton *radio)
{
    QStyleOptionButton opt;
    opt.initFrom(radio);
    return radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, radio).center();
}

// True when `widget` lies whole inside each of its parents up to `root`, or
// to the page of a scroll area (which scrolls it into view).
bool unclipped(QWidget *widget, QWidget *root)
{
    QRect r = widget->rect();
    for (QWidget *w = widget; w != root && !w->isWindow(); w = w->parentWidget()) {
        QWidget *parent = w->parentWidget();
        if (auto *area = qobject_cast<QScrollArea *>(parent->parentWidget()); area && area->widget() == w)
            return true;
        r.translate(w->pos());
        if (!parent->rect().contains(r))
            return false;
    }
    return true;
}

// True when `shown` (a rect of `widget`) keeps clear of the left and right
// edges of the window and of the splitter pane that holds it.
bool clearOfEdges(QWidget *widget, const QRect &shown)
{
    const int gap = 2;
    QWidget *window = widget->window();
    for (QWidget *p = widget; p && p != window; p = p->parentWidget()) {
        if (!qobject_cast<QSplitter *>(p->parentWidget()))
            continue;
        const QRect r(widget->mapTo(p, shown.topLeft()), shown.size());
        if (r.left() < gap || r.right() > p->width() - 1 - gap)
            return false;
    }
    const QRect r(widget->mapTo(window, shown.topLeft()), shown.size());
    return r.left() >= gap && r.right() <= window->width() - 1 - gap;
}

// The width a button's text and icon take, beside or above one another (the
// blanks around a line show nothing); 0 for a button that shows no text.
int buttonContentWidth(QAbstractButton *b)
{
    int text = 0;
    for (const QString &line : b->text().split('\n'))
        text = qMax(text, b->fontMetrics().size(Qt::TextShowMnemonic, line.trimmed()).width());
    const auto *tool = qobject_cast<QToolButton *>(b);
    if (tool && !b->icon().isNull()) {
        const Qt::ToolButtonStyle style = tool->toolButtonStyle() == Qt::ToolButtonFollowStyle
                                                  ? Qt::ToolButtonStyle(b->style()->styleHint(QStyle::SH_ToolButtonStyle))
                                                  : tool->toolButtonStyle();
        if (style == Qt::ToolButtonIconOnly)
            return 0;
        if (style == Qt::ToolButtonTextUnderIcon)
            return text;
    }
    return b->icon().isNull() ? text : text + b->iconSize().width() + 4;
}

// The room a button gives its text and icon.
int buttonRoom(QAbstractButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QStyle *style = b->style();
    if (qobject_cast<QRadioButton *>(b))
        return style->subElementRect(QStyle::SE_RadioButtonContents, &opt, b).width();
    if (qobject_cast<QCheckBox *>(b))
        return style->subElementRect(QStyle::SE_CheckBoxContents, &opt, b).width();
    if (qobject_cast<QPushButton *>(b))
        return style->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
    return b->width() - 2;
}

// The shown labels, buttons, group box titles and header sections under
// `root` whose text does not show whole, by name.
QStringList cutTexts(QWidget *root)
{
    QStringList cut;
    const auto shown = [root](QWidget *w) { return (w->isVisibleTo(root) && w->window() == root->window()) || w == root; };
    for (QLabel *l : root->findChildren<QLabel *>()) {
        if (!shown(l) || l->text().isEmpty() || l->wordWrap())
            continue;
        // A name elided on purpose shows whole in its tooltip.
        if (qobject_cast<ElidedLabel *>(l)) {
            if (!unclipped(l, root))
                cut << l->objectName() + ": " + l->text();
            continue;
        }
        const QRect room = l->contentsRect().marginsRemoved(QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
        const QSize text = Qt::mightBeRichText(l->text()) ? l->minimumSizeHint() - QSize(2 * l->margin(), 2 * l->margin())
                                                          : l->fontMetrics().size(0, l->text());
        const QRect drawn = QStyle::alignedRect(l->layoutDirection(), QStyle::visualAlignment(l->layoutDirection(), l->alignment()), text, room);
        if (room.width() < text.width() || room.height() < text.height() || !unclipped(l, root)
            || !clearOfEdges(l, drawn))
            cut << l->objectName() + ": " + l->text();
    }
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (!shown(b) || b->text().isEmpty())
            continue;
        if (buttonRoom(b) < buttonContentWidth(b) || !unclipped(b, root) || !clearOfEdges(b, b->rect()))
            cut << b->objectName() + ": " + b->text();
    }
    for (QGroupBox *box : root->findChildren<QGroupBox *>()) {
        if (!shown(box) || box->title().isEmpty())
            continue;
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        opt.text = box->title();
        opt.subControls = QStyle::SC_GroupBoxLabel;
        QStyle *style = box->style();
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
        // The caption is drawn from the label's corner.
        const QRect text(label.topLeft(), box->fontMetrics().size(Qt::TextShowMnemonic, opt.text));
        if (!box->rect().contains(text) || !unclipped(box, root))
            cut << box->objectName() + ": " + box->title();
    }
    for (QHeaderView *header : root->findChildren<QHeaderView *>()) {
        if (!shown(header) || header->orientation() != Qt::Horizontal || !header->model())
            continue;
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
            if (header->isSectionHidden(i) || text.isEmpty())
                continue;
            const int right = header->sectionViewportPosition(i) + header->fontMetrics().horizontalAdvance(text) + 2 * margin;
            if (header->sectionSize(i) < right - header->sectionViewportPosition(i) || right > header->viewport()->width())
                cut << header->parentWidget()->objectName() + " header: " + text;
        }
    }
    return cut;
}

// Both rows of trigger pads have one height, column by column.
void checkTriggerRows(MainWindow1 *w)
{
    auto *grid = qobject_cast<QGridLayout *>(w->form()->mid_mid_widget->layout());
    QVERIFY(grid);
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QWidget *upper = grid->itemAtPosition(0, column)->widget();
        const QWidget *lower = grid->itemAtPosition(1, column)->widget();
        QVERIFY2(qAbs(upper->height() - lower->height()) <= 1, qPrintable(upper->objectName() + " " + lower->objectName()));
    }
}

// The shown names under `page` are 16 characters long, and each that shows
// elided has its whole name as tooltip; how many are shown.
int checkElidedNames(QWidget *window, QWidget *page)
{
    int shown = 0;
    for (ElidedLabel *label : page->findChildren<ElidedLabel *>()) {
        if (!label->isVisibleTo(window) || label->text() == "/")
            continue;
        ++shown;
        if (label->text().size() != 16)
            return -1;
        if (!label->isElided())
            continue;
        const QPoint at = label->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, label->mapToGlobal(at));
        QApplication::sendEvent(label, &help);
        if (!QTest::qWaitFor([label]() { return QToolTip::text() == label->text(); }))
            return -2;
    }
    return shown;
}

// Rows for English and Chinese.
void languages()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(QLocale::English);
    QTest::newRow("Chinese") << int(QLocale::Chinese);
}

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;

private slots:
    void initTestCase()
    {
        ztInitResources();
        registerQueuedTypes();
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldDir); }

    void windowFitsTheScreen_data() { languages(); }

    // Built and shown as the start does: the minimum size stays within the
    // screen less a title bar, the window opens at its design size where the
    // screen has room for it and lies on the screen; at its
    // minimum size every page's controls are reachable and Pad Settings'
    // texts get their size.
    void windowFitsTheScreen()
    {
        QFETCH(int, language);
        StartedWindow started{QLocale::Language(language)};
        QVERIFY(started.shown);
        MainWindow1 *w = started.w.data();

        const QSize limit = scaled() ? QSize(1280, 690) : QSize(1366, 738);
        const QSize minimum = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(minimum.width() <= limit.width() && minimum.height() <= limit.height(),
                 qPrintable(QStringLiteral("minimum %1x%2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w->geometry()));
        // It opens at the size its pages are laid out for, or the screen's less a title bar.
        QCOMPARE(w->size(), QSize(1058, 720).boundedTo(limit));

        w->resize(minimum);
        for (QToolButton *mode : {w->form()->btnKitChain, w->form()->btnKitMove, w->form()->btnSoundKit}) {
            mode->click();
            QTest::qWait(50);
            checkReachable(w);
        }
        QCOMPARE(w->form()->label_142->text(), language == QLocale::Chinese ? QString("力度1：") : QString("Velocity1:"));
        checkPadSettingsTexts(w);
        w->form()->stackedWidget->setCurrentIndex(1); // the global page
        QTest::qWait(50);
        checkReachable(w);
    }

    // At the size the window opens, the wheel over any field of any page
    // scrolls the page and edits nothing; a field clicked into takes it.
    void wheelScrollsAndNeverEdits()
    {
        StartedWindow started(QLocale::English);
        MainWindow1 *w = started.w.data();
        QVERIFY(started.shown);
        const QByteArray kept = records(w);
        for (const auto &page : pages(w)) {
            page.second();
            QTest::qWait(50);
            checkWheelOverFields(w);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(page.first));
        }
        pages(w).first().second(); // the pages' edits go into the kits
        QCOMPARE(records(w), kept);

        // A field with the focus takes the wheel.
        pages(w)[2].second();
        QSpinBox *volume = w->form()->kitVolumeSpinBox;
        QScrollArea *area = nullptr;
        scrollBarOver(volume, &area);
        if (area)
            area->ensureWidgetVisible(volume, 0, 0);
        QTest::mouseClick(volume, Qt::LeftButton, {}, volume->rect().center() - QPoint(volume->width() / 4, 0));
        QVERIFY(volume->hasFocus());
        const int value = volume->value();
        turnWheel(w, volume->mapTo(w, volume->rect().center()), -120);
        QCOMPARE(volume->value(), value - 1);
    }

    // On the dark bar each chain switch shows its state: a ring when off,
    // filled when on.
    void chainSwitchesShowTheirState()
    {
        StartedWindow started(QLocale::English);
        MainWindow1 *w = started.w.data();
        QVERIFY(started.shown);
        Ui::MainWindow1 *ui = w->form();
        QTest::mouseClick(ui->btnKitChain, Qt::LeftButton);
        for (QRadioButton *chosen : {ui->rBtnKitChainOn, ui->rBtnKitChainOff}) {
            QTest::mouseClick(chosen, Qt::LeftButton, {}, indicatorCentre(chosen));
            QVERIFY(chosen->isChecked());
            QTest::qWait(20);
            for (QRadioButton *radio : {ui->rBtnKitChainOn, ui->rBtnKitChainOff}) {
                const QPair<int, int> ink = indicatorInk(w, radio);
                QVERIFY2(ink.first > 0, qPrintable(radio->objectName()));
                QCOMPARE(ink.second > 0, radio->isChecked());
            }
        }
    }

    // A copy dialog opened by a click takes the keyboard; the wheel over its
    // fields edits nothing without their focus, and Escape closes it.
    void copyDialogsTakeTheKeyboard()
    {
        StartedWindow started(QLocale::English);
        MainWindow1 *w = started.w.data();
        QVERIFY(started.shown);
        Ui::MainWindow1 *ui = w->form();

        QTest::mouseClick(ui->btnCopyKit, Qt::LeftButton);
        QDialog *kitCopy = w->mainPadPage().kitCopy();
        QTRY_VERIFY(kitCopy->isActiveWindow());
        checkWheelOverFields(kitCopy);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Escape);
        QVERIFY(!kitCopy->isVisible());

        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::mouseClick(ui->labPad05a, Qt::RightButton);
        QMenu *menu = w->mainPadPage().pad_menu();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(w->mainPadPage().pad_copy()).center());
        QDialog *padCopy = w->mainPadPage().copy_pad();
        QTRY_VERIFY(padCopy->isActiveWindow());
        checkWheelOverFields(padCopy);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Escape);
        QVERIFY(!padCopy->isVisible());
    }

    void textsWhole_data() { languages(); }

    // At the size the window opens, every text of every page shows whole.
    void textsWhole()
    {
        QFETCH(int, language);
        StartedWindow started{QLocale::Language(language)};
        QVERIFY(started.shown);
        MainWindow1 *w = started.w.data();
        QStringList cut;
        for (const auto &page : pages(w)) {
            page.second();
            QTest::qWait(50);
            for (const QString &text : cutTexts(w))
                cut << page.first + " | " + text;
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    }

    void dialogTextsWhole_data() { languages(); }

    // Each dialog as it opens: every text shows whole.
    void dialogTextsWhole()
    {
        QFETCH(int, language);
        QStringList cut;
        const auto look = [&cut](const QString &name, QWidget *dialog) {
            if (!QTest::qWaitForWindowExposed(dialog))
                cut << name + " | not shown";
            for (const QString &text : cutTexts(dialog))
                cut << name + " | " + text;
        };
        StartedWindow started{QLocale::Language(language), [&look](QWidget *chooser) { look("drive choice", chooser); }};
        QVERIFY(started.shown);
        MainWindow1 *w = started.w.data();
        Ui::MainWindow1 *ui = w->form();

        QTest::mouseClick(ui->btnCopyKit, Qt::LeftButton);
        look("kit copy", w->mainPadPage().kitCopy());
        w->mainPadPage().kitCopy()->reject();

        QTest::mouseClick(ui->labPad05a, Qt::RightButton);
        QMenu *menu = w->mainPadPage().pad_menu();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(w->mainPadPage().pad_copy()).center());
        look("pad copy", w->mainPadPage().copy_pad());
        w->mainPadPage().copy_pad()->reject();

        // The kits a save writes, as the save asks for them.
        SelectKitNo *kits = w->setupFiles().skn();
        QVector<QString> names;
        for (const MainWindow1Records::soundKit &kit : w->doc().kitAttrList())
            names << kit.kit_name;
        kits->recvKitNameList(names);
        kits->initKitIndex();
        kits->recvKitIndexList(w->doc().kitIndexList());
        kits->show();
        look("kit choice", kits);
        kits->hide();

        CustomDialog report;
        report.recvSoundExportList({"Kick", "Snare"}, m_work.path());
        report.show();
        look("export report", &report);

        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    }

    void padNamesKeepTheirPads_data() { languages(); }

    // A 16-character name on every pad changes no pad's place or size, each
    // shows elided where it does not fit, with its whole name as tooltip, and
    // the two trigger rows keep one height.
    void padNamesKeepTheirPads()
    {
        QFETCH(int, language);
        StartedWindow started{QLocale::Language(language)};
        QVERIFY(started.shown);
        MainWindow1 *w = started.w.data();
        pages(w).first().second();
        QTest::qWait(50);
        const auto places = [w]() {
            QStringList list;
            for (int pad = 1; pad <= 19; ++pad) {
                const QWidget *group = w->findChild<QWidget *>(QStringLiteral("groupPad%1").arg(pad));
                const QRect r(group->mapTo(w, QPoint(0, 0)), group->size());
                list << QStringLiteral("%1: %2,%3 %4x%5").arg(pad).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            }
            return list;
        };
        const QStringList before = places();
        checkTriggerRows(w);

        reloadKit(w->doc(), 0, [](MainWindow1Records::soundKit &kit) {
            kit.pedalChunk.hh_wave1_name = "WMWMWMWMWMWMWMH1";
            kit.pedalChunk.hh_wave2_name = "WMWMWMWMWMWMWMH2";
            kit.pedalChunk.hh_wave3_name = "WMWMWMWMWMWMWMH3";
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                kit.kpadChunk[p].soundName0 = QStringLiteral("Pad%1-Wood-Block").arg(p + 1, 2, 10, QChar('0'));
                kit.kpadChunk[p].soundName1 = QStringLiteral("WMWMWMWMWMWMWM%1").arg(p + 1, 2, 10, QChar('0'));
            }
        });
        QTest::qWait(50);
        QCOMPARE(places(), before);
        checkTriggerRows(w);

        QCOMPARE(checkElidedNames(w, w->form()->midStackedWidgetPage1), 36); // every pad layer

        // The names on Pad Settings too, the window keeping its size.
        const QSize size = w->size();
        pages(w)[2].second();
        QTest::qWait(50);
        const QStringList cut = cutTexts(w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
        QVERIFY(checkElidedNames(w, w->form()->midStackedWidgetPad3) > 0);
        QCOMPARE(w->size(), size);
    }

    // A group's name cut by the tree's width has its tooltip; a whole one none.
    void groupNamesShowWhenCut()
    {
        StartedWindow started(QLocale::English);
        QVERIFY(started.shown);
        MainWindow1 *w = started.w.data();
        const QString longName = "Brushes and rods recorded in the small room";
        w->library().addGroup(longName);
        w->library().addGroup("Fx");
        QTest::qWait(50);
        WaveTreeView1 *tree = w->form()->waveGroupTreeView;
        const SoundListModel *groups = w->library().soundListItemModel();
        for (const QString &name : {longName, QString("Fx")}) {
            const QList<QStandardItem *> found = groups->findItems(name);
            QCOMPARE(found.size(), 1);
            const QModelIndex index = found.first()->index();
            tree->scrollTo(index);
            QCOMPARE(tree->isTextCut(index), name == longName);
            QToolTip::hideText();
            QTRY_VERIFY(!QToolTip::isVisible());
            const QPoint at = tree->visualRect(index).center();
            QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
            QApplication::sendEvent(tree->viewport(), &help);
            if (name == longName)
                QTRY_COMPARE(QToolTip::text(), longName);
            else
                QVERIFY(!QToolTip::isVisible());
        }
    }
};

int main(int argc, char **argv)
{
    Xvfb x(scaled() ? "1920x1080x24" : "1366x768x24");
    if (x.display.isEmpty())
        qFatal("Xvfb did not start (scripts/install-deps.sh installs it)");
    qputenv("DISPLAY", ":" + x.display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenfit.moc"

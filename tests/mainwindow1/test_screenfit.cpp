// The window on a desktop's screen: a real X display (an Xvfb started here)
// of 1366x768, or of 1920x1080 when QT_SCALE_FACTOR is 1.5, with the fonts
// the desktop gives. In both languages, built as the start builds it, the
// window fits the screen and every text of Pad Settings gets its size.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "device/fakedrives.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/startup.h"
#include "resources/ztresources.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>

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
    for (const KitPagesController::strHHWidgetGroup &slot : w->kitPages().hhWidgetGroup()) {
        QStyleOptionGroupBox opt;
        opt.initFrom(slot.group);
        opt.text = slot.group->title();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        QStyle *style = slot.group->style();
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, slot.group);
        const QRect frame = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, slot.group);
        // The caption is drawn from the label's corner.
        const QRect text(label.topLeft(), slot.group->fontMetrics().size(Qt::TextShowMnemonic, opt.text));
        QVERIFY2(slot.group->rect().contains(text) && text.bottom() < frame.top(), qPrintable(slot.group->objectName()));
    }
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

    void windowFitsTheScreen_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(QLocale::English);
        QTest::newRow("Chinese") << int(QLocale::Chinese);
    }

    // Built and shown as the start does: the minimum size stays within the
    // screen less a title bar and the window lies on the screen; at its
    // minimum size every page's controls are reachable and Pad Settings'
    // texts get their size.
    void windowFitsTheScreen()
    {
        QFETCH(int, language);
        FakeDriveSource drives;
        ScriptedPrompter prompts;
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Language(language)));
        installEditorTranslator(qApp);
        EditorStartup startup;
        QTimer::singleShot(30, [&startup]() { startup.chooser->findChild<QPushButton *>("btnOk")->click(); });
        QVERIFY(startup.waitForChoice());
        startup.showWindow();
        QScopedPointer<MainWindow1> w(startup.window.data()); // shown, so never deleted by the start
        w->soundLists().skipSoundListOnClose();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        QTest::qWait(50);
        QLocale::setDefault(old);
        qApp->removeTranslator(installEditorTranslator(qApp));

        const QSize limit = scaled() ? QSize(1280, 690) : QSize(1366, 738);
        const QSize minimum = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(minimum.width() <= limit.width() && minimum.height() <= limit.height(),
                 qPrintable(QStringLiteral("minimum %1x%2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w->geometry()));

        w->resize(minimum);
        for (QToolButton *mode : {w->form()->btnKitChain, w->form()->btnKitMove, w->form()->btnSoundKit}) {
            mode->click();
            QTest::qWait(50);
            checkReachable(w.data());
        }
        QCOMPARE(w->form()->label_142->text(), language == QLocale::Chinese ? QString("力度1：") : QString("Velocity1:"));
        checkPadSettingsTexts(w.data());
        w->form()->stackedWidget->setCurrentIndex(1); // the global page
        QTest::qWait(50);
        checkReachable(w.data());
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

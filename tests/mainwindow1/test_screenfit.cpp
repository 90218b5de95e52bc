// The window on a desktop's screen: a real X display (an Xvfb started here)
// of 1366x768, or of 1920x1080 when QT_SCALE_FACTOR is 1.5, with the fonts
// the desktop gives. In both languages, built as the start builds it, the
// window fits the screen and every text of Pad Settings gets its size.
#include "device/fakedrives.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/shell/startup.h"
#include "resources/ztresources.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool scaled()
{
    return qgetenv("QT_SCALE_FACTOR") == "1.5";
}

// An Xvfb of its own: the display number comes back through -displayfd once
// the server is ready. Ends the server when it goes.
struct Xvfb
{
    pid_t pid = -1;
    QByteArray display;

    explicit Xvfb(const char *screen)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            // Ends with the test, also when the test dies, and leaves its
            // output to nobody, so that no runner waits on it.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const QByteArray fd = QByteArray::number(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", screen, "-dpi", "100",
                   "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char c;
        while (pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            display.append(c);
        close(fds[0]);
    }
    ~Xvfb()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(10);
    }
}

// Clicks the mode button `button` (empty: none), or shows the global page.
void showPage(MainWindow1 *w, QToolButton *button, bool global = false)
{
    w->ui->stackedWidget->setCurrentIndex(global ? 1 : 0);
    if (button)
        button->click();
    settle();
}

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;
    QSize m_limit = scaled() ? QSize(1280, 690) : QSize(1366, 738);

    // The editor as the start makes it, in `language`, shown and settled.
    struct Start
    {
        FakeDriveSource drives;
        ScriptedPrompter prompts;
        QLocale old;
        EditorStartup *startup = nullptr;
        MainWindow1 *w = nullptr;
        explicit Start(QLocale::Language language)
        {
            QLocale::setDefault(QLocale(language));
            installEditorTranslator(qApp);
            startup = new EditorStartup;
            QTimer::singleShot(30, [this]() { startup->chooser->findChild<QPushButton *>("btnOk")->click(); });
            if (startup->waitForChoice()) {
                startup->showWindow();
                w = startup->window;
                w->writeSoundListOnClose = false;
                QVERIFY(QTest::qWaitForWindowExposed(w));
                settle();
            }
        }
        ~Start()
        {
            delete startup; // a window shown is not closed: nothing is written
            delete w;
            QLocale::setDefault(old);
            qApp->removeTranslator(installEditorTranslator(qApp));
        }
    };

    static void languages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(QLocale::English);
        QTest::newRow("Chinese") << int(QLocale::Chinese);
    }

private slots:
    void initTestCase()
    {
        ztInitResources();
        registerQueuedTypes();
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldDir); }

    void windowFitsTheScreen_data() { languages_data(); }
    // The minimum size stays within the screen less a title bar; shown by the
    // start, the window lies on the screen, and at its minimum size every
    // control of every page lies in the window or in a scroll area's page.
    void windowFitsTheScreen()
    {
        QFETCH(int, language);
        Start s{QLocale::Language(language)};
        MainWindow1 *w = s.w;
        QVERIFY(w);
        const QSize minimum = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(minimum.width() <= m_limit.width() && minimum.height() <= m_limit.height(),
                 qPrintable(QStringLiteral("minimum %1x%2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w->geometry()));

        w->resize(minimum);
        const QList<QPair<QToolButton *, bool>> pages = {
                {w->ui->btnKitMove, false}, {w->ui->btnSoundKit, false}, {w->ui->btnKitChain, false}, {nullptr, true}};
        for (const auto &page : pages) {
            showPage(w, page.first, page.second);
            for (QWidget *c : w->findChildren<QWidget *>()) {
                if (!c->isVisibleTo(w) || c->window() != w
                    || !(qobject_cast<QAbstractButton *>(c) || qobject_cast<QAbstractSpinBox *>(c)
                         || qobject_cast<QComboBox *>(c) || qobject_cast<QLineEdit *>(c)
                         || qobject_cast<QAbstractSlider *>(c) || qobject_cast<QTreeView *>(c))
                    || qobject_cast<QAbstractSlider *>(c->parentWidget()))
                    continue;
                // Inside a scroll area, reachable by scrolling its page.
                QWidget *area = w;
                for (QWidget *p = c->parentWidget(); p && p != w; p = p->parentWidget()) {
                    if (auto *scroll = qobject_cast<QScrollArea *>(p); scroll && scroll->widget()->isAncestorOf(c)) {
                        area = scroll->widget();
                        break;
                    }
                }
                const QRect r(c->mapTo(area, QPoint(0, 0)), c->size());
                QVERIFY2(!r.isEmpty() && area->rect().contains(r), qPrintable(c->objectName()));
            }
        }
    }

    void padSettingsTextsFit_data() { languages_data(); }
    // At the window's minimum size each label of Pad Settings gets the size of
    // its text, each box at least its own minimum height, and each hi-hat
    // slot's caption its text's size above the slot's frame.
    void padSettingsTextsFit()
    {
        QFETCH(int, language);
        Start s{QLocale::Language(language)};
        MainWindow1 *w = s.w;
        QVERIFY(w);
        w->resize(w->minimumSizeHint().expandedTo(w->minimumSize()));
        showPage(w, w->ui->btnSoundKit);
        QWidget *page = w->ui->midStackedWidgetPad3;
        QVERIFY(page->isVisible());
        QCOMPARE(w->ui->label_142->text(), language == QLocale::Chinese ? QString("力度1：") : QString("Velocity1:"));
        for (QLabel *l : page->findChildren<QLabel *>()) {
            if (!l->isVisibleTo(w) || l->text().isEmpty())
                continue;
            const QSize text = l->fontMetrics().size(0, l->text());
            QVERIFY2(l->contentsRect().width() >= text.width() && l->contentsRect().height() >= text.height(),
                     qPrintable(QStringLiteral("%1 \"%2\": %3x%4 for %5x%6").arg(l->objectName(), l->text())
                                        .arg(l->contentsRect().width()).arg(l->contentsRect().height())
                                        .arg(text.width()).arg(text.height())));
        }
        for (QWidget *box : page->findChildren<QWidget *>()) {
            if ((qobject_cast<QAbstractSpinBox *>(box) || qobject_cast<QComboBox *>(box)) && box->isVisibleTo(w))
                QVERIFY2(box->height() >= box->minimumSizeHint().height(), qPrintable(box->objectName()));
        }
        for (const MainWindow1::strHHWidgetGroup &slot : w->hhWidgetGroup) {
            QGroupBox *box = slot.group;
            QStyleOptionGroupBox opt;
            opt.initFrom(box);
            opt.text = box->title();
            opt.textAlignment = box->alignment();
            opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            opt.lineWidth = 1;
            const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
            const QRect frame = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, box);
            // The caption is drawn from the label's corner; its text stays
            // inside the box and above the frame.
            const QRect text(label.topLeft(), box->fontMetrics().size(Qt::TextShowMnemonic, box->title()));
            QVERIFY2(box->rect().contains(text) && text.bottom() < frame.top(), qPrintable(box->objectName()));
        }
    }
};

int main(int argc, char **argv)
{
    Xvfb x(scaled() ? "1920x1080x24" : "1366x768x24");
    if (x.display.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start (scripts/install-deps.sh installs it)\n");
        return 1;
    }
    qputenv("DISPLAY", ":" + x.display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenfit.moc"

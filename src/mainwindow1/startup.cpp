#include "mainwindow1/startup.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "library/clicksounds.h"
#include "model/audioconverter.h"
#include "platform/filenamebytes.h"
#include "platform/removabledrives.h"
#include "platform/runfolders.h"
#include "resources/ztresources.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QIcon>
#include <QItemSelection>
#include <QLayout>
#include <QLibraryInfo>
#include <QPersistentModelIndex>
#include <QScreen>

namespace {
// The minimum size of a window not shown yet, once its styles and fonts are
// in: the size hints its layouts kept from before are dropped first.
QSize laidOutMinimum(QWidget *window)
{
    window->ensurePolished();
    for (QWidget *child : window->findChildren<QWidget *>())
        child->updateGeometry();
    if (QLayout *layout = window->layout()) {
        layout->invalidate();
        layout->activate();
    }
    return window->minimumSizeHint().expandedTo(window->minimumSize());
}
} // namespace

QRect openingGeometry(const QRect &available, const QSize &minimum)
{
    // The size the form is laid out for, and the title bar a desktop puts
    // above the window's own area.
    const QSize design(1058, 720);
    const int titleBar = 30;
    const QSize room(available.width(), available.height() - titleBar);
    const QSize size = design.boundedTo(room).expandedTo(minimum);
    const int x = available.x() + qMax(0, (room.width() - size.width()) / 2);
    const int y = available.y() + titleBar + qMax(0, (room.height() - size.height()) / 2);
    return QRect(QPoint(x, y), size);
}

QString translationForLanguage(QLocale::Language language, int *chinese)
{
    const bool cn = language == QLocale::Chinese;
    if (chinese)
        *chinese = cn ? 1 : 0;
    return cn ? QStringLiteral(":/cn.qm") : QStringLiteral(":/en.qm");
}

void registerQueuedTypes()
{
    qRegisterMetaType<QVector<QString>>("QVector<QString>");
    qRegisterMetaType<QVector<int>>("QVector<int>");
    qRegisterMetaType<QList<QPersistentModelIndex>>("QList<QPersistentModelIndex>");
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>("QAbstractItemModel::LayoutChangeHint");
    qRegisterMetaType<QItemSelection>();
}

EditorLanguage::EditorLanguage(const QString &qtCatalogueDir)
{
    ztInitResources();
    const QString file = translationForLanguage(QLocale().language(), &m_cnOrEn);
    // A missing catalogue leaves the source texts (English).
    m_editor.load(file);
    QCoreApplication::installTranslator(&m_editor);
    const QString dir = qtCatalogueDir.isEmpty() ? QLibraryInfo::location(QLibraryInfo::TranslationsPath)
                                                 : qtCatalogueDir;
    if (m_cnOrEn == 1 && m_qt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        QCoreApplication::installTranslator(&m_qt);
}

EditorLanguage::~EditorLanguage()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_editor);
}

EditorStartup::EditorStartup(const WindowServices &services, int cnOrEn)
{
    // Temporary folders that runs killed earlier left behind.
    ztplatform::removeDeadRunFoldersLater();
    window = new MainWindow1(services);
    window->shell().setCnOrEn(cnOrEn);
    // The chooser may outlive the window: it asks the drives it was handed.
    chooser = new DeviceDetector(services.pad.drives ? *services.pad.drives : ztplatform::systemDriveSource(), nullptr);
    window->setupFiles().useDetector(chooser);
    if (!window->shell().constructionComplete()) {
        // It has told the user; a half-built editor is not offered.
        m_broken = true;
        return;
    }
    QObject::connect(chooser, &DeviceDetector::sendCurFilePath, &window->padSync(), &PadSyncController::chooseDrive);
    QObject::connect(chooser, &DeviceDetector::sendClose, window.data(), &MainWindow1::recvClose);
    chooser->setWindowModality(Qt::ApplicationModal);
    chooser->getDevicePath();
    chooser->show();
}

EditorStartup::~EditorStartup()
{
    if (window) {
        window->setupFiles().useDetector(nullptr);
        if (!m_shown) {
            // Never shown, so never closed: the sound list stays as it was.
            window->soundLists().setWriteSoundListOnClose(false);
            delete window.data();
        }
    }
    delete chooser;
}

bool EditorStartup::waitForChoice()
{
    if (m_broken)
        return false;
    JobDialog::waitUntil(
            [this](int) { return !window || window->padSync().loopFlag1() == 0 || window->quitFlag() == 0; }, false);
    if (chooser->closeFlag)
        return false;
    if (!window || window->padSync().fileErrCloseWindow())
        return false;
    return true;
}

void EditorStartup::showWindow()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    window->setGeometry(openingGeometry(available, laidOutMinimum(window)));
    window->show();
    m_shown = true;
}

int runEditor(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    ztplatform::keepFileNameBytes();
    registerQueuedTypes();
    const EditorLanguage language;
    const int cnOrEn = language.cnOrEn();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/zt350editor.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("zt350editor"));
    QtUiPrompter prompter;
    const WindowServices services{&prompter};
    // Where this run found what it loads.
    qInfo().noquote() << "Catalogue" << (language.catalogue().isEmpty() ? QStringLiteral("none") : language.catalogue().filePath())
                      << "| help page" << ShellController::helpPagePath(cnOrEn) << "| metronome sounds"
                      << clicksounds::defaultFolder() << "| ffmpeg"
                      << audioconverter::defaultProgram({}, nullptr, services.silent);
    EditorStartup startup(services, cnOrEn);
    if (!startup.waitForChoice())
        return 0;
    startup.showWindow();
    return app.exec();
}

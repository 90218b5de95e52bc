#include "mainwindow1/startup.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "library/clicksounds.h"
#include "model/audioconverter.h"
#include "platform/filenamebytes.h"
#include "platform/runfolders.h"
#include "resources/ztresources.h"
#include "widgets/devicedetector.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QItemSelection>
#include <QLibraryInfo>
#include <QPersistentModelIndex>
#include <QScreen>
#include <QThread>
#include <QTranslator>

#include <cmath>

namespace {
QTranslator *trans = nullptr;
QTranslator *qtTrans = nullptr; // Qt's own texts: buttons, file dialogs
}

QRect startupWindowGeometry(int availableWidth, int availableHeight, int screenWidth, qreal dpiX)
{
    int w = availableWidth;
    if (dpiX > 0) {
        // Whole inches kept in 8 bits; taken modulo 256 first so that an
        // absurd resolution cannot overflow the conversion.
        const quint8 inches = quint8(int(std::fmod(std::trunc(screenWidth / dpiX), 256.0)));
        int factor;
        if (inches > 25)
            factor = 15;
        else if (inches > 21)
            factor = 14;
        else if (inches > 16)
            factor = 12;
        else if (inches > 11)
            factor = 11;
        else if (inches > 10)
            factor = 10;
        else if (inches > 8)
            factor = 8;
        else
            factor = inches;
        // A screen reported below one inch would give no window at all.
        const double limit = dpiX * factor;
        if (factor > 0 && w > limit) {
            w = int(limit);
            if (w >= 1200)
                w = 1080;
        }
    }
    const int h = (w / 6) * 4;
    const int x = availableWidth / 2 - w / 2;
    const int y = availableHeight / 2 - h / 2;
    return QRect(x, y, w, h);
}

QRect fitOnScreen(const QRect &wanted, const QSize &minimum, const QRect &available)
{
    const QSize size = wanted.size().expandedTo(minimum);
    if (size == wanted.size())
        return wanted;
    const int x = available.x() + qMax(0, (available.width() - size.width()) / 2);
    const int y = available.y() + qMax(0, (available.height() - size.height()) / 2);
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

QTranslator *installEditorTranslator(QApplication *app, const QString &qtCatalogueDir, int *cnOrEn)
{
    ztInitResources();
    if (!trans)
        trans = new QTranslator;
    if (!qtTrans)
        qtTrans = new QTranslator;
    int chinese = 1;
    const QString file = translationForLanguage(QLocale().language(), &chinese);
    if (cnOrEn)
        *cnOrEn = chinese;
    // A missing catalogue leaves the source texts (English).
    trans->load(file);
    app->installTranslator(trans);
    const QString dir = qtCatalogueDir.isEmpty() ? QLibraryInfo::location(QLibraryInfo::TranslationsPath)
                                                 : qtCatalogueDir;
    app->removeTranslator(qtTrans);
    if (chinese == 1 && qtTrans->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        app->installTranslator(qtTrans);
    return trans;
}

EditorStartup::EditorStartup(int cnOrEn)
{
    // Temporary folders that runs killed earlier left behind.
    ztplatform::removeDeadRunFoldersLater();
    window = new MainWindow1;
    window->shell().setCnOrEn(cnOrEn);
    chooser = new DeviceDetector(nullptr);
    window->setupFiles().useDetector(chooser);
    if (!window->shell().constructionComplete()) {
        // It has told the user; a half-built editor is not offered.
        m_broken = true;
        return;
    }
    QObject::connect(chooser, &DeviceDetector::sendCurFilePath, window.data(), &MainWindow1::recvFilePath);
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
            window->soundLists().skipSoundListOnClose();
            delete window.data();
        }
    }
    delete chooser;
}

bool EditorStartup::waitForChoice()
{
    if (m_broken)
        return false;
    while (window && window->padSync().loopFlag1() != 0) {
        QThread::msleep(10);
        QCoreApplication::processEvents();
        if (window && window->quitFlag() == 0)
            break;
    }
    if (chooser->closeFlag)
        return false;
    if (!window || window->padSync().fileErrCloseWindow())
        return false;
    return true;
}

void EditorStartup::showWindow()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QRect r(0, 0, 1080, 720);
    QRect avail = r;
    if (screen) {
        avail = screen->availableGeometry();
        r = startupWindowGeometry(avail.width(), avail.height(), screen->geometry().width(),
                                  screen->physicalDotsPerInchX());
    }
    r = fitOnScreen(r, window->minimumSizeHint().expandedTo(window->minimumSize()), avail);
    window->setGeometry(r.x(), r.y(), r.width(), r.height());
    window->show();
    m_shown = true;
}

int runEditor(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    ztplatform::keepFileNameBytes();
    registerQueuedTypes();
    int cnOrEn = 1;
    const QTranslator *catalogue = installEditorTranslator(&app, QString(), &cnOrEn);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/zt350editor.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("zt350editor"));
    // Where this run found what it loads.
    qInfo().noquote() << "Catalogue" << (catalogue->isEmpty() ? QStringLiteral("none") : catalogue->filePath())
                      << "| help page" << ShellController::helpPagePath(cnOrEn) << "| metronome sounds"
                      << clicksounds::defaultFolder() << "| ffmpeg" << audioconverter::defaultProgram();
    EditorStartup startup(cnOrEn);
    if (!startup.waitForChoice())
        return 0;
    startup.showWindow();
    return app.exec();
}

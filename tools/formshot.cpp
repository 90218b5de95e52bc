// zt_formshot: renders the main window form into a PNG file.
//
//   zt_formshot <out.png> [pads|chain|padset|global] [WIDTHxHEIGHT] [--as-shown] [--cn]
//
// --as-shown also makes the changes the main window makes to the form right
// after building it (hidden rows and strips, splitter stretch factors), so the
// picture shows the pages as the user sees them at start. --cn builds the form
// under the Chinese catalogue.
//
// The page argument selects what the mode buttons would show: the pad area
// (default), the kit-chain steps, the pad settings or the global settings.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextStream>
#include <QThread>
#include <QTranslator>

#include "resources/ztresources.h"
#include "ui_mainwindow1.h"

namespace {

int usage()
{
    QTextStream(stderr) << "usage: zt_formshot <out.png> [pads|chain|padset|global] [WIDTHxHEIGHT] [--as-shown] [--cn]\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool asShown = args.removeAll(QStringLiteral("--as-shown")) > 0;
    const bool chinese = args.removeAll(QStringLiteral("--cn")) > 0;
    if (args.isEmpty() || args.size() > 3)
        return usage();
    const QString out = args.at(0);
    const QString page = args.size() > 1 ? args.at(1) : QStringLiteral("pads");
    QSize size(1058, 720);
    if (args.size() > 2) {
        const QRegularExpressionMatch m = QRegularExpression("^(\\d+)x(\\d+)$").match(args.at(2));
        if (!m.hasMatch())
            return usage();
        size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }

    ztInitResources();
    QTranslator translator;
    if (chinese && translator.load(QStringLiteral(":/cn.qm")))
        QCoreApplication::installTranslator(&translator);
    QMainWindow window;
    Ui_MainWindow1 ui;
    ui.setupUi(&window);

    // pages of the left pane, middle pane, top bar and right pane per mode
    int left = 0, mid = 0, top = 0, right = 0;
    if (page == QLatin1String("chain")) {
        left = 1; mid = 1; top = 1; right = 0;
    } else if (page == QLatin1String("padset")) {
        left = 2; mid = 2; top = 0; right = 1;
    } else if (page == QLatin1String("global")) {
        ui.stackedWidget->setCurrentIndex(1);
    } else if (page != QLatin1String("pads")) {
        return usage();
    }
    if (asShown) {
        const QList<QWidget *> hidden = {ui.logoWidget1, ui.logoWidget2, ui.logoWidget3, ui.rightwaveListIO, ui.customRbtn,
                           ui.hhLayer5Title, ui.hhLayer5SpinBox, ui.tempoSyncTitle, ui.tempoSync, ui.pageKitTitle,
                           ui.kitNoSpinBox, ui.pageNameTitle, ui.kitNameLabel, ui.effect1NoTitle, ui.effect2NoTitle, ui.effect3NoTitle,
                           ui.effect4NoTitle, ui.effect1_no, ui.effect2_no, ui.effect3_no, ui.effect4_no};
        for (QWidget *w : hidden)
            w->hide();
        ui.splitter->setStretchFactor(0, 4);
        ui.splitter->setStretchFactor(1, 15);
        ui.splitter->setStretchFactor(2, 7);
        const int w = ui.waveGroupTreeView->width();
        ui.splitter->setSizes({w, (w / 4) * 15, (w / 4) * 7});
    }
    ui.left_stackedWidget->setCurrentIndex(left);
    ui.midStackedWidget->setCurrentIndex(mid);
    ui.rightTopStackedWidget->setCurrentIndex(top);
    ui.right_stackedWidget->setCurrentIndex(right);

    window.resize(size);
    window.show();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    const QImage shot = window.grab().toImage();
    if (shot.isNull() || !shot.save(out, "PNG")) {
        QTextStream(stderr) << "zt_formshot: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}

#include <QtTest>

#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

#include "device/padtree.h"
#include "resources/ztresources.h"

#include <QTemporaryDir>
#include <QTranslator>

namespace {

// Icons with the smallest size the window shows them at (0: shown as a
// border image or at the default size).
struct IconUse {
    const char *path;
    int shownAt;
};

const IconUse kIcons[] = {
    {":/images/rename1.png", 27},     {":/images/copy.png", 27},
    {":/images/last.png", 16},        {":/images/next.png", 16},
    {":/images/clear1.png", 20},      {":/images/clear2.png", 30},
    {":/images/importFile.png", 28},  {":/images/save1.png", 28},
    {":/images/sure1.png", 28},       {":/images/stop.png", 26},
    {":/images/loop.png", 28},        {":/images/blue_loop.png", 28},
    {":/images/play.png", 26},        {":/images/suspend.png", 26},
    {":/images/volume1.png", 18},     {":/images/createSound1.png", 16},
    {":/images/createSound2.png", 16}, {":/images/waveImport1.png", 16},
    {":/images/waveImport2.png", 16}, {":/images/del.png", 16},
    {":/images/del2.png", 16},        {":/images/kitUp1.png", 18},
    {":/images/kitUp2.png", 18},      {":/images/kitDown1.png", 18},
    {":/images/kitDown2.png", 18},    {":/images/import_wave.png", 20},
    {":/images/import_wave2.png", 20}, {":/images/export_wave.png", 20},
    {":/images/export_wave2.png", 20}, {":/images/file.png", 16},
    {":/images/lock.png", 16},        {":/images/lock2.png", 16},
    {":/images/song16x16.png", 16},   {":/images/song16x16_2.png", 16},
    {":/images/melbrin1.png", 0},
};

QStringList cardPaths()
{
    QStringList paths;
    for (int n = 1; n <= 9; ++n)
        paths << QStringLiteral(":/images/%1.png").arg(n);
    for (int n = 1; n <= 8; ++n)
        paths << QStringLiteral(":/images/T%1.png").arg(n);
    paths << QStringLiteral(":/images/fs1.png") << QStringLiteral(":/images/FS2.png");
    for (int n = 1; n <= 20; ++n)
        paths << QStringLiteral(":/images/step (%1).png").arg(n);
    return paths;
}

// Counts the opaque pixels of the image that the widget does not show unchanged.
int mismatches(QWidget &w, const QString &imagePath)
{
    const QImage ref = QImage(imagePath).convertToFormat(QImage::Format_ARGB32);
    w.resize(ref.size());
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (shot.size() != ref.size())
        return ref.width() * ref.height();
    int bad = 0;
    for (int y = 0; y < ref.height(); ++y) {
        for (int x = 0; x < ref.width(); ++x) {
            const QRgb r = ref.pixel(x, y);
            if (qAlpha(r) == 255 && r != shot.pixel(x, y))
                ++bad;
        }
    }
    return bad;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ztInitResources(); }

    void translationsEmbedded()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/en.qm")));
        QVERIFY(QFile::exists(QStringLiteral(":/cn.qm")));
        // The pad tree's warnings are looked up where they are marked.
        QTranslator cn;
        QVERIFY(cn.load(QStringLiteral(":/cn.qm")));
        QCoreApplication::installTranslator(&cn);
        QTemporaryDir empty;
        PadTreePaths tree;
        DeviceMessage warning;
        QVERIFY(!padtree::getRootDirPath(ztplatform::FolderAnchor::record(empty.path()), empty.path(), tree, &warning));
        QCoreApplication::removeTranslator(&cn);
        QCOMPARE(warning.text, QString::fromUtf8("未找到目标文件。"));
    }

    void cardsLoad()
    {
        for (const QString &path : cardPaths()) {
            const QPixmap pm(path);
            QVERIFY2(!pm.isNull(), qPrintable(path));
            QVERIFY2(pm.width() >= 100 && pm.height() >= 100, qPrintable(path));
        }
        // The cards of one kind share one size, so a row of them lines up.
        const QSize pad = QPixmap(QStringLiteral(":/images/1.png")).size();
        const QSize trig = QPixmap(QStringLiteral(":/images/T1.png")).size();
        const QSize step = QPixmap(QStringLiteral(":/images/step (1).png")).size();
        for (int n = 2; n <= 9; ++n)
            QCOMPARE(QPixmap(QStringLiteral(":/images/%1.png").arg(n)).size(), pad);
        for (int n = 2; n <= 8; ++n)
            QCOMPARE(QPixmap(QStringLiteral(":/images/T%1.png").arg(n)).size(), trig);
        QCOMPARE(QPixmap(QStringLiteral(":/images/fs1.png")).size(), trig);
        QCOMPARE(QPixmap(QStringLiteral(":/images/FS2.png")).size(), trig);
        for (int n = 2; n <= 20; ++n)
            QCOMPARE(QPixmap(QStringLiteral(":/images/step (%1).png").arg(n)).size(), step);
    }

    void cardsDiffer()
    {
        // Each card carries its own number, so no two cards are the same picture.
        QSet<QByteArray> seen;
        for (const QString &path : cardPaths()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY2(!seen.contains(bytes), qPrintable(path));
            seen.insert(bytes);
        }
    }

    void iconsLoadLargeEnough()
    {
        for (const IconUse &use : kIcons) {
            const QString path = QString::fromLatin1(use.path);
            const QPixmap pm(path);
            QVERIFY2(!pm.isNull(), use.path);
            QVERIFY2(pm.width() >= use.shownAt && pm.height() >= use.shownAt, use.path);
            // An icon added at its natural size is shown whole at the size asked for.
            if (use.shownAt > 0) {
                QIcon icon;
                icon.addFile(path, QSize(), QIcon::Normal, QIcon::Off);
                const QSize s(use.shownAt, use.shownAt);
                QCOMPARE(icon.actualSize(s), s);
            }
        }
    }

    void themeVariantsMatch()
    {
        const char *pairs[][2] = {
            {"createSound1", "createSound2"}, {"waveImport1", "waveImport2"},
            {"del", "del2"},                  {"kitUp1", "kitUp2"},
            {"kitDown1", "kitDown2"},         {"clear1", "clear2"},
            {"export_wave", "export_wave2"},  {"import_wave", "import_wave2"},
            {"lock", "lock2"},                {"song16x16_2", "song16x16"},
            {"loop", "blue_loop"},            {"play", "suspend"},
        };
        for (const auto &p : pairs) {
            const QImage a(QStringLiteral(":/images/%1.png").arg(QLatin1String(p[0])));
            const QImage b(QStringLiteral(":/images/%1.png").arg(QLatin1String(p[1])));
            QVERIFY2(!a.isNull() && !b.isNull(), p[0]);
            QCOMPARE(a.size(), b.size());
            QVERIFY2(a != b, p[0]);
        }
    }

    void padCardAsBorderImage()
    {
        QWidget pad;
        pad.setObjectName(QStringLiteral("groupPad1"));
        pad.setStyleSheet(QStringLiteral("QWidget#groupPad1{border-image: url(:/images/1.png);}"));
        QCOMPARE(mismatches(pad, QStringLiteral(":/images/1.png")), 0);

        QWidget fs;
        fs.setObjectName(QStringLiteral("groupPad19"));
        fs.setStyleSheet(QStringLiteral("QWidget#groupPad19{border-image: url(:/images/FS2.png);}"));
        QCOMPARE(mismatches(fs, QStringLiteral(":/images/FS2.png")), 0);
    }

    void stepCardAsBorderImage()
    {
        // The step file names hold a blank and brackets; both url forms reach them.
        QGroupBox step;
        step.setObjectName(QStringLiteral("groupStep1"));
        step.setStyleSheet(QStringLiteral(
            "QGroupBox#groupStep1{border-image: url(\":/images/step (2).png\");color:black;}"));
        QCOMPARE(mismatches(step, QStringLiteral(":/images/step (2).png")), 0);
        step.setStyleSheet(QStringLiteral(
            "QGroupBox#groupStep1{border-image: url(:/images/step (20).png);}"));
        QCOMPARE(mismatches(step, QStringLiteral(":/images/step (20).png")), 0);
        // A neighbour's card differs in its caption.
        QVERIFY(mismatches(step, QStringLiteral(":/images/step (2).png")) > 0);
    }

    void playButtonStyles()
    {
        QToolButton play;
        play.setStyleSheet(QStringLiteral("border-image: url(:/images/suspend.png);"));
        QCOMPARE(mismatches(play, QStringLiteral(":/images/suspend.png")), 0);
        play.setStyleSheet(QStringLiteral("border-image:url(:/images/play.png)"));
        QCOMPARE(mismatches(play, QStringLiteral(":/images/play.png")), 0);
    }
};

QTEST_MAIN(TestResources)
#include "test_resources.moc"

// The whole main window form: objects by class, members, names, fonts and the
// order of the text pass.

#include <QtTest>

#include <QLayout>
#include <QMap>
#include <QSet>
#include <QTranslator>

#include "formharness.h"
#include "resources/ztresources.h"

namespace {

// Records every text the form asks to translate, in order.
class RecordingTranslator : public QTranslator
{
public:
    QStringList texts;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "MainWindow1") == 0)
            const_cast<RecordingTranslator *>(this)->texts.append(QString::fromUtf8(source));
        return QString();
    }
};

bool isFormObject(const QObject *o)
{
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QList<QObject *> formObjects(QMainWindow &window)
{
    QList<QObject *> out;
    for (QObject *o : window.findChildren<QObject *>()) {
        if (isFormObject(o))
            out << o;
    }
    return out;
}

int spacerCount(QMainWindow &window)
{
    int n = 0;
    for (QLayout *l : window.findChildren<QLayout *>()) {
        if (!isFormObject(l) || l->inherits("QMainWindowLayout"))
            continue;
        for (int i = 0; i < l->count(); ++i) {
            if (l->itemAt(i)->spacerItem())
                ++n;
        }
    }
    return n;
}

// Index of `part` as a contiguous run inside `all`, or -1.
int indexOfRun(const QStringList &all, const QStringList &part)
{
    for (int i = 0; i + part.size() <= all.size(); ++i) {
        if (all.mid(i, part.size()) == part)
            return i;
    }
    return -1;
}

QStringList numbered(const QString &prefix, int from, int to, const QString &suffix = QString())
{
    QStringList out;
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step)
        out << prefix + QString::number(i) + suffix;
    return out;
}

} // namespace

class TestForm2Census : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ztInitResources(); }
    void objectsByClass();
    void membersAndNames();
    void fonts();
    void textPassOrder();
};

void TestForm2Census::objectsByClass()
{
    FormFixture f;
    QMap<QString, int> count;
    for (QObject *o : formObjects(f.window))
        ++count[QString::fromLatin1(o->metaObject()->className())];
    count["QSpacerItem"] = spacerCount(f.window);

    const QMap<QString, int> expected = {
        {"QLabel", 191},        {"QHBoxLayout", 189},  {"QWidget", 99},         {"QVBoxLayout", 58},
        {"PadLabel", 36},       {"QGroupBox", 33},     {"QComboBox", 29},       {"QSpinBox", 28},
        {"QToolButton", 23},    {"QFrame", 14},        {"QGridLayout", 10},     {"QRadioButton", 8},
        {"QAction", 7},         {"QPushButton", 6},    {"QStackedWidget", 5},   {"QSpacerItem", 5},
        {"QTreeView", 3},       {"QMenu", 3},          {"QLineEdit", 2},        {"QSlider", 2},
        {"QSplitter", 1},       {"QMenuBar", 1},       {"QStatusBar", 1},       {"LineEdit", 1},
        {"CustomComboBox", 1},  {"WaveTreeView1", 1},  {"TotalTreeView", 1},
        {"QScrollArea", 3}, // around the pad settings, kit settings and global pages
        {"ElidedLabel", 5}, // the sound names of Pad Settings
    };
    int total = 0;
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        QVERIFY2(count.value(it.key()) == it.value(),
                 qPrintable(QStringLiteral("%1: %2 instead of %3").arg(it.key()).arg(count.value(it.key())).arg(it.value())));
        total += it.value();
    }
    QCOMPARE(total, 766);
    // nothing else carries a name: the census covers every named object
    int named = 0;
    for (auto it = count.begin(); it != count.end(); ++it) {
        if (expected.contains(it.key()))
            named += it.value();
        else if (it.key() != QLatin1String("QMainWindowLayout"))
            QFAIL(qPrintable(QStringLiteral("unexpected class %1 (%2)").arg(it.key()).arg(it.value())));
    }
    QCOMPARE(named, 766);
}

void TestForm2Census::membersAndNames()
{
    // a plain class with one pointer per object
    QCOMPARE(sizeof(Ui_MainWindow1), size_t(766) * sizeof(void *));

    FormFixture f;
    QSet<QString> names;
    for (QObject *o : formObjects(f.window)) {
        if (o == &f.window || o->metaObject()->className() == QByteArray("QMainWindowLayout"))
            continue;
        QVERIFY2(!names.contains(o->objectName()), qPrintable(o->objectName()));
        names.insert(o->objectName());
    }
    QCOMPARE(names.size(), 761); // the five spacers have no object
    QCOMPARE(f.window.objectName(), QStringLiteral("MainWindow1"));

    // a window that already has a name keeps it
    FormHarnessWindow named;
    named.setObjectName("keep");
    Ui_MainWindow1 ui;
    ui.setupUi(&named);
    QCOMPARE(named.objectName(), QStringLiteral("keep"));
    QCOMPARE(named.size(), QSize(1058, 720));
}

void TestForm2Census::fonts()
{
    FormFixture f;
    // 307 + 21 + 8 + 5 + 3 + 1 + 1 + 1 + 1 widgets set a font of their own
    int own = 0;
    for (QWidget *w : f.window.findChildren<QWidget *>()) {
        if (isFormObject(w) && w->testAttribute(Qt::WA_SetFont))
            ++own;
    }
    QCOMPARE(own, 348);
    QVERIFY(!f.window.testAttribute(Qt::WA_SetFont));
}

void TestForm2Census::textPassOrder()
{
    RecordingTranslator rec;
    QCoreApplication::installTranslator(&rec);
    FormFixture f;
    QCoreApplication::removeTranslator(&rec);
    const QStringList &all = rec.texts;

    QCOMPARE(all.value(0), QStringLiteral("MainWindow"));
    QCOMPARE(all.mid(1, 7), QStringList({"Sound Kit Interface", "Back to Main Interface", "About Korvanta",
                                         "Export sound library", "Import sound library", "Global Setting Interface",
                                         "Renumber"}));
    QCOMPARE(all.mid(all.size() - 3), QStringList({"File", "Edit", "Manual"}));

    // pad settings page
    QStringList pad = numbered("HiHat-Control-PAD", 1, 9) + numbered("HiHat-Control-TRIG", 1, 4);
    pad << "HiHat-Control-TRIG5/TRIG6" << "HiHat-Control-TRIG7/TRIG8"
        << "HH Open B" << "HH Open A" << "HH Close B" << "HH Close A" << "HH Pedal "
        << "Velocity1:" << "127" << "Velocity2:" << "99" << "Velocity3:" << "79" << "Velocity4:" << "39"
        << "HH Layer4:" << "Pad No.:";
    pad += numbered("PAD", 1, 9) + numbered("TRIG", 1, 8) + QStringList({"FS1", "FS2"});
    pad << "Switch pad number to specified pad\nand save the current pad settings" << "MIDI NOTE#:" << "MIDI Channel:";
    pad += numbered("", 1, 16);
    pad << "Global CH" << "MIDI GATE:" << "OFF" << "Ext CTRL:" << "OFF" << "PAD Output:" << "1" << "Mute Group:"
        << "OFF";
    pad += numbered("", 1, 9);
    pad << "Tempo Sync:" << "OFF" << "Poly/Mono:" << "Mono" << "Poly" << "Poly" << "Dynamic:" << "OFF" << "ON"
        << "Type:" << "Wave A Only" << "Wave B Only" << "Simultaneously" << "Switch" << "Round Robin" << "Loop:"
        << "OFF" << "*2" << "*4" << "*8" << "Infinite" << "Trig Type:" << "Shot" << "Alt" << "Shot" << "Threshold:";
    const QStringList pans = numbered("L", 16, 1) + QStringList("Center") + numbered("R", 1, 16);
    for (const QString &l : {QStringLiteral("A"), QStringLiteral("B")}) {
        pad << "WAVE " + l + " Name:" << "/" << "WAVE " + l + " Volume:" << "WAVE " + l + " PAN:";
        pad += pans;
        if (l == QLatin1String("B"))
            pad << "Center";
        pad << "WAVE " + l + " Pitch:" << "WAVE " + l + " Decay:" << "OFF" << "1" << "2" << "3" << "4";
    }
    const int padAt = indexOfRun(all, pad);
    QVERIFY(padAt > 0);

    // sound library and kit settings pages, right after the pad settings page
    QStringList right = {"Original order", "Kit Order", "cus", "Add Sound Files", "...", "Delete Sound", "DEL",
                         "Import Sound List", "IMP SL", "Export Sound List", "EXP SL",
                         "Kit No.:", "Kit Name:", "/", "Kit Volume:", "Kit Click:", "Link group:", "1", "2", "3", "4",
                         "5"};
    const QStringList links = QStringList("OFF") + numbered("PAD", 1, 9) + numbered("Trig", 1, 8);
    right += links + links;
    const QStringList kitFx = {"THRU", "ECHO", "ECHO-PITCH", "PITCH SHIFT", "PING PONG", "REV1", "REV2", "REV3",
                               "LARGE PLATE", "SMALL PLATE", "TIGHT PLATE", "GATED", "PA VOCAL", "CHORUS", "FLANGER",
                               "REV-TREMOLO", "REV-FLANGE", "REV-CHORUS", "REV-KEY", "DANCE-P-L", "DANCE-H-L",
                               "DANCE-FLA-L", "RMS SOFT KNEE", "ACT XOVER"};
    QStringList activeFx = kitFx;
    activeFx[15] = "REV_TREMELO";
    activeFx[16] = "REV_FLANGE";
    activeFx[17] = "REV_CHORUS";
    for (int n = 1; n <= 4; ++n) {
        right << (n == 4 ? QStringLiteral("Master Effect:") : QStringLiteral("Kit Effect%1:").arg(n));
        right += n == 4 ? activeFx : kitFx;
        right << QStringLiteral("Effect%1 No.:").arg(n) << "0" << "1" << "2" << "3" << "4";
        if (n == 1 || n == 3)
            right << "0";
        for (int k = 1; k <= 3; ++k)
            right << QStringLiteral("Effect%1 Ctrl%2:").arg(n).arg(k);
    }
    const int rightAt = indexOfRun(all, right);
    QVERIFY(rightAt > padAt + pad.size() - 1);
    QVERIFY(indexOfRun(all, pad + right) == padAt);

    // global settings page, last before the menu titles
    QStringList global = {"Version:", "1.01", "BackUp Identifier:", "BACKUP", "Editing Effect:", "0", "Effect OFF:",
                          "0", "Master Effect:"};
    global += numbered("", 1, 64);
    global << "Effect No:" << "/" << "Effect Ctrl1:" << "0" << "Effect Crtl2:" << "0" << "Effect Crtl3:" << "0"
           << "Audio:" << "Audio in volume:" << "20" << "BT Audio volume:" << "20" << "Systan Gain:" << "0"
           << "Audio Output:" << "1" << "MIDI:" << "Global CH:" << "10" << "EXT CTRL:" << "OFF" << "MIDI SYNC:"
           << "OFF" << "SOFT THRU:" << "OFF" << "PC SW:" << "OFF" << "CC SW:" << "OFF" << "FX Ctrl1 CC:" << "71"
           << "FX Ctrl2 CC:" << "72";
    global += numbered("PAD", 1, 9) + numbered("TRIG", 1, 8) + QStringList({"FS1", "FS2"});
    global << "Type:" << "1" << "Sensivity:" << "15" << "Curve:" << "linear" << "Mask Time:" << "15"
           << "Retrig Level:" << "5" << "Anti-cross:" << "5" << "Rim Gain(Threshold):" << "15" << "Dynamic Range:"
           << "5" << "LCD/LED:" << "LCD Contrast:" << "10" << "LED Type:" << "OFF" << "Type1" << "Type2"
           << "LED LOGO:" << "OFF" << "ColorFul" << "Red" << "Green" << "Blue" << "Orange" << "LuOrange" << "Yellow"
           << "GreBlue" << "MayGreen" << "LigGreen" << "LigBlue" << "Cyan" << "Purple" << "AntPink" << "HtViolet"
           << "PrlViolet" << "Tempo Indicate:" << "ON" << "Rec Level:" << "60" << "Auto State:" << "1"
           << "Loop Click:" << "1" << "Loop Qtz:" << "1" << "Loop Meas:" << "1" << "Loop Meas Index:" << "0"
           << "Rec Pad:" << "0" << "Click Sound No.:" << "Click Sound Name:" << "beat:" << "4" << "Click Pan:"
           << "Center" << "Click Volume:" << "20" << "Click Output:" << "1"
           << "File" << "Edit" << "Manual";
    QCOMPARE(indexOfRun(all, global), all.size() - global.size());
}

QTEST_MAIN(TestForm2Census)
#include "test_form2_census.moc"

// The pad settings page, the sound library and kit settings pages and the
// global settings page of the main window form, checked object by object.

#include <QtTest>

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeView>

#include "formharness.h"
#include "resources/ztresources.h"

namespace {

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// "<prefix><from>" .. "<prefix><to>", counting up or down.
QStringList seq(const QString &prefix, int from, int to)
{
    QStringList out;
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step)
        out << prefix + QString::number(i);
    return out;
}

const char *cls(const QObject *o) { return o->metaObject()->className(); }

// The layout that holds `w` directly, searched from its parent widget's layout.
QLayout *holder(QLayout *root, QWidget *w)
{
    if (!root)
        return nullptr;
    if (root->indexOf(w) >= 0)
        return root;
    for (int i = 0; i < root->count(); ++i) {
        if (QLayout *inner = root->itemAt(i)->layout()) {
            if (QLayout *found = holder(inner, w))
                return found;
        }
    }
    return nullptr;
}

QLayout *holder(QWidget *w) { return holder(w->parentWidget() ? w->parentWidget()->layout() : nullptr, w); }

QList<int> stretches(const QBoxLayout *box)
{
    QList<int> out;
    for (int i = 0; i < box->count(); ++i)
        out << box->stretch(i);
    return out;
}

QList<int> margins(const QLayout *l)
{
    int a, b, c, d;
    l->getContentsMargins(&a, &b, &c, &d);
    return {a, b, c, d};
}

void checkSpin(const QSpinBox *s, int min, int max, int value, bool readOnly = false)
{
    QVERIFY2(s, "missing spin box");
    QCOMPARE(s->minimum(), min);
    QCOMPARE(s->maximum(), max);
    QCOMPARE(s->value(), value);
    QCOMPARE(s->isReadOnly(), readOnly);
}

// A caption label and its value widget side by side in one row layout.
void checkRow(QLabel *caption, const QString &text, QWidget *value)
{
    QVERIFY(caption && value);
    QCOMPARE(caption->text(), text);
    QLayout *row = holder(caption);
    QVERIFY2(row, qPrintable(caption->objectName()));
    QCOMPARE(row->indexOf(caption), 0);
    QCOMPARE(row->indexOf(value), 1);
}

const QString kBorder = QStringLiteral("border:1px solid rgb(198, 198, 198);");
const QString kBorderSp = QStringLiteral("border: 1px solid rgb(198, 198, 198);");

} // namespace

class TestForm2Pages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ztInitResources(); }

    void padPageFrame();
    void padPageHiHat();
    void padPageVelocityLayers();
    void padPageSettings();
    void padPageItemLists();
    void soundLibraryPage();
    void kitSettingsPage();
    void effectLists();
    void globalPageLeftColumn();
    void globalPageMiddleColumn();
    void globalPageRightColumn();
    void slotsByName();
};

void TestForm2Pages::padPageFrame()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(ui.midStackedWidget->count(), 3);
    QCOMPARE(ui.midStackedWidget->widget(2), ui.midStackedWidgetPad3);
    QCOMPARE(ui.midStackedWidget->currentIndex(), 0);

    QWidget *page = ui.midStackedWidgetPad3;
    QCOMPARE(page->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(page->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(page->minimumSize(), QSize(0, 0)); // as wide as its fields; its rows scroll on a low window
    QCOMPARE(page->maximumSize(), QSize(16777215, 16777215));
    QCOMPARE(page->styleSheet(), QStringLiteral("color:black;"));
    auto *grid = qobject_cast<QGridLayout *>(page->layout());
    QVERIFY(grid);
    QCOMPARE(grid->spacing(), 5);
    QCOMPARE(ui.padSetScrollArea->widget()->layout()->indexOf(ui.midKitPadSet), 0);
    QVERIFY(ui.padSetScrollArea->widgetResizable());
    int r, c, rs, cs;
    grid->getItemPosition(grid->indexOf(ui.padSetScrollArea), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({0, 0, 1, 1}));
    QCOMPARE(margins(grid)[0], 9);
    QCOMPARE(margins(grid)[3], 5);

    auto *col = qobject_cast<QVBoxLayout *>(ui.midKitPadSet->layout());
    QVERIFY(col);
    QCOMPARE(col->spacing(), 5);
    QCOMPARE(margins(col), QList<int>({0, 0, 0, 0}));
    QCOMPARE(stretches(col), QList<int>({1, 2, 2, 9}));
    QCOMPARE(col->indexOf(ui.widget_9), 0);
    QCOMPARE(col->indexOf(ui.pedalWidget), 1);
    QCOMPARE(col->indexOf(ui.hiHatBox), 2);
    QCOMPARE(col->indexOf(ui.padGroupBox), 3);
    QCOMPARE(ui.midKitPadSet->font().family(), QStringLiteral("Microsoft YaHei"));

    // hi-hat control source between two expanding spacers
    auto *top = qobject_cast<QHBoxLayout *>(ui.widget_9->layout());
    QVERIFY(top);
    QCOMPARE(top->count(), 3);
    QCOMPARE(stretches(top), QList<int>({1, 3, 1}));
    QVERIFY(ui.horizontalSpacer_2 && ui.horizontalSpacer_3);
    QCOMPARE(top->itemAt(0)->spacerItem(), ui.horizontalSpacer_2);
    QCOMPARE(top->itemAt(2)->spacerItem(), ui.horizontalSpacer_3);
    QCOMPARE(ui.horizontalSpacer_2->sizeHint(), QSize(148, 20));
    QCOMPARE(ui.horizontalSpacer_3->sizeHint(), QSize(147, 20));
    QCOMPARE(ui.horizontalSpacer_2->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(top->indexOf(ui.pedalType), 1);
    QCOMPARE(ui.pedalType->minimumSize(), QSize(200, 0)); // the height its text needs
    QStringList pedal = seq("HiHat-Control-PAD", 1, 9) + seq("HiHat-Control-TRIG", 1, 4);
    pedal << "HiHat-Control-TRIG5/TRIG6" << "HiHat-Control-TRIG7/TRIG8";
    QCOMPARE(items(ui.pedalType), pedal);
    QCOMPARE(ui.pedalType->currentIndex(), 0);
}

void TestForm2Pages::padPageHiHat()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    auto *grid = qobject_cast<QGridLayout *>(ui.pedalWidget->layout());
    QVERIFY(grid);
    QCOMPARE(grid->horizontalSpacing(), 5);
    QCOMPARE(grid->verticalSpacing(), 3);
    QCOMPARE(margins(grid), QList<int>({3, 3, 3, 3}));

    struct Slot { QGroupBox *box; QLabel *name; const char *title; int row, col; };
    const Slot hh[] = {
        {ui.hh_wave1_groupBox, ui.hh_wave1_name, "HH Open B", 0, 0},
        {ui.hh_wave2_groupBox, ui.hh_wave2_name, "HH Open A", 0, 1},
        {ui.hh_wave3_groupBox, ui.hh_wave3_name, "HH Close B", 0, 2},
        {ui.hh_wave4_groupBox, ui.hh_wave4_name, "HH Close A", 1, 0},
        {ui.hh_wave5_groupBox, ui.hh_wave5_name, "HH Pedal ", 1, 1},
        {ui.groupBox_6, nullptr, "", 1, 2},
    };
    for (const Slot &s : hh) {
        int r, c, rs, cs;
        grid->getItemPosition(grid->indexOf(s.box), &r, &c, &rs, &cs);
        QCOMPARE(r, s.row);
        QCOMPARE(c, s.col);
        QCOMPARE(s.box->title(), QString::fromLatin1(s.title));
        QCOMPARE(s.box->alignment(), Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(s.box->styleSheet().contains("QGroupBox::title"));
        QVERIFY(s.box->styleSheet().contains("margin-top: 1em;")); // the caption's line above the frame
        if (!s.name)
            continue;
        QCOMPARE(s.box->font().pointSize(), 7);
        QCOMPARE(s.name->parentWidget(), s.box);
        QCOMPARE(s.name->text(), QString());
        QCOMPARE(s.name->alignment(), Qt::AlignCenter);
        QCOMPARE(s.name->styleSheet(), QStringLiteral("border:none;"));
        QCOMPARE(margins(s.box->layout()), QList<int>({3, 6, 3, 3}));
    }
    QCOMPARE(ui.hh_wave2_name->font().pointSize(), 9);
    QVERIFY(!ui.groupBox_6->testAttribute(Qt::WA_SetFont));

    QCOMPARE(ui.btnClearHHWave->parentWidget(), ui.groupBox_6);
    QCOMPARE(ui.btnClearHHWave->text(), QString());
    QCOMPARE(ui.btnClearHHWave->toolTip(), QString());
    QCOMPARE(ui.btnClearHHWave->iconSize(), QSize(20, 20));
    QVERIFY(!ui.btnClearHHWave->icon().isNull());
    QCOMPARE(ui.btnClearHHWave->styleSheet(), QStringLiteral("border:none;"));
}

void TestForm2Pages::padPageVelocityLayers()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QGroupBox *gb = ui.hiHatBox;
    QCOMPARE(gb->title(), QString());
    QCOMPARE(gb->minimumHeight(), 0); // its rows' own heights, never less
    QCOMPARE(gb->maximumHeight(), 16777215);
    QCOMPARE(gb->sizePolicy().verticalPolicy(), QSizePolicy::Maximum);
    QVERIFY(gb->font().bold());
    auto *grid = qobject_cast<QGridLayout *>(gb->layout());
    QVERIFY(grid);
    int r, c, rs, cs;
    grid->getItemPosition(grid->indexOf(ui.widget_10), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({0, 0, 1, 2}));
    QCOMPARE(grid->rowStretch(0), 1);
    QCOMPARE(grid->columnStretch(0), 1);
    QCOMPARE(grid->columnStretch(1), 1);
    QCOMPARE(margins(grid), QList<int>({3, 12, 3, 3}));

    auto *rows = qobject_cast<QVBoxLayout *>(ui.widget_10->layout());
    QVERIFY(rows);
    QCOMPARE(stretches(rows), QList<int>({1, 1, 1, 1, 0}));

    checkSpin(ui.hhLayer1SpinBox, 6, 126, 100);
    checkSpin(ui.hhLayer2SpinBox, 4, 124, 80);
    checkSpin(ui.hhLayer3SpinBox, 2, 122, 40);
    checkSpin(ui.hhLayer4SpinBox, 0, 0, 0, true);
    checkSpin(ui.hhLayer5SpinBox, 0, 127, 0);
    QCOMPARE(ui.hhLayer1SpinBox->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
    QCOMPARE(ui.hhLayer1SpinBox->styleSheet(), kBorder);
    QCOMPARE(ui.hhLayer2SpinBox->styleSheet(), kBorderSp);
    QVERIFY(ui.hhLayer4SpinBox->styleSheet().contains("background-color: rgb(200, 200, 200);"));
    // the read-only layer keeps 0 whatever is typed
    ui.hhLayer4SpinBox->setValue(50);
    QCOMPARE(ui.hhLayer4SpinBox->value(), 0);
    ui.hhLayer5SpinBox->setValue(200);
    QCOMPARE(ui.hhLayer5SpinBox->value(), 127);

    struct Row { QLabel *caption; const char *text; QSpinBox *spin; QFrame *line; QLabel *upper; const char *bound; };
    const Row layers[] = {
        {ui.label_142, "Velocity1:", ui.hhLayer1SpinBox, ui.line_4, ui.labLayer1, "127"},
        {ui.label_143, "Velocity2:", ui.hhLayer2SpinBox, ui.line_5, ui.labLayer2, "99"},
        {ui.label_145, "Velocity3:", ui.hhLayer3SpinBox, ui.line_6, ui.labLayer3, "79"},
        {ui.label_146, "Velocity4:", ui.hhLayer4SpinBox, ui.line_7, ui.labLayer4, "39"},
    };
    for (const Row &row : layers) {
        checkRow(row.caption, row.text, row.spin);
        auto *box = qobject_cast<QHBoxLayout *>(holder(row.caption));
        QVERIFY(box);
        QCOMPARE(box->spacing(), 5);
        QCOMPARE(stretches(box), QList<int>({3, 2, 1, 1}));
        QCOMPARE(box->indexOf(row.line), 2);
        QCOMPARE(box->indexOf(row.upper), 3);
        QCOMPARE(row.line->frameShape(), QFrame::HLine);
        QCOMPARE(row.line->frameShadow(), QFrame::Sunken);
        QCOMPARE(row.upper->text(), QString::fromLatin1(row.bound));
        QCOMPARE(row.upper->alignment(), Qt::AlignCenter);
        QCOMPARE(row.upper->styleSheet(), QStringLiteral("background-color: rgb(200, 200, 200);"));
        QCOMPARE(row.spin->alignment(), Qt::AlignCenter);
        // each upper bound is one less than the layer above starts
        if (row.spin != ui.hhLayer1SpinBox)
            QCOMPARE(row.upper->text().toInt() + 1,
                     (&row - 1)->spin->value());
    }
    checkRow(ui.hhLayer5Title, "HH Layer4:", ui.hhLayer5SpinBox);
    QCOMPARE(rows->indexOf(ui.hhLayer5Title), -1);
    QCOMPARE(rows->itemAt(4)->layout(), holder(ui.hhLayer5Title));
}

void TestForm2Pages::padPageSettings()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QGroupBox *gb = ui.padGroupBox;
    QCOMPARE(gb->title(), QString());
    QVERIFY(gb->font().bold());
    auto *col = qobject_cast<QVBoxLayout *>(gb->layout());
    QVERIFY(col);
    QCOMPARE(margins(col), QList<int>({0, 9, 0, 0}));
    QCOMPARE(col->spacing(), 0);
    QCOMPARE(stretches(col), QList<int>({4, 1, 4}));
    QCOMPARE(col->indexOf(ui.padNumberArea), 0);
    QCOMPARE(col->indexOf(ui.line_8), 1);
    QCOMPARE(col->indexOf(ui.padWavesArea), 2);
    QCOMPARE(ui.line_8->frameShape(), QFrame::HLine);
    QCOMPARE(ui.line_14->frameShape(), QFrame::VLine);
    QCOMPARE(ui.line_15->frameShape(), QFrame::VLine);

    auto *upper = qobject_cast<QHBoxLayout *>(ui.padNumberArea->layout());
    auto *lower = qobject_cast<QHBoxLayout *>(ui.padWavesArea->layout());
    QVERIFY(upper && lower);
    QCOMPARE(stretches(upper), QList<int>({4, 1, 4}));
    QCOMPARE(stretches(lower), QList<int>({4, 1, 4}));
    QCOMPARE(upper->spacing(), 2);
    QCOMPARE(lower->spacing(), 3);
    QCOMPARE(upper->indexOf(ui.padConfig1), 0);
    QCOMPARE(upper->indexOf(ui.line_14), 1);
    QCOMPARE(upper->indexOf(ui.padConfig2), 2);
    QCOMPARE(lower->indexOf(ui.wave1Widget), 0);
    QCOMPARE(lower->indexOf(ui.line_15), 1);
    QCOMPARE(lower->indexOf(ui.wave2Widget), 2);

    // the two upper columns: one row widget per setting
    struct Setting { QWidget *row; QLabel *caption; const char *text; QWidget *value; const char *cls; };
    const Setting settings[] = {
        {ui.widgetPadNo, ui.label_148, "Pad No.:", ui.padNoComboBox, "CustomComboBox"},
        {ui.widgetMidiCode, ui.label_149, "MIDI NOTE#:", ui.midiCodeSpinBox, "QSpinBox"},
        {ui.widgetMidiChannel, ui.label_150, "MIDI Channel:", ui.midiChannelComboBox, "QComboBox"},
        {ui.widgetMidiGate, ui.label_151, "MIDI GATE:", ui.midiGate, "QLabel"},
        {ui.widgetExtCtrl, ui.label_152, "Ext CTRL:", ui.extCtrl, "QLabel"},
        {ui.widgetPadOutput, ui.label_153, "PAD Output:", ui.padOutput, "QLabel"},
        {ui.widgetMuteGroup, ui.label_188, "Mute Group:", ui.muteGroup, "QComboBox"},
        {ui.widgetTempoSync, ui.tempoSyncTitle, "Tempo Sync:", ui.tempoSync, "QLabel"},
        {ui.widgetPolyMono, ui.label_191, "Poly/Mono:", ui.polyMono, "QComboBox"},
        {ui.widgetDynamic, ui.label_192, "Dynamic:", ui.dynamic, "QComboBox"},
        {ui.widgetType, ui.label_193, "Type:", ui.mode, "QComboBox"},
        {ui.widgetLoop, ui.label_194, "Loop:", ui.loop, "QComboBox"},
        {ui.widgetTrigType, ui.label_195, "Trig Type:", ui.trigType, "QComboBox"},
        {ui.widgetVelocity, ui.label_196, "Threshold:", ui.velocity, "QSpinBox"},
    };
    for (int i = 0; i < 14; ++i) {
        const Setting &s = settings[i];
        QWidget *column = i < 7 ? ui.padConfig1 : ui.padConfig2;
        QCOMPARE(s.row->parentWidget(), column);
        QCOMPARE(column->layout()->indexOf(s.row), i % 7);
        QCOMPARE(s.caption->parentWidget(), s.row);
        QCOMPARE(s.value->parentWidget(), s.row);
        QCOMPARE(cls(s.value), s.cls);
        checkRow(s.caption, s.text, s.value);
        QCOMPARE(s.value->styleSheet(), kBorder);
        auto *box = qobject_cast<QHBoxLayout *>(s.row->layout());
        QCOMPARE(box->spacing(), 5);
        QCOMPARE(margins(box), QList<int>({1, 1, 1, 1}));
    }
    QCOMPARE(stretches(qobject_cast<QBoxLayout *>(ui.widgetType->layout())), QList<int>({1, 1}));
    QCOMPARE(stretches(qobject_cast<QBoxLayout *>(ui.padConfig2->layout())), QList<int>({0, 1, 1, 1, 1, 1, 1}));
    QCOMPARE(stretches(qobject_cast<QBoxLayout *>(ui.padConfig1->layout())), QList<int>({0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(ui.midiGate->text(), QStringLiteral("OFF"));
    QCOMPARE(ui.extCtrl->text(), QStringLiteral("OFF"));
    QCOMPARE(ui.padOutput->text(), QStringLiteral("1"));
    QCOMPARE(ui.tempoSync->text(), QStringLiteral("OFF"));
    checkSpin(ui.midiCodeSpinBox, 0, 127, 0);
    checkSpin(ui.velocity, 0, 255, 0);
    QCOMPARE(ui.padNoComboBox->toolTip(),
             QStringLiteral("Switch pad number to specified pad\nand save the current pad settings"));
    QCOMPARE(ui.padNoComboBox->insertPolicy(), QComboBox::InsertAtBottom);

    // wave A and wave B columns
    struct Wave { QWidget *col; QLabel *caps[5]; QLabel *name; QSpinBox *vol; QComboBox *pan; QSpinBox *pitch;
                  QComboBox *decay; const char *letter; };
    const Wave waves[] = {
        {ui.wave1Widget, {ui.label_154, ui.label_164, ui.label_166, ui.label_168, ui.label_169}, ui.waveAName,
         ui.waveAVolumeSpinBox, ui.waveACenter, ui.waveAPitch, ui.waveADecay, "A"},
        {ui.wave2Widget, {ui.label_157, ui.label_176, ui.label_177, ui.label_178, ui.label_179}, ui.waveBName,
         ui.waveBVolumeSpinBox, ui.waveBPan, ui.waveBPitch, ui.waveBDecay, "B"},
    };
    for (const Wave &w : waves) {
        const QString l = QString::fromLatin1(w.letter);
        QWidget *values[5] = {w.name, w.vol, w.pan, w.pitch, w.decay};
        const QString texts[5] = {"WAVE " + l + " Name:", "WAVE " + l + " Volume:", "WAVE " + l + " PAN:",
                                  "WAVE " + l + " Pitch:", "WAVE " + l + " Decay:"};
        auto *col = qobject_cast<QVBoxLayout *>(w.col->layout());
        QCOMPARE(stretches(col), QList<int>({1, 1, 1, 1, 1}));
        QCOMPARE(col->spacing(), 3);
        for (int i = 0; i < 5; ++i) {
            checkRow(w.caps[i], texts[i], values[i]);
            QCOMPARE(col->itemAt(i)->layout(), holder(w.caps[i]));
        }
        QCOMPARE(w.name->text(), QStringLiteral("/"));
        QCOMPARE(w.name->styleSheet(), QString());
        QCOMPARE(w.name->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(w.vol->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
        QCOMPARE(w.vol->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        checkSpin(w.vol, 0, 100, 0);
        checkSpin(w.pitch, -12, 12, -12);
        QCOMPARE(w.pan->styleSheet(), kBorder);
        QCOMPARE(w.decay->styleSheet(), kBorder);
    }
}

void TestForm2Pages::padPageItemLists()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    const QStringList pads = seq("PAD", 1, 9) + seq("TRIG", 1, 8) + QStringList({"FS1", "FS2"});
    QCOMPARE(items(ui.padNoComboBox), pads);
    QCOMPARE(ui.padNoComboBox->itemText(17), QStringLiteral("FS1"));
    QCOMPARE(ui.padNoComboBox->itemText(9), QStringLiteral("TRIG1"));
    QCOMPARE(items(ui.midiChannelComboBox), seq("", 1, 16) << "Global CH");
    QCOMPARE(items(ui.muteGroup), QStringList("OFF") + seq("", 1, 9));
    QCOMPARE(items(ui.polyMono), QStringList({"Mono", "Poly"}));
    QCOMPARE(items(ui.dynamic), QStringList({"OFF", "ON"}));
    QCOMPARE(items(ui.mode), QStringList({"Wave A Only", "Wave B Only", "Simultaneously", "Switch", "Round Robin"}));
    QCOMPARE(items(ui.loop), QStringList({"OFF", "*2", "*4", "*8", "Infinite"}));
    QCOMPARE(items(ui.trigType), QStringList({"Shot", "Alt"}));
    const QStringList pans = seq("L", 16, 1) + QStringList("Center") + seq("R", 1, 16);
    QCOMPARE(pans.size(), 33);
    QCOMPARE(items(ui.waveACenter), pans);
    QCOMPARE(items(ui.waveBPan), pans);
    QCOMPARE(items(ui.waveADecay), QStringList({"OFF", "1", "2", "3", "4"}));
    QCOMPARE(items(ui.waveBDecay), QStringList({"OFF", "1", "2", "3", "4"}));

    QCOMPARE(ui.padNoComboBox->currentIndex(), 0);
    QCOMPARE(ui.polyMono->currentText(), QStringLiteral("Poly"));
    QCOMPARE(ui.dynamic->currentIndex(), 1);
    QCOMPARE(ui.trigType->currentText(), QStringLiteral("Shot"));
    QCOMPARE(ui.waveACenter->currentText(), QStringLiteral("Center"));
    QCOMPARE(ui.waveBPan->currentIndex(), 16);
    QCOMPARE(ui.mode->currentIndex(), 0);
    QCOMPARE(ui.loop->currentIndex(), 0);
    QCOMPARE(ui.muteGroup->currentIndex(), 0);
    QCOMPARE(ui.midiChannelComboBox->currentIndex(), 0);
}

void TestForm2Pages::soundLibraryPage()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QStackedWidget *stack = ui.right_stackedWidget;
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(0), ui.right_stackedWidgetPage1);
    QCOMPARE(stack->widget(1), ui.rightHHSoundWidget);
    QCOMPARE(stack->currentIndex(), 0);

    QWidget *page = ui.right_stackedWidgetPage1;
    QCOMPARE(page->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(page->styleSheet(), QStringLiteral("color:black;"));
    auto *col = qobject_cast<QVBoxLayout *>(page->layout());
    QVERIFY(col);
    QCOMPARE(col->objectName(), QStringLiteral("verticalLayout_25"));
    QCOMPARE(stretches(col), QList<int>({1, 1, 13, 1, 1}));
    QWidget *rows[] = {ui.rightWaveWidget, ui.orderWidget, ui.totalWaveTreeView, ui.rightWaveAdd, ui.rightwaveListIO};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(col->indexOf(rows[i]), i);

    QCOMPARE(ui.horizontalLayout_81->indexOf(ui.right_waveList_label), 0);
    QCOMPARE(ui.horizontalLayout_81->itemAt(1)->spacerItem(), ui.horizontalSpacer_5);
    QCOMPARE(stretches(ui.horizontalLayout_81), QList<int>({5, 1}));
    QCOMPARE(ui.right_waveList_label->font().pointSize(), 12);
    QVERIFY(ui.right_waveList_label->font().bold());
    QCOMPARE(ui.right_waveList_label->text(), QString());

    QRadioButton *radios[] = {ui.defaultRbtn, ui.kitRbtn, ui.upRbtn, ui.DownRbtn, ui.customRbtn};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(ui.horizontalLayout_12->indexOf(radios[i]), i);
        QCOMPARE(radios[i]->parentWidget(), ui.orderWidget);
        QVERIFY(!radios[i]->isChecked());
        QVERIFY(radios[i]->autoExclusive());
    }
    QCOMPARE(ui.defaultRbtn->toolTip(), QStringLiteral("Original order"));
    QCOMPARE(ui.kitRbtn->toolTip(), QStringLiteral("Kit Order"));
    QCOMPARE(ui.upRbtn->toolTip(), QString());
    QCOMPARE(ui.customRbtn->text(), QStringLiteral("cus"));
    QCOMPARE(ui.customRbtn->styleSheet(), QStringLiteral("border:0px;"));

    QTreeView *tree = ui.totalWaveTreeView;
    QCOMPARE(cls(tree), "TotalTreeView");
    QCOMPARE(tree->parentWidget(), page);
    QCOMPARE(tree->font().pointSize(), 10);
    QCOMPARE(tree->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(tree->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(tree->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(tree->editTriggers(), QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    QVERIFY(tree->dragEnabled());
    QCOMPARE(tree->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(tree->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(tree->autoExpandDelay(), -1);
    QCOMPARE(tree->indentation(), 12);
    QCOMPARE(tree->header()->defaultSectionSize(), 60);
    QVERIFY(!tree->model() || tree->model()->rowCount() == 0);

    QCOMPARE(stretches(ui.horizontalLayout_63), QList<int>({4, 1, 1}));
    QCOMPARE(ui.horizontalLayout_63->indexOf(ui.waveInfoShow), 0);
    QVERIFY(!ui.waveInfoShow->testAttribute(Qt::WA_SetFont));
    QCOMPARE(ui.tbtAddWave->text(), QStringLiteral("..."));
    QCOMPARE(ui.tbtAddWave->toolTip(), QStringLiteral("Add Sound Files"));
    QCOMPARE(ui.tbtDel->text(), QStringLiteral("DEL"));
    QCOMPARE(ui.tbtDel->toolTip(), QStringLiteral("Delete Sound"));
    QCOMPARE(ui.tbtDel->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(margins(ui.horizontalLayout_10), QList<int>({8, 6, 8, 6}));
    QCOMPARE(ui.btnImportRightWave->text(), QStringLiteral("IMP SL"));
    QCOMPARE(ui.btnImportRightWave->toolTip(), QStringLiteral("Import Sound List"));
    QCOMPARE(ui.btnExportRightWave->text(), QStringLiteral("EXP SL"));
    QCOMPARE(ui.btnExportRightWave->toolTip(), QStringLiteral("Export Sound List"));
    for (QToolButton *b : {ui.btnImportRightWave, ui.btnExportRightWave}) {
        QCOMPARE(b->iconSize(), QSize(20, 20));
        QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QVERIFY(!b->icon().isNull());
    }
    QVERIFY(!ui.tbtAddWave->icon().isNull());
    QVERIFY(!ui.tbtDel->icon().isNull());
}

void TestForm2Pages::kitSettingsPage()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(ui.verticalLayout_58->indexOf(ui.kitSetScrollArea), 0);
    QCOMPARE(ui.kitSetScrollArea->widget()->layout()->indexOf(ui.kitSettingsBox), 0);
    QCOMPARE(margins(ui.verticalLayout_58), QList<int>({0, 5, 5, 0}));
    QVERIFY(ui.kitSettingsBox->font().bold());
    QCOMPARE(ui.kitSettingsBox->title(), QString());
    QCOMPARE(stretches(ui.verticalLayout_45), QList<int>({4, 0, 3, 0, 3, 0, 3, 0, 3}));
    QWidget *order[] = {ui.widget_5, ui.line_10, ui.widget_3, ui.line_11, ui.widget_4,
                        ui.line_12, ui.widget_6, ui.line, ui.widget_14};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(ui.verticalLayout_45->indexOf(order[i]), i);

    QCOMPARE(stretches(ui.verticalLayout_39), QList<int>({0, 0, 1, 1, 0, 1, 1}));
    checkRow(ui.pageKitTitle, "Kit No.:", ui.kitNoSpinBox);
    checkRow(ui.pageNameTitle, "Kit Name:", ui.kitNameLabel);
    checkRow(ui.label_125, "Kit Volume:", ui.kitVolumeSpinBox);
    checkRow(ui.label_43, "Kit Click:", ui.kitTempoSpinBox);
    checkRow(ui.label_6, "Link group:", ui.linkGroupComboBox);
    checkSpin(ui.kitNoSpinBox, 1, 100, 1);
    checkSpin(ui.kitVolumeSpinBox, 0, 100, 0);
    checkSpin(ui.kitTempoSpinBox, 20, 240, 20);
    QCOMPARE(ui.kitNoSpinBox->styleSheet(), QString());
    QCOMPARE(ui.kitNameLabel->text(), QStringLiteral("/"));
    ui.kitTempoSpinBox->setValue(10);
    QCOMPARE(ui.kitTempoSpinBox->value(), 20);
    ui.kitTempoSpinBox->setValue(300);
    QCOMPARE(ui.kitTempoSpinBox->value(), 240);
    QCOMPARE(ui.verticalLayout_39->indexOf(ui.line_2), 4);

    QCOMPARE(ui.horizontalLayout_56->indexOf(ui.padLink1ComboBox), 0);
    QCOMPARE(ui.horizontalLayout_56->indexOf(ui.line_3), 1);
    QCOMPARE(ui.horizontalLayout_56->indexOf(ui.padLink2ComboBox), 2);
    QCOMPARE(ui.line_3->minimumSize(), QSize(30, 0));
    QCOMPARE(ui.line_3->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.padLink1ComboBox->minimumSize(), QSize(60, 0));
    QCOMPARE(ui.padLink1ComboBox->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(ui.padLink2ComboBox->minimumSize(), QSize(60, 0));

    QCOMPARE(items(ui.linkGroupComboBox), seq("", 1, 5));
    const QStringList links = QStringList("OFF") + seq("PAD", 1, 9) + seq("Trig", 1, 8);
    QCOMPARE(items(ui.padLink1ComboBox), links);
    QCOMPARE(items(ui.padLink2ComboBox), links);
    QCOMPARE(ui.padLink1ComboBox->currentText(), QStringLiteral("OFF"));
}

void TestForm2Pages::effectLists()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    const QStringList kit = {"THRU", "ECHO", "ECHO-PITCH", "PITCH SHIFT", "PING PONG", "REV1", "REV2", "REV3",
                             "LARGE PLATE", "SMALL PLATE", "TIGHT PLATE", "GATED", "PA VOCAL", "CHORUS", "FLANGER",
                             "REV-TREMOLO", "REV-FLANGE", "REV-CHORUS", "REV-KEY", "DANCE-P-L", "DANCE-H-L",
                             "DANCE-FLA-L", "RMS SOFT KNEE", "ACT XOVER"};
    QCOMPARE(items(ui.kitEffect1), kit);
    QCOMPARE(items(ui.kitEffect2), kit);
    QCOMPARE(items(ui.kitEffect3), kit);
    const QStringList active = items(ui.activeFx);
    QCOMPARE(active.size(), 24);
    QCOMPARE(active.mid(15, 3), QStringList({"REV_TREMELO", "REV_FLANGE", "REV_CHORUS"}));
    for (int i = 0; i < 24; ++i) {
        if (i < 15 || i > 17)
            QCOMPARE(active[i], kit[i]);
    }

    struct Block { QWidget *w; QLabel *cap; const char *capText; QComboBox *type; QLabel *noCap; QComboBox *no;
                   QLabel *c[3]; QSpinBox *s[3]; int n; };
    const Block blocks[] = {
        {ui.widget_3, ui.label_99, "Kit Effect1:", ui.kitEffect1, ui.effect1NoTitle, ui.effect1_no,
         {ui.lab_effect1_ctrl1, ui.lab_effect1_ctrl2, ui.lab_effect1_ctrl3},
         {ui.effect1_ctrl1, ui.effect1_ctrl2, ui.effect1_ctrl3}, 1},
        {ui.widget_4, ui.label_109, "Kit Effect2:", ui.kitEffect2, ui.effect2NoTitle, ui.effect2_no,
         {ui.lab_effect2_ctrl1, ui.lab_effect2_ctrl2, ui.lab_effect2_ctrl3},
         {ui.effect2_ctrl1, ui.effect2_ctrl2, ui.effect2_ctrl3}, 2},
        {ui.widget_6, ui.label_126, "Kit Effect3:", ui.kitEffect3, ui.effect3NoTitle, ui.effect3_no,
         {ui.lab_effect3_ctrl1, ui.lab_effect3_ctrl2, ui.lab_effect3_ctrl3},
         {ui.effect3_ctrl1, ui.effect3_ctrl2, ui.effect3_ctrl3}, 3},
        {ui.widget_14, ui.label_127, "Master Effect:", ui.activeFx, ui.effect4NoTitle, ui.effect4_no,
         {ui.lab_effect4_ctrl1, ui.lab_effect4_ctrl2, ui.lab_effect4_ctrl3},
         {ui.effect4_ctrl1, ui.effect4_ctrl2, ui.effect4_ctrl3}, 4},
    };
    for (const Block &b : blocks) {
        auto *col = qobject_cast<QVBoxLayout *>(b.w->layout());
        QVERIFY(col);
        QCOMPARE(stretches(col), QList<int>({1, 0, 1, 1, 1}));
        QCOMPARE(col->spacing(), 4);
        QCOMPARE(b.w->styleSheet(), QStringLiteral("border-left:none;"));
        checkRow(b.cap, b.capText, b.type);
        checkRow(b.noCap, QStringLiteral("Effect%1 No.:").arg(b.n), b.no);
        QVERIFY(!b.noCap->testAttribute(Qt::WA_SetFont));
        QVERIFY(!b.no->testAttribute(Qt::WA_SetFont));
        QVERIFY(b.cap->testAttribute(Qt::WA_SetFont));
        QCOMPARE(items(b.no), seq("", 0, 4));
        QCOMPARE(b.no->currentIndex(), 0);
        QCOMPARE(b.type->currentIndex(), 0);
        QCOMPARE(b.type->styleSheet(), kBorderSp);
        for (int k = 0; k < 3; ++k) {
            checkRow(b.c[k], QStringLiteral("Effect%1 Ctrl%2:").arg(b.n).arg(k + 1), b.s[k]);
            checkSpin(b.s[k], 0, 999, 0);
            b.s[k]->setValue(1000);
            QCOMPARE(b.s[k]->value(), 999);
        }
    }
}

void TestForm2Pages::globalPageLeftColumn()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(ui.stackedWidget->indexOf(ui.global_ui), 1);
    QCOMPARE(ui.stackedWidget->currentIndex(), 0);
    QCOMPARE(stretches(ui.horizontalLayout_11), QList<int>({1, 1, 1}));
    QCOMPARE(ui.horizontalLayout_11->spacing(), 25);
    QCOMPARE(ui.horizontalLayout_11->itemAt(0)->layout(), ui.verticalLayout_41);
    QCOMPARE(ui.horizontalLayout_11->itemAt(1)->layout(), ui.verticalLayout_40);
    QCOMPARE(ui.horizontalLayout_11->itemAt(2)->layout(), ui.verticalLayout_52);
    QCOMPARE(stretches(ui.verticalLayout_41), QList<int>({3, 3, 3, 6}));
    QCOMPARE(ui.verticalLayout_41->indexOf(ui.widget), 0);
    QCOMPARE(ui.verticalLayout_41->indexOf(ui.masterEffectGroupBox), 1);
    QCOMPARE(ui.verticalLayout_41->indexOf(ui.audioGroupBox), 2);
    QCOMPARE(ui.verticalLayout_41->indexOf(ui.midiGroupBox), 3);

    QCOMPARE(stretches(ui.verticalLayout_30), QList<int>({1, 1, 1, 2}));
    QCOMPARE(ui.verticalLayout_30->indexOf(ui.versionFrame), 0);
    checkRow(ui.versionTitle, "Version:", ui.version);
    QCOMPARE(ui.version->text(), QStringLiteral("1.01"));
    checkRow(ui.label_5, "BackUp Identifier:", ui.rbtBack);
    QCOMPARE(ui.rbtBack->text(), QStringLiteral("BACKUP"));
    QVERIFY(!ui.rbtBack->isChecked());
    checkRow(ui.label_2, "Editing Effect:", ui.labEditEffect);
    checkRow(ui.label_4, "Effect OFF:", ui.labEffectOFF);
    QCOMPARE(ui.labEditEffect->text(), QStringLiteral("0"));
    QCOMPARE(ui.labEffectOFF->styleSheet(), QStringLiteral("color:black;"));

    QCOMPARE(ui.masterEffectGroupBox->title(), QStringLiteral("Master Effect:"));
    QCOMPARE(ui.verticalLayout_37->indexOf(ui.masterEffectComboBox), 0);
    checkRow(ui.label_9, "Effect No:", ui.effectType);
    checkRow(ui.label_10, "Effect Ctrl1:", ui.effectCtrl1);
    checkRow(ui.label_28, "Effect Crtl2:", ui.effectCtrl2);
    checkRow(ui.label_31, "Effect Crtl3:", ui.effectCtrl3);
    QCOMPARE(ui.effectType->text(), QStringLiteral("/"));
    QCOMPARE(ui.effectCtrl3->text(), QStringLiteral("0"));

    QComboBox *fx = ui.masterEffectComboBox;
    QCOMPARE(items(fx), seq("", 1, 64));
    QCOMPARE(fx->maxCount(), 64);
    QCOMPARE(fx->maxVisibleItems(), 64);
    QCOMPARE(fx->sizeAdjustPolicy(), QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QCOMPARE(fx->styleSheet(), QStringLiteral("combobox-popup: 0;"));
    fx->addItem("65");
    QCOMPARE(fx->count(), 64);
    QCOMPARE(fx->currentText(), QStringLiteral("1"));

    QCOMPARE(ui.audioGroupBox->title(), QStringLiteral("Audio:"));
    QCOMPARE(ui.gridLayout_3->spacing(), 5);
    const char *audio[4][2] = {{"Audio in volume:", "20"}, {"BT Audio volume:", "20"},
                               {"Systan Gain:", "0"}, {"Audio Output:", "1"}};
    QLabel *audioCaps[] = {ui.label_14, ui.label_15, ui.label_17, ui.label_18};
    QLabel *audioVals[] = {ui.audioVolume, ui.btAudioVolume, ui.systanGain, ui.audioOutput};
    for (int i = 0; i < 4; ++i) {
        int r, c, rs, cs;
        ui.gridLayout_3->getItemPosition(ui.gridLayout_3->indexOf(audioCaps[i]), &r, &c, &rs, &cs);
        QCOMPARE(QList<int>({r, c}), QList<int>({i, 0}));
        ui.gridLayout_3->getItemPosition(ui.gridLayout_3->indexOf(audioVals[i]), &r, &c, &rs, &cs);
        QCOMPARE(QList<int>({r, c}), QList<int>({i, 1}));
        QCOMPARE(audioCaps[i]->text(), QString::fromLatin1(audio[i][0]));
        QCOMPARE(audioVals[i]->text(), QString::fromLatin1(audio[i][1]));
    }

    QCOMPARE(ui.midiGroupBox->title(), QStringLiteral("MIDI:"));
    struct R { QLabel *cap; const char *t; QLabel *val; const char *v; QHBoxLayout *row; };
    const R midi[] = {
        {ui.label_60, "Global CH:", ui.globalCH, "10", ui.horizontalLayout_52},
        {ui.label_61, "EXT CTRL:", ui.midiExtCtrl, "OFF", ui.horizontalLayout_51},
        {ui.label_62, "MIDI SYNC:", ui.midiSync, "OFF", ui.horizontalLayout_50},
        {ui.label_63, "SOFT THRU:", ui.softThru, "OFF", ui.horizontalLayout_49},
        {ui.label_64, "PC SW:", ui.pcSwLabel, "OFF", ui.horizontalLayout_48},
        {ui.label_65, "CC SW:", ui.ccSwLabel, "OFF", ui.horizontalLayout_47},
        {ui.label_66, "FX Ctrl1 CC:", ui.fxCtrl1CCLabel, "71", ui.horizontalLayout_46},
        {ui.label_67, "FX Ctrl2 CC:", ui.fxCtrl2CCLabel, "72", ui.horizontalLayout_45},
    };
    for (int i = 0; i < 8; ++i) {
        checkRow(midi[i].cap, midi[i].t, midi[i].val);
        QCOMPARE(midi[i].val->text(), QString::fromLatin1(midi[i].v));
        QCOMPARE(holder(midi[i].cap), midi[i].row);
        QCOMPARE(ui.verticalLayout_23->itemAt(i)->layout(), midi[i].row);
    }
}

void TestForm2Pages::globalPageMiddleColumn()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(stretches(ui.verticalLayout_40), QList<int>({7, 3, 5}));
    QCOMPARE(ui.verticalLayout_21->indexOf(ui.globalPadComboBox), 0);
    QCOMPARE(items(ui.globalPadComboBox), seq("PAD", 1, 9) + seq("TRIG", 1, 8) + QStringList({"FS1", "FS2"}));
    QCOMPARE(ui.globalPadComboBox->currentIndex(), 0);

    struct R { QLabel *cap; const char *t; QLabel *val; const char *v; };
    const R pad[] = {
        {ui.label_81, "Type:", ui.labType, "1"},
        {ui.label_76, "Sensivity:", ui.labSensivity, "15"},
        {ui.label_78, "Curve:", ui.curveLabel, "linear"},
        {ui.label_79, "Mask Time:", ui.maskTimeLabel, "15"},
        {ui.label_82, "Retrig Level:", ui.labRetrigLevel, "5"},
        {ui.label_80, "Anti-cross:", ui.antiCrossLabel, "5"},
        {ui.label_77, "Rim Gain(Threshold):", ui.thresholdLabel, "15"},
        {ui.label_83, "Dynamic Range:", ui.labDynamicRange, "5"},
    };
    for (int i = 0; i < 8; ++i) {
        checkRow(pad[i].cap, pad[i].t, pad[i].val);
        QCOMPARE(pad[i].val->text(), QString::fromLatin1(pad[i].v));
        QCOMPARE(ui.verticalLayout_21->itemAt(i + 1)->layout(), holder(pad[i].cap));
    }
    QCOMPARE(ui.labType->alignment(), Qt::AlignLeft | Qt::AlignVCenter);

    QCOMPARE(ui.groupBox->title(), QStringLiteral("LCD/LED:"));
    QCOMPARE(items(ui.ledTypeComboBox), QStringList({"OFF", "Type1", "Type2"}));
    QCOMPARE(items(ui.ledLogoComboBox),
             QStringList({"OFF", "ColorFul", "Red", "Green", "Blue", "Orange", "LuOrange", "Yellow", "GreBlue",
                          "MayGreen", "LigGreen", "LigBlue", "Cyan", "Purple", "AntPink", "HtViolet", "PrlViolet"}));
    QCOMPARE(ui.ledTypeComboBox->currentIndex(), 0);
    QCOMPARE(ui.ledLogoComboBox->currentIndex(), 0);
    QWidget *lcd[4][2] = {{ui.label_86, ui.lcdContrast}, {ui.label_87, ui.ledTypeComboBox},
                          {ui.label_13, ui.ledLogoComboBox}, {ui.label_88, ui.tempoIndicateLabel}};
    const char *lcdText[4] = {"LCD Contrast:", "LED Type:", "LED LOGO:", "Tempo Indicate:"};
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 2; ++k) {
            int r, c, rs, cs;
            ui.gridLayout_8->getItemPosition(ui.gridLayout_8->indexOf(lcd[i][k]), &r, &c, &rs, &cs);
            QCOMPARE(QList<int>({r, c}), QList<int>({i, k}));
        }
        QCOMPARE(static_cast<QLabel *>(lcd[i][0])->text(), QString::fromLatin1(lcdText[i]));
    }
    QCOMPARE(ui.lcdContrast->text(), QStringLiteral("10"));
    QCOMPARE(ui.tempoIndicateLabel->text(), QStringLiteral("ON"));

    const R led[] = {
        {ui.label_89, "Rec Level:", ui.labRecLevel, "60"},
        {ui.label_94, "Auto State:", ui.labAutoState, "1"},
        {ui.label_96, "Loop Click:", ui.labLoopClick, "1"},
        {ui.label_97, "Loop Qtz:", ui.labLoopQtz, "1"},
        {ui.label_98, "Loop Meas:", ui.labLoopMeas, "1"},
        {ui.lab_MeasIndex, "Loop Meas Index:", ui.labLoopMeasIndex, "0"},
        {ui.label_100, "Rec Pad:", ui.labRecPad, "0"},
    };
    for (int i = 0; i < 7; ++i) {
        checkRow(led[i].cap, led[i].t, led[i].val);
        QCOMPARE(led[i].val->text(), QString::fromLatin1(led[i].v));
        QLayout *row = holder(led[i].cap);
        int r, c, rs, cs;
        ui.gridLayout_9->getItemPosition(ui.gridLayout_9->indexOf(row), &r, &c, &rs, &cs);
        QCOMPARE(QList<int>({r, c}), QList<int>({i, 0}));
    }
}

void TestForm2Pages::globalPageRightColumn()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(stretches(ui.verticalLayout_52), QList<int>({7, 1, 7, 1}));
    QCOMPARE(ui.verticalLayout_52->itemAt(0)->layout(), ui.verticalLayout_51);
    QCOMPARE(ui.verticalLayout_52->itemAt(1)->layout(), ui.horizontalLayout_108);
    QCOMPARE(ui.verticalLayout_52->indexOf(ui.clickWaveTreeView), 2);
    QCOMPARE(ui.verticalLayout_52->itemAt(3)->layout(), ui.horizontalLayout_109);
    QCOMPARE(stretches(ui.verticalLayout_51), QList<int>({1, 4}));
    QCOMPARE(ui.metronomeTitle->text(), QString());
    QVERIFY(ui.metronomeTitle->font().bold());
    QVERIFY(ui.metronomeListTitle->font().bold());

    checkRow(ui.label_7, "Click Sound No.:", ui.clickSoundNoSpinBox);
    checkSpin(ui.clickSoundNoSpinBox, 1, 5, 1);
    ui.clickSoundNoSpinBox->setValue(6);
    QCOMPARE(ui.clickSoundNoSpinBox->value(), 5);
    checkRow(ui.label_8, "Click Sound Name:", ui.clickNameLab);
    checkRow(ui.label_16, "beat:", ui.clickInterval);
    checkRow(ui.label_20, "Click Pan:", ui.clickPan);
    checkRow(ui.label_22, "Click Volume:", ui.clickVolume);
    checkRow(ui.label_21, "Click Output:", ui.clickOutput);
    QCOMPARE(ui.clickNameLab->text(), QString());
    QCOMPARE(ui.clickInterval->text(), QStringLiteral("4"));
    QCOMPARE(ui.clickPan->text(), QStringLiteral("Center"));
    QCOMPARE(ui.clickVolume->text(), QStringLiteral("20"));
    QCOMPARE(ui.clickOutput->text(), QStringLiteral("1"));
    QCOMPARE(margins(ui.verticalLayout_20)[1], 0);
    QCOMPARE(margins(ui.verticalLayout_20)[3], 0);

    QCOMPARE(stretches(ui.horizontalLayout_108), QList<int>({3, 1, 1}));
    QCOMPARE(ui.btnImportClickWave->text(), QString());
    QCOMPARE(ui.btnDelClick->text(), QString());
    QVERIFY(!ui.btnImportClickWave->icon().isNull());
    QVERIFY(!ui.btnDelClick->icon().isNull());
    QCOMPARE(ui.clickWaveTreeView->editTriggers(), QAbstractItemView::EditKeyPressed);
    QCOMPARE(ui.clickWaveTreeView->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(stretches(ui.horizontalLayout_109), QList<int>({2, 1}));
    QCOMPARE(ui.globalLineEdit->text(), QString());
    QCOMPARE(ui.btnGlobal->text(), QString());
    QCOMPARE(ui.btnGlobal->styleSheet(), QStringLiteral("color:black;"));

    // every widget of the page carries the form family (the scroll area and
    // its page inherit it)
    for (QWidget *w : ui.global_ui->findChildren<QWidget *>()) {
        if (w->objectName().startsWith("qt_") || w->objectName().isEmpty()
            || w->objectName().startsWith("globalScroll"))
            continue;
        QVERIFY2(w->testAttribute(Qt::WA_SetFont), qPrintable(w->objectName()));
        QCOMPARE(w->font().family(), QStringLiteral("Microsoft YaHei"));
    }
}

void TestForm2Pages::slotsByName()
{
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(formharness::slotWarnings(f.setupMessages), QStringList());
    // the initial indexes are set before the slots are connected
    QCOMPARE(f.window.calls, QStringList());

    ui.btnClearHHWave->click();
    emit ui.hhLayer2SpinBox->editingFinished();
    ui.mode->setCurrentIndex(3);
    ui.padNoComboBox->setCurrentIndex(18);
    ui.customRbtn->click();
    emit ui.totalWaveTreeView->pressed(QModelIndex());
    ui.tbtDel->click();
    ui.kitNoSpinBox->setValue(7);
    ui.padLink2ComboBox->setCurrentIndex(17);
    ui.activeFx->setCurrentIndex(23);
    ui.effect3_ctrl2->setValue(999);
    ui.effect4_no->setCurrentIndex(2); // no slot
    ui.rbtBack->click();
    ui.masterEffectComboBox->setCurrentIndex(63);
    ui.globalPadComboBox->setCurrentIndex(9);
    ui.clickSoundNoSpinBox->setValue(3);
    ui.ledLogoComboBox->setCurrentIndex(4); // no slot
    emit ui.clickWaveTreeView->pressed(QModelIndex());
    ui.btnGlobal->click();
    QCOMPARE(f.window.calls,
             QStringList({"on_btnClearHHWave_clicked", "on_hhLayer2SpinBox_editingFinished",
                          "on_mode_currentIndexChanged(3)", "on_padNoComboBox_currentIndexChanged(18)",
                          "on_customRbtn_clicked", "on_totalWaveTreeView_pressed(-1)", "on_tbtDel_clicked",
                          "on_kitNoSpinBox_valueChanged(7)", "on_padLink2ComboBox_currentIndexChanged(17)",
                          "on_activeFx_currentIndexChanged(23)", "on_effect3_ctrl2_valueChanged(999)",
                          "on_rbtBack_clicked", "on_masterEffectComboBox_currentIndexChanged(63)",
                          "on_globalPadComboBox_currentIndexChanged(9)", "on_clickSoundNoSpinBox_valueChanged(3)",
                          "on_clickWaveTreeView_pressed(-1)", "on_btnGlobal_clicked"}));

    // the window has exactly the 82 slots named after form objects, all connected
    int named = 0;
    const QMetaObject *mo = f.window.metaObject();
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        if (mo->method(i).methodType() == QMetaMethod::Slot && mo->method(i).name().startsWith("on_"))
            ++named;
    }
    QCOMPARE(named, 82);
}

QTEST_MAIN(TestForm2Pages)
#include "test_form2_pages.moc"

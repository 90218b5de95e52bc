// The form's texts under the embedded English and Chinese catalogues, and the
// texts of the two copy dialogs.

#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTranslator>

#include "formharness.h"
#include "resources/ztresources.h"
#include "ui_copykitfunc.h"
#include "ui_copypadfunc.h"

namespace {

// Every visible text of the tree under `root`, keyed by object and role.
QMap<QString, QString> texts(QWidget *root)
{
    QMap<QString, QString> out;
    out["window/title"] = root->windowTitle();
    for (QObject *o : root->findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->toolTip().isEmpty())
            out[name + "/tip"] = w->toolTip();
        if (auto *l = qobject_cast<QLabel *>(o))
            out[name + "/text"] = l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(o))
            out[name + "/text"] = b->text();
        if (auto *g = qobject_cast<QGroupBox *>(o))
            out[name + "/title"] = g->title();
        if (auto *m = qobject_cast<QMenu *>(o))
            out[name + "/title"] = m->title();
        if (auto *a = qobject_cast<QAction *>(o))
            out[name + "/text"] = a->text();
        if (auto *c = qobject_cast<QComboBox *>(o)) {
            for (int i = 0; i < c->count(); ++i)
                out[name + "/item" + QString::number(i)] = c->itemText(i);
        }
    }
    return out;
}

bool hasHan(const QString &s)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return s.contains(han);
}

// Labels printed on the pad itself and the play key stay as they are.
bool keptAsIs(const QString &s)
{
    static const QRegularExpression codes(QStringLiteral("^(PAD\\d|TRIG\\d|Trig\\d|FS\\d|Space)$"));
    return codes.match(s).hasMatch();
}

bool hasLetters(const QString &s)
{
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]"));
    return s.contains(letters);
}

struct Installed
{
    QTranslator translator;
    explicit Installed(const QString &qm)
    {
        QVERIFY2(translator.load(qm), qPrintable(qm));
        QCoreApplication::installTranslator(&translator);
    }
    ~Installed() { QCoreApplication::removeTranslator(&translator); }
};

} // namespace

class TestForm2Translation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ztInitResources(); }
    void englishShowsSourceTexts();
    void chineseTranslatesEveryText();
    void chinesePadAndGlobalPages();
    void copyDialogs();
};

void TestForm2Translation::englishShowsSourceTexts()
{
    QMap<QString, QString> source;
    {
        FormFixture f;
        source = texts(&f.window);
    }
    Installed en(":/en.qm");
    FormFixture f;
    QCOMPARE(texts(&f.window), source);
    QCOMPARE(f.ui.label_142->text(), QStringLiteral("Velocity1:"));
    QCOMPARE(f.ui.polyMono->currentText(), QStringLiteral("Poly"));
}

void TestForm2Translation::chineseTranslatesEveryText()
{
    QMap<QString, QString> source;
    {
        FormFixture f;
        source = texts(&f.window);
    }
    Installed cn(":/cn.qm");
    FormFixture f;
    const QMap<QString, QString> zh = texts(&f.window);
    QCOMPARE(zh.keys(), source.keys());
    QStringList untranslated;
    for (auto it = source.begin(); it != source.end(); ++it) {
        const QString &en = it.value();
        if (!hasLetters(en) || keptAsIs(en)) {
            if (zh.value(it.key()) != en)
                untranslated << it.key() + ": " + en + " -> " + zh.value(it.key());
            continue;
        }
        if (!hasHan(zh.value(it.key())))
            untranslated << it.key() + ": " + en;
    }
    QCOMPARE(untranslated, QStringList());
    // the play key keeps working in Chinese
    QCOMPARE(f.ui.playBtn2->shortcut(), QKeySequence(Qt::Key_Space));
}

void TestForm2Translation::chinesePadAndGlobalPages()
{
    Installed cn(":/cn.qm");
    FormFixture f;
    Ui_MainWindow1 &ui = f.ui;
    QCOMPARE(ui.label_142->text(), QStringLiteral("力度1："));
    QCOMPARE(ui.hh_wave5_groupBox->title(), QStringLiteral("踩镲踏板 "));
    QCOMPARE(ui.padNoComboBox->toolTip(), QStringLiteral("切换到指定的打击垫\n并保存当前打击垫设置"));
    QCOMPARE(ui.padNoComboBox->itemText(17), QStringLiteral("FS1"));
    // the text pass selects by translated text, so the selections hold
    QCOMPARE(ui.polyMono->currentIndex(), 1);
    QCOMPARE(ui.polyMono->currentText(), QStringLiteral("复音"));
    QCOMPARE(ui.trigType->currentText(), QStringLiteral("单次"));
    QCOMPARE(ui.waveBPan->currentText(), QStringLiteral("居中"));
    QCOMPARE(ui.waveACenter->itemText(0), QStringLiteral("左16"));
    QCOMPARE(ui.waveACenter->itemText(32), QStringLiteral("右16"));
    // the active effect list keeps its own spelling in translation too
    for (int i = 15; i <= 17; ++i)
        QVERIFY(ui.activeFx->itemText(i) != ui.kitEffect1->itemText(i));
    QCOMPARE(ui.kitEffect1->itemText(0), ui.activeFx->itemText(0));
    QCOMPARE(ui.label_28->text(), QStringLiteral("效果控制2："));
    QCOMPARE(ui.masterEffectComboBox->itemText(63), QStringLiteral("64"));
    QCOMPARE(ui.stopBtn2->text(), QStringLiteral("停止"));
    QCOMPARE(ui.menuHelp->title(), QStringLiteral("手册"));
}

void TestForm2Translation::copyDialogs()
{
    for (const char *qm : {":/en.qm", ":/cn.qm"}) {
        const bool chinese = QByteArray(qm).contains("cn");
        Installed tr(QString::fromLatin1(qm));
        QDialog kit;
        Ui_CopyKitFunc kitUi;
        kitUi.setupUi(&kit);
        QDialog pad;
        Ui_CopyPadFunc padUi;
        padUi.setupUi(&pad);
        for (QWidget *dialog : {static_cast<QWidget *>(&kit), static_cast<QWidget *>(&pad)}) {
            const QMap<QString, QString> all = texts(dialog);
            int checked = 0;
            for (auto it = all.begin(); it != all.end(); ++it) {
                if (!hasLetters(it.value()) && !hasHan(it.value()))
                    continue;
                ++checked;
                QVERIFY2(hasHan(it.value()) == chinese, qPrintable(it.key() + ": " + it.value()));
            }
            QVERIFY(checked >= 5);
        }
    }
}

QTEST_MAIN(TestForm2Translation)
#include "test_form2_translation.moc"

// Drives the real main window through one random sequence of user edits and
// writes what it ends with: every named widget's value, the rows of every
// list, every box the user was shown, and the bytes of every file the
// sequence saved. Two builds given the same seed must write the same text.
//
//     windowdiff WORKDIR SEED STEPS OUTFILE
//
// It reaches the window only through its widgets, found by their names, so
// the same source builds against any version of the window.
#include "library/dragpayload.h"
#include "mainwindow1/mainwindow1.h"
#include "platform/removabledrives.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

#include <cmath>
#include <functional>
#include <random>

namespace {

// No removable drive: the window works offline.
struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

// A mono 16-bit PCM wave of `frames` samples at 8 kHz.
QByteArray pcmWave(int frames, double hertz)
{
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        const qint16 s = qint16(8000 * std::sin(2 * M_PI * hertz * i / 8000.0));
        data.append(char(s & 0xff)).append(char((s >> 8) & 0xff));
    }
    auto u32 = [](quint32 v) {
        QByteArray b(4, 0);
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xff);
        return b;
    };
    auto u16 = [](quint16 v) { return QByteArray(1, char(v & 0xff)) + QByteArray(1, char(v >> 8)); };
    QByteArray w = "RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(8000)
                   + u32(16000) + u16(2) + u16(16) + "data" + u32(quint32(data.size()));
    return w + data;
}

class Driver
{
public:
    Driver(const QString &work, quint32 seed) : m_work(work), m_random(seed) {}

    void run(int steps);
    QString report();

private:
    QString m_work;
    std::mt19937 m_random;
    NoDrives m_drives;
    ScriptedPrompter m_prompter;
    MainWindow1 *m_w = nullptr;
    QStringList m_sounds;
    QStringList m_log;
    int m_saves = 0;

    int pick(int n) { return n <= 0 ? 0 : int(m_random() % quint32(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    template <class T>
    T *find(const QString &name) const
    {
        return m_w->findChild<T *>(name);
    }
    QString pageShown() const;
    void setUp();
    void step();
    void settle() { QCoreApplication::processEvents(); }

    QString randomName(int maxLength);
    void typeKitNumber();
    void renameKit();
    void kitPageEdit();
    void chainPageEdit();
    void soundListEdit();
    void dropSound();
    void dropKitOnStep();
    void padMenu();
    void copyKit();
    void globalPageEdit();
    void saveKits(const QString &folder);
    void exportAll(const QString &file);
    void importAll(const QString &file);
    void drop(QWidget *target, const QPoint &pos, const QString &payload);
    void answerKitChoice(const QVector<int> &kits);
};

QString Driver::pageShown() const
{
    const auto *left = find<QStackedWidget>(QStringLiteral("left_stackedWidget"));
    return QString::number(left ? left->currentIndex() : -1);
}

QString Driver::randomName(int maxLength)
{
    static const QString letters = QStringLiteral("AbcdEfgh ijKL_mno-Pq.r~s'T0123");
    const int n = pick(maxLength + 3);
    QString name;
    for (int i = 0; i < n; ++i)
        name += letters.at(pick(letters.size()));
    return name;
}

void Driver::setUp()
{
    QDir(m_work).mkpath(QStringLiteral("sounds"));
    QDir(m_work).mkpath(QStringLiteral("out"));
    const QStringList names = {"Kick", "Snare_1", "Tom hi", "Ride.cym", "底鼓", "HatOpen", "Crash-2", "Clap"};
    for (int i = 0; i < names.size(); ++i) {
        const QString path = QDir(m_work).filePath("sounds/" + names.at(i) + ".wav");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(pcmWave(400 + 40 * i, 110.0 * (i + 1)));
        m_sounds.append(QDir::toNativeSeparators(path));
    }
    m_w = new MainWindow1(WindowServices(&m_prompter, PadSystem{&m_drives}));
    m_w->resize(1400, 900);
    m_w->show();
    if (!QTest::qWaitForWindowExposed(m_w))
        m_log << QStringLiteral("window not exposed");
    settle();

    // Sounds in the list, a group with some of them.
    m_prompter.fileAnswers.enqueue(m_sounds.mid(0, 6));
    find<QAbstractButton>(QStringLiteral("tbtAddWave"))->click();
    m_prompter.textAnswers.enqueue({QStringLiteral("Drums"), true});
    find<QAbstractButton>(QStringLiteral("addWaveGroup"))->click();
    m_prompter.fileAnswers.enqueue(m_sounds.mid(4));
    find<QAbstractButton>(QStringLiteral("addWaveFile"))->click();
    settle();
}

void Driver::typeKitNumber()
{
    auto *field = find<QLineEdit>(QStringLiteral("kitNumber"));
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    const int n = chance(10) ? 0 : 1 + pick(100);
    if (n > 0)
        QTest::keyClicks(field, QString::number(n));
    else
        QTest::keyClick(field, Qt::Key_Backspace);
}

void Driver::renameKit()
{
    find<QAbstractButton>(QStringLiteral("btnRenameKit"))->click();
    auto *field = find<QLineEdit>(QStringLiteral("kitNameLineEdit"));
    field->selectAll();
    QTest::keyClicks(field, randomName(10));
    QTest::keyClick(field, Qt::Key_Return);
}

void Driver::kitPageEdit()
{
    static const char *spins[] = {"kitNoSpinBox",     "kitVolumeSpinBox", "kitTempoSpinBox", "effect1_ctrl1",
                                  "effect2_ctrl2",    "effect3_ctrl3",    "effect4_ctrl1",   "midiCodeSpinBox",
                                  "waveAVolumeSpinBox", "waveBVolumeSpinBox", "waveAPitch", "waveBPitch", "velocity"};
    static const char *combos[] = {"kitEffect1",  "kitEffect2",    "kitEffect3",          "activeFx",
                                   "linkGroupComboBox", "padLink1ComboBox", "padLink2ComboBox",
                                   "bottomColorComboBox", "workColorComboBox", "pedalType", "padNoComboBox",
                                   "midiChannelComboBox", "waveACenter", "waveBPan", "waveADecay", "waveBDecay",
                                   "muteGroup", "mode", "loop", "trigType", "dynamic", "polyMono"};
    static const char *layers[] = {"hhLayer1SpinBox", "hhLayer2SpinBox", "hhLayer3SpinBox"};
    const int kind = pick(10);
    if (kind < 4) {
        auto *box = find<QSpinBox>(QString::fromLatin1(spins[pick(int(std::size(spins)))]));
        if (box && box->isEnabled())
            box->setValue(box->minimum() + pick(qMin(box->maximum() - box->minimum() + 1, 700)));
    } else if (kind < 8) {
        auto *box = find<QComboBox>(QString::fromLatin1(combos[pick(int(std::size(combos)))]));
        if (box && box->isEnabled() && box->count() > 0)
            box->setCurrentIndex(pick(box->count()));
    } else if (kind == 8) {
        auto *box = find<QSpinBox>(QString::fromLatin1(layers[pick(3)]));
        QTest::mouseClick(box, Qt::LeftButton);
        box->setValue(pick(128));
        emit box->editingFinished();
    } else {
        find<QAbstractButton>(QStringLiteral("btnClearHHWave"))->click();
    }
}

void Driver::chainPageEdit()
{
    const int kind = pick(7);
    auto *list = find<QTreeView>(QStringLiteral("kitListtreeView"));
    auto *model = list ? qobject_cast<QStandardItemModel *>(list->model()) : nullptr;
    QStandardItem *root = model ? model->item(0) : nullptr;
    switch (kind) {
    case 0: find<QSpinBox>(QStringLiteral("kitChainNoSpinBox"))->setValue(pick(9)); break;
    case 1: QTest::mouseClick(find<QAbstractButton>(QStringLiteral("rBtnKitChainOn")), Qt::LeftButton); break;
    case 2: QTest::mouseClick(find<QAbstractButton>(QStringLiteral("rBtnKitChainOff")), Qt::LeftButton); break;
    case 3: find<QAbstractButton>(QString::fromLatin1(chance(50) ? "btnClearStep" : "btnSureKitChain"))->click(); break;
    case 4:
        if (root && root->rowCount() > 0) {
            list->selectionModel()->setCurrentIndex(root->child(pick(root->rowCount()), 0)->index(),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            find<QAbstractButton>(QString::fromLatin1(chance(50) ? "moveUpKit" : "moveDownKit"))->click();
        }
        break;
    case 5:
        if (root && root->rowCount() > 0)
            root->child(pick(root->rowCount()), 1)->setText(randomName(10));
        break;
    default: dropKitOnStep(); break;
    }
}

void Driver::soundListEdit()
{
    auto *total = find<QTreeView>(QStringLiteral("totalWaveTreeView"));
    auto *model = qobject_cast<QStandardItemModel *>(total->model());
    QStandardItem *root = model ? model->item(0) : nullptr;
    const int rows = root ? root->rowCount() : 0;
    static const char *orders[] = {"defaultRbtn", "upRbtn", "DownRbtn", "kitRbtn"};
    switch (pick(6)) {
    case 0: QTest::mouseClick(find<QAbstractButton>(QString::fromLatin1(orders[pick(4)])), Qt::LeftButton); break;
    case 1:
        if (rows > 0 && root->child(0, 1) && root->child(0, 1)->isEditable())
            root->child(pick(rows), 1)->setText(randomName(16));
        break;
    case 2:
        if (rows > 0) {
            total->selectionModel()->setCurrentIndex(root->child(pick(rows), 0)->index(),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        break;
    case 3:
        if (rows > 1 && chance(30)) {
            total->selectionModel()->setCurrentIndex(root->child(pick(rows), 0)->index(),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            find<QAbstractButton>(QStringLiteral("tbtDel"))->click();
        }
        break;
    case 4:
        m_prompter.fileAnswers.enqueue({m_sounds.at(pick(m_sounds.size()))});
        find<QAbstractButton>(QStringLiteral("tbtAddWave"))->click();
        break;
    default: {
        auto *groups = find<QTreeView>(QStringLiteral("waveGroupTreeView"));
        auto *g = qobject_cast<QStandardItemModel *>(groups->model());
        QStandardItem *group = g && g->rowCount() > 0 ? g->item(pick(g->rowCount())) : nullptr;
        if (group && group->rowCount() > 0)
            groups->selectionModel()->setCurrentIndex(group->child(pick(group->rowCount()), 0)->index(),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        break;
    }
    }
}

void Driver::drop(QWidget *target, const QPoint &pos, const QString &payload)
{
    QMimeData mime;
    mime.setData(QStringLiteral("mimeformat"), payload.toUtf8());
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
}

void Driver::dropSound()
{
    if (pageShown() == QLatin1String("2")) {
        // A hi-hat slot of the pad settings page takes sounds of the list only.
        const QString path = m_sounds.at(pick(6));
        const QString name = QFileInfo(path).baseName();
        auto *area = find<QWidget>(QStringLiteral("pedalWidget"));
        auto *slot = find<QWidget>(QStringLiteral("hh_wave%1_groupBox").arg(1 + pick(5)));
        drop(area, slot->mapTo(area, slot->rect().center()), dragpayload::record(name, path));
        return;
    }
    const QString path = m_sounds.at(pick(m_sounds.size()));
    const QString name = QFileInfo(path).baseName();
    const int pad = 1 + pick(19);
    auto *group = find<QWidget>(QStringLiteral("groupPad%1").arg(pad));
    auto *label = find<QWidget>(QStringLiteral("labPad%1%2").arg(pad, 2, 10, QLatin1Char('0')).arg(
            pad <= 17 && chance(50) ? QStringLiteral("b") : QStringLiteral("a")));
    drop(group, label->mapTo(group, label->rect().center()), dragpayload::record(name, path));
}

void Driver::dropKitOnStep()
{
    auto *area = find<QWidget>(QStringLiteral("stepWidget"));
    auto *step = find<QWidget>(QStringLiteral("groupStep%1").arg(1 + pick(20)));
    const int kit = 1 + pick(100);
    drop(area, step->mapTo(area, step->rect().center()), dragpayload::record(QString::number(kit), "Kit"));
}

void Driver::padMenu()
{
    const int pad = 1 + pick(19);
    auto *label = find<QLabel>(QStringLiteral("labPad%1a").arg(pad, 2, 10, QLatin1Char('0')));
    QTest::mouseClick(label, Qt::RightButton);
    settle();
    for (QMenu *menu : m_w->findChildren<QMenu *>()) {
        if (!menu->isVisible())
            continue;
        for (QAction *a : menu->actions()) {
            if (a->text() == QLatin1String("Clear Assignments") && a->isEnabled() && chance(70))
                a->trigger();
        }
        menu->hide();
    }
    settle();
}

void Driver::copyKit()
{
    find<QAbstractButton>(QStringLiteral("btnCopyKit"))->click();
    settle();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("CopyKitFunc") || !top->isVisible())
            continue;
        top->findChild<QSpinBox *>(QStringLiteral("dstKitBox"))->setValue(1 + pick(100));
        top->findChild<QAbstractButton *>(QString::fromLatin1(chance(80) ? "btnKitOk" : "btnKitNo"))->click();
    }
    settle();
}

void Driver::globalPageEdit()
{
    find<QAction>(QStringLiteral("actionGlobal_Setting"))->trigger();
    switch (pick(3)) {
    case 0: find<QComboBox>(QStringLiteral("globalPadComboBox"))->setCurrentIndex(pick(19)); break;
    case 1: find<QComboBox>(QStringLiteral("masterEffectComboBox"))->setCurrentIndex(pick(5)); break;
    default: find<QSpinBox>(QStringLiteral("clickSoundNoSpinBox"))->setValue(1 + pick(5)); break;
    }
    find<QAction>(QStringLiteral("actionBack_to_main_interface"))->trigger();
}

void Driver::answerKitChoice(const QVector<int> &kits)
{
    QTimer::singleShot(0, [kits]() {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QLatin1String("SelectKitNo"))
            return;
        auto *view = dialog->findChild<QTreeView *>(QStringLiteral("kitIndexTreeView"));
        auto *model = qobject_cast<QStandardItemModel *>(view->model());
        QStandardItem *root = model ? model->item(0) : nullptr;
        for (int r = 0; root && r < root->rowCount(); ++r)
            root->child(r, 0)->setCheckState(kits.contains(r + 1) ? Qt::Checked : Qt::Unchecked);
        dialog->findChild<QAbstractButton *>(QStringLiteral("btnSure"))->click();
    });
}

void Driver::saveKits(const QString &folder)
{
    QDir().mkpath(folder);
    QVector<int> kits = {1 + pick(100), 1 + pick(100), 1 + pick(100)};
    answerKitChoice(kits);
    m_prompter.fileAnswers.enqueue({folder});
    find<QAbstractButton>(QStringLiteral("btnSave"))->click();
    settle();
}

void Driver::exportAll(const QString &file)
{
    m_prompter.fileAnswers.enqueue({file});
    find<QAction>(QStringLiteral("actionExport_All"))->trigger();
    settle();
}

void Driver::importAll(const QString &file)
{
    if (!QFileInfo::exists(file))
        return;
    m_prompter.fileAnswers.enqueue({file});
    find<QAction>(QStringLiteral("actionImport_All"))->trigger();
    settle();
}

void Driver::step()
{
    const QString page = pageShown();
    const int kind = pick(16);
    m_log << QStringLiteral("step %1 on page %2").arg(kind).arg(page);
    switch (kind) {
    case 0: find<QAbstractButton>(QString::fromLatin1(chance(50) ? "upPageBtn" : "downPageBtn"))->click(); break;
    case 1: typeKitNumber(); break;
    case 2: renameKit(); break;
    case 3:
        if (chance(30))
            find<QAbstractButton>(QStringLiteral("btnClear"))->click();
        break;
    case 4: {
        static const char *pages[] = {"btnKitMove", "btnSoundKit", "btnKitChain"};
        QTest::mouseClick(find<QAbstractButton>(QString::fromLatin1(pages[pick(3)])), Qt::LeftButton);
        break;
    }
    case 5:
    case 6:
        if (page == QLatin1String("2"))
            kitPageEdit();
        break;
    case 7:
        if (page == QLatin1String("1"))
            chainPageEdit();
        break;
    case 8:
    case 9: soundListEdit(); break;
    case 10:
    case 11:
        if (page != QLatin1String("1"))
            dropSound();
        break;
    case 12:
        if (page == QLatin1String("0"))
            padMenu();
        break;
    case 13:
        if (page == QLatin1String("0") && chance(40))
            copyKit();
        break;
    case 14: globalPageEdit(); break;
    default:
        if (chance(25)) {
            const QString file = QDir(m_work).filePath(QStringLiteral("out/setup%1.BIN").arg(++m_saves));
            exportAll(file);
            if (chance(50))
                importAll(file);
        }
        break;
    }
    settle();
}

void Driver::run(int steps)
{
    setUp();
    for (int i = 0; i < steps; ++i)
        step();
    exportAll(QDir(m_work).filePath(QStringLiteral("out/final.BIN")));
    saveKits(QDir(m_work).filePath(QStringLiteral("out/kits")));
}

// Every named widget, action and list of the window, in name order.
QStringList widgetLines(QWidget *window)
{
    QStringList lines;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top != window && !top->objectName().isEmpty() && !top->objectName().startsWith(QLatin1String("qt_")))
            widgets << top << top->findChildren<QWidget *>();
    }
    for (QWidget *w : qAsConst(widgets)) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        QString line = QString::fromLatin1(w->metaObject()->className()) + ' ' + name + " enabled="
                       + QString::number(w->isEnabled()) + " hidden=" + QString::number(w->isHidden())
                       + " accept=" + QString::number(w->acceptDrops()) + " style=" + w->styleSheet()
                       + " font=" + w->font().toString() + " tip=" + w->toolTip();
        if (auto *e = qobject_cast<QLineEdit *>(w))
            line += " text=" + e->text();
        if (auto *l = qobject_cast<QLabel *>(w))
            line += " text=" + l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            line += " text=" + b->text() + " checked=" + QString::number(b->isChecked());
        if (auto *s = qobject_cast<QSpinBox *>(w))
            line += QStringLiteral(" value=%1 range=%2..%3").arg(s->value()).arg(s->minimum()).arg(s->maximum());
        if (auto *c = qobject_cast<QComboBox *>(w)) {
            line += QStringLiteral(" index=%1 items=").arg(c->currentIndex());
            for (int i = 0; i < c->count(); ++i)
                line += c->itemText(i) + '|';
        }
        if (auto *s = qobject_cast<QStackedWidget *>(w))
            line += " page=" + QString::number(s->currentIndex());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            line += " title=" + g->title();
        lines << line;
        if (auto *v = qobject_cast<QAbstractItemView *>(w)) {
            QAbstractItemModel *m = v->model();
            std::function<void(const QModelIndex &, const QString &)> rows = [&](const QModelIndex &parent,
                                                                                const QString &at) {
                for (int r = 0; m && r < m->rowCount(parent); ++r) {
                    QString row = "  " + name + at + '/' + QString::number(r) + ':';
                    for (int c = 0; c < m->columnCount(parent); ++c) {
                        const QModelIndex i = m->index(r, c, parent);
                        row += ' ' + i.data().toString() + '[' + QString::number(int(m->flags(i))) + ','
                               + i.data(Qt::CheckStateRole).toString() + ']';
                    }
                    lines << row;
                    rows(m->index(r, 0, parent), at + '/' + QString::number(r));
                }
            };
            rows(QModelIndex(), QString());
            if (m) {
                lines << "  " + name + " current=" + QString::number(v->currentIndex().row()) + " columns=";
                if (auto *t = qobject_cast<QTreeView *>(v))
                    for (int c = 0; c < m->columnCount(); ++c)
                        lines.last() += QString::number(t->isColumnHidden(c));
            }
        }
    }
    for (QAction *a : window->findChildren<QAction *>()) {
        if (!a->objectName().isEmpty())
            lines << "QAction " + a->objectName() + " text=" + a->text() + " enabled="
                             + QString::number(a->isEnabled()) + " visible=" + QString::number(a->isVisible());
    }
    lines.sort();
    return lines;
}

QString Driver::report()
{
    QStringList out = m_log;
    out << widgetLines(m_w);
    for (const ScriptedPrompter::Prompt &p : m_prompter.prompts)
        out << QStringLiteral("box %1 %2: %3 [%4]").arg(int(p.kind)).arg(p.title, p.text, p.filter);
    delete m_w; // writes the sound groups
    m_w = nullptr;
    QDirIterator files(m_work, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList written;
    while (files.hasNext()) {
        const QString path = files.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        // Files that name this run's folder hold it as every run does.
        QByteArray bytes = f.readAll();
        bytes.replace(m_work.toUtf8(), "<work>");
        bytes.replace(QCoreApplication::applicationDirPath().toUtf8(), "<program>");
        // What the groups' file notes of a sound file's identity on this disk
        // (its inode and times) differs from run to run.
        if (path.endsWith(QLatin1String(".xml")))
            bytes = QString::fromUtf8(bytes).remove(QRegularExpression(QStringLiteral(" seen=\"[^\"]*\""))).toUtf8();
        written << "file " + path + ' ' + QString::number(bytes.size()) + ' '
                           + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    }
    written.sort();
    out << written;
    // Paths of this run's folders read the same in every run.
    QString text = out.join('\n') + '\n';
    text.replace(m_work, QStringLiteral("<work>"));
    text.replace(QCoreApplication::applicationDirPath(), QStringLiteral("<program>"));
    text.replace(QDir::homePath(), QStringLiteral("<home>"));
    text.replace(QRegularExpression(QRegularExpression::escape(QDir::tempPath()) + QStringLiteral("/[^/\\s]*")),
                 QStringLiteral("<temp>"));
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        QTextStream(stderr) << "usage: windowdiff WORKDIR SEED STEPS OUTFILE\n";
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath();
    QDir().mkpath(work);
    QDir::setCurrent(work);
    QString text;
    {
        Driver driver(work, args.at(2).toUInt());
        driver.run(args.at(3).toInt());
        text = driver.report();
    }
    QFile out(args.at(4));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(text.toUtf8());
    return 0;
}

#ifndef TESTS_MAINWINDOW1_SETUPFLOW_FIXTURE_H
#define TESTS_MAINWINDOW1_SETUPFLOW_FIXTURE_H

// The window's loads and saves of setup files driven as the user does: the
// Import and Save buttons, the File menu, the kit choice answered by its own
// buttons, every box and file dialog answered by the script. Kit files are
// made with the model's writers.

#include "windowfixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "kitfile/setup_fixture.h"
#include "widgets/selectkitno.h"

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProgressBar>
#include <QProgressDialog>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTimer>

namespace setupflow_test {

using Kit = MainWindow1Records::soundKit;

// A whole setup: five metronome sounds and Kick, Snare_ (renamed on load)
// and Tom, spread over the 100 kits.
inline bool makeSetup(const QString &path, quint32 seed = 11)
{
    const QVector<kf::TestSound> sounds =
            sf::writeSounds(QFileInfo(path).absolutePath(), {"Kick", "Snare_", "Tom"}, 0);
    auto m = std::make_unique<percussionpadfile>();
    kf::KitStorage kits;
    kits.fill({0, 1, 2}, seed);
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        percussionpadfile::P_KIT_BASE_PARA &b = kits.base[size_t(k)];
        // Controls the kit page can show (0..511).
        for (quint16 *c : {&b.effect1_ctrl1, &b.effect1_ctrl2, &b.effect2_ctrl1, &b.effect2_ctrl2, &b.effect2_ctrl3,
                           &b.effect3_ctrl1, &b.effect3_ctrl2, &b.effect3_ctrl3, &kits.pedal[size_t(k)].active_effectCtrl2})
            *c %= 512;
    }
    return sounds.size() == 8 && kf::writeWholeSetup(*m, kits, sounds, {0, 1, 2}, {0, 1, 2}, path);
}

// A single-kit file of kit `kit` (1..100) with the sounds Kick, Snare_, Tom:
// makeSetup's own when `shared`, else takes of their own for each kit and seed
// (one byte differs).
inline bool makeKitFile(const QString &path, int kit, quint32 seed = 12, bool shared = false)
{
    const QVector<kf::TestSound> sounds =
            sf::writeSounds(QFileInfo(path).absolutePath(), {"Kick", "Snare_", "Tom"}, 0);
    for (int i = 5; !shared && i < sounds.size(); ++i) {
        QByteArray take = kf::readFile(sounds.at(i).file);
        take[60] = char(take.at(60) ^ (1 + (kit * 7 + int(seed)) % 255));
        if (!kf::writeFile(sounds.at(i).file, take))
            return false;
    }
    auto m = std::make_unique<percussionpadfile>();
    kf::KitStorage kits;
    kits.fill({1, 2, 3}, seed);
    return kf::writeSingleKit(*m, kits, kit - 1, sf::kitSounds(sounds), path);
}

inline QByteArray patched(const QString &path, int at, const QByteArray &bytes)
{
    QByteArray b = kf::readFile(path);
    b.replace(at, bytes.size(), bytes);
    return b;
}

// Every field of a kit, slots' names and sources included.
inline QByteArray kitSnapshot(const Kit &kit)
{
    uchar r[KIT_RECORD_SIZE] = {};
    kitrecord::packKitBase(r, kit);
    kitrecord::packKitPedal(r + KIT_BASE_SIZE, kit.pedalChunk);
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        kitrecord::packKitPad(r + kitrecord::padOffset(p), kit.kpadChunk[p]);
    QByteArray d(reinterpret_cast<const char *>(r), KIT_RECORD_SIZE);
    d += kit.kit_name.toUtf8();
    sf::forEachSoundSlot(kit, [&d](auto s) { d += '|' + s.file.toUtf8() + '|' + s.name.toUtf8(); });
    return d;
}

struct Fixture : WindowFixture
{
    QString file(const QString &name) const { return QDir(work.path()).filePath(name); }
    QStringList texts() const { return prompter.texts(); }

    // The editor's kits, sounds, rows and loaded files, to compare before and after.
    QByteArray snapshot() const
    {
        QCryptographicHash h(QCryptographicHash::Sha1);
        for (const Kit &k : qAsConst(w->doc().kitAttrList()))
            h.addData(kitSnapshot(k));
        for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList()))
            h.addData(QByteArray(s.wave_name, 16) + s.file.toUtf8() + QByteArray::number(s.wave_No));
        const SoundListModel *total = w->library().totalListItemModel();
        for (int r = 0; r < total->soundCount(); ++r)
            for (int c = 0; c < 3; ++c)
                h.addData(total->soundItem(r, c) ? total->soundText(r, c).toUtf8() : "-");
        for (const MainWindow1Records::READ_KIT_FILE &f : qAsConst(w->library().loadedKitFiles()))
            h.addData(f.file.toUtf8() + QByteArray::number(f.fileTotalLength));
        h.addData(w->library().binFilePath().toUtf8());
        return h.result();
    }

    // Import with the files picked in its dialog.
    void importPicks(const QStringList &picks)
    {
        prompter.fileAnswers.enqueue(picks);
        ui->btnLoadFile->click();
    }
    void importAll(const QString &path)
    {
        prompter.fileAnswers.enqueue({path});
        ui->actionImport_All->trigger();
    }
    void exportAll(const QString &path)
    {
        prompter.fileAnswers.enqueue({path});
        ui->actionExport_All->trigger();
    }

    // Answers the next kit choice: the kits ticked, then the button pressed.
    // `seen` gets whether the page and the five actions were locked meanwhile.
    void answerKitChoice(const QVector<int> &kits, const QString &button = "btnSure", bool *locked = nullptr)
    {
        SelectKitNo *d = w->setupFiles().skn();
        Ui::MainWindow1 *u = ui;
        QTimer::singleShot(0, d, [d, u, kits, button, locked]() {
            if (locked)
                *locked = !u->topWidget->isEnabled() && !u->actionKit_Setiing->isEnabled()
                          && !u->actionImport_All->isEnabled() && !u->actionExport_All->isEnabled();
            QStandardItem *root = d->kitModel()->item(0);
            for (int r = 0; root && r < root->rowCount(); ++r)
                root->child(r, 0)->setCheckState(kits.contains(r + 1) ? Qt::Checked : Qt::Unchecked);
            d->findChild<QAbstractButton *>(button)->click();
        });
    }
    // Save with the kits chosen, into `folder` (a file for all 100 kits).
    void saveKits(const QVector<int> &kits, const QString &folder)
    {
        answerKitChoice(kits);
        prompter.fileAnswers.enqueue({folder});
        ui->btnSave->click();
    }

    // The page and the five actions a save locks: their enabled states.
    QVector<bool> lockStates() const
    {
        return {ui->topWidget->isEnabled(),       ui->actionGlobal_Setting->isEnabled(),
                ui->actionKit_Setiing->isEnabled(), ui->actionImport_All->isEnabled(),
                ui->actionExport_All->isEnabled(),  ui->actionBack_to_main_interface->isEnabled()};
    }
    // As the window was built: the page, Import All and Export All enabled
    // (the other three actions are hidden, so never enabled).
    bool unlocked() const { return lockStates() == QVector<bool>({true, false, true, true, true, false}); }
};

// The values every progress dialog shown meanwhile takes.
struct ProgressLog : QObject
{
    QVector<int> values;
    ProgressLog() { qApp->installEventFilter(this); }
    ~ProgressLog() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *bar = e->type() == QEvent::Show && qobject_cast<QProgressDialog *>(o)
                            ? o->findChild<QProgressBar *>() : nullptr;
        if (bar && !bar->property("logged").toBool()) {
            bar->setProperty("logged", true);
            values.append(bar->value());
            connect(bar, &QProgressBar::valueChanged, this, [this](int v) { values.append(v); });
        }
        return false;
    }
};

// The files below a folder with their bytes.
inline QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        out.insert(f, kf::readFile(f));
    }
    return out;
}

} // namespace setupflow_test

#endif

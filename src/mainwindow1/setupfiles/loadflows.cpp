// Whole setups and kit files read into the editor, and read back after a
// save replaced them.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "platform/fileidentity.h"
#include "setup/fileread.h"
#include "setup/importsetupjob.h"
#include "setup/kitfiles.h"
#include "setup/soundsin.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QStandardItem>
#include <QStandardItemModel>

using setupfiles::LoadError;

namespace setupflow {

namespace {

void pointAtWindowTables(MainWindow1 *w, percussionpadfile &m)
{
    m.kitChunk.baseChunk = w->doc().base0;
    m.kitChunk.pedalChunk = w->doc().pedal0;
    m.kitChunk.kpadChunk = w->doc().pad0;
}

// Empty sound lists on new models, their selections handled again.
void newSoundLists(MainWindow1 *w)
{
    for (QStandardItemModel *m :
         {w->library().totalListItemModel, w->library().hhSoundItemModel, w->library().clickListItemModel}) {
        if (m)
            m->clear();
    }
    w->initTotalItemModel();
    w->initHHListItemModel();
    w->userFlag = false; // the metronome list stays empty until the file fills it
    w->initClickItemModel();
    w->connectSoundListSelections();
}

void warnTooManySounds(MainWindow1 *w)
{
    w->reportLoadError(LoadError::TooManySounds, QString(), false);
}

enum class Read { Loaded, Skipped, Ended };

// One kit file into its kit slot, replacing an earlier load of the same file
// (by whatever path it was loaded).
// `count` is the running number of sounds; a reload counts the file's earlier
// sounds out first.
Read loadKitFile(MainWindow1 *w, const QString &path, bool reload, int &count, bool &replaced)
{
    MainWindow1::READ_KIT_FILE rec;
    setupfiles::KitTables tables;
    const LoadError err = setupfiles::readKitFile(path, rec, tables);
    if (err != LoadError::None) {
        w->reportLoadError(err, path, false);
        const bool skip = err == LoadError::CannotOpen || err == LoadError::SoundOpen || err == LoadError::SoundFormat;
        return skip ? Read::Skipped : Read::Ended;
    }
    QVector<MainWindow1::READ_KIT_FILE> &loaded = w->library().loadedKitFiles;
    bool again = false;
    int earlier = 0;
    const ztplatform::SameFileAs same(path);
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(loaded)) {
        if (same(r.file)) {
            again = true;
            earlier += r.waveCount;
        }
    }
    count += rec.waveCount - (reload ? earlier : 0);
    if (count > WAVE_MAX_COUNT) {
        warnTooManySounds(w);
        return Read::Ended;
    }
    // The file's sounds must be able to take their numbers in the list as it
    // will be without its earlier load, before that load goes.
    if (again) {
        QVector<MainWindow1::SOUND_INDEX> remaining = w->library().waveLoadKitAttrList;
        setupfiles::removeKitFileSounds(remaining, path);
        const LoadError numbered = setupfiles::kitFileNumbers(rec.info, remaining);
        if (numbered != LoadError::None) {
            w->reportLoadError(numbered, path, false);
            return Read::Skipped;
        }
    }
    for (int i = loaded.size() - 1; i >= 0; --i) {
        if (same(loaded.at(i).file)) {
            w->removeSoundFile(loaded.at(i).file, loaded.at(i).kitIndex);
            loaded.remove(i);
            replaced = true;
        }
    }
    if (!w->showSound2(path, &rec.info))
        return Read::Skipped;
    const int slot = rec.kitIndex - 1;
    tables.copyTo(w->doc().base0, w->doc().pedal0, w->doc().pad0, slot);
    pointAtWindowTables(w, rec.info);
    loaded.append(std::move(rec));
    w->showKit2(&loaded.last().info, slot, 0, path);
    return Read::Loaded;
}

} // namespace

bool loadWholeSetup(MainWindow1 *w, const QString &path)
{
    BoxQuestions questions(w);
    ImportSetupJob job(w->doc(), w->library(), questions);
    int shown = 0;
    ImportSetupJob::Redraws redraws;
    redraws.cleared = [w] {
        w->waveAttrList.clear();
        w->waveTempList.clear();
        w->loadKitNoFlag = true;
        newSoundLists(w);
        w->clickFlag = false;
    };
    redraws.soundsTaken = [w, &job, &shown] { drawSetupSounds(w, job.sounds(), job.result(), shown); };
    redraws.kitTaking = [w](int k, const setupfiles::LoadedKit &lk) { takingKit(w, k, lk); };
    redraws.kitsTaken = [w, &job, &shown] { drawSetupKits(w, job.result(), shown); };
    redraws.modelRead = [w](percussionpadfile &m) { w->showVerAndGlobal1(&m); };
    const bool loaded = job.run(path, redraws);
    showNotices(w, job.result(), shown);
    if (loaded)
        w->doc().markAllSaved(w->globalPage());
    return loaded;
}

bool loadKitFiles(MainWindow1 *w, bool reload, KitLoad &load)
{
    w->waveAttrList.clear();
    if (!reload)
        w->doc().soundKitMaxList.clear();

    // A recorded file that no longer opens is passed over, not read.
    QVector<quint8> numbers;
    for (const QString &file : qAsConst(w->library().recordKitFileList)) {
        numbers.append(setupfiles::kitNumberOf(file));
        if (numbers.last() == 0xFF)
            qDebug() << "no kit number in" << file;
    }
    for (int i : setupfiles::kitLoadOrder(numbers)) {
        if (numbers.at(i) != 0xFF)
            load.ordered.append(w->library().recordKitFileList.at(i));
    }

    w->soundAddCount = 0;
    int count = w->library().totalGroup ? w->library().totalGroup->rowCount() : 0;
    for (const QString &path : qAsConst(load.ordered)) {
        for (int j = 0; j < w->library().kitFileList.size(); ++j) {
            if (w->library().kitFileList.at(j) != path)
                continue;
            const Read read = loadKitFile(w, path, reload, count, load.replaced);
            load.changed = load.changed || load.replaced || read == Read::Loaded;
            if (read == Read::Ended)
                return false;
        }
    }
    return true;
}

bool finishKitLoad(MainWindow1 *w, const KitLoad &load, bool importing)
{
    rebuildSoundRows(w);
    if (importing) {
        reportRenamedSounds(w, w->doc().soundKitMaxList);
        reportRenamedKits(w, w->doc().kitMaxList);
    }
    if (load.replaced)
        reapplySoundOrder(w);
    redrawKits(w);
    if (load.ordered.isEmpty())
        return true;

    // The kit of the first file is shown; an import whose first file does
    // not open leaves the kit shown as it is, a reload stops there.
    QFile first(load.ordered.first());
    if (!first.open(QIODevice::ReadOnly)) {
        qDebug() << "以只读模式打开文件失败" << first.fileName();
        return importing;
    }
    int n = quint8(percussionpadfile::readKitNum(&first));
    first.close();
    if (n == 0xFF)
        return false;
    if (n == 0)
        n = 1;
    if (n <= KIT_MAX_COUNT) {
        const QString text = QString::number(n);
        w->ui->kitNumber->setText(text);
        w->on_kitNumber_textEdited(text);
        w->updateKitNo(n);
    }
    return true;
}

} // namespace setupflow

void MainWindow1::autoLoadFile(QString file)
{
    library().binFilePath = file;
    if (setupflow::loadWholeSetup(this, file))
        getRightSoundList();
}

void MainWindow1::autoLoadKit(QStringList files)
{
    library().kitFileList.clear();
    for (const QString &path : qAsConst(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            qDebug() << "Open error" << path;
            return;
        }
        library().kitFileList.append(path);
        int n = quint8(percussionpadfile::readKitNum(&file));
        file.close();
        if (n == 0xFF) {
            reportLoadError(setupfiles::LoadError::OldLayout, path, false);
            return;
        }
        setupflow::recordKitFile(this, path, n == 0 ? 1 : n);
    }
}

void MainWindow1::autoLoadKitFile()
{
    if (library().totalGroup && library().totalGroup->rowCount() > WAVE_MAX_COUNT - 1) {
        reportLoadError(setupfiles::LoadError::TooManySounds, QString(), false);
        return;
    }
    for (const QString &path : qAsConst(library().kitFileList)) {
        if (QFileInfo(path).size() > RAW_DATA_LENGTH_MAX) {
            reportLoadError(setupfiles::LoadError::TooLarge, path, false);
            return;
        }
    }
    setupflow::KitLoad load;
    const bool complete = setupflow::loadKitFiles(this, true, load);
    if ((complete || load.changed) && setupflow::finishKitLoad(this, load, false))
        getRightSoundList();
}

// Chosen kits written as single-kit files into a folder; files that replace
// loaded ones are read back.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "platform/durablefile.h"
#include "setup/fileread.h"
#include "setup/filewrite.h"
#include "setup/kitfiles.h"
#include "setup/soundsource.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>

#include <optional>

namespace setupflow {

namespace {

// Kit k (1..100) into the open file; false when its sounds could not be
// gathered or the file not written.
bool writeKit(MainWindow1 *w, int k, QFile &file)
{
    curFlag = 2;
    w->cf.initFileChunk();
    if (!w->getKitIniWaveList(w->TempDirName, k - 1, nullptr))
        return false;
    w->setKitIniFileChunk(k - 1);
    return w->cf.calculateChunkSize() && setupfiles::writeKitFile(w->cf, file, k - 1);
}

// Reads back the loaded kit files the save replaced. A sound of one of them
// that other kits use is dropped by the read-back; when the new file still
// holds it, those kits take it from there again.
void reloadReplaced(MainWindow1 *w, const QStringList &reload, const QHash<QString, QHash<QString, int>> &moved,
                    const QSet<int> &reread)
{
    QHash<QString, QHash<QString, int>> replaced;
    for (const QString &path : reload)
        replaced.insert(path, moved.value(path));
    const QVector<setupfiles::MovedSlot> moves = setupfiles::movedSlots(w->kitAttrList, replaced, reread);
    w->autoLoadKit(reload);
    w->autoLoadKitFile();
    for (const QString &path : reload)
        repointGroupSounds(w, path, moved.value(path));
    const QSet<int> changed =
            setupfiles::repointSlots(w->kitAttrList, moves, w->waveLoadKitAttrList, w->sharedSounds.twins());
    for (int k : changed) {
        // The pad list alike, so that no later commit takes the old numbers back.
        QVector<MainWindow1::KIT_PAD_SETTING> &pads = w->kitPadList[k];
        for (int p = 0; p < pads.size() && p < PAD_NUM_MAX; ++p) {
            const MainWindow1::KIT_PAD_SETTING &d = w->kitAttrList.at(k).kpadChunk[p];
            MainWindow1::KIT_PAD_SETTING &m = pads[p];
            m.soundFile0 = d.soundFile0;
            m.soundName0 = d.soundName0;
            m.aWaveNo = d.aWaveNo;
            m.soundFile1 = d.soundFile1;
            m.soundName1 = d.soundName1;
            m.bWaveNo = d.bWaveNo;
        }
    }
    if (!changed.isEmpty())
        redrawKits(w);
}

} // namespace

void saveKitFiles(MainWindow1 *w, const QString &chosenFolder, const QVector<int> &kits)
{
    UiPrompter *p = UiPrompter::instance();
    const QString crlf = QStringLiteral("\r\n");
    if (stopPreviewFirst(w, true)) {
        lockForSave(w, false);
        return;
    }
    if (!w->ui->defaultRbtn->isChecked()) {
        w->ui->defaultRbtn->setChecked(true);
        w->on_defaultRbtn_clicked();
    }
    const QString folder = QDir::toNativeSeparators(chosenFolder);
    if (folder.isEmpty()) {
        p->information(w, MainWindow1::tr("Error"), MainWindow1::tr("The output file is not set."), QMessageBox::Ok);
        lockForSave(w, false);
        return;
    }

    QVector<QString> names = w->kitNameList;
    for (int k = names.size(); k < w->kitAttrList.size(); ++k)
        names.append(w->kitAttrList.at(k).kit_name);
    QVector<setupfiles::KitTarget> plan = setupfiles::kitTargets(folder, kits, names);
    const QString notAFile = setupfiles::nonFileTarget(plan);
    if (!notAFile.isEmpty()) {
        p->warning(w, MainWindow1::tr("Error"), notAFileText() + crlf + notAFile, QMessageBox::Ok);
        lockForSave(w, false);
        return;
    }
    setupfiles::askOverwrites(
            plan,
            [w, p, &crlf](const QString &target) {
                return p->warning(w, MainWindow1::tr("Warning"),
                                  MainWindow1::tr("The file already exists. Do you confirm to overwrite it?") + crlf
                                          + MainWindow1::tr("File location: ") + crlf + target,
                                  QMessageBox::Yes | QMessageBox::No)
                       == QMessageBox::Yes;
            },
            [] { QCoreApplication::processEvents(); }, [w](const QString &target) { return writeTarget(w, target); });
    // No file that a plain sound of the library, a group or the metronome
    // comes from is replaced, by whatever name it is reached.
    std::optional<ztplatform::ReachedFiles> sounds;
    for (const setupfiles::KitTarget &t : qAsConst(plan)) {
        if (!t.write || !t.temporary)
            continue;
        if (!sounds)
            sounds = soundFiles(w);
        if (sounds->replacedBy(t.replaces)) {
            p->warning(w, MainWindow1::tr("Error"), soundFileText() + crlf + t.target, QMessageBox::Ok);
            lockForSave(w, false);
            return;
        }
    }

    QProgressDialog *progress = openSaveProgress(w, MainWindow1::tr("File is being generated..."), 0);
    const int step = int(100.0f / float(kits.size()));
    int value = 0;
    auto fail = [w, p, progress](const QString &text) {
        hideProgress(progress);
        p->warning(w, MainWindow1::tr("Error"), text, QMessageBox::Ok);
        setupfiles::removeRawWaves(w->TempDirName);
        lockForSave(w, false);
    };
    QHash<QString, QHash<QString, int>> moved; // by replaced file: where its sounds went
    QHash<QString, QStringList> replacing;     // target -> the loaded or recorded files it replaces
    std::optional<LoadedFiles> loaded;         // looked at when the first file replaces another
    for (const setupfiles::KitTarget &t : plan) {
        if (!t.write)
            continue;
        QFile file(t.writePath);
        if (!t.usable || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(t.writePath + MainWindow1::tr(" open error."));
        if (!writeKit(w, t.kit, file)) {
            file.close();
            QFile::remove(t.writePath);
            return fail(MainWindow1::tr("Obtain sound file error."));
        }
        if (!setupfiles::readsBack(t.writePath, false)) {
            QFile::remove(t.writePath);
            return fail(notReadBackText() + crlf + t.target);
        }
        // Asked before the rename, while the entry still reaches the old file.
        if (t.temporary && !loaded)
            loaded.emplace(w);
        const QStringList files = t.temporary ? loaded->replacedBy(t.replaces) : QStringList();
        if (!files.isEmpty()) {
            replacing.insert(t.target, files);
            // Under each of its paths: they all reach the one file.
            const QHash<QString, int> sounds = setupfiles::movedSounds(w->waveAttrList, files.first());
            for (const QString &path : files)
                moved.insert(path, sounds);
        }
        value += step;
        progress->setValue(value);
        QCoreApplication::processEvents();
    }
    setupfiles::removeRawWaves(w->TempDirName);
    if (value <= 99) {
        progress->setValue(100);
        QCoreApplication::processEvents();
        hideProgress(progress);
    }

    // The new files take their targets' names before the user is told.
    // A loaded file whose link another kit's file replaces is no longer
    // reached by its path: every sound of it in use is kept and it is
    // forgotten. Where that fails, no file of the save touches it.
    QStringList renamed;
    for (const setupfiles::KitTarget &t : qAsConst(plan)) {
        if (t.temporary && t.write)
            renamed.append(t.replaces);
    }
    const QVector<LoadedFiles::CutOff> cut = loaded ? loaded->cutOffBy(renamed) : QVector<LoadedFiles::CutOff>();
    QSet<QString> blocked; // targets left as they are
    for (const LoadedFiles::CutOff &c : cut) {
        if (keepLostSounds(w, c.file, {}, isLoadedSetup(w, c.file))) {
            forgetFiles(w, {c.file});
            continue;
        }
        for (const setupfiles::KitTarget &t : qAsConst(plan)) {
            if (c.by.contains(t.replaces) || replacing.value(t.target).contains(c.file))
                blocked.insert(t.target);
        }
    }
    QStringList reload;
    QSet<int> reread; // the kit slots the read-back fills
    bool replacedAll = true;
    for (const setupfiles::KitTarget &t : plan) {
        if (!t.temporary || !t.write)
            continue;
        // Sounds still in use that only the old file holds are kept, on the
        // disk, before the new file takes its place. The loaded setup is not
        // read back from a kit file: all its sounds in use are kept.
        QStringList files = replacing.value(t.target);
        for (const LoadedFiles::CutOff &c : cut)
            files.removeAll(c.file);
        const QString path = files.value(0);
        const bool setup = !path.isEmpty() && isLoadedSetup(w, path);
        const bool kept = path.isEmpty()
                          || keepLostSounds(w, path, setup ? QHash<QString, int>() : moved.value(path), setup);
        if (blocked.contains(t.target) || !kept || !ztplatform::renameOver(t.writePath, t.replaces)) {
            reportNotReplaced(w, t.target, t.writePath);
            replacedAll = false;
            continue;
        }
        if (setup) {
            forgetFiles(w, files);
            continue;
        }
        // A loaded file is read back also when another file of its kit number
        // took its record: its sounds would point at the old bytes otherwise.
        if (!path.isEmpty()) {
            reload.append(path);
            reread.insert(t.kit - 1);
        }
    }
    lockForSave(w, false);
    if (replacedAll) {
        for (const setupfiles::KitTarget &t : plan) {
            if (t.write)
                w->markKitSaved(t.kit - 1);
        }
        p->information(w, MainWindow1::tr("successfully saved."),
                       MainWindow1::tr("The file has been generated:") + crlf + MainWindow1::tr("File location:") + crlf
                               + folder,
                       QMessageBox::Ok);
    }
    if (!reload.isEmpty())
        reloadReplaced(w, reload, moved, reread);
}

} // namespace setupflow

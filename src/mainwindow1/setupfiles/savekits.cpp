// Chosen kits written as single-kit files into a folder; files that replace
// loaded ones are read back.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "platform/replacefile.h"
#include "setup/fileread.h"
#include "setup/filewrite.h"
#include "setup/kitfiles.h"
#include "setup/soundsource.h"
#include "setup/storedsounds.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace setupflow {

namespace {

// Kit k (1..100) into the open file; false when its sounds could not be
// gathered, the file not written (`unwritten` then gets the system's reason)
// or a loaded file it copied sounds from changed since they were checked.
bool writeKit(MainWindow1 *w, int k, QFile &file, QString &unwritten)
{
    w->doc().cf.curFlag = 2;
    w->doc().cf.initFileChunk();
    if (!w->getKitIniWaveList(w->TempDirName, k - 1, nullptr))
        return false;
    const QStringList sources = setupfiles::storedSourceFiles(w->waveList);
    w->doc().setKitIniFileChunk(k - 1, w->waveAttrList, w->waveList);
    return w->doc().cf.calculateChunkSize() && setupfiles::writeKitFile(w->doc().cf, file, k - 1, &unwritten)
           && copiedAsLoaded(w, sources, true);
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
    const QVector<setupfiles::MovedSlot> moves = setupfiles::movedSlots(w->doc().kitAttrList, replaced, reread);
    w->autoLoadKit(reload);
    w->autoLoadKitFile();
    for (const QString &path : reload)
        repointGroupSounds(w, path, moved.value(path));
    const QSet<int> changed = setupfiles::repointSlots(w->doc().kitAttrList, moves, w->library().waveLoadKitAttrList,
                                                       w->library().sharedSounds.twins());
    for (int k : changed) {
        // The pad list alike, so that no later commit takes the old numbers back.
        QVector<MainWindow1::KIT_PAD_SETTING> &pads = w->doc().kitPadList[k];
        for (int p = 0; p < pads.size() && p < PAD_NUM_MAX; ++p) {
            const MainWindow1::KIT_PAD_SETTING &d = w->doc().kitAttrList.at(k).kpadChunk[p];
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

// A kit save under way: its targets, the files written for them, and the
// loaded files they replace.
struct KitSave
{
    QVector<QString> names; // the kits' names the files are named after
    QVector<setupfiles::KitTarget> plan;
    std::vector<std::unique_ptr<ztplatform::ReplaceFile>> files; // by plan entry; null when not written
    QHash<QString, QHash<QString, int>> moved;                   // by replaced file: where its sounds went
    QHash<QString, QStringList> replacing;                       // target -> the loaded or recorded files it replaces
    std::optional<LoadedFiles> loaded;                           // looked at when the first file replaces another
};

// The kits of the save that were to be written but whose files did not take
// their names, one a line after a heading; empty when there is none.
QString kitsNotSaved(const KitSave &save)
{
    QStringList kits;
    for (int i = 0; i < save.plan.size(); ++i) {
        const setupfiles::KitTarget &t = save.plan.at(i);
        const ztplatform::ReplaceFile *file = size_t(i) < save.files.size() ? save.files[size_t(i)].get() : nullptr;
        if (t.write && !(file && file->isRenamed()))
            kits << MainWindow1::tr("Kit %1 %2").arg(t.kit).arg(save.names.value(t.kit - 1));
    }
    if (kits.isEmpty())
        return QString();
    return MainWindow1::tr("These kits are not saved:") + QStringLiteral("\r\n") + kits.join(QStringLiteral("\r\n"));
}

// After some files of the save could not take their names: the files that
// did, and the kits that are not saved.
void reportPartlySaved(MainWindow1 *w, const KitSave &save)
{
    const QString notSaved = kitsNotSaved(save);
    if (notSaved.isEmpty())
        return; // every file took its name: each failure was told on its own
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (const std::unique_ptr<ztplatform::ReplaceFile> &file : save.files) {
        if (file && file->isRenamed())
            text += QDir::toNativeSeparators(file->target()) + crlf;
    }
    if (!text.isEmpty())
        text = MainWindow1::tr("These files are saved:") + crlf + text;
    UiPrompter::instance()->warning(w, MainWindow1::tr("Error"), text + notSaved, QMessageBox::Ok);
}

// Each kit of the plan written beside its target, under a name no target of
// this save takes (letter case ignored), read back and synced. False, its
// message shown with the kits not saved and the window unlocked, when one
// fails: no file of the save is left, what is not put in place goes with
// `save.files`.
bool writeKitsBeside(MainWindow1 *w, KitSave &save, int kitCount)
{
    UiPrompter *p = UiPrompter::instance();
    QProgressDialog *progress = openSaveProgress(w, MainWindow1::tr("File is being generated..."), 0);
    const int step = int(100.0f / float(kitCount));
    int value = 0;
    auto fail = [w, p, progress, &save](const QString &text) {
        hideProgress(progress);
        p->warning(w, MainWindow1::tr("Error"), text + QStringLiteral("\r\n") + kitsNotSaved(save),
                   QMessageBox::Ok);
        setupfiles::removeRawWaves(w->TempDirName);
        lockForSave(w, false);
        return false;
    };
    QSet<QString> named;
    for (const setupfiles::KitTarget &t : qAsConst(save.plan))
        named.insert(QFileInfo(t.target).absoluteFilePath().toCaseFolded());
    auto taken = [&named](const QString &path) { return named.contains(path.toCaseFolded()); };
    int counter = 0;
    save.files.resize(size_t(save.plan.size()));
    for (int i = 0; i < save.plan.size(); ++i) {
        const setupfiles::KitTarget &t = save.plan.at(i);
        if (!t.write)
            continue;
        save.files[size_t(i)] = std::make_unique<ztplatform::ReplaceFile>(t.temporary ? t.replaces : t.target);
        ztplatform::ReplaceFile &file = *save.files[size_t(i)];
        file.setTemporaryNames(QStringLiteral(".ini"), &counter, taken);
        file.setCreateOnly(!t.temporary);
        // A file that cannot be written is named as the user chose it, with the system's reason.
        if (!t.usable || !file.open())
            return fail(QDir::toNativeSeparators(t.target) + MainWindow1::tr(" open error.")
                        + (file.failed() ? QStringLiteral("\r\n") + file.errorString() : QString()));
        QString unwritten;
        if (!writeKit(w, t.kit, file.file(), unwritten))
            return fail(unwritten.isEmpty() ? MainWindow1::tr("Obtain sound file error.")
                                            : notWrittenText(t.target, unwritten));
        if (!file.readBack([](const QString &path) { return setupfiles::readsBack(path, false); }))
            return fail(file.failedStep() == ztplatform::ReplaceFile::Step::Write
                                ? notWrittenText(t.target, file.errorString())
                                : notReadBackText() + QStringLiteral("\r\n") + t.target);
        if (!file.finish())
            return fail(notWrittenText(t.target, file.errorString()));
        // Asked before the rename, while the entry still reaches the old file.
        if (t.temporary && !save.loaded)
            save.loaded.emplace(w);
        const QStringList replaced = t.temporary ? save.loaded->replacedBy(t.replaces) : QStringList();
        if (!replaced.isEmpty()) {
            save.replacing.insert(t.target, replaced);
            // Under each of its paths: they all reach the one file.
            const QHash<QString, int> sounds = setupfiles::movedSounds(w->waveAttrList, replaced.first());
            for (const QString &path : replaced)
                save.moved.insert(path, sounds);
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
    return true;
}

// The new files take their targets' names, before the user is told. A loaded
// file whose link another kit's file replaces is no longer reached by its
// path: every sound of it in use is kept and it is forgotten. Where that
// fails, no file of the save touches it. True when every file is in place
// and its name on the disk; `reload` and `reread` get the loaded files to
// read back and their kit slots.
bool putKitsInPlace(MainWindow1 *w, KitSave &save, QStringList &reload, QSet<int> &reread)
{
    QStringList renamed;
    for (const setupfiles::KitTarget &t : qAsConst(save.plan)) {
        if (t.temporary && t.write)
            renamed.append(t.replaces);
    }
    const QVector<LoadedFiles::CutOff> cut =
            save.loaded ? save.loaded->cutOffBy(renamed) : QVector<LoadedFiles::CutOff>();
    QSet<QString> blocked; // targets left as they are
    for (const LoadedFiles::CutOff &c : cut) {
        if (keepLostSounds(w, c.file, {}, isLoadedSetup(w, c.file))) {
            forgetFiles(w, {c.file});
            continue;
        }
        for (const setupfiles::KitTarget &t : qAsConst(save.plan)) {
            if (c.by.contains(t.replaces) || save.replacing.value(t.target).contains(c.file))
                blocked.insert(t.target);
        }
    }
    bool replacedAll = true;
    for (int i = 0; i < save.plan.size(); ++i) {
        const setupfiles::KitTarget &t = save.plan.at(i);
        if (!t.write)
            continue;
        ztplatform::ReplaceFile &file = *save.files[size_t(i)];
        // Sounds still in use that only the old file holds are kept, on the
        // disk, before the new file takes its place. The loaded setup is not
        // read back from a kit file: all its sounds in use are kept.
        QStringList files = save.replacing.value(t.target);
        for (const LoadedFiles::CutOff &c : cut)
            files.removeAll(c.file);
        const QString path = files.value(0);
        const bool setup = !path.isEmpty() && isLoadedSetup(w, path);
        const bool kept =
                (path.isEmpty() || keepLostSounds(w, path, setup ? QHash<QString, int>() : save.moved.value(path), setup))
                && (!t.temporary || keepNamedSounds(w, t.replaces));
        if (blocked.contains(t.target) || !kept || !file.rename()) {
            reportNotReplaced(w, t.target, file.keep());
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
    QSet<QString> folders; // each synced once
    for (const std::unique_ptr<ztplatform::ReplaceFile> &file : save.files) {
        if (!file || !file->isRenamed())
            continue;
        const QString folder = QFileInfo(file->target()).absolutePath();
        if (!folders.contains(folder) && !file->syncFolder()) {
            reportNotSynced(w, file->target(), file->errorString());
            replacedAll = false;
        }
        folders.insert(folder);
    }
    return replacedAll;
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

    KitSave save;
    QVector<QString> &names = save.names;
    names = w->doc().kitNameList;
    for (int k = names.size(); k < w->doc().kitAttrList.size(); ++k)
        names.append(w->doc().kitAttrList.at(k).kit_name);
    QVector<setupfiles::KitTarget> &plan = save.plan;
    plan = setupfiles::kitTargets(folder, kits, names);
    const QString notAFile = setupfiles::nonFileTarget(plan);
    if (!notAFile.isEmpty()) {
        p->warning(w, MainWindow1::tr("Error"), notAFileText() + crlf + notAFile, QMessageBox::Ok);
        lockForSave(w, false);
        return;
    }
    setupfiles::askOverwrites(
            plan,
            [w, p, &crlf](const QString &target) {
                // Read-only by its mode, or to this user.
                const QFileInfo file(target);
                const bool readOnly = !file.isWritable()
                                      || !(file.permissions()
                                           & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
                return p->warning(w, MainWindow1::tr("Warning"),
                                  MainWindow1::tr("The file already exists. Do you confirm to overwrite it?") + crlf
                                          + MainWindow1::tr("File location: ") + crlf + target
                                          + (readOnly ? crlf + MainWindow1::tr("The file is read-only.") : QString()),
                                  QMessageBox::Yes | QMessageBox::No)
                       == QMessageBox::Yes;
            },
            [w](const QString &target) { return writeTarget(w, target); });
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

    if (!writeKitsBeside(w, save, kits.size()))
        return;
    QStringList reload;
    QSet<int> reread; // the kit slots the read-back fills
    const bool replacedAll = putKitsInPlace(w, save, reload, reread);
    lockForSave(w, false);
    const bool wrote = std::any_of(plan.cbegin(), plan.cend(), [](const setupfiles::KitTarget &t) { return t.write; });
    if (!wrote) {
        p->information(w, MainWindow1::tr("Tip"),
                       MainWindow1::tr("No file was saved: the existing files stay as they were."), QMessageBox::Ok);
    } else if (replacedAll) {
        for (const setupfiles::KitTarget &t : plan) {
            if (t.write)
                w->doc().markKitSaved(t.kit - 1);
        }
        p->information(w, MainWindow1::tr("successfully saved."),
                       MainWindow1::tr("The file has been generated:") + crlf + MainWindow1::tr("File location:") + crlf
                               + folder,
                       QMessageBox::Ok);
    } else {
        reportPartlySaved(w, save);
    }
    if (!reload.isEmpty())
        reloadReplaced(w, reload, save.moved, reread);
}

} // namespace setupflow

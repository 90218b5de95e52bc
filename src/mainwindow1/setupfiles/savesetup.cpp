// The whole setup written as one kit file, beside the target first when a
// file is there, and read back when it replaced the loaded setup.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "platform/fileidentity.h"
#include "platform/replacefile.h"
#include "setup/fileread.h"
#include "setup/filewrite.h"
#include "setup/kitfiles.h"
#include "setup/modelout.h"
#include "setup/soundsource.h"
#include "setup/storedsounds.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <memory>

namespace setupflow {

namespace {

QString crlf()
{
    return QStringLiteral("\r\n");
}

// A source whole setup read again as the save starts: it must still open and
// hold its index, sound, kit and global chunks. What was loaded from it is
// kept: the sounds are checked against it while they are gathered.
bool checkSourceFile(MainWindow1 *w, const setupfiles::StoredSoundLocator &loadedFiles, const QString &listed)
{
    const int record = loadedFiles.recordOf(listed);
    const bool loaded = record >= 0;
    const QString path = loaded ? loadedFiles.record(record).file : listed;
    auto refuse = [w, &path](const QString &text) {
        hideProgress(w->dialog);
        UiPrompter::instance()->warning(w, MainWindow1::tr("Error"), path + QLatin1Char(':') + text,
                                        QMessageBox::Yes);
        return false;
    };
    QFile file(path);
    if (!loaded || !file.open(QIODevice::ReadOnly))
        return refuse(MainWindow1::tr("Fail to open file!"));
    std::unique_ptr<percussionpadfile> m(new percussionpadfile);
    m->curFlag = 0;
    m->initFileChunk();
    setupfiles::KitTables tables;
    tables.attach(*m);
    if (!m->getChunkIndex(&file))
        return refuse(MainWindow1::tr("File data error!"));
    const bool sounds = m->readSounChunk(&file);
    const bool kits = m->readSkitChunk(&file);
    const bool global = m->readGlobalChunk(&file);
    if (!sounds || !kits || !global)
        return refuse(MainWindow1::tr("Invalid data file!"));
    return true;
}

// The laid-out setup written into `out`, read back and synced; false, its
// message shown, when a step fails.
bool writeSetupBeside(MainWindow1 *w, ztplatform::ReplaceFile &out, const QString &target)
{
    UiPrompter *p = UiPrompter::instance();
    // A file that cannot be written is named as the user chose it, with the
    // system's reason; a sound whose data cannot be read gives none.
    auto writeFailed = [w, p, &target](const QString &reason) {
        hideProgress(w->dialog);
        p->information(w, MainWindow1::tr("Error"),
                       reason.isEmpty() ? MainWindow1::tr("Failed to write sound data!") : notWrittenText(target, reason),
                       QMessageBox::Ok);
        return false;
    };
    if (!out.open()) {
        hideProgress(w->dialog);
        p->warning(w, MainWindow1::tr("Error"),
                   QDir::toNativeSeparators(target) + QLatin1Char(':') + MainWindow1::tr("Fail to open file!") + crlf()
                           + out.errorString(),
                   QMessageBox::Yes);
        return false;
    }
    QString unwritten;
    if (!setupfiles::writeKitFile(w->doc().cf, out.file(), 0, &unwritten))
        return writeFailed(unwritten);
    if (!out.readBack([](const QString &path) { return setupfiles::readsBack(path, true); })) {
        if (out.failedStep() == ztplatform::ReplaceFile::Step::Write)
            return writeFailed(out.errorString());
        hideProgress(w->dialog);
        p->warning(w, MainWindow1::tr("Error"), notReadBackText() + crlf() + QDir::toNativeSeparators(target),
                   QMessageBox::Ok);
        return false;
    }
    return out.finish() || writeFailed(out.errorString());
}

// The written setup takes the place of `out`'s target and its name reaches
// the disk. Over the loaded setup, sounds that only the groups use are kept
// first; the read-back numbers the others anew. Over a loaded kit file, which
// is not read back as a setup, every sound of it in use is kept and the file
// forgotten. False, its message shown, when that fails.
bool putSetupInPlace(MainWindow1 *w, ztplatform::ReplaceFile &out, const QString &target, bool replace)
{
    if (replace) {
        // The replaced files are asked for before the rename, while the entry
        // still reaches the old file.
        const QStringList files = LoadedFiles(w).replacedBy(out.target());
        const QString loaded = files.value(0);
        const bool reload = !loaded.isEmpty() && isLoadedSetup(w, loaded);
        QVector<QString> written;
        for (const MainWindow1::SOUND_INDEX &s : qAsConst(w->waveAttrList))
            written.append(s.file);
        const bool kept = (loaded.isEmpty()
                           || keepLostSounds(w, loaded,
                                             reload ? setupfiles::movedSounds(w->waveAttrList, loaded)
                                                    : QHash<QString, int>(),
                                             !reload))
                          && keepNamedSounds(w, out.target());
        if (!kept || !out.rename()) {
            reportNotReplaced(w, target, out.keep());
            return false;
        }
        if (reload) {
            w->autoLoadFile(loaded);
            repointGroupSounds(w, written);
        } else {
            forgetFiles(w, files);
        }
    } else if (!out.rename()) {
        reportNotReplaced(w, target, out.keep());
        return false;
    }
    if (!out.syncFolder()) {
        reportNotSynced(w, target, out.errorString());
        return false;
    }
    return true;
}

} // namespace

void saveWholeSetup(MainWindow1 *w, const QString &target)
{
    UiPrompter *p = UiPrompter::instance();
    struct Done
    {
        MainWindow1 *w;
        ~Done()
        {
            setupfiles::removeRawWaves(w->TempDirName);
            lockForSave(w, false);
        }
    } done{w};
    auto stop = [w, p](const QString &text) {
        hideProgress(w->dialog);
        p->warning(w, MainWindow1::tr("Error"), text, QMessageBox::Ok);
    };

    const QString refused = refusedTarget(w, target, false);
    if (!refused.isEmpty()) {
        p->warning(w, MainWindow1::tr("Error"), refused, QMessageBox::Ok);
        return;
    }
    // A link to a loaded file is written through: that file is replaced.
    const bool replace = QFileInfo(target).isFile();
    const QString dest = replace ? writeTarget(w, target) : target;
    QProgressDialog *progress = openSaveProgress(w, MainWindow1::tr("The file is being generated..."), 1);

    const setupfiles::StoredSoundLocator loadedFiles(w->library().loadedKitFiles);
    for (const QString &source : w->getKitFileList()) {
        const QString listed = QDir::fromNativeSeparators(source);
        if (setupfiles::isWholeSetupPath(listed) && !checkSourceFile(w, loadedFiles, listed))
            return;
    }
    progress->setValue(5);
    QCoreApplication::processEvents();

    w->doc().cf.curFlag = 0;
    w->doc().cf.initFileChunk();
    if (!w->getWaveList(w->TempDirName, progress)) {
        hideProgress(w->dialog);
        p->warning(w, QStringLiteral("Error"), MainWindow1::tr("Error in obtaining sound, the saving is failed."),
                   QMessageBox::Ok);
        return;
    }
    // Checked again once the file is written: no loaded file its sounds are
    // copied from may change after they were checked.
    const QStringList sources = setupfiles::storedSourceFiles(w->clickWaveList + w->waveList);
    w->waveKitOrder();
    const QString tooLarge = MainWindow1::tr("The file size exceeds 4GB, save failed.");
    if (!setupfiles::wholeSetupWithinLimit(w->waveAttrList, w->kitOrderList.size()))
        return stop(tooLarge);
    w->setGlobalFileChunk();
    const quint16 version = setupfiles::versionFromLabel(w->ui->version->text());
    if (!w->doc().setAllFileChunk(w->saveSounds(), version, w->backFlag) || !w->doc().cf.calculateChunkSize())
        return stop(tooLarge);

    // Written beside the target; a new file never takes the place of one made meanwhile.
    ztplatform::ReplaceFile out(dest);
    out.setTemporaryNames(QStringLiteral(".bin"));
    out.setCreateOnly(!replace);
    if (!writeSetupBeside(w, out, target))
        return;
    if (!copiedAsLoaded(w, sources, false)) {
        p->warning(w, QStringLiteral("Error"), MainWindow1::tr("Error in obtaining sound, the saving is failed."),
                   QMessageBox::Ok);
        return;
    }
    progress->setValue(100);
    QCoreApplication::processEvents();
    progress->close();

    if (!putSetupInPlace(w, out, target, replace))
        return;
    w->doc().markAllSaved(w->globalPage());
    p->information(w, MainWindow1::tr("successfully saved."),
                   MainWindow1::tr("The file has been generated:") + crlf() + MainWindow1::tr("File location:") + crlf()
                           + QDir::toNativeSeparators(target),
                   QMessageBox::Ok);
}

} // namespace setupflow

// The global settings page: the metronome list and the export of the global
// settings file.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/exportfile.h"
#include "platform/errortext.h"
#include "platform/replacefile.h"
#include "platform/runfolders.h"
#include "platform/sysio.h"
#include "setup/filethread.h"
#include "setup/savesteps.h"
#include "widgets/jobdialog.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeView>

#include <atomic>
#include <cerrno>
#include <memory>
#include <optional>

namespace {

// The global settings file written beside its target, synced and renamed
// over it, held by the thread that does it: a thread given up on keeps it
// until it returns, and its temporary goes with it unless renamed.
struct GlobalWrite
{
    GlobalWrite(const QString &target, const QByteArray &bytes, std::shared_ptr<ztplatform::Leftovers> leftovers,
                ztplatform::Disk *disk)
        : out(target, std::move(leftovers), disk)
        , chunk(bytes)
    {
    }
    ztplatform::ReplaceFile out;
    const QByteArray chunk;
    exportfile::Watch watch;
    std::atomic_bool renamed{false};
};

// What the writing thread came to.
struct GlobalWritten
{
    bool opened = false;
    bool renamed = false;
    bool synced = false;
    bool failed = false;
    QString error;
    QString notKept;
};

GlobalWritten writeGlobal(GlobalWrite &w)
{
    GlobalWritten done;
    done.opened = w.out.open();
    w.watch.moved();
    if (done.opened && w.out.write(w.chunk)) {
        w.watch.moved();
        if (w.out.finish()) {
            w.watch.moved(exportfile::Watch::Step::Place);
            if (w.watch.mayPlace() && w.out.rename()) {
                done.renamed = w.renamed = true;
                w.watch.moved();
                done.synced = w.out.syncFolder();
            }
        }
    }
    done.failed = w.out.failed();
    done.error = w.out.errorString();
    done.notKept = w.out.notKept();
    return done;
}

} // namespace

void KitPagesController::pressClickSound(const QModelIndex &index)
{
    QItemSelectionModel *selection = m_view.global.clickWaveTreeView->selectionModel();
    if (!index.parent().isValid() || !selection || selection->selectedIndexes().size() <= 1)
        return;
    m_view.global.clickSoundNoSpinBox->setValue(index.sibling(index.row(), 0).data().toString().toInt());
    m_view.global.clickNameLab->setText(index.sibling(index.row(), 1).data().toString().trimmed());
}

void KitPagesController::chooseClickSound(int value)
{
    const int k = value - 1;
    if (k >= 0 && k < m_library.clickList().size())
        m_view.global.clickNameLab->setText(m_library.clickList()[k].name);
    QStandardItem *group = m_library.clickListItemModel() ? m_library.clickListItemModel()->item(0) : nullptr;
    if (group && k >= 0 && k < group->rowCount())
        m_view.global.clickWaveTreeView->setCurrentIndex(group->child(k)->index());
}

void KitPagesController::deleteClickSound()
{
    const QModelIndex current = m_view.global.clickWaveTreeView->currentIndex();
    const QModelIndex group = current.parent();
    if (!current.isValid() || !group.isValid()) {
        m_prompter.warning(m_boxes, WindowTexts::tr("Warning"),
                           WindowTexts::tr("Deleting group name is not supported."));
        return;
    }
    const int row = current.row();
    editstep::Place global;
    global.page = editstep::Place::Global;
    const editstep::Recorder::Scope step(m_library.recorder(), WindowTexts::tr("DEL of a metronome sound"), QString(),
                                         global);
    m_library.removeClickSound(current);

    const QAbstractItemModel *model = group.model();
    const int left = model->rowCount(group);
    if (left == 0) {
        m_view.global.clickWaveTreeView->setCurrentIndex(QModelIndex());
        return;
    }
    const int next = qBound(0, row >= left - 1 ? row - 1 : row, left - 1);
    m_view.global.clickWaveTreeView->setCurrentIndex(model->index(next, 0, group));
}

void KitPagesController::exportGlobalFile()
{
    m_view.global.globalLineEdit->clear();
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                             + QDir::separator() + QStringLiteral("Global");
    m_globalPath = m_prompter.getSaveFileName(m_boxes, WindowTexts::tr("Output"), proposed,
                                              WindowTexts::tr("ini files(*.ini *.INI)"));
    if (m_globalPath.isEmpty())
        return;
    // The desktop's dialog may hand back the name as typed; it asked about
    // that name only, so a file at the completed one is asked about below.
    const bool completed = QFileInfo(m_globalPath).suffix().isEmpty();
    if (completed)
        m_globalPath += QStringLiteral(".ini");
    // As every save: no pipe or device, no loaded kit file (a link to one
    // included) and no file a sound comes from is replaced; a link that leads
    // elsewhere is replaced itself.
    // Looked at off the window's thread: a drive that does not answer is told
    // as a file that is not generated.
    const std::optional<savejob::TargetCheck> check = savejob::lookAtTarget(
            m_doc, m_library, m_globalPath, true, JobDialog::waiter());
    if (!check) {
        m_prompter.warning(m_boxes, WindowTexts::tr("Error"),
                           WindowTexts::tr("Failed to generate file.") + QStringLiteral("\r\n")
                                   + WindowTexts::tr("File location:") + QStringLiteral("\r\n") + m_globalPath
                                   + QStringLiteral("\r\n") + ztplatform::errorText(ETIMEDOUT));
        return;
    }
    if (!check->refused.isEmpty()) {
        m_prompter.warning(m_boxes, WindowTexts::tr("Error"), check->refused, QMessageBox::Ok);
        return;
    }
    if (completed && check->isFile
        && m_prompter.warning(m_boxes, WindowTexts::tr("Warning"),
                              WindowTexts::tr("The file already exists. Do you confirm to overwrite it?")
                                      + QStringLiteral("\r\n") + WindowTexts::tr("File location: ")
                                      + QStringLiteral("\r\n") + QDir::toNativeSeparators(m_globalPath),
                              QMessageBox::Yes | QMessageBox::No)
                != QMessageBox::Yes) {
        m_prompter.information(m_boxes, WindowTexts::tr("Tip"),
                               WindowTexts::tr("No file was saved: the existing files stay as they were."),
                               QMessageBox::Ok);
        m_globalPath.clear();
        return;
    }

    m_view.global.clickSoundNoSpinBox->setRange(1, 5);
    const KitDocument::GlobalPage page = globalPage();

    // The chunk is built in a scratch file, then replaces the target whole, so a
    // failed write leaves an existing file as it was.
    QByteArray chunk;
    const ztplatform::RunFolder scratchFolder(ztplatform::editorFolderPrefix());
    const QString scratchPath = scratchFolder.filePath(QStringLiteral("global.ini"));
    ztplatform::sysio::SeamFile scratch(scratchPath);
    if (scratchFolder.isValid()
        && scratch.openDescriptor(ztplatform::Descriptor(ztplatform::sysio::open(
                                          scratchPath, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666)),
                                  QIODevice::ReadWrite)) {
        m_doc.writeGlobalFile(&scratch, page);
        if (scratch.flush() && scratch.error() == QFileDevice::NoError && scratch.seek(0))
            chunk = scratch.readAll();
    }
    if (chunk.size() != GLOBAL_CHUNK_SIZE)
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "global chunk not built" << chunk.size();
    writeGlobalFile(chunk);
}

// The settings written over m_globalPath on a thread of their own, the
// window painting meanwhile: a drive that stops answering is told as a file
// that is not generated, or, once its rename began, as one that may be there.
void KitPagesController::writeGlobalFile(const QByteArray &chunk)
{
    const auto w = std::make_shared<GlobalWrite>(m_globalPath, chunk, m_library.leftovers(),
                                                 &ztplatform::diskOf(m_library.fence()));
    std::optional<GlobalWritten> done = GlobalWritten();
    if (chunk.size() == GLOBAL_CHUNK_SIZE)
        done = exportfile::waitWatched<GlobalWritten>(
                w->watch, savejob::kStallLimitMs, [w]() { return writeGlobal(*w); }, JobDialog::waiter());
    if (!done && !w->renamed && w->watch.placing()) {
        qWarning().noquote() << "the folder of" << m_globalPath << "does not answer: the file may not be in place";
        m_prompter.warning(
                m_boxes, WindowTexts::tr("Warning"),
                WindowTexts::tr("The folder stopped answering while this file was being put in place under its name:")
                        + QStringLiteral("\r\n") + m_globalPath + QStringLiteral("\r\n")
                        + WindowTexts::tr(
                                "It may or may not be there now. A file that had this name before is either "
                                "still the old one, whole, or the new one, whole. Please look in the folder."));
        return;
    }
    const bool renamed = done ? done->renamed : bool(w->renamed);
    if (!renamed) { // with the system's reason where a step of the write gave one
        if (!done)
            qWarning().noquote() << "the folder of" << m_globalPath << "does not answer: the file is not generated";
        const QString reason = done ? (done->failed ? done->error : QString()) : savejob::timedOut();
        m_prompter.warning(m_boxes, WindowTexts::tr("Error"),
                           WindowTexts::tr("Failed to generate file.") + QStringLiteral("\r\n")
                                   + WindowTexts::tr("File location:") + QStringLiteral("\r\n") + m_globalPath
                                   + (reason.isEmpty() ? QString() : QStringLiteral("\r\n") + reason));
        return;
    }
    // In place, its folder synced or not: the file holds these settings.
    m_view.global.globalLineEdit->setText(m_globalPath);
    m_doc.markGlobalSaved(globalPage());
    const QString notKept = done ? done->notKept : QString();
    if (!done || !done->synced) {
        m_prompter.warning(m_boxes, WindowTexts::tr("Error"),
                           WindowTexts::tr("The file was written, but the disk did not confirm that it is stored:")
                                   + QStringLiteral("\r\n") + m_globalPath + QStringLiteral("\r\n")
                                   + (done ? done->error : savejob::timedOut())
                                   + (notKept.isEmpty() ? QString() : QStringLiteral("\r\n") + notKept));
        return;
    }
    m_prompter.information(m_boxes, WindowTexts::tr("successfully saved."),
                           WindowTexts::tr("The file has been generated:") + QStringLiteral("\r\n")
                                   + WindowTexts::tr("File location:") + QStringLiteral("\r\n") + m_globalPath
                                   + (notKept.isEmpty() ? QString() : QStringLiteral("\r\n") + notKept));
}

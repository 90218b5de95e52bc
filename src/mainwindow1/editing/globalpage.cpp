// The global settings page: the metronome list and the export of the global
// settings file.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/windowtexts.h"


#include "platform/replacefile.h"
#include "setup/savesteps.h"
#include "widgets/closehold.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeView>

#include <cerrno>
#include <cstring>

void KitPagesController::pressClickSound(const QModelIndex &index)
{
    QItemSelectionModel *selection = m_view.clickWaveTreeView->selectionModel();
    if (!index.parent().isValid() || !selection || selection->selectedIndexes().size() <= 1)
        return;
    m_view.clickSoundNoSpinBox->setValue(index.sibling(index.row(), 0).data().toString().toInt());
    m_view.clickNameLab->setText(index.sibling(index.row(), 1).data().toString().trimmed());
}

void KitPagesController::chooseClickSound(int value)
{
    const int k = value - 1;
    if (k >= 0 && k < m_library.clickList().size())
        m_view.clickNameLab->setText(m_library.clickList()[k].name);
    QStandardItem *group = m_library.clickListItemModel() ? m_library.clickListItemModel()->item(0) : nullptr;
    if (group && k >= 0 && k < group->rowCount())
        m_view.clickWaveTreeView->setCurrentIndex(group->child(k)->index());
}

void KitPagesController::deleteClickSound()
{
    const QModelIndex current = m_view.clickWaveTreeView->currentIndex();
    const QModelIndex group = current.parent();
    if (!current.isValid() || !group.isValid()) {
        UiPrompter::instance()->warning(m_boxes, WindowTexts::tr("Warning"),
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
        m_view.clickWaveTreeView->setCurrentIndex(QModelIndex());
        return;
    }
    const int next = qBound(0, row >= left - 1 ? row - 1 : row, left - 1);
    m_view.clickWaveTreeView->setCurrentIndex(model->index(next, 0, group));
}

void KitPagesController::exportGlobalFile()
{
    m_view.globalLineEdit->clear();
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                             + QDir::separator() + QStringLiteral("Global");
    m_globalPath = UiPrompter::instance()->getSaveFileName(m_boxes, WindowTexts::tr("Output"), proposed,
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
            m_doc, m_library, m_globalPath, true, [] { closehold::processEvents(QEventLoop::ExcludeUserInputEvents); });
    if (!check) {
        UiPrompter::instance()->warning(m_boxes, WindowTexts::tr("Error"),
                                        WindowTexts::tr("Failed to generate file.") + QStringLiteral("\r\n")
                                                + WindowTexts::tr("File location:") + QStringLiteral("\r\n")
                                                + m_globalPath + QStringLiteral("\r\n")
                                                + QString::fromLocal8Bit(std::strerror(ETIMEDOUT)));
        return;
    }
    if (!check->refused.isEmpty()) {
        UiPrompter::instance()->warning(m_boxes, WindowTexts::tr("Error"), check->refused, QMessageBox::Ok);
        return;
    }
    if (completed && check->isFile
        && UiPrompter::instance()->warning(m_boxes, WindowTexts::tr("Warning"),
                                           WindowTexts::tr("The file already exists. Do you confirm to overwrite it?")
                                                   + QStringLiteral("\r\n") + WindowTexts::tr("File location: ")
                                                   + QStringLiteral("\r\n") + QDir::toNativeSeparators(m_globalPath),
                                           QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes) {
        UiPrompter::instance()->information(m_boxes, WindowTexts::tr("Tip"),
                                            WindowTexts::tr("No file was saved: the existing files stay as they were."),
                                            QMessageBox::Ok);
        m_globalPath.clear();
        return;
    }

    m_view.clickSoundNoSpinBox->setRange(1, 5);
    const KitDocument::GlobalPage page = globalPage();

    // The chunk is built in a scratch file, then replaces the target whole, so a
    // failed write leaves an existing file as it was.
    QByteArray chunk;
    QTemporaryFile scratch;
    if (scratch.open()) {
        m_doc.writeGlobalFile(&scratch, page);
        if (scratch.flush() && scratch.error() == QFileDevice::NoError && scratch.seek(0))
            chunk = scratch.readAll();
    }
    ztplatform::ReplaceFile out(m_globalPath);
    bool written = false;
    if (chunk.size() != GLOBAL_CHUNK_SIZE) {
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "global chunk not built" << chunk.size();
    } else if (!out.open()) {
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "以只写模式打开globalFile文件失败"
                   << m_globalPath;
    } else {
        written = out.write(chunk) && out.commit();
    }
    if (!written && !out.isRenamed()) { // with the system's reason where a step of the write gave one
        UiPrompter::instance()->warning(
                m_boxes, WindowTexts::tr("Error"),
                WindowTexts::tr("Failed to generate file.") + QStringLiteral("\r\n") + WindowTexts::tr("File location:")
                        + QStringLiteral("\r\n") + m_globalPath
                        + (out.failed() ? QStringLiteral("\r\n") + out.errorString() : QString()));
        return;
    }
    // In place, its folder synced or not: the file holds these settings.
    m_view.globalLineEdit->setText(m_globalPath);
    m_doc.markGlobalSaved(globalPage());
    if (!written) {
        UiPrompter::instance()->warning(
                m_boxes, WindowTexts::tr("Error"),
                WindowTexts::tr("The file was written, but the disk did not confirm that it is stored:")
                        + QStringLiteral("\r\n") + m_globalPath + QStringLiteral("\r\n") + out.errorString()
                        + (out.notKept().isEmpty() ? QString() : QStringLiteral("\r\n") + out.notKept()));
        return;
    }
    UiPrompter::instance()->information(
            m_boxes, WindowTexts::tr("successfully saved."),
            WindowTexts::tr("The file has been generated:") + QStringLiteral("\r\n") + WindowTexts::tr("File location:")
                    + QStringLiteral("\r\n") + m_globalPath
                    + (out.notKept().isEmpty() ? QString() : QStringLiteral("\r\n") + out.notKept()));
}

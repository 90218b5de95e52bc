// Exporting the selected sounds of the total list as WAV files, and the
// report of what was written.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/exportfile.h"
#include "library/exportnames.h"
#include "library/rowselection.h"
#include "library/soundsource.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "widgets/customdialog.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace {

// Each file of an export was synced as it was put in place; their names
// once, here. A folder that cannot be synced is told.
void syncExportFolder(QWidget *parent, const QString &folder)
{
    if (ztplatform::syncPath(folder))
        return;
    UiPrompter::instance()->warning(parent, MainWindow1::tr("Error"),
                                    MainWindow1::tr("The file was written, but the disk did not confirm that it "
                                                    "is stored:")
                                            + QStringLiteral("\r\n") + folder + QStringLiteral("\r\n")
                                            + QString::fromLocal8Bit(std::strerror(errno)),
                                    QMessageBox::Ok);
}

} // namespace

QStringList MainWindow1::librarySources() const
{
    QStringList out;
    for (const SOUND_INDEX &s : waveLoadKitAttrList)
        out.append(s.file);
    for (const soundfilexml::strSoundGroup &g : soundGroupList) {
        for (const soundfilexml::strSoundItem &item : g.soundList)
            out.append(item.file);
    }
    for (const SOUND_LIST_INFO &click : clickList)
        out.append(click.file);
    return out;
}

bool MainWindow1::getDataFromKitFile(const percussionpadfile &file, quint16 index, QString target)
{
    if (size_t(index) >= file.sound.size())
        return false;
    const percussionpadfile::P_SOUND_INDEX &entry = file.sound[index];
    switch (exportfile::copyStored(file.kitFileName, entry.wave_start, entry.wave_length, target)) {
    case exportfile::Outcome::Written:
        return true;
    case exportfile::Outcome::Unreadable:
        UiPrompter::instance()->warning(this, tr("Error"), tr("Failed to read the file."), QMessageBox::Ok);
        return false;
    default:
        UiPrompter::instance()->warning(this, tr("Error"), tr("Failed to write the file"), QMessageBox::Ok);
        return false;
    }
}

void MainWindow1::exportWave()
{
    UiPrompter *prompter = UiPrompter::instance();
    // One row per three indexes, in the order the selection gives them.
    // Read before the progress dialog lets events run.
    struct Pick
    {
        bool sound;
        QString name;
        QString path;
    };
    QVector<Pick> rows;
    for (const QModelIndex &row : selectedRowStarts(ui->totalWaveTreeView->selectionModel())) {
        auto cell = [&row](int column) { return row.sibling(row.row(), column).data().toString().trimmed(); };
        rows.append({row.parent().isValid(), cell(1), cell(2)});
    }
    if (rows.isEmpty())
        return;

    QSet<QString> locked;
    for (const SOUND_INDEX &s : qAsConst(waveLoadKitAttrList)) {
        if (s.wave_lock == 0)
            locked.insert(s.file);
    }
    for (const Pick &row : qAsConst(rows)) {
        if (row.sound && locked.contains(row.path)) {
            prompter->warning(this, tr("Warning"), tr("Exporting locked sound is not supported!"), QMessageBox::Ok);
            return;
        }
    }

    const QString folder = QDir::toNativeSeparators(prompter->getExistingDirectory(
            this, tr("Output"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
    if (folder.isEmpty()) {
        prompter->information(this, tr("Error"), tr("The output file path is not set."), QMessageBox::Ok);
        return;
    }
    const QDir dir(folder);

    showWaitDialog(tr("The file is being exported..."), rows.size());
    auto closeProgress = [this]() {
        dialog->close();
        dialog->hide();
    };

    soundsource::StoredEntries entries = storedEntries();
    exportfile::SourceFiles sources(librarySources());
    QElapsedTimer sinceStep;
    sinceStep.start();
    QStringList written;
    QSet<QString> writtenNow; // file names written by this run
    const QString tooMany = tr("It is detected that the number of files with the same name has exceeded 100, and the "
                               "exceeding part will not be exported.");
    for (int r = 0; r < rows.size(); ++r) {
        const Pick &row = rows.at(r);
        if (!row.sound) {
            closeProgress();
            prompter->warning(this, tr("Warning"),
                              tr("The export of sound group name is not supported, ") + QStringLiteral("\r\n")
                                      + tr("but this will not affect the sound export."),
                              QMessageBox::Ok);
            continue;
        }
        const QString name = exportnames::safeName(row.name);
        const QString &path = row.path;
        if (soundsource::isStored(path)) {
            const READ_KIT_FILE *kit = nullptr;
            const int entry = entries.find(path, &kit);
            if (!kit) {
                closeProgress();
                return;
            }
            if (entry < 0) {
                closeProgress();
                prompter->information(this, tr("Error"),
                                      tr("File error!") + QStringLiteral("\r\n") + tr("Error:0012"),
                                      QMessageBox::Ok);
                return;
            }
            // Whatever stands at a name, a link too, keeps it.
            const QString fileName = exportnames::freeName(
                    name, [&](const QString &candidate) { return ztplatform::entryExists(dir.filePath(candidate)); });
            if (fileName.isEmpty()) {
                prompter->warning(this, tr("Error"), tooMany, QMessageBox::Ok);
            } else if (getDataFromKitFile(kit->info, quint16(entry),
                                          QDir::toNativeSeparators(dir.filePath(fileName)))) {
                written.append(fileName);
                writtenNow.insert(fileName);
            }
        } else {
            // A second sound of the same name in this run gets its own file,
            // and so does a name that a library sound comes from or a folder
            // (not a link to one) holds: no file is renamed over a folder.
            const QString fileName = exportnames::freeName(name, [&](const QString &candidate) {
                const QString at = dir.filePath(candidate);
                const QFileInfo fi(at);
                return writtenNow.contains(candidate) || (fi.isDir() && !fi.isSymLink()) || sources.contains(at);
            });
            if (fileName.isEmpty()) {
                prompter->warning(this, tr("Error"), tooMany, QMessageBox::Ok);
            } else if (QFileInfo::exists(path) && !ztplatform::isRegularFile(path)) {
                // a pipe would hold ffmpeg for ever
                prompter->information(this, tr("Error"), tr("Wrong data in file：") + QStringLiteral("\r\n") + path,
                                      QMessageBox::Ok);
            } else {
                QString err;
                const exportfile::Outcome outcome =
                        exportfile::convert(path, QDir::toNativeSeparators(dir.filePath(fileName)), err);
                if (outcome == exportfile::Outcome::NotRun) {
                    closeProgress();
                    prompter->information(this, tr("Error"), tr("Missing some files for the program!"),
                                          QMessageBox::Ok);
                    return;
                }
                if (outcome == exportfile::Outcome::Failed) {
                    prompter->information(this, tr("Error"),
                                          tr("Wrong data in file：") + QStringLiteral("\r\n") + err, QMessageBox::Ok);
                } else if (outcome == exportfile::Outcome::Unwritable) {
                    prompter->warning(this, tr("Error"), tr("Failed to write the file"), QMessageBox::Ok);
                } else {
                    written.append(fileName);
                    writtenNow.insert(fileName);
                }
            }
        }
        // The dialog repaints on each new value; a few times a second is enough.
        if (sinceStep.elapsed() >= 40 || r + 1 == rows.size()) {
            dialog->setValue(r + 1);
            sinceStep.restart();
        }
    }
    closeProgress();
    if (written.isEmpty())
        return;
    syncExportFolder(this, folder);

    auto *report = new CustomDialog;
    report->setAttribute(Qt::WA_DeleteOnClose);
    custom = report;
    connect(report, &CustomDialog::sendOK, this, &MainWindow1::recvOK);
    connect(report, &QObject::destroyed, this, [this, report]() {
        if (custom == report)
            custom = nullptr;
    });
    // Each report shows its own export only.
    const QMetaObject::Connection once =
            connect(this, &MainWindow1::sendAllNameList, report, &CustomDialog::recvSoundExportList);
    emit sendAllNameList(written, folder);
    disconnect(once);
    report->show();
}

void MainWindow1::recvOK()
{
    custom = nullptr;
}

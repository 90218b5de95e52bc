// The Save button, the kit-chain Save and the Export All action: the lock-out,
// pending page edits, the kit choice, the output path and the guards of the
// whole-setup road.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/setupfiles/flowsteps.h"

#include "widgets/jobdialog.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/selectkitno.h"
#include "document/kitdocument.h"
#include "device/driveprobe.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "platform/pathcase.h"
#include "platform/timedlook.h"
#include "platform/regularfile.h"
#include "platform/volumeidentity.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

// What stands at a name the file dialog did not confirm.
struct AtTheName
{
    bool file = false;     // a file, or a link to one
    bool readOnly = false; // by its mode, or to this user
    bool readOnlyVolume = false;
};

} // namespace

// The whole-setup file to write; a name typed without a suffix gets ".bin".
// The dialog asked about the name as typed only: a file at the completed
// name is asked about here (`declined` set on No). On a read-only file
// system nothing is asked; the save says why it cannot write.
QString SetupFilesController::askSetupFile(bool &declined)
{
    declined = false;
    QString path = m_prompter.getSaveFileName(m_parent, WindowTexts::tr("Output"),
                                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                                      + QDir::separator() + QStringLiteral("KIT_ALL"),
                                              WindowTexts::tr("Whole-setup files") + QStringLiteral(" (*.bin *.BIN)"));
    if (path.isEmpty())
        return path;
    m_lastSaveFolder = QFileInfo(path).absolutePath();
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    path += QStringLiteral(".bin");
    // Looked at off the GUI thread: a folder that does not answer is the save's to tell.
    const std::optional<AtTheName> at = ztplatform::lookWithin<AtTheName>(
            DriveProbe::ANSWER_LIMIT_MS,
            [path, fence = m_library.fence()]() {
                AtTheName a;
                ztplatform::Disk &disk = ztplatform::diskOf(fence);
                a.file = ztplatform::typeAtPath(disk, path) == S_IFREG;
                a.readOnly = a.file && ztplatform::writeRefusedAt(disk, path);
                a.readOnlyVolume = a.file && ztplatform::isReadOnlyVolume(disk, QFileInfo(path).absolutePath());
                return a;
            },
            JobDialog::waiter());
    if (!at || !at->file || at->readOnlyVolume)
        return path;
    const QString crlf = QStringLiteral("\r\n");
    declined =
            m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                               WindowTexts::tr("The file already exists. Do you confirm to overwrite it?") + crlf
                                       + WindowTexts::tr("File location: ") + crlf + QDir::toNativeSeparators(path)
                                       + (at->readOnly ? crlf + WindowTexts::tr("The file is read-only.") : QString()),
                               QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes;
    return path;
}

// True when the metronome list holds the five sounds a whole setup needs.
bool SetupFilesController::hasFiveClicks() const
{
    return m_library.clickListItemModel()->soundCount() == 5;
}

void SetupFilesController::save()
{
    if (!m_pad.isUDiskFlag())
        emit padUpdateWanted(3, 0);
    emit saveLocked(true);

    const int shown = m_kitHeader.fieldNumber(); // 0 when the field holds no number
    if (m_kitPages.leftPage() == 2 && shown >= 1 && shown <= KIT_MAX_COUNT) {
        m_kitPages.savePadSet(m_kitPages.padOnPage());
        m_kitPages.on_btnSaveOneKitSet_clicked(quint8(shown));
    }
    m_kitChains.takeOverChainPage();
    // A save and the reload that may follow it are no steps of the user's.
    const editstep::Recorder::Paused saving(m_doc.recorder());

    QString path;
    bool declined = false;
    QVector<int> kits;
    if (m_projectFlag) {
        path = askSetupFile(declined);
    } else {
        QVector<QString> names;
        for (const MainWindow1Records::soundKit &kit : qAsConst(m_doc.kitAttrList()))
            names.append(kit.kit_name);
        m_isSaveClose = false; // only an OK in this run confirms
        if (m_skn) {
            emit kitChoiceNames(names);
            m_skn->initKitIndex();
            emit kitChoiceIndexes(m_doc.kitIndexList());
            m_skn->exec();
        }
        for (int i = 0; m_isSaveClose && i < m_doc.kitIndexList().size() && i < KIT_MAX_COUNT; ++i) {
            if (m_doc.kitIndexList().at(i) == 0)
                kits.append(i + 1);
        }
        if (kits.isEmpty()) {
            emit saveLocked(false);
            m_prompter.information(m_parent, WindowTexts::tr("Tip"), WindowTexts::tr("Failed to generate file."),
                                   QMessageBox::Ok);
            return;
        }
        if (kits.size() < KIT_MAX_COUNT) {
            // The folder of the last save of this run, else the user's home.
            const QString start = m_lastSaveFolder.isEmpty() ? QDir::homePath() : m_lastSaveFolder;
            path = m_prompter.getExistingDirectory(m_parent, WindowTexts::tr("Output to specified directory"), start,
                                                   QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
            if (!path.isEmpty())
                m_lastSaveFolder = path;
            saveKitFiles(path, kits);
            return;
        }
        path = askSetupFile(declined);
    }
    if (declined) {
        m_prompter.information(m_parent, WindowTexts::tr("Tip"),
                               WindowTexts::tr("No file was saved: the existing files stay as they were."),
                               QMessageBox::Ok);
        emit saveLocked(false);
        return;
    }

    if (stopPreviewFirst(true)) {
        emit saveLocked(false);
        return;
    }
    if (!hasFiveClicks()) {
        m_prompter.warning(
                m_parent, WindowTexts::tr("Error"),
                WindowTexts::tr("Please switch to the global configuration interface and import 5 metronome sounds."),
                QMessageBox::Ok);
        emit saveLocked(false);
        return;
    }
    path = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        m_prompter.information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("The output file is not set."),
                               QMessageBox::Ok);
        emit saveLocked(false);
        return;
    }
    saveWholeSetup(path);
}

void SetupFilesController::kitChoiceClosed(bool ok)
{
    m_isSaveClose = ok;
    if (!ok)
        emit saveLocked(false);
}

void SetupFilesController::chooseKits(const QVector<int> &indexList)
{
    m_doc.takeKitSelection(indexList);
}

bool SetupFilesController::confirmOfflineClose()
{
    m_kitPages.commitShownKit(m_mainPadPage.curkitNumber());
    if (!m_doc.differsFromSaved(m_kitPages.globalPage()))
        return true;
    return m_prompter.question(m_parent, WindowTexts::tr("Confirm"), WindowTexts::tr("Quit?"),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
}

// The drop hub: the window filters the drag events of the pads and of the
// sound, kit-chain and hi-hat panes; sounds dropped on pads are set on the
// shown kit and, when new to the setup, registered (offline: rows in the
// lists; on the pad: queued for the writer).
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/dragpayload.h"
#include "library/soundnames.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QStackedWidget>

namespace {
bool isDragEvent(QEvent::Type t)
{
    return t == QEvent::DragEnter || t == QEvent::DragMove || t == QEvent::Drop;
}

QString limitText()
{
    return WindowTexts::tr("The number of sound can not exceed 9999.");
}

// The sound a drop on a pad carries: offline its one record, on the pad the
// last record closed by "#".
dragpayload::Record droppedSound(const QString &payload, bool offline)
{
    dragpayload::Record sound;
    if (offline)
        sound = dragpayload::parseRecord(payload);
    else if (payload.contains(QLatin1Char('#')))
        sound = dragpayload::decode(payload).constLast();
    return sound;
}

void warnMissing(UiPrompter &prompter, QWidget *parent, const QString &name, const QString &checked)
{
    prompter.warning(parent, WindowTexts::tr("Error"),
                     name + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                             + WindowTexts::tr("Please check path:") + checked,
                     QMessageBox::Ok);
}

} // namespace

bool ShellController::filterEvent(QObject *watched, QEvent *event)
{
    // Every event: the kit shown, and the pads' acceptance of drops. (A drag
    // move only asks for acceptance and reads no kit.)
    if (event->type() != QEvent::DragMove && m_view.windowPages->currentIndex() == 0)
        m_mainPadPage.selectShownKit();
    if (m_kitChains.kitChainUiFlag()) {
        if (m_kitChains.isStepArea(watched) && isDragEvent(event->type()))
            return dropOnStep(static_cast<QDropEvent *>(event));
    } else {
        applyPadDropState();
        const int pad = m_mainPadPage.padOf(watched);
        if (pad >= 0)
            return isDragEvent(event->type()) && dropOnPad(pad, static_cast<QDropEvent *>(event));
        if (m_soundLists.isGroupPane(watched) && m_kitPages.leftPage() == 0) {
            // Files reach the groups only without the pad (showPadMode sets the acceptance).
            if (m_pad.isUDiskFlag() && isDragEvent(event->type()))
                return dropFilesOnGroups(static_cast<QDropEvent *>(event));
            if (isDragEvent(event->type()))
                event->ignore();
        } else if (m_soundLists.isSoundPane(watched) && m_kitPages.rightPage() == 0 && isDragEvent(event->type())) {
            if (dropOnTotalList(static_cast<QDropEvent *>(event)))
                return true;
        }
    }
    if (m_kitPages.isHiHatArea(watched) && m_kitPages.leftPage() == 2) {
        m_mainPadPage.selectKit(quint8(m_kitHeader.pageKit() - 1));
        if (isDragEvent(event->type()))
            return dropOnHiHat(static_cast<QDropEvent *>(event));
    }
    return false; // the window's own filter has the rest
}

void ShellController::applyPadDropState()
{
    // A drag of several sounds from the group tree is not for a pad.
    const int state = m_soundLists.dropToPadOrRight() ? 1 : 0;
    if (state == m_padDropState)
        return;
    m_padDropState = state;
    m_mainPadPage.acceptPadDrops(state == 0);
}

bool ShellController::dropOnPad(int p, QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const bool ours = isOurDrag(event);
    if (answerDragOver(event, ours))
        return false;
    event->acceptProposedAction();
    const quint8 shown = m_mainPadPage.currentKitNum();
    if (ours && (shown == EMPTY_KIT_NUM || shown >= m_doc.kitAttrList().size()))
        return true;

    const int layer = m_mainPadPage.layerAt(p, event->pos());
    m_posFlagA = layer == 0;
    m_posFlagB = layer == 1;

    const QString payload = ours ? QString::fromUtf8(mime->data(dragpayload::MIME_FORMAT)) : QString();
    if (payload.isEmpty())
        return true;
    const bool offline = m_pad.isUDiskFlag();
    const dragpayload::Record sound = droppedSound(payload, offline);

    // A file on a pad that stopped answering is not there.
    const QString checked = percussionpadfile::soundSourceFile(sound.path);
    const std::optional<qint64> size = PreviewController::soundFileSize(m_pad.fence(), m_pad.silentFiles(), checked);
    if (!size || *size < 0) {
        warnMissing(m_prompter, m_boxParent, sound.name, checked);
        return false;
    }
    if (m_mainPadPage.currentKitNum() != shown || shown >= m_doc.kitAttrList().size() || m_pad.isUDiskFlag() != offline)
        return true; // the pad went or came meanwhile: the drop is for a setup no longer shown
    const QString path = QDir::toNativeSeparators(sound.path);
    const int kit = m_mainPadPage.currentKitNum();

    // A sound new to the setup needs a row and a wave number left; a refused
    // drop changes nothing.
    const int row = m_library.soundRowOf(path);
    const bool known = row >= 0;
    const bool onLabel = m_posFlagA || m_posFlagB;
    if (!known && onLabel && m_library.totalListItemModel()->soundCount() >= WAVE_MAX_COUNT) {
        m_prompter.warning(m_boxParent, WindowTexts::tr("Warning"), limitText(), QMessageBox::Ok);
        return true;
    }
    m_soundLists.noteLastWaveNumber(m_library.lastWaveNumber());
    if (!known && m_soundLists.total_index() >= WAVE_MAX_COUNT) {
        m_prompter.warning(m_boxParent, WindowTexts::tr("Warning"), limitText(), QMessageBox::Ok);
        return false;
    }
    if (!m_pad.isUDiskFlag() && m_soundLists.dragLeftOrRight() == 0)
        m_pad.clearAddQueue();

    // One step: the pad's sound and, offline, the sound's new row. A sound
    // added on the pad is written to it: no step brings it back.
    const editstep::Recorder::Scope step(m_doc.recorder(),
                                         onLabel ? QString() : WindowTexts::tr("sound %1 added to the list")
                                                                       .arg(sound.name));
    m_dragFlag = onLabel;
    // The pad and the list show one name: the list's, or the rule's for a new
    // sound (only then are the list's names read).
    soundnames::IncomingNames names(m_library);
    const QStandardItem *listed = known ? m_library.totalListItemModel()->soundItem(row, 1) : nullptr;
    const QString name = listed ? listed->text() : names.take(sound.name, path);
    if (onLabel)
        m_doc.setPadSound(kit, p, m_posFlagA ? 0 : 1, name, path);

    if (!known) {
        const editstep::Recorder::Paused onThePad(m_pad.isUDiskFlag() ? nullptr : m_doc.recorder());
        const quint16 number = quint16(m_soundLists.total_index() + 1);
        if (m_pad.isUDiskFlag()) {
            m_library.addSound(name, path, number, true);
        } else if (m_soundLists.dragLeftOrRight() == 0) {
            m_library.addSound(name, path, number, false);
            m_pad.queueAdd(path, number);
            emit padAddsQueued();
        } else {
            // A sound of the pad's own list: the layers take its wave number.
            for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(m_library.waveLoadKitAttrList())) {
                if (s.file == path) {
                    const int k = m_kitHeader.fieldNumber() - 1;
                    m_padSync.changeOnlineKitPath(path, path, s.wave_No, quint32(*size), k);
                    break;
                }
            }
        }
    }

    if (m_dragFlag) // the pad shows its new sound
        m_posFlagA = m_posFlagB = false;
    m_soundLists.tellRenamedSounds(names.changes());
    return true;
}

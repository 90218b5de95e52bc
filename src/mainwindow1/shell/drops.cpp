// The drop hub: the window filters the drag events of the pads and of the
// sound, kit-chain and hi-hat panes; sounds dropped on pads are set on the
// shown kit and, when new to the setup, registered (offline: rows in the
// lists; on the pad: queued for the writer).
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/dragpayload.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardItemModel>

namespace {
bool isDragEvent(QEvent::Type t)
{
    return t == QEvent::DragEnter || t == QEvent::DragMove || t == QEvent::Drop;
}

// The rectangle of `child` in the coordinates of `ancestor`.
QRect rectIn(const QWidget *child, const QWidget *ancestor)
{
    return QRect(child->mapTo(ancestor, QPoint(0, 0)), child->size());
}

QString limitText()
{
    return MainWindow1::tr("The number of sound can not exceed 9999.");
}
} // namespace

bool MainWindow1::eventFilter(QObject *watched, QEvent *event)
{
    // Every event: the kit shown, and the pads' acceptance of drops. (A drag
    // move only asks for acceptance and reads no kit.)
    if (event->type() != QEvent::DragMove && ui->stackedWidget->currentIndex() == 0)
        currentKitNum = quint8(ui->kitNumber->text().toUInt() - 1);
    if (kitChainUiFlag) {
        if (watched == ui->stepWidget && isDragEvent(event->type()))
            return dropOnStep(static_cast<QDropEvent *>(event));
    } else {
        applyPadDropState();
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            if (watched == padWidgetGroup[p].group) {
                if (isDragEvent(event->type()))
                    return dropOnPad(p, static_cast<QDropEvent *>(event));
                return QMainWindow::eventFilter(watched, event);
            }
        }
        if (watched == ui->left_stackedSoundWidget && ui->left_stackedWidget->currentIndex() == 0) {
            // The group tree takes files only while the pad's storage is not in use.
            if (ui->left_stackedSoundWidget->acceptDrops() != pad().isUDiskFlag)
                ui->left_stackedSoundWidget->setAcceptDrops(pad().isUDiskFlag);
            if (pad().isUDiskFlag && isDragEvent(event->type()))
                return dropFilesOnGroups(static_cast<QDropEvent *>(event));
            if (isDragEvent(event->type()))
                event->ignore();
        } else if (watched == ui->right_stackedWidgetPage1 && ui->right_stackedWidget->currentIndex() == 0
                   && isDragEvent(event->type())) {
            if (dropOnTotalList(static_cast<QDropEvent *>(event)))
                return true;
        }
    }
    if (watched == ui->pedalWidget && ui->left_stackedWidget->currentIndex() == 2) {
        currentKitNum = quint8(ui->kitNoSpinBox->value() - 1);
        if (isDragEvent(event->type()))
            return dropOnHiHat(static_cast<QDropEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow1::applyPadDropState()
{
    // A drag of several sounds from the group tree is not for a pad.
    const int state = dropToPadOrRight ? 1 : 0;
    if (state == padDropState)
        return;
    padDropState = state;
    if (dropToPadOrRight) {
        for (const strPadWidgetGroup &pad : padWidgetGroup)
            pad.group->setAcceptDrops(false);
    } else {
        setPadEventFilter();
    }
}

bool MainWindow1::isOurDrag(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (event->type() == QEvent::DragEnter || mime != dragMime) {
        dragMime = mime;
        dragMimeOurs = mime && mime->hasFormat(MIME_FORMAT);
    }
    return dragMimeOurs;
}

bool MainWindow1::dropOnPad(int p, QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const bool ours = isOurDrag(event);
    if (event->type() != QEvent::Drop) {
        if (ours)
            event->acceptProposedAction();
        else
            event->ignore();
        return false;
    }
    event->acceptProposedAction();
    if (ours && (currentKitNum == EMPTY_KIT_NUM || currentKitNum >= doc().kitAttrList.size()))
        return true;

    const strPadWidgetGroup &widgets = padWidgetGroup[p];
    posFlagA = posFlagB = false;
    if (rectIn(widgets.lableA, widgets.group).contains(event->pos()))
        posFlagA = true;
    else if (widgets.lableB && rectIn(widgets.lableB, widgets.group).contains(event->pos()))
        posFlagB = true;

    const QString payload = ours ? QString::fromUtf8(mime->data(MIME_FORMAT)) : QString();
    if (payload.isEmpty())
        return true;
    dragpayload::Record sound;
    if (pad().isUDiskFlag)
        sound = dragpayload::parseRecord(payload);
    else if (payload.contains(QLatin1Char('#')))
        sound = dragpayload::decode(payload).constLast(); // the last record closed by "#"

    UiPrompter *prompter = UiPrompter::instance();
    // A pipe, device or folder is no sound: ffmpeg would wait on it for ever.
    const QString checked = percussionpadfile::soundSourceFile(sound.path);
    if (!ztplatform::isRegularFile(checked)) {
        prompter->warning(this, tr("Error"),
                          sound.name + tr(" does not exist.") + QStringLiteral("\r\n") + tr("Please check path:")
                                  + checked,
                          QMessageBox::Ok);
        return false;
    }
    const QString path = QDir::toNativeSeparators(sound.path);
    const int kit = currentKitNum;

    // A sound new to the setup needs a row and a wave number left; a refused
    // drop changes nothing.
    const bool known = library().soundRowOf(path) >= 0;
    const bool onLabel = posFlagA || posFlagB;
    if (!known && onLabel && library().totalGroup && library().totalGroup->rowCount() >= WAVE_MAX_COUNT) {
        prompter->warning(this, tr("Warning"), limitText(), QMessageBox::Ok);
        return true;
    }
    total_index = library().lastWaveNumber();
    if (!known && total_index >= WAVE_MAX_COUNT) {
        prompter->warning(this, tr("Warning"), limitText(), QMessageBox::Ok);
        return false;
    }
    if (!pad().isUDiskFlag && dragLeftOrRight == 0)
        pad().addUsbWaveList.clear();

    dragFlag = onLabel;
    // The pad keeps the name as a kit file stores it.
    if (onLabel)
        doc().setPadSound(kit, p, posFlagA ? 0 : 1, sound.name.left(SOUND_NAME_LENGTH_MAX), path);

    if (!known) {
        const quint16 number = quint16(total_index + 1);
        if (pad().isUDiskFlag) {
            library().registerNewSound(sound.name, path, number, true);
        } else if (dragLeftOrRight == 0) {
            library().registerNewSound(sound.name, path, number, false);
            pad().addUsbWaveList.append(path);
            pad().addUsbWaveNumList.append(number);
            emit sendUpdate(1, 0);
        } else {
            // A sound of the pad's own list: the layers take its wave number.
            for (const SOUND_INDEX &s : qAsConst(library().waveLoadKitAttrList)) {
                if (s.file == path) {
                    const int k = ui->kitNumber->text().toInt() - 1;
                    changeOnlineKitPath(path, path, s.wave_No, quint32(QFileInfo(path).size()), k);
                    break;
                }
            }
        }
    }

    if (dragFlag) {
        disPad(&doc().kitAttrList[kit], quint8(p));
        posFlagA = posFlagB = false;
    }
    return true;
}

// The drop hub: the window filters the drag events of the pads and of the
// sound, kit-chain and hi-hat panes; sounds dropped on pads are set on the
// shown kit and, when new to the setup, registered (offline: rows in the
// lists; on the pad: queued for the writer).
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/device/padpane.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/library/librarypane.h"
#include "mainwindow1/shell/dropsteps.h"
#include "mainwindow1/shell/shellsteps.h"
#include "ui_mainwindow1.h"

#include "library/dragpayload.h"
#include "library/modeltexts.h"
#include "library/soundnames.h"
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
        mainPadPage().selectKit(quint8(ui->kitNumber->text().toUInt() - 1));
    if (kitChains().kitChainUiFlag()) {
        if (watched == ui->stepWidget && isDragEvent(event->type()))
            return dropsteps::dropOnStep(this, static_cast<QDropEvent *>(event));
    } else {
        dropsteps::applyPadDropState(this);
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            if (watched == padWidgetGroup[p].group) {
                if (isDragEvent(event->type()))
                    return dropsteps::dropOnPad(this, p, static_cast<QDropEvent *>(event));
                return QMainWindow::eventFilter(watched, event);
            }
        }
        if (watched == ui->left_stackedSoundWidget && ui->left_stackedWidget->currentIndex() == 0) {
            // Files reach the groups only without the pad (showPadMode sets the acceptance).
            if (pad().isUDiskFlag() && isDragEvent(event->type()))
                return dropsteps::dropFilesOnGroups(this, static_cast<QDropEvent *>(event));
            if (isDragEvent(event->type()))
                event->ignore();
        } else if (watched == ui->right_stackedWidgetPage1 && ui->right_stackedWidget->currentIndex() == 0
                   && isDragEvent(event->type())) {
            if (dropsteps::dropOnTotalList(this, static_cast<QDropEvent *>(event)))
                return true;
        }
    }
    if (watched == ui->pedalWidget && ui->left_stackedWidget->currentIndex() == 2) {
        mainPadPage().selectKit(quint8(ui->kitNoSpinBox->value() - 1));
        if (isDragEvent(event->type()))
            return dropsteps::dropOnHiHat(this, static_cast<QDropEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void dropsteps::applyPadDropState(MainWindow1 *w)
{
    // A drag of several sounds from the group tree is not for a pad.
    const int state = w->dropToPadOrRight ? 1 : 0;
    if (state == w->padDropState)
        return;
    w->padDropState = state;
    if (w->dropToPadOrRight) {
        for (const MainWindow1::strPadWidgetGroup &pad : w->padWidgetGroup)
            pad.group->setAcceptDrops(false);
    } else {
        shellsteps::setPadEventFilter(w);
    }
}

bool dropsteps::isOurDrag(MainWindow1 *w, QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (event->type() == QEvent::DragEnter || mime != w->dragMime) {
        w->dragMime = mime;
        w->dragMimeOurs = mime && mime->hasFormat(w->MIME_FORMAT);
    }
    return w->dragMimeOurs;
}

bool dropsteps::dropOnPad(MainWindow1 *w, int p, QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const bool ours = dropsteps::isOurDrag(w, event);
    if (event->type() != QEvent::Drop) {
        if (ours)
            event->acceptProposedAction();
        else
            event->ignore();
        return false;
    }
    event->acceptProposedAction();
    const quint8 shown = w->mainPadPage().currentKitNum();
    if (ours && (shown == EMPTY_KIT_NUM || shown >= w->doc().kitAttrList().size()))
        return true;

    const MainWindow1::strPadWidgetGroup &widgets = w->padWidgetGroup[p];
    w->posFlagA = w->posFlagB = false;
    if (rectIn(widgets.lableA, widgets.group).contains(event->pos()))
        w->posFlagA = true;
    else if (widgets.lableB && rectIn(widgets.lableB, widgets.group).contains(event->pos()))
        w->posFlagB = true;

    const QString payload = ours ? QString::fromUtf8(mime->data(w->MIME_FORMAT)) : QString();
    if (payload.isEmpty())
        return true;
    dragpayload::Record sound;
    if (w->pad().isUDiskFlag())
        sound = dragpayload::parseRecord(payload);
    else if (payload.contains(QLatin1Char('#')))
        sound = dragpayload::decode(payload).constLast(); // the last record closed by "#"

    UiPrompter *prompter = UiPrompter::instance();
    // A pipe, device or folder is no sound: ffmpeg would wait on it for ever.
    const QString checked = percussionpadfile::soundSourceFile(sound.path);
    if (!ztplatform::isRegularFile(checked)) {
        prompter->warning(w, MainWindow1::tr("Error"),
                          sound.name + MainWindow1::tr(" does not exist.") + QStringLiteral("\r\n")
                                  + MainWindow1::tr("Please check path:") + checked,
                          QMessageBox::Ok);
        return false;
    }
    const QString path = QDir::toNativeSeparators(sound.path);
    const int kit = w->mainPadPage().currentKitNum();

    // A sound new to the setup needs a row and a wave number left; a refused
    // drop changes nothing.
    const int row = w->library().soundRowOf(path);
    const bool known = row >= 0;
    const bool onLabel = w->posFlagA || w->posFlagB;
    if (!known && onLabel && w->library().totalListItemModel()->soundCount() >= WAVE_MAX_COUNT) {
        prompter->warning(w, MainWindow1::tr("Warning"), limitText(), QMessageBox::Ok);
        return true;
    }
    w->soundLists().noteLastWaveNumber(w->library().lastWaveNumber());
    if (!known && w->soundLists().total_index() >= WAVE_MAX_COUNT) {
        prompter->warning(w, MainWindow1::tr("Warning"), limitText(), QMessageBox::Ok);
        return false;
    }
    if (!w->pad().isUDiskFlag() && w->dragLeftOrRight == 0)
        w->pad().clearAddQueue();

    w->dragFlag = onLabel;
    // The pad and the list show one name: the list's, or the rule's for a new
    // sound (only then are the list's names read).
    soundnames::IncomingNames names([w] { return childTexts(w->library().totalListItemModel(), 1); });
    const QStandardItem *listed = known ? w->library().totalListItemModel()->soundItem(row, 1) : nullptr;
    const QString name = listed ? listed->text() : names.take(sound.name);
    if (onLabel)
        w->doc().setPadSound(kit, p, w->posFlagA ? 0 : 1, name, path);

    if (!known) {
        const quint16 number = quint16(w->soundLists().total_index() + 1);
        if (w->pad().isUDiskFlag()) {
            w->library().addSound(name, path, number, true);
        } else if (w->dragLeftOrRight == 0) {
            w->library().addSound(name, path, number, false);
            w->pad().queueAdd(path, number);
            emit w->sendUpdate(1, 0);
        } else {
            // A sound of the pad's own list: the layers take its wave number.
            for (const MainWindow1::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList())) {
                if (s.file == path) {
                    const int k = w->ui->kitNumber->text().toInt() - 1;
                    padpane::changeOnlineKitPath(w, path, path, s.wave_No, quint32(QFileInfo(path).size()), k);
                    break;
                }
            }
        }
    }

    if (w->dragFlag) // the pad shows its new sound
        w->posFlagA = w->posFlagB = false;
    librarypane::tellRenamedSounds(w, names.changes());
    return true;
}

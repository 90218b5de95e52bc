// The pad menu of the pad labels (clear a layer, copy a pad among pads 1..9)
// and the kit copy from the copy button or the kit name field.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "model/kitcopy.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCursor>
#include <QDebug>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace {
const QString kNormalStyle = QStringLiteral("PadLabel{background-color: rgba(255,255,255, 0%);}");
const QString kHoverStyle = QStringLiteral("PadLabel:hover{background-color: rgba(119,201,255, 50%);}")
                            + kNormalStyle;

// The kit number field as a kit index 0..99, -1 when it holds none.
int shownKit(MainWindow1 *w)
{
    const int n = w->ui->kitNumber->text().toInt();
    return n >= 1 && n <= KIT_MAX_COUNT && n <= w->doc().kitAttrList().size() ? n - 1 : -1;
}

// Top left corner for a menu of `size` opened at `at`, moved back onto the screen.
QPoint onScreen(const QPoint &at, const QSize &size)
{
    const QScreen *screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return at;
    const QRect area = screen->availableGeometry();
    const int x = qMax(area.left(), qMin(at.x(), area.right() + 1 - size.width()));
    const int y = qMax(area.top(), qMin(at.y(), area.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

void copyCompleted(MainWindow1 *w)
{
    UiPrompter::instance()->information(w, MainWindow1::tr("Complete"), MainWindow1::tr("Copy completed."),
                                        QMessageBox::Ok);
}
} // namespace

void MainWindow1::rightMenu(QString objName)
{
    const QPoint at = QCursor::pos();
    currentKitNum = quint8(ui->kitNumber->text().toUInt() - 1);
    int pad = -1;
    int layer = 0;
    for (int p = 0; p < PAD_NUM_MAX && pad < 0; ++p) {
        if (shell().padWidgetGroup()[p].lableA->objectName() == objName) {
            pad = p;
        } else if (shell().padWidgetGroup()[p].lableB && shell().padWidgetGroup()[p].lableB->objectName() == objName) {
            pad = p;
            layer = 1;
        }
    }
    const int kit = shownKit(this);
    if (pad < 0 || kit < 0)
        return;
    // One highlight at a time: the label of this menu's layer.
    recvInteration(QString());
    shell().markPadCopyOpen(false);
    const KIT_PAD_SETTING &s = doc().kitAttrList()[kit].kpadChunk[pad];
    const bool hasSound = !(layer == 0 ? s.soundName0 : s.soundName1).isEmpty();
    const kitcopy::PadMenu entries = kitcopy::padMenu(pad, hasSound);
    shell().pad_copy()->setEnabled(entries.copy);
    shell().pad_clear()->setEnabled(entries.clear);
    kitPages().pointPadMenuAt(pad);
    if (hasSound) {
        (layer == 0 ? shell().padWidgetGroup()[pad].lableA : shell().padWidgetGroup()[pad].lableB)->setStyleSheet(kHoverStyle);
        kitPages().pointPadMenuLayer(layer);
    }
    shell().pad_menu()->popup(onScreen(at, shell().pad_menu()->size()));
}

void MainWindow1::recvInteration(QString)
{
    for (const ShellController::strPadWidgetGroup &pad : shell().padWidgetGroup()) {
        pad.lableA->setStyleSheet(kNormalStyle);
        if (pad.lableB)
            pad.lableB->setStyleSheet(kNormalStyle);
    }
}

void MainWindow1::clearPad()
{
    const int kit = shownKit(this);
    currentKitNum = quint8(kit);
    const int pad = kitPages().curPadIndex();
    if (kit < 0 || pad < 0 || pad >= PAD_NUM_MAX)
        return;
    if (kitPages().curLayer() != 0 && (kitPages().curLayer() != 1 || !shell().padWidgetGroup()[pad].lableB))
        return;
    // The pad list too, so that the next kit commit cannot bring the sound back.
    doc().clearPad(kit, pad, kitPages().curLayer());
    QLabel *label = kitPages().curLayer() == 0 ? shell().padWidgetGroup()[pad].lableA : shell().padWidgetGroup()[pad].lableB;
    label->setText(QString());
    label->setStyleSheet(kNormalStyle);
}

void MainWindow1::padMenuClosed()
{
    // The menu hides before its action runs.
    QTimer::singleShot(0, this, [this]() {
        if (!shell().padCopyOpen())
            recvInteration(QString());
    });
}

void MainWindow1::padCopyEnded()
{
    shell().markPadCopyOpen(false);
    recvInteration(QString());
}

void MainWindow1::copyPad()
{
    shell().markPadCopyOpen(true);
    connect(shell().copy_pad(), &QDialog::finished, this, &MainWindow1::padCopyEnded, Qt::UniqueConnection);
    connect(shell().copy_pad(), &CopyPadFunc::sendDstPad, this, &MainWindow1::recvDstPad, Qt::UniqueConnection);
    connect(this, &MainWindow1::sendInitPad, shell().copy_pad(), &CopyPadFunc::recvSrcPad, Qt::UniqueConnection);
    emit sendInitPad(ui->kitNumber->text().toInt(), kitPages().curPadIndex() + 1);
    shell().copy_pad()->show();
}

void MainWindow1::recvDstPad(int kit, int srcPad, int dstPad)
{
    if (kit == 0 && srcPad == 0 && dstPad == 0) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "取消复制";
        return;
    }
    const int k = kit - 1;
    if (k < 0 || k >= doc().kitAttrList().size() || k >= KIT_MAX_COUNT || srcPad < 1 || srcPad > PAD_NUM_MAX
        || dstPad < 1 || dstPad > PAD_NUM_MAX)
        return;
    // The page's edits go into the kit they belong to before the pad is copied.
    kitpage::commitShownKit(this, curkitNumber);
    doc().copyPad(k, srcPad - 1, dstPad - 1);
    kitpage::redrawCopiedKit(this, kit);
    copyCompleted(this);
}

void MainWindow1::on_btnCopyKit_clicked()
{
    const int kit = shownKit(this);
    if (kit < 0)
        return;
    connect(this, &MainWindow1::sendSrcKit, shell().kitCopy(), &CopyKitFunc::recvSrcKit1, Qt::UniqueConnection);
    copySourceKit = kit + 1;
    emit sendSrcKit(copySourceKit);
    shell().kitCopy()->show();
}

void MainWindow1::recvDstKitClick(int)
{
    const int kit = shownKit(this);
    if (kit < 0)
        return;
    copySourceKit = kit + 1;
    emit sendSrcKit(copySourceKit);
}

void MainWindow1::recvDstKit(int kit)
{
    if (kit < 1) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "取消复制";
        return;
    }
    // The kit the dialog names: the user may have paged on while it was open.
    const int src = copySourceKit - 1;
    const int dst = kit - 1;
    if (src < 0 || src >= doc().kitAttrList().size() || dst >= doc().kitAttrList().size() || dst >= KIT_MAX_COUNT)
        return;
    // The page's edits go into the kit they belong to before it is copied.
    kitpage::commitShownKit(this, curkitNumber);
    emit sendKitNameChanged(doc().kitAttrList()[src].kit_name, dst);
    doc().copyKit(src, dst);
    kitpage::redrawCopiedKit(this, kit);
    copyCompleted(this);
}

void kitpage::redrawCopiedKit(MainWindow1 *w, int kit)
{
    // A copy into the kit shown replaces what the kit settings page holds,
    // so the next commit keeps it (the pads show it as every change). The
    // copy dialogs stay open while the user pages on.
    if (w->ui->left_stackedWidget->currentIndex() == 2 && w->curkitNumber == kit) {
        w->kitPages().redrawKitPage(kit);
    }
}

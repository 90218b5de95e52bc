// The pad menu of the pad labels (clear a layer, copy a pad among pads 1..9)
// and the kit copy from the copy button or the kit name field.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"

#include "model/kitcopy.h"
#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"

#include <QCursor>
#include <QDebug>
#include <QMenu>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include "widgets/padlabel.h"

namespace {
const QString kNormalStyle = QStringLiteral("PadLabel{background-color: rgba(255,255,255, 0%);}");
const QString kHoverStyle = QStringLiteral("PadLabel:hover{background-color: rgba(119,201,255, 50%);}")
                            + kNormalStyle;

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

void copyCompleted(UiPrompter &prompter, QWidget *parent)
{
    prompter.information(parent, WindowTexts::tr("Complete"), WindowTexts::tr("Copy completed."), QMessageBox::Ok);
}
} // namespace

// The kit number field as a kit index 0..99, -1 when it holds none.
int MainPadPageController::shownKit() const
{
    const int n = m_header.fieldNumber();
    return n >= 1 && n <= KIT_MAX_COUNT && n <= m_doc.kitAttrList().size() ? n - 1 : -1;
}

void MainPadPageController::openPadMenu(const QString &objName)
{
    const QPoint at = QCursor::pos();
    m_currentKitNum = quint8(m_header.numberText().toUInt() - 1);
    const PadWidgets &pads = m_view.pads;
    int pad = -1;
    int layer = 0;
    for (int p = 0; p < PAD_NUM_MAX && pad < 0; ++p) {
        if (pads[p].lableA->objectName() == objName) {
            pad = p;
        } else if (pads[p].lableB && pads[p].lableB->objectName() == objName) {
            pad = p;
            layer = 1;
        }
    }
    const int kit = shownKit();
    if (pad < 0 || kit < 0)
        return;
    // One highlight at a time: the label of this menu's layer.
    clearHighlight();
    m_padCopyOpen = false;
    const MainWindow1Records::KIT_PAD_SETTING &s = m_doc.kitAttrList()[kit].kpadChunk[pad];
    const bool hasSound = !(layer == 0 ? s.soundName0 : s.soundName1).isEmpty();
    const kitcopy::PadMenu entries = kitcopy::padMenu(pad, hasSound);
    m_pad_copy->setEnabled(entries.copy);
    m_pad_clear->setEnabled(entries.clear);
    m_curPadIndex = pad;
    if (hasSound) {
        (layer == 0 ? pads[pad].lableA : pads[pad].lableB)->setStyleSheet(kHoverStyle);
        m_curLayer = layer;
    }
    m_pad_menu->popup(onScreen(at, m_pad_menu->size()));
}

void MainPadPageController::clearHighlight()
{
    for (const strPadWidgetGroup &pad : m_view.pads) {
        pad.lableA->setStyleSheet(kNormalStyle);
        if (pad.lableB)
            pad.lableB->setStyleSheet(kNormalStyle);
    }
}

void MainPadPageController::clearPad()
{
    const int kit = shownKit();
    m_currentKitNum = quint8(kit);
    const int pad = m_curPadIndex;
    const int layer = m_curLayer;
    if (kit < 0 || pad < 0 || pad >= PAD_NUM_MAX)
        return;
    const strPadWidgetGroup &labels = m_view.pads[pad];
    if (layer != 0 && (layer != 1 || !labels.lableB))
        return;
    // The pad list too, so that the next kit commit cannot bring the sound back.
    m_doc.clearPad(kit, pad, layer);
    QLabel *label = layer == 0 ? labels.lableA : labels.lableB;
    label->setText(QString());
    label->setStyleSheet(kNormalStyle);
}

void MainPadPageController::padMenuClosed()
{
    // The menu hides before its action runs.
    QTimer::singleShot(0, this, [this]() {
        if (!m_padCopyOpen)
            clearHighlight();
    });
}

void MainPadPageController::padCopyEnded()
{
    m_padCopyOpen = false;
    clearHighlight();
}

void MainPadPageController::copyPad()
{
    m_padCopyOpen = true;
    CopyPadFunc *dialog = m_copy_pad;
    connect(dialog, &QDialog::finished, this, &MainPadPageController::padCopyEnded, Qt::UniqueConnection);
    connect(dialog, &CopyPadFunc::sendDstPad, this, &MainPadPageController::recvDstPad, Qt::UniqueConnection);
    connect(this, &MainPadPageController::sourcePadChosen, dialog, &CopyPadFunc::recvSrcPad, Qt::UniqueConnection);
    emit sourcePadChosen(m_header.fieldNumber(), m_curPadIndex + 1);
    dialog->show();
}

void MainPadPageController::recvDstPad(int kit, int srcPad, int dstPad)
{
    if (kit == 0 && srcPad == 0 && dstPad == 0) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "取消复制";
        return;
    }
    const int k = kit - 1;
    if (k < 0 || k >= m_doc.kitAttrList().size() || k >= KIT_MAX_COUNT || srcPad < 1 || srcPad > PAD_NUM_MAX
        || dstPad < 1 || dstPad > PAD_NUM_MAX)
        return;
    // The page's edits go into the kit they belong to before the pad is copied.
    emit commitWanted(m_curkitNumber);
    m_doc.copyPad(k, srcPad - 1, dstPad - 1);
    redrawCopiedKit(kit);
    copyCompleted(m_prompter, m_parent);
}

void MainPadPageController::openKitCopy()
{
    const int kit = shownKit();
    if (kit < 0)
        return;
    connect(this, &MainPadPageController::sourceKitChosen, m_kitCopy, &CopyKitFunc::recvSrcKit1,
            Qt::UniqueConnection);
    m_copySourceKit = kit + 1;
    emit sourceKitChosen(m_copySourceKit);
    m_kitCopy->show();
}

void MainPadPageController::kitCopyTargetClicked()
{
    const int kit = shownKit();
    if (kit < 0)
        return;
    m_copySourceKit = kit + 1;
    emit sourceKitChosen(m_copySourceKit);
}

void MainPadPageController::copyKitTo(int kit)
{
    if (kit < 1) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "取消复制";
        return;
    }
    // The kit the dialog names: the user may have paged on while it was open.
    const int src = m_copySourceKit - 1;
    const int dst = kit - 1;
    if (src < 0 || src >= m_doc.kitAttrList().size() || dst >= m_doc.kitAttrList().size() || dst >= KIT_MAX_COUNT)
        return;
    // The page's edits go into the kit they belong to before it is copied.
    emit commitWanted(m_curkitNumber);
    m_doc.copyKit(src, dst);
    emit kitNameChanged(m_doc.kitAttrList()[dst].kit_name, dst); // the name holders; the kit has it already
    redrawCopiedKit(kit);
    copyCompleted(m_prompter, m_parent);
}

void MainPadPageController::redrawCopiedKit(int kit)
{
    // A copy into the kit shown replaces what the kit settings page holds,
    // so the next commit keeps it (the pads show it as every change). The
    // copy dialogs stay open while the user pages on.
    if (m_dot == 2 && m_curkitNumber == kit)
        emit kitPageRedrawWanted(kit);
}

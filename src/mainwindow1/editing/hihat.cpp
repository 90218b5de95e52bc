// The hi-hat block of the kit settings page: the hi-hat sound list (preview
// and drag), clearing the five hi-hat waves, and the velocity layer rules.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "model/kitediting.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"

#include <QDrag>
#include <QItemSelectionModel>
#include <QMediaPlayer>
#include <QMimeData>
#include <QStandardItemModel>

namespace {
const QString kPlayIcon = QStringLiteral("border-image:url(:/images/play.png)");
const QString kPlaying = QStringLiteral("border-image: url(:/images/suspend.png);");
} // namespace

// A sound of the hi-hat list was selected (or pressed, which also drags it).
void KitPagesController::hhSoundChosen(const QModelIndex &index, bool drag)
{
    if (m_preview.index2() % 2)
        m_preview.stop();
    if (m_ui->playBtn2->styleSheet() == kPlaying && m_preview.player2())
        m_preview.stopPlayer();

    QItemSelectionModel *selection = m_ui->soundListTreeView->selectionModel();
    const QModelIndexList selected = selection ? selection->selectedIndexes() : QModelIndexList();

    // Spin boxes that lose the focus finish their edit (a layer rule may run).
    const QList<QWidget *> focused = {
            m_ui->kitNumber,          m_ui->kitNameLineEdit,    m_ui->hhLayer1SpinBox,    m_ui->hhLayer2SpinBox,
            m_ui->hhLayer3SpinBox,    m_ui->hhLayer4SpinBox,    m_ui->hhLayer5SpinBox,    m_ui->midiChannelComboBox,
            m_ui->velocity,           m_ui->waveAVolumeSpinBox, m_ui->waveBVolumeSpinBox, m_ui->waveAPitch,
            m_ui->waveBPitch,         m_ui->kitVolumeSpinBox,   m_ui->kitTempoSpinBox,    m_ui->effect1_ctrl1,
            m_ui->effect1_ctrl2,      m_ui->effect1_ctrl3,      m_ui->effect2_ctrl1,      m_ui->effect2_ctrl2,
            m_ui->effect2_ctrl3,      m_ui->effect3_ctrl1,      m_ui->effect3_ctrl2,      m_ui->effect3_ctrl3,
            m_ui->effect4_ctrl1,      m_ui->effect4_ctrl2,      m_ui->effect4_ctrl3};
    for (QWidget *widget : focused)
        widget->clearFocus();

    const QModelIndex parent = index.parent();
    if (parent.isValid() && parent.row() == 0 && selected.size() >= 2) {
        const QString name = index.sibling(index.row(), 0).data().toString().trimmed();
        const QString source = index.sibling(index.row(), 1).data().toString().trimmed();
        const QString path = percussionpadfile::soundSourceFile(source);
        if (name.isEmpty() || source.isEmpty() || !ztplatform::isRegularFile(path)) {
            m_ui->songLabel2->clear();
            m_preview.stop();
            m_ui->playBtn2->setEnabled(false);
            m_ui->playBtn2->setStyleSheet(kPlayIcon);
            m_ui->playBtn2->repaint();
            m_ui->stopBtn2->setEnabled(false);
            UiPrompter::instance()->warning(m_boxes, WindowTexts::tr("Error"),
                                            name + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + WindowTexts::tr("Please check path:") + path);
            return;
        }
        m_ui->playBtn2->setStyleSheet(kPlayIcon);
        m_ui->songLabel2->setText(name);
        if (m_preview.playerState() == QMediaPlayer::StoppedState) {
            m_ui->playBtn2->setEnabled(true);
            m_ui->playBtn2->repaint();
        } else {
            m_preview.stop();
        }
        if (drag) {
            auto *mime = new QMimeData;
            mime->setData(m_shell->MIME_FORMAT(), dragpayload::record(name, source).toUtf8());
            mime->setText(name);
            auto *d = new QDrag(m_boxes);
            d->setMimeData(mime);
            draghook::run(d, Qt::MoveAction);
            d->deleteLater();
        }
        m_preview.choosePreviewSound(source);
    } else if (!parent.isValid()) {
        m_ui->soundListTreeView->setColumnHidden(1, true);
    }
}

void KitPagesController::selectHHSound(const QModelIndex &index)
{
    hhSoundChosen(index, false);
}

void KitPagesController::pressHHSound(const QModelIndex &index)
{
    hhSoundChosen(index, true);
}

void KitPagesController::clearHHWaves()
{
    m_mainPadPage->selectKit(quint8(m_ui->kitNoSpinBox->value() - 1));
    if (m_mainPadPage->currentKitNum() >= m_doc.kitAttrList().size())
        return;
    m_doc.clearHiHat(m_mainPadPage->currentKitNum()); // the slots show it
}

// Layer `layer` (1..3) keeps its value when the rules allow it, else goes back
// to the last value accepted. With `pendingOnly` an accepted value is left alone.
void KitPagesController::checkLayer(int layer, bool pendingOnly)
{
    QSpinBox *const boxes[3] = {m_ui->hhLayer1SpinBox, m_ui->hhLayer2SpinBox, m_ui->hhLayer3SpinBox};
    QLabel *const below[3] = {m_ui->labLayer2, m_ui->labLayer3, m_ui->labLayer4};
    int *const accepted[3] = {&m_original_layer1, &m_original_layer2, &m_original_layer3};
    QSpinBox *box = boxes[layer - 1];
    if (pendingOnly && box->value() == *accepted[layer - 1])
        return;
    if (kitediting::hhLayerAccepted(layer, m_ui->hhLayer1SpinBox->value(), m_ui->hhLayer2SpinBox->value(),
                                    m_ui->hhLayer3SpinBox->value())) {
        below[layer - 1]->setText(QString::number(box->value() - 1));
        *accepted[layer - 1] = box->value();
    } else {
        box->setValue(*accepted[layer - 1]);
    }
}

void KitPagesController::finishHHLayer(int layer)
{
    checkLayer(layer);
}

void KitPagesController::settleHHLayers()
{
    // A value typed without Enter has not met its rule yet.
    for (int layer = 1; layer <= 3; ++layer)
        checkLayer(layer, true);
}

void KitPagesController::disHHList(const MainWindow1Records::soundKit *kit, quint8 kitNo, quint8 slot)
{
    if (!kit || m_doc.kitAttrList().isEmpty() || kitNo >= m_doc.kitAttrList().size() || slot >= HH_NUM_MAX)
        return;
    const MainWindow1Records::PEDAL_SETTING &h = kit->pedalChunk;
    const QString names[HH_NUM_MAX] = {h.hh_wave1_name, h.hh_wave2_name, h.hh_wave3_name, h.hh_wave4_name,
                                       h.hh_wave5_name};
    m_shell->hhWidgetGroup()[slot].lableA->setText(names[slot]);
}

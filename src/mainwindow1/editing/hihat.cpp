// The hi-hat block of the kit settings page: the hi-hat sound list (preview
// and drag), clearing the five hi-hat waves, and the velocity layer rules.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/dragpayload.h"
#include "library/soundlibrary.h"
#include "model/kitediting.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"

#include <QDrag>
#include <QMimeData>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

void KitPagesController::chooseHHSound(const QModelIndex &index, bool drag)
{
    if (m_preview.index2() % 2)
        m_preview.stop(m_soundLists.soundRowCurrent());
    if (m_preview.playingShown() && m_preview.player2())
        m_preview.stopPlayer();

    const QModelIndexList selected = m_soundLists.mirrorSelection();

    // Spin boxes that lose the focus finish their edit (a layer rule may run).
    QList<QWidget *> focused(m_view.pad.hhLayers.cbegin(), m_view.pad.hhLayers.cend());
    focused << m_view.pad.midiChannelComboBox << m_view.pad.velocity << m_view.pad.waves[0].volume
            << m_view.pad.waves[1].volume << m_view.pad.waves[0].pitch << m_view.pad.waves[1].pitch
            << m_view.kit.kitVolumeSpinBox << m_view.kit.kitTempoSpinBox;
    for (const EffectSlotView &effect : m_view.kit.effects)
        focused << effect.controls[0] << effect.controls[1] << effect.controls[2];
    m_header.releaseFields();
    for (QWidget *widget : focused)
        widget->clearFocus();

    const QModelIndex parent = index.parent();
    if (parent.isValid() && parent.row() == 0 && selected.size() >= 2) {
        const QString name = index.sibling(index.row(), 0).data().toString().trimmed();
        const QString source = index.sibling(index.row(), 1).data().toString();
        const QString path = percussionpadfile::soundSourceFile(source);
        // A file on a pad that stopped answering is not there.
        const std::optional<qint64> size =
                name.isEmpty() || source.isEmpty()
                        ? std::optional<qint64>(-1)
                        : PreviewController::soundFileSize(m_library.fence(), m_library.silentFiles(), path);
        if (!size || *size < 0) {
            m_preview.disablePreview(m_soundLists.soundRowCurrent());
            m_prompter.warning(m_boxes, WindowTexts::tr("Error"),
                               name + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                                       + WindowTexts::tr("Please check path:") + path);
            return;
        }
        m_preview.showSoundName(name);
        m_preview.readyToPlay(m_soundLists.soundRowCurrent());
        if (drag) {
            auto *mime = new QMimeData;
            mime->setData(dragpayload::MIME_FORMAT, dragpayload::record(name, source).toUtf8());
            mime->setText(name);
            auto *d = new QDrag(m_boxes);
            d->setMimeData(mime);
            m_prompter.runDrag(d, Qt::MoveAction);
            d->deleteLater();
        }
        m_preview.choosePreviewSound(source);
    } else if (!parent.isValid()) {
        m_soundLists.hideMirrorSources();
    }
}

void KitPagesController::clearHHWaves()
{
    m_mainPadPage.selectKit(quint8(m_header.pageKit() - 1));
    if (m_mainPadPage.currentKitNum() >= m_doc.kitAttrList().size())
        return;
    m_doc.clearHiHat(m_mainPadPage.currentKitNum()); // the slots show it
}

void KitPagesController::checkLayer(int layer, bool pendingOnly)
{
    const std::array<QSpinBox *, HH_NUM_MAX> &boxes = m_view.pad.hhLayers;
    QSpinBox *box = boxes[size_t(layer - 1)];
    int &accepted = m_acceptedLayers[layer - 1];
    if (pendingOnly && box->value() == accepted)
        return;
    if (kitediting::hhLayerAccepted(layer, boxes[0]->value(), boxes[1]->value(), boxes[2]->value())) {
        m_view.pad.hhLayerTops[size_t(layer)]->setText(QString::number(box->value() - 1));
        accepted = box->value();
    } else {
        box->setValue(accepted);
    }
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
    m_view.pad.hhNames[slot]->setText(names[slot]);
}

void KitPagesController::showHHLayers(const std::array<quint8, HH_NUM_MAX> &layers)
{
    for (size_t i = 0; i < layers.size(); ++i)
        m_view.pad.hhLayers[i]->setValue(layers[i]);
    m_view.pad.hhLayerTops[0]->setText(QStringLiteral("127"));
    for (size_t i = 1; i < m_view.pad.hhLayerTops.size(); ++i)
        m_view.pad.hhLayerTops[i]->setText(QString::number(layers[i - 1] - 1));
}

void KitPagesController::showChangedHiHat(int k)
{
    // The hi-hat slots of the pad settings page, which its kit commit takes back.
    if (k < 0 || k >= m_doc.kitAttrList().size() || k != m_header.pageKit() - 1)
        return;
    for (quint8 slot = 0; slot < HH_NUM_MAX; ++slot)
        disHHList(&m_doc.kitAttrList().at(k), quint8(k), slot);
}

void KitPagesController::showChangedHiHats()
{
    for (int k = 0; k < m_doc.kitAttrList().size() && k < KIT_MAX_COUNT; ++k)
        showChangedHiHat(k);
}
